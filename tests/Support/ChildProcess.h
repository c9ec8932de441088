#pragma once
// Starting the built programs (Lorvane.exe, LorvaneHelper32.exe) from a test:
// every executable of the build lands in one folder, so a program is found
// beside the running test executable.
#include "Waiting.h"

#include <windows.h>

#include <string>
#include <vector>

// The folder of the running test executable, without a trailing backslash.
std::wstring TestBinFolder();
// TestBinFolder() + "\" + exeName.
std::wstring ProgramPath(const std::wstring& exeName);
// One argument quoted so that CommandLineToArgvW gives it back unchanged.
std::wstring QuoteArgument(const std::wstring& argument);
// The quoted program path followed by the quoted arguments.
std::wstring BuildCommandLine(const std::wstring& programPath, const std::vector<std::wstring>& arguments);
// Ids of the running processes whose executable has this file name
// (case-insensitive), e.g. "Lorvane.exe".
std::vector<DWORD> ProcessIdsOf(const std::wstring& exeName);

struct ChildProcessOptions
{
    // Runs the child with the linked (limited) token of this process: a
    // program started by wine is elevated, and this is how a test runs the
    // non-elevated path.
    bool limitedToken = false;
    // Empty: the test's own current folder.
    std::wstring currentDirectory;
    // Sends the child's standard output and error to NUL instead of the test's
    // log (for children whose messages would only mislead a reader of it).
    bool discardOutput = false;
};

// One started program. Ends it (TerminateProcess) if it is still running when
// the object goes away, so that a failed test never leaves it behind.
class ChildProcess
{
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // exe: a file name beside the test ("Lorvane.exe") or a full path.
    bool Start(const std::wstring& exe, const std::vector<std::wstring>& arguments,
               const ChildProcessOptions& options = {});
    // As Start, with the text after the program name given as it is (for
    // tests of the command-line parsing itself).
    bool StartRaw(const std::wstring& exe, const std::wstring& argumentText, const ChildProcessOptions& options = {});
    // GetLastError of a failed start.
    DWORD StartError() const { return m_startError; }

    bool Running() const;
    // True when the process ended within the time (by default the limit of a
    // hung test: waiting for an expected end is never cut short).
    bool Wait(DWORD timeoutMs = kHungWaitMs) const;
    // STILL_ACTIVE while running.
    DWORD ExitCode() const;
    // Ends the process and waits for it to be gone.
    void Kill(UINT exitCode = 0xDEAD);
    // Lets go of the process without ending it.
    void Detach();

    DWORD ProcessId() const { return m_processId; }
    HANDLE Handle() const { return m_process; }

private:
    bool StartCommandLine(const std::wstring& path, std::wstring commandLine, const ChildProcessOptions& options);

    HANDLE m_process = nullptr;
    DWORD m_processId = 0;
    DWORD m_startError = 0;
};

class ProcessDialogWatcher;

struct RunOptions : ChildProcessOptions
{
    // The program is expected to end: the limit only ends one that hangs.
    DWORD timeoutMs = kHungWaitMs;
    bool killOnTimeout = true;
    // When set, it watches the started process for message boxes and task
    // dialogs and answers them (see ProcessDialogWatcher.h).
    ProcessDialogWatcher* dialogs = nullptr;
};

struct RunResult
{
    bool started = false;
    DWORD startError = 0;
    bool timedOut = false;
    // STILL_ACTIVE when it timed out and was left running.
    DWORD exitCode = STILL_ACTIVE;
};

// Runs a program to its end (or the time-out) and returns its exit code.
RunResult RunProgram(const std::wstring& exe, const std::vector<std::wstring>& arguments,
                     const RunOptions& options = {});
