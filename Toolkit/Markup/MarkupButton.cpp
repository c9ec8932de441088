#include "Markup/MarkupButton.h"

#include "Foundation/DrawHelpers.h"
#include "Foundation/WinThemeWrapper.h"
#include "Markup/MarkupBorder.h"
#include "Markup/MarkupBrush.h"
#include "Markup/MarkupDedicatedDC.h"
#include "Markup/MarkupDrawingContext.h"
#include "Markup/MarkupPanel.h"
#include "Markup/MarkupThickness.h"

#include <algorithm>

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupButton, L"Button", CLVKMarkupButtonBase::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupButton(); }, nullptr)

namespace
{

enum
{
    kPartPushButton = 1
};

}  // namespace

CLVKMarkupBrush* CLVKMarkupButton::GetBackground() const
{
    return MarkupCast<CLVKMarkupBrush>(GetValue(CLVKMarkupPanel::m_pBackgroundProperty));
}

CLVKMarkupThickness* CLVKMarkupButton::GetPadding() const
{
    return MarkupCast<CLVKMarkupThickness>(GetValue(CLVKMarkupBorder::m_pPaddingProperty));
}

SIZE CLVKMarkupButton::MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight)
{
    OpenButtonTheme();
    const CLVKMarkupThickness* const pPadding = GetPadding();
    const int cx = (pPadding ? pPadding->m_nLeft + pPadding->m_nRight : 0) + ScaleX(8);
    const int cy = (pPadding ? pPadding->m_nTop + pPadding->m_nBottom : 0) + ScaleY(8);
    CLVKMarkupUIElement* const pContent = GetContent();
    if (!pContent)
    {
        return SIZE{cx, cy};
    }
    pContent->Measure(pDC, std::max(nWidth - cx, 0), std::max(nHeight - cy, 0));
    const SIZE size = pContent->GetDesiredSize();
    return SIZE{size.cx + cx, size.cy + cy};
}

SIZE CLVKMarkupButton::ArrangeOverride(int nWidth, int nHeight)
{
    RECT rc = {0, 0, nWidth, nHeight};
    // The classic bevel shows the press by moving the content.
    if (IsPressed() && (!IsThemed() || GetBackground()))
    {
        OffsetRect(&rc, 1, 1);
    }
    if (const CLVKMarkupThickness* const pPadding = GetPadding())
    {
        rc.left += pPadding->m_nLeft;
        rc.top += pPadding->m_nTop;
        rc.right -= pPadding->m_nRight;
        rc.bottom -= pPadding->m_nBottom;
    }
    InflateRect(&rc, -ScaleX(4), -ScaleY(4));
    if (CLVKMarkupUIElement* const pContent = GetContent())
    {
        pContent->Arrange(rc.left, rc.top, std::max(rc.left, rc.right), std::max(rc.top, rc.bottom));
    }
    return SIZE{nWidth, nHeight};
}

void CLVKMarkupButton::OnRender(CLVKMarkupDrawingContext* pDC)
{
    const SIZE size = GetRenderSize();
    const RECT rc = {0, 0, size.cx, size.cy};
    const BOOL bPressed = IsPressed();
    CLVKMarkupBrush* const pBackground = GetBackground();
    COLORREF clrLight, clrShadow, clrDarkShadow;
    if (pBackground)
    {
        pDC->FillRectangle(rc.left, rc.top, rc.right, rc.bottom, pBackground);
        const DWORD hls = CLVKDrawHelpers::RgbToHls(pBackground->GetHintColor());
        const int nLuminance = (hls >> 16) & 0xFF;
        const DWORD hueSaturation = hls & 0xFFFF;
        clrLight = CLVKDrawHelpers::HlsToRgb(hueSaturation | ((nLuminance / 2 + 120) << 16));
        clrShadow = CLVKDrawHelpers::HlsToRgb(hueSaturation | (MulDiv(nLuminance, 2, 3) << 16));
        clrDarkShadow = RGB(GetRValue(clrShadow) / 2, GetGValue(clrShadow) / 2, GetBValue(clrShadow) / 2);
    }
    else if (IsThemed())
    {
        // The theme's button has soft edges: it is drawn over what lies
        // under it.
        std::unique_ptr<CLVKMarkupDedicatedDC> pDedicated = pDC->CreateDedicatedDC(rc);
        if (HDC hDC = pDedicated->GetDC())
        {
            pDC->CopyBackground(*pDedicated);
            RECT rcPart = rc;
            OffsetRect(&rcPart, pDedicated->GetOffset().x, pDedicated->GetOffset().y);
            const int nState = !IsEnabled() ? 4 : bPressed ? 3 : IsMouseOver() ? 2 : 1;
            GetThemeWrapper().DrawThemeBackground(hDC, kPartPushButton, nState, &rcPart, nullptr);
            pDedicated->Flush();
        }
        return;
    }
    else
    {
        pDC->FillSolidRect(rc.left, rc.top, rc.right, rc.bottom, GetSysColor(COLOR_BTNFACE));
        clrLight = GetSysColor(COLOR_WINDOW);
        clrShadow = GetSysColor(COLOR_BTNSHADOW);
        clrDarkShadow = GetSysColor(COLOR_3DDKSHADOW);
    }
    // The bevel goes through the device, so it follows the element's
    // transform like the face under it.
    if (bPressed)
    {
        DrawFrameLines(pDC, rc, GetSysColor(COLOR_WINDOWFRAME));
        const RECT rcInner = {rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1};
        DrawFrameLines(pDC, rcInner, clrShadow);
    }
    else
    {
        pDC->FillSolidRect(rc.left, rc.top, rc.right, rc.top + 1, clrLight);
        pDC->FillSolidRect(rc.left, rc.top, rc.left + 1, rc.bottom, clrLight);
        pDC->FillSolidRect(rc.left + 1, rc.bottom - 2, rc.right - 1, rc.bottom - 1, clrShadow);
        pDC->FillSolidRect(rc.right - 2, rc.top + 1, rc.right - 1, rc.bottom - 1, clrShadow);
        pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.right, rc.bottom, clrDarkShadow);
        pDC->FillSolidRect(rc.right - 1, rc.top, rc.right, rc.bottom, clrDarkShadow);
    }
}

void CLVKMarkupButton::DrawFrameLines(CLVKMarkupDrawingContext* pDC, const RECT& rc, COLORREF clr)
{
    pDC->FillSolidRect(rc.left, rc.top, rc.right, rc.top + 1, clr);
    pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.right, rc.bottom, clr);
    pDC->FillSolidRect(rc.left, rc.top, rc.left + 1, rc.bottom, clr);
    pDC->FillSolidRect(rc.right - 1, rc.top, rc.right, rc.bottom, clr);
}

void CLVKMarkupButton::OnRenderFocusVisual(CLVKMarkupDrawingContext* pDC)
{
    const SIZE size = GetRenderSize();
    RECT rc = {0, 0, size.cx, size.cy};
    InflateRect(&rc, -3, -3);
    pDC->DrawFocusRect(rc);
}
