// The "edits" page: themed edits (plain, read-only, disabled, multi-line
// with both scroll bars, failing validation) and mask edits. --theme gives
// every edit that theme; without it each row shows its own.
#include "GalleryPages.h"

#include "Controls/BrowseEdit.h"

namespace
{

class EditsPage : public GalleryPage
{
public:
    CSize DefaultSize() const override { return CSize(560, 480); }

    void Create(CLVKResizeDialog& dlg) override
    {
        CRect rc;
        dlg.GetClientRect(&rc);
        const int nRight = rc.Width() - 16;
        UINT nID = 4000;
        int y = 10;
        auto label = [&](LPCWSTR lpszText)
        { CreateChild(dlg, L"STATIC", lpszText, SS_LEFT | SS_ENDELLIPSIS, CRect(10, y + 4, 150, y + 20), nID++); };
        auto edit = [&](LPCWSTR lpszText, DWORD dwStyle, int nHeight, int nTheme, bool bGrowDown = false) -> CLVKEdit*
        {
            const HWND hWnd = CreateChild(dlg, L"EDIT", lpszText, WS_TABSTOP | ES_AUTOHSCROLL | dwStyle,
                                          CRect(155, y, nRight, y + nHeight), nID, WS_EX_CLIENTEDGE);
            CLVKEdit* pEdit = Adopt<CLVKEdit>(hWnd);
            pEdit->SetTheme(nTheme);
            dlg.SetResize(nID, LVK_ANCHOR_TOPLEFT, bGrowDown ? LVK_ANCHOR_BOTTOMRIGHT : LVK_ANCHOR_TOPRIGHT);
            ++nID;
            y += nHeight + 8;
            return pEdit;
        };

        label(L"Default theme");
        edit(L"An edit in the default theme", 0, 24, 0);
        label(L"Office XP (hover)");
        edit(L"Border follows hover and focus", 0, 24, 4);
        label(L"Office 2000");
        edit(L"Thin sunken border", 0, 24, 3);
        label(L"VS 2012 dark");
        edit(L"Dark colours", 0, 24, 15);
        label(L"Read-only");
        edit(L"Cannot be changed", ES_READONLY, 24, 0);
        label(L"Disabled");
        edit(L"Disabled edit", 0, 24, 16)->EnableWindow(FALSE);
        label(L"Mask (000) 000-0000");
        edit(L"", 0, 24, 0)->SetEditMask(L"(000) 000-0000", L"(___) ___-____", L"55501");
        label(L"Mask >L<LL 00");
        edit(L"", 0, 24, 12)->SetEditMask(L">L<LL 00", L"_____ __", L"aBCde12");
        label(L"Validation [0-9]+");
        CLVKEdit* pValidated = edit(L"12a4", 0, 28, 0);
        pValidated->SetValidationPattern(L"[0-9]+");

        label(L"Browse for a folder");
        AddBrowseEdit(dlg, L"C:\\windows", LVK_BES_FOLDER, CRect(155, y, nRight, y + 24), nID++);
        y += 32;
        label(L"Browse for a file");
        AddBrowseEdit(dlg, L"", LVK_BES_FILE, CRect(155, y, nRight, y + 24), nID++);
        y += 32;

        label(L"Multi-line");
        edit(L"Line one\r\nLine two\r\nLine three\r\nLine four\r\nLine five",
             ES_MULTILINE | ES_AUTOVSCROLL | WS_HSCROLL | WS_VSCROLL, std::max(40, rc.Height() - y - 30), 0, true);
    }

private:
    void AddBrowseEdit(CLVKResizeDialog& dlg, LPCWSTR lpszText, DWORD dwStyle, const CRect& rc, UINT nID)
    {
        const HWND hWnd = CreateChild(dlg, L"EDIT", lpszText, WS_TABSTOP | ES_AUTOHSCROLL, rc, nID, WS_EX_CLIENTEDGE);
        CLVKBrowseEdit* pEdit = Adopt<CLVKBrowseEdit>(hWnd);
        pEdit->Initialize(&dlg, dwStyle);
        pEdit->SendMessage(WM_SETFONT, dlg.SendMessage(WM_GETFONT), TRUE);
        // The button moves with the edit, so only the edit is anchored.
        dlg.SetResize(nID, LVK_ANCHOR_TOPLEFT, LVK_ANCHOR_TOPRIGHT);
    }
};

}  // namespace

std::unique_ptr<GalleryPage> CreateEditsPage()
{
    return std::make_unique<EditsPage>();
}
