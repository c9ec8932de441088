// CLVKCommandBar: keys while the bar tracks: navigation, Enter, Escape and
// mnemonics.
#include "CommandBars/CommandBar.h"

#include "CommandBars/Control.h"
#include "CommandBars/Controls.h"
#include "CommandBars/ShortcutManager.h"
#include "Foundation/DrawHelpers.h"

namespace
{
// Navigation codes of HandleNavigationKey.
enum : UINT
{
    kNavNext = 0,
    kNavPrevious = 1,
    kNavClose = 2,
    kNavOpen = 3,
    kNavBack = 4,
    kNavRun = 5,
    kNavFirst = 6,
    kNavLast = 7,
    kNavLeft = 8,
    kNavRight = 9,
    kNavSpace = 10
};

TCHAR Upper(TCHAR ch)
{
    return static_cast<TCHAR>(reinterpret_cast<UINT_PTR>(::CharUpper(reinterpret_cast<LPTSTR>(ch))));
}

BOOL IsChildOf(HWND hChild, HWND hParent)
{
    return hChild && hParent && hChild != hParent && ::IsChild(hParent, hChild);
}
}  // namespace

int CLVKCommandBar::FindMnemonicControl(TCHAR ch, BOOL* pbAmbiguous) const
{
    if (pbAmbiguous)
        *pbAmbiguous = FALSE;
    const int nCount = GetControlCount();
    const TCHAR chUpper = Upper(ch);
    int nAmpersand = -1;
    int nLetter = -1;
    BOOL bSecondLetter = FALSE;
    for (int k = 1; k <= nCount; k++)
    {
        const int i = ((m_nHotIndex < 0 ? -1 : m_nHotIndex) + k + nCount) % nCount;
        CLVKControl* pControl = GetControl(i);
        if ((pControl->GetFlags() & kFlagSkipNavigation) || !pControl->IsVisible() || !pControl->IsEnabled())
            continue;
        const CString strCaption = pControl->GetCaption();
        if (strCaption.IsEmpty())
            continue;
        const int nPos = FindMnemonicAmpersand(strCaption);
        // A trailing '&' marks nothing: the caption offers its first letter.
        const TCHAR chMnemonic = (nPos >= 0 && nPos + 1 < strCaption.GetLength()) ? strCaption[nPos + 1] : 0;
        if (chMnemonic)
        {
            if (Upper(chMnemonic) != chUpper)
                continue;
            if (nAmpersand >= 0)
            {
                if (pbAmbiguous)
                    *pbAmbiguous = TRUE;
                return nAmpersand;
            }
            nAmpersand = i;
            continue;
        }
        CString strPlain = strCaption;
        CLVKDrawHelpers::StripMnemonics(strPlain);
        if (strPlain.IsEmpty() || Upper(strPlain[0]) != chUpper)
            continue;
        if (nLetter < 0)
            nLetter = i;
        else
            bSecondLetter = TRUE;
    }
    if (nAmpersand >= 0)
        return nAmpersand;
    if (pbAmbiguous)
        *pbAmbiguous = bSecondLetter;
    return nLetter;
}

int CLVKCommandBar::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    if (IsCustomizeMode() || IsSiteInHelpMode())
        return 2;
    if (m_nInputLock > 0)
        return 1;

    // The site may destroy the bar while it looks at the key.
    InternalAddRef();
    if (CWnd* pSite = GetSite())
    {
        LVK_TRACKING_KEY key{nChar, lParam};
        if (pSite->GetSafeHwnd())
            pSite->SendMessage(LVK_WM_TRACKINGKEY, reinterpret_cast<WPARAM>(&key), reinterpret_cast<LPARAM>(this));
    }
    if (InternalRelease() == 0)
        return 1;

    if (CLVKControl* pHot = GetControl(m_nHotIndex))
    {
        if (pHot->IsFocused())
        {
            const int nAnswer = pHot->OnHookKeyDown(nChar, lParam);
            if (nAnswer == 1 || nAnswer == 2)
                return nAnswer;
        }
    }
    if (!GetSafeHwnd())
        return 1;

    const HWND hFocus = ::GetFocus();
    const BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
    switch (nChar)
    {
    case VK_TAB:
    {
        CLVKControl* pHot = GetControl(m_nHotIndex);
        if (pHot && pHot->GetType() == kControlEdit && IsChildOf(hFocus, GetSafeHwnd()))
            return 2;
        // Moving between tool bars with Ctrl+Tab is the manager's.
        HandleNavigationKey(bShift ? kNavPrevious : kNavNext);
        if (CLVKControl* pNew = GetControl(m_nHotIndex))
        {
            if (pNew->IsFocusable())
                pNew->SetFocused(TRUE);
        }
        return 1;
    }
    case VK_RETURN:
        return HandleNavigationKey(kNavRun) ? 1 : 0;
    case VK_ESCAPE:
        return HandleNavigationKey(kNavBack) ? 1 : 0;
    case VK_SPACE:
        if (HandleNavigationKey(kNavSpace))
            return 1;
        break;
    default:
        break;
    }

    if (IsChildOf(hFocus, GetSafeHwnd()))
        return 2;

    const BOOL bHorizontal = m_nPosition == kBarTop || m_nPosition == kBarBottom || m_nPosition == kBarFloating ||
                             (m_nPosition == kBarPopup && m_nType == kBarTypeToolBar);
    UINT nKey = nChar;
    if (IsLayoutRTL())
    {
        if (nKey == VK_LEFT)
            nKey = VK_RIGHT;
        else if (nKey == VK_RIGHT)
            nKey = VK_LEFT;
    }
    UINT nCode = static_cast<UINT>(-1);
    switch (nKey)
    {
    case VK_LEFT:
        nCode = bHorizontal ? kNavLeft : kNavClose;
        break;
    case VK_RIGHT:
        nCode = bHorizontal ? kNavRight : kNavOpen;
        break;
    case VK_UP:
        nCode = bHorizontal ? kNavClose : kNavPrevious;
        break;
    case VK_DOWN:
        nCode = bHorizontal ? kNavOpen : kNavNext;
        break;
    case VK_HOME:
        nCode = kNavFirst;
        break;
    case VK_END:
        nCode = kNavLast;
        break;
    default:
        break;
    }
    if (nCode != static_cast<UINT>(-1))
        return HandleNavigationKey(nCode) ? 1 : 0;

    const TCHAR ch = static_cast<TCHAR>(::MapVirtualKey(nChar, MAPVK_VK_TO_CHAR) & 0xFFFF);
    if (ch == 0)
        return 1;
    // Key tips and the manager's tool-bar mnemonics come with the manager.
    if (::GetKeyState(VK_CONTROL) >= 0)
    {
        BOOL bAmbiguous = FALSE;
        const int nIndex = FindMnemonicControl(ch, &bAmbiguous);
        if (nIndex >= 0)
        {
            SetSelected(nIndex, 2);
            if (!bAmbiguous)
            {
                if (CLVKControl* pControl = GetControl(nIndex))
                    pControl->ExecuteFromKeyboard();
            }
            return 1;
        }
    }
    if (nChar != VK_SHIFT && nChar != VK_CONTROL)
        ::MessageBeep(0);
    return 1;
}

BOOL CLVKCommandBar::HandleNavigationKey(UINT nCode)
{
    if (nCode == kNavSpace)
    {
        if (m_nType != kBarTypeMenuBar)
            return FALSE;
        if (CWnd* pSite = GetSite())
            pSite->PostMessage(WM_SYSCOMMAND, SC_KEYMENU, _T(' '));
        return TRUE;
    }
    if (nCode == kNavRight)
        nCode = kNavNext;
    else if (nCode == kNavLeft)
        nCode = kNavPrevious;

    const BOOL bPopupToolBar = m_nPosition == kBarPopup && m_nType == kBarTypeToolBar;
    CLVKControl* pHot = GetControl(m_nHotIndex);
    if (bPopupToolBar && pHot && pHot->IsPopupOpen())
    {
        if (nCode == kNavNext)
            return FALSE;
        if (nCode == kNavPrevious)
            nCode = kNavClose;
    }
    if (nCode == kNavClose && m_nPopupedIndex == -1 && pHot && (bPopupToolBar || !GetParentBar()))
    {
        if (pHot->GetCommandBar() && pHot->IsEnabled())
            nCode = kNavOpen;
    }

    switch (nCode)
    {
    case kNavNext:
    case kNavPrevious:
    {
        const int nIndex = m_pControls->GetNextIndex(m_nHotIndex, nCode == kNavNext ? +1 : -1, TRUE, FALSE, TRUE);
        if (nIndex >= 0)
            SetSelected(nIndex, nCode == kNavNext ? 2 : 3);
        return TRUE;
    }
    case kNavClose:
        if (m_nPopupedIndex == -1)
            return FALSE;
        SetPopupedIndex(-1);
        SetTrackingMode(kTrackingOn, FALSE);
        return TRUE;
    case kNavOpen:
    {
        if (!pHot || !pHot->GetCommandBar())
            return FALSE;
        if (m_nPopupedIndex != m_nHotIndex)
        {
            pHot->SetPressed(2);
            SetPopupedIndex(m_nHotIndex, 2);
        }
        return TRUE;
    }
    case kNavBack:
        if (CLVKCommandBar* pParent = GetParentBar())
            pParent->SetTrackingMode(kTrackingOn, FALSE);
        SetTrackingMode(kTrackingNone, TRUE);
        return TRUE;
    case kNavRun:
        if (!pHot)
            return FALSE;
        pHot->SetPressed(2);
        pHot->OnClick(TRUE);
        return TRUE;
    case kNavFirst:
    case kNavLast:
    {
        const int nIndex = m_pControls->GetNextIndex(-1, nCode == kNavFirst ? +1 : -1, TRUE, FALSE, TRUE);
        if (nIndex >= 0)
            SetSelected(nIndex, nCode == kNavFirst ? 2 : 3);
        return TRUE;
    }
    default:
        return FALSE;
    }
}
