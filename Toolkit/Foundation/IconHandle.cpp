#include "IconHandle.h"

CLVKIconHandle::~CLVKIconHandle()
{
    if (m_hIcon)
        ::DestroyIcon(m_hIcon);
}

void CLVKIconHandle::SetIcon(HICON hIcon)
{
    if (m_hIcon && m_hIcon != hIcon)
        ::DestroyIcon(m_hIcon);
    m_hIcon = hIcon;
}
