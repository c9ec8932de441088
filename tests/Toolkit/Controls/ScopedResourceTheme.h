// One of the program's resource themes, with its pictures, for one test;
// without a name, none. No theme is in force afterwards.
#pragma once

#include "Foundation/ResourceImages.h"

class ScopedResourceTheme
{
public:
    explicit ScopedResourceTheme(LPCWSTR lpszName)
    {
        CLVKResourceImages* const pImages = CLVKResourceImages::GetGlobal();
        if (lpszName)
            m_bLoaded = pImages->LoadTheme(::GetModuleHandleW(nullptr), lpszName, FALSE);
        else
            pImages->ResetTheme();
    }
    ~ScopedResourceTheme() { CLVKResourceImages::GetGlobal()->ResetTheme(); }
    BOOL IsLoaded() const { return m_bLoaded; }

    ScopedResourceTheme(const ScopedResourceTheme&) = delete;
    ScopedResourceTheme& operator=(const ScopedResourceTheme&) = delete;

private:
    BOOL m_bLoaded = FALSE;
};
