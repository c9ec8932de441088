#include "CommandBars/CommandBarsOffice2000Theme.h"

#include "Foundation/DpiScaling.h"
#include "Foundation/GdiObjectDC.h"
#include "Foundation/ImageManagerIcon.h"

namespace
{
BOOL IsKeyboardSelection(int nState)
{
    return nState == 2 || nState == 3;
}
}  // namespace

CLVKCommandBarsOffice2000Theme::CLVKCommandBarsOffice2000Theme()
{
    m_iconsInfo.bUseFadedIcons = FALSE;
    m_iconsInfo.bIconsWithShadow = FALSE;
}

void CLVKCommandBarsOffice2000Theme::RefreshMetrics()
{
    CLVKPaintManager::RefreshMetrics();
    // Floating bars carry the system's caption colours in this theme.
    m_clrFloatingTitle.SetStandardValue(GetThemeColor(COLOR_ACTIVECAPTION));
    m_clrFloatingTitleText.SetStandardValue(GetThemeColor(COLOR_CAPTIONTEXT));
}

BOOL CLVKCommandBarsOffice2000Theme::GetCustomTextColor(CDC* /*pDC*/, CLVKControl* /*pControl*/)
{
    return FALSE;
}

void CLVKCommandBarsOffice2000Theme::FillDitherRect(CDC* pDC, CRect rc)
{
    if (!m_brushDither.GetSafeHandle())
    {
        const WORD wRows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
        CBitmap bitmap;
        if (!bitmap.CreateBitmap(8, 8, 1, 1, wRows) || !m_brushDither.CreatePatternBrush(&bitmap))
            return;
    }
    // A one-bit pattern paints its set bits in the background colour and its
    // clear bits in the text colour.
    const COLORREF clrOldBack = pDC->SetBkColor(GetThemeColor(COLOR_BTNFACE));
    const COLORREF clrOldText = pDC->SetTextColor(GetThemeColor(COLOR_BTNHIGHLIGHT));
    const CLVKGdiObjectDC dither(pDC, &m_brushDither);
    pDC->PatBlt(rc.left, rc.top, rc.Width(), rc.Height(), PATCOPY);
    pDC->SetTextColor(clrOldText);
    pDC->SetBkColor(clrOldBack);
}

void CLVKCommandBarsOffice2000Theme::DrawRectangle(CDC* pDC, CRect rc, int nSelected, int nPressed, int nEnabled,
                                                   int nChecked, int nPopuped, int nBarType, int nBarPosition,
                                                   int /*nStyle*/)
{
    if (nBarType == lvkBarTypePopup && !nChecked)
    {
        if (nSelected || nPressed)
            pDC->FillSolidRect(&rc, GetThemeColor(COLOR_HIGHLIGHT));
        return;
    }
    if (nBarType == lvkBarTypePopup && m_bSelectWholeItem && nBarPosition == lvkBarPopup)
    {
        FillDitherRect(pDC, rc);
        DrawSunkenFrame(pDC, rc);
        return;
    }
    if (!nEnabled)
    {
        if (nChecked || IsKeyboardSelection(nSelected))
            DrawSunkenFrame(pDC, rc);
        return;
    }
    if (nChecked)
    {
        if (!nSelected && !nPressed)
            FillDitherRect(pDC, rc);
        DrawSunkenFrame(pDC, rc);
        return;
    }
    if (nPopuped || IsKeyboardSelection(nPressed) || (nSelected && nPressed))
        DrawSunkenFrame(pDC, rc);
    else if (nSelected || nPressed)
        DrawRaisedFrame(pDC, rc);
}

COLORREF CLVKCommandBarsOffice2000Theme::GetRectangleTextColor(int nSelected, int /*nPressed*/, int nEnabled,
                                                               int nChecked, int /*nPopuped*/, int nBarType,
                                                               int nBarPosition)
{
    if (!nEnabled)
        return GetThemeColor(COLOR_GRAYTEXT);
    if (nBarType == lvkBarTypePopup)
        return GetThemeColor(nSelected && !nChecked ? COLOR_HIGHLIGHTTEXT : m_nMenuTextColor);
    return GetThemeColor(nBarPosition == lvkBarPopup ? m_nMenuTextColor : COLOR_BTNTEXT);
}

CSize CLVKCommandBarsOffice2000Theme::DrawTearOffGripper(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw)
{
    if (bDraw)
    {
        rc.bottom -= 1;
        pDC->FillSolidRect(&rc, GetThemeColor(bSelected ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    }
    return CSize(0, ScaleY(8));
}

void CLVKCommandBarsOffice2000Theme::DrawPopupResizeGripper(CDC* pDC, CRect rc, int nPart)
{
    const auto drawDot = [&](int x, int y)
    {
        pDC->FillSolidRect(x + 1, y + 1, 2, 2, GetThemeColor(COLOR_WINDOW));
        pDC->FillSolidRect(x, y, 2, 2, GetThemeColor(38));
    };
    if (nPart == 2)
    {
        const int x = rc.CenterPoint().x - ScaleX(8);
        const int y = rc.CenterPoint().y - 1;
        for (int i = 0; i < 4; i++)
            drawDot(x + i * ScaleX(4), y);
        return;
    }
    drawDot(rc.right - ScaleX(4), rc.bottom - ScaleY(4));
    drawDot(rc.right - ScaleX(8), rc.bottom - ScaleY(4));
    drawDot(rc.right - ScaleX(4), rc.bottom - ScaleY(8));
}

void CLVKCommandBarsOffice2000Theme::DrawControlFrame3D(CDC* pDC, CRect rc, int nEnabled, int nSelected)
{
    if (nEnabled)
    {
        if (nSelected)
            DrawSunkenFrame(pDC, rc);
        rc.DeflateRect(1, 1);
        Draw3dRectWithThemeColors(pDC, rc, COLOR_BTNFACE, COLOR_BTNFACE);
        return;
    }
    rc.DeflateRect(1, 1);
    const int nColor = IsKeyboardSelection(nSelected) ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT;
    Draw3dRectWithThemeColors(pDC, rc, nColor, nColor);
}

void CLVKCommandBarsOffice2000Theme::DrawComboDropDownButton(CDC* pDC, CRect rc, int nEnabled, int nSelected,
                                                             BOOL bDroppedDown)
{
    rc.DeflateRect(1, 2, 2, 2);
    CRect rcGlyph = rc;
    if (nEnabled)
    {
        pDC->FillSolidRect(&rc, GetThemeColor(COLOR_BTNFACE));
        if (bDroppedDown || nSelected)
        {
            VerticalLine(pDC, rc.left - 1, rc.top, rc.bottom, GetThemeColor(COLOR_BTNFACE));
            if (bDroppedDown)
            {
                DrawSunkenFrame(pDC, rc);
                rcGlyph.OffsetRect(1, 1);
            }
            else
            {
                DrawRaisedFrame(pDC, rc);
            }
        }
        else
        {
            Draw3dRectWithThemeColors(pDC, rc, COLOR_BTNHIGHLIGHT, COLOR_BTNHIGHLIGHT);
        }
    }
    DrawGlyphInRect(pDC, rcGlyph, GetThemeColor(COLOR_BTNTEXT));
}

void CLVKCommandBarsOffice2000Theme::DrawImage(CDC* pDC, CPoint pt, CSize sz, CLVKImageManagerIcon* pImage,
                                               int nSelected, int nPressed, int nEnabled, int nChecked,
                                               int /*nPopuped*/, BOOL bToolBarImage)
{
    if (!pImage)
        return;
    const BOOL bAlpha = pImage->HasAlphaNormalImage();
    if (!nEnabled)
    {
        if (!m_iconsInfo.bUseDisabledIcons && !bAlpha)
        {
            pImage->DrawSilhouette(pDC, pt.x + 1, pt.y + 1, pImage->GetNormalImage(), sz.cx, sz.cy,
                                   GetThemeColor(COLOR_BTNHIGHLIGHT));
            pImage->DrawSilhouette(pDC, pt.x, pt.y, pImage->GetNormalImage(), sz.cx, sz.cy,
                                   GetThemeColor(COLOR_BTNSHADOW));
            return;
        }
        if (m_iconsInfo.bOfficeStyleDisabledIcons && !pImage->HasDisabledImage())
            pImage->MakeDisabledImage(m_grcDisabledIcon.GetFirst(), m_grcDisabledIcon.GetSecond());
        pImage->DrawImage(pDC, pt.x, pt.y, pImage->GetDisabledImage(), sz.cx, sz.cy);
        return;
    }
    if (nChecked == 2 && !nPressed)
    {
        if (bAlpha)
            pImage->DrawImage(pDC, pt.x, pt.y, pImage->GetDisabledImage(), sz.cx, sz.cy);
        else
            pImage->DrawSilhouette(pDC, pt.x, pt.y, pImage->GetCheckedImage(), sz.cx, sz.cy,
                                   GetThemeColor(COLOR_BTNSHADOW));
        return;
    }
    if (!bToolBarImage)
    {
        pImage->DrawImage(pDC, pt.x, pt.y, nChecked ? pImage->GetCheckedImage() : pImage->GetNormalImage(), sz.cx,
                          sz.cy);
        return;
    }
    if (nChecked)
    {
        pImage->DrawImage(pDC, pt.x, pt.y, pImage->GetCheckedImage(), sz.cx, sz.cy);
        return;
    }
    if ((nSelected && nPressed) || (!nSelected && IsKeyboardSelection(nPressed)))
    {
        pImage->DrawImage(pDC, pt.x + 1, pt.y + 1, pImage->GetPressedImage(), sz.cx, sz.cy);
        return;
    }
    if ((nSelected && !nPressed) || (!nSelected && nPressed == 1))
    {
        if (m_iconsInfo.bIconsWithShadow && !pImage->GetShadowImage().IsEmpty())
        {
            pImage->DrawImage(pDC, pt.x + 1, pt.y + 1, pImage->GetShadowImage(), sz.cx, sz.cy);
            pImage->DrawImage(pDC, pt.x - 1, pt.y - 1, pImage->GetHotImage(), sz.cx, sz.cy);
        }
        else
        {
            pImage->DrawImage(pDC, pt.x, pt.y, pImage->GetHotImage(), sz.cx, sz.cy);
        }
        return;
    }
    if (!nSelected && nPressed)
        return;
    pImage->DrawImage(pDC, pt.x, pt.y, m_iconsInfo.bUseFadedIcons ? pImage->GetFadedImage() : pImage->GetNormalImage(),
                      sz.cx, sz.cy);
}
