#include "ReportRecordItemPreview.h"

#include "ReportControl.h"
#include "ReportPaintManager.h"
#include "ReportRecord.h"
#include "ReportRow.h"
#include "Foundation/FontDC.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/PropExchangeFunctions.h"
#include "Markup/MarkupHelpers.h"

IMPLEMENT_DYNCREATE(CLVKReportRecordItemPreview, CLVKReportRecordItem)

CLVKReportRecordItemPreview::CLVKReportRecordItemPreview(LPCWSTR lpszPreviewText)
    : m_strPreviewText(lpszPreviewText ? lpszPreviewText : L"")
{
}

void CLVKReportRecordItemPreview::SetPreviewText(LPCWSTR lpszText)
{
    m_strPreviewText = lpszText ? lpszText : L"";
    ResetMarkupUIElement();
}

CString CLVKReportRecordItemPreview::GetCaption(CLVKReportColumn* /*pColumn*/)
{
    return m_strPreviewText;
}

void CLVKReportRecordItemPreview::GetCaptionRect(LVK_REPORTRECORDITEM_ARGS* pArgs, RECT& rcItem)
{
    CLVKReportControl* pControl = pArgs ? pArgs->pControl : m_pControl;
    if (!pControl)
        return;
    const RECT& rcIndent = pControl->GetPaintManager()->m_rcPreviewIndent;
    rcItem.left += LVKScaleX(rcIndent.left) - LVKScaleX(2);
    rcItem.top -= LVKScaleY(1);
    rcItem.right -= LVKScaleX(rcIndent.right);
    rcItem.bottom += LVKScaleY(rcIndent.bottom);
}

void CLVKReportRecordItemPreview::GetItemMetrics(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs,
                                                 LVK_REPORTRECORDITEM_METRICS* pMetrics)
{
    CLVKReportControl* pControl = pDrawArgs && pDrawArgs->pControl ? pDrawArgs->pControl : m_pControl;
    if (!pControl)
        return;
    CLVKReportPaintManager* pPaintManager = pControl->GetPaintManager();
    pMetrics->clrForeground = m_clrText != static_cast<COLORREF>(-1) ? m_clrText : pPaintManager->m_clrPreviewText;
    pMetrics->pFont = pPaintManager->GetPreviewFont();
}

void CLVKReportRecordItemPreview::OnDrawCaption(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs,
                                                LVK_REPORTRECORDITEM_METRICS* pMetrics)
{
    CLVKReportPaintManager* pPaintManager = pDrawArgs->pControl->GetPaintManager();
    if (!pPaintManager->QueryDrawOption(pDrawArgs) || pMetrics->strText.IsEmpty())
        return;
    const RECT& rcIndent = pPaintManager->m_rcPreviewIndent;
    RECT rcText = pDrawArgs->rcItem;
    rcText.left += LVKScaleX(rcIndent.left);
    rcText.top += LVKScaleY(rcIndent.top);
    rcText.right -= LVKScaleX(rcIndent.right);
    rcText.bottom -= LVKScaleY(rcIndent.bottom);
    CFont* pFont = pMetrics->pFont ? pMetrics->pFont : pPaintManager->GetTextFont();
    if (m_pMarkupUIElement)
    {
        MarkupSetDefaultFont(MarkupGetElementContext(m_pMarkupUIElement), static_cast<HFONT>(pFont->GetSafeHandle()),
                             pMetrics->clrForeground);
        MarkupMeasureElement(m_pMarkupUIElement, rcText.right - rcText.left, 0x7FFFFFFF);
        MarkupRenderElement(m_pMarkupUIElement, pDrawArgs->pDC->m_hDC, &rcText);
        return;
    }
    HDC hDC = pDrawArgs->pDC->m_hDC;
    CLVKFontDC font(pDrawArgs->pDC, pFont);
    ::SetTextColor(hDC, pMetrics->clrForeground);
    SetBkMode(hDC, TRANSPARENT);
    DrawTextW(hDC, pMetrics->strText, pMetrics->strText.GetLength(), &rcText, DT_WORDBREAK | DT_NOPREFIX);
}

int CLVKReportRecordItemPreview::GetPreviewHeight(CDC* pDC, CLVKReportRow* pRow, int nWidth)
{
    if (!pRow || !pRow->GetControl())
        return 0;
    CLVKReportControl* pControl = pRow->GetControl();
    CLVKReportPaintManager* pPaintManager = pControl->GetPaintManager();
    const LVKReportReference<LVK_REPORTRECORDITEM_METRICS> metrics(new LVK_REPORTRECORDITEM_METRICS());
    LVK_REPORTRECORDITEM_METRICS* pMetrics = metrics.get();
    pMetrics->strText = GetPreviewText();
    LVK_REPORTRECORDITEM_DRAWARGS drawArgs;
    drawArgs.pControl = pControl;
    drawArgs.pRow = pRow;
    drawArgs.pItem = this;
    pRow->FillItemMetrics(&drawArgs, pMetrics);
    int nHeight = 0;
    if (!pMetrics->strText.IsEmpty())
    {
        const RECT& rcIndent = pPaintManager->m_rcPreviewIndent;
        const int nLeft = pControl->GetGroupIndent() + LVKScaleX(rcIndent.left);
        const int nRight = nWidth - LVKScaleX(rcIndent.right);
        const int nAvailable = std::max(0, nRight - nLeft);
        CFont* pFont = pMetrics->pFont ? pMetrics->pFont : pPaintManager->GetTextFont();
        if (m_pMarkupUIElement)
        {
            MarkupSetDefaultFont(MarkupGetElementContext(m_pMarkupUIElement),
                                 static_cast<HFONT>(pFont->GetSafeHandle()), pMetrics->clrForeground);
            const SIZE sz = MarkupMeasureElement(m_pMarkupUIElement, nAvailable, 0x7FFFFFFF);
            nHeight = sz.cy + LVKScaleY(rcIndent.top) + LVKScaleY(rcIndent.bottom);
        }
        else
        {
            CClientDC dcScreen(nullptr);
            CDC* pMeasureDC = pDC ? pDC : &dcScreen;
            CLVKFontDC font(pMeasureDC, pFont);
            const int nLines = pPaintManager->CountPreviewLines(pMeasureDC->m_hDC, nAvailable, pMetrics->strText);
            SIZE szSpace{};
            GetTextExtentPoint32W(pMeasureDC->m_hDC, L" ", 1, &szSpace);
            nHeight = LVKScaleY(rcIndent.top) + nLines * szSpace.cy + LVKScaleY(rcIndent.bottom);
        }
    }
    return nHeight;
}

void CLVKReportRecordItemPreview::OnBeginEdit(LVK_REPORTRECORDITEM_ARGS* pArgs)
{
    if (pArgs && pArgs->pControl && pArgs->pControl->IsAllowEditPreview())
        CLVKReportRecordItem::OnBeginEdit(pArgs);
}

void CLVKReportRecordItemPreview::OnEditChanged(LVK_REPORTRECORDITEM_ARGS* /*pArgs*/, LPCWSTR lpszText)
{
    // The edited text is kept as typed; its markup is parsed at the next reset.
    m_strPreviewText = lpszText ? lpszText : L"";
}

void CLVKReportRecordItemPreview::DoPropExchange(CLVKPropExchange* pPX)
{
    CLVKReportRecordItem::DoPropExchange(pPX);
    ExchangeString(pPX, L"PreviewText", m_strPreviewText, L"");
    if (pPX->IsLoading())
        ResetMarkupUIElement();
}
