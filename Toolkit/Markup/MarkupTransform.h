// The base of render transforms: a transform makes a new matrix from the
// device's current one, with its own operation acting first on the points.
#pragma once

#include "Markup/MarkupType.h"

class CLVKMarkupTransformationMatrix;

class CLVKMarkupTransform : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    // A new matrix owned by the caller, or null.
    virtual CLVKMarkupTransformationMatrix* TransformMatrix(const CLVKMarkupTransformationMatrix* pCurrent);
    void OnSetAsProperty(CLVKMarkupDependencyProperty* pProperty, CLVKMarkupObject* pOwner) override;
    void OnPropertyChanged(CLVKMarkupDependencyProperty* pProperty, CLVKMarkupObject* pOldValue,
                           CLVKMarkupObject* pNewValue) override;

protected:
    // 0.0 when unset.
    double GetDouble(CLVKMarkupDependencyProperty* pProperty) const;
    virtual void ApplyToMatrix(CLVKMarkupTransformationMatrix& /*matrix*/) const {}

    CLVKMarkupObject* m_pOwner = nullptr;  // not referenced
};

class CLVKMarkupRotateTransform : public CLVKMarkupTransform
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pAngleProperty;
    static CLVKMarkupDependencyProperty* m_pCenterXProperty;
    static CLVKMarkupDependencyProperty* m_pCenterYProperty;

protected:
    void ApplyToMatrix(CLVKMarkupTransformationMatrix& matrix) const override;
};

class CLVKMarkupScaleTransform : public CLVKMarkupTransform
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pScaleXProperty;
    static CLVKMarkupDependencyProperty* m_pScaleYProperty;

protected:
    void ApplyToMatrix(CLVKMarkupTransformationMatrix& matrix) const override;
};

class CLVKMarkupSkewTransform : public CLVKMarkupTransform
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pAngleXProperty;
    static CLVKMarkupDependencyProperty* m_pAngleYProperty;

protected:
    void ApplyToMatrix(CLVKMarkupTransformationMatrix& matrix) const override;
};

class CLVKMarkupTranslateTransform : public CLVKMarkupTransform
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pXProperty;
    static CLVKMarkupDependencyProperty* m_pYProperty;

protected:
    void ApplyToMatrix(CLVKMarkupTransformationMatrix& matrix) const override;
};
