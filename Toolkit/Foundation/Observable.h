// A list of observers that an object notifies, from the last registered to the
// first. Observers removed while a notification runs are only marked and are
// dropped once the outermost notification has ended, so a notification may
// remove observers (itself included) safely.
#pragma once

#include "Framework.h"

#include <vector>

// An observer's own record of the observables it watches. Observers of the
// process object register without one.
struct CLVKObserverConnections
{
    struct Link
    {
        const void* pObservable = nullptr;
        BOOL bRemoved = FALSE;
    };
    std::vector<Link> links;
    int nNotifyDepth = 0;

    // Forgets the observable: marked while the record itself is notifying,
    // removed otherwise.
    void Unlink(const void* pObservable)
    {
        for (size_t i = 0; i < links.size(); i++)
        {
            if (links[i].pObservable != pObservable || links[i].bRemoved)
                continue;
            if (nNotifyDepth != 0)
                links[i].bRemoved = TRUE;
            else
                links.erase(links.begin() + i);
            return;
        }
    }
};

template <class TObservable, class TObserver>
class CLVKObservable
{
public:
    struct ObserverInfo
    {
        TObserver* pObserver = nullptr;
        BOOL bRemoved = FALSE;
        CLVKObserverConnections* pConnections = nullptr;
    };

    // Index of the observer's entry, or -1; changes nothing.
    int FindObserver(const TObserver* pObserver) const
    {
        for (size_t i = 0; i < m_arrObservers.size(); i++)
        {
            if (m_arrObservers[i].pObserver == pObserver)
                return static_cast<int>(i);
        }
        return -1;
    }

    // Appends the observer unless it is already registered.
    void AddObserver(TObserver* pObserver, CLVKObserverConnections* pConnections = nullptr)
    {
        if (FindObserver(pObserver) >= 0)
            return;
        ObserverInfo info;
        info.pObserver = pObserver;
        info.pConnections = pConnections;
        m_arrObservers.push_back(info);
    }

    // Removes the observer at once, or marks it when a notification runs.
    void RemoveObserver(const TObserver* pObserver)
    {
        const int nIndex = FindObserver(pObserver);
        if (nIndex < 0)
            return;
        if (m_nNotifyDepth != 0)
        {
            m_arrObservers[nIndex].bRemoved = TRUE;
            return;
        }
        RemoveAt(nIndex);
    }

    INT_PTR GetObserverCount() const { return static_cast<INT_PTR>(m_arrObservers.size()); }
    BOOL IsNotifying() const { return m_nNotifyDepth != 0; }

protected:
    // Calls the notification on every live observer, last registered first.
    void NotifyObservers(void (TObserver::*pfnNotify)(TObservable*))
    {
        m_nNotifyDepth++;
        TObservable* pThis = static_cast<TObservable*>(this);
        // Indexes stay valid: removals are deferred while the depth is not 0,
        // and observers added meanwhile land behind the start position.
        for (INT_PTR i = static_cast<INT_PTR>(m_arrObservers.size()) - 1; i >= 0; i--)
        {
            if (!m_arrObservers[i].bRemoved)
                (m_arrObservers[i].pObserver->*pfnNotify)(pThis);
        }
        if (--m_nNotifyDepth != 0)
            return;
        for (INT_PTR i = static_cast<INT_PTR>(m_arrObservers.size()) - 1; i >= 0; i--)
        {
            if (m_arrObservers[i].bRemoved)
                RemoveAt(static_cast<int>(i));
        }
    }

    void RemoveAt(int nIndex)
    {
        if (nIndex < 0 || nIndex >= static_cast<int>(m_arrObservers.size()))
            AfxThrowInvalidArgException();
        if (m_arrObservers[nIndex].pConnections)
            m_arrObservers[nIndex].pConnections->Unlink(this);
        m_arrObservers.erase(m_arrObservers.begin() + nIndex);
    }

    std::vector<ObserverInfo> m_arrObservers;
    int m_nNotifyDepth = 0;
};
