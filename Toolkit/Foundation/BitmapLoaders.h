// Turning files and resources into bitmaps: PNG, 32-bit bitmaps with alpha,
// plain bitmaps and (from files) whatever the OLE picture loader reads. Every
// loader returns a bitmap the caller owns, or null, and through pbAlpha
// whether the picture carries alpha.
#pragma once

#include "Framework.h"

BOOL AFX_CDECL IsPngFile(LPCWSTR lpszPath);
BOOL AFX_CDECL IsPngResource(HMODULE hModule, LPCWSTR lpszName);
BOOL AFX_CDECL IsAlphaBitmapFile(LPCWSTR lpszPath);
BOOL AFX_CDECL IsAlphaBitmapResource(HMODULE hModule, LPCWSTR lpszName);
// The icon's colour bitmap is 32-bit and some pixel has a non-zero alpha.
BOOL AFX_CDECL IsAlphaIcon(HICON hIcon);

HBITMAP AFX_CDECL LoadBitmapFromFile(LPCWSTR lpszPath, BOOL* pbAlpha);
HBITMAP AFX_CDECL LoadBitmapResource(HMODULE hModule, LPCWSTR lpszName, BOOL* pbAlpha);
HBITMAP AFX_CDECL LoadBitmapResourceFromModule(LPCWSTR lpszName, BOOL* pbAlpha);
// A 32-bit RT_BITMAP resource as a DIB section with its pixels as stored
// (not premultiplied); null for any other depth or a damaged resource.
HBITMAP AFX_CDECL LoadAlphaBitmapResource(HMODULE hModule, LPCWSTR lpszName);
HBITMAP AFX_CDECL LoadAlphaBitmapFromModule(UINT nID);
