#include "MainWindowPlacement.h"

#include <algorithm>

namespace
{
// The left (or top) edge of a length placed within [low, high): as saved when
// it fits, pulled inside otherwise, at low when it is as long as the range.
int PlaceWithin(int saved, int length, int low, int high)
{
    if (length < high - low)
        return std::min(std::max(saved, low), high - length);
    return low;
}
}  // namespace

CRect CMainWindowPlacement::GetStartRect(const CRect& saved, CSize current, int extraHeight, CSize minimum)
{
    const bool hasSaved = !saved.IsRectNull();
    const bool hasSavedSize = saved.Width() > 0 && saved.Height() > 0;
    int width = hasSavedSize ? saved.Width() : current.cx;
    int height = hasSavedSize ? saved.Height() : current.cy + extraHeight;

    CRect work;
    if (!GetPrimaryWorkArea(work))
        work = GetPrimaryScreen();

    if (!hasSaved)
    {
        const int x = work.left + (work.Width() - width) / 2;
        const int y = work.top + (work.Height() - height) / 2;
        return CRect(x, y, x + width, y + height);
    }

    CRect monitor;
    CRect monitorWork;
    const CRect candidate(saved.left, saved.top, saved.left + width, saved.top + height);
    if (GetNearestMonitor(candidate, monitor, monitorWork))
        work = monitorWork;
    if (work.Width() < width)
        width = std::max(static_cast<int>(work.Width()), static_cast<int>(minimum.cx));
    if (work.Height() < height)
        height = std::max(static_cast<int>(work.Height()), static_cast<int>(minimum.cy));
    const int x = PlaceWithin(saved.left, width, work.left, work.right);
    const int y = PlaceWithin(saved.top, height, work.top, work.bottom);
    return CRect(x, y, x + width, y + height);
}

bool CMainWindowPlacement::GetSavedRect(HWND window, CRect& saved)
{
    CRect normal;
    if (!GetNormalPosition(window, normal))
        return false;
    // Workspace coordinates leave out what task bars take of the monitor: a
    // task bar on the top or left shifts them against the screen by its size.
    // Saved as they are, the window would move by that much at every start.
    saved = normal;
    // A tool window's normal position is in screen coordinates already.
    if (window && (::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
        return true;
    CRect monitor;
    CRect work;
    if (GetNearestMonitor(normal, monitor, work))
        saved.OffsetRect(work.left - monitor.left, work.top - monitor.top);
    return true;
}

bool CMainWindowPlacement::GetPrimaryWorkArea(CRect& work)
{
    RECT area{};
    if (!::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0))
        return false;
    work = area;
    return true;
}

CRect CMainWindowPlacement::GetPrimaryScreen()
{
    return CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}

bool CMainWindowPlacement::GetNearestMonitor(const CRect& rect, CRect& monitor, CRect& work)
{
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    const RECT area = rect;
    if (!::GetMonitorInfoW(::MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST), &info))
        return false;
    monitor = info.rcMonitor;
    work = info.rcWork;
    return true;
}

bool CMainWindowPlacement::GetNormalPosition(HWND window, CRect& normal)
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!::GetWindowPlacement(window, &placement))
        return false;
    normal = placement.rcNormalPosition;
    return true;
}
