// The theme wrapper against Wine's uxtheme (its "Light" style is active) and
// against tables of entry points handed in by the tests, which play a system
// without uxtheme, an old comctl32 and a uxtheme that moved.
#include "DibSurface.h"
#include "Foundation/FaultGuard.h"
#include "Foundation/SystemVersion.h"
#include "Foundation/WinThemeWrapper.h"

#include "Waiting.h"

#include <gtest/gtest.h>

#include <vector>

#include <vssym32.h>

namespace
{

// Records the calls the played uxtheme receives.
struct PlayedUxTheme
{
    std::vector<HTHEME> opened;
    std::vector<HTHEME> closed;
    UINT_PTR nNextHandle = 0x1000;
};

PlayedUxTheme* g_pPlayed = nullptr;

HTHEME WINAPI PlayedOpenThemeData(HWND, LPCWSTR)
{
    const HTHEME hTheme = reinterpret_cast<HTHEME>(g_pPlayed->nNextHandle++);
    g_pPlayed->opened.push_back(hTheme);
    return hTheme;
}

HRESULT WINAPI PlayedCloseThemeData(HTHEME hTheme)
{
    g_pPlayed->closed.push_back(hTheme);
    return S_OK;
}

BOOL WINAPI PlayedTrue()
{
    return TRUE;
}

FARPROC AsProc(void* pfn)
{
    return reinterpret_cast<FARPROC>(pfn);
}

// A table with no library behind it and the given entry points.
LVKWinThemeApiTable* MakePlayedTable(DWORD dwComCtlVersion)
{
    auto* const pTable = new LVKWinThemeApiTable(nullptr, dwComCtlVersion);
    pTable->slots[CLVKWinThemeWrapper::slotOpenThemeData] = AsProc(reinterpret_cast<void*>(&PlayedOpenThemeData));
    pTable->slots[CLVKWinThemeWrapper::slotCloseThemeData] = AsProc(reinterpret_cast<void*>(&PlayedCloseThemeData));
    pTable->slots[CLVKWinThemeWrapper::slotIsThemeActive] = AsProc(reinterpret_cast<void*>(&PlayedTrue));
    pTable->slots[CLVKWinThemeWrapper::slotIsAppThemed] = AsProc(reinterpret_cast<void*>(&PlayedTrue));
    return pTable;
}

// Entry points of a broken theme library: each faults in its own way.
BOOL WINAPI FaultingReadOfNull()
{
    int* volatile p = nullptr;
    return *p;
}

COLORREF WINAPI FaultingDivideByZero(HTHEME, int nColorId)
{
    volatile int nZero = 0;
    return static_cast<COLORREF>(nColorId / nZero);
}

HRESULT WINAPI FaultingWriteToCode(HTHEME, int, int, int, COLORREF* pColor)
{
    *pColor = RGB(1, 2, 3);
    // Code pages are not writable.
    *reinterpret_cast<volatile BYTE*>(reinterpret_cast<void*>(&PlayedTrue)) = 0xCC;
    return S_OK;
}

// Makes a guarded call that faults, from inside a guarded call, and goes on.
CLVKWinThemeWrapper* g_pNestedWrapper = nullptr;
BOOL WINAPI NestingGetThemeSysBool(HTHEME, int)
{
    return g_pNestedWrapper->IsThemeActive() ? 1 : 7;
}

LVKWinThemeApiTable* MakeFaultingTable()
{
    auto* const pTable = new LVKWinThemeApiTable(nullptr, 0x60000);
    pTable->slots[CLVKWinThemeWrapper::slotIsThemeActive] = AsProc(reinterpret_cast<void*>(&FaultingReadOfNull));
    pTable->slots[CLVKWinThemeWrapper::slotGetThemeSysColor] = AsProc(reinterpret_cast<void*>(&FaultingDivideByZero));
    pTable->slots[CLVKWinThemeWrapper::slotGetThemeColor] = AsProc(reinterpret_cast<void*>(&FaultingWriteToCode));
    pTable->slots[CLVKWinThemeWrapper::slotGetThemeSysBool] = AsProc(reinterpret_cast<void*>(&NestingGetThemeSysBool));
    pTable->slots[CLVKWinThemeWrapper::slotIsAppThemed] = AsProc(reinterpret_cast<void*>(&PlayedTrue));
    return pTable;
}

}  // namespace

// A fault inside the theme library must not end the program: the guarded
// call returns its failure value and the next call goes through as usual.
TEST(WinThemeWrapperFaults, AFaultInsideACallGivesTheFailureValue)
{
    CLVKWinThemeWrapper wrapper;
    wrapper.SetPrivateApiTable(MakeFaultingTable());
    const LONG nBefore = CLVKFaultGuard::GetRecoveredFaultCount();

    EXPECT_FALSE(wrapper.IsThemeActive()) << "read of a null pointer";
    EXPECT_EQ(static_cast<COLORREF>(-1), wrapper.GetThemeSysColor(COLOR_WINDOW)) << "division by zero";
    COLORREF color = 0;
    EXPECT_EQ(E_FAIL, wrapper.GetThemeColor(1, 1, 1, &color)) << "write to code";
    EXPECT_EQ(RGB(1, 2, 3), color) << "what the call did before the fault stays done";
    EXPECT_EQ(nBefore + 3, CLVKFaultGuard::GetRecoveredFaultCount());
    EXPECT_TRUE(wrapper.IsAppThemed()) << "the next call goes through";

    g_pNestedWrapper = &wrapper;
    EXPECT_EQ(7, wrapper.GetThemeSysBool(1)) << "an inner guarded call recovers to its own point";
    g_pNestedWrapper = nullptr;
    EXPECT_EQ(nBefore + 4, CLVKFaultGuard::GetRecoveredFaultCount());
}

TEST(WinThemeWrapperFaults, ThreadsRecoverEachToTheirOwnPoint)
{
    struct Worker
    {
        volatile LONG nWrong = 0;
        static DWORD WINAPI Run(LPVOID pParam)
        {
            auto* pWorker = static_cast<Worker*>(pParam);
            CLVKWinThemeWrapper wrapper;
            wrapper.SetPrivateApiTable(MakeFaultingTable());
            for (int i = 0; i < 200; i++)
            {
                if (wrapper.IsThemeActive() || wrapper.GetThemeSysColor(i) != static_cast<COLORREF>(-1) ||
                    !wrapper.IsAppThemed())
                    InterlockedIncrement(&pWorker->nWrong);
            }
            return 0;
        }
    };
    Worker worker;
    HANDLE threads[3] = {};
    for (HANDLE& hThread : threads)
    {
        hThread = CreateThread(nullptr, 0, &Worker::Run, &worker, 0, nullptr);
        ASSERT_NE(nullptr, hThread);
    }
    EXPECT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(3, threads, TRUE, kHungWaitMs));
    for (HANDLE hThread : threads)
        CloseHandle(hThread);
    EXPECT_EQ(0, worker.nWrong);
}

TEST(WinThemeWrapperTest, WineLightStyleIsActiveAndDrawsAButton)
{
    CLVKWinThemeWrapper wrapper;
    EXPECT_TRUE(wrapper.IsThemeActive());
    EXPECT_TRUE(wrapper.IsAppThemed());
    ASSERT_NE(nullptr, wrapper.OpenThemeData(nullptr, L"BUTTON"));
    EXPECT_TRUE(wrapper.HasThemeData());
    EXPECT_TRUE(wrapper.IsAppThemeReady());

    DibSurface surface(40, 20, RGB(255, 0, 255));
    const RECT rc = {0, 0, 40, 20};
    EXPECT_EQ(S_OK, wrapper.DrawThemeBackground(surface.GetHdc(), BP_PUSHBUTTON, PBS_NORMAL, &rc, nullptr));
    EXPECT_NE(RGB(255, 0, 255), surface.Pixel(20, 10)) << "the button face is drawn";

    SIZE size{};
    EXPECT_EQ(S_OK,
              wrapper.GetThemePartSize(surface.GetHdc(), BP_CHECKBOX, CBS_UNCHECKEDNORMAL, nullptr, TS_TRUE, &size));
    EXPECT_GT(size.cx, 0);

    WCHAR szFile[MAX_PATH] = {};
    WCHAR szColor[MAX_PATH] = {};
    WCHAR szSize[MAX_PATH] = {};
    EXPECT_EQ(S_OK, wrapper.GetCurrentThemeName(szFile, MAX_PATH, szColor, MAX_PATH, szSize, MAX_PATH));
    EXPECT_NE(0, szFile[0]);

    // Wine's comctl32 reports 5.81 even with the version-6 manifest, which
    // turns the toolkit's theme following off there.
    const BOOL bComCtl6 = HIWORD(CLVKSystemVersion::GetComCtlVersion()) >= 6;
    EXPECT_EQ(bComCtl6, wrapper.AreAppThemesEnabled());

    EXPECT_EQ(S_OK, wrapper.CloseThemeData());
    EXPECT_FALSE(wrapper.HasThemeData());
    EXPECT_EQ(0, wrapper.CloseThemeData()) << "nothing open";
}

TEST(WinThemeWrapperTest, ClassThatCannotBeOpenedFallsBackToUnthemedDrawing)
{
    CLVKWinThemeWrapper wrapper;
    ASSERT_NE(nullptr, wrapper.OpenThemeData(nullptr, L"BUTTON"));
    // Wine's style has no dark-mode classes; the open fails and the previous
    // handle is gone too.
    EXPECT_EQ(nullptr, wrapper.OpenThemeData(nullptr, L"DarkMode_Explorer::TreeView"));
    EXPECT_FALSE(wrapper.HasThemeData());
    EXPECT_FALSE(wrapper.IsAppThemeReady());
    DibSurface surface(8, 8, RGB(1, 2, 3));
    const RECT rc = {0, 0, 8, 8};
    EXPECT_TRUE(FAILED(wrapper.DrawThemeBackground(surface.GetHdc(), BP_PUSHBUTTON, PBS_NORMAL, &rc, nullptr)));
    EXPECT_EQ(RGB(1, 2, 3), surface.Pixel(4, 4));
}

TEST(WinThemeWrapperTest, WithoutUxThemeEveryCallGivesItsFailureValue)
{
    CLVKWinThemeWrapper wrapper;
    wrapper.SetPrivateApiTable(new LVKWinThemeApiTable(nullptr, 0x60000));
    DibSurface surface(4, 4);
    const RECT rc = {0, 0, 4, 4};
    COLORREF clr = 0;
    SIZE size{};
    WCHAR szName[8] = {};
    EXPECT_EQ(nullptr, wrapper.OpenThemeData(nullptr, L"BUTTON"));
    EXPECT_EQ(static_cast<COLORREF>(-1), wrapper.GetThemeSysColor(COLOR_WINDOW));
    EXPECT_EQ(E_FAIL, wrapper.DrawThemeBackground(surface.GetHdc(), 1, 1, &rc, nullptr));
    EXPECT_EQ(E_FAIL, wrapper.GetThemeColor(0, 0, 3801, &clr));
    EXPECT_EQ(E_FAIL, wrapper.GetThemePartSize(nullptr, 1, 1, nullptr, TS_TRUE, &size));
    EXPECT_EQ(E_FAIL, wrapper.GetCurrentThemeName(szName, 8, szName, 8, szName, 8));
    EXPECT_EQ(E_FAIL, wrapper.EnableThemeDialogTexture(nullptr, 0));
    EXPECT_EQ(E_FAIL, wrapper.DrawThemeTextEx(surface.GetHdc(), 1, 1, L"x", 1, 0, nullptr, nullptr));
    EXPECT_EQ(nullptr, wrapper.BeginBufferedPaint(surface.GetHdc(), &rc, BPBF_DIB, nullptr, nullptr));
    EXPECT_FALSE(wrapper.GetThemeSysBool(0));
    EXPECT_FALSE(wrapper.IsThemeActive());
    EXPECT_FALSE(wrapper.IsAppThemed());
    EXPECT_FALSE(wrapper.AreAppThemesEnabled());
}

TEST(WinThemeWrapperTest, OldComCtlTurnsThemesOffEvenWhenActive)
{
    PlayedUxTheme played;
    g_pPlayed = &played;
    struct Case
    {
        const char* pszName;
        DWORD dwVersion;
        BOOL bEnabled;
    };
    const Case cases[] = {
        {"comctl32 5.82 without manifest", 0x50052, FALSE},
        {"comctl32 6.0", 0x60000, TRUE},
        {"comctl32 6.10", 0x6000A, TRUE},
    };
    for (const Case& c : cases)
    {
        CLVKWinThemeWrapper wrapper;
        wrapper.SetPrivateApiTable(MakePlayedTable(c.dwVersion));
        EXPECT_EQ(c.bEnabled, wrapper.AreAppThemesEnabled()) << c.pszName;
    }
    g_pPlayed = nullptr;
}

TEST(WinThemeWrapperTest, OpeningTwiceClosesTheFirstHandleFirst)
{
    PlayedUxTheme played;
    g_pPlayed = &played;
    {
        CLVKWinThemeWrapper wrapper;
        wrapper.SetPrivateApiTable(MakePlayedTable(0x60000));
        const HTHEME hFirst = wrapper.OpenThemeData(nullptr, L"BUTTON");
        const HTHEME hSecond = wrapper.OpenThemeData(nullptr, L"HEADER");
        ASSERT_EQ(2u, played.opened.size());
        ASSERT_EQ(1u, played.closed.size());
        EXPECT_EQ(hFirst, played.closed[0]);
        EXPECT_EQ(hSecond, wrapper.GetThemeData());
    }
    ASSERT_EQ(2u, played.closed.size()) << "the destructor closes the second";
    EXPECT_EQ(played.opened[1], played.closed[1]);
    g_pPlayed = nullptr;
}

TEST(WinThemeWrapperTest, RecheckingWrapperBindsAnewWhenUxThemeMoved)
{
    PlayedUxTheme played;
    g_pPlayed = &played;
    // A table bound to another module stands for the uxtheme that was
    // loaded before; the UXTHEME.DLL loaded now is a different one.
    const HMODULE hOther = ::GetModuleHandleW(L"kernel32.dll");
    ASSERT_NE(nullptr, ::GetModuleHandleW(L"uxtheme.dll"));

    {
        CLVKWinThemeWrapper plain(FALSE);
        LVKWinThemeApiTable* const pPlainTable = MakePlayedTable(0x60000);
        pPlainTable->hModule = hOther;
        plain.SetPrivateApiTable(pPlainTable);
        plain.OpenThemeData(nullptr, L"BUTTON");
        EXPECT_EQ(1u, played.opened.size()) << "a plain wrapper keeps its table";
        EXPECT_EQ(hOther, pPlainTable->hModule);

        CLVKWinThemeWrapper rechecking(TRUE);
        LVKWinThemeApiTable* const pTable = MakePlayedTable(0x60000);
        pTable->hModule = hOther;
        rechecking.SetPrivateApiTable(pTable);
        EXPECT_NE(nullptr, rechecking.OpenThemeData(nullptr, L"BUTTON"));
        EXPECT_EQ(1u, played.opened.size()) << "the played entry point was thrown away";
        EXPECT_EQ(::GetModuleHandleW(L"uxtheme.dll"), pTable->hModule);
        EXPECT_NE(nullptr, pTable->slots[CLVKWinThemeWrapper::slotOpenThemeData]);
        EXPECT_EQ(nullptr, pTable->slots[CLVKWinThemeWrapper::slotIsAppThemed]) << "bound again only when used";
    }
    g_pPlayed = nullptr;
}

TEST(DwmApiTest, AnswersWhatDwmApiAnswers)
{
    // Whether Wine reports composition depends on the prefix's Windows
    // version: the wrapper must give the library's own answer.
    const HMODULE hDwm = ::LoadLibraryW(L"dwmapi.dll");
    ASSERT_NE(nullptr, hDwm);
    const auto pfn = reinterpret_cast<HRESULT(WINAPI*)(BOOL*)>(
        reinterpret_cast<void*>(::GetProcAddress(hDwm, "DwmIsCompositionEnabled")));
    ASSERT_NE(nullptr, pfn);
    BOOL bEnabled = FALSE;
    const BOOL bExpected = SUCCEEDED(pfn(&bEnabled)) && bEnabled;
    EXPECT_EQ(bExpected, LVKDwmIsCompositionEnabled());
    ::FreeLibrary(hDwm);

    // Wine's DwmDefWindowProc handles nothing.
    LRESULT lResult = 0;
    EXPECT_EQ(FALSE, LVKDwmDefWindowProc(::GetDesktopWindow(), WM_NCHITTEST, 0, 0, &lResult));
}
