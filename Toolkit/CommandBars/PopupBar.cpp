#include "CommandBars/PopupBar.h"

#include "CommandBars/CommandBars.h"
#include "CommandBars/CommandBarsOptions.h"
#include "CommandBars/Control.h"
#include "CommandBars/ControlPopup.h"
#include "CommandBars/Controls.h"
#include "CommandBars/MouseManager.h"
#include "CommandBars/PaintManager.h"
#include "Foundation/BitmapDC.h"
#include "Foundation/DisplayMonitors.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/MenuSoundPlayer.h"
#include "Foundation/ShadowManager.h"
#include "Foundation/ToolTipContext.h"
#include "FrameIds.h"
#include "FrameWnd.h"

#include <algorithm>
#include <cstdlib>

IMPLEMENT_DYNCREATE(CLVKPopupBar, CLVKCommandBar)
IMPLEMENT_DYNCREATE(CLVKPopupToolBar, CLVKPopupBar)

BEGIN_MESSAGE_MAP(CLVKPopupBar, CLVKCommandBar)
    ON_WM_MOUSEACTIVATE()
    ON_WM_NCACTIVATE()
    ON_WM_NCCREATE()
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
END_MESSAGE_MAP()

CLVKPopupBar::CLVKPopupBar()
{
    m_nType = kBarTypePopup;
    m_nPosition = kBarPopup;
    m_nMRUWidth = 0;
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    m_rcBorders.SetRect(pDpi->ScaleX(2), pDpi->ScaleY(4), pDpi->ScaleX(2), pDpi->ScaleY(4));
    m_scrollDown.nTimerId = kTimerScrollDown;
    m_scrollUp.nTimerId = kTimerScrollUp;
}

CLVKPopupBar* AFX_CDECL CLVKPopupBar::CreatePopupBar(CLVKCommandBars* pCommandBars)
{
    CLVKPopupBar* pBar = static_cast<CLVKPopupBar*>(RUNTIME_CLASS(CLVKPopupBar)->CreateObject());
    pBar->SetCommandBars(pCommandBars);
    return pBar;
}

CLVKPopupToolBar* AFX_CDECL CLVKPopupToolBar::CreatePopupToolBar(CLVKCommandBars* pCommandBars)
{
    CLVKPopupToolBar* pBar = static_cast<CLVKPopupToolBar*>(RUNTIME_CLASS(CLVKPopupToolBar)->CreateObject());
    pBar->SetCommandBars(pCommandBars);
    return pBar;
}

CLVKCommandBar* CLVKPopupBar::GetParentBar() const
{
    return m_pControlPopup ? m_pControlPopup->GetParent() : nullptr;
}

CRect CLVKPopupBar::GetBorders()
{
    if (m_nType == kBarTypeToolBar)
        return m_rcBorders;
    return CLVKCommandBar::GetBorders();
}

CSize CLVKPopupBar::CalcDynamicLayout(int nLength, DWORD /*dwMode*/)
{
    m_bLayingOut = TRUE;
    CClientDC dc(GetSafeHwnd() ? this : nullptr);
    CSize sz;
    if (m_nType == kBarTypeToolBar)
    {
        // A popup tool bar lays its controls out in rows inside its borders.
        DWORD dwMode = 0x142;
        sz = m_pControls->CalcDynamicSize(&dc, -1, dwMode, m_rcBorders);
        m_bLayingOut = FALSE;
        return sz;
    }
    CRect rcBorders = GetBorders();
    if (nLength <= 0)
    {
        for (int i = 0; i < GetControlCount(); i++)
            GetControl(i)->OnBeforeLayout(0);
        UpdateExpandState();
        UpdateShortcuts();
    }
    // The expand button takes a strip above the bottom border, outside the
    // column layout.
    int nExpandHeight = 0;
    if (m_bHasHiddenItems)
    {
        if (!m_pExpandButton)
        {
            m_pExpandButton = new CControlExpandButton;
            m_pControls->AddControl(m_pExpandButton, kIdExpandButton, nullptr, -1, TRUE);
        }
        CLVKPaintManager* pPaintManager = GetPaintManager();
        nExpandHeight = pPaintManager->FillControlBackground(&dc, lvkSystemButtonPopupExpand, m_pExpandButton, this,
                                                             FALSE, CSize(0, 0))
                            .cy;
        rcBorders.bottom += nExpandHeight;
    }
    if (m_pExpandButton)
        m_pExpandButton->SetHideFlags(m_pExpandButton->GetHideFlags() | kHideByProgram);
    sz = m_pControls->CalcPopupSize(&dc, nLength > 0 ? nLength : 0, 0, rcBorders);
    if (m_pExpandButton && m_bHasHiddenItems)
    {
        const int nBottom = sz.cy - rcBorders.bottom;
        m_pExpandButton->SetRect(CRect(rcBorders.left, nBottom, sz.cx - rcBorders.right, nBottom + nExpandHeight));
        m_pExpandButton->SetHideFlags(m_pExpandButton->GetHideFlags() & ~kHideByProgram);
    }
    m_bLayingOut = FALSE;
    return sz;
}

void CLVKPopupBar::Copy(CLVKCommandBar* pSource, BOOL bRecursive)
{
    if (!pSource || pSource == this)
        return;
    CLVKCommandBar::Copy(pSource, bRecursive);
    if (CLVKPopupBar* pPopup = DYNAMIC_DOWNCAST(CLVKPopupBar, pSource))
    {
        m_bTearOffPopup = pPopup->m_bTearOffPopup;
        m_strTearOffCaption = pPopup->m_strTearOffCaption;
        m_nTearOffId = pPopup->m_nTearOffId;
        m_nTearOffWidth = pPopup->m_nTearOffWidth;
        m_bShowShadow = pPopup->m_bShowShadow;
        m_rcBorders = pPopup->m_rcBorders;
        m_bContextMenu = pPopup->m_bContextMenu;
    }
}

CLVKCommandBar* CLVKPopupBar::Clone(BOOL bRecursive)
{
    CLVKPopupBar* pClone = static_cast<CLVKPopupBar*>(GetRuntimeClass()->CreateObject());
    pClone->Copy(this, bRecursive);
    return pClone;
}

namespace
{
constexpr LPCTSTR kPopupBarClass = _T("LVKPopupBar");

// The class of popup windows; CS_SAVEBITS lets the system restore the
// screen under a menu without repainting what lies below, unless the
// options turn it off (the first popup decides).
BOOL RegisterPopupBarClass(BOOL bSaveBits)
{
    WNDCLASS wc{};
    if (::GetClassInfo(AfxGetInstanceHandle(), kPopupBarClass, &wc))
        return TRUE;
    wc.style = bSaveBits ? (CS_SAVEBITS | CS_DBLCLKS) : CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kPopupBarClass;
    return AfxRegisterClass(&wc);
}
}  // namespace

BOOL CLVKPopupBar::CreatePopupWindow()
{
    if (GetSafeHwnd())
        return TRUE;
    CLVKCommandBars* pCommandBars = GetCommandBars();
    const BOOL bSaveBits = !pCommandBars || pCommandBars->GetCommandBarsOptions()->bUseSystemSaveBitsStyle;
    if (!RegisterPopupBarClass(bSaveBits))
        return FALSE;
    CWnd* pSite = GetSite();
    DWORD dwExStyle = WS_EX_TOOLWINDOW;
    const BOOL bRightToLeft =
        pCommandBars ? pCommandBars->IsLayoutRTL()
                     : (pSite && pSite->GetSafeHwnd() &&
                        (::GetWindowLong(pSite->GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL));
    if (bRightToLeft)
        dwExStyle |= WS_EX_LAYOUTRTL;
    return CreateEx(dwExStyle, kPopupBarClass, m_strTitle, WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | MFS_SYNCACTIVE,
                    0, 0, 0, 0, pSite ? pSite->GetSafeHwnd() : nullptr, nullptr);
}

BOOL CLVKPopupBar::DestroyWindow()
{
    // Windows hosted by controls survive the popup: they go back to the site.
    if (GetSafeHwnd())
    {
        CWnd* pSite = GetSite();
        HWND hChild = ::GetWindow(GetSafeHwnd(), GW_CHILD);
        while (hChild)
        {
            const HWND hNext = ::GetWindow(hChild, GW_HWNDNEXT);
            ::ShowWindow(hChild, SW_HIDE);
            ::SetParent(hChild, pSite ? pSite->GetSafeHwnd() : nullptr);
            hChild = hNext;
        }
    }
    return CLVKCommandBar::DestroyWindow();
}

BOOL CLVKPopupBar::IsVisible() const
{
    return GetSafeHwnd() && ::IsWindowVisible(GetSafeHwnd());
}

void CLVKPopupBar::UpdatePopupAlignment()
{
    if (!m_pControlPopup || !m_pControlPopup->GetParent() || !m_pControlPopup->GetParent()->GetSafeHwnd())
        return;
    CLVKCommandBar* pParent = m_pControlPopup->GetParent();
    const DWORD dwOwnLeft = ((m_pControlPopup->GetFlags() & kFlagPopupLeft) || IsLayoutRTL()) ? kAlignLeft : 0;
    DWORD dwAlign = dwOwnLeft;
    const int nParentPosition = pParent->GetPosition();
    if ((pParent->GetFlags() & kBarFlagReduceLayout) && nParentPosition == kBarPopup)
    {
        dwAlign = kAlignBelow | dwOwnLeft;
    }
    else
    {
        switch (nParentPosition)
        {
        case kBarRight:
            dwAlign = kAlignLeft;
            break;
        case kBarLeft:
        case kBarPopup:
        case kBarFloating:
            if (nParentPosition == kBarFloating && pParent->GetType() != kBarTypePopup)
            {
                dwAlign |= kAlignBelow;
                break;
            }
            if (pParent->GetType() == kBarTypePopup)
            {
                const CLVKPopupBar* pParentPopup = DYNAMIC_DOWNCAST(CLVKPopupBar, pParent);
                dwAlign = (pParentPopup && (pParentPopup->m_dwAlignment & kAlignLeft)) ? kAlignLeft : dwOwnLeft;
            }
            break;
        default:
            dwAlign |= kAlignBelow;
            break;
        }
    }

    CRect rcExclude = m_pControlPopup->GetRect();
    const BOOL bComboOnBar = m_pControlPopup->GetType() == kControlComboBox && nParentPosition != kBarPopup;
    if (bComboOnBar)
    {
        dwAlign |= kAlignBelow;
    }
    else
    {
        const BOOL bVertical = nParentPosition == kBarLeft || nParentPosition == kBarRight ||
                               nParentPosition == kBarPopup ||
                               (nParentPosition == kBarFloating && pParent->GetType() == kBarTypePopup);
        AdjustExcludeRect(rcExclude, bVertical);
    }
    pParent->ClientToScreen(&rcExclude);
    m_rcExclude = rcExclude;
    m_dwAlignment = dwAlign;
    m_ptPopup =
        (dwAlign & kAlignBelow) ? CPoint(rcExclude.left, rcExclude.bottom) : CPoint(rcExclude.right, rcExclude.top);
}

void CLVKPopupBar::AdjustExcludeRect(CRect& rc, BOOL bVertical)
{
    if (CLVKControlPopup* pPopup = DYNAMIC_DOWNCAST(CLVKControlPopup, m_pControlPopup))
        pPopup->AdjustExcludeRect(rc, bVertical);
}

CRect CLVKPopupBar::CalcPopupRect(CPoint pt, CSize sz)
{
    CLVKDisplayMonitors* pMonitors = CLVKDisplayMonitors::GetGlobal();
    const BOOL bPointPopup = m_rcExclude.IsRectEmpty();
    CRect rcWork =
        bPointPopup ? CRect(pMonitors->GetWorkAreaFromPoint(pt)) : CRect(pMonitors->GetWorkAreaFromRect(m_rcExclude));
    const CRect rcMonitor = bPointPopup ? CRect(pMonitors->GetMonitorRectFromPoint(pt))
                                        : CRect(pMonitors->GetMonitorRectFromRect(m_rcExclude));
    // On the task bar (on the monitor, outside its work area) the whole
    // monitor is used.
    if (bPointPopup ? (!rcWork.PtInRect(pt) && rcMonitor.PtInRect(pt))
                    : (!CRect().IntersectRect(rcWork, m_rcExclude) && CRect().IntersectRect(rcMonitor, m_rcExclude)))
        rcWork = rcMonitor;
    rcWork.bottom += CLVKDpiScaling::GetGlobal()->ScaleY(5);

    CLVKCommandBars* pCommandBars = GetCommandBars();
    const BOOL bColumns = (pCommandBars && pCommandBars->GetCommandBarsOptions()->bWrapLargePopups) || IsMultiColumn();

    BOOL bScroll = FALSE;
    int cy = sz.cy;
    if (m_nMaxHeight > 0 && m_nMaxHeight < cy)
    {
        cy = m_nMaxHeight;
        bScroll = TRUE;
    }
    CRect rc(pt, CSize(sz.cx, cy));

    // Vertically.
    if (m_rcExclude.Height() == 0)
    {
        if ((m_dwAlignment & kAlignBottom) || pt.y > rcWork.bottom)
            rc.MoveToY(pt.y - cy);
        if (rc.bottom > rcWork.bottom)
        {
            if (pt.y < rcWork.top + rcWork.Height() / 2)
                rc.MoveToY(rcWork.bottom - cy);
            else
                rc.MoveToY(pt.y - cy);
        }
    }
    else if (m_dwAlignment & kAlignBelow)
    {
        if (rc.bottom > rcWork.bottom)
        {
            rc.MoveToY(m_rcExclude.top - cy);
            if (rc.top < rcWork.top)
            {
                if (bColumns && m_pControlPopup && m_pControlPopup->GetParent())
                {
                    // Columns: open beside the control instead, ending at
                    // the work area's bottom.
                    m_dwAlignment &= ~kAlignBelow;
                    CRect rcControl = m_pControlPopup->GetRect();
                    AdjustExcludeRect(rcControl, TRUE);
                    m_pControlPopup->GetParent()->ClientToScreen(&rcControl);
                    m_rcExclude = rcControl;
                    rc = CRect(CPoint((m_dwAlignment & kAlignLeft) ? rcControl.left - sz.cx : rcControl.right,
                                      rcWork.bottom - cy),
                               CSize(sz.cx, cy));
                }
                else
                {
                    // Neither below nor above: scroll on the side with more room.
                    bScroll = TRUE;
                    if (m_rcExclude.CenterPoint().y > rcWork.top + rcWork.Height() / 2)
                        rc.SetRect(rc.left, rcWork.top, rc.right, m_rcExclude.top);
                    else
                        rc.SetRect(rc.left, m_rcExclude.bottom, rc.right, rcWork.bottom);
                }
            }
        }
    }
    else if (rc.bottom > rcWork.bottom)
    {
        rc.MoveToY(rcWork.bottom - cy);
    }
    if (rc.top < rcWork.top)
        rc.MoveToY(rcWork.top);
    if (rc.Height() > rcWork.Height())
    {
        if (bColumns && m_nType == kBarTypePopup && !IsMultiColumn())
        {
            // Break into columns as high as the work area.
            const CSize szColumns = CalcDynamicLayout(rcWork.Height(), 0);
            rc.right = rc.left + szColumns.cx;
            rc.bottom = rc.top + std::min(static_cast<int>(szColumns.cy), rcWork.Height());
            sz.cx = szColumns.cx;
        }
        else
        {
            rc.bottom = rc.top + rcWork.Height();
            bScroll = TRUE;
        }
    }

    // Horizontally.
    const BOOL bBelow = (m_dwAlignment & kAlignBelow) != 0;
    if (m_dwAlignment & kAlignLeft)
    {
        if (bBelow)
            rc.MoveToX((bPointPopup ? pt.x : m_rcExclude.right) - sz.cx);
        else
            rc.MoveToX((bPointPopup ? pt.x : m_rcExclude.left) - sz.cx);
    }
    if (rc.right > rcWork.right)
    {
        if (bPointPopup)
            rc.MoveToX(rcWork.PtInRect(pt) ? pt.x - sz.cx : rcWork.right - sz.cx);
        else if (bBelow)
            rc.MoveToX(rcWork.right - sz.cx);
        else
        {
            rc.MoveToX(m_rcExclude.left - sz.cx);
            m_dwAlignment |= kAlignLeft;
        }
    }
    if (rc.left < rcWork.left)
    {
        if (bPointPopup)
        {
            rc.MoveToX(rcWork.left);
            m_dwAlignment &= ~kAlignLeft;
        }
        else if (bBelow)
            rc.MoveToX(rcWork.left);
        else
        {
            rc.MoveToX(m_rcExclude.right);
            m_dwAlignment &= ~kAlignLeft;
        }
    }
    if (rc.left < rcWork.left)
        rc.MoveToX(rcWork.left);

    // A menu too tall for the room it got shows a page of its items between
    // two scroll buttons.
    if (bScroll && m_nType == kBarTypePopup && m_nPosition == kBarPopup)
    {
        m_bScrolling = TRUE;
        m_nFirstShown = 0;
        UpdateScrollLayout(rc.Size(), FALSE, FALSE);
    }
    else if (m_bScrolling)
    {
        m_bScrolling = FALSE;
        m_scrollUp.rc.SetRectEmpty();
        m_scrollDown.rc.SetRectEmpty();
        StopScrollTimer(m_scrollUp);
        StopScrollTimer(m_scrollDown);
    }
    return rc;
}

BOOL CLVKPopupBar::Popup(CLVKControl* pControl, BOOL bSelectFirst)
{
    m_pControlPopup = pControl;
    if (!CreatePopupWindow())
    {
        m_pControlPopup = nullptr;
        return FALSE;
    }
    CLVKCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars && pCommandBars->GetToolTipContext())
        pCommandBars->GetToolTipContext()->HideTip();
    LockRedraw();
    if (CWnd* pSite = GetOwnerSite())
    {
        if (pSite->GetSafeHwnd())
            pSite->SendMessage(LVK_WM_INITPOPUP, 0, reinterpret_cast<LPARAM>(this));
    }
    m_bHasHiddenItems = FALSE;
    CLVKMouseManager* pMouse = CLVKMouseManager::GetThreadManagerIfAny();
    m_bExpanded = (pCommandBars && pCommandBars->IsCustomizeMode()) || (pMouse && pMouse->m_bExpanded);
    UpdatePopupAlignment();
    const CSize sz = CalcDynamicLayout(0, 0);
    const CRect rc = CalcPopupRect(m_ptPopup, sz);
    const BOOL bWasVisible = ::IsWindowVisible(GetSafeHwnd());
    ::SetWindowPos(GetSafeHwnd(), bWasVisible ? nullptr : HWND_TOPMOST, rc.left, rc.top, rc.Width(), rc.Height(),
                   SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER | (bWasVisible ? SWP_NOZORDER : 0));
    if (pControl && (!pControl->GetParent() || !pControl->GetParent()->GetSafeHwnd()))
    {
        UnlockRedraw();
        DestroyWindow();
        m_pControlPopup = nullptr;
        return FALSE;
    }
    SetTrackingMode(kTrackingOn, bSelectFirst, bSelectFirst ? 2 : 0);
    if (!GetRootParent()->GetNoCommandUpdate())
        OnIdleUpdateCmdUI();
    PlayPopupAnimation();
    CLVKMenuSoundPlayer::GetGlobal()->PostSound(CLVKMenuSoundPlayer::soundMenuPopup);

    CreatePopupShadow();
    UnlockRedraw();
    Redraw(nullptr, FALSE);
    return TRUE;
}

BOOL CLVKPopupBar::PopupAt(int x, int y, LPCRECT lpExclude)
{
    m_ptPopup = CPoint(x, y);
    m_rcExclude = lpExclude ? CRect(*lpExclude) : CRect(0, 0, 0, 0);
    return Popup(nullptr, FALSE);
}

namespace
{
// The popup's contents drawn into an off-screen bitmap of its client size,
// for the animations to reveal.
class CPopupBuffer
{
public:
    CPopupBuffer(CLVKPopupBar* pBar, CDC* pWindowDC)
    {
        pBar->GetClientRect(&m_rcClient);
        m_dc.CreateCompatibleDC(pWindowDC);
        m_bitmap.CreateCompatibleBitmap(pWindowDC, m_rcClient.Width(), m_rcClient.Height());
        m_dc.SelectBitmap(static_cast<HBITMAP>(m_bitmap.GetSafeHandle()));
        pBar->DrawCommandBar(&m_dc, m_rcClient);
    }
    CPopupBuffer(const CPopupBuffer&) = delete;
    CPopupBuffer& operator=(const CPopupBuffer&) = delete;

    CDC* DC() { return &m_dc; }
    const CRect& Client() const { return m_rcClient; }

private:
    CRect m_rcClient;
    // Declared before the DC, so that the DC lets go of it before it is deleted.
    CBitmap m_bitmap;
    CLVKBitmapDC m_dc;
};
}  // namespace

void CLVKPopupBar::CreatePopupShadow()
{
    CLVKPaintManager* pPaintManager = GetPaintManager();
    if (m_nPosition == kBarPopup && m_bShowShadow && pPaintManager->m_bShadowEnabled &&
        pPaintManager->m_pShadowManager && !IsCustomizeMode())
    {
        pPaintManager->m_pShadowManager->RemoveOwnerShadows(this);
        pPaintManager->m_pShadowManager->CreateShadow(this, m_rcExclude, 0);
    }
}

int CLVKPopupBar::GetAnimationType() const
{
    CLVKCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars)
        return 0;
    if (GetSafeHwnd() && ::GetWindow(GetSafeHwnd(), GW_CHILD))
        return 0;
    const int nType = pCommandBars->GetCommandBarsOptions()->nAnimationType;
    if (nType == 0)
    {
        BOOL bAnimation = FALSE;
        if (!::SystemParametersInfo(SPI_GETMENUANIMATION, 0, &bAnimation, 0) || !bAnimation)
            return 0;
        BOOL bFade = FALSE;
        return (::SystemParametersInfo(SPI_GETMENUFADE, 0, &bFade, 0) && bFade) ? lvkAnimateFade : lvkAnimateSlide;
    }
    if (nType == 1)
    {
        static const int kRandom[] = {lvkAnimateFade, lvkAnimateSlide, lvkAnimateUnfold};
        return kRandom[std::rand() % 3];
    }
    return nType;
}

void CLVKPopupBar::PlayPopupAnimation()
{
    CLVKPaintManager* pPaintManager = GetPaintManager();
    CLVKCommandBar* pParent = GetParentBar();
    // A sub-menu animates only when its parent was entered with the mouse;
    // moving along a menu bar opens the following menus at once.
    BOOL bAnimate = !pParent || pParent->m_bEnteredByMouse;
    if (pParent)
        pParent->m_bEnteredByMouse = FALSE;
    const int nType = GetAnimationType();
    if (!bAnimate || IsCustomizeMode() || nType < lvkAnimateUnfold || nType > lvkAnimateFade || !GetSafeHwnd())
        return;

    if (m_pControlPopup && pParent && pParent->GetSafeHwnd())
    {
        m_pControlPopup->RedrawParent(FALSE);
        pParent->UpdateWindow();
        if (CWnd* pSite = GetSite())
            pSite->UpdateWindow();
    }
    CClientDC dcWindow(this);
    CPopupBuffer buffer(this, &dcWindow);
    const CRect& rcClient = buffer.Client();

    // The window starts from what the screen showed under it.
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    const HDC hDesktop = ::GetDC(nullptr);
    const DWORD dwLayout = ::GetLayout(hDesktop);
    ::SetLayout(hDesktop, 0);
    ::BitBlt(dcWindow.GetSafeHdc(), 0, 0, rcClient.Width(), rcClient.Height(), hDesktop, rcWindow.left, rcWindow.top,
             SRCCOPY);
    ::SetLayout(hDesktop, dwLayout);
    ::ReleaseDC(nullptr, hDesktop);

    pPaintManager->AnimateFade(&dcWindow, buffer.DC(), 0, 0, rcClient.Width(), rcClient.Height(), nType);
}

BOOL CLVKPopupBar::SetTrackingMode(int nMode, BOOL bSelectFirst, int nKeyboardState)
{
    if (!CLVKCommandBar::SetTrackingMode(nMode, bSelectFirst, nKeyboardState))
        return FALSE;
    if (nMode != kTrackingNone)
    {
        ::NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, GetSafeHwnd(), OBJID_MENU, CHILDID_SELF);
        return TRUE;
    }
    ::NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPEND, GetSafeHwnd(), OBJID_MENU, CHILDID_SELF);
    InternalAddRef();
    StopScrollTimer(m_scrollUp);
    StopScrollTimer(m_scrollDown);
    if (GetSafeHwnd())
    {
        CLVKPaintManager* pPaintManager = GetPaintManager();
        if (pPaintManager->m_pShadowManager)
            pPaintManager->m_pShadowManager->RemoveOwnerShadows(this);
        DestroyWindow();
    }
    CLVKCommandBar* pParent = GetParentBar();
    if (pParent)
    {
        if (m_pControlPopup && pParent->GetPopupedIndex() == m_pControlPopup->GetIndex())
            pParent->SetPopupedIndex(-1);
    }
    // Menus expanded by the user stay expanded until the menus close.
    if (!pParent || pParent->GetTrackingMode() == kTrackingNone)
    {
        if (CLVKMouseManager* pMouse = CLVKMouseManager::GetThreadManagerIfAny())
            pMouse->m_bExpanded = FALSE;
    }
    if (CFrameWnd* pFrame = GetSiteFrame())
        pFrame->SendMessage(LVK_WM_UNINITPOPUP, 0, reinterpret_cast<LPARAM>(this));
    ::Sleep(1);
    m_pControlPopup = nullptr;
    if (CWnd* pSite = GetSite())
    {
        if (pSite->GetSafeHwnd())
            pSite->UpdateWindow();
    }
    InternalRelease();
    return TRUE;
}

BOOL CLVKPopupBar::SetSelected(int nIndex, int nKeyboardState)
{
    const BOOL bChanged = CLVKCommandBar::SetSelected(nIndex, nKeyboardState);
    if (!bChanged || !GetSafeHwnd())
        return bChanged;
    // Resting on the expand button shows the whole menu after a delay.
    CLVKCommandBars* pCommandBars = GetCommandBars();
    const BOOL bOnExpand = m_pExpandButton && nIndex == m_pExpandButton->GetIndex() && nKeyboardState == 0;
    if (bOnExpand && pCommandBars && pCommandBars->GetCommandBarsOptions()->bShowFullAfterDelay)
        SetTimer(kTimerExpand, 900, nullptr);
    else
        KillTimer(kTimerExpand);
    return TRUE;
}

void CLVKPopupBar::RecalcLayout()
{
    if (m_bLayingOut || !GetSafeHwnd() || m_nTrackingMode == kTrackingNone)
        return;
    UpdateShortcuts();
    UpdatePopupAlignment();
    const CSize sz = CalcDynamicLayout(0, 0);
    const CRect rc = CalcPopupRect(m_ptPopup, sz);
    CRect rcOld;
    GetWindowRect(&rcOld);
    if (rc == rcOld && !m_bReanimate)
    {
        Redraw(nullptr, FALSE);
        return;
    }
    HideKeyboardTips();
    CLVKPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager->m_pShadowManager)
        pPaintManager->m_pShadowManager->RemoveOwnerShadows(this);
    const int nAnimation = m_bReanimate ? GetAnimationType() : 0;
    ::SetWindowPos(GetSafeHwnd(), nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                   SWP_NOOWNERZORDER | SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER);
    if (nAnimation >= lvkAnimateUnfold && nAnimation <= lvkAnimateFade)
    {
        // The rarely used items unfold into the grown menu.
        CClientDC dcWindow(this);
        CPopupBuffer buffer(this, &dcWindow);
        pPaintManager->AnimateSlide(this, &dcWindow, buffer.DC(), rc.top == rcOld.top);
    }
    CreatePopupShadow();
    if (CLVKControlPopup* pOwner = DYNAMIC_DOWNCAST(CLVKControlPopup, m_pControlPopup))
        pOwner->AttachPopupShadow();
    m_bReanimate = FALSE;
    Redraw(nullptr, FALSE);
}

int CLVKPopupBar::OnMouseActivate(CWnd* /*pDesktopWnd*/, UINT /*nHitTest*/, UINT /*message*/)
{
    return MA_NOACTIVATE;
}

BOOL CLVKPopupBar::OnNcActivate(BOOL bActive)
{
    // Activation leaves the caption alone; deactivation is the default.
    if (bActive)
        return FALSE;
    return static_cast<BOOL>(Default());
}

BOOL CLVKPopupBar::OnNcCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (!static_cast<BOOL>(Default()))
        return FALSE;
    if (lpCreateStruct->style & MFS_SYNCACTIVE)
    {
        // The popup starts with the activation state of its frame.
        BOOL bActive = FALSE;
        if (const HWND hParent = lpCreateStruct->hwndParent)
        {
            const HWND hTop = ::GetAncestor(hParent, GA_ROOT);
            const HWND hForeground = ::GetForegroundWindow();
            bActive = hTop == hForeground;
            if (!bActive && hTop)
            {
                const HWND hLast = ::GetLastActivePopup(hTop);
                bActive = hLast && hLast != hTop && ::SendMessage(hLast, WM_FLOATSTATUS, FS_SYNCACTIVE, 0) != 0;
            }
        }
        SendMessage(WM_FLOATSTATUS, bActive ? FS_ACTIVATE : FS_DEACTIVATE, 0);
    }
    return TRUE;
}

LRESULT CLVKPopupBar::OnFloatStatus(WPARAM wParam, LPARAM /*lParam*/)
{
    return (wParam & FS_SYNCACTIVE) && (::GetWindowLong(GetSafeHwnd(), GWL_STYLE) & MFS_SYNCACTIVE) ? 1 : 0;
}

int CLVKPopupBar::TrackPopup(UINT nFlags, int x, int y, CWnd* pOwner, LPCRECT lpExclude)
{
    CWnd* pSite = pOwner ? pOwner : GetSite();
    SetOwnerWindow(pSite);
    SetSiteWindow(pSite);
    int nResult = 0;
    // Only a call that asks for the id gets it; no slot of an earlier call stays.
    SetReturnCommandSlot((nFlags & TPM_RETURNCMD) ? &nResult : nullptr);
    SetRightButtonTracking((nFlags & TPM_RIGHTBUTTON) != 0);
    SetNoCommandUpdate((nFlags & TPM_NONOTIFY) != 0);
    const BOOL bRightToLeft = pSite && pSite->GetSafeHwnd() &&
                              (::GetWindowLong(pSite->GetSafeHwnd(), GWL_EXSTYLE) & (WS_EX_LAYOUTRTL | WS_EX_RIGHT));
    m_dwAlignment = ((nFlags & TPM_BOTTOMALIGN) ? kAlignBottom : kAlignBelow) |
                    (((nFlags & TPM_RIGHTALIGN) || bRightToLeft) ? kAlignLeft : 0);
    ::ReleaseCapture();
    const BOOL bShown = PopupAt(x, y, lpExclude);
    if (bShown)
        CLVKCommandBar::RunMenuLoop();
    // The bar must not keep the address of this stack slot.
    SetReturnCommandSlot(nullptr);
    if (!bShown)
        return 0;
    return (nFlags & TPM_RETURNCMD) ? nResult : TRUE;
}
