// A sink that hands each event to the delegate bound to its event id. The sink
// owns its delegates; a delegate goes when its advise is undone.
#pragma once

#include "Framework.h"
#include "NotifySinkBase.h"
#include "NotifySinkDelegate.h"

#include <memory>

class CLVKNotifySink : public CLVKNotifySinkBase
{
public:
    CLVKNotifySink() = default;
    ~CLVKNotifySink() override;

    // Binds the delegate to the event (deleting the one bound before) and
    // advises on the connection. Returns the cookie or 0.
    DWORD AdviseDelegate(CLVKNotifyConnection* pConnection, UINT nEvent, CLVKNotifySinkDelegate* pDelegate);

    void OnEvent(UINT nEvent, DWORD dwParam1, DWORD dwParam2, DWORD dwParam3) override;
    void OnUnadvise(UINT nEvent) override;

    // The delegate bound to the event, or null.
    CLVKNotifySinkDelegate* GetDelegate(UINT nEvent) const;

private:
    typedef CMap<UINT, UINT, CLVKNotifySinkDelegate*, CLVKNotifySinkDelegate*> CDelegateMap;
    // Made on the first binding.
    std::unique_ptr<CDelegateMap> m_pDelegates;
};
