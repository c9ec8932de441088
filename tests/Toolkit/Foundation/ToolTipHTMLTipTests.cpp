// The HTML tip: its measuring against a document double that wraps words
// like a browser body, its site's answers to the browser, and what Wine's
// web browser control shows (created and hosted; its document never
// completes here, so the wait ends at its limit and the tip is not shown).
#include "Foundation/HTMLTipDocument.h"
#include "Foundation/ToolTipContext.h"
#include "Foundation/ToolTipHTMLTip.h"

#include "MessagePump.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{

// A body that lays its text out in lines: words of 7 pixels a character,
// 4 between words, 16 a line. Like a browser body its scroll width is the
// box's width unless a word does not fit, and its scroll height is the
// content's.
class CWrappingDocument : public CLVKHTMLTipDocument
{
public:
    static constexpr int kCharWidth = 7;
    static constexpr int kSpace = 4;
    static constexpr int kLineHeight = 16;

    BOOL m_bHasBody = TRUE;
    std::vector<int> m_words;  // widths
    RECT m_rcView{};
    int m_nLayouts = 0;

    BOOL SetBodyHTML(LPCWSTR lpszHTML) override
    {
        if (!m_bHasBody)
            return FALSE;
        m_words.clear();
        int nChars = 0;
        for (LPCWSTR p = lpszHTML;; ++p)
        {
            if (*p && *p != L' ')
            {
                ++nChars;
                continue;
            }
            if (nChars)
                m_words.push_back(nChars * kCharWidth);
            nChars = 0;
            if (!*p)
                break;
        }
        return TRUE;
    }
    void SetViewRect(const RECT& rc) override
    {
        m_rcView = rc;
        ++m_nLayouts;
    }
    SIZE GetBodyScrollSize() override
    {
        const int nBox = m_rcView.right - m_rcView.left;
        int nWidest = 0;
        return SIZE{std::max(nBox, Layout(nBox, &nWidest) ? nWidest : 0), Layout(nBox, nullptr) * kLineHeight};
    }

    // The number of lines in a box of that width, and the widest line.
    int Layout(int nBox, int* pWidest) const
    {
        int nLines = 0;
        int nLine = 0;
        int nWidest = 0;
        for (int nWord : m_words)
        {
            if (nLines == 0 || nLine + kSpace + nWord > nBox)
            {
                ++nLines;
                nLine = nWord;
            }
            else
            {
                nLine += kSpace + nWord;
            }
            nWidest = std::max(nWidest, nLine);
        }
        if (pWidest)
            *pWidest = nWidest;
        return nLines;
    }
};

CLVKToolTipContextToolTip::TOOLITEM Tool(LPCWSTR lpszText)
{
    CLVKToolTipContextToolTip::TOOLITEM tool;
    tool.strText = lpszText;
    tool.nId = 1;
    return tool;
}

std::wstring Words(int nCount, int nLength)
{
    std::wstring text;
    for (int i = 0; i < nCount; ++i)
    {
        if (i)
            text += L' ';
        text.append(static_cast<size_t>(nLength), L'w');
    }
    return text;
}

}  // namespace

TEST(HTMLTip, MeasuresTheNarrowestWidthAtWhichTheContentKeepsItsInitialHeight)
{
    struct Case
    {
        const char* name;
        std::wstring text;
        int nMaxTipWidth;
        int nWidth;   // of the content; -1: the narrowest width found by trying every width
        int nHeight;  // of the content; -1: the height at the initial width of 650
    };
    const Case cases[] = {
        {"narrow content keeps its own width", L"Hello", 640, 35, 16},
        {"two short words stay on one line", L"Open drive", 640, 67, 16},
        {"wide content wraps, no taller than at 650", Words(60, 6), 640, -1, -1},
        {"a word wider than every box ends the search with its width", std::wstring(150, L'x'), 400, 1050, 16},
        {"a maximum below 650 takes the widest box and the height there", Words(60, 6), 100, 200, 16 * 15},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CLVKToolTipContext context;
        context.SetMaxTipWidth(c.nMaxTipWidth);
        context.SetMargin(RECT{1, 2, 3, 4});
        CLVKToolTipContext::CHTMLToolTip tip(&context);
        CWrappingDocument document;
        tip.SetDocument(&document);
        auto tool = Tool(c.text.c_str());

        const SIZE size = tip.MeasureTip(&tool);

        int nWidth = c.nWidth;
        int nHeight = c.nHeight;
        if (nHeight < 0)
            nHeight = document.Layout(650, nullptr) * CWrappingDocument::kLineHeight;
        if (nWidth < 0)
        {
            nWidth = 0;
            while (document.Layout(nWidth, nullptr) * CWrappingDocument::kLineHeight > nHeight)
                ++nWidth;
            EXPECT_LT(nWidth, 650) << "the case should wrap";
            EXPECT_GT(nHeight, CWrappingDocument::kLineHeight) << "the case should wrap";
        }
        EXPECT_EQ(size.cx, nWidth + 1 + 3 + 6);
        EXPECT_EQ(size.cy, nHeight + 2 + 4 + 6);
        // The browser is left in place for the tip: inside margins and 3.
        EXPECT_EQ(document.m_rcView.left, 1 + 3);
        EXPECT_EQ(document.m_rcView.top, 2 + 3);
        EXPECT_EQ(document.m_rcView.right - document.m_rcView.left, nWidth);
        EXPECT_EQ(document.m_rcView.bottom - document.m_rcView.top, nHeight);
        EXPECT_LT(document.m_nLayouts, 20) << "the width is bisected, not tried one by one";
    }
}

TEST(HTMLTip, NoTextOrNoBodyShowsNoTip)
{
    CLVKToolTipContext context;
    CLVKToolTipContext::CHTMLToolTip tip(&context);
    CWrappingDocument document;
    tip.SetDocument(&document);
    auto empty = Tool(L"");
    EXPECT_EQ(tip.MeasureTip(&empty).cx, 0);
    EXPECT_EQ(document.m_nLayouts, 0);

    document.m_bHasBody = FALSE;
    auto text = Tool(L"<b>Drive</b>");
    const SIZE size = tip.MeasureTip(&text);
    EXPECT_EQ(size.cx, 0);
    EXPECT_EQ(size.cy, 0);
}

TEST(HTMLTip, ItsSiteKeepsTheBrowsersOwnMenusAndBordersAway)
{
    CLVKToolTipContext context;
    CLVKToolTipContext::CHTMLToolTip tip(&context);
    IOleClientSite* pSite = nullptr;
    ASSERT_EQ(tip.ExternalQueryInterface(&IID_IOleClientSite, reinterpret_cast<void**>(&pSite)), DWORD(S_OK));
    IDocHostUIHandler* pHandler = nullptr;
    ASSERT_EQ(pSite->QueryInterface(IID_IDocHostUIHandler, reinterpret_cast<void**>(&pHandler)), S_OK);
    EXPECT_EQ(tip.m_dwRef, 3) << "both interfaces count on the tip";
    IOleClientSite* pBack = nullptr;
    ASSERT_EQ(pHandler->QueryInterface(IID_IOleClientSite, reinterpret_cast<void**>(&pBack)), S_OK);
    EXPECT_EQ(pBack, pSite);
    pBack->Release();
    IOleInPlaceSite* pInPlace = nullptr;
    EXPECT_EQ(pSite->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&pInPlace)), E_NOINTERFACE);

    DOCHOSTUIINFO info{};
    info.cbSize = sizeof(info);
    info.dwDoubleClick = 99;
    EXPECT_EQ(pHandler->GetHostInfo(&info), S_OK);
    EXPECT_EQ(info.dwFlags, 0x4000Du);
    EXPECT_EQ(info.dwDoubleClick, DWORD(DOCHOSTUIDBLCLK_DEFAULT));
    POINT pt{};
    EXPECT_EQ(pHandler->ShowContextMenu(0, &pt, nullptr, nullptr), S_OK) << "handled: no menu of the browser's";
    EXPECT_EQ(pHandler->ShowUI(0, nullptr, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(pHandler->HideUI(), S_OK);
    EXPECT_EQ(pHandler->UpdateUI(), S_OK);
    MSG msg{};
    EXPECT_EQ(pHandler->TranslateAccelerator(&msg, nullptr, 0), S_FALSE);
    IDispatch* pExternal = reinterpret_cast<IDispatch*>(1);
    EXPECT_EQ(pHandler->GetExternal(&pExternal), E_NOTIMPL);
    EXPECT_EQ(pExternal, nullptr);
    IOleContainer* pContainer = reinterpret_cast<IOleContainer*>(1);
    EXPECT_EQ(pSite->GetContainer(&pContainer), E_NOTIMPL);
    EXPECT_EQ(pContainer, nullptr);

    pHandler->Release();
    pSite->Release();
    EXPECT_EQ(tip.m_dwRef, 1);
}

// Wine creates and navigates the browser, but its document never becomes
// complete (no HTML engine): the wait ends at its limit, once.
TEST(HTMLTip, HostsTheWebBrowserAndShowsNoTipWhenItsDocumentNeverCompletes)
{
    const HRESULT hrCom = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        CWnd owner;
        ASSERT_TRUE(owner.CreateEx(0, nullptr, L"Tip owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
        CLVKToolTipContext context;
        context.SetStyle(lvkTipHTML);
        context.SetTipBkColor(RGB(0x12, 0xAB, 0x0C));
        std::unique_ptr<CWnd> pWnd(context.MakeTipWindow(&owner));
        auto* pTip = dynamic_cast<CLVKToolTipContext::CHTMLToolTip*>(pWnd.get());
        ASSERT_NE(pTip, nullptr);
        EXPECT_GE(pTip->GetDocumentWaitLimit(), 1000u) << "the product waits a few seconds";
        EXPECT_LE(pTip->GetDocumentWaitLimit(), 5000u) << "the product waits a few seconds";
        const DWORD dwLimit = 600;
        pTip->SetDocumentWaitLimit(dwLimit);
        auto tool = Tool(L"<b>Drive</b> P:");

        // The tip's wait handles this thread's messages: a timer mark set for
        // half its limit just before fires during a wait that lasts the limit.
        ULONGLONG ullStart = ::GetTickCount64();
        TimerMark halfTheLimit(dwLimit / 2);
        SIZE size = pTip->MeasureTip(&tool);
        const ULONGLONG ullFirst = ::GetTickCount64() - ullStart;

        IWebBrowser2* const pBrowser = pTip->GetWebBrowser();
        ASSERT_NE(pBrowser, nullptr);
        const HWND hBrowser = pTip->GetBrowserWindow()->GetSafeHwnd();
        EXPECT_EQ(::GetParent(hBrowser), pTip->GetSafeHwnd());
        EXPECT_TRUE(::GetWindowLongW(pTip->GetSafeHwnd(), GWL_STYLE) & WS_CLIPCHILDREN)
            << "the tip's background would paint over the browser";
        EXPECT_EQ(::GetDlgCtrlID(hBrowser), 0xE900);
        EXPECT_TRUE(::GetWindowLongW(hBrowser, GWL_STYLE) & WS_VISIBLE);
        RECT rc{};
        ::GetClientRect(hBrowser, &rc);
        EXPECT_EQ(rc.right, 200);
        EXPECT_EQ(rc.bottom, 200);
        // The browser's site is the tip's, which answers for the UI handler.
        IOleObject* pObject = nullptr;
        ASSERT_EQ(pBrowser->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&pObject)), S_OK);
        IOleClientSite* pSite = nullptr;
        ASSERT_EQ(pObject->GetClientSite(&pSite), S_OK);
        ASSERT_NE(pSite, nullptr);
        IDocHostUIHandler* pHandler = nullptr;
        EXPECT_EQ(pSite->QueryInterface(IID_IDocHostUIHandler, reinterpret_cast<void**>(&pHandler)), S_OK);
        if (pHandler)
            pHandler->Release();
        pSite->Release();
        pObject->Release();
        // Navigated to the blank page in the context's font and background.
        BSTR bstrLocation = nullptr;
        ASSERT_EQ(pBrowser->get_LocationURL(&bstrLocation), S_OK);
        std::wstring location(bstrLocation ? bstrLocation : L"");
        ::SysFreeString(bstrLocation);
        std::vector<wchar_t> unescaped(location.begin(), location.end());
        unescaped.push_back(0);
        ::UrlUnescapeW(unescaped.data(), nullptr, nullptr, URL_UNESCAPE_INPLACE);
        location = unescaped.data();
        LOGFONTW lf{};
        ::GetObjectW(context.GetFont()->GetSafeHandle(), sizeof(lf), &lf);
        const std::wstring font = std::wstring(L"font-family:") + lf.lfFaceName +
                                  L"; font-size:" + std::to_wstring(lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight) +
                                  L";";
        EXPECT_EQ(location.find(L"about:<head><style> body {"), 0u) << location.c_str();
        EXPECT_NE(location.find(L"body {" + font + L"}table {" + font + L"}"), std::wstring::npos) << location.c_str();
        EXPECT_NE(location.find(L"bgColor=#12ab0c></body>"), std::wstring::npos) << location.c_str();

        READYSTATE nState = READYSTATE_UNINITIALIZED;
        pBrowser->get_ReadyState(&nState);
        if (nState == READYSTATE_COMPLETE)
            GTEST_SKIP() << "this browser loads documents: the fallback cannot be shown";
        EXPECT_EQ(size.cx, 0);
        EXPECT_EQ(size.cy, 0);
        EXPECT_TRUE(halfTheLimit.Fired()) << "gave up before the limit";

        // The limit is spent: later tips do not wait again. Held against the
        // first tip, measured on the same machine, which waited the limit.
        ullStart = ::GetTickCount64();
        size = pTip->MeasureTip(&tool);
        EXPECT_LT(::GetTickCount64() - ullStart, ullFirst / 2);
        EXPECT_EQ(size.cx, 0);

        pWnd.reset();
        EXPECT_FALSE(::IsWindow(hBrowser));
        owner.DestroyWindow();
    }
    if (SUCCEEDED(hrCom))
        ::CoUninitialize();
}
