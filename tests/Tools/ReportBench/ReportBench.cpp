// Measures the report control against the platform's list view in report
// mode with the same data, font and ordering: populate, sort by a text
// column, first and second paint, jump to the end and paint, and the private
// memory after populating. Prints CSV: phase,report_ms,listview_ms,ratio.
#include "ReportControl/ReportColumn.h"
#include "ReportControl/ReportColumns.h"
#include "ReportControl/ReportControl.h"
#include "ReportControl/ReportPaintManager.h"
#include "ReportControl/ReportRecord.h"
#include "ReportControl/ReportRecordItemNumber.h"
#include "ReportControl/ReportRecordItemText.h"
#include "ReportControl/ReportRecords.h"
#include "ReportControl/ReportRow.h"

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace
{
const int kTextColumns = 4;
const int kRuns = 5;

struct BenchRow
{
    std::wstring text[kTextColumns];
    double dNumber;
};

std::vector<BenchRow> MakeData(int nRows)
{
    unsigned int seed = 20261210u;
    auto next = [&seed]()
    {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    std::vector<BenchRow> rows(nRows);
    for (auto& row : rows)
    {
        for (auto& text : row.text)
        {
            const int nLength = 8 + next() % 33;
            text.resize(nLength);
            for (int i = 0; i < nLength; i++)
            {
                const int c = next() % 52;
                text[i] = static_cast<wchar_t>(c < 26 ? L'a' + c : L'A' + c - 26);
            }
        }
        row.dNumber = next() * 7 % 100000;
    }
    return rows;
}

double Now()
{
    static LARGE_INTEGER freq{};
    if (!freq.QuadPart)
        QueryPerformanceFrequency(&freq);
    LARGE_INTEGER t{};
    QueryPerformanceCounter(&t);
    return t.QuadPart * 1000.0 / freq.QuadPart;
}

// The committed private memory of the process: the counter of the memory
// information when the system fills it, else the sum of the committed
// private regions (Wine leaves the counter at 0).
SIZE_T PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX pmc{};
    pmc.cb = sizeof(pmc);
    if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof(pmc)) &&
        pmc.PrivateUsage != 0)
        return pmc.PrivateUsage;
    SIZE_T nTotal = 0;
    MEMORY_BASIC_INFORMATION mbi{};
    UINT_PTR p = 0;
    while (VirtualQuery(reinterpret_cast<LPCVOID>(p), &mbi, sizeof(mbi)) == sizeof(mbi))
    {
        if (mbi.State == MEM_COMMIT && mbi.Type == MEM_PRIVATE)
            nTotal += mbi.RegionSize;
        const UINT_PTR next = reinterpret_cast<UINT_PTR>(mbi.BaseAddress) + mbi.RegionSize;
        if (next <= p)
            break;  // the end of the address space
        p = next;
    }
    return nTotal;
}

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void PaintNow(HWND hWnd)
{
    RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
}

struct Timings
{
    double populate = 0, sort = 0, firstPaint = 0, secondPaint = 0, endPaint = 0;
    SIZE_T memory = 0;
};

// Case-insensitive CompareStringW on the first text column, for both controls.
int CompareText(LPCWSTR a, LPCWSTR b)
{
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a, -1, b, -1) - 2;
}

Timings RunReport(HWND hFrame, const std::vector<BenchRow>& data, const LOGFONTW& lf)
{
    Timings t;
    const SIZE_T nBefore = PrivateBytes();
    auto* pReport = new CLVKReportControl();
    RECT rc{0, 0, 800, 600};
    pReport->Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, rc, CWnd::FromHandle(hFrame), 1);
    pReport->GetPaintManager()->SetTextFont(lf);
    for (int c = 0; c < kTextColumns; c++)
    {
        wchar_t szCaption[16];
        swprintf(szCaption, 16, L"Text %d", c + 1);
        pReport->AddColumn(new CLVKReportColumn(c, szCaption, 150, FALSE));
    }
    pReport->AddColumn(new CLVKReportColumn(kTextColumns, L"Number", 100, FALSE));
    // The report's own case-insensitive order (CompareStringW, as the list
    // view's comparison below), on keys taken from the rows once.
    pReport->GetRecords()->SetCaseSensitive(FALSE);
    Pump();

    double t0 = Now();
    CLVKReportRecords* pRecords = pReport->GetRecords();
    pRecords->Reserve(static_cast<int>(data.size()));
    for (const auto& row : data)
    {
        auto* pRecord = new CLVKReportRecord();
        for (const auto& text : row.text)
            pRecord->AddItem(new CLVKReportRecordItemText(text.c_str()));
        pRecord->AddItem(new CLVKReportRecordItemNumber(row.dNumber));
        pReport->AddRecord(pRecord);
    }
    pReport->Populate();
    t.populate = Now() - t0;
    t.memory = PrivateBytes() - nBefore;

    t0 = Now();
    CLVKReportColumns* pColumns = pReport->GetColumns();
    pColumns->SetSortColumn(pColumns->GetAt(0), TRUE);
    pReport->ReSort();
    t.sort = Now() - t0;

    t0 = Now();
    PaintNow(pReport->m_hWnd);
    t.firstPaint = Now() - t0;
    t0 = Now();
    PaintNow(pReport->m_hWnd);
    t.secondPaint = Now() - t0;
    t0 = Now();
    pReport->SendMessage(WM_VSCROLL, SB_BOTTOM);
    PaintNow(pReport->m_hWnd);
    t.endPaint = Now() - t0;

    pReport->DestroyWindow();
    delete pReport;
    Pump();
    return t;
}

const std::vector<BenchRow>* g_pData = nullptr;

int CALLBACK CompareListItems(LPARAM l1, LPARAM l2, LPARAM)
{
    const int r = CompareText((*g_pData)[l1].text[0].c_str(), (*g_pData)[l2].text[0].c_str());
    return r != 0 ? r : static_cast<int>(l1 - l2);
}

Timings RunListView(HWND hFrame, const std::vector<BenchRow>& data, HFONT hFont)
{
    Timings t;
    const SIZE_T nBefore = PrivateBytes();
    HWND hList = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 800, 600, hFrame,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(hList, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), TRUE);
    SendMessageW(hList, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    for (int c = 0; c <= kTextColumns; c++)
    {
        wchar_t szCaption[16];
        swprintf(szCaption, 16, c < kTextColumns ? L"Text %d" : L"Number", c + 1);
        LVCOLUMNW col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.cx = c < kTextColumns ? 150 : 100;
        col.pszText = szCaption;
        SendMessageW(hList, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&col));
    }
    Pump();

    double t0 = Now();
    SendMessageW(hList, WM_SETREDRAW, FALSE, 0);
    SendMessageW(hList, LVM_SETITEMCOUNT, data.size(), 0);
    for (int i = 0; i < static_cast<int>(data.size()); i++)
    {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = i;
        item.lParam = i;
        item.pszText = const_cast<LPWSTR>(data[i].text[0].c_str());
        const int nIndex = static_cast<int>(SendMessageW(hList, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        for (int c = 1; c <= kTextColumns; c++)
        {
            wchar_t szNumber[32];
            LVITEMW sub{};
            sub.iSubItem = c;
            if (c < kTextColumns)
                sub.pszText = const_cast<LPWSTR>(data[i].text[c].c_str());
            else
            {
                swprintf(szNumber, 32, L"%.0f", data[i].dNumber);
                sub.pszText = szNumber;
            }
            SendMessageW(hList, LVM_SETITEMTEXTW, nIndex, reinterpret_cast<LPARAM>(&sub));
        }
    }
    SendMessageW(hList, WM_SETREDRAW, TRUE, 0);
    t.populate = Now() - t0;
    t.memory = PrivateBytes() - nBefore;

    t0 = Now();
    g_pData = &data;
    SendMessageW(hList, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&CompareListItems));
    t.sort = Now() - t0;

    t0 = Now();
    PaintNow(hList);
    t.firstPaint = Now() - t0;
    t0 = Now();
    PaintNow(hList);
    t.secondPaint = Now() - t0;
    t0 = Now();
    SendMessageW(hList, LVM_ENSUREVISIBLE, data.size() - 1, FALSE);
    PaintNow(hList);
    t.endPaint = Now() - t0;

    DestroyWindow(hList);
    Pump();
    return t;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void PrintLine(const char* pszPhase, double a, double b)
{
    printf("%s,%.2f,%.2f,%.3f\n", pszPhase, a, b, b > 0 ? a / b : 0.0);
}
}  // namespace

int wmain(int argc, wchar_t** argv)
{
    int nRows = 100000;
    for (int i = 1; i + 1 < argc; i++)
    {
        if (wcscmp(argv[i], L"--rows") == 0)
            nRows = std::max(1, _wtoi(argv[i + 1]));
    }
    AfxWinInit(GetModuleHandleW(nullptr), nullptr, GetCommandLineW(), SW_SHOW);
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof(icc);
    icc.dwICC = ICC_LISTVIEW_CLASSES;
    InitCommonControlsEx(&icc);

    const std::vector<BenchRow> data = MakeData(nRows);
    HWND hFrame = CreateWindowExW(0, L"STATIC", L"ReportBench", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    LOGFONTW lf{};
    SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0);
    HFONT hFont = CreateFontIndirectW(&lf);

    std::vector<double> rep[5], lst[5];
    std::vector<double> repMem, lstMem;
    for (int run = 0; run <= kRuns; run++)
    {
        const Timings r = RunReport(hFrame, data, lf);
        const Timings l = RunListView(hFrame, data, hFont);
        if (run == 0)
            continue;  // warm-up
        const double rv[5] = {r.populate, r.sort, r.firstPaint, r.secondPaint, r.endPaint};
        const double lv[5] = {l.populate, l.sort, l.firstPaint, l.secondPaint, l.endPaint};
        for (int p = 0; p < 5; p++)
        {
            rep[p].push_back(rv[p]);
            lst[p].push_back(lv[p]);
        }
        repMem.push_back(static_cast<double>(r.memory) / 1024.0);
        lstMem.push_back(static_cast<double>(l.memory) / 1024.0);
    }
    const char* phases[5] = {"populate", "sort", "first_paint", "second_paint", "end_paint"};
    for (int p = 0; p < 5; p++)
        PrintLine(phases[p], Median(rep[p]), Median(lst[p]));
    const double rm = Median(repMem);
    const double lm = Median(lstMem);
    printf("memory,%.0f,%.0f,%.3f\n", rm, lm, lm > 0 ? rm / lm : 0.0);
    fflush(stdout);
    DeleteObject(hFont);
    DestroyWindow(hFrame);
    return 0;
}
