// Measure and arrange: margins, alignment, limits, collapsed elements, the
// uniform grid, and the caches that keep an unchanged tree from being
// measured again.
#include "MarkupTestSupport.h"

#include "Markup/MarkupBorder.h"
#include "Markup/MarkupDrawingContext.h"
#include "Markup/MarkupInlineCollection.h"
#include "Markup/MarkupInlineUIContainer.h"
#include "Markup/MarkupInt.h"
#include "Markup/MarkupPage.h"
#include "Markup/MarkupTextBlock.h"
#include "Markup/MarkupUIElementCollection.h"
#include "Markup/MarkupUniformGrid.h"

#include <functional>
#include <vector>

namespace
{

struct LayoutCase
{
    const wchar_t* name;
    const wchar_t* markup;  // a Border root around the element named "e"
    int width, height;      // the root's space
    SIZE desired;           // of "e"
    POINT offset;           // of "e" in its parent
    SIZE render;            // of "e"
};

}  // namespace

TEST(MarkupLayout, PlacesElementsInTheirSlots)
{
    const LayoutCase cases[] = {
        {L"margin larger than the space",
         L"<Border><Border x:Name='e' Margin='30' Width='10' Height='10'/></Border>",
         40,
         40,
         {40, 40},
         {30, 30},
         {10, 10}},
        {L"centred content larger than its slot",
         L"<Border><Border x:Name='e' HorizontalAlignment='Center' VerticalAlignment='Center' Width='61' "
         L"Height='30'/></Border>",
         40,
         40,
         {40, 30},
         {-10, 5},
         {61, 30}},
        {L"stretched content larger than its slot is placed left",
         L"<Border><Border x:Name='e' Width='61' Height='10'/></Border>",
         40,
         40,
         {40, 10},
         {0, 15},
         {61, 10}},
        {L"MinWidth over MaxWidth",
         L"<Border><Border x:Name='e' MinWidth='30' MaxWidth='10' Height='5' "
         L"HorizontalAlignment='Left' VerticalAlignment='Top'/></Border>",
         100,
         100,
         {30, 5},
         {0, 0},
         {30, 5}},
        {L"collapsed",
         L"<Border><Border x:Name='e' Visibility='Collapsed' Width='10' Height='10'/></Border>",
         50,
         50,
         {0, 0},
         {0, 0},
         {0, 0}},
        {L"right and bottom",
         L"<Border><Border x:Name='e' Width='10' Height='20' HorizontalAlignment='Right' "
         L"VerticalAlignment='Bottom' Margin='1,2,3,4'/></Border>",
         50,
         60,
         {14, 26},
         {37, 36},
         {10, 20}},
        {L"padding and border thickness",
         L"<Border Padding='2' BorderThickness='3'><Border x:Name='e' Width='Auto'/></Border>",
         50,
         40,
         {0, 0},
         {5, 5},
         {40, 30}},
    };
    for (const LayoutCase& c : cases)
    {
        MarkupContextHolder context;
        const std::wstring markup =
            std::wstring(L"<Border xmlns:x='http://schemas.microsoft.com/winfx/2006/xaml'>") + c.markup + L"</Border>";
        std::wstring error;
        ElementHolder root(context.Parse(markup, &error));
        ASSERT_TRUE(root) << c.name << ": " << error;
        MarkupMeasureElement(root.Get(), c.width, c.height);
        root->Arrange(0, 0, c.width, c.height);
        auto* const e = MarkupCast<CLVKMarkupUIElement>(root->FindName(L"e"));
        ASSERT_NE(e, nullptr) << c.name;
        EXPECT_EQ(e->GetDesiredSize().cx, c.desired.cx) << c.name;
        EXPECT_EQ(e->GetDesiredSize().cy, c.desired.cy) << c.name;
        EXPECT_EQ(e->GetOffset().x, c.offset.x) << c.name;
        EXPECT_EQ(e->GetOffset().y, c.offset.y) << c.name;
        EXPECT_EQ(e->GetRenderSize().cx, c.render.cx) << c.name;
        EXPECT_EQ(e->GetRenderSize().cy, c.render.cy) << c.name;
    }
}

TEST(MarkupLayout, LengthSubtractionNeverGoesBelowZero)
{
    EXPECT_EQ(MarkupLengthSubtract(0x7FFFFFFF, 10), 0x7FFFFFFF);
    EXPECT_EQ(MarkupLengthSubtract(10, 30), 0);
    EXPECT_EQ(MarkupLengthSubtract(10, 4), 6);
    EXPECT_EQ(MarkupLengthSubtract(10, -0x40000000), 0x7FFFFFFF);
}

TEST(MarkupLayout, AnUnchangedTreeIsNotMeasuredAgain)
{
    MarkupContextHolder context;
    ElementHolder root(context.Parse(L"<UniformGrid><Border Width='5' Height='5'/><Border Width='6'/></UniformGrid>"));
    ASSERT_TRUE(root);
    auto* const pGrid = static_cast<CLVKMarkupUniformGrid*>(root.Get());
    CLVKMarkupUIElement* const pChild = pGrid->GetChildren()->GetElement(0);
    MarkupMeasureElement(root.Get(), 100, 100);
    root->Arrange(0, 0, 100, 100);
    EXPECT_EQ(root->GetMeasureCoreCount(), 1);
    EXPECT_EQ(pChild->GetMeasureCoreCount(), 1);
    // The same available size and rectangle: the caches hold.
    MarkupMeasureElement(root.Get(), 100, 100);
    root->Arrange(0, 0, 100, 100);
    EXPECT_EQ(root->GetMeasureCoreCount(), 1);
    EXPECT_EQ(pChild->GetMeasureCoreCount(), 1);
    // A new size measures again.
    MarkupMeasureElement(root.Get(), 50, 100);
    EXPECT_EQ(root->GetMeasureCoreCount(), 2);
    // A changed property re-measures the element, and its parent because
    // the desired size changed (which measures the element once more).
    static_cast<CLVKMarkupFrameworkElement*>(pChild)->SetWidth(7);
    EXPECT_EQ(pChild->GetMeasureCoreCount(), 4);
    EXPECT_EQ(root->GetMeasureCoreCount(), 3);
}

TEST(MarkupLayout, UniformGridCells)
{
    struct GridCase
    {
        const wchar_t* attributes;
        int children;
        int collapsedIndex;  // -1: none
        int columns, rows;
        std::vector<POINT> offsets;  // of the children, cells of 10 x 10
    } const cases[] = {
        {L"", 7, -1, 3, 3, {{0, 0}, {10, 0}, {20, 0}, {0, 10}, {10, 10}, {20, 10}, {0, 20}}},
        {L"Columns='3' FirstColumn='2'", 4, -1, 3, 2, {{20, 0}, {0, 10}, {10, 10}, {20, 10}}},
        {L"Columns='3' FirstColumn='5'", 3, -1, 3, 1, {{0, 0}, {10, 0}, {20, 0}}},
        {L"Rows='2'", 5, -1, 3, 2, {}},
        {L"Columns='2'", 3, 1, 2, 1, {{0, 0}, {10, 0}, {10, 0}}},
        // Rows or columns of 0 or less are unset, never a divisor of 0.
        {L"Columns='0' Rows='-3'", 4, -1, 2, 2, {}},
        {L"Columns='-1'", 1, -1, 1, 1, {}},
    };
    for (const auto& c : cases)
    {
        std::wstring markup = std::wstring(L"<UniformGrid ") + c.attributes + L">";
        for (int i = 0; i < c.children; ++i)
        {
            markup += i == c.collapsedIndex ? L"<Border Visibility='Collapsed'/>" : L"<Border/>";
        }
        markup += L"</UniformGrid>";
        MarkupContextHolder context;
        std::wstring error;
        ElementHolder root(context.Parse(markup, &error));
        ASSERT_TRUE(root) << c.attributes << error;
        auto* const pGrid = static_cast<CLVKMarkupUniformGrid*>(root.Get());
        const int w = 10 * c.columns, h = 10 * c.rows;
        MarkupMeasureElement(root.Get(), w, h);
        root->Arrange(0, 0, w, h);
        EXPECT_EQ(pGrid->GetComputedColumns(), c.columns) << c.attributes;
        EXPECT_EQ(pGrid->GetComputedRows(), c.rows) << c.attributes;
        for (size_t i = 0; i < c.offsets.size(); ++i)
        {
            CLVKMarkupUIElement* const pChild = pGrid->GetChildren()->GetElement(static_cast<int>(i));
            if (static_cast<int>(i) == c.collapsedIndex)
            {
                continue;
            }
            EXPECT_EQ(pChild->GetOffset().x, c.offsets[i].x) << c.attributes << " child " << i;
            EXPECT_EQ(pChild->GetOffset().y, c.offsets[i].y) << c.attributes << " child " << i;
        }
    }
}

TEST(MarkupLayout, NarrowGridNeverWraps)
{
    MarkupContextHolder context;
    ElementHolder root(context.Parse(L"<UniformGrid Columns='20' Rows='1'><Border/><Border/><Border/></UniformGrid>"));
    ASSERT_TRUE(root);
    MarkupMeasureElement(root.Get(), 10, 10);
    root->Arrange(0, 0, 10, 10);
    auto* const pGrid = static_cast<CLVKMarkupUniformGrid*>(root.Get());
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(pGrid->GetChildren()->GetElement(i)->GetOffset().y, 0);
    }
}

TEST(MarkupLayout, CollectionsRefuseCyclesAndSecondParents)
{
    MarkupContextHolder context;
    ElementHolder root(context.Parse(L"<UniformGrid><UniformGrid x:Name='inner' "
                                     L"xmlns:x='http://schemas.microsoft.com/winfx/2006/xaml'/></UniformGrid>"));
    ASSERT_TRUE(root);
    auto* const pOuter = static_cast<CLVKMarkupUniformGrid*>(root.Get());
    auto* const pInner = static_cast<CLVKMarkupUniformGrid*>(root->FindName(L"inner"));
    ASSERT_NE(pInner, nullptr);
    // The outer grid is an ancestor of the inner one.
    pOuter->AddRef();
    EXPECT_FALSE(pInner->GetChildren()->Add(pOuter));
    pOuter->Release();
    // The inner grid already has a parent.
    pInner->AddRef();
    EXPECT_FALSE(pOuter->GetChildren()->Add(pInner));
    pInner->Release();
    // A panel is not its own child.
    pInner->AddRef();
    EXPECT_FALSE(pInner->GetChildren()->Add(pInner));
    pInner->Release();
    EXPECT_EQ(pOuter->GetChildren()->GetCount(), 1);
}

namespace
{

// An element that holds one child, nested in a document whose root has no
// parent: how to find it from the root and how to give it a child.
struct SingleChildHolderCase
{
    const wchar_t* name;
    const wchar_t* markup;
    std::function<CLVKMarkupObject*(CLVKMarkupUIElement* pRoot)> findHolder;
    std::function<BOOL(CLVKMarkupObject* pHolder, CLVKMarkupUIElement* pChild)> setChild;
};

std::vector<SingleChildHolderCase> SingleChildHolderCases()
{
    const auto findNamed = [](CLVKMarkupUIElement* pRoot) { return pRoot->FindName(L"holder"); };
    return {
        {L"border",
         L"<Border><Border x:Name='holder' xmlns:x='http://schemas.microsoft.com/winfx/2006/xaml'/></Border>",
         findNamed,
         [](CLVKMarkupObject* pHolder, CLVKMarkupUIElement* pChild)
         { return MarkupCast<CLVKMarkupBorder>(pHolder)->SetChild(pChild); }},
        {L"page", L"<Border><Page x:Name='holder' xmlns:x='http://schemas.microsoft.com/winfx/2006/xaml'/></Border>",
         findNamed,
         [](CLVKMarkupObject* pHolder, CLVKMarkupUIElement* pChild)
         { return MarkupCast<CLVKMarkupPage>(pHolder)->SetChild(pChild); }},
        {L"inline UI container", L"<TextBlock><InlineUIContainer/></TextBlock>",
         [](CLVKMarkupUIElement* pRoot) -> CLVKMarkupObject*
         { return static_cast<CLVKMarkupTextBlock*>(pRoot)->GetInlines()->GetInline(0); },
         [](CLVKMarkupObject* pHolder, CLVKMarkupUIElement* pChild)
         { return MarkupCast<CLVKMarkupInlineUIContainer>(pHolder)->SetChild(pChild); }},
    };
}

}  // namespace

TEST(MarkupLayout, SingleChildHoldersRefuseTheirOwnAncestors)
{
    MarkupContextHolder context;
    for (const SingleChildHolderCase& c : SingleChildHolderCases())
    {
        SCOPED_TRACE(c.name);
        ElementHolder root(context.Parse(c.markup));
        ASSERT_TRUE(root);
        CLVKMarkupObject* const pHolder = c.findHolder(root.Get());
        ASSERT_NE(pHolder, nullptr);
        // Holding the root would make it its own ancestor.
        root->AddRef();
        EXPECT_FALSE(c.setChild(pHolder, root.Get()));
        root->Release();
        EXPECT_EQ(root->GetLogicalParent(), nullptr);
        // A fresh element is taken.
        ElementHolder child(context.Parse(L"<Border/>"));
        ASSERT_TRUE(child);
        child->AddRef();
        EXPECT_TRUE(c.setChild(pHolder, child.Get()));
        EXPECT_EQ(child->GetLogicalParent(), pHolder);
    }
}

TEST(MarkupLayout, AHolderWhoseParentsLoopRefusesAChildAndWalksEnd)
{
    MarkupContextHolder context;
    for (const SingleChildHolderCase& c : SingleChildHolderCases())
    {
        SCOPED_TRACE(c.name);
        ElementHolder root(context.Parse(c.markup));
        ASSERT_TRUE(root);
        CLVKMarkupObject* const pHolder = c.findHolder(root.Get());
        ASSERT_NE(pHolder, nullptr);
        // A broken tree: the root's parent is the holder below it, so the
        // holder's chain of parents never reaches a top.
        root->SetLogicalParent(pHolder);
        ElementHolder child(context.Parse(L"<Border/>"));
        ASSERT_TRUE(child);
        child->AddRef();
        const BOOL bTaken = c.setChild(pHolder, child.Get());
        if (!bTaken)
        {
            child->Release();
        }
        EXPECT_FALSE(bTaken);
        // Walks up the looping chain end as well.
        context->GetElementRect(pHolder);
        context->GetElementUpdateRect(root.Get());
        root->SetLogicalParent(nullptr);
    }
}

TEST(MarkupLayout, HitTestingFollowsTheVisualTree)
{
    MarkupContextHolder context;
    ElementHolder root(context.Parse(
        L"<UniformGrid Columns='1' xmlns:x='http://schemas.microsoft.com/winfx/2006/xaml'>"
        L"<Border x:Name='a' Background='Red'><Border x:Name='over' Width='10' Height='10' Background='Blue' "
        L"Margin='0,0,0,-40'/></Border>"
        L"<Border x:Name='hidden' Background='Red' Visibility='Hidden'/>"
        L"<Border x:Name='empty'/>"
        L"</UniformGrid>"));
    ASSERT_TRUE(root);
    MarkupMeasureElement(root.Get(), 40, 120);
    root->Arrange(0, 0, 40, 120);
    // A child drawn beyond its parent is still hit there.
    EXPECT_EQ(root->InputHitTest(20, 42), root->FindName(L"over"));
    EXPECT_EQ(root->InputHitTest(2, 2), root->FindName(L"a"));
    // A hidden element is never hit; a panel or border without background
    // lets the mouse through.
    EXPECT_EQ(root->InputHitTest(20, 50), nullptr);
    EXPECT_EQ(root->InputHitTest(20, 100), nullptr);
}

TEST(MarkupLayout, ContentElementsAskTheirFrameworkElementToMeasureAgain)
{
    MarkupContextHolder context;
    ElementHolder root(context.Parse(L"<Border Width='5'><Border.Tag><FrameworkContentElement/></Border.Tag>"
                                     L"</Border>"));
    ASSERT_TRUE(root);
    MarkupMeasureElement(root.Get(), 50, 50);
    root->Arrange(0, 0, 50, 50);
    const int nBefore = root->GetMeasureCoreCount();
    CLVKMarkupObject* const pContent = root->GetValue(CLVKMarkupFrameworkElement::m_pTagProperty);
    ASSERT_NE(pContent, nullptr);
    EXPECT_EQ(pContent->GetLogicalParent(), root.Get());
    // FontSize affects measure: the border measures again.
    pContent->SetValue(CLVKMarkupTextBlock::m_pFontSizeProperty, new CLVKMarkupInt(30));
    EXPECT_EQ(root->GetMeasureCoreCount(), nBefore + 1);
    // "Tag" has no layout flags: nothing is measured.
    pContent->SetValue(CLVKMarkupFrameworkElement::m_pTagProperty, new CLVKMarkupInt(1));
    EXPECT_EQ(root->GetMeasureCoreCount(), nBefore + 1);
}
