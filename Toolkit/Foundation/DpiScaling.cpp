#include "DpiScaling.h"

#include "DisplayMonitors.h"
#include "SingletonPointer.h"

namespace
{

void AFX_CDECL DestroyScreenScaling(void* pObject)
{
    auto* pScaling = static_cast<CLVKDpiScaling*>(pObject);
    pScaling->ReleaseDC();
    pScaling->~CLVKDpiScaling();
}

}  // namespace

CLVKDpiScaling* AFX_CDECL CLVKDpiScaling::GetGlobal()
{
    static CLVKSingletonPointer holder(sizeof(CLVKDpiScaling), &LVKConstructSingleton<CLVKDpiScaling>,
                                       &DestroyScreenScaling);
    return static_cast<CLVKDpiScaling*>(holder.ObtainObject());
}

CLVKDpiScaling::CLVKDpiScaling() : CLVKDpiScaling(static_cast<HWND>(nullptr))
{
}

CLVKDpiScaling::CLVKDpiScaling(HWND hWnd) : m_hDC(::GetDC(hWnd)), m_hWnd(hWnd)
{
    m_bReleaseDC = m_hDC != nullptr;
}

void CLVKDpiScaling::ReleaseDC()
{
    if (!m_bReleaseDC)
        return;
    ::ReleaseDC(m_hWnd, m_hDC);
    m_hDC = nullptr;
    m_bReleaseDC = FALSE;
}

int CLVKDpiScaling::QueryDeviceDpi(HDC hDC, int nIndex)
{
    return hDC ? GetDeviceCaps(hDC, nIndex) : 0;
}

void CLVKDpiScaling::MeasureDpi()
{
    m_nDpiX = QueryDeviceDpi(m_hDC, LOGPIXELSX);
    m_nDpiY = QueryDeviceDpi(m_hDC, LOGPIXELSY);
    const BOOL bHaveDpi = m_nDpiX != 0 && m_nDpiY != 0;
    if (!bHaveDpi)
    {
        m_nDpiX = 0;
        m_nDpiY = 0;
    }
    for (int n = 0; n < kTableSize; n++)
    {
        m_positiveX[n] = bHaveDpi ? MulDiv(n, m_nDpiX, 96) : n;
        m_positiveY[n] = bHaveDpi ? MulDiv(n, m_nDpiY, 96) : n;
        m_negativeX[n] = bHaveDpi ? MulDiv(-n, m_nDpiX, 96) : -n;
        m_negativeY[n] = bHaveDpi ? MulDiv(-n, m_nDpiY, 96) : -n;
    }
    m_bMeasured = TRUE;
}

void CLVKDpiScaling::EnsureMeasured()
{
    if (!m_bMeasured)
        MeasureDpi();
}

int CLVKDpiScaling::GetDpiX()
{
    EnsureMeasured();
    return m_nDpiX;
}

int CLVKDpiScaling::GetDpiY()
{
    EnsureMeasured();
    return m_nDpiY;
}

int CLVKDpiScaling::ScaleLength(int n, int nDpi, int nThreshold, const int (&positive)[kTableSize],
                                const int (&negative)[kTableSize])
{
    if (nThreshold >= nDpi)
        return n;
    if (n >= 0 && n < kTableSize)
        return positive[n];
    if (n < 0 && n > -kTableSize)
        return negative[-n];
    return MulDiv(n, nDpi, 96);
}

int CLVKDpiScaling::UnscaleLength(int n, int nDpi, int nThreshold)
{
    // A DC without DPI never divides, whatever threshold the caller passes.
    if (nThreshold >= nDpi || nDpi <= 0)
        return n;
    // Truncated towards zero; 64 bits keep large lengths from overflowing.
    return static_cast<int>(static_cast<long long>(n) * 96 / nDpi);
}

int CLVKDpiScaling::ScaleX(int n, int nThreshold)
{
    return ScaleLength(n, GetDpiX(), nThreshold, m_positiveX, m_negativeX);
}

int CLVKDpiScaling::ScaleY(int n, int nThreshold)
{
    return ScaleLength(n, GetDpiY(), nThreshold, m_positiveY, m_negativeY);
}

float CLVKDpiScaling::ScaleXFloat(float f, int nThreshold)
{
    const int nDpi = GetDpiX();
    return nThreshold >= nDpi ? f : f * nDpi / 96.0f;
}

float CLVKDpiScaling::ScaleYFloat(float f, int nThreshold)
{
    const int nDpi = GetDpiY();
    return nThreshold >= nDpi ? f : f * nDpi / 96.0f;
}

double CLVKDpiScaling::ScaleXDouble(double d, int nThreshold)
{
    const int nDpi = GetDpiX();
    return nThreshold >= nDpi ? d : d * nDpi / 96.0;
}

double CLVKDpiScaling::ScaleYDouble(double d, int nThreshold)
{
    const int nDpi = GetDpiY();
    return nThreshold >= nDpi ? d : d * nDpi / 96.0;
}

SIZE CLVKDpiScaling::ScaleSize(SIZE size, int nThreshold)
{
    SIZE scaled{ScaleX(size.cx, nThreshold), ScaleY(size.cy, nThreshold)};
    return scaled;
}

POINT CLVKDpiScaling::ScalePoint(POINT pt, int nThreshold)
{
    POINT scaled{ScaleX(pt.x, nThreshold), ScaleY(pt.y, nThreshold)};
    return scaled;
}

RECT CLVKDpiScaling::ScaleRect(const RECT& rc, int nThreshold)
{
    RECT scaled = rc;
    ScaleRectInPlace(scaled, nThreshold);
    return scaled;
}

void CLVKDpiScaling::ScaleRectInPlace(RECT& rc, int nThreshold)
{
    rc.left = ScaleX(rc.left, nThreshold);
    rc.top = ScaleY(rc.top, nThreshold);
    rc.right = ScaleX(rc.right, nThreshold);
    rc.bottom = ScaleY(rc.bottom, nThreshold);
}

int CLVKDpiScaling::UnscaleX(int n, int nThreshold)
{
    return UnscaleLength(n, GetDpiX(), nThreshold);
}

int CLVKDpiScaling::UnscaleY(int n, int nThreshold)
{
    return UnscaleLength(n, GetDpiY(), nThreshold);
}

SIZE CLVKDpiScaling::UnscaleSize(SIZE size, int nThreshold)
{
    SIZE unscaled{UnscaleX(size.cx, nThreshold), UnscaleY(size.cy, nThreshold)};
    return unscaled;
}

POINT CLVKDpiScaling::UnscalePoint(POINT pt, int nThreshold)
{
    POINT unscaled{UnscaleX(pt.x, nThreshold), UnscaleY(pt.y, nThreshold)};
    return unscaled;
}

RECT CLVKDpiScaling::UnscaleRect(const RECT& rc, int nThreshold)
{
    RECT unscaled = rc;
    UnscaleRectInPlace(unscaled, nThreshold);
    return unscaled;
}

void CLVKDpiScaling::UnscaleRectInPlace(RECT& rc, int nThreshold)
{
    rc.left = UnscaleX(rc.left, nThreshold);
    rc.top = UnscaleY(rc.top, nThreshold);
    rc.right = UnscaleX(rc.right, nThreshold);
    rc.bottom = UnscaleY(rc.bottom, nThreshold);
}

BOOL CLVKDpiScaling::IsStandardDpiX()
{
    return ScaleX(96, 96) == 96;
}

BOOL CLVKDpiScaling::IsStandardDpiY()
{
    return ScaleY(96, 96) == 96;
}

BOOL CLVKDpiScaling::IsStandardDpi()
{
    return IsStandardDpiX() && IsStandardDpiY();
}

BOOL AFX_CDECL CLVKDpiScaling::GetMonitorScaleFactors(HWND hWnd, double& dScaleX, double& dScaleY)
{
    MONITORINFOEXW info{};
    DEVMODEW devMode{};
    devMode.dmSize = sizeof(devMode);
    if (!CLVKDisplayMonitors::GetGlobal()->GetMonitorInfoAndSettings(hWnd, info, devMode))
        return FALSE;
    const LONG cxMonitor = info.rcMonitor.right - info.rcMonitor.left;
    const LONG cyMonitor = info.rcMonitor.bottom - info.rcMonitor.top;
    if (cxMonitor <= 0 || cyMonitor <= 0)
        return FALSE;
    dScaleX = static_cast<double>(devMode.dmPelsWidth) / cxMonitor;
    dScaleY = static_cast<double>(devMode.dmPelsHeight) / cyMonitor;
    return TRUE;
}

BOOL AFX_CDECL CLVKDpiScaling::IsPerMonitorDpiAware()
{
    return FALSE;
}

int CLVKDpiScaling::SelectForDpi(int a, int b, int c, int d)
{
    const int nDpi = GetDpiX();
    if (nDpi >= 96 && nDpi < 120)
        return a;
    if (nDpi >= 120 && nDpi < 144)
        return b;
    if (nDpi >= 144 && nDpi < 192)
        return c;
    return d;
}

int AFX_CDECL CLVKDpiScaling::SelectByDpi(int a, int b, int c, int d)
{
    return GetGlobal()->SelectForDpi(a, b, c, d);
}
