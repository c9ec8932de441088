// Windows attached to CWnd objects: the creation hook, the handle maps,
// subclassing, default processing, reflection, the PreTranslateMessage walk,
// PostNcDestroy, and the GetSafe... calls through null pointers.
#include "Framework.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// Records the messages its window procedure sees, and whether the object
// was attached to the handle at each one.
class CRecordingWnd : public CWnd
{
public:
    std::vector<UINT> m_messages;
    bool m_bAttachedAtFirst = false;
    bool m_bPreSubclassFirst = false;
    int m_nPreSubclass = 0;

    void PreSubclassWindow() override
    {
        ++m_nPreSubclass;
        m_bPreSubclassFirst = m_messages.empty();
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (m_messages.empty())
            m_bAttachedAtFirst = m_hWnd && CWnd::FromHandlePermanent(m_hWnd) == this;
        m_messages.push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }

    bool Saw(UINT message) const
    {
        for (UINT m : m_messages)
            if (m == message)
                return true;
        return false;
    }
};

struct CreateCase
{
    const char* name;
    const wchar_t* className;  // NULL: the framework's default class
    DWORD style;
    bool child;
};

class CreationHook : public ::testing::TestWithParam<CreateCase>
{
};

TEST_P(CreationHook, AttachesTheObjectBeforeTheFirstMessage)
{
    const CreateCase& c = GetParam();
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, NULL, L"Parent", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, NULL, NULL));

    CRecordingWnd wnd;
    BOOL bCreated = FALSE;
    if (c.child)
        bCreated = wnd.Create(c.className, L"Text", c.style | WS_VISIBLE, CRect(0, 0, 80, 20), &parent, 7);
    else
        bCreated = wnd.CreateEx(0, c.className, L"Text", c.style, 0, 0, 100, 100, NULL, NULL);
    ASSERT_TRUE(bCreated);
    ASSERT_NE(nullptr, wnd.m_hWnd);
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
    EXPECT_TRUE(wnd.m_bAttachedAtFirst);
    EXPECT_EQ(1, wnd.m_nPreSubclass);
    EXPECT_TRUE(wnd.m_bPreSubclassFirst) << "PreSubclassWindow runs before any message";
    EXPECT_TRUE(wnd.Saw(WM_NCCREATE));
    EXPECT_TRUE(wnd.Saw(WM_CREATE));
    // The framework's procedure is in place, and the class's own stays behind it.
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(AfxGetAfxWndProc()), ::GetWindowLongPtrW(wnd.m_hWnd, GWLP_WNDPROC));
    EXPECT_EQ(1, wnd.SendMessage(WM_QUERYAFXWNDPROC));

    const HWND hWnd = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_TRUE(wnd.Saw(WM_NCDESTROY));
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    parent.DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(Table, CreationHook,
                         ::testing::Values(CreateCase{"DefaultClassTopLevel", nullptr, WS_OVERLAPPEDWINDOW, false},
                                           CreateCase{"DefaultClassChild", nullptr, 0, true},
                                           CreateCase{"SystemButton", L"BUTTON", BS_PUSHBUTTON, true},
                                           CreateCase{"SystemEdit", L"EDIT", ES_AUTOHSCROLL, true},
                                           CreateCase{"SystemStatic", L"STATIC", SS_LEFT, true}),
                         [](const ::testing::TestParamInfo<CreateCase>& info) { return std::string(info.param.name); });

TEST(CreationHook, SystemControlKeepsItsOwnBehaviour)
{
    // The edit control's own procedure still runs behind the framework's.
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, NULL, L"Parent", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, NULL, NULL));
    CWnd edit;
    ASSERT_TRUE(edit.Create(L"EDIT", L"", WS_VISIBLE, CRect(0, 0, 100, 20), &parent, 5));
    edit.SetWindowText(L"typed");
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(CString(L"typed"), text);
    EXPECT_TRUE(edit.SendMessage(WM_GETDLGCODE) & DLGC_HASSETSEL);
}

TEST(HandleMaps, ForeignWindowGetsATemporaryObjectUntilIdle)
{
    const HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"raw", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    ASSERT_NE(nullptr, hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    CWnd* pTemp = CWnd::FromHandle(hWnd);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(hWnd, pTemp->m_hWnd);
    EXPECT_EQ(pTemp, CWnd::FromHandle(hWnd)) << "one temporary object per handle";
    EXPECT_EQ(nullptr, CWnd::FromHandle(NULL));

    AfxDeleteTempMaps();
    EXPECT_TRUE(::IsWindow(hWnd)) << "dropping the temporary object leaves the window alone";
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));

    // Attaching makes it permanent, and FromHandle then finds that object.
    CWnd owner;
    ASSERT_TRUE(owner.Attach(hWnd));
    EXPECT_EQ(&owner, CWnd::FromHandle(hWnd));
    EXPECT_EQ(hWnd, owner.Detach());
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    ::DestroyWindow(hWnd);
}

TEST(Subclassing, RoutesAnExistingWindowAndGivesItBack)
{
    const HWND hWnd = ::CreateWindowExW(0, L"BUTTON", L"raw", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    ASSERT_NE(nullptr, hWnd);
    const LONG_PTR original = ::GetWindowLongPtrW(hWnd, GWLP_WNDPROC);

    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(hWnd));
    EXPECT_EQ(1, wnd.m_nPreSubclass);
    ::SendMessageW(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"routed"));
    EXPECT_TRUE(wnd.Saw(WM_SETTEXT));
    WCHAR szText[16] = {};
    ::GetWindowTextW(hWnd, szText, 16);
    EXPECT_STREQ(L"routed", szText) << "unhandled messages reach the original procedure";

    CRecordingWnd second;
    EXPECT_FALSE(second.SubclassWindow(hWnd)) << "a window belongs to one object";

    EXPECT_EQ(hWnd, wnd.UnsubclassWindow());
    EXPECT_EQ(original, ::GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
    const size_t seen = wnd.m_messages.size();
    ::SendMessageW(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"direct"));
    EXPECT_EQ(seen, wnd.m_messages.size());
    ::DestroyWindow(hWnd);
}

TEST(WindowClasses, EqualRequestsShareOneRegisteredClass)
{
    const std::wstring first = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(NULL, IDC_ARROW));
    const std::wstring again = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(NULL, IDC_ARROW));
    const std::wstring other = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW, ::LoadCursorW(NULL, IDC_ARROW));
    EXPECT_EQ(first, again);
    EXPECT_NE(first, other);
    WNDCLASSW wc{};
    ASSERT_TRUE(::GetClassInfoW(AfxGetInstanceHandle(), first.c_str(), &wc));
    EXPECT_EQ(static_cast<UINT>(CS_DBLCLKS), wc.style);

    // Registering an existing class again is not a failure.
    WNDCLASSW mine{};
    mine.lpfnWndProc = ::DefWindowProcW;
    mine.hInstance = AfxGetInstanceHandle();
    mine.lpszClassName = L"FrameworkTests.OwnClass";
    EXPECT_TRUE(AfxRegisterClass(&mine));
    EXPECT_TRUE(AfxRegisterClass(&mine));
}

// ---- command routing through windows ---------------------------------------

const UINT IDC_BUTTON = 11;
const UINT IDC_PLAIN = 12;
const UINT ID_MENU_ITEM = 300;

std::vector<std::string> g_events;

class CReflectingButton : public CWnd
{
public:
    BOOL m_bPassOn = FALSE;
    afx_msg BOOL OnReflectedClick()
    {
        g_events.push_back("child:click");
        return !m_bPassOn;
    }
    afx_msg void OnReflectedNotify(NMHDR*, LRESULT* pResult)
    {
        g_events.push_back("child:notify");
        *pResult = 5;
    }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingButton, CWnd)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnReflectedClick)
    ON_NOTIFY_REFLECT(NM_CLICK, OnReflectedNotify)
END_MESSAGE_MAP()

UINT g_registeredMessage = ::RegisterWindowMessageW(L"FrameworkTests.Registered");

class CParentWnd : public CWnd
{
public:
    BOOL m_bMenuItemEnabled = TRUE;

    afx_msg void OnButton() { g_events.push_back("parent:button"); }
    afx_msg void OnPlain() { g_events.push_back("parent:plain"); }
    afx_msg void OnNotifyClick(NMHDR*, LRESULT*) { g_events.push_back("parent:notify"); }
    afx_msg void OnMenuItem() { g_events.push_back("parent:menu"); }
    afx_msg void OnUpdateMenuItem(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bMenuItemEnabled); }
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam + lParam); }
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        g_events.push_back("parent:size " + std::to_string(nType) + " " + std::to_string(cx) + "x" +
                           std::to_string(cy));
        CWnd::OnSize(nType, cx, cy);
    }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, CWnd)
    ON_BN_CLICKED(IDC_BUTTON, OnButton)
    ON_BN_CLICKED(IDC_PLAIN, OnPlain)
    ON_NOTIFY(NM_CLICK, IDC_BUTTON, OnNotifyClick)
    ON_COMMAND(ID_MENU_ITEM, OnMenuItem)
    ON_UPDATE_COMMAND_UI(ID_MENU_ITEM, OnUpdateMenuItem)
    ON_REGISTERED_MESSAGE(g_registeredMessage, OnRegistered)
    ON_WM_SIZE()
END_MESSAGE_MAP()

class WindowRouting : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_events.clear();
        ASSERT_TRUE(parent.CreateEx(0, NULL, L"Parent", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, NULL, NULL));
        ASSERT_TRUE(
            button.Create(L"BUTTON", L"B", WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 50, 20), &parent, IDC_BUTTON));
        ASSERT_TRUE(
            plain.Create(L"BUTTON", L"P", WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 30, 50, 50), &parent, IDC_PLAIN));
        g_events.clear();
    }
    void TearDown() override { parent.DestroyWindow(); }

    LRESULT SendClick(CWnd& control)
    {
        return parent.SendMessage(WM_COMMAND, MAKEWPARAM(control.GetDlgCtrlID(), BN_CLICKED),
                                  reinterpret_cast<LPARAM>(control.m_hWnd));
    }

    CParentWnd parent;
    CReflectingButton button;
    CWnd plain;
};

struct ReflectCase
{
    const char* name;
    BOOL childPassesOn;
    std::vector<std::string> expect;
};

class ControlReflection : public WindowRouting, public ::testing::WithParamInterface<ReflectCase>
{
};

TEST_P(ControlReflection, TheControlsObjectGoesFirst)
{
    button.m_bPassOn = GetParam().childPassesOn;
    SendClick(button);
    EXPECT_EQ(GetParam().expect, g_events);
}

INSTANTIATE_TEST_SUITE_P(Table, ControlReflection,
                         ::testing::Values(ReflectCase{"ChildTakesIt", FALSE, {"child:click"}},
                                           ReflectCase{"ChildPassesItOn", TRUE, {"child:click", "parent:button"}}),
                         [](const ::testing::TestParamInfo<ReflectCase>& info)
                         { return std::string(info.param.name); });

TEST_F(WindowRouting, ControlWithoutReflectionReachesTheParent)
{
    SendClick(plain);
    EXPECT_EQ((std::vector<std::string>{"parent:plain"}), g_events);
}

TEST_F(WindowRouting, NotifyIsReflectedToTheControl)
{
    NMHDR hdr{};
    hdr.hwndFrom = button.m_hWnd;
    hdr.idFrom = IDC_BUTTON;
    hdr.code = NM_CLICK;
    EXPECT_EQ(5, parent.SendMessage(WM_NOTIFY, IDC_BUTTON, reinterpret_cast<LPARAM>(&hdr)));
    EXPECT_EQ((std::vector<std::string>{"child:notify"}), g_events);

    hdr.hwndFrom = plain.m_hWnd;
    hdr.idFrom = IDC_PLAIN;
    parent.SendMessage(WM_NOTIFY, IDC_PLAIN, reinterpret_cast<LPARAM>(&hdr));
    EXPECT_EQ((std::vector<std::string>{"child:notify"}), g_events) << "no entry for the plain control";
}

TEST_F(WindowRouting, MenuCommandIsCarriedOutOnlyWhileEnabled)
{
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(ID_MENU_ITEM, 0), 0);
    parent.m_bMenuItemEnabled = FALSE;
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(ID_MENU_ITEM, 0), 0);
    EXPECT_EQ((std::vector<std::string>{"parent:menu"}), g_events);
}

TEST_F(WindowRouting, RegisteredMessageAndCrackedArguments)
{
    EXPECT_EQ(7, parent.SendMessage(g_registeredMessage, 3, 4));
    parent.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(120, 45));
    EXPECT_EQ((std::vector<std::string>{"parent:size 0 120x45"}), g_events);
}

// ---- the PreTranslateMessage walk --------------------------------------------

class CPreTranslateWnd : public CWnd
{
public:
    std::string m_name;
    bool m_bConsume = false;
    BOOL PreTranslateMessage(MSG*) override
    {
        g_events.push_back(m_name);
        return m_bConsume;
    }
};

class PreTranslateWalk : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_events.clear();
        top.m_name = "top";
        middle.m_name = "middle";
        bottom.m_name = "bottom";
        ASSERT_TRUE(top.CreateEx(0, NULL, L"Top", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, NULL, NULL));
        ASSERT_TRUE(middle.Create(NULL, NULL, WS_VISIBLE, CRect(0, 0, 100, 100), &top, 1));
        ASSERT_TRUE(bottom.Create(NULL, NULL, WS_VISIBLE, CRect(0, 0, 50, 50), &middle, 2));
        msg.hwnd = bottom.m_hWnd;
        msg.message = WM_KEYDOWN;
    }
    void TearDown() override { top.DestroyWindow(); }

    CPreTranslateWnd top;
    CPreTranslateWnd middle;
    CPreTranslateWnd bottom;
    MSG msg{};
};

TEST_F(PreTranslateWalk, WithoutAnApplicationGoesToTheTop)
{
    EXPECT_FALSE(AfxPreTranslateMessage(&msg));
    EXPECT_EQ((std::vector<std::string>{"bottom", "middle", "top"}), g_events);
}

TEST_F(PreTranslateWalk, StopsAtTheMainWindow)
{
    CWinApp app(L"WalkTest");
    app.m_pMainWnd = &middle;
    EXPECT_FALSE(AfxPreTranslateMessage(&msg));
    EXPECT_EQ((std::vector<std::string>{"bottom", "middle"}), g_events);
    app.m_pMainWnd = nullptr;
}

TEST_F(PreTranslateWalk, StopsAtTheWindowThatTakesIt)
{
    middle.m_bConsume = true;
    EXPECT_TRUE(AfxPreTranslateMessage(&msg));
    EXPECT_EQ((std::vector<std::string>{"bottom", "middle"}), g_events);
}

// ---- destruction ----------------------------------------------------------------

int g_deletedWindows = 0;

class CSelfDeletingWnd : public CWnd
{
public:
    ~CSelfDeletingWnd() override { ++g_deletedWindows; }
    void PostNcDestroy() override { delete this; }
};

TEST(WindowDestruction, PostNcDestroyMayDeleteTheObject)
{
    g_deletedWindows = 0;
    auto* pWnd = new CSelfDeletingWnd;
    ASSERT_TRUE(pWnd->CreateEx(0, NULL, L"Temp", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    const HWND hWnd = pWnd->m_hWnd;
    ::DestroyWindow(hWnd);  // from outside the object, as the system would
    EXPECT_EQ(1, g_deletedWindows);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

TEST(WindowDestruction, ObjectGoingOutOfScopeDestroysItsWindow)
{
    HWND hWnd = NULL;
    {
        CWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, NULL, L"Scoped", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

TEST(WindowDestruction, MainWindowEndsTheThreadsLoop)
{
    MSG drain{};
    while (::PeekMessageW(&drain, NULL, WM_QUIT, WM_QUIT, PM_REMOVE))
    {
    }
    CWinApp app(L"MainWindowTest");
    CWnd main;
    ASSERT_TRUE(main.CreateEx(0, NULL, L"Main", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL));
    app.m_pMainWnd = &main;
    EXPECT_EQ(&main, AfxGetMainWnd());
    main.DestroyWindow();
    EXPECT_EQ(nullptr, app.m_pMainWnd);
    MSG msg{};
    EXPECT_TRUE(::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
}

class CRefusingWnd : public CWnd
{
public:
    afx_msg int OnCreate(LPCREATESTRUCT) { return -1; }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRefusingWnd, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

TEST(WindowDestruction, CreationRefusedByOnCreateLeavesNothingAttached)
{
    CRefusingWnd wnd;
    EXPECT_FALSE(wnd.CreateEx(0, NULL, L"No", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    EXPECT_EQ(nullptr, wnd.m_hWnd);
}

}  // namespace
