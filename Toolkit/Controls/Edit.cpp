#include "Controls/Edit.h"

#include "Controls/AuxData.h"
#include "Controls/EditThemeOffice2000.h"
#include "Controls/EditThemeOfficeXP.h"
#include "Controls/EditValidator.h"
#include "Foundation/PopupMenuService.h"
#include "Foundation/BufferDC.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/ResourceManager.h"

IMPLEMENT_DYNAMIC(CLVKEdit, CEdit)

// Asks the edit to recompute its frame once its window procedure is the
// framework's (subclassing prepares the object before it gets the messages).
const UINT CLVKEdit::s_nFrameChangedMessage = ::RegisterWindowMessageW(L"LorvaneEditFrameChanged");

BEGIN_MESSAGE_MAP(CLVKEdit, CLVKMaskEdit)
    ON_WM_CREATE()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_SYSCOLORCHANGE()
    ON_MESSAGE(WM_APPLY_CONTROL_THEME, OnApplyControlTheme)
    ON_WM_CONTEXTMENU()
    ON_WM_INITMENUPOPUP()
    ON_WM_CTLCOLOR_REFLECT()
    ON_CONTROL_REFLECT_EX(EN_CHANGE, OnChange)
    ON_REGISTERED_MESSAGE(s_nFrameChangedMessage, OnFrameChanged)
END_MESSAGE_MAP()

namespace
{

// The own border: 2 pixels on every side, not scaled.
const int kBorderWidth = 2;

}  // namespace

CLVKEdit::CLVKEdit()
{
    SetTheme(0);
}

CLVKEdit::~CLVKEdit() = default;

BOOL CLVKEdit::SetTheme(int nTheme)
{
    std::unique_ptr<CLVKEditTheme> pTheme;
    switch (nTheme)
    {
    case 1:
        pTheme = std::make_unique<CLVKEditThemeFlat>();
        break;
    case 2:
        pTheme = std::make_unique<CLVKEditThemeUltraFlat>();
        break;
    case 3:
        pTheme = std::make_unique<CLVKEditThemeOffice2000>();
        break;
    case 4:
        pTheme = std::make_unique<CLVKEditThemeOfficeXP>();
        break;
    case 5:
        pTheme = std::make_unique<CLVKEditThemeOffice2003>();
        break;
    case 7:
        pTheme = std::make_unique<CLVKEditThemeResource>();
        break;
    case 10:
        pTheme = std::make_unique<CLVKEditThemeVisualStudio2010>();
        break;
    case 12:
        pTheme = std::make_unique<CLVKEditThemeOffice2013>();
        break;
    case 13:
    case 14:
    case 15:
        pTheme = std::make_unique<CLVKEditThemeVisualStudio2012>(nTheme);
        break;
    case 16:
        pTheme = std::make_unique<CLVKEditThemeVisualStudio2015>();
        break;
    default:
        pTheme = std::make_unique<CLVKEditThemeDefault>();
        break;
    }
    m_pTheme = std::move(pTheme);
    m_pTheme->RefreshMetrics(this);
    RedrawFrame();
    return m_pTheme != nullptr;
}

void CLVKEdit::RefreshMetrics()
{
    m_pTheme->RefreshMetrics(this);
}

BOOL CLVKEdit::CanPaste() const
{
    return IsWindowEnabled() && !(GetStyle() & ES_READONLY) && ::IsClipboardFormatAvailable(CF_TEXT);
}

BOOL CLVKEdit::Initialize(CWnd*)
{
    if (!m_hWnd)
        return FALSE;
    CLVKAuxData& aux = LVKAuxData();
    if (aux.RegularFont.GetHandle())
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(aux.RegularFont.GetHandle()), TRUE);
    return TRUE;
}

void CLVKEdit::SetValidationPattern(LPCWSTR lpszPattern)
{
    if (lpszPattern && *lpszPattern)
        m_pValidator = std::make_unique<CLVKEditValidator>(lpszPattern);
    else
        m_pValidator.reset();
    if (m_hWnd)
        Invalidate(FALSE);
}

BOOL CLVKEdit::IsTextValid()
{
    if (!m_pValidator)
        return TRUE;
    CString strText;
    GetWindowText(strText);
    return m_pValidator->IsValid(strText);
}

BOOL CLVKEdit::PreCreateWindow(CREATESTRUCT& cs)
{
    m_bSubclassed = FALSE;
    return CLVKMaskEdit::PreCreateWindow(cs);
}

void CLVKEdit::PreSubclassWindow()
{
    CLVKMaskEdit::PreSubclassWindow();
    if (m_bSubclassed)
        InitBorder();
}

int CLVKEdit::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    const int nResult = CLVKMaskEdit::OnCreate(lpCreateStruct);
    if (nResult != -1)
        InitBorder();
    return nResult;
}

void CLVKEdit::InitBorder()
{
    RefreshMetrics();
    if (!m_bOwnBorder)
        return;
    m_bOwnBorder = (GetExStyle() & WS_EX_CLIENTEDGE) != 0;
    if (m_bOwnBorder)
    {
        ModifyStyleEx(WS_EX_CLIENTEDGE, 0);
        ModifyStyle(WS_BORDER, 0);
        if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC)) == AfxGetAfxWndProc())
            OnFrameChanged(0, 0);
        else
            PostMessage(s_nFrameChangedMessage);
    }
}

LRESULT CLVKEdit::OnFrameChanged(WPARAM, LPARAM)
{
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    PostMessage(WM_NCPAINT);
    return 0;
}

void CLVKEdit::RedrawFrame()
{
    if (!m_hWnd)
        return;
    SendMessage(WM_NCPAINT);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CLVKEdit::RefreshFrame()
{
    if (!m_bOwnBorder)
        return;
    if (!m_pTheme || m_pTheme->IsFrameStateDependent() || m_pTheme->IsHoverTracking())
        RedrawFrame();
}

void CLVKEdit::AdjustButtonRect(CWnd* pButton, CRect& rc, int nPart)
{
    if (m_pTheme->IsHoverTracking())
        return;
    if (!m_bOwnBorder && !(GetStyle() & WS_BORDER))
        return;
    m_pTheme->AdjustButtonRect(pButton, rc, nPart);
}

void CLVKEdit::DrawButtonFrame(CWnd* pButton, CDC* pDC, const CRect& rc, int nPart)
{
    m_pTheme->DrawButtonFrame(pButton, pDC, rc, nPart, this);
}

void CLVKEdit::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    CLVKMaskEdit::OnNcCalcSize(bCalcValidRects, lpncsp);
    if (m_bOwnBorder)
        ::InflateRect(&lpncsp->rgrc[0], -kBorderWidth, -kBorderWidth);
}

void CLVKEdit::OnNcPaint()
{
    Default();
    if (!m_bOwnBorder)
        return;
    CWindowDC dc(this);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);
    m_pTheme->DrawBorder(&dc, rcWindow, this);
    m_pTheme->DrawSizeBox(&dc, rcWindow, this);
}

BOOL CLVKEdit::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CLVKEdit::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    CLVKBufferDC buffer(dc.GetSafeHdc(), rc);
    const HBRUSH hBrush = m_pTheme->GetClientBrush(&buffer, this);
    if (hBrush)
        ::FillRect(buffer.GetSafeHdc(), &rc, hBrush);
    // The platform's painting may leave its own clipping (the formatting
    // rectangle) in the DC; the line below the text must not inherit it.
    const int nSaved = ::SaveDC(buffer.GetSafeHdc());
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(buffer.GetSafeHdc()), 0);
    ::RestoreDC(buffer.GetSafeHdc(), nSaved);
    if (!IsTextValid())
        DrawValidationLine(&buffer);
}

void CLVKEdit::DrawValidationLine(CDC* pDC)
{
    const int s = CLVKDpiScaling::GetGlobal()->ScaleX(2);
    CRect rcFormat;
    SendMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rcFormat));
    CRect rcClient;
    GetClientRect(&rcClient);
    const int y = rcFormat.bottom;
    if (rcClient.bottom - y < s + 1)
        return;

    CString strText;
    GetWindowText(strText);
    const HDC hDC = pDC->GetSafeHdc();
    const HGDIOBJ hOldFont = ::SelectObject(hDC, reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
    const DWORD dwStyle = GetStyle();
    int nLength = 0;
    int x = rcFormat.left;
    int nDirection = 1;
    if (GetExStyle() & WS_EX_RIGHT)
    {
        SIZE size{};
        ::GetTextExtentPoint32W(hDC, strText, strText.GetLength(), &size);
        nLength = std::min<int>(size.cx, rcFormat.Width());
        x = rcFormat.right;
        if (dwStyle & ES_CENTER)
            x -= (rcFormat.Width() - nLength) / 2;
        nDirection = -1;
    }
    else
    {
        const LRESULT lChar = SendMessage(EM_CHARFROMPOS, 0, MAKELPARAM(rcFormat.left + 1, rcFormat.top + 1));
        const int nFirst = std::min<int>(LOWORD(lChar), strText.GetLength());
        SIZE size{};
        ::GetTextExtentPoint32W(hDC, static_cast<LPCWSTR>(strText) + nFirst, strText.GetLength() - nFirst, &size);
        nLength = std::min<int>(size.cx, rcFormat.right);
        if (dwStyle & ES_CENTER)
            x = rcFormat.left + (rcFormat.Width() - nLength) / 2;
        else if (dwStyle & ES_RIGHT)
            x = rcFormat.right - nLength;
    }
    ::SelectObject(hDC, hOldFont);
    if (nLength <= 0)
        return;

    CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->MoveTo(x, y);
    bool bDown = true;
    for (int nDone = 0; nDone < nLength; nDone += s)
    {
        x += nDirection * s;
        pDC->LineTo(x, bDown ? y + s : y);
        bDown = !bDown;
    }
    pDC->SelectObject(pOldPen);
}

void CLVKEdit::OnSetFocus(CWnd* pOldWnd)
{
    CLVKMaskEdit::OnSetFocus(pOldWnd);
    m_bFocused = TRUE;
    RefreshFrame();
}

void CLVKEdit::OnKillFocus(CWnd* pNewWnd)
{
    CLVKMaskEdit::OnKillFocus(pNewWnd);
    m_bFocused = FALSE;
    RefreshFrame();
}

void CLVKEdit::OnMouseMove(UINT nFlags, CPoint point)
{
    CRect rc;
    GetClientRect(&rc);
    const BOOL bHot = rc.PtInRect(point);
    if (m_pTheme->IsHoverTracking() && bHot != m_bHot)
    {
        m_bHot = bHot;
        RefreshFrame();
        if (bHot)
        {
            TRACKMOUSEEVENT tme{};
            tme.cbSize = sizeof(tme);
            tme.dwFlags = TME_LEAVE;
            tme.hwndTrack = m_hWnd;
            tme.dwHoverTime = HOVER_DEFAULT;
            ::TrackMouseEvent(&tme);
        }
    }
    CLVKMaskEdit::OnMouseMove(nFlags, point);
}

void CLVKEdit::OnMouseLeave()
{
    CRect rc;
    GetClientRect(&rc);
    if (m_pTheme->IsHoverTracking() && m_bHot)
    {
        m_bHot = FALSE;
        RefreshFrame();
    }
}

void CLVKEdit::OnSysColorChange()
{
    CLVKMaskEdit::OnSysColorChange();
    RefreshMetrics();
    Invalidate(FALSE);
    SendMessage(WM_NCPAINT);
}

LRESULT CLVKEdit::OnApplyControlTheme(WPARAM wParam, LPARAM)
{
    SetTheme(static_cast<int>(wParam));
    return 0;
}

void CLVKEdit::UpdateMenuItems(CMenu* pPopup)
{
    int nStart = 0;
    int nEnd = 0;
    GetSel(nStart, nEnd);
    const BOOL bSelection = nStart != nEnd;
    const BOOL bReadOnly = (GetStyle() & ES_READONLY) != 0;
    const int nCount = pPopup->GetMenuItemCount();
    for (int i = 0; i < nCount; ++i)
    {
        UINT nID = pPopup->GetMenuItemID(i);
        if (nID == 0)
            continue;  // a separator
        if (nID == static_cast<UINT>(-1))
        {
            // A sub-menu takes the state of its first item.
            CMenu* pSub = pPopup->GetSubMenu(i);
            if (!pSub || pSub->GetMenuItemCount() == 0)
                continue;
            nID = pSub->GetMenuItemID(0);
        }
        BOOL bEnable = FALSE;
        BOOL bHandled = TRUE;
        switch (nID)
        {
        case ID_EDIT_UNDO:
            bEnable = CanUndo();
            break;
        case ID_EDIT_CUT:
        case ID_EDIT_CLEAR:
            bEnable = bSelection && !bReadOnly;
            break;
        case ID_EDIT_COPY:
            bEnable = bSelection;
            break;
        case ID_EDIT_PASTE:
            bEnable = CanPaste();
            break;
        case ID_EDIT_SELECT_ALL:
            bEnable = GetWindowTextLength() > 0;
            break;
        default:
            bHandled = FALSE;
            break;
        }
        if (bHandled || nID < 0xF000)
            pPopup->EnableMenuItem(i, MF_BYPOSITION | (bEnable ? MF_ENABLED : MF_GRAYED));
    }
}

void CLVKEdit::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CLVKMaskEdit::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    if (!bSysMenu && pPopupMenu)
        UpdateMenuItems(pPopupMenu);
}

void CLVKEdit::OnContextMenu(CWnd*, CPoint pos)
{
    if (pos.x == -1 && pos.y == -1)
    {
        const int n = CLVKDpiScaling::GetGlobal()->ScaleX(5);
        pos = CPoint(n, n);
        ClientToScreen(&pos);
    }
    SetFocus();
    CMenu menu;
    CLVKResourceManager* const pResources = CLVKResourceManager::GetGlobal();
    if (!pResources || !pResources->LoadMenu(&menu, kContextMenuId))
        return;
    CMenu* const pPopup = menu.GetSubMenu(1);
    if (!pPopup)
        return;
    // The toolkit's menu sends no WM_INITMENUPOPUP: the items' states are
    // set on the menu before it becomes a popup bar. The commands come to
    // the edit as WM_COMMAND.
    UpdateMenuItems(pPopup);
    LVKTrackPopupMenu(pPopup, TPM_RIGHTBUTTON, pos.x, pos.y, this, kContextMenuImagesId);
}

HBRUSH CLVKEdit::CtlColor(CDC* pDC, UINT nCtlColor)
{
    return m_pTheme->GetCtlColorBrush(pDC, nCtlColor, this);
}

BOOL CLVKEdit::OnChange()
{
    if (m_pValidator)
        Invalidate(FALSE);
    return FALSE;
}
