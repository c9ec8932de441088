// The shortcut manager: shortcut texts, parsing them back, chords, the
// best text of a command, plain Esc, the disable count, and the character
// tests of mnemonics.
#include "Framework.h"

#include "CommandBars/ShortcutManager.h"
#include "ShortcutTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

std::wstring Text(const CString& s)
{
    return std::wstring(static_cast<LPCTSTR>(s));
}

constexpr BYTE kVirt = FVIRTKEY;

// ---- texts --------------------------------------------------------------------------

struct FormatCase
{
    const char* name;
    LVK_SHORTCUTMANAGER_ACCEL accel;
    const wchar_t* expected;
    int nPriority;
};

class ShortcutText : public ::testing::TestWithParam<FormatCase>
{
};

TEST_P(ShortcutText, ReadsAsTheMenuShowsIt)
{
    const FormatCase& c = GetParam();
    CLVKShortcutManager manager;
    int nPriority = 0;
    EXPECT_EQ(std::wstring(c.expected), Text(manager.FormatShortcut(c.accel, &nPriority)));
    EXPECT_EQ(c.nPriority, nPriority);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ShortcutText,
    ::testing::Values(
        FormatCase{"CtrlShiftF5", Shortcut(1, kVirt | FCONTROL | FSHIFT, VK_F5), L"Ctrl+Shift+F5", 3},
        FormatCase{"Chord", Shortcut(1, kVirt | FCONTROL | FSHIFT, VK_F5, kVirt | FCONTROL, 'C'),
                   L"Ctrl+Shift+F5, Ctrl+C", 3},
        FormatCase{"ModifiersInOrder", Shortcut(1, kVirt | FALT | FSHIFT | FCONTROL, 'K'), L"Ctrl+Shift+Alt+K", 3},
        FormatCase{"AltOnly", Shortcut(1, kVirt | FALT, VK_BACK), L"Alt+Backspace", 2},
        FormatCase{"ShiftOnly", Shortcut(1, kVirt | FSHIFT, VK_INSERT), L"Shift+Ins", 1},
        FormatCase{"WindowsKey", Shortcut(1, kVirt | kLVKAccelWinKey, 'E'), L"Win+E", 4},
        FormatCase{"KeypadName", Shortcut(1, kVirt | FCONTROL, VK_ADD), L"Ctrl+Num +", 3},
        FormatCase{"PlainKey", Shortcut(1, kVirt, VK_F5), L"F5", 4},
        FormatCase{"ControlCharacter", Shortcut(1, FNOINVERT, 1), L"Ctrl+A", 4},
        FormatCase{"PlainCharacter", Shortcut(1, 0, L'x'), L"x", 4},
        FormatCase{"EscapeCharacterHasNoText", Shortcut(1, 0, 27), L"", 4},
        FormatCase{"TabCharacterHasNoText", Shortcut(1, 0, 9), L"", 4},
        FormatCase{"CtrlBreakNamesItsModifier", Shortcut(1, kVirt | FCONTROL, VK_CANCEL), L"Ctrl+Break", 3},
        FormatCase{"ModifierWithoutKey", Shortcut(1, kVirt | FCONTROL | FALT, 0), L"Ctrl+Alt", 3}),
    [](const ::testing::TestParamInfo<FormatCase>& info) { return std::string(info.param.name); });

TEST(ShortcutText, UnnamedKeysReadAsHexadecimalFromTheNameTable)
{
    CLVKShortcutManager manager;
    const LVK_SHORTCUTMANAGER_ACCEL accel = Shortcut(1, kVirt | FCONTROL, 0xE5);
    CString text;
    CLVKShortcutManager::CKeyHelper(&accel, &manager, FALSE).Format(text);
    EXPECT_EQ(L"Ctrl+0xe5", Text(text));
}

// ---- parsing -----------------------------------------------------------------------

struct ParseCase
{
    const char* name;
    const wchar_t* text;
    BOOL bParses;
    LVK_SHORTCUTMANAGER_ACCEL expected;  // the keys after parsing (the command stays 7)
};

class ShortcutParse : public ::testing::TestWithParam<ParseCase>
{
};

TEST_P(ShortcutParse, GivesTheKeysOrLeavesTheShortcutAlone)
{
    const ParseCase& c = GetParam();
    CLVKShortcutManager manager;
    LVK_SHORTCUTMANAGER_ACCEL accel = Shortcut(7, kVirt, VK_F9, kVirt, VK_F10);
    EXPECT_EQ(c.bParses, manager.ParseShortcutText(c.text, accel));
    const LVK_SHORTCUTMANAGER_ACCEL& e = c.bParses ? c.expected : Shortcut(7, kVirt, VK_F9, kVirt, VK_F10);
    EXPECT_EQ(7u, accel.cmd);
    EXPECT_EQ(e.key1.fVirt, accel.key1.fVirt);
    EXPECT_EQ(e.key1.key, accel.key1.key);
    EXPECT_EQ(e.key2.fVirt, accel.key2.fVirt);
    EXPECT_EQ(e.key2.key, accel.key2.key);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ShortcutParse,
    ::testing::Values(
        ParseCase{"NamesWithoutCase", L"ctrl+shift+f5", TRUE, Shortcut(7, kVirt | FCONTROL | FSHIFT, VK_F5)},
        ParseCase{"Hexadecimal", L"0x7a", TRUE, Shortcut(7, kVirt, 0x7A)},
        ParseCase{"ModifiersInAnyOrder", L"Shift+Alt+Ctrl+Del", TRUE,
                  Shortcut(7, kVirt | FCONTROL | FALT | FSHIFT, VK_DELETE)},
        ParseCase{"Chord", L"Ctrl+K, Ctrl+C", TRUE, Shortcut(7, kVirt | FCONTROL, 'K', kVirt | FCONTROL, 'C')},
        ParseCase{"NameWithPlus", L"Alt+Num +", TRUE, Shortcut(7, kVirt | FALT, VK_ADD)},
        ParseCase{"SharedNameGivesTheKeyMetFirst", L"Win", TRUE, Shortcut(7, kVirt, VK_RWIN)},
        ParseCase{"SingleKeyClearsTheSecond", L"Esc", TRUE, Shortcut(7, kVirt, VK_ESCAPE)},
        ParseCase{"Empty", L"", FALSE, {}}, ParseCase{"ModifierAlone", L"Ctrl+", FALSE, {}},
        ParseCase{"UnknownName", L"Ctrl+Banana", FALSE, {}}, ParseCase{"HexadecimalTooShort", L"0x", FALSE, {}},
        ParseCase{"HexadecimalZero", L"0x00", FALSE, {}}, ParseCase{"HexadecimalGarbage", L"0xzz", FALSE, {}},
        ParseCase{"BadSecondKeyChangesNothing", L"Ctrl+K, Bogus", FALSE, {}}),
    [](const ::testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

TEST(ShortcutParse, TextsReadBackAsWritten)
{
    CLVKShortcutManager manager;
    for (const wchar_t* text : {L"Ctrl+Shift+F5", L"Ctrl+K, Ctrl+C", L"Alt+Page Down", L"Num 7", L"Ctrl+Shift+Alt+Z"})
    {
        LVK_SHORTCUTMANAGER_ACCEL accel{};
        ASSERT_TRUE(manager.ParseShortcutText(text, accel)) << text;
        EXPECT_EQ(std::wstring(text), Text(manager.FormatShortcut(accel))) << text;
    }
}

// ---- a command's text ----------------------------------------------------------------

TEST(ShortcutCommandText, TheBestShortcutUnlessTheMenuShowsAnotherOfIt)
{
    CLVKShortcutManager manager;
    CLVKShortcutTable& table = manager.GetShortcutTable();
    table.Add(Shortcut(100, kVirt | FCONTROL, 'R'));
    table.Add(Shortcut(100, kVirt, VK_F5));
    table.Add(Shortcut(200, kVirt | FSHIFT, 'S'));
    table.Add(Shortcut(200, kVirt | FALT, 'S'));
    table.Add(Shortcut(200, kVirt | FALT, 'T'));  // no better than the first Alt one

    CString text;
    EXPECT_TRUE(manager.FindCommandShortcutText(100, text));
    EXPECT_EQ(L"F5", Text(text)) << "a key without modifiers beats Ctrl";

    text = L"Ctrl+R";
    EXPECT_TRUE(manager.FindCommandShortcutText(100, text));
    EXPECT_EQ(L"Ctrl+R", Text(text)) << "the menu keeps a text that names one of the command's shortcuts";

    text = L"Ctrl+Q";
    EXPECT_TRUE(manager.FindCommandShortcutText(200, text));
    EXPECT_EQ(L"Alt+S", Text(text)) << "Alt beats Shift; of equals the first stays";

    text = L"Ctrl+Q";
    EXPECT_FALSE(manager.FindCommandShortcutText(300, text));
    EXPECT_EQ(L"", Text(text)) << "a command without shortcut shows none";
}

TEST(ShortcutCommandText, ALoadedTableThatWasEmptiedNamesNothing)
{
    CLVKShortcutManager manager;
    manager.LoadAccelerators(0x7FFE);  // no such resource
    EXPECT_TRUE(manager.GetShortcutTable().IsEmpty());
    CString text = L"Ctrl+N";
    EXPECT_FALSE(manager.FindCommandShortcutText(100, text));
    EXPECT_EQ(L"Ctrl+N", Text(text));
}

// ---- the table ---------------------------------------------------------------------

TEST(ShortcutTable, ResetReturnsToTheLoadedTableOnly)
{
    CLVKShortcutManager manager;
    const ACCEL accels[] = {{FVIRTKEY | FCONTROL, 'N', 0xE100}, {FVIRTKEY, VK_F1, 0xE146}};
    manager.GetShortcutTable().FillFromAccels(accels, 2);
    manager.ResetShortcuts();
    ASSERT_EQ(2, manager.GetShortcutTable().GetCount()) << "nothing loaded: nothing to reset to";
    EXPECT_EQ(0xE100u, manager.GetShortcutTable().GetAt(0)->cmd);
    EXPECT_EQ(0, manager.GetShortcutTable().GetAt(0)->key2.key);

    manager.LoadAccelerators(0x7FFE);
    manager.GetShortcutTable().FillFromAccels(accels, 2);
    manager.ResetShortcuts();
    EXPECT_TRUE(manager.GetShortcutTable().IsEmpty()) << "reset to the (empty) loaded table";
}

TEST(ShortcutTable, RecordsAndHandlesCarryTheShortcuts)
{
    CLVKShortcutManager manager;
    ACCEL accels[] = {{FVIRTKEY | FCONTROL, 'O', 0xE101}, {FVIRTKEY | FSHIFT, VK_DELETE, 0xE123}};
    const HACCEL hAccel = ::CreateAcceleratorTableW(accels, 2);
    ASSERT_NE(nullptr, hAccel);
    CLVKShortcutTable table(&manager);
    table.FillFromHandle(hAccel);
    ::DestroyAcceleratorTable(hAccel);
    table.Add(Shortcut(0xE200, kVirt | FCONTROL, 'K', kVirt | FCONTROL, 'C'));

    const std::vector<LVK_SHORTCUTMANAGER_ACCEL> records = table.Export();
    CLVKShortcutTable copy(&manager);
    copy.FillFromRecords(records.data(), static_cast<int>(records.size()));
    ASSERT_EQ(3, copy.GetCount());
    EXPECT_EQ(L"Ctrl+O", Text(manager.FormatShortcut(copy.GetAt(0)->GetRecord())));
    EXPECT_EQ(L"Shift+Del", Text(manager.FormatShortcut(copy.GetAt(1)->GetRecord())));
    EXPECT_EQ(L"Ctrl+K, Ctrl+C", Text(manager.FormatShortcut(copy.GetAt(2)->GetRecord())));
    EXPECT_TRUE(copy.GetAt(2)->HasSecondKey());
    EXPECT_EQ(&manager, copy.GetAt(2)->m_pManager);
}

// ---- plain Esc and the disable count -------------------------------------------------

struct EscapeCase
{
    const char* name;
    LVK_SHORTCUTMANAGER_ACCEL accel;
    BOOL bAllowEscape;
    BOOL bAllowed;
};

class ShortcutAllowed : public ::testing::TestWithParam<EscapeCase>
{
};

TEST_P(ShortcutAllowed, RefusesPlainEscUnlessAllowed)
{
    const EscapeCase& c = GetParam();
    CLVKShortcutManager manager;
    manager.m_bAllowEscapeShortcut = c.bAllowEscape;
    EXPECT_EQ(c.bAllowed, manager.IsShortcutAllowed(c.accel));
}

INSTANTIATE_TEST_SUITE_P(Table, ShortcutAllowed,
                         ::testing::Values(EscapeCase{"PlainEsc", Shortcut(1, kVirt, VK_ESCAPE), FALSE, FALSE},
                                           EscapeCase{"PlainEscWithNoInvert", Shortcut(1, kVirt | FNOINVERT, VK_ESCAPE),
                                                      FALSE, FALSE},
                                           EscapeCase{"PlainEscAllowed", Shortcut(1, kVirt, VK_ESCAPE), TRUE, TRUE},
                                           EscapeCase{"CtrlEsc", Shortcut(1, kVirt | FCONTROL, VK_ESCAPE), FALSE, TRUE},
                                           EscapeCase{"ShiftEsc", Shortcut(1, kVirt | FSHIFT, VK_ESCAPE), FALSE, TRUE},
                                           EscapeCase{"EscCharacter", Shortcut(1, 0, VK_ESCAPE), FALSE, TRUE},
                                           EscapeCase{"OtherKey", Shortcut(1, kVirt, VK_F2), FALSE, TRUE}),
                         [](const ::testing::TestParamInfo<EscapeCase>& info) { return std::string(info.param.name); });

TEST(ShortcutDisabling, CountsEveryDisableAndEnable)
{
    CLVKShortcutManager manager;
    EXPECT_EQ(1, manager.SetShortcutsDisabled(TRUE));
    EXPECT_EQ(1, manager.SetShortcutsDisabled(TRUE));
    EXPECT_EQ(-1, manager.SetShortcutsDisabled(FALSE));
    EXPECT_TRUE(manager.IsShortcutsDisabled()) << "two disables need two enables";
    manager.SetShortcutsDisabled(FALSE);
    EXPECT_FALSE(manager.IsShortcutsDisabled());
}

// ---- characters ----------------------------------------------------------------------

struct AmpersandCase
{
    const char* name;
    const wchar_t* text;
    int nIndex;
};

class MnemonicAmpersand : public ::testing::TestWithParam<AmpersandCase>
{
};

TEST_P(MnemonicAmpersand, FindsTheFirstSingleAmpersand)
{
    EXPECT_EQ(GetParam().nIndex, FindMnemonicAmpersand(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Table, MnemonicAmpersand,
    ::testing::Values(AmpersandCase{"First", L"&File", 0}, AmpersandCase{"AfterAPair", L"Save && &Exit", 8},
                      AmpersandCase{"PairOnly", L"A&&B", -1}, AmpersandCase{"ThreeInARow", L"A&&&B", 3},
                      AmpersandCase{"Trailing", L"End&", 3}, AmpersandCase{"None", L"Plain", -1},
                      AmpersandCase{"Empty", L"", -1}),
    [](const ::testing::TestParamInfo<AmpersandCase>& info) { return std::string(info.param.name); });

TEST(KeyCharacters, KeysAndTheCharactersTheyType)
{
    EXPECT_TRUE(KeyMatchesCharacter(L'3', VK_NUMPAD3));
    EXPECT_FALSE(KeyMatchesCharacter(L'4', VK_NUMPAD3)) << "a keypad key types its own digit only";
    EXPECT_TRUE(KeyMatchesCharacter(L'a', 'A'));
    EXPECT_TRUE(KeyMatchesCharacter(L'A', 'A'));
    EXPECT_FALSE(KeyMatchesCharacter(L'b', 'A'));
    EXPECT_FALSE(KeyMatchesCharacter(L'p', VK_F1)) << "a key that types nothing matches nothing";
    EXPECT_EQ(static_cast<UINT>('A'), CharToVirtualKey(L'a'));
    EXPECT_EQ(static_cast<UINT>('7'), CharToVirtualKey(L'7'));
}

}  // namespace
