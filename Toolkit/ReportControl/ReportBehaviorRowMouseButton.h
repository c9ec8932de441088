// What one mouse button does at one moment (down or up): the row switches
// of its three modifier states and the button's own switches.
#pragma once

#include "ReportBehaviorRowModifier.h"

class CLVKReportBehaviorRowMouseButton : public CLVKCmdTarget
{
public:
    // nButton 1 left, 3 right; nEvent 0 down, 1 up.
    CLVKReportBehaviorRowMouseButton(int nButton, int nEvent) : m_nButton(nButton), m_nEvent(nEvent) {}

    void Reset();
    // Eight '0'/'1' characters in the order of the switches below.
    void SetFlags(const char* pszFlags);
    // Shift wins over Ctrl; neither gives the plain modifier.
    CLVKReportBehaviorRowModifier* GetModifier(BOOL bShift, BOOL bControl)
    {
        return bShift ? &Shift : bControl ? &Control : &None;
    }
    int GetButton() const { return m_nButton; }
    int GetEvent() const { return m_nEvent; }

    CLVKReportBehaviorRowModifier None;
    CLVKReportBehaviorRowModifier Control;
    CLVKReportBehaviorRowModifier Shift;
    BOOL bFocusColumn = FALSE;
    BOOL bEnsureVisible = FALSE;
    BOOL bClick = FALSE;
    BOOL bContextMenu = FALSE;
    BOOL bEditOnClick = FALSE;
    BOOL bBeginDrag = FALSE;
    BOOL bEndDrag = FALSE;
    BOOL bSpare = FALSE;

private:
    int m_nButton = 1;
    int m_nEvent = 0;
};
