// Routines over 32-bit DIB sections (one plane, BI_RGB, bytes B, G, R, A):
// creation, reading the pixels, duplication, premultiplication, mirroring
// and cutting a strip into cells. Every bitmap returned belongs to the caller.
#pragma once

#include "Framework.h"

// A bottom-up 32-bit DIB section (positive height) and its pixel memory;
// null on failure. hDC may be null.
HBITMAP AFX_CDECL CreateDibSection32(HDC hDC, int nWidth, int nHeight, BYTE** ppBits);

// Reads the header and all rows of a 32-bit bitmap. On success the caller
// frees *ppHeader (a 40-byte header and three colour masks) and *ppBits with
// free(). False for a bitmap of another depth or a size that cannot be held.
BOOL AFX_CDECL GetBitmapBits32(HDC hDC, HBITMAP hBitmap, BITMAPINFO** ppHeader, BYTE** ppBits, UINT* pnSize);

// A new DIB section with the same pixels; null unless the bitmap is 32-bit.
HBITMAP AFX_CDECL DuplicateDibSection(HBITMAP hBitmap, BYTE** ppBits = nullptr);

// A new DIB section whose B, G and R are multiplied by A / 255. *pbAlpha
// (set to -1 by callers) becomes 1 when some pixel has a non-zero alpha.
HBITMAP AFX_CDECL PremultiplyBitmap(HBITMAP hBitmap, BOOL* pbAlpha = nullptr, BYTE** ppBits = nullptr);

// A new DIB section with every row reversed, for right-to-left layouts.
HBITMAP AFX_CDECL CreateMirroredAlphaBitmap(HBITMAP hBitmap);

// Cuts a 32-bit strip into n DIB sections of equal width, left to right.
// False (and nothing in the array) when the strip cannot be read or split.
BOOL AFX_CDECL SplitAlphaStrip(HBITMAP hBitmap, int nCount, HBITMAP* pBitmaps);

COLORREF AFX_CDECL GetBitmapPixel(HBITMAP hBitmap, int x, int y);

// The largest picture the loaders accept: both sides and the pixel memory
// are bounded before anything is allocated.
enum
{
    kMaxBitmapSide = 0x4000,
};
constexpr unsigned long long kMaxBitmapBytes = 256ull * 1024 * 1024;
// Width x height x 4 in 64-bit arithmetic, or 0 when either side is not
// positive or the result is above kMaxBitmapBytes.
unsigned long long AFX_CDECL CheckedBitmapBytes(long long nWidth, long long nHeight);
