// The HTML tip: the tool text is HTML shown by a web browser control hosted
// in the tip window. Measuring puts the text into the browser's document
// and looks for the narrowest width at which it is no taller than at a wide
// initial width; the browser paints the content, the tip only its
// background. Without a browser, or without a document within the wait
// limit, the tip measures 0 x 0 and is not shown.
#pragma once

#include "ToolTipContextToolTip.h"

#include <exdisp.h>
#include <mshtmhst.h>

#include <memory>

class CLVKHTMLTipDocument;
class CLVKWebBrowserTipDocument;

class CLVKToolTipContext::CHTMLToolTip : public CLVKToolTipContextToolTip
{
public:
    explicit CHTMLToolTip(CLVKToolTipContext* pContext);
    ~CHTMLToolTip() override;

    SIZE MeasureTip(TOOLITEM* pTool) override;
    // Nothing: the browser child paints the content.
    void DrawTip(CDC* pDC, TOOLITEM* pTool, RECT rc) override;

    // How long measuring may wait for the browser's document, counted from
    // the navigation, over all measures together (milliseconds).
    static const DWORD kDefaultDocumentWaitLimit = 3000;
    void SetDocumentWaitLimit(DWORD dwMilliseconds) { m_dwDocumentWaitLimit = dwMilliseconds; }
    DWORD GetDocumentWaitLimit() const { return m_dwDocumentWaitLimit; }

    // Measures with this document instead of the browser's (not owned; null
    // goes back to the browser).
    void SetDocument(CLVKHTMLTipDocument* pDocument) { m_pDocument = pDocument; }

    // The browser host window and its IWebBrowser2 (no reference), once the
    // first measure made them.
    CWnd* GetBrowserWindow() { return &m_wndBrowser; }
    IWebBrowser2* GetWebBrowser() const { return m_pWebBrowser; }
    // The blank page the browser is navigated to: the context's font and
    // background colour as the body's style.
    CString GetBlankPageURL() const;

protected:
    // The tip's background never paints over the browser.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    DECLARE_INTERFACE_MAP()

    BEGIN_INTERFACE_PART(OleClientSite, IOleClientSite)
        STDMETHOD(SaveObject)() override;
        STDMETHOD(GetMoniker)(DWORD dwAssign, DWORD dwWhichMoniker, IMoniker** ppmk) override;
        STDMETHOD(GetContainer)(IOleContainer** ppContainer) override;
        STDMETHOD(ShowObject)() override;
        STDMETHOD(OnShowWindow)(BOOL fShow) override;
        STDMETHOD(RequestNewObjectLayout)() override;
    END_INTERFACE_PART(OleClientSite)

    BEGIN_INTERFACE_PART(DocHostUIHandler, IDocHostUIHandler)
        STDMETHOD(ShowContextMenu)(DWORD dwID, POINT* ppt, IUnknown* pcmdtReserved, IDispatch* pdispReserved) override;
        STDMETHOD(GetHostInfo)(DOCHOSTUIINFO* pInfo) override;
        STDMETHOD(ShowUI)(DWORD dwID, IOleInPlaceActiveObject* pActiveObject, IOleCommandTarget* pCommandTarget,
                          IOleInPlaceFrame* pFrame, IOleInPlaceUIWindow* pDoc) override;
        STDMETHOD(HideUI)() override;
        STDMETHOD(UpdateUI)() override;
        STDMETHOD(EnableModeless)(BOOL fEnable) override;
        STDMETHOD(OnDocWindowActivate)(BOOL fActivate) override;
        STDMETHOD(OnFrameWindowActivate)(BOOL fActivate) override;
        STDMETHOD(ResizeBorder)(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow, BOOL fFrameWindow) override;
        STDMETHOD(TranslateAccelerator)(LPMSG lpMsg, const GUID* pguidCmdGroup, DWORD nCmdID) override;
        STDMETHOD(GetOptionKeyPath)(LPOLESTR* pchKey, DWORD dw) override;
        STDMETHOD(GetDropTarget)(IDropTarget* pDropTarget, IDropTarget** ppDropTarget) override;
        STDMETHOD(GetExternal)(IDispatch** ppDispatch) override;
        STDMETHOD(TranslateUrl)(DWORD dwTranslate, LPWSTR pchURLIn, LPWSTR* ppchURLOut) override;
        STDMETHOD(FilterDataObject)(IDataObject* pDO, IDataObject** ppDORet) override;
    END_INTERFACE_PART(DocHostUIHandler)

private:
    // The browser's document once it is complete; null without a browser or
    // when the wait limit passed first. The first call creates the browser.
    CLVKHTMLTipDocument* GetBrowserDocument();
    BOOL CreateBrowser();
    // Pumps messages until the document is complete or the limit is reached.
    BOOL WaitForDocument();
    SIZE MeasureDocument(CLVKHTMLTipDocument& document, LPCWSTR lpszHTML);

    CWnd m_wndBrowser;
    IWebBrowser2* m_pWebBrowser = nullptr;
    std::unique_ptr<CLVKWebBrowserTipDocument> m_pBrowserDocument;
    CLVKHTMLTipDocument* m_pDocument = nullptr;
    BOOL m_bBrowserTried = FALSE;
    DWORD m_dwNavigateTick = 0;
    DWORD m_dwDocumentWaitLimit = kDefaultDocumentWaitLimit;
    BOOL m_bMeasuring = FALSE;
};
