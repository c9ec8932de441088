// One shared GDI object of a font or brush cache with its reference count.
// The cache makes it with one count; every holder that shares it adds one;
// the last Release removes it from its cache and deletes the GDI object.
#pragma once

#include "Framework.h"

class CLVKGdiObjectCacheBase;

class CLVKCachedGdiObjectReferenceBase : public CObject
{
public:
    void AddRef() { InterlockedIncrement(&m_nRefs); }
    // Returns 1, or the result of deleting the GDI object at the last count.
    int Release();

    // Binds the reference to the cache that keeps it.
    void Attach(CLVKGdiObjectCacheBase* pCache) { m_pCache = pCache; }
    // Told by a cache that goes away before its references.
    void DetachCache() { m_pCache = nullptr; }

    CGdiObject* GetObject() { return m_pObject; }
    LONG GetRefCount() const { return m_nRefs; }
    CLVKGdiObjectCacheBase* GetCache() const { return m_pCache; }

    virtual const void* GetCacheKey() const = 0;
    virtual BOOL DeleteGdiHandle();
    virtual const void* GetRemovalKey() const { return GetCacheKey(); }

protected:
    explicit CLVKCachedGdiObjectReferenceBase(CGdiObject* pObject) : m_pObject(pObject) {}

private:
    volatile LONG m_nRefs = 1;
    CLVKGdiObjectCacheBase* m_pCache = nullptr;
    CGdiObject* m_pObject;
};

// The reference of one kind of object, made from a key of type TKey.
template <class TObject, class TKey>
class CLVKCachedGdiObjectReference : public CLVKCachedGdiObjectReferenceBase
{
public:
    CLVKCachedGdiObjectReference(HGDIOBJ hObject, const TKey& key)
        : CLVKCachedGdiObjectReferenceBase(&m_object), m_key(key)
    {
        m_object.Attach(hObject);
    }

    const void* GetCacheKey() const override { return &m_key; }
    const TKey& GetKey() const { return m_key; }
    TObject& GetTypedObject() { return m_object; }

private:
    TObject m_object;
    TKey m_key;
};
