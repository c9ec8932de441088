// A colour: alpha in the top byte above a COLORREF (0xAABBGGRR).
#pragma once

#include "Markup/MarkupType.h"

class CLVKMarkupColor : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupColor() = default;
    explicit CLVKMarkupColor(COLORREF clr) : m_nColor(0xFF000000u | (clr & 0xFFFFFFu)) {}
    CLVKMarkupColor(BYTE nAlpha, COLORREF clr) : m_nColor((static_cast<DWORD>(nAlpha) << 24) | (clr & 0xFFFFFFu)) {}

    DWORD GetARGB() const { return m_nColor; }
    COLORREF GetColor() const { return m_nColor & 0xFFFFFFu; }
    BYTE GetAlpha() const { return static_cast<BYTE>(m_nColor >> 24); }

    BOOL IsEqual(const CLVKMarkupObject* pOther) const override
    {
        return pOther && pOther->GetType() == GetMarkupType() &&
               static_cast<const CLVKMarkupColor*>(pOther)->m_nColor == m_nColor;
    }
    CLVKMarkupObject* ConvertFrom(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pValue) override;
    // The colour written as element text ("Color" element).
    void SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent) override;

private:
    DWORD m_nColor = 0xFF000000u;
};
