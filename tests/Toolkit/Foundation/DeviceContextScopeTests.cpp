// The device-context scope objects put back what they replaced on every exit
// path, and the buffer copies exactly the paint rectangle back.
#include "DibSurface.h"
#include "Foundation/BitmapDC.h"
#include "Foundation/BrushDC.h"
#include "Foundation/BufferDC.h"
#include "Foundation/CompatibleDC.h"
#include "Foundation/DCSaveState.h"
#include "Foundation/Font.h"
#include "Foundation/FontDC.h"
#include "Foundation/GdiObjectDC.h"
#include "Foundation/PenDC.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace
{

CFont* MakeFont(CFont& font, int nHeight)
{
    font.CreateFont(nHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    return &font;
}

HGDIOBJ CurrentObject(HDC hDC, UINT nType)
{
    return ::GetCurrentObject(hDC, nType);
}

BITMAP BitmapInfo(HBITMAP hBitmap)
{
    BITMAP bm{};
    ::GetObjectW(hBitmap, sizeof(bm), &bm);
    return bm;
}

}  // namespace

TEST(FontDCTest, SelectsFontAndColourAndRestoresBothAtEnd)
{
    DibSurface surface(4, 4);
    CDC* const pDC = surface.GetDC();
    const HGDIOBJ hBefore = CurrentObject(surface.GetHdc(), OBJ_FONT);
    pDC->SetTextColor(RGB(1, 2, 3));
    CFont font;
    MakeFont(font, 20);
    {
        CLVKFontDC scope(pDC, &font, RGB(200, 0, 0));
        EXPECT_EQ(font.GetSafeHandle(), CurrentObject(surface.GetHdc(), OBJ_FONT));
        EXPECT_EQ(RGB(200, 0, 0), pDC->GetTextColor());
    }
    EXPECT_EQ(hBefore, CurrentObject(surface.GetHdc(), OBJ_FONT));
    EXPECT_EQ(RGB(1, 2, 3), pDC->GetTextColor());
}

TEST(FontDCTest, NullFontAndNoColourChangeNothing)
{
    DibSurface surface(4, 4);
    CDC* const pDC = surface.GetDC();
    const HGDIOBJ hBefore = CurrentObject(surface.GetHdc(), OBJ_FONT);
    pDC->SetTextColor(RGB(9, 9, 9));
    {
        CLVKFontDC scope(pDC, static_cast<CFont*>(nullptr), static_cast<COLORREF>(-1));
        EXPECT_EQ(hBefore, CurrentObject(surface.GetHdc(), OBJ_FONT));
        EXPECT_EQ(RGB(9, 9, 9), pDC->GetTextColor());
        pDC->SetTextColor(RGB(7, 7, 7));
    }
    // Nothing was remembered, so the colour set inside the scope stays.
    EXPECT_EQ(RGB(7, 7, 7), pDC->GetTextColor());
    EXPECT_EQ(hBefore, CurrentObject(surface.GetHdc(), OBJ_FONT));
}

TEST(FontDCTest, ChangingFontAndColourTwiceRestoresTheStateFromBeforeTheScope)
{
    DibSurface surface(4, 4);
    CDC* const pDC = surface.GetDC();
    const HGDIOBJ hBefore = CurrentObject(surface.GetHdc(), OBJ_FONT);
    pDC->SetTextColor(RGB(10, 20, 30));
    CFont first;
    CFont second;
    MakeFont(first, 12);
    MakeFont(second, 30);
    {
        CLVKFontDC scope(pDC, &first);
        scope.SetColor(RGB(100, 0, 0));
        scope.SetFont(&second);
        scope.SetColor(RGB(0, 100, 0));
        EXPECT_EQ(second.GetSafeHandle(), CurrentObject(surface.GetHdc(), OBJ_FONT));
        EXPECT_EQ(RGB(0, 100, 0), pDC->GetTextColor());
    }
    EXPECT_EQ(hBefore, CurrentObject(surface.GetHdc(), OBJ_FONT));
    EXPECT_EQ(RGB(10, 20, 30), pDC->GetTextColor());
}

TEST(FontDCTest, RestoresWhenTheDrawingCodeThrows)
{
    DibSurface surface(4, 4);
    CDC* const pDC = surface.GetDC();
    const HGDIOBJ hBefore = CurrentObject(surface.GetHdc(), OBJ_FONT);
    CFont font;
    MakeFont(font, 16);
    try
    {
        CLVKFontDC scope(pDC, &font, RGB(1, 1, 1));
        throw std::runtime_error("drawing failed");
    }
    catch (const std::runtime_error&)
    {
    }
    EXPECT_EQ(hBefore, CurrentObject(surface.GetHdc(), OBJ_FONT));
}

TEST(FontDCTest, AcceptsASharedFontHolder)
{
    DibSurface surface(4, 4);
    const HGDIOBJ hBefore = CurrentObject(surface.GetHdc(), OBJ_FONT);
    CLVKFont font;
    ASSERT_TRUE(font.CreatePointFont(90, L"Tahoma"));
    {
        CLVKFontDC scope(surface.GetDC(), &font);
        EXPECT_EQ(font.GetHandle(), CurrentObject(surface.GetHdc(), OBJ_FONT));
    }
    EXPECT_EQ(hBefore, CurrentObject(surface.GetHdc(), OBJ_FONT));
}

TEST(PenDCTest, ChangingTheColourDeletesTheFirstPenAndRestoresTheOriginalPen)
{
    DibSurface surface(4, 4);
    const HDC hDC = surface.GetHdc();
    const HGDIOBJ hBefore = CurrentObject(hDC, OBJ_PEN);
    HPEN hSecond = nullptr;
    {
        CLVKPenDC pen(hDC, RGB(255, 0, 0));
        const HPEN hFirst = pen.GetPen();
        EXPECT_EQ(hFirst, CurrentObject(hDC, OBJ_PEN));
        LOGPEN lp{};
        ASSERT_TRUE(::GetObjectW(hFirst, sizeof(lp), &lp));
        EXPECT_EQ(static_cast<UINT>(PS_SOLID), lp.lopnStyle);
        EXPECT_EQ(1, lp.lopnWidth.x);

        pen.SetColor(RGB(0, 0, 255));
        hSecond = pen.GetPen();
        EXPECT_EQ(hSecond, CurrentObject(hDC, OBJ_PEN));
        EXPECT_EQ(0u, ::GetObjectType(hFirst)) << "the first pen is deleted";
        ASSERT_TRUE(::GetObjectW(hSecond, sizeof(lp), &lp));
        EXPECT_EQ(RGB(0, 0, 255), lp.lopnColor);
    }
    EXPECT_EQ(hBefore, CurrentObject(hDC, OBJ_PEN));
    EXPECT_EQ(0u, ::GetObjectType(hSecond)) << "the held pen is deleted at the end";
}

TEST(PenDCTest, DrawsWithItsPen)
{
    DibSurface surface(8, 8, RGB(255, 255, 255));
    {
        CLVKPenDC pen(surface.GetHdc(), PS_SOLID, 1, RGB(0, 128, 0));
        ::MoveToEx(surface.GetHdc(), 0, 3, nullptr);
        ::LineTo(surface.GetHdc(), 8, 3);
    }
    EXPECT_EQ(RGB(0, 128, 0), surface.Pixel(5, 3));
    EXPECT_EQ(RGB(255, 255, 255), surface.Pixel(5, 4));
}

TEST(BrushDCTest, SelectsASolidBrushAndRestoresThePreviousOne)
{
    DibSurface surface(8, 8, RGB(255, 255, 255));
    const HDC hDC = surface.GetHdc();
    const HGDIOBJ hBefore = CurrentObject(hDC, OBJ_BRUSH);
    HBRUSH hBrush = nullptr;
    {
        CLVKBrushDC brush(hDC, RGB(10, 20, 30));
        hBrush = brush.GetBrush();
        EXPECT_EQ(hBrush, CurrentObject(hDC, OBJ_BRUSH));
        ::PatBlt(hDC, 0, 0, 4, 4, PATCOPY);
    }
    EXPECT_EQ(RGB(10, 20, 30), surface.Pixel(1, 1));
    EXPECT_EQ(hBefore, CurrentObject(hDC, OBJ_BRUSH));
    EXPECT_EQ(0u, ::GetObjectType(hBrush));
}

TEST(DCSaveStateTest, RestoresTheWholeStateAndToleratesANullDC)
{
    DibSurface surface(4, 4);
    CDC* const pDC = surface.GetDC();
    pDC->SetBkMode(OPAQUE);
    pDC->SetTextColor(RGB(1, 1, 1));
    {
        CLVKDCSaveState state(pDC);
        EXPECT_GT(state.GetSavedLevel(), 0);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(RGB(2, 2, 2));
    }
    EXPECT_EQ(OPAQUE, pDC->GetBkMode());
    EXPECT_EQ(RGB(1, 1, 1), pDC->GetTextColor());

    CLVKDCSaveState none(nullptr);
    EXPECT_EQ(0, none.GetSavedLevel());
}

TEST(CompatibleDCTest, SelectsTheBitmapAndGivesItBackAtTheEnd)
{
    DibSurface source(6, 6, RGB(30, 60, 90));
    // The surface's own DC must let go of the bitmap before another DC can
    // select it.
    CBitmap bitmap;
    bitmap.Attach(::CreateBitmap(3, 3, 1, 32, nullptr));
    {
        CLVKCompatibleDC dc(source.GetDC(), &bitmap);
        ASSERT_NE(nullptr, dc.GetSafeHdc());
        EXPECT_EQ(bitmap.GetSafeHandle(), CurrentObject(dc.GetSafeHdc(), OBJ_BITMAP));
        dc.FillSolidRect(0, 0, 3, 3, RGB(5, 6, 7));
        EXPECT_EQ(RGB(5, 6, 7), dc.GetPixel(1, 1));
    }
    // Out of every DC again, so another memory DC can take it.
    CLVKCompatibleDC again(nullptr, &bitmap);
    EXPECT_EQ(bitmap.GetSafeHandle(), CurrentObject(again.GetSafeHdc(), OBJ_BITMAP));
    EXPECT_EQ(RGB(5, 6, 7), again.GetPixel(2, 2));
}

TEST(BufferDCTest, AllocatesToTheFarCornerAndCopiesOnlyThePaintRectangle)
{
    DibSurface target(60, 50, RGB(255, 255, 255));
    const RECT rcPaint = {10, 10, 50, 40};
    {
        CLVKBufferDC buffer(target.GetHdc(), rcPaint);
        ASSERT_NE(nullptr, buffer.GetSafeHdc());
        const BITMAP bm = BitmapInfo(buffer.GetBitmap());
        EXPECT_EQ(50, bm.bmWidth);
        EXPECT_EQ(40, bm.bmHeight);
        // Drawing covers the whole buffer, inside and outside the rectangle.
        buffer.FillSolidRect(0, 0, 50, 40, RGB(0, 0, 200));
        EXPECT_EQ(RGB(255, 255, 255), target.Pixel(20, 20)) << "nothing reaches the target before the end";
    }
    EXPECT_EQ(RGB(0, 0, 200), target.Pixel(10, 10));
    EXPECT_EQ(RGB(0, 0, 200), target.Pixel(49, 39));
    EXPECT_EQ(RGB(255, 255, 255), target.Pixel(9, 20)) << "left of the paint rectangle";
    EXPECT_EQ(RGB(255, 255, 255), target.Pixel(20, 9)) << "above the paint rectangle";
    EXPECT_EQ(RGB(255, 255, 255), target.Pixel(50, 20)) << "right of the paint rectangle";
    EXPECT_EQ(RGB(255, 255, 255), target.Pixel(20, 40)) << "below the paint rectangle";
}

TEST(BitmapDCTest, BorrowedHandleSelectsAndRestoresWithoutDeletingTheDC)
{
    DibSurface surface(4, 4);
    CDC memDC;
    memDC.Attach(::CreateCompatibleDC(nullptr));
    const HGDIOBJ hBefore = CurrentObject(memDC.m_hDC, OBJ_BITMAP);
    CBitmap first;
    CBitmap second;
    first.Attach(::CreateBitmap(2, 2, 1, 32, nullptr));
    second.Attach(::CreateBitmap(2, 2, 1, 32, nullptr));
    {
        CLVKBitmapDC dc(&memDC, &first);
        EXPECT_EQ(memDC.m_hDC, dc.GetSafeHdc());
        EXPECT_EQ(first.GetSafeHandle(), CurrentObject(memDC.m_hDC, OBJ_BITMAP));
        dc.SelectBitmap(static_cast<HBITMAP>(second.GetSafeHandle()));
        EXPECT_EQ(second.GetSafeHandle(), CurrentObject(memDC.m_hDC, OBJ_BITMAP));
    }
    EXPECT_EQ(hBefore, CurrentObject(memDC.m_hDC, OBJ_BITMAP));
    EXPECT_EQ(static_cast<DWORD>(OBJ_MEMDC), ::GetObjectType(memDC.m_hDC)) << "the borrowed DC is still alive";
}

TEST(BitmapDCTest, DefaultFormOwnsTheAttachedDC)
{
    HDC hMemDC = nullptr;
    {
        CLVKBitmapDC dc;
        EXPECT_EQ(nullptr, dc.GetSafeHdc());
        hMemDC = ::CreateCompatibleDC(nullptr);
        dc.Attach(hMemDC);
        CBitmap bitmap;
        bitmap.Attach(::CreateBitmap(2, 2, 1, 32, nullptr));
        dc.SelectBitmap(static_cast<HBITMAP>(bitmap.GetSafeHandle()));
        EXPECT_EQ(bitmap.GetSafeHandle(), CurrentObject(hMemDC, OBJ_BITMAP));
        dc.RestoreBitmap();
    }
    EXPECT_EQ(0u, ::GetObjectType(hMemDC));
}

TEST(GdiObjectDCTest, EachKindOfObjectIsSelectedForTheScopeAndTheOldOneComesBack)
{
    CFont font;
    MakeFont(font, 14);
    CPen pen;
    pen.CreatePen(PS_DASH, 1, RGB(1, 2, 3));
    CBrush brush;
    brush.CreateSolidBrush(RGB(4, 5, 6));
    CBitmap bitmap;
    bitmap.Attach(::CreateBitmap(2, 2, 1, 32, nullptr));
    struct Case
    {
        const char* name;
        HGDIOBJ hObject;
        UINT nType;
    };
    const Case cases[] = {
        {"a font", font.GetSafeHandle(), OBJ_FONT},
        {"a pen", pen.GetSafeHandle(), OBJ_PEN},
        {"a brush", brush.GetSafeHandle(), OBJ_BRUSH},
        {"a stock pen", ::GetStockObject(NULL_PEN), OBJ_PEN},
        {"a bitmap", bitmap.GetSafeHandle(), OBJ_BITMAP},
    };
    for (const Case& c : cases)
    {
        DibSurface surface(4, 4);
        const HDC hDC = surface.GetHdc();
        const HGDIOBJ hBefore = CurrentObject(hDC, c.nType);
        {
            CLVKGdiObjectDC byHandle(hDC, c.hObject);
            EXPECT_EQ(c.hObject, CurrentObject(hDC, c.nType)) << c.name << " selected through the handle";
        }
        EXPECT_EQ(hBefore, CurrentObject(hDC, c.nType)) << c.name << " restored through the handle";
        {
            CLVKGdiObjectDC byObject(surface.GetDC(), c.hObject);
            EXPECT_EQ(c.hObject, CurrentObject(hDC, c.nType)) << c.name << " selected through the DC object";
        }
        EXPECT_EQ(hBefore, CurrentObject(hDC, c.nType)) << c.name << " restored through the DC object";
    }
    EXPECT_NE(0u, ::GetObjectType(pen.GetSafeHandle())) << "the scope does not delete what it did not make";
}

TEST(GdiObjectDCTest, ReselectingAndEarlyRestoreStillLeaveTheObjectFromBeforeTheScope)
{
    DibSurface surface(4, 4);
    CDC* const pDC = surface.GetDC();
    const HGDIOBJ hBefore = CurrentObject(surface.GetHdc(), OBJ_BRUSH);
    CBrush first;
    CBrush second;
    first.CreateSolidBrush(RGB(10, 0, 0));
    second.CreateSolidBrush(RGB(0, 10, 0));
    {
        CLVKGdiObjectDC scope(pDC, &first);
        scope.Select(second.GetSafeHandle());
        EXPECT_EQ(second.GetSafeHandle(), CurrentObject(surface.GetHdc(), OBJ_BRUSH));
        scope.Select(nullptr);
        EXPECT_EQ(second.GetSafeHandle(), CurrentObject(surface.GetHdc(), OBJ_BRUSH))
            << "a null object selects nothing";
        scope.Restore();
        EXPECT_EQ(hBefore, CurrentObject(surface.GetHdc(), OBJ_BRUSH));
        // Something the drawing code selects after the early restore is its own.
        pDC->SelectObject(&first);
    }
    EXPECT_EQ(first.GetSafeHandle(), CurrentObject(surface.GetHdc(), OBJ_BRUSH));
    pDC->SelectObject(hBefore);

    try
    {
        CLVKGdiObjectDC scope(pDC, static_cast<CGdiObject*>(&second));
        throw std::runtime_error("drawing failed");
    }
    catch (const std::runtime_error&)
    {
    }
    EXPECT_EQ(hBefore, CurrentObject(surface.GetHdc(), OBJ_BRUSH));
}
