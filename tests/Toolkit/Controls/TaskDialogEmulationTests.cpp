// The emulated task dialog under Wine: the TDM_ messages, notifications and
// their order, the timer, default button and focus, the window's style,
// navigation (from a record on the stack and from a button's own click),
// F1, links, the emulated marquee, layout rules, the pixels of a few
// layouts printed through WM_PRINTCLIENT, and markup texts.
#include "Controls/TaskDialog.h"

#include "Controls/Button.h"
#include "Controls/TaskDialogMeasure.h"
#include "Foundation/ColorManager.h"
#include "Foundation/DpiScaling.h"
#include "Markup/MarkupHelpers.h"
#include "CapturedDialog.h"
#include "DialogCapture.h"
#include "MouseInput.h"
#include "PrintedWindow.h"

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
    using CLVKTaskDialogClient::m_bMarkupEnabled;
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
                strCollapsed = self.GetExpandoButton()->GetButtonText();
                SendMessageW(hExpando, BM_CLICK, 0, 0);
                strExpanded = self.GetExpandoButton()->GetButtonText();
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
        // When each tick came, on the clock the dialog counts with: the
        // figures it reports are held against these, never against fixed
        // times (a busy machine delivers ticks late).
        std::vector<DWORD> seenAt;
        const DWORD dwBeforeModal = GetTickCount();
        dialog.m_onTimer = [&](DWORD dwMs) -> HRESULT
        {
            ticks.push_back(dwMs);
            seenAt.push_back(GetTickCount());
            if (ticks.size() == 3)
                Click(dialog.GetSafeHwnd(), IDOK);
            return bReset ? 1 : 0;
        };
        EXPECT_EQ(IDOK, dialog.DoModal());
        ASSERT_GE(ticks.size(), 3u);
        EXPECT_GT(ticks[0], 0u);
        EXPECT_LE(ticks[0], seenAt[0] - dwBeforeModal) << "the first tick counts from the dialog's start";
        if (bReset)
        {
            // The reset follows the callback, so it came after the tick
            // before was seen.
            EXPECT_LE(ticks[2], seenAt[2] - seenAt[1]) << "each tick counts from the previous reset";
        }
        else
        {
            EXPECT_GT(ticks[2], ticks[1]);
            // The first tick came an interval after the start.
            EXPECT_GE(ticks[2], seenAt[2] - seenAt[0]) << "three intervals since the start";
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

TEST(TaskDialogEmulation, SystemMenuOnlyWhenTheDialogCanBeCancelled)
{
    struct Case
    {
        const char* name;
        bool bCancellation;
        DWORD dwCommon;
        DWORD dwFlags;
        bool bSysMenu;
        bool bMinimize;
    };
    const Case cases[] = {
        {"neither", false, TDCBF_OK_BUTTON, 0, false, false},
        {"cancellation allowed", true, TDCBF_OK_BUTTON, 0, true, false},
        {"Cancel button", false, TDCBF_CANCEL_BUTTON, 0, true, false},
        {"can be minimized", false, TDCBF_OK_BUTTON, TDF_CAN_BE_MINIMIZED, false, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        RecordingTaskDialog dialog;
        dialog.SetMainInstruction(L"Style");
        dialog.EnableCancellation(c.bCancellation);
        dialog.SetCommonButtonMask(c.dwCommon);
        dialog.ModifyFlags(0, c.dwFlags);
        LONG nStyle = 0;
        LRESULT nEscape = -1;
        dialog.m_onCreated = [&](RecordingTaskDialog&, HWND hDialog)
        {
            nStyle = GetWindowLongW(hDialog, GWL_STYLE);
            // Escape without a way to cancel does nothing.
            nEscape = SendMessageW(hDialog, WM_COMMAND, IDCANCEL, 0);
            Click(hDialog, c.dwCommon == TDCBF_CANCEL_BUTTON ? IDCANCEL : IDOK);
        };
        const INT_PTR nResult = dialog.DoModal();
        EXPECT_EQ(c.bSysMenu, (nStyle & WS_SYSMENU) != 0);
        EXPECT_EQ(c.bMinimize, (nStyle & WS_MINIMIZEBOX) != 0);
        EXPECT_EQ(c.bSysMenu ? IDCANCEL : IDOK, nResult) << "Escape ends only a dialog that can be cancelled";
    }
}

TEST(TaskDialogEmulation, WidthInPixelsGivesTheClientWidth)
{
    RecordingTaskDialog dialog;
    dialog.SetMainInstruction(L"A fixed width");
    dialog.SetContent(L"The dialog is as wide as its owner asked, whatever its texts need.");
    dialog.SetWidth(440);
    const int nBase = static_cast<short>(LOWORD(GetDialogBaseUnits()));
    RECT rcClient{};
    dialog.m_onCreated = [&](RecordingTaskDialog&, HWND hDialog)
    {
        GetClientRect(hDialog, &rcClient);
        Click(hDialog, IDOK);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(static_cast<UINT>(MulDiv(440, 4, nBase)), dialog.GetConfig().cxWidth);
    EXPECT_EQ(MulDiv(static_cast<int>(dialog.GetConfig().cxWidth), nBase, 4), rcClient.right);
}

TEST(TaskDialogEmulation, NavigationCopiesTheRecordFromTheCallersStack)
{
    RecordingTaskDialog dialog;
    dialog.SetMainInstruction(L"Page one");
    dialog.AddButton(L"Next", 50);
    CapturedDialog secondPage;
    dialog.m_onButton = [&](RecordingTaskDialog& self, int nId, BOOL& bClose)
    {
        if (nId != 50)
            return;
        bClose = FALSE;
        {
            // A record, texts and buttons that are gone once this block ends.
            wchar_t szInstruction[] = L"Page two";
            wchar_t szButton[] = L"Finish";
            TASKDIALOG_BUTTON buttons[] = {{60, szButton}};
            TASKDIALOGCONFIG page{};
            page.cbSize = sizeof(page);
            page.hInstance = GetModuleHandleW(nullptr);
            page.pszWindowTitle = L"Wizard";
            page.pszMainInstruction = szInstruction;
            page.pButtons = buttons;
            page.cButtons = 1;
            page.pfCallback = self.GetConfig().pfCallback;
            page.lpCallbackData = self.GetConfig().lpCallbackData;
            SendMessageW(self.GetSafeHwnd(), TDM_NAVIGATE_PAGE, 0, reinterpret_cast<LPARAM>(&page));
            wmemset(szInstruction, L'X', 8);
            wmemset(szButton, L'Y', 6);
            buttons[0].nButtonID = 99;
        }
        RunSoon(
            [&]
            {
                secondPage = ReadDialog(self.GetSafeHwnd());
                Click(self.GetSafeHwnd(), 60);
            });
    };
    dialog.m_onCreated = [](RecordingTaskDialog&, HWND hDialog) { Click(hDialog, 50); };
    EXPECT_EQ(60, dialog.DoModal());
    EXPECT_EQ(L"Wizard", secondPage.title);
    EXPECT_EQ(L"Page two", secondPage.mainInstruction);
    EXPECT_EQ((std::vector<std::wstring>{L"Finish"}), secondPage.ButtonTexts());
    EXPECT_EQ(1, dialog.Count(TDN_NAVIGATED));
    EXPECT_EQ(2, dialog.Count(TDN_DIALOG_CONSTRUCTED));
    EXPECT_EQ(L"Page one", std::wstring(dialog.GetConfig().pszMainInstruction)) << "the object's own record stays";
}

TEST(TaskDialogEmulation, NavigationFromAButtonsOwnClickKeepsThatButtonAlive)
{
    RecordingTaskDialog dialog;
    dialog.SetMainInstruction(L"Page one");
    dialog.AddButton(L"Next", 50);
    TASKDIALOGCONFIG page{};
    TASKDIALOG_BUTTON buttons[] = {{61, L"Done"}};
    page.cbSize = sizeof(page);
    page.pszMainInstruction = L"Page two";
    page.pButtons = buttons;
    page.cButtons = 1;
    // The new page has no callback: its buttons close the dialog.
    bool bOldButtonAliveAfterNavigation = false;
    dialog.m_onButton = [&](RecordingTaskDialog& self, int nId, BOOL& bClose)
    {
        if (nId != 50)
            return;
        bClose = FALSE;
        const HWND hOld = GetDlgItem(self.GetSafeHwnd(), 50);
        SendMessageW(self.GetSafeHwnd(), TDM_NAVIGATE_PAGE, 0, reinterpret_cast<LPARAM>(&page));
        // Still inside the old button's click: its window must still be there.
        bOldButtonAliveAfterNavigation = IsWindow(hOld) && !GetDlgItem(self.GetSafeHwnd(), 50);
        RunSoon([&] { PostMessageW(self.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(61, BN_CLICKED), 0); });
    };
    dialog.m_onCreated = [](RecordingTaskDialog&, HWND hDialog)
    { RunSoon([hDialog] { SendMessageW(GetDlgItem(hDialog, 50), BM_CLICK, 0, 0); }); };
    EXPECT_EQ(61, dialog.DoModal()) << "a record without callback lets its buttons close the dialog";
    EXPECT_TRUE(bOldButtonAliveAfterNavigation);
}

TEST(TaskDialogEmulation, F1SendsHelpOncePerPress)
{
    RecordingTaskDialog dialog;
    dialog.SetMainInstruction(L"Help");
    dialog.m_onCreated = [](RecordingTaskDialog&, HWND hDialog)
    {
        const LPARAM kRepeat = 1 << 30;
        PostMessageW(hDialog, WM_KEYDOWN, VK_F1, 1);
        PostMessageW(hDialog, WM_KEYDOWN, VK_F1, kRepeat | 1);
        PostMessageW(hDialog, WM_KEYDOWN, VK_F1, kRepeat | 1);
        PostMessageW(hDialog, WM_KEYUP, VK_F1, 0xC0000001);
        PostMessageW(hDialog, WM_KEYDOWN, VK_F1, 1);
        PostMessageW(hDialog, WM_KEYUP, VK_F1, 0xC0000001);
        Click(hDialog, IDOK);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(2, dialog.Count(TDN_HELP));
}

TEST(TaskDialogEmulation, LinksInContentAndFooterReportTheirTargets)
{
    RecordingTaskDialog dialog;
    dialog.SetMainInstruction(L"Links");
    dialog.SetContent(L"Read <A HREF=\"https://example.invalid/a\">the guide</A> or <a href=\"b\">the FAQ</a>.");
    dialog.SetFooter(L"See <a href=\"footer-target\">more</a>");
    dialog.EnableHyperlinks();
    CString strContentShown;
    CapturedDialog shown;
    dialog.m_onCreated = [&](RecordingTaskDialog& self, HWND hDialog)
    {
        RunSoon(
            [&, hDialog]
            {
                CLVKTaskDialogLinkCtrl& content = self.GetContentLink();
                strContentShown = content.GetDisplayText();
                shown = ReadDialog(hDialog);
                // Tab inside the control moves to the second link; Enter clicks it.
                SetFocus(content.GetSafeHwnd());
                MSG tab{content.GetSafeHwnd(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
                SendMessageW(content.GetSafeHwnd(), WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&tab));
                SendMessageW(content.GetSafeHwnd(), WM_KEYDOWN, VK_RETURN, 0);
                CLVKTaskDialogLinkCtrl& footer = self.GetFooterLink();
                SetFocus(footer.GetSafeHwnd());
                SendMessageW(footer.GetSafeHwnd(), WM_KEYDOWN, VK_SPACE, 0);
                Click(hDialog, IDOK);
            });
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(L"Read the guide or the FAQ.", std::wstring(strContentShown));
    EXPECT_EQ(L"Read the guide or the FAQ.", shown.content) << "the test library reads the display text";
    std::vector<std::wstring> targets;
    for (const Notification& note : dialog.m_notes)
    {
        if (note.code == TDN_HYPERLINK_CLICKED)
            targets.push_back(note.text);
    }
    EXPECT_EQ((std::vector<std::wstring>{L"b", L"footer-target"}), targets);
}

TEST(TaskDialogEmulation, LinkParserFindsWellFormedAnchorsOnly)
{
    struct Case
    {
        const char* name;
        const wchar_t* text;
        const wchar_t* display;
        std::vector<std::wstring> targets;
    };
    const Case cases[] = {
        {"capital letters", L"a <A HREF=\"T\">link</A> b", L"a link b", {L"T"}},
        {"two links", L"<a href=\"1\">one</a>, <a href=\"2\">two</a>", L"one, two", {L"1", L"2"}},
        {"no closing quote", L"x <a href=\"open>text</a>", L"x <a href=\"open>text</a>", {}},
        {"no closing bracket", L"x <a href=\"t\" text</a>", L"x <a href=\"t\" text</a>", {}},
        {"no closing tag", L"x <a href=\"t\">text", L"x <a href=\"t\">text", {}},
        {"empty target", L"<a href=\"\">empty</a>", L"empty", {L""}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CLVKTaskDialogLinkCtrl link;
        CString strText = c.text;
        link.ParseLinks(strText);
        EXPECT_EQ(std::wstring(c.display), std::wstring(strText));
        std::vector<std::wstring> targets;
        for (int i = 0; i < link.GetLinkCount(); ++i)
        {
            targets.push_back(std::wstring(link.GetLink(i)->strTarget));
            const CLVKTaskDialogLinkCtrl::LINKITEM* pItem = link.GetLink(i);
            EXPECT_EQ(std::wstring(pItem->strText),
                      std::wstring(strText.Mid(pItem->nStart, pItem->strText.GetLength())));
        }
        EXPECT_EQ(c.targets, targets);
    }
    // Positions past 65535 characters are whole numbers, not cut to 16 bits.
    CString strLong = CString(std::wstring(70000, L'x').c_str()) + L"<a href=\"far\">far</a>";
    int nStart = 0;
    int nLength = 0;
    ASSERT_TRUE(CLVKTaskDialogLinkCtrl::FindNextLink(strLong, 0, nStart, nLength));
    EXPECT_EQ(70000, nStart);
    EXPECT_EQ(21, nLength);
}

TEST(TaskDialogEmulation, MarqueeRunsItselfOnAnOldComCtl)
{
    RecordingTaskDialog dialog;
    dialog.SetMainInstruction(L"Working");
    dialog.ModifyFlags(0, TDF_SHOW_MARQUEE_PROGRESS_BAR);
    bool bRunning = false;
    int nAfterOneTick = -1;
    int nBlock = 0;
    bool bStopped = false;
    dialog.m_onCreated = [&](RecordingTaskDialog& self, HWND hDialog)
    {
        CLVKTaskDialogProgressCtrl& bar = self.GetProgressBar();
        ASSERT_FALSE(bar.PlatformAnimatesMarquee()) << "Wine's comctl32 reports 5.81";
        SendMessageW(hDialog, TDM_SET_PROGRESS_BAR_MARQUEE, TRUE, 30);
        bRunning = bar.IsMarqueeRunning() != FALSE;
        SendMessageW(bar.GetSafeHwnd(), WM_TIMER, CLVKTaskDialogProgressCtrl::kMarqueeTimerId, 0);
        nAfterOneTick = bar.GetMarqueePos();
        RECT rc{};
        GetClientRect(bar.GetSafeHwnd(), &rc);
        nBlock = (rc.bottom - CLVKDpiScaling::GetGlobal()->ScaleX(2)) * 2 / 3;
        SendMessageW(hDialog, TDM_SET_PROGRESS_BAR_MARQUEE, FALSE, 30);
        bStopped = !bar.IsMarqueeRunning();
        Click(hDialog, IDOK);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_TRUE(bRunning);
    EXPECT_EQ(2 * nBlock, nAfterOneTick) << "two blocks per tick below 51 ms (no gap on Windows 6.0 or later)";
    EXPECT_TRUE(bStopped) << "wParam 0 stops it whatever lParam holds";
}

TEST(TaskDialogEmulation, LayoutRules)
{
    RecordingTaskDialog dialog;
    dialog.SetMainInstruction(L"Measure");
    dialog.ModifyFlags(0, TDF_USE_COMMAND_LINKS);
    dialog.AddButton(L"A rather long command link title", 70);
    SIZE wrapped{};
    SIZE inset{};
    int nLinkWidth = 0;
    int nTitleWidth = 0;
    int nMargin = 0;
    dialog.m_onCreated = [&](RecordingTaskDialog& self, HWND hDialog)
    {
        inset = SIZE{8, 2};
        // One word longer than the limit: the button stays within the limit.
        wrapped = self.CalcButtonSize(L"Supercalifragilisticexpialidocious", inset, 40);
        nLinkWidth = self.CalcCommandLinkWidth(L"A rather long command link title", 2000);
        SIZE title{2000, 0};
        TaskDialogCalcTextRect(L"A rather long command link title", title, self.GetMainFont());
        nTitleWidth = title.cx;
        nMargin = self.GetMarginX();
        Click(hDialog, 70);
    };
    EXPECT_EQ(70, dialog.DoModal());
    EXPECT_LE(wrapped.cx, 40 + 2 * inset.cx);
    EXPECT_GE(nLinkWidth, nTitleWidth + 2 * nMargin) << "a title that needs no wrapping counts with its own width";
}

TEST(TaskDialogEmulation, PixelsOfTheClassicAndThemedLooks)
{
    for (const bool bThemed : {false, true})
    {
        SCOPED_TRACE(bThemed ? "themed" : "classic");
        RecordingTaskDialog dialog;
        dialog.SetMainInstruction(L"Pixels");
        dialog.SetContent(L"Content");
        dialog.SetFooter(L"Footer text");
        dialog.SetForceThemed(bThemed);
        RECT rcButtons{};
        std::vector<COLORREF> seen;
        dialog.m_onCreated = [&](RecordingTaskDialog& self, HWND hDialog)
        {
            rcButtons = self.GetElementRect(CLVKTaskDialogClient::rectButtonArea);
            const PrintedWindow shot(hDialog);
            // The right edge: no text or control there.
            const int x = shot.Width() - 2;
            seen = {shot.At(x, 1),
                    shot.At(x, rcButtons.top),
                    shot.At(x, rcButtons.top + 2),
                    shot.At(x, rcButtons.bottom),
                    shot.At(x, rcButtons.bottom + 1),
                    shot.At(x, rcButtons.bottom + 3)};
            Click(hDialog, IDOK);
        };
        ASSERT_EQ(IDOK, dialog.DoModal());
        const COLORREF clrFace = GetSysColor(COLOR_3DFACE);
        const COLORREF clrShadow = GetSysColor(COLOR_3DSHADOW);
        const COLORREF clrSeparator = CLVKColorManager::BlendColors(clrFace, clrShadow, 750);
        const std::vector<COLORREF> expected =
            bThemed ? std::vector<COLORREF>{GetSysColor(COLOR_WINDOW),      clrSeparator, clrFace, clrSeparator,
                                            GetSysColor(COLOR_3DHIGHLIGHT), clrFace}
                    : std::vector<COLORREF>{clrFace, clrFace, clrFace, clrFace, clrShadow, clrFace};
        EXPECT_EQ(expected, seen);
    }
}

namespace
{

bool IsEmptyArea(const RECT& rc)
{
    return rc.right <= rc.left || rc.bottom <= rc.top;
}

// Pixels inside rc that differ from the background colour.
int InkIn(const PrintedWindow& shot, const RECT& rc, COLORREF clrBack)
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
    {
        for (int x = rc.left; x < rc.right && x < shot.Width(); ++x)
            n += shot.At(x, y) != clrBack;
    }
    return n;
}

}  // namespace

TEST(TaskDialogEmulation, MarkupTextsAreMeasuredAndDrawnAndBrokenMarkupShowsNothing)
{
    RecordingTaskDialog dialog;
    dialog.m_bMarkupEnabled = TRUE;
    dialog.SetMainInstruction(L"<TextBlock FontWeight='Bold'>Markup title</TextBlock>");
    dialog.SetContent(L"<TextBlock>Content measured and drawn by the markup engine</TextBlock>");
    dialog.SetExpandedInformation(L"<TextBlock>Expanded markup</TextBlock>");
    // Never closed: does not parse.
    dialog.SetFooter(L"<TextBlock>Broken footer");
    dialog.ModifyFlags(0, TDF_EXPANDED_BY_DEFAULT);
    RECT rcMain{};
    RECT rcContent{};
    RECT rcExpanded{};
    RECT rcFooter{};
    int nInkMain = 0;
    int nInkContent = 0;
    int nInkExpanded = 0;
    RECT rcContentAfter{};
    RECT rcExpandedAfter{};
    int nInkContentAfter = 0;
    CapturedDialog captured;
    dialog.m_onCreated = [&](RecordingTaskDialog& self, HWND hDialog)
    {
        rcMain = self.GetElementRect(CLVKTaskDialogClient::rectMainInstruction);
        rcContent = self.GetElementRect(CLVKTaskDialogClient::rectContent);
        rcExpanded = self.GetElementRect(CLVKTaskDialogClient::rectExpanded);
        rcFooter = self.GetElementRect(CLVKTaskDialogClient::rectFooter);
        captured = ReadDialog(hDialog);
        const PrintedWindow shot(hDialog);
        // The background of the main area: its top right corner.
        const COLORREF clrBack = shot.At(shot.Width() - 2, 1);
        nInkMain = InkIn(shot, rcMain, clrBack);
        nInkContent = InkIn(shot, rcContent, clrBack);
        nInkExpanded = InkIn(shot, rcExpanded, clrBack);
        // A new content through TDM_SET_ELEMENT_TEXT is parsed again; broken
        // markup there empties the content's area and nothing is drawn
        // between the main instruction and the expanded information.
        SendMessageW(hDialog, TDM_SET_ELEMENT_TEXT, TDE_CONTENT, reinterpret_cast<LPARAM>(L"<TextBlock>"));
        rcContentAfter = self.GetElementRect(CLVKTaskDialogClient::rectContent);
        rcExpandedAfter = self.GetElementRect(CLVKTaskDialogClient::rectExpanded);
        const PrintedWindow after(hDialog);
        nInkContentAfter = InkIn(after, RECT{rcContent.left, rcMain.bottom + 1, rcContent.right, rcExpandedAfter.top},
                                 after.At(after.Width() - 2, 1));
        Click(hDialog, IDOK);
    };
    ASSERT_EQ(IDOK, dialog.DoModal());
    EXPECT_FALSE(IsEmptyArea(rcMain));
    EXPECT_FALSE(IsEmptyArea(rcContent));
    EXPECT_FALSE(IsEmptyArea(rcExpanded));
    EXPECT_GT(rcContent.top, rcMain.top) << "the content lies below the main instruction";
    EXPECT_GT(nInkMain, 0);
    EXPECT_GT(nInkContent, 0);
    EXPECT_GT(nInkExpanded, 0);
    EXPECT_TRUE(IsEmptyArea(rcFooter)) << "a footer that does not parse takes no room";
    EXPECT_EQ(rcContentAfter.top, rcContentAfter.bottom);
    EXPECT_LT(rcExpandedAfter.top, rcExpanded.top) << "the expanded information moves up into the content's room";
    EXPECT_EQ(0, nInkContentAfter) << "broken markup shows nothing";
    EXPECT_EQ(L"Markup title", captured.mainInstruction);
    EXPECT_EQ(L"", captured.footer) << "and reads as nothing";
}

TEST(TaskDialogEmulation, IdealMarkupSizeIsTheWholeSizeOfAnUnwrappedElement)
{
    CLVKMarkupContext* pContext = MarkupCreateContext(nullptr);
    const HFONT hFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    MarkupSetDefaultFont(pContext, hFont, RGB(0, 0, 0));
    CLVKMarkupUIElement* pShort = MarkupParseText(pContext, L"<TextBlock>Short text</TextBlock>");
    std::wstring strLong = L"<TextBlock>";
    for (int i = 0; i < 60; ++i)
        strLong += L"wrapping ";
    strLong += L"</TextBlock>";
    CLVKMarkupUIElement* pLong = MarkupParseText(pContext, strLong.c_str());
    ASSERT_NE(nullptr, pShort);
    ASSERT_NE(nullptr, pLong);

    const SIZE shortWhole = MarkupMeasureElement(pShort);
    SIZE size{400, 0};
    EXPECT_TRUE(TaskDialogCalcIdealMarkupSize(pContext, pShort, size, hFont, 330, 7));
    EXPECT_EQ(shortWhole.cx, size.cx);
    EXPECT_EQ(shortWhole.cy, size.cy);

    const SIZE longWhole = MarkupMeasureElement(pLong);
    const int nThreshold = TaskDialogDluToPixels(330, 0).cx;
    ASSERT_GT(longWhole.cx, nThreshold);
    size = SIZE{200, 0};
    EXPECT_TRUE(TaskDialogCalcIdealMarkupSize(pContext, pLong, size, hFont, 330, 7));
    // A text block does not wrap: the whole line is its ideal size, wider
    // than the offered and the grown width.
    EXPECT_EQ(longWhole.cx, size.cx);
    EXPECT_EQ(longWhole.cy, size.cy);

    MarkupReleaseElement(pShort);
    MarkupReleaseElement(pLong);
    MarkupReleaseContext(pContext);
}

namespace
{

// The mouse messages of a click at a point of the dialog's client area, with
// the pointer there too: the markup's hover tracking asks the system where the
// pointer is (TrackMouseEvent sends a hit test at the real pointer), and a
// pointer elsewhere would end the hover before the press.
void ClickAt(HWND hDialog, POINT pt)
{
    POINT ptScreen = pt;
    ClientToScreen(hDialog, &ptScreen);
    MoveCursorAndWait(ptScreen);
    const LPARAM lParam = MAKELPARAM(pt.x, pt.y);
    SendMessageW(hDialog, WM_MOUSEMOVE, 0, lParam);
    SendMessageW(hDialog, WM_LBUTTONDOWN, MK_LBUTTON, lParam);
    SendMessageW(hDialog, WM_LBUTTONUP, 0, lParam);
}

}  // namespace

TEST(TaskDialogEmulation, MarkupHyperlinksUnderTheMouseReportTheirTargets)
{
    RecordingTaskDialog dialog;
    dialog.m_bMarkupEnabled = TRUE;
    dialog.SetMainInstruction(L"<TextBlock>Links in markup</TextBlock>");
    dialog.SetContent(
        L"<TextBlock><Hyperlink NavigateUri='https://example.org/a'>Open the folder</Hyperlink> or not</TextBlock>");
    dialog.SetFooter(L"<TextBlock><Hyperlink>Without a target</Hyperlink></TextBlock>");
    std::vector<size_t> counts;
    CapturedDialog captured;
    dialog.m_onCreated = [&](RecordingTaskDialog& self, HWND hDialog)
    {
        RunSoon(
            [&, hDialog]
            {
                captured = ReadDialog(hDialog);
                // Painted once, so that the elements have their places.
                const PrintedWindow shot(hDialog);
                const RECT rcContent = self.GetElementRect(CLVKTaskDialogClient::rectContent);
                const RECT rcFooter = self.GetElementRect(CLVKTaskDialogClient::rectFooter);
                const RECT rcMain = self.GetElementRect(CLVKTaskDialogClient::rectMainInstruction);
                const auto middle = [](const RECT& rc, int x) { return POINT{x, (rc.top + rc.bottom) / 2}; };
                auto count = [&] { counts.push_back(static_cast<size_t>(self.Count(TDN_HYPERLINK_CLICKED))); };
                // On the content's link, beside it, on the main instruction
                // (no link), outside every text, on the footer's link.
                ClickAt(hDialog, middle(rcContent, rcContent.left + 10));
                count();
                ClickAt(hDialog, middle(rcContent, rcContent.right - 2));
                count();
                ClickAt(hDialog, middle(rcMain, rcMain.left + 10));
                count();
                ClickAt(hDialog, POINT{2, rcContent.bottom + 2});
                count();
                ClickAt(hDialog, middle(rcFooter, rcFooter.left + 10));
                count();
                Click(hDialog, IDOK);
            });
    };
    ASSERT_EQ(IDOK, dialog.DoModal());
    // What the test library (and a screen reader) reads: the texts shown,
    // without their markup.
    EXPECT_TRUE(captured.isEmulatedTaskDialog);
    EXPECT_EQ(L"Links in markup", captured.mainInstruction);
    EXPECT_EQ(L"Open the folder or not", captured.content);
    EXPECT_EQ(L"Without a target", captured.footer);
    EXPECT_EQ((std::vector<size_t>{1, 1, 1, 1, 2}), counts);
    std::vector<std::wstring> targets;
    for (const Notification& note : dialog.m_notes)
    {
        if (note.code == TDN_HYPERLINK_CLICKED)
            targets.push_back(note.text);
    }
    EXPECT_EQ((std::vector<std::wstring>{L"https://example.org/a", L""}), targets)
        << "a link without a target reports none";
}
