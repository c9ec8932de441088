#include "LorvaneApp.h"

#include "CommandLineInfo.h"
#include "DriveLabels.h"
#include "DriveRegistry.h"
#include "ElevationTask.h"
#include "EngineText.h"
#include "HandOff.h"
#include "MainWindowServices.h"
#include "MappedPath.h"
#include "PathServices.h"
#include "RecycleBinPolicy.h"
#include "resource.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/SystemVersion.h"

#include <shlobj.h>

namespace
{
// The user's known folder, or empty when the shell cannot give it.
CString GetKnownFolderPath(REFKNOWNFOLDERID id)
{
    PWSTR path = nullptr;
    CString result;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path)))
        result = path;
    CoTaskMemFree(path);
    return result;
}

}  // namespace

BEGIN_MESSAGE_MAP(CLorvaneApp, CLVKWinApp)
END_MESSAGE_MAP()

DWORD GetDefaultSettingsFlags()
{
    const bool win11 = CLVKSystemVersion::GetGlobal()->IsWin11OrGreater() != FALSE;
    return win11 ? (SettingsFlags::Default & ~SettingsFlags::FrameTheme) : SettingsFlags::Default;
}

DWORD GetSettingsDpiValue()
{
    CLVKDpiScaling* const dpi = CLVKDpiScaling::GetGlobal();
    return (static_cast<DWORD>(dpi->GetDpiY()) << 16) | (static_cast<DWORD>(dpi->GetDpiX()) & 0xFFFF);
}

CLorvaneApp::CLorvaneApp()
{
    DocumentsPath = GetKnownFolderPath(FOLDERID_Documents);
    PicturesPath = GetKnownFolderPath(FOLDERID_Pictures);
    VideosPath = GetKnownFolderPath(FOLDERID_Videos);
}

CLorvaneApp::~CLorvaneApp() = default;

BOOL CLorvaneApp::LoadSettings()
{
    return LoadSettings(IsAdministratorsMember() != FALSE, GetSettingsDpiValue());
}

BOOL CLorvaneApp::LoadSettings(bool administratorsMember, DWORD currentDpi)
{
    const DWORD defaultFlags = GetDefaultSettingsFlags();
    const UniqueRegKey key = OpenUserKey(kLorvaneRegistryKey, KEY_READ, false);

    Flags = defaultFlags;
    if (key && !ReadRegistryDword(key.get(), L"Flags", Flags))
        Flags = defaultFlags;

    // Stored values count only under a valid "Flags"; otherwise all of them are dropped.
    const bool readStored = key && (Flags & SettingsFlags::Valid);
    if (!(Flags & SettingsFlags::Valid))
        Flags = defaultFlags;
    Theme = AppTheme::Auto;
    DriveFlags = DriveFlags::Default;
    if (readStored)
    {
        if (!ReadRegistryDword(key.get(), L"Theme", Theme))
            Theme = AppTheme::Auto;
        if (!ReadRegistryDword(key.get(), L"DriveFlags", DriveFlags))
            DriveFlags = DriveFlags::Default;
    }

    // Only an administrator can define drives in the elevated session or
    // change the machine's recycle-bin policy.
    if (!administratorsMember)
        DriveFlags &= ~(DriveFlags::Uac | DriveFlags::RecycleBin);

    MainRect.SetRectEmpty();
    if (readStored)
        LoadMainRect(key.get(), currentDpi);
    return TRUE;
}

void CLorvaneApp::LoadMainRect(HKEY key, DWORD currentDpi)
{
    DWORD width = 0, height = 0;
    const bool hasSize =
        ReadRegistryDword(key, L"MainWidth_v6", width) && ReadRegistryDword(key, L"MainHeight_v6", height);
    DWORD left = 0, top = 0;
    const bool hasPosition =
        ReadRegistryDword(key, L"MainPosX_v6", left) && ReadRegistryDword(key, L"MainPosY_v6", top);
    // Neither gives no rectangle; a position alone gives a rectangle without
    // a size, where the window opens with its default size.
    if (!hasSize && !hasPosition)
        return;

    if (hasSize)
        MainRect.SetRect(0, 0, static_cast<int>(width), static_cast<int>(height));
    if (hasPosition)
    {
        MainRect.OffsetRect(static_cast<int>(left), static_cast<int>(top));
    }
    else
    {
        MainRect.OffsetRect((GetSystemMetrics(SM_CXSCREEN) - MainRect.Width()) / 2,
                            (GetSystemMetrics(SM_CYSCREEN) - MainRect.Height()) / 2);
    }

    // A rectangle saved at another DPI would come out at the wrong size.
    DWORD savedDpi = 0;
    if (!ReadRegistryDword(key, L"DPI", savedDpi) || savedDpi != currentDpi)
        MainRect.SetRectEmpty();
}

BOOL CLorvaneApp::SaveSettings()
{
    return SaveSettings(GetSettingsDpiValue());
}

BOOL CLorvaneApp::SaveSettings(DWORD currentDpi)
{
    const UniqueRegKey key = OpenUserKey(kLorvaneRegistryKey, KEY_WRITE, true);
    if (!key)
        return FALSE;

    const auto writeDword = [&key](LPCWSTR name, DWORD value)
    { RegSetValueExW(key.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)); };
    writeDword(L"Flags", Flags);
    writeDword(L"Theme", Theme);
    writeDword(L"DriveFlags", DriveFlags);
    writeDword(L"MainPosX_v6", static_cast<DWORD>(MainRect.left));
    writeDword(L"MainPosY_v6", static_cast<DWORD>(MainRect.top));
    writeDword(L"MainWidth_v6", static_cast<DWORD>(MainRect.Width()));
    writeDword(L"MainHeight_v6", static_cast<DWORD>(MainRect.Height()));
    writeDword(L"DPI", currentDpi);
    const LPCWSTR langFile = LangFile;
    RegSetValueExW(key.get(), L"LangFile", 0, REG_SZ, reinterpret_cast<const BYTE*>(langFile),
                   static_cast<DWORD>((wcslen(langFile) + 1) * sizeof(WCHAR)));
    return TRUE;
}

BOOL CLorvaneApp::InitInstance()
{
    free(const_cast<LPWSTR>(m_pszAppName));
    m_pszAppName = _wcsdup(L"Lorvane");
    // Message boxes take their title from the module's copy of the name.
    AfxGetModuleState()->m_lpszCurrentAppName = m_pszAppName;

    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                     ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS | ICC_HOTKEY_CLASS | ICC_ANIMATE_CLASS;
    InitCommonControlsEx(&controls);

    CLVKWinApp::InitInstance();
    CoInitialize(nullptr);

    LoadSettings();

    CCustomCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    cmdInfo.FinishParse();

    // Before any text is shown. An outdated language file is asked about only
    // right after the user chose it (the restart with UPDATELANG).
    LoadLanguage(!cmdInfo.HasFlag(CommandLineFlags::UpdateLang));

    DispatchCommandLine(cmdInfo);
    return FALSE;
}

int CLorvaneApp::ExitInstance()
{
    CoUninitialize();
    return CLVKWinApp::ExitInstance();
}

void CLorvaneApp::DispatchCommandLine(const CCustomCommandLineInfo& cmdInfo)
{
    if (cmdInfo.HasFlag(CommandLineFlags::Usage))
    {
        ShowEngineMessage(GetCommandLineUsageText(), MB_ICONINFORMATION);
        return;
    }
    if (cmdInfo.HasFlag(CommandLineFlags::RegTask))
    {
        if (cmdInfo.HasFlag(CommandLineFlags::Uac2) || IsProcessElevated())
        {
            if (FAILED(RegisterElevationTask()))
                ShowEngineMessage(LoadEngineText(IDS_REGISTER_TASK_FAILED));
        }
        else
        {
            // Not waited for; a declined prompt is not reported.
            StartElevatedProgram(GetModulePath(), L"/REGTASK /UAC2");
        }
        return;
    }
    if (cmdInfo.HasFlag(CommandLineFlags::UnregTask))
    {
        if (cmdInfo.HasFlag(CommandLineFlags::Uac2) || IsProcessElevated())
        {
            if (FAILED(DeleteElevationTask()))
                ShowEngineMessage(LoadEngineText(IDS_UNREGISTER_TASK_FAILED));
        }
        else
        {
            StartElevatedProgram(GetModulePath(), L"/UNREGTASK /UAC2");
        }
        return;
    }
    if (cmdInfo.HasFlag(CommandLineFlags::UacTask))
    {
        RunElevationTaskInstance();
        return;
    }
    if (cmdInfo.HasFlag(CommandLineFlags::FixLabel))
    {
        if (cmdInfo.m_chLetter)
            FixVolumeLabel(cmdInfo.m_chLetter);
        return;
    }
    if (cmdInfo.m_chLetter)
    {
        RunDriveCommand(cmdInfo);
        return;
    }
    if (cmdInfo.HasFlag(CommandLineFlags::Startup))
    {
        RestoreSavedDrives();
        if (!(Flags & SettingsFlags::BackgroundMode))
            return;
        NoWelcome = TRUE;
        StartHidden = TRUE;
    }
    if (!cmdInfo.HasFlag(CommandLineFlags::NoCheckRun) && ActivateRunningInstance())
        return;
    if (cmdInfo.HasFlag(CommandLineFlags::NoWelcome))
        NoWelcome = TRUE;
    RunMainWindow(cmdInfo.HasFlag(CommandLineFlags::UpdateLang));
}

void CLorvaneApp::RunDriveCommand(const CCustomCommandLineInfo& cmdInfo)
{
    DWORD flags = 0;
    if (cmdInfo.HasFlag(CommandLineFlags::RecycleBin))
        flags |= DriveFlags::RecycleBin;
    if (cmdInfo.HasFlag(CommandLineFlags::NoSave))
        flags |= DriveFlags::NoSave;

    if (cmdInfo.HasFlag(CommandLineFlags::Delete))
    {
        PerformDriveOperation(cmdInfo.m_chLetter, nullptr, nullptr, nullptr, flags);
        return;
    }
    if (cmdInfo.HasFlag(CommandLineFlags::NoCreate))
    {
        SetDriveRecycleBin(cmdInfo.m_chLetter, cmdInfo.HasFlag(CommandLineFlags::RecycleBin),
                           IsProcessElevated() != FALSE);
        return;
    }
    // An empty path is passed on as it is: the drive operation refuses it
    // with its own message.
    PerformDriveOperation(cmdInfo.m_chLetter, cmdInfo.m_strPath, cmdInfo.m_strLabel,
                          cmdInfo.m_bIconGiven ? static_cast<LPCWSTR>(cmdInfo.m_strIcon) : nullptr, flags);
}

void CLorvaneApp::RestoreSavedDrives()
{
    const CRecycleBinPolicyBatchScope policyBatch;
    for (WCHAR letter = L'A'; letter <= L'Z'; ++letter)
    {
        CString path, label, icon;
        DWORD flags = 0;
        if (!LoadDriveEntry(letter, path, label, icon, flags))
            continue;

        const CString target = StripTrailingBackslash(ResolveMappedPath(path));
        const bool isUnc = IsUncPath(target);
        if (!(Flags & SettingsFlags::ManageNetworkDrives) && isUnc)
            continue;

        // A drive that waits for its target is mounted again once the target is back.
        const DWORD waitingAutoRestore = DriveFlags::Disabled | DriveFlags::Waiting | DriveFlags::AutoRestore;
        if ((flags & waitingAutoRestore) == waitingAutoRestore)
        {
            if (isUnc || IsExistingFolder(target))
                flags &= ~(DriveFlags::Disabled | DriveFlags::Waiting);
        }
        PerformDriveOperation(letter, path, label, icon, flags);
    }
}

bool CLorvaneApp::ActivateRunningInstance()
{
    const HWND marker = FindWindowExW(nullptr, nullptr, kMarkerWindowClassName, kMarkerWindowTitle);
    if (!marker)
        return false;
    const HWND owner = GetWindow(marker, GW_OWNER);
    if (!owner)
        return false;
    PostMessageW(owner, WM_ACTIVATE_INSTANCE, 0, 0);
    return true;
}

void CLorvaneApp::RunMainWindow(bool startedAfterLanguageChange)
{
    CMainWindowServices* const window = CMainWindowServices::Current();
    if (!window)
        return;
    // The user chose another language: start again so that every text is reloaded.
    if (window->RunMainWindow(startedAfterLanguageChange) == IDOK)
        ShellExecuteW(nullptr, L"open", GetModulePath(), L"/UPDATELANG", nullptr, SW_SHOWNORMAL);
}
