// MarkupRender draws every element fixture to the same pixels as the engine
// does in process.
#include "MarkupFixtureCases.h"

#include "ScratchFolder.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>

namespace
{

// The pixels of a PNG as COLORREFs (alpha dropped), or empty.
std::vector<COLORREF> ReadPngPixels(const std::wstring& path, int& width, int& height)
{
    std::vector<COLORREF> pixels;
    FILE* const file = _wfopen(path.c_str(), L"rb");
    if (!file)
    {
        return pixels;
    }
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_stdio(&image, file))
    {
        image.format = PNG_FORMAT_RGBA;
        std::vector<unsigned char> rgba(PNG_IMAGE_SIZE(image));
        if (png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr))
        {
            width = static_cast<int>(image.width);
            height = static_cast<int>(image.height);
            for (size_t i = 0; i + 3 < rgba.size(); i += 4)
            {
                pixels.push_back(RGB(rgba[i], rgba[i + 1], rgba[i + 2]));
            }
        }
    }
    png_image_free(&image);
    fclose(file);
    return pixels;
}

// Renders every element fixture through one device and checks its probes:
// exact through GDI; through GDI+, whose smoothing may blend a probe that
// lies on an edge, within a tolerance.
void RenderFixtures(const wchar_t* device, bool bGdiPlus, int nTolerance)
{
    ScratchFolder folder;
    std::vector<MarkupFixtureCase> cases = MarkupPanelFixtureCases();
    cases.insert(cases.end(), MarkupShapeFixtureCases().begin(), MarkupShapeFixtureCases().end());
    cases.insert(cases.end(), MarkupControlFixtureCases().begin(), MarkupControlFixtureCases().end());
    cases.insert(cases.end(), MarkupTextImageFixtureCases().begin(), MarkupTextImageFixtureCases().end());
    cases.insert(cases.end(), MarkupElementFixtureCases().begin(), MarkupElementFixtureCases().end());
    for (const MarkupFixtureCase& c : cases)
    {
        const std::wstring output = folder.PathOf(L"out.png");
        DeleteFileW(output.c_str());
        const std::wstring size = std::to_wstring(c.width) + L"x" + std::to_wstring(c.height);
        ChildProcess process;
        ChildProcessOptions options;
        options.discardOutput = true;
        ASSERT_TRUE(process.Start(L"MarkupRender.exe",
                                  {L"--device", device, L"--size", size, MarkupFixturePath(c.file), output}, options));
        ASSERT_TRUE(process.Wait());
        ASSERT_EQ(process.ExitCode(), 0u) << "cannot render the fixture";
        int width = 0, height = 0;
        const std::vector<COLORREF> pixels = ReadPngPixels(output, width, height);
        ASSERT_EQ(width, c.width);
        ASSERT_EQ(height, c.height);
        for (const MarkupFixtureProbe& p : c.probes)
        {
            if (!p.AppliesTo(bGdiPlus))
            {
                continue;
            }
            const COLORREF clr = pixels[p.y * width + p.x];
            const bool bNear = abs(GetRValue(clr) - GetRValue(p.color)) <= nTolerance &&
                               abs(GetGValue(clr) - GetGValue(p.color)) <= nTolerance &&
                               abs(GetBValue(clr) - GetBValue(p.color)) <= nTolerance;
            EXPECT_TRUE(bNear) << c.file << " at " << p.x << "," << p.y << ": " << std::hex << clr << " for "
                               << p.color;
        }
    }
}

}  // namespace

TEST(MarkupRenderFixtures, ElementFixturesRenderThroughTheGdiDevice)
{
    RenderFixtures(L"gdi", false, 0);
}

TEST(MarkupRenderFixtures, ElementFixturesRenderThroughTheGdiPlusDevice)
{
    RenderFixtures(L"gdiplus", true, 0);
}
