#include "ReportColumn.h"

#include "ReportColumns.h"
#include "ReportControl.h"
#include "ReportHeader.h"
#include "ReportPaintManager.h"
#include "Foundation/DpiScaling.h"
#include "ReportRecordItemEditOptions.h"
#include "Markup/MarkupHelpers.h"

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
            nResult = max(nTotalWidth, pColumn->GetMinWidth());
        else
        {
            nWeights = max(nWeights, 1);
            nResult =
                max(static_cast<int>(static_cast<long long>(nTotalWidth) * pColumn->m_nColumnAutoWidth / nWeights),
                    pColumn->GetMinWidth());
            nWeights -= pColumn->m_nColumnAutoWidth;
            nTotalWidth -= nResult;
        }
        if (pColumn == this)
            return nResult;
    }
    return 0;
}

int CLVKReportColumn::GetHeaderAlignment() const
{
    if (m_nHeaderAlignment != -1)
        return m_nHeaderAlignment;
    CLVKReportControl* pControl = GetControl();
    if (pControl && pControl->GetPaintManager() && pControl->GetPaintManager()->m_bUseColumnTextAlignment)
        return m_nAlignment;
    return 0;
}

int CLVKReportColumn::GetFooterAlignment() const
{
    if (m_nFooterAlignment != -1)
        return m_nFooterAlignment;
    CLVKReportControl* pControl = GetControl();
    if (pControl && pControl->GetPaintManager() && pControl->GetPaintManager()->m_bUseColumnTextAlignment)
        return m_nAlignment;
    return 0;
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

int CLVKReportColumn::GetBestFitWidth()
{
    CLVKReportControl* pControl = GetControl();
    if (!pControl)
        return max(m_nBestFitFloor, GetWidth());
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    int nWidth = pDpi->ScaleX(6);
    {
        HDC hDC = ::GetDC(pControl->GetSafeHwnd());
        HGDIOBJ hOld = ::SelectObject(hDC, pControl->GetPaintManager()->GetCaptionFont()->GetSafeHandle());
        SIZE sz{};
        ::GetTextExtentPoint32W(hDC, m_strCaption, m_strCaption.GetLength(), &sz);
        ::SelectObject(hDC, hOld);
        ::ReleaseDC(pControl->GetSafeHwnd(), hDC);
        nWidth += sz.cx;
    }
    if (IsSortedOrGrouped())
        nWidth += pDpi->ScaleX(27);
    const int nCells = pControl->MeasureColumnWidth(this);
    return max(max(nWidth, nCells), m_nBestFitFloor);
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
