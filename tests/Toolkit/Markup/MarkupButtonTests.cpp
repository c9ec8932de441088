// Buttons, check boxes and radio buttons: clicks from relayed mouse input,
// pressed and hover states while dragging, toggling and its events, radio
// groups, content rules and layout.
#include "MarkupTestSupport.h"

#include "Markup/MarkupButton.h"
#include "Markup/MarkupCheckBox.h"
#include "Markup/MarkupDelegate.h"
#include "Markup/MarkupRadioButton.h"
#include "Markup/MarkupRoutedEventArgs.h"
#include "Markup/MarkupTextBlock.h"

#include <string>
#include <vector>

namespace
{

const wchar_t kX[] = L" xmlns:x='http://schemas.microsoft.com/winfx/2006/xaml' ";

class ClickLog
{
public:
    void OnEvent(CLVKMarkupObject* pSender, CLVKMarkupObject* pArgs)
    {
        auto* const pArguments = MarkupCast<CLVKMarkupRoutedEventArgs>(pArgs);
        const CLVKMarkupObject* const pSource = pArguments ? pArguments->GetSource() : pSender;
        const LPCWSTR lpszName = pSource ? pSource->GetNameText() : nullptr;
        m_entries.push_back(std::wstring(lpszName ? lpszName : L"?") + L":" +
                            (pArguments ? pArguments->GetRoutedEvent()->GetName() : L"?"));
    }
    std::vector<std::wstring> m_entries;
};

LRESULT CALLBACK ButtonHostProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

// A window the markup context captures the mouse for.
class ButtonHost
{
public:
    ButtonHost()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ButtonHostProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"LorvaneMarkupButtonTestHost";
        RegisterClassW(&wc);
        m_hWnd = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, wc.hInstance,
                                 nullptr);
    }
    ~ButtonHost() { DestroyWindow(m_hWnd); }
    HWND Get() const { return m_hWnd; }

private:
    HWND m_hWnd;
};

void Relay(const ElementHolder& root, UINT message, int x, int y)
{
    LRESULT lResult = 0;
    MarkupRelayElementMessage(root.Get(), message, 0, MAKELPARAM(x, y), &lResult);
}

}  // namespace

TEST(MarkupButtons, ReleaseOverTheButtonClicksAndDraggingOutCancels)
{
    ButtonHost host;
    MarkupContextHolder context(host.Get());
    ClickLog log;
    context->SetDelegate(L"Log", new CLVKMarkupClassDelegate<ClickLog>(&log, &ClickLog::OnEvent));
    std::wstring error;
    ElementHolder root(context.Parse(std::wstring(L"<Border") + kX +
                                         L" Background='White'><Button x:Name='ok' Width='60' Height='30' "
                                         L"HorizontalAlignment='Left' VerticalAlignment='Top' Content='OK' "
                                         L"Click='Log'/></Border>",
                                     &error));
    ASSERT_TRUE(root) << error;
    MarkupSurface surface(200, 200);
    surface.Render(root.Get());
    auto* const pButton = MarkupCast<CLVKMarkupButton>(root->FindName(L"ok"));
    ASSERT_NE(pButton, nullptr);

    Relay(root, WM_MOUSEMOVE, 20, 10);
    Relay(root, WM_LBUTTONDOWN, 20, 10);
    EXPECT_TRUE(pButton->IsPressed());
    EXPECT_EQ(context->GetCapturedElement(), pButton);
    Relay(root, WM_LBUTTONUP, 20, 10);
    EXPECT_FALSE(pButton->IsPressed());
    EXPECT_EQ(context->GetCapturedElement(), nullptr);
    EXPECT_EQ(log.m_entries, (std::vector<std::wstring>{L"ok:Click"}));

    // Dragged out it looks released, back in pressed again; a release
    // outside gives no click.
    log.m_entries.clear();
    Relay(root, WM_LBUTTONDOWN, 20, 10);
    Relay(root, WM_MOUSEMOVE, 150, 150);
    EXPECT_FALSE(pButton->IsPressed());
    Relay(root, WM_MOUSEMOVE, 30, 15);
    EXPECT_TRUE(pButton->IsPressed());
    Relay(root, WM_MOUSEMOVE, 150, 150);
    Relay(root, WM_LBUTTONUP, 150, 150);
    EXPECT_FALSE(pButton->IsPressed());
    EXPECT_FALSE(pButton->IsMouseOver());
    EXPECT_TRUE(log.m_entries.empty());
}

TEST(MarkupButtons, DisabledButtonSwallowsThePress)
{
    ButtonHost host;
    MarkupContextHolder context(host.Get());
    ClickLog log;
    context->SetDelegate(L"Log", new CLVKMarkupClassDelegate<ClickLog>(&log, &ClickLog::OnEvent));
    ElementHolder root(
        context.Parse(std::wstring(L"<Button") + kX + L" x:Name='off' IsEnabled='False' Content='Off' Click='Log'/>"));
    ASSERT_TRUE(root);
    MarkupSurface surface(100, 40);
    surface.Render(root.Get());
    Relay(root, WM_MOUSEMOVE, 10, 10);
    LRESULT lResult = 0;
    EXPECT_TRUE(MarkupRelayElementMessage(root.Get(), WM_LBUTTONDOWN, 0, MAKELPARAM(10, 10), &lResult));
    EXPECT_EQ(context->GetCapturedElement(), nullptr);
    Relay(root, WM_LBUTTONUP, 10, 10);
    EXPECT_TRUE(log.m_entries.empty());
}

TEST(MarkupButtons, TogglingCyclesAndRaisesStateEventsBeforeClick)
{
    MarkupContextHolder context;
    ClickLog log;
    context->SetDelegate(L"Log", new CLVKMarkupClassDelegate<ClickLog>(&log, &ClickLog::OnEvent));
    struct CycleCase
    {
        const wchar_t* threeState;
        std::vector<int> states;
        std::vector<std::wstring> events;
    } const cases[] = {
        {L"True", {1, 2, 0}, {L"c:Checked", L"c:Click", L"c:Indeterminate", L"c:Click", L"c:Unchecked", L"c:Click"}},
        {L"False", {1, 0, 1}, {L"c:Checked", L"c:Click", L"c:Unchecked", L"c:Click", L"c:Checked", L"c:Click"}},
    };
    for (const CycleCase& c : cases)
    {
        ElementHolder root(context.Parse(std::wstring(L"<CheckBox") + kX + L" x:Name='c' IsThreeState='" +
                                         c.threeState +
                                         L"' Checked='Log' Unchecked='Log' Indeterminate='Log' "
                                         L"Click='Log'/>"));
        ASSERT_TRUE(root);
        auto* const pBox = MarkupCast<CLVKMarkupCheckBox>(root.Get());
        ASSERT_NE(pBox, nullptr);
        EXPECT_EQ(pBox->GetChecked(), 0);
        log.m_entries.clear();
        for (const int nState : c.states)
        {
            pBox->OnClick();
            EXPECT_EQ(pBox->GetChecked(), nState) << c.threeState;
        }
        EXPECT_EQ(log.m_entries, c.events) << c.threeState;
    }

    // A change from code raises its event without a click.
    ElementHolder root(context.Parse(std::wstring(L"<CheckBox") + kX +
                                     L" x:Name='c' Checked='Log' Unchecked='Log' Indeterminate='Log' Click='Log'/>"));
    ASSERT_TRUE(root);
    auto* const pBox = MarkupCast<CLVKMarkupCheckBox>(root.Get());
    log.m_entries.clear();
    pBox->SetChecked(1);
    pBox->SetChecked(2);
    pBox->SetChecked(2);
    pBox->SetChecked(0);
    EXPECT_EQ(log.m_entries, (std::vector<std::wstring>{L"c:Checked", L"c:Indeterminate", L"c:Unchecked"}));
}

TEST(MarkupButtons, IsCheckedText)
{
    MarkupContextHolder context;
    struct TextCase
    {
        const wchar_t* text;
        int checked;
    } const cases[] = {{L"True", 1}, {L"true", 1}, {L"FALSE", 0}, {L"", 2}};
    for (const TextCase& c : cases)
    {
        ElementHolder root(context.Parse(std::wstring(L"<CheckBox IsChecked='") + c.text + L"'/>"));
        ASSERT_TRUE(root) << c.text;
        EXPECT_EQ(MarkupCast<CLVKMarkupCheckBox>(root.Get())->GetChecked(), c.checked) << c.text;
    }
    EXPECT_EQ(context.ErrorOf(L"<CheckBox IsChecked='maybe'/>").rfind(L"Cannot convert string in attribute", 0), 0u)
        << context.ErrorOf(L"<CheckBox IsChecked='maybe'/>");
}

TEST(MarkupButtons, RadioButtonsShareTheirParent)
{
    MarkupContextHolder context;
    ClickLog log;
    context->SetDelegate(L"Log", new CLVKMarkupClassDelegate<ClickLog>(&log, &ClickLog::OnEvent));
    std::wstring error;
    ElementHolder root(context.Parse(
        std::wstring(L"<StackPanel") + kX +
            L"><RadioButton x:Name='a' IsChecked='True' Checked='Log' Unchecked='Log' Click='Log'/>"
            L"<RadioButton x:Name='b' Checked='Log' Unchecked='Log' Click='Log'/>"
            L"<StackPanel><RadioButton x:Name='other' IsChecked='True' Unchecked='Log'/></StackPanel></StackPanel>",
        &error));
    ASSERT_TRUE(root) << error;
    auto* const pA = MarkupCast<CLVKMarkupRadioButton>(root->FindName(L"a"));
    auto* const pB = MarkupCast<CLVKMarkupRadioButton>(root->FindName(L"b"));
    auto* const pOther = MarkupCast<CLVKMarkupRadioButton>(root->FindName(L"other"));
    ASSERT_TRUE(pA && pB && pOther);

    log.m_entries.clear();
    pB->OnClick();
    EXPECT_EQ(log.m_entries, (std::vector<std::wstring>{L"a:Unchecked", L"b:Checked", L"b:Click"}));
    EXPECT_EQ(pA->GetChecked(), 0);
    EXPECT_EQ(pB->GetChecked(), 1);
    EXPECT_EQ(pOther->GetChecked(), 1) << "another parent is another group";

    // Clicking the checked one leaves it checked.
    log.m_entries.clear();
    pB->OnClick();
    EXPECT_EQ(log.m_entries, (std::vector<std::wstring>{L"b:Click"}));
    EXPECT_EQ(pB->GetChecked(), 1);
}

TEST(MarkupButtons, ContentRules)
{
    MarkupContextHolder context;
    ElementHolder root(context.Parse(L"<Button Content='OK'/>"));
    ASSERT_TRUE(root);
    auto* const pText = MarkupCast<CLVKMarkupTextBlock>(MarkupCast<CLVKMarkupButton>(root.Get())->GetContent());
    ASSERT_NE(pText, nullptr);
    EXPECT_STREQ(pText->GetText(), L"OK");

    ElementHolder element(context.Parse(L"<Button>Go</Button>"));
    ASSERT_TRUE(element);
    EXPECT_NE(MarkupCast<CLVKMarkupTextBlock>(MarkupCast<CLVKMarkupButton>(element.Get())->GetContent()), nullptr);

    EXPECT_EQ(
        context.ErrorOf(L"<Button><Border/><Border/></Button>"),
        L"'CLVKMarkupButton' already has a child and cannot add 'CLVKMarkupBorder'. 'CLVKMarkupButton' can accept "
        L"only one child.");
    EXPECT_EQ(context.ErrorOf(L"<CheckBox><SolidColorBrush/></CheckBox>"),
              L"'CLVKMarkupSolidColorBrush' object cannot be added to 'CLVKMarkupCheckBox'. Object cannot be converted "
              L"to type 'CLVKMarkupUIElement'");
}

TEST(MarkupButtons, LayoutSizes)
{
    MarkupContextHolder context(nullptr, 96);
    struct SizeCase
    {
        const wchar_t* markup;
        int width, height;
    } const cases[] = {
        // Content plus padding plus 8.
        {L"<Button Padding='1,2,3,4'><Border Width='20' Height='10'/></Button>", 20 + 4 + 8, 10 + 6 + 8},
        {L"<Button/>", 8, 8},
        // Content plus 16 for the mark; at least 13 high.
        {L"<CheckBox><Border Width='20' Height='5'/></CheckBox>", 36, 13},
        {L"<RadioButton/>", 16, 13},
        {L"<CheckBox Padding='2'><Border Width='20' Height='30'/></CheckBox>", 40, 34},
    };
    for (const SizeCase& c : cases)
    {
        ElementHolder root(context.Parse(c.markup));
        ASSERT_TRUE(root) << c.markup;
        const SIZE size = MarkupMeasureElement(root.Get(), 500, 500);
        EXPECT_EQ(size.cx, c.width) << c.markup;
        EXPECT_EQ(size.cy, c.height) << c.markup;
    }
}

TEST(MarkupButtons, PressedButtonWithBackgroundMovesItsContent)
{
    MarkupContextHolder context;
    ElementHolder root(context.Parse(
        L"<Button Width='40' Height='30' HorizontalAlignment='Left' VerticalAlignment='Top' Background='#0000FF'>"
        L"<Border Background='Red'/></Button>"));
    ASSERT_TRUE(root);
    auto* const pButton = MarkupCast<CLVKMarkupButton>(root.Get());
    MarkupSurface surface(60, 50);
    surface.Render(root.Get());
    // Content from 4 to 36; the bevel: light top-left, dark bottom-right.
    EXPECT_EQ(surface.Pixel(4, 4), RGB(255, 0, 0));
    EXPECT_EQ(surface.Pixel(3, 10), RGB(0, 0, 255));
    EXPECT_NE(surface.Pixel(0, 10), RGB(0, 0, 255));
    EXPECT_NE(surface.Pixel(39, 10), RGB(0, 0, 255));
    const COLORREF clrLight = surface.Pixel(0, 10), clrDark = surface.Pixel(39, 10);
    EXPECT_GT(GetBValue(clrLight), GetBValue(clrDark));

    pButton->SetPressed(TRUE);
    MarkupSurface pressed(60, 50);
    pressed.Render(root.Get());
    EXPECT_EQ(pressed.Pixel(4, 4), RGB(0, 0, 255));
    EXPECT_EQ(pressed.Pixel(5, 5), RGB(255, 0, 0));
    EXPECT_EQ(pressed.Pixel(36, 26), RGB(255, 0, 0));
    pButton->SetPressed(FALSE);
}
