#include "ToolTipContext.h"

#include "ColorManager.h"
#include "DrawHelpers.h"
#include "ImageManager.h"
#include "ResourceManager.h"
#include "SystemVersion.h"
#include "ToolTipContextToolTip.h"
#include "ToolTipHTMLTip.h"
#include "ToolTipOffice2013Tip.h"
#include "ToolTipRichEditTip.h"
#include "WindowHelpers.h"

namespace
{

LPWSTR HeapCopy(LPCWSTR lpsz)
{
    if (!lpsz)
        return nullptr;
    const size_t nBytes = (wcslen(lpsz) + 1) * sizeof(WCHAR);
    auto* p = static_cast<LPWSTR>(HeapAlloc(GetProcessHeap(), 0, nBytes));
    if (p)
        memcpy(p, lpsz, nBytes);
    return p;
}

void HeapFreeText(LPWSTR& lpsz)
{
    if (lpsz)
        HeapFree(GetProcessHeap(), 0, lpsz);
    lpsz = nullptr;
}

bool IsRealText(LPCWSTR lpsz)
{
    return lpsz && lpsz != LPSTR_TEXTCALLBACKW && !IS_INTRESOURCE(lpsz);
}

// The parent a tip belongs to: the first window up the chain that is not a child.
HWND TipParentOf(HWND hWnd)
{
    while (hWnd && (GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = GetParent(hWnd);
    return hWnd;
}

LOGFONTW StatusFont()
{
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    return ncm.lfStatusFont;
}

}  // namespace

void AFX_CDECL LVKStripTrailingEllipsis(LPWSTR lpszText)
{
    if (!lpszText)
        return;
    const size_t nLength = wcslen(lpszText);
    if (nLength > 3 && wcscmp(lpszText + nLength - 3, L"...") == 0)
        lpszText[nLength - 3] = L'\0';
}

HWND AFX_CDECL LVKToolTipWindowFromPoint(POINT pt)
{
    HWND hWnd = WindowFromPoint(pt);
    while (hWnd && (GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD) &&
           SendMessageW(hWnd, LVK_WM_TOOLTIPTRANSPARENT, 0, 0) == 1)
        hWnd = GetParent(hWnd);
    return hWnd;
}

CLVKToolTipContext::CLVKToolTipContext()
{
    m_dwComCtlVersion = CLVKSystemVersion::GetComCtlVersion();
    m_nMaxTipWidth = GetSystemMetrics(SM_CXSCREEN) / 2;
    LOGFONTW lf = StatusFont();
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = CLVKResourceManager::GetGlobal()->GetFontCharset();
    m_font.CreateIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_boldFont.CreateIndirect(&lf);
}

CLVKToolTipContext::~CLVKToolTipContext()
{
    DestroyTip();
}

void CLVKToolTipContext::DestroyTip()
{
    if (m_pTip && m_pTip->GetSafeHwnd())
        m_pTip->DestroyWindow();
    m_pTip.reset();
    m_hTipParent = nullptr;
}

void AFX_CDECL CLVKToolTipContext::InitToolInfo(TOOLINFOW* pTI, HWND hWnd, UINT_PTR nId, const RECT& rc,
                                                LPCWSTR lpszText)
{
    if (!pTI || pTI->cbSize < TTTOOLINFOW_V1_SIZE)
        return;
    pTI->hwnd = hWnd;
    pTI->uId = nId;
    pTI->rect = rc;
    pTI->lpszText = HeapCopy(lpszText ? lpszText : L"");
}

void AFX_CDECL CLVKToolTipContext::InitToolInfoEx(TOOLINFOW* pTI, HWND hWnd, UINT_PTR nId, const RECT& rc,
                                                  LPCWSTR lpszText, LPCWSTR lpszTitle, LPCWSTR lpszDescription,
                                                  CLVKImageManager* pImageManager)
{
    InitToolInfo(pTI, hWnd, nId, rc, lpszText);
    if (!pTI || pTI->cbSize != kLVKToolInfoExtraSize || !pTI->lParam)
        return;
    auto* pExtra = reinterpret_cast<LVKToolInfoExtra*>(pTI->lParam);
    if (lpszTitle && *lpszTitle && lpszDescription && *lpszDescription)
    {
        HeapFreeText(pExtra->lpszDescription);
        HeapFreeText(pExtra->lpszTitle);
        pExtra->lpszDescription = HeapCopy(lpszDescription);
        pExtra->lpszTitle = HeapCopy(lpszTitle);
    }
    pExtra->pImageManager = pImageManager;
}

void CLVKToolTipContext::SetDelayTime(DWORD dwDuration, int nTime)
{
    switch (dwDuration)
    {
    case TTDT_INITIAL:
        m_nInitialDelay = nTime;
        break;
    case TTDT_RESHOW:
        m_nReshowDelay = nTime;
        break;
    case TTDT_AUTOPOP:
        m_nAutoPopTime = nTime;
        break;
    default:
        break;
    }
}

void CLVKToolTipContext::SetStyle(int nStyle)
{
    if (nStyle == m_nStyle || (nStyle == lvkTipBalloon && !IsBalloonSupported()))
        return;
    DestroyTip();
    m_nStyle = nStyle;
    DWORD dwAdd = 0;
    DWORD dwRemove = 0xF000;
    if (nStyle == lvkTipToolkit)
        dwAdd |= 0x3000;
    if (nStyle == lvkTipOffice)
        dwAdd |= 0x4000;
    if (nStyle == lvkTipOffice2013)
        dwAdd |= 0x8000;
    ModifyStyleBits(dwRemove & ~dwAdd, dwAdd);
}

void CLVKToolTipContext::ModifyStyleBits(DWORD dwRemove, DWORD dwAdd)
{
    const DWORD dwNew = (m_dwStyleBits & ~dwRemove) | dwAdd;
    if (dwNew == m_dwStyleBits)
        return;
    m_dwStyleBits = dwNew;
    DestroyTip();
}

namespace
{
// One maker for the process: the markup engine is linked into the program or
// it is not, whichever context asks.
CLVKToolTipContext::MarkupTipMaker g_pMarkupTipMaker = nullptr;
}

void AFX_CDECL CLVKToolTipContext::SetMarkupTipMaker(MarkupTipMaker pMaker)
{
    g_pMarkupTipMaker = pMaker;
}

CLVKToolTipContext::MarkupTipMaker AFX_CDECL CLVKToolTipContext::GetMarkupTipMaker()
{
    return g_pMarkupTipMaker;
}

CWnd* CLVKToolTipContext::MakeTipWindow(CWnd* pParent)
{
    std::unique_ptr<CLVKToolTipContextToolTip> pToolkitTip;
    switch (m_nStyle)
    {
    case lvkTipToolkit:
        pToolkitTip = std::make_unique<CLVKToolTipContextToolTip>(this);
        break;
    case lvkTipHTML:
        pToolkitTip = std::make_unique<CHTMLToolTip>(this);
        break;
    case lvkTipRichEdit:
        pToolkitTip = std::make_unique<CRichEditToolTip>(this);
        break;
    case lvkTipMarkup:
        if (const MarkupTipMaker pMaker = GetMarkupTipMaker())
            pToolkitTip = pMaker(this);
        if (!pToolkitTip)
            pToolkitTip = std::make_unique<COfficeToolTip>(this);
        break;
    case lvkTipOffice2013:
        pToolkitTip = std::make_unique<COffice2013ToolTip>(this);
        break;
    case lvkTipLuna:
        pToolkitTip = std::make_unique<CLunaToolTip>(this);
        break;
    case lvkTipOffice:
        pToolkitTip = std::make_unique<COfficeToolTip>(this);
        break;
    default:
    {
        auto pStandard = std::make_unique<CStandardToolTip>();
        DWORD dwStyle = m_dwStyleBits | TTS_ALWAYSTIP | TTS_NOPREFIX;
        if (m_nStyle == lvkTipBalloon)
            dwStyle |= TTS_BALLOON;
        if (!pStandard->Create(pParent, dwStyle & 0xFFFF))
            return nullptr;
        return pStandard.release();
    }
    }
    if (!pToolkitTip->CreateTipWindow(pParent, m_dwStyleBits | TTS_ALWAYSTIP | TTS_NOPREFIX))
        return nullptr;
    return pToolkitTip.release();
}

INT_PTR CLVKToolTipContext::HitTestTool(CWnd* pWnd, CPoint point, TOOLINFOW* pTI)
{
    return pWnd ? pWnd->OnToolHitTest(point, pTI) : -1;
}

void CLVKToolTipContext::ConfigureTip(HWND hTip)
{
    SendMessageW(hTip, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetHandle()), TRUE);
    SendMessageW(hTip, TTM_SETMAXTIPWIDTH, 0, GetMaxTipWidth());
    SendMessageW(hTip, TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&m_rcMargin));
    if (m_clrBack != static_cast<COLORREF>(-1))
        SendMessageW(hTip, TTM_SETTIPBKCOLOR, m_clrBack, 0);
    if (m_clrText != static_cast<COLORREF>(-1))
        SendMessageW(hTip, TTM_SETTIPTEXTCOLOR, m_clrText, 0);
    if (m_nReshowDelay != -1)
        SendMessageW(hTip, TTM_SETDELAYTIME, TTDT_RESHOW, LOWORD(m_nReshowDelay));
    if (m_nInitialDelay != -1)
        SendMessageW(hTip, TTM_SETDELAYTIME, TTDT_INITIAL, LOWORD(m_nInitialDelay));
    if (m_nAutoPopTime != -1)
        SendMessageW(hTip, TTM_SETDELAYTIME, TTDT_AUTOPOP, LOWORD(m_nAutoPopTime));
    SendMessageW(hTip, TTM_ACTIVATE, FALSE, 0);
}

void CLVKToolTipContext::RelayMouseMessage(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    MSG msg{};
    msg.hwnd = hWnd;
    msg.message = nMessage;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = GetMessageTime();
    GetCursorPos(&msg.pt);
    RelayMessageToTip(hWnd, msg);
}

void CLVKToolTipContext::HideTip()
{
    if (m_pTip && m_pTip->GetSafeHwnd())
        SendMessageW(m_pTip->GetSafeHwnd(), TTM_ACTIVATE, FALSE, 0);
}

namespace
{

// The messages after which the tip looks again for the tool under the
// cursor: moves, button releases and the cursor leaving the window.
bool IsTipTrackingMessage(UINT nMessage)
{
    return nMessage == WM_NCMOUSEMOVE || nMessage == WM_MOUSEMOVE || nMessage == WM_LBUTTONUP ||
           nMessage == WM_RBUTTONUP || nMessage == WM_MBUTTONUP || nMessage == WM_MOUSELEAVE;
}

// Keys and button presses: the user is doing something, and a tip would only
// stand in the way.
bool IsTipHidingMessage(UINT nMessage)
{
    return (nMessage >= WM_KEYDOWN && nMessage <= WM_UNICHAR) || nMessage == WM_NCLBUTTONDOWN ||
           nMessage == WM_NCLBUTTONDBLCLK || nMessage == WM_NCRBUTTONDOWN || nMessage == WM_NCRBUTTONDBLCLK ||
           nMessage == WM_NCMBUTTONDOWN || nMessage == WM_NCMBUTTONDBLCLK || nMessage == WM_LBUTTONDOWN ||
           nMessage == WM_LBUTTONDBLCLK || nMessage == WM_RBUTTONDOWN || nMessage == WM_RBUTTONDBLCLK ||
           nMessage == WM_MBUTTONDOWN || nMessage == WM_MBUTTONDBLCLK;
}

bool IsAnyMouseButtonDown()
{
    return (GetKeyState(VK_LBUTTON) & 0x8000) || (GetKeyState(VK_RBUTTON) & 0x8000) ||
           (GetKeyState(VK_MBUTTON) & 0x8000);
}

// The framework's own tool flags, which mean nothing to the tip control.
const UINT kFrameworkToolFlags = kLVKTtfAlwaysTip | 0x80000000u;

// The hit test hands over heap copies of the texts; the caller frees them.
void FreeHitTestTexts(TTTOOLINFOW& ti, LVKToolInfoExtra& extra)
{
    if (IsRealText(ti.lpszText) && !ti.hinst)
        HeapFree(GetProcessHeap(), 0, ti.lpszText);
    ti.lpszText = nullptr;
    HeapFreeText(extra.lpszDescription);
    HeapFreeText(extra.lpszTitle);
}

}  // namespace

void CLVKToolTipContext::RelayMessageToTip(HWND hWnd, const MSG& msg)
{
    if (!IsTipTrackingMessage(msg.message))
    {
        if (IsTipHidingMessage(msg.message))
            HideTip();
        return;
    }
    // While a button is held the user drags or presses; no tip follows.
    if (IsAnyMouseButtonDown() || !IsWindow(hWnd))
        return;

    // A tip shown over an application that lost the activation goes, unless
    // its tool asked to be shown in inactive windows too.
    const BOOL bTopLevelActive = LVKIsTopLevelActive(hWnd);
    if (m_pTip && m_pTip->GetSafeHwnd() && ::IsWindowVisible(m_pTip->GetSafeHwnd()) && !bTopLevelActive &&
        !(m_lastTool.uFlags & kLVKTtfAlwaysTip))
    {
        SendMessageW(m_pTip->GetSafeHwnd(), TTM_ACTIVATE, FALSE, 0);
        return;
    }

    const HWND hTip = EnsureTipFor(TipParentOf(hWnd));
    if (!hTip)
        return;

    LVKToolInfoExtra extra{};
    TTTOOLINFOW ti{};
    const INT_PTR nHit = HitTestToolAt(hWnd, msg.pt, ti, extra);

    const bool bLastValid = m_lastTool.cbSize >= TTTOOLINFOW_V1_SIZE;
    const bool bSameTool = bLastValid && m_lastTool.hwnd == ti.hwnd && m_lastTool.uId == ti.uId;
    if (bSameTool && EqualRect(&m_lastTool.rect, &ti.rect))
    {
        // The tip already holds this tool: it only needs the message for its
        // own timers.
        if (nHit != -1)
            RelayEventToTip(hTip, msg);
        FreeHitTestTexts(ti, extra);
        return;
    }

    // The same tool at another place: its old entry goes first, so that the
    // tip does not keep two entries with one id.
    if (bSameTool)
    {
        SendMessageW(hTip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&m_lastTool));
        m_lastTool = TTTOOLINFOW{};
    }
    if (nHit == -1)
        SendMessageW(hTip, TTM_ACTIVATE, FALSE, 0);
    else
        LoadToolIntoTip(hTip, ti, extra, bTopLevelActive);

    // The tip sees the message with its new tool; then the tool it held
    // before goes and the new one is remembered.
    RelayEventToTip(hTip, msg);
    if (!bSameTool && bLastValid)
        SendMessageW(hTip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&m_lastTool));
    RememberTool(ti, nHit);
    FreeHitTestTexts(ti, extra);
}

HWND CLVKToolTipContext::EnsureTipFor(HWND hParent)
{
    // A tip belongs to one top-level window: for a tool of another one the
    // old tip goes and a new one is made there.
    if (m_pTip)
    {
        if (m_pTip->GetSafeHwnd() && m_hTipParent != hParent)
        {
            m_pTip->DestroyWindow();
            m_lastTool = TTTOOLINFOW{};
        }
        if (!m_pTip->GetSafeHwnd())
            m_pTip.reset();
    }
    if (!m_pTip)
    {
        m_pTip.reset(MakeTipWindow(CWnd::FromHandle(hParent)));
        if (!m_pTip)
            return nullptr;
        m_hTipParent = hParent;
        m_lastTool = TTTOOLINFOW{};
        ConfigureTip(m_pTip->GetSafeHwnd());
    }
    return m_pTip->GetSafeHwnd();
}

INT_PTR CLVKToolTipContext::HitTestToolAt(HWND hWnd, POINT ptScreen, TTTOOLINFOW& ti, LVKToolInfoExtra& extra)
{
    POINT ptClient = ptScreen;
    ScreenToClient(hWnd, &ptClient);
    // The longer record carries the extra texts and image; a window answers
    // the short one when nobody shows them.
    const bool bExtended = m_bShowTitleAndDescription || m_bShowImage;
    ti.cbSize = bExtended ? kLVKToolInfoExtraSize : TTTOOLINFOW_V1_SIZE;
    if (bExtended)
        ti.lParam = reinterpret_cast<LPARAM>(&extra);
    const INT_PTR nHit = HitTestTool(CWnd::FromHandle(hWnd), CPoint(ptClient), &ti);

    // A description that only repeats the title is not shown twice.
    if (m_bShowTitleAndDescription && extra.lpszDescription && extra.lpszTitle &&
        wcscmp(extra.lpszDescription, extra.lpszTitle) == 0)
        HeapFreeText(extra.lpszDescription);
    // Texts written for menus and buttons: their "&" marks and trailing "..."
    // belong there, not in a tip.
    LPWSTR lpszText = IsRealText(ti.lpszText) && !ti.hinst ? ti.lpszText : nullptr;
    if (!(m_dwStyleBits & TTS_NOPREFIX))
    {
        LVKStripMnemonicsInBuffer(lpszText);
        LVKStripMnemonicsInBuffer(extra.lpszDescription);
    }
    if (m_bStripEllipsis)
    {
        LVKStripTrailingEllipsis(lpszText);
        LVKStripTrailingEllipsis(extra.lpszDescription);
    }
    return nHit;
}

void CLVKToolTipContext::LoadToolIntoTip(HWND hTip, const TTTOOLINFOW& ti, const LVKToolInfoExtra& extra,
                                         BOOL bTopLevelActive)
{
    TTTOOLINFOW add = ti;
    add.uFlags &= ~kFrameworkToolFlags;
    SendMessageW(hTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&add));
    // Title and description go through the tip control's title only where
    // it has one: the rich-edit, HTML and markup tips draw the text
    // themselves, and the standard tip of old common controls has no title.
    if (m_nStyle != lvkTipRichEdit && m_nStyle != lvkTipHTML && m_nStyle != lvkTipMarkup &&
        (m_dwComCtlVersion > kLVKComCtlVersionBeforeBalloons || m_nStyle != lvkTipStandard))
    {
        if (extra.lpszDescription && extra.lpszTitle)
        {
            SendMessageW(hTip, TTM_SETTITLEW, m_nTitleIcon, reinterpret_cast<LPARAM>(extra.lpszTitle));
            TTTOOLINFOW update = add;
            update.lpszText = extra.lpszDescription;
            SendMessageW(hTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&update));
        }
        else
            SendMessageW(hTip, TTM_SETTITLEW, 0, 0);
    }
    if (m_bShowImage)
    {
        CLVKImageManagerIcon* pIcon =
            extra.pImageManager
                ? extra.pImageManager->FindIcon(static_cast<UINT>(ti.uId + m_nImageIdOffset), m_nImageWidth)
                : nullptr;
        SendMessageW(hTip, LVK_TTM_SETTOOLIMAGE, 0, reinterpret_cast<LPARAM>(pIcon));
    }
    if ((ti.uFlags & kLVKTtfAlwaysTip) || bTopLevelActive)
    {
        SendMessageW(hTip, TTM_ACTIVATE, TRUE, 0);
        // Shown without taking the activation or moving in the z-order.
        SetWindowPos(hTip, nullptr, 0, 0, 0, 0,
                     SWP_NOOWNERZORDER | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    }
}

void CLVKToolTipContext::RememberTool(const TTTOOLINFOW& ti, INT_PTR nHit)
{
    m_lastTool = TTTOOLINFOW{};
    if (nHit == -1)
        return;
    m_lastTool.cbSize = TTTOOLINFOW_V1_SIZE;
    m_lastTool.uFlags = ti.uFlags;
    m_lastTool.hwnd = ti.hwnd;
    m_lastTool.uId = ti.uId;
    m_lastTool.rect = ti.rect;
    m_lastTool.hinst = ti.hinst;
    // The hit test's copy of the text is freed after the relay: only
    // callbacks and resource ids stay meaningful in the remembered record.
    m_lastTool.lpszText = IsRealText(ti.lpszText) ? nullptr : ti.lpszText;
}

void CLVKToolTipContext::RelayEventToTip(HWND hTip, const MSG& msg)
{
    const HWND hWndAt =
        reinterpret_cast<HWND>(SendMessageW(hTip, TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&msg.pt)));
    POINT pt = msg.pt;
    if (msg.message >= 0x200 && msg.message <= 0x20E && hWndAt)
        ScreenToClient(hWndAt, &pt);
    MSG relay{};
    relay.hwnd = hWndAt;
    relay.message = msg.message;
    relay.wParam = msg.wParam;
    relay.lParam = MAKELPARAM(pt.x, pt.y);
    relay.time = msg.time;
    relay.pt = msg.pt;
    SendMessageW(hTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relay));
}

void CLVKToolTipContext::DrawBackground(CDC* pDC, const RECT& rc)
{
    pDC->FillSolidRect(&rc, GetBackColor());
    const COLORREF clrTopLeft = (m_dwStyleBits & 0x1000) ? GetSysColor(COLOR_BTNFACE) : RGB(0, 0, 0);
    pDC->Draw3dRect(&rc, clrTopLeft, RGB(0, 0, 0));
    pDC->SetTextColor(GetTextColor());
}

COLORREF CLVKToolTipContext::GetBackColor() const
{
    return m_clrBack != static_cast<COLORREF>(-1) ? m_clrBack : GetToolkitColor(COLOR_INFOBK);
}

COLORREF CLVKToolTipContext::GetTextColor() const
{
    if (m_clrText != static_cast<COLORREF>(-1))
        return m_clrText;
    if (m_dwStyleBits & 0x4000)
        return RGB(76, 76, 76);
    return GetSysColor(COLOR_INFOTEXT);
}

int CLVKToolTipContext::GetMaxTipWidth() const
{
    return m_nMaxTipWidth == -1 ? GetSystemMetrics(SM_CXSCREEN) : m_nMaxTipWidth;
}
