#include "CommandBars/CommandBarsOptions.h"

#include "CommandBars/CommandBars.h"

#include "CommandBars/PaintManager.h"
#include "Foundation/PropExchange.h"
#include "Foundation/PropExchangeArchive.h"
#include "Foundation/PropExchangeFunctions.h"
#include "Foundation/PropExchangeSection.h"

IMPLEMENT_DYNCREATE(CLVKCommandBarsOptions, CLVKCmdTarget)

namespace
{
constexpr int kOptionsSchema = 42;

// The process-wide copy of the gallery DPI flag.
BOOL g_bAutoScaleDpiGalleryItems = TRUE;
}  // namespace

CLVKCommandBarsOptions::CLVKCommandBarsOptions()
{
    EnableAutomation();
    mapHiddenCommands.InitHashTable(17);
    mapUsedCommands.InitHashTable(17);
}

void CLVKCommandBarsOptions::SetKeyboardCuesMode(int nMode)
{
    m_nKeyboardCuesShow = nMode;
    m_bCuesFollowAlt = FALSE;
    m_bKeyboardCuesVisible = nMode != 1;
    if (nMode == 2)
    {
        BOOL bSystemCues = FALSE;
        if (::SystemParametersInfo(SPI_GETKEYBOARDCUES, 0, &bSystemCues, 0) && !bSystemCues)
        {
            m_bCuesFollowAlt = TRUE;
            m_bKeyboardCuesVisible = FALSE;
        }
    }
    if (m_pCommandBars)
        m_pCommandBars->ApplyKeyboardCuesMode();
}

void CLVKCommandBarsOptions::SetAutoScaleDpi(BOOL bGalleryItems, BOOL bToolBarIcons)
{
    bAutoScaleDpiGalleryItems = bGalleryItems;
    bAutoScaleDpiToolbarIcons = bToolBarIcons;
    g_bAutoScaleDpiGalleryItems = bGalleryItems;
}

BOOL AFX_CDECL CLVKCommandBarsOptions::IsAutoScaleDpiGalleryItems()
{
    return g_bAutoScaleDpiGalleryItems;
}

BOOL CLVKCommandBarsOptions::IsCommandUsed(UINT nId) const
{
    int nValue = 0;
    return mapUsedCommands.Lookup(nId, nValue);
}

BOOL CLVKCommandBarsOptions::IsCommandHidden(UINT nId) const
{
    int nValue = 0;
    return mapHiddenCommands.Lookup(nId, nValue);
}

void CLVKCommandBarsOptions::SetCommandUsed(UINT nId)
{
    mapUsedCommands.SetAt(nId, 1);
}

void CLVKCommandBarsOptions::SetCommandHidden(UINT nId, BOOL bHidden)
{
    if (bHidden)
        mapHiddenCommands.SetAt(nId, 1);
    else
        mapHiddenCommands.RemoveKey(nId);
}

void CLVKCommandBarsOptions::Serialize(CArchive& ar)
{
    CLVKPropExchangeArchive px(ar);
    DoPropExchange(&px, FALSE);
}

void CLVKCommandBarsOptions::ExchangeSet(CLVKPropExchange* pPX, LPCTSTR pszKey, CLVKCommandIdSet& set)
{
    if (pPX->PrefersBinaryObjects())
    {
        ExchangeObject(pPX, pszKey, &set);
        return;
    }
    CLVKPropExchangeSection section(pPX->OpenSection(pszKey));
    if (!section.Get())
        return;
    CString strKey;
    if (pPX->IsLoading())
    {
        set.RemoveAll();
        const DWORD nCount = section->LoadCount();
        for (DWORD i = 0; i < nCount; i++)
        {
            int nId = 0;
            strKey.Format(_T("Item%i"), static_cast<int>(i));
            ExchangeInt(section, strKey, nId, 0);
            set.SetAt(static_cast<UINT>(nId), 1);
        }
        return;
    }
    section->StoreCount(static_cast<DWORD>(set.GetCount()));
    int i = 0;
    POSITION pos = set.GetStartPosition();
    while (pos)
    {
        UINT nId = 0;
        int nValue = 0;
        set.GetNextAssoc(pos, nId, nValue);
        int nStored = static_cast<int>(nId);
        strKey.Format(_T("Item%i"), i++);
        ExchangeInt(section, strKey, nStored, 0);
    }
}

void CLVKCommandBarsOptions::DoPropExchange(CLVKPropExchange* pPX, BOOL bUserOptionsOnly,
                                            CLVKPaintManager* pPaintManager)
{
    if (!pPX)
        return;
    // Every key is written, and a key missing on load leaves its field.
    pPX->m_bUseDefaultOnLoad = FALSE;
    pPX->m_bUseDefaultOnSave = FALSE;

    int nSchema = kOptionsSchema;
    ExchangeInt(pPX, _T("Schema"), nSchema, kOptionsSchema);
    if (pPX->IsStoring())
        nSchema = kOptionsSchema;

    ExchangeBool(pPX, _T("AlwaysShowFullMenus"), bAlwaysShowFullMenus, TRUE);
    ExchangeBool(pPX, _T("ShowFullAfterDelay"), bShowFullAfterDelay, TRUE);
    ExchangeBool(pPX, _T("ToolBarScreenTips"), bToolBarScreenTips, TRUE);
    ExchangeBool(pPX, _T("ToolBarAccelTips"), bToolBarAccelTips, FALSE);
    ExchangeBool(pPX, _T("LargeIcons"), bLargeIcons, FALSE);

    auto exchangeSetNow = [pPX](const CLVKCommandIdSet& set)
    { return pPX->IsLoading() || !pPX->CanSkipValues() || !set.IsEmpty(); };
    if (nSchema > 7 && exchangeSetNow(mapUsedCommands))
        ExchangeSet(pPX, _T("UsedCommands"), mapUsedCommands);
    if (nSchema > 7 || bUserOptionsOnly)
        ExchangeInt(pPX, _T("Animation"), nAnimationType, 0);
    if (bUserOptionsOnly)
        return;

    ExchangeBool(pPX, _T("SyncFloatingBars"), bSyncFloatingBars, TRUE);
    ExchangeBool(pPX, _T("ShowExpandButtonAlways"), bShowExpandButtonAlways, TRUE);
    SIZE szValue = szIcons;
    ExchangeSize(pPX, _T("IconsSize"), szValue, 0, 0);
    szIcons = szValue;
    szValue = szLargeIcons;
    ExchangeSize(pPX, _T("LargeIconsSize"), szValue, 0, 0);
    szLargeIcons = szValue;
    if (exchangeSetNow(mapHiddenCommands))
        ExchangeSet(pPX, _T("HiddenCommands"), mapHiddenCommands);

    // The paint manager's icon switches; a local record stands in when
    // there is no paint manager to hold them.
    LVK_PAINTMANAGER_ICONSINFO localIcons;
    localIcons.bUseDisabledIcons = TRUE;
    localIcons.bUseFadedIcons = TRUE;
    LVK_PAINTMANAGER_ICONSINFO* pIcons = pPaintManager ? pPaintManager->GetIconsInfo() : &localIcons;
    ExchangeBool(pPX, _T("IconsWithShadow"), pIcons->bIconsWithShadow, FALSE);
    ExchangeBool(pPX, _T("UseDisabledIcons"), pIcons->bUseDisabledIcons, TRUE);
    ExchangeBool(pPX, _T("UseFadedIcons"), pIcons->bUseFadedIcons, TRUE);

    if (nSchema > 7)
    {
        ExchangeBool(pPX, _T("SyncFloatingBars"), bSyncFloatingBars, TRUE);
        ExchangeBool(pPX, _T("ShowExpandButtonAlways"), bShowExpandButtonAlways, TRUE);
        ExchangeBool(pPX, _T("DblClickFloat"), bDblClickFloat, FALSE);
        ExchangeBool(pPX, _T("ShowTextBelowIcons"), bShowTextBelowIcons, FALSE);
        ExchangeBool(pPX, _T("AltDragCustomization"), bAltDragCustomization, TRUE);
        ExchangeBool(pPX, _T("AutoHideUnusedPopups"), bAutoHideUnusedPopups, TRUE);
        szValue = szPopupIcons;
        ExchangeSize(pPX, _T("PopupIconsSize"), szValue, 0, 0);
        szPopupIcons = szValue;
    }
    if (nSchema > 8)
    {
        ExchangeInt(pPX, _T("KeyboardCuesUse"), nKeyboardCuesUse, 1);
        int nMode = m_nKeyboardCuesShow;
        ExchangeInt(pPX, _T("KeyboardCuesShow"), nMode, 0);
        if (pPX->IsLoading())
            SetKeyboardCuesMode(nMode);
    }
    if (nSchema > 38)
    {
        ExchangeBool(pPX, _T("AutoScaleDpiGalleryItems"), bAutoScaleDpiGalleryItems, TRUE);
        ExchangeBool(pPX, _T("AutoScaleDpiToolbarIcons"), bAutoScaleDpiToolbarIcons, TRUE);
    }
}
