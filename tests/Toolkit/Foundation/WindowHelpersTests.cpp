// Window helpers, rectangle initialisers, the masked bitmap and the
// split-bar tracker, on real windows of the test thread.
#include "DibSurface.h"
#include "Foundation/AreaRect.h"
#include "Foundation/BufferDC.h"
#include "Foundation/MaskedBitmap.h"
#include "Foundation/SplitBarTracker.h"
#include "Foundation/WindowHelpers.h"

#include "Waiting.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{

const wchar_t kClassName[] = L"LorvaneDrawingTestWindow";

// Answers WM_GETTEXT with its own text, so a direct read can be told apart.
LRESULT CALLBACK TestWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_GETTEXT && wParam > 0)
    {
        lstrcpynW(reinterpret_cast<LPWSTR>(lParam), L"handler", static_cast<int>(wParam));
        return lstrlenW(reinterpret_cast<LPWSTR>(lParam));
    }
    if (nMessage == WM_PAINT)
    {
        PAINTSTRUCT ps{};
        const HDC hDC = ::BeginPaint(hWnd, &ps);
        ::FillRect(hDC, &ps.rcPaint, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::EndPaint(hWnd, &ps);
        ::SetPropW(hWnd, L"Painted", reinterpret_cast<HANDLE>(1));
        return 0;
    }
    return ::DefWindowProcW(hWnd, nMessage, wParam, lParam);
}

class TestWindow
{
public:
    TestWindow(DWORD dwStyle, DWORD dwExStyle, LPCWSTR lpszTitle, HWND hParent = nullptr,
               const RECT& rc = {100, 100, 300, 250})
    {
        static const ATOM atom = []
        {
            WNDCLASSW wc{};
            wc.lpfnWndProc = &TestWndProc;
            wc.hInstance = ::GetModuleHandleW(nullptr);
            wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
            wc.lpszClassName = kClassName;
            return ::RegisterClassW(&wc);
        }();
        (void)atom;
        m_hWnd = ::CreateWindowExW(dwExStyle, kClassName, lpszTitle, dwStyle, rc.left, rc.top, rc.right - rc.left,
                                   rc.bottom - rc.top, hParent, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    }
    ~TestWindow()
    {
        if (m_hWnd)
            ::DestroyWindow(m_hWnd);
    }
    operator HWND() const { return m_hWnd; }

    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

private:
    HWND m_hWnd = nullptr;
};

void DrainMessages()
{
    MSG msg{};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageW(&msg);
}

}  // namespace

TEST(WindowHelpersTest, MirrorArrowKeyOnlyForRightToLeftWindows)
{
    TestWindow ltr(WS_POPUP, 0, L"");
    TestWindow rtl(WS_POPUP, WS_EX_LAYOUTRTL, L"");
    ASSERT_TRUE(::IsWindow(ltr) && ::IsWindow(rtl));
    struct Case
    {
        const char* pszName;
        HWND hWnd;
        UINT nIn;
        UINT nOut;
    };
    const Case cases[] = {
        {"left in a right-to-left window", rtl, VK_LEFT, VK_RIGHT},
        {"right in a right-to-left window", rtl, VK_RIGHT, VK_LEFT},
        {"up is not mirrored", rtl, VK_UP, VK_UP},
        {"left-to-right window", ltr, VK_LEFT, VK_LEFT},
        {"no window", nullptr, VK_LEFT, VK_LEFT},
    };
    for (const Case& c : cases)
    {
        UINT nKey = c.nIn;
        LVKMirrorArrowKey(c.hWnd, nKey);
        EXPECT_EQ(c.nOut, nKey) << c.pszName;
    }
}

TEST(WindowHelpersTest, ScreenToWindowPointMirrorsForRightToLeft)
{
    TestWindow ltr(WS_POPUP, 0, L"", nullptr, {100, 100, 300, 250});
    TestWindow rtl(WS_POPUP, WS_EX_LAYOUTRTL, L"", nullptr, {100, 100, 300, 250});
    POINT pt = {130, 140};
    EXPECT_EQ(0, LVKScreenToWindowPoint(ltr, pt));
    EXPECT_EQ(30, pt.x);
    EXPECT_EQ(40, pt.y);
    pt = {130, 140};
    EXPECT_EQ(170, LVKScreenToWindowPoint(rtl, pt));
    EXPECT_EQ(170, pt.x);
    EXPECT_EQ(40, pt.y);
}

TEST(WindowHelpersTest, TextsAroundTheWindowsOwnHandlers)
{
    TestWindow frame(WS_OVERLAPPEDWINDOW, 0, L"Drive frame");
    TestWindow child(WS_CHILD, 0, L"", frame, {0, 0, 20, 20});
    CString str;
    LVKGetWindowTextDirect(frame, str);
    EXPECT_STREQ(L"Drive frame", str.GetString()) << "the handler's \"handler\" is bypassed";
    LVKGetWindowTextDirect(child, str);
    EXPECT_TRUE(str.IsEmpty());

    EXPECT_STREQ(L"Drive frame", LVKGetOwnerFrameTitle(child).GetString()) << "an empty child takes its frame's";
    EXPECT_STREQ(L"Drive frame", LVKGetOwnerFrameTitle(frame).GetString());
    EXPECT_TRUE(LVKGetOwnerFrameTitle(nullptr).IsEmpty());
}

TEST(WindowHelpersTest, AreaRectanglesAreEmptyWithoutAWindow)
{
    TestWindow wnd(WS_POPUP, 0, L"", nullptr, {10, 20, 110, 70});
    const CLVKClientAreaRect rcClient(static_cast<HWND>(wnd));
    EXPECT_EQ(CRect(0, 0, 100, 50), rcClient);
    const CLVKWindowAreaRect rcWindow(static_cast<HWND>(wnd));
    EXPECT_EQ(CRect(10, 20, 110, 70), rcWindow);
    EXPECT_TRUE(CLVKClientAreaRect(static_cast<HWND>(nullptr)).IsRectNull());
    EXPECT_TRUE(CLVKWindowAreaRect(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234))).IsRectNull());
    EXPECT_TRUE(CLVKNullRect().IsRectNull());
    EXPECT_EQ(CSize(0, 0), CLVKNullSize());
}

TEST(WindowHelpersTest, FlushPaintMessagesDispatchesPaintAndKeepsQuit)
{
    TestWindow wnd(WS_POPUP | WS_VISIBLE, 0, L"");
    DrainMessages();
    ::RemovePropW(wnd, L"Painted");
    ::InvalidateRect(wnd, nullptr, TRUE);
    EXPECT_TRUE(LVKFlushPaintMessages(wnd));
    EXPECT_NE(nullptr, ::GetPropW(wnd, L"Painted"));
    MSG msg{};
    EXPECT_FALSE(::PeekMessageW(&msg, wnd, WM_PAINT, WM_PAINT, PM_NOREMOVE)) << "nothing left to paint";
}

TEST(WindowHelpersTest, PopupMouseHookIsOnePerProcess)
{
    TestWindow first(WS_POPUP, 0, L"");
    TestWindow second(WS_POPUP, 0, L"");
    EXPECT_EQ(nullptr, LVKGetPopupMouseHook());
    LVKSetPopupMouseHook(first);
    const HHOOK hHook = LVKGetPopupMouseHook();
    EXPECT_NE(nullptr, hHook);
    LVKSetPopupMouseHook(second);
    EXPECT_EQ(hHook, LVKGetPopupMouseHook()) << "the watched window changes, the hook stays";
    LVKSetPopupMouseHook(nullptr);
    EXPECT_EQ(nullptr, LVKGetPopupMouseHook());
}

TEST(WindowHelpersTest, RegisterWindowClassWithArrowCursor)
{
    ASSERT_TRUE(LVKRegisterWindowClass(nullptr, L"LorvaneDrawingRegisteredClass", CS_DBLCLKS));
    WNDCLASSW wc{};
    ASSERT_TRUE(::GetClassInfoW(::GetModuleHandleW(nullptr), L"LorvaneDrawingRegisteredClass", &wc));
    EXPECT_EQ(static_cast<UINT>(CS_DBLCLKS), wc.style);
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_ARROW), wc.hCursor);
}

TEST(MaskedBitmapTest, MaskColourIsTheTopLeftPixelAndTheIconMasksIt)
{
    CLVKMaskedBitmap none;
    EXPECT_EQ(static_cast<COLORREF>(-1), none.GetMaskColor());
    EXPECT_EQ(nullptr, none.MakeIcon());

    DibSurface surface(16, 16, RGB(255, 0, 255));
    surface.GetDC()->FillSolidRect(4, 4, 8, 8, RGB(0, 128, 0));
    // The DIB must leave the surface's DC before others select it.
    const HBITMAP hBitmap = static_cast<HBITMAP>(::CopyImage(surface.GetBitmap(), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(nullptr, hBitmap);
    CLVKMaskedBitmap masked(hBitmap);
    EXPECT_EQ(RGB(255, 0, 255), masked.GetMaskColor());

    const HICON hIcon = masked.MakeIcon();
    ASSERT_NE(nullptr, hIcon);
    DibSurface target(16, 16, RGB(10, 20, 30));
    ::DrawIconEx(target.GetHdc(), 0, 0, hIcon, 16, 16, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(RGB(10, 20, 30), target.Pixel(1, 1)) << "the mask colour is transparent";
    EXPECT_EQ(RGB(0, 128, 0), target.Pixel(8, 8));
    ::DestroyIcon(hIcon);
    EXPECT_EQ(RGB(255, 0, 255), masked.GetMaskColor()) << "the caller's bitmap is unchanged";
    ::DeleteObject(hBitmap);
}

TEST(SplitBarTrackerTest, ReleasingTheButtonAcceptsTheNewPlace)
{
    TestWindow wnd(WS_POPUP | WS_VISIBLE, 0, L"", nullptr, {100, 100, 400, 300});
    DrainMessages();
    CLVKSplitBarTracker tracker(TRUE, FALSE);
    RECT rcTracker = {200, 100, 204, 300};
    const RECT rcBounds = {120, 100, 380, 300};
    // Mouse at client x 150 (screen 250), 50 to the right of the start.
    ::PostMessageW(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(150, 20));
    ::PostMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(150, 20));
    EXPECT_TRUE(tracker.Track(wnd, rcBounds, rcTracker, {200, 120}, TRUE));
    EXPECT_EQ(250, rcTracker.left);
    EXPECT_EQ(254, rcTracker.right);
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST(SplitBarTrackerTest, MovesAreClampedToTheBounds)
{
    TestWindow wnd(WS_POPUP | WS_VISIBLE, 0, L"", nullptr, {100, 100, 400, 300});
    DrainMessages();
    CLVKSplitBarTracker tracker(TRUE, FALSE);
    RECT rcTracker = {100, 200, 400, 204};
    const RECT rcBounds = {100, 150, 400, 260};
    ::PostMessageW(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(10, 190));
    ::PostMessageW(wnd, WM_LBUTTONUP, 0, 0);
    EXPECT_TRUE(tracker.Track(wnd, rcBounds, rcTracker, {150, 200}, FALSE));
    EXPECT_EQ(260, rcTracker.top) << "290 is clamped to the bounds' bottom";
}

TEST(SplitBarTrackerTest, EscapeCancelsAndLeavesTheWindowAsItWas)
{
    TestWindow wnd(WS_POPUP | WS_VISIBLE, 0, L"", nullptr, {100, 100, 400, 300});
    ::UpdateWindow(wnd);
    DrainMessages();
    const HDC hDC = ::GetDC(wnd);
    const COLORREF clrBefore = ::GetPixel(hDC, 101, 50);
    ASSERT_NE(CLR_INVALID, clrBefore);
    CLVKSplitBarTracker tracker(TRUE, FALSE);
    RECT rcTracker = {200, 100, 204, 300};
    const RECT rcStart = rcTracker;
    ::PostMessageW(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(120, 20));
    ::PostMessageW(wnd, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(tracker.Track(wnd, {120, 100, 380, 300}, rcTracker, {200, 120}, TRUE));
    EXPECT_EQ(clrBefore, ::GetPixel(hDC, 101, 50)) << "each drawing was inverted back";
    EXPECT_EQ(clrBefore, ::GetPixel(hDC, 121, 50));
    EXPECT_NE(rcStart.left, rcTracker.left) << "the rectangle shows the last place";
    ::ReleaseDC(wnd, hDC);
}

TEST(BufferDCPaintTest, CoversTheWindowToThePaintRectanglesFarCornerAndClipsToIt)
{
    TestWindow wnd(WS_POPUP | WS_VISIBLE, 0, L"", nullptr, {100, 100, 300, 250});
    ::UpdateWindow(wnd);
    DrainMessages();
    const RECT rcInvalid = {10, 10, 50, 40};
    ::InvalidateRect(wnd, &rcInvalid, FALSE);
    {
        CPaintDC paintDC(CWnd::FromHandle(wnd));
        CLVKBufferDC buffer(paintDC);
        ASSERT_NE(nullptr, buffer.GetSafeHdc());
        BITMAP bm{};
        ::GetObjectW(buffer.GetBitmap(), sizeof(bm), &bm);
        EXPECT_EQ(50, bm.bmWidth);
        EXPECT_EQ(40, bm.bmHeight);
        CRect rcClip;
        buffer.GetClipBox(&rcClip);
        EXPECT_EQ(CRect(10, 10, 50, 40), rcClip);
        buffer.FillSolidRect(0, 0, 50, 40, RGB(0, 0, 200));
    }
    const HDC hDC = ::GetDC(wnd);
    EXPECT_EQ(RGB(0, 0, 200), ::GetPixel(hDC, 20, 20));
    EXPECT_EQ(RGB(255, 255, 255), ::GetPixel(hDC, 5, 5)) << "outside the paint rectangle";
    ::ReleaseDC(wnd, hDC);
}

TEST(BufferDCPaintTest, EmptyPaintRectangleAtTheOriginStillGetsAOnePixelBitmap)
{
    TestWindow wnd(WS_POPUP | WS_VISIBLE, 0, L"", nullptr, {100, 100, 300, 250});
    ::UpdateWindow(wnd);
    DrainMessages();
    CPaintDC paintDC(CWnd::FromHandle(wnd));
    ASSERT_TRUE(::IsRectEmpty(&paintDC.m_ps.rcPaint));
    CLVKBufferDC buffer(paintDC);
    BITMAP bm{};
    ASSERT_TRUE(::GetObjectW(buffer.GetBitmap(), sizeof(bm), &bm));
    EXPECT_EQ(1, bm.bmWidth);
    EXPECT_EQ(1, bm.bmHeight);
}

TEST(SplitBarTrackerTest, OnTheDesktopATranslucentWindowIsUsedAndRemoved)
{
    TestWindow wnd(WS_POPUP | WS_VISIBLE, 0, L"", nullptr, {100, 100, 400, 300});
    DrainMessages();
    CLVKSplitBarTracker tracker;
    RECT rcTracker = {200, 100, 204, 300};
    ::PostMessageW(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(130, 20));
    ::PostMessageW(wnd, WM_LBUTTONUP, 0, 0);
    EXPECT_TRUE(tracker.Track(wnd, {120, 100, 380, 300}, rcTracker, {200, 120}, TRUE));
    EXPECT_EQ(230, rcTracker.left);
    EXPECT_EQ(nullptr, ::FindWindowW(L"LVKSplitBarTrackerLayered", nullptr)) << "the layered window is destroyed";
}

TEST(PopupMouseHookTest, ClickOutsideTheWatchedWindowIsSwallowedAndFocusesTheOwner)
{
    TestWindow owner(WS_POPUP | WS_VISIBLE, 0, L"", nullptr, {0, 0, 600, 500});
    TestWindow popup(WS_POPUP | WS_VISIBLE, 0, L"", owner, {100, 100, 200, 200});
    ::SetForegroundWindow(owner);
    ::SetFocus(popup);
    DrainMessages();

    struct Recorder
    {
        static LRESULT CALLBACK Proc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
        {
            if (nMessage == WM_LBUTTONDOWN)
                ::SetPropW(hWnd, L"Clicked", reinterpret_cast<HANDLE>(1));
            return TestWndProc(hWnd, nMessage, wParam, lParam);
        }
    };
    ::SetWindowLongPtrW(owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Recorder::Proc));

    // Clicks and handles messages until the click has had its effect.
    const auto click = [](const std::function<bool()>& handled)
    {
        ::SetCursorPos(400, 400);
        INPUT inputs[2]{};
        inputs[0].type = INPUT_MOUSE;
        inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        inputs[1].type = INPUT_MOUSE;
        inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        ::SendInput(2, inputs, sizeof(INPUT));
        EXPECT_TRUE(WaitUntil(
            [&]
            {
                DrainMessages();
                return handled();
            }));
    };
    const auto clicked = [&] { return ::GetPropW(owner, L"Clicked") != nullptr; };
    // Without the hook the click reaches the owner: the input really arrives.
    click(clicked);
    ASSERT_TRUE(clicked());
    ::RemovePropW(owner, L"Clicked");
    ::SetFocus(popup);

    // With it, the click either focuses the owner (swallowed) or reaches it.
    LVKSetPopupMouseHook(popup);
    click([&] { return clicked() || ::GetFocus() == static_cast<HWND>(owner); });
    DrainMessages();
    LVKSetPopupMouseHook(nullptr);
    ::SetWindowLongPtrW(owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TestWndProc));

    EXPECT_EQ(nullptr, ::GetPropW(owner, L"Clicked")) << "the click outside is swallowed";
    EXPECT_EQ(static_cast<HWND>(owner), ::GetFocus());
}

TEST(WindowHelpersTest, TopLevelActiveFollowsTheForegroundWindow)
{
    TestWindow first(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, L"First");
    TestWindow child(WS_CHILD | WS_VISIBLE, 0, L"", first, {0, 0, 20, 20});
    TestWindow second(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, L"Second");
    ::SetForegroundWindow(first);
    DrainMessages();
    ASSERT_EQ(static_cast<HWND>(first), ::GetForegroundWindow());
    EXPECT_TRUE(LVKIsTopLevelActive(first));
    EXPECT_TRUE(LVKIsTopLevelActive(child)) << "a child climbs to its top-level window";
    EXPECT_FALSE(LVKIsTopLevelActive(second));
    EXPECT_FALSE(LVKIsTopLevelActive(nullptr));
}
