// The colour values in which paint managers and themes keep their colours: a
// standard value set by the theme and a custom value set by the application,
// which wins. -1 means no colour.
#pragma once

#include "Framework.h"

class CLVKPaintManagerColor
{
public:
    CLVKPaintManagerColor() = default;
    explicit CLVKPaintManagerColor(COLORREF clrStandard) : m_clrStandard(clrStandard) {}
    virtual ~CLVKPaintManagerColor() = default;

    COLORREF GetColor() const { return m_clrCustom != static_cast<COLORREF>(-1) ? m_clrCustom : m_clrStandard; }
    operator COLORREF() const { return GetColor(); }

    COLORREF GetStandardColor() const { return m_clrStandard; }
    COLORREF GetCustomColor() const { return m_clrCustom; }
    void SetStandardValue(COLORREF clr) { m_clrStandard = clr; }
    void SetCustomValue(COLORREF clr) { m_clrCustom = clr; }
    BOOL IsDefaultValue() const { return m_clrCustom == static_cast<COLORREF>(-1); }
    BOOL IsStandardValue() const { return IsDefaultValue(); }
    BOOL IsCustomValue() const { return !IsDefaultValue(); }
    void SetDefaultValue() { m_clrCustom = static_cast<COLORREF>(-1); }

    // Standard, then custom, 4 bytes each.
    virtual void Serialize(CArchive& ar);

private:
    COLORREF m_clrStandard = static_cast<COLORREF>(-1);
    COLORREF m_clrCustom = static_cast<COLORREF>(-1);
};

class CLVKPaintManagerColorGradient
{
public:
    CLVKPaintManagerColorGradient() = default;
    explicit CLVKPaintManagerColorGradient(COLORREF clr) { SetStandardColor(clr); }
    CLVKPaintManagerColorGradient(COLORREF clr1, COLORREF clr2, float fFactor = 0.5f)
    {
        SetStandardColors(clr1, clr2, fFactor);
    }
    virtual ~CLVKPaintManagerColorGradient() = default;

    void SetStandardColors(COLORREF clr1, COLORREF clr2, float fFactor = 0.5f);
    // Both colours the same; factor 0.5.
    void SetStandardColor(COLORREF clr);
    // The other's effective colours become the standard values.
    void SetStandardFrom(const CLVKPaintManagerColorGradient& other);
    void SetCustomValue(COLORREF clr1, COLORREF clr2);
    void SetDefaultValue();

    BOOL IsNull() const { return GetFirst() == static_cast<COLORREF>(-1); }
    COLORREF GetFirst() const { return m_clr1.GetColor(); }
    COLORREF GetSecond() const { return m_clr2.GetColor(); }
    float GetFactor() const { return m_fFactor; }

    // Colour 1, colour 2, then the factor's 4 bytes.
    virtual void Serialize(CArchive& ar);

    CLVKPaintManagerColor m_clr1;
    CLVKPaintManagerColor m_clr2;
    float m_fFactor = 0.5f;
};
