#include "DriveLabels.h"

#include "DriveLetter.h"
#include "DriveRegistry.h"

const TCHAR kDefaultLabelValueName[] = _T("DefaultLabel");
const TCHAR kDefaultIconValueName[] = _T("DefaultIcon");

namespace
{

const TCHAR kUserDrivesKey[] = _T("SOFTWARE\\Classes\\Applications\\Explorer.exe\\Drives");
const TCHAR kDriveIconsKey[] = _T("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons");
const TCHAR kMountPointsKey[] = _T("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MountPoints2\\");
const TCHAR kNetworkLabelValueName[] = _T("_LabelFromReg");

// The shell's values are texts of at most this size, terminating zero included.
const DWORD kTextBufferBytes = 2048;

// Opens a key in the view of the drive keys (the 64-bit view under WOW64, where
// the shell reads them); the key is set only on success.
LONG OpenDriveLabelKey(HKEY hRoot, LPCTSTR pszPath, REGSAM samAccess, UniqueRegKey& key)
{
    HKEY hKey = nullptr;
    const LONG lResult = RegOpenKeyExW(hRoot, pszPath, 0, samAccess | GetDriveLabelRegistryView(), &hKey);
    if (lResult == ERROR_SUCCESS)
        key.reset(hKey);
    return lResult;
}

// Creates or opens a key in the view of the drive keys; the key is set only on
// success.
LONG CreateDriveLabelKey(HKEY hRoot, LPCTSTR pszPath, REGSAM samAccess, UniqueRegKey& key)
{
    HKEY hKey = nullptr;
    const LONG lResult = RegCreateKeyExW(hRoot, pszPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                         samAccess | GetDriveLabelRegistryView(), nullptr, &hKey, nullptr);
    if (lResult == ERROR_SUCCESS)
        key.reset(hKey);
    return lResult;
}

// A value counts only as a zero-terminated text of one character or more; an
// empty or malformed value must not hide a good one in the next key.
BOOL ReadPresentText(HKEY hKey, LPCTSTR pszValueName, CString& strText)
{
    BYTE buffer[kTextBufferBytes] = {};
    DWORD dwType = 0;
    DWORD cbData = sizeof(buffer);
    if (RegQueryValueExW(hKey, pszValueName, nullptr, &dwType, buffer, &cbData) != ERROR_SUCCESS)
        return FALSE;
    if (dwType != REG_SZ && dwType != REG_EXPAND_SZ)
        return FALSE;
    if (cbData < 2 * sizeof(WCHAR) || cbData % sizeof(WCHAR) != 0)
        return FALSE;
    const WCHAR* pszData = reinterpret_cast<const WCHAR*>(buffer);
    const DWORD nChars = cbData / sizeof(WCHAR);
    if (pszData[nChars - 1] != L'\0' || pszData[0] == L'\0')
        return FALSE;
    strText = pszData;
    return TRUE;
}

BOOL ReadKeyText(HKEY hRoot, LPCTSTR pszPath, LPCTSTR pszValueName, CString& strText)
{
    UniqueRegKey key;
    if (OpenDriveLabelKey(hRoot, pszPath, KEY_READ, key) != ERROR_SUCCESS)
        return FALSE;
    return ReadPresentText(key.get(), pszValueName, strText);
}

BOOL WriteKeyDefaultText(HKEY hRoot, LPCTSTR pszPath, LPCTSTR pszText)
{
    UniqueRegKey key;
    if (CreateDriveLabelKey(hRoot, pszPath, KEY_WRITE, key) != ERROR_SUCCESS)
        return FALSE;
    const DWORD cbText = static_cast<DWORD>((wcslen(pszText) + 1) * sizeof(WCHAR));
    return RegSetValueExW(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(pszText), cbText) ==
           ERROR_SUCCESS;
}

// Deletes a key and everything below it in the view of the drive keys.
// RegDeleteTree would open the subkeys without the view flag, so the walk is
// done here with RegDeleteKeyEx, which takes the view.
LONG DeleteKeyTree(HKEY hParent, LPCTSTR pszSubKey)
{
    const REGSAM samView = GetDriveLabelRegistryView();
    {
        UniqueRegKey key;
        const LONG lOpen = OpenDriveLabelKey(hParent, pszSubKey, KEY_READ | DELETE, key);
        if (lOpen != ERROR_SUCCESS)
            return lOpen;
        for (;;)
        {
            WCHAR szChild[256] = {};
            DWORD cchChild = _countof(szChild);
            // Always the first child: each one is gone before the next round.
            const LONG lEnum = RegEnumKeyExW(key.get(), 0, szChild, &cchChild, nullptr, nullptr, nullptr, nullptr);
            if (lEnum == ERROR_NO_MORE_ITEMS)
                break;
            if (lEnum != ERROR_SUCCESS)
                return lEnum;
            const LONG lChild = DeleteKeyTree(key.get(), szChild);
            if (lChild != ERROR_SUCCESS)
                return lChild;
        }
    }
    return RegDeleteKeyExW(hParent, pszSubKey, samView, 0);
}

LONG DeleteKeyTreeFrom(HKEY hRoot, LPCTSTR pszParentPath, LPCTSTR pszSubKey)
{
    UniqueRegKey parent;
    const LONG lOpen = OpenDriveLabelKey(hRoot, pszParentPath, KEY_READ | KEY_WRITE, parent);
    if (lOpen != ERROR_SUCCESS)
        return lOpen;
    return DeleteKeyTree(parent.get(), pszSubKey);
}

BOOL IsNothingThere(LONG lResult)
{
    return lResult == ERROR_FILE_NOT_FOUND || lResult == ERROR_PATH_NOT_FOUND;
}

}  // namespace

REGSAM GetDriveLabelRegistryView()
{
    // 0 unknown, 1 not WOW64, 2 WOW64. Every thread computes the same answer,
    // so a race only repeats the question.
    static volatile LONG s_nWow64 = 0;
    if (s_nWow64 == 0)
    {
        typedef BOOL(WINAPI * IsWow64ProcessFn)(HANDLE, PBOOL);
        BOOL bWow64 = FALSE;
        const HMODULE hKernel = GetModuleHandleW(L"kernel32");
        const IsWow64ProcessFn pfnIsWow64Process =
            hKernel ? reinterpret_cast<IsWow64ProcessFn>(GetProcAddress(hKernel, "IsWow64Process")) : nullptr;
        if (pfnIsWow64Process && !pfnIsWow64Process(GetCurrentProcess(), &bWow64))
            bWow64 = FALSE;
        InterlockedExchange(&s_nWow64, bWow64 ? 2 : 1);
    }
    return s_nWow64 == 2 ? KEY_WOW64_64KEY : 0;
}

CString BuildDriveIconKeyPath(HKEY hRoot, TCHAR chLetter)
{
    CString strPath;
    strPath.Format(_T("%s\\%c"), hRoot == HKEY_CURRENT_USER ? kUserDrivesKey : kDriveIconsKey,
                   UpperDriveLetter(chLetter));
    return strPath;
}

CString BuildDriveIconValueKeyPath(HKEY hRoot, TCHAR chLetter, LPCTSTR pszValueName)
{
    CString strPath = BuildDriveIconKeyPath(hRoot, chLetter);
    strPath += _T("\\");
    strPath += pszValueName;
    return strPath;
}

CString ReadDriveIconValue(TCHAR chLetter, LPCTSTR pszValueName)
{
    struct KeyToTry
    {
        HKEY hRoot;
        HKEY hForm;
    };
    const KeyToTry keys[] = {
        {HKEY_CURRENT_USER, HKEY_CURRENT_USER},
        {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE},
        {HKEY_LOCAL_MACHINE, HKEY_LOCAL_MACHINE},
    };
    for (const KeyToTry& key : keys)
    {
        CString strText;
        // The text is the key's default value.
        if (ReadKeyText(key.hRoot, BuildDriveIconValueKeyPath(key.hForm, chLetter, pszValueName), nullptr, strText))
            return strText;
    }
    return CString();
}

BOOL WriteDriveIconValue(TCHAR chLetter, LPCTSTR pszValueName, LPCTSTR pszText, BOOL bMachineWide, BOOL bKeepEmpty)
{
    const HKEY hRoot = bMachineWide ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    const BOOL bUserRoot = !bMachineWide;

    if (pszText && (*pszText || bKeepEmpty))
    {
        BOOL bWritten = WriteKeyDefaultText(hRoot, BuildDriveIconValueKeyPath(hRoot, chLetter, pszValueName), pszText);
        if (bUserRoot)
        {
            const CString strSecond = BuildDriveIconValueKeyPath(HKEY_LOCAL_MACHINE, chLetter, pszValueName);
            if (WriteKeyDefaultText(HKEY_CURRENT_USER, strSecond, pszText))
                bWritten = TRUE;
        }
        return bWritten;
    }

    const CString strSecondParent = BuildDriveIconKeyPath(HKEY_LOCAL_MACHINE, chLetter);
    UniqueRegKey letterKey;
    const LONG lOpen =
        OpenDriveLabelKey(hRoot, BuildDriveIconKeyPath(hRoot, chLetter), KEY_READ | KEY_WRITE, letterKey);
    if (IsNothingThere(lOpen))
    {
        if (bUserRoot)
            DeleteKeyTreeFrom(HKEY_CURRENT_USER, strSecondParent, pszValueName);
        return TRUE;
    }
    if (lOpen != ERROR_SUCCESS)
        return FALSE;

    const LONG lFirst = DeleteKeyTree(letterKey.get(), pszValueName);
    if (bUserRoot)
        DeleteKeyTreeFrom(HKEY_CURRENT_USER, strSecondParent, pszValueName);
    return lFirst == ERROR_SUCCESS || IsNothingThere(lFirst);
}

CString BuildNetworkDriveLabelKeyPath(LPCTSTR pszRemotePath)
{
    CString strRemote(pszRemotePath);
    strRemote.Replace(_T('\\'), _T('#'));
    return CString(kMountPointsKey) + strRemote;
}

CString ReadNetworkDriveLabel(LPCTSTR pszRemotePath)
{
    CString strLabel;
    if (!pszRemotePath || !*pszRemotePath)
        return strLabel;
    if (!ReadKeyText(HKEY_CURRENT_USER, BuildNetworkDriveLabelKeyPath(pszRemotePath), kNetworkLabelValueName, strLabel))
        strLabel.Empty();
    return strLabel;
}

BOOL WriteNetworkDriveLabel(LPCTSTR pszRemotePath, LPCTSTR pszText)
{
    // An empty remote path would name MountPoints2 itself.
    if (!pszRemotePath || !*pszRemotePath)
        return FALSE;
    const CString strPath = BuildNetworkDriveLabelKeyPath(pszRemotePath);
    UniqueRegKey key;
    if (pszText)
    {
        if (CreateDriveLabelKey(HKEY_CURRENT_USER, strPath, KEY_WRITE, key) != ERROR_SUCCESS)
            return FALSE;
        const DWORD cbText = static_cast<DWORD>((wcslen(pszText) + 1) * sizeof(WCHAR));
        return RegSetValueExW(key.get(), kNetworkLabelValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(pszText),
                              cbText) == ERROR_SUCCESS;
    }
    if (OpenDriveLabelKey(HKEY_CURRENT_USER, strPath, KEY_WRITE, key) != ERROR_SUCCESS)
        return FALSE;
    RegDeleteValueW(key.get(), kNetworkLabelValueName);
    return TRUE;
}

BOOL FixVolumeLabel(TCHAR chLetter)
{
    const TCHAR chUpper = UpperDriveLetter(chLetter);
    const TCHAR szRoot[] = {chUpper, _T(':'), _T('\\'), _T('\0')};
    WCHAR szLabel[MAX_PATH] = {};
    if (!GetVolumeInformationW(szRoot, szLabel, _countof(szLabel), nullptr, nullptr, nullptr, nullptr, 0))
        return FALSE;
    if (!szLabel[0])
        return TRUE;
    // An empty name removes the label like a null one does, and a null name
    // crashes some implementations of the call.
    if (!SetVolumeLabelW(szRoot, L""))
        return FALSE;
    WriteDriveIconValue(chUpper, kDefaultLabelValueName, szLabel, FALSE, TRUE);
    WriteDriveIconValue(chUpper, kDefaultLabelValueName, szLabel, TRUE, TRUE);
    return TRUE;
}
