// Monitors, the rich-edit class finder, the menu-sound thread and the
// reader-writer lock under the process's object.
#include "Foundation/CriticalSectionLock.h"
#include "Foundation/DisplayMonitors.h"
#include "Foundation/MenuSoundPlayer.h"
#include "Foundation/NcMetricsInfo.h"
#include "Foundation/RWCriticalSection.h"
#include "Foundation/RichEditClass.h"
#include "Foundation/SystemMetrics.h"
#include "Foundation/WinEventHook.h"

#include "MessagePump.h"

#include <gtest/gtest.h>

#include <atomic>

namespace
{

bool SameRect(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}

TEST(DisplayMonitors, PlaceOnNoMonitorFallsBackToThePrimaryScreen)
{
    CLVKDisplayMonitors* pMonitors = CLVKDisplayMonitors::GetGlobal();
    RECT rcWork{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0));
    const RECT rcScreen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};

    const POINT ptNowhere{-100000, -100000};
    const RECT rcNowhere{-100000, -100000, -99990, -99990};
    EXPECT_TRUE(SameRect(rcWork, pMonitors->GetWorkAreaFromPoint(ptNowhere)));
    EXPECT_TRUE(SameRect(rcWork, pMonitors->GetWorkAreaFromRect(rcNowhere)));
    EXPECT_TRUE(SameRect(rcWork, pMonitors->GetWorkAreaFromWindow(nullptr)));
    EXPECT_TRUE(SameRect(rcWork, pMonitors->GetWorkAreaFromWnd(nullptr)));
    EXPECT_TRUE(SameRect(rcScreen, pMonitors->GetMonitorRectFromPoint(ptNowhere)));
    EXPECT_TRUE(SameRect(rcScreen, pMonitors->GetMonitorRectFromRect(rcNowhere)));

    // A place on the one monitor Xvfb has gives that monitor.
    const POINT ptInside{10, 10};
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromPoint(ptInside, MONITOR_DEFAULTTONULL), &info));
    EXPECT_TRUE(SameRect(info.rcMonitor, pMonitors->GetMonitorRectFromPoint(ptInside)));
    EXPECT_TRUE(SameRect(info.rcWork, pMonitors->GetWorkAreaFromPoint(ptInside)));
}

TEST(DisplayMonitors, DisplayModeOfAWindowsMonitor)
{
    const HWND hWnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, hWnd);
    MONITORINFOEXW info{};
    DEVMODEW devMode{};
    devMode.dmSize = sizeof(devMode);
    EXPECT_TRUE(CLVKDisplayMonitors::GetGlobal()->GetMonitorInfoAndSettings(hWnd, info, devMode));
    EXPECT_EQ(static_cast<DWORD>(info.rcMonitor.right - info.rcMonitor.left), devMode.dmPelsWidth);
    DestroyWindow(hWnd);
    EXPECT_FALSE(CLVKDisplayMonitors::GetGlobal()->GetMonitorInfoAndSettings(nullptr, info, devMode));
}

TEST(RichEditClass, FindsTheNewestClassAndRemembersWhere)
{
    int nIndex = 5;
    EXPECT_EQ(0, LVKFindRichEditClass(TRUE, richEditSearchAll, nIndex, nullptr));
    EXPECT_EQ(5, nIndex) << "skipping changes nothing";

    WNDCLASSW wc{};
    ASSERT_EQ(1, LVKFindRichEditClass(FALSE, richEditSearchAll, nIndex, &wc));
    const LPCWSTR lpszClass = LVKGetRichEditClassName(nIndex);
    ASSERT_NE(nullptr, lpszClass);
    WNDCLASSW wcSystem{};
    EXPECT_TRUE(GetClassInfoW(nullptr, lpszClass, &wcSystem)) << "the class found exists";
    EXPECT_NE(nullptr, wc.hInstance) << "the DLL is the class's instance";

    // No newer class exists than the one found.
    int nNewer = nIndex + 1;
    if (nNewer < 9)
    {
        EXPECT_EQ(0, LVKFindRichEditClass(FALSE, richEditSearchDownToIndex, nNewer, nullptr));
    }

    int nSame = nIndex;
    EXPECT_EQ(1, LVKFindRichEditClass(FALSE, richEditSearchIndexOnly, nSame, nullptr));
    EXPECT_EQ(nIndex, nSame);
    int nOutside = 9;
    EXPECT_EQ(0, LVKFindRichEditClass(FALSE, richEditSearchIndexOnly, nOutside, nullptr));
}

TEST(MenuSoundPlayer, SoundThreadStartsOnFirstSoundAndStops)
{
    CLVKMenuSoundPlayer player;
    player.EnableSounds(FALSE);
    player.PostSound(CLVKMenuSoundPlayer::soundMenuPopup);
    EXPECT_FALSE(player.IsThreadRunning()) << "no thread while sounds are off";

    player.EnableSounds(TRUE);
    player.PostSound(CLVKMenuSoundPlayer::soundMenuCommand);
    ASSERT_TRUE(player.IsThreadRunning());
    const DWORD dwThreadId = player.GetThreadId();
    player.PostSound(CLVKMenuSoundPlayer::soundMenuPopup);
    EXPECT_EQ(dwThreadId, player.GetThreadId()) << "one thread for every sound";

    player.StopThread();
    EXPECT_FALSE(player.IsThreadRunning());
    const HANDLE hThread = OpenThread(SYNCHRONIZE, FALSE, dwThreadId);
    if (hThread)
    {
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hThread, 0)) << "the thread has ended";
        CloseHandle(hThread);
    }
}

TEST(SystemMetrics, CachedOncePerProcess)
{
    LVKSystemMetrics* pMetrics = GetCachedSystemMetrics();
    EXPECT_EQ(pMetrics, GetCachedSystemMetrics());
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), pMetrics->m_cyCaption);
    EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), pMetrics->m_cxSmIcon);

    CLVKNcMetricsInfo nc;
    EXPECT_EQ(504u, nc.cbSize);
    EXPECT_GT(nc.iCaptionHeight, 0);
}

TEST(RWCriticalSection, ReaderMayBecomeWriterAndGetsItsReadBack)
{
    CLVKRWCriticalSection lock;
    lock.LockRead();
    lock.LockWrite();
    EXPECT_EQ(GetCurrentThreadId(), lock.GetWriterThread());
    EXPECT_EQ(0, lock.GetReaderCount()) << "the read lock is put aside while writing";
    lock.UnlockWrite();
    EXPECT_EQ(1, lock.GetReaderCount()) << "and taken back afterwards";
    EXPECT_EQ(0u, lock.GetWriterThread());
    lock.UnlockRead();
    EXPECT_EQ(0, lock.GetReaderCount());
}

struct LockRace
{
    CLVKRWCriticalSection* pLock;
    std::atomic<bool> bArrived{false};
    std::atomic<bool> bEntered{false};
};

DWORD WINAPI TakeWriteLock(LPVOID pParam)
{
    auto* pRace = static_cast<LockRace*>(pParam);
    pRace->bArrived = true;
    pRace->pLock->LockWrite();
    pRace->bEntered = true;
    pRace->pLock->UnlockWrite();
    return 0;
}

TEST(RWCriticalSection, NestedWriteLockIsHeldUntilTheLastRelease)
{
    CLVKRWCriticalSection lock;
    lock.LockWrite();
    lock.LockWrite();
    lock.LockWrite();

    LockRace race;
    race.pLock = &lock;
    const HANDLE hThread = CreateThread(nullptr, 0, &TakeWriteLock, &race, 0, nullptr);
    ASSERT_NE(nullptr, hThread);

    lock.UnlockWrite();
    lock.UnlockWrite();
    // Once the thread has reached the lock, it is watched for a while: a
    // thread blocked on a lock shows no sign of it, so no event can prove that
    // it was kept out. A correct lock passes however slow the machine.
    ASSERT_TRUE(WaitUntil([&] { return race.bArrived.load(); }));
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(hThread, 100));
    EXPECT_FALSE(race.bEntered) << "two of three levels released: still ours";

    // A thread that is not the writer cannot release it.
    EXPECT_EQ(GetCurrentThreadId(), lock.GetWriterThread());
    lock.UnlockWrite();
    EXPECT_TRUE(WaitForObject(hThread));
    EXPECT_TRUE(race.bEntered);
    CloseHandle(hThread);
    EXPECT_EQ(0u, lock.GetWriterThread());
}

DWORD WINAPI UnlockFromOtherThread(LPVOID pParam)
{
    static_cast<CLVKRWCriticalSection*>(pParam)->UnlockWrite();
    return 0;
}

TEST(RWCriticalSection, UnlockByAThreadThatIsNotTheWriterChangesNothing)
{
    CLVKRWCriticalSection lock;
    lock.LockWrite();
    const HANDLE hThread = CreateThread(nullptr, 0, &UnlockFromOtherThread, &lock, 0, nullptr);
    ASSERT_NE(nullptr, hThread);
    EXPECT_TRUE(WaitForObject(hThread));
    CloseHandle(hThread);
    EXPECT_EQ(GetCurrentThreadId(), lock.GetWriterThread());
    EXPECT_EQ(1, lock.GetWriterDepth());
    lock.UnlockWrite();
    EXPECT_EQ(0, lock.GetWriterDepth());
}

int g_nCreateEvents = 0;
HWND g_hwndWatched = nullptr;

void CALLBACK CountCreateEvents(HWINEVENTHOOK, DWORD, HWND hWnd, LONG idObject, LONG, DWORD, DWORD)
{
    if (idObject == OBJID_WINDOW && hWnd == g_hwndWatched)
        g_nCreateEvents++;
}

int CreateWindowAndCountEvents()
{
    g_nCreateEvents = 0;
    const HWND hWnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
    g_hwndWatched = hWnd;
    // Out-of-context events arrive through this thread's message queue, ahead
    // of a timer's message: once a timer set now has fired, the event of the
    // window's creation has been handled.
    EXPECT_TRUE(PumpMessagesPastTimer(50));
    DestroyWindow(hWnd);
    return g_nCreateEvents;
}

TEST(WinEventHook, HooksTheProcessUntilUnhooked)
{
    CLVKWinEventHook hook;
    hook.SetHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, &CountCreateEvents);
    ASSERT_TRUE(hook.IsHooked());
    hook.SetHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, &CountCreateEvents);
    EXPECT_EQ(1, CreateWindowAndCountEvents()) << "a second SetHook adds no second hook";

    hook.Unhook();
    EXPECT_FALSE(hook.IsHooked());
    EXPECT_EQ(0, CreateWindowAndCountEvents());
}

TEST(CriticalSectionLock, HoldsTheSectionForTheScope)
{
    CRITICAL_SECTION cs;
    InitializeCriticalSection(&cs);
    {
        LVKCriticalSectionLock lock(&cs);
        EXPECT_EQ(GetCurrentThreadId(), static_cast<DWORD>(reinterpret_cast<UINT_PTR>(cs.OwningThread)));
    }
    EXPECT_EQ(nullptr, cs.OwningThread);
    DeleteCriticalSection(&cs);
}

}  // namespace
