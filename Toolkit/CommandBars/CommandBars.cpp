#include "CommandBars/CommandBars.h"

#include "CommandBars/CommandBar.h"
#include "CommandBars/CommandBarsContextMenus.h"
#include "CommandBars/CommandBarsOptions.h"
#include "CommandBars/Control.h"
#include "CommandBars/ControlActions.h"
#include "CommandBars/Controls.h"
#include "CommandBars/DockBar.h"
#include "CommandBars/MenuBar.h"
#include "CommandBars/PaintManager.h"
#include "CommandBars/ShortcutManager.h"
#include "CommandBars/ToolBar.h"
#include "CommandBars/ToolkitPopupMenu.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/ImageManager.h"
#include "Foundation/ToolTipContext.h"
#include "FrameWnd.h"

IMPLEMENT_DYNCREATE(CLVKCommandBars, CLVKCmdTarget)

namespace
{

struct DockBarInfo
{
    UINT nID;
    DWORD dwAlign;
};

// Top, bottom, left, right: the child ids and bar-alignment styles.
const DockBarInfo kDockBars[CLVKCommandBars::kDockCount] = {
    {AFX_IDW_DOCKBAR_TOP, 0x2800},
    {AFX_IDW_DOCKBAR_BOTTOM, 0x8200},
    {AFX_IDW_DOCKBAR_LEFT, 0x1400},
    {AFX_IDW_DOCKBAR_RIGHT, 0x4100},
};

CFrameWnd* AsFrame(CWnd* pWnd)
{
    return (pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd))) ? static_cast<CFrameWnd*>(pWnd) : nullptr;
}

}  // namespace

CLVKCommandBars::CLVKCommandBars()
{
    CLVKPaintManager::AddRefGlobal();
    // The controls on and beside the bars show their menus as popup bars.
    InstallToolkitPopupMenu();
    m_pOptions = new CLVKCommandBarsOptions();
    m_pOptions->SetCommandBars(this);
    m_pToolTipContext = new CLVKToolTipContext();
    m_pToolTipContext->ModifyStyleBits(0x2, 0);
    m_bKeyboardCuesVisible = TRUE;
    m_pShortcutManager = new CLVKShortcutManager(this);
    m_pActions = new CLVKControlActions(this);
    m_pContextMenus = new CLVKCommandBarsContextMenus(this);
    m_pOptions->SetKeyboardCuesMode(2);
}

CLVKCommandBars::~CLVKCommandBars()
{
    m_bDestroying = TRUE;
    SetCustomizeSelectedControl(nullptr);
    m_pContextMenus->RemoveAll();
    m_pContextMenus->InternalRelease();
    m_pContextMenus = nullptr;
    RemoveAllToolBars();
    for (CLVKDockBar*& pDock : m_pDocks)
    {
        if (pDock)
        {
            if (pDock->GetSafeHwnd())
                pDock->DestroyWindow();
            delete pDock;
            pDock = nullptr;
        }
    }
    if (m_pPaintManager)
        m_pPaintManager->InternalRelease();
    if (m_pImageManager)
        m_pImageManager->InternalRelease();
    m_pToolTipContext->InternalRelease();
    m_pShortcutManager->InternalRelease();
    m_pOptions->InternalRelease();
    m_pActions->RemoveAll();
    m_pActions->InternalRelease();
    CLVKPaintManager::ReleaseGlobal();
}

// ---------------------------------------------------------------- site

void CLVKCommandBars::SetSite(CWnd* pSite)
{
    m_pSite = pSite;
    if (pSite && pSite->GetSafeHwnd())
    {
        // The site allows customisation when it handles the customize command.
        AFX_CMDHANDLERINFO info{};
        m_bCustomizeAvail = pSite->OnCmdMsg(kIdCustomize, CN_COMMAND, nullptr, &info);
        m_bRightToLeft = (pSite->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    }
}

void CLVKCommandBars::CreateDockBars()
{
    for (int i = 0; i < kDockCount; ++i)
    {
        if (m_pDocks[i])
            continue;
        CLVKDockBar* pDock = new CLVKDockBar();
        pDock->SetCommandBars(this);
        if (!m_pSite || !pDock->Create(m_pSite, 0x56000000 | kDockBars[i].dwAlign, kDockBars[i].nID))
        {
            delete pDock;
            AfxThrowResourceException();
        }
        m_pDocks[i] = pDock;
    }
}

CLVKDockBar* CLVKCommandBars::GetDockBar(int nIndex) const
{
    return (nIndex >= 0 && nIndex < kDockCount) ? m_pDocks[nIndex] : nullptr;
}

BOOL CLVKCommandBars::IsLayoutRTL() const
{
    if (m_pSite && m_pSite->GetSafeHwnd())
        return (m_pSite->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    return m_bRightToLeft;
}

BOOL CLVKCommandBars::EnableFrameHook(BOOL bEnable)
{
    // No frame hook can be made until the frame themes exist; with none,
    // disabling has nothing to do and the layout stays as it is.
    (void)bEnable;
    return FALSE;
}

// ---------------------------------------------------------------- services

CLVKPaintManager* CLVKCommandBars::GetPaintManager() const
{
    return m_pPaintManager ? m_pPaintManager : CLVKPaintManager::GetGlobal();
}

void CLVKCommandBars::SetPaintManager(CLVKPaintManager* pPaintManager)
{
    if (pPaintManager == m_pPaintManager)
        return;
    if (m_pPaintManager)
        m_pPaintManager->InternalRelease();
    m_pPaintManager = pPaintManager;
}

CLVKImageManager* CLVKCommandBars::GetImageManager() const
{
    return m_pImageManager ? m_pImageManager : CLVKImageManager::GetGlobal();
}

CLVKControlAction* CLVKCommandBars::CreateAction(int nId)
{
    if (CLVKControlAction* pAction = m_pActions->FindAction(nId))
        return pAction;
    return m_pActions->Add(nId);
}

CLVKControlAction* CLVKCommandBars::FindAction(int nId) const
{
    return m_pActions->FindAction(nId);
}

// ---------------------------------------------------------------- bars

CLVKToolBar* CLVKCommandBars::GetAt(int nIndex) const
{
    return (nIndex >= 0 && nIndex < GetCount()) ? m_arrToolBars[static_cast<size_t>(nIndex)] : nullptr;
}

int CLVKCommandBars::FindToolBarIndex(const CLVKCommandBar* pBar) const
{
    for (int i = 0; i < GetCount(); ++i)
    {
        if (m_arrToolBars[static_cast<size_t>(i)] == pBar)
            return i;
    }
    return -1;
}

CLVKToolBar* CLVKCommandBars::FindToolBar(UINT nBarID) const
{
    if (nBarID == 0)
        return nullptr;
    for (CLVKToolBar* pBar : m_arrToolBars)
    {
        if (pBar->GetBarID() == nBarID)
            return pBar;
    }
    return nullptr;
}

CLVKMenuBar* CLVKCommandBars::GetMenuBar() const
{
    return DYNAMIC_DOWNCAST(CLVKMenuBar, FindToolBar(1));
}

int CLVKCommandBars::FindNextVisibleBar(int nStart, int nStep) const
{
    const int nCount = GetCount();
    if (nCount == 0)
        return -1;
    int nIndex = (nStep == -1 && nStart == -1) ? nCount - 1 : nStart + nStep;
    int nWraps = 0;
    for (;;)
    {
        if (nIndex >= nCount || nIndex < 0)
        {
            // A walk that started outside the list covers it once.
            if (++nWraps > 1 || nStart == -1)
                return -1;
            nIndex = nIndex >= nCount ? 0 : nCount - 1;
        }
        if (nIndex == nStart)
            return nStart;
        if (GetAt(nIndex)->IsWindowShown())
            return nIndex;
        nIndex += nStep;
    }
}

CLVKMenuBar* CLVKCommandBars::CreateMenuBar(LPCTSTR lpszTitle, UINT nIDMenu)
{
    CLVKMenuBar* pMenuBar = DYNAMIC_DOWNCAST(CLVKMenuBar, RUNTIME_CLASS(CLVKMenuBar)->CreateObject());
    if (!pMenuBar)
        return nullptr;
    pMenuBar->SetCommandBars(this);
    pMenuBar->SetTitle(lpszTitle);
    pMenuBar->SetBarID(1);
    if (!pMenuBar->SetPosition(kBarTop) || !pMenuBar->LoadMenuBar(nIDMenu))
    {
        // The bar may already sit in a dock bar: take it out before it goes.
        if (CLVKDockBar* pDock = pMenuBar->GetDockBar())
            pDock->RemoveBar(pMenuBar);
        pMenuBar->InternalRelease();
        return nullptr;
    }
    if (nIDMenu != 0)
    {
        pMenuBar->GetControls()->CreateOriginalControls();
        m_nDefaultMenuID = nIDMenu;
    }
    m_arrToolBars.push_back(pMenuBar);
    return pMenuBar;
}

CLVKToolBar* CLVKCommandBars::CreateToolBar(LPCTSTR lpszTitle, UINT nBarID, BOOL bTearOff)
{
    CLVKToolBar* pBar = DYNAMIC_DOWNCAST(CLVKToolBar, RUNTIME_CLASS(CLVKToolBar)->CreateObject());
    if (!pBar)
        return nullptr;
    pBar->SetCommandBars(this);
    if (m_pSite && m_pSite->GetSafeHwnd())
    {
        LVK_COMMANDBAR_CREATE_REQUEST request{};
        request.pCommandBar = pBar;
        request.bToolBar = TRUE;
        request.bTearOffBar = bTearOff;
        request.lpcstrCaption = lpszTitle;
        request.nID = nBarID;
        m_pSite->SendMessage(LVK_WM_CREATECOMMANDBAR, 0, reinterpret_cast<LPARAM>(&request));
    }
    pBar->SetTitle(lpszTitle);
    if (!pBar->SetPosition(bTearOff ? kBarFloating : kBarTop))
    {
        if (CLVKDockBar* pDock = pBar->GetDockBar())
            pDock->RemoveBar(pBar);
        pBar->InternalRelease();
        return nullptr;
    }
    m_arrToolBars.push_back(pBar);
    pBar->SetBarID(nBarID);
    // The program's own bars are built-in, so "Reset Toolbar" and the
    // tool-bar options work on them; a torn-off popup is not.
    pBar->SetBuiltIn(!bTearOff);
    pBar->SetTearOff(bTearOff);
    if (!bTearOff)
        RecalcFrameLayout();
    AddToReBar(pBar);
    return pBar;
}

BOOL CLVKCommandBars::AttachToDockBar(CLVKToolBar* pBar, LPCRECT lpRect, CLVKDockBar* pDockBar)
{
    if (!pBar || !pDockBar || !m_pSite || !pBar->CreateToolBarWindow(m_pSite, FALSE))
        return FALSE;
    pDockBar->DockBar(pBar, lpRect);
    pBar->SetPositionValue(pDockBar->GetPosition());
    return TRUE;
}

BOOL CLVKCommandBars::DockCommandBarAtSide(CLVKToolBar* pBar, int nSide)
{
    if (nSide < 0 || nSide >= kDockCount)
        return FALSE;
    return AttachToDockBar(pBar, nullptr, m_pDocks[nSide]);
}

BOOL CLVKCommandBars::FloatCommandBar(CLVKToolBar* pBar)
{
    if (!pBar || !m_pSite || !pBar->CreateToolBarWindow(m_pSite, TRUE))
        return FALSE;
    if (CLVKDockBar* pDock = pBar->GetDockBar())
        pDock->RemoveBar(pBar);
    pBar->SetDockBar(nullptr);
    pBar->SetPositionValue(kBarFloating);
    return TRUE;
}

CLVKDockBar* CLVKCommandBars::FindDockBarAtPoint(CPoint ptScreen, CLVKDockBar* pPreferred) const
{
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    const int mx = pDpi->ScaleX(20);
    const int my = pDpi->ScaleY(20);
    auto matches = [&](CLVKDockBar* pDock)
    {
        if (!pDock || !pDock->GetSafeHwnd() || !(pDock->GetDockStyle() & 0xF000))
            return false;
        CRect rc;
        pDock->GetWindowRect(&rc);
        rc.InflateRect(mx, my);
        // Strictly inside: both edges are outside.
        return ptScreen.x > rc.left && ptScreen.x < rc.right && ptScreen.y > rc.top && ptScreen.y < rc.bottom;
    };
    if (matches(pPreferred))
        return pPreferred;
    for (CLVKDockBar* pDock : m_pDocks)
    {
        if (matches(pDock))
            return pDock;
    }
    return nullptr;
}

void CLVKCommandBars::RemoveToolBar(CLVKToolBar* pBar)
{
    const int nIndex = pBar ? FindToolBarIndex(pBar) : -1;
    if (nIndex < 0)
        return;
    if (pBar->GetSafeHwnd())
        pBar->ShowWindow(SW_HIDE);
    pBar->SetHiddenByFrame(FALSE);
    pBar->SetVisibleFlag(FALSE);
    if (CLVKDockBar* pDock = pBar->GetDockBar())
    {
        pDock->RemoveBar(pBar);
        RecalcFrameLayout();
    }
    RemoveFromReBar(pBar);
    pBar->DestroyBar();
    m_arrToolBars.erase(m_arrToolBars.begin() + nIndex);
    pBar->InternalRelease();
}

void CLVKCommandBars::RemoveAllToolBars()
{
    m_bLayoutLocked = TRUE;
    std::vector<CLVKToolBar*> arrBars;
    arrBars.swap(m_arrToolBars);
    for (CLVKToolBar* pBar : arrBars)
    {
        if (pBar->GetSafeHwnd())
            pBar->ShowWindow(SW_HIDE);
        pBar->SetVisibleFlag(FALSE);
        if (CLVKDockBar* pDock = pBar->GetDockBar())
            pDock->RemoveBar(pBar);
        RemoveFromReBar(pBar);
        pBar->DestroyBar();
        pBar->InternalRelease();
    }
    m_bLayoutLocked = FALSE;
    if (!m_bDestroying)
        RecalcFrameLayout(TRUE);
}

void CLVKCommandBars::FlipToolBarVisibility(int nIndex)
{
    if (CLVKToolBar* pBar = GetAt(nIndex))
    {
        pBar->SetVisible(!pBar->IsVisible());
        m_pOptions->bDirty = TRUE;
    }
}

void CLVKCommandBars::AddHiddenRowControlsToPopup(CLVKToolBar* pBar, CLVKCommandBar* pPopup) const
{
    if (!pBar || !pPopup)
        return;
    std::vector<CLVKToolBar*> arrRow;
    GetDockRowBars(pBar, arrRow);
    for (CLVKToolBar* pRowBar : arrRow)
        pRowBar->AddHiddenControlsToPopup(pPopup);
}

// ---------------------------------------------------------------- layout

void CLVKCommandBars::RecalcFrameLayout(BOOL bDelay)
{
    if (m_bLayoutLocked || !m_pSite || !m_pSite->GetSafeHwnd())
        return;
    if (CFrameWnd* pFrame = AsFrame(m_pSite))
    {
        if (bDelay)
            pFrame->m_nIdleFlags |= CFrameWnd::idleLayout;
        else
            pFrame->RecalcLayout(FALSE);
        return;
    }
    CRect rc;
    m_pSite->GetClientRect(&rc);
    m_pSite->SendMessage(WM_SIZE, 0, MAKELPARAM(rc.Width(), rc.Height()));
}

void CLVKCommandBars::FlushDelayedLayout()
{
    CFrameWnd* pFrame = AsFrame(m_pSite);
    if (pFrame && pFrame->GetSafeHwnd() && (pFrame->m_nIdleFlags & CFrameWnd::idleLayout))
    {
        pFrame->RecalcLayout(FALSE);
        pFrame->m_nIdleFlags &= ~CFrameWnd::idleLayout;
    }
}

void CLVKCommandBars::RedrawCommandBars()
{
    m_bLayoutLocked = TRUE;
    for (CLVKToolBar* pBar : m_arrToolBars)
    {
        CLVKControls* pControls = pBar->GetControls();
        for (int i = 0; i < pControls->GetCount(); ++i)
            pControls->GetAt(i)->OnThemeChanged();
        if (pBar->IsVisible())
            pBar->RecalcLayout();
    }
    if (m_pSite && m_pSite->GetSafeHwnd())
    {
        for (HWND hChild = ::GetWindow(m_pSite->GetSafeHwnd(), GW_CHILD); hChild;
             hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        {
            if (CWnd::FromHandlePermanent(hChild))
                ::InvalidateRect(hChild, nullptr, FALSE);
        }
    }
    m_bLayoutLocked = FALSE;
    RecalcFrameLayout(FALSE);
    if (m_pSite && m_pSite->GetSafeHwnd())
    {
        m_pSite->SetWindowPos(nullptr, 0, 0, 0, 0,
                              SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        m_pSite->SendMessage(WM_NCPAINT, 0, 0);
    }
}

void CLVKCommandBars::RedrawVisibleBars()
{
    for (CLVKToolBar* pBar : m_arrToolBars)
    {
        if (pBar->IsVisible() && pBar->GetSafeHwnd())
            pBar->Redraw(nullptr, TRUE);
    }
}

void CLVKCommandBars::SuspendBars(CObject* pObject)
{
    if (pObject == m_pSuspendObject)
        return;
    const BOOL bWasSuspended = m_pSuspendObject != nullptr;
    m_pSuspendObject = pObject;
    // Shortcuts are counted once per suspension, not once per object: a
    // second object replacing the first keeps the one count it took.
    if (bWasSuspended == (pObject != nullptr))
        return;
    m_pShortcutManager->SetShortcutsDisabled(pObject != nullptr);
    for (CLVKToolBar* pBar : m_arrToolBars)
    {
        pBar->SetHiddenByFrame(pObject != nullptr);
        if (!pObject && pBar->IsVisible() && pBar->GetType() == kBarTypeMenuBar && AsFrame(m_pSite))
            RecalcFrameLayout();
    }
}

// ---------------------------------------------------------------- customisation

void CLVKCommandBars::SetCustomizingState(BOOL bCustomize)
{
    m_pOptions->bDirty = TRUE;
    m_bCustomizeMode = bCustomize;
    m_pActions->SetCustomizeMode(bCustomize);
    SetCustomizeSelectedControl(nullptr);
    ShowKeyboardCues(bCustomize);
}

void CLVKCommandBars::SetCustomizeSelectedControl(CLVKControl* pControl)
{
    if (pControl == m_pCustomizeSelected)
        return;
    if (CLVKControl* pOld = m_pCustomizeSelected)
    {
        m_pCustomizeSelected = nullptr;
        pOld->RedrawParent();
        pOld->InternalRelease();
    }
    m_pCustomizeSelected = pControl;
    if (pControl)
    {
        pControl->InternalAddRef();
        pControl->RedrawParent();
    }
    if (!m_bDestroying && m_pSite && m_pSite->GetSafeHwnd())
        m_pSite->SendMessage(LVK_WM_CUSTOMIZESELECTION, 0, 0);
}

BOOL CLVKCommandBars::IsCommandHidden(UINT nId) const
{
    return m_pOptions->IsCommandHidden(nId) && !m_pOptions->IsCommandUsed(nId);
}

BOOL CLVKCommandBars::IsControlHidden(CLVKControl* pControl) const
{
    if (!pControl)
        return FALSE;
    if (IsCommandHidden(pControl->GetID()))
        return TRUE;
    const int nType = pControl->GetType();
    if (!m_pOptions->bAutoHideUnusedPopups || nType < kControlPopup || nType > kControlSplitButton)
        return FALSE;
    CLVKCommandBar* pPopup = pControl->GetCommandBar();
    if (!pPopup || pPopup->GetControlCount() == 0)
        return FALSE;
    for (int i = 0; i < pPopup->GetControlCount(); ++i)
    {
        if (!IsControlHidden(pPopup->GetControl(i)))
            return FALSE;
    }
    return TRUE;
}

void CLVKCommandBars::MarkCommandUsed(UINT nId)
{
    if (IsCommandHidden(nId))
    {
        m_pOptions->SetCommandUsed(nId);
        m_pOptions->bDirty = TRUE;
    }
}
