// The control theme numbers of themed buttons and edits, the private
// message that switches a control to one of them, and the common base of the
// standard controls' theme objects.
#pragma once

#include "Framework.h"

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

// Carries the theme number of a button theme class (edit themes keep theirs
// in a field of their own and leave this 0).
class CLVKControlTheme
{
public:
    CLVKControlTheme() = default;
    virtual ~CLVKControlTheme() = default;

    int GetThemeNumber() const { return m_nThemeNumber; }

    CLVKControlTheme(const CLVKControlTheme&) = delete;
    CLVKControlTheme& operator=(const CLVKControlTheme&) = delete;

protected:
    int m_nThemeNumber = 0;
};
