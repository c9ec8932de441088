// Four side widths in pixels: a margin, a border or a padding.
#pragma once

#include "ReportDefines.h"

class CLVKReportThickness : public CLVKCmdTarget
{
public:
    void Set(int nLeft, int nTop, int nRight, int nBottom)
    {
        m_nLeft = nLeft;
        m_nTop = nTop;
        m_nRight = nRight;
        m_nBottom = nBottom;
    }
    void SetRight(int nRight) { m_nRight = nRight; }
    void SetBottom(int nBottom) { m_nBottom = nBottom; }
    int GetLeft() const { return m_nLeft; }
    int GetTop() const { return m_nTop; }
    int GetRight() const { return m_nRight; }
    int GetBottom() const { return m_nBottom; }
    SIZE GetSize() const { return SIZE{m_nLeft + m_nRight, m_nTop + m_nBottom}; }
    // The rectangle less the thickness; a null thickness leaves it as it is.
    static RECT Deflate(RECT rc, const CLVKReportThickness* pThickness)
    {
        if (!pThickness)
            return rc;
        return RECT{rc.left + pThickness->m_nLeft, rc.top + pThickness->m_nTop, rc.right - pThickness->m_nRight,
                    rc.bottom - pThickness->m_nBottom};
    }

private:
    int m_nLeft = 0;
    int m_nTop = 0;
    int m_nRight = 0;
    int m_nBottom = 0;
};
