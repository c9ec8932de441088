// The "scrollbars" page: one horizontal bar per scroll-bar theme, a few
// vertical ones, a disabled bar and a bar whose page covers its range.
#include "GalleryPages.h"

#include "Controls/ScrollBarCtrl.h"

namespace
{

struct ThemeRow
{
    int nTheme;
    LPCWSTR lpszName;
};

const ThemeRow kThemes[] = {
    {0, L"0 Classic"},
    {1, L"1 Visual styles"},
    {2, L"2 Flat"},
    {3, L"3 Ultra-flat"},
    {4, L"4 Resource"},
    {9, L"9 Resource, dark"},
    {5, L"5 Office 2000"},
    {6, L"6 Office XP"},
    {7, L"7 Office 2003"},
    {11, L"11 Office 2013"},
    {12, L"12 VS 2012 light"},
    {13, L"13 VS 2012 dark"},
    {14, L"14 VS 2015"},
};

class ScrollBarsPage : public GalleryPage
{
public:
    CSize DefaultSize() const override { return CSize(560, 460); }

    void Create(CLVKResizeDialog& dlg) override
    {
        CRect rc;
        dlg.GetClientRect(&rc);
        const int nRight = rc.Width() - 110;
        UINT nID = 2000;
        int y = 8;
        for (const ThemeRow& row : kThemes)
        {
            CreateChild(dlg, L"STATIC", row.lpszName, SS_LEFT | SS_ENDELLIPSIS, CRect(8, y + 2, 118, y + 18), nID++);
            AddBar(dlg, SBS_HORZ, CRect(120, y, nRight, y + 17), nID++, row.nTheme, 30);
            dlg.SetResize(nID - 1, LVK_ANCHOR_TOPLEFT, LVK_ANCHOR_TOPRIGHT);
            y += 24;
        }
        CreateChild(dlg, L"STATIC", L"disabled", SS_LEFT, CRect(8, y + 2, 118, y + 18), nID++);
        CLVKScrollBarCtrl* pDisabled = AddBar(dlg, SBS_HORZ, CRect(120, y, nRight, y + 17), nID++, 1, 50);
        pDisabled->EnableWindow(FALSE);
        dlg.SetResize(nID - 1, LVK_ANCHOR_TOPLEFT, LVK_ANCHOR_TOPRIGHT);
        y += 24;
        CreateChild(dlg, L"STATIC", L"page = range", SS_LEFT, CRect(8, y + 2, 118, y + 18), nID++);
        CLVKScrollBarCtrl* pFull = AddBar(dlg, SBS_HORZ, CRect(120, y, nRight, y + 17), nID++, 1, 0);
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_PAGE;
        si.nPage = 500;
        pFull->SetScrollInfo(&si, TRUE);
        dlg.SetResize(nID - 1, LVK_ANCHOR_TOPLEFT, LVK_ANCHOR_TOPRIGHT);

        int x = nRight + 10;
        for (int nTheme : {1, 2, 11, 13})
        {
            AddBar(dlg, SBS_VERT, CRect(x, 8, x + 17, rc.Height() - 40), nID++, nTheme, 70);
            dlg.SetResize(nID - 1, LVK_ANCHOR_TOPRIGHT, LVK_ANCHOR_BOTTOMRIGHT);
            x += 24;
        }
    }

    void ApplyTheme(CLVKResizeDialog& dialog, int nTheme) override
    {
        for (CLVKScrollBarCtrl* pBar : m_bars)
            pBar->SetTheme(nTheme);
        dialog.SendMessageToDescendants(WM_APPLY_CONTROL_THEME, static_cast<WPARAM>(nTheme));
    }

private:
    CLVKScrollBarCtrl* AddBar(CLVKResizeDialog& dlg, DWORD dwStyle, const CRect& rc, UINT nID, int nTheme, int nPos)
    {
        CLVKScrollBarCtrl* pBar = Own(std::make_unique<CLVKScrollBarCtrl>());
        pBar->SetTheme(nTheme);
        pBar->Create(WS_CHILD | WS_VISIBLE | dwStyle, rc, &dlg, nID);
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_ALL;
        si.nMin = 0;
        si.nMax = 100;
        si.nPage = 20;
        si.nPos = nPos;
        pBar->SetScrollInfo(&si, TRUE);
        m_bars.push_back(pBar);
        return pBar;
    }

    std::vector<CLVKScrollBarCtrl*> m_bars;
};

}  // namespace

std::unique_ptr<GalleryPage> CreateScrollBarsPage()
{
    return std::make_unique<ScrollBarsPage>();
}
