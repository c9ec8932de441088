// The emulated task dialog under Wine: the TDM_ messages, notifications and
// their order, the timer, default button and focus, the window's style,
// navigation (from a record on the stack and from a button's own click),
// F1, links, the emulated marquee, layout rules, and the pixels of a few
// layouts printed through WM_PRINTCLIENT.
#include "Controls/TaskDialog.h"

#include "Controls/TaskDialogButton.h"
#include "Controls/TaskDialogMeasure.h"
#include "Foundation/DpiScaling.h"
#include "CapturedDialog.h"
#include "DialogCapture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{

struct Notification
{
    UINT code;
    WPARAM wParam;
    std::wstring text;  // the link target of TDN_HYPERLINK_CLICKED
};

// Records every notification and runs the test's script when the dialog is up.
class RecordingTaskDialog : public CLVKTaskDialog
{
public:
    std::vector<Notification> m_notes;
    std::function<void(RecordingTaskDialog&, HWND)> m_onCreated;
    std::function<void(RecordingTaskDialog&, int, BOOL&)> m_onButton;
    std::function<HRESULT(DWORD)> m_onTimer;

    std::vector<UINT> Codes() const
    {
        std::vector<UINT> codes;
        for (const Notification& note : m_notes)
            codes.push_back(note.code);
        return codes;
    }
    int Count(UINT code) const
    {
        int n = 0;
        for (const Notification& note : m_notes)
            n += note.code == code;
        return n;
    }
    using CLVKTaskDialogClient::m_bInputBoxEnabled;
    using CLVKTaskDialogClient::m_strInputBoxText;

protected:
    HRESULT OnNotify(UINT uNotification, WPARAM wParam, LPARAM lParam) override
    {
        Notification note{uNotification, wParam, {}};
        if (uNotification == TDN_HYPERLINK_CLICKED && lParam)
            note.text = reinterpret_cast<LPCWSTR>(lParam);
        m_notes.push_back(note);
        if (uNotification == TDN_TIMER && m_onTimer)
            return m_onTimer(static_cast<DWORD>(wParam));
        const HRESULT hr = CLVKTaskDialog::OnNotify(uNotification, wParam, lParam);
        if (uNotification == TDN_CREATED && m_onCreated)
            m_onCreated(*this, GetSafeHwnd());
        return hr;
    }
    void OnButtonClicked(int nButtonID, BOOL& bCloseDialog) override
    {
        CLVKTaskDialog::OnButtonClicked(nButtonID, bCloseDialog);
        if (m_onButton)
            m_onButton(*this, nButtonID, bCloseDialog);
    }
    void OnHyperlinkClicked(LPCWSTR) override {}
    // TDN_DESTROYED reaches OnDestroyed only.
    void OnDestroyed() override { m_notes.push_back({TDN_DESTROYED, 0, {}}); }
};

// Runs the script once the modal loop is running (TDN_CREATED comes during
// the window's creation, before the default button and the focus are set).
std::function<void()> g_soon;

void CALLBACK RunSoonProc(HWND, UINT, UINT_PTR nId, DWORD)
{
    KillTimer(nullptr, nId);
    auto script = std::move(g_soon);
    g_soon = nullptr;
    if (script)
        script();
}

void RunSoon(std::function<void()> script)
{
    g_soon = std::move(script);
    SetTimer(nullptr, 0, 30, &RunSoonProc);
}

void Click(HWND hDialog, int nId)
{
    PostMessageW(hDialog, TDM_CLICK_BUTTON, static_cast<WPARAM>(nId), 0);
}

}  // namespace

TEST(TaskDialogEmulation, TaskDialogMessagesAnswerAsTheirTable)
{
    struct Case
    {
        const char* name;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT expected;
    };
    RecordingTaskDialog dialog;
    dialog.SetMainInstruction(L"Copying");
    dialog.SetContent(L"Files are copied.");
    dialog.AddRadioButton(L"Fast", 201);
    dialog.AddRadioButton(L"Careful", 202);
    dialog.AddButton(L"Stop", 300);
    dialog.SetVerificationText(L"Close when done");
    dialog.ModifyFlags(0, TDF_SHOW_PROGRESS_BAR);
    std::vector<std::pair<std::string, LRESULT>> answers;
    std::vector<std::pair<std::string, LRESULT>> expected;
    dialog.m_onCreated = [&](RecordingTaskDialog&, HWND hDialog)
    {
        const Case cases[] = {
            {"main instruction", TDM_SET_ELEMENT_TEXT, TDE_MAIN_INSTRUCTION, (LPARAM)L"Moving", 1},
            {"content", TDM_SET_ELEMENT_TEXT, TDE_CONTENT, (LPARAM)L"Files are moved.", 1},
            {"footer", TDM_SET_ELEMENT_TEXT, TDE_FOOTER, (LPARAM)L"Footnote", 1},
            {"expanded information", TDM_SET_ELEMENT_TEXT, TDE_EXPANDED_INFORMATION, (LPARAM)L"More", 1},
            {"unknown element", TDM_SET_ELEMENT_TEXT, 4, (LPARAM)L"Nowhere", 0},
            {"progress range", TDM_SET_PROGRESS_BAR_RANGE, 0, MAKELPARAM(0, 50), 1},
            {"progress position", TDM_SET_PROGRESS_BAR_POS, 20, 0, 1},
            {"progress state", TDM_SET_PROGRESS_BAR_STATE, PBST_PAUSED, 0, 1},
            {"marquee style", TDM_SET_MARQUEE_PROGRESS_BAR, TRUE, 0, 1},
            {"marquee", TDM_SET_PROGRESS_BAR_MARQUEE, TRUE, 30, 1},
            {"radio button", TDM_CLICK_RADIO_BUTTON, 202, 0, 1},
            {"radio id of a push button", TDM_CLICK_RADIO_BUTTON, 300, 0, 0},
            {"missing radio button", TDM_CLICK_RADIO_BUTTON, 999, 0, 0},
            {"disable radio button", TDM_ENABLE_RADIO_BUTTON, 201, FALSE, 1},
            {"enable a push button as radio", TDM_ENABLE_RADIO_BUTTON, 300, TRUE, 0},
            {"disable button", TDM_ENABLE_BUTTON, 300, FALSE, 1},
            {"missing button", TDM_ENABLE_BUTTON, 999, TRUE, 0},
            {"verification", TDM_CLICK_VERIFICATION, TRUE, FALSE, 1},
            {"shield", TDM_SET_BUTTON_ELEVATION_REQUIRED_STATE, 300, TRUE, 1},
            {"shield on nothing", TDM_SET_BUTTON_ELEVATION_REQUIRED_STATE, 999, TRUE, 0},
            {"main icon", TDM_UPDATE_ICON, TDIE_ICON_MAIN, (LPARAM)TD_WARNING_ICON, 1},
            {"footer icon", TDM_UPDATE_ICON, TDIE_ICON_FOOTER, (LPARAM)TD_INFORMATION_ICON, 1},
            {"unknown icon", TDM_UPDATE_ICON, 2, (LPARAM)TD_WARNING_ICON, 0},
            {"click missing button", TDM_CLICK_BUTTON, 999, 0, 0},
        };
        for (const Case& c : cases)
        {
            answers.push_back({c.name, SendMessageW(hDialog, c.message, c.wParam, c.lParam)});
            expected.push_back({c.name, c.expected});
        }
        Click(hDialog, 300);
    };
    EXPECT_EQ(300, dialog.DoModal());
    EXPECT_EQ(expected, answers);
    EXPECT_EQ(202, dialog.GetSelectedRadioButton());
    EXPECT_TRUE(dialog.IsVerificationChecked());
}

TEST(TaskDialogEmulation, ProgressMessagesWithoutAProgressBarAreRefused)
{
    RecordingTaskDialog dialog;
    dialog.SetMainInstruction(L"No bar");
    std::vector<LRESULT> answers;
    dialog.m_onCreated = [&](RecordingTaskDialog&, HWND hDialog)
    {
        for (UINT message : {TDM_SET_PROGRESS_BAR_RANGE, TDM_SET_PROGRESS_BAR_POS, TDM_SET_PROGRESS_BAR_STATE,
                             TDM_SET_MARQUEE_PROGRESS_BAR, TDM_SET_PROGRESS_BAR_MARQUEE, TDM_CLICK_VERIFICATION})
            answers.push_back(SendMessageW(hDialog, message, 1, 1));
        Click(hDialog, IDOK);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(std::vector<LRESULT>(6, 0), answers);
}

TEST(TaskDialogEmulation, NotificationsOfOneRunComeInOrder)
{
    RecordingTaskDialog dialog;
    dialog.SetMainInstruction(L"Choose");
    dialog.AddRadioButton(L"One", 11);
    dialog.AddRadioButton(L"Two", 12);
    dialog.SetVerificationText(L"Remember");
    dialog.SetExpandedInformation(L"Details here");
    CString strCollapsed;
    CString strExpanded;
    dialog.m_onCreated = [&](RecordingTaskDialog& self, HWND hDialog)
    {
        RunSoon(
            [&, hDialog]
            {
                // Real clicks on the controls, as the user makes them.
                SendMessageW(GetDlgItem(hDialog, 12), BM_CLICK, 0, 0);
                HWND hExpando = self.GetExpandoButton()->GetSafeHwnd();
                strCollapsed = self.GetExpandoButton()->GetCaption();
                SendMessageW(hExpando, BM_CLICK, 0, 0);
                strExpanded = self.GetExpandoButton()->GetCaption();
                SendMessageW(hExpando, BM_CLICK, 0, 0);
                SendMessageW(self.GetVerificationBox()->GetSafeHwnd(), BM_CLICK, 0, 0);
                Click(hDialog, IDOK);
            });
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    const std::vector<UINT> expected = {TDN_DIALOG_CONSTRUCTED,     TDN_CREATED,
                                        TDN_RADIO_BUTTON_CLICKED,   TDN_EXPANDO_BUTTON_CLICKED,
                                        TDN_EXPANDO_BUTTON_CLICKED, TDN_VERIFICATION_CLICKED,
                                        TDN_BUTTON_CLICKED,         TDN_DESTROYED};
    EXPECT_EQ(expected, dialog.Codes());
    ASSERT_EQ(expected.size(), dialog.m_notes.size());
    EXPECT_EQ(12u, dialog.m_notes[2].wParam);
    EXPECT_EQ(1u, dialog.m_notes[3].wParam) << "expanded";
    EXPECT_EQ(0u, dialog.m_notes[4].wParam) << "collapsed again";
    EXPECT_EQ(1u, dialog.m_notes[5].wParam);
    EXPECT_EQ(L"Show &Details", std::wstring(strCollapsed));
    EXPECT_EQ(L"Hide &Details", std::wstring(strExpanded));
    EXPECT_EQ(12, dialog.GetSelectedRadioButton());
    EXPECT_TRUE(dialog.IsVerificationChecked());
}

TEST(TaskDialogEmulation, CallbackTimerCountsFromTheStartOrTheLastReset)
{
    for (const bool bReset : {false, true})
    {
        SCOPED_TRACE(bReset ? "reset" : "no reset");
        RecordingTaskDialog dialog;
        dialog.SetMainInstruction(L"Waiting");
        dialog.ModifyFlags(0, TDF_CALLBACK_TIMER);
        std::vector<DWORD> ticks;
        dialog.m_onTimer = [&](DWORD dwMs) -> HRESULT
        {
            ticks.push_back(dwMs);
            if (ticks.size() == 3)
                Click(dialog.GetSafeHwnd(), IDOK);
            return bReset ? 1 : 0;
        };
        EXPECT_EQ(IDOK, dialog.DoModal());
        ASSERT_GE(ticks.size(), 3u);
        EXPECT_GE(ticks[0], 150u);
        if (bReset)
        {
            EXPECT_LT(ticks[2], 350u) << "each tick counts from the previous reset";
        }
        else
        {
            EXPECT_GT(ticks[2], ticks[1]);
            EXPECT_GE(ticks[2], 500u) << "three intervals since the start";
        }
    }
}

TEST(TaskDialogEmulation, DefaultButtonAndFocus)
{
    struct Case
    {
        const char* name;
        bool bInputBox;
        bool bCommandLinks;
        int nDefault;
        int nExpectedDefault;
        bool bDefaultHasFocus;
    };
    const Case cases[] = {
        {"first command link", false, true, 0, 41, true},
        {"first push button", false, false, 0, 41, true},
        {"given default", false, false, 42, 42, true},
        {"input box keeps the focus", true, true, 0, 41, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        RecordingTaskDialog dialog;
        dialog.SetMainInstruction(L"Pick one");
        dialog.AddButton(L"First\nThe first way", 41);
        dialog.AddButton(L"Second", 42);
        if (c.bCommandLinks)
            dialog.ModifyFlags(0, TDF_USE_COMMAND_LINKS);
        dialog.SetDefaultButton(c.nDefault);
        dialog.m_bInputBoxEnabled = c.bInputBox;
        dialog.m_strInputBoxText = L"typed";
        LRESULT nDefId = 0;
        int nFocusId = -1;
        dialog.m_onCreated = [&](RecordingTaskDialog&, HWND hDialog)
        {
            RunSoon(
                [&, hDialog]
                {
                    nDefId = SendMessageW(hDialog, DM_GETDEFID, 0, 0);
                    nFocusId = GetDlgCtrlID(GetFocus());
                    // Escape: there is no Cancel button, cancellation is allowed.
                    PostMessageW(hDialog, WM_COMMAND, IDCANCEL, 0);
                });
        };
        dialog.EnableCancellation();
        dialog.DoModal();
        EXPECT_EQ(c.nExpectedDefault, LOWORD(nDefId));
        EXPECT_EQ(c.bDefaultHasFocus, nFocusId == c.nExpectedDefault) << "focus on id " << nFocusId;
        if (c.bInputBox)
        {
            EXPECT_EQ(static_cast<int>(CLVKTaskDialogClient::kInputBoxId), nFocusId);
            EXPECT_EQ(L"typed", std::wstring(dialog.m_strInputBoxText)) << "read back when the dialog closes";
        }
    }
}
