// A shown frame with a command-bar manager and its four dock bars, for the
// tests of tool bars that dock, float and are dragged. The site allows
// customisation and records what the bars tell it.
#pragma once

#include "Framework.h"

#include "CommandBars/CommandBars.h"
#include "CommandBars/CommandBarsDefs.h"
#include "CommandBars/Controls.h"
#include "CommandBars/DockBar.h"
#include "CommandBars/ToolBar.h"
#include "FrameWnd.h"

#include <utility>
#include <vector>

class CDockSite : public CFrameWnd
{
public:
    CDockSite() { m_bAutoDelete = FALSE; }

    BOOL m_bCustomizeAllowed = TRUE;
    std::vector<std::pair<CLVKCommandBar*, BOOL>> m_visibility;  // LVK_WM_TOOLBARVISCHANGED
    std::vector<CLVKCommandBar*> m_resets;                       // LVK_WM_TOOLBARRESET
    std::vector<UINT> m_commands;
    int m_nExpandRequests = 0;  // LVK_WM_CREATECOMMANDBAR for an expand menu

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pInfo) override
    {
        if (nID == CLVKCommandBars::kIdCustomize && nCode == CN_COMMAND)
            return m_bCustomizeAllowed;
        if (nID >= 0xE100 && nID < 0xE200 && nCode == CN_COMMAND)
        {
            if (!pInfo)
                m_commands.push_back(nID);
            return TRUE;
        }
        return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pInfo);
    }

    afx_msg LRESULT OnVisibilityChanged(WPARAM wParam, LPARAM lParam)
    {
        m_visibility.emplace_back(reinterpret_cast<CLVKCommandBar*>(wParam), static_cast<BOOL>(lParam));
        return 0;
    }
    afx_msg LRESULT OnCreateCommandBar(WPARAM, LPARAM lParam)
    {
        if (reinterpret_cast<LVK_COMMANDBAR_CREATE_REQUEST*>(lParam)->bExpandBar)
            m_nExpandRequests++;
        return 0;
    }
    afx_msg LRESULT OnToolBarReset(WPARAM, LPARAM lParam)
    {
        m_resets.push_back(reinterpret_cast<CLVKCommandBar*>(lParam));
        return 0;
    }

protected:
    DECLARE_MESSAGE_MAP()
};

inline void DrainDockMessages()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        if (msg.message == WM_QUIT)
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

struct DockFixture
{
    CDockSite frame;
    CLVKCommandBars* pBars = nullptr;

    explicit DockFixture(BOOL bCustomizeAllowed = TRUE)
    {
        frame.m_bCustomizeAllowed = bCustomizeAllowed;
        frame.Create(nullptr, L"Site", WS_OVERLAPPEDWINDOW, CRect(100, 100, 700, 500));
        frame.ShowWindow(SW_SHOWNOACTIVATE);
        pBars = new CLVKCommandBars;
        pBars->SetSite(&frame);
        pBars->CreateDockBars();
    }
    ~DockFixture()
    {
        pBars->InternalRelease();
        frame.DestroyWindow();
        DrainDockMessages();
    }

    // A tool bar docked at the top with nButtons buttons (ids 0xE130 on).
    CLVKToolBar* AddBar(LPCTSTR lpszTitle, UINT nBarID, int nButtons, BOOL bTearOff = FALSE)
    {
        CLVKToolBar* pBar = pBars->CreateToolBar(lpszTitle, nBarID, bTearOff);
        for (int i = 0; pBar && i < nButtons; i++)
            pBar->GetControls()->Add(kControlButton, 0xE130 + i);
        if (pBar)
            pBar->GetControls()->CreateOriginalControls();
        frame.RecalcLayout();
        return pBar;
    }
    void SetClientWidth(int nWidth)
    {
        CRect rc(0, 0, nWidth, 300);
        ::AdjustWindowRectEx(&rc, frame.GetStyle(), FALSE, frame.GetExStyle());
        frame.SetWindowPos(nullptr, 0, 0, rc.Width(), rc.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        frame.RecalcLayout();
    }
    CLVKDockBar* Dock(int nIndex) const { return pBars->GetDockBar(nIndex); }
    CRect ClientOnScreen() const
    {
        CRect rc;
        frame.GetClientRect(&rc);
        frame.ClientToScreen(&rc);
        return rc;
    }
    static CRect WindowRect(const CWnd* pWnd)
    {
        CRect rc;
        pWnd->GetWindowRect(&rc);
        return rc;
    }
};
