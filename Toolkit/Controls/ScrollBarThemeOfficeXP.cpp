#include "Controls/ScrollBarThemeOfficeXP.h"

#include "Foundation/ColorManager.h"

CLVKScrollBarThemeOfficeXP::CLVKScrollBarThemeOfficeXP()
{
    CLVKScrollBarThemeOfficeXP::RefreshMetrics();
}

void CLVKScrollBarThemeOfficeXP::RefreshMetrics()
{
    CLVKScrollBarThemeWindowsUx::RefreshMetrics();
    m_clrA = GetToolkitColor(33);
    m_clrB = GetToolkitColor(31);
    m_clrLightEdge = GetToolkitColor(32);
}
