// The control theme numbers of themed buttons and edits, and the private
// message that switches a control to one of them.
#pragma once

// wParam: a ControlThemeId; lParam unused. Themed buttons and edits call
// their SetTheme with it and answer 0. Windows broadcast it to every
// descendant to switch the look of a whole dialog.
#define WM_APPLY_CONTROL_THEME 0x274B

enum ControlThemeId
{
    lvkControlThemeDefault = 0,
    lvkControlThemeFlat = 1,
    lvkControlThemeUltraFlat = 2,
    lvkControlThemeOffice2000 = 3,
    lvkControlThemeOfficeXP = 4,
    lvkControlThemeOffice2003 = 5,
    lvkControlThemeClassic = 6,
    lvkControlThemeResource = 7,
    lvkControlThemeVisualStudio2010 = 10,
    lvkControlThemeOffice2013 = 12,
    lvkControlThemeVisualStudio2012 = 13,
    lvkControlThemeVisualStudio2012Light = 14,
    lvkControlThemeVisualStudio2012Dark = 15,
    lvkControlThemeVisualStudio2015 = 16
};
