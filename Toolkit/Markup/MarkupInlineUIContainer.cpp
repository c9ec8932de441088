#include "Markup/MarkupInlineUIContainer.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupBuilder.h"
#include "Markup/MarkupUIElement.h"

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupInlineUIContainer, L"InlineUIContainer", CLVKMarkupInline::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupInlineUIContainer(); }, nullptr)

CLVKMarkupInlineUIContainer::~CLVKMarkupInlineUIContainer() = default;

BOOL CLVKMarkupInlineUIContainer::SetChild(CLVKMarkupUIElement* pChild)
{
    return m_child.Set(pChild);
}

CLVKMarkupObject* CLVKMarkupInlineUIContainer::GetLogicalChild(int nIndex) const
{
    return nIndex == 0 ? m_child.Get() : nullptr;
}

void CLVKMarkupInlineUIContainer::SetContentObject(CLVKMarkupBuilder* /*pBuilder*/, CLVKMarkupObject* pContent)
{
    auto* const pElement = MarkupCast<CLVKMarkupUIElement>(pContent);
    if (!pElement)
    {
        MarkupThrowError(L"'%ls' object cannot be added to '%ls'. Object cannot be converted to type '%ls'",
                         pContent ? pContent->GetType()->GetClassName() : L"", GetType()->GetClassName(),
                         CLVKMarkupUIElement::GetMarkupType()->GetClassName());
    }
    pElement->AddRef();
    if (!SetChild(pElement))
    {
        pElement->Release();
        MarkupThrowError(L"'%ls' object cannot be added to '%ls'. The object already has a parent",
                         pContent->GetType()->GetClassName(), GetType()->GetClassName());
    }
}

MarkupTextPosition CLVKMarkupInlineUIContainer::NextPosition(MarkupTextPosition& nPosition) const
{
    const MarkupTextPosition nBefore = nPosition;
    nPosition = nPosition == 0 ? 1 : kMarkupTextEnd;
    return nBefore;
}

SIZE CLVKMarkupInlineUIContainer::MeasureRange(CLVKMarkupDrawingContext* pDC, MarkupTextPosition nFirst,
                                               MarkupTextPosition nLast)
{
    if (!m_child.Get() || !pDC || nFirst != 0 || nLast == 0)
    {
        return SIZE{0, 0};
    }
    m_child.Get()->Measure(pDC, 32000, 32000);
    return m_child.Get()->GetDesiredSize();
}

void CLVKMarkupInlineUIContainer::ArrangeRange(const RECT& rc, MarkupTextPosition nFirst, MarkupTextPosition nLast)
{
    if (m_child.Get() && nFirst == 0 && nLast != 0)
    {
        m_child.Get()->Arrange(rc);
    }
}

CLVKMarkupInputElement* CLVKMarkupInlineUIContainer::InputHitTest(int x, int y)
{
    if (m_child.Get())
    {
        if (CLVKMarkupInputElement* const pHit = m_child.Get()->InputHitTest(x, y))
        {
            return pHit;
        }
    }
    return this;
}

BEGIN_DISPATCH_MAP(CLVKMarkupInlineUIContainer, CLVKMarkupInline)
    DISP_PROPERTY_EX_ID(CLVKMarkupInlineUIContainer, "Child", 700, OleGetChild, OleSetChild, VT_DISPATCH)
END_DISPATCH_MAP()

IDispatch* CLVKMarkupInlineUIContainer::OleGetChild()
{
    return GetDispatch(m_child.Get(), TRUE);
}

void CLVKMarkupInlineUIContainer::OleSetChild(IDispatch* pChild)
{
    CLVKMarkupObject* const pObject = pChild ? LVKMarkupObjectFromUnknown(pChild, TRUE) : nullptr;
    if (pObject && !MarkupCast<CLVKMarkupUIElement>(pObject))
    {
        pObject->Release();
        AfxThrowOleException(DISP_E_TYPEMISMATCH);
    }
    if (!SetChild(static_cast<CLVKMarkupUIElement*>(pObject)))
    {
        pObject->Release();
        AfxThrowOleException(E_INVALIDARG);
    }
}
