// MarkupRender.exe end to end: a file in, a PNG out, exit codes and the
// error text on standard error.
#include "MarkupTestSupport.h"

#include "ChildProcess.h"
#include "ScratchFolder.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace
{

struct MarkupRenderRun
{
    DWORD exitCode = 0xFFFFFFFF;
    std::string stdErr;
    std::string stdOut;
};

// Runs MarkupRender with its output streams redirected into files.
MarkupRenderRun RunMarkupRender(const ScratchFolder& folder, const std::vector<std::wstring>& arguments)
{
    std::wstring command = L"/c \"" + QuoteArgument(ProgramPath(L"MarkupRender.exe"));
    for (const std::wstring& argument : arguments)
    {
        command += L" " + QuoteArgument(argument);
    }
    command +=
        L" >" + QuoteArgument(folder.PathOf(L"out.txt")) + L" 2>" + QuoteArgument(folder.PathOf(L"err.txt")) + L"\"";
    ChildProcess process;
    MarkupRenderRun result;
    ChildProcessOptions options;
    if (!process.StartRaw(L"C:\\windows\\system32\\cmd.exe", command, options) || !process.Wait())
    {
        return result;
    }
    result.exitCode = process.ExitCode();
    folder.ReadFile(L"err.txt", result.stdErr);
    folder.ReadFile(L"out.txt", result.stdOut);
    return result;
}

// The RGBA pixels of a PNG, or false.
bool ReadPng(const std::wstring& path, int& width, int& height, std::vector<unsigned char>& rgba)
{
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (!file)
    {
        return false;
    }
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    bool ok = false;
    if (png_image_begin_read_from_stdio(&image, file))
    {
        image.format = PNG_FORMAT_RGBA;
        rgba.resize(PNG_IMAGE_SIZE(image));
        ok = png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr) != 0;
        width = static_cast<int>(image.width);
        height = static_cast<int>(image.height);
    }
    png_image_free(&image);
    fclose(file);
    return ok;
}

}  // namespace

TEST(MarkupRenderTool, RendersAFileToExpectedPixels)
{
    ScratchFolder folder;
    // UTF-8 with a byte-order mark.
    const std::wstring input = folder.WriteFile(
        L"in.xml", "\xEF\xBB\xBF<Border Margin='10' Background='#FF0000' BorderBrush='#0000FF' BorderThickness='3'/>");
    const std::wstring output = folder.PathOf(L"out.png");
    const MarkupRenderRun result =
        RunMarkupRender(folder, {L"--size", L"60x40", L"--background", L"#00FF00", L"--time", input, output});
    ASSERT_EQ(result.exitCode, 0u) << result.stdErr;
    EXPECT_NE(result.stdOut.find("parse "), std::string::npos) << result.stdOut;
    EXPECT_NE(result.stdOut.find("render "), std::string::npos) << result.stdOut;
    int width = 0, height = 0;
    std::vector<unsigned char> rgba;
    ASSERT_TRUE(ReadPng(output, width, height, rgba));
    ASSERT_EQ(width, 60);
    ASSERT_EQ(height, 40);
    const auto pixel = [&](int x, int y)
    {
        const unsigned char* p = &rgba[(y * width + x) * 4];
        return (static_cast<unsigned>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
    };
    EXPECT_EQ(pixel(5, 5), 0x00FF00FFu);    // background
    EXPECT_EQ(pixel(11, 20), 0x0000FFFFu);  // frame
    EXPECT_EQ(pixel(30, 20), 0xFF0000FFu);  // fill
    EXPECT_EQ(pixel(50, 20), 0x00FF00FFu);  // margin
}

TEST(MarkupRenderTool, DeviceOptionChoosesGdiOrGdiPlus)
{
    // A half-transparent fill blends on GDI+ and is painted opaque by GDI.
    ScratchFolder folder;
    const std::wstring input = folder.WriteFile(L"alpha.xml", "<Border Background='#800000FF'/>");
    struct DeviceCase
    {
        const wchar_t* device;
        unsigned int pixel;
    } const cases[] = {{L"gdi", 0x0000FFFFu}, {L"gdiplus", 0x7F7FFFFFu}};
    for (const DeviceCase& c : cases)
    {
        const std::wstring output = folder.PathOf(std::wstring(c.device) + L".png");
        const MarkupRenderRun result =
            RunMarkupRender(folder, {L"--device", c.device, L"--size", L"10x10", input, output});
        ASSERT_EQ(result.exitCode, 0u) << result.stdErr;
        int width = 0, height = 0;
        std::vector<unsigned char> rgba;
        ASSERT_TRUE(ReadPng(output, width, height, rgba));
        const unsigned char* p = &rgba[(5 * width + 5) * 4];
        const unsigned int pixel = (static_cast<unsigned>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
        EXPECT_NEAR(static_cast<int>(p[0]), static_cast<int>(c.pixel >> 24), 2) << std::hex << pixel;
        EXPECT_NEAR(static_cast<int>(p[1]), static_cast<int>((c.pixel >> 16) & 0xFF), 2) << std::hex << pixel;
        EXPECT_EQ(p[2], 0xFF);
    }
}

TEST(MarkupRenderTool, MalformedMarkupExitsOneWithLineAndColumn)
{
    ScratchFolder folder;
    const std::wstring input = folder.WriteFile(L"bad.xml", "<Border>\n  <Border Width='1'>\n</Border");
    const MarkupRenderRun result = RunMarkupRender(folder, {input, folder.PathOf(L"bad.png")});
    EXPECT_EQ(result.exitCode, 1u);
    EXPECT_EQ(result.stdErr.rfind("error: XML Error", 0), 0u) << result.stdErr;
    EXPECT_NE(result.stdErr.find(" at 3:"), std::string::npos) << result.stdErr;
    EXPECT_FALSE(folder.Exists(L"bad.png"));

    const std::wstring unknown = folder.WriteFile(L"unknown.xml", "<Bordr/>");
    const MarkupRenderRun unknownResult = RunMarkupRender(folder, {unknown, folder.PathOf(L"u.png")});
    EXPECT_EQ(unknownResult.exitCode, 1u);
    EXPECT_EQ(unknownResult.stdErr.rfind("error: The tag 'Bordr' does not exist in XML namespace", 0), 0u)
        << unknownResult.stdErr;
}

TEST(MarkupRenderTool, BadArgumentsExitTwo)
{
    ScratchFolder folder;
    const std::wstring input = folder.WriteFile(L"in.xml", "<Border/>");
    EXPECT_EQ(RunMarkupRender(folder, {input}).exitCode, 2u);
    EXPECT_EQ(RunMarkupRender(folder, {L"--size", L"0x5", input, folder.PathOf(L"a.png")}).exitCode, 2u);
    EXPECT_EQ(RunMarkupRender(folder, {L"--device", L"gdi+", input, folder.PathOf(L"a.png")}).exitCode, 2u);
    EXPECT_EQ(RunMarkupRender(folder, {L"--device", L"gdiplus", input, folder.PathOf(L"a.png")}).exitCode, 0u);
    EXPECT_EQ(RunMarkupRender(folder, {folder.PathOf(L"missing.xml"), folder.PathOf(L"a.png")}).exitCode, 2u);
    EXPECT_EQ(RunMarkupRender(folder, {L"--device", L"gdi", L"--dpi", L"144", input, folder.PathOf(L"a.png")}).exitCode,
              0u);
}
