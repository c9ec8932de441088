// The markup tip: the tool text is parsed as markup and the element tree is
// measured and drawn on the Office background; text that is no markup is
// shown as plain text. The tooltip context sits below the markup engine, so
// the engine registers this tip with it (Install) instead of the context
// reaching up for it.
#pragma once

#include "Foundation/ToolTipContextToolTip.h"

class CLVKMarkupContext;
class CLVKMarkupUIElement;

class CLVKMarkupToolTip : public CLVKToolTipContext::COfficeToolTip
{
public:
    explicit CLVKMarkupToolTip(CLVKToolTipContext* pContext);
    ~CLVKMarkupToolTip() override;

    // Makes every tooltip context draw its markup-style tips with this class.
    // Called by whatever in the markup engine may show such a tip; calling it
    // again does nothing.
    static void AFX_CDECL Install();

    SIZE MeasureTip(TOOLITEM* pTool) override;
    void DrawTip(CDC* pDC, TOOLITEM* pTool, RECT rc) override;

    // The element of the last measured text; null when it did not parse.
    CLVKMarkupUIElement* GetElement() const { return m_pElement; }
    CLVKMarkupContext* GetMarkupContext() const { return m_pMarkupContext; }

private:
    CLVKMarkupContext* m_pMarkupContext;
    CLVKMarkupUIElement* m_pElement = nullptr;
};
