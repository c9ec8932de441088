// The image element through the GDI device: stretch modes, where the
// picture lands, icon sizes picked by the room, failed sources, reloading.
#include "MarkupFixtureCases.h"
#include "MarkupTestSupport.h"

#include "Markup/MarkupDeviceDependentImage.h"
#include "Markup/MarkupDrawingContext.h"
#include "Markup/MarkupImage.h"

#include <string>

namespace
{

const wchar_t kPng[] = L"file://MarkupFixtures\\red-alpha.png";

CLVKMarkupImage* AsImage(const ElementHolder& root)
{
    return MarkupCast<CLVKMarkupImage>(root.Get());
}

std::wstring ImageMarkup(const std::wstring& source, const std::wstring& extra = L"")
{
    return L"<Image Source='" + source + L"' HorizontalAlignment='Left' VerticalAlignment='Top' " + extra + L"/>";
}

}  // namespace

TEST(MarkupImage, StretchModesSizeThePictureInItsRoom)
{
    MarkupContextHolder context;
    const struct
    {
        const wchar_t* stretch;
        int width, height;
        SIZE expected;
    } cases[] = {
        {L"None", 20, 10, {40, 40}},
        {L"Uniform", 20, 10, {10, 10}},
        {L"UniformToFill", 20, 10, {20, 20}},
        {L"Fill", 20, 10, {20, 10}},
        {L"Fill", 0x7FFFFFFF, 20, {20, 20}},
        {L"Fill", 20, 0x7FFFFFFF, {20, 20}},
        {L"Uniform", 0x7FFFFFFF, 0x7FFFFFFF, {40, 40}},
    };
    for (const auto& c : cases)
    {
        ElementHolder root(
            context.Parse(std::wstring(L"<Image Source='") + kPng + L"' Stretch='" + c.stretch + L"'/>"));
        ASSERT_TRUE(root) << c.stretch;
        CLVKMarkupDrawingContext dc(context.Get());
        root->Measure(&dc, c.width, c.height);
        EXPECT_EQ(AsImage(root)->ComputeSize(c.width, c.height).cx, c.expected.cx) << c.stretch << L" " << c.width;
        EXPECT_EQ(AsImage(root)->ComputeSize(c.width, c.height).cy, c.expected.cy) << c.stretch << L" " << c.width;
    }
}

TEST(MarkupImage, DrawsThePictureWithItsTransparency)
{
    MarkupContextHolder context;
    ElementHolder root(context.Parse(ImageMarkup(kPng, L"Stretch='Fill' Width='80' Height='20'")));
    ASSERT_TRUE(root);
    MarkupSurface surface(100, 40);
    surface.Render(root.Get());
    ASSERT_NE(AsImage(root)->GetDeviceImage(), nullptr);
    EXPECT_EQ(AsImage(root)->GetDeviceImage()->GetWidth(), 40);
    // Stretched twice across and half down: red to 59, the transparent band
    // from 60 to 79.
    EXPECT_EQ(surface.Pixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(surface.Pixel(58, 19), RGB(255, 0, 0));
    EXPECT_EQ(surface.Pixel(62, 5), RGB(255, 255, 255));
    EXPECT_EQ(surface.Pixel(10, 21), RGB(255, 255, 255));
    EXPECT_EQ(surface.Pixel(81, 5), RGB(255, 255, 255));
}

TEST(MarkupImage, IconFilesPickTheSizeOfTheRoomWhateverTheCaseOfTheirExtension)
{
    MarkupContextHolder context;
    const struct
    {
        int room;
        int width;
        COLORREF color;
    } cases[] = {{16, 16, RGB(0, 0, 255)}, {32, 32, RGB(0, 128, 0)}, {20, 16, RGB(0, 0, 255)}};
    for (const auto& c : cases)
    {
        ElementHolder root(context.Parse(ImageMarkup(L"file://MarkupFixtures\\TWO-SIZES.ICO")));
        ASSERT_TRUE(root);
        MarkupSurface surface(c.room, c.room);
        surface.Render(root.Get());
        CLVKMarkupDeviceDependentImage* const pImage = AsImage(root)->GetDeviceImage();
        ASSERT_NE(pImage, nullptr) << c.room;
        EXPECT_TRUE(pImage->IsIcon());
        EXPECT_EQ(pImage->GetWidth(), c.width) << c.room;
        EXPECT_EQ(surface.Pixel(0, 0), c.color) << c.room;
        EXPECT_EQ(surface.Pixel(c.width - 1, c.width - 1), c.color) << c.room;
    }
}

TEST(MarkupImage, SourcesThatDoNotLoadGiveAnEmptyPicture)
{
    MarkupContextHolder context;
    for (const wchar_t* source : {L"4711", L"file://MarkupFixtures\\missing.png", L"not a number"})
    {
        ElementHolder root(context.Parse(ImageMarkup(source)));
        ASSERT_TRUE(root) << source;
        MarkupSurface surface(20, 20);
        surface.Render(root.Get());
        const SIZE size = MarkupMeasureElement(root.Get(), 20, 20);
        EXPECT_EQ(size.cx, 0) << source;
        EXPECT_EQ(size.cy, 0) << source;
        EXPECT_EQ(surface.Pixel(0, 0), RGB(255, 255, 255)) << source;
    }
    // No source: no picture at all.
    ElementHolder empty(context.Parse(L"<Image/>"));
    ASSERT_TRUE(empty);
    MarkupMeasureElement(empty.Get(), 20, 20);
    EXPECT_EQ(AsImage(empty)->GetDeviceImage(), nullptr);
}

TEST(MarkupImage, ChangingTheSourceReloadsOnTheNextLayout)
{
    MarkupContextHolder context;
    ElementHolder root(context.Parse(ImageMarkup(kPng)));
    ASSERT_TRUE(root);
    EXPECT_EQ(MarkupMeasureElement(root.Get(), 100, 100).cx, 40);
    AsImage(root)->SetSource(L"file://MarkupFixtures\\two-sizes.ico");
    EXPECT_EQ(MarkupMeasureElement(root.Get(), 32, 32).cx, 32);
    ASSERT_NE(AsImage(root)->GetDeviceImage(), nullptr);
    EXPECT_TRUE(AsImage(root)->GetDeviceImage()->IsIcon());
}

TEST(MarkupImage, TextAndImageFixturesDrawToExactPixels)
{
    ExpectMarkupFixturePixels(MarkupTextImageFixtureCases(), false);
}
