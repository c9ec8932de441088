#include "RecycleBinPolicy.h"

#include "DriveRegistry.h"
#include "RecycleBinKnownFolder.h"
#include "Foundation/SystemVersion.h"

namespace
{

constexpr wchar_t kPolicyKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr wchar_t kPolicyValue[] = L"RecycleBinDrives";
constexpr wchar_t kKnownDrivesValue[] = L"RecycleBinKnownFolderKnownDrivesV2";

// A hung window must not hold up a drive batch for long.
constexpr UINT kBroadcastTimeoutMs = 2000;

struct RecycleBinPolicyBatch
{
    int nesting = 0;
    DWORD lettersToSet = 0;
    DWORD lettersToClear = 0;
    bool machineWide = false;
};

thread_local RecycleBinPolicyBatch t_batch;

}  // namespace

bool UpdateRecycleBinDrivesPolicy(HKEY root, DWORD lettersToSet, DWORD lettersToClear)
{
    HKEY opened = nullptr;
    if (RegCreateKeyExW(root, kPolicyKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &opened, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const UniqueRegKey key(opened);

    DWORD oldMask = 0;
    DWORD size = sizeof(oldMask);
    DWORD type = 0;
    if (RegQueryValueExW(key.get(), kPolicyValue, nullptr, &type, reinterpret_cast<BYTE*>(&oldMask), &size) !=
            ERROR_SUCCESS ||
        size != sizeof(oldMask))
        oldMask = 0;

    const DWORD newMask = (oldMask | lettersToSet) & ~lettersToClear;
    if (newMask == oldMask)
        return false;
    if (newMask != 0)
        return RegSetValueExW(key.get(), kPolicyValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&newMask),
                              sizeof(newMask)) == ERROR_SUCCESS;
    return RegDeleteValueW(key.get(), kPolicyValue) == ERROR_SUCCESS;
}

bool ApplyRecycleBinPolicyChange(DWORD lettersToSet, DWORD lettersToClear, bool machineWide)
{
    bool changed = UpdateRecycleBinDrivesPolicy(HKEY_CURRENT_USER, lettersToSet, lettersToClear);
    if (machineWide && UpdateRecycleBinDrivesPolicy(HKEY_LOCAL_MACHINE, lettersToSet, lettersToClear))
        changed = true;
    if (changed)
    {
        // A broadcast that carries a pointer must be sent synchronously:
        // posted or notified, the system refuses it (ERROR_MESSAGE_SYNC_ONLY)
        // and the shell never hears of the new policy.
        DWORD_PTR result = 0;
        SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Policy"), SMTO_ABORTIFHUNG,
                            kBroadcastTimeoutMs, &result);
    }
    return changed;
}

void BeginRecycleBinPolicyBatch()
{
    if (t_batch.nesting++ == 0)
    {
        t_batch.lettersToSet = 0;
        t_batch.lettersToClear = 0;
        t_batch.machineWide = false;
    }
}

void EndRecycleBinPolicyBatch()
{
    if (t_batch.nesting <= 0)
        return;
    if (--t_batch.nesting != 0)
        return;
    const RecycleBinPolicyBatch taken = t_batch;
    t_batch.lettersToSet = 0;
    t_batch.lettersToClear = 0;
    t_batch.machineWide = false;
    if (taken.lettersToSet != 0 || taken.lettersToClear != 0)
        ApplyRecycleBinPolicyChange(taken.lettersToSet, taken.lettersToClear, taken.machineWide);
}

bool SetDriveRecycleBin(wchar_t letter, bool on, bool machineWide)
{
    if (letter >= L'a' && letter <= L'z')
        letter = static_cast<wchar_t>(letter - L'a' + L'A');
    if (letter < L'A' || letter > L'Z')
        return false;
    const DWORD bit = 1u << (letter - L'A');

    // Until a letter's folder has been updated once, stale definitions of
    // older versions may still claim its root: look for them.
    const UniqueRegKey key = OpenUserKey(kLorvaneRegistryKey, KEY_READ | KEY_WRITE, true);
    const bool keyOpen = key != nullptr;
    DWORD knownDrives = 0;
    bool cleanUp = true;
    if (keyOpen)
    {
        if (ReadRegistryDword(key.get(), kKnownDrivesValue, knownDrives))
            cleanUp = (knownDrives & bit) == 0;
        else
            knownDrives = 0;
    }

    bool changed = false;
    // The no-redirect flag keeps the folder out of the shell's redirection
    // pages; systems before 8.1 do not know it.
    const bool noRedirectUI = CLVKSystemVersion::GetGlobal()->IsWin81OrGreater() != FALSE;
    const HRESULT hr = UpdateRecycleBinKnownFolder(letter, on, noRedirectUI, cleanUp, &changed);
    if (SUCCEEDED(hr) && keyOpen)
    {
        knownDrives |= bit;
        RegSetValueExW(key.get(), kKnownDrivesValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&knownDrives),
                       sizeof(knownDrives));
    }

    if (t_batch.nesting <= 0)
    {
        ApplyRecycleBinPolicyChange(on ? bit : 0, on ? 0 : bit, machineWide);
    }
    else
    {
        if (on)
        {
            t_batch.lettersToSet |= bit;
            t_batch.lettersToClear &= ~bit;
        }
        else
        {
            t_batch.lettersToClear |= bit;
            t_batch.lettersToSet &= ~bit;
        }
        if (machineWide)
            t_batch.machineWide = true;
    }
    return SUCCEEDED(hr);
}
