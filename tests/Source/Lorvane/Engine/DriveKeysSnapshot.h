#pragma once
// Every key the drive operation may change for a test letter: the shell's
// label and icon keys of the user and the machine, the program's own key and
// the user's Explorer policies. Put back exactly when the test ends.
#include "TestSupport.h"

class DriveKeysSnapshot
{
public:
    RegistrySnapshot userDrives{HKEY_CURRENT_USER, L"Software\\Classes\\Applications\\Explorer.exe\\Drives",
                                KEY_WOW64_64KEY};
    RegistrySnapshot userIcons{HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons",
                               KEY_WOW64_64KEY};
    RegistrySnapshot machineIcons{
        HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons", KEY_WOW64_64KEY};
    RegistrySnapshot settings{HKEY_CURRENT_USER, L"Software\\Brennic\\Lorvane\\2.0"};
    RegistrySnapshot policies{HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer"};
};
