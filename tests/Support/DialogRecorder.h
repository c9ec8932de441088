#pragma once
// Records dialogs and answers them with the buttons a test chose: the common
// part of DialogCapture (dialogs of one thread of this process, seen through
// a hook) and ProcessDialogWatcher (dialogs of whole processes, found by
// polling). Thread-safe.
#include "CapturedDialog.h"
#include "Waiting.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>

class DialogRecorder
{
public:
    // Which dialogs to capture; the others are left alone (neither recorded
    // nor answered), e.g. the program's own main window, which is a dialog:
    //   boxes.SetFilter([](const CapturedDialog& d) { return d.isMessageBox; });
    using Filter = std::function<bool(const CapturedDialog&)>;

    explicit DialogRecorder(int defaultAnswer) : m_defaultAnswer(defaultAnswer) {}
    DialogRecorder(const DialogRecorder&) = delete;
    DialogRecorder& operator=(const DialogRecorder&) = delete;

    // Each captured dialog takes the next queued answer, and the default
    // answer once the queue is empty (see ChooseAnswer for a missing button).
    void QueueAnswer(int answer);
    void SetDefaultAnswer(int answer);
    void SetFilter(Filter filter);

    std::vector<CapturedDialog> Dialogs() const;
    size_t Count() const;
    void Clear();
    // True once at least `count` dialogs were captured within the time.
    bool WaitForDialogs(size_t count, DWORD timeoutMs = kHungWaitMs) const;

protected:
    ~DialogRecorder() = default;

    // Records and answers a dialog seen for the first time. A dialog answered
    // before is answered again once `repostAfterMs` passed (0: never), for a
    // posted click that got lost.
    void Handle(HWND dialog, DWORD repostAfterMs);

private:
    int NextAnswer();

    mutable std::mutex m_lock;
    mutable std::condition_variable m_changed;
    std::deque<int> m_queued;
    int m_defaultAnswer;
    Filter m_filter;
    std::vector<CapturedDialog> m_dialogs;
    // Dialogs already handled: the button clicked and when.
    struct Answered
    {
        int button = 0;
        DWORD postedAt = 0;
    };
    std::map<HWND, Answered> m_answered;
    std::set<HWND> m_ignored;
};
