#include "CommandBars/MenuBar.h"

#include "CommandBars/CommandBars.h"
#include "CommandBars/Controls.h"
#include "CommandBars/CommandBarsDefs.h"
#include "Foundation/HookManager.h"
#include "Foundation/ImageManager.h"

namespace
{

// Bitmap 9102 holds the window-button pictures in this order.
const UINT kWindowButtonCommands[] = {SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE};
const UINT kIdWindowButtonsBitmap = 9102;

}  // namespace

IMPLEMENT_DYNCREATE(CLVKMenuBar, CLVKToolBar)

BEGIN_MESSAGE_MAP(CLVKMenuBar, CLVKToolBar)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CLVKMenuBar::CLVKMenuBar()
{
    m_nType = kBarTypeMenuBar;
    m_nBarID = 1;
    m_dwFlags = 0x5F;
    m_bCloseable = FALSE;
    m_bShowExpandButton = FALSE;
}

CLVKMenuBar::~CLVKMenuBar()
{
    if (m_hHookedSite)
        CLVKHookManager::GetGlobal()->RemoveListener(this);
}

BOOL CLVKMenuBar::LoadMenuBar(UINT nIDMenu)
{
    if (nIDMenu != 0)
    {
        CMenu menu;
        if (!menu.Attach(::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDMenu))))
            return FALSE;
        const BOOL bLoaded = LoadMenu(&menu);
        menu.DestroyMenu();
        if (!bLoaded)
            return FALSE;
        m_nResourceId = nIDMenu;
        m_nCurrentMenuId = nIDMenu;
    }
    AttachToFrame();
    return TRUE;
}

void CLVKMenuBar::AttachToFrame()
{
    // The site shows the bar instead of its own menu, which comes back when
    // the bar's window goes.
    CWnd* pSite = GetSite();
    if (!pSite || !pSite->GetSafeHwnd())
        return;
    if (!m_hHookedSite)
    {
        m_hHookedSite = pSite->GetSafeHwnd();
        CLVKHookManager::GetGlobal()->AddWindowListener(m_hHookedSite, this);
    }
    // Window commands shown on the bar or in a system menu draw these pictures.
    CLVKCommandBars* pCommandBars = GetCommandBars();
    if (CLVKImageManager* pImages = pCommandBars ? pCommandBars->GetImageManager() : GetImageManager())
        pImages->SetIconsFromBitmapResource(MAKEINTRESOURCEW(kIdWindowButtonsBitmap), kWindowButtonCommands,
                                            static_cast<int>(std::size(kWindowButtonCommands)), 16, 16, 0);
    if (m_hSavedFrameMenu)
        return;
    m_hSavedFrameMenu = ::GetMenu(pSite->GetSafeHwnd());
    if (m_hSavedFrameMenu)
        ::SetMenu(pSite->GetSafeHwnd(), nullptr);
}

void CLVKMenuBar::RestoreFrameMenu()
{
    if (!m_hSavedFrameMenu)
        return;
    CWnd* pSite = GetSite();
    if (pSite && ::IsWindow(pSite->GetSafeHwnd()))
        ::SetMenu(pSite->GetSafeHwnd(), m_hSavedFrameMenu);
    m_hSavedFrameMenu = nullptr;
}

int CLVKMenuBar::HandleHookedMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult)
{
    if (!hWnd || hWnd != m_hHookedSite)
        return CLVKToolBar::HandleHookedMessage(hWnd, nMessage, wParam, lParam, lResult);
    if (nMessage == WM_DESTROY)
    {
        RestoreFrameMenu();
        return 0;
    }
    if (nMessage == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU && lParam == 0)
    {
        CLVKCommandBars* pCommandBars = GetCommandBars();
        if (pCommandBars && IsWindowShown() && CLVKCommandBars::GetPopupLock() <= 0 &&
            !(::GetKeyState(VK_SHIFT) & 0x8000) && !pCommandBars->IsCustomizeMode())
        {
            if (!OnMenuKey(VK_MENU))
                pCommandBars->ActivateBarByKeyboard(this, 0);
            lResult = 0;
            return 1;
        }
    }
    return 0;
}

void CLVKMenuBar::ResetToolBar(BOOL bConfirm)
{
    if (m_pControls->GetOriginalControls())
    {
        CLVKToolBar::ResetToolBar(bConfirm);
        return;
    }
    if (m_nCurrentMenuId == 0)
        return;
    if (bConfirm && !ConfirmReset())
        return;
    CMenu menu;
    if (!menu.Attach(::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_nCurrentMenuId))))
        return;
    InternalAddRef();  // the site may let the bar go while it hears of the reset
    LoadMenu(&menu);
    menu.DestroyMenu();
    OnControlsChanged();
    FinishReset();
    InternalRelease();
}

void CLVKMenuBar::Copy(CLVKCommandBar* pSource, BOOL bRecursive)
{
    if (!pSource || pSource == this)
        return;
    CLVKToolBar::Copy(pSource, bRecursive);
    if (CLVKMenuBar* pMenuBar = DYNAMIC_DOWNCAST(CLVKMenuBar, pSource))
    {
        m_nResourceId = pMenuBar->m_nResourceId;
        m_nCurrentMenuId = pMenuBar->m_nCurrentMenuId;
    }
}

void CLVKMenuBar::OnDestroy()
{
    RestoreFrameMenu();
    if (m_hHookedSite)
    {
        CLVKHookManager::GetGlobal()->RemoveListener(this);
        m_hHookedSite = nullptr;
    }
    CLVKToolBar::OnDestroy();
}
