// The report paint manager's cell captions and their hyperlinks.
#include "ReportPaintManager.h"
#include "ReportPaintManagerPrivate.h"

#include "ReportColumn.h"
#include "ReportColumns.h"
#include "ReportControl.h"
#include "ReportGroupRow.h"
#include "ReportHeader.h"
#include "ReportHyperlink.h"
#include "ReportInplaceButton.h"
#include "ReportRecord.h"
#include "ReportRecordItem.h"
#include "ReportRecordItemControl.h"
#include "ReportRecords.h"
#include "ReportRow.h"
#include "ReportRows.h"
#include "ReportSection.h"
#include "ReportSelectedRows.h"
#include "ReportThemeClassicSupport.h"
#include "Foundation/PenDC.h"
#include "Foundation/FontDC.h"
#include "Foundation/DCSaveState.h"
#include "Foundation/BitmapDC.h"
#include "Foundation/ColorManager.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/DrawHelpers.h"
#include "Foundation/ImageManager.h"
#include "Foundation/ImageManagerIcon.h"
#include "Foundation/ResourceManager.h"

#include <shellapi.h>
#include <vssym32.h>

#include <map>
#include <vector>

// Cell captions and their hyperlinks ----------------------------------------------------

void CLVKReportPaintManager::ProtectHyperlinkSpaces(CLVKReportRecordItem* pItem, CString& strText, WCHAR chMarker)
{
    if (!pItem)
        return;
    const int nLength = strText.GetLength();
    for (int i = 0; i < pItem->GetHyperlinksCount(); i++)
    {
        CLVKReportHyperlink* pLink = pItem->GetHyperlinkAt(i);
        if (!pLink)
            continue;
        const int nStart = std::max(0, pLink->m_nHyperTextBegin);
        const int nEnd = std::min(nLength, pLink->m_nHyperTextBegin + std::max(0, pLink->m_nHyperTextLen));
        for (int j = nStart; j < nEnd; j++)
        {
            if (strText[j] == L' ')
                strText.SetAt(j, chMarker);
        }
    }
}

int CLVKReportPaintManager::MeasureTextWidth(CDC* pDC, const CString& strText)
{
    const CString strPlain = Unprotect(strText);
    HDC hAttribDC = pDC->m_hAttribDC ? pDC->m_hAttribDC : pDC->m_hDC;
    int nWidth = TextExtent(hAttribDC, strPlain).cx;
    if (pDC->m_bPrinting && pDC->m_hDC != hAttribDC)
        nWidth = std::max(nWidth, static_cast<int>(TextExtent(pDC->m_hDC, strPlain).cx));
    return nWidth;
}

int CLVKReportPaintManager::CalcCaptionLineCount(CDC* pDC, RECT rc, const CString& strText)
{
    const int nWidth = rc.right - rc.left;
    if (nWidth < 1)
        return 0;
    const int nSingle = TextExtent(pDC->m_hDC, strText).cx;
    if (nSingle / nWidth > m_nMaxCaptionLines)
        return m_nMaxCaptionLines;
    RECT rcCalc{0, 0, nWidth, 0};
    DrawTextW(pDC->m_hDC, strText, strText.GetLength(), &rcCalc, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    TEXTMETRICW tm{};
    GetTextMetricsW(pDC->m_hDC, &tm);
    const int nLines = tm.tmHeight > 0 ? (rcCalc.bottom - rcCalc.top + tm.tmHeight - 1) / tm.tmHeight : 1;
    return std::min(std::max(1, nLines), m_nMaxCaptionLines);
}

RECT CLVKReportPaintManager::CalcTextRect(CDC* pDC, const CString& strText, RECT rc, BOOL bWordBreak, BOOL bFit,
                                          UINT nExtraFlags)
{
    RECT rcCalc = rc;
    const CString strPlain = Unprotect(strText);
    DrawTextW(pDC->m_hDC, strPlain, strPlain.GetLength(), &rcCalc,
              DT_CALCRECT | DT_NOPREFIX | (bWordBreak ? DT_WORDBREAK : 0) | nExtraFlags);
    if (bFit)
    {
        rcCalc.right = rcCalc.left + std::min(rcCalc.right - rcCalc.left, rc.right - rc.left);
        rcCalc.bottom = rcCalc.top + std::min(rcCalc.bottom - rcCalc.top, rc.bottom - rc.top);
    }
    return rcCalc;
}

int CLVKReportPaintManager::CalcTextHeight(CDC* pDC, const CString& strText, int nWidth, BOOL bWordBreak)
{
    const CString strMeasure = Unprotect(strText) + L" ";
    const int nLine = TextExtent(pDC->m_hDC, CString(L" ")).cy;
    if (bWordBreak)
    {
        RECT rc{0, 0, nWidth, 0};
        DrawTextW(pDC->m_hDC, strMeasure, strMeasure.GetLength(), &rc,
                  DT_WORDBREAK | DT_CALCRECT | DT_NOPREFIX | DT_WORD_ELLIPSIS);
        return std::max(nLine, static_cast<int>(rc.bottom - rc.top));
    }
    int nLines = 1;
    for (int i = 0; i < strMeasure.GetLength(); i++)
        nLines += strMeasure[i] == L'\n' ? 1 : 0;
    return nLines * nLine;
}

void CLVKReportPaintManager::DrawItemCaption(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs,
                                             LVK_REPORTRECORDITEM_METRICS* pMetrics)
{
    const CString strText = pMetrics->strText;
    if (strText.IsEmpty())
        return;
    CDC* pDC = pDrawArgs->pDC;
    RECT rc = pDrawArgs->rcItem;
    rc.left += LVKScaleX(2);
    rc.top += LVKScaleY(1);
    rc.right -= LVKScaleX(2);
    SetBkMode(pDC->m_hDC, TRANSPARENT);
    if (m_bFixedRowHeight)
    {
        DrawLinkedText(pDrawArgs, pMetrics, strText, rc, DT_END_ELLIPSIS);
        return;
    }
    const BOOL bWordBreak = (pDrawArgs->nTextAlign & DT_WORDBREAK) != 0;
    if (pDrawArgs->nTextAlign & DT_VCENTER)
    {
        CString strMeasure = strText;
        ProtectHyperlinkSpaces(pDrawArgs->pItem, strMeasure);
        const int nFree = (rc.bottom - rc.top) - CalcTextHeight(pDC, strMeasure, rc.right - rc.left, bWordBreak);
        if (nFree >= LVKScaleY(4))
            rc.top += nFree / 2 - LVKScaleY(2);
    }
    DrawWrappedLinkedText(pDrawArgs, pMetrics, strText, rc, bWordBreak);
}

void CLVKReportPaintManager::DrawWrappedLinkedText(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs,
                                                   LVK_REPORTRECORDITEM_METRICS* pMetrics, const CString& strText,
                                                   RECT rcItem, BOOL bWordBreak)
{
    CDC* pDC = pDrawArgs->pDC;
    CLVKReportRecordItem* pItem = pDrawArgs->pItem;
    if (!pItem || pItem->GetHyperlinksCount() == 0)
    {
        DrawTextW(pDC->m_hDC, strText, strText.GetLength(), &rcItem,
                  static_cast<UINT>(pDrawArgs->nTextAlign & 0xFF) | DT_NOPREFIX | DT_WORD_ELLIPSIS |
                      (bWordBreak ? DT_WORDBREAK : 0));
        return;
    }
    const int nLineHeight = TextExtent(pDC->m_hDC, CString(L" ")).cy;
    CString strWork = strText + L" ";
    strWork.Replace(L'\r', L' ');
    ProtectHyperlinkSpaces(pItem, strWork);
    const int nMaxWidth = rcItem.right - rcItem.left;
    int y = rcItem.top;
    int nLineStart = -1;  // first character of the current line
    int nLineEnd = -1;    // one past its last character
    int nLineWidth = 0;
    int nWordStart = 0;
    auto drawLine = [&]()
    {
        if (nLineStart >= 0)
        {
            const RECT rcLine{rcItem.left, y, rcItem.right, y + nLineHeight};
            DrawWrappedLine(pDrawArgs, pMetrics, strWork, rcLine, nLineStart, nLineEnd, nLineWidth);
        }
        y += nLineHeight;
        nLineStart = -1;
        nLineEnd = -1;
        nLineWidth = 0;
    };
    for (int i = 0; i < strWork.GetLength(); i++)
    {
        const WCHAR ch = strWork[i];
        if (!IsWordSeparator(ch))
            continue;
        const int nWordEnd = i;
        if (nWordEnd > nWordStart)
        {
            const CString strWord = strWork.Mid(nWordStart, nWordEnd - nWordStart);
            const int nWordWidth = MeasureTextWidth(pDC, strWord);
            if (bWordBreak && nWordWidth > nMaxWidth)
            {
                if (nLineStart >= 0)
                    drawLine();
                nLineStart = nWordStart;
                nLineEnd = nWordEnd;
                nLineWidth = nWordWidth;
                drawLine();
            }
            else
            {
                const int nCandidate =
                    nLineStart >= 0 ? MeasureTextWidth(pDC, strWork.Mid(nLineStart, nWordEnd - nLineStart))
                                    : nWordWidth;
                if (bWordBreak && nLineStart >= 0 && nCandidate > nMaxWidth)
                {
                    drawLine();
                    nLineStart = nWordStart;
                    nLineEnd = nWordEnd;
                    nLineWidth = nWordWidth;
                }
                else
                {
                    if (nLineStart < 0)
                        nLineStart = nWordStart;
                    nLineEnd = nWordEnd;
                    nLineWidth = nCandidate;
                }
            }
        }
        if (ch == L'\n' && nLineStart >= 0)
            drawLine();
        nWordStart = i + 1;
        if (y >= rcItem.bottom && bWordBreak)
            return;
    }
    if (nLineStart >= 0)
        drawLine();
}

void CLVKReportPaintManager::DrawWrappedLine(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs,
                                             LVK_REPORTRECORDITEM_METRICS* pMetrics, const CString& strWork,
                                             RECT rcLine, int nFirst, int nLast, int nLineWidth)
{
    CDC* pDC = pDrawArgs->pDC;
    CLVKReportRecordItem* pItem = pDrawArgs->pItem;
    int x = rcLine.left;
    if (pDrawArgs->nTextAlign & DT_RIGHT)
        x = std::max(rcLine.left, rcLine.right - nLineWidth);
    else if (pDrawArgs->nTextAlign & DT_CENTER)
        x = std::max(rcLine.left, rcLine.left + (rcLine.right - rcLine.left - nLineWidth) / 2);
    const int nSpace = TextExtent(pDC->m_hDC, CString(L" ")).cx;
    int nWordStart = nFirst;
    for (int i = nFirst; i <= nLast; i++)
    {
        if (i < nLast && !IsWordSeparator(strWork[i]))
            continue;
        const int nWordEnd = i;
        if (nWordEnd > nWordStart)
        {
            // At most one hyperlink a word: the first of the item's links,
            // two characters or longer, that lies on the line and occurs in
            // the word.
            CLVKReportHyperlink* pLink = nullptr;
            int nLinkPos = -1;
            for (int l = 0; l < pItem->GetHyperlinksCount() && !pLink; l++)
            {
                CLVKReportHyperlink* pCandidate = pItem->GetHyperlinkAt(l);
                if (!pCandidate || pCandidate->m_nHyperTextLen < 2)
                    continue;
                const int nStart = pCandidate->m_nHyperTextBegin;
                const int nEnd = nStart + pCandidate->m_nHyperTextLen;
                if (nStart < nFirst || nEnd > nLast)
                    continue;
                if (nStart >= nWordStart && nEnd <= nWordEnd)
                {
                    pLink = pCandidate;
                    nLinkPos = nStart;
                }
            }
            RECT rc = rcLine;
            if (pLink)
            {
                const CString strBefore = Unprotect(strWork.Mid(nWordStart, nLinkPos - nWordStart));
                if (!strBefore.IsEmpty())
                    DrawTextRun(x, pDC, strBefore, rc, DT_END_ELLIPSIS);
                DrawHyperlink(x, pDrawArgs, pLink, rc, strWork, DT_END_ELLIPSIS, FALSE);
                const int nAfter = nLinkPos + pLink->m_nHyperTextLen;
                const CString strAfter = Unprotect(strWork.Mid(nAfter, nWordEnd - nAfter));
                if (!strAfter.IsEmpty())
                    DrawTextRun(x, pDC, strAfter, rc, DT_END_ELLIPSIS);
            }
            else
                DrawTextRun(x, pDC, Unprotect(strWork.Mid(nWordStart, nWordEnd - nWordStart)), rc, DT_END_ELLIPSIS);
            x += nSpace;
        }
        nWordStart = i + 1;
    }
    (void)pMetrics;
}

void CLVKReportPaintManager::DrawLinkedText(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs,
                                            LVK_REPORTRECORDITEM_METRICS* pMetrics, const CString& strText,
                                            RECT rcItem, UINT nMode)
{
    CDC* pDC = pDrawArgs->pDC;
    CLVKReportRecordItem* pItem = pDrawArgs->pItem;
    if (pDrawArgs->pControl && pDrawArgs->pControl->IsIconView())
    {
        DrawWrappedLinkedText(pDrawArgs, pMetrics, strText, rcItem, TRUE);
        return;
    }
    const UINT nAlign = static_cast<UINT>(pDrawArgs->nTextAlign) & (DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM);
    if (!pItem || pItem->GetHyperlinksCount() == 0)
    {
        RECT rc = rcItem;
        DrawTextW(pDC->m_hDC, strText, strText.GetLength(), &rc,
                  nAlign | nMode | DT_SINGLELINE | DT_NOPREFIX | (nAlign & DT_BOTTOM ? 0 : DT_VCENTER));
        return;
    }
    RECT rcText = rcItem;
    RECT rcCalc = rcItem;
    DrawTextW(pDC->m_hDC, strText, strText.GetLength(), &rcCalc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    const int nTextWidth = rcCalc.right - rcCalc.left;
    const int nTextHeight = rcCalc.bottom - rcCalc.top;
    if (nTextWidth < rcItem.right - rcItem.left)
    {
        if (nAlign & DT_RIGHT)
            rcText.left = rcItem.right - nTextWidth;
        else if (nAlign & DT_CENTER)
            rcText.left = rcItem.left + (rcItem.right - rcItem.left - nTextWidth) / 2;
    }
    if (nTextHeight < rcItem.bottom - rcItem.top)
    {
        if (nAlign & DT_BOTTOM)
            rcText.top = rcItem.bottom - nTextHeight;
        else
            rcText.top = rcItem.top + (rcItem.bottom - rcItem.top - nTextHeight) / 2;
    }
    int x = rcText.left;
    int nPos = 0;
    for (int i = 0; i < pItem->GetHyperlinksCount(); i++)
    {
        CLVKReportHyperlink* pLink = pItem->GetHyperlinkAt(i);
        if (!pLink)
            continue;
        const int nStart = std::min(std::max(pLink->m_nHyperTextBegin, nPos), strText.GetLength());
        if (nStart > nPos)
        {
            CString strPlain = strText.Mid(nPos, nStart - nPos);
            strPlain.Remove(L'\r');
            strPlain.Remove(L'\n');
            const int nLength = strPlain.GetLength();
            if (DrawTextRun(x, pDC, strPlain, rcText, nMode) != nLength)
                return;
        }
        if (DrawHyperlink(x, pDrawArgs, pLink, rcText, strText, nMode, FALSE) < 0)
            return;
        nPos = std::min(strText.GetLength(), pLink->m_nHyperTextBegin + std::max(0, pLink->m_nHyperTextLen));
    }
    if (nPos < strText.GetLength())
    {
        CString strRest = strText.Mid(nPos);
        strRest.Remove(L'\r');
        strRest.Remove(L'\n');
        DrawTextRun(x, pDC, strRest, rcText, nMode);
    }
}

int CLVKReportPaintManager::DrawTextRun(int& x, CDC* pDC, const CString& strText, RECT rc, UINT nMode)
{
    HDC hDC = pDC->m_hDC;
    RECT rcRun{x, rc.top, rc.right, rc.bottom};
    switch (nMode)
    {
    case 0:
    case 1:
    case 2:
    case DT_END_ELLIPSIS:
    {
        const UINT nFlags = (nMode == DT_END_ELLIPSIS ? DT_END_ELLIPSIS : nMode) | DT_NOPREFIX | DT_SINGLELINE;
        if (rcRun.right > rcRun.left)
            DrawTextW(hDC, strText, strText.GetLength(), &rcRun, nFlags);
        x += MeasureTextWidth(pDC, strText);
        return x < rc.right ? strText.GetLength() : -1;
    }
    case DT_WORDBREAK:
    {
        CString strLine;
        int nStart = 0;
        const int nWidth = rc.right - x;
        for (int i = 0; i <= strText.GetLength(); i++)
        {
            if (i < strText.GetLength() && !IsWordSeparator(strText[i]))
                continue;
            if (i > nStart)
            {
                const CString strWord = strText.Mid(nStart, i - nStart);
                const CString strCandidate = strLine.IsEmpty() ? strWord : strLine + L" " + strWord;
                if (!strLine.IsEmpty() && MeasureTextWidth(pDC, strCandidate) >= nWidth)
                    break;
                strLine = strCandidate;
            }
            nStart = i + 1;
        }
        DrawTextW(hDC, strLine, strLine.GetLength(), &rcRun, DT_NOPREFIX | DT_SINGLELINE);
        x += MeasureTextWidth(pDC, strLine);
        return strLine.GetLength();
    }
    default:
        return 0;
    }
}

int CLVKReportPaintManager::DrawHyperlink(int& x, LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs, CLVKReportHyperlink* pLink,
                                          RECT rc, const CString& strText, UINT nMode, BOOL bTrim)
{
    const int nStart = pLink->m_nHyperTextBegin;
    if (nStart < 0 || nStart >= strText.GetLength() || pLink->m_nHyperTextLen < 1)
        return 0;
    CString strLink = Unprotect(strText.Mid(nStart, std::min(pLink->m_nHyperTextLen, strText.GetLength() - nStart)));
    if (bTrim)
        strLink.TrimRight();
    CDC* pDC = pDrawArgs->pDC;
    HDC hDC = pDC->m_hDC;
    CLVKReportControl* pControl = pDrawArgs->pControl;
    CLVKReportRow* pRow = pDrawArgs->pRow;
    const BOOL bFocusedCell = pControl && pRow && pRow->IsFocused() && pControl->IsFocusSubItems() &&
                              pDrawArgs->pColumn && pDrawArgs->pColumn == pControl->GetFocusedColumn();
    const COLORREF clrOld = GetTextColor(hDC);
    CFont fontLink;
    CLVKFontDC font(pDC, static_cast<CFont*>(nullptr));
    if (pRow && pRow->IsSelected() && pControl && pControl->HasFocus() && !bFocusedCell)
        SetTextColor(hDC, m_clrHighlightText);
    else
    {
        CLVKReportHyperlinkStyle* pStyle =
            pControl && pControl->GetHotHyperlink() == pLink ? &m_styleHyperlinkHover : &m_styleHyperlink;
        SetTextColor(hDC, pStyle->GetColor());
        if (pStyle->GetTextDecoration() == 1)
        {
            LOGFONTW lf{};
            GetObjectW(GetCurrentObject(hDC, OBJ_FONT), sizeof(lf), &lf);
            lf.lfUnderline = TRUE;
            fontLink.CreateFontIndirect(&lf);
            font.SetFont(&fontLink);
        }
    }
    TEXTMETRICW tm{};
    GetTextMetricsW(hDC, &tm);
    const int nLeft = x;
    const int nResult = DrawTextRun(x, pDC, strLink, rc, nMode);
    pLink->m_rcHyperSpot = RECT{nLeft, rc.top, x, rc.top + tm.tmHeight};
    font.RestoreFont();
    SetTextColor(hDC, clrOld);
    return nResult;
}
