#include "Markup/MarkupPointCollection.h"

#include "Markup/MarkupBuilder.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupString.h"

#include <algorithm>

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupPointCollection, L"", CLVKMarkupObject::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupPointCollection(); }, nullptr)

namespace
{

// One number: spaces, an optional "-", digits, ended by a space or a comma
// (consumed) or by the end of the text.
BOOL ReadNumber(const wchar_t*& p, int& nValue)
{
    while (*p == L' ')
    {
        ++p;
    }
    const BOOL bNegative = *p == L'-';
    if (bNegative)
    {
        ++p;
    }
    long long n = 0;
    int nDigits = 0;
    for (; *p >= L'0' && *p <= L'9'; ++p, ++nDigits)
    {
        // Saturates instead of wrapping on absurdly long numbers.
        n = std::min(n * 10 + (*p - L'0'), 0x3FFFFFFFLL);
    }
    if (nDigits == 0)
    {
        return FALSE;
    }
    if (*p == L' ' || *p == L',')
    {
        ++p;
    }
    else if (*p)
    {
        return FALSE;
    }
    nValue = static_cast<int>(bNegative ? -n : n);
    return TRUE;
}

}  // namespace

CLVKMarkupPointCollection::CLVKMarkupPointCollection(const POINT* pPoints, int nCount)
    : m_points(pPoints, pPoints + std::max(0, nCount))
{
    ComputeBounds();
}

void CLVKMarkupPointCollection::ComputeBounds()
{
    if (m_points.empty())
    {
        SetRectEmpty(&m_rcBounds);
        return;
    }
    m_rcBounds = RECT{0x7FFFFFFF, 0x7FFFFFFF, -0x7FFFFFFF, -0x7FFFFFFF};
    for (const POINT& pt : m_points)
    {
        m_rcBounds.left = std::min(m_rcBounds.left, pt.x);
        m_rcBounds.top = std::min(m_rcBounds.top, pt.y);
        m_rcBounds.right = std::max(m_rcBounds.right, pt.x);
        m_rcBounds.bottom = std::max(m_rcBounds.bottom, pt.y);
    }
}

void CLVKMarkupPointCollection::StretchPoints(std::vector<POINT>& result, int nWidth, int nHeight) const
{
    result = m_points;
    const long long nSpanX = static_cast<long long>(m_rcBounds.right) - m_rcBounds.left;
    const long long nSpanY = static_cast<long long>(m_rcBounds.bottom) - m_rcBounds.top;
    if (nSpanX == 0 && nSpanY == 0)
    {
        return;
    }
    for (POINT& pt : result)
    {
        // Never a division by a zero extent: that axis keeps its values.
        if (nSpanX != 0)
        {
            pt.x = static_cast<LONG>(static_cast<long long>(nWidth) * (pt.x - m_rcBounds.left) / nSpanX);
        }
        if (nSpanY != 0)
        {
            pt.y = static_cast<LONG>(static_cast<long long>(nHeight) * (pt.y - m_rcBounds.top) / nSpanY);
        }
    }
}

CLVKMarkupObject* CLVKMarkupPointCollection::ConvertFrom(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pValue)
{
    auto* const pString = MarkupCast<CLVKMarkupString>(pValue);
    if (!pString)
    {
        return nullptr;
    }
    CLVKMarkupContext* const pContext = pBuilder ? pBuilder->GetContext() : nullptr;
    std::vector<POINT> points;
    const wchar_t* p = pString->GetText() ? pString->GetText() : L"";
    while (*p)
    {
        POINT pt = {};
        int x = 0, y = 0;
        if (!ReadNumber(p, x) || !ReadNumber(p, y))
        {
            return nullptr;
        }
        pt.x = pContext ? pContext->ScaleX(x) : x;
        pt.y = pContext ? pContext->ScaleY(y) : y;
        points.push_back(pt);
        while (*p == L' ')
        {
            ++p;
        }
    }
    return new CLVKMarkupPointCollection(points.data(), static_cast<int>(points.size()));
}
