// Measuring and drawing of controls on tool bars, menu bars and in popups,
// the system buttons of bars, and what the paint manager reads of bars.
#include "CommandBars/PaintManager.h"

#include "CommandBars/CommandBar.h"
#include "CommandBars/CommandBars.h"
#include "CommandBars/CommandBarsOptions.h"
#include "CommandBars/Control.h"
#include "CommandBars/ControlAction.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/DrawHelpers.h"
#include "Foundation/FontDC.h"
#include "Foundation/GlyphFont.h"
#include "Foundation/ImageManagerIcon.h"

#include <algorithm>

namespace
{
const int kAddOrRemoveButtonsId = 9122;

BOOL IsPopupKind(int nType)
{
    return nType == kControlPopup || nType == kControlButtonPopup || nType == kControlSplitButton;
}

int BarType(const CLVKControl* pControl)
{
    const CLVKCommandBar* pBar = pControl ? pControl->GetParent() : nullptr;
    return pBar ? pBar->GetType() : kBarTypeToolBar;
}

int BarPosition(const CLVKControl* pControl)
{
    const CLVKCommandBar* pBar = pControl ? pControl->GetParent() : nullptr;
    return pBar ? pBar->GetPosition() : lvkBarNone;
}

// The caption without its mnemonic markers, one space when empty.
CString MeasurableText(const CString& strCaption)
{
    CString strText = strCaption;
    CLVKDrawHelpers::StripMnemonics(strText);
    if (strText.IsEmpty())
        strText = L" ";
    return strText;
}

}  // namespace

// ---- what the paint manager reads of controls and bars -------------------------------

int AFX_CDECL CLVKPaintManager::GetControlChecked(CLVKControl* pControl)
{
    return pControl ? pControl->GetChecked() : 0;
}

BOOL CLVKPaintManager::AreKeyboardCuesShown(CLVKControl* pControl) const
{
    if (m_nKeyboardCuesMode != -1)
        return m_nKeyboardCuesMode == 1;
    const CLVKCommandBar* pBar = pControl ? pControl->GetParent() : nullptr;
    return pBar && pBar->AreKeyboardCuesVisible();
}

CString CLVKPaintManager::GetControlCustomShortcutText(CLVKControl* pControl) const
{
    if (!pControl)
        return CString();
    if (!pControl->GetCustomShortcutText().IsEmpty())
        return pControl->GetCustomShortcutText();
    if (const CLVKControlAction* pAction = pControl->GetAction())
    {
        if (!pAction->GetShortcutText().IsEmpty())
            return pAction->GetShortcutText();
    }
    return pControl->GetShortcutTextAuto();
}

CSize CLVKPaintManager::GetControlIconSize(CLVKControl* pControl) const
{
    CLVKCommandBar* pBar = pControl->GetParent();
    if (pControl->GetStyle() == kStyleLarge && pBar && pBar->GetType() != kBarTypePopup)
        return pBar->GetLargeIconSize(TRUE);
    return pControl->GetIconSize();
}

CSize AFX_CDECL CLVKPaintManager::FitImageSize(CLVKImageManagerIcon* pImage, int cx, int cy)
{
    if (!pImage)
        return CSize(cx, cy);
    const CSize szImage = pImage->GetExtent();
    if (szImage.cx == 0 || szImage.cy == 0)
        return CSize(cx, cy);
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    const int w = pDpi->ScaleX(szImage.cx);
    const int h = pDpi->ScaleY(szImage.cy);
    const int nFittedHeight = cx * h / w;
    if (cy + 1 >= nFittedHeight)
        return CSize(cx, nFittedHeight);
    return CSize(cy * w / h, cy);
}

CSize CLVKPaintManager::GetControlImageSize(CLVKImageManagerIcon* pImage, int cx, int cy, CLVKControl* pControl,
                                            int nBoxWidth, int nBoxHeight)
{
    if (!pImage)
        return CSize(cx, cy);
    CSize szLimit(nBoxWidth - 2 * ScaleX(2), nBoxHeight - 2 * ScaleY(2));
    if (IsDpiScalingOn(pControl))
    {
        szLimit.cx = std::min<int>(szLimit.cx, ScaleX(cx));
        szLimit.cy = std::min<int>(szLimit.cy, ScaleY(cy));
        return FitImageSize(pImage, szLimit.cx, szLimit.cy);
    }
    const CSize szImage = pImage->GetExtent();
    if (szImage.cx <= nBoxWidth && szImage.cy <= nBoxHeight)
        return szImage;
    return FitImageSize(pImage, szLimit.cx, szLimit.cy);
}

CSize AFX_CDECL CLVKPaintManager::ApplyControlSizeOverride(CLVKControl* pControl, int cx, int cy, BOOL bVertical)
{
    const int nWidth = pControl->GetWidth();
    const int nHeight = pControl->GetHeight();
    if (!bVertical)
    {
        if (nWidth > 0)
            cx = nWidth;
        if (nHeight > 0)
            cy = nHeight;
    }
    else
    {
        if (nWidth > 0)
            cy = nWidth;
        if (nHeight > 0)
            cx = nHeight;
    }
    return CSize(cx, cy);
}

BOOL CLVKPaintManager::IsDpiScalingOn(CLVKControl* pControl)
{
    // The manager's "AutoScaleDpiToolbarIcons" option; the bar's manager is
    // found along its parent bars. Without a manager nothing is scaled.
    CLVKCommandBar* pBar = pControl ? pControl->GetParent() : nullptr;
    CLVKCommandBars* pCommandBars = pBar ? pBar->GetCommandBars() : nullptr;
    return pCommandBars && pCommandBars->GetCommandBarsOptions()->bAutoScaleDpiToolbarIcons;
}

CFont* CLVKPaintManager::GetControlFont(CLVKControl* pControl)
{
    const BOOL bDefault = pControl && pControl->IsDefaultItem();
    if (pControl && GetControlTextOrientation(pControl) == 1)
        return bDefault ? m_fontVerticalBold.GetFont() : m_fontVertical.GetFont();
    return bDefault ? m_fontRegularBold.GetFont() : m_fontRegular.GetFont();
}

CFont* CLVKPaintManager::GetCommandBarFont(CLVKCommandBar* pBar)
{
    BOOL bVertical = FALSE;
    if (pBar)
    {
        bVertical =
            pBar->GetTextOrientation() != 0 ? pBar->GetTextOrientation() == 1 : IsVerticalPosition(pBar->GetPosition());
    }
    return bVertical ? m_fontVertical.GetFont() : m_fontRegular.GetFont();
}

int CLVKPaintManager::GetControlTextOrientation(CLVKControl* pControl)
{
    const CLVKCommandBar* pBar = pControl ? pControl->GetParent() : nullptr;
    if (!pBar)
        return 2;
    if (pBar->GetTextOrientation() != 0)
        return pBar->GetTextOrientation();
    return IsVerticalPosition(pBar->GetPosition()) ? 1 : 2;
}

int CLVKPaintManager::GetPopupBarGripperWidth(CLVKCommandBar* pBar)
{
    if (!pBar || pBar->GetType() != kBarTypePopup)
        return 0;
    const int nFactor = pBar->IsPopupBar() && pBar->IsDoubleGripper() ? 2 : 1;
    return GetExpandButtonSize(pBar).cx * nFactor + ScaleX(1);
}

BOOL CLVKPaintManager::GetBarIconsSize(CLVKCommandBar* pBar)
{
    if (!pBar)
        return m_bFlatToolBar;
    if (pBar->GetFlags() & 0x80)
        return TRUE;
    return pBar->GetType() != kBarTypeMenuBar ? m_bFlatToolBar : m_bFlatMenuBar;
}

CSize CLVKPaintManager::GetExpandButtonSize(CLVKCommandBar* pBar)
{
    const CSize szIcon = pBar ? pBar->GetIconSize() : CSize(16, 16);
    return CSize(std::max<int>(m_nTextHeight, szIcon.cx) + ScaleX(4),
                 std::max<int>(m_nTextHeight, szIcon.cy + ScaleY(6)));
}

CRect CLVKPaintManager::GetCommandBarBorders(CLVKCommandBar* /*pBar*/)
{
    return CRect(ScaleX(2), ScaleY(2), ScaleX(2), ScaleY(2));
}

CSize CLVKPaintManager::GetBarTextHeight(CLVKCommandBar* pBar)
{
    if (!pBar || !pBar->GetSafeHwnd())
        return CSize(0, 0);
    CClientDC dc(pBar);
    const CLVKFontDC font(&dc, GetCommandBarFont(pBar));
    return DrawCommandBarFrame(&dc, pBar, FALSE);
}

CRect CLVKPaintManager::GetSplitDropDownRect(CLVKControl* pControl)
{
    CRect rc = pControl->GetRect();
    if (BarType(pControl) == kBarTypePopup)
        rc.right -= m_nSplitPopupWidth;
    else if (pControl->GetStyle() == kStyleLarge)
    {
        if (GetControlTextOrientation(pControl) == 1)
            rc.left += GetSplitDropDownWidth();
        else
            rc.bottom -= GetSplitDropDownWidth();
    }
    else
        rc.right -= m_nSplitDropDownWidth + 1;
    return rc;
}

// ---- control colours and backgrounds --------------------------------------------------

COLORREF CLVKPaintManager::GetControlTextColor(CLVKControl* pControl)
{
    int nEnabled = pControl->IsEnabled();
    if (pControl->GetType() == kControlSplitButton)
    {
        const int nDisabledPart = pControl->GetStyle() == kStyleLarge ? 4 : 5;
        nEnabled = nEnabled != 0 && nEnabled != nDisabledPart;
    }
    const int nType = pControl->GetType();
    if ((nType == kControlCheckBox || nType == kControlRadioButton) && BarType(pControl) != kBarTypePopup)
        return GetRectangleTextColor(0, 0, nEnabled, 0, 0, BarType(pControl), BarPosition(pControl));
    return GetRectangleTextColor(pControl->GetPressedState(), pControl->GetExecuteState(), nEnabled,
                                 GetControlChecked(pControl), pControl->IsPopupOpen(), BarType(pControl),
                                 BarPosition(pControl));
}

void CLVKPaintManager::SetControlTextColor(CDC* pDC, CLVKControl* pControl)
{
    if (GetCustomTextColor(pDC, pControl))
        return;
    DrawRectangle(pDC, pControl->GetRect(), pControl->GetPressedState(), pControl->GetExecuteState(),
                  pControl->IsEnabled(), GetControlChecked(pControl), pControl->IsPopupOpen(), BarType(pControl),
                  BarPosition(pControl));
}

COLORREF CLVKPaintManager::GetControlEditBackColor(CLVKControl* pControl)
{
    return GetThemeColor(pControl->IsEnabled() ? COLOR_WINDOW : COLOR_BTNFACE);
}

// ---- glyphs of controls ------------------------------------------------------------

void CLVKPaintManager::DrawSplitButtonArrow(CDC* pDC, CLVKControl* pControl, int x, int y, int nSelected, int nPressed,
                                            int nEnabled, int nChecked, int nPopuped, BOOL bVertical)
{
    const COLORREF clr = GetRectangleTextColor(nSelected, nPressed, nEnabled, nChecked, nPopuped, BarType(pControl),
                                               BarPosition(pControl));
    const int nGlyph = GetPopupArrowGlyph(BarPosition(pControl), bVertical);
    const int nHalf = ScaleY(10) / 2;
    DrawGlyph(pDC, nGlyph, CRect(x - nHalf, y - nHalf, x + nHalf, y + nHalf), clr);
}

void CLVKPaintManager::DrawSplitButtonDropDownLine(CDC* pDC, CLVKControl* pControl, COLORREF clr, BOOL bStacked)
{
    CRect rc = pControl->GetRect();
    if (bStacked)
        rc.top = rc.top + rc.Height() / 2;
    else
        rc.left = rc.left + rc.Width() / 2;
    rc.InflateRect(ScaleX(1), ScaleY(1));
    DrawGlyph(pDC, bStacked ? 51 : 49, rc, clr);
}

void CLVKPaintManager::DrawDropDownGlyph(CDC* pDC, CLVKControl* pControl, COLORREF clr, BOOL bStacked)
{
    CRect rc = pControl->GetRect();
    if (bStacked)
        rc.bottom = rc.top + rc.Height() / 2;
    else
        rc.right = rc.left + rc.Width() / 2;
    DrawGlyph(pDC, bStacked ? 62 : 61, rc, clr);
}

void CLVKPaintManager::DrawMDIButtonGlyph(CDC* pDC, CLVKControl* pControl)
{
    if (!m_fontMarlett.GetHandle())
        m_fontMarlett.CreatePointFont(80, L"Marlett");
    const CLVKFontDC font(pDC, m_fontMarlett.GetFont());
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(GetControlTextColor(pControl));
    CRect rc = pControl->GetRect();
    DrawTextOnGlass(pDC, pControl->GetParameter(), &rc, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX,
                    pControl->IsDrawnOnFrame());
    pDC->SetBkMode(nOldMode);
}

CSize CLVKPaintManager::DrawControlImage(CDC* pDC, CLVKControl* pControl, CRect rc, BOOL bDraw)
{
    return DrawCheckBoxMark(pDC, bDraw ? rc : CRect(0, 0, 0, 0), bDraw, pControl->GetPressedState(),
                            pControl->GetExecuteState(), GetControlChecked(pControl), pControl->IsEnabled());
}

// ---- bars -----------------------------------------------------------------------------

CSize CLVKPaintManager::DrawCommandBarFrame(CDC* pDC, CLVKCommandBar* pBar, BOOL bDraw)
{
    if (!pDC || !pBar || pBar->GetPosition() != lvkBarFloating)
        return CSize(0, 0);
    const CLVKFontDC font(pDC, &m_fontSmallCaption);
    const int nTitleHeight = std::max<int>(pDC->GetTextExtent(L" ", 1).cy, ScaleY(15));
    CRect rcClient;
    if (pBar->GetSafeHwnd())
        pBar->GetClientRect(&rcClient);
    const CRect rcTitle(ScaleX(3), ScaleY(3), rcClient.right - ScaleX(3), nTitleHeight + ScaleY(3));
    if (bDraw)
    {
        const int nOldMode = pDC->SetBkMode(TRANSPARENT);
        pDC->FillSolidRect(&rcTitle, m_clrFloatingTitle.GetColor());
        pDC->SetTextColor(m_clrFloatingTitleText.GetColor());
        CRect rcText(ScaleX(5), ScaleY(3), rcTitle.right - 2 * rcTitle.Height(), rcTitle.bottom);
        const CString strTitle = pBar->GetTitle();
        pDC->DrawText(strTitle, strTitle.GetLength(), &rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        pDC->SetBkMode(nOldMode);
    }
    return rcTitle.Size();
}

CSize CLVKPaintManager::FillControlBackground(CDC* pDC, int nKind, CLVKControl* pControl, CLVKCommandBar* pBar,
                                              BOOL bDraw, CSize szBar)
{
    switch (nKind)
    {
    case lvkSystemButtonExpand:
    {
        const int nPosition = pBar ? pBar->GetPosition() : lvkBarTop;
        const BOOL bVerticalBar = nPosition == lvkBarLeft || nPosition == lvkBarRight || nPosition == lvkBarPopup;
        if (!bDraw)
        {
            if (bVerticalBar)
            {
                pControl->SetRect(
                    CRect(ScaleX(2), szBar.cy - ScaleY(11) - ScaleY(2), szBar.cx - ScaleX(2), szBar.cy - ScaleY(2)));
            }
            else
            {
                pControl->SetRect(
                    CRect(szBar.cx - ScaleX(11) - ScaleX(2), ScaleY(2), szBar.cx - ScaleX(2), szBar.cy - ScaleY(2)));
            }
            return CSize(0, 0);
        }
        SetControlTextColor(pDC, pControl);
        const COLORREF clr = GetControlTextColor(pControl);
        // On a horizontal bar the button is taller than wide: the glyphs stack.
        DrawSplitButtonDropDownLine(pDC, pControl, clr, !bVerticalBar);
        if (szBar.cx != 0)
            DrawDropDownGlyph(pDC, pControl, clr, !bVerticalBar);
        return CSize(0, 0);
    }
    case lvkSystemButtonPopupExpand:
        if (bDraw)
        {
            SetControlTextColor(pDC, pControl);
            const CRect rc = pControl->GetRect();
            const int nHeight = rc.Height();
            const int x = (rc.right - rc.left) / 2;
            const CRect rcGlyph(x - nHeight, rc.top, x + nHeight, rc.bottom);
            // Plain black, not the table's entry 0.
            CLVKGlyphFont::GetGlobal()->DrawGlyph(pDC, static_cast<WCHAR>(62), rcGlyph, RGB(0, 0, 0));
        }
        return CSize(0, ScaleY(12));
    case lvkSystemButtonClose:
    case lvkSystemButtonMenu:
        if (bDraw)
        {
            SetControlTextColor(pDC, pControl);
            const BOOL bNormal = pControl->GetPressedState() == 0 && pControl->GetExecuteState() == 0;
            const COLORREF clr = bNormal ? m_clrFloatingTitleText.GetColor() : GetControlTextColor(pControl);
            DrawGlyph(pDC, nKind == lvkSystemButtonClose ? 43 : 51, pControl->GetRect(), clr);
        }
        return CSize(0, 0);
    default:
        return CSize(0, 0);
    }
}

void CLVKPaintManager::AnimateSlide(CLVKCommandBar* pPopupBar, CDC* pDestDC, CDC* pSrcDC, BOOL bDownward)
{
    const int n = m_nAnimationSteps;
    if (n <= 0 || !pPopupBar || !pPopupBar->GetSafeHwnd())
        return;
    CRect rcClient;
    pPopupBar->GetClientRect(&rcClient);
    const int nWidth = rcClient.Width();
    const int nHeight = rcClient.Height();

    // Bands of source rows: runs of visible controls with the same
    // rarely-used mark, in walking order.
    struct Band
    {
        int nTop;
        int nBottom;
        BOOL bRarelyUsed;
    };
    std::vector<CLVKControl*> visible;
    for (int i = 0; i < pPopupBar->GetControlCount(); i++)
    {
        CLVKControl* pControl = pPopupBar->GetControl(i);
        if (pControl && pControl->IsVisible())
            visible.push_back(pControl);
    }
    if (!bDownward)
        std::reverse(visible.begin(), visible.end());
    std::vector<Band> bands;
    if (visible.empty())
    {
        bands.push_back({0, nHeight, FALSE});
    }
    else
    {
        int nBoundary = bDownward ? 0 : nHeight;
        BOOL bFlag = visible.front()->IsRarelyUsed();
        for (size_t i = 1; i < visible.size(); i++)
        {
            if (visible[i]->IsRarelyUsed() == bFlag)
                continue;
            const CRect rc = visible[i]->GetRect();
            if (bDownward)
            {
                bands.push_back({nBoundary, rc.top, bFlag});
                nBoundary = rc.top;
            }
            else
            {
                bands.push_back({rc.bottom, nBoundary, bFlag});
                nBoundary = rc.bottom;
            }
            bFlag = visible[i]->IsRarelyUsed();
        }
        if (bDownward)
            bands.push_back({nBoundary, nHeight, bFlag});
        else
            bands.push_back({0, nBoundary, bFlag});
    }

    const int nPause = std::max(m_nAnimationTime / n, 0);
    for (int k = 1; k <= n; k++)
    {
        int y = bDownward ? 0 : nHeight;
        for (const Band& band : bands)
        {
            const int nBandHeight = band.nBottom - band.nTop;
            const int nShown = band.bRarelyUsed ? nBandHeight * k / n : nBandHeight;
            if (!bDownward)
                y -= nShown;
            if (nShown > 0 && nBandHeight > 0)
                pDestDC->StretchBlt(0, y, nWidth, nShown, pSrcDC, 0, band.nTop, nWidth, nBandHeight, SRCCOPY);
            if (bDownward)
                y += nShown;
        }
        ::Sleep(nPause);
    }
}

// ---- captions -------------------------------------------------------------------------

void CLVKPaintManager::DrawCaptionLine(CDC* pDC, CLVKControl* pControl, const CString& strText, CRect rc,
                                       BOOL bVertical, BOOL bCentered)
{
    CString strLine = strText;
    if (bVertical)
    {
        CLVKDrawHelpers::StripMnemonics(strLine);
        const UINT nFormat = DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX | (bCentered ? DT_CENTER : 0);
        pDC->DrawText(strLine, strLine.GetLength(), &rc, nFormat);
        return;
    }
    UINT nFormat = DT_SINGLELINE | DT_VCENTER | (bCentered ? DT_CENTER : 0);
    if (!AreKeyboardCuesShown(pControl))
    {
        CLVKDrawHelpers::StripMnemonics(strLine);
        nFormat |= DT_NOPREFIX;
    }
    const BOOL bGlass = pControl->IsDrawnOnFrame();
    if (!pControl->IsEnabled() && m_bEmbossedDisabledText)
    {
        CRect rcEmboss = rc;
        rcEmboss.OffsetRect(ScaleX(1), ScaleY(1));
        const COLORREF clrOld = pDC->SetTextColor(GetThemeColor(COLOR_BTNHIGHLIGHT));
        DrawTextOnGlass(pDC, strLine, &rcEmboss, nFormat, bGlass);
        pDC->SetTextColor(clrOld);
    }
    DrawTextOnGlass(pDC, strLine, &rc, nFormat, bGlass);
}

CSize CLVKPaintManager::DrawSingleCaption(CDC* pDC, CLVKControl* pControl, CRect rc, BOOL bDraw, BOOL bVertical,
                                          BOOL bCentered, BOOL bArrow)
{
    const CString strCaption = pControl->GetCaption();
    const CSize szText = pDC->GetTextExtent(MeasurableText(strCaption));
    if (!bDraw)
    {
        const int nArrow = bArrow ? (m_bCompactDropDownArrow ? ScaleY(10) : ScaleY(10) + ScaleX(2)) : 0;
        const CSize sz(szText.cx + nArrow, szText.cy);
        return bVertical ? CSize(sz.cy, sz.cx) : sz;
    }
    const int nEnabled = pControl->IsEnabled();
    if (!bVertical)
    {
        const int nGap = bArrow ? ScaleX(6) : 0;
        const int x = bCentered ? rc.left + (rc.Width() - (szText.cx + nGap)) / 2 : rc.left;
        const CRect rcText(x, rc.top, x + szText.cx, rc.bottom);
        DrawCaptionLine(pDC, pControl, strCaption, rcText, FALSE, FALSE);
        if (bArrow)
        {
            DrawSplitButtonArrow(pDC, pControl, rcText.right + nGap, rc.CenterPoint().y, pControl->GetPressedState(),
                                 pControl->GetExecuteState(), nEnabled, GetControlChecked(pControl),
                                 pControl->IsPopupOpen(), FALSE);
        }
        return CSize(szText.cx + nGap, szText.cy);
    }
    // Vertical text runs downwards from its origin, left of it.
    const int nGap = bArrow ? ScaleX(5) : 0;
    const int y = bCentered ? rc.top + (rc.Height() - (szText.cx + nGap)) / 2 : rc.top;
    const int x = rc.left + (rc.Width() + szText.cy) / 2;
    const CRect rcText(x, y, x + szText.cy, y + szText.cx);
    DrawCaptionLine(pDC, pControl, strCaption, rcText, TRUE, FALSE);
    if (bArrow)
    {
        DrawSplitButtonArrow(pDC, pControl, rc.CenterPoint().x, y + szText.cx + nGap, pControl->GetPressedState(),
                             pControl->GetExecuteState(), nEnabled, GetControlChecked(pControl),
                             pControl->IsPopupOpen(), TRUE);
    }
    return CSize(szText.cy, szText.cx + nGap);
}

CSize CLVKPaintManager::DrawControlText(CDC* pDC, CLVKControl* pControl, CRect rc, BOOL bDraw, BOOL bArrow,
                                        CSize szImage, BOOL bImageShown)
{
    const BOOL bVertical = GetControlTextOrientation(pControl) == 1;
    CSize szText = DrawSingleCaption(pDC, pControl, rc, FALSE, bVertical, FALSE, bArrow);
    if (bVertical)
        szText = CSize(szText.cy, szText.cx);  // along the text, across it
    if (!bVertical)
    {
        if (!bImageShown)
        {
            if (bDraw)
                DrawSingleCaption(pDC, pControl, rc, TRUE, FALSE, TRUE, bArrow);
            return CSize(szText.cx + ScaleX(8), std::max<int>(szImage.cy, szText.cy + ScaleY(6)));
        }
        const int nOffset = m_bCompactDropDownArrow ? szImage.cx : szImage.cx - ScaleX(1);
        if (bDraw)
        {
            CRect rcText = rc;
            rcText.left += nOffset;
            DrawSingleCaption(pDC, pControl, rcText, TRUE, FALSE, FALSE, bArrow);
        }
        return CSize((m_bCompactDropDownArrow ? ScaleX(4) : ScaleX(3)) + szText.cx + szImage.cx,
                     std::max<int>(szImage.cy, szText.cy + ScaleY(6)));
    }
    if (!bImageShown)
    {
        if (bDraw)
            DrawSingleCaption(pDC, pControl, rc, TRUE, TRUE, TRUE, bArrow);
        return CSize(std::max<int>(szImage.cx, szText.cy + ScaleX(6)), szText.cx + ScaleY(8));
    }
    if (bDraw)
    {
        CRect rcText = rc;
        rcText.top += szImage.cy;
        DrawSingleCaption(pDC, pControl, rcText, TRUE, TRUE, FALSE, bArrow);
    }
    return CSize(std::max<int>(szImage.cx, szText.cy + ScaleX(6)), ScaleY(3) + szText.cx + szImage.cx);
}

CSize CLVKPaintManager::DrawControlCaption(CDC* pDC, CLVKControl* pControl, CRect rcCaption, BOOL bDraw, BOOL bArrow)
{
    CString strFirst = pControl->GetCaption();
    CString strSecond;
    if (m_bWrapLargeCaptions)
    {
        const CString strCaption = strFirst;
        SplitCaptionForTwoLines(strCaption, strFirst, strSecond);
    }
    const CSize szFirst = pDC->GetTextExtent(MeasurableText(strFirst));
    CString strSecondPlain = strSecond;
    CLVKDrawHelpers::StripMnemonics(strSecondPlain);
    const CSize szSecond = strSecondPlain.IsEmpty() ? CSize(0, 0) : pDC->GetTextExtent(strSecondPlain);
    const int nArrow = bArrow ? ScaleY(10) : 0;
    const int nWidest = std::max<int>(szFirst.cx, szSecond.cx + nArrow);
    const BOOL bVertical = GetControlTextOrientation(pControl) == 1;
    if (!bDraw)
        return bVertical ? CSize(ScaleY(24), nWidest) : CSize(nWidest, 2 * szFirst.cy);

    const int nEnabled = pControl->IsEnabled();
    if (bVertical)
    {
        // The two lines side by side, each running downwards.
        const int x = rcCaption.left + (rcCaption.Width() + szFirst.cy) / 2;
        DrawCaptionLine(pDC, pControl, strFirst, CRect(x, rcCaption.top, x + szFirst.cy, rcCaption.top + szFirst.cx),
                        TRUE, FALSE);
        if (!strSecond.IsEmpty())
        {
            DrawCaptionLine(pDC, pControl, strSecond,
                            CRect(x - szFirst.cy, rcCaption.top, x, rcCaption.top + szSecond.cx), TRUE, FALSE);
        }
        if (bArrow)
        {
            DrawSplitButtonArrow(pDC, pControl, rcCaption.CenterPoint().x, rcCaption.top + nWidest,
                                 pControl->GetPressedState(), pControl->GetExecuteState(), nEnabled,
                                 GetControlChecked(pControl), pControl->IsPopupOpen(), TRUE);
        }
        return CSize(ScaleY(24), nWidest);
    }
    const int nMiddle = rcCaption.top + rcCaption.Height() / 2;
    CRect rcFirst(rcCaption.left, rcCaption.top, rcCaption.right, nMiddle + 1);
    rcFirst.OffsetRect(0, ScaleY(2));
    DrawCaptionLine(pDC, pControl, strFirst, rcFirst, FALSE, TRUE);
    const CRect rcLower(rcCaption.left, nMiddle, rcCaption.right, rcCaption.bottom);
    if (!strSecond.IsEmpty())
    {
        const int x = rcLower.left + (rcLower.Width() - (szSecond.cx + nArrow)) / 2;
        DrawCaptionLine(pDC, pControl, strSecond, CRect(x, rcLower.top, x + szSecond.cx, rcLower.bottom), FALSE, FALSE);
        if (bArrow)
        {
            DrawSplitButtonArrow(pDC, pControl, x + szSecond.cx + nArrow / 2, rcLower.CenterPoint().y,
                                 pControl->GetPressedState(), pControl->GetExecuteState(), nEnabled,
                                 GetControlChecked(pControl), pControl->IsPopupOpen(), FALSE);
        }
    }
    else if (bArrow)
    {
        DrawSplitButtonArrow(pDC, pControl, rcLower.CenterPoint().x - ScaleX(1),
                             rcLower.CenterPoint().y + ScaleY(10) / 2, pControl->GetPressedState(),
                             pControl->GetExecuteState(), nEnabled, GetControlChecked(pControl),
                             pControl->IsPopupOpen(), FALSE);
    }
    return CSize(nWidest, 2 * szFirst.cy);
}

// ---- controls -------------------------------------------------------------------------

CSize CLVKPaintManager::DrawControl(CDC* pDC, CLVKControl* pControl, BOOL bDraw)
{
    if (!pDC || !pControl)
        return CSize(0, 0);
    switch (pControl->GetType())
    {
    case kControlEdit:
        return DrawControlEdit(pDC, pControl, bDraw);
    case kControlComboBox:
        return DrawControlComboBox(pDC, pControl, bDraw);
    default:
        break;
    }
    if (BarType(pControl) == kBarTypePopup)
        return DrawControlPopupParent(pDC, pControl, bDraw);
    return DrawControlToolBarParent(pDC, pControl, bDraw);
}

namespace
{
// Whether the control has anything to show as an image: its own icon ids,
// its action's icon, or a command id.
BOOL HasImageSource(CLVKControl* pControl)
{
    if (pControl->GetCustomIconId() > 0 || pControl->GetIconIdValue() > 0)
        return TRUE;
    const CLVKControlAction* pAction = pControl->GetAction();
    if (pAction && pAction->GetIconId() > 0)
        return TRUE;
    return (pAction ? pAction->GetId() : pControl->GetID()) != 0;
}
}  // namespace

CSize CLVKPaintManager::DrawControlToolBarParent(CDC* pDC, CLVKControl* pControl, BOOL bDraw)
{
    const CLVKFontDC font(pDC, GetControlFont(pControl));
    ToolBarControlLayout layout = ReadToolBarControlLayout(pControl, bDraw);
    if (layout.nType == kControlCheckBox || layout.nType == kControlRadioButton)
        return DrawToolBarCheckControl(pDC, layout);

    ResolveToolBarButtonAndImage(layout);
    if (bDraw)
        DrawToolBarControlFace(pDC, layout);
    if (layout.nStyle == kStyleLarge)
        return DrawToolBarLargeControl(pDC, layout);
    const CLVKCommandBar* pBar = pControl->GetParent();
    if (pBar && pBar->IsTextBelowIcons() && layout.bImage)
        return DrawToolBarCaptionBelowImage(pDC, layout);
    return DrawToolBarImageBesideCaption(pDC, layout);
}

CLVKPaintManager::ToolBarControlLayout CLVKPaintManager::ReadToolBarControlLayout(CLVKControl* pControl, BOOL bDraw)
{
    ToolBarControlLayout layout;
    layout.pControl = pControl;
    layout.bDraw = bDraw;
    layout.rc = bDraw ? pControl->GetRect() : CRect(0, 0, 0, 0);
    layout.nStyle = pControl->GetStyle();
    layout.nType = pControl->GetType();
    layout.bVertical = GetControlTextOrientation(pControl) == 1;
    layout.szIcon = GetControlIconSize(pControl);
    layout.szButton = pControl->GetButtonSize();
    layout.nSelected = pControl->GetPressedState();
    layout.nPressed = pControl->GetExecuteState();
    layout.nEnabled = pControl->IsEnabled();
    layout.nChecked = GetControlChecked(pControl);
    layout.bPopuped = pControl->IsPopupOpen();
    return layout;
}

void CLVKPaintManager::ResolveToolBarButtonAndImage(ToolBarControlLayout& layout)
{
    CLVKControl* const pControl = layout.pControl;
    const int nStyle = layout.nStyle;
    if (nStyle == kStyleLarge)
    {
        const int nHeight =
            m_nEditHeight >= 1 ? 3 * m_nEditHeight : GetSplitDropDownWidth() + ScaleY(7) + layout.szIcon.cy;
        const int nWidth = std::max<int>(ScaleX(42), 2 * std::max(m_nEditHeight, 18) - ScaleX(3));
        layout.szButton = CSize(nWidth, nHeight);
    }
    else
    {
        layout.szButton = ApplyControlSizeOverride(pControl, layout.szButton.cx, layout.szButton.cy, layout.bVertical);
    }

    if (nStyle == kStyleLarge || nStyle == kStyleIconOnly || nStyle == kStyleSmall ||
        (nStyle == kStyleAuto && layout.nType != kControlPopup))
    {
        layout.pImage = HasImageSource(pControl) ? pControl->GetImage(layout.szIcon.cx) : nullptr;
        layout.bImage = layout.pImage != nullptr;
    }
    layout.szImage = layout.bImage ? FitImageSize(layout.pImage, layout.szIcon.cx, layout.szIcon.cy) : layout.szIcon;
}

void CLVKPaintManager::DrawToolBarControlFace(CDC* pDC, const ToolBarControlLayout& layout)
{
    if (layout.nType == kControlSplitButton)
        DrawSplitButtonFrame(pDC, layout.pControl, layout.rc);
    else if (!layout.pControl->IsBackgroundSuppressed())
        SetControlTextColor(pDC, layout.pControl);
    pDC->SetTextColor(GetControlTextColor(layout.pControl));
}

void CLVKPaintManager::DrawToolBarControlImage(CDC* pDC, const ToolBarControlLayout& layout, CPoint pt)
{
    DrawImage(pDC, pt, layout.szImage, layout.pImage, layout.nSelected, layout.nPressed, layout.nEnabled,
              layout.nChecked, layout.bPopuped, TRUE);
}

CSize CLVKPaintManager::DrawToolBarCheckControl(CDC* pDC, const ToolBarControlLayout& layout)
{
    CLVKControl* const pControl = layout.pControl;
    const CRect& rc = layout.rc;
    const BOOL bVertical = layout.bVertical;
    const BOOL bCheckBox = layout.nType == kControlCheckBox;
    const CSize szMark = bCheckBox ? DrawControlImage(pDC, pControl, CRect(0, 0, 0, 0), FALSE)
                                   : DrawRadioButtonMark(pDC, CRect(0, 0, 0, 0), FALSE, layout.nSelected,
                                                         layout.nPressed, layout.nChecked, layout.nEnabled);
    const CSize szCaption = DrawControlText(pDC, pControl, CRect(0, 0, 0, 0), FALSE, FALSE, layout.szButton, FALSE);
    const CSize szText = pDC->GetTextExtent(MeasurableText(pControl->GetCaption()));
    // The mark sits this far in from the control's edge, the caption this far after the mark.
    const int nMarkInset = bVertical ? ScaleY(3) : ScaleX(3);
    const int nMarkGap = bVertical ? ScaleY(5) : ScaleX(5);
    if (layout.bDraw)
    {
        pDC->SetTextColor(GetControlTextColor(pControl));
        CRect rcMark;
        CRect rcText = rc;
        if (!bVertical)
        {
            rcMark.SetRect(rc.left + nMarkInset, rc.top + (rc.Height() - szMark.cy) / 2, 0, 0);
            rcMark.right = rcMark.left + szMark.cx;
            rcMark.bottom = rcMark.top + szMark.cy;
            rcText.left = rcMark.right + nMarkGap;
        }
        else
        {
            rcMark.SetRect(rc.left + (rc.Width() - szMark.cx) / 2, rc.top + nMarkInset, 0, 0);
            rcMark.right = rcMark.left + szMark.cx;
            rcMark.bottom = rcMark.top + szMark.cy;
            rcText.top = rcMark.bottom + nMarkGap;
        }
        if (bCheckBox)
            DrawControlImage(pDC, pControl, rcMark, TRUE);
        else
            DrawRadioButtonMark(pDC, rcMark, TRUE, layout.nSelected, layout.nPressed, layout.nChecked, layout.nEnabled);
        DrawSingleCaption(pDC, pControl, rcText, TRUE, bVertical, FALSE, FALSE);
        if (layout.nSelected == 2 || layout.nSelected == 3)
        {
            const COLORREF clrOldText = pDC->SetTextColor(GetThemeColor(COLOR_BTNTEXT));
            const COLORREF clrOldBack = pDC->SetBkColor(GetThemeColor(COLOR_BTNFACE));
            pDC->DrawFocusRect(&rcText);
            pDC->SetBkColor(clrOldBack);
            pDC->SetTextColor(clrOldText);
        }
    }
    const CSize sz = !bVertical ? CSize(szText.cx + nMarkGap + szMark.cx, szCaption.cy)
                                : CSize(szCaption.cx, szText.cy + nMarkGap + szMark.cy);
    return ApplyControlSizeOverride(pControl, sz.cx, sz.cy, bVertical);
}

CSize CLVKPaintManager::DrawToolBarLargeControl(CDC* pDC, const ToolBarControlLayout& layout)
{
    CLVKControl* const pControl = layout.pControl;
    const CRect& rc = layout.rc;
    const CSize& szImage = layout.szImage;
    const BOOL bArrow = IsPopupKind(layout.nType);
    const CSize szCaption = DrawControlCaption(pDC, pControl, CRect(0, 0, 0, 0), FALSE, bArrow);
    if (layout.bDraw)
    {
        if (!layout.bVertical)
        {
            // The image centred at the top, the caption along the bottom edge.
            if (layout.bImage)
                DrawToolBarControlImage(pDC, layout,
                                        CPoint(rc.left + (rc.Width() - szImage.cx) / 2, rc.top + ScaleY(2)));
            DrawControlCaption(pDC, pControl,
                               CRect(rc.left, rc.bottom - ScaleY(1) - szCaption.cy, rc.right, rc.bottom - ScaleY(1)),
                               TRUE, bArrow);
        }
        else
        {
            // The caption runs down a column at the left, the image beside it.
            const int nCaptionColumn = GetSplitDropDownWidth();
            if (layout.bImage)
            {
                DrawToolBarControlImage(
                    pDC, layout, CPoint(rc.left + ScaleX(3) + nCaptionColumn, rc.top + (rc.Height() - szImage.cy) / 2));
            }
            DrawControlCaption(pDC, pControl, CRect(rc.left, rc.top, rc.left + nCaptionColumn, rc.bottom), TRUE,
                               bArrow);
        }
    }
    CSize sz = layout.szButton;
    if (!layout.bVertical)
        sz.cx = std::max<int>(sz.cx, szCaption.cx + ScaleX(5));
    else
        sz.cy = std::max<int>(sz.cy, szCaption.cy + ScaleY(6));
    return ApplyControlSizeOverride(pControl, sz.cx, sz.cy, layout.bVertical);
}

CSize CLVKPaintManager::DrawToolBarCaptionBelowImage(CDC* pDC, const ToolBarControlLayout& layout)
{
    CLVKControl* const pControl = layout.pControl;
    const CRect& rc = layout.rc;
    const CLVKFontDC captionFont(pDC,
                                 pControl->IsDefaultItem() ? m_fontRegularBold.GetFont() : m_fontRegular.GetFont());
    const BOOL bArrow = layout.nType == kControlPopup;
    const BOOL bSplit = layout.nType == kControlSplitButton;
    const CSize szCaption = DrawSingleCaption(pDC, pControl, rc, FALSE, FALSE, TRUE, bArrow);
    // The image's distance from the top edge, and the caption's just below it.
    const int nImageTop = ScaleY(4);
    if (layout.bDraw)
    {
        const int nImageWidth = bSplit ? rc.Width() - m_nSplitDropDownWidth : rc.Width();
        DrawToolBarControlImage(pDC, layout,
                                CPoint(rc.left + (nImageWidth - layout.szImage.cx) / 2, rc.top + nImageTop));
        CRect rcText(rc.left, rc.top + nImageTop + layout.szImage.cy, rc.left + nImageWidth, rc.bottom);
        DrawSingleCaption(pDC, pControl, rcText, TRUE, FALSE, TRUE, bArrow);
    }
    int nWidth = std::max<int>(layout.szButton.cx, szCaption.cx + ScaleX(10));
    if (bSplit)
        nWidth += ScaleX(11);
    const int nHeight = layout.szButton.cy + szCaption.cy;
    return ApplyControlSizeOverride(pControl, std::max(nWidth, nHeight), nHeight, layout.bVertical);
}

CSize CLVKPaintManager::DrawToolBarImageBesideCaption(CDC* pDC, const ToolBarControlLayout& layout)
{
    CLVKControl* const pControl = layout.pControl;
    const CRect& rc = layout.rc;
    const int nType = layout.nType;
    const BOOL bVertical = layout.bVertical;
    const BOOL bImage = layout.bImage;
    const CSize& szImage = layout.szImage;
    CSize szButton = layout.szButton;
    // The image's inset from the control's leading edge.
    const int nImageInsetX = ScaleX(3);
    const int nImageInsetY = ScaleY(3);
    if (layout.bDraw && bImage)
    {
        CPoint pt = !bVertical ? CPoint(rc.left + nImageInsetX, rc.top + (rc.Height() - szImage.cy) / 2)
                               : CPoint(rc.left + (rc.Width() - szImage.cx) / 2, rc.top + nImageInsetY);
        if ((nType == kControlButton || nType == kControlButtonPopup) && !pControl->IsCaptionVisible())
            pt = CPoint(rc.left + (rc.Width() - szImage.cx) / 2, rc.top + (rc.Height() - szImage.cy) / 2);
        DrawToolBarControlImage(pDC, layout, pt);
    }
    const CSize szImageBox = !bVertical ? CSize(szImage.cx + 2 * nImageInsetX, szImage.cy)
                                        : CSize(szImage.cx, szImage.cy + 2 * nImageInsetY);
    // Without an image the caption is measured against a box this wide.
    const int nNoImageBoxWidth = 18;
    CSize sz(0, 0);
    switch (nType)
    {
    case kControlButton:
    case kControlButtonPopup:
    case kControlLabel:
    case kControlGallery:
        if (pControl->IsCaptionVisible())
        {
            sz = DrawControlText(pDC, pControl, rc, layout.bDraw, FALSE,
                                 bImage ? szImageBox : CSize(nNoImageBoxWidth, szButton.cy), bImage);
        }
        else
        {
            sz = szButton;
        }
        break;
    case kControlPopup:
    {
        const BOOL bArrowDrawn = BarType(pControl) != kBarTypeMenuBar;
        if (!bImage)
        {
            // Measured with room for the arrow even where it is not drawn.
            sz = DrawSingleCaption(pDC, pControl, rc, FALSE, bVertical, TRUE, TRUE);
            if (layout.bDraw)
                DrawSingleCaption(pDC, pControl, rc, TRUE, bVertical, TRUE, bArrowDrawn);
            if (pControl->GetID() == kAddOrRemoveButtonsId)
                sz += CSize(ScaleX(14), ScaleY(10));
            else
                sz += CSize(ScaleX(6), ScaleY(6));
        }
        else if (pControl->IsCaptionVisible())
        {
            sz = DrawControlText(pDC, pControl, rc, layout.bDraw, bArrowDrawn, szImageBox, TRUE);
        }
        else
        {
            if (layout.bDraw)
            {
                DrawSplitButtonArrow(pDC, pControl, rc.right - ScaleX(7), rc.CenterPoint().y, layout.nSelected,
                                     layout.nPressed, layout.nEnabled, layout.nChecked, layout.bPopuped, bVertical);
            }
            sz = CSize(szButton.cy + ScaleX(7), szButton.cy);
        }
        break;
    }
    case kControlSplitButton:
        if (!bImage)
            szButton = CSize(nNoImageBoxWidth, nNoImageBoxWidth);
        if (pControl->IsCaptionVisible())
        {
            CRect rcText = rc;
            rcText.right -= m_nSplitDropDownWidth;
            const CSize szText = DrawControlText(pDC, pControl, rcText, layout.bDraw, FALSE,
                                                 bImage ? szImageBox : CSize(nNoImageBoxWidth, szButton.cy), bImage);
            sz = CSize(szText.cx + m_nSplitDropDownWidth, szText.cy);
        }
        else
        {
            sz = CSize(szButton.cx + m_nSplitDropDownWidth, szButton.cy);
        }
        break;
    default:
        break;
    }
    return ApplyControlSizeOverride(pControl, sz.cx, sz.cy, bVertical);
}

CSize CLVKPaintManager::DrawControlPopupParent(CDC* pDC, CLVKControl* pControl, BOOL bDraw)
{
    CLVKCommandBar* pBar = pControl->GetParent();
    const int nColumn = GetPopupBarGripperWidth(pBar) - ScaleX(1);
    const CSize szIconBox = GetExpandButtonSize(pBar);
    const int nType = pControl->GetType();
    int nEnabled = pControl->IsEnabled();
    if (nType == kControlSplitButton && nEnabled == 5)
        nEnabled = 0;

    UINT nFormat = DT_END_ELLIPSIS;
    CString strCaption = pControl->GetCaption();
    if (!AreKeyboardCuesShown(pControl))
    {
        CLVKDrawHelpers::StripMnemonics(strCaption);
        nFormat |= DT_NOPREFIX;
    }
    CString strShortcut;
    if (nType == kControlButton)
    {
        strShortcut = GetControlCustomShortcutText(pControl);
        if (strShortcut.IsEmpty())
            strShortcut = pControl->GetShortcutText();
    }
    const BOOL bLabelWithoutImage =
        nType == kControlLabel && (!m_bPopupLabelImages || !HasImageSource(pControl) || !pControl->GetImage(16));

    CRect rcEmpty(0, 0, 0, 0);
    const CSize szCaption =
        DrawTextApi(pDC, strCaption.IsEmpty() ? CString(L" ") : strCaption, &rcEmpty, nFormat, FALSE, 0, nEnabled);
    CSize szShortcut(0, 0);
    if (!strShortcut.IsEmpty())
    {
        CRect rcShortcut(0, 0, 0, 0);
        szShortcut = DrawTextApi(pDC, strShortcut, &rcShortcut, DT_RIGHT, FALSE, 0, nEnabled);
    }

    const CString strDescription = pControl->GetDescription();
    const BOOL bDescription = pControl->GetStyle() == 5 && !strDescription.IsEmpty();
    if (bDescription)
    {
        int nCaptionArea = 0;
        {
            const CLVKFontDC bold(pDC, m_fontRegularBold.GetFont());
            nCaptionArea = pDC->GetTextExtent(L" ", 1).cy + ScaleY(10);
        }
        if (!bDraw)
        {
            const int nDescriptionWidth = pDC->GetTextExtent(strDescription).cx;
            CRect rcTwoLines(0, 0, (ScaleX(20) + nDescriptionWidth) / 2, 0);
            pDC->DrawText(L"1\n2", 3, &rcTwoLines, DT_CALCRECT | DT_WORDBREAK);
            const int nHeight = std::max<int>(szIconBox.cy, nCaptionArea + rcTwoLines.Height() + ScaleY(19));
            const int nWidth = std::max<int>(szCaption.cx + szShortcut.cx + ScaleX(32) + m_nIconTextGap + nColumn,
                                             nDescriptionWidth / 2 + m_nIconTextGap + ScaleX(32) + nColumn);
            return ApplyControlSizeOverride(pControl, nWidth, nHeight, FALSE);
        }
        const CRect rc = pControl->GetRect();
        CRect rcCaption(rc.left + nColumn + m_nIconTextGap, rc.top, rc.right, rc.top + nCaptionArea);
        {
            const CLVKFontDC bold(pDC, m_fontRegularBold.GetFont());
            DrawTextApi(pDC, strCaption, &rcCaption, nFormat, TRUE, pControl->GetPressedState(), nEnabled);
        }
        CRect rcDescription(rcCaption.left, rcCaption.bottom - ScaleY(2), rc.right - ScaleX(10), rc.bottom);
        pDC->DrawText(strDescription, strDescription.GetLength(), &rcDescription, DT_WORDBREAK | DT_NOPREFIX);
        return rc.Size();
    }

    if (!bDraw)
    {
        const int nWidth = szCaption.cx + szShortcut.cx + ScaleX(32) + m_nIconTextGap + nColumn;
        const int nHeight = bLabelWithoutImage ? m_nTextHeight : szIconBox.cy;
        return ApplyControlSizeOverride(pControl, nWidth, nHeight, FALSE);
    }

    const CRect rc = pControl->GetRect();
    CRect rcText(rc.left + nColumn + m_nIconTextGap, rc.top, rc.right, rc.bottom);
    if (!strShortcut.IsEmpty())
        rcText.right -= szShortcut.cx + ScaleX(19);
    if (nType == kControlPopup || nType == kControlButtonPopup)
        rcText.right -= szIconBox.cx;
    if (nType == kControlSplitButton)
        rcText.right -= m_nSplitDropDownWidth;
    const int nHot = pControl->GetPressedState();
    DrawTextApi(pDC, strCaption, &rcText, nFormat, TRUE, nHot, nEnabled);
    if (!strShortcut.IsEmpty())
    {
        CRect rcShortcut(rc.left + nColumn + ScaleX(8), rc.top, rc.right - ScaleX(19), rc.bottom);
        DrawTextApi(pDC, strShortcut, &rcShortcut, DT_RIGHT, TRUE, nHot, nEnabled);
    }
    return rc.Size();
}

// ---- combo boxes and edits ------------------------------------------------------------

int CLVKPaintManager::GetEditLabelWidth(CDC* pDC, CLVKControl* pControl)
{
    if (!pControl->IsCaptionVisible())
        return 0;
    CString strLabel = pControl->GetCaption();
    CLVKDrawHelpers::StripMnemonics(strLabel);
    if (strLabel.IsEmpty())
        return 0;
    const CLVKFontDC font(pDC, m_fontRegular.GetFont());
    return pDC->GetTextExtent(strLabel).cx + ScaleX(5);
}

CSize CLVKPaintManager::MeasureEditField(CDC* pDC, CLVKControl* pControl, BOOL bComboBox, int& nLabelWidth)
{
    int nHeight = m_nEditHeight;
    if (nHeight <= 0)
    {
        const CLVKFontDC font(pDC, &m_fontIcon);
        nHeight = pDC->GetTextExtent(L" ", 1).cy + ScaleY(7);
        if (bComboBox)
            nHeight = std::max<int>(nHeight, ScaleY(20));
    }
    nLabelWidth = GetEditLabelWidth(pDC, pControl);
    if (nLabelWidth > 0 && m_nEditHeight == 0)
    {
        const CLVKFontDC font(pDC, m_fontRegular.GetFont());
        nHeight = std::max<int>(nHeight, pDC->GetTextExtent(L" ", 1).cy + ScaleY(7));
    }
    CLVKCommandBar* pBar = pControl->GetParent();
    if (BarType(pControl) == kBarTypePopup)
    {
        const int nColumn = GetPopupBarGripperWidth(pBar);
        nLabelWidth = m_nIconTextGap + nColumn + nLabelWidth;
        return CSize(pControl->GetWidth() + nColumn, nHeight);
    }
    if (pControl->HasVisibleIcon())
    {
        const CSize szIcon = pControl->GetIconSize();
        CLVKImageManagerIcon* pImage = pControl->GetImage(szIcon.cx);
        const CSize szImage =
            GetControlImageSize(pImage, szIcon.cx, szIcon.cy, pControl, szIcon.cx + 2 * ScaleX(2), nHeight);
        nLabelWidth += szImage.cx + 2 * ScaleX(3);
        nHeight = std::max(nHeight, GetButtonHeight());
    }
    return CSize(pControl->GetWidth(), nHeight);
}

void CLVKPaintManager::DrawEditLabel(CDC* pDC, CLVKControl* pControl)
{
    if (BarType(pControl) == kBarTypePopup)
    {
        DrawControlPopupParent(pDC, pControl, TRUE);
        return;
    }
    const CRect rc = pControl->GetRect();
    int x = rc.left + ScaleX(2);
    if (pControl->HasVisibleIcon())
    {
        const CSize szIcon = pControl->GetIconSize();
        CLVKImageManagerIcon* pImage = pControl->GetImage(szIcon.cx);
        const CSize szImage =
            GetControlImageSize(pImage, szIcon.cx, szIcon.cy, pControl, szIcon.cx + 2 * ScaleX(2), rc.Height());
        DrawImage(pDC, CPoint(rc.left + ScaleX(3), rc.top + (rc.Height() - szImage.cy) / 2), szImage, pImage, 0, 0,
                  pControl->IsEnabled(), 0, 0, TRUE);
        x = rc.left + ScaleX(3) + szImage.cx + ScaleX(3);
    }
    if (GetEditLabelWidth(pDC, pControl) == 0)
        return;
    const CLVKFontDC font(pDC, m_fontRegular.GetFont());
    pDC->SetTextColor(
        GetRectangleTextColor(0, 0, pControl->IsEnabled(), 0, 0, BarType(pControl), BarPosition(pControl)));
    DrawSingleCaption(pDC, pControl, CRect(x, rc.top, rc.right, rc.bottom), TRUE, FALSE, FALSE, FALSE);
}

CSize CLVKPaintManager::DrawControlComboBox(CDC* pDC, CLVKControl* pComboBox, BOOL bDraw)
{
    int nLabelWidth = 0;
    const CSize sz = MeasureEditField(pDC, pComboBox, TRUE, nLabelWidth);
    if (bDraw)
        DrawEditLabel(pDC, pComboBox);
    return sz;
}

int CLVKPaintManager::GetComboDropDownWidth(int nHeight) const
{
    return std::max<int>(ScaleX(15), ::MulDiv(nHeight, ScaleX(9), ScaleX(14)) + ScaleX(1));
}

CSize CLVKPaintManager::DrawControlEdit(CDC* pDC, CLVKControl* pEdit, BOOL bDraw)
{
    int nLabelWidth = 0;
    const CSize sz = MeasureEditField(pDC, pEdit, FALSE, nLabelWidth);
    if (bDraw)
        DrawEditLabel(pDC, pEdit);
    return sz;
}
