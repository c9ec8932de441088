// The task dialog: its configuration record, the dispatch of notifications,
// and real dialogs under Wine (the emulation, since Wine's comctl32 reports
// 5.81) that the test closes, either from the dialog's own callback
// (TDM_CLICK_BUTTON) or through the test library's dialog capture.
#include "Controls/TaskDialog.h"

#include "CapturedDialog.h"
#include "DialogCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace
{

std::wstring Text(PCWSTR psz)
{
    return psz && !IS_INTRESOURCE(psz) ? std::wstring(psz) : std::wstring();
}

// Records its notifications and runs the test's script once the dialog is up.
class ScriptedTaskDialog : public CLVKTaskDialog
{
public:
    std::vector<std::string> m_events;
    std::function<void(ScriptedTaskDialog&, HWND)> m_onCreated;
    int m_nKeepOpenButton = 0;
    HWND m_hwndSeen = nullptr;

    HRESULT Notify(UINT uNotification) { return OnNotify(uNotification, 0, 0); }

protected:
    HRESULT OnNotify(UINT uNotification, WPARAM wParam, LPARAM lParam) override
    {
        if (uNotification == TDN_CREATED)
        {
            m_events.push_back("created");
            m_hwndSeen = GetDialogWindow();
            if (m_onCreated)
                m_onCreated(*this, GetDialogWindow());
        }
        return CLVKTaskDialog::OnNotify(uNotification, wParam, lParam);
    }
    void OnDialogConstructed() override { m_events.push_back("constructed"); }
    void OnDestroyed() override { m_events.push_back("destroyed"); }
    void OnButtonClicked(int nButtonID, BOOL& bCloseDialog) override
    {
        m_events.push_back("clicked " + std::to_string(nButtonID));
        CLVKTaskDialog::OnButtonClicked(nButtonID, bCloseDialog);
        if (nButtonID == m_nKeepOpenButton)
        {
            bCloseDialog = FALSE;
            if (GetDialogWindow())
                ::PostMessageW(GetDialogWindow(), TDM_CLICK_BUTTON, IDCANCEL, 0);
        }
    }
    void OnTimer(DWORD, BOOL& bReset) override { bReset = TRUE; }
};

void ClickLater(HWND hwndDialog, int nButton)
{
    // Posted, so the click arrives through the dialog's own modal loop.
    PostMessageW(hwndDialog, TDM_CLICK_BUTTON, static_cast<WPARAM>(nButton), 0);
}

// What the test library reads of the dialog (the emulation paints its texts).
bool DialogShowsText(HWND hwndDialog, const wchar_t* pszText)
{
    const CapturedDialog shown = ReadDialog(hwndDialog);
    return std::find(shown.texts.begin(), shown.texts.end(), pszText) != shown.texts.end();
}

void ConfigureElevationPrompt(CLVKTaskDialog& dialog)
{
    dialog.SetWindowTitle(L"Lorvane test");
    dialog.SetMainInstruction(L"Administrator privileges required");
    dialog.SetContent(L"Lorvane needs to restart as administrator to set up virtual drives.");
    dialog.SetMainIcon(TD_SHIELD_ICON);
    dialog.SetCommonButtonMask(TDCBF_CANCEL_BUTTON);
    dialog.AddButton(L"Restart", 6);
    dialog.EnableHyperlinks();
    dialog.EnableCancellation();
    dialog.EnableRelativePosition();
    dialog.SetWidth(440);
}

TEST(TaskDialog, CustomButtonClickedFromTheCallbackEndsTheDialog)
{
    ScriptedTaskDialog dialog;
    ConfigureElevationPrompt(dialog);
    dialog.m_onCreated = [](ScriptedTaskDialog&, HWND hwndDialog) { ClickLater(hwndDialog, 6); };

    EXPECT_EQ(6, dialog.DoModal());
    EXPECT_EQ(6, dialog.GetSelectedButton());
    EXPECT_NE(nullptr, dialog.m_hwndSeen) << "the window is known from TDN_DIALOG_CONSTRUCTED on";
    EXPECT_EQ(nullptr, dialog.GetDialogWindow()) << "and forgotten when the dialog is gone";
    const std::vector<std::string> expected = {"constructed", "created", "clicked 6", "destroyed"};
    EXPECT_EQ(expected, dialog.m_events);
}

TEST(TaskDialog, ButtonThatClearsTheCloseFlagKeepsTheDialogOpen)
{
    ScriptedTaskDialog dialog;
    ConfigureElevationPrompt(dialog);
    dialog.m_nKeepOpenButton = 6;
    dialog.m_onCreated = [](ScriptedTaskDialog&, HWND hwndDialog) { ClickLater(hwndDialog, 6); };

    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    const std::vector<std::string> expected = {"constructed", "created", "clicked 6", "clicked 2", "destroyed"};
    EXPECT_EQ(expected, dialog.m_events);
}

TEST(TaskDialog, CapturedDialogShowsTheConfiguration)
{
    ScriptedTaskDialog dialog;
    ConfigureElevationPrompt(dialog);
    DialogCapture dialogs;
    dialogs.QueueAnswer(IDCANCEL);

    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    ASSERT_EQ(1u, dialogs.Count());
    const CapturedDialog shown = dialogs.Dialogs()[0];
    EXPECT_FALSE(shown.isMessageBox);
    EXPECT_EQ(L"Lorvane test", shown.title);
    EXPECT_NE(std::wstring::npos, shown.text.find(L"Administrator privileges required")) << shown.text;
    EXPECT_NE(std::wstring::npos, shown.text.find(L"to set up virtual drives.")) << shown.text;
    EXPECT_TRUE(shown.HasButton(6));
    EXPECT_TRUE(shown.HasButton(IDCANCEL));
}

TEST(TaskDialog, RunsAgainWithTheSameConfiguration)
{
    ScriptedTaskDialog dialog;
    ConfigureElevationPrompt(dialog);
    DialogCapture dialogs;
    dialogs.QueueAnswer(6);
    dialogs.QueueAnswer(IDCANCEL);
    EXPECT_EQ(6, dialog.DoModal());
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(2u, dialogs.Count());
}

TEST(TaskDialog, QuestionIconIsDrawnByTheEmulationWithTheIdKept)
{
    ScriptedTaskDialog dialog;
    dialog.SetMainInstruction(L"Keep the drive?");
    dialog.SetMainIcon(TASKDIALOG_QUESTION_ICON);
    bool bHandleDuringCall = true;
    bool bIconShown = false;
    dialog.m_onCreated = [&](ScriptedTaskDialog& self, HWND hwndDialog)
    {
        // Only the platform's dialog needs a handle lent; the emulation
        // draws the toolkit's question icon from the id.
        const TASKDIALOGCONFIG& config = self.GetConfig();
        bHandleDuringCall = (config.dwFlags & TDF_USE_HICON_MAIN) != 0;
        bIconShown = self.GetMainIcon() != nullptr;
        ClickLater(hwndDialog, IDOK);
    };

    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_FALSE(bHandleDuringCall);
    EXPECT_TRUE(bIconShown);
    EXPECT_EQ(TASKDIALOG_QUESTION_ICON, dialog.GetConfig().pszMainIcon);
    EXPECT_EQ(0u, dialog.GetConfig().dwFlags & TDF_USE_HICON_MAIN);
}

TEST(TaskDialog, ElementSettersUpdateTheOpenDialog)
{
    ScriptedTaskDialog dialog;
    dialog.SetMainInstruction(L"Before");
    dialog.SetContent(L"Original content");
    bool bShownBefore = false;
    bool bShownAfter = false;
    dialog.m_onCreated = [&](ScriptedTaskDialog& self, HWND hwndDialog)
    {
        bShownBefore = DialogShowsText(hwndDialog, L"Original content");
        self.SetContent(L"Changed content");
        bShownAfter = DialogShowsText(hwndDialog, L"Changed content");
        ClickLater(hwndDialog, IDOK);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_TRUE(bShownBefore);
    EXPECT_TRUE(bShownAfter);
    EXPECT_EQ(L"Changed content", Text(dialog.GetConfig().pszContent));
}

TEST(TaskDialog, RadioButtonAndVerificationResults)
{
    ScriptedTaskDialog dialog;
    dialog.SetMainInstruction(L"Which drives?");
    dialog.AddRadioButton(L"Local drives", 101);
    dialog.AddRadioButton(L"Network drives", 102);
    dialog.SetVerificationText(L"Do not ask again");
    dialog.m_onCreated = [](ScriptedTaskDialog&, HWND hwndDialog)
    {
        PostMessageW(hwndDialog, TDM_CLICK_RADIO_BUTTON, 102, 0);
        PostMessageW(hwndDialog, TDM_CLICK_VERIFICATION, TRUE, FALSE);
        ClickLater(hwndDialog, IDOK);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(102, dialog.GetSelectedRadioButton());
    EXPECT_TRUE(dialog.IsVerificationChecked());
}

TEST(TaskDialog, InitialConfiguration)
{
    CLVKTaskDialog dialog;
    const TASKDIALOGCONFIG& config = dialog.GetConfig();
    // The size comctl32 expects of the program's own processor.
#ifdef _WIN64
    EXPECT_EQ(160u, config.cbSize);
#else
    EXPECT_EQ(96u, config.cbSize);
#endif
    EXPECT_EQ(nullptr, config.hwndParent);
    EXPECT_EQ(AfxGetInstanceHandle() ? AfxGetInstanceHandle() : GetModuleHandleW(nullptr), config.hInstance);
    EXPECT_EQ(static_cast<DWORD>(TDF_POSITION_RELATIVE_TO_WINDOW), static_cast<DWORD>(config.dwFlags));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&dialog), config.lpCallbackData);
    EXPECT_EQ(&CLVKTaskDialog::TaskDialogCallbackProc, config.pfCallback);
    const LPCTSTR lpszAppName = AfxGetAppName();
    EXPECT_EQ(std::wstring(lpszAppName ? lpszAppName : L""), Text(config.pszWindowTitle));
    if (lpszAppName && *lpszAppName)
    {
        EXPECT_NE(lpszAppName, config.pszWindowTitle) << "the title is a copy";
    }
    EXPECT_EQ(0u, config.cButtons);
    EXPECT_EQ(0, dialog.GetSelectedButton());
}

TEST(TaskDialog, TextsAreCopiesIdsOrAbsent)
{
    CLVKTaskDialog dialog;
    const TASKDIALOGCONFIG& config = dialog.GetConfig();

    wchar_t szText[] = L"Mapped drive";
    dialog.SetMainInstruction(szText);
    szText[0] = L'X';
    EXPECT_EQ(L"Mapped drive", Text(config.pszMainInstruction)) << "the text is copied";

    EXPECT_TRUE(dialog.SetMainInstruction(L"")) << "no window: nothing to update";
    EXPECT_EQ(nullptr, config.pszMainInstruction) << "an empty text removes the element";

    dialog.SetContent(MAKEINTRESOURCEW(100));
    EXPECT_EQ(MAKEINTRESOURCEW(100), config.pszContent) << "a string id is kept as it is";
    dialog.SetContent(nullptr);
    EXPECT_EQ(nullptr, config.pszContent);

    dialog.SetWindowTitle(MAKEINTRESOURCEW(101));
    EXPECT_EQ(L"Drive tools", Text(config.pszWindowTitle)) << "the title's id is loaded at once";

    dialog.SetFooter(L"Footer");
    dialog.SetExpandedInformation(L"Details");
    dialog.SetExpandedControlText(L"Less");
    dialog.SetCollapsedControlText(L"More");
    EXPECT_EQ(L"Details", Text(config.pszExpandedInformation));
    EXPECT_EQ(L"Less", Text(config.pszExpandedControlText));
    EXPECT_EQ(L"More", Text(config.pszCollapsedControlText));

    dialog.ResetConfig();
    EXPECT_EQ(nullptr, config.pszWindowTitle);
    EXPECT_EQ(nullptr, config.pszFooter);
    EXPECT_EQ(nullptr, config.pszExpandedInformation);
}

TEST(TaskDialog, AddButtonWithAnExistingIdReplacesOnlyTheText)
{
    CLVKTaskDialog dialog;
    dialog.AddButton(L"Restart", 6);
    dialog.AddButton(L"Later", 7);
    dialog.AddButton(L"Restart now", 6);
    const TASKDIALOGCONFIG& config = dialog.GetConfig();
    ASSERT_EQ(2u, config.cButtons);
    EXPECT_EQ(6, config.pButtons[0].nButtonID);
    EXPECT_EQ(L"Restart now", Text(config.pButtons[0].pszButtonText));
    EXPECT_EQ(7, config.pButtons[1].nButtonID);
    EXPECT_EQ(L"Later", Text(config.pButtons[1].pszButtonText));

    // Many buttons: the record follows the array wherever it moves.
    for (int nID = 100; nID < 140; nID++)
        dialog.AddButton(L"More", nID);
    EXPECT_EQ(42u, config.cButtons);
    EXPECT_EQ(139, config.pButtons[41].nButtonID);
    EXPECT_EQ(L"Restart now", Text(config.pButtons[0].pszButtonText));
}

TEST(TaskDialog, WidthInPixelsBecomesDialogUnits)
{
    const int nBaseUnitX = static_cast<short>(LOWORD(GetDialogBaseUnits()));
    ASSERT_GT(nBaseUnitX, 0);
    struct Row
    {
        const char* pszCase;
        int nWidth;
        BOOL bPixels;
        UINT nUnits;
    } const rows[] = {
        {"440 pixels", 440, TRUE, static_cast<UINT>(MulDiv(440, 4, nBaseUnitX))},
        {"dialog units kept", 220, FALSE, 220},
        {"negative pixels", -40, TRUE, 0},
        {"negative units", -40, FALSE, 0},
    };
    CLVKTaskDialog dialog;
    for (const Row& row : rows)
    {
        dialog.SetWidth(row.nWidth, row.bPixels);
        EXPECT_EQ(row.nUnits, dialog.GetConfig().cxWidth) << row.pszCase;
    }
    if (nBaseUnitX == 8)
    {
        dialog.SetWidth(440);
        EXPECT_EQ(220u, dialog.GetConfig().cxWidth);
    }
}

TEST(TaskDialog, FlagsAndCommonButtons)
{
    CLVKTaskDialog dialog;
    const TASKDIALOGCONFIG& config = dialog.GetConfig();
    EXPECT_TRUE(dialog.EnableHyperlinks());
    EXPECT_FALSE(dialog.EnableHyperlinks()) << "no change the second time";
    EXPECT_TRUE(dialog.EnableCancellation());
    EXPECT_FALSE(dialog.EnableRelativePosition()) << "set from the start";
    EXPECT_EQ(
        static_cast<DWORD>(TDF_ENABLE_HYPERLINKS | TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW),
        static_cast<DWORD>(config.dwFlags));
    EXPECT_TRUE(dialog.EnableRelativePosition(FALSE));
    EXPECT_TRUE(dialog.ModifyFlags(TDF_ENABLE_HYPERLINKS, TDF_CALLBACK_TIMER));
    EXPECT_EQ(static_cast<DWORD>(TDF_ALLOW_DIALOG_CANCELLATION | TDF_CALLBACK_TIMER),
              static_cast<DWORD>(config.dwFlags));

    EXPECT_EQ(TDCBF_YES_BUTTON | TDCBF_NO_BUTTON, dialog.SetCommonButtons(FALSE, TRUE, TRUE, FALSE, FALSE, FALSE));
    EXPECT_EQ(0x3F, dialog.SetCommonButtons(TRUE, TRUE, TRUE, TRUE, TRUE, TRUE));
    dialog.SetCommonButtonMask(TDCBF_CANCEL_BUTTON);
    EXPECT_EQ(static_cast<DWORD>(TDCBF_CANCEL_BUTTON), static_cast<DWORD>(config.dwCommonButtons));

    HICON hIcon = LoadIconW(nullptr, IDI_WARNING);
    dialog.SetMainIconHandle(hIcon);
    EXPECT_TRUE(config.dwFlags & TDF_USE_HICON_MAIN);
    EXPECT_EQ(hIcon, config.hMainIcon);
    dialog.SetMainIcon(TD_SHIELD_ICON);
    EXPECT_FALSE(config.dwFlags & TDF_USE_HICON_MAIN);
    EXPECT_EQ(TD_SHIELD_ICON, config.pszMainIcon);
}

TEST(TaskDialog, CallbackDispatch)
{
    ScriptedTaskDialog dialog;
    const LONG_PTR ref = reinterpret_cast<LONG_PTR>(&dialog);
    struct Row
    {
        const char* pszCase;
        UINT uNotification;
        WPARAM wParam;
        HRESULT hr;
    } const rows[] = {
        {"created", TDN_CREATED, 0, S_OK},
        {"button closes", TDN_BUTTON_CLICKED, IDOK, S_OK},
        {"button keeps the dialog", TDN_BUTTON_CLICKED, 9, S_FALSE},
        {"timer asks for a reset", TDN_TIMER, 500, 1},
        {"radio button", TDN_RADIO_BUTTON_CLICKED, 101, S_OK},
        {"help", TDN_HELP, 0, S_OK},
        {"input box", TASKDIALOG_NOTIFY_INPUTBOX_CHANGED, 0, S_OK},
        {"unknown notification", 1234, 0, E_NOTIMPL},
    };
    dialog.m_nKeepOpenButton = 9;
    for (const Row& row : rows)
    {
        EXPECT_EQ(row.hr, CLVKTaskDialog::TaskDialogCallbackProc(nullptr, row.uNotification, row.wParam, 0, ref))
            << row.pszCase;
    }
    EXPECT_EQ(E_FAIL, CLVKTaskDialog::TaskDialogCallbackProc(nullptr, TDN_CREATED, 0, 0, 0)) << "no object";
    EXPECT_EQ(E_NOTIMPL, dialog.Notify(TDN_DESTROYED)) << "the callback handles TDN_DESTROYED itself";

    const HWND hwndFake = reinterpret_cast<HWND>(0x1234);
    CLVKTaskDialog::TaskDialogCallbackProc(hwndFake, TDN_DIALOG_CONSTRUCTED, 0, 0, ref);
    EXPECT_EQ(hwndFake, dialog.GetDialogWindow());
    EXPECT_EQ(S_OK, CLVKTaskDialog::TaskDialogCallbackProc(hwndFake, TDN_DESTROYED, 0, 0, ref));
    EXPECT_EQ(nullptr, dialog.GetDialogWindow());
}

}  // namespace
