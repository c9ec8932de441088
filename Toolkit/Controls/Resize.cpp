#include "Controls/Resize.h"

CLVKResize::CLVKResize(CWnd* pWnd, UINT nFlags) : m_nFlags(nFlags), m_pWnd(pWnd)
{
}

CLVKResize::~CLVKResize()
{
    RemoveAllItems();
    if (m_sizeIcon.m_hWnd && !::IsWindow(m_sizeIcon.m_hWnd))
        m_sizeIcon.Detach();
}

void CLVKResize::RemoveAllItems()
{
    m_items.clear();
}

void CLVKResize::Init()
{
    if (!m_pWnd || !m_pWnd->GetSafeHwnd())
        return;
    RemoveAllItems();

    CRect rcClient;
    m_pWnd->GetClientRect(&rcClient);
    m_szInit = CSize(rcClient.Width(), rcClient.Height());
    m_szLast = m_szInit;
    if (!(m_nFlags & LVK_RESIZE_NOMINSIZE))
        m_szMin = m_szInit;
    if (!(m_nFlags & LVK_RESIZE_NOCLIPCHILDREN))
        m_pWnd->ModifyStyle(0, WS_CLIPCHILDREN);
    if (m_nFlags & LVK_RESIZE_NOSIZEICON)
        return;

    if (!m_sizeIcon.GetSafeHwnd())
    {
        const int cx = ::GetSystemMetrics(SM_CXVSCROLL);
        const int cy = ::GetSystemMetrics(SM_CYHSCROLL);
        const CRect rcGrip(rcClient.right - 1 - cx, rcClient.bottom - 1 - cy, rcClient.right - 1, rcClient.bottom - 1);
        m_sizeIcon.Create(WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, rcGrip, m_pWnd, kSizeIconId);
    }
    m_sizeIcon.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED);
    SetResize(kSizeIconId, m_sizeIcon.m_hWnd, CLVKResizeFloatRect(1, 1, 1, 1));
}

BOOL CLVKResize::SetResize(int nID, HWND hWnd, const CLVKResizeFloatRect& anchors)
{
    if (!m_pWnd || !m_pWnd->GetSafeHwnd())
        return FALSE;
    for (const auto& pItem : m_items)
    {
        const HWND hItem = pItem->m_pWnd ? pItem->m_pWnd->m_hWnd : NULL;
        if (!hItem || !::IsWindow(hItem))
            continue;
        const bool bMatch = hWnd ? hItem == hWnd : ::GetDlgCtrlID(hItem) == nID;
        if (bMatch)
        {
            pItem->m_anchors += anchors;
            return TRUE;
        }
    }

    if (!hWnd)
        hWnd = ::GetDlgItem(m_pWnd->m_hWnd, nID);
    if (!hWnd || !::IsWindow(hWnd))
        return FALSE;

    std::unique_ptr<CWnd> pOwned;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd)
    {
        pOwned = std::make_unique<CWnd>();
        pOwned->Attach(hWnd);
        pWnd = pOwned.get();
    }
    auto pItem = std::make_unique<CLVKResizeItem>(pWnd, std::move(pOwned), anchors,
                                                  (m_nFlags & LVK_RESIZE_NOTRANSPARENTGROUP) != 0);
    CRect rcWindow;
    ::GetWindowRect(hWnd, &rcWindow);
    m_pWnd->ScreenToClient(&rcWindow);
    pItem->m_rect = CLVKResizeFloatRect(rcWindow);
    pItem->m_bPlaced = FALSE;
    pItem->MakeTransparent();
    m_items.push_back(std::move(pItem));
    return TRUE;
}

void CLVKResize::AdjustResizeSize(CSize&)
{
}

CSize CLVKResize::GetAdjustedClientSize()
{
    CRect rcClient;
    m_pWnd->GetClientRect(&rcClient);
    CSize size(rcClient.Width(), rcClient.Height());
    AdjustResizeSize(size);
    return size;
}

void CLVKResize::InvalidateRepaintItems()
{
    for (const auto& pItem : m_items)
    {
        if (pItem->m_bRepaint && pItem->m_pWnd && ::IsWindow(pItem->m_pWnd->m_hWnd))
            pItem->m_pWnd->Invalidate(TRUE);
    }
}

void CLVKResize::Resize()
{
    if (m_items.empty() || !m_pWnd || !m_pWnd->GetSafeHwnd())
        return;
    CRect rcClient;
    m_pWnd->GetClientRect(&rcClient);
    CSize size(rcClient.Width(), rcClient.Height());
    // A minimised window has no client area; laying out then would move
    // everything back and forth on restore.
    if (size.cx == 0 || size.cy == 0)
        return;
    AdjustResizeSize(size);
    const int dx = size.cx - m_szLast.cx;
    const int dy = size.cy - m_szLast.cy;

    HDWP hDwp = ::BeginDeferWindowPos(static_cast<int>(m_items.size()));
    for (const auto& pItem : m_items)
        MoveItem(hDwp, pItem.get(), dx, dy);
    if (hDwp)
        ::EndDeferWindowPos(hDwp);
    InvalidateRepaintItems();
    m_szLast = size;
}

BOOL CLVKResize::MoveItem(HDWP& hDwp, CLVKResizeItem* pItem, int dx, int dy)
{
    if (!pItem->m_pWnd || !::IsWindow(pItem->m_pWnd->m_hWnd))
        return TRUE;
    if (!pItem->m_bPlaced)
    {
        const CSize size = GetAdjustedClientSize();
        dx = size.cx - m_szInit.cx;
        dy = size.cy - m_szInit.cy;
        pItem->m_bPlaced = TRUE;
    }

    const CLVKResizeFloatRect& a = pItem->m_anchors;
    const CLVKResizeFloatRect& r = pItem->m_rect;
    const CLVKResizeFloatRect rcNew(r.left + a.left * dx, r.top + a.top * dy, r.right + a.right * dx,
                                    r.bottom + a.bottom * dy);
    if (rcNew == r)
        return TRUE;

    const int x = static_cast<int>(rcNew.left);
    const int y = static_cast<int>(rcNew.top);
    const int cx = static_cast<int>(rcNew.right - rcNew.left);
    const int cy = static_cast<int>(rcNew.bottom - rcNew.top);

    CRect rcPresent;
    ::GetWindowRect(pItem->m_pWnd->m_hWnd, &rcPresent);
    m_pWnd->ScreenToClient(&rcPresent);
    UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    if (x == rcPresent.left && y == rcPresent.top)
        nFlags |= SWP_NOMOVE;
    if (static_cast<int>(rcNew.right) - x == rcPresent.Width() &&
        static_cast<int>(rcNew.bottom) - y == rcPresent.Height())
        nFlags |= SWP_NOSIZE;
    else
        nFlags |= SWP_NOCOPYBITS;

    const HDWP hNext = hDwp ? ::DeferWindowPos(hDwp, pItem->m_pWnd->m_hWnd, NULL, x, y, cx, cy, nFlags) : NULL;
    hDwp = hNext;
    if (!hNext)
        return FALSE;
    pItem->m_rect = rcNew;
    return TRUE;
}

void CLVKResize::OffsetItems(int dx, int dy)
{
    if (m_items.empty())
        return;
    HDWP hDwp = ::BeginDeferWindowPos(static_cast<int>(m_items.size()));
    for (const auto& pItem : m_items)
    {
        const CLVKResizeFloatRect anchors = pItem->m_anchors;
        pItem->m_anchors = CLVKResizeFloatRect(static_cast<float>(dx), static_cast<float>(dy), static_cast<float>(dx),
                                               static_cast<float>(dy));
        pItem->m_bPlaced = TRUE;
        MoveItem(hDwp, pItem.get(), 1, 1);
        pItem->m_anchors = anchors;
    }
    if (hDwp)
        ::EndDeferWindowPos(hDwp);
    InvalidateRepaintItems();
}

void CLVKResize::GetMinMaxInfo(MINMAXINFO* pMMI)
{
    if (!m_pWnd || !m_pWnd->GetSafeHwnd())
        return;
    CRect rcWindow;
    m_pWnd->GetWindowRect(&rcWindow);
    if (rcWindow.IsRectEmpty())
        return;
    CRect rcClient;
    m_pWnd->GetClientRect(&rcClient);
    const int ncx = rcWindow.Width() - rcClient.Width();
    const int ncy = rcWindow.Height() - rcClient.Height();

    if (m_szLast.cx != 0 || m_szLast.cy != 0)
    {
        if (m_nFlags & LVK_RESIZE_NOHORIZONTAL)
            pMMI->ptMaxSize.x = pMMI->ptMaxTrackSize.x = m_szLast.cx + ncx;
        if (m_nFlags & LVK_RESIZE_NOVERTICAL)
            pMMI->ptMaxSize.y = pMMI->ptMaxTrackSize.y = m_szLast.cy + ncy;
    }
    if (m_szMin.cx != 0)
        pMMI->ptMinTrackSize.x = m_szMin.cx + ncx;
    if (m_szMin.cy != 0)
        pMMI->ptMinTrackSize.y = m_szMin.cy + ncy;
    if (m_szMax.cx != 0)
        pMMI->ptMaxTrackSize.x = m_szMax.cx + ncx;
    if (m_szMax.cy != 0)
        pMMI->ptMaxTrackSize.y = m_szMax.cy + ncy;
}

BOOL CLVKResize::SavePlacement(LPCTSTR lpszSection)
{
    if (!m_pWnd || !m_pWnd->GetSafeHwnd())
        return FALSE;
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    if (!m_pWnd->GetWindowPlacement(&wp))
        return FALSE;
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return FALSE;
    return pApp->WriteProfileBinary(lpszSection, L"WindowPlacement", reinterpret_cast<LPBYTE>(&wp), sizeof(wp));
}
