// How shapes and borders stroke a line: thickness in device pixels, brush,
// dash pattern, caps and join (the GDI device reads thickness and brush).
#pragma once

#include "Framework.h"

class CLVKMarkupBrush;
class CLVKMarkupDoubleCollection;

struct MarkupStrokeStyle
{
    int nThickness = 0;
    CLVKMarkupBrush* pBrush = nullptr;
    CLVKMarkupDoubleCollection* pDashArray = nullptr;
    int nStartCap = 0;
    int nEndCap = 0;
    int nLineJoin = 0;
};
