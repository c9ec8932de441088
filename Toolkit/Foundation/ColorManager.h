// The toolkit colour table: entries 1 to 29 are the system colours, 30 to 61
// are derived from them by fixed blends and contrast corrections, 62 is
// spare and 0 unused. Every entry may be overridden by a custom value. The
// manager also detects the Windows visual style and keeps ten gradients that
// depend on it.
#pragma once

#include "CmdTarget.h"
#include "PaintManagerColor.h"

class CLVKWinThemeWrapper;

class CLVKColorManager : public CLVKCmdTarget
{
public:
    enum
    {
        kColorCount = 63,
        kGradientCount = 10
    };

    // Theme numbers.
    enum WindowsTheme
    {
        themeNone = 0,
        themeLunaBlue = 1,
        themeLunaOlive = 2,
        themeLunaSilver = 3,
        themeRoyale = 4,
        themeAero = 5,
        themeAutomatic = 6,
        themeAutomaticAlt = 7
    };

    typedef COLORREF(WINAPI* PFNGETSYSCOLOR)(int nIndex);

    static CLVKColorManager* AFX_CDECL GetGlobal();

    // bCompute: compute the table now (the process-wide manager does).
    explicit CLVKColorManager(BOOL bCompute = TRUE);

    // Custom value when set, else the computed one, for 0 to 62; a larger
    // argument is a colour and comes back unchanged.
    COLORREF GetColor(int nIndex) const;
    // -1 removes the custom value.
    void SetCustomColor(int nIndex, COLORREF clr);
    COLORREF GetComputedColor(int nIndex) const;

    void RecomputeColors(BOOL bClearCustom);

    // Gradients 1 to 10.
    CLVKPaintManagerColorGradient& GetGradient(int nNumber) { return m_gradients[nNumber - 1]; }

    int GetWindowsTheme() const;
    void SetWindowsTheme(int nTheme) { m_nThemeSetting = nTheme; }
    int GetDetectedTheme() const { return m_nDetectedTheme; }
    // Asks the given wrapper (a plain one when null) for the visual style.
    int DetectWindowsTheme(CLVKWinThemeWrapper* pWrapper = nullptr);
    void UpdateThemeGradients();

    BOOL AreLunaColorsOff() const { return m_bLunaColorsOff; }
    void SetLunaColorsOff(BOOL bOff) { m_bLunaColorsOff = bOff; }
    void SetDetectRoyale(BOOL bDetect) { m_bDetectRoyale = bDetect; }
    void SetDetectAero(BOOL bDetect) { m_bDetectAero = bDetect; }

    // Called instead of GetSysColor when set.
    void SetSysColorFunction(PFNGETSYSCOLOR pfn) { m_pfnGetSysColor = pfn; }

    // 1 to 8 bits per pixel; the desktop's DC when hDC is null.
    static BOOL AFX_CDECL IsLowColor(HDC hDC);

    // Per channel (part x first + (d - part) x second + d / 2) / d, d = 100
    // for parts below 100, else 1000 (per mille).
    static COLORREF AFX_CDECL BlendColors(COLORREF clrFirst, COLORREF clrSecond, int nPart);

    // Distances in a space that weights green most and blue least.
    static double AFX_CDECL ColorDistanceSquared(COLORREF clrFirst, COLORREF clrSecond);
    static double AFX_CDECL ColorDistance(COLORREF clrFirst, COLORREF clrSecond);
    static double AFX_CDECL Brightness(COLORREF clr);
    // Dark colours need up to twice the distance.
    static double AFX_CDECL ScaleThreshold(double dBrightness, double dThreshold);
    static BOOL AFX_CDECL IsColorDistanceAbove(COLORREF clrFirst, COLORREF clrSecond, BOOL bScale, double dThreshold);
    // TRUE when the two colours contrast enough: their squared distance is above
    // the squared threshold, scaled up for dark first colours when asked.
    static BOOL AFX_CDECL AreColorsTooClose(COLORREF clrFirst, COLORREF clrSecond, BOOL bDarknessAdjust,
                                            double dThreshold = 50.0);
    // The point between them at the scaled threshold distance from the first.
    static COLORREF AFX_CDECL PullColorToward(COLORREF clrFirst, COLORREF clrSecond, double dThreshold);
    // The second colour moved along its ray from black (or white) until it
    // lies at the scaled threshold distance from the first.
    static COLORREF AFX_CDECL PushColorAway(COLORREF clrFirst, COLORREF clrSecond, double dThreshold);

protected:
    // The screen's colour depth test; tests override it to play an 8-bit
    // screen.
    virtual BOOL IsLowColorScreen() const { return IsLowColor(nullptr); }

private:
    COLORREF GetSystemColor(int nIndex) const;
    void ApplyContrastCorrections();

    CLVKPaintManagerColorGradient m_gradients[kGradientCount];
    BOOL m_bDetectRoyale = TRUE;
    BOOL m_bDetectAero = TRUE;
    BOOL m_bLunaColorsOff = FALSE;
    COLORREF m_computed[kColorCount] = {};
    COLORREF m_custom[kColorCount];
    PFNGETSYSCOLOR m_pfnGetSysColor = nullptr;
    int m_nThemeSetting = themeAutomatic;
    int m_nDetectedTheme = themeNone;
};

// The colour of the global table's entry, or the argument itself when it is
// a colour (above 62); 0x7FFFFFFF for a negative argument.
COLORREF AFX_CDECL GetToolkitColor(int nIndex);
void AFX_CDECL RecomputeToolkitColors(BOOL bClearCustom);
