// A bitmap decoded from PNG data by libpng: a 32-bit top-down DIB section,
// not premultiplied; three-channel pictures get alpha 255.
#pragma once

#include "Framework.h"

class CLVKGraphicBitmapPng : public CBitmap
{
public:
    CLVKGraphicBitmapPng() = default;
    ~CLVKGraphicBitmapPng() override = default;

    BOOL LoadFromFile(LPCTSTR lpszFileName);
    // hResource from FindResource of the module; 9 bytes or fewer fail.
    BOOL LoadFromResource(HMODULE hModule, HRSRC hResource);
    BOOL LoadFromStream(CFile* pFile);

    // 1 when the decoded picture kept an alpha channel.
    BOOL IsAlpha() const { return m_bAlpha; }

    // Decodes the stream into rows of width x channels bytes (channels 3 or
    // 4); the caller frees *ppPixels with free(). False on any damage, on a
    // short stream and on a picture too large to hold.
    static BOOL AFX_CDECL ReadPng(CFile* pFile, BYTE** ppPixels, UINT* pnWidth, UINT* pnHeight, UINT* pnChannels);
    static HBITMAP AFX_CDECL ConvertToBitmap(const BYTE* pPixels, UINT nWidth, UINT nHeight, UINT nChannels);

private:
    BOOL m_bAlpha = FALSE;
};
