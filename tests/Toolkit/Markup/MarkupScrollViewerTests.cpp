// The scroll viewer: which bars show, their ranges, scroll commands, the
// wheel, offsets that follow a shrinking content, and the bars' own mouse
// handling with their tracking loop.
#include "MarkupTestSupport.h"
#include "MouseInput.h"

#include "Markup/MarkupBorder.h"
#include "Markup/MarkupEnum.h"
#include "Markup/MarkupInt.h"
#include "Markup/MarkupScrollBar.h"
#include "Markup/MarkupScrollBarGripper.h"
#include "Markup/MarkupScrollViewer.h"

#include <windowsx.h>

#include <string>
#include <vector>

namespace
{

CLVKMarkupScrollViewer* AsViewer(const ElementHolder& root)
{
    return MarkupCast<CLVKMarkupScrollViewer>(root.Get());
}

std::wstring Viewer(const std::wstring& attributes, int nContentWidth, int nContentHeight)
{
    return L"<ScrollViewer Width='100' Height='200' HorizontalAlignment='Left' VerticalAlignment='Top' " + attributes +
           L"><Border x:Name='content' xmlns:x='http://schemas.microsoft.com/winfx/2006/xaml' Background='Red' "
           L"Width='" +
           std::to_wstring(nContentWidth) + L"' Height='" + std::to_wstring(nContentHeight) + L"'/></ScrollViewer>";
}

// The element tree a host window's posted message changes during a
// tracking loop.
CLVKMarkupScrollViewer* g_pViewerToShrink = nullptr;
const UINT kShrinkMessage = WM_APP + 7;
// Records the viewer's vertical offset at that point of a tracking loop.
CLVKMarkupScrollViewer* g_pViewerToRecord = nullptr;
std::vector<int> g_recordedOffsets;
const UINT kRecordMessage = WM_APP + 8;
// Moves the cursor to the client point (lParam) at that point of a loop.
const UINT kCursorMessage = WM_APP + 9;

LRESULT CALLBACK ScrollHostProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kShrinkMessage && g_pViewerToShrink)
    {
        // A layout pass that drops the vertical bar while it tracks.
        g_pViewerToShrink->SetValue(CLVKMarkupScrollViewer::m_pVerticalScrollBarVisibilityProperty,
                                    new CLVKMarkupEnum(CLVKMarkupScrollViewer::visibilityDisabled));
        MarkupMeasureElement(g_pViewerToShrink, 100, 200);
        return 0;
    }
    if (message == kRecordMessage && g_pViewerToRecord)
    {
        g_recordedOffsets.push_back(g_pViewerToRecord->GetOffset(TRUE));
        return 0;
    }
    if (message == kCursorMessage)
    {
        SetCursorAndWait(hWnd, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

class ScrollHost
{
public:
    ScrollHost()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ScrollHostProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"LorvaneMarkupScrollTestHost";
        RegisterClassW(&wc);
        m_hWnd = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, wc.hInstance,
                                 nullptr);
    }
    ~ScrollHost() { DestroyWindow(m_hWnd); }
    HWND Get() const { return m_hWnd; }

private:
    HWND m_hWnd;
};

// The thread's view of the left button and Shift while a test posts a
// gesture: the tracking loop asks for them as it reads each message.
class HeldKeys
{
public:
    HeldKeys(bool bShift)
    {
        GetKeyboardState(m_saved);
        BYTE keys[256];
        memcpy(keys, m_saved, sizeof(keys));
        keys[VK_LBUTTON] = 0x80;
        keys[VK_SHIFT] = bShift ? 0x80 : 0;
        SetKeyboardState(keys);
    }
    ~HeldKeys() { SetKeyboardState(m_saved); }

private:
    BYTE m_saved[256];
};

// Posts a mouse message to the host with the cursor at the client point:
// the tracking loop reads a message's screen point, which the system takes
// from the cursor when the message is posted.
void PostMouseAt(HWND hWnd, UINT message, int x, int y)
{
    SetCursorAndWait(hWnd, x, y);
    PostMessageW(hWnd, message, 0, MAKELPARAM(x, y));
}

// A viewer 100 x 200 over content of the given size, laid out and drawn
// once, in a context whose host window takes the mouse capture.
struct ScrollScene
{
    ScrollScene(int nContentWidth, int nContentHeight) : root(context.Parse(Viewer(L"", nContentWidth, nContentHeight)))
    {
        if (root)
        {
            surface.Render(root.Get());
        }
    }

    ScrollHost host;
    MarkupContextHolder context{host.Get()};
    ElementHolder root;
    MarkupSurface surface{100, 200};
};

BOOL Relay(const ElementHolder& root, UINT message, WPARAM wParam, int x, int y)
{
    LRESULT lResult = 0;
    return MarkupRelayElementMessage(root.Get(), message, wParam, MAKELPARAM(x, y), &lResult);
}

}  // namespace

TEST(MarkupScrollViewer, DefaultBarsAndRanges)
{
    MarkupContextHolder context;
    std::wstring error;
    ElementHolder root(context.Parse(Viewer(L"", 300, 500), &error));
    ASSERT_TRUE(root) << error;
    MarkupSurface surface(120, 220);
    surface.Render(root.Get());
    CLVKMarkupScrollViewer* const pViewer = AsViewer(root);
    // A vertical bar always, no horizontal bar: the content is cut to the
    // viewport's width.
    ASSERT_NE(pViewer->GetScrollBar(TRUE), nullptr);
    EXPECT_EQ(pViewer->GetScrollBar(FALSE), nullptr);
    EXPECT_EQ(pViewer->GetGripper(), nullptr);
    const int bw = GetSystemMetrics(SM_CXVSCROLL);
    const SCROLLINFO& si = pViewer->GetScrollBar(TRUE)->GetScrollInfo();
    EXPECT_EQ(si.nMax, 499);
    EXPECT_EQ(si.nPage, 200u);
    EXPECT_EQ(pViewer->GetScrollableOffset(TRUE), 300);
    EXPECT_EQ(surface.Pixel(100 - bw - 1, 100), RGB(255, 0, 0));
    EXPECT_NE(surface.Pixel(100 - bw, 100), RGB(255, 0, 0));
    EXPECT_EQ(surface.Pixel(105, 100), RGB(255, 255, 255)) << "clipped to the viewer";

    // Content that fits still gets the bar, which then scrolls nothing.
    ElementHolder small(context.Parse(Viewer(L"", 50, 50)));
    ASSERT_TRUE(small);
    surface.Render(small.Get());
    ASSERT_NE(AsViewer(small)->GetScrollBar(TRUE), nullptr);
    EXPECT_TRUE(AsViewer(small)->GetScrollBar(TRUE)->IsNothingToScroll());
}

TEST(MarkupScrollViewer, ScrollCommandsStayInTheRange)
{
    MarkupContextHolder context;
    ElementHolder root(context.Parse(Viewer(L"", 50, 500)));
    ASSERT_TRUE(root);
    MarkupSurface surface(100, 200);
    surface.Render(root.Get());
    CLVKMarkupScrollViewer* const pViewer = AsViewer(root);
    struct CommandCase
    {
        int from, code, pos, expected;
    } const cases[] = {
        {290, SB_LINEDOWN, 0, 300},      {150, SB_PAGEUP, 0, 0},     {10, SB_LINEUP, 0, 0},
        {0, SB_PAGEDOWN, 0, 200},        {150, SB_PAGEDOWN, 0, 300}, {20, SB_LINEDOWN, 0, 36},
        {0, SB_BOTTOM, 0, 300},          {200, SB_TOP, 0, 0},        {0, SB_THUMBTRACK, 123, 123},
        {0, SB_THUMBPOSITION, 999, 300}, {77, SB_ENDSCROLL, 0, 77},
    };
    for (const CommandCase& c : cases)
    {
        pViewer->SetOffset(TRUE, c.from);
        ASSERT_EQ(pViewer->GetOffset(TRUE), c.from);
        pViewer->Scroll(TRUE, c.code, c.pos);
        EXPECT_EQ(pViewer->GetOffset(TRUE), c.expected) << "code " << c.code << " from " << c.from;
    }
    // Beyond the end stores the largest offset; below 0 stores 0; without a
    // horizontal bar the horizontal offset stays 0.
    pViewer->SetOffset(TRUE, 5000);
    EXPECT_EQ(pViewer->GetOffset(TRUE), 300);
    pViewer->SetOffset(TRUE, -5);
    EXPECT_EQ(pViewer->GetOffset(TRUE), 0);
    pViewer->Scroll(FALSE, SB_PAGEDOWN, 0);
    pViewer->SetOffset(FALSE, 40);
    EXPECT_EQ(pViewer->GetOffset(FALSE), 0);

    // The content moves with the offset.
    pViewer->SetOffset(TRUE, 100);
    MarkupSurface moved(100, 200);
    moved.Render(root.Get());
    auto* const pContent = MarkupCast<CLVKMarkupBorder>(root->FindName(L"content"));
    ASSERT_NE(pContent, nullptr);
    EXPECT_EQ(pContent->GetFinalRect().top, -100);
}

TEST(MarkupScrollViewer, WheelStepsAndShrinkingContent)
{
    ScrollScene scene(50, 500);
    ASSERT_TRUE(scene.root);
    CLVKMarkupScrollViewer* const pViewer = AsViewer(scene.root);
    Relay(scene.root, WM_MOUSEMOVE, 0, 20, 20);
    EXPECT_TRUE(Relay(scene.root, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 20, 20));
    EXPECT_EQ(pViewer->GetOffset(TRUE), 48);
    Relay(scene.root, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 20, 20);
    Relay(scene.root, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 20, 20);
    EXPECT_EQ(pViewer->GetOffset(TRUE), 0);

    // Content shrunk below offset + viewport: its end stays at the bottom.
    pViewer->SetOffset(TRUE, 300);
    auto* const pContent = MarkupCast<CLVKMarkupBorder>(scene.root->FindName(L"content"));
    ASSERT_NE(pContent, nullptr);
    pContent->SetValue(CLVKMarkupFrameworkElement::m_pHeightProperty, new CLVKMarkupInt(350));
    scene.surface.Render(scene.root.Get());
    EXPECT_EQ(pViewer->GetOffset(TRUE), 150);
    EXPECT_EQ(pViewer->GetScrollBar(TRUE)->GetScrollInfo().nMax, 349);
}

TEST(MarkupScrollViewer, AutoBarsAndTheCorner)
{
    MarkupContextHolder context;
    const int bw = GetSystemMetrics(SM_CXVSCROLL);
    struct AutoCase
    {
        const wchar_t* attributes;
        int width, height;
        bool vertical, horizontal;
    } const cases[] = {
        {L"VerticalScrollBarVisibility='Auto' HorizontalScrollBarVisibility='Auto'", 50, 50, false, false},
        {L"VerticalScrollBarVisibility='auto' HorizontalScrollBarVisibility='AUTO'", 150, 50, false, true},
        {L"VerticalScrollBarVisibility='Auto' HorizontalScrollBarVisibility='Auto'", 50, 500, true, false},
        // Wider than the room the vertical bar leaves.
        {L"HorizontalScrollBarVisibility='Auto'", 100 - bw + 1, 50, true, true},
        {L"HorizontalScrollBarVisibility='Auto'", 100 - bw, 50, true, false},
        {L"VerticalScrollBarVisibility='Disabled' HorizontalScrollBarVisibility='Visible'", 50, 500, false, true},
    };
    for (const AutoCase& c : cases)
    {
        ElementHolder root(context.Parse(Viewer(c.attributes, c.width, c.height)));
        ASSERT_TRUE(root) << c.attributes;
        MarkupSurface surface(100, 200);
        surface.Render(root.Get());
        CLVKMarkupScrollViewer* const pViewer = AsViewer(root);
        EXPECT_EQ(pViewer->GetScrollBar(TRUE) != nullptr, c.vertical) << c.attributes << " " << c.width;
        EXPECT_EQ(pViewer->GetScrollBar(FALSE) != nullptr, c.horizontal) << c.attributes << " " << c.width;
        EXPECT_EQ(pViewer->GetGripper() != nullptr, c.vertical && c.horizontal) << c.attributes;
        if (c.vertical && c.horizontal)
        {
            // The corner square in the button face colour.
            EXPECT_EQ(surface.Pixel(99, 199), GetSysColor(COLOR_BTNFACE));
        }
    }
    EXPECT_EQ(context.ErrorOf(Viewer(L"VerticalScrollBarVisibility='Sometimes'", 10, 10))
                  .rfind(L"Cannot convert string in attribute", 0),
              0u);
}

TEST(MarkupScrollViewer, BarPressesScrollThroughTheTrackingLoop)
{
    ScrollScene scene(50, 500);
    ASSERT_TRUE(scene.root);
    CLVKMarkupScrollViewer* const pViewer = AsViewer(scene.root);
    CLVKMarkupScrollBar* const pBar = pViewer->GetScrollBar(TRUE);
    ASSERT_NE(pBar, nullptr);
    const int bw = GetSystemMetrics(SM_CXVSCROLL);
    const int x = 100 - bw / 2;
    EXPECT_EQ(pBar->HitTestPart(bw / 2, 2), LVK_HTSCROLLUP);
    EXPECT_EQ(pBar->HitTestPart(bw / 2, 197), LVK_HTSCROLLDOWN);
    EXPECT_EQ(pBar->HitTestPart(bw / 2, 150), LVK_HTSCROLLDOWNPAGE);

    // A press on the lower arrow scrolls one line at once; the release
    // waiting in the queue ends the loop.
    Relay(scene.root, WM_MOUSEMOVE, 0, x, 197);
    PostMessageW(scene.host.Get(), WM_LBUTTONUP, 0, MAKELPARAM(x, 197));
    EXPECT_TRUE(Relay(scene.root, WM_LBUTTONDOWN, MK_LBUTTON, x, 197));
    EXPECT_EQ(pViewer->GetOffset(TRUE), 16);
    EXPECT_EQ(scene.context->GetCapturedElement(), nullptr);

    // A press on the page below the thumb scrolls one page.
    PostMessageW(scene.host.Get(), WM_LBUTTONUP, 0, MAKELPARAM(x, 150));
    Relay(scene.root, WM_MOUSEMOVE, 0, x, 150);
    Relay(scene.root, WM_LBUTTONDOWN, MK_LBUTTON, x, 150);
    EXPECT_EQ(pViewer->GetOffset(TRUE), 216);

    // A layout pass during the loop drops the bar: the loop still ends
    // cleanly on the bar it holds.
    g_pViewerToShrink = pViewer;
    PostMessageW(scene.host.Get(), kShrinkMessage, 0, 0);
    PostMessageW(scene.host.Get(), WM_LBUTTONUP, 0, MAKELPARAM(x, 2));
    Relay(scene.root, WM_MOUSEMOVE, 0, x, 2);
    Relay(scene.root, WM_LBUTTONDOWN, MK_LBUTTON, x, 2);
    g_pViewerToShrink = nullptr;
    EXPECT_EQ(pViewer->GetScrollBar(TRUE), nullptr);
    EXPECT_EQ(pViewer->GetOffset(TRUE), 0);
    EXPECT_EQ(scene.context->GetCapturedElement(), nullptr);
}

TEST(MarkupScrollViewer, PressOnABarWithNothingToScrollIsOnlyHandled)
{
    ScrollScene scene(50, 50);
    ASSERT_TRUE(scene.root);
    const int x = 100 - GetSystemMetrics(SM_CXVSCROLL) / 2;
    Relay(scene.root, WM_MOUSEMOVE, 0, x, 197);
    EXPECT_TRUE(Relay(scene.root, WM_LBUTTONDOWN, MK_LBUTTON, x, 197));
    EXPECT_EQ(scene.context->GetCapturedElement(), nullptr);
    EXPECT_EQ(AsViewer(scene.root)->GetOffset(TRUE), 0);
}

TEST(MarkupScrollViewer, BarGeometryWithAPageLargerThanTheRange)
{
    // A page beyond the range is the range: the thumb fills the track and
    // never reaches past it.
    MarkupRegisterAllTypes();
    CLVKMarkupAutoPtr<CLVKMarkupScrollBar> pBar(new CLVKMarkupScrollBar(TRUE));
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.nMax = 99;
    si.nPage = 500;
    pBar->SetScrollInfo(si);
    pBar->Arrange(0, 0, 17, 200);
    const CLVKScrollBarGeometry& g = pBar->GetGeometry();
    EXPECT_GE(g.nThumbTravel, 0);
    EXPECT_LE(g.nThumbEnd, g.nSecondArrowStart);
    EXPECT_GE(g.nThumbStart, g.nFirstArrowEnd);
    EXPECT_TRUE(pBar->IsNothingToScroll());

    // A normal range: thumb proportional to the page, at least 16 long.
    si.nMax = 9999;
    si.nPage = 10;
    si.nPos = 9990;
    pBar->SetScrollInfo(si);
    pBar->Arrange(0, 0, 17, 200);
    EXPECT_EQ(g.nThumbLength, std::max(16, GetSystemMetrics(SM_CYVSCROLL) / 2));
    EXPECT_EQ(g.nThumbEnd, g.nSecondArrowStart) << "the last position puts the thumb at the end of the track";
}

TEST(MarkupScrollViewer, DraggedThumbFollowsSnapsBackAndEndsWithItsPosition)
{
    ScrollScene scene(50, 500);
    ASSERT_TRUE(scene.root);
    CLVKMarkupScrollViewer* const pViewer = AsViewer(scene.root);
    CLVKMarkupScrollBar* const pBar = pViewer->GetScrollBar(TRUE);
    ASSERT_NE(pBar, nullptr);
    const CLVKScrollBarGeometry g = pBar->GetGeometry();
    const int bw = GetSystemMetrics(SM_CXVSCROLL);
    const int x = 100 - bw / 2;
    const int nMiddle = (g.nThumbStart + g.nThumbEnd) / 2;
    const int nAt30 = CLVKScrollBarPosFromThumb(g, g.nThumbStart + 30);
    const int nAt40 = CLVKScrollBarPosFromThumb(g, g.nThumbStart + 40);
    ASSERT_GT(nAt30, 0);
    ASSERT_GT(nAt40, nAt30);

    // The whole gesture is queued, then the press starts the loop: down 30,
    // far beside the bar (the thumb snaps back), down 40, release.
    g_pViewerToRecord = pViewer;
    g_recordedOffsets.clear();
    {
        HeldKeys keys(false);
        PostMouseAt(scene.host.Get(), WM_MOUSEMOVE, x, nMiddle + 30);
        PostMessageW(scene.host.Get(), kRecordMessage, 0, 0);
        PostMouseAt(scene.host.Get(), WM_MOUSEMOVE, 300, nMiddle + 30);
        PostMessageW(scene.host.Get(), kRecordMessage, 0, 0);
        PostMouseAt(scene.host.Get(), WM_MOUSEMOVE, x, nMiddle + 40);
        PostMessageW(scene.host.Get(), kRecordMessage, 0, 0);
        PostMouseAt(scene.host.Get(), WM_LBUTTONUP, x, nMiddle + 40);
        Relay(scene.root, WM_MOUSEMOVE, 0, x, nMiddle);
        EXPECT_TRUE(Relay(scene.root, WM_LBUTTONDOWN, MK_LBUTTON, x, nMiddle));
    }
    g_pViewerToRecord = nullptr;
    EXPECT_EQ(g_recordedOffsets, (std::vector<int>{nAt30, 0, nAt40}));
    EXPECT_EQ(pViewer->GetOffset(TRUE), nAt40) << "the release keeps the dragged position";
    EXPECT_EQ(scene.context->GetCapturedElement(), nullptr);

    // Shift and a press on the page: the thumb jumps to centre on the cursor
    // and is dragged from there.
    scene.surface.Render(scene.root.Get());
    const CLVKScrollBarGeometry g2 = pBar->GetGeometry();
    const int y = g2.nThumbEnd + 40;
    ASSERT_LT(y, g2.nSecondArrowStart);
    const int nCentred = CLVKScrollBarPosFromThumb(g2, y - g2.nThumbLength / 2);
    {
        HeldKeys keys(true);
        PostMouseAt(scene.host.Get(), WM_LBUTTONUP, x, y);
        Relay(scene.root, WM_MOUSEMOVE, 0, x, y);
        Relay(scene.root, WM_LBUTTONDOWN, MK_LBUTTON, x, y);
    }
    EXPECT_EQ(pViewer->GetOffset(TRUE), nCentred);
}

TEST(MarkupScrollViewer, HeldArrowRepeatsOnlyWhileTheCursorIsOnIt)
{
    ScrollScene scene(50, 500);
    ASSERT_TRUE(scene.root);
    CLVKMarkupScrollViewer* const pViewer = AsViewer(scene.root);
    const int x = 100 - GetSystemMetrics(SM_CXVSCROLL) / 2;

    // Two repeat ticks with the cursor on the lower arrow, two with it off
    // the arrow, then the release.
    g_pViewerToRecord = pViewer;
    g_recordedOffsets.clear();
    {
        HeldKeys keys(false);
        PostMessageW(scene.host.Get(), kRecordMessage, 0, 0);
        PostMessageW(scene.host.Get(), WM_TIMER, CLVKMarkupScrollBar::kAutoRepeatTimer, 0);
        PostMessageW(scene.host.Get(), WM_TIMER, CLVKMarkupScrollBar::kAutoRepeatTimer, 0);
        PostMessageW(scene.host.Get(), kRecordMessage, 0, 0);
        PostMouseAt(scene.host.Get(), WM_MOUSEMOVE, x, 100);
        // The repeat step looks where the cursor is when it runs.
        PostMessageW(scene.host.Get(), kCursorMessage, 0, MAKELPARAM(x, 100));
        PostMessageW(scene.host.Get(), WM_TIMER, CLVKMarkupScrollBar::kAutoRepeatTimer, 0);
        PostMessageW(scene.host.Get(), WM_TIMER, CLVKMarkupScrollBar::kAutoRepeatTimer, 0);
        PostMessageW(scene.host.Get(), kRecordMessage, 0, 0);
        PostMouseAt(scene.host.Get(), WM_LBUTTONUP, x, 100);
        SetCursorAndWait(scene.host.Get(), x, 197);
        Relay(scene.root, WM_MOUSEMOVE, 0, x, 197);
        Relay(scene.root, WM_LBUTTONDOWN, MK_LBUTTON, x, 197);
    }
    g_pViewerToRecord = nullptr;
    ASSERT_EQ(g_recordedOffsets.size(), 3u);
    EXPECT_EQ(g_recordedOffsets[0], 16) << "the press scrolls one line at once";
    // A tick of the real timer may add a line while the cursor is on the
    // arrow; each posted tick adds one.
    EXPECT_GE(g_recordedOffsets[1] - g_recordedOffsets[0], 32);
    EXPECT_EQ(g_recordedOffsets[1] % 16, 0);
    EXPECT_EQ(g_recordedOffsets[2], g_recordedOffsets[1]) << "no lines while the cursor is off the arrow";
    EXPECT_EQ(pViewer->GetOffset(TRUE), g_recordedOffsets[2]);
    EXPECT_EQ(scene.context->GetCapturedElement(), nullptr);
}
