#include "Markup/MarkupPath.h"

#include "Markup/MarkupDrawingContext.h"
#include "Markup/MarkupPathData.h"

#include <algorithm>

CLVKMarkupDependencyProperty* CLVKMarkupPath::m_pDataProperty = nullptr;

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupPath, L"Path", CLVKMarkupShape::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupPath(); }, &CLVKMarkupPath::RegisterProperties)

void AFX_CDECL CLVKMarkupPath::RegisterProperties()
{
    m_pDataProperty =
        CLVKMarkupDependencyProperty::Register(L"Data", CLVKMarkupPathData::GetMarkupType(), GetMarkupType(),
                                               new CLVKMarkupPropertyMetadata(nullptr, MarkupPropertyAffectsMeasure));
}

CLVKMarkupPathData* CLVKMarkupPath::GetData() const
{
    return MarkupCast<CLVKMarkupPathData>(GetValue(m_pDataProperty));
}

void CLVKMarkupPath::SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent)
{
    if (MarkupCast<CLVKMarkupPathData>(pContent))
    {
        pContent->AddRef();
        SetValue(m_pDataProperty, pContent);
        return;
    }
    CLVKMarkupShape::SetContentObject(pBuilder, pContent);
}

SIZE CLVKMarkupPath::MeasureOverride(CLVKMarkupDrawingContext* /*pDC*/, int nWidth, int nHeight)
{
    CLVKMarkupPathData* const pData = GetData();
    if (!pData || pData->GetCount() == 0)
    {
        return SIZE{0, 0};
    }
    const RECT rc = pData->GetBounds();
    const SIZE sz = {std::max(rc.right, rc.right - rc.left), std::max(rc.bottom, rc.bottom - rc.top)};
    return StretchToAvailable(sz, nWidth, nHeight);
}

void CLVKMarkupPath::OnRender(CLVKMarkupDrawingContext* pDC)
{
    CLVKMarkupPathData* const pData = GetData();
    if (!pData || (!GetStroke() && !GetFill()))
    {
        return;
    }
    MarkupStrokeStyle stroke;
    GetStrokeStyle(stroke);
    if (IsStretched())
    {
        CLVKMarkupAutoPtr<CLVKMarkupPathData> pStretched(pData->CreateStretched(m_szRender.cx, m_szRender.cy));
        pDC->DrawPath(pStretched, &stroke, GetFill());
    }
    else
    {
        pDC->DrawPath(pData, &stroke, GetFill());
    }
}
