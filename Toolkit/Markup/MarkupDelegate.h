// What an event handler name stands for: something that runs with the
// sender and the event arguments.
#pragma once

#include "Markup/MarkupType.h"

class CLVKMarkupDelegate : public CLVKMarkupObject
{
public:
    virtual void Execute(CLVKMarkupObject* pSender, CLVKMarkupObject* pArgs) = 0;
};

// Runs a member function of a host object (not owned).
template <class T>
class CLVKMarkupClassDelegate : public CLVKMarkupDelegate
{
public:
    typedef void (T::*PFNHANDLER)(CLVKMarkupObject* pSender, CLVKMarkupObject* pArgs);

    CLVKMarkupClassDelegate(T* pHost, PFNHANDLER pfnHandler) : m_pHost(pHost), m_pfnHandler(pfnHandler) {}

    void Execute(CLVKMarkupObject* pSender, CLVKMarkupObject* pArgs) override
    {
        if (m_pHost && m_pfnHandler)
        {
            (m_pHost->*m_pfnHandler)(pSender, pArgs);
        }
    }

private:
    T* m_pHost;
    PFNHANDLER m_pfnHandler;
};
