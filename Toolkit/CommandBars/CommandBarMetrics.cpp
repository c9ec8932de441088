// CLVKCommandBar: icon and button sizes, filling a bar from a tool-bar
// resource or a list of command ids, and the tooltip of the control under
// the pointer.
#include "CommandBars/CommandBar.h"

#include "CommandBars/CommandBars.h"
#include "CommandBars/CommandBarsOptions.h"
#include "CommandBars/Control.h"
#include "CommandBars/Controls.h"
#include "CommandBars/MouseManager.h"
#include "CommandBars/PaintManager.h"
#include "CommandBars/ShortcutManager.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/ImageManager.h"
#include "Foundation/ToolTipContext.h"

#include <vector>

namespace
{
// The resource type of tool-bar resources.
const LPCTSTR kResourceToolBar = MAKEINTRESOURCE(241);

BOOL IsSizeSet(const CSize& sz)
{
    return sz.cx != 0 || sz.cy != 0;
}

// The words of a tool-bar resource: version, image width, image height,
// item count, then one command id per item (0 for a separator).
BOOL ReadToolBarResource(UINT nID, CSize& szImage, std::vector<UINT>& items)
{
    const HMODULE hModule = AfxGetResourceHandle();
    const HRSRC hResource = ::FindResource(hModule, MAKEINTRESOURCE(nID), kResourceToolBar);
    if (!hResource)
        return FALSE;
    const DWORD nBytes = ::SizeofResource(hModule, hResource);
    const HGLOBAL hGlobal = ::LoadResource(hModule, hResource);
    const WORD* pWords = hGlobal ? static_cast<const WORD*>(::LockResource(hGlobal)) : nullptr;
    if (!pWords || nBytes < 4 * sizeof(WORD))
        return FALSE;
    const WORD nCount = pWords[3];
    if (nBytes < (4u + nCount) * sizeof(WORD))
        return FALSE;
    szImage = CSize(pWords[1], pWords[2]);
    items.assign(pWords + 4, pWords + 4 + nCount);
    return TRUE;
}
}  // namespace

CSize CLVKCommandBar::GetDefaultIconSize(BOOL bLarge) const
{
    CLVKPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager)
        return pPaintManager->GetAutoIconSize(bLarge);
    return bLarge ? CSize(32, 32) : CSize(16, 16);
}

CSize CLVKCommandBar::GetIconSize() const
{
    if (IsSizeSet(m_szIcons))
        return m_szIcons;
    CLVKCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars)
        return CSize(16, 16);
    const CLVKCommandBarsOptions* pOptions = pCommandBars->GetCommandBarsOptions();
    if (m_nType == kBarTypePopup)
        return IsSizeSet(pOptions->szPopupIcons) ? pOptions->szPopupIcons : GetDefaultIconSize(FALSE);
    if (pOptions->bLargeIcons && !IsSizeSet(m_szButtons))
        return IsSizeSet(pOptions->szLargeIcons) ? pOptions->szLargeIcons : GetDefaultIconSize(TRUE);
    return IsSizeSet(pOptions->szIcons) ? pOptions->szIcons : GetDefaultIconSize(FALSE);
}

CSize CLVKCommandBar::GetLargeIconSize(BOOL bUseDefault) const
{
    CLVKCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars)
        return IsSizeSet(m_szIcons) ? CSize(m_szIcons.cx * 2, m_szIcons.cy * 2) : CSize(32, 32);
    const CLVKCommandBarsOptions* pOptions = pCommandBars->GetCommandBarsOptions();
    CSize szBase = IsSizeSet(m_szIcons) ? m_szIcons : pOptions->szIcons;
    if (!IsSizeSet(szBase))
        szBase = CSize(16, 16);
    if (!IsSizeSet(m_szButtons) && bUseDefault)
        return GetDefaultIconSize(TRUE);
    if (IsSizeSet(pOptions->szLargeIcons))
        return pOptions->szLargeIcons;
    return CSize(szBase.cx * 2, szBase.cy * 2);
}

CSize CLVKCommandBar::GetButtonSize() const
{
    if (IsSizeSet(m_szButtons))
        return m_szButtons;
    const CSize szIcon = GetIconSize();
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    return CSize(szIcon.cx + pDpi->ScaleX(6), szIcon.cy + pDpi->ScaleY(6));
}

BOOL CLVKCommandBar::IsTextBelowIcons() const
{
    if (m_nShowTextBelowIcons != 2)
        return m_nShowTextBelowIcons;
    CLVKCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars ? pCommandBars->GetCommandBarsOptions()->bShowTextBelowIcons : FALSE;
}

BOOL CLVKCommandBar::IsWindowShown() const
{
    if (!GetSafeHwnd() || !IsVisible() || !::IsWindowVisible(GetSafeHwnd()))
        return FALSE;
    CRect rcWindow;
    ::GetWindowRect(GetSafeHwnd(), &rcWindow);
    return !rcWindow.IsRectEmpty();
}

BOOL CLVKCommandBar::LoadToolBar(UINT nIDResource, BOOL bLoadIcons)
{
    m_pControls->RemoveAll();
    if (nIDResource == 0)
        return FALSE;
    CSize szImage;
    std::vector<UINT> items;
    if (!ReadToolBarResource(nIDResource, szImage, items))
        return FALSE;
    SetButtons(items.data(), static_cast<int>(items.size()));
    if (!bLoadIcons)
        return TRUE;

    std::vector<UINT> ids;
    for (UINT nId : items)
    {
        if (nId != 0)
            ids.push_back(nId);
    }
    BOOL bResult = TRUE;
    CLVKImageManager* pImageManager = GetImageManager();
    if (!pImageManager || ids.empty() ||
        !pImageManager->SetIconsFromBitmapResource(MAKEINTRESOURCEW(nIDResource), ids.data(),
                                                   static_cast<int>(ids.size()), szImage.cx, szImage.cy, 0))
        bResult = FALSE;
    if (szImage.cx != 16)
        m_szIcons = szImage;
    return bResult;
}

BOOL CLVKCommandBar::SetButtons(const UINT* pIDs, int nCount)
{
    m_pControls->RemoveAll();
    BOOL bBeginGroup = FALSE;
    for (int i = 0; i < nCount; i++)
    {
        const int nId = static_cast<int>(pIDs[i]);
        if (nId == 0)
        {
            bBeginGroup = TRUE;
            continue;
        }
        LVK_CONTROL_CREATE create{};
        create.nId = nId;
        create.bToolBar = TRUE;
        create.nIndex = i;
        create.pCommandBar = this;
        create.strCaption = m_strTitle;
        create.nType = kControlButton;
        create.nStyle = 0;
        CWnd* pSite = m_pSiteWindow;
        if (pSite && pSite->GetSafeHwnd())
            pSite->SendMessage(LVK_WM_BEFORECREATECONTROL, 0, reinterpret_cast<LPARAM>(&create));

        CLVKControl* pControl = nullptr;
        if (create.pControl)
            pControl = m_pControls->AddControl(create.pControl, create.nId);
        else
            pControl = m_pControls->Add(create.nType, create.nId);
        if (!pControl)
            continue;
        if (pControl->GetStyleValue() != create.nStyle)
            pControl->SetStyle(create.nStyle);
        if (create.nType == kControlPopup)
            pControl->SetIconId(create.nId);
        if (bBeginGroup)
            pControl->SetBeginGroup(TRUE);
        bBeginGroup = FALSE;

        create.pControl = pControl;
        if (pSite && pSite->GetSafeHwnd())
            pSite->SendMessage(LVK_WM_AFTERCREATECONTROL, 0, reinterpret_cast<LPARAM>(&create));
    }
    return TRUE;
}

INT_PTR CLVKCommandBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    // No tooltip over a bar that has opened one of its popups, nor while
    // menus that this bar is not part of are open.
    if ((m_nTrackingMode == kTrackingWithPopup && !IsPopupBar()) || m_nPopupedIndex != -1)
        return -1;
    if (const CLVKMouseManager* pMouse = CLVKMouseManager::GetThreadManagerIfAny())
    {
        if (pMouse->m_nLock > 0 || pMouse->IsTrackingOtherBar(const_cast<CLVKCommandBar*>(this)))
            return -1;
    }
    CLVKCommandBars* pCommandBars = GetCommandBars();
    const CLVKCommandBarsOptions* pOptions = pCommandBars ? pCommandBars->GetCommandBarsOptions() : nullptr;
    if (pOptions && !pOptions->bToolBarScreenTips)
        return -1;
    const BOOL bShortcuts = pOptions && pOptions->bToolBarAccelTips;

    CLVKControl* pControl = m_pControls->HitTest(point);
    if (!pControl)
        return -1;
    // In a menu only with the options' permission or the control's own flag.
    if (IsPopupBar() &&
        (!pOptions || (!pOptions->bShowPopupBarToolTips && !(pControl->GetFlags() & kFlagTooltipInMenus))))
        return -1;

    const INT_PTR nOwn = pControl->OnToolHitTest(point, pTI);
    if (nOwn != -1)
        return nOwn;
    CString strTip = pControl->GetTooltip();
    if (strTip.IsEmpty())
        return -1;
    if (bShortcuts)
    {
        CString strShortcut = pControl->GetShortcutText();
        if (strShortcut.IsEmpty())
            strShortcut = pControl->GetShortcutTextAuto();
        if (strShortcut.IsEmpty() && pCommandBars->GetShortcutManager())
            pCommandBars->GetShortcutManager()->FindCommandShortcutText(static_cast<UINT>(pControl->GetID()), strShortcut);
        // A markup tip is left as it was written.
        if (!strShortcut.IsEmpty() && strTip[0] != _T('<'))
            strTip += _T(" (") + strShortcut + _T(")");
    }
    const INT_PTR nHit = pControl->GetIconId();
    if (pTI)
    {
        const CString strDescription = pControl->GetDescription();
        CLVKToolTipContext::InitToolInfoEx(pTI, GetSafeHwnd(), static_cast<UINT_PTR>(nHit), pControl->GetRect(), strTip,
                                           strTip, strDescription, GetImageManager());
    }
    return nHit;
}
