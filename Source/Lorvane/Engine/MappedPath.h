// Paths on network drive letters in UNC form, and the system's texts of
// error codes, for the drive operation.
#pragma once

#include "Framework.h"

// The remote path of a network drive letter (\\server\share), or empty when
// the letter is no network drive or its target cannot be read.
CString QueryNetworkDriveTarget(WCHAR letter);

// The remote path in a redirector's DOS-device target of the form
// \Device\LanmanRedirector\;Z:<logon id>\server\share, or empty when the
// target does not have that form.
CString RemotePathFromRedirectorTarget(LPCWSTR target);

// A path on a network drive letter (Z:\docs) with the letter replaced by the
// drive's remote path (\\fs1\share\docs); every other path unchanged.
CString ResolveMappedPath(LPCWSTR path);

// The system's text for an error code without its trailing line break, or
// "Unknown error 0x..." when the system has none.
CString GetSystemErrorText(DWORD error);
