#include "ProcessDialogWatcher.h"

#include <tlhelp32.h>

namespace
{

// How often the windows are looked at, and after how long an answer that did
// not close its dialog is posted again.
const DWORD kPollMs = 20;
const DWORD kRepostMs = 2000;

struct Candidate
{
    HWND window;
    DWORD processId;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM param)
{
    wchar_t name[16]{};
    if (!IsWindowVisible(window) || !GetClassNameW(window, name, static_cast<int>(std::size(name))) ||
        wcscmp(name, L"#32770") != 0)
        return TRUE;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    reinterpret_cast<std::vector<Candidate>*>(param)->push_back({window, processId});
    return TRUE;
}

std::map<DWORD, DWORD> ParentProcesses()
{
    std::map<DWORD, DWORD> parents;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return parents;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
        parents[entry.th32ProcessID] = entry.th32ParentProcessID;
    CloseHandle(snapshot);
    return parents;
}

}  // namespace

ProcessDialogWatcher::ProcessDialogWatcher(int defaultAnswer)
    : DialogRecorder(defaultAnswer), m_thread([this] { Run(); })
{
}

ProcessDialogWatcher::~ProcessDialogWatcher()
{
    m_stop = true;
    m_thread.join();
}

void ProcessDialogWatcher::Watch(DWORD processId)
{
    std::lock_guard<std::mutex> lock(m_processLock);
    m_processes.insert(processId);
    // A process found not to descend from the watched ones may now do so.
    m_notDescendants.clear();
}

void ProcessDialogWatcher::Run()
{
    while (!m_stop)
    {
        std::vector<Candidate> candidates;
        EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&candidates));
        for (const auto& candidate : candidates)
        {
            if (IsWatched(candidate.processId))
                Handle(candidate.window, kRepostMs);
        }
        ++m_looks;
        Sleep(kPollMs);
    }
}

bool ProcessDialogWatcher::WaitForFullLook(DWORD timeoutMs) const
{
    // The look under way may have begun before the call: the one after it
    // began after the call.
    const unsigned target = m_looks + 2;
    return WaitUntil([&] { return m_looks >= target; }, timeoutMs);
}

bool ProcessDialogWatcher::IsWatched(DWORD processId)
{
    {
        std::lock_guard<std::mutex> lock(m_processLock);
        if (m_processes.count(processId))
            return true;
        if (!m_descendants || m_notDescendants.count(processId))
            return false;
    }
    const auto parents = ParentProcesses();
    std::lock_guard<std::mutex> lock(m_processLock);
    DWORD current = processId;
    // Bounded: reused process ids could make the chain circular.
    for (int depth = 0; depth < 64; ++depth)
    {
        const auto parent = parents.find(current);
        if (parent == parents.end() || parent->second == 0)
            break;
        current = parent->second;
        if (m_processes.count(current))
        {
            m_processes.insert(processId);
            return true;
        }
    }
    m_notDescendants.insert(processId);
    return false;
}
