#include "ReportRecordItemControlHookWnd.h"

#include "ReportColumn.h"
#include "ReportControl.h"
#include "ReportRecordItem.h"
#include "ReportRow.h"
#include "Foundation/WindowHelpers.h"

namespace
{
const wchar_t kHookClassName[] = L"LVKReportItemControlHook";
}  // namespace

CLVKReportRecordItemControlHookWnd::CLVKReportRecordItemControlHookWnd(LVK_REPORTRECORDITEM_CLICKARGS* pClickArgs)
{
    m_clickArgs.pControl = pClickArgs->pControl;
    m_clickArgs.pRow = pClickArgs->pRow;
    m_clickArgs.pColumn = pClickArgs->pColumn;
    m_clickArgs.pItem = pClickArgs->pItem;
    m_clickArgs.rcItem = pClickArgs->rcItem;
    m_clickArgs.ptClient = pClickArgs->ptClient;
    if (m_clickArgs.pRow)
        m_clickArgs.pRow->InternalAddRef();
    if (m_clickArgs.pColumn)
        m_clickArgs.pColumn->InternalAddRef();
}

CLVKReportRecordItemControlHookWnd::~CLVKReportRecordItemControlHookWnd()
{
    if (m_hWnd)
        DestroyWindow();
    if (m_clickArgs.pColumn)
        m_clickArgs.pColumn->InternalRelease();
    if (m_clickArgs.pRow)
        m_clickArgs.pRow->InternalRelease();
}

BOOL CLVKReportRecordItemControlHookWnd::Create(const RECT& rect)
{
    LVKRegisterWindowClass(nullptr, kHookClassName, 0, nullptr, nullptr);
    if (!CWnd::CreateEx(0, kHookClassName, L"", WS_CHILD, rect, m_clickArgs.pControl, 0))
        return FALSE;
    SetCapture();
    return TRUE;
}

LRESULT CLVKReportRecordItemControlHookWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_MOUSEMOVE)
    {
        // The point goes to the cell in the report control's client
        // coordinates, where the cell keeps its controls' rectangles.
        POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ::MapWindowPoints(m_hWnd, m_clickArgs.pControl->m_hWnd, &pt, 1);
        m_clickArgs.ptClient = pt;
        CLVKReportRecordItem* pItem = m_clickArgs.pItem;
        if (!pItem)
            return 0;
        if (message == WM_LBUTTONDOWN)
            pItem->OnLButtonDown(&m_clickArgs);
        else if (message == WM_LBUTTONUP)
            pItem->OnLButtonUp(&m_clickArgs);
        else
            pItem->OnMouseMove(static_cast<UINT>(wParam), pt, m_clickArgs.pControl);
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
