#include "PrintOptions.h"

#include "PrintPageHeaderFooter.h"

CLVKPrintOptions::CLVKPrintOptions()
    : m_pHeader(new CLVKPrintPageHeaderFooter(this, TRUE)), m_pFooter(new CLVKPrintPageHeaderFooter(this, FALSE))
{
    ResetMargins();
}

CLVKPrintOptions::~CLVKPrintOptions() = default;

void CLVKPrintOptions::ResetMargins()
{
    const int nMargin = IsMeasureUS() ? 500 : 1000;
    m_rcMargins.SetRect(nMargin, nMargin, nMargin, nMargin);
}

BOOL CLVKPrintOptions::IsMeasureUS()
{
    WCHAR szMeasure[4] = {};
    ::GetLocaleInfoW(GetLocaleId(), LOCALE_IMEASURE, szMeasure, 4);
    return szMeasure[0] == L'1';
}

CRect CLVKPrintOptions::GetMarginsHimetric()
{
    if (!IsMeasureUS())
        return m_rcMargins;
    return CRect(m_rcMargins.left * 254 / 100, m_rcMargins.top * 254 / 100, m_rcMargins.right * 254 / 100,
                 m_rcMargins.bottom * 254 / 100);
}

CRect CLVKPrintOptions::GetMarginsLP(CDC* pPrintDC)
{
    if (!pPrintDC || !pPrintDC->GetSafeHdc())
        return CRect(0, 0, 0, 0);
    const CRect rc = GetMarginsHimetric();
    SIZE topLeft = {rc.left, rc.top};
    SIZE bottomRight = {rc.right, rc.bottom};
    pPrintDC->HIMETRICtoLP(&topLeft);
    pPrintDC->HIMETRICtoLP(&bottomRight);
    return CRect(topLeft.cx, topLeft.cy, bottomRight.cx, bottomRight.cy);
}

void CLVKPrintOptions::CopyFrom(const CLVKPrintOptions* pOther)
{
    if (!pOther || pOther == this)
        return;
    m_rcMargins = pOther->m_rcMargins;
    m_pHeader->CopyFrom(pOther->m_pHeader.get());
    m_pFooter->CopyFrom(pOther->m_pFooter.get());
    m_bBlackWhitePrinting = pOther->m_bBlackWhitePrinting;
    m_bPrintSelection = pOther->m_bPrintSelection;
}
