// The receiving side of toolkit event notification. A sink advises on one or
// more connections and keeps, per advise, a reference on the connection; it is
// ended by Delete, which unadvises everything first.
#pragma once

#include "Framework.h"

class CLVKNotifyConnection;

class CLVKNotifySinkBase
{
public:
    struct ADVISE_DESCRIPTOR
    {
        UINT nEvent = 0;
        CLVKNotifyConnection* pConnection = nullptr;
        DWORD dwCookie = 0;
    };

    CLVKNotifySinkBase();
    // Unadvises whatever is still advised, so no connection keeps a pointer
    // to a sink that is gone.
    virtual ~CLVKNotifySinkBase();

    virtual void OnEvent(UINT nEvent, DWORD dwParam1, DWORD dwParam2, DWORD dwParam3) = 0;
    // Called for each advise as it is undone.
    virtual void OnUnadvise(UINT /*nEvent*/) {}

    // Returns the cookie, or 0 for a null connection or a failed advise.
    DWORD Advise(CLVKNotifyConnection* pConnection, UINT nEvent);
    void UnadviseAll();
    // Unadvises everything and deletes the sink.
    void Delete();

    INT_PTR GetAdviseCount() const { return m_mapAdvises.GetCount(); }

    CLVKNotifySinkBase(const CLVKNotifySinkBase&) = delete;
    CLVKNotifySinkBase& operator=(const CLVKNotifySinkBase&) = delete;

private:
    CMap<DWORD, DWORD, ADVISE_DESCRIPTOR, const ADVISE_DESCRIPTOR&> m_mapAdvises{10};
};
