// The hyperlink static: the hand cursor and hover only over its text, the
// link, hover and visited colours, clicks and keys that open the address,
// the shell's errors, and the tool tip that follows the address.
#include "Framework.h"

#include "Controls/HyperLink.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

namespace
{

const UINT IDC_LINK = 300;

// The shell, the message box and the cursor position replaced: the test
// decides what the shell answers and where the cursor is, and reads what
// would have been shown. (Wine reports a moved cursor a moment later, which
// would make tests of the real position flaky.)
class TestHyperLink : public CLVKHyperLink
{
public:
    POINT m_ptCursor{-1000, -1000};
    BOOL IsCursorOverText() const override { return IsPointOverText(m_ptCursor); }

    INT_PTR m_nShellAnswer = 42;
    int m_nShellCalls = 0;
    CString m_strTarget;
    CString m_strMessage;

protected:
    HINSTANCE ShellExecuteOpen(LPCTSTR lpszTarget, LPCTSTR, LPCTSTR, int) override
    {
        ++m_nShellCalls;
        m_strTarget = lpszTarget;
        return reinterpret_cast<HINSTANCE>(m_nShellAnswer);
    }
    void ShowErrorMessage(const CString& strMessage) override { m_strMessage = strMessage; }
};

class LinkHost : public CWnd
{
public:
    LinkHost()
    {
        CreateEx(0,
                 AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)),
                 L"Link host", WS_POPUP | WS_VISIBLE, 50, 50, 400, 200, NULL, NULL);
    }
    ~LinkHost() override
    {
        if (m_hWnd)
            DestroyWindow();
    }
};

class HyperLink : public ::testing::Test
{
protected:
    void Make(DWORD dwAlign, LPCWSTR lpszText = L"Lorvane")
    {
        ASSERT_TRUE(
            m_link.Create(lpszText, WS_CHILD | WS_VISIBLE | dwAlign, CRect(10, 10, 310, 40), &m_host, IDC_LINK));
    }
    // A screen point in the middle height of the link, x pixels from its left.
    POINT At(int x) const
    {
        POINT pt = {x, 15};
        ::ClientToScreen(m_link.m_hWnd, &pt);
        return pt;
    }
    int TextWidth()
    {
        CString strText;
        m_link.GetWindowText(strText);
        CClientDC dc(&m_link);
        const HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), reinterpret_cast<HFONT>(m_link.SendMessage(WM_GETFONT)));
        SIZE size{};
        ::GetTextExtentPoint32W(dc.GetSafeHdc(), strText, strText.GetLength(), &size);
        ::SelectObject(dc.GetSafeHdc(), hOld);
        return size.cx;
    }
    COLORREF TextColourOfCtlColor()
    {
        const HDC hDC = ::GetDC(m_link.m_hWnd);
        ::SetTextColor(hDC, RGB(1, 2, 3));
        m_host.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC), reinterpret_cast<LPARAM>(m_link.m_hWnd));
        const COLORREF clr = ::GetTextColor(hDC);
        ::ReleaseDC(m_link.m_hWnd, hDC);
        return clr;
    }
    void Click()
    {
        m_host.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LINK, STN_CLICKED), reinterpret_cast<LPARAM>(m_link.m_hWnd));
    }

    LinkHost m_host;
    TestHyperLink m_link;
};

TEST_F(HyperLink, CentredTextIsTheLinkItsBlankSidesAreNot)
{
    Make(SS_CENTER);
    EXPECT_EQ(CString(L"Lorvane"), m_link.GetURL()) << "the address defaults to the text";
    EXPECT_TRUE(m_link.GetUnderline());
    LOGFONTW lf{};
    ::GetObjectW(reinterpret_cast<HFONT>(m_link.SendMessage(WM_GETFONT)), sizeof(lf), &lf);
    EXPECT_TRUE(lf.lfUnderline);
    EXPECT_TRUE(m_link.GetStyle() & SS_NOTIFY);

    const int nText = TextWidth();
    ASSERT_GT(nText, 10);
    const struct
    {
        int x;
        bool bOver;
    } cases[] = {{3, false}, {150 - nText / 2 + 2, true}, {150, true}, {150 + nText / 2 - 2, true}, {296, false}};
    for (const auto& c : cases)
    {
        const POINT pt = At(c.x);
        m_link.m_ptCursor = pt;
        EXPECT_EQ(c.bOver, m_link.IsCursorOverText() != FALSE) << "x = " << c.x;
        // The link sets its cursor and answers TRUE only over the text; the
        // class cursor is taken away meanwhile so that the platform's answer
        // elsewhere is FALSE.
        const ULONG_PTR hClassCursor = ::SetClassLongPtrW(m_link.m_hWnd, GCLP_HCURSOR, 0);
        const LRESULT lSet = m_link.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(m_link.m_hWnd),
                                                MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        ::SetClassLongPtrW(m_link.m_hWnd, GCLP_HCURSOR, hClassCursor);
        EXPECT_EQ(c.bOver, lSet != 0) << "hand cursor at x = " << c.x;
    }
    EXPECT_NE(nullptr, m_link.GetLinkCursor());
}

TEST_F(HyperLink, HoverFollowsTheCursorThroughTheTimer)
{
    Make(SS_LEFT);
    POINT pt = At(3);
    m_link.m_ptCursor = pt;
    m_link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 15));
    m_link.SendMessage(WM_TIMER, CLVKHyperLink::kHoverTimer);
    EXPECT_TRUE(m_link.IsHovered());
    EXPECT_EQ(m_link.GetHoverColor(), TextColourOfCtlColor());

    pt = At(290);
    m_link.m_ptCursor = pt;
    m_link.SendMessage(WM_TIMER, CLVKHyperLink::kHoverTimer);
    EXPECT_FALSE(m_link.IsHovered());
    EXPECT_EQ(m_link.GetLinkColor(), TextColourOfCtlColor());
}

TEST_F(HyperLink, ClickOpensTheAddressAndMarksItVisited)
{
    Make(SS_LEFT, L"example");
    m_link.SetURL(L"https://lorvane.example/");
    const POINT pt = At(3);
    m_link.m_ptCursor = pt;
    EXPECT_EQ(RGB(0, 0, 255), TextColourOfCtlColor());
    Click();
    EXPECT_EQ(1, m_link.m_nShellCalls);
    EXPECT_EQ(CString(L"https://lorvane.example/"), m_link.m_strTarget);
    EXPECT_TRUE(m_link.GetVisited());
    EXPECT_EQ(RGB(128, 0, 128), TextColourOfCtlColor()) << "the visited colour";

    // Beside the text a click does nothing.
    const POINT ptAway = At(295);
    m_link.m_ptCursor = ptAway;
    Click();
    EXPECT_EQ(1, m_link.m_nShellCalls);
}

TEST_F(HyperLink, WithoutShellAClickOnlyMarksVisited)
{
    Make(SS_LEFT);
    m_link.m_bOpenWithShell = FALSE;
    const POINT pt = At(3);
    m_link.m_ptCursor = pt;
    Click();
    EXPECT_EQ(0, m_link.m_nShellCalls);
    EXPECT_TRUE(m_link.GetVisited());
}

TEST_F(HyperLink, ShellErrorsShowTheirMessageAndLeaveTheLinkUnvisited)
{
    Make(SS_LEFT);
    const struct
    {
        INT_PTR nAnswer;
        const wchar_t* pszMessage;
    } cases[] = {
        {31, L"There is no application associated with the given file name extension."},
        {0, L"The operating system is out of memory or resources."},
        {2, L"The specified file was not found."},
        {32, L"The specified dynamic-link library was not found."},
        {12, L"An unknown error number 12 occured."},
    };
    for (const auto& c : cases)
    {
        m_link.m_nShellAnswer = c.nAnswer;
        m_link.m_strMessage.Empty();
        EXPECT_FALSE(m_link.GotoURL(nullptr, SW_SHOW, nullptr, nullptr));
        EXPECT_EQ(CString(c.pszMessage), m_link.m_strMessage) << c.nAnswer;
    }
    const POINT pt = At(3);
    m_link.m_ptCursor = pt;
    m_link.m_nShellAnswer = 31;
    Click();
    EXPECT_FALSE(m_link.GetVisited());
}

TEST_F(HyperLink, EnterAndSpaceOpenTheLinkAndTheDialogLeavesEnterToIt)
{
    Make(SS_LEFT);
    MSG msg{};
    msg.hwnd = m_link.m_hWnd;
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_RETURN;
    EXPECT_EQ(static_cast<LRESULT>(DLGC_WANTALLKEYS),
              m_link.SendMessage(WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&msg)));
    msg.message = WM_CHAR;
    msg.wParam = L'\r';
    EXPECT_EQ(static_cast<LRESULT>(DLGC_WANTCHARS),
              m_link.SendMessage(WM_GETDLGCODE, L'\r', reinterpret_cast<LPARAM>(&msg)));
    EXPECT_EQ(static_cast<LRESULT>(DLGC_UNDEFPUSHBUTTON), m_link.SendMessage(WM_GETDLGCODE));

    m_link.SendMessage(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(1, m_link.m_nShellCalls);
    m_link.SendMessage(WM_KEYDOWN, VK_SPACE);
    EXPECT_EQ(2, m_link.m_nShellCalls);
    m_link.SendMessage(WM_KEYDOWN, 'A');
    EXPECT_EQ(2, m_link.m_nShellCalls);
}

TEST_F(HyperLink, TipShowsTheAddressAndFollowsANewOne)
{
    Make(SS_LEFT);
    const HWND hTip = m_link.GetToolTipWindow();
    ASSERT_NE(nullptr, hTip);
    auto tipText = [&]
    {
        WCHAR szText[256] = {};
        TOOLINFOW ti{};
        ti.cbSize = sizeof(ti);
        ti.hwnd = m_link.m_hWnd;
        ti.uId = reinterpret_cast<UINT_PTR>(m_link.m_hWnd);
        ti.lpszText = szText;
        ::SendMessageW(hTip, TTM_GETTEXTW, _countof(szText), reinterpret_cast<LPARAM>(&ti));
        return std::wstring(szText);
    };
    EXPECT_EQ(L"Lorvane", tipText());
    m_link.SetTipText(L"Our web site");
    EXPECT_EQ(L"Our web site", tipText());
    m_link.SetURL(L"https://lorvane.example/");
    EXPECT_EQ(L"https://lorvane.example/", tipText()) << "a new address shows even over a tip text";
}

TEST_F(HyperLink, IconStaticIsALinkAllOverAndKeepsTheParentsColours)
{
    ASSERT_TRUE(m_link.Create(nullptr, WS_CHILD | WS_VISIBLE | SS_ICON, CRect(10, 10, 42, 42), &m_host, IDC_LINK));
    EXPECT_FALSE(m_link.IsTextControl());
    const POINT pt = At(1);
    m_link.m_ptCursor = pt;
    EXPECT_TRUE(m_link.IsCursorOverText());
    // The parent's own handling colours it, not the link.
    const COLORREF clrText = TextColourOfCtlColor();
    EXPECT_NE(m_link.GetLinkColor(), clrText);
    EXPECT_NE(m_link.GetHoverColor(), clrText);
}

}  // namespace
