#include "MappedPath.h"

#include "DriveLetter.h"

#include <vector>

namespace
{

// Room for the targets of QueryDosDeviceW and WNetGetConnectionW.
const DWORD kTargetChars = 1024;

}  // namespace

CString RemotePathFromRedirectorTarget(LPCWSTR target)
{
    if (!target)
        return CString();
    // The ";" must not be the first character; the share follows the first
    // backslash after it, and it must not be empty.
    const wchar_t* const semicolon = wcschr(target, L';');
    if (!semicolon || semicolon == target)
        return CString();
    const wchar_t* const backslash = wcschr(semicolon, L'\\');
    if (!backslash || !backslash[1])
        return CString();
    return CString(L"\\\\") + (backslash + 1);
}

CString QueryNetworkDriveTarget(WCHAR letter)
{
    const WCHAR device[] = {UpperDriveLetter(letter), L':', L'\0'};
    if (GetDriveTypeW(device) != DRIVE_REMOTE)
        return CString();

    std::vector<WCHAR> target(kTargetChars, L'\0');
    if (QueryDosDeviceW(device, target.data(), kTargetChars))
    {
        target.back() = L'\0';
        const CString remote = RemotePathFromRedirectorTarget(target.data());
        if (!remote.IsEmpty())
            return remote;
    }

    std::fill(target.begin(), target.end(), L'\0');
    DWORD chars = kTargetChars;
    if (WNetGetConnectionW(device, target.data(), &chars) != NO_ERROR)
        return CString();
    target.back() = L'\0';
    return CString(target.data());
}

CString ResolveMappedPath(LPCWSTR path)
{
    if (!path)
        return CString();
    const CString original(path);
    if (original.GetLength() < 2 || original[1] != L':')
        return original;
    if (GetDriveTypeW(original.Left(3)) != DRIVE_REMOTE)
        return original;
    const CString remote = QueryNetworkDriveTarget(original[0]);
    if (remote.IsEmpty())
        return original;
    return remote + original.Mid(2);
}

CString GetSystemErrorText(DWORD error)
{
    LPWSTR buffer = nullptr;
    const DWORD chars = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    CString text;
    if (chars && buffer)
        text = buffer;
    if (buffer)
        LocalFree(buffer);
    while (!text.IsEmpty() && (text[text.GetLength() - 1] == L'\n' || text[text.GetLength() - 1] == L'\r'))
        text.Truncate(text.GetLength() - 1);
    if (text.IsEmpty())
        text.Format(L"Unknown error 0x%0lX", error);
    return text;
}
