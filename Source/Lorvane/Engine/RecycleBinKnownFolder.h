#pragma once
// The per-drive recycle-bin known folder. This file and its source are
// compiled into both Lorvane.exe and LorvaneHelper32.exe, so they depend on
// nothing but the platform.

#include <windows.h>
#include <shobjidl.h>

// The known-folder id of a drive letter: a fixed GUID whose last byte is
// (upper-case letter - 0x74) modulo 256, so 'A' gives 0xCD and 'Z' 0xE6.
// Returns false for anything outside 'A' to 'Z' (either case).
bool RecycleBinKnownFolderId(wchar_t letter, KNOWNFOLDERID* id);

// Creates and initialises a registered folder's path; the shell does this
// with SHGetKnownFolderPath. Tests hand in their own.
using KnownFolderPathCreator = HRESULT (*)(REFKNOWNFOLDERID id);
HRESULT CreateKnownFolderPath(REFKNOWNFOLDERID id);

// Registers (enable) or unregisters the recycle-bin folder "X_Drive_Lorvane"
// with the relative path "X:\" under the given id. A matching registration is
// kept; one that differs (category, name, path or the no-redirect-UI flag) is
// replaced. With cleanUp, other ids whose relative path is the same root are
// removed. *changed tells whether anything was registered or unregistered.
// manager is the known-folder manager to use; null creates the system's.
HRESULT UpdateRecycleBinKnownFolder(wchar_t letter, REFKNOWNFOLDERID id, bool enable, bool noRedirectUI, bool cleanUp,
                                    bool* changed, IKnownFolderManager* manager = nullptr,
                                    KnownFolderPathCreator createPath = CreateKnownFolderPath);

// The main program's form: the id is the letter's own.
HRESULT UpdateRecycleBinKnownFolder(wchar_t letter, bool enable, bool noRedirectUI, bool cleanUp, bool* changed);
