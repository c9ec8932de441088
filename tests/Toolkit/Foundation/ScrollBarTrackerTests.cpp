// The scroll-bar tracking loop through its owner interface: a recording bar
// on a hidden window of the test thread queues a gesture (repeat ticks,
// moves, the release, a lost capture) and the loop reads it. Arrow and page
// repeat, thumb drag with snap-back, the end of the loop from outside, and
// what is left when the window or the bar itself goes inside the loop.
#include "Foundation/ScrollBarTracker.h"

#include "MessagePump.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{

const int kTrackedBarArrow = 17;
// Asks the test's handler to act from inside the loop, in queue order.
const UINT kActMessage = WM_APP + 21;

std::function<void()> g_onAct;

LRESULT CALLBACK TrackerTestWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kActMessage && g_onAct)
    {
        g_onAct();
        return 0;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

HWND CreateTrackerTestWindow()
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = TrackerTestWndProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"LorvaneScrollTrackerTestWindow";
    ::RegisterClassW(&wc);
    return ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 100, 300, nullptr, nullptr, wc.hInstance,
                             nullptr);
}

std::string CommandName(int nCode)
{
    switch (nCode)
    {
    case SB_LINEUP:
        return "line up";
    case SB_LINEDOWN:
        return "line down";
    case SB_PAGEUP:
        return "page up";
    case SB_PAGEDOWN:
        return "page down";
    case SB_THUMBTRACK:
        return "track";
    case SB_THUMBPOSITION:
        return "position";
    case SB_ENDSCROLL:
        return "end";
    default:
        return "code " + std::to_string(nCode);
    }
}

UINT FirstDelay()
{
    return ::GetDoubleClickTime() * 4 / 5;
}

UINT NextDelay()
{
    return ::GetDoubleClickTime() / 10;
}

// The screen point this bar reports as the cursor's; it stands for the bar
// point the test puts the cursor at.
const POINT kCursorMarker = {-30000, -30000};

// A bar 17 x 200 over 0..100 with a page of 10 at 45 (thumb 91..107) that
// logs one line per scroll command, holds a capture of its own that the test
// can take away, and maps screen points to bar points by script: each
// queued mouse message's point is the next queued bar point, the cursor is
// where the test put it.
class RecordingBar : public CLVKScrollBarTrackerOwner
{
public:
    RecordingBar(std::vector<std::string>& log, const CLVKScrollBarOptions& options) : m_log(log), m_options(options)
    {
        m_options.nArrowLength = kTrackedBarArrow;
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.nMax = 100;
        si.nPage = 10;
        si.nPos = 45;
        CLVKScrollBarCalcGeometry(geometry, RECT{0, 0, kTrackedBarArrow, 200}, si, m_options);
    }
    ~RecordingBar() override { m_log.push_back("bar deleted"); }

    BOOL Press(HWND hWnd, int y, BOOL bDirect = FALSE)
    {
        return tracker.Track(hWnd, geometry, POINT{5, y}, bDirect, m_options);
    }
    void QueueMouse(HWND hWnd, UINT message, POINT ptBar)
    {
        m_points.push_back(ptBar);
        ::PostMessageW(hWnd, message, 0, 0);
    }

    CLVKScrollBarGeometry geometry;
    CLVKScrollBarTracker tracker{*this};
    POINT ptCursor = {5, 100};
    bool bCaptured = false;
    std::function<void(int nCode)> onScroll;

private:
    void OnTrackerScroll(int nCode, int nPos) override
    {
        std::string line = CommandName(nCode);
        if (nCode == SB_THUMBTRACK || nCode == SB_THUMBPOSITION)
            line += " " + std::to_string(nPos);
        if (nCode == SB_THUMBPOSITION || nCode == SB_ENDSCROLL)
            line += tracker.GetTrackState() ? " while tracking" : " after tracking";
        if (nCode <= SB_PAGEDOWN)
        {
            const UINT nDelay = static_cast<UINT>(tracker.GetAutoRepeatInterval());
            line += nDelay == FirstDelay()  ? " (first delay)"
                    : nDelay == NextDelay() ? " (next delay)"
                    : nDelay == 0           ? " (no repeat)"
                                            : " (delay " + std::to_string(nDelay) + ")";
        }
        m_log.push_back(line);
        if (onScroll)
            onScroll(nCode);
    }
    void OnTrackerRedraw() override {}
    int TrackerHitTest(POINT ptBar) const override { return CLVKScrollBarHitTest(geometry, ptBar); }
    void OnTrackerCapture(HWND) override { bCaptured = true; }
    BOOL TrackerHasCapture(HWND) const override { return bCaptured; }
    void OnTrackerReleaseCapture(HWND) override { bCaptured = false; }
    POINT TrackerScreenToBar(HWND, POINT pt) const override
    {
        if (pt.x == kCursorMarker.x && pt.y == kCursorMarker.y)
            return ptCursor;
        if (m_points.empty())
            return POINT{-1000, -1000};
        const POINT ptBar = m_points.front();
        m_points.pop_front();
        return ptBar;
    }
    POINT GetCursorScreenPos() const override { return kCursorMarker; }

    std::vector<std::string>& m_log;
    CLVKScrollBarOptions m_options;
    mutable std::deque<POINT> m_points;
};

// The thread's view of the left button while a test posts a gesture: the
// drag asks for it as it reads each message.
class LeftButton
{
public:
    explicit LeftButton(bool bDown)
    {
        ::GetKeyboardState(m_saved);
        BYTE keys[256];
        memcpy(keys, m_saved, sizeof(keys));
        keys[VK_LBUTTON] = bDown ? 0x80 : 0;
        ::SetKeyboardState(keys);
    }
    ~LeftButton() { ::SetKeyboardState(m_saved); }

private:
    BYTE m_saved[256];
};

class ScrollBarTracker : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_hWnd = CreateTrackerTestWindow();
        ASSERT_NE(nullptr, m_hWnd);
    }
    void TearDown() override
    {
        g_onAct = nullptr;
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
        // Not left for the next test's loop.
        MSG msg{};
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
        }
    }
    void QueueTick() { ::PostMessageW(m_hWnd, WM_TIMER, CLVKScrollBarTracker::kAutoRepeatTimer, 0); }
    void QueueAct(std::function<void()> act)
    {
        g_onAct = std::move(act);
        ::PostMessageW(m_hWnd, kActMessage, 0, 0);
    }
    // True while the loop's repeat timer is still set on the window.
    bool RepeatTimerLeft() const { return ::KillTimer(m_hWnd, CLVKScrollBarTracker::kAutoRepeatTimer) != FALSE; }

    HWND m_hWnd = nullptr;
    std::vector<std::string> m_log;
};

struct RepeatCase
{
    const char* name;
    int yPress;
    int yCursor;  // where the cursor is at each tick and the release
    std::vector<std::string> log;
};

class ScrollBarTrackerRepeat : public ScrollBarTracker, public ::testing::WithParamInterface<RepeatCase>
{
};

TEST_P(ScrollBarTrackerRepeat, PressScrollsAtOnceThenOnEachTickWhileTheCursorStaysOnThePart)
{
    const RepeatCase& c = GetParam();
    RecordingBar bar(m_log, CLVKScrollBarOptions::ForControlBar());
    bar.ptCursor = POINT{5, c.yCursor};
    QueueTick();
    QueueTick();
    bar.QueueMouse(m_hWnd, WM_LBUTTONUP, bar.ptCursor);
    EXPECT_TRUE(bar.Press(m_hWnd, c.yPress));
    EXPECT_EQ(c.log, m_log);
    EXPECT_FALSE(bar.tracker.IsTracking());
    EXPECT_FALSE(bar.bCaptured) << "the release gives the capture back";
    EXPECT_FALSE(RepeatTimerLeft());
}

INSTANTIATE_TEST_SUITE_P(
    Table, ScrollBarTrackerRepeat,
    ::testing::Values(
        RepeatCase{"UpArrow", 8, 8, {"line up (first delay)", "line up (next delay)", "line up (next delay)", "end while tracking"}},
        RepeatCase{
            "DownArrow", 190, 190, {"line down (first delay)", "line down (next delay)", "line down (next delay)", "end while tracking"}},
        RepeatCase{
            "PageAboveTheThumb", 50, 50, {"page up (first delay)", "page up (next delay)", "page up (next delay)", "end while tracking"}},
        RepeatCase{"PageBelowTheThumb",
                   150,
                   150,
                   {"page down (first delay)", "page down (next delay)", "page down (next delay)", "end while tracking"}},
        // Moved off the part, the ticks scroll nothing.
        RepeatCase{"CursorOffTheArrow", 190, 100, {"line down (first delay)", "end while tracking"}},
        RepeatCase{"CursorOnTheThumbOffThePage", 150, 100, {"page down (first delay)", "end while tracking"}}),
    [](const ::testing::TestParamInfo<RepeatCase>& info) { return std::string(info.param.name); });

struct DragCase
{
    const char* name;
    bool bMarkup;
    const char* whenEnded;  // the state seen with the final commands
};

class ScrollBarTrackerDrag : public ScrollBarTracker, public ::testing::WithParamInterface<DragCase>
{
};

TEST_P(ScrollBarTrackerDrag, ThumbFollowsSnapsBackAndEndsAtItsPosition)
{
    const DragCase& c = GetParam();
    RecordingBar bar(m_log,
                     c.bMarkup ? CLVKScrollBarOptions::ForMarkupBar() : CLVKScrollBarOptions::ForControlBar());
    const CLVKScrollBarGeometry g = bar.geometry;
    const std::string at30 = std::to_string(CLVKScrollBarPosFromThumb(g, g.nThumbStart + 30));
    const std::string at40 = std::to_string(CLVKScrollBarPosFromThumb(g, g.nThumbStart + 40));
    const int yMiddle = (g.nThumbStart + g.nThumbEnd) / 2;
    {
        LeftButton held(true);
        bar.QueueMouse(m_hWnd, WM_MOUSEMOVE, POINT{5, yMiddle + 30});
        // Far beside the bar (more than eight bar widths): back to the start.
        bar.QueueMouse(m_hWnd, WM_MOUSEMOVE, POINT{kTrackedBarArrow * 10, yMiddle + 30});
        bar.QueueMouse(m_hWnd, WM_MOUSEMOVE, POINT{5, yMiddle + 40});
        bar.QueueMouse(m_hWnd, WM_LBUTTONUP, POINT{5, yMiddle + 40});
        EXPECT_TRUE(bar.Press(m_hWnd, yMiddle));
    }
    const std::string ended = c.whenEnded;
    EXPECT_EQ((std::vector<std::string>{"track 45", "track " + at30, "track 45", "track " + at40,
                                        "position " + at40 + ended, "end" + ended}),
              m_log);
    EXPECT_EQ(g.nThumbStart + 40, bar.geometry.nThumbStart) << "the thumb stays where it was dropped";
    EXPECT_FALSE(bar.bCaptured);
}

INSTANTIATE_TEST_SUITE_P(Table, ScrollBarTrackerDrag,
                         ::testing::Values(DragCase{"ControlBar", false, " while tracking"},
                                           DragCase{"MarkupBar", true, " after tracking"}),
                         [](const ::testing::TestParamInfo<DragCase>& info) { return std::string(info.param.name); });

TEST_F(ScrollBarTracker, DirectPressOnThePageCentresTheThumbOnTheCursor)
{
    RecordingBar bar(m_log, CLVKScrollBarOptions::ForControlBar());
    const CLVKScrollBarGeometry g = bar.geometry;
    const int y = 150;
    const std::string centred = std::to_string(CLVKScrollBarPosFromThumb(g, y - g.nThumbLength / 2));
    {
        LeftButton held(true);
        bar.QueueMouse(m_hWnd, WM_LBUTTONUP, POINT{5, y});
        EXPECT_TRUE(bar.Press(m_hWnd, y, TRUE));
    }
    EXPECT_EQ((std::vector<std::string>{"track 45", "track " + centred, "position " + centred + " while tracking",
                                        "end while tracking"}),
              m_log);
}

TEST_F(ScrollBarTracker, ButtonAlreadyUpEndsAControlDragAtThePressAndAMarkupDragAtTheFirstMove)
{
    const CLVKScrollBarGeometry g = RecordingBar(m_log, CLVKScrollBarOptions::ForControlBar()).geometry;
    const std::string at30 = std::to_string(CLVKScrollBarPosFromThumb(g, g.nThumbStart + 30));
    const int yMiddle = (g.nThumbStart + g.nThumbEnd) / 2;
    const struct
    {
        bool bMarkup;
        std::vector<std::string> log;
    } cases[] = {
        {false, {"track 45", "position 45 while tracking", "end while tracking"}},
        {true, {"track 45", "track " + at30, "position " + at30 + " after tracking", "end after tracking"}},
    };
    for (const auto& c : cases)
    {
        std::vector<std::string> log;
        RecordingBar bar(log, c.bMarkup ? CLVKScrollBarOptions::ForMarkupBar() : CLVKScrollBarOptions::ForControlBar());
        LeftButton up(false);
        bar.QueueMouse(m_hWnd, WM_MOUSEMOVE, POINT{5, yMiddle + 30});
        EXPECT_TRUE(bar.Press(m_hWnd, yMiddle));
        EXPECT_EQ(c.log, log) << (c.bMarkup ? "markup bar" : "control bar");
        EXPECT_FALSE(bar.tracker.IsTracking());
        MSG msg{};
        while (::PeekMessageW(&msg, m_hWnd, 0, 0, PM_REMOVE))
        {
        }
    }
}

TEST_F(ScrollBarTracker, ThumbFillingTheTrackIsNotDragged)
{
    RecordingBar bar(m_log, CLVKScrollBarOptions::ForControlBar());
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.nMax = 100;
    si.nPage = 500;
    CLVKScrollBarCalcGeometry(bar.geometry, RECT{0, 0, kTrackedBarArrow, 200}, si, CLVKScrollBarOptions::ForControlBar());
    EXPECT_FALSE(bar.Press(m_hWnd, 100));
    EXPECT_TRUE(m_log.empty());
    EXPECT_FALSE(bar.bCaptured);
}

TEST_F(ScrollBarTracker, LostCaptureEndsTheLoopWithoutFinalCommandsAndKillsTheRepeat)
{
    RecordingBar bar(m_log, CLVKScrollBarOptions::ForControlBar());
    bar.ptCursor = POINT{5, 100};  // on the thumb when the loop ends
    QueueAct([&bar] { bar.bCaptured = false; });
    EXPECT_TRUE(bar.Press(m_hWnd, 190));
    EXPECT_EQ((std::vector<std::string>{"line down (first delay)"}), m_log);
    EXPECT_FALSE(bar.tracker.IsTracking());
    EXPECT_EQ(nullptr, bar.tracker.GetTrackState());
    EXPECT_FALSE(RepeatTimerLeft());
    EXPECT_EQ(LVK_HTSCROLLTHUMB, bar.geometry.nHitPart) << "the part under the cursor";
}

TEST_F(ScrollBarTracker, WindowDestroyedInsideTheLoopLeavesNoStateBehind)
{
    RecordingBar bar(m_log, CLVKScrollBarOptions::ForControlBar());
    bar.ptCursor = POINT{5, 190};
    bar.onScroll = [&](int nCode)
    {
        if (nCode == SB_LINEDOWN && m_log.size() == 2)
            ::DestroyWindow(m_hWnd);
    };
    QueueTick();
    EXPECT_TRUE(bar.Press(m_hWnd, 190));
    EXPECT_EQ((std::vector<std::string>{"line down (first delay)", "line down (next delay)"}), m_log);
    EXPECT_FALSE(bar.tracker.IsTracking());
    EXPECT_EQ(nullptr, bar.tracker.GetTrackState()) << "nothing points into the ended loop";

    // The bar tracks again in a new window.
    bar.onScroll = nullptr;
    m_log.clear();
    m_hWnd = CreateTrackerTestWindow();
    bar.QueueMouse(m_hWnd, WM_LBUTTONUP, POINT{5, 190});
    bar.ptCursor = POINT{5, 190};
    EXPECT_TRUE(bar.Press(m_hWnd, 190));
    EXPECT_EQ((std::vector<std::string>{"line down (first delay)", "end while tracking"}), m_log);
}

TEST_F(ScrollBarTracker, BarDeletedByItsOwnCommandIsNotTouchedAgain)
{
    auto* const pBar = new RecordingBar(m_log, CLVKScrollBarOptions::ForControlBar());
    pBar->onScroll = [pBar](int) { delete pBar; };
    pBar->Press(m_hWnd, 190);
    EXPECT_EQ((std::vector<std::string>{"line down (first delay)", "bar deleted"}), m_log);
}

TEST_F(ScrollBarTracker, PressWithoutAWindowScrollsOnceAndLeavesNoTimer)
{
    RecordingBar bar(m_log, CLVKScrollBarOptions::ForMarkupBar());
    EXPECT_TRUE(bar.Press(nullptr, 190));
    EXPECT_EQ((std::vector<std::string>{"line down (no repeat)", "end after tracking"}), m_log)
        << "no repeat delay without a window";
    EXPECT_FALSE(bar.tracker.IsTracking());
    EXPECT_FALSE(bar.bCaptured);

    // A repeat timer of the thread would come (without a callback) before
    // this mark, which is due after the first repeat delay.
    TimerMark mark(FirstDelay() + 100);
    int nStrayTicks = 0;
    MSG msg{};
    while (!mark.Fired() && ::GetMessageW(&msg, nullptr, 0, 0) > 0)
    {
        if (msg.message == WM_TIMER && !msg.hwnd && !msg.lParam)
            ++nStrayTicks;
        ::DispatchMessageW(&msg);
    }
    EXPECT_TRUE(mark.Fired());
    EXPECT_EQ(0, nStrayTicks);
}

}  // namespace
