// ControlGallery: shows one page of the toolkit's standard controls in a
// resizable dialog, so they can be looked at and captured.
//
//   ControlGallery.exe --list
//   ControlGallery.exe PAGE [--theme N] [--size WxH] [--shot OUT.png]
//                           [--report-theme N] [--ini NAME]
//
// --list prints the pages, one a line. --theme applies a control theme number
// to every control of the page. --shot waits until the page has painted,
// saves the window as a PNG and exits 0. Unknown pages and bad arguments exit 2.
#include "GalleryDialog.h"
#include "GalleryPages.h"
#include "ReportPages.h"
#include "TaskDialogPages.h"

#include "Foundation/ResourceImages.h"
#include "WindowShot.h"

#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <cwchar>

namespace
{

const int kExitBadArguments = 2;
const int kExitShotFailed = 1;

int Usage(LPCWSTR lpszProblem)
{
    fwprintf(stderr, L"ControlGallery: %ls\n", lpszProblem);
    fwprintf(stderr, L"usage: ControlGallery --list\n"
                     L"       ControlGallery PAGE [--theme N] [--size WxH] [--shot OUT.png]\n"
                     L"                      [--report-theme N] [--ini NAME] [--themed (task-dialog pages)]\n");
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

// Runs the window's messages until nothing has been waiting for a while, so
// that every control has painted.
void PumpUntilIdle(HWND hWnd)
{
    const DWORD dwStart = ::GetTickCount();
    int nQuietRounds = 0;
    while (nQuietRounds < 4 && ::GetTickCount() - dwStart < 5000 && ::IsWindow(hWnd))
    {
        MSG msg{};
        bool bWorked = false;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            bWorked = true;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        nQuietRounds = bWorked ? 0 : nQuietRounds + 1;
        ::Sleep(40);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
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
        return RunTaskDialogPage(argv[1], bThemed, lpszShot);
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
    auto* pDialog = new GalleryDialog(std::move(pPage), strTitle, size, nTheme);
    if (!pDialog->Create())
    {
        delete pDialog;
        fwprintf(stderr, L"ControlGallery: the page's window could not be created\n");
        return kExitShotFailed;
    }
    const HWND hWnd = pDialog->m_hWnd;
    pDialog->ShowWindow(SW_SHOW);
    pDialog->SetForegroundWindow();
    pDialog->UpdateWindow();

    int nResult = 0;
    if (lpszShot)
    {
        PumpUntilIdle(hWnd);
        ::RedrawWindow(hWnd, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpUntilIdle(hWnd);
        if (!SaveWindowShot(hWnd, lpszShot))
        {
            fwprintf(stderr, L"ControlGallery: could not write \"%ls\"\n", lpszShot);
            nResult = kExitShotFailed;
        }
        pDialog->DestroyWindow();
    }
    else
    {
        MSG msg{};
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
        {
            if (!::IsWindow(hWnd) || !::IsDialogMessageW(hWnd, &msg))
            {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
    }
    delete pDialog;
    if (SUCCEEDED(hrCom))
        ::CoUninitialize();
    return nResult;
}
