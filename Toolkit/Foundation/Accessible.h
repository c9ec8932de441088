// The accessibility mix-in: a command target that adds this base hands screen
// readers an IAccessible whose methods arrive at the virtual operations below.
// NotifyWinEvent, LresultFromObject and AccessibleObjectFromWindow are bound at
// run time, so the program runs where oleacc.dll is missing.
#pragma once

#include "Framework.h"

#include <oleacc.h>

class CLVKAccessible
{
public:
    CLVKAccessible() = default;
    virtual ~CLVKAccessible();

    virtual HRESULT AccessibleGetParent(IDispatch** ppdispParent);
    virtual HRESULT AccessibleGetChildCount(long* pcountChildren);
    virtual HRESULT AccessibleGetChild(VARIANT varChild, IDispatch** ppdispChild);
    virtual HRESULT AccessibleGetName(VARIANT varChild, BSTR* pszName);
    virtual HRESULT AccessibleGetValue(VARIANT varChild, BSTR* pszValue);
    virtual HRESULT AccessibleGetDescription(VARIANT varChild, BSTR* pszDescription);
    virtual HRESULT AccessibleGetRole(VARIANT varChild, VARIANT* pvarRole);
    virtual HRESULT AccessibleGetState(VARIANT varChild, VARIANT* pvarState);
    virtual HRESULT AccessibleGetHelp(VARIANT varChild, BSTR* pszHelp);
    virtual HRESULT AccessibleGetHelpTopic(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic);
    virtual HRESULT AccessibleGetKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut);
    virtual HRESULT AccessibleGetFocus(VARIANT* pvarChild);
    virtual HRESULT AccessibleGetSelection(VARIANT* pvarChildren);
    virtual HRESULT AccessibleGetDefaultAction(VARIANT varChild, BSTR* pszDefaultAction);
    virtual HRESULT AccessibleSelect(long flagsSelect, VARIANT varChild);
    virtual HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild);
    virtual HRESULT AccessibleNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt);
    virtual HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild);
    virtual HRESULT AccessibleDoDefaultAction(VARIANT varChild);
    virtual HRESULT AccessiblePutName(VARIANT varChild, BSTR szName);
    virtual HRESULT AccessiblePutValue(VARIANT varChild, BSTR szValue);
    // The command target this mix-in is part of: its reference count and
    // interface map serve the IAccessible object.
    virtual CCmdTarget* GetOwnerCmdTarget();

    void RaiseWinEvent(DWORD dwEvent, HWND hWnd, LONG idObject, LONG idChild);
    // The answer to WM_GETOBJECT; E_FAIL without oleacc.
    LRESULT MakeGetObjectResult(REFIID riid, WPARAM wParam, LPUNKNOWN pUnknown);
    HRESULT GetWindowAccessibleObject(HWND hWnd, DWORD dwObjectId, REFIID riid, void** ppvObject);

    // The child id of a varChild argument: 0 for VT_EMPTY (the object itself),
    // the value of VT_I2 or VT_I4 (also by reference), -1 for anything else.
    // A VARIANT reference is followed one level only.
    static long ChildIdFromVariant(const VARIANT& var);

    class XAccessible : public IAccessible
    {
    public:
        STDMETHOD_(ULONG, AddRef)() override;
        STDMETHOD_(ULONG, Release)() override;
        STDMETHOD(QueryInterface)(REFIID iid, LPVOID* ppvObj) override;
        STDMETHOD(GetTypeInfoCount)(UINT*) override { return E_NOTIMPL; }
        STDMETHOD(GetTypeInfo)(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
        STDMETHOD(GetIDsOfNames)(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
        STDMETHOD(Invoke)(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
        {
            return E_NOTIMPL;
        }
        STDMETHOD(get_accParent)(IDispatch** ppdispParent) override;
        STDMETHOD(get_accChildCount)(long* pcountChildren) override;
        STDMETHOD(get_accChild)(VARIANT varChild, IDispatch** ppdispChild) override;
        STDMETHOD(get_accName)(VARIANT varChild, BSTR* pszName) override;
        STDMETHOD(get_accValue)(VARIANT varChild, BSTR* pszValue) override;
        STDMETHOD(get_accDescription)(VARIANT varChild, BSTR* pszDescription) override;
        STDMETHOD(get_accRole)(VARIANT varChild, VARIANT* pvarRole) override;
        STDMETHOD(get_accState)(VARIANT varChild, VARIANT* pvarState) override;
        STDMETHOD(get_accHelp)(VARIANT varChild, BSTR* pszHelp) override;
        STDMETHOD(get_accHelpTopic)(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic) override;
        STDMETHOD(get_accKeyboardShortcut)(VARIANT varChild, BSTR* pszKeyboardShortcut) override;
        STDMETHOD(get_accFocus)(VARIANT* pvarChild) override;
        STDMETHOD(get_accSelection)(VARIANT* pvarChildren) override;
        STDMETHOD(get_accDefaultAction)(VARIANT varChild, BSTR* pszDefaultAction) override;
        STDMETHOD(accSelect)(long flagsSelect, VARIANT varChild) override;
        STDMETHOD(accLocation)(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
        STDMETHOD(accNavigate)(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt) override;
        STDMETHOD(accHitTest)(long xLeft, long yTop, VARIANT* pvarChild) override;
        STDMETHOD(accDoDefaultAction)(VARIANT varChild) override;
        STDMETHOD(put_accName)(VARIANT varChild, BSTR szName) override;
        STDMETHOD(put_accValue)(VARIANT varChild, BSTR szValue) override;

    private:
        CLVKAccessible* Owner();
    } m_xAccessible;

    CLVKAccessible(const CLVKAccessible&) = delete;
    CLVKAccessible& operator=(const CLVKAccessible&) = delete;

private:
    bool LoadOleacc();

    typedef BOOL(WINAPI* PFNNOTIFYWINEVENT)(DWORD, HWND, LONG, LONG);

    // Modules: null until first use, kUnavailable after a failed lookup.
    HMODULE m_hUser32 = nullptr;
    HMODULE m_hOleacc = nullptr;
    PFNNOTIFYWINEVENT m_pfnNotifyWinEvent = nullptr;
    LPFNLRESULTFROMOBJECT m_pfnLresultFromObject = nullptr;
    LPFNACCESSIBLEOBJECTFROMWINDOW m_pfnAccessibleObjectFromWindow = nullptr;
};
