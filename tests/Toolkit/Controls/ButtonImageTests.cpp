// The themed button's image: placed before the caption as one centred block,
// drawn in its disabled variant on a disabled button, and kept when a new
// one cannot be loaded.
#include "Framework.h"

#include "Controls/Button.h"
#include "Controls/ButtonTheme.h"

#include "../Foundation/DibSurface.h"

#include <gtest/gtest.h>

namespace
{

// A 16 x 16 icon of one opaque colour.
HICON MakeSolidIcon(COLORREF clr)
{
    DibSurface colour(16, 16, clr);
    const HBITMAP hMask = ::CreateBitmap(16, 16, 1, 1, nullptr);
    {
        const HDC hDC = ::CreateCompatibleDC(nullptr);
        const HGDIOBJ hOld = ::SelectObject(hDC, hMask);
        ::PatBlt(hDC, 0, 0, 16, 16, BLACKNESS);
        ::SelectObject(hDC, hOld);
        ::DeleteDC(hDC);
    }
    ICONINFO ii{};
    ii.fIcon = TRUE;
    ii.hbmColor = colour.GetBitmap();
    ii.hbmMask = hMask;
    ::SelectObject(colour.GetHdc(), ::GetStockObject(NULL_BRUSH));
    const HICON hIcon = ::CreateIconIndirect(&ii);
    ::DeleteObject(hMask);
    return hIcon;
}

class ImageHost : public CWnd
{
public:
    ImageHost()
    {
        CreateEx(0, AfxRegisterWndClass(0), L"Image host", WS_POPUP | WS_VISIBLE, 40, 40, 300, 100, NULL, NULL);
    }
    ~ImageHost() override
    {
        if (m_hWnd)
            DestroyWindow();
    }
};

int CountPixels(DibSurface& surface, COLORREF clr)
{
    int n = 0;
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x)
            n += surface.Pixel(x, y) == clr ? 1 : 0;
    return n;
}

TEST(ButtonImage, ImageBeforeCaptionIsOneCentredBlockAndDisabledIsNotTheNormalImage)
{
    ImageHost host;
    CLVKButton button;
    ASSERT_TRUE(button.Create(L"Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 160, 32), &host, 1));
    button.SetTheme(12);
    const HICON hIcon = MakeSolidIcon(RGB(200, 0, 0));
    ASSERT_TRUE(button.SetIconFromHandles(16, 16, hIcon, nullptr));
    EXPECT_EQ(CSize(16, 16), button.GetImageSize());

    DibSurface surface(160, 32, RGB(1, 2, 3));
    button.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.GetHdc()), PRF_CLIENT);
    EXPECT_EQ(256, CountPixels(surface, RGB(200, 0, 0))) << "the whole image is drawn";

    CClientDC dc(&button);
    const HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), reinterpret_cast<HFONT>(button.SendMessage(WM_GETFONT)));
    const CRect rcImage = button.GetTheme()->CalcContentLayout(&dc, &button, TRUE);
    const CRect rcText = button.GetTheme()->CalcContentLayout(&dc, &button, FALSE);
    ::SelectObject(dc.GetSafeHdc(), hOld);
    EXPECT_EQ(rcImage.right, rcText.left) << "the text follows the image and its gap";
    EXPECT_EQ(16 + button.m_nImageGap, rcImage.Width());
    const int nBlockMiddle = (rcImage.left + rcText.right) / 2;
    EXPECT_NEAR(80, nBlockMiddle, 1) << "image and caption are centred as one block";
    EXPECT_EQ(RGB(200, 0, 0), surface.Pixel(rcImage.left + 8, rcImage.top + 8));

    button.EnableWindow(FALSE);
    surface.Fill(RGB(1, 2, 3));
    button.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.GetHdc()), PRF_CLIENT);
    EXPECT_EQ(0, CountPixels(surface, RGB(200, 0, 0))) << "a disabled button draws the disabled variant";

    EXPECT_FALSE(button.SetIconFromIds(16, 16, 65000));
    EXPECT_NE(nullptr, button.GetImage()) << "a missing icon keeps the image there was";
    ::DestroyIcon(hIcon);
}

}  // namespace
