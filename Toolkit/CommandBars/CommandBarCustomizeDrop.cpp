// CLVKCommandBar: dropping a control into a bar while the bars are being
// customised: where the drop lands (the I-beam marker between controls),
// what the dragged control is told on the way, and inserting its clone.
#include "CommandBars/CommandBar.h"

#include "CommandBars/CommandBars.h"
#include "CommandBars/Control.h"
#include "CommandBars/Controls.h"
#include "Foundation/ColorManager.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/GdiObjectDC.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

void CLVKCommandBar::DrawDropMarker(CDC* pDC)
{
    CBrush brush(GetToolkitColor(COLOR_BTNFACE));
    const CLVKGdiObjectDC selectedBrush(pDC, &brush);
    const CRect& rc = m_rcDropMarker;
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    const int n1 = pDpi->ScaleX(1);
    const int n2 = pDpi->ScaleX(2);
    const int n4 = pDpi->ScaleX(4);
    if (!m_bDropMarkerVertical)
    {
        // Between controls of a row: a vertical stem with short bars.
        const int x = rc.CenterPoint().x;
        pDC->PatBlt(x - n1, rc.top + n2, n2, rc.Height() - 2 * n2, PATINVERT);
        pDC->PatBlt(x - n2, rc.top, n4, n2, PATINVERT);
        pDC->PatBlt(x - n2, rc.bottom - n2, n4, n2, PATINVERT);
    }
    else
    {
        const int y = rc.CenterPoint().y;
        pDC->PatBlt(rc.left + n2, y - n1, rc.Width() - 2 * n2, n2, PATINVERT);
        pDC->PatBlt(rc.left, y - n2, n2, n4, PATINVERT);
        pDC->PatBlt(rc.right - n2, y - n2, n2, n4, PATINVERT);
    }
}

CLVKControl* CLVKCommandBar::HitTestDropPosition(CLVKControl* pDragged, CPoint pt, CRect& rcMarker, int& nIndex,
                                                 BOOL& bAfter)
{
    const BOOL bStacked = m_nPosition == kBarLeft || m_nPosition == kBarRight || m_nType == kBarTypePopup;
    auto along = [bStacked](CPoint p) { return bStacked ? p.y : p.x; };
    auto across = [bStacked](CPoint p) { return bStacked ? p.x : p.y; };
    auto middle = [bStacked](const CRect& rc) { return bStacked ? rc.CenterPoint().y : rc.CenterPoint().x; };

    CLVKControl* pFound = nullptr;
    int nBest = INT_MAX;
    BOOL bFirst = TRUE;
    for (int i = 0; i < GetControlCount(); i++)
    {
        CLVKControl* pControl = GetControl(i);
        if (!pControl->IsVisible() || !pControl->IsCustomizable())
            continue;
        const CRect rc = pControl->GetRect();
        const CRect rcRow = pControl->GetRowRect().IsRectEmpty() ? rc : pControl->GetRowRect();
        if (bFirst || pControl->GetWrap())
        {
            // A new row (or column): the point must lie at or beyond its start.
            const int nStart = bStacked ? rcRow.left : rcRow.top;
            if (!bFirst && across(pt) < nStart)
                break;
            bFirst = FALSE;
            pFound = pControl;
            nBest = std::abs(along(pt) - middle(rc));
            continue;
        }
        if (m_bMultiColumn && (pt.x < rc.left || pt.x >= rc.right))
            continue;
        const int nDistance = std::abs(along(pt) - middle(rc));
        if (nDistance < nBest)
        {
            nBest = nDistance;
            pFound = pControl;
        }
    }

    m_bDropMarkerVertical = bStacked;
    const int nStrip = bStacked ? CLVKDpiScaling::GetGlobal()->ScaleY(6) : CLVKDpiScaling::GetGlobal()->ScaleX(6);
    if (!pFound)
    {
        nIndex = -1;
        bAfter = TRUE;
        if (IsRibbonBar() || !GetSafeHwnd())
        {
            rcMarker.SetRectEmpty();
            return nullptr;
        }
        CRect rcClient;
        GetClientRect(&rcClient);
        rcClient.DeflateRect(2, 2);
        rcMarker = bStacked ? CRect(rcClient.left, rcClient.top, rcClient.right, rcClient.top + nStrip)
                            : CRect(rcClient.left, rcClient.top, rcClient.left + nStrip, rcClient.bottom);
        return nullptr;
    }

    nIndex = pFound->GetIndex();
    const CRect rc = pFound->GetRect();
    bAfter = along(pt) > middle(rc);
    if (pFound == pDragged)
    {
        rcMarker.SetRectEmpty();
        return pFound;
    }
    // After the control: inside it when nothing follows in its row or group.
    CLVKControl* pNext = nullptr;
    for (int i = nIndex + 1; i < GetControlCount() && !pNext; i++)
    {
        if (GetControl(i)->IsVisible())
            pNext = GetControl(i);
    }
    const BOOL bInside = !pNext || pNext->GetBeginGroup() || pNext->GetWrap();
    int nNear = 0;
    if (!bAfter)
        nNear = bStacked ? rc.top : rc.left;
    else if (bInside)
        nNear = (bStacked ? rc.bottom : rc.right) - nStrip;
    else
        nNear = bStacked ? rc.bottom : rc.right;
    rcMarker = bStacked ? CRect(rc.left, nNear, rc.right, nNear + nStrip) : CRect(nNear, rc.top, nNear + nStrip, rc.bottom);
    return pFound;
}

void CLVKCommandBar::OnCustomizeDragEnter(CLVKControl* pDragged, CPoint pt)
{
    m_rcDropMarker.SetRectEmpty();
    OnCustomizeDragOver(pDragged, pt);
}

void CLVKCommandBar::OnCustomizeDragLeave()
{
    if (m_rcDropMarker.IsRectEmpty())
        return;
    m_rcDropMarker.SetRectEmpty();
    Redraw(nullptr, TRUE);
}

DWORD CLVKCommandBar::OnCustomizeDragOver(CLVKControl* pDragged, CPoint pt)
{
    CLVKCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars || !pDragged || !GetSafeHwnd() || !IsWindowVisible())
        return DROPEFFECT_NONE;
    if (!IsCustomizable() && !pCommandBars->m_bAllCustomizable)
        return DROPEFFECT_NONE;
    CRect rcMarker;
    int nIndex = -1;
    BOOL bAfter = FALSE;
    HitTestDropPosition(pDragged, pt, rcMarker, nIndex, bAfter);
    CLVKControl* pUnder = m_pControls->HitTest(pt);
    if (pUnder)
        pUnder->OnCustomizeDragOver(pDragged, pt);
    if (!GetParentBar() && (!pUnder || pUnder->GetIndex() != m_nPopupedIndex))
        pCommandBars->ClosePopups();
    DWORD dwEffect = DROPEFFECT_MOVE;
    if (!pDragged->CanDropOnBar(this, dwEffect))
        return DROPEFFECT_NONE;
    if (rcMarker != m_rcDropMarker)
    {
        m_rcDropMarker = rcMarker;
        Redraw(nullptr, FALSE);
    }
    return dwEffect;
}

void CLVKCommandBar::OnCustomizeDrop(CLVKControl* pDragged, DWORD& dwDropEffect, CPoint pt, CPoint ptDragStart)
{
    CLVKCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars || !pDragged)
        return;
    CRect rcMarker;
    int nIndex = -1;
    BOOL bAfter = FALSE;
    CLVKControl* pTarget = HitTestDropPosition(pDragged, pt, rcMarker, nIndex, bAfter);
    if (pTarget && pTarget == pDragged)
    {
        // Dropped on its own place: a move of more than a few pixels sets
        // or clears the group start before it.
        CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
        if (std::abs(pt.x - ptDragStart.x) > pDpi->ScaleX(4) || std::abs(pt.y - ptDragStart.y) > pDpi->ScaleY(4))
        {
            // The bar's system buttons do not count as controls before it.
            BOOL bFirst = TRUE;
            for (int i = 0; i < pDragged->GetIndex() && bFirst; i++)
                bFirst = GetControl(i)->IsTemporary();
            pDragged->SetBeginGroup(bAfter && !bFirst);
        }
        dwDropEffect = 5;
    }
    else
    {
        if (bAfter)
            nIndex++;
        SetPopupedIndex(-1);
        SetSelected(-1);
        BOOL bBeginGroup = FALSE;
        if (CLVKControl* pAtIndex = GetControl(nIndex); pAtIndex && pAtIndex->GetBeginGroup() && !bAfter)
        {
            bBeginGroup = TRUE;
            pAtIndex->SetBeginGroup(FALSE);
        }
        if (CLVKControl* pClone = m_pControls->AddClone(pDragged, nIndex < 0 ? -1 : nIndex, FALSE))
        {
            pClone->SetBeginGroup(bBeginGroup);
            pCommandBars->SetCustomizeSelectedControl(pClone);
        }
    }
    RecalcLayout();
    m_rcDropMarker.SetRectEmpty();
    Redraw(nullptr, TRUE);
}
