#include "Controls/Button.h"

#include "Controls/ButtonTheme.h"
#include "Controls/ButtonThemeVariants.h"
#include "Controls/Edit.h"
#include "Foundation/BitmapLoaders.h"
#include "Foundation/BufferDC.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/GdiObjectDC.h"
#include "Foundation/MaskedBitmap.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupHelpers.h"

IMPLEMENT_DYNAMIC(CLVKButton, CButton)

BEGIN_MESSAGE_MAP(CLVKButton, CButton)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_PRINTCLIENT()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_GETDLGCODE()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_ENABLE()
    ON_WM_CAPTURECHANGED()
    ON_MESSAGE(WM_UPDATEUISTATE, OnUpdateUIState)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(BM_SETSTYLE, OnSetStyle)
    ON_MESSAGE(BM_SETCHECK, OnSetCheck)
    ON_MESSAGE(BM_SETSTATE, OnSetState)
    ON_MESSAGE(WM_APPLY_CONTROL_THEME, OnApplyControlTheme)
END_MESSAGE_MAP()

BEGIN_INTERFACE_MAP(CLVKButton, CButton)
    INTERFACE_PART(CLVKButton, IID_ILVKCmdTargetProvider, CmdTargetProvider)
END_INTERFACE_MAP()

STDMETHODIMP_(ULONG) CLVKButton::XCmdTargetProvider::AddRef()
{
    METHOD_PROLOGUE(CLVKButton, CmdTargetProvider)
    return pThis->ExternalAddRef();
}

STDMETHODIMP_(ULONG) CLVKButton::XCmdTargetProvider::Release()
{
    METHOD_PROLOGUE(CLVKButton, CmdTargetProvider)
    return pThis->ExternalRelease();
}

STDMETHODIMP CLVKButton::XCmdTargetProvider::QueryInterface(REFIID iid, LPVOID* ppvObj)
{
    METHOD_PROLOGUE(CLVKButton, CmdTargetProvider)
    return static_cast<HRESULT>(pThis->ExternalQueryInterface(&iid, ppvObj));
}

CCmdTarget* STDMETHODCALLTYPE CLVKButton::XCmdTargetProvider::GetCmdTarget()
{
    METHOD_PROLOGUE(CLVKButton, CmdTargetProvider)
    return pThis;
}

CLVKButton::CLVKButton()
    : m_nBorderGap(CLVKDpiScaling::GetGlobal()->ScaleX(4)), m_nImageGap(CLVKDpiScaling::GetGlobal()->ScaleX(3)),
      m_pToolTipContext(new CLVKToolTipContext)
{
    SetTheme(0);
}

CLVKButton::~CLVKButton()
{
    SetImage(nullptr, FALSE);
    MarkupReleaseElement(m_pMarkupCaption);
    MarkupReleaseContext(m_pMarkupContext);
    if (m_pToolTipContext)
        m_pToolTipContext->InternalRelease();
}

INT_PTR CLVKButton::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    if (m_strTooltip.IsEmpty() || !m_hWnd)
        return -1;
    CRect rc;
    GetClientRect(&rc);
    const int n = CLVKDpiScaling::GetGlobal()->ScaleX(2);
    rc.DeflateRect(n, n);
    if (!rc.PtInRect(point))
        return -1;
    CLVKToolTipContext::InitToolInfo(pTI, m_hWnd, 1, rc, m_strTooltip);
    return 1;
}

CSize CLVKButton::GetImageSize() const
{
    if (!m_pImage)
        return CSize(0, 0);
    const CSize size = m_pImage->GetExtent();
    if (!m_bImageDpiScaled)
        return size;
    return CLVKDpiScaling::GetGlobal()->ScaleSize(size);
}

BOOL CLVKButton::SetImage(CLVKImageManagerIcon* pIcon, BOOL bRedraw)
{
    if (m_pImage)
        m_pImage->InternalRelease();
    m_pImage = pIcon;
    if (bRedraw)
        Repaint();
    return TRUE;
}

BOOL CLVKButton::SetIcon(int cx, int cy, const CLVKIconImage& normal, const CLVKIconImage& hot, BOOL bRedraw)
{
    if (normal.IsEmpty())
        return FALSE;
    if (cx == 0 && cy == 0)
    {
        cx = normal.GetImageSize().cx;
        cy = normal.GetImageSize().cy;
    }
    auto* const pIcon = new CLVKImageManagerIcon(0, cx, cy, nullptr);
    pIcon->SetNormalImage(normal);
    if (!hot.IsEmpty())
        pIcon->SetHotImage(hot);
    return SetImage(pIcon, bRedraw);
}

BOOL CLVKButton::SetIconFromIds(int cx, int cy, UINT nNormalId, UINT nHotId, BOOL bRedraw)
{
    return SetIconFromResourceIds(cx, cy, MAKEINTRESOURCEW(nNormalId), nHotId ? MAKEINTRESOURCEW(nHotId) : nullptr,
                                  bRedraw);
}

BOOL CLVKButton::SetIconFromResourceIds(int cx, int cy, LPCWSTR lpszNormal, LPCWSTR lpszHot, BOOL bRedraw)
{
    CLVKIconImage normal;
    if (!lpszNormal || !normal.LoadFromModuleResource(lpszNormal, cx, cy, TRUE, 1))
        return FALSE;
    CLVKIconImage hot;
    if (lpszHot && !hot.LoadFromModuleResource(lpszHot, cx, cy, TRUE, 1))
        return FALSE;
    return SetIcon(cx, cy, normal, hot, bRedraw);
}

BOOL CLVKButton::SetBitmap(int cx, int cy, UINT nResourceId, BOOL bRedraw)
{
    BOOL bAlpha = FALSE;
    const HBITMAP hBitmap = LoadBitmapResourceFromModule(MAKEINTRESOURCEW(nResourceId), &bAlpha);
    if (!hBitmap)
        return FALSE;
    CLVKIconImage normal;
    if (bAlpha)
    {
        normal.SetBitmap(hBitmap);  // owned by the image from here on
    }
    else
    {
        const HICON hIcon = CLVKMaskedBitmap(hBitmap).MakeIcon();
        ::DeleteObject(hBitmap);
        if (!hIcon)
            return FALSE;
        normal.SetIcon(hIcon);
    }
    if (normal.IsEmpty())
        return FALSE;
    return SetIcon(cx, cy, normal, CLVKIconImage(), bRedraw);
}

BOOL CLVKButton::SetIconFromHandles(int cx, int cy, HICON hNormal, HICON hHot, BOOL bRedraw)
{
    if (!hNormal)
        return FALSE;
    // The handles stay the caller's; an icon of another size is drawn from a
    // copy made at the asked size.
    auto wrap = [cx, cy](HICON hIcon, CLVKIconImage& image)
    {
        ICONINFO ii{};
        BITMAP bm{};
        if (cx > 0 && cy > 0 && ::GetIconInfo(hIcon, &ii))
        {
            ::GetObjectW(ii.hbmColor ? ii.hbmColor : ii.hbmMask, sizeof(bm), &bm);
            if (ii.hbmColor)
                ::DeleteObject(ii.hbmColor);
            if (ii.hbmMask)
                ::DeleteObject(ii.hbmMask);
            if (bm.bmWidth != cx)
            {
                const HICON hSized = static_cast<HICON>(::CopyImage(hIcon, IMAGE_ICON, cx, cy, 0));
                if (hSized)
                {
                    image.SetIcon(hSized, FALSE);
                    return;
                }
            }
        }
        image.SetIcon(hIcon, TRUE);
    };
    CLVKIconImage normal;
    wrap(hNormal, normal);
    CLVKIconImage hot;
    if (hHot)
        wrap(hHot, hot);
    return SetIcon(cx, cy, normal, hot, bRedraw);
}

void CLVKButton::DrawImage(CDC* pDC, const CRect& rc)
{
    if (!m_pImage)
        return;
    const BOOL bSelected = GetChecked() || IsPushed();
    CLVKImageManagerIcon& icon = *m_pImage;
    CLVKIconImage* pImage = &icon.GetNormalImage();
    if (!IsWindowEnabled())
        pImage = &icon.GetDisabledImage(TRUE);
    else if (IsHighlighted() || bSelected)
        pImage = GetChecked() ? &icon.GetCheckedImage() : (IsPushed() ? &icon.GetPressedImage() : &icon.GetHotImage());
    icon.DrawImage(pDC, rc.left, rc.top, *pImage, rc.Width(), rc.Height());
}

BOOL CLVKButton::IsPushLike() const
{
    const int nType = GetButtonType();
    return nType == BS_PUSHBUTTON || nType == BS_DEFPUSHBUTTON || nType == BS_OWNERDRAW ||
           (GetStyle() & BS_PUSHLIKE) != 0;
}

BOOL CLVKButton::IsHighlighted() const
{
    return m_bHot || (m_hWnd && ::GetCapture() == m_hWnd);
}

int CLVKButton::GetChecked() const
{
    if (!m_hWnd || IsPushLike())
        return m_nChecked;
    return static_cast<int>(::SendMessageW(m_hWnd, BM_GETCHECK, 0, 0));
}

DWORD CLVKButton::GetTextAlignment() const
{
    const DWORD dwStyle = GetStyle();
    DWORD dwHorz = dwStyle & (BS_LEFT | BS_RIGHT);  // BS_CENTER is both bits
    DWORD dwVert = dwStyle & (BS_TOP | BS_BOTTOM);  // BS_VCENTER is both bits
    if (dwHorz && dwVert)
        return dwHorz | dwVert;
    if (!dwVert)
        dwVert = BS_VCENTER;
    if (!dwHorz)
        dwHorz = IsPushLike() ? BS_CENTER : BS_LEFT;
    return dwHorz | dwVert;
}

BOOL CLVKButton::SetThemeObject(std::unique_ptr<CLVKButtonTheme> pTheme)
{
    if (!pTheme)
        return FALSE;
    m_pTheme = std::move(pTheme);
    m_bUseUxTheme = m_pTheme->GetThemeNumber() == 0;
    m_pTheme->RefreshMetrics(this);
    if (m_hWnd)
        Repaint();
    return TRUE;
}

BOOL CLVKButton::SetTheme(int nTheme)
{
    m_pTheme = CreateButtonTheme(nTheme);
    m_bUseUxTheme = nTheme == 0 || nTheme == 6;
    RefreshMetrics();
    return m_pTheme != nullptr;
}

void CLVKButton::RefreshMetrics()
{
    m_pTheme->RefreshMetrics(this);
    if (m_hWnd)
        Repaint();
}

CRect CLVKButton::GetButtonRect() const
{
    CRect rc;
    GetClientRect(&rc);
    if (m_hBuddyEdit)
    {
        if (auto* pEdit = dynamic_cast<CLVKEdit*>(CWnd::FromHandlePermanent(m_hBuddyEdit)))
            pEdit->AdjustButtonRect(const_cast<CLVKButton*>(this), rc, 4);
    }
    return rc;
}

CString CLVKButton::GetButtonText() const
{
    CString str;
    if (m_hWnd)
        GetWindowText(str);
    return str;
}

COLORREF CLVKButton::GetTextColor() const
{
    const int nNumber = m_pTheme ? m_pTheme->GetThemeNumber() : -1;
    if (!m_pTheme || nNumber == 2 || nNumber == 3 || nNumber == 7)
        return ::GetSysColor(COLOR_BTNTEXT);
    return static_cast<COLORREF>(-1);
}

CSize CLVKButton::GetCheckMarkSize() const
{
    const int n = CLVKDpiScaling::GetGlobal()->ScaleX(13);
    return CSize(n, n);
}

CRect CLVKButton::GetDropDownRect() const
{
    CRect rc = GetButtonRect();
    rc.left = rc.right - m_nBorderGap - CLVKDpiScaling::GetGlobal()->ScaleX(16);
    return rc;
}

void CLVKButton::AttachToEdit(CWnd* pEdit, BOOL bOutside)
{
    if (!pEdit || !pEdit->GetSafeHwnd())
    {
        m_hBuddyEdit = nullptr;
        return;
    }
    m_hBuddyEdit = pEdit->m_hWnd;
    if (!m_hWnd)
        return;
    CWnd* const pParent = GetParent();
    CRect rcEdit;
    CRect rcButton;
    pEdit->GetWindowRect(&rcEdit);
    GetWindowRect(&rcButton);
    pParent->ScreenToClient(&rcEdit);
    pParent->ScreenToClient(&rcButton);
    const int nOverlap = CLVKDpiScaling::GetGlobal()->ScaleX(2);
    if (bOutside)
    {
        pEdit->SetWindowPos(nullptr, 0, 0, rcEdit.Width() - rcButton.Width() + nOverlap, rcEdit.Height(),
                            SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        rcButton.MoveToX(rcEdit.right - rcButton.Width());
    }
    else
    {
        pEdit->SetWindowPos(nullptr, 0, 0, rcButton.left + nOverlap - rcEdit.left, rcEdit.Height(),
                            SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetWindowPos(nullptr, rcButton.left, rcEdit.top, rcButton.Width(), rcEdit.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void CLVKButton::Repaint(BOOL bNow)
{
    if (!m_hWnd)
        return;
    Invalidate(FALSE);
    if (bNow)
        UpdateWindow();
}

void CLVKButton::SetPushButtonStyle(int nStyle)
{
    m_nPushStyle = nStyle;
    Repaint();
}

void CLVKButton::SetFlatStyle(BOOL bFlat)
{
    m_bFlat = bFlat;
    Repaint();
}

void CLVKButton::SetChecked(int nState)
{
    if (m_hWnd && !IsPushLike())
    {
        SendMessage(BM_SETCHECK, nState);
        return;
    }
    m_nChecked = nState;
    Repaint();
}

void CLVKButton::EnableMarkup(BOOL bEnable)
{
    m_bMarkup = bEnable;
    MarkupReleaseElement(m_pMarkupCaption);
    MarkupReleaseContext(m_pMarkupContext);
    if (bEnable)
    {
        m_pMarkupContext = MarkupCreateContext(m_hWnd, TRUE);
        UpdateMarkup();
    }
    Repaint();
}

void CLVKButton::UpdateMarkup()
{
    if (!m_bMarkup)
        return;
    MarkupReleaseElement(m_pMarkupCaption);
    // Markup turned on before the window existed binds to it now.
    if (m_pMarkupContext && m_hWnd && m_pMarkupContext->GetHostWindow() != m_hWnd)
    {
        m_pMarkupContext->SetHostWindow(m_hWnd);
        m_pMarkupContext->SetDpiAware(TRUE, m_hWnd);
    }
    const CString strText = GetButtonText();
    if (!strText.IsEmpty())
        m_pMarkupCaption = MarkupParseText(m_pMarkupContext, strText);
}

void CLVKButton::NotifyDropDown()
{
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), LVK_BN_DROPDOWN), reinterpret_cast<LPARAM>(m_hWnd));
}

void CLVKButton::RunDropDown()
{
    // Sent, not posted: the button shows pushed while the parent's handler
    // (a menu, typically) runs, and BM_SETSTATE meanwhile is ignored.
    m_nPushed = 2;
    Repaint(TRUE);
    const HWND hWnd = m_hWnd;
    NotifyDropDown();
    if (!::IsWindow(hWnd))
        return;
    m_nPushed = 0;
    Repaint(TRUE);
}

void CLVKButton::DrawContent(CDC* pDC)
{
    if (m_hBuddyEdit)
    {
        if (auto* pEdit = dynamic_cast<CLVKEdit*>(CWnd::FromHandlePermanent(m_hBuddyEdit)))
        {
            CRect rc;
            GetClientRect(&rc);
            pEdit->DrawButtonFrame(this, pDC, rc, 4);
        }
    }
    m_pTheme->DrawButton(pDC, this);
}

void CLVKButton::DrawButton(CDC* pDC)
{
    const HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    if (GetButtonType() == BS_GROUPBOX)
    {
        const CLVKGdiObjectDC font(pDC, hFont);
        pDC->SetBkColor(::GetSysColor(COLOR_BTNFACE));
        pDC->SetBkMode(TRANSPARENT);
        DrawContent(pDC);
        return;
    }
    CRect rc;
    GetClientRect(&rc);
    CLVKBufferDC buffer(pDC->GetSafeHdc(), rc);
    HBRUSH hBrush = nullptr;
    if (CWnd* pParent = GetParent())
        hBrush = reinterpret_cast<HBRUSH>(::SendMessageW(pParent->m_hWnd, WM_CTLCOLORBTN,
                                                         reinterpret_cast<WPARAM>(buffer.GetSafeHdc()),
                                                         reinterpret_cast<LPARAM>(m_hWnd)));
    ::FillRect(buffer.GetSafeHdc(), &rc, hBrush ? hBrush : ::GetSysColorBrush(COLOR_BTNFACE));
    const CLVKGdiObjectDC font(buffer.GetSafeHdc(), hFont);
    buffer.SetBkMode(TRANSPARENT);
    DrawContent(&buffer);
}

LRESULT CLVKButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTINGCHANGE || message == WM_SYSCOLORCHANGE)
        RefreshMetrics();
    if (m_pMarkupCaption)
    {
        LRESULT lResult = 0;
        if (MarkupRelayElementMessage(m_pMarkupCaption, message, wParam, lParam, &lResult))
            return lResult;
    }
    if (m_pToolTipContext && m_hWnd)
        m_pToolTipContext->RelayMouseMessage(m_hWnd, message, wParam, lParam);
    return CButton::WindowProc(message, wParam, lParam);
}

BOOL CLVKButton::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CLVKButton::OnPaint()
{
    CPaintDC dc(this);
    DrawButton(&dc);
}

LRESULT CLVKButton::OnPrintClient(CDC* pDC, UINT nFlags)
{
    if (!(nFlags & PRF_CLIENT))
        return Default();
    DrawButton(pDC);
    return 1;
}

void CLVKButton::OnMouseMove(UINT nFlags, CPoint point)
{
    if (GetButtonType() == BS_GROUPBOX)
        return;
    CButton::OnMouseMove(nFlags, point);
    const BOOL bHot = GetButtonRect().PtInRect(point);
    if (bHot == m_bHot)
        return;
    m_bHot = bHot;
    Repaint();
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

void CLVKButton::OnMouseLeave()
{
    OnMouseMove(0, CPoint(-1, -1));
}

void CLVKButton::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_nPushStyle == LVK_BUTTON_SPLITDROPDOWN && GetDropDownRect().PtInRect(point))
    {
        RunDropDown();
        return;
    }
    CButton::OnLButtonDown(nFlags, point);
}

void CLVKButton::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if ((nChar == VK_SPACE && IsDropDownStyle()) ||
        (nChar == VK_RETURN && (m_nPushStyle == 1 || m_nPushStyle == 2 || m_nPushStyle == 4)))
        return;
    CButton::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CLVKButton::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if ((nChar == L' ' && IsDropDownStyle()) || (nChar == L'\r' && (m_nPushStyle == 1 || m_nPushStyle == 2)))
    {
        RunDropDown();
        return;
    }
    CButton::OnChar(nChar, nRepCnt, nFlags);
}

UINT CLVKButton::OnGetDlgCode()
{
    UINT nCode = static_cast<UINT>(Default());
    const MSG* const pCurrent = GetCurrentMessage();
    const MSG* const pMsg = pCurrent ? reinterpret_cast<const MSG*>(pCurrent->lParam) : nullptr;
    if (pMsg)
    {
        if (IsDropDownStyle() && pMsg->message == WM_CHAR && pMsg->wParam == L' ')
            nCode |= DLGC_WANTCHARS;
        if ((m_nPushStyle == 1 || m_nPushStyle == 2) && (pMsg->message == WM_KEYDOWN || pMsg->message == WM_CHAR) &&
            (pMsg->wParam == VK_RETURN || pMsg->wParam == L'\r'))
            nCode |= DLGC_WANTALLKEYS;
    }
    return nCode;
}

void CLVKButton::OnSetFocus(CWnd* pOldWnd)
{
    CButton::OnSetFocus(pOldWnd);
    Repaint(TRUE);
}

void CLVKButton::OnKillFocus(CWnd* pNewWnd)
{
    CButton::OnKillFocus(pNewWnd);
    Repaint(TRUE);
}

void CLVKButton::OnEnable(BOOL)
{
    Repaint(TRUE);
}

void CLVKButton::OnCaptureChanged(CWnd* pWnd)
{
    CButton::OnCaptureChanged(pWnd);
    Repaint(TRUE);
}

LRESULT CLVKButton::OnUpdateUIState(WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = ::DefWindowProcW(m_hWnd, WM_UPDATEUISTATE, wParam, lParam);
    Repaint();
    return lResult;
}

LRESULT CLVKButton::OnSetText(WPARAM wParam, LPARAM lParam)
{
    // Without WS_VISIBLE the platform cannot paint its own button meanwhile.
    const DWORD dwStyle = GetStyle();
    if (dwStyle & WS_VISIBLE)
        ::SetWindowLongW(m_hWnd, GWL_STYLE, dwStyle & ~WS_VISIBLE);
    const LRESULT lResult = ::DefWindowProcW(m_hWnd, WM_SETTEXT, wParam, lParam);
    if (dwStyle & WS_VISIBLE)
        ::SetWindowLongW(m_hWnd, GWL_STYLE, ::GetWindowLongW(m_hWnd, GWL_STYLE) | WS_VISIBLE);
    UpdateMarkup();
    Repaint();
    return lResult;
}

LRESULT CLVKButton::OnSetStyle(WPARAM, LPARAM)
{
    const LRESULT lResult = Default();
    Repaint(TRUE);
    return lResult;
}

LRESULT CLVKButton::OnSetCheck(WPARAM wParam, LPARAM)
{
    Default();
    m_nChecked = wParam == 1 ? 1 : 0;
    Repaint();
    return 0;
}

LRESULT CLVKButton::OnSetState(WPARAM wParam, LPARAM)
{
    const DWORD dwStyle = GetStyle();
    if (dwStyle & WS_VISIBLE)
        ::SetWindowLongW(m_hWnd, GWL_STYLE, dwStyle & ~WS_VISIBLE);
    Default();
    if (dwStyle & WS_VISIBLE)
        ::SetWindowLongW(m_hWnd, GWL_STYLE, ::GetWindowLongW(m_hWnd, GWL_STYLE) | WS_VISIBLE);
    if (m_nPushed == 2)
        return 0;
    m_nPushed = wParam ? 1 : 0;
    Repaint();
    if (m_nPushed && IsPushLike() && (m_nPushStyle == 1 || m_nPushStyle == 2 || m_nPushStyle == 4))
        RunDropDown();
    return 0;
}

LRESULT CLVKButton::OnApplyControlTheme(WPARAM wParam, LPARAM)
{
    SetTheme(static_cast<int>(wParam));
    return 0;
}
