#include "ToolTipOffice2013Tip.h"

#include "DpiScaling.h"
#include "FontDC.h"

namespace
{

const UINT kTitleFormat = DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX;
const UINT kTextFormat = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;

}  // namespace

SIZE CLVKToolTipContext::COffice2013ToolTip::GetInset() const
{
    CLVKDpiScaling* const pDpi = CLVKDpiScaling::GetGlobal();
    return GetTitle().IsEmpty() ? SIZE{pDpi->ScaleX(5), pDpi->ScaleY(5)} : SIZE{pDpi->ScaleX(12), pDpi->ScaleY(7)};
}

SIZE CLVKToolTipContext::COffice2013ToolTip::MeasureTip(TOOLITEM* pTool)
{
    const CString& strText = GetToolText(pTool);
    if (strText.IsEmpty())
    {
        return SIZE{0, 0};
    }
    const RECT& rcMargin = m_pContext->GetMargin();
    const SIZE inset = GetInset();
    const int nPadX = rcMargin.left + rcMargin.right + 2 * inset.cx;
    int nPadY = rcMargin.top + rcMargin.bottom + 2 * inset.cy;
    const int nMaxWidth = m_pContext->GetMaxTipWidth();

    CClientDC dc(this);
    const CLVKFontDC font(&dc, m_pContext->GetFont());
    int nTitleWidth = 0;
    if (!GetTitle().IsEmpty())
    {
        const CLVKFontDC bold(&dc, m_pContext->GetBoldFont());
        RECT rcTitle{0, 0, nMaxWidth, 0};
        dc.DrawText(GetTitle(), &rcTitle, DT_CALCRECT | kTitleFormat);
        nTitleWidth = std::min<int>(rcTitle.right - rcTitle.left, nMaxWidth);
        nPadY += (rcTitle.bottom - rcTitle.top) + CLVKDpiScaling::GetGlobal()->ScaleY(6);
    }
    RECT rcText{0, 0, nMaxWidth - nPadX, 0};
    dc.DrawText(strText, &rcText, DT_CALCRECT | kTextFormat);
    const int nWidth = std::max<int>(rcText.right - rcText.left, nTitleWidth);
    return SIZE{nWidth + nPadX, (rcText.bottom - rcText.top) + nPadY};
}

void CLVKToolTipContext::COffice2013ToolTip::DrawTip(CDC* pDC, TOOLITEM* pTool, RECT rc)
{
    const RECT& rcMargin = m_pContext->GetMargin();
    const SIZE inset = GetInset();
    rc.left += rcMargin.left + inset.cx;
    rc.top += rcMargin.top + inset.cy;
    rc.right -= rcMargin.right + inset.cx;
    rc.bottom -= rcMargin.bottom + inset.cy;
    const COLORREF clrOld = pDC->SetTextColor(kTextColor);
    if (!GetTitle().IsEmpty())
    {
        const CLVKFontDC bold(pDC, m_pContext->GetBoldFont());
        RECT rcTitle = rc;
        const int nTitleHeight = pDC->DrawText(GetTitle(), &rcTitle, kTitleFormat);
        rc.top += nTitleHeight + CLVKDpiScaling::GetGlobal()->ScaleY(6);
    }
    pDC->DrawText(GetToolText(pTool), &rc, kTextFormat);
    pDC->SetTextColor(clrOld);
}
