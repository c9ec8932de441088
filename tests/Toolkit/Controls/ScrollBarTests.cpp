// The scroll-bar logic (geometry, hit test, thumb positions) against a test
// owner, and the themed scroll-bar control with real mouse input: line
// commands with auto-repeat, dragging with snap-back, the dragged position
// through SIF_TRACKPOS, the size box, and the colours of a few themes.
#include "Framework.h"

#include "Controls/ScrollBarCtrl.h"
#include "Controls/ScrollBarThemeOffice2013.h"
#include "Controls/ScrollBarThemeVisualStudio2012.h"

#include "../Foundation/DibSurface.h"
#include "MessagePump.h"
#include "MouseInput.h"
#include "ScopedResourceTheme.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace
{

// An owner of the logic whose rectangle, scroll info and metrics the test
// sets.
class TestScroll : public CLVKScrollBase
{
public:
    TestScroll(CRect rc, int nMin, int nMax, UINT nPage, int nPos, int nMetric = 17)
    {
        m_rc = rc;
        m_si.cbSize = sizeof(m_si);
        m_si.nMin = nMin;
        m_si.nMax = nMax;
        m_si.nPage = nPage;
        m_si.nPos = nPos;
        m_paint.m_cyVScroll = m_paint.m_cxHScroll = nMetric;
        m_paint.m_nFixedThumbLength = 0;
    }
    CWnd* GetNotifyOwner() const override { return nullptr; }
    BOOL IsScrollBarEnabled() const override { return TRUE; }
    CLVKScrollBarPaintManager* GetScrollBarPaintManager() const override
    {
        return const_cast<CLVKScrollBarPaintManager*>(&m_paint);
    }
    void GetScrollBarRect(CRect* pRect) override { *pRect = m_rc; }
    void GetScrollInfo(SCROLLINFO* pInfo) override { *pInfo = m_si; }
    void RedrawScrollBar() override {}
    void DoScroll(int, int) override {}

    CRect m_rc;
    SCROLLINFO m_si{};
    CLVKScrollBarPaintManager m_paint;
};

struct GeometryCase
{
    const char* name;
    int nHeight;
    int nMin, nMax;
    UINT nPage;
    int nPos;
    int nFixedThumb;
    int nFirstArrowEnd, nSecondArrowStart, nThumbLength, nThumbTravel, nThumbStart;
};

class ScrollGeometry : public ::testing::TestWithParam<GeometryCase>
{
};

TEST_P(ScrollGeometry, PartsOfAVerticalBar)
{
    const GeometryCase& c = GetParam();
    TestScroll scroll(CRect(0, 0, 17, c.nHeight), c.nMin, c.nMax, c.nPage, c.nPos);
    scroll.m_paint.m_nFixedThumbLength = c.nFixedThumb;
    scroll.RecalcScrollBarInfo();
    const CLVKScrollBarGeometry& g = scroll.GetGeometry();
    EXPECT_EQ(c.nFirstArrowEnd, g.nFirstArrowEnd);
    EXPECT_EQ(c.nSecondArrowStart, g.nSecondArrowStart);
    EXPECT_EQ(c.nThumbLength, g.nThumbLength);
    EXPECT_EQ(c.nThumbTravel, g.nThumbTravel);
    EXPECT_EQ(c.nThumbStart, g.nThumbStart);
    EXPECT_EQ(g.nThumbStart + g.nThumbLength, g.nThumbEnd);
    EXPECT_GE(g.nThumbTravel, 0) << "never a negative travel";
    EXPECT_LE(g.nThumbLength, std::max(0, g.nSecondArrowStart - g.nFirstArrowEnd)) << "never longer than the track";
}

INSTANTIATE_TEST_SUITE_P(Cases, ScrollGeometry,
                         ::testing::Values(
                             // 0..100, page 10, 200 pixels: thumb MulDiv(166, 10, 101) = 16, travel
                             // 150, position 45 at 17 + MulDiv(45, 150, 91) = 91.
                             GeometryCase{"Proportional", 200, 0, 100, 10, 45, 0, 17, 183, 16, 150, 91},
                             GeometryCase{"AtTheMinimum", 200, 0, 100, 10, 0, 0, 17, 183, 16, 150, 17},
                             GeometryCase{"PositionAboveTheMaximumIsLowered", 200, 0, 100, 10, 500, 0, 17, 183, 16, 150,
                                          17 + 165},
                             // A small page gives a thumb of half the arrow metric at least.
                             GeometryCase{"HalfMetricAtLeast", 200, 0, 10000, 1, 0, 0, 17, 183, 8, 158, 17},
                             GeometryCase{"PageZeroTakesTheMetric", 200, 0, 100, 0, 0, 0, 17, 183, 17, 149, 17},
                             GeometryCase{"FixedThumbLength", 200, 0, 100, 10, 0, 30, 17, 183, 30, 136, 17},
                             // The page covers the range: d = 0, the thumb stands one pixel early.
                             GeometryCase{"PageCoversTheRange", 200, 0, 100, 101, 0, 0, 17, 183, 166, 0, 16},
                             // A page far larger than the range: the thumb fills the track, no more.
                             GeometryCase{"PageLargerThanTheRange", 200, 0, 100, 5000, 0, 0, 17, 183, 166, 0, 16},
                             // Shorter than two arrows: the arrows split the length, no track.
                             GeometryCase{"ShorterThanTwoArrows", 20, 0, 100, 10, 0, 0, 10, 10, 0, 0, 10},
                             GeometryCase{"FixedThumbLongerThanTheTrack", 60, 0, 100, 10, 0, 40, 17, 43, 26, 0, 17}),
                         [](const ::testing::TestParamInfo<GeometryCase>& info)
                         { return std::string(info.param.name); });

TEST(ScrollLogic, HitTestFindsEachPart)
{
    TestScroll scroll(CRect(0, 0, 17, 200), 0, 100, 10, 45);
    scroll.RecalcScrollBarInfo();
    const struct
    {
        int y;
        int nPart;
    } cases[] = {{0, LVK_HTSCROLLUP},         {16, LVK_HTSCROLLUP},        {17, LVK_HTSCROLLUPPAGE},
                 {90, LVK_HTSCROLLUPPAGE},    {91, LVK_HTSCROLLTHUMB},     {106, LVK_HTSCROLLTHUMB},
                 {107, LVK_HTSCROLLDOWNPAGE}, {182, LVK_HTSCROLLDOWNPAGE}, {183, LVK_HTSCROLLDOWN},
                 {199, LVK_HTSCROLLDOWN},     {200, LVK_HTSCROLLNONE},     {-1, LVK_HTSCROLLNONE}};
    for (const auto& c : cases)
        EXPECT_EQ(c.nPart, scroll.HitTestScrollBar(5, c.y)) << "y = " << c.y;
    EXPECT_EQ(LVK_HTSCROLLNONE, scroll.HitTestScrollBar(17, 100)) << "beside the bar";
}

TEST(ScrollLogic, PositionFromThumbPixel)
{
    TestScroll scroll(CRect(0, 0, 17, 200), 0, 100, 10, 0);
    scroll.RecalcScrollBarInfo();
    const CLVKScrollBarGeometry& g = scroll.GetGeometry();
    EXPECT_EQ(0, CLVKScrollBarPosFromThumb(g, 0));
    EXPECT_EQ(0, CLVKScrollBarPosFromThumb(g, 17));
    EXPECT_EQ(::MulDiv(91, 75, 150), CLVKScrollBarPosFromThumb(g, 17 + 75));
    EXPECT_EQ(91, CLVKScrollBarPosFromThumb(g, 17 + 150)) << "the end of the travel is the last page";
    EXPECT_EQ(91, CLVKScrollBarPosFromThumb(g, 1000));
}

// ---- the control with real input -------------------------------------------

struct ScrollEvent
{
    int nCode;
    int nPos;
    int nTrackPos;  // SIF_TRACKPOS asked while handling the notification
};

// A top-level window that records its bar's notifications and, as an owner
// should, sets the position it is told.
class ScrollHost : public CWnd
{
public:
    std::vector<ScrollEvent> m_events;
    std::function<void(ScrollHost&, int)> onScroll;

    ScrollHost()
    {
        CreateEx(WS_EX_TOPMOST,
                 AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)),
                 L"Scroll host", WS_POPUP | WS_VISIBLE, 100, 100, 300, 300, NULL, NULL);
        SetForegroundWindow();
    }
    ~ScrollHost() override
    {
        if (m_hWnd)
            DestroyWindow();
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_VSCROLL || message == WM_HSCROLL)
        {
            const HWND hBar = reinterpret_cast<HWND>(lParam);
            SCROLLINFO si{};
            si.cbSize = sizeof(si);
            si.fMask = SIF_TRACKPOS;
            ::GetScrollInfo(hBar, SB_CTL, &si);
            m_events.push_back({LOWORD(wParam), static_cast<short>(HIWORD(wParam)), si.nTrackPos});
            if (LOWORD(wParam) == SB_THUMBPOSITION)
                ::SetScrollPos(hBar, SB_CTL, static_cast<short>(HIWORD(wParam)), TRUE);
            if (onScroll)
                onScroll(*this, LOWORD(wParam));
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

void SendMouse(DWORD dwFlags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = dwFlags;
    ::SendInput(1, &input, sizeof(input));
}

void MoveMouse(POINT ptScreen)
{
    SendMouseAt(ptScreen, 0);
}

// Handles the thread's messages until the input sent before has been handled,
// a tracking loop that it started included: input comes ahead of a timer's
// message, so a timer mark set now fires only after it, however slow the
// machine, and the pump returns once the loop that handled it has ended.
void Pump(DWORD dwMs)
{
    PumpMessagesPastTimer(dwMs);
}

void CALLBACK ReleaseStuckCapture(HWND, UINT, UINT_PTR nId, DWORD)
{
    ::KillTimer(nullptr, nId);
    ::ReleaseCapture();
}

class ScrollControl : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::SetCursorPos(0, 0);
        ASSERT_TRUE(m_bar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(10, 10, 27, 210), &m_host, 500));
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_ALL;
        si.nMin = 0;
        si.nMax = 100;
        si.nPage = 10;
        si.nPos = 45;
        m_bar.SetScrollInfo(&si, TRUE);
        Pump(50);
        m_metric = m_bar.GetScrollBarPaintManager()->m_cyVScroll;
        // A tracking loop that waits for input that never comes ends when
        // its capture goes.
        m_nStuckTimer = ::SetTimer(nullptr, 0, kHungWaitMs, &ReleaseStuckCapture);
    }
    void TearDown() override
    {
        // Not left to release the capture of a later test.
        ::KillTimer(nullptr, m_nStuckTimer);
        if (::GetCapture())
            ::ReleaseCapture();
        SendMouse(MOUSEEVENTF_LEFTUP);
        Pump(20);
    }
    POINT BarPoint(int x, int y) const
    {
        POINT pt = {x, y};
        ::ClientToScreen(m_bar.m_hWnd, &pt);
        return pt;
    }
    std::vector<int> Codes() const
    {
        std::vector<int> codes;
        for (const ScrollEvent& e : m_host.m_events)
            codes.push_back(e.nCode);
        return codes;
    }

    ScrollHost m_host;
    CLVKScrollBarCtrl m_bar;
    int m_metric = 17;
    UINT_PTR m_nStuckTimer = 0;
};

TEST_F(ScrollControl, HeldArrowScrollsAtOnceThenOnEachRepeatAndEndsOnce)
{
    // Two repeat ticks, delivered as the tracking loop's timer messages.
    int nLines = 0;
    m_host.onScroll = [&](ScrollHost&, int nCode)
    {
        if (nCode == SB_LINEDOWN && ++nLines == 1)
        {
            EXPECT_EQ(static_cast<int>(::GetDoubleClickTime() * 4 / 5), m_bar.GetAutoRepeatInterval());
            m_bar.PostMessage(WM_TIMER, CLVKScrollBase::kAutoRepeatTimer);
            m_bar.PostMessage(WM_TIMER, CLVKScrollBase::kAutoRepeatTimer);
        }
    };
    // The whole gesture is queued first: the tracking loop runs inside the
    // dispatch of the button press and reads the rest itself.
    MoveMouse(BarPoint(8, 200 - m_metric / 2));
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
    Pump(200);
    EXPECT_EQ((std::vector<int>{SB_LINEDOWN, SB_LINEDOWN, SB_LINEDOWN, SB_ENDSCROLL}), Codes());
    EXPECT_EQ(static_cast<int>(::GetDoubleClickTime() / 10), m_bar.GetAutoRepeatInterval());
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(ScrollControl, BarWindowClosedByItsOwnerDuringARepeatLeavesNoTrackingStateBehind)
{
    int nLines = 0;
    m_host.onScroll = [&](ScrollHost&, int nCode)
    {
        if (nCode != SB_LINEDOWN)
            return;
        if (++nLines == 1)
        {
            m_bar.PostMessage(WM_TIMER, CLVKScrollBase::kAutoRepeatTimer);
            return;
        }
        // The owner closes the bar from inside the loop; the bar's object
        // lives on and may be asked about its state.
        m_bar.DestroyWindow();
    };
    MoveMouse(BarPoint(8, 200 - m_metric / 2));
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
    Pump(200);
    EXPECT_EQ(2, nLines);
    EXPECT_EQ(nullptr, m_bar.GetTrackState()) << "nothing points into the ended loop";
    EXPECT_EQ((std::vector<int>{SB_LINEDOWN, SB_LINEDOWN}), Codes()) << "no final commands from a closed bar";
}

// A bar whose auto-repeat step reads a cursor position the test sets: Wine
// reports a cursor moved by SetCursorPos only a moment later.
class CursorScrollBar : public CLVKScrollBarCtrl
{
public:
    bool m_bUseTestCursor = false;
    POINT m_ptCursor{};

protected:
    POINT GetCursorScreenPos() const override
    {
        return m_bUseTestCursor ? m_ptCursor : CLVKScrollBarCtrl::GetCursorScreenPos();
    }
};

TEST_F(ScrollControl, RepeatPausesWhileTheCursorIsOffThePart)
{
    CursorScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(40, 10, 57, 210), &m_host, 502));
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    si.nMax = 100;
    si.nPage = 10;
    si.nPos = 45;
    bar.SetScrollInfo(&si, TRUE);
    POINT ptArrow = {8, m_metric / 2};
    ::ClientToScreen(bar.m_hWnd, &ptArrow);
    POINT ptOff = {8, 100};
    ::ClientToScreen(bar.m_hWnd, &ptOff);
    m_host.onScroll = [&](ScrollHost& host, int nCode)
    {
        if (nCode != SB_LINEUP)
            return;
        if (host.m_events.size() == 1)
        {
            // The cursor is off the arrow when the repeat tick comes.
            bar.m_bUseTestCursor = true;
            bar.m_ptCursor = ptOff;
            bar.PostMessage(WM_TIMER, CLVKScrollBase::kAutoRepeatTimer);
        }
    };
    m_host.m_events.clear();
    MoveMouse(ptArrow);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
    Pump(200);
    EXPECT_EQ((std::vector<int>{SB_LINEUP, SB_ENDSCROLL}), Codes()) << "no line command while off the part";
}

TEST_F(ScrollControl, DraggedThumbFollowsSnapsBackAndReportsTheTrackPosition)
{
    const CLVKScrollBarGeometry& g = m_bar.GetGeometry();
    const int nThumbMiddle = (g.nThumbStart + g.nThumbEnd) / 2;
    const int nStartThumb = g.nThumbStart;
    const int nAt30 = CLVKScrollBarPosFromThumb(g, nStartThumb + 30);
    const int nAt40 = CLVKScrollBarPosFromThumb(g, nStartThumb + 40);
    // Each step of the gesture is given when the bar has answered the one
    // before, as a hand would: the platform reads the button's state when
    // the loop asks, not when the message was queued.
    int nTracks = 0;
    m_host.onScroll = [&](ScrollHost&, int nCode)
    {
        if (nCode != SB_THUMBTRACK)
            return;
        switch (++nTracks)
        {
        case 1:
            MoveMouse(BarPoint(8, nThumbMiddle + 30));
            break;
        case 2:
            // Far beside the bar (more than 8 bar widths): the thumb snaps back.
            MoveMouse(BarPoint(17 * 10, nThumbMiddle + 30));
            break;
        case 3:
            MoveMouse(BarPoint(8, nThumbMiddle + 40));
            break;
        default:
            SendMouseAt(BarPoint(8, nThumbMiddle + 40), MOUSEEVENTF_LEFTUP);
            break;
        }
    };
    MoveMouse(BarPoint(8, nThumbMiddle));
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    Pump(300);

    const std::vector<ScrollEvent>& e = m_host.m_events;
    ASSERT_GE(e.size(), 6u) << "track at start, follow, snap back, follow, position, end";
    EXPECT_EQ(SB_THUMBTRACK, e.front().nCode);
    EXPECT_EQ(45, e.front().nPos) << "the drag starts at the position";
    std::vector<int> tracked;
    for (const ScrollEvent& event : e)
    {
        if (event.nCode == SB_THUMBTRACK)
        {
            tracked.push_back(event.nPos);
            EXPECT_EQ(event.nPos, event.nTrackPos) << "SIF_TRACKPOS reports the dragged position";
        }
    }
    // The platform may report an extra move on the way back; what counts is
    // the order: start, follow, snap back, follow again.
    ASSERT_GE(tracked.size(), 4u);
    EXPECT_EQ(45, tracked[0]);
    EXPECT_EQ(nAt30, tracked[1]);
    EXPECT_EQ(45, tracked[2]) << "snapped back to where the drag began";
    EXPECT_EQ(nAt40, tracked.back());
    EXPECT_EQ(SB_THUMBPOSITION, e[e.size() - 2].nCode);
    EXPECT_EQ(nAt40, e[e.size() - 2].nPos);
    EXPECT_EQ(SB_ENDSCROLL, e.back().nCode);
    EXPECT_EQ(nAt40, m_bar.GetScrollPos()) << "the owner set the position; the bar did not";
}

TEST_F(ScrollControl, ThumbFillingTheTrackCannotBeDragged)
{
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_PAGE;
    si.nPage = 500;
    m_bar.SetScrollInfo(&si, TRUE);
    Pump(20);
    m_bar.RecalcScrollBarInfo();
    const CLVKScrollBarGeometry& g = m_bar.GetGeometry();
    MoveMouse(BarPoint(8, (g.nThumbStart + g.nThumbEnd) / 2 + 1));
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
    Pump(100);
    EXPECT_TRUE(m_host.m_events.empty());
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(ScrollControl, SizeBoxHitTestsNothingAndSendsNothing)
{
    CLVKScrollBarCtrl box;
    ASSERT_TRUE(box.Create(WS_CHILD | WS_VISIBLE | SBS_SIZEBOX, CRect(100, 100, 117, 117), &m_host, 501));
    EXPECT_TRUE(box.IsSizeBox());
    EXPECT_EQ(LVK_HTSCROLLNONE, box.HitTestScrollBar(5, 5));
    box.DoScroll(SB_LINEDOWN, 0);
    EXPECT_TRUE(m_host.m_events.empty());
}

// ---- drawing ------------------------------------------------------------------

COLORREF Rgb(COLORREF clr)
{
    return clr & 0xFFFFFF;
}

TEST_F(ScrollControl, VisualStudio2012StyleNineIsDarkEveryOtherLight)
{
    for (int nTheme : {12, 13})
    {
        m_bar.SetTheme(nTheme);
        DibSurface surface(17, 200, RGB(1, 2, 3));
        m_bar.SendMessage(WM_MOUSELEAVE);
        m_bar.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.GetHdc()), PRF_CLIENT);
        const COLORREF clrBack = nTheme == 13 ? 0x423E3E : 0xECE8E8;
        EXPECT_EQ(Rgb(clrBack), surface.Pixel(8, 30)) << "track, theme " << nTheme;
        EXPECT_EQ(Rgb(clrBack), surface.Pixel(1, 100)) << "beside the inset thumb, theme " << nTheme;
        const COLORREF clrThumb = nTheme == 13 ? 0x686868 : 0xD7D1D0;
        EXPECT_EQ(Rgb(clrThumb), surface.Pixel(8, 98)) << "thumb, theme " << nTheme;
    }
}

TEST_F(ScrollControl, Office2013HotThumbAndDisabledBar)
{
    m_bar.SetTheme(11);
    DibSurface surface(17, 200, RGB(1, 2, 3));
    m_bar.SendMessage(WM_MOUSELEAVE);
    m_bar.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.GetHdc()), PRF_CLIENT);
    EXPECT_EQ(Rgb(0xFFFFFF), surface.Pixel(8, 98)) << "normal thumb";
    EXPECT_EQ(Rgb(0xABABAB), surface.Pixel(8, 91)) << "its border";
    EXPECT_EQ(Rgb(0xF3F3F3), surface.Pixel(8, 40)) << "background";

    m_bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(8, 98));
    EXPECT_EQ(LVK_HTSCROLLTHUMB, m_bar.GetGeometry().nHitPart);
    m_bar.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.GetHdc()), PRF_CLIENT);
    EXPECT_EQ(Rgb(0xF0F0F0), surface.Pixel(8, 98)) << "hot thumb: SelectedThumbBack";

    m_bar.EnableWindow(FALSE);
    surface.Fill(RGB(1, 2, 3));
    m_bar.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.GetHdc()), PRF_CLIENT);
    EXPECT_EQ(Rgb(0xF3F3F3), surface.Pixel(8, 98)) << "a disabled bar has no thumb";
    EXPECT_EQ(Rgb(0xF3F3F3), surface.Pixel(0, 0)) << "disabled arrow border";
}

TEST_F(ScrollControl, EveryThemeNumberDrawsWithoutFailing)
{
    ScopedResourceTheme none(nullptr);
    for (int nTheme = 0; nTheme <= 16; ++nTheme)
    {
        m_bar.SetTheme(nTheme);
        DibSurface surface(17, 200, RGB(1, 2, 3));
        m_bar.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.GetHdc()), PRF_CLIENT);
        const bool bResourceTheme = nTheme == 4 || nTheme == 8 || nTheme == 9;
        // Without a loaded resource theme the image theme draws nothing.
        EXPECT_EQ(bResourceTheme, surface.Pixel(8, 8) == RGB(1, 2, 3)) << nTheme;
    }
}

// The light and dark scroll-bar pictures of the program's resource themes.
namespace light
{
const COLORREF kEdge = RGB(238, 238, 242);
const COLORREF kTrack = RGB(246, 246, 246);
const COLORREF kGlyph = RGB(153, 153, 153);
const COLORREF kActiveGlyph = RGB(30, 30, 30);
const COLORREF kDisabledGlyph = RGB(162, 164, 165);
const COLORREF kQuietFrame = RGB(204, 206, 219);
const COLORREF kThumb = RGB(179, 179, 182);
const COLORREF kHotThumb = RGB(201, 222, 245);
}  // namespace light

class ResourceScrollBar : public ScrollControl
{
protected:
    DibSurface& Print()
    {
        m_surface.Fill(RGB(1, 2, 3));
        m_bar.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(m_surface.GetHdc()), PRF_CLIENT);
        return m_surface;
    }
    int ThumbMiddle() const
    {
        const CLVKScrollBarGeometry& g = m_bar.GetGeometry();
        return (g.nThumbStart + g.nThumbEnd) / 2;
    }

    DibSurface m_surface{17, 200};
};

TEST_F(ResourceScrollBar, DrawsTrackArrowsGlyphsAndThumbFromTheThemePictures)
{
    ScopedResourceTheme theme(L"VISUALSTUDIO2015LIGHT_INI");
    ASSERT_TRUE(theme.IsLoaded());
    m_bar.SetTheme(4);
    m_bar.SendMessage(WM_MOUSELEAVE);
    Print();
    EXPECT_EQ(light::kEdge, m_surface.Pixel(0, 40)) << "the track's long edge";
    EXPECT_EQ(light::kTrack, m_surface.Pixel(8, 40));
    EXPECT_EQ(light::kTrack, m_surface.Pixel(1, 8)) << "an idle arrow button is transparent";
    // The up glyph's tip: 9 x 9 centred in the arrow inset by a pixel.
    const int yGlyph = (m_metric - 9) / 2;
    EXPECT_EQ(light::kGlyph, m_surface.Pixel(8, yGlyph + 2));
    EXPECT_EQ(light::kGlyph, m_surface.Pixel(8, 200 - m_metric + yGlyph + 6)) << "the down glyph's tip";
    EXPECT_EQ(light::kThumb, m_surface.Pixel(3, ThumbMiddle()));
    EXPECT_EQ(light::kEdge, m_surface.Pixel(0, ThumbMiddle())) << "the thumb spans the inset bar";
    EXPECT_EQ(light::kActiveGlyph, m_surface.Pixel(8, ThumbMiddle() - 4 + 1)) << "the gripper's first line";

    // A hot thumb: the thumb's second row, and the arrows show that another
    // part of the bar is active.
    m_bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(8, ThumbMiddle()));
    ASSERT_EQ(LVK_HTSCROLLTHUMB, m_bar.GetGeometry().nHitPart);
    Print();
    EXPECT_EQ(light::kHotThumb, m_surface.Pixel(3, ThumbMiddle()));
    EXPECT_EQ(light::kQuietFrame, m_surface.Pixel(1, 8));
    EXPECT_EQ(light::kActiveGlyph, m_surface.Pixel(8, yGlyph + 2));

    // Disabled: no thumb, the disabled glyphs.
    m_bar.EnableWindow(FALSE);
    Print();
    EXPECT_EQ(light::kTrack, m_surface.Pixel(3, ThumbMiddle()));
    EXPECT_EQ(light::kDisabledGlyph, m_surface.Pixel(8, yGlyph + 2));
}

TEST_F(ResourceScrollBar, DarkStyleTakesTheDarkPicturesAndNoThemeDrawsNothing)
{
    {
        ScopedResourceTheme theme(L"VISUALSTUDIO2015LIGHT_INI");
        ASSERT_TRUE(theme.IsLoaded());
        m_bar.SetTheme(9);
        EXPECT_EQ(6, m_bar.GetScrollBarStyle());
        Print();
        EXPECT_EQ(RGB(45, 45, 48), m_surface.Pixel(0, 40));
        EXPECT_EQ(RGB(37, 37, 38), m_surface.Pixel(8, 40));
    }
    Print();
    EXPECT_EQ(RGB(1, 2, 3), m_surface.Pixel(8, 40)) << "no theme loaded";
}

TEST_F(ResourceScrollBar, SizeBoxIsItsPictureWithTheGripperInTheCorner)
{
    ScopedResourceTheme theme(L"VISUALSTUDIO2015LIGHT_INI");
    ASSERT_TRUE(theme.IsLoaded());
    CLVKScrollBarCtrl box;
    ASSERT_TRUE(box.Create(WS_CHILD | WS_VISIBLE | SBS_SIZEBOX, CRect(100, 100, 117, 117), &m_host, 501));
    box.SetTheme(4);
    DibSurface surface(17, 17, RGB(1, 2, 3));
    box.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.GetHdc()), PRF_CLIENT);
    EXPECT_EQ(light::kTrack, surface.Pixel(2, 2));
    EXPECT_EQ(light::kTrack, surface.Pixel(9, 9)) << "the gripper's transparent corner";
    EXPECT_EQ(light::kGlyph, surface.Pixel(16, 16)) << "a gripper dot";
}

TEST_F(ResourceScrollBar, PressedPageAreaShowsTheTrackPicturesSecondRowWhileHeld)
{
    ScopedResourceTheme theme(L"VISUALSTUDIO2015LIGHT_INI");
    ASSERT_TRUE(theme.IsLoaded());
    m_bar.SetTheme(4);
    const COLORREF kPressedTrack = RGB(204, 206, 219);
    COLORREF clrHeldAfter = 0;
    COLORREF clrHeldBefore = 0;
    m_host.onScroll = [&](ScrollHost&, int nCode)
    {
        if (nCode != SB_PAGEDOWN || clrHeldAfter)
            return;
        // Drawn from inside the tracking loop, while the page area is held.
        Print();
        clrHeldAfter = m_surface.Pixel(8, 150);
        clrHeldBefore = m_surface.Pixel(8, 40);
    };
    MoveMouse(BarPoint(8, 150));
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
    Pump(200);
    EXPECT_EQ(kPressedTrack, clrHeldAfter) << "the held page area";
    EXPECT_EQ(light::kTrack, clrHeldBefore) << "the other page area";
    Print();
    EXPECT_EQ(light::kTrack, m_surface.Pixel(8, 150)) << "released";
}

// An animation that counts its steps and ends at the third.
class CountingAnimation : public CLVKScrollBarAnimation
{
public:
    CountingAnimation(int* pnSteps, bool* pbDeleted) : m_pnSteps(pnSteps), m_pbDeleted(pbDeleted) {}
    ~CountingAnimation() override { *m_pbDeleted = true; }
    BOOL Step(CLVKScrollBase*) override { return ++*m_pnSteps < 3; }

private:
    int* m_pnSteps;
    bool* m_pbDeleted;
};

CLVKScrollBase* g_pSmoothBar = nullptr;

void CALLBACK StopStuckSmoothScroll(HWND, UINT, UINT_PTR nId, DWORD)
{
    ::KillTimer(nullptr, nId);
    if (g_pSmoothBar)
        g_pSmoothBar->SetSmoothScrolling(FALSE);
}

TEST_F(ScrollControl, AnimationStepsOnTheSmoothTimerAfterReleaseUntilItEnds)
{
    int nSteps = 0;
    bool bDeleted = false;
    m_host.onScroll = [&](ScrollHost&, int nCode)
    {
        if (nCode != SB_ENDSCROLL)
            return;
        // The owner starts an animation as the button comes up: the loop
        // keeps serving its timer after the release.
        m_bar.SetAnimation(std::make_unique<CountingAnimation>(&nSteps, &bDeleted));
        m_bar.SetSmoothScrolling(TRUE);
        for (int n = 0; n < 3; ++n)
            m_bar.PostMessage(WM_TIMER, CLVKScrollBase::kSmoothScrollTimer);
    };
    g_pSmoothBar = &m_bar;
    const UINT_PTR nStuckTimer = ::SetTimer(nullptr, 0, kHungWaitMs, &StopStuckSmoothScroll);
    MoveMouse(BarPoint(8, 200 - m_metric / 2));
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
    Pump(200);
    ::KillTimer(nullptr, nStuckTimer);
    g_pSmoothBar = nullptr;
    EXPECT_EQ(3, nSteps);
    EXPECT_FALSE(m_bar.IsSmoothScrolling()) << "the last step ends the smooth scroll";
    EXPECT_FALSE(bDeleted) << "the logic keeps its animation";

    // A new animation replaces the old one, which goes; the last goes with the logic.
    bool bSecondDeleted = false;
    m_bar.SetAnimation(std::make_unique<CountingAnimation>(&nSteps, &bSecondDeleted));
    EXPECT_TRUE(bDeleted);
    EXPECT_FALSE(bSecondDeleted);
    bool bOtherDeleted = false;
    {
        CLVKScrollBarCtrl other;
        other.SetAnimation(std::make_unique<CountingAnimation>(&nSteps, &bOtherDeleted));
    }
    EXPECT_TRUE(bOtherDeleted);
}

}  // namespace
