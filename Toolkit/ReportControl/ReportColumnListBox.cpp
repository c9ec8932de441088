#include "ReportColumnListBox.h"

#include "ReportColumn.h"
#include "ReportColumns.h"
#include "ReportControl.h"
#include "ReportPaintManager.h"
#include "Foundation/FontDC.h"
#include "Foundation/DpiScaling.h"

int CLVKReportColumnListBox::FindItemData(int nItemIndex) const
{
    if (!m_hWnd)
        return -1;
    for (int i = GetCount() - 1; i >= 0; i--)
        if (GetItemData(i) == nItemIndex)
            return i;
    return -1;
}

CLVKReportColumn* CLVKReportColumnListBox::GetItemColumn(int nEntry) const
{
    if (!m_pReportControl || !m_hWnd || nEntry < 0 || nEntry >= GetCount())
        return nullptr;
    return m_pReportControl->GetColumns()->Find(GetItemData(nEntry));
}

CString CLVKReportColumnListBox::GetItemText(int nEntry) const
{
    if (!m_pReportControl || !m_hWnd || nEntry < 0 || nEntry >= GetCount())
        return CString();
    if (GetStyle() & LBS_HASSTRINGS)
    {
        const int nLength = static_cast<int>(SendMessage(LB_GETTEXTLEN, nEntry));
        CString strText;
        SendMessage(LB_GETTEXT, nEntry, reinterpret_cast<LPARAM>(strText.GetBuffer(nLength + 1)));
        strText.ReleaseBuffer();
        return strText;
    }
    CLVKReportColumn* pColumn = GetItemColumn(nEntry);
    return pColumn ? pColumn->GetCaption() : CString();
}

BOOL CLVKReportColumnListBox::UpdateList()
{
    if (!m_pReportControl || !m_hWnd)
        return FALSE;
    CFont* pFont = m_pReportControl->GetPaintManager()->GetTextFont();
    {
        CClientDC dc(this);
        CLVKFontDC font(&dc, pFont);
        const int nHeight = dc.GetTextExtent(L" ", 1).cy + CLVKDpiScaling::GetGlobal()->ScaleY(5);
        font.RestoreFont();
        if (static_cast<int>(SendMessage(LB_GETITEMHEIGHT, 0)) != nHeight)
            SendMessage(LB_SETITEMHEIGHT, 0, nHeight);
    }
    BOOL bChanged = FALSE;
    CLVKReportColumns* pColumns = m_pReportControl->GetColumns();
    for (int i = GetCount() - 1; i >= 0; i--)
    {
        CLVKReportColumn* pColumn = pColumns->Find(GetItemData(i));
        if (!pColumn || pColumn->IsVisible() || !pColumn->IsShowInFieldChooser())
        {
            SendMessage(LB_DELETESTRING, i);
            bChanged = TRUE;
        }
    }
    for (int i = 0; i < pColumns->GetCount(); i++)
    {
        CLVKReportColumn* pColumn = pColumns->GetAt(i);
        if (pColumn->IsVisible() || !pColumn->IsShowInFieldChooser() ||
            pColumn->GetItemIndex() == m_pReportControl->GetIconColumnIndex() ||
            FindItemData(pColumn->GetItemIndex()) >= 0)
            continue;
        int nInsert = -1;
        if (m_bSortedBySelf)
        {
            for (int j = 0; j < GetCount(); j++)
            {
                if (GetItemText(j).CompareNoCase(pColumn->GetCaption()) > 0)
                {
                    nInsert = j;
                    break;
                }
            }
        }
        const int nEntry = static_cast<int>(
            SendMessage(LB_INSERTSTRING, nInsert, reinterpret_cast<LPARAM>(pColumn->GetCaption().GetString())));
        SendMessage(LB_SETITEMDATA, nEntry, pColumn->GetItemIndex());
        bChanged = TRUE;
    }
    EnableWindow(GetCount() > 0);
    if (bChanged)
        Invalidate();
    return TRUE;
}
