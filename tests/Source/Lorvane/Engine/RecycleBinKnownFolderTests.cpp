#include "RecycleBinKnownFolder.h"
#include "FakeKnownFolderManager.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

GUID IdOf(wchar_t letter)
{
    GUID id{};
    EXPECT_TRUE(RecycleBinKnownFolderId(letter, &id));
    return id;
}

const GUID kStrangerId = {0x11111111, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 8}};
const GUID kOtherStrangerId = {0x11111111, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 9}};

int g_createPathCalls = 0;
HRESULT g_createPathResult = S_OK;
HRESULT CountingCreatePath(REFKNOWNFOLDERID)
{
    ++g_createPathCalls;
    return g_createPathResult;
}

class KnownFolderUpdate : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_createPathCalls = 0;
        g_createPathResult = S_OK;
    }
    HRESULT Update(wchar_t letter, bool enable, bool noRedirect, bool cleanUp, bool* changed)
    {
        return UpdateRecycleBinKnownFolder(letter, IdOf(letter), enable, noRedirect, cleanUp, changed, &manager,
                                           CountingCreatePath);
    }
    FakeKnownFolderManager manager;
};

}  // namespace

TEST(RecycleBinKnownFolderIdTest, LastByteFollowsTheLetterAndTheRestIsFixed)
{
    struct Case
    {
        wchar_t letter;
        bool valid;
        BYTE lastByte;
    };
    const Case cases[] = {
        {L'A', true, 0xCD}, {L'a', true, 0xCD}, {L'P', true, 0xDC}, {L'Z', true, 0xE6}, {L'z', true, 0xE6},
        {L'@', false, 0},   {L'[', false, 0},   {L'1', false, 0},   {0, false, 0},
    };
    GUID a{};
    ASSERT_TRUE(RecycleBinKnownFolderId(L'A', &a));
    for (const Case& c : cases)
    {
        GUID id{};
        const bool valid = RecycleBinKnownFolderId(c.letter, &id);
        EXPECT_EQ(c.valid, valid) << "letter " << static_cast<int>(c.letter);
        if (!valid)
            continue;
        EXPECT_EQ(c.lastByte, id.Data4[7]) << "letter " << static_cast<int>(c.letter);
        EXPECT_EQ(0, memcmp(&a, &id, 15)) << "the fixed part must not depend on the letter";
    }
}

TEST_F(KnownFolderUpdate, EnablingRegistersTheDefinitionAndCreatesTheFolder)
{
    bool changed = false;
    ASSERT_EQ(S_OK, Update(L'p', true, true, false, &changed));
    EXPECT_TRUE(changed);
    ASSERT_EQ(1u, manager.folders.count(IdOf(L'P')));
    const FakeFolderDefinition& d = manager.folders[IdOf(L'P')];
    EXPECT_EQ(KF_CATEGORY_PERUSER, d.category);
    EXPECT_EQ(L"P_Drive_Lorvane", d.name);
    EXPECT_EQ(L"P:\\", d.relativePath);
    EXPECT_EQ(0x40u, d.flags);
    EXPECT_EQ(1, g_createPathCalls);
}

TEST_F(KnownFolderUpdate, ExistingDefinitionIsKeptOnlyWhenItMatches)
{
    struct Case
    {
        const char* name;
        FakeFolderDefinition existing;
        bool noRedirect;
        bool expectReplaced;
    };
    const Case cases[] = {
        {"identical", {KF_CATEGORY_PERUSER, L"P_Drive_Lorvane", L"P:\\", 0x40}, true, false},
        {"name and path differ only in case", {KF_CATEGORY_PERUSER, L"p_drive_lorvane", L"p:\\", 0}, false, false},
        {"registered without no-redirect flag", {KF_CATEGORY_PERUSER, L"P_Drive_Lorvane", L"P:\\", 0}, true, true},
        {"registered with the flag but not wanted",
         {KF_CATEGORY_PERUSER, L"P_Drive_Lorvane", L"P:\\", 0x40},
         false,
         true},
        {"other category", {KF_CATEGORY_COMMON, L"P_Drive_Lorvane", L"P:\\", 0}, false, true},
        {"other name", {KF_CATEGORY_PERUSER, L"P_Drive", L"P:\\", 0}, false, true},
        {"other root", {KF_CATEGORY_PERUSER, L"P_Drive_Lorvane", L"Q:\\", 0}, false, true},
        {"root without backslash", {KF_CATEGORY_PERUSER, L"P_Drive_Lorvane", L"P:", 0}, false, true},
    };
    for (const Case& c : cases)
    {
        SetUp();
        manager = FakeKnownFolderManager();
        manager.folders[IdOf(L'P')] = c.existing;
        bool changed = false;
        EXPECT_EQ(S_OK, Update(L'P', true, c.noRedirect, false, &changed)) << c.name;
        EXPECT_EQ(c.expectReplaced, changed) << c.name;
        EXPECT_EQ(c.expectReplaced ? 1u : 0u, manager.unregistered.size()) << c.name;
        EXPECT_EQ(c.expectReplaced ? 1u : 0u, manager.registered.size()) << c.name;
        EXPECT_EQ(c.expectReplaced ? 1 : 0, g_createPathCalls) << c.name;
        EXPECT_EQ(c.noRedirect ? 0x40u : 0u, manager.folders[IdOf(L'P')].flags) << c.name;
    }
}

TEST_F(KnownFolderUpdate, DisablingRemovesTheDefinitionOrFindsNothingToDo)
{
    bool changed = true;
    ASSERT_EQ(S_OK, Update(L'P', false, false, false, &changed));
    EXPECT_FALSE(changed);
    EXPECT_EQ(0, g_createPathCalls);

    manager.Add(IdOf(L'P'), L"P_Drive_Lorvane", L"P:\\", 0x40);
    ASSERT_EQ(S_OK, Update(L'P', false, true, false, &changed));
    EXPECT_TRUE(changed);
    EXPECT_TRUE(manager.folders.empty());
    EXPECT_EQ(0, g_createPathCalls) << "a removed folder is not created";
}

TEST_F(KnownFolderUpdate, CleanUpRemovesOtherIdsClaimingTheSameRootInAnyCase)
{
    manager.Add(kStrangerId, L"Old", L"p:\\");
    manager.Add(kOtherStrangerId, L"Other", L"Q:\\");
    bool changed = false;
    ASSERT_EQ(S_OK, Update(L'P', true, false, true, &changed));
    EXPECT_TRUE(changed);
    EXPECT_EQ(0u, manager.folders.count(kStrangerId));
    EXPECT_EQ(1u, manager.folders.count(kOtherStrangerId)) << "another root stays";
    EXPECT_EQ(1u, manager.folders.count(IdOf(L'P')));
}

TEST_F(KnownFolderUpdate, WithoutCleanUpStaleDefinitionsStay)
{
    manager.Add(kStrangerId, L"Old", L"P:\\");
    manager.Add(IdOf(L'P'), L"P_Drive_Lorvane", L"P:\\", 0);
    bool changed = true;
    ASSERT_EQ(S_OK, Update(L'P', true, false, false, &changed));
    EXPECT_FALSE(changed);
    EXPECT_EQ(1u, manager.folders.count(kStrangerId));
    EXPECT_EQ(0, g_createPathCalls);
}

TEST_F(KnownFolderUpdate, FailuresAreReturned)
{
    bool changed = false;
    manager.failGetFolderIds = E_OUTOFMEMORY;
    EXPECT_EQ(E_OUTOFMEMORY, Update(L'P', true, false, true, &changed));
    EXPECT_TRUE(manager.registered.empty()) << "nothing is registered after a failed clean-up";

    manager.failGetFolderIds = S_OK;
    manager.failRegister = E_ACCESSDENIED;
    EXPECT_EQ(E_ACCESSDENIED, Update(L'P', true, false, false, &changed));
    EXPECT_EQ(0, g_createPathCalls);

    manager.failRegister = S_OK;
    g_createPathResult = HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND), Update(L'P', true, false, false, &changed));
    EXPECT_TRUE(changed) << "the registration itself went through";

    EXPECT_EQ(E_INVALIDARG, UpdateRecycleBinKnownFolder(L'1', IdOf(L'P'), true, false, false, &changed, &manager,
                                                        CountingCreatePath));
}

// Against Wine's own manager: what it supports is registering, finding by id,
// unregistering, and the definition it leaves in the registry. (It stores no
// flags and cannot create the folder, so those paths are covered above.)
TEST(RecycleBinKnownFolderSystem, RegistersFindsAndUnregistersWithTheRealManager)
{
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    const GUID id = IdOf(L'V');
    wchar_t idText[64];
    StringFromGUID2(id, idText, 64);
    const std::wstring keyPath =
        std::wstring(L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FolderDescriptions\\") + idText;

    bool changed = false;
    g_createPathCalls = 0;
    g_createPathResult = S_OK;
    ASSERT_EQ(S_OK, UpdateRecycleBinKnownFolder(L'V', id, true, false, true, &changed, nullptr, CountingCreatePath));
    EXPECT_TRUE(changed);
    EXPECT_EQ(1, g_createPathCalls);

    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, &key));
    wchar_t name[64] = {};
    DWORD size = sizeof(name);
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, L"Name", nullptr, nullptr, reinterpret_cast<BYTE*>(name), &size));
    EXPECT_STREQ(L"V_Drive_Lorvane", name);
    RegCloseKey(key);

    ASSERT_EQ(S_OK, UpdateRecycleBinKnownFolder(L'V', id, true, false, false, &changed, nullptr, CountingCreatePath));
    EXPECT_FALSE(changed) << "an identical registration is found by id and kept";

    ASSERT_EQ(S_OK, UpdateRecycleBinKnownFolder(L'V', id, false, false, false, &changed, nullptr, CountingCreatePath));
    EXPECT_TRUE(changed);
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, &key));
    CoUninitialize();
}
