// A flattened outline of lines and cubic Bézier curves: points with one
// type byte each (0 start, 1 line, 3 Bézier, 0x80 closes the figure).
#pragma once

#include "Markup/MarkupType.h"

#include <vector>

struct MARKUP_POINTF
{
    float x;
    float y;
};

class CLVKMarkupPathData : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupPathData() = default;
    CLVKMarkupPathData(const MARKUP_POINTF* pPoints, const BYTE* pTypes, int nCount);

    int GetCount() const { return static_cast<int>(m_points.size()); }
    const MARKUP_POINTF* GetPoints() const { return m_points.data(); }
    const BYTE* GetTypes() const { return m_types.data(); }
    int GetPixelOffsetMode() const { return m_nPixelOffsetMode; }
    void SetPixelOffsetMode(int nMode) { m_nPixelOffsetMode = nMode; }
    // The bounds of the points (floats truncated outwards).
    RECT GetBounds() const;
    // A copy stretched into (0, 0, width, height); an axis of zero extent
    // maps to 0.
    CLVKMarkupPathData* CreateStretched(int nWidth, int nHeight) const;

    // Set by the drawing layer on outlines it builds itself; carried into
    // stretched copies.
    int GetFigureFlags() const { return m_nFigureFlags; }
    void SetFigureFlags(int nFlags) { m_nFigureFlags = nFlags; }

    // Parses the path language; raises the position error.
    CLVKMarkupObject* ConvertFrom(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pValue) override;
    // A path geometry is kept as "PathGeometry" (it draws nothing).
    void SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent) override;

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pPathGeometryProperty;

private:
    std::vector<MARKUP_POINTF> m_points;
    std::vector<BYTE> m_types;
    int m_nPixelOffsetMode = 0;
    int m_nFigureFlags = 0;
};
