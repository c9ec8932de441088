#include "Markup/MarkupPanel.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupBrush.h"
#include "Markup/MarkupDrawingContext.h"
#include "Markup/MarkupUIElementCollection.h"

CLVKMarkupDependencyProperty* CLVKMarkupPanel::m_pBackgroundProperty = nullptr;

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupPanel, L"Panel", CLVKMarkupFrameworkElement::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupPanel(); }, &CLVKMarkupPanel::RegisterProperties)
LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupUIElementCollection, L"", CLVKMarkupCollection::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupUIElementCollection(); }, nullptr)

void CLVKMarkupUIElementCollection::OnChanged()
{
    if (auto* const pOwner = MarkupCast<CLVKMarkupUIElement>(GetLogicalParent()))
    {
        if (!pOwner->IsBeingBuilt())
        {
            pOwner->InvalidateMeasure();
        }
    }
}

void AFX_CDECL CLVKMarkupPanel::RegisterProperties()
{
    m_pBackgroundProperty =
        CLVKMarkupDependencyProperty::Register(L"Background", CLVKMarkupBrush::GetMarkupType(), GetMarkupType(),
                                               new CLVKMarkupPropertyMetadata(nullptr, MarkupPropertyAffectsRender));
}

CLVKMarkupPanel::CLVKMarkupPanel() : m_pChildren(new CLVKMarkupUIElementCollection())
{
    m_pChildren->SetLogicalParent(this);
}

CLVKMarkupPanel::~CLVKMarkupPanel()
{
    m_pChildren->SetLogicalParent(nullptr);
    m_pChildren->Release();
}

CLVKMarkupBrush* CLVKMarkupPanel::GetBackground() const
{
    return MarkupCast<CLVKMarkupBrush>(GetValue(m_pBackgroundProperty));
}

int CLVKMarkupPanel::GetVisualChildrenCount() const
{
    return m_pChildren->GetCount();
}

CLVKMarkupVisual* CLVKMarkupPanel::GetVisualChild(int nIndex) const
{
    return m_pChildren->GetElement(nIndex);
}

void CLVKMarkupPanel::OnRender(CLVKMarkupDrawingContext* pDC)
{
    CLVKMarkupBrush* const pBackground = GetBackground();
    if (m_szRender.cx > 0 && m_szRender.cy > 0 && pBackground)
    {
        pDC->FillRectangle(0, 0, m_szRender.cx, m_szRender.cy, pBackground);
    }
}

CLVKMarkupInputElement* CLVKMarkupPanel::HitTestCore(int /*x*/, int /*y*/)
{
    return GetBackground() ? this : nullptr;
}

void CLVKMarkupPanel::SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent)
{
    m_pChildren->SetContentObject(pBuilder, pContent);
}

BOOL CLVKMarkupPanel::HasContentObject() const
{
    return m_pChildren->HasContentObject();
}

BEGIN_DISPATCH_MAP(CLVKMarkupPanel, CLVKMarkupFrameworkElement)
    DISP_MARKUP_OBJECT("Background", 500, CLVKMarkupPanel::m_pBackgroundProperty)
    DISP_PROPERTY_EX_ID(CLVKMarkupPanel, "Children", 501, OleGetChildren, SetNotSupported, VT_DISPATCH)
END_DISPATCH_MAP()

IDispatch* CLVKMarkupPanel::OleGetChildren()
{
    return GetDispatch(m_pChildren, TRUE);
}
