#include "ReportRecordItemButton.h"

#include "ReportControl.h"

IMPLEMENT_DYNCREATE(CLVKReportRecordItemButton, CLVKReportRecordItemControl)

CLVKReportRecordItemButton::CLVKReportRecordItemButton(LPCWSTR lpszCaption) : CLVKReportRecordItemControl(lpszCaption)
{
    m_nState = LVK_REPORT_BUTTON_NORMAL;
}

void CLVKReportRecordItemButton::SetEnable(BOOL bEnable)
{
    CLVKReportRecordItemControl::SetEnable(bEnable);
    if (m_nState != LVK_REPORT_BUTTON_PRESSED || !bEnable)
        m_nState = RestingState();
}

void CLVKReportRecordItemButton::OnLButtonDown(LVK_REPORTRECORDITEM_CLICKARGS* /*pClickArgs*/)
{
    if (m_bEnabled)
        m_nState = LVK_REPORT_BUTTON_PRESSED;
}

void CLVKReportRecordItemButton::OnLButtonUp(LVK_REPORTRECORDITEM_CLICKARGS* pClickArgs)
{
    if (!pClickArgs || !pClickArgs->pControl || pClickArgs->pControl->IsEditMode())
        return;
    m_nState = RestingState();
    m_nPrevState = m_nState;
    const POINT ptDown = pClickArgs->pControl->GetMouseDownPoint();
    if (m_bEnabled && ::PtInRect(&m_rcControl, pClickArgs->ptClient) && ::PtInRect(&m_rcControl, ptDown))
    {
        REPORT_ITEM_NOTIFY_EX nm{};
        nm.pRow = pClickArgs->pRow;
        nm.pItem = pClickArgs->pItem;
        nm.pColumn = pClickArgs->pColumn;
        nm.nHyperlink = -1;
        nm.pt = pClickArgs->ptClient;
        nm.lExtra = reinterpret_cast<LPARAM>(this);
        pClickArgs->pControl->SendNotify(REPORT_NOTIFY_ITEM_BUTTON_CLICK, &nm.hdr);
    }
}

int CLVKReportRecordItemButton::OnMouseEnter(UINT nFlags, POINT /*point*/)
{
    if (m_nPrevState == LVK_REPORT_BUTTON_PRESSED && (nFlags & MK_LBUTTON))
        m_nState = LVK_REPORT_BUTTON_PRESSED;
    return m_nState;
}

int CLVKReportRecordItemButton::OnMouseLeave(UINT /*nFlags*/, POINT /*point*/)
{
    m_nPrevState = m_nState;
    m_nState = RestingState();
    return m_nState;
}

int CLVKReportRecordItemButton::OnMouseMove(UINT nFlags, POINT point)
{
    const BOOL bInside = ::PtInRect(&m_rcControl, point);
    if (bInside && m_nPrevState == LVK_REPORT_BUTTON_PRESSED && (nFlags & MK_LBUTTON) && m_bEnabled)
        m_nState = LVK_REPORT_BUTTON_PRESSED;
    return bInside;
}
