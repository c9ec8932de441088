#include "NotifySinkBase.h"

#include "NotifyConnection.h"

#include <vector>

CLVKNotifySinkBase::CLVKNotifySinkBase()
{
    m_mapAdvises.InitHashTable(17);
}

CLVKNotifySinkBase::~CLVKNotifySinkBase()
{
    UnadviseAll();
}

DWORD CLVKNotifySinkBase::Advise(CLVKNotifyConnection* pConnection, UINT nEvent)
{
    if (!pConnection)
        return 0;
    const DWORD dwCookie = pConnection->Advise(nEvent, this);
    if (!dwCookie)
        return 0;
    ADVISE_DESCRIPTOR advise;
    advise.nEvent = nEvent;
    advise.pConnection = pConnection;
    advise.dwCookie = dwCookie;
    try
    {
        m_mapAdvises.SetAt(dwCookie, advise);
    }
    catch (CException* e)
    {
        // Not recorded here, so never undone by this sink: the connection
        // must not keep calling a sink that may be gone.
        e->Delete();
        pConnection->Unadvise(dwCookie);
        return 0;
    }
    pConnection->InternalAddRef();
    return dwCookie;
}

void CLVKNotifySinkBase::UnadviseAll()
{
    // Taken out of the map first: the callbacks below may advise again or
    // release the last reference of a connection.
    std::vector<ADVISE_DESCRIPTOR> advises;
    advises.reserve(static_cast<size_t>(m_mapAdvises.GetCount()));
    POSITION pos = m_mapAdvises.GetStartPosition();
    while (pos)
    {
        DWORD dwCookie = 0;
        ADVISE_DESCRIPTOR advise;
        m_mapAdvises.GetNextAssoc(pos, dwCookie, advise);
        advises.push_back(advise);
    }
    m_mapAdvises.RemoveAll();

    for (const ADVISE_DESCRIPTOR& advise : advises)
    {
        if (!advise.pConnection)
            continue;
        OnUnadvise(advise.nEvent);
        advise.pConnection->Unadvise(advise.dwCookie);
        advise.pConnection->InternalRelease();
    }
}

void CLVKNotifySinkBase::Delete()
{
    UnadviseAll();
    delete this;
}
