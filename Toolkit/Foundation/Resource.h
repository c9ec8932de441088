// One resource of a module, found, loaded and locked; module resources need
// no release, so nothing is freed at the end.
#pragma once

#include "Framework.h"

class CLVKResource
{
public:
    CLVKResource() = default;
    virtual ~CLVKResource() = default;

    // True when the resource exists, is not empty and its bytes are locked.
    BOOL Load(HMODULE hModule, LPCWSTR lpszName, LPCWSTR lpszType);

    HRSRC GetResourceHandle() const { return m_hResource; }
    const void* GetData() const { return m_pData; }
    DWORD GetSize() const { return m_nSize; }

private:
    HRSRC m_hResource = nullptr;
    HGLOBAL m_hLoaded = nullptr;
    const void* m_pData = nullptr;
    DWORD m_nSize = 0;
};
