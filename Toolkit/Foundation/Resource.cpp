#include "Resource.h"

BOOL CLVKResource::Load(HMODULE hModule, LPCWSTR lpszName, LPCWSTR lpszType)
{
    m_hResource = ::FindResourceW(hModule, lpszName, lpszType);
    if (!m_hResource)
        return FALSE;
    m_nSize = ::SizeofResource(hModule, m_hResource);
    if (m_nSize == 0)
        return FALSE;
    m_hLoaded = ::LoadResource(hModule, m_hResource);
    if (!m_hLoaded)
        return FALSE;
    m_pData = ::LockResource(m_hLoaded);
    return m_pData != nullptr;
}
