#include "ResourceNames.h"

namespace
{

struct TypeSearch
{
    LPCTSTR lpszName;
    CString* pType;
};

BOOL CALLBACK FindTypeProc(HMODULE hModule, LPWSTR lpszType, LONG_PTR lParam)
{
    auto* pSearch = reinterpret_cast<TypeSearch*>(lParam);
    if (!FindResourceW(hModule, pSearch->lpszName, lpszType))
        return TRUE;
    if (IS_INTRESOURCE(lpszType))
        pSearch->pType->Format(L"#%i", static_cast<int>(reinterpret_cast<UINT_PTR>(lpszType)));
    else
        *pSearch->pType = lpszType;
    return FALSE;
}

struct LanguageSearch
{
    BOOL bFound = FALSE;
    BOOL bEnglishSeen = FALSE;
    LANGID wLanguage = 0;
};

BOOL CALLBACK FindLanguageProc(HMODULE, LPCWSTR, LPCWSTR, WORD wLanguage, LONG_PTR lParam)
{
    auto* pSearch = reinterpret_cast<LanguageSearch*>(lParam);
    if (wLanguage == 0)
        return TRUE;
    if (wLanguage == MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US))
    {
        pSearch->bEnglishSeen = TRUE;
        return TRUE;
    }
    pSearch->wLanguage = wLanguage;
    pSearch->bFound = TRUE;
    return FALSE;
}

BOOL CALLBACK FindLanguageNameProc(HMODULE hModule, LPCWSTR lpszType, LPWSTR lpszName, LONG_PTR lParam)
{
    EnumResourceLanguagesW(hModule, lpszType, lpszName, &FindLanguageProc, lParam);
    return !reinterpret_cast<LanguageSearch*>(lParam)->bFound;
}

BOOL CALLBACK FindLanguageTypeProc(HMODULE hModule, LPWSTR lpszType, LONG_PTR lParam)
{
    EnumResourceNamesW(hModule, lpszType, &FindLanguageNameProc, lParam);
    return !reinterpret_cast<LanguageSearch*>(lParam)->bFound;
}

struct ExtensionType
{
    LPCWSTR lpszExtension;
    LPCTSTR lpszType;
};

const ExtensionType kExtensionTypes[] = {
    {L".png", L"PNG"},   {L".bmp", RT_BITMAP}, {L".ico", RT_ICON}, {L".htm", RT_HTML},
    {L".html", RT_HTML}, {L".js", L"JS"},      {L".vbs", L"VBS"},
};

}  // namespace

void AFX_CDECL LVKFindResourceType(CString& strType, HMODULE hModule, LPCTSTR lpszName)
{
    strType.Empty();
    TypeSearch search{lpszName, &strType};
    EnumResourceTypesW(hModule, &FindTypeProc, reinterpret_cast<LONG_PTR>(&search));
}

LPCTSTR AFX_CDECL LVKResourceTypeFromExtension(LPCTSTR lpszFileName)
{
    if (!lpszFileName)
        return nullptr;
    const size_t cchName = wcslen(lpszFileName);
    for (const ExtensionType& entry : kExtensionTypes)
    {
        const size_t cchExtension = wcslen(entry.lpszExtension);
        if (cchName > cchExtension && _wcsicmp(lpszFileName + cchName - cchExtension, entry.lpszExtension) == 0)
            return entry.lpszType;
    }
    return nullptr;
}

UINT AFX_CDECL LVKResourceIdFromName(LPCTSTR lpszName)
{
    if (IS_INTRESOURCE(lpszName))
        return static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszName));
    if (lpszName[0] == L'#')
        return static_cast<UINT>(_wtoi(lpszName + 1));
    return 0;
}

LANGID AFX_CDECL LVKFindResourceLanguage(HMODULE hModule)
{
    LanguageSearch search;
    EnumResourceTypesW(hModule, &FindLanguageTypeProc, reinterpret_cast<LONG_PTR>(&search));
    if (search.bFound)
        return search.wLanguage;
    return search.bEnglishSeen ? MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US) : 0;
}
