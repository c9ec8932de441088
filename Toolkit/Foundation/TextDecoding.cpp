#include "Foundation/TextDecoding.h"

#include <cstring>

bool AFX_CDECL LVKCopyWideText(const BYTE* pBytes, DWORD nChars, LPWSTR pszBuffer, DWORD nCapacity, DWORD* pnCopied)
{
    DWORD nLength = 0;
    while (nLength < nChars)
    {
        wchar_t ch = 0;
        memcpy(&ch, pBytes + nLength * sizeof(wchar_t), sizeof(wchar_t));
        if (ch == 0)
            break;
        ++nLength;
    }
    if (nCapacity == 0 || nLength > nCapacity - 1)
        return false;
    memcpy(pszBuffer, pBytes, nLength * sizeof(wchar_t));
    *pnCopied = nLength;
    return true;
}

namespace
{

bool ConvertMultiByte(UINT nCodePage, const BYTE* pBytes, DWORD nBytes, LPWSTR pszBuffer, DWORD nCapacity,
                      DWORD* pnConverted)
{
    const DWORD nText = static_cast<DWORD>(strnlen(reinterpret_cast<const char*>(pBytes), nBytes));
    if (nText == 0)
    {
        *pnConverted = 0;
        return true;
    }
    if (nCapacity < 2)
        return false;
    const int n = ::MultiByteToWideChar(nCodePage, 0, reinterpret_cast<LPCSTR>(pBytes), static_cast<int>(nText),
                                        pszBuffer, static_cast<int>(nCapacity - 1));
    if (n <= 0)
        return false;
    *pnConverted = static_cast<DWORD>(n);
    return true;
}

}  // namespace

bool AFX_CDECL LVKDecodeTextBuffer(const BYTE* pBytes, DWORD nBytes, LPWSTR pszBuffer, DWORD* pnChars)
{
    if (!pBytes || !pszBuffer || !pnChars)
        return false;
    const DWORD nCapacity = *pnChars;
    if (nCapacity == 0)
        return false;
    DWORD nLength = 0;
    bool bDecoded = false;
    const bool bUtf16Mark = nBytes >= 2 && pBytes[0] == 0xFF && pBytes[1] == 0xFE;
    const bool bUtf8Mark = nBytes >= 3 && pBytes[0] == 0xEF && pBytes[1] == 0xBB && pBytes[2] == 0xBF;
    if (nBytes == 0)
    {
        bDecoded = true;
    }
    else if (bUtf16Mark)
    {
        // An odd last byte is half a character and is left out.
        bDecoded = LVKCopyWideText(pBytes + 2, (nBytes - 2) / 2, pszBuffer, nCapacity, &nLength);
    }
    else if (bUtf8Mark)
    {
        // A mark with nothing after it is an empty text, not three ANSI characters.
        bDecoded = ConvertMultiByte(CP_UTF8, pBytes + 3, nBytes - 3, pszBuffer, nCapacity, &nLength);
    }
    else if (nBytes >= 2 && ::IsTextUnicode(pBytes, static_cast<int>(nBytes), nullptr))
    {
        bDecoded = LVKCopyWideText(pBytes, nBytes / 2, pszBuffer, nCapacity, &nLength);
    }
    else
    {
        bDecoded = ConvertMultiByte(CP_ACP, pBytes, nBytes, pszBuffer, nCapacity, &nLength);
    }
    if (!bDecoded)
        return false;
    pszBuffer[nLength] = L'\0';
    *pnChars = nLength;
    return true;
}
