#include "ReportBorder.h"

namespace
{
void FillBand(CDC* pDC, const RECT& rc, COLORREF clr)
{
    if (rc.right <= rc.left || rc.bottom <= rc.top)
        return;
    HBRUSH hBrush = ::CreateSolidBrush(clr);
    ::FillRect(pDC->m_hDC, &rc, hBrush);
    ::DeleteObject(hBrush);
}
}  // namespace

CLVKReportBorderEdge* CLVKReportBorder::GetEdge(int nIndex)
{
    return nIndex >= 0 && nIndex < 4 ? &m_edges[nIndex] : nullptr;
}

RECT CLVKReportBorder::GetContentRect(RECT rc) const
{
    rc = CLVKReportThickness::Deflate(rc, &m_margin);
    rc = CLVKReportThickness::Deflate(rc, &m_border);
    return CLVKReportThickness::Deflate(rc, &m_padding);
}

SIZE CLVKReportBorder::GetSize() const
{
    const SIZE szMargin = m_margin.GetSize();
    const SIZE szBorder = m_border.GetSize();
    const SIZE szPadding = m_padding.GetSize();
    return SIZE{szMargin.cx + szBorder.cx + szPadding.cx, szMargin.cy + szBorder.cy + szPadding.cy};
}

void CLVKReportBorder::Draw(CDC* pDC, RECT rc)
{
    DrawHorizontalEdges(pDC, rc);
    DrawVerticalEdges(pDC, rc);
}

void CLVKReportBorder::DrawHorizontalEdges(CDC* pDC, RECT rc)
{
    if (rc.bottom < rc.top)
        return;
    const RECT rcBox = CLVKReportThickness::Deflate(rc, &m_margin);
    FillBand(pDC, RECT{rcBox.left, rcBox.top, rcBox.right, rcBox.top + m_border.GetTop()}, m_clrBorder);
    FillBand(pDC, RECT{rcBox.left, rcBox.bottom - m_border.GetBottom(), rcBox.right, rcBox.bottom}, m_clrBorder);
}

void CLVKReportBorder::DrawVerticalEdges(CDC* pDC, RECT rc)
{
    if (rc.bottom < rc.top)
        return;
    const RECT rcBox = CLVKReportThickness::Deflate(rc, &m_margin);
    FillBand(pDC, RECT{rcBox.left, rcBox.top, rcBox.left + m_border.GetLeft(), rcBox.bottom}, m_clrBorder);
    FillBand(pDC, RECT{rcBox.right - m_border.GetRight(), rcBox.top, rcBox.right, rcBox.bottom}, m_clrBorder);
}
