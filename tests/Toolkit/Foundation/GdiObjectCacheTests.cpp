// Font and brush holders share one GDI object per description through the
// process-wide caches, and the last holder to let go deletes it.
#include "Foundation/Brush.h"
#include "Foundation/BrushCache.h"
#include "Foundation/Font.h"
#include "Foundation/FontCache.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

LOGFONTW MakeLogFont(LPCWSTR lpszFace, int nHeight)
{
    LOGFONTW lf{};
    lf.lfHeight = nHeight;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, lpszFace, LF_FACESIZE);
    return lf;
}

BOOL IsAlive(HGDIOBJ hObject)
{
    return ::GetObjectType(hObject) != 0;
}

}  // namespace

TEST(FontCacheTest, FacesDifferingOnlyInCaseShareOneFont)
{
    const LOGFONTW lfLower = MakeLogFont(L"tahoma", -17);
    const LOGFONTW lfUpper = MakeLogFont(L"TAHOMA", -17);
    CLVKFont first;
    CLVKFont second;
    ASSERT_TRUE(first.CreateIndirect(&lfLower));
    ASSERT_TRUE(second.CreateIndirect(&lfUpper));
    EXPECT_EQ(first.GetHandle(), second.GetHandle());
    EXPECT_EQ(2, first.GetReference()->GetRefCount());
}

TEST(FontCacheTest, DifferentDescriptionsGetDifferentFonts)
{
    const LOGFONTW lfNormal = MakeLogFont(L"Tahoma", -19);
    LOGFONTW lfBold = lfNormal;
    lfBold.lfWeight = FW_BOLD;
    CLVKFont normal;
    CLVKFont bold;
    ASSERT_TRUE(normal.CreateIndirect(&lfNormal));
    ASSERT_TRUE(bold.CreateIndirect(&lfBold));
    EXPECT_NE(normal.GetHandle(), bold.GetHandle());
}

TEST(FontCacheTest, LastHolderDeletesTheFontAndRemovesTheEntry)
{
    CLVKFontCache* const pCache = CLVKFontCache::GetGlobal();
    const INT_PTR nBefore = pCache->GetCount();
    const LOGFONTW lf = MakeLogFont(L"Tahoma", -23);
    HFONT hFont = nullptr;
    {
        CLVKFont first;
        ASSERT_TRUE(first.CreateIndirect(&lf));
        hFont = first.GetHandle();
        EXPECT_EQ(nBefore + 1, pCache->GetCount());
        {
            CLVKFont second;
            ASSERT_TRUE(second.CreateIndirect(&lf));
        }
        EXPECT_TRUE(IsAlive(hFont)) << "the first holder still uses it";
        EXPECT_EQ(nBefore + 1, pCache->GetCount());
    }
    EXPECT_FALSE(IsAlive(hFont));
    EXPECT_EQ(nBefore, pCache->GetCount());
}

TEST(FontCacheTest, RecreatingAHolderReleasesItsOldFont)
{
    const LOGFONTW lfA = MakeLogFont(L"Tahoma", -29);
    const LOGFONTW lfB = MakeLogFont(L"Tahoma", -31);
    CLVKFont font;
    ASSERT_TRUE(font.CreateIndirect(&lfA));
    const HFONT hOld = font.GetHandle();
    ASSERT_TRUE(font.CreateIndirect(&lfB));
    EXPECT_NE(hOld, font.GetHandle());
    EXPECT_FALSE(IsAlive(hOld));
}

TEST(FontCacheTest, HoldersOutlivingTheirCacheStillReleaseTheirFont)
{
    // A cache of the test's own, destroyed before the font it handed out.
    auto* const pCache = new CLVKFontCache;
    const LOGFONTW lf = MakeLogFont(L"Tahoma", -37);
    CLVKCachedGdiObjectReferenceBase* const pReference = pCache->GetFont(lf);
    ASSERT_NE(nullptr, pReference);
    const HGDIOBJ hFont = pReference->GetObject()->GetSafeHandle();
    delete pCache;
    EXPECT_EQ(nullptr, pReference->GetCache());
    EXPECT_TRUE(IsAlive(hFont));
    CLVKFont holder;
    holder.SetReference(pReference);
    EXPECT_EQ(1, holder.ReleaseObject());
    EXPECT_FALSE(IsAlive(hFont));
}

TEST(FontHolderTest, GetLogFontDescribesTheSharedFont)
{
    const LOGFONTW lf = MakeLogFont(L"Tahoma", -41);
    CLVKFont font;
    ASSERT_TRUE(font.CreateIndirect(&lf));
    LOGFONTW first{};
    ASSERT_EQ(static_cast<int>(sizeof(LOGFONTW)), font.GetLogFont(&first));
    EXPECT_EQ(-41, first.lfHeight);
    EXPECT_STREQ(L"tahoma", first.lfFaceName) << "the cache makes fonts from the lower-cased face";

    EXPECT_EQ(0, font.GetLogFont(nullptr));
}

TEST(FontHolderTest, GetLogFontAnswersTheSecondTimeFromItsCopy)
{
    CLVKFont font;
    const HFONT hFont = ::CreateFontW(-15, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    font.GetOwnFont().Attach(hFont);
    LOGFONTW first{};
    ASSERT_EQ(static_cast<int>(sizeof(LOGFONTW)), font.GetLogFont(&first));

    // With the handle gone, a second system read would fail: the answer can
    // only come from the copy.
    ::DeleteObject(hFont);
    LOGFONTW second{};
    EXPECT_EQ(static_cast<int>(sizeof(LOGFONTW)), font.GetLogFont(&second));
    EXPECT_EQ(0, memcmp(&first, &second, sizeof(LOGFONTW)));
    font.GetOwnFont().Detach();
}

TEST(FontHolderTest, PointFontOnTheScreenAt96Dpi)
{
    const HDC hScreen = ::GetDC(nullptr);
    const int nDpi = ::GetDeviceCaps(hScreen, LOGPIXELSY);
    ::ReleaseDC(nullptr, hScreen);
    CLVKFont font;
    ASSERT_TRUE(font.CreatePointFont(100, L"Tahoma"));
    LOGFONTW lf{};
    ASSERT_TRUE(font.GetLogFont(&lf));
    EXPECT_EQ(-(nDpi * 100 / 720), lf.lfHeight);
    if (nDpi == 96)
    {
        EXPECT_EQ(-13, lf.lfHeight);
    }
    EXPECT_EQ(DEFAULT_CHARSET, lf.lfCharSet);
}

TEST(FontHolderTest, CreateFontFromTemplateReplacesOnlyTheGivenFields)
{
    const LOGFONTW lfTemplate = MakeLogFont(L"Tahoma", -43);
    CLVKFont fromTemplate;
    ASSERT_TRUE(fromTemplate.CreateIndirect(&lfTemplate));

    struct Case
    {
        const char* pszName;
        int nWeight, nUnderline, nOrientation, nEscapement;
        LONG lfWeight;
        BYTE lfUnderline;
        LONG lfOrientation, lfEscapement;
    };
    const Case cases[] = {
        {"all -1 gives the template", -1, -1, -1, -1, FW_NORMAL, 0, 0, 0},
        {"weight only", FW_BOLD, -1, -1, -1, FW_BOLD, 0, 0, 0},
        {"underline 0xFF counts as -1", -1, 0xFF, -1, -1, FW_NORMAL, 0, 0, 0},
        {"underline set", -1, 1, -1, -1, FW_NORMAL, 1, 0, 0},
        {"orientation and escapement", -1, -1, 900, 900, FW_NORMAL, 0, 900, 900},
    };
    for (const Case& c : cases)
    {
        CLVKFont font;
        ASSERT_TRUE(font.CreateIndirect(&lfTemplate));
        ASSERT_TRUE(LVKCreateFontFromTemplate(lfTemplate, font, c.nWeight, c.nUnderline, c.nOrientation, c.nEscapement))
            << c.pszName;
        LOGFONTW lf{};
        ASSERT_TRUE(font.GetLogFont(&lf)) << c.pszName;
        EXPECT_EQ(c.lfWeight, lf.lfWeight) << c.pszName;
        EXPECT_EQ(c.lfUnderline, lf.lfUnderline) << c.pszName;
        EXPECT_EQ(c.lfOrientation, lf.lfOrientation) << c.pszName;
        EXPECT_EQ(c.lfEscapement, lf.lfEscapement) << c.pszName;
        if (c.nWeight == -1 && c.nUnderline == -1 && c.nOrientation == -1)
        {
            EXPECT_EQ(fromTemplate.GetHandle(), font.GetHandle()) << c.pszName;
        }
    }
}

TEST(FontHolderTest, OwnFontIsDeletedByTheHolder)
{
    HFONT hOwn = nullptr;
    {
        CLVKFont font;
        hOwn = ::CreateFontW(-12, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
        font.GetOwnFont().Attach(hOwn);
        EXPECT_EQ(hOwn, font.GetHandle());
        EXPECT_EQ(nullptr, font.GetReference());
    }
    EXPECT_FALSE(IsAlive(hOwn));
    CLVKFont* pNull = nullptr;
    EXPECT_EQ(nullptr, pNull->GetHandleOrNull());
}

TEST(BrushCacheTest, ReleasingTheFirstOfTwoHoldersKeepsTheBrush)
{
    CLVKBrushCache* const pCache = CLVKBrushCache::GetGlobal();
    const INT_PTR nBefore = pCache->GetCount();
    auto first = std::make_unique<CLVKBrush>();
    auto second = std::make_unique<CLVKBrush>();
    ASSERT_TRUE(first->CreateSolid(RGB(12, 34, 56)));
    ASSERT_TRUE(second->CreateSolid(RGB(12, 34, 56)));
    const HBRUSH hBrush = first->GetHandle();
    EXPECT_EQ(hBrush, second->GetHandle());
    EXPECT_EQ(nBefore + 1, pCache->GetCount());

    first.reset();
    EXPECT_TRUE(IsAlive(hBrush));
    LOGBRUSH lb{};
    ASSERT_EQ(static_cast<int>(sizeof(LOGBRUSH)), second->GetLogBrush(&lb));
    EXPECT_EQ(RGB(12, 34, 56), lb.lbColor);

    second.reset();
    EXPECT_FALSE(IsAlive(hBrush));
    EXPECT_EQ(nBefore, pCache->GetCount());
}

TEST(BrushCacheTest, PatternBrushNeedsABitmap)
{
    CLVKBrush brush;
    EXPECT_FALSE(brush.CreatePattern(nullptr));
    CBitmap empty;
    EXPECT_FALSE(brush.CreatePattern(&empty));
    CBitmap bitmap;
    bitmap.Attach(::CreateBitmap(8, 8, 1, 1, nullptr));
    ASSERT_TRUE(brush.CreatePattern(&bitmap));
    LOGBRUSH lb{};
    ASSERT_TRUE(brush.GetLogBrush(&lb));
    EXPECT_EQ(static_cast<UINT>(BS_PATTERN), lb.lbStyle);
}

TEST(GdiObjectCacheTest, KeyHashesFollowTheDocumentedSums)
{
    // Brush: sum of i*i - 2 - w(i) over style, colour, hatch.
    const LOGBRUSH lb = {BS_SOLID, 0x00102030, 0};
    EXPECT_EQ(static_cast<UINT>((0u - 2u - 0u) + (1u - 2u - 0x00102030u) + (4u - 2u - 0u)), HashKey(lb));

    // Font: the seven words before the face, then each face character at
    // positions 2, 3, ...
    LOGFONTW lf{};
    lf.lfHeight = -10;
    lstrcpynW(lf.lfFaceName, L"ab", LF_FACESIZE);
    DWORD dwExpected = 0;
    const DWORD* const pWords = reinterpret_cast<const DWORD*>(&lf);
    for (DWORD i = 0; i < 7; ++i)
        dwExpected += i * i - 2 - pWords[i];
    dwExpected += (4 - 8 + 2) - L'a';
    dwExpected += (9 - 12 + 2) - L'b';
    EXPECT_EQ(static_cast<UINT>(dwExpected), HashKey(lf));
}

TEST(GdiObjectTest, RoundToIntRoundsHalvesAwayFromZero)
{
    struct Case
    {
        double dValue;
        int nExpected;
    };
    const Case cases[] = {{0.5, 1}, {1.49, 1}, {-0.5, -1}, {-1.5, -2}, {-1.49, -1}, {2.0, 2}};
    for (const Case& c : cases)
        EXPECT_EQ(c.nExpected, LVKRoundToInt(c.dValue)) << c.dValue;
}
