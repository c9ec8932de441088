// Finds the newest rich-edit window class the system offers.
#pragma once

#include "Framework.h"

enum LVKRichEditSearch
{
    richEditSearchIndexOnly = 0,    // only the entry at the index
    richEditSearchDownToIndex = 1,  // from the newest class down to the index
    richEditSearchAll = 2,          // from the newest class down to the oldest
};

// Tries the classes "RichEdit10W" (riched32.dll) to "RichEdit70W"
// (msftedit.dll) as the mode says. On success the index names the class found,
// the class record is copied out (when wanted) with the DLL as its instance,
// and 1 is returned; else 0. Returns 0 at once when bSkip is set. Each DLL is
// loaded at most once per process and never freed.
int LVKFindRichEditClass(BOOL bSkip, int nMode, int& nIndex, WNDCLASSW* pClass);

// The class name of entry nIndex (0 to 8), or null.
LPCWSTR LVKGetRichEditClassName(int nIndex);
