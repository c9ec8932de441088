#include "Markup/MarkupToolTip.h"

#include "Foundation/DpiScaling.h"
#include "Markup/MarkupHelpers.h"

CLVKMarkupToolTip::CLVKMarkupToolTip(CLVKToolTipContext* pContext)
    : COfficeToolTip(pContext), m_pMarkupContext(MarkupCreateContext(nullptr, TRUE))
{
}

void AFX_CDECL CLVKMarkupToolTip::Install()
{
    CLVKToolTipContext::SetMarkupTipMaker(
        [](CLVKToolTipContext* pContext) -> std::unique_ptr<CLVKToolTipContextToolTip>
        { return std::make_unique<CLVKMarkupToolTip>(pContext); });
}

CLVKMarkupToolTip::~CLVKMarkupToolTip()
{
    MarkupReleaseElement(m_pElement);
    MarkupReleaseContext(m_pMarkupContext);
}

SIZE CLVKMarkupToolTip::MeasureTip(TOOLITEM* pTool)
{
    MarkupReleaseElement(m_pElement);
    const CString& strText = GetToolText(pTool);
    if (strText.IsEmpty())
    {
        return SIZE{0, 0};
    }
    CFont* const pFont = m_pContext->GetFont();
    MarkupSetDefaultFont(m_pMarkupContext, pFont ? static_cast<HFONT>(pFont->GetSafeHandle()) : nullptr,
                         m_pContext->GetTextColor());
    m_pElement = MarkupParseText(m_pMarkupContext, strText);
    if (!m_pElement)
    {
        return COfficeToolTip::MeasureTip(pTool);
    }
    CLVKDpiScaling* const pDpi = CLVKDpiScaling::GetGlobal();
    const RECT& rcMargin = m_pContext->GetMargin();
    const int nExtraX = rcMargin.left + rcMargin.right + 2 * pDpi->ScaleX(3) + 1;
    const int nExtraY = rcMargin.top + rcMargin.bottom + 2 * pDpi->ScaleY(3) + 1;
    const SIZE size = MarkupMeasureElement(m_pElement, m_pContext->GetMaxTipWidth() - nExtraX, 0x7FFFFFFF);
    return SIZE{size.cx + nExtraX, size.cy + nExtraY};
}

void CLVKMarkupToolTip::DrawTip(CDC* pDC, TOOLITEM* pTool, RECT rc)
{
    if (!m_pElement)
    {
        COfficeToolTip::DrawTip(pDC, pTool, rc);
        return;
    }
    CLVKDpiScaling* const pDpi = CLVKDpiScaling::GetGlobal();
    const RECT& rcMargin = m_pContext->GetMargin();
    rc.left += rcMargin.left + pDpi->ScaleX(3);
    rc.top += rcMargin.top + pDpi->ScaleY(3);
    rc.right -= rcMargin.right + pDpi->ScaleX(3);
    rc.bottom -= rcMargin.bottom + pDpi->ScaleY(3);
    MarkupRenderElement(m_pElement, pDC->GetSafeHdc(), &rc);
}
