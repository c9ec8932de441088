#include "Controls/ResourceThemeColors.h"

BOOL AFX_CDECL LVKIsResourceThemeLoaded()
{
    return FALSE;
}

COLORREF AFX_CDECL LVKResourceThemeColor(LPCWSTR, LPCWSTR, COLORREF clrDefault)
{
    return clrDefault;
}
