#include "CmdTarget.h"

const IID IID_ILVKCmdTargetProvider = {0x1965CF4C, 0x7BE1, 0x4E09, {0x94, 0xB4, 0xDC, 0xEF, 0x78, 0xB1, 0x6D, 0x04}};

IMPLEMENT_DYNAMIC(CLVKCmdTarget, CCmdTarget)

BEGIN_INTERFACE_MAP(CLVKCmdTarget, CCmdTarget)
    INTERFACE_PART(CLVKCmdTarget, IID_ILVKCmdTargetProvider, CmdTargetProvider)
END_INTERFACE_MAP()

STDMETHODIMP_(ULONG) CLVKCmdTarget::XCmdTargetProvider::AddRef()
{
    METHOD_PROLOGUE(CLVKCmdTarget, CmdTargetProvider)
    return pThis->ExternalAddRef();
}

STDMETHODIMP_(ULONG) CLVKCmdTarget::XCmdTargetProvider::Release()
{
    METHOD_PROLOGUE(CLVKCmdTarget, CmdTargetProvider)
    return pThis->ExternalRelease();
}

STDMETHODIMP CLVKCmdTarget::XCmdTargetProvider::QueryInterface(REFIID iid, LPVOID* ppvObj)
{
    METHOD_PROLOGUE(CLVKCmdTarget, CmdTargetProvider)
    return static_cast<HRESULT>(pThis->ExternalQueryInterface(&iid, ppvObj));
}

CCmdTarget* STDMETHODCALLTYPE CLVKCmdTarget::XCmdTargetProvider::GetCmdTarget()
{
    METHOD_PROLOGUE(CLVKCmdTarget, CmdTargetProvider)
    return pThis;
}

CCmdTarget* AFX_CDECL LVKCmdTargetFromUnknown(LPUNKNOWN pUnknown)
{
    if (!pUnknown)
        return nullptr;

    ILVKCmdTargetProvider* pProvider = nullptr;
    if (SUCCEEDED(pUnknown->QueryInterface(IID_ILVKCmdTargetProvider, reinterpret_cast<void**>(&pProvider))) &&
        pProvider)
    {
        CCmdTarget* const pTarget = pProvider->GetCmdTarget();
        pProvider->Release();
        return pTarget;
    }

    IDispatch* pDispatch = nullptr;
    if (SUCCEEDED(pUnknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&pDispatch))) && pDispatch)
    {
        CCmdTarget* const pTarget = CCmdTarget::FromIDispatch(pDispatch);
        pDispatch->Release();
        return pTarget;
    }
    return nullptr;
}
