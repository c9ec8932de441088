#include "OleControlContainer.h"

#include "OleControlSite.h"
#include "Wnd.h"

#include <algorithm>

BEGIN_INTERFACE_MAP(COleControlContainer, CCmdTarget)
    INTERFACE_PART(COleControlContainer, IID_IOleInPlaceFrame, OleIPFrame)
    INTERFACE_PART(COleControlContainer, IID_IOleInPlaceUIWindow, OleIPFrame)
    INTERFACE_PART(COleControlContainer, IID_IOleWindow, OleIPFrame)
    INTERFACE_PART(COleControlContainer, IID_IOleContainer, OleContainer)
    INTERFACE_PART(COleControlContainer, IID_IParseDisplayName, OleContainer)
END_INTERFACE_MAP()

COleControlContainer::COleControlContainer(CWnd* pWnd) : m_pWnd(pWnd)
{
}

COleControlContainer::~COleControlContainer()
{
    // Only reached once no control holds the container any more; sites still
    // listed then were never destroyed through it.
    for (COleControlSite* pSite : m_sites)
    {
        pSite->m_pCtrlCont = nullptr;
        pSite->InternalRelease();
    }
}

BOOL COleControlContainer::CreateControl(CWnd* pWndCtrl, REFCLSID clsid, LPCTSTR lpszWindowName, DWORD dwStyle,
                                         const RECT& rect, UINT nID)
{
    if (!m_pWnd)
        return FALSE;
    auto* pSite = new COleControlSite(this);
    m_sites.push_back(pSite);
    if (FAILED(pSite->CreateControl(pWndCtrl, clsid, lpszWindowName, dwStyle, rect, nID)))
    {
        OnSiteDestroyed(pSite);
        return FALSE;
    }
    return TRUE;
}

COleControlSite* COleControlContainer::FindItem(UINT nID) const
{
    for (COleControlSite* pSite : m_sites)
    {
        if (pSite->m_nID == nID)
            return pSite;
    }
    return nullptr;
}

void COleControlContainer::OnSiteDestroyed(COleControlSite* pSite)
{
    const auto it = std::find(m_sites.begin(), m_sites.end(), pSite);
    if (it == m_sites.end())
        return;
    m_sites.erase(it);
    pSite->m_pCtrlCont = nullptr;
    pSite->InternalRelease();
}

void COleControlContainer::DestroyAllControls()
{
    // Each site takes itself off the list.
    while (!m_sites.empty())
        m_sites.back()->DestroyControl();
    m_pWnd = nullptr;
    InternalRelease();
}

// ---- IOleInPlaceFrame ----------------------------------------------------------------

STDMETHODIMP_(ULONG) COleControlContainer::XOleIPFrame::AddRef()
{
    METHOD_PROLOGUE(COleControlContainer, OleIPFrame)
    return pThis->ExternalAddRef();
}

STDMETHODIMP_(ULONG) COleControlContainer::XOleIPFrame::Release()
{
    METHOD_PROLOGUE(COleControlContainer, OleIPFrame)
    return pThis->ExternalRelease();
}

STDMETHODIMP COleControlContainer::XOleIPFrame::QueryInterface(REFIID iid, LPVOID* ppvObj)
{
    METHOD_PROLOGUE(COleControlContainer, OleIPFrame)
    return static_cast<HRESULT>(pThis->ExternalQueryInterface(&iid, ppvObj));
}

STDMETHODIMP COleControlContainer::XOleIPFrame::GetWindow(HWND* phwnd)
{
    METHOD_PROLOGUE(COleControlContainer, OleIPFrame)
    if (!phwnd)
        return E_POINTER;
    *phwnd = pThis->m_pWnd ? pThis->m_pWnd->GetSafeHwnd() : NULL;
    return *phwnd ? S_OK : E_FAIL;
}

STDMETHODIMP COleControlContainer::XOleIPFrame::ContextSensitiveHelp(BOOL)
{
    return E_NOTIMPL;
}

// The container has no tool space to give to a control.
STDMETHODIMP COleControlContainer::XOleIPFrame::GetBorder(LPRECT)
{
    return INPLACE_E_NOTOOLSPACE;
}

STDMETHODIMP COleControlContainer::XOleIPFrame::RequestBorderSpace(LPCBORDERWIDTHS)
{
    return INPLACE_E_NOTOOLSPACE;
}

STDMETHODIMP COleControlContainer::XOleIPFrame::SetBorderSpace(LPCBORDERWIDTHS pborderwidths)
{
    // Asking for no space at all is always granted.
    if (!pborderwidths)
        return S_OK;
    const bool bNone = pborderwidths->left == 0 && pborderwidths->top == 0 && pborderwidths->right == 0 &&
                       pborderwidths->bottom == 0;
    return bNone ? S_OK : INPLACE_E_NOTOOLSPACE;
}

STDMETHODIMP COleControlContainer::XOleIPFrame::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR)
{
    return S_OK;
}

// No shared menus: the controls' menus never merge into the window's.
STDMETHODIMP COleControlContainer::XOleIPFrame::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS)
{
    return E_NOTIMPL;
}

STDMETHODIMP COleControlContainer::XOleIPFrame::SetMenu(HMENU, HOLEMENU, HWND)
{
    return E_NOTIMPL;
}

STDMETHODIMP COleControlContainer::XOleIPFrame::RemoveMenus(HMENU)
{
    return E_NOTIMPL;
}

STDMETHODIMP COleControlContainer::XOleIPFrame::SetStatusText(LPCOLESTR)
{
    return S_OK;
}

STDMETHODIMP COleControlContainer::XOleIPFrame::EnableModeless(BOOL)
{
    return S_OK;
}

STDMETHODIMP COleControlContainer::XOleIPFrame::TranslateAccelerator(LPMSG, WORD)
{
    return S_FALSE;
}

// ---- IOleContainer -------------------------------------------------------------------

STDMETHODIMP_(ULONG) COleControlContainer::XOleContainer::AddRef()
{
    METHOD_PROLOGUE(COleControlContainer, OleContainer)
    return pThis->ExternalAddRef();
}

STDMETHODIMP_(ULONG) COleControlContainer::XOleContainer::Release()
{
    METHOD_PROLOGUE(COleControlContainer, OleContainer)
    return pThis->ExternalRelease();
}

STDMETHODIMP COleControlContainer::XOleContainer::QueryInterface(REFIID iid, LPVOID* ppvObj)
{
    METHOD_PROLOGUE(COleControlContainer, OleContainer)
    return static_cast<HRESULT>(pThis->ExternalQueryInterface(&iid, ppvObj));
}

STDMETHODIMP COleControlContainer::XOleContainer::ParseDisplayName(IBindCtx*, LPOLESTR, ULONG* pchEaten,
                                                                   IMoniker** ppmkOut)
{
    if (pchEaten)
        *pchEaten = 0;
    if (ppmkOut)
        *ppmkOut = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP COleControlContainer::XOleContainer::EnumObjects(DWORD, IEnumUnknown** ppenum)
{
    if (ppenum)
        *ppenum = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP COleControlContainer::XOleContainer::LockContainer(BOOL)
{
    return S_OK;
}
