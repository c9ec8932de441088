#include "GraphicBitmapPng.h"

#include "AlphaBitmap.h"

#include <png.h>

#include <csetjmp>
#include <cstdlib>

namespace
{
// libpng reports its errors by a long jump back into ReadPng; nothing with a
// destructor lives between the setjmp and the libpng calls.
void OnPngError(png_structp pPng, png_const_charp)
{
    png_longjmp(pPng, 1);
}

// Exactly the requested bytes, or an error: a short stream is damage, and a
// framework exception must not cross libpng's C frames.
void ReadFromFile(png_structp pPng, png_bytep pData, size_t nLength)
{
    CFile* pFile = static_cast<CFile*>(png_get_io_ptr(pPng));
    UINT nRead = 0;
    try
    {
        nRead = pFile->Read(pData, static_cast<UINT>(nLength));
    }
    catch (CException* e)
    {
        e->Delete();
        nRead = 0;
    }
    if (nRead != nLength)
        png_error(pPng, "short read");
}

struct DecodeState
{
    png_structp pPng = nullptr;
    png_infop pInfo = nullptr;
    BYTE* pPixels = nullptr;
    png_bytepp pRows = nullptr;
};

// The transformations and the read; false on any error. Separate from ReadPng
// so that the only state touched after setjmp lives in the DecodeState.
bool Decode(DecodeState* s, CFile* pFile, UINT* pnWidth, UINT* pnHeight, UINT* pnChannels)
{
    if (setjmp(png_jmpbuf(s->pPng)))
        return false;

    png_set_read_fn(s->pPng, pFile, &ReadFromFile);
    png_set_sig_bytes(s->pPng, 8);
    // A header may claim any size: refuse the huge ones before libpng
    // allocates anything for them.
    png_set_user_limits(s->pPng, kMaxBitmapSide, kMaxBitmapSide);
    png_read_info(s->pPng, s->pInfo);

    png_uint_32 nWidth = 0, nHeight = 0;
    int nBitDepth = 0, nColorType = 0;
    png_get_IHDR(s->pPng, s->pInfo, &nWidth, &nHeight, &nBitDepth, &nColorType, nullptr, nullptr, nullptr);

    if (nBitDepth == 16)
        png_set_strip_16(s->pPng);
    if (nColorType == PNG_COLOR_TYPE_PALETTE)
        png_set_expand(s->pPng);
    if (nBitDepth < 8)
        png_set_expand(s->pPng);
    if (png_get_valid(s->pPng, s->pInfo, PNG_INFO_tRNS))
        png_set_expand(s->pPng);
    if (nColorType == PNG_COLOR_TYPE_GRAY || nColorType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(s->pPng);
    png_color_16p pBackground = nullptr;
    if (png_get_bKGD(s->pPng, s->pInfo, &pBackground))
        png_set_background(s->pPng, pBackground, PNG_BACKGROUND_GAMMA_FILE, 1, 1.0);
    double dGamma = 0.0;
    if (png_get_gAMA(s->pPng, s->pInfo, &dGamma))
        png_set_gamma(s->pPng, 2.2, dGamma);

    png_read_update_info(s->pPng, s->pInfo);
    png_get_IHDR(s->pPng, s->pInfo, &nWidth, &nHeight, &nBitDepth, &nColorType, nullptr, nullptr, nullptr);
    const size_t nRowBytes = png_get_rowbytes(s->pPng, s->pInfo);
    const UINT nChannels = png_get_channels(s->pPng, s->pInfo);
    if (nChannels != 3 && nChannels != 4)
        return false;
    // 64-bit: a row size times a height must never wrap into a small block.
    const unsigned long long nTotal = static_cast<unsigned long long>(nRowBytes) * nHeight;
    if (nTotal == 0 || nTotal > kMaxBitmapBytes || nRowBytes < static_cast<unsigned long long>(nWidth) * nChannels)
        return false;

    s->pPixels = static_cast<BYTE*>(std::malloc(static_cast<size_t>(nTotal)));
    s->pRows = static_cast<png_bytepp>(std::malloc(sizeof(png_bytep) * nHeight));
    if (!s->pPixels || !s->pRows)
        return false;
    for (png_uint_32 i = 0; i < nHeight; ++i)
        s->pRows[i] = s->pPixels + static_cast<size_t>(i) * nRowBytes;
    png_read_image(s->pPng, s->pRows);
    png_read_end(s->pPng, nullptr);

    *pnWidth = nWidth;
    *pnHeight = nHeight;
    *pnChannels = nChannels;
    return true;
}
}  // namespace

BOOL AFX_CDECL CLVKGraphicBitmapPng::ReadPng(CFile* pFile, BYTE** ppPixels, UINT* pnWidth, UINT* pnHeight,
                                             UINT* pnChannels)
{
    *ppPixels = nullptr;
    png_byte signature[8] = {};
    UINT nRead = 0;
    try
    {
        nRead = pFile->Read(signature, sizeof(signature));
    }
    catch (CException* e)
    {
        e->Delete();
        return FALSE;
    }
    if (nRead != sizeof(signature) || png_sig_cmp(signature, 0, sizeof(signature)) != 0)
        return FALSE;

    DecodeState state;
    state.pPng = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, &OnPngError, nullptr);
    if (state.pPng)
        state.pInfo = png_create_info_struct(state.pPng);
    if (!state.pPng || !state.pInfo)
    {
        png_destroy_read_struct(state.pPng ? &state.pPng : nullptr, nullptr, nullptr);
        return FALSE;
    }

    UINT nWidth = 0, nHeight = 0, nChannels = 0;
    const bool bDecoded = Decode(&state, pFile, &nWidth, &nHeight, &nChannels);
    png_destroy_read_struct(&state.pPng, &state.pInfo, nullptr);
    std::free(state.pRows);
    if (!bDecoded)
    {
        std::free(state.pPixels);
        return FALSE;
    }
    *ppPixels = state.pPixels;
    *pnWidth = nWidth;
    *pnHeight = nHeight;
    *pnChannels = nChannels;
    return TRUE;
}

HBITMAP AFX_CDECL CLVKGraphicBitmapPng::ConvertToBitmap(const BYTE* pPixels, UINT nWidth, UINT nHeight, UINT nChannels)
{
    if (!pPixels || !CheckedBitmapBytes(nWidth, nHeight) || (nChannels != 3 && nChannels != 4))
        return nullptr;
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = static_cast<LONG>(nWidth);
    bmi.bmiHeader.biHeight = -static_cast<LONG>(nHeight);
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (!hBitmap)
        return nullptr;
    BYTE* pTarget = static_cast<BYTE*>(pBits);
    const size_t nSourceRow = static_cast<size_t>(nWidth) * nChannels;
    for (UINT y = 0; y < nHeight; ++y)
    {
        const BYTE* pSource = pPixels + y * nSourceRow;
        for (UINT x = 0; x < nWidth; ++x, pSource += nChannels, pTarget += 4)
        {
            pTarget[0] = pSource[2];
            pTarget[1] = pSource[1];
            pTarget[2] = pSource[0];
            pTarget[3] = nChannels == 4 ? pSource[3] : 255;
        }
    }
    return hBitmap;
}

BOOL CLVKGraphicBitmapPng::LoadFromFile(LPCTSTR lpszFileName)
{
    CFile file;
    if (!file.Open(lpszFileName, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    return LoadFromStream(&file);
}

BOOL CLVKGraphicBitmapPng::LoadFromResource(HMODULE hModule, HRSRC hResource)
{
    if (!hResource)
        return FALSE;
    const DWORD nSize = ::SizeofResource(hModule, hResource);
    if (nSize <= 9)
        return FALSE;
    HGLOBAL hData = ::LoadResource(hModule, hResource);
    BYTE* pData = hData ? static_cast<BYTE*>(::LockResource(hData)) : nullptr;
    if (!pData)
        return FALSE;
    // Read-only: the memory file never writes into the module's image.
    CMemFile file(pData, nSize, 0);
    return LoadFromStream(&file);
}

BOOL CLVKGraphicBitmapPng::LoadFromStream(CFile* pFile)
{
    m_bAlpha = FALSE;
    DeleteObject();
    BYTE* pPixels = nullptr;
    UINT nWidth = 0, nHeight = 0, nChannels = 0;
    if (!ReadPng(pFile, &pPixels, &nWidth, &nHeight, &nChannels))
        return FALSE;
    HBITMAP hBitmap = ConvertToBitmap(pPixels, nWidth, nHeight, nChannels);
    std::free(pPixels);
    if (!hBitmap)
        return FALSE;
    m_bAlpha = nChannels == 4;
    Attach(hBitmap);
    return TRUE;
}
