#include "ToolTipHTMLTip.h"

#include "DpiScaling.h"
#include "WebBrowserTipDocument.h"

BEGIN_INTERFACE_MAP(CLVKToolTipContext::CHTMLToolTip, CLVKToolTipContextToolTip)
    INTERFACE_PART(CLVKToolTipContext::CHTMLToolTip, IID_IOleClientSite, OleClientSite)
    INTERFACE_PART(CLVKToolTipContext::CHTMLToolTip, IID_IDocHostUIHandler, DocHostUIHandler)
END_INTERFACE_MAP()

namespace
{
const UINT kBrowserId = 0xE900;

int ScaleX(int n)
{
    return CLVKDpiScaling::GetGlobal()->ScaleX(n);
}

int ScaleY(int n)
{
    return CLVKDpiScaling::GetGlobal()->ScaleY(n);
}
}  // namespace

CLVKToolTipContext::CHTMLToolTip::CHTMLToolTip(CLVKToolTipContext* pContext) : CLVKToolTipContextToolTip(pContext)
{
}

CLVKToolTipContext::CHTMLToolTip::~CHTMLToolTip()
{
    m_pBrowserDocument.reset();
    // Closing the control makes the browser let go of this tip's site
    // before the tip goes.
    if (m_wndBrowser.GetSafeHwnd())
        m_wndBrowser.DestroyWindow();
    if (m_pWebBrowser)
    {
        m_pWebBrowser->Release();
        m_pWebBrowser = nullptr;
    }
}

BOOL CLVKToolTipContext::CHTMLToolTip::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CLIPCHILDREN;
    return CLVKToolTipContextToolTip::PreCreateWindow(cs);
}

CString CLVKToolTipContext::CHTMLToolTip::GetBlankPageURL() const
{
    CString strFace = L"Arial";
    int nHeight = ScaleY(11);
    LOGFONTW lf{};
    CFont* const pFont = m_pContext->GetFont();
    if (pFont && pFont->GetSafeHandle() && ::GetObjectW(pFont->GetSafeHandle(), sizeof(lf), &lf))
    {
        if (lf.lfFaceName[0])
            strFace = lf.lfFaceName;
        if (lf.lfHeight)
            nHeight = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
    }
    const COLORREF clrBack = m_pContext->GetBackColor();
    CString strColor;
    strColor.Format(L"#%0.2x%0.2x%0.2x", GetRValue(clrBack), GetGValue(clrBack), GetBValue(clrBack));
    CString strURL;
    strURL.Format(L"about:<head><style> body {font-family:%s; font-size:%i;}table {font-family:%s; font-size:%i;}"
                  L"</style></head><body topmargin=0 leftmargin=0 bottommargin=0 rightmargin=0 bgColor=%s></body>",
                  strFace, nHeight, strFace, nHeight, strColor);
    return strURL;
}

BOOL CLVKToolTipContext::CHTMLToolTip::CreateBrowser()
{
    if (!m_hWnd)
        return FALSE;
    const RECT rc{0, 0, ScaleX(200), ScaleY(200)};
    if (!m_wndBrowser.CreateControl(CLSID_WebBrowser, nullptr, WS_CHILD | WS_VISIBLE, rc, this, kBrowserId))
        return FALSE;
    IUnknown* const pUnknown = m_wndBrowser.GetControlUnknown();
    if (!pUnknown || FAILED(pUnknown->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&m_pWebBrowser))) ||
        !m_pWebBrowser)
    {
        m_pWebBrowser = nullptr;
        m_wndBrowser.DestroyWindow();
        return FALSE;
    }
    // The browser asks its client site for the UI handler: this tip's site
    // answers for it, so the browser keeps its own menus and borders away.
    IOleObject* pObject = nullptr;
    if (SUCCEEDED(pUnknown->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&pObject))) && pObject)
    {
        pObject->SetClientSite(&m_xOleClientSite);
        pObject->Release();
    }
    const BSTR bstrURL = ::SysAllocString(GetBlankPageURL());
    VARIANT varEmpty{};
    m_pWebBrowser->Navigate(bstrURL, &varEmpty, &varEmpty, &varEmpty, &varEmpty);
    ::SysFreeString(bstrURL);
    m_dwNavigateTick = ::GetTickCount();
    m_pBrowserDocument = std::make_unique<CLVKWebBrowserTipDocument>(&m_wndBrowser, m_pWebBrowser);
    return TRUE;
}

BOOL CLVKToolTipContext::CHTMLToolTip::WaitForDocument()
{
    for (;;)
    {
        READYSTATE nState = READYSTATE_UNINITIALIZED;
        if (SUCCEEDED(m_pWebBrowser->get_ReadyState(&nState)) && nState == READYSTATE_COMPLETE)
            return TRUE;
        // The limit counts from the navigation: a document that never comes
        // costs one wait, not one per tip.
        const LONG nLeft = static_cast<LONG>(m_dwNavigateTick + m_dwDocumentWaitLimit - ::GetTickCount());
        if (nLeft <= 0)
            return FALSE;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(nLeft < 50 ? nLeft : 50), QS_ALLINPUT);
        MSG msg{};
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (msg.message == WM_QUIT)
            {
                // The thread's loop must still see it.
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return FALSE;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

CLVKHTMLTipDocument* CLVKToolTipContext::CHTMLToolTip::GetBrowserDocument()
{
    if (!m_bBrowserTried)
    {
        m_bBrowserTried = TRUE;
        if (!CreateBrowser())
            return nullptr;
    }
    if (!m_pWebBrowser || !m_pBrowserDocument || !WaitForDocument())
        return nullptr;
    return m_pBrowserDocument.get();
}

SIZE CLVKToolTipContext::CHTMLToolTip::MeasureTip(TOOLITEM* pTool)
{
    const CString& strText = GetToolText(pTool);
    // Messages pumped while waiting for the document may ask for another
    // tip: that one is not shown.
    if (strText.IsEmpty() || m_bMeasuring)
        return SIZE{0, 0};
    m_bMeasuring = TRUE;
    SIZE size{0, 0};
    CLVKHTMLTipDocument* const pDocument = m_pDocument ? m_pDocument : GetBrowserDocument();
    if (pDocument)
        size = MeasureDocument(*pDocument, strText);
    m_bMeasuring = FALSE;
    return size;
}

SIZE CLVKToolTipContext::CHTMLToolTip::MeasureDocument(CLVKHTMLTipDocument& document, LPCWSTR lpszHTML)
{
    if (!document.SetBodyHTML(lpszHTML))
        return SIZE{0, 0};
    const RECT& rcMargin = m_pContext->GetMargin();
    const int x = rcMargin.left + ScaleX(3);
    const int y = rcMargin.top + ScaleY(3);
    const int nBoxHeight = ScaleY(200);
    document.SetViewRect(RECT{x, y, x + ScaleX(650), y + nBoxHeight});
    const int nInitialHeight = document.GetBodyScrollSize().cy;

    // The narrowest width at which the content is no taller than at the
    // initial width. Content that cannot get narrower than the box (a long
    // word, a wide table) ends the search with its own width.
    const int nMaxWidth = 2 * m_pContext->GetMaxTipWidth();
    int nLow = 0;
    int nHigh = nMaxWidth;
    int nBest = -1;
    while (nLow <= nHigh)
    {
        const int nMiddle = nLow + (nHigh - nLow) / 2;
        document.SetViewRect(RECT{x, y, x + nMiddle, y + nBoxHeight});
        const SIZE content = document.GetBodyScrollSize();
        if (content.cx > nMiddle && content.cy <= nInitialHeight)
        {
            nBest = content.cx;
            break;
        }
        if (content.cy > nInitialHeight)
        {
            nLow = nMiddle + 1;
        }
        else
        {
            nBest = nMiddle;
            nHigh = nMiddle - 1;
        }
    }
    int nHeight = nInitialHeight;
    if (nBest < 0)
    {
        // A maximum width below the initial width: even the widest allowed
        // box makes the content taller. It gets that width and the height
        // it needs there, so nothing is cut off.
        nBest = nMaxWidth;
        document.SetViewRect(RECT{x, y, x + nBest, y + nBoxHeight});
        nHeight = document.GetBodyScrollSize().cy;
    }
    document.SetViewRect(RECT{x, y, x + nBest, y + nHeight});
    return SIZE{nBest + rcMargin.left + rcMargin.right + 2 * ScaleX(3),
                nHeight + rcMargin.top + rcMargin.bottom + 2 * ScaleY(3)};
}

void CLVKToolTipContext::CHTMLToolTip::DrawTip(CDC*, TOOLITEM*, RECT)
{
}

// ---- IOleClientSite: the browser's site once it is created ---------------------------

STDMETHODIMP_(ULONG) CLVKToolTipContext::CHTMLToolTip::XOleClientSite::AddRef()
{
    METHOD_PROLOGUE(CLVKToolTipContext::CHTMLToolTip, OleClientSite)
    return pThis->ExternalAddRef();
}

STDMETHODIMP_(ULONG) CLVKToolTipContext::CHTMLToolTip::XOleClientSite::Release()
{
    METHOD_PROLOGUE(CLVKToolTipContext::CHTMLToolTip, OleClientSite)
    return pThis->ExternalRelease();
}

STDMETHODIMP CLVKToolTipContext::CHTMLToolTip::XOleClientSite::QueryInterface(REFIID iid, LPVOID* ppvObj)
{
    METHOD_PROLOGUE(CLVKToolTipContext::CHTMLToolTip, OleClientSite)
    return static_cast<HRESULT>(pThis->ExternalQueryInterface(&iid, ppvObj));
}

STDMETHODIMP CLVKToolTipContext::CHTMLToolTip::XOleClientSite::SaveObject()
{
    return E_NOTIMPL;
}

STDMETHODIMP CLVKToolTipContext::CHTMLToolTip::XOleClientSite::GetMoniker(DWORD, DWORD, IMoniker** ppmk)
{
    if (ppmk)
        *ppmk = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CLVKToolTipContext::CHTMLToolTip::XOleClientSite::GetContainer(IOleContainer** ppContainer)
{
    if (ppContainer)
        *ppContainer = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CLVKToolTipContext::CHTMLToolTip::XOleClientSite::ShowObject()
{
    return E_NOTIMPL;
}

STDMETHODIMP CLVKToolTipContext::CHTMLToolTip::XOleClientSite::OnShowWindow(BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP CLVKToolTipContext::CHTMLToolTip::XOleClientSite::RequestNewObjectLayout()
{
    return E_NOTIMPL;
}

// ---- IDocHostUIHandler: a browser without menus, borders or scroll bars ----------------

STDMETHODIMP_(ULONG) CLVKToolTipContext::CHTMLToolTip::XDocHostUIHandler::AddRef()
{
    METHOD_PROLOGUE(CLVKToolTipContext::CHTMLToolTip, DocHostUIHandler)
    return pThis->ExternalAddRef();
}

STDMETHODIMP_(ULONG) CLVKToolTipContext::CHTMLToolTip::XDocHostUIHandler::Release()
{
    METHOD_PROLOGUE(CLVKToolTipContext::CHTMLToolTip, DocHostUIHandler)
    return pThis->ExternalRelease();
}

STDMETHODIMP CLVKToolTipContext::CHTMLToolTip::XDocHostUIHandler::QueryInterface(REFIID iid, LPVOID* ppvObj)
{
    METHOD_PROLOGUE(CLVKToolTipContext::CHTMLToolTip, DocHostUIHandler)
    return static_cast<HRESULT>(pThis->ExternalQueryInterface(&iid, ppvObj));
}

STDMETHODIMP CLVKToolTipContext::CHTMLToolTip::XDocHostUIHandler::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*)
{
    return S_OK;  // handled: the browser shows no menu of its own
}

STDMETHODIMP CLVKToolTipContext::CHTMLToolTip::XDocHostUIHandler::GetHostInfo(DOCHOSTUIINFO* pInfo)
{
    if (!pInfo)
        return E_POINTER;
    pInfo->dwFlags = DOCHOSTUIFLAG_DIALOG | DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO | DOCHOSTUIFLAG_THEME;
    pInfo->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    return S_OK;
}

STDMETHODIMP CLVKToolTipContext::CHTMLToolTip::XDocHostUIHandler::ShowUI(DWORD, IOleInPlaceActiveObject*,
                                                                         IOleCommandTarget*, IOleInPlaceFrame*,
                                                                         IOleInPlaceUIWindow*)
{
    return S_OK;
}

STDMETHODIMP CLVKToolTipContext::CHTMLToolTip::XDocHostUIHandler::HideUI()
{
    return S_OK;
}

STDMETHODIMP CLVKToolTipContext::CHTMLToolTip::XDocHostUIHandler::UpdateUI()
{
    return S_OK;
}

STDMETHODIMP CLVKToolTipContext::CHTMLToolTip::XDocHostUIHandler::EnableModeless(BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP CLVKToolTipContext::CHTMLToolTip::XDocHostUIHandler::OnDocWindowActivate(BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP CLVKToolTipContext::CHTMLToolTip::XDocHostUIHandler::OnFrameWindowActivate(BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP CLVKToolTipContext::CHTMLToolTip::XDocHostUIHandler::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP CLVKToolTipContext::CHTMLToolTip::XDocHostUIHandler::TranslateAccelerator(LPMSG, const GUID*, DWORD)
{
    return S_FALSE;  // not translated: the browser handles its own keys
}

STDMETHODIMP CLVKToolTipContext::CHTMLToolTip::XDocHostUIHandler::GetOptionKeyPath(LPOLESTR* pchKey, DWORD)
{
    if (pchKey)
        *pchKey = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CLVKToolTipContext::CHTMLToolTip::XDocHostUIHandler::GetDropTarget(IDropTarget*,
                                                                                IDropTarget** ppDropTarget)
{
    if (ppDropTarget)
        *ppDropTarget = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CLVKToolTipContext::CHTMLToolTip::XDocHostUIHandler::GetExternal(IDispatch** ppDispatch)
{
    if (ppDispatch)
        *ppDispatch = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CLVKToolTipContext::CHTMLToolTip::XDocHostUIHandler::TranslateUrl(DWORD, LPWSTR, LPWSTR* ppchURLOut)
{
    if (ppchURLOut)
        *ppchURLOut = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CLVKToolTipContext::CHTMLToolTip::XDocHostUIHandler::FilterDataObject(IDataObject*,
                                                                                   IDataObject** ppDORet)
{
    if (ppDORet)
        *ppDORet = nullptr;
    return E_NOTIMPL;
}
