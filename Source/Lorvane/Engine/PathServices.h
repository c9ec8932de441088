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

// True for a path of the form \\server\... with a non-empty server name;
// server receives the server name.
bool IsUncPath(LPCWSTR path, CString* server = nullptr);
