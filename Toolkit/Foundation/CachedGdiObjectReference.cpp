#include "CachedGdiObjectReference.h"

#include "GdiObjectCacheBase.h"

BOOL CLVKCachedGdiObjectReferenceBase::DeleteGdiHandle()
{
    if (!m_pObject || !m_pObject->GetSafeHandle())
        return TRUE;
    return m_pObject->DeleteObject();
}

int CLVKCachedGdiObjectReferenceBase::Release()
{
    int nResult = 1;
    BOOL bLast = FALSE;
    if (CLVKGdiObjectCacheBase* const pCache = m_pCache)
    {
        // Under the cache lock, so that no lookup can hand the object out
        // again between the last decrement and the removal.
        CLVKWriteLockScope lock(pCache->GetLock());
        if (InterlockedDecrement(&m_nRefs) == 0)
        {
            bLast = TRUE;
            pCache->RemoveKey(GetRemovalKey());
            nResult = DeleteGdiHandle();
        }
    }
    else if (InterlockedDecrement(&m_nRefs) == 0)
    {
        bLast = TRUE;
        nResult = DeleteGdiHandle();
    }
    if (bLast)
        delete this;
    return nResult;
}
