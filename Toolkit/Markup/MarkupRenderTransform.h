// The "RenderTransform" value of an element: exactly one transform.
#pragma once

#include "Markup/MarkupTransform.h"

class CLVKMarkupRenderTransform : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    void SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent) override;
    BOOL HasContentObject() const override { return GetTransform() != nullptr; }
    CLVKMarkupTransform* GetTransform() const;

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pRotateTransformProperty;
    static CLVKMarkupDependencyProperty* m_pScaleTransformProperty;
    static CLVKMarkupDependencyProperty* m_pTranslateTransformProperty;
    static CLVKMarkupDependencyProperty* m_pSkewTransformProperty;

private:
    CLVKMarkupDependencyProperty* m_pStoredProperty = nullptr;
};
