// Reading markup: the XML parser's errors with line and column, the repair
// of a missing x declaration, white space, refused document types, and the
// builder's errors with their texts.
#include "MarkupTestSupport.h"

#include "Markup/MarkupBuilder.h"
#include "Markup/MarkupParser.h"
#include "Markup/MarkupTextBlock.h"

#include <cwchar>

TEST(MarkupParser, ReportsLineColumnReasonAndSourceLine)
{
    CLVKMarkupParser parser;
    const wchar_t text[] = L"<Border>\n  <Border>\n</Bordr></Border>";
    EXPECT_FALSE(parser.ParseText(text, nullptr));
    EXPECT_TRUE(parser.HasPosition());
    EXPECT_EQ(parser.GetLine(), 3);
    EXPECT_EQ(parser.GetColumn(), 3);
    const std::wstring strError = static_cast<LPCWSTR>(parser.GetErrorText());
    EXPECT_EQ(strError.rfind(L"XML Error [0xC00CE507] 'mismatched tag' at 3:3 '</Bordr></Border>'", 0), 0u) << strError;
}

TEST(MarkupParser, TextThatIsNotMarkupRecordsNoError)
{
    CLVKMarkupParser parser;
    EXPECT_FALSE(parser.ParseText(L"plain text", nullptr));
    EXPECT_EQ(std::wstring(static_cast<LPCWSTR>(parser.GetErrorText())), L"No Error");
    EXPECT_TRUE(parser.ParseText(L"   \r\n <Border/>", nullptr));
}

TEST(MarkupParser, DeclaresAMissingXPrefixOnTheFirstElement)
{
    MarkupContextHolder context;
    // After a declaration and a comment, on the first element.
    ElementHolder root(context.Parse(L"<?xml version='1.0'?><!-- a < comment --><Border x:Name='b'/>"));
    ASSERT_TRUE(root);
    EXPECT_STREQ(root->GetNameText(), L"b");

    // A later error is reported with the positions of the repaired text.
    CLVKMarkupParser parser;
    EXPECT_FALSE(parser.ParseText(L"<Border x:Name='b'>\n<Border></Border", nullptr));
    EXPECT_EQ(parser.GetLine(), 2);

    // Another undeclared prefix is an error, not repaired.
    const std::wstring strError = context.ErrorOf(L"<Border y:Name='b'/>");
    EXPECT_NE(strError.find(L"[0xC00CE01D] 'Reference to undeclared namespace prefix: 'y'.'"), std::wstring::npos)
        << strError;
}

TEST(MarkupParser, RefusesDocumentTypesAndEntities)
{
    MarkupContextHolder context;
    const std::wstring strError = context.ErrorOf(
        L"<!DOCTYPE Border [<!ENTITY a 'aaaaaaaaaa'><!ENTITY b '&a;&a;&a;&a;&a;&a;'>]><TextBlock>&b;</TextBlock>");
    EXPECT_NE(strError.find(L"A document type definition is not allowed in markup."), std::wstring::npos) << strError;
    const std::wstring strExternal = context.ErrorOf(L"<!DOCTYPE Border SYSTEM 'file:///c:/windows/win.ini'><Border/>");
    EXPECT_NE(strExternal.find(L"document type definition"), std::wstring::npos) << strExternal;
}

TEST(MarkupParser, WhiteSpaceIsNormalisedExceptWherePreserved)
{
    MarkupContextHolder context;
    struct SpaceCase
    {
        const wchar_t* markup;
        const wchar_t* text;
    } const cases[] = {
        {L"<TextBlock>  a   b  </TextBlock>", L"a b"},
        {L"<TextBlock>\n\t a \n</TextBlock>", L"a"},
        {L"<TextBlock xml:space='preserve'>  a   b </TextBlock>", L"  a   b "},
        {L"<TextBlock><![CDATA[  x  y ]]></TextBlock>", L"  x  y "},
        // Spaces next to a sibling node keep one space each.
        {L"<TextBlock>a  <!-- c -->  b</TextBlock>", L"a  b"},
        {L"<TextBlock>   </TextBlock>", L""},
    };
    for (const auto& c : cases)
    {
        std::wstring error;
        ElementHolder root(context.Parse(c.markup, &error));
        ASSERT_TRUE(root) << c.markup << error;
        EXPECT_STREQ(static_cast<CLVKMarkupTextBlock*>(root.Get())->GetText(), c.text) << c.markup;
    }
}

TEST(MarkupBuilder, ErrorsCarryTheirTexts)
{
    struct ErrorCase
    {
        const wchar_t* markup;
        const wchar_t* error;
    } const cases[] = {
        {L"<Bordr/>", L"The tag 'Bordr' does not exist in XML namespace"},
        {L"<Border Widht='4'/>", L"The property 'Widht' does not exist in XML namespace"},
        {L"<Border Width='{Foo Bar}'/>", L"The tag 'Foo Bar' does not exist in XML namespace"},
        {L"<Border Width='{StaticResource'/>", L"Markup extension expressions must end with '}'"},
        {L"<Border Background='{StaticResource Missing}'/>",
         L"Cannot find resource named 'Missing'. Resource names are case sensitive"},
        {L"<Border><Border.Resources><SolidColorBrush x:Key='a' Color='Red'/><SolidColorBrush x:Key='a' "
         L"Color='Blue'/></Border.Resources></Border>",
         L"Dictionary key is already used. Key attributes must be unique."},
        {L"<Border><Border.Resources><SolidColorBrush Color='Red'/></Border.Resources></Border>",
         L"Objects added to Dictionary must have Key attribute or some other type of associated Key"},
        {L"<Border Width='x' Background='Nothing'/>",
         L"Cannot convert string in attribute 'Background' to object of type 'CLVKMarkupBrush'"},
        {L"<Border>text</Border>", L"Cannot convert the string 'text' into a 'CLVKMarkupBorder' object"},
        {L"<Border><Border/><Border/></Border>",
         L"'CLVKMarkupBorder' already has a child and cannot add 'CLVKMarkupBorder'. 'CLVKMarkupBorder' can accept "
         L"only one child."},
        {L"<UniformGrid><Setter/></UniformGrid>",
         L"'CLVKMarkupSetter' object cannot be added to 'CLVKMarkupUIElementCollection'. Object cannot be converted "
         L"to type 'CLVKMarkupUIElement'"},
        {L"<SolidColorBrush Color='Red'/>", L"Root element have to be 'CLVKMarkupUIElement' type"},
        {L"<foo:Border xmlns:foo='urn:foo'/>", L"Root element have to be 'CLVKMarkupUIElement' type"},
        {L"<Border><TextBlock.Text>a</TextBlock.Text></Border>", L"Invalid use of dependency property TextBlock.Text"},
        {L"<Border><Border.Background></Border.Background></Border>", L"'Background' property does not have a value"},
        {L"<Border Width='{x:Type Nothing}'/>", L"Cannot find type 'Nothing'"},
        {L"<Border Background='{x:Static SystemColors.Nothing}'/>",
         L"Cannot find the static extension 'SystemColors.Nothing'"},
        // Names are arguments, never formats.
        {L"<Border Width='{Bo%sr%n}'/>", L"The tag 'Bo%sr%n' does not exist in XML namespace"},
        {L"<Border Background='{StaticResource %s%s%n}'/>",
         L"Cannot find resource named '%s%s%n'. Resource names are case sensitive"},
    };
    MarkupContextHolder context;
    for (const auto& c : cases)
    {
        const std::wstring markup = c.markup;
        std::wstring withNamespace = markup;
        if (markup.find(L"x:") != std::wstring::npos)
        {
            const size_t nEnd = markup.find_first_of(L" />", 1);
            withNamespace = markup.substr(0, nEnd) + L" xmlns:x='http://schemas.microsoft.com/winfx/2006/xaml'" +
                            markup.substr(nEnd);
        }
        EXPECT_EQ(context.ErrorOf(withNamespace), c.error) << c.markup;
    }
}

TEST(MarkupBuilder, DeepNestingIsAnErrorNotACrash)
{
    MarkupContextHolder context;
    std::wstring markup;
    for (int i = 0; i < 10000; ++i)
    {
        markup += L"<Border>";
    }
    for (int i = 0; i < 10000; ++i)
    {
        markup += L"</Border>";
    }
    EXPECT_EQ(context.ErrorOf(markup), L"The markup nests elements deeper than 256 levels");

    std::wstring nested = L"<Border Background='";
    for (int i = 0; i < 10000; ++i)
    {
        nested += L"{StaticResource ";
    }
    nested += L"a";
    for (int i = 0; i < 10000; ++i)
    {
        nested += L"}";
    }
    nested += L"'/>";
    EXPECT_EQ(context.ErrorOf(nested), L"Markup extensions nest deeper than 256 levels");
}

TEST(MarkupBuilder, LongErrorTextsAreCut)
{
    MarkupContextHolder context;
    const std::wstring strTag(400, L'A');
    const std::wstring strError = context.ErrorOf(L"<" + strTag + L"/>");
    EXPECT_EQ(strError.size(), 255u);
}

TEST(MarkupBuilder, ValidTextsAndEscapedBraces)
{
    MarkupContextHolder context;
    EXPECT_EQ(context.ErrorOf(L"<Border/>"), L"Done.");
    ElementHolder root(context.Parse(L"<TextBlock Text='{}{braced}'/>"));
    ASSERT_TRUE(root);
    EXPECT_STREQ(static_cast<CLVKMarkupTextBlock*>(root.Get())->GetText(), L"{braced}");
    // Elements of a foreign prefix vanish with their children.
    ElementHolder skipped(
        context.Parse(L"<UniformGrid xmlns:foo='urn:foo'><foo:Thing><Bordr/></foo:Thing><Border/></UniformGrid>"));
    ASSERT_TRUE(skipped);
    EXPECT_EQ(skipped->GetLogicalChildrenCount(), 1);
}

TEST(MarkupBuilder, AttachedPropertyElementsInsideNestedElements)
{
    MarkupContextHolder context;
    // An attached property written as a property element of a child, for
    // the type of an element being built further out.
    std::wstring error;
    ElementHolder root(context.Parse(L"<TextBlock><TextBlock.FontSize>20</TextBlock.FontSize></TextBlock>", &error));
    EXPECT_TRUE(root) << error;
    ElementHolder nested(
        context.Parse(L"<Border><Border><TextBlock.Foreground>Red</TextBlock.Foreground></Border></Border>", &error));
    EXPECT_FALSE(nested);
    EXPECT_EQ(error, L"Invalid use of dependency property TextBlock.Foreground");
    ElementHolder inside(
        context.Parse(L"<TextBlock><TextBlock.Tag><Border><TextBlock.Foreground>Red</TextBlock.Foreground></Border>"
                      L"</TextBlock.Tag></TextBlock>",
                      &error));
    EXPECT_TRUE(inside) << error;
}
