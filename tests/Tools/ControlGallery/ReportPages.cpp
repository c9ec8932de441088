// The report pages ("report", "report-grouped", "report-tree", "report-icons",
// "report-rows" and "report-items"): a report control filling the dialog.
// Every notification the report sends is printed on standard output as
// "notify CODE ROW COLUMN" (ROW and COLUMN the indexes, or -1), so that
// scripts can follow what the report reports.
#include "GalleryPages.h"
#include "ReportPages.h"

#include "Foundation/AlphaBitmap.h"
#include "Foundation/IconImage.h"
#include "Foundation/ImageManager.h"
#include "ReportControl/ReportColumn.h"
#include "ReportControl/ReportColumns.h"
#include "ReportControl/ReportControl.h"
#include "ReportControl/ReportInplaceButton.h"
#include "ReportControl/ReportPaintManager.h"
#include "ReportControl/ReportRecord.h"
#include "ReportControl/ReportRecordItemButton.h"
#include "ReportControl/ReportRecordItemEditOptions.h"
#include "ReportControl/ReportRecordItemIcon.h"
#include "ReportControl/ReportRecordItemPreview.h"
#include "ReportControl/ReportRecordItemVariant.h"
#include "ReportControl/ReportRecordItemNumber.h"
#include "ReportControl/ReportRecordItemText.h"
#include "ReportControl/ReportRecords.h"
#include "ReportControl/ReportRow.h"

#include <cstdio>

ReportPageOptions& GetReportPageOptions()
{
    static ReportPageOptions options;
    return options;
}

namespace
{

const UINT kReportId = 1100;

// Receives the report's notifications in place of the dialog and prints them.
class CNotifyPrinter : public CWnd
{
public:
    BOOL CreatePrinter()
    {
        return CreateEx(0, nullptr, L"ReportNotifications", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY)
        {
            const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
            const int nCode = static_cast<int>(pHdr->code);
            int nRow = -1;
            int nColumn = -1;
            if (IsItemRecord(nCode))
            {
                const auto* pItem = reinterpret_cast<const REPORT_ITEM_NOTIFY*>(lParam);
                nRow = pItem->pRow ? pItem->pRow->GetIndex() : -1;
                nColumn = pItem->pColumn ? pItem->pColumn->GetIndex() : -1;
            }
            wprintf(L"notify %d %d %d\n", nCode, nRow, nColumn);
            fflush(stdout);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    // Codes whose record begins with row, item and column.
    static bool IsItemRecord(int nCode)
    {
        switch (nCode)
        {
        case static_cast<int>(NM_CLICK):
        case static_cast<int>(NM_DBLCLK):
        case static_cast<int>(NM_RCLICK):
        case REPORT_NOTIFY_HEADER_RCLICK:
        case REPORT_NOTIFY_CHECKED:
        case REPORT_NOTIFY_HYPERLINK:
        case REPORT_NOTIFY_VALUE_CHANGED:
        case REPORT_NOTIFY_ROW_EXPANDED:
        case REPORT_NOTIFY_LBUTTON_DOWN:
        case REPORT_NOTIFY_REQUEST_EDIT:
        case REPORT_NOTIFY_EDIT_CANCELED:
        case REPORT_NOTIFY_FOCUS_CHANGING:
        case REPORT_NOTIFY_BEGIN_EDIT:
        case REPORT_NOTIFY_LBUTTON_UP:
        case REPORT_NOTIFY_INPLACE_BUTTON_DOWN:
        case REPORT_NOTIFY_INPLACE_KEYDOWN:
        case REPORT_NOTIFY_ITEM_BUTTON_CLICK:
        case REPORT_NOTIFY_HOT_ROW_CHANGED:
            return true;
        default:
            return false;
        }
    }
};

enum class ReportKind
{
    Flat,
    Grouped,
    Tree,
    Icons,
    Rows,
    // Variant, icon and markup cells with previews under the rows.
    Items,
};

class ReportPage : public GalleryPage
{
public:
    explicit ReportPage(ReportKind kind) : m_kind(kind) {}

    CSize DefaultSize() const override { return CSize(640, 420); }

    void Create(CLVKResizeDialog& dlg) override
    {
        CRect rc;
        dlg.GetClientRect(&rc);
        rc.DeflateRect(8, 8);
        m_printer.CreatePrinter();
        m_report.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | WS_BORDER, rc, &dlg, kReportId);
        m_report.SetOwnerWindow(m_printer.m_hWnd);
        dlg.SetResize(kReportId, LVK_ANCHOR_TOPLEFT, LVK_ANCHOR_BOTTOMRIGHT);
        if (GetReportPageOptions().nReportTheme >= 0)
            m_report.SetTheme(GetReportPageOptions().nReportTheme);
        Fill();
        m_report.SetFocus();
    }

    void ApplyTheme(CLVKResizeDialog&, int) override {}

private:
    void Fill()
    {
        if (m_kind == ReportKind::Items)
        {
            FillItems();
            return;
        }
        CLVKReportColumn* pName = m_report.AddColumn(new CLVKReportColumn(0, L"Name", 160));
        CLVKReportColumn* pKind = m_report.AddColumn(new CLVKReportColumn(1, L"Kind", 90));
        CLVKReportColumn* pSize = m_report.AddColumn(new CLVKReportColumn(2, L"Size", 70));
        pSize->SetAlignment(DT_RIGHT);
        m_report.AddColumn(new CLVKReportColumn(3, L"Done", 60));
        m_report.AddColumn(new CLVKReportColumn(4, L"Link", 160));
        m_report.SetAllowEdit(TRUE);
        // Kinds are chosen from a list; sizes step with a spin button.
        CLVKReportRecordItemEditOptions* pKindOptions = pKind->GetEditOptions();
        for (LPCWSTR lpszKind : {L"Folder", L"Sheet", L"Text"})
            pKindOptions->AddConstraint(lpszKind);
        pKindOptions->AddComboButton();
        CLVKReportInplaceButton* pSpin = pSize->GetEditOptions()->AddSpinButton();
        pSpin->SetSpinButtonMin(0);
        pSpin->SetSpinButtonStep(10);
        static const struct
        {
            LPCWSTR name;
            LPCWSTR kind;
            double size;
            BOOL done;
            LPCWSTR link;
        } rows[] = {
            {L"Readme", L"Text", 12, TRUE, L"see [url=readme]notes[/url]"},
            {L"Budget", L"Sheet", 240, FALSE, L"plain text"},
            {L"Photos", L"Folder", 4096, TRUE, L"[url]open[/url] or [url]share[/url]"},
            {L"Archive", L"Folder", 1024, FALSE, L""},
            {L"Letter", L"Text", 3, FALSE, L"[url]draft[/url]"},
            {L"Summary", L"Sheet", 88, TRUE, L""},
        };
        for (const auto& row : rows)
        {
            auto* pRecord = new CLVKReportRecord();
            pRecord->AddItem(new CLVKReportRecordItemText(row.name));
            pRecord->AddItem(new CLVKReportRecordItemText(row.kind));
            pRecord->AddItem(new CLVKReportRecordItemNumber(row.size));
            CLVKReportRecordItem* pDone = pRecord->AddItem(new CLVKReportRecordItemText(L""));
            pDone->HasCheckboxEx(TRUE, FALSE);
            pDone->SetChecked(row.done);
            CLVKReportRecordItem* pLink = pRecord->AddItem(new CLVKReportRecordItemText(row.link));
            if (m_kind == ReportKind::Flat && !*row.link)
            {
                auto* pButton = new CLVKReportRecordItemButton(L"Add");
                pButton->SetAlignment(LVK_REPORT_CONTROL_RIGHT);
                pButton->SetSize(SIZE{48, 0});
                pLink->AddItemControl(pButton);
            }
            if ((m_kind == ReportKind::Tree || m_kind == ReportKind::Rows) && wcscmp(row.kind, L"Folder") == 0)
            {
                for (int i = 1; i <= 3; i++)
                {
                    CString strChild;
                    strChild.Format(L"%s item %d", row.name, i);
                    CLVKReportRecord* pChild = MakeChild(strChild, i * 10.0);
                    pRecord->GetChilds()->Add(pChild);
                }
                pRecord->SetExpanded(TRUE);
            }
            m_report.AddRecord(pRecord);
        }
        if (m_kind == ReportKind::Flat)
        {
            // The "Kind" cells of the two folders show as one merged cell.
            CLVKReportRecords* pRecords = m_report.GetRecords();
            CLVKReportRecordItem* pMaster = pRecords->GetAt(2)->GetItem(1);
            pMaster->SetMergeMaster(pMaster);
            pRecords->GetAt(3)->GetItem(1)->SetMergeMaster(pMaster);
            m_report.EnableCellMerging(TRUE);
        }
        if (m_kind == ReportKind::Tree || m_kind == ReportKind::Rows)
            pName->SetTreeColumn(TRUE);
        if (m_kind == ReportKind::Icons)
            ShowAsIcons();
        if (m_kind == ReportKind::Rows)
            ShowRowFeatures();
        if (m_kind == ReportKind::Grouped)
        {
            CLVKReportColumns* pColumns = m_report.GetColumns();
            pColumns->GetGroupsOrder()->Add(pColumns->GetAt(1));
            pColumns->SetSortColumn(pName, TRUE);
            m_report.ShowGroupBy(TRUE);
            m_report.ShowFooter(TRUE);
            pName->SetFooterText(L"6 files");
            pSize->SetFooterText(L"5463");
        }
        m_report.Populate();
    }

    // The icon view: each record shows its name under an icon of its kind.
    void ShowAsIcons()
    {
        CLVKImageManager* pIcons = m_report.GetImageManager();
        const LPCWSTR kinds[] = {L"Folder", L"Sheet", L"Text"};
        const LPCWSTR icons[] = {IDI_INFORMATION, IDI_WARNING, IDI_QUESTION};
        for (UINT i = 0; i < 3; i++)
        {
            CLVKIconImage image(::LoadIcon(nullptr, icons[i]), TRUE, TRUE);
            pIcons->StoreIconImage(image, i + 1, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0);
        }
        CLVKReportRecords* pRecords = m_report.GetRecords();
        for (int r = 0; r < pRecords->GetCount(); r++)
        {
            CLVKReportRecord* pRecord = pRecords->GetAt(r);
            const CString strKind = pRecord->GetItem(1)->GetCaption(nullptr);
            for (int k = 0; k < 3; k++)
            {
                if (strKind == kinds[k])
                    pRecord->GetItem(0)->SetIconIndex(k + 1);
            }
        }
        m_report.AddColumn(new CLVKReportColumn(9, L"Icon", 40, TRUE, -1, TRUE, FALSE));
        m_report.SetIconColumnIndex(9);
        m_report.SetIconViewCaptionIndex(0);
        m_report.ShowIconView(TRUE);
    }

    // Row numbers, tree lines from the roots, rows the user sizes, a
    // watermark, alternate row colours, dotted vertical grid lines that go on
    // below the last row, and two frozen columns.
    void ShowRowFeatures()
    {
        CLVKReportColumn* pNumbers = new CLVKReportColumn(9, L"#", 32, FALSE);
        m_report.AddColumn(pNumbers);
        m_report.GetColumns()->ChangeColumnOrder(0, m_report.GetColumns()->IndexOf(pNumbers));
        m_report.SetRowNumberColumnIndex(9);
        m_report.EnableRowNumberColumn(TRUE);
        m_report.SetFreezeColumnsCount(2);
        m_report.AllowRowSizing(TRUE);
        CLVKReportPaintManager* pPaint = m_report.GetPaintManager();
        pPaint->m_bTreeLinesForRootRows = TRUE;
        pPaint->m_bAlternateRowColor = TRUE;
        pPaint->m_clrAlternateRow = RGB(242, 246, 252);
        pPaint->SetGridStyle(TRUE, 1);
        pPaint->m_bEmptyAreaGrid = TRUE;
        HBITMAP hWatermark = MakeWatermark();
        m_report.SetWatermarkBitmap(hWatermark, 60);
        DeleteObject(hWatermark);
        m_report.SetWatermarkAlignment(0x0004 | 0x0040);
    }

    // A round badge drawn in code, for the watermark.
    static HBITMAP MakeWatermark()
    {
        const int nSize = 120;
        BYTE* pBits = nullptr;
        HBITMAP hBitmap = CreateDibSection32(nullptr, nSize, nSize, &pBits);
        HDC hDC = CreateCompatibleDC(nullptr);
        HGDIOBJ hOld = SelectObject(hDC, hBitmap);
        const RECT rc{0, 0, nSize, nSize};
        FillRect(hDC, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        HBRUSH hBrush = CreateSolidBrush(RGB(70, 110, 190));
        HGDIOBJ hOldBrush = SelectObject(hDC, hBrush);
        Ellipse(hDC, 10, 10, nSize - 10, nSize - 10);
        SelectObject(hDC, hOldBrush);
        DeleteObject(hBrush);
        SelectObject(hDC, hOld);
        DeleteDC(hDC);
        for (int i = 0; pBits && i < nSize * nSize; i++)
            pBits[i * 4 + 3] = 0xFF;
        return hBitmap;
    }

    // Markup captions and previews, values of several types, a status
    // chosen from a list and an icon cell.
    void FillItems()
    {
        m_report.AddColumn(new CLVKReportColumn(0, L"Name", 170));
        CLVKReportColumn* pValue = m_report.AddColumn(new CLVKReportColumn(1, L"Value", 120));
        pValue->SetAlignment(DT_RIGHT);
        CLVKReportColumn* pStatus = m_report.AddColumn(new CLVKReportColumn(2, L"Status", 100));
        m_report.AddColumn(new CLVKReportColumn(3, L"Label", 120));
        m_report.SetAllowEdit(TRUE);
        m_report.EnableMarkup(TRUE);
        m_report.EnablePreviewMode(TRUE);
        CLVKReportRecordItemEditOptions* pStatusOptions = pStatus->GetEditOptions();
        pStatusOptions->AddConstraint(L"Open", 0);
        pStatusOptions->AddConstraint(L"Done", 1);
        pStatusOptions->AddConstraint(L"Late", 2);
        pStatusOptions->m_bConstraintEdit = TRUE;
        pStatusOptions->AddComboButton();
        static const struct
        {
            LPCWSTR name;
            double value;
            VARTYPE type;
            long status;
            LPCWSTR preview;
        } rows[] = {
            {L"<TextBlock><Bold>Budget</Bold> 2024</TextBlock>", 1250.5, VT_R8, 1,
             L"The yearly budget, split by quarter and checked by the board."},
            {L"Meeting", 45000.5, VT_DATE, 0, L""},
            {L"<TextBlock><Run Foreground='#C00000'>Overdue</Run> report</TextBlock>", 3, VT_I4, 2,
             L"<TextBlock>A preview in <Italic>markup</Italic>.</TextBlock>"},
            {L"Notes", 0, VT_BSTR, 0, L"Plain text under the row, wrapped when it is longer than the row is wide."},
        };
        for (const auto& row : rows)
        {
            auto* pRecord = new CLVKReportRecord();
            pRecord->AddItem(new CLVKReportRecordItemText(row.name));
            COleVariant vtValue;
            if (row.type == VT_BSTR)
                vtValue = L"text value";
            else
                vtValue = COleVariant(row.value, row.type == VT_DATE ? VT_DATE : VT_R8);
            if (row.type == VT_I4)
                vtValue = static_cast<long>(row.value);
            pRecord->AddItem(new CLVKReportRecordItemVariant(vtValue));
            pRecord->AddItem(new CLVKReportRecordItemVariant(COleVariant(row.status)));
            CLVKReportRecordItem* pLabel = pRecord->AddItem(new CLVKReportRecordItemIcon());
            pLabel->SetCaptionText(L"label");
            pRecord->SetPreviewItem(new CLVKReportRecordItemPreview(row.preview));
            m_report.AddRecord(pRecord);
        }
        m_report.Populate();
    }

    static CLVKReportRecord* MakeChild(LPCWSTR lpszName, double dSize)
    {
        auto* pRecord = new CLVKReportRecord();
        pRecord->AddItem(new CLVKReportRecordItemText(lpszName));
        pRecord->AddItem(new CLVKReportRecordItemText(L"File"));
        pRecord->AddItem(new CLVKReportRecordItemNumber(dSize));
        pRecord->AddItem(new CLVKReportRecordItemText(L""));
        pRecord->AddItem(new CLVKReportRecordItemText(L""));
        return pRecord;
    }

    ReportKind m_kind;
    CNotifyPrinter m_printer;
    CLVKReportControl m_report;
};

}  // namespace

std::unique_ptr<GalleryPage> CreateReportPage()
{
    return std::make_unique<ReportPage>(ReportKind::Flat);
}

std::unique_ptr<GalleryPage> CreateReportGroupedPage()
{
    return std::make_unique<ReportPage>(ReportKind::Grouped);
}

std::unique_ptr<GalleryPage> CreateReportTreePage()
{
    return std::make_unique<ReportPage>(ReportKind::Tree);
}

std::unique_ptr<GalleryPage> CreateReportIconsPage()
{
    return std::make_unique<ReportPage>(ReportKind::Icons);
}

std::unique_ptr<GalleryPage> CreateReportRowsPage()
{
    return std::make_unique<ReportPage>(ReportKind::Rows);
}

std::unique_ptr<GalleryPage> CreateReportItemsPage()
{
    return std::make_unique<ReportPage>(ReportKind::Items);
}
