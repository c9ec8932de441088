#include "PathServices.h"
#include "MappedPath.h"

CString StripTrailingBackslash(LPCWSTR path)
{
    const CString result(path ? path : L"");
    const int length = result.GetLength();
    if (length > 2 && result[length - 1] == L'\\')
        return result.Left(length - 1);
    return result;
}

bool IsUncPath(LPCWSTR path, CString* server)
{
    if (!path || path[0] != L'\\' || path[1] != L'\\')
        return false;
    const wchar_t* serverStart = path + 2;
    if (_wcsnicmp(path, L"\\\\?\\UNC\\", 8) == 0)
        serverStart = path + 8;
    const wchar_t* const serverEnd = wcschr(serverStart, L'\\');
    if (!serverEnd || serverEnd == serverStart || !serverEnd[1] || serverEnd[1] == L'\\')
        return false;
    // "\\.\" and "\\?\" begin device and long-path names, not servers.
    const CString name(serverStart, static_cast<int>(serverEnd - serverStart));
    if (name == L"." || name == L"?")
        return false;
    if (server)
        *server = name;
    return true;
}

bool IsExistingFolder(LPCWSTR path)
{
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

CString SuggestLabelFromPath(LPCWSTR path)
{
    const CString resolved = StripTrailingBackslash(ResolveMappedPath(path ? path : L""));
    const int lastBackslash = resolved.ReverseFind(L'\\');
    CString label = lastBackslash < 0 ? resolved : resolved.Mid(lastBackslash + 1);
    CString server;
    if (IsUncPath(resolved, &server))
        label += L"@" + server;
    return label;
}

CString GetModulePath()
{
    WCHAR buffer[1024] = {};
    const DWORD length = GetModuleFileNameW(nullptr, buffer, _countof(buffer));
    return CString(buffer, static_cast<int>(length < _countof(buffer) ? length : _countof(buffer) - 1));
}

CString GetModuleFolder()
{
    const CString path = GetModulePath();
    const int lastBackslash = path.ReverseFind(L'\\');
    return lastBackslash < 0 ? CString() : path.Left(lastBackslash + 1);
}

CString GetDefaultIconLocation(BOOL bNetwork)
{
    CString location;
    location.Format(L"%s,%d", static_cast<LPCWSTR>(GetModulePath()), bNetwork ? 1 : 0);
    return location;
}
