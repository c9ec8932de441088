#include "Markup/MarkupCollectionEnumerator.h"

#include "Markup/MarkupCollection.h"

#include <new>

CLVKMarkupCollectionEnumerator::CLVKMarkupCollectionEnumerator(CLVKMarkupCollection* pCollection, int nIndex)
    : m_pCollection(pCollection), m_nIndex(nIndex)
{
    if (m_pCollection)
    {
        m_pCollection->AddRef();
    }
}

CLVKMarkupCollectionEnumerator::~CLVKMarkupCollectionEnumerator()
{
    if (m_pCollection)
    {
        m_pCollection->Release();
    }
}

STDMETHODIMP CLVKMarkupCollectionEnumerator::QueryInterface(REFIID iid, void** ppvObject)
{
    if (!ppvObject)
    {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IEnumVARIANT))
    {
        *ppvObject = static_cast<IEnumVARIANT*>(this);
        AddRef();
        return S_OK;
    }
    *ppvObject = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CLVKMarkupCollectionEnumerator::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_nRefCount));
}

STDMETHODIMP_(ULONG) CLVKMarkupCollectionEnumerator::Release()
{
    if (m_nRefCount <= 0)
    {
        return 0;
    }
    const LONG nCount = InterlockedDecrement(&m_nRefCount);
    if (nCount == 0)
    {
        delete this;
    }
    return static_cast<ULONG>(nCount);
}

STDMETHODIMP CLVKMarkupCollectionEnumerator::Next(ULONG celt, VARIANT* rgVar, ULONG* pCeltFetched)
{
    if (!rgVar && celt > 0)
    {
        return E_POINTER;
    }
    ULONG nFetched = 0;
    const int nCount = m_pCollection ? m_pCollection->GetCount() : 0;
    while (nFetched < celt && m_nIndex < nCount)
    {
        VARIANT& var = rgVar[nFetched];
        VariantInit(&var);
        V_VT(&var) = VT_DISPATCH;
        V_DISPATCH(&var) = CLVKMarkupObject::GetDispatch(m_pCollection->GetItemOrNull(m_nIndex), TRUE);
        ++m_nIndex;
        ++nFetched;
    }
    if (pCeltFetched)
    {
        *pCeltFetched = nFetched;
    }
    return nFetched < celt ? S_FALSE : S_OK;
}

STDMETHODIMP CLVKMarkupCollectionEnumerator::Skip(ULONG celt)
{
    const int nCount = m_pCollection ? m_pCollection->GetCount() : 0;
    if (static_cast<ULONGLONG>(m_nIndex) + celt < static_cast<ULONGLONG>(nCount))
    {
        m_nIndex += static_cast<int>(celt);
        return S_OK;
    }
    m_nIndex = nCount;
    return S_FALSE;
}

STDMETHODIMP CLVKMarkupCollectionEnumerator::Reset()
{
    m_nIndex = 0;
    return S_OK;
}

STDMETHODIMP CLVKMarkupCollectionEnumerator::Clone(IEnumVARIANT** ppEnum)
{
    if (!ppEnum)
    {
        return E_POINTER;
    }
    *ppEnum = new (std::nothrow) CLVKMarkupCollectionEnumerator(m_pCollection, m_nIndex);
    return *ppEnum ? S_OK : E_OUTOFMEMORY;
}
