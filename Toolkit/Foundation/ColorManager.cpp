#include "ColorManager.h"

#include "SingletonPointer.h"
#include "WinThemeWrapper.h"

#include <algorithm>
#include <cmath>

namespace
{

const COLORREF kNoColor = static_cast<COLORREF>(-1);

// The weighted colour space: the ranges of red, green and blue.
const double kRangeR = 195.0;
const double kRangeG = 390.0;
const double kRangeB = 65.0;

struct WeightedColor
{
    double r;
    double g;
    double b;
};

WeightedColor ToWeighted(COLORREF clr)
{
    return {GetRValue(clr) * kRangeR / 255.0, GetGValue(clr) * kRangeG / 255.0, GetBValue(clr) * kRangeB / 255.0};
}

int ToChannel(double dValue, double dRange)
{
    dValue = std::min(std::max(dValue, 0.0), dRange);
    const int n = static_cast<int>(dValue * 255.0 / dRange + 0.5);
    return std::min(std::max(n, 0), 255);
}

COLORREF FromWeighted(const WeightedColor& c)
{
    return RGB(ToChannel(c.r, kRangeR), ToChannel(c.g, kRangeG), ToChannel(c.b, kRangeB));
}

WeightedColor Mirror(const WeightedColor& c)
{
    return {kRangeR - c.r, kRangeG - c.g, kRangeB - c.b};
}

double Dot(const WeightedColor& a, const WeightedColor& b)
{
    return a.r * b.r + a.g * b.g + a.b * b.b;
}

int MaxChannel(COLORREF clr)
{
    return std::max({GetRValue(clr), GetGValue(clr), GetBValue(clr)});
}

void AFX_CDECL DestroyColorManager(void* pObject)
{
    static_cast<CLVKColorManager*>(pObject)->~CLVKColorManager();
}

}  // namespace

CLVKColorManager* AFX_CDECL CLVKColorManager::GetGlobal()
{
    static CLVKSingletonPointer holder(sizeof(CLVKColorManager), &LVKConstructSingleton<CLVKColorManager>,
                                       &DestroyColorManager);
    return static_cast<CLVKColorManager*>(holder.ObtainObject());
}

CLVKColorManager::CLVKColorManager(BOOL bCompute)
{
    std::fill(std::begin(m_custom), std::end(m_custom), kNoColor);
    m_gradients[7].SetStandardColors(0x8CD5FF, 0x55ADFF, 0.5f);
    m_gradients[8].SetStandardColors(0x4B8EFE, 0x8BCFFF, 0.5f);
    m_gradients[9].SetStandardColors(0xC8F2FF, 0x97D4FF, 0.5f);
    if (bCompute)
        RecomputeColors(TRUE);
}

COLORREF CLVKColorManager::GetColor(int nIndex) const
{
    if (nIndex < 0)
        return 0x7FFFFFFF;
    if (nIndex >= kColorCount)
        return static_cast<COLORREF>(nIndex);
    return m_custom[nIndex] != kNoColor ? m_custom[nIndex] : m_computed[nIndex];
}

void CLVKColorManager::SetCustomColor(int nIndex, COLORREF clr)
{
    if (nIndex >= 0 && nIndex < kColorCount)
        m_custom[nIndex] = clr;
}

COLORREF CLVKColorManager::GetComputedColor(int nIndex) const
{
    return nIndex >= 0 && nIndex < kColorCount ? m_computed[nIndex] : 0;
}

COLORREF CLVKColorManager::GetSystemColor(int nIndex) const
{
    return m_pfnGetSysColor ? m_pfnGetSysColor(nIndex) : ::GetSysColor(nIndex);
}

int CLVKColorManager::GetWindowsTheme() const
{
    if (m_nThemeSetting == themeAutomatic || m_nThemeSetting == themeAutomaticAlt)
        return m_nDetectedTheme;
    return m_nThemeSetting;
}

BOOL AFX_CDECL CLVKColorManager::IsLowColor(HDC hDC)
{
    if (hDC)
        return static_cast<UINT>(::GetDeviceCaps(hDC, BITSPIXEL) - 1) < 8;
    const HWND hDesktop = ::GetDesktopWindow();
    const HDC hScreenDC = ::GetDC(hDesktop);
    if (!hScreenDC)
        return FALSE;
    const BOOL bLow = static_cast<UINT>(::GetDeviceCaps(hScreenDC, BITSPIXEL) - 1) < 8;
    ::ReleaseDC(hDesktop, hScreenDC);
    return bLow;
}

COLORREF AFX_CDECL CLVKColorManager::BlendColors(COLORREF clrFirst, COLORREF clrSecond, int nPart)
{
    const int d = nPart < 100 ? 100 : 1000;
    const auto blend = [&](int a, int b) { return (nPart * a + (d - nPart) * b + d / 2) / d; };
    return RGB(blend(GetRValue(clrFirst), GetRValue(clrSecond)), blend(GetGValue(clrFirst), GetGValue(clrSecond)),
               blend(GetBValue(clrFirst), GetBValue(clrSecond)));
}

double AFX_CDECL CLVKColorManager::ColorDistanceSquared(COLORREF clrFirst, COLORREF clrSecond)
{
    const WeightedColor a = ToWeighted(clrFirst);
    const WeightedColor b = ToWeighted(clrSecond);
    const WeightedColor d = {a.r - b.r, a.g - b.g, a.b - b.b};
    return Dot(d, d);
}

double AFX_CDECL CLVKColorManager::ColorDistance(COLORREF clrFirst, COLORREF clrSecond)
{
    return std::sqrt(ColorDistanceSquared(clrFirst, clrSecond));
}

double AFX_CDECL CLVKColorManager::Brightness(COLORREF clr)
{
    return ColorDistance(clr, 0);
}

double AFX_CDECL CLVKColorManager::ScaleThreshold(double dBrightness, double dThreshold)
{
    return (2.0 - std::min(dBrightness, 220.0) / 220.0) * dThreshold;
}

BOOL AFX_CDECL CLVKColorManager::IsColorDistanceAbove(COLORREF clrFirst, COLORREF clrSecond, BOOL bScale,
                                                      double dThreshold)
{
    const double t = bScale ? ScaleThreshold(Brightness(clrFirst), dThreshold) : dThreshold;
    return t * t < ColorDistanceSquared(clrFirst, clrSecond);
}

COLORREF AFX_CDECL CLVKColorManager::PullColorToward(COLORREF clrFirst, COLORREF clrSecond, double dThreshold)
{
    const double r = ColorDistance(clrFirst, clrSecond);
    if (r <= 0.0)
        return clrSecond;
    const double t = ScaleThreshold(Brightness(clrFirst), dThreshold);
    const double f = (r - t) / r;
    const WeightedColor a = ToWeighted(clrFirst);
    const WeightedColor b = ToWeighted(clrSecond);
    return FromWeighted({b.r + (a.r - b.r) * f, b.g + (a.g - b.g) * f, b.b + (a.b - b.b) * f});
}

COLORREF AFX_CDECL CLVKColorManager::PushColorAway(COLORREF clrFirst, COLORREF clrSecond, double dThreshold)
{
    const double dBrightFirst = Brightness(clrFirst);
    const double dBrightSecond = Brightness(clrSecond);
    const double t = ScaleThreshold(dBrightFirst, dThreshold);
    const BOOL bFromBlack = (dBrightFirst < dBrightSecond && dBrightFirst > 442.0 - t) ||
                            (dBrightFirst >= dBrightSecond && dBrightFirst > t);

    WeightedColor a = ToWeighted(clrFirst);
    WeightedColor b = ToWeighted(clrSecond);
    if (!bFromBlack)
    {
        a = Mirror(a);
        b = Mirror(b);
    }
    const double dLength = std::max(std::sqrt(Dot(b, b)), 0.001);
    const double dProjection = Dot(a, b) / dLength;
    const double dScale = Dot(a, b) / (dLength * dLength);
    const WeightedColor foot = {dScale * b.r - a.r, dScale * b.g - a.g, dScale * b.b - a.b};
    const double d2 = t * t - Dot(foot, foot);
    // The ray passes farther than the threshold from the first colour.
    if (d2 < 0.0)
        return RGB(0, 0, 0);
    const double dNewLength = dProjection - std::sqrt(d2);
    WeightedColor result = {b.r * dNewLength / dLength, b.g * dNewLength / dLength, b.b * dNewLength / dLength};
    if (!bFromBlack)
        result = Mirror(result);
    return FromWeighted(result);
}

int CLVKColorManager::DetectWindowsTheme(CLVKWinThemeWrapper* pWrapper)
{
    CLVKWinThemeWrapper plainWrapper;
    CLVKWinThemeWrapper& wrapper = pWrapper ? *pWrapper : plainWrapper;
    if (!wrapper.AreAppThemesEnabled() || IsLowColorScreen())
        return themeNone;

    WCHAR szFile[MAX_PATH] = {};
    WCHAR szColor[MAX_PATH] = {};
    WCHAR szSize[MAX_PATH] = {};
    if (FAILED(wrapper.GetCurrentThemeName(szFile, MAX_PATH, szColor, MAX_PATH, szSize, MAX_PATH)))
        return themeNone;
    CharLowerBuffW(szFile, lstrlenW(szFile));
    CharLowerBuffW(szColor, lstrlenW(szColor));

    if (wcsstr(szFile, L"luna.msstyles") || wcsstr(szFile, L"winxp.luna.veltstyles"))
    {
        if (wcscmp(szColor, L"normalcolor") == 0)
            return themeLunaBlue;
        if (wcscmp(szColor, L"homestead") == 0)
            return themeLunaOlive;
        if (wcscmp(szColor, L"metallic") == 0)
            return themeLunaSilver;
    }
    if (m_bDetectRoyale && (wcsstr(szFile, L"royale.msstyles") || wcsstr(szFile, L"winxp.royale.veltstyles")))
        return themeRoyale;
    if (m_bDetectAero)
        return wcsstr(szFile, L"aero.msstyles") ? themeAero : themeNone;
    return themeNone;
}

void CLVKColorManager::RecomputeColors(BOOL bClearCustom)
{
    m_nDetectedTheme = DetectWindowsTheme();
    const BOOL bLowColor = IsLowColorScreen();

    if (bClearCustom)
        std::fill(std::begin(m_custom), std::end(m_custom), kNoColor);

    std::fill(std::begin(m_computed), std::end(m_computed), 0);
    for (int i = 1; i <= 29; ++i)
        m_computed[i] = GetSystemColor(i);

    const auto c = [this](int n) { return GetColor(n); };
    COLORREF* const e = m_computed;

    // First values, from the system colours.
    e[30] = c(15);
    e[31] = c(5);
    e[33] = c(13);
    e[41] = c(5);
    e[35] = c(17);
    e[38] = e[39] = e[43] = e[61] = e[40] = c(16);
    e[36] = c(5);
    e[32] = c(13);
    e[37] = c(13);
    e[44] = c(8);
    e[45] = c(7);
    e[46] = c(18);
    e[47] = c(14);
    e[48] = c(16);
    e[49] = c(14);
    e[42] = c(16);
    e[50] = c(13);
    e[34] = c(16);
    e[51] = c(15);
    e[52] = c(16);
    e[53] = c(15);
    e[54] = c(16);
    e[55] = c(15);
    e[56] = c(15);
    e[57] = c(16);
    e[60] = c(16);
    e[58] = c(17);
    e[59] = 0;

    if (bLowColor)
    {
        UpdateThemeGradients();
        return;
    }

    const COLORREF clrBlack = RGB(0, 0, 0);
    const COLORREF clrWhite = RGB(255, 255, 255);
    const BOOL bHighContrast = (c(15) == clrBlack && c(18) == clrWhite) || (c(15) == clrWhite && c(18) == clrBlack);
    if (bHighContrast)
    {
        e[31] = c(13);
        e[36] = c(13);
        e[45] = c(14);
        e[32] = c(18);
        e[37] = c(18);
        e[50] = c(13);
        e[43] = c(18);
        e[38] = c(18);
    }
    else
    {
        struct Blend
        {
            int nEntry;
            int nFirst;
            int nSecond;
            int nPart;
        };
        static const Blend blends[] = {
            {30, 5, 15, 165}, {31, 13, 5, 30},  {33, 13, 5, 50},  {41, 15, 5, 143}, {35, 17, 5, 70},  {38, 16, 5, 75},
            {39, 16, 5, 70},  {43, 46, 16, 20}, {61, 46, 16, 15}, {40, 16, 5, 90},  {42, 15, 16, 90},
        };
        for (const Blend& blend : blends)
            e[blend.nEntry] = BlendColors(c(blend.nFirst), c(blend.nSecond), blend.nPart);
    }

    if (IsColorDistanceAbove(c(15), c(30), TRUE, 35))
        e[30] = PullColorToward(c(15), c(30), 35);

    ApplyContrastCorrections();

    if (IsColorDistanceAbove(c(41), c(35), TRUE, 145))
        e[35] = PullColorToward(c(41), c(35), 145);
    if (!bHighContrast)
    {
        const auto mix = [](int n30, int n5, int n13) { return n30 / 2 + n5 * 2 / 5 + n13 / 10; };
        const COLORREF c30 = c(30), c5 = c(5), c13 = c(13);
        e[36] =
            RGB(mix(GetRValue(c30), GetRValue(c5), GetRValue(c13)), mix(GetGValue(c30), GetGValue(c5), GetGValue(c13)),
                mix(GetBValue(c30), GetBValue(c5), GetBValue(c13)));
    }

    const COLORREF c15 = c(15);
    const int m = MaxChannel(c15);
    if (m == 0)
        e[48] = 0x232323;
    else
    {
        const int s = m < 220 ? m + 35 : 255;
        e[48] = RGB(GetRValue(c15) * s / m, GetGValue(c15) * s / m, GetBValue(c15) * s / m);
    }

    if (c15 == clrBlack)
        e[49] = 0x7F7F7F;
    else
    {
        const COLORREF c16 = c(16);
        const int w = MaxChannel(c16);
        if (w == 0)
            e[49] = 0;
        else
        {
            const int k = std::max(w - 43, 0);
            e[49] = RGB(GetRValue(c16) * k / w, GetGValue(c16) * k / w, GetBValue(c16) * k / w);
        }
    }

    const COLORREF c31 = c(31);
    e[34] = RGB(static_cast<int>(GetRValue(c31) * 0.75), static_cast<int>(GetGValue(c31) * 0.75),
                static_cast<int>(GetBValue(c31) * 0.75));
    e[22] =
        RGB(std::min(GetRValue(c15) + 15, 255), std::min(GetGValue(c15) + 15, 255), std::min(GetBValue(c15) + 15, 255));

    e[53] = c(30);
    e[58] = c(40);
    e[60] = e[40];

    UpdateThemeGradients();

    CLVKWinThemeWrapper wrapper;
    wrapper.OpenThemeData(nullptr, L"TREEVIEW");
    if (wrapper.IsAppThemeReady())
    {
        COLORREF clrBorder = 0;
        if (SUCCEEDED(wrapper.GetThemeColor(0, 0, 3801, &clrBorder)))
            e[57] = clrBorder;
    }
}

void CLVKColorManager::ApplyContrastCorrections()
{
    struct Correction
    {
        int nEntry;
        int nA;
        int nB;
        int nThreshold;
    };
    static const Correction corrections[] = {
        {31, 30, 31, 50},  {32, 30, 13, 100}, {33, 30, 33, 30},  {35, 41, 35, 80},  {37, 33, 37, 100},
        {38, 30, 38, 85},  {39, 30, 39, 50},  {43, 41, 43, 100}, {61, 30, 61, 100}, {40, 30, 40, 80},
        {44, 41, 44, 180}, {45, 31, 45, 180}, {46, 30, 46, 180}, {47, 33, 47, 180},
    };
    for (const Correction& correction : corrections)
    {
        const COLORREF a = GetColor(correction.nA);
        const COLORREF b = GetColor(correction.nB);
        if (!IsColorDistanceAbove(a, b, TRUE, correction.nThreshold))
            m_computed[correction.nEntry] = PushColorAway(a, b, correction.nThreshold);
    }
}

void CLVKColorManager::UpdateThemeGradients()
{
    const int nTheme = m_bLunaColorsOff ? themeNone : GetWindowsTheme();
    const auto c = [this](int n) { return GetColor(n); };
    CLVKPaintManagerColorGradient* const g = m_gradients;

    switch (nTheme)
    {
    case themeLunaBlue:
    case themeRoyale:
    case themeAero:
        m_computed[54] = 0x962D00;
        g[0].SetStandardColors(0xD68759, 0x962D00, 0.5f);
        g[1].SetStandardColors(0xF5BE9E, 0xFADAC4, 0.5f);
        g[2].SetStandardColors(0xD68759, 0x962D00, 0.5f);
        g[3].SetStandardColors(0xFEECDD, 0xE2A981, 0.75f);
        g[4].SetStandardColors(0xFFEFE3, 0xE4AD87, 0.5f);
        g[5].SetStandardColors(0xF6DDCB, 0xDCA179, 0.5f);
        g[6].SetStandardColors(0xFFEFE3, 0xE7B593, 0.5f);
        break;
    case themeLunaOlive:
        m_computed[54] = 0x588060;
        g[0].SetStandardColors(0x82C0AF, 0x447A63, 0.5f);
        g[1].SetStandardColors(0xA7D9D9, 0xE4F1F2, 0.5f);
        g[2].SetStandardColors(0x6F8E78, 0x435B49, 0.5f);
        g[3].SetStandardColors(0xDEF7F4, 0x91C6B7, 0.3f);
        g[4].SetStandardColors(0xEDFFFF, 0x92C7B8, 0.3f);
        g[5].SetStandardColors(0xD1E6E6, 0x78B4A4, 0.3f);
        g[6].SetStandardColors(0xD5F0EC, 0x9FCEC2, 0.5f);
        break;
    case themeLunaSilver:
        m_computed[54] = 0x947C7C;
        g[0].SetStandardColors(0xBFA7A8, 0x916F70, 0.5f);
        g[1].SetStandardColors(0xE5D7D7, 0xF7F3F3, 0.5f);
        g[2].SetStandardColors(0xBFA7A8, 0x977677, 0.5f);
        g[3].SetStandardColors(0xFFF9F9, 0xB79B9C, 0.75f);
        g[4].SetStandardColors(0xFFF9F9, 0xB99D9F, 0.75f);
        g[5].SetStandardColors(0xE2D7D7, 0x9E7E80, 0.75f);
        g[6].SetStandardColors(0xF1E7E9, 0xCDB9BA, 0.5f);
        break;
    default:
        g[0].SetStandardColors(c(16), c(16));
        g[1].SetStandardColors(c(15), BlendColors(c(15), c(5), 215));
        g[2].SetStandardColors(c(15), c(16));
        g[3].SetStandardColors(BlendColors(c(15), c(5), 205), c(15));
        g[4].SetStandardColors(BlendColors(c(15), c(5), 145), BlendColors(c(15), c(5), 93));
        g[5].SetStandardColors(BlendColors(c(15), c(5), 40), BlendColors(c(15), c(16), 95));
        g[6].SetStandardColors(BlendColors(c(15), c(5), 165), BlendColors(c(15), c(5), 42));
        break;
    }

    if (IsLowColorScreen())
    {
        g[3].SetStandardColor(c(15));
        g[1].SetStandardColor(c(15));
    }
}

COLORREF AFX_CDECL GetToolkitColor(int nIndex)
{
    if (nIndex < 0)
        return 0x7FFFFFFF;
    return CLVKColorManager::GetGlobal()->GetColor(nIndex);
}

void AFX_CDECL RecomputeToolkitColors(BOOL bClearCustom)
{
    CLVKColorManager::GetGlobal()->RecomputeColors(bClearCustom);
}
