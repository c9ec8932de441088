// Script names of the text block, the inline elements, the hyperlink, the
// page, the image and the border, as the JScript engine sees them.
#include "MarkupTestSupport.h"

#include <string>

namespace
{

// Calls a global function of the script without arguments; its result as
// text, or "<failed>".
std::wstring CallScript(CLVKMarkupContext* pContext, LPCWSTR lpszFunction)
{
    IDispatch* const pGlobal = pContext->GetScriptDispatch();
    DISPID dispid = 0;
    LPOLESTR name = const_cast<LPOLESTR>(lpszFunction);
    VARIANT result;
    VariantInit(&result);
    DISPPARAMS none = {};
    if (!pGlobal || FAILED(pGlobal->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &dispid)) ||
        FAILED(pGlobal->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, &result, nullptr,
                               nullptr)) ||
        FAILED(VariantChangeType(&result, &result, 0, VT_BSTR)))
    {
        VariantClear(&result);
        return L"<failed>";
    }
    std::wstring text = V_BSTR(&result) ? V_BSTR(&result) : L"";
    VariantClear(&result);
    return text;
}

}  // namespace

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
