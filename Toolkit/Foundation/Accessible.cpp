#include "Accessible.h"

namespace
{
const HMODULE kUnavailable = reinterpret_cast<HMODULE>(static_cast<INT_PTR>(-1));
}

CLVKAccessible::~CLVKAccessible()
{
    if (m_hOleacc && m_hOleacc != kUnavailable)
        FreeLibrary(m_hOleacc);
}

HRESULT CLVKAccessible::AccessibleGetParent(IDispatch**)
{
    return E_NOTIMPL;
}
HRESULT CLVKAccessible::AccessibleGetChildCount(long*)
{
    return E_NOTIMPL;
}
HRESULT CLVKAccessible::AccessibleGetChild(VARIANT, IDispatch**)
{
    return E_NOTIMPL;
}
HRESULT CLVKAccessible::AccessibleGetName(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}
HRESULT CLVKAccessible::AccessibleGetValue(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}
HRESULT CLVKAccessible::AccessibleGetDescription(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}
HRESULT CLVKAccessible::AccessibleGetRole(VARIANT, VARIANT*)
{
    return E_NOTIMPL;
}
HRESULT CLVKAccessible::AccessibleGetState(VARIANT, VARIANT*)
{
    return E_NOTIMPL;
}
HRESULT CLVKAccessible::AccessibleGetHelp(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}
HRESULT CLVKAccessible::AccessibleGetHelpTopic(BSTR*, VARIANT, long*)
{
    return E_NOTIMPL;
}
HRESULT CLVKAccessible::AccessibleGetKeyboardShortcut(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}
HRESULT CLVKAccessible::AccessibleGetFocus(VARIANT*)
{
    return S_FALSE;
}
HRESULT CLVKAccessible::AccessibleGetSelection(VARIANT*)
{
    return S_FALSE;
}
HRESULT CLVKAccessible::AccessibleGetDefaultAction(VARIANT, BSTR*)
{
    return E_NOTIMPL;
}
HRESULT CLVKAccessible::AccessibleSelect(long, VARIANT)
{
    return E_NOTIMPL;
}
HRESULT CLVKAccessible::AccessibleLocation(long*, long*, long*, long*, VARIANT)
{
    return E_NOTIMPL;
}
HRESULT CLVKAccessible::AccessibleNavigate(long, VARIANT, VARIANT*)
{
    return E_NOTIMPL;
}
HRESULT CLVKAccessible::AccessibleHitTest(long, long, VARIANT*)
{
    return E_NOTIMPL;
}
HRESULT CLVKAccessible::AccessibleDoDefaultAction(VARIANT)
{
    return E_NOTIMPL;
}
HRESULT CLVKAccessible::AccessiblePutName(VARIANT, BSTR)
{
    return E_NOTIMPL;
}
HRESULT CLVKAccessible::AccessiblePutValue(VARIANT, BSTR)
{
    return E_NOTIMPL;
}
CCmdTarget* CLVKAccessible::GetOwnerCmdTarget()
{
    return nullptr;
}

void CLVKAccessible::RaiseWinEvent(DWORD dwEvent, HWND hWnd, LONG idObject, LONG idChild)
{
    if (m_hUser32 == kUnavailable)
        return;
    if (!m_hUser32)
    {
        m_hUser32 = GetModuleHandleW(L"user32.dll");
        m_pfnNotifyWinEvent =
            m_hUser32 ? reinterpret_cast<PFNNOTIFYWINEVENT>(GetProcAddress(m_hUser32, "NotifyWinEvent")) : nullptr;
        if (!m_pfnNotifyWinEvent)
        {
            m_hUser32 = kUnavailable;
            return;
        }
    }
    m_pfnNotifyWinEvent(dwEvent, hWnd, idObject, idChild);
}

bool CLVKAccessible::LoadOleacc()
{
    if (m_hOleacc == kUnavailable)
        return false;
    if (m_hOleacc)
        return true;
    m_hOleacc = LoadLibraryW(L"oleacc.dll");
    if (m_hOleacc)
    {
        m_pfnLresultFromObject =
            reinterpret_cast<LPFNLRESULTFROMOBJECT>(GetProcAddress(m_hOleacc, "LresultFromObject"));
        m_pfnAccessibleObjectFromWindow =
            reinterpret_cast<LPFNACCESSIBLEOBJECTFROMWINDOW>(GetProcAddress(m_hOleacc, "AccessibleObjectFromWindow"));
    }
    if (!m_pfnLresultFromObject)
    {
        // Remembered: the library is not looked for again by this object.
        if (m_hOleacc)
            FreeLibrary(m_hOleacc);
        m_hOleacc = kUnavailable;
        m_pfnLresultFromObject = nullptr;
        m_pfnAccessibleObjectFromWindow = nullptr;
        return false;
    }
    return true;
}

LRESULT CLVKAccessible::MakeGetObjectResult(REFIID riid, WPARAM wParam, LPUNKNOWN pUnknown)
{
    if (!LoadOleacc())
        return E_FAIL;
    return m_pfnLresultFromObject(riid, wParam, pUnknown);
}

HRESULT CLVKAccessible::GetWindowAccessibleObject(HWND hWnd, DWORD dwObjectId, REFIID riid, void** ppvObject)
{
    if (!LoadOleacc() || !m_pfnAccessibleObjectFromWindow)
        return E_FAIL;
    return m_pfnAccessibleObjectFromWindow(hWnd, dwObjectId, riid, ppvObject);
}

long CLVKAccessible::ChildIdFromVariant(const VARIANT& var)
{
    const VARIANT* pVar = &var;
    // One level only: a VARIANT that refers to a reference (or to itself) is
    // not a child id, and following it could go on for ever.
    if (V_VT(pVar) == (VT_BYREF | VT_VARIANT))
    {
        pVar = V_VARIANTREF(pVar);
        if (!pVar || (V_VT(pVar) & VT_TYPEMASK) == VT_VARIANT)
            return -1;
    }
    switch (V_VT(pVar))
    {
    case VT_EMPTY:
        return 0;
    case VT_I2:
        return V_I2(pVar);
    case VT_I4:
        return V_I4(pVar);
    case VT_BYREF | VT_I2:
        return V_I2REF(pVar) ? *V_I2REF(pVar) : -1;
    case VT_BYREF | VT_I4:
        return V_I4REF(pVar) ? *V_I4REF(pVar) : -1;
    default:
        return -1;
    }
}

CLVKAccessible* CLVKAccessible::XAccessible::Owner()
{
    return reinterpret_cast<CLVKAccessible*>(reinterpret_cast<BYTE*>(this) -
                                             AFX_MEMBER_OFFSET(CLVKAccessible, m_xAccessible));
}

STDMETHODIMP_(ULONG) CLVKAccessible::XAccessible::AddRef()
{
    CCmdTarget* pTarget = Owner()->GetOwnerCmdTarget();
    return pTarget ? pTarget->ExternalAddRef() : 1;
}

STDMETHODIMP_(ULONG) CLVKAccessible::XAccessible::Release()
{
    CCmdTarget* pTarget = Owner()->GetOwnerCmdTarget();
    return pTarget ? pTarget->ExternalRelease() : 1;
}

STDMETHODIMP CLVKAccessible::XAccessible::QueryInterface(REFIID iid, LPVOID* ppvObj)
{
    CCmdTarget* pTarget = Owner()->GetOwnerCmdTarget();
    if (!pTarget)
    {
        if (ppvObj)
            *ppvObj = nullptr;
        return E_NOINTERFACE;
    }
    return static_cast<HRESULT>(pTarget->ExternalQueryInterface(&iid, ppvObj));
}

STDMETHODIMP CLVKAccessible::XAccessible::get_accParent(IDispatch** ppdispParent)
{
    return Owner()->AccessibleGetParent(ppdispParent);
}
STDMETHODIMP CLVKAccessible::XAccessible::get_accChildCount(long* pcountChildren)
{
    return Owner()->AccessibleGetChildCount(pcountChildren);
}
STDMETHODIMP CLVKAccessible::XAccessible::get_accChild(VARIANT varChild, IDispatch** ppdispChild)
{
    return Owner()->AccessibleGetChild(varChild, ppdispChild);
}
STDMETHODIMP CLVKAccessible::XAccessible::get_accName(VARIANT varChild, BSTR* pszName)
{
    return Owner()->AccessibleGetName(varChild, pszName);
}
STDMETHODIMP CLVKAccessible::XAccessible::get_accValue(VARIANT varChild, BSTR* pszValue)
{
    return Owner()->AccessibleGetValue(varChild, pszValue);
}
STDMETHODIMP CLVKAccessible::XAccessible::get_accDescription(VARIANT varChild, BSTR* pszDescription)
{
    return Owner()->AccessibleGetDescription(varChild, pszDescription);
}
STDMETHODIMP CLVKAccessible::XAccessible::get_accRole(VARIANT varChild, VARIANT* pvarRole)
{
    return Owner()->AccessibleGetRole(varChild, pvarRole);
}
STDMETHODIMP CLVKAccessible::XAccessible::get_accState(VARIANT varChild, VARIANT* pvarState)
{
    return Owner()->AccessibleGetState(varChild, pvarState);
}
STDMETHODIMP CLVKAccessible::XAccessible::get_accHelp(VARIANT varChild, BSTR* pszHelp)
{
    return Owner()->AccessibleGetHelp(varChild, pszHelp);
}
STDMETHODIMP CLVKAccessible::XAccessible::get_accHelpTopic(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic)
{
    return Owner()->AccessibleGetHelpTopic(pszHelpFile, varChild, pidTopic);
}
STDMETHODIMP CLVKAccessible::XAccessible::get_accKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut)
{
    return Owner()->AccessibleGetKeyboardShortcut(varChild, pszKeyboardShortcut);
}
STDMETHODIMP CLVKAccessible::XAccessible::get_accFocus(VARIANT* pvarChild)
{
    return Owner()->AccessibleGetFocus(pvarChild);
}
STDMETHODIMP CLVKAccessible::XAccessible::get_accSelection(VARIANT* pvarChildren)
{
    return Owner()->AccessibleGetSelection(pvarChildren);
}
STDMETHODIMP CLVKAccessible::XAccessible::get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    return Owner()->AccessibleGetDefaultAction(varChild, pszDefaultAction);
}
STDMETHODIMP CLVKAccessible::XAccessible::accSelect(long flagsSelect, VARIANT varChild)
{
    return Owner()->AccessibleSelect(flagsSelect, varChild);
}
STDMETHODIMP CLVKAccessible::XAccessible::accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                                      VARIANT varChild)
{
    return Owner()->AccessibleLocation(pxLeft, pyTop, pcxWidth, pcyHeight, varChild);
}
STDMETHODIMP CLVKAccessible::XAccessible::accNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt)
{
    return Owner()->AccessibleNavigate(navDir, varStart, pvarEndUpAt);
}
STDMETHODIMP CLVKAccessible::XAccessible::accHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    return Owner()->AccessibleHitTest(xLeft, yTop, pvarChild);
}
STDMETHODIMP CLVKAccessible::XAccessible::accDoDefaultAction(VARIANT varChild)
{
    return Owner()->AccessibleDoDefaultAction(varChild);
}
STDMETHODIMP CLVKAccessible::XAccessible::put_accName(VARIANT varChild, BSTR szName)
{
    return Owner()->AccessiblePutName(varChild, szName);
}
STDMETHODIMP CLVKAccessible::XAccessible::put_accValue(VARIANT varChild, BSTR szValue)
{
    return Owner()->AccessiblePutValue(varChild, szValue);
}
