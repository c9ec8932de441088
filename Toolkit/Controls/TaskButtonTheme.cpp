#include "TaskButtonTheme.h"

#include "Controls/Button.h"
#include "Foundation/ColorManager.h"
#include "Foundation/DCSaveState.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/DrawHelpers.h"
#include "Foundation/GdiObjectDC.h"
#include "Foundation/SystemVersion.h"
#include "Markup/MarkupHelpers.h"
#include "TaskDialogMeasure.h"

#include <vsstyle.h>

#include <algorithm>

namespace
{

void Frame(CDC* pDC, const RECT& rc, COLORREF clr)
{
    pDC->Draw3dRect(&rc, clr, clr);
}

HBRUSH ParentButtonBrush(CDC* pDC, CLVKButton* pButton)
{
    return reinterpret_cast<HBRUSH>(::SendMessageW(::GetParent(pButton->GetSafeHwnd()), WM_CTLCOLORBTN,
                                                   reinterpret_cast<WPARAM>(pDC->GetSafeHdc()),
                                                   reinterpret_cast<LPARAM>(pButton->GetSafeHwnd())));
}

// The parent's button brush, else the colour.
void FillFace(CDC* pDC, CLVKButton* pButton, const RECT& rc, COLORREF clr)
{
    if (const HBRUSH hBrush = ParentButtonBrush(pDC, pButton))
        ::FillRect(pDC->GetSafeHdc(), &rc, hBrush);
    else
        pDC->FillSolidRect(&rc, clr);
}

UINT QueryUiState(CLVKButton* pButton)
{
    return static_cast<UINT>(::SendMessageW(pButton->GetSafeHwnd(), WM_QUERYUISTATE, 0, 0));
}

BOOL IsDefaultButton(CLVKButton* pButton)
{
    return pButton->GetButtonType() == BS_DEFPUSHBUTTON;
}

}  // namespace

CLVKTaskButtonTheme::CLVKTaskButtonTheme(BOOL bThemed) : m_bThemed(bThemed)
{
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    m_bOffsetPushed = FALSE;
    m_nFocusGap = pDpi->ScaleX(3);
    const SIZE margins = TaskDialogDluToPixels(pDpi->ScaleX(5), pDpi->ScaleY(5));
    m_nMarginX = margins.cx;
    m_nMarginY = margins.cy;
}

HFONT CLVKTaskButtonTheme::GetTitleFont(CLVKButton* pButton) const
{
    if (m_hTitleFont)
        return m_hTitleFont;
    return reinterpret_cast<HFONT>(::SendMessageW(pButton->GetSafeHwnd(), WM_GETFONT, 0, 0));
}

void CLVKTaskButtonTheme::RefreshMetrics(CLVKButton* pButton)
{
    CLVKButtonTheme::RefreshMetrics(pButton);
    m_clrHotText.SetStandardValue(GetToolkitColor(COLOR_BTNTEXT));
    m_clrPressedFace.SetStandardValue(GetToolkitColor(COLOR_BTNFACE));
    if (!m_bThemed)
    {
        m_clrDefaultFrame.SetStandardValue(m_clrDarkShadow);
        m_clrDefaultFrame.SetCustomValue(m_clrDarkShadow);
        return;
    }
    const COLORREF clrWindow = GetToolkitColor(COLOR_WINDOW);
    const COLORREF clrFace = GetToolkitColor(COLOR_3DFACE);
    const COLORREF clrShadow = GetToolkitColor(COLOR_3DSHADOW);
    m_clrFace.SetCustomValue(clrWindow);
    m_clrPushText.SetCustomValue(RGB(21, 28, 85));
    m_clrHotText.SetCustomValue(RGB(0, 74, 229));
    m_clrDefaultFrame.SetCustomValue(RGB(163, 237, 255));
    m_clrPressedFace.SetCustomValue(CLVKColorManager::BlendColors(clrWindow, clrFace, 200));
    m_clrDarkShadow.SetCustomValue(CLVKColorManager::BlendColors(clrFace, clrShadow, 775));
    m_clrHighlight.SetCustomValue(CLVKColorManager::BlendColors(clrFace, clrShadow, 875));
    m_clrShadow.SetCustomValue(CLVKColorManager::BlendColors(clrWindow, clrFace, 0));
    m_clrLightEdge.SetCustomValue(CLVKColorManager::BlendColors(clrFace, clrShadow, 175));
}

COLORREF CLVKTaskButtonTheme::GetTextColor(CLVKButton* pButton)
{
    if (!pButton->IsWindowEnabled())
        return GetToolkitColor(COLOR_GRAYTEXT);
    return pButton->IsHighlighted() ? m_clrHotText : m_clrPushText;
}

POINT CLVKTaskButtonTheme::GetTextOrigin(const RECT& rc, SIZE total, int nImageWidth) const
{
    return POINT{rc.left + m_nMarginX + nImageWidth, rc.top + ((rc.bottom - rc.top) - total.cy) / 2};
}

int AFX_CDECL CLVKTaskButtonTheme::GetThemeState(BOOL bPressed, BOOL bHot, BOOL bDefault, BOOL bDisabled)
{
    if (bDisabled)
        return CMDLS_DISABLED;
    if (bPressed)
        return CMDLS_PRESSED;
    if (bHot)
        return CMDLS_HOT;
    return bDefault ? CMDLS_DEFAULTED : CMDLS_NORMAL;
}

void CLVKTaskButtonTheme::DrawButton(CDC* pDC, CLVKButton* pButton)
{
    if (!DrawCommandLinkBackgroundThemed(pDC, pButton))
        DrawCommandLinkBackground(pDC, pButton);
    DrawCommandLinkText(pDC, pButton);
    DrawCommandLinkImage(pDC, pButton);
    if (::GetFocus() == pButton->GetSafeHwnd() && !(QueryUiState(pButton) & UISF_HIDEFOCUS))
        DrawFocusRect(pDC, pButton);
}

BOOL CLVKTaskButtonTheme::DrawCommandLinkBackgroundThemed(CDC* pDC, CLVKButton* pButton)
{
    if (!m_bThemed)
        return FALSE;
    CRect rc;
    pButton->GetClientRect(&rc);
    const BOOL bPressed = pButton->IsPushed() != 0;
    const BOOL bHot = pButton->IsHighlighted();
    const BOOL bDefault = IsDefaultButton(pButton);
    FillFace(pDC, pButton, rc, m_clrFace);

    if (!m_pTheme->IsAppThemeReady())
        m_pTheme->OpenThemeData(pButton->GetSafeHwnd(), L"BUTTON");
    if (m_pTheme->IsAppThemeReady() && CLVKSystemVersion::GetGlobal()->IsVistaOrGreater() &&
        SUCCEEDED(m_pTheme->DrawThemeBackground(pDC->GetSafeHdc(), BP_COMMANDLINK,
                                                GetThemeState(bPressed, bHot, bDefault, !pButton->IsWindowEnabled()),
                                                &rc, nullptr)))
        return TRUE;

    // Own drawing of the themed face, its corners left out.
    const CLVKDCSaveState saved(pDC);
    CLVKDrawHelpers::ExcludeCorners(pDC, &rc);
    if (bPressed)
    {
        pDC->FillSolidRect(&rc, m_clrPressedFace);
        Frame(pDC, rc, m_clrLightEdge);
        rc.DeflateRect(1, 1);
        pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, m_clrDarkShadow);
        rc.top += CLVKDpiScaling::GetGlobal()->ScaleY(1);
        Frame(pDC, rc, m_clrHighlight);
        rc.DeflateRect(1, 1);
        Frame(pDC, rc, m_clrShadow);
    }
    else if (bHot)
    {
        CLVKDrawHelpers::FillGradientRect(pDC, &rc, m_clrFace, m_clrShadow, FALSE);
        Frame(pDC, rc, m_clrLightEdge);
        rc.DeflateRect(1, 1);
        Frame(pDC, rc, m_clrFace);
    }
    else if (bDefault)
    {
        Frame(pDC, rc, m_clrDefaultFrame);
    }
    return TRUE;
}

void CLVKTaskButtonTheme::DrawCommandLinkBackground(CDC* pDC, CLVKButton* pButton)
{
    CRect rc;
    pButton->GetClientRect(&rc);
    const BOOL bPressed = pButton->IsPushed() != 0;
    const BOOL bHot = pButton->IsHighlighted();
    if (pButton->GetChecked())
        pDC->FillSolidRect(&rc, m_clrLightEdge);
    else if (!bPressed && !bHot)
        FillFace(pDC, pButton, rc, m_clrFace);
    else
        pDC->FillSolidRect(&rc, m_clrFace);

    CRect rcFrame = rc;
    if (bPressed)
    {
        pDC->Draw3dRect(&rcFrame, m_clrDarkShadow, m_clrHighlight);
        rcFrame.DeflateRect(1, 1);
        pDC->Draw3dRect(&rcFrame, m_clrShadow, m_clrLightEdge);
    }
    else if (bHot)
    {
        pDC->Draw3dRect(&rcFrame, m_clrHighlight, m_clrDarkShadow);
        rcFrame.DeflateRect(1, 1);
        pDC->Draw3dRect(&rcFrame, m_clrLightEdge, m_clrShadow);
    }
    if (IsDefaultButton(pButton))
        Frame(pDC, rc, m_clrDefaultFrame);
}

void CLVKTaskButtonTheme::SplitCommandLinkText(CLVKButton* pButton)
{
    m_strCaption = pButton->GetButtonText();
    m_strTitle = TaskDialogExtractLine(m_strCaption, 0);
    m_strNote = TaskDialogExtractLine(m_strCaption, 1);
}

void CLVKTaskButtonTheme::DrawCommandLinkText(CDC* pDC, CLVKButton* pButton)
{
    if (m_strCaption.IsEmpty())
        SplitCommandLinkText(pButton);
    const HFONT hButtonFont = reinterpret_cast<HFONT>(::SendMessageW(pButton->GetSafeHwnd(), WM_GETFONT, 0, 0));
    const HFONT hTitleFont = GetTitleFont(pButton);
    const int nImageWidth = pButton->GetImageSize().cx;

    CRect rc;
    pButton->GetClientRect(&rc);
    CRect rcText = rc;
    rcText.DeflateRect(m_nMarginX, m_nMarginY);
    rcText.left += nImageWidth;
    const SIZE area{std::max<LONG>(rcText.Width(), 0), std::max<LONG>(rcText.Height(), 0)};
    SIZE note = area;
    TaskDialogCalcTextRect(m_strNote, note, hButtonFont);
    SIZE title = area;
    // A markup caption is the title, measured and drawn by the markup engine.
    CLVKMarkupUIElement* const pMarkup = pButton->GetMarkupCaption();
    CLVKMarkupContext* const pContext = pButton->GetMarkupContext();
    if (pMarkup)
    {
        MarkupSetDefaultFont(pContext, hTitleFont, GetTextColor(pButton));
        title = MarkupMeasureElement(pMarkup, area.cx);
        title.cx = std::min(title.cx, area.cx);
    }
    else
        TaskDialogCalcTextRect(m_strTitle, title, hTitleFont);
    const SIZE total{std::max(title.cx, note.cx), title.cy + note.cy};
    const POINT origin = GetTextOrigin(rc, total, nImageWidth);

    pDC->SetTextColor(GetTextColor(pButton));
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextAlign(TA_LEFT | TA_TOP);
    int nNoteTop = origin.y;
    if (pMarkup)
    {
        const RECT rcTitle{origin.x, origin.y, origin.x + title.cx, origin.y + title.cy};
        MarkupSetDefaultFont(pContext, hTitleFont, GetTextColor(pButton));
        MarkupRenderElement(pMarkup, pDC->GetSafeHdc(), &rcTitle);
        nNoteTop = origin.y + title.cy + 1;
    }
    else if (!m_strTitle.IsEmpty())
    {
        UINT nFormat = DT_WORDBREAK;
        if (QueryUiState(pButton) & UISF_HIDEACCEL)
            nFormat |= DT_HIDEPREFIX;
        const CLVKGdiObjectDC font(pDC->GetSafeHdc(), hTitleFont);
        RECT rcTitle{origin.x, origin.y, origin.x + title.cx, origin.y + title.cy};
        ::DrawTextW(pDC->GetSafeHdc(), m_strTitle, m_strTitle.GetLength(), &rcTitle, nFormat);
        nNoteTop = origin.y + title.cy + 1;
    }
    if (!m_strNote.IsEmpty())
    {
        const CLVKGdiObjectDC font(pDC->GetSafeHdc(), hButtonFont);
        RECT rcNote{origin.x, nNoteTop, origin.x + note.cx, nNoteTop + note.cy};
        ::DrawTextW(pDC->GetSafeHdc(), m_strNote, m_strNote.GetLength(), &rcNote, DT_WORDBREAK | DT_NOPREFIX);
    }
}

void CLVKTaskButtonTheme::DrawCommandLinkImage(CDC* pDC, CLVKButton* pButton)
{
    CLVKImageManagerIcon* pImage = pButton->GetImage();
    const CSize size = pButton->GetImageSize();
    if (!pImage || size.cx <= 0)
        return;
    SIZE space{};
    {
        const CLVKGdiObjectDC font(pDC->GetSafeHdc(), GetTitleFont(pButton));
        ::GetTextExtentPoint32W(pDC->GetSafeHdc(), L" ", 1, &space);
    }
    CRect rc;
    pButton->GetClientRect(&rc);
    const int x = rc.left + CLVKDpiScaling::GetGlobal()->ScaleX(7);
    const int y = rc.top + space.cy / 2 + m_nMarginY - size.cy / 2;
    CLVKIconImage* pState = &pImage->GetNormalImage();
    if (!pButton->IsWindowEnabled())
        pState = &pImage->GetDisabledImage(TRUE);
    else if (pButton->IsHighlighted())
        pState = &pImage->GetHotImage();
    pImage->DrawImage(pDC, x, y, *pState, size.cx, size.cy);
}
