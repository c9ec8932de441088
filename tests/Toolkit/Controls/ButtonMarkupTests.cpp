// Markup captions of the themed button: parsed in the button's markup
// context, measured for the layout of push buttons and check boxes, drawn by
// the theme in its text colour, re-parsed when the text changes, and plain
// text when the caption does not parse or markup is off.
#include "Framework.h"

#include "Controls/Button.h"
#include "Controls/ButtonTheme.h"
#include "Markup/MarkupContext.h"

#include "../Foundation/DibSurface.h"

#include <gtest/gtest.h>

namespace
{

const COLORREF kRed = RGB(255, 0, 0);

class MarkupHost : public CWnd
{
public:
    MarkupHost()
    {
        CreateEx(0, AfxRegisterWndClass(0), L"Markup host", WS_POPUP | WS_VISIBLE, 40, 40, 300, 100, NULL, NULL);
    }
    ~MarkupHost() override
    {
        if (m_hWnd)
            DestroyWindow();
    }
};

// The bounding box of the pixels of one colour, and their count.
struct ColourBox
{
    CRect rc{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    int nCount = 0;
};

ColourBox FindColour(DibSurface& surface, COLORREF clr)
{
    ColourBox box;
    for (int y = 0; y < surface.Height(); ++y)
    {
        for (int x = 0; x < surface.Width(); ++x)
        {
            if (surface.Pixel(x, y) != clr)
                continue;
            ++box.nCount;
            box.rc.left = std::min<LONG>(box.rc.left, x);
            box.rc.top = std::min<LONG>(box.rc.top, y);
            box.rc.right = std::max<LONG>(box.rc.right, x + 1);
            box.rc.bottom = std::max<LONG>(box.rc.bottom, y + 1);
        }
    }
    return box;
}

class ButtonMarkup : public ::testing::Test
{
protected:
    void Make(DWORD dwStyle, LPCWSTR lpszText, int cx, int cy)
    {
        ASSERT_TRUE(m_button.Create(lpszText, WS_CHILD | WS_VISIBLE | dwStyle, CRect(0, 0, cx, cy), &m_host, 1));
        m_button.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)));
        m_button.SetTheme(12);
    }
    ColourBox Print(COLORREF clr, int cx, int cy)
    {
        DibSurface surface(cx, cy, RGB(1, 2, 3));
        m_button.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.GetHdc()), PRF_CLIENT);
        return FindColour(surface, clr);
    }
    CRect TextLayout()
    {
        CClientDC dc(&m_button);
        const HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), reinterpret_cast<HFONT>(m_button.SendMessage(WM_GETFONT)));
        const CRect rc = m_button.GetTheme()->CalcContentLayout(&dc, &m_button, FALSE);
        ::SelectObject(dc.GetSafeHdc(), hOld);
        return rc;
    }

    MarkupHost m_host;
    CLVKButton m_button;
};

TEST_F(ButtonMarkup, PushButtonCaptionIsMeasuredCentredAndDrawnByTheMarkupEngine)
{
    Make(BS_PUSHBUTTON, L"<Border Width='40' Height='12' Background='Red'/>", 160, 40);
    EXPECT_EQ(0, Print(kRed, 160, 40).nCount) << "markup is off: the caption is plain text";

    m_button.EnableMarkup(TRUE);
    ASSERT_NE(nullptr, m_button.GetMarkupContext());
    EXPECT_EQ(m_button.m_hWnd, m_button.GetMarkupContext()->GetHostWindow());
    ASSERT_NE(nullptr, m_button.GetMarkupCaption());
    EXPECT_EQ(CRect(60, 14, 100, 26), TextLayout()) << "the caption's measured size, centred";
    const ColourBox box = Print(kRed, 160, 40);
    EXPECT_EQ(40 * 12, box.nCount);
    EXPECT_EQ(CRect(60, 14, 100, 26), box.rc);

    // A new text is parsed again; one that does not parse is drawn as text.
    m_button.SetWindowText(L"<Border Width='20' Height='10' Background='Red'/>");
    ASSERT_NE(nullptr, m_button.GetMarkupCaption());
    EXPECT_EQ(CRect(70, 15, 90, 25), Print(kRed, 160, 40).rc);
    m_button.SetWindowText(L"<Border Width='20'");
    EXPECT_EQ(nullptr, m_button.GetMarkupCaption());
    EXPECT_EQ(0, Print(kRed, 160, 40).nCount);
    EXPECT_GT(Print(RGB(68, 68, 68), 160, 40).nCount, 0) << "the plain text in the theme's text colour";

    m_button.SetWindowText(L"<Border Width='20' Height='10' Background='Red'/>");
    m_button.EnableMarkup(FALSE);
    EXPECT_EQ(nullptr, m_button.GetMarkupContext());
    EXPECT_EQ(nullptr, m_button.GetMarkupCaption());
    EXPECT_EQ(0, Print(kRed, 160, 40).nCount);
}

TEST_F(ButtonMarkup, WideCaptionIsClippedToTheContentArea)
{
    Make(BS_PUSHBUTTON, L"<Border Width='400' Height='10' Background='Red'/>", 160, 40);
    m_button.EnableMarkup(TRUE);
    const CRect rc = TextLayout();
    EXPECT_EQ(160 - 2 * m_button.m_nBorderGap, rc.Width()) << "no wider than the area";
    EXPECT_LE(Print(kRed, 160, 40).rc.right, 160 - m_button.m_nBorderGap);
}

TEST_F(ButtonMarkup, CheckBoxCaptionFollowsTheMarkAndTextTakesTheThemeColour)
{
    Make(BS_AUTOCHECKBOX, L"<Border Width='30' Height='10' Background='Red'/>", 160, 24);
    m_button.EnableMarkup(TRUE);
    const ColourBox box = Print(kRed, 160, 24);
    EXPECT_EQ(30 * 10, box.nCount);
    const int nLeft = m_button.GetCheckMarkSize().cx + 3;
    EXPECT_EQ(CRect(nLeft, 7, nLeft + 30, 17), box.rc) << "left-aligned after the mark, centred vertically";

    // A text block takes the theme's caption colour as its default colour.
    m_button.SetWindowText(L"<TextBlock>Markup check box</TextBlock>");
    ASSERT_NE(nullptr, m_button.GetMarkupCaption());
    EXPECT_GT(Print(RGB(68, 68, 68), 160, 24).nCount, 0);
    m_button.EnableWindow(FALSE);
    EXPECT_EQ(0, Print(RGB(68, 68, 68), 160, 24).nCount);
    EXPECT_GT(Print(RGB(152, 152, 152), 160, 24).nCount, 0) << "disabled: the disabled text colour";
}

TEST(ButtonMarkupLifetime, MarkupTurnedOnBeforeTheWindowBindsToItWhenTheTextArrives)
{
    MarkupHost host;
    CLVKButton button;
    button.EnableMarkup(TRUE);
    ASSERT_NE(nullptr, button.GetMarkupContext());
    EXPECT_EQ(nullptr, button.GetMarkupCaption());
    ASSERT_TRUE(button.Create(L"x", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 80, 30), &host, 2));
    button.SetWindowText(L"<TextBlock>Later</TextBlock>");
    EXPECT_NE(nullptr, button.GetMarkupCaption());
    EXPECT_EQ(button.m_hWnd, button.GetMarkupContext()->GetHostWindow());
}

TEST_F(ButtonMarkup, MouseMessagesReachTheCaptionAndTheButtonStillTracks)
{
    // 32649 is the system's hand cursor.
    Make(BS_PUSHBUTTON, L"<Border Width='40' Height='12' Background='Red' Cursor='32649'/>", 160, 40);
    m_button.EnableMarkup(TRUE);
    ASSERT_EQ(40 * 12, Print(kRed, 160, 40).nCount);  // laid out where it is drawn
    const LPARAM lSetCursor = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    m_button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(80, 20));
    EXPECT_EQ(1, m_button.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(m_button.m_hWnd), lSetCursor))
        << "the caption's cursor";
    EXPECT_TRUE(m_button.IsHighlighted()) << "the move still reaches the button";
    m_button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(0, m_button.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(m_button.m_hWnd), lSetCursor))
        << "off the caption the window's own cursor";
}

}  // namespace
