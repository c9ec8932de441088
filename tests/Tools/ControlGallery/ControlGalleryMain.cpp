// ControlGallery: shows one page of the toolkit's standard controls in a
// resizable dialog, so they can be looked at and captured.
//
//   ControlGallery.exe --list
//   ControlGallery.exe PAGE [--theme N] [--size WxH] [--shot OUT.png]
//                           [--keys K1,K2,...] [--report-theme N] [--ini NAME]
//
// --list prints the pages, one a line. --theme applies a control theme number
// to every control of the page (the command-bar theme on the "commandbars"
// page). --shot waits until the page has painted, saves the window as a PNG
// and exits 0. --keys types the keys into the page once it shows and exits
// when they have been handled (taking the --shot picture then). Unknown pages
// and bad arguments exit 2.
#include "GalleryDialog.h"
#include "GalleryKeys.h"
#include "GalleryPages.h"
#include "ReportPages.h"
#include "TaskDialogPages.h"

#include "CommandBars/ToolkitPopupMenu.h"
#include "Foundation/ResourceImages.h"
#include "WindowShot.h"

#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <cwchar>
#include <vector>

namespace
{

const int kExitBadArguments = 2;
const int kExitShotFailed = 1;

int Usage(LPCWSTR lpszProblem)
{
    fwprintf(stderr, L"ControlGallery: %ls\n", lpszProblem);
    fwprintf(stderr, L"usage: ControlGallery --list\n"
                     L"       ControlGallery PAGE [--theme N] [--size WxH] [--shot OUT.png] [--keys K1,K2,...]\n"
                     L"                      [--report-theme N] [--ini NAME] [--themed (task-dialog pages)]\n"
                     L"keys: alt, f1-f12, esc, enter, tab, space, up, down, left, right, home, end,\n"
                     L"      a letter or a digit, after any of ctrl+, alt+, shift+\n");
    return kExitBadArguments;
}

// A whole non-negative decimal number, nothing else.
bool ParseNumber(LPCWSTR lpsz, int& nValue)
{
    if (!*lpsz || wcslen(lpsz) > 6)
        return false;
    nValue = 0;
    for (; *lpsz; ++lpsz)
    {
        if (*lpsz < L'0' || *lpsz > L'9')
            return false;
        nValue = nValue * 10 + (*lpsz - L'0');
    }
    return true;
}

bool ParseSize(LPCWSTR lpsz, CSize& size)
{
    const LPCWSTR pszX = wcschr(lpsz, L'x');
    if (!pszX)
        return false;
    const CStringW strWidth(lpsz, static_cast<int>(pszX - lpsz));
    int cx = 0;
    int cy = 0;
    if (!ParseNumber(strWidth, cx) || !ParseNumber(pszX + 1, cy) || cx < 120 || cy < 80 || cx > 4000 || cy > 4000)
        return false;
    size = CSize(cx, cy);
    return true;
}

// Runs the window's messages until nothing but timers has been waiting on a
// few rounds in a row, so that every control has painted, however long that
// takes on this machine. The limit only ends a page that never settles.
void PumpUntilIdle(HWND hWnd)
{
    const ULONGLONG ullEnd = ::GetTickCount64() + 120000;
    int nQuietRounds = 0;
    while (nQuietRounds < 4 && ::GetTickCount64() < ullEnd && ::IsWindow(hWnd))
    {
        MSG msg{};
        bool bWorked = false;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            // Timers tick all the time (a marquee, a caret); anything else
            // means the page is still at work.
            bWorked = bWorked || msg.message != WM_TIMER;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        nQuietRounds = bWorked ? 0 : nQuietRounds + 1;
        // Frames lay their bars out and update their commands at idle time.
        if (!bWorked)
            AfxGetThread()->OnIdle(0);
        ::Sleep(40);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    // The gallery's controls show their menus as the command bars' popups.
    InstallToolkitPopupMenu();
    if (argc < 2)
        return Usage(L"no page given");
    if (wcscmp(argv[1], L"--list") == 0)
    {
        if (argc != 2)
            return Usage(L"--list takes no further arguments");
        for (const GalleryPageEntry& entry : GalleryPageTable())
            wprintf(L"%ls\n", entry.lpszName);
        for (LPCWSTR lpszName : TaskDialogPageNames())
            wprintf(L"%ls\n", lpszName);
        fflush(stdout);
        return 0;
    }

    const GalleryPageEntry* pEntry = FindGalleryPage(argv[1]);
    const bool bTaskDialogPage = IsTaskDialogPage(argv[1]);
    if (!pEntry && !bTaskDialogPage)
    {
        const CStringW strProblem = CStringW(L"unknown page \"") + argv[1] + L"\"";
        return Usage(strProblem);
    }
    int nTheme = -1;
    // --themed: the task-dialog pages' themed look, whatever the system says.
    bool bThemed = false;
    bool bSize = false;
    CSize size;
    LPCWSTR lpszShot = nullptr;
    LPCWSTR lpszIni = nullptr;
    std::vector<GalleryKeyStroke> keys;
    for (int i = 2; i < argc; ++i)
    {
        const bool bHasValue = i + 1 < argc;
        if (wcscmp(argv[i], L"--theme") == 0 && bHasValue)
        {
            if (!ParseNumber(argv[++i], nTheme))
                return Usage(L"--theme wants a theme number");
        }
        else if (wcscmp(argv[i], L"--size") == 0 && bHasValue)
        {
            if (!ParseSize(argv[++i], size))
                return Usage(L"--size wants WIDTHxHEIGHT (120x80 to 4000x4000)");
            bSize = true;
        }
        else if (wcscmp(argv[i], L"--report-theme") == 0 && bHasValue)
        {
            if (!ParseNumber(argv[++i], GetReportPageOptions().nReportTheme))
                return Usage(L"--report-theme wants the report's theme number");
        }
        else if (wcscmp(argv[i], L"--ini") == 0 && bHasValue)
        {
            lpszIni = argv[++i];
        }
        else if (wcscmp(argv[i], L"--themed") == 0 && bTaskDialogPage)
        {
            bThemed = true;
        }
        else if (wcscmp(argv[i], L"--shot") == 0 && bHasValue)
        {
            lpszShot = argv[++i];
        }
        else if (wcscmp(argv[i], L"--keys") == 0 && bHasValue)
        {
            if (!ParseGalleryKeys(argv[++i], keys))
                return Usage(L"--keys wants key names separated by commas");
        }
        else
        {
            const CStringW strProblem = CStringW(L"bad argument \"") + argv[i] + L"\"";
            return Usage(strProblem);
        }
    }

    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof(icc);
    icc.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
    ::InitCommonControlsEx(&icc);
    CWinApp app(L"ControlGallery");
    if (bTaskDialogPage)
        return RunTaskDialogPage(argv[1], bThemed, lpszShot, keys);
    // --ini NAME: the resource theme whose colours the themed pages take.
    if (lpszIni && !CLVKResourceImages::GetGlobal()->LoadTheme(nullptr, lpszIni, FALSE))
    {
        const CStringW strProblem = CStringW(L"no resource theme \"") + lpszIni + L"\"";
        return Usage(strProblem);
    }
    // The edits' validation uses the platform's regular-expression component.
    const HRESULT hrCom = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    std::unique_ptr<GalleryPage> pPage = pEntry->pfnCreate();
    if (!bSize)
        size = pPage->DefaultSize();
    const CStringW strTitle = CStringW(L"Control gallery - ") + pEntry->lpszName;
    GalleryDialog* pDialog = nullptr;
    CWnd* pWindow = nullptr;
    if (!pPage->MakesOwnWindow())
    {
        pDialog = new GalleryDialog(std::move(pPage), strTitle, size, nTheme);
        if (!pDialog->Create())
        {
            delete pDialog;
            fwprintf(stderr, L"ControlGallery: the page's window could not be created\n");
            return kExitShotFailed;
        }
        pWindow = pDialog;
    }
    else
    {
        pWindow = pPage->CreateOwnWindow(strTitle, size, nTheme);
        if (!pWindow)
        {
            fwprintf(stderr, L"ControlGallery: the page's window could not be created\n");
            return kExitShotFailed;
        }
        // The thread's idle work (bar layout, command state) reaches it.
        AfxGetThread()->m_pMainWnd = pWindow;
    }
    const HWND hWnd = pWindow->m_hWnd;
    pWindow->ShowWindow(SW_SHOW);
    pWindow->SetForegroundWindow();
    pWindow->UpdateWindow();

    int nResult = 0;
    if (lpszShot && keys.empty())
    {
        PumpUntilIdle(hWnd);
        ::RedrawWindow(hWnd, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpUntilIdle(hWnd);
        // A page of its own window shows bars and menus in windows of their own.
        if (!SaveWindowShot(hWnd, lpszShot, pDialog == nullptr))
        {
            fwprintf(stderr, L"ControlGallery: could not write \"%ls\"\n", lpszShot);
            nResult = kExitShotFailed;
        }
    }
    else
    {
        if (!keys.empty())
            StartGalleryKeys(keys, hWnd, lpszShot, pDialog == nullptr);
        MSG msg{};
        BOOL bGot = FALSE;
        while ((bGot = ::GetMessageW(&msg, nullptr, 0, 0)) > 0)
        {
            const BOOL bTaken = pDialog ? (::IsWindow(hWnd) && ::IsDialogMessageW(hWnd, &msg))
                                        : AfxPreTranslateMessage(&msg);
            if (!bTaken)
            {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            MSG next{};
            if (!pDialog && !::PeekMessageW(&next, nullptr, 0, 0, PM_NOREMOVE))
                AfxGetThread()->OnIdle(0);
        }
        if (bGot == 0)
            nResult = static_cast<int>(msg.wParam);
    }
    if (::IsWindow(hWnd))
        pWindow->DestroyWindow();
    delete pDialog;
    pPage.reset();
    if (SUCCEEDED(hrCom))
        ::CoUninitialize();
    return nResult;
}
