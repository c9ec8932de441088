// The hook manager: listener order and answers, the unsubclassing handshake,
// removal during dispatch, WM_NCDESTROY clean-up and thread hooks.
#include "Foundation/HookManager.h"

#include "MessagePump.h"


#include <gtest/gtest.h>

#include <functional>

#include <string>
#include <thread>
#include <vector>

namespace
{

std::vector<std::string> g_log;
WPARAM g_procWParam = 0;
bool g_procSawRestoredProcOnNcDestroy = false;
int g_deletedListeners = 0;

LRESULT CALLBACK LoggingWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_USER)
    {
        g_log.push_back("proc");
        g_procWParam = wParam;
        return 10;
    }
    if (nMessage == WM_NCDESTROY)
        g_procSawRestoredProcOnNcDestroy =
            reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hWnd, GWLP_WNDPROC)) == &LoggingWndProc;
    return DefWindowProcW(hWnd, nMessage, wParam, lParam);
}

HWND CreateLoggingWindow()
{
    static const ATOM atom = []
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &LoggingWndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"LorvaneHookManagerTest";
        return RegisterClassW(&wc);
    }();
    (void)atom;
    return CreateWindowExW(0, L"LorvaneHookManagerTest", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

class CLogListener : public CLVKHookManagerHookAble
{
public:
    explicit CLogListener(std::string name, int nBefore = 0, int nAfter = 0)
        : m_name(std::move(name)), m_nBefore(nBefore), m_nAfter(nAfter)
    {
    }
    ~CLogListener() override { ++g_deletedListeners; }

    int HandleHookedMessage(HWND, UINT nMessage, WPARAM& wParam, LPARAM&, LRESULT& lResult) override
    {
        if (nMessage != WM_USER && !m_bAllMessages)
            return 0;
        g_log.push_back(m_name);
        if (m_onBefore)
            m_onBefore();
        wParam += m_nAddToWParam;
        if (m_nBefore == 1)
            lResult = 77;
        return m_nBefore;
    }
    int HandleHookedMessageAfter(HWND, UINT nMessage, WPARAM&, LPARAM&, LRESULT& lResult) override
    {
        if (nMessage != WM_USER)
            return 0;
        g_log.push_back(m_name + "-after");
        if (m_nAfter == 1)
            lResult = 88;
        return m_nAfter;
    }
    void OnHookAttached(HWND) override { ++m_nAttached; }
    void OnHookDetached() override
    {
        ++m_nDetached;
        g_log.push_back(m_name + "-detached");
    }

    std::string m_name;
    int m_nBefore;
    int m_nAfter;
    WPARAM m_nAddToWParam = 0;
    bool m_bAllMessages = false;
    std::function<void()> m_onBefore;
    int m_nAttached = 0;
    int m_nDetached = 0;
};

class HookManager : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_log.clear();
        g_deletedListeners = 0;
        hWnd = CreateLoggingWindow();
        ASSERT_NE(nullptr, hWnd);
    }
    void TearDown() override
    {
        if (IsWindow(hWnd))
            DestroyWindow(hWnd);
        EXPECT_EQ(nullptr, manager->Lookup(hWnd));
    }

    CLVKHookManager* manager = CLVKHookManager::GetGlobal();
    HWND hWnd = nullptr;
};

struct OrderCase
{
    const char* name;
    int firstBefore, firstAfter, lastBefore, lastAfter;
    LRESULT result;
    std::vector<std::string> log;
};

TEST_F(HookManager, ListenersAreAskedLastAttachedFirstAndAnswersStopTheWalk)
{
    const OrderCase cases[] = {
        {"nobody handles", 0, 0, 0, 0, 10, {"last", "first", "proc", "last-after", "first-after"}},
        {"last handles", 0, 0, 1, 0, 77, {"last"}},
        {"first handles", 1, 0, 0, 0, 77, {"last", "first"}},
        {"last stops the walk", 0, 0, 2, 0, 10, {"last", "proc", "last-after", "first-after"}},
        {"after-handler answers", 0, 0, 0, 1, 88, {"last", "first", "proc", "last-after"}},
        {"after-handler stops", 0, 0, 0, 2, 10, {"last", "first", "proc", "last-after"}},
    };
    for (const OrderCase& c : cases)
    {
        CLogListener first("first", c.firstBefore, c.firstAfter);
        CLogListener last("last", c.lastBefore, c.lastAfter);
        manager->AddWindowListener(hWnd, &first);
        manager->AddWindowListener(hWnd, &last);
        g_log.clear();
        EXPECT_EQ(c.result, SendMessageW(hWnd, WM_USER, 0, 0)) << c.name;
        EXPECT_EQ(c.log, g_log) << c.name;
        manager->RemoveListener(&first);
        manager->RemoveListener(&last);
        EXPECT_EQ(1, first.m_nAttached);
        EXPECT_EQ(1, first.m_nDetached);
        EXPECT_EQ(nullptr, manager->Lookup(hWnd)) << c.name;
        EXPECT_EQ(reinterpret_cast<LONG_PTR>(&LoggingWndProc), GetWindowLongPtrW(hWnd, GWLP_WNDPROC)) << c.name;
    }
}

TEST_F(HookManager, ChangedParametersReachThePreviousProcedureAndDoublesAreOne)
{
    CLogListener listener("only");
    listener.m_nAddToWParam = 5;
    manager->AddWindowListener(hWnd, &listener);
    manager->AddWindowListener(hWnd, &listener);
    ASSERT_NE(nullptr, manager->Lookup(hWnd));
    EXPECT_EQ(1, manager->Lookup(hWnd)->GetSize()) << "the same listener is attached once to a window";
    SendMessageW(hWnd, WM_USER, 1, 0);
    EXPECT_EQ(6u, g_procWParam);
    EXPECT_EQ(10, manager->CallPrevWindowProc(hWnd, WM_USER, 0, 0));
    manager->RemoveListener(&listener);
    EXPECT_EQ(0, manager->CallPrevWindowProc(hWnd, WM_USER, 0, 0)) << "no sink, no previous procedure";
}

TEST_F(HookManager, ListenerRemovingItselfAndAnotherDuringDispatch)
{
    auto* pFirst = new CLogListener("first");
    pFirst->m_bAutoDelete = TRUE;
    CLogListener last("last");
    last.m_onBefore = [&]
    {
        manager->RemoveListener(&last);
        manager->RemoveListener(pFirst);  // deleted here: it must not be called any more
    };
    manager->AddWindowListener(hWnd, pFirst);
    manager->AddWindowListener(hWnd, &last);
    g_log.clear();
    EXPECT_EQ(10, SendMessageW(hWnd, WM_USER, 0, 0)) << "the previous procedure still answers";
    const std::vector<std::string> expected = {"last", "last-detached", "first-detached", "proc"};
    EXPECT_EQ(expected, g_log);
    EXPECT_EQ(1, g_deletedListeners);
    EXPECT_EQ(nullptr, manager->Lookup(hWnd));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&LoggingWndProc), GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
    EXPECT_EQ(10, SendMessageW(hWnd, WM_USER, 0, 0));
}

TEST_F(HookManager, NcDestroyDetachesRestoresFirstAndDeletesOwnedListeners)
{
    auto* pOwned = new CLogListener("owned");
    pOwned->m_bAutoDelete = TRUE;
    CLogListener kept("kept");
    manager->AddWindowListener(hWnd, pOwned);
    manager->AddWindowListener(hWnd, &kept);
    g_log.clear();
    g_procSawRestoredProcOnNcDestroy = false;
    DestroyWindow(hWnd);
    const std::vector<std::string> expected = {"kept-detached", "owned-detached"};
    EXPECT_EQ(expected, g_log);
    EXPECT_TRUE(g_procSawRestoredProcOnNcDestroy);
    EXPECT_EQ(1, g_deletedListeners);
    EXPECT_EQ(nullptr, manager->Lookup(hWnd));
}

// A subclasser that came after the manager and knows the handshake.
WNDPROC g_laterPrev = nullptr;
LRESULT CALLBACK LaterSubclassProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_HOOKMANAGER_SINKREMOVED && wParam == reinterpret_cast<WPARAM>(g_laterPrev))
    {
        g_laterPrev = reinterpret_cast<WNDPROC>(lParam);
        return 1;
    }
    return CallWindowProcW(g_laterPrev, hWnd, nMessage, wParam, lParam);
}

TEST_F(HookManager, LaterSubclasserTakesOverThePreviousProcedure)
{
    CLogListener listener("listener");
    manager->AddWindowListener(hWnd, &listener);
    g_laterPrev = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterSubclassProc)));
    ASSERT_EQ(&HookSinkWindowProc, g_laterPrev);
    manager->RemoveListener(&listener);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&LaterSubclassProc), GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
    EXPECT_EQ(&LoggingWndProc, g_laterPrev);
    g_log.clear();
    EXPECT_EQ(10, SendMessageW(hWnd, WM_USER, 0, 0));
    SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LoggingWndProc));
}

// A raw hook installed before the manager's: it is next in the chain.
int g_rawHookCalls = 0;
LRESULT CALLBACK RawGetMessageHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode >= 0 && reinterpret_cast<MSG*>(lParam)->message == WM_USER + 7)
        ++g_rawHookCalls;
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}

class CGetMessageListener : public CLVKHookManagerHookAble
{
public:
    int HandleHookedMessage(HWND hWnd, UINT nCode, WPARAM&, LPARAM& lParam, LRESULT& lResult) override
    {
        if (hWnd || nCode != HC_ACTION || reinterpret_cast<MSG*>(lParam)->message != WM_USER + 7)
            return 0;
        ++m_nCalls;
        if (m_onCall)
            m_onCall();
        lResult = 0;
        return m_nAnswer;
    }
    int m_nCalls = 0;
    int m_nAnswer = 0;
    std::function<void()> m_onCall;
};

void PostAndPeek()
{
    PostThreadMessageW(GetCurrentThreadId(), WM_USER + 7, 0, 0);
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, WM_USER + 7, WM_USER + 7, PM_REMOVE))
    {
    }
}

TEST(HookManagerThreadHooks, NextHookRunsUnlessAListenerAnswered)
{
    CLVKHookManager* manager = CLVKHookManager::GetGlobal();
    const HHOOK hRaw = SetWindowsHookExW(WH_GETMESSAGE, &RawGetMessageHook, nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, hRaw);
    CGetMessageListener listener;
    ASSERT_TRUE(manager->AddThreadListener(WH_GETMESSAGE, &listener));
    g_rawHookCalls = 0;
    PostAndPeek();
    EXPECT_EQ(1, listener.m_nCalls);
    EXPECT_EQ(1, g_rawHookCalls) << "an unanswered hook call goes on to the next hook";

    listener.m_nAnswer = 1;
    PostAndPeek();
    EXPECT_EQ(2, listener.m_nCalls);
    EXPECT_EQ(1, g_rawHookCalls) << "an answered one does not";

    // Attached twice to a thread hook, a listener is called twice.
    listener.m_nAnswer = 0;
    ASSERT_TRUE(manager->AddThreadListener(WH_GETMESSAGE, &listener));
    PostAndPeek();
    EXPECT_EQ(4, listener.m_nCalls);

    // Negative codes reach nobody.
    MSG msg{};
    msg.message = WM_USER + 7;
    manager->DispatchThreadHook(WH_GETMESSAGE, -1, 0, reinterpret_cast<LPARAM>(&msg));
    EXPECT_EQ(4, listener.m_nCalls);

    manager->RemoveThreadSinks(WH_GETMESSAGE);
    PostAndPeek();
    EXPECT_EQ(4, listener.m_nCalls) << "the hook is gone";
    UnhookWindowsHookEx(hRaw);
}

TEST(HookManagerThreadHooks, BadTypesAreRefused)
{
    CLVKHookManager* manager = CLVKHookManager::GetGlobal();
    CGetMessageListener listener;
    EXPECT_FALSE(manager->AddThreadListener(WH_JOURNALRECORD, &listener)) << "a type without procedure";
    bool bThrown = false;
    try
    {
        manager->AddThreadListener(14, &listener);
    }
    catch (CInvalidArgException* e)
    {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}

// A listener of a thread hook that sends to a window of another thread, whose
// sink lookup needs the manager's lock: it must not be held while listeners run.
TEST(HookManagerThreadHooks, ListenersRunWithoutTheLockHeld)
{
    CLVKHookManager* manager = CLVKHookManager::GetGlobal();
    HWND hOther = nullptr;
    HANDLE hReady = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    CLogListener otherListener("other");
    DWORD dwWorkerId = 0;
    std::thread worker(
        [&]
        {
            dwWorkerId = GetCurrentThreadId();
            hOther = CreateLoggingWindow();
            manager->AddWindowListener(hOther, &otherListener);
            SetEvent(hReady);
            MSG msg{};
            while (GetMessageW(&msg, nullptr, 0, 0) > 0)
                DispatchMessageW(&msg);
            DestroyWindow(hOther);
        });
    ASSERT_TRUE(WaitForObject(hReady));

    CGetMessageListener listener;
    DWORD_PTR answer = 0;
    listener.m_onCall = [&] { SendMessageTimeoutW(hOther, WM_USER, 0, 0, SMTO_NORMAL, kHungWaitMs, &answer); };
    ASSERT_TRUE(manager->AddThreadListener(WH_GETMESSAGE, &listener));
    PostAndPeek();
    EXPECT_EQ(10u, answer) << "the other thread's window answered through its sink";
    manager->RemoveListener(&listener);

    PostThreadMessageW(dwWorkerId, WM_QUIT, 0, 0);
    worker.join();
    CloseHandle(hReady);
}

}  // namespace
