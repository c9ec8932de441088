// The "buttons" page: push buttons in their states and drop-down styles,
// check boxes (also three-state), radio buttons and group boxes. --theme
// gives every button that theme; without it the page shows the Visual
// Studio 2015 look that the main window uses.
#include "GalleryPages.h"

#include "Controls/Button.h"

namespace
{

class ButtonsPage : public GalleryPage
{
public:
    CSize DefaultSize() const override { return CSize(560, 420); }

    void Create(CLVKResizeDialog& dlg) override
    {
        UINT nID = 5000;
        auto add = [&](LPCWSTR lpszText, DWORD dwStyle, const CRect& rc) -> CLVKButton*
        {
            CLVKButton* pButton = Own(std::make_unique<CLVKButton>());
            pButton->Create(lpszText, WS_CHILD | WS_VISIBLE | WS_TABSTOP | dwStyle, rc, &dlg, nID++);
            pButton->SetFont(dlg.GetFont());
            pButton->SetTheme(16);
            return pButton;
        };
        add(L"Push buttons", BS_GROUPBOX, CRect(10, 8, 270, 250));
        add(L"Normal", BS_PUSHBUTTON, CRect(22, 30, 132, 58));
        add(L"Default", BS_DEFPUSHBUTTON, CRect(144, 30, 254, 58));
        add(L"Disabled", BS_PUSHBUTTON, CRect(22, 66, 132, 94))->EnableWindow(FALSE);
        add(L"Checked", BS_PUSHBUTTON, CRect(144, 66, 254, 94))->SetChecked(1);
        add(L"Drop-down", BS_PUSHBUTTON, CRect(22, 102, 132, 130))->SetPushButtonStyle(LVK_BUTTON_DROPDOWN);
        add(L"Split", BS_PUSHBUTTON, CRect(144, 102, 254, 130))->SetPushButtonStyle(LVK_BUTTON_SPLITDROPDOWN);
        add(L"Right arrow", BS_PUSHBUTTON, CRect(22, 138, 132, 166))->SetPushButtonStyle(LVK_BUTTON_DROPDOWNRIGHT);
        add(L"Flat", BS_PUSHBUTTON, CRect(144, 138, 254, 166))->SetFlatStyle(TRUE);
        add(L"Pushed", BS_PUSHBUTTON, CRect(22, 174, 132, 202))->SendMessage(BM_SETSTATE, TRUE);
        add(L"Multi-line\r\ncaption", BS_PUSHBUTTON | BS_MULTILINE, CRect(144, 174, 254, 240));
        add(L"Image", BS_PUSHBUTTON, CRect(22, 210, 132, 240))
            ->SetIconFromHandles(16, 16, ::LoadIcon(nullptr, IDI_INFORMATION));

        add(L"Check boxes and radio buttons", BS_GROUPBOX, CRect(285, 8, 545, 250));
        add(L"Check box", BS_AUTOCHECKBOX, CRect(297, 30, 535, 52));
        add(L"Checked", BS_AUTOCHECKBOX, CRect(297, 56, 535, 78))->SendMessage(BM_SETCHECK, BST_CHECKED);
        add(L"Indeterminate", BS_AUTO3STATE, CRect(297, 82, 535, 104))->SendMessage(BM_SETCHECK, BST_INDETERMINATE);
        add(L"Disabled and checked", BS_AUTOCHECKBOX, CRect(297, 108, 535, 130))->SendMessage(BM_SETCHECK, BST_CHECKED);
        ::EnableWindow(::GetDlgItem(dlg.m_hWnd, nID - 1), FALSE);
        add(L"Text at the left", BS_AUTOCHECKBOX | BS_LEFTTEXT, CRect(297, 134, 535, 156));
        add(L"Radio one", BS_AUTORADIOBUTTON | WS_GROUP, CRect(297, 164, 535, 186))
            ->SendMessage(BM_SETCHECK, BST_CHECKED);
        add(L"Radio two", BS_AUTORADIOBUTTON, CRect(297, 190, 535, 212));
        add(L"Radio disabled", BS_AUTORADIOBUTTON, CRect(297, 216, 535, 238))->EnableWindow(FALSE);

        CLVKButton* pHeader = add(L"Header-style group", BS_GROUPBOX, CRect(10, 262, 545, 300));
        pHeader->m_nGroupBoxStyle = 1;
        add(L"<TextBlock FontWeight='Bold'>Markup caption</TextBlock>", BS_PUSHBUTTON, CRect(22, 310, 200, 338))
            ->EnableMarkup(TRUE);
        add(L"<TextBlock FontStyle='Italic'>Markup check box</TextBlock>", BS_AUTOCHECKBOX, CRect(297, 313, 535, 335))
            ->EnableMarkup(TRUE);
        // Registered with the layout, the group boxes become transparent over
        // the controls inside them. They paint no background of their own, so
        // the dialog paints beneath its children here.
        for (UINT n = 5000; n < nID; ++n)
            dlg.SetResize(static_cast<int>(n), LVK_ANCHOR_TOPLEFT, LVK_ANCHOR_TOPLEFT);
        dlg.ModifyStyle(WS_CLIPCHILDREN, 0);
    }

    void ApplyTheme(CLVKResizeDialog& dialog, int nTheme) override
    {
        dialog.SendMessageToDescendants(WM_APPLY_CONTROL_THEME, static_cast<WPARAM>(nTheme));
    }
};

}  // namespace

std::unique_ptr<GalleryPage> CreateButtonsPage()
{
    return std::make_unique<ButtonsPage>();
}
