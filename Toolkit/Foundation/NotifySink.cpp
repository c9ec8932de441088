#include "NotifySink.h"

CLVKNotifySink::~CLVKNotifySink()
{
    // Advises still open are undone by the base; their delegates go here.
    if (!m_pDelegates)
        return;
    POSITION pos = m_pDelegates->GetStartPosition();
    while (pos)
    {
        UINT nEvent = 0;
        CLVKNotifySinkDelegate* pDelegate = nullptr;
        m_pDelegates->GetNextAssoc(pos, nEvent, pDelegate);
        delete pDelegate;
    }
    m_pDelegates->RemoveAll();
}

DWORD CLVKNotifySink::AdviseDelegate(CLVKNotifyConnection* pConnection, UINT nEvent, CLVKNotifySinkDelegate* pDelegate)
{
    if (!m_pDelegates)
    {
        m_pDelegates.reset(new CDelegateMap(10));
        m_pDelegates->InitHashTable(10);
    }
    CLVKNotifySinkDelegate* pOld = nullptr;
    if (m_pDelegates->Lookup(nEvent, pOld) && pOld != pDelegate)
        delete pOld;
    m_pDelegates->SetAt(nEvent, pDelegate);
    return Advise(pConnection, nEvent);
}

void CLVKNotifySink::OnEvent(UINT nEvent, DWORD dwParam1, DWORD dwParam2, DWORD /*dwParam3*/)
{
    CLVKNotifySinkDelegate* const pDelegate = GetDelegate(nEvent);
    if (pDelegate)
        pDelegate->Invoke(nEvent, dwParam1, dwParam2);
}

void CLVKNotifySink::OnUnadvise(UINT nEvent)
{
    if (!m_pDelegates)
        return;
    CLVKNotifySinkDelegate* pDelegate = nullptr;
    if (!m_pDelegates->Lookup(nEvent, pDelegate))
        return;
    m_pDelegates->RemoveKey(nEvent);
    delete pDelegate;
}

CLVKNotifySinkDelegate* CLVKNotifySink::GetDelegate(UINT nEvent) const
{
    CLVKNotifySinkDelegate* pDelegate = nullptr;
    if (m_pDelegates)
        m_pDelegates->Lookup(nEvent, pDelegate);
    return pDelegate;
}
