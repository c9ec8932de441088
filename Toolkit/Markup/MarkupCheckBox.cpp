#include "Markup/MarkupCheckBox.h"

#include "Foundation/WinThemeWrapper.h"
#include "Markup/MarkupBorder.h"
#include "Markup/MarkupDedicatedDC.h"
#include "Markup/MarkupDrawingContext.h"
#include "Markup/MarkupThickness.h"

#include <algorithm>

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupCheckBox, L"CheckBox", CLVKMarkupToggleButton::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupCheckBox(); }, nullptr)

namespace
{

enum
{
    kPartCheckBox = 3,
    kMarkSize = 13,
    kMarkRoom = 16,
};

const CLVKMarkupThickness* PaddingOf(const CLVKMarkupObject* pObject)
{
    return MarkupCast<CLVKMarkupThickness>(pObject->GetValue(CLVKMarkupBorder::m_pPaddingProperty));
}

}  // namespace

SIZE CLVKMarkupCheckBox::MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight)
{
    OpenButtonTheme();
    const CLVKMarkupThickness* const pPadding = PaddingOf(this);
    const int cx = (pPadding ? pPadding->m_nLeft + pPadding->m_nRight : 0) + ScaleX(kMarkRoom);
    const int cy = pPadding ? pPadding->m_nTop + pPadding->m_nBottom : 0;
    SIZE size = {cx, cy};
    if (CLVKMarkupUIElement* const pContent = GetContent())
    {
        pContent->Measure(pDC, std::max(nWidth - cx, 0), std::max(nHeight - cy, 0));
        const SIZE content = pContent->GetDesiredSize();
        size.cx += content.cx;
        size.cy += content.cy;
    }
    // The mark needs its height even without content.
    size.cy = std::max<LONG>(size.cy, ScaleY(kMarkSize));
    return size;
}

SIZE CLVKMarkupCheckBox::ArrangeOverride(int nWidth, int nHeight)
{
    RECT rc = {0, 0, nWidth, nHeight};
    if (const CLVKMarkupThickness* const pPadding = PaddingOf(this))
    {
        rc.left += pPadding->m_nLeft;
        rc.top += pPadding->m_nTop;
        rc.right -= pPadding->m_nRight;
        rc.bottom -= pPadding->m_nBottom;
    }
    rc.left += ScaleX(kMarkRoom);
    if (CLVKMarkupUIElement* const pContent = GetContent())
    {
        pContent->Arrange(rc.left, rc.top, std::max(rc.left, rc.right), std::max(rc.top, rc.bottom));
    }
    return SIZE{nWidth, nHeight};
}

RECT CLVKMarkupCheckBox::GetMarkRect() const
{
    const int h = GetRenderSize().cy;
    return RECT{0, h / 2 - 6, kMarkSize, h / 2 + 7};
}

int CLVKMarkupCheckBox::GetBaseState() const
{
    return !IsEnabled() ? 4 : IsPressed() ? 3 : IsMouseOver() ? 2 : 1;
}

void CLVKMarkupCheckBox::OnRender(CLVKMarkupDrawingContext* pDC)
{
    const RECT rcMark = GetMarkRect();
    std::unique_ptr<CLVKMarkupDedicatedDC> pDedicated = pDC->CreateDedicatedDC(rcMark);
    const HDC hDC = pDedicated->GetDC();
    if (!hDC)
    {
        return;
    }
    if (DrawsOverBackground())
    {
        pDC->CopyBackground(*pDedicated);
    }
    RECT rc = rcMark;
    OffsetRect(&rc, pDedicated->GetOffset().x, pDedicated->GetOffset().y);
    DrawMark(hDC, rc);
    pDedicated->Flush();
}

void CLVKMarkupCheckBox::DrawMark(HDC hDC, const RECT& rcMark)
{
    const int nChecked = GetChecked();
    RECT rc = rcMark;
    if (IsThemed())
    {
        const int nState = GetBaseState() + (nChecked == 1 ? 4 : nChecked == 2 ? 8 : 0);
        GetThemeWrapper().DrawThemeBackground(hDC, kPartCheckBox, nState, &rc, nullptr);
        return;
    }
    UINT nFlags = DFCS_BUTTONCHECK;
    if (nChecked == 1)
    {
        nFlags |= DFCS_CHECKED;
    }
    else if (nChecked == 2)
    {
        nFlags |= DFCS_BUTTON3STATE | DFCS_CHECKED;
    }
    if (IsPressed())
    {
        nFlags |= DFCS_PUSHED;
    }
    DrawFrameControl(hDC, &rc, DFC_BUTTON, nFlags);
}

void CLVKMarkupCheckBox::OnRenderFocusVisual(CLVKMarkupDrawingContext* pDC)
{
    if (!GetContent())
    {
        return;
    }
    const SIZE size = GetRenderSize();
    pDC->DrawFocusRect(RECT{15, 0, size.cx, size.cy});
}
