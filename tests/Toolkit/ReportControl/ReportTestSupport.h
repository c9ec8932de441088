// A parent window that records the report control's notifications, and a
// control filled with simple text records.
#pragma once

#include "Foundation/ResourceImages.h"
#include "ReportControl/ReportColumn.h"
#include "ReportControl/ReportColumns.h"
#include "ReportControl/ReportControl.h"
#include "ReportControl/ReportGroupRow.h"
#include "ReportControl/ReportRecord.h"
#include "ReportControl/ReportRecordItemNumber.h"
#include "ReportControl/ReportRecordItemText.h"
#include "ReportControl/ReportRecords.h"
#include "ReportControl/ReportRow.h"
#include "ReportControl/ReportRows.h"
#include "ReportControl/ReportSelectedRows.h"
#include "PrintedWindow.h"

#include <vector>

class CNotifyRecorder : public CWnd
{
public:
    std::vector<int> m_codes;
    int m_nRefuseCode = 0;  // answered with 1 (refused) when non-zero

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY)
        {
            const int nCode = static_cast<int>(reinterpret_cast<NMHDR*>(lParam)->code);
            if (nCode != REPORT_NOTIFY_GET_ITEM_METRICS && nCode != REPORT_NOTIFY_HOT_ROW_CHANGED)
                m_codes.push_back(nCode);
            // These codes are refused through the record's cancel field.
            if ((nCode == REPORT_NOTIFY_FOCUS_CHANGING || nCode == REPORT_NOTIFY_REQUEST_EDIT) &&
                m_nRefuseCode == nCode)
            {
                reinterpret_cast<REPORT_ITEM_NOTIFY_EX*>(lParam)->lExtra = 1;
                return 0;
            }
            return m_nRefuseCode == nCode ? 1 : 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    int Count(int nCode) const
    {
        int n = 0;
        for (int c : m_codes)
            n += c == nCode ? 1 : 0;
        return n;
    }
};

// Runs the thread's pending messages (timers, posted redraws).
inline void PumpReportMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// A window's text (an edit box's, a list's).
inline CString WindowTextOf(HWND hWnd)
{
    WCHAR sz[256] = {};
    GetWindowTextW(hWnd, sz, 256);
    return sz;
}

inline CLVKReportRecord* MakeRecord(std::initializer_list<LPCWSTR> texts)
{
    auto* pRecord = new CLVKReportRecord();
    for (LPCWSTR text : texts)
        pRecord->AddItem(new CLVKReportRecordItemText(text));
    return pRecord;
}

// A parent and a report control (of a class derived from the control when a
// test needs one) of the given client size.
template <class TReport>
struct ReportWindowT
{
    CNotifyRecorder parent;
    TReport report;

    explicit ReportWindowT(int cx = 400, int cy = 300)
    {
        parent.CreateEx(0, NULL, L"ReportTests", WS_OVERLAPPEDWINDOW, 0, 0, cx + 50, cy + 80, NULL, NULL);
        RECT rc{0, 0, cx, cy};
        report.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, rc, &parent, 100);
        // Rows are hit-tested where they were last drawn: the window must paint.
        parent.ShowWindow(SW_SHOW);
    }
    ~ReportWindowT()
    {
        report.DestroyWindow();
        parent.DestroyWindow();
    }
    void AddColumns(int n, int nWidth = 100)
    {
        for (int i = 0; i < n; i++)
        {
            CString strCaption;
            strCaption.Format(L"Col%d", i);
            report.AddColumn(new CLVKReportColumn(i, strCaption, nWidth, FALSE));
        }
    }
    std::vector<CString> FirstColumnCaptions()
    {
        std::vector<CString> out;
        CLVKReportRows* pRows = report.GetRows();
        for (int i = 0; i < pRows->GetCount(); i++)
        {
            CLVKReportRow* pRow = pRows->GetAt(i);
            if (pRow->IsGroupRow())
                out.push_back(L"G:" + static_cast<CLVKReportGroupRow*>(pRow)->GetCaption());
            else
                out.push_back(pRow->GetRecord()->GetItem(0)->GetCaption(nullptr));
        }
        return out;
    }
};

// Loads one of the toolkit's resource themes for the duration of a test;
// without a name, no theme values are in force.
class ScopedResourceTheme
{
public:
    explicit ScopedResourceTheme(LPCWSTR lpszName)
    {
        CLVKResourceImages* pImages = CLVKResourceImages::GetGlobal();
        m_bLoaded = lpszName ? pImages->LoadTheme(nullptr, lpszName, FALSE) : FALSE;
        if (!lpszName)
            pImages->ResetTheme();
    }
    ~ScopedResourceTheme() { CLVKResourceImages::GetGlobal()->ResetTheme(); }
    BOOL IsLoaded() const { return m_bLoaded; }

private:
    BOOL m_bLoaded = FALSE;
};

// The picture of the control, freshly drawn and taken with WM_PRINTCLIENT.
using Picture = PrintedWindow;

inline Picture Capture(CLVKReportControl& report)
{
    report.RedrawControl();
    return Picture(report.GetSafeHwnd());
}

// Sets keys (VK_SHIFT, VK_CONTROL) down in the thread's key state while it
// lives.
class ScopedKeysDown
{
public:
    explicit ScopedKeysDown(std::initializer_list<int> keys) : m_keys(keys) { Set(0x80); }
    ~ScopedKeysDown() { Set(0); }

private:
    void Set(BYTE nState)
    {
        BYTE state[256] = {};
        GetKeyboardState(state);
        for (int vk : m_keys)
            state[vk] = nState;
        SetKeyboardState(state);
    }
    std::vector<int> m_keys;
};

using ReportWindow = ReportWindowT<CLVKReportControl>;
