#include "Markup/MarkupGdiPlusDeviceContext.h"

#include "Foundation/GdiObjectDC.h"
#include "Foundation/GdiPlusLoader.h"
#include "Foundation/ImageManagerIcon.h"
#include "Markup/MarkupDeviceDependentImage.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupDoubleCollection.h"
#include "Markup/MarkupFont.h"
#include "Markup/MarkupGdiPlusImage.h"
#include "Markup/MarkupGradientStop.h"
#include "Markup/MarkupGradientStops.h"
#include "Markup/MarkupLinearGradientBrush.h"
#include "Markup/MarkupPathData.h"
#include "Markup/MarkupPoint.h"
#include "Markup/MarkupSolidColorBrush.h"
#include "Markup/MarkupThickness.h"

#include <gdiplus.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cwctype>
#include <new>
#include <vector>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace
{

// The GDI+ values of one markup smoothing mode.
struct SmoothingValues
{
    int nSmoothing;
    int nPixelOffset;
    int nInterpolation;
    BOOL bTextHint;  // anti-aliased text when text smoothing is on
};

const SmoothingValues kSmoothingModes[] = {
    {SmoothingModeAntiAlias, PixelOffsetModeHighQuality, InterpolationModeHighQualityBicubic, FALSE},  // Default
    {SmoothingModeNone, PixelOffsetModeNone, InterpolationModeLowQuality, FALSE},                      // None
    {SmoothingModeHighSpeed, PixelOffsetModeHighSpeed, InterpolationModeLowQuality, FALSE},            // HighSpeed
    {SmoothingModeHighQuality, PixelOffsetModeHighQuality, InterpolationModeHighQuality, TRUE},        // HighQuality
    {SmoothingModeAntiAlias, PixelOffsetModeHighQuality, InterpolationModeHighQualityBicubic, TRUE},   // AntiAlias
};

RECT BoundsOf(const POINT* pPoints, int nCount)
{
    RECT rc = {INT_MAX, INT_MAX, INT_MIN + 1, INT_MIN + 1};
    for (int i = 0; i < nCount; ++i)
    {
        rc.left = std::min(rc.left, pPoints[i].x);
        rc.top = std::min(rc.top, pPoints[i].y);
        rc.right = std::max(rc.right, pPoints[i].x);
        rc.bottom = std::max(rc.bottom, pPoints[i].y);
    }
    return rc;
}

// Deletes a pen or brush made for one operation.
struct PenDeleter
{
    void operator()(GpPen* p) const { GdipDeletePen(p); }
};
struct BrushDeleter
{
    void operator()(GpBrush* p) const { GdipDeleteBrush(p); }
};
using PenPtr = std::unique_ptr<GpPen, PenDeleter>;
using BrushPtr = std::unique_ptr<GpBrush, BrushDeleter>;

struct ImageDeleter
{
    void operator()(GpImage* p) const { GdipDisposeImage(p); }
};
using BitmapPtr = std::unique_ptr<GpBitmap, ImageDeleter>;

// Pictures larger than this on a side are refused before any buffer is
// allocated for them.
const int kMaxIconSide = 0x4000;

// The rows of a bitmap as top-down 32-bit pixels, read through GetDIBits;
// false when the bitmap cannot be read.
bool ReadBitmapRows(HBITMAP hBitmap, int nWidth, int nRows, std::vector<DWORD>& pixels)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = nWidth;
    bmi.bmiHeader.biHeight = -nRows;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    const HDC hDC = CreateCompatibleDC(nullptr);
    if (!hDC)
    {
        return false;
    }
    const int nRead = GetDIBits(hDC, hBitmap, 0, static_cast<UINT>(nRows), pixels.data(), &bmi, DIB_RGB_COLORS);
    DeleteDC(hDC);
    return nRead == nRows;
}

// A new bitmap of the pixels (top-down rows, in the given GDI+ format).
GpBitmap* BitmapFromPixels(const DWORD* pPixels, int nWidth, int nHeight, PixelFormat format, bool bBottomUp)
{
    GpBitmap* pBitmap = nullptr;
    if (GdipCreateBitmapFromScan0(nWidth, nHeight, 0, PixelFormat32bppPARGB, nullptr, &pBitmap) != Ok || !pBitmap)
    {
        return nullptr;
    }
    BitmapPtr holder(pBitmap);
    const GpRect rc(0, 0, nWidth, nHeight);
    BitmapData data = {};
    if (GdipBitmapLockBits(pBitmap, &rc, ImageLockModeWrite, format, &data) != Ok)
    {
        return nullptr;
    }
    for (int y = 0; y < nHeight; ++y)
    {
        const DWORD* const pSource = pPixels + static_cast<size_t>(bBottomUp ? nHeight - 1 - y : y) * nWidth;
        memcpy(static_cast<BYTE*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride, pSource,
               static_cast<size_t>(nWidth) * 4);
    }
    GdipBitmapUnlockBits(pBitmap, &data);
    return holder.release();
}

}  // namespace

int AFX_CDECL MarkupGdiPlusStartup(BOOL bStart)
{
    return LVKGdiPlusLoader()->Startup(bStart);
}

DWORD AFX_CDECL CLVKMarkupGdiPlusDeviceContext::ToArgb(DWORD clrMarkup)
{
    return (clrMarkup & 0xFF00FF00) | ((clrMarkup & 0xFF) << 16) | ((clrMarkup >> 16) & 0xFF);
}

GpGraphics* AFX_CDECL CLVKMarkupGdiPlusDeviceContext::CreateMarkupGraphics(HDC hDC, HDC hAttribDC)
{
    if (!hDC || LVKGdiPlusLoader()->GetStartCount() <= 0)
    {
        return nullptr;
    }
    GpGraphics* pGraphics = nullptr;
    const GpStatus status = (!hAttribDC || hAttribDC == hDC) ? GdipCreateFromHDC(hDC, &pGraphics)
                                                             : GdipCreateFromHDC2(hDC, hAttribDC, &pGraphics);
    if (status != Ok || !pGraphics)
    {
        return nullptr;
    }
    GdipSetPageUnit(pGraphics, UnitPixel);
    return pGraphics;
}

CLVKMarkupGdiPlusDeviceContext::CLVKMarkupGdiPlusDeviceContext(GpGraphics* pGraphics, BOOL bBorrowed)
    : CLVKMarkupDeviceContext(nullptr, nullptr), m_bBorrowed(bBorrowed), m_pGraphics(pGraphics)
{
    SetSmoothingMode(0, FALSE);
    GpStringFormat* pGeneric = nullptr;
    if (GdipStringFormatGetGenericTypographic(&pGeneric) == Ok && pGeneric)
    {
        GdipCloneStringFormat(pGeneric, &m_pStringFormat);
    }
    if (m_pStringFormat)
    {
        GdipSetStringFormatFlags(m_pStringFormat, StringFormatFlagsMeasureTrailingSpaces | StringFormatFlagsNoWrap |
                                                      StringFormatFlagsNoClip | StringFormatFlagsNoFitBlackBox);
    }
}

CLVKMarkupGdiPlusDeviceContext::~CLVKMarkupGdiPlusDeviceContext()
{
    if (m_pFont)
    {
        GdipDeleteFont(m_pFont);
    }
    if (m_pTextBrush)
    {
        GdipDeleteBrush(m_pTextBrush);
    }
    if (m_pStringFormat)
    {
        GdipDeleteStringFormat(m_pStringFormat);
    }
    if (m_pGraphics && !m_bBorrowed)
    {
        GdipDeleteGraphics(m_pGraphics);
    }
}

GpBrush* AFX_CDECL CLVKMarkupGdiPlusDeviceContext::CreateGdiPlusBrush(CLVKMarkupBrush* pBrush, const RECT& rcBounds)
{
    if (auto* const pSolid = MarkupCast<CLVKMarkupSolidColorBrush>(pBrush))
    {
        GpSolidFill* pFill = nullptr;
        GdipCreateSolidFill(ToArgb(pSolid->GetARGB()), &pFill);
        return pFill;
    }
    auto* const pGradient = MarkupCast<CLVKMarkupLinearGradientBrush>(pBrush);
    CLVKMarkupGradientStops* const pStops = pGradient ? pGradient->GetGradientStops() : nullptr;
    if (!pStops || pStops->GetCount() == 0)
    {
        return nullptr;
    }
    const CLVKMarkupPoint* const pStart = pGradient->GetStartPoint();
    const CLVKMarkupPoint* const pEnd = pGradient->GetEndPoint();
    const float w = static_cast<float>(rcBounds.right - rcBounds.left);
    const float h = static_cast<float>(rcBounds.bottom - rcBounds.top);
    const PointF start(static_cast<float>(pStart ? pStart->m_x : 0) * w + rcBounds.left,
                       static_cast<float>(pStart ? pStart->m_y : 0) * h + rcBounds.top);
    const PointF end(static_cast<float>(pEnd ? pEnd->m_x : 1) * w + rcBounds.left,
                     static_cast<float>(pEnd ? pEnd->m_y : 1) * h + rcBounds.top);

    struct Stop
    {
        ARGB argb;
        float offset;
    };
    std::vector<Stop> stops;
    for (int i = 0; i < pStops->GetCount(); ++i)
    {
        const CLVKMarkupGradientStop* const pStop = pStops->GetStop(i);
        stops.push_back({ToArgb(pStop->GetColor()), static_cast<float>(pStop->GetOffset())});
    }
    std::stable_sort(stops.begin(), stops.end(), [](const Stop& a, const Stop& b) { return a.offset < b.offset; });

    GpLineGradient* pLine = nullptr;
    if (GdipCreateLineBrush(&start, &end, stops.front().argb, stops.back().argb, WrapModeTileFlipXY, &pLine) != Ok)
    {
        return nullptr;
    }
    // The end colours are held from 0 and up to 1, around the stops.
    std::vector<ARGB> colors;
    std::vector<REAL> positions;
    colors.push_back(stops.front().argb);
    positions.push_back(0.0f);
    for (const Stop& stop : stops)
    {
        colors.push_back(stop.argb);
        positions.push_back(std::min(1.0f, std::max(0.0f, stop.offset)));
    }
    colors.push_back(stops.back().argb);
    positions.push_back(1.0f);
    GdipSetLinePresetBlend(pLine, colors.data(), positions.data(), static_cast<INT>(colors.size()));
    return pLine;
}

GpPen* AFX_CDECL CLVKMarkupGdiPlusDeviceContext::CreateGdiPlusPen(const MarkupStrokeStyle* pStroke,
                                                                  const RECT& rcBounds)
{
    if (!pStroke || !pStroke->pBrush)
    {
        return nullptr;
    }
    const REAL thickness = static_cast<REAL>(pStroke->nThickness);
    GpPen* pPen = nullptr;
    if (auto* const pSolid = MarkupCast<CLVKMarkupSolidColorBrush>(pStroke->pBrush))
    {
        GdipCreatePen1(ToArgb(pSolid->GetARGB()), thickness, UnitWorld, &pPen);
    }
    else
    {
        BrushPtr pBrush(CreateGdiPlusBrush(pStroke->pBrush, rcBounds));
        if (!pBrush)
        {
            return nullptr;
        }
        GdipCreatePen2(pBrush.get(), thickness, UnitWorld, &pPen);
    }
    if (!pPen)
    {
        return nullptr;
    }
    if (pStroke->pDashArray && pStroke->pDashArray->GetCount() > 0)
    {
        const std::vector<float>& values = pStroke->pDashArray->GetValues();
        if (values.size() == 1)
        {
            const REAL dash[2] = {values[0], values[0]};
            GdipSetPenDashArray(pPen, dash, 2);
        }
        else
        {
            GdipSetPenDashArray(pPen, values.data(), static_cast<INT>(values.size()));
        }
    }
    // The markup's words use GDI+'s numbers; 0 keeps GDI+'s default.
    if (pStroke->nLineJoin)
    {
        GdipSetPenLineJoin(pPen, static_cast<LineJoin>(pStroke->nLineJoin));
    }
    if (pStroke->nStartCap)
    {
        GdipSetPenStartCap(pPen, static_cast<LineCap>(pStroke->nStartCap));
    }
    if (pStroke->nEndCap)
    {
        GdipSetPenEndCap(pPen, static_cast<LineCap>(pStroke->nEndCap));
    }
    return pPen;
}

CLVKMarkupTransformationMatrix* CLVKMarkupGdiPlusDeviceContext::GetTransformationMatrix()
{
    GpMatrix* pMatrix = nullptr;
    if (GdipCreateMatrix(&pMatrix) != Ok)
    {
        return nullptr;
    }
    REAL m[6] = {1, 0, 0, 1, 0, 0};
    CLVKMarkupTransformationMatrix* pResult = nullptr;
    if (GdipGetWorldTransform(m_pGraphics, pMatrix) == Ok && GdipGetMatrixElements(pMatrix, m) == Ok)
    {
        const XFORM xform = {m[0], m[1], m[2], m[3], m[4], m[5]};
        pResult = new CLVKMarkupTransformationMatrix(xform);
    }
    GdipDeleteMatrix(pMatrix);
    return pResult;
}

void CLVKMarkupGdiPlusDeviceContext::SetTransformationMatrix(const CLVKMarkupTransformationMatrix* pMatrix)
{
    if (!pMatrix)
    {
        return;
    }
    const XFORM& x = pMatrix->GetXForm();
    GpMatrix* pGdiPlusMatrix = nullptr;
    if (GdipCreateMatrix2(x.eM11, x.eM12, x.eM21, x.eM22, x.eDx, x.eDy, &pGdiPlusMatrix) == Ok)
    {
        GdipSetWorldTransform(m_pGraphics, pGdiPlusMatrix);
        GdipDeleteMatrix(pGdiPlusMatrix);
    }
}

void CLVKMarkupGdiPlusDeviceContext::OffsetOrigin(POINT pt)
{
    GdipTranslateWorldTransform(m_pGraphics, static_cast<REAL>(pt.x), static_cast<REAL>(pt.y), MatrixOrderPrepend);
    // GDI drawing through GetDC uses the same origin.
    HDC hDC = nullptr;
    if (GdipGetDC(m_pGraphics, &hDC) == Ok && hDC)
    {
        OffsetViewportOrgEx(hDC, pt.x, pt.y, nullptr);
        GdipReleaseDC(m_pGraphics, hDC);
    }
}

int CLVKMarkupGdiPlusDeviceContext::SetSmoothingMode(int nMode, BOOL bTextSmoothing)
{
    const int nPrevious = m_nMarkupMode < 0 ? 0 : m_nMarkupMode;
    if (nMode < 0 || nMode >= static_cast<int>(sizeof(kSmoothingModes) / sizeof(kSmoothingModes[0])))
    {
        return nPrevious;
    }
    const SmoothingValues& values = kSmoothingModes[nMode];
    const int nTextHint = values.bTextHint && bTextSmoothing ? TextRenderingHintAntiAlias : 0;
    const BOOL bChanged = m_nMarkupMode != nMode || m_nTextHint != nTextHint;
    m_nMarkupMode = nMode;
    m_nSmoothing = values.nSmoothing;
    m_nPixelOffset = values.nPixelOffset;
    m_nInterpolation = values.nInterpolation;
    m_nTextHint = nTextHint;
    if (bChanged)
    {
        ApplySmoothing();
    }
    return nPrevious;
}

void CLVKMarkupGdiPlusDeviceContext::ApplySmoothing()
{
    GdipSetSmoothingMode(m_pGraphics, static_cast<SmoothingMode>(m_nSmoothing));
    GdipSetPixelOffsetMode(m_pGraphics, static_cast<PixelOffsetMode>(m_nPixelOffset));
    GdipSetInterpolationMode(m_pGraphics, static_cast<InterpolationMode>(m_nInterpolation));
    GdipSetTextRenderingHint(m_pGraphics, static_cast<TextRenderingHint>(m_nTextHint));
}

CLVKMarkupGdiPlusDeviceContext::DedicatedDC::DedicatedDC(CLVKMarkupGdiPlusDeviceContext* pDevice, const RECT& rc)
    : CLVKMarkupDedicatedDC(pDevice, rc, POINT{-rc.left, -rc.top})
{
    const int nWidth = rc.right - rc.left;
    const int nHeight = rc.bottom - rc.top;
    if (nWidth <= 0 || nHeight <= 0 ||
        GdipCreateBitmapFromScan0(nWidth, nHeight, 0, PixelFormat32bppPARGB, nullptr, &m_pBitmap) != Ok || !m_pBitmap)
    {
        m_pBitmap = nullptr;
        return;
    }
    if (GdipGetImageGraphicsContext(m_pBitmap, &m_pBitmapGraphics) != Ok || !m_pBitmapGraphics)
    {
        m_pBitmapGraphics = nullptr;
        return;
    }
    if (GdipGetDC(m_pBitmapGraphics, &m_hDC) != Ok)
    {
        m_hDC = nullptr;
    }
}

CLVKMarkupGdiPlusDeviceContext::DedicatedDC::~DedicatedDC()
{
    if (m_hDC)
    {
        GdipReleaseDC(m_pBitmapGraphics, m_hDC);
        m_hDC = nullptr;
    }
    if (m_pBitmapGraphics)
    {
        GdipDeleteGraphics(m_pBitmapGraphics);
    }
    if (m_pBitmap)
    {
        GdipDisposeImage(m_pBitmap);
    }
}

void CLVKMarkupGdiPlusDeviceContext::DedicatedDC::Flush()
{
    if (!m_hDC)
    {
        return;
    }
    GdipReleaseDC(m_pBitmapGraphics, m_hDC);
    m_hDC = nullptr;
    auto* const pDevice = static_cast<CLVKMarkupGdiPlusDeviceContext*>(m_pDevice);
    GdipDrawImageRect(pDevice->GetGraphics(), m_pBitmap, static_cast<REAL>(m_rc.left), static_cast<REAL>(m_rc.top),
                      static_cast<REAL>(m_rc.right - m_rc.left), static_cast<REAL>(m_rc.bottom - m_rc.top));
}

CLVKMarkupDedicatedDC* CLVKMarkupGdiPlusDeviceContext::CreateDedicatedDC(const RECT& rc)
{
    return new DedicatedDC(this, rc);
}

void CLVKMarkupGdiPlusDeviceContext::DrawEllipse(const RECT& rc, const MarkupStrokeStyle* pStroke,
                                                 CLVKMarkupBrush* pFill)
{
    const int nThickness = pStroke && pStroke->nThickness >= 1 ? pStroke->nThickness : 0;
    const REAL half = nThickness / 2.0f;
    const REAL x = rc.left + half, y = rc.top + half;
    const REAL w = static_cast<REAL>(rc.right - rc.left - nThickness);
    const REAL h = static_cast<REAL>(rc.bottom - rc.top - nThickness);
    if (BrushPtr pBrush{CreateGdiPlusBrush(pFill, rc)})
    {
        GdipFillEllipse(m_pGraphics, pBrush.get(), x, y, w, h);
    }
    if (nThickness >= 1)
    {
        if (PenPtr pPen{CreateGdiPlusPen(pStroke, rc)})
        {
            GdipDrawEllipse(m_pGraphics, pPen.get(), x, y, w, h);
        }
    }
}

void CLVKMarkupGdiPlusDeviceContext::DrawBorder(const RECT& rc, CLVKMarkupBrush* pBrush,
                                                const CLVKMarkupThickness* pThickness)
{
    if (!pThickness)
    {
        return;
    }
    BrushPtr pFill(CreateGdiPlusBrush(pBrush, rc));
    if (!pFill)
    {
        return;
    }
    const int l = pThickness->m_nLeft, t = pThickness->m_nTop, r = pThickness->m_nRight, b = pThickness->m_nBottom;
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    // The edges meet without overlapping, so a translucent frame is even.
    if (l > 0)
    {
        GdipFillRectangleI(m_pGraphics, pFill.get(), rc.left, rc.top, l, h);
    }
    if (r > 0)
    {
        GdipFillRectangleI(m_pGraphics, pFill.get(), rc.right - r, rc.top, r, h);
    }
    if (t > 0)
    {
        GdipFillRectangleI(m_pGraphics, pFill.get(), rc.left + l, rc.top, w - l - r, t);
    }
    if (b > 0)
    {
        GdipFillRectangleI(m_pGraphics, pFill.get(), rc.left + l, rc.bottom - b, w - l - r, b);
    }
}

void CLVKMarkupGdiPlusDeviceContext::FillRectangle(const RECT& rc, CLVKMarkupBrush* pBrush)
{
    if (BrushPtr pFill{CreateGdiPlusBrush(pBrush, rc)})
    {
        GdipFillRectangleI(m_pGraphics, pFill.get(), rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    }
}

void CLVKMarkupGdiPlusDeviceContext::DrawLine(int x1, int y1, int x2, int y2, const MarkupStrokeStyle* pStroke)
{
    if (PenPtr pPen{CreateGdiPlusPen(pStroke, RECT{x1, y1, x2, y2})})
    {
        GdipDrawLineI(m_pGraphics, pPen.get(), x1, y1, x2, y2);
    }
}

void CLVKMarkupGdiPlusDeviceContext::DrawPolyline(const POINT* pPoints, int nCount, const MarkupStrokeStyle* pStroke)
{
    if (!pPoints || nCount <= 0)
    {
        return;
    }
    if (PenPtr pPen{CreateGdiPlusPen(pStroke, BoundsOf(pPoints, nCount))})
    {
        GdipDrawLinesI(m_pGraphics, pPen.get(), reinterpret_cast<const GpPoint*>(pPoints), nCount);
    }
}

void CLVKMarkupGdiPlusDeviceContext::DrawPolygon(const POINT* pPoints, int nCount, const MarkupStrokeStyle* pStroke,
                                                 CLVKMarkupBrush* pFill)
{
    if (!pPoints || nCount <= 0)
    {
        return;
    }
    const RECT rcBounds = BoundsOf(pPoints, nCount);
    const GpPoint* const pGpPoints = reinterpret_cast<const GpPoint*>(pPoints);
    if (BrushPtr pBrush{CreateGdiPlusBrush(pFill, rcBounds)})
    {
        GdipSetPixelOffsetMode(m_pGraphics, static_cast<PixelOffsetMode>(m_nPixelOffset));
        GdipFillPolygonI(m_pGraphics, pBrush.get(), pGpPoints, nCount, FillModeAlternate);
    }
    if (pStroke && pStroke->nThickness >= 1)
    {
        if (PenPtr pPen{CreateGdiPlusPen(pStroke, rcBounds)})
        {
            // An odd width centred on whole coordinates covers whole pixels
            // only without the half-pixel offset.
            GdipSetPixelOffsetMode(m_pGraphics, pStroke->nThickness % 2 ? PixelOffsetModeDefault
                                                                        : static_cast<PixelOffsetMode>(m_nPixelOffset));
            GdipDrawPolygonI(m_pGraphics, pPen.get(), pGpPoints, nCount);
        }
    }
}

void CLVKMarkupGdiPlusDeviceContext::DrawPath(const CLVKMarkupPathData* pPath, const MarkupStrokeStyle* pStroke,
                                              CLVKMarkupBrush* pFill)
{
    if (!pPath || pPath->GetCount() < 1)
    {
        return;
    }
    GpPath* pGpPath = nullptr;
    if (GdipCreatePath2(reinterpret_cast<const GpPointF*>(pPath->GetPoints()), pPath->GetTypes(), pPath->GetCount(),
                        FillModeAlternate, &pGpPath) != Ok)
    {
        return;
    }
    const RECT rcBounds = pPath->GetBounds();
    if (BrushPtr pBrush{CreateGdiPlusBrush(pFill, rcBounds)})
    {
        GdipSetPixelOffsetMode(m_pGraphics, static_cast<PixelOffsetMode>(m_nPixelOffset));
        GdipFillPath(m_pGraphics, pBrush.get(), pGpPath);
    }
    if (pStroke && pStroke->nThickness > 0)
    {
        const int nMode = pPath->GetPixelOffsetMode() ? pPath->GetPixelOffsetMode() : m_nPixelOffset;
        GdipSetPixelOffsetMode(m_pGraphics, static_cast<PixelOffsetMode>(nMode));
        if (PenPtr pPen{CreateGdiPlusPen(pStroke, rcBounds)})
        {
            GdipDrawPath(m_pGraphics, pPen.get(), pGpPath);
        }
    }
    GdipDeletePath(pGpPath);
}

GpFont* CLVKMarkupGdiPlusDeviceContext::GetTextFont()
{
    if (m_pFont)
    {
        return m_pFont;
    }
    HDC hDC = GetDC();
    if (!hDC)
    {
        return nullptr;
    }
    LOGFONTW lf = {};
    HGDIOBJ hFont = GetCurrentObject(hDC, OBJ_FONT);
    if (!hFont || GetObjectW(hFont, sizeof(lf), &lf) != sizeof(lf) ||
        GdipCreateFontFromLogfontW(hDC, &lf, &m_pFont) != Ok)
    {
        m_pFont = nullptr;
        if (GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf) == sizeof(lf))
        {
            GdipCreateFontFromLogfontW(hDC, &lf, &m_pFont);
        }
    }
    ReleaseDC(hDC);
    return m_pFont;
}

void CLVKMarkupGdiPlusDeviceContext::DrawString(LPCWSTR lpszText, int nLength, const RECT& rc)
{
    if (IsRectEmpty(&rc) || !lpszText || nLength <= 0)
    {
        return;
    }
    // A trailing blank is measured (the format counts it) but not drawn.
    if (iswspace(lpszText[nLength - 1]))
    {
        --nLength;
    }
    GpFont* const pFont = GetTextFont();
    if (nLength <= 0 || !pFont || !m_pTextBrush)
    {
        return;
    }
    const RectF layout(static_cast<REAL>(rc.left), static_cast<REAL>(rc.top), static_cast<REAL>(rc.right - rc.left),
                       static_cast<REAL>(rc.bottom - rc.top));
    GdipDrawString(m_pGraphics, lpszText, nLength, pFont, &layout, m_pStringFormat, m_pTextBrush);
}

SIZE CLVKMarkupGdiPlusDeviceContext::MeasureString(LPCWSTR lpszText, int nLength)
{
    SIZE size = {0, 0};
    GpFont* const pFont = GetTextFont();
    if (!lpszText || nLength <= 0 || !pFont)
    {
        return size;
    }
    const RectF layout(0, 0, 0, 0);
    RectF bounds;
    if (GdipMeasureString(m_pGraphics, lpszText, nLength, pFont, &layout, m_pStringFormat, &bounds, nullptr, nullptr) ==
        Ok)
    {
        size.cx = static_cast<LONG>(std::lround(bounds.Width));
        size.cy = static_cast<LONG>(std::lround(bounds.Height));
    }
    return size;
}

void CLVKMarkupGdiPlusDeviceContext::SetTextBrush(CLVKMarkupBrush* pBrush)
{
    if (m_pTextBrush)
    {
        GdipDeleteBrush(m_pTextBrush);
        m_pTextBrush = nullptr;
    }
    m_pTextBrush = CreateGdiPlusBrush(pBrush, RECT{0, 0, 1, 1});
}

void CLVKMarkupGdiPlusDeviceContext::SetFont(CLVKMarkupFont* pFont)
{
    if (m_pFont)
    {
        GdipDeleteFont(m_pFont);
        m_pFont = nullptr;
    }
    if (!pFont)
    {
        return;
    }
    if (HDC hDC = GetDC())
    {
        if (GdipCreateFontFromLogfontW(hDC, &pFont->GetLogFont(), &m_pFont) != Ok)
        {
            m_pFont = nullptr;
        }
        ReleaseDC(hDC);
    }
}

BOOL CLVKMarkupGdiPlusDeviceContext::GetFontMetrics(CLVKMarkupFont* pFont, int* pnAscent, int* pnDescent)
{
    if (!pFont || !pnAscent || !pnDescent)
    {
        return FALSE;
    }
    HDC hDC = GetDC();
    if (!hDC)
    {
        return FALSE;
    }
    GpFont* pGpFont = nullptr;
    if (GdipCreateFontFromLogfontW(hDC, &pFont->GetLogFont(), &pGpFont) != Ok || !pGpFont)
    {
        // No GDI+ font for it: GDI's answer.
        TEXTMETRICW tm = {};
        BOOL bOk = FALSE;
        {
            const CLVKGdiObjectDC font(hDC, pFont->GetHandle());
            bOk = GetTextMetricsW(hDC, &tm);
        }
        ReleaseDC(hDC);
        if (bOk)
        {
            *pnAscent = tm.tmAscent;
            *pnDescent = tm.tmDescent;
        }
        return bOk;
    }
    ReleaseDC(hDC);
    GpFontFamily* pFamily = nullptr;
    INT nStyle = 0;
    UINT16 nAscent = 0, nDescent = 0, nEmHeight = 0;
    REAL size = 0;
    BOOL bOk =
        GdipGetFamily(pGpFont, &pFamily) == Ok && GdipGetFontStyle(pGpFont, &nStyle) == Ok &&
        GdipGetCellAscent(pFamily, nStyle, &nAscent) == Ok && GdipGetCellDescent(pFamily, nStyle, &nDescent) == Ok &&
        GdipGetEmHeight(pFamily, nStyle, &nEmHeight) == Ok && GdipGetFontSize(pGpFont, &size) == Ok && nEmHeight != 0;
    if (bOk)
    {
        *pnAscent = static_cast<int>(nAscent * size / nEmHeight);
        *pnDescent = static_cast<int>(nDescent * size / nEmHeight);
    }
    if (pFamily)
    {
        GdipDeleteFontFamily(pFamily);
    }
    GdipDeleteFont(pGpFont);
    return bOk;
}

void CLVKMarkupGdiPlusDeviceContext::IntersectClipRect(const RECT& rc)
{
    GdipSetClipRectI(m_pGraphics, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, CombineModeIntersect);
}

void CLVKMarkupGdiPlusDeviceContext::GetClipBox(RECT& rc)
{
    GpRect bounds;
    if (GdipGetClipBoundsI(m_pGraphics, &bounds) != Ok)
    {
        SetRectEmpty(&rc);
        return;
    }
    SetRect(&rc, bounds.X, bounds.Y, bounds.X + bounds.Width, bounds.Y + bounds.Height);
}

HRGN CLVKMarkupGdiPlusDeviceContext::SaveClipRegion()
{
    GpRegion* pRegion = nullptr;
    if (GdipCreateRegion(&pRegion) != Ok)
    {
        return nullptr;
    }
    GdipGetClip(m_pGraphics, pRegion);
    return reinterpret_cast<HRGN>(pRegion);
}

void CLVKMarkupGdiPlusDeviceContext::RestoreClipRegion(HRGN hRegion)
{
    if (!hRegion)
    {
        return;
    }
    auto* const pRegion = reinterpret_cast<GpRegion*>(hRegion);
    GdipSetClipRegion(m_pGraphics, pRegion, CombineModeReplace);
    GdipDeleteRegion(pRegion);
}

HDC CLVKMarkupGdiPlusDeviceContext::GetDC()
{
    HDC hDC = nullptr;
    if (GdipGetDC(m_pGraphics, &hDC) != Ok)
    {
        return nullptr;
    }
    return hDC;
}

void CLVKMarkupGdiPlusDeviceContext::ReleaseDC(HDC hDC)
{
    if (hDC)
    {
        GdipReleaseDC(m_pGraphics, hDC);
    }
}

// Pictures read through GDI+ (with GIF animation); icons fall back inside.
CLVKMarkupDeviceDependentImage*
CLVKMarkupGdiPlusDeviceContext::CreateDeviceImage(ILVKMarkupDeviceDependentImageSite* pSite)
{
    return new CLVKMarkupGdiPlusImage(pSite);
}

void CLVKMarkupGdiPlusDeviceContext::DrawDeviceImage(CLVKMarkupDeviceDependentImage* pImage, const RECT& rc)
{
    if (!pImage)
    {
        return;
    }
    if (CLVKImageManagerIcon* const pIcon = pImage->GetIcon())
    {
        DrawIcon(pIcon, rc);
        return;
    }
    auto* const pGdiPlusImage = dynamic_cast<CLVKMarkupGdiPlusImage*>(pImage);
    auto* const pPicture = pGdiPlusImage ? static_cast<GpImage*>(pGdiPlusImage->GetGdiPlusImage()) : nullptr;
    if (!pPicture)
    {
        // A picture another device loaded draws itself through GDI.
        if (HDC hDC = GetDC())
        {
            pImage->Draw(hDC, rc);
            ReleaseDC(hDC);
        }
        return;
    }
    UINT nFlags = 0;
    GdipGetImageFlags(pPicture, &nFlags);
    COLORREF clrKey = CLR_INVALID;
    if (!(nFlags & (ImageFlagsHasAlpha | ImageFlagsHasTranslucent)))
    {
        ILVKMarkupDeviceDependentImageSite* const pSite = pImage->GetSite();
        if (pSite && pSite->GetMarkupContext())
        {
            clrKey = MarkupGetSiteMaskColor(pSite);
        }
    }
    DrawWholeImage(pPicture, rc, clrKey);
}

void CLVKMarkupGdiPlusDeviceContext::DrawWholeImage(GpImage* pPicture, const RECT& rc, COLORREF clrKey)
{
    GpImageAttributes* pAttributes = nullptr;
    if (GdipCreateImageAttributes(&pAttributes) == Ok && pAttributes)
    {
        // Scaling samples beyond the picture's edge: mirrored pixels keep
        // the edge as it is instead of fading it into transparency.
        GdipSetImageAttributesWrapMode(pAttributes, WrapModeTileFlipXY, 0, FALSE);
        if (clrKey != CLR_INVALID)
        {
            const ARGB key = ToArgb(clrKey) & 0x00FFFFFF;
            GdipSetImageAttributesColorKeys(pAttributes, ColorAdjustTypeBitmap, TRUE, key, key);
        }
    }
    UINT nWidth = 0, nHeight = 0;
    GdipGetImageWidth(pPicture, &nWidth);
    GdipGetImageHeight(pPicture, &nHeight);
    GdipDrawImageRectRect(m_pGraphics, pPicture, static_cast<REAL>(rc.left), static_cast<REAL>(rc.top),
                          static_cast<REAL>(rc.right - rc.left), static_cast<REAL>(rc.bottom - rc.top), 0, 0,
                          static_cast<REAL>(nWidth), static_cast<REAL>(nHeight), UnitPixel, pAttributes, nullptr,
                          nullptr);
    if (pAttributes)
    {
        GdipDisposeImageAttributes(pAttributes);
    }
}

void CLVKMarkupGdiPlusDeviceContext::DrawIcon(CLVKImageManagerIcon* pIcon, const RECT& rc)
{
    if (!pIcon)
    {
        return;
    }
    if (BitmapPtr pBitmap{IconToGdiPlusBitmap(pIcon)})
    {
        DrawWholeImage(pBitmap.get(), rc, CLR_INVALID);
        return;
    }
    if (HDC hDC = GetDC())
    {
        CDC dc;
        dc.Attach(hDC);
        pIcon->DrawScaled(&dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
        dc.Detach();
        ReleaseDC(hDC);
    }
}

GpBitmap* AFX_CDECL CLVKMarkupGdiPlusDeviceContext::IconToGdiPlusBitmap(CLVKImageManagerIcon* pIcon)
{
    if (!pIcon)
    {
        return nullptr;
    }
    CLVKIconImage& image = pIcon->GetNormalImage();
    if (image.GetAtlasEntry())
    {
        // A cell of a shared atlas: drawn by the image manager itself.
        return nullptr;
    }
    if (HICON hIcon = image.GetIcon())
    {
        GpBitmap* pBitmap = nullptr;
        IconHandleToGdiPlusBitmap(hIcon, &pBitmap);
        return pBitmap;
    }
    const HBITMAP hBitmap = image.GetBitmap();
    if (!hBitmap)
    {
        return nullptr;
    }
    // The image manager's 32-bit pictures: premultiplied pixels of a DIB
    // section, read where they are.
    const BYTE* const pBits = image.GetBits();
    DIBSECTION dib = {};
    if (pBits && GetObjectW(image.GetBitmap(), sizeof(dib), &dib) == sizeof(dib) && dib.dsBm.bmBitsPixel == 32 &&
        dib.dsBm.bmWidth > 0 && dib.dsBm.bmHeight > 0 && dib.dsBm.bmWidth <= kMaxIconSide &&
        dib.dsBm.bmHeight <= kMaxIconSide)
    {
        return BitmapFromPixels(reinterpret_cast<const DWORD*>(pBits), dib.dsBm.bmWidth, dib.dsBm.bmHeight,
                                PixelFormat32bppPARGB, dib.dsBmih.biHeight > 0);
    }
    GpBitmap* pBitmap = nullptr;
    if (GdipCreateBitmapFromHBITMAP(image.GetBitmap(), nullptr, &pBitmap) != Ok)
    {
        return nullptr;
    }
    return pBitmap;
}

int AFX_CDECL CLVKMarkupGdiPlusDeviceContext::IconHandleToGdiPlusBitmap(HICON hIcon, GpBitmap** ppBitmap)
{
    if (!ppBitmap)
    {
        return iconNoInformation;
    }
    *ppBitmap = nullptr;
    ICONINFO info = {};
    if (!hIcon || !GetIconInfo(hIcon, &info))
    {
        return iconNoInformation;
    }
    // The icon's bitmaps are copies made for us; they go whatever happens.
    struct IconBitmaps
    {
        ICONINFO& info;
        ~IconBitmaps()
        {
            if (info.hbmColor)
            {
                DeleteObject(info.hbmColor);
            }
            if (info.hbmMask)
            {
                DeleteObject(info.hbmMask);
            }
        }
    } const scope{info};

    const BOOL bMonochrome = info.hbmColor == nullptr;
    BITMAP bm = {};
    const HBITMAP hSize = bMonochrome ? info.hbmMask : info.hbmColor;
    if (!hSize || GetObjectW(hSize, sizeof(bm), &bm) != sizeof(bm))
    {
        return iconUnreadable;
    }
    // A monochrome icon's mask holds the AND mask over the XOR picture, each
    // as high as the icon.
    const int nWidth = bm.bmWidth;
    const int nHeight = bMonochrome ? bm.bmHeight / 2 : bm.bmHeight;
    if (nWidth <= 0 || nHeight <= 0 || nWidth > kMaxIconSide || nHeight > kMaxIconSide)
    {
        return iconUnreadable;
    }
    const size_t nPixels = static_cast<size_t>(nWidth) * nHeight;
    std::vector<DWORD> pixels;
    std::vector<DWORD> mask;
    try
    {
        pixels.resize(bMonochrome ? nPixels * 2 : nPixels);
        mask.resize(nPixels);
    }
    catch (const std::bad_alloc&)
    {
        return iconOutOfMemory;
    }

    BOOL bHasAlpha = FALSE;
    if (bMonochrome)
    {
        // Both halves are read as the rows they are, never more: the XOR
        // picture is the colour, the AND mask the transparency.
        if (!ReadBitmapRows(info.hbmMask, nWidth, nHeight * 2, pixels))
        {
            return iconUnreadable;
        }
        memcpy(mask.data(), pixels.data(), nPixels * sizeof(DWORD));
        memmove(pixels.data(), pixels.data() + nPixels, nPixels * sizeof(DWORD));
        pixels.resize(nPixels);
    }
    else
    {
        if (!ReadBitmapRows(info.hbmColor, nWidth, nHeight, pixels))
        {
            return iconUnreadable;
        }
        if (bm.bmBitsPixel == 32)
        {
            bHasAlpha = std::any_of(pixels.begin(), pixels.end(), [](DWORD p) { return (p >> 24) != 0; });
        }
        if (!bHasAlpha && info.hbmMask)
        {
            BITMAP bmMask = {};
            if (GetObjectW(info.hbmMask, sizeof(bmMask), &bmMask) != sizeof(bmMask) || bmMask.bmHeight < nHeight ||
                !ReadBitmapRows(info.hbmMask, nWidth, nHeight, mask))
            {
                return iconUnreadable;
            }
        }
        else if (!bHasAlpha)
        {
            // No mask: every pixel is opaque.
            std::fill(mask.begin(), mask.end(), 0);
        }
    }
    if (!bHasAlpha)
    {
        for (size_t i = 0; i < nPixels; ++i)
        {
            pixels[i] = (mask[i] & 0x00FFFFFF) ? 0 : (pixels[i] | 0xFF000000);
        }
    }
    // Icon pixels carry straight alpha; GDI+ premultiplies them as they
    // are written.
    *ppBitmap = BitmapFromPixels(pixels.data(), nWidth, nHeight, PixelFormat32bppARGB, false);
    return *ppBitmap ? iconConverted : iconOutOfMemory;
}
