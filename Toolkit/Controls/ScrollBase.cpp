#include "Controls/ScrollBase.h"

#include "Controls/ScrollBarPaintManager.h"

CLVKScrollBase::~CLVKScrollBase() = default;

void CLVKScrollBase::OnSmoothScrollTimer()
{
    if (m_pAnimation && !m_pAnimation->Step(this))
        m_bSmoothScrolling = FALSE;
}

POINT CLVKScrollBase::GetCursorScreenPos() const
{
    return CLVKScrollBarTrackerOwner::GetCursorScreenPos();
}

CLVKScrollBarOptions CLVKScrollBase::GetScrollBarOptions(BOOL bVertical) const
{
    CLVKScrollBarOptions options = CLVKScrollBarOptions::ForControlBar();
    options.nSmoothScrollTimer = kSmoothScrollTimer;
    if (const CLVKScrollBarPaintManager* pPaintManager = GetScrollBarPaintManager())
    {
        options.nArrowLength = bVertical ? pPaintManager->m_cyVScroll : pPaintManager->m_cxHScroll;
        options.nFixedThumbLength = pPaintManager->m_nFixedThumbLength;
    }
    return options;
}

void CLVKScrollBase::RecalcScrollBarInfo()
{
    CRect rc;
    GetScrollBarRect(&rc);
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    GetScrollInfo(&si);
    CalcScrollBarInfo(&rc, &m_geometry, &si);
}

void CLVKScrollBase::CalcScrollBarInfo(LPCRECT lpRect, CLVKScrollBarGeometry* g, const SCROLLINFO* pInfo)
{
    CLVKScrollBarCalcGeometry(*g, *lpRect, *pInfo, GetScrollBarOptions(g->bVertical));
}

int CLVKScrollBase::HitTestScrollBar(int x, int y) const
{
    if (m_bSizeBox)
        return LVK_HTSCROLLNONE;
    return CLVKScrollBarHitTest(m_geometry, POINT{x, y});
}

void CLVKScrollBase::PerformTrackInit(HWND hWnd, int x, int y, CLVKScrollBarGeometry* g, BOOL bDirect)
{
    m_tracker.Track(hWnd, *g, POINT{x, y}, bDirect, GetScrollBarOptions(g->bVertical));
}
