#include "ThemeDLL.h"

#include "ResourceImages.h"
#include "SingletonPointer.h"

#include <cwctype>

namespace
{
const LPCWSTR kFamilyFiles[CLVKThemeDLL::familyCount] = {
    L"Office2007.dll",       L"Office2010.dll",       L"Office2013.dll", L"Office2016.dll",
    L"VisualStudio2012.dll", L"VisualStudio2015.dll", L"Windows7.dll",
};

// The words a theme name is searched for, in this order (so a name holding
// both WINDOWS7 and OFFICE2010 is a Windows 7 theme).
const struct
{
    LPCWSTR pszWord;
    int nFamily;
} kFamilyWords[] = {
    {L"WINDOWS7", CLVKThemeDLL::familyWindows7},
    {L"OFFICE2007", CLVKThemeDLL::familyOffice2007},
    {L"OFFICE2010", CLVKThemeDLL::familyOffice2010},
    {L"OFFICE2013", CLVKThemeDLL::familyOffice2013},
    {L"OFFICE2016", CLVKThemeDLL::familyOffice2016},
    {L"VISUALSTUDIO2012", CLVKThemeDLL::familyVisualStudio2012},
    {L"VISUALSTUDIO2015", CLVKThemeDLL::familyVisualStudio2015},
};
CString UpperCased(LPCWSTR lpszText)
{
    CString str = lpszText;
    for (int i = 0; i < str.GetLength(); ++i)
        str.SetAt(i, static_cast<wchar_t>(std::towupper(str[i])));
    return str;
}
}  // namespace

CLVKThemeDLL* AFX_CDECL CLVKThemeDLL::GetGlobal()
{
    return LVKGetSingleton<CLVKThemeDLL>();
}

CLVKThemeDLL::CLVKThemeDLL()
{
    LoadModules(nullptr);
}

CLVKThemeDLL::~CLVKThemeDLL()
{
    FreeModules();
}

void CLVKThemeDLL::FreeModules()
{
    for (int i = familyCount - 1; i >= 0; --i)
    {
        if (m_hModules[i])
            ::FreeLibrary(m_hModules[i]);
        m_hModules[i] = nullptr;
    }
}

HMODULE CLVKThemeDLL::GetFamilyModule(int nFamily) const
{
    return nFamily >= 0 && nFamily < familyCount ? m_hModules[nFamily] : nullptr;
}

BOOL CLVKThemeDLL::LoadModules(HMODULE hModule)
{
    WCHAR szPath[MAX_PATH] = {};
    const DWORD nLength = ::GetModuleFileNameW(hModule, szPath, MAX_PATH);
    if (nLength == 0 || nLength >= MAX_PATH)
        return FALSE;
    CString strFolder = szPath;
    const int nSlash = strFolder.ReverseFind(L'\\');
    strFolder = nSlash > 0 ? strFolder.Left(nSlash) : CString();
    strFolder += L"\\Styles\\";
    const DWORD dwAttributes = ::GetFileAttributesW(strFolder);
    if (dwAttributes == INVALID_FILE_ATTRIBUTES || !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return FALSE;

    BOOL bAny = FALSE;
    for (int i = 0; i < familyCount; ++i)
    {
        CString strPath;
        strPath.Format(L"%s\\%s", strFolder.GetString(), kFamilyFiles[i]);
        const DWORD dwFile = ::GetFileAttributesW(strPath);
        if (dwFile == INVALID_FILE_ATTRIBUTES || (dwFile & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        // Mapped as an image resource file only: a planted module's entry
        // point and imports are never run.
        HMODULE hFamily = ::LoadLibraryExW(strPath, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        if (!hFamily)
            continue;
        if (m_hModules[i])
            ::FreeLibrary(m_hModules[i]);
        m_hModules[i] = hFamily;
        bAny = TRUE;
    }
    return bAny;
}

int AFX_CDECL CLVKThemeDLL::FindFamily(LPCWSTR lpszIniName)
{
    if (!lpszIniName || !*lpszIniName)
        return -1;
    const CString strUpper = UpperCased(lpszIniName);
    for (const auto& w : kFamilyWords)
        if (strUpper.Find(w.pszWord) >= 0)
            return w.nFamily;
    return -1;
}

BOOL CLVKThemeDLL::SetTheme(LPCWSTR lpszIniName)
{
    const int nFamily = FindFamily(lpszIniName);
    if (nFamily < 0)
        return FALSE;
    return CLVKResourceImages::GetGlobal()->LoadTheme(m_hModules[nFamily], UpperCased(lpszIniName), FALSE);
}

void CLVKThemeDLL::Reset()
{
    CLVKResourceImages::GetGlobal()->ResetTheme();
}
