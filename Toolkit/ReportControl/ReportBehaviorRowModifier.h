// What a click does to the row for one modifier state (none, Ctrl, Shift).
#pragma once

#include "ReportDefines.h"

class CLVKReportBehaviorRowModifier : public CLVKCmdTarget
{
public:
    void Reset() { SetFlags("0000000"); }
    // Seven '0'/'1' characters in the order of the members below.
    void SetFlags(const char* pszFlags);

    BOOL bFocusRow = FALSE;
    BOOL bFocusRowTemporarily = FALSE;
    BOOL bSelectRow = FALSE;
    BOOL bSpare = FALSE;
    BOOL bSelectWithModifiers = FALSE;
    BOOL bKeepSelectedSelection = FALSE;
    BOOL bKeepSelectedFocus = FALSE;
};
