// The themed button's image: placed before the caption as one centred block,
// drawn in its disabled variant on a disabled button, and kept when a new
// one cannot be loaded; images from bitmap and icon resources; icons drawn
// the tool bar's way; the button reached through its COM interface.
#include "Framework.h"

#include "Controls/Button.h"
#include "Controls/ButtonTheme.h"
#include "Controls/ButtonThemeVariants.h"
#include "Foundation/CmdTarget.h"

#include "../Foundation/DibSurface.h"

#include <gtest/gtest.h>

#include <string>

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

// The four ways an image can stand beside the caption, centred: the image
// and the text touch on the side the relation names (the image's gap lies
// between them), and the two stay one block in the middle of that axis.
TEST(ButtonImage, EachTextImageRelationPutsTheImageOnItsSideOfTheCaption)
{
    struct Case
    {
        int nRelation;
        const char* pszSide;
    };
    const Case cases[] = {{1, "above"}, {2, "below"}, {3, "left of"}, {4, "right of"}};
    ImageHost host;
    const HICON hIcon = MakeSolidIcon(RGB(200, 0, 0));
    for (const Case& c : cases)
    {
        CLVKButton button;
        ASSERT_TRUE(button.Create(L"Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 160, 80), &host, 1));
        button.SetTheme(12);
        ASSERT_TRUE(button.SetIconFromHandles(16, 16, hIcon, nullptr));
        button.m_nTextImageRelation = c.nRelation;
        CClientDC dc(&button);
        const HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), reinterpret_cast<HFONT>(button.SendMessage(WM_GETFONT)));
        const CRect rcImage = button.GetTheme()->CalcContentLayout(&dc, &button, TRUE);
        const CRect rcText = button.GetTheme()->CalcContentLayout(&dc, &button, FALSE);
        ::SelectObject(dc.GetSafeHdc(), hOld);
        const int nGap = button.m_nImageGap;
        SCOPED_TRACE(std::string("image ") + c.pszSide + " the text");
        switch (c.nRelation)
        {
        case 1:  // the image's rectangle takes the gap below it
            EXPECT_EQ(rcImage.bottom, rcText.top);
            EXPECT_NEAR(40, (rcImage.top + rcText.bottom) / 2, 1);
            break;
        case 2:
            EXPECT_EQ(rcText.bottom + nGap, rcImage.top);
            EXPECT_NEAR(40, (rcText.top + rcImage.top + 16) / 2, 1);
            break;
        case 3:  // the image's rectangle takes the gap right of it
            EXPECT_EQ(rcImage.right, rcText.left);
            EXPECT_NEAR(80, (rcImage.left + rcText.right) / 2, 1);
            break;
        default:
            EXPECT_EQ(rcText.right + nGap, rcImage.left);
            EXPECT_NEAR(80, (rcText.left + rcImage.left + 16) / 2, 1);
            break;
        }
        button.DestroyWindow();
    }
    ::DestroyIcon(hIcon);
}

// Bitmap 9309 is a 24-bit strip on a grey (192, 192, 192) ground; bitmap
// 9430 is 32-bit with alpha.
TEST(ButtonImage, BitmapResourcesBecomeTransparentIconsOrAlphaBitmaps)
{
    ImageHost host;
    CLVKButton button;
    ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 120, 40), &host, 1));
    button.SetTheme(12);

    ASSERT_TRUE(button.SetBitmap(0, 0, 9309));
    EXPECT_EQ(CSize(80, 15), button.GetImageSize());
    EXPECT_NE(nullptr, button.GetImage()->GetNormalImage().GetIcon()) << "a plain bitmap becomes an icon";
    DibSurface surface(120, 40, RGB(1, 2, 3));
    button.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.GetHdc()), PRF_CLIENT);
    EXPECT_EQ(0, CountPixels(surface, RGB(192, 192, 192))) << "its top-left colour is transparent";
    EXPECT_EQ(120 * 40 - 466, CountPixels(surface, RGB(253, 253, 253)) + CountPixels(surface, RGB(171, 171, 171)))
        << "the face and frame show through everywhere but the 466 drawn pixels";

    ASSERT_TRUE(button.SetBitmap(0, 0, 9430));
    EXPECT_TRUE(button.GetImage()->GetNormalImage().IsAlphaBitmap());
    EXPECT_EQ(CSize(20, 20), button.GetImageSize());

    CLVKImageManagerIcon* const pBefore = button.GetImage();
    EXPECT_FALSE(button.SetBitmap(0, 0, 65001));
    EXPECT_EQ(pBefore, button.GetImage()) << "a missing bitmap keeps the image there was";
}

TEST(ButtonImage, IconsByResourceNameAndAMissingHotIconFails)
{
    CLVKButton button;
    EXPECT_TRUE(button.SetIconFromResourceIds(16, 16, MAKEINTRESOURCEW(9426), MAKEINTRESOURCEW(9427), FALSE));
    EXPECT_EQ(CSize(16, 16), button.GetImageSize());
    CLVKImageManagerIcon* const pIcon = button.GetImage();
    EXPECT_FALSE(button.SetIconFromResourceIds(16, 16, MAKEINTRESOURCEW(9426), L"NO_SUCH_ICON", FALSE));
    EXPECT_FALSE(button.SetIconFromResourceIds(16, 16, nullptr, nullptr, FALSE));
    EXPECT_EQ(pIcon, button.GetImage());
}

// The tool bar look draws icons with DrawState: a disabled one is embossed
// in the shadow colour with a highlight copy one pixel down and right,
// where the image's own disabled variant is a grey copy of the image.
TEST(ButtonImage, ToolbarLookDrawsTheIconTheToolBarWay)
{
    ImageHost host;
    CLVKButton button;
    ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 60, 40), &host, 1));
    button.SetTheme(12);
    const HICON hRed = MakeSolidIcon(RGB(200, 0, 0));
    const HICON hGreen = MakeSolidIcon(RGB(0, 200, 0));
    ASSERT_TRUE(button.SetIconFromHandles(16, 16, hRed, hGreen));
    button.GetTheme()->m_bToolbarLook = TRUE;
    const CRect rcImage(22, 12, 38, 28);  // centred in 60 x 40

    DibSurface surface(60, 40, RGB(1, 2, 3));
    button.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.GetHdc()), PRF_CLIENT);
    EXPECT_EQ(256, CountPixels(surface, RGB(200, 0, 0))) << "idle: the normal icon";

    button.SetCapture();  // highlighted
    surface.Fill(RGB(1, 2, 3));
    button.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.GetHdc()), PRF_CLIENT);
    ::ReleaseCapture();
    EXPECT_EQ(256, CountPixels(surface, RGB(0, 200, 0))) << "highlighted: the hot icon";

    button.EnableWindow(FALSE);
    surface.Fill(RGB(1, 2, 3));
    button.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.GetHdc()), PRF_CLIENT);
    EXPECT_EQ(0, CountPixels(surface, RGB(200, 0, 0)));
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), surface.Pixel(rcImage.left, rcImage.top));
    EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), surface.Pixel(rcImage.right, rcImage.bottom))
        << "the highlight copy one pixel down and right";

    button.GetTheme()->m_bToolbarLook = FALSE;
    surface.Fill(RGB(1, 2, 3));
    button.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.GetHdc()), PRF_CLIENT);
    EXPECT_NE(::GetSysColor(COLOR_BTNHIGHLIGHT), surface.Pixel(rcImage.right, rcImage.bottom))
        << "without the tool bar look the disabled variant has no highlight copy";
    ::DestroyIcon(hRed);
    ::DestroyIcon(hGreen);
}

TEST(ButtonInterface, CommandTargetProviderHandsBackTheButton)
{
    CLVKButton button;
    const LPUNKNOWN pUnknown = button.GetInterface(&IID_ILVKCmdTargetProvider);
    ASSERT_NE(nullptr, pUnknown);
    EXPECT_EQ(&button, LVKCmdTargetFromUnknown(pUnknown));

    ILVKCmdTargetProvider* pProvider = nullptr;
    ASSERT_EQ(S_OK, pUnknown->QueryInterface(IID_ILVKCmdTargetProvider, reinterpret_cast<void**>(&pProvider)));
    EXPECT_EQ(&button, pProvider->GetCmdTarget());
    const ULONG nCount = pProvider->AddRef();
    EXPECT_EQ(nCount - 1, pProvider->Release()) << "the button's own external count";
    pProvider->Release();
}

// Check boxes of the BS_ICON and BS_BITMAP styles show the button's icon or
// bitmap where the caption would be, and nothing without one.
TEST(ButtonImage, CheckBoxIconAndBitmapStylesDrawThatInPlaceOfTheCaption)
{
    ImageHost host;
    CLVKButton button;
    ASSERT_TRUE(
        button.Create(L"Caption", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | BS_ICON, CRect(0, 0, 160, 24), &host, 1));
    button.SetTheme(12);
    const int xCaption = button.GetCheckMarkSize().cx + 3;
    DibSurface surface(160, 24, RGB(1, 2, 3));
    auto print = [&]
    {
        surface.Fill(RGB(1, 2, 3));
        button.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.GetHdc()), PRF_CLIENT);
    };

    print();
    EXPECT_EQ(0, CountPixels(surface, RGB(68, 68, 68))) << "no icon: nothing, not the caption";
    const HICON hIcon = MakeSolidIcon(RGB(200, 0, 0));
    button.SendMessage(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(hIcon));
    print();
    EXPECT_EQ(256, CountPixels(surface, RGB(200, 0, 0)));
    EXPECT_EQ(RGB(200, 0, 0), surface.Pixel(xCaption, 4)) << "left-aligned after the mark, centred";
    EXPECT_EQ(0, CountPixels(surface, RGB(68, 68, 68)));

    DibSurface green(10, 6, RGB(0, 200, 0));
    const HBITMAP hBitmap = static_cast<HBITMAP>(::CopyImage(green.GetBitmap(), IMAGE_BITMAP, 0, 0, 0));
    button.ModifyStyle(BS_ICON, BS_BITMAP);
    button.SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap));
    print();
    EXPECT_EQ(60, CountPixels(surface, RGB(0, 200, 0)));
    EXPECT_EQ(RGB(0, 200, 0), surface.Pixel(xCaption, 9));
    EXPECT_EQ(0, CountPixels(surface, RGB(200, 0, 0)));
    ::DeleteObject(hBitmap);
    ::DestroyIcon(hIcon);
}

}  // namespace
