#include "ReportSections.h"

#include "ReportControl.h"
#include "ReportPaintManager.h"
#include "ReportRow.h"
#include "ReportRows.h"
#include "ReportSection.h"

CLVKReportSections::CLVKReportSections(CLVKReportControl* pControl) : m_pControl(pControl)
{
    m_arrSections[0] = new CLVKReportSection(pControl, 1);
    m_arrSections[1] = new CLVKReportSection(pControl, 0);
    m_arrSections[2] = new CLVKReportSection(pControl, 2);
}

CLVKReportSections::~CLVKReportSections()
{
    for (auto* pSection : m_arrSections)
        pSection->InternalRelease();
}

int CLVKReportSections::IndexOf(const CLVKReportSection* pSection) const
{
    for (int i = 0; i < 3; i++)
    {
        if (m_arrSections[i] == pSection)
            return i;
    }
    return -1;
}

BOOL CLVKReportSections::EnsureVisible(CDC* pDC, CLVKReportRow* pRow)
{
    if (!pRow || !pRow->GetSection())
        return FALSE;
    return pRow->GetSection()->EnsureVisible(pDC, pRow);
}

void CLVKReportSections::Draw(CDC* pDC)
{
    for (auto* pSection : m_arrSections)
    {
        if (pSection->m_bVisible)
            pSection->Draw(pDC);
    }
}

void CLVKReportSections::AdjustLayout(CDC* pDC, int nLeft, int nTop, int nRight, int nBottom)
{
    m_rcSections = RECT{nLeft, nTop, nRight, nBottom};
    const int nAvailable = nBottom - nTop;
    int nHeights[3] = {};
    int nDividers[3] = {};
    int nUsed = 0;
    CLVKReportPaintManager* pPaintManager = m_pControl->GetPaintManager();
    for (int i = 0; i < 3; i++)
    {
        CLVKReportSection* pSection = m_arrSections[i];
        if (!pSection->m_bVisible)
            continue;
        nDividers[i] = pPaintManager->GetDividerHeight(pSection->m_nDividerStyle);
        switch (pSection->m_nHeightMode)
        {
        case 0:
            nHeights[i] = pSection->m_nHeight;
            break;
        case 1:
            nHeights[i] = static_cast<int>(nAvailable / 100.0 * pSection->m_nHeight);
            break;
        case 2:
        case 4:
        case 5:
            nHeights[i] = pSection->GetTotalHeight(pDC) + pSection->GetBorder()->GetSize().cy;
            break;
        default:
            nHeights[i] = 0;
            break;
        }
        nUsed += nHeights[i] + nDividers[i];
    }
    const int nRemaining = nAvailable - nUsed;
    for (int i = 0; i < 3; i++)
    {
        if (m_arrSections[i]->m_bVisible && m_arrSections[i]->m_nHeightMode == 5 && nRemaining < 0)
            nHeights[i] = std::max(0, nHeights[i] + nRemaining);
    }
    for (int i = 0; i < 3; i++)
    {
        if (m_arrSections[i]->m_bVisible && m_arrSections[i]->m_nHeightMode == 3)
            nHeights[i] = std::max(nRemaining, 0);
    }
    int y = nTop;
    for (int i = 0; i < 3; i++)
    {
        CLVKReportSection* pSection = m_arrSections[i];
        if (!pSection->m_bVisible)
        {
            pSection->SetRect(RECT{nLeft, y, nRight, y});
            pSection->SetDividerRect(RECT{});
            continue;
        }
        if (pSection->m_nDividerStyle != 0 && pSection->m_nDividerPosition == 0)
        {
            pSection->SetDividerRect(RECT{nLeft, y, nRight, y + nDividers[i]});
            y += nDividers[i];
        }
        pSection->SetRect(RECT{nLeft, y, nRight, y + nHeights[i]});
        y += nHeights[i];
        if (pSection->m_nDividerStyle != 0 && pSection->m_nDividerPosition == 1)
        {
            pSection->SetDividerRect(RECT{nLeft, y, nRight, y + nDividers[i]});
            y += nDividers[i];
        }
    }
}

void CLVKReportSections::ReSort()
{
    for (auto* pSection : m_arrSections)
    {
        if (pSection->m_bAllowSort)
            pSection->ReSortRows();
    }
    m_pControl->AdjustLayout();
    m_pControl->AdjustScrollBars();
    m_pControl->RedrawControl();
}

void CLVKReportSections::RefreshIndexes(BOOL bAdjustScrollBars)
{
    for (auto* pSection : m_arrSections)
        pSection->RefreshIndexes(0);
    if (bAdjustScrollBars)
        m_pControl->AdjustScrollBars();
}

void CLVKReportSections::ResetContent()
{
    for (auto* pSection : m_arrSections)
        pSection->ResetContent();
}

CLVKReportRow* CLVKReportSections::GetFocusedRow() const
{
    for (auto* pSection : m_arrSections)
    {
        if (CLVKReportRow* pRow = pSection->GetFocusedRow())
            return pRow;
    }
    return nullptr;
}

CLVKReportSection* CLVKReportSections::HitTest(POINT pt) const
{
    CLVKReportSection* pHit = nullptr;
    for (auto* pSection : m_arrSections)
    {
        if (pSection->m_bVisible && PtInRect(&pSection->GetRect(), pt))
            pHit = pSection;
    }
    return pHit;
}
