#include "Markup/MarkupPathGeometryBuilder.h"

#include "Markup/MarkupBuilderException.h"
#include "Markup/MarkupContext.h"

#include <algorithm>
#include <cmath>

namespace
{

// Bounds that keep a hostile text from exhausting memory or time.
const int kMaxPathText = 1 << 20;
const int kMaxPathPoints = 1 << 20;
const int kMaxExponent = 38;

BOOL IsSeparator(wchar_t ch)
{
    return ch == L' ' || ch == L'\t' || ch == L'\r' || ch == L'\n';
}

}  // namespace

void CLVKMarkupPathGeometryBuilder::Append(float x, float y, BYTE nType)
{
    if (static_cast<int>(m_points.size()) >= kMaxPathPoints)
    {
        Fail();
    }
    m_points.push_back({x, y});
    m_types.push_back(nType);
}

void CLVKMarkupPathGeometryBuilder::StartFigure(float x, float y)
{
    Append(x, y, 0);
}

void CLVKMarkupPathGeometryBuilder::AddLine(float x, float y)
{
    Append(x, y, 1);
}

void CLVKMarkupPathGeometryBuilder::AddBezier(MARKUP_POINTF c1, MARKUP_POINTF c2, MARKUP_POINTF end)
{
    Append(c1.x, c1.y, 3);
    Append(c2.x, c2.y, 3);
    Append(end.x, end.y, 3);
}

void CLVKMarkupPathGeometryBuilder::AddQuadratic(MARKUP_POINTF control, MARKUP_POINTF end)
{
    AddBezier(control, end, end);
}

void CLVKMarkupPathGeometryBuilder::EndFigure()
{
    if (!m_types.empty())
    {
        m_types.back() |= 0x80;
    }
}

void CLVKMarkupPathGeometryBuilder::EnsureFigure()
{
    if (!m_bFigureOpen)
    {
        StartFigure(m_figureStart.x, m_figureStart.y);
        m_bFigureOpen = TRUE;
    }
}

CLVKMarkupPathData* CLVKMarkupPathGeometryBuilder::CreatePathData() const
{
    return new CLVKMarkupPathData(m_points.data(), m_types.data(), static_cast<int>(m_points.size()));
}

void CLVKMarkupPathGeometryBuilder::AddArc(MARKUP_POINTF end, float fRotation, float rx, float ry, BOOL bLargeArc,
                                           BOOL bSweep)
{
    const double x1 = m_current.x, y1 = m_current.y, x2 = end.x, y2 = end.y;
    // An arc that ends where it starts has no ellipse: nothing is drawn.
    if (x1 == x2 && y1 == y2)
    {
        return;
    }
    const double phi = fRotation * 0.017453292519943295;
    const double c = cos(phi), s = sin(phi);
    const double dx = (x1 - x2) / 2, dy = (y1 - y2) / 2;
    const double xp = c * dx + s * dy, yp = -s * dx + c * dy;
    double dRx = rx, dRy = ry;
    const double lambda = xp * xp / (dRx * dRx) + yp * yp / (dRy * dRy);
    if (lambda > 1)
    {
        dRx *= sqrt(lambda);
        dRy *= sqrt(lambda);
    }
    // Unit-circle space of the ellipse.
    const double a00 = c / dRx, a01 = s / dRx, a10 = -s / dRy, a11 = c / dRy;
    const double ux0 = a00 * x1 + a01 * y1, uy0 = a10 * x1 + a11 * y1;
    const double ux1 = a00 * x2 + a01 * y2, uy1 = a10 * x2 + a11 * y2;
    const double d = (ux1 - ux0) * (ux1 - ux0) + (uy1 - uy0) * (uy1 - uy0);
    if (d <= 0)
    {
        return;
    }
    double sfactor = sqrt(std::max(0.0, 1 / d - 0.25));
    if ((bSweep != 0) == (bLargeArc != 0))
    {
        sfactor = -sfactor;
    }
    const double xc = 0.5 * (ux0 + ux1) - sfactor * (uy1 - uy0);
    const double yc = 0.5 * (uy0 + uy1) + sfactor * (ux1 - ux0);
    const double theta0 = atan2(uy0 - yc, ux0 - xc);
    const double theta1 = atan2(uy1 - yc, ux1 - xc);
    double delta = theta1 - theta0;
    if (delta < 0 && bSweep)
    {
        delta += 2 * 3.14159265358979323846;
    }
    else if (delta > 0 && !bSweep)
    {
        delta -= 2 * 3.14159265358979323846;
    }
    const int n = static_cast<int>(ceil(fabs(delta) / 1.5717963267948964));
    const double b00 = dRx * c, b01 = -dRy * s, b10 = dRx * s, b11 = dRy * c;
    const auto map = [&](double ux, double uy)
    {
        const MARKUP_POINTF pt = {static_cast<float>(b00 * ux + b01 * uy), static_cast<float>(b10 * ux + b11 * uy)};
        return pt;
    };
    for (int i = 0; i < n; ++i)
    {
        const double ta = theta0 + delta * i / n;
        const double tb = theta0 + delta * (i + 1) / n;
        const double half = (tb - ta) / 2;
        const double t = (8.0 / 3.0) * sin(half / 2) * sin(half / 2) / sin(half);
        const double ca = cos(ta), sa = sin(ta), cb = cos(tb), sb = sin(tb);
        AddBezier(map(xc + ca - t * sa, yc + sa + t * ca), map(xc + cb + t * sb, yc + sb - t * cb),
                  map(xc + cb, yc + sb));
    }
}

void CLVKMarkupPathGeometryBuilder::Fail() const
{
    MarkupThrowError(L"Unexpected token encountered at position '%i'", m_nPos);
}

void CLVKMarkupPathGeometryBuilder::SkipSeparators()
{
    while (m_nPos < m_nLength && IsSeparator(m_lpszText[m_nPos]))
    {
        ++m_nPos;
    }
}

BOOL CLVKMarkupPathGeometryBuilder::NumberFollows()
{
    SkipSeparators();
    if (m_nPos >= m_nLength)
    {
        return FALSE;
    }
    const wchar_t ch = m_lpszText[m_nPos];
    if (ch == L',')
    {
        // A comma may stand between numbers only.
        SkipComma();
        return TRUE;
    }
    return ch == L'+' || ch == L'-' || ch == L'.' || (ch >= L'0' && ch <= L'9');
}

void CLVKMarkupPathGeometryBuilder::SkipComma()
{
    SkipSeparators();
    if (m_nPos < m_nLength && m_lpszText[m_nPos] == L',')
    {
        ++m_nPos;
        SkipSeparators();
        if (m_nPos >= m_nLength)
        {
            Fail();
        }
        const wchar_t ch = m_lpszText[m_nPos];
        if (!(ch == L'+' || ch == L'-' || ch == L'.' || (ch >= L'0' && ch <= L'9')))
        {
            Fail();
        }
    }
}

float CLVKMarkupPathGeometryBuilder::ReadNumber()
{
    SkipSeparators();
    if (m_nPos >= m_nLength)
    {
        Fail();
    }
    BOOL bNegative = FALSE;
    wchar_t ch = m_lpszText[m_nPos];
    if (ch == L'+' || ch == L'-')
    {
        bNegative = ch == L'-';
        ++m_nPos;
    }
    float fValue = 0;
    BOOL bDigits = FALSE;
    while (m_nPos < m_nLength && m_lpszText[m_nPos] >= L'0' && m_lpszText[m_nPos] <= L'9')
    {
        fValue = fValue * 10 + (m_lpszText[m_nPos] - L'0');
        ++m_nPos;
        bDigits = TRUE;
    }
    BOOL bFraction = FALSE;
    if (m_nPos < m_nLength && m_lpszText[m_nPos] == L'.')
    {
        ++m_nPos;
        float fScale = 0.1f;
        while (m_nPos < m_nLength && m_lpszText[m_nPos] >= L'0' && m_lpszText[m_nPos] <= L'9')
        {
            fValue += (m_lpszText[m_nPos] - L'0') * fScale;
            fScale /= 10;
            ++m_nPos;
            bDigits = TRUE;
            bFraction = TRUE;
        }
    }
    if (!bDigits)
    {
        Fail();
    }
    if (bFraction && m_nPos < m_nLength && (m_lpszText[m_nPos] == L'e' || m_lpszText[m_nPos] == L'E'))
    {
        ++m_nPos;
        BOOL bNegativeExponent = FALSE;
        if (m_nPos < m_nLength && m_lpszText[m_nPos] == L'-')
        {
            bNegativeExponent = TRUE;
            ++m_nPos;
        }
        int nExponent = 0;
        BOOL bExponentDigits = FALSE;
        while (m_nPos < m_nLength && m_lpszText[m_nPos] >= L'0' && m_lpszText[m_nPos] <= L'9')
        {
            nExponent = nExponent * 10 + (m_lpszText[m_nPos] - L'0');
            if (nExponent > kMaxExponent)
            {
                Fail();
            }
            ++m_nPos;
            bExponentDigits = TRUE;
        }
        if (!bExponentDigits)
        {
            Fail();
        }
        fValue = static_cast<float>(fValue * pow(10.0, bNegativeExponent ? -nExponent : nExponent));
    }
    if (!std::isfinite(fValue))
    {
        Fail();
    }
    SkipComma();
    return bNegative ? -fValue : fValue;
}

MARKUP_POINTF CLVKMarkupPathGeometryBuilder::ReadPoint(BOOL bRelative, MARKUP_POINTF base)
{
    double x = ReadNumber();
    double y = ReadNumber();
    if (m_pContext)
    {
        x = m_pContext->ScaleX(x);
        y = m_pContext->ScaleY(y);
    }
    if (bRelative)
    {
        x += base.x;
        y += base.y;
    }
    const MARKUP_POINTF pt = {static_cast<float>(x), static_cast<float>(y)};
    if (!std::isfinite(pt.x) || !std::isfinite(pt.y))
    {
        Fail();
    }
    return pt;
}

void CLVKMarkupPathGeometryBuilder::Parse(CLVKMarkupContext* pContext, LPCWSTR lpszText, int nLength)
{
    m_points.clear();
    m_types.clear();
    m_pContext = pContext;
    m_lpszText = lpszText ? lpszText : L"";
    m_nLength = lpszText ? (nLength < 0 ? static_cast<int>(wcslen(lpszText)) : nLength) : 0;
    m_nPos = 0;
    m_current = m_figureStart = m_lastControl = MARKUP_POINTF{0, 0};
    m_bFigureOpen = FALSE;
    if (m_nLength > kMaxPathText)
    {
        Fail();
    }
    wchar_t nPrevious = 0;  // the mark of the previous command
    MARKUP_POINTF quadControl = {0, 0};
    BOOL bFirst = TRUE;
    for (;;)
    {
        SkipSeparators();
        if (m_nPos >= m_nLength)
        {
            return;
        }
        const wchar_t ch = m_lpszText[m_nPos++];
        if (ch == L'F' && bFirst)
        {
            SkipSeparators();
            if (m_nPos >= m_nLength || (m_lpszText[m_nPos] != L'0' && m_lpszText[m_nPos] != L'1'))
            {
                Fail();
            }
            m_nFillRule = m_lpszText[m_nPos++] - L'0';
            continue;
        }
        if (bFirst && ch != L'M' && ch != L'm')
        {
            Fail();
        }
        bFirst = FALSE;
        m_nCommand = ch;
        const BOOL bRelative = ch >= L'a' && ch <= L'z';
        const MARKUP_POINTF base = m_current;
        switch (ch)
        {
        case L'M':
        case L'm':
        {
            m_current = ReadPoint(bRelative, base);
            StartFigure(m_current.x, m_current.y);
            m_figureStart = m_current;
            m_bFigureOpen = TRUE;
            nPrevious = L'M';
            while (NumberFollows())
            {
                m_current = ReadPoint(bRelative, base);
                AddLine(m_current.x, m_current.y);
                nPrevious = L'L';
            }
            break;
        }
        case L'L':
        case L'l':
            do
            {
                EnsureFigure();
                m_current = ReadPoint(bRelative, base);
                AddLine(m_current.x, m_current.y);
            } while (NumberFollows());
            nPrevious = L'L';
            break;
        case L'H':
        case L'h':
        case L'V':
        case L'v':
            do
            {
                EnsureFigure();
                double n = ReadNumber();
                const BOOL bHorizontal = ch == L'H' || ch == L'h';
                if (m_pContext)
                {
                    n = bHorizontal ? m_pContext->ScaleX(n) : m_pContext->ScaleY(n);
                }
                float& coordinate = bHorizontal ? m_current.x : m_current.y;
                const float origin = bHorizontal ? base.x : base.y;
                coordinate = static_cast<float>(bRelative ? origin + n : n);
                if (!std::isfinite(coordinate))
                {
                    Fail();
                }
                AddLine(m_current.x, m_current.y);
            } while (NumberFollows());
            nPrevious = L'L';
            break;
        case L'C':
        case L'c':
        case L'S':
        case L's':
            do
            {
                EnsureFigure();
                MARKUP_POINTF c1;
                if (ch == L'C' || ch == L'c')
                {
                    c1 = ReadPoint(bRelative, base);
                }
                else if (nPrevious == L'C')
                {
                    c1 = {2 * m_current.x - m_lastControl.x, 2 * m_current.y - m_lastControl.y};
                }
                else
                {
                    c1 = m_current;
                }
                const MARKUP_POINTF c2 = ReadPoint(bRelative, base);
                const MARKUP_POINTF end = ReadPoint(bRelative, base);
                m_lastControl = c2;
                m_current = end;
                AddBezier(c1, c2, end);
                nPrevious = L'C';
            } while (NumberFollows());
            break;
        case L'Q':
        case L'q':
        {
            EnsureFigure();
            SkipComma();
            quadControl = ReadPoint(bRelative, base);
            m_current = ReadPoint(bRelative, base);
            AddQuadratic(quadControl, m_current);
            nPrevious = L'T';
            break;
        }
        case L'T':
        case L't':
            do
            {
                EnsureFigure();
                const MARKUP_POINTF q =
                    nPrevious == L'T' ? MARKUP_POINTF{2 * m_current.x - quadControl.x, 2 * m_current.y - quadControl.y}
                                      : m_current;
                quadControl = q;
                m_current = ReadPoint(bRelative, base);
                AddQuadratic(q, m_current);
                nPrevious = L'T';
            } while (NumberFollows());
            break;
        case L'A':
        case L'a':
        {
            EnsureFigure();
            SkipComma();
            double rx = ReadNumber();
            double ry = ReadNumber();
            if (m_pContext)
            {
                rx = m_pContext->ScaleX(rx);
                ry = m_pContext->ScaleY(ry);
            }
            const float fRotation = ReadNumber();
            const BOOL bLarge = ReadNumber() != 0;
            const BOOL bSweep = ReadNumber() != 0;
            const MARKUP_POINTF end = ReadPoint(bRelative, base);
            if (rx == 0 || ry == 0)
            {
                AddLine(end.x, end.y);
            }
            else
            {
                AddArc(end, fRotation, static_cast<float>(fabs(rx)), static_cast<float>(fabs(ry)), bLarge, bSweep);
            }
            m_current = end;
            nPrevious = L'A';
            break;
        }
        case L'Z':
        case L'z':
            EnsureFigure();
            EndFigure();
            m_bFigureOpen = FALSE;
            m_current = m_figureStart;
            nPrevious = L'Z';
            break;
        default:
            Fail();
        }
    }
}
