// The per-thread mouse and keyboard managers of open menus. Wine calls the
// thread hooks for hardware input only, so the tests call the hook
// procedures directly with the records a real hook would get.
#include "Framework.h"

#include "CommandBars/CommandBar.h"
#include "CommandBars/KeyboardManager.h"
#include "CommandBars/MouseManager.h"
#include "Foundation/HookManagerHookAble.h"
#include "MessagePump.h"
#include "MouseInput.h"
#include "SendInputSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{

// A bar placed on the screen that records how the manager treats it and
// leaves the tracked list when it ends tracking, as a real bar does.
class CTrackedBar : public CLVKCommandBar
{
public:
    explicit CTrackedBar(const CRect& rcScreen)
    {
        CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), L"Menu", WS_POPUP | WS_VISIBLE, rcScreen, nullptr, 0);
    }
    void EndTracking() override
    {
        m_nEnded++;
        CLVKMouseManager::GetThreadManager()->RemoveTrackedBar(this);
    }
    void ClearSelection() override { m_nCleared++; }
    BOOL IsPointInBar(CPoint ptScreen) const override
    {
        if (m_nPointAnswer != 0)
            return m_nPointAnswer;
        CRect rc;
        GetWindowRect(&rc);
        return rc.PtInRect(ptScreen);
    }
    int m_nEnded = 0;
    int m_nCleared = 0;
    int m_nPointAnswer = 0;  // 0: by the window rectangle
};

class MouseManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pManager = CLVKMouseManager::GetThreadManager();
        m_pManager->CloseTrackedBars();
        m_pManager->m_nLock = 0;
        m_pManager->m_bIgnoreButtonUp = FALSE;
        m_pManager->m_pHotBar = nullptr;
        m_pOuter = new CTrackedBar(CRect(100, 100, 200, 130));
        m_pInner = new CTrackedBar(CRect(150, 130, 260, 230));
    }
    void TearDown() override
    {
        m_pManager->CloseTrackedBars();
        m_pManager->m_pHotBar = nullptr;
        m_pOuter->InternalRelease();
        m_pInner->InternalRelease();
    }
    void TrackBoth()
    {
        m_pManager->AddTrackedBar(m_pOuter);
        m_pManager->AddTrackedBar(m_pInner);
    }
    LRESULT Hook(UINT nMessage, CPoint pt)
    {
        MOUSEHOOKSTRUCT info{};
        info.pt = pt;
        return CLVKMouseManager::MouseHookProc(HC_ACTION, nMessage, reinterpret_cast<LPARAM>(&info));
    }

    CLVKMouseManager* m_pManager = nullptr;
    CTrackedBar* m_pOuter = nullptr;
    CTrackedBar* m_pInner = nullptr;
    const CPoint m_ptOutside{600, 500};
};

TEST_F(MouseManagerTest, PressesOutsideCloseEveryLevelAndOtherMessagesDoNot)
{
    struct Case
    {
        const char* name;
        UINT nMessage;
        BOOL bCloses;
    };
    const Case cases[] = {
        {"left press", WM_LBUTTONDOWN, TRUE},
        {"right press", WM_RBUTTONDOWN, TRUE},
        {"middle press", WM_MBUTTONDOWN, TRUE},
        {"non-client left press", WM_NCLBUTTONDOWN, TRUE},
        {"non-client right press", WM_NCRBUTTONDOWN, TRUE},
        {"left release", WM_LBUTTONUP, TRUE},
        {"double click", WM_LBUTTONDBLCLK, FALSE},
        {"right release", WM_RBUTTONUP, FALSE},
        {"wheel", WM_MOUSEWHEEL, FALSE},
        {"move", WM_MOUSEMOVE, FALSE},
    };
    for (const Case& c : cases)
    {
        TrackBoth();
        m_pOuter->m_nEnded = m_pInner->m_nEnded = 0;
        EXPECT_EQ(0, Hook(c.nMessage, m_ptOutside)) << c.name;
        EXPECT_EQ(c.bCloses ? 1 : 0, m_pOuter->m_nEnded) << c.name;
        EXPECT_EQ(c.bCloses ? 1 : 0, m_pInner->m_nEnded) << c.name;
        EXPECT_EQ(c.bCloses ? 0u : 2u, m_pManager->GetTrackedBars().size()) << c.name;
        m_pManager->CloseTrackedBars();
    }
}

TEST_F(MouseManagerTest, PressesInsideABarTrustedOrSkippedKeepTheMenusOpen)
{
    TrackBoth();
    Hook(WM_LBUTTONDOWN, CPoint(120, 110));
    EXPECT_EQ(2u, m_pManager->GetTrackedBars().size()) << "inside the outer level";

    CWnd trusted;
    trusted.CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), L"List", WS_POPUP | WS_VISIBLE,
                     CRect(500, 400, 700, 600), nullptr, 0);
    m_pManager->AddTrustedWindow(trusted.GetSafeHwnd());
    Hook(WM_LBUTTONDOWN, m_ptOutside);
    EXPECT_EQ(2u, m_pManager->GetTrackedBars().size()) << "inside a visible trusted window";
    trusted.ShowWindow(SW_HIDE);
    Hook(WM_LBUTTONDOWN, m_ptOutside);
    EXPECT_EQ(0u, m_pManager->GetTrackedBars().size()) << "a hidden trusted window does not count";
    m_pManager->RemoveTrustedWindow(trusted.GetSafeHwnd());
    EXPECT_TRUE(m_pManager->GetTrustedWindows().empty());
    trusted.DestroyWindow();

    // A bar that answers "skip" is passed over; inside the next one counts.
    TrackBoth();
    m_pInner->m_nPointAnswer = -2;
    Hook(WM_LBUTTONDOWN, CPoint(170, 150));
    EXPECT_EQ(0u, m_pManager->GetTrackedBars().size()) << "the skipped bar does not hold the click";
}

TEST_F(MouseManagerTest, TheButtonUpOfTheOpeningClickIsSwallowedOnce)
{
    m_pManager->m_bIgnoreButtonUp = TRUE;
    EXPECT_EQ(1, Hook(WM_LBUTTONUP, m_ptOutside));
    EXPECT_EQ(0, Hook(WM_LBUTTONUP, m_ptOutside));
    m_pManager->m_bIgnoreButtonUp = TRUE;
    EXPECT_EQ(1, Hook(WM_NCLBUTTONUP, m_ptOutside));
    m_pManager->m_bIgnoreButtonUp = TRUE;
    Hook(WM_RBUTTONDOWN, m_ptOutside);
    EXPECT_EQ(0, Hook(WM_LBUTTONUP, m_ptOutside)) << "a new press clears the state";

    TrackBoth();
    m_pManager->m_bIgnoreButtonUp = TRUE;
    m_pManager->RemoveTrackedBar(m_pInner);
    EXPECT_FALSE(m_pManager->m_bIgnoreButtonUp) << "a bar leaving tracking clears it";
}

TEST_F(MouseManagerTest, AReleaseOutsideIsHeldByTheLock)
{
    TrackBoth();
    m_pManager->m_nLock = 1;
    Hook(WM_LBUTTONUP, m_ptOutside);
    EXPECT_EQ(2u, m_pManager->GetTrackedBars().size());
    Hook(WM_LBUTTONDOWN, m_ptOutside);
    EXPECT_EQ(0u, m_pManager->GetTrackedBars().size()) << "a press still closes";
    m_pManager->m_nLock = 0;
}

TEST_F(MouseManagerTest, APressOnALockedOuterLevelClosesOnlyTheUnlockedLevels)
{
    TrackBoth();
    m_pManager->LockTrackedBars(TRUE);
    EXPECT_EQ(1, m_pOuter->GetInputLock());
    EXPECT_EQ(1, m_pInner->GetInputLock());
    CTrackedBar* pNested = new CTrackedBar(CRect(300, 300, 400, 400));
    m_pManager->AddTrackedBar(pNested);
    EXPECT_TRUE(m_pManager->IsTrackingOtherBar(m_pOuter)) << "a locked bar belongs to another level";
    EXPECT_FALSE(m_pManager->IsTrackingOtherBar(pNested));

    Hook(WM_LBUTTONDOWN, CPoint(120, 110));
    EXPECT_EQ(1, pNested->m_nEnded);
    EXPECT_EQ(0, m_pOuter->m_nEnded);
    EXPECT_EQ(2u, m_pManager->GetTrackedBars().size());
    EXPECT_EQ(CPoint(0, 0), m_pManager->GetLastPosition());

    m_pManager->LockTrackedBars(FALSE);
    EXPECT_EQ(0, m_pOuter->GetInputLock());
    pNested->InternalRelease();
}

TEST_F(MouseManagerTest, TrackingStartsByClearingTheHotBarAndCountsEachBarOnce)
{
    m_pManager->m_pHotBar = m_pOuter;
    m_pManager->AddTrackedBar(m_pInner);
    EXPECT_EQ(1, m_pOuter->m_nCleared);
    m_pManager->AddTrackedBar(m_pInner);
    m_pManager->AddTrackedBar(m_pOuter);
    EXPECT_EQ(1, m_pOuter->m_nCleared) << "only the first bar clears the hot bar";
    EXPECT_EQ(2u, m_pManager->GetTrackedBars().size());

    EXPECT_TRUE(m_pManager->IsTrackingOtherBar(nullptr));
    CTrackedBar* pStranger = new CTrackedBar(CRect(0, 0, 10, 10));
    EXPECT_TRUE(m_pManager->IsTrackingOtherBar(pStranger));
    EXPECT_FALSE(m_pManager->IsTrackingOtherBar(m_pInner));
    m_pManager->CloseTrackedBars();
    EXPECT_FALSE(m_pManager->IsTrackingOtherBar(pStranger));
    EXPECT_EQ(CPoint(-1, -1), m_pManager->GetLastPosition()) << "the last bar leaving refreshes the position";
    pStranger->InternalRelease();
}

TEST_F(MouseManagerTest, BarsAreFoundAtAPointNewestFirst)
{
    TrackBoth();
    EXPECT_EQ(m_pInner, m_pManager->FindTrackedBarAt(CPoint(170, 150)));
    EXPECT_EQ(m_pOuter, m_pManager->FindTrackedBarAt(CPoint(120, 110)));
    EXPECT_EQ(nullptr, m_pManager->FindTrackedBarAt(m_ptOutside));

    MSG msg{};
    msg.message = WM_MOUSEMOVE;
    EXPECT_FALSE(m_pManager->PreviewTrackingLoopMessage(m_pInner, msg));
    msg.message = WM_LBUTTONDOWN;
    MoveCursorAndWait(m_ptOutside);
    EXPECT_TRUE(m_pManager->PreviewTrackingLoopMessage(m_pInner, msg));
    MoveCursorAndWait(POINT{170, 150});
    EXPECT_FALSE(m_pManager->PreviewTrackingLoopMessage(m_pInner, msg));
}

// Handles the thread's messages until the input sent before has been: input
// comes ahead of a timer's message, so once a timer set now has fired.
void PumpPastTheInput()
{
    PumpMessagesPastTimer(200);
}

TEST_F(MouseManagerTest, ARealClickOnAnotherWindowOfTheThreadClosesTheMenus)
{
    // The thread hook sees the clicks that reach this thread's windows.
    CWnd site;
    site.CreateEx(0, AfxRegisterWndClass(0), L"Site", WS_POPUP | WS_VISIBLE, CRect(0, 300, 800, 600), nullptr, 0);
    site.SetForegroundWindow();
    // A new window reaches the screen a little later: click only once it is
    // the window under the point, or the click lands on the desktop.
    ASSERT_TRUE(PumpMessagesUntil([&]() { return ::WindowFromPoint(m_ptOutside) == site.GetSafeHwnd(); }));
    TrackBoth();
    SendLeftClick(m_ptOutside);
    PumpMessagesUntil([&]() { return m_pManager->GetTrackedBars().empty(); });
    EXPECT_EQ(1, m_pOuter->m_nEnded);
    EXPECT_EQ(1, m_pInner->m_nEnded);
    EXPECT_TRUE(m_pManager->GetTrackedBars().empty());
    site.DestroyWindow();
}

// Records the WM_MOUSELEAVE messages a window gets.
class CLeaveWindow : public CWnd
{
public:
    int m_nLeaves = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_MOUSELEAVE)
            m_nLeaves++;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST(MouseLeaveTracking, MovingToAnotherWindowTellsTheFirstAtOnceAndAVanishedWindowEndsItsTimer)
{
    CLVKMouseManager* pManager = CLVKMouseManager::GetThreadManager();
    CLeaveWindow first;
    CLeaveWindow second;
    first.CreateEx(0, AfxRegisterWndClass(0), L"A", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0);
    second.CreateEx(0, AfxRegisterWndClass(0), L"B", WS_POPUP, CRect(20, 0, 30, 10), nullptr, 0);
    pManager->TrackMouseLeave(first.GetSafeHwnd());
    pManager->TrackMouseLeave(first.GetSafeHwnd());
    EXPECT_EQ(0, first.m_nLeaves);
    pManager->TrackMouseLeave(second.GetSafeHwnd());
    EXPECT_EQ(1, first.m_nLeaves);
    EXPECT_EQ(second.GetSafeHwnd(), pManager->GetLeaveWindow());

    // The pointer is away from the window: the timer posts the leave.
    ::SetCursorPos(500, 500);
    CLVKMouseManager::MouseLeaveTimerProc(second.GetSafeHwnd(), WM_TIMER, CLVKMouseManager::kLeaveTimerId, 0);
    EXPECT_EQ(nullptr, pManager->GetLeaveWindow());
    MSG msg{};
    while (::PeekMessageW(&msg, second.GetSafeHwnd(), 0, 0, PM_REMOVE))
        ::DispatchMessageW(&msg);
    EXPECT_EQ(1, second.m_nLeaves);

    pManager->TrackMouseLeave(first.GetSafeHwnd());
    const HWND hFirst = first.GetSafeHwnd();
    first.DestroyWindow();
    CLVKMouseManager::MouseLeaveTimerProc(hFirst, WM_TIMER, CLVKMouseManager::kLeaveTimerId, 0);
    EXPECT_EQ(nullptr, pManager->GetLeaveWindow());
    second.DestroyWindow();
}

// ---- the keyboard manager -------------------------------------------------------------

// A hook target that answers a fixed value and records what it was asked.
class CKeyTarget : public CLVKHookManagerHookAble
{
public:
    explicit CKeyTarget(int nAnswer, std::vector<CKeyTarget*>* pOrder = nullptr) : m_nAnswer(nAnswer), m_pOrder(pOrder)
    {
    }
    int HandleHookedMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM&, LRESULT& lResult) override
    {
        m_arrKeys.push_back(wParam);
        m_nMessage = nMessage;
        m_bNullWindow = hWnd == nullptr;
        EXPECT_EQ(0, lResult);
        if (m_pOrder)
            m_pOrder->push_back(this);
        return m_nAnswer;
    }
    int m_nAnswer;
    std::vector<CKeyTarget*>* m_pOrder;
    std::vector<WPARAM> m_arrKeys;
    UINT m_nMessage = 0;
    BOOL m_bNullWindow = FALSE;
};

class KeyboardManagerTest : public ::testing::Test
{
protected:
    void SetUp() override { m_pManager = CLVKKeyboardManager::GetThreadManager(); }
    void TearDown() override
    {
        for (CKeyTarget* pTarget : m_registered)
            m_pManager->UnhookKeyboard(pTarget);
    }
    void Register(CKeyTarget* pTarget)
    {
        m_pManager->HookKeyboard(pTarget);
        m_registered.push_back(pTarget);
    }
    static LRESULT KeyDown(WPARAM vk, LPARAM lExtra = 0)
    {
        return CLVKKeyboardManager::KeyboardHookProc(HC_ACTION, vk, 1 | lExtra);
    }

    CLVKKeyboardManager* m_pManager = nullptr;
    std::vector<CKeyTarget*> m_registered;
};

TEST_F(KeyboardManagerTest, TargetsRegisterOnceAndTheHooksFollowThem)
{
    CKeyTarget first(0);
    CKeyTarget second(0);
    EXPECT_FALSE(m_pManager->IsHooked());
    Register(&first);
    EXPECT_TRUE(m_pManager->IsHooked());
    Register(&first);
    Register(&second);
    EXPECT_EQ(2, m_pManager->GetTargetCount());
    m_pManager->UnhookKeyboard(&first);
    EXPECT_TRUE(m_pManager->IsHooked());
    m_pManager->UnhookKeyboard(&second);
    EXPECT_FALSE(m_pManager->IsHooked());
    m_registered.clear();
}

TEST_F(KeyboardManagerTest, KeysGoToTheNewestTargetFirstAndTheFirstAnswerDecides)
{
    struct Case
    {
        const char* name;
        int nOldAnswer;
        int nNewAnswer;
        BOOL bSwallowed;
        int nAsked;  // how many targets were asked
    };
    const Case cases[] = {
        {"nobody takes it: swallowed", 0, 0, TRUE, 2},
        {"the newest handles it", 0, 1, TRUE, 1},
        {"the newest lets it through", 1, 2, FALSE, 1},
        {"the older lets it through", 2, 0, FALSE, 2},
    };
    for (const Case& c : cases)
    {
        std::vector<CKeyTarget*> order;
        CKeyTarget older(c.nOldAnswer, &order);
        CKeyTarget newer(c.nNewAnswer, &order);
        Register(&older);
        Register(&newer);
        EXPECT_EQ(c.bSwallowed, m_pManager->ProcessKeyboardHooks(WM_KEYDOWN, 'Q', 1)) << c.name;
        ASSERT_EQ(static_cast<size_t>(c.nAsked), order.size()) << c.name;
        EXPECT_EQ(&newer, order[0]) << c.name;
        EXPECT_TRUE(newer.m_bNullWindow) << c.name;
        m_pManager->UnhookKeyboard(&older);
        m_pManager->UnhookKeyboard(&newer);
        m_registered.clear();
    }
    EXPECT_TRUE(m_pManager->ProcessKeyboardHooks(WM_KEYDOWN, 'Q', 1)) << "no target";
}

TEST_F(KeyboardManagerTest, TheHookSwallowsUnhandledKeysOnlyWhileTargetsAreRegistered)
{
    EXPECT_EQ(0, KeyDown('A')) << "no target: the key goes on";
    CKeyTarget ignoring(0);
    Register(&ignoring);
    EXPECT_EQ(1, KeyDown('A'));
    EXPECT_EQ(WM_KEYDOWN, ignoring.m_nMessage);
    EXPECT_EQ(0, CLVKKeyboardManager::KeyboardHookProc(HC_ACTION, 'A', 1 | 0x80000000)) << "a release is not offered";
    EXPECT_EQ(1u, ignoring.m_arrKeys.size());
    EXPECT_EQ(0, CLVKKeyboardManager::KeyboardHookProc(HC_NOREMOVE, 'A', 1));

    CKeyTarget passing(2);
    Register(&passing);
    EXPECT_EQ(0, KeyDown('A')) << "a target that answers 2 lets the key through";
}

TEST_F(KeyboardManagerTest, RealKeysDoNotReachTheFocusedEditBehindAnOpenMenu)
{
    CWnd frame;
    frame.CreateEx(0, AfxRegisterWndClass(0), L"Frame", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 100), nullptr, 0);
    CWnd edit;
    edit.CreateEx(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, CRect(5, 5, 200, 30), &frame, 1);
    frame.SetForegroundWindow();
    edit.SetFocus();
    const auto typeA = [&]()
    {
        INPUT inputs[2]{};
        inputs[0].type = INPUT_KEYBOARD;
        inputs[0].ki.wVk = 'A';
        inputs[1].type = INPUT_KEYBOARD;
        inputs[1].ki.wVk = 'A';
        inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
        ::SendInput(2, inputs, sizeof(INPUT));
        PumpPastTheInput();
    };
    typeA();
    ASSERT_EQ(1, edit.GetWindowTextLength()) << "without a menu the key arrives";

    CKeyTarget ignoring(0);
    Register(&ignoring);
    typeA();
    EXPECT_EQ(1, edit.GetWindowTextLength()) << "nobody takes the key: swallowed";
    EXPECT_FALSE(ignoring.m_arrKeys.empty());

    CKeyTarget passing(2);
    Register(&passing);
    typeA();
    EXPECT_EQ(2, edit.GetWindowTextLength()) << "a target that answers 2 lets it through";
    edit.DestroyWindow();
    frame.DestroyWindow();
}

class CEndingBar : public CLVKCommandBar
{
public:
    void EndTracking() override
    {
        m_nEnded++;
        CLVKMouseManager::GetThreadManager()->RemoveTrackedBar(this);
    }
    int m_nEnded = 0;
};

TEST_F(KeyboardManagerTest, AltClosesTheMenusUnlessAnEditHoldsTheLock)
{
    CLVKMouseManager* pMouse = CLVKMouseManager::GetThreadManager();
    CEndingBar* pBar = new CEndingBar;
    CKeyTarget target(0);
    Register(&target);
    const LPARAM kAlt = 0x20000000;

    pMouse->AddTrackedBar(pBar);
    EXPECT_EQ(0, KeyDown(VK_MENU, kAlt | 0x40000000)) << "holding Alt does nothing more";
    EXPECT_EQ(0, pBar->m_nEnded);
    EXPECT_EQ(1, KeyDown(VK_MENU, kAlt));
    EXPECT_EQ(1, pBar->m_nEnded);
    EXPECT_TRUE(target.m_arrKeys.empty()) << "Alt is not offered to the targets";

    pMouse->AddTrackedBar(pBar);
    pMouse->m_nLock = 1;
    EXPECT_EQ(1, KeyDown(VK_MENU, kAlt));
    EXPECT_EQ(1, pBar->m_nEnded) << "locked: Alt is an ordinary key";
    ASSERT_EQ(1u, target.m_arrKeys.size());
    EXPECT_EQ(static_cast<WPARAM>(VK_MENU), target.m_arrKeys[0]);
    pMouse->m_nLock = 0;

    // Losing activation closes the menus.
    CWPSTRUCT message{};
    message.message = WM_ACTIVATEAPP;
    message.wParam = TRUE;
    CLVKKeyboardManager::CallWndProcHook(HC_ACTION, 0, reinterpret_cast<LPARAM>(&message));
    EXPECT_EQ(1, pBar->m_nEnded);
    message.wParam = FALSE;
    CLVKKeyboardManager::CallWndProcHook(HC_ACTION, 0, reinterpret_cast<LPARAM>(&message));
    EXPECT_EQ(2, pBar->m_nEnded);
    EXPECT_TRUE(pMouse->GetTrackedBars().empty());
    pBar->InternalRelease();
}

}  // namespace
