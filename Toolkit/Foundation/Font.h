// A font holder: created through its create operations it shares one font of
// the process-wide font cache with every holder made from an equal
// description; a font attached to GetOwnFont is owned by the holder alone.
#pragma once

#include "GdiObject.h"

class CLVKFont : public CLVKGdiObject
{
public:
    CLVKFont() : CLVKGdiObject(&m_font) {}
    ~CLVKFont() override = default;

    BOOL CreateIndirect(const LOGFONTW* pLogFont);
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                    BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                    BYTE nQuality, BYTE nPitchAndFamily, LPCWSTR lpszFaceName);
    // Size in tenths of a point, converted on the DC (the screen when null).
    BOOL CreatePointFont(int nPointSize, LPCWSTR lpszFaceName, CDC* pDC = nullptr);

    // Reads the system only when the handle changed since the last read.
    int GetLogFont(LOGFONTW* pLogFont);

    CFont* GetFont() const { return static_cast<CFont*>(GetGdiObject()); }
    HFONT GetHandle() const { return static_cast<HFONT>(GetGdiObject()->GetSafeHandle()); }
    operator HFONT() const { return GetHandle(); }
    operator CFont*() const { return GetFont(); }
    CFont& GetOwnFont() { return m_font; }

private:
    CFont m_font;
    HGDIOBJ m_hDescribedHandle = nullptr;
    LOGFONTW m_logFont{};
};

// Makes the holder's font from a template, replacing each of weight,
// underline, orientation and escapement whose argument is not -1.
BOOL AFX_CDECL LVKCreateFontFromTemplate(const LOGFONTW& lfTemplate, CLVKFont& font, int nWeight = -1,
                                         int nUnderline = -1, int nOrientation = -1, int nEscapement = -1);
