// How an area, a border, a stroke or text is painted.
#pragma once

#include "Markup/MarkupType.h"

class CLVKMarkupBrush : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    // The brush's one colour for GDI operations that take one (no alpha).
    virtual COLORREF GetColor() const { return 0; }
    COLORREF GetHintColor() const { return GetColor(); }
    // A colour text makes a solid brush.
    CLVKMarkupObject* ConvertFrom(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pValue) override;
};
