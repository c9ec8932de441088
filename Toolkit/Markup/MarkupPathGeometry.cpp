#include "Markup/MarkupPathGeometry.h"

#include "Markup/MarkupPathGeometryFigures.h"

CLVKMarkupDependencyProperty* CLVKMarkupPathGeometry::m_pFiguresProperty = nullptr;

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupPathGeometry, L"PathGeometry", CLVKMarkupObject::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupPathGeometry(); }, &CLVKMarkupPathGeometry::RegisterProperties)

void AFX_CDECL CLVKMarkupPathGeometry::RegisterProperties()
{
    m_pFiguresProperty = CLVKMarkupDependencyProperty::Register(
        L"Figures", CLVKMarkupPathGeometryFigures::GetMarkupType(), GetMarkupType());
}

void CLVKMarkupPathGeometry::SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent)
{
    if (!MarkupCast<CLVKMarkupPathGeometryFigures>(pContent))
    {
        CLVKMarkupObject::SetContentObject(pBuilder, pContent);
        return;
    }
    pContent->AddRef();
    SetValue(m_pFiguresProperty, pContent);
}
