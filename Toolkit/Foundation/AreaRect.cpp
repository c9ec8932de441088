#include "AreaRect.h"

CLVKClientAreaRect::CLVKClientAreaRect(const CWnd* pWnd)
    : CLVKClientAreaRect(pWnd ? pWnd->GetSafeHwnd() : static_cast<HWND>(nullptr))
{
}

CLVKClientAreaRect::CLVKClientAreaRect(HWND hWnd) : CRect(0, 0, 0, 0)
{
    if (hWnd && ::IsWindow(hWnd))
        ::GetClientRect(hWnd, this);
}

CLVKWindowAreaRect::CLVKWindowAreaRect(const CWnd* pWnd)
    : CLVKWindowAreaRect(pWnd ? pWnd->GetSafeHwnd() : static_cast<HWND>(nullptr))
{
}

CLVKWindowAreaRect::CLVKWindowAreaRect(HWND hWnd) : CRect(0, 0, 0, 0)
{
    if (hWnd && ::IsWindow(hWnd))
        ::GetWindowRect(hWnd, this);
}
