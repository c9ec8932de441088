// Tooltips on Xvfb: the context loads the host window's tool into a standard
// or a toolkit tip, which appears after the initial delay; clicks hide it;
// texts lose a trailing ellipsis; callback texts are asked for once; a tool
// deleted while its tip is being shown is deleted safely later.
#include "Foundation/ToolTipContext.h"
#include "Foundation/ImageManager.h"
#include "Foundation/ImageManagerIcon.h"
#include "Foundation/IconImage.h"
#include "Foundation/ToolTipContextToolTip.h"

#include "Foundation/ResourceImages.h"

#include "DibSurface.h"
#include "MessagePump.h"

#include <gtest/gtest.h>

namespace
{

// A top-level window with one tool in its client area.
class CToolHost : public CWnd
{
public:
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override
    {
        if (!PtInRect(&m_rcTool, point))
            return -1;
        if (m_bCallback)
        {
            CLVKToolTipContext::InitToolInfo(pTI, m_hWnd, 7, m_rcTool, L"");
            HeapFree(GetProcessHeap(), 0, pTI->lpszText);
            pTI->lpszText = LPSTR_TEXTCALLBACKW;
        }
        else if (m_pImageManager)
            CLVKToolTipContext::InitToolInfoEx(pTI, m_hWnd, 7, m_rcTool, m_pszText, L"Title", L"Description",
                                               m_pImageManager);
        else
            CLVKToolTipContext::InitToolInfo(pTI, m_hWnd, 7, m_rcTool, m_pszText);
        return 7;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY)
        {
            NMHDR* pHdr = reinterpret_cast<NMHDR*>(lParam);
            if (pHdr->code == TTN_NEEDTEXTW)
            {
                ++m_nTextRequests;
                reinterpret_cast<NMTTDISPINFOW*>(lParam)->lpszText = const_cast<LPWSTR>(L"From the callback");
                return 0;
            }
            if (pHdr->code == TTN_SHOW)
            {
                ++m_nShows;
                if (m_bDeleteOnShow)
                {
                    TTTOOLINFOW ti{};  // gone once this handler returns
                    ti.cbSize = sizeof(ti);
                    ti.hwnd = m_hWnd;
                    ti.uId = 7;
                    ::SendMessageW(pHdr->hwndFrom, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
                }
                return 0;
            }
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

    RECT m_rcTool{20, 20, 120, 60};
    const wchar_t* m_pszText = L"Open file...";
    bool m_bCallback = false;
    bool m_bDeleteOnShow = false;
    CLVKImageManager* m_pImageManager = nullptr;
    int m_nTextRequests = 0;
    int m_nShows = 0;
};

class ToolTips : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const LPCTSTR lpszClass =
            AfxRegisterWndClass(0, LoadCursorW(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
        ASSERT_TRUE(host.CreateEx(0, lpszClass, L"Tool host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200,
                                  nullptr, nullptr));
        SetForegroundWindow(host.m_hWnd);
        PumpMessagesUntil([&] { return GetForegroundWindow() == host.m_hWnd; });
        context.SetDelayTime(TTDT_INITIAL, 300);
        context.SetDelayTime(TTDT_RESHOW, 50);
    }
    void TearDown() override
    {
        context.HideTip();
        host.DestroyWindow();
    }

    // Puts the cursor on the tool and relays a mouse move.
    void HoverTool()
    {
        POINT pt{70, 40};
        ::ClientToScreen(host.m_hWnd, &pt);
        SetCursorPos(pt.x, pt.y);
        context.RelayMouseMessage(host.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(70, 40));
    }
    bool TipVisible() const
    {
        const CWnd* pTip = context.GetTipWindow();
        return pTip && ::IsWindowVisible(pTip->GetSafeHwnd());
    }

    CToolHost host;
    CLVKToolTipContext context;
};

TEST_F(ToolTips, StandardTipAppearsAfterTheInitialDelayAndAClickHidesIt)
{
    HoverTool();
    ASSERT_NE(nullptr, context.GetTipWindow());
    EXPECT_NE(nullptr, dynamic_cast<CToolTipCtrl*>(context.GetTipWindow())) << "style 0 is the platform's control";
    EXPECT_FALSE(TipVisible()) << "not before the initial delay";
    EXPECT_TRUE(PumpMessagesUntil([&] { return TipVisible(); }));

    context.RelayMouseMessage(host.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(70, 40));
    EXPECT_FALSE(TipVisible());
    HoverTool();
    // Past twice the initial delay: the tip's own timer, set by the hover,
    // would have fired before this mark.
    EXPECT_TRUE(PumpMessagesPastTimer(600));
    EXPECT_FALSE(TipVisible()) << "stays hidden on the same tool after the click";
}

TEST_F(ToolTips, ToolkitTipAppearsAfterTheDelayWithoutTheEllipsis)
{
    context.SetStyle(lvkTipToolkit);
    EXPECT_EQ(0x3000u, context.GetStyleBits() & 0xF000);
    // A mark set before the hover for a third of the initial delay comes due
    // before the tip's timer, however late the machine runs them.
    TimerMark beforeTheDelay(100);
    HoverTool();
    auto* pTip = dynamic_cast<CLVKToolTipContextToolTip*>(context.GetTipWindow());
    ASSERT_NE(nullptr, pTip);
    EXPECT_EQ(1, pTip->GetToolCount());
    ASSERT_TRUE(beforeTheDelay.PumpUntilFired());
    EXPECT_FALSE(TipVisible()) << "not before the initial delay";
    ASSERT_TRUE(PumpMessagesUntil([&] { return TipVisible(); }));
    EXPECT_STREQ(L"Open file", pTip->GetShownTool().strText) << "the trailing dots are cut";
    EXPECT_EQ(1, host.m_nShows);

    RECT rcTip{};
    ::GetWindowRect(pTip->GetSafeHwnd(), &rcTip);
    EXPECT_GT(rcTip.right - rcTip.left, 10);
    EXPECT_GT(rcTip.bottom - rcTip.top, 5);

    context.RelayMouseMessage(host.m_hWnd, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_FALSE(TipVisible()) << "a key hides the tip";
}

TEST_F(ToolTips, CallbackTextIsAskedForOnce)
{
    host.m_bCallback = true;
    context.SetStyle(lvkTipToolkit);
    HoverTool();
    ASSERT_TRUE(PumpMessagesUntil([&] { return TipVisible(); }));
    ::RedrawWindow(context.GetTipWindow()->GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    // Whatever the redraw posted is handled before a timer mark fires.
    PumpMessagesPastTimer(50);
    auto* pTip = dynamic_cast<CLVKToolTipContextToolTip*>(context.GetTipWindow());
    EXPECT_STREQ(L"From the callback", pTip->GetShownTool().strText);
    EXPECT_EQ(1, host.m_nTextRequests);
}

TEST_F(ToolTips, ToolDeletedWhileItsTipIsShownIsDeletedLaterFromACopy)
{
    host.m_bDeleteOnShow = true;
    context.SetStyle(lvkTipToolkit);
    HoverTool();
    auto* pTip = dynamic_cast<CLVKToolTipContextToolTip*>(context.GetTipWindow());
    ASSERT_NE(nullptr, pTip);
    ASSERT_TRUE(PumpMessagesUntil([&] { return host.m_nShows > 0; }));
    // The caller's record went out of scope at once; the posted deletion
    // still names the right tool.
    EXPECT_TRUE(PumpMessagesUntil([&] { return pTip->GetToolCount() == 0; }));
    EXPECT_FALSE(TipVisible()) << "the deleted tool's tip is hidden";
}

TEST_F(ToolTips, ToolIconAndTitleReachTheToolkitTip)
{
    CLVKImageManager images;
    ASSERT_TRUE(images.StoreIconImage(CLVKIconImage(LoadIconW(nullptr, IDI_APPLICATION), TRUE, TRUE), 7, 16, 16, 0));
    host.m_pImageManager = &images;
    context.ShowImage(TRUE, 16);
    context.ShowTitleAndDescription(TRUE);
    context.SetStyle(lvkTipToolkit);
    HoverTool();
    auto* pTip = dynamic_cast<CLVKToolTipContextToolTip*>(context.GetTipWindow());
    ASSERT_NE(nullptr, pTip);
    ASSERT_TRUE(PumpMessagesUntil([&] { return TipVisible(); }));
    EXPECT_EQ(images.FindIcon(7, 16), pTip->GetIcon()) << "the icon of the tool's id at the asked width";
    EXPECT_NE(nullptr, pTip->GetIcon());
    EXPECT_STREQ(L"Title", pTip->GetTitle());
    EXPECT_STREQ(L"Description", pTip->GetShownTool().strText) << "the description is the tip's text";
    context.HideTip();
    context.ShowImage(FALSE);
}

TEST(ToolTipBackground, OfficeTipFadesFromTheThemesLightToDarkColour)
{
    CLVKToolTipContext context;
    CLVKToolTipContext::COfficeToolTip tip(&context);
    DibSurface surface(60, 40, RGB(1, 2, 3));
    const RECT rc{0, 0, 60, 40};
    tip.DrawTipBackground(surface.GetDC(), nullptr, rc);
    CLVKResourceImages* pImages = CLVKResourceImages::GetGlobal();
    const COLORREF clrLight = pImages->GetColorValue(L"Window", L"TooltipLight", RGB(255, 255, 255));
    const COLORREF clrDark = pImages->GetColorValue(L"Window", L"TooltipDark", RGB(201, 217, 239));
    auto isNear = [](COLORREF a, COLORREF b)
    {
        return abs(GetRValue(a) - GetRValue(b)) <= 8 && abs(GetGValue(a) - GetGValue(b)) <= 8 &&
               abs(GetBValue(a) - GetBValue(b)) <= 8;
    };
    EXPECT_TRUE(isNear(clrLight, surface.Pixel(30, 4))) << "light at the top";
    // A theme's "TOOLTIPFRAME" picture is drawn over the whole tip; without
    // one the gradient shows down to the dark colour.
    if (!pImages->GetImage(L"TOOLTIPFRAME"))
    {
        EXPECT_TRUE(isNear(clrDark, surface.Pixel(30, 37)))
            << "dark at the bottom: " << std::hex << surface.Pixel(30, 37) << " for " << clrDark;
        EXPECT_EQ(pImages->GetColorValue(L"Window", L"TooltipBorder", RGB(118, 118, 118)), surface.Pixel(0, 20));
    }
    EXPECT_NE(RGB(1, 2, 3), surface.Pixel(0, 20)) << "the frame is drawn over the edge";
}

TEST(ToolTipPlacement, TipIsKeptInsideTheWorkArea)
{
    const RECT rcWork{0, 0, 1000, 700};
    struct Case
    {
        const char* name;
        RECT rc;
        POINT cursor;
        RECT expected;
    };
    const Case cases[] = {
        {"inside stays", {100, 100, 200, 130}, {100, 80}, {100, 100, 200, 130}},
        {"past the right edge ends 4 inside", {950, 100, 1050, 130}, {950, 80}, {896, 100, 996, 130}},
        {"left of the work area moves right", {-30, 100, 70, 130}, {0, 80}, {0, 100, 100, 130}},
        {"near the bottom goes above the cursor", {100, 690, 200, 720}, {100, 670}, {100, 637, 200, 667}},
    };
    for (const Case& c : cases)
    {
        RECT rc = c.rc;
        CLVKToolTipContextToolTip::AdjustToWorkArea(rc, rcWork, c.cursor);
        EXPECT_TRUE(EqualRect(&c.expected, &rc))
            << c.name << ": " << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;
    }
}

TEST(ToolTipText, TrailingEllipsisTable)
{
    struct Case
    {
        const wchar_t* in;
        const wchar_t* out;
    };
    const Case cases[] = {{L"Save as...", L"Save as"}, {L"...", L"..."}, {L"Plain", L"Plain"}, {L"a..", L"a.."}};
    for (const Case& c : cases)
    {
        wchar_t buffer[32];
        wcscpy(buffer, c.in);
        LVKStripTrailingEllipsis(buffer);
        EXPECT_STREQ(c.out, buffer);
    }
}

TEST(ToolTipStyle, BalloonNeedsNewerCommonControlsAndStyleBitsFollowTheStyle)
{
    CLVKToolTipContext context;
    context.SetComCtlVersion(0x5004F);
    context.SetStyle(lvkTipBalloon);
    EXPECT_EQ(lvkTipStandard, context.GetStyle()) << "balloons need common controls newer than 5.79";
    context.SetComCtlVersion(0x60000);
    context.SetStyle(lvkTipBalloon);
    EXPECT_EQ(lvkTipBalloon, context.GetStyle());
    context.SetStyle(lvkTipOffice);
    EXPECT_EQ(0x4000u, context.GetStyleBits() & 0xF000);
    EXPECT_EQ(RGB(76, 76, 76), context.GetTextColor());
    context.SetStyle(lvkTipOffice2013);
    EXPECT_EQ(0x8000u, context.GetStyleBits() & 0xF000);
    EXPECT_TRUE(context.GetStyleBits() & TTS_NOPREFIX);
}

TEST(ToolTipHitTest, DefaultToolIsTheVisibleChildUnderThePoint)
{
    const LPCTSTR lpszClass = AfxRegisterWndClass(0);
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, lpszClass, L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr));
    const HWND hChild = CreateWindowExW(0, L"STATIC", L"x", WS_CHILD | WS_VISIBLE, 10, 10, 50, 20, parent.m_hWnd,
                                        reinterpret_cast<HMENU>(42), nullptr, nullptr);
    TTTOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V1_SIZE;
    EXPECT_EQ(42, parent.OnToolHitTest(CPoint(20, 15), &ti));
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(hChild), ti.uId);
    EXPECT_TRUE(ti.uFlags & TTF_IDISHWND);
    EXPECT_EQ(LPSTR_TEXTCALLBACKW, ti.lpszText);
    TTTOOLINFOW none{};
    none.cbSize = TTTOOLINFOW_V1_SIZE;
    EXPECT_EQ(-1, parent.OnToolHitTest(CPoint(150, 150), &none));
    parent.DestroyWindow();
}

}  // namespace
