// One colour of a gradient at an offset from 0 to 1.
#pragma once

#include "Markup/MarkupType.h"

class CLVKMarkupGradientStop : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    // 0xAABBGGRR, 0 when unset.
    DWORD GetColor() const;
    double GetOffset() const;

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pColorProperty;
    static CLVKMarkupDependencyProperty* m_pOffsetProperty;
};
