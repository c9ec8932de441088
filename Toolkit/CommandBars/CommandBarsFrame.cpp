// The site's message filters of the command-bar manager, the Alt+letter
// mnemonics, the keyboard cues, keyboard activation of a bar and the modal
// menu loop of a tracking bar.
#include "CommandBars/CommandBars.h"

#include "CommandBars/CommandBar.h"
#include "CommandBars/CommandBarsOptions.h"
#include "CommandBars/Control.h"
#include "CommandBars/Controls.h"
#include "CommandBars/KeyboardManager.h"
#include "CommandBars/MenuBar.h"
#include "CommandBars/MouseManager.h"
#include "CommandBars/PaintManager.h"
#include "CommandBars/ShortcutManager.h"
#include "CommandBars/ToolBar.h"
#include "Foundation/ColorManager.h"
#include "Foundation/ToolTipContext.h"
#include "Foundation/WindowHelpers.h"

#include <vector>

namespace
{

// The framework's idle kick, which the menu loop does not pass on.
const UINT kWmKickIdle = 0x036A;
const UINT kWmIdleUpdateCmdUI = 0x0363;
const UINT kIdHelp = 0xE146;
const UINT kWmCommandHelp = 0x0365;
const UINT_PTR kKeyTipTimer = 52426;

BOOL IsKeyDown(int nVirtKey)
{
    return (::GetKeyState(nVirtKey) & 0x8000) != 0;
}

}  // namespace

// ---------------------------------------------------------------- popups and cues

void CLVKCommandBars::ApplyKeyboardCuesMode()
{
    m_bCuesFollowAlt = m_pOptions->AreCuesFollowingAlt();
    const BOOL bVisible = m_pOptions->AreKeyboardCuesVisible();
    if (bVisible != m_bKeyboardCuesVisible)
    {
        m_bKeyboardCuesVisible = bVisible;
        RedrawVisibleBars();
    }
}

void CLVKCommandBars::ShowKeyboardCues(BOOL bShow)
{
    if (m_bCustomizeMode)
        bShow = TRUE;
    if (!m_bCuesFollowAlt || m_bKeyboardCuesVisible == bShow)
        return;
    m_bKeyboardCuesVisible = bShow;
    RedrawVisibleBars();
}

BOOL CLVKCommandBars::ActivateBarByKeyboard(CLVKCommandBar* pBar, int nStep)
{
    if (!pBar)
        return FALSE;
    if (nStep != 0)
    {
        if (GetCount() < 2)
            return FALSE;
        const int nNext = FindNextVisibleBar(FindToolBarIndex(pBar), nStep);
        CLVKToolBar* pNext = GetAt(nNext);
        if (!pNext || pNext == pBar)
            return FALSE;
        pBar = pNext;
    }
    ClosePopups();
    ShowKeyboardCues(TRUE);
    m_nKeyboardModeLevel = 1;
    pBar->SetTrackingMode(kTrackingOn, FALSE, TRUE);
    pBar->SetSelected(pBar->GetControls()->GetNextIndex(-1, 1), 2);
    return TRUE;
}

void CLVKCommandBars::OnTrackingModeChanged(CLVKCommandBar* pBar, int nTracking)
{
    (void)pBar;
    const BOOL bPopupsTracked = IsTrackingPopups();
    if (!nTracking && m_bCuesFollowAlt && !bPopupsTracked)
        ShowKeyboardCues(FALSE);
    if (m_nKeyboardModeLevel > 0 && m_pOptions->bKeyboardTips)
    {
        // The keyboard tips themselves are not built; a popup still driven
        // from the keyboard is asked to show its own.
        CLVKCommandBar* pLast = bPopupsTracked ? GetLastTrackedBar() : nullptr;
        if (pLast)
        {
            if (pLast->IsPopupBar() && pLast->IsSelectedByKeyboard() && pLast->GetSafeHwnd())
                pLast->PostMessage(WM_TIMER, kKeyTipTimer, 0);
        }
    }
    m_pToolTipContext->HideTip();
}

// ---------------------------------------------------------------- filters

BOOL CLVKCommandBars::HandleFrameMessage(UINT nMessage, WPARAM wParam, LPARAM /*lParam*/, LRESULT* pResult)
{
    switch (nMessage)
    {
    case WM_ACTIVATE:
    case WM_SETFOCUS:
        // Only a ribbon's backstage keeps these from the site.
        return FALSE;
    case WM_CLOSE:
        // No customize dialog is built, so none is ever open.
        return FALSE;
    case WM_SYSCOLORCHANGE:
        CLVKColorManager::GetGlobal()->RecomputeColors(TRUE);
        GetPaintManager()->RefreshMetrics();
        RedrawCommandBars();
        return FALSE;
    case WM_SETTINGCHANGE:
        GetPaintManager()->RefreshMetrics();
        if (!IsForeignInputDesktop())
            RedrawCommandBars();
        return FALSE;
    case WM_ACTIVATEAPP:
        if (!wParam)
            ClosePopups();
        return FALSE;
    case WM_CANCELMODE:
        ClosePopups();
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == kIdHelp && m_nHotHelpId > 0 && m_pSite)
        {
            AFX_CMDHANDLERINFO info{};
            if (m_pSite->OnCmdMsg(kIdHelp, CN_COMMAND, nullptr, &info))
            {
                m_pSite->SendMessage(kWmCommandHelp, 0, m_nHotHelpId + 0x10000);
                if (pResult)
                    *pResult = 1;
                return TRUE;
            }
        }
        return FALSE;
    case WM_SYSCOMMAND:
        // F10 and Alt alone arrive as SC_KEYMENU: the menu bar turns them
        // into keyboard activation, so open popups stay.
        if (wParam != 0 && (LOWORD(wParam) == 0 || (wParam & 0xFFF0) == SC_KEYMENU))
            return FALSE;
        if (!m_bCustomizeMode)
            ClosePopups();
        return FALSE;
    case kWmIdleUpdateCmdUI:
        for (CLVKToolBar* pBar : m_arrToolBars)
        {
            if (pBar->GetPosition() == kBarFloating)
                pBar->OnIdleUpdateCmdUI();
        }
        return FALSE;
    default:
        return FALSE;
    }
}

BOOL CLVKCommandBars::PreTranslateFrameMessage(MSG* pMsg)
{
    if (!pMsg)
        return FALSE;
    // While bars track, keys go to them before the site sees them; keys
    // that did not pass the keyboard hook are offered here.
    if (CLVKKeyboardManager* pKeyboard = CLVKKeyboardManager::GetThreadManagerIfAny())
    {
        if (pKeyboard->OfferQueuedKey(*pMsg))
            return TRUE;
    }
    const BOOL bTracking = IsTrackingPopups();
    const UINT nMessage = pMsg->message;

    if (nMessage == WM_SYSKEYDOWN && (pMsg->lParam & (1 << 29)) && GetPopupLock() <= 0 && !bTracking && m_pSite &&
        LVKIsTopLevelActive(m_pSite->GetSafeHwnd()))
    {
        if (pMsg->wParam == VK_MENU)
        {
            ShowKeyboardCues(TRUE);
            return FALSE;
        }
        if (pMsg->wParam != 0 && !(m_bIgnoreShiftMenuKey && IsKeyDown(VK_SHIFT)) &&
            HandleMnemonicKey(static_cast<UINT>(pMsg->wParam)))
            return TRUE;
    }

    if ((nMessage == WM_SYSKEYUP || nMessage == WM_KEYUP) && m_bCuesFollowAlt && m_bKeyboardCuesVisible && !bTracking)
        ShowKeyboardCues(FALSE);

    if ((nMessage == WM_CONTEXTMENU || nMessage == WM_SYSKEYUP) && bTracking)
    {
        OfferToHookedBars(nMessage, pMsg->wParam, pMsg->lParam);
        return TRUE;
    }

    if (nMessage == WM_MOUSEWHEEL)
    {
        if (HasHookedBars())
            return OfferToHookedBars(nMessage, pMsg->wParam, pMsg->lParam);
        CLVKMenuBar* pMenuBar = GetMenuBar();
        if (pMenuBar && pMenuBar->GetType() == kBarTypeRibbon)
            return pMenuBar->OnFrameMouseWheel(static_cast<short>(HIWORD(pMsg->wParam)) <= 0);
        return FALSE;
    }

    if (nMessage >= WM_KEYFIRST && nMessage <= WM_SYSDEADCHAR)
        return m_pShortcutManager->HandleKeyMessage(pMsg);
    return FALSE;
}

// ---------------------------------------------------------------- mnemonics

BOOL CLVKCommandBars::HandleMnemonicKey(UINT nVirtKey)
{
    if (m_pOptions->nKeyboardCuesUse == 2)
        return FALSE;
    if (nVirtKey >= VK_NUMPAD0 && nVirtKey <= VK_NUMPAD9 && !m_pOptions->bUseNumPadMnemonics)
        return FALSE;
    if (::MapVirtualKeyW(nVirtKey, MAPVK_VK_TO_CHAR) == 0)
        return FALSE;

    CLVKCommandBar* pBar = nullptr;
    for (CLVKToolBar* pToolBar : m_arrToolBars)
    {
        if (pToolBar->GetTrackingMode() != kTrackingNone)
        {
            pBar = pToolBar;
            break;
        }
    }
    if (!pBar)
    {
        CLVKMenuBar* pMenuBar = GetMenuBar();
        if (pMenuBar && pMenuBar->IsWindowShown())
            pBar = pMenuBar;
        else if (m_pOptions->nKeyboardCuesUse & 0x1)
            pBar = GetAt(FindNextVisibleBar(-1, 1));
    }
    if (!pBar || !pBar->IsWindowShown())
        return FALSE;
    if (pBar->OnMenuKey(nVirtKey))
        return TRUE;

    BOOL bAmbiguous = FALSE;
    CLVKControl* pControl = FindMnemonicControl(pBar, nVirtKey, bAmbiguous);
    if (!pControl)
        return FALSE;
    CLVKCommandBar* pControlBar = pControl->GetParent();
    if (pControlBar->GetTrackingMode() == kTrackingNone)
        ClosePopups();
    ShowKeyboardCues(TRUE);
    m_nKeyboardModeLevel = 1;
    pControlBar->SetTrackingMode(kTrackingOn, FALSE, TRUE);
    pControlBar->SetSelected(pControl->GetIndex(), 1);
    if (!bAmbiguous)
        pControl->ExecuteFromKeyboard();
    return TRUE;
}

CLVKControl* CLVKCommandBars::GetNextMnemonicControl(CLVKControls*& pControls, int nIndex) const
{
    const int nNext = pControls->GetNextIndex(nIndex, 1);
    const BOOL bWrapped = nNext < 0 || nNext <= nIndex;
    if (!(m_pOptions->nKeyboardCuesUse & 0x1) || !bWrapped)
        return nNext >= 0 ? pControls->GetAt(nNext) : nullptr;
    // The walk goes on in the next shown tool bars.
    CLVKCommandBar* pStartBar = pControls->GetParent();
    int nBar = FindToolBarIndex(pStartBar);
    for (;;)
    {
        nBar = FindNextVisibleBar(nBar, 1);
        CLVKToolBar* pNextBar = GetAt(nBar);
        if (!pNextBar)
            return nullptr;
        const int nFirst = pNextBar->GetControls()->GetNextIndex(-1, 1);
        if (nFirst >= 0)
        {
            pControls = pNextBar->GetControls();
            return pControls->GetAt(nFirst);
        }
        if (pNextBar == pStartBar)
            return nullptr;
    }
}

CLVKControl* CLVKCommandBars::FindMnemonicControl(CLVKCommandBar* pBar, UINT nVirtKey, BOOL& bAmbiguous) const
{
    bAmbiguous = FALSE;
    CLVKControls* pControls = pBar->GetControls();
    CLVKControl* pFirst = GetNextMnemonicControl(pControls, pBar->GetHotIndex());
    if (!pFirst)
        return nullptr;
    CLVKControl* pExplicit = nullptr;
    CLVKControl* pImplicit = nullptr;
    const BOOL bExplicitOnly = (m_pOptions->nKeyboardCuesUse & 0x4) != 0;
    CLVKControl* pControl = pFirst;
    do
    {
        const CString strText = pControl->IsCaptionVisible() ? pControl->GetCaption() : CString();
        if (!strText.IsEmpty() && pControl->IsEnabled())
        {
            const int nAmp = FindMnemonicAmpersand(strText);
            const BOOL bExplicit = nAmp >= 0 && nAmp < strText.GetLength() - 1;
            const TCHAR ch = bExplicit ? strText[nAmp + 1] : strText[0];
            if (KeyMatchesCharacter(ch, nVirtKey))
            {
                CLVKCommandBar* pOwner = pControl->GetParent();
                if (bExplicit)
                {
                    if (pExplicit)
                    {
                        bAmbiguous = TRUE;
                        return pExplicit;
                    }
                    pExplicit = pControl;
                }
                else if (!bExplicitOnly && pOwner &&
                         (pOwner->GetType() == kBarTypeMenuBar || pOwner->GetTrackingMode() != kTrackingNone))
                {
                    if (pImplicit)
                        bAmbiguous = TRUE;
                    else
                        pImplicit = pControl;
                }
            }
        }
        pControl = GetNextMnemonicControl(pControls, pControl->GetIndex());
    } while (pControl && pControl != pFirst);
    return pExplicit ? pExplicit : pImplicit;
}

// ---------------------------------------------------------------- desktop

BOOL AFX_CDECL IsForeignInputDesktop()
{
    HDESK hDesk = ::OpenInputDesktop(0, FALSE, DESKTOP_READOBJECTS);
    if (!hDesk)
        return TRUE;
    BOOL bForeign = FALSE;
    WCHAR szName[128] = {};
    DWORD cbNeeded = 0;
    if (::GetUserObjectInformationW(hDesk, UOI_NAME, szName, sizeof(szName), &cbNeeded))
    {
        bForeign = ::lstrcmpiW(szName, L"Default") != 0;
    }
    else if (::GetLastError() == ERROR_INSUFFICIENT_BUFFER && cbNeeded > 0)
    {
        std::vector<WCHAR> name(cbNeeded / 2 + 1, L'\0');
        if (::GetUserObjectInformationW(hDesk, UOI_NAME, name.data(), static_cast<DWORD>(name.size() * 2), &cbNeeded))
            bForeign = ::lstrcmpiW(name.data(), L"Default") != 0;
    }
    ::CloseDesktop(hDesk);
    return bForeign;
}

// ---------------------------------------------------------------- the menu loop

void CLVKCommandBar::RunMenuLoop()
{
    // The bar may be released by a command it runs: hold it until the loop ends.
    InternalAddRef();
    CLVKMouseManager* pMouse = CLVKMouseManager::GetThreadManager();
    CLVKKeyboardManager* pKeyboard = CLVKKeyboardManager::GetThreadManager();
    while (m_nTrackingMode != kTrackingNone)
    {
        MSG msg{};
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
        {
            ::WaitMessage();
            continue;
        }
        if (pMouse->PreviewTrackingLoopMessage(this, msg))
        {
            // A press outside the menus closes them; the press stays queued
            // for the window under the mouse.
            SetTrackingMode(kTrackingNone, TRUE, 0);
            break;
        }
        if (!::GetMessageW(&msg, nullptr, 0, 0))
        {
            // The program is quitting: the menus close and the outer loop
            // must see the quit too.
            SetTrackingMode(kTrackingNone, TRUE, 0);
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (m_nTrackingMode == kTrackingNone)
        {
            ::PostMessageW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
            break;
        }
        if (msg.message == kWmKickIdle)
            continue;
        // Keys go to the tracked bars first (through the keyboard hook, or
        // here when they did not pass it).
        if (pKeyboard->OfferQueuedKey(msg))
            continue;
        AfxGetThreadState()->m_msgCur = msg;
        if (!AfxPreTranslateMessage(&msg))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        // Whatever cancels modes closes the menus, whichever window it was for.
        if (msg.message == WM_CANCELMODE)
            pMouse->CloseTrackedBars();
    }
    InternalRelease();
}
