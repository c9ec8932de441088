// CLVKCommandBar: tracking (menu mode, in which the bar owns the keyboard),
// the hot control and the control whose popup is open, the hover timer, and
// the mouse: hot tracking, clicks and right clicks. While it tracks, the bar
// is one of the thread's mouse manager's tracked bars (a press outside them
// closes them) and one of its keyboard manager's hook targets (keys come to
// the bar before the focused window sees them).
#include "CommandBars/CommandBar.h"

#include "CommandBars/CommandBarAnimation.h"
#include "CommandBars/CommandBars.h"
#include "CommandBars/CommandBarsOptions.h"
#include "CommandBars/Control.h"
#include "CommandBars/ControlPopup.h"
#include "CommandBars/Controls.h"
#include "CommandBars/KeyboardManager.h"
#include "CommandBars/MouseManager.h"
#include "Foundation/WindowHelpers.h"

#include <algorithm>

namespace
{
BOOL IsChildOf(HWND hChild, HWND hParent)
{
    return hChild && hParent && hChild != hParent && ::IsChild(hParent, hChild);
}
}  // namespace

int CLVKCommandBar::HandleHookedMessage(HWND /*hWnd*/, UINT nMessage, WPARAM& wParam, LPARAM& lParam,
                                        LRESULT& /*lResult*/)
{
    if (m_nTrackingMode == kTrackingNone)
        return 0;
    if (nMessage == WM_KEYDOWN)
        return OnHookKeyDown(static_cast<UINT>(wParam), lParam);
    if (nMessage == WM_MOUSEWHEEL)
    {
        CLVKControl* pHot = GetControl(m_nHotIndex);
        if (pHot && pHot->IsFocused())
        {
            pHot->OnHookMouseWheel(LOWORD(wParam), static_cast<short>(HIWORD(wParam)),
                                   CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
            return 1;
        }
        return IsChildOf(::GetFocus(), GetSafeHwnd()) ? 2 : 1;
    }
    return 0;
}

BOOL CLVKCommandBar::SetTrackingMode(int nMode, BOOL bSelectFirst, int nKeyboardState)
{
    if ((m_nTrackingMode != kTrackingNone && nMode != kTrackingNone) || nMode == m_nTrackingMode)
    {
        m_nTrackingMode = nMode;
        return FALSE;
    }
    m_nTrackingMode = nMode;
    CLVKMouseManager* pMouse = CLVKMouseManager::GetThreadManager();
    CLVKKeyboardManager* pKeyboard = CLVKKeyboardManager::GetThreadManager();
    if (nMode != kTrackingNone)
    {
        if (m_nType == kBarTypeMenuBar)
        {
            if (CWnd* pSite = GetSite())
            {
                if (pSite->GetSafeHwnd())
                    pSite->SendMessage(LVK_WM_TRACKINGMENUBAR, reinterpret_cast<WPARAM>(this), 0);
            }
        }
        m_bEnteredByMouse = !bSelectFirst && nKeyboardState == 0;
        m_nSelectedByKeyboard = nKeyboardState;
        if (m_bHideCaretOnTracking)
        {
            // The caret of the window behind the menu would blink on while
            // the keys go to the menu.
            HWND hFocus = ::GetFocus();
            if (!hFocus)
            {
                CWnd* pSite = GetSite();
                hFocus = pSite ? pSite->GetSafeHwnd() : nullptr;
            }
            if (hFocus && ::HideCaret(hFocus))
                m_hCaretWindow = hFocus;
        }
        pMouse->AddTrackedBar(this);
        pKeyboard->HookKeyboard(this);
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        if (bSelectFirst)
            SetSelected(m_pControls->GetNextIndex(-1, +1, TRUE, FALSE, TRUE), 2);
    }
    else
    {
        m_bEnteredByMouse = FALSE;
        m_nSelectedByKeyboard = 0;
        pMouse->RemoveTrackedBar(this);
        pKeyboard->UnhookKeyboard(this);
        SetPopupedIndex(-1);
        if (bSelectFirst)
            SetSelected(-1);
        if (m_hCaretWindow)
        {
            ::ShowCaret(m_hCaretWindow);
            m_hCaretWindow = nullptr;
        }
        Redraw(nullptr, TRUE);
        // The last menu closed: new menus open unexpanded again.
        if (pMouse->GetTrackedBars().empty())
            pMouse->m_bExpanded = FALSE;
        const HWND hWnd = GetSafeHwnd();
        if (hWnd && ::GetFocus() == hWnd)
        {
            if (const HWND hParent = ::GetParent(hWnd))
            {
                if (const HWND hNext = ::GetNextDlgTabItem(hParent, hWnd, FALSE))
                    ::SetFocus(hNext);
            }
        }
        m_nInputLock = 0;
    }
    // The manager follows every bar entering or leaving tracking (cues, tips).
    if (CLVKCommandBars* pCommandBars = GetCommandBars())
        pCommandBars->OnTrackingModeChanged(this, nMode);
    return TRUE;
}

void CLVKCommandBar::LeaveInputManagers()
{
    // A bar that goes while it tracks or is hot must not stay behind in the
    // thread's managers.
    if (CLVKMouseManager* pMouse = CLVKMouseManager::GetThreadManagerIfAny())
    {
        pMouse->RemoveTrackedBar(this);
        if (pMouse->m_pHotBar == this)
            pMouse->m_pHotBar = nullptr;
    }
    if (CLVKKeyboardManager* pKeyboard = CLVKKeyboardManager::GetThreadManagerIfAny())
        pKeyboard->UnhookKeyboard(this);
}

BOOL CLVKCommandBar::SetSelected(int nIndex, int nKeyboardState)
{
    if (nIndex == m_nHotIndex || !GetSafeHwnd())
        return FALSE;
    m_nSelectedByKeyboard = nKeyboardState;
    if (CLVKControl* pOld = GetControl(m_nHotIndex))
    {
        pOld->OnMouseMove(CPoint(-1, -1));
        pOld->SetPressed(0);
    }
    m_nHotIndex = nIndex;
    CLVKControl* pControl = GetControl(nIndex);
    if (!pControl)
    {
        m_nHotIndex = -1;
        KillTimer(kTimerHover);
        return TRUE;
    }
    if (nKeyboardState != 0)
    {
        EnsureVisible(pControl);
        pControl->SetPressed(std::max(2, nKeyboardState));
    }
    else
    {
        pControl->SetPressed(1);
    }
    if (m_nTrackingMode != kTrackingNone)
        ::NotifyWinEvent(EVENT_OBJECT_FOCUS, GetSafeHwnd(), OBJID_MENU, nIndex + 1);
    CLVKMouseManager::GetThreadManager()->m_pHotBar = this;
    if (nKeyboardState == 0 && m_bPopupOnHover)
        SetTimer(kTimerHover, 300, nullptr);
    return TRUE;
}

void CLVKCommandBar::SetPopupedIndex(int nIndex, int nKeyboardState)
{
    if (nIndex == m_nPopupedIndex)
        return;
    if (CLVKControl* pOpen = GetControl(m_nPopupedIndex))
    {
        m_nPopupedIndex = -1;
        pOpen->OnSetPopup(FALSE);
    }
    m_nPopupedIndex = -1;
    if (nIndex == -1)
        return;
    CLVKControl* pControl = GetControl(nIndex);
    if (!pControl || !pControl->IsEnabled())
        return;
    m_nPopupedIndex = nIndex;
    SetTrackingMode(kTrackingWithPopup, FALSE, nKeyboardState);
    SetSelected(nIndex, nKeyboardState);
    if (m_nTrackingMode == kTrackingNone)
    {
        m_nHotIndex = -1;
        m_nPopupedIndex = -1;
        return;
    }
    InternalAddRef();
    const BOOL bOpened = pControl->OnSetPopup(TRUE);
    if (!bOpened)
        m_nPopupedIndex = -1;
    CLVKCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars && pCommandBars->GetCommandBarsOptions()->bShowFullAfterDelay && GetSafeHwnd())
        SetTimer(kTimerFullMenu, 5000, nullptr);
    InternalRelease();
}

void CLVKCommandBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == CLVKCommandBarAnimation::kTimerId)
    {
        m_pAnimation->OnAnimationTimer();
        return;
    }
    if (nIDEvent == kTimerHover)
    {
        if (m_nInputLock > 0)
            return;
        KillTimer(kTimerHover);
        if (CLVKControl* pHot = GetControl(m_nHotIndex))
        {
            InternalAddRef();
            pHot->OnMouseHover();
            InternalRelease();
        }
        return;
    }
    if (nIDEvent == kTimerFullMenu)
    {
        if (m_nInputLock > 0)
            return;
        KillTimer(kTimerFullMenu);
        // Only while the pointer still rests on the title of the open menu.
        CLVKControlPopup* pOpen = DYNAMIC_DOWNCAST(CLVKControlPopup, GetControl(m_nPopupedIndex));
        if (!pOpen || m_nPopupedIndex != m_nHotIndex || pOpen->GetType() != kControlPopup || !pOpen->IsPopupOpen())
            return;
        CPoint ptCursor;
        ::GetCursorPos(&ptCursor);
        ScreenToClient(&ptCursor);
        if (pOpen->GetRect().PtInRect(ptCursor))
        {
            InternalAddRef();
            pOpen->ExpandPopup();
            InternalRelease();
        }
        return;
    }
    CWnd::OnTimer(nIDEvent);
}

// ---------------------------------------------------------------- the mouse

void CLVKCommandBar::OnMouseMove(UINT /*nFlags*/, CPoint point)
{
    if (!GetSafeHwnd())
        return;
    CLVKMouseManager* pMouse = CLVKMouseManager::GetThreadManager();
    // Moves that belong to another menu level, or to a window in the back.
    if (pMouse->IsTrackingOtherBar(this))
        return;
    if (m_nTrackingMode == kTrackingNone && m_nPosition != kBarPopup && !LVKIsTopLevelActive(GetSafeHwnd()))
        return;
    if (pMouse->m_nFocusedEdits > 0 && !m_bIgnoreFocusedEdit)
    {
        // While an edit of a bar has the focus only that edit hot-tracks.
        if (m_pFocusedEdit && m_pFocusedEdit->GetRect().PtInRect(point))
        {
            pMouse->TrackMouseLeave(GetSafeHwnd());
            m_pFocusedEdit->OnMouseMove(point);
            SetSelected(m_pFocusedEdit->GetIndex(), 0);
        }
        else if (m_pFocusedEdit)
        {
            m_pFocusedEdit->SetPressed(1);
        }
        return;
    }
    if (CLVKCommandBars* pCommandBars = GetCommandBars(); pCommandBars && pCommandBars->IsCustomizeMode())
    {
        if (CLVKControl* pSelected = pCommandBars->GetCustomizeSelectedControl())
        {
            if (pSelected->GetParent() == this)
                pSelected->SetCustomizeCursor(point);
        }
        return;
    }
    if (m_nPopupedIndex != -1 && !m_bPopupOnHover)
        return;
    CLVKControl* pControl = m_pControls->HitTest(point);
    int nTarget = -1;
    if (pControl)
    {
        pMouse->TrackMouseLeave(GetSafeHwnd());
        pControl->OnMouseMove(point);
        nTarget = pControl->GetIndex();
    }
    else if (m_nTrackingMode != kTrackingNone &&
             (m_nPosition != kBarPopup || m_nPopupedIndex != -1 || m_nSelectedByKeyboard != 0))
    {
        nTarget = m_nHotIndex;
    }
    SetSelected(nTarget, 0);
}

void CLVKCommandBar::OnMouseLeave()
{
    if (m_nInputLock > 0 || CLVKMouseManager::GetThreadManager()->m_nFocusedEdits > 0)
        return;
    if (m_nTrackingMode != kTrackingNone && (m_nPosition != kBarPopup || m_nPopupedIndex != -1))
        return;
    SetSelected(-1);
}

void CLVKCommandBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    CLVKControl* pControl = m_pControls->HitTest(point);
    // A popup tool bar with a popup open: a press elsewhere closes it.
    if (m_nPosition == kBarPopup && m_nType == kBarTypeToolBar && m_nPopupedIndex != -1 &&
        (!pControl || pControl->GetIndex() != m_nPopupedIndex))
    {
        const BOOL bHotIsOpen = m_nHotIndex == m_nPopupedIndex;
        SetPopupedIndex(-1);
        if (bHotIsOpen)
            SetSelected(-1);
    }
    if (!pControl)
    {
        CWnd::OnLButtonDown(nFlags, point);
        return;
    }
    InternalAddRef();
    pControl->OnLButtonDown(point);
    InternalRelease();
}

void CLVKCommandBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    CLVKControl* pControl = IsCustomizeMode() ? nullptr : m_pControls->HitTest(point);
    if (!pControl)
    {
        CWnd::OnLButtonUp(nFlags, point);
        return;
    }
    InternalAddRef();
    pControl->OnLButtonUp(point);
    InternalRelease();
}

void CLVKCommandBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CLVKControl* pControl = IsCustomizeMode() ? nullptr : m_pControls->HitTest(point);
    if (!pControl)
    {
        CWnd::OnLButtonDblClk(nFlags, point);
        return;
    }
    InternalAddRef();
    pControl->OnLButtonDblClk(point);
    InternalRelease();
}

void CLVKCommandBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    CLVKControl* pControl = m_pControls->HitTest(point);
    if (pControl && pControl->OnRButtonDown(point))
        return;
    CLVKCommandBars* pCommandBars = GetCommandBars();
    if (pControl && pCommandBars && pCommandBars->IsCustomizeMode() && IsCustomizable() && pControl->IsVisible() &&
        pControl->IsCustomizable())
    {
        // The control becomes the customize selection.
        SetPopupedIndex(-1);
        SetSelected(-1);
        pCommandBars->SetCustomizeSelectedControl(pControl);
        return;
    }
    CWnd::OnRButtonDown(nFlags, point);
}

void CLVKCommandBar::OnRButtonUp(UINT nFlags, CPoint point)
{
    if (IsCustomizeMode())
        return;
    CLVKControl* pControl = m_pControls->HitTest(point);
    if (!pControl)
    {
        CWnd::OnRButtonUp(nFlags, point);
        return;
    }
    InternalAddRef();
    CPoint ptSent = point;
    CWnd* pSite = GetSite();
    BOOL bHandled = pSite && pSite->GetSafeHwnd() &&
                    pSite->SendMessage(LVK_WM_CONTROLRBUTTONUP, reinterpret_cast<WPARAM>(&ptSent),
                                       reinterpret_cast<LPARAM>(pControl)) == 1;
    if (!bHandled)
    {
        CLVKCommandBar* pRoot = GetRootParent();
        if (pRoot->GetRightButtonTracking())
        {
            pControl->OnLButtonUp(point);
            bHandled = TRUE;
        }
        else
        {
            bHandled = pControl->OnRButtonUp(point);
        }
        // A right click in a sub-menu that nothing took is the root's.
        if (!bHandled && pRoot != this)
        {
            CPoint ptScreen = point;
            ClientToScreen(&ptScreen);
            pRoot->OnChildBarContextMenu(this, ptScreen);
        }
    }
    InternalRelease();
}
