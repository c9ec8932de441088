#include "CommandBars/DockBar.h"

#include "CommandBars/CommandBars.h"
#include "CommandBars/Controls.h"
#include "CommandBars/DockContext.h"
#include "CommandBars/MenuBar.h"
#include "CommandBars/PaintManager.h"
#include "CommandBars/ToolBar.h"
#include "Foundation/WindowHelpers.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CLVKDockBar, CWnd)

BEGIN_MESSAGE_MAP(CLVKDockBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_RBUTTONDOWN()
    ON_WM_NCHITTEST()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

namespace
{

const wchar_t kDockBarClass[] = L"LVKDockBar";

}  // namespace

CLVKDockBar::CLVKDockBar()
{
    LVKRegisterWindowClass(nullptr, kDockBarClass, 0);
    m_arrBars.push_back(nullptr);
}

CLVKDockBar::~CLVKDockBar() = default;

BOOL CLVKDockBar::Create(CWnd* pParent, DWORD dwStyle, UINT nID)
{
    m_dwDockStyle = dwStyle & 0x40FFFF;
    static const wchar_t* const kNames[] = {L"lvkBarTop", L"lvkBarBottom", L"lvkBarLeft", L"lvkBarRight"};
    const DWORD dwWindowStyle = (dwStyle & 0xFFFF0000) | WS_CLIPSIBLINGS;
    return CreateEx(0, kDockBarClass, kNames[GetPosition()], dwWindowStyle & ~0x400000u, CRect(0, 0, 0, 0), pParent,
                    nID);
}

int CLVKDockBar::GetPosition() const
{
    if (m_dwDockStyle & 0x2800)
        return 0;
    if (m_dwDockStyle & 0x8200)
        return 1;
    if (m_dwDockStyle & 0x1400)
        return 2;
    return 3;
}

CLVKToolBar* CLVKDockBar::GetBarAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetBarCount())
        AfxThrowInvalidArgException();
    return m_arrBars[static_cast<size_t>(nIndex)];
}

int CLVKDockBar::FindBar(const CLVKToolBar* pBar, int nSkip) const
{
    for (int i = 0; i < GetBarCount(); ++i)
    {
        if (i != nSkip && m_arrBars[static_cast<size_t>(i)] == pBar)
            return i;
    }
    return -1;
}

BOOL CLVKDockBar::RemoveBar(CLVKToolBar* pBar, int nSkip)
{
    const int nIndex = pBar ? FindBar(pBar, nSkip) : -1;
    if (nIndex <= 0)
        return FALSE;
    m_arrBars.erase(m_arrBars.begin() + nIndex);
    // A row left empty loses its end marker too.
    if (m_arrBars[static_cast<size_t>(nIndex - 1)] == nullptr && nIndex < GetBarCount() &&
        m_arrBars[static_cast<size_t>(nIndex)] == nullptr)
        m_arrBars.erase(m_arrBars.begin() + nIndex);
    if (pBar->GetDockBar() == this)
        pBar->SetDockBar(nullptr);
    if (m_pCommandBars)
        m_pCommandBars->RecalcFrameLayout(TRUE);
    return TRUE;
}

BOOL CLVKDockBar::HoldsRibbonMenuBar() const
{
    CLVKMenuBar* pMenuBar = m_pCommandBars ? m_pCommandBars->GetMenuBar() : nullptr;
    return pMenuBar && pMenuBar->IsRibbonBar() && FindBar(pMenuBar) > 0;
}

int CLVKDockBar::InsertBarAtRow(CLVKToolBar* pBar, CPoint ptClient)
{
    // The first row of a dock bar that holds a ribbon is the ribbon's.
    const BOOL bMayEnterFirstRow = pBar->IsRibbonBar() || !HoldsRibbonMenuBar();
    const BOOL bHorz = IsHorizontal();
    const int nPoint = bHorz ? ptClient.y : ptClient.x;
    int nRowStart = 0;
    int nFarEdge = 0;
    int nPrevEdge = 0;
    for (int i = 0; i < GetBarCount(); ++i)
    {
        CLVKToolBar* pBar = m_arrBars[static_cast<size_t>(i)];
        if (pBar)
        {
            if (pBar->GetSafeHwnd() && pBar->IsVisible())
            {
                CRect rc;
                pBar->GetWindowRect(&rc);
                ScreenToClient(&rc);
                nFarEdge = std::max(nFarEdge, static_cast<int>(bHorz ? rc.bottom : rc.right));
            }
            continue;
        }
        if (i > nRowStart && nPoint < nFarEdge && (bMayEnterFirstRow || nRowStart > 0))
        {
            if (nPoint == nPrevEdge)
            {
                // Exactly on the boundary: a new row in front of this one.
                m_arrBars.insert(m_arrBars.begin() + nRowStart + 1, nullptr);
            }
            // The slot the caller fills with the bar.
            m_arrBars.insert(m_arrBars.begin() + nRowStart + 1, nullptr);
            return nRowStart + 1;
        }
        nPrevEdge = nFarEdge;
        nRowStart = i;
    }
    m_arrBars.push_back(nullptr);
    m_arrBars.push_back(nullptr);
    return GetBarCount() - 2;
}

void CLVKDockBar::DockBar(CLVKToolBar* pBar, LPCRECT lpRectScreen)
{
    if (!pBar)
        return;
    const int nOld = FindBar(pBar);
    if (nOld > 0)
    {
        if (!lpRectScreen)
            return;
        CRect rcWindow;
        if (pBar->GetSafeHwnd())
            pBar->GetWindowRect(&rcWindow);
        if (rcWindow == *lpRectScreen)
            return;
    }
    int nInserted = -1;
    if (!lpRectScreen)
    {
        m_arrBars.push_back(pBar);
        m_arrBars.push_back(nullptr);
        nInserted = GetBarCount() - 2;
        pBar->SetDockedRect(CRect(0, 0, 0, 0));
    }
    else
    {
        CRect rc(*lpRectScreen);
        ScreenToClient(&rc);
        nInserted = InsertBarAtRow(pBar, rc.CenterPoint());
        m_arrBars[static_cast<size_t>(nInserted)] = pBar;
        pBar->SetDockedRect(rc);
    }
    if (pBar->GetSafeHwnd() && ::GetParent(pBar->GetSafeHwnd()) != GetSafeHwnd())
        pBar->SetParent(this);
    if (nOld > 0)
        RemoveBar(pBar, nInserted);
    else if (CLVKDockBar* pOldDock = pBar->GetDockBar(); pOldDock && pOldDock != this)
        pOldDock->RemoveBar(pBar);
    pBar->SetDockBar(this);
    NormalizeStretchedRows();
    if (m_pCommandBars)
        m_pCommandBars->RecalcFrameLayout(TRUE);
}

void CLVKDockBar::NormalizeStretchedRows()
{
    // A bar stretched over its row stands alone in it.
    for (int i = 1; i < GetBarCount(); ++i)
    {
        CLVKToolBar* pBar = m_arrBars[static_cast<size_t>(i)];
        if (!pBar || !(pBar->GetFlags() & kBarFlagStretched))
            continue;
        if (m_arrBars[static_cast<size_t>(i - 1)] != nullptr)
        {
            m_arrBars.insert(m_arrBars.begin() + i, nullptr);
            ++i;
        }
        if (i + 1 < GetBarCount() && m_arrBars[static_cast<size_t>(i + 1)] != nullptr)
            m_arrBars.insert(m_arrBars.begin() + i + 1, nullptr);
    }
}

void CLVKDockBar::GetVisibleRowBars(int nIndex, std::vector<CLVKToolBar*>& arrBars) const
{
    if (nIndex < 0 || nIndex >= GetBarCount())
        return;
    int nStart = nIndex;
    while (nStart > 0 && m_arrBars[static_cast<size_t>(nStart)] != nullptr)
        --nStart;
    std::vector<std::pair<int, CLVKToolBar*>> row;
    for (int i = nStart + 1; i < GetBarCount() && m_arrBars[static_cast<size_t>(i)]; ++i)
    {
        CLVKToolBar* pBar = m_arrBars[static_cast<size_t>(i)];
        if (!pBar->IsVisible() || !pBar->GetSafeHwnd())
            continue;
        CRect rc;
        pBar->GetWindowRect(&rc);
        ScreenToClient(&rc);
        row.emplace_back(IsHorizontal() ? rc.left : rc.top, pBar);
    }
    std::stable_sort(row.begin(), row.end(),
                     [](const std::pair<int, CLVKToolBar*>& a, const std::pair<int, CLVKToolBar*>& b)
                     { return a.first < b.first; });
    for (const auto& entry : row)
        arrBars.push_back(entry.second);
}

DWORD CLVKDockBar::GetBarLayoutMode(const CLVKToolBar* pBar) const
{
    DWORD dwMode = IsHorizontal() ? (LM_HORZDOCK | LM_HORZ) : LM_VERTDOCK;
    if (pBar->GetFlags() & kBarFlagStretched)
        dwMode |= LM_STRETCH;
    // Customising in a customize window shows every control; the quick
    // customisation of the expand menu (the only one here) does not stop
    // a bar from hiding what does not fit.
    if (pBar->GetFlags() & kBarFlagMayHide)
        dwMode |= CLVKControls::kLayoutHideWrap;
    return dwMode;
}

int CLVKDockBar::AdjustRow(std::vector<CLVKToolBar*>& arrRow, int nOffset, int nLength, HDWP& hDWP, int& nLeave)
{
    // Everything runs along the row (start, length) and across it
    // (thickness), so one walk serves horizontal and vertical dock bars.
    const BOOL bHorz = IsHorizontal();
    struct DockInfo
    {
        CLVKToolBar* pBar;
        int nStart, nEnd;  // along the row
        int nRememberedStart;
        int nIndex;  // in arrRow
        DWORD dwMode;
        int nMin = 0;
        int nMinBefore = 0;
    };
    auto along = [bHorz](CSize sz) { return static_cast<int>(bHorz ? sz.cx : sz.cy); };
    auto across = [bHorz](CSize sz) { return static_cast<int>(bHorz ? sz.cy : sz.cx); };

    std::vector<DockInfo> infos;
    for (size_t i = 0; i < arrRow.size(); ++i)
    {
        CLVKToolBar* pBar = arrRow[i];
        const DWORD dwMode = GetBarLayoutMode(pBar);
        const CSize sz = pBar->CalcDockingLayout(nLength, dwMode);
        const CRect rcDocked = pBar->GetDockedRect();
        const int nStart = bHorz ? rcDocked.left : rcDocked.top;
        infos.push_back({pBar, nStart, nStart + along(sz), nStart, static_cast<int>(i), dwMode});
    }
    std::stable_sort(infos.begin(), infos.end(),
                     [](const DockInfo& a, const DockInfo& b) { return a.nStart < b.nStart; });
    const size_t n = infos.size();
    auto moveTo = [](DockInfo& info, int nStart)
    {
        info.nEnd += nStart - info.nStart;
        info.nStart = nStart;
    };

    // Overlapping bars: the later one in the row is pushed right...
    std::vector<bool> moved(n, false);
    for (size_t k = 1; k < n; ++k)
    {
        if (infos[k].nStart < infos[k - 1].nEnd && (infos[k].nIndex > infos[k - 1].nIndex || moved[k - 1]))
        {
            moveTo(infos[k], infos[k - 1].nEnd);
            moved[k] = true;
        }
    }
    // ...and bars past the row's end are pushed back left.
    std::vector<bool> movedLeft(n, false);
    int nLimit = nLength;
    for (size_t k = n; k-- > 0;)
    {
        const bool bCounts = k == n - 1 || infos[k].nIndex > infos[k + 1].nIndex || movedLeft[k + 1];
        if (infos[k].nEnd > nLimit && bCounts)
        {
            moveTo(infos[k], nLimit - (infos[k].nEnd - infos[k].nStart));
            movedLeft[k] = true;
        }
        nLimit = infos[k].nStart;
    }
    // No bar starts before 0 or inside the bar before it.
    int nPrevEnd = 0;
    for (DockInfo& info : infos)
    {
        if (info.nStart < nPrevEnd)
            moveTo(info, nPrevEnd);
        nPrevEnd = info.nEnd;
    }

    if (n > 0 && infos[n - 1].nEnd > nLength)
    {
        // Too long: bars that may hide controls shrink toward their
        // minimum; when the minimums do not fit, the last bar wraps.
        int nSum = 0;
        for (DockInfo& info : infos)
        {
            info.nMin = (info.dwMode & 0x80) ? along(info.pBar->CalcDockingLayout(1, info.dwMode)) : nLength;
            info.nMinBefore = nSum;
            nSum += info.nMin;
        }
        nLimit = nLength;
        for (size_t k = n; k-- > 0;)
        {
            DockInfo& info = infos[k];
            const int nLen = info.nEnd - info.nStart;
            int nStart = std::max({std::min(info.nStart, info.nRememberedStart), nLimit - nLen, info.nMinBefore});
            if (nLimit - nStart < info.nMin)
                nStart = nLimit - info.nMin;
            if (nLimit - nStart < info.nMin || nStart < info.nMinBefore)
            {
                if (n > 1)
                {
                    nLeave = infos[n - 1].nIndex;
                    return -1;
                }
            }
            info.nStart = std::max(nStart, 0);
            info.nEnd = nLimit;
            nLimit = info.nStart;
        }
    }

    int nThickness = 0;
    for (const DockInfo& info : infos)
    {
        const CSize sz = info.pBar->CalcDockingLayout(info.nEnd - info.nStart, info.dwMode);
        nThickness = std::max(nThickness, across(sz));
    }

    if (hDWP)
    {
        for (size_t k = 0; k < n; ++k)
        {
            DockInfo& info = infos[k];
            DWORD dwMode = info.dwMode | LM_COMMIT;
            if (info.pBar->GetFlags() & kBarFlagFillGap)
            {
                // A filling bar spans the gap between its neighbours.
                info.nEnd = k + 1 < n ? infos[k + 1].nStart : nLength;
                const int nPrev = k > 0 ? infos[k - 1].nEnd : 0;
                if (nPrev < info.nStart)
                    info.nStart = nPrev;
                dwMode |= LM_STRETCH;
            }
            CSize sz = info.pBar->CalcDockingLayout(info.nEnd - info.nStart, dwMode, nThickness);
            // A bar longer than its row is cut at the row's end.
            if (bHorz)
                sz.cx = std::min(static_cast<int>(sz.cx), std::max(nLength - info.nStart, 0));
            else
                sz.cy = std::min(static_cast<int>(sz.cy), std::max(nLength - info.nStart, 0));
            const CRect rc = bHorz ? CRect(CPoint(info.nStart, nOffset), sz) : CRect(CPoint(nOffset, info.nStart), sz);
            if (CLVKDockContext* pContext = info.pBar->GetDockContext())
                pContext->SetDockPosition(GetPosition());
            CRect rcWindow;
            info.pBar->GetWindowRect(&rcWindow);
            ScreenToClient(&rcWindow);
            if (rcWindow != rc)
            {
                hDWP = ::DeferWindowPos(hDWP, info.pBar->GetSafeHwnd(), nullptr, rc.left, rc.top, rc.Width(),
                                        rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
                info.pBar->Redraw(nullptr, FALSE);
            }
        }
    }
    return nThickness;
}

int CLVKDockBar::CalcRowWithWrap(std::vector<CLVKToolBar*> arrRow, int nOffset, int nLength, HDWP& hDWP)
{
    // Rows wrap only for the layout: the stored rows keep their bars.
    int nResult = 0;
    std::vector<CLVKToolBar*> arrOverflow;
    for (;;)
    {
        int nLeave = -1;
        const int nThickness = AdjustRow(arrRow, nOffset, nLength, hDWP, nLeave);
        if (nThickness < 0)
        {
            arrOverflow.push_back(arrRow[static_cast<size_t>(nLeave)]);
            arrRow.erase(arrRow.begin() + nLeave);
            continue;
        }
        nOffset += nThickness;
        nResult += nThickness;
        if (arrOverflow.empty())
            return nResult;
        arrRow.swap(arrOverflow);
        arrOverflow.clear();
    }
}

CSize CLVKDockBar::CalcDockBarLayout(int nLength, DWORD dwMode, AFX_SIZEPARENTPARAMS* pLayout)
{
    CSize sz(0, 0);
    if ((dwMode & LM_STRETCH) && (dwMode & LM_HORZ))
        sz = CSize(32767, 0);
    else if (dwMode & LM_STRETCH)
        sz = CSize(0, 32767);
    HDWP hDWP = (pLayout && pLayout->hDWP) ? ::BeginDeferWindowPos(GetBarCount()) : nullptr;
    const BOOL bHorz = IsHorizontal();
    int nOffset = 0;
    std::vector<CLVKToolBar*> row;
    for (int i = 1; i < GetBarCount(); ++i)
    {
        CLVKToolBar* pBar = m_arrBars[static_cast<size_t>(i)];
        if (pBar)
        {
            if (pBar->IsVisible() && pBar->GetSafeHwnd())
                row.push_back(pBar);
            continue;
        }
        if (!row.empty())
        {
            nOffset += CalcRowWithWrap(row, nOffset, nLength, hDWP);
            if (bHorz)
                sz.cy = std::max(sz.cy, static_cast<LONG>(nOffset));
            else
                sz.cx = std::max(sz.cx, static_cast<LONG>(nOffset));
        }
        row.clear();
    }
    if (hDWP)
        ::EndDeferWindowPos(hDWP);
    return sz;
}

LRESULT CLVKDockBar::OnSizeParent(WPARAM /*wParam*/, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!pLayout || !(GetStyle() & WS_VISIBLE))
        return 0;
    const BOOL bHorz = IsHorizontal();
    CRect rcLeft(pLayout->rect);
    DWORD dwMode = bHorz ? (LM_HORZDOCK | LM_HORZ) : LM_VERTDOCK;
    if ((m_dwDockStyle & 0x04) && (m_dwDockStyle & 0x01))
        dwMode = LM_HORZ | LM_MRUWIDTH;
    if (pLayout->bStretch)
        dwMode |= LM_STRETCH;
    CSize sz = CalcDockBarLayout(bHorz ? rcLeft.Width() : rcLeft.Height(), dwMode, pLayout);
    sz.cx = std::min(sz.cx, static_cast<LONG>(rcLeft.Width()));
    sz.cy = std::min(sz.cy, static_cast<LONG>(rcLeft.Height()));
    CRect rc(rcLeft);
    switch (GetPosition())
    {
    case 0:
        rc.bottom = rc.top + sz.cy;
        pLayout->rect.top += sz.cy;
        break;
    case 1:
        rc.top = rc.bottom - sz.cy;
        pLayout->rect.bottom -= sz.cy;
        break;
    case 2:
        rc.right = rc.left + sz.cx;
        pLayout->rect.left += sz.cx;
        break;
    default:
        rc.left = rc.right - sz.cx;
        pLayout->rect.right -= sz.cx;
        break;
    }
    if (bHorz)
    {
        pLayout->sizeTotal.cy += sz.cy;
        pLayout->sizeTotal.cx = std::max(pLayout->sizeTotal.cx, sz.cx);
    }
    else
    {
        pLayout->sizeTotal.cx += sz.cx;
        pLayout->sizeTotal.cy = std::max(pLayout->sizeTotal.cy, sz.cy);
    }
    if (pLayout->hDWP)
    {
        AfxRepositionWindow(pLayout, GetSafeHwnd(), &rc);
        ::InvalidateRect(GetSafeHwnd(), nullptr, FALSE);
    }
    return 0;
}

void CLVKDockBar::OnPaint()
{
    CPaintDC dc(this);
    FillBackground(&dc);
}

LRESULT CLVKDockBar::OnPrintClient(WPARAM wParam, LPARAM /*lParam*/)
{
    FillBackground(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    return 1;
}

void CLVKDockBar::FillBackground(CDC* pDC)
{
    if (m_pCommandBars)
    {
        m_pCommandBars->GetPaintManager()->FillDockBar(pDC, this);
        return;
    }
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(rc, ::GetSysColor(COLOR_3DFACE));
}

BOOL CLVKDockBar::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CLVKDockBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (!m_pCommandBars)
    {
        CWnd::OnRButtonDown(nFlags, point);
        return;
    }
    CPoint pt = point;
    ClientToScreen(&pt);
    m_pCommandBars->ShowToolBarsContextMenu(0, pt.x, pt.y);
}

LRESULT CLVKDockBar::OnNcHitTest(CPoint point)
{
    // Over a ribbon the top dock bar lets the frame see the pointer.
    if (GetPosition() == 0 && HoldsRibbonMenuBar())
        return HTTRANSPARENT;
    return CWnd::OnNcHitTest(point);
}
