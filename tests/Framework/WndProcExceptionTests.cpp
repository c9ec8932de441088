// Exceptions at the places where the system's code calls the framework: the
// window procedure, the dialog procedure, the creation hook and the modal
// loop's pre-translation. With this toolchain an exception that unwinds into
// the system's code ends the process, so each place catches every exception,
// reports it as the framework reports its own, and gives a safe answer.
#include "Framework.h"
#include "TestDialogTemplate.h"

#include "DialogCapture.h"
#include "Waiting.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

namespace
{

const UINT WM_THROW = WM_APP + 7;

[[noreturn]] void ThrowNotSupported()
{
    AfxThrowNotSupportedException();
}
[[noreturn]] void ThrowStdException()
{
    throw std::runtime_error("disk on fire");
}
[[noreturn]] void ThrowAnInt()
{
    throw 7;
}
[[noreturn]] void ThrowUserException()
{
    AfxThrowUserException();
}

// Only message boxes: the test's own dialogs are left alone.
void OnlyMessageBoxes(DialogCapture& boxes)
{
    boxes.SetFilter([](const CapturedDialog& d) { return d.isMessageBox; });
}

class CThrowingWnd : public CWnd
{
public:
    std::function<void()> thrower;
    bool m_bThrowInCreate = false;
    bool m_bThrowInPreSubclass = false;

    void PreSubclassWindow() override
    {
        if (m_bThrowInPreSubclass)
            thrower();
    }

    afx_msg int OnCreate(LPCREATESTRUCT)
    {
        if (m_bThrowInCreate)
            thrower();
        return 0;
    }

    afx_msg LRESULT OnThrow(WPARAM, LPARAM)
    {
        thrower();
        return 1;
    }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingWnd, CWnd)
    ON_WM_CREATE()
    ON_MESSAGE(WM_THROW, OnThrow)
END_MESSAGE_MAP()

struct ThrowCase
{
    const char* name;
    std::function<void()> thrower;
    const wchar_t* reported;  // the text of the box, or NULL: no box
};

class WindowProcedureBoundary : public ::testing::TestWithParam<ThrowCase>
{
};

TEST_P(WindowProcedureBoundary, ReportsTheExceptionAndAnswersSafely)
{
    const ThrowCase& c = GetParam();
    DialogCapture boxes(IDOK);
    OnlyMessageBoxes(boxes);
    CThrowingWnd wnd;
    wnd.thrower = c.thrower;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, L"thrower", WS_POPUP, 0, 0, 50, 50, NULL, NULL));

    EXPECT_EQ(0, wnd.SendMessage(WM_THROW)) << "the message gets the safe answer";
    EXPECT_TRUE(::IsWindow(wnd.m_hWnd));
    if (c.reported)
    {
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_EQ(c.reported, boxes.Dialogs()[0].text);
    }
    else
    {
        EXPECT_EQ(0u, boxes.Count()) << "the user was told already";
    }
    boxes.Clear();

    // During creation the safe answer is "not created".
    CThrowingWnd failing;
    failing.thrower = c.thrower;
    failing.m_bThrowInCreate = true;
    EXPECT_FALSE(failing.CreateEx(0, NULL, L"fails", WS_POPUP, 0, 0, 50, 50, NULL, NULL));
    EXPECT_EQ(nullptr, failing.m_hWnd);
    EXPECT_EQ(c.reported ? 1u : 0u, boxes.Count());
    wnd.DestroyWindow();
}

TEST_P(WindowProcedureBoundary, CreationHookRefusesTheWindow)
{
    const ThrowCase& c = GetParam();
    DialogCapture boxes(IDOK);
    OnlyMessageBoxes(boxes);
    CThrowingWnd wnd;
    wnd.thrower = c.thrower;
    wnd.m_bThrowInPreSubclass = true;
    EXPECT_FALSE(wnd.CreateEx(0, NULL, L"refused", WS_POPUP, 0, 0, 50, 50, NULL, NULL));
    EXPECT_EQ(nullptr, wnd.m_hWnd) << "the object is not left attached";
    EXPECT_EQ(nullptr, ::FindWindowW(NULL, L"refused"));
    EXPECT_EQ(c.reported ? 1u : 0u, boxes.Count());
}

INSTANTIATE_TEST_SUITE_P(Table, WindowProcedureBoundary,
                         ::testing::Values(ThrowCase{"FrameworkException", ThrowNotSupported,
                                                     L"An unsupported operation was attempted."},
                                           ThrowCase{"StandardException", ThrowStdException,
                                                     L"An unexpected error has occurred: disk on fire"},
                                           ThrowCase{"AnythingElse", ThrowAnInt, L"An unknown error has occurred."},
                                           ThrowCase{"UserExceptionIsNotReportedAgain", ThrowUserException, nullptr}),
                         [](const ::testing::TestParamInfo<ThrowCase>& info) { return std::string(info.param.name); });

const TestDialogTemplate& OkTemplate()
{
    static TestDialogTemplate t = []
    {
        TestDialogTemplate d(L"Thrower", 120, 50);
        d.AddItem(0x0080, IDOK, L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 35, 20, 50, 14);
        return d;
    }();
    return t;
}

class CThrowingDialog : public CDialog
{
public:
    bool m_bThrowInInit = false;
    bool m_bThrowInPreTranslate = false;

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (m_bThrowInInit)
            ThrowStdException();
        if (m_bThrowInPreTranslate)
            ::PostMessageW(m_hWnd, WM_KEYDOWN, 'A', 0x001E0001);
        // A guard: a dialog that the exception did not end ends here.
        SetTimer(1, kHungWaitMs, nullptr);
        return TRUE;
    }

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (m_bThrowInPreTranslate && pMsg->message == WM_KEYDOWN)
            ThrowStdException();
        return CDialog::PreTranslateMessage(pMsg);
    }

    afx_msg void OnTimer(UINT_PTR) { EndDialog(-99); }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingDialog, CDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(DialogProcedureBoundary, ExceptionFromOnInitDialogIsReported)
{
    DialogCapture boxes(IDOK);
    OnlyMessageBoxes(boxes);
    CThrowingDialog dlg;
    dlg.m_bThrowInInit = true;
    ASSERT_TRUE(dlg.CreateIndirect(OkTemplate().Get()));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(L"An unexpected error has occurred: disk on fire", boxes.Dialogs()[0].text);
    EXPECT_TRUE(dlg.DestroyWindow());
}

TEST(DoModalBoundary, ExceptionFromPreTranslationIsReportedAndEndsTheDialog)
{
    DialogCapture boxes(IDOK);
    OnlyMessageBoxes(boxes);
    CThrowingDialog dlg;
    dlg.m_bThrowInPreTranslate = true;
    dlg.InitModalIndirect(OkTemplate().Get());
    EXPECT_EQ(-1, dlg.DoModal());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    ASSERT_EQ(1u, boxes.Count()) << "the dialog did not go silently";
    EXPECT_EQ(L"An unexpected error has occurred: disk on fire", boxes.Dialogs()[0].text);
}

}  // namespace
