#include "ReportColumn.h"

#include "ReportColumns.h"
#include "ReportControl.h"
#include "ReportHeader.h"
#include "ReportPaintManager.h"
#include "Foundation/FontDC.h"
#include "Foundation/DpiScaling.h"
#include "ReportRecordItemEditOptions.h"
#include "Foundation/PropExchangeFunctions.h"
#include "Markup/MarkupHelpers.h"

namespace
{
// A DrawText alignment seen from the other side: right loses its bit, any
// other value gains it.
int Mirror(int nAlignment)
{
    return (nAlignment & DT_RIGHT) ? nAlignment & ~DT_RIGHT : nAlignment | DT_RIGHT;
}
}  // namespace

IMPLEMENT_DYNAMIC(CLVKReportColumn, CLVKCmdTarget)

CLVKReportColumn::CLVKReportColumn(int nItemIndex, LPCWSTR lpszCaption, int nWidth, BOOL bAutoSize, int nIconID,
                                   BOOL bSortable, BOOL bVisible)
    : m_strCaption(lpszCaption), m_nItemIndex(nItemIndex), m_bSortable(bSortable), m_nIconID(nIconID),
      m_bVisible(bVisible), m_bIsResizable(bAutoSize), m_nColumnAutoWidth(nWidth), m_nColumnStaticWidth(nWidth),
      m_bAutoSize(bAutoSize)
{
    m_pEditOptions = new CLVKReportRecordItemEditOptions();
    m_nDefaultWidth = nWidth;
}

CLVKReportColumn::~CLVKReportColumn()
{
    m_pEditOptions->InternalRelease();
    MarkupReleaseElement(m_pMarkupUIElement);
}

void CLVKReportColumn::ResetMarkupUIElement()
{
    MarkupReleaseElement(m_pMarkupUIElement);
    CLVKReportControl* pControl = GetControl();
    if (pControl && pControl->GetMarkupContext())
        m_pMarkupUIElement = MarkupParseText(pControl->GetMarkupContext(), m_strCaption);
}

CLVKReportControl* CLVKReportColumn::GetControl() const
{
    return m_pColumns ? m_pColumns->GetControl() : nullptr;
}

int CLVKReportColumn::GetIndex() const
{
    return m_pColumns ? m_pColumns->IndexOf(this) : -1;
}

int CLVKReportColumn::GetVisibleIndex() const
{
    if (!m_pColumns || !m_bVisible)
        return -1;
    int n = 0;
    for (int i = 0; i < m_pColumns->GetCount(); i++)
    {
        CLVKReportColumn* pColumn = m_pColumns->GetAt(i);
        if (pColumn == this)
            return n;
        if (pColumn->IsVisible())
            n++;
    }
    return -1;
}

int CLVKReportColumn::GetWidth() const
{
    int nWidth = m_nColumnStaticWidth;
    CLVKReportControl* pControl = GetControl();
    if (!m_bIsResizable && pControl && m_pColumns->GetFirstVisibleColumn() == this && pControl->GetPaintManager())
        nWidth += pControl->GetGroupIndent();
    return nWidth;
}

int CLVKReportColumn::GetMinWidth() const
{
    if (m_bIsResizable || m_bAutoSize)
        return m_nMinWidth;
    return GetWidth();
}

int CLVKReportColumn::SetWidth(int nWidth)
{
    const int nOld = m_nColumnStaticWidth;
    m_nColumnStaticWidth = m_nColumnAutoWidth = nWidth;
    if (m_pColumns && m_pColumns->GetReportHeader())
        m_pColumns->GetReportHeader()->OnColumnsChanged(0x100, this);
    return nOld;
}

void CLVKReportColumn::SetVisible(BOOL bVisible)
{
    CLVKReportControl* pControl = GetControl();
    // The icon view's caption column takes no room once hidden.
    if (!bVisible && pControl && pControl->GetIconColumnIndex() > 0 && GetIndex() == pControl->GetIconColumnIndex())
        SetWidth(0);
    if (m_bVisible == bVisible)
        return;
    if (!bVisible)
        m_nOldVisibleIndex = GetVisibleIndex();
    m_bVisible = bVisible;
    if (m_pColumns && m_pColumns->GetReportHeader())
        m_pColumns->GetReportHeader()->OnColumnsChanged(bVisible ? 0x201 : 0x401, this);
}

int CLVKReportColumn::CalcAutoWidth(int nTotalWidth) const
{
    if (!m_bVisible || !m_pColumns)
        return 0;
    int nWeights = 0;
    const CLVKReportColumn* pLastAuto = nullptr;
    for (int i = 0; i < m_pColumns->GetCount(); i++)
    {
        const CLVKReportColumn* pColumn = m_pColumns->GetAt(i);
        if (!pColumn->IsVisible())
            continue;
        if (pColumn->IsAutoSize())
        {
            nWeights += pColumn->m_nColumnAutoWidth;
            pLastAuto = pColumn;
        }
        else
            nTotalWidth -= pColumn->GetWidth();
    }
    for (int i = 0; i < m_pColumns->GetCount(); i++)
    {
        const CLVKReportColumn* pColumn = m_pColumns->GetAt(i);
        if (!pColumn->IsVisible())
            continue;
        int nResult = 0;
        if (!pColumn->IsAutoSize())
            nResult = pColumn->GetWidth();
        else if (pColumn == pLastAuto)
            nResult = std::max(nTotalWidth, pColumn->GetMinWidth());
        else
        {
            nWeights = std::max(nWeights, 1);
            nResult =
                std::max(static_cast<int>(static_cast<long long>(nTotalWidth) * pColumn->m_nColumnAutoWidth / nWeights),
                         pColumn->GetMinWidth());
            nWeights -= pColumn->m_nColumnAutoWidth;
            nTotalWidth -= nResult;
        }
        if (pColumn == this)
            return nResult;
    }
    return 0;
}

int CLVKReportColumn::GetAlignment() const
{
    CLVKReportControl* pControl = GetControl();
    if (pControl && pControl->GetPaintManager() && pControl->GetPaintManager()->m_bMirrored)
        return Mirror(m_nAlignment);
    return m_nAlignment;
}

int CLVKReportColumn::ResolveAlignment(int nOwn) const
{
    if (nOwn != -1)
        return nOwn;
    CLVKReportControl* pControl = GetControl();
    CLVKReportPaintManager* pPaintManager = pControl ? pControl->GetPaintManager() : nullptr;
    if (pPaintManager && pPaintManager->m_bUseColumnTextAlignment)
        return GetAlignment();
    return pPaintManager && pPaintManager->m_bMirrored ? Mirror(0) : 0;
}

int CLVKReportColumn::GetHeaderAlignment() const
{
    return ResolveAlignment(m_nHeaderAlignment);
}

int CLVKReportColumn::GetFooterAlignment() const
{
    return ResolveAlignment(m_nFooterAlignment);
}

CFont* CLVKReportColumn::GetFont() const
{
    if (m_pFont && m_pFont->GetSafeHandle())
        return m_pFont;
    CLVKReportControl* pControl = GetControl();
    if (pControl && pControl->GetPaintManager())
        return pControl->GetPaintManager()->GetCaptionFont();
    static CFont s_fontDefault;
    if (!s_fontDefault.GetSafeHandle())
        s_fontDefault.CreateStockObject(DEFAULT_GUI_FONT);
    return &s_fontDefault;
}

BOOL CLVKReportColumn::IsSorted() const
{
    return m_pColumns && m_pColumns->GetSortOrder()->IndexOf(this) >= 0;
}

BOOL CLVKReportColumn::IsSortedOrGrouped() const
{
    return IsSorted() || (m_pColumns && m_bSortedWhenGrouped && m_pColumns->GetGroupsOrder()->IndexOf(this) >= 0);
}

int CLVKReportColumn::GetCaptionWidth(CDC* pDC)
{
    if (m_pMarkupUIElement)
        return MarkupMeasureElement(m_pMarkupUIElement).cx;
    if (!pDC)
        return 0;
    SIZE sz{};
    ::GetTextExtentPoint32W(pDC->m_hAttribDC ? pDC->m_hAttribDC : pDC->m_hDC, m_strCaption, m_strCaption.GetLength(),
                            &sz);
    return sz.cx;
}

int CLVKReportColumn::GetBestFitWidth()
{
    CLVKReportControl* pControl = GetControl();
    if (!pControl)
        return std::max(m_nBestFitFloor, GetWidth());
    CLVKReportPaintManager* pPaintManager = pControl->GetPaintManager();
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    int nWidth = pDpi->ScaleX(6);
    {
        CDC dc;
        dc.Attach(::GetDC(pControl->GetSafeHwnd()));
        dc.m_hAttribDC = dc.m_hDC;
        {
            CLVKFontDC font(&dc, pPaintManager->GetCaptionFont());
            nWidth += GetCaptionWidth(&dc);
        }
        ::ReleaseDC(pControl->GetSafeHwnd(), dc.Detach());
    }
    if (m_nIconID != -1)
        nWidth += pPaintManager->DrawItemIcon(nullptr, pControl, m_rcColumn, m_nIconID) + pDpi->ScaleX(2);
    if (IsSortedOrGrouped() && pPaintManager->m_nSortArrowMode != 2)
        nWidth += pDpi->ScaleX(27);
    const int nCells = pControl->MeasureColumnWidth(this);
    return std::max(std::max(nWidth, nCells), m_nBestFitFloor);
}

void CLVKReportColumn::EnsureVisible()
{
    if (CLVKReportControl* pControl = GetControl())
        pControl->EnsureColumnVisible(this);
}

// The block is the visible positions after the column (a positive size) or
// before it (a negative size).
void CLVKReportColumn::SetBlockHidden(BOOL bHidden)
{
    if (!m_pColumns)
        return;
    const int c = GetVisibleIndex();
    const int n = m_nNextVisualBlock;
    m_bBlockHidden = bHidden;
    if (c < 0 || n == 0)
        return;
    const int nFirst = n > 0 ? c + 1 : c + n;
    const int nLast = n > 0 ? c + n : c - 1;
    for (int i = m_pColumns->GetCount() - 1; i >= 0; i--)
    {
        CLVKReportColumn* pColumn = m_pColumns->GetAt(i);
        if (pColumn == this)
            continue;
        if (bHidden)
        {
            const int v = pColumn->GetVisibleIndex();
            if (v >= nFirst && v <= nLast)
                pColumn->SetVisible(FALSE);
        }
        else if (!pColumn->IsVisible())
        {
            // A block after the column comes back at the positions it had; a
            // block before it, whose positions moved up as it was hidden,
            // from c + n to c + 2.
            const int nOld = pColumn->m_nOldVisibleIndex;
            if ((n > 0 && nOld >= c + 1 && nOld <= c + n) || (n < 0 && nOld >= c + n && nOld <= c + 2))
                pColumn->SetVisible(TRUE);
        }
    }
}

void CLVKReportColumn::DoPropExchange(CLVKPropExchange* pPX)
{
    ExchangeBool(pPX, L"SortIncreasing", m_bSortIncreasing, TRUE);
    ExchangeBool(pPX, L"Visible", m_bVisible, TRUE);
    ExchangeInt(pPX, L"Alignment", m_nAlignment, 0);
    ExchangeIntDpi(pPX, L"StaticWidth", m_nColumnStaticWidth, 0);
    ExchangeIntDpi(pPX, L"AutoWidth", m_nColumnAutoWidth, 0);
    const UINT nSchema = pPX->GetSchema();
    if (nSchema > 21)
    {
        ExchangeInt(pPX, L"HeaderAlignment", m_nHeaderAlignment, -1);
        ExchangeInt(pPX, L"FooterAlignment", m_nFooterAlignment, -1);
    }
    if (nSchema >= 36)
    {
        ExchangeBool(pPX, L"PlusMinus", m_bPlusMinus, FALSE);
        ExchangeInt(pPX, L"NextVisualBlock", m_nNextVisualBlock, 0);
        ExchangeInt(pPX, L"OldVisibleIndex", m_nOldVisibleIndex, -1);
        ExchangeBool(pPX, L"Expanded", m_bBlockHidden, TRUE);
    }
}
