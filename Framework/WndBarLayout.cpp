// CWnd's part of the bar layout: RepositionBars, UpdateDialogControls and the
// frame lookup that bars need.
#include "Wnd.h"
#include "CmdUI.h"
#include "FrameIds.h"
#include "FrameWnd.h"

void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect)
{
    if (!lpLayout || !lpLayout->hDWP || !hWnd || !lpRect)
        return;
    // Compare in the parent's client coordinates, as the bar is placed there.
    RECT rectOld{};
    ::GetWindowRect(hWnd, &rectOld);
    const HWND hWndParent = ::GetParent(hWnd);
    if (hWndParent)
        ::MapWindowPoints(NULL, hWndParent, reinterpret_cast<LPPOINT>(&rectOld), 2);
    if (::EqualRect(&rectOld, lpRect))
        return;
    lpLayout->hDWP =
        ::DeferWindowPos(lpLayout->hDWP, hWnd, NULL, lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                         lpRect->bottom - lpRect->top, SWP_NOACTIVATE | SWP_NOZORDER);
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch)
{
    if (!m_hWnd)
        return;
    const bool bQuery = (nFlag & ~static_cast<UINT>(reposNoPosLeftOver)) == reposQuery;
    if (bQuery && !lpRectParam)
        return;  // a question with nowhere to put the answer

    AFX_SIZEPARENTPARAMS layout{};
    layout.bStretch = bStretch;
    if (lpRectClient)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);
    if (!bQuery)
        layout.hDWP = ::BeginDeferWindowPos(8);

    // Only framework windows know the protocol: a foreign child might give
    // the message number a meaning of its own.
    HWND hWndLeftOver = NULL;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        const UINT nIDC = static_cast<UINT>(static_cast<WORD>(::GetDlgCtrlID(hWndChild)));
        if (nIDC == nIDLeftOver)
            hWndLeftOver = hWndChild;
        else if (nIDC >= nIDFirst && nIDC <= nIDLast && CWnd::FromHandlePermanent(hWndChild))
            ::SendMessageW(hWndChild, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }

    if (bQuery)
    {
        if (bStretch)
        {
            ::CopyRect(lpRectParam, &layout.rect);
        }
        else
        {
            lpRectParam->left = lpRectParam->top = 0;
            lpRectParam->right = layout.sizeTotal.cx;
            lpRectParam->bottom = layout.sizeTotal.cy;
        }
        return;
    }

    if (nIDLeftOver != 0 && hWndLeftOver)
    {
        if ((nFlag & reposExtra) && lpRectParam)
        {
            layout.rect.left += lpRectParam->left;
            layout.rect.top += lpRectParam->top;
            layout.rect.right -= lpRectParam->right;
            layout.rect.bottom -= lpRectParam->bottom;
        }
        if (!(nFlag & reposNoPosLeftOver))
        {
            // The pane's client area gets the rest: its borders lie outside.
            CWnd* pLeftOver = CWnd::FromHandle(hWndLeftOver);
            pLeftOver->CalcWindowRect(&layout.rect);
            AfxRepositionWindow(&layout, hWndLeftOver, &layout.rect);
        }
    }
    if (layout.hDWP && !::EndDeferWindowPos(layout.hDWP))
        TRACE(L"RepositionBars: the deferred positions failed\n");
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (!m_hWnd || !pTarget)
        return;
    CCmdUI state;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        const UINT nID = static_cast<UINT>(static_cast<WORD>(::GetDlgCtrlID(hWndChild)));
        if (nID == 0 || nID == 0xFFFF)
            continue;  // static text and controls that carry no command
        state.m_nID = nID;
        state.m_pOther = CWnd::FromHandle(hWndChild);

        // Buttons that keep a state of their own are not commands: no handler
        // does not disable them.
        BOOL bDisable = bDisableIfNoHndler;
        if (bDisable && (::SendMessageW(hWndChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON))
        {
            const DWORD nStyle = static_cast<DWORD>(::GetWindowLongW(hWndChild, GWL_STYLE)) & BS_TYPEMASK;
            if (nStyle == BS_AUTOCHECKBOX || nStyle == BS_AUTO3STATE || nStyle == BS_GROUPBOX ||
                nStyle == BS_AUTORADIOBUTTON)
                bDisable = FALSE;
        }
        state.DoUpdate(pTarget, bDisable);
    }
}

CFrameWnd* CWnd::GetParentFrame() const
{
    if (!m_hWnd)
        return nullptr;
    for (HWND hWnd = ::GetParent(m_hWnd); hWnd; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            return static_cast<CFrameWnd*>(pWnd);
    }
    return nullptr;
}
