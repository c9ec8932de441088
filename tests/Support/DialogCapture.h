#pragma once
// Captures the message boxes, task dialogs and other dialogs ("#32770") that
// the code under test shows on one thread of THIS process, and answers each
// with the button the test chose, so the test never waits on a box:
//
//   DialogCapture boxes;            // hooks the calling thread
//   boxes.QueueAnswer(IDNO);        // the first box gets No
//   RunTheCodeUnderTest();
//   ASSERT_EQ(1u, boxes.Count());
//   EXPECT_EQ(L"The exact error text.", boxes.Dialogs()[0].text);
//
// A thread CBT hook sees each dialog as it is activated (its controls and
// texts are in place then), records it and posts it the click of the chosen
// button; the dialog's own modal loop then ends it. One capture per thread at
// a time; a nested one takes over until it goes away. For boxes of any thread
// of this process (a worker thread's), use a ProcessDialogWatcher that
// watches GetCurrentProcessId().
#include "DialogRecorder.h"

class DialogCapture : public DialogRecorder
{
public:
    // defaultAnswer: for every dialog once the queued answers are used up.
    explicit DialogCapture(int defaultAnswer = IDCANCEL, DWORD threadId = GetCurrentThreadId());
    ~DialogCapture();

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);

    DWORD m_threadId;
    HHOOK m_hook = nullptr;
    DialogCapture* m_previous = nullptr;
};
