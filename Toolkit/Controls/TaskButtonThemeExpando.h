// The button theme of the emulated task dialog's expando ("details")
// button: a chevron on a small button face, the caption beside it.
#pragma once

#include "Controls/ButtonTheme.h"

class CLVKTaskButtonThemeExpando : public CLVKButtonTheme
{
public:
    CLVKTaskButtonThemeExpando();
    void DrawButton(CDC* pDC, CLVKButton* pButton) override;
    // The glyph font character: 50 expanded, 51 collapsed.
    static WCHAR AFX_CDECL GetChevron(BOOL bExpanded) { return bExpanded ? 50 : 51; }
};
