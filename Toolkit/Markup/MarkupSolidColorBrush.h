// A brush of one colour ("Color", 0xAABBGGRR).
#pragma once

#include "Markup/MarkupBrush.h"

class CLVKMarkupSolidColorBrush : public CLVKMarkupBrush
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupSolidColorBrush();
    CLVKMarkupSolidColorBrush(BYTE nAlpha, COLORREF clr);
    // Opaque.
    explicit CLVKMarkupSolidColorBrush(COLORREF clr);

    COLORREF GetColor() const override;
    // All 32 bits, 0 when unset.
    DWORD GetARGB() const;
    // Equal when all 32 bits (alpha included) are equal.
    BOOL IsEqual(const CLVKMarkupObject* pOther) const override;

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pColorProperty;
};
