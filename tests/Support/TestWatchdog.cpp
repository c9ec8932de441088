#include "TestWatchdog.h"

#include "CapturedDialog.h"
#include "Waiting.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

static_assert(TestWatchdog::kDefaultLimitMs > 2 * kHungWaitMs,
              "a wait that hangs must fail with its own message before the watchdog ends the program");

namespace
{

std::mutex g_nameLock;

std::string Utf8(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &result[0], size, nullptr, nullptr);
    return result;
}

BOOL CALLBACK CollectOwnDialog(HWND window, LPARAM param)
{
    wchar_t name[16]{};
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == GetCurrentProcessId() && IsWindowVisible(window) &&
        GetClassNameW(window, name, static_cast<int>(std::size(name))) && wcscmp(name, L"#32770") == 0)
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

}  // namespace

TestWatchdog::TestWatchdog()
{
    if (const char* const setting = getenv("LORVANE_TEST_CASE_TIMEOUT"))
        m_limitMs = static_cast<DWORD>(strtoul(setting, nullptr, 10) * 1000);
    if (m_limitMs)
        m_thread = std::thread([this] { Run(); });
}

TestWatchdog::~TestWatchdog()
{
    SetEvent(m_stop);
    if (m_thread.joinable())
        m_thread.join();
    CloseHandle(m_stop);
}

void TestWatchdog::OnTestStart(const ::testing::TestInfo& test)
{
    {
        std::lock_guard<std::mutex> lock(g_nameLock);
        m_testName = std::string(test.test_suite_name()) + "." + test.name();
    }
    m_startedAt = GetTickCount64();
}

void TestWatchdog::OnTestEnd(const ::testing::TestInfo&)
{
    m_startedAt = 0;
}

void TestWatchdog::Run()
{
    while (WaitForSingleObject(m_stop, 500) == WAIT_TIMEOUT)
    {
        const ULONGLONG startedAt = m_startedAt;
        if (startedAt && GetTickCount64() - startedAt > m_limitMs)
            ReportAndEnd();
    }
}

void TestWatchdog::ReportAndEnd()
{
    std::string name;
    {
        std::lock_guard<std::mutex> lock(g_nameLock);
        name = m_testName;
    }
    fprintf(stderr, "\nTIMEOUT: %s did not end within %lu s; the test program is ended.\n", name.c_str(),
            m_limitMs / 1000);
    std::vector<HWND> dialogs;
    EnumWindows(CollectOwnDialog, reinterpret_cast<LPARAM>(&dialogs));
    for (const HWND window : dialogs)
    {
        const CapturedDialog dialog = ReadDialog(window);
        fprintf(stderr, "  open dialog \"%s\": \"%s\"\n", Utf8(dialog.title).c_str(), Utf8(dialog.text).c_str());
    }
    fflush(stderr);
    fflush(stdout);
    TerminateProcess(GetCurrentProcess(), 0xDEAD0001);
}
