// CDriveEntry::Set: what a drive-table entry stores.
#include "AppSettings.h"
#include "DriveEntry.h"

#include <string>

#include <gtest/gtest.h>

namespace
{
struct SetCase
{
    const char* name;
    DWORD flags;
    const wchar_t* path;
    std::wstring expectedPath;
};

std::ostream& operator<<(std::ostream& out, const SetCase& c)
{
    return out << c.name;
}

class DriveEntrySet : public ::testing::TestWithParam<SetCase>
{
};

TEST_P(DriveEntrySet, StoresNormalisedPath)
{
    const SetCase& c = GetParam();
    CDriveEntry entry;
    entry.Set(c.flags, c.path, L"label", L"icon.ico,0");
    EXPECT_STREQ(entry.Path, c.expectedPath.c_str());
    EXPECT_EQ(entry.Flags, c.flags);
    EXPECT_STREQ(entry.Label, L"label");
    EXPECT_STREQ(entry.Icon, L"icon.ico,0");
}

const SetCase SetCases[] = {
    {"LocalGetsUpperCaseAndLosesAllTrailingBackslashes", DriveFlags::Local, L"c:\\data\\\\", L"C:\\data"},
    {"RootIsStoredAsLetter", DriveFlags::Local, L"c:\\", L"C:"},
    {"UpperCaseStays", DriveFlags::Local, L"D:\\x", L"D:\\x"},
    {"OnlyFirstCharacterIsUpperCased", 0, L"c:\\data\\sub", L"C:\\data\\sub"},
    {"NetworkKeepsCase", DriveFlags::Network, L"\\\\fs1\\share\\", L"\\\\fs1\\share"},
    {"NetworkLowerCaseStays", DriveFlags::Network | DriveFlags::Disabled, L"x:\\y", L"x:\\y"},
    {"EmptyPath", DriveFlags::Local, L"", L""},
    {"NullPath", DriveFlags::Local, nullptr, L""},
    {"OnlyBackslashes", DriveFlags::Local, L"\\\\", L""},
};
INSTANTIATE_TEST_SUITE_P(Paths, DriveEntrySet, ::testing::ValuesIn(SetCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DriveEntry, SetReplacesEveryField)
{
    CDriveEntry entry;
    entry.Set(DriveFlags::Local | DriveFlags::AutoRestore, L"C:\\a", L"first", L"first.ico,1");
    entry.Set(DriveFlags::Disabled, L"D:\\b", nullptr, nullptr);
    EXPECT_EQ(entry.Flags, DriveFlags::Disabled);
    EXPECT_STREQ(entry.Path, L"D:\\b");
    EXPECT_STREQ(entry.Label, L"");
    EXPECT_STREQ(entry.Icon, L"");
}

TEST(DriveEntry, StartsEmpty)
{
    const CDriveEntry entry;
    EXPECT_EQ(entry.Flags, 0u);
    EXPECT_TRUE(entry.Path.IsEmpty());
    EXPECT_TRUE(entry.Label.IsEmpty());
    EXPECT_TRUE(entry.Icon.IsEmpty());
}
}  // namespace
