// The "hyperlink" page: left, centred and right aligned links, a visited
// one, one without underline, one with its own colours and background, and
// an icon link.
#include "GalleryPages.h"

#include "Controls/HyperLink.h"

namespace
{

class HyperLinkPage : public GalleryPage
{
public:
    CSize DefaultSize() const override { return CSize(460, 300); }

    void Create(CLVKResizeDialog& dlg) override
    {
        CRect rc;
        dlg.GetClientRect(&rc);
        const int nRight = rc.Width() - 16;
        UINT nID = 3000;
        int y = 12;
        auto add = [&](LPCWSTR lpszText, DWORD dwStyle, LPCWSTR lpszUrl) -> CLVKHyperLink*
        {
            CLVKHyperLink* pLink = Own(std::make_unique<CLVKHyperLink>());
            pLink->Create(lpszText, WS_CHILD | WS_VISIBLE | WS_TABSTOP | dwStyle, CRect(16, y, nRight, y + 22), &dlg,
                          nID);
            pLink->SetFont(dlg.GetFont());
            pLink->UpdateFont();
            if (lpszUrl)
                pLink->SetURL(lpszUrl);
            dlg.SetResize(nID, LVK_ANCHOR_TOPLEFT, LVK_ANCHOR_TOPRIGHT);
            ++nID;
            y += 30;
            return pLink;
        };
        add(L"Left aligned link", SS_LEFT, L"https://lorvane.example/");
        add(L"Centred link", SS_CENTER, L"https://lorvane.example/help");
        add(L"Right aligned link", SS_RIGHT, L"https://lorvane.example/about");
        add(L"Visited link", SS_LEFT, nullptr)->SetVisited(TRUE);
        add(L"Link without underline", SS_LEFT, nullptr)->SetUnderline(FALSE);
        CLVKHyperLink* pColoured = add(L"Own colours on a white background", SS_LEFT, nullptr);
        pColoured->SetColors(RGB(0, 120, 60), RGB(90, 90, 90), RGB(200, 100, 0));
        pColoured->SetBackColor(RGB(255, 255, 255));

        CLVKHyperLink* pIcon = Own(std::make_unique<CLVKHyperLink>());
        pIcon->Create(nullptr, WS_CHILD | WS_VISIBLE | SS_ICON, CRect(16, y, 48, y + 32), &dlg, nID);
        pIcon->SetIcon(::LoadIcon(nullptr, IDI_INFORMATION));
        pIcon->SetURL(L"https://lorvane.example/info");
    }
};

}  // namespace

std::unique_ptr<GalleryPage> CreateHyperLinkPage()
{
    return std::make_unique<HyperLinkPage>();
}
