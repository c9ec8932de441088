#include "ChildProcess.h"

#include "ProcessDialogWatcher.h"

#include <tlhelp32.h>

std::wstring TestBinFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;)
    {
        const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length < path.size())
        {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L'\\'));
}

std::wstring ProgramPath(const std::wstring& exeName)
{
    return TestBinFolder() + L"\\" + exeName;
}

std::wstring QuoteArgument(const std::wstring& argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return argument;
    // Backslashes are literal except before a quote, where they are doubled.
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (const wchar_t c : argument)
    {
        if (c == L'\\')
        {
            ++backslashes;
            continue;
        }
        if (c == L'"')
            quoted.append(backslashes * 2 + 1, L'\\');
        else
            quoted.append(backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    quoted += L'"';
    return quoted;
}

std::wstring BuildCommandLine(const std::wstring& programPath, const std::vector<std::wstring>& arguments)
{
    // The program name is never parsed with the quoting rules above.
    std::wstring commandLine = L"\"" + programPath + L"\"";
    for (const auto& argument : arguments)
        commandLine += L" " + QuoteArgument(argument);
    return commandLine;
}

std::vector<DWORD> ProcessIdsOf(const std::wstring& exeName)
{
    std::vector<DWORD> ids;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return ids;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
    {
        if (CompareStringOrdinal(entry.szExeFile, -1, exeName.c_str(), -1, TRUE) == CSTR_EQUAL)
            ids.push_back(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return ids;
}

namespace
{

std::wstring ResolveProgram(const std::wstring& exe)
{
    return exe.find(L'\\') == std::wstring::npos && exe.find(L'/') == std::wstring::npos ? ProgramPath(exe) : exe;
}

}  // namespace

ChildProcess::~ChildProcess()
{
    if (!m_process)
        return;
    if (Running())
        Kill();
    CloseHandle(m_process);
}

bool ChildProcess::Start(const std::wstring& exe, const std::vector<std::wstring>& arguments,
                         const ChildProcessOptions& options)
{
    const std::wstring path = ResolveProgram(exe);
    return StartCommandLine(path, BuildCommandLine(path, arguments), options);
}

bool ChildProcess::StartRaw(const std::wstring& exe, const std::wstring& argumentText,
                            const ChildProcessOptions& options)
{
    const std::wstring path = ResolveProgram(exe);
    std::wstring commandLine = L"\"" + path + L"\"";
    if (!argumentText.empty())
        commandLine += L" " + argumentText;
    return StartCommandLine(path, commandLine, options);
}

bool ChildProcess::StartCommandLine(const std::wstring& path, std::wstring commandLine,
                                    const ChildProcessOptions& options)
{
    if (m_process)
    {
        m_startError = ERROR_BUSY;
        return false;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    BOOL inheritHandles = FALSE;
    HANDLE nul = INVALID_HANDLE_VALUE;
    if (options.discardOutput)
    {
        SECURITY_ATTRIBUTES inheritable{};
        inheritable.nLength = sizeof(inheritable);
        inheritable.bInheritHandle = TRUE;
        nul = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                          OPEN_EXISTING, 0, nullptr);
        if (nul != INVALID_HANDLE_VALUE)
        {
            startup.dwFlags |= STARTF_USESTDHANDLES;
            startup.hStdInput = nul;
            startup.hStdOutput = nul;
            startup.hStdError = nul;
            inheritHandles = TRUE;
        }
    }
    // The child has its own copy of the handle once it is started.
    struct NulScope
    {
        HANDLE handle;
        ~NulScope()
        {
            if (handle != INVALID_HANDLE_VALUE)
                CloseHandle(handle);
        }
    } nulScope{nul};
    const wchar_t* const directory = options.currentDirectory.empty() ? nullptr : options.currentDirectory.c_str();

    BOOL started = FALSE;
    if (options.limitedToken)
    {
        HANDLE token = nullptr;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        {
            m_startError = GetLastError();
            return false;
        }
        TOKEN_LINKED_TOKEN linked{};
        DWORD size = 0;
        const BOOL haveLinked = GetTokenInformation(token, TokenLinkedToken, &linked, sizeof(linked), &size);
        m_startError = GetLastError();
        CloseHandle(token);
        if (!haveLinked)
            return false;
        started = CreateProcessAsUserW(linked.LinkedToken, path.c_str(), &commandLine[0], nullptr, nullptr,
                                       inheritHandles, 0, nullptr, directory, &startup, &info);
        m_startError = GetLastError();
        CloseHandle(linked.LinkedToken);
    }
    else
    {
        started = CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, inheritHandles, 0, nullptr, directory,
                                 &startup, &info);
        m_startError = GetLastError();
    }
    if (!started)
        return false;
    m_startError = 0;
    CloseHandle(info.hThread);
    m_process = info.hProcess;
    m_processId = info.dwProcessId;
    return true;
}

bool ChildProcess::Running() const
{
    return m_process && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT;
}

bool ChildProcess::Wait(DWORD timeoutMs) const
{
    return m_process && WaitForSingleObject(m_process, timeoutMs) == WAIT_OBJECT_0;
}

DWORD ChildProcess::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (m_process)
        GetExitCodeProcess(m_process, &code);
    return code;
}

void ChildProcess::Kill(UINT exitCode)
{
    if (!m_process)
        return;
    TerminateProcess(m_process, exitCode);
    WaitForSingleObject(m_process, kHungWaitMs);
}

void ChildProcess::Detach()
{
    if (m_process)
        CloseHandle(m_process);
    m_process = nullptr;
    m_processId = 0;
}

RunResult RunProgram(const std::wstring& exe, const std::vector<std::wstring>& arguments, const RunOptions& options)
{
    RunResult result;
    ChildProcess child;
    result.started = child.Start(exe, arguments, options);
    result.startError = child.StartError();
    if (!result.started)
        return result;
    if (options.dialogs)
        options.dialogs->Watch(child.ProcessId());
    result.timedOut = !child.Wait(options.timeoutMs);
    if (result.timedOut && options.killOnTimeout)
        child.Kill();
    result.exitCode = child.ExitCode();
    if (result.timedOut && !options.killOnTimeout)
    {
        // Left running on purpose: let go of it without ending it.
        result.exitCode = STILL_ACTIVE;
        child.Detach();
    }
    return result;
}
