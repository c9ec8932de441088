#include "CommandBars/ToolBar.h"

#include "CommandBars/CommandBars.h"
#include "CommandBars/CommandBarsOptions.h"
#include "CommandBars/Controls.h"
#include "CommandBars/DockBar.h"
#include "CommandBars/PaintManager.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/WindowHelpers.h"

IMPLEMENT_DYNCREATE(CLVKToolBar, CLVKCommandBar)

namespace
{

const wchar_t kToolBarClass[] = L"LVKToolBar";
// WS_POPUP or WS_CHILD, with WS_CLIPSIBLINGS | WS_CLIPCHILDREN | MFS_SYNCACTIVE.
const DWORD kFloatingStyle = 0x86000100;
const DWORD kDockedStyle = 0x46000100;

}  // namespace

CLVKToolBar::CLVKToolBar()
{
    m_dwFlags = 0x3F;
    LVKRegisterWindowClass(nullptr, kToolBarClass, CS_DBLCLKS);
}

CLVKToolBar::~CLVKToolBar() = default;

BOOL CLVKToolBar::CreateToolBarWindow(CWnd* pParent, BOOL bFloating)
{
    if (GetSafeHwnd())
    {
        // The window's style: the bar's own GetStyle answers its bar style.
        const DWORD dwStyle = static_cast<DWORD>(::GetWindowLongW(GetSafeHwnd(), GWL_STYLE));
        if (bFloating && (dwStyle & WS_CHILD))
        {
            ModifyStyle(WS_CHILD, WS_POPUP | 0x100);
            SetParent(nullptr);
            ::SetWindowLongPtrW(GetSafeHwnd(), GWLP_HWNDPARENT,
                                reinterpret_cast<LONG_PTR>(pParent ? pParent->GetSafeHwnd() : nullptr));
        }
        else if (!bFloating && (dwStyle & WS_POPUP))
        {
            ModifyStyle(WS_POPUP | 0x100, WS_CHILD);
        }
        return TRUE;
    }
    CLVKCommandBars* pCommandBars = GetCommandBars();
    const DWORD dwExStyle = (pCommandBars && pCommandBars->IsLayoutRTL()) ? WS_EX_LAYOUTRTL : 0;
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    const CRect rc(0, 0, pDpi->ScaleX(100), pDpi->ScaleY(100));
    if (!CreateEx(dwExStyle, kToolBarClass, m_strTitle, bFloating ? kFloatingStyle : kDockedStyle, rc, pParent, 0))
        return FALSE;
    ShowWindow(SW_SHOWNA);
    return TRUE;
}

CSize CLVKToolBar::CalcDockingLayout(int nLength, DWORD dwMode, int nHeight)
{
    CClientDC dc(GetSafeHwnd() ? this : nullptr);
    return m_pControls->CalcDynamicSize(&dc, nLength, dwMode, GetBorders(), nHeight);
}

CSize CLVKToolBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    if (m_nPosition != kBarFloating)
        return CalcDockingLayout(nLength, dwMode);
    CClientDC dc(GetSafeHwnd() ? this : nullptr);
    return m_pControls->CalcDynamicSize(&dc, nLength, dwMode, GetBorders());
}

CRect CLVKToolBar::GetBorders()
{
    if (m_nPosition == kBarFloating)
    {
        CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
        return CRect(pDpi->ScaleX(3), pDpi->ScaleY(3), pDpi->ScaleX(3), pDpi->ScaleY(3));
    }
    return CLVKCommandBar::GetBorders();
}

BOOL CLVKToolBar::LoadToolBar(UINT nIDResource, BOOL bLoadIcons)
{
    SetBarID(nIDResource);
    if (!CLVKCommandBar::LoadToolBar(nIDResource, bLoadIcons))
        return FALSE;
    m_pControls->CreateOriginalControls();
    return TRUE;
}

void CLVKToolBar::SetVisible(BOOL bVisible)
{
    if (bVisible == m_bVisible)
        return;
    m_bVisible = bVisible;
    CLVKCommandBars* pCommandBars = GetCommandBars();
    if (bVisible)
    {
        if (GetSafeHwnd())
            ShowWindow(SW_SHOWNA);
        if (m_pDockBar && pCommandBars)
            pCommandBars->RecalcFrameLayout();
        else
            RecalcLayout();
    }
    else
    {
        EndTracking();
        if (GetSafeHwnd())
            ShowWindow(SW_HIDE);
        if (m_pDockBar && pCommandBars)
            pCommandBars->RecalcFrameLayout();
    }
    if (pCommandBars)
    {
        if (CWnd* pSite = pCommandBars->GetSite())
        {
            if (pSite->GetSafeHwnd())
                pSite->SendMessage(LVK_WM_TOOLBARVISCHANGED, reinterpret_cast<WPARAM>(this), bVisible);
        }
        pCommandBars->GetCommandBarsOptions()->bDirty = TRUE;
        if (!bVisible && m_bTearOff)
            pCommandBars->RemoveToolBar(this);
    }
}

BOOL CLVKToolBar::SetPosition(int nPosition)
{
    CLVKCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars)
        return FALSE;
    if (nPosition >= kBarTop && nPosition <= kBarRight)
        return pCommandBars->DockCommandBarAtSide(this, nPosition);
    if (nPosition == kBarFloating)
        return pCommandBars->FloatCommandBar(this);
    return FALSE;
}

void CLVKToolBar::RecalcLayout()
{
    if (!GetSafeHwnd() || !IsWindowVisible() || m_bLayingOut)
        return;
    m_bLayingOut = TRUE;
    if (m_nPosition == kBarFloating)
    {
        const CSize sz = CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
        SetWindowPos(nullptr, 0, 0, sz.cx, sz.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    else if (CLVKCommandBars* pCommandBars = GetCommandBars())
    {
        pCommandBars->RecalcFrameLayout();
    }
    else if (CWnd* pSite = GetSite())
    {
        CRect rc;
        pSite->GetClientRect(&rc);
        pSite->SendMessage(WM_SIZE, 0, MAKELPARAM(rc.Width(), rc.Height()));
    }
    m_bLayingOut = FALSE;
    Redraw(nullptr, TRUE);
}

void CLVKToolBar::SetHiddenByFrame(BOOL bHidden)
{
    if (bHidden == m_bHiddenByFrame)
        return;
    m_bHiddenByFrame = bHidden;
    if (bHidden)
    {
        m_bSavedVisible = m_bVisible;
        if (m_bVisible)
        {
            m_bVisible = FALSE;
            if (GetSafeHwnd())
                ShowWindow(SW_HIDE);
        }
    }
    else if (m_bSavedVisible)
    {
        m_bVisible = TRUE;
        if (GetSafeHwnd())
            ShowWindow(SW_SHOWNA);
    }
}

void CLVKToolBar::Copy(CLVKCommandBar* pSource, BOOL bRecursive)
{
    if (!pSource || pSource == this)
        return;
    CLVKCommandBar::Copy(pSource, bRecursive);
    if (CLVKToolBar* pToolBar = DYNAMIC_DOWNCAST(CLVKToolBar, pSource))
    {
        m_bBuiltIn = pToolBar->m_bBuiltIn;
        m_bTearOff = pToolBar->m_bTearOff;
        m_bCloseable = pToolBar->m_bCloseable;
    }
}
