#pragma once

#include "Framework.h"

// Bits of a drive's flags: in the saved "X(Flags)" value, in CDriveEntry, in a
// queued request and as the flags argument of the drive operation.
namespace DriveFlags
{
constexpr DWORD None = 0;
constexpr DWORD Local = 0x1;                 // mounted as a local DOS device
constexpr DWORD Network = 0x2;               // mounted as a network connection
constexpr DWORD NoSave = 0x4;                // the saved entry is not touched
constexpr DWORD Uac = 0x10;                  // also defined in the elevated session
constexpr DWORD RecycleBin = 0x20;           // own recycle bin
constexpr DWORD AutoRestore = 0x40;          // restored automatically
constexpr DWORD Waiting = 0x80;              // waiting for the target (only with Disabled)
constexpr DWORD Disabled = 0x80000000;       // not mounted
constexpr DWORD Default = Uac | RecycleBin;  // option toggles of a new drive
}  // namespace DriveFlags

// Bits of the settings value "Flags".
namespace SettingsFlags
{
constexpr DWORD ManageNetworkDrives = 0x4;
constexpr DWORD OnlyOwnDrives = 0x8;
constexpr DWORD OptionsPanelCollapsed = 0x10;
constexpr DWORD FrameTheme = 0x20;
constexpr DWORD BackgroundMode = 0x40;  // keep running with a tray icon
constexpr DWORD AlwaysOnTop = 0x80;
constexpr DWORD GroupByType = 0x100;
constexpr DWORD Valid = 0x80000000;    // marks a stored value as valid
constexpr DWORD Default = 0x80000130;  // FrameTheme is dropped on Windows 11
}  // namespace SettingsFlags

// Themes of the main window (the settings value "Theme").
namespace AppTheme
{
constexpr DWORD Auto = 0;
constexpr DWORD Light = 1;
constexpr DWORD Dark = 2;
constexpr DWORD Classic = 3;
}  // namespace AppTheme
