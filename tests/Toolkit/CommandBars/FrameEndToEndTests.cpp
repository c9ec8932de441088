// A frame with a command-bar manager driven as a user drives it: keys and
// clicks go in through SendInput on the foreground window (the only input
// Wine hands to the thread's keyboard and mouse hooks), and the thread's
// messages run through the framework's pre-translation as in a program's
// main loop. What comes out are the commands the frame gets and the state
// of its bars.
#include "Framework.h"

#include "CommandBars/CommandBar.h"
#include "CommandBars/CommandBars.h"
#include "CommandBars/Control.h"
#include "CommandBars/Controls.h"
#include "CommandBars/MenuBar.h"
#include "CommandBars/MouseManager.h"
#include "CommandBars/PopupBar.h"
#include "CommandBars/ShortcutManager.h"
#include "CommandBars/ShortcutTable.h"
#include "FrameIds.h"
#include "FrameWnd.h"
#include "PaintTestSupport.h"
#include "MessagePump.h"
#include "SendInputSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <vector>

namespace
{

const UINT kIdMenu = 7003;
const UINT kIdAccel = 7002;

// The site: its manager sees its messages first; it keeps the commands it gets.
class CDrivenFrame : public CFrameWnd
{
public:
    CDrivenFrame() { m_bAutoDelete = FALSE; }

    CLVKCommandBars* m_pCommandBars = nullptr;
    std::vector<UINT> m_commands;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (m_pCommandBars && m_pCommandBars->HandleFrameMessage(message, wParam, lParam, pResult))
            return TRUE;
        return CFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (m_pCommandBars && m_pCommandBars->PreTranslateFrameMessage(pMsg))
            return TRUE;
        return CFrameWnd::PreTranslateMessage(pMsg);
    }
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pInfo) override
    {
        if (nID >= 0xE100 && nID < 0xE200 &&
            (nCode == static_cast<int>(CN_COMMAND) || nCode == static_cast<int>(CN_UPDATE_COMMAND_UI)))
        {
            if (nCode == CN_COMMAND && !pInfo)
                m_commands.push_back(nID);
            if (nCode == static_cast<int>(CN_UPDATE_COMMAND_UI) && pExtra)
                static_cast<CCmdUI*>(pExtra)->Enable(TRUE);
            return TRUE;
        }
        return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pInfo);
    }
};

// Runs the thread's messages as a main loop does (idle work included) in
// rounds, each until a timer mark of dwQuietMs has fired, and stops after a
// round that brought nothing but its mark. Everything queued before the call,
// and whatever handling it posted, is handled in the first round however
// slow the machine (a timer's message comes only once no input or posted
// message waits); later rounds take what timers of the code brought. The
// pointer's leave timer of the bars keeps every round busy, so the rounds
// stop after a few all the same.
void PumpUntilQuiet(DWORD dwQuietMs = 150, int nMostRounds = 20)
{
    for (int nRound = 0; nRound < nMostRounds; nRound++)
    {
        TimerMark mark(dwQuietMs);
        bool bWork = false;
        const ULONGLONG ullEnd = ::GetTickCount64() + kHungWaitMs;
        while (!mark.Fired() && ::GetTickCount64() < ullEnd)
        {
            MSG msg{};
            if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            {
                if (msg.message == WM_QUIT)
                    continue;
                AfxGetThreadState()->m_msgCur = msg;
                if (!AfxPreTranslateMessage(&msg))
                {
                    ::TranslateMessage(&msg);
                    ::DispatchMessageW(&msg);
                }
                bWork = bWork || !mark.Fired();
                continue;
            }
            // The thread's idle work: the frames update their bars.
            AfxUpdateFramesOnIdle(nullptr);
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
        if (!bWork)
            return;
    }
}

bool PumpUntil(const std::function<bool()>& condition)
{
    const ULONGLONG ullEnd = ::GetTickCount64() + kHungWaitMs;
    while (!condition() && ::GetTickCount64() < ullEnd)
        PumpUntilQuiet(20, 5);
    return condition();
}

// One key with the modifiers held around it.
struct Stroke
{
    WORD wKey;
    std::vector<WORD> modifiers;
};

void AddKey(std::vector<INPUT>& inputs, WORD wKey, BOOL bUp)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = wKey;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(wKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags =
        (bUp ? KEYEVENTF_KEYUP : 0) | ((wKey >= VK_PRIOR && wKey <= VK_DOWN) ? KEYEVENTF_EXTENDEDKEY : 0);
    inputs.push_back(input);
}

// Types the strokes in one go (a chord waits for its second key inside the
// message handling, so both must be queued) and handles them.
void Type(std::initializer_list<Stroke> strokes)
{
    std::vector<INPUT> inputs;
    for (const Stroke& stroke : strokes)
    {
        for (WORD wModifier : stroke.modifiers)
            AddKey(inputs, wModifier, FALSE);
        AddKey(inputs, stroke.wKey, FALSE);
        AddKey(inputs, stroke.wKey, TRUE);
        for (auto it = stroke.modifiers.rbegin(); it != stroke.modifiers.rend(); ++it)
            AddKey(inputs, *it, TRUE);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    PumpUntilQuiet();
}

void Key(WORD wKey)
{
    Type({{wKey, {}}});
}

// A shown, foreground frame with a menu bar from menu 7003, the shortcuts of
// accelerator table 7002 and the chord Ctrl+K, Ctrl+C (Copy), and an edit
// with the focus as its client.
struct DrivenFrameFixture : ::testing::Test
{
    CDrivenFrame frame;
    CWnd edit;
    CLVKCommandBars* pBars = nullptr;
    CLVKMenuBar* pMenuBar = nullptr;
    BOOL bSavedAnimation = FALSE;

    void SetUp() override
    {
        // Menus open at once: the system's menu animation is off meanwhile.
        ::SystemParametersInfoW(SPI_GETMENUANIMATION, 0, &bSavedAnimation, 0);
        ::SystemParametersInfoW(SPI_SETMENUANIMATION, 0, reinterpret_cast<PVOID>(FALSE), 0);
        ASSERT_TRUE(frame.Create(nullptr, L"Driven", WS_OVERLAPPEDWINDOW, CRect(60, 60, 560, 400)));
        edit.Attach(::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 0, 0,
                                      frame.GetSafeHwnd(), reinterpret_cast<HMENU>(AFX_IDW_PANE_FIRST),
                                      ::GetModuleHandleW(nullptr), nullptr));
        pBars = new CLVKCommandBars;
        pBars->SetSite(&frame);
        pBars->CreateDockBars();
        frame.m_pCommandBars = pBars;
        pMenuBar = pBars->CreateMenuBar(L"Menu Bar", kIdMenu);
        ASSERT_NE(pMenuBar, nullptr);
        CLVKShortcutManager* pShortcuts = pBars->GetShortcutManager();
        pShortcuts->LoadAccelerators(kIdAccel);
        LVK_SHORTCUTMANAGER_ACCEL chord{};
        ASSERT_TRUE(pShortcuts->ParseShortcutText(L"Ctrl+K, Ctrl+C", chord));
        chord.cmd = ID_EDIT_COPY;
        pShortcuts->GetShortcutTable().Add(chord);
        frame.ShowWindow(SW_SHOW);
        frame.RecalcLayout();
        frame.SetForegroundWindow();
        edit.SetFocus();
        ASSERT_TRUE(PumpUntil([&]() { return ::GetForegroundWindow() == frame.GetSafeHwnd(); }));
        PumpUntilQuiet();
    }
    void TearDown() override
    {
        pBars->ClosePopups();
        frame.m_pCommandBars = nullptr;
        pBars->InternalRelease();
        if (edit.GetSafeHwnd())
            edit.Detach();
        frame.DestroyWindow();
        PumpUntilQuiet(50);
        ::SystemParametersInfoW(SPI_SETMENUANIMATION, 0, reinterpret_cast<PVOID>(static_cast<INT_PTR>(bSavedAnimation)),
                                0);
    }

    CLVKControl* Title(int nIndex) const { return pMenuBar->GetControl(nIndex); }
    CLVKCommandBar* MenuOf(CLVKControl* pControl) const { return pControl ? pControl->GetCommandBar() : nullptr; }
    static BOOL IsOpen(CLVKCommandBar* pBar)
    {
        return pBar && pBar->GetTrackingMode() != kTrackingNone && pBar->GetSafeHwnd() && pBar->IsWindowVisible();
    }
    static size_t TrackedBars() { return CLVKMouseManager::GetThreadManager()->GetTrackedBars().size(); }
};

TEST_F(DrivenFrameFixture, AltThenALetterOpensItsMenuAndEnterRunsTheSelectedItem)
{
    Key(VK_MENU);
    EXPECT_NE(pMenuBar->GetTrackingMode(), kTrackingNone) << "Alt alone enters the menu bar";
    EXPECT_EQ(pMenuBar->GetHotIndex(), 0);
    EXPECT_FALSE(IsOpen(MenuOf(Title(0))));

    Key('F');
    CLVKCommandBar* pFile = MenuOf(Title(0));
    ASSERT_TRUE(IsOpen(pFile)) << "F opens File";
    EXPECT_EQ(pFile->GetHotIndex(), 0) << "opened from the keyboard, with its first item selected";
    // A letter no item answers goes neither to a menu nor to the edit behind.
    Key('Q');
    EXPECT_TRUE(IsOpen(pFile));
    EXPECT_EQ(edit.GetWindowTextLength(), 0);

    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_EQ(frame.m_commands, std::vector<UINT>({ID_FILE_OPEN}));
    EXPECT_FALSE(IsOpen(pFile));
    EXPECT_EQ(pMenuBar->GetTrackingMode(), kTrackingNone) << "running a command leaves menu mode";
    EXPECT_EQ(TrackedBars(), 0u);
    // Typing reaches the edit again.
    Key('Q');
    EXPECT_EQ(edit.GetWindowTextLength(), 1);
}

TEST_F(DrivenFrameFixture, EscapeClosesOneLevelAtATime)
{
    Type({{VK_MENU, {}}, {'F', {}}});
    Key('R');
    CLVKCommandBar* pFile = MenuOf(Title(0));
    ASSERT_TRUE(IsOpen(pFile));
    ASSERT_NE(pFile->GetPopupedIndex(), -1) << "R opens the sub-menu";
    CLVKCommandBar* pRecent = MenuOf(pFile->GetControl(pFile->GetPopupedIndex()));
    ASSERT_TRUE(IsOpen(pRecent));
    EXPECT_EQ(TrackedBars(), 3u);

    const struct
    {
        BOOL bRecent, bFile, bMenuBar;
    } levels[] = {{FALSE, TRUE, TRUE}, {FALSE, FALSE, TRUE}, {FALSE, FALSE, FALSE}};
    for (const auto& level : levels)
    {
        Key(VK_ESCAPE);
        EXPECT_EQ(IsOpen(pRecent), level.bRecent);
        EXPECT_EQ(IsOpen(pFile), level.bFile);
        EXPECT_EQ(pMenuBar->GetTrackingMode() != kTrackingNone, level.bMenuBar);
    }
    EXPECT_TRUE(frame.m_commands.empty());
    EXPECT_EQ(TrackedBars(), 0u);
}

TEST_F(DrivenFrameFixture, AClickOutsideClosesEveryLevelAndReachesItsWindow)
{
    Type({{VK_MENU, {}}, {'F', {}}, {'R', {}}});
    CLVKCommandBar* pFile = MenuOf(Title(0));
    ASSERT_TRUE(IsOpen(pFile));
    CLVKCommandBar* pRecent = MenuOf(pFile->GetControl(pFile->GetPopupedIndex()));
    ASSERT_TRUE(IsOpen(pRecent));

    // The lower right part of the edit: outside every menu.
    CRect rcEdit;
    edit.GetWindowRect(&rcEdit);
    const CPoint pt(rcEdit.right - 20, rcEdit.bottom - 20);
    ASSERT_TRUE(PumpUntil([&]() { return ::WindowFromPoint(pt) == edit.GetSafeHwnd(); }));
    SendLeftClick(pt);
    PumpUntil([&]() { return TrackedBars() == 0; });

    EXPECT_FALSE(IsOpen(pRecent));
    EXPECT_FALSE(IsOpen(pFile));
    EXPECT_EQ(pMenuBar->GetTrackingMode(), kTrackingNone);
    EXPECT_EQ(TrackedBars(), 0u);
    EXPECT_TRUE(frame.m_commands.empty());
    EXPECT_EQ(::GetFocus(), edit.GetSafeHwnd()) << "the click was not eaten";
}

TEST_F(DrivenFrameFixture, F10EntersTheMenuBarAndEnterOpensThenRuns)
{
    Key(VK_F10);
    EXPECT_NE(pMenuBar->GetTrackingMode(), kTrackingNone);
    EXPECT_EQ(pMenuBar->GetHotIndex(), 0);
    // Right moves to Edit; Enter opens it with Cut selected, Down and Enter copy.
    Key(VK_RIGHT);
    EXPECT_EQ(pMenuBar->GetHotIndex(), 1);
    Key(VK_RETURN);
    ASSERT_TRUE(IsOpen(MenuOf(Title(1))));
    Type({{VK_DOWN, {}}, {VK_RETURN, {}}});
    EXPECT_EQ(frame.m_commands, std::vector<UINT>({ID_EDIT_COPY}));
    EXPECT_EQ(TrackedBars(), 0u);
}

TEST_F(DrivenFrameFixture, MovingAlongTheMenuBarWithAMenuOpenOpensTheNextMenu)
{
    Type({{VK_MENU, {}}, {'F', {}}});
    ASSERT_TRUE(IsOpen(MenuOf(Title(0))));
    Key(VK_RIGHT);
    EXPECT_FALSE(IsOpen(MenuOf(Title(0))));
    ASSERT_TRUE(IsOpen(MenuOf(Title(1))));
    // Up wraps to Edit's last item.
    Type({{VK_UP, {}}, {VK_RETURN, {}}});
    EXPECT_EQ(frame.m_commands, std::vector<UINT>({ID_EDIT_COPY}));
}

TEST_F(DrivenFrameFixture, ShortcutsAndAChordRunTheirCommands)
{
    Type({{'O', {VK_CONTROL}}});
    EXPECT_EQ(frame.m_commands, std::vector<UINT>({ID_FILE_OPEN}));
    Type({{'K', {VK_CONTROL}}, {'C', {VK_CONTROL}}});
    EXPECT_EQ(frame.m_commands, std::vector<UINT>({ID_FILE_OPEN, ID_EDIT_COPY}));
    // A wrong second key runs nothing and types nothing.
    Type({{'K', {VK_CONTROL}}, {'X', {}}});
    EXPECT_EQ(frame.m_commands, std::vector<UINT>({ID_FILE_OPEN, ID_EDIT_COPY}));
    EXPECT_EQ(edit.GetWindowTextLength(), 0);
    EXPECT_EQ(::GetCapture(), nullptr) << "the chord gave the mouse back";
}

// What the user sees with File opened from the keyboard: the menu bar and
// the menu below it, each window printed into one bitmap at its place on the
// screen, in the default theme with colours that tell its entries apart.
TEST_F(DrivenFrameFixture, TheMenuBarAndItsOpenMenuInTheDefaultTheme)
{
    auto pTheme = MakeTheme();
    CLVKPaintManager* pPaintManager = pTheme.get();
    pMenuBar->SetPaintManager(pTheme.release());
    frame.RecalcLayout();
    PumpUntilQuiet();
    Type({{VK_MENU, {}}, {'F', {}}});
    CLVKCommandBar* pFile = MenuOf(Title(0));
    ASSERT_TRUE(IsOpen(pFile));
    ASSERT_EQ(pFile->GetPaintManager(), pPaintManager) << "the menu draws as its menu bar does";

    CRect rcBar;
    pMenuBar->GetClientRect(&rcBar);
    pMenuBar->ClientToScreen(&rcBar);
    CRect rcMenu;
    pFile->GetClientRect(&rcMenu);
    pFile->ClientToScreen(&rcMenu);
    CRect rcAll;
    rcAll.UnionRect(rcBar, rcMenu);
    CPixelCanvas canvas(rcAll.Width(), rcAll.Height());
    const auto print = [&](CWnd* pWnd, const CRect& rcScreen)
    {
        const int nSaved = ::SaveDC(canvas.DC()->GetSafeHdc());
        ::SetViewportOrgEx(canvas.DC()->GetSafeHdc(), rcScreen.left - rcAll.left, rcScreen.top - rcAll.top, nullptr);
        pWnd->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.DC()->GetSafeHdc()), PRF_CLIENT);
        ::RestoreDC(canvas.DC()->GetSafeHdc(), nSaved);
    };
    print(pMenuBar, rcBar);
    print(pFile, rcMenu);
    // Rectangles in the bitmap.
    const auto inBitmap = [&](CRect rc, const CRect& rcWindow)
    {
        rc.OffsetRect(rcWindow.left - rcAll.left, rcWindow.top - rcAll.top);
        return rc;
    };
    const auto count = [&](COLORREF clr, const CRect& rc)
    { return rc.Width() * rc.Height() - canvas.CountNot(clr, rc); };

    // The menu hangs from the File title, over the frame below the bar.
    const CRect rcFileTitle = inBitmap(Title(0)->GetRect(), rcBar);
    const CRect rcEditTitle = inBitmap(Title(1)->GetRect(), rcBar);
    const CRect rcPopup = inBitmap(CRect(CPoint(0, 0), rcMenu.Size()), rcMenu);
    // (The theme may widen the title's exclude rectangle by a pixel.)
    EXPECT_LE(std::abs(rcPopup.left - rcFileTitle.left), 1);
    EXPECT_GE(rcPopup.top, rcFileTitle.bottom - 1);
    EXPECT_LE(rcPopup.top, rcFileTitle.bottom + 2);

    // The open title is pressed in (shadow above and left, highlight below
    // and right); Edit is flat on the bar's face. Both titles show text.
    EXPECT_EQ(Entry(COLOR_BTNSHADOW), canvas.At(rcFileTitle.left, rcFileTitle.top));
    EXPECT_EQ(Entry(COLOR_BTNHIGHLIGHT), canvas.At(rcFileTitle.right - 1, rcFileTitle.bottom - 1));
    EXPECT_EQ(Entry(COLOR_BTNFACE), canvas.At(rcEditTitle.left, rcEditTitle.top));
    EXPECT_EQ(Entry(COLOR_BTNFACE), canvas.At(rcEditTitle.right - 1, rcEditTitle.bottom - 1));
    EXPECT_GT(count(Entry(COLOR_BTNTEXT), rcFileTitle), 0);
    EXPECT_GT(count(Entry(COLOR_BTNTEXT), rcEditTitle), 0);
    // Past the last title the bar is its face only.
    const CRect rcEmpty(rcEditTitle.right + 4, rcEditTitle.top + 2, rcEditTitle.right + 40, rcEditTitle.bottom - 2);
    EXPECT_EQ(0, canvas.CountNot(Entry(COLOR_BTNFACE), rcEmpty));

    // The menu's raised frame.
    EXPECT_EQ(Entry(COLOR_BTNFACE), canvas.At(rcPopup.left, rcPopup.top));
    EXPECT_EQ(Entry(COLOR_BTNHIGHLIGHT), canvas.At(rcPopup.left + 1, rcPopup.top + 1));
    EXPECT_EQ(Entry(COLOR_3DDKSHADOW), canvas.At(rcPopup.right - 1, rcPopup.bottom - 1));
    EXPECT_EQ(Entry(COLOR_BTNSHADOW), canvas.At(rcPopup.right - 2, rcPopup.bottom - 2));
    // New, selected from the keyboard, is filled with the highlight and
    // written in the highlighted-text colour; Open is not highlighted.
    const CRect rcNew = inBitmap(pFile->GetControl(0)->GetRect(), rcMenu);
    const CRect rcOpen = inBitmap(pFile->GetControl(1)->GetRect(), rcMenu);
    EXPECT_EQ(Entry(COLOR_HIGHLIGHT), canvas.At(rcNew.right - 3, rcNew.CenterPoint().y));
    EXPECT_GT(count(Entry(COLOR_HIGHLIGHTTEXT), rcNew), 0);
    EXPECT_EQ(0, count(Entry(COLOR_HIGHLIGHT), rcOpen));
    EXPECT_GT(count(Entry(COLOR_MENUTEXT), rcOpen) + count(Entry(COLOR_BTNTEXT), rcOpen), 0);
    // A shadow line separates Recent from Exit.
    const CRect rcRecent = inBitmap(pFile->GetControl(2)->GetRect(), rcMenu);
    const CRect rcExit = inBitmap(pFile->GetControl(3)->GetRect(), rcMenu);
    ASSERT_GT(rcExit.top, rcRecent.bottom) << "the group starts with a gap";
    EXPECT_GT(count(Entry(COLOR_BTNSHADOW), CRect(rcExit.left, rcRecent.bottom, rcExit.right, rcExit.top)),
              rcExit.Width() / 2);
    // Recent shows its sub-menu arrow at its right end, and nothing between
    // its text and the arrow.
    EXPECT_GT(
        count(Entry(COLOR_MENUTEXT), CRect(rcRecent.right - 20, rcRecent.top, rcRecent.right, rcRecent.bottom)) +
            count(Entry(COLOR_BTNTEXT), CRect(rcRecent.right - 20, rcRecent.top, rcRecent.right, rcRecent.bottom)),
        0);
}

}  // namespace
