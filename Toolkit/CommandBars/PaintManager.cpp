#include "CommandBars/PaintManager.h"

#include "Controls/ScrollBarThemeWindowsUx.h"
#include "Foundation/ColorManager.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/DrawHelpers.h"
#include "Foundation/FontDC.h"
#include "Foundation/ImageManager.h"
#include "Foundation/ResourceManager.h"
#include "Foundation/ShadowManager.h"
#include "Foundation/WinThemeWrapper.h"

#include <algorithm>
#include <cstdlib>

namespace
{
const COLORREF kNoColor = static_cast<COLORREF>(-1);
const int kBoldWeight = 700;
const BYTE kClearTypeQuality = 5;
// The size of NONCLIENTMETRICSW with its padded-border field.
const UINT kNonClientMetricsSize = 504;
}  // namespace

CLVKPaintManager::CLVKPaintManager()
{
    m_nIconTextGap = ScaleX(4);
    m_nSplitDropDownWidth = ScaleY(11);
    m_nSplitDropDownHeight = (10 + ScaleY(2)) * 2;
    m_nSplitPopupWidth = ScaleX(20);
    m_nThemeMetric = ScaleY(20);

    m_pStatusBarThemeData = std::make_unique<CLVKWinThemeWrapper>();
    m_pButtonThemeData = std::make_unique<CLVKWinThemeWrapper>();

    // Generated images (faded, shadow, disabled) follow the theme's colours,
    // so they are made again on their next use.
    CLVKImageManager::GetGlobal()->ClearGeneratedImages();

    m_pScrollBarPaintManager = std::make_unique<CLVKScrollBarThemeWindowsUx>();

    if (const HMODULE hUser = ::GetModuleHandleW(L"USER32"))
    {
        m_pfnSetLayeredWindowAttributes = reinterpret_cast<PFNSETLAYEREDWINDOWATTRIBUTES>(
            reinterpret_cast<void*>(::GetProcAddress(hUser, "SetLayeredWindowAttributes")));
    }
    m_pShadowManager = new CLVKShadowManager();
}

CLVKPaintManager::~CLVKPaintManager()
{
    m_pScrollBarPaintManager.reset();
    if (m_pShadowManager)
    {
        m_pShadowManager->InternalRelease();
        m_pShadowManager = nullptr;
    }
    m_pStatusBarThemeData.reset();
    m_pButtonThemeData.reset();
    NotifyDestroyed();
}

void CLVKPaintManager::NotifyDestroyed()
{
    // In array order, re-reading the length after each call: an observer may
    // add or remove observers (itself included) while it is told.
    m_nNotifyDepth++;
    for (size_t i = 0; i < m_arrObservers.size(); i++)
    {
        if (!m_arrObservers[i].bRemoved)
            m_arrObservers[i].pObserver->OnPaintManagerDestroyed(this);
    }
    if (--m_nNotifyDepth != 0)
        return;
    for (INT_PTR i = static_cast<INT_PTR>(m_arrObservers.size()) - 1; i >= 0; i--)
    {
        if (m_arrObservers[i].bRemoved)
            RemoveAt(static_cast<int>(i));
    }
}

int CLVKPaintManager::ScaleX(int n) const
{
    return CLVKDpiScaling::GetGlobal()->ScaleX(n);
}

int CLVKPaintManager::ScaleY(int n) const
{
    return CLVKDpiScaling::GetGlobal()->ScaleY(n);
}

COLORREF CLVKPaintManager::GetThemeColor(UINT nIndex) const
{
    if (nIndex >= kColorCount)
        return nIndex;
    return m_colorTable[nIndex].GetColor();
}

void CLVKPaintManager::SetColors(int nCount, const int* pIndexes, const COLORREF* pColors)
{
    for (int i = 0; i < nCount; i++)
    {
        if (pIndexes[i] >= 0 && pIndexes[i] < kColorCount)
            m_colorTable[pIndexes[i]].SetStandardValue(pColors[i]);
    }
}

CSize CLVKPaintManager::GetAutoIconSize(BOOL bLarge) const
{
    if (!m_bAutoIconSize)
        return bLarge ? CSize(32, 32) : CSize(16, 16);
    const int nBase = std::max(m_nEditHeight, 18);
    int n = bLarge ? (2 * nBase - 2 * ScaleY(4)) / 8 : (nBase - ScaleY(4)) / 8;
    n = std::max(n, ScaleY(2));
    return CSize(n * 8, n * 8);
}

int CLVKPaintManager::GetWindowsColorScheme() const
{
    const CLVKColorManager* pColors = CLVKColorManager::GetGlobal();
    if (m_nWindowsColorScheme == CLVKColorManager::themeAutomaticAlt)
        return pColors->AreLunaColorsOff() ? 0 : pColors->GetWindowsTheme();
    if (m_nWindowsColorScheme == CLVKColorManager::themeAutomatic)
        return pColors->GetDetectedTheme();
    return m_nWindowsColorScheme;
}

int AFX_CDECL CLVKPaintManager::GetPopupArrowGlyph(int nBarPosition, BOOL bVertical)
{
    switch (nBarPosition)
    {
    case lvkBarTop:
        return 51;
    case lvkBarBottom:
        return 50;
    case lvkBarLeft:
        return 49;
    case lvkBarRight:
        return 48;
    default:
        return bVertical ? 48 : 51;
    }
}

int AFX_CDECL CLVKPaintManager::CalcTextHeight(int nFontHeight, int nDpi)
{
    if (nDpi <= 0)
    {
        CClientDC dc(nullptr);
        nDpi = ::GetDeviceCaps(dc.GetSafeHdc(), LOGPIXELSY);
        if (nDpi <= 0)
            nDpi = 96;
    }
    return std::max(110 * std::abs(nFontHeight) / nDpi, 10);
}

int AFX_CDECL CLVKPaintManager::CalcEditHeight(int nFontHeight, int nDpi)
{
    if (nDpi <= 0)
    {
        CClientDC dc(nullptr);
        nDpi = ::GetDeviceCaps(dc.GetSafeHdc(), LOGPIXELSY);
        if (nDpi <= 0)
            nDpi = 96;
    }
    return std::max(190 * std::abs(nFontHeight) / nDpi, 18);
}

void CLVKPaintManager::UpdateColors()
{
    CLVKColorManager* pColors = CLVKColorManager::GetGlobal();
    pColors->RecomputeColors(FALSE);
    for (int i = 0; i < kColorCount; i++)
        m_colorTable[i].SetStandardValue(pColors->GetColor(i));
}

namespace
{
BOOL IsClearTypeAvailable()
{
    // CLEARTYPE_QUALITY exists where the system can tell its smoothing type.
    UINT nType = 0;
    return ::SystemParametersInfoW(SPI_GETFONTSMOOTHINGTYPE, 0, &nType, 0);
}
}  // namespace

void CLVKPaintManager::UpdateFonts()
{
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = kNonClientMetricsSize;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0);
    const BYTE nCharset = CLVKResourceManager::GetGlobal()->GetFontCharset();
    const BOOL bClearType = m_bClearTypeText && IsClearTypeAvailable();

    if (m_bStandardFontWanted)
    {
        LOGFONTW lf = ncm.lfMenuFont;
        // Menu fonts smaller than 10 pixels are unreadable in bars.
        if (lf.lfHeight < 0)
            lf.lfHeight = std::min<LONG>(lf.lfHeight, -10);
        lf.lfCharSet = nCharset;
        if (bClearType)
            lf.lfQuality = kClearTypeQuality;
        if (m_nFontHeight > 0)
            lf.lfHeight = -m_nFontHeight;
        const int h = std::abs(static_cast<int>(lf.lfHeight));
        m_nTextHeight = std::max(110 * h / 96, 10);
        m_nEditHeight = std::max(190 * h / 96, 18);
        m_nSplitDropDownWidth = ScaleY(std::max(m_nTextHeight / 2, 11));
        m_nSplitDropDownHeight = (h + ScaleY(2)) * 2;
        SetCommandBarsFontIndirect(&lf, TRUE);
    }

    LOGFONTW lfIcon{};
    CLVKDrawHelpers::GetIconTitleLogFont(&lfIcon);
    if (bClearType)
    {
        lfIcon.lfQuality = kClearTypeQuality;
        ncm.lfSmCaptionFont.lfQuality = kClearTypeQuality;
        ncm.lfStatusFont.lfQuality = kClearTypeQuality;
    }
    if (m_nFontHeight != 0)
        lfIcon.lfHeight = -m_nFontHeight;
    lfIcon.lfCharSet = nCharset;
    ncm.lfSmCaptionFont.lfCharSet = nCharset;
    ncm.lfStatusFont.lfCharSet = nCharset;

    m_fontIcon.SetStandardFont(&lfIcon);
    LOGFONTW lfIconBold = lfIcon;
    lfIconBold.lfWeight = kBoldWeight;
    m_fontIconBold.SetStandardFont(&lfIconBold);
    m_fontSmallCaption.SetStandardFont(&ncm.lfSmCaptionFont);
    m_fontStatus.SetStandardFont(&ncm.lfStatusFont);
}

void CLVKPaintManager::SetCommandBarsFontIndirect(LOGFONTW* pLogFont, BOOL bUseStandardFont)
{
    m_bStandardFontWanted = bUseStandardFont;
    if (!pLogFont)
        return;
    if (m_bClearTypeText && IsClearTypeAvailable())
        pLogFont->lfQuality = kClearTypeQuality;

    m_fontRegular.ReleaseObject();
    m_fontRegularBold.ReleaseObject();
    m_fontVertical.ReleaseObject();
    m_fontVerticalBold.ReleaseObject();
    m_fontIconBold.DeleteObject();

    if (m_strOfficeFontName.CompareNoCase(pLogFont->lfFaceName) == 0)
        m_bOfficeFontWanted = TRUE;
    if (bUseStandardFont && m_bOfficeFontWanted && CLVKDrawHelpers::FontExists(m_strOfficeFontName))
        lstrcpynW(pLogFont->lfFaceName, m_strOfficeFontName, LF_FACESIZE);

    const LONG nWeight = pLogFont->lfWeight;
    m_fontRegular.CreateIndirect(pLogFont);
    pLogFont->lfWeight = kBoldWeight;
    m_fontRegularBold.CreateIndirect(pLogFont);

    pLogFont->lfWeight = nWeight;
    pLogFont->lfEscapement = 2700;
    pLogFont->lfOrientation = 900;
    lstrcpynW(pLogFont->lfFaceName, CLVKDrawHelpers::GetDefaultFontFaceName(m_bOfficeFontWanted), LF_FACESIZE);
    m_fontVertical.CreateIndirect(pLogFont);
    pLogFont->lfWeight = kBoldWeight;
    m_fontVerticalBold.CreateIndirect(pLogFont);
    pLogFont->lfWeight = nWeight;

    CClientDC dc(nullptr);
    const CLVKFontDC font(&dc, m_fontRegular.GetFont());
    const CSize szSpace = dc.GetTextExtent(L" ", 1);
    m_nTextHeight = szSpace.cy + ScaleY(6);
}

void CLVKPaintManager::RefreshMetrics()
{
    UpdateFonts();
    UpdateColors();

    m_rcBorderMargins.SetRect(ScaleX(3), ScaleY(3), ScaleX(3), ScaleY(3));
    m_clrInfoText = GetThemeColor(COLOR_INFOTEXT);
    m_clrFloatingTitle.SetStandardValue(GetThemeColor(COLOR_BTNSHADOW));
    m_clrFloatingTitleText.SetStandardValue(GetThemeColor(COLOR_BTNHIGHLIGHT));
    m_grcToolBar.SetStandardColors(GetThemeColor(COLOR_BTNFACE), GetThemeColor(COLOR_BTNSHADOW), 0.5f);

    m_pStatusBarThemeData->CloseThemeData();
    m_pButtonThemeData->CloseThemeData();
    if (m_bThemedCheckBox)
        m_pButtonThemeData->OpenThemeData(nullptr, L"BUTTON");

    if (m_pScrollBarPaintManager)
        m_pScrollBarPaintManager->RefreshMetrics();
}

void CLVKPaintManager::SetFontHeight(int nFontHeight)
{
    m_nFontHeight = nFontHeight;
    RefreshMetrics();
}

int CLVKPaintManager::GetTabButtonHeight() const
{
    return GetButtonHeight() + ScaleY(4);
}

BOOL AFX_CDECL CLVKPaintManager::SplitCaptionForTwoLines(const CString& strCaption, CString& strFirst,
                                                         CString& strSecond)
{
    strFirst = strCaption;
    strSecond.Empty();
    const int nLength = strCaption.GetLength();
    if (nLength < 4)
        return FALSE;
    const int nFirstSpace = strCaption.Find(L' ');
    if (nFirstSpace <= 0)
        return FALSE;

    // From the middle outwards (m, m + 1, m - 1, m + 2, ...), never further
    // left than position 2.
    const int nMiddle = nLength / 2;
    for (int nDistance = 0; nMiddle - nDistance >= 2 || nMiddle + nDistance < nLength; nDistance++)
    {
        const int nCandidates[2] = {nMiddle + nDistance, nMiddle - nDistance};
        for (int nPos : nCandidates)
        {
            if (nPos < 2 || nPos >= nLength)
                continue;
            if (strCaption[nPos] == L' ')
            {
                strFirst = strCaption.Left(nPos);
                strSecond = strCaption.Mid(nPos + 1);
                return TRUE;
            }
        }
    }
    return FALSE;
}
