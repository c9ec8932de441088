// Frame shadows: geometry of the examples, attach/detach and the session
// listener, following the owner, the painted pixels (read from the bitmap the
// shadow hands to UpdateLayeredWindow, since layered windows cannot be read
// back from the screen under Wine), and resizing the owner by dragging the
// shadow, with WM_QUIT kept.
#include "Foundation/FrameShadow.h"

#include "MessagePump.h"
#include "MouseInput.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>

namespace
{

TEST(FrameShadowGeometry, CornerExtentsAndAreas)
{
    struct Case
    {
        const char* name;
        int ownerWidth, ownerHeight, size, inner;
        int cornerX, cornerY;
    };
    const Case cases[] = {
        {"100 by 100 owner, size 7, inner 7", 100, 100, 7, 7, 14, 14},
        {"inner size cut to half the owner's width", 20, 100, 7, 30, 17, 37},
        {"no inner size", 50, 50, 4, 0, 4, 4},
    };
    for (const Case& c : cases)
    {
        const int cx = c.ownerWidth + 2 * c.size;
        const int cy = c.ownerHeight + 2 * c.size;
        const CLVKFrameShadow::Geometry g = CLVKFrameShadow::BuildGeometry(cx, cy, c.size, c.inner);
        EXPECT_EQ(c.cornerX, g.nCornerX) << c.name;
        EXPECT_EQ(c.cornerY, g.nCornerY) << c.name;
        EXPECT_EQ(cy - 2 * c.cornerY, g.rcLeft.bottom - g.rcLeft.top) << c.name;
        EXPECT_EQ(cx - c.cornerX, g.rcRight.left) << c.name;
        EXPECT_EQ(cy - c.cornerY, g.rcBottom.top) << c.name;
    }
}

class FrameShadows : public ::testing::Test
{
protected:
    void SetUp() override
    {
        manager->SetSize(7);
        manager->SetInnerSize(7);
        manager->SetOffset(0, 1);
        manager->SetTransparency(80);
        owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_THICKFRAME | WS_VISIBLE, 200, 200, 100, 100,
                                nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, owner);
    }
    void TearDown() override
    {
        if (IsWindow(owner))
            DestroyWindow(owner);
        EXPECT_EQ(0, manager->GetShadowCount());
        EXPECT_FALSE(manager->IsSessionListenerRegistered()) << "no shadow left, no session notifications";
    }

    CLVKFrameShadowManager* manager = CLVKFrameShadowManager::GetGlobal();
    HWND owner = nullptr;
};

TEST_F(FrameShadows, AttachPlacesTheShadowAroundItsOwner)
{
    CLVKFrameShadow* pShadow = manager->AttachShadow(owner);
    ASSERT_NE(nullptr, pShadow);
    EXPECT_EQ(pShadow, manager->AttachShadow(owner)) << "attaching twice gives the same shadow";
    EXPECT_EQ(pShadow, manager->Find(owner));
    EXPECT_TRUE(pShadow->IsShown());
    RECT rc{};
    ::GetWindowRect(pShadow->GetSafeHwnd(), &rc);
    const RECT expected{193, 194, 307, 308};  // 114 by 114 at (left - 7, top - 6)
    EXPECT_TRUE(EqualRect(&expected, &rc)) << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;
    EXPECT_EQ(0, ::GetWindowLongW(pShadow->GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_TRANSPARENT)
        << "a resizable owner's shadow takes the mouse";

    // Following the owner: moved, hidden, destroyed.
    ::SetWindowPos(owner, nullptr, 300, 250, 100, 100, SWP_NOZORDER | SWP_NOACTIVATE);
    ::GetWindowRect(pShadow->GetSafeHwnd(), &rc);
    EXPECT_EQ(293, rc.left);
    EXPECT_EQ(244, rc.top);
    ::ShowWindow(owner, SW_HIDE);
    EXPECT_FALSE(::IsWindowVisible(pShadow->GetSafeHwnd()));
    ::ShowWindow(owner, SW_SHOWNA);
    EXPECT_TRUE(::IsWindowVisible(pShadow->GetSafeHwnd()));
    DestroyWindow(owner);
    EXPECT_EQ(nullptr, manager->Find(owner));
}

TEST_F(FrameShadows, PaintsAGradientOutsideItsOwnerIntoATransparentBitmap)
{
    CLVKFrameShadow* pShadow = manager->AttachShadow(owner, RGB(0, 0, 0));
    ASSERT_NE(nullptr, pShadow);
    const HBITMAP hBitmap = pShadow->RenderBitmap();
    ASSERT_NE(nullptr, hBitmap);
    DIBSECTION dib{};
    ASSERT_EQ(static_cast<int>(sizeof(dib)), GetObjectW(hBitmap, sizeof(dib), &dib));
    ASSERT_EQ(114, dib.dsBm.bmWidth);
    const auto* pBits = static_cast<const DWORD*>(dib.dsBm.bmBits);
    auto alpha = [&](int x, int y) { return static_cast<int>(pBits[y * 114 + x] >> 24); };
    EXPECT_EQ(0, alpha(57, 57)) << "the owner's area stays transparent";
    EXPECT_GT(alpha(6, 57), alpha(1, 57)) << "the left edge fades outward";
    EXPECT_GT(alpha(6, 57), 64);
    EXPECT_LT(alpha(0, 57), 40);
    EXPECT_GT(alpha(57, 110), alpha(57, 113)) << "the bottom edge fades outward";
    DeleteObject(hBitmap);
    manager->DetachShadow(owner);
}

TEST_F(FrameShadows, NotResizableOwnerGetsAMouseTransparentShadow)
{
    const HWND hFixed = CreateWindowExW(0, L"STATIC", L"fixed", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, nullptr, nullptr,
                                        nullptr, nullptr);
    CLVKFrameShadow* pShadow = manager->AttachShadow(hFixed);
    ASSERT_NE(nullptr, pShadow);
    EXPECT_TRUE(::GetWindowLongW(pShadow->GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    DestroyWindow(hFixed);
    EXPECT_EQ(nullptr, manager->Find(hFixed));
}

TEST_F(FrameShadows, MinimisedOwnerHidesItsShadowUntilRestored)
{
    const HWND hFramed = CreateWindowExW(0, L"STATIC", L"framed", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 300, 120, 90,
                                         nullptr, nullptr, nullptr, nullptr);
    CLVKFrameShadow* pShadow = manager->AttachShadow(hFramed);
    ASSERT_NE(nullptr, pShadow);
    EXPECT_TRUE(::IsWindowVisible(pShadow->GetSafeHwnd()));
    ::ShowWindow(hFramed, SW_MINIMIZE);
    EXPECT_TRUE(PumpMessagesUntil([&] { return !::IsWindowVisible(pShadow->GetSafeHwnd()); }))
        << "a minimised owner hides its shadow";
    ::ShowWindow(hFramed, SW_RESTORE);
    EXPECT_TRUE(PumpMessagesUntil([&] { return ::IsWindowVisible(pShadow->GetSafeHwnd()) != FALSE; }))
        << "the shadow comes back after the restore";
    DestroyWindow(hFramed);
}

// The window that has the capture of the thread (null: none).
HWND CaptureOf(DWORD dwThreadId)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return ::GetGUIThreadInfo(dwThreadId, &info) ? info.hwndCapture : nullptr;
}

// Starts a drag on the shadow at the grab point (the cursor's place); a second
// thread sends the captured owner a move to the target while the drag's loop
// runs, then ends the drag with the given message.
void DragShadow(CLVKFrameShadow* pShadow, HWND hOwner, POINT ptGrab, POINT ptTo, UINT nEndMessage,
                const std::function<bool(const RECT&)>& reached)
{
    MoveCursorAndWait(ptGrab);
    // The motion the warp caused reaches this thread as input, ahead of a
    // timer's message: handled once a timer set now has fired.
    PumpMessagesPastTimer(150);
    const DWORD dwThreadId = GetCurrentThreadId();
    std::thread mover(
        [=]
        {
            // The drag's loop runs once the owner has the capture.
            WaitUntil([&] { return CaptureOf(dwThreadId) == hOwner; });
            // A move as the captured owner gets it, in its client coordinates;
            // the real cursor goes there too, so the late motion events of
            // the warps under Xvfb end at the target as well.
            MoveCursorAndWait(ptTo);
            POINT ptClient = ptTo;
            ScreenToClient(hOwner, &ptClient);
            // The move is sent again until the owner has stayed as the test
            // expects for a while: a late motion event of the warp to the
            // grab point may still undo it, and a busy machine handles
            // messages late.
            int nSteady = 0;
            WaitUntil(
                [&]
                {
                    RECT rcNow{};
                    GetWindowRect(hOwner, &rcNow);
                    if (reached(rcNow))
                    {
                        if (++nSteady >= 3)
                            return true;
                    }
                    else
                    {
                        nSteady = 0;
                        PostMessageW(hOwner, WM_MOUSEMOVE, 0, MAKELPARAM(ptClient.x, ptClient.y));
                    }
                    Sleep(100);
                    return false;
                });
            if (nEndMessage == WM_QUIT)
                PostThreadMessageW(dwThreadId, WM_QUIT, 7, 0);
            else
                PostMessageW(hOwner, nEndMessage, 0, 0);
        });
    ::SendMessageW(pShadow->GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    mover.join();
}

TEST_F(FrameShadows, DraggingTheShadowResizesItsOwnerAndKeepsWmQuit)
{
    // Wider than its minimum tracking size, so a move at the grab point
    // changes nothing.
    ::SetWindowPos(owner, nullptr, 200, 200, 200, 100, SWP_NOZORDER | SWP_NOACTIVATE);
    CLVKFrameShadow* pShadow = manager->AttachShadow(owner);
    ASSERT_NE(nullptr, pShadow);
    EXPECT_EQ(3, pShadow->HitTestBorder(POINT{403, 250})) << "the right edge's shadow";
    EXPECT_EQ(0, pShadow->HitTestBorder(POINT{250, 250})) << "inside the owner";
    EXPECT_EQ(8, pShadow->HitTestBorder(POINT{195, 196}));
    EXPECT_EQ(5, pShadow->HitTestBorder(POINT{250, 304}));
    MINMAXINFO mmi{};
    ::SendMessageW(owner, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    const int nMinWidth = mmi.ptMinTrackSize.x ? mmi.ptMinTrackSize.x : GetSystemMetrics(SM_CXMIN);
    ASSERT_LT(nMinWidth, 200);

    DragShadow(pShadow, owner, POINT{403, 250}, POINT{443, 250}, WM_QUIT,
               [](const RECT& rc) { return rc.right - rc.left == 240; });
    RECT rc{};
    ::GetWindowRect(owner, &rc);
    EXPECT_EQ(240, rc.right - rc.left) << "the owner followed the drag";
    EXPECT_EQ(100, rc.bottom - rc.top);
    MSG quit{};
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "WM_QUIT survives the drag";
    EXPECT_EQ(7u, quit.wParam);

    // Dragged far to the left, the owner stops at its minimum tracking size.
    DragShadow(pShadow, owner, POINT{443, 250}, POINT{0, 250}, WM_LBUTTONUP,
               [&](const RECT& rc) { return rc.right - rc.left == nMinWidth; });
    ::GetWindowRect(owner, &rc);
    EXPECT_EQ(200, rc.left);
    EXPECT_EQ(nMinWidth, rc.right - rc.left);
}

}  // namespace
