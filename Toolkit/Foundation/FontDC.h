// Selects a font (and optionally a text colour) into a DC for the life of
// the scope and puts back what was there before, whatever the exit path.
#pragma once

#include "Framework.h"

class CLVKFont;

class CLVKFontDC
{
public:
    CLVKFontDC(CDC* pDC, CFont* pFont);
    CLVKFontDC(CDC* pDC, CFont* pFont, COLORREF clrTextColor);
    CLVKFontDC(CDC* pDC, CLVKFont* pFont);
    CLVKFontDC(CDC* pDC, CLVKFont* pFont, COLORREF clrTextColor);
    virtual ~CLVKFontDC();

    // The font from before the scope stays the one restored, however often
    // the font is changed.
    void SetFont(CFont* pFont);
    void SetFont(CLVKFont* pFont);
    // The first colour replaced is the one restored.
    void SetColor(COLORREF clrTextColor);

    void RestoreFont();
    void RestoreColor();

    CLVKFontDC(const CLVKFontDC&) = delete;
    CLVKFontDC& operator=(const CLVKFontDC&) = delete;

private:
    CDC* m_pDC = nullptr;
    // Kept as a handle: a temporary framework object for it could be freed
    // by the framework's idle clean-up while the scope still lives.
    HGDIOBJ m_hOldFont = nullptr;
    COLORREF m_clrOldTextColor = static_cast<COLORREF>(-1);
};
