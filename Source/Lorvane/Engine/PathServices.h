#pragma once

#include "Framework.h"

// A copy of the path without one trailing backslash, only when the path is
// longer than two characters (C:\ becomes C:, a lone \\ stays).
CString StripTrailingBackslash(LPCWSTR path);

// The label the main window proposes for a target: the last path component,
// followed by "@" and the server name for a UNC path.
CString SuggestLabelFromPath(LPCWSTR path);

// The full path of the running executable.
CString GetModulePath();
// The executable's folder with its trailing backslash (empty when the path has none).
CString GetModuleFolder();
// The executable's path, a comma and the icon index: 1 for a network drive, 0 otherwise.
CString GetDefaultIconLocation(BOOL bNetwork);

// Whether a path is a network (UNC) path: two backslashes, a server name, a
// backslash and a share name (\\server\share...), also in its long form
// \\?\UNC\server\share. Neither "\\server" alone nor the device and
// long-path forms "\\.\..." and "\\?\C:\..." are. The one answer to the
// question for the whole engine: the drive operation, the start-up restore,
// the retry of waiting drives and the label suggestion. server receives the
// server name.
bool IsUncPath(LPCWSTR path, CString* server = nullptr);

// Whether the path names an existing folder (not a file).
bool IsExistingFolder(LPCWSTR path);
