// CLVKCommandBar: icon and button sizes, filling a bar from a tool-bar
// resource or a list of command ids.
#include "CommandBars/CommandBar.h"

#include "CommandBars/Control.h"
#include "CommandBars/Controls.h"
#include "CommandBars/PaintManager.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/ImageManager.h"

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
    // The options' icon sizes (popup, normal and large icons) apply once the
    // command-bar manager exists; without one icons are 16 x 16.
    return CSize(16, 16);
}

CSize CLVKCommandBar::GetLargeIconSize(BOOL /*bUseDefault*/) const
{
    // Without a manager: twice the bar's own icon size, else 32 x 32.
    if (IsSizeSet(m_szIcons))
        return CSize(m_szIcons.cx * 2, m_szIcons.cy * 2);
    return CSize(32, 32);
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
    // 2 follows the manager's options; FALSE without a manager.
    return FALSE;
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
