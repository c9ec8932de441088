#include "HandOff.h"

#include "DriveLabels.h"
#include "DriveLetter.h"
#include "ElevationTask.h"
#include "EngineText.h"
#include "LorvaneApp.h"
#include "PathServices.h"
#include "RecycleBinPolicy.h"
#include "ScopedHandle.h"
#include "resource.h"

#include <shellapi.h>

namespace
{
bool g_taskInstance = false;

// Quotes one argument so that CommandLineToArgvW gives it back unchanged: a
// label ending in a backslash or holding a double quote must not swallow the
// closing quote or spill into the switches that follow.
CString QuoteArgument(LPCWSTR text)
{
    CString quoted(L"\"");
    int backslashes = 0;
    for (LPCWSTR p = text; *p; ++p)
    {
        if (*p == L'\\')
        {
            ++backslashes;
            continue;
        }
        if (*p == L'"')
        {
            for (int i = 0; i < backslashes * 2 + 1; ++i)
                quoted += L'\\';
        }
        else
        {
            for (int i = 0; i < backslashes; ++i)
                quoted += L'\\';
        }
        backslashes = 0;
        quoted += *p;
    }
    for (int i = 0; i < backslashes * 2; ++i)
        quoted += L'\\';
    quoted += L'"';
    return quoted;
}

bool IsFixLabelRequest(LPCWSTR path, LPCWSTR label)
{
    return !path && label && wcscmp(label, L"/FIXLABEL") == 0;
}

// Ownership of the hand-off mutex: released before its handle is closed.
class CMutexOwnership
{
public:
    explicit CMutexOwnership(HANDLE mutex) : m_mutex(mutex) {}
    ~CMutexOwnership() { ::ReleaseMutex(m_mutex); }
    CMutexOwnership(const CMutexOwnership&) = delete;
    CMutexOwnership& operator=(const CMutexOwnership&) = delete;

private:
    HANDLE m_mutex;
};

class CMappedView
{
public:
    explicit CMappedView(void* view) : m_view(view) {}
    ~CMappedView()
    {
        if (m_view)
            ::UnmapViewOfFile(m_view);
    }
    CMappedView(const CMappedView&) = delete;
    CMappedView& operator=(const CMappedView&) = delete;
    void* Get() const { return m_view; }

private:
    void* m_view;
};
}  // namespace

CString HandOffRequest::Format(WCHAR letter, LPCWSTR path, LPCWSTR label, LPCWSTR icon, DWORD flags)
{
    CString text;
    if (IsFixLabelRequest(path, label))
    {
        text.Format(L"/FIXLABEL %c:", letter);
        return text;
    }
    if (!path)
    {
        text.Format(L"/D %c:", letter);
        if (flags & DriveFlags::RecycleBin)
            text += L" /RECYCLEBIN";
        return text;
    }

    text.Format(L"%c: ", letter);
    // Without the trailing backslash the root C:\ travels as "C:".
    text += QuoteArgument(StripTrailingBackslash(path));
    if (label && *label)
        text += L" " + QuoteArgument(label);
    if (icon)
        text += L" /ICON " + QuoteArgument(icon);
    if (!(flags & DriveFlags::Uac))
        text += L" /NOCREATE";
    if (flags & DriveFlags::RecycleBin)
        text += L" /RECYCLEBIN";
    return text;
}

CString HandOffRequest::FormatElevatedCopy(WCHAR letter, LPCWSTR path, LPCWSTR label, LPCWSTR icon, DWORD flags)
{
    // The copy has no label-fix form; without a path it removes the drive.
    if (IsFixLabelRequest(path, label))
        label = nullptr;
    return L"/NOSAVE " + Format(letter, path, label, icon, flags);
}

bool HandOffRequest::Parse(LPCWSTR text, HandOffRequest& request)
{
    request = HandOffRequest();
    // An empty text would give the program's own path as its one token.
    if (!*text)
        return true;
    int count = 0;
    LPWSTR* tokens = ::CommandLineToArgvW(text, &count);
    if (!tokens)
        return false;

    for (int i = 0; i < count; ++i)
    {
        const LPCWSTR token = tokens[i];
        if (_wcsicmp(token, L"/D") == 0)
            request.Remove = true;
        else if (_wcsicmp(token, L"/NOCREATE") == 0)
            request.RecycleBinOnly = true;
        else if (_wcsicmp(token, L"/RECYCLEBIN") == 0)
            request.RecycleBin = true;
        else if (_wcsicmp(token, L"/FIXLABEL") == 0)
            request.FixLabel = true;
        else if (_wcsicmp(token, L"/ICON") == 0)
        {
            // A trailing "/ICON" has no value and is ignored: it must not
            // become the path or the label.
            if (i + 1 < count)
            {
                request.Icon = tokens[++i];
                request.IconGiven = true;
            }
        }
        else if (!request.Letter)
        {
            // As on the command line: a letter and ":", 'A' to 'Z' in any case.
            const WCHAR letter = UpperDriveLetter(token[0]);
            if (wcslen(token) == 2 && token[1] == L':' && ::IsCharAlphaW(token[0]) && IsDriveLetter(letter))
                request.Letter = letter;
        }
        else if (request.Path.IsEmpty())
            request.Path = token;
        else if (request.Label.IsEmpty())
            request.Label = token;
    }
    ::LocalFree(tokens);
    return true;
}

BOOL SendHandOffRequest(LPCWSTR text, const HandOffTaskStarter& startTask, DWORD answerTimeout)
{
    const CScopedHandle mutex(::CreateMutexW(nullptr, FALSE, kHandOffMutexName));
    if (!mutex)
    {
        ShowEngineMessage(L"Failed to create file mapping mutex.");
        return FALSE;
    }
    // A sender that died while holding the mutex leaves it abandoned; the
    // block is rewritten anyway, so that counts as acquired.
    const DWORD wait = ::WaitForSingleObject(mutex, kHandOffMutexTimeout);
    if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED)
    {
        ShowEngineMessage(L"Timed out waiting for file mapping mutex.");
        return FALSE;
    }
    // Declared first so that it is released last, after the block and the
    // event are closed.
    const CMutexOwnership ownership(mutex);

    const CScopedHandle mapping(
        ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kHandOffBlockSize, kHandOffBlockName));
    if (!mapping)
    {
        ShowEngineMessage(L"Failed to create file mapping object.");
        return FALSE;
    }
    const CMappedView view(::MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, kHandOffBlockSize));
    if (!view.Get())
    {
        ShowEngineMessage(L"Failed to map view of file.");
        return FALSE;
    }

    const size_t bytes = (wcslen(text) + 1) * sizeof(WCHAR);
    if (bytes > kHandOffBlockSize)
    {
        ShowEngineMessage(L"Command line is too long for the file mapping object.");
        return FALSE;
    }
    memcpy(view.Get(), text, bytes);

    const CScopedHandle event(::CreateEventW(nullptr, FALSE, FALSE, kHandOffEventName));
    if (!event)
    {
        ShowEngineMessage(L"Failed to create file mapping event.");
        return FALSE;
    }
    // A task instance of an earlier, timed-out hand-off may still hold the
    // event and have set it; that signal is not the answer to this request.
    ::ResetEvent(event);

    if (FAILED(startTask()))
        return FALSE;
    return ::WaitForSingleObject(event, answerTimeout) == WAIT_OBJECT_0;
}

BOOL HandOffToElevationTask(WCHAR letter, LPCWSTR path, LPCWSTR label, LPCWSTR icon, DWORD flags)
{
    const CString text = HandOffRequest::Format(letter, path, label, icon, flags);
    return SendHandOffRequest(text, [] { return RunElevationTask(); });
}

BOOL StartElevatedProgram(LPCWSTR program, LPCWSTR parameters)
{
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.lpVerb = L"runas";
    info.lpFile = program;
    info.lpParameters = parameters;
    info.nShow = SW_SHOWNORMAL;
    return ::ShellExecuteExW(&info);
}

BOOL RunElevatedCopy(WCHAR letter, LPCWSTR path, LPCWSTR label, LPCWSTR icon, DWORD flags)
{
    const CString parameters = HandOffRequest::FormatElevatedCopy(letter, path, label, icon, flags);
    return StartElevatedProgram(GetModulePath(), parameters);
}

void CarryOutHandOffRequest(const HandOffRequest& request)
{
    if (!request.Letter)
        return;
    const DWORD flags = DriveFlags::NoSave | (request.RecycleBin ? DriveFlags::RecycleBin : 0);
    if (request.Remove)
        theApp.PerformDriveOperation(request.Letter, nullptr, nullptr, nullptr, flags);
    else if (request.FixLabel)
        FixVolumeLabel(request.Letter);
    else if (request.RecycleBinOnly)
        SetDriveRecycleBin(request.Letter, request.RecycleBin, IsProcessElevated() != FALSE);
    else
        theApp.PerformDriveOperation(request.Letter, request.Path, request.Label,
                                     request.IconGiven ? static_cast<LPCWSTR>(request.Icon) : nullptr, flags);
}

void RunElevationTaskInstance()
{
    g_taskInstance = true;

    CString text;
    {
        const CScopedHandle mapping(::OpenFileMappingW(FILE_MAP_READ, FALSE, kHandOffBlockName));
        if (!mapping)
        {
            ShowEngineMessage(L"OpenFileMapping failed.");
            return;
        }
        const CMappedView view(::MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, kHandOffBlockSize));
        if (!view.Get())
        {
            ShowEngineMessage(L"MapViewOfFile failed.");
            return;
        }
        // The block comes from another process: read no further than its end,
        // also when the sender left no terminating zero.
        const LPCWSTR block = static_cast<LPCWSTR>(view.Get());
        text = CString(block, static_cast<int>(wcsnlen(block, kHandOffBlockSize / sizeof(WCHAR) - 1)));
    }

    HandOffRequest request;
    if (!HandOffRequest::Parse(text, request))
    {
        ShowEngineMessage(LoadEngineText(IDS_UAC_TASK_ARGUMENTS_FAILED));
        return;
    }
    CarryOutHandOffRequest(request);

    const CScopedHandle event(::OpenEventW(EVENT_MODIFY_STATE, FALSE, kHandOffEventName));
    if (event)
        ::SetEvent(event);
}

bool IsElevationTaskInstance()
{
    return g_taskInstance;
}
