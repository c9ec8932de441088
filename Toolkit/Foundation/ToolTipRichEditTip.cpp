#include "ToolTipRichEditTip.h"

#include "DpiScaling.h"

SIZE CLVKToolTipContext::CRichEditToolTip::MeasureTip(TOOLITEM* pTool)
{
    const CString& strText = GetToolText(pTool);
    if (!m_render.GetTextServices() || strText.IsEmpty())
    {
        return SIZE{0, 0};
    }
    CClientDC dc(this);
    LOGFONTW lf{};
    if (CFont* const pFont = m_pContext->GetFont())
    {
        GetObjectW(pFont->GetSafeHandle(), sizeof(lf), &lf);
    }
    CHARFORMATW cf{};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_FACE | CFM_SIZE | CFM_COLOR | CFM_CHARSET | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT |
                CFM_PROTECTED;
    lstrcpynW(cf.szFaceName, lf.lfFaceName, LF_FACESIZE);
    const int nPixelsPerInch = GetDeviceCaps(dc.GetSafeHdc(), LOGPIXELSY);
    cf.yHeight = nPixelsPerInch ? MulDiv(lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight, 1440, nPixelsPerInch) : 0;
    cf.crTextColor = m_pContext->GetTextColor();
    cf.bCharSet = lf.lfCharSet;
    m_render.SetDefaultCharFormat(cf);
    m_render.SetText(strText);

    CLVKDpiScaling* const pDpi = CLVKDpiScaling::GetGlobal();
    const RECT& rcMargin = m_pContext->GetMargin();
    const int nPadX = rcMargin.left + rcMargin.right + 2 * pDpi->ScaleX(3);
    const int nPadY = rcMargin.top + rcMargin.bottom + 2 * pDpi->ScaleY(3);
    const SIZE extent = m_render.GetTextExtent(dc.GetSafeHdc(), m_pContext->GetMaxTipWidth() - nPadX);
    return SIZE{extent.cx + nPadX, extent.cy + nPadY};
}

void CLVKToolTipContext::CRichEditToolTip::DrawTip(CDC* pDC, TOOLITEM* /*pTool*/, RECT rc)
{
    CLVKDpiScaling* const pDpi = CLVKDpiScaling::GetGlobal();
    const RECT& rcMargin = m_pContext->GetMargin();
    rc.left += rcMargin.left + pDpi->ScaleX(3);
    rc.top += rcMargin.top + pDpi->ScaleY(3);
    rc.right -= rcMargin.right + pDpi->ScaleX(3);
    rc.bottom -= rcMargin.bottom + pDpi->ScaleY(3);
    m_render.Draw(pDC->GetSafeHdc(), rc);
}
