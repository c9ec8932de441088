#include "Foundation/StreamLocation.h"

#include <cwchar>
#include <cwctype>

namespace
{

HRESULT LastErrorResult()
{
    const DWORD dwError = ::GetLastError();
    return dwError ? HRESULT_FROM_WIN32(dwError) : E_FAIL;
}

HRESULT GetExePath(wchar_t (&szPath)[261])
{
    const DWORD n = ::GetModuleFileNameW(nullptr, szPath, 261);
    if (n == 0 || n >= 261)
        return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
    return S_OK;
}

// A name: "#n" or a positive number is an integer id, else at most 48 characters of text.
HRESULT SetResourceName(LPCWSTR pszName, size_t nLength, bool bHashOnly, LVKStreamLocation* pLocation)
{
    const wchar_t* pszDigits = pszName;
    if (nLength > 0 && pszName[0] == L'#')
        ++pszDigits;
    else if (bHashOnly)
        pszDigits = nullptr;
    if (pszDigits)
    {
        const long nId = wcstol(pszDigits, nullptr, 10);
        if (nId > 0 && nId <= 0xFFFF)
        {
            pLocation->lpszResName = MAKEINTRESOURCEW(nId);
            return S_OK;
        }
    }
    if (nLength >= _countof(pLocation->szNameText))
        return HRESULT_FROM_WIN32(ERROR_BUFFER_OVERFLOW);
    wmemcpy(pLocation->szNameText, pszName, nLength);
    pLocation->szNameText[nLength] = L'\0';
    pLocation->lpszResName = pLocation->szNameText;
    return S_OK;
}

}  // namespace

HRESULT AFX_CDECL LVKMakePathFromExeFolder(LPCWSTR pszPath, wchar_t (&szResult)[261])
{
    if (!pszPath)
        return E_POINTER;
    wchar_t szFolder[261] = {};
    const HRESULT hr = GetExePath(szFolder);
    if (FAILED(hr))
        return hr;
    ::PathRemoveFileSpecW(szFolder);
    if (wcslen(szFolder) + wcslen(pszPath) >= 261)
        return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
    if (!::PathCombineW(szResult, szFolder, pszPath))
        return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
    return S_OK;
}

HRESULT AFX_CDECL LVKParseResUrl(LPCWSTR pszText, LVKStreamLocation* pLocation, LPCWSTR pszResType)
{
    if (!pszText || !pLocation)
        return E_POINTER;
    pLocation->nKind = LVKStreamLocation::kindResource;
    const wchar_t* pszLastSlash = wcsrchr(pszText, L'/');
    if (!pszLastSlash)
    {
        if (wcschr(pszText, L'\\'))
            return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
        const HRESULT hr = GetExePath(pLocation->szPath);
        if (FAILED(hr))
            return hr;
        pLocation->lpszResType = pszResType ? pszResType : LVKResourceTypeFromExtension(pszText);
        return SetResourceName(pszText, wcslen(pszText), true, pLocation);
    }

    const wchar_t* pszName = pszLastSlash + 1;
    HRESULT hr = SetResourceName(pszName, wcslen(pszName), false, pLocation);
    if (FAILED(hr))
        return hr;

    // The module is what precedes the type segment, or the name when no type is given.
    const wchar_t* pszModuleEnd = pszLastSlash;
    const wchar_t* pszTypeSlash = nullptr;
    for (const wchar_t* p = pszLastSlash; p > pszText;)
    {
        --p;
        if (*p == L'/')
        {
            pszTypeSlash = p;
            break;
        }
    }
    if (pszTypeSlash && pszLastSlash - pszTypeSlash > 1)
    {
        const wchar_t* pszType = pszTypeSlash + 1;
        const size_t nType = static_cast<size_t>(pszLastSlash - pszType);
        const long nId = wcstol(pszType, nullptr, 10);
        if (nId > 0 && nId <= 0xFFFF)
        {
            pLocation->lpszResType = MAKEINTRESOURCEW(nId);
        }
        else
        {
            if (nType >= _countof(pLocation->szTypeText))
                return HRESULT_FROM_WIN32(ERROR_BUFFER_OVERFLOW);
            wmemcpy(pLocation->szTypeText, pszType, nType);
            pLocation->szTypeText[nType] = L'\0';
            pLocation->lpszResType = pLocation->szTypeText;
        }
        pszModuleEnd = pszTypeSlash;
    }
    else
    {
        pLocation->lpszResType = pszResType ? pszResType : LVKResourceTypeFromExtension(pLocation->szNameText);
        if (pszTypeSlash)
            pszModuleEnd = pszTypeSlash;
    }

    const size_t nModule = static_cast<size_t>(pszModuleEnd - pszText);
    if (nModule >= 261)
        return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
    wchar_t szModule[261] = {};
    wmemcpy(szModule, pszText, nModule);
    if (nModule == 0 || wcscmp(szModule, L".") == 0)
        return GetExePath(pLocation->szPath);
    return LVKMakePathFromExeFolder(szModule, pLocation->szPath);
}

HRESULT AFX_CDECL LVKParseStreamUrl(LPCWSTR pszUrl, LVKStreamLocation* pLocation, LPCWSTR pszResType)
{
    if (!pszUrl || !pLocation)
        return E_POINTER;
    pLocation->nKind = LVKStreamLocation::kindFile;
    pLocation->szPath[0] = L'\0';
    pLocation->lpszResType = nullptr;
    pLocation->lpszResName = nullptr;
    pLocation->szTypeText[0] = L'\0';
    pLocation->szNameText[0] = L'\0';
    if (wcsncmp(pszUrl, L"file://", 7) == 0)
        return LVKMakePathFromExeFolder(pszUrl + 7, pLocation->szPath);
    if (wcsncmp(pszUrl, L"res://", 6) == 0)
        return LVKParseResUrl(pszUrl + 6, pLocation, pszResType);
    return LVKMakePathFromExeFolder(pszUrl, pLocation->szPath);
}

HRESULT AFX_CDECL LVKReadFileToStream(LPCWSTR pszPath, IStream** ppStream)
{
    if (!pszPath || !ppStream)
        return E_POINTER;
    *ppStream = nullptr;
    const HANDLE hFile =
        ::CreateFileW(pszPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return LastErrorResult();
    struct FileCloser
    {
        HANDLE h;
        ~FileCloser() { ::CloseHandle(h); }
    } closer{hFile};

    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(hFile, &size))
        return LastErrorResult();
    if (size.HighPart != 0)
        return E_OUTOFMEMORY;
    if (size.LowPart == 0)
        return HRESULT_FROM_WIN32(ERROR_EMPTY);
    const HGLOBAL hMemory = ::GlobalAlloc(GMEM_ZEROINIT, size.LowPart);
    if (!hMemory)
        return LastErrorResult();
    void* pData = ::GlobalLock(hMemory);
    if (!pData)
    {
        const HRESULT hr = LastErrorResult();
        ::GlobalFree(hMemory);
        return hr;
    }
    DWORD nRead = 0;
    const BOOL bRead = ::ReadFile(hFile, pData, size.LowPart, &nRead, nullptr);
    const HRESULT hrRead = bRead ? S_OK : LastErrorResult();
    ::GlobalUnlock(hMemory);
    if (FAILED(hrRead))
    {
        ::GlobalFree(hMemory);
        return hrRead;
    }
    const HRESULT hr = ::CreateStreamOnHGlobal(hMemory, TRUE, ppStream);
    if (FAILED(hr))
    {
        ::GlobalFree(hMemory);
        return hr;
    }
    // A file that shrank while being read ends where the data ended.
    if (nRead != size.LowPart)
    {
        ULARGE_INTEGER newSize{};
        newSize.QuadPart = nRead;
        (*ppStream)->SetSize(newSize);
    }
    return S_OK;
}

HRESULT AFX_CDECL LVKReadResourceToStream(const LVKStreamLocation& location, IStream** ppStream)
{
    if (!ppStream)
        return E_POINTER;
    *ppStream = nullptr;
    if (!location.lpszResName)
        return E_INVALIDARG;
    const HMODULE hModule =
        ::LoadLibraryExW(location.szPath, nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE | LOAD_LIBRARY_AS_DATAFILE);
    if (!hModule)
        return LastErrorResult();
    struct ModuleFreer
    {
        HMODULE h;
        ~ModuleFreer() { ::FreeLibrary(h); }
    } freer{hModule};

    // Without a type, the first type of the module that holds the name.
    CString strFoundType;
    LPCWSTR pszType = location.lpszResType;
    if (!pszType)
    {
        LVKFindResourceType(strFoundType, hModule, location.lpszResName);
        pszType = strFoundType.IsEmpty() ? nullptr : strFoundType.GetString();
    }
    HRSRC hResource = pszType ? ::FindResourceW(hModule, location.lpszResName, pszType) : nullptr;
    if (!hResource && location.lpszResType)
    {
        LVKFindResourceType(strFoundType, hModule, location.lpszResName);
        if (!strFoundType.IsEmpty())
            hResource = ::FindResourceW(hModule, location.lpszResName, strFoundType);
    }
    if (!hResource)
        return LastErrorResult();
    const HGLOBAL hLoaded = ::LoadResource(hModule, hResource);
    const void* pResource = hLoaded ? ::LockResource(hLoaded) : nullptr;
    const DWORD nSize = ::SizeofResource(hModule, hResource);
    if (!pResource || nSize == 0)
        return LastErrorResult();
    const HGLOBAL hMemory = ::GlobalAlloc(GMEM_ZEROINIT, nSize);
    if (!hMemory)
        return LastErrorResult();
    void* pData = ::GlobalLock(hMemory);
    if (!pData)
    {
        const HRESULT hr = LastErrorResult();
        ::GlobalFree(hMemory);
        return hr;
    }
    memcpy(pData, pResource, nSize);
    ::GlobalUnlock(hMemory);
    const HRESULT hr = ::CreateStreamOnHGlobal(hMemory, TRUE, ppStream);
    if (FAILED(hr))
        ::GlobalFree(hMemory);
    return hr;
}
