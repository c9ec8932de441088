// The themed button: the theme-number table with its aliases, the split and
// drop-down zones with the drop-down notification, the keys of the drop-down
// styles, the text alignment defaults, the theme broadcast reaching only
// themed buttons and edits, and pixels of a few states through
// WM_PRINTCLIENT into a 32-bit bitmap.
#include "Framework.h"

#include "Controls/Button.h"
#include "Controls/ButtonThemeVariants.h"
#include "Controls/Edit.h"
#include "Foundation/ColorManager.h"
#include "ScopedResourceTheme.h"

#include "../Foundation/DibSurface.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

namespace
{

class ButtonHost : public CWnd
{
public:
    std::vector<std::pair<UINT, UINT>> m_commands;  // id, code

    ButtonHost()
    {
        CreateEx(0, AfxRegisterWndClass(0), L"Button host", WS_POPUP | WS_VISIBLE, 40, 40, 400, 200, NULL, NULL);
    }
    ~ButtonHost() override
    {
        if (m_hWnd)
            DestroyWindow();
    }
    int Count(UINT nCode) const
    {
        int n = 0;
        for (const auto& c : m_commands)
            n += c.second == nCode ? 1 : 0;
        return n;
    }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        m_commands.push_back({LOWORD(wParam), HIWORD(wParam)});
        return CWnd::OnCommand(wParam, lParam);
    }
};

struct ThemeCase
{
    int nTheme;
    int nNumber;
    bool bUxTheme;
};

class ButtonThemeNumbers : public ::testing::TestWithParam<ThemeCase>
{
};

TEST_P(ButtonThemeNumbers, CreateTheirThemeAndUxThemeUse)
{
    const ThemeCase& c = GetParam();
    CLVKButton button;
    EXPECT_TRUE(button.SetTheme(c.nTheme));
    EXPECT_EQ(c.nNumber, button.GetTheme()->GetThemeNumber());
    EXPECT_EQ(c.bUxTheme, button.IsUseUxTheme() != FALSE);
}

INSTANTIATE_TEST_SUITE_P(Table, ButtonThemeNumbers,
                         ::testing::Values(ThemeCase{0, 0, true}, ThemeCase{1, 1, false}, ThemeCase{2, 2, false},
                                           ThemeCase{3, 3, false}, ThemeCase{4, 4, false}, ThemeCase{5, 5, false},
                                           ThemeCase{6, 0, true}, ThemeCase{7, 7, false}, ThemeCase{10, 0, false},
                                           ThemeCase{12, 12, false}, ThemeCase{13, 14, false}, ThemeCase{14, 14, false},
                                           ThemeCase{15, 15, false}, ThemeCase{16, 16, false},
                                           ThemeCase{42, 0, false}));

class ButtonTest : public ::testing::Test
{
protected:
    void Make(DWORD dwStyle, LPCWSTR lpszText = L"Button", int cx = 120, int cy = 28)
    {
        ASSERT_TRUE(
            m_button.Create(lpszText, WS_CHILD | WS_VISIBLE | dwStyle, CRect(10, 10, 10 + cx, 10 + cy), &m_host, 500));
    }
    void Click(int x, int y)
    {
        m_button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        m_button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }

    ButtonHost m_host;
    CLVKButton m_button;
};

TEST_F(ButtonTest, SplitButtonClicksLeftAndDropsDownInItsRightPart)
{
    Make(BS_PUSHBUTTON);
    m_button.SetPushButtonStyle(LVK_BUTTON_SPLITDROPDOWN);
    Click(20, 14);
    EXPECT_EQ(1, m_host.Count(BN_CLICKED));
    EXPECT_EQ(0, m_host.Count(LVK_BN_DROPDOWN));

    m_host.m_commands.clear();
    Click(120 - 4 - 16 + 1, 14);
    EXPECT_EQ(0, m_host.Count(BN_CLICKED)) << "the drop-down part does not click";
    EXPECT_EQ(1, m_host.Count(LVK_BN_DROPDOWN));
    EXPECT_EQ(0, m_button.IsPushed()) << "released after the parent's handler";
}

TEST_F(ButtonTest, DropDownStyleDropsDownOnPressAndOnSpaceOrEnter)
{
    Make(BS_PUSHBUTTON);
    m_button.SetPushButtonStyle(LVK_BUTTON_DROPDOWN);
    int nPushedDuringNotify = -1;
    m_button.SendMessage(BM_SETSTATE, TRUE);
    EXPECT_EQ(1, m_host.Count(LVK_BN_DROPDOWN)) << "on the press, not the release";
    m_button.SendMessage(BM_SETSTATE, FALSE);
    m_button.SendMessage(WM_CHAR, L' ');
    EXPECT_EQ(2, m_host.Count(LVK_BN_DROPDOWN));
    m_button.SendMessage(WM_CHAR, L'\r');
    EXPECT_EQ(3, m_host.Count(LVK_BN_DROPDOWN));
    (void)nPushedDuringNotify;

    m_host.m_commands.clear();
    m_button.SetPushButtonStyle(LVK_BUTTON_DROPDOWNNOGLYPH);
    m_button.SendMessage(WM_CHAR, L'\r');
    EXPECT_EQ(0, m_host.Count(LVK_BN_DROPDOWN)) << "style 4 reacts to Space only";
    m_button.SendMessage(WM_CHAR, L' ');
    EXPECT_EQ(1, m_host.Count(LVK_BN_DROPDOWN));

    MSG msg{};
    msg.message = WM_CHAR;
    msg.wParam = L' ';
    EXPECT_TRUE(m_button.SendMessage(WM_GETDLGCODE, L' ', reinterpret_cast<LPARAM>(&msg)) & DLGC_WANTCHARS);
}

TEST_F(ButtonTest, TextAlignmentDefaultsByType)
{
    const struct
    {
        DWORD dwStyle;
        DWORD dwAlignment;
    } cases[] = {
        {BS_AUTOCHECKBOX, BS_LEFT | BS_VCENTER},
        {BS_PUSHBUTTON, BS_CENTER | BS_VCENTER},
        {BS_PUSHBUTTON | BS_RIGHT, BS_RIGHT | BS_VCENTER},
        {BS_AUTORADIOBUTTON | BS_TOP, BS_LEFT | BS_TOP},
        {BS_PUSHBUTTON | BS_LEFT | BS_BOTTOM, BS_LEFT | BS_BOTTOM},
    };
    Make(BS_PUSHBUTTON);
    for (const auto& c : cases)
    {
        ::SetWindowLongW(m_button.m_hWnd, GWL_STYLE, WS_CHILD | WS_VISIBLE | c.dwStyle);
        EXPECT_EQ(c.dwAlignment, m_button.GetTextAlignment()) << std::hex << c.dwStyle;
    }
}

TEST_F(ButtonTest, TipToolIsTheClientAreaLessTwoPixels)
{
    Make(BS_PUSHBUTTON);
    ASSERT_NE(nullptr, m_button.GetToolTipContext());
    TOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V1_SIZE;
    EXPECT_EQ(-1, m_button.OnToolHitTest(CPoint(10, 10), &ti)) << "no tip text";
    m_button.m_strTooltip = L"Opens the drive";
    EXPECT_EQ(-1, m_button.OnToolHitTest(CPoint(1, 10), &ti)) << "in the 2-pixel margin";
    ASSERT_EQ(1, m_button.OnToolHitTest(CPoint(10, 10), &ti));
    EXPECT_EQ(1u, ti.uId);
    EXPECT_EQ(m_button.m_hWnd, ti.hwnd);
    EXPECT_EQ(CRect(2, 2, 118, 26), CRect(ti.rect));
    EXPECT_STREQ(L"Opens the drive", ti.lpszText);
    ::HeapFree(::GetProcessHeap(), 0, ti.lpszText);
    m_button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));  // relayed to the context without harm
}

TEST(Button, ThemeBroadcastReachesThemedButtonsAndEditsOnly)
{
    ButtonHost host;
    CLVKButton themed;
    ASSERT_TRUE(themed.Create(L"a", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), &host, 1));
    CLVKEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 30, 80, 50), &host, 2));
    const HWND hPlain = ::CreateWindowExW(0, L"BUTTON", L"plain", WS_CHILD | WS_VISIBLE, 0, 60, 50, 20, host.m_hWnd,
                                          reinterpret_cast<HMENU>(3), nullptr, nullptr);
    host.SendMessageToDescendants(WM_APPLY_CONTROL_THEME, 16);
    EXPECT_EQ(16, themed.GetTheme()->GetThemeNumber());
    EXPECT_EQ(16, edit.GetTheme()->GetThemeNumber());
    EXPECT_TRUE(::IsWindow(hPlain));
    EXPECT_EQ(static_cast<LONG>(WS_CHILD | WS_VISIBLE), ::GetWindowLongW(hPlain, GWL_STYLE) & (WS_CHILD | WS_VISIBLE));
}

class ButtonPixels : public ButtonTest
{
protected:
    COLORREF PixelAt(int x, int y)
    {
        DibSurface surface(120, 28, RGB(1, 2, 3));
        m_button.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.GetHdc()), PRF_CLIENT);
        return surface.Pixel(x, y);
    }
};

TEST_F(ButtonPixels, Office2013FacesByState)
{
    Make(BS_PUSHBUTTON, L"");
    m_button.SetTheme(12);
    EXPECT_EQ(RGB(171, 171, 171), PixelAt(0, 0)) << "border";
    EXPECT_EQ(RGB(253, 253, 253), PixelAt(60, 14)) << "face";
    m_button.SetChecked(1);
    EXPECT_EQ(RGB(163, 189, 227), PixelAt(0, 0)) << "checked: hot border";
    EXPECT_EQ(RGB(213, 225, 242), PixelAt(60, 14)) << "checked: hot face";
    m_button.SetChecked(0);
    m_button.EnableWindow(FALSE);
    EXPECT_EQ(RGB(225, 225, 225), PixelAt(0, 0)) << "disabled border";
}

TEST_F(ButtonPixels, VisualStudio2012DarkAndClassicDefault)
{
    Make(BS_PUSHBUTTON, L"");
    m_button.SetTheme(15);
    EXPECT_EQ(RGB(45, 45, 48), PixelAt(60, 14));
    EXPECT_EQ(RGB(67, 67, 70), PixelAt(0, 0));
    m_button.SetTheme(10);
    EXPECT_FALSE(m_button.IsUseUxTheme());
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), PixelAt(0, 0)) << "classic raised face";
    EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), PixelAt(119, 27));
    m_button.SendMessage(BM_SETSTATE, TRUE);
    EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), PixelAt(0, 0)) << "pushed: sunken";
}

TEST_F(ButtonPixels, ResourceThemeWithoutItsPictureFallsBackToTheClassicFace)
{
    ScopedResourceTheme none(nullptr);
    Make(BS_PUSHBUTTON, L"");
    m_button.SetTheme(7);
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), PixelAt(0, 0));
    EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), PixelAt(119, 27));
}

TEST_F(ButtonPixels, FlatButtonShowsNoFaceUntilHot)
{
    Make(BS_PUSHBUTTON, L"");
    m_button.SetTheme(12);
    m_button.SetFlatStyle(TRUE);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), PixelAt(0, 0)) << "only the parent's background";
    m_button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(m_button.IsHighlighted());
    EXPECT_EQ(RGB(163, 189, 227), PixelAt(0, 0)) << "hot border";
}

TEST_F(ButtonPixels, Office2013IndeterminateCheckBoxIsAFilledSquare)
{
    Make(BS_AUTO3STATE, L"Three states");
    m_button.SetTheme(12);
    m_button.SendMessage(BM_SETCHECK, BST_INDETERMINATE);
    DibSurface surface(120, 28, RGB(1, 2, 3));
    m_button.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.GetHdc()), PRF_CLIENT);
    // The mark: 13 pixels at the left, centred vertically.
    const int y = (28 - 13) / 2;
    EXPECT_EQ(RGB(171, 171, 171), surface.Pixel(0, y)) << "mark border";
    EXPECT_EQ(RGB(139, 139, 139), surface.Pixel(6, y + 6)) << "filled with the mark colour";
    EXPECT_EQ(RGB(253, 253, 253), surface.Pixel(1, y + 1)) << "face between border and square";
}

// Ultra-flat check marks: the mark colour for a checked box, toolkit colour
// 35 for an indeterminate one.
TEST_F(ButtonPixels, UltraFlatIndeterminateMarkTakesTheDisabledMarkColour)
{
    Make(BS_AUTO3STATE, L"");
    m_button.SetTheme(2);
    auto countInMark = [&](COLORREF clr)
    {
        DibSurface surface(120, 28, RGB(1, 2, 3));
        m_button.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.GetHdc()), PRF_CLIENT);
        int n = 0;
        for (int y = 7; y < 20; ++y)
            for (int x = 1; x < 12; ++x)
                n += surface.Pixel(x, y) == clr ? 1 : 0;
        return n;
    };
    const COLORREF clrText = GetToolkitColor(COLOR_BTNTEXT);
    const COLORREF clrGrey = GetToolkitColor(35);
    ASSERT_NE(clrText, clrGrey);
    m_button.SendMessage(BM_SETCHECK, BST_CHECKED);
    EXPECT_GT(countInMark(clrText), 0);
    EXPECT_EQ(0, countInMark(clrGrey));
    m_button.SendMessage(BM_SETCHECK, BST_INDETERMINATE);
    EXPECT_GT(countInMark(clrGrey), 0);
    EXPECT_EQ(0, countInMark(clrText));
}

// The colour manager's Windows colour scheme, for one test.
class ScopedWindowsTheme
{
public:
    explicit ScopedWindowsTheme(int nTheme) { CLVKColorManager::GetGlobal()->SetWindowsTheme(nTheme); }
    ~ScopedWindowsTheme() { CLVKColorManager::GetGlobal()->SetWindowsTheme(CLVKColorManager::themeAutomatic); }
};

class Office2003Button : public ButtonPixels
{
protected:
    std::vector<COLORREF> Picture()
    {
        DibSurface surface(120, 28, RGB(1, 2, 3));
        m_button.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.GetHdc()), PRF_CLIENT);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < 28; ++y)
            for (int x = 0; x < 120; ++x)
                pixels.push_back(surface.Pixel(x, y));
        return pixels;
    }
    // Each of the four states drawn by the theme number.
    std::vector<std::vector<COLORREF>> States(int nTheme)
    {
        m_button.SetTheme(nTheme);
        std::vector<std::vector<COLORREF>> pictures;
        pictures.push_back(Picture());
        m_button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        pictures.push_back(Picture());
        m_button.SendMessage(BM_SETSTATE, TRUE);
        pictures.push_back(Picture());
        m_button.SendMessage(BM_SETSTATE, FALSE);
        m_button.SendMessage(WM_MOUSELEAVE);
        m_button.SetChecked(1);
        pictures.push_back(Picture());
        m_button.SetChecked(0);
        return pictures;
    }
};

void ExpectNear(COLORREF clrExpected, COLORREF clr, int nTolerance, const char* pszWhat)
{
    EXPECT_NEAR(GetRValue(clrExpected), GetRValue(clr), nTolerance) << pszWhat;
    EXPECT_NEAR(GetGValue(clrExpected), GetGValue(clr), nTolerance) << pszWhat;
    EXPECT_NEAR(GetBValue(clrExpected), GetBValue(clr), nTolerance) << pszWhat;
}

TEST_F(Office2003Button, WithoutAColourSchemeItDrawsExactlyAsOfficeXP)
{
    ScopedWindowsTheme scheme(CLVKColorManager::themeNone);
    Make(BS_PUSHBUTTON, L"Same");
    EXPECT_EQ(States(4), States(5));
}

TEST_F(Office2003Button, LunaSchemesGiveTheirFacesAndGradientsOfTheState)
{
    ScopedWindowsTheme scheme(CLVKColorManager::themeLunaBlue);
    Make(BS_PUSHBUTTON, L"");
    m_button.SetTheme(5);
    EXPECT_EQ(RGB(169, 199, 240), PixelAt(60, 14)) << "blue face";
    EXPECT_EQ(RGB(127, 157, 185), PixelAt(0, 0)) << "blue border";

    // Hot, pushed and checked: a top-to-bottom gradient framed in the hot border.
    m_button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(RGB(0, 0, 128), PixelAt(0, 0));
    ExpectNear(RGB(255, 242, 200), PixelAt(60, 1), 3, "hot gradient, top");
    ExpectNear(RGB(255, 212, 151), PixelAt(60, 26), 8, "hot gradient, bottom");
    m_button.SendMessage(BM_SETSTATE, TRUE);
    ExpectNear(RGB(254, 142, 75), PixelAt(60, 1), 3, "pushed gradient, top");
    ExpectNear(RGB(255, 207, 139), PixelAt(60, 26), 8, "pushed gradient, bottom");
    m_button.SendMessage(BM_SETSTATE, FALSE);
    m_button.SendMessage(WM_MOUSELEAVE);
    m_button.SetChecked(1);
    ExpectNear(RGB(255, 213, 140), PixelAt(60, 1), 3, "checked gradient, top");
    EXPECT_EQ(RGB(0, 0, 128), PixelAt(119, 27));

    CLVKColorManager::GetGlobal()->SetWindowsTheme(CLVKColorManager::themeLunaSilver);
    m_button.SetTheme(5);
    m_button.SetChecked(0);
    EXPECT_EQ(RGB(192, 192, 211), PixelAt(60, 14)) << "silver face";
    EXPECT_EQ(RGB(165, 172, 178), PixelAt(0, 0)) << "silver border";
}

// The light theme's pictures: the push button's five states, 16 x 16 with a
// sizing margin of 4, and the 13 x 13 marks of check boxes and radio buttons.
const COLORREF kLightBorder = RGB(204, 206, 219);
const COLORREF kLightWindow = RGB(255, 255, 255);
const COLORREF kLightText = RGB(30, 30, 30);
const COLORREF kLightHotBorder = RGB(164, 206, 249);
const COLORREF kLightAccent = RGB(0, 122, 204);
const COLORREF kLightDisabled = RGB(162, 164, 165);
const COLORREF kLightBack = RGB(238, 238, 242);
const COLORREF kFace = 0xFFFFFFFF;  // the button's background shows through

struct MarkCase
{
    const char* pszName;
    DWORD dwStyle;
    int nCheck;
    bool bHot;
    bool bPushed;
    bool bEnabled;
    POINT ptInMark;  // in the 13 x 13 mark
    COLORREF clr;
};

class ResourceThemeMarks : public ::testing::TestWithParam<MarkCase>
{
};

TEST_P(ResourceThemeMarks, ComeFromTheThemePictures)
{
    const MarkCase& c = GetParam();
    ScopedResourceTheme theme(L"VISUALSTUDIO2015LIGHT_INI");
    ASSERT_TRUE(theme.IsLoaded());
    ButtonHost host;
    CLVKButton button;
    ASSERT_TRUE(button.Create(L"Mark", WS_CHILD | WS_VISIBLE | c.dwStyle, CRect(0, 0, 120, 28), &host, 1));
    button.SetTheme(7);
    button.SendMessage(BM_SETCHECK, c.nCheck);
    if (c.bHot)
        button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    if (c.bPushed)
        button.SendMessage(BM_SETSTATE, TRUE);
    button.EnableWindow(c.bEnabled);
    DibSurface surface(120, 28, RGB(1, 2, 3));
    button.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.GetHdc()), PRF_CLIENT);
    const int yMark = (28 - 13) / 2;
    const COLORREF clr = c.clr == kFace ? ::GetSysColor(COLOR_BTNFACE) : c.clr;
    EXPECT_EQ(clr, surface.Pixel(c.ptInMark.x, yMark + c.ptInMark.y)) << c.pszName;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ResourceThemeMarks,
    ::testing::Values(MarkCase{"idle check box frame", BS_AUTOCHECKBOX, 0, false, false, true, {0, 0}, kLightBorder},
                      MarkCase{"idle check box inside", BS_AUTOCHECKBOX, 0, false, false, true, {6, 6}, kLightWindow},
                      MarkCase{"check mark", BS_AUTOCHECKBOX, 1, false, false, true, {1, 5}, kLightText},
                      MarkCase{"hot frame", BS_AUTOCHECKBOX, 1, true, false, true, {0, 0}, kLightHotBorder},
                      MarkCase{"hot and pushed frame", BS_AUTOCHECKBOX, 0, true, true, true, {0, 0}, kLightAccent},
                      MarkCase{"disabled frame", BS_AUTOCHECKBOX, 1, false, false, false, {0, 0}, kLightDisabled},
                      MarkCase{"disabled inside", BS_AUTOCHECKBOX, 0, false, false, false, {6, 6}, kLightBack},
                      MarkCase{"indeterminate square", BS_AUTO3STATE, 2, false, false, true, {6, 6}, kLightText},
                      MarkCase{"radio ring", BS_AUTORADIOBUTTON, 0, false, false, true, {6, 0}, kLightBorder},
                      MarkCase{"radio corner", BS_AUTORADIOBUTTON, 0, false, false, true, {0, 0}, kFace},
                      MarkCase{"radio inside", BS_AUTORADIOBUTTON, 0, false, false, true, {6, 6}, kLightWindow},
                      MarkCase{"radio dot", BS_AUTORADIOBUTTON, 1, false, false, true, {6, 6}, kLightText},
                      MarkCase{"hot radio ring", BS_AUTORADIOBUTTON, 1, true, false, true, {6, 0}, kLightHotBorder},
                      MarkCase{
                          "disabled radio dot", BS_AUTORADIOBUTTON, 1, false, false, false, {6, 6}, kLightDisabled}));

TEST_F(ButtonPixels, ResourceThemeGroupFrameTakesTheThemesGroupBoxFrameColour)
{
    ScopedResourceTheme theme(L"VISUALSTUDIO2015LIGHT_INI");
    ASSERT_TRUE(theme.IsLoaded());
    Make(BS_GROUPBOX, L"");
    m_button.SetTheme(7);
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), PixelAt(0, 20)) << "a theme without the key";
    const char kIni[] = "[Controls]\r\nGroupBoxFrame = 10 20 30\r\n";
    CLVKResourceImages::GetGlobal()->ParseIniText(kIni, sizeof(kIni) - 1);
    m_button.SetTheme(7);
    EXPECT_EQ(RGB(10, 20, 30), PixelAt(0, 20));
    EXPECT_EQ(RGB(10, 20, 30), PixelAt(119, 27));
}

TEST_F(ButtonPixels, ResourceThemePushButtonPictureByState)
{
    ScopedResourceTheme theme(L"VISUALSTUDIO2015LIGHT_INI");
    ASSERT_TRUE(theme.IsLoaded());
    Make(BS_PUSHBUTTON, L"");
    m_button.SetTheme(7);
    EXPECT_EQ(kLightBorder, PixelAt(60, 0)) << "normal";
    EXPECT_EQ(RGB(246, 246, 246), PixelAt(60, 14));
    m_button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(kLightHotBorder, PixelAt(60, 0)) << "hot";
    m_button.SendMessage(BM_SETSTATE, TRUE);
    EXPECT_EQ(kLightAccent, PixelAt(60, 14)) << "pushed";
    m_button.SendMessage(BM_SETSTATE, FALSE);
    m_button.SendMessage(WM_MOUSELEAVE);
    m_button.EnableWindow(FALSE);
    EXPECT_EQ(kLightBack, PixelAt(60, 14)) << "disabled";
    m_button.EnableWindow(TRUE);
    m_button.SetButtonStyle(BS_DEFPUSHBUTTON);
    EXPECT_EQ(kLightAccent, PixelAt(60, 0)) << "default";
}

}  // namespace
