#include "NarrowString.h"

#include "ResourceManager.h"

CLVKNarrowString::CLVKNarrowString(LPCWSTR lpszText)
{
    Convert(lpszText, CLVKResourceManager::GetGlobal()->GetCodePage());
}

CLVKNarrowString::CLVKNarrowString(LPCWSTR lpszText, UINT nCodePage)
{
    Convert(lpszText, nCodePage);
}

void CLVKNarrowString::Convert(LPCWSTR lpszText, UINT nCodePage)
{
    if (!lpszText)
        return;
    const int cbText = WideCharToMultiByte(nCodePage, 0, lpszText, -1, nullptr, 0, nullptr, nullptr);
    if (cbText <= 0)
        return;
    // One byte more than asked for, so the text is terminated whatever the
    // conversion writes.
    m_pszText = new char[cbText + 1]();
    WideCharToMultiByte(nCodePage, 0, lpszText, -1, m_pszText, cbText, nullptr, nullptr);
}
