// The toolkit's glyph font: the small symbols the themes draw (arrows, check
// marks, pins, crosses) are characters of a private TrueType font that the
// program carries as a font resource. The font is added to the process on the
// first draw and each glyph is drawn at the largest size that fits its
// rectangle. Which character draws which symbol is the caller's business.
#pragma once

#include "Framework.h"
#include "Foundation/Font.h"

#include <map>
#include <utility>

class CLVKGlyphFont
{
public:
    // The font resource (type RT_FONT) and the face name it carries.
    static const UINT kFontResourceId = 9979;
    static constexpr LPCWSTR kFaceName = L"Veltrine";

    static CLVKGlyphFont* AFX_CDECL GetGlobal();

    // Looks up the memory-font entry points; loads nothing yet.
    CLVKGlyphFont();
    ~CLVKGlyphFont();

    // Draws one character centred in the rectangle at the largest size that
    // fits. Filled with the text colour (and the background colour when it is
    // not -1), or, with bOutline, stroked with the pen given (which stays the
    // caller's) or a one-pixel pen at 96 DPI in the text colour (-1: the DC's).
    void DrawGlyph(CDC* pDC, WCHAR chGlyph, LPCRECT lpRect, COLORREF clrText,
                   COLORREF clrBack = static_cast<COLORREF>(-1), BOOL bOutline = FALSE, CPen* pPen = nullptr);

    // The glyph font at its default height, loading it first; null when it
    // could not be made.
    CFont* GetFont();
    // Whether the font resource was added to the process.
    BOOL IsMemoryFontAdded() const { return m_hMemoryFont != nullptr; }

    CLVKGlyphFont(const CLVKGlyphFont&) = delete;
    CLVKGlyphFont& operator=(const CLVKGlyphFont&) = delete;

private:
    typedef HANDLE(WINAPI* PFNADDFONTMEMRESOURCEEX)(PVOID, DWORD, PVOID, DWORD*);
    typedef BOOL(WINAPI* PFNREMOVEFONTMEMRESOURCEEX)(HANDLE);

    void EnsureFont();
    void AddFontResourceToProcess();
    // The outline pen of the colour and width, kept for later paints; null
    // when it cannot be made or too many are kept.
    HPEN GetOutlinePen(COLORREF clrStroke, int nWidth);

    static const size_t kMaxOutlinePens = 32;
    std::map<std::pair<COLORREF, int>, HPEN> m_outlinePens;

    CRITICAL_SECTION m_lock{};
    CLVKFont m_font;
    LOGFONTW m_logFont{};
    HANDLE m_hMemoryFont = nullptr;
    volatile BOOL m_bLoaded = FALSE;
    PFNADDFONTMEMRESOURCEEX m_pfnAddFontMemResourceEx = nullptr;
    PFNREMOVEFONTMEMRESOURCEEX m_pfnRemoveFontMemResourceEx = nullptr;
};
