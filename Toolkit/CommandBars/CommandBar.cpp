#include "CommandBars/CommandBar.h"

#include "CommandBars/CommandBarAnimation.h"
#include "CommandBars/CommandBarCmdUI.h"
#include "CommandBars/CommandBars.h"
#include "CommandBars/CommandBarsOptions.h"
#include "CommandBars/Control.h"
#include "CommandBars/ControlAction.h"
#include "CommandBars/Controls.h"
#include "CommandBars/PaintManager.h"
#include "CommandBars/ShortcutManager.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/FontDC.h"
#include "Foundation/ImageManager.h"
#include "Foundation/ToolTipContext.h"
#include "FrameIds.h"
#include "FrameWnd.h"

#include <algorithm>

#ifndef WM_HELPHITTEST
#define WM_HELPHITTEST 0x0366
#endif

IMPLEMENT_DYNCREATE(CLVKCommandBar, CWnd)

BEGIN_MESSAGE_MAP(CLVKCommandBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUIMessage)
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdate)
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

CLVKCommandBar::CLVKCommandBar()
{
    CLVKPaintManager::AddRefGlobal();
    m_pAnimation = std::make_unique<CLVKCommandBarAnimation>(this);
    m_pControls = new CLVKControls;
    m_pControls->SetParentBar(this);
}

CLVKCommandBar::~CLVKCommandBar()
{
    LeaveInputManagers();
    ClearFocusedEdit();
    if (m_pControls)
    {
        m_pControls->RemoveAll();
        m_pControls->SetParentBar(nullptr);
        m_pControls->InternalRelease();
        m_pControls = nullptr;
    }
    SetPaintManager(nullptr);
    SetImageManager(nullptr);
    CLVKPaintManager::ReleaseGlobal();
}

void CLVKCommandBar::OnFinalRelease()
{
    // Tearing the window down may take and drop references of its own
    // (ending the tracking of an open popup); they must not release the
    // bar a second time.
    m_dwRef = 1;
    if (GetSafeHwnd())
        DestroyWindow();
    delete this;
}

CLVKCommandBars* CLVKCommandBar::GetCommandBars() const
{
    for (const CLVKCommandBar* pBar = this; pBar; pBar = pBar->GetParentBar())
    {
        if (pBar->m_pCommandBars)
            return pBar->m_pCommandBars;
    }
    return nullptr;
}

CLVKCommandBar* CLVKCommandBar::GetRootParent() const
{
    const CLVKCommandBar* pBar = this;
    while (CLVKCommandBar* pParent = pBar->GetParentBar())
        pBar = pParent;
    return const_cast<CLVKCommandBar*>(pBar);
}

CWnd* CLVKCommandBar::GetOwnerSite() const
{
    for (const CLVKCommandBar* pBar = this; pBar; pBar = pBar->GetParentBar())
    {
        if (pBar->m_pSiteWindow)
            return pBar->m_pSiteWindow;
        if (pBar->GetSafeHwnd())
        {
            if (const HWND hOwner = ::GetWindow(pBar->GetSafeHwnd(), GW_OWNER))
                return CWnd::FromHandle(hOwner);
        }
    }
    return GetSite();
}

CWnd* CLVKCommandBar::GetSite() const
{
    // The manager's site comes first.
    const CLVKCommandBar* pRoot = GetRootParent();
    if (CLVKCommandBars* pCommandBars = GetCommandBars())
    {
        if (CWnd* pSite = pCommandBars->GetSite())
            return pSite;
    }
    if (pRoot->m_pOwnerWindow)
        return pRoot->m_pOwnerWindow;
    if (const HWND hRoot = pRoot->GetSafeHwnd())
    {
        if (const HWND hOwner = ::GetWindow(hRoot, GW_OWNER))
            return CWnd::FromHandle(hOwner);
        if (const HWND hParent = ::GetParent(hRoot))
            return CWnd::FromHandle(hParent);
    }
    return AfxGetMainWnd();
}

CFrameWnd* CLVKCommandBar::GetSiteFrame() const
{
    CWnd* pSite = GetSite();
    return (pSite && pSite->IsKindOf(RUNTIME_CLASS(CFrameWnd))) ? static_cast<CFrameWnd*>(pSite) : nullptr;
}

CLVKPaintManager* CLVKCommandBar::GetPaintManager() const
{
    if (m_pPaintManager)
        return m_pPaintManager;
    const CLVKCommandBar* pRoot = GetRootParent();
    if (pRoot != this && pRoot->m_pPaintManager)
        return pRoot->m_pPaintManager;
    return CLVKPaintManager::GetGlobal();
}

void CLVKCommandBar::SetPaintManager(CLVKPaintManager* pPaintManager)
{
    if (m_pPaintManager == pPaintManager)
        return;
    if (m_pPaintManager)
    {
        m_pPaintManager->RemoveObserver(this);
        m_pPaintManager->InternalRelease();
    }
    m_pPaintManager = pPaintManager;
    if (m_pPaintManager)
        m_pPaintManager->AddObserver(this);
}

void CLVKCommandBar::OnPaintManagerDestroyed(CLVKPaintManager* pPaintManager)
{
    if (pPaintManager != m_pPaintManager)
        return;
    m_pPaintManager->RemoveObserver(this);
    m_pPaintManager = nullptr;
}

CLVKImageManager* CLVKCommandBar::GetImageManager() const
{
    if (m_pImageManager)
        return m_pImageManager;
    const CLVKCommandBar* pRoot = GetRootParent();
    if (pRoot != this && pRoot->m_pImageManager)
        return pRoot->m_pImageManager;
    return CLVKImageManager::GetGlobal();
}

void CLVKCommandBar::SetImageManager(CLVKImageManager* pImageManager)
{
    if (m_pImageManager == pImageManager)
        return;
    if (m_pImageManager)
        m_pImageManager->InternalRelease();
    m_pImageManager = pImageManager;
}

CLVKControl* CLVKCommandBar::GetControl(int nIndex) const
{
    return m_pControls ? m_pControls->GetAt(nIndex) : nullptr;
}

int CLVKCommandBar::GetControlCount() const
{
    return m_pControls ? m_pControls->GetCount() : 0;
}

void CLVKCommandBar::SetControls(CLVKControls* pControls)
{
    if (pControls == m_pControls || !pControls)
        return;
    if (m_pControls)
    {
        m_pControls->SetParentBar(nullptr);
        m_pControls->InternalRelease();
    }
    m_pControls = pControls;
    m_pControls->SetParentBar(this);
    OnControlsChanged();
}

void CLVKCommandBar::SetShowGripper(BOOL bShow)
{
    if (bShow)
        m_dwStyle |= kBarStyleGripper;
    else
        m_dwStyle &= ~kBarStyleGripper;
}

void CLVKCommandBar::UnlockRedraw()
{
    // A redraw held by the lock waits for the next idle update.
    if (m_nRedrawLock > 0)
        m_nRedrawLock--;
}

BOOL CLVKCommandBar::IsCustomizeMode() const
{
    // Customize mode is the command-bar manager's.
    CLVKCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars && pCommandBars->IsCustomizeMode();
}

BOOL CLVKCommandBar::IsLayoutRTL() const
{
    return GetSafeHwnd() && (::GetWindowLong(GetSafeHwnd(), GWL_EXSTYLE) & (WS_EX_LAYOUTRTL | WS_EX_RTLREADING));
}

BOOL CLVKCommandBar::IsSiteInHelpMode() const
{
    // The framework's frames have no context-help mode.
    return FALSE;
}

BOOL CLVKCommandBar::IsFrameHookActive() const
{
    // Only a top bar can be drawn into the frame, and only through the
    // manager's frame hook.
    CLVKCommandBars* pCommandBars = GetCommandBars();
    return m_nPosition == kBarTop && pCommandBars && pCommandBars->IsFrameHookActive();
}

void CLVKCommandBar::HideKeyboardTips()
{
    // Key tips are shown and removed by the command-bar manager.
}

void CLVKCommandBar::EnableAnimation(BOOL bEnable)
{
    m_pAnimation->EnableAnimation(bEnable);
    Redraw(nullptr, TRUE);
}

BOOL CLVKCommandBar::IsAnimationEnabled() const
{
    return m_pAnimation->IsAnimationEnabled();
}

void CLVKCommandBar::EnableOffscreenCache(BOOL bEnable)
{
    m_pAnimation->EnableOffscreenCache(bEnable);
}

void CLVKCommandBar::Redraw(LPCRECT lpRect, BOOL bAnimate)
{
    if (m_nRedrawLock > 0)
    {
        m_dwState |= kBarStateRedraw;
        return;
    }
    if (!lpRect)
        m_dwState &= ~kBarStateRedraw;
    if (GetSafeHwnd() && (GetWindowLong(GetSafeHwnd(), GWL_STYLE) & WS_VISIBLE))
        m_pAnimation->RedrawRect(lpRect, bAnimate);
}

void CLVKCommandBar::RedrawParents()
{
    for (CLVKCommandBar* pBar = this; pBar; pBar = pBar->GetParentBar())
        pBar->Redraw(nullptr, TRUE);
}

void CLVKCommandBar::OnControlsChanged()
{
    m_dwState |= kBarStateLayout;
    m_nHotIndex = -1;
    m_nPopupedIndex = -1;
}

BOOL CLVKCommandBar::LoadMenu(CMenu* pMenu, BOOL bRemoveControls)
{
    if (!pMenu || !::IsMenu(pMenu->GetSafeHmenu()))
        return FALSE;
    if (bRemoveControls)
        m_pControls->RemoveAll();
    m_pControls->LoadMenu(pMenu);
    if (CFrameWnd* pFrame = GetSafeHwnd() ? GetParentFrame() : nullptr)
        pFrame->m_nIdleFlags |= CFrameWnd::idleNotify | CFrameWnd::idleLayout;
    return TRUE;
}

void CLVKCommandBar::Copy(CLVKCommandBar* pSource, BOOL bRecursive)
{
    if (!pSource || pSource == this)
        return;
    m_nType = pSource->m_nType;
    m_nPosition = pSource->m_nPosition;
    m_nBarID = pSource->m_nBarID;
    m_dwFlags = pSource->m_dwFlags;
    m_dwStyle = pSource->m_dwStyle;
    m_strTitle = pSource->m_strTitle;
    m_bCustomizable = pSource->m_bCustomizable;
    m_nMRUWidth = pSource->m_nMRUWidth;
    m_szIcons = pSource->m_szIcons;
    m_szButtons = pSource->m_szButtons;
    m_pCommandBars = pSource->m_pCommandBars;
    m_nDefaultButtonStyle = pSource->m_nDefaultButtonStyle;
    m_pControls->Copy(pSource->m_pControls, bRecursive);
}

CLVKCommandBar* CLVKCommandBar::Clone(BOOL bRecursive)
{
    CLVKCommandBar* pClone = static_cast<CLVKCommandBar*>(GetRuntimeClass()->CreateObject());
    pClone->Copy(this, bRecursive);
    return pClone;
}

BOOL CLVKCommandBar::IsPointInBar(CPoint ptScreen) const
{
    if (!GetSafeHwnd())
        return FALSE;
    CRect rcWindow;
    ::GetWindowRect(GetSafeHwnd(), &rcWindow);
    if (!rcWindow.PtInRect(ptScreen))
        return FALSE;
    if (m_nPosition != kBarPopup)
        return TRUE;
    HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
    BOOL bIn = TRUE;
    if (::GetWindowRgn(GetSafeHwnd(), hRgn) != ERROR)
        bIn = ::PtInRegion(hRgn, ptScreen.x - rcWindow.left, ptScreen.y - rcWindow.top);
    ::DeleteObject(hRgn);
    return bIn;
}

void CLVKCommandBar::DestroyBar()
{
    EndTracking();
    m_pControls->RemoveAll();
    if (GetSafeHwnd())
        DestroyWindow();
}

void CLVKCommandBar::UpdateShortcuts()
{
    // The controls name the shortcuts of the manager's table; context menus
    // only when the options say so.
    CLVKCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars)
        return;
    const CLVKCommandBarsOptions* pOptions = pCommandBars->GetCommandBarsOptions();
    const BOOL bContextMenu = GetRootParent()->IsPopupBar();
    for (int i = 0; i < GetControlCount(); i++)
    {
        CLVKControl* pControl = GetControl(i);
        if (!pControl->IsVisible(kHideRarelyUsed | kHideScrolledOut))
            continue;
        if (!pOptions->bShowKeyboardShortcuts || (bContextMenu && !pOptions->bShowContextMenuAccelerators))
        {
            pControl->m_strShortcutTextAuto.Empty();
            continue;
        }
        if (pControl->GetID() == 0)
            continue;
        CString strText = pControl->m_strShortcutTextAuto;
        pCommandBars->GetShortcutManager()->FindCommandShortcutText(static_cast<UINT>(pControl->GetID()), strText);
        pControl->m_strShortcutTextAuto = strText;
    }
}

BOOL CLVKCommandBar::AreKeyboardCuesVisible() const
{
    // The cue mode is the manager's; without one, underlines show.
    CLVKCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars ? pCommandBars->AreKeyboardCuesVisible() : TRUE;
}

void CLVKCommandBar::OnKeyboardTip(CLVKControl* pControl)
{
    if (pControl)
        pControl->ExecuteFromKeyboard();
}

void CLVKCommandBar::OnControlSelected(int nState, CLVKControl* pControl)
{
    if (CWnd* pSite = GetSite())
    {
        if (pSite->GetSafeHwnd())
            pSite->SendMessage(LVK_WM_CONTROLSELECTED, nState ? reinterpret_cast<WPARAM>(pControl) : 0, 0);
    }
    CLVKCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars)
        pCommandBars->m_nHotHelpId = nState && pControl ? HelpIdOf(pControl) : 0;
    if (!pControl)
        return;
    if (pControl->GetIndex() != m_nLastClickedIndex)
    {
        m_nLastClickedIndex = -1;
        SetStatusText(nState ? static_cast<LPCTSTR>(pControl->GetDescription()) : _T(""));
    }
    else if (nState == 0)
    {
        m_nLastClickedIndex = -1;
    }
}

void CLVKCommandBar::SetStatusText(LPCTSTR lpszText)
{
    CLVKCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars && !pCommandBars->GetCommandBarsOptions()->bShowStatusText)
        return;
    CWnd* pSite = (pCommandBars && pCommandBars->GetSite()) ? pCommandBars->GetSite() : GetSite();
    if (!pSite || !pSite->GetSafeHwnd())
        return;
    if (lpszText && *lpszText)
        pSite->SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText));
    else
        pSite->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
}

void CLVKCommandBar::SetFocusedEdit(CLVKControl* pEdit)
{
    m_pFocusedEdit = pEdit;
}

void CLVKCommandBar::ClearFocusedEdit()
{
    m_pFocusedEdit = nullptr;
}

void CLVKCommandBar::OnIdleUpdateCmdUI()
{
    if (!GetSafeHwnd() || !(GetWindowLong(GetSafeHwnd(), GWL_STYLE) & WS_VISIBLE))
        return;
    UpdateDocTemplateControls();
    UpdateCommandUI();
    if (m_dwState & kBarStateRedraw)
        Redraw(nullptr, FALSE);
    if (m_dwState & kBarStateLayout)
    {
        RecalcLayout();
        m_dwState &= ~kBarStateLayout;
    }
}

void CLVKCommandBar::UpdateDocTemplateControls()
{
    CLVKCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars)
        return;
    const UINT nMenuId = pCommandBars->GetActiveMenuId();
    for (int i = 0; i < GetControlCount(); i++)
    {
        CLVKControl* pControl = GetControl(i);
        const std::set<UINT>& assigned = pControl->GetDocTemplatesAssigned();
        const std::set<UINT>& excluded = pControl->GetDocTemplatesExcluded();
        DWORD dwHide = pControl->GetHideFlags();
        if (!assigned.empty())
            dwHide = assigned.count(nMenuId) ? (dwHide & ~kHideDocTemplate) : (dwHide | kHideDocTemplate);
        if (!excluded.empty())
            dwHide = excluded.count(nMenuId) ? (dwHide | kHideDocTemplate) : (dwHide & ~kHideDocTemplate);
        if (dwHide != pControl->GetHideFlags())
        {
            pControl->SetHideFlags(dwHide);
            m_dwState |= kBarStateLayout;
        }
    }
}

void CLVKCommandBar::UpdateCommandUI()
{
    CWnd* pSite = GetOwnerSite();
    if (!GetSafeHwnd() || !pSite || !pSite->GetSafeHwnd())
        return;
    // The disable-without-handler switch is the manager's option; without a
    // manager nothing is disabled for lack of a handler.
    CLVKCommandBars* pCommandBars = GetCommandBars();
    const BOOL bDisableIfNoHandler = pCommandBars && pCommandBars->GetCommandBarsOptions()->bDisableCommandIfNoHandler;
    const BOOL bSuspended = GetRootParent()->m_bNoCommandUpdate;

    CCommandBarCmdUI state;
    for (int i = 0; i < GetControlCount(); i++)
    {
        CLVKControl* pControl = GetControl(i);
        if (!pControl->IsVisible(kHideByProgram | kHideScrolledOut | kHideRarelyUsed))
            continue;
        pControl->OnIdleUpdate();
        if (bSuspended || (pControl->GetFlags() & kFlagNoAutoUpdate))
            continue;
        state.m_pControl = pControl;
        state.m_nID = static_cast<UINT>(pControl->GetID());
        state.m_nIndex = static_cast<UINT>(i);
        state.m_bEnableChanged = FALSE;
        state.m_bCheckChanged = FALSE;
        if (OnCmdMsg(0, MAKELONG(static_cast<WORD>(CN_UPDATE_COMMAND_UI), WM_COMMAND + WM_REFLECT_BASE), &state,
                     nullptr))
            continue;
        if (OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
            continue;
        if (IsCustomizeMode())
        {
            if (pControl->GetEnabledValue() != -1)
                pControl->SetEnabled(TRUE);
            continue;
        }
        state.DoUpdate(pSite, bDisableIfNoHandler);
    }
    UpdateDialogControls(pSite, bDisableIfNoHandler);
}

BOOL CLVKCommandBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // Every message is offered to the manager's tooltip context first.
    if (m_pToolTipContext && GetSafeHwnd())
        m_pToolTipContext->RelayMouseMessage(GetSafeHwnd(), message, wParam, lParam);
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

int CLVKCommandBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    // The manager's tooltip context serves all its bars.
    if (CLVKCommandBars* pCommandBars = GetCommandBars(); pCommandBars && !m_pToolTipContext)
    {
        m_pToolTipContext = pCommandBars->GetToolTipContext();
        m_pToolTipContext->InternalAddRef();
    }
    return 0;
}

void CLVKCommandBar::OnDestroy()
{
    EndTracking();
    m_pAnimation->OnDestroy();
    if (CLVKToolTipContext* pToolTipContext = m_pToolTipContext)
    {
        m_pToolTipContext = nullptr;
        pToolTipContext->HideTip();
        pToolTipContext->InternalRelease();
    }
    CWnd::OnDestroy();
}

void CLVKCommandBar::OnPaint()
{
    CPaintDC dc(this);
    m_pAnimation->OnPaint(&dc, CRect(dc.m_ps.rcPaint));
}

BOOL CLVKCommandBar::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

LRESULT CLVKCommandBar::OnPrintClient(WPARAM wParam, LPARAM /*lParam*/)
{
    CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
    CRect rcClient;
    GetClientRect(&rcClient);
    DrawCommandBar(pDC, rcClient);
    return 1;
}

LRESULT CLVKCommandBar::OnIdleUpdateCmdUIMessage(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    OnIdleUpdateCmdUI();
    return 0;
}

LRESULT CLVKCommandBar::OnInitialUpdate(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    OnIdleUpdateCmdUI();
    return 0;
}

LRESULT CLVKCommandBar::OnHelpHitTest(WPARAM /*wParam*/, LPARAM lParam)
{
    const CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    CLVKControl* pControl = m_pControls->HitTest(pt);
    if (!pControl)
    {
        const int nDlgId = ::GetDlgCtrlID(GetSafeHwnd());
        return nDlgId ? 0x50000 + nDlgId : 0;
    }
    return 0x10000 + HelpIdOf(pControl);
}

UINT AFX_CDECL CLVKCommandBar::HelpIdOf(const CLVKControl* pControl)
{
    if (pControl->GetHelpId() > 0)
        return static_cast<UINT>(pControl->GetHelpId());
    if (CLVKControlAction* pAction = pControl->GetAction())
        return static_cast<UINT>(pAction->GetHelpId() > 0 ? pAction->GetHelpId() : pAction->GetId());
    return static_cast<UINT>(pControl->GetID());
}

void CLVKCommandBar::DrawBackground(CDC* pDC)
{
    if (CLVKPaintManager* pPaintManager = GetPaintManager())
        pPaintManager->FillCommandBarEntry(pDC, this);
}

CRect CLVKCommandBar::GetBorders()
{
    CLVKPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager ? pPaintManager->GetCommandBarBorders(this) : CRect(0, 0, 0, 0);
}

void CLVKCommandBar::DrawCommandBar(CDC* pDC, CRect rcClipBox)
{
    if (!pDC)
        return;
    CLVKPaintManager* pPaintManager = GetPaintManager();
    if (!pPaintManager)
        return;
    DrawBackground(pDC);
    if (HasGripper() || m_nPosition == kBarFloating)
        pPaintManager->DrawCommandBarFrame(pDC, this, TRUE);

    pDC->SetBkMode(TRANSPARENT);
    const CLVKFontDC font(pDC, pPaintManager->GetCommandBarFont(this));
    BOOL bFirst = TRUE;
    for (int i = 0; i < GetControlCount(); i++)
    {
        CLVKControl* pControl = GetControl(i);
        if (pControl->GetParent() != this || !pControl->IsVisible())
            continue;
        if (pControl->GetBeginGroup() && !bFirst)
            pPaintManager->DrawCommandBarSeparator(pDC, this, pControl, TRUE);
        bFirst = FALSE;
        CRect rcIntersect;
        if (rcIntersect.IntersectRect(rcClipBox, pControl->GetRect()))
            pControl->Draw(pDC);
    }
    if (IsCustomizeMode() && !m_rcDropMarker.IsRectEmpty())
        DrawDropMarker(pDC);
}
