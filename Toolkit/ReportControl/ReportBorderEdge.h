// The line style of one side of a border.
#pragma once

#include "ReportDefines.h"

class CLVKReportBorderEdge : public CLVKCmdTarget
{
public:
    int GetLineStyle() const { return m_nLineStyle; }
    void SetLineStyle(int nStyle) { m_nLineStyle = nStyle; }

private:
    int m_nLineStyle = 0;
};
