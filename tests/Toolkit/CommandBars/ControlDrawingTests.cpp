// Controls and bars drawn by the default theme: the sizes controls measure
// on tool bars and in popups, the pixels of a menu bar and an open popup,
// keyboard cues, separators, bar frames, and the cross-fading off-screen
// cache of a bar.
#include "Framework.h"

#include "CommandBars/CommandBar.h"
#include "CommandBars/CommandBarAnimation.h"
#include "CommandBars/CommandBarsOffice2000Theme.h"
#include "CommandBars/Control.h"
#include "CommandBars/ControlButton.h"
#include "CommandBars/Controls.h"
#include "MessagePump.h"
#include "PaintTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{

// A bar the test places itself (type and position) that paints one colour
// when asked to draw itself.
class CTestBar : public CLVKCommandBar
{
public:
    void Place(int nType, int nPosition)
    {
        m_nType = nType;
        m_nPosition = nPosition;
    }
    void DrawCommandBar(CDC* pDC, CRect rcClipBox) override
    {
        if (m_bPlainFill)
        {
            CRect rc;
            GetClientRect(&rc);
            pDC->FillSolidRect(&rc, m_clrFill);
            return;
        }
        CLVKCommandBar::DrawCommandBar(pDC, rcClipBox);
    }
    BOOL m_bPlainFill = FALSE;
    COLORREF m_clrFill = RGB(0, 0, 0);
};

// A button whose hot and pressed states the test sets.
class CTestButton : public CLVKControlButton
{
public:
    void SetStates(int nHot, int nPressed)
    {
        m_nPressedState = nHot;
        m_nExecuteState = nPressed;
    }
};

// A bar of a type and position with the distinct-colour default theme, and
// its window when asked.
class BarFixture : public ::testing::Test
{
protected:
    void MakeBar(int nType, int nPosition, CSize szWindow = CSize(0, 0))
    {
        m_pBar = new CTestBar;
        m_pBar->Place(nType, nPosition);
        auto pTheme = MakeTheme();
        m_pTheme = pTheme.get();
        m_pBar->SetPaintManager(pTheme.release());
        if (szWindow.cx > 0)
        {
            m_pBar->CreateEx(0, AfxRegisterWndClass(0), L"Bar", WS_POPUP, CRect(CPoint(0, 0), szWindow), nullptr, 0);
        }
    }
    void TearDown() override
    {
        if (m_pBar)
            m_pBar->InternalRelease();
    }
    CTestButton* AddButton(LPCTSTR lpszCaption, int nId = 0)
    {
        CTestButton* pButton = new CTestButton;
        m_pBar->GetControls()->AddControl(pButton, nId);
        pButton->SetCaption(lpszCaption);
        return pButton;
    }
    CLVKControl* Add(int nType, LPCTSTR lpszCaption, int nId = 0)
    {
        CLVKControl* pControl = m_pBar->GetControls()->Add(nType, nId);
        pControl->SetCaption(lpszCaption);
        return pControl;
    }
    CSize TextSize(LPCTSTR lpszText)
    {
        CClientDC dc(nullptr);
        CFont* pOld = dc.SelectObject(m_pTheme->m_fontRegular.GetFont());
        const CSize sz = dc.GetTextExtent(lpszText, lstrlenW(lpszText));
        dc.SelectObject(pOld);
        return sz;
    }
    CSize Measure(CLVKControl* pControl)
    {
        CClientDC dc(nullptr);
        return m_pTheme->DrawControl(&dc, pControl, FALSE);
    }

    CTestBar* m_pBar = nullptr;
    CLVKCommandBarsOffice2000Theme* m_pTheme = nullptr;
};

// ---- measuring ------------------------------------------------------------------------

TEST_F(BarFixture, ToolBarButtonsMeasureTheirCaptionAndTakeTheirOwnWidth)
{
    MakeBar(kBarTypeToolBar, lvkBarTop);
    CLVKControl* pButton = AddButton(L"Open");
    const CSize szText = TextSize(L"Open");
    const int nButtonHeight = pButton->GetButtonSize().cy;
    EXPECT_EQ(CSize(szText.cx + ScaleX(8), std::max<int>(nButtonHeight, szText.cy + ScaleY(6))), Measure(pButton));
    pButton->SetWidth(100);
    EXPECT_EQ(100, Measure(pButton).cx);
}

TEST_F(BarFixture, LargeButtonsFollowTheEditHeight)
{
    MakeBar(kBarTypeToolBar, lvkBarTop);
    CLVKControl* pButton = AddButton(L"Go");
    pButton->SetStyle(kStyleLarge);
    m_pTheme->m_nEditHeight = 22;
    EXPECT_EQ(CSize(std::max(ScaleX(42), 41), 66), Measure(pButton));
}

TEST_F(BarFixture, PopupsOnToolBarsReserveTheArrowAndTheAddOrRemoveButtonsPopupMore)
{
    MakeBar(kBarTypeToolBar, lvkBarTop);
    CLVKControl* pPopup = Add(kControlPopup, L"Tools");
    CLVKControl* pAddRemove = Add(kControlPopup, L"Tools", 9122);
    const CSize szText = TextSize(L"Tools");
    const int nArrow = ScaleY(10) + ScaleX(2);
    EXPECT_EQ(CSize(szText.cx + nArrow + ScaleX(6), szText.cy + ScaleY(6)), Measure(pPopup));
    EXPECT_EQ(CSize(szText.cx + nArrow + ScaleX(14), szText.cy + ScaleY(10)), Measure(pAddRemove));
}

TEST_F(BarFixture, SplitButtonsLeaveTheirDropDownPart)
{
    MakeBar(kBarTypeToolBar, lvkBarTop);
    CLVKControl* pSplit = Add(kControlSplitButton, L"Undo");
    pSplit->SetRect(CRect(10, 0, 60, 22));
    EXPECT_EQ(CRect(10, 0, 60 - (m_pTheme->m_nSplitDropDownWidth + 1), 22), m_pTheme->GetSplitDropDownRect(pSplit));
    m_pBar->Place(kBarTypePopup, lvkBarPopup);
    EXPECT_EQ(CRect(10, 0, 60 - m_pTheme->m_nSplitPopupWidth, 22), m_pTheme->GetSplitDropDownRect(pSplit));
}

TEST_F(BarFixture, PopupItemsMeasureCaptionShortcutColumnAndGap)
{
    MakeBar(kBarTypePopup, lvkBarPopup);
    CLVKControl* pItem = AddButton(L"&Open");
    pItem->SetShortcutText(L"Ctrl+O");
    const int nColumn = m_pTheme->GetPopupBarGripperWidth(m_pBar) - ScaleX(1);
    EXPECT_GT(nColumn, 0);
    const CSize sz = Measure(pItem);
    const int nExpected =
        TextSize(L"Open").cx + TextSize(L"Ctrl+O").cx + ScaleX(32) + m_pTheme->m_nIconTextGap + nColumn;
    EXPECT_EQ(nExpected, sz.cx);
    EXPECT_EQ(m_pTheme->GetExpandButtonSize(m_pBar).cy, sz.cy);
    EXPECT_EQ(0, m_pTheme->GetPopupBarGripperWidth(nullptr)) << "a tool bar has no icon column";
}

TEST_F(BarFixture, SplitPopupWithOnlyItsDropDownEnabledDrawsItsTextDisabled)
{
    MakeBar(kBarTypePopup, lvkBarPopup);
    CLVKControl* pSplit = Add(kControlSplitButton, L"Paste");
    pSplit->SetEnabled(5);
    EXPECT_EQ(Entry(COLOR_GRAYTEXT), m_pTheme->GetControlTextColor(pSplit));
    pSplit->SetEnabled(4);
    EXPECT_EQ(Entry(COLOR_BTNTEXT), m_pTheme->GetControlTextColor(pSplit));
    pSplit->SetStyle(kStyleLarge);
    EXPECT_EQ(Entry(COLOR_GRAYTEXT), m_pTheme->GetControlTextColor(pSplit)) << "style 4: 4 disables the text";
}

// ---- pixels ---------------------------------------------------------------------------

TEST_F(BarFixture, MenuBarAndOpenPopupPixels)
{
    MakeBar(kBarTypePopup, lvkBarPopup, CSize(160, 80));
    CTestButton* pHot = AddButton(L"Open");
    CTestButton* pChecked = AddButton(L"Ruler");
    CLVKControl* pSub = Add(kControlPopup, L"Recent");
    pHot->SetRect(CRect(3, 3, 157, 25));
    pChecked->SetRect(CRect(3, 25, 157, 47));
    pSub->SetRect(CRect(3, 47, 157, 69));
    pHot->SetStates(1, 0);
    pChecked->SetChecked(1);

    CPixelCanvas canvas(160, 80);
    canvas.DC()->SetBkMode(TRANSPARENT);
    m_pTheme->FillCommandBarEntry(canvas.DC(), m_pBar);
    for (int i = 0; i < m_pBar->GetControlCount(); i++)
        m_pTheme->DrawControl(canvas.DC(), m_pBar->GetControl(i), TRUE);

    // A popup's frame: face and dark shadow outside, raised inside.
    EXPECT_EQ(Entry(COLOR_BTNFACE), canvas.At(0, 0));
    EXPECT_EQ(Entry(COLOR_3DDKSHADOW), canvas.At(159, 79));
    EXPECT_EQ(Entry(COLOR_BTNHIGHLIGHT), canvas.At(1, 1));
    EXPECT_EQ(Entry(COLOR_BTNSHADOW), canvas.At(158, 78));
    // The hot item's text part is filled with the highlight colour and its
    // text drawn in the highlighted-text colour.
    EXPECT_EQ(Entry(COLOR_HIGHLIGHT), canvas.At(150, 5));
    int nHighlightText = 0;
    for (int y = 3; y < 25; y++)
    {
        for (int x = 3; x < 157; x++)
            nHighlightText += canvas.At(x, y) == Entry(COLOR_HIGHLIGHTTEXT) ? 1 : 0;
    }
    EXPECT_GT(nHighlightText, 0);
    // The checked item: its icon cell shows the checkerboard, and the check
    // glyph is drawn in the menu-text colour.
    const int nCell = std::max<int>(m_pTheme->GetButtonHeight(), 16 + ScaleX(4));
    EXPECT_NE(canvas.At(5, 27), canvas.At(6, 27));
    int nMark = 0;
    for (int y = 25; y < 47; y++)
    {
        for (int x = 3; x < 3 + nCell; x++)
            nMark += canvas.At(x, y) == Entry(COLOR_BTNTEXT) ? 1 : 0;
    }
    EXPECT_GT(nMark, 0);
    // The sub-menu item's arrow sits in the square at its right end.
    EXPECT_GT(canvas.CountNot(Entry(COLOR_BTNFACE), CRect(157 - 22 + ScaleX(4), 47, 157, 69)), 0);
    EXPECT_EQ(0, canvas.CountNot(Entry(COLOR_BTNFACE), CRect(100, 47, 120, 69))) << "nothing between text and arrow";
}

TEST_F(BarFixture, RepaintingBarsAndTheirControlsCreatesNoGdiObjects)
{
    MakeBar(kBarTypePopup, lvkBarPopup, CSize(160, 80));
    CTestButton* pHot = AddButton(L"&Open");
    pHot->SetShortcutText(L"Ctrl+O");
    CTestButton* pChecked = AddButton(L"Ruler");
    CLVKControl* pSub = Add(kControlPopup, L"Recent");
    CLVKControl* pRadio = AddButton(L"Large");
    pRadio->SetType(kControlRadioButton);
    pHot->SetRect(CRect(3, 3, 157, 21));
    pChecked->SetRect(CRect(3, 21, 157, 39));
    pSub->SetRect(CRect(3, 39, 157, 57));
    pRadio->SetRect(CRect(3, 57, 157, 75));
    pHot->SetStates(1, 0);
    pChecked->SetChecked(1);
    pRadio->SetChecked(1);
    CPixelCanvas canvas(160, 80);
    const auto repaint = [&]()
    {
        m_pTheme->FillCommandBarEntry(canvas.DC(), m_pBar);
        for (int i = 0; i < m_pBar->GetControlCount(); i++)
            m_pTheme->DrawControl(canvas.DC(), m_pBar->GetControl(i), TRUE);
        m_pBar->Place(kBarTypeMenuBar, lvkBarTop);
        for (int i = 0; i < m_pBar->GetControlCount(); i++)
            m_pTheme->DrawControl(canvas.DC(), m_pBar->GetControl(i), TRUE);
        m_pTheme->DrawCommandBarFrame(canvas.DC(), m_pBar, TRUE);
        m_pBar->Place(kBarTypePopup, lvkBarPopup);
    };
    repaint();  // the first paint may make the objects that are kept
    CGdiCreationCounter counter;
    ASSERT_TRUE(counter.IsInstalled());
    repaint();
    repaint();
    EXPECT_EQ(0, counter.GetCount());
}

TEST_F(BarFixture, KeyboardCuesFollowTheModeOverTheBar)
{
    MakeBar(kBarTypeMenuBar, lvkBarTop);
    CLVKControl* pFile = Add(kControlPopup, L"&File");
    pFile->SetRect(CRect(0, 0, 60, 22));
    const auto drawnPixels = [&](int nMode)
    {
        m_pTheme->m_nKeyboardCuesMode = nMode;
        CPixelCanvas canvas(60, 22);
        canvas.DC()->SetBkMode(TRANSPARENT);
        canvas.DC()->SetTextColor(RGB(0, 0, 0));
        m_pTheme->DrawControl(canvas.DC(), pFile, TRUE);
        return canvas.CountNot(kBack, CRect(0, 0, 60, 22));
    };
    const int nHidden = drawnPixels(0);
    const int nShown = drawnPixels(1);
    EXPECT_GT(nHidden, 0);
    EXPECT_GT(nShown, nHidden) << "the underline of F";
}

TEST_F(BarFixture, SeparatorsOfWrappedAndGroupedControls)
{
    MakeBar(kBarTypeToolBar, lvkBarTop);
    CLVKControl* pButton = AddButton(L"Cut");
    pButton->SetRowRect(CRect(0, 30, 100, 52));
    pButton->SetRect(CRect(20, 30, 42, 52));
    CClientDC screen(nullptr);
    EXPECT_EQ(CSize(ScaleX(6), ScaleY(6)), m_pTheme->DrawCommandBarSeparator(&screen, m_pBar, nullptr, FALSE));

    pButton->SetWrap(TRUE);
    CPixelCanvas wrapped(110, 60);
    m_pTheme->DrawCommandBarSeparator(wrapped.DC(), m_pBar, pButton, TRUE);
    EXPECT_EQ(kBack, wrapped.At(3, 26));
    EXPECT_EQ(Entry(COLOR_BTNSHADOW), wrapped.At(10, 26));
    EXPECT_EQ(Entry(COLOR_BTNHIGHLIGHT), wrapped.At(10, 27));
    EXPECT_EQ(kBack, wrapped.At(10, 28));
    EXPECT_EQ(kBack, wrapped.At(100, 26)) << "up to the row's right edge";

    pButton->SetWrap(FALSE);
    CPixelCanvas grouped(110, 60);
    m_pTheme->DrawCommandBarSeparator(grouped.DC(), m_pBar, pButton, TRUE);
    EXPECT_EQ(Entry(COLOR_BTNSHADOW), grouped.At(16, 40));
    EXPECT_EQ(Entry(COLOR_BTNHIGHLIGHT), grouped.At(17, 40));
    EXPECT_EQ(kBack, grouped.At(18, 40));
}

TEST_F(BarFixture, DockedBarsLoseTheirFrameWhenFlatAndFloatingBarsKeepBoth)
{
    MakeBar(kBarTypeToolBar, lvkBarTop, CSize(80, 30));
    struct Case
    {
        const char* name;
        int nPosition;
        DWORD dwFlags;
        COLORREF clrCorner;
        COLORREF clrInner;
    };
    const Case cases[] = {
        {"docked", lvkBarTop, 0, Entry(COLOR_BTNHIGHLIGHT), Entry(COLOR_BTNFACE)},
        {"docked flat", lvkBarTop, 0x80, Entry(COLOR_BTNFACE), Entry(COLOR_BTNFACE)},
        {"floating", lvkBarFloating, 0x80, Entry(COLOR_BTNFACE), Entry(COLOR_BTNHIGHLIGHT)},
    };
    for (const Case& c : cases)
    {
        m_pBar->Place(kBarTypeToolBar, c.nPosition);
        m_pBar->SetFlags(c.dwFlags, 0x80 & ~c.dwFlags);
        CPixelCanvas canvas(80, 30);
        m_pTheme->FillCommandBarEntry(canvas.DC(), m_pBar);
        EXPECT_EQ(c.clrCorner, canvas.At(0, 0)) << c.name;
        EXPECT_EQ(c.clrInner, canvas.At(1, 1)) << c.name;
        EXPECT_EQ(Entry(COLOR_BTNFACE), canvas.At(40, 15)) << c.name;
    }
}

TEST_F(BarFixture, GrippersOfDockedBars)
{
    MakeBar(kBarTypeToolBar, lvkBarTop, CSize(80, 30));
    CClientDC screen(nullptr);
    EXPECT_EQ(CSize(ScaleX(6), 0), m_pTheme->DrawCommandBarFrame(&screen, m_pBar, FALSE));
    m_pBar->Place(kBarTypeToolBar, lvkBarLeft);
    EXPECT_EQ(CSize(0, ScaleY(8)), m_pTheme->DrawCommandBarFrame(&screen, m_pBar, FALSE));
    m_pBar->Place(kBarTypeToolBar, lvkBarNone);
    EXPECT_EQ(CSize(0, 0), m_pTheme->DrawCommandBarFrame(&screen, m_pBar, FALSE));

    m_pBar->Place(kBarTypeToolBar, lvkBarTop);
    CPixelCanvas canvas(80, 30);
    m_pTheme->DrawCommandBarFrame(canvas.DC(), m_pBar, TRUE);
    EXPECT_EQ(Entry(COLOR_BTNHIGHLIGHT), canvas.At(3, 10));
    EXPECT_EQ(Entry(COLOR_BTNSHADOW), canvas.At(5, 10));
    EXPECT_EQ(kBack, canvas.At(6, 10));
}

TEST_F(BarFixture, ExcludedAreasOfPopupsByBar)
{
    MakeBar(kBarTypeToolBar, lvkBarTop);
    CLVKControl* pButton = AddButton(L"Cut");
    CRect rc(10, 10, 20, 20);
    m_pTheme->AdjustExcludeRect(rc, pButton, FALSE);
    EXPECT_EQ(CRect(9, 10, 21, 20), rc);
    rc.SetRect(10, 10, 20, 20);
    m_pTheme->AdjustExcludeRect(rc, pButton, TRUE);
    EXPECT_EQ(CRect(10, 9, 20, 21), rc);
    m_pBar->Place(kBarTypePopup, lvkBarPopup);
    rc.SetRect(10, 10, 20, 20);
    m_pTheme->AdjustExcludeRect(rc, pButton, FALSE);
    EXPECT_EQ(CRect(11, 10, 19, 20), rc);
}

TEST_F(BarFixture, FloatingBarsShowTheirTitleInTheCaptionColours)
{
    MakeBar(kBarTypeToolBar, lvkBarFloating, CSize(120, 60));
    m_pBar->SetTitle(L"Tools");
    m_pTheme->RefreshMetrics();  // the title colours follow the (custom) table
    CPixelCanvas canvas(120, 60);
    const CSize sz = m_pTheme->DrawCommandBarFrame(canvas.DC(), m_pBar, TRUE);
    EXPECT_EQ(120 - 2 * ScaleX(3), sz.cx);
    EXPECT_GE(sz.cy, ScaleY(15));
    EXPECT_EQ(Entry(COLOR_ACTIVECAPTION), canvas.At(ScaleX(3), ScaleY(3)));
    EXPECT_EQ(kBack, canvas.At(1, 1));
    int nTitleText = 0;
    for (int y = ScaleY(3); y < ScaleY(3) + sz.cy; y++)
    {
        for (int x = ScaleX(3); x < 120 - ScaleX(3); x++)
            nTitleText += canvas.At(x, y) != Entry(COLOR_ACTIVECAPTION) ? 1 : 0;
    }
    EXPECT_GT(nTitleText, 0) << "the title is written";
    EXPECT_EQ(sz, m_pTheme->GetBarTextHeight(m_pBar));
}

TEST_F(BarFixture, TheExpandButtonIsPlacedAtTheEndOfTheBar)
{
    MakeBar(kBarTypeToolBar, lvkBarTop);
    CLVKControl* pExpand = Add(kControlButtonPopup, L"");
    CClientDC screen(nullptr);
    m_pTheme->FillControlBackground(&screen, lvkSystemButtonExpand, pExpand, m_pBar, FALSE, CSize(200, 26));
    EXPECT_EQ(CRect(200 - ScaleX(11) - ScaleX(2), ScaleY(2), 200 - ScaleX(2), 26 - ScaleY(2)), pExpand->GetRect());
    m_pBar->Place(kBarTypeToolBar, lvkBarLeft);
    m_pTheme->FillControlBackground(&screen, lvkSystemButtonExpand, pExpand, m_pBar, FALSE, CSize(26, 200));
    EXPECT_EQ(CRect(ScaleX(2), 200 - ScaleY(11) - ScaleY(2), 26 - ScaleX(2), 200 - ScaleY(2)), pExpand->GetRect());
    EXPECT_EQ(CSize(0, ScaleY(12)), m_pTheme->FillControlBackground(&screen, lvkSystemButtonPopupExpand, pExpand,
                                                                    m_pBar, FALSE, CSize(0, 0)));
}

TEST_F(BarFixture, TheExpandAnimationEndsWithEveryBandAtFullHeight)
{
    MakeBar(kBarTypePopup, lvkBarPopup, CSize(50, 40));
    const struct
    {
        int nTop, nBottom;
        BOOL bRarelyUsed;
        COLORREF clr;
    } bands[] = {{0, 10, FALSE, RGB(200, 0, 0)}, {10, 30, TRUE, RGB(0, 200, 0)}, {30, 40, FALSE, RGB(0, 0, 200)}};
    CPixelCanvas source(50, 40);
    for (const auto& band : bands)
    {
        CLVKControl* pItem = AddButton(L"Item");
        pItem->SetRect(CRect(0, band.nTop, 50, band.nBottom));
        pItem->SetRarelyUsed(band.bRarelyUsed);
        source.DC()->FillSolidRect(0, band.nTop, 50, band.nBottom - band.nTop, band.clr);
    }
    m_pTheme->m_nAnimationTime = 0;
    for (BOOL bDownward : {TRUE, FALSE})
    {
        m_pTheme->m_nAnimationSteps = 3;
        CPixelCanvas dest(50, 40);
        m_pTheme->AnimateSlide(m_pBar, dest.DC(), source.DC(), bDownward);
        for (const auto& band : bands)
            EXPECT_EQ(band.clr, dest.At(25, (band.nTop + band.nBottom) / 2)) << bDownward;
        m_pTheme->m_nAnimationSteps = 0;
        CPixelCanvas untouched(50, 40);
        m_pTheme->AnimateSlide(m_pBar, untouched.DC(), source.DC(), bDownward);
        EXPECT_EQ(kBack, untouched.At(25, 20)) << "no steps: nothing";
    }
}

// ---- the off-screen cache and cross-fades ---------------------------------------------

class AnimationFixture : public BarFixture
{
protected:
    void SetUp() override
    {
        MakeBar(kBarTypeToolBar, lvkBarTop, CSize(100, 20));
        m_pBar->m_bPlainFill = TRUE;
        m_pBar->m_clrFill = RGB(10, 10, 10);
        m_pAnimation = std::make_unique<CLVKCommandBarAnimation>(m_pBar);
    }
    void TearDown() override
    {
        m_pAnimation.reset();
        BarFixture::TearDown();
    }
    // Paints the bar as WM_PAINT would and answers a pixel of the result.
    COLORREF Paint(CPixelCanvas& canvas, CPoint pt)
    {
        m_pAnimation->OnPaint(canvas.DC(), CRect(0, 0, 100, 20));
        return canvas.At(pt.x, pt.y);
    }
    std::unique_ptr<CLVKCommandBarAnimation> m_pAnimation;
};

TEST_F(AnimationFixture, WithoutAnimationOrCacheEveryPaintIsBufferedAndNothingIsKept)
{
    CPixelCanvas canvas(100, 20);
    EXPECT_EQ(RGB(10, 10, 10), Paint(canvas, CPoint(50, 10)));
    EXPECT_FALSE(m_pAnimation->HasCachedImage());
    m_pAnimation->RedrawRect(CRect(0, 0, 10, 10), TRUE);
    EXPECT_FALSE(m_pAnimation->IsTimerRunning());
}

TEST_F(AnimationFixture, AnUnchangedRedrawStartsNothingAndAChangeFadesInSixSteps)
{
    m_pAnimation->EnableAnimation(TRUE);
    CPixelCanvas canvas(100, 20);
    Paint(canvas, CPoint(0, 0));
    ASSERT_TRUE(m_pAnimation->HasCachedImage());

    m_pAnimation->RedrawRect(CRect(0, 0, 50, 20), TRUE);
    EXPECT_EQ(0, m_pAnimation->GetAnimationCount());
    EXPECT_FALSE(m_pAnimation->IsTimerRunning());

    m_pBar->m_clrFill = RGB(200, 200, 200);
    m_pAnimation->RedrawRect(CRect(0, 0, 50, 20), TRUE);
    ASSERT_EQ(1, m_pAnimation->GetAnimationCount());
    EXPECT_TRUE(m_pAnimation->IsTimerRunning());
    EXPECT_EQ(2, m_pAnimation->GetAnimation(0)->m_nStep) << "the first step is drawn at once";
    // The cache already holds the new look inside the rectangle only.
    CPixelCanvas cached(100, 20);
    EXPECT_EQ(RGB(200, 200, 200), Paint(cached, CPoint(10, 10)));
    EXPECT_EQ(RGB(10, 10, 10), cached.At(80, 10));

    m_pBar->m_clrFill = RGB(10, 10, 10);  // back to the old look: a new fade over the same place
    m_pAnimation->RedrawRect(CRect(0, 0, 50, 20), TRUE);
    ASSERT_EQ(1, m_pAnimation->GetAnimationCount()) << "the covering fade replaced the first";
    for (int i = 0; i < 4; i++)
        m_pAnimation->OnAnimationTimer();
    EXPECT_EQ(1, m_pAnimation->GetAnimationCount());
    m_pAnimation->OnAnimationTimer();
    EXPECT_EQ(0, m_pAnimation->GetAnimationCount());
    EXPECT_FALSE(m_pAnimation->IsTimerRunning());
}

TEST_F(AnimationFixture, OverlappingFadesAndRedrawsWithoutAnimation)
{
    m_pAnimation->EnableAnimation(TRUE);
    CPixelCanvas canvas(100, 20);
    Paint(canvas, CPoint(0, 0));

    m_pBar->m_clrFill = RGB(50, 0, 0);
    m_pAnimation->RedrawRect(CRect(0, 0, 40, 20), TRUE);
    m_pBar->m_clrFill = RGB(0, 50, 0);
    m_pAnimation->RedrawRect(CRect(30, 0, 70, 20), TRUE);
    EXPECT_EQ(2, m_pAnimation->GetAnimationCount()) << "a partly covering fade leaves the earlier one";

    m_pBar->m_clrFill = RGB(0, 0, 50);
    m_pAnimation->RedrawRect(CRect(35, 0, 45, 20), FALSE);
    ASSERT_EQ(2, m_pAnimation->GetAnimationCount());
    EXPECT_EQ(1u, m_pAnimation->GetAnimation(0)->m_arrExcluded.size());
    EXPECT_EQ(1u, m_pAnimation->GetAnimation(1)->m_arrExcluded.size());

    m_pAnimation->RedrawRect(CRect(0, 0, 100, 20), FALSE);
    EXPECT_EQ(0, m_pAnimation->GetAnimationCount()) << "a redraw covering them all ends them";
    EXPECT_FALSE(m_pAnimation->IsTimerRunning());
}

TEST_F(AnimationFixture, ResizingDiscardsTheCacheAndDestroyingDropsIt)
{
    m_pAnimation->EnableOffscreenCache(TRUE);
    CPixelCanvas canvas(100, 20);
    Paint(canvas, CPoint(0, 0));
    ASSERT_TRUE(m_pAnimation->HasCachedImage());
    EXPECT_EQ(CSize(100, 20), m_pAnimation->GetCacheSize());

    m_pBar->SetWindowPos(nullptr, 0, 0, 60, 20, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    m_pBar->m_clrFill = RGB(90, 90, 90);
    CPixelCanvas after(100, 20);
    EXPECT_EQ(RGB(90, 90, 90), Paint(after, CPoint(30, 10)));
    EXPECT_EQ(CSize(60, 20), m_pAnimation->GetCacheSize());

    m_pAnimation->OnDestroy();
    EXPECT_FALSE(m_pAnimation->HasCachedImage());
}

TEST_F(BarFixture, ABarPaintsThroughItsAnimationObjectAndFadesItsRedraws)
{
    MakeBar(kBarTypeToolBar, lvkBarTop, CSize(100, 20));
    m_pBar->m_bPlainFill = TRUE;
    m_pBar->m_clrFill = RGB(10, 10, 10);
    m_pBar->EnableAnimation(TRUE);
    EXPECT_TRUE(m_pBar->IsAnimationEnabled());
    m_pBar->ShowWindow(SW_SHOWNOACTIVATE);
    m_pBar->UpdateWindow();
    CLVKCommandBarAnimation* pAnimation = m_pBar->GetAnimation();
    ASSERT_NE(nullptr, pAnimation);
    EXPECT_TRUE(pAnimation->HasCachedImage()) << "WM_PAINT went through the animation object";

    m_pBar->m_clrFill = RGB(200, 200, 200);
    const CRect rc(0, 0, 40, 20);
    m_pBar->Redraw(&rc, TRUE);
    EXPECT_EQ(1, pAnimation->GetAnimationCount());
    EXPECT_TRUE(pAnimation->IsTimerRunning());
    // Timer 707907 steps the fade on the bar's own window.
    EXPECT_TRUE(PumpMessagesUntil([&] { return pAnimation->GetAnimationCount() == 0; }));
    EXPECT_EQ(0, pAnimation->GetAnimationCount());
    EXPECT_FALSE(pAnimation->IsTimerRunning());
    m_pBar->DestroyWindow();
    EXPECT_FALSE(pAnimation->HasCachedImage()) << "destroying the window drops the cache";
}

}  // namespace
