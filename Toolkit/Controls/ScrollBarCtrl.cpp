#include "Controls/ScrollBarCtrl.h"

#include "Controls/ScrollBarThemeFlat.h"
#include "Controls/ScrollBarThemeOffice2000.h"
#include "Controls/ScrollBarThemeOffice2013.h"
#include "Controls/ScrollBarThemeOfficeXP.h"
#include "Controls/ScrollBarThemeResource.h"
#include "Controls/ScrollBarThemeUltraFlat.h"
#include "Controls/ScrollBarThemeVisualStudio2015.h"
#include "Foundation/BufferDC.h"
#include "Foundation/ColorManager.h"

IMPLEMENT_DYNAMIC(CLVKScrollBarCtrl, CScrollBar)

BEGIN_MESSAGE_MAP(CLVKScrollBarCtrl, CScrollBar)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_PRINTCLIENT()
    ON_WM_ERASEBKGND()
    ON_WM_ENABLE()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_SETFOCUS()
    ON_WM_CONTEXTMENU()
    ON_WM_SYSCOLORCHANGE()
    ON_MESSAGE(SBM_SETSCROLLINFO, OnSetScrollInfo)
    ON_MESSAGE(SBM_GETSCROLLINFO, OnGetScrollInfo)
END_MESSAGE_MAP()

CLVKScrollBarCtrl::CLVKScrollBarCtrl()
{
    SetTheme(1);
}

CLVKScrollBarCtrl::~CLVKScrollBarCtrl() = default;

void CLVKScrollBarCtrl::SetTheme(int nTheme)
{
    m_pPaintManager.reset();
    SetScrollBarStyle(0);
    std::unique_ptr<CLVKScrollBarPaintManager> pNew;
    int nStyle = 0;
    switch (nTheme)
    {
    case 0:
        pNew = std::make_unique<CLVKScrollBarThemeWindowsClassic>();
        break;
    case 2:
        pNew = std::make_unique<CLVKScrollBarThemeFlat>();
        nStyle = 2;
        break;
    case 3:
        pNew = std::make_unique<CLVKScrollBarThemeUltraFlat>();
        nStyle = 2;
        break;
    case 4:
        pNew = std::make_unique<CLVKScrollBarThemeResource>();
        break;
    case 5:
        pNew = std::make_unique<CLVKScrollBarThemeOffice2000>();
        break;
    case 6:
        pNew = std::make_unique<CLVKScrollBarThemeOfficeXP>();
        break;
    case 7:
        pNew = std::make_unique<CLVKScrollBarThemeOffice2003>();
        break;
    case 8:
        pNew = std::make_unique<CLVKScrollBarThemeResource>();
        nStyle = 5;
        break;
    case 9:
        pNew = std::make_unique<CLVKScrollBarThemeResource>();
        nStyle = 6;
        break;
    case 11:
        pNew = std::make_unique<CLVKScrollBarThemeOffice2013>();
        break;
    case 12:
        pNew = std::make_unique<CLVKScrollBarThemeVisualStudio2012>();
        nStyle = 8;
        break;
    case 13:
        pNew = std::make_unique<CLVKScrollBarThemeVisualStudio2012>();
        nStyle = 9;
        break;
    case 14:
        pNew = std::make_unique<CLVKScrollBarThemeVisualStudio2015>();
        nStyle = 10;
        break;
    default:
        pNew = std::make_unique<CLVKScrollBarThemeWindowsUx>();
        break;
    }
    SetScrollBarStyle(nStyle);
    m_pPaintManager = std::move(pNew);
    m_pPaintManager->RefreshMetrics();
    if (m_hWnd)
        Invalidate(FALSE);
}

CWnd* CLVKScrollBarCtrl::GetNotifyOwner() const
{
    return GetParent();
}

BOOL CLVKScrollBarCtrl::IsScrollBarEnabled() const
{
    return IsWindowEnabled();
}

void CLVKScrollBarCtrl::GetScrollBarRect(CRect* pRect)
{
    GetClientRect(pRect);
}

void CLVKScrollBarCtrl::GetScrollInfo(SCROLLINFO* pInfo)
{
    pInfo->cbSize = sizeof(SCROLLINFO);
    pInfo->fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    ::GetScrollInfo(m_hWnd, SB_CTL, pInfo);
}

void CLVKScrollBarCtrl::RedrawScrollBar()
{
    if (m_hWnd)
        Invalidate(FALSE);
}

void CLVKScrollBarCtrl::DoScroll(int nCode, int nPos)
{
    if (IsSizeBox())
        return;
    CWnd* const pParent = GetParent();
    if (!pParent)
        return;
    pParent->SendMessage(GetGeometry().bVertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(nCode, nPos),
                         reinterpret_cast<LPARAM>(m_hWnd));
}

BOOL CLVKScrollBarCtrl::PreCreateWindow(CREATESTRUCT& cs)
{
    m_bSubclassed = FALSE;
    return CScrollBar::PreCreateWindow(cs);
}

void CLVKScrollBarCtrl::PreSubclassWindow()
{
    CScrollBar::PreSubclassWindow();
    if (m_bSubclassed)
    {
        RefreshStyle();
        RecalcScrollBarInfo();
        Invalidate(FALSE);
    }
}

void CLVKScrollBarCtrl::RefreshStyle()
{
    const DWORD dwStyle = GetStyle();
    GetGeometry().bVertical = (dwStyle & SBS_VERT) != 0;
    m_bSizeBox = (dwStyle & (SBS_SIZEBOX | SBS_SIZEGRIP)) != 0;
}

int CLVKScrollBarCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    const int nResult = CScrollBar::OnCreate(lpCreateStruct);
    if (nResult != -1)
    {
        RefreshStyle();
        RecalcScrollBarInfo();
        Invalidate(FALSE);
    }
    return nResult;
}

void CLVKScrollBarCtrl::Draw(CDC* pDC)
{
    RefreshStyle();
    const CLVKScrollBarTrackState* pState = GetTrackState();
    if (!pState || !pState->bDragging)
        RecalcScrollBarInfo();
    m_pPaintManager->DrawScrollBar(pDC, this);
}

void CLVKScrollBarCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    CLVKBufferDC buffer(dc.GetSafeHdc(), rc);
    Draw(&buffer);
}

LRESULT CLVKScrollBarCtrl::OnPrintClient(CDC* pDC, UINT)
{
    Draw(pDC);
    return 1;
}

BOOL CLVKScrollBarCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CLVKScrollBarCtrl::OnEnable(BOOL)
{
    Invalidate(FALSE);
}

void CLVKScrollBarCtrl::OnMouseMove(UINT, CPoint point)
{
    const int nHit = HitTestScrollBar(point.x, point.y);
    if (nHit == GetGeometry().nHitPart)
        return;
    GetGeometry().nHitPart = nHit;
    Invalidate(FALSE);
    if (nHit != LVK_HTSCROLLNONE)
    {
        TRACKMOUSEEVENT tme{};
        tme.cbSize = sizeof(tme);
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = m_hWnd;
        tme.dwHoverTime = HOVER_DEFAULT;
        ::TrackMouseEvent(&tme);
    }
}

void CLVKScrollBarCtrl::OnMouseLeave()
{
    OnMouseMove(0, CPoint(-1, -1));
}

void CLVKScrollBarCtrl::OnLButtonDown(UINT, CPoint point)
{
    if (GetStyle() & WS_TABSTOP)
        SetFocus();
    PerformTrackInit(m_hWnd, point.x, point.y, &GetGeometry(), ::GetKeyState(VK_SHIFT) < 0);
}

void CLVKScrollBarCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnLButtonDown(nFlags, point);
}

void CLVKScrollBarCtrl::OnSetFocus(CWnd*)
{
    // Swallowed: the platform's bar would start its caret blinking.
}

void CLVKScrollBarCtrl::OnContextMenu(CWnd*, CPoint)
{
    Default();
    Invalidate(FALSE);
}

void CLVKScrollBarCtrl::OnSysColorChange()
{
    CScrollBar::OnSysColorChange();
    RecomputeToolkitColors(TRUE);
    m_pPaintManager->RefreshMetrics();
    Invalidate(FALSE);
}

LRESULT CLVKScrollBarCtrl::OnSetScrollInfo(WPARAM wParam, LPARAM lParam)
{
    // The platform must not paint its own bar over ours.
    const LRESULT lResult = DefWindowProc(SBM_SETSCROLLINFO, FALSE, lParam);
    if (wParam)
    {
        Invalidate(FALSE);
        UpdateWindow();
    }
    return lResult;
}

LRESULT CLVKScrollBarCtrl::OnGetScrollInfo(WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = DefWindowProc(SBM_GETSCROLLINFO, wParam, lParam);
    auto* const pInfo = reinterpret_cast<SCROLLINFO*>(lParam);
    const CLVKScrollBarTrackState* pState = GetTrackState();
    if (pInfo && (pInfo->fMask & SIF_TRACKPOS) && pState && pState->bDragging)
        pInfo->nTrackPos = pState->nComputedPos;
    return lResult;
}
