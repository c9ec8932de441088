#include "Markup/MarkupPage.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupBuilder.h"

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupPage, L"Page", CLVKMarkupFrameworkElement::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupPage(); }, nullptr)

CLVKMarkupPage::~CLVKMarkupPage()
{
    if (m_pChild)
    {
        m_pChild->SetLogicalParent(nullptr);
        m_pChild->Release();
    }
}

BOOL CLVKMarkupPage::SetChild(CLVKMarkupUIElement* pChild)
{
    if (pChild)
    {
        if (pChild->GetLogicalParent())
        {
            return FALSE;
        }
        int nDepth = 0;
        for (const CLVKMarkupObject* p = this; p && nDepth < 4 * kMarkupMaxDepth; p = p->GetLogicalParent(), ++nDepth)
        {
            if (p == pChild)
            {
                return FALSE;
            }
        }
    }
    if (m_pChild)
    {
        m_pChild->SetLogicalParent(nullptr);
        m_pChild->Release();
    }
    m_pChild = pChild;
    if (m_pChild)
    {
        m_pChild->SetLogicalParent(this);
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
    if (m_pChild)
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
    if (!m_pChild)
    {
        return SIZE{0, 0};
    }
    m_pChild->Measure(pDC, nWidth, nHeight);
    return m_pChild->GetDesiredSize();
}

SIZE CLVKMarkupPage::ArrangeOverride(int nWidth, int nHeight)
{
    if (m_pChild)
    {
        m_pChild->Arrange(0, 0, nWidth, nHeight);
    }
    return SIZE{nWidth, nHeight};
}

BEGIN_DISPATCH_MAP(CLVKMarkupPage, CLVKMarkupFrameworkElement)
    DISP_PROPERTY_EX_ID(CLVKMarkupPage, "Content", 500, OleGetContent, OleSetContent, VT_DISPATCH)
END_DISPATCH_MAP()

IDispatch* CLVKMarkupPage::OleGetContent()
{
    return GetDispatch(m_pChild, TRUE);
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
