// What a delegate-dispatching sink calls for an event: the event id and the
// first two event parameters.
#pragma once

#include "Framework.h"

class CLVKNotifySinkDelegate
{
public:
    virtual ~CLVKNotifySinkDelegate() = default;
    virtual void Invoke(UINT nEvent, DWORD dwParam1, DWORD dwParam2) = 0;
};

// Calls a member function of an object.
template <class TObject>
class CLVKNotifySinkClassDelegate : public CLVKNotifySinkDelegate
{
public:
    typedef void (TObject::*PFNHANDLER)(UINT nEvent, DWORD dwParam1, DWORD dwParam2);

    CLVKNotifySinkClassDelegate(TObject* pObject, PFNHANDLER pfnHandler) : m_pObject(pObject), m_pfnHandler(pfnHandler)
    {
    }

    void Invoke(UINT nEvent, DWORD dwParam1, DWORD dwParam2) override
    {
        // The handler may end the sink and with it this delegate, so nothing
        // of this object is touched once it has been called.
        TObject* const pObject = m_pObject;
        const PFNHANDLER pfnHandler = m_pfnHandler;
        if (pObject && pfnHandler)
            (pObject->*pfnHandler)(nEvent, dwParam1, dwParam2);
    }

private:
    TObject* m_pObject = nullptr;
    PFNHANDLER m_pfnHandler = nullptr;
};
