// The name the controls use for making a font from a template with some of
// its values replaced.
#pragma once

#include "Font.h"

// Releases the holder's font and makes one from a copy of the template in
// which weight, underline, orientation and escapement are replaced where the
// argument is not -1; TRUE on success.
inline BOOL CreateFontWithOverrides(const LOGFONTW& lfTemplate, CLVKFont& font, int nWeight = -1, int nUnderline = -1,
                                    int nOrientation = -1, int nEscapement = -1)
{
    return LVKCreateFontFromTemplate(lfTemplate, font, nWeight, nUnderline, nOrientation, nEscapement);
}
