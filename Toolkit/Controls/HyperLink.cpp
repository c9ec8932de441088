#include "Controls/HyperLink.h"

#include "Foundation/BufferDC.h"
#include "Foundation/ColorManager.h"
#include "Foundation/DrawHelpers.h"
#include "Foundation/GdiObjectDC.h"
#include "Foundation/ResourceManager.h"

#include <commctrl.h>
#include <shellapi.h>

IMPLEMENT_DYNAMIC(CLVKHyperLink, CStatic)

BEGIN_MESSAGE_MAP(CLVKHyperLink, CStatic)
    ON_WM_CREATE()
    ON_WM_NCHITTEST()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_SETCURSOR()
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_CONTROL_REFLECT_EX(STN_CLICKED, OnClicked)
    ON_WM_KEYDOWN()
    ON_WM_GETDLGCODE()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

namespace
{

const UINT kIdsUnknownError = 9370;

// The string of each shell error code.
UINT ErrorStringId(int nError)
{
    static const struct
    {
        int nCode;
        UINT nID;
    } kErrors[] = {{0, 9357},  {2, 9358},  {3, 9359},  {5, 9360},  {8, 9361},  {11, 9362}, {26, 9363},
                   {27, 9364}, {28, 9365}, {29, 9366}, {30, 9367}, {31, 9368}, {32, 9369}};
    for (const auto& e : kErrors)
    {
        if (e.nCode == nError)
            return e.nID;
    }
    return kIdsUnknownError;
}

}  // namespace

CLVKHyperLink::CLVKHyperLink()
{
    m_hLinkCursor = ::LoadCursor(nullptr, IDC_HAND);
    if (!m_hLinkCursor && CLVKResourceManager::GetGlobal())
        m_hLinkCursor = CLVKResourceManager::GetGlobal()->LoadCursor(9973);
}

CLVKHyperLink::~CLVKHyperLink()
{
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.DestroyWindow();
}

void CLVKHyperLink::Redraw()
{
    if (m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

void CLVKHyperLink::UpdateToolText()
{
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.UpdateTipText(m_strTipText, this);
}

void CLVKHyperLink::SetURL(LPCTSTR lpszURL)
{
    m_strUrl = lpszURL ? lpszURL : L"";
    if (m_strTipText.IsEmpty())
        m_strTipText = m_strUrl;
    if (m_strTipText.IsEmpty() || !m_hWnd)
        return;
    if (m_toolTip.GetSafeHwnd())
    {
        // The tip follows the address, whatever tip text was set before.
        m_strTipText = m_strUrl;
        UpdateToolText();
        return;
    }
    if (!m_toolTip.Create(this, TTS_ALWAYSTIP))
        return;
    m_toolTip.AddTool(this, m_strTipText);
    m_toolTip.Activate(m_bToolTipEnabled);
}

void CLVKHyperLink::SetTipText(LPCTSTR lpszTipText)
{
    m_strTipText = lpszTipText ? lpszTipText : L"";
    UpdateToolText();
}

void CLVKHyperLink::SetColors(COLORREF clrLink, COLORREF clrVisited, COLORREF clrHover)
{
    m_clrLink = clrLink;
    m_clrVisited = clrVisited;
    m_clrHover = clrHover;
    Redraw();
}

void CLVKHyperLink::SetVisited(BOOL bVisited)
{
    m_bVisited = bVisited ? TRUE : FALSE;
    Redraw();
}

void CLVKHyperLink::SetUnderline(BOOL bUnderline)
{
    m_bUnderline = bUnderline ? TRUE : FALSE;
    UpdateFont();
}

void CLVKHyperLink::SetBackColor(COLORREF clrBack)
{
    m_clrBack = clrBack;
    Redraw();
}

COLORREF CLVKHyperLink::GetBackColor() const
{
    return m_clrBack == static_cast<COLORREF>(-1) ? GetToolkitColor(COLOR_BTNFACE) : m_clrBack;
}

HINSTANCE CLVKHyperLink::ShellExecuteOpen(LPCTSTR lpszTarget, LPCTSTR lpszParameters, LPCTSTR lpszDirectory,
                                          int nShowCmd)
{
    return ::ShellExecuteW(nullptr, L"open", lpszTarget, lpszParameters, lpszDirectory, nShowCmd);
}

BOOL CLVKHyperLink::GotoURL(LPCTSTR lpszTarget, int nShowCmd, LPCTSTR lpszParameters, LPCTSTR lpszDirectory)
{
    const HINSTANCE hResult = ShellExecuteOpen(lpszTarget ? lpszTarget : static_cast<LPCTSTR>(m_strUrl), lpszParameters,
                                               lpszDirectory, nShowCmd);
    const INT_PTR nResult = reinterpret_cast<INT_PTR>(hResult);
    if (nResult > 32)
        return TRUE;
    ReportError(static_cast<int>(nResult));
    return FALSE;
}

void CLVKHyperLink::ShowErrorMessage(const CString& strMessage)
{
    ::MessageBeep(MB_ICONEXCLAMATION);
    ::MessageBoxW(GetSafeHwnd() ? ::GetParent(m_hWnd) : nullptr, strMessage, AfxGetAppName(),
                  MB_OK | MB_ICONEXCLAMATION);
}

void CLVKHyperLink::ReportError(int nError)
{
    const UINT nID = ErrorStringId(nError);
    CString strText;
    CLVKResourceManager* const pResources = CLVKResourceManager::GetGlobal();
    if (pResources)
        pResources->LoadString(&strText, nID);
    if (nID == kIdsUnknownError)
    {
        CString strFormatted;
        strFormatted.Format(strText.IsEmpty() ? L"An unknown error number %d occured." : static_cast<LPCWSTR>(strText),
                            nError);
        strText = strFormatted;
    }
    ShowErrorMessage(strText);
}

BOOL CLVKHyperLink::IsTextControl() const
{
    return (GetStyle() & 0xFF) < SS_RIGHT + 1;
}

BOOL CLVKHyperLink::IsCursorOverText() const
{
    POINT pt{};
    ::GetCursorPos(&pt);
    return IsPointOverText(pt);
}

BOOL CLVKHyperLink::IsPointOverText(POINT pt) const
{
    if (!IsTextControl())
        return TRUE;
    CString strText;
    GetWindowText(strText);
    SIZE szText{};
    {
        const HDC hDC = ::GetDC(nullptr);
        const HFONT hFont = reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
        {
            const CLVKGdiObjectDC font(hDC, hFont);
            ::GetTextExtentPoint32W(hDC, strText, strText.GetLength(), &szText);
        }
        ::ReleaseDC(nullptr, hDC);
    }
    CRect rc;
    GetWindowRect(&rc);
    switch (GetStyle() & 0xFF)
    {
    case SS_CENTER:
        rc.left += (rc.Width() - szText.cx) / 2;
        rc.right = rc.left + szText.cx;
        break;
    case SS_RIGHT:
        rc.left = rc.right - szText.cx;
        break;
    default:
        rc.right = rc.left + szText.cx;
        break;
    }
    return rc.PtInRect(pt);
}

BOOL CLVKHyperLink::Initialize()
{
    if (!m_hWnd)
        return FALSE;
    if (IsTextControl())
    {
        if (m_strUrl.IsEmpty())
            GetWindowText(m_strUrl);
        SetURL(m_strUrl);
    }
    ModifyStyle(0, SS_NOTIFY);
    return UpdateFont();
}

BOOL CLVKHyperLink::CreateLinkFont(CLVKFont& font, BOOL bUnderline)
{
    LOGFONTW lf{};
    const HFONT hFont = m_hWnd ? reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0)) : nullptr;
    if (!hFont || !::GetObjectW(hFont, sizeof(lf), &lf))
        CLVKDrawHelpers::GetIconTitleLogFont(&lf);
    return LVKCreateFontFromTemplate(lf, font, -1, bUnderline ? TRUE : FALSE);
}

BOOL CLVKHyperLink::UpdateFont()
{
    if (!CreateLinkFont(m_linkFont, m_bUnderline))
        return FALSE;
    if (!m_hWnd)
        return FALSE;
    ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_linkFont.GetHandle()), TRUE);
    Redraw();
    return TRUE;
}

BOOL CLVKHyperLink::PreTranslateMessage(MSG* pMsg)
{
    if (m_toolTip.GetSafeHwnd() && m_bToolTipEnabled)
        m_toolTip.RelayEvent(pMsg);
    return CStatic::PreTranslateMessage(pMsg);
}

BOOL CLVKHyperLink::PreCreateWindow(CREATESTRUCT& cs)
{
    m_bInitOnSubclass = FALSE;
    return CStatic::PreCreateWindow(cs);
}

void CLVKHyperLink::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    if (m_bInitOnSubclass)
        Initialize();
}

int CLVKHyperLink::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CStatic::OnCreate(lpCreateStruct) == -1)
        return -1;
    Initialize();
    return 0;
}

LRESULT CLVKHyperLink::OnNcHitTest(CPoint)
{
    return HTCLIENT;
}

void CLVKHyperLink::OnMouseMove(UINT nFlags, CPoint point)
{
    CStatic::OnMouseMove(nFlags, point);
    if (IsTextControl() && IsCursorOverText())
        SetTimer(kHoverTimer, 10);
}

void CLVKHyperLink::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kHoverTimer)
    {
        CStatic::OnTimer(nIDEvent);
        return;
    }
    if (!IsTextControl())
        return;
    const BYTE bOver = IsCursorOverText() ? TRUE : FALSE;
    if (bOver != m_bMouseOver)
    {
        m_bMouseOver = bOver;
        Redraw();
    }
    if (!bOver)
        KillTimer(kHoverTimer);
}

BOOL CLVKHyperLink::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_hLinkCursor && IsCursorOverText())
    {
        ::SetCursor(m_hLinkCursor);
        return TRUE;
    }
    return CStatic::OnSetCursor(pWnd, nHitTest, message);
}

HBRUSH CLVKHyperLink::CtlColor(CDC* pDC, UINT)
{
    if (!IsTextControl())
        return nullptr;
    HBRUSH hBrush = static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    if (m_clrBack == static_cast<COLORREF>(-1))
    {
        const HWND hParent = ::GetParent(m_hWnd);
        hBrush = reinterpret_cast<HBRUSH>(::DefWindowProcW(
            hParent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(pDC->GetSafeHdc()), reinterpret_cast<LPARAM>(m_hWnd)));
    }
    COLORREF clrText = m_clrLink;
    if (m_bMouseOver || ::GetFocus() == m_hWnd)
        clrText = m_clrHover;
    else if (m_bVisited)
        clrText = m_clrVisited;
    pDC->SetTextColor(clrText);
    pDC->SetBkMode(TRANSPARENT);
    return hBrush;
}

BOOL CLVKHyperLink::OnEraseBkgnd(CDC* pDC)
{
    if (m_clrBack != static_cast<COLORREF>(-1))
        return TRUE;
    return CStatic::OnEraseBkgnd(pDC);
}

void CLVKHyperLink::OnPaint()
{
    if ((GetExStyle() & WS_EX_TRANSPARENT) || m_clrBack == static_cast<COLORREF>(-1))
    {
        Default();
        return;
    }
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    CLVKBufferDC buffer(dc.GetSafeHdc(), rc);
    buffer.FillSolidRect(&rc, GetBackColor());
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(buffer.GetSafeHdc()), 0);
}

BOOL CLVKHyperLink::ActivateLink()
{
    if (m_bOpenWithShell)
        m_bVisited = GotoURL(m_strUrl, SW_SHOW, nullptr, nullptr) ? TRUE : FALSE;
    else
        m_bVisited = TRUE;
    if (m_toolTip.GetSafeHwnd() && m_bToolTipEnabled)
        m_toolTip.Pop();
    Redraw();
    return m_bVisited;
}

BOOL CLVKHyperLink::OnClicked()
{
    if (IsCursorOverText())
        ActivateLink();
    // Text links let the parent see the click too.
    return IsTextControl() ? FALSE : TRUE;
}

void CLVKHyperLink::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    CStatic::OnKeyDown(nChar, nRepCnt, nFlags);
    if (nChar == VK_SPACE || nChar == VK_RETURN)
        ActivateLink();
}

UINT CLVKHyperLink::OnGetDlgCode()
{
    const MSG* const pCurrent = GetCurrentMessage();
    const MSG* const pMsg = pCurrent ? reinterpret_cast<const MSG*>(pCurrent->lParam) : nullptr;
    if (pMsg)
    {
        if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_SPACE))
            return DLGC_WANTALLKEYS;
        if (pMsg->message == WM_CHAR && pMsg->wParam == L'\r')
            return DLGC_WANTCHARS;
    }
    return DLGC_UNDEFPUSHBUTTON;
}

void CLVKHyperLink::OnSetFocus(CWnd* pOldWnd)
{
    CStatic::OnSetFocus(pOldWnd);
    Invalidate();
}

void CLVKHyperLink::OnKillFocus(CWnd* pNewWnd)
{
    CStatic::OnKillFocus(pNewWnd);
    Invalidate();
}

void CLVKHyperLink::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CStatic::OnWindowPosChanged(lpwndpos);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
}
