// The painter of the emulated task dialog's expando ("details") button: a
// chevron on a small button face, the caption beside it.
#pragma once

#include "TaskButtonPainter.h"

class CLVKTaskButtonThemeExpando : public CLVKTaskButtonPainter
{
public:
    explicit CLVKTaskButtonThemeExpando(BOOL bThemed) : m_bThemed(bThemed) {}
    void DrawButton(HDC hDC, CLVKTaskDialogButton& button, const RECT& rc, UINT nState) override;
    // The glyph font character: 50 expanded, 51 collapsed.
    static WCHAR AFX_CDECL GetChevron(BOOL bExpanded) { return bExpanded ? 50 : 51; }

private:
    BOOL m_bThemed = FALSE;
};
