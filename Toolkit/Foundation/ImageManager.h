// The keeper of command pictures. This part holds the blending services the
// icons, the atlas and the theme images draw through: composing premultiplied
// 32-bit pictures, constant opacity, greying and duotone recolouring of a
// screen area, and transparent-colour blits.
#pragma once

#include "CmdTarget.h"

class CLVKImageManager : public CLVKCmdTarget
{
public:
    static CLVKImageManager* AFX_CDECL GetGlobal();

    CLVKImageManager() = default;

    // Premultiplied source over the destination: the system's AlphaBlend, or
    // the software blend where that cannot serve.
    BOOL AlphaBlendImage(CDC* pDestDC, const RECT& rcDest, CDC* pSrcDC, const RECT& rcSrc);
    BOOL BlendConstantAlpha(CDC* pDestDC, const RECT& rcDest, CDC* pSrcDC, const RECT& rcSrc, BYTE nOpacity);
    BOOL SoftwareAlphaBlend(CDC* pDestDC, int x, int y, int cx, int cy, CDC* pSrcDC, int xSrc, int ySrc, int cxSrc,
                            int cySrc);

    // Recolours the area through a 32-bit copy; level 0-255 lightens.
    BOOL GrayOutRect(CDC* pDC, const RECT& rc, int nLevel);
    BOOL DuotoneRect(CDC* pDC, const RECT& rc, COLORREF clrLight, COLORREF clrDark);
    // On a 32-bit bitmap's stored values; alpha is left as it is.
    static BOOL AFX_CDECL GrayOutBits(HBITMAP hBitmap, COLORREF clrLight, COLORREF clrDark, int nLevel);

    BOOL TransparentBlt(CDC* pDestDC, const RECT& rcDest, CDC* pSrcDC, const RECT& rcSrc, COLORREF clrTransparent);
};

// Output B, G, R = S + D x (255 - S.A) / 255 per pixel (S from the source,
// D from the destination, each read mirrored when asked); the output's alpha
// is not written. All three must be 32-bit DIB sections of one size.
BOOL AFX_CDECL BlendPremultipliedPixels(HBITMAP hSource, BOOL bSourceMirrored, HBITMAP hDest, BOOL bDestMirrored,
                                        HBITMAP hOutput);

// A 32-bit bitmap drawn with the global manager's blend; a source size of
// 0 x 0 means the destination's.
BOOL AFX_CDECL DrawAlphaBitmapSection(CDC* pDC, HBITMAP hBitmap, int x, int y, int cx, int cy, int xSrc, int ySrc,
                                      int cxSrc, int cySrc);

// An icon drawn through a 32-bit buffer, so that its real alpha reaches the
// DC; a negative width draws it mirrored.
BOOL AFX_CDECL DrawIconWithAlpha(CDC* pDC, int x, int y, int cx, int cy, HICON hIcon);

BOOL AFX_CDECL TransparentBltFallback(CDC* pDestDC, int x, int y, int cx, int cy, CDC* pSrcDC, int xSrc, int ySrc,
                                      int cxSrc, int cySrc, COLORREF clrTransparent);
