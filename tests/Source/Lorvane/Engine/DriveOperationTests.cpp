// The drive operation against real DOS devices of the Wine prefix: the letter
// of each test is one that no drive uses, its definitions are removed again,
// and every registry key the operation writes is saved first and put back.
// File access through a virtual letter does not work under Wine, so a
// mounted drive is checked through its DOS-device target.
//
// A program started by Wine always runs elevated and no hand-off or elevated
// copy ever works there, so the elevated side is a recording double: elevated
// for the tests of the mapping itself, not elevated for the tests of what is
// sent to the elevated side.
#include "LorvaneApp.h"

#include "DriveDevices.h"
#include "DriveLabels.h"
#include "DriveOperationElevation.h"
#include "DriveRegistry.h"
#include "EngineText.h"
#include "MappedPath.h"
#include "resource.h"
#include "Foundation/ResourceManager.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace
{

const wchar_t kProgramKey[] = L"Software\\Brennic\\Lorvane\\2.0";
const wchar_t kUserDrives[] = L"SOFTWARE\\Classes\\Applications\\Explorer.exe\\Drives\\";
const wchar_t kDriveIcons[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons\\";
const wchar_t kMountPoints[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MountPoints2\\";

const DWORD kManageNetworkDrives = 0x4;

std::wstring Hex(DWORD value)
{
    wchar_t text[16] = {};
    swprintf(text, 16, L"0x%X", value);
    return text;
}

std::wstring Quoted(LPCWSTR text)
{
    return text ? L"\"" + std::wstring(text) + L"\"" : L"none";
}

// Records what the operation asks of the elevated side, one readable line per call.
class RecordingElevation : public CDriveOperationElevation
{
public:
    bool elevated = true;
    bool handOffSucceeds = true;
    // The volume label of every letter; nullopt: the volume cannot be read.
    std::optional<std::wstring> volumeLabel = std::wstring();
    std::vector<std::wstring> calls;

    BOOL IsProcessElevated() override { return elevated; }
    BOOL IsTaskInstance() override { return FALSE; }
    BOOL HandOffToElevationTask(WCHAR letter, LPCWSTR path, LPCWSTR label, LPCWSTR icon, DWORD flags) override
    {
        calls.push_back(Request(L"HandOff", letter, path, label, icon, flags));
        return handOffSucceeds;
    }
    BOOL RunElevatedCopy(WCHAR letter, LPCWSTR path, LPCWSTR label, LPCWSTR icon, DWORD flags) override
    {
        calls.push_back(Request(L"ElevatedCopy", letter, path, label, icon, flags));
        return TRUE;
    }
    // The drive's recycle bin: its calls go to a list of their own.
    bool recycleBinSucceeds = true;
    std::vector<std::wstring> recycleBin;
    BOOL SetDriveRecycleBin(WCHAR letter, BOOL on, BOOL machineWide) override
    {
        recycleBin.push_back(std::wstring(on ? L"on " : L"off ") + letter + L":" +
                             (machineWide ? L" machine-wide" : L""));
        return recycleBinSucceeds;
    }
    BOOL GetVolumeLabel(WCHAR, CString& label) override
    {
        if (!volumeLabel)
            return FALSE;
        label = volumeLabel->c_str();
        return TRUE;
    }
    BOOL StartElevatedLabelFix(WCHAR letter) override
    {
        calls.push_back(L"ElevatedLabelFix " + std::wstring(1, letter) + L":");
        return TRUE;
    }

    static std::wstring Request(const wchar_t* what, WCHAR letter, LPCWSTR path, LPCWSTR label, LPCWSTR icon,
                                DWORD flags)
    {
        return std::wstring(what) + L" " + letter + L": " + Quoted(path) + L" " + Quoted(label) + L" " + Quoted(icon) +
               L" " + Hex(flags);
    }
};

// The saved entry of a letter as the registry holds it.
struct SavedValues
{
    std::optional<std::wstring> path;
    std::optional<std::wstring> label;
    std::optional<std::wstring> icon;
    std::optional<DWORD> flags;
};

std::optional<std::wstring> ReadString(HKEY root, const std::wstring& path, const wchar_t* name, REGSAM view = 0)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS)
        return std::nullopt;
    wchar_t buffer[1024] = {};
    DWORD size = sizeof(buffer) - sizeof(wchar_t);
    DWORD type = 0;
    const LSTATUS status = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return std::nullopt;
    return std::wstring(buffer);
}

SavedValues ReadSaved(wchar_t letter)
{
    SavedValues saved;
    const std::wstring prefix(1, letter);
    saved.path = ReadString(HKEY_CURRENT_USER, kProgramKey, (prefix + L"(Path)").c_str());
    saved.label = ReadString(HKEY_CURRENT_USER, kProgramKey, (prefix + L"(Label)").c_str());
    saved.icon = ReadString(HKEY_CURRENT_USER, kProgramKey, (prefix + L"(Icon)").c_str());
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kProgramKey, 0, KEY_READ, &key) == ERROR_SUCCESS)
    {
        DWORD value = 0, size = sizeof(value), type = 0;
        if (RegQueryValueExW(key, (prefix + L"(Flags)").c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                             &size) == ERROR_SUCCESS &&
            type == REG_DWORD)
            saved.flags = value;
        RegCloseKey(key);
    }
    return saved;
}

// The shell's value of a letter in one of its three places (64-bit view).
std::optional<std::wstring> ShellValue(HKEY root, const wchar_t* form, wchar_t letter, const wchar_t* valueName)
{
    return ReadString(root, form + std::wstring(1, letter) + L"\\" + valueName, nullptr, KEY_WOW64_64KEY);
}

struct ShellValues
{
    std::optional<std::wstring> firstUser;
    std::optional<std::wstring> secondUser;
    std::optional<std::wstring> machine;
};

ShellValues ReadShellValues(wchar_t letter, const wchar_t* valueName)
{
    return {ShellValue(HKEY_CURRENT_USER, kUserDrives, letter, valueName),
            ShellValue(HKEY_CURRENT_USER, kDriveIcons, letter, valueName),
            ShellValue(HKEY_LOCAL_MACHINE, kDriveIcons, letter, valueName)};
}

void ExpectEverywhere(const std::optional<std::wstring>& expected, const ShellValues& values)
{
    EXPECT_EQ(expected, values.firstUser) << "first user key";
    EXPECT_EQ(expected, values.secondUser) << "second user key";
    EXPECT_EQ(expected, values.machine) << "machine key";
}

std::vector<std::wstring> BoxTexts(const DialogCapture& boxes)
{
    std::vector<std::wstring> texts;
    for (const CapturedDialog& dialog : boxes.Dialogs())
        texts.push_back(dialog.text);
    return texts;
}

// DOS devices whose definitions cannot be removed, as on Windows for a
// definition that another session made; Wine removes any. In place while the
// object lives.
class UnremovableDevices : public CDriveDevices
{
public:
    UnremovableDevices() : m_previous(CDriveDevices::Install(this)) {}
    ~UnremovableDevices() override { CDriveDevices::Install(m_previous); }

    BOOL RemoveDefinition(WCHAR) override
    {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }

private:
    CDriveDevices* m_previous;
};

class DriveOperationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // A label for a folder on C: moves C:'s own label away; C: of the
        // test prefix has none, and the tests must not take one away.
        wchar_t systemLabel[MAX_PATH] = {};
        GetVolumeInformationW(L"C:\\", systemLabel, MAX_PATH, nullptr, nullptr, nullptr, nullptr, 0);
        if (systemLabel[0])
            GTEST_SKIP() << "C: has a volume label";

        m_letter = FindUnusedDriveLetter();
        ASSERT_NE(0, m_letter) << "no free drive letter";
        m_device = DriveDevice(m_letter);

        m_program = std::make_unique<RegistrySnapshot>(HKEY_CURRENT_USER, kProgramKey);
        for (const auto& place :
             {std::make_pair(HKEY_CURRENT_USER, kUserDrives), std::make_pair(HKEY_CURRENT_USER, kDriveIcons),
              std::make_pair(HKEY_LOCAL_MACHINE, kDriveIcons)})
            m_letterKeys.push_back(std::make_unique<RegistrySnapshot>(
                place.first, place.second + std::wstring(1, m_letter), KEY_WOW64_64KEY));
        m_networkLabel = std::make_unique<RegistrySnapshot>(HKEY_CURRENT_USER, NetworkLabelKey(), KEY_WOW64_64KEY);

        SaveDriveEntry(m_letter, nullptr, nullptr, nullptr, 0);
        DeleteShellValues();

        m_savedSettings = theApp.Flags;
        m_previousElevation = CDriveOperationElevation::Install(&m_elevation);
        m_boxes = std::make_unique<DialogCapture>(IDOK);
    }

    void TearDown() override
    {
        m_boxes.reset();
        if (m_letter)
        {
            CDriveOperationElevation::Install(m_previousElevation);
            theApp.Flags = m_savedSettings;
            // The letter was free when the test began.
            RemoveTestDosDevice(m_device);
        }
    }

    void DeleteShellValues()
    {
        for (const BOOL machineWide : {FALSE, TRUE})
            for (const wchar_t* name : {kDefaultLabelValueName, kDefaultIconValueName})
                WriteDriveIconValue(m_letter, name, nullptr, machineWide, FALSE);
    }

    std::wstring NetworkServer() const { return L"lorvane-test-" + std::wstring(1, m_letter); }
    std::wstring NetworkPath() const { return L"\\\\" + NetworkServer() + L"\\share"; }
    std::wstring NetworkLabelKey() const { return std::wstring(kMountPoints) + L"##" + NetworkServer() + L"#share"; }

    std::wstring Target() const { return QueryDosDeviceTarget(m_device); }

    BOOL Perform(const std::wstring& path, LPCWSTR label, LPCWSTR icon, DWORD flags)
    {
        return theApp.PerformDriveOperation(m_letter, path.c_str(), label, icon, flags);
    }
    BOOL Remove(DWORD flags = 0) { return theApp.PerformDriveOperation(m_letter, nullptr, nullptr, nullptr, flags); }

    wchar_t m_letter = 0;
    std::wstring m_device;
    ScratchFolder m_folder;
    RecordingElevation m_elevation;
    std::unique_ptr<DialogCapture> m_boxes;

private:
    std::unique_ptr<RegistrySnapshot> m_program;
    std::vector<std::unique_ptr<RegistrySnapshot>> m_letterKeys;
    std::unique_ptr<RegistrySnapshot> m_networkLabel;
    DWORD m_savedSettings = 0;
    CDriveOperationElevation* m_previousElevation = nullptr;
};

TEST_F(DriveOperationTest, MountsAFolderAsAVirtualDriveWithItsLabelAndIcon)
{
    const std::wstring folder = m_folder.CreateFolder(L"Data");

    // The letter may be given in lower case.
    ASSERT_TRUE(theApp.PerformDriveOperation(towlower(m_letter), folder.c_str(), L"Work", L"C:\\x.dll,2", 0));

    EXPECT_TRUE(BoxTexts(*m_boxes).empty());
    EXPECT_EQ(L"\\??\\" + folder, Target());
    ExpectEverywhere(L"Work", ReadShellValues(m_letter, L"DefaultLabel"));
    ExpectEverywhere(L"C:\\x.dll,2", ReadShellValues(m_letter, L"DefaultIcon"));
    const SavedValues saved = ReadSaved(m_letter);
    EXPECT_EQ(folder, saved.path);
    EXPECT_EQ(L"Work", saved.label);
    EXPECT_EQ(L"C:\\x.dll,2", saved.icon);
    EXPECT_EQ(0x1u, saved.flags);
}

TEST_F(DriveOperationTest, UpdatingMovesTheDriveToTheNewFolderAndKeepsTheSavedIcon)
{
    const std::wstring first = m_folder.CreateFolder(L"First");
    const std::wstring second = m_folder.CreateFolder(L"Second");
    ASSERT_TRUE(Perform(first, L"Old", L"C:\\old.ico", 0x40));

    // A trailing backslash is not part of the target.
    ASSERT_TRUE(Perform(second + L"\\", L"New", nullptr, 0x40));

    EXPECT_TRUE(BoxTexts(*m_boxes).empty());
    EXPECT_EQ(L"\\??\\" + second, Target());
    ExpectEverywhere(L"New", ReadShellValues(m_letter, L"DefaultLabel"));
    ExpectEverywhere(L"C:\\old.ico", ReadShellValues(m_letter, L"DefaultIcon"));
    const SavedValues saved = ReadSaved(m_letter);
    EXPECT_EQ(second, saved.path);
    EXPECT_EQ(L"New", saved.label);
    EXPECT_EQ(L"C:\\old.ico", saved.icon);
    EXPECT_EQ(0x41u, saved.flags);
}

TEST_F(DriveOperationTest, WithoutALabelTheSavedLabelIsDeletedAndNoShellLabelWritten)
{
    const std::wstring folder = m_folder.CreateFolder(L"Data");
    ASSERT_TRUE(Perform(folder, L"Old", L"", 0));

    ASSERT_TRUE(Perform(folder, nullptr, L"", 0));

    ExpectEverywhere(std::nullopt, ReadShellValues(m_letter, L"DefaultLabel"));
    ExpectEverywhere(std::nullopt, ReadShellValues(m_letter, L"DefaultIcon"));
    const SavedValues saved = ReadSaved(m_letter);
    EXPECT_EQ(folder, saved.path);
    EXPECT_EQ(std::nullopt, saved.label);
    EXPECT_EQ(L"", saved.icon);
}

TEST_F(DriveOperationTest, RemovingUnmountsTheDriveAndForgetsIt)
{
    ASSERT_TRUE(Perform(m_folder.CreateFolder(L"Data"), L"Work", L"C:\\x.dll,2", 0));

    EXPECT_TRUE(Remove());

    EXPECT_TRUE(BoxTexts(*m_boxes).empty());
    EXPECT_EQ(L"", Target());
    ExpectEverywhere(std::nullopt, ReadShellValues(m_letter, L"DefaultLabel"));
    ExpectEverywhere(std::nullopt, ReadShellValues(m_letter, L"DefaultIcon"));
    const SavedValues saved = ReadSaved(m_letter);
    EXPECT_EQ(std::nullopt, saved.path);
    EXPECT_EQ(std::nullopt, saved.label);
    EXPECT_EQ(std::nullopt, saved.icon);
    EXPECT_EQ(std::nullopt, saved.flags);
}

TEST_F(DriveOperationTest, RemovingWithDoNotSaveKeepsTheSavedEntry)
{
    const std::wstring folder = m_folder.CreateFolder(L"Data");
    ASSERT_TRUE(Perform(folder, L"Work", nullptr, 0x40));

    EXPECT_TRUE(Remove(0x4));

    EXPECT_EQ(L"", Target());
    const SavedValues saved = ReadSaved(m_letter);
    EXPECT_EQ(folder, saved.path);
    EXPECT_EQ(0x41u, saved.flags);
}

TEST_F(DriveOperationTest, RemovingALetterThatIsNeitherMountedNorSavedSucceedsQuietly)
{
    EXPECT_TRUE(Remove());
    EXPECT_TRUE(BoxTexts(*m_boxes).empty());
    EXPECT_EQ(std::nullopt, ReadSaved(m_letter).path);
}

TEST_F(DriveOperationTest, ALetterOutsideAToZIsRefusedWithoutAMessage)
{
    const std::wstring folder = m_folder.CreateFolder(L"Data");
    for (const wchar_t letter : {L'1', L'@', L'[', L'`', L'{', L'\0'})
    {
        SCOPED_TRACE(static_cast<int>(letter));
        EXPECT_FALSE(theApp.PerformDriveOperation(letter, folder.c_str(), L"x", nullptr, 0));
    }
    EXPECT_TRUE(BoxTexts(*m_boxes).empty());
}

TEST_F(DriveOperationTest, TheRootOfADriveIsMountedAsTheDriveItself)
{
    ASSERT_TRUE(Perform(L"C:\\", nullptr, nullptr, 0));

    EXPECT_EQ(L"\\??\\C:", Target());
    EXPECT_EQ(L"C:", ReadSaved(m_letter).path);
}

TEST_F(DriveOperationTest, ASavedAsNotMountedRequestUnmountsAndSavesTheFlagsAsGiven)
{
    const std::wstring folder = m_folder.CreateFolder(L"Data");
    ASSERT_TRUE(Perform(folder, L"Work", L"C:\\x.dll,2", 0));

    EXPECT_TRUE(Perform(folder, L"Work", L"C:\\x.dll,2", 0x800000C0));

    EXPECT_TRUE(BoxTexts(*m_boxes).empty());
    EXPECT_EQ(L"", Target());
    ExpectEverywhere(std::nullopt, ReadShellValues(m_letter, L"DefaultLabel"));
    const SavedValues saved = ReadSaved(m_letter);
    EXPECT_EQ(folder, saved.path);
    EXPECT_EQ(L"Work", saved.label);
    EXPECT_EQ(0x800000C0u, saved.flags);
}

// A local path that is no existing folder.
struct MissingFolderCase
{
    const char* name;
    bool savedAndMounted;  // the letter was mounted and saved before the folder vanished
    DWORD flags;
    BOOL expectedResult;
    bool expectedBox;
    std::optional<DWORD> expectedSavedFlags;
    bool expectedOldValuesKept;  // the saved label is the one of the earlier mount
};

TEST_F(DriveOperationTest, AMissingFolder)
{
    const MissingFolderCase cases[] = {
        {"is refused without automatic restore or saved entry", false, 0x0, FALSE, true, std::nullopt, false},
        {"waits for its folder with automatic restore", false, 0x40, TRUE, false, 0x800000C0, false},
        {"is only disabled when asked so with automatic restore", false, 0x80000040, TRUE, false, 0x80000040, false},
        {"is saved as not mounted when asked so, and still reported", false, 0x80000000, TRUE, true, 0x80000000, false},
        {"unmounts a saved drive, keeps its values and is reported", true, 0x0, TRUE, true, 0x80000001, true},
        {"unmounts a saved drive that waits with automatic restore", true, 0x40, TRUE, false, 0x800000C0, false},
    };
    for (const MissingFolderCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(Remove());
        m_boxes->Clear();
        const std::wstring folder = m_folder.CreateFolder(L"Vanishing");
        if (c.savedAndMounted)
        {
            ASSERT_TRUE(Perform(folder, L"Before", L"C:\\before.ico", 0x1));
            ASSERT_EQ(L"\\??\\" + folder, Target());
        }
        ASSERT_TRUE(RemovePathRecursively(folder));
        const std::wstring typed = folder + L"\\";

        EXPECT_EQ(c.expectedResult, Perform(typed, L"After", L"C:\\after.ico", c.flags));

        const std::vector<std::wstring> expectedBoxes =
            c.expectedBox ? std::vector<std::wstring>{L"Invalid path: " + typed} : std::vector<std::wstring>{};
        EXPECT_EQ(expectedBoxes, BoxTexts(*m_boxes));
        EXPECT_EQ(L"", Target());
        ExpectEverywhere(std::nullopt, ReadShellValues(m_letter, L"DefaultLabel"));
        const SavedValues saved = ReadSaved(m_letter);
        EXPECT_EQ(c.expectedSavedFlags, saved.flags);
        if (c.expectedSavedFlags)
        {
            EXPECT_EQ(folder, saved.path);
            EXPECT_EQ(c.expectedOldValuesKept ? L"Before" : L"After", saved.label);
            EXPECT_EQ(c.expectedOldValuesKept ? L"C:\\before.ico" : L"C:\\after.ico", saved.icon);
        }
        else
        {
            EXPECT_EQ(std::nullopt, saved.path);
        }
    }
}

// A saved, mounted drive whose folder is gone but whose mapping cannot be
// removed: saving it as not mounted would describe a drive that still is, so
// the operation stops at the removal's error and saves nothing.
TEST_F(DriveOperationTest, AMissingFolderOfADriveThatCannotBeUnmountedChangesNothing)
{
    const std::wstring folder = m_folder.CreateFolder(L"Vanishing");
    ASSERT_TRUE(Perform(folder, L"Before", L"C:\\before.ico", 0));
    const UnremovableDevices unremovable;
    ASSERT_EQ(L"\\??\\" + folder, Target());
    ASSERT_TRUE(RemovePathRecursively(folder));
    m_boxes->Clear();

    EXPECT_FALSE(Perform(folder, L"After", L"C:\\after.ico", 0));

    EXPECT_EQ(std::vector<std::wstring>{L"Failed to remove virtual drive " + m_device + L"."}, BoxTexts(*m_boxes));
    EXPECT_EQ(L"\\??\\" + folder, Target());
    const SavedValues saved = ReadSaved(m_letter);
    EXPECT_EQ(folder, saved.path);
    EXPECT_EQ(L"Before", saved.label);
    EXPECT_EQ(0x1u, saved.flags) << "saved as not mounted while still mounted";
}

TEST_F(DriveOperationTest, AnEmptyPathIsAnInvalidPath)
{
    EXPECT_FALSE(Perform(L"", L"x", nullptr, 0));
    EXPECT_EQ(std::vector<std::wstring>{L"Invalid path: "}, BoxTexts(*m_boxes));
    EXPECT_EQ(L"", Target());
}

TEST_F(DriveOperationTest, AFailedDefinitionLeavesNoLabelOrIconBehind)
{
    // A definition that is no virtual drive of this program stays in place,
    // and a second definition of a defined letter fails under Wine. (Not a
    // "\Device\" target: the test library never removes those.)
    ScratchDosDevice other(m_letter, L"\\LorvaneTest\\OtherDevice");
    ASSERT_TRUE(other.Defined());
    const std::wstring folder = m_folder.CreateFolder(L"Data");

    EXPECT_FALSE(Perform(folder, L"Work", L"C:\\x.dll,2", 0));

    EXPECT_EQ(std::vector<std::wstring>{L"Failed to create virtual drive " + m_device + L" for \\??\\" + folder + L"."},
              BoxTexts(*m_boxes));
    EXPECT_EQ(L"\\LorvaneTest\\OtherDevice", Target());
    ExpectEverywhere(std::nullopt, ReadShellValues(m_letter, L"DefaultLabel"));
    ExpectEverywhere(std::nullopt, ReadShellValues(m_letter, L"DefaultIcon"));
    EXPECT_EQ(std::nullopt, ReadSaved(m_letter).path);
}

TEST_F(DriveOperationTest, ANetworkPathWithoutTheNetworkOptionIsRefusedAndChangesNothing)
{
    theApp.Flags &= ~kManageNetworkDrives;
    const std::wstring folder = m_folder.CreateFolder(L"Data");
    ASSERT_TRUE(Perform(folder, L"Work", L"C:\\x.dll,2", 0));

    EXPECT_FALSE(Perform(NetworkPath(), L"Share", nullptr, 0));

    EXPECT_EQ(std::vector<std::wstring>{L"Failed to create network drive " + m_device + L" for " + NetworkPath() +
                                        L".\r\n\r\nEnable the \"Manage network drives with Lorvane\" option before "
                                        L"mapping a network path."},
              BoxTexts(*m_boxes));
    EXPECT_EQ(L"\\??\\" + folder, Target());
    ExpectEverywhere(L"Work", ReadShellValues(m_letter, L"DefaultLabel"));
    const SavedValues saved = ReadSaved(m_letter);
    EXPECT_EQ(folder, saved.path);
    EXPECT_EQ(0x1u, saved.flags);
}

TEST_F(DriveOperationTest, ANetworkConnectionErrorIsShownWithTheSystemText)
{
    theApp.Flags |= kManageNetworkDrives;

    // Wine has no network: the connection fails at once with 1222.
    EXPECT_FALSE(Perform(NetworkPath(), L"Share", nullptr, 0));

    EXPECT_EQ(std::vector<std::wstring>{L"Failed to create network drive " + m_device + L" for " + NetworkPath() +
                                        L".\r\n\r\nError 0x000004C6: " +
                                        static_cast<LPCWSTR>(GetSystemErrorText(ERROR_NO_NETWORK))},
              BoxTexts(*m_boxes));
    EXPECT_EQ(std::nullopt, ReadSaved(m_letter).path);
    EXPECT_EQ(std::nullopt, ReadString(HKEY_CURRENT_USER, NetworkLabelKey(), L"_LabelFromReg", KEY_WOW64_64KEY));
}

TEST_F(DriveOperationTest, ANetworkConnectionErrorWithAutomaticRestoreSavesTheDriveAsWaiting)
{
    theApp.Flags |= kManageNetworkDrives;

    EXPECT_TRUE(Perform(NetworkPath() + L"\\", L"Share", L"C:\\net.ico", 0x41));

    EXPECT_TRUE(BoxTexts(*m_boxes).empty());
    const SavedValues saved = ReadSaved(m_letter);
    EXPECT_EQ(NetworkPath(), saved.path);
    EXPECT_EQ(L"Share", saved.label);
    EXPECT_EQ(L"C:\\net.ico", saved.icon);
    EXPECT_EQ(0x800000C2u, saved.flags);
}

TEST_F(DriveOperationTest, ANetworkPathSavedAsNotMountedNeedsNoNetworkOption)
{
    theApp.Flags &= ~kManageNetworkDrives;

    EXPECT_TRUE(Perform(NetworkPath(), L"Share", nullptr, 0x80000000));

    EXPECT_TRUE(BoxTexts(*m_boxes).empty());
    EXPECT_EQ(0x80000000u, ReadSaved(m_letter).flags);
}

// What a process that is not elevated sends to the elevated side.
class DriveOperationElevatedSideTest : public DriveOperationTest
{
protected:
    std::wstring Request(const wchar_t* what, LPCWSTR path, LPCWSTR label, LPCWSTR icon, DWORD flags) const
    {
        return RecordingElevation::Request(what, m_letter, path, label, icon, flags);
    }
};

TEST_F(DriveOperationElevatedSideTest, AUacDriveIsHandedToTheTaskInstance)
{
    m_elevation.elevated = false;
    const std::wstring folder = m_folder.CreateFolder(L"Data");

    ASSERT_TRUE(Perform(folder, L"Work", L"C:\\x.dll,2", 0x10));

    EXPECT_EQ(std::vector<std::wstring>{Request(L"HandOff", folder.c_str(), L"Work", L"C:\\x.dll,2", 0x11)},
              m_elevation.calls);
    EXPECT_EQ(L"\\??\\" + folder, Target());
    EXPECT_EQ(0x11u, ReadSaved(m_letter).flags);
}

// The refusal of a network path while the network option is off comes
// before the current drive and its elevated side are touched, so the user
// keeps the drive that holds the letter: its elevated copy and its recycle bin
// stay as well.
TEST_F(DriveOperationElevatedSideTest, ARefusedNetworkPathKeepsTheElevatedSideOfTheDrive)
{
    theApp.Flags &= ~kManageNetworkDrives;
    const std::wstring folder = m_folder.CreateFolder(L"Data");
    for (const bool elevated : {false, true})
    {
        SCOPED_TRACE(elevated ? "elevated" : "not elevated");
        m_elevation.elevated = true;
        ASSERT_TRUE(Perform(folder, L"Work", nullptr, 0x30));
        m_elevation.elevated = elevated;
        m_elevation.calls.clear();
        m_elevation.recycleBin.clear();
        m_boxes->Clear();

        EXPECT_FALSE(Perform(NetworkPath(), L"Share", nullptr, 0x30));

        EXPECT_EQ(1u, BoxTexts(*m_boxes).size());
        EXPECT_EQ(std::vector<std::wstring>{}, m_elevation.calls) << "nothing was sent to the elevated side";
        EXPECT_EQ(std::vector<std::wstring>{}, m_elevation.recycleBin) << "the recycle bin was changed";
        EXPECT_EQ(L"\\??\\" + folder, Target());
        EXPECT_EQ(0x31u, ReadSaved(m_letter).flags);
    }
}

TEST_F(DriveOperationElevatedSideTest, AFailedHandOffStartsTheElevatedCopy)
{
    m_elevation.elevated = false;
    m_elevation.handOffSucceeds = false;
    const std::wstring folder = m_folder.CreateFolder(L"Data");

    ASSERT_TRUE(Perform(folder, nullptr, nullptr, 0x20));

    // Neither the request nor a saved entry has an icon, so none is sent.
    EXPECT_EQ((std::vector<std::wstring>{Request(L"HandOff", folder.c_str(), nullptr, nullptr, 0x21),
                                         Request(L"ElevatedCopy", folder.c_str(), nullptr, nullptr, 0x21)}),
              m_elevation.calls);
}

TEST_F(DriveOperationElevatedSideTest, ReCreatingAUacDriveRemovesTheOldCopyThenSendsTheNewOne)
{
    const std::wstring first = m_folder.CreateFolder(L"First");
    const std::wstring second = m_folder.CreateFolder(L"Second");
    ASSERT_TRUE(Perform(first, L"Work", L"C:\\x.dll,2", 0x10));
    m_elevation.elevated = false;

    ASSERT_TRUE(Perform(second, L"Work", L"C:\\x.dll,2", 0x30));

    // The removal keeps the recycle bin, as the drive is re-created with one.
    EXPECT_EQ((std::vector<std::wstring>{Request(L"HandOff", nullptr, nullptr, nullptr, 0x20),
                                         Request(L"HandOff", second.c_str(), L"Work", L"C:\\x.dll,2", 0x31)}),
              m_elevation.calls);
}

TEST_F(DriveOperationElevatedSideTest, AfterAFailedRemovalHandOffTheNewDriveGoesStraightToTheElevatedCopy)
{
    const std::wstring folder = m_folder.CreateFolder(L"Data");
    ASSERT_TRUE(Perform(folder, L"Work", L"C:\\x.dll,2", 0x10));
    m_elevation.elevated = false;
    m_elevation.handOffSucceeds = false;

    // Without an icon in the request the saved one goes along.
    ASSERT_TRUE(Perform(folder, L"Work", nullptr, 0x10));

    EXPECT_EQ((std::vector<std::wstring>{Request(L"HandOff", nullptr, nullptr, nullptr, 0x0),
                                         Request(L"ElevatedCopy", folder.c_str(), L"Work", L"C:\\x.dll,2", 0x11)}),
              m_elevation.calls);
}

TEST_F(DriveOperationElevatedSideTest, RemovingAUacDriveWhoseHandOffFailsStartsTheElevatedRemoval)
{
    ASSERT_TRUE(Perform(m_folder.CreateFolder(L"Data"), L"Work", nullptr, 0x10));
    m_elevation.elevated = false;
    m_elevation.handOffSucceeds = false;

    ASSERT_TRUE(Remove());

    EXPECT_EQ((std::vector<std::wstring>{Request(L"HandOff", nullptr, nullptr, nullptr, 0x0),
                                         Request(L"ElevatedCopy", nullptr, nullptr, nullptr, 0x0)}),
              m_elevation.calls);
}

TEST_F(DriveOperationElevatedSideTest, ADriveWithoutUacOrRecycleBinSendsNothing)
{
    // Also when the saved drive had a recycle bin: the elevated side keeps it.
    const std::wstring folder = m_folder.CreateFolder(L"Data");
    ASSERT_TRUE(Perform(folder, L"Work", nullptr, 0x20));
    m_elevation.elevated = false;

    ASSERT_TRUE(Perform(folder, L"Work", nullptr, 0x0));

    EXPECT_TRUE(m_elevation.calls.empty());
}

TEST_F(DriveOperationElevatedSideTest, AnElevatedProcessSendsNothing)
{
    const std::wstring folder = m_folder.CreateFolder(L"Data");
    ASSERT_TRUE(Perform(folder, L"Work", nullptr, 0x10));

    ASSERT_TRUE(Perform(folder, L"Other", nullptr, 0x30));
    ASSERT_TRUE(Remove());

    EXPECT_TRUE(m_elevation.calls.empty());
}

TEST_F(DriveOperationElevatedSideTest, TheTargetVolumesLabelIsFixedByTheTaskInstance)
{
    m_elevation.elevated = false;
    m_elevation.volumeLabel = L"System";

    ASSERT_TRUE(Perform(m_folder.CreateFolder(L"Data"), L"Work", nullptr, 0));

    EXPECT_EQ(
        std::vector<std::wstring>{RecordingElevation::Request(L"HandOff", L'C', nullptr, L"/FIXLABEL", nullptr, 0)},
        m_elevation.calls);
    EXPECT_TRUE(BoxTexts(*m_boxes).empty());
}

TEST_F(DriveOperationElevatedSideTest, NoLabelFixWithoutALabelOrWhenTheVolumeHasNone)
{
    m_elevation.elevated = false;
    m_elevation.volumeLabel = L"System";
    const std::wstring folder = m_folder.CreateFolder(L"Data");
    ASSERT_TRUE(Perform(folder, nullptr, nullptr, 0));
    ASSERT_TRUE(Perform(folder, L"", nullptr, 0));
    m_elevation.volumeLabel = L"";
    ASSERT_TRUE(Perform(folder, L"Work", nullptr, 0));
    m_elevation.volumeLabel = std::nullopt;
    ASSERT_TRUE(Perform(folder, L"Work", nullptr, 0));

    EXPECT_TRUE(m_elevation.calls.empty());
    EXPECT_EQ(0u, m_boxes->Count());
}

TEST_F(DriveOperationElevatedSideTest, WithoutTheTaskInstanceTheUserIsAskedToRestartForTheLabelFix)
{
    struct PromptCase
    {
        const char* name;
        int answer;
        bool restarted;
    };
    const PromptCase cases[] = {
        {"Restart starts the elevated label fix", 6, true},
        {"Cancel starts nothing", IDCANCEL, false},
    };
    m_elevation.elevated = false;
    m_elevation.handOffSucceeds = false;
    m_elevation.volumeLabel = L"System";
    const std::wstring folder = m_folder.CreateFolder(L"Data");
    for (const PromptCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        m_elevation.calls.clear();
        m_boxes->Clear();
        m_boxes->QueueAnswer(c.answer);

        ASSERT_TRUE(Perform(folder, L"Work", nullptr, 0));

        std::vector<std::wstring> expectedCalls{
            RecordingElevation::Request(L"HandOff", L'C', nullptr, L"/FIXLABEL", nullptr, 0)};
        if (c.restarted)
            expectedCalls.push_back(L"ElevatedLabelFix C:");
        EXPECT_EQ(expectedCalls, m_elevation.calls);
        ASSERT_EQ(1u, m_boxes->Count());
        const CapturedDialog prompt = m_boxes->Dialogs()[0];
        EXPECT_FALSE(prompt.isMessageBox);
        EXPECT_EQ(std::wstring(AfxGetAppName()), prompt.title);
        EXPECT_NE(std::wstring::npos, prompt.text.find(L"Administrator privileges required"));
        EXPECT_NE(std::wstring::npos,
                  prompt.text.find(L"Lorvane needs to restart as administrator to set up virtual drives."));
        EXPECT_TRUE(prompt.HasButton(6));
        EXPECT_TRUE(prompt.HasButton(IDCANCEL));
        EXPECT_EQ(c.answer, prompt.answer);
    }
}

// Records the shell notifications this process receives. Under Wine they
// reach only the registered windows of the process that sends them, which is
// the test itself here.
class ShellNotificationRecorder
{
public:
    ShellNotificationRecorder()
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"LorvaneTestShellNotifications";
        RegisterClassW(&windowClass);
        m_window = CreateWindowW(windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 windowClass.hInstance, nullptr);
        SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SHChangeNotifyEntry entry{};
        entry.fRecursive = TRUE;
        m_registration =
            SHChangeNotifyRegister(m_window, SHCNRF_ShellLevel | SHCNRF_InterruptLevel,
                                   SHCNE_DRIVEADD | SHCNE_DRIVEREMOVED | SHCNE_UPDATEDIR, kMessage, 1, &entry);
        SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &m_computer);
    }
    ~ShellNotificationRecorder()
    {
        if (m_registration)
            SHChangeNotifyDeregister(m_registration);
        DestroyWindow(m_window);
        CoTaskMemFree(m_computer);
    }

    bool Registered() const { return m_registration != 0; }

    // Waits until `count` notifications came and returns them with any that
    // came behind them: those reach this thread's window, so once a timer
    // mark set after the first `count` has fired, any notification sent
    // before it has been handled.
    std::vector<std::wstring> Take(size_t count)
    {
        PumpMessagesUntil([&] { return m_events.size() >= count; });
        PumpMessagesPastTimer(50);
        std::vector<std::wstring> events;
        events.swap(m_events);
        return events;
    }

private:
    static const UINT kMessage = WM_APP + 0x31;

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<ShellNotificationRecorder*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message != kMessage || !self)
            return DefWindowProcW(window, message, wParam, lParam);
        const auto* items = reinterpret_cast<PCIDLIST_ABSOLUTE*>(wParam);
        std::wstring event = lParam == SHCNE_DRIVEADD       ? L"drive added "
                             : lParam == SHCNE_DRIVEREMOVED ? L"drive removed "
                             : lParam == SHCNE_UPDATEDIR    ? L"folder updated "
                                                            : L"other ";
        if (items && items[0] && self->m_computer && ILIsEqual(items[0], self->m_computer))
        {
            event += L"Computer";
        }
        else
        {
            wchar_t path[MAX_PATH] = {};
            if (items && items[0])
                SHGetPathFromIDListW(items[0], path);
            event += path;
        }
        self->m_events.push_back(event);
        return 0;
    }

    HWND m_window = nullptr;
    ULONG m_registration = 0;
    PIDLIST_ABSOLUTE m_computer = nullptr;
    std::vector<std::wstring> m_events;
};

TEST_F(DriveOperationTest, TheShellIsToldOfEachAddedAndRemovedDrive)
{
    ShellNotificationRecorder shell;
    ASSERT_TRUE(shell.Registered());
    const std::wstring root = m_device + L"\\";
    const std::wstring folder = m_folder.CreateFolder(L"Data");

    ASSERT_TRUE(Perform(folder, L"Work", nullptr, 0));
    EXPECT_EQ((std::vector<std::wstring>{L"drive added " + root, L"folder updated Computer"}), shell.Take(2));

    // The unmount of the saved drive tells the shell, and so does the save
    // as waiting for the folder.
    ASSERT_TRUE(Perform(folder + L"\\gone", L"Work", nullptr, 0x40));
    EXPECT_EQ((std::vector<std::wstring>{L"drive removed " + root, L"folder updated Computer", L"drive removed " + root,
                                         L"folder updated Computer"}),
              shell.Take(4));

    ASSERT_TRUE(Remove());
    EXPECT_EQ((std::vector<std::wstring>{L"drive removed " + root, L"folder updated Computer"}), shell.Take(2));

    // A refused request tells the shell nothing.
    EXPECT_FALSE(Perform(folder + L"\\gone", L"Work", nullptr, 0));
    EXPECT_TRUE(shell.Take(0).empty());
}

TEST(MappedPathTest, TheRemotePathOfARedirectorTarget)
{
    struct Case
    {
        const wchar_t* target;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"\\Device\\LanmanRedirector\\;Z:0000000000012345\\fs1\\share", L"\\\\fs1\\share"},
        {L"\\Device\\Mup\\;Y:00000000000abcde\\server\\share\\deep", L"\\\\server\\share\\deep"},
        {L";Z:0000\\fs1\\share", L""},                    // ";" is the first character
        {L"\\Device\\LanmanRedirector\\;Z:0000", L""},    // no backslash after it
        {L"\\Device\\LanmanRedirector\\;Z:0000\\", L""},  // nothing after the backslash
        {L"\\??\\C:\\folder", L""},                       // no ";" at all
        {L"", L""},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.target);
        EXPECT_STREQ(c.expected, RemotePathFromRedirectorTarget(c.target));
    }
}

TEST(MappedPathTest, PathsOffNetworkDrivesAreUnchanged)
{
    // No letter is ever a network drive under Wine, so only this side shows.
    for (const wchar_t* path : {L"C:\\windows", L"C:", L"\\\\fs1\\share\\docs", L"x", L"", L"relative\\path"})
    {
        SCOPED_TRACE(path);
        EXPECT_STREQ(path, ResolveMappedPath(path));
    }
    EXPECT_STREQ(L"", QueryNetworkDriveTarget(L'C'));
}

TEST(SystemErrorTextTest, TheSystemTextWithoutItsLineBreakOrAnUnknownErrorText)
{
    const CString known = GetSystemErrorText(ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(known.IsEmpty());
    EXPECT_EQ(-1, known.FindOneOf(L"\r\n"));
    EXPECT_STREQ(L"Unknown error 0x2000FFFF", GetSystemErrorText(0x2000FFFF));
}

TEST(EngineTextTest, ThePlaceholdersOfAFormat)
{
    struct Case
    {
        const wchar_t* format;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"Failed to create network drive %c: for %s.\r\n\r\nError 0x%08X: %s", L"csXs"},
        {L"100%% done %d", L"d"},
        {L"%-10ls and %*d", L"s*d"},
        {L"no placeholders", L""},
        {L"dangling %", L""},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.format);
        EXPECT_STREQ(c.expected, FormatPlaceholders(c.format));
    }
}

TEST(EngineTextTest, AStringIsFormattedWithItsArguments)
{
    EXPECT_STREQ(L"Failed to remove network drive Q:.\r\n\r\nError 0x00000005: denied",
                 FormatEngineText(IDS_REMOVE_NETWORK_DRIVE_FAILED, L'Q', 5u, L"denied"));
}

// A language file's manager that serves one replaced text.
class ReplacedTextManager : public CLVKResourceManager
{
public:
    ReplacedTextManager(UINT id, const wchar_t* text) : m_id(id), m_text(text) {}
    BOOL LoadString(CString* pString, UINT nID) override
    {
        if (nID != m_id)
            return CLVKResourceManager::LoadString(pString, nID);
        *pString = m_text;
        return TRUE;
    }

private:
    UINT m_id;
    const wchar_t* m_text;
};

TEST(EngineTextTest, ALanguageFileTextIsUsedUnlessItsPlaceholdersDiffer)
{
    struct Case
    {
        const char* name;
        const wchar_t* replacement;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {"same placeholders", L"Laufwerk %c: f\u00fcr %s nicht erstellt.",
         L"Laufwerk Q: f\u00fcr \\??\\C:\\data nicht erstellt."},
        // "%s" in place of "%c" would read the letter as a text pointer.
        {"a text for a letter", L"Laufwerk %s: f\u00fcr %s.", L"Failed to create virtual drive Q: for \\??\\C:\\data."},
        {"a placeholder too many", L"%c %s %s", L"Failed to create virtual drive Q: for \\??\\C:\\data."},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(CLVKResourceManager::ReplaceGlobalManager(
            new ReplacedTextManager(IDS_CREATE_VIRTUAL_DRIVE_FAILED, c.replacement)));
        const CString text = FormatEngineText(IDS_CREATE_VIRTUAL_DRIVE_FAILED, L'Q', L"\\??\\C:\\data");
        CLVKResourceManager::ReplaceGlobalManager(new CLVKResourceManager());
        EXPECT_STREQ(c.expected, text);
    }
}

}  // namespace

// An elevated process turns a drive's recycle bin on and off itself; a
// process that is not elevated leaves that to the elevated side.
TEST_F(DriveOperationElevatedSideTest, TheRecycleBinFollowsTheDriveInAnElevatedProcess)
{
    struct Case
    {
        const char* name;
        DWORD savedFlags;  // 0: no drive before
        bool elevated;
        bool remove;  // otherwise: create with newFlags
        DWORD newFlags;
        std::vector<std::wstring> expected;
    };
    const Case cases[] = {
        {"new drive with recycle bin", 0, true, false, 0x20, {L"on P: machine-wide"}},
        {"new drive without", 0, true, false, 0x0, {}},
        {"recycle bin turned off by an update", 0x20, true, false, 0x0, {L"off P: machine-wide"}},
        {"recreated with recycle bin turns it on again", 0x20, true, false, 0x20, {L"on P: machine-wide"}},
        {"removal turns it off", 0x20, true, true, 0x0, {L"off P: machine-wide"}},
        {"elevated side's removal that keeps it", 0x20, true, true, 0x24, {}},
        {"removal of a drive without one", 0x10, true, true, 0x0, {}},
        {"not elevated: left to the elevated side", 0x20, false, false, 0x20, {}},
    };
    for (const Case& c : cases)
    {
        RemoveTestDosDevice(m_device);
        SaveDriveEntry(m_letter, nullptr, nullptr, nullptr, 0);
        const std::wstring folder = m_folder.CreateFolder(L"Data");
        m_elevation.elevated = true;
        if (c.savedFlags)
        {
            ASSERT_TRUE(Perform(folder, L"Work", nullptr, c.savedFlags)) << c.name;
        }
        m_elevation.recycleBin.clear();
        m_elevation.calls.clear();
        m_elevation.elevated = c.elevated;

        ASSERT_TRUE(c.remove ? Remove(c.newFlags) : Perform(folder, L"Work", nullptr, c.newFlags)) << c.name;

        std::vector<std::wstring> expected;
        for (std::wstring e : c.expected)
        {
            e[e.find(L'P')] = m_letter;
            expected.push_back(e);
        }
        EXPECT_EQ(expected, m_elevation.recycleBin) << c.name;
        EXPECT_TRUE(BoxTexts(*m_boxes).empty()) << c.name;
    }
}

TEST_F(DriveOperationElevatedSideTest, AFailedRecycleBinIsReportedButTheDriveIsMounted)
{
    m_elevation.recycleBinSucceeds = false;
    const std::wstring folder = m_folder.CreateFolder(L"Data");

    ASSERT_TRUE(Perform(folder, L"Work", nullptr, 0x20));

    const std::wstring text = std::wstring(L"Failed to create a Recycle Bin for drive ") + m_letter + L":.";
    EXPECT_EQ(std::vector<std::wstring>{text}, BoxTexts(*m_boxes));
    EXPECT_EQ(L"\\??\\" + folder, Target());
    EXPECT_EQ(0x21u, ReadSaved(m_letter).flags);
}
