// The one child of an element that holds a single child (a decorator, a
// page, an inline UI container, a scroll viewer's bars): the slot keeps the
// child's reference and makes the holder its logical parent while it holds it.
#pragma once

#include "Markup/MarkupObject.h"

template <class T>
class CLVKMarkupChildSlot
{
public:
    explicit CLVKMarkupChildSlot(CLVKMarkupObject* pHolder) : m_pHolder(pHolder) {}
    ~CLVKMarkupChildSlot() { Reset(); }
    CLVKMarkupChildSlot(const CLVKMarkupChildSlot&) = delete;
    CLVKMarkupChildSlot& operator=(const CLVKMarkupChildSlot&) = delete;

    T* Get() const { return m_pChild; }

    // Whether the slot may take the child: one that already has a parent
    // belongs elsewhere, and the holder or one of its ancestors would close
    // a loop of parents that every walk up the tree would follow.
    BOOL CanHold(const T* pChild) const
    {
        return !pChild || (!pChild->GetLogicalParent() && !WouldCloseMarkupCycle(m_pHolder, pChild));
    }

    // Takes over the caller's reference; the child held so far loses its
    // parent and is released (null only empties the slot). A child the slot
    // may not take is refused with FALSE and stays the caller's.
    BOOL Set(T* pChild)
    {
        if (!CanHold(pChild))
        {
            return FALSE;
        }
        Reset();
        m_pChild = pChild;
        if (m_pChild)
        {
            m_pChild->SetLogicalParent(m_pHolder);
        }
        return TRUE;
    }

    // Empties the slot. The child is out of the slot before its release, so
    // that nothing its destruction calls finds it there.
    void Reset()
    {
        T* const pOld = m_pChild;
        m_pChild = nullptr;
        if (pOld)
        {
            pOld->SetLogicalParent(nullptr);
            pOld->Release();
        }
    }

private:
    CLVKMarkupObject* const m_pHolder;
    T* m_pChild = nullptr;
};
