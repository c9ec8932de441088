#pragma once

#include "Framework.h"
#include "MainWindowServices.h"

// Sent to the marker window from outside; wParam bit 0x800 closes the main window.
constexpr UINT WM_CLOSE_REQUEST = WM_APP + 0x582;

// The hidden marker window of a running instance: a second start finds it by
// its class and title and activates its owner, the main window.
class CLookupWnd : public CWnd
{
public:
    static LPCWSTR GetClassName() { return kMarkerWindowClassName; }
    static LPCWSTR GetTitle() { return kMarkerWindowTitle; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnCloseRequest(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
