// The GDI+ device's picture: reading through GDI+, and the animation of a
// multi-frame GIF on thread timers with the frame delays it carries.
#include "MarkupTestSupport.h"
#include "MessagePump.h"

#include "Markup/MarkupGdiPlusImage.h"

#include <vector>

namespace
{

class CountingSite : public ILVKMarkupDeviceDependentImageSite
{
public:
    CLVKMarkupContext* GetMarkupContext() override { return nullptr; }
    void OnImageChanged() override { ++m_nChanges; }
    int m_nChanges = 0;
};

COLORREF CenterOf(CLVKMarkupGdiPlusImage& image)
{
    MarkupSurface surface(8, 8);
    image.Draw(surface.GetHdc(), RECT{0, 0, 8, 8});
    return surface.Pixel(4, 4);
}

}  // namespace

TEST(MarkupGdiPlusImage, FrameDurationsFollowTheDelayList)
{
    const struct
    {
        std::vector<UINT> delays;
        UINT frame;
        UINT duration;
    } cases[] = {
        {{10, 0, 25}, 0, 100},
        {{10, 0, 25}, 1, 100},
        {{10, 0, 25}, 2, 250},
        // A list shorter than the frames: the rest show for 100 ms.
        {{10, 0}, 2, 100},
        {{}, 0, 100},
        {{0xFFFFFFFF}, 0, 0x7FFFFFFF},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(CLVKMarkupGdiPlusImage::GetFrameDuration(c.delays, c.frame), c.duration) << c.frame;
    }
}

TEST(MarkupGdiPlusImage, AnimatesAGifWithItsDelaysAndStopsOnReload)
{
    CountingSite site;
    CLVKMarkupGdiPlusImage image(&site);
    ASSERT_TRUE(image.Load(L"file://MarkupFixtures\\three-frames.gif", 0));
    ASSERT_NE(image.GetGdiPlusImage(), nullptr);
    EXPECT_EQ(image.GetWidth(), 4);
    EXPECT_EQ(image.GetHeight(), 4);
    ASSERT_EQ(image.GetFrameCount(), 3u);
    ASSERT_TRUE(image.IsAnimating()) << "no frame delays read";
    EXPECT_EQ(site.m_nChanges, 1);
    EXPECT_EQ(image.GetCurrentFrame(), 0);
    EXPECT_EQ(image.GetTimerInterval(), 100u);
    EXPECT_EQ(CenterOf(image), RGB(255, 0, 0));

    // Delay 0 shows for 100 ms, delay 25 for 250 ms, then the first again.
    const UINT expected[] = {100, 250, 100};
    const COLORREF colors[] = {RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 0, 0)};
    for (int i = 0; i < 3; ++i)
    {
        const int nBefore = site.m_nChanges;
        ASSERT_TRUE(PumpMessagesUntil([&]() { return site.m_nChanges > nBefore; })) << i;
        EXPECT_EQ(image.GetCurrentFrame(), (i + 1) % 3);
        EXPECT_EQ(image.GetTimerInterval(), expected[i]) << i;
        EXPECT_EQ(CenterOf(image), colors[i]) << i;
    }

    // Reloading a single-frame picture stops the animation.
    ASSERT_TRUE(image.Load(L"file://MarkupFixtures\\red-alpha.png", 0));
    EXPECT_FALSE(image.IsAnimating());
    // A mark set longer than any frame's timer fires after that timer would.
    const int nChanges = site.m_nChanges;
    EXPECT_TRUE(PumpMessagesPastTimer(300));
    EXPECT_EQ(site.m_nChanges, nChanges);
    EXPECT_EQ(image.GetWidth(), 40);
}

TEST(MarkupGdiPlusImage, SourcesThatDoNotLoadFail)
{
    CountingSite site;
    CLVKMarkupGdiPlusImage image(&site);
    for (const wchar_t* source : {L"4711", L"file://MarkupFixtures\\missing.png", L"", L"res://#4711"})
    {
        EXPECT_FALSE(image.Load(source, 16)) << source;
        EXPECT_EQ(image.GetWidth(), 0) << source;
        EXPECT_FALSE(image.IsAnimating()) << source;
    }
}
