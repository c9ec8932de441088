// The toolkit's drawing utilities: two-colour gradients (msimg32's
// GradientFill when it is there, else one-pixel bands), colour mixing and HLS
// conversion, triangles, lines and framed rectangles, rounded-corner
// clipping, font helpers, right-to-left layout and mnemonic stripping.
#pragma once

#include "Framework.h"

class CLVKPaintManagerColorGradient;

class CLVKDrawHelpers
{
public:
    typedef BOOL(WINAPI* PFNALPHABLEND)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
    typedef BOOL(WINAPI* PFNTRANSPARENTBLT)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);
    typedef BOOL(WINAPI* PFNGRADIENTFILL)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

    static CLVKDrawHelpers* AFX_CDECL GetGlobal();

    // Loads msimg32 (kept loaded) and binds its entry points.
    CLVKDrawHelpers();
    virtual ~CLVKDrawHelpers() = default;

    PFNALPHABLEND GetAlphaBlend() const { return m_pfnAlphaBlend; }
    PFNTRANSPARENTBLT GetTransparentBlt() const { return m_pfnTransparentBlt; }

    // Gradients and colours.
    static void AFX_CDECL FillGradientRect(CDC* pDC, LPCRECT lpRect, COLORREF clrFrom, COLORREF clrTo,
                                           BOOL bHorizontal);
    static void AFX_CDECL FillGradientClipped(CDC* pDC, LPCRECT lpRect, COLORREF clrFrom, COLORREF clrTo,
                                              BOOL bHorizontal, LPCRECT lpClipRect);
    static void AFX_CDECL FillGradientColor(CDC* pDC, LPCRECT lpRect, const CLVKPaintManagerColorGradient& grc,
                                            BOOL bHorizontal, LPCRECT lpClipRect = nullptr);
    static BOOL AFX_CDECL FillGradientWithApi(CDC* pDC, LPCRECT lpRect, COLORREF clrFrom, COLORREF clrTo,
                                              BOOL bHorizontal);
    static void AFX_CDECL FillGradientBands(CDC* pDC, LPCRECT lpRect, COLORREF clrFrom, COLORREF clrTo,
                                            BOOL bHorizontal);
    // 0 when msimg32's GradientFill is missing.
    BOOL GradientFill(HDC hDC, PTRIVERTEX pVertices, ULONG nVertices, PVOID pMesh, ULONG nMeshes, ULONG nMode);
    BOOL HasGradientFill() const { return m_pfnGradientFill != nullptr; }

    // Each channel first x r + second x (1 - r), truncated, at most 255.
    static COLORREF AFX_CDECL MixColors(COLORREF clrFirst, COLORREF clrSecond, double dRatio);
    // Packed HLS: hue 0..239 in bits 0-7, saturation 0..240 in bits 8-15,
    // luminance 0..240 in bits 16-23.
    static DWORD AFX_CDECL RgbToHls(COLORREF clr);
    static COLORREF AFX_CDECL HlsToRgb(DWORD dwHls);
    static int AFX_CDECL HueToRgb(int m1, int m2, int h);
    static BOOL AFX_CDECL IsLowColorDC(HDC hDC);

    // Shapes and lines.
    static void AFX_CDECL DrawTriangle(CDC* pDC, POINT pt0, POINT pt1, POINT pt2, COLORREF clrPen,
                                       COLORREF clrFill = static_cast<COLORREF>(-1));
    static void AFX_CDECL DrawSmallTriangle(CDC* pDC, int x, int y, BOOL bCorner, COLORREF clrPen,
                                            COLORREF clrFill = static_cast<COLORREF>(-1));
    static BOOL AFX_CDECL DrawLine(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF clr);
    static void AFX_CDECL DrawFramedRect(CDC* pDC, LPCRECT lpRect, COLORREF clrFrame, COLORREF clrFill);
    static void AFX_CDECL ExcludeCorners(CDC* pDC, LPCRECT lpRect, BOOL bTopOnly = FALSE);

    // Fonts and text.
    static BOOL AFX_CDECL GetIconTitleLogFont(LOGFONTW* pLogFont);
    static CString AFX_CDECL GetDefaultFontFaceName(BOOL bPreferTahoma = FALSE);
    static BOOL AFX_CDECL FontExists(LPCWSTR lpszFaceName);
    static int AFX_CDECL DrawTextInFace(CDC* pDC, LPCWSTR lpszFaceName, int nPointSize, LPCWSTR lpszText, int nLength,
                                        LPRECT lpRect, UINT nFormat, COLORREF clrText, COLORREF clrBack);
    // The largest lfHeight at which the text fits the rectangle; 0 when
    // nothing fits.
    static int AFX_CDECL FindFittingFontHeight(CDC* pDC, LPCWSTR lpszText, int nLength, LPCRECT lpRect, CFont* pFont);
    static int AFX_CDECL EstimateFittingFontHeight(SIZE szBox, SIZE szText);
    static int AFX_CDECL DrawTextWithFont(CDC* pDC, CFont* pFont, LPCWSTR lpszText, int nLength, LPRECT lpRect,
                                          UINT nFormat, COLORREF clrText, COLORREF clrBack);
    // "&x" becomes "x", "&&" becomes "&", a final "&" goes.
    static void AFX_CDECL StripMnemonics(CString& str);

    // Right-to-left layout (GDI entry points bound on first use).
    static DWORD AFX_CDECL GetLayout(HDC hDC);
    static DWORD AFX_CDECL GetLayoutOfDC(CDC* pDC);
    static BOOL AFX_CDECL IsLayoutRTL(HDC hDC);
    static BOOL AFX_CDECL IsLayoutRTLOfDC(CDC* pDC);
    static void AFX_CDECL SetLayout(HDC hDC, BOOL bRTL);
    static void AFX_CDECL SetLayoutOfDC(CDC* pDC, BOOL bRTL);

    CLVKDrawHelpers(const CLVKDrawHelpers&) = delete;
    CLVKDrawHelpers& operator=(const CLVKDrawHelpers&) = delete;

private:
    HMODULE m_hMsImg32 = nullptr;
    PFNALPHABLEND m_pfnAlphaBlend = nullptr;
    PFNTRANSPARENTBLT m_pfnTransparentBlt = nullptr;
    PFNGRADIENTFILL m_pfnGradientFill = nullptr;
};

void AFX_CDECL LVKStripMnemonicsInBuffer(LPWSTR lpszText);
// A rectangle whose width and height have the same parity, so that a square
// glyph centred in it stays symmetric.
RECT AFX_CDECL LVKMatchRectParity(int nLeft, int nTop, int nRight, int nBottom);
