// Styles, triggers, resources and value precedence; routed events and the
// mouse messages the context turns into them.
#include "MarkupTestSupport.h"

#include "Markup/MarkupBorder.h"
#include "Markup/MarkupDelegate.h"
#include "Markup/MarkupInt.h"
#include "Markup/MarkupMouseEventArgs.h"
#include "Markup/MarkupSolidColorBrush.h"
#include "Markup/MarkupStyle.h"
#include "Markup/MarkupTextBlock.h"

#include <string>
#include <vector>

namespace
{

const wchar_t kX[] = L" xmlns:x='http://schemas.microsoft.com/winfx/2006/xaml' ";

COLORREF BackgroundOf(CLVKMarkupObject* pObject)
{
    auto* const pBorder = MarkupCast<CLVKMarkupBorder>(pObject);
    CLVKMarkupBrush* const pBrush = pBorder ? pBorder->GetBackground() : nullptr;
    return pBrush ? pBrush->GetColor() : CLR_INVALID;
}

// Records which handler ran for which element, in order.
class EventLog
{
public:
    void OnEvent(CLVKMarkupObject* pSender, CLVKMarkupObject* pArgs)
    {
        auto* const pArguments = MarkupCast<CLVKMarkupRoutedEventArgs>(pArgs);
        const LPCWSTR lpszName = pSender->GetNameText();
        m_entries.push_back(std::wstring(lpszName ? lpszName : L"?") + L":" +
                            (pArguments ? pArguments->GetRoutedEvent()->GetName() : L"?"));
        if (pArguments && m_strHandleAt == (lpszName ? lpszName : L""))
        {
            pArguments->SetHandled();
        }
    }
    std::vector<std::wstring> m_entries;
    std::wstring m_strHandleAt;
};

}  // namespace

TEST(MarkupStyles, ValuePrecedence)
{
    MarkupContextHolder context;
    const std::wstring markup =
        std::wstring(L"<UniformGrid") + kX +
        L"><UniformGrid.Resources>"
        L"<Style x:Key='base' TargetType='{x:Type Border}'><Setter Property='Background' Value='#000001'/>"
        L"<Setter Property='BorderBrush' Value='#000002'/></Style>"
        L"<Style x:Key='derived' TargetType='{x:Type Border}' BasedOn='{StaticResource base}'>"
        L"<Setter Property='Background' Value='#000003'/><Setter Property='Background' Value='#000004'/>"
        L"<Style.Triggers><Trigger Property='IsMouseOver' Value='True'><Trigger.Setters>"
        L"<Setter Property='Background' Value='#000005'/></Trigger.Setters></Trigger></Style.Triggers></Style>"
        L"<Style TargetType='{x:Type TextBlock}'><Setter Property='Text' Value='implicit'/></Style>"
        L"</UniformGrid.Resources>"
        L"<Border x:Name='styled' Style='{StaticResource derived}'/>"
        L"<Border x:Name='local' Style='{StaticResource derived}' Background='#000006'/>"
        L"<TextBlock x:Name='typed'/>"
        L"<Border x:Name='plain'/>"
        L"</UniformGrid>";
    std::wstring error;
    ElementHolder root(context.Parse(markup, &error));
    ASSERT_TRUE(root) << error;
    auto* const pStyled = MarkupCast<CLVKMarkupBorder>(root->FindName(L"styled"));
    auto* const pLocal = MarkupCast<CLVKMarkupBorder>(root->FindName(L"local"));
    ASSERT_NE(pStyled, nullptr);
    ASSERT_NE(pLocal, nullptr);
    // The last setter wins, a derived style beats its base, the base fills in.
    EXPECT_EQ(BackgroundOf(pStyled), 0x040000u);
    EXPECT_EQ(pStyled->GetBorderBrush()->GetColor(), 0x020000u);
    EXPECT_EQ(BackgroundOf(pLocal), 0x060000u);
    // Implicit style by exact type; none for other types.
    EXPECT_STREQ(static_cast<CLVKMarkupTextBlock*>(root->FindName(L"typed"))->GetText(), L"implicit");
    EXPECT_EQ(BackgroundOf(root->FindName(L"plain")), CLR_INVALID);

    // A trigger beats the style and withdraws again; a local value beats both.
    CLVKMarkupAutoPtr<CLVKMarkupMouseEventArgs> pArgs(new CLVKMarkupMouseEventArgs(nullptr, pStyled));
    pStyled->OnMouseEnter(pArgs);
    pLocal->OnMouseEnter(pArgs);
    EXPECT_EQ(BackgroundOf(pStyled), 0x050000u);
    EXPECT_EQ(BackgroundOf(pLocal), 0x060000u);
    pStyled->OnMouseLeave(pArgs);
    EXPECT_EQ(BackgroundOf(pStyled), 0x040000u);
}

TEST(MarkupStyles, SetterErrors)
{
    MarkupContextHolder context;
    const std::wstring prefix = std::wstring(L"<Border") + kX + L"><Border.Resources>";
    EXPECT_EQ(context.ErrorOf(prefix + L"<Style x:Key='s' TargetType='{x:Type Border}'><Setter Property='Nothing' "
                                       L"Value='1'/></Style></Border.Resources></Border>"),
              L"Cannot find the Style Property 'Nothing'");
    EXPECT_EQ(context.ErrorOf(prefix + L"<Style x:Key='s' TargetType='{x:Type Border}'><Setter "
                                       L"Property='Background'/></Style></Border.Resources></Border>"),
              L"Must specify both Property and Value for Setter.");
}

TEST(MarkupStyles, ResourcesAreFoundNearestFirstAndOnlyWhenDefinedBefore)
{
    MarkupContextHolder context;
    std::wstring error;
    ElementHolder root(context.Parse(
        std::wstring(L"<UniformGrid") + kX +
            L"><UniformGrid.Resources><SolidColorBrush x:Key='b' Color='#000001'/></UniformGrid.Resources>"
            L"<Border x:Name='far' Background='{StaticResource b}'/>"
            L"<UniformGrid><UniformGrid.Resources><SolidColorBrush x:Key='b' Color='#000002'/>"
            L"</UniformGrid.Resources><Border><Border x:Name='near' Background='{DynamicResource b}'/></Border>"
            L"</UniformGrid></UniformGrid>",
        &error));
    ASSERT_TRUE(root) << error;
    EXPECT_EQ(BackgroundOf(root->FindName(L"far")), 0x010000u);
    EXPECT_EQ(BackgroundOf(root->FindName(L"near")), 0x020000u);
    // Defined after use: not found.
    EXPECT_EQ(context.ErrorOf(std::wstring(L"<Border") + kX +
                              L" Background='{StaticResource b}'><Border.Resources><SolidColorBrush x:Key='b' "
                              L"Color='Red'/></Border.Resources></Border>"),
              L"Cannot find resource named 'b'. Resource names are case sensitive");
}

TEST(MarkupStyles, InheritedValuesReachDescendantsAndAnnounceChanges)
{
    MarkupContextHolder context;
    ElementHolder root(context.Parse(std::wstring(L"<Border") + kX +
                                     L" TextBlock.Foreground='#000007'><Border><TextBlock x:Name='t'/></Border>"
                                     L"</Border>"));
    ASSERT_TRUE(root);
    CLVKMarkupObject* const pText = root->FindName(L"t");
    auto* const pBrush = MarkupCast<CLVKMarkupBrush>(pText->GetValue(CLVKMarkupTextBlock::m_pForegroundProperty));
    ASSERT_NE(pBrush, nullptr);
    EXPECT_EQ(pBrush->GetColor(), 0x070000u);
    // Clearing an inherited-only value on the child announces nothing and
    // changes nothing.
    pText->ClearValue(CLVKMarkupTextBlock::m_pForegroundProperty);
    EXPECT_NE(pText->GetValue(CLVKMarkupTextBlock::m_pForegroundProperty), nullptr);
}

TEST(MarkupEvents, DirectAndBubblingRoutes)
{
    MarkupContextHolder context;
    EventLog log;
    context->SetDelegate(L"OnDown", new CLVKMarkupClassDelegate<EventLog>(&log, &EventLog::OnEvent));
    ElementHolder root(context.Parse(std::wstring(L"<Border") + kX +
                                     L" x:Name='outer' MouseLeftButtonDown='OnDown'><Border x:Name='inner' "
                                     L"MouseLeftButtonDown='OnDown' Background='Red'/></Border>"));
    ASSERT_TRUE(root);
    auto* const pInner = MarkupCast<CLVKMarkupInputElement>(root->FindName(L"inner"));

    // A direct event reaches only the element itself.
    CLVKMarkupAutoPtr<CLVKMarkupMouseButtonEventArgs> pDirect(
        new CLVKMarkupMouseButtonEventArgs(CLVKMarkupInputElement::m_pMouseLeftButtonDownEvent, pInner));
    pInner->RaiseEvent(pDirect);
    EXPECT_EQ(log.m_entries, (std::vector<std::wstring>{L"inner:MouseLeftButtonDown"}));

    // A bubbling event goes up until handled, then the context's handlers.
    CLVKMarkupRoutedEvent* const pClick = CLVKMarkupRoutedEvent::RegisterRoutedEvent(
        L"TestClick", MarkupPropertyInherits, CLVKMarkupBorder::GetMarkupType());
    CLVKMarkupAutoPtr<CLVKMarkupDelegate> pHandler(new CLVKMarkupClassDelegate<EventLog>(&log, &EventLog::OnEvent));
    static_cast<CLVKMarkupInputElement*>(root.Get())->AddHandler(pClick, pHandler);
    pInner->AddHandler(pClick, pHandler);
    context->AddHandler(pClick, pHandler);
    log.m_entries.clear();
    {
        CLVKMarkupAutoPtr<CLVKMarkupRoutedEventArgs> pArgs(new CLVKMarkupRoutedEventArgs(pClick, pInner));
        pInner->RaiseEvent(pArgs);
    }
    EXPECT_EQ(log.m_entries, (std::vector<std::wstring>{L"inner:TestClick", L"outer:TestClick", L"inner:TestClick"}));
    log.m_entries.clear();
    log.m_strHandleAt = L"inner";
    {
        CLVKMarkupAutoPtr<CLVKMarkupRoutedEventArgs> pArgs(new CLVKMarkupRoutedEventArgs(pClick, pInner));
        pInner->RaiseEvent(pArgs);
    }
    EXPECT_EQ(log.m_entries, (std::vector<std::wstring>{L"inner:TestClick"}));
}

namespace
{

LRESULT CALLBACK HostProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

HWND CreateHost()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"LorvaneMarkupTestHost";
    RegisterClassW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, wc.hInstance, nullptr);
}

}  // namespace

TEST(MarkupEvents, RelayedMouseMovesRaiseEnterAndLeaveAndSwitchTriggers)
{
    HWND hWnd = CreateHost();
    ASSERT_NE(hWnd, nullptr);
    {
        MarkupContextHolder context(hWnd);
        EventLog log;
        context->SetDelegate(L"Log", new CLVKMarkupClassDelegate<EventLog>(&log, &EventLog::OnEvent));
        std::wstring error;
        ElementHolder root(context.Parse(
            std::wstring(L"<Border") + kX +
                L" x:Name='parent' Background='White' MouseEnter='Log' MouseLeave='Log'>"
                L"<Border.Resources><Style TargetType='{x:Type Border}'><Style.Triggers>"
                L"<Trigger Property='IsMouseOver' Value='True'><Trigger.Setters>"
                L"<Setter Property='BorderBrush' Value='Blue'/></Trigger.Setters></Trigger></Style.Triggers></Style>"
                L"</Border.Resources>"
                L"<Border x:Name='child' Margin='10' Background='Red' MouseEnter='Log' MouseLeave='Log'/></Border>",
            &error));
        ASSERT_TRUE(root) << error;
        MarkupSurface surface(100, 100);
        surface.Render(root.Get());
        auto* const pChild = MarkupCast<CLVKMarkupBorder>(root->FindName(L"child"));
        ASSERT_NE(pChild, nullptr);
        EXPECT_EQ(pChild->GetBorderBrush(), nullptr);

        LRESULT lResult = 0;
        MarkupRelayElementMessage(root.Get(), WM_MOUSEMOVE, 0, MAKELPARAM(50, 50), &lResult);
        EXPECT_EQ(log.m_entries, (std::vector<std::wstring>{L"child:MouseEnter", L"parent:MouseEnter"}));
        ASSERT_NE(pChild->GetBorderBrush(), nullptr);
        EXPECT_EQ(pChild->GetBorderBrush()->GetColor(), RGB(0, 0, 255));
        EXPECT_EQ(context->GetMouseOverElement(), pChild);

        // From the child to its parent: MouseLeave on the child only.
        log.m_entries.clear();
        MarkupRelayElementMessage(root.Get(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), &lResult);
        EXPECT_EQ(log.m_entries, (std::vector<std::wstring>{L"child:MouseLeave"}));
        EXPECT_EQ(pChild->GetBorderBrush(), nullptr);

        log.m_entries.clear();
        MarkupRelayElementMessage(root.Get(), WM_MOUSELEAVE, 0, 0, &lResult);
        EXPECT_EQ(log.m_entries, (std::vector<std::wstring>{L"parent:MouseLeave"}));
        EXPECT_FALSE(MarkupRelayContextMessage(context.Get(), WM_LBUTTONDOWN, 0, 0, &lResult));
    }
    DestroyWindow(hWnd);
}

TEST(MarkupEvents, HandledButtonEventsStopTheChain)
{
    HWND hWnd = CreateHost();
    ASSERT_NE(hWnd, nullptr);
    {
        MarkupContextHolder context(hWnd);
        EventLog log;
        log.m_strHandleAt = L"child";
        context->SetDelegate(L"Log", new CLVKMarkupClassDelegate<EventLog>(&log, &EventLog::OnEvent));
        ElementHolder root(context.Parse(std::wstring(L"<Border") + kX +
                                         L" x:Name='parent' Background='White' MouseLeftButtonDown='Log'>"
                                         L"<Border x:Name='child' Background='Red' MouseLeftButtonDown='Log'/>"
                                         L"</Border>"));
        ASSERT_TRUE(root);
        MarkupSurface surface(100, 100);
        surface.Render(root.Get());
        LRESULT lResult = 0;
        MarkupRelayElementMessage(root.Get(), WM_MOUSEMOVE, 0, MAKELPARAM(50, 50), &lResult);
        EXPECT_TRUE(MarkupRelayElementMessage(root.Get(), WM_LBUTTONDOWN, 0, MAKELPARAM(50, 50), &lResult));
        EXPECT_EQ(log.m_entries, (std::vector<std::wstring>{L"child:MouseLeftButtonDown"}));
        // A name nobody bound still builds and calls nothing.
        ElementHolder unbound(context.Parse(L"<Border MouseLeftButtonDown='NobodyBoundThis'/>"));
        EXPECT_TRUE(unbound);
    }
    DestroyWindow(hWnd);
}

TEST(MarkupEvents, ReleasingTheContextFirstKeepsTheTreeUsable)
{
    CLVKMarkupContext* pContext = MarkupCreateContext(nullptr);
    CLVKMarkupUIElement* pRoot = MarkupParseText(pContext, L"<Border Background='Red' Width='4' Height='4'/>");
    ASSERT_NE(pRoot, nullptr);
    MarkupReleaseContext(pContext);
    EXPECT_EQ(pContext, nullptr);
    MarkupSurface surface(10, 10);
    surface.Render(pRoot);
    EXPECT_EQ(surface.Pixel(4, 4), RGB(255, 0, 0));
    MarkupReleaseElement(pRoot);
    EXPECT_EQ(pRoot, nullptr);
}

TEST(MarkupStaticExtensions, SystemColoursByPath)
{
    MarkupContextHolder context;
    const std::wstring x = std::wstring(L"<Border") + kX;
    std::wstring error;
    ElementHolder root(context.Parse(x + L" Background='{x:Static SystemColors.WindowTextBrush}' "
                                         L"BorderBrush='{StaticResource {x:Static SystemColors.ControlBrushKey}}'/>",
                                     &error));
    ASSERT_TRUE(root) << error;
    auto* const pBorder = static_cast<CLVKMarkupBorder*>(root.Get());
    EXPECT_EQ(pBorder->GetBackground()->GetColor(), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(pBorder->GetBorderBrush()->GetColor(), GetSysColor(COLOR_BTNFACE));
    // Invalid names and the wrong case give no value.
    for (const wchar_t* path : {L"SystemColors.Control2Brush", L"SystemColors.", L"systemcolors.ControlBrush"})
    {
        EXPECT_EQ(context.ErrorOf(x + L" Background='{x:Static " + path + L"}'/>"),
                  std::wstring(L"Cannot find the static extension '") + path + L"'");
    }
}

TEST(MarkupEvents, KeyboardMessagesAreNotHandled)
{
    HWND hWnd = CreateHost();
    ASSERT_NE(hWnd, nullptr);
    {
        MarkupContextHolder context(hWnd);
        ElementHolder root(context.Parse(L"<Border Background='Red'/>"));
        ASSERT_TRUE(root);
        LRESULT lResult = 0;
        for (const UINT message : {WM_KEYDOWN, WM_SETFOCUS, WM_KILLFOCUS})
        {
            EXPECT_FALSE(MarkupRelayElementMessage(root.Get(), message, VK_TAB, 0, &lResult));
        }
    }
    DestroyWindow(hWnd);
}

namespace
{

int g_nRepaints = 0;

LRESULT CALLBACK CountingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kMarkupRepaintMessage)
    {
        ++g_nRepaints;
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

}  // namespace

TEST(MarkupContextRepaint, FrozenRequestsAreFlushedOnce)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = CountingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"LorvaneMarkupRepaintHost";
    RegisterClassW(&wc);
    HWND hWnd =
        CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(hWnd, nullptr);
    {
        MarkupContextHolder context(hWnd);
        ElementHolder root(context.Parse(L"<Border Background='Red'/>"));
        ASSERT_TRUE(root);
        MarkupSurface surface(50, 50);
        surface.Render(root.Get());
        g_nRepaints = 0;
        context->InvalidateElement(root.Get());
        EXPECT_EQ(g_nRepaints, 1);
        context->FreezeUpdates();
        context->InvalidateElement(root.Get());
        context->InvalidateAll();
        EXPECT_EQ(g_nRepaints, 1);
        context->UnfreezeUpdates();
        EXPECT_EQ(g_nRepaints, 2);
    }
    DestroyWindow(hWnd);
}
