#include "CommandBars/ToolBar.h"

#include "CommandBars/CommandBars.h"
#include "CommandBars/CommandBarsOptions.h"
#include "CommandBars/Controls.h"
#include "CommandBars/DockBar.h"
#include "CommandBars/DockContext.h"
#include "CommandBars/PaintManager.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/WindowHelpers.h"
#include "FrameIds.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CLVKToolBar, CLVKCommandBar)

BEGIN_MESSAGE_MAP(CLVKToolBar, CLVKCommandBar)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEACTIVATE()
    ON_WM_CLOSE()
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

namespace
{

const wchar_t kToolBarClass[] = L"LVKToolBar";
// WS_POPUP or WS_CHILD, with WS_CLIPSIBLINGS | WS_CLIPCHILDREN | MFS_SYNCACTIVE.
const DWORD kFloatingStyle = 0x86000100;
const DWORD kDockedStyle = 0x46000100;
// Room kept at the end of a docked bar for its expand button.
const int kExpandButtonRoom = 11;

// The distance from a floating bar's edge within which the pointer sizes it.
int SizingEdge()
{
    return CLVKDpiScaling::GetGlobal()->ScaleX(3);
}

}  // namespace

CLVKToolBar::CLVKToolBar() : m_pDockContext(std::make_unique<CLVKDockContext>(this))
{
    m_dwFlags = 0x3F;
    LVKRegisterWindowClass(nullptr, kToolBarClass, CS_DBLCLKS);
}

CLVKToolBar::~CLVKToolBar() = default;

CRect CLVKToolBar::GetDockedRect() const
{
    return m_pDockContext ? m_pDockContext->GetDockedRect() : CRect(0, 0, 0, 0);
}

void CLVKToolBar::SetDockedRect(const CRect& rc)
{
    if (m_pDockContext)
        m_pDockContext->SetDockedRect(rc);
}

BOOL CLVKToolBar::CreateToolBarWindow(CWnd* pParent, BOOL bFloating)
{
    if (GetSafeHwnd())
    {
        // The window's style: the bar's own GetStyle answers its bar style.
        const DWORD dwStyle = static_cast<DWORD>(::GetWindowLongW(GetSafeHwnd(), GWL_STYLE));
        if (bFloating && (dwStyle & WS_CHILD))
        {
            // A floating bar never takes the activation from its frame, but
            // re-parenting may activate the new top-level window (Wine's
            // does): the window that was active gets it back.
            const BOOL bShown = (dwStyle & WS_VISIBLE) != 0;
            const HWND hActive = ::GetActiveWindow();
            const HWND hOwner = pParent ? pParent->GetSafeHwnd() : nullptr;
            if (bShown)
                ShowWindow(SW_HIDE);
            ModifyStyle(WS_CHILD, WS_POPUP | MFS_SYNCACTIVE);
            SetParent(nullptr);
            if (::GetActiveWindow() == GetSafeHwnd())
                ::SetActiveWindow(hActive ? hActive : hOwner);
            ::SetWindowLongPtrW(GetSafeHwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(hOwner));
            if (hOwner && (::GetWindowLongW(hOwner, GWL_EXSTYLE) & WS_EX_TOPMOST))
                SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            if (bShown)
                ShowWindow(SW_SHOWNA);
        }
        else if (!bFloating && (dwStyle & WS_POPUP))
        {
            ModifyStyle(WS_POPUP | MFS_SYNCACTIVE, WS_CHILD);
        }
        return TRUE;
    }
    CLVKCommandBars* pCommandBars = GetCommandBars();
    const DWORD dwExStyle = (pCommandBars && pCommandBars->IsLayoutRTL()) ? WS_EX_LAYOUTRTL : 0;
    CSize szWindow;
    if (m_pDockContext)
        szWindow = m_pDockContext->GetFloatingSize();
    else
        szWindow = CSize(CLVKDpiScaling::GetGlobal()->ScaleX(100), CLVKDpiScaling::GetGlobal()->ScaleY(100));
    const CRect rc(CPoint(0, 0), szWindow);
    if (!CreateEx(dwExStyle, kToolBarClass, m_strTitle, bFloating ? kFloatingStyle : kDockedStyle, rc, pParent, 0))
        return FALSE;
    ShowWindow(SW_SHOWNA);
    return TRUE;
}

// ---------------------------------------------------------------- layout

CLVKControl* CLVKToolBar::GetSystemButton(int nId)
{
    CLVKControl* pControl = m_pControls->FindControl(0, nId);
    if (!pControl)
    {
        CLVKControl* pNew = nullptr;
        if (nId == kIdToolBarOptions)
            pNew = new CControlButtonExpand;
        else
            pNew = new CControlButtonHide;
        pControl = m_pControls->AddControl(pNew, nId, nullptr, -1, TRUE);
    }
    // Out of the row layout; the bar places it itself.
    pControl->SetHideFlags(pControl->GetHideFlags() | kHideByProgram);
    return pControl;
}

CSize CLVKToolBar::LayoutRows(int nLength, DWORD dwMode, CRect rcBorders, int nHeight, BOOL bReserve)
{
    if (bReserve)
    {
        CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
        if (dwMode & LM_VERTDOCK)
            rcBorders.bottom += pDpi->ScaleY(kExpandButtonRoom);
        else
            rcBorders.right += pDpi->ScaleX(kExpandButtonRoom);
    }
    CClientDC dc(GetSafeHwnd() ? this : nullptr);
    return m_pControls->CalcDynamicSize(&dc, nLength, dwMode, rcBorders, nHeight);
}

CSize CLVKToolBar::CalcDockingLayout(int nLength, DWORD dwMode, int nHeight)
{
    const CRect rcBorders = GetBorders();
    if (CLVKControl* pClose = m_pControls->FindControl(0, kIdToolBarClose))
        pClose->SetHideFlags(pClose->GetHideFlags() | kHideByProgram);
    const BOOL bCommit = (dwMode & LM_COMMIT) != 0;
    const BOOL bVertical = (dwMode & LM_VERTDOCK) != 0;
    const BOOL bRedraw = bCommit && (m_dwState & kBarStateLayout);
    if (!m_bShowExpandButton)
    {
        const CSize sz = LayoutRows(nLength, dwMode, rcBorders, nHeight, FALSE);
        if (bRedraw)
            Redraw(nullptr, FALSE);
        return sz;
    }

    CLVKControl* pExpand = GetSystemButton(kIdToolBarOptions);
    CLVKCommandBars* pCommandBars = GetCommandBars();
    const BOOL bAlways = !pCommandBars || pCommandBars->GetCommandBarsOptions()->bShowExpandButtonAlways;
    CSize sz;
    BOOL bUseExpand = FALSE;
    if (bAlways)
    {
        sz = LayoutRows(nLength, dwMode, rcBorders, nHeight, TRUE);
        bUseExpand = TRUE;
    }
    else if (!bCommit)
    {
        // Measuring: leave room for the button when the controls could
        // need it, so that a short row keeps one.
        sz = LayoutRows(nLength, dwMode, rcBorders, nHeight, FALSE);
        if (m_pControls->GetVisibleCount() > 1)
        {
            CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
            const CSize szOne = LayoutRows(1, dwMode & ~LM_COMMIT, rcBorders, nHeight, FALSE);
            if (bVertical)
                sz.cy = std::max(sz.cy, szOne.cy + pDpi->ScaleY(kExpandButtonRoom));
            else
                sz.cx = std::max(sz.cx, szOne.cx + pDpi->ScaleX(kExpandButtonRoom));
        }
    }
    else
    {
        sz = LayoutRows(nLength, dwMode, rcBorders, nHeight, FALSE);
        BOOL bHidden = FALSE;
        for (int i = 0; i < m_pControls->GetCount() && !bHidden; i++)
            bHidden = m_pControls->GetAt(i)->GetHideFlags() == kHideOverflow;
        if (bHidden)
        {
            sz = LayoutRows(nLength, dwMode, rcBorders, nHeight, TRUE);
            bUseExpand = TRUE;
        }
    }
    if (bUseExpand)
    {
        pExpand->SetHideFlags(pExpand->GetHideFlags() & ~kHideByProgram);
        if (bCommit)
        {
            if (CLVKPaintManager* pPaintManager = GetPaintManager())
                pPaintManager->FillControlBackground(nullptr, lvkSystemButtonExpand, pExpand, this, FALSE, sz);
        }
    }
    if (bRedraw)
        Redraw(nullptr, FALSE);
    return sz;
}

CSize CLVKToolBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    if (m_nPosition != kBarFloating)
        return CalcDockingLayout(nLength, dwMode);

    CLVKPaintManager* pPaintManager = GetPaintManager();
    CClientDC dc(GetSafeHwnd() ? this : nullptr);
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    CRect rcBorders = GetBorders();
    const int nCaption = pPaintManager ? pPaintManager->DrawCommandBarFrame(&dc, this, FALSE).cy : 0;
    rcBorders.top += nCaption + pDpi->ScaleY(1);

    CLVKCommandBars* pCommandBars = GetCommandBars();
    CLVKControl* pClose = m_bCloseable ? GetSystemButton(kIdToolBarClose) : m_pControls->FindControl(0, kIdToolBarClose);
    if (pClose && !m_bCloseable)
        pClose->SetHideFlags(pClose->GetHideFlags() | kHideByProgram);
    CLVKControl* pExpand = nullptr;
    if (m_bShowExpandButton && pCommandBars)
        pExpand = GetSystemButton(kIdToolBarOptions);
    else if ((pExpand = m_pControls->FindControl(0, kIdToolBarOptions)) != nullptr)
        pExpand->SetHideFlags(pExpand->GetHideFlags() | kHideByProgram);

    CSize sz;
    if (m_nType == kBarTypePopup)
    {
        UpdateShortcuts();
        sz = m_pControls->CalcPopupSize(&dc, 0, 0, rcBorders);
    }
    else
    {
        sz = m_pControls->CalcDynamicSize(&dc, nLength, dwMode, rcBorders);
    }

    // The caption's buttons: squares as high as the caption, at its right end.
    const int nSide = nCaption;
    CRect rcButton(sz.cx - pDpi->ScaleX(3) - nSide, pDpi->ScaleY(3), sz.cx - pDpi->ScaleX(3), pDpi->ScaleY(3) + nSide);
    if (pClose && m_bCloseable)
    {
        pClose->SetRect(rcButton);
        pClose->SetHideFlags(pClose->GetHideFlags() & ~kHideByProgram);
        rcButton.OffsetRect(-nSide, 0);
    }
    if (pExpand && m_bShowExpandButton && pCommandBars)
    {
        const BOOL bAlways = pCommandBars->GetCommandBarsOptions()->bShowExpandButtonAlways;
        if (bAlways && rcButton.left >= pDpi->ScaleX(3))
        {
            pExpand->SetRect(rcButton);
            pExpand->SetHideFlags(pExpand->GetHideFlags() & ~kHideByProgram);
        }
    }
    if ((dwMode & LM_COMMIT) && (m_dwState & kBarStateLayout))
        Redraw(nullptr, FALSE);
    return sz;
}

CRect CLVKToolBar::GetBorders()
{
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    if (m_nPosition == kBarFloating)
        return CRect(pDpi->ScaleX(3), pDpi->ScaleY(3), pDpi->ScaleX(3), pDpi->ScaleY(3));
    CRect rc = CLVKCommandBar::GetBorders();
    if (HasGripper())
    {
        if (CLVKPaintManager* pPaintManager = GetPaintManager())
        {
            CClientDC dc(GetSafeHwnd() ? this : nullptr);
            const CSize szGripper = pPaintManager->DrawCommandBarFrame(&dc, this, FALSE);
            rc.left += szGripper.cx;
            rc.top += szGripper.cy;
        }
    }
    return rc;
}

void CLVKToolBar::RecalcLayout()
{
    if (!GetSafeHwnd() || !IsWindowVisible() || m_bLayingOut)
        return;
    m_bLayingOut = TRUE;
    if (m_nPosition == kBarFloating)
    {
        const CSize sz = CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
        SetWindowPos(nullptr, 0, 0, sz.cx, sz.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    else if (CLVKCommandBars* pCommandBars = GetCommandBars())
    {
        pCommandBars->RecalcFrameLayout();
    }
    else if (CWnd* pSite = GetSite())
    {
        CRect rc;
        pSite->GetClientRect(&rc);
        pSite->SendMessage(WM_SIZE, 0, MAKELPARAM(rc.Width(), rc.Height()));
    }
    m_bLayingOut = FALSE;
    Redraw(nullptr, TRUE);
}

// ---------------------------------------------------------------- loading and placing

BOOL CLVKToolBar::LoadToolBar(UINT nIDResource, BOOL bLoadIcons)
{
    SetBarID(nIDResource);
    if (!CLVKCommandBar::LoadToolBar(nIDResource, bLoadIcons))
        return FALSE;
    m_pControls->CreateOriginalControls();
    return TRUE;
}

void CLVKToolBar::SetVisible(BOOL bVisible)
{
    if (bVisible == m_bVisible)
        return;
    m_bVisible = bVisible;
    CLVKCommandBars* pCommandBars = GetCommandBars();
    if (bVisible)
    {
        if (GetSafeHwnd())
            ShowWindow(SW_SHOWNA);
        if (m_pDockBar && pCommandBars)
            pCommandBars->RecalcFrameLayout();
        else
            RecalcLayout();
    }
    else
    {
        EndTracking();
        if (GetSafeHwnd())
            ShowWindow(SW_HIDE);
        if (m_pDockBar && pCommandBars)
            pCommandBars->RecalcFrameLayout();
    }
    if (pCommandBars)
    {
        if (CWnd* pSite = pCommandBars->GetSite())
        {
            if (pSite->GetSafeHwnd())
                pSite->SendMessage(LVK_WM_TOOLBARVISCHANGED, reinterpret_cast<WPARAM>(this), bVisible);
        }
        pCommandBars->GetCommandBarsOptions()->bDirty = TRUE;
        if (!bVisible && m_bTearOff)
            pCommandBars->RemoveToolBar(this);
    }
}

BOOL CLVKToolBar::SetPosition(int nPosition)
{
    CLVKCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars)
        return FALSE;
    if (nPosition >= kBarTop && nPosition <= kBarRight)
        return pCommandBars->DockCommandBarAtSide(this, nPosition);
    if (nPosition == kBarFloating)
        return pCommandBars->FloatCommandBar(this);
    return FALSE;
}

void CLVKToolBar::SetHiddenByFrame(BOOL bHidden)
{
    if (bHidden == m_bHiddenByFrame)
        return;
    m_bHiddenByFrame = bHidden;
    if (bHidden)
    {
        m_bSavedVisible = m_bVisible;
        if (m_bVisible)
        {
            m_bVisible = FALSE;
            if (GetSafeHwnd())
                ShowWindow(SW_HIDE);
        }
    }
    else if (m_bSavedVisible)
    {
        m_bVisible = TRUE;
        if (GetSafeHwnd())
            ShowWindow(SW_SHOWNA);
    }
}

void CLVKToolBar::Copy(CLVKCommandBar* pSource, BOOL bRecursive)
{
    if (!pSource || pSource == this)
        return;
    CLVKCommandBar::Copy(pSource, bRecursive);
    if (CLVKToolBar* pToolBar = DYNAMIC_DOWNCAST(CLVKToolBar, pSource))
    {
        m_bBuiltIn = pToolBar->m_bBuiltIn;
        m_bTearOff = pToolBar->m_bTearOff;
        m_bCloseable = pToolBar->m_bCloseable;
    }
}

// ---------------------------------------------------------------- mouse

void CLVKToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_nPosition == kBarFloating)
        SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (m_pControls->HitTest(point))
    {
        CLVKCommandBar::OnLButtonDown(nFlags, point);
        return;
    }
    if (CLVKCommandBars* pCommandBars = GetCommandBars())
        pCommandBars->ClosePopups();
    if (m_pDockContext && (m_dwFlags & (kBarFlagDockAny | kBarFlagFloatable)))
    {
        // The drag may re-create the bar's place or hand it to a site that
        // releases it: hold it until the drag is over.
        InternalAddRef();
        CPoint pt = point;
        ClientToScreen(&pt);
        m_pDockContext->StartDrag(pt);
        InternalRelease();
    }
}

void CLVKToolBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_pDockContext && !m_pControls->HitTest(point))
    {
        InternalAddRef();
        m_pDockContext->ToggleDocking();
        InternalRelease();
        return;
    }
    CLVKCommandBar::OnLButtonDblClk(nFlags, point);
}

void CLVKToolBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (CLVKControl* pControl = m_pControls->HitTest(point))
    {
        if (pControl->OnRButtonDown(point))
            return;
    }
    CLVKCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars || pCommandBars->IsCustomizeMode())
    {
        CWnd::OnRButtonDown(nFlags, point);
        return;
    }
    EndTracking();
    SetSelected(-1);
    Redraw(nullptr, FALSE);
    CPoint pt = point;
    ClientToScreen(&pt);
    InternalAddRef();
    pCommandBars->ShowToolBarsContextMenu(0, pt.x, pt.y);
    InternalRelease();
}

LRESULT CLVKToolBar::OnNcHitTest(CPoint point)
{
    if (m_nPosition != kBarFloating || m_nType == kBarTypePopup)
        return CWnd::OnNcHitTest(point);
    CRect rc;
    GetWindowRect(&rc);
    const int nEdge = SizingEdge();
    if (point.y < rc.top + nEdge)
        return HTTOP;
    if (point.y >= rc.bottom - nEdge)
        return HTBOTTOM;
    if (point.x < rc.left + nEdge)
        return HTLEFT;
    if (point.x >= rc.right - nEdge)
        return HTRIGHT;
    return CWnd::OnNcHitTest(point);
}

void CLVKToolBar::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (!m_pDockContext || nHitTest < HTLEFT || nHitTest > HTBOTTOMRIGHT)
    {
        CWnd::OnNcLButtonDown(nHitTest, point);
        return;
    }
    EndTracking();
    SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (CLVKCommandBars* pCommandBars = GetCommandBars())
        pCommandBars->ClosePopups();
    InternalAddRef();
    m_pDockContext->StartResize(static_cast<int>(nHitTest), point);
    InternalRelease();
}

BOOL CLVKToolBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_pDockContext && nHitTest == HTCLIENT && m_nPosition != kBarFloating && HasGripper() &&
        (m_dwFlags & (kBarFlagDockAny | kBarFlagFloatable)))
    {
        // Over the gripper: the part of the bar before its controls.
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        const CRect rcBorders = GetBorders();
        const BOOL bVertical = m_nPosition == kBarLeft || m_nPosition == kBarRight;
        if ((bVertical && pt.y < rcBorders.top) || (!bVertical && pt.x < rcBorders.left))
        {
            ::SetCursor(::LoadCursor(nullptr, IDC_SIZEALL));
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

int CLVKToolBar::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    if (m_nPosition == kBarFloating || IsCustomizeMode())
        return MA_NOACTIVATE;
    return CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

void CLVKToolBar::OnClose()
{
    // Only the close button or the program hides a bar.
}

LRESULT CLVKToolBar::OnFloatStatus(WPARAM wParam, LPARAM /*lParam*/)
{
    const DWORD dwFlags = static_cast<DWORD>(wParam);
    if (dwFlags & FS_SYNCACTIVE)
        return (::GetWindowLongW(GetSafeHwnd(), GWL_STYLE) & MFS_SYNCACTIVE) ? 1 : 0;
    if (m_nPosition != kBarFloating || !m_bVisible || !GetSafeHwnd())
        return 0;
    CLVKCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars && !pCommandBars->GetCommandBarsOptions()->bSyncFloatingBars)
        return 0;
    if (dwFlags & FS_DEACTIVATE)
    {
        // The frame went to the background: the bar goes with it, unless
        // the focus is in the bar itself.
        const HWND hFocus = ::GetFocus();
        if (hFocus != GetSafeHwnd() && !::IsChild(GetSafeHwnd(), hFocus))
            ShowWindow(SW_HIDE);
    }
    if (dwFlags & FS_ACTIVATE)
    {
        const HWND hForeground = ::GetForegroundWindow();
        if (!IsWindowVisible() && ::GetFocus() && hForeground && ::IsWindowVisible(hForeground) &&
            !::IsIconic(hForeground))
            ShowWindow(SW_SHOWNA);
    }
    if (dwFlags & FS_SHOW)
        ShowWindow(SW_SHOWNA);
    if (dwFlags & FS_HIDE)
        ShowWindow(SW_HIDE);
    if (dwFlags & (FS_ENABLE | FS_DISABLE))
        EnableWindow((dwFlags & FS_ENABLE) != 0);
    return 0;
}

LRESULT CLVKToolBar::OnSizeParent(WPARAM /*wParam*/, LPARAM lParam)
{
    // A bar standing directly in its site (no dock bar) takes a strip off
    // the top of the site's remaining client area.
    AFX_SIZEPARENTPARAMS* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!pLayout || !m_bVisible || !IsWindowVisible())
        return 0;
    DWORD dwMode = LM_HORZ | LM_HORZDOCK;
    if (pLayout->hDWP)
        dwMode |= LM_COMMIT;
    if (m_dwFlags & kBarFlagStretched)
        dwMode |= LM_STRETCH;
    if (m_dwFlags & kBarFlagMayHide)
        dwMode |= CLVKControls::kLayoutHideWrap;
    CRect rcLeft(pLayout->rect);
    const CSize sz = CalcDynamicLayout(rcLeft.Width(), dwMode);
    const int nHeight = std::min(static_cast<int>(sz.cy), rcLeft.Height());
    const CRect rc(rcLeft.left, rcLeft.top, rcLeft.left + sz.cx, rcLeft.top + nHeight);
    pLayout->rect.top += nHeight;
    pLayout->sizeTotal.cy += nHeight;
    pLayout->sizeTotal.cx = std::max(pLayout->sizeTotal.cx, sz.cx);
    if (pLayout->hDWP)
    {
        AfxRepositionWindow(pLayout, GetSafeHwnd(), &rc);
        Redraw(nullptr, FALSE);
    }
    return 0;
}
