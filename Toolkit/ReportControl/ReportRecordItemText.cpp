#include "ReportRecordItemText.h"

#include "ReportRecord.h"
#include "Foundation/PropExchangeFunctions.h"

IMPLEMENT_DYNCREATE(CLVKReportRecordItemText, CLVKReportRecordItem)

CLVKReportRecordItemText::CLVKReportRecordItemText(LPCWSTR lpszText)
{
    SetValue(lpszText);
}

void CLVKReportRecordItemText::SetValue(LPCWSTR lpszText)
{
    m_strText = lpszText ? lpszText : L"";
    if (m_strText.Find(L"[url") >= 0)
        ParseHyperlinks(m_strText);
    // Only a text shown as the caption is parsed as markup again.
    if (m_pRecord && m_strCaption.IsEmpty())
        ResetMarkupUIElement();
}

void CLVKReportRecordItemText::DoPropExchange(CLVKPropExchange* pPX)
{
    CLVKReportRecordItem::DoPropExchange(pPX);
    ExchangeString(pPX, L"Text", m_strText, L"");
    if (pPX->IsLoading())
        ResetMarkupUIElement();
}

CString CLVKReportRecordItemText::GetCaption(CLVKReportColumn* pColumn)
{
    if (IsMergeFollower())
        return GetMergeMaster()->GetCaption(pColumn);
    if (!m_strCaption.IsEmpty())
        return m_strCaption;
    if (m_strFormatString == L"%s")
        return m_strText;
    return LVKReportFormatText(m_strFormatString, m_strText);
}

const CString* CLVKReportRecordItemText::GetCaptionRef(CLVKReportColumn* /*pColumn*/)
{
    if (IsMergeFollower())
        return nullptr;
    if (!m_strCaption.IsEmpty())
        return &m_strCaption;
    return m_strFormatString == L"%s" ? &m_strText : nullptr;
}

void CLVKReportRecordItemText::OnEditChanged(LVK_REPORTRECORDITEM_ARGS* pArgs, LPCWSTR lpszText)
{
    SetValue(lpszText);
    CLVKReportRecordItem::OnEditChanged(pArgs, lpszText);
}
