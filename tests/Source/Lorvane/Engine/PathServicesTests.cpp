// The string services of the engine: trailing backslashes, suggested labels,
// the executable's path and the default icon locations.
#include "PathServices.h"

#include <string>

#include <gtest/gtest.h>

namespace
{
struct StringCase
{
    const char* name;
    std::wstring input;
    std::wstring expected;
};

std::ostream& operator<<(std::ostream& out, const StringCase& c)
{
    return out << c.name;
}

std::string CaseName(const ::testing::TestParamInfo<StringCase>& info)
{
    return info.param.name;
}

class StripTrailingBackslashCase : public ::testing::TestWithParam<StringCase>
{
};

TEST_P(StripTrailingBackslashCase, Strips)
{
    EXPECT_STREQ(StripTrailingBackslash(GetParam().input.c_str()), GetParam().expected.c_str());
}

const StringCase StripCases[] = {
    {"RootBecomesLetter", L"C:\\", L"C:"},
    {"FolderLosesOneBackslash", L"C:\\data\\", L"C:\\data"},
    {"OnlyOneOfTwoIsRemoved", L"C:\\data\\\\", L"C:\\data\\"},
    {"NoBackslashUnchanged", L"C:\\data", L"C:\\data"},
    {"LoneDoubleBackslashStays", L"\\\\", L"\\\\"},
    {"TwoCharactersStay", L"a\\", L"a\\"},
    {"ShareLosesBackslash", L"\\\\fs1\\share\\", L"\\\\fs1\\share"},
    {"Empty", L"", L""},
};
INSTANTIATE_TEST_SUITE_P(Paths, StripTrailingBackslashCase, ::testing::ValuesIn(StripCases), CaseName);

TEST(StripTrailingBackslash, NullGivesEmpty)
{
    EXPECT_STREQ(StripTrailingBackslash(nullptr), L"");
}

class SuggestLabelCase : public ::testing::TestWithParam<StringCase>
{
};

TEST_P(SuggestLabelCase, Suggests)
{
    EXPECT_STREQ(SuggestLabelFromPath(GetParam().input.c_str()), GetParam().expected.c_str());
}

// Local and UNC paths: the mapped-drive resolution leaves them unchanged.
const StringCase SuggestCases[] = {
    {"LastFolder", L"C:\\Users\\me\\Documents", L"Documents"},
    {"TrailingBackslashIgnored", L"C:\\Projects\\", L"Projects"},
    {"RootGivesLetter", L"C:\\", L"C:"},
    {"NoBackslashWholeText", L"folder", L"folder"},
    {"ShareGetsServer", L"\\\\fs1\\projects", L"projects@fs1"},
    {"DeepShareGetsServer", L"\\\\fs1\\share\\team\\docs\\", L"docs@fs1"},
    {"EmptyServerIsNoUnc", L"\\\\\\share", L"share"},
    {"ServerWithoutShareIsNoUnc", L"\\\\fs1", L"fs1"},
    {"Empty", L"", L""},
};
INSTANTIATE_TEST_SUITE_P(Paths, SuggestLabelCase, ::testing::ValuesIn(SuggestCases), CaseName);

TEST(ModulePath, IsTheRunningExecutable)
{
    WCHAR expected[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, expected, MAX_PATH);
    EXPECT_STREQ(GetModulePath(), expected);

    const CString folder = GetModuleFolder();
    ASSERT_FALSE(folder.IsEmpty());
    EXPECT_EQ(folder[folder.GetLength() - 1], L'\\');
    EXPECT_EQ(CString(expected).Left(folder.GetLength()), folder);
    EXPECT_EQ(CString(expected).Mid(folder.GetLength()).Find(L'\\'), -1);
}

TEST(DefaultIconLocation, IsTheExecutableWithIconIndexByDriveKind)
{
    EXPECT_EQ(GetDefaultIconLocation(FALSE), GetModulePath() + L",0");
    EXPECT_EQ(GetDefaultIconLocation(TRUE), GetModulePath() + L",1");
}
}  // namespace
