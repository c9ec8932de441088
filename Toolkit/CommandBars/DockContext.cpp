#include "CommandBars/DockContext.h"

#include "CommandBars/CommandBars.h"
#include "CommandBars/CommandBarsOptions.h"
#include "CommandBars/DockBar.h"
#include "CommandBars/MouseManager.h"
#include "CommandBars/ToolBar.h"
#include "Foundation/DisplayMonitors.h"
#include "Foundation/DpiScaling.h"

#include <algorithm>

namespace
{

// The floating layout of a bar that has just left its dock bar: one row at
// its most recent width, placed.
const DWORD kFloatingLayout = LM_HORZ | LM_MRUWIDTH | LM_COMMIT;

BOOL IsHorizontalEdge(int nHitTest)
{
    return nHitTest == HTLEFT || nHitTest == HTRIGHT;
}

}  // namespace

CLVKDockContext::CLVKDockContext(CLVKToolBar* pBar) : m_pBar(pBar) {}

CLVKDockContext::~CLVKDockContext() = default;

CSize CLVKDockContext::GetFloatingSize() const
{
    if (m_szFloating.cx > 0 && m_szFloating.cy > 0)
        return m_szFloating;
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    return CSize(pDpi->ScaleX(100), pDpi->ScaleY(100));
}

void AFX_CDECL CLVKDockContext::OffsetRectToContain(CRect& rc, CPoint pt)
{
    if (pt.x < rc.left)
        rc.OffsetRect(pt.x - rc.left, 0);
    else if (pt.x >= rc.right)
        rc.OffsetRect(pt.x - rc.right + 1, 0);
    if (pt.y < rc.top)
        rc.OffsetRect(0, pt.y - rc.top);
    else if (pt.y >= rc.bottom)
        rc.OffsetRect(0, pt.y - rc.bottom + 1);
}

void AFX_CDECL CLVKDockContext::KeepOnWorkArea(CRect& rc, const CRect& rcWork, int nKeepX, int nKeepY)
{
    if (rc.right < rcWork.left + nKeepX)
        rc.OffsetRect(rcWork.left + nKeepX - rc.right, 0);
    else if (rc.left > rcWork.right - nKeepX)
        rc.OffsetRect(rcWork.right - nKeepX - rc.left, 0);
    if (rc.bottom < rcWork.top + nKeepY)
        rc.OffsetRect(0, rcWork.top + nKeepY - rc.bottom);
    else if (rc.top > rcWork.bottom - nKeepY)
        rc.OffsetRect(0, rcWork.bottom - nKeepY - rc.top);
}

void CLVKDockContext::MarkLayoutChanged()
{
    if (CLVKCommandBars* pCommandBars = m_pBar->GetCommandBars())
        pCommandBars->GetCommandBarsOptions()->bDirty = TRUE;
}

CRect CLVKDockContext::PlaceFloating(CPoint ptTopLeft)
{
    const CSize sz = m_pBar->CalcDynamicLayout(0, kFloatingLayout);
    CRect rc(ptTopLeft, sz);
    if (m_pBar->GetSafeHwnd())
        m_pBar->SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    return rc;
}

// ---------------------------------------------------------------- dragging

void CLVKDockContext::BeginDrag(CPoint ptScreen)
{
    m_nState = kStateDragging;
    CRect rc(0, 0, 0, 0);
    if (m_pBar->GetSafeHwnd())
        m_pBar->GetWindowRect(&rc);
    OffsetRectToContain(rc, ptScreen);
    m_rcDock = rc;
    m_rcFloat = rc;
    m_ptLast = ptScreen;
}

void CLVKDockContext::StartDrag(CPoint ptScreen)
{
    // A docked bar that leaves its dock bar keeps the place it came from,
    // so that toggling (a double click) docks it there again. A bar docked
    // without a place of its own remembers where it stands now.
    const BOOL bWasDocked = m_pBar->GetPosition() != kBarFloating && m_pBar->GetDockBar() != nullptr;
    const int nSavedPosition = m_nDockPosition;
    CRect rcSaved = m_rcRemembered;
    if (bWasDocked && rcSaved.IsRectEmpty() && m_pBar->GetSafeHwnd())
    {
        m_pBar->GetWindowRect(&rcSaved);
        m_pBar->GetDockBar()->ScreenToClient(&rcSaved);
    }

    BeginDrag(ptScreen);
    ::SetCursor(::LoadCursor(nullptr, IDC_SIZEALL));
    CLVKMouseManager* pMouse = CLVKMouseManager::GetThreadManager();
    pMouse->m_nLock++;
    Track();
    pMouse->m_nLock--;
    m_nState = kStateIdle;

    if (m_pBar->GetPosition() == kBarFloating)
    {
        if (m_pBar->GetSafeHwnd())
        {
            CRect rcWindow;
            m_pBar->GetWindowRect(&rcWindow);
            m_ptFloating = rcWindow.TopLeft();
        }
        if (bWasDocked)
        {
            m_nDockPosition = nSavedPosition;
            m_rcRemembered = rcSaved;
        }
    }
}

void CLVKDockContext::Move(CPoint ptScreen)
{
    const CSize szMoved = ptScreen - m_ptLast;
    m_rcDock.OffsetRect(szMoved);
    m_rcFloat.OffsetRect(szMoved);
    m_ptLast = ptScreen;
    CLVKCommandBars* pCommandBars = m_pBar->GetCommandBars();
    if (!pCommandBars)
        return;

    // Docking wins where the bar may dock; a side its flags forbid never
    // takes it.
    CLVKDockBar* pDock = pCommandBars->FindDockBarAtPoint(ptScreen, m_pBar->GetDockBar());
    if (pDock && (m_pBar->GetFlags() & (1u << pDock->GetPosition())))
    {
        CLVKDockBar* pOldDock = m_pBar->GetDockBar();
        const BOOL bWasFloating = m_pBar->GetPosition() == kBarFloating;
        if (pCommandBars->AttachToDockBar(m_pBar, &m_rcDock, pDock) && (pOldDock != pDock || bWasFloating))
        {
            // The bar's shape changes with its dock bar: lay the frame out
            // now and follow the pointer with the real rectangle.
            pCommandBars->RecalcFrameLayout(FALSE);
            m_pBar->GetWindowRect(&m_rcDock);
            OffsetRectToContain(m_rcDock, ptScreen);
        }
        return;
    }
    if (!(m_pBar->GetFlags() & kBarFlagFloatable))
        return;

    if (m_pBar->GetPosition() != kBarFloating)
    {
        if (!pCommandBars->FloatCommandBar(m_pBar))
            return;
        const CSize sz = m_pBar->CalcDynamicLayout(0, kFloatingLayout);
        m_rcFloat = CRect(m_rcFloat.TopLeft(), sz);
        OffsetRectToContain(m_rcFloat, ptScreen);
    }
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    const CRect rcWork(CLVKDisplayMonitors::GetGlobal()->GetWorkAreaFromPoint(ptScreen));
    KeepOnWorkArea(m_rcFloat, rcWork, pDpi->ScaleX(10), pDpi->ScaleY(10));
    m_pBar->SetWindowPos(nullptr, m_rcFloat.left, m_rcFloat.top, m_rcFloat.Width(), m_rcFloat.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE);
    m_szFloating = m_rcFloat.Size();
}

// ---------------------------------------------------------------- resizing

void CLVKDockContext::BeginResize(int nHitTest, CPoint ptScreen)
{
    m_nState = nHitTest;
    m_ptLast = ptScreen;
    if (m_pBar->GetSafeHwnd())
        m_pBar->GetWindowRect(&m_rcFloat);
}

int CLVKDockContext::StartResize(int nHitTest, CPoint ptScreen)
{
    BeginResize(nHitTest, ptScreen);
    Track();
    m_nState = kStateIdle;
    CRect rcWindow(0, 0, 0, 0);
    if (m_pBar->GetSafeHwnd())
        m_pBar->GetWindowRect(&rcWindow);
    if (m_pBar->GetPosition() == kBarFloating)
    {
        m_ptFloating = rcWindow.TopLeft();
        m_szFloating = rcWindow.Size();
    }
    m_pBar->SetMRUWidth(rcWindow.Width());
    return rcWindow.Width();
}

void CLVKDockContext::ResizeReflow(CPoint ptScreen)
{
    const CSize szMoved = ptScreen - m_ptLast;
    m_ptLast = ptScreen;
    int nLength = 0;
    DWORD dwMode = 0;
    switch (m_nState)
    {
    case HTLEFT:
        m_rcFloat.left += szMoved.cx;
        break;
    case HTRIGHT:
        m_rcFloat.right += szMoved.cx;
        break;
    case HTTOP:
        m_rcFloat.top += szMoved.cy;
        break;
    default:
        m_rcFloat.bottom += szMoved.cy;
        break;
    }
    if (IsHorizontalEdge(m_nState))
    {
        nLength = m_rcFloat.Width();
        dwMode = LM_HORZ | LM_COMMIT;
    }
    else
    {
        nLength = m_rcFloat.Height();
        dwMode = LM_HORZ | LM_LENGTHY | LM_COMMIT;
    }
    const CSize sz = m_pBar->CalcDynamicLayout(std::max(nLength, 0), dwMode);
    if (!m_pBar->GetSafeHwnd())
        return;
    CRect rcWindow;
    m_pBar->GetWindowRect(&rcWindow);
    if (sz == rcWindow.Size())
        return;

    // The edge opposite the dragged one stays where it is.
    CRect rc;
    switch (m_nState)
    {
    case HTLEFT:
        rc.SetRect(rcWindow.right - sz.cx, rcWindow.top, rcWindow.right, rcWindow.top + sz.cy);
        break;
    case HTTOP:
        rc.SetRect(rcWindow.left, rcWindow.bottom - sz.cy, rcWindow.left + sz.cx, rcWindow.bottom);
        break;
    default:
        rc = CRect(rcWindow.TopLeft(), sz);
        break;
    }
    // A rectangle that left the work area is moved back until it touches it.
    const CRect rcWork(CLVKDisplayMonitors::GetGlobal()->GetWorkAreaFromWindow(m_pBar->GetSafeHwnd()));
    CRect rcMeet;
    if (!rcMeet.IntersectRect(rc, rcWork))
        KeepOnWorkArea(rc, rcWork, 1, 1);
    m_pBar->SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    m_szFloating = rc.Size();
    m_pBar->Redraw(nullptr, FALSE);
}

// ---------------------------------------------------------------- the loop

void CLVKDockContext::Track()
{
    if (::GetCapture() || !m_pBar->GetSafeHwnd())
        return;
    const HWND hBar = m_pBar->GetSafeHwnd();
    ::SetCapture(hBar);
    CLVKCommandBars* pCommandBars = m_pBar->GetCommandBars();
    if (!pCommandBars)
    {
        ::ReleaseCapture();
        return;
    }
    // The bar may be released by what a move does to it (a site reacting to
    // the layout): hold it until the loop ends.
    m_pBar->InternalAddRef();
    CPoint ptLast = m_ptLast;
    while (::IsWindow(hBar) && ::GetCapture() == hBar)
    {
        MSG msg{};
        if (!::GetMessageW(&msg, nullptr, 0, 0))
        {
            // The program is ending: the outer loop must see the quit too.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_LBUTTONUP)
            break;
        if (msg.message == WM_KEYDOWN)
        {
            if (msg.wParam == VK_ESCAPE)
                break;
            continue;
        }
        if (msg.message == WM_MOUSEMOVE && msg.hwnd)
        {
            // Mouse messages of the capture carry client coordinates of the
            // window they went to.
            CPoint pt(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            ::ClientToScreen(msg.hwnd, &pt);
            if (pt != ptLast)
            {
                ptLast = pt;
                if (m_nState == kStateDragging)
                    Move(pt);
                else
                    ResizeReflow(pt);
            }
        }
        else
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        pCommandBars->FlushDelayedLayout();
    }
    if (::GetCapture() == hBar)
        ::ReleaseCapture();
    MarkLayoutChanged();
    m_pBar->InternalRelease();
}

// ---------------------------------------------------------------- toggling

BOOL CLVKDockContext::ToggleDocking()
{
    CLVKCommandBars* pCommandBars = m_pBar->GetCommandBars();
    if (!pCommandBars)
        return FALSE;
    if (m_pBar->GetPosition() == kBarFloating)
    {
        if (!(m_pBar->GetFlags() & kBarFlagDockAny))
            return FALSE;
        CLVKDockBar* pDock = pCommandBars->GetDockBar(m_nDockPosition);
        if (!pDock)
            return FALSE;
        CRect rc = m_rcRemembered;
        pDock->ClientToScreen(&rc);
        if (!pCommandBars->AttachToDockBar(m_pBar, &rc, pDock))
            return FALSE;
        pCommandBars->RecalcFrameLayout(FALSE);
    }
    else
    {
        if (!(m_pBar->GetFlags() & kBarFlagFloatable) || !pCommandBars->GetCommandBarsOptions()->bDblClickFloat)
            return FALSE;
        // The place to come back to: where the bar stands now when it was
        // docked without one.
        CLVKDockBar* pDock = m_pBar->GetDockBar();
        if (pDock && m_pBar->GetSafeHwnd())
        {
            m_nDockPosition = pDock->GetPosition();
            if (m_rcRemembered.IsRectEmpty())
            {
                m_pBar->GetWindowRect(&m_rcRemembered);
                pDock->ScreenToClient(&m_rcRemembered);
            }
        }
        CPoint pt = m_ptFloating;
        if (pt.x < 1 || pt.y < 1)
        {
            pt = m_rcRemembered.TopLeft();
            if (pDock)
                pDock->ClientToScreen(&pt);
        }
        if (!pCommandBars->FloatCommandBar(m_pBar))
            return FALSE;
        const CRect rc = PlaceFloating(pt);
        m_szFloating = rc.Size();
        // The remembered place survives the dock bar forgetting the bar.
        if (pDock)
            m_nDockPosition = pDock->GetPosition();
    }
    MarkLayoutChanged();
    return TRUE;
}
