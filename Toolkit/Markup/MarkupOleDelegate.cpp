#include "Markup/MarkupOleDelegate.h"

#include "Markup/MarkupContext.h"

CLVKMarkupOleDelegate::CLVKMarkupOleDelegate(IDispatch* pObject, LPCWSTR lpszMethod)
    : m_pObject(pObject), m_strMethod(lpszMethod ? lpszMethod : L"")
{
    if (m_pObject)
    {
        m_pObject->AddRef();
    }
}

CLVKMarkupOleDelegate::~CLVKMarkupOleDelegate()
{
    if (m_pObject)
    {
        m_pObject->Release();
    }
}

void CLVKMarkupOleDelegate::Execute(CLVKMarkupObject* pSender, CLVKMarkupObject* pArgs)
{
    CallMethod(m_pObject, m_strMethod.c_str(), pSender, pArgs);
}

void AFX_CDECL CLVKMarkupOleDelegate::CallMethod(IDispatch* pObject, LPCWSTR lpszMethod, CLVKMarkupObject* pSender,
                                                 CLVKMarkupObject* pArgs)
{
    if (!pObject || !lpszMethod)
    {
        return;
    }
    DISPID dispid = 0;
    LPOLESTR lpszName = const_cast<LPOLESTR>(lpszMethod);
    if (FAILED(pObject->GetIDsOfNames(IID_NULL, &lpszName, 1, LOCALE_USER_DEFAULT, &dispid)))
    {
        return;
    }
    // The method is called (sender, arguments); rgvarg holds them last to
    // first. Neither gets a reference: both outlive the call.
    VARIANTARG args[2];
    VariantInit(&args[0]);
    VariantInit(&args[1]);
    args[0].vt = VT_DISPATCH;
    args[0].pdispVal = CLVKMarkupObject::GetDispatch(pArgs, FALSE);
    args[1].vt = VT_DISPATCH;
    args[1].pdispVal = CLVKMarkupObject::GetDispatch(pSender, FALSE);
    DISPPARAMS params = {};
    params.rgvarg = args;
    params.cArgs = 2;
    EXCEPINFO excepInfo = {};
    const HRESULT hr =
        pObject->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, &excepInfo, nullptr);
    if (FAILED(hr))
    {
        wchar_t szText[512] = {};
        _snwprintf(szText, 511, L"Markup handler '%ls' failed: 0x%08lX %ls\n", lpszMethod,
                   static_cast<unsigned long>(hr), excepInfo.bstrDescription ? excepInfo.bstrDescription : L"");
        OutputDebugStringW(szText);
    }
    SysFreeString(excepInfo.bstrSource);
    SysFreeString(excepInfo.bstrDescription);
    SysFreeString(excepInfo.bstrHelpFile);
}

void CLVKMarkupOleAutoDelegate::Execute(CLVKMarkupObject* pSender, CLVKMarkupObject* pArgs)
{
    if (m_pOwner)
    {
        // Without a handler object, the script's own function of the name.
        IDispatch* const pHandler = m_pOwner->GetHandler() ? m_pOwner->GetHandler() : m_pOwner->GetScriptDispatch();
        CLVKMarkupOleDelegate::CallMethod(pHandler, m_strMethod.c_str(), pSender, pArgs);
    }
}
