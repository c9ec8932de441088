// A font of the command-bar paint manager that either follows the system (a
// standard font, made again from the system's fonts at every refresh) or was
// set by the application (a custom font, which refreshes leave alone).
#pragma once

#include "Framework.h"

class CLVKPaintManagerFont : public CFont
{
public:
    CLVKPaintManagerFont() = default;

    // Replaces the font by the record unless the font is custom and already
    // made; nothing for a null record.
    void SetStandardFont(const LOGFONTW* pLogFont);
    // A record makes the font custom and replaces it; null makes it standard
    // again (the next refresh replaces it).
    void SetCustomFont(const LOGFONTW* pLogFont);
    // FALSE returns the font to the standard one at the next refresh.
    void SetCustomFont(BOOL bCustomFont) { m_bStandardFont = !bCustomFont; }

    BOOL IsStandardFont() const { return m_bStandardFont; }

private:
    void Replace(const LOGFONTW* pLogFont);

    BOOL m_bStandardFont = TRUE;
};
