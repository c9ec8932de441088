#include "BrushCache.h"

#include "SingletonPointer.h"

#include <new>

UINT AFXAPI HashKey(const LOGBRUSH& key)
{
    const DWORD words[3] = {key.lbStyle, key.lbColor, static_cast<DWORD>(key.lbHatch)};
    DWORD dwHash = 0;
    for (DWORD i = 0; i < 3; ++i)
        dwHash += i * i - 2 - words[i];
    return dwHash;
}

template <>
BOOL AFXAPI CompareElements<LOGBRUSH, LOGBRUSH>(const LOGBRUSH* pKey1, const LOGBRUSH* pKey2)
{
    return pKey1->lbStyle == pKey2->lbStyle && pKey1->lbColor == pKey2->lbColor && pKey1->lbHatch == pKey2->lbHatch;
}

CLVKBrushCache* AFX_CDECL CLVKBrushCache::GetGlobal()
{
    return LVKGetSingleton<CLVKBrushCache>();
}

CLVKBrushCache::CLVKBrushCache() : m_map(10)
{
    m_map.InitHashTable(17);
}

CLVKBrushCache::~CLVKBrushCache()
{
    CLVKWriteLockScope lock(GetLock());
    POSITION pos = m_map.GetStartPosition();
    while (pos)
    {
        LOGBRUSH key;
        void* pValue = nullptr;
        m_map.GetNextAssoc(pos, key, pValue);
        static_cast<CLVKCachedBrushReference*>(pValue)->DetachCache();
    }
    m_map.RemoveAll();
}

CLVKCachedGdiObjectReferenceBase* CLVKBrushCache::GetBrush(const LOGBRUSH& logBrush)
{
    CLVKWriteLockScope lock(GetLock());
    void* pValue = nullptr;
    if (m_map.Lookup(logBrush, pValue))
    {
        auto* const pFound = static_cast<CLVKCachedBrushReference*>(pValue);
        pFound->AddRef();
        return pFound;
    }
    const HBRUSH hBrush = ::CreateBrushIndirect(&logBrush);
    if (!hBrush)
        return nullptr;
    auto* const pReference = new (std::nothrow) CLVKCachedBrushReference(hBrush, logBrush);
    if (!pReference)
    {
        ::DeleteObject(hBrush);
        return nullptr;
    }
    pReference->Attach(this);
    m_map.SetAt(logBrush, pReference);
    return pReference;
}

void CLVKBrushCache::RemoveKey(const void* pKey)
{
    CLVKWriteLockScope lock(GetLock());
    m_map.RemoveKey(*static_cast<const LOGBRUSH*>(pKey));
}
