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

public:
    // Script member "Color": opaque black when unset; a value below
    // 0x1000000 is stored opaque, any other keeps its top byte as alpha.
    long OleGetColor();
    void OleSetColor(const VARIANT& color);

protected:
    DECLARE_DISPATCH_MAP()
};
