#include "Controls/AuxData.h"

#include "Foundation/ColorManager.h"
#include "Foundation/DrawHelpers.h"
#include "Foundation/NcMetricsInfo.h"
#include "Foundation/ResourceManager.h"
#include "Foundation/SingletonPointer.h"
#include "Foundation/SystemVersion.h"

CLVKAuxData& AFX_CDECL LVKAuxData()
{
    return *LVKGetSingleton<CLVKAuxData>();
}

CLVKAuxData::CLVKAuxData()
{
    CLVKSystemVersion* const pVersion = CLVKSystemVersion::GetGlobal();
    bWin95 = pVersion->IsWin95();
    bWin98 = pVersion->IsWin98();
    bWinNT4 = pVersion->IsWinNT4();
    bWin2K = pVersion->IsWin2000();
    bWinXP = pVersion->IsWinXP();
    const DWORD dwComCtl = CLVKSystemVersion::GetComCtlVersion();
    nComCtlVersion = dwComCtl ? static_cast<int>(dwComCtl) : 0x40000;

    UpdateSysColors();
    UpdateSysMetrics();
    LoadCursors();
    UpdateFonts(nullptr, nullptr);
}

CLVKAuxData::~CLVKAuxData()
{
    ReleaseFonts();
}

void CLVKAuxData::UpdateSysColors()
{
    RecomputeToolkitColors(FALSE);
    clr3DFace = GetToolkitColor(COLOR_3DFACE);
    clr3DShadow = GetToolkitColor(COLOR_3DSHADOW);
    clr3DDkShadow = GetToolkitColor(COLOR_3DDKSHADOW);
    clr3DHilight = GetToolkitColor(COLOR_3DHILIGHT);
    clr3DLight = GetToolkitColor(COLOR_3DLIGHT);
    clrBtnText = GetToolkitColor(COLOR_BTNTEXT);
    clrGrayText = GetToolkitColor(COLOR_GRAYTEXT);
    clrHighlight = GetToolkitColor(COLOR_HIGHLIGHT);
    clrHighlightText = GetToolkitColor(COLOR_HIGHLIGHTTEXT);
    clrMenu = GetToolkitColor(COLOR_MENU);
    clrMenuText = GetToolkitColor(COLOR_MENUTEXT);
    clrWindow = GetToolkitColor(COLOR_WINDOW);
    clrWindowFrame = GetToolkitColor(COLOR_WINDOWFRAME);
    clrWindowText = GetToolkitColor(COLOR_WINDOWTEXT);
    clrActiveCaption = GetToolkitColor(COLOR_ACTIVECAPTION);
    clrInActiveCaption = GetToolkitColor(COLOR_INACTIVECAPTION);
    clrGradientActiveCap = GetToolkitColor(COLOR_GRADIENTACTIVECAPTION);
    clrGradientInActiveCap = GetToolkitColor(COLOR_GRADIENTINACTIVECAPTION);
    clrActiveCaptText = GetToolkitColor(COLOR_CAPTIONTEXT);
    clrInactiveCaptText = GetToolkitColor(COLOR_INACTIVECAPTIONTEXT);
    for (int i = 0; i < 20; ++i)
        clrToolkit[i] = GetToolkitColor(30 + i);
}

void CLVKAuxData::UpdateSysMetrics()
{
    cxSmIcon = ::GetSystemMetrics(SM_CXSMICON);
    cySmIcon = ::GetSystemMetrics(SM_CYSMICON);
    cxSize = 18;
    cySize = 18;
    cxHThumb = ::GetSystemMetrics(SM_CXHTHUMB);
    cyVThumb = ::GetSystemMetrics(SM_CYVTHUMB);
    cyMenuItem = ::GetSystemMetrics(SM_CYMENU);
}

BOOL CLVKAuxData::LoadCursors()
{
    CLVKResourceManager* const pResources = CLVKResourceManager::GetGlobal();
    auto toolkitCursor = [pResources](UINT nID) { return pResources ? pResources->LoadCursor(nID) : nullptr; };
    hcurDragNone = toolkitCursor(9310);
    hcurDragCopy = toolkitCursor(9308);
    hcurDragMove = toolkitCursor(9309);
    hcurHand = ::LoadCursor(nullptr, IDC_HAND);
    if (!hcurHand)
        hcurHand = toolkitCursor(9973);
    hcurVSplitBar = toolkitCursor(9970);
    hcurHSplitBar = toolkitCursor(9971);
    hcurMove = ::LoadCursor(nullptr, IDC_SIZEALL);
    return hcurDragNone && hcurDragCopy && hcurDragMove && hcurHand && hcurVSplitBar && hcurHSplitBar && hcurMove;
}

BOOL CLVKAuxData::FontExists(LPCWSTR lpszFace)
{
    return CLVKDrawHelpers::FontExists(lpszFace);
}

void CLVKAuxData::ReleaseFonts()
{
    for (CLVKFont* pFont : {&RegularFont, &BoldFont, &UnderlineFont, &VerticalFont, &VerticalBoldFont, &IconFont,
                            &IconBoldFont, &MarlettFont, &StatusFont, &SmallCaptionFont})
        pFont->ReleaseObject();
}

BOOL CLVKAuxData::UpdateFonts(LPCWSTR lpszFace, LPCWSTR lpszVerticalFace)
{
    const LPCWSTR kOfficeFace = L"Tahoma";
    const LPCWSTR kVerticalFace = L"Arial";
    ReleaseFonts();

    const CLVKNcMetricsInfo metrics;
    LOGFONTW lfBase = metrics.lfMenuFont;
    CLVKResourceManager* const pResources = CLVKResourceManager::GetGlobal();
    if (pResources)
        lfBase.lfCharSet = pResources->GetFontCharset();
    LOGFONTW lfStatus = metrics.lfStatusFont;
    LOGFONTW lfSmallCaption = metrics.lfSmCaptionFont;

    const bool bFaceGiven = lpszFace && *lpszFace && FontExists(lpszFace);
    if (bFaceGiven)
    {
        for (LOGFONTW* pFont : {&lfBase, &lfStatus, &lfSmallCaption})
            wcsncpy(pFont->lfFaceName, lpszFace, LF_FACESIZE - 1);
    }
    else if (bUseOfficeFont && metrics.lfMenuFont.lfCharSet <= SYMBOL_CHARSET && FontExists(kOfficeFace))
    {
        wcsncpy(lfBase.lfFaceName, kOfficeFace, LF_FACESIZE - 1);
    }

    if (!LVKCreateFontFromTemplate(lfBase, RegularFont) || !LVKCreateFontFromTemplate(lfBase, BoldFont, FW_BOLD) ||
        !LVKCreateFontFromTemplate(lfBase, UnderlineFont, -1, TRUE))
        return FALSE;

    LOGFONTW lfVertical = lfBase;
    if (lpszVerticalFace && *lpszVerticalFace && FontExists(lpszVerticalFace))
        wcsncpy(lfVertical.lfFaceName, lpszVerticalFace, LF_FACESIZE - 1);
    else if (_wcsicmp(metrics.lfMenuFont.lfFaceName, kOfficeFace) != 0 && FontExists(kVerticalFace))
        wcsncpy(lfVertical.lfFaceName, kVerticalFace, LF_FACESIZE - 1);
    if (!LVKCreateFontFromTemplate(lfVertical, VerticalFont, -1, -1, 900, 2700) ||
        !LVKCreateFontFromTemplate(lfVertical, VerticalBoldFont, FW_BOLD, -1, 900, 2700))
        return FALSE;

    LOGFONTW lfIcon{};
    CLVKDrawHelpers::GetIconTitleLogFont(&lfIcon);
    if (!LVKCreateFontFromTemplate(lfIcon, IconFont) || !LVKCreateFontFromTemplate(lfIcon, IconBoldFont, FW_BOLD))
        return FALSE;
    if (!LVKCreateFontFromTemplate(lfStatus, StatusFont) ||
        !LVKCreateFontFromTemplate(lfSmallCaption, SmallCaptionFont))
        return FALSE;

    LOGFONTW lfMarlett{};
    lfMarlett.lfHeight = lfIcon.lfHeight;
    lfMarlett.lfCharSet = DEFAULT_CHARSET;
    wcscpy(lfMarlett.lfFaceName, L"Marlett");
    return MarlettFont.CreateIndirect(&lfMarlett);
}
