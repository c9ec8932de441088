// The shell's drive label and icon keys, the network labels and the label
// fix, against the real registry of the Wine prefix. Every key the tests
// touch is saved first and put back afterwards. A 32-bit program under Wine
// runs under WOW64 like on 64-bit Windows, so the keys are checked in the
// 64-bit view, the one the 64-bit shell reads.
#include "DriveLabels.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace
{

const wchar_t kUserDrives[] = L"SOFTWARE\\Classes\\Applications\\Explorer.exe\\Drives\\";
const wchar_t kDriveIcons[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons\\";
const wchar_t kMountPoints[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MountPoints2\\";

// The three places of a letter's value, in the order the shell's keys are read.
enum class Place
{
    FirstUser,
    SecondUser,
    Machine
};

HKEY RootOf(Place place)
{
    return place == Place::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

std::wstring LetterKeyOf(Place place, wchar_t letter)
{
    return std::wstring(place == Place::FirstUser ? kUserDrives : kDriveIcons) + letter;
}

std::wstring ValueKeyOf(Place place, wchar_t letter, const std::wstring& valueName)
{
    return LetterKeyOf(place, letter) + L"\\" + valueName;
}

// The raw default value of a key in the 64-bit view.
struct RawValue
{
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

std::optional<RawValue> ReadRaw(HKEY root, const std::wstring& path, const wchar_t* name = nullptr)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS)
        return std::nullopt;
    RawValue value;
    DWORD size = 0;
    LSTATUS status = RegQueryValueExW(key, name, nullptr, &value.type, nullptr, &size);
    if (status == ERROR_SUCCESS)
    {
        value.data.resize(size);
        status = RegQueryValueExW(key, name, nullptr, &value.type, value.data.data(), &size);
    }
    RegCloseKey(key);
    if (status != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

// The text of a REG_SZ default value, or nullopt when there is none.
std::optional<std::wstring> ReadText(HKEY root, const std::wstring& path, const wchar_t* name = nullptr)
{
    const std::optional<RawValue> raw = ReadRaw(root, path, name);
    if (!raw || raw->type != REG_SZ)
        return std::nullopt;
    std::wstring text(reinterpret_cast<const wchar_t*>(raw->data.data()), raw->data.size() / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0')
        text.pop_back();
    return text;
}

std::optional<std::wstring> ReadPlace(Place place, wchar_t letter, const std::wstring& valueName)
{
    return ReadText(RootOf(place), ValueKeyOf(place, letter, valueName));
}

bool KeyExists(HKEY root, const std::wstring& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void WriteRaw(HKEY root, const std::wstring& path, DWORD type, const void* data, DWORD size,
              const wchar_t* name = nullptr)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_WRITE | KEY_WOW64_64KEY, nullptr, &key, nullptr));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size));
    RegCloseKey(key);
}

void WriteText(HKEY root, const std::wstring& path, const std::wstring& text)
{
    WriteRaw(root, path, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void WritePlace(Place place, wchar_t letter, const std::wstring& valueName, const std::wstring& text)
{
    WriteText(RootOf(place), ValueKeyOf(place, letter, valueName), text);
}

void DeleteTree(HKEY root, const std::wstring& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS)
        return;
    RegDeleteTreeW(key, nullptr);
    RegCloseKey(key);
    const size_t slash = path.rfind(L'\\');
    HKEY parent = nullptr;
    if (RegOpenKeyExW(root, path.substr(0, slash).c_str(), 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, &parent) ==
        ERROR_SUCCESS)
    {
        RegDeleteKeyExW(parent, path.substr(slash + 1).c_str(), KEY_WOW64_64KEY, 0);
        RegCloseKey(parent);
    }
}

// Saves the three letter keys of a letter that no drive of this machine uses,
// and starts each test with them absent.
class DriveLabelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_letter = FindUnusedDriveLetter();
        ASSERT_NE(0, m_letter) << "no free drive letter";
        for (const Place place : {Place::FirstUser, Place::SecondUser, Place::Machine})
        {
            m_snapshots.push_back(
                std::make_unique<RegistrySnapshot>(RootOf(place), LetterKeyOf(place, m_letter), KEY_WOW64_64KEY));
            DeleteTree(RootOf(place), LetterKeyOf(place, m_letter));
        }
    }

    wchar_t m_letter = 0;
    std::vector<std::unique_ptr<RegistrySnapshot>> m_snapshots;
};

TEST(DriveLabelKeyPathTest, EachRootHasItsForm)
{
    EXPECT_STREQ(L"SOFTWARE\\Classes\\Applications\\Explorer.exe\\Drives\\P\\DefaultLabel",
                 BuildDriveIconValueKeyPath(HKEY_CURRENT_USER, L'p', kDefaultLabelValueName));
    EXPECT_STREQ(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons\\P\\DefaultIcon",
                 BuildDriveIconValueKeyPath(HKEY_LOCAL_MACHINE, L'P', kDefaultIconValueName));
    EXPECT_STREQ(L"SOFTWARE\\Classes\\Applications\\Explorer.exe\\Drives\\Q",
                 BuildDriveIconKeyPath(HKEY_CURRENT_USER, L'q'));
    EXPECT_STREQ(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons\\Q",
                 BuildDriveIconKeyPath(HKEY_LOCAL_MACHINE, L'Q'));
}

TEST(DriveLabelRegistryViewTest, A32BitProgramUnderWow64UsesThe64BitView)
{
    BOOL wow64 = FALSE;
    ASSERT_TRUE(IsWow64Process(GetCurrentProcess(), &wow64));
    EXPECT_EQ(wow64 ? static_cast<REGSAM>(KEY_WOW64_64KEY) : 0, GetDriveLabelRegistryView());
}

TEST_F(DriveLabelTest, AUserWriteFillsBothUserKeysAndReadsFromTheFirst)
{
    EXPECT_TRUE(WriteDriveIconValue(m_letter, kDefaultLabelValueName, L"Projects", FALSE, FALSE));

    EXPECT_EQ(L"Projects", ReadPlace(Place::FirstUser, m_letter, L"DefaultLabel"));
    EXPECT_EQ(L"Projects", ReadPlace(Place::SecondUser, m_letter, L"DefaultLabel"));
    EXPECT_EQ(std::nullopt, ReadPlace(Place::Machine, m_letter, L"DefaultLabel"));

    WritePlace(Place::SecondUser, m_letter, L"DefaultLabel", L"Second");
    EXPECT_STREQ(L"Projects", ReadDriveIconValue(m_letter, kDefaultLabelValueName));
}

TEST_F(DriveLabelTest, AMachineWriteLandsInTheMachineKeyOnly)
{
    EXPECT_TRUE(WriteDriveIconValue(m_letter, kDefaultIconValueName, L"C:\\x.dll,3", TRUE, FALSE));

    EXPECT_EQ(L"C:\\x.dll,3", ReadPlace(Place::Machine, m_letter, L"DefaultIcon"));
    EXPECT_EQ(std::nullopt, ReadPlace(Place::FirstUser, m_letter, L"DefaultIcon"));
    EXPECT_EQ(std::nullopt, ReadPlace(Place::SecondUser, m_letter, L"DefaultIcon"));
    EXPECT_STREQ(L"C:\\x.dll,3", ReadDriveIconValue(m_letter, kDefaultIconValueName));
}

TEST_F(DriveLabelTest, AnEmptyTextIsWrittenOnlyWithTheKeepEmptyFlag)
{
    WritePlace(Place::FirstUser, m_letter, L"DefaultLabel", L"Old");
    WritePlace(Place::SecondUser, m_letter, L"DefaultLabel", L"Old");

    EXPECT_TRUE(WriteDriveIconValue(m_letter, kDefaultLabelValueName, L"", FALSE, TRUE));
    EXPECT_EQ(L"", ReadPlace(Place::FirstUser, m_letter, L"DefaultLabel"));
    EXPECT_EQ(L"", ReadPlace(Place::SecondUser, m_letter, L"DefaultLabel"));

    EXPECT_TRUE(WriteDriveIconValue(m_letter, kDefaultLabelValueName, L"", FALSE, FALSE));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, ValueKeyOf(Place::FirstUser, m_letter, L"DefaultLabel")));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, ValueKeyOf(Place::SecondUser, m_letter, L"DefaultLabel")));
}

TEST_F(DriveLabelTest, DeletingRemovesTheValueKeysWithTheirSubkeysAndKeepsTheLetterKeys)
{
    WritePlace(Place::FirstUser, m_letter, L"DefaultIcon", L"a.ico");
    WriteText(HKEY_CURRENT_USER, ValueKeyOf(Place::FirstUser, m_letter, L"DefaultIcon") + L"\\Below", L"x");
    WritePlace(Place::SecondUser, m_letter, L"DefaultIcon", L"a.ico");
    WritePlace(Place::FirstUser, m_letter, L"DefaultLabel", L"Stays");

    EXPECT_TRUE(WriteDriveIconValue(m_letter, kDefaultIconValueName, nullptr, FALSE, FALSE));

    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, ValueKeyOf(Place::FirstUser, m_letter, L"DefaultIcon")));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, ValueKeyOf(Place::SecondUser, m_letter, L"DefaultIcon")));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, LetterKeyOf(Place::FirstUser, m_letter)));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, LetterKeyOf(Place::SecondUser, m_letter)));
    EXPECT_EQ(L"Stays", ReadPlace(Place::FirstUser, m_letter, L"DefaultLabel"));
}

TEST_F(DriveLabelTest, DeletingAUserValueThatOnlyTheSecondUserKeyHoldsRemovesIt)
{
    WritePlace(Place::SecondUser, m_letter, L"DefaultLabel", L"Only here");
    ASSERT_FALSE(KeyExists(HKEY_CURRENT_USER, LetterKeyOf(Place::FirstUser, m_letter)));

    EXPECT_TRUE(WriteDriveIconValue(m_letter, kDefaultLabelValueName, nullptr, FALSE, FALSE));

    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, ValueKeyOf(Place::SecondUser, m_letter, L"DefaultLabel")));
    EXPECT_STREQ(L"", ReadDriveIconValue(m_letter, kDefaultLabelValueName));
}

TEST_F(DriveLabelTest, DeletingWhatIsNotThereSucceeds)
{
    EXPECT_TRUE(WriteDriveIconValue(m_letter, kDefaultLabelValueName, nullptr, FALSE, FALSE));
    EXPECT_TRUE(WriteDriveIconValue(m_letter, kDefaultLabelValueName, nullptr, TRUE, FALSE));
    WritePlace(Place::Machine, m_letter, L"DefaultIcon", L"m.ico");
    EXPECT_TRUE(WriteDriveIconValue(m_letter, kDefaultLabelValueName, nullptr, TRUE, FALSE));
    EXPECT_EQ(L"m.ico", ReadPlace(Place::Machine, m_letter, L"DefaultIcon"));
}

// Which key's value wins, and which values do not count.
struct ReadCase
{
    const char* name;
    std::optional<std::wstring> firstUser;
    std::optional<std::wstring> secondUser;
    std::optional<std::wstring> machine;
    const wchar_t* expected;
};

TEST_F(DriveLabelTest, ReadTakesTheFirstKeyWithAText)
{
    const ReadCase cases[] = {
        {"first user key wins", L"first", L"second", L"machine", L"first"},
        {"second user key before machine", std::nullopt, L"second", L"machine", L"second"},
        {"machine key last", std::nullopt, std::nullopt, L"machine", L"machine"},
        {"empty value is skipped", L"", L"second", std::nullopt, L"second"},
        {"one character is a text", L"x", L"second", std::nullopt, L"x"},
        {"nothing anywhere", std::nullopt, std::nullopt, std::nullopt, L""},
        {"only empty values", L"", L"", L"", L""},
    };
    for (const ReadCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        const std::optional<std::wstring> values[] = {c.firstUser, c.secondUser, c.machine};
        const Place places[] = {Place::FirstUser, Place::SecondUser, Place::Machine};
        for (int i = 0; i < 3; ++i)
        {
            DeleteTree(RootOf(places[i]), LetterKeyOf(places[i], m_letter));
            if (values[i])
                WritePlace(places[i], m_letter, L"DefaultIcon", *values[i]);
        }
        EXPECT_STREQ(c.expected, ReadDriveIconValue(m_letter, kDefaultIconValueName));
    }
}

// Malformed values in the first user key count as absent, so the second key's
// text is read.
struct MalformedCase
{
    const char* name;
    DWORD type;
    std::vector<BYTE> data;
};

std::vector<BYTE> Bytes(const wchar_t* text, size_t chars)
{
    const BYTE* p = reinterpret_cast<const BYTE*>(text);
    return std::vector<BYTE>(p, p + chars * sizeof(wchar_t));
}

TEST_F(DriveLabelTest, MalformedValuesAreSkipped)
{
    std::vector<BYTE> oddSize = Bytes(L"ab", 3);
    oddSize.pop_back();
    // 2,050 bytes: one character more than the buffer of 2,048 bytes holds.
    const std::wstring tooLong(1024, L'x');
    const MalformedCase cases[] = {
        {"DWORD", REG_DWORD, {1, 0, 0, 0}},
        {"binary text", REG_BINARY, Bytes(L"ab", 3)},
        {"odd size", REG_SZ, oddSize},
        {"too long for the buffer", REG_SZ, Bytes(tooLong.c_str(), tooLong.size() + 1)},
    };
    WritePlace(Place::SecondUser, m_letter, L"DefaultIcon", L"second");
    for (const MalformedCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        WriteRaw(HKEY_CURRENT_USER, ValueKeyOf(Place::FirstUser, m_letter, L"DefaultIcon"), c.type, c.data.data(),
                 static_cast<DWORD>(c.data.size()));
        EXPECT_STREQ(L"second", ReadDriveIconValue(m_letter, kDefaultIconValueName));
    }
}

TEST_F(DriveLabelTest, ATextWithoutItsTerminatingZeroIsSkipped)
{
    // The registry adds a zero when the next character in memory is one, so
    // the character after the stored text must not be zero.
    const wchar_t buffer[] = L"abcX";
    WriteRaw(HKEY_CURRENT_USER, ValueKeyOf(Place::FirstUser, m_letter, L"DefaultIcon"), REG_SZ, buffer,
             3 * sizeof(wchar_t));
    WritePlace(Place::SecondUser, m_letter, L"DefaultIcon", L"second");
    const std::optional<RawValue> raw =
        ReadRaw(HKEY_CURRENT_USER, ValueKeyOf(Place::FirstUser, m_letter, L"DefaultIcon"));
    ASSERT_TRUE(raw.has_value());
    if (raw->data.size() != 3 * sizeof(wchar_t))
        GTEST_SKIP() << "the registry stored a terminating zero itself";

    EXPECT_STREQ(L"second", ReadDriveIconValue(m_letter, kDefaultIconValueName));
}

TEST_F(DriveLabelTest, AnExpandableTextIsReadUnexpanded)
{
    const std::wstring text = L"%SystemRoot%\\x.dll,1";
    WriteRaw(HKEY_CURRENT_USER, ValueKeyOf(Place::FirstUser, m_letter, L"DefaultIcon"), REG_EXPAND_SZ, text.c_str(),
             static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    EXPECT_STREQ(text.c_str(), ReadDriveIconValue(m_letter, kDefaultIconValueName));
}

// The network label of a remote path, in its own MountPoints2 key.
class NetworkDriveLabelTest : public ::testing::Test
{
protected:
    const std::wstring m_server = L"lorvane-test-" + UniqueTestName();
    const std::wstring m_remote = L"\\\\" + m_server + L"\\share";
    const std::wstring m_keyPath = std::wstring(kMountPoints) + L"##" + m_server + L"#share";
    RegistrySnapshot m_snapshot{HKEY_CURRENT_USER, m_keyPath, KEY_WOW64_64KEY};
};

TEST_F(NetworkDriveLabelTest, TheKeyIsTheRemotePathWithHashesForBackslashes)
{
    EXPECT_STREQ(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MountPoints2\\##fs1#share",
                 BuildNetworkDriveLabelKeyPath(L"\\\\fs1\\share"));
    EXPECT_STREQ(m_keyPath.c_str(), BuildNetworkDriveLabelKeyPath(m_remote.c_str()));
}

TEST_F(NetworkDriveLabelTest, WriteReadAndDelete)
{
    EXPECT_STREQ(L"", ReadNetworkDriveLabel(m_remote.c_str()));

    EXPECT_TRUE(WriteNetworkDriveLabel(m_remote.c_str(), L"Team share"));
    EXPECT_EQ(L"Team share", ReadText(HKEY_CURRENT_USER, m_keyPath, L"_LabelFromReg"));
    EXPECT_STREQ(L"Team share", ReadNetworkDriveLabel(m_remote.c_str()));

    EXPECT_TRUE(WriteNetworkDriveLabel(m_remote.c_str(), L""));
    EXPECT_EQ(L"", ReadText(HKEY_CURRENT_USER, m_keyPath, L"_LabelFromReg"));
    EXPECT_STREQ(L"", ReadNetworkDriveLabel(m_remote.c_str()));

    EXPECT_TRUE(WriteNetworkDriveLabel(m_remote.c_str(), nullptr));
    EXPECT_EQ(std::nullopt, ReadRaw(HKEY_CURRENT_USER, m_keyPath, L"_LabelFromReg"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, m_keyPath));
}

TEST_F(NetworkDriveLabelTest, DeletingWithoutTheKeyFails)
{
    EXPECT_FALSE(WriteNetworkDriveLabel(m_remote.c_str(), nullptr));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, m_keyPath));
}

TEST_F(NetworkDriveLabelTest, AnEmptyRemotePathTouchesNothing)
{
    RegistrySnapshot mountPoints(HKEY_CURRENT_USER, std::wstring(kMountPoints).substr(0, wcslen(kMountPoints) - 1),
                                 KEY_WOW64_64KEY);
    EXPECT_FALSE(WriteNetworkDriveLabel(L"", L"label"));
    EXPECT_FALSE(WriteNetworkDriveLabel(nullptr, nullptr));
    EXPECT_TRUE(mountPoints.MatchesCurrent());
}

TEST(FixVolumeLabelTest, AVolumeWithoutALabelIsLeftAloneAndNothingIsWritten)
{
    wchar_t label[MAX_PATH] = {};
    ASSERT_TRUE(GetVolumeInformationW(L"C:\\", label, MAX_PATH, nullptr, nullptr, nullptr, nullptr, 0));
    if (label[0])
        GTEST_SKIP() << "C: has a label of its own; the test would remove it";
    RegistrySnapshot first(HKEY_CURRENT_USER, LetterKeyOf(Place::FirstUser, L'C'), KEY_WOW64_64KEY);
    RegistrySnapshot second(HKEY_CURRENT_USER, LetterKeyOf(Place::SecondUser, L'C'), KEY_WOW64_64KEY);
    RegistrySnapshot machine(HKEY_LOCAL_MACHINE, LetterKeyOf(Place::Machine, L'C'), KEY_WOW64_64KEY);

    EXPECT_TRUE(FixVolumeLabel(L'c'));

    EXPECT_TRUE(first.MatchesCurrent());
    EXPECT_TRUE(second.MatchesCurrent());
    EXPECT_TRUE(machine.MatchesCurrent());
}

TEST(FixVolumeLabelTest, ALetterWithoutAVolumeFails)
{
    const wchar_t letter = FindUnusedDriveLetter();
    ASSERT_NE(0, letter);
    EXPECT_FALSE(FixVolumeLabel(letter));
}

}  // namespace
