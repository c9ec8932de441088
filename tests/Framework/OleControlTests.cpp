// OLE control hosting: CWnd::CreateControl with the control site and the
// container, checked against a control double that records what its host
// asks of it, and with the platform's web browser control.
#include "Framework.h"

#include <exdisp.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{

// {5C1F0E7A-2B7D-4C51-9E4A-6D2B8F10A301}
const CLSID CLSID_ControlDouble = {0x5c1f0e7a, 0x2b7d, 0x4c51, {0x9e, 0x4a, 0x6d, 0x2b, 0x8f, 0x10, 0xa3, 0x01}};

// A windowed control as a container meets it: it asks its in-place site for
// the window and the place, makes its window there, follows
// SetObjectRects, and gives everything back when it is deactivated, closed
// and unsited. The test owns it; the count says how many references others
// still hold.
class CControlDouble : public IOleObject, public IOleInPlaceObject, public IPersistStreamInit
{
public:
    ULONG m_cRef = 0;
    DWORD m_dwMiscStatus = 0;
    bool m_bWindowless = false;  // activates without a window
    HRESULT m_hrDoVerb = S_OK;
    std::vector<std::string> m_calls;
    IOleClientSite* m_pClientSite = nullptr;
    IOleInPlaceSite* m_pInPlaceSite = nullptr;
    HWND m_hWnd = NULL;
    HWND m_hWndFrame = NULL;  // what the frame from GetWindowContext answered
    RECT m_rcContext{};       // the place GetWindowContext gave
    RECT m_rcObject{};        // the last SetObjectRects
    SIZEL m_extent{};

    ~CControlDouble()
    {
        if (m_hWnd && ::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
    }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        *ppv = nullptr;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleObject))
            *ppv = static_cast<IOleObject*>(this);
        else if (IsEqualIID(riid, IID_IOleInPlaceObject) || IsEqualIID(riid, IID_IOleWindow))
            *ppv = static_cast<IOleInPlaceObject*>(this);
        else if (IsEqualIID(riid, IID_IPersistStreamInit))
            *ppv = static_cast<IPersistStreamInit*>(this);
        else
            return E_NOINTERFACE;
        ++m_cRef;
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_cRef; }
    STDMETHODIMP_(ULONG) Release() override { return --m_cRef; }

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* pSite) override
    {
        m_calls.push_back(pSite ? "SetClientSite" : "SetClientSite(null)");
        if (pSite)
            pSite->AddRef();
        if (m_pClientSite)
            m_pClientSite->Release();
        m_pClientSite = pSite;
        return S_OK;
    }
    STDMETHODIMP GetClientSite(IOleClientSite** ppSite) override
    {
        *ppSite = m_pClientSite;
        if (m_pClientSite)
            m_pClientSite->AddRef();
        return S_OK;
    }
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP Close(DWORD) override
    {
        m_calls.push_back("Close");
        InPlaceDeactivate();
        return S_OK;
    }
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP DoVerb(LONG iVerb, LPMSG, IOleClientSite* pSite, LONG, HWND hwndParent, LPCRECT lprcPosRect) override
    {
        m_calls.push_back("DoVerb " + std::to_string(iVerb));
        if (FAILED(m_hrDoVerb))
            return m_hrDoVerb;
        if (iVerb != OLEIVERB_INPLACEACTIVATE || !pSite || m_pInPlaceSite)
            return E_NOTIMPL;
        if (FAILED(pSite->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&m_pInPlaceSite))))
            return E_NOINTERFACE;
        if (m_pInPlaceSite->CanInPlaceActivate() != S_OK)
            return E_FAIL;
        m_pInPlaceSite->OnInPlaceActivate();
        IOleInPlaceFrame* pFrame = nullptr;
        IOleInPlaceUIWindow* pDoc = nullptr;
        RECT rcClip{};
        OLEINPLACEFRAMEINFO info{};
        info.cb = sizeof(info);
        m_pInPlaceSite->GetWindowContext(&pFrame, &pDoc, &m_rcContext, &rcClip, &info);
        if (pFrame)
        {
            pFrame->GetWindow(&m_hWndFrame);
            pFrame->Release();
        }
        if (pDoc)
            pDoc->Release();
        HWND hWndSite = NULL;
        m_pInPlaceSite->GetWindow(&hWndSite);
        if (hWndSite != hwndParent)
            return E_UNEXPECTED;
        if (!m_bWindowless)
        {
            m_hWnd = ::CreateWindowExW(0, L"Static", L"double", WS_CHILD | WS_VISIBLE, m_rcContext.left,
                                       m_rcContext.top, m_rcContext.right - m_rcContext.left,
                                       m_rcContext.bottom - m_rcContext.top, hwndParent, NULL, NULL, NULL);
        }
        (void)lprcPosRect;
        return S_OK;
    }
    STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID* pClsid) override
    {
        *pClsid = CLSID_ControlDouble;
        return S_OK;
    }
    STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
    STDMETHODIMP SetExtent(DWORD, SIZEL* psizel) override
    {
        m_calls.push_back("SetExtent");
        m_extent = *psizel;
        return S_OK;
    }
    STDMETHODIMP GetExtent(DWORD, SIZEL* psizel) override
    {
        *psizel = m_extent;
        return S_OK;
    }
    STDMETHODIMP Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unadvise(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    STDMETHODIMP GetMiscStatus(DWORD, DWORD* pdwStatus) override
    {
        m_calls.push_back("GetMiscStatus");
        *pdwStatus = m_dwMiscStatus;
        return S_OK;
    }
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleInPlaceObject
    STDMETHODIMP GetWindow(HWND* phwnd) override
    {
        *phwnd = m_hWnd;
        return m_hWnd ? S_OK : E_FAIL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP InPlaceDeactivate() override
    {
        if (!m_pInPlaceSite)
            return S_OK;
        m_calls.push_back("InPlaceDeactivate");
        if (m_hWnd)
            ::DestroyWindow(m_hWnd);
        m_hWnd = NULL;
        IOleInPlaceSite* const pSite = m_pInPlaceSite;
        m_pInPlaceSite = nullptr;
        pSite->OnInPlaceDeactivate();
        pSite->Release();
        return S_OK;
    }
    STDMETHODIMP UIDeactivate() override { return S_OK; }
    STDMETHODIMP SetObjectRects(LPCRECT lprcPosRect, LPCRECT) override
    {
        m_calls.push_back("SetObjectRects");
        m_rcObject = *lprcPosRect;
        if (m_hWnd)
            ::MoveWindow(m_hWnd, lprcPosRect->left, lprcPosRect->top, lprcPosRect->right - lprcPosRect->left,
                         lprcPosRect->bottom - lprcPosRect->top, TRUE);
        return S_OK;
    }
    STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }

    // IPersistStreamInit
    STDMETHODIMP GetClassID(CLSID* pClsid) override { return GetUserClassID(pClsid); }
    STDMETHODIMP IsDirty() override { return S_FALSE; }
    STDMETHODIMP Load(LPSTREAM) override { return E_NOTIMPL; }
    STDMETHODIMP Save(LPSTREAM, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER*) override { return E_NOTIMPL; }
    STDMETHODIMP InitNew() override
    {
        m_calls.push_back("InitNew");
        return S_OK;
    }

    bool Called(const char* name) const
    {
        for (const std::string& call : m_calls)
            if (call == name)
                return true;
        return false;
    }
};

// Registered for the thread while a test runs: each CreateInstance hands out
// the next of the doubles the test prepared.
class CControlDoubleFactory : public IClassFactory
{
public:
    std::vector<std::unique_ptr<CControlDouble>> m_controls;
    size_t m_nNext = 0;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        *ppv = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IClassFactory))
            return E_NOINTERFACE;
        *ppv = this;
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv) override
    {
        *ppv = nullptr;
        if (pOuter)
            return CLASS_E_NOAGGREGATION;
        if (m_nNext >= m_controls.size())
            return E_OUTOFMEMORY;
        return m_controls[m_nNext++]->QueryInterface(riid, ppv);
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

class OleControl : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
        ASSERT_EQ(::CoRegisterClassObject(CLSID_ControlDouble, &m_factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                          &m_dwCookie),
                  S_OK);
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, L"host", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr));
    }
    void TearDown() override
    {
        m_parent.DestroyWindow();
        ::CoRevokeClassObject(m_dwCookie);
        ::OleUninitialize();
    }

    CControlDouble& AddControl()
    {
        m_factory.m_controls.push_back(std::make_unique<CControlDouble>());
        return *m_factory.m_controls.back();
    }

    static RECT PlaceInParent(HWND hWnd)
    {
        RECT rc{};
        ::GetWindowRect(hWnd, &rc);
        ::MapWindowPoints(NULL, ::GetParent(hWnd), reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }

    CControlDoubleFactory m_factory;
    DWORD m_dwCookie = 0;
    CWnd m_parent;
};

void ExpectRect(const RECT& rc, LONG left, LONG top, LONG right, LONG bottom, const char* what)
{
    EXPECT_EQ(rc.left, left) << what;
    EXPECT_EQ(rc.top, top) << what;
    EXPECT_EQ(rc.right, right) << what;
    EXPECT_EQ(rc.bottom, bottom) << what;
}

}  // namespace

TEST_F(OleControl, CreatesActivatesInPlaceMovesAndClosesTheControl)
{
    struct Case
    {
        const char* name;
        DWORD dwMiscStatus;
        std::vector<std::string> calls;  // up to the in-place activation
    };
    const Case cases[] = {
        {"site after InitNew", 0, {"GetMiscStatus", "InitNew", "SetClientSite", "SetExtent", "DoVerb -5"}},
        {"site first", OLEMISC_SETCLIENTSITEFIRST,
         {"GetMiscStatus", "SetClientSite", "InitNew", "SetExtent", "DoVerb -5"}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CControlDouble& control = AddControl();
        control.m_dwMiscStatus = c.dwMiscStatus;
        CWnd wnd;
        ASSERT_TRUE(wnd.CreateControl(CLSID_ControlDouble, nullptr, WS_CHILD | WS_VISIBLE, RECT{5, 6, 205, 106},
                                      &m_parent, 0xE900));
        EXPECT_EQ(control.m_calls, c.calls);
        ASSERT_NE(control.m_hWnd, HWND(NULL));
        EXPECT_EQ(wnd.m_hWnd, control.m_hWnd);
        EXPECT_EQ(CWnd::FromHandlePermanent(control.m_hWnd), &wnd);
        EXPECT_EQ(::GetDlgCtrlID(wnd.m_hWnd), 0xE900);
        EXPECT_EQ(wnd.GetControlUnknown(), static_cast<IUnknown*>(static_cast<IOleObject*>(&control)));
        EXPECT_EQ(control.m_hWndFrame, m_parent.m_hWnd) << "the frame of the window context";
        ExpectRect(control.m_rcContext, 5, 6, 205, 106, "the place of the window context");
        ExpectRect(PlaceInParent(wnd.m_hWnd), 5, 6, 205, 106, "the control's window");
        ASSERT_NE(m_parent.m_pCtrlCont, nullptr);
        EXPECT_EQ(m_parent.m_pCtrlCont->FindItem(0xE900), wnd.m_pCtrlSite);
        // The site is one object: its client site and its in-place site
        // answer for each other.
        IOleInPlaceSite* pIPSite = nullptr;
        ASSERT_EQ(control.m_pClientSite->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&pIPSite)), S_OK);
        IOleClientSite* pBack = nullptr;
        ASSERT_EQ(pIPSite->QueryInterface(IID_IOleClientSite, reinterpret_cast<void**>(&pBack)), S_OK);
        EXPECT_EQ(pBack, control.m_pClientSite);
        pBack->Release();
        pIPSite->Release();

        // Moving goes through the control, which moves its own window.
        wnd.MoveWindow(10, 20, 300, 50);
        ExpectRect(control.m_rcObject, 10, 20, 310, 70, "SetObjectRects after MoveWindow");
        ExpectRect(PlaceInParent(wnd.m_hWnd), 10, 20, 310, 70, "the window after MoveWindow");
        wnd.SetWindowPos(nullptr, 0, 0, 120, 30, SWP_NOMOVE | SWP_NOZORDER);
        ExpectRect(control.m_rcObject, 10, 20, 130, 50, "SetObjectRects after SetWindowPos without moving");
        wnd.SetWindowPos(nullptr, 1, 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ExpectRect(control.m_rcObject, 1, 2, 121, 32, "SetObjectRects after SetWindowPos without sizing");

        // Destroying the CWnd closes the control, which gives every
        // reference back; the window goes with it.
        control.m_calls.clear();
        const HWND hWnd = wnd.m_hWnd;
        EXPECT_TRUE(wnd.DestroyWindow());
        EXPECT_EQ(control.m_calls, (std::vector<std::string>{"InPlaceDeactivate", "Close", "SetClientSite(null)"}));
        EXPECT_FALSE(::IsWindow(hWnd));
        EXPECT_EQ(wnd.m_hWnd, HWND(NULL));
        EXPECT_EQ(wnd.m_pCtrlSite, nullptr);
        EXPECT_EQ(control.m_cRef, 0u) << "the host still holds the control";
        EXPECT_EQ(control.m_pClientSite, nullptr);
        EXPECT_EQ(m_parent.m_pCtrlCont->FindItem(0xE900), nullptr);
    }
}

TEST_F(OleControl, DestroyingTheParentClosesEveryControlAndDetachesItsWindow)
{
    CControlDouble& first = AddControl();
    CControlDouble& second = AddControl();
    CWnd wndFirst;
    CWnd wndSecond;
    ASSERT_TRUE(wndFirst.CreateControl(CLSID_ControlDouble, nullptr, WS_CHILD | WS_VISIBLE, RECT{0, 0, 50, 50},
                                       &m_parent, 1));
    ASSERT_TRUE(wndSecond.CreateControl(CLSID_ControlDouble, nullptr, WS_CHILD, RECT{50, 0, 100, 50}, &m_parent, 2));
    EXPECT_TRUE(::IsWindowVisible(wndFirst.m_hWnd) || !::IsWindowVisible(m_parent.m_hWnd));
    EXPECT_FALSE(::GetWindowLongW(wndSecond.m_hWnd, GWL_STYLE) & WS_VISIBLE) << "created without WS_VISIBLE";

    m_parent.DestroyWindow();
    for (CControlDouble* pControl : {&first, &second})
    {
        EXPECT_TRUE(pControl->Called("Close"));
        EXPECT_TRUE(pControl->Called("SetClientSite(null)"));
        EXPECT_EQ(pControl->m_cRef, 0u);
    }
    EXPECT_EQ(wndFirst.m_hWnd, HWND(NULL));
    EXPECT_EQ(wndFirst.m_pCtrlSite, nullptr);
    EXPECT_EQ(wndSecond.m_hWnd, HWND(NULL));
    EXPECT_EQ(m_parent.m_pCtrlCont, nullptr);
    // The controls' objects may go now without touching their old sites.
    EXPECT_FALSE(wndFirst.DestroyWindow());
}

TEST_F(OleControl, AControlThatCannotBeHostedLeavesNothingBehind)
{
    struct Case
    {
        const char* name;
        bool bWindowless;
        HRESULT hrDoVerb;
    };
    const Case cases[] = {
        {"no window of its own", true, S_OK},
        {"in-place activation fails", false, E_FAIL},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CControlDouble& control = AddControl();
        control.m_bWindowless = c.bWindowless;
        control.m_hrDoVerb = c.hrDoVerb;
        CWnd wnd;
        EXPECT_FALSE(wnd.CreateControl(CLSID_ControlDouble, nullptr, WS_CHILD | WS_VISIBLE, RECT{0, 0, 50, 50},
                                       &m_parent, 7));
        EXPECT_EQ(wnd.m_hWnd, HWND(NULL));
        EXPECT_EQ(wnd.m_pCtrlSite, nullptr);
        EXPECT_EQ(control.m_cRef, 0u);
        EXPECT_EQ(control.m_pClientSite, nullptr);
        EXPECT_EQ(m_parent.m_pCtrlCont->FindItem(7), nullptr);
    }
    // Classes that do not exist.
    CWnd wnd;
    EXPECT_FALSE(wnd.CreateControl(L"Lorvane.NoSuchControl", nullptr, WS_CHILD, RECT{0, 0, 5, 5}, &m_parent, 8));
    EXPECT_FALSE(wnd.CreateControl(L"{00000000-0000-0000-0000-0000000000AB}", nullptr, WS_CHILD, RECT{0, 0, 5, 5},
                                   &m_parent, 8));
    EXPECT_FALSE(wnd.CreateControl(CLSID_ControlDouble, nullptr, WS_CHILD, RECT{0, 0, 5, 5}, nullptr, 8));
    EXPECT_EQ(::GetWindow(m_parent.m_hWnd, GW_CHILD), HWND(NULL)) << "a window was left in the parent";
}

// The platform's web browser control, by its ProgID. Wine creates and
// navigates it; its document never loads here (no HTML engine).
TEST_F(OleControl, HostsTheWebBrowserControl)
{
    CWnd browser;
    ASSERT_TRUE(
        browser.CreateControl(L"Shell.Explorer", nullptr, WS_CHILD | WS_VISIBLE, RECT{5, 6, 205, 206}, &m_parent, 0xE900));
    EXPECT_EQ(::GetParent(browser.m_hWnd), m_parent.m_hWnd);
    EXPECT_EQ(::GetDlgCtrlID(browser.m_hWnd), 0xE900);
    ExpectRect(PlaceInParent(browser.m_hWnd), 5, 6, 205, 206, "created");
    IWebBrowser2* pBrowser = nullptr;
    ASSERT_EQ(browser.GetControlUnknown()->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&pBrowser)), S_OK);
    browser.MoveWindow(10, 10, 300, 100);
    ExpectRect(PlaceInParent(browser.m_hWnd), 10, 10, 310, 110, "moved through the control");

    // The browser holds the framework's site.
    IOleObject* pObject = nullptr;
    ASSERT_EQ(pBrowser->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&pObject)), S_OK);
    IOleClientSite* pSite = nullptr;
    ASSERT_EQ(pObject->GetClientSite(&pSite), S_OK);
    ASSERT_NE(pSite, nullptr);
    IOleInPlaceSite* pIPSite = nullptr;
    EXPECT_EQ(pSite->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&pIPSite)), S_OK);
    if (pIPSite)
        pIPSite->Release();
    pSite->Release();
    pObject->Release();

    BSTR url = ::SysAllocString(L"about:blank");
    VARIANT empty{};
    EXPECT_EQ(pBrowser->Navigate(url, &empty, &empty, &empty, &empty), S_OK);
    ::SysFreeString(url);
    pBrowser->Release();

    const HWND hWnd = browser.m_hWnd;
    m_parent.DestroyWindow();
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(browser.m_hWnd, HWND(NULL));
}
