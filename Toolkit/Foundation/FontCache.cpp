#include "FontCache.h"

#include "SingletonPointer.h"

#include <new>

namespace
{

// The fields from lfHeight to lfPitchAndFamily, which come before the face.
const size_t kFontFieldsSize = offsetof(LOGFONTW, lfFaceName);

}  // namespace

UINT AFXAPI HashKey(const LOGFONTW& key)
{
    const DWORD* const pWords = reinterpret_cast<const DWORD*>(&key);
    DWORD dwHash = 0;
    for (DWORD i = 0; i < kFontFieldsSize / sizeof(DWORD); ++i)
        dwHash += i * i - 2 - pWords[i];
    DWORD p = 2;
    for (const WCHAR* pch = key.lfFaceName; pch < key.lfFaceName + LF_FACESIZE && *pch; ++pch, ++p)
        dwHash += p * p - 4 * p + 2 - *pch;
    return dwHash;
}

template <>
BOOL AFXAPI CompareElements<LOGFONTW, LOGFONTW>(const LOGFONTW* pKey1, const LOGFONTW* pKey2)
{
    return memcmp(pKey1, pKey2, kFontFieldsSize) == 0 &&
           wcsncmp(pKey1->lfFaceName, pKey2->lfFaceName, LF_FACESIZE) == 0;
}

CLVKFontCache* AFX_CDECL CLVKFontCache::GetGlobal()
{
    return LVKGetSingleton<CLVKFontCache>();
}

CLVKFontCache::CLVKFontCache() : m_map(10)
{
    m_map.InitHashTable(17);
}

CLVKFontCache::~CLVKFontCache()
{
    // Holders may outlive the cache; their references then free themselves.
    CLVKWriteLockScope lock(GetLock());
    POSITION pos = m_map.GetStartPosition();
    while (pos)
    {
        LOGFONTW key;
        void* pValue = nullptr;
        m_map.GetNextAssoc(pos, key, pValue);
        static_cast<CLVKCachedFontReference*>(pValue)->DetachCache();
    }
    m_map.RemoveAll();
}

CLVKCachedGdiObjectReferenceBase* CLVKFontCache::GetFont(const LOGFONTW& logFont)
{
    LOGFONTW key = logFont;
    key.lfFaceName[LF_FACESIZE - 1] = 0;
    CharLowerBuffW(key.lfFaceName, lstrlenW(key.lfFaceName));

    CLVKWriteLockScope lock(GetLock());
    void* pValue = nullptr;
    if (m_map.Lookup(key, pValue))
    {
        auto* const pFound = static_cast<CLVKCachedFontReference*>(pValue);
        pFound->AddRef();
        return pFound;
    }
    const HFONT hFont = ::CreateFontIndirectW(&key);
    if (!hFont)
        return nullptr;
    auto* const pReference = new (std::nothrow) CLVKCachedFontReference(hFont, key);
    if (!pReference)
    {
        ::DeleteObject(hFont);
        return nullptr;
    }
    pReference->Attach(this);
    m_map.SetAt(key, pReference);
    return pReference;
}

void CLVKFontCache::RemoveKey(const void* pKey)
{
    CLVKWriteLockScope lock(GetLock());
    m_map.RemoveKey(*static_cast<const LOGFONTW*>(pKey));
}
