// Text blocks and inline text elements: the content model, the inline
// operations, line layout (wrapping, trimming, alignment, hard breaks),
// where ink lands, decorations, and the hyperlink's look and Click.
#include "MarkupTestSupport.h"

#include "Markup/MarkupBold.h"
#include "Markup/MarkupBorder.h"
#include "Markup/MarkupDelegate.h"
#include "Markup/MarkupDrawingContext.h"
#include "Markup/MarkupEnum.h"
#include "Markup/MarkupFont.h"
#include "Markup/MarkupHyperlink.h"
#include "Markup/MarkupInlineCollection.h"
#include "Markup/MarkupInlineUIContainer.h"
#include "Markup/MarkupInt.h"
#include "Markup/MarkupItalic.h"
#include "Markup/MarkupLineBreak.h"
#include "Markup/MarkupRoutedEventArgs.h"
#include "Markup/MarkupRun.h"
#include "Markup/MarkupSolidColorBrush.h"
#include "Markup/MarkupTextBlock.h"

#include <string>
#include <vector>

namespace
{

const wchar_t kX[] = L" xmlns:x='http://schemas.microsoft.com/winfx/2006/xaml'";

CLVKMarkupTextBlock* AsTextBlock(const ElementHolder& root)
{
    return MarkupCast<CLVKMarkupTextBlock>(root.Get());
}

// Widths and heights in the context's default font, as the text block
// measures them.
class TextMeter
{
public:
    explicit TextMeter(CLVKMarkupContext* pContext)
        : m_dc(pContext), m_pFont(pContext->GetFont(pContext->GetDefaultFont()))
    {
        m_dc.SetFont(m_pFont);
    }
    ~TextMeter() { m_pFont->Release(); }
    int Width(const std::wstring& str) { return m_dc.GetTextExtent(str.c_str(), static_cast<int>(str.size())).cx; }
    int Height() { return m_dc.GetTextExtent(L" ", 1).cy; }

private:
    CLVKMarkupDrawingContext m_dc;
    CLVKMarkupFont* m_pFont;
};

// The text a piece stands for (runs only).
std::wstring PieceText(const CLVKMarkupTextBlock::Piece& piece)
{
    auto* const pRun = MarkupCast<CLVKMarkupRun>(piece.pInline);
    if (!pRun)
    {
        return L"<element>";
    }
    const std::wstring text = pRun->GetText();
    const int nEnd = piece.nEnd == kMarkupTextEnd ? static_cast<int>(text.size()) : piece.nEnd;
    return piece.nStart < 0 || nEnd < piece.nStart ? std::wstring() : text.substr(piece.nStart, nEnd - piece.nStart);
}

std::vector<std::wstring> LineTexts(const CLVKMarkupTextBlock* pBlock)
{
    std::vector<std::wstring> lines;
    for (const auto& line : pBlock->GetLines())
    {
        std::wstring text;
        for (const auto& pPiece : line.pieces)
        {
            text += PieceText(*pPiece);
        }
        lines.push_back(text);
    }
    return lines;
}

// Parses a text block and lays it out in a box of the given width.
CLVKMarkupUIElement* LayOut(MarkupContextHolder& context, const std::wstring& markup, int nWidth,
                            std::wstring* pError = nullptr)
{
    CLVKMarkupUIElement* const pRoot = context.Parse(markup, pError);
    if (pRoot)
    {
        CLVKMarkupDrawingContext dc(context.Get());
        pRoot->Measure(&dc, nWidth, 0x7FFFFFFF);
        pRoot->Arrange(0, 0, nWidth, pRoot->GetDesiredSize().cy);
    }
    return pRoot;
}

struct EventLog
{
    void OnEvent(CLVKMarkupObject* pSender, CLVKMarkupObject* pArgs)
    {
        senders.push_back(pSender);
        if (auto* const pRouted = MarkupCast<CLVKMarkupRoutedEventArgs>(pArgs))
        {
            sources.push_back(pRouted->GetSource());
        }
    }
    std::vector<CLVKMarkupObject*> senders;
    std::vector<CLVKMarkupObject*> sources;
};

HWND CreateTextHost()
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"LorvaneMarkupTextHost";
    RegisterClassW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, wc.hInstance, nullptr);
}

}  // namespace

TEST(MarkupInlines, ContentBecomesRunsSpansAndContainers)
{
    MarkupContextHolder context;
    std::wstring error;
    ElementHolder root(context.Parse(L"<TextBlock>a<Italic>b<Bold>c</Bold></Italic><LineBreak/>"
                                     L"<Span><Border Width='5' Height='5'/></Span><Hyperlink>d</Hyperlink></TextBlock>",
                                     &error));
    ASSERT_TRUE(root) << error;
    CLVKMarkupTextBlock* const pBlock = AsTextBlock(root);
    ASSERT_NE(pBlock, nullptr);
    EXPECT_EQ(std::wstring(pBlock->GetText()), L"abc\nd");
    CLVKMarkupInlineCollection* const pInlines = pBlock->GetInlines();
    ASSERT_EQ(pInlines->GetCount(), 5);
    EXPECT_NE(MarkupCast<CLVKMarkupRun>(pInlines->GetInline(0)), nullptr);
    auto* const pItalic = MarkupCast<CLVKMarkupItalic>(pInlines->GetInline(1));
    ASSERT_NE(pItalic, nullptr);
    auto* const pBreak = MarkupCast<CLVKMarkupLineBreak>(pInlines->GetInline(2));
    ASSERT_NE(pBreak, nullptr);
    EXPECT_STREQ(pBreak->GetText(), L"\n");
    // An element inside a span is wrapped in an inline UI container.
    auto* const pSpan = MarkupCast<CLVKMarkupSpan>(pInlines->GetInline(3));
    ASSERT_NE(pSpan, nullptr);
    auto* const pContainer = MarkupCast<CLVKMarkupInlineUIContainer>(pSpan->GetInlines()->GetInline(0));
    ASSERT_NE(pContainer, nullptr);
    EXPECT_NE(MarkupCast<CLVKMarkupBorder>(pContainer->GetChild()), nullptr);
    EXPECT_NE(MarkupCast<CLVKMarkupHyperlink>(pInlines->GetInline(4)), nullptr);

    // Bold inside Italic: weight 700 and italic, by inheritance.
    auto* const pBoldRun = MarkupCast<CLVKMarkupRun>(pItalic->GetInlines()->GetInline(1)->GetFirstInline());
    ASSERT_NE(pBoldRun, nullptr);
    EXPECT_STREQ(pBoldRun->GetText(), L"c");
    LOGFONTW lf{};
    pBoldRun->GetLogFont(lf);
    EXPECT_EQ(lf.lfWeight, 700);
    EXPECT_TRUE(lf.lfItalic);
    EXPECT_FALSE(lf.lfUnderline);
    // Reading order through spans and out of them.
    std::wstring order;
    for (CLVKMarkupInline* p = pInlines->GetInline(0)->GetFirstInline(); p; p = p->GetNextInline())
    {
        auto* const pRun = MarkupCast<CLVKMarkupRun>(p);
        order += pRun ? std::wstring(pRun->GetText()) : std::wstring(L"[E]");
    }
    EXPECT_EQ(order, L"abc\n[E]d");
    EXPECT_EQ(pBoldRun->GetBaselineAlignment(), 3);

    // Setting "Text" replaces the inlines with one run.
    pBlock->SetText(L"plain");
    ASSERT_EQ(pInlines->GetCount(), 1);
    EXPECT_STREQ(MarkupCast<CLVKMarkupRun>(pInlines->GetInline(0))->GetText(), L"plain");
}

TEST(MarkupInlines, ContentThatIsNoInlineFails)
{
    MarkupContextHolder context;
    const struct
    {
        const wchar_t* markup;
        const wchar_t* error;
    } cases[] = {
        {L"<TextBlock><InlineUIContainer>text</InlineUIContainer></TextBlock>",
         L"'CLVKMarkupString' object cannot be added to 'CLVKMarkupInlineUIContainer'. Object cannot be converted to "
         L"type 'CLVKMarkupUIElement'"},
        {L"<TextBlock><SolidColorBrush/></TextBlock>",
         L"'CLVKMarkupSolidColorBrush' object cannot be added to 'CLVKMarkupInlineCollection'. Object cannot be "
         L"converted to type 'CLVKMarkupInline'"},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(context.ErrorOf(c.markup), c.error) << c.markup;
    }
}

TEST(MarkupInlines, RunMeasuresRangesAndKeepsItsFontForACharsetChange)
{
    MarkupContextHolder context;
    ElementHolder root(context.Parse(L"<TextBlock><Run>ab</Run><Run/></TextBlock>"));
    ASSERT_TRUE(root);
    CLVKMarkupInlineCollection* const pInlines = AsTextBlock(root)->GetInlines();
    auto* const pRun = MarkupCast<CLVKMarkupRun>(pInlines->GetInline(0));
    auto* const pEmpty = MarkupCast<CLVKMarkupRun>(pInlines->GetInline(1));
    ASSERT_NE(pRun, nullptr);
    ASSERT_NE(pEmpty, nullptr);
    TextMeter meter(context.Get());
    CLVKMarkupDrawingContext dc(context.Get());
    pRun->PrepareFont(&dc);
    pEmpty->PrepareFont(&dc);
    EXPECT_EQ(pRun->MeasureRange(&dc, 0, kMarkupTextEnd).cx, meter.Width(L"ab"));
    EXPECT_EQ(pRun->MeasureRange(&dc, 1, kMarkupTextEnd).cx, meter.Width(L"b"));
    const SIZE empty = pRun->MeasureRange(&dc, 1, 1);
    EXPECT_EQ(empty.cx, 0);
    EXPECT_EQ(empty.cy, meter.Height());
    const SIZE none = pEmpty->MeasureRange(&dc, 0, kMarkupTextEnd);
    EXPECT_EQ(none.cx, 0);
    EXPECT_EQ(none.cy, 0);
    EXPECT_EQ(pEmpty->GetTextStart(), kMarkupTextEnd);
    ASSERT_NE(pRun->GetMetricsPair(), nullptr);
    EXPECT_EQ(pRun->GetDescent(), pRun->GetMetricsPair()->y);

    CLVKMarkupFont* const pFont = pRun->GetFont();
    pRun->SetValue(CLVKMarkupTextElement::m_pFontCharsetProperty, new CLVKMarkupInt(SYMBOL_CHARSET));
    pRun->PrepareFont(&dc);
    EXPECT_EQ(pRun->GetFont(), pFont);
    pRun->SetFontWeight(FW_BOLD);
    pRun->PrepareFont(&dc);
    EXPECT_NE(pRun->GetFont(), pFont);
}

TEST(MarkupTextLayout, LinesOfWrappingTrimmingAndBreaks)
{
    MarkupContextHolder context;
    TextMeter meter(context.Get());
    const int nWord = meter.Width(L"bbbb");
    const int nRoomForOneWord = nWord + meter.Width(L" ") / 2;
    const struct
    {
        const wchar_t* name;
        std::wstring markup;
        int width;
        std::vector<std::wstring> lines;
    } cases[] = {
        {L"wrapped words lose the space at the line start",
         L"<TextBlock TextWrapping='Wrap'>bbbb bbbb</TextBlock>",
         nRoomForOneWord,
         {L"bbbb", L"bbbb"}},
        {L"no wrap keeps one line", L"<TextBlock>bbbb bbbb</TextBlock>", nRoomForOneWord, {L"bbbb bbbb"}},
        {L"a long word breaks inside with Wrap",
         L"<TextBlock TextWrapping='Wrap'>bbbbbbbb</TextBlock>",
         nWord,
         {L"bbbb", L"bbbb"}},
        {L"a long word overflows whole with WrapWithOverflow",
         L"<TextBlock TextWrapping='WrapWithOverflow'>bbbbbbbb b</TextBlock>",
         nWord,
         {L"bbbbbbbb", L"b"}},
        {L"Wrap in no room keeps one character per line",
         L"<TextBlock TextWrapping='Wrap'>abc</TextBlock>",
         0,
         {L"a", L"b", L"c"}},
        {L"CR LF ends the line and belongs to neither",
         L"<TextBlock xml:space='preserve'>ab&#13;&#10;cd</TextBlock>",
         1000,
         {L"ab", L"cd"}},
        {L"a lone CR stays in the text", L"<TextBlock xml:space='preserve'>ab&#13;cd</TextBlock>", 1000, {L"ab\rcd"}},
        {L"two line breaks leave an empty line",
         L"<TextBlock>ab<LineBreak/><LineBreak/>cd</TextBlock>",
         1000,
         {L"ab", L"", L"cd"}},
        {L"runs of one word stay together when wrapped",
         L"<TextBlock TextWrapping='Wrap'>bb<Bold>bb</Bold> bb<Italic>bb</Italic></TextBlock>",
         nRoomForOneWord + meter.Width(L"b"),
         {L"bbbb", L"bbbb"}},
    };
    for (const auto& c : cases)
    {
        std::wstring error;
        ElementHolder root(LayOut(context, c.markup, c.width, &error));
        ASSERT_TRUE(root) << c.name << L": " << error;
        EXPECT_EQ(LineTexts(AsTextBlock(root)), c.lines) << c.name;
    }
}

TEST(MarkupTextLayout, EmptyBlockAndLineSizes)
{
    MarkupContextHolder context;
    TextMeter meter(context.Get());
    ElementHolder empty(LayOut(context, L"<TextBlock/>", 100));
    ASSERT_TRUE(empty);
    ASSERT_EQ(AsTextBlock(empty)->GetLines().size(), 1u);
    EXPECT_EQ(AsTextBlock(empty)->GetLines()[0].nWidth, 0);
    EXPECT_EQ(AsTextBlock(empty)->GetLines()[0].nHeight, meter.Height());
    EXPECT_EQ(empty->GetDesiredSize().cy, meter.Height());

    ElementHolder padded(LayOut(context, L"<TextBlock Padding='3,4,5,6'>ab</TextBlock>", 100));
    ASSERT_TRUE(padded);
    EXPECT_EQ(padded->GetDesiredSize().cx, meter.Width(L"ab") + 8);
    EXPECT_EQ(padded->GetDesiredSize().cy, meter.Height() + 10);
    const auto& piece = *AsTextBlock(padded)->GetLines()[0].pieces[0];
    EXPECT_EQ(piece.GetRect().left, 3);
    EXPECT_EQ(piece.GetRect().top, 4);
}

TEST(MarkupTextLayout, TrimmingEndsTheLineWithAnEllipsisThatFits)
{
    MarkupContextHolder context;
    TextMeter meter(context.Get());
    const int nWidth = meter.Width(L"aaaa bbbb") + meter.Width(L"...") / 2;
    for (const wchar_t* trimming : {L"CharacterEllipsis", L"WordEllipsis"})
    {
        ElementHolder root(LayOut(
            context, std::wstring(L"<TextBlock TextTrimming='") + trimming + L"'>aaaa bbbb cccc</TextBlock>", nWidth));
        ASSERT_TRUE(root) << trimming;
        const auto lines = LineTexts(AsTextBlock(root));
        ASSERT_EQ(lines.size(), 1u) << trimming;
        const std::wstring& line = lines[0];
        ASSERT_GE(line.size(), 3u);
        EXPECT_EQ(line.substr(line.size() - 3), L"...") << trimming;
        EXPECT_LE(AsTextBlock(root)->GetLines()[0].nWidth, nWidth) << trimming;
        if (std::wstring(trimming) == L"WordEllipsis")
        {
            // The cut falls at the last space that fits.
            EXPECT_EQ(line, L"aaaa...");
        }
        else
        {
            // As many characters as fit before the ellipsis.
            EXPECT_EQ(line.substr(0, 8), L"aaaa bbb") << line;
        }
    }
    // Wrapping turns trimming off.
    ElementHolder wrapped(
        LayOut(context, L"<TextBlock TextWrapping='Wrap' TextTrimming='CharacterEllipsis'>aaaa bbbb cccc</TextBlock>",
               nWidth));
    ASSERT_TRUE(wrapped);
    EXPECT_EQ(LineTexts(AsTextBlock(wrapped)), (std::vector<std::wstring>{L"aaaa bbbb", L"cccc"}));
}

TEST(MarkupTextLayout, AlignmentAndJustification)
{
    MarkupContextHolder context;
    TextMeter meter(context.Get());
    const int nWidth = 200;
    const int nText = meter.Width(L"ab");
    const struct
    {
        const wchar_t* alignment;
        int left;
    } cases[] = {{L"Left", 0}, {L"Right", nWidth - nText}, {L"Center", (nWidth - nText) / 2}};
    for (const auto& c : cases)
    {
        ElementHolder root(
            LayOut(context, std::wstring(L"<TextBlock TextAlignment='") + c.alignment + L"'>ab</TextBlock>", nWidth));
        ASSERT_TRUE(root);
        EXPECT_EQ(AsTextBlock(root)->GetLines()[0].pieces[0]->GetRect().left, c.left) << c.alignment;
    }

    // Justified: the first word keeps its place, the last word of a wrapped
    // line ends at the right edge; the paragraph's last line and a line
    // ended by a line break stay as they are.
    const int nJustifyWidth = meter.Width(L"aa bb cc") + meter.Width(L"d");
    ElementHolder root(LayOut(context,
                              L"<TextBlock TextWrapping='Wrap' TextAlignment='Justify'>aa bb cc dd<LineBreak/>"
                              L"ee ff</TextBlock>",
                              nJustifyWidth));
    ASSERT_TRUE(root);
    const auto& lines = AsTextBlock(root)->GetLines();
    ASSERT_EQ(lines.size(), 3u);
    ASSERT_EQ(lines[0].pieces.size(), 3u);
    EXPECT_TRUE(lines[0].bWrapped);
    EXPECT_EQ(lines[0].pieces[0]->GetRect().left, 0);
    EXPECT_EQ(lines[0].pieces[2]->GetRect().right, nJustifyWidth);
    // Earlier gaps take the rounded-down share.
    const int nGap1 = lines[0].pieces[1]->GetRect().left - lines[0].pieces[0]->GetRect().right;
    const int nGap2 = lines[0].pieces[2]->GetRect().left - lines[0].pieces[1]->GetRect().right;
    EXPECT_LE(nGap1, nGap2);
    EXPECT_FALSE(lines[1].bWrapped);
    EXPECT_EQ(lines[1].pieces.back()->GetRect().right, lines[1].nWidth);
    EXPECT_EQ(lines[2].pieces.back()->GetRect().right, lines[2].nWidth);
}

TEST(MarkupTextLayout, BaselinesOfMixedSizesMeet)
{
    MarkupContextHolder context;
    ElementHolder root(LayOut(context,
                              L"<TextBlock>small<Run FontSize='30'>BIG</Run><Run BaselineAlignment='Top'>top</Run>"
                              L"</TextBlock>",
                              1000));
    ASSERT_TRUE(root);
    const auto& lines = AsTextBlock(root)->GetLines();
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].pieces.size(), 3u);
    const auto& small = *lines[0].pieces[0];
    const auto& big = *lines[0].pieces[1];
    const auto& top = *lines[0].pieces[2];
    EXPECT_GT(big.cy, small.cy);
    EXPECT_EQ(lines[0].nHeight, big.cy);
    // Baselines: bottom minus descent is the same line for both.
    EXPECT_EQ(small.GetRect().bottom - small.nDescent, big.GetRect().bottom - big.nDescent);
    EXPECT_EQ(top.GetRect().top, 0);
}

TEST(MarkupTextPixels, InkLandsInItsLinesWithBackgroundsAndDecorations)
{
    MarkupContextHolder context;
    TextMeter meter(context.Get());
    const int nLine = meter.Height();
    std::wstring error;
    ElementHolder root(
        context.Parse(L"<TextBlock Foreground='#FF0000' TextWrapping='Wrap' Width='60' HorizontalAlignment='Left'>MMMM "
                      L"<Run Background='#00FF00'>WWWW</Run>"
                      L"<LineBreak/><Run TextDecorations='Underline' Foreground='#0000FF'>iiii</Run></TextBlock>",
                      &error));
    ASSERT_TRUE(root) << error;
    MarkupSurface surface(100, 3 * nLine + 10);
    surface.Render(root.Get());
    const auto& lines = AsTextBlock(root)->GetLines();
    ASSERT_EQ(lines.size(), 3u);

    auto count = [&](int l, int t, int r, int b, COLORREF clr)
    {
        int n = 0;
        for (int y = t; y < b; ++y)
        {
            for (int x = l; x < r; ++x)
            {
                n += surface.Pixel(x, y) == clr ? 1 : 0;
            }
        }
        return n;
    };
    const RECT rcFirst = lines[0].pieces[0]->GetRect();
    // Red ink in the first line's piece, none beyond the block's width.
    EXPECT_GT(count(rcFirst.left, rcFirst.top, rcFirst.right, rcFirst.bottom, RGB(255, 0, 0)), 0);
    EXPECT_EQ(count(60, 0, 100, 3 * nLine, RGB(255, 0, 0)), 0);
    // The second line's run fills its piece with green behind red ink.
    const RECT rcGreen = lines[1].pieces[0]->GetRect();
    EXPECT_EQ(rcGreen.top, nLine);
    EXPECT_EQ(surface.Pixel(rcGreen.left, rcGreen.top), RGB(0, 255, 0));
    EXPECT_EQ(surface.Pixel(rcGreen.right - 1, rcGreen.bottom - 1), RGB(0, 255, 0));
    EXPECT_GT(count(rcGreen.left, rcGreen.top, rcGreen.right, rcGreen.bottom, RGB(255, 0, 0)), 0);
    EXPECT_EQ(surface.Pixel(rcGreen.right, rcGreen.top), RGB(255, 255, 255));
    // The underline is one full bar across the third piece, in its colour.
    const auto& underlined = *lines[2].pieces[0];
    const RECT rcUnder = underlined.GetRect();
    const int nThickness = std::max(1, underlined.nDescent / 4);
    const int nBar = rcUnder.bottom - underlined.nDescent + nThickness + (underlined.nDescent - nThickness) % 2;
    EXPECT_EQ(count(rcUnder.left, nBar, rcUnder.right, nBar + nThickness, RGB(0, 0, 255)),
              (rcUnder.right - rcUnder.left) * nThickness);
}

TEST(MarkupTextPixels, HostedElementsAreArrangedInTheFlow)
{
    MarkupContextHolder context;
    TextMeter meter(context.Get());
    ElementHolder root(
        context.Parse(L"<TextBlock>ab<Border Width='7' Height='5' Background='#0000FF'/>cd</TextBlock>"));
    ASSERT_TRUE(root);
    MarkupSurface surface(100, 40);
    surface.Render(root.Get());
    const int x = meter.Width(L"ab");
    const auto& line = AsTextBlock(root)->GetLines()[0];
    const int nBottom = line.nHeight - line.nDescent;
    // The element stands on the text's baseline, after "ab".
    EXPECT_EQ(surface.Pixel(x, nBottom - 1), RGB(0, 0, 255));
    EXPECT_EQ(surface.Pixel(x + 6, nBottom - 5), RGB(0, 0, 255));
    EXPECT_EQ(surface.Pixel(x + 7, nBottom - 1), RGB(255, 255, 255));
    EXPECT_EQ(surface.Pixel(x, nBottom - 6), RGB(255, 255, 255));
    EXPECT_EQ(AsTextBlock(root)->GetLines()[0].nWidth, meter.Width(L"ab") + 7 + meter.Width(L"cd"));
}

TEST(MarkupHyperlinks, LookTurnsRedUnderTheMouseAndClickReachesHandlers)
{
    HWND hWnd = CreateTextHost();
    ASSERT_NE(hWnd, nullptr);
    {
        MarkupContextHolder context(hWnd);
        EventLog named, wide;
        context->SetDelegate(L"OnLink", new CLVKMarkupClassDelegate<EventLog>(&named, &EventLog::OnEvent));
        context->AddHandler(CLVKMarkupHyperlink::m_pClickEvent,
                            new CLVKMarkupClassDelegate<EventLog>(&wide, &EventLog::OnEvent));
        std::wstring error;
        ElementHolder root(context.Parse(std::wstring(L"<Border") + kX +
                                             L" Background='White'><TextBlock>go <Hyperlink x:Name='link' "
                                             L"NavigateUri='https://example.invalid/x' Click='OnLink'>here</Hyperlink>"
                                             L"</TextBlock></Border>",
                                         &error));
        ASSERT_TRUE(root) << error;
        auto* const pLink = MarkupCast<CLVKMarkupHyperlink>(root->FindName(L"link"));
        ASSERT_NE(pLink, nullptr);
        EXPECT_STREQ(pLink->GetNavigateUri(), L"https://example.invalid/x");
        auto foreground = [&]()
        {
            auto* const pBrush =
                MarkupCast<CLVKMarkupBrush>(pLink->GetValue(CLVKMarkupTextElement::m_pForegroundProperty));
            return pBrush ? pBrush->GetColor() : CLR_INVALID;
        };
        EXPECT_EQ(foreground(), RGB(0, 0, 255));
        EXPECT_EQ(
            MarkupCast<CLVKMarkupEnum>(pLink->GetValue(CLVKMarkupTextElement::m_pTextDecorationsProperty))->GetValue(),
            1);
        EXPECT_EQ(MarkupCast<CLVKMarkupInt>(pLink->GetValue(CLVKMarkupInputElement::m_pCursorProperty))->GetValue(),
                  32649);

        MarkupSurface surface(200, 40);
        surface.Render(root.Get());
        TextMeter meter(context.Get());
        const int x = meter.Width(L"go ") + 2;
        const int y = meter.Height() / 2;
        LRESULT lResult = 0;
        // A release without a press raises nothing.
        MarkupRelayElementMessage(root.Get(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y), &lResult);
        EXPECT_EQ(foreground(), RGB(255, 0, 0));
        EXPECT_FALSE(MarkupRelayElementMessage(root.Get(), WM_LBUTTONUP, 0, MAKELPARAM(x, y), &lResult));
        EXPECT_TRUE(named.senders.empty());

        EXPECT_TRUE(MarkupRelayElementMessage(root.Get(), WM_LBUTTONDOWN, 0, MAKELPARAM(x, y), &lResult));
        EXPECT_TRUE(MarkupRelayElementMessage(root.Get(), WM_LBUTTONUP, 0, MAKELPARAM(x, y), &lResult));
        ASSERT_EQ(named.sources.size(), 1u);
        EXPECT_EQ(named.sources[0], pLink);
        // Nobody marked it handled: the context-wide handler hears it too.
        ASSERT_EQ(wide.sources.size(), 1u);
        EXPECT_EQ(wide.sources[0], pLink);

        // Off the link: back to blue, and clicks there reach nobody.
        MarkupRelayElementMessage(root.Get(), WM_MOUSEMOVE, 0, MAKELPARAM(1, y), &lResult);
        EXPECT_EQ(foreground(), RGB(0, 0, 255));
        MarkupRelayElementMessage(root.Get(), WM_LBUTTONDOWN, 0, MAKELPARAM(1, y), &lResult);
        MarkupRelayElementMessage(root.Get(), WM_LBUTTONUP, 0, MAKELPARAM(1, y), &lResult);
        EXPECT_EQ(named.sources.size(), 1u);
    }
    DestroyWindow(hWnd);
}

TEST(MarkupTextPixels, StrikethroughTakesTheColourOfTheElementThatAskedForIt)
{
    MarkupContextHolder context;
    // The block asks for the bar in blue; its run writes red text.
    ElementHolder root(context.Parse(L"<TextBlock TextDecorations='Strikethrough' Foreground='#0000FF' "
                                     L"HorizontalAlignment='Left' VerticalAlignment='Top'>"
                                     L"<Run Foreground='#FF0000'>xxxx</Run></TextBlock>"));
    ASSERT_TRUE(root);
    MarkupSurface surface(100, 40);
    surface.Render(root.Get());
    const auto& piece = *AsTextBlock(root)->GetLines()[0].pieces[0];
    const RECT rc = piece.GetRect();
    const int nThickness = std::max(1, piece.nDescent / 4);
    const int nTop = rc.bottom - (piece.nFontAscent - piece.nFontDescent - nThickness) / 2 - piece.nDescent;
    ASSERT_GT(nTop, rc.top);
    for (int x = rc.left; x < rc.right; ++x)
    {
        EXPECT_EQ(surface.Pixel(x, nTop), RGB(0, 0, 255)) << x;
    }
    // Red ink of the run around the bar, nothing blue beyond the piece.
    int nRed = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
    {
        for (int x = rc.left; x < rc.right; ++x)
        {
            nRed += surface.Pixel(x, y) == RGB(255, 0, 0) ? 1 : 0;
        }
    }
    EXPECT_GT(nRed, 0);
    EXPECT_EQ(surface.Pixel(rc.right, nTop), RGB(255, 255, 255));
}
