#include "PaintManagerColor.h"

void CLVKPaintManagerColor::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << static_cast<DWORD>(m_clrStandard) << static_cast<DWORD>(m_clrCustom);
    else
    {
        DWORD dwStandard = 0;
        DWORD dwCustom = 0;
        ar >> dwStandard >> dwCustom;
        m_clrStandard = dwStandard;
        m_clrCustom = dwCustom;
    }
}

void CLVKPaintManagerColorGradient::SetStandardColors(COLORREF clr1, COLORREF clr2, float fFactor)
{
    m_clr1.SetStandardValue(clr1);
    m_clr2.SetStandardValue(clr2);
    m_fFactor = fFactor;
}

void CLVKPaintManagerColorGradient::SetStandardColor(COLORREF clr)
{
    SetStandardColors(clr, clr, 0.5f);
}

void CLVKPaintManagerColorGradient::SetStandardFrom(const CLVKPaintManagerColorGradient& other)
{
    SetStandardColors(other.GetFirst(), other.GetSecond(), other.m_fFactor);
}

void CLVKPaintManagerColorGradient::SetCustomValue(COLORREF clr1, COLORREF clr2)
{
    m_clr1.SetCustomValue(clr1);
    m_clr2.SetCustomValue(clr2);
}

void CLVKPaintManagerColorGradient::SetDefaultValue()
{
    m_clr1.SetDefaultValue();
    m_clr2.SetDefaultValue();
}

void CLVKPaintManagerColorGradient::Serialize(CArchive& ar)
{
    m_clr1.Serialize(ar);
    m_clr2.Serialize(ar);
    if (ar.IsStoring())
        ar << m_fFactor;
    else
        ar >> m_fFactor;
}
