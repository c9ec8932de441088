// The browse edit: its button beside the edit, the browse styles, the folder
// browser answered as a user would, the file dialog through a caller-made
// dialog, and the bounded copies of the folder browser's path.
#include "Framework.h"

#include "Controls/BrowseDialog.h"
#include "Controls/BrowseEdit.h"
#include "ScratchFolder.h"
#include "Waiting.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

namespace
{

class BrowseHost : public CWnd
{
public:
    std::vector<std::pair<UINT, UINT>> m_commands;  // id, code of what the parent itself got

    BrowseHost()
    {
        CreateEx(0, AfxRegisterWndClass(0), L"Browse host", WS_POPUP | WS_VISIBLE, 40, 40, 420, 200, NULL, NULL);
    }
    ~BrowseHost() override
    {
        if (m_hWnd)
            DestroyWindow();
    }

protected:
    // Commands that a child took through reflection do not count.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        const BOOL bTaken = CWnd::OnCommand(wParam, lParam);
        if (!bTaken)
            m_commands.push_back({LOWORD(wParam), HIWORD(wParam)});
        return bTaken;
    }
};

class BrowseEdit : public ::testing::Test
{
protected:
    void Make(DWORD dwStyle, LPCWSTR lpszText = L"")
    {
        const HWND hEdit = ::CreateWindowExW(
            WS_EX_CLIENTEDGE, L"EDIT", lpszText, WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 10, 10, 300, 24,
            m_host.m_hWnd, reinterpret_cast<HMENU>(77), ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(m_edit.SubclassWindow(hEdit));
        ASSERT_TRUE(m_edit.Initialize(&m_host, dwStyle));
    }
    CRect RectInHost(HWND hWnd) const
    {
        CRect rc;
        ::GetWindowRect(hWnd, &rc);
        m_host.ScreenToClient(&rc);
        return rc;
    }
    CString Text() const
    {
        CString str;
        m_edit.GetWindowText(str);
        return str;
    }

    BrowseHost m_host;
    CLVKBrowseEdit m_edit;
};

TEST_F(BrowseEdit, ButtonOverlapsTheEditsRightEdgeAndFollowsIt)
{
    Make(LVK_BES_FOLDER);
    const HWND hButton = ::GetDlgItem(m_host.m_hWnd, CLVKBrowseEdit::kButtonId);
    ASSERT_NE(nullptr, hButton);
    CRect rcEdit = RectInHost(m_edit.m_hWnd);
    CRect rcButton = RectInHost(hButton);
    EXPECT_EQ(rcEdit.right - 2, rcButton.left);
    EXPECT_EQ(CLVKBrowseEdit::GetButtonWidth(), rcButton.Width());
    EXPECT_EQ(rcEdit.top, rcButton.top);
    EXPECT_EQ(rcEdit.Height(), rcButton.Height());
    EXPECT_EQ(310, rcButton.right) << "edit and button take the edit's first width";

    m_edit.SetWindowPos(nullptr, 20, 60, 200, 30, SWP_NOZORDER);
    rcEdit = RectInHost(m_edit.m_hWnd);
    rcButton = RectInHost(hButton);
    EXPECT_EQ(rcEdit.right - 2, rcButton.left);
    EXPECT_EQ(60, rcButton.top);
    EXPECT_EQ(30, rcButton.Height());

    m_edit.EnableWindow(FALSE);
    EXPECT_FALSE(::IsWindowEnabled(hButton));
    m_edit.ShowWindow(SW_HIDE);
    EXPECT_FALSE(::IsWindowVisible(hButton));
}

TEST_F(BrowseEdit, StyleWithoutBrowseBitsMakesNoButtonAndMixedBitsDoNothing)
{
    Make(0x20);
    EXPECT_EQ(nullptr, ::GetDlgItem(m_host.m_hWnd, CLVKBrowseEdit::kButtonId));

    CLVKBrowseEdit mixed;
    const HWND hEdit = ::CreateWindowExW(0, L"EDIT", L"x", WS_CHILD | WS_VISIBLE, 10, 50, 200, 24, m_host.m_hWnd,
                                         reinterpret_cast<HMENU>(78), ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(mixed.SubclassWindow(hEdit));
    ASSERT_TRUE(mixed.Initialize(&m_host, LVK_BES_FOLDER | LVK_BES_POPUPMENU));
    ASSERT_NE(nullptr, mixed.GetBrowseButton().GetSafeHwnd());
    mixed.OnBrowse();  // no dialog and no menu: it would wait here
    EXPECT_FALSE(mixed.IsBrowsing());
    CString strText;
    mixed.GetWindowText(strText);
    EXPECT_EQ(CString(L"x"), strText);
}

TEST_F(BrowseEdit, NotifyStyleAsksTheParentAndSelectsTheText)
{
    Make(LVK_BES_NOTIFY, L"C:\\somewhere");
    m_host.m_commands.clear();
    m_edit.GetBrowseButton().SendMessage(BM_CLICK);
    int nBrowse = 0;
    for (const auto& command : m_host.m_commands)
    {
        EXPECT_NE(static_cast<UINT>(BN_CLICKED), command.second) << "the click itself stays with the button";
        if (command.first == 77u && command.second == static_cast<UINT>(LVK_BEN_BROWSE))
            ++nBrowse;
    }
    EXPECT_EQ(1, nBrowse);
    int nStart = 0;
    int nEnd = 0;
    m_edit.GetSel(nStart, nEnd);
    EXPECT_EQ(0, nStart);
    EXPECT_EQ(Text().GetLength(), nEnd);
    EXPECT_EQ(m_edit.m_hWnd, ::GetFocus());
}

// A caller-made file dialog that answers without showing anything.
class AnsweringFileDialog : public CFileDialog
{
public:
    AnsweringFileDialog() : CFileDialog(TRUE) {}
    INT_PTR DoModal() override
    {
        ++m_nRuns;
        wcscpy(m_ofn.lpstrFile, L"C:\\chosen\\file.txt");
        return m_nAnswer;
    }
    int m_nRuns = 0;
    INT_PTR m_nAnswer = IDOK;
};

TEST_F(BrowseEdit, FileStyleUsesTheCallersDialog)
{
    Make(LVK_BES_FILE, L"old");
    AnsweringFileDialog dialog;
    dialog.m_nAnswer = IDCANCEL;
    m_edit.SetFileDialog(&dialog);
    m_edit.OnBrowse();
    EXPECT_EQ(CString(L"old"), Text()) << "cancelled: the text stays";
    dialog.m_nAnswer = IDOK;
    m_edit.OnBrowse();
    EXPECT_EQ(2, dialog.m_nRuns);
    EXPECT_EQ(CString(L"C:\\chosen\\file.txt"), Text());
}

// Answers the folder browser of this thread: selects the folder, then OK.
struct FolderAnswer
{
    std::wstring path;
    int nSelectedTicks = 0;
    bool bAnswered = false;
};
FolderAnswer g_answer;

BOOL CALLBACK FindBrowser(HWND hWnd, LPARAM lParam)
{
    WCHAR szClass[32] = {};
    ::GetClassNameW(hWnd, szClass, _countof(szClass));
    if (wcscmp(szClass, L"#32770") == 0 && ::IsWindowVisible(hWnd))
    {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindTree(HWND hWnd, LPARAM lParam)
{
    WCHAR szClass[32] = {};
    ::GetClassNameW(hWnd, szClass, _countof(szClass));
    if (wcscmp(szClass, WC_TREEVIEWW) != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

// The text of the item selected in the browser's folder tree.
std::wstring TreeSelectionOf(HWND hBrowser)
{
    HWND hTree = nullptr;
    ::EnumChildWindows(hBrowser, &FindTree, reinterpret_cast<LPARAM>(&hTree));
    if (!hTree)
        return {};
    const auto hItem = reinterpret_cast<HTREEITEM>(::SendMessageW(hTree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (!hItem)
        return {};
    WCHAR szText[MAX_PATH] = {};
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = szText;
    item.cchTextMax = MAX_PATH;
    ::SendMessageW(hTree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return szText;
}

void CALLBACK AnswerBrowser(HWND, UINT, UINT_PTR nId, DWORD)
{
    HWND hBrowser = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindBrowser, reinterpret_cast<LPARAM>(&hBrowser));
    if (!hBrowser)
        return;
    // The browser fills its tree while it starts: the folder is selected on
    // every tick until its tree has shown it selected on two ticks in a row,
    // however long the filling takes.
    ::SendMessageW(hBrowser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(g_answer.path.c_str()));
    const std::wstring leaf = g_answer.path.substr(g_answer.path.find_last_of(L'\\') + 1);
    g_answer.nSelectedTicks = TreeSelectionOf(hBrowser) == leaf ? g_answer.nSelectedTicks + 1 : 0;
    if (g_answer.nSelectedTicks < 2)
        return;
    ::KillTimer(nullptr, nId);
    ::PostMessageW(hBrowser, WM_COMMAND, IDOK, 0);
    g_answer.bAnswered = true;
}

void CALLBACK GiveUpOnBrowser(HWND, UINT, UINT_PTR nId, DWORD)
{
    ::KillTimer(nullptr, nId);
    HWND hBrowser = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindBrowser, reinterpret_cast<LPARAM>(&hBrowser));
    if (hBrowser)
        ::PostMessageW(hBrowser, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(BrowseEdit, FolderStyleTakesTheFolderChosenInTheBrowser)
{
    ScratchFolder scratch;
    const std::wstring folder = scratch.CreateFolder(L"Picked");
    Make(LVK_BES_FOLDER, L"not a folder");
    g_answer = FolderAnswer{folder};
    const UINT_PTR nAnswer = ::SetTimer(nullptr, 0, 200, &AnswerBrowser);
    const UINT_PTR nGiveUp = ::SetTimer(nullptr, 0, kHungWaitMs, &GiveUpOnBrowser);
    m_edit.OnBrowse();
    ::KillTimer(nullptr, nAnswer);
    ::KillTimer(nullptr, nGiveUp);
    EXPECT_TRUE(g_answer.bAnswered);
    EXPECT_EQ(0, _wcsicmp(folder.c_str(), Text())) << static_cast<LPCSTR>(CW2A(Text()));
}

TEST(BrowseDialog, PathCopiesNeverRunPastTheBuffer)
{
    const std::wstring longPath = L"C:\\" + std::wstring(400, L'a');
    CLVKBrowseDialog dialog;
    dialog.SetPath(longPath.c_str());
    EXPECT_EQ(static_cast<size_t>(MAX_PATH - 1), wcslen(dialog.GetPath()));

    WCHAR szSmall[8];
    wmemset(szSmall, L'#', 8);
    CLVKBrowseDialog::CopyPath(szSmall, 6, L"SERVER-WITH-A-LONG-NAME", TRUE);
    EXPECT_STREQ(L"\\\\SER", szSmall);
    EXPECT_EQ(L'#', szSmall[6]) << "nothing written past the given length";
    CLVKBrowseDialog::CopyPath(szSmall, 2, L"x", TRUE);
    EXPECT_STREQ(L"\\", szSmall);
    EXPECT_EQ(static_cast<UINT>(BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS | BIF_NEWDIALOGSTYLE), dialog.GetFlags());
}

}  // namespace
