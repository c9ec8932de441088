#include "Markup/MarkupValueConverters.h"

#include "Markup/MarkupBuilder.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupDependencyProperty.h"
#include "Markup/MarkupEnum.h"
#include "Markup/MarkupInt.h"
#include "Markup/MarkupString.h"

#include <cwctype>

namespace
{

struct NamedColor
{
    LPCWSTR lpszName;
    DWORD nRGB;  // 0xRRGGBB as written
};

// The extended colour keywords with the spelling "gray".
const NamedColor kNamedColors[] = {
    {L"AliceBlue", 0xF0F8FF},
    {L"AntiqueWhite", 0xFAEBD7},
    {L"Aqua", 0x00FFFF},
    {L"Aquamarine", 0x7FFFD4},
    {L"Azure", 0xF0FFFF},
    {L"Beige", 0xF5F5DC},
    {L"Bisque", 0xFFE4C4},
    {L"Black", 0x000000},
    {L"BlanchedAlmond", 0xFFEBCD},
    {L"Blue", 0x0000FF},
    {L"BlueViolet", 0x8A2BE2},
    {L"Brown", 0xA52A2A},
    {L"BurlyWood", 0xDEB887},
    {L"CadetBlue", 0x5F9EA0},
    {L"Chartreuse", 0x7FFF00},
    {L"Chocolate", 0xD2691E},
    {L"Coral", 0xFF7F50},
    {L"CornflowerBlue", 0x6495ED},
    {L"Cornsilk", 0xFFF8DC},
    {L"Crimson", 0xDC143C},
    {L"Cyan", 0x00FFFF},
    {L"DarkBlue", 0x00008B},
    {L"DarkCyan", 0x008B8B},
    {L"DarkGoldenrod", 0xB8860B},
    {L"DarkGray", 0xA9A9A9},
    {L"DarkGreen", 0x006400},
    {L"DarkKhaki", 0xBDB76B},
    {L"DarkMagenta", 0x8B008B},
    {L"DarkOliveGreen", 0x556B2F},
    {L"DarkOrange", 0xFF8C00},
    {L"DarkOrchid", 0x9932CC},
    {L"DarkRed", 0x8B0000},
    {L"DarkSalmon", 0xE9967A},
    {L"DarkSeaGreen", 0x8FBC8F},
    {L"DarkSlateBlue", 0x483D8B},
    {L"DarkSlateGray", 0x2F4F4F},
    {L"DarkTurquoise", 0x00CED1},
    {L"DarkViolet", 0x9400D3},
    {L"DeepPink", 0xFF1493},
    {L"DeepSkyBlue", 0x00BFFF},
    {L"DimGray", 0x696969},
    {L"DodgerBlue", 0x1E90FF},
    {L"FireBrick", 0xB22222},
    {L"FloralWhite", 0xFFFAF0},
    {L"ForestGreen", 0x228B22},
    {L"Fuchsia", 0xFF00FF},
    {L"Gainsboro", 0xDCDCDC},
    {L"GhostWhite", 0xF8F8FF},
    {L"Gold", 0xFFD700},
    {L"Goldenrod", 0xDAA520},
    {L"Gray", 0x808080},
    {L"Green", 0x008000},
    {L"GreenYellow", 0xADFF2F},
    {L"Honeydew", 0xF0FFF0},
    {L"HotPink", 0xFF69B4},
    {L"IndianRed", 0xCD5C5C},
    {L"Indigo", 0x4B0082},
    {L"Ivory", 0xFFFFF0},
    {L"Khaki", 0xF0E68C},
    {L"Lavender", 0xE6E6FA},
    {L"LavenderBlush", 0xFFF0F5},
    {L"LawnGreen", 0x7CFC00},
    {L"LemonChiffon", 0xFFFACD},
    {L"LightBlue", 0xADD8E6},
    {L"LightCoral", 0xF08080},
    {L"LightCyan", 0xE0FFFF},
    {L"LightGoldenrodYellow", 0xFAFAD2},
    {L"LightGray", 0xD3D3D3},
    {L"LightGreen", 0x90EE90},
    {L"LightPink", 0xFFB6C1},
    {L"LightSalmon", 0xFFA07A},
    {L"LightSeaGreen", 0x20B2AA},
    {L"LightSkyBlue", 0x87CEFA},
    {L"LightSlateGray", 0x778899},
    {L"LightSteelBlue", 0xB0C4DE},
    {L"LightYellow", 0xFFFFE0},
    {L"Lime", 0x00FF00},
    {L"LimeGreen", 0x32CD32},
    {L"Linen", 0xFAF0E6},
    {L"Magenta", 0xFF00FF},
    {L"Maroon", 0x800000},
    {L"MediumAquamarine", 0x66CDAA},
    {L"MediumBlue", 0x0000CD},
    {L"MediumOrchid", 0xBA55D3},
    {L"MediumPurple", 0x9370DB},
    {L"MediumSeaGreen", 0x3CB371},
    {L"MediumSlateBlue", 0x7B68EE},
    {L"MediumSpringGreen", 0x00FA9A},
    {L"MediumTurquoise", 0x48D1CC},
    {L"MediumVioletRed", 0xC71585},
    {L"MidnightBlue", 0x191970},
    {L"MintCream", 0xF5FFFA},
    {L"MistyRose", 0xFFE4E1},
    {L"Moccasin", 0xFFE4B5},
    {L"NavajoWhite", 0xFFDEAD},
    {L"Navy", 0x000080},
    {L"OldLace", 0xFDF5E6},
    {L"Olive", 0x808000},
    {L"OliveDrab", 0x6B8E23},
    {L"Orange", 0xFFA500},
    {L"OrangeRed", 0xFF4500},
    {L"Orchid", 0xDA70D6},
    {L"PaleGoldenrod", 0xEEE8AA},
    {L"PaleGreen", 0x98FB98},
    {L"PaleTurquoise", 0xAFEEEE},
    {L"PaleVioletRed", 0xDB7093},
    {L"PapayaWhip", 0xFFEFD5},
    {L"PeachPuff", 0xFFDAB9},
    {L"Peru", 0xCD853F},
    {L"Pink", 0xFFC0CB},
    {L"Plum", 0xDDA0DD},
    {L"PowderBlue", 0xB0E0E6},
    {L"Purple", 0x800080},
    {L"Red", 0xFF0000},
    {L"RosyBrown", 0xBC8F8F},
    {L"RoyalBlue", 0x4169E1},
    {L"SaddleBrown", 0x8B4513},
    {L"Salmon", 0xFA8072},
    {L"SandyBrown", 0xF4A460},
    {L"SeaGreen", 0x2E8B57},
    {L"SeaShell", 0xFFF5EE},
    {L"Sienna", 0xA0522D},
    {L"Silver", 0xC0C0C0},
    {L"SkyBlue", 0x87CEEB},
    {L"SlateBlue", 0x6A5ACD},
    {L"SlateGray", 0x708090},
    {L"Snow", 0xFFFAFA},
    {L"SpringGreen", 0x00FF7F},
    {L"SteelBlue", 0x4682B4},
    {L"Tan", 0xD2B48C},
    {L"Teal", 0x008080},
    {L"Thistle", 0xD8BFD8},
    {L"Tomato", 0xFF6347},
    {L"Turquoise", 0x40E0D0},
    {L"Violet", 0xEE82EE},
    {L"Wheat", 0xF5DEB3},
    {L"White", 0xFFFFFF},
    {L"WhiteSmoke", 0xF5F5F5},
    {L"Yellow", 0xFFFF00},
    {L"YellowGreen", 0x9ACD32},
};

BOOL IsHexDigit(wchar_t ch)
{
    return (ch >= L'0' && ch <= L'9') || (ch >= L'a' && ch <= L'f') || (ch >= L'A' && ch <= L'F');
}

int HexValue(wchar_t ch)
{
    if (ch <= L'9')
    {
        return ch - L'0';
    }
    return (ch | 0x20) - L'a' + 10;
}

int ClampLength(long long n)
{
    if (n > kMarkupLargeLength)
    {
        return kMarkupLargeLength;
    }
    if (n < -kMarkupLargeLength)
    {
        return -kMarkupLargeLength;
    }
    return static_cast<int>(n);
}

CLVKMarkupObject* WordToEnum(const MarkupWord* pWords, int nCount, CLVKMarkupObject* pValue)
{
    auto* const pString = MarkupCast<CLVKMarkupString>(pValue);
    int nResult = 0;
    if (!pString || !MarkupFindWord(pWords, nCount, pString->GetText(), nResult))
    {
        return nullptr;
    }
    return new CLVKMarkupEnum(nResult);
}

}  // namespace

BOOL AFX_CDECL MarkupParseDecimal(LPCWSTR lpszText, wchar_t nSeparator, BOOL bWhole, double& dResult, int* pnConsumed)
{
    if (!lpszText)
    {
        return FALSE;
    }
    const wchar_t* p = lpszText;
    while (*p == L' ')
    {
        ++p;
    }
    BOOL bNegative = FALSE;
    if (*p == L'-' || *p == L'+')
    {
        bNegative = *p == L'-';
        ++p;
    }
    if (!*p)
    {
        return FALSE;
    }
    double dValue = 0;
    double dScale = 0;
    int nRead = 0;
    for (; *p && *p != L' ' && !(nSeparator && *p == nSeparator); ++p)
    {
        if (*p >= L'0' && *p <= L'9')
        {
            if (dScale == 0)
            {
                dValue = dValue * 10 + (*p - L'0');
            }
            else
            {
                dValue += (*p - L'0') * dScale;
                dScale /= 10;
            }
        }
        else if (*p == L'.' && dScale == 0)
        {
            dScale = 0.1;
        }
        else
        {
            return FALSE;
        }
        ++nRead;
    }
    if (nRead == 0)
    {
        return FALSE;
    }
    if (*p == L' ')
    {
        while (*p == L' ')
        {
            ++p;
        }
        if (nSeparator && *p == nSeparator)
        {
            ++p;
        }
    }
    else if (nSeparator && *p == nSeparator)
    {
        ++p;
    }
    while (*p == L' ')
    {
        ++p;
    }
    if (bWhole && *p)
    {
        return FALSE;
    }
    dResult = bNegative ? -dValue : dValue;
    if (pnConsumed)
    {
        *pnConsumed = static_cast<int>(p - lpszText);
    }
    return TRUE;
}

BOOL AFX_CDECL MarkupParseColor(LPCWSTR lpszText, DWORD& nColor)
{
    if (!lpszText || !*lpszText)
    {
        return FALSE;
    }
    if (lpszText[0] == L'#')
    {
        // Exactly 6 or 8 hexadecimal digits: a scanf-style reader would take
        // "#12345z" or "#1 2 3" as well.
        const size_t nLength = wcslen(lpszText);
        if (nLength != 7 && nLength != 9)
        {
            return FALSE;
        }
        for (size_t i = 1; i < nLength; ++i)
        {
            if (!IsHexDigit(lpszText[i]))
            {
                return FALSE;
            }
        }
        int bytes[4] = {0xFF, 0, 0, 0};
        const int nFirst = nLength == 9 ? 0 : 1;
        for (int i = nFirst, k = 1; i < 4; ++i, k += 2)
        {
            bytes[i] = HexValue(lpszText[k]) * 16 + HexValue(lpszText[k + 1]);
        }
        nColor = (static_cast<DWORD>(bytes[0]) << 24) | (bytes[3] << 16) | (bytes[2] << 8) | bytes[1];
        return TRUE;
    }
    if (!((lpszText[0] >= L'a' && lpszText[0] <= L'z') || (lpszText[0] >= L'A' && lpszText[0] <= L'Z')))
    {
        return FALSE;
    }
    if (_wcsicmp(lpszText, L"TRANSPARENT") == 0)
    {
        nColor = 0x00FFFFFF;
        return TRUE;
    }
    for (const NamedColor& named : kNamedColors)
    {
        if (_wcsicmp(named.lpszName, lpszText) == 0)
        {
            const DWORD r = (named.nRGB >> 16) & 0xFF, g = (named.nRGB >> 8) & 0xFF, b = named.nRGB & 0xFF;
            nColor = 0xFF000000u | (b << 16) | (g << 8) | r;
            return TRUE;
        }
    }
    return FALSE;
}

int AFX_CDECL MarkupParseLength(LPCWSTR lpszText)
{
    if (!lpszText)
    {
        return 0;
    }
    if (_wcsicmp(lpszText, L"Auto") == 0)
    {
        return kMarkupInfiniteLength;
    }
    // _wtoi's reading, on 64 bits so that a long number saturates instead of
    // wrapping.
    const wchar_t* p = lpszText;
    while (iswspace(*p))
    {
        ++p;
    }
    BOOL bNegative = FALSE;
    if (*p == L'-' || *p == L'+')
    {
        bNegative = *p == L'-';
        ++p;
    }
    long long n = 0;
    for (; *p >= L'0' && *p <= L'9'; ++p)
    {
        if (n < 0x100000000LL)
        {
            n = n * 10 + (*p - L'0');
        }
    }
    if (bNegative)
    {
        n = -n;
    }
    if (n == 0)
    {
        return 0;
    }
    const size_t nLength = wcslen(lpszText);
    if (nLength > 2)
    {
        const LPCWSTR lpszUnit = lpszText + nLength - 2;
        if (_wcsicmp(lpszUnit, L"pt") == 0)
        {
            return ClampLength((n * 96 + (n >= 0 ? 36 : -36)) / 72);  // MulDiv's rounding
        }
        if (_wcsicmp(lpszUnit, L"in") == 0)
        {
            return ClampLength(n * 96);
        }
        if (_wcsicmp(lpszUnit, L"cm") == 0)
        {
            return ClampLength(static_cast<long long>(static_cast<double>(n) * 37.79528));
        }
        if (_wcsicmp(lpszUnit, L"mm") == 0)
        {
            return ClampLength(static_cast<long long>(static_cast<double>(n) * 3.779528));
        }
    }
    return ClampLength(n);
}

BOOL AFX_CDECL MarkupFindWord(const MarkupWord* pWords, int nCount, LPCWSTR lpszText, int& nValue)
{
    if (!lpszText)
    {
        return FALSE;
    }
    for (int i = 0; i < nCount; ++i)
    {
        if (_wcsicmp(pWords[i].lpszWord, lpszText) == 0)
        {
            nValue = pWords[i].nValue;
            return TRUE;
        }
    }
    return FALSE;
}

int AFX_CDECL MarkupScaleByFlags(CLVKMarkupContext* pContext, CLVKMarkupDependencyProperty* pProperty, int n)
{
    if (!pContext || !pProperty)
    {
        return n;
    }
    if (pProperty->GetFlags() & MarkupPropertyScaleX)
    {
        return pContext->ScaleX(n);
    }
    if (pProperty->GetFlags() & MarkupPropertyScaleY)
    {
        return pContext->ScaleY(n);
    }
    return n;
}

double AFX_CDECL MarkupScaleByFlags(CLVKMarkupContext* pContext, CLVKMarkupDependencyProperty* pProperty, double d)
{
    if (!pContext || !pProperty)
    {
        return d;
    }
    if (pProperty->GetFlags() & MarkupPropertyScaleX)
    {
        return pContext->ScaleX(d);
    }
    if (pProperty->GetFlags() & MarkupPropertyScaleY)
    {
        return pContext->ScaleY(d);
    }
    return d;
}

CLVKMarkupObject* AFX_CDECL MarkupLengthConverter(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pValue,
                                                  CLVKMarkupDependencyProperty* pProperty)
{
    auto* const pString = MarkupCast<CLVKMarkupString>(pValue);
    if (!pString)
    {
        return nullptr;
    }
    const int n = MarkupParseLength(pString->GetText());
    if (n == kMarkupInfiniteLength || n == 0)
    {
        return new CLVKMarkupInt(n);
    }
    return new CLVKMarkupInt(MarkupScaleByFlags(pBuilder ? pBuilder->GetContext() : nullptr, pProperty, n));
}

#define LVK_WORD_CONVERTER(Name, ...)                                                                             \
    CLVKMarkupObject* AFX_CDECL Name(CLVKMarkupBuilder*, CLVKMarkupObject* pValue, CLVKMarkupDependencyProperty*) \
    {                                                                                                             \
        static const MarkupWord words[] = {__VA_ARGS__};                                                          \
        return WordToEnum(words, static_cast<int>(sizeof(words) / sizeof(words[0])), pValue);                     \
    }

LVK_WORD_CONVERTER(MarkupHorizontalAlignmentConverter, {L"Left", 0}, {L"Center", 1}, {L"Right", 2}, {L"Stretch", 3})
LVK_WORD_CONVERTER(MarkupVerticalAlignmentConverter, {L"Top", 0}, {L"Center", 1}, {L"Bottom", 2}, {L"Stretch", 3})
LVK_WORD_CONVERTER(MarkupVisibilityConverter, {L"Visible", 0}, {L"Hidden", 1}, {L"Collapsed", 2})
LVK_WORD_CONVERTER(MarkupOrientationConverter, {L"Horizontal", 0}, {L"Vertical", 1})
LVK_WORD_CONVERTER(MarkupTextAlignmentConverter, {L"Left", 0}, {L"Right", 1}, {L"Center", 2}, {L"Justify", 3})
LVK_WORD_CONVERTER(MarkupTextWrappingConverter, {L"NoWrap", 0}, {L"Wrap", 1}, {L"WrapWithOverflow", 2})
LVK_WORD_CONVERTER(MarkupFontStyleConverter, {L"Normal", 0}, {L"Italic", 1})
LVK_WORD_CONVERTER(MarkupFontWeightConverter, {L"Thin", 100}, {L"ExtraLight", 200}, {L"Light", 300}, {L"Normal", 400},
                   {L"Regular", 400}, {L"Medium", 500}, {L"SemiBold", 600}, {L"DemiBold", 600}, {L"Bold", 700},
                   {L"ExtraBold", 800}, {L"UltraBold", 800}, {L"Black", 900}, {L"Heavy", 900}, {L"ExtraBlack", 950})

CLVKMarkupObject* AFX_CDECL MarkupCursorConverter(CLVKMarkupBuilder*, CLVKMarkupObject* pValue,
                                                  CLVKMarkupDependencyProperty*)
{
    static const MarkupWord words[] = {
        {L"None", 0},        {L"Arrow", 32512},    {L"IBeam", 32513},    {L"Wait", 32514},       {L"Cross", 32515},
        {L"UpArrow", 32516}, {L"SizeNWSE", 32642}, {L"SizeNESW", 32643}, {L"SizeWE", 32644},     {L"SizeNS", 32645},
        {L"SizeAll", 32646}, {L"No", 32648},       {L"Hand", 32649},     {L"AppStarting", 32650}};
    auto* const pString = MarkupCast<CLVKMarkupString>(pValue);
    int nValue = 0;
    if (!pString ||
        !MarkupFindWord(words, static_cast<int>(sizeof(words) / sizeof(words[0])), pString->GetText(), nValue))
    {
        return nullptr;
    }
    return new CLVKMarkupInt(nValue);
}
