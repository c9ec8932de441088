// CLVKScrollBarThemeOfficeXP: the visual-style theme with the toolkit's
// Office XP colours. CLVKScrollBarThemeOffice2003 is the same look.
#pragma once

#include "Controls/ScrollBarThemeWindowsUx.h"

class CLVKScrollBarThemeOfficeXP : public CLVKScrollBarThemeWindowsUx
{
public:
    CLVKScrollBarThemeOfficeXP();
    void RefreshMetrics() override;
};

class CLVKScrollBarThemeOffice2003 : public CLVKScrollBarThemeOfficeXP
{
};
