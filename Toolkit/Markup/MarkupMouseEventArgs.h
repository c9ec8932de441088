// Mouse arguments: the host window and the point in host client coordinates.
#pragma once

#include "Markup/MarkupRoutedEventArgs.h"

class CLVKMarkupMouseEventArgs : public CLVKMarkupRoutedEventArgs
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupMouseEventArgs(CLVKMarkupRoutedEvent* pEvent, CLVKMarkupObject* pSource, HWND hWnd = nullptr, int x = 0,
                             int y = 0)
        : CLVKMarkupRoutedEventArgs(pEvent, pSource), m_hWnd(hWnd), m_x(x), m_y(y)
    {
    }

    HWND GetWindow() const { return m_hWnd; }
    int GetX() const { return m_x; }
    int GetY() const { return m_y; }
    // The point in the element's own coordinates.
    POINT GetPosition(CLVKMarkupObject* pElement) const;

private:
    HWND m_hWnd;
    int m_x;
    int m_y;
};

class CLVKMarkupMouseButtonEventArgs : public CLVKMarkupMouseEventArgs
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    using CLVKMarkupMouseEventArgs::CLVKMarkupMouseEventArgs;
};

// No routed event; carries the wheel delta.
class CLVKMarkupMouseWheelEventArgs : public CLVKMarkupRoutedEventArgs
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupMouseWheelEventArgs(CLVKMarkupObject* pSource, int nDelta)
        : CLVKMarkupRoutedEventArgs(nullptr, pSource), m_nDelta(nDelta)
    {
    }
    int GetDelta() const { return m_nDelta; }

private:
    int m_nDelta;
};

class CLVKMarkupQueryCursorEventArgs : public CLVKMarkupRoutedEventArgs
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    explicit CLVKMarkupQueryCursorEventArgs(CLVKMarkupObject* pSource) : CLVKMarkupRoutedEventArgs(nullptr, pSource) {}
    HCURSOR m_hCursor = nullptr;
};
