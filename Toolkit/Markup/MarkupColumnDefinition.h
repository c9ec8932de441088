// One column of a grid: its width as a grid length, with an optional minimum
// and maximum.
#pragma once

#include "Markup/MarkupDefinitionBase.h"

class CLVKMarkupColumnDefinition : public CLVKMarkupDefinitionBase
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupColumnDefinition() : CLVKMarkupDefinitionBase(TRUE) {}

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pWidthProperty;
    static CLVKMarkupDependencyProperty* m_pMinWidthProperty;
    static CLVKMarkupDependencyProperty* m_pMaxWidthProperty;

protected:
    CLVKMarkupDependencyProperty* GetSizeProperty() const override { return m_pWidthProperty; }
    CLVKMarkupDependencyProperty* GetMinProperty() const override { return m_pMinWidthProperty; }
    CLVKMarkupDependencyProperty* GetMaxProperty() const override { return m_pMaxWidthProperty; }

protected:
    DECLARE_DISPATCH_MAP()
};
