// Integer points ("Points" of polylines and polygons) with their bounds.
#pragma once

#include "Markup/MarkupType.h"

#include <vector>

class CLVKMarkupPointCollection : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupPointCollection() = default;
    CLVKMarkupPointCollection(const POINT* pPoints, int nCount);

    int GetCount() const { return static_cast<int>(m_points.size()); }
    const POINT* GetPoints() const { return m_points.data(); }
    const RECT& GetBounds() const { return m_rcBounds; }
    // The points moved from their bounds into (0, 0, width, height); an
    // axis along which all points lie at one value is left as it is.
    void StretchPoints(std::vector<POINT>& result, int nWidth, int nHeight) const;

    // Pairs "x,y" separated by spaces; scaled by the context's DPI factors.
    CLVKMarkupObject* ConvertFrom(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pValue) override;

private:
    void ComputeBounds();

    std::vector<POINT> m_points;
    RECT m_rcBounds = {0, 0, 0, 0};
};
