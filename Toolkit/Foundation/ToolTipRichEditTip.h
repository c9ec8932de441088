// The rich-text tip: the tool text (RTF or plain) is measured and drawn by
// the windowless rich-edit renderer in the context's font and colour.
// Without rich-edit text services the tip measures 0 x 0 and is not shown.
#pragma once

#include "RichRender.h"
#include "ToolTipContextToolTip.h"

class CLVKToolTipContext::CRichEditToolTip : public CLVKToolTipContextToolTip
{
public:
    using CLVKToolTipContextToolTip::CLVKToolTipContextToolTip;

    SIZE MeasureTip(TOOLITEM* pTool) override;
    void DrawTip(CDC* pDC, TOOLITEM* pTool, RECT rc) override;

    CLVKRichRender& GetRenderer() { return m_render; }

private:
    CLVKRichRender m_render;
};
