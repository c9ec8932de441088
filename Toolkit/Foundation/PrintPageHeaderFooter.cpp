#include "PrintPageHeaderFooter.h"

#include "DrawHelpers.h"
#include "FontDC.h"
#include "PrintInfo.h"
#include "PrintOptions.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace
{
// Stands for "&&" while the macros are expanded.
const WCHAR kAmpersandMark[] = L"\x0001";
constexpr UINT kAlignments[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
constexpr int kWidthStep = 15;

int LinesFor(int nExtent, int nWidth)
{
    return (nExtent + nWidth - 1) / nWidth;
}

int MeasureHeight(CDC* pDC, const CString& strText, int nWidth, UINT nAlignment)
{
    if (strText.IsEmpty())
        return 0;
    CRect rc(0, 0, nWidth, 32000);
    return pDC->DrawText(strText, &rc, DT_CALCRECT | DT_WORDBREAK | nAlignment);
}
}  // namespace

CLVKPrintPageHeaderFooter::CLVKPrintPageHeaderFooter(CLVKPrintOptions* pOwner, BOOL bHeader)
    : m_bHeader(bHeader), m_pOwner(pOwner)
{
    Clear();
}

void CLVKPrintPageHeaderFooter::Clear()
{
    CLVKDrawHelpers::GetIconTitleLogFont(&m_lfFont);
    m_clrColor = 0;
    m_strFormat.Empty();
    m_strLeft.Empty();
    m_strCenter.Empty();
    m_strRight.Empty();
}

BOOL CLVKPrintPageHeaderFooter::IsEmpty() const
{
    return m_strLeft.IsEmpty() && m_strCenter.IsEmpty() && m_strRight.IsEmpty();
}

void CLVKPrintPageHeaderFooter::CopyFrom(const CLVKPrintPageHeaderFooter* pOther)
{
    if (!pOther || pOther == this)
        return;
    m_lfFont = pOther->m_lfFont;
    m_clrColor = pOther->m_clrColor;
    m_strFormat = pOther->m_strFormat;
    m_strLeft = pOther->m_strLeft;
    m_strCenter = pOther->m_strCenter;
    m_strRight = pOther->m_strRight;
}

SYSTEMTIME CLVKPrintPageHeaderFooter::GetCurrentTime() const
{
    SYSTEMTIME st{};
    ::GetLocalTime(&st);
    return st;
}

void CLVKPrintPageHeaderFooter::FormatTexts(CPrintInfo* pInfo, LPCWSTR lpszWindowTitle, int nLastPage)
{
    if (m_strFormat.IsEmpty())
        return;
    const LCID lcid = m_pOwner ? m_pOwner->GetLocaleId() : LOCALE_USER_DEFAULT;
    CString strText = m_strFormat;
    strText.Replace(L"&&", kAmpersandMark);

    const UINT nPage = pInfo ? pInfo->m_nCurPage : 1;
    CString strPage;
    if (nLastPage >= 1)
        strPage.Format(L"%d-%d", static_cast<int>(nPage), nLastPage);
    else
        strPage.Format(L"%d", static_cast<int>(nPage));
    strText.Replace(L"&p", strPage);

    CString strCount = L"*";
    if (pInfo && pInfo->GetMaxPage() != 0xFFFF)
        strCount.Format(L"%d", static_cast<int>(pInfo->GetMaxPage()));
    strText.Replace(L"&P", strCount);
    strText.Replace(L"\\n", L"\n");

    SplitParts(strText, m_strLeft, m_strCenter, m_strRight);
    for (CString* pPart : {&m_strLeft, &m_strCenter, &m_strRight})
    {
        ExpandDateTime(*pPart, lcid);
        if (lpszWindowTitle)
            pPart->Replace(L"&w", lpszWindowTitle);
        pPart->Replace(kAmpersandMark, L"&");
    }
}

void CLVKPrintPageHeaderFooter::SplitParts(const CString& strText, CString& strLeft, CString& strCenter,
                                           CString& strRight)
{
    strLeft = strText;
    strCenter.Empty();
    strRight.Empty();
    const int nFirst = strText.Find(L"&b");
    if (nFirst < 0)
        return;
    strLeft = strText.Left(nFirst);
    const CString strRest = strText.Mid(nFirst + 2);
    const int nSecond = strRest.Find(L"&b");
    if (nSecond < 0)
    {
        strCenter = strRest;
        return;
    }
    strCenter = strRest.Left(nSecond);
    strRight = strRest.Mid(nSecond + 2);
}

void CLVKPrintPageHeaderFooter::ExpandDateTime(CString& strText, LCID lcid)
{
    const SYSTEMTIME st = GetCurrentTime();
    WCHAR szBuffer[200] = {};
    const struct
    {
        LPCWSTR pszMacro;
        bool bDate;
        DWORD dwFlags;
    } macros[] = {
        {L"&d", true, DATE_SHORTDATE},
        {L"&D", true, DATE_LONGDATE},
        {L"&t", false, 0},
        {L"&T", false, TIME_NOTIMEMARKER | TIME_FORCE24HOURFORMAT},
    };
    for (const auto& m : macros)
    {
        if (strText.Find(m.pszMacro) < 0)
            continue;
        szBuffer[0] = 0;
        if (m.bDate)
            ::GetDateFormatW(lcid, m.dwFlags, &st, nullptr, szBuffer, 200);
        else
            ::GetTimeFormatW(lcid, m.dwFlags, &st, nullptr, szBuffer, 200);
        strText.Replace(m.pszMacro, szBuffer);
    }
}

int CLVKPrintPageHeaderFooter::CalcSinglePart(CDC* pDC, int nWidth, const CString& strLeft, const CString& strCenter,
                                              const CString& strRight, CSize& szLeft, CSize& szCenter, CSize& szRight)
{
    CString parts[3] = {strLeft, strCenter, strRight};
    int nFilled = 0, nWhich = -1;
    for (int i = 0; i < 3; ++i)
    {
        parts[i].TrimLeft();
        if (!parts[i].IsEmpty())
        {
            ++nFilled;
            nWhich = i;
        }
    }
    if (nFilled != 1)
        return -1;
    CSize* sizes[3] = {&szLeft, &szCenter, &szRight};
    for (CSize* pSize : sizes)
        *pSize = CSize(0, 0);
    const int nHeight = MeasureHeight(pDC, parts[nWhich], nWidth, kAlignments[nWhich]);
    *sizes[nWhich] = CSize(nWidth, nHeight);
    return nHeight;
}

int CLVKPrintPageHeaderFooter::CalcWidths(CDC* pDC, int nWidth, const CString& strLeft, const CString& strCenter,
                                          const CString& strRight, CSize& szLeft, CSize& szCenter, CSize& szRight)
{
    const int nSingle = CalcSinglePart(pDC, nWidth, strLeft, strCenter, strRight, szLeft, szCenter, szRight);
    if (nSingle >= 0)
        return nSingle;

    int extents[3] = {
        strLeft.IsEmpty() ? 0 : pDC->GetTextExtent(strLeft).cx,
        strCenter.IsEmpty() ? 0 : pDC->GetTextExtent(strCenter).cx,
        strRight.IsEmpty() ? 0 : pDC->GetTextExtent(strRight).cx,
    };
    if (nWidth <= 0 || (extents[0] == 0 && extents[1] == 0 && extents[2] == 0))
        return 0;
    for (int& n : extents)
        n = std::max(n, 1);

    // Every part is at least a ninth of the band wide; in bands narrower than
    // nine units that is 0, and a part must still be one unit wide.
    const int m = nWidth / 9;
    const int nMinimum = std::max(m, 1);
    const int nThird = nWidth / 3;
    int nBestScore = INT_MAX, nBestDeviation = INT_MAX;
    int nBestLeft = 1, nBestCenter = 1, nBestRight = 1;
    for (int l = nMinimum; l <= nWidth / 2 - m; l += kWidthStep)
    {
        for (int c = nMinimum;; c += kWidthStep)
        {
            const int r = nWidth - l - c;
            if (r < nMinimum)
                break;
            const int nCenterLines = LinesFor(extents[1], c);
            if (nCenterLines > nBestScore)
                continue;
            const int nRightLines = LinesFor(extents[2], r);
            if (nRightLines > nBestScore)
                break;
            const int nScore = std::max({LinesFor(extents[0], l), nCenterLines, nRightLines});
            const int nDeviation = std::abs(nThird - l) + std::abs(nThird - c) + std::abs(nThird - r);
            if (nScore < nBestScore || (nScore == nBestScore && nDeviation < nBestDeviation))
            {
                nBestScore = nScore;
                nBestDeviation = nDeviation;
                nBestLeft = l;
                nBestCenter = c;
                nBestRight = r;
            }
        }
    }
    szLeft = CSize(nBestLeft, MeasureHeight(pDC, strLeft, nBestLeft, DT_LEFT));
    szCenter = CSize(nBestCenter, MeasureHeight(pDC, strCenter, nBestCenter, DT_CENTER));
    szRight = CSize(nBestRight, MeasureHeight(pDC, strRight, nBestRight, DT_RIGHT));
    return std::max({szLeft.cy, szCenter.cy, szRight.cy});
}

void CLVKPrintPageHeaderFooter::Draw(CDC* pDC, CRect& rcBand, BOOL bMeasureOnly)
{
    if (!pDC)
        return;
    CFont font;
    font.CreateFontIndirect(&m_lfFont);
    CLVKFontDC fontDC(pDC, &font, m_clrColor);

    CSize szLeft, szCenter, szRight;
    const int nHeight = CalcWidths(pDC, rcBand.Width(), m_strLeft, m_strCenter, m_strRight, szLeft, szCenter, szRight);
    if (m_bHeader)
        rcBand.bottom = rcBand.top + (nHeight > 0 ? nHeight + 3 : 0);
    else
        rcBand.top = rcBand.bottom - (nHeight > 0 ? nHeight + 3 : 0);
    if (bMeasureOnly)
        return;

    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CRect rcLeft(rcBand.left, rcBand.top, rcBand.left + szLeft.cx, rcBand.bottom);
    CRect rcCenter(rcLeft.right, rcBand.top, rcLeft.right + szCenter.cx, rcBand.bottom);
    CRect rcRight(rcBand.right - szRight.cx, rcBand.top, rcBand.right, rcBand.bottom);
    pDC->DrawText(m_strLeft, &rcLeft, DT_WORDBREAK | DT_NOPREFIX | DT_LEFT);
    pDC->DrawText(m_strCenter, &rcCenter, DT_WORDBREAK | DT_NOPREFIX | DT_CENTER);
    pDC->DrawText(m_strRight, &rcRight, DT_WORDBREAK | DT_NOPREFIX | DT_RIGHT);
    pDC->SetBkMode(nOldMode);
}
