#include "ReportRecordItemNumber.h"

#include "Foundation/PropExchange.h"

IMPLEMENT_DYNCREATE(CLVKReportRecordItemNumber, CLVKReportRecordItem)

CLVKReportRecordItemNumber::CLVKReportRecordItemNumber(double dValue, LPCWSTR lpszFormat) : m_dValue(dValue)
{
    m_strFormatString = lpszFormat;
}

CString CLVKReportRecordItemNumber::GetCaption(CLVKReportColumn* pColumn)
{
    if (IsMergeFollower())
        return GetMergeMaster()->GetCaption(pColumn);
    if (!m_strCaption.IsEmpty())
        return m_strCaption;
    return LVKReportFormatDouble(m_strFormatString, m_dValue);
}

int CLVKReportRecordItemNumber::Compare(CLVKReportColumn* pColumn, CLVKReportRecordItem* pItem)
{
    auto* pNumber = dynamic_cast<CLVKReportRecordItemNumber*>(pItem);
    if (!pNumber || GetSortPriority() != -1 || pItem->GetSortPriority() != -1)
        return CLVKReportRecordItem::Compare(pColumn, pItem);
    return m_dValue < pNumber->m_dValue ? -1 : (m_dValue > pNumber->m_dValue ? 1 : 0);
}

void CLVKReportRecordItemNumber::OnEditChanged(LVK_REPORTRECORDITEM_ARGS* pArgs, LPCWSTR lpszText)
{
    m_dValue = ReportTextToDouble(lpszText);
    CLVKReportRecordItem::OnEditChanged(pArgs, lpszText);
}

void CLVKReportRecordItemNumber::DoPropExchange(CLVKPropExchange* pPX)
{
    CLVKReportRecordItem::DoPropExchange(pPX);
    const double dDefault = 0.0;
    pPX->ExchangeValue(L"Value", PX_DOUBLE, &m_dValue, &dDefault);
}
