#include "NotifyConnection.h"

#include "NotifySinkBase.h"

const UINT LVK_WM_NOTIFICATION_SINK_MT_ONEVENT = RegisterWindowMessageW(L"LVKNotificationSinkMTOnEvent");

CLVKNotifyConnection::~CLVKNotifyConnection()
{
    RemoveAllConnections();
    FreeRetiredDescriptors();
}

CSyncObject* CLVKNotifyConnection::GetLock()
{
    return &m_lock;
}

DWORD CLVKNotifyConnection::Advise(UINT nEvent, CLVKNotifySinkBase* pSink)
{
    CSingleLock lock(GetLock(), TRUE);
    // The program's allocations fail with the framework's memory exception.
    CONNECTION_DESCRIPTOR* pDescriptor = nullptr;
    try
    {
        pDescriptor = new CONNECTION_DESCRIPTOR;
    }
    catch (CException* e)
    {
        e->Delete();
        return 0;
    }
    pDescriptor->nEvent = nEvent;
    pDescriptor->pSink = pSink;
    pDescriptor->dwCookie = static_cast<DWORD>(reinterpret_cast<DWORD_PTR>(pDescriptor));
    try
    {
        m_arrConnections.Add(pDescriptor);
    }
    catch (CException* e)
    {
        e->Delete();
        delete pDescriptor;
        return 0;
    }
    return pDescriptor->dwCookie;
}

void CLVKNotifyConnection::Unadvise(DWORD dwCookie)
{
    try
    {
        CSingleLock lock(GetLock(), TRUE);
        const int nIndex = FindConnection(dwCookie);
        if (nIndex < 0)
            return;
        CONNECTION_DESCRIPTOR* pDescriptor = m_arrConnections[nIndex];
        m_arrConnections.RemoveAt(nIndex);
        RetireDescriptor(pDescriptor);
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
}

int CLVKNotifyConnection::FindConnection(DWORD dwCookie)
{
    CSingleLock lock(GetLock(), TRUE);
    for (INT_PTR i = 0; i < m_arrConnections.GetSize(); i++)
    {
        if (m_arrConnections[i]->dwCookie == dwCookie)
            return static_cast<int>(i);
    }
    return -1;
}

BOOL CLVKNotifyConnection::SendEvent(UINT nEvent, DWORD dwParam1, DWORD dwParam2, DWORD dwParam3)
{
    CSingleLock lock(GetLock(), TRUE);
    InternalAddRef();

    // This send's slice of the queue starts where the sends below it end, so
    // a sink may send again from its handler without disturbing this one.
    const int nFirst = m_nSendQueueTop;
    const INT_PTR nNeeded = nFirst + m_arrConnections.GetSize();
    // The queue only grows, so sends stop allocating once it is large enough.
    if (m_arrSendQueue.GetSize() < nNeeded)
    {
        try
        {
            m_arrSendQueue.SetSize(nNeeded);
        }
        catch (CException* e)
        {
            e->Delete();
            lock.Unlock();
            InternalRelease();
            return FALSE;
        }
    }
    for (INT_PTR i = 0; i < m_arrConnections.GetSize(); i++)
    {
        if (m_arrConnections[i]->nEvent == nEvent)
            m_arrSendQueue[m_nSendQueueTop++] = *m_arrConnections[i];
    }
    const int nLast = m_nSendQueueTop - 1;
    lock.Unlock();

    for (int i = nFirst; i <= nLast; i++)
    {
        lock.Lock();
        // Sinks unadvised since the snapshot are skipped.
        const int nIndex = FindConnection(m_arrSendQueue[i].dwCookie);
        if (nIndex < 0)
        {
            lock.Unlock();
            continue;
        }
        CLVKNotifySinkBase* pSink = m_arrConnections[nIndex]->pSink;
        lock.Unlock();
        if (!pSink)
            continue;
        // A failing sink must not keep the others from their event.
        try
        {
            pSink->OnEvent(nEvent, dwParam1, dwParam2, dwParam3);
        }
        catch (CException* e)
        {
            e->Delete();
        }
        catch (...)
        {
        }
    }

    lock.Lock();
    m_nSendQueueTop = nFirst;
    if (m_nSendQueueTop == 0)
        FreeRetiredDescriptors();
    lock.Unlock();
    // The last reference may go here; nothing of this object is used after.
    InternalRelease();
    return nFirst <= nLast;
}

void CLVKNotifyConnection::RemoveAllConnections()
{
    CSingleLock lock(GetLock(), TRUE);
    for (INT_PTR i = 0; i < m_arrConnections.GetSize(); i++)
        RetireDescriptor(m_arrConnections[i]);
    m_arrConnections.RemoveAll();
}

void CLVKNotifyConnection::RetireDescriptor(CONNECTION_DESCRIPTOR* pDescriptor)
{
    if (m_nSendQueueTop == 0)
    {
        delete pDescriptor;
        return;
    }
    try
    {
        m_arrRetired.Add(pDescriptor);
    }
    catch (CException* e)
    {
        // Without room to keep it, freeing it at once is the lesser harm.
        e->Delete();
        delete pDescriptor;
    }
}

void CLVKNotifyConnection::FreeRetiredDescriptors()
{
    for (INT_PTR i = 0; i < m_arrRetired.GetSize(); i++)
        delete m_arrRetired[i];
    m_arrRetired.RemoveAll();
}
