#include "Markup/MarkupSpan.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupInlineCollection.h"

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupSpan, L"Span", CLVKMarkupInline::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupSpan(); }, nullptr)

CLVKMarkupSpan::CLVKMarkupSpan() : m_pInlines(new CLVKMarkupInlineCollection())
{
    m_pInlines->SetLogicalParent(this);
}

CLVKMarkupSpan::~CLVKMarkupSpan()
{
    // Detached first, so that emptying it asks nobody to lay out again.
    m_pInlines->SetLogicalParent(nullptr);
    m_pInlines->RemoveAll();
    m_pInlines->Release();
}

CLVKMarkupInline* CLVKMarkupSpan::GetFirstInline()
{
    CLVKMarkupInline* const pFirst = m_pInlines->GetInline(0);
    return pFirst ? pFirst->GetFirstInline() : this;
}

CLVKMarkupObject* CLVKMarkupSpan::GetLogicalChild(int nIndex) const
{
    return nIndex == 0 ? m_pInlines : nullptr;
}

void CLVKMarkupSpan::SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent)
{
    m_pInlines->SetContentObject(pBuilder, pContent);
}

BOOL CLVKMarkupSpan::HasContentObject() const
{
    return m_pInlines->HasContentObject();
}

BEGIN_DISPATCH_MAP(CLVKMarkupSpan, CLVKMarkupInline)
    DISP_PROPERTY_EX_ID(CLVKMarkupSpan, "Inlines", 700, OleGetInlines, SetNotSupported, VT_DISPATCH)
END_DISPATCH_MAP()

IDispatch* CLVKMarkupSpan::OleGetInlines()
{
    return GetDispatch(m_pInlines, TRUE);
}
