// One row of a grid: its height as a grid length, with an optional minimum
// and maximum.
#pragma once

#include "Markup/MarkupDefinitionBase.h"

class CLVKMarkupRowDefinition : public CLVKMarkupDefinitionBase
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupRowDefinition() : CLVKMarkupDefinitionBase(FALSE) {}

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pHeightProperty;
    static CLVKMarkupDependencyProperty* m_pMinHeightProperty;
    static CLVKMarkupDependencyProperty* m_pMaxHeightProperty;

protected:
    CLVKMarkupDependencyProperty* GetSizeProperty() const override { return m_pHeightProperty; }
    CLVKMarkupDependencyProperty* GetMinProperty() const override { return m_pMinHeightProperty; }
    CLVKMarkupDependencyProperty* GetMaxProperty() const override { return m_pMaxHeightProperty; }

protected:
    DECLARE_DISPATCH_MAP()
};
