// The control gallery's task-dialog pages: each one runs through the
// emulation and is shot into a PNG, in the classic and the themed look; the
// shots of the two looks differ.
#include "ChildProcess.h"
#include "ScratchFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <cwctype>
#include <string>
#include <vector>

namespace
{

bool IsRgbaPng(const std::string& bytes, unsigned& width, unsigned& height)
{
    static const char kSignature[] = "\x89PNG\r\n\x1a\n";
    if (bytes.size() < 33 || bytes.compare(0, 8, kSignature, 8) != 0 || bytes.compare(12, 4, "IHDR") != 0)
        return false;
    auto be32 = [&](size_t at)
    {
        return (static_cast<unsigned>(static_cast<unsigned char>(bytes[at])) << 24) |
               (static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 1])) << 16) |
               (static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 2])) << 8) |
               static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 3]));
    };
    width = be32(16);
    height = be32(20);
    return bytes[24] == 8 && bytes[25] == 6;
}

}  // namespace

// One page per case: each case starts the gallery twice, and a start of a
// 32-bit program under an emulator alone can take several seconds.
class TaskDialogGallery : public ::testing::TestWithParam<const wchar_t*>
{
};

TEST_P(TaskDialogGallery, EveryTaskDialogPageIsShotInBothLooks)
{
    const wchar_t* const page = GetParam();
    ScratchFolder folder;
    std::string shots[2];
    for (int themed = 0; themed < 2; ++themed)
    {
        const std::wstring file = std::wstring(page) + (themed ? L"-themed.png" : L".png");
        std::vector<std::wstring> arguments = {page, L"--shot", folder.PathOf(file)};
        if (themed)
            arguments.push_back(L"--themed");
        ChildProcessOptions options;
        options.discardOutput = true;
        ChildProcess gallery;
        ASSERT_TRUE(gallery.Start(L"ControlGallery.exe", arguments, options)) << gallery.StartError();
        ASSERT_TRUE(gallery.Wait()) << std::string(file.begin(), file.end());
        EXPECT_EQ(0u, gallery.ExitCode()) << std::string(file.begin(), file.end());
        ASSERT_TRUE(folder.ReadFile(file, shots[themed])) << std::string(file.begin(), file.end());
        unsigned width = 0;
        unsigned height = 0;
        EXPECT_TRUE(IsRgbaPng(shots[themed], width, height)) << std::string(file.begin(), file.end());
        EXPECT_GT(width, 150u);
        EXPECT_GT(height, 80u);
    }
    EXPECT_NE(shots[0], shots[1]) << "the themed look differs from the classic one";
}

INSTANTIATE_TEST_SUITE_P(Pages, TaskDialogGallery,
                         ::testing::Values(L"taskdialog-commandlinks", L"taskdialog-radios", L"taskdialog-expanded",
                                           L"taskdialog-progress", L"taskdialog-links", L"taskdialog-input",
                                           L"taskdialog-markup"),
                         [](const ::testing::TestParamInfo<const wchar_t*>& info)
                         {
                             // The page name after "taskdialog-", letters and digits only.
                             std::string name;
                             for (const wchar_t* c = info.param + wcslen(L"taskdialog-"); *c; ++c)
                                 if (iswalnum(*c))
                                     name += static_cast<char>(*c);
                             return name;
                         });
