#include "ControlBar.h"
#include "FrameWnd.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CControlBar::CControlBar() = default;

CControlBar::~CControlBar()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CControlBar::IsVisible() const
{
    return m_hWnd && (GetStyle() & WS_VISIBLE) != 0;
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    // A bar without contents of its own is a strip across the frame, as
    // thick as the space between its borders.
    CSize size;
    if (bStretch)
    {
        if (bHorz)
            size.cx = 32767;
        else
            size.cy = 32767;
    }
    return size;
}

CSize CControlBar::CalcDynamicLayout(int, DWORD dwMode)
{
    return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);
}

void CControlBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    // A hidden or floating bar takes nothing; neither does one without an edge.
    if (!lpLayout || !(GetStyle() & WS_VISIBLE) || !(m_dwStyle & CBRS_ALIGN_ANY) || IsFloating())
        return 0;

    CRect rect(lpLayout->rect);
    const CSize sizeAvail(rect.Width(), rect.Height());
    if (sizeAvail.cx <= 0 || sizeAvail.cy <= 0)
        return 0;  // nothing left to take

    DWORD dwMode = lpLayout->bStretch ? LM_STRETCH : 0;
    CSize size;
    if (m_dwStyle & CBRS_ORIENT_HORZ)
        size = CalcDynamicLayout(sizeAvail.cx, dwMode | LM_HORZ | LM_HORZDOCK);
    else
        size = CalcDynamicLayout(sizeAvail.cy, dwMode | LM_VERTDOCK);
    size.cx = std::max(0L, std::min(size.cx, sizeAvail.cx));
    size.cy = std::max(0L, std::min(size.cy, sizeAvail.cy));

    if (m_dwStyle & CBRS_ORIENT_HORZ)
    {
        lpLayout->sizeTotal.cy += size.cy;
        lpLayout->sizeTotal.cx = std::max(lpLayout->sizeTotal.cx, size.cx);
        if (m_dwStyle & CBRS_ALIGN_TOP)
        {
            lpLayout->rect.top += size.cy;
        }
        else
        {
            rect.top = rect.bottom - size.cy;
            lpLayout->rect.bottom -= size.cy;
        }
    }
    else
    {
        lpLayout->sizeTotal.cx += size.cx;
        lpLayout->sizeTotal.cy = std::max(lpLayout->sizeTotal.cy, size.cy);
        if (m_dwStyle & CBRS_ALIGN_LEFT)
        {
            lpLayout->rect.left += size.cx;
        }
        else
        {
            rect.left = rect.right - size.cx;
            lpLayout->rect.right -= size.cx;
        }
    }
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    AfxRepositionWindow(lpLayout, m_hWnd, &rect);
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    // The bar's commands belong to its owner when that is a frame, else to
    // the frame it sits in.
    CFrameWnd* pTarget = nullptr;
    CWnd* pOwner = GetOwner();
    if (pOwner && pOwner->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        pTarget = static_cast<CFrameWnd*>(pOwner);
    else
        pTarget = GetParentFrame();
    if (pTarget)
        OnUpdateCmdUI(pTarget, static_cast<BOOL>(wParam));
    return 0;
}
