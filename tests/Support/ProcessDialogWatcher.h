#pragma once
// Captures the message boxes, task dialogs and other dialogs ("#32770") that
// ANOTHER process shows (the Lorvane.exe a test started) and answers each with
// the button the test chose:
//
//   ProcessDialogWatcher boxes;
//   boxes.QueueAnswer(IDOK);
//   boxes.SetFilter([](const CapturedDialog& d) { return d.isMessageBox; });
//   RunOptions options;
//   options.dialogs = &boxes;
//   const RunResult run = RunProgram(L"Lorvane.exe", {L"P:", L"C:\\missing"}, options);
//   ASSERT_EQ(1u, boxes.Count());
//   EXPECT_EQ(L"The exact error text.", boxes.Dialogs()[0].text);
//
// A thread of its own looks at the visible top-level dialog windows of the
// watched processes every few milliseconds, records each new one and posts it
// the click of the chosen button. Only watched processes are touched: other
// programs on the same display are left alone. Watching GetCurrentProcessId()
// captures the boxes of every thread of this process.
#include "DialogRecorder.h"

#include <atomic>
#include <thread>

class ProcessDialogWatcher : public DialogRecorder
{
public:
    explicit ProcessDialogWatcher(int defaultAnswer = IDCANCEL);
    ~ProcessDialogWatcher();

    // Starts watching a process (any number of them).
    void Watch(DWORD processId);
    // Also watches the processes that watched processes start (for example
    // the copy a program starts with "runas").
    void WatchDescendants(bool on = true) { m_descendants = on; }
    // Waits until the watcher has looked at every window at least once since
    // the call: a test that must show that a dialog which is up now is left
    // alone waits for this instead of for a fixed time.
    bool WaitForFullLook(DWORD timeoutMs = kHungWaitMs) const;

private:
    void Run();
    bool IsWatched(DWORD processId);

    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_descendants{false};
    // Looks completed (each over all the top-level windows).
    std::atomic<unsigned> m_looks{0};
    std::mutex m_processLock;
    std::set<DWORD> m_processes;
    std::set<DWORD> m_notDescendants;
    std::thread m_thread;
};
