// The settings of the application object under the program's key. The tests
// write the real key; a snapshot puts it back afterwards.
#include "DriveRegistry.h"
#include "LorvaneApp.h"
#include "RegistrySnapshot.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/SystemVersion.h"

#include <string>

#include <vector>

#include <gtest/gtest.h>

namespace
{
constexpr DWORD Dpi96 = (96u << 16) | 96u;
constexpr DWORD Dpi144 = (144u << 16) | 144u;

void SetDword(HKEY key, LPCWSTR name, DWORD value)
{
    ASSERT_EQ(RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)),
              ERROR_SUCCESS);
}

class Settings : public ::testing::Test
{
protected:
    Settings()
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, kLorvaneRegistryKey);
        // Values a load must replace.
        theApp.Flags = 0x12345678;
        theApp.Theme = 77;
        theApp.DriveFlags = 0x7777;
        theApp.MainRect.SetRect(1, 2, 3, 4);
    }

    static UniqueRegKey Key() { return OpenUserKey(kLorvaneRegistryKey, KEY_ALL_ACCESS, true); }

    // A complete and valid set of stored settings at 96 DPI.
    static void StoreValid()
    {
        const UniqueRegKey key = Key();
        SetDword(key.get(), L"Flags", 0x800000C4);
        SetDword(key.get(), L"Theme", AppTheme::Dark);
        SetDword(key.get(), L"DriveFlags",
                 DriveFlags::Local | DriveFlags::Uac | DriveFlags::RecycleBin | DriveFlags::AutoRestore);
        SetDword(key.get(), L"MainPosX_v6", 10);
        SetDword(key.get(), L"MainPosY_v6", 20);
        SetDword(key.get(), L"MainWidth_v6", 300);
        SetDword(key.get(), L"MainHeight_v6", 400);
        SetDword(key.get(), L"DPI", Dpi96);
    }

    static void ExpectDefaults()
    {
        EXPECT_EQ(theApp.Flags, GetDefaultSettingsFlags());
        EXPECT_EQ(theApp.Theme, AppTheme::Auto);
        EXPECT_EQ(theApp.DriveFlags, DriveFlags::Uac | DriveFlags::RecycleBin);
        EXPECT_TRUE(theApp.MainRect.IsRectNull());
    }

    RegistrySnapshot m_saved{HKEY_CURRENT_USER, kLorvaneRegistryKey};
};

TEST_F(Settings, DefaultFlagsDropTheFrameThemeOnlyOnWindows11)
{
    const bool win11 = CLVKSystemVersion::GetGlobal()->IsWin11OrGreater() != FALSE;
    EXPECT_EQ(GetDefaultSettingsFlags(), win11 ? 0x80000110u : 0x80000130u);
}

TEST_F(Settings, MissingKeyGivesDefaults)
{
    EXPECT_TRUE(theApp.LoadSettings(true, Dpi96));
    ExpectDefaults();
}

TEST_F(Settings, ValidValuesAreLoaded)
{
    StoreValid();
    EXPECT_TRUE(theApp.LoadSettings(true, Dpi96));
    EXPECT_EQ(theApp.Flags, 0x800000C4u);
    EXPECT_EQ(theApp.Theme, AppTheme::Dark);
    EXPECT_EQ(theApp.DriveFlags,
              DriveFlags::Local | DriveFlags::Uac | DriveFlags::RecycleBin | DriveFlags::AutoRestore);
    EXPECT_EQ(theApp.MainRect, CRect(10, 20, 310, 420));
}

TEST_F(Settings, FlagsWithoutValidBitDiscardEverythingStored)
{
    StoreValid();
    SetDword(Key().get(), L"Flags", 0x130);
    EXPECT_TRUE(theApp.LoadSettings(true, Dpi96));
    ExpectDefaults();
}

TEST_F(Settings, FlagsOfAnotherTypeCountAsMissing)
{
    StoreValid();
    const wchar_t text[] = L"0x800000C4";
    ASSERT_EQ(RegSetValueExW(Key().get(), L"Flags", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof(text)),
              ERROR_SUCCESS);
    EXPECT_TRUE(theApp.LoadSettings(true, Dpi96));
    EXPECT_EQ(theApp.Flags, GetDefaultSettingsFlags());
    EXPECT_EQ(theApp.Theme, AppTheme::Dark);  // the default flags are valid: the rest is read
}

TEST_F(Settings, MissingFlagsTakeTheDefaultAndTheRestIsRead)
{
    StoreValid();
    RegDeleteValueW(Key().get(), L"Flags");
    EXPECT_TRUE(theApp.LoadSettings(true, Dpi96));
    EXPECT_EQ(theApp.Flags, GetDefaultSettingsFlags());
    EXPECT_EQ(theApp.Theme, AppTheme::Dark);
    EXPECT_EQ(theApp.MainRect, CRect(10, 20, 310, 420));
}

TEST_F(Settings, MissingThemeAndDriveFlagsTakeTheirDefaults)
{
    StoreValid();
    RegDeleteValueW(Key().get(), L"Theme");
    RegDeleteValueW(Key().get(), L"DriveFlags");
    EXPECT_TRUE(theApp.LoadSettings(true, Dpi96));
    EXPECT_EQ(theApp.Flags, 0x800000C4u);
    EXPECT_EQ(theApp.Theme, AppTheme::Auto);
    EXPECT_EQ(theApp.DriveFlags, DriveFlags::Uac | DriveFlags::RecycleBin);
}

TEST_F(Settings, RectangleSavedAtAnotherDpiIsDropped)
{
    StoreValid();
    EXPECT_TRUE(theApp.LoadSettings(true, Dpi144));
    EXPECT_TRUE(theApp.MainRect.IsRectNull());
    EXPECT_EQ(theApp.Theme, AppTheme::Dark);
}

TEST_F(Settings, RectangleWithoutDpiIsDropped)
{
    StoreValid();
    RegDeleteValueW(Key().get(), L"DPI");
    EXPECT_TRUE(theApp.LoadSettings(true, Dpi96));
    EXPECT_TRUE(theApp.MainRect.IsRectNull());
}

TEST_F(Settings, RectangleWithoutPositionIsCentredOnTheScreen)
{
    StoreValid();
    RegDeleteValueW(Key().get(), L"MainPosY_v6");
    EXPECT_TRUE(theApp.LoadSettings(true, Dpi96));
    const int left = (GetSystemMetrics(SM_CXSCREEN) - 300) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - 400) / 2;
    EXPECT_EQ(theApp.MainRect, CRect(left, top, left + 300, top + 400));
}

TEST_F(Settings, RectangleWithoutSizeKeepsItsPositionForTheDefaultSize)
{
    // Each case deletes the named values of a valid saved rectangle at
    // (10, 20) of 300 x 400.
    const struct
    {
        const char* name;
        std::vector<const wchar_t*> deleted;
        CRect expected;
    } cases[] = {
        {"no height", {L"MainHeight_v6"}, CRect(10, 20, 10, 20)},
        {"no width", {L"MainWidth_v6"}, CRect(10, 20, 10, 20)},
        {"no size at all", {L"MainWidth_v6", L"MainHeight_v6"}, CRect(10, 20, 10, 20)},
        {"neither size nor position",
         {L"MainWidth_v6", L"MainHeight_v6", L"MainPosX_v6", L"MainPosY_v6"},
         CRect(0, 0, 0, 0)},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        StoreValid();
        for (const wchar_t* name : c.deleted)
            RegDeleteValueW(Key().get(), name);
        EXPECT_TRUE(theApp.LoadSettings(true, Dpi96));
        EXPECT_EQ(theApp.MainRect, c.expected);
    }
}

TEST_F(Settings, NonAdministratorLosesUacAndRecycleBinDriveFlags)
{
    StoreValid();
    EXPECT_TRUE(theApp.LoadSettings(false, Dpi96));
    EXPECT_EQ(theApp.DriveFlags, DriveFlags::Local | DriveFlags::AutoRestore);

    RegDeleteTreeW(HKEY_CURRENT_USER, kLorvaneRegistryKey);
    EXPECT_TRUE(theApp.LoadSettings(false, Dpi96));
    EXPECT_EQ(theApp.DriveFlags, 0u);
}

TEST_F(Settings, LoadWithoutArgumentsUsesTheScreenDpi)
{
    StoreValid();
    SetDword(Key().get(), L"DPI", GetSettingsDpiValue());
    EXPECT_TRUE(theApp.LoadSettings());
    EXPECT_EQ(theApp.MainRect, CRect(10, 20, 310, 420));
}

TEST_F(Settings, SaveWritesEveryValueInItsForm)
{
    theApp.Flags = 0x800001C4;
    theApp.Theme = AppTheme::Classic;
    theApp.DriveFlags = DriveFlags::Local | DriveFlags::AutoRestore;
    theApp.MainRect.SetRect(-8, 30, 492, 730);
    theApp.LangFile = L"";
    ASSERT_TRUE(theApp.SaveSettings(Dpi144));

    const UniqueRegKey key = Key();
    struct Expected
    {
        LPCWSTR name;
        DWORD value;
    };
    for (const Expected& e :
         {Expected{L"Flags", 0x800001C4}, Expected{L"Theme", AppTheme::Classic},
          Expected{L"DriveFlags", DriveFlags::Local | DriveFlags::AutoRestore},
          Expected{L"MainPosX_v6", static_cast<DWORD>(-8)}, Expected{L"MainPosY_v6", 30},
          Expected{L"MainWidth_v6", 500}, Expected{L"MainHeight_v6", 700}, Expected{L"DPI", Dpi144}})
    {
        DWORD type = 0, value = 0, bytes = sizeof(value);
        ASSERT_EQ(RegQueryValueExW(key.get(), e.name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &bytes),
                  ERROR_SUCCESS)
            << e.name;
        EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD)) << e.name;
        EXPECT_EQ(value, e.value) << e.name;
    }
    // An empty language file name is written too.
    DWORD type = 0, bytes = 0;
    ASSERT_EQ(RegQueryValueExW(key.get(), L"LangFile", nullptr, &type, nullptr, &bytes), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(bytes, sizeof(WCHAR));
}

TEST_F(Settings, SavedSettingsLoadBack)
{
    theApp.Flags = 0x80000034;
    theApp.Theme = AppTheme::Light;
    theApp.DriveFlags = DriveFlags::Local;
    theApp.MainRect.SetRect(100, 50, 600, 650);
    theApp.LangFile = L"Deutsch";
    ASSERT_TRUE(theApp.SaveSettings(Dpi96));

    theApp.Flags = theApp.Theme = theApp.DriveFlags = 0;
    theApp.MainRect.SetRectEmpty();
    ASSERT_TRUE(theApp.LoadSettings(true, Dpi96));
    EXPECT_EQ(theApp.Flags, 0x80000034u);
    EXPECT_EQ(theApp.Theme, AppTheme::Light);
    EXPECT_EQ(theApp.DriveFlags, DriveFlags::Local);
    EXPECT_EQ(theApp.MainRect, CRect(100, 50, 600, 650));

    CString langFile;
    EXPECT_TRUE(ReadRegistryString(Key().get(), L"LangFile", langFile));
    EXPECT_STREQ(langFile, L"Deutsch");
}

TEST(SettingsDpiValue, HoldsVerticalHighAndHorizontalLow)
{
    CLVKDpiScaling* const dpi = CLVKDpiScaling::GetGlobal();
    ASSERT_GT(dpi->GetDpiX(), 0);
    EXPECT_EQ(GetSettingsDpiValue(), (static_cast<DWORD>(dpi->GetDpiY()) << 16) | static_cast<DWORD>(dpi->GetDpiX()));
}
}  // namespace
