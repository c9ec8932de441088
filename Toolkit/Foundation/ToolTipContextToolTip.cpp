#include "ToolTipContextToolTip.h"

#include "ColorManager.h"
#include "DisplayMonitors.h"
#include "DpiScaling.h"
#include "DrawHelpers.h"
#include "FontDC.h"
#include "ImageManagerIcon.h"
#include "ResourceImage.h"
#include "ResourceImages.h"
#include "ResourceManager.h"

namespace
{

const UINT_PTR kPendingTimer = 1;
const UINT_PTR kAutoPopTimer = 3;
// TTM_DELTOOLW posted again with a heap copy of the record, freed on arrival.
const WPARAM kOwnedToolRecord = 0x4C564B;

// The one WH_MOUSE hook of the thread and the tip that holds it.
HHOOK g_hMouseHook = nullptr;
CLVKToolTipContextToolTip* g_pHookHolder = nullptr;

int ScaleX(int n)
{
    return CLVKDpiScaling::GetGlobal()->ScaleX(n);
}
int ScaleY(int n)
{
    return CLVKDpiScaling::GetGlobal()->ScaleY(n);
}

}  // namespace

int AFX_CDECL LVKGetCursorHeight()
{
    const int kDefault = 21;
    ICONINFO info{};
    if (!GetIconInfo(GetCursor(), &info))
        return kDefault;
    int nHeight = kDefault;
    BITMAP bm{};
    if (info.hbmMask && GetObjectW(info.hbmMask, sizeof(bm), &bm) && bm.bmWidthBytes > 0)
    {
        BYTE bits[256] = {};
        const LONG nRead = GetBitmapBits(info.hbmMask, sizeof(bits), bits);
        const bool bMonochrome = info.hbmColor == nullptr;
        const int nRows = bMonochrome ? bm.bmHeight / 2 : bm.bmHeight;
        const int nRowBytes = bm.bmWidthBytes;
        int nLastRow = -1;
        for (int y = 0; y < nRows; ++y)
        {
            bool bVisible = false;
            for (int x = 0; x < nRowBytes && !bVisible; ++x)
            {
                const int nAnd = y * nRowBytes + x;
                if (nAnd < nRead && bits[nAnd] != 0xFF)
                    bVisible = true;
                // The lower (XOR) half of a monochrome cursor's mask draws too.
                const int nXor = (y + nRows) * nRowBytes + x;
                if (bMonochrome && nXor < nRead && bits[nXor] != 0)
                    bVisible = true;
            }
            if (bVisible)
                nLastRow = y;
        }
        if (nLastRow >= 0 && nRead > 0)
            nHeight = nLastRow + 1 - static_cast<int>(info.yHotspot);
    }
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    return nHeight;
}

CLVKToolTipContextToolTip::CLVKToolTipContextToolTip(CLVKToolTipContext* pContext) : m_pContext(pContext)
{
}

CLVKToolTipContextToolTip::~CLVKToolTipContextToolTip()
{
    TrackMouse(FALSE);
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CLVKToolTipContextToolTip::CreateTipWindow(CWnd* pParent, DWORD dwStyle)
{
    UINT nClassStyle = CS_SAVEBITS | CS_OWNDC;
    if (!(dwStyle & 0x2000))
        nClassStyle |= CS_DROPSHADOW;
    const LPCTSTR lpszClass = AfxRegisterWndClass(nClassStyle, LoadCursorW(nullptr, IDC_ARROW));
    m_hParent = pParent ? pParent->GetSafeHwnd() : nullptr;
    return CreateEx(WS_EX_TOOLWINDOW, lpszClass, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, m_hParent, nullptr);
}

LRESULT CLVKToolTipContextToolTip::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case TTM_ACTIVATE:
        return OnActivate(static_cast<BOOL>(wParam));
    case TTM_ADDTOOLW:
        return OnAddTool(reinterpret_cast<const TTTOOLINFOW*>(lParam));
    case TTM_DELTOOLW:
        return OnDelTool(reinterpret_cast<const TTTOOLINFOW*>(lParam), wParam == kOwnedToolRecord);
    case TTM_RELAYEVENT:
        OnRelayedMouse(reinterpret_cast<const MSG*>(lParam));
        return 0;
    case TTM_SETTITLEW:
        m_strTitle = lParam ? reinterpret_cast<LPCWSTR>(lParam) : L"";
        return TRUE;
    case TTM_UPDATETIPTEXTW:
        OnUpdateTipText(reinterpret_cast<const TTTOOLINFOW*>(lParam));
        return 0;
    case TTM_SETDELAYTIME:
        OnSetDelayTime(wParam, lParam);
        return 0;
    case LVK_TTM_SETTOOLIMAGE:
        m_pIcon = reinterpret_cast<CLVKImageManagerIcon*>(lParam);
        return 0;
    case TTM_WINDOWFROMPOINT:
        return lParam ? reinterpret_cast<LRESULT>(LVKToolTipWindowFromPoint(*reinterpret_cast<const POINT*>(lParam)))
                      : 0;
    case TTM_SETMAXTIPWIDTH:
    case TTM_SETMARGIN:
    case TTM_SETTIPBKCOLOR:
    case TTM_SETTIPTEXTCOLOR:
        return 0;  // the context keeps these and answers the tip's questions
    case WM_PAINT:
    {
        CPaintDC dc(this);
        OnPrintClient(&dc);
        return 0;
    }
    case WM_PRINTCLIENT:
        OnPrintClient(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_MOUSEMOVE:
        ShowTool(nullptr);
        return 0;
    case WM_TIMER:
        OnTimer(wParam);
        break;
    case WM_DESTROY:
        OnDestroyTip();
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

LRESULT CLVKToolTipContextToolTip::OnActivate(BOOL bActivate)
{
    m_bActive = bActivate;
    if (!bActivate)
    {
        if (m_nPendingTimer)
            KillTimer(kPendingTimer);
        m_nPendingTimer = 0;
        m_pendingTool.Clear();
        if (!m_shownTool.IsEmpty())
            ShowTool(nullptr);
    }
    return 0;
}

LRESULT CLVKToolTipContextToolTip::OnAddTool(const TTTOOLINFOW* pTI)
{
    if (!pTI)
        return FALSE;
    auto pTool = std::make_unique<TOOLITEM>();
    pTool->nFlags = pTI->uFlags;
    pTool->rect = pTI->rect;
    pTool->hInstance = pTI->hinst;
    pTool->hWnd = pTI->hwnd;
    pTool->nId = pTI->uId;
    if (pTI->lpszText == LPSTR_TEXTCALLBACKW)
        pTool->bCallback = TRUE;
    else if (pTI->lpszText && IS_INTRESOURCE(pTI->lpszText))
        CLVKResourceManager::LoadStringFromModule(pTI->hinst, LOWORD(reinterpret_cast<UINT_PTR>(pTI->lpszText)),
                                                  pTool->strText);
    else if (pTI->lpszText)
        pTool->strText = pTI->lpszText;
    if (pTI->cbSize == kLVKToolInfoExtraSize && pTI->lParam)
        pTool->rcPlacement = reinterpret_cast<const LVKToolInfoExtra*>(pTI->lParam)->rcPlacement;
    m_tools.push_back(std::move(pTool));
    return TRUE;
}

LRESULT CLVKToolTipContextToolTip::OnDelTool(const TTTOOLINFOW* pTI, BOOL bOwnedCopy)
{
    if (!pTI)
        return 0;
    if (m_nIdBeingShown != static_cast<UINT_PTR>(-1) && pTI->uId == m_nIdBeingShown)
    {
        // Deleted while its tip is being shown: try again later with a copy of
        // the record, since the caller's one is gone by then.
        TTTOOLINFOW* pCopy = bOwnedCopy ? const_cast<TTTOOLINFOW*>(pTI) : new TTTOOLINFOW(*pTI);
        pCopy->lpszText = nullptr;
        if (!::PostMessageW(m_hWnd, TTM_DELTOOLW, kOwnedToolRecord, reinterpret_cast<LPARAM>(pCopy)))
            delete pCopy;
        return 0;
    }
    const HWND hWnd = pTI->hwnd;
    const UINT_PTR nId = pTI->uId;
    if (bOwnedCopy)
        delete pTI;
    for (auto it = m_tools.begin(); it != m_tools.end(); ++it)
    {
        TOOLITEM* pTool = it->get();
        if (pTool->hWnd != hWnd || pTool->nId != nId)
            continue;
        if (pTool->IsSameTool(&m_shownTool))
            ShowTool(nullptr);
        if (pTool->IsSameTool(&m_pressedTool))
            m_pressedTool.Clear();
        if (pTool->IsSameTool(&m_pendingTool))
            m_pendingTool.Clear();
        m_tools.erase(it);
        break;
    }
    return 0;
}

void CLVKToolTipContextToolTip::OnUpdateTipText(const TTTOOLINFOW* pTI)
{
    if (!pTI)
        return;
    TOOLITEM* pTool = FindTool(pTI->hwnd, pTI->uId);
    if (!pTool)
        return;
    pTool->bCallback = pTI->lpszText == LPSTR_TEXTCALLBACKW;
    pTool->strText = pTool->bCallback || !pTI->lpszText ? L"" : pTI->lpszText;
}

void CLVKToolTipContextToolTip::OnSetDelayTime(WPARAM wParam, LPARAM lParam)
{
    const int nTime = LOWORD(lParam);
    switch (wParam)
    {
    case TTDT_RESHOW:
        m_nReshowDelay = nTime;
        break;
    case TTDT_AUTOPOP:
        m_nAutoPopTime = nTime;
        break;
    case TTDT_INITIAL:
        m_nInitialDelay = nTime;
        break;
    default:
        break;
    }
}

CLVKToolTipContextToolTip::TOOLITEM* CLVKToolTipContextToolTip::FindTool(HWND hWnd, UINT_PTR nId)
{
    for (const auto& pTool : m_tools)
    {
        if (pTool->hWnd == hWnd && pTool->nId == nId)
            return pTool.get();
    }
    return nullptr;
}

CLVKToolTipContextToolTip::TOOLITEM* CLVKToolTipContextToolTip::FindToolAtCursor()
{
    if ((GetKeyState(VK_LBUTTON) & 0x8000) || (GetKeyState(VK_RBUTTON) & 0x8000) || (GetKeyState(VK_MBUTTON) & 0x8000))
        return nullptr;
    POINT pt{};
    GetCursorPos(&pt);
    for (const auto& pTool : m_tools)
    {
        if (!::IsWindow(pTool->hWnd))
            continue;
        RECT rc{};
        if (pTool->nFlags & TTF_IDISHWND)
            ::GetWindowRect(reinterpret_cast<HWND>(pTool->nId), &rc);
        else
        {
            rc = pTool->rect;
            ::MapWindowPoints(pTool->hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
        }
        if (!PtInRect(&rc, pt))
            continue;
        if ((pTool->nFlags & TTF_IDISHWND) || LVKToolTipWindowFromPoint(pt) == pTool->hWnd)
            return pTool.get();
    }
    return nullptr;
}

void CLVKToolTipContextToolTip::OnRelayedMouse(const MSG* pMsg)
{
    if (!pMsg || !m_bActive)
        return;
    const UINT nMessage = pMsg->message;
    if (!((nMessage >= 0x200 && nMessage <= 0x20E) || (nMessage >= 0xA0 && nMessage <= 0xA9)))
        return;
    TOOLITEM* pTool = FindToolAtCursor();
    if (nMessage == WM_LBUTTONDOWN && pTool)
    {
        m_pressedTool = *pTool;
        pTool = nullptr;
    }
    if (pTool && pTool->IsSameTool(&m_pressedTool))
        pTool = nullptr;

    if (m_nPendingTimer)
    {
        if (!pTool)
        {
            if (m_pendingTool.IsEmpty())
            {
                ShowTool(nullptr);
                return;
            }
            KillTimer(kPendingTimer);
            m_nPendingTimer = 0;
            m_pendingTool.Clear();
        }
        else if (!pTool->IsSameTool(&m_pendingTool))
        {
            KillTimer(kPendingTimer);
            m_nPendingTimer = 0;
            m_pendingTool.Clear();
        }
    }
    if (!pTool)
    {
        ShowTool(nullptr);
        return;
    }
    if (pTool->IsSameTool(&m_shownTool))
        return;
    if (GetTickCount() - m_dwLastChange < static_cast<DWORD>(m_nReshowDelay))
    {
        ShowTool(pTool);
        return;
    }
    if (!pTool->IsSameTool(&m_pendingTool))
    {
        m_pendingTool = *pTool;
        m_nPendingTimer = SetTimer(kPendingTimer, static_cast<UINT>(m_nInitialDelay), nullptr);
    }
}

void CLVKToolTipContextToolTip::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kPendingTimer)
    {
        KillTimer(kPendingTimer);
        m_nPendingTimer = 0;
        if (!m_pendingTool.IsEmpty())
        {
            TOOLITEM* pTool = FindToolAtCursor();
            if (pTool && pTool->IsSameTool(&m_pendingTool))
                ShowTool(pTool);
        }
        m_pendingTool.Clear();
    }
    else if (nIDEvent == kAutoPopTimer)
    {
        KillTimer(kAutoPopTimer);
        m_nAutoPopTimer = 0;
        OnActivate(FALSE);
    }
}

const CString& CLVKToolTipContextToolTip::GetToolText(TOOLITEM* pTool)
{
    if (pTool->bCallback)
    {
        NMTTDISPINFOW info{};
        info.hdr.hwndFrom = m_hWnd;
        info.hdr.idFrom = pTool->nId;
        info.hdr.code = TTN_NEEDTEXTW;
        info.uFlags = pTool->nFlags;
        info.lpszText = info.szText;
        ::SendMessageW(pTool->hWnd, WM_NOTIFY, pTool->nId, reinterpret_cast<LPARAM>(&info));
        if (reinterpret_cast<UINT_PTR>(info.lpszText) > 0xFFFF)
            pTool->strText = info.lpszText;
        else if (info.lpszText)
            CLVKResourceManager::LoadStringFromModule(info.hinst, LOWORD(reinterpret_cast<UINT_PTR>(info.lpszText)),
                                                      pTool->strText);
        if (!(m_pContext->GetStyleBits() & TTS_NOPREFIX))
        {
            LPWSTR pBuffer = pTool->strText.GetBuffer();
            LVKStripMnemonicsInBuffer(pBuffer);
            pTool->strText.ReleaseBuffer();
        }
        // Asked once: the answer is kept.
        pTool->bCallback = FALSE;
    }
    return pTool->strText;
}

SIZE CLVKToolTipContextToolTip::IconSize() const
{
    SIZE size{0, 0};
    if (!m_pIcon)
        return size;
    const CSize extent = m_pIcon->GetExtent();
    size.cx = extent.cx;
    size.cy = extent.cy;
    if (m_pContext->IsScaleIcons())
    {
        size.cx = ScaleX(size.cx);
        size.cy = ScaleY(size.cy);
    }
    return size;
}

SIZE CLVKToolTipContextToolTip::MeasureTip(TOOLITEM* pTool)
{
    SIZE result{0, 0};
    const CString& strText = GetToolText(pTool);
    if (strText.IsEmpty())
        return result;
    CClientDC dc(this);
    const CLVKFontDC font(&dc, m_pContext->GetFont());
    const int nMaxWidth = m_pContext->GetMaxTipWidth();
    const RECT& rcMargin = m_pContext->GetMargin();
    const int nPadX = rcMargin.left + rcMargin.right + 2 * ScaleX(3);
    const int nPadY = rcMargin.top + rcMargin.bottom + 2 * ScaleY(3);

    int nTitleWidth = 0;
    int nTitleHeight = 0;
    if (!m_strTitle.IsEmpty())
    {
        const CLVKFontDC bold(&dc, m_pContext->GetBoldFont());
        RECT rcTitle{0, 0, nMaxWidth, 0};
        dc.DrawText(m_strTitle, &rcTitle, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX);
        nTitleWidth = (rcTitle.right - rcTitle.left) + ScaleX(4);
        nTitleHeight = (rcTitle.bottom - rcTitle.top) + ScaleY(10) + ScaleY(10);
    }
    int nTextExtra = 0;
    const SIZE szIcon = IconSize();
    if (m_pIcon)
    {
        if (szIcon.cy > ScaleY(16))
            nTextExtra = szIcon.cx + ScaleX(5);
        else if (!m_strTitle.IsEmpty())
            nTitleWidth += szIcon.cx + ScaleX(1);
        else
            nTextExtra = szIcon.cx + ScaleX(3);
    }
    int nLimit = nMaxWidth - nPadX;
    if (!m_strTitle.IsEmpty())
        nLimit = (nTitleWidth > nLimit ? nTitleWidth : nLimit) - ScaleX(10) - ScaleX(15);
    RECT rcText{0, 0, nLimit, 0};
    dc.DrawText(strText, &rcText, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    int nWidth = (rcText.right - rcText.left) + nTextExtra;
    int nHeight = rcText.bottom - rcText.top;
    if (m_pIcon && szIcon.cy > nHeight)
        nHeight = szIcon.cy;
    if (!m_strTitle.IsEmpty())
    {
        const int nIndented = ScaleX(10) + ScaleX(15) + nWidth;
        nWidth = nTitleWidth > nIndented ? nTitleWidth : nIndented;
        nHeight += nTitleHeight;
    }
    result.cx = nWidth + nPadX;
    result.cy = nHeight + nPadY;
    return result;
}

void CLVKToolTipContextToolTip::DrawTip(CDC* pDC, TOOLITEM* pTool, RECT rc)
{
    const RECT& rcMargin = m_pContext->GetMargin();
    rc.left += rcMargin.left + ScaleX(3);
    rc.top += rcMargin.top + ScaleY(3);
    rc.right -= rcMargin.right + ScaleX(3);
    rc.bottom -= rcMargin.bottom + ScaleY(3);
    const bool bRTL = (::GetWindowLongW(pTool->hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
    const UINT nRTL = bRTL ? (DT_RIGHT | DT_RTLREADING) : 0;

    RECT rcTitle = rc;
    InflateRect(&rcTitle, -ScaleX(2), -ScaleY(2));
    RECT rcText = rc;
    const SIZE szIcon = IconSize();
    if (m_pIcon && szIcon.cy <= ScaleY(16))
    {
        const int x = bRTL ? rcTitle.right - szIcon.cx : rcTitle.left;
        m_pIcon->DrawScaled(pDC, x, rcTitle.top, szIcon.cx, szIcon.cy);
        if (!m_strTitle.IsEmpty())
        {
            if (bRTL)
                rcTitle.right -= szIcon.cx + ScaleX(1);
            else
                rcTitle.left += szIcon.cx + ScaleX(1);
        }
        else if (bRTL)
            rcText.right -= szIcon.cx + ScaleX(3);
        else
            rcText.left += szIcon.cx + ScaleX(3);
    }
    if (!m_strTitle.IsEmpty())
    {
        const CLVKFontDC bold(pDC, m_pContext->GetBoldFont());
        const int nTitleHeight =
            pDC->DrawText(m_strTitle, &rcTitle, DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX | nRTL);
        rcText.top = rcTitle.top + nTitleHeight + ScaleY(12);
        rcText.left += bRTL ? ScaleX(15) : ScaleX(10);
        rcText.right -= bRTL ? ScaleX(10) : ScaleX(15);
    }
    if (m_pIcon && szIcon.cy > ScaleY(16))
    {
        const int x = bRTL ? rcText.right - szIcon.cx : rcText.left;
        m_pIcon->DrawScaled(pDC, x, rcText.top, szIcon.cx, szIcon.cy);
        if (bRTL)
            rcText.right -= szIcon.cx + ScaleX(5);
        else
            rcText.left += szIcon.cx + ScaleX(5);
    }
    pDC->DrawText(GetToolText(pTool), &rcText, DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | nRTL);
}

void CLVKToolTipContextToolTip::DrawTipBackground(CDC* pDC, TOOLITEM*, const RECT& rc)
{
    m_pContext->DrawBackground(pDC, rc);
}

void CLVKToolTipContextToolTip::OnPrintClient(CDC* pDC)
{
    RECT rc{};
    GetClientRect(&rc);
    DrawTipBackground(pDC, &m_shownTool, rc);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(m_pContext->GetTextColor());
    const CLVKFontDC font(pDC, m_pContext->GetFont());
    if (!m_shownTool.IsEmpty())
        DrawTip(pDC, &m_shownTool, rc);
}

void AFX_CDECL CLVKToolTipContextToolTip::AdjustToWorkArea(RECT& rc, const RECT& rcWork, POINT ptCursor)
{
    if (rc.right > rcWork.right - 4)
        OffsetRect(&rc, (rcWork.right - 4) - rc.right, 0);
    if (rc.left < rcWork.left)
        OffsetRect(&rc, rcWork.left - rc.left, 0);
    if (rc.bottom > rcWork.bottom - 4)
        OffsetRect(&rc, 0, (ptCursor.y - 3) - rc.bottom);
}

void CLVKToolTipContextToolTip::ShowTool(TOOLITEM* pTool)
{
    if (pTool && pTool->IsSameTool(&m_shownTool))
        return;
    if (!pTool && m_shownTool.IsEmpty())
        return;
    SIZE size{0, 0};
    if (pTool)
    {
        m_nIdBeingShown = pTool->nId;
        size = MeasureTip(pTool);
        if (size.cx == 0 && size.cy == 0)
        {
            pTool = nullptr;
            if (m_shownTool.IsEmpty())
            {
                m_nIdBeingShown = static_cast<UINT_PTR>(-1);
                return;
            }
        }
    }
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE);
    if (m_bRegionSet)
    {
        ::SetWindowRgn(m_hWnd, nullptr, FALSE);
        m_bRegionSet = FALSE;
    }
    if (pTool)
    {
        POINT ptCursor{};
        GetCursorPos(&ptCursor);
        RECT rc{};
        if (IsRectEmpty(&pTool->rcPlacement))
        {
            rc.left = ptCursor.x;
            rc.top = ptCursor.y + LVKGetCursorHeight();
            if (::GetWindowLongW(pTool->hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL)
                rc.left -= size.cx;
        }
        else
        {
            POINT pt{pTool->rect.left, pTool->rcPlacement.bottom};
            ::ClientToScreen(pTool->hWnd, &pt);
            rc.left = pt.x;
            rc.top = pt.y;
        }
        rc.right = rc.left + size.cx;
        rc.bottom = rc.top + size.cy;
        AdjustToWorkArea(rc, CLVKDisplayMonitors::GetGlobal()->GetWorkAreaFromPoint(ptCursor), ptCursor);
        ::SetWindowPos(m_hWnd, HWND_TOP, rc.left, rc.top, size.cx, size.cy, SWP_NOACTIVATE | SWP_NOOWNERZORDER);

        // The tool's window hears of the show (and may delete the tool).
        const TOOLITEM shown = *pTool;
        NMHDR hdr{};
        hdr.hwndFrom = m_hWnd;
        hdr.idFrom = shown.nId;
        hdr.code = TTN_SHOW;
        ::SendMessageW(shown.hWnd, WM_NOTIFY, shown.nId, reinterpret_cast<LPARAM>(&hdr));

        if (GetStyle() & 0x4000)
        {
            const HRGN hRgn = CreateRectRgn(1, 0, size.cx - 1, 1);
            const HRGN hMiddle = CreateRectRgn(0, 1, size.cx, size.cy - 1);
            const HRGN hBottom = CreateRectRgn(1, size.cy - 1, size.cx - 1, size.cy);
            CombineRgn(hRgn, hRgn, hMiddle, RGN_OR);
            CombineRgn(hRgn, hRgn, hBottom, RGN_OR);
            DeleteObject(hMiddle);
            DeleteObject(hBottom);
            if (::SetWindowRgn(m_hWnd, hRgn, FALSE))
                m_bRegionSet = TRUE;
            else
                DeleteObject(hRgn);
        }
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE);
        Invalidate();
        TrackMouse(TRUE);
        m_pressedTool.Clear();
        if (m_nAutoPopTime > 0)
        {
            KillTimer(kAutoPopTimer);
            m_nAutoPopTimer = SetTimer(kAutoPopTimer, static_cast<UINT>(m_nAutoPopTime), nullptr);
        }
        m_shownTool = shown;
    }
    else
    {
        TrackMouse(FALSE);
        m_pendingTool.Clear();
        if (m_nAutoPopTimer)
            KillTimer(kAutoPopTimer);
        m_nAutoPopTimer = 0;
        m_shownTool.Clear();
    }
    m_dwLastChange = GetTickCount();
    OnTipVisibilityChanged(pTool != nullptr);
    m_nIdBeingShown = static_cast<UINT_PTR>(-1);
}

void CLVKToolTipContextToolTip::TrackMouse(BOOL bTrack)
{
    if (bTrack)
    {
        if (g_hMouseHook)
            return;
        g_hMouseHook = SetWindowsHookExW(WH_MOUSE, &TipMouseHookProc, nullptr, GetCurrentThreadId());
        if (g_hMouseHook)
            g_pHookHolder = this;
    }
    else if (g_hMouseHook && g_pHookHolder == this)
    {
        UnhookWindowsHookEx(g_hMouseHook);
        g_hMouseHook = nullptr;
        g_pHookHolder = nullptr;
    }
}

LRESULT CALLBACK CLVKToolTipContextToolTip::TipMouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    const HHOOK hHook = g_hMouseHook;
    CLVKToolTipContextToolTip* pHolder = g_pHookHolder;
    if (nCode == HC_ACTION && pHolder && !pHolder->m_shownTool.IsEmpty())
    {
        const MOUSEHOOKSTRUCT* pInfo = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        if (LVKToolTipWindowFromPoint(pInfo->pt) != pHolder->m_shownTool.hWnd)
        {
            MSG msg{};
            msg.hwnd = pInfo->hwnd;
            msg.message = WM_MOUSEMOVE;
            msg.pt = pInfo->pt;
            pHolder->OnRelayedMouse(&msg);
        }
    }
    return CallNextHookEx(hHook, nCode, wParam, lParam);
}

void CLVKToolTipContextToolTip::OnDestroyTip()
{
    if (m_nPendingTimer)
        KillTimer(kPendingTimer);
    m_nPendingTimer = 0;
    if (m_nAutoPopTimer)
        KillTimer(kAutoPopTimer);
    m_nAutoPopTimer = 0;
    m_shownTool.Clear();
    m_pendingTool.Clear();
    m_pressedTool.Clear();
    m_tools.clear();
    m_strTitle.Empty();
    m_pIcon = nullptr;
    m_bRegionSet = FALSE;
    m_bActive = FALSE;
    TrackMouse(FALSE);
}

LRESULT CLVKToolTipContext::CStandardToolTip::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == TTM_WINDOWFROMPOINT && lParam)
    {
        HWND hWnd = reinterpret_cast<HWND>(CToolTipCtrl::WindowProc(message, wParam, lParam));
        while (hWnd && (::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD) &&
               ::SendMessageW(hWnd, LVK_WM_TOOLTIPTRANSPARENT, 0, 0) == 1)
            hWnd = ::GetParent(hWnd);
        return reinterpret_cast<LRESULT>(hWnd);
    }
    return CToolTipCtrl::WindowProc(message, wParam, lParam);
}

void CLVKToolTipContext::CLunaToolTip::DrawTipBackground(CDC* pDC, TOOLITEM*, const RECT& rc)
{
    COLORREF clrFrom = RGB(255, 212, 151);
    COLORREF clrTo = RGB(255, 242, 200);
    COLORREF clrBorder = RGB(0, 0, 0);
    switch (CLVKColorManager::GetGlobal()->GetWindowsTheme())
    {
    case CLVKColorManager::themeLunaBlue:
    case CLVKColorManager::themeRoyale:
    case CLVKColorManager::themeAero:
        clrBorder = RGB(0, 0, 128);
        break;
    case CLVKColorManager::themeLunaOlive:
        clrBorder = RGB(63, 93, 56);
        break;
    case CLVKColorManager::themeLunaSilver:
        clrBorder = RGB(75, 75, 111);
        break;
    default:
        clrFrom = m_pContext->GetBackColor();
        clrTo = RGB(255, 255, 255);
        break;
    }
    CLVKDrawHelpers::FillGradientRect(pDC, &rc, clrFrom, clrTo, FALSE);
    pDC->Draw3dRect(&rc, clrBorder, clrBorder);
}

void CLVKToolTipContext::COfficeToolTip::DrawTipBackground(CDC* pDC, TOOLITEM*, const RECT& rc)
{
    CLVKResourceImages* pImages = CLVKResourceImages::GetGlobal();
    const COLORREF clrLight = pImages->GetColorValue(L"Window", L"TooltipLight", RGB(255, 255, 255));
    const COLORREF clrDark = pImages->GetColorValue(L"Window", L"TooltipDark", RGB(201, 217, 239));
    CLVKDrawHelpers::FillGradientRect(pDC, &rc, clrLight, clrDark, FALSE);
    CLVKResourceImage* pFrame = pImages->GetImage(L"TOOLTIPFRAME");
    if (pFrame)
    {
        const CSize size = pFrame->GetImageSize();
        pFrame->DrawTransparent(pDC, CRect(rc), CRect(0, 0, size.cx, size.cy), CRect(3, 3, 3, 3), RGB(255, 0, 255));
        return;
    }
    const COLORREF clrBorder = pImages->GetColorValue(L"Window", L"TooltipBorder", RGB(118, 118, 118));
    pDC->Draw3dRect(&rc, clrBorder, clrBorder);
}
