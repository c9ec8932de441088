#include "LorvaneApp.h"
#include "AppSettings.h"
#include "DriveLabels.h"
#include "DriveRegistry.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{

// Protects everything a refresh may write for one letter: the saved drives,
// the shell's label and icon keys of the user and the machine (64-bit view),
// and the application's settings flags.
class Reconciliation : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_letter = FindUnusedDriveLetter();
        ASSERT_NE(0, m_letter);
        const REGSAM view = GetDriveLabelRegistryView();
        m_keys.push_back(std::make_unique<RegistrySnapshot>(HKEY_CURRENT_USER, kLorvaneRegistryKey));
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
            m_keys.push_back(
                std::make_unique<RegistrySnapshot>(root, std::wstring(BuildDriveIconKeyPath(root, m_letter)), view));
        m_keys.push_back(std::make_unique<RegistrySnapshot>(
            HKEY_CURRENT_USER,
            L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons\\" + std::wstring(1, m_letter), view));
        m_savedFlags = theApp.Flags;
        theApp.Flags = SettingsFlags::Valid;
        SaveDriveEntry(m_letter, nullptr, nullptr, nullptr, 0);
    }
    void TearDown() override
    {
        theApp.Flags = m_savedFlags;
        RemoveTestDosDevice(DriveDevice(m_letter));
    }

    const CDriveEntry& Entry() const { return theApp.DriveTable[m_letter - L'A']; }
    std::wstring Target(const std::wstring& folder) const { return L"\\??\\" + folder; }

    wchar_t m_letter = 0;
    DWORD m_savedFlags = 0;
    ScratchFolder m_folder;
    std::vector<std::unique_ptr<RegistrySnapshot>> m_keys;
};

}  // namespace

TEST_F(Reconciliation, ForeignDrivesAreListedUnlessOnlyOwnDrivesAreShown)
{
    ScratchDosDevice device(m_letter, Target(m_folder.Path()));
    ASSERT_TRUE(device.Defined());

    ASSERT_TRUE(theApp.RefreshDriveEntry(m_letter));
    EXPECT_EQ(DriveFlags::Local, Entry().Flags);
    EXPECT_EQ(0, Entry().Path.CompareNoCase(m_folder.Path().c_str()));

    theApp.Flags |= SettingsFlags::OnlyOwnDrives;
    EXPECT_FALSE(theApp.RefreshDriveEntry(m_letter));
}

TEST_F(Reconciliation, FreeLettersAndRealVolumesAreNeverListed)
{
    EXPECT_FALSE(theApp.RefreshDriveEntry(m_letter)) << "a free letter";
    EXPECT_FALSE(theApp.RefreshDriveEntry(L'C')) << "C: is a real volume of the prefix";
    EXPECT_FALSE(theApp.RefreshDriveEntry(L'@'));
}

TEST_F(Reconciliation, SavedNetworkDrivesFollowTheNetworkSetting)
{
    struct Case
    {
        const char* name;
        DWORD savedFlags;
        bool manageNetwork;
        bool listed;
        DWORD flags;
    };
    const Case cases[] = {
        {"disabled network drive, network off", DriveFlags::Network | DriveFlags::Disabled, false, false, 0},
        {"disabled network drive, network on", DriveFlags::Network | DriveFlags::Disabled, true, true,
         DriveFlags::Network | DriveFlags::Disabled},
        {"network drive, network off", DriveFlags::Network, false, false, 0},
        {"network drive, network on", DriveFlags::Network, true, true, DriveFlags::Network},
        {"disabled local drive", DriveFlags::Local | DriveFlags::Disabled, false, true,
         DriveFlags::Local | DriveFlags::Disabled},
    };
    for (const Case& c : cases)
    {
        ASSERT_TRUE(SaveDriveEntry(m_letter, L"\\\\fs1\\share", L"Share", L"", c.savedFlags));
        theApp.Flags = SettingsFlags::Valid | (c.manageNetwork ? SettingsFlags::ManageNetworkDrives : 0);
        EXPECT_EQ(c.listed, theApp.RefreshDriveEntry(m_letter) != FALSE) << c.name;
        if (c.listed)
        {
            EXPECT_EQ(c.flags, Entry().Flags) << c.name;
            EXPECT_STREQ(L"\\\\fs1\\share", Entry().Path) << c.name;
        }
    }
}

TEST_F(Reconciliation, OwnDrivesGetTheirDeletedLabelAndIconBack)
{
    const std::wstring icon = L"C:\\windows\\system32\\shell32.dll,8";
    ScratchDosDevice device(m_letter, Target(m_folder.Path()));
    ASSERT_TRUE(device.Defined());
    ASSERT_TRUE(SaveDriveEntry(m_letter, m_folder.Path().c_str(), L"Projects", icon.c_str(),
                               DriveFlags::Local | DriveFlags::Uac));
    // Another tool deleted the shell's values of the drive.
    WriteDriveIconValue(m_letter, kDefaultLabelValueName, nullptr, FALSE, FALSE);
    WriteDriveIconValue(m_letter, kDefaultLabelValueName, nullptr, TRUE, FALSE);
    WriteDriveIconValue(m_letter, kDefaultIconValueName, nullptr, FALSE, FALSE);

    ASSERT_TRUE(theApp.RefreshDriveEntry(m_letter));
    EXPECT_EQ(DriveFlags::Local | DriveFlags::Uac, Entry().Flags);
    EXPECT_STREQ(L"Projects", Entry().Label);
    EXPECT_STREQ(icon.c_str(), Entry().Icon);

    const REGSAM view = GetDriveLabelRegistryView();
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
    {
        const CString key = BuildDriveIconValueKeyPath(root, m_letter, kDefaultLabelValueName);
        HKEY opened = nullptr;
        WCHAR label[64] = {};
        DWORD size = sizeof(label) - sizeof(WCHAR);
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(root, key, 0, KEY_READ | view, &opened))
            << (root == HKEY_CURRENT_USER ? "user" : "machine, for a UAC drive");
        EXPECT_EQ(ERROR_SUCCESS,
                  RegQueryValueExW(opened, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(label), &size));
        RegCloseKey(opened);
        EXPECT_STREQ(L"Projects", label);
    }
}

TEST_F(Reconciliation, ForeignDrivesAreNotRepaired)
{
    ScratchDosDevice device(m_letter, Target(m_folder.Path()));
    ASSERT_TRUE(device.Defined());
    // Saved for another folder: the letter is not this program's drive now.
    ASSERT_TRUE(SaveDriveEntry(m_letter, L"C:\\elsewhere", L"Elsewhere", L"", DriveFlags::Local | DriveFlags::Uac));
    WriteDriveIconValue(m_letter, kDefaultLabelValueName, nullptr, FALSE, FALSE);
    WriteDriveIconValue(m_letter, kDefaultLabelValueName, nullptr, TRUE, FALSE);

    ASSERT_TRUE(theApp.RefreshDriveEntry(m_letter));
    EXPECT_STREQ(L"", Entry().Label);
    EXPECT_STREQ(L"", static_cast<LPCWSTR>(ReadDriveIconValue(m_letter, kDefaultLabelValueName)));
}

TEST_F(Reconciliation, WaitingDrivesAreMountedOnceTheirFolderExists)
{
    const std::wstring folder = m_folder.PathOf(L"later");
    const DWORD waiting = DriveFlags::Local | DriveFlags::AutoRestore | DriveFlags::Waiting | DriveFlags::Disabled;
    ASSERT_TRUE(SaveDriveEntry(m_letter, folder.c_str(), L"Later", L"", waiting));
    DialogCapture boxes(IDOK);

    EXPECT_FALSE(theApp.RetryWaitingDrives()) << "the folder does not exist yet";
    EXPECT_EQ(L"", QueryDosDeviceTarget(DriveDevice(m_letter)));

    m_folder.CreateFolder(L"later");
    EXPECT_TRUE(theApp.RetryWaitingDrives());
    EXPECT_EQ(0, _wcsicmp(Target(folder).c_str(), QueryDosDeviceTarget(DriveDevice(m_letter)).c_str()));
    CString path, label, icon;
    DWORD flags = 0;
    ASSERT_TRUE(LoadDriveEntry(m_letter, path, label, icon, flags));
    EXPECT_EQ(0u, flags & (DriveFlags::Waiting | DriveFlags::Disabled)) << "saved as mounted now";
    EXPECT_EQ(0u, boxes.Count());
}
