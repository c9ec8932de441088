#include "Markup/MarkupPage.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupBuilder.h"

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupPage, L"Page", CLVKMarkupFrameworkElement::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupPage(); }, nullptr)

CLVKMarkupPage::~CLVKMarkupPage() = default;

BOOL CLVKMarkupPage::SetChild(CLVKMarkupUIElement* pChild)
{
    if (!m_child.Set(pChild))
    {
        return FALSE;
    }
    if (!IsBeingBuilt())
    {
        InvalidateMeasure();
    }
    return TRUE;
}

void CLVKMarkupPage::SetContentObject(CLVKMarkupBuilder* /*pBuilder*/, CLVKMarkupObject* pContent)
{
    auto* const pChild = MarkupCast<CLVKMarkupUIElement>(pContent);
    if (!pChild)
    {
        MarkupThrowError(L"'%ls' object cannot be added to '%ls'. Object cannot be converted to type '%ls'",
                         pContent ? pContent->GetType()->GetClassName() : L"", GetType()->GetClassName(),
                         CLVKMarkupUIElement::GetMarkupType()->GetClassName());
    }
    if (m_child.Get())
    {
        MarkupThrowError(L"'%ls' already has a child and cannot add '%ls'. '%ls' can accept only one child.",
                         GetType()->GetClassName(), pContent->GetType()->GetClassName(), GetType()->GetClassName());
    }
    pChild->AddRef();
    if (!SetChild(pChild))
    {
        pChild->Release();
        MarkupThrowError(L"'%ls' object cannot be added to '%ls'. The object already has a parent",
                         pContent->GetType()->GetClassName(), GetType()->GetClassName());
    }
}

SIZE CLVKMarkupPage::MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight)
{
    if (!m_child.Get())
    {
        return SIZE{0, 0};
    }
    m_child.Get()->Measure(pDC, nWidth, nHeight);
    return m_child.Get()->GetDesiredSize();
}

SIZE CLVKMarkupPage::ArrangeOverride(int nWidth, int nHeight)
{
    if (m_child.Get())
    {
        m_child.Get()->Arrange(0, 0, nWidth, nHeight);
    }
    return SIZE{nWidth, nHeight};
}

BEGIN_DISPATCH_MAP(CLVKMarkupPage, CLVKMarkupFrameworkElement)
    DISP_PROPERTY_EX_ID(CLVKMarkupPage, "Content", 500, OleGetContent, OleSetContent, VT_DISPATCH)
END_DISPATCH_MAP()

IDispatch* CLVKMarkupPage::OleGetContent()
{
    return GetDispatch(m_child.Get(), TRUE);
}

void CLVKMarkupPage::OleSetContent(IDispatch* pContent)
{
    CLVKMarkupObject* const pObject = pContent ? LVKMarkupObjectFromUnknown(pContent, TRUE) : nullptr;
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
