// The buttons of the emulated task dialog: toolkit buttons drawn by their
// themes (command links with title, note, arrow and a face that follows the
// state; the expando button with its chevron), and button captions measured
// on one line unless they are long.
#include "Controls/Button.h"
#include "Controls/ButtonTheme.h"
#include "Controls/TaskButtonTheme.h"
#include "Controls/TaskButtonThemeExpando.h"
#include "Controls/TaskDialog.h"
#include "Controls/TaskDialogMeasure.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/Font.h"
#include "Foundation/WinThemeWrapper.h"
#include "Markup/MarkupHelpers.h"
#include "PrintedWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <typeinfo>
#include <vector>

namespace
{

// Runs the test's script once the modal loop runs (default button and focus
// are set by then), then ends the dialog with the script's answer.
class ScriptedTaskDialog : public CLVKTaskDialog
{
public:
    std::function<int(ScriptedTaskDialog&, HWND)> m_script;

protected:
    void OnDialogConstructed() override
    {
        if (!m_bPosted)
            ::PostMessageW(GetSafeHwnd(), WM_APP + 77, 0, 0);
        m_bPosted = true;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_APP + 77)
        {
            const int nAnswer = m_script ? m_script(*this, GetSafeHwnd()) : IDOK;
            ::PostMessageW(GetSafeHwnd(), TDM_CLICK_BUTTON, static_cast<WPARAM>(nAnswer), 0);
            return 0;
        }
        return CLVKTaskDialog::WindowProc(message, wParam, lParam);
    }
    void OnHyperlinkClicked(LPCWSTR) override {}

private:
    bool m_bPosted = false;
};

CLVKButton* ButtonOf(HWND hDialog, int nId)
{
    return dynamic_cast<CLVKButton*>(CWnd::FromHandlePermanent(GetDlgItem(hDialog, nId)));
}

int LineHeight(HFONT hFont, LPCWSTR lpszText)
{
    const HDC hDC = GetDC(nullptr);
    const HGDIOBJ hOld = SelectObject(hDC, hFont);
    SIZE size{};
    GetTextExtentPoint32W(hDC, lpszText, lstrlenW(lpszText), &size);
    SelectObject(hDC, hOld);
    ReleaseDC(nullptr, hDC);
    return size.cy;
}

}  // namespace

TEST(TaskDialogButtons, EveryButtonIsAToolkitButtonDrawnByItsTheme)
{
    ScriptedTaskDialog dialog;
    dialog.SetMainInstruction(L"How do you want to mount the folder?");
    dialog.ModifyFlags(0, TDF_USE_COMMAND_LINKS);
    dialog.AddButton(L"Mount as a virtual drive\nThe drive comes back at every start.", 41);
    dialog.AddButton(L"Mount once", 42);
    dialog.SetCommonButtons(FALSE, FALSE, FALSE, TRUE, FALSE, FALSE);
    dialog.AddRadioButton(L"All saved drives", 11);
    dialog.AddRadioButton(L"Only the local drives", 12);
    dialog.SetVerificationText(L"Do not ask again");
    dialog.SetExpandedInformation(L"Details");
    const CLVKButtonTheme* pFirstLinkTheme = nullptr;
    const CLVKButtonTheme* pSecondLinkTheme = nullptr;
    bool bPlainThemes = false;
    bool bExpandoTheme = false;
    bool bRadiosAndBoxAreToolkitButtons = false;
    int nRadioHeight = 0;
    int nLineHeight = 0;
    dialog.m_script = [&](ScriptedTaskDialog& self, HWND hDialog)
    {
        CLVKButton* pFirst = ButtonOf(hDialog, 41);
        CLVKButton* pSecond = ButtonOf(hDialog, 42);
        CLVKButton* pCancel = ButtonOf(hDialog, IDCANCEL);
        if (!pFirst || !pSecond || !pCancel || !self.GetExpandoButton())
            return IDCANCEL;
        pFirstLinkTheme = dynamic_cast<CLVKTaskButtonTheme*>(pFirst->GetTheme());
        pSecondLinkTheme = dynamic_cast<CLVKTaskButtonTheme*>(pSecond->GetTheme());
        bExpandoTheme = dynamic_cast<CLVKTaskButtonThemeExpando*>(self.GetExpandoButton()->GetTheme()) != nullptr;
        CLVKButton* pRadio = ButtonOf(hDialog, 11);
        bRadiosAndBoxAreToolkitButtons = pRadio && ButtonOf(hDialog, 12) && self.GetVerificationBox() &&
                                         pRadio->GetButtonType() == BS_AUTORADIOBUTTON;
        bPlainThemes = bRadiosAndBoxAreToolkitButtons && typeid(*pCancel->GetTheme()) == typeid(CLVKButtonTheme) &&
                       typeid(*pRadio->GetTheme()) == typeid(CLVKButtonTheme);
        if (pRadio)
        {
            RECT rc{};
            GetClientRect(pRadio->GetSafeHwnd(), &rc);
            nRadioHeight = rc.bottom;
        }
        nLineHeight = LineHeight(self.GetBodyFont(), L"All saved drives");
        return IDCANCEL;
    };
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_NE(nullptr, pFirstLinkTheme);
    EXPECT_NE(nullptr, pSecondLinkTheme);
    EXPECT_NE(pFirstLinkTheme, pSecondLinkTheme) << "each command link owns its theme";
    EXPECT_TRUE(bExpandoTheme);
    EXPECT_TRUE(bRadiosAndBoxAreToolkitButtons);
    EXPECT_TRUE(bPlainThemes) << "push and radio buttons keep the button's own theme";
    // Inset 2 pixels above and below: the caption is one line, not a column
    // of words.
    EXPECT_EQ(nLineHeight + 2 * CLVKDpiScaling::GetGlobal()->ScaleY(2), nRadioHeight);
}

TEST(TaskDialogButtons, CaptionsStayOnOneLineUntilTheyAreLong)
{
    ScriptedTaskDialog dialog;
    dialog.SetMainInstruction(L"Measure");
    SIZE shortSize{};
    SIZE longSize{};
    int nLine = 0;
    int nThreshold = 0;
    CString strLong;
    for (int i = 0; i < 40; ++i)
        strLong += L"word ";
    dialog.m_script = [&](ScriptedTaskDialog& self, HWND)
    {
        nLine = LineHeight(self.GetBodyFont(), L"Mount as a virtual drive");
        nThreshold = TaskDialogDluToPixels(CLVKDpiScaling::GetGlobal()->ScaleX(330), 0).cx;
        shortSize = self.CalcButtonSize(L"Mount as a virtual drive", SIZE{0, 0}, 0);
        longSize = self.CalcButtonSize(strLong, SIZE{0, 0}, 0);
        return IDOK;
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(nLine, shortSize.cy) << "one line";
    EXPECT_GT(shortSize.cx, 0);
    EXPECT_GT(longSize.cy, nLine) << "a caption above the threshold wraps";
    EXPECT_GT(longSize.cx, nThreshold) << "at the threshold plus its growth";
    EXPECT_LT(longSize.cx, nThreshold + nThreshold / 4);
}

TEST(TaskDialogButtons, CommandLinkFaceAndTextFollowItsState)
{
    for (const bool bThemed : {false, true})
    {
        SCOPED_TRACE(bThemed ? "themed" : "classic");
        ScriptedTaskDialog dialog;
        dialog.SetForceThemed(bThemed);
        dialog.SetMainInstruction(L"How do you want to mount the folder?");
        dialog.ModifyFlags(0, TDF_USE_COMMAND_LINKS);
        dialog.AddButton(L"Mount\nThe drive comes back.", 41);
        dialog.AddButton(L"Once\nThe drive goes.", 42);
        COLORREF clrDefaultEdge = 0;
        COLORREF clrOtherEdge = 0;
        bool bNormalText = false;
        bool bHotText = false;
        bool bHotHasNormalText = true;
        bool bGrayText = false;
        bool bDisabledHasColouredText = true;
        bool bArrow = false;
        CString strTitle;
        CString strNote;
        dialog.m_script = [&](ScriptedTaskDialog&, HWND hDialog)
        {
            CLVKButton* pFirst = ButtonOf(hDialog, 41);
            CLVKButton* pSecond = ButtonOf(hDialog, 42);
            if (!pFirst || !pSecond)
                return 41;
            // The first link is the dialog's default button.
            const PrintedWindow first(pFirst->GetSafeHwnd());
            const PrintedWindow second(pSecond->GetSafeHwnd());
            clrDefaultEdge = first.At(0, first.Height() / 2);
            clrOtherEdge = second.At(0, second.Height() / 2);
            const COLORREF clrText = bThemed ? RGB(21, 28, 85) : GetSysColor(COLOR_BTNTEXT);
            bNormalText = second.Has(clrText);
            const int x = CLVKDpiScaling::GetGlobal()->ScaleX(7);
            const std::vector<COLORREF> arrow =
                second.Area(RECT{x, 0, x + CLVKDpiScaling::GetGlobal()->ScaleX(20), second.Height()});
            bArrow =
                std::any_of(arrow.begin(), arrow.end(), [](COLORREF c) { return GetGValue(c) > GetRValue(c) + 40; });
            if (auto* pTheme = dynamic_cast<CLVKTaskButtonTheme*>(pSecond->GetTheme()))
            {
                strTitle = pTheme->GetTitle();
                strNote = pTheme->GetNote();
            }

            // Hot while the pointer is over it.
            SendMessageW(pSecond->GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
            const PrintedWindow hot(pSecond->GetSafeHwnd());
            bHotText = hot.Has(RGB(0, 74, 229));
            bHotHasNormalText = hot.Has(RGB(21, 28, 85));
            SendMessageW(pSecond->GetSafeHwnd(), WM_MOUSELEAVE, 0, 0);

            SendMessageW(hDialog, TDM_ENABLE_BUTTON, 42, FALSE);
            const PrintedWindow disabled(pSecond->GetSafeHwnd());
            bGrayText = disabled.Has(GetSysColor(COLOR_GRAYTEXT));
            bDisabledHasColouredText = disabled.Has(RGB(21, 28, 85)) || disabled.Has(RGB(0, 74, 229));
            return 41;
        };
        EXPECT_EQ(41, dialog.DoModal());
        EXPECT_EQ(L"Once", std::wstring(strTitle));
        EXPECT_EQ(L"The drive goes.", std::wstring(strNote));
        EXPECT_TRUE(bArrow) << "the green arrow at the left";
        EXPECT_TRUE(bNormalText);
        if (bThemed)
        {
            // Wine's visual style draws the command-link part (default
            // state); without one the own drawing frames it.
            CLVKWinThemeWrapper theme;
            theme.OpenThemeData(nullptr, L"BUTTON");
            if (theme.IsAppThemeReady())
                EXPECT_NE(clrOtherEdge, clrDefaultEdge) << "the default link is marked";
            else
                EXPECT_EQ(RGB(163, 237, 255), clrDefaultEdge) << "frame of the default link";
            EXPECT_EQ(GetSysColor(COLOR_WINDOW), clrOtherEdge);
            EXPECT_TRUE(bHotText);
            EXPECT_FALSE(bHotHasNormalText);
        }
        else
        {
            EXPECT_EQ(GetSysColor(COLOR_3DDKSHADOW), clrDefaultEdge) << "frame of the default link";
            EXPECT_EQ(GetSysColor(COLOR_3DFACE), clrOtherEdge);
        }
        EXPECT_TRUE(bGrayText);
        EXPECT_FALSE(bDisabledHasColouredText);
    }
}

TEST(TaskDialogButtons, ExpandoChevronFollowsTheExpandedState)
{
    ScriptedTaskDialog dialog;
    dialog.SetMainInstruction(L"Details");
    dialog.SetExpandedInformation(L"More text");
    dialog.SetExpandedControlText(L"Less");
    dialog.SetCollapsedControlText(L"More");
    std::vector<COLORREF> collapsed;
    std::vector<COLORREF> expanded;
    std::vector<COLORREF> collapsedAgain;
    int nChecked = -1;
    dialog.m_script = [&](ScriptedTaskDialog& self, HWND)
    {
        CLVKButton* pExpando = self.GetExpandoButton();
        if (!pExpando)
            return IDOK;
        const RECT rcGlyph{0, 0, CLVKDpiScaling::GetGlobal()->ScaleX(18), CLVKDpiScaling::GetGlobal()->ScaleY(20)};
        collapsed = PrintedWindow(pExpando->GetSafeHwnd()).Area(rcGlyph);
        SendMessageW(pExpando->GetSafeHwnd(), BM_CLICK, 0, 0);
        nChecked = pExpando->GetChecked();
        expanded = PrintedWindow(pExpando->GetSafeHwnd()).Area(rcGlyph);
        SendMessageW(pExpando->GetSafeHwnd(), BM_CLICK, 0, 0);
        collapsedAgain = PrintedWindow(pExpando->GetSafeHwnd()).Area(rcGlyph);
        return IDOK;
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    ASSERT_FALSE(collapsed.empty());
    EXPECT_EQ(1, nChecked) << "the button's checked state is the expanded state";
    EXPECT_NE(collapsed, expanded) << "another chevron";
    EXPECT_EQ(collapsed, collapsedAgain);
}

namespace
{

int TextWidth(HFONT hFont, LPCWSTR lpszText)
{
    const HDC hDC = GetDC(nullptr);
    const HGDIOBJ hOld = SelectObject(hDC, hFont);
    SIZE size{};
    GetTextExtentPoint32W(hDC, lpszText, lstrlenW(lpszText), &size);
    SelectObject(hDC, hOld);
    ReleaseDC(nullptr, hDC);
    return size.cx;
}

int ClientWidth(CWnd* pWnd)
{
    RECT rc{};
    GetClientRect(pWnd->GetSafeHwnd(), &rc);
    return rc.right;
}

// Records the notifications of a dialog whose script runs once it is up.
class NotedTaskDialog : public ScriptedTaskDialog
{
public:
    std::vector<std::pair<UINT, std::wstring>> m_notes;
    using CLVKTaskDialogClient::m_bMarkupEnabled;

protected:
    HRESULT OnNotify(UINT uNotification, WPARAM wParam, LPARAM lParam) override
    {
        std::wstring text;
        if (uNotification == TDN_HYPERLINK_CLICKED && lParam)
            text = reinterpret_cast<LPCWSTR>(lParam);
        m_notes.emplace_back(uNotification, text);
        return ScriptedTaskDialog::OnNotify(uNotification, wParam, lParam);
    }
};

}  // namespace

TEST(TaskDialogButtons, MarkupCaptionsAreMeasuredAndDrawnAsMarkup)
{
    const wchar_t kPush[] = L"<TextBlock>Mount <Bold>now</Bold></TextBlock>";
    const wchar_t kVerification[] =
        L"<TextBlock>Read <Hyperlink NavigateUri='https://example.org/rules'>the rules</Hyperlink></TextBlock>";
    const wchar_t kMore[] = L"<TextBlock>More <Bold>details</Bold></TextBlock>";
    NotedTaskDialog dialog;
    dialog.m_bMarkupEnabled = TRUE;
    dialog.SetMainInstruction(L"<TextBlock>Markup captions</TextBlock>");
    dialog.AddButton(kPush, 51);
    dialog.SetVerificationText(kVerification);
    dialog.SetExpandedInformation(L"<TextBlock>Details</TextBlock>");
    dialog.SetCollapsedControlText(kMore);
    bool bParsed = false;
    int nPushWidth = 0;
    int nPushRawWidth = 0;
    int nBoxWidth = 0;
    int nBoxRawWidth = 0;
    int nExpandoWidth = 0;
    int nExpandoRawWidth = 0;
    bool bExpandoInk = false;
    int nVerificationBefore = -1;
    int nVerificationAfter = -1;
    dialog.m_script = [&](ScriptedTaskDialog& self, HWND hDialog)
    {
        CLVKButton* pPush = ButtonOf(hDialog, 51);
        CLVKButton* pBox = self.GetVerificationBox();
        CLVKButton* pExpando = self.GetExpandoButton();
        if (!pPush || !pBox || !pExpando)
            return 51;
        bParsed = pPush->GetMarkupCaption() && pBox->GetMarkupCaption() && pExpando->GetMarkupCaption();
        const HFONT hFont = self.GetBodyFont();
        nPushWidth = ClientWidth(pPush);
        nPushRawWidth = TextWidth(hFont, kPush);
        nBoxWidth = ClientWidth(pBox);
        nBoxRawWidth = TextWidth(hFont, kVerification);
        nExpandoWidth = ClientWidth(pExpando);
        nExpandoRawWidth = TextWidth(hFont, kMore);
        // Ink right of the chevron: the caption drawn by the markup engine.
        const PrintedWindow expando(pExpando->GetSafeHwnd());
        const int x = CLVKDpiScaling::GetGlobal()->ScaleX(26);
        const std::vector<COLORREF> caption = expando.Area(RECT{x, 0, expando.Width(), expando.Height()});
        bExpandoInk =
            std::any_of(caption.begin(), caption.end(), [](COLORREF c) { return c == GetSysColor(COLOR_BTNTEXT); });

        // A click on the verification caption's hyperlink: after the mark and
        // "Read ", on the first line.
        // Drawn once, so that the caption's elements have their places.
        const PrintedWindow box(pBox->GetSafeHwnd());
        nVerificationBefore = pBox->GetChecked();
        const int xLink =
            pBox->GetCheckMarkSize().cx + CLVKDpiScaling::GetGlobal()->ScaleX(3) + TextWidth(hFont, L"Read ") + 6;
        const LPARAM lParam = MAKELPARAM(xLink, LineHeight(hFont, L"Read") / 2);
        SendMessageW(pBox->GetSafeHwnd(), WM_MOUSEMOVE, 0, lParam);
        SendMessageW(pBox->GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, lParam);
        SendMessageW(pBox->GetSafeHwnd(), WM_LBUTTONUP, 0, lParam);
        nVerificationAfter = pBox->GetChecked();
        return 51;
    };
    EXPECT_EQ(51, dialog.DoModal());
    EXPECT_TRUE(bParsed) << "push button, verification box and expando button show markup";
    // Measured as markup: far narrower than the markup's own characters.
    EXPECT_LT(nPushWidth, nPushRawWidth);
    EXPECT_LT(nBoxWidth, nBoxRawWidth);
    EXPECT_LT(nExpandoWidth, nExpandoRawWidth);
    EXPECT_TRUE(bExpandoInk);
    std::vector<std::wstring> targets;
    bool bVerificationNote = false;
    for (const auto& note : dialog.m_notes)
    {
        if (note.first == TDN_HYPERLINK_CLICKED)
            targets.push_back(note.second);
        bVerificationNote = bVerificationNote || note.first == TDN_VERIFICATION_CLICKED;
    }
    EXPECT_EQ(std::vector<std::wstring>{L"https://example.org/rules"}, targets);
    EXPECT_FALSE(bVerificationNote) << "the link's click is not the check box's";
    EXPECT_EQ(nVerificationBefore, nVerificationAfter);
}

TEST(TaskDialogButtons, MarkupCommandLinkTitleTakesTheSizeOfItsElement)
{
    NotedTaskDialog dialog;
    dialog.m_bMarkupEnabled = TRUE;
    dialog.SetForceThemed(TRUE);
    dialog.SetMainInstruction(L"<TextBlock>Markup links</TextBlock>");
    dialog.ModifyFlags(0, TDF_USE_COMMAND_LINKS);
    dialog.AddButton(L"<TextBlock>Plain first</TextBlock>", 41);
    dialog.AddButton(L"<TextBlock>Mount <Bold>now</Bold></TextBlock>", 42);
    int nHeight = 0;
    int nExpected = 0;
    bool bTitleInk = false;
    dialog.m_script = [&](ScriptedTaskDialog& self, HWND hDialog)
    {
        CLVKButton* pLink = ButtonOf(hDialog, 42);
        if (!pLink || !pLink->GetMarkupCaption())
            return 41;
        RECT rc{};
        GetClientRect(pLink->GetSafeHwnd(), &rc);
        nHeight = rc.bottom;
        MarkupSetDefaultFont(pLink->GetMarkupContext(), self.GetMainFont(), 0);
        const SIZE title = MarkupMeasureElement(pLink->GetMarkupCaption(), 0x7FFFFFFF);
        nExpected = title.cy + 2 * self.GetMarginY();
        // The title in the command link's text colour.
        bTitleInk = PrintedWindow(pLink->GetSafeHwnd()).Has(RGB(21, 28, 85));
        return 41;
    };
    EXPECT_EQ(41, dialog.DoModal());
    EXPECT_GT(nExpected, 0);
    EXPECT_EQ(nExpected, nHeight);
    EXPECT_TRUE(bTitleInk);
}

TEST(TaskDialogButtons, FontsComeFromTheToolkitsFontCache)
{
    ScriptedTaskDialog dialog;
    dialog.SetMainInstruction(L"Fonts");
    HFONT hBody = nullptr;
    HFONT hMain = nullptr;
    HFONT hBodyAfterNavigation = nullptr;
    bool bSameAsCache = false;
    TASKDIALOGCONFIG page{};
    dialog.m_script = [&](ScriptedTaskDialog& self, HWND hDialog)
    {
        hBody = self.GetBodyFont();
        hMain = self.GetMainFont();
        LOGFONTW lf{};
        GetObjectW(hBody, sizeof(lf), &lf);
        CLVKFont cached;
        cached.CreateIndirect(&lf);
        bSameAsCache = cached.GetHandle() == hBody;
        // A new page asks for the same fonts and gets the same ones.
        page = *self.GetConfigRecord();
        page.pszMainInstruction = L"Next page";
        SendMessageW(hDialog, TDM_NAVIGATE_PAGE, 0, reinterpret_cast<LPARAM>(&page));
        hBodyAfterNavigation = self.GetBodyFont();
        return IDOK;
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_NE(nullptr, hBody);
    EXPECT_NE(nullptr, hMain);
    EXPECT_TRUE(bSameAsCache);
    EXPECT_EQ(hBody, hBodyAfterNavigation);
}
