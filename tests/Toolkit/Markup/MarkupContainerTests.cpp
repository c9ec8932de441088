// The page and the window container: one-child rules, layout, and the
// hosted window following its element.
#include "MarkupTestSupport.h"

#include "Markup/MarkupDrawingContext.h"
#include "Markup/MarkupPage.h"
#include "Markup/MarkupWindowContainer.h"

namespace
{

const wchar_t kX[] = L" xmlns:x='http://schemas.microsoft.com/winfx/2006/xaml'";

HWND CreateContainerHost()
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"LorvaneMarkupContainerHost";
    RegisterClassW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr,
                           wc.hInstance, nullptr);
}

}  // namespace

TEST(MarkupPage, HoldsOneChildThatTakesAllTheRoom)
{
    MarkupContextHolder context;
    EXPECT_EQ(context.ErrorOf(L"<Page><Border/><Border/></Page>"),
              L"'CLVKMarkupPage' already has a child and cannot add 'CLVKMarkupBorder'. 'CLVKMarkupPage' can accept "
              L"only one child.");
    EXPECT_EQ(context.ErrorOf(L"<Page><SolidColorBrush/></Page>"),
              L"'CLVKMarkupSolidColorBrush' object cannot be added to 'CLVKMarkupPage'. Object cannot be converted to "
              L"type 'CLVKMarkupUIElement'");

    ElementHolder root(context.Parse(L"<Page><Border Background='#FF0000' Margin='5'/></Page>"));
    ASSERT_TRUE(root);
    MarkupSurface surface(40, 30);
    surface.Render(root.Get());
    EXPECT_EQ(surface.Pixel(5, 5), RGB(255, 0, 0));
    EXPECT_EQ(surface.Pixel(34, 24), RGB(255, 0, 0));
    EXPECT_EQ(surface.Pixel(4, 4), RGB(255, 255, 255));
    EXPECT_EQ(surface.Pixel(35, 25), RGB(255, 255, 255));
    // The page is never hit; its child is.
    EXPECT_NE(root->InputHitTest(10, 10), nullptr);
    EXPECT_EQ(root->InputHitTest(1, 1), nullptr);

    ElementHolder empty(context.Parse(L"<Page/>"));
    ASSERT_TRUE(empty);
    EXPECT_EQ(MarkupMeasureElement(empty.Get(), 100, 100).cx, 0);
}

TEST(MarkupWindowContainer, PlacesADescendantOfTheHostAndRefusesOtherWindows)
{
    HWND hHost = CreateContainerHost();
    ASSERT_NE(hHost, nullptr);
    HWND hChild = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 30, 20, hHost, nullptr, nullptr, nullptr);
    HWND hStranger = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 30, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hChild, nullptr);
    {
        MarkupContextHolder context(hHost);
        ElementHolder root(context.Parse(std::wstring(L"<Border") + kX +
                                         L"><WindowContainer x:Name='w' Margin='10,20,0,0' HorizontalAlignment='Left' "
                                         L"VerticalAlignment='Top'/></Border>"));
        ASSERT_TRUE(root);
        auto* const pContainer = MarkupCast<CLVKMarkupWindowContainer>(root->FindName(L"w"));
        ASSERT_NE(pContainer, nullptr);
        // No window: nothing to measure or place.
        EXPECT_EQ(MarkupMeasureElement(root.Get(), 200, 200).cx, 10);

        EXPECT_FALSE(pContainer->SetChild(hStranger));
        EXPECT_FALSE(pContainer->SetChild(hHost));
        EXPECT_EQ(pContainer->GetChild(), nullptr);
        ASSERT_TRUE(pContainer->SetChild(hChild));
        const SIZE size = MarkupMeasureElement(root.Get(), 200, 200);
        EXPECT_EQ(size.cx, 40);
        EXPECT_EQ(size.cy, 40);

        MarkupSurface surface(200, 200);
        surface.Render(root.Get());
        RECT rc = {};
        GetWindowRect(hChild, &rc);
        MapWindowPoints(nullptr, hHost, reinterpret_cast<POINT*>(&rc), 2);
        EXPECT_EQ(rc.left, 10);
        EXPECT_EQ(rc.top, 20);
        EXPECT_EQ(rc.right - rc.left, 30);
        EXPECT_EQ(rc.bottom - rc.top, 20);
        EXPECT_TRUE(IsWindowVisible(hChild));

        root->HideHostedWindows(nullptr);
        EXPECT_FALSE(IsWindowVisible(hChild));
    }
    DestroyWindow(hStranger);
    DestroyWindow(hHost);
}
