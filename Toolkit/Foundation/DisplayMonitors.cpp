#include "DisplayMonitors.h"

#include "SingletonPointer.h"

CLVKDisplayMonitors* AFX_CDECL CLVKDisplayMonitors::GetGlobal()
{
    return LVKGetSingleton<CLVKDisplayMonitors>();
}

CLVKDisplayMonitors::CLVKDisplayMonitors() : m_user32(L"User32.dll")
{
    const BOOL bAll = m_user32.GetProcAddressChecked(m_pfnGetSystemMetrics, "GetSystemMetrics") &&
                      m_user32.GetProcAddressChecked(m_pfnMonitorFromWindow, "MonitorFromWindow") &&
                      m_user32.GetProcAddressChecked(m_pfnMonitorFromRect, "MonitorFromRect") &&
                      m_user32.GetProcAddressChecked(m_pfnMonitorFromPoint, "MonitorFromPoint") &&
                      m_user32.GetProcAddressChecked(m_pfnGetMonitorInfo, "GetMonitorInfoW") &&
                      m_user32.GetProcAddressChecked(m_pfnEnumDisplaySettings, "EnumDisplaySettingsW");
    if (bAll)
        return;
    // A system without all of them is treated as single-screen throughout.
    m_pfnGetSystemMetrics = nullptr;
    m_pfnMonitorFromWindow = nullptr;
    m_pfnMonitorFromRect = nullptr;
    m_pfnMonitorFromPoint = nullptr;
    m_pfnGetMonitorInfo = nullptr;
    m_pfnEnumDisplaySettings = nullptr;
}

HMONITOR CLVKDisplayMonitors::MonitorFromPoint(POINT pt) const
{
    return m_pfnMonitorFromPoint ? m_pfnMonitorFromPoint(pt, MONITOR_DEFAULTTONULL) : nullptr;
}

HMONITOR CLVKDisplayMonitors::MonitorFromWindow(HWND hWnd) const
{
    return m_pfnMonitorFromWindow && hWnd ? m_pfnMonitorFromWindow(hWnd, MONITOR_DEFAULTTONULL) : nullptr;
}

HMONITOR CLVKDisplayMonitors::MonitorFromRect(const RECT& rc) const
{
    return m_pfnMonitorFromRect ? m_pfnMonitorFromRect(&rc, MONITOR_DEFAULTTONULL) : nullptr;
}

RECT CLVKDisplayMonitors::GetMonitorRect(HMONITOR hMonitor) const
{
    if (hMonitor && m_pfnGetMonitorInfo)
    {
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        if (m_pfnGetMonitorInfo(hMonitor, &info))
            return info.rcMonitor;
    }
    RECT rc{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    return rc;
}

RECT CLVKDisplayMonitors::GetWorkArea(HMONITOR hMonitor) const
{
    if (hMonitor && m_pfnGetMonitorInfo)
    {
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        if (m_pfnGetMonitorInfo(hMonitor, &info))
            return info.rcWork;
    }
    RECT rc{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &rc, 0);
    return rc;
}

RECT CLVKDisplayMonitors::GetMonitorRectFromPoint(POINT pt) const
{
    return GetMonitorRect(MonitorFromPoint(pt));
}

RECT CLVKDisplayMonitors::GetMonitorRectFromWindow(HWND hWnd) const
{
    return GetMonitorRect(MonitorFromWindow(hWnd));
}

RECT CLVKDisplayMonitors::GetMonitorRectFromRect(const RECT& rc) const
{
    return GetMonitorRect(MonitorFromRect(rc));
}

RECT CLVKDisplayMonitors::GetWorkAreaFromPoint(POINT pt) const
{
    return GetWorkArea(MonitorFromPoint(pt));
}

RECT CLVKDisplayMonitors::GetWorkAreaFromWindow(HWND hWnd) const
{
    return GetWorkArea(MonitorFromWindow(hWnd));
}

RECT CLVKDisplayMonitors::GetWorkAreaFromRect(const RECT& rc) const
{
    return GetWorkArea(MonitorFromRect(rc));
}

RECT CLVKDisplayMonitors::GetWorkAreaFromWnd(const CWnd* pWnd) const
{
    return GetWorkAreaFromWindow(pWnd ? pWnd->GetSafeHwnd() : nullptr);
}

RECT CLVKDisplayMonitors::GetWorkAreaFromCursor() const
{
    POINT pt{};
    GetCursorPos(&pt);
    return GetWorkAreaFromPoint(pt);
}

BOOL CLVKDisplayMonitors::GetMonitorInfoAndSettings(HWND hWnd, MONITORINFOEXW& info, DEVMODEW& devMode) const
{
    if (!m_pfnGetMonitorInfo || !m_pfnEnumDisplaySettings || !m_pfnMonitorFromWindow)
        return FALSE;
    const HMONITOR hMonitor = MonitorFromWindow(hWnd);
    if (!hMonitor)
        return FALSE;
    info = MONITORINFOEXW{};
    info.cbSize = sizeof(info);
    if (!m_pfnGetMonitorInfo(hMonitor, &info))
        return FALSE;
    if (devMode.dmSize == 0)
        devMode.dmSize = sizeof(devMode);
    return m_pfnEnumDisplaySettings(info.szDevice, ENUM_CURRENT_SETTINGS, &devMode);
}
