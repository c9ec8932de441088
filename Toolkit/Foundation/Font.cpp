#include "Font.h"

#include "FontCache.h"

#include <cstdlib>

BOOL CLVKFont::CreateIndirect(const LOGFONTW* pLogFont)
{
    if (!pLogFont)
    {
        ReleaseObject();
        return FALSE;
    }
    SetReference(CLVKFontCache::GetGlobal()->GetFont(*pLogFont));
    return GetReference() != nullptr;
}

BOOL CLVKFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                          BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                          BYTE nQuality, BYTE nPitchAndFamily, LPCWSTR lpszFaceName)
{
    LOGFONTW logFont{};
    logFont.lfHeight = nHeight;
    logFont.lfWidth = nWidth;
    logFont.lfEscapement = nEscapement;
    logFont.lfOrientation = nOrientation;
    logFont.lfWeight = nWeight;
    logFont.lfItalic = bItalic;
    logFont.lfUnderline = bUnderline;
    logFont.lfStrikeOut = cStrikeOut;
    logFont.lfCharSet = nCharSet;
    logFont.lfOutPrecision = nOutPrecision;
    logFont.lfClipPrecision = nClipPrecision;
    logFont.lfQuality = nQuality;
    logFont.lfPitchAndFamily = nPitchAndFamily;
    if (lpszFaceName)
        lstrcpynW(logFont.lfFaceName, lpszFaceName, LF_FACESIZE);
    return CreateIndirect(&logFont);
}

BOOL CLVKFont::CreatePointFont(int nPointSize, LPCWSTR lpszFaceName, CDC* pDC)
{
    LOGFONTW logFont{};
    logFont.lfHeight = nPointSize;
    logFont.lfCharSet = DEFAULT_CHARSET;
    if (lpszFaceName)
        lstrcpynW(logFont.lfFaceName, lpszFaceName, LF_FACESIZE);

    const HDC hScreenDC = pDC ? nullptr : ::GetDC(nullptr);
    const HDC hDC = pDC ? (pDC->m_hAttribDC ? pDC->m_hAttribDC : pDC->m_hDC) : hScreenDC;
    POINT points[2] = {{0, ::GetDeviceCaps(hDC, LOGPIXELSY) * nPointSize / 720}, {0, 0}};
    ::DPtoLP(hDC, points, 2);
    logFont.lfHeight = -std::abs(points[0].y - points[1].y);
    if (hScreenDC)
        ::ReleaseDC(nullptr, hScreenDC);
    return CreateIndirect(&logFont);
}

int CLVKFont::GetLogFont(LOGFONTW* pLogFont)
{
    const HGDIOBJ hFont = GetHandle();
    if (hFont && hFont == m_hDescribedHandle)
    {
        if (!pLogFont)
            return 0;
        *pLogFont = m_logFont;
        return sizeof(LOGFONTW);
    }
    const int nResult = ::GetObjectW(hFont, sizeof(LOGFONTW), pLogFont);
    if (nResult && pLogFont)
    {
        m_hDescribedHandle = hFont;
        m_logFont = *pLogFont;
    }
    return nResult;
}

BOOL AFX_CDECL LVKCreateFontFromTemplate(const LOGFONTW& lfTemplate, CLVKFont& font, int nWeight, int nUnderline,
                                         int nOrientation, int nEscapement)
{
    if (font.GetHandle())
        font.ReleaseObject();
    LOGFONTW logFont = lfTemplate;
    if (nWeight != -1)
        logFont.lfWeight = nWeight;
    if (static_cast<BYTE>(nUnderline) != 0xFF)
        logFont.lfUnderline = static_cast<BYTE>(nUnderline);
    if (nOrientation != -1)
        logFont.lfOrientation = nOrientation;
    if (nEscapement != -1)
        logFont.lfEscapement = nEscapement;
    return font.CreateIndirect(&logFont);
}
