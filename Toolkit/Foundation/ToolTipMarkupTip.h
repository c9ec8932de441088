// The markup tip: the tool text is parsed as markup and the element tree is
// measured and drawn on the Office background; text that is no markup is
// shown as plain text.
#pragma once

#include "ToolTipContextToolTip.h"

class CLVKMarkupContext;
class CLVKMarkupUIElement;

class CLVKToolTipContext::CMarkupToolTip : public CLVKToolTipContext::COfficeToolTip
{
public:
    explicit CMarkupToolTip(CLVKToolTipContext* pContext);
    ~CMarkupToolTip() override;

    SIZE MeasureTip(TOOLITEM* pTool) override;
    void DrawTip(CDC* pDC, TOOLITEM* pTool, RECT rc) override;

    // The element of the last measured text; null when it did not parse.
    CLVKMarkupUIElement* GetElement() const { return m_pElement; }
    CLVKMarkupContext* GetMarkupContext() const { return m_pMarkupContext; }

private:
    CLVKMarkupContext* m_pMarkupContext;
    CLVKMarkupUIElement* m_pElement = nullptr;
};
