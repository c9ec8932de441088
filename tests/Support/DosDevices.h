#pragma once
// DOS device (drive letter) helpers for tests of virtual drives.
//
// Never remove a real volume's letter: Wine removes it for the rest of the
// wineserver's life. Wine also removes a definition whatever target is given
// with DDD_EXACT_MATCH_ON_REMOVE, so RemoveTestDosDevice compares the target
// itself first.
#include <windows.h>

#include <string>

// "P" or 'P' → "P:".
std::wstring DriveDevice(wchar_t letter);
// The device's current target, e.g. "\??\C:\folder"; empty when undefined.
std::wstring QueryDosDeviceTarget(const std::wstring& device);
// True for the target of a real volume ("\Device\HarddiskVolume1").
bool IsVolumeTarget(const std::wstring& target);
// Removes the device's definition when it is now exactly `target`
// (case-insensitive) and not a real volume; an empty target removes any
// definition that is not a real volume. True when the device no longer has
// that definition (also when it had none).
bool RemoveTestDosDevice(const std::wstring& device, const std::wstring& target = {});
// The highest letter from Z: down that is neither a drive nor a defined DOS
// device; 0 when there is none.
wchar_t FindUnusedDriveLetter();

// Defines a letter for the length of a test (DDD_RAW_TARGET_PATH) and removes
// it again, unless the code under test changed or removed it.
class ScratchDosDevice
{
public:
    // rawTarget e.g. L"\\??\\C:\\some\\folder".
    ScratchDosDevice(wchar_t letter, const std::wstring& rawTarget);
    ~ScratchDosDevice();
    ScratchDosDevice(const ScratchDosDevice&) = delete;
    ScratchDosDevice& operator=(const ScratchDosDevice&) = delete;

    bool Defined() const { return m_defined; }
    // GetLastError of a failed definition.
    DWORD Error() const { return m_error; }
    const std::wstring& Device() const { return m_device; }

private:
    std::wstring m_device;
    std::wstring m_target;
    bool m_defined = false;
    DWORD m_error = 0;
};
