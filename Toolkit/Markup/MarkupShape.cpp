#include "Markup/MarkupShape.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupBrush.h"
#include "Markup/MarkupDouble.h"
#include "Markup/MarkupDoubleCollection.h"
#include "Markup/MarkupEnum.h"
#include "Markup/MarkupInt.h"
#include "Markup/MarkupString.h"
#include "Markup/MarkupValueConverters.h"

CLVKMarkupDependencyProperty* CLVKMarkupShape::m_pStrokeMiterLimitProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupShape::m_pFillProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupShape::m_pStrokeProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupShape::m_pStrokeThicknessProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupShape::m_pStretchProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupShape::m_pStrokeDashArrayProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupShape::m_pStrokeStartLineCapProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupShape::m_pStrokeEndLineCapProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupShape::m_pStrokeLineJoinProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupShape::m_pSmoothingModeProperty = nullptr;

BEGIN_DISPATCH_MAP(CLVKMarkupShape, CLVKMarkupFrameworkElement)
    DISP_MARKUP_OBJECT("Fill", 500, CLVKMarkupShape::m_pFillProperty)
    DISP_MARKUP_OBJECT("Stroke", 501, CLVKMarkupShape::m_pStrokeProperty)
    DISP_MARKUP_NUMBER("StrokeThickness", 502, CLVKMarkupShape::m_pStrokeThicknessProperty, VT_I4, 1)
    DISP_MARKUP_NUMBER("StrokeStartLineCap", 503, CLVKMarkupShape::m_pStrokeStartLineCapProperty, VT_I4, 0)
    DISP_MARKUP_NUMBER("StrokeEndLineCap", 504, CLVKMarkupShape::m_pStrokeEndLineCapProperty, VT_I4, 0)
    DISP_MARKUP_NUMBER("StrokeLineJoin", 505, CLVKMarkupShape::m_pStrokeLineJoinProperty, VT_I4, 0)
    DISP_MARKUP_OBJECT("StrokeDashArray", 506, CLVKMarkupShape::m_pStrokeDashArrayProperty)
END_DISPATCH_MAP()

LVK_IMPLEMENT_MARKUP_TYPE(CLVKMarkupShape, L"Shape", CLVKMarkupFrameworkElement::GetMarkupType(), nullptr,
                          &CLVKMarkupShape::RegisterProperties)

namespace
{

template <const MarkupWord* pWords, int nCount>
CLVKMarkupObject* AFX_CDECL WordConverter(CLVKMarkupBuilder*, CLVKMarkupObject* pValue, CLVKMarkupDependencyProperty*)
{
    auto* const pString = MarkupCast<CLVKMarkupString>(pValue);
    int nValue = 0;
    if (!pString || !MarkupFindWord(pWords, nCount, pString->GetText(), nValue))
    {
        return nullptr;
    }
    return new CLVKMarkupEnum(nValue);
}

const MarkupWord kStretchWords[] = {{L"None", 0}, {L"Fill", 1}, {L"Uniform", 2}, {L"UniformToFill", 3}};
const MarkupWord kLineCapWords[] = {{L"Flat", 0}, {L"Square", 1}, {L"Round", 2}, {L"Triangle", 3}};
const MarkupWord kLineJoinWords[] = {{L"Miter", 0}, {L"Bevel", 1}, {L"Round", 2}};
const MarkupWord kSmoothingWords[] = {
    {L"Default", 0}, {L"None", 1}, {L"HighSpeed", 2}, {L"HighQuality", 3}, {L"AntiAlias", 4}};

CLVKMarkupPropertyMetadata* EnumMetadata(CLVKMarkupPropertyMetadata::PFNCONVERTER pfnConverter)
{
    return new CLVKMarkupPropertyMetadata(new CLVKMarkupEnum(0), pfnConverter, MarkupPropertyAffectsRender);
}

int EnumValue(const CLVKMarkupObject* pObject, CLVKMarkupDependencyProperty* pProperty)
{
    auto* const pValue = MarkupCast<CLVKMarkupEnum>(pObject->GetValue(pProperty));
    return pValue ? pValue->GetValue() : 0;
}

}  // namespace

void AFX_CDECL CLVKMarkupShape::RegisterProperties()
{
    CLVKMarkupType* const pType = GetMarkupType();
    CLVKMarkupType* const pEnum = CLVKMarkupEnum::GetMarkupType();
    m_pStrokeMiterLimitProperty =
        CLVKMarkupDependencyProperty::Register(L"StrokeMiterLimit", CLVKMarkupDouble::GetMarkupType(), pType,
                                               new CLVKMarkupPropertyMetadata(nullptr, MarkupPropertyAffectsRender));
    m_pFillProperty =
        CLVKMarkupDependencyProperty::Register(L"Fill", CLVKMarkupBrush::GetMarkupType(), pType,
                                               new CLVKMarkupPropertyMetadata(nullptr, MarkupPropertyAffectsRender));
    m_pStrokeProperty =
        CLVKMarkupDependencyProperty::Register(L"Stroke", CLVKMarkupBrush::GetMarkupType(), pType,
                                               new CLVKMarkupPropertyMetadata(nullptr, MarkupPropertyAffectsRender));
    m_pStrokeThicknessProperty = CLVKMarkupDependencyProperty::Register(
        L"StrokeThickness", CLVKMarkupInt::GetMarkupType(), pType,
        new CLVKMarkupPropertyMetadata(nullptr, MarkupPropertyAffectsRender | MarkupPropertyScaleX));
    m_pStretchProperty = CLVKMarkupDependencyProperty::Register(L"Stretch", pEnum, pType,
                                                                EnumMetadata(&WordConverter<kStretchWords, 4>));
    m_pStrokeDashArrayProperty =
        CLVKMarkupDependencyProperty::Register(L"StrokeDashArray", CLVKMarkupDoubleCollection::GetMarkupType(), pType,
                                               new CLVKMarkupPropertyMetadata(nullptr, MarkupPropertyAffectsMeasure));
    m_pStrokeStartLineCapProperty = CLVKMarkupDependencyProperty::Register(
        L"StrokeStartLineCap", pEnum, pType, EnumMetadata(&WordConverter<kLineCapWords, 4>));
    m_pStrokeEndLineCapProperty = CLVKMarkupDependencyProperty::Register(
        L"StrokeEndLineCap", pEnum, pType, EnumMetadata(&WordConverter<kLineCapWords, 4>));
    m_pStrokeLineJoinProperty = CLVKMarkupDependencyProperty::Register(L"StrokeLineJoin", pEnum, pType,
                                                                       EnumMetadata(&WordConverter<kLineJoinWords, 3>));
    m_pSmoothingModeProperty = CLVKMarkupDependencyProperty::Register(L"SmoothingMode", pEnum, pType,
                                                                      EnumMetadata(&WordConverter<kSmoothingWords, 5>));
}

CLVKMarkupBrush* CLVKMarkupShape::GetFill() const
{
    return MarkupCast<CLVKMarkupBrush>(GetValue(m_pFillProperty));
}

CLVKMarkupBrush* CLVKMarkupShape::GetStroke() const
{
    return MarkupCast<CLVKMarkupBrush>(GetValue(m_pStrokeProperty));
}

int CLVKMarkupShape::GetStrokeThickness() const
{
    auto* const pValue = MarkupCast<CLVKMarkupInt>(GetValue(m_pStrokeThicknessProperty));
    return pValue ? pValue->GetValue() : 1;
}

int CLVKMarkupShape::GetStretch() const
{
    return EnumValue(this, m_pStretchProperty);
}

CLVKMarkupDoubleCollection* CLVKMarkupShape::GetStrokeDashArray() const
{
    return MarkupCast<CLVKMarkupDoubleCollection>(GetValue(m_pStrokeDashArrayProperty));
}

int CLVKMarkupShape::GetStrokeStartLineCap() const
{
    return EnumValue(this, m_pStrokeStartLineCapProperty);
}

int CLVKMarkupShape::GetStrokeEndLineCap() const
{
    return EnumValue(this, m_pStrokeEndLineCapProperty);
}

int CLVKMarkupShape::GetStrokeLineJoin() const
{
    return EnumValue(this, m_pStrokeLineJoinProperty);
}

int CLVKMarkupShape::GetSmoothingMode() const
{
    return EnumValue(this, m_pSmoothingModeProperty);
}

void CLVKMarkupShape::SetFill(CLVKMarkupBrush* pBrush)
{
    SetValue(m_pFillProperty, pBrush);
}

void CLVKMarkupShape::SetStroke(CLVKMarkupBrush* pBrush)
{
    SetValue(m_pStrokeProperty, pBrush);
}

void CLVKMarkupShape::SetStrokeDashArray(CLVKMarkupDoubleCollection* pDashArray)
{
    SetValue(m_pStrokeDashArrayProperty, pDashArray);
}

void CLVKMarkupShape::GetStrokeStyle(MarkupStrokeStyle& style) const
{
    style = MarkupStrokeStyle();
    style.pBrush = GetStroke();
    style.nThickness = style.pBrush ? GetStrokeThickness() : 0;
    style.pDashArray = GetStrokeDashArray();
    style.nStartCap = GetStrokeStartLineCap();
    style.nEndCap = GetStrokeEndLineCap();
    style.nLineJoin = GetStrokeLineJoin();
}

SIZE CLVKMarkupShape::StretchToAvailable(SIZE sz, int nWidth, int nHeight) const
{
    if (IsStretched())
    {
        if (nWidth <= kMarkupLargeLength)
        {
            sz.cx = nWidth;
        }
        if (nHeight <= kMarkupLargeLength)
        {
            sz.cy = nHeight;
        }
    }
    return sz;
}
