#include "DialogCapture.h"

#include <map>
#include <stdexcept>

namespace
{

std::mutex g_capturesLock;
// The capture in force on each hooked thread.
std::map<DWORD, DialogCapture*> g_captures;

bool IsDialogWindow(HWND window)
{
    wchar_t name[16]{};
    return window && GetClassNameW(window, name, static_cast<int>(std::size(name))) && wcscmp(name, L"#32770") == 0;
}

}  // namespace

DialogCapture::DialogCapture(int defaultAnswer, DWORD threadId) : DialogRecorder(defaultAnswer), m_threadId(threadId)
{
    {
        std::lock_guard<std::mutex> lock(g_capturesLock);
        auto& current = g_captures[m_threadId];
        m_previous = current;
        current = this;
    }
    m_hook = SetWindowsHookExW(WH_CBT, HookProc, nullptr, m_threadId);
    if (!m_hook)
    {
        std::lock_guard<std::mutex> lock(g_capturesLock);
        g_captures[m_threadId] = m_previous;
        throw std::runtime_error("cannot hook the thread to capture its dialogs");
    }
}

DialogCapture::~DialogCapture()
{
    UnhookWindowsHookEx(m_hook);
    std::lock_guard<std::mutex> lock(g_capturesLock);
    if (m_previous)
        g_captures[m_threadId] = m_previous;
    else
        g_captures.erase(m_threadId);
}

LRESULT CALLBACK DialogCapture::HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    DialogCapture* capture = nullptr;
    {
        std::lock_guard<std::mutex> lock(g_capturesLock);
        const auto found = g_captures.find(GetCurrentThreadId());
        if (found != g_captures.end())
            capture = found->second;
    }
    // A dialog is activated again when a nested box closes; the recorder
    // knows it has its answer already.
    if (capture && code == HCBT_ACTIVATE && IsDialogWindow(reinterpret_cast<HWND>(wParam)))
        capture->Handle(reinterpret_cast<HWND>(wParam), 0);
    // The hook handle is ignored by CallNextHookEx.
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
