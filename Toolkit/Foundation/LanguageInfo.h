// The built-in table of the languages the toolkit knows: each language's code
// page (for turning wide text into 8-bit text), names and font charset.
#pragma once

#include "Framework.h"

struct LVK_LANGUAGE_INFO
{
    LANGID wLanguage;
    UINT nCodePage;  // 0: the system's ANSI code page
    LPCWSTR lpszEncoding;
    LPCWSTR lpszEnglishName;
    LPCWSTR lpszLanguageSymbol;  // the Windows LANG_ constant's name
    LPCWSTR lpszSublanguageSymbol;
    BYTE nFontCharset;
};

// The first record with the language id, or null.
const LVK_LANGUAGE_INFO* LVKGetLanguageInfo(LANGID wLanguage);

// The whole table, in its order.
const LVK_LANGUAGE_INFO* LVKGetLanguageTable(int* pnCount);
