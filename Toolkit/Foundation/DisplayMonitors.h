// Monitor and work-area rectangles. The multi-monitor entry points are bound
// at run time; when any is missing, every answer is the primary screen's.
#pragma once

#include "Framework.h"
#include "ModuleHandle.h"

class CLVKDisplayMonitors
{
public:
    static CLVKDisplayMonitors* AFX_CDECL GetGlobal();

    CLVKDisplayMonitors();
    virtual ~CLVKDisplayMonitors() = default;

    // The monitor's rectangle, or (0, 0, screen width, screen height) without one.
    RECT GetMonitorRect(HMONITOR hMonitor) const;
    // The monitor's work area, or the primary work area without one.
    RECT GetWorkArea(HMONITOR hMonitor) const;

    // A place on no monitor falls back to the primary screen.
    RECT GetMonitorRectFromPoint(POINT pt) const;
    RECT GetMonitorRectFromWindow(HWND hWnd) const;
    RECT GetMonitorRectFromRect(const RECT& rc) const;
    RECT GetWorkAreaFromPoint(POINT pt) const;
    RECT GetWorkAreaFromWindow(HWND hWnd) const;
    RECT GetWorkAreaFromRect(const RECT& rc) const;
    RECT GetWorkAreaFromWnd(const CWnd* pWnd) const;
    RECT GetWorkAreaFromCursor() const;

    // The current display mode of the window's monitor; FALSE when the window
    // is on no monitor or the entry points are missing.
    BOOL GetMonitorInfoAndSettings(HWND hWnd, MONITORINFOEXW& info, DEVMODEW& devMode) const;

    BOOL HasMultiMonitorSupport() const { return m_pfnGetMonitorInfo != nullptr; }

private:
    HMONITOR MonitorFromPoint(POINT pt) const;
    HMONITOR MonitorFromWindow(HWND hWnd) const;
    HMONITOR MonitorFromRect(const RECT& rc) const;

    CLVKModuleHandle m_user32;
    int(WINAPI* m_pfnGetSystemMetrics)(int) = nullptr;
    HMONITOR(WINAPI* m_pfnMonitorFromWindow)(HWND, DWORD) = nullptr;
    HMONITOR(WINAPI* m_pfnMonitorFromRect)(LPCRECT, DWORD) = nullptr;
    HMONITOR(WINAPI* m_pfnMonitorFromPoint)(POINT, DWORD) = nullptr;
    BOOL(WINAPI* m_pfnGetMonitorInfo)(HMONITOR, LPMONITORINFO) = nullptr;
    BOOL(WINAPI* m_pfnEnumDisplaySettings)(LPCWSTR, DWORD, DEVMODEW*) = nullptr;
};
