// The Office 2013 tip: wider insets with a title, a grey text colour, the
// title on one line above the text, no icon.
#pragma once

#include "ToolTipContextToolTip.h"

class CLVKToolTipContext::COffice2013ToolTip : public CLVKToolTipContextToolTip
{
public:
    using CLVKToolTipContextToolTip::CLVKToolTipContextToolTip;

    SIZE MeasureTip(TOOLITEM* pTool) override;
    void DrawTip(CDC* pDC, TOOLITEM* pTool, RECT rc) override;

    // The text colour of the tip.
    static const COLORREF kTextColor = RGB(93, 93, 93);
    // Padding on each side around title and text (scaled).
    SIZE GetInset() const;
};
