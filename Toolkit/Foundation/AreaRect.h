// Rectangle and size initialisers: a window's client or window rectangle
// (empty for a null window or one that is not a window), and the empty ones.
#pragma once

#include "Framework.h"

class CLVKClientAreaRect : public CRect
{
public:
    explicit CLVKClientAreaRect(const CWnd* pWnd);
    explicit CLVKClientAreaRect(HWND hWnd);
};

// In screen coordinates.
class CLVKWindowAreaRect : public CRect
{
public:
    explicit CLVKWindowAreaRect(const CWnd* pWnd);
    explicit CLVKWindowAreaRect(HWND hWnd);
};

class CLVKNullRect : public CRect
{
public:
    CLVKNullRect() : CRect(0, 0, 0, 0) {}
};

class CLVKNullSize : public CSize
{
public:
    CLVKNullSize() : CSize(0, 0) {}
};
