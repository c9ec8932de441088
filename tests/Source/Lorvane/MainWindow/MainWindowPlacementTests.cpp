// Where the main window opens and which rectangle it saves: the saved
// rectangle must bring the window back exactly where it was, also when a task
// bar on the top or left moves the work area away from the monitor's corner.
#include "Framework.h"

#include "MainWindowPlacement.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace
{
// A desktop of one monitor whose work area the test chooses. The window's
// normal position is reported as the platform reports it: in workspace
// coordinates, relative to the work area.
class SimulatedDesktop : public CMainWindowPlacement
{
public:
    SimulatedDesktop(const CRect& monitor, const CRect& work) : m_monitor(monitor), m_work(work) {}

    // The screen rectangle the window has now.
    CRect m_window{0, 0, 0, 0};

protected:
    bool GetPrimaryWorkArea(CRect& work) override
    {
        work = m_work;
        return true;
    }
    CRect GetPrimaryScreen() override { return m_monitor; }
    bool GetNearestMonitor(const CRect&, CRect& monitor, CRect& work) override
    {
        monitor = m_monitor;
        work = m_work;
        return true;
    }
    bool GetNormalPosition(HWND, CRect& normal) override
    {
        normal = m_window;
        normal.OffsetRect(m_monitor.left - m_work.left, m_monitor.top - m_work.top);
        return true;
    }

private:
    CRect m_monitor;
    CRect m_work;
};

const CSize kTemplateSize(480, 520);
const int kExtraHeight = 50;
const CSize kMinimumSize(400, 300);

struct DesktopCase
{
    const char* name;
    CRect monitor;
    CRect work;
};

const DesktopCase kDesktops[] = {
    {"task bar at the bottom", CRect(0, 0, 1280, 1024), CRect(0, 0, 1280, 984)},
    {"task bar at the top", CRect(0, 0, 1280, 1024), CRect(0, 40, 1280, 1024)},
    {"task bar on the left", CRect(0, 0, 1280, 1024), CRect(62, 0, 1280, 1024)},
    {"monitor left of the primary, task bar on top", CRect(-1280, 0, 0, 1024), CRect(-1280, 30, 0, 1024)},
};

TEST(MainWindowPlacement, TheSavedRectangleBringsTheWindowBackWhereItWas)
{
    for (const DesktopCase& desktop : kDesktops)
    {
        SCOPED_TRACE(desktop.name);
        SimulatedDesktop placement(desktop.monitor, desktop.work);
        const CRect first(desktop.work.left + 100, desktop.work.top + 150, desktop.work.left + 700,
                          desktop.work.top + 650);
        CRect saved = first;
        // Several starts in a row: a drift would add up.
        for (int start = 0; start < 3; ++start)
        {
            SCOPED_TRACE(start);
            placement.m_window = placement.GetStartRect(saved, kTemplateSize, kExtraHeight, kMinimumSize);
            EXPECT_EQ(first, placement.m_window);
            ASSERT_TRUE(placement.GetSavedRect(nullptr, saved));
            EXPECT_EQ(first, saved);
        }
    }
}

TEST(MainWindowPlacement, StartRectangle)
{
    const CRect monitor(0, 0, 1280, 1024);
    const CRect work(0, 40, 1280, 1024);
    const int defaultHeight = kTemplateSize.cy + kExtraHeight;
    const struct
    {
        const char* name;
        CRect saved;
        CRect expected;
    } cases[] = {
        {"without a saved rectangle the window is centred in the work area", CRect(0, 0, 0, 0),
         CRect(400, 40 + (984 - defaultHeight) / 2, 880, 40 + (984 - defaultHeight) / 2 + defaultHeight)},
        {"a saved rectangle that fits is used as it is", CRect(100, 150, 700, 650), CRect(100, 150, 700, 650)},
        {"a saved position without a size keeps the position with the default size", CRect(100, 150, 100, 150),
         CRect(100, 150, 580, 150 + defaultHeight)},
        {"a rectangle off the work area is pulled inside", CRect(1000, 900, 1600, 1400), CRect(680, 524, 1280, 1024)},
        {"a rectangle above the work area comes down to it", CRect(100, 0, 700, 500), CRect(100, 40, 700, 540)},
        {"a rectangle wider than the work area takes its width at its left edge", CRect(300, 100, 1700, 600),
         CRect(0, 100, 1280, 600)},
        {"a rectangle taller than the work area takes its height at its top", CRect(100, 100, 700, 1200),
         CRect(100, 40, 700, 1024)},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        SimulatedDesktop placement(monitor, work);
        EXPECT_EQ(c.expected, placement.GetStartRect(c.saved, kTemplateSize, kExtraHeight, kMinimumSize));
    }
}

TEST(MainWindowPlacement, AWorkAreaSmallerThanTheMinimumSizeKeepsTheMinimum)
{
    SimulatedDesktop placement(CRect(0, 0, 800, 600), CRect(0, 0, 800, 560));
    EXPECT_EQ(CRect(0, 10, 900, 510),
              placement.GetStartRect(CRect(10, 10, 1210, 510), kTemplateSize, kExtraHeight, CSize(900, 300)));
}

// The real queries on a real window. Wine's work area starts at the
// monitor's corner, so this shows the plain case only; the simulated desktops
// above cover task bars on the top and left.
TEST(MainWindowPlacement, TheRealWindowsNormalRectangleIsSavedInScreenCoordinates)
{
    const HWND window = CreateWindowExW(0, L"STATIC", L"placement test", WS_POPUP | WS_CAPTION, 110, 130, 300, 200,
                                        nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, window);
    CMainWindowPlacement placement;
    CRect saved;
    ASSERT_TRUE(placement.GetSavedRect(window, saved));
    RECT screen{};
    GetWindowRect(window, &screen);
    EXPECT_EQ(CRect(screen), saved);

    // Minimised, the normal rectangle is still the one to save.
    ShowWindow(window, SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(placement.GetSavedRect(window, saved));
    EXPECT_EQ(CRect(screen), saved);
    DestroyWindow(window);
}
}  // namespace
