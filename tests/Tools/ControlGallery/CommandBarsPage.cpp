// The "commandbars" page: a frame window with the toolkit's command bars. A
// menu bar (File, Edit, View), a tool bar docked at the top with more buttons
// than the page is wide, one docked at the left, one floating, a status line
// that shows the commands' prompts, and an edit as the client. Shortcuts:
// Ctrl+N, Ctrl+O and the chord Ctrl+K, S (Save). Every command the frame gets
// from a bar, a menu or a shortcut is printed on standard output as
// "command N" (N decimal). --theme N is the command-bar theme number.
#include "GalleryPages.h"

#include "CommandBars/CommandBars.h"
#include "CommandBars/MenuBar.h"
#include "CommandBars/PaintManager.h"
#include "CommandBars/ShortcutManager.h"
#include "CommandBars/ShortcutTable.h"
#include "CommandBars/ToolBar.h"
#include "ControlBar.h"
#include "FrameWnd.h"

#include <cstdio>

namespace
{

const UINT kIdMenu = 12100;
const UINT kIdAccelerators = 12100;
const UINT kIdTopBar = 12110;
const UINT kIdLeftBar = 12111;
const UINT kIdFormatBar = 12112;
const UINT kIdClient = AFX_IDW_PANE_FIRST;

// A one-line status bar along the bottom edge that shows its window text:
// the frame writes the prompts of the commands into it.
class CGalleryStatusLine : public CControlBar
{
public:
    BOOL Create(CWnd* pParent)
    {
        m_dwStyle = CBRS_ALIGN_BOTTOM;
        return CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW)), L"",
                        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, CRect(0, 0, 0, 0), pParent, AFX_IDW_STATUS_BAR);
    }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override
    {
        CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
        TEXTMETRICW tm{};
        CClientDC dc(this);
        CFont* pOld = dc.SelectObject(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
        dc.GetTextMetrics(&tm);
        dc.SelectObject(pOld);
        size.cy = tm.tmHeight + 8;
        return size;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SETTEXT)
        {
            const LRESULT lResult = CControlBar::WindowProc(message, wParam, lParam);
            Invalidate();
            return lResult;
        }
        if (message == WM_PAINT)
        {
            CPaintDC dc(this);
            CRect rc;
            GetClientRect(&rc);
            dc.FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
            dc.Draw3dRect(rc, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
            CString strText;
            GetWindowText(strText);
            CFont* pOld = dc.SelectObject(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
            dc.SetBkMode(TRANSPARENT);
            dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
            rc.DeflateRect(6, 0);
            dc.DrawText(strText, &rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
            dc.SelectObject(pOld);
            return 0;
        }
        return CControlBar::WindowProc(message, wParam, lParam);
    }
};

// The frame: its command-bar manager sees its messages first, and it prints
// every command it gets.
class CGalleryFrame : public CFrameWnd
{
public:
    CGalleryFrame() { m_bAutoDelete = FALSE; }

    BOOL CreateFrame(LPCWSTR lpszTitle, CSize size)
    {
        if (!Create(nullptr, lpszTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(CPoint(20, 20), size)))
            return FALSE;
        if (!m_statusLine.Create(this))
            return FALSE;
        const HWND hEdit = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN,
                                             0, 0, 0, 0, m_hWnd, reinterpret_cast<HMENU>(kIdClient),
                                             ::GetModuleHandleW(nullptr), nullptr);
        if (!hEdit)
            return FALSE;
        ::SendMessageW(hEdit, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);

        m_pCommandBars = new CLVKCommandBars;
        m_pCommandBars->SetSite(this);
        m_pCommandBars->CreateDockBars();
        if (!m_pCommandBars->CreateMenuBar(L"Menu Bar", kIdMenu))
            return FALSE;
        CLVKShortcutManager* pShortcuts = m_pCommandBars->GetShortcutManager();
        pShortcuts->LoadAccelerators(kIdAccelerators);
        // A two-key chord: Ctrl+K, then S saves.
        LVK_SHORTCUTMANAGER_ACCEL chord{};
        if (pShortcuts->ParseShortcutText(L"Ctrl+K, S", chord))
        {
            chord.cmd = ID_FILE_SAVE;
            pShortcuts->GetShortcutTable().Add(chord);
        }

        CLVKToolBar* pTop = m_pCommandBars->CreateToolBar(L"Standard", kIdTopBar);
        CLVKToolBar* pLeft = m_pCommandBars->CreateToolBar(L"Drawing", kIdLeftBar);
        CLVKToolBar* pFormat = m_pCommandBars->CreateToolBar(L"Format", kIdFormatBar);
        if (!pTop || !pLeft || !pFormat)
            return FALSE;
        pTop->LoadToolBar(kIdTopBar);
        pLeft->LoadToolBar(kIdLeftBar);
        pFormat->LoadToolBar(kIdFormatBar);
        m_pCommandBars->DockCommandBarAtSide(pLeft, CLVKCommandBars::kDockLeft);
        m_pCommandBars->FloatCommandBar(pFormat);
        RecalcLayout();
        // The floating bar stands over the lower right part of the client.
        CRect rcClient;
        GetClientRect(&rcClient);
        ClientToScreen(&rcClient);
        const CSize szFormat = pFormat->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
        pFormat->SetWindowPos(nullptr, rcClient.right - szFormat.cx - 40, rcClient.bottom - szFormat.cy - 60,
                              szFormat.cx, szFormat.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        m_pTopBar = pTop;
        SetMessageText(AFX_IDS_IDLEMESSAGE);
        return TRUE;
    }

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_DESTROY)
            ReleaseCommandBars();
        if (m_pCommandBars && m_pCommandBars->HandleFrameMessage(message, wParam, lParam, pResult))
            return TRUE;
        return CFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
    }

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (m_pCommandBars && m_pCommandBars->PreTranslateFrameMessage(pMsg))
            return TRUE;
        return CFrameWnd::PreTranslateMessage(pMsg);
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        // Bars, menus and shortcuts send commands without a control window.
        if (lParam == 0)
        {
            wprintf(L"command %u\n", static_cast<unsigned>(LOWORD(wParam)));
            fflush(stdout);
        }
        return CFrameWnd::OnCommand(wParam, lParam);
    }

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nCode == CN_UPDATE_COMMAND_UI && pExtra)
        {
            CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
            if (nID == ID_VIEW_TOOLBAR)
                pCmdUI->SetCheck(m_pTopBar && m_pTopBar->IsVisible());
            else if (nID == ID_VIEW_STATUS_BAR)
                pCmdUI->SetCheck(m_statusLine.IsVisible());
            pCmdUI->Enable(TRUE);
            return TRUE;
        }
        if (nCode == CN_COMMAND)
        {
            if (pHandlerInfo)
                return TRUE;
            if (nID == ID_VIEW_TOOLBAR && m_pTopBar)
                m_pTopBar->SetVisible(!m_pTopBar->IsVisible());
            else if (nID == ID_VIEW_STATUS_BAR)
                ShowControlBar(&m_statusLine, !m_statusLine.IsVisible(), FALSE);
            else if (nID == ID_APP_EXIT)
                PostMessage(WM_CLOSE);
            return TRUE;
        }
        return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }

    void PostNcDestroy() override
    {
        CFrameWnd::PostNcDestroy();
        ::PostQuitMessage(0);
    }

private:
    void ReleaseCommandBars()
    {
        // The bars go while the frame still stands.
        if (!m_pCommandBars)
            return;
        CLVKCommandBars* pCommandBars = m_pCommandBars;
        m_pCommandBars = nullptr;
        m_pTopBar = nullptr;
        pCommandBars->InternalRelease();
    }

    CLVKCommandBars* m_pCommandBars = nullptr;
    CLVKToolBar* m_pTopBar = nullptr;
    CGalleryStatusLine m_statusLine;
};

class CommandBarsPage : public GalleryPage
{
public:
    // Narrow enough that the top bar cannot show all its buttons.
    CSize DefaultSize() const override { return CSize(480, 360); }

    void Create(CLVKResizeDialog& /*dialog*/) override {}
    bool MakesOwnWindow() const override { return true; }

    CWnd* CreateOwnWindow(LPCWSTR lpszTitle, CSize size, int nTheme) override
    {
        if (nTheme >= 0)
            CLVKPaintManager::SetTheme(nTheme);
        if (!m_frame.CreateFrame(lpszTitle, size))
        {
            if (m_frame.GetSafeHwnd())
                m_frame.DestroyWindow();
            return nullptr;
        }
        return &m_frame;
    }

private:
    CGalleryFrame m_frame;
};

}  // namespace

std::unique_ptr<GalleryPage> CreateCommandBarsPage()
{
    return std::make_unique<CommandBarsPage>();
}
