// One picture of a resource theme, held as plain pixel memory (bottom-up
// rows, B G R A) and drawn through its owner's shared bitmap, whole, in
// stacked state parts, or stretched on a nine-grid with fixed margins.
#pragma once

#include "CmdTarget.h"

#include <memory>

class CLVKResourceImages;

class CLVKResourceImage : public CLVKCmdTarget
{
public:
    explicit CLVKResourceImage(CLVKResourceImages* pOwner);
    ~CLVKResourceImage() override;

    // From a PNG, 32-bit or plain bitmap resource of the module.
    BOOL LoadImage(HMODULE hModule, LPCWSTR lpszResourceName);
    // Copies the bitmap's pixels (the bitmap stays the caller's).
    BOOL SetBitmap(HBITMAP hBitmap, BOOL bAlpha);
    void Premultiply();
    void EnableMirroring(BOOL bEnable = TRUE) { m_bMirroringAllowed = bEnable; }
    void Mirror();

    CSize GetImageSize() const { return CSize(m_nWidth, m_nHeight); }
    BOOL IsAlphaImage() const { return m_bAlpha; }
    BOOL IsMirrored() const { return m_bMirrored; }
    // Part n of count equal parts stacked from the top; empty for no image
    // or no parts.
    CRect GetPartRect(int nPart, int nCount) const;
    // The pixel (x, y counted from the top), for tests and hit testing.
    DWORD GetPixel(int x, int y) const;

    void DrawWithMargins(CDC* pDC, const CRect& rcDest, const CRect& rcSrc, const CRect& rcMargins);
    void DrawStretched(CDC* pDC, const CRect& rcDest, const CRect& rcSrc);
    void DrawTransparent(CDC* pDC, const CRect& rcDest, const CRect& rcSrc, const CRect& rcMargins, COLORREF clrKey);
    void DrawTransparentAlpha(CDC* pDC, const CRect& rcDest, const CRect& rcSrc, const CRect& rcMargins,
                              COLORREF clrKey, DWORD dwFlags);
    // One piece from the owner's drawing DC (the shared bitmap selected).
    void DrawPart(CDC* pDC, const CRect& rcDest, const CRect& rcSrc);

private:
    void FreePixels();

    std::unique_ptr<BYTE[]> m_pPixels;
    BOOL m_bAlpha = FALSE;
    BOOL m_bPremultiplied = FALSE;
    BOOL m_bMirroringAllowed = FALSE;
    BOOL m_bMirrored = FALSE;
    int m_nWidth = 0;
    int m_nHeight = 0;
    CLVKResourceImages* m_pOwner;
};
