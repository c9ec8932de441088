// Grid sizing seen in the children's final rectangles: no definitions,
// spanning children, star columns measured without a width limit, too little
// room, odd star weights, clamped cells and cells changed after layout.
#include "MarkupTestSupport.h"

#include "Markup/MarkupGrid.h"
#include "Markup/MarkupPanel.h"
#include "Markup/MarkupUIElementCollection.h"

namespace
{

CLVKMarkupUIElement* Child(CLVKMarkupUIElement* pRoot, int i)
{
    auto* const pPanel = MarkupCast<CLVKMarkupPanel>(pRoot);
    return pPanel ? pPanel->GetChildren()->GetElement(i) : nullptr;
}

struct GridCase
{
    const wchar_t* name;
    const wchar_t* markup;
    int width, height;
    // The final rectangle of each child, in order.
    std::vector<RECT> rects;
};

}  // namespace

TEST(MarkupGrid, ChildrenGetTheirCells)
{
    const GridCase cases[] = {
        {L"no definitions: every child covers the grid",
         L"<Grid><Border Width='10'/><Border Grid.Column='3'/></Grid>",
         100,
         50,
         {{0, 0, 100, 50}, {0, 0, 100, 50}}},
        {L"a child across an Auto and a Pixel column within their minima changes nothing",
         L"<Grid HorizontalAlignment='Left'><Grid.ColumnDefinitions><ColumnDefinition Width='Auto'/>"
         L"<ColumnDefinition Width='30'/></Grid.ColumnDefinitions><Border Width='20'/>"
         L"<Border Grid.ColumnSpan='2' Width='40'/><Border Grid.Column='1'/></Grid>",
         200,
         50,
         {{0, 0, 20, 50}, {0, 0, 50, 50}, {20, 0, 50, 50}}},
        {L"a wider one raises both",
         L"<Grid HorizontalAlignment='Left'><Grid.ColumnDefinitions><ColumnDefinition Width='Auto'/>"
         L"<ColumnDefinition Width='30'/></Grid.ColumnDefinitions><Border Width='20'/>"
         L"<Border Grid.ColumnSpan='2' Width='80'/><Border Grid.Column='1'/></Grid>",
         200,
         50,
         {{0, 0, 40, 50}, {0, 0, 80, 50}, {40, 0, 80, 50}}},
        {L"star columns measured without a width limit size as Auto, then keep their minima",
         L"<StackPanel Orientation='Horizontal'><Grid><Grid.ColumnDefinitions><ColumnDefinition Width='*'/>"
         L"<ColumnDefinition Width='2*'/></Grid.ColumnDefinitions><Border Width='30'/>"
         L"<Border Grid.Column='1' Width='30'/></Grid></StackPanel>",
         200,
         50,
         {{0, 0, 60, 50}}},
        {L"too little room: the star column gives way, the pixel column keeps its minimum",
         L"<Grid><Grid.ColumnDefinitions><ColumnDefinition Width='100'/><ColumnDefinition Width='*'/>"
         L"</Grid.ColumnDefinitions><Border/><Border Grid.Column='1'/></Grid>",
         60,
         50,
         {{0, 0, 100, 50}, {100, 0, 100, 50}}},
        {L"a negative star weight counts as 0",
         L"<Grid><Grid.ColumnDefinitions><ColumnDefinition Width='-1*'/><ColumnDefinition Width='*'/>"
         L"</Grid.ColumnDefinitions><Border/><Border Grid.Column='1'/></Grid>",
         100,
         50,
         {{0, 0, 0, 50}, {0, 0, 100, 50}}},
        {L"cells beyond the table are clamped; spans end at the last definition",
         L"<Grid><Grid.ColumnDefinitions><ColumnDefinition Width='20'/><ColumnDefinition Width='30'/>"
         L"</Grid.ColumnDefinitions><Grid.RowDefinitions><RowDefinition Height='10'/><RowDefinition/>"
         L"</Grid.RowDefinitions><Border Grid.Column='7' Grid.Row='9'/><Border Grid.ColumnSpan='5' "
         L"Grid.RowSpan='0'/><Border Grid.Row='-3' Grid.Column='-1' Grid.ColumnSpan='-2'/></Grid>",
         100,
         50,
         {{20, 10, 50, 50}, {0, 0, 50, 10}, {0, 0, 20, 10}}},
    };
    for (const GridCase& c : cases)
    {
        MarkupContextHolder context;
        std::wstring error;
        ElementHolder root(context.Parse(c.markup, &error));
        ASSERT_TRUE(root) << c.name << ": " << error;
        MarkupSurface surface(c.width, c.height);
        surface.Render(root.Get());
        // The stack-panel case looks at the grid inside it.
        CLVKMarkupUIElement* const pGrid = MarkupCast<CLVKMarkupGrid>(root.Get()) ? root.Get() : Child(root.Get(), 0);
        ASSERT_TRUE(pGrid) << c.name;
        if (pGrid != root.Get())
        {
            const RECT& rc = pGrid->GetFinalRect();
            EXPECT_EQ(rc.right - rc.left, c.rects[0].right) << c.name;
            const RECT rcFirst = Child(pGrid, 0)->GetFinalRect();
            const RECT rcSecond = Child(pGrid, 1)->GetFinalRect();
            EXPECT_EQ(rcFirst.right - rcFirst.left, 30) << c.name;
            EXPECT_EQ(rcSecond.left, 30) << c.name;
            EXPECT_EQ(rcSecond.right, 60) << c.name;
            continue;
        }
        for (size_t i = 0; i < c.rects.size(); ++i)
        {
            const RECT rc = Child(pGrid, static_cast<int>(i))->GetFinalRect();
            EXPECT_TRUE(EqualRect(&rc, &c.rects[i])) << c.name << ": child " << i << " at " << rc.left << "," << rc.top
                                                     << "," << rc.right << "," << rc.bottom;
        }
    }
}

TEST(MarkupGrid, ChangingCellsAndDefinitionsRelaysOut)
{
    MarkupContextHolder context;
    std::wstring error;
    ElementHolder root(context.Parse(L"<Grid><Grid.ColumnDefinitions><ColumnDefinition Width='40'/>"
                                     L"<ColumnDefinition/></Grid.ColumnDefinitions>"
                                     L"<Border Background='Red'/></Grid>",
                                     &error));
    ASSERT_TRUE(root) << error;
    MarkupSurface surface(100, 20);
    surface.Render(root.Get());
    EXPECT_EQ(surface.Pixel(10, 10), RGB(255, 0, 0));
    EXPECT_EQ(surface.Pixel(60, 10), RGB(255, 255, 255));

    CLVKMarkupUIElement* const pChild = Child(root.Get(), 0);
    CLVKMarkupGrid::SetColumn(pChild, 1);
    EXPECT_EQ(CLVKMarkupGrid::GetColumn(pChild), 1);
    MarkupSurface moved(100, 20);
    moved.Render(root.Get());
    EXPECT_EQ(moved.Pixel(10, 10), RGB(255, 255, 255));
    EXPECT_EQ(moved.Pixel(60, 10), RGB(255, 0, 0));
    const RECT rc = pChild->GetFinalRect();
    EXPECT_EQ(rc.left, 40);
    EXPECT_EQ(rc.right, 100);
}
