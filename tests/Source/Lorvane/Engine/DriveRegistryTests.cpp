// The saved drives under the program's key and the Run value. The tests
// write the real keys; a snapshot puts them back afterwards.
#include "AppSettings.h"
#include "DriveRegistry.h"
#include "PathServices.h"
#include "RegistrySnapshot.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace
{
class SavedDrives : public ::testing::Test
{
protected:
    SavedDrives() { RegDeleteTreeW(HKEY_CURRENT_USER, kLorvaneRegistryKey); }

    static UniqueRegKey Key() { return OpenUserKey(kLorvaneRegistryKey, KEY_ALL_ACCESS, true); }

    static void SetRaw(LPCWSTR name, DWORD type, const void* data, DWORD bytes)
    {
        ASSERT_EQ(RegSetValueExW(Key().get(), name, 0, type, static_cast<const BYTE*>(data), bytes), ERROR_SUCCESS);
    }

    static void SetString(LPCWSTR name, const std::wstring& value)
    {
        SetRaw(name, REG_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(WCHAR)));
    }

    static void SetDword(LPCWSTR name, DWORD value) { SetRaw(name, REG_DWORD, &value, sizeof(value)); }

    static bool ReadValue(LPCWSTR name, DWORD& type, std::vector<BYTE>& data)
    {
        const UniqueRegKey key = Key();
        DWORD bytes = 0;
        if (RegQueryValueExW(key.get(), name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS)
            return false;
        data.resize(bytes);
        return RegQueryValueExW(key.get(), name, nullptr, &type, data.data(), &bytes) == ERROR_SUCCESS;
    }

    static bool HasValue(LPCWSTR name)
    {
        DWORD type = 0;
        std::vector<BYTE> data;
        return ReadValue(name, type, data);
    }

    RegistrySnapshot m_saved{HKEY_CURRENT_USER, kLorvaneRegistryKey};
};

TEST_F(SavedDrives, SaveWritesStringsWithTheirZeroAndFlagsAsDword)
{
    ASSERT_TRUE(
        SaveDriveEntry(L'Q', L"C:\\data", L"Data", L"C:\\i.ico,2", DriveFlags::Local | DriveFlags::AutoRestore));

    struct Expected
    {
        LPCWSTR name;
        std::wstring text;
    };
    for (const Expected& e :
         {Expected{L"Q(Path)", L"C:\\data"}, Expected{L"Q(Label)", L"Data"}, Expected{L"Q(Icon)", L"C:\\i.ico,2"}})
    {
        DWORD type = 0;
        std::vector<BYTE> data;
        ASSERT_TRUE(ReadValue(e.name, type, data)) << e.name;
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << e.name;
        ASSERT_EQ(data.size(), (e.text.size() + 1) * sizeof(WCHAR)) << e.name;
        EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(data.data())), e.text) << e.name;
    }
    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(ReadValue(L"Q(Flags)", type, data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(*reinterpret_cast<const DWORD*>(data.data()), DriveFlags::Local | DriveFlags::AutoRestore);
}

TEST_F(SavedDrives, SaveOfEmptyLabelWritesItAndNullLabelDeletesIt)
{
    ASSERT_TRUE(SaveDriveEntry(L'Q', L"C:\\data", L"", nullptr, DriveFlags::Local));
    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(ReadValue(L"Q(Label)", type, data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(data.size(), sizeof(WCHAR));
    EXPECT_FALSE(HasValue(L"Q(Icon)"));

    ASSERT_TRUE(SaveDriveEntry(L'Q', L"C:\\data", nullptr, nullptr, DriveFlags::Local));
    EXPECT_FALSE(HasValue(L"Q(Label)"));
    EXPECT_TRUE(HasValue(L"Q(Path)"));
}

TEST_F(SavedDrives, SaveOfZeroFlagsDeletesThem)
{
    ASSERT_TRUE(SaveDriveEntry(L'Q', L"C:\\data", L"Data", nullptr, DriveFlags::Local));
    ASSERT_TRUE(SaveDriveEntry(L'Q', L"C:\\data", L"Data", nullptr, 0));
    EXPECT_FALSE(HasValue(L"Q(Flags)"));
}

TEST_F(SavedDrives, SaveOfAllNullsRemovesTheDriveAndLeavesOthers)
{
    ASSERT_TRUE(SaveDriveEntry(L'Q', L"C:\\data", L"Data", L"i.ico,0", DriveFlags::Local));
    ASSERT_TRUE(SaveDriveEntry(L'R', L"C:\\other", L"Other", nullptr, DriveFlags::Local));
    ASSERT_TRUE(SaveDriveEntry(L'Q', nullptr, nullptr, nullptr, 0));

    for (LPCWSTR name : {L"Q(Path)", L"Q(Label)", L"Q(Icon)", L"Q(Flags)"})
        EXPECT_FALSE(HasValue(name)) << name;
    CString path, label, icon;
    DWORD flags = 0;
    EXPECT_FALSE(LoadDriveEntry(L'Q', path, label, icon, flags));
    EXPECT_TRUE(LoadDriveEntry(L'R', path, label, icon, flags));
}

TEST_F(SavedDrives, LowerCaseLetterNamesTheUpperCaseValues)
{
    ASSERT_TRUE(SaveDriveEntry(L'q', L"C:\\data", nullptr, nullptr, 0));
    EXPECT_TRUE(HasValue(L"Q(Path)"));
    CString path, label, icon;
    DWORD flags = 0;
    EXPECT_TRUE(LoadDriveEntry(L'q', path, label, icon, flags));
    EXPECT_STREQ(path, L"C:\\data");
}

TEST_F(SavedDrives, ALetterOutsideAToZIsRefusedAndNothingIsWritten)
{
    for (WCHAR letter : {L'1', L'@', L'[', L'\0'})
    {
        EXPECT_FALSE(SaveDriveEntry(letter, L"C:\\data", nullptr, nullptr, 0)) << static_cast<int>(letter);
        CString path, label, icon;
        DWORD flags = 0;
        EXPECT_FALSE(LoadDriveEntry(letter, path, label, icon, flags)) << static_cast<int>(letter);
    }
    DWORD values = 0;
    ASSERT_EQ(RegQueryInfoKeyW(Key().get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                               nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(values, 0u);
}

TEST_F(SavedDrives, LoadRoundTripsASavedEntry)
{
    ASSERT_TRUE(
        SaveDriveEntry(L'Q', L"\\\\fs1\\share", L"Share", L"n.ico,4", DriveFlags::Network | DriveFlags::Disabled));
    CString path, label, icon;
    DWORD flags = 0;
    ASSERT_TRUE(LoadDriveEntry(L'Q', path, label, icon, flags));
    EXPECT_STREQ(path, L"\\\\fs1\\share");
    EXPECT_STREQ(label, L"Share");
    EXPECT_STREQ(icon, L"n.ico,4");
    EXPECT_EQ(flags, DriveFlags::Network | DriveFlags::Disabled);
}

TEST_F(SavedDrives, LoadWithoutPathIsNotSavedAndLeavesOutputsUntouched)
{
    SetString(L"Q(Label)", L"Data");
    SetDword(L"Q(Flags)", DriveFlags::Local);
    CString path = L"p", label = L"l", icon = L"i";
    DWORD flags = 77;
    EXPECT_FALSE(LoadDriveEntry(L'Q', path, label, icon, flags));
    EXPECT_STREQ(path, L"p");
    EXPECT_STREQ(label, L"l");
    EXPECT_STREQ(icon, L"i");
    EXPECT_EQ(flags, 77u);
}

TEST_F(SavedDrives, LoadWithoutKeyIsNotSaved)
{
    RegDeleteTreeW(HKEY_CURRENT_USER, kLorvaneRegistryKey);
    CString path, label, icon;
    DWORD flags = 0;
    EXPECT_FALSE(LoadDriveEntry(L'Q', path, label, icon, flags));
    EXPECT_FALSE(HasAutoRestoreDrives());
}

TEST_F(SavedDrives, LoadFillsMissingLabelFlagsAndIcon)
{
    struct Case
    {
        const char* name;
        bool writeFlags;
        DWORD flags;
        const wchar_t* iconSuffix;
    };
    for (const Case& c : {Case{"NoFlags", false, 0, L",0"}, Case{"LocalFlags", true, DriveFlags::Local, L",0"},
                          Case{"NetworkFlags", true, DriveFlags::Network, L",1"}})
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, kLorvaneRegistryKey);
        SetString(L"Q(Path)", L"C:\\data");
        if (c.writeFlags)
            SetDword(L"Q(Flags)", c.flags);
        CString path, label = L"stale", icon;
        DWORD flags = 99;
        ASSERT_TRUE(LoadDriveEntry(L'Q', path, label, icon, flags)) << c.name;
        EXPECT_STREQ(label, L"") << c.name;
        EXPECT_EQ(flags, c.flags) << c.name;
        EXPECT_EQ(icon, GetModulePath() + c.iconSuffix) << c.name;
    }
}

TEST_F(SavedDrives, FlagsOfAnotherTypeLoadAsZero)
{
    SetString(L"Q(Path)", L"C:\\data");
    SetString(L"Q(Flags)", L"1");
    CString path, label, icon;
    DWORD flags = 99;
    ASSERT_TRUE(LoadDriveEntry(L'Q', path, label, icon, flags));
    EXPECT_EQ(flags, 0u);
}

// How a stored string value reads: the same rules hold for path, label and
// icon (the path decides whether the drive is saved at all).
struct StringValueCase
{
    const char* name;
    DWORD type;
    std::vector<WCHAR> characters;  // what is stored ...
    DWORD bytes;                    // ... and how many bytes of it
    bool valid;
    std::wstring text;
};

std::ostream& operator<<(std::ostream& out, const StringValueCase& c)
{
    return out << c.name;
}

std::vector<WCHAR> Characters(const std::wstring& text, WCHAR after)
{
    std::vector<WCHAR> characters(text.begin(), text.end());
    characters.push_back(after);
    characters.push_back(L'!');  // a non-zero character after the value, see below
    return characters;
}

DWORD Bytes(const std::wstring& text, bool withZero)
{
    return static_cast<DWORD>((text.size() + (withZero ? 1 : 0)) * sizeof(WCHAR));
}

const std::wstring Longest(1023, L'a');  // 2,046 bytes + the zero = 2,048
const std::wstring TooLong(1024, L'a');

// A value without its zero is written from a buffer whose next character is
// not zero: Wine would otherwise add the zero itself.
const StringValueCase StringValueCases[] = {
    {"PlainString", REG_SZ, Characters(L"C:\\data", 0), Bytes(L"C:\\data", true), true, L"C:\\data"},
    {"ExpandStringIsNotExpanded", REG_EXPAND_SZ, Characters(L"%TEMP%\\x", 0), Bytes(L"%TEMP%\\x", true), true,
     L"%TEMP%\\x"},
    {"EmptyValueOfSizeZero", REG_SZ, Characters(L"", L'x'), 0, true, L""},
    {"EmptyStringWithZero", REG_SZ, Characters(L"", 0), Bytes(L"", true), true, L""},
    {"OddSize", REG_SZ, Characters(L"abc", 0), Bytes(L"abc", true) - 1, false, L""},
    {"MissingZero", REG_SZ, Characters(L"abc", L'x'), Bytes(L"abc", false), false, L""},
    {"BinaryType", REG_BINARY, Characters(L"abc", 0), Bytes(L"abc", true), false, L""},
    {"MultiStringType", REG_MULTI_SZ, Characters(L"abc", 0), Bytes(L"abc", true), false, L""},
    {"Exactly2048Bytes", REG_SZ, Characters(Longest, 0), Bytes(Longest, true), true, Longest},
    {"Over2048Bytes", REG_SZ, Characters(TooLong, 0), Bytes(TooLong, true), false, L""},
};

class SavedStringValue : public SavedDrives, public ::testing::WithParamInterface<StringValueCase>
{
protected:
    void Store(LPCWSTR name)
    {
        const StringValueCase& c = GetParam();
        SetRaw(name, c.type, c.characters.data(), c.bytes);
    }
};

TEST_P(SavedStringValue, AsPathDecidesWhetherTheDriveIsSaved)
{
    const StringValueCase& c = GetParam();
    Store(L"Q(Path)");
    CString path = L"untouched", label, icon;
    DWORD flags = 0;
    EXPECT_EQ(LoadDriveEntry(L'Q', path, label, icon, flags) != FALSE, c.valid);
    EXPECT_STREQ(path, c.valid ? c.text.c_str() : L"untouched");
}

TEST_P(SavedStringValue, AsLabelIsReadOrEmpty)
{
    const StringValueCase& c = GetParam();
    SetString(L"Q(Path)", L"C:\\data");
    Store(L"Q(Label)");
    CString path, label = L"stale", icon;
    DWORD flags = 0;
    ASSERT_TRUE(LoadDriveEntry(L'Q', path, label, icon, flags));
    EXPECT_STREQ(label, c.valid ? c.text.c_str() : L"");
}

TEST_P(SavedStringValue, AsIconIsReadOrTheDefault)
{
    const StringValueCase& c = GetParam();
    SetString(L"Q(Path)", L"C:\\data");
    Store(L"Q(Icon)");
    CString path, label, icon;
    DWORD flags = 0;
    ASSERT_TRUE(LoadDriveEntry(L'Q', path, label, icon, flags));
    EXPECT_EQ(icon, c.valid ? CString(c.text.c_str()) : GetDefaultIconLocation(FALSE));
}

INSTANTIATE_TEST_SUITE_P(Rules, SavedStringValue, ::testing::ValuesIn(StringValueCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SavedDrives, AutoRestoreDrivesAreThoseSavedWithFlag0x40)
{
    EXPECT_FALSE(HasAutoRestoreDrives());
    ASSERT_TRUE(SaveDriveEntry(L'A', L"C:\\a", nullptr, nullptr, DriveFlags::Local));
    EXPECT_FALSE(HasAutoRestoreDrives());

    // Flags without a path are no saved drive.
    SetDword(L"M(Flags)", DriveFlags::AutoRestore);
    EXPECT_FALSE(HasAutoRestoreDrives());

    ASSERT_TRUE(SaveDriveEntry(L'Z', L"C:\\z", nullptr, nullptr, DriveFlags::Disabled | DriveFlags::AutoRestore));
    EXPECT_TRUE(HasAutoRestoreDrives());
}

class RunAtStartup : public ::testing::Test
{
protected:
    RunAtStartup()
    {
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_CURRENT_USER, kRunRegistryKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        m_key = key;
        RegDeleteValueW(m_key, kRunValueName);
    }
    ~RunAtStartup() override
    {
        if (m_key)
            RegCloseKey(m_key);
    }

    RegistrySnapshot m_saved{HKEY_CURRENT_USER, kRunRegistryKey};
    HKEY m_key = nullptr;
};

TEST_F(RunAtStartup, EnableWritesTheQuotedExecutableWithStartupSwitch)
{
    ASSERT_TRUE(SetRunAtStartup(TRUE));
    WCHAR text[1024] = {};
    DWORD bytes = sizeof(text);
    DWORD type = 0;
    ASSERT_EQ(RegQueryValueExW(m_key, kRunValueName, nullptr, &type, reinterpret_cast<BYTE*>(text), &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    const CString expected = L"\"" + GetModulePath() + L"\" /startup";
    EXPECT_STREQ(text, expected);
    EXPECT_EQ(bytes, (expected.GetLength() + 1) * sizeof(WCHAR));
    EXPECT_TRUE(IsRunAtStartup());
}

TEST_F(RunAtStartup, DisableDeletesTheValue)
{
    ASSERT_TRUE(SetRunAtStartup(TRUE));
    ASSERT_TRUE(SetRunAtStartup(FALSE));
    EXPECT_EQ(RegQueryValueExW(m_key, kRunValueName, nullptr, nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(IsRunAtStartup());
}

TEST_F(RunAtStartup, AValueThatIsNoValidStringDoesNotCount)
{
    const DWORD number = 1;
    ASSERT_EQ(
        RegSetValueExW(m_key, kRunValueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number)),
        ERROR_SUCCESS);
    EXPECT_FALSE(IsRunAtStartup());
    const std::wstring tooLong(1100, L'a');
    ASSERT_EQ(RegSetValueExW(m_key, kRunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(tooLong.c_str()),
                             static_cast<DWORD>((tooLong.size() + 1) * sizeof(WCHAR))),
              ERROR_SUCCESS);
    EXPECT_FALSE(IsRunAtStartup());
}

TEST_F(RunAtStartup, AMissingRunKeyIsNotCreated)
{
    RegCloseKey(m_key);
    m_key = nullptr;
    ASSERT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, kRunRegistryKey), ERROR_SUCCESS);
    RegDeleteKeyW(HKEY_CURRENT_USER, kRunRegistryKey);

    EXPECT_FALSE(SetRunAtStartup(TRUE));
    EXPECT_FALSE(IsRunAtStartup());
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, kRunRegistryKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    if (key)
        RegCloseKey(key);
}
}  // namespace
