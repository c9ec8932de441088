#include "ReportInplaceList.h"

#include "ReportControl.h"
#include "ReportPaintManager.h"
#include "ReportRecordItem.h"
#include "ReportRecordItemConstraints.h"
#include "Foundation/FontDC.h"
#include "Foundation/DisplayMonitors.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/WindowHelpers.h"

namespace
{
// Characters typed within this time extend the type-ahead search.
const DWORD kTypeAheadMs = 1300;
}  // namespace

CLVKReportInplaceList::~CLVKReportInplaceList()
{
    if (m_hWnd)
        DestroyWindow();
}

int CLVKReportInplaceList::GetCurSel() const
{
    return m_hWnd ? static_cast<int>(SendMessage(LB_GETCURSEL)) : LB_ERR;
}

int CLVKReportInplaceList::GetCount() const
{
    return m_hWnd ? static_cast<int>(SendMessage(LB_GETCOUNT)) : 0;
}

CString CLVKReportInplaceList::GetText(int nIndex) const
{
    CString strText;
    const int nLength = m_hWnd ? static_cast<int>(SendMessage(LB_GETTEXTLEN, nIndex)) : LB_ERR;
    if (nLength == LB_ERR)
        return strText;
    SendMessage(LB_GETTEXT, nIndex, reinterpret_cast<LPARAM>(strText.GetBuffer(nLength + 1)));
    strText.ReleaseBuffer();
    return strText;
}

CLVKReportRecordItemConstraint* CLVKReportInplaceList::GetConstraintAt(int nIndex) const
{
    const LRESULT lData = m_hWnd ? SendMessage(LB_GETITEMDATA, nIndex) : LB_ERR;
    return lData == LB_ERR ? nullptr : reinterpret_cast<CLVKReportRecordItemConstraint*>(lData);
}

void CLVKReportInplaceList::Create(LVK_REPORTRECORDITEM_ARGS* pArgs, CLVKReportRecordItemConstraints* pConstraints)
{
    SetItemArgs(pArgs);
    m_bApply = FALSE;
    m_strSearch.Empty();
    if (!pControl || !pItem || !pConstraints)
        return;
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    if (!m_hWnd)
    {
        const DWORD dwExStyle = WS_EX_TOOLWINDOW | (pControl->GetExStyle() & WS_EX_LAYOUTRTL);
        const RECT rcNone{};
        if (!CWnd::CreateEx(dwExStyle, L"LISTBOX", L"", WS_CHILD | WS_BORDER | WS_VSCROLL | LBS_NOTIFY, rcNone,
                            pControl, 0))
            return;
        m_hWndOwner = pControl->m_hWnd;
    }
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pControl->GetPaintManager()->GetTextFont()->GetSafeHandle()),
                FALSE);
    SendMessage(LB_RESETCONTENT);

    const RECT rcCell = rcItem;
    int nWidth = rcCell.right - rcCell.left + pDpi->ScaleX(1);
    const int nThumb = ::GetSystemMetrics(SM_CXHTHUMB);
    {
        CClientDC dc(this);
        CLVKFontDC font(&dc, pControl->GetPaintManager()->GetTextFont());
        for (int i = 0; i < pConstraints->GetCount(); i++)
        {
            CLVKReportRecordItemConstraint* pConstraint = pConstraints->GetAt(i);
            const int nIndex = static_cast<int>(
                SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LPCWSTR(pConstraint->GetCaption()))));
            SendMessage(LB_SETITEMDATA, nIndex, reinterpret_cast<LPARAM>(pConstraint));
            const int nCaption = dc.GetTextExtent(pConstraint->GetCaption()).cx;
            if (nCaption + nThumb >= nWidth)
                nWidth = nCaption + nThumb;
        }
    }

    const DWORD_PTR dwSelected = static_cast<DWORD_PTR>(pItem->GetSelectedConstraint(pColumn));
    const CString strCaption = pItem->GetCaption(pColumn);
    for (int i = 0; i < GetCount(); i++)
    {
        CLVKReportRecordItemConstraint* pConstraint = GetConstraintAt(i);
        const BOOL bMatch = dwSelected == static_cast<DWORD_PTR>(-1) ? pConstraint->GetCaption() == strCaption
                                                                     : pConstraint->GetData() == dwSelected;
        if (bMatch)
        {
            SendMessage(LB_SETCURSEL, i);
            break;
        }
    }

    const int nItemHeight = static_cast<int>(SendMessage(LB_GETITEMHEIGHT, 0));
    const int nHeight = std::min(GetCount(), m_nMaxVisibleItems) * nItemHeight + pDpi->ScaleY(2);
    RECT rcList{rcCell.right - nWidth, rcCell.bottom, rcCell.right, rcCell.bottom + nHeight};

    // Keep the list on the monitor: above the cell when it would pass the
    // bottom of the work area and the cell is in the lower half.
    RECT rcScreen = rcList;
    ::MapWindowPoints(pControl->m_hWnd, nullptr, reinterpret_cast<POINT*>(&rcScreen), 2);
    POINT ptCellTop{rcCell.left, rcCell.top};
    ::ClientToScreen(pControl->m_hWnd, &ptCellTop);
    const RECT rcWork = CLVKDisplayMonitors::GetGlobal()->GetWorkAreaFromRect(rcScreen);
    if (rcScreen.bottom > rcWork.bottom && rcScreen.top > (rcWork.top + rcWork.bottom) / 2)
        ::OffsetRect(&rcScreen, 0, ptCellTop.y - rcScreen.bottom);
    if (rcScreen.right > rcWork.right)
        ::OffsetRect(&rcScreen, rcWork.right - rcScreen.right, 0);
    if (rcScreen.left < rcWork.left)
        ::OffsetRect(&rcScreen, rcWork.left - rcScreen.left, 0);

    // A pop-up owned by the control, so that it may pass the control's edges.
    SetFocus();
    ModifyStyle(WS_CHILD, WS_POPUP);
    ::SetParent(m_hWnd, nullptr);
    ::SetWindowLongPtrW(m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(pControl->m_hWnd));
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, rcScreen.left, rcScreen.top, rcScreen.right - rcScreen.left,
                   rcScreen.bottom - rcScreen.top, SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
    LVKSetPopupMouseHook(m_hWnd);
}

void CLVKReportInplaceList::Apply()
{
    if (!pControl)
        return;
    CLVKReportControl* pReport = pControl;
    const int nIndex = GetCurSel();
    if (nIndex == LB_ERR)
    {
        pReport->SetFocus();
        return;
    }
    m_bApply = TRUE;
    CLVKReportRecordItemConstraint* pConstraint = GetConstraintAt(nIndex);
    LVK_REPORTRECORDITEM_ARGS args = GetItemArgs();
    CLVKReportRecordItem* pEdited = pItem;
    pEdited->InternalAddRef();
    pEdited->OnConstraintChanged(&args, pConstraint);
    pReport->RedrawControl();
    pReport->OnInplaceKeyDown(args.pRow, pEdited, args.pColumn, pConstraint);
    pReport->SendItemNotify(args.pRow, pEdited, args.pColumn, REPORT_NOTIFY_VALUE_CHANGED);
    pEdited->InternalRelease();
    pReport->SetFocus();
}

void CLVKReportInplaceList::Cancel()
{
    m_bApply = FALSE;
    HWND hWndFocus = m_hWndOwner ? m_hWndOwner : ::GetParent(m_hWnd);
    ::SetFocus(hWndFocus);
}

void CLVKReportInplaceList::OnSelectionChanged(int nIndex)
{
    if (!pControl)
        return;
    const CString strText = GetText(nIndex);
    for (int i = 0; i < GetCount(); i++)
    {
        CLVKReportRecordItemConstraint* pConstraint = GetConstraintAt(i);
        if (pConstraint && pConstraint->GetCaption().CompareNoCase(strText) == 0)
        {
            pControl->OnInplaceKeyDown(pRow, pItem, pColumn, pConstraint);
            return;
        }
    }
}

void CLVKReportInplaceList::OnTypeAhead(WCHAR chTyped)
{
    const DWORD dwNow = m_pfnTickCount();
    if (dwNow - m_dwLastKeyTick > kTypeAheadMs)
        m_strSearch.Empty();
    m_dwLastKeyTick = dwNow;
    m_strSearch += chTyped;
    const int nPrevious = GetCurSel();
    // LB_FINDSTRING searches after the given entry and wraps to the top.
    int nFound = static_cast<int>(SendMessage(LB_FINDSTRING, nPrevious == LB_ERR ? -1 : nPrevious,
                                              reinterpret_cast<LPARAM>(LPCWSTR(m_strSearch))));
    if (nFound == LB_ERR && nPrevious > 0)
        nFound = static_cast<int>(
            SendMessage(LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(LPCWSTR(m_strSearch))));
    if (nFound == LB_ERR)
        return;
    SendMessage(LB_SETCURSEL, nFound);
    if (nFound != nPrevious)
        OnSelectionChanged(nFound);
}

LRESULT CLVKReportInplaceList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
    case WM_CHAR:
        OnTypeAhead(static_cast<WCHAR>(wParam));
        return 0;
    case WM_KEYDOWN:
        switch (wParam)
        {
        case VK_RETURN:
        case VK_F4:
            Apply();
            return 0;
        case VK_ESCAPE:
            Cancel();
            return 0;
        case VK_PRIOR:
        case VK_NEXT:
        case VK_END:
        case VK_HOME:
        case VK_UP:
        case VK_DOWN:
            m_strSearch.Empty();
            break;
        default:
            break;
        }
        {
            const int nPrevious = GetCurSel();
            const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
            const int nNow = GetCurSel();
            if (nNow != nPrevious && nNow != LB_ERR)
                OnSelectionChanged(nNow);
            return lResult;
        }
    case WM_SYSKEYDOWN:
        if (wParam == VK_UP || wParam == VK_DOWN)
        {
            Apply();
            return 0;
        }
        break;
    case WM_LBUTTONUP:
    {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        RECT rcClient{};
        GetClientRect(&rcClient);
        const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (::PtInRect(&rcClient, pt))
            Apply();
        else
            Cancel();
        return lResult;
    }
    case WM_KILLFOCUS:
    {
        if (!m_bApply && pItem)
        {
            LVK_REPORTRECORDITEM_ARGS args = GetItemArgs();
            pItem->OnEditCanceled(&args);
        }
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        DestroyWindow();
        return lResult;
    }
    case WM_NCPAINT:
    {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        CWindowDC dc(this);
        RECT rc{};
        GetWindowRect(&rc);
        ::OffsetRect(&rc, -rc.left, -rc.top);
        HBRUSH hFrame = ::GetSysColorBrush(COLOR_WINDOWFRAME);
        ::FrameRect(dc.m_hDC, &rc, hFrame);
        return lResult;
    }
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CLVKReportInplaceList::PostNcDestroy()
{
    if (LVKGetPopupMouseHook())
        LVKSetPopupMouseHook(nullptr);
    SetItemArgs(nullptr);
    CWnd::PostNcDestroy();
}
