#include "Markup/MarkupControl.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupBorder.h"
#include "Markup/MarkupPanel.h"
#include "Markup/MarkupTextBlock.h"

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupControl, L"Control", CLVKMarkupFrameworkElement::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupControl(); }, &CLVKMarkupControl::RegisterProperties)

void AFX_CDECL CLVKMarkupControl::RegisterProperties()
{
    CLVKMarkupType::EnsureRegistered(CLVKMarkupBorder::GetMarkupType());
    CLVKMarkupType::EnsureRegistered(CLVKMarkupPanel::GetMarkupType());
    CLVKMarkupType::EnsureRegistered(CLVKMarkupTextBlock::GetMarkupType());
    CLVKMarkupBorder::m_pPaddingProperty->AddOwner(GetMarkupType());
    CLVKMarkupPanel::m_pBackgroundProperty->AddOwner(GetMarkupType());
    CLVKMarkupTextBlock::m_pForegroundProperty->AddOwner(GetMarkupType());
}

SIZE CLVKMarkupControl::MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight)
{
    if (GetVisualChildrenCount() > 0)
    {
        if (auto* const pChild = MarkupCast<CLVKMarkupUIElement>(GetVisualChild(0)))
        {
            pChild->Measure(pDC, nWidth, nHeight);
            return pChild->GetDesiredSize();
        }
    }
    return SIZE{0, 0};
}

SIZE CLVKMarkupControl::ArrangeOverride(int nWidth, int nHeight)
{
    if (GetVisualChildrenCount() > 0)
    {
        if (auto* const pChild = MarkupCast<CLVKMarkupUIElement>(GetVisualChild(0)))
        {
            pChild->Arrange(0, 0, nWidth, nHeight);
        }
    }
    return SIZE{nWidth, nHeight};
}

BEGIN_DISPATCH_MAP(CLVKMarkupControl, CLVKMarkupFrameworkElement)
    DISP_MARKUP_OBJECT("Background", 500, CLVKMarkupPanel::m_pBackgroundProperty)
    DISP_MARKUP_OBJECT("Foreground", 501, CLVKMarkupTextBlock::m_pForegroundProperty)
    DISP_MARKUP_OBJECT("Padding", 502, CLVKMarkupBorder::m_pPaddingProperty)
END_DISPATCH_MAP()
