// Keeps the fonts that painters make while they draw, so that the next paint
// finds them again instead of creating them anew: the process-wide font cache
// shares a font only while somebody holds it, and a painter's font holder
// goes when its paint ends. Also remembers the fitted heights that painters
// find by measuring (each measurement creates fonts of its own).
#pragma once

#include "Framework.h"
#include "Foundation/Font.h"

#include <map>
#include <memory>
#include <string>
#include <unordered_map>

class CLVKFontKeeper
{
public:
    static CLVKFontKeeper* AFX_CDECL GetGlobal();

    CLVKFontKeeper();
    ~CLVKFontKeeper();

    // The kept font of the description, made on first use; null when it
    // cannot be made or the keeper is full (the caller then makes a font of
    // its own for the moment).
    CFont* GetFont(const LOGFONTW& logFont);
    // CLVKDrawHelpers::FindFittingFontHeight, remembered per font
    // description, text, rectangle size and device resolution.
    int GetFittingHeight(CDC* pDC, LPCWSTR lpszText, int nLength, LPCRECT lpRect, CFont* pFont);

    size_t GetFontCount();

    // Bounds against painters that ask for ever new sizes.
    static const size_t kMaxFonts = 256;
    static const size_t kMaxHeights = 4096;

    CLVKFontKeeper(const CLVKFontKeeper&) = delete;
    CLVKFontKeeper& operator=(const CLVKFontKeeper&) = delete;

private:
    CRITICAL_SECTION m_cs;
    std::map<std::wstring, std::unique_ptr<CLVKFont>> m_fonts;
    std::unordered_map<std::wstring, int> m_heights;
};
