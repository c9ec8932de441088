// Delegates that call a method by name on an automation object: a given
// object (SetMethod) or the context's script handler object, looked up at
// every call (SetHandler may come after parsing).
#pragma once

#include "Markup/MarkupDelegate.h"

class CLVKMarkupContext;

class CLVKMarkupOleDelegate : public CLVKMarkupDelegate
{
public:
    // Keeps a reference on the object.
    CLVKMarkupOleDelegate(IDispatch* pObject, LPCWSTR lpszMethod);
    void Execute(CLVKMarkupObject* pSender, CLVKMarkupObject* pArgs) override;

    // Calls the method with the sender and the arguments; a method the
    // object does not have is ignored. A failing call is written to the
    // debug output and never unwinds into the caller.
    static void AFX_CDECL CallMethod(IDispatch* pObject, LPCWSTR lpszMethod, CLVKMarkupObject* pSender,
                                     CLVKMarkupObject* pArgs);

protected:
    ~CLVKMarkupOleDelegate() override;

private:
    IDispatch* m_pObject;
    std::wstring m_strMethod;
};

class CLVKMarkupOleAutoDelegate : public CLVKMarkupDelegate
{
public:
    CLVKMarkupOleAutoDelegate(CLVKMarkupContext* pContext, LPCWSTR lpszMethod)
        : m_pOwner(pContext), m_strMethod(lpszMethod ? lpszMethod : L"")
    {
    }
    void Execute(CLVKMarkupObject* pSender, CLVKMarkupObject* pArgs) override;

private:
    CLVKMarkupContext* m_pOwner;  // the delegate table's context, not owned
    std::wstring m_strMethod;
};
