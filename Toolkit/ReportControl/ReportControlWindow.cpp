// The report control's window procedure: the messages the control answers itself.
#include "ReportControl.h"
#include "ReportControlPrivate.h"

#include "ReportBatchAllocator.h"
#include "ReportBehavior.h"
#include "ReportColumn.h"
#include "ReportColumns.h"
#include "ReportGroupRow.h"
#include "ReportHeader.h"
#include "ReportInplaceButton.h"
#include "ReportPaintManager.h"
#include "ReportRecord.h"
#include "ReportRecordItem.h"
#include "ReportRecordItemEditOptions.h"
#include "ReportRecordItemPreview.h"
#include "ReportRecords.h"
#include "ReportRow.h"
#include "ReportRows.h"
#include "ReportSection.h"
#include "ReportSections.h"
#include "ReportSelectedRows.h"
#include "ReportThemes.h"
#include "Foundation/FontDC.h"
#include "Foundation/BitmapDC.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/ImageManager.h"
#include "Foundation/AlphaBitmap.h"
#include "Foundation/BitmapLoaders.h"
#include "Foundation/ImageManagerIcon.h"
#include "Foundation/ResourceManager.h"
#include "Foundation/WindowHelpers.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupHelpers.h"

#include <windowsx.h>

// Window procedure ---------------------------------------------------------------

// The scroll-bar strips answer as scroll bars, so that a framework that
// treats the whole window as client area still lets them be used.
LRESULT CLVKReportControl::OnNcHitTest(POINT ptScreen)
{
    const LRESULT lResult = CWnd::WindowProc(WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y));
    const DWORD dwStyle = GetStyle();
    if (lResult != HTCLIENT || !(dwStyle & (WS_VSCROLL | WS_HSCROLL)))
        return lResult;
    RECT rcWindow{};
    GetWindowRect(&rcWindow);
    const int cxBar = GetSystemMetrics(SM_CXVSCROLL);
    const int cyBar = GetSystemMetrics(SM_CYHSCROLL);
    const BOOL bLeft = (GetExStyle() & (WS_EX_LAYOUTRTL | WS_EX_LEFTSCROLLBAR)) != 0;
    const BOOL bVert = (dwStyle & WS_VSCROLL) && m_bVScrollBarVisible;
    const BOOL bHorz = (dwStyle & WS_HSCROLL) && m_bHScrollBarVisible;
    if (bVert)
    {
        RECT rcBar = rcWindow;
        if (bLeft)
            rcBar.right = rcBar.left + cxBar;
        else
            rcBar.left = rcBar.right - cxBar;
        if (bHorz)
            rcBar.bottom -= cyBar;
        if (PtInRect(&rcBar, ptScreen))
            return HTVSCROLL;
    }
    if (bHorz)
    {
        RECT rcBar = rcWindow;
        rcBar.top = rcBar.bottom - cyBar;
        if (bVert)
            rcBar.right -= cxBar;
        if (PtInRect(&rcBar, ptScreen))
            return HTHSCROLL;
    }
    return HTCLIENT;
}

void CLVKReportControl::OnSize()
{
    BeginUpdate();
    EndEditing(TRUE);
    AdjustLayout();
    AdjustScrollBars();
    EndUpdate();
}

LRESULT CLVKReportControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message)
    {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_PRINTCLIENT:
    {
        HDC hDC = reinterpret_cast<HDC>(wParam);
        RECT rc{};
        GetClientRect(&rc);
        if (m_hCacheBitmap && !m_bRedrawPending)
        {
            CDC dcCache;
            dcCache.Attach(CreateCompatibleDC(hDC));
            CLVKBitmapDC cache(&dcCache, CBitmap::FromHandle(m_hCacheBitmap));
            BitBlt(hDC, 0, 0, rc.right, rc.bottom, dcCache.m_hDC, 0, 0, SRCCOPY);
        }
        else
        {
            CDC dc;
            dc.Attach(hDC);
            OnDraw(&dc);
            dc.Detach();
        }
        return 1;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
    {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        OnSize();
        return lResult;
    }
    case WM_ENABLE:
        AdjustScrollBars();
        RedrawControl();
        break;
    case WM_NCPAINT:
    {
        RECT rcWindow{};
        GetWindowRect(&rcWindow);
        OffsetRect(&rcWindow, -rcWindow.left, -rcWindow.top);
        CWindowDC dc(this);
        return m_pPaintManager->DrawControlBorder(&dc, rcWindow, this);
    }
    case WM_NCHITTEST:
        return OnNcHitTest(pt);
    case WM_VSCROLL:
        if (!lParam)
        {
            OnVScroll(LOWORD(wParam), HIWORD(wParam));
            return 0;
        }
        break;
    case WM_HSCROLL:
        if (!lParam)
        {
            OnHScroll(LOWORD(wParam), HIWORD(wParam));
            return 0;
        }
        break;
    case WM_MOUSEWHEEL:
        OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        break;
    case WM_LBUTTONDOWN:
        OnLButtonDown(static_cast<UINT>(wParam), pt);
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(static_cast<UINT>(wParam), pt);
        return 0;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(static_cast<UINT>(wParam), pt);
        return 0;
    case WM_RBUTTONDOWN:
        OnRButtonDown(static_cast<UINT>(wParam), pt);
        return 0;
    case WM_RBUTTONUP:
        OnRButtonUp(static_cast<UINT>(wParam), pt);
        break;
    case WM_MOUSEMOVE:
        OnMouseMove(static_cast<UINT>(wParam), pt);
        return 0;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        return 0;
    case WM_SETCURSOR:
    {
        POINT ptCursor{};
        GetCursorPos(&ptCursor);
        ScreenToClient(&ptCursor);
        if (LOWORD(lParam) == HTCLIENT && PtInRect(&m_rcHeaderArea, ptCursor) && m_pReportHeader->SetCursor(ptCursor))
            return TRUE;
        if (LOWORD(lParam) == HTCLIENT && m_nMouseMode == kMouseOverRowEdge)
        {
            ::SetCursor(GetRowSizingCursor());
            return TRUE;
        }
        break;
    }
    case WM_CONTEXTMENU:
        OnContextMenu(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_CAPTURECHANGED:
        m_pReportHeader->CancelMouseMode();
        break;
    case WM_KEYDOWN:
        OnKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_CHAR:
        OnChar(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_SETFOCUS:
        // Back from an editor that closed by itself (a committed list, an
        // edit that lost the focus): its buttons go once the focus settles.
        if (m_pActiveItem)
            PostMessage(kMsgEndStaleEditing);
        RedrawControl();
        break;
    case WM_KILLFOCUS:
        RedrawControl();
        break;
    case kMsgEndStaleEditing:
        if (m_pActiveItem && !IsEditMode() && !m_pInplaceList->GetSafeHwnd() && ::GetFocus() == m_hWnd)
            EditItem(nullptr);
        return 0;
    case WM_GETOBJECT:
        if (static_cast<LONG>(lParam) == OBJID_CLIENT)
            return MakeGetObjectResult(IID_IAccessible, wParam, &m_xAccessible);
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS | (m_bFocusSubItems ? DLGC_WANTTAB : 0);
    case WM_SYSCOLORCHANGE:
        m_pPaintManager->RefreshMetrics();
        RedrawControl();
        break;
    case WM_STYLECHANGED:
    {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        RedrawControl();
        return lResult;
    }
    case kMarkupRepaintMessage:
        RedrawControl();
        return 0;
    case WM_TIMER:
        if (wParam == kTimerDelayEdit || wParam == kTimerDelayEditReset)
        {
            OnEditTimer(wParam);
            return 0;
        }
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
