// CLVKScrollBarThemeVisualStudio2015: the Visual Studio 2012 drawing with the
// colours of the resource theme's "Common.ScrollBar" section, read at each draw.
#pragma once

#include "Controls/ScrollBarThemeVisualStudio2012.h"

class CLVKScrollBarThemeVisualStudio2015 : public CLVKScrollBarThemeVisualStudio2012
{
public:
    Colors GetColors(const CLVKScrollBase* pScroll) const override;
};
