// CLVKScrollBarThemeUltraFlat: the flat look with one-colour borders.
#pragma once

#include "Controls/ScrollBarThemeFlat.h"

class CLVKScrollBarThemeUltraFlat : public CLVKScrollBarThemeFlat
{
public:
    CLVKScrollBarThemeUltraFlat();
    void RefreshMetrics() override;
};
