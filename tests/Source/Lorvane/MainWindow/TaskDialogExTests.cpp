// The program's task dialog: where it opens, and the yes/no question.
#include "TaskDialogEx.h"
#include "TestSupport.h"

#include <atomic>
#include <thread>

#include <gtest/gtest.h>

namespace
{
// Notes where the dialog stands once it is created (after it placed itself).
class PositionProbe : public CTaskDialogEx
{
public:
    using CTaskDialogEx::CTaskDialogEx;
    RECT created{};

protected:
    HRESULT OnNotify(UINT uNotification, WPARAM wParam, LPARAM lParam) override
    {
        const HRESULT result = CTaskDialogEx::OnNotify(uNotification, wParam, lParam);
        if (uNotification == TDN_CREATED)
            ::GetWindowRect(GetDialogWindow(), &created);
        return result;
    }
};

void ExpectCentredOn(const RECT& dialog, const RECT& area)
{
    EXPECT_NEAR(dialog.left + dialog.right, area.left + area.right, 1);
    EXPECT_NEAR(dialog.top + dialog.bottom, area.top + area.bottom, 1);
}

TEST(TaskDialogEx, WithoutOwnerOpensCentredOnTheScreen)
{
    DialogCapture boxes(IDOK);
    PositionProbe dialog;
    dialog.SetMainInstruction(L"Centred?");
    dialog.SetCommonButtonMask(TDCBF_OK_BUTTON);
    ASSERT_EQ(dialog.DoModal(), IDOK);
    ASSERT_EQ(boxes.Count(), 1u);
    ExpectCentredOn(dialog.created, RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
}

TEST(TaskDialogEx, WithOwnerOpensCentredOnTheOwner)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, L"STATIC", L"Owner", WS_POPUP | WS_VISIBLE, CRect(40, 30, 640, 530), nullptr, 0));
    DialogCapture boxes(IDOK);
    PositionProbe dialog(&owner);
    dialog.SetMainInstruction(L"Centred on the owner?");
    dialog.SetCommonButtonMask(TDCBF_OK_BUTTON);
    dialog.EnableRelativePosition(TRUE);
    ASSERT_EQ(dialog.DoModal(), IDOK);
    ExpectCentredOn(dialog.created, RECT{40, 30, 640, 530});
    owner.DestroyWindow();
}

TEST(ShowYesNoTaskDialog, AsksWithYesAndNoUnderTheApplicationsName)
{
    struct Case
    {
        const char* name;
        int answer;
    };
    for (const Case& c : {Case{"Yes", IDYES}, Case{"No", IDNO}})
    {
        DialogCapture boxes(c.answer);
        EXPECT_EQ(
            ShowYesNoTaskDialog(nullptr, L"Replace the language file?", L"It is outdated.", TD_WARNING_ICON, IDNO),
            c.answer)
            << c.name;
        ASSERT_EQ(boxes.Count(), 1u) << c.name;
        const CapturedDialog dialog = boxes.Dialogs()[0];
        EXPECT_EQ(dialog.title, AfxGetAppName()) << c.name;
        EXPECT_NE(dialog.text.find(L"Replace the language file?"), std::wstring::npos) << c.name;
        EXPECT_NE(dialog.text.find(L"It is outdated."), std::wstring::npos) << c.name;
        EXPECT_TRUE(dialog.HasButton(IDYES) && dialog.HasButton(IDNO)) << c.name;
        EXPECT_FALSE(dialog.HasButton(IDCANCEL) || dialog.HasButton(IDOK)) << c.name;
    }
}

BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM out)
{
    WCHAR name[16] = {};
    GetClassNameW(window, name, _countof(name));
    if (lstrcmpW(name, L"#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(out) = window;
    return FALSE;
}

TEST(ShowYesNoTaskDialog, ClosingTheDialogCancels)
{
    // Closing (the close box, or Escape on Windows) is what cancellation
    // allows; a capture would click a button instead, so close it ourselves.
    // Wine ignores Escape's IDCANCEL command without a Cancel button.
    const DWORD thread = GetCurrentThreadId();
    std::atomic<bool> done{false};
    std::thread closer(
        [thread, &done]
        {
            HWND found = nullptr;
            WaitUntil(
                [&]
                {
                    if (done)
                        return true;
                    EnumThreadWindows(thread, FindVisibleDialog, reinterpret_cast<LPARAM>(&found));
                    if (found)
                        PostMessageW(found, WM_CLOSE, 0, 0);
                    return false;
                });
            // A dialog that cannot be closed is answered No, so the test ends.
            if (!done && found)
                PostMessageW(found, WM_COMMAND, IDNO, 0);
        });
    EXPECT_EQ(ShowYesNoTaskDialog(nullptr, L"Cancel me", L"", TD_WARNING_ICON, 0), IDCANCEL);
    done = true;
    closer.join();
}
}  // namespace
