// "file://" and "res://" locations, and opening them as memory streams.
#pragma once

#include "Foundation/ResourceNames.h"

struct LVKStreamLocation
{
    enum Kind
    {
        kindFile = 0,
        kindResource = 1
    };

    DWORD nKind = kindFile;
    // The absolute file path, or the module holding the resource.
    wchar_t szPath[261] = {};
    // Text or integer id; they may point into the two buffers below, so a
    // location is not copied.
    LPCWSTR lpszResType = nullptr;
    LPCWSTR lpszResName = nullptr;
    wchar_t szTypeText[50] = {};
    wchar_t szNameText[49] = {};

    LVKStreamLocation() = default;
    LVKStreamLocation(const LVKStreamLocation&) = delete;
    LVKStreamLocation& operator=(const LVKStreamLocation&) = delete;
};

// "file://path", "res://[module/][type/]name" or a plain path. The type
// argument (or null) is used when the URL names none.
HRESULT AFX_CDECL LVKParseStreamUrl(LPCWSTR pszUrl, LVKStreamLocation* pLocation, LPCWSTR pszResType = nullptr);
// The part after "res://".
HRESULT AFX_CDECL LVKParseResUrl(LPCWSTR pszText, LVKStreamLocation* pLocation, LPCWSTR pszResType);
// The path made absolute against the executable's folder (an absolute path stays).
HRESULT AFX_CDECL LVKMakePathFromExeFolder(LPCWSTR pszPath, wchar_t (&szResult)[261]);

// The whole file or resource copied into a stream on global memory.
HRESULT AFX_CDECL LVKReadFileToStream(LPCWSTR pszPath, IStream** ppStream);
HRESULT AFX_CDECL LVKReadResourceToStream(const LVKStreamLocation& location, IStream** ppStream);
