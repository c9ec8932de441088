// Script names of the text block, the inline elements, the hyperlink, the
// page, the image, the border, the buttons and the scroll viewer, as the
// JScript engine sees them.
#include "MarkupTestSupport.h"

#include "Markup/MarkupButton.h"
#include "Markup/MarkupCheckBox.h"
#include "Markup/MarkupDelegate.h"
#include "Markup/MarkupRoutedEventArgs.h"
#include "Markup/MarkupScrollViewer.h"

#include <string>
#include <vector>

TEST(MarkupTextAutomation, ScriptsReadAndWriteTextElements)
{
    MarkupContextHolder context;
    std::wstring error;
    ElementHolder root(context.Parse(
        L"<StackPanel xmlns:lvk='urn:lorvane-markup'>"
        L"<TextBlock Name='one' FontWeight='Bold'>single</TextBlock>"
        L"<TextBlock Name='two'>a<Italic Name='it'>b</Italic><Hyperlink Name='link'>c</Hyperlink></TextBlock>"
        L"<Image Name='img' Source='file://x.png' Stretch='Uniform'/>"
        L"<Page Name='page'><Border Name='inner' Background='#FF0000'/></Page>"
        L"<lvk:Script>"
        L"function Read() {\n"
        L"  return [one.Text, two.Text, one.FontWeight, two.FontWeight, two.FontSize, it.FontStyle, it.FontWeight,\n"
        L"          two.Inlines.Count, it.Inlines.Count, it.BaselineAlignment, link.ClickEvent.Name,\n"
        L"          link.TextDecorations, img.Source, img.Stretch, page.Content.Name, (inner.Child == null),\n"
        L"          (it.Tag === null)].join('|');\n"
        L"}\n"
        L"function Write() {\n"
        L"  one.TextWrapping = 5; one.Text = 42; it.FontSize = 30; it.Tag = 'tagged'; img.Source = 'file://y.png';\n"
        L"  return [one.TextWrapping, one.Text, it.FontSize, it.Tag, img.Source, one.Inlines.Item(0).Text].join('|');\n"
        L"}\n"
        L"</lvk:Script></StackPanel>",
        &error));
    ASSERT_TRUE(root) << error;
    // Own values of text elements: the italic span reads weight 400 though it
    // inherits nothing bold, and the hyperlink's underline comes from its style.
    EXPECT_EQ(CallScript(context.Get(), L"Read"),
              L"single||700|400|-12|1|400|3|1|3|Click|1|file://x.png|2|inner|true|true");
    EXPECT_EQ(CallScript(context.Get(), L"Write"), L"2|42|30|tagged|file://y.png|42");
}

TEST(MarkupTextAutomation, ScriptsReadAndWriteButtonsAndTheScrollViewer)
{
    MarkupContextHolder context;
    std::vector<std::wstring> events;
    struct EventLog
    {
        std::vector<std::wstring>* pEvents;
        void OnEvent(CLVKMarkupObject*, CLVKMarkupObject* pArgs)
        {
            auto* const pArguments = MarkupCast<CLVKMarkupRoutedEventArgs>(pArgs);
            pEvents->push_back(pArguments ? pArguments->GetRoutedEvent()->GetName() : L"?");
        }
    } log{&events};
    context->SetDelegate(L"Log", new CLVKMarkupClassDelegate<EventLog>(&log, &EventLog::OnEvent));
    std::wstring error;
    ElementHolder root(context.Parse(
        L"<StackPanel xmlns:lvk='urn:lorvane-markup'>"
        L"<Button Name='ok' Content='OK'/>"
        L"<CheckBox Name='box' Checked='Log' Unchecked='Log' Indeterminate='Log'/>"
        L"<ScrollViewer Name='view' Height='100'><Border Height='500'/></ScrollViewer>"
        L"<lvk:Script>"
        L"function Read() {\n"
        L"  return [ok.Content.Text, ok.IsPressed, ok.ClickEvent.Name, box.IsChecked, box.IsThreeState,\n"
        L"          box.CheckedEvent.Name, box.IndeterminateEvent.Name, box.UncheckedEvent.Name,\n"
        L"          view.VerticalOffset, view.HorizontalOffset].join('|');\n"
        L"}\n"
        L"function Write() {\n"
        L"  ok.IsPressed = true; box.IsThreeState = true; box.IsChecked = 2; box.IsChecked = 1;\n"
        L"  ok.Content = box.Content; view.VerticalOffset = 100000;\n"
        L"  return [ok.IsPressed, box.IsThreeState, box.IsChecked, (ok.Content == null)].join('|');\n"
        L"}\n"
        L"function WriteBadState() { try { box.IsChecked = 3; return 'stored'; } catch (e) { return 'refused'; } }\n"
        L"function ReadOffset() { return view.VerticalOffset; }\n"
        L"</lvk:Script></StackPanel>",
        &error));
    ASSERT_TRUE(root) << error;
    MarkupSurface surface(200, 200);
    surface.Render(root.Get());
    EXPECT_EQ(CallScript(context.Get(), L"Read"), L"OK|false|Click|0|false|Checked|Indeterminate|Unchecked|0|0");
    // Writing the pressed state does nothing; the checked state raises its
    // events without a click.
    EXPECT_EQ(CallScript(context.Get(), L"Write"), L"false|true|1|true");
    EXPECT_EQ(events, (std::vector<std::wstring>{L"Indeterminate", L"Checked"}));
    EXPECT_EQ(CallScript(context.Get(), L"WriteBadState"), L"refused");
    EXPECT_EQ(MarkupCast<CLVKMarkupCheckBox>(root->FindName(L"box"))->GetChecked(), 1);
    // An offset beyond the end is the largest one: 500 in 100 scrolls to 400.
    surface.Render(root.Get());
    EXPECT_EQ(CallScript(context.Get(), L"ReadOffset"), L"400");
}
