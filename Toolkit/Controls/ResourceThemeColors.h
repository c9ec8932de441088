// The standard controls' view of the loaded resource theme (a theme INI with
// its images). The toolkit has no resource-theme loader yet: until one is
// added, no theme is ever loaded, so colour look-ups answer their defaults
// and the image-based themes draw nothing, as they do on a system with no
// theme loaded.
#pragma once

#include "Framework.h"

BOOL AFX_CDECL LVKIsResourceThemeLoaded();
COLORREF AFX_CDECL LVKResourceThemeColor(LPCWSTR lpszSection, LPCWSTR lpszKey, COLORREF clrDefault);
