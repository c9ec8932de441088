// Measuring and placing the elements of the emulated task dialog.
#include "TaskDialogClient.h"

#include "Foundation/DisplayMonitors.h"
#include "Foundation/DpiScaling.h"
#include "TaskDialogMeasure.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupHelpers.h"

#include <algorithm>

namespace
{

int ScaleX(int n)
{
    return CLVKDpiScaling::GetGlobal()->ScaleX(n);
}

int ScaleY(int n)
{
    return CLVKDpiScaling::GetGlobal()->ScaleY(n);
}

bool IsEmptyRect(const RECT& rc)
{
    return rc.right <= rc.left || rc.bottom <= rc.top;
}

void OffsetBy(RECT& rc, int dx, int dy)
{
    ::OffsetRect(&rc, dx, dy);
}

}  // namespace

SIZE CLVKTaskDialogClient::GetSize(CWnd* pWnd) const
{
    if (!pWnd || !pWnd->GetSafeHwnd())
        return SIZE{};
    const auto found = m_sizes.find(pWnd->GetSafeHwnd());
    return found == m_sizes.end() ? SIZE{} : found->second;
}

RECT CLVKTaskDialogClient::CalcTextBlockRect(const TaskDialogTextItem& item, int nWidth, HFONT hFont) const
{
    if (item.IsEmpty())
        return RECT{};
    if (m_pMarkupContext)
    {
        // A text that did not parse shows nothing and takes no room.
        if (!item.pElement)
            return RECT{};
        MarkupSetDefaultFont(m_pMarkupContext, hFont, m_pMarkupContext->GetDefaultTextColor());
        const SIZE size = MarkupMeasureElement(item.pElement, nWidth);
        return size.cy > 0 ? RECT{0, 0, nWidth, size.cy} : RECT{};
    }
    SIZE size{nWidth, 0};
    if (!TaskDialogCalcTextRect(item.strText, size, hFont))
        return RECT{};
    return RECT{0, 0, nWidth, size.cy};
}

int CLVKTaskDialogClient::MeasureTextWidth(const TaskDialogTextItem& item, int nWidth, HFONT hFont) const
{
    if (item.IsEmpty())
        return nWidth;
    const bool bMain = hFont == m_hMainFont;
    SIZE size{nWidth, 0};
    if (m_pMarkupContext)
    {
        if (!item.pElement)
            return nWidth;
        TaskDialogCalcIdealMarkupSize(m_pMarkupContext, item.pElement, size, hFont, ScaleX(bMain ? 275 : 330),
                                      ScaleX(bMain ? 14 : 7));
    }
    else if (!TaskDialogCalcIdealTextSize(item.strText, size, hFont, ScaleX(bMain ? 275 : 330), ScaleX(bMain ? 14 : 7)))
        return nWidth;
    return std::max<int>(size.cx, nWidth);
}

int CLVKTaskDialogClient::CalcCommandLinkWidth(const CString& strCaption, int nWidth) const
{
    if (strCaption.IsEmpty() || !HasCommandLinks())
        return 0;
    const int nArrow = m_pArrow ? ScaleX(20) : 0;
    const int nInner = nWidth - 2 * m_nMarginX - (m_pArrow ? nArrow : m_nEdgeUnit);
    SIZE title{nInner, 0};
    TaskDialogTextItem titleItem;
    titleItem.SetText(TaskDialogExtractLine(strCaption, 0), m_pMarkupContext);
    if (titleItem.pElement)
        title.cx = MeasureTextWidth(titleItem, nInner, m_hMainFont);
    // A title that needs no wrapping answers FALSE with its one-line size,
    // which is the width it needs.
    else
        TaskDialogCalcIdealTextSize(titleItem.strText, title, m_hMainFont, ScaleX(120), ScaleX(30));
    TaskDialogTextItem note;
    note.strText = TaskDialogExtractLine(strCaption, 1);
    const int nNote = note.IsEmpty() ? 0 : MeasureTextWidth(note, nInner, m_hBodyFont);
    return m_nEdgeUnit + 2 * m_nMarginX + std::max<int>(title.cx, nNote) + nArrow;
}

SIZE CLVKTaskDialogClient::CalcCommandLinkSize(const CString& strCaption, CLVKButton* pButton, int nWidth) const
{
    if (strCaption.IsEmpty() || !HasCommandLinks())
        return SIZE{};
    const int nArrow = m_pArrow ? ScaleX(20) : 0;
    const int nInner = nWidth - m_nEdgeUnit - 2 * m_nMarginX - nArrow;
    SIZE title{nInner, 0};
    if (CLVKMarkupUIElement* pCaption = pButton ? pButton->GetMarkupCaption() : nullptr)
    {
        CLVKMarkupContext* pContext = pButton->GetMarkupContext();
        MarkupSetDefaultFont(pContext, m_hMainFont, pContext->GetDefaultTextColor());
        title = MarkupMeasureElement(pCaption, std::max(nInner, 0));
        title.cx = std::min<LONG>(title.cx, nInner);
    }
    else
    {
        BOOL bWraps = FALSE;
        TaskDialogCalcTextRect(TaskDialogExtractLine(strCaption, 0), title, m_hMainFont, &bWraps);
        if (bWraps)
            title.cx = nInner;
    }
    SIZE note{nInner, 0};
    if (!TaskDialogCalcTextRect(TaskDialogExtractLine(strCaption, 1), note, m_hBodyFont))
        note = SIZE{};
    return SIZE{std::max(title.cx, note.cx) + 2 * m_nMarginX + m_nEdgeUnit, title.cy + note.cy + 2 * m_nMarginY};
}

int CLVKTaskDialogClient::CalcContentWidth()
{
    if (m_pConfig->cxWidth)
    {
        const int nBase = static_cast<short>(LOWORD(::GetDialogBaseUnits()));
        return std::max(::MulDiv(static_cast<int>(m_pConfig->cxWidth), nBase, 4) - 2 * m_nMarginX, m_nMinWidth);
    }
    int w = m_nMinWidth;
    const int nMainIndent = m_hMainIcon ? m_largeIcon.cx + m_nMarginX : 0;
    const int nFooterIndent = m_hFooterIcon ? m_smallIcon.cx + m_nMarginX : 0;
    const int nExpandedIndent = (m_pConfig->dwFlags & TDF_EXPAND_FOOTER_AREA) ? nFooterIndent : nMainIndent;

    int nRow = 2 * m_nMarginX;
    for (size_t i = 0; i < m_arrPushButtons.size(); ++i)
        nRow += GetSize(m_arrPushButtons[i].get()).cx + (i ? m_nButtonGap : 0);
    if (!HasCommandLinks())
        w = std::max(w, nRow);
    const int nVerification = GetSize(m_pVerificationBox.get()).cx;
    const int nExpando = GetSize(m_pExpandoButton.get()).cx;
    if (m_pVerificationBox)
        w = std::max(w, nRow + m_nMarginX + nVerification);
    if (m_pExpandoButton)
        w = std::max(w, nRow + m_nMarginX + nExpando);
    for (const auto& pRadio : m_arrRadioButtons)
        w = std::max(w, static_cast<int>(GetSize(pRadio.get()).cx) + nMainIndent);
    w = std::max({w, nVerification, nExpando});
    w = std::max(w, MeasureTextWidth(m_mainInstruction, w - nMainIndent, m_hMainFont) + nMainIndent);
    w = std::max(w, MeasureTextWidth(m_content, w - nMainIndent, m_hBodyFont) + nMainIndent);
    if (HasCommandLinks())
    {
        for (UINT i = 0; i < m_pConfig->cButtons; ++i)
            w = std::max(w, CalcCommandLinkWidth(LoadText(m_pConfig->pButtons[i].pszButtonText), w - nMainIndent) +
                                nMainIndent + 2);
    }
    w = std::max(w, MeasureTextWidth(m_expandedInformation, w - nExpandedIndent, m_hBodyFont) + nExpandedIndent);
    w = std::max(w, MeasureTextWidth(m_footer, w - nFooterIndent, m_hBodyFont) + nFooterIndent);
    return std::min(w, m_nMaxWidth);
}

RECT CLVKTaskDialogClient::CalcButtonAreaRect(int nWidth) const
{
    RECT rc{0, 0, nWidth, 0};
    if (!m_pExpandoButton && !m_pVerificationBox && m_arrPushButtons.empty())
        return rc;
    const SIZE verification = GetSize(m_pVerificationBox.get());
    const SIZE expando = GetSize(m_pExpandoButton.get());
    const int nLeftHeight = verification.cy + expando.cy;
    const int nLeftWidth = std::max(verification.cx, expando.cx);
    const int nAvailable = nLeftWidth ? nWidth - (m_nButtonGap + nLeftWidth) : nWidth;

    int nRowsHeight = 0;
    int nRowWidth = 0;
    int nWidest = 0;
    bool bRowEmpty = true;
    for (const auto& pButton : m_arrPushButtons)
    {
        const SIZE size = GetSize(pButton.get());
        if (!bRowEmpty && nRowWidth + size.cx > nAvailable)
        {
            nWidest = std::max(nWidest, nRowWidth - m_nButtonGap);
            nRowsHeight += m_nRowGap;
            nRowWidth = 0;
            bRowEmpty = true;
        }
        if (bRowEmpty)
            nRowsHeight += size.cy;
        bRowEmpty = false;
        nRowWidth += size.cx + m_nButtonGap;
    }
    if (!bRowEmpty)
        nWidest = std::max(nWidest, nRowWidth - m_nButtonGap);
    rc.left = nWidth - nWidest;
    rc.bottom = std::max(nRowsHeight, nLeftHeight) + 2 * m_nMarginY - ScaleY(2);
    return rc;
}

SIZE CLVKTaskDialogClient::LayoutClient(int w)
{
    const int nMainIndent = m_hMainIcon ? m_largeIcon.cx + m_nMarginX : 0;
    const int nFooterIndent = m_hFooterIcon ? m_smallIcon.cx + m_nMarginX : 0;
    const bool bFooterExpanded = (m_pConfig->dwFlags & TDF_EXPAND_FOOTER_AREA) != 0;

    RECT& rcMain = m_rects[rectMainInstruction];
    rcMain = CalcTextBlockRect(m_mainInstruction, w - nMainIndent, m_hMainFont);
    if (!IsEmptyRect(rcMain))
        OffsetBy(rcMain, m_nMarginX + nMainIndent, m_nMarginY);

    RECT& rcContent = m_rects[rectContent];
    rcContent = CalcTextBlockRect(m_content, w - nMainIndent, m_hBodyFont);
    OffsetBy(rcContent, m_nMarginX + nMainIndent, rcMain.bottom + ScaleY(1) + m_nMarginY);
    if (IsEmptyRect(rcContent))
        rcContent.right = rcContent.left + (w - nMainIndent);
    const int nContentLeft = rcContent.left;
    const int nContentRight = rcContent.right;

    int y = std::max<int>(rcContent.bottom + m_nSpacingY, 4 * m_nMarginY - ScaleY(3));

    RECT& rcExpanded = m_rects[rectExpanded];
    rcExpanded = RECT{};
    if (!bFooterExpanded)
    {
        if (!m_expandedInformation.IsEmpty() && m_bExpanded)
        {
            rcExpanded = CalcTextBlockRect(m_expandedInformation, w - nMainIndent, m_hBodyFont);
            OffsetBy(rcExpanded, m_nMarginX + nMainIndent, y + m_nSpacingY);
            y = rcExpanded.bottom;
        }
        else if (!m_expandedInformation.IsEmpty())
        {
            rcExpanded = RECT{nContentLeft, y, nContentRight, y + m_nSpacingY};
            y += 2 * m_nSpacingY;
        }
        else
            rcExpanded = RECT{nContentLeft, y, nContentRight, y};
    }

    if (m_progressBar.GetSafeHwnd())
    {
        const int nTop = y + m_nMarginY;
        const int nBottom = y + (5 * m_nMarginY) / 2;
        MoveControl(&m_progressBar, nContentLeft, nTop, m_nMarginX + w - nContentLeft, nBottom - nTop);
        y = nBottom;
    }

    RECT& rcRadio = m_rects[rectRadio];
    if (!m_arrRadioButtons.empty())
    {
        y += m_nMarginY;
        rcRadio = RECT{nContentLeft + m_nMarginX, y, w, y};
        for (const auto& pRadio : m_arrRadioButtons)
        {
            const SIZE size = GetSize(pRadio.get());
            MoveControl(pRadio.get(), rcRadio.left, y, size.cx, size.cy);
            y += size.cy + ScaleY(3);
        }
        rcRadio.bottom = y;
    }
    else
        rcRadio = RECT{nContentLeft + ScaleX(1), y, nContentRight, y};

    if (m_pInputBox && m_pInputBox->GetSafeHwnd())
    {
        const int nTop = y + m_nMarginY;
        const int nBottom = y + 3 * m_nMarginY;
        MoveControl(m_pInputBox.get(), nContentLeft, nTop, m_nMarginX + w - nContentLeft, nBottom - nTop);
        y = nBottom;
    }

    RECT& rcLinks = m_rects[rectCommandLinks];
    rcLinks = RECT{nContentLeft + ScaleX(1), y + ScaleY(1), w + m_nMarginY - ScaleX(1), y + ScaleY(1)};
    for (size_t i = 0; i < m_arrCommandLinks.size(); ++i)
    {
        const CString strCaption = LoadText(m_pConfig->pButtons[i].pszButtonText);
        const int nAreaWidth = rcLinks.right - rcLinks.left;
        const SIZE size = CalcCommandLinkSize(strCaption, m_arrCommandLinks[i].get(), nAreaWidth);
        m_sizes[m_arrCommandLinks[i]->GetSafeHwnd()] = SIZE{nAreaWidth, size.cy};
        rcLinks.bottom += size.cy;
    }
    if (!m_arrCommandLinks.empty())
        rcLinks.bottom += m_nMarginY;

    RECT& rcButtons = m_rects[rectButtonArea];
    rcButtons = CalcButtonAreaRect(w);
    OffsetBy(rcButtons, m_nMarginX, rcLinks.bottom + m_nSpacingY + m_nMarginY);
    y = rcButtons.bottom;

    RECT& rcFooter = m_rects[rectFooter];
    if (!m_footer.IsEmpty())
    {
        rcFooter = CalcTextBlockRect(m_footer, w - nFooterIndent, m_hBodyFont);
        OffsetBy(rcFooter, m_nMarginX + nFooterIndent - ScaleX(1), y + m_nMarginY + ScaleY(1));
        y += (rcFooter.bottom - rcFooter.top) + 2 * m_nMarginY + ScaleY(1);
    }
    else
        rcFooter = RECT{};

    if (bFooterExpanded)
    {
        if (!m_expandedInformation.IsEmpty() && m_bExpanded)
        {
            rcExpanded = CalcTextBlockRect(m_expandedInformation, w, m_hBodyFont);
            OffsetBy(rcExpanded, m_nMarginX, y + m_nMarginY);
            y += (rcExpanded.bottom - rcExpanded.top) + 2 * m_nMarginY;
        }
        else
            rcExpanded = RECT{rcFooter.left, y, rcFooter.right, y};
    }
    return SIZE{w + 2 * m_nMarginX, y};
}

void CLVKTaskDialogClient::MoveControl(CWnd* pWnd, int x, int y, int cx, int cy)
{
    if (!pWnd || !pWnd->GetSafeHwnd())
        return;
    ::SetWindowPos(pWnd->GetSafeHwnd(), nullptr, x, y, cx, cy,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOREDRAW);
}

void CLVKTaskDialogClient::SetTabOrder()
{
    std::vector<CWnd*> order;
    const bool bFooterExpanded = (m_pConfig->dwFlags & TDF_EXPAND_FOOTER_AREA) != 0;
    order.push_back(&m_contentLink);
    if (!bFooterExpanded)
        order.push_back(&m_expandedLink);
    order.push_back(&m_progressBar);
    for (const auto& p : m_arrRadioButtons)
        order.push_back(p.get());
    order.push_back(m_pInputBox.get());
    for (const auto& p : m_arrCommandLinks)
        order.push_back(p.get());
    order.push_back(m_pExpandoButton.get());
    order.push_back(m_pVerificationBox.get());
    for (const auto& p : m_arrPushButtons)
        order.push_back(p.get());
    order.push_back(&m_footerLink);
    if (bFooterExpanded)
        order.push_back(&m_expandedLink);
    for (CWnd* pWnd : order)
    {
        if (pWnd && pWnd->GetSafeHwnd())
            ::SetWindowPos(pWnd->GetSafeHwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    }
}

void CLVKTaskDialogClient::PositionControls()
{
    const RECT& rcButtons = m_rects[rectButtonArea];
    int x = rcButtons.left;
    int y = rcButtons.top + m_nMarginY - ScaleX(1);
    for (const auto& pButton : m_arrPushButtons)
    {
        const SIZE size = GetSize(pButton.get());
        if (x != rcButtons.left && x + size.cx > rcButtons.right)
        {
            x = rcButtons.left;
            y += size.cy + m_nRowGap;
        }
        MoveControl(pButton.get(), x, y, size.cx, size.cy);
        x += size.cx + m_nButtonGap;
    }

    const RECT& rcLinks = m_rects[rectCommandLinks];
    y = rcLinks.top + m_nMarginX + m_nSpacingY / 2 + ScaleY(2);
    for (const auto& pLink : m_arrCommandLinks)
    {
        const SIZE size = GetSize(pLink.get());
        MoveControl(pLink.get(), rcLinks.left, y, rcLinks.right - rcLinks.left, size.cy);
        y += size.cy;
    }

    const SIZE verification = GetSize(m_pVerificationBox.get());
    const SIZE expando = GetSize(m_pExpandoButton.get());
    const int nAreaHeight = rcButtons.bottom - rcButtons.top;
    if (m_pVerificationBox)
    {
        const int yBox = m_pExpandoButton ? rcButtons.top + m_nMarginY + expando.cy
                                          : rcButtons.top + (nAreaHeight - verification.cy) / 2;
        MoveControl(m_pVerificationBox.get(), m_nMarginX + ScaleX(3), yBox, verification.cx, verification.cy);
    }
    if (m_pExpandoButton)
    {
        const int yButton =
            m_pVerificationBox ? rcButtons.top + m_nMarginY : rcButtons.top + (nAreaHeight - expando.cy) / 2;
        MoveControl(m_pExpandoButton.get(), m_nMarginX + ScaleX(3), yButton, expando.cx, expando.cy);
    }

    if (m_pConfig->dwFlags & TDF_ENABLE_HYPERLINKS)
    {
        auto place = [this](CLVKTaskDialogLinkCtrl& link, const RECT& rc)
        {
            if (link.GetSafeHwnd())
                MoveControl(&link, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
        };
        place(m_contentLink, m_rects[rectContent]);
        place(m_footerLink, m_rects[rectFooter]);
        place(m_expandedLink, m_rects[rectExpanded]);
        if (m_expandedLink.GetSafeHwnd())
            ::ShowWindow(m_expandedLink.GetSafeHwnd(), m_bExpanded ? SW_SHOWNA : SW_HIDE);
    }
    m_content.rc = m_rects[rectContent];
    m_mainInstruction.rc = m_rects[rectMainInstruction];
    m_expandedInformation.rc = m_rects[rectExpanded];
    m_footer.rc = m_rects[rectFooter];
}

void CLVKTaskDialogClient::UpdateLayout(BOOL bMoveWindow)
{
    SetTabOrder();
    const SIZE client = LayoutClient(CalcContentWidth());
    PositionControls();
    SizeAndCenterWindow(client, bMoveWindow);
    if (GetSafeHwnd())
        ::RedrawWindow(GetSafeHwnd(), nullptr, nullptr, RDW_ALLCHILDREN | RDW_INVALIDATE);
}

void CLVKTaskDialogClient::SizeAndCenterWindow(SIZE client, BOOL bMoveWindow)
{
    if (!GetSafeHwnd())
        return;
    RECT rcRef{};
    if (m_pConfig->hwndParent && (m_pConfig->dwFlags & TDF_POSITION_RELATIVE_TO_WINDOW))
        ::GetWindowRect(m_pConfig->hwndParent, &rcRef);
    else
        rcRef = CLVKDisplayMonitors::GetGlobal()->GetWorkAreaFromWindow(m_pConfig->hwndParent);
    RECT rc{};
    rc.top = (rcRef.top + rcRef.bottom - client.cy) / 2 - ScaleY(12);
    rc.left = (rcRef.left + rcRef.right - client.cx) / 2 - ScaleX(3);
    rc.right = rc.left + client.cx;
    rc.bottom = rc.top + client.cy;
    ::AdjustWindowRectEx(&rc, GetStyle(), FALSE, static_cast<DWORD>(::GetWindowLongW(GetSafeHwnd(), GWL_EXSTYLE)));
    if (bMoveWindow)
        ::MoveWindow(GetSafeHwnd(), rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
    else
        ::SetWindowPos(GetSafeHwnd(), nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                       SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
}
