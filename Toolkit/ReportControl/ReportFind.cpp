// Text search over the items of a run of records (rows or records).
#include "ReportDefines.h"

#include "ReportColumns.h"
#include "ReportControl.h"
#include "ReportRecord.h"
#include "ReportRecordItem.h"

#include <utility>

BOOL AFX_CDECL LVKReportCaptionMatches(const CString& strCaption, const CString& strText, int nFlags)
{
    if (strCaption.IsEmpty())
        return FALSE;
    CString strIn = strCaption;
    CString strFind = strText;
    if (!(nFlags & LVK_REPORT_FIND_MATCHCASE))
    {
        strIn.MakeUpper();
        strFind.MakeUpper();
    }
    if (nFlags & LVK_REPORT_FIND_WHOLE)
        return strIn == strFind;
    if (nFlags & LVK_REPORT_FIND_START)
        return strIn.Left(strFind.GetLength()) == strFind;
    return strIn.Find(strFind) >= 0;
}

CLVKReportRecordItem* AFX_CDECL LVKReportFindRecordItem(CLVKReportControl* pControl, int nCount,
                                                        const std::function<CLVKReportRecord*(int)>& recordAt,
                                                        int nStartRow, int nEndRow, int nStartColumn, int nEndColumn,
                                                        int nFromRow, int nFromColumn, LPCWSTR lpszText, int nFlags)
{
    if (nCount <= 0 || !pControl || !lpszText)
        return nullptr;
    const int nColumns = pControl->GetColumns()->GetCount();
    if (nColumns <= 0)
        return nullptr;
    auto clamp = [](int n, int nLow, int nHigh) { return n < nLow ? nLow : (n > nHigh ? nHigh : n); };
    int nRow0 = clamp(nStartRow, 0, nCount - 1);
    int nRow1 = clamp(nEndRow, 0, nCount - 1);
    if (nRow0 > nRow1)
        std::swap(nRow0, nRow1);
    int nCol0 = clamp(nStartColumn, 0, nColumns - 1);
    int nCol1 = clamp(nEndColumn, 0, nColumns - 1);
    if (nCol0 > nCol1)
        std::swap(nCol0, nCol1);
    const int nRowFrom = clamp(nFromRow, nRow0, nRow1);
    const int nColFrom = clamp(nFromColumn, nCol0, nCol1);
    const BOOL bBackward = (nFlags & LVK_REPORT_FIND_BACKWARD) != 0;
    const int nStep = bBackward ? -1 : 1;
    const int nRowEnd = bBackward ? nRow0 : nRow1;
    const int nColStart = bBackward ? nCol1 : nCol0;
    const int nColEnd = bBackward ? nCol0 : nCol1;
    const CString strText = lpszText;
    for (int nRow = nRowFrom; bBackward ? nRow >= nRowEnd : nRow <= nRowEnd; nRow += nStep)
    {
        CLVKReportRecord* pRecord = recordAt(nRow);
        if (!pRecord)
            continue;
        for (int nItem = nColStart; bBackward ? nItem >= nColEnd : nItem <= nColEnd; nItem += nStep)
        {
            if (nRow == nRowFrom && (bBackward ? nItem > nColFrom : nItem < nColFrom))
                continue;
            CLVKReportRecordItem* pItem = pRecord->GetItem(nItem);
            if (!pItem)
                continue;
            if (LVKReportCaptionMatches(pItem->GetCaption(pControl->GetColumns()->Find(nItem)), strText, nFlags))
                return pItem;
        }
    }
    return nullptr;
}
