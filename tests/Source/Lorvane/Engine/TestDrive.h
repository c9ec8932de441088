#pragma once
// A drive letter that a test lets the code under test define for a folder;
// its definition is removed at the end when it still points there.
#include "TestSupport.h"

#include <string>
#include <vector>

class TestDrive
{
public:
    TestDrive(wchar_t letter, std::wstring folder) : m_letter(letter), m_folder(std::move(folder)) {}
    ~TestDrive() { RemoveTestDosDevice(DriveDevice(m_letter), RawTarget()); }
    TestDrive(const TestDrive&) = delete;
    TestDrive& operator=(const TestDrive&) = delete;

    wchar_t Letter() const { return m_letter; }
    const std::wstring& Folder() const { return m_folder; }
    std::wstring RawTarget() const { return L"\\??\\" + m_folder; }
    // The letter's definition now; empty when it has none.
    std::wstring Current() const { return QueryDosDeviceTarget(DriveDevice(m_letter)); }
    bool Defined() const { return Current() == RawTarget(); }

private:
    wchar_t m_letter;
    std::wstring m_folder;
};

// Up to `count` letters from Z: down that are neither drives nor defined DOS
// devices.
inline std::vector<wchar_t> UnusedDriveLetters(size_t count)
{
    std::vector<wchar_t> letters;
    const DWORD drives = GetLogicalDrives();
    for (wchar_t c = L'Z'; c >= L'D' && letters.size() < count; --c)
    {
        if (!(drives & (1u << (c - L'A'))) && QueryDosDeviceTarget(DriveDevice(c)).empty())
            letters.push_back(c);
    }
    return letters;
}
