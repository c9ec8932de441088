// The COM enumerator ("_NewEnum") of a markup collection: hands out the
// items' automation objects in order. It holds a reference on its collection.
#pragma once

#include "Framework.h"

class CLVKMarkupCollection;

class CLVKMarkupCollectionEnumerator final : public IEnumVARIANT
{
public:
    // Starts at nIndex with one reference.
    CLVKMarkupCollectionEnumerator(CLVKMarkupCollection* pCollection, int nIndex = 0);

    STDMETHOD(QueryInterface)(REFIID iid, void** ppvObject) override;
    STDMETHOD_(ULONG, AddRef)() override;
    // A count already at 0 answers 0 and does nothing.
    STDMETHOD_(ULONG, Release)() override;
    // Fills up to celt VARIANTs; S_FALSE when fewer were left.
    STDMETHOD(Next)(ULONG celt, VARIANT* rgVar, ULONG* pCeltFetched) override;
    // Past the end leaves the enumerator at the end and answers S_FALSE.
    STDMETHOD(Skip)(ULONG celt) override;
    STDMETHOD(Reset)() override;
    STDMETHOD(Clone)(IEnumVARIANT** ppEnum) override;

    int GetIndex() const { return m_nIndex; }

private:
    ~CLVKMarkupCollectionEnumerator();

    volatile LONG m_nRefCount = 1;
    CLVKMarkupCollection* m_pCollection;
    int m_nIndex;
};
