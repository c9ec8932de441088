#include "Controls/ScrollBarThemeResource.h"

#include "Foundation/DpiScaling.h"
#include "Foundation/ResourceImage.h"
#include "Foundation/ResourceImages.h"

namespace
{

const COLORREF kMagenta = RGB(255, 0, 255);
const CRect kNoMargins(0, 0, 0, 0);

// The glyph strip's 9 x 9 rows, 1-based: up, down, left and right start
// rows; the next row is the active look, the fourth the disabled one.
const int kGlyphUp = 1;
const int kGlyphDown = 5;
const int kGlyphLeft = 9;
const int kGlyphRight = 13;
const int kGlyphSide = 9;

CLVKResourceImages* LoadedTheme()
{
    CLVKResourceImages* const pImages = CLVKResourceImages::GetGlobal();
    return (pImages && pImages->IsLoaded()) ? pImages : nullptr;
}

}  // namespace

CLVKResourceImage* CLVKScrollBarThemeResource::Picture(LPCWSTR lpszLight, LPCWSTR lpszDark, BOOL bFallBack) const
{
    CLVKResourceImages* const pImages = LoadedTheme();
    if (!pImages)
        return nullptr;
    if (!m_bDark)
        return pImages->GetImage(lpszLight);
    CLVKResourceImage* const pDark = pImages->GetImage(lpszDark);
    return (pDark || !bFallBack) ? pDark : pImages->GetImage(lpszLight);
}

CLVKResourceImage* CLVKScrollBarThemeResource::TrackPicture(BOOL bVertical) const
{
    return bVertical ? Picture(L"CONTROLGALLERYSCROLLVERTICALLIGHT", L"CONTROLGALLERYSCROLLVERTICALDARK", FALSE)
                     : Picture(L"CONTROLGALLERYSCROLLHORIZONTALLIGHT", L"CONTROLGALLERYSCROLLHORIZONTALDARK", FALSE);
}

int CLVKScrollBarThemeResource::GetPartState(int nPart) const
{
    if (!m_bEnabled)
        return 0;
    if (m_nPressedPart == nPart)
        return 3;
    if (m_nHotPart == nPart)
        return 2;
    if (m_nPressedPart != LVK_HTSCROLLNONE || m_nHotPart != LVK_HTSCROLLNONE)
        return 1;
    return 0;
}

void CLVKScrollBarThemeResource::DrawScrollBar(CDC* pDC, CLVKScrollBase* pScroll)
{
    if (!LoadedTheme())
        return;
    m_bDark = pScroll->GetScrollBarStyle() == 6;
    if (pScroll->IsSizeBox())
    {
        DrawSizeBox(pDC, pScroll);
        return;
    }
    CLVKScrollBarPartRects parts;
    CalcPartRects(pScroll, parts);
    const CLVKScrollBarGeometry& g = pScroll->GetGeometry();
    const BOOL bVertical = g.bVertical;
    if ((bVertical ? parts.rcBar.Width() : parts.rcBar.Height()) <= 0)
        return;
    // The glyphs and the track are the bar: without them nothing is drawn.
    const BOOL bHasGlyphs =
        Picture(L"CONTROLGALLERYSCROLLARROWGLYPHS", L"CONTROLGALLERYSCROLLARROWGLYPHSDARK", TRUE) != nullptr;
    const BOOL bHasTrack = TrackPicture(bVertical) != nullptr;
    if (!bHasGlyphs || !bHasTrack)
        return;

    m_bEnabled = parts.bEnabled;
    m_nPressedPart = parts.nPressedPart;
    m_nHotPart = parts.nHotPart;
    m_nThumbLength = parts.nThumbLength;
    m_nThumbOffset = parts.nThumbOffset;
    m_rcBar = parts.rcBar;
    m_rcInner = parts.rcBar;
    if (bVertical)
    {
        m_rcInner.DeflateRect(1, 0);
        m_rcFirstArrow.SetRect(m_rcInner.left, g.nBarStart, m_rcInner.right, g.nFirstArrowEnd);
        m_rcSecondArrow.SetRect(m_rcInner.left, g.nSecondArrowStart, m_rcInner.right, g.nBarEnd);
        DrawBackgroundVert(pDC, pScroll, parts);
        DrawArrowButtonsVert(pDC, pScroll, parts);
        DrawArrowGlyphsVert(pDC, pScroll, parts);
        DrawTrackVert(pDC, pScroll, parts);
        DrawThumbVert(pDC, pScroll, parts);
    }
    else
    {
        const int n1 = CLVKDpiScaling::GetGlobal()->ScaleY(1);
        m_rcInner.DeflateRect(0, n1);
        m_rcFirstArrow.SetRect(g.nBarStart, m_rcInner.top, g.nFirstArrowEnd, m_rcInner.bottom);
        m_rcSecondArrow.SetRect(g.nSecondArrowStart, m_rcInner.top, g.nBarEnd, m_rcInner.bottom);
        DrawBackgroundHorz(pDC, pScroll, parts);
        DrawArrowButtonsHorz(pDC, pScroll, parts);
        DrawArrowGlyphsHorz(pDC, pScroll, parts);
        DrawTrackHorz(pDC, pScroll, parts);
        DrawThumbHorz(pDC, pScroll, parts);
    }
}

void CLVKScrollBarThemeResource::DrawBackground(CDC* pDC, BOOL bVertical)
{
    CLVKResourceImage* const pImage = TrackPicture(bVertical);
    if (!pImage)
        return;
    // One pixel of edge on each long side; the ends stretch.
    const CRect rcMargins = bVertical ? CRect(1, 0, 1, 0) : CRect(0, 1, 0, 1);
    pImage->DrawWithMargins(pDC, m_rcBar, pImage->GetPartRect(0, 2), rcMargins);
}

void CLVKScrollBarThemeResource::DrawBackgroundHorz(CDC* pDC, CLVKScrollBase*, const CLVKScrollBarPartRects&)
{
    DrawBackground(pDC, FALSE);
}

void CLVKScrollBarThemeResource::DrawBackgroundVert(CDC* pDC, CLVKScrollBase*, const CLVKScrollBarPartRects&)
{
    DrawBackground(pDC, TRUE);
}

void CLVKScrollBarThemeResource::DrawArrowButtons(CDC* pDC, BOOL bVertical)
{
    CLVKResourceImage* const pImage =
        bVertical
            ? Picture(L"CONTROLGALLERYSCROLLARROWSVERTICALLIGHT", L"CONTROLGALLERYSCROLLARROWSVERTICALDARK", FALSE)
            : Picture(L"CONTROLGALLERYSCROLLARROWSHORIZONTALLIGHT", L"CONTROLGALLERYSCROLLARROWSHORIZONTALDARK", FALSE);
    if (!pImage)
        return;
    const CRect rcMargins(3, 3, 3, 3);
    pImage->DrawTransparent(pDC, m_rcFirstArrow, pImage->GetPartRect(GetPartState(LVK_HTSCROLLUP), 4), rcMargins,
                            kMagenta);
    pImage->DrawTransparent(pDC, m_rcSecondArrow, pImage->GetPartRect(GetPartState(LVK_HTSCROLLDOWN), 4), rcMargins,
                            kMagenta);
}

void CLVKScrollBarThemeResource::DrawArrowButtonsHorz(CDC* pDC, CLVKScrollBase*, const CLVKScrollBarPartRects&)
{
    DrawArrowButtons(pDC, FALSE);
}

void CLVKScrollBarThemeResource::DrawArrowButtonsVert(CDC* pDC, CLVKScrollBase*, const CLVKScrollBarPartRects&)
{
    DrawArrowButtons(pDC, TRUE);
}

void CLVKScrollBarThemeResource::DrawArrowGlyphs(CDC* pDC, BOOL bVertical)
{
    CLVKResourceImage* const pImage =
        Picture(L"CONTROLGALLERYSCROLLARROWGLYPHS", L"CONTROLGALLERYSCROLLARROWGLYPHSDARK", TRUE);
    if (!pImage)
        return;
    CLVKDpiScaling* const pDpi = CLVKDpiScaling::GetGlobal();
    const CSize szGlyph(pDpi->ScaleX(kGlyphSide), pDpi->ScaleY(kGlyphSide));
    auto draw = [&](const CRect& rcArrow, int nFirstRow, int nPart)
    {
        int nRow = nFirstRow;
        if (!m_bEnabled)
            nRow += 3;
        else if (GetPartState(nPart) != 0)
            nRow += 1;
        const CPoint pt(rcArrow.left + (rcArrow.Width() - szGlyph.cx) / 2,
                        rcArrow.top + (rcArrow.Height() - szGlyph.cy) / 2);
        const CRect rcSource(0, (nRow - 1) * kGlyphSide, kGlyphSide, nRow * kGlyphSide);
        pImage->DrawTransparent(pDC, CRect(pt, szGlyph), rcSource, kNoMargins, kMagenta);
    };
    draw(m_rcFirstArrow, bVertical ? kGlyphUp : kGlyphLeft, LVK_HTSCROLLUP);
    draw(m_rcSecondArrow, bVertical ? kGlyphDown : kGlyphRight, LVK_HTSCROLLDOWN);
}

void CLVKScrollBarThemeResource::DrawArrowGlyphsHorz(CDC* pDC, CLVKScrollBase*, const CLVKScrollBarPartRects&)
{
    DrawArrowGlyphs(pDC, FALSE);
}

void CLVKScrollBarThemeResource::DrawArrowGlyphsVert(CDC* pDC, CLVKScrollBase*, const CLVKScrollBarPartRects&)
{
    DrawArrowGlyphs(pDC, TRUE);
}

void CLVKScrollBarThemeResource::DrawTrack(CDC* pDC, BOOL bVertical, const CLVKScrollBarPartRects& parts)
{
    // Only a pressed page area shows: the second row of the track picture
    // from the arrow to the thumb, one pixel under the thumb's edge.
    if (!m_bEnabled || (m_nPressedPart != LVK_HTSCROLLUPPAGE && m_nPressedPart != LVK_HTSCROLLDOWNPAGE))
        return;
    CLVKResourceImage* const pImage = TrackPicture(bVertical);
    if (!pImage)
        return;
    CRect rc = m_nPressedPart == LVK_HTSCROLLUPPAGE ? parts.rcPageBefore : parts.rcPageAfter;
    if (m_nPressedPart == LVK_HTSCROLLUPPAGE)
        (bVertical ? rc.bottom : rc.right) += 1;
    else
        (bVertical ? rc.top : rc.left) -= 1;
    if (bVertical)
    {
        rc.left = m_rcBar.left;
        rc.right = m_rcBar.right;
    }
    else
    {
        rc.top = m_rcBar.top;
        rc.bottom = m_rcBar.bottom;
    }
    const CRect rcMargins = bVertical ? CRect(1, 0, 1, 0) : CRect(0, 1, 0, 1);
    pImage->DrawWithMargins(pDC, rc, pImage->GetPartRect(1, 2), rcMargins);
}

void CLVKScrollBarThemeResource::DrawTrackHorz(CDC* pDC, CLVKScrollBase*, const CLVKScrollBarPartRects& parts)
{
    DrawTrack(pDC, FALSE, parts);
}

void CLVKScrollBarThemeResource::DrawTrackVert(CDC* pDC, CLVKScrollBase*, const CLVKScrollBarPartRects& parts)
{
    DrawTrack(pDC, TRUE, parts);
}

void CLVKScrollBarThemeResource::DrawThumb(CDC* pDC, BOOL bVertical, const CLVKScrollBarPartRects& parts)
{
    if (!m_bEnabled || m_nThumbLength <= 0)
        return;
    CRect rcThumb = parts.rcThumb;
    if (bVertical)
    {
        rcThumb.left = m_rcInner.left;
        rcThumb.right = m_rcInner.right;
    }
    else
    {
        rcThumb.top = m_rcInner.top;
        rcThumb.bottom = m_rcInner.bottom;
    }
    const int nState = GetPartState(LVK_HTSCROLLTHUMB);
    const int nRow = nState > 0 ? nState - 1 : 0;
    CLVKResourceImage* const pThumb =
        bVertical ? Picture(L"CONTROLGALLERYSCROLLTHUMBVERTICAL", L"CONTROLGALLERYSCROLLTHUMBVERTICALDARK", TRUE)
                  : Picture(L"CONTROLGALLERYSCROLLTHUMBHORIZONTAL", L"CONTROLGALLERYSCROLLTHUMBHORIZONTALDARK", TRUE);
    if (pThumb)
        pThumb->DrawTransparent(pDC, rcThumb, pThumb->GetPartRect(nRow, 3), CRect(5, 5, 5, 5), kMagenta);

    CLVKDpiScaling* const pDpi = CLVKDpiScaling::GetGlobal();
    const int nMinimum = bVertical ? pDpi->ScaleY(10) : pDpi->ScaleX(10);
    if (m_nThumbLength <= nMinimum)
        return;
    CLVKResourceImages* const pImages = LoadedTheme();
    CLVKResourceImage* const pGripper = pImages->GetImage(bVertical ? L"CONTROLGALLERYSCROLLTHUMBGRIPPERVERTICAL"
                                                                    : L"CONTROLGALLERYSCROLLTHUMBGRIPPERHORIZONTAL");
    if (!pGripper)
        return;
    const CSize szGripper(pDpi->ScaleX(8), pDpi->ScaleY(8));
    const CPoint pt(rcThumb.left + (rcThumb.Width() - szGripper.cx) / 2,
                    rcThumb.top + (rcThumb.Height() - szGripper.cy) / 2);
    pGripper->DrawTransparent(pDC, CRect(pt, szGripper), pGripper->GetPartRect(nRow, 3), kNoMargins, kMagenta);
}

void CLVKScrollBarThemeResource::DrawThumbHorz(CDC* pDC, CLVKScrollBase*, const CLVKScrollBarPartRects& parts)
{
    DrawThumb(pDC, FALSE, parts);
}

void CLVKScrollBarThemeResource::DrawThumbVert(CDC* pDC, CLVKScrollBase*, const CLVKScrollBarPartRects& parts)
{
    DrawThumb(pDC, TRUE, parts);
}

void CLVKScrollBarThemeResource::DrawSizeBox(CDC* pDC, CLVKScrollBase* pScroll)
{
    CLVKResourceImages* const pImages = LoadedTheme();
    if (!pImages)
        return;
    const CRect rc = pScroll->GetGeometry().rcBar;
    CLVKResourceImage* const pBox =
        Picture(L"CONTROLGALLERYSCROLLSIZEBOXLIGHT", L"CONTROLGALLERYSCROLLSIZEBOXDARK", FALSE);
    if (pBox)
        pBox->DrawStretched(pDC, rc, CRect(CPoint(0, 0), pBox->GetImageSize()));
    CLVKResourceImage* const pGripper = pImages->GetImage(L"STATUSBARGRIPPER");
    if (!pGripper)
        return;
    const CSize size = pGripper->GetImageSize();
    pGripper->DrawTransparent(pDC, CRect(CPoint(rc.right - size.cx, rc.bottom - size.cy), size),
                              CRect(CPoint(0, 0), size), kNoMargins, kMagenta);
}
