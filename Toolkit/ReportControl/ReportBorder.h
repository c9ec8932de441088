// A box around a section: an outer margin, a border drawn in one colour and
// an inner padding.
#pragma once

#include "ReportBorderEdge.h"
#include "ReportThickness.h"

class CLVKReportBorder : public CLVKCmdTarget
{
public:
    virtual void Draw(CDC* pDC, RECT rc);
    virtual void DrawHorizontalEdges(CDC* pDC, RECT rc);
    virtual void DrawVerticalEdges(CDC* pDC, RECT rc);

    // 0 left, 1 top, 2 right, 3 bottom; null for anything else.
    CLVKReportBorderEdge* GetEdge(int nIndex);
    RECT GetContentRect(RECT rc) const;
    SIZE GetSize() const;
    CLVKReportThickness* GetMargin() { return &m_margin; }
    CLVKReportThickness* GetBorderThickness() { return &m_border; }
    CLVKReportThickness* GetPadding() { return &m_padding; }
    void SetBorderColor(COLORREF clr) { m_clrBorder = clr; }
    COLORREF GetBorderColor() const { return m_clrBorder; }
    void SetBackgroundColor(COLORREF clr) { m_clrBackground = clr; }
    COLORREF GetBackgroundColor() const { return m_clrBackground; }

private:
    COLORREF m_clrBackground = static_cast<COLORREF>(-1);
    COLORREF m_clrBorder = 0;
    CLVKReportBorderEdge m_edges[4];
    CLVKReportThickness m_margin;
    CLVKReportThickness m_border;
    CLVKReportThickness m_padding;
};
