// The colour and decoration of hyperlinks in a theme.
#pragma once

#include "ReportDefines.h"

class CLVKReportHyperlinkStyle : public CLVKCmdTarget
{
public:
    CLVKReportHyperlinkStyle(COLORREF clr = RGB(0, 0, 255), int nDecoration = 0)
        : m_clr(clr), m_nDecoration(nDecoration)
    {
    }

    COLORREF GetColor() const { return m_clr; }
    void SetColor(COLORREF clr) { m_clr = clr; }
    int GetTextDecoration() const { return m_nDecoration; }
    void SetTextDecoration(int nDecoration) { m_nDecoration = nDecoration; }

private:
    COLORREF m_clr;
    int m_nDecoration;
};
