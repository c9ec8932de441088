// The width of a grid column or the height of a grid row: a number of
// pixels, a share of the room left ("*", "2*") or "Auto" (as large as the
// content).
#pragma once

#include "Markup/MarkupType.h"

class CLVKMarkupGridLength : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    enum
    {
        kAuto = 0,
        kPixel = 1,
        kStar = 2,
    };

    explicit CLVKMarkupGridLength(double dValue = 0, int nUnit = kPixel) : m_dValue(dValue), m_nUnit(nUnit) {}

    double GetValue() const { return m_dValue; }
    int GetUnit() const { return m_nUnit; }
    BOOL IsAuto() const { return m_nUnit == kAuto; }
    BOOL IsStar() const { return m_nUnit == kStar; }

    BOOL IsEqual(const CLVKMarkupObject* pOther) const override
    {
        return pOther && pOther->GetType() == GetMarkupType() &&
               static_cast<const CLVKMarkupGridLength*>(pOther)->m_dValue == m_dValue &&
               static_cast<const CLVKMarkupGridLength*>(pOther)->m_nUnit == m_nUnit;
    }
    // "Auto", "*", "n*" or a number of pixels; numbers are scaled by the
    // context's horizontal DPI factor (star weights keep their proportions).
    CLVKMarkupObject* ConvertFrom(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pValue) override;

private:
    double m_dValue;
    int m_nUnit;
};
