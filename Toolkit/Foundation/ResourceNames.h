// Small helpers for naming and finding resources.
#pragma once

#include "Framework.h"

// The first type ("#n" for a numeric type, else its name) that holds a
// resource of the name in the module; empty when none does.
void AFX_CDECL LVKFindResourceType(CString& strType, HMODULE hModule, LPCTSTR lpszName);

// The resource type for a file name's extension (".png" -> "PNG", ".bmp" ->
// RT_BITMAP, ".ico" -> RT_ICON, ".htm" and ".html" -> RT_HTML, ".js" -> "JS",
// ".vbs" -> "VBS"), ignoring case; null when none matches or the name is no
// longer than its extension.
LPCTSTR AFX_CDECL LVKResourceTypeFromExtension(LPCTSTR lpszFileName);

// An integer resource's number, the n of "#n", else 0.
UINT AFX_CDECL LVKResourceIdFromName(LPCTSTR lpszName);

// The first language other than English (United States) among the module's
// resources (language-neutral entries skipped); 0x409 when only that occurs,
// 0 when no language occurs. A null module means the program itself.
LANGID AFX_CDECL LVKFindResourceLanguage(HMODULE hModule);
