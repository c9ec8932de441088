#pragma once

#include "Framework.h"
#include <functional>

// Hand-off of one drive command to the elevated task instance through a named
// shared block, and the "runas" copy that takes over when that is not possible.

// The hand-off objects, all in the session-local namespace.
constexpr const wchar_t* kHandOffMutexName = L"Local\\LorvaneFileMappingMutex";
constexpr const wchar_t* kHandOffBlockName = L"Local\\LorvaneFileMappingObject";
constexpr const wchar_t* kHandOffEventName = L"Local\\LorvaneFileMappingEvent";
constexpr DWORD kHandOffBlockSize = 4096;       // bytes, terminating zero included
constexpr DWORD kHandOffMutexTimeout = 10000;   // ms
constexpr DWORD kHandOffAnswerTimeout = 30000;  // ms

// The request in the shared block: a command line of the program. Format
// builds the text a sender writes; Parse reads one as the task instance does.
struct HandOffRequest
{
    WCHAR Letter = 0;  // upper case; 0 = none came
    CString Path;
    CString Label;
    CString Icon;
    bool IconGiven = false;
    bool Remove = false;          // "/D"
    bool RecycleBinOnly = false;  // "/NOCREATE"
    bool RecycleBin = false;      // "/RECYCLEBIN"
    bool FixLabel = false;        // "/FIXLABEL"

    // Without a path: a removal, or the label fix when label is "/FIXLABEL".
    // With a path: create or update; a request without the UAC flag only sets
    // the recycle bin on the elevated side.
    static CString Format(WCHAR letter, LPCWSTR path, LPCWSTR label, LPCWSTR icon, DWORD flags);
    // The parameters of the "runas" copy: the request with "/NOSAVE " in
    // front. There is no label-fix form: without a path this is a removal.
    static CString FormatElevatedCopy(WCHAR letter, LPCWSTR path, LPCWSTR label, LPCWSTR icon, DWORD flags);
    // False when the text cannot be split into tokens. Unknown or misplaced
    // tokens are ignored.
    static bool Parse(LPCWSTR text, HandOffRequest& request);
};

// Runs whatever starts the task instance; returns a failed HRESULT when it
// could not be started.
using HandOffTaskStarter = std::function<HRESULT()>;

// The sender: writes text into the shared block under the mutex, starts the
// task instance and waits for its signal. True when it signalled in time.
// Every failure except a task that does not start shows an error box.
BOOL SendHandOffRequest(LPCWSTR text, const HandOffTaskStarter& startTask, DWORD answerTimeout = kHandOffAnswerTimeout);

// Hands one drive request to the elevated task instance (see Format).
BOOL HandOffToElevationTask(WCHAR letter, LPCWSTR path, LPCWSTR label, LPCWSTR icon, DWORD flags);

// Starts program through "runas" with the parameters; does not wait.
BOOL StartElevatedProgram(LPCWSTR program, LPCWSTR parameters);
// Starts an elevated copy of this program with the request (FormatElevatedCopy).
BOOL RunElevatedCopy(WCHAR letter, LPCWSTR path, LPCWSTR label, LPCWSTR icon, DWORD flags);

// The "/UACTASK" start: reads the request from the shared block, carries it
// out and signals the sender. Marks the process as the task instance first.
void RunElevationTaskInstance();
// Carries out a request as the task instance does (every change with "do not
// save").
void CarryOutHandOffRequest(const HandOffRequest& request);

// True once this process runs as the task instance; the drive operation then
// does not report a recycle-bin failure.
bool IsElevationTaskInstance();
