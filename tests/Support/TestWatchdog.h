#pragma once
// Ends a test program whose current test runs too long, after saying which
// test it was and which dialogs of the program are open (a box that nobody
// answers is the usual reason), so that one hung test costs minutes, not the
// whole run's time limit. The limit is LORVANE_TEST_CASE_TIMEOUT seconds
// (default 300; 0 turns the watchdog off): well above the limit of any one
// wait of a test (kHungWaitMs, Waiting.h), so that a wait that hangs fails
// with its own message first, and below the limit of a whole test program
// (tests/run-under-wine.sh).
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

class TestWatchdog : public ::testing::EmptyTestEventListener
{
public:
    static constexpr DWORD kDefaultLimitMs = 300000;

    TestWatchdog();
    ~TestWatchdog() override;

    void OnTestStart(const ::testing::TestInfo& test) override;
    void OnTestEnd(const ::testing::TestInfo& test) override;

private:
    void Run();
    void ReportAndEnd();

    DWORD m_limitMs = kDefaultLimitMs;
    // Set when the program ends, so that the watchdog thread ends at once.
    HANDLE m_stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<ULONGLONG> m_startedAt{0};  // 0: no test running
    std::string m_testName;
    std::thread m_thread;
};
