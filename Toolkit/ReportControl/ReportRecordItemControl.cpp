#include "ReportRecordItemControl.h"

#include "Foundation/PropExchangeEnumerator.h"
#include "Foundation/PropExchangeFunctions.h"
#include "Foundation/PropExchangeSection.h"

IMPLEMENT_DYNCREATE(CLVKReportRecordItemControl, CLVKCmdTarget)

CLVKReportRecordItemControl::CLVKReportRecordItemControl(LPCWSTR lpszCaption)
    : m_strCaption(lpszCaption ? lpszCaption : L""), m_clrCaption(::GetSysColor(COLOR_BTNTEXT))
{
}

int CLVKReportRecordItemControl::GetIconIndex(int nState) const
{
    auto it = m_mapStateIcons.find(nState);
    if (it != m_mapStateIcons.end())
        return it->second;
    it = m_mapStateIcons.find(0);
    return it != m_mapStateIcons.end() ? it->second : -1;
}

void CLVKReportRecordItemControl::DoPropExchange(CLVKPropExchange* pPX)
{
    ExchangeInt(pPX, L"Type", m_nType, 0);
    ExchangeString(pPX, L"Caption", m_strCaption, L"");
    int nColor = static_cast<int>(m_clrCaption);
    ExchangeInt(pPX, L"CaptionColor", nColor, static_cast<int>(::GetSysColor(COLOR_BTNTEXT)));
    m_clrCaption = static_cast<COLORREF>(nColor);
    ExchangeSize(pPX, L"Size", m_szControl, 0, 0);
    ExchangeInt(pPX, L"Flags", m_unFlags, 0);
    ExchangeInt(pPX, L"Alignment", m_nAlignment, 0);
    ExchangeBool(pPX, L"Enable", m_bEnabled, TRUE);
    ExchangeBool(pPX, L"Themed", m_bThemed, FALSE);

    CLVKPropExchangeEnumeratorPtr pEnumerator(pPX->CreateEnumerator(L"StateIcons"));
    if (pPX->IsLoading())
        m_mapStateIcons.clear();
    DWORD_PTR pos = pEnumerator->StartWalk(static_cast<DWORD>(m_mapStateIcons.size()));
    auto it = m_mapStateIcons.begin();
    while (pos)
    {
        CLVKPropExchangeSection section(pEnumerator->NextSection(pos));
        if (!section.Get())
            break;
        if (pPX->IsLoading())
        {
            int nState = 0;
            int nIcon = 0;
            ExchangeInt(section, L"State", nState, 0);
            ExchangeInt(section, L"Icon", nIcon, 0);
            m_mapStateIcons[nState] = nIcon;
        }
        else
        {
            int nState = it->first;
            int nIcon = it->second;
            ExchangeInt(section, L"State", nState, 0);
            ExchangeInt(section, L"Icon", nIcon, 0);
            ++it;
        }
    }
}
