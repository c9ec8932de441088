// Four edge lengths in pixels: margins, padding, border widths, corners.
#pragma once

#include "Markup/MarkupType.h"

class CLVKMarkupThickness : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupThickness() = default;
    explicit CLVKMarkupThickness(int n) : m_nLeft(n), m_nTop(n), m_nRight(n), m_nBottom(n) {}
    CLVKMarkupThickness(int nHorizontal, int nVertical)
        : m_nLeft(nHorizontal), m_nTop(nVertical), m_nRight(nHorizontal), m_nBottom(nVertical)
    {
    }
    CLVKMarkupThickness(int nLeft, int nTop, int nRight, int nBottom)
        : m_nLeft(nLeft), m_nTop(nTop), m_nRight(nRight), m_nBottom(nBottom)
    {
    }

    BOOL IsEqual(const CLVKMarkupObject* pOther) const override;
    CLVKMarkupObject* ConvertFrom(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pValue) override;

    // The rectangle inside the thickness, never with a negative size.
    static RECT AFX_CDECL DeflateRect(int nLeft, int nTop, int nRight, int nBottom,
                                      const CLVKMarkupThickness* pThickness);

    int m_nLeft = 0;
    int m_nTop = 0;
    int m_nRight = 0;
    int m_nBottom = 0;

protected:
    DECLARE_DISPATCH_MAP()
};
