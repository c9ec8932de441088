#include "PackedStyles.h"

CLVKPackedStyles::~CLVKPackedStyles()
{
    Close();
}

BOOL CLVKPackedStyles::Open(HMODULE hModule)
{
    Close();
    if (!m_resource.Load(hModule ? hModule : ::GetModuleHandleW(nullptr), L"XAML_STYLE", L"STYLE"))
        return FALSE;
    m_hZip = OpenZipReaderFromMemory(m_resource.GetData(), m_resource.GetSize(), nullptr);
    return m_hZip != nullptr;
}

void CLVKPackedStyles::Close()
{
    if (m_hZip)
        CloseZipReader(m_hZip);
    m_hZip = nullptr;
}

BOOL CLVKPackedStyles::GetText(LPCWSTR lpszName, CStringA& strText)
{
    strText.Empty();
    if (!m_hZip)
        return FALSE;
    return ExtractZipReaderItemText(m_hZip, lpszName, strText) == kZipOk;
}
