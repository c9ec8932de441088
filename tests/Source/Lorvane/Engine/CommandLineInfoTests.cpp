// The command-line parser: command lines to switch bits and positional values.
#include "CommandLineInfo.h"

#include <shellapi.h>

#include <string>

#include <gtest/gtest.h>

namespace
{
namespace F = CommandLineFlags;

// Splits the text as the platform does and hands every token to the parser
// the way the framework's ParseCommandLine does: a leading "/" or "-" makes a
// switch and is dropped.
void Parse(const std::wstring& arguments, CCustomCommandLineInfo& info)
{
    const std::wstring line = L"Lorvane.exe " + arguments;
    int count = 0;
    LPWSTR* const tokens = CommandLineToArgvW(line.c_str(), &count);
    ASSERT_NE(tokens, nullptr);
    for (int i = 1; i < count; ++i)
    {
        LPCWSTR token = tokens[i];
        const BOOL isSwitch = token[0] == L'/' || token[0] == L'-';
        info.ParseParam(isSwitch ? token + 1 : token, isSwitch, i + 1 == count);
    }
    LocalFree(tokens);
    info.FinishParse();
}

struct ParseCase
{
    const char* name;
    std::wstring arguments;
    DWORD flags;
    WCHAR letter;
    std::wstring path;
    std::wstring label;
    std::wstring icon;
    bool iconGiven;
};

std::ostream& operator<<(std::ostream& out, const ParseCase& c)
{
    return out << c.name;
}

class CommandLineParse : public ::testing::TestWithParam<ParseCase>
{
};

TEST_P(CommandLineParse, GivesFlagsAndValues)
{
    const ParseCase& c = GetParam();
    CCustomCommandLineInfo info;
    Parse(c.arguments, info);
    EXPECT_EQ(info.m_dwFlags, c.flags);
    EXPECT_EQ(info.m_chLetter, c.letter);
    EXPECT_STREQ(info.m_strPath, c.path.c_str());
    EXPECT_STREQ(info.m_strLabel, c.label.c_str());
    EXPECT_STREQ(info.m_strIcon, c.icon.c_str());
    EXPECT_EQ(info.m_bIconGiven, c.iconGiven);
}

const ParseCase WellFormedLines[] = {
    {"NoArguments", L"", 0, 0, L"", L"", L"", false},
    {"LetterOnly", L"P:", 0, L'P', L"", L"", L"", false},
    {"LetterPathLabel", L"P: C:\\x lbl", 0, L'P', L"C:\\x", L"lbl", L"", false},
    {"LowerCaseLetterIsUpperCased", L"p: C:\\x", 0, L'P', L"C:\\x", L"", L"", false},
    {"QuotedValuesKeepSpaces", L"P: \"C:\\My Files\" \"My label\"", 0, L'P', L"C:\\My Files", L"My label", L"", false},
    {"NetworkPath", L"Z: \\\\fs1\\share", 0, L'Z', L"\\\\fs1\\share", L"", L"", false},
    {"IconAfterValues", L"P: \"C:\\Projects\" Projects /ICON \"C:\\Icons\\Drive.ico\"", 0, L'P', L"C:\\Projects",
     L"Projects", L"C:\\Icons\\Drive.ico", true},
    {"IconBeforeLetter", L"/ICON C:\\i.ico,3 P: C:\\x", 0, L'P', L"C:\\x", L"", L"C:\\i.ico,3", true},
    {"IconBetweenPathAndLabel", L"P: C:\\x -icon i.ico lbl", 0, L'P', L"C:\\x", L"lbl", L"i.ico", true},
    {"RemoveSwitchBeforeLetter", L"/remove P:", F::Delete, L'P', L"", L"", L"", false},
    {"DashDAfterLetter", L"P: -D", F::Delete, L'P', L"", L"", L"", false},
    {"DeleteSynonym", L"P: /Delete", F::Delete, L'P', L"", L"", L"", false},
    {"RSynonym", L"P: /r", F::Delete, L'P', L"", L"", L"", false},
    {"RecycleBinAndNoSave", L"/NOSAVE /RECYCLEBIN P: C:\\x", F::NoSave | F::RecycleBin, L'P', L"C:\\x", L"", L"",
     false},
    {"NoCreateRecycleBin", L"/NOCREATE /RECYCLEBIN P: C:\\x", F::NoCreate | F::RecycleBin, L'P', L"C:\\x", L"", L"",
     false},
    {"FixLabelWithLetter", L"/FIXLABEL E:", F::FixLabel, L'E', L"", L"", L"", false},
    {"StartupAnyCase", L"/StartUp", F::Startup, 0, L"", L"", L"", false},
    {"RegTaskWithUac2", L"/REGTASK /UAC2", F::RegTask | F::Uac2, 0, L"", L"", L"", false},
    {"UnregTask", L"-unregtask", F::UnregTask, 0, L"", L"", L"", false},
    {"UacTask", L"/UACTASK", F::UacTask, 0, L"", L"", L"", false},
    {"UacIsNotUac2", L"/UAC", F::Uac, 0, L"", L"", L"", false},
    {"AcceptedNoOps", L"/NOUAC /NOCHECKVER", F::NoUac | F::NoCheckVer, 0, L"", L"", L"", false},
    {"WindowSwitches", L"/NOCHECKRUN /NOWELCOME /UPDATELANG", F::NoCheckRun | F::NoWelcome | F::UpdateLang, 0, L"", L"",
     L"", false},
    {"RepeatedSwitch", L"/D /D P:", F::Delete, L'P', L"", L"", L"", false},
};
INSTANTIATE_TEST_SUITE_P(WellFormed, CommandLineParse, ::testing::ValuesIn(WellFormedLines),
                         [](const auto& info) { return std::string(info.param.name); });

const ParseCase MalformedLines[] = {
    {"UnknownSwitch", L"/FOO", F::Usage, 0, L"", L"", L"", false},
    {"BareSlash", L"/ P: C:\\x", F::Usage, L'P', L"C:\\x", L"", L"", false},
    {"PrefixOfSwitch", L"/REG", F::Usage, 0, L"", L"", L"", false},
    {"SwitchWithSuffix", L"/REGTASKX", F::Usage, 0, L"", L"", L"", false},
    {"FourthPositionalValue", L"P: C:\\x lbl extra", F::Usage, L'P', L"C:\\x", L"lbl", L"", false},
    {"LetterNotFirst", L"C:\\x P:", F::Usage, L'P', L"", L"", L"", false},
    {"TrailingIcon", L"P: C:\\x /ICON", F::Usage | F::Icon, L'P', L"C:\\x", L"", L"", false},
    {"IconSwallowsLetter", L"/ICON P: C:\\x", F::Usage, 0, L"", L"", L"P:", true},
    {"DigitLetter", L"1: C:\\x", F::Usage, 0, L"", L"", L"", false},
    {"LetterWithoutColon", L"P C:\\x", F::Usage, 0, L"", L"", L"", false},
    {"LetterWithBackslash", L"P:\\ C:\\x", F::Usage, 0, L"", L"", L"", false},
    {"TwoLetters", L"PQ: C:\\x", F::Usage, 0, L"", L"", L"", false},
    // IsCharAlphaW calls it a letter, but no drive has it.
    {"NonLatinLetter", L"\u00E9: C:\\x", F::Usage, 0, L"", L"", L"", false},
};
INSTANTIATE_TEST_SUITE_P(Malformed, CommandLineParse, ::testing::ValuesIn(MalformedLines),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CommandLineUsageText, ListsTheFormsAndTheExamples)
{
    EXPECT_STREQ(GetCommandLineUsageText(),
                 L"Command line usage:\r\n"
                 L"LORVANE [drive1: [drive2:]path] [drive label] [/ICON icon-location]\r\n\r\n"
                 L"To remove a virtual drive, run:\r\n"
                 L"LORVANE [DRIVE1:] /D\r\n\r\n"
                 L"Examples of usage:\r\n"
                 L"LORVANE P: \"C:\\Projects\" Projects /ICON \"C:\\Icons\\Drive.ico\"\r\n"
                 L"LORVANE P: /D");
}
}  // namespace
