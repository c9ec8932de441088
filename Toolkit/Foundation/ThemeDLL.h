// The keeper of the resource-only theme family modules found in the "Styles"
// folder beside the program, and the selection of a theme by its INI name.
// The modules are mapped as data: nothing in them ever runs.
#pragma once

#include "Framework.h"

class CLVKThemeDLL
{
public:
    enum Family
    {
        familyOffice2007,
        familyOffice2010,
        familyOffice2013,
        familyOffice2016,
        familyVisualStudio2012,
        familyVisualStudio2015,
        familyWindows7,
        familyCount
    };

    static CLVKThemeDLL* AFX_CDECL GetGlobal();

    // Loads the family modules beside the executable.
    CLVKThemeDLL();
    virtual ~CLVKThemeDLL();

    // From "<module's folder>\Styles\"; true when any family module loaded.
    BOOL LoadModules(HMODULE hModule);
    // Picks the family from the name and loads the INI into the global
    // resource images; false for an empty name or no known family.
    BOOL SetTheme(LPCWSTR lpszIniName);
    void Reset();

    HMODULE GetFamilyModule(int nFamily) const;
    // The family whose word the upper-cased name holds first in the lookup
    // order, or -1.
    static int AFX_CDECL FindFamily(LPCWSTR lpszIniName);

    CLVKThemeDLL(const CLVKThemeDLL&) = delete;
    CLVKThemeDLL& operator=(const CLVKThemeDLL&) = delete;

private:
    void FreeModules();

    HMODULE m_hModules[familyCount] = {};
};
