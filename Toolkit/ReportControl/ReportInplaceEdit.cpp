#include "ReportInplaceEdit.h"

#include "ReportColumn.h"
#include "ReportControl.h"
#include "ReportInplaceButton.h"
#include "ReportPaintManager.h"
#include "ReportRecord.h"
#include "ReportRecordItem.h"
#include "ReportRecordItemEditOptions.h"
#include "ReportRecordItemText.h"
#include "ReportRow.h"
#include "Foundation/DpiScaling.h"

namespace
{
// The window styles whose change needs a new window.
const DWORD kRecreateStyles = WS_CHILD | WS_VISIBLE | ES_READONLY;
const UINT kCtrlAScanCode = 30;

BOOL IsKeyDown(int nVirtKey)
{
    return (::GetKeyState(nVirtKey) & 0x8000) != 0;
}
}  // namespace

CLVKReportInplaceEdit::~CLVKReportInplaceEdit()
{
    if (m_hWnd)
        DestroyWindow();
}

CLVKReportRecordItemEditOptions* CLVKReportInplaceEdit::GetEditOptions() const
{
    return pItem ? pItem->GetEditOptions(pColumn) : nullptr;
}

BOOL CLVKReportInplaceEdit::IsConstraintMode() const
{
    CLVKReportRecordItemEditOptions* pOptions = GetEditOptions();
    return pOptions && pOptions->m_bConstraintEdit;
}

CString CLVKReportInplaceEdit::GetEditText() const
{
    if (!m_hWnd)
        return CString();
    const int nLength = ::GetWindowTextLengthW(m_hWnd);
    CString strText;
    ::GetWindowTextW(m_hWnd, strText.GetBuffer(nLength + 1), nLength + 1);
    strText.ReleaseBuffer();
    return strText;
}

void CLVKReportInplaceEdit::Create(LVK_REPORTRECORDITEM_ARGS* pArgs)
{
    SetItemArgs(pArgs);
    m_pSelectedConstraint = nullptr;
    if (!pControl || !pRow || !pItem)
        return;

    // The cell's own look, without the selection colours: the edit is not
    // part of the selection.
    LVK_REPORTRECORDITEM_DRAWARGS drawArgs;
    drawArgs.pControl = pControl;
    drawArgs.pRow = pRow;
    drawArgs.pColumn = pColumn;
    drawArgs.pItem = pItem;
    drawArgs.rcItem = rcItem;
    const LVKReportReference<LVK_REPORTRECORDITEM_METRICS> metrics(new LVK_REPORTRECORDITEM_METRICS());
    LVK_REPORTRECORDITEM_METRICS* pMetrics = metrics.get();
    pMetrics->strText = pItem->GetCaption(pColumn);
    CLVKReportPaintManager* pPaintManager = pControl->GetPaintManager();
    pPaintManager->FillItemMetrics(&drawArgs, pMetrics);
    if (pRow->GetRecord())
        pRow->GetRecord()->GetItemMetrics(&drawArgs, pMetrics);
    pItem->GetItemMetrics(&drawArgs, pMetrics);
    pControl->OnGetItemMetrics(&drawArgs, pMetrics);
    if (!pControl->IsVirtualMode())
    {
        // A text cell is edited as its value, not as its formatted caption.
        CLVKReportRecordItem* pSource = pItem->IsMergeFollower() ? pItem->GetMergeMaster() : pItem;
        if (auto* pText = DYNAMIC_DOWNCAST(CLVKReportRecordItemText, pSource))
            pMetrics->strText = pText->GetValue();
        else if (pSource != pItem)
            pMetrics->strText = pSource->GetCaptionDefault();
        else
            pMetrics->strText = pItem->GetCaption(pColumn);
    }

    CLVKReportRecordItemEditOptions* pOptions = GetEditOptions();
    if (!pOptions)
        return;

    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    RECT rcEdit = rcItem;
    rcEdit.top += pDpi->ScaleY(1);
    rcEdit.right -= pDpi->ScaleX(1);
    rcEdit.left += pDpi->ScaleX(1);
    rcEdit.bottom -= pDpi->ScaleY(2);

    m_clrText = pMetrics->clrForeground;
    m_clrBack = pPaintManager->GetControlBackColor(pControl);
    m_brushBack.DeleteObject();
    m_brushBack.CreateSolidBrush(m_clrBack);
    m_strStartingText = pMetrics->strText;
    m_strAcceptedText = pMetrics->strText;

    DWORD dwStyle = (pOptions->m_dwEditStyle & ~static_cast<DWORD>(ES_CENTER | ES_RIGHT)) | WS_CHILD | WS_CLIPSIBLINGS |
                    WS_CLIPCHILDREN;
    if (pPaintManager->m_bUseColumnTextAlignment)
    {
        if (pMetrics->nColumnAlignment & DT_RIGHT)
            dwStyle |= ES_RIGHT;
        else if (pMetrics->nColumnAlignment & DT_CENTER)
            dwStyle |= ES_CENTER;
    }
    if (m_hWnd && ((static_cast<DWORD>(GetStyle()) ^ dwStyle) & kRecreateStyles))
        DestroyWindow();
    if (!m_hWnd)
    {
        const RECT rcNone{};
        if (!CWnd::CreateEx(0, L"EDIT", L"", dwStyle, rcNone, pControl, 0))
        {
            SetItemArgs(nullptr);
            return;
        }
    }
    if (pControl->GetExStyle() & WS_EX_RTLREADING)
        ModifyStyleEx(0, WS_EX_RTLREADING);

    SetLimitText(static_cast<UINT>(pOptions->m_nMaxLength));
    SetFont(pMetrics->pFont ? pMetrics->pFont : pPaintManager->GetTextFont());
    SetEditText(m_strStartingText);
    if (pOptions->m_bSelectTextOnEdit)
        SetSel(0, -1);
    else
        SetSel(m_strStartingText.GetLength(), m_strStartingText.GetLength());
    SetMargins(static_cast<UINT>(pDpi->ScaleX(1)), static_cast<UINT>(pDpi->ScaleY(1)));

    if (!::IsRectEmpty(&rcEdit))
    {
        SetWindowPos(nullptr, rcEdit.left, rcEdit.top, rcEdit.right - rcEdit.left, rcEdit.bottom - rcEdit.top,
                     SWP_NOZORDER | SWP_SHOWWINDOW);
        SetFocus();
    }
    else
    {
        HideWindow();
    }
}

void CLVKReportInplaceEdit::HideWindow()
{
    if (!m_hWnd)
        return;
    ShowWindow(SW_HIDE);
    SetItemArgs(nullptr);
}

void CLVKReportInplaceEdit::SetEditText(LPCWSTR lpszText)
{
    m_bSetText = TRUE;
    if (m_hWnd)
        SetWindowText(lpszText);
    m_strAcceptedText = lpszText;
    m_bSetText = FALSE;
}

void CLVKReportInplaceEdit::SetFont(CFont* pFont)
{
    if (!pFont || !pFont->GetSafeHandle())
        return;
    LOGFONT lf{};
    pFont->GetLogFont(&lf);
    m_fontEdit.DeleteObject();
    m_fontEdit.CreateFontIndirect(&lf);
    if (m_hWnd)
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_fontEdit.GetSafeHandle()), TRUE);
}

void CLVKReportInplaceEdit::SelectConstraint(CLVKReportRecordItemConstraint* pConstraint)
{
    const CString strPrevious = GetEditText();
    m_pSelectedConstraint = pConstraint;
    SetFont(pControl->GetPaintManager()->GetTextFont());
    SetEditText(pConstraint->GetCaption());
    SetSel(0, -1);
    SendMessage(EM_SCROLLCARET);
    if (pConstraint->GetCaption().CompareNoCase(strPrevious) != 0)
        pControl->OnInplaceKeyDown(pRow, pItem, pColumn, pConstraint);
}

void CLVKReportInplaceEdit::OnEditChange()
{
    if (m_bSetText || !pControl || !pItem)
        return;
    const CString strNew = GetEditText();
    const CString strOld = m_strAcceptedText;
    // The changed part: the first differing position, and the end of the
    // differing part of the old text, found from the back.
    int nFirst = 0;
    while (nFirst < strNew.GetLength() && nFirst < strOld.GetLength() && strNew[nFirst] == strOld[nFirst])
        nFirst++;
    int nEndNew = strNew.GetLength();
    int nEndOld = strOld.GetLength();
    while (nEndNew > nFirst && nEndOld > nFirst && strNew[nEndNew - 1] == strOld[nEndOld - 1])
    {
        nEndNew--;
        nEndOld--;
    }

    int nCaretStart = 0;
    int nCaretEnd = 0;
    GetSel(nCaretStart, nCaretEnd);
    CString strChanged = strNew;
    LVK_REPORTRECORDITEM_ARGS args = GetItemArgs();
    if (pItem->OnEditChanging(&args, strChanged))
    {
        if (strChanged == strNew)
        {
            m_strAcceptedText = strNew;
            return;
        }
        int nDiff = 0;
        while (nDiff < strChanged.GetLength() && nDiff < strNew.GetLength() && strChanged[nDiff] == strNew[nDiff])
            nDiff++;
        SetEditText(strChanged);
        SetSel(nDiff, nDiff);
        return;
    }
    SetEditText(strOld);
    SetSel(nFirst, nEndOld);
    if (nCaretStart == nCaretEnd && strOld.GetLength() < strNew.GetLength())
    {
        if (nCaretStart == strNew.GetLength())
            SetSel(nFirst, nFirst);
        else if (nCaretStart == 1)
            SetSel(0, 0);
    }
}

void CLVKReportInplaceEdit::OnEditKillFocus()
{
    if (!pControl || !pItem)
        return;
    pControl->RedrawControl();
    LVK_REPORTRECORDITEM_ARGS args = GetItemArgs();
    CLVKReportRecordItem* pEdited = pItem;
    pEdited->InternalAddRef();
    pEdited->OnInplaceEditDone(&args);
    pEdited->InternalRelease();
    HideWindow();
}

BOOL CLVKReportInplaceEdit::OnKeyDown(UINT nChar)
{
    if (!pControl)
        return FALSE;
    const BOOL bWantReturn = (GetStyle() & ES_WANTRETURN) != 0;
    switch (nChar)
    {
    case VK_TAB:
        pControl->SetFocus();
        pControl->SendMessage(WM_CHAR, VK_TAB);
        return TRUE;
    case VK_RETURN:
        if (bWantReturn && IsKeyDown(VK_CONTROL))
        {
            pControl->EditItem(nullptr);
            return TRUE;
        }
        return FALSE;
    case VK_ESCAPE:
        SetEditText(m_strStartingText);
        return FALSE;
    case VK_F5:
        pControl->RefreshFormulas();
        return TRUE;
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN:
    {
        CLVKReportRecordItemEditOptions* pOptions = GetEditOptions();
        if (!pOptions || !pOptions->m_bConstraintEdit)
            return FALSE;
        CLVKReportRecordItemConstraints* pConstraints = pOptions->GetConstraints();
        const int nCount = pConstraints->GetCount();
        if (nCount <= 1)
            return FALSE;
        int nIndex = 0;
        if (nChar == VK_PRIOR)
            nIndex = 0;
        else if (nChar == VK_NEXT)
            nIndex = nCount - 1;
        else
        {
            const CString strText = GetEditText();
            int nCurrent = -1;
            for (int i = 0; i < nCount && nCurrent < 0; i++)
                if (pConstraints->GetAt(i)->GetCaption().CompareNoCase(strText) == 0)
                    nCurrent = i;
            if (nCurrent < 0)
                nIndex = 0;
            else if (nChar == VK_UP)
                nIndex = std::max(0, nCurrent - 1);
            else
                nIndex = std::min(nCount - 1, nCurrent + 1);
        }
        SelectConstraint(pConstraints->GetAt(nIndex));
        return TRUE;
    }
    default:
        return FALSE;
    }
}

BOOL CLVKReportInplaceEdit::OnChar(UINT nChar, UINT nFlags)
{
    if (!pControl)
        return FALSE;
    if (nChar == VK_TAB)
        return TRUE;
    if (nChar == VK_ESCAPE)
    {
        pControl->EditItem(nullptr);
        return TRUE;
    }
    if (nChar == VK_RETURN && !(GetStyle() & ES_WANTRETURN))
    {
        pControl->EditItem(nullptr);
        return TRUE;
    }
    CLVKReportRecordItemEditOptions* pOptions = GetEditOptions();
    if (pOptions && pOptions->m_bConstraintEdit && pOptions->GetConstraints()->GetCount() > 0)
    {
        // Each letter steps to the next constraint starting with it.
        CLVKReportRecordItemConstraints* pConstraints = pOptions->GetConstraints();
        const int nCount = pConstraints->GetCount();
        int nStart = -1;
        if (m_pSelectedConstraint)
            nStart = m_pSelectedConstraint->GetIndex();
        else
        {
            const CString strText = GetEditText();
            for (int i = 0; i < nCount && nStart < 0; i++)
                if (pConstraints->GetAt(i)->GetCaption() == strText)
                    nStart = i;
            if (nStart < 0)
                nStart = nCount - 1;
        }
        const WCHAR szTyped[2] = {static_cast<WCHAR>(nChar), 0};
        for (int n = 1; n <= nCount; n++)
        {
            CLVKReportRecordItemConstraint* pConstraint = pConstraints->GetAt((nStart + n) % nCount);
            const CString& strCaption = pConstraint->GetCaption();
            if (strCaption.IsEmpty())
                continue;
            const WCHAR szFirst[2] = {strCaption[0], 0};
            if (::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, szFirst, 1, szTyped, 1) == CSTR_EQUAL)
            {
                SelectConstraint(pConstraint);
                break;
            }
        }
        return TRUE;
    }
    if (nChar == 1 && (nFlags & 0xFF) == kCtrlAScanCode)
    {
        SetSel(0, -1);
        SendMessage(EM_SCROLLCARET);
    }
    return FALSE;
}

LRESULT CLVKReportInplaceEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
    case WM_SETFOCUS:
        if (IsConstraintMode())
            return 0;
        break;
    case WM_LBUTTONDBLCLK:
        if (pControl && pRow)
        {
            POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ::MapWindowPoints(m_hWnd, pControl->m_hWnd, &pt, 1);
            pRow->OnDblClick(pt);
        }
        if (!pItem)
            return 0;
        break;
    case WM_KEYDOWN:
        if (OnKeyDown(static_cast<UINT>(wParam)))
            return 0;
        break;
    case WM_CHAR:
        if (OnChar(static_cast<UINT>(wParam), HIWORD(lParam)))
            return 0;
        break;
    case WM_SYSKEYDOWN:
        if ((wParam == VK_UP || wParam == VK_DOWN) && pControl && pItem)
        {
            CLVKReportInplaceButton* pButton =
                pControl->GetInplaceButtonCount() > 0 ? pControl->GetInplaceButton(0) : nullptr;
            if (pButton && pButton->pItem == pItem)
                pItem->OnInplaceButtonDown(pButton);
        }
        break;
    default:
        break;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}

BOOL CLVKReportInplaceEdit::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND)
    {
        switch (HIWORD(wParam))
        {
        case EN_CHANGE:
            OnEditChange();
            return TRUE;
        case EN_KILLFOCUS:
            OnEditKillFocus();
            return TRUE;
        default:
            return FALSE;
        }
    }
    if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORSTATIC)
    {
        HDC hDC = reinterpret_cast<HDC>(wParam);
        ::SetTextColor(hDC, m_clrText);
        ::SetBkColor(hDC, m_clrBack);
        if (pResult)
            *pResult = reinterpret_cast<LRESULT>(m_brushBack.GetSafeHandle());
        return TRUE;
    }
    return CEdit::OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CLVKReportInplaceEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pControl)
    {
        UINT nChar = static_cast<UINT>(pMsg->wParam);
        if (!pControl->OnPreviewKeyDown(nChar, LOWORD(pMsg->lParam), HIWORD(pMsg->lParam)))
            return TRUE;
        pMsg->wParam = nChar;
    }
    return CEdit::PreTranslateMessage(pMsg);
}
