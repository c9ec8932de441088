// CCommandBarCmdUI: the command-UI state object that a bar's idle update
// hands to ON_UPDATE_COMMAND_UI handlers for each of its controls.
#pragma once

#include "Framework.h"

class CLVKControl;

class CCommandBarCmdUI : public CCmdUI
{
public:
    // A control bound to an action follows the action when enabled (-1) and
    // is switched off (0) otherwise. Disabling a control whose check this
    // update has not set also clears its check.
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetRadio(BOOL bOn = TRUE) override { SetCheck(bOn ? 1 : 0); }
    void SetText(LPCTSTR lpszText) override;

    CLVKControl* m_pControl = nullptr;
    BOOL m_bCheckChanged = FALSE;
};
