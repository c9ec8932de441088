// The image manager: icon lookup by width, storing by state, strips, image
// lists, tool-bar resources, icon groups and .ico files, the atlas, the
// generated state images, persistence, and damaged icon and archive data.
#include "DibSurface.h"
#include "Foundation/AlphaBitmap.h"
#include "Foundation/ColorManager.h"
#include "Foundation/IconImage.h"
#include "Foundation/ImageManager.h"
#include "Foundation/ImageManagerIcon.h"
#include "Foundation/ImageManagerIconSet.h"
#include "Foundation/ImageManagerResource.h"
#include "Foundation/PropExchangeArchive.h"
#include "Foundation/PropExchangeFunctions.h"
#include "Foundation/SystemVersion.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

struct Bgra
{
    int b, g, r, a;
    bool operator==(const Bgra& o) const { return b == o.b && g == o.g && r == o.r && a == o.a; }
};

std::ostream& operator<<(std::ostream& os, const Bgra& p)
{
    return os << "(B " << p.b << ", G " << p.g << ", R " << p.r << ", A " << p.a << ")";
}

DWORD Pack(const Bgra& p)
{
    return static_cast<DWORD>(p.b | (p.g << 8) | (p.r << 16) | (p.a << 24));
}

// A 32-bit top-down section filled by colour(x, y).
template <class F>
HBITMAP MakeSection(int cx, int cy, F colour)
{
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    HBITMAP h = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    DWORD* p = static_cast<DWORD*>(pBits);
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
            p[y * cx + x] = Pack(colour(x, y));
    return h;
}

HBITMAP Solid(int cx, int cy, Bgra colour)
{
    return MakeSection(cx, cy, [colour](int, int) { return colour; });
}

// Pixel (x, y from the top) of a picture wherever it lives: copied out as a
// free-standing record first.
Bgra PicturePixel(const CLVKIconImage& image, int x, int y)
{
    CLVKIconImage copy;
    copy.CopyFrom(image);
    if (!copy.GetBits())
        return {-1, -1, -1, -1};
    DIBSECTION ds{};
    GetObjectW(copy.GetBitmap(), sizeof(ds), &ds);
    const int row = ds.dsBmih.biHeight < 0 ? y : ds.dsBm.bmHeight - 1 - y;
    const BYTE* p = copy.GetBits() + (row * ds.dsBm.bmWidth + x) * 4;
    return {p[0], p[1], p[2], p[3]};
}

// An icon of a 32-bit colour bitmap (alpha as given) and an all-opaque mask.
HICON MakeIcon(int cx, int cy, Bgra colour)
{
    HBITMAP hColor = Solid(cx, cy, colour);
    HBITMAP hMask = CreateBitmap(cx, cy, 1, 1, nullptr);
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = hColor;
    info.hbmMask = hMask;
    HICON hIcon = CreateIconIndirect(&info);
    DeleteObject(hColor);
    DeleteObject(hMask);
    return hIcon;
}

BOOL StoreSolid(CLVKImageManager& manager, UINT nID, int cx, Bgra colour, int nState = 0)
{
    CLVKIconImage image(Solid(cx, cx, colour));
    return manager.StoreIconImage(image, nID, cx, cx, nState);
}

// A 32-bit .ico image entry: header (height doubled), pixels, mask rows.
std::string IcoImage(int side, Bgra colour, int nShortBy = 0)
{
    BITMAPINFOHEADER h{};
    h.biSize = sizeof(h);
    h.biWidth = side;
    h.biHeight = side * 2;
    h.biPlanes = 1;
    h.biBitCount = 32;
    std::string s(reinterpret_cast<const char*>(&h), sizeof(h));
    const DWORD px = Pack(colour);
    for (int i = 0; i < side * side; ++i)
        s.append(reinterpret_cast<const char*>(&px), 4);
    s.append(static_cast<size_t>(((side + 31) / 32) * 4 * side), '\0');
    s.resize(s.size() - nShortBy);
    return s;
}

struct IcoEntry
{
    BYTE width, height;
    std::string image;
    DWORD claimedBytes = 0;   // 0: the image's size
    DWORD claimedOffset = 0;  // 0: where it is
};

std::string IcoFile(const std::vector<IcoEntry>& entries, WORD type = 1)
{
    std::string s;
    const WORD header[3] = {0, type, static_cast<WORD>(entries.size())};
    s.append(reinterpret_cast<const char*>(header), 6);
    DWORD offset = static_cast<DWORD>(6 + 16 * entries.size());
    std::string images;
    for (const IcoEntry& e : entries)
    {
        const BYTE b[4] = {e.width, e.height, 0, 0};
        const WORD w[2] = {1, 32};
        const DWORD d[2] = {e.claimedBytes ? e.claimedBytes : static_cast<DWORD>(e.image.size()),
                            e.claimedOffset ? e.claimedOffset : offset + static_cast<DWORD>(images.size())};
        s.append(reinterpret_cast<const char*>(b), 4);
        s.append(reinterpret_cast<const char*>(w), 4);
        s.append(reinterpret_cast<const char*>(d), 8);
        images += e.image;
    }
    return s + images;
}

}  // namespace

TEST(ImageManager, FindIconByWidth)
{
    CLVKImageManager manager;
    ASSERT_TRUE(StoreSolid(manager, 5, 24, {0, 0, 24, 255}));
    ASSERT_TRUE(StoreSolid(manager, 5, 16, {0, 0, 16, 255}));
    const struct
    {
        int width;
        int found;  // width of the icon answered, 0 for none
    } cases[] = {{0, 16}, {1, 24}, {20, 16}, {16, 16}, {24, 24}, {-3, 16}, {100, 24}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.width);
        CLVKImageManagerIcon* pIcon = manager.FindIcon(5, c.width);
        ASSERT_NE(nullptr, pIcon);
        EXPECT_EQ(c.found, pIcon->GetImageSize().cx);
    }
    EXPECT_TRUE(manager.IsIconAvailable(5, 24));
    EXPECT_TRUE(manager.IsIconAvailable(5, 0));
    EXPECT_FALSE(manager.IsIconAvailable(5, 20));
    EXPECT_EQ(nullptr, manager.FindIcon(6, 16)) << "no icon set";
    manager.GetIconSet(5)->RemoveAll();
    EXPECT_EQ(nullptr, manager.FindIcon(5, 16)) << "an icon set without icons";
}

TEST(ImageManager, StoringByState)
{
    CLVKImageManager manager;
    EXPECT_FALSE(StoreSolid(manager, 9, 16, {1, 1, 1, 255}, 2)) << "a hot image needs a known id";
    EXPECT_EQ(nullptr, manager.GetIconSet(9));
    ASSERT_TRUE(StoreSolid(manager, 9, 16, {1, 1, 1, 255}, 0));
    ASSERT_NE(nullptr, manager.GetIconSet(9));
    EXPECT_TRUE(StoreSolid(manager, 9, 32, {2, 2, 2, 255}, 2)) << "a hot image at a new width";
    CLVKImageManagerIcon* pIcon = manager.GetIconSet(9)->FindIcon(32, FALSE);
    ASSERT_NE(nullptr, pIcon);
    EXPECT_TRUE(pIcon->GetNormalImage().IsEmpty());
    EXPECT_FALSE(pIcon->GetHotImage().IsEmpty());
    EXPECT_FALSE(manager.StoreIconImage(CLVKIconImage(), 9, 16, 16, 0)) << "an empty image";
}

TEST(ImageManager, StateImagesFallBack)
{
    CLVKImageManager manager;
    ASSERT_TRUE(StoreSolid(manager, 1, 16, {10, 10, 10, 255}));
    CLVKImageManagerIcon* pIcon = manager.FindIcon(1, 16);
    ASSERT_NE(nullptr, pIcon);
    EXPECT_EQ(&pIcon->GetNormalImage(), &pIcon->GetHotImage());
    EXPECT_EQ(&pIcon->GetNormalImage(), &pIcon->GetCheckedImage());
    EXPECT_EQ(&pIcon->GetNormalImage(), &pIcon->GetPressedImage());
    EXPECT_EQ(&pIcon->GetNormalImage(), &pIcon->GetStateImage(7));
    ASSERT_TRUE(StoreSolid(manager, 1, 16, {20, 20, 20, 255}, 2));
    EXPECT_EQ(&pIcon->GetHotImage(), &pIcon->GetCheckedImage());
    EXPECT_EQ(&pIcon->GetHotImage(), &pIcon->GetPressedImage());
    EXPECT_EQ((Bgra{20, 20, 20, 255}), PicturePixel(pIcon->GetStateImage(2), 0, 0));
}

TEST(ImageManager, GeneratedDisabledAndFadedImages)
{
    CLVKImageManager manager;
    HBITMAP h = MakeSection(2, 1, [](int x, int) { return x == 0 ? Bgra{100, 50, 200, 255} : Bgra{7, 8, 9, 0}; });
    CLVKIconImage image(h);
    ASSERT_TRUE(manager.StoreIconImage(image, 3, 2, 1, 0));
    CLVKImageManagerIcon* pIcon = manager.FindIcon(3, 2);
    ASSERT_NE(nullptr, pIcon);
    const CLVKIconImage& disabled = pIcon->GetDisabledImage();
    ASSERT_FALSE(disabled.IsEmpty());
    EXPECT_EQ((Bgra{160, 160, 160, 255}), PicturePixel(disabled, 0, 0));
    EXPECT_EQ((Bgra{0, 0, 0, 0}), PicturePixel(disabled, 1, 0)) << "premultiplied: a transparent pixel is 0";

    // Stored (B 0, G 0, R 255, A 128) is premultiplied to (0, 0, 128, 128) first.
    CLVKImageManager second;
    CLVKIconImage red(Solid(1, 1, {0, 0, 255, 128}));
    ASSERT_TRUE(second.StoreIconImage(red, 4, 1, 1, 0));
    EXPECT_EQ((Bgra{38, 38, 128, 128}), PicturePixel(second.FindIcon(4, 1)->GetFadedImage(), 0, 0));
}

TEST(ImageManager, AlphaStripsMapIdsToCells)
{
    const Bgra colours[5] = {{0, 0, 10, 255}, {0, 0, 20, 255}, {0, 0, 30, 255}, {0, 0, 40, 255}, {0, 0, 50, 255}};
    const UINT ids[5] = {100, 0, 101, 0xDEADBEAF, 102};
    {
        SCOPED_TRACE("80 pixels, width 0: every id its own cell");
        CLVKImageManager manager;
        HBITMAP hStrip = MakeSection(80, 16, [&](int x, int) { return colours[x / 16]; });
        ASSERT_TRUE(manager.SetIconsFromBitmap(hStrip, ids, 5, 0, 0, 0, TRUE));
        for (int i = 0; i < 5; ++i)
        {
            CLVKImageManagerIcon* pIcon = manager.FindIcon(ids[i], 16);
            ASSERT_NE(nullptr, pIcon) << ids[i];
            EXPECT_EQ(colours[i], PicturePixel(pIcon->GetNormalImage(), 3, 3)) << ids[i];
        }
        DeleteObject(hStrip);
    }
    {
        SCOPED_TRACE("48 pixels, width 16: skipped ids take no cell");
        CLVKImageManager manager;
        HBITMAP hStrip = MakeSection(48, 16, [&](int x, int) { return colours[x / 16]; });
        ASSERT_TRUE(manager.SetIconsFromBitmap(hStrip, ids, 5, 16, 16, 0, TRUE));
        EXPECT_EQ(colours[0], PicturePixel(manager.FindIcon(100, 16)->GetNormalImage(), 0, 0));
        EXPECT_EQ(colours[1], PicturePixel(manager.FindIcon(101, 16)->GetNormalImage(), 0, 0));
        EXPECT_EQ(colours[2], PicturePixel(manager.FindIcon(102, 16)->GetNormalImage(), 0, 0));
        EXPECT_EQ(nullptr, manager.GetIconSet(0));
        EXPECT_EQ(nullptr, manager.GetIconSet(0xDEADBEAF));
        EXPECT_FALSE(manager.SetIconsFromBitmap(hStrip, ids, 5, 20, 16, 0, TRUE)) << "48 is no multiple of 20";
        DeleteObject(hStrip);
    }
}

TEST(ImageManager, PlainStripTakesTheTopLeftPixelAsMask)
{
    CLVKImageManager manager;
    HBITMAP hStrip = MakeSection(
        32, 16,
        [](int x, int y) {
            return (x % 16 < 4 && y < 4) ? Bgra{255, 0, 255, 0} : Bgra{0, static_cast<int>(100 + x / 16), 0, 0};
        });
    ASSERT_TRUE(manager.SetIconsFromBitmap(hStrip, nullptr, 2, 0, 0, 0, FALSE));
    DeleteObject(hStrip);
    for (UINT id : {0u, 1u})
    {
        SCOPED_TRACE(id);
        CLVKImageManagerIcon* pIcon = manager.FindIcon(id, 16);
        ASSERT_NE(nullptr, pIcon);
        DibSurface target(16, 16, RGB(255, 255, 255));
        pIcon->Draw(target.GetDC(), 0, 0);
        EXPECT_EQ(RGB(255, 255, 255), target.Pixel(1, 1)) << "magenta is transparent";
        EXPECT_EQ(RGB(0, 100 + id, 0), target.Pixel(10, 10));
    }
}

TEST(ImageManager, ToolBarResourceCellsFollowItsIds)
{
    std::vector<UINT> ids;
    ASSERT_TRUE(LoadToolBarResource(GetModuleHandleW(nullptr), 8401, ids));
    EXPECT_EQ((std::vector<UINT>{100, 101, 102, 103}), ids) << "separators dropped";
    EXPECT_FALSE(LoadToolBarResource(GetModuleHandleW(nullptr), 0, ids));
    EXPECT_FALSE(LoadToolBarResource(GetModuleHandleW(nullptr), 8499, ids));
    EXPECT_FALSE(LoadToolBarResource(GetModuleHandleW(nullptr), 8402, ids)) << "more items claimed than held";

    CLVKImageManager manager;
    ASSERT_TRUE(manager.LoadToolBarIcons(8401, 0));
    for (UINT i = 0; i < 4; ++i)
    {
        SCOPED_TRACE(i);
        CLVKImageManagerIcon* pIcon = manager.FindIcon(100 + i, 16);
        ASSERT_NE(nullptr, pIcon);
        EXPECT_EQ(CSize(16, 16), pIcon->GetImageSize());
        DibSurface target(16, 16);
        pIcon->Draw(target.GetDC(), 0, 0);
        EXPECT_EQ(RGB(0, 0, 60 * (i + 1)), target.Pixel(8, 8)) << "cell " << i;
    }
}

TEST(ImageManager, IconGroupsAndIcoFiles)
{
    CLVKImageManager manager;
    ASSERT_TRUE(manager.SetIconFromIconGroup(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(8501), 1, 0, 0, 0));
    EXPECT_TRUE(manager.IsIconAvailable(1, 16));
    EXPECT_TRUE(manager.IsIconAvailable(1, 32));
    EXPECT_TRUE(manager.SetIconFromResource(MAKEINTRESOURCEW(8501), 2, 32, 32, 0));
    EXPECT_TRUE(manager.IsIconAvailable(2, 32));
    EXPECT_FALSE(manager.IsIconAvailable(2, 16));
    EXPECT_FALSE(manager.SetIconFromResource(MAKEINTRESOURCEW(8599), 3, 16, 16, 0)) << "a missing icon reports failure";

    ScratchFolder folder;
    const std::wstring path = folder.WriteFile(
        L"two.ico", IcoFile({{16, 16, IcoImage(16, {1, 2, 3, 255})}, {0, 0, IcoImage(256, {4, 5, 6, 255})}}));
    ASSERT_TRUE(manager.SetIconsFromIcoFile(path.c_str(), 7, 256, 256, 0)) << "a 0 in the directory means 256";
    CLVKImageManagerIcon* pLarge = manager.FindIcon(7, 256);
    ASSERT_NE(nullptr, pLarge);
    EXPECT_EQ(CSize(256, 256), pLarge->GetImageSize());
    EXPECT_EQ((Bgra{4, 5, 6, 255}), PicturePixel(pLarge->GetNormalImage(), 200, 200));
    ASSERT_TRUE(manager.SetIconsFromIcoFile(path.c_str(), 8, 0, 0, 0));
    EXPECT_TRUE(manager.IsIconAvailable(8, 16));
    EXPECT_TRUE(manager.IsIconAvailable(8, 256));
}

TEST(ImageManager, DamagedIcoFilesLoadNothing)
{
    const std::string good16 = IcoImage(16, {1, 2, 3, 255});
    const struct
    {
        const char* name;
        std::string file;
    } cases[] = {
        {"empty file", ""},
        {"short header", std::string("\0\0\1", 3)},
        {"type 2 (cursor)", IcoFile({{16, 16, good16}}, 2)},
        {"no entries", IcoFile({})},
        {"directory cut short", IcoFile({{16, 16, good16}}).substr(0, 12)},
        {"entry claims more bytes than the file holds", IcoFile({{16, 16, good16, 0x7FFFFFF0}})},
        {"entry placed past the end", IcoFile({{16, 16, good16, 0, 0x10000}})},
        {"pixels one byte short of the size", IcoFile({{16, 16, IcoImage(16, {1, 2, 3, 255}, 16 * 2 * 4 + 1)}})},
        {"directory says 16, pixels are 8", IcoFile({{16, 16, IcoImage(8, {1, 2, 3, 255})}})},
    };
    ScratchFolder folder;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        const std::wstring path = folder.WriteFile(L"damaged.ico", c.file);
        CLVKImageManager manager;
        EXPECT_FALSE(manager.SetIconsFromIcoFile(path.c_str(), 1, 0, 0, 0));
        EXPECT_EQ(nullptr, manager.GetIconSet(1));
    }
}

TEST(ImageManager, DamagedIconResourceBytesGiveNoPicture)
{
    const std::string good = IcoImage(16, {1, 2, 3, 255});
    std::string negative = good;
    reinterpret_cast<BITMAPINFOHEADER*>(&negative[0])->biHeight = -32;
    std::string huge = good;
    reinterpret_cast<BITMAPINFOHEADER*>(&huge[0])->biWidth = 0x40000;
    const struct
    {
        const char* name;
        std::string bytes;
        bool loads;
    } cases[] = {
        {"complete", good, true},
        {"one byte short of its pixels", good.substr(0, 40 + 16 * 16 * 4 - 1), false},
        {"header only", good.substr(0, 40), false},
        {"negative height", negative, false},
        {"a width of 262144", huge, false},
        {"three bytes", std::string("abc"), false},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        CLVKIconImage image;
        EXPECT_EQ(c.loads, image.LoadFromIconBits(reinterpret_cast<const BYTE*>(c.bytes.data()),
                                                  static_cast<DWORD>(c.bytes.size()), 16, 16) != FALSE);
    }
}

TEST(ImageManagerResource, CellsAreAllocatedReusedAndReset)
{
    CLVKImageManager manager;
    CLVKImageManagerResource* pAtlas = manager.GetImageResource(16, 16);
    ASSERT_NE(nullptr, pAtlas);
    EXPECT_EQ(pAtlas, manager.GetImageResource(16, 16));
    CLVKIconImage a(Solid(16, 16, {1, 0, 0, 255})), b(Solid(16, 16, {2, 0, 0, 255})), c(Solid(16, 16, {3, 0, 0, 255}));
    LVK_IMAGERESOURCE_INFO* pA = pAtlas->AddImage(a);
    LVK_IMAGERESOURCE_INFO* pB = pAtlas->AddImage(b);
    LVK_IMAGERESOURCE_INFO* pC = pAtlas->AddImage(c);
    ASSERT_TRUE(pA && pB && pC);
    EXPECT_EQ(0, pA->rc.left);
    EXPECT_EQ(16, pB->rc.left);
    EXPECT_EQ(32, pC->rc.left);
    EXPECT_EQ(48, pAtlas->GetAtlasWidth());
    EXPECT_TRUE(pA->bAlpha);

    pAtlas->FreeImage(pB);
    CLVKIconImage d(Solid(16, 16, {4, 0, 0, 255}));
    LVK_IMAGERESOURCE_INFO* pD = pAtlas->AddImage(d);
    ASSERT_NE(nullptr, pD);
    EXPECT_EQ(16, pD->rc.left) << "the freed cell is reused";
    EXPECT_EQ(48, pAtlas->GetAtlasWidth());

    CLVKIconImage out;
    pAtlas->CopyImage(out, pD);
    EXPECT_EQ((Bgra{4, 0, 0, 255}), PicturePixel(out, 5, 5));
    EXPECT_EQ((Bgra{1, 0, 0, 255}),
              [&]
              {
                  CLVKIconImage first;
                  pAtlas->CopyImage(first, pA);
                  return PicturePixel(first, 0, 15);
              }());

    for (LVK_IMAGERESOURCE_INFO* p : {pA, pC, pD})
        pAtlas->FreeImage(p);
    EXPECT_EQ(0, pAtlas->GetAtlasWidth()) << "every cell free: the atlas starts over";
    EXPECT_EQ(nullptr, pAtlas->GetColorBitmap());
    LVK_IMAGERESOURCE_INFO* pE = pAtlas->AddImage(a);
    ASSERT_NE(nullptr, pE);
    EXPECT_EQ(0, pE->rc.left);

    CLVKIconImage large(Solid(24, 24, {1, 1, 1, 255}));
    EXPECT_EQ(nullptr, pAtlas->AddImage(large)) << "another size";

    // A bitmap whose pixels cannot be read takes no cell.
    const INT_PTR nUsed = pAtlas->GetUsedCount();
    CLVKIconImage mono(CreateBitmap(16, 16, 1, 1, nullptr));
    EXPECT_EQ(nullptr, pAtlas->AddImage(mono));
    EXPECT_EQ(nUsed, pAtlas->GetUsedCount());
    EXPECT_EQ(0, pAtlas->GetFreeCount());
}

TEST(ImageManagerResource, IconsWithAndWithoutAlpha)
{
    CLVKImageManager manager;
    CLVKImageManagerResource* pAtlas = manager.GetImageResource(16, 16);
    CLVKIconImage opaque(MakeIcon(16, 16, {0, 200, 0, 0}));
    CLVKIconImage alpha(MakeIcon(16, 16, {0, 0, 100, 128}));
    LVK_IMAGERESOURCE_INFO* pOpaque = pAtlas->AddImage(opaque);
    LVK_IMAGERESOURCE_INFO* pAlpha = pAtlas->AddImage(alpha);
    ASSERT_TRUE(pOpaque && pAlpha);
    EXPECT_FALSE(pOpaque->bAlpha) << "no alpha anywhere: colour and mask";
    // Icons are examined for alpha only with comctl32 6 loaded; Wine's
    // comctl32 reports 5.81 even with the version-6 manifest, so there the
    // icon with alpha is stored as colour and mask too.
    const bool bComCtl6 = CLVKSystemVersion::GetComCtlVersion() > 0x5FFFF;
    EXPECT_EQ(bComCtl6, pAlpha->bAlpha != FALSE);

    CLVKIconImage back;
    pAtlas->CopyImage(back, pOpaque);
    ASSERT_NE(nullptr, back.GetIcon());
    DibSurface target(16, 16, RGB(255, 255, 255));
    DrawIconEx(target.GetHdc(), 0, 0, back.GetIcon(), 16, 16, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(RGB(0, 200, 0), target.Pixel(8, 8));
    if (bComCtl6)
    {
        CLVKIconImage alphaBack;
        pAtlas->CopyImage(alphaBack, pAlpha);
        EXPECT_EQ((Bgra{0, 0, 50, 128}), PicturePixel(alphaBack, 0, 0)) << "kept premultiplied";
    }
}

TEST(ImageManager, ArchiveRoundTripKeepsEveryStateImage)
{
    CLVKImageManager manager;
    ASSERT_TRUE(StoreSolid(manager, 7, 16, {10, 20, 30, 255}, 0));
    ASSERT_TRUE(StoreSolid(manager, 7, 16, {40, 50, 60, 128}, 1));
    ASSERT_TRUE(StoreSolid(manager, 7, 16, {70, 80, 90, 255}, 2));
    {
        CLVKIconImage checked(MakeIcon(16, 16, {0, 99, 0, 0}));
        ASSERT_TRUE(manager.StoreIconImage(checked, 7, 16, 16, 3));
    }
    ASSERT_TRUE(StoreSolid(manager, 7, 16, {1, 2, 3, 200}, 4));
    ASSERT_TRUE(StoreSolid(manager, 8, 24, {5, 5, 5, 255}, 0));

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        manager.Serialize(ar);
    }
    file.SeekToBegin();
    CLVKImageManager loaded;
    {
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
    }
    ASSERT_EQ(2, loaded.GetIconSetCount());
    CLVKImageManagerIcon* pBefore = manager.FindIcon(7, 16);
    CLVKImageManagerIcon* pAfter = loaded.FindIcon(7, 16);
    ASSERT_NE(nullptr, pAfter);
    for (int nSlot : {CLVKImageManagerIcon::slotNormal, CLVKImageManagerIcon::slotDisabled,
                      CLVKImageManagerIcon::slotHot, CLVKImageManagerIcon::slotPressed})
    {
        SCOPED_TRACE(nSlot);
        int nDifferent = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                nDifferent +=
                    !(PicturePixel(pBefore->GetSlot(nSlot), x, y) == PicturePixel(pAfter->GetSlot(nSlot), x, y));
        EXPECT_EQ(0, nDifferent) << "every pixel of the state image comes back";
        EXPECT_EQ(PicturePixel(pBefore->GetSlot(nSlot), 3, 3), PicturePixel(pAfter->GetSlot(nSlot), 3, 3));
    }
    // The icon of the checked state comes back as an icon with its colours.
    ASSERT_FALSE(pAfter->GetSlot(CLVKImageManagerIcon::slotChecked).IsEmpty());
    DibSurface before(16, 16, RGB(255, 255, 255)), after(16, 16, RGB(255, 255, 255));
    pBefore->DrawImage(before.GetDC(), 0, 0, pBefore->GetSlot(CLVKImageManagerIcon::slotChecked));
    pAfter->DrawImage(after.GetDC(), 0, 0, pAfter->GetSlot(CLVKImageManagerIcon::slotChecked));
    EXPECT_EQ(before.Pixel(8, 8), after.Pixel(8, 8));
    EXPECT_EQ(RGB(0, 99, 0), after.Pixel(8, 8));
    EXPECT_NE(nullptr, loaded.FindIcon(8, 24));
}

TEST(ImageManager, WrongCheckSumStopsTheLoad)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CLVKPropExchangeArchive px(ar);
        CString strCheckSum = L"SomethingElse";
        ExchangeString(&px, L"CheckSum", strCheckSum, L"CLVKImageManagerIcons");
    }
    file.SeekToBegin();
    CLVKImageManager manager;
    CArchive ar(&file, CArchive::load);
    CLVKPropExchangeArchive px(ar);
    int nCause = -1;
    try
    {
        manager.ExchangeIconSet(12, &px);
    }
    catch (CArchiveException* e)
    {
        nCause = e->m_cause;
        e->Delete();
    }
    EXPECT_EQ(CArchiveException::badClass, nCause);
    EXPECT_EQ(6, nCause);
}

TEST(ImageManagerIcon, DamagedArchiveDibsAreRefused)
{
    BITMAPINFOHEADER good{};
    good.biSize = 40;
    good.biWidth = 4;
    good.biHeight = 4;
    good.biPlanes = 1;
    good.biBitCount = 32;
    const struct
    {
        const char* name;
        DWORD nHeader;
        BITMAPINFOHEADER h;
        DWORD nClaimed, nHeld;
        bool bitmap;
    } cases[] = {
        {"good 4 x 4", 52, good, 64, 64, true},
        {"biSizeImage far above the pixels", 52,
         [&]
         {
             auto h = good;
             h.biSizeImage = 0x7FFFFFFF;
             return h;
         }(),
         64, 64, true},
        {"header length 0xFFFF", 0xFFFF, good, 64, 64, false},
        {"header length 12", 12, good, 64, 64, false},
        {"pixel count above the cap", 52, good, 0x7FFFFFFF, 0, false},
        {"pixels cut short", 52, good, 64, 10, false},
        {"negative width", 52,
         [&]
         {
             auto h = good;
             h.biWidth = -4;
             return h;
         }(),
         64, 64, false},
        {"12 bits per pixel", 52,
         [&]
         {
             auto h = good;
             h.biBitCount = 12;
             return h;
         }(),
         64, 64, false},
        {"more pixels than the section holds", 52, good, 4096, 4096, true},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            ar.WriteCount(c.nHeader);
            std::string header(c.nHeader, '\0');
            memcpy(&header[0], &c.h, std::min<size_t>(sizeof(c.h), c.nHeader));
            ar.Write(header.data(), c.nHeader);
            ar.WriteCount(c.nClaimed);
            std::string pixels(c.nHeld, '\x7F');
            ar.Write(pixels.data(), c.nHeld);
        }
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load);
        HBITMAP hBitmap = nullptr;
        bool bThrew = false;
        try
        {
            hBitmap = CLVKImageManagerIcon::ReadDib(ar);
        }
        catch (CException* e)
        {
            bThrew = true;
            e->Delete();
        }
        EXPECT_EQ(c.bitmap, hBitmap != nullptr) << (bThrew ? "threw" : "returned");
        if (hBitmap)
            DeleteObject(hBitmap);
    }
}

TEST(IconImage, ResizeAndClippedDrawing)
{
    HICON hIcon = MakeIcon(32, 32, {0, 0, 200, 0});
    HICON hLarger = ResizeIcon(hIcon, 32, 32, 48);
    ASSERT_NE(nullptr, hLarger);
    EXPECT_EQ(CSize(48, 48), GetIconImageSize(hLarger));
    HICON hSame = ResizeIcon(hIcon, 32, 32, 32);
    ASSERT_NE(nullptr, hSame);
    EXPECT_EQ(CSize(32, 32), GetIconImageSize(hSame));
    EXPECT_EQ(nullptr, ResizeIcon(hIcon, 32, 32, 0));
    EXPECT_EQ(nullptr, ResizeIcon(hIcon, 0, 0, 16));
    for (HICON h : {hIcon, hLarger, hSame})
        DestroyIcon(h);

    // Drawn at y = -4 with its full height: rows 4 on land from y = 0.
    CLVKIconImage image(MakeSection(4, 8, [](int, int y) { return Bgra{0, 0, y * 30, 255}; }));
    DibSurface target(4, 8, RGB(1, 2, 3));
    image.Draw(target.GetDC(), 0, -4, 4, 8, FALSE);
    EXPECT_EQ(RGB(4 * 30, 0, 0), target.Pixel(1, 0));
    EXPECT_EQ(RGB(7 * 30, 0, 0), target.Pixel(1, 3));
    EXPECT_EQ(RGB(1, 2, 3), target.Pixel(1, 4)) << "nothing below the picture's last row";
}

TEST(ImageManagerIcon, OlderArchivesHoldFewerImages)
{
    // Writes an icon of the given version: each image a colour-only DIB of
    // one pixel (B 0, G 0, R 200, A 100), or none.
    auto write = [](CArchive& ar, int nVersion, int nImages)
    {
        ar << static_cast<LONG>(1) << static_cast<LONG>(nVersion);
        for (int i = 0; i < nImages; ++i)
        {
            HBITMAP h = Solid(1, 1, {0, 0, 200, 100});
            CLVKImageManagerIcon::WriteDib(ar, h);
            ar.WriteCount(0);
            DeleteObject(h);
        }
    };
    const struct
    {
        int version;
        int images;
        bool checked, pressed;
        int red;  // red of the normal image's pixel once drawn-ready
    } cases[] = {
        {7, 3, false, false, 200 * 100 / 255},
        {16, 4, true, false, 200 * 100 / 255},
        {24, 5, true, true, 200 * 100 / 255},
        {25, 5, true, true, 200},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.version);
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            write(ar, c.version, c.images);
        }
        file.SeekToBegin();
        CLVKImageManagerIcon icon(1, 1, 1, nullptr);
        {
            CArchive ar(&file, CArchive::load);
            icon.Serialize(ar);
        }
        EXPECT_EQ(file.GetLength(), file.GetPosition()) << "every image read";
        EXPECT_FALSE(icon.GetSlot(CLVKImageManagerIcon::slotNormal).IsEmpty());
        EXPECT_FALSE(icon.GetSlot(CLVKImageManagerIcon::slotHot).IsEmpty());
        EXPECT_EQ(c.checked, !icon.GetSlot(CLVKImageManagerIcon::slotChecked).IsEmpty());
        EXPECT_EQ(c.pressed, !icon.GetSlot(CLVKImageManagerIcon::slotPressed).IsEmpty());
        // From version 25 on the stored pixels are already premultiplied.
        EXPECT_EQ(c.red, PicturePixel(icon.GetSlot(CLVKImageManagerIcon::slotNormal), 0, 0).r);
    }
}

TEST(ImageManager, FoundBehindItsComInterface)
{
    CLVKImageManager manager;
    IUnknown* pUnknown = manager.GetInterface(&IID_ILVKCmdTargetProvider);
    ASSERT_NE(nullptr, pUnknown);
    EXPECT_EQ(&manager, LVKImageManagerFromUnknown(pUnknown));
    EXPECT_EQ(nullptr, LVKImageManagerFromUnknown(nullptr));

    CLVKCmdTarget other;
    SCODE sc = S_OK;
    try
    {
        LVKImageManagerFromUnknown(other.GetInterface(&IID_ILVKCmdTargetProvider));
    }
    catch (COleException* e)
    {
        sc = e->m_sc;
        e->Delete();
    }
    EXPECT_EQ(E_INVALIDARG, sc) << "another kind of object";
}

TEST(ImageManager, ShadowSilhouetteAndIconStates)
{
    CLVKImageManager manager;
    // The shadow takes colour-table entry 31 at three quarters, times alpha.
    ASSERT_TRUE(StoreSolid(manager, 1, 2, {10, 20, 30, 255}));
    const COLORREF clrBase = GetToolkitColor(31);
    const Bgra expected = {static_cast<int>(GetBValue(clrBase) * 0.75), static_cast<int>(GetGValue(clrBase) * 0.75),
                           static_cast<int>(GetRValue(clrBase) * 0.75), 255};
    EXPECT_EQ(expected, PicturePixel(manager.FindIcon(1, 2)->GetShadowImage(), 1, 1));

    // Icon pictures: the generated images are icons too, drawn with the new colours.
    CLVKIconImage icon(MakeIcon(16, 16, {100, 50, 200, 0}));
    ASSERT_TRUE(manager.StoreIconImage(icon, 2, 16, 16, 0));
    CLVKImageManagerIcon* pIcon = manager.FindIcon(2, 16);
    ASSERT_NE(nullptr, pIcon);
    DibSurface disabled(16, 16, RGB(255, 255, 255));
    pIcon->DrawImage(disabled.GetDC(), 0, 0, pIcon->GetDisabledImage());
    EXPECT_EQ(RGB(160, 160, 160), disabled.Pixel(8, 8)) << "L = 0.3943, 255 x sqrt(L) = 160";
    DibSurface faded(16, 16, RGB(255, 255, 255));
    pIcon->DrawImage(faded.GetDC(), 0, 0, pIcon->GetFadedImage());
    EXPECT_EQ(RGB((200 * 7 + 765) / 10, (50 * 7 + 765) / 10, (100 * 7 + 765) / 10), faded.Pixel(8, 8));

    // A silhouette paints every non-white pixel of the picture in one colour.
    DibSurface silhouette(16, 16, RGB(255, 255, 255));
    pIcon->DrawSilhouette(silhouette.GetDC(), 0, 0, pIcon->GetNormalImage(), 16, 16, RGB(0, 0, 255));
    EXPECT_EQ(RGB(0, 0, 255), silhouette.Pixel(8, 8));
}

TEST(ImageManager, DuotoneDisabledImageAndAtlasAlphaBuffer)
{
    CLVKImageManager manager;
    CLVKIconImage black(Solid(2, 2, {0, 0, 0, 255}));
    ASSERT_TRUE(manager.StoreIconImage(black, 1, 2, 2, 0));
    CLVKImageManagerIcon* pIcon = manager.FindIcon(1, 2);
    pIcon->MakeDisabledImage(RGB(250, 250, 250), RGB(0, 0, 90));
    EXPECT_EQ((Bgra{90, 0, 0, 255}), PicturePixel(pIcon->GetDisabledImage(FALSE), 0, 0))
        << "black takes the dark colour";

    // An icon cell drawn through the alpha buffer: opaque where its mask is.
    CLVKImageManagerResource* pAtlas = manager.GetImageResource(16, 16);
    CLVKIconImage icon(MakeIcon(16, 16, {0, 150, 0, 0}));
    LVK_IMAGERESOURCE_INFO* pCell = pAtlas->AddImage(icon);
    ASSERT_NE(nullptr, pCell);
    DibSurface target(16, 16, RGB(255, 255, 255));
    pAtlas->DrawImage(target.GetDC(), pCell, 0, 0, 16, 16, TRUE);
    EXPECT_EQ(RGB(0, 150, 0), target.Pixel(8, 8));
    DibSurface plain(16, 16, RGB(255, 255, 255));
    pAtlas->DrawImage(plain.GetDC(), pCell, 0, 0, 16, 16, FALSE);
    EXPECT_EQ(RGB(0, 150, 0), plain.Pixel(8, 8));
}

TEST(ImageManager, DrawMirroringFollowsItsModeAndTheDC)
{
    CLVKImageManager manager;
    DibSurface ltr(4, 4), rtl(4, 4);
    SetLayout(rtl.GetHdc(), LAYOUT_RTL);
    const struct
    {
        int mode;
        BOOL ltrAnswer, rtlAnswer;
    } cases[] = {{0, FALSE, FALSE}, {1, TRUE, TRUE}, {2, FALSE, TRUE}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.mode);
        manager.SetDrawMirroring(c.mode);
        EXPECT_EQ(c.ltrAnswer, manager.IsDrawMirrored(ltr.GetDC()));
        EXPECT_EQ(c.rtlAnswer, manager.IsDrawMirrored(rtl.GetDC()));
    }
    EXPECT_EQ(2, CLVKImageManager().GetDrawMirroring()) << "mirror by the DC after construction";
    EXPECT_EQ(68266u, CLVKImageManager().GetHighestId());
}
