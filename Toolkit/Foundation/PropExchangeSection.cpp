#include "Foundation/PropExchangeSection.h"

#include "Foundation/PropExchangeIniFile.h"
#include "Foundation/PropExchangeRegistry.h"

CLVKPropExchangeSection::CLVKPropExchangeSection(BOOL bLoading, LPCTSTR pszSection)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pszRegistryKey)
    {
        m_pPX = new CLVKPropExchangeRegistry(bLoading, nullptr, pszSection);
        return;
    }
    CLVKPropExchangeIniFile* pIni = new CLVKPropExchangeIniFile(bLoading, nullptr, pszSection);
    if (pApp && pApp->m_pszProfileName)
        pIni->AssignFile(pApp->m_pszProfileName);
    m_pPX = pIni;
}

CLVKPropExchangeSection::~CLVKPropExchangeSection()
{
    if (m_pPX)
        m_pPX->InternalRelease();
}
