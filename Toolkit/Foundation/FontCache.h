// The process-wide cache of shared fonts: one HFONT per distinct LOGFONTW,
// face names compared without regard to case.
#pragma once

#include "CachedGdiObjectReference.h"
#include "GdiObjectCacheBase.h"

// The cache's key hash and match; found by the map through the key's type.
UINT AFXAPI HashKey(const LOGFONTW& key);
template <>
BOOL AFXAPI CompareElements<LOGFONTW, LOGFONTW>(const LOGFONTW* pKey1, const LOGFONTW* pKey2);

typedef CLVKCachedGdiObjectReference<CFont, LOGFONTW> CLVKCachedFontReference;

class CLVKFontCache : public CLVKGdiObjectCacheBase
{
public:
    static CLVKFontCache* AFX_CDECL GetGlobal();

    CLVKFontCache();
    ~CLVKFontCache() override;

    // One more count of the font for the description, made on a miss; null
    // when the font cannot be made.
    CLVKCachedGdiObjectReferenceBase* GetFont(const LOGFONTW& logFont);
    void RemoveKey(const void* pKey) override;

    INT_PTR GetCount() const { return m_map.GetCount(); }

private:
    // Values are CLVKCachedFontReference pointers.
    CMap<LOGFONTW, const LOGFONTW&, void*, void*> m_map;
};
