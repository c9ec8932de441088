// Colour stops along a line from "StartPoint" to "EndPoint", both relative
// to the painted rectangle.
#pragma once

#include "Markup/MarkupBrush.h"

class CLVKMarkupGradientStops;
class CLVKMarkupPoint;

class CLVKMarkupLinearGradientBrush : public CLVKMarkupBrush
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupLinearGradientBrush();

    COLORREF GetColor() const override;
    CLVKMarkupGradientStops* GetGradientStops() const;
    CLVKMarkupPoint* GetStartPoint() const;
    CLVKMarkupPoint* GetEndPoint() const;
    // Stops written inside the brush join its stop collection.
    void SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent) override;
    BOOL HasContentObject() const override;

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pStartPointProperty;
    static CLVKMarkupDependencyProperty* m_pEndPointProperty;
    static CLVKMarkupDependencyProperty* m_pGradientStopsProperty;
};
