// The process-wide cache of shared brushes: one HBRUSH per distinct LOGBRUSH.
#pragma once

#include "CachedGdiObjectReference.h"
#include "GdiObjectCacheBase.h"

UINT AFXAPI HashKey(const LOGBRUSH& key);
template <>
BOOL AFXAPI CompareElements<LOGBRUSH, LOGBRUSH>(const LOGBRUSH* pKey1, const LOGBRUSH* pKey2);

typedef CLVKCachedGdiObjectReference<CBrush, LOGBRUSH> CLVKCachedBrushReference;

class CLVKBrushCache : public CLVKGdiObjectCacheBase
{
public:
    static CLVKBrushCache* AFX_CDECL GetGlobal();

    CLVKBrushCache();
    ~CLVKBrushCache() override;

    CLVKCachedGdiObjectReferenceBase* GetBrush(const LOGBRUSH& logBrush);
    void RemoveKey(const void* pKey) override;

    INT_PTR GetCount() const { return m_map.GetCount(); }

private:
    // Values are CLVKCachedBrushReference pointers.
    CMap<LOGBRUSH, const LOGBRUSH&, void*, void*> m_map;
};
