// CLVKScrollBarThemeResource: the scroll bar drawn from the images of the
// loaded resource theme. Without a loaded theme it draws nothing.
#pragma once

#include "Controls/ScrollBarPaintManager.h"

class CLVKScrollBarThemeResource : public CLVKScrollBarPaintManager
{
public:
    void DrawScrollBar(CDC* pDC, CLVKScrollBase* pScroll) override;
};
