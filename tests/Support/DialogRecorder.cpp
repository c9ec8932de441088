#include "DialogRecorder.h"

void DialogRecorder::QueueAnswer(int answer)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_queued.push_back(answer);
}

void DialogRecorder::SetDefaultAnswer(int answer)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_defaultAnswer = answer;
}

void DialogRecorder::SetFilter(Filter filter)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_filter = std::move(filter);
    m_ignored.clear();
}

std::vector<CapturedDialog> DialogRecorder::Dialogs() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_dialogs;
}

size_t DialogRecorder::Count() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_dialogs.size();
}

void DialogRecorder::Clear()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_dialogs.clear();
}

bool DialogRecorder::WaitForDialogs(size_t count, DWORD timeoutMs) const
{
    std::unique_lock<std::mutex> lock(m_lock);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return m_dialogs.size() >= count; });
}

int DialogRecorder::NextAnswer()
{
    if (m_queued.empty())
        return m_defaultAnswer;
    const int answer = m_queued.front();
    m_queued.pop_front();
    return answer;
}

void DialogRecorder::Handle(HWND dialog, DWORD repostAfterMs)
{
    const DWORD now = GetTickCount();
    Filter filter;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        // Handles of destroyed windows are forgotten, so that a new dialog
        // that gets the same handle is seen.
        for (auto it = m_answered.begin(); it != m_answered.end();)
            it = IsWindow(it->first) ? std::next(it) : m_answered.erase(it);
        for (auto it = m_ignored.begin(); it != m_ignored.end();)
            it = IsWindow(*it) ? std::next(it) : m_ignored.erase(it);

        if (m_ignored.count(dialog))
            return;
        const auto answered = m_answered.find(dialog);
        if (answered != m_answered.end())
        {
            if (repostAfterMs && now - answered->second.postedAt >= repostAfterMs)
            {
                answered->second.postedAt = now;
                PostAnswer(dialog, answered->second.button);
            }
            return;
        }
        filter = m_filter;
    }

    CapturedDialog captured = ReadDialog(dialog);
    if (filter && !filter(captured))
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_ignored.insert(dialog);
        return;
    }
    {
        std::lock_guard<std::mutex> lock(m_lock);
        captured.requestedAnswer = NextAnswer();
        captured.answer = ChooseAnswer(captured, captured.requestedAnswer);
        m_answered[dialog] = Answered{captured.answer, now};
        m_dialogs.push_back(captured);
    }
    m_changed.notify_all();
    PostAnswer(dialog, captured.answer);
}
