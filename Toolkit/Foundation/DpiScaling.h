// Converts lengths written for a 96-DPI screen to the real screen's pixels and
// back. The process-wide instance measures the screen once; an instance bound
// to a window measures that window's DC.
#pragma once

#include "Framework.h"

class CLVKDpiScaling
{
public:
    static CLVKDpiScaling* AFX_CDECL GetGlobal();

    // Over the screen DC, or over a window's DC. Neither measures yet.
    CLVKDpiScaling();
    explicit CLVKDpiScaling(HWND hWnd);
    virtual ~CLVKDpiScaling() = default;

    // Gives the DC back when the instance took it with GetDC.
    void ReleaseDC();

    // 0 when the DC has no DPI (then every conversion returns its argument).
    int GetDpiX();
    int GetDpiY();

    // Nothing is scaled while the screen's DPI is at or below the threshold.
    int ScaleX(int n, int nThreshold = 96);
    int ScaleY(int n, int nThreshold = 96);
    float ScaleXFloat(float f, int nThreshold = 96);
    float ScaleYFloat(float f, int nThreshold = 96);
    double ScaleXDouble(double d, int nThreshold = 96);
    double ScaleYDouble(double d, int nThreshold = 96);
    SIZE ScaleSize(SIZE size, int nThreshold = 96);
    POINT ScalePoint(POINT pt, int nThreshold = 96);
    RECT ScaleRect(const RECT& rc, int nThreshold = 96);
    void ScaleRectInPlace(RECT& rc, int nThreshold = 96);

    // The reverse, truncated towards zero: a scale followed by an unscale
    // need not give the original number back.
    int UnscaleX(int n, int nThreshold = 96);
    int UnscaleY(int n, int nThreshold = 96);
    SIZE UnscaleSize(SIZE size, int nThreshold = 96);
    POINT UnscalePoint(POINT pt, int nThreshold = 96);
    RECT UnscaleRect(const RECT& rc, int nThreshold = 96);
    void UnscaleRectInPlace(RECT& rc, int nThreshold = 96);

    BOOL IsStandardDpi();
    BOOL IsStandardDpiX();
    BOOL IsStandardDpiY();

    // Display-mode size over monitor rectangle size for the window's monitor.
    static BOOL AFX_CDECL GetMonitorScaleFactors(HWND hWnd, double& dScaleX, double& dScaleY);
    // The program sets up no per-monitor awareness, so this is FALSE.
    static BOOL AFX_CDECL IsPerMonitorDpiAware();

    // One of four values made for 100, 125, 150 and 200 percent, chosen by
    // the process-wide instance's horizontal DPI.
    static int AFX_CDECL SelectByDpi(int a, int b, int c, int d);
    // The same choice by this instance's horizontal DPI.
    int SelectForDpi(int a, int b, int c, int d);

protected:
    // Reads LOGPIXELSX or LOGPIXELSY of the DC; tests override it to play
    // other screens.
    virtual int QueryDeviceDpi(HDC hDC, int nIndex);

private:
    enum
    {
        kTableSize = 257
    };

    void EnsureMeasured();
    void MeasureDpi();
    static int ScaleLength(int n, int nDpi, int nThreshold, const int (&positive)[kTableSize],
                           const int (&negative)[kTableSize]);
    static int UnscaleLength(int n, int nDpi, int nThreshold);

    BOOL m_bMeasured = FALSE;
    HDC m_hDC = nullptr;
    HWND m_hWnd = nullptr;
    BOOL m_bReleaseDC = FALSE;
    int m_nDpiX = 96;
    int m_nDpiY = 96;
    // Entry n holds MulDiv(n, dpi, 96) and MulDiv(-n, dpi, 96) for n = 0..256,
    // so the common small lengths need no division.
    int m_positiveX[kTableSize] = {};
    int m_positiveY[kTableSize] = {};
    int m_negativeX[kTableSize] = {};
    int m_negativeY[kTableSize] = {};
};

// A length written for a 96-DPI screen, in the screen's pixels by the
// process-wide instance: widths and x offsets through LVKScaleX, heights and
// y offsets through LVKScaleY, as the two axes may have different DPIs.
inline int LVKScaleX(int n)
{
    return CLVKDpiScaling::GetGlobal()->ScaleX(n);
}
inline int LVKScaleY(int n)
{
    return CLVKDpiScaling::GetGlobal()->ScaleY(n);
}
