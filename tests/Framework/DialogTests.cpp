// Modal dialogs run by the framework's own loop: how DoModal ends (EndDialog,
// DestroyWindow, WM_QUIT), nested dialogs, the disabled owner, dialog keys and
// data exchange. Each dialog is driven by messages and timers it posts itself
// from OnInitDialog; a guard timer ends a dialog that would otherwise hang.
#include "Framework.h"
#include "TestDialogTemplate.h"
#include "Waiting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace
{

const UINT IDC_NAME = 1000;
const UINT WM_STEP = WM_APP + 1;
const UINT_PTR GUARD_TIMER = 99;
const int GUARD_RESULT = -99;

// OK, Cancel and one edit box.
const TestDialogTemplate& StandardTemplate()
{
    static TestDialogTemplate t = []
    {
        TestDialogTemplate d(L"Test dialog", 160, 70);
        d.AddItem(0x0081, IDC_NAME, L"", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 7, 146, 14);
        d.AddItem(0x0080, IDOK, L"&OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 50, 49, 50, 14);
        d.AddItem(0x0080, IDCANCEL, L"&Cancel", BS_PUSHBUTTON | WS_TABSTOP, 103, 49, 50, 14);
        return d;
    }();
    return t;
}

class CScriptedDialog : public CDialog
{
public:
    std::function<void(CScriptedDialog&)> onInit;
    std::function<void(CScriptedDialog&)> onStep;
    std::function<void(CScriptedDialog&, UINT_PTR)> onTimer;
    CString m_strName;
    BOOL m_bExchange = TRUE;
    int m_nInitCalls = 0;
    int m_nSteps = 0;
    std::vector<MSG> m_keysSeen;  // keyboard messages offered to PreTranslateMessage

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
            m_keysSeen.push_back(*pMsg);
        return CDialog::PreTranslateMessage(pMsg);
    }

    BOOL OnInitDialog() override
    {
        ++m_nInitCalls;
        CDialog::OnInitDialog();
        // Ends a dialog that the test failed to end, so that the test fails
        // instead of hanging.
        SetTimer(GUARD_TIMER, kHungWaitMs);
        if (onInit)
            onInit(*this);
        return TRUE;
    }

    void DoDataExchange(CDataExchange* pDX) override
    {
        if (m_bExchange)
            DDX_Text(pDX, IDC_NAME, m_strName);
    }

    afx_msg LRESULT OnStep(WPARAM, LPARAM)
    {
        ++m_nSteps;
        if (onStep)
            onStep(*this);
        return 0;
    }

    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        KillTimer(nIDEvent);
        if (nIDEvent == GUARD_TIMER)
            EndDialog(GUARD_RESULT);
        else if (onTimer)
            onTimer(*this, nIDEvent);
    }

    // Runs modally from the standard in-memory template.
    INT_PTR Run()
    {
        InitModalIndirect(StandardTemplate().Get(), m_pParentWnd);
        return DoModal();
    }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CScriptedDialog, CDialog)
    ON_MESSAGE(WM_STEP, OnStep)
    ON_WM_TIMER()
END_MESSAGE_MAP()

// Takes a WM_QUIT a test left in the queue; -1 when there is none.
int TakeQuitCode()
{
    MSG msg{};
    if (::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE))
        return static_cast<int>(msg.wParam);
    return -1;
}

void PostStep(CScriptedDialog& dlg)
{
    dlg.PostMessage(WM_STEP);
}

struct EndCase
{
    const char* name;
    std::function<void(CScriptedDialog&)> onInit;
    std::function<void(CScriptedDialog&)> onStep;
    std::function<void(CScriptedDialog&, UINT_PTR)> onTimer;
    INT_PTR expectResult;
    int expectQuitCode;  // -1: no WM_QUIT left behind
};

class DoModalEnds : public ::testing::TestWithParam<EndCase>
{
protected:
    void SetUp() override { TakeQuitCode(); }
};

TEST_P(DoModalEnds, WithTheResultOfWhatEndedIt)
{
    const EndCase& c = GetParam();
    CScriptedDialog dlg;
    dlg.onInit = c.onInit;
    dlg.onStep = c.onStep;
    dlg.onTimer = c.onTimer;
    HWND hWndSeen = NULL;
    auto onInit = dlg.onInit;
    dlg.onInit = [&](CScriptedDialog& d)
    {
        hWndSeen = d.m_hWnd;
        if (onInit)
            onInit(d);
    };

    EXPECT_EQ(c.expectResult, dlg.Run());
    EXPECT_EQ(1, dlg.m_nInitCalls);
    EXPECT_EQ(nullptr, dlg.m_hWnd) << "the dialog is destroyed when DoModal returns";
    ASSERT_NE(nullptr, hWndSeen);
    EXPECT_FALSE(::IsWindow(hWndSeen));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWndSeen));
    EXPECT_EQ(c.expectQuitCode, TakeQuitCode());
}

HWND DlgItem(CScriptedDialog& d, UINT id)
{
    return ::GetDlgItem(d.m_hWnd, static_cast<int>(id));
}

INSTANTIATE_TEST_SUITE_P(
    Table, DoModalEnds,
    ::testing::Values(
        EndCase{"EndDialogFromAPostedMessage", PostStep, [](CScriptedDialog& d) { d.EndDialog(42); }, nullptr, 42, -1},
        EndCase{"EndDialogFromATimer", [](CScriptedDialog& d) { d.SetTimer(1, 10); }, nullptr,
                [](CScriptedDialog& d, UINT_PTR) { d.EndDialog(43); }, 43, -1},
        EndCase{"EndDialogInsideOnInitDialog", [](CScriptedDialog& d) { d.EndDialog(45); }, nullptr, nullptr, 45, -1},
        EndCase{"OkButtonClick",
                [](CScriptedDialog& d) {
                    d.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(DlgItem(d, IDOK)));
                },
                nullptr, nullptr, IDOK, -1},
        EndCase{"EnterKeyInTheEditBoxPressesTheDefaultButton",
                [](CScriptedDialog& d) { ::PostMessageW(DlgItem(d, IDC_NAME), WM_KEYDOWN, VK_RETURN, 0x001C0001); },
                nullptr, nullptr, IDOK, -1},
        EndCase{"EscapeKeyInTheEditBoxCancels",
                [](CScriptedDialog& d) { ::PostMessageW(DlgItem(d, IDC_NAME), WM_KEYDOWN, VK_ESCAPE, 0x00010001); },
                nullptr, nullptr, IDCANCEL, -1},
        EndCase{"CloseBoxCancels", [](CScriptedDialog& d) { d.PostMessage(WM_CLOSE); }, nullptr, nullptr, IDCANCEL, -1},
        EndCase{"DestroyWindowEndsTheLoop", PostStep, [](CScriptedDialog& d) { d.DestroyWindow(); }, nullptr, -1, -1},
        EndCase{"DestroyWindowInsideOnInitDialog", [](CScriptedDialog& d) { d.DestroyWindow(); }, nullptr, nullptr, -1,
                -1},
        EndCase{"EndDialogThenDestroyWindowKeepsTheResult", PostStep,
                [](CScriptedDialog& d)
                {
                    d.EndDialog(44);
                    d.DestroyWindow();
                },
                nullptr, 44, -1},
        // WM_QUIT ends the dialog and stays in the queue, with its exit code, for
        // the loops outside.
        EndCase{"QuitMessageEndsItAndIsPostedAgain", PostStep, [](CScriptedDialog&) { ::PostQuitMessage(7); }, nullptr,
                -1, 7}),
    [](const ::testing::TestParamInfo<EndCase>& info) { return std::string(info.param.name); });

TEST(DoModal, KeysOfTheControlsArePreTranslatedByTheDialog)
{
    TakeQuitCode();
    CScriptedDialog dlg;
    HWND hWndEdit = NULL;
    BOOL tabTaken = FALSE;
    BOOL mouseTaken = TRUE;
    BOOL foreignTaken = TRUE;
    dlg.onInit = [&](CScriptedDialog& d)
    {
        hWndEdit = DlgItem(d, IDC_NAME);
        ::PostMessageW(hWndEdit, WM_KEYDOWN, 'X', 0x002D0001);
        PostStep(d);
    };
    dlg.onStep = [&](CScriptedDialog& d)
    {
        // The dialog manager takes Tab in a control of the dialog; it is
        // not offered mouse messages or other windows' keys.
        MSG tab{hWndEdit, WM_KEYDOWN, VK_TAB, 0x000F0001, 0, {}};
        tabTaken = d.CDialog::PreTranslateMessage(&tab);
        MSG mouse{hWndEdit, WM_MOUSEMOVE, 0, 0, 0, {}};
        mouseTaken = d.CDialog::PreTranslateMessage(&mouse);
        MSG foreign{::GetDesktopWindow(), WM_KEYDOWN, VK_TAB, 0x000F0001, 0, {}};
        foreignTaken = d.CDialog::PreTranslateMessage(&foreign);
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.Run());
    // The key posted to the edit box reached the dialog's PreTranslateMessage
    // on the walk up from the edit box.
    ASSERT_FALSE(dlg.m_keysSeen.empty());
    EXPECT_EQ(hWndEdit, dlg.m_keysSeen[0].hwnd);
    EXPECT_EQ(static_cast<WPARAM>('X'), dlg.m_keysSeen[0].wParam);
    EXPECT_TRUE(tabTaken);
    EXPECT_FALSE(mouseTaken);
    EXPECT_FALSE(foreignTaken);
}

TEST(DoModal, NestedDialogDisablesTheOuterAndReturnsToItsLoop)
{
    TakeQuitCode();
    CScriptedDialog outer;
    CScriptedDialog inner;
    BOOL outerEnabledDuringInner = TRUE;
    BOOL outerEnabledAfterInner = FALSE;
    INT_PTR innerResult = 0;

    inner.m_pParentWnd = &outer;
    inner.onInit = PostStep;
    inner.onStep = [&](CScriptedDialog& d)
    {
        outerEnabledDuringInner = outer.IsWindowEnabled();
        d.EndDialog(3);
    };
    outer.onInit = PostStep;
    outer.onStep = [&](CScriptedDialog& d)
    {
        innerResult = inner.Run();
        outerEnabledAfterInner = d.IsWindowEnabled();
        // The outer loop must still run: end it with a posted message.
        d.SetTimer(2, 10);
    };
    outer.onTimer = [&](CScriptedDialog& d, UINT_PTR) { d.EndDialog(static_cast<int>(10 + innerResult)); };

    EXPECT_EQ(13, outer.Run());
    EXPECT_EQ(3, innerResult);
    EXPECT_FALSE(outerEnabledDuringInner);
    EXPECT_TRUE(outerEnabledAfterInner);
    EXPECT_EQ(-1, TakeQuitCode());
}

TEST(DoModal, QuitInANestedDialogEndsBothLoops)
{
    TakeQuitCode();
    CScriptedDialog outer;
    CScriptedDialog inner;
    INT_PTR innerResult = 0;
    inner.m_pParentWnd = &outer;
    inner.onInit = PostStep;
    inner.onStep = [](CScriptedDialog&) { ::PostQuitMessage(9); };
    outer.onInit = PostStep;
    outer.onStep = [&](CScriptedDialog&) { innerResult = inner.Run(); };

    EXPECT_EQ(-1, outer.Run());
    EXPECT_EQ(-1, innerResult);
    EXPECT_EQ(9, TakeQuitCode());
}

TEST(DoModal, OwnerWindowIsDisabledWhileTheDialogRuns)
{
    TakeQuitCode();
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, NULL, L"Owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, NULL, NULL));
    owner.ShowWindow(SW_SHOW);

    CScriptedDialog dlg;
    dlg.m_pParentWnd = &owner;
    BOOL ownerEnabled = TRUE;
    HWND hWndOwnerOfDialog = NULL;
    dlg.onInit = PostStep;
    dlg.onStep = [&](CScriptedDialog& d)
    {
        ownerEnabled = owner.IsWindowEnabled();
        hWndOwnerOfDialog = ::GetWindow(d.m_hWnd, GW_OWNER);
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.Run());
    EXPECT_FALSE(ownerEnabled);
    EXPECT_EQ(owner.m_hWnd, hWndOwnerOfDialog);
    EXPECT_TRUE(owner.IsWindowEnabled());
    owner.DestroyWindow();
}

TEST(DoModal, DialogThatIsTheMainWindowEndsWithoutEndingTheThread)
{
    // An application may make its modal dialog the main window while it
    // runs; closing it returns from DoModal and leaves no WM_QUIT behind,
    // so message boxes after it still show.
    TakeQuitCode();
    CWinApp app(L"MainDialogTest");
    CScriptedDialog dlg;
    app.m_pMainWnd = &dlg;
    HWND hWndOwner = reinterpret_cast<HWND>(1);
    dlg.onInit = [&](CScriptedDialog& d)
    {
        hWndOwner = ::GetWindow(d.m_hWnd, GW_OWNER);
        d.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    };
    EXPECT_EQ(IDCANCEL, dlg.Run());
    EXPECT_EQ(nullptr, hWndOwner) << "the dialog cannot own itself";
    EXPECT_EQ(nullptr, app.m_pMainWnd);
    EXPECT_EQ(-1, TakeQuitCode());
}

struct CenterCase
{
    const char* name;
    short x;
    short y;
    DWORD extraStyle;
    bool expectCentred;
};

class DoModalPosition : public ::testing::TestWithParam<CenterCase>
{
};

TEST_P(DoModalPosition, TemplateWithoutAPositionIsCentredOnTheOwner)
{
    const CenterCase& c = GetParam();
    TakeQuitCode();
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, NULL, L"Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200, 500, 400, NULL, NULL));
    TestDialogTemplate t(L"Positioned", 100, 40, WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT | c.extraStyle, c.x,
                         c.y);
    CScriptedDialog dlg;
    dlg.m_bExchange = FALSE;
    CRect rcDialog;
    dlg.onInit = PostStep;
    dlg.onStep = [&](CScriptedDialog& d)
    {
        d.GetWindowRect(&rcDialog);
        d.EndDialog(IDOK);
    };
    dlg.InitModalIndirect(t.Get(), &owner);
    ASSERT_EQ(IDOK, dlg.DoModal());
    CRect rcOwner;
    owner.GetWindowRect(&rcOwner);
    const CPoint offset = rcDialog.CenterPoint() - rcOwner.CenterPoint();
    const bool centred = abs(offset.x) <= 1 && abs(offset.y) <= 1;
    EXPECT_EQ(c.expectCentred, centred) << "dialog " << rcDialog.left << "," << rcDialog.top;
    owner.DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(Table, DoModalPosition,
                         ::testing::Values(CenterCase{"NoPositionIsCentred", 0, 0, 0, true},
                                           CenterCase{"OwnPositionIsKept", 10, 10, 0, false}),
                         [](const ::testing::TestParamInfo<CenterCase>& info) { return std::string(info.param.name); });

TEST(DoModal, DataExchangeFillsTheControlsAndReadsThemBackOnOk)
{
    TakeQuitCode();
    CScriptedDialog dlg;
    dlg.m_strName = L"before";
    CString shownAtStart;
    dlg.onInit = PostStep;
    dlg.onStep = [&](CScriptedDialog& d)
    {
        d.GetDlgItemText(IDC_NAME, shownAtStart);
        d.SetDlgItemText(IDC_NAME, L"after");
        d.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    };
    EXPECT_EQ(IDOK, dlg.Run());
    EXPECT_EQ(CString(L"before"), shownAtStart);
    EXPECT_EQ(CString(L"after"), dlg.m_strName);
}

TEST(DoModal, CancelDoesNotReadTheControls)
{
    TakeQuitCode();
    CScriptedDialog dlg;
    dlg.m_strName = L"kept";
    dlg.onInit = [](CScriptedDialog& d)
    {
        d.SetDlgItemText(IDC_NAME, L"typed");
        d.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    };
    EXPECT_EQ(IDCANCEL, dlg.Run());
    EXPECT_EQ(CString(L"kept"), dlg.m_strName);
}

TEST(DoModal, TemplateFromTheResourceModule)
{
    // Wine's user32 carries the template of its message box as "MSGBOX";
    // loading it shows DoModal finds templates through the resource handle.
    const HMODULE hUser32 = ::GetModuleHandleW(L"user32.dll");
    ASSERT_NE(nullptr, ::FindResourceW(hUser32, L"MSGBOX", MAKEINTRESOURCEW(5))) << "no template to load";
    const HINSTANCE hOld = AfxGetResourceHandle();
    AfxSetResourceHandle(hUser32);
    CScriptedDialog dlg;
    dlg.m_lpszTemplateName = L"MSGBOX";
    dlg.m_bExchange = FALSE;
    dlg.onInit = [](CScriptedDialog& d) { d.EndDialog(46); };
    const INT_PTR result = dlg.DoModal();
    AfxSetResourceHandle(hOld);
    EXPECT_EQ(46, result);
}

TEST(DoModal, MissingTemplateFailsWithoutAWindow)
{
    CScriptedDialog dlg;
    dlg.m_lpszTemplateName = MAKEINTRESOURCEW(31999);
    EXPECT_EQ(-1, dlg.DoModal());
    EXPECT_EQ(0, dlg.m_nInitCalls);
}

TEST(ModelessDialog, EndDialogHidesAndDestroyWindowDetaches)
{
    CScriptedDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(StandardTemplate().Get()));
    const HWND hWnd = dlg.m_hWnd;
    ASSERT_NE(nullptr, hWnd);
    EXPECT_EQ(1, dlg.m_nInitCalls);
    EXPECT_EQ(&dlg, CWnd::FromHandlePermanent(hWnd));
    dlg.ShowWindow(SW_SHOW);
    dlg.EndDialog(IDOK);
    EXPECT_FALSE(::IsWindowVisible(hWnd));
    EXPECT_TRUE(::IsWindow(hWnd));
    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

// ---- idle work inside the modal loop -------------------------------------------------

// Counts the idle command-UI updates it is sent.
class CIdleCountingDialog : public CScriptedDialog
{
public:
    int m_nIdleUpdates = 0;
    std::function<void(CScriptedDialog&)> onIdleUpdate;

    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM)
    {
        ++m_nIdleUpdates;
        if (onIdleUpdate)
            onIdleUpdate(*this);
        return 0;
    }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CIdleCountingDialog, CScriptedDialog)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

// A thread object whose idle work the test can count.
class CCountingThread : public CWinThread
{
public:
    int m_nIdleCalls = 0;
    BOOL OnIdle(LONG lCount) override
    {
        ++m_nIdleCalls;
        return CWinThread::OnIdle(lCount);
    }
};

struct IdleCase
{
    const char* name;
    bool bThreadObject;  // the thread runs with a CWinThread object of its own
};

class ModalIdle : public ::testing::TestWithParam<IdleCase>
{
};

// The whole program runs inside a modal dialog: its loop must free the
// temporary wrappers that handlers make, or they pile up for ever.
TEST_P(ModalIdle, TemporaryWrappersStayBoundedWhileManyWindowsCome)
{
    const int kWindows = 60;
    const UINT_PTR kTick = 1;
    CCountingThread thread;
    thread.m_bAutoDelete = FALSE;
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    CWinThread* const pOldThread = pState->m_pCurrentWinThread;
    if (GetParam().bThreadObject)
        pState->m_pCurrentWinThread = &thread;

    // A wrapper made before the dialog by whoever opened it: it is still in
    // use there when the dialog returns.
    const HWND hOuter = ::CreateWindowExW(0, L"STATIC", L"outer", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    ASSERT_NE(nullptr, hOuter);
    CWnd* pOuter = CWnd::FromHandle(hOuter);

    CIdleCountingDialog dlg;
    int nWindows = 0;
    size_t nMostTemporary = 0;
    // Each tick comes after the loop's idle pass that followed the previous
    // one (its idle command-UI update sets the timer again), as ticks spaced
    // out in time would on a machine fast enough; a timer set again at once
    // could already be due when the queue first runs empty on a busy one.
    const UINT kTickMs = 20;
    bool bTickWanted = false;
    dlg.onInit = [&](CScriptedDialog& d) { d.SetTimer(kTick, kTickMs); };
    dlg.onIdleUpdate = [&](CScriptedDialog& d)
    {
        if (bTickWanted)
            d.SetTimer(kTick, kTickMs);
        bTickWanted = false;
    };
    dlg.onTimer = [&](CScriptedDialog& d, UINT_PTR)
    {
        nMostTemporary = std::max(nMostTemporary, AfxGetTempMapCount());
        // A new control colours itself through its parent: the handler gets
        // wrappers of the control and of its device context.
        const HWND hChild =
            ::CreateWindowExW(0, L"STATIC", L"new", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, d.m_hWnd, NULL, NULL, NULL);
        const HDC hDC = ::GetDC(hChild);
        d.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC), reinterpret_cast<LPARAM>(hChild));
        ::ReleaseDC(hChild, hDC);
        ::DestroyWindow(hChild);
        if (++nWindows == kWindows)
            d.EndDialog(IDOK);
        else
            bTickWanted = true;
    };
    dlg.InitModalIndirect(StandardTemplate().Get());
    const INT_PTR nResult = dlg.DoModal();
    pState->m_pCurrentWinThread = pOldThread;

    EXPECT_EQ(IDOK, nResult);
    EXPECT_EQ(kWindows, nWindows);
    // Two wrappers per window: without idle work they would reach 120.
    EXPECT_LT(nMostTemporary, 40u) << "the temporary wrappers of " << kWindows << " windows piled up";
    EXPECT_GE(dlg.m_nIdleUpdates, 1) << "the modal loop's idle time updates the command user interface";
    if (GetParam().bThreadObject)
    {
        EXPECT_GE(thread.m_nIdleCalls, kWindows / 2) << "the thread's own idle work runs in the modal loop";
    }
    EXPECT_EQ(pOuter, CWnd::FromHandle(hOuter)) << "a wrapper made outside the dialog outlives its loop";
    EXPECT_EQ(hOuter, pOuter->m_hWnd);
    AfxDeleteTempMaps();
    ::DestroyWindow(hOuter);
}

INSTANTIATE_TEST_SUITE_P(Table, ModalIdle,
                         ::testing::Values(IdleCase{"WithoutAThreadObject", false},
                                           IdleCase{"WithTheThreadsOwnObject", true}),
                         [](const ::testing::TestParamInfo<IdleCase>& info) { return std::string(info.param.name); });

}  // namespace
