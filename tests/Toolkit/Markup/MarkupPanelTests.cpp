// The layout panels: each fixture drawn through the GDI device and read back
// exactly, and the arrangement rules seen in the children's final
// rectangles.
#include "MarkupFixtureCases.h"
#include "MarkupTestSupport.h"

#include "Markup/MarkupCanvas.h"
#include "Markup/MarkupDockPanel.h"
#include "Markup/MarkupDrawingContext.h"
#include "Markup/MarkupPanel.h"
#include "Markup/MarkupUIElementCollection.h"

namespace
{

// The final rectangle of child i of a panel root.
RECT ChildRect(CLVKMarkupUIElement* pRoot, int i)
{
    auto* const pPanel = MarkupCast<CLVKMarkupPanel>(pRoot);
    if (!pPanel || i >= pPanel->GetChildren()->GetCount())
    {
        ADD_FAILURE() << "no child " << i;
        return RECT{-1, -1, -1, -1};
    }
    return pPanel->GetChildren()->GetElement(i)->GetFinalRect();
}

void ExpectRect(const RECT& rc, int l, int t, int r, int b, const char* what)
{
    EXPECT_EQ(rc.left, l) << what;
    EXPECT_EQ(rc.top, t) << what;
    EXPECT_EQ(rc.right, r) << what;
    EXPECT_EQ(rc.bottom, b) << what;
}

}  // namespace

TEST(MarkupPanels, FixturesArrangeToExactPixels)
{
    ExpectMarkupFixturePixels(MarkupPanelFixtureCases(), false);
}

TEST(MarkupPanels, DockPanelEdges)
{
    MarkupContextHolder context;
    MarkupSurface surface(200, 100);

    // Without fill the last child keeps its desired width; the rest stays
    // empty.
    ElementHolder noFill(context.Parse(L"<DockPanel LastChildFill='False'><Border Width='30'/><Border Width='40'/>"
                                       L"</DockPanel>"));
    ASSERT_TRUE(noFill);
    surface.Render(noFill.Get());
    ExpectRect(ChildRect(noFill.Get(), 0), 0, 0, 30, 100, "first left child");
    ExpectRect(ChildRect(noFill.Get(), 1), 30, 0, 70, 100, "last child unfilled");

    // With fill (the default) it takes all that is left.
    ElementHolder fill(context.Parse(L"<DockPanel><Border Width='30'/><Border Width='40'/></DockPanel>"));
    ASSERT_TRUE(fill);
    surface.Render(fill.Get());
    ExpectRect(ChildRect(fill.Get(), 1), 30, 0, 200, 100, "last child filling");

    // A right child wider than the room it is arranged in starts at 0, and
    // the default rectangle of the next child never turns inside out.
    ElementHolder wide(context.Parse(L"<DockPanel LastChildFill='False'><Border DockPanel.Dock='Right' Width='150'/>"
                                     L"<Border DockPanel.Dock='Top' Height='10'/></DockPanel>"));
    ASSERT_TRUE(wide);
    {
        CLVKMarkupDrawingContext dc(nullptr, surface.GetHdc());
        wide->Measure(&dc, 300, 100);
        MarkupCast<CLVKMarkupDockPanel>(wide.Get())->ArrangeOverride(100, 100);
    }
    ExpectRect(ChildRect(wide.Get(), 0), 0, 0, 150, 100, "right child wider than the room");
    ExpectRect(ChildRect(wide.Get(), 1), 0, 0, 0, 10, "top child after it");

    // A dock value no word gives (only a script can set it) takes no strip:
    // the child gets the whole remaining rectangle and adds nothing to the
    // desired size.
    ElementHolder odd(context.Parse(L"<DockPanel LastChildFill='False' HorizontalAlignment='Left'>"
                                    L"<Border Width='30'/><Border Width='50' Background='Red'/></DockPanel>"));
    ASSERT_TRUE(odd);
    auto* const pOddPanel = MarkupCast<CLVKMarkupPanel>(odd.Get());
    CLVKMarkupDockPanel::SetDock(pOddPanel->GetChildren()->GetElement(1), 7);
    EXPECT_EQ(CLVKMarkupDockPanel::GetDock(pOddPanel->GetChildren()->GetElement(1)), 7);
    surface.Render(odd.Get());
    EXPECT_EQ(odd->GetDesiredSize().cx, 30);
    ExpectRect(ChildRect(odd.Get(), 1), 30, 0, 30, 100, "child with an unknown dock value");
}

TEST(MarkupPanels, ChangingDockRemeasuresTheDockPanel)
{
    MarkupContextHolder context;
    ElementHolder root(context.Parse(L"<DockPanel><Border Width='30' Background='Red'/><Border Background='Blue'/>"
                                     L"</DockPanel>"));
    ASSERT_TRUE(root);
    MarkupSurface surface(100, 100);
    surface.Render(root.Get());
    EXPECT_EQ(surface.Pixel(10, 50), RGB(255, 0, 0));
    EXPECT_EQ(surface.Pixel(90, 50), RGB(0, 0, 255));

    auto* const pFirst = MarkupCast<CLVKMarkupPanel>(root.Get())->GetChildren()->GetElement(0);
    CLVKMarkupDockPanel::SetDock(pFirst, CLVKMarkupDockPanel::kDockRight);
    surface.Render(root.Get());
    EXPECT_EQ(surface.Pixel(10, 50), RGB(0, 0, 255));
    EXPECT_EQ(surface.Pixel(90, 50), RGB(255, 0, 0));
}

TEST(MarkupPanels, StackAndWrapLayout)
{
    MarkupContextHolder context;
    MarkupSurface surface(200, 100);

    // A horizontal stack measures its children with unbounded width: the
    // desired width is their sum, the height the largest.
    ElementHolder across(context.Parse(L"<StackPanel Orientation='Horizontal' HorizontalAlignment='Left' "
                                       L"VerticalAlignment='Top'><Border Width='30' Height='10'/>"
                                       L"<Border Width='40' Height='25'/></StackPanel>"));
    ASSERT_TRUE(across);
    surface.Render(across.Get());
    EXPECT_EQ(across->GetDesiredSize().cx, 70);
    EXPECT_EQ(across->GetDesiredSize().cy, 25);
    ExpectRect(ChildRect(across.Get(), 1), 30, 0, 70, 25, "second child across");

    // A vertical wrap panel with item sizes: columns of two 40 x 50 cells.
    ElementHolder down(context.Parse(L"<WrapPanel Orientation='Vertical' ItemWidth='40' ItemHeight='50'>"
                                     L"<Border/><Border/><Border/></WrapPanel>"));
    ASSERT_TRUE(down);
    surface.Render(down.Get());
    ExpectRect(ChildRect(down.Get(), 0), 0, 0, 40, 50, "first cell");
    ExpectRect(ChildRect(down.Get(), 1), 0, 50, 40, 100, "second cell");
    ExpectRect(ChildRect(down.Get(), 2), 40, 0, 80, 50, "third cell, next column");
}

TEST(MarkupPanels, CanvasPositions)
{
    MarkupContextHolder context;
    MarkupSurface surface(200, 100);
    // The desired size ignores positions.
    ElementHolder root(context.Parse(L"<Canvas HorizontalAlignment='Left' VerticalAlignment='Top'>"
                                     L"<Border Canvas.Left='100' Width='30' Height='20'/></Canvas>"));
    ASSERT_TRUE(root);
    surface.Render(root.Get());
    EXPECT_EQ(root->GetDesiredSize().cx, 30);
    EXPECT_EQ(root->GetDesiredSize().cy, 20);

    // Set from code: Right of 10 in a canvas 200 wide places a 50-wide child
    // at 140; the getters answer 0 for what is not given.
    ElementHolder canvas(context.Parse(L"<Canvas><Border Width='50' Height='20'/></Canvas>"));
    ASSERT_TRUE(canvas);
    CLVKMarkupUIElement* const pChild = MarkupCast<CLVKMarkupPanel>(canvas.Get())->GetChildren()->GetElement(0);
    EXPECT_EQ(CLVKMarkupCanvas::GetLeft(pChild), 0);
    CLVKMarkupCanvas::SetRight(pChild, 10);
    CLVKMarkupCanvas::SetBottom(pChild, -5);
    EXPECT_EQ(CLVKMarkupCanvas::GetRight(pChild), 10);
    surface.Render(canvas.Get());
    ExpectRect(ChildRect(canvas.Get(), 0), 140, 85, 190, 105, "child placed from the far edges");
}
