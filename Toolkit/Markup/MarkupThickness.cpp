#include "Markup/MarkupThickness.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupBuilder.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupDependencyProperty.h"
#include "Markup/MarkupString.h"
#include "Markup/MarkupValueConverters.h"

#include <algorithm>

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupThickness, L"", CLVKMarkupObject::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupThickness(); }, nullptr)

namespace
{

// One length: a decimal integer (never octal: "010" is ten) and an optional
// unit. Returns the characters read, 0 when there is no number.
int ReadLength(LPCWSTR p, LPCWSTR lpszUnit, long long& nValue)
{
    LPCWSTR const lpszStart = p;
    while (*p == L' ' || *p == L'\t')
    {
        ++p;
    }
    BOOL bNegative = FALSE;
    if (*p == L'-' || *p == L'+')
    {
        bNegative = *p == L'-';
        ++p;
    }
    if (*p < L'0' || *p > L'9')
    {
        return 0;
    }
    long long n = 0;
    for (; *p >= L'0' && *p <= L'9'; ++p)
    {
        if (n < 0x100000000LL)
        {
            n = n * 10 + (*p - L'0');
        }
    }
    if (lpszUnit)
    {
        if (_wcsnicmp(p, lpszUnit, 2) != 0)
        {
            return 0;
        }
        p += 2;
    }
    nValue = bNegative ? -n : n;
    return static_cast<int>(p - lpszStart);
}

int ApplyUnit(long long n, LPCWSTR lpszUnit)
{
    long long r = n;
    if (lpszUnit)
    {
        if (_wcsicmp(lpszUnit, L"pt") == 0)
        {
            r = (n * 96 + (n >= 0 ? 36 : -36)) / 72;
        }
        else if (_wcsicmp(lpszUnit, L"in") == 0)
        {
            r = n * 96;
        }
        else if (_wcsicmp(lpszUnit, L"cm") == 0)
        {
            r = static_cast<long long>(static_cast<double>(n) * 37.79528);
        }
        else if (_wcsicmp(lpszUnit, L"mm") == 0)
        {
            r = static_cast<long long>(static_cast<double>(n) * 3.779528);
        }
    }
    return static_cast<int>(std::max<long long>(-kMarkupLargeLength, std::min<long long>(kMarkupLargeLength, r)));
}

}  // namespace

BOOL CLVKMarkupThickness::IsEqual(const CLVKMarkupObject* pOther) const
{
    if (!pOther || !pOther->IsKindOf(GetMarkupType()))
    {
        return FALSE;
    }
    const auto* const p = static_cast<const CLVKMarkupThickness*>(pOther);
    return p->m_nLeft == m_nLeft && p->m_nTop == m_nTop && p->m_nRight == m_nRight && p->m_nBottom == m_nBottom;
}

CLVKMarkupObject* CLVKMarkupThickness::ConvertFrom(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pValue)
{
    auto* const pString = MarkupCast<CLVKMarkupString>(pValue);
    if (!pString)
    {
        return nullptr;
    }
    const LPCWSTR lpszText = pString->GetText();
    const int nLength = pString->GetLength();
    LPCWSTR lpszUnit = nullptr;
    static const LPCWSTR kUnits[] = {L"pt", L"in", L"cm", L"mm"};
    if (nLength > 2)
    {
        for (const LPCWSTR lpszCandidate : kUnits)
        {
            if (_wcsicmp(lpszText + nLength - 2, lpszCandidate) == 0)
            {
                lpszUnit = lpszCandidate;
            }
        }
    }
    int values[4] = {};
    if (!wcschr(lpszText, L','))
    {
        long long n = 0;
        // One length: reading stops at the first character that is not
        // part of the number.
        ReadLength(lpszText, nullptr, n);
        values[0] = values[1] = values[2] = values[3] = ApplyUnit(n, lpszUnit);
    }
    else
    {
        LPCWSTR p = lpszText;
        for (int i = 0; i < 4; ++i)
        {
            if (i > 0)
            {
                while (*p == L' ' || *p == L'\t')
                {
                    ++p;
                }
                if (*p != L',')
                {
                    return nullptr;
                }
                ++p;
            }
            long long n = 0;
            const int nRead = ReadLength(p, lpszUnit, n);
            if (!nRead)
            {
                return nullptr;
            }
            p += nRead;
            values[i] = ApplyUnit(n, lpszUnit);
        }
    }
    CLVKMarkupContext* const pContext = pBuilder ? pBuilder->GetContext() : nullptr;
    CLVKMarkupDependencyProperty* const pProperty = GetAssociatedProperty();
    const int nFlags = pProperty ? pProperty->GetFlags() : 0;
    if (pContext && (nFlags & MarkupPropertyScaleX))
    {
        values[0] = pContext->ScaleX(values[0]);
        values[2] = pContext->ScaleX(values[2]);
    }
    if (pContext && (nFlags & MarkupPropertyScaleY))
    {
        values[1] = pContext->ScaleY(values[1]);
        values[3] = pContext->ScaleY(values[3]);
    }
    return new CLVKMarkupThickness(values[0], values[1], values[2], values[3]);
}

RECT AFX_CDECL CLVKMarkupThickness::DeflateRect(int nLeft, int nTop, int nRight, int nBottom,
                                                const CLVKMarkupThickness* pThickness)
{
    RECT rc = {nLeft, nTop, nRight, nBottom};
    if (!pThickness)
    {
        return rc;
    }
    rc.left = nLeft + pThickness->m_nLeft;
    rc.top = nTop + pThickness->m_nTop;
    rc.right = nRight - pThickness->m_nRight;
    if (nRight - pThickness->m_nRight - pThickness->m_nLeft - nLeft < 0)
    {
        rc.right = nLeft + pThickness->m_nLeft;
    }
    rc.bottom = nTop + pThickness->m_nTop + std::max(0, nBottom - (pThickness->m_nBottom + pThickness->m_nTop + nTop));
    return rc;
}

BEGIN_DISPATCH_MAP(CLVKMarkupThickness, CLVKMarkupObject)
    DISP_PROPERTY_ID(CLVKMarkupThickness, "Left", 100, m_nLeft, VT_I4)
    DISP_PROPERTY_ID(CLVKMarkupThickness, "Top", 101, m_nTop, VT_I4)
    DISP_PROPERTY_ID(CLVKMarkupThickness, "Right", 102, m_nRight, VT_I4)
    DISP_PROPERTY_ID(CLVKMarkupThickness, "Bottom", 103, m_nBottom, VT_I4)
END_DISPATCH_MAP()
