#include "ReportHyperlink.h"

#include "Foundation/PropExchangeFunctions.h"

void CLVKReportHyperlink::DoPropExchange(CLVKPropExchange* pPX)
{
    ExchangeInt(pPX, L"HyperTextBegin", m_nHyperTextBegin, 0);
    ExchangeInt(pPX, L"HyperTextLen", m_nHyperTextLen, 0);
}
