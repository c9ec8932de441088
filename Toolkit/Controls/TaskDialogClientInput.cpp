// Painting of the emulated task dialog and its answers to clicks and keys.
#include "TaskDialogClient.h"

#include "Foundation/BufferDC.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/GdiObjectDC.h"
#include "Markup/MarkupHelpers.h"
#include "Markup/MarkupHyperlink.h"
#include "Markup/MarkupRoutedEventArgs.h"
#include "Markup/MarkupString.h"

#include <algorithm>

namespace
{

bool IsEmptyRect(const RECT& rc)
{
    return rc.right <= rc.left || rc.bottom <= rc.top;
}

}  // namespace

BOOL CLVKTaskDialogClient::CanCancel() const
{
    return ::GetDlgItem(GetSafeHwnd(), IDCANCEL) || (m_pConfig->dwFlags & TDF_ALLOW_DIALOG_CANCELLATION);
}

void CLVKTaskDialogClient::FillLine(HDC hDC, int nLeft, int nRight, int y, COLORREF clr)
{
    const RECT rc{nLeft, y, nRight, y + CLVKDpiScaling::GetGlobal()->ScaleY(1)};
    const COLORREF clrOld = ::SetBkColor(hDC, clr);
    ::ExtTextOutW(hDC, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    ::SetBkColor(hDC, clrOld);
}

void CLVKTaskDialogClient::DrawBackground(HDC hDC, const RECT& rc)
{
    const int nLine = CLVKDpiScaling::GetGlobal()->ScaleY(1);
    auto fill = [hDC](const RECT& r, COLORREF clr)
    {
        const COLORREF clrOld = ::SetBkColor(hDC, clr);
        ::ExtTextOutW(hDC, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
        ::SetBkColor(hDC, clrOld);
    };
    fill(rc, m_colors[colorLowerBack]);
    const RECT& rcButtons = m_rects[rectButtonArea];
    const RECT& rcExpanded = m_rects[rectExpanded];
    const bool bExpandedInFooter = m_bExpanded && !m_expandedInformation.IsEmpty() &&
                                   (m_pConfig->dwFlags & TDF_EXPAND_FOOTER_AREA) && !IsEmptyRect(rcExpanded);
    const bool bFooter = !IsEmptyRect(m_rects[rectFooter]);
    if (m_bThemed)
    {
        fill(RECT{rc.left, rc.top, rc.right, rcButtons.top}, m_colors[colorMainBack]);
        if (!IsEmptyRect(rcButtons))
            FillLine(hDC, rc.left, rc.right, rcButtons.top, m_colors[colorSeparator]);
        if (bFooter)
        {
            FillLine(hDC, rc.left, rc.right, rcButtons.bottom, m_colors[colorSeparator]);
            FillLine(hDC, rc.left, rc.right, rcButtons.bottom + nLine, m_colors[colorHighlight]);
        }
        if (bExpandedInFooter)
        {
            FillLine(hDC, rc.left, rc.right, rcExpanded.top - m_nMarginY, m_colors[colorSeparator]);
            FillLine(hDC, rc.left, rc.right, rcExpanded.top - m_nMarginY + nLine, m_colors[colorHighlight]);
        }
        return;
    }
    if (bFooter)
        FillLine(hDC, rc.left, rc.right, rcButtons.bottom + nLine, m_colors[colorShadow]);
    if (bExpandedInFooter)
        FillLine(hDC, rc.left, rc.right, rcExpanded.top - m_nMarginY, m_colors[colorShadow]);
}

void CLVKTaskDialogClient::DrawTextBlock(HDC hDC, const TaskDialogTextItem& item, const RECT& rc, COLORREF clr,
                                         HFONT hFont)
{
    if (IsEmptyRect(rc) || item.IsEmpty())
        return;
    if (m_pMarkupContext)
    {
        // A text whose markup did not parse shows nothing.
        if (!item.pElement)
            return;
        MarkupSetDefaultFont(m_pMarkupContext, hFont, clr);
        MarkupRenderElement(item.pElement, hDC, &rc);
        return;
    }
    ::SetTextColor(hDC, clr);
    const CLVKGdiObjectDC font(hDC, hFont);
    RECT rcText = rc;
    ::DrawTextW(hDC, item.strText, item.strText.GetLength(), &rcText, DT_WORDBREAK | DT_NOPREFIX);
}

void CLVKTaskDialogClient::DrawIcon(HDC hDC, HICON hIcon, int x, int y, int cx, int cy)
{
    const DWORD dwLayout = ::GetLayout(hDC);
    const bool bRtl = (dwLayout & LAYOUT_RTL) != 0;
    if (bRtl)
        ::SetLayout(hDC, dwLayout | LAYOUT_BITMAPORIENTATIONPRESERVED);
    ::DrawIconEx(hDC, x, y, hIcon, cx, cy, 0, nullptr, DI_NORMAL);
    if (bRtl)
        ::SetLayout(hDC, dwLayout);
}

void CLVKTaskDialogClient::DrawMainInstruction(HDC hDC)
{
    if (m_hMainIcon)
        DrawIcon(hDC, m_hMainIcon, m_nMarginX, m_nMarginY, m_largeIcon.cx, m_largeIcon.cy);
    DrawTextBlock(hDC, m_mainInstruction, m_rects[rectMainInstruction], m_colors[colorMainInstruction], m_hMainFont);
}

void CLVKTaskDialogClient::DrawContent(HDC hDC)
{
    if (IsEmptyRect(m_rects[rectContent]) || m_contentLink.GetSafeHwnd())
        return;
    DrawTextBlock(hDC, m_content, m_rects[rectContent], m_colors[colorMainText], m_hBodyFont);
}

void CLVKTaskDialogClient::DrawExpandedInformation(HDC hDC)
{
    if (IsEmptyRect(m_rects[rectExpanded]) || m_expandedInformation.IsEmpty() || !m_bExpanded ||
        m_expandedLink.GetSafeHwnd())
        return;
    const COLORREF clr =
        (m_pConfig->dwFlags & TDF_EXPAND_FOOTER_AREA) ? m_colors[colorFooterText] : m_colors[colorMainText];
    DrawTextBlock(hDC, m_expandedInformation, m_rects[rectExpanded], clr, m_hBodyFont);
}

void CLVKTaskDialogClient::DrawFooter(HDC hDC)
{
    const RECT& rcFooter = m_rects[rectFooter];
    if (IsEmptyRect(rcFooter))
        return;
    if (m_hFooterIcon)
        DrawIcon(hDC, m_hFooterIcon, m_nMarginX + CLVKDpiScaling::GetGlobal()->ScaleX(2), rcFooter.top, m_smallIcon.cx,
                 m_smallIcon.cy);
    if (!m_footerLink.GetSafeHwnd())
        DrawTextBlock(hDC, m_footer, rcFooter, m_colors[colorFooterText], m_hBodyFont);
}

void CLVKTaskDialogClient::Paint(HDC hTargetDC)
{
    RECT rc{};
    ::GetClientRect(GetSafeHwnd(), &rc);
    // One off-screen buffer, so that the dialog does not flicker while it
    // resizes for the expanded information; at least one pixel each way, so
    // that an empty window still gets a bitmap.
    CLVKBufferDC buffer(hTargetDC, RECT{0, 0, std::max<int>(rc.right, 1), std::max<int>(rc.bottom, 1)});
    const HDC hDC = buffer.GetSafeHdc();
    DrawBackground(hDC, rc);
    ::SetBkMode(hDC, TRANSPARENT);
    DrawMainInstruction(hDC);
    DrawContent(hDC);
    DrawExpandedInformation(hDC);
    DrawFooter(hDC);
}

void CLVKTaskDialogClient::UpdateExpandoButton()
{
    if (!m_pExpandoButton)
        return;
    ::SetWindowTextW(m_pExpandoButton->GetSafeHwnd(),
                     m_bExpanded ? m_expandedControlText.strText : m_collapsedControlText.strText);
    m_pExpandoButton->SetChecked(m_bExpanded);
    UpdateLayout(FALSE);
}

LRESULT CLVKTaskDialogClient::OnClick(UINT nId, HWND hControl)
{
    if (hControl)
    {
        const auto isRadio = [this, hControl]
        {
            return std::any_of(m_arrRadioButtons.begin(), m_arrRadioButtons.end(),
                               [hControl](const std::unique_ptr<CLVKButton>& p)
                               { return p->GetSafeHwnd() == hControl; });
        };
        if (isRadio())
        {
            if (::SendMessageW(hControl, BM_GETCHECK, 0, 0) == BST_CHECKED)
            {
                m_nSelectedRadioButton = static_cast<int>(nId);
                SendNotification(TDN_RADIO_BUTTON_CLICKED, nId, 0);
            }
            return 1;
        }
        for (CLVKTaskDialogLinkCtrl* pLink : {&m_footerLink, &m_contentLink, &m_expandedLink})
        {
            if (pLink->GetSafeHwnd() != hControl)
                continue;
            if (const CLVKTaskDialogLinkCtrl::LINKITEM* pItem = pLink->GetFocusedLink())
            {
                const CString strTarget = pItem->strTarget;
                SendNotification(TDN_HYPERLINK_CLICKED, 0, reinterpret_cast<LPARAM>(strTarget.GetString()));
            }
            return 1;
        }
        if (m_pVerificationBox && m_pVerificationBox->GetSafeHwnd() == hControl)
        {
            m_bVerificationChecked = !m_bVerificationChecked;
            SendNotification(TDN_VERIFICATION_CLICKED, m_bVerificationChecked, 0);
            return 0;
        }
        if (m_pExpandoButton && m_pExpandoButton->GetSafeHwnd() == hControl)
        {
            m_bExpanded = !m_bExpanded;
            SendNotification(TDN_EXPANDO_BUTTON_CLICKED, m_bExpanded, 0);
            UpdateExpandoButton();
            return 0;
        }
    }
    if (nId == IDCANCEL && !CanCancel())
        return 0;
    // A record without callback vetoes nothing: every button closes.
    const HRESULT hr = m_pConfig->pfCallback ? SendNotification(TDN_BUTTON_CLICKED, nId, 0) : S_OK;
    if (hr != S_OK)
        return 0;
    if (nId == IDCANCEL)
        OnCancel();
    else if (nId == IDOK)
        OnOK();
    else
        EndDialog(static_cast<int>(nId));
    return 0;
}

void CLVKTaskDialogClient::AnswerTextQuery(HWND hReceiver, int nElement)
{
    const TaskDialogTextItem* pItem = nullptr;
    switch (nElement)
    {
    case TDE_CONTENT:
        pItem = &m_content;
        break;
    case TDE_EXPANDED_INFORMATION:
        pItem = &m_expandedInformation;
        break;
    case TDE_FOOTER:
        pItem = &m_footer;
        break;
    case TDE_MAIN_INSTRUCTION:
        pItem = &m_mainInstruction;
        break;
    default:
        return;
    }
    // Markup is answered as the text it shows.
    const CString strText = pItem->GetDisplayText();
    COPYDATASTRUCT data{};
    data.dwData = static_cast<ULONG_PTR>(nElement);
    data.cbData = static_cast<DWORD>(strText.GetLength() * sizeof(wchar_t));
    data.lpData = const_cast<wchar_t*>(strText.GetString());
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(hReceiver, WM_COPYDATA, reinterpret_cast<WPARAM>(GetSafeHwnd()),
                          reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 2000, &result);
}

BOOL CLVKTaskDialogClient::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (m_pMarkupContext && GetSafeHwnd())
    {
        // A mouse message carries where it happened (the pointer may have
        // moved on since); any other message goes by the cursor.
        POINT pt{};
        if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST && message != WM_MOUSEWHEEL &&
            message != WM_MOUSEHWHEEL)
        {
            pt = POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        }
        else
        {
            ::GetCursorPos(&pt);
            ::ScreenToClient(GetSafeHwnd(), &pt);
        }
        const TaskDialogTextItem* pHit = nullptr;
        for (const TaskDialogTextItem* pItem : {&m_mainInstruction, &m_content, &m_footer, &m_expandedInformation})
        {
            if (::PtInRect(&pItem->rc, pt))
            {
                pHit = pItem;
                break;
            }
        }
        const BOOL bHandled = pHit ? MarkupRelayElementMessage(pHit->pElement, message, wParam, lParam, pResult)
                                   : MarkupRelayContextMessage(m_pMarkupContext, message, wParam, lParam, pResult);
        if (bHandled)
            return TRUE;
    }
    return CDialog::OnWndMsg(message, wParam, lParam, pResult);
}

void CLVKTaskDialogClient::OnMarkupHyperlinkClick(CLVKMarkupObject* pSender, CLVKMarkupObject* pArgs)
{
    auto* const pRouted = MarkupCast<CLVKMarkupRoutedEventArgs>(pArgs);
    CLVKMarkupObject* const pSource = pRouted ? pRouted->GetSource() : pSender;
    if (!pSource || !pSource->IsKindOf(CLVKMarkupHyperlink::GetMarkupType()))
        return;
    auto* const pTarget = MarkupCast<CLVKMarkupString>(pSource->GetValue(CLVKMarkupHyperlink::m_pNavigateUriProperty));
    SendNotification(TDN_HYPERLINK_CLICKED, 0, pTarget ? reinterpret_cast<LPARAM>(pTarget->GetText()) : 0);
    if (pRouted)
        pRouted->SetHandled();
}

LRESULT CLVKTaskDialogClient::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == GetTextQueryMessage())
    {
        AnswerTextQuery(reinterpret_cast<HWND>(wParam), static_cast<int>(lParam));
        return 1;
    }
    switch (message)
    {
    case WM_NULL:
        // Posted by DestroyControls: the set-aside controls' messages are over.
        ReapRetiredControls();
        break;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
    {
        const LRESULT result = CDialog::WindowProc(message, wParam, lParam);
        RefreshMetrics();
        return result;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
    {
        PAINTSTRUCT ps{};
        const HDC hDC = ::BeginPaint(GetSafeHwnd(), &ps);
        Paint(hDC);
        ::EndPaint(GetSafeHwnd(), &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    {
        const HWND hControl = reinterpret_cast<HWND>(lParam);
        const bool bMainArea =
            std::any_of(m_arrRadioButtons.begin(), m_arrRadioButtons.end(),
                        [hControl](const std::unique_ptr<CLVKButton>& p) { return p->GetSafeHwnd() == hControl; }) ||
            std::any_of(m_arrCommandLinks.begin(), m_arrCommandLinks.end(),
                        [hControl](const std::unique_ptr<CLVKButton>& p) { return p->GetSafeHwnd() == hControl; });
        if (bMainArea)
        {
            ::SetBkColor(reinterpret_cast<HDC>(wParam), m_colors[colorMainBack]);
            return reinterpret_cast<LRESULT>(::GetSysColorBrush(m_bThemed ? COLOR_WINDOW : COLOR_3DFACE));
        }
        break;
    }
    case WM_DESTROY:
        if (m_pInputBox && m_pInputBox->GetSafeHwnd())
        {
            const int nLength = ::GetWindowTextLengthW(m_pInputBox->GetSafeHwnd());
            std::wstring text(static_cast<size_t>(nLength) + 1, L'\0');
            ::GetWindowTextW(m_pInputBox->GetSafeHwnd(), &text[0], nLength + 1);
            m_strInputBoxText = text.c_str();
        }
        break;
    case WM_COMMAND:
        if (HIWORD(wParam) == EN_CHANGE && LOWORD(wParam) == kInputBoxId)
        {
            SendNotification(TASKDIALOG_NOTIFY_INPUTBOX_CHANGED, 0, 0);
            return 0;
        }
        if (HIWORD(wParam) == BN_CLICKED)
            return OnClick(LOWORD(wParam), reinterpret_cast<HWND>(lParam));
        break;
    default:
        break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}
