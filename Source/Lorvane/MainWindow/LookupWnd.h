#pragma once

#include "Framework.h"

// Sent to the marker window from outside; wParam bit 0x800 closes the main window.
constexpr UINT WM_CLOSE_REQUEST = WM_APP + 0x582;

// The hidden marker window of a running instance: a second start finds it by
// its class and title and activates its owner, the main window.
class CLookupWnd : public CWnd
{
public:
    static LPCWSTR GetClassName() { return L"LORVANE-12D4CDF0-D2B3-411F-A637-FE4E71E539B3"; }
    static LPCWSTR GetTitle() { return L"Lorvane"; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnCloseRequest(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
