#include "Markup/MarkupPathData.h"

#include "Markup/MarkupBuilder.h"
#include "Markup/MarkupPathGeometry.h"
#include "Markup/MarkupPathGeometryBuilder.h"
#include "Markup/MarkupString.h"

#include <algorithm>
#include <cmath>

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupPathData, L"Data", CLVKMarkupObject::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupPathData(); }, &CLVKMarkupPathData::RegisterProperties)

CLVKMarkupDependencyProperty* CLVKMarkupPathData::m_pPathGeometryProperty = nullptr;

void AFX_CDECL CLVKMarkupPathData::RegisterProperties()
{
    m_pPathGeometryProperty = CLVKMarkupDependencyProperty::Register(
        L"PathGeometry", CLVKMarkupPathGeometry::GetMarkupType(), GetMarkupType());
}

void CLVKMarkupPathData::SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent)
{
    if (!MarkupCast<CLVKMarkupPathGeometry>(pContent))
    {
        CLVKMarkupObject::SetContentObject(pBuilder, pContent);
        return;
    }
    pContent->AddRef();
    SetValue(m_pPathGeometryProperty, pContent);
}

CLVKMarkupPathData::CLVKMarkupPathData(const MARKUP_POINTF* pPoints, const BYTE* pTypes, int nCount)
    : m_points(pPoints, pPoints + nCount), m_types(pTypes, pTypes + nCount)
{
}

RECT CLVKMarkupPathData::GetBounds() const
{
    RECT rc = {0, 0, 0, 0};
    if (m_points.empty())
    {
        return rc;
    }
    float l = m_points[0].x, t = m_points[0].y, r = l, b = t;
    for (const MARKUP_POINTF& pt : m_points)
    {
        l = std::min(l, pt.x);
        t = std::min(t, pt.y);
        r = std::max(r, pt.x);
        b = std::max(b, pt.y);
    }
    SetRect(&rc, static_cast<int>(floor(l)), static_cast<int>(floor(t)), static_cast<int>(ceil(r)),
            static_cast<int>(ceil(b)));
    return rc;
}

CLVKMarkupPathData* CLVKMarkupPathData::CreateStretched(int nWidth, int nHeight) const
{
    auto* const pResult = new CLVKMarkupPathData(m_points.data(), m_types.data(), GetCount());
    pResult->m_nPixelOffsetMode = m_nPixelOffsetMode;
    pResult->m_nFigureFlags = m_nFigureFlags;
    if (m_points.empty())
    {
        return pResult;
    }
    float l = m_points[0].x, t = m_points[0].y, r = l, b = t;
    for (const MARKUP_POINTF& pt : m_points)
    {
        l = std::min(l, pt.x);
        t = std::min(t, pt.y);
        r = std::max(r, pt.x);
        b = std::max(b, pt.y);
    }
    for (MARKUP_POINTF& pt : pResult->m_points)
    {
        // A zero-width or zero-height outline maps that axis to 0 instead
        // of dividing by zero.
        pt.x = r > l ? nWidth * (pt.x - l) / (r - l) : 0;
        pt.y = b > t ? nHeight * (pt.y - t) / (b - t) : 0;
    }
    return pResult;
}

CLVKMarkupObject* CLVKMarkupPathData::ConvertFrom(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pValue)
{
    auto* const pString = MarkupCast<CLVKMarkupString>(pValue);
    if (!pString)
    {
        return nullptr;
    }
    CLVKMarkupPathGeometryBuilder builder;
    builder.Parse(pBuilder ? pBuilder->GetContext() : nullptr, pString->GetText(), pString->GetLength());
    return builder.CreatePathData();
}
