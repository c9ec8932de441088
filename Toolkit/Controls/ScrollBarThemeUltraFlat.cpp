#include "Controls/ScrollBarThemeUltraFlat.h"

#include "Foundation/ColorManager.h"

CLVKScrollBarThemeUltraFlat::CLVKScrollBarThemeUltraFlat()
{
    CLVKScrollBarThemeUltraFlat::RefreshMetrics();
}

void CLVKScrollBarThemeUltraFlat::RefreshMetrics()
{
    CLVKScrollBarThemeFlat::RefreshMetrics();
    m_clrLightEdge = m_clrDarkEdge = GetToolkitColor(COLOR_BTNSHADOW);
    m_clrA = CLVKColorManager::BlendColors(GetToolkitColor(COLOR_BTNSHADOW), GetToolkitColor(COLOR_BTNFACE), 50);
    m_clrB = CLVKColorManager::BlendColors(GetToolkitColor(COLOR_BTNFACE), GetToolkitColor(COLOR_WINDOW), 30);
}
