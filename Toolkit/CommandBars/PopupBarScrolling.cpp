// CLVKPopupBar: a menu taller than the room it got shows a page of its
// items between two scroll buttons; resting the pointer on a button moves
// the page by one item every 200 ms, and an item selected from the keyboard
// scrolls into view.
#include "CommandBars/PopupBar.h"

#include "CommandBars/Control.h"
#include "CommandBars/Controls.h"
#include "CommandBars/PaintManager.h"
#include "Foundation/DpiScaling.h"

#include <algorithm>
#include <vector>

namespace
{
const UINT kScrollPeriod = 200;
}  // namespace

void CLVKPopupBar::StopScrollTimer(CScrollButton& button)
{
    if (!button.bTimerRunning)
        return;
    button.bTimerRunning = FALSE;
    if (GetSafeHwnd())
        KillTimer(button.nTimerId);
}

void CLVKPopupBar::UpdateScrollLayout(CSize szClient, BOOL bTowardsEnd, BOOL bRedraw)
{
    if (szClient.cx <= 0 || szClient.cy <= 0)
    {
        CRect rcClient;
        if (GetSafeHwnd())
            GetClientRect(&rcClient);
        szClient = rcClient.Size();
    }
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    const int nButton = pDpi->ScaleY(16);
    const CRect rcBorders = GetBorders();
    const int nTop = rcBorders.top;
    int nBottom = szClient.cy - rcBorders.bottom;
    if (m_pExpandButton && m_bHasHiddenItems)
    {
        // The expand button keeps the strip above the bottom border.
        CRect rcExpand = m_pExpandButton->GetRect();
        rcExpand.MoveToY(nBottom - rcExpand.Height());
        m_pExpandButton->SetRect(rcExpand);
        nBottom = rcExpand.top;
    }
    m_scrollUp.rc.SetRectEmpty();
    m_scrollDown.rc.SetRectEmpty();

    // The items that take part: shown ones, wherever the scrolling put them.
    std::vector<CLVKControl*> items;
    for (int i = 0; i < GetControlCount(); i++)
    {
        CLVKControl* pControl = GetControl(i);
        if (pControl == m_pExpandButton || pControl->GetParent() != this)
            continue;
        pControl->SetHideFlags(pControl->GetHideFlags() & ~kHideScrolledOut);
        if (pControl->IsVisible())
            items.push_back(pControl);
    }
    const int nCount = static_cast<int>(items.size());
    if (nCount == 0)
    {
        m_nFirstShown = m_nEndShown = 0;
        return;
    }
    CClientDC dc(GetSafeHwnd() ? this : nullptr);
    CLVKPaintManager* pPaintManager = GetPaintManager();
    const int nSeparator = pPaintManager->DrawCommandBarSeparator(&dc, this, nullptr, FALSE).cy;
    auto heightOf = [&](int k, BOOL bFirstOnPage)
    { return items[k]->GetRect().Height() + ((items[k]->GetBeginGroup() && !bFirstOnPage) ? nSeparator : 0); };
    auto place = [&](int k, int y, BOOL bFirstOnPage)
    {
        CLVKControl* pControl = items[k];
        CRect rc = pControl->GetRect();
        if (pControl->GetBeginGroup() && !bFirstOnPage)
            y += nSeparator;
        rc.MoveToY(y);
        pControl->SetRect(rc);
        return rc.bottom;
    };
    // Indexes count the taking part items; the fields keep collection indexes.
    auto positionOf = [&](int nIndex)
    {
        for (int k = 0; k < nCount; k++)
        {
            if (items[k]->GetIndex() >= nIndex)
                return k;
        }
        return nCount;
    };

    int nFirst = 0;
    int nEnd = nCount;
    if (!bTowardsEnd)
    {
        nFirst = positionOf(m_nFirstShown);
        // One item above is shown again rather than an up button for it.
        if (nFirst == 1 || nFirst >= nCount)
            nFirst = nFirst >= nCount ? nCount - 1 : 0;
        const BOOL bUp = nFirst > 0;
        int y = nTop + (bUp ? nButton : 0);
        // Without a down button when everything left fits.
        int nNeeded = 0;
        for (int k = nFirst; k < nCount; k++)
            nNeeded += heightOf(k, k == nFirst);
        const BOOL bDown = y + nNeeded > nBottom;
        const int nLimit = bDown ? nBottom - nButton : nBottom;
        nEnd = nFirst;
        for (int k = nFirst; k < nCount; k++)
        {
            if (k > nFirst && y + heightOf(k, FALSE) > nLimit)
                break;
            y = place(k, y, k == nFirst);
            nEnd = k + 1;
        }
        if (nEnd == nFirst + 1 && nFirst < nCount && items[nFirst]->GetRect().bottom > nLimit)
        {
            // A single item too tall for the page takes all the room there is.
            CRect rc = items[nFirst]->GetRect();
            rc.top = nTop;
            rc.bottom = nBottom;
            items[nFirst]->SetRect(rc);
        }
        if (bUp)
            m_scrollUp.rc.SetRect(rcBorders.left, nTop, szClient.cx - rcBorders.right, nTop + nButton);
        if (nEnd < nCount)
            m_scrollDown.rc.SetRect(rcBorders.left, nBottom - nButton, szClient.cx - rcBorders.right, nBottom);
    }
    else
    {
        nEnd = std::max(1, std::min(positionOf(m_nEndShown), nCount));
        const BOOL bDown = nEnd < nCount;
        const int yBottom = bDown ? nBottom - nButton : nBottom;
        int nAll = 0;
        for (int k = 0; k < nEnd; k++)
            nAll += heightOf(k, k == 0);
        if (nAll <= yBottom - nTop)
        {
            // Everything up to the end fits: no up button.
            nFirst = 0;
            int y = nTop;
            for (int k = 0; k < nEnd; k++)
                y = place(k, y, k == 0);
        }
        else
        {
            // Upwards from the end until the up button's strip is reached.
            const int nRoom = yBottom - (nTop + nButton);
            nFirst = nEnd - 1;
            int nUsed = items[nFirst]->GetRect().Height();
            while (nFirst > 0)
            {
                const int nAdd =
                    items[nFirst - 1]->GetRect().Height() + (items[nFirst]->GetBeginGroup() ? nSeparator : 0);
                if (nUsed + nAdd > nRoom)
                    break;
                nUsed += nAdd;
                nFirst--;
            }
            int y = std::max(yBottom - nUsed, nTop + nButton);
            for (int k = nFirst; k < nEnd; k++)
                y = place(k, y, k == nFirst);
            m_scrollUp.rc.SetRect(rcBorders.left, nTop, szClient.cx - rcBorders.right, nTop + nButton);
        }
        if (bDown)
            m_scrollDown.rc.SetRect(rcBorders.left, nBottom - nButton, szClient.cx - rcBorders.right, nBottom);
    }

    for (int k = 0; k < nCount; k++)
    {
        if (k < nFirst || k >= nEnd)
            items[k]->SetHideFlags(items[k]->GetHideFlags() | kHideScrolledOut);
    }
    m_nFirstShown = items[nFirst < nCount ? nFirst : nCount - 1]->GetIndex();
    m_nEndShown = nEnd < nCount ? items[nEnd]->GetIndex() : items[nCount - 1]->GetIndex() + 1;
    if (m_scrollUp.rc.IsRectEmpty())
        StopScrollTimer(m_scrollUp);
    if (m_scrollDown.rc.IsRectEmpty())
        StopScrollTimer(m_scrollDown);
    if (bRedraw)
        Redraw(nullptr, FALSE);
}

void CLVKPopupBar::OnScrollTimer(UINT_PTR nTimerId)
{
    if (!m_bScrolling)
        return;
    if (nTimerId == kTimerScrollDown)
    {
        const int nLast = GetControlCount();
        if (m_scrollDown.rc.IsRectEmpty() || m_nEndShown >= nLast)
        {
            StopScrollTimer(m_scrollDown);
            return;
        }
        // One more item at the end: the next shown one after the page.
        const int nNext = m_pControls->GetNextIndex(m_nEndShown - 1, +1, FALSE, TRUE, FALSE);
        m_nEndShown = (nNext < m_nEndShown) ? nLast : nNext + 1;
        UpdateScrollLayout(CSize(0, 0), TRUE, TRUE);
        if (m_scrollDown.rc.IsRectEmpty())
            StopScrollTimer(m_scrollDown);
    }
    else if (nTimerId == kTimerScrollUp)
    {
        if (m_scrollUp.rc.IsRectEmpty() || m_nFirstShown <= 0)
        {
            StopScrollTimer(m_scrollUp);
            return;
        }
        const int nPrevious = m_pControls->GetNextIndex(m_nFirstShown, -1, FALSE, TRUE, FALSE);
        m_nFirstShown = (nPrevious > m_nFirstShown || nPrevious < 0) ? 0 : nPrevious;
        UpdateScrollLayout(CSize(0, 0), FALSE, TRUE);
        if (m_scrollUp.rc.IsRectEmpty())
            StopScrollTimer(m_scrollUp);
    }
}

void CLVKPopupBar::EnsureVisible(CLVKControl* pControl)
{
    if (!m_bScrolling || !pControl || !(pControl->GetHideFlags() & kHideScrolledOut))
        return;
    if (pControl->GetIndex() < m_nFirstShown)
    {
        m_nFirstShown = pControl->GetIndex();
        UpdateScrollLayout(CSize(0, 0), FALSE, TRUE);
    }
    else
    {
        m_nEndShown = pControl->GetIndex() + 1;
        UpdateScrollLayout(CSize(0, 0), TRUE, TRUE);
    }
}

void CLVKPopupBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_nInputLock > 0)
        return;
    // The parent's item that opened this menu stays hot while the pointer is in it.
    CLVKCommandBar* pParent = GetParentBar();
    if (pParent && m_pControlPopup && pParent->GetHotIndex() != m_pControlPopup->GetIndex())
        pParent->SetSelected(m_pControlPopup->GetIndex(), 0);
    if (m_bScrolling)
    {
        for (CScrollButton* pButton : {&m_scrollUp, &m_scrollDown})
        {
            if (!pButton->rc.IsRectEmpty() && pButton->rc.PtInRect(point))
            {
                if (!pButton->bTimerRunning)
                {
                    SetPopupedIndex(-1);
                    SetTimer(pButton->nTimerId, kScrollPeriod, nullptr);
                    pButton->bTimerRunning = TRUE;
                }
                return;
            }
            StopScrollTimer(*pButton);
        }
    }
    CLVKCommandBar::OnMouseMove(nFlags, point);
}

void CLVKPopupBar::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent)
    {
    case kTimerScrollDown:
    case kTimerScrollUp:
        OnScrollTimer(nIDEvent);
        return;
    case kTimerExpand:
        KillTimer(kTimerExpand);
        if (m_pExpandButton && m_nHotIndex == m_pExpandButton->GetIndex())
            ExpandBar();
        return;
    default:
        CLVKCommandBar::OnTimer(nIDEvent);
        return;
    }
}

void CLVKPopupBar::DrawCommandBar(CDC* pDC, CRect rcClipBox)
{
    CLVKCommandBar::DrawCommandBar(pDC, rcClipBox);
    if (!m_bScrolling || !pDC)
        return;
    CLVKPaintManager* pPaintManager = GetPaintManager();
    const COLORREF clrArrow = pPaintManager->GetThemeColor(COLOR_GRAYTEXT);
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    const struct
    {
        const CScrollButton* pButton;
        int nGlyph;
    } arrows[] = {{&m_scrollDown, 51}, {&m_scrollUp, 50}};
    for (const auto& arrow : arrows)
    {
        if (arrow.pButton->rc.IsRectEmpty())
            continue;
        CRect rc = arrow.pButton->rc;
        pDC->FillSolidRect(&rc, pPaintManager->GetThemeColor(COLOR_MENU));
        rc.DeflateRect(pDpi->ScaleX(2), pDpi->ScaleY(2));
        pPaintManager->DrawGlyph(pDC, arrow.nGlyph, &rc, clrArrow);
    }
}
