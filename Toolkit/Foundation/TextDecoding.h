// Bytes of a text file to wide text, by their byte-order mark.
#pragma once

#include "Framework.h"

// UTF-16LE after FF FE, UTF-8 after EF BB BF, UTF-16LE without a mark when
// the system recognises it, else the ANSI code page. *pnChars: the buffer's
// capacity in, the text's length out (without the terminator). False for
// null arguments, text that does not fit, or text that does not convert.
bool AFX_CDECL LVKDecodeTextBuffer(const BYTE* pBytes, DWORD nBytes, LPWSTR pszBuffer, DWORD* pnChars);
// Copies nChars characters from unaligned bytes, up to the first zero; false
// when they do not fit in nCapacity - 1.
bool AFX_CDECL LVKCopyWideText(const BYTE* pBytes, DWORD nChars, LPWSTR pszBuffer, DWORD nCapacity, DWORD* pnCopied);
