#include "TaskDialogLinkCtrl.h"

#include "Foundation/BufferDC.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/GdiObjectDC.h"

#include <algorithm>

namespace
{

int FindFrom(const std::wstring& text, const wchar_t* psz, size_t nFrom)
{
    const size_t n = text.find(psz, nFrom);
    return n == std::wstring::npos ? -1 : static_cast<int>(n);
}

bool IsBreak(wchar_t ch)
{
    return ch == L' ' || ch == L'\t' || ch == L'\n';
}

}  // namespace

CLVKTaskDialogLinkCtrl::~CLVKTaskDialogLinkCtrl()
{
    if (GetSafeHwnd())
        DestroyWindow();
    if (m_hLinkFont)
        ::DeleteObject(m_hLinkFont);
}

BOOL CLVKTaskDialogLinkCtrl::Create(const RECT& rect, CString& strText, HFONT hFont, CWnd* pParentWnd)
{
    RemoveAllLinks();
    if (strText.IsEmpty() || !hFont || !pParentWnd || !::IsWindow(pParentWnd->GetSafeHwnd()))
        return FALSE;
    m_strText = strText;
    if (!ParseLinks(m_strText))
        return FALSE;
    if (!CreateEx(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, pParentWnd, 0))
        return FALSE;
    LOGFONTW lf{};
    ::GetObjectW(hFont, sizeof(lf), &lf);
    lf.lfUnderline = 1;
    if (m_hLinkFont)
        ::DeleteObject(m_hLinkFont);
    m_hLinkFont = ::CreateFontIndirectW(&lf);
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont), TRUE);
    DefWindowProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(m_strText.GetString()));
    strText = m_strText;
    return TRUE;
}

BOOL AFX_CDECL CLVKTaskDialogLinkCtrl::FindNextLink(const CString& strText, int nFrom, int& nStart, int& nLength)
{
    std::wstring text(strText.GetString());
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t ch) { return towlower(ch); });
    for (int b = FindFrom(text, L"<a href=\"", std::max(nFrom, 0)); b >= 0;
         b = FindFrom(text, L"<a href=\"", static_cast<size_t>(b) + 1))
    {
        const int nOpenQuote = b + 8;
        const int nCloseQuote = FindFrom(text, L"\"", static_cast<size_t>(nOpenQuote) + 1);
        if (nCloseQuote < 0)
            continue;
        const int nTagEnd = FindFrom(text, L">", static_cast<size_t>(nCloseQuote) + 1);
        if (nTagEnd < 0)
            continue;
        const int nEnd = FindFrom(text, L"</a>", static_cast<size_t>(nTagEnd) + 1);
        if (nEnd < 0)
            continue;
        nStart = b;
        nLength = nEnd + 4 - b;
        return TRUE;
    }
    return FALSE;
}

BOOL CLVKTaskDialogLinkCtrl::ParseLinks(CString& strText)
{
    int nFrom = 0;
    int nStart = 0;
    int nLength = 0;
    while (FindNextLink(strText, nFrom, nStart, nLength))
    {
        const std::wstring anchor(strText.Mid(nStart, nLength).GetString());
        const size_t nQuote1 = anchor.find(L'"');
        const size_t nQuote2 = anchor.find(L'"', nQuote1 + 1);
        const size_t nTagEnd = anchor.find(L'>', nQuote2 + 1);
        std::wstring linkText = anchor.substr(nTagEnd + 1);
        linkText = linkText.substr(0, linkText.find(L'<'));

        auto pLink = std::make_unique<LINKITEM>();
        pLink->nStart = nStart;
        pLink->strText = linkText.c_str();
        pLink->strTarget = anchor.substr(nQuote1 + 1, nQuote2 - nQuote1 - 1).c_str();
        pLink->nIndex = static_cast<int>(m_arrLinks.size());
        m_arrLinks.push_back(std::move(pLink));

        strText = strText.Left(nStart) + CString(linkText.c_str()) + strText.Mid(nStart + nLength);
        nFrom = nStart + static_cast<int>(linkText.size());
    }
    return !m_arrLinks.empty();
}

const CLVKTaskDialogLinkCtrl::LINKITEM* CLVKTaskDialogLinkCtrl::GetFocusedLink() const
{
    return GetLink(m_nFocusedLink);
}

const CLVKTaskDialogLinkCtrl::LINKITEM* CLVKTaskDialogLinkCtrl::GetLink(int nIndex) const
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_arrLinks.size()))
        return nullptr;
    return m_arrLinks[nIndex].get();
}

void CLVKTaskDialogLinkCtrl::SetFocusedLink(int nIndex)
{
    if (nIndex == m_nFocusedLink)
        return;
    m_nFocusedLink = nIndex;
    if (GetSafeHwnd())
        ::InvalidateRect(GetSafeHwnd(), nullptr, FALSE);
}

const CLVKTaskDialogLinkCtrl::LINKITEM* CLVKTaskDialogLinkCtrl::HitTestLink(int x, int y) const
{
    const POINT pt{x, y};
    for (const auto& pLink : m_arrLinks)
    {
        for (const RECT& rc : pLink->arrRects)
        {
            if (::PtInRect(&rc, pt))
                return pLink.get();
        }
    }
    return nullptr;
}

void CLVKTaskDialogLinkCtrl::RemoveAllLinks()
{
    m_arrLinks.clear();
    m_nFocusedLink = -1;
}

void CLVKTaskDialogLinkCtrl::SendClick()
{
    HWND hTarget = ::GetWindow(GetSafeHwnd(), GW_OWNER);
    if (!hTarget)
        hTarget = ::GetParent(GetSafeHwnd());
    ::SendMessageW(hTarget, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(GetSafeHwnd()), 0),
                   reinterpret_cast<LPARAM>(GetSafeHwnd()));
}

LRESULT CLVKTaskDialogLinkCtrl::OnGetDlgCode(MSG* pMsg)
{
    if (!pMsg)
        return DLGC_UNDEFPUSHBUTTON;
    if (pMsg->message == WM_CHAR)
    {
        if (pMsg->wParam == VK_TAB)
            return DLGC_WANTTAB;
        if (pMsg->wParam == VK_RETURN)
            return DLGC_WANTCHARS;
        return DLGC_UNDEFPUSHBUTTON;
    }
    if (pMsg->message == WM_KEYDOWN)
    {
        if ((pMsg->wParam == VK_RETURN || pMsg->wParam == VK_SPACE) && GetFocusedLink())
            return DLGC_WANTALLKEYS;
        if (pMsg->wParam == VK_TAB)
        {
            const bool bShift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
            if (bShift && m_nFocusedLink > 0)
            {
                SetFocusedLink(m_nFocusedLink - 1);
                return DLGC_WANTTAB;
            }
            if (!bShift && m_nFocusedLink < GetLinkCount() - 1)
            {
                SetFocusedLink(m_nFocusedLink < 0 ? 0 : m_nFocusedLink + 1);
                return DLGC_WANTTAB;
            }
        }
    }
    return DLGC_UNDEFPUSHBUTTON;
}

LRESULT CLVKTaskDialogLinkCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && m_hHandCursor)
        {
            ::SetCursor(m_hHandCursor);
            return TRUE;
        }
        break;
    case WM_NCHITTEST:
    {
        POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ::ScreenToClient(GetSafeHwnd(), &pt);
        // Clicks beside the links belong to the dialog.
        return HitTestLink(pt.x, pt.y) ? HTCLIENT : HTTRANSPARENT;
    }
    case WM_LBUTTONDOWN:
    {
        const LINKITEM* pLink = HitTestLink(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        SetFocusedLink(pLink ? pLink->nIndex : -1);
        if (pLink)
            ::SetFocus(GetSafeHwnd());
        return 0;
    }
    case WM_LBUTTONUP:
    {
        const LINKITEM* pLink = HitTestLink(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        if (pLink && pLink == GetFocusedLink())
            SendClick();
        return 0;
    }
    case WM_KEYDOWN:
        if ((wParam == VK_RETURN || wParam == VK_SPACE) && GetFocusedLink())
        {
            SendClick();
            return 0;
        }
        break;
    case WM_GETDLGCODE:
        return OnGetDlgCode(reinterpret_cast<MSG*>(lParam));
    case WM_SETFOCUS:
        if (!GetFocusedLink() && GetLinkCount() > 0)
            SetFocusedLink(0);
        break;
    case WM_KILLFOCUS:
        SetFocusedLink(-1);
        break;
    case WM_SETTEXT:
    {
        RemoveAllLinks();
        m_strText = lParam ? reinterpret_cast<LPCWSTR>(lParam) : L"";
        ParseLinks(m_strText);
        DefWindowProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(m_strText.GetString()));
        ::InvalidateRect(GetSafeHwnd(), nullptr, FALSE);
        return m_strText.GetLength();
    }
    case WM_UPDATEUISTATE:
    {
        const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
        ::InvalidateRect(GetSafeHwnd(), nullptr, FALSE);
        return result;
    }
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CLVKTaskDialogLinkCtrl::OnPaint()
{
    PAINTSTRUCT ps{};
    const HDC hPaintDC = ::BeginPaint(GetSafeHwnd(), &ps);
    RECT rc{};
    ::GetClientRect(GetSafeHwnd(), &rc);
    {
        // At least one pixel each way, so that an empty window still gets a bitmap.
        CLVKBufferDC buffer(hPaintDC, RECT{0, 0, std::max<int>(rc.right, 1), std::max<int>(rc.bottom, 1)});
        const HDC hDC = buffer.GetSafeHdc();
        HBRUSH hBrush = nullptr;
        bool bOwnBrush = false;
        if (m_clrBack == static_cast<COLORREF>(-1))
        {
            hBrush = reinterpret_cast<HBRUSH>(::SendMessageW(::GetParent(GetSafeHwnd()), WM_CTLCOLORSTATIC,
                                                             reinterpret_cast<WPARAM>(hDC),
                                                             reinterpret_cast<LPARAM>(GetSafeHwnd())));
            if (!hBrush)
                hBrush = ::GetSysColorBrush(COLOR_3DFACE);
        }
        else
        {
            hBrush = ::CreateSolidBrush(m_clrBack);
            bOwnBrush = true;
        }
        ::FillRect(hDC, &rc, hBrush);
        if (bOwnBrush)
            ::DeleteObject(hBrush);
        ::SetBkMode(hDC, TRANSPARENT);
        DrawLinkText(hDC, rc);
    }
    ::EndPaint(GetSafeHwnd(), &ps);
}

void CLVKTaskDialogLinkCtrl::DrawLinkText(HDC hDC, const RECT& rc)
{
    const HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    if (m_arrLinks.empty())
    {
        const CLVKGdiObjectDC font(hDC, hFont);
        ::SetTextColor(hDC, m_clrText);
        RECT rcText = rc;
        ::DrawTextW(hDC, m_strText, m_strText.GetLength(), &rcText, DT_WORDBREAK | DT_NOPREFIX);
        return;
    }
    POINT pen{0, 0};
    const int nLineWidth = rc.right - rc.left;
    int nEnd = 0;
    for (auto& pLink : m_arrLinks)
    {
        DrawTextRun(hDC, pen, nLineWidth, m_strText.Mid(nEnd, pLink->nStart - nEnd), nullptr);
        pLink->arrRects.clear();
        DrawTextRun(hDC, pen, nLineWidth, m_strText.Mid(pLink->nStart, pLink->strText.GetLength()), pLink.get());
        nEnd = pLink->nStart + pLink->strText.GetLength();
    }
    DrawTextRun(hDC, pen, nLineWidth, m_strText.Mid(nEnd), nullptr);
}

void CLVKTaskDialogLinkCtrl::DrawTextRun(HDC hDC, POINT& pen, int nLineWidth, const CString& strRun, LINKITEM* pLink)
{
    const HFONT hFont = pLink && m_hLinkFont ? m_hLinkFont : reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    const CLVKGdiObjectDC font(hDC, hFont);
    ::SetTextColor(hDC, pLink ? m_clrLink : m_clrText);
    SIZE xxx{};
    ::GetTextExtentPoint32W(hDC, L"XXX", 3, &xxx);
    const int nLineHeight = xxx.cy;

    // Words with their following break character, laid out one after the
    // other; a word that does not fit after the pen starts the next line.
    const std::wstring run(strRun.GetString());
    size_t i = 0;
    while (i < run.size())
    {
        size_t j = i;
        while (j < run.size() && !IsBreak(run[j]))
            ++j;
        std::wstring word = run.substr(i, j - i);
        const wchar_t chBreak = j < run.size() ? run[j] : 0;
        SIZE extent{};
        ::GetTextExtentPoint32W(hDC, word.c_str(), static_cast<int>(word.size()), &extent);
        if (pen.x > 0 && pen.x + extent.cx > nLineWidth && !word.empty())
        {
            pen.x = 0;
            pen.y += nLineHeight;
        }
        pen.x += DrawTextPiece(hDC, CString(word.c_str()), pen.x, pen.y, pLink);
        if (chBreak == L'\n')
        {
            pen.x = 0;
            pen.y += nLineHeight;
        }
        else if (chBreak)
        {
            // A space at the start of a line is dropped.
            if (pen.x > 0)
                pen.x += DrawTextPiece(hDC, CString(chBreak == L'\t' ? L"    " : L" "), pen.x, pen.y, pLink);
        }
        i = chBreak ? j + 1 : j;
    }
}

int CLVKTaskDialogLinkCtrl::DrawTextPiece(HDC hDC, const CString& strPiece, int x, int y, LINKITEM* pLink)
{
    if (strPiece.IsEmpty())
        return 0;
    SIZE extent{};
    ::GetTextExtentPoint32W(hDC, strPiece, strPiece.GetLength(), &extent);
    RECT rc{x, y, x + extent.cx + CLVKDpiScaling::GetGlobal()->ScaleX(10), y + extent.cy};
    ::DrawTextW(hDC, strPiece, strPiece.GetLength(), &rc, DT_SINGLELINE | DT_NOPREFIX);
    if (pLink)
    {
        const RECT rcLink{x, y, x + extent.cx, y + extent.cy};
        pLink->arrRects.push_back(rcLink);
        if (pLink->nIndex == m_nFocusedLink)
        {
            const COLORREF clrOld = ::SetTextColor(hDC, m_clrText);
            ::DrawFocusRect(hDC, &rcLink);
            ::SetTextColor(hDC, clrOld);
        }
    }
    return extent.cx;
}
