// A shape drawn from path data ("Data", or path data given as content).
#pragma once

#include "Markup/MarkupShape.h"

class CLVKMarkupPathData;

class CLVKMarkupPath : public CLVKMarkupShape
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupPathData* GetData() const;

    SIZE MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    void OnRender(CLVKMarkupDrawingContext* pDC) override;
    void SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent) override;

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pDataProperty;
};
