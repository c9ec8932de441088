// The string services of the engine: trailing backslashes, suggested labels,
// the executable's path and the default icon locations, network paths,
// existing folders and drive letters.
#include "DriveLetter.h"
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

// The one answer to "is this a network path?" for the drive operation, the
// start-up restore, the retry of waiting drives and the label suggestion.
TEST(IsUncPath, OnlyAServerAndAShareMakeANetworkPath)
{
    const struct
    {
        const char* name;
        const wchar_t* path;
        bool unc;
        const wchar_t* server;
    } cases[] = {
        {"server and share", L"\\\\server\\share", true, L"server"},
        {"share with folders and a trailing backslash", L"\\\\fs1\\share\\team\\", true, L"fs1"},
        {"long form of a share", L"\\\\?\\UNC\\fs1\\share", true, L"fs1"},
        {"server alone", L"\\\\server", false, L""},
        {"server with a backslash but no share", L"\\\\server\\", false, L""},
        {"long form of a local path", L"\\\\?\\C:\\x", false, L""},
        {"device path", L"\\\\.\\pipe\\x", false, L""},
        {"two backslashes alone", L"\\\\", false, L""},
        {"empty server name", L"\\\\\\share", false, L""},
        {"local path", L"C:\\x", false, L""},
        {"one backslash", L"\\server\\share", false, L""},
        {"empty", L"", false, L""},
        {"null", nullptr, false, L""},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        CString server;
        EXPECT_EQ(c.unc, IsUncPath(c.path, &server));
        EXPECT_STREQ(c.server, server);
        EXPECT_EQ(c.unc, IsUncPath(c.path));
    }
}

TEST(IsExistingFolder, OnlyAFolderThatExists)
{
    WCHAR system[MAX_PATH] = {};
    ASSERT_NE(0u, GetSystemDirectoryW(system, MAX_PATH));
    const std::wstring folder = system;
    EXPECT_TRUE(IsExistingFolder(folder.c_str()));
    EXPECT_TRUE(IsExistingFolder((folder + L"\\").c_str()));
    EXPECT_FALSE(IsExistingFolder((folder + L"\\kernel32.dll").c_str())) << "a file is no folder";
    EXPECT_FALSE(IsExistingFolder((folder + L"\\no such folder").c_str()));
    EXPECT_FALSE(IsExistingFolder(L""));
}

TEST(DriveLetter, UpperCaseOnlyForAToZ)
{
    const struct
    {
        wchar_t letter;
        wchar_t upper;
        bool drive;
    } cases[] = {
        {L'a', L'A', true},
        {L'z', L'Z', true},
        {L'P', L'P', true},
        {L'1', L'1', false},
        {L'[', L'[', false},
        {L'@', L'@', false},
        {L'\x00E9', L'\x00E9', false},
        {L'\0', L'\0', false},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(static_cast<int>(c.letter));
        EXPECT_EQ(c.upper, UpperDriveLetter(c.letter));
        EXPECT_EQ(c.drive, IsDriveLetter(UpperDriveLetter(c.letter)));
        EXPECT_EQ(c.drive ? 1u << (c.upper - L'A') : 0u, DriveLetterBit(UpperDriveLetter(c.letter)));
    }
}
}  // namespace
