// While it lives, the framework's current resource handle is the toolkit's
// resource module (when one is set), so framework loaders read from it.
#pragma once

#include "ResourceManager.h"

class CLVKResourceHandleScope
{
public:
    CLVKResourceHandleScope()
    {
        const HMODULE hToolkit = CLVKResourceManager::GetToolkitResourceHandle();
        if (!hToolkit)
            return;
        m_hSaved = AfxGetResourceHandle();
        AfxSetResourceHandle(hToolkit);
        m_bSwitched = TRUE;
    }
    ~CLVKResourceHandleScope()
    {
        if (m_bSwitched)
            AfxSetResourceHandle(m_hSaved);
    }

    CLVKResourceHandleScope(const CLVKResourceHandleScope&) = delete;
    CLVKResourceHandleScope& operator=(const CLVKResourceHandleScope&) = delete;

private:
    BOOL m_bSwitched = FALSE;
    HINSTANCE m_hSaved = nullptr;
};
