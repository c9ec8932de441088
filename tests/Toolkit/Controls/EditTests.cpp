// The themed edit: its own border in place of the client edge, the theme
// number table and the theme broadcast, border colours by state, the
// context menu's command states, validation that never passes text it
// could not check, and the zig-zag line under failing text.
#include "Framework.h"

#include "Controls/Edit.h"
#include "CommandBars/ToolkitPopupMenu.h"
#include "Controls/EditThemeOfficeXP.h"

#include "../Foundation/DibSurface.h"

#include <objbase.h>

#include <gtest/gtest.h>

namespace
{

class EditHost : public CWnd
{
public:
    EditHost()
    {
        CreateEx(0, AfxRegisterWndClass(0), L"Edit host", WS_POPUP | WS_VISIBLE, 40, 40, 400, 200, NULL, NULL);
    }
    ~EditHost() override
    {
        if (m_hWnd)
            DestroyWindow();
    }
    HWND MakeRawEdit(DWORD dwExStyle, DWORD dwStyle, UINT nID)
    {
        return ::CreateWindowExW(dwExStyle, L"EDIT", L"text", WS_CHILD | WS_VISIBLE | dwStyle, 10, 10 + 30 * (nID % 5),
                                 200, 24, m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)),
                                 ::GetModuleHandleW(nullptr), nullptr);
    }
};

TEST(Edit, SubclassedEditTradesItsClientEdgeForItsOwnBorder)
{
    EditHost host;
    CLVKEdit withEdge;
    ASSERT_TRUE(withEdge.SubclassWindow(host.MakeRawEdit(WS_EX_CLIENTEDGE, WS_BORDER, 1)));
    EXPECT_TRUE(withEdge.HasOwnBorder());
    MSG msg{};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageW(&msg);
    EXPECT_FALSE(withEdge.GetExStyle() & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(withEdge.GetStyle() & WS_BORDER);
    CRect rcWindow;
    CRect rcClient;
    withEdge.GetWindowRect(&rcWindow);
    withEdge.GetClientRect(&rcClient);
    EXPECT_EQ(rcWindow.Width() - 4, rcClient.Width()) << "two pixels on each side";

    CLVKEdit plain;
    ASSERT_TRUE(plain.SubclassWindow(host.MakeRawEdit(0, 0, 2)));
    EXPECT_FALSE(plain.HasOwnBorder());
    plain.GetWindowRect(&rcWindow);
    plain.GetClientRect(&rcClient);
    EXPECT_EQ(rcWindow.Width(), rcClient.Width());
}

struct ThemeCase
{
    int nTheme;
    int nNumber;
    bool bHoverTracking;
};

class EditThemeNumbers : public ::testing::TestWithParam<ThemeCase>
{
};

TEST_P(EditThemeNumbers, CreateTheirTheme)
{
    const ThemeCase& c = GetParam();
    CLVKEdit edit;
    EXPECT_TRUE(edit.SetTheme(c.nTheme));
    EXPECT_EQ(c.nNumber, edit.GetTheme()->GetThemeNumber());
    EXPECT_EQ(c.bHoverTracking, edit.GetTheme()->IsHoverTracking() != FALSE);
}

INSTANTIATE_TEST_SUITE_P(Table, EditThemeNumbers,
                         ::testing::Values(ThemeCase{0, 0, false}, ThemeCase{1, 1, true}, ThemeCase{2, 2, true},
                                           ThemeCase{3, 3, false}, ThemeCase{4, 4, true}, ThemeCase{5, 5, true},
                                           ThemeCase{6, 0, false}, ThemeCase{7, 7, true}, ThemeCase{10, 10, true},
                                           ThemeCase{12, 12, true}, ThemeCase{13, 13, true}, ThemeCase{14, 14, true},
                                           ThemeCase{15, 15, true}, ThemeCase{16, 16, true}, ThemeCase{99, 0, false}));

TEST(Edit, ThemeBroadcastReachesThemedEditsOnly)
{
    EditHost host;
    CLVKEdit themed;
    ASSERT_TRUE(themed.SubclassWindow(host.MakeRawEdit(WS_EX_CLIENTEDGE, 0, 1)));
    const HWND hPlain = host.MakeRawEdit(WS_EX_CLIENTEDGE, 0, 2);
    host.SendMessageToDescendants(WM_APPLY_CONTROL_THEME, 16);
    EXPECT_EQ(16, themed.GetTheme()->GetThemeNumber());
    EXPECT_TRUE(::GetWindowLongW(hPlain, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) << "a plain edit keeps its look";
}

TEST(Edit, OfficeXPBorderFollowsFocusTheDefaultDoesNot)
{
    EditHost host;
    CLVKEdit edit;
    ASSERT_TRUE(edit.SubclassWindow(host.MakeRawEdit(WS_EX_CLIENTEDGE, 0, 1)));
    edit.SetTheme(13);
    auto* pTheme = static_cast<CLVKEditThemeOfficeXP*>(edit.GetTheme());
    const CRect rc(0, 0, 40, 20);
    DibSurface surface(40, 20);
    pTheme->DrawBorder(surface.GetDC(), rc, &edit);
    EXPECT_EQ(RGB(133, 145, 162), surface.Pixel(0, 0)) << "the border colour";
    edit.SetFocus();
    EXPECT_TRUE(edit.IsFocused());
    pTheme->DrawBorder(surface.GetDC(), rc, &edit);
    EXPECT_EQ(RGB(229, 195, 101), surface.Pixel(0, 0)) << "the hot border with the focus";
    edit.EnableWindow(FALSE);
    pTheme->DrawBorder(surface.GetDC(), rc, &edit);
    EXPECT_EQ(RGB(164, 173, 186), surface.Pixel(0, 0)) << "the disabled border";

    edit.EnableWindow(TRUE);
    edit.SetTheme(0);
    EXPECT_FALSE(edit.GetTheme()->IsFrameStateDependent());
    EXPECT_FALSE(edit.GetTheme()->IsHoverTracking());
}

TEST(Edit, SizeBoxBetweenBothScrollBarsTakesTheNonClientColour)
{
    EditHost host;
    CLVKEdit edit;
    ASSERT_TRUE(edit.SubclassWindow(host.MakeRawEdit(WS_EX_CLIENTEDGE, ES_MULTILINE | WS_HSCROLL | WS_VSCROLL, 1)));
    edit.SetTheme(15);
    DibSurface surface(100, 80, RGB(1, 2, 3));
    edit.GetTheme()->DrawSizeBox(surface.GetDC(), CRect(0, 0, 100, 80), &edit);
    EXPECT_EQ(RGB(62, 62, 66), surface.Pixel(100 - 3, 80 - 3));
    EXPECT_EQ(RGB(1, 2, 3), surface.Pixel(50, 40));
}

TEST(Edit, ContextMenuCommandsFollowTheEditsState)
{
    EditHost host;
    CLVKEdit edit;
    ASSERT_TRUE(edit.SubclassWindow(host.MakeRawEdit(WS_EX_CLIENTEDGE, ES_READONLY, 1)));
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(CLVKEdit::kContextMenuId));
    CMenu* pPopup = menu.GetSubMenu(1);
    ASSERT_NE(nullptr, pPopup);
    auto enabled = [&](UINT nID) { return !(pPopup->GetMenuState(nID, MF_BYCOMMAND) & MF_GRAYED); };

    edit.SetSel(0, -1);
    edit.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(pPopup->GetSafeHmenu()), 1);
    EXPECT_FALSE(enabled(ID_EDIT_CUT)) << "read-only";
    EXPECT_FALSE(enabled(ID_EDIT_CLEAR)) << "read-only";
    EXPECT_TRUE(enabled(ID_EDIT_COPY));
    EXPECT_TRUE(enabled(ID_EDIT_SELECT_ALL));

    edit.SetReadOnly(FALSE);
    edit.SetWindowText(L"");
    edit.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(pPopup->GetSafeHmenu()), 1);
    EXPECT_FALSE(enabled(ID_EDIT_SELECT_ALL)) << "empty";
    EXPECT_FALSE(enabled(ID_EDIT_COPY)) << "no selection";
}

TEST(Edit, TheContextMenuIsAToolkitPopupWhoseCommandsReachTheEdit)
{
    // A program with command bars has them install the toolkit's menus.
    InstallToolkitPopupMenu();
    EditHost host;
    CLVKEdit edit;
    ASSERT_TRUE(edit.SubclassWindow(host.MakeRawEdit(WS_EX_CLIENTEDGE, 0, 1)));
    edit.SetWindowText(L"drive");
    edit.SetSel(0, 0);
    // The popup's loop takes the posted key: "Select &All".
    ::PostMessageW(edit.GetSafeHwnd(), WM_KEYDOWN, 'A', 0);
    edit.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit.GetSafeHwnd()), MAKELPARAM(-1, -1));
    int nStart = -1;
    int nEnd = -1;
    edit.GetSel(nStart, nEnd);
    EXPECT_EQ(0, nStart);
    EXPECT_EQ(5, nEnd);
}

TEST(Edit, ValidationMatchesTheWholeText)
{
    const HRESULT hrCom = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        EditHost host;
        CLVKEdit edit;
        ASSERT_TRUE(edit.SubclassWindow(host.MakeRawEdit(WS_EX_CLIENTEDGE, 0, 1)));
        EXPECT_TRUE(edit.IsTextValid()) << "no validator";
        edit.SetValidationPattern(L"[0-9]+");
        const struct
        {
            const wchar_t* text;
            bool valid;
        } cases[] = {{L"123", true}, {L"12a", false}, {L"a12", false}, {L"", false}, {L"1 2", false}};
        for (const auto& c : cases)
        {
            edit.SetWindowText(c.text);
            EXPECT_EQ(c.valid, edit.IsTextValid() != FALSE) << "\"" << static_cast<LPCSTR>(CW2A(c.text)) << "\"";
            edit.UpdateWindow();
        }
    }
    if (SUCCEEDED(hrCom))
        ::CoUninitialize();
}

TEST(Edit, AValidatorThatCannotRunCountsTheTextInvalidAndPaintsOn)
{
    const HRESULT hrCom = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        EditHost host;
        CLVKEdit broken;
        ASSERT_TRUE(broken.SubclassWindow(host.MakeRawEdit(WS_EX_CLIENTEDGE, 0, 2)));
        broken.SetValidationPattern(L"([0-9");
        broken.SetWindowText(L"123");
        EXPECT_FALSE(broken.IsTextValid()) << "a pattern the engine refuses";
        broken.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_FALSE(broken.IsTextValid()) << "and again after painting";
    }
    if (SUCCEEDED(hrCom))
        ::CoUninitialize();
}

// What the edit shows on the screen, read back from its client area.
void CaptureClient(CWnd& wnd, DibSurface& surface)
{
    wnd.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const HDC hDC = ::GetDC(wnd.m_hWnd);
    ::BitBlt(surface.GetHdc(), 0, 0, surface.Width(), surface.Height(), hDC, 0, 0, SRCCOPY);
    ::ReleaseDC(wnd.m_hWnd, hDC);
    ::GdiFlush();
}

TEST(Edit, FailingTextIsUnderlinedWithARedZigZagBelowItsFormattingRectangle)
{
    const HRESULT hrCom = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        EditHost host;
        CLVKEdit edit;
        ASSERT_TRUE(edit.SubclassWindow(host.MakeRawEdit(WS_EX_CLIENTEDGE, ES_AUTOHSCROLL, 1)));
        edit.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)));
        edit.SetValidationPattern(L"[0-9]+");
        edit.SetWindowText(L"12a4");
        CRect rcFormat;
        edit.SendMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rcFormat));
        CRect rcClient;
        edit.GetClientRect(&rcClient);
        ASSERT_GE(rcClient.bottom - rcFormat.bottom, 3) << "room for the line";

        DibSurface surface(rcClient.Width(), rcClient.Height());
        CaptureClient(edit, surface);
        CRect rcRed(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
        int nRed = 0;
        for (int y = 0; y < surface.Height(); ++y)
        {
            for (int x = 0; x < surface.Width(); ++x)
            {
                if (surface.Pixel(x, y) != RGB(255, 0, 0))
                    continue;
                ++nRed;
                rcRed.UnionRect(&rcRed, CRect(x, y, x + 1, y + 1));
            }
        }
        EXPECT_GT(nRed, 0);
        EXPECT_EQ(rcFormat.bottom, rcRed.top) << "along the formatting rectangle's bottom";
        EXPECT_EQ(rcFormat.bottom + 3, rcRed.bottom) << "down by the step of 2 pixels and back";
        EXPECT_EQ(rcFormat.left, rcRed.left);

        edit.SetWindowText(L"1234");
        CaptureClient(edit, surface);
        nRed = 0;
        for (int y = 0; y < surface.Height(); ++y)
            for (int x = 0; x < surface.Width(); ++x)
                nRed += surface.Pixel(x, y) == RGB(255, 0, 0) ? 1 : 0;
        EXPECT_EQ(0, nRed) << "valid text has no line";
    }
    if (SUCCEEDED(hrCom))
        ::CoUninitialize();
}

TEST(Edit, MaskTypingWorksThroughTheThemedEdit)
{
    EditHost host;
    CLVKEdit edit;
    ASSERT_TRUE(edit.SubclassWindow(host.MakeRawEdit(WS_EX_CLIENTEDGE, 0, 1)));
    ASSERT_TRUE(edit.SetEditMask(L"00:00", L"__:__"));
    edit.SetSel(0, 0);
    for (wchar_t ch : {L'1', L'2', L'3'})
        edit.SendMessage(WM_CHAR, ch);
    CString strText;
    edit.GetWindowText(strText);
    EXPECT_EQ(CString(L"12:3_"), strText);
}

}  // namespace
