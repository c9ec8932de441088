#include "Markup/MarkupDeviceContext.h"

#include "Foundation/GdiObjectDC.h"
#include "Foundation/ImageManagerIcon.h"
#include "Markup/MarkupDedicatedDC.h"
#include "Markup/MarkupDoubleCollection.h"
#include "Markup/MarkupFont.h"
#include "Markup/MarkupGdiImage.h"
#include "Markup/MarkupGradientStops.h"
#include "Markup/MarkupLinearGradientBrush.h"
#include "Markup/MarkupPathData.h"
#include "Markup/MarkupPathGeometryBuilder.h"
#include "Markup/MarkupPoint.h"
#include "Markup/MarkupSolidColorBrush.h"
#include "Markup/MarkupThickness.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{

HPEN CreateStrokePen(const MarkupStrokeStyle& stroke);

// The pen of a stroke and the brush of a fill, selected for one operation
// and put back (and freed) when it ends.
class CStrokeAndFill
{
public:
    CStrokeAndFill(HDC hDC, const MarkupStrokeStyle* pStroke, CLVKMarkupBrush* pFill) : m_hDC(hDC)
    {
        if (pStroke && pStroke->nThickness > 0 && pStroke->pBrush)
        {
            m_hPen = CreateStrokePen(*pStroke);
        }
        if (pFill)
        {
            m_hBrush = CreateSolidBrush(pFill->GetHintColor());
        }
        m_hOldPen = SelectObject(hDC, m_hPen ? static_cast<HGDIOBJ>(m_hPen) : GetStockObject(NULL_PEN));
        m_hOldBrush = SelectObject(hDC, m_hBrush ? static_cast<HGDIOBJ>(m_hBrush) : GetStockObject(NULL_BRUSH));
    }
    ~CStrokeAndFill()
    {
        SelectObject(m_hDC, m_hOldPen);
        SelectObject(m_hDC, m_hOldBrush);
        if (m_hPen)
        {
            DeleteObject(m_hPen);
        }
        if (m_hBrush)
        {
            DeleteObject(m_hBrush);
        }
    }
    BOOL HasPen() const { return m_hPen != nullptr; }
    BOOL HasBrush() const { return m_hBrush != nullptr; }

private:
    HDC m_hDC;
    HPEN m_hPen = nullptr;
    HBRUSH m_hBrush = nullptr;
    HGDIOBJ m_hOldPen;
    HGDIOBJ m_hOldBrush;
};

// A plain stroke keeps GDI's solid pen (round ends and joins when wide); a
// dash pattern, cap or join asks for a geometric pen. Dash lengths are in
// stroke widths, as on the GDI+ device; GDI has one cap for both ends (the
// start cap, else the end cap) and no triangle cap (flat instead).
HPEN CreateStrokePen(const MarkupStrokeStyle& stroke)
{
    const COLORREF clr = stroke.pBrush->GetHintColor();
    const BOOL bDashed = stroke.pDashArray && stroke.pDashArray->GetCount() > 0;
    const int nCap = stroke.nStartCap ? stroke.nStartCap : stroke.nEndCap;
    if (!bDashed && !nCap && !stroke.nLineJoin)
    {
        return CreatePen(PS_SOLID, stroke.nThickness, clr);
    }
    DWORD nStyle = PS_GEOMETRIC;
    switch (nCap)
    {
    case 1:
        nStyle |= PS_ENDCAP_SQUARE;
        break;
    case 2:
        nStyle |= PS_ENDCAP_ROUND;
        break;
    case 0:
        nStyle |= stroke.nThickness > 1 ? PS_ENDCAP_ROUND : PS_ENDCAP_FLAT;
        break;
    default:
        nStyle |= PS_ENDCAP_FLAT;
        break;
    }
    switch (stroke.nLineJoin)
    {
    case 1:
        nStyle |= PS_JOIN_BEVEL;
        break;
    case 2:
        nStyle |= PS_JOIN_ROUND;
        break;
    default:
        nStyle |= stroke.nLineJoin == 0 && stroke.nThickness > 1 ? PS_JOIN_ROUND : PS_JOIN_MITER;
        break;
    }
    std::vector<DWORD> dashes;
    if (bDashed)
    {
        // Lengths of 0 or less would make ExtCreatePen fail: each is at
        // least one pixel. One value is dash and gap alike.
        for (const float value : stroke.pDashArray->GetValues())
        {
            const double length = static_cast<double>(value) * stroke.nThickness;
            dashes.push_back(length >= 1 ? static_cast<DWORD>(std::min(length, 1e6) + 0.5) : 1);
        }
        if (dashes.size() == 1)
        {
            dashes.push_back(dashes[0]);
        }
        dashes.resize(std::min<size_t>(dashes.size(), 16));
        nStyle |= PS_USERSTYLE;
    }
    else
    {
        nStyle |= PS_SOLID;
    }
    LOGBRUSH lb = {};
    lb.lbStyle = BS_SOLID;
    lb.lbColor = clr;
    HPEN hPen = ExtCreatePen(nStyle, static_cast<DWORD>(stroke.nThickness), &lb, static_cast<DWORD>(dashes.size()),
                             dashes.empty() ? nullptr : dashes.data());
    return hPen ? hPen : CreatePen(PS_SOLID, stroke.nThickness, clr);
}

void BuildRoundedFigure(CLVKMarkupPathGeometryBuilder& builder, float l, float t, float r, float b,
                        const double* pRadii)
{
    const float r1 = static_cast<float>(pRadii[0]), r2 = static_cast<float>(pRadii[1]);
    const float r3 = static_cast<float>(pRadii[2]), r4 = static_cast<float>(pRadii[3]);
    const float r5 = static_cast<float>(pRadii[4]), r6 = static_cast<float>(pRadii[5]);
    const float r7 = static_cast<float>(pRadii[6]), r8 = static_cast<float>(pRadii[7]);
    builder.StartFigure(l, t + r1);
    builder.AddQuadratic({l, t}, {l + r2, t});
    builder.AddLine(r - r3, t);
    builder.AddQuadratic({r, t}, {r, t + r4});
    builder.AddLine(r, b - r5);
    builder.AddQuadratic({r, b}, {r - r6, b});
    builder.AddLine(l + r7, b);
    builder.AddQuadratic({l, b}, {l, b - r8});
    builder.EndFigure();
}

}  // namespace

CLVKMarkupDeviceContext::CLVKMarkupDeviceContext(HDC hDC, HDC hAttribDC)
    : m_hDC(hDC), m_hAttribDC(hAttribDC ? hAttribDC : hDC)
{
    if (m_hDC)
    {
        m_nOldGraphicsMode = SetGraphicsMode(m_hDC, GM_ADVANCED);
        GetWorldTransform(m_hDC, &m_xformOld);
        m_matrix = CLVKMarkupTransformationMatrix(m_xformOld);
    }
}

CLVKMarkupDeviceContext::~CLVKMarkupDeviceContext()
{
    if (m_hSavedFont)
    {
        SelectObject(m_hDC, m_hSavedFont);
        if (m_hAttribDC != m_hDC)
        {
            SelectObject(m_hAttribDC, m_hSavedFont);
        }
    }
    if (m_hDC)
    {
        SetWorldTransform(m_hDC, &m_xformOld);
        if (m_nOldGraphicsMode)
        {
            SetGraphicsMode(m_hDC, m_nOldGraphicsMode);
        }
    }
}

void CLVKMarkupDeviceContext::ApplyTransform()
{
    if (m_hDC)
    {
        SetWorldTransform(m_hDC, &m_matrix.GetXForm());
    }
}

CLVKMarkupTransformationMatrix* CLVKMarkupDeviceContext::GetTransformationMatrix()
{
    return m_matrix.Clone();
}

void CLVKMarkupDeviceContext::SetTransformationMatrix(const CLVKMarkupTransformationMatrix* pMatrix)
{
    if (pMatrix)
    {
        m_matrix = *pMatrix;
        ApplyTransform();
    }
}

void CLVKMarkupDeviceContext::OffsetOrigin(POINT pt)
{
    m_matrix.Translate(static_cast<float>(pt.x), static_cast<float>(pt.y));
    ApplyTransform();
}

int CLVKMarkupDeviceContext::SetSmoothingMode(int /*nMode*/, BOOL /*bTextSmoothing*/)
{
    return m_nSmoothingMode;
}

void CLVKMarkupDeviceContext::DrawEllipse(const RECT& rc, const MarkupStrokeStyle* pStroke, CLVKMarkupBrush* pFill)
{
    CStrokeAndFill selection(m_hDC, pStroke, pFill);
    Ellipse(m_hDC, rc.left, rc.top, rc.right, rc.bottom);
}

void CLVKMarkupDeviceContext::DrawBorder(const RECT& rc, CLVKMarkupBrush* pBrush, const CLVKMarkupThickness* pThickness)
{
    if (!pBrush || !pThickness)
    {
        return;
    }
    if (pThickness->m_nLeft > 0)
    {
        FillRectangle(RECT{rc.left, rc.top, rc.left + pThickness->m_nLeft, rc.bottom}, pBrush);
    }
    if (pThickness->m_nRight > 0)
    {
        FillRectangle(RECT{rc.right - pThickness->m_nRight, rc.top, rc.right, rc.bottom}, pBrush);
    }
    if (pThickness->m_nTop > 0)
    {
        FillRectangle(RECT{rc.left, rc.top, rc.right, rc.top + pThickness->m_nTop}, pBrush);
    }
    if (pThickness->m_nBottom > 0)
    {
        FillRectangle(RECT{rc.left, rc.bottom - pThickness->m_nBottom, rc.right, rc.bottom}, pBrush);
    }
}

void CLVKMarkupDeviceContext::FillSolid(const RECT& rc, COLORREF clr)
{
    if (m_matrix.IsAxisAligned())
    {
        const COLORREF clrOld = SetBkColor(m_hDC, clr);
        ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
        SetBkColor(m_hDC, clrOld);
        return;
    }
    // A rotated or sheared rectangle is a polygon on the device.
    const POINT points[4] = {{rc.left, rc.top}, {rc.right, rc.top}, {rc.right, rc.bottom}, {rc.left, rc.bottom}};
    HBRUSH hBrush = CreateSolidBrush(clr);
    {
        const CLVKGdiObjectDC brush(m_hDC, hBrush);
        const CLVKGdiObjectDC pen(m_hDC, GetStockObject(NULL_PEN));
        Polygon(m_hDC, points, 4);
    }
    DeleteObject(hBrush);
}

void CLVKMarkupDeviceContext::FillRectangle(const RECT& rc, CLVKMarkupBrush* pBrush)
{
    if (!pBrush || !m_hDC)
    {
        return;
    }
    if (auto* const pSolid = MarkupCast<CLVKMarkupSolidColorBrush>(pBrush))
    {
        FillSolid(rc, pSolid->GetColor());
    }
    else if (auto* const pGradient = MarkupCast<CLVKMarkupLinearGradientBrush>(pBrush))
    {
        FillGradient(rc, pGradient);
    }
}

void CLVKMarkupDeviceContext::FillGradient(const RECT& rc, CLVKMarkupLinearGradientBrush* pBrush)
{
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    CLVKMarkupGradientStops* const pStops = pBrush->GetGradientStops();
    if (w <= 0 || h <= 0 || !pStops || pStops->GetCount() == 0)
    {
        return;
    }
    if (pStops->GetCount() == 1)
    {
        FillSolid(rc, pStops->GetStop(0)->GetColor() & 0xFFFFFF);
        return;
    }
    const CLVKMarkupPoint* const pStart = pBrush->GetStartPoint();
    const CLVKMarkupPoint* const pEnd = pBrush->GetEndPoint();
    const double sx = (pStart ? pStart->m_x : 0) * w, sy = (pStart ? pStart->m_y : 0) * h;
    const double ex = (pEnd ? pEnd->m_x : 1) * w, ey = (pEnd ? pEnd->m_y : 1) * h;
    if (sx == ex && sy == ey)
    {
        return;
    }
    // Only the visible part is computed: the bitmap is the clip box's size.
    RECT rcClip = {};
    ::GetClipBox(m_hDC, &rcClip);
    OffsetRect(&rcClip, -rc.left, -rc.top);
    const RECT rcWhole = {0, 0, w, h};
    RECT rcPart = {};
    if (!IntersectRect(&rcPart, &rcClip, &rcWhole))
    {
        return;
    }
    struct Stop
    {
        BYTE b, g, r;
        double offset;
        int nIndex;
        double distance;
    };
    std::vector<Stop> stops;
    for (int i = 0; i < pStops->GetCount(); ++i)
    {
        const DWORD clr = pStops->GetStop(i)->GetColor();
        stops.push_back({GetBValue(clr), GetGValue(clr), GetRValue(clr), pStops->GetStop(i)->GetOffset(), i, 0});
    }
    std::stable_sort(stops.begin(), stops.end(), [](const Stop& a, const Stop& b) { return a.offset < b.offset; });
    for (size_t i = 1; i < stops.size(); ++i)
    {
        stops[i].distance = stops[i].offset - stops[i - 1].offset;
    }
    const double length = sqrt((ex - sx) * (ex - sx) + (ey - sy) * (ey - sy));
    const double dx = (ex - sx) / length, dy = (ey - sy) / length;
    const double span = (ex - sx) * dx + (ey - sy) * dy;
    const auto colorAt = [&](double x, double y) -> DWORD
    {
        const double t = ((x - sx) * dx + (y - sy) * dy) / span;
        const Stop* pFirst = &stops.front();
        const Stop* pLast = &stops.back();
        const auto pack = [](const Stop& s) -> DWORD { return (s.r << 16) | (s.g << 8) | s.b; };
        if (t <= pFirst->offset)
        {
            return pack(*pFirst);
        }
        if (t >= pLast->offset)
        {
            return pack(*pLast);
        }
        for (size_t i = 1; i < stops.size(); ++i)
        {
            if (stops[i].offset > t && stops[i].distance != 0)
            {
                const double a = (stops[i].offset - t) / stops[i].distance;
                const Stop& next = stops[i];
                const Stop& previous = stops[i - 1];
                const int r = static_cast<int>(next.r * (1 - a) + previous.r * a);
                const int g = static_cast<int>(next.g * (1 - a) + previous.g * a);
                const int b = static_cast<int>(next.b * (1 - a) + previous.b * a);
                return (r << 16) | (g << 8) | b;
            }
        }
        return pack(*pLast);
    };

    const int pw = rcPart.right - rcPart.left, ph = rcPart.bottom - rcPart.top;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = pw;
    bmi.bmiHeader.biHeight = -ph;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HBITMAP hBitmap = CreateDIBSection(m_hDC, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (!hBitmap || !pBits)
    {
        if (hBitmap)
        {
            DeleteObject(hBitmap);
        }
        return;
    }
    auto* const pPixels = static_cast<DWORD*>(pBits);
    for (int y = 0; y < ph; ++y)
    {
        DWORD* const pRow = pPixels + static_cast<size_t>(y) * pw;
        const int gy = rcPart.top + y;
        if (sx == ex)
        {
            // Vertical gradient: one colour per row.
            const DWORD clr = colorAt(0, gy + 1);
            std::fill(pRow, pRow + pw, clr);
        }
        else if (sy == ey && y > 0)
        {
            // Horizontal gradient: every row is the first.
            std::copy(pPixels, pPixels + pw, pRow);
        }
        else
        {
            for (int x = 0; x < pw; ++x)
            {
                pRow[x] = colorAt(rcPart.left + x, gy + 1);
            }
        }
    }
    HDC hMemDC = CreateCompatibleDC(m_hDC);
    if (hMemDC)
    {
        {
            const CLVKGdiObjectDC bitmap(hMemDC, hBitmap);
            BitBlt(m_hDC, rc.left + rcPart.left, rc.top + rcPart.top, pw, ph, hMemDC, 0, 0, SRCCOPY);
        }
        DeleteDC(hMemDC);
    }
    DeleteObject(hBitmap);
}

void CLVKMarkupDeviceContext::DrawLine(int x1, int y1, int x2, int y2, const MarkupStrokeStyle* pStroke)
{
    CStrokeAndFill selection(m_hDC, pStroke, nullptr);
    MoveToEx(m_hDC, x1, y1, nullptr);
    LineTo(m_hDC, x2, y2);
}

void CLVKMarkupDeviceContext::DrawPolyline(const POINT* pPoints, int nCount, const MarkupStrokeStyle* pStroke)
{
    if (!pPoints || nCount <= 0)
    {
        return;
    }
    CStrokeAndFill selection(m_hDC, pStroke, nullptr);
    Polyline(m_hDC, pPoints, nCount);
}

void CLVKMarkupDeviceContext::DrawPolygon(const POINT* pPoints, int nCount, const MarkupStrokeStyle* pStroke,
                                          CLVKMarkupBrush* pFill)
{
    if (!pPoints || nCount <= 0)
    {
        return;
    }
    CStrokeAndFill selection(m_hDC, pStroke, pFill);
    Polygon(m_hDC, pPoints, nCount);
}

void CLVKMarkupDeviceContext::DrawPath(const CLVKMarkupPathData* pPath, const MarkupStrokeStyle* pStroke,
                                       CLVKMarkupBrush* pFill)
{
    if (!pPath || pPath->GetCount() == 0)
    {
        return;
    }
    const MARKUP_POINTF* const pPoints = pPath->GetPoints();
    const BYTE* const pTypes = pPath->GetTypes();
    const int nCount = pPath->GetCount();
    BeginPath(m_hDC);
    for (int i = 0; i < nCount; ++i)
    {
        const BYTE nType = pTypes[i] & 0x7F;
        BYTE nLastType = pTypes[i];
        if (nType == 0)
        {
            MoveToEx(m_hDC, static_cast<int>(pPoints[i].x), static_cast<int>(pPoints[i].y), nullptr);
        }
        else if (nType == 3)
        {
            // A curve needs its two followers; a truncated one ends here.
            if (i + 2 >= nCount)
            {
                break;
            }
            const POINT curve[3] = {{static_cast<int>(pPoints[i].x), static_cast<int>(pPoints[i].y)},
                                    {static_cast<int>(pPoints[i + 1].x), static_cast<int>(pPoints[i + 1].y)},
                                    {static_cast<int>(pPoints[i + 2].x), static_cast<int>(pPoints[i + 2].y)}};
            PolyBezierTo(m_hDC, curve, 3);
            nLastType = pTypes[i + 2];
            i += 2;
        }
        else
        {
            LineTo(m_hDC, static_cast<int>(pPoints[i].x), static_cast<int>(pPoints[i].y));
        }
        if (nLastType & 0x80)
        {
            CloseFigure(m_hDC);
        }
    }
    EndPath(m_hDC);
    CStrokeAndFill selection(m_hDC, pStroke, pFill);
    if (selection.HasPen() && selection.HasBrush())
    {
        StrokeAndFillPath(m_hDC);
    }
    else if (selection.HasPen())
    {
        StrokePath(m_hDC);
    }
    else if (selection.HasBrush())
    {
        FillPath(m_hDC);
    }
    else
    {
        AbortPath(m_hDC);
    }
}

void CLVKMarkupDeviceContext::FillRoundedRectangle(const RECT& rc, CLVKMarkupBrush* pBrush, const double* pRadii)
{
    if (!pRadii)
    {
        FillRectangle(rc, pBrush);
        return;
    }
    CLVKMarkupPathGeometryBuilder builder;
    BuildRoundedFigure(builder, static_cast<float>(rc.left), static_cast<float>(rc.top), static_cast<float>(rc.right),
                       static_cast<float>(rc.bottom), pRadii);
    CLVKMarkupAutoPtr<CLVKMarkupPathData> pPath(builder.CreatePathData());
    pPath->SetPixelOffsetMode(4);
    DrawPath(pPath, nullptr, pBrush);
}

void CLVKMarkupDeviceContext::DrawRoundedBorder(const RECT& rc, CLVKMarkupBrush* pBrush,
                                                const CLVKMarkupThickness* pThickness, const double* pRadii)
{
    if (!pRadii)
    {
        DrawBorder(rc, pBrush, pThickness);
        return;
    }
    if (!pThickness || !pBrush)
    {
        return;
    }
    const float h = pThickness->m_nLeft * 0.5f;
    CLVKMarkupPathGeometryBuilder builder;
    BuildRoundedFigure(builder, rc.left + h, rc.top + h, rc.right - h, rc.bottom - h, pRadii);
    CLVKMarkupAutoPtr<CLVKMarkupPathData> pPath(builder.CreatePathData());
    pPath->SetPixelOffsetMode(4);
    MarkupStrokeStyle stroke;
    stroke.nThickness = pThickness->m_nLeft;
    stroke.pBrush = pBrush;
    DrawPath(pPath, &stroke, nullptr);
}

void CLVKMarkupDeviceContext::DrawString(LPCWSTR lpszText, int nLength, const RECT& rc)
{
    if (!lpszText || nLength <= 0 || !m_hDC)
    {
        return;
    }
    ExtTextOutW(m_hDC, rc.left, rc.top, 0, &rc, lpszText, static_cast<UINT>(nLength), nullptr);
}

SIZE CLVKMarkupDeviceContext::MeasureString(LPCWSTR lpszText, int nLength)
{
    SIZE size = {0, 0};
    if (lpszText && nLength > 0 && m_hAttribDC)
    {
        GetTextExtentPoint32W(m_hAttribDC, lpszText, nLength, &size);
    }
    return size;
}

void CLVKMarkupDeviceContext::SetTextBrush(CLVKMarkupBrush* pBrush)
{
    if (m_hDC)
    {
        ::SetTextColor(m_hDC, pBrush ? pBrush->GetHintColor() : 0);
    }
}

void CLVKMarkupDeviceContext::SetFont(CLVKMarkupFont* pFont)
{
    if (!m_hDC)
    {
        return;
    }
    if (pFont && pFont->GetHandle())
    {
        HGDIOBJ hOld = nullptr;
        if (m_hAttribDC != m_hDC)
        {
            hOld = SelectObject(m_hDC, pFont->GetHandle());
        }
        const HGDIOBJ hOldAttrib = SelectObject(m_hAttribDC, pFont->GetHandle());
        if (!m_hSavedFont)
        {
            m_hSavedFont = hOld ? hOld : hOldAttrib;
        }
    }
    else if (m_hSavedFont)
    {
        SelectObject(m_hDC, m_hSavedFont);
        if (m_hAttribDC != m_hDC)
        {
            SelectObject(m_hAttribDC, m_hSavedFont);
        }
        m_hSavedFont = nullptr;
    }
}

BOOL CLVKMarkupDeviceContext::GetFontMetrics(CLVKMarkupFont* pFont, int* pnAscent, int* pnDescent)
{
    if (!pFont || !pnAscent || !pnDescent || !m_hAttribDC)
    {
        return FALSE;
    }
    TEXTMETRICW tm = {};
    BOOL bOk = FALSE;
    {
        const CLVKGdiObjectDC font(m_hAttribDC, pFont->GetHandle());
        bOk = GetTextMetricsW(m_hAttribDC, &tm);
    }
    if (!bOk)
    {
        return FALSE;
    }
    *pnAscent = tm.tmAscent;
    *pnDescent = tm.tmDescent;
    return TRUE;
}

void CLVKMarkupDeviceContext::IntersectClipRect(const RECT& rc)
{
    ::IntersectClipRect(m_hDC, rc.left, rc.top, rc.right, rc.bottom);
}

void CLVKMarkupDeviceContext::GetClipBox(RECT& rc)
{
    if (!m_hDC || ::GetClipBox(m_hDC, &rc) == ERROR)
    {
        SetRectEmpty(&rc);
    }
}

HRGN CLVKMarkupDeviceContext::SaveClipRegion()
{
    HRGN hRegion = CreateRectRgn(0, 0, 0, 0);
    if (!hRegion)
    {
        return nullptr;
    }
    if (GetClipRgn(m_hDC, hRegion) == 1)
    {
        return hRegion;
    }
    DeleteObject(hRegion);
    return reinterpret_cast<HRGN>(static_cast<INT_PTR>(-1));
}

void CLVKMarkupDeviceContext::RestoreClipRegion(HRGN hRegion)
{
    if (!hRegion)
    {
        return;
    }
    if (hRegion == reinterpret_cast<HRGN>(static_cast<INT_PTR>(-1)))
    {
        ExtSelectClipRgn(m_hDC, nullptr, RGN_COPY);
        return;
    }
    ExtSelectClipRgn(m_hDC, hRegion, RGN_COPY);
    DeleteObject(hRegion);
}

CLVKMarkupDeviceDependentImage* CLVKMarkupDeviceContext::CreateDeviceImage(ILVKMarkupDeviceDependentImageSite* pSite)
{
    return new CLVKMarkupGdiImage(pSite);
}

CLVKMarkupDedicatedDC* CLVKMarkupDeviceContext::CreateDedicatedDC(const RECT& rc)
{
    return new CLVKMarkupDedicatedDC(this, rc, POINT{0, 0});
}

void CLVKMarkupDeviceContext::DrawDeviceImage(CLVKMarkupDeviceDependentImage* pImage, const RECT& rc)
{
    if (!pImage || !m_hDC)
    {
        return;
    }
    if (CLVKImageManagerIcon* const pIcon = pImage->GetIcon())
    {
        DrawIcon(pIcon, rc);
        return;
    }
    // A picture another device loaded (the element keeps its picture when
    // a later pass draws through this device) draws itself.
    pImage->Draw(m_hDC, rc);
}

void CLVKMarkupDeviceContext::DrawIcon(CLVKImageManagerIcon* pIcon, const RECT& rc)
{
    if (!pIcon || !m_hDC)
    {
        return;
    }
    CDC dc;
    dc.Attach(m_hDC);
    pIcon->DrawScaled(&dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    dc.Detach();
}
