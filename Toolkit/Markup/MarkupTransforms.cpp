// Render transforms and their container.
#include "Markup/MarkupBuilder.h"
#include "Markup/MarkupDouble.h"
#include "Markup/MarkupRenderTransform.h"
#include "Markup/MarkupTransformationMatrix.h"
#include "Markup/MarkupUIElement.h"

#include <cmath>

#define LVK_DOUBLE_PROPERTY(Class, Member) CLVKMarkupDependencyProperty* Class::Member = nullptr;
LVK_DOUBLE_PROPERTY(CLVKMarkupRotateTransform, m_pAngleProperty)
LVK_DOUBLE_PROPERTY(CLVKMarkupRotateTransform, m_pCenterXProperty)
LVK_DOUBLE_PROPERTY(CLVKMarkupRotateTransform, m_pCenterYProperty)
LVK_DOUBLE_PROPERTY(CLVKMarkupScaleTransform, m_pScaleXProperty)
LVK_DOUBLE_PROPERTY(CLVKMarkupScaleTransform, m_pScaleYProperty)
LVK_DOUBLE_PROPERTY(CLVKMarkupSkewTransform, m_pAngleXProperty)
LVK_DOUBLE_PROPERTY(CLVKMarkupSkewTransform, m_pAngleYProperty)
LVK_DOUBLE_PROPERTY(CLVKMarkupTranslateTransform, m_pXProperty)
LVK_DOUBLE_PROPERTY(CLVKMarkupTranslateTransform, m_pYProperty)
LVK_DOUBLE_PROPERTY(CLVKMarkupRenderTransform, m_pRotateTransformProperty)
LVK_DOUBLE_PROPERTY(CLVKMarkupRenderTransform, m_pScaleTransformProperty)
LVK_DOUBLE_PROPERTY(CLVKMarkupRenderTransform, m_pTranslateTransformProperty)
LVK_DOUBLE_PROPERTY(CLVKMarkupRenderTransform, m_pSkewTransformProperty)

LVK_IMPLEMENT_MARKUP_TYPE(CLVKMarkupTransform, L"", CLVKMarkupObject::GetMarkupType(), nullptr, nullptr)
LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupRotateTransform, L"RotateTransform", CLVKMarkupTransform::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupRotateTransform(); },
    &CLVKMarkupRotateTransform::RegisterProperties)
LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupScaleTransform, L"ScaleTransform", CLVKMarkupTransform::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupScaleTransform(); }, &CLVKMarkupScaleTransform::RegisterProperties)
LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupSkewTransform, L"SkewTransform", CLVKMarkupTransform::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupSkewTransform(); }, &CLVKMarkupSkewTransform::RegisterProperties)
LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupTranslateTransform, L"TranslateTransform", CLVKMarkupTransform::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupTranslateTransform(); },
    &CLVKMarkupTranslateTransform::RegisterProperties)
LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupRenderTransform, L"RenderTransform", CLVKMarkupObject::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupRenderTransform(); },
    &CLVKMarkupRenderTransform::RegisterProperties)

namespace
{

CLVKMarkupDependencyProperty* RegisterDouble(LPCWSTR lpszName, CLVKMarkupType* pOwner, int nFlags)
{
    return CLVKMarkupDependencyProperty::Register(lpszName, CLVKMarkupDouble::GetMarkupType(), pOwner,
                                                  new CLVKMarkupPropertyMetadata(nullptr, nFlags));
}

// "CenterX" and "CenterY" are shared by rotate, scale and skew.
CLVKMarkupDependencyProperty* g_pCenterX = nullptr;
CLVKMarkupDependencyProperty* g_pCenterY = nullptr;

void EnsureCenters()
{
    if (!g_pCenterX)
    {
        CLVKMarkupType* const pType = CLVKMarkupRotateTransform::GetMarkupType();
        g_pCenterX = RegisterDouble(L"CenterX", pType, MarkupPropertyScaleX);
        g_pCenterY = RegisterDouble(L"CenterY", pType, MarkupPropertyScaleY);
    }
}

}  // namespace

CLVKMarkupTransformationMatrix* CLVKMarkupTransform::TransformMatrix(const CLVKMarkupTransformationMatrix* pCurrent)
{
    if (!pCurrent)
    {
        return nullptr;
    }
    CLVKMarkupTransformationMatrix* const pMatrix = pCurrent->Clone();
    ApplyToMatrix(*pMatrix);
    return pMatrix;
}

void CLVKMarkupTransform::OnSetAsProperty(CLVKMarkupDependencyProperty* /*pProperty*/, CLVKMarkupObject* pOwner)
{
    m_pOwner = pOwner;
}

void CLVKMarkupTransform::OnPropertyChanged(CLVKMarkupDependencyProperty* pProperty, CLVKMarkupObject* pOldValue,
                                            CLVKMarkupObject* pNewValue)
{
    // The owner is the container; its element is the one to lay out again.
    CLVKMarkupObject* pElement = m_pOwner ? m_pOwner->GetLogicalParent() : nullptr;
    if (auto* const pUIElement = MarkupCast<CLVKMarkupUIElement>(pElement))
    {
        if (!pUIElement->IsBeingBuilt())
        {
            pUIElement->InvalidateMeasure();
        }
    }
    CLVKMarkupObject::OnPropertyChanged(pProperty, pOldValue, pNewValue);
}

double CLVKMarkupTransform::GetDouble(CLVKMarkupDependencyProperty* pProperty) const
{
    auto* const pValue = MarkupCast<CLVKMarkupDouble>(GetValue(pProperty));
    return pValue ? pValue->GetValue() : 0.0;
}

void AFX_CDECL CLVKMarkupRotateTransform::RegisterProperties()
{
    m_pAngleProperty = RegisterDouble(L"Angle", GetMarkupType(), 0);
    EnsureCenters();
    m_pCenterXProperty = g_pCenterX;
    m_pCenterYProperty = g_pCenterY;
}

void CLVKMarkupRotateTransform::ApplyToMatrix(CLVKMarkupTransformationMatrix& matrix) const
{
    const float cx = static_cast<float>(GetDouble(g_pCenterX)), cy = static_cast<float>(GetDouble(g_pCenterY));
    matrix.Translate(cx, cy);
    matrix.Rotate(static_cast<float>(GetDouble(m_pAngleProperty)));
    matrix.Translate(-cx, -cy);
}

void AFX_CDECL CLVKMarkupScaleTransform::RegisterProperties()
{
    m_pScaleXProperty = RegisterDouble(L"ScaleX", GetMarkupType(), 0);
    m_pScaleYProperty = RegisterDouble(L"ScaleY", GetMarkupType(), 0);
    CLVKMarkupType::EnsureRegistered(CLVKMarkupRotateTransform::GetMarkupType());
    EnsureCenters();
    g_pCenterX->AddOwner(GetMarkupType());
    g_pCenterY->AddOwner(GetMarkupType());
}

void CLVKMarkupScaleTransform::ApplyToMatrix(CLVKMarkupTransformationMatrix& matrix) const
{
    // About the centre: moved there, scaled, moved back.
    const float cx = static_cast<float>(GetDouble(g_pCenterX)), cy = static_cast<float>(GetDouble(g_pCenterY));
    matrix.Translate(cx, cy);
    matrix.Scale(static_cast<float>(GetDouble(m_pScaleXProperty)), static_cast<float>(GetDouble(m_pScaleYProperty)));
    matrix.Translate(-cx, -cy);
}

void AFX_CDECL CLVKMarkupSkewTransform::RegisterProperties()
{
    m_pAngleXProperty = RegisterDouble(L"AngleX", GetMarkupType(), 0);
    m_pAngleYProperty = RegisterDouble(L"AngleY", GetMarkupType(), 0);
    CLVKMarkupType::EnsureRegistered(CLVKMarkupRotateTransform::GetMarkupType());
    EnsureCenters();
    g_pCenterX->AddOwner(GetMarkupType());
    g_pCenterY->AddOwner(GetMarkupType());
}

void CLVKMarkupSkewTransform::ApplyToMatrix(CLVKMarkupTransformationMatrix& matrix) const
{
    // A skew by an angle shears by the angle's tangent.
    const double kRadians = 3.14159265358979323846 / 180.0;
    const float cx = static_cast<float>(GetDouble(g_pCenterX)), cy = static_cast<float>(GetDouble(g_pCenterY));
    matrix.Translate(cx, cy);
    matrix.Shear(static_cast<float>(tan(GetDouble(m_pAngleXProperty) * kRadians)),
                 static_cast<float>(tan(GetDouble(m_pAngleYProperty) * kRadians)));
    matrix.Translate(-cx, -cy);
}

void AFX_CDECL CLVKMarkupTranslateTransform::RegisterProperties()
{
    m_pXProperty = RegisterDouble(L"X", GetMarkupType(), MarkupPropertyScaleX);
    m_pYProperty = RegisterDouble(L"Y", GetMarkupType(), MarkupPropertyScaleY);
}

void CLVKMarkupTranslateTransform::ApplyToMatrix(CLVKMarkupTransformationMatrix& matrix) const
{
    matrix.Translate(static_cast<float>(GetDouble(m_pXProperty)), static_cast<float>(GetDouble(m_pYProperty)));
}

void AFX_CDECL CLVKMarkupRenderTransform::RegisterProperties()
{
    CLVKMarkupType* const pType = GetMarkupType();
    m_pRotateTransformProperty =
        CLVKMarkupDependencyProperty::Register(L"RotateTransform", CLVKMarkupRotateTransform::GetMarkupType(), pType);
    m_pScaleTransformProperty =
        CLVKMarkupDependencyProperty::Register(L"ScaleTransform", CLVKMarkupScaleTransform::GetMarkupType(), pType);
    m_pTranslateTransformProperty = CLVKMarkupDependencyProperty::Register(
        L"TranslateTransform", CLVKMarkupTranslateTransform::GetMarkupType(), pType);
    m_pSkewTransformProperty =
        CLVKMarkupDependencyProperty::Register(L"SkewTransform", CLVKMarkupSkewTransform::GetMarkupType(), pType);
}

CLVKMarkupTransform* CLVKMarkupRenderTransform::GetTransform() const
{
    return m_pStoredProperty ? MarkupCast<CLVKMarkupTransform>(GetValue(m_pStoredProperty)) : nullptr;
}

void CLVKMarkupRenderTransform::SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent)
{
    if (GetTransform())
    {
        MarkupThrowError(L"'%ls' already has a child and cannot add '%ls'. '%ls' can accept only one child.",
                         GetType()->GetClassName(), pContent ? pContent->GetType()->GetClassName() : L"",
                         GetType()->GetClassName());
    }
    CLVKMarkupDependencyProperty* pProperty = nullptr;
    if (MarkupCast<CLVKMarkupRotateTransform>(pContent))
    {
        pProperty = m_pRotateTransformProperty;
    }
    else if (MarkupCast<CLVKMarkupScaleTransform>(pContent))
    {
        pProperty = m_pScaleTransformProperty;
    }
    else if (MarkupCast<CLVKMarkupTranslateTransform>(pContent))
    {
        pProperty = m_pTranslateTransformProperty;
    }
    else if (MarkupCast<CLVKMarkupSkewTransform>(pContent))
    {
        pProperty = m_pSkewTransformProperty;
    }
    if (!pProperty)
    {
        CLVKMarkupObject::SetContentObject(pBuilder, pContent);
        return;
    }
    pContent->AddRef();
    SetValue(pProperty, pContent);
    m_pStoredProperty = pProperty;
}
