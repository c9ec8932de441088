#include "Controls/ButtonTheme.h"

#include "Controls/Button.h"
#include "Foundation/ColorManager.h"
#include "Foundation/DCSaveState.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/DrawHelpers.h"
#include "Foundation/GlyphFont.h"
#include "Foundation/IconImage.h"
#include "Markup/MarkupHelpers.h"

#include <vssym32.h>

#include <algorithm>

namespace
{

// Where the image sits along one axis: 0 at the start, 1 at the end, 2 in the middle.
int AxisAlignment(DWORD dwBits, DWORD dwStart, DWORD dwEnd)
{
    if (dwBits == dwStart)
        return 0;
    return dwBits == dwEnd ? 1 : 2;
}

// The image comes first along the axis (lo..hi); the text moves behind it
// when they would overlap. Sizes t (text) and i (image, with its gap).
void PlaceImageBeforeText(int nAlign, int lo, int hi, int t, int i, int& nImage, int& nText)
{
    if (nAlign == 0)
        nImage = lo;
    else if (nAlign == 1)
        nImage = hi - t - i;
    else
        nImage = (lo + hi - t - i) / 2;
    if (nImage + i >= nText)
        nText = nImage + i;
}

// The text comes first; the image follows it after the gap, and the text
// moves before the image's place when they would overlap.
void PlaceImageAfterText(int nAlign, int lo, int hi, int t, int i, int nGap, int& nImage, int& nText)
{
    int nEdge = 0;
    if (nAlign == 0)
        nEdge = lo + t;
    else if (nAlign == 1)
        nEdge = hi - i;
    else
        nEdge = (t + lo + hi - i) / 2;
    nImage = nEdge + nGap;
    if (nEdge < nText + t)
        nText = nEdge - t;
}

int Scale(int n)
{
    return CLVKDpiScaling::GetGlobal()->ScaleX(n);
}

BOOL HidesFocus(CLVKButton* pButton)
{
    return (pButton->SendMessage(WM_QUERYUISTATE) & UISF_HIDEFOCUS) != 0;
}

BOOL HidesAccel(CLVKButton* pButton)
{
    return (pButton->SendMessage(WM_QUERYUISTATE) & UISF_HIDEACCEL) != 0;
}

// The font a caption is measured and drawn in: the window's, else the one
// the DC holds (the system font of a button that was given none).
HFONT CaptionFont(CDC* pDC, CLVKButton* pButton)
{
    const HFONT hFont = reinterpret_cast<HFONT>(pButton->SendMessage(WM_GETFONT));
    return hFont ? hFont : static_cast<HFONT>(::GetCurrentObject(pDC->GetSafeHdc(), OBJ_FONT));
}

}  // namespace

CSize CLVKButtonTheme::MeasureMarkupCaption(CDC* pDC, CLVKButton* pButton, int nWidth, int nHeight)
{
    MarkupSetDefaultFont(pButton->GetMarkupContext(), CaptionFont(pDC, pButton), static_cast<COLORREF>(-1));
    const SIZE size = MarkupMeasureElement(pButton->GetMarkupCaption(), std::max(nWidth, 0), std::max(nHeight, 0));
    return CSize(std::min<LONG>(size.cx, std::max(nWidth, 0)), size.cy);
}

void CLVKButtonTheme::RenderMarkupCaption(CDC* pDC, CLVKButton* pButton, const CRect& rc, COLORREF clrText)
{
    MarkupSetDefaultFont(pButton->GetMarkupContext(), CaptionFont(pDC, pButton), clrText);
    // Clipped to its rectangle, as DrawText clips a plain caption.
    const CLVKDCSaveState saved(pDC);
    ::IntersectClipRect(pDC->GetSafeHdc(), rc.left, rc.top, rc.right, rc.bottom);
    MarkupRenderElement(pButton->GetMarkupCaption(), pDC->GetSafeHdc(), &rc);
}

CLVKButtonTheme::CLVKButtonTheme()
    : m_nFocusGap(Scale(4)), m_pTheme(std::make_unique<CLVKWinThemeWrapper>()),
      m_cxBorder(::GetSystemMetrics(SM_CXBORDER)), m_cyBorder(::GetSystemMetrics(SM_CYBORDER)),
      m_cyEdge(::GetSystemMetrics(SM_CYEDGE)), m_cxEdge(::GetSystemMetrics(SM_CXEDGE))
{
}

CLVKButtonTheme::~CLVKButtonTheme() = default;

BOOL CLVKButtonTheme::IsUxThemeOn(CLVKButton* pButton) const
{
    return pButton->IsUseUxTheme() && m_pTheme->IsAppThemeReady();
}

int CLVKButtonTheme::PushOffset(CLVKButton* pButton) const
{
    const BOOL bSelected = pButton->GetChecked() || pButton->IsPushed();
    return (bSelected && m_bOffsetPushed && !IsUxThemeOn(pButton)) ? Scale(1) : 0;
}

void CLVKButtonTheme::RefreshMetrics(CLVKButton*)
{
    m_pTheme->OpenThemeData(nullptr, m_bToolbarLook ? L"TOOLBAR" : L"BUTTON");
    RecomputeToolkitColors(FALSE);
    m_clrDisabledText.SetStandardValue(GetToolkitColor(COLOR_GRAYTEXT));
    m_clrLightEdge.SetStandardValue(GetToolkitColor(COLOR_BTNFACE));
    m_clrShadow.SetStandardValue(GetToolkitColor(COLOR_BTNSHADOW));
    m_clrHighlight.SetStandardValue(GetToolkitColor(COLOR_BTNHIGHLIGHT));
    m_clrDarkShadow.SetStandardValue(GetToolkitColor(COLOR_3DDKSHADOW));
    m_clrFace.SetStandardValue(GetToolkitColor(COLOR_BTNFACE));
    m_clrPushText.SetStandardValue(GetToolkitColor(COLOR_BTNTEXT));
    m_clrCheckText.SetStandardValue(GetToolkitColor(COLOR_BTNTEXT));
}

void CLVKButtonTheme::DrawButton(CDC* pDC, CLVKButton* pButton)
{
    if (pButton->IsPushLike())
    {
        DrawButtonBackground(pDC, pButton);
        DrawButtonText(pDC, pButton);
        DrawButtonImage(pDC, pButton);
        const int nStyle = pButton->GetPushButtonStyle();
        if (nStyle >= 1 && nStyle <= 3)
            DrawDropDownGlyph(pDC, pButton);
        if (::GetFocus() == pButton->m_hWnd && pButton->m_bShowFocus)
            DrawFocusRect(pDC, pButton);
        return;
    }
    switch (pButton->GetButtonType())
    {
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        DrawRadioButtonMark(pDC, pButton);
        break;
    case BS_GROUPBOX:
        if (pButton->m_nGroupBoxStyle == 2)
            return;
        DrawGroupBox(pDC, pButton);
        break;
    case BS_USERBUTTON:
        return;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
        DrawCheckBoxMark(pDC, pButton);
        break;
    default:
        return;
    }
    DrawCaption(pDC, pButton);
}

BOOL CLVKButtonTheme::DrawFlatOrThemedBackground(CDC* pDC, CLVKButton* pButton)
{
    const BOOL bSelected = pButton->IsPushed() || pButton->GetChecked();
    if (pButton->GetFlatStyle() && !pButton->IsHighlighted() && !bSelected)
        return TRUE;
    if (!IsUxThemeOn(pButton))
        return FALSE;
    DrawBackgroundThemed(pDC, pButton);
    return TRUE;
}

void CLVKButtonTheme::DrawButtonBackground(CDC* pDC, CLVKButton* pButton)
{
    if (DrawFlatOrThemedBackground(pDC, pButton))
        return;
    const BOOL bSelected = pButton->IsPushed() || pButton->GetChecked();
    CRect rc = pButton->GetButtonRect();
    pDC->FillSolidRect(&rc, pButton->GetBackColor());
    if (pButton->GetButtonType() == BS_DEFPUSHBUTTON)
    {
        pDC->Draw3dRect(&rc, m_clrDarkShadow, m_clrDarkShadow);
        rc.DeflateRect(1, 1);
    }
    pDC->Draw3dRect(&rc, bSelected ? m_clrDarkShadow : m_clrHighlight, bSelected ? m_clrHighlight : m_clrDarkShadow);
    rc.DeflateRect(1, 1);
    pDC->Draw3dRect(&rc, bSelected ? m_clrShadow : m_clrLightEdge, bSelected ? m_clrLightEdge : m_clrShadow);
}

void CLVKButtonTheme::DrawBackgroundThemed(CDC* pDC, CLVKButton* pButton)
{
    int nState = PBS_NORMAL;
    if (!pButton->IsWindowEnabled())
        nState = PBS_DISABLED;
    else if (pButton->IsPushed())
        nState = PBS_PRESSED;
    else if (pButton->IsHighlighted())
        nState = PBS_HOT;
    else if (pButton->GetChecked())
        nState = PBS_PRESSED;
    else if (!m_bToolbarLook && pButton->GetButtonType() == BS_DEFPUSHBUTTON)
        nState = PBS_DEFAULTED;
    const CRect rc = pButton->GetButtonRect();
    m_pTheme->DrawThemeBackground(pDC->GetSafeHdc(), BP_PUSHBUTTON, nState, &rc, nullptr);
}

void CLVKButtonTheme::DrawFocusRect(CDC* pDC, CLVKButton* pButton)
{
    if (HidesFocus(pButton))
        return;
    pDC->SetTextColor(GetToolkitColor(COLOR_BTNTEXT));
    pDC->SetBkColor(GetToolkitColor(COLOR_WINDOW));
    CRect rc = pButton->GetButtonRect();
    rc.DeflateRect(m_nFocusGap, m_nFocusGap);
    ::DrawFocusRect(pDC->GetSafeHdc(), &rc);
}

CRect CLVKButtonTheme::CalcContentLayout(CDC* pDC, CLVKButton* pButton, BOOL bImage, UINT* pnFlags)
{
    UINT nFlags = (pButton->GetStyle() & BS_MULTILINE) ? (DT_WORDBREAK | DT_EDITCONTROL) : DT_SINGLELINE;
    if (pButton->GetExStyle() & WS_EX_RTLREADING)
        nFlags |= DT_RTLREADING;

    CRect rcArea = pButton->GetButtonRect();
    const int nGap = pButton->m_nBorderGap;
    rcArea.DeflateRect(nGap, nGap);
    const int nStyle = pButton->GetPushButtonStyle();
    if (nStyle == 1 || nStyle == 2)
        rcArea.right -= nGap + Scale(12);
    else if (nStyle == 3)
        rcArea.right -= 2 * nGap + Scale(12);

    const CSize szImage = pButton->GetImageSize();
    const CString strText = pButton->GetButtonText();
    const BOOL bBoth = szImage.cx > 0 && !strText.IsEmpty();
    int nRelation = bBoth ? pButton->m_nTextImageRelation : 0;
    if (nRelation < 1 || nRelation > 4)
        nRelation = 0;
    int iw = szImage.cx;
    int ih = szImage.cy;
    int nAvailable = rcArea.Width();
    if (nRelation == 1 || nRelation == 2)
        ih += pButton->m_nImageGap;
    else if (nRelation == 3 || nRelation == 4)
    {
        iw += pButton->m_nImageGap;
        nAvailable -= iw;
    }

    CSize szText(0, 0);
    if (pButton->GetMarkupCaption())
    {
        szText = MeasureMarkupCaption(pDC, pButton, nAvailable, rcArea.Height());
    }
    else if (!strText.IsEmpty())
    {
        CRect rcCalc(0, 0, std::max(nAvailable, 0), rcArea.Height());
        ::DrawTextW(pDC->GetSafeHdc(), strText, -1, &rcCalc, nFlags | DT_CALCRECT);
        szText = CSize(std::min(rcCalc.Width(), std::max(nAvailable, 0)), rcCalc.Height());
    }

    const DWORD dwImage = pButton->GetImageAlignment();
    int ix = rcArea.left;
    if ((dwImage & BS_CENTER) == BS_RIGHT)
        ix = rcArea.right - iw;
    else if ((dwImage & BS_CENTER) == BS_CENTER)
        ix = (rcArea.left + rcArea.right - iw) / 2;
    int iy = rcArea.top;
    if ((dwImage & BS_VCENTER) == BS_BOTTOM)
        iy = rcArea.bottom - ih;
    else if ((dwImage & BS_VCENTER) == BS_VCENTER)
        iy = (rcArea.top + rcArea.bottom - ih) / 2;

    const DWORD dwText = pButton->GetTextAlignment();
    const int tw = szText.cx;
    const int th = szText.cy;
    int tx = rcArea.left;
    if ((dwText & BS_CENTER) == BS_RIGHT)
    {
        tx = rcArea.right - tw;
        nFlags |= DT_RIGHT;
    }
    else if ((dwText & BS_CENTER) == BS_CENTER)
    {
        tx = (rcArea.left + rcArea.right - tw) / 2;
        nFlags |= DT_CENTER;
    }
    int ty = rcArea.top;
    if ((dwText & BS_VCENTER) == BS_BOTTOM)
        ty = rcArea.bottom - th;
    else if ((dwText & BS_VCENTER) == BS_VCENTER)
        ty = (rcArea.top + rcArea.bottom - th) / 2;

    // Relations 1 and 2 put the image above or below the text, 3 and 4 left
    // or right of it: the same rule along the other axis.
    const int nImageV = AxisAlignment(dwImage & BS_VCENTER, BS_TOP, BS_BOTTOM);
    const int nImageH = AxisAlignment(dwImage & BS_CENTER, BS_LEFT, BS_RIGHT);
    switch (nRelation)
    {
    case 1:
        PlaceImageBeforeText(nImageV, rcArea.top, rcArea.bottom, th, ih, iy, ty);
        break;
    case 2:
        PlaceImageAfterText(nImageV, rcArea.top, rcArea.bottom, th, ih, pButton->m_nImageGap, iy, ty);
        break;
    case 3:
        PlaceImageBeforeText(nImageH, rcArea.left, rcArea.right, tw, iw, ix, tx);
        break;
    case 4:
        PlaceImageAfterText(nImageH, rcArea.left, rcArea.right, tw, iw, pButton->m_nImageGap, ix, tx);
        break;
    default:
        break;
    }
    if (pnFlags)
        *pnFlags = nFlags;
    if (bImage)
        return CRect(ix, iy, ix + iw, iy + ih);
    return CRect(tx, ty, tx + tw, ty + th);
}

COLORREF CLVKButtonTheme::GetTextColor(CLVKButton* pButton)
{
    if (!pButton->IsWindowEnabled())
        return m_clrDisabledText;
    const COLORREF clrOwn = pButton->GetTextColor();
    if (clrOwn != static_cast<COLORREF>(-1))
        return clrOwn;
    const int nType = pButton->GetButtonType();
    if ((nType >= BS_CHECKBOX && nType <= BS_AUTO3STATE && nType != BS_GROUPBOX) || nType == BS_AUTORADIOBUTTON)
        return m_clrCheckText;
    return m_clrPushText;
}

void CLVKButtonTheme::DrawButtonText(CDC* pDC, CLVKButton* pButton)
{
    DrawButtonTextAt(pDC, pButton, PushOffset(pButton));
}

void CLVKButtonTheme::DrawButtonTextAt(CDC* pDC, CLVKButton* pButton, int nOffset)
{
    const CString strText = pButton->GetButtonText();
    if (strText.IsEmpty())
        return;
    UINT nFlags = 0;
    CRect rc = CalcContentLayout(pDC, pButton, FALSE, &nFlags);
    rc.OffsetRect(nOffset, nOffset);
    const COLORREF clrText = GetTextColor(pButton);
    pDC->SetTextColor(clrText);
    if (pButton->GetMarkupCaption())
    {
        RenderMarkupCaption(pDC, pButton, rc, clrText);
        return;
    }
    if (HidesAccel(pButton))
        nFlags |= DT_HIDEPREFIX;
    ::DrawTextW(pDC->GetSafeHdc(), strText, -1, &rc, nFlags);
}

void CLVKButtonTheme::DrawButtonImage(CDC* pDC, CLVKButton* pButton)
{
    DrawButtonImageAt(pDC, pButton, PushOffset(pButton), TRUE);
}

void CLVKButtonTheme::DrawButtonImageAt(CDC* pDC, CLVKButton* pButton, int nOffset, BOOL bDpiScaledCopy)
{
    const CSize szImage = pButton->GetImageSize();
    if (szImage.cx <= 0 || szImage.cy <= 0)
        return;
    CRect rc = CalcContentLayout(pDC, pButton, TRUE);
    rc.OffsetRect(nOffset, nOffset);
    CLVKImageManagerIcon* const pImage = pButton->GetImage();
    if (m_bToolbarLook && pImage && pImage->GetNormalImage().GetIcon())
    {
        // The tool bar look draws icons the way tool bars do: the platform
        // greys a disabled one itself.
        const BOOL bSelected = pButton->GetChecked() || pButton->IsPushed();
        CLVKIconImage* pVariant = &pImage->GetNormalImage();
        if (pButton->IsHighlighted() || bSelected)
            pVariant = pButton->IsPushed() ? &pImage->GetPressedImage() : &pImage->GetHotImage();
        if (!pVariant->GetIcon())
            pVariant = &pImage->GetNormalImage();
        const UINT nFlags = DST_ICON | (pButton->IsWindowEnabled() ? 0 : DSS_DISABLED);
        if (bDpiScaledCopy && pButton->IsImageDpiScaled())
        {
            const HICON hScaled = pVariant->CreateScaledIcon(96);
            if (hScaled)
            {
                const CSize szScaled = GetIconImageSize(hScaled);
                ::DrawStateW(pDC->GetSafeHdc(), nullptr, nullptr, reinterpret_cast<LPARAM>(hScaled), 0, rc.left, rc.top,
                             szScaled.cx, szScaled.cy, nFlags);
                ::DestroyIcon(hScaled);
                return;
            }
        }
        const CSize szIcon = pVariant->GetImageSize();
        ::DrawStateW(pDC->GetSafeHdc(), nullptr, nullptr, reinterpret_cast<LPARAM>(pVariant->GetIcon()), 0, rc.left,
                     rc.top, szIcon.cx, szIcon.cy, nFlags);
        return;
    }
    pButton->DrawImage(pDC, CRect(rc.TopLeft(), szImage));
}

void CLVKButtonTheme::DrawDropDownGlyph(CDC* pDC, CLVKButton* pButton)
{
    CRect rc = pButton->GetButtonRect();
    rc.DeflateRect(pButton->m_nBorderGap, pButton->m_nBorderGap);
    if (!pButton->GetButtonText().IsEmpty() || pButton->GetImageSize().cx > 0)
        rc.left = rc.right - std::min(rc.Height(), Scale(16));
    const int nOffset = PushOffset(pButton);
    rc.OffsetRect(nOffset, nOffset);
    CRect rcGlyph = rc;
    rcGlyph.DeflateRect(Scale(1), Scale(1));
    const BOOL bEnabled = pButton->IsWindowEnabled();
    const COLORREF clrGlyph =
        bEnabled ? static_cast<COLORREF>(m_clrPushText) : static_cast<COLORREF>(m_clrDisabledText);
    const int nStyle = pButton->GetPushButtonStyle();
    if (nStyle == 1)
        CLVKGlyphFont::GetGlobal()->DrawGlyph(pDC, 0x33, &rcGlyph, clrGlyph);
    else if (nStyle == 2)
        CLVKGlyphFont::GetGlobal()->DrawGlyph(pDC, 0x31, &rcGlyph, clrGlyph);
    else if (nStyle == 3)
    {
        rcGlyph.OffsetRect(Scale(2), 0);
        CLVKGlyphFont::GetGlobal()->DrawGlyph(pDC, 0x33, &rcGlyph, clrGlyph);
        COLORREF clrLine = IsUxThemeOn(pButton) ? GetToolkitColor(COLOR_BTNSHADOW) : static_cast<COLORREF>(m_clrShadow);
        if (!bEnabled)
            clrLine = m_clrDisabledText;
        const int n1 = Scale(1);
        pDC->FillSolidRect(rc.left, rc.top, n1, rc.Height(), clrLine);
        pDC->FillSolidRect(rc.left + n1, rc.top, n1, rc.Height(), GetToolkitColor(COLOR_BTNHIGHLIGHT));
    }
}

int CLVKButtonTheme::CaptionPart(CLVKButton* pButton) const
{
    switch (pButton->GetButtonType())
    {
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return 4;
    case BS_GROUPBOX:
        return 5;
    default:
        return 3;
    }
}

CRect CLVKButtonTheme::CalcPartRect(CDC* pDC, CLVKButton* pButton, int nPart)
{
    const CRect rcButton = pButton->GetButtonRect();
    CRect rc = rcButton;
    const DWORD dwStyle = pButton->GetStyle();
    SIZE szSpace{};
    ::GetTextExtentPoint32W(pDC->GetSafeHdc(), L" ", 1, &szSpace);
    switch (nPart)
    {
    case 1:
    case 2:
    {
        const CSize szMark = pButton->GetCheckMarkSize();
        const int lh = szSpace.cy + szSpace.cy / 4;
        const DWORD dwVert = pButton->GetTextAlignment() & BS_VCENTER;
        int y = 0;
        if (dwVert == BS_TOP)
            y = rcButton.top + (lh - szMark.cy) / 2;
        else if (dwVert == BS_BOTTOM)
            y = rcButton.bottom - lh + (lh - szMark.cy) / 2;
        else
            y = (rcButton.top + rcButton.bottom - szMark.cy) / 2;
        const int x = (dwStyle & BS_LEFTTEXT) ? rcButton.right - szMark.cx : rcButton.left;
        return CRect(x, y, x + szMark.cx, y + szMark.cy);
    }
    case 3:
    case 4:
    {
        const int nMark = pButton->GetCheckMarkSize().cx + Scale(3);
        if (dwStyle & BS_LEFTTEXT)
            rc.right -= nMark;
        else
            rc.left += nMark;
        return rc;
    }
    case 5:
    {
        CString strText = pButton->GetButtonText();
        if (strText.IsEmpty())
            return CRect(0, 0, 0, 0);
        CLVKDrawHelpers::StripMnemonics(strText);
        SIZE szText{};
        ::GetTextExtentPoint32W(pDC->GetSafeHdc(), strText, strText.GetLength(), &szText);
        const int nWidth = szText.cx + 2 * m_cxEdge;
        const BOOL bRight = (pButton->GetTextAlignment() & BS_CENTER) == BS_RIGHT;
        if (pButton->m_nGroupBoxStyle == 1)
            rc.left = bRight ? rc.right - nWidth : rc.left;
        else if (bRight)
            rc.left = rc.right - m_cxBorder - Scale(6) - nWidth;
        else
            rc.left = rc.left + m_cxBorder + Scale(8);
        rc.right = rc.left + nWidth;
        rc.bottom = rc.top + szText.cy;
        return rc;
    }
    case 6:
        rc.top += szSpace.cy / 2;
        return rc;
    default:
        return rc;
    }
}

void CLVKButtonTheme::DrawCaption(CDC* pDC, CLVKButton* pButton)
{
    const CString strText = pButton->GetButtonText();
    const DWORD dwStyle = pButton->GetStyle();
    // The content: the button's bitmap or icon for those styles, else its
    // caption; nothing when that is missing.
    HBITMAP hBitmap = nullptr;
    HICON hIcon = nullptr;
    CSize szCaption;
    if (dwStyle & BS_BITMAP)
    {
        hBitmap = reinterpret_cast<HBITMAP>(pButton->SendMessage(BM_GETIMAGE, IMAGE_BITMAP));
        BITMAP bm{};
        if (!hBitmap || !::GetObjectW(hBitmap, sizeof(bm), &bm))
            return;
        szCaption = CSize(bm.bmWidth, bm.bmHeight);
    }
    else if (dwStyle & BS_ICON)
    {
        hIcon = reinterpret_cast<HICON>(pButton->SendMessage(BM_GETIMAGE, IMAGE_ICON));
        if (!hIcon)
            return;
        szCaption = CSize(Scale(16), CLVKDpiScaling::GetGlobal()->ScaleY(16));
    }
    else if (strText.IsEmpty())
    {
        return;
    }
    pDC->SetTextColor(GetTextColor(pButton));
    const CRect rcPart = CalcPartRect(pDC, pButton, CaptionPart(pButton));
    const BOOL bMultiLine = (dwStyle & BS_MULTILINE) != 0;
    UINT nFlags = bMultiLine ? (DT_WORDBREAK | DT_EDITCONTROL) : DT_SINGLELINE;
    const BOOL bMarkup = !hBitmap && !hIcon && pButton->GetMarkupCaption() != nullptr;
    if (bMarkup)
    {
        szCaption = MeasureMarkupCaption(pDC, pButton, rcPart.Width(), rcPart.Height());
    }
    else if (!hBitmap && !hIcon)
    {
        CRect rcCalc(0, 0, rcPart.Width(), rcPart.Height());
        ::DrawTextW(pDC->GetSafeHdc(), strText, -1, &rcCalc, nFlags | DT_CALCRECT | DT_NOCLIP);
        szCaption = CSize(std::min(rcCalc.Width(), rcPart.Width()), rcCalc.Height());
    }
    const int w = szCaption.cx;
    const int h = szCaption.cy;
    const DWORD dwAlign = pButton->GetTextAlignment();
    int x = rcPart.left;
    if ((dwAlign & BS_CENTER) == BS_RIGHT)
    {
        x = rcPart.right - w;
        nFlags |= DT_RIGHT;
    }
    else if ((dwAlign & BS_CENTER) != BS_LEFT)
    {
        x = (rcPart.left + rcPart.right - w) / 2;
        nFlags |= DT_CENTER;
    }
    int y = rcPart.top;
    if ((dwAlign & BS_VCENTER) == BS_BOTTOM)
    {
        y = rcPart.bottom - h;
        nFlags |= DT_BOTTOM;
    }
    else if ((dwAlign & BS_VCENTER) != BS_TOP)
    {
        y = (rcPart.top + rcPart.bottom - h) / 2;
        nFlags |= DT_VCENTER;
    }
    if (pButton->GetExStyle() & WS_EX_RTLREADING)
        nFlags |= DT_RTLREADING;
    if (HidesAccel(pButton))
        nFlags |= DT_HIDEPREFIX;
    if (hBitmap)
    {
        ::DrawStateW(pDC->GetSafeHdc(), nullptr, nullptr, reinterpret_cast<LPARAM>(hBitmap), 0, x, y, w, h, DST_BITMAP);
    }
    else if (hIcon)
    {
        ::DrawStateW(pDC->GetSafeHdc(), nullptr, nullptr, reinterpret_cast<LPARAM>(hIcon), 0, x, y, w, h, DST_ICON);
    }
    else if (bMarkup)
    {
        RenderMarkupCaption(pDC, pButton, CRect(x, y, x + w, y + h), pDC->GetTextColor());
    }
    else
    {
        CRect rcText = bMultiLine ? CRect(x, y, x + w, y + h) : rcPart;
        ::DrawTextW(pDC->GetSafeHdc(), strText, -1, &rcText, nFlags);
    }

    if (::GetFocus() == pButton->m_hWnd && pButton->m_bShowFocus && !HidesFocus(pButton))
    {
        const CRect rcButton = pButton->GetButtonRect();
        CRect rcFocus;
        rcFocus.left = std::max<LONG>(x - m_cxBorder, rcButton.left);
        rcFocus.top = std::max<LONG>(y - m_cyBorder, rcButton.top);
        rcFocus.right = std::min<LONG>(rcFocus.left + w + m_cxEdge, rcButton.right);
        rcFocus.bottom = std::min<LONG>(rcFocus.top + h + m_cyEdge, rcButton.bottom);
        pDC->SetTextColor(GetToolkitColor(COLOR_BTNTEXT));
        pDC->SetBkColor(GetToolkitColor(COLOR_WINDOW));
        ::DrawFocusRect(pDC->GetSafeHdc(), &rcFocus);
    }
}

void CLVKButtonTheme::DrawCheckBoxMark(CDC* pDC, CLVKButton* pButton)
{
    CRect rc = CalcPartRect(pDC, pButton, 1);
    const int nCheck = pButton->GetChecked();
    const int nType = pButton->GetButtonType();
    const BOOL b3State = nType == BS_3STATE || nType == BS_AUTO3STATE;
    const BOOL bEnabled = pButton->IsWindowEnabled();
    if (IsUxThemeOn(pButton))
    {
        int nState = !bEnabled ? 4 : (pButton->IsPushed() ? 3 : (pButton->IsHighlighted() ? 2 : 1));
        if (nCheck)
            nState += 4;
        if (nCheck == 2 && b3State)
            nState += 4;
        m_pTheme->DrawThemeBackground(pDC->GetSafeHdc(), BP_CHECKBOX, nState, &rc, nullptr);
        return;
    }
    UINT nFlags = DFCS_BUTTONCHECK;
    if (nCheck)
        nFlags |= DFCS_CHECKED;
    if (nCheck == 2 && b3State)
        nFlags |= DFCS_BUTTON3STATE;
    if (!bEnabled)
        nFlags |= DFCS_INACTIVE;
    if (pButton->IsPushed())
        nFlags |= DFCS_PUSHED;
    if (m_bFlatMarks)
        nFlags |= DFCS_FLAT;
    pDC->DrawFrameControl(&rc, DFC_BUTTON, nFlags);
}

void CLVKButtonTheme::DrawRadioButtonMark(CDC* pDC, CLVKButton* pButton)
{
    CRect rc = CalcPartRect(pDC, pButton, 2);
    const BOOL bChecked = pButton->GetChecked() != 0;
    const BOOL bEnabled = pButton->IsWindowEnabled();
    if (IsUxThemeOn(pButton))
    {
        int nState = !bEnabled ? 4 : (pButton->IsPushed() ? 3 : (pButton->IsHighlighted() ? 2 : 1));
        if (bChecked)
            nState += 4;
        m_pTheme->DrawThemeBackground(pDC->GetSafeHdc(), BP_RADIOBUTTON, nState, &rc, nullptr);
        return;
    }
    UINT nFlags = DFCS_BUTTONRADIO;
    if (bChecked)
        nFlags |= DFCS_CHECKED;
    if (!bEnabled)
        nFlags |= DFCS_INACTIVE;
    if (pButton->IsPushed())
        nFlags |= DFCS_PUSHED;
    if (m_bFlatMarks)
        nFlags |= DFCS_FLAT;
    pDC->DrawFrameControl(&rc, DFC_BUTTON, nFlags);
}

void CLVKButtonTheme::DrawGroupBox(CDC* pDC, CLVKButton* pButton)
{
    CRect rcFrame = CalcPartRect(pDC, pButton, 6);
    CRect rcCaption = CalcPartRect(pDC, pButton, 5);
    const BOOL bRight = (pButton->GetTextAlignment() & BS_CENTER) == BS_RIGHT;
    rcCaption.OffsetRect(bRight ? m_cxEdge : -m_cxEdge, 0);
    if (!rcCaption.IsRectEmpty())
        ::ExcludeClipRect(pDC->GetSafeHdc(), rcCaption.left, rcCaption.top, rcCaption.right, rcCaption.bottom);
    const UINT nMono = m_bFlatMarks ? (BF_FLAT | BF_MONO) : 0;
    if (pButton->m_nGroupBoxStyle == 1)
    {
        if (IsUxThemeOn(pButton))
        {
            COLORREF clrLine = GetToolkitColor(COLOR_BTNSHADOW);
            m_pTheme->GetThemeColor(BP_GROUPBOX, 1, TMT_BORDERCOLORHINT, &clrLine);
            pDC->FillSolidRect(rcFrame.left, rcFrame.top, rcFrame.Width(), Scale(1), clrLine);
        }
        else
        {
            pDC->DrawEdge(&rcFrame, EDGE_ETCHED, BF_TOP | nMono);
        }
    }
    else if (IsUxThemeOn(pButton))
    {
        m_pTheme->DrawThemeBackground(pDC->GetSafeHdc(), BP_GROUPBOX, pButton->IsWindowEnabled() ? 1 : 2, &rcFrame,
                                      nullptr);
    }
    else
    {
        pDC->DrawEdge(&rcFrame, EDGE_ETCHED, BF_RECT | nMono);
    }
    ::SelectClipRgn(pDC->GetSafeHdc(), nullptr);
}
