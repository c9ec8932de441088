// The command-bar paint manager: the global paint manager's reference counts
// across theme changes, the theme factory, the colour table, fonts and
// metrics, observers told of the destruction, and the drawing primitives and
// default-theme highlights, checked pixel by pixel in 32-bit bitmaps.
#include "Framework.h"

#include "CommandBars/CommandBar.h"
#include "CommandBars/CommandBars.h"
#include "CommandBars/CommandBarsOffice2000Theme.h"
#include "CommandBars/CommandBarsOptions.h"
#include "CommandBars/Control.h"
#include "CommandBars/Controls.h"
#include "CommandBars/PaintManager.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/ImageManager.h"
#include "Foundation/ImageManagerIcon.h"
#include "Foundation/WinThemeWrapper.h"
#include "PaintTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{

// Empties the global slot so each test starts without a global paint manager.
void ResetGlobal()
{
    while (CLVKPaintManager::GetGlobalIfAny())
        CLVKPaintManager::ReleaseGlobal();
}

// Records which paint managers were destroyed.
struct CDestroyRecorder : public ILVKPaintManagerEvents
{
    std::vector<CLVKPaintManager*> destroyed;
    void OnPaintManagerDestroyed(CLVKPaintManager* p) override { destroyed.push_back(p); }
    BOOL WasDestroyed(CLVKPaintManager* p) const
    {
        for (CLVKPaintManager* q : destroyed)
        {
            if (q == p)
                return TRUE;
        }
        return FALSE;
    }
};

DWORD RefCount(CLVKPaintManager* p)
{
    p->InternalAddRef();
    return p->InternalRelease();
}

// ---- the global paint manager -------------------------------------------------------

TEST(GlobalPaintManager, GetGlobalWithoutHoldersInstallsTheDefaultThemeWithOneReference)
{
    ResetGlobal();
    CLVKPaintManager* pGlobal = CLVKPaintManager::GetGlobal();
    ASSERT_NE(nullptr, pGlobal);
    EXPECT_EQ(pGlobal, CLVKPaintManager::GetGlobalIfAny());
    EXPECT_EQ(1u, RefCount(pGlobal));
    EXPECT_EQ(0, pGlobal->GetCurrentTheme());
    EXPECT_EQ(0, pGlobal->m_nThemeNumber);
    // A second GetGlobal takes no reference.
    EXPECT_EQ(pGlobal, CLVKPaintManager::GetGlobal());
    EXPECT_EQ(1u, RefCount(pGlobal));
    EXPECT_EQ(0u, CLVKPaintManager::ReleaseGlobal());
    EXPECT_EQ(nullptr, CLVKPaintManager::GetGlobalIfAny());
    EXPECT_EQ(0u, CLVKPaintManager::ReleaseGlobal());
}

TEST(GlobalPaintManager, SetThemeCarriesTheHoldersReferencesToTheNewObject)
{
    ResetGlobal();
    CLVKPaintManager* pOld = CLVKPaintManager::AddRefGlobal();
    CLVKPaintManager::AddRefGlobal();
    CLVKPaintManager::AddRefGlobal();
    ASSERT_EQ(3u, RefCount(pOld));
    CDestroyRecorder recorder;
    pOld->AddObserver(&recorder);

    CLVKPaintManager::SetTheme(2);
    CLVKPaintManager* pNew = CLVKPaintManager::GetGlobalIfAny();
    ASSERT_NE(nullptr, pNew);
    EXPECT_NE(pOld, pNew);
    EXPECT_TRUE(recorder.WasDestroyed(pOld));
    EXPECT_EQ(3u, RefCount(pNew));
    EXPECT_EQ(2, pNew->m_nThemeNumber);

    pNew->AddObserver(&recorder);
    EXPECT_EQ(2u, CLVKPaintManager::ReleaseGlobal());
    EXPECT_EQ(1u, CLVKPaintManager::ReleaseGlobal());
    EXPECT_FALSE(recorder.WasDestroyed(pNew));
    EXPECT_EQ(0u, CLVKPaintManager::ReleaseGlobal());
    EXPECT_TRUE(recorder.WasDestroyed(pNew));
    EXPECT_EQ(nullptr, CLVKPaintManager::GetGlobalIfAny());
}

TEST(GlobalPaintManager, ReplacingTheInstalledObjectWithItselfKeepsItAndItsCount)
{
    ResetGlobal();
    CLVKPaintManager* pGlobal = CLVKPaintManager::AddRefGlobal();
    CLVKPaintManager::AddRefGlobal();
    CDestroyRecorder recorder;
    pGlobal->AddObserver(&recorder);

    CLVKPaintManager::ReplaceGlobal(pGlobal);
    EXPECT_FALSE(recorder.WasDestroyed(pGlobal));
    EXPECT_EQ(pGlobal, CLVKPaintManager::GetGlobalIfAny());
    EXPECT_EQ(2u, RefCount(pGlobal));

    pGlobal->RemoveObserver(&recorder);
    ResetGlobal();
}

TEST(GlobalPaintManager, ReplaceGlobalAloneLeavesThemeNumberTenAndAddRefAfterwardsCounts)
{
    ResetGlobal();
    CLVKPaintManager* pOwn = new CLVKCommandBarsOffice2000Theme();
    CLVKPaintManager::ReplaceGlobal(pOwn);
    EXPECT_EQ(pOwn, CLVKPaintManager::GetGlobalIfAny());
    EXPECT_EQ(10, pOwn->m_nThemeNumber);
    EXPECT_EQ(1u, RefCount(pOwn));
    EXPECT_EQ(pOwn, CLVKPaintManager::AddRefGlobal());
    EXPECT_EQ(2u, RefCount(pOwn));
    // RefreshMetrics ran on installation.
    EXPECT_GT(pOwn->GetButtonHeight(), 0);
    ResetGlobal();
}

// ---- the theme factory --------------------------------------------------------------

struct FactoryCase
{
    int nTheme;
    BOOL bFlatFrame;  // the theme leaves frames to itself: composition off
};

class ThemeFactory : public ::testing::TestWithParam<FactoryCase>
{
};

TEST_P(ThemeFactory, CreatesTheDefaultThemeKeepingTheNumberAndSetsTheCompositionSwitch)
{
    const FactoryCase& c = GetParam();
    CLVKPaintManager* p = CLVKPaintManager::CreateTheme(c.nTheme);
    ASSERT_NE(nullptr, p);
    // Only the default theme is built: every number draws with it.
    EXPECT_EQ(0, p->GetCurrentTheme());
    EXPECT_EQ(c.nTheme, p->m_nThemeNumber);
    EXPECT_EQ(1u, RefCount(p));
    const BOOL bExpected = c.bFlatFrame ? FALSE : LVKDwmIsCompositionEnabled();
    EXPECT_EQ(bExpected, CLVKPaintManager::IsFrameCompositionEnabled());
    p->InternalRelease();
}

// Wine says composition is on, so the switch tells the two groups apart.
INSTANTIATE_TEST_SUITE_P(Numbers, ThemeFactory,
                         ::testing::Values(FactoryCase{0, FALSE}, FactoryCase{1, FALSE}, FactoryCase{2, FALSE},
                                           FactoryCase{3, FALSE}, FactoryCase{4, FALSE}, FactoryCase{5, TRUE},
                                           FactoryCase{6, TRUE}, FactoryCase{7, FALSE}, FactoryCase{8, FALSE},
                                           FactoryCase{9, FALSE}, FactoryCase{10, FALSE}, FactoryCase{11, FALSE},
                                           FactoryCase{12, TRUE}, FactoryCase{13, TRUE}, FactoryCase{14, TRUE},
                                           FactoryCase{15, TRUE}, FactoryCase{16, TRUE}, FactoryCase{99, FALSE},
                                           FactoryCase{-3, FALSE}));

TEST(ThemeFactoryGlobal, SetThemeKeepsTheAskedNumberOnTheGlobal)
{
    ResetGlobal();
    for (int nTheme : {10, 13, 14, 12, 1})
    {
        CLVKPaintManager::SetTheme(nTheme);
        EXPECT_EQ(nTheme, CLVKPaintManager::GetGlobalIfAny()->m_nThemeNumber) << nTheme;
        EXPECT_EQ(1u, RefCount(CLVKPaintManager::GetGlobalIfAny())) << nTheme;
    }
    EXPECT_EQ(LVKDwmIsCompositionEnabled(), CLVKPaintManager::IsFrameCompositionEnabled());
    ResetGlobal();
}

// ---- colours, fonts and metrics ------------------------------------------------------

TEST(PaintManagerColors, IndexesResolveThroughTheTableAndLargerValuesAreLiteral)
{
    CLVKCommandBarsOffice2000Theme theme;
    theme.RefreshMetrics();
    EXPECT_EQ(63u, theme.GetThemeColor(63));
    EXPECT_EQ(RGB(0, 255, 0), theme.GetThemeColor(RGB(0, 255, 0)));
    EXPECT_EQ(static_cast<COLORREF>(-1), theme.GetThemeColor(static_cast<UINT>(-1)));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), theme.GetThemeColor(COLOR_BTNFACE));

    theme.GetColorEntry(COLOR_BTNFACE).SetCustomValue(RGB(9, 8, 7));
    EXPECT_EQ(RGB(9, 8, 7), theme.GetThemeColor(COLOR_BTNFACE));
    theme.RefreshMetrics();
    EXPECT_EQ(RGB(9, 8, 7), theme.GetThemeColor(COLOR_BTNFACE)) << "a custom value survives a refresh";

    const int indexes[2] = {3, 70};
    const COLORREF colors[2] = {RGB(1, 1, 1), RGB(2, 2, 2)};
    theme.SetColors(2, indexes, colors);
    EXPECT_EQ(RGB(1, 1, 1), theme.GetColorEntry(3).GetStandardColor());
}

TEST(PaintManagerFonts, FontHeightDrivesTheFontAndTheMetrics)
{
    CLVKCommandBarsOffice2000Theme theme;
    theme.SetFontHeight(20);
    LOGFONTW lf{};
    ASSERT_NE(0, theme.m_fontRegular.GetLogFont(&lf));
    EXPECT_EQ(-20, lf.lfHeight);
    EXPECT_EQ(39, theme.GetEditHeight());
    EXPECT_EQ((20 + ScaleY(2)) * 2, theme.GetSplitDropDownWidth());
    EXPECT_EQ(20, theme.GetFontHeight());
    EXPECT_EQ(theme.GetButtonHeight() + ScaleY(4), theme.GetTabButtonHeight());

    LOGFONTW lfBold{};
    ASSERT_NE(0, theme.m_fontRegularBold.GetLogFont(&lfBold));
    EXPECT_EQ(700, lfBold.lfWeight);
    LOGFONTW lfVertical{};
    ASSERT_NE(0, theme.m_fontVertical.GetLogFont(&lfVertical));
    EXPECT_EQ(2700, lfVertical.lfEscapement);

    // The button height is the height of a space in the font plus 6.
    CClientDC dc(nullptr);
    CFont* pOld = dc.SelectObject(theme.m_fontRegular.GetFont());
    const int nSpace = dc.GetTextExtent(L" ", 1).cy;
    dc.SelectObject(pOld);
    EXPECT_EQ(nSpace + ScaleY(6), theme.GetButtonHeight());
}

TEST(PaintManagerFonts, ACustomFontSurvivesRefreshesUntilItIsMadeStandardAgain)
{
    CLVKCommandBarsOffice2000Theme theme;
    theme.RefreshMetrics();
    LOGFONTW lfCustom{};
    lfCustom.lfHeight = -31;
    lstrcpyW(lfCustom.lfFaceName, L"Tahoma");
    theme.m_fontStatus.SetCustomFont(&lfCustom);
    theme.RefreshMetrics();
    LOGFONTW lf{};
    theme.m_fontStatus.GetLogFont(&lf);
    EXPECT_EQ(-31, lf.lfHeight);

    theme.m_fontStatus.SetCustomFont(FALSE);
    theme.RefreshMetrics();
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = 504;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0);
    theme.m_fontStatus.GetLogFont(&lf);
    EXPECT_EQ(ncm.lfStatusFont.lfHeight, lf.lfHeight);
}

TEST(PaintManagerMetrics, AutomaticIconSizesFollowTheEditHeight)
{
    CLVKCommandBarsOffice2000Theme theme;
    theme.RefreshMetrics();
    EXPECT_EQ(CSize(16, 16), theme.GetAutoIconSize(FALSE));
    EXPECT_EQ(CSize(32, 32), theme.GetAutoIconSize(TRUE));
    theme.m_bAutoIconSize = TRUE;
    theme.m_nEditHeight = 44;
    const int n = (44 - ScaleY(4)) / 8;
    EXPECT_EQ(CSize(n * 8, n * 8), theme.GetAutoIconSize(FALSE));
    const int nLarge = (88 - 2 * ScaleY(4)) / 8;
    EXPECT_EQ(CSize(nLarge * 8, nLarge * 8), theme.GetAutoIconSize(TRUE));
    theme.m_nEditHeight = 0;  // the base is at least 18
    EXPECT_EQ(CSize(16, 16), theme.GetAutoIconSize(FALSE));
}

TEST(PaintManagerMetrics, PopupArrowGlyphByPosition)
{
    struct Case
    {
        int nPosition;
        BOOL bVertical;
        int nGlyph;
    };
    const Case cases[] = {{0, FALSE, 51}, {1, FALSE, 50}, {2, FALSE, 49}, {3, TRUE, 48},
                          {4, TRUE, 48},  {4, FALSE, 51}, {5, FALSE, 51}, {5, TRUE, 48}};
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.nGlyph, CLVKPaintManager::GetPopupArrowGlyph(c.nPosition, c.bVertical))
            << c.nPosition << "/" << c.bVertical;
    }
}

// Images are fitted into the box of their control, and the size asked for
// caps them only while the control's manager scales icons.
TEST(PaintManagerMetrics, ImagesFitTheirBoxAndAreCappedOnlyWhenTheManagerScales)
{
    CLVKImageManager* pImages = new CLVKImageManager;
    const struct
    {
        UINT nId;
        int cx, cy;
    } images[] = {{1, 32, 32}, {2, 32, 16}, {3, 16, 32}};
    for (const auto& image : images)
    {
        CBitmap bitmap;
        bitmap.CreateBitmap(image.cx, image.cy, 1, 32, nullptr);
        ASSERT_TRUE(pImages->SetIconsFromBitmap(static_cast<HBITMAP>(bitmap.GetSafeHandle()), &image.nId, 1, image.cx,
                                                image.cy, 0, FALSE));
    }
    CLVKImageManagerIcon* pSquare = pImages->FindIcon(1, 32);
    CLVKImageManagerIcon* pWide = pImages->FindIcon(2, 32);
    CLVKImageManagerIcon* pTall = pImages->FindIcon(3, 16);
    ASSERT_TRUE(pSquare && pWide && pTall);

    // At 96 DPI the scaled sides equal the image's.
    EXPECT_EQ(CLVKPaintManager::FitImageSize(pSquare, 16, 16), CSize(16, 16));
    EXPECT_EQ(CLVKPaintManager::FitImageSize(pWide, 20, 20), CSize(20, 10)) << "as wide as asked";
    EXPECT_EQ(CLVKPaintManager::FitImageSize(pTall, 20, 20), CSize(10, 20)) << "as high as asked";
    EXPECT_EQ(CLVKPaintManager::FitImageSize(nullptr, 20, 18), CSize(20, 18));

    CLVKPaintManager* pTheme = CLVKPaintManager::CreateTheme(0);
    pTheme->RefreshMetrics();
    CLVKCommandBar* pBar = new CLVKCommandBar;
    CLVKControl* pControl = pBar->GetControls()->Add(kControlButton, 1);
    // Without a manager: an image that fits the box keeps its size, a larger
    // one is fitted 2 px inside the box.
    EXPECT_EQ(pTheme->GetControlImageSize(pSquare, 16, 16, pControl, 40, 40), CSize(32, 32));
    EXPECT_EQ(pTheme->GetControlImageSize(pSquare, 16, 16, pControl, 30, 30), CSize(26, 26));
    // With a manager that scales icons the asked size caps it.
    CLVKCommandBars* pBars = new CLVKCommandBars;
    pBar->SetCommandBars(pBars);
    EXPECT_EQ(pTheme->GetControlImageSize(pSquare, 16, 16, pControl, 40, 40), CSize(16, 16));
    pBars->GetCommandBarsOptions()->bAutoScaleDpiToolbarIcons = FALSE;
    EXPECT_EQ(pTheme->GetControlImageSize(pSquare, 16, 16, pControl, 40, 40), CSize(32, 32));

    // A control's own width and height win, turned on a vertical bar.
    pControl->SetWidth(100);
    EXPECT_EQ(CLVKPaintManager::ApplyControlSizeOverride(pControl, 30, 22, FALSE), CSize(100, 22));
    EXPECT_EQ(CLVKPaintManager::ApplyControlSizeOverride(pControl, 22, 30, TRUE), CSize(22, 100));
    pBar->SetCommandBars(nullptr);
    pBar->InternalRelease();
    pBars->InternalRelease();
    pTheme->InternalRelease();
    pImages->InternalRelease();
}

TEST(PaintManagerMetrics, CaptionsSplitAtTheSpaceNearestTheMiddle)
{
    struct Case
    {
        const wchar_t* caption;
        const wchar_t* first;
        const wchar_t* second;
    };
    const Case cases[] = {
        {L"Paste Special", L"Paste", L"Special"},
        {L"Print", L"Print", L""},
        {L"A b", L"A b", L""},            // shorter than four characters
        {L" Leading", L" Leading", L""},  // starts with its first space
        {L"Insert New Page", L"Insert", L"New Page"},
        {L"Go to previous", L"Go to", L"previous"},
    };
    for (const Case& c : cases)
    {
        CString strFirst;
        CString strSecond;
        CLVKPaintManager::SplitCaptionForTwoLines(c.caption, strFirst, strSecond);
        EXPECT_EQ(std::wstring(c.first), std::wstring(strFirst)) << c.caption;
        EXPECT_EQ(std::wstring(c.second), std::wstring(strSecond)) << c.caption;
    }
}

// ---- observers ---------------------------------------------------------------------

struct CSelfRemovingObserver : public ILVKPaintManagerEvents
{
    CLVKObserverConnections connections;
    int nCalls = 0;
    void OnPaintManagerDestroyed(CLVKPaintManager* p) override
    {
        nCalls++;
        p->RemoveObserver(this);
    }
};

struct CCountingObserver : public ILVKPaintManagerEvents
{
    CLVKObserverConnections connections;
    int nCalls = 0;
    void OnPaintManagerDestroyed(CLVKPaintManager*) override { nCalls++; }
};

TEST(PaintManagerObservers, AnObserverRemovingItselfDoesNotHideTheOthersAndIsUnlinked)
{
    CSelfRemovingObserver first;
    CCountingObserver second;
    {
        CLVKCommandBarsOffice2000Theme* p = new CLVKCommandBarsOffice2000Theme();
        p->AddObserver(&first, &first.connections);
        const void* pObservable = static_cast<CLVKObservable<CLVKPaintManager, ILVKPaintManagerEvents>*>(p);
        first.connections.links.push_back({pObservable, FALSE});
        p->AddObserver(&second, &second.connections);
        second.connections.links.push_back({pObservable, FALSE});
        p->InternalRelease();
    }
    EXPECT_EQ(1, first.nCalls);
    EXPECT_EQ(1, second.nCalls);
    // Only the observer that removed itself is erased at the end of the walk.
    EXPECT_TRUE(first.connections.links.empty());
    EXPECT_EQ(1u, second.connections.links.size());
}

// ---- drawing primitives -----------------------------------------------------------------

TEST(PaintManagerPrimitives, LinesFillHalfOpenSpans)
{
    auto pTheme = MakeTheme();
    CPixelCanvas canvas(20, 20);
    pTheme->Line(canvas.DC(), 5, 1, 5, 9, RGB(255, 0, 0));
    for (int y = 0; y < 12; y++)
        EXPECT_EQ(y >= 1 && y <= 8 ? RGB(255, 0, 0) : kBack, canvas.At(5, y)) << y;
    EXPECT_EQ(kBack, canvas.At(4, 4));

    pTheme->LineWithThemeColor(canvas.DC(), 2, 12, 8, 12, COLOR_BTNSHADOW);
    EXPECT_EQ(Entry(COLOR_BTNSHADOW), canvas.At(2, 12));
    EXPECT_EQ(Entry(COLOR_BTNSHADOW), canvas.At(7, 12));
    EXPECT_EQ(kBack, canvas.At(8, 12));
    pTheme->LineWithThemeColor(canvas.DC(), 2, 14, 4, 14, -7);  // a negative index counts as 0
    EXPECT_EQ(Entry(0), canvas.At(3, 14));

    // A slanted line ends before its end point.
    pTheme->Line(canvas.DC(), 10, 10, 14, 14, RGB(0, 0, 255));
    EXPECT_EQ(RGB(0, 0, 255), canvas.At(10, 10));
    EXPECT_EQ(RGB(0, 0, 255), canvas.At(13, 13));
    EXPECT_EQ(kBack, canvas.At(14, 14));
}

TEST(PaintManagerPrimitives, RectanglesFillAndFrameAsAsked)
{
    struct Case
    {
        const char* name;
        COLORREF clrBorder;
        COLORREF clrFill;
        COLORREF clrEdgeExpected;
        COLORREF clrInsideExpected;
    };
    const COLORREF red = RGB(200, 0, 0);
    const COLORREF green = RGB(0, 200, 0);
    const COLORREF none = static_cast<COLORREF>(-1);
    const Case cases[] = {
        {"border and fill", red, green, red, green},
        {"border equal to fill draws only the fill", green, green, green, green},
        {"no fill draws only the frame", red, none, red, kBack},
        {"no border draws only the fill", none, green, green, green},
        {"index colours resolve", COLOR_BTNSHADOW, COLOR_BTNFACE, Entry(COLOR_BTNSHADOW), Entry(COLOR_BTNFACE)},
    };
    auto pTheme = MakeTheme();
    for (const Case& c : cases)
    {
        CPixelCanvas canvas(12, 12);
        const CRect rc(2, 2, 10, 10);
        pTheme->Rectangle(canvas.DC(), rc, c.clrBorder, c.clrFill);
        EXPECT_EQ(c.clrEdgeExpected, canvas.At(2, 2)) << c.name;
        EXPECT_EQ(c.clrEdgeExpected, canvas.At(9, 9)) << c.name;
        EXPECT_EQ(c.clrInsideExpected, canvas.At(5, 5)) << c.name;
        EXPECT_EQ(kBack, canvas.At(10, 10)) << c.name;
    }

    CPixelCanvas canvas(12, 12);
    pTheme->RectangleWithThemeColors(canvas.DC(), CRect(1, 1, 11, 11), -1, COLOR_WINDOW);
    EXPECT_EQ(Entry(COLOR_WINDOW), canvas.At(1, 1));
    pTheme->Draw3dRectWithThemeColors(canvas.DC(), CRect(1, 1, 11, 11), COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
    EXPECT_EQ(Entry(COLOR_BTNHIGHLIGHT), canvas.At(1, 5));
    EXPECT_EQ(Entry(COLOR_BTNSHADOW), canvas.At(10, 5));

    CPixelCanvas thick(12, 12);
    pTheme->DrawThickFrame(thick.DC(), CRect(0, 0, 12, 12), 3, red, green);
    EXPECT_EQ(red, thick.At(0, 6));
    EXPECT_EQ(green, thick.At(1, 6));
    EXPECT_EQ(green, thick.At(2, 6));
    EXPECT_EQ(kBack, thick.At(3, 6));
}

TEST(PaintManagerPrimitives, CirclesAreAntiAliasedRingsOnSquaresOnly)
{
    auto pTheme = MakeTheme();
    const COLORREF border = RGB(0, 0, 0);
    const COLORREF fill = RGB(250, 250, 250);
    {
        CPixelCanvas canvas(12, 12);
        pTheme->DrawCircle(canvas.DC(), 0, 0, 10, 12, border, fill);
        EXPECT_EQ(0, canvas.CountNot(kBack, CRect(0, 0, 12, 12)));
    }
    CPixelCanvas canvas(11, 11);
    pTheme->DrawCircle(canvas.DC(), 0, 0, 11, 11, border, fill);
    EXPECT_EQ(fill, canvas.At(5, 5));
    EXPECT_EQ(kBack, canvas.At(0, 0)) << "corners stay untouched";
    // On the ring the pixel is mostly border colour.
    const COLORREF ring = canvas.At(0, 5);
    EXPECT_LT(GetRValue(ring), 128);
    // Symmetric.
    EXPECT_EQ(canvas.At(1, 3), canvas.At(9, 7));
}

TEST(PaintManagerPrimitives, TrianglesAreFilled)
{
    auto pTheme = MakeTheme();
    CPixelCanvas canvas(12, 12);
    pTheme->DrawTriangle(canvas.DC(), CPoint(1, 1), CPoint(10, 1), CPoint(1, 10), COLOR_BTNTEXT);
    EXPECT_EQ(Entry(COLOR_BTNTEXT), canvas.At(3, 3));
    EXPECT_EQ(kBack, canvas.At(10, 10));
}

TEST(PaintManagerPrimitives, MarksMeasureWithoutDrawing)
{
    auto pTheme = MakeTheme();
    CPixelCanvas canvas(20, 20);
    for (int nChecked = 0; nChecked <= 2; nChecked++)
    {
        EXPECT_EQ(CSize(ScaleX(13), ScaleY(13)),
                  pTheme->DrawCheckBoxMark(canvas.DC(), CRect(0, 0, 13, 13), FALSE, 0, 0, nChecked, 1));
        EXPECT_EQ(CSize(ScaleX(13), ScaleY(13)),
                  pTheme->DrawRadioButtonMark(canvas.DC(), CRect(0, 0, 13, 13), FALSE, 1, 1, nChecked, 1));
    }
    EXPECT_EQ(0, canvas.CountNot(kBack, CRect(0, 0, 20, 20)));
    pTheme->DrawCheckBoxMark(canvas.DC(), CRect(0, 0, 13, 13), TRUE, 0, 0, 1, 1);
    EXPECT_GT(canvas.CountNot(kBack, CRect(0, 0, 13, 13)), 0);
}

TEST(PaintManagerPrimitives, CheckMarksAreGlyphsAndTheBoldOneIsDrawnTwice)
{
    auto pTheme = MakeTheme();
    CPixelCanvas plain(24, 24);
    pTheme->DrawMenuCheckMark(plain.DC(), CRect(2, 2, 20, 20), RGB(0, 0, 0));
    const int nPlain = plain.CountNot(kBack, CRect(0, 0, 24, 24));
    ASSERT_GT(nPlain, 0) << "the glyph font draws the check mark";

    pTheme->m_bBoldCheckMark = TRUE;
    CPixelCanvas bold(24, 24);
    pTheme->DrawMenuCheckMark(bold.DC(), CRect(2, 2, 20, 20), RGB(0, 0, 0));
    EXPECT_GT(bold.CountNot(kBack, CRect(0, 0, 24, 24)), nPlain);

    CPixelCanvas bullet(24, 24);
    pTheme->DrawMenuBulletMark(bullet.DC(), CRect(0, 0, 24, 24), COLOR_BTNTEXT);
    EXPECT_EQ(Entry(COLOR_BTNTEXT), bullet.At(12, 12));
    // Deflated by 3 on each side.
    EXPECT_EQ(0, bullet.CountNot(kBack, CRect(0, 0, 24, ScaleY(3))));
}

TEST(PaintManagerPrimitives, EmbossedDisabledTextGetsAHighlightCopy)
{
    auto pTheme = MakeTheme();
    pTheme->m_bEmbossedDisabledText = TRUE;
    CPixelCanvas canvas(60, 20);
    canvas.DC()->SetBkMode(TRANSPARENT);
    canvas.DC()->SetTextColor(RGB(0, 0, 0));
    CFont* pOld = canvas.DC()->SelectObject(pTheme->m_fontRegular.GetFont());
    CRect rc(0, 0, 60, 20);
    pTheme->DrawTextApi(canvas.DC(), L"III", &rc, 0, TRUE, 0, 0);
    // The highlight entry is the only colour here with much blue (smoothed
    // glyph edges blend it with the background, so exact values vary).
    const auto countBlue = [](const CPixelCanvas& c)
    {
        int n = 0;
        for (int y = 0; y < c.Height(); y++)
        {
            for (int x = 0; x < c.Width(); x++)
                n += GetBValue(c.At(x, y)) > 100 ? 1 : 0;
        }
        return n;
    };
    EXPECT_GT(countBlue(canvas), 0);
    EXPECT_GT(canvas.CountNot(kBack, CRect(0, 0, 60, 20)), countBlue(canvas)) << "the text itself";

    // Enabled text has no copy; measuring draws nothing.
    CPixelCanvas enabled(60, 20);
    enabled.DC()->SetBkMode(TRANSPARENT);
    enabled.DC()->SelectObject(pTheme->m_fontRegular.GetFont());
    const CSize sz = pTheme->DrawTextApi(enabled.DC(), L"III", &rc, 0, FALSE, 0, 1);
    EXPECT_GT(sz.cx, 0);
    EXPECT_EQ(0, enabled.CountNot(kBack, CRect(0, 0, 60, 20)));
    enabled.DC()->SetTextColor(RGB(0, 0, 0));
    pTheme->DrawTextApi(enabled.DC(), L"III", &rc, 0, TRUE, 0, 1);
    EXPECT_GT(enabled.CountNot(kBack, CRect(0, 0, 60, 20)), 0);
    EXPECT_EQ(0, countBlue(enabled));
    canvas.DC()->SelectObject(pOld);
}

TEST(PaintManagerPrimitives, TextOnGlassAndThemedCheckBoxesDraw)
{
    auto pTheme = MakeTheme();
    for (BOOL bGlass : {FALSE, TRUE})
    {
        CPixelCanvas canvas(80, 20);
        canvas.DC()->SetTextColor(RGB(0, 0, 0));
        canvas.DC()->SetBkMode(TRANSPARENT);
        CFont* pOld = canvas.DC()->SelectObject(pTheme->m_fontRegular.GetFont());
        CRect rc(0, 0, 80, 20);
        pTheme->DrawTextOnGlass(canvas.DC(), L"Glass", &rc, DT_SINGLELINE | DT_VCENTER, bGlass);
        EXPECT_GT(canvas.CountNot(kBack, rc), 0) << bGlass;
        canvas.DC()->SelectObject(pOld);
    }

    // With the visual style's "BUTTON" class the checked and unchecked
    // marks differ.
    pTheme->m_bThemedCheckBox = TRUE;
    pTheme->RefreshMetrics();
    ASSERT_TRUE(pTheme->m_pButtonThemeData->HasThemeData());
    CPixelCanvas unchecked(16, 16);
    CPixelCanvas checked(16, 16);
    pTheme->DrawCheckBoxMark(unchecked.DC(), CRect(0, 0, 13, 13), TRUE, 0, 0, 0, 1);
    pTheme->DrawCheckBoxMark(checked.DC(), CRect(0, 0, 13, 13), TRUE, 0, 0, 1, 1);
    int nDifferent = 0;
    for (int y = 0; y < 13; y++)
    {
        for (int x = 0; x < 13; x++)
            nDifferent += unchecked.At(x, y) != checked.At(x, y) ? 1 : 0;
    }
    EXPECT_GT(nDifferent, 0);
}

TEST(PaintManagerPrimitives, OpaqueFillsSetTheAlphaByte)
{
    CPixelCanvas canvas(8, 8);
    CLVKPaintManager::FillRectOpaque(canvas.DC(), CRect(0, 0, 4, 4), RGB(10, 20, 30));
    EXPECT_EQ(RGB(10, 20, 30), canvas.At(1, 1));
    EXPECT_EQ(kBack, canvas.At(5, 5));
}

TEST(PaintManagerAnimation, FadesAndSlidesEndOnTheSourceOrReturnAtOnce)
{
    auto pTheme = MakeTheme();
    pTheme->m_nAnimationTime = 0;
    CPixelCanvas source(10, 10);
    source.DC()->FillSolidRect(0, 0, 10, 10, RGB(200, 100, 50));

    struct Case
    {
        const char* name;
        int nSteps;
        int nType;
        BOOL bChanged;
    };
    const Case cases[] = {
        {"fade with one step runs no blend", 1, lvkAnimateFade, FALSE},
        {"unfold without steps", 0, lvkAnimateUnfold, FALSE},
        {"slide without steps", 0, lvkAnimateSlide, FALSE},
        {"unknown type", 5, 7, FALSE},
        {"unfold ends on the source", 3, lvkAnimateUnfold, TRUE},
        {"slide ends on the source", 3, lvkAnimateSlide, TRUE},
    };
    for (const Case& c : cases)
    {
        pTheme->m_nAnimationSteps = c.nSteps;
        CPixelCanvas dest(10, 10);
        pTheme->AnimateFade(dest.DC(), source.DC(), 0, 0, 10, 10, c.nType);
        EXPECT_EQ(c.bChanged ? RGB(200, 100, 50) : kBack, dest.At(0, 0)) << c.name;
        EXPECT_EQ(c.bChanged ? RGB(200, 100, 50) : kBack, dest.At(9, 9)) << c.name;
    }

    // A fade of two steps shows the halfway blend and leaves the last frame.
    pTheme->m_nAnimationSteps = 2;
    CPixelCanvas dest(10, 10);
    dest.DC()->FillSolidRect(0, 0, 10, 10, RGB(0, 0, 0));
    pTheme->AnimateFade(dest.DC(), source.DC(), 0, 0, 10, 10, lvkAnimateFade);
    const int a = 255 * 1 / 2;
    EXPECT_EQ(RGB((200 * a) >> 8, (100 * a) >> 8, (50 * a) >> 8), dest.At(4, 4));
}

// ---- the default theme's highlights ---------------------------------------------------

TEST(Office2000Theme, HighlightsByState)
{
    struct Case
    {
        const char* name;
        int nSelected, nPressed, nEnabled, nChecked, nPopuped, nBarType;
        COLORREF clrTopLeft;  // expected at the rectangle's top-left pixel
        COLORREF clrInside;   // expected at an inside pixel (4, 4)
        BOOL bDither;         // inside pixels alternate face and highlight
    };
    const COLORREF face = Entry(COLOR_BTNFACE);
    const COLORREF shadow = Entry(COLOR_BTNSHADOW);
    const COLORREF light = Entry(COLOR_BTNHIGHLIGHT);
    const Case cases[] = {
        {"idle button", 0, 0, 1, 0, 0, 1, kBack, kBack, FALSE},
        {"hot button is raised", 1, 0, 1, 0, 0, 1, light, kBack, FALSE},
        {"pressed hot button is sunken", 1, 1, 1, 0, 0, 1, shadow, kBack, FALSE},
        {"keyboard-pressed button is sunken", 0, 2, 1, 0, 0, 1, shadow, kBack, FALSE},
        {"popped button is sunken", 0, 0, 1, 0, 1, 1, shadow, kBack, FALSE},
        {"pressed but not hot is raised", 0, 1, 1, 0, 0, 1, light, kBack, FALSE},
        {"checked idle shows the checkerboard", 0, 0, 1, 1, 0, 1, shadow, face, TRUE},
        {"checked hot is only sunken", 1, 0, 1, 1, 0, 1, shadow, kBack, FALSE},
        {"disabled checked is sunken", 0, 0, 0, 1, 0, 1, shadow, kBack, FALSE},
        {"disabled hot draws nothing", 1, 0, 0, 0, 0, 1, kBack, kBack, FALSE},
        {"disabled keyboard-selected is sunken", 2, 0, 0, 0, 0, 1, shadow, kBack, FALSE},
        {"selected popup item is filled", 1, 0, 1, 0, 0, 2, Entry(COLOR_HIGHLIGHT), Entry(COLOR_HIGHLIGHT), FALSE},
        {"idle popup item draws nothing", 0, 0, 1, 0, 0, 2, kBack, kBack, FALSE},
    };
    auto pTheme = MakeTheme();
    for (const Case& c : cases)
    {
        CPixelCanvas canvas(12, 12);
        pTheme->DrawRectangle(canvas.DC(), CRect(0, 0, 12, 12), c.nSelected, c.nPressed, c.nEnabled, c.nChecked,
                              c.nPopuped, c.nBarType, 0);
        EXPECT_EQ(c.clrTopLeft, canvas.At(0, 0)) << c.name;
        if (c.bDither)
        {
            EXPECT_NE(canvas.At(4, 4), canvas.At(5, 4)) << c.name;
            EXPECT_EQ(canvas.At(4, 4), canvas.At(5, 5)) << c.name;
            EXPECT_TRUE((canvas.At(4, 4) == face && canvas.At(5, 4) == light) ||
                        (canvas.At(4, 4) == light && canvas.At(5, 4) == face))
                << c.name;
        }
        else
        {
            EXPECT_EQ(c.clrInside, canvas.At(4, 4)) << c.name;
        }
    }
}

TEST(Office2000Theme, TextColoursByBarAndState)
{
    struct Case
    {
        int nSelected, nEnabled, nChecked, nBarType, nBarPosition, nIndex;
    };
    const Case cases[] = {
        {0, 0, 0, 2, 5, COLOR_GRAYTEXT}, {1, 1, 0, 2, 5, COLOR_HIGHLIGHTTEXT}, {1, 1, 1, 2, 5, COLOR_BTNTEXT},
        {0, 1, 0, 2, 5, COLOR_BTNTEXT},  {1, 1, 0, 1, 0, COLOR_BTNTEXT},       {0, 0, 0, 1, 0, COLOR_GRAYTEXT},
    };
    auto pTheme = MakeTheme();
    for (const Case& c : cases)
    {
        EXPECT_EQ(Entry(c.nIndex),
                  pTheme->GetRectangleTextColor(c.nSelected, 0, c.nEnabled, c.nChecked, 0, c.nBarType, c.nBarPosition));
    }
    pTheme->m_nMenuTextColor = COLOR_WINDOWTEXT;
    EXPECT_EQ(Entry(COLOR_WINDOWTEXT), pTheme->GetRectangleTextColor(0, 0, 1, 0, 0, 1, 5));
    EXPECT_EQ(Entry(COLOR_BTNTEXT), pTheme->GetRectangleTextColor(0, 0, 1, 0, 0, 1, 0));
}

TEST(Office2000Theme, GrippersAndComboButtons)
{
    auto pTheme = MakeTheme();
    CPixelCanvas canvas(30, 30);
    EXPECT_EQ(CSize(0, ScaleY(8)), pTheme->DrawTearOffGripper(canvas.DC(), CRect(0, 0, 30, 8), FALSE, FALSE));
    EXPECT_EQ(0, canvas.CountNot(kBack, CRect(0, 0, 30, 30)));
    pTheme->DrawTearOffGripper(canvas.DC(), CRect(0, 0, 30, 8), TRUE, TRUE);
    EXPECT_EQ(Entry(COLOR_ACTIVECAPTION), canvas.At(0, 6));
    EXPECT_EQ(kBack, canvas.At(0, 7)) << "the last row stays";

    CPixelCanvas grip(30, 30);
    pTheme->DrawPopupResizeGripper(grip.DC(), CRect(0, 0, 30, 30), 1);
    EXPECT_EQ(Entry(38), grip.At(30 - ScaleX(4), 30 - ScaleY(4)));
    EXPECT_EQ(Entry(COLOR_WINDOW), grip.At(30 - ScaleX(4) + 2, 30 - ScaleY(4) + 2));

    CPixelCanvas combo(20, 20);
    pTheme->DrawComboDropDownButton(combo.DC(), CRect(0, 0, 20, 20), 1, 0, FALSE);
    EXPECT_EQ(Entry(COLOR_BTNHIGHLIGHT), combo.At(1, 2)) << "idle: a frame of highlight";
    pTheme->DrawComboDropDownButton(combo.DC(), CRect(0, 0, 20, 20), 1, 0, TRUE);
    EXPECT_EQ(Entry(COLOR_BTNSHADOW), combo.At(1, 2)) << "dropped down: sunken";
    EXPECT_EQ(Entry(COLOR_BTNFACE), combo.At(0, 5)) << "the column left of it";
}

// An 8 x 8 opaque icon of one colour.
HICON SolidIcon(COLORREF clr)
{
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hColor = ::CreateCompatibleBitmap(hScreen, 8, 8);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hMem, hColor);
    RECT rc{0, 0, 8, 8};
    HBRUSH hBrush = ::CreateSolidBrush(clr);
    ::FillRect(hMem, &rc, hBrush);
    ::DeleteObject(hBrush);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::ReleaseDC(nullptr, hScreen);
    const WORD zeros[8] = {};
    HBITMAP hMask = ::CreateBitmap(8, 8, 1, 1, zeros);
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmMask = hMask;
    info.hbmColor = hColor;
    HICON hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(hMask);
    ::DeleteObject(hColor);
    return hIcon;
}

// Which of a button's images the default theme draws for each state, and
// where: pressed images sit one pixel right and down, disabled ones are an
// embossed silhouette unless disabled icons are asked for.
TEST(Office2000Theme, ImagesByState)
{
    const COLORREF normal = RGB(200, 0, 0), hot = RGB(0, 160, 0), pressed = RGB(0, 0, 190), checked = RGB(150, 150, 0),
                   disabled = RGB(120, 0, 120);
    const COLORREF shadow = Entry(COLOR_BTNSHADOW), light = Entry(COLOR_BTNHIGHLIGHT);
    struct Case
    {
        const char* name;
        int nSelected, nPressed, nEnabled, nChecked;
        BOOL bToolBarImage;
        BOOL bDisabledIcons;
        COLORREF clrAt44;    // the image's first pixel
        COLORREF clrAt1212;  // one pixel past its bottom-right corner
    };
    const Case cases[] = {
        {"idle shows the normal image", 0, 0, 1, 0, TRUE, FALSE, normal, kBack},
        {"hot shows the hot image", 1, 0, 1, 0, TRUE, FALSE, hot, kBack},
        {"pressed while hot is moved by a pixel", 1, 1, 1, 0, TRUE, FALSE, kBack, pressed},
        {"pressed by keyboard is moved by a pixel", 0, 2, 1, 0, TRUE, FALSE, kBack, pressed},
        {"held outside shows the hot image", 0, 1, 1, 0, TRUE, FALSE, hot, kBack},
        {"other pressed values draw nothing", 0, 4, 1, 0, TRUE, FALSE, kBack, kBack},
        {"checked shows the checked image", 1, 0, 1, 1, TRUE, FALSE, checked, kBack},
        {"an indeterminate check is a shadow silhouette", 0, 0, 1, 2, TRUE, FALSE, shadow, kBack},
        {"in a menu a hot item keeps the normal image", 1, 0, 1, 0, FALSE, FALSE, normal, kBack},
        {"in a menu a checked item shows the checked image", 1, 0, 1, 1, FALSE, FALSE, checked, kBack},
        {"disabled is embossed", 0, 0, 0, 0, TRUE, FALSE, shadow, light},
        {"disabled with disabled icons shows that image", 0, 0, 0, 0, TRUE, TRUE, disabled, kBack},
    };
    auto pTheme = MakeTheme();
    CLVKImageManagerIcon* pIcon = new CLVKImageManagerIcon(1, 8, 8, nullptr);
    pIcon->SetNormalImage(CLVKIconImage(SolidIcon(normal)));
    pIcon->SetHotImage(CLVKIconImage(SolidIcon(hot)));
    pIcon->SetPressedImage(CLVKIconImage(SolidIcon(pressed)));
    pIcon->SetCheckedImage(CLVKIconImage(SolidIcon(checked)));
    pIcon->SetDisabledImage(CLVKIconImage(SolidIcon(disabled)));
    for (const Case& c : cases)
    {
        pTheme->GetIconsInfo()->bUseDisabledIcons = c.bDisabledIcons;
        CPixelCanvas canvas(16, 16);
        pTheme->DrawImage(canvas.DC(), CPoint(4, 4), CSize(8, 8), pIcon, c.nSelected, c.nPressed, c.nEnabled,
                          c.nChecked, 0, c.bToolBarImage);
        EXPECT_EQ(c.clrAt44, canvas.At(4, 4)) << c.name;
        EXPECT_EQ(c.clrAt1212, canvas.At(12, 12)) << c.name;
        EXPECT_EQ(kBack, canvas.At(3, 3)) << c.name;
    }
    pIcon->InternalRelease();
}

TEST(PaintManagerResources, ARepaintCreatesNoGdiObjects)
{
    auto pTheme = MakeTheme();
    CPixelCanvas canvas(40, 40);
    const auto paint = [&]()
    {
        pTheme->DrawRectangle(canvas.DC(), CRect(0, 0, 20, 20), 0, 0, 1, 1, 0, 1, 0);
        pTheme->DrawMenuCheckMark(canvas.DC(), CRect(0, 0, 16, 16), COLOR_BTNTEXT);
        pTheme->DrawGlyphInRect(canvas.DC(), CRect(0, 0, 16, 16), COLOR_BTNTEXT);
        pTheme->Rectangle(canvas.DC(), CRect(2, 2, 30, 30), COLOR_BTNSHADOW, COLOR_BTNFACE);
        pTheme->Line(canvas.DC(), 0, 0, 10, 30, COLOR_BTNTEXT);
        pTheme->DrawTriangle(canvas.DC(), CPoint(1, 1), CPoint(9, 1), CPoint(1, 9), COLOR_BTNTEXT);
        pTheme->DrawComboDropDownButton(canvas.DC(), CRect(0, 0, 20, 20), 1, 1, FALSE);
        pTheme->DrawCircle(canvas.DC(), 0, 0, 9, 9, COLOR_BTNTEXT, COLOR_WINDOW);
    };
    paint();  // the first paint may make the objects that are kept (fonts, brushes)
    // Wine's GetGuiResources answers 0, so creations are counted at the
    // program's imports of GDI.
    CGdiCreationCounter counter;
    ASSERT_TRUE(counter.IsInstalled());
    for (int i = 0; i < 3; i++)
        paint();
    EXPECT_EQ(0, counter.GetCount());
    // The counter itself works: a line drawn through a pen of its own counts.
    CPen pen(PS_SOLID, 1, RGB(1, 1, 1));
    EXPECT_EQ(1, counter.GetCount());
}

// ---- resources ----------------------------------------------------------------------

TEST(CommandBarResources, StringsCursorAndWindowButtonsLoad)
{
    const HINSTANCE hModule = ::GetModuleHandleW(nullptr);
    struct Case
    {
        UINT nID;
        const wchar_t* text;
    };
    const Case strings[] = {
        {9122, L"\n&Add or Remove Buttons"},
        {9123, L"\n&Reset Toolbar"},
        {9148, L"\nToolbar Options"},
        {9149, L"\nClose"},
        {9173, L"Are you sure you want to reset the changes made to the '%s' toolbar?"},
        {9187, L"(%s) was pressed. Waiting for second key of chord..."},
        {0xE001, L"Ready"},
    };
    for (const Case& c : strings)
    {
        wchar_t sz[256] = {};
        ::LoadStringW(hModule, c.nID, sz, 256);
        EXPECT_EQ(std::wstring(c.text), std::wstring(sz)) << c.nID;
    }
    // Every edit command has a status text and, after the newline, a tooltip.
    for (UINT nID = 0xE120; nID <= 0xE12C; nID++)
    {
        wchar_t sz[256] = {};
        ASSERT_GT(::LoadStringW(hModule, nID, sz, 256), 0) << nID;
        const std::wstring text(sz);
        const size_t nBreak = text.find(L'\n');
        ASSERT_NE(std::wstring::npos, nBreak) << nID;
        EXPECT_GT(nBreak, 0u) << nID;
        EXPECT_LT(nBreak + 1, text.size()) << nID;
    }
    EXPECT_NE(nullptr, ::LoadCursorW(hModule, MAKEINTRESOURCEW(9972)));
    const HBITMAP hButtons = static_cast<HBITMAP>(::LoadImageW(hModule, MAKEINTRESOURCEW(9102), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(nullptr, hButtons);
    BITMAP bm{};
    ::GetObjectW(hButtons, sizeof(bm), &bm);
    EXPECT_EQ(64, bm.bmWidth);
    EXPECT_EQ(16, bm.bmHeight);
    ::DeleteObject(hButtons);
}

}  // namespace
