// The "resize" page: controls anchored to every side of the resizable
// dialog, a centred one, a stretched group box and two controls that share
// the id IDC_STATIC.
#include "GalleryPages.h"

namespace
{

class ResizePage : public GalleryPage
{
public:
    void Create(CLVKResizeDialog& dlg) override
    {
        CRect rc;
        dlg.GetClientRect(&rc);
        const int w = rc.Width();
        const int h = rc.Height();

        const HWND hLabel = CreateChild(dlg, L"STATIC", L"Name:", SS_LEFT, CRect(10, 14, 70, 30), IDC_STATIC);
        dlg.SetResize(IDC_STATIC, hLabel, CLVKResizeFloatRect(0, 0, 0, 0));
        CreateChild(dlg, L"EDIT", L"stretches with the width", ES_AUTOHSCROLL | WS_TABSTOP, CRect(75, 10, w - 10, 32),
                    1001, WS_EX_CLIENTEDGE);
        dlg.SetResize(1001, LVK_ANCHOR_TOPLEFT, LVK_ANCHOR_TOPRIGHT);

        CreateChild(dlg, L"BUTTON", L"Anchored on all sides", BS_GROUPBOX, CRect(10, 42, w - 10, h - 52), 1002);
        dlg.SetResize(1002, LVK_ANCHOR_TOPLEFT, LVK_ANCHOR_BOTTOMRIGHT);
        CreateChild(dlg, L"EDIT", L"Grows in both directions.\r\nThe buttons below keep their corners.",
                    ES_MULTILINE | WS_VSCROLL | WS_TABSTOP, CRect(22, 64, w - 22, h - 100), 1003, WS_EX_CLIENTEDGE);
        dlg.SetResize(1003, LVK_ANCHOR_TOPLEFT, LVK_ANCHOR_BOTTOMRIGHT);
        const HWND hNote = CreateChild(dlg, L"STATIC", L"Bottom left, same id as the label", SS_LEFT,
                                       CRect(22, h - 90, 260, h - 70), IDC_STATIC);
        dlg.SetResize(IDC_STATIC, hNote, LVKResizeAnchors(LVK_ANCHOR_BOTTOMLEFT, LVK_ANCHOR_BOTTOMLEFT));

        CreateChild(dlg, L"BUTTON", L"Centred", BS_PUSHBUTTON | WS_TABSTOP,
                    CRect(w / 2 - 45, h - 44, w / 2 + 45, h - 20), 1004);
        dlg.SetResize(1004, CLVKResizeFloatPoint(0.5f, 1), CLVKResizeFloatPoint(0.5f, 1));
        CreateChild(dlg, L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, CRect(w - 200, h - 44, w - 115, h - 20),
                    IDOK);
        dlg.SetResize(IDOK, LVK_ANCHOR_BOTTOMRIGHT, LVK_ANCHOR_BOTTOMRIGHT);
        CreateChild(dlg, L"BUTTON", L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, CRect(w - 105, h - 44, w - 20, h - 20),
                    IDCANCEL);
        dlg.SetResize(IDCANCEL, LVK_ANCHOR_BOTTOMRIGHT, LVK_ANCHOR_BOTTOMRIGHT);
    }
};

}  // namespace

std::unique_ptr<GalleryPage> CreateResizePage()
{
    return std::make_unique<ResizePage>();
}
