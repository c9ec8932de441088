#pragma once

#include "Framework.h"
#include "Foundation/WinApp.h"
#include "AppSettings.h"
#include "DriveEntry.h"

class CCustomCommandLineInfo;

// The one application object of Lorvane: the settings, the language list and
// the table of 26 drives, and the start-up dispatch.
class CLorvaneApp : public CLVKWinApp
{
public:
    CLorvaneApp();
    ~CLorvaneApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    // Reads Flags, Theme, DriveFlags and MainRect from the program's key;
    // always true.
    BOOL LoadSettings();
    // Writes them; true when the key could be created or opened.
    BOOL SaveSettings();
    // The same for a given group membership and DPI value (see GetSettingsDpiValue).
    BOOL LoadSettings(bool administratorsMember, DWORD currentDpi);
    BOOL SaveSettings(DWORD currentDpi);

    // Settings and drive table, in this order (AppSettings).
    DWORD Flags = SettingsFlags::Default;
    CString DocumentsPath;
    CString PicturesPath;
    CString VideosPath;
    CRect MainRect{0, 0, 0, 0};
    DWORD Theme = AppTheme::Auto;
    DWORD DriveFlags = DriveFlags::Default;
    CStringArray LanguageNames;
    int CurrentLanguageIndex = -1;
    CString CurrentLanguage;
    CString LangFile;
    BOOL NoWelcome = FALSE;
    BOOL StartHidden = FALSE;
    CDriveEntry DriveTable[26];

    // --- start-up dispatch (LorvaneApp.cpp) ---
    // Carries out a parsed command line; returns after the chosen path ran.
    void DispatchCommandLine(const CCustomCommandLineInfo& cmdInfo);
    // Restores every saved drive (the logon start).
    void RestoreSavedDrives();

    // --- drive operation (DriveOperation.cpp) ---
    BOOL PerformDriveOperation(WCHAR letter, LPCWSTR path, LPCWSTR label, LPCWSTR icon, DWORD flags);

    // --- elevation task and hand-off (ElevationTask.cpp, HandOff.cpp) ---

    // --- reconciliation (DriveReconciliation.cpp) ---
    // Fills DriveTable[letter - 'A'] from the system and the saved entry, and
    // repairs the shell's label and icon of this program's own drive; true
    // when the letter is to be listed.
    BOOL RefreshDriveEntry(WCHAR letter);
    // Mounts the saved drives that wait for a target that now exists; true
    // when at least one was mounted.
    BOOL RetryWaitingDrives();

    // --- language files (LanguageFiles.cpp) ---
    // Rebuilds LanguageNames from "lang\*.xml" beside the executable and loads
    // the saved "LangFile"; dropOutdated drops an outdated file without asking.
    void LoadLanguage(BOOL dropOutdated);
    // Installs the language file of that name (without ".xml"), or the
    // built-in texts when it is missing, broken or outdated and not kept.
    void LoadLanguageFile(LPCWSTR name, BOOL dropOutdated);

protected:
    DECLARE_MESSAGE_MAP()

private:
    void LoadMainRect(HKEY key, DWORD currentDpi);
    void RunDriveCommand(const CCustomCommandLineInfo& cmdInfo);
    // Posts WM_ACTIVATE_INSTANCE to a running instance's main window; true
    // when one was found.
    bool ActivateRunningInstance();
    void RunMainWindow(bool startedAfterLanguageChange);
};

// The settings flags' default for this system: without the frame theme on
// Windows 11 and later.
DWORD GetDefaultSettingsFlags();

// The screen's DPI as stored in "DPI": vertical in the high 16 bits,
// horizontal in the low 16 bits.
DWORD GetSettingsDpiValue();

// The one application object (defined in LorvaneMain.cpp; a test program
// defines its own).
extern CLorvaneApp theApp;
