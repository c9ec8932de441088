#include "OleControlSite.h"

#include "OleControlContainer.h"
#include "Wnd.h"

BEGIN_INTERFACE_MAP(COleControlSite, CCmdTarget)
    INTERFACE_PART(COleControlSite, IID_IOleClientSite, OleClientSite)
    INTERFACE_PART(COleControlSite, IID_IOleWindow, OleIPSite)
    INTERFACE_PART(COleControlSite, IID_IOleInPlaceSite, OleIPSite)
END_INTERFACE_MAP()

namespace
{
// Controls take their extent in HIMETRIC units (0.01 mm).
SIZEL PixelsToHimetric(int cx, int cy)
{
    const HDC hDC = ::GetDC(NULL);
    const int nPerInchX = ::GetDeviceCaps(hDC, LOGPIXELSX);
    const int nPerInchY = ::GetDeviceCaps(hDC, LOGPIXELSY);
    ::ReleaseDC(NULL, hDC);
    SIZEL size{};
    size.cx = nPerInchX ? MulDiv(cx, 2540, nPerInchX) : 0;
    size.cy = nPerInchY ? MulDiv(cy, 2540, nPerInchY) : 0;
    return size;
}

template <class T> void ReleaseInterface(T*& p)
{
    if (p)
    {
        T* const pOld = p;
        p = nullptr;
        pOld->Release();
    }
}
}  // namespace

COleControlSite::COleControlSite(COleControlContainer* pCtrlCont) : m_pCtrlCont(pCtrlCont)
{
}

COleControlSite::~COleControlSite()
{
    ReleaseControl();
}

HRESULT COleControlSite::CreateControl(CWnd* pWndCtrl, REFCLSID clsid, LPCTSTR lpszWindowName, DWORD dwStyle,
                                       const RECT& rect, UINT nID)
{
    if (!pWndCtrl || pWndCtrl->m_hWnd || !m_pCtrlCont || !m_pCtrlCont->m_pWnd || m_pObject)
        return E_UNEXPECTED;
    const HWND hWndParent = m_pCtrlCont->m_pWnd->GetSafeHwnd();
    if (!hWndParent)
        return E_UNEXPECTED;

    HRESULT hr = ::CoCreateInstance(clsid, NULL, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IOleObject,
                                    reinterpret_cast<void**>(&m_pObject));
    if (FAILED(hr))
    {
        m_pObject = nullptr;
        return hr;
    }
    m_rect = rect;
    m_nID = nID;
    if (FAILED(m_pObject->GetMiscStatus(DVASPECT_CONTENT, &m_dwMiscStatus)))
        m_dwMiscStatus = 0;

    // Some controls read ambient state while they initialise: those get the
    // site before InitNew, the others after.
    IOleClientSite* const pClientSite = &m_xOleClientSite;
    if (m_dwMiscStatus & OLEMISC_SETCLIENTSITEFIRST)
        hr = m_pObject->SetClientSite(pClientSite);
    if (SUCCEEDED(hr))
    {
        IPersistStreamInit* pPersist = nullptr;
        if (SUCCEEDED(m_pObject->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&pPersist))) &&
            pPersist)
        {
            hr = pPersist->InitNew();
            pPersist->Release();
        }
    }
    if (SUCCEEDED(hr) && !(m_dwMiscStatus & OLEMISC_SETCLIENTSITEFIRST))
        hr = m_pObject->SetClientSite(pClientSite);
    if (SUCCEEDED(hr))
    {
        SetExtentFromRect();
        hr = m_pObject->DoVerb(OLEIVERB_INPLACEACTIVATE, NULL, pClientSite, 0, hWndParent, &m_rect);
    }
    if (SUCCEEDED(hr) && !m_pInPlaceObject)
        hr = m_pObject->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&m_pInPlaceObject));
    if (SUCCEEDED(hr) && (FAILED(m_pInPlaceObject->GetWindow(&m_hWnd)) || !::IsWindow(m_hWnd)))
        hr = E_FAIL;  // a windowless control: not supported
    if (FAILED(hr))
    {
        m_hWnd = NULL;
        ReleaseControl();
        return hr;
    }

    ::SetWindowLongPtrW(m_hWnd, GWLP_ID, static_cast<LONG_PTR>(nID));
    if (lpszWindowName)
        ::SetWindowTextW(m_hWnd, lpszWindowName);
    ::EnableWindow(m_hWnd, !(dwStyle & WS_DISABLED));
    ::ShowWindow(m_hWnd, (dwStyle & WS_VISIBLE) ? SW_SHOWNA : SW_HIDE);
    pWndCtrl->Attach(m_hWnd);
    pWndCtrl->m_pCtrlSite = this;
    m_pWndCtrl = pWndCtrl;
    return S_OK;
}

void COleControlSite::ReleaseControl()
{
    if (m_pObject)
    {
        if (m_pInPlaceObject)
            m_pInPlaceObject->InPlaceDeactivate();
        ReleaseInterface(m_pInPlaceObject);
        m_pObject->Close(OLECLOSE_NOSAVE);
        // A control that kept its window after closing does not leave it
        // behind in the container.
        if (m_hWnd && ::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
        m_pObject->SetClientSite(NULL);
        ReleaseInterface(m_pObject);
    }
    ReleaseInterface(m_pInPlaceObject);
    m_hWnd = NULL;
}

void COleControlSite::DestroyControl()
{
    if (m_pWndCtrl)
    {
        CWnd* const pWnd = m_pWndCtrl;
        m_pWndCtrl = nullptr;
        pWnd->m_pCtrlSite = nullptr;
        if (pWnd->m_hWnd && pWnd->m_hWnd == m_hWnd)
            pWnd->Detach();
    }
    ReleaseControl();
    if (m_pCtrlCont)
        m_pCtrlCont->OnSiteDestroyed(this);  // may delete this
}

void COleControlSite::SetExtentFromRect()
{
    if (!m_pObject)
        return;
    SIZEL size = PixelsToHimetric(m_rect.right - m_rect.left, m_rect.bottom - m_rect.top);
    m_pObject->SetExtent(DVASPECT_CONTENT, &size);
}

void COleControlSite::MoveWindow(int x, int y, int nWidth, int nHeight)
{
    m_rect = RECT{x, y, x + nWidth, y + nHeight};
    SetExtentFromRect();
    if (m_pInPlaceObject)
        m_pInPlaceObject->SetObjectRects(&m_rect, &m_rect);
    else if (m_hWnd)
        ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, TRUE);
}

BOOL COleControlSite::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    if ((nFlags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE))
    {
        if (nFlags & SWP_NOMOVE)
        {
            x = m_rect.left;
            y = m_rect.top;
        }
        if (nFlags & SWP_NOSIZE)
        {
            cx = m_rect.right - m_rect.left;
            cy = m_rect.bottom - m_rect.top;
        }
        MoveWindow(x, y, cx, cy);
    }
    // Order, showing and hiding are the window's own business.
    return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : NULL, 0, 0, 0, 0,
                          nFlags | SWP_NOMOVE | SWP_NOSIZE);
}

// ---- IOleClientSite ------------------------------------------------------------------

STDMETHODIMP_(ULONG) COleControlSite::XOleClientSite::AddRef()
{
    METHOD_PROLOGUE(COleControlSite, OleClientSite)
    return pThis->ExternalAddRef();
}

STDMETHODIMP_(ULONG) COleControlSite::XOleClientSite::Release()
{
    METHOD_PROLOGUE(COleControlSite, OleClientSite)
    return pThis->ExternalRelease();
}

STDMETHODIMP COleControlSite::XOleClientSite::QueryInterface(REFIID iid, LPVOID* ppvObj)
{
    METHOD_PROLOGUE(COleControlSite, OleClientSite)
    return static_cast<HRESULT>(pThis->ExternalQueryInterface(&iid, ppvObj));
}

STDMETHODIMP COleControlSite::XOleClientSite::SaveObject()
{
    return S_OK;  // nothing is stored
}

STDMETHODIMP COleControlSite::XOleClientSite::GetMoniker(DWORD, DWORD, IMoniker** ppmk)
{
    if (ppmk)
        *ppmk = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP COleControlSite::XOleClientSite::GetContainer(IOleContainer** ppContainer)
{
    METHOD_PROLOGUE(COleControlSite, OleClientSite)
    if (!ppContainer)
        return E_POINTER;
    *ppContainer = nullptr;
    if (!pThis->m_pCtrlCont)
        return E_NOINTERFACE;
    return static_cast<HRESULT>(
        pThis->m_pCtrlCont->ExternalQueryInterface(&IID_IOleContainer, reinterpret_cast<void**>(ppContainer)));
}

STDMETHODIMP COleControlSite::XOleClientSite::ShowObject()
{
    return S_OK;
}

STDMETHODIMP COleControlSite::XOleClientSite::OnShowWindow(BOOL)
{
    return S_OK;
}

STDMETHODIMP COleControlSite::XOleClientSite::RequestNewObjectLayout()
{
    return E_NOTIMPL;
}

// ---- IOleInPlaceSite -----------------------------------------------------------------

STDMETHODIMP_(ULONG) COleControlSite::XOleIPSite::AddRef()
{
    METHOD_PROLOGUE(COleControlSite, OleIPSite)
    return pThis->ExternalAddRef();
}

STDMETHODIMP_(ULONG) COleControlSite::XOleIPSite::Release()
{
    METHOD_PROLOGUE(COleControlSite, OleIPSite)
    return pThis->ExternalRelease();
}

STDMETHODIMP COleControlSite::XOleIPSite::QueryInterface(REFIID iid, LPVOID* ppvObj)
{
    METHOD_PROLOGUE(COleControlSite, OleIPSite)
    return static_cast<HRESULT>(pThis->ExternalQueryInterface(&iid, ppvObj));
}

STDMETHODIMP COleControlSite::XOleIPSite::GetWindow(HWND* phwnd)
{
    METHOD_PROLOGUE(COleControlSite, OleIPSite)
    if (!phwnd)
        return E_POINTER;
    *phwnd = pThis->m_pCtrlCont && pThis->m_pCtrlCont->m_pWnd ? pThis->m_pCtrlCont->m_pWnd->GetSafeHwnd() : NULL;
    return *phwnd ? S_OK : E_FAIL;
}

STDMETHODIMP COleControlSite::XOleIPSite::ContextSensitiveHelp(BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP COleControlSite::XOleIPSite::CanInPlaceActivate()
{
    METHOD_PROLOGUE(COleControlSite, OleIPSite)
    return pThis->m_pCtrlCont && pThis->m_pCtrlCont->m_pWnd ? S_OK : S_FALSE;
}

STDMETHODIMP COleControlSite::XOleIPSite::OnInPlaceActivate()
{
    METHOD_PROLOGUE(COleControlSite, OleIPSite)
    if (!pThis->m_pInPlaceObject && pThis->m_pObject)
        pThis->m_pObject->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&pThis->m_pInPlaceObject));
    return S_OK;
}

STDMETHODIMP COleControlSite::XOleIPSite::OnUIActivate()
{
    return S_OK;
}

STDMETHODIMP COleControlSite::XOleIPSite::GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc,
                                                           LPRECT lprcPosRect, LPRECT lprcClipRect,
                                                           LPOLEINPLACEFRAMEINFO lpFrameInfo)
{
    METHOD_PROLOGUE(COleControlSite, OleIPSite)
    if (!ppFrame || !ppDoc || !lprcPosRect || !lprcClipRect)
        return E_POINTER;
    *ppFrame = nullptr;
    *ppDoc = nullptr;
    COleControlContainer* const pCont = pThis->m_pCtrlCont;
    if (!pCont || !pCont->m_pWnd)
        return E_FAIL;
    pCont->ExternalQueryInterface(&IID_IOleInPlaceFrame, reinterpret_cast<void**>(ppFrame));
    *lprcPosRect = pThis->m_rect;
    *lprcClipRect = pThis->m_rect;
    if (lpFrameInfo)
    {
        // The caller sets cb; the rest describes a frame without menus or
        // accelerators of its own.
        lpFrameInfo->fMDIApp = FALSE;
        lpFrameInfo->hwndFrame = pCont->m_pWnd->GetSafeHwnd();
        lpFrameInfo->haccel = NULL;
        lpFrameInfo->cAccelEntries = 0;
    }
    return S_OK;
}

STDMETHODIMP COleControlSite::XOleIPSite::Scroll(SIZE)
{
    return S_FALSE;
}

STDMETHODIMP COleControlSite::XOleIPSite::OnUIDeactivate(BOOL)
{
    return S_OK;
}

STDMETHODIMP COleControlSite::XOleIPSite::OnInPlaceDeactivate()
{
    METHOD_PROLOGUE(COleControlSite, OleIPSite)
    ReleaseInterface(pThis->m_pInPlaceObject);
    return S_OK;
}

STDMETHODIMP COleControlSite::XOleIPSite::DiscardUndoState()
{
    return S_OK;
}

STDMETHODIMP COleControlSite::XOleIPSite::DeactivateAndUndo()
{
    METHOD_PROLOGUE(COleControlSite, OleIPSite)
    if (pThis->m_pInPlaceObject)
        pThis->m_pInPlaceObject->UIDeactivate();
    return S_OK;
}

STDMETHODIMP COleControlSite::XOleIPSite::OnPosRectChange(LPCRECT lprcPosRect)
{
    METHOD_PROLOGUE(COleControlSite, OleIPSite)
    if (!lprcPosRect)
        return E_POINTER;
    pThis->m_rect = *lprcPosRect;
    if (pThis->m_pInPlaceObject)
        pThis->m_pInPlaceObject->SetObjectRects(&pThis->m_rect, &pThis->m_rect);
    return S_OK;
}
