#include "RecycleBinPolicy.h"
#include "RecycleBinKnownFolder.h"

#include "ChildProcess.h"
#include "RegistrySnapshot.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

namespace
{

constexpr wchar_t kPolicyKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr wchar_t kProgramKey[] = L"Software\\Brennic\\Lorvane\\2.0";

DWORD Bit(wchar_t letter)
{
    return 1u << (letter - L'A');
}

// "RecycleBinDrives" of a root; -1 when it is missing.
long long PolicyValue(HKEY root)
{
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegGetValueW(root, kPolicyKey, L"RecycleBinDrives", RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return -1;
    return value;
}

void SetPolicyValue(HKEY root, long long value)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(root, kPolicyKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr));
    if (value < 0)
    {
        RegDeleteValueW(key, L"RecycleBinDrives");
    }
    else
    {
        const DWORD v = static_cast<DWORD>(value);
        RegSetValueExW(key, L"RecycleBinDrives", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof(v));
    }
    RegCloseKey(key);
}

// A top-level window of this thread that counts the "Policy" broadcasts; the
// broadcast reaches it synchronously while the sender runs on this thread.
class PolicyBroadcastCounter
{
public:
    PolicyBroadcastCounter()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"LorvaneTestsPolicyCounter";
        RegisterClassW(&wc);
        m_hwnd = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, this);
    }
    ~PolicyBroadcastCounter() { DestroyWindow(m_hwnd); }
    int Count() const { return m_count; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
    {
        if (msg == WM_NCCREATE)
            SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
        auto* self = reinterpret_cast<PolicyBroadcastCounter*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (msg == WM_SETTINGCHANGE && self && lp && wcscmp(reinterpret_cast<LPCWSTR>(lp), L"Policy") == 0)
            ++self->m_count;
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    HWND m_hwnd = nullptr;
    int m_count = 0;
};

class RecycleBinPolicyTest : public ::testing::Test
{
protected:
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override
    {
        // The known folders that the calls registered in the prefix.
        for (wchar_t letter : {L'P', L'Q', L'R'})
        {
            bool changed = false;
            UpdateRecycleBinKnownFolder(letter, false, false, false, &changed);
        }
        CoUninitialize();
    }
    RegistrySnapshot m_userPolicy{HKEY_CURRENT_USER, kPolicyKey};
    RegistrySnapshot m_machinePolicy{HKEY_LOCAL_MACHINE, kPolicyKey};
    RegistrySnapshot m_program{HKEY_CURRENT_USER, kProgramKey};
};

}  // namespace

TEST_F(RecycleBinPolicyTest, UpdateWritesOnlyChangesAndDeletesAnEmptyMask)
{
    struct Case
    {
        const char* name;
        long long before;
        DWORD set;
        DWORD clear;
        bool changed;
        long long after;
    };
    const Case cases[] = {
        {"missing value, set P", -1, Bit(L'P'), 0, true, Bit(L'P')},
        {"set a letter already there", Bit(L'P'), Bit(L'P'), 0, false, Bit(L'P')},
        {"add Q to P", Bit(L'P'), Bit(L'Q'), 0, true, Bit(L'P') | Bit(L'Q')},
        {"clear the last letter deletes the value", Bit(L'P'), 0, Bit(L'P'), true, -1},
        {"clear a letter that is not set", Bit(L'P'), 0, Bit(L'Q'), false, Bit(L'P')},
        {"clear wins over set", -1, Bit(L'P'), Bit(L'P'), false, -1},
        {"nothing to do on a missing value", -1, 0, 0, false, -1},
    };
    for (const Case& c : cases)
    {
        SetPolicyValue(HKEY_CURRENT_USER, c.before);
        EXPECT_EQ(c.changed, UpdateRecycleBinDrivesPolicy(HKEY_CURRENT_USER, c.set, c.clear)) << c.name;
        EXPECT_EQ(c.after, PolicyValue(HKEY_CURRENT_USER)) << c.name;
    }
}

TEST_F(RecycleBinPolicyTest, BatchesWriteAndBroadcastOnceAtTheOutermostEnd)
{
    struct Step
    {
        wchar_t op;
        wchar_t letter;
    };  // '+' on, '-' off, '(' begin, ')' end
    struct Case
    {
        const char* name;
        std::vector<Step> steps;
        long long after;
        int broadcasts;
    };
    const Case cases[] = {
        {"P then Q in one batch", {{'(', 0}, {'+', 'P'}, {'+', 'Q'}, {')', 0}}, Bit(L'P') | Bit(L'Q'), 1},
        {"P on and off in one batch writes nothing", {{'(', 0}, {'+', 'P'}, {'-', 'P'}, {')', 0}}, -1, 0},
        {"opened twice, closed once applies nothing", {{'(', 0}, {'(', 0}, {'+', 'P'}, {')', 0}}, -1, 0},
        {"the second close applies", {{'(', 0}, {'(', 0}, {'+', 'P'}, {')', 0}, {')', 0}}, Bit(L'P'), 1},
        {"without a batch every change is applied", {{'+', 'P'}, {'+', 'Q'}}, Bit(L'P') | Bit(L'Q'), 2},
        {"an extra close does nothing", {{')', 0}, {'+', 'R'}}, Bit(L'R'), 1},
        {"a batch without changes broadcasts nothing", {{'(', 0}, {')', 0}}, -1, 0},
    };
    for (const Case& c : cases)
    {
        SetPolicyValue(HKEY_CURRENT_USER, -1);
        PolicyBroadcastCounter counter;
        int openedHere = 0;
        for (const Step& s : c.steps)
        {
            switch (s.op)
            {
            case '(':
                BeginRecycleBinPolicyBatch();
                ++openedHere;
                break;
            case ')':
                EndRecycleBinPolicyBatch();
                --openedHere;
                break;
            default:
                SetDriveRecycleBin(s.letter, s.op == '+', false);
                break;
            }
        }
        EXPECT_EQ(c.after, PolicyValue(HKEY_CURRENT_USER)) << c.name;
        EXPECT_EQ(c.broadcasts, counter.Count()) << c.name;
        while (openedHere-- > 0)
            EndRecycleBinPolicyBatch();
    }
}

TEST_F(RecycleBinPolicyTest, MachineWideChangesAlsoWriteTheMachinePolicy)
{
    SetPolicyValue(HKEY_CURRENT_USER, -1);
    SetPolicyValue(HKEY_LOCAL_MACHINE, -1);
    PolicyBroadcastCounter counter;
    {
        CRecycleBinPolicyBatchScope batch;
        SetDriveRecycleBin(L'p', true, false);
        SetDriveRecycleBin(L'Q', true, true);
    }
    EXPECT_EQ(Bit(L'P') | Bit(L'Q'), PolicyValue(HKEY_CURRENT_USER));
    EXPECT_EQ(Bit(L'P') | Bit(L'Q'), PolicyValue(HKEY_LOCAL_MACHINE))
        << "the batch's machine-wide flag covers all its letters";
    EXPECT_EQ(1, counter.Count());
    EXPECT_FALSE(SetDriveRecycleBin(L'1', true, false));
}

TEST_F(RecycleBinPolicyTest, KnownDrivesValueRecordsLettersUpdatedOnce)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExW(HKEY_CURRENT_USER, kProgramKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr));
    RegDeleteValueW(key, L"RecycleBinKnownFolderKnownDrivesV2");
    RegCloseKey(key);

    // Turning off a letter without a folder succeeds everywhere, Wine included.
    EXPECT_TRUE(SetDriveRecycleBin(L'Q', false, false));
    DWORD mask = 0;
    DWORD size = sizeof(mask);
    ASSERT_EQ(ERROR_SUCCESS, RegGetValueW(HKEY_CURRENT_USER, kProgramKey, L"RecycleBinKnownFolderKnownDrivesV2",
                                          RRF_RT_REG_DWORD, nullptr, &mask, &size));
    EXPECT_EQ(Bit(L'Q'), mask);
}

// The broadcast must reach other processes: a child copy of this test
// program runs this (otherwise disabled) test, which opens a top-level window
// and counts what it receives.
TEST(PolicyBroadcastListener, DISABLED_CountsPolicyBroadcastsInAChildProcess)
{
    wchar_t countFile[MAX_PATH] = {};
    ASSERT_NE(0u, GetEnvironmentVariableW(L"LORVANE_TEST_POLICY_LISTENER", countFile, MAX_PATH));
    PolicyBroadcastCounter counter;
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, L"LorvaneTestsPolicyListenerReady");
    HANDLE stop = OpenEventW(SYNCHRONIZE, FALSE, L"LorvaneTestsPolicyListenerStop");
    ASSERT_TRUE(ready && stop);
    SetEvent(ready);
    const auto handleMessages = []
    {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    };
    while (MsgWaitForMultipleObjects(1, &stop, FALSE, kHungWaitMs, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
        handleMessages();
    // A broadcast whose sender stopped waiting for this slow listener is
    // still waiting here to be handled: every one was sent before the stop.
    handleMessages();
    FILE* f = _wfopen(countFile, L"w");
    ASSERT_NE(nullptr, f);
    fprintf(f, "%d", counter.Count());
    fclose(f);
    CloseHandle(ready);
    CloseHandle(stop);
}

TEST_F(RecycleBinPolicyTest, AnotherProcessHearsThePolicyChangeOncePerBatch)
{
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring countFile = std::wstring(temp) + L"lorvane-policy-listener.txt";
    DeleteFileW(countFile.c_str());

    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, L"LorvaneTestsPolicyListenerReady");
    HANDLE stop = CreateEventW(nullptr, TRUE, FALSE, L"LorvaneTestsPolicyListenerStop");
    SetEnvironmentVariableW(L"LORVANE_TEST_POLICY_LISTENER", countFile.c_str());
    ChildProcess listener;
    const bool started =
        listener.Start(self, {L"--gtest_filter=PolicyBroadcastListener.*", L"--gtest_also_run_disabled_tests"});
    SetEnvironmentVariableW(L"LORVANE_TEST_POLICY_LISTENER", nullptr);
    ASSERT_TRUE(started);
    ASSERT_TRUE(WaitForObject(ready));

    SetPolicyValue(HKEY_CURRENT_USER, -1);
    {
        CRecycleBinPolicyBatchScope batch;
        SetDriveRecycleBin(L'P', true, false);
        SetDriveRecycleBin(L'Q', true, false);
    }
    {
        CRecycleBinPolicyBatchScope batch;
        SetDriveRecycleBin(L'P', false, false);
        SetDriveRecycleBin(L'Q', false, false);
    }
    SetEvent(stop);
    ASSERT_TRUE(listener.Wait());
    EXPECT_EQ(0u, listener.ExitCode());

    FILE* f = _wfopen(countFile.c_str(), L"r");
    ASSERT_NE(nullptr, f);
    int count = -1;
    EXPECT_EQ(1, fscanf(f, "%d", &count));
    fclose(f);
    DeleteFileW(countFile.c_str());
    EXPECT_EQ(2, count) << "one broadcast for each of the two batches";
    CloseHandle(ready);
    CloseHandle(stop);
}
