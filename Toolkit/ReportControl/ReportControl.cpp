#include "ReportControl.h"

#include "ReportBatchAllocator.h"
#include "ReportBehavior.h"
#include "ReportColumn.h"
#include "ReportColumns.h"
#include "ReportGroupRow.h"
#include "ReportHeader.h"
#include "ReportInplaceButton.h"
#include "ReportPaintManager.h"
#include "ReportRecord.h"
#include "ReportRecordItem.h"
#include "ReportRecordItemEditOptions.h"
#include "ReportRecordItemPreview.h"
#include "ReportRecords.h"
#include "ReportRow.h"
#include "ReportRows.h"
#include "ReportSection.h"
#include "ReportSections.h"
#include "ReportSelectedRows.h"
#include "ReportThemes.h"
#include "Foundation/FontDC.h"
#include "Foundation/BitmapDC.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/ImageManager.h"
#include "Foundation/AlphaBitmap.h"
#include "Foundation/BitmapLoaders.h"
#include "Foundation/ImageManagerIcon.h"
#include "Foundation/ResourceManager.h"
#include "Foundation/WindowHelpers.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupHelpers.h"

#include <windowsx.h>

IMPLEMENT_DYNCREATE(CLVKReportControl, CWnd)

namespace
{
const wchar_t kReportClassName[] = L"LVKReport";
// Posted when the control gets the focus back while a cell still shows its
// in-place buttons.
const UINT kMsgEndStaleEditing = WM_USER + 0x2A1;
// Delayed editing: the timer that opens the cell clicked twice, and the one
// that forgets it again.
const UINT_PTR kTimerDelayEdit = 20;
const UINT_PTR kTimerDelayEditReset = 10;

// Drops the parsed captions of every item of the records and their children,
// so that they are parsed again (as markup or plain text) with the context
// the records now find.
void ResetRecordsMarkup(CLVKReportRecords* pRecords)
{
    if (!pRecords || pRecords->IsVirtualMode())
        return;
    for (int i = 0; i < pRecords->GetCount(); i++)
    {
        CLVKReportRecord* pRecord = pRecords->GetAt(i);
        if (!pRecord)
            continue;
        pRecord->ResetMarkupUIElements();
        if (pRecord->HasChildren())
            ResetRecordsMarkup(pRecord->GetChilds());
    }
}

class CLVKReportRow_Batch : public CLVKBatchAllocObjT<CLVKReportRow, CLVKReportRowBatchManager>
{
};

class CLVKReportGroupRow_Batch : public CLVKBatchAllocObjT<CLVKReportGroupRow, CLVKReportGroupRowBatchManager>
{
};

class CLVKReportHeaderFooterRow : public CLVKHeapObjectT<CLVKReportRow, CLVKReportAllocatorDefault>
{
};
}  // namespace

CLVKReportControl::CLVKReportControl()
{
    RegisterWindowClass();
    m_nScrollStepH = LVKScaleX(7);
    m_nScrollStepV = LVKScaleY(7);
    UINT nLines = 0;
    if (SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0))
        m_nWheelLines = nLines == WHEEL_PAGESCROLL ? -1 : static_cast<int>(nLines);

    m_pSections = new CLVKReportSections(this);
    m_pSectionHeader = m_pSections->GetAt(0);
    m_pSectionBody = m_pSections->GetAt(1);
    m_pSectionFooter = m_pSections->GetAt(2);
    m_pSectionActive = m_pSectionBody;

    m_pSectionHeader->m_nHeightMode = 2;
    m_pSectionHeader->m_nDividerStyle = 1;
    m_pSectionHeader->m_nDividerPosition = 1;
    m_pSectionBody->m_nHeightMode = 3;
    m_pSectionBody->m_bAllowGroup = m_pSectionBody->m_bAllowSort = m_pSectionBody->m_bAllowFilter = TRUE;
    m_pSectionBody->m_bVisible = TRUE;
    m_pSectionFooter->m_nHeightMode = 2;
    m_pSectionFooter->m_nDividerStyle = 1;
    m_pSectionFooter->m_nDividerPosition = 0;
    m_pSectionFooter->GetBorder()->GetBorderThickness()->Set(0, 1, 0, 0);

    m_pColumns = new CLVKReportColumns(this);
    m_pReportHeader = new CLVKReportHeader(this, m_pColumns);
    m_pSelectedRows = new CLVKReportSelectedRows(this);
    m_pBehavior = std::make_unique<CLVKReportBehavior>(LVK_REPORT_BEHAVIOR_DEFAULT);
    m_pNavigator = std::make_unique<CLVKReportNavigator>(this);
    m_pIconNavigator = std::make_unique<CLVKReportIconNavigator>(this);
    m_pCurrentNavigator = m_pNavigator.get();
    m_pInplaceEdit = std::make_unique<CLVKReportInplaceEdit>();
    m_pInplaceList = std::make_unique<CLVKReportInplaceList>();
    m_pImageManager = new CLVKImageManager();
    SetTheme(1);
}

CLVKReportControl::~CLVKReportControl()
{
    m_tip.DestroyWindow();
    EndEditing(FALSE);
    SetMouseItem(nullptr);
    ResetContent(FALSE);
    EnableMarkup(FALSE);
    if (m_hCacheBitmap)
        DeleteObject(m_hCacheBitmap);
    if (m_hWatermark)
        DeleteObject(m_hWatermark);
    // Emptying the columns below takes the focus off their column, which
    // would count as a change of the selection and be reported to the owner
    // in the middle of the control's end: the focused column goes first,
    // unreported.
    m_pFocusedColumn = nullptr;
    m_pColumns->InternalRelease();
    if (m_pPaintManager)
        m_pPaintManager->InternalRelease();
    m_pReportHeader->InternalRelease();
    m_pImageManager->InternalRelease();
    if (m_pIconViewGroupOrder)
        m_pIconViewGroupOrder->InternalRelease();
    if (m_pIconViewColumns)
        m_pIconViewColumns->InternalRelease();
    m_pSections->InternalRelease();
    // What is released above may call back into the control as it goes (the
    // columns' end sets the focused column), and the control's answers read
    // and write the selection: the selection is released after them.
    m_pSelectedRows->InternalRelease();
    DestroyWindow();
}

void CLVKReportControl::SetImageManager(CLVKImageManager* pImageManager)
{
    if (!pImageManager || pImageManager == m_pImageManager)
        return;
    m_pImageManager->InternalRelease();
    m_pImageManager = pImageManager;
    RedrawControl();
}

HCURSOR CLVKReportControl::GetRowSizingCursor()
{
    if (!m_hRowSizingCursor)
        m_hRowSizingCursor = CLVKResourceManager::GetGlobal()->LoadCursor(9971);
    if (!m_hRowSizingCursor)
        m_hRowSizingCursor = ::LoadCursor(nullptr, IDC_SIZENS);
    return m_hRowSizingCursor;
}

void CLVKReportControl::ShowRowNumberColumn(BOOL bShow)
{
    if (bShow)
    {
        if (m_nSavedRowNumberColumnIndex >= 0)
            m_nRowNumberColumnIndex = m_nSavedRowNumberColumnIndex;
        if (m_nRowNumberColumnIndex >= 0 && m_bRowNumberColumn)
        {
            if (CLVKReportColumn* pColumn = m_pColumns->Find(m_nRowNumberColumnIndex))
                pColumn->SetVisible(TRUE);
        }
    }
    else
    {
        m_nSavedRowNumberColumnIndex = m_nRowNumberColumnIndex;
        if (m_nRowNumberColumnIndex >= 0 && m_bRowNumberColumn && !m_bIconView)
        {
            if (CLVKReportColumn* pColumn = m_pColumns->Find(m_nRowNumberColumnIndex))
                pColumn->SetVisible(FALSE);
        }
        m_nRowNumberColumnIndex = -1;
    }
    RedrawControl();
}

BOOL CLVKReportControl::SetWatermarkBitmap(HBITMAP hBitmap, BYTE nTransparency)
{
    m_nWatermarkTransparency = nTransparency;
    if (m_hWatermark)
        DeleteObject(m_hWatermark);
    m_hWatermark = nullptr;
    m_szWatermark = SIZE{};
    RedrawControl();
    if (!hBitmap)
        return TRUE;
    BITMAP bm{};
    if (!::GetObjectW(hBitmap, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight == 0)
        return FALSE;
    if (bm.bmBitsPixel == 32)
        m_hWatermark = DuplicateDibSection(hBitmap);
    else
    {
        // Any other depth is copied into a 32-bit picture of its size.
        const int cy = abs(bm.bmHeight);
        BYTE* pBits = nullptr;
        m_hWatermark = CreateDibSection32(nullptr, bm.bmWidth, cy, &pBits);
        if (m_hWatermark)
        {
            BOOL bCopied = FALSE;
            {
                CClientDC dcScreen(nullptr);
                CDC dcSource;
                CDC dcTarget;
                dcSource.CreateCompatibleDC(&dcScreen);
                dcTarget.CreateCompatibleDC(&dcScreen);
                CLVKBitmapDC source(&dcSource, CBitmap::FromHandle(hBitmap));
                CLVKBitmapDC target(&dcTarget, CBitmap::FromHandle(m_hWatermark));
                bCopied = ::BitBlt(dcTarget.m_hDC, 0, 0, bm.bmWidth, cy, dcSource.m_hDC, 0, 0, SRCCOPY);
            }
            // An opaque picture: every pixel's alpha is full.
            for (int i = 0; bCopied && pBits && i < bm.bmWidth * cy; i++)
                pBits[i * 4 + 3] = 0xFF;
            if (!bCopied)
            {
                DeleteObject(m_hWatermark);
                m_hWatermark = nullptr;
            }
        }
    }
    BITMAP bmCopy{};
    if (!m_hWatermark || !::GetObjectW(m_hWatermark, sizeof(bmCopy), &bmCopy))
    {
        if (m_hWatermark)
            DeleteObject(m_hWatermark);
        m_hWatermark = nullptr;
        return FALSE;
    }
    m_szWatermark = SIZE{bmCopy.bmWidth, abs(bmCopy.bmHeight)};
    return TRUE;
}

BOOL CLVKReportControl::SetWatermarkBitmapFile(LPCWSTR lpszPath, BYTE nTransparency)
{
    if (!lpszPath || !*lpszPath)
        return SetWatermarkBitmap(nullptr, nTransparency);
    BOOL bAlpha = -1;
    HBITMAP hBitmap = LoadBitmapFromFile(lpszPath, &bAlpha);
    if (!hBitmap)
    {
        SetWatermarkBitmap(nullptr, nTransparency);
        return FALSE;
    }
    const BOOL bResult = SetWatermarkBitmap(hBitmap, nTransparency);
    DeleteObject(hBitmap);
    return bResult;
}

void CLVKReportControl::DrawWatermark(CDC* pDC, RECT rcArea, RECT rcCanvas)
{
    if (!m_hWatermark || IsRectEmpty(&rcArea))
        return;
    const int nFlags = m_nWatermarkAlignment;
    const int nAreaWidth = rcArea.right - rcArea.left;
    const int nAreaHeight = rcArea.bottom - rcArea.top;
    RECT rcTarget = rcArea;
    SIZE szSource = m_szWatermark;
    if (!(nFlags & 0x100))
    {
        // Its own size, cut to the area.
        szSource.cx = std::min<LONG>(szSource.cx, nAreaWidth);
        szSource.cy = std::min<LONG>(szSource.cy, nAreaHeight);
        rcTarget.right = rcTarget.left + szSource.cx;
        rcTarget.bottom = rcTarget.top + szSource.cy;
    }
    else
    {
        if ((nFlags & 0x0300) == 0x0300)
        {
            szSource.cx = std::min<LONG>(szSource.cx, nAreaWidth);
            szSource.cy = std::min<LONG>(szSource.cy, nAreaHeight);
        }
        if ((nFlags & 0x0500) == 0x0500)
        {
            rcTarget.right = rcTarget.left + std::min(nAreaWidth, static_cast<int>(m_szWatermark.cx));
            rcTarget.bottom = rcTarget.top + std::min(nAreaHeight, static_cast<int>(m_szWatermark.cy));
        }
        if ((nFlags & 0x0900) == 0x0900 && szSource.cx > 0 && szSource.cy > 0)
        {
            int nWidth = rcTarget.right - rcTarget.left;
            int nHeight = rcTarget.bottom - rcTarget.top;
            nWidth = std::min(nWidth, static_cast<int>(static_cast<long long>(nHeight) * szSource.cx / szSource.cy));
            nHeight = std::min(nHeight, static_cast<int>(static_cast<long long>(nWidth) * szSource.cy / szSource.cx));
            rcTarget.right = rcTarget.left + nWidth;
            rcTarget.bottom = rcTarget.top + nHeight;
        }
    }
    const int nTargetWidth = rcTarget.right - rcTarget.left;
    const int nTargetHeight = rcTarget.bottom - rcTarget.top;
    if (nFlags & 0x0002)
        OffsetRect(&rcTarget, (nAreaWidth - nTargetWidth) / 2, 0);
    else if (nFlags & 0x0004)
        OffsetRect(&rcTarget, nAreaWidth - nTargetWidth, 0);
    if (nFlags & 0x0020)
        OffsetRect(&rcTarget, 0, (nAreaHeight - nTargetHeight) / 2);
    else if (nFlags & 0x0040)
        OffsetRect(&rcTarget, 0, nAreaHeight - nTargetHeight);

    CDC dcPicture;
    dcPicture.CreateCompatibleDC(pDC);
    CLVKBitmapDC picture(&dcPicture, CBitmap::FromHandle(m_hWatermark));
    CLVKImageManager* pBlender = CLVKImageManager::GetGlobal();
    if (!(nFlags & 0x100))
    {
        pBlender->BlendConstantAlpha(pDC, rcTarget, &dcPicture, RECT{0, 0, szSource.cx, szSource.cy},
                                     m_nWatermarkTransparency);
    }
    else
    {
        // The picture stretched on a white canvas, the canvas blended whole.
        const int cx = rcCanvas.right - rcCanvas.left;
        const int cy = rcCanvas.bottom - rcCanvas.top;
        CDC dcCanvas;
        dcCanvas.CreateCompatibleDC(pDC);
        BYTE* pBits = nullptr;
        HBITMAP hCanvas = CreateDibSection32(pDC->m_hDC, cx, cy, &pBits);
        if (hCanvas)
        {
            CLVKBitmapDC canvas(&dcCanvas, CBitmap::FromHandle(hCanvas));
            const RECT rcAll{0, 0, cx, cy};
            FillRect(dcCanvas.m_hDC, &rcAll, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            SetStretchBltMode(dcCanvas.m_hDC, HALFTONE);
            StretchBlt(dcCanvas.m_hDC, rcTarget.left - rcCanvas.left, rcTarget.top - rcCanvas.top, nTargetWidth,
                       nTargetHeight, dcPicture.m_hDC, 0, 0, szSource.cx, szSource.cy, SRCCOPY);
            pBlender->BlendConstantAlpha(pDC, rcCanvas, &dcCanvas, rcAll, m_nWatermarkTransparency);
            canvas.RestoreBitmap();
            DeleteObject(hCanvas);
        }
    }
}

int CLVKReportControl::GetDefaultRowHeight() const
{
    if (m_nDefaultRowHeight > 0)
        return m_nDefaultRowHeight;
    return m_pPaintManager ? m_pPaintManager->GetFixedRowHeight(nullptr, nullptr) : 0;
}

BOOL AFX_CDECL CLVKReportControl::RegisterWindowClass(HINSTANCE hInstance)
{
    if (!hInstance)
        hInstance = AfxGetResourceHandle();
    if (!hInstance)
        hInstance = GetModuleHandleW(nullptr);
    return LVKRegisterWindowClass(hInstance, kReportClassName, CS_DBLCLKS);
}

BOOL CLVKReportControl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    m_bCreatedByCreate = TRUE;
    return CWnd::Create(kReportClassName, nullptr, dwStyle, rect, pParentWnd, nID, pContext);
}

void CLVKReportControl::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    if (!m_bCreatedByCreate)
    {
        AdjustLayout();
        AdjustScrollBars();
    }
}

BOOL CLVKReportControl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd)
    {
        UINT nChar = static_cast<UINT>(pMsg->wParam);
        if (!OnPreviewKeyDown(nChar, LOWORD(pMsg->lParam), HIWORD(pMsg->lParam)))
            return TRUE;
        pMsg->wParam = nChar;
    }
    return CWnd::PreTranslateMessage(pMsg);
}

// Data ---------------------------------------------------------------------

CLVKReportRecords* CLVKReportControl::GetRecords() const
{
    return m_pSectionBody->GetRecords();
}
CLVKReportRows* CLVKReportControl::GetRows() const
{
    return m_pSectionBody->GetRows();
}
CLVKReportRecords* CLVKReportControl::GetHeaderRecords() const
{
    return m_pSectionHeader->GetRecords();
}
CLVKReportRows* CLVKReportControl::GetHeaderRows() const
{
    return m_pSectionHeader->GetRows();
}
CLVKReportRecords* CLVKReportControl::GetFooterRecords() const
{
    return m_pSectionFooter->GetRecords();
}
CLVKReportRows* CLVKReportControl::GetFooterRows() const
{
    return m_pSectionFooter->GetRows();
}

BOOL CLVKReportControl::IsVirtualMode() const
{
    return GetRecords()->IsVirtualMode();
}

CLVKReportRecord* CLVKReportControl::AddRecord(CLVKReportRecord* pRecord)
{
    return m_pSectionBody->AddRecord(pRecord);
}

int CLVKReportControl::InsertRow(int nIndex, CLVKReportRow* pRow)
{
    return m_pSectionBody->InsertRow(nIndex, pRow);
}

void CLVKReportControl::ReSort()
{
    m_pSections->ReSort();
}

void CLVKReportControl::PopulateHeaderRows()
{
    m_pSectionHeader->Populate(TRUE);
}

void CLVKReportControl::PopulateFooterRows()
{
    m_pSectionFooter->Populate(TRUE);
}

void CLVKReportControl::ShowHeaderRows(BOOL bShow)
{
    const BOOL bHadFocus = m_pSectionHeader->GetRows()->GetFocusedRowIndex() >= 0;
    m_pSectionHeader->m_bVisible = bShow;
    AdjustLayout();
    AdjustScrollBars();
    // Hidden rows cannot keep the focus: it goes back to the body.
    if (!bShow && bHadFocus)
        m_pCurrentNavigator->OnHeaderHidden(FALSE);
}

void CLVKReportControl::ShowFooterRows(BOOL bShow)
{
    const BOOL bHadFocus = m_pSectionFooter->GetRows()->GetFocusedRowIndex() >= 0;
    m_pSectionFooter->m_bVisible = bShow;
    AdjustLayout();
    AdjustScrollBars();
    if (!bShow && bHadFocus)
        m_pCurrentNavigator->OnFooterHidden(FALSE);
}

void CLVKReportControl::Populate()
{
    EndEditing(FALSE);
    BeginUpdate();
    m_pSelectedRows->Clear(FALSE);
    m_pSectionHeader->Populate(FALSE);
    m_pSectionBody->Populate(FALSE);
    m_pSectionFooter->Populate(FALSE);
    m_pReportHeader->SetGroupByColumnCount(m_pColumns->GetGroupsOrder()->GetCount());
    AdjustLayout();
    AdjustScrollBars();

    CLVKReportRows* pRows = GetRows();
    if (pRows->GetFocusedRowIndex() == -1)
    {
        m_pSectionBody->SetTopRowIndex(0);
        if (pRows->GetCount() > 0)
        {
            pRows->SetFocusedRowIndex(0);
            if (m_pSectionBody->m_bSelectionEnable && m_bInitialSelectionEnable)
            {
                CLVKReportRow* pRow = pRows->GetAt(0);
                while (m_bSkipGroupsFocus && pRow->IsGroupRow() && pRow->HasChildren())
                    pRow = pRow->GetChilds(FALSE)->GetAt(0);
                m_pSelectedRows->Select(pRow);
            }
        }
    }
    else
        EnsureVisible(pRows->GetFocusedRow());

    if (!m_pFocusedColumn && m_bFocusSubItems)
    {
        // The first focusable column, column 0 included: a one-column report
        // still gets a focused cell.
        CLVKReportRow* pTop = pRows->GetAt(m_pSectionBody->GetTopRowIndex());
        CLVKReportColumn* pFirst = m_pColumns->GetFirstVisibleColumn();
        m_pFocusedColumn = pFirst;
        if (pTop && pFirst)
        {
            CLVKReportRecordItem* pItem = pTop->GetRecord() ? pTop->GetRecord()->GetItem(pFirst) : nullptr;
            if (!pItem || !pItem->IsFocusable())
                m_pFocusedColumn = GetNextFocusableColumn(pTop, m_pColumns->IndexOf(pFirst), 1);
        }
    }
    EndUpdate();
    AdjustScrollBars();
    if (m_pSelectedRows->IsChanged() && m_pBehavior->Notifications.Populate.bSelectionChanged)
        OnSelectionChanged();
}

void CLVKReportControl::ResetContent(BOOL bUpdateControl)
{
    EndEditing(FALSE);
    m_pSections->ResetContent();
    m_pSelectedRows->Clear(FALSE);
    if (bUpdateControl)
    {
        m_pReportHeader->SetGroupByColumnCount(m_pColumns->GetGroupsOrder()->GetCount());
        AdjustScrollBars();
        RedrawControl();
    }
}

CLVKReportRow* CLVKReportControl::CreateRow()
{
    return new (std::nothrow) CLVKReportRow_Batch();
}

CLVKReportGroupRow* CLVKReportControl::CreateGroupRow()
{
    return new (std::nothrow) CLVKReportGroupRow_Batch();
}

CLVKReportRow* CLVKReportControl::CreateHeaderFooterRow()
{
    return new (std::nothrow) CLVKReportHeaderFooterRow();
}

// Columns --------------------------------------------------------------------

CLVKReportColumn* CLVKReportControl::AddColumn(CLVKReportColumn* pColumn)
{
    m_pColumns->Add(pColumn);
    return pColumn;
}

CLVKReportColumn* CLVKReportControl::GetNextFocusableColumn(CLVKReportRow* pRow, int nColumnIndex, int nDirection)
{
    if (!pRow || !pRow->GetRecord())
        return nullptr;
    for (int i = m_pReportHeader->GetNextVisibleColumn(nColumnIndex, nDirection); i >= 0;
         i = m_pReportHeader->GetNextVisibleColumn(i, nDirection))
    {
        CLVKReportColumn* pColumn = m_pColumns->GetAt(i);
        CLVKReportRecordItem* pItem = pRow->GetRecord()->GetItem(pColumn);
        if (pItem && pItem->IsFocusable())
            return pColumn;
    }
    return nullptr;
}

int CLVKReportControl::GetFreezeColumnsCount() const
{
    int n = 0;
    for (int i = 0; i < m_pColumns->GetCount(); i++)
    {
        CLVKReportColumn* pColumn = m_pColumns->GetAt(i);
        if (!pColumn->IsFrozen())
            break;
        if (pColumn->IsVisible())
            n++;
    }
    return n;
}

void CLVKReportControl::SetFreezeColumnsCount(int nCount)
{
    for (int i = 0; i < m_pColumns->GetCount(); i++)
        m_pColumns->GetAt(i)->SetFrozen(i < nCount);
    AdjustScrollBars();
    RedrawControl();
}

BOOL CLVKReportControl::SetFocusedColumn(CLVKReportColumn* pColumn)
{
    if (pColumn == m_pFocusedColumn)
        return TRUE;
    if (m_bFocusSubItems && pColumn && !OnFocusChanging(nullptr, pColumn))
        return FALSE;
    m_pFocusedColumn = pColumn;
    if (m_bFocusSubItems)
    {
        if (pColumn)
            EnsureColumnVisible(pColumn);
        // A new focused cell counts as a change of the selection.
        OnSelectionChanged();
    }
    RedrawControl();
    return TRUE;
}

// Appearance -----------------------------------------------------------------

void CLVKReportControl::SetTheme(int nReportTheme, BOOL bThemeMetrics)
{
    m_bThemeMetrics = bThemeMetrics;
    SetPaintManager(LVKCreateReportTheme(nReportTheme));
}

void CLVKReportControl::SetPaintManager(CLVKReportPaintManager* pPaintManager)
{
    if (!pPaintManager)
        return;
    if (m_pPaintManager)
    {
        m_pPaintManager->SetReportControl(nullptr);
        m_pPaintManager->InternalRelease();
    }
    m_pPaintManager = pPaintManager;
    m_pPaintManager->SetReportControl(this);
    m_pPaintManager->RefreshMetrics();
    AdjustLayout();
    AdjustScrollBars();
    RedrawControl();
    if (m_hWnd)
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

BOOL CLVKReportControl::IsHeaderRowsVisible() const
{
    return m_pSectionHeader->m_bVisible;
}

BOOL CLVKReportControl::IsFooterRowsVisible() const
{
    return m_pSectionFooter->m_bVisible;
}

int CLVKReportControl::GetIconViewItemsPerLine(int nWidth) const
{
    return m_szIconSpacing.cx > 0 ? std::max<int>(1, nWidth / m_szIconSpacing.cx) : 1;
}

// Switching the view hides every column but the icon column, the header and
// the footer, and gives them back when it is switched off.
BOOL CLVKReportControl::ShowIconView(BOOL bShow)
{
    if (m_nIconColumnIndex == -1)
    {
        m_bIconView = FALSE;
        return FALSE;
    }
    if (bShow == m_bIconView)
        return bShow;
    CLVKReportColumnOrder* pGroups = m_pColumns->GetGroupsOrder();
    CLVKReportColumn* pIconColumn = m_pColumns->Find(m_nIconColumnIndex);
    if (bShow)
    {
        m_pCurrentNavigator = m_pIconNavigator.get();
        if (!m_pIconViewGroupOrder)
            m_pIconViewGroupOrder = new CLVKReportColumnOrder(m_pColumns);
        if (!m_pIconViewColumns)
            m_pIconViewColumns = new CLVKReportColumnOrder(m_pColumns);
        m_pIconViewGroupOrder->Clear();
        if (pGroups->GetCount() > 0)
        {
            for (int i = 0; i < pGroups->GetCount(); i++)
            {
                m_pIconViewGroupOrder->Add(pGroups->GetAt(i));
                pGroups->GetAt(i)->SetVisible(FALSE);
            }
            pGroups->Clear();
            Populate();
        }
        m_pIconViewColumns->Clear();
        for (int i = 0; i < m_pColumns->GetCount(); i++)
        {
            CLVKReportColumn* pColumn = m_pColumns->GetAt(i);
            if (pColumn->IsVisible())
            {
                m_pIconViewColumns->Add(pColumn);
                pColumn->SetVisible(FALSE);
            }
        }
        m_szIcon = SIZE{GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
        m_szIconSpacing.cx = LVKScaleX(5) + GetSystemMetrics(SM_CXICONSPACING);
        m_szIconSpacing.cy = std::max(GetSystemMetrics(SM_CYICONSPACING),
                                      static_cast<int>(m_szIcon.cy) + 2 * m_pPaintManager->GetRowHeightDefault());
        if (pIconColumn)
        {
            pIconColumn->SetVisible(TRUE);
            if (pIconColumn->IsAutoSize())
                m_iconViewSaved.nIconColumnWidth = pIconColumn->GetWidth();
            pIconColumn->SetWidth(m_szIcon.cx);
            pIconColumn->SetIconViewColumn(TRUE);
        }
        m_iconViewSaved.bHeaderVisible = m_bHeaderVisible;
        m_bHeaderVisible = FALSE;
        AdjustLayout();
        AdjustScrollBars();
        m_iconViewSaved.bFooterVisible = m_bFooterVisible;
        m_bFooterVisible = FALSE;
        AdjustLayout();
        AdjustScrollBars();
        m_iconViewSaved.bFocusSubItems = m_bFocusSubItems;
        m_iconViewSaved.bAutoColumnSizing = m_pReportHeader->IsAutoColumnSizing();
        m_bFocusSubItems = FALSE;
        m_pFocusedColumn = nullptr;
        m_pReportHeader->SetAutoColumnSizing(TRUE);
        m_iconViewSaved.bHeaderRowsVisible = m_pSectionHeader->m_bVisible;
        m_iconViewSaved.bFooterRowsVisible = m_pSectionFooter->m_bVisible;
        ShowHeaderRows(FALSE);
        ShowFooterRows(FALSE);
        m_nIconsPerLine = GetIconViewItemsPerLine(m_pReportHeader->GetWidth());
        m_iconViewSaved.nTreeIndent = m_pPaintManager->GetTreeIndent();
        m_iconViewSaved.nGroupRowIndent = m_pPaintManager->m_nGroupRowIndent;
        m_pPaintManager->SetTreeIndent(0);
        m_pPaintManager->m_nGroupRowIndent = 0;
        m_bIconView = TRUE;
    }
    else
    {
        m_pCurrentNavigator = m_pNavigator.get();
        m_pPaintManager->SetTreeIndent(m_iconViewSaved.nTreeIndent);
        m_pReportHeader->SetAutoColumnSizing(m_iconViewSaved.bAutoColumnSizing);
        m_bIconView = FALSE;
        if (pIconColumn)
        {
            pIconColumn->SetIconViewColumn(FALSE);
            pIconColumn->SetVisible(FALSE);
            pIconColumn->SetWidth(0);
        }
        for (int i = 0; m_pIconViewColumns && i < m_pIconViewColumns->GetCount(); i++)
        {
            CLVKReportColumn* pColumn = m_pIconViewColumns->GetAt(i);
            pColumn->SetVisible(TRUE);
            if (pColumn->GetWidth() == 0)
                pColumn->SetWidth(pColumn->GetDefaultWidth());
        }
        for (int i = 0; m_pIconViewGroupOrder && i < m_pIconViewGroupOrder->GetCount(); i++)
        {
            pGroups->Add(m_pIconViewGroupOrder->GetAt(i));
            m_pIconViewGroupOrder->GetAt(i)->SetVisible(TRUE);
        }
        Populate();
        m_bHeaderVisible = m_iconViewSaved.bHeaderVisible;
        AdjustLayout();
        AdjustScrollBars();
        m_bFooterVisible = m_iconViewSaved.bFooterVisible;
        AdjustLayout();
        AdjustScrollBars();
        if (m_iconViewSaved.bFocusSubItems)
        {
            m_bFocusSubItems = TRUE;
            m_pFocusedColumn = nullptr;
        }
        ShowHeaderRows(m_iconViewSaved.bHeaderRowsVisible);
        ShowFooterRows(m_iconViewSaved.bFooterRowsVisible);
        m_pPaintManager->m_nGroupRowIndent = m_iconViewSaved.nGroupRowIndent;
    }
    if (CLVKReportRow* pFirst = GetRows()->GetAt(0))
        m_pSelectedRows->Remove(pFirst);
    AdjustScrollBars();
    RedrawControl();
    return bShow;
}

void CLVKReportControl::DrawIconView(CDC* pDC, RECT rcBody)
{
    CLVKReportRows* pRows = GetRows();
    pRows->ClearScreenRows();
    const int nPerLine = GetIconViewItemsPerLine(m_pReportHeader->GetWidth());
    m_nIconsPerLine = nPerLine;
    int nIndex = m_pSectionBody->GetTopRowIndex();
    nIndex = (nIndex + nPerLine - 1) / nPerLine * nPerLine;
    int x = rcBody.left;
    int y = rcBody.top;
    const int nFirst = nIndex;
    const int nSaved = SaveDC(pDC->m_hDC);
    IntersectClipRect(pDC->m_hDC, rcBody.left, rcBody.top, rcBody.right, rcBody.bottom);
    for (; nIndex < pRows->GetCount(); nIndex++)
    {
        if (nIndex % nPerLine == 0)
        {
            x = rcBody.left;
            if (nIndex != nFirst)
                y += m_szIconSpacing.cy;
        }
        else
            x += m_szIconSpacing.cx;
        if (y >= rcBody.bottom)
            break;
        CLVKReportRow* pRow = pRows->GetAt(nIndex);
        const RECT rcCell{x, y, x + m_szIconSpacing.cx, y + m_szIconSpacing.cy};
        pRow->Draw(pDC, rcCell, rcBody, 0, 0, m_pColumns->GetCount());
        KeepScreenRow(pRows, pRow);
    }
    RestoreDC(pDC->m_hDC, nSaved);
    if (pRows->GetCount() == 0)
        DrawNoItems(pDC, rcBody);
}

void CLVKReportControl::DrawIconViewCell(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs)
{
    CLVKReportRow* pRow = pDrawArgs->pRow;
    CLVKReportRecord* pRecord = pRow ? pRow->GetRecord() : nullptr;
    if (!pRecord)
        return;
    CDC* pDC = pDrawArgs->pDC;
    HDC hDC = pDC->m_hDC;
    CLVKReportRecordItem* pCaptionItem = pRecord->GetItem(m_nIconViewCaptionIndex);
    CLVKReportColumn* pCaptionColumn = m_pColumns->Find(m_nIconViewCaptionIndex);
    const CString strCaption = pCaptionItem ? pCaptionItem->GetCaption(pCaptionColumn) : CString();
    int nIcon = pCaptionItem ? pCaptionItem->GetIconIndex() : -1;
    if (nIcon < 0)
        nIcon = m_nIconViewIcon;
    RECT rcCell = pDrawArgs->rcItem;
    InflateRect(&rcCell, -LVKScaleX(1), -LVKScaleY(1));

    // The icon, centred at the top.
    if (nIcon >= 0 && m_pImageManager)
    {
        if (CLVKImageManagerIcon* pIcon = m_pImageManager->FindIcon(nIcon, m_szIcon.cx))
        {
            const SIZE sz = pIcon->GetExtent();
            pIcon->Draw(pDC, (rcCell.left + rcCell.right - sz.cx) / 2, rcCell.top + LVKScaleY(2));
        }
    }
    // The caption, wrapped under the icon on at most the caption lines.
    RECT rcText{rcCell.left + LVKScaleX(2), rcCell.top + m_szIcon.cy + LVKScaleY(4), rcCell.right - LVKScaleX(2),
                rcCell.bottom};
    if (strCaption.IsEmpty() || rcText.right <= rcText.left)
        return;
    CLVKFontDC font(pDC, m_pPaintManager->GetTextFont());
    const UINT nFormat = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL | DT_END_ELLIPSIS | DT_WORD_ELLIPSIS;
    RECT rcMeasured = rcText;
    DrawTextW(hDC, strCaption, strCaption.GetLength(), &rcMeasured, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
    TEXTMETRICW tm{};
    GetTextMetricsW(hDC, &tm);
    const int nLines = m_pPaintManager->CalcCaptionLineCount(pDC, rcText, strCaption);
    const int nWidth = std::min(static_cast<int>(rcMeasured.right - rcMeasured.left) + LVKScaleX(4),
                                static_cast<int>(rcText.right - rcText.left));
    rcText.left = (rcCell.left + rcCell.right - nWidth) / 2;
    rcText.right = rcText.left + nWidth;
    rcText.bottom = std::min(rcText.bottom, rcText.top + std::max(1, nLines) * tm.tmHeight + LVKScaleY(2));
    COLORREF clrText = m_pPaintManager->m_clrWindowText;
    if (pRow->IsSelected() && !pDC->m_bPrinting && (HasFocus() || !m_pPaintManager->m_bHideSelection))
    {
        const BOOL bFocused = HasFocus();
        clrText = bFocused ? m_pPaintManager->m_clrHighlightText : m_pPaintManager->m_clrSelectedRowText;
        const COLORREF clrBack = bFocused ? m_pPaintManager->m_clrHighlight : m_pPaintManager->m_clrSelectedRow;
        const COLORREF clrOld = SetBkColor(hDC, clrBack);
        ExtTextOutW(hDC, 0, 0, ETO_OPAQUE, &rcText, nullptr, 0, nullptr);
        SetBkColor(hDC, clrOld);
    }
    if (pRow->IsFocused() && HasFocus() && m_bShowFocusFrame && !pDC->m_bPrinting)
    {
        RECT rcFocus = rcText;
        InflateRect(&rcFocus, LVKScaleX(1), LVKScaleY(1));
        m_pPaintManager->DrawFocusedRow(pDC, rcFocus);
    }
    SetBkMode(hDC, TRANSPARENT);
    SetTextColor(hDC, clrText);
    RECT rcDraw = rcText;
    rcDraw.top += LVKScaleY(1);
    DrawTextW(hDC, strCaption, strCaption.GetLength(), &rcDraw, nFormat);
}

void CLVKReportControl::SetGroupRowsBold(BOOL bBold)
{
    m_pPaintManager->m_bGroupRowTextBold = bBold;
    RedrawControl();
}

void CLVKReportControl::ShadeGroupHeadings(BOOL bShade)
{
    m_pPaintManager->m_bShadeGroupHeadings = bShade;
    AdjustScrollBars();
    RedrawControl();
}

void CLVKReportControl::ShowHeader(BOOL bShow)
{
    m_bHeaderVisible = bShow;
    AdjustLayout();
    AdjustScrollBars();
    RedrawControl();
}

void CLVKReportControl::ShowFooter(BOOL bShow)
{
    m_bFooterVisible = bShow;
    AdjustLayout();
    AdjustScrollBars();
    RedrawControl();
}

void CLVKReportControl::ShowGroupBy(BOOL bShow)
{
    m_bGroupByEnabled = bShow;
    AdjustLayout();
    AdjustScrollBars();
    RedrawControl();
}

void CLVKReportControl::SetScrollMode(int nOrientation, int nMode)
{
    if (nOrientation == 0 || nOrientation == 2)
        m_nScrollModeH = nMode;
    if (nOrientation == 1 || nOrientation == 2)
        m_nScrollModeV = nMode;
    AdjustScrollBars();
}

int CLVKReportControl::GetScrollMode(int nOrientation) const
{
    return nOrientation == 0 ? m_nScrollModeH : (nOrientation == 1 ? m_nScrollModeV : 0);
}

void CLVKReportControl::SetFullColumnScrolling(BOOL bSet)
{
    m_nScrollModeH = bSet ? 1 : 2;
    if (m_hWnd)
    {
        SetHScrollOffset(0);
        RedrawControl();
        UpdateWindow();
        AdjustScrollBars();
    }
}

BOOL CLVKReportControl::IsFullColumnScrolling() const
{
    return m_nScrollModeH == 1 && !m_pReportHeader->IsAutoColumnSizing();
}

void CLVKReportControl::SetInitialSelectionEnable(BOOL bEnable)
{
    m_bInitialSelectionEnable = bEnable;
    if (!bEnable)
        m_pSelectedRows->Clear(FALSE);
}

void CLVKReportControl::SetSelectionEnable(BOOL bEnable)
{
    m_pSectionBody->m_bSelectionEnable = bEnable;
    if (!bEnable)
    {
        m_bInitialSelectionEnable = FALSE;
        m_bMultipleSelection = FALSE;
        m_bSelectionToggle = FALSE;
        m_pSelectedRows->Clear(FALSE);
    }
}

void CLVKReportControl::UnselectGroupRows()
{
    if (!m_bSkipGroupsFocus || IsVirtualMode())
        return;
    CLVKReportRows* pRows = GetRows();
    std::vector<CLVKReportRow*> groupRows;
    for (const auto& block : m_pSelectedRows->GetBlocks())
    {
        for (int i = block.nIndexBegin; i < block.nIndexEnd; i++)
        {
            CLVKReportRow* pRow = pRows->GetAt(i);
            if (pRow && pRow->IsGroupRow())
                groupRows.push_back(pRow);
        }
    }
    for (auto* pRow : groupRows)
        m_pSelectedRows->Remove(pRow);
}

void CLVKReportControl::SetAllowEdit(BOOL bAllow)
{
    m_pSectionBody->m_bAllowEdit = bAllow;
}

BOOL CLVKReportControl::IsAllowEdit() const
{
    return m_pSectionBody->m_bAllowEdit;
}

void CLVKReportControl::SetAllowGroup(BOOL bAllow)
{
    m_pSectionBody->m_bAllowGroup = bAllow;
}

namespace
{
// The filter's answer when the record's own switch or an empty filter text
// decides it; -1 when the words must be looked for.
int FilterDecidedAlone(CLVKReportRecord* pRecord, LPCWSTR lpszFilterText)
{
    if (!pRecord)
        return FALSE;
    if (pRecord->IsFiltered())
        return TRUE;
    if (!lpszFilterText || !*lpszFilterText)
        return FALSE;
    return -1;
}
}  // namespace

// TRUE hides the record: its own filter says so, or the filter text's words
// are not all found in it. With a tree filter mode a parent stays while one of
// its children stays (mode 2 hides a parent whose children are all hidden).
BOOL CLVKReportControl::IsRecordFiltered(CLVKReportRecord* pRecord)
{
    return IsRecordFiltered(pRecord, GetFilterText(), m_bFilterPreview);
}

BOOL CLVKReportControl::IsRecordFiltered(CLVKReportRecord* pRecord, LPCWSTR lpszFilterText, BOOL bSearchPreview)
{
    const int nDecided = FilterDecidedAlone(pRecord, lpszFilterText);
    if (nDecided >= 0)
        return nDecided;
    if (m_nTreeFilterMode != 0 && pRecord->HasChildren())
    {
        CLVKReportRecords* pChildren = pRecord->GetChilds();
        for (int i = 0; i < pChildren->GetCount(); i++)
        {
            if (!IsRecordFiltered(pChildren->GetAt(i), lpszFilterText, bSearchPreview))
                return FALSE;
        }
        if (m_nTreeFilterMode == 2)
            return TRUE;
    }
    return IsFilteredByText(pRecord, lpszFilterText, bSearchPreview);
}

BOOL CLVKReportControl::IsFilteredByText(CLVKReportRecord* pRecord, LPCWSTR lpszFilterText, BOOL bSearchPreview)
{
    const int nDecided = FilterDecidedAlone(pRecord, lpszFilterText);
    if (nDecided >= 0)
        return nDecided;
    // Words split at blanks and tabs (only at tabs with the tab-separated
    // filter), lower-cased by the locale.
    std::vector<CString> words;
    CString strWord;
    for (LPCWSTR p = lpszFilterText;; ++p)
    {
        const BOOL bSeparator = *p == L'\t' || (*p == L' ' && !m_bFilterTabSeparated);
        if (*p == 0 || bSeparator)
        {
            if (!strWord.IsEmpty())
            {
                strWord.MakeLower();
                words.push_back(strWord);
            }
            strWord.Empty();
            if (*p == 0)
                break;
        }
        else
            strWord += *p;
    }
    for (const CString& word : words)
    {
        BOOL bFound = FALSE;
        for (int i = 0; i < m_pColumns->GetCount() && !bFound; i++)
        {
            CLVKReportColumn* pColumn = m_pColumns->GetAt(i);
            if (!(pColumn->IsVisible() || m_dwFilterOptions != 0) || !pColumn->IsFiltrable())
                continue;
            CLVKReportRecordItem* pItem = pRecord->GetItem(pColumn);
            if (!pItem)
                continue;
            CString strCaption = pItem->GetCaption(pColumn);
            strCaption.MakeLower();
            bFound = strCaption.Find(word) >= 0;
        }
        if (!bFound && bSearchPreview && pRecord->GetItemPreview())
        {
            CString strPreview = pRecord->GetItemPreview()->GetPreviewText();
            strPreview.MakeLower();
            bFound = strPreview.Find(word) >= 0;
        }
        if (!bFound)
            return TRUE;
    }
    return FALSE;
}

BOOL CLVKReportControl::IsRightToLeft() const
{
    return m_hWnd && (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
}

BOOL CLVKReportControl::HasFocus() const
{
    HWND hFocus = ::GetFocus();
    if (!hFocus || !m_hWnd)
        return FALSE;
    if (hFocus == m_hWnd || ::GetParent(hFocus) == m_hWnd)
        return TRUE;
    HWND hOwner = ::GetWindow(hFocus, GW_OWNER);
    return (hOwner ? hOwner : ::GetParent(hFocus)) == m_hWnd;
}

// Layout and scrolling --------------------------------------------------------

RECT CLVKReportControl::GetElementRect(int nElement) const
{
    switch (nElement)
    {
    case 0:
        return m_pSectionBody->GetRect();
    case 1:
        return m_rcGroupByArea;
    case 2:
        return m_rcHeaderArea;
    case 3:
        return m_rcFooterArea;
    case 4:
        return m_pSectionHeader->GetRect();
    case 5:
        return m_pSectionFooter->GetRect();
    case 6:
        return m_pSectionHeader->GetDividerRect();
    case 7:
        return m_pSectionFooter->GetDividerRect();
    default:
        return RECT{};
    }
}

void CLVKReportControl::AdjustLayout()
{
    if (!m_hWnd || m_bAdjustLayoutRunning)
        return;
    RECT rcClient{};
    GetClientRect(&rcClient);
    if (IsRectEmpty(&rcClient))
        return;
    m_bAdjustLayoutRunning = TRUE;
    CClientDC dc(this);
    const int nWidth = rcClient.right;
    const int nGroupBy = m_bGroupByEnabled ? m_pReportHeader->GetGroupByHeight() : 0;
    const int nHeader = m_bHeaderVisible ? m_pPaintManager->GetHeaderHeight(this, &dc) : 0;
    const int nFooter = m_bFooterVisible ? m_pPaintManager->GetFooterHeight(this, &dc) : 0;
    m_rcGroupByArea = RECT{0, 0, nWidth, nGroupBy};
    m_rcHeaderArea = RECT{0, nGroupBy, nWidth, nGroupBy + nHeader};
    m_pSections->AdjustLayout(&dc, 0, m_rcHeaderArea.bottom, nWidth, rcClient.bottom - nFooter);
    m_rcFooterArea = RECT{0, rcClient.bottom - nFooter, nWidth, rcClient.bottom};
    m_pReportHeader->AdjustColumnsWidth(nWidth);
    m_bAdjustLayoutRunning = FALSE;
}

void CLVKReportControl::AdjustScrollBars()
{
    if (!m_hWnd)
        return;
    EndEditing(TRUE);
    const RECT rcBody = m_pSectionBody->GetRect();
    if (rcBody.bottom <= rcBody.top)
        return;
    UpdateHScrollBar(FALSE, 0x17);
    UpdateVScrollBar(FALSE, 0x17);
}

int CLVKReportControl::GetLastPageTopRow(CDC* pDC)
{
    CLVKReportRows* pRows = GetRows();
    const RECT rcBody = m_pSectionBody->GetRect();
    int nHeight = rcBody.bottom - rcBody.top;
    const int nWidth = m_pReportHeader->GetWidth();
    int nRow = pRows->GetCount() - 1;
    while (nRow >= 0)
    {
        nHeight -= pRows->GetAt(nRow)->GetHeight(pDC, nWidth);
        if (nHeight < 0)
        {
            // In the icon view the first whole line after the row that does
            // not fit.
            if (m_bIconView)
                return std::min(pRows->GetCount() - 1, nRow + std::max(1, m_nIconsPerLine));
            break;
        }
        nRow--;
    }
    return std::max(0, nRow + 1);
}

void CLVKReportControl::UpdateVScrollBar(BOOL bLock, UINT /*nMask*/)
{
    if (!m_hWnd)
        return;
    if (bLock)
    {
        EndEditing(TRUE);
        BeginUpdate();
    }
    CClientDC dc(this);
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (m_nScrollModeV == 2)
    {
        const int nTotal = m_pSectionBody->GetTotalHeight(&dc);
        const RECT rcBody = m_pSectionBody->GetRect();
        si.nMax = nTotal - 1;
        si.nPage = rcBody.bottom - rcBody.top;
        si.nPos = m_pSectionBody->GetScrollOffset();
    }
    else
    {
        const int nCount = GetRows()->GetCount();
        si.nMax = nCount - 1;
        si.nPage = nCount - GetLastPageTopRow(&dc);
        si.nPos = m_pSectionBody->GetTopRowIndex();
    }
    si.nMin = 0;
    if (static_cast<int>(si.nPage) > si.nMax + 1)
        si.nPage = si.nMax + 1;
    if (si.nPos > 0 && si.nMax < si.nPos + static_cast<int>(si.nPage) - 1)
    {
        si.nPos = std::max(0, si.nMax - static_cast<int>(si.nPage) + 1);
        if (m_nScrollModeV == 2)
            m_pSectionBody->SetScrollOffset(si.nPos);
        else
            m_pSectionBody->SetTopRowIndex(si.nPos);
        RedrawControl();
    }
    ::SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
    const BOOL bShow = !(si.nMax < 0 || static_cast<UINT>(si.nMax) < si.nPage);
    if (bShow != m_bVScrollBarVisible)
    {
        m_bVScrollBarVisible = bShow;
        ::ShowScrollBar(m_hWnd, SB_VERT, bShow);
    }
    ::EnableScrollBar(m_hWnd, SB_VERT, bShow && IsWindowEnabled() ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
    if (bLock)
        EndUpdate();
}

void CLVKReportControl::UpdateHScrollBar(BOOL bLock, UINT /*nMask*/)
{
    if (!m_hWnd)
        return;
    if (bLock)
    {
        EndEditing(TRUE);
        BeginUpdate();
    }
    const RECT rcBody = m_pSectionBody->GetRect();
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    if (m_nScrollModeH == 1)
    {
        // By whole columns: the bar counts the columns right of the frozen
        // ones, and the offset is always a column's left edge.
        int nFrozenWidth = 0;
        std::vector<int> widths;
        for (int i = 0; i < m_pColumns->GetVisibleColumnsCount(); i++)
        {
            CLVKReportColumn* pColumn = m_pColumns->GetVisibleAt(i);
            if (widths.empty() && pColumn->IsFrozen())
                nFrozenWidth += pColumn->GetWidth();
            else
                widths.push_back(pColumn->GetWidth());
        }
        const int nAvailable = rcBody.right - rcBody.left - nFrozenWidth;
        int nTotal = 0;
        for (int nWidth : widths)
            nTotal += nWidth;
        int nPage = static_cast<int>(widths.size());
        if (nTotal > nAvailable)
        {
            nPage = 0;
            int nSum = 0;
            for (int i = static_cast<int>(widths.size()) - 1; i >= 0 && nSum + widths[i] <= nAvailable; i--)
            {
                nSum += widths[i];
                nPage++;
            }
        }
        si.nMax = static_cast<int>(widths.size()) - 1;
        si.nPage = std::max(1, nPage);
        si.nPos = std::max(0, m_pColumns->GetColumnIndexAtOffset(m_nLeftOffset, FALSE));
    }
    else
    {
        si.nMax = m_pReportHeader->GetWidth() - LVKScaleX(1);
        si.nPage = rcBody.right - rcBody.left;
        si.nPos = m_nLeftOffset;
    }
    if (static_cast<int>(si.nPage) > si.nMax + 1)
        si.nPage = si.nMax + 1;
    if (si.nPos > 0 && si.nMax < si.nPos + static_cast<int>(si.nPage) - 1)
        si.nPos = std::max(0, si.nMax - static_cast<int>(si.nPage) + 1);
    const int nOffset = m_nScrollModeH == 1 ? m_pColumns->GetColumnOffset(si.nPos) : si.nPos;
    if (nOffset != m_nLeftOffset)
    {
        m_nLeftOffset = nOffset;
        m_pReportHeader->AdjustColumnsWidth(rcBody.right - rcBody.left);
    }
    ::SetScrollInfo(m_hWnd, SB_HORZ, &si, TRUE);
    const BOOL bShow = !(si.nMax < 0 || static_cast<UINT>(si.nMax) < si.nPage);
    if (bShow != m_bHScrollBarVisible)
    {
        m_bHScrollBarVisible = bShow;
        ::ShowScrollBar(m_hWnd, SB_HORZ, bShow);
    }
    if (bLock)
        EndUpdate();
}

void CLVKReportControl::SetHScrollOffset(int nOffset)
{
    nOffset = std::max(0, nOffset);
    if (nOffset == m_nLeftOffset)
        return;
    m_nLeftOffset = nOffset;
    if (m_hWnd)
    {
        RECT rc{};
        GetClientRect(&rc);
        m_pReportHeader->AdjustColumnsWidth(rc.right);
        ::SetScrollPos(m_hWnd, SB_HORZ,
                       m_nScrollModeH == 1 ? std::max(0, m_pColumns->GetColumnIndexAtOffset(nOffset, FALSE)) : nOffset,
                       TRUE);
    }
    REPORT_PAIR_NOTIFY nm{};
    nm.lFirst = m_pSections->IndexOf(m_pSectionActive);
    nm.lSecond = nOffset;
    SendNotify(REPORT_NOTIFY_HSCROLL, &nm.hdr);
    RedrawControl();
}

void CLVKReportControl::SetVScrollOffset(int nOffset)
{
    nOffset = std::max(0, nOffset);
    if (nOffset == m_pSectionActive->GetScrollOffset())
        return;
    m_pSectionActive->SetScrollOffset(nOffset);
    UpdateVScrollBar(FALSE, SIF_PAGE | SIF_POS);
    REPORT_PAIR_NOTIFY nm{};
    nm.lFirst = m_pSections->IndexOf(m_pSectionActive);
    nm.lSecond = nOffset;
    SendNotify(REPORT_NOTIFY_VSCROLL, &nm.hdr);
    RedrawControl();
}

int CLVKReportControl::GetTopRowIndex() const
{
    return m_pSectionActive->GetTopRowIndex();
}

void CLVKReportControl::SetTopRowIndex(int nIndex)
{
    nIndex = std::max(0, nIndex);
    if (m_bIconView && m_nIconsPerLine > 0)
        nIndex -= nIndex % m_nIconsPerLine;
    if (nIndex == m_pSectionActive->GetTopRowIndex())
        return;
    m_pSectionActive->SetTopRowIndex(nIndex);
    if (m_hWnd)
        ::SetScrollPos(m_hWnd, SB_VERT, nIndex, TRUE);
    REPORT_PAIR_NOTIFY nm{};
    nm.lFirst = m_pSections->IndexOf(m_pSectionActive);
    nm.lSecond = nIndex;
    SendNotify(REPORT_NOTIFY_VSCROLL, &nm.hdr);
    RedrawControl();
}

int CLVKReportControl::GetPageScrollCount(int nRow, BOOL bDown)
{
    CClientDC dc(this);
    CLVKReportRows* pRows = GetRows();
    const RECT rcBody = m_pSectionBody->GetRect();
    const int nBody = rcBody.bottom - rcBody.top;
    const int nWidth = m_pReportHeader->GetWidth();
    int nSum = 0;
    int nPassed = 0;
    if (m_bIconView && m_nIconsPerLine > 0)
        nRow -= nRow % m_nIconsPerLine;
    for (int i = nRow; i >= 0 && i < pRows->GetCount(); i += bDown ? 1 : -1)
    {
        nSum += pRows->GetAt(i)->GetHeight(&dc, nWidth);
        nPassed++;
        if (nSum > nBody)
            return std::max(0, nPassed - 1);
    }
    return bDown ? std::max(0, pRows->GetCount() - nRow - 1) : nRow;
}

void CLVKReportControl::OnVScroll(UINT nSBCode, UINT /*nPos*/)
{
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    ::GetScrollInfo(m_hWnd, SB_VERT, &si);
    const int nLast = std::max(0, si.nMax - static_cast<int>(si.nPage) + 1);
    if (m_nScrollModeV == 2)
    {
        int nOffset = m_pSectionActive->GetScrollOffset();
        switch (nSBCode)
        {
        case SB_LINEUP:
            nOffset -= m_nScrollStepV;
            break;
        case SB_LINEDOWN:
            nOffset += m_nScrollStepV;
            break;
        case SB_PAGEUP:
            nOffset -= si.nPage;
            break;
        case SB_PAGEDOWN:
            nOffset += si.nPage;
            break;
        case SB_TOP:
            nOffset = 0;
            break;
        case SB_BOTTOM:
            nOffset = nLast;
            break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            nOffset = si.nTrackPos;
            break;
        default:
            return;
        }
        SetVScrollOffset(std::max(0, std::min(nOffset, nLast)));
        return;
    }
    const int nPos = si.nPos;
    int nNew = nPos;
    // In the icon view a line of icons is the step.
    const int nLine = m_bIconView ? std::max(1, m_nIconsPerLine) : 1;
    switch (nSBCode)
    {
    case SB_LINEUP:
        nNew = std::max(0, nPos - nLine);
        break;
    case SB_LINEDOWN:
        nNew = std::min(nLast, nPos + nLine);
        break;
    case SB_PAGEUP:
        nNew = nPos - std::max(1, GetPageScrollCount(nPos, FALSE));
        break;
    case SB_PAGEDOWN:
        nNew = nPos + std::max(1, GetPageScrollCount(nPos, TRUE));
        break;
    case SB_TOP:
        nNew = 0;
        break;
    case SB_BOTTOM:
        nNew = nLast;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        nNew = si.nTrackPos;
        break;
    default:
        return;
    }
    SetTopRowIndex(std::max(0, std::min(nNew, nLast)));
}

void CLVKReportControl::OnHScroll(UINT nSBCode, UINT /*nPos*/)
{
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    ::GetScrollInfo(m_hWnd, SB_HORZ, &si);
    const int nLast = std::max(0, si.nMax - static_cast<int>(si.nPage) + 1);
    const RECT rcBody = m_pSectionBody->GetRect();
    if (m_nScrollModeH == 1)
    {
        const int nPos = std::max(0, m_pColumns->GetColumnIndexAtOffset(m_nLeftOffset, FALSE));
        int nNew = nPos;
        switch (nSBCode)
        {
        case SB_LINELEFT:
        case SB_PAGELEFT:
            nNew = nPos - 1;
            break;
        case SB_LINERIGHT:
        case SB_PAGERIGHT:
            nNew = nPos + 1;
            break;
        case SB_LEFT:
            nNew = 0;
            break;
        case SB_RIGHT:
            nNew = nLast;
            break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            nNew = si.nTrackPos;
            break;
        default:
            return;
        }
        SetHScrollOffset(m_pColumns->GetColumnOffset(std::max(0, std::min(nNew, nLast))));
        return;
    }
    int nOffset = m_nLeftOffset;
    switch (nSBCode)
    {
    case SB_LINELEFT:
        nOffset -= m_nScrollStepH;
        break;
    case SB_LINERIGHT:
        nOffset += m_nScrollStepH;
        break;
    case SB_PAGELEFT:
        nOffset -= rcBody.right - rcBody.left;
        break;
    case SB_PAGERIGHT:
        nOffset += rcBody.right - rcBody.left;
        break;
    case SB_LEFT:
        nOffset = 0;
        break;
    case SB_RIGHT:
        nOffset = nLast;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        nOffset = si.nTrackPos;
        break;
    default:
        return;
    }
    SetHScrollOffset(std::max(0, std::min(nOffset, nLast)));
}

void CLVKReportControl::OnMouseWheel(short zDelta)
{
    if (!m_bVScrollBarVisible)
        return;
    BeginUpdate();
    if (m_nWheelLines == -1)
    {
        const int n = abs(zDelta / WHEEL_DELTA);
        for (int i = 0; i < n; i++)
            OnVScroll(zDelta > 0 ? SB_PAGEUP : SB_PAGEDOWN, 0);
    }
    else
    {
        const int n = abs(m_nWheelLines * zDelta / WHEEL_DELTA);
        for (int i = 0; i < n; i++)
            OnVScroll(zDelta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
    }
    EndUpdate();
    UpdateWindow();
}

void CLVKReportControl::EnsureColumnVisible(CLVKReportColumn* pColumn)
{
    if (!pColumn || !pColumn->IsVisible())
        return;
    const RECT rcBody = m_pSectionBody->GetRect();
    const int nWidth = rcBody.right - rcBody.left;
    if (nWidth <= 0)
    {
        m_nEnsureVisibleColumn = m_pColumns->IndexOf(pColumn);
        return;
    }
    const int L = pColumn->GetRect().left;
    const int R = pColumn->GetRect().right;
    if (R >= nWidth)
    {
        SetHScrollOffset(m_nLeftOffset + std::min(L, R - nWidth));
        return;
    }
    // A scrolled column must come out from under the frozen ones; a frozen
    // column is always in view.
    int nFrozenRight = 0;
    const int nFrozen = GetFreezeColumnsCount();
    for (int i = 0; i < nFrozen && i < m_pColumns->GetVisibleColumnsCount(); i++)
    {
        CLVKReportColumn* pFrozen = m_pColumns->GetVisibleAt(i);
        if (pFrozen == pColumn)
        {
            nFrozenRight = 0;
            break;
        }
        nFrozenRight = pFrozen->GetRect().right;
    }
    if (L - nFrozenRight <= 0 && m_nLeftOffset != 0)
        SetHScrollOffset(L + m_nLeftOffset - nFrozenRight);
}

BOOL CLVKReportControl::EnsureVisible(CLVKReportRow* pRow)
{
    if (!pRow || !m_hWnd)
        return FALSE;
    const RECT rcBody = m_pSectionBody->GetRect();
    if (rcBody.bottom <= rcBody.top)
    {
        m_nEnsureVisibleRow = pRow->GetIndex();
        return FALSE;
    }
    CClientDC dc(this);
    const int nOldTop = m_pSectionBody->GetTopRowIndex();
    if (!m_pSections->EnsureVisible(&dc, pRow))
        return FALSE;
    if (nOldTop != m_pSectionBody->GetTopRowIndex())
    {
        ::SetScrollPos(m_hWnd, SB_VERT, m_pSectionBody->GetTopRowIndex(), TRUE);
        REPORT_PAIR_NOTIFY nm{};
        nm.lFirst = m_pSections->IndexOf(m_pSectionActive);
        nm.lSecond = m_pSectionBody->GetTopRowIndex();
        SendNotify(REPORT_NOTIFY_VSCROLL, &nm.hdr);
    }
    RedrawControl();
    return TRUE;
}

int CLVKReportControl::GetGroupIndent() const
{
    return std::max(0, (m_pColumns->GetGroupsOrder()->GetCount() - 1) * m_pPaintManager->GetTreeIndent());
}

int CLVKReportControl::GetRowsHeight(CLVKReportRows* pRows, int nTotalWidth, int nMaxHeight)
{
    CClientDC dc(this);
    int nSum = 0;
    for (int i = 0; i < pRows->GetCount(); i++)
    {
        nSum += pRows->GetAt(i)->GetHeight(&dc, nTotalWidth);
        if (nMaxHeight >= 0 && nSum > nMaxHeight)
            break;
    }
    return nSum;
}

BOOL CLVKReportControl::IsRowHeightCached() const
{
    return m_pPaintManager && m_pPaintManager->IsRowHeightCached();
}

void CLVKReportControl::RedrawControl()
{
    m_bRedrawPending = TRUE;
    if (m_nLockUpdateCount == 0 && m_hWnd)
        InvalidateRect(nullptr, FALSE);
}

void CLVKReportControl::EndUpdate()
{
    m_nLockUpdateCount = std::max(0, m_nLockUpdateCount - 1);
    m_bRedrawPending = TRUE;
    if (m_nLockUpdateCount == 0)
        RedrawControl();
}

// Drawing ----------------------------------------------------------------------

void CLVKReportControl::OnPaint()
{
    PAINTSTRUCT ps{};
    HDC hPaintDC = ::BeginPaint(m_hWnd, &ps);
    RECT rcClient{};
    GetClientRect(&rcClient);
    if (m_nEnsureVisibleRow >= 0)
    {
        CLVKReportRow* pRow = GetRows()->GetAt(m_nEnsureVisibleRow);
        m_nEnsureVisibleRow = -1;
        EnsureVisible(pRow);
    }
    if (m_nEnsureVisibleColumn >= 0)
    {
        CLVKReportColumn* pColumn = m_pColumns->GetAt(m_nEnsureVisibleColumn);
        m_nEnsureVisibleColumn = -1;
        EnsureColumnVisible(pColumn);
    }
    if (m_bDoubleBuffering && m_nLockUpdateCount == 0 && (m_bRedrawPending || !m_hCacheBitmap))
    {
        if (m_hCacheBitmap)
        {
            DeleteObject(m_hCacheBitmap);
            m_hCacheBitmap = nullptr;
        }
        HDC hMemDC = CreateCompatibleDC(hPaintDC);
        m_hCacheBitmap = hMemDC ? CreateCompatibleBitmap(hPaintDC, std::max<LONG>(1, rcClient.right),
                                                         std::max<LONG>(1, rcClient.bottom))
                                : nullptr;
        if (m_hCacheBitmap)
        {
            CDC dc;
            dc.Attach(hMemDC);
            {
                CLVKBitmapDC cache(&dc, CBitmap::FromHandle(m_hCacheBitmap));
                OnDraw(&dc);
                DrawDisabledLook(&dc, rcClient);
            }
            dc.Detach();
        }
        if (hMemDC)
            DeleteDC(hMemDC);
    }
    if (!m_hCacheBitmap)
    {
        CDC dc;
        dc.Attach(hPaintDC);
        OnDraw(&dc);
        DrawDisabledLook(&dc, rcClient);
        dc.Detach();
    }
    else
    {
        CDC dcCache;
        dcCache.Attach(CreateCompatibleDC(hPaintDC));
        CLVKBitmapDC cache(&dcCache, CBitmap::FromHandle(m_hCacheBitmap));
        BitBlt(hPaintDC, 0, 0, rcClient.right, rcClient.bottom, dcCache.m_hDC, 0, 0, SRCCOPY);
    }
    m_bRedrawPending = FALSE;
    ::EndPaint(m_hWnd, &ps);
}

void CLVKReportControl::DrawDisabledLook(CDC* pDC, const RECT& rcClient)
{
    if (IsWindowEnabled() || !m_pPaintManager->m_bGrayWhenDisabled)
        return;
    CLVKImageManager::GetGlobal()->DuotoneRect(pDC, rcClient, m_pPaintManager->m_clrDisableBitmapLightest,
                                               m_pPaintManager->m_clrDisableBitmapDarkest);
}

void CLVKReportControl::OnDraw(CDC* pDC)
{
    SetBkMode(pDC->m_hDC, TRANSPARENT);
    // Right-to-left reading order for the texts drawn with ExtTextOut.
    if (GetExStyle() & WS_EX_RTLREADING)
        SetTextAlign(pDC->m_hDC, GetTextAlign(pDC->m_hDC) | TA_RTLREADING);
    RECT rcClient{};
    GetClientRect(&rcClient);
    const COLORREF clrBack = m_pPaintManager->GetControlBackColor(this);
    SetBkColor(pDC->m_hDC, clrBack);
    ExtTextOutW(pDC->m_hDC, 0, 0, ETO_OPAQUE, &rcClient, nullptr, 0, nullptr);
    DrawWatermark(pDC, m_pSections->GetRect(), rcClient);
    if (m_bHeaderVisible && m_rcHeaderArea.bottom > m_rcHeaderArea.top)
        m_pReportHeader->Draw(pDC, m_rcHeaderArea, m_nLeftOffset);
    if (m_bGroupByEnabled)
        m_pReportHeader->DrawGroupBy(pDC, m_rcGroupByArea);
    if (m_bIconView)
        DrawIconView(pDC, GetElementRect(0));
    else
        m_pSections->Draw(pDC);
    if (m_rcFooterArea.bottom > m_rcFooterArea.top)
        m_pReportHeader->DrawFooter(pDC, m_rcFooterArea, m_nLeftOffset);
    m_bRedrawPending = FALSE;
}

int CLVKReportControl::DrawRows(CDC* pDC, RECT& rcClient, int y, CLVKReportRows* pRows, int nTopRow, int nColumnFrom,
                                int nColumnTo, int* pnHeight)
{
    pRows->ClearScreenRows();
    int nIndex = std::max(0, nTopRow);
    const int nTop = y;
    if (m_pColumns->GetVisibleColumnsCount() > 0)
    {
        const int nWidth = pDC->m_bPrinting ? rcClient.right - rcClient.left : m_pReportHeader->GetWidth();
        const int nLeft = m_pColumns->GetFirstVisibleColumn()->GetRect().left;
        const int nSaved = SaveDC(pDC->m_hDC);
        IntersectClipRect(pDC->m_hDC, rcClient.left, rcClient.top, rcClient.right, rcClient.bottom);
        m_mergedBlocks.clear();
        for (; nIndex < pRows->GetCount(); nIndex++)
        {
            if (y >= rcClient.bottom)
                break;
            CLVKReportRow* pRow = pRows->GetAt(nIndex);
            const int nHeight = pRow->GetHeight(pDC, nWidth);
            const RECT rcRow{nLeft, y, nLeft + nWidth, y + nHeight};
            pRow->Draw(pDC, rcRow, rcClient, m_nLeftOffset, nColumnFrom, nColumnTo);
            y += nHeight;
            KeepScreenRow(pRows, pRow);
        }
        // Each block of touching merged cells is drawn once, over the union
        // of its cells; cells of one master that do not touch make blocks of
        // their own. With frozen columns the blocks that start in them are
        // drawn first over the whole width, then the others cut at the
        // frozen edge, so that a scrolled block never covers a frozen cell.
        struct Block
        {
            CLVKReportRecordItem* pMaster;
            RECT rcBlock;
            CLVKReportRecordMergeItem::Item first;
        };
        std::vector<Block> blocks;
        for (auto& merged : m_mergedBlocks)
        {
            CLVKReportRecordMergeItem::Range range;
            Block block{merged.first, RECT{}, {}};
            while (merged.second.GetNextMergedBlock(range, block.rcBlock, &block.first))
                blocks.push_back(block);
        }
        const int nFrozen = std::min(GetFreezeColumnsCount(), m_pColumns->GetVisibleColumnsCount());
        const int nFrozenRight = nFrozen > 0 ? m_pColumns->GetVisibleAt(nFrozen - 1)->GetRect().right : 0;
        for (int nPass = 0; nPass < (nFrozen > 0 ? 2 : 1); nPass++)
        {
            const BOOL bFrozenPass = nFrozen > 0 && nPass == 0;
            for (const Block& block : blocks)
            {
                CLVKReportColumn* pColumn = m_pColumns->GetAt(block.first.nColumnIndex);
                const BOOL bFrozenBlock = pColumn && pColumn->IsFrozen();
                if (nFrozen > 0 && bFrozenBlock != bFrozenPass)
                    continue;
                const RECT& rcBlock = block.rcBlock;
                const int nBlockSaved = SaveDC(pDC->m_hDC);
                if (nFrozen > 0 && !bFrozenPass)
                    IntersectClipRect(pDC->m_hDC, std::max<LONG>(rcClient.left, nFrozenRight), rcClient.top,
                                      rcClient.right, rcClient.bottom);
                LVK_REPORTRECORDITEM_DRAWARGS drawArgs;
                drawArgs.pControl = this;
                drawArgs.pRow = block.first.pRow;
                drawArgs.pColumn = pColumn;
                drawArgs.pItem = block.pMaster;
                drawArgs.pDC = pDC;
                drawArgs.rcItem = rcBlock;
                drawArgs.rcItem.right -= LVKScaleX(1);
                drawArgs.rcItem.bottom -= LVKScaleY(1);
                drawArgs.nTextAlign = pColumn ? pColumn->GetAlignment() : 0;
                const COLORREF clrBack = m_pPaintManager->GetControlBackColor(this);
                SetBkColor(pDC->m_hDC, clrBack);
                ExtTextOutW(pDC->m_hDC, 0, 0, ETO_OPAQUE, &drawArgs.rcItem, nullptr, 0, nullptr);
                block.pMaster->Draw(&drawArgs);
                RECT rcGrid = rcBlock;
                rcGrid.left -= 1;
                block.first.pRow->DrawGridLines(pDC, pColumn, rcGrid);
                RestoreDC(pDC->m_hDC, nBlockSaved);
                // The freeze divider is drawn again over a block that touches
                // the frozen edge.
                if (bFrozenPass && rcBlock.right == nFrozenRight)
                    m_pPaintManager->DrawFreezeColsDivider(pDC, rcBlock, this, block.first.pRow);
                else if (nFrozen > 0 && !bFrozenPass && rcBlock.left < nFrozenRight)
                {
                    RECT rcDivider = rcBlock;
                    rcDivider.right = nFrozenRight;
                    rcDivider.left = std::min<LONG>(rcDivider.left, nFrozenRight - LVKScaleX(1));
                    m_pPaintManager->DrawFreezeColsDivider(pDC, rcDivider, this, block.first.pRow);
                }
            }
        }
        m_mergedBlocks.clear();
        RestoreDC(pDC->m_hDC, nSaved);
        if (m_pPaintManager->m_bEmptyAreaGrid && y < rcClient.bottom && !pDC->m_bPrinting)
        {
            const RECT rcEmpty{rcClient.left, y, rcClient.right, rcClient.bottom};
            DrawEmptyRowsGrid(pDC, rcEmpty, m_pPaintManager->GetFixedRowHeight(pDC, nullptr));
        }
    }
    if (pRows->GetCount() == 0)
        DrawNoItems(pDC, rcClient);
    if (pnHeight)
        *pnHeight = y - nTop;
    return nIndex;
}

void CLVKReportControl::DrawEmptyRowsGrid(CDC* pDC, const RECT& rcArea, int nRowHeight)
{
    if (nRowHeight <= 0 || !pDC)
        return;
    // The frozen columns come first and stay in place; the scrolled columns
    // are cut at the frozen edge, as on the rows above.
    const int nVisible = m_pColumns->GetVisibleColumnsCount();
    const int nFrozen = std::min(GetFreezeColumnsCount(), nVisible);
    const int nFrozenRight = nFrozen > 0 ? m_pColumns->GetVisibleAt(nFrozen - 1)->GetRect().right : 0;
    const int nGroupIndent = GetGroupIndent();
    CLVKReportColumn* pFirst = m_pColumns->GetFirstVisibleColumn();
    const COLORREF clrBack = m_pPaintManager->GetControlBackColor(this);
    const int nSaved = SaveDC(pDC->m_hDC);
    IntersectClipRect(pDC->m_hDC, rcArea.left, rcArea.top, rcArea.right, rcArea.bottom);
    for (int y = rcArea.top; y < rcArea.bottom; y += nRowHeight)
    {
        for (int i = 0; i < nVisible; i++)
        {
            CLVKReportColumn* pColumn = m_pColumns->GetVisibleAt(i);
            RECT rcCell{pColumn->GetRect().left, y, pColumn->GetRect().right, y + nRowHeight};
            if (pColumn == pFirst)
                rcCell.left += nGroupIndent;
            const BOOL bFrozen = i < nFrozen;
            RECT rcVisible = rcCell;
            if (!bFrozen)
                rcVisible.left = std::max<LONG>(rcVisible.left, nFrozenRight);
            RECT rcTest{};
            if (!IntersectRect(&rcTest, &rcVisible, &rcArea))
                continue;
            const int nCellSaved = SaveDC(pDC->m_hDC);
            IntersectClipRect(pDC->m_hDC, rcVisible.left, rcVisible.top, rcVisible.right, rcVisible.bottom);
            if (bFrozen)
            {
                SetBkColor(pDC->m_hDC, clrBack);
                ExtTextOutW(pDC->m_hDC, 0, 0, ETO_OPAQUE, &rcCell, nullptr, 0, nullptr);
            }
            RECT rcGrid = rcCell;
            rcGrid.left -= LVKScaleX(1);
            rcGrid.bottom -= LVKScaleY(1);
            if (m_pPaintManager->IsGridLineShown(FALSE))
                m_pPaintManager->DrawGridLine(pDC, FALSE, rcGrid);
            m_pPaintManager->DrawGridLine(pDC, TRUE, rcGrid);
            RestoreDC(pDC->m_hDC, nCellSaved);
            if (i == nFrozen - 1)
                m_pPaintManager->DrawFreezeColsDivider(pDC, rcCell, this, nullptr);
        }
        if (nGroupIndent > 0 && pFirst)
        {
            const RECT rcIndent{pFirst->GetRect().left, y, pFirst->GetRect().left + nGroupIndent, y + nRowHeight};
            m_pPaintManager->FillIndent(pDC, rcIndent);
        }
    }
    RestoreDC(pDC->m_hDC, nSaved);
}

void CLVKReportControl::KeepScreenRow(CLVKReportRows* pRows, CLVKReportRow* pRow)
{
    if (pRows->IsVirtualMode())
    {
        CLVKReportRow* pCopy = CreateRow();
        pCopy->InitRowFrom(pRow);
        pRows->GetScreenRows().push_back(pCopy);
    }
    else
    {
        pRow->InternalAddRef();
        pRows->GetScreenRows().push_back(pRow);
    }
}

void CLVKReportControl::DrawNoItems(CDC* pDC, const RECT& rcClient)
{
    m_pPaintManager->DrawNoItems(pDC, rcClient, m_pPaintManager->GetNoItemsText());
}

void CLVKReportControl::AddMergedCell(CLVKReportRecordItem* pMaster, const RECT& rcCell, CLVKReportRow* pRow,
                                      CLVKReportColumn* pColumn)
{
    if (!pMaster || !pRow || !pColumn)
        return;
    m_mergedBlocks[pMaster].AddItem(pColumn->GetIndex(), pRow->GetIndex(), pColumn->GetVisibleIndex(), rcCell, pRow);
}

CLVKReportRow* CLVKReportControl::HitTestRow(POINT pt) const
{
    CLVKReportSection* pSection = m_pSections->HitTest(pt);
    if (!pSection)
        return nullptr;
    for (auto* pRow : pSection->GetRows()->GetScreenRows())
    {
        if (PtInRect(&pRow->GetRect(), pt))
            return pSection->GetRows()->GetAt(pRow->GetIndex());
    }
    return nullptr;
}

BOOL CLVKReportControl::HitTest(POINT pt, LVK_REPORT_HITTESTINFO* pInfo)
{
    if (!pInfo)
        return FALSE;
    *pInfo = LVK_REPORT_HITTESTINFO{};
    if (PtInRect(&m_rcHeaderArea, pt))
    {
        pInfo->ht = 1;
        pInfo->pColumn = m_pReportHeader->HitTestColumn(pt);
        return TRUE;
    }
    if (PtInRect(&m_rcGroupByArea, pt))
    {
        // The group-by item under the point names its column.
        pInfo->ht = 2;
        const int nIndex = m_pReportHeader->HitTestGroupByBox(pt, TRUE);
        CLVKReportColumnOrder* pGroups = m_pColumns->GetGroupsOrder();
        if (nIndex >= 0 && nIndex < pGroups->GetCount())
            pInfo->pColumn = pGroups->GetAt(nIndex);
        return TRUE;
    }
    CLVKReportSection* pSection = m_pSections->HitTest(pt);
    if (!pSection)
        return TRUE;
    pInfo->ht = pSection->GetSectionType() == 0 ? 3 : (pSection->GetSectionType() == 1 ? 5 : 6);
    pInfo->pRow = HitTestRow(pt);
    if (pInfo->pRow)
        pInfo->pItem = pInfo->pRow->HitTest(pt, nullptr, &pInfo->pColumn);
    return TRUE;
}

// Selection and focus -----------------------------------------------------------

CLVKReportRow* CLVKReportControl::GetFocusedRow() const
{
    return m_pSections->GetFocusedRow();
}

BOOL CLVKReportControl::SetFocusedRow(CLVKReportRow* pRow, BOOL bShiftKey, BOOL bControlKey)
{
    return SetFocusedRow(pRow, m_pFocusedColumn, bShiftKey, bControlKey);
}

BOOL CLVKReportControl::SetFocusedRow(CLVKReportRow* pRow, CLVKReportColumn* pColumn, BOOL bShiftKey, BOOL bControlKey)
{
    if (!pRow)
        return FALSE;
    CLVKReportSection* pSection = pRow->GetSection() ? pRow->GetSection() : m_pSectionBody;
    CLVKReportRows* pRows = pSection->GetRows();
    const int nOldFocused = pRows->GetFocusedRowIndex();
    if (pRows->GetFocusedRow() != pRow || pColumn != m_pFocusedColumn)
    {
        // The owner may change the rows while it is asked; the row is held and
        // checked again afterwards.
        pRow->InternalAddRef();
        const BOOL bAllowed = OnFocusChanging(pRow, pColumn);
        const BOOL bStillThere = pRow->GetIndex() >= 0 && pRows->GetAt(pRow->GetIndex()) == pRow;
        pRow->InternalRelease();
        if (!bAllowed || !bStillThere)
            return FALSE;
        for (int i = 0; i < 3; i++)
        {
            if (m_pSections->GetAt(i) != pSection)
                m_pSections->GetAt(i)->GetRows()->SetFocusedRowIndex(-1);
        }
        pRows->SetFocusedRowIndex(pRow->GetIndex());
        m_pFocusedColumn = pColumn;
    }
    if (pSection->m_bSelectionEnable)
    {
        if (bShiftKey && m_bMultipleSelection)
        {
            // Without an anchor the range starts at the row that had the focus.
            if (m_pSelectedRows->GetAnchor() < 0)
                m_pSelectedRows->SetAnchor(nOldFocused >= 0 ? nOldFocused : pRow->GetIndex());
            m_pSelectedRows->SelectBlock(m_pSelectedRows->GetAnchor(), pRow->GetIndex(), bControlKey);
        }
        else if (!bControlKey)
        {
            m_pSelectedRows->Select(pRow);
            m_pSelectedRows->SetAnchor(pRow->GetIndex());
        }
    }
    EnsureVisible(pRow);
    RedrawControl();
    if (m_pSelectedRows->IsChanged())
        OnSelectionChanged();
    return TRUE;
}

void CLVKReportControl::SelectAll()
{
    CLVKReportRows* pRows = GetRows();
    const int nCount = pRows->GetCount();
    if (nCount == 0 || !m_bMultipleSelection || !m_pSectionBody->m_bSelectionEnable)
        return;
    if (IsVirtualMode())
    {
        // One range through the navigator: the rows are not objects.
        m_pCurrentNavigator->MoveToRow(0, FALSE, FALSE);
        m_pCurrentNavigator->MoveToRow(nCount - 1, TRUE, FALSE);
        RedrawControl();
        return;
    }
    // Everything selected already: nothing changes and nothing is sent.
    if (m_pSelectedRows->GetCount() == nCount)
        return;
    m_pSelectedRows->SetAnchor(-1);
    m_pSelectedRows->SelectBlock(0, nCount - 1, FALSE);
    RedrawControl();
    if (m_pSelectedRows->IsChanged())
        OnSelectionChanged();
}

void CLVKReportControl::OnSelectionChanged()
{
    m_nPendingEditRow = m_nPendingEditColumn = -1;
    SendNotify(REPORT_NOTIFY_SELECTION_CHANGED, nullptr);
    m_pSelectedRows->SetChanged(FALSE);
}

BOOL CLVKReportControl::OnFocusChanging(CLVKReportRow* pNewRow, CLVKReportColumn* pNewColumn)
{
    REPORT_ITEM_NOTIFY_EX nm{};
    nm.pRow = pNewRow ? pNewRow : GetFocusedRow();
    nm.pColumn = pNewColumn ? pNewColumn : m_pFocusedColumn;
    nm.pItem = nm.pRow && nm.pRow->GetRecord() ? nm.pRow->GetRecord()->GetItem(nm.pColumn) : nullptr;
    nm.nHyperlink = -1;
    nm.lExtra = 0;
    SendNotify(REPORT_NOTIFY_FOCUS_CHANGING, &nm.hdr);
    return nm.lExtra == 0;
}

BOOL CLVKReportControl::OnPreviewKeyDown(UINT& rnChar, UINT nRepCnt, UINT nFlags)
{
    REPORT_KEY_NOTIFY nm{};
    nm.nVKey = rnChar;
    nm.nRepCnt = nRepCnt;
    nm.nFlags = nFlags;
    SendNotify(REPORT_NOTIFY_PREVIEW_KEYDOWN, &nm.hdr);
    rnChar = nm.nVKey;
    return !nm.bCancel;
}

void CLVKReportControl::OnGetItemMetrics(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs,
                                         LVK_REPORTRECORDITEM_METRICS* pMetrics)
{
    REPORT_PAIR_NOTIFY nm{};
    nm.lFirst = reinterpret_cast<LPARAM>(pDrawArgs);
    nm.lSecond = reinterpret_cast<LPARAM>(pMetrics);
    SendNotify(REPORT_NOTIFY_GET_ITEM_METRICS, &nm.hdr);
}

// Notifications -------------------------------------------------------------------

LRESULT CLVKReportControl::SendNotify(int nCode, NMHDR* pNmhdr)
{
    if (!m_hWnd)
        return 0;
    NMHDR hdr{};
    if (!pNmhdr)
        pNmhdr = &hdr;
    pNmhdr->hwndFrom = m_hWnd;
    pNmhdr->idFrom = GetDlgCtrlID();
    pNmhdr->code = static_cast<UINT>(nCode);
    HWND hTarget = m_hWndOwner ? m_hWndOwner : ::GetParent(m_hWnd);
    if (!hTarget || !::IsWindow(hTarget))
        return 0;
    return ::SendMessageW(hTarget, WM_NOTIFY, pNmhdr->idFrom, reinterpret_cast<LPARAM>(pNmhdr));
}

LRESULT CLVKReportControl::SendItemNotify(CLVKReportRow* pRow, CLVKReportRecordItem* pItem, CLVKReportColumn* pColumn,
                                          int nCode, const POINT* pPoint, int nValue)
{
    if (!m_hWnd)
        return 0;
    REPORT_ITEM_NOTIFY nm{};
    nm.pRow = pRow;
    nm.pItem = pItem;
    nm.pColumn = pColumn;
    nm.nHyperlink = nValue;
    if (pPoint)
        nm.pt = *pPoint;
    return SendNotify(nCode, &nm.hdr);
}

// Keyboard navigation ---------------------------------------------------------------

void CLVKReportControl::SelectRowAfterMove(CLVKReportRow* pRow, BOOL bShiftKey, BOOL bControlKey)
{
    if (pRow)
        SetFocusedRow(pRow, bShiftKey, bControlKey);
}

void CLVKReportControl::MoveDown(BOOL bShiftKey, BOOL bControlKey)
{
    m_pCurrentNavigator->MoveDown(bShiftKey, bControlKey);
}

void CLVKReportControl::MoveUp(BOOL bShiftKey, BOOL bControlKey)
{
    m_pCurrentNavigator->MoveUp(bShiftKey, bControlKey);
}

void CLVKReportControl::MovePageDown(BOOL bShiftKey, BOOL bControlKey)
{
    m_pCurrentNavigator->MovePageDown(bShiftKey, bControlKey);
}

void CLVKReportControl::MovePageUp(BOOL bShiftKey, BOOL bControlKey)
{
    m_pCurrentNavigator->MovePageUp(bShiftKey, bControlKey);
}

void CLVKReportControl::MoveFirstRow(BOOL bShiftKey, BOOL bControlKey)
{
    m_pCurrentNavigator->MoveToFirstRow(bShiftKey, bControlKey);
}

void CLVKReportControl::MoveLastRow(BOOL bShiftKey, BOOL bControlKey)
{
    m_pCurrentNavigator->MoveToLastRow(bShiftKey, bControlKey);
}

void CLVKReportControl::MoveToColumn(int nDirection)
{
    CLVKReportRow* pRow = GetFocusedRow();
    if (!pRow || !m_bFocusSubItems)
        return;
    const int nIndex = m_pFocusedColumn ? m_pColumns->IndexOf(m_pFocusedColumn) : -1;
    if (CLVKReportColumn* pColumn = GetNextFocusableColumn(pRow, nIndex, nDirection))
        SetFocusedColumn(pColumn);
}

// Input ---------------------------------------------------------------------------

BOOL CLVKReportControl::ApplyRowBehavior(CLVKReportBehaviorRowMouseButton* pButton, CLVKReportRow* pRow,
                                         CLVKReportColumn* pColumn, CLVKReportRecordItem* pItem, BOOL bShift,
                                         BOOL bControl)
{
    CLVKReportBehaviorRowModifier* pModifier = pButton->GetModifier(bShift, bControl);
    const BOOL bSelected = pRow->IsSelected();
    const BOOL bFocus =
        (pModifier->bFocusRow || pModifier->bFocusRowTemporarily) && !(pModifier->bKeepSelectedFocus && bSelected);
    const BOOL bSelect = pModifier->bSelectRow && !(pModifier->bKeepSelectedSelection && bSelected);
    CLVKReportColumn* pFocusColumn =
        pButton->bFocusColumn && m_bFocusSubItems && pItem && pItem->IsFocusable() ? pColumn : m_pFocusedColumn;
    if (pModifier->bFocusRowTemporarily && m_nTemporaryFocusRow < 0)
        m_nTemporaryFocusRow = GetRows()->GetFocusedRowIndex();
    const BOOL bWithModifiers = bSelect && pModifier->bSelectWithModifiers;
    if (bWithModifiers && bShift)
        return SetFocusedRow(pRow, pFocusColumn, TRUE, bControl);
    if (bWithModifiers && bControl)
    {
        if (bFocus && !SetFocusedRow(pRow, pFocusColumn, FALSE, TRUE))
            return FALSE;
        if (m_bMultipleSelection)
            m_pSelectedRows->Toggle(pRow);
        else
            m_pSelectedRows->Select(pRow);
        m_pSelectedRows->SetAnchor(pRow->GetIndex());
        RedrawControl();
        if (m_pSelectedRows->IsChanged())
            OnSelectionChanged();
        return TRUE;
    }
    if (bFocus)
        return SetFocusedRow(pRow, pFocusColumn, FALSE, !bSelect);
    if (bSelect && pRow->GetSection() && pRow->GetSection()->m_bSelectionEnable)
    {
        m_pSelectedRows->Select(pRow);
        RedrawControl();
        if (m_pSelectedRows->IsChanged())
            OnSelectionChanged();
    }
    else if (pButton->bFocusColumn && pFocusColumn != m_pFocusedColumn)
        SetFocusedColumn(pFocusColumn);
    return TRUE;
}

void CLVKReportControl::RestoreTemporaryFocus()
{
    const int nRow = m_nTemporaryFocusRow;
    m_nTemporaryFocusRow = -1;
    CLVKReportRow* pRow = nRow >= 0 ? GetRows()->GetAt(nRow) : nullptr;
    if (pRow)
        SetFocusedRow(pRow, FALSE, TRUE);
}

void CLVKReportControl::OnLButtonDown(UINT nFlags, POINT pt)
{
    SetFocus();
    EndEditing(TRUE);
    m_ptMouseDown = pt;
    if (PtInRect(&m_rcHeaderArea, pt) || PtInRect(&m_rcGroupByArea, pt))
    {
        m_pReportHeader->OnLButtonDown(pt);
        return;
    }
    if (m_nMouseMode == kMouseOverRowEdge)
    {
        // The bottom edge of a row: the pointer may be just below it.
        POINT ptRow{pt.x, pt.y - CLVKDpiScaling::GetGlobal()->ScaleY(3)};
        if (CLVKReportRow* pSized = HitTestRow(ptRow))
        {
            if (pSized->TrackRowSizing(pt))
                return;
        }
        m_nMouseMode = kMouseIdle;
    }
    CLVKReportRow* pRow = HitTestRow(pt);
    m_bMouseDownInRow = pRow != nullptr;
    if (!pRow)
    {
        if (m_bClearSelectionOnClickOutside && !(nFlags & (MK_SHIFT | MK_CONTROL)))
        {
            m_pSelectedRows->Clear();
            if (m_pSelectedRows->IsChanged())
                OnSelectionChanged();
        }
        return;
    }
    CLVKReportColumn* pColumn = nullptr;
    CLVKReportRecordItem* pItem = pRow->HitTest(pt, nullptr, &pColumn);
    if (SendItemNotify(pRow, pItem, pColumn, REPORT_NOTIFY_LBUTTON_DOWN, &pt, -1))
        return;
    // A click on the expand glyph does not move the selection.
    if (pRow->HasChildren() && PtInRect(&pRow->GetCollapseRect(), pt))
        return;
    // The modifiers held at the press decide for the release too.
    m_bMouseDownShift = (nFlags & MK_SHIFT) != 0;
    m_bMouseDownControl = (nFlags & MK_CONTROL) != 0 || m_bSelectionToggle;
    m_bMouseDownRowSelected = pRow->IsSelected();
    CLVKReportBehaviorRowMouseButton* pButton = &m_pBehavior->Row.MouseDown.Left;
    if (!ApplyRowBehavior(pButton, pRow, pColumn, pItem, m_bMouseDownShift, m_bMouseDownControl))
        return;
    if (HitTestRow(pt) != pRow)
        return;
    if (pButton->bEnsureVisible)
        EnsureVisible(pRow);
    if (pButton->bBeginDrag)
        m_bDragPending = TRUE;
    if (pButton->bClick)
        pRow->OnClick(pt);
    if (pItem && pItem->GetItemControlsCount() > 0 && HitTestRow(pt) == pRow)
    {
        LVK_REPORTRECORDITEM_CLICKARGS clickArgs;
        clickArgs.pControl = this;
        clickArgs.pRow = pRow;
        clickArgs.pColumn = pColumn;
        clickArgs.pItem = pItem;
        clickArgs.rcItem = pRow->GetItemRect(pItem);
        clickArgs.ptClient = pt;
        pItem->OnLButtonDown(&clickArgs);
    }
}

void CLVKReportControl::OnLButtonUp(UINT /*nFlags*/, POINT pt)
{
    if (m_nMouseMode == kMouseColumnPressed || PtInRect(&m_rcHeaderArea, m_ptMouseDown) ||
        PtInRect(&m_rcGroupByArea, m_ptMouseDown))
    {
        m_pReportHeader->OnLButtonUp(pt);
        return;
    }
    if (!m_bMouseDownInRow)
        return;
    m_bMouseDownInRow = FALSE;
    CLVKReportBehaviorRowMouseButton* pButton = &m_pBehavior->Row.MouseUp.Left;
    if (pButton->bEndDrag)
        m_bDragPending = FALSE;
    CLVKReportRow* pRow = HitTestRow(pt);
    if (!pRow)
        return;
    CLVKReportColumn* pColumn = nullptr;
    CLVKReportRecordItem* pItem = pRow->HitTest(pt, nullptr, &pColumn);
    // The owner may take a release that no item control took; the selection
    // then stays as it is.
    if (!(pItem && pItem->GetItemControlsCount() > 0 && pItem->HitTestItemControl(pt)) &&
        SendItemNotify(pRow, pItem, pColumn, REPORT_NOTIFY_LBUTTON_UP, &pt, -1))
        return;
    const BOOL bSameRow = HitTestRow(m_ptMouseDown) == pRow;
    const BOOL bOnGlyph = pRow->HasChildren() && PtInRect(&pRow->GetCollapseRect(), pt);
    if (bSameRow && !bOnGlyph)
    {
        if (!ApplyRowBehavior(pButton, pRow, pColumn, pItem, m_bMouseDownShift, m_bMouseDownControl))
            return;
        // With Ctrl a row that was selected when pressed is toggled on the
        // release, so that a drag could still start from it.
        if (m_bMouseDownControl && !m_bMouseDownShift && m_bMouseDownRowSelected && HitTestRow(pt) == pRow)
        {
            if (m_bMultipleSelection)
                m_pSelectedRows->Toggle(pRow);
            else
                m_pSelectedRows->Select(pRow);
            RedrawControl();
            if (m_pSelectedRows->IsChanged())
                OnSelectionChanged();
        }
        if (HitTestRow(pt) != pRow)
            return;
    }
    if (pButton->bEnsureVisible)
        EnsureVisible(pRow);
    if (pItem && pItem->GetItemControlsCount() > 0)
    {
        LVK_REPORTRECORDITEM_CLICKARGS clickArgs;
        clickArgs.pControl = this;
        clickArgs.pRow = pRow;
        clickArgs.pColumn = pColumn;
        clickArgs.pItem = pItem;
        clickArgs.rcItem = pRow->GetItemRect(pItem);
        clickArgs.ptClient = pt;
        if (pItem->OnLButtonUp(&clickArgs))
            return;
    }
    if (pButton->bClick)
    {
        pRow->OnClick(pt);
        if (pButton->bEditOnClick && pItem && HitTestRow(pt) == pRow && !IsEditMode())
        {
            LVK_REPORTRECORDITEM_ARGS args(this, pRow, pColumn);
            if (args.pItem && args.pItem->IsAllowEdit(&args))
                EditItem(&args);
        }
    }
    RestoreTemporaryFocus();
}

void CLVKReportControl::SetMouseItem(CLVKReportRecordItem* pItem)
{
    if (pItem == m_pMouseItem)
        return;
    if (pItem)
        pItem->InternalAddRef();
    if (m_pMouseItem)
        m_pMouseItem->InternalRelease();
    m_pMouseItem = pItem;
}

void CLVKReportControl::OnLButtonDblClk(UINT, POINT pt)
{
    m_ptMouseDown = pt;
    StopDelayedEdit();
    if (PtInRect(&m_rcHeaderArea, pt))
    {
        m_pReportHeader->OnLButtonDblClk(pt);
        return;
    }
    CLVKReportRow* pRow = HitTestRow(pt);
    if (pRow)
        pRow->OnDblClick(pt);
    else if (!PtInRect(&m_rcHeaderArea, pt))
        SendItemNotify(nullptr, nullptr, nullptr, NM_DBLCLK, &pt);
}

void CLVKReportControl::OnRButtonDown(UINT nFlags, POINT pt)
{
    SetFocus();
    m_ptMouseDown = pt;
    POINT ptScreen = pt;
    ClientToScreen(&ptScreen);
    // The header's menu comes with WM_CONTEXTMENU.
    if (PtInRect(&m_rcHeaderArea, pt) || PtInRect(&m_rcGroupByArea, pt))
        return;
    CLVKReportRow* pRow = HitTestRow(pt);
    m_bRightDownInRow = pRow != nullptr;
    if (!pRow)
        return;
    CLVKReportColumn* pColumn = nullptr;
    CLVKReportRecordItem* pItem = pRow->HitTest(pt, nullptr, &pColumn);
    m_bMouseDownShift = (nFlags & MK_SHIFT) != 0;
    m_bMouseDownControl = (nFlags & MK_CONTROL) != 0;
    CLVKReportBehaviorRowMouseButton* pButton = &m_pBehavior->Row.MouseDown.Right;
    if (!ApplyRowBehavior(pButton, pRow, pColumn, pItem, m_bMouseDownShift, m_bMouseDownControl))
        return;
    if (pButton->bEnsureVisible && HitTestRow(pt) == pRow)
        EnsureVisible(pRow);
    if (pButton->bContextMenu)
        SendItemNotify(pRow, pItem, pColumn, NM_RCLICK, &ptScreen);
}

void CLVKReportControl::OnRButtonUp(UINT /*nFlags*/, POINT pt)
{
    if (PtInRect(&m_rcHeaderArea, pt) || PtInRect(&m_rcGroupByArea, pt))
        return;
    CLVKReportBehaviorRowMouseButton* pButton = &m_pBehavior->Row.MouseUp.Right;
    if (pButton->bEndDrag)
        m_bDragPending = FALSE;
    POINT ptScreen = pt;
    ClientToScreen(&ptScreen);
    CLVKReportRow* pRow = HitTestRow(pt);
    const BOOL bPressedInRow = m_bRightDownInRow;
    m_bRightDownInRow = FALSE;
    if (!pRow)
    {
        const RECT rcBody = GetElementRect(0);
        if (pButton->bContextMenu && PtInRect(&rcBody, pt))
            SendItemNotify(nullptr, nullptr, nullptr, NM_RCLICK, &ptScreen);
        return;
    }
    CLVKReportColumn* pColumn = nullptr;
    CLVKReportRecordItem* pItem = pRow->HitTest(pt, nullptr, &pColumn);
    if (bPressedInRow && HitTestRow(m_ptMouseDown) == pRow &&
        !ApplyRowBehavior(pButton, pRow, pColumn, pItem, m_bMouseDownShift, m_bMouseDownControl))
        return;
    if (HitTestRow(pt) != pRow)
        return;
    if (pButton->bEnsureVisible)
        EnsureVisible(pRow);
    if (pButton->bClick)
        pRow->OnClick(pt);
    if (pButton->bContextMenu)
        SendItemNotify(pRow, pItem, pColumn, NM_RCLICK, &ptScreen);
    RestoreTemporaryFocus();
}

void CLVKReportControl::OnContextMenu(POINT ptScreen)
{
    if (m_nMouseMode != kMouseIdle)
        return;
    if (ptScreen.x == -1 && ptScreen.y == -1)
    {
        // From the keyboard: the focused row's menu at its bottom-left corner,
        // else the body's top-left corner.
        if (CLVKReportRow* pRow = GetFocusedRow())
        {
            const RECT& rcRow = pRow->GetRect();
            pRow->OnContextMenu(POINT{rcRow.left, rcRow.bottom});
        }
        else
        {
            const RECT rcBody = GetElementRect(0);
            POINT pt{rcBody.left, rcBody.top};
            ClientToScreen(&pt);
            SendItemNotify(nullptr, nullptr, nullptr, NM_RCLICK, &pt);
        }
        return;
    }
    POINT pt = ptScreen;
    ScreenToClient(&pt);
    if (PtInRect(&m_rcHeaderArea, pt) || PtInRect(&m_rcGroupByArea, pt))
        m_pReportHeader->OnContextMenu(pt);
}

void CLVKReportControl::OnMouseMove(UINT nFlags, POINT pt)
{
    if (m_pReportHeader->OnMouseMove(pt))
        return;
    if (!m_bTrackingMouse)
    {
        TRACKMOUSEEVENT tme{};
        tme.cbSize = sizeof(tme);
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = m_hWnd;
        m_bTrackingMouse = TrackMouseEvent(&tme);
    }
    CLVKReportRow* pRow = HitTestRow(pt);
    m_pHotRow = pRow;
    if (m_bRowSizing && (m_nMouseMode == kMouseIdle || m_nMouseMode == kMouseOverRowEdge))
    {
        // The row above the pointer's edge may be the one that is sized.
        POINT ptRow{pt.x, pt.y - CLVKDpiScaling::GetGlobal()->ScaleY(3)};
        CLVKReportRow* pEdgeRow = HitTestRow(ptRow);
        if (!(pEdgeRow && pEdgeRow->OnMouseMove(nFlags, pt)) && m_nMouseMode == kMouseOverRowEdge)
            m_nMouseMode = kMouseIdle;
    }
    CLVKReportColumn* pColumn = nullptr;
    CLVKReportRecordItem* pItem = pRow ? pRow->HitTest(pt, nullptr, &pColumn) : nullptr;
    UpdateCellTip(pt, pRow);
    // The hyperlink under the mouse is drawn in the hover style; with the
    // resource theme a group row is hot while the mouse is over its button.
    const int nLink = pItem ? pItem->HitTestHyperlink(pt) : -1;
    CLVKReportHyperlink* pHotLink = nLink >= 0 ? pItem->GetHyperlinkAt(nLink) : nullptr;
    CLVKReportRow* pHotGroup = nullptr;
    if (pRow && pRow->IsGroupRow() &&
        (m_pPaintManager->m_nThemeKind != 4 || PtInRect(&pRow->GetCollapseRect(), pt)))
        pHotGroup = pRow;
    if (pHotLink != m_pHotHyperlink || pHotGroup != m_pHotGroupRow)
    {
        m_pHotHyperlink = pHotLink;
        m_pHotGroupRow = pHotGroup;
        RedrawControl();
    }
    // Hot tracking of the controls inside cells: the cell left gets the point
    // too, so that its hot control hears the mouse leave.
    if (pItem && pItem->GetItemControlsCount() == 0)
        pItem = nullptr;
    if (m_pMouseItem && m_pMouseItem != pItem)
        m_pMouseItem->OnMouseMove(nFlags, pt, this);
    SetMouseItem(pItem);
    if (pItem)
        pItem->OnMouseMove(nFlags, pt, this);
    SendItemNotify(pRow, pItem, pColumn, REPORT_NOTIFY_HOT_ROW_CHANGED, &pt);
}

void CLVKReportControl::OnGetToolTipInfo(CLVKReportRow* pRow, CLVKReportRecordItem* pItem, CString& strText)
{
    REPORT_ITEM_NOTIFY_EX nm{};
    nm.pRow = pRow;
    nm.pItem = pItem;
    nm.nHyperlink = -1;
    nm.lExtra = reinterpret_cast<LPARAM>(&strText);
    SendNotify(REPORT_NOTIFY_GET_TOOLTIP_INFO, &nm.hdr);
}

void CLVKReportControl::UpdateCellTip(POINT pt, CLVKReportRow* pRow)
{
    auto hide = [this]()
    {
        m_tip.m_pItem = nullptr;
        m_tip.m_nRowIndex = -1;
        m_tip.Activate(FALSE, FALSE);
    };
    if (m_tip.m_hWnd && m_tip.IsWindowVisible() && PtInRect(&m_tip.GetHoverRect(), pt))
        return;
    RECT rcItem{};
    CLVKReportColumn* pColumn = nullptr;
    CLVKReportRecordItem* pItem = pRow ? pRow->HitTest(pt, &rcItem, &pColumn) : nullptr;
    if (!pItem || !pColumn || IsEditMode() || (pColumn->GetAlignment() & DT_WORDBREAK) || pItem->HasCheckbox())
    {
        hide();
        return;
    }
    HWND hTop = ::GetAncestor(m_hWnd, GA_ROOT);
    if (hTop && ::GetActiveWindow() != hTop)
    {
        hide();
        return;
    }
    if (m_tip.m_pItem == pItem && m_tip.m_nRowIndex == pRow->GetIndex())
        return;
    CString strText = pItem->GetCaption(pColumn);
    strText.TrimRight();
    if (strText.IsEmpty() || !pItem->GetTooltip().IsEmpty())
    {
        hide();
        return;
    }
    rcItem.top = pRow->GetRect().top;
    rcItem.bottom = pRow->GetRect().bottom;
    RECT rcCaption = rcItem;
    pItem->GetCaptionRect(nullptr, rcCaption);
    CClientDC dc(this);
    CLVKFontDC font(&dc, m_pPaintManager->GetTextFont());
    SIZE sz{};
    GetTextExtentPoint32W(dc.m_hDC, strText, strText.GetLength(), &sz);
    font.RestoreFont();
    if (sz.cx <= (rcCaption.right - rcCaption.left) - LVKScaleX(4))
    {
        hide();
        return;
    }
    OnGetToolTipInfo(pRow, pItem, strText);
    if (strText.IsEmpty())
    {
        hide();
        return;
    }
    if (!m_tip.Create(this))
        return;
    m_tip.m_pItem = pItem;
    m_tip.m_nRowIndex = pRow->GetIndex();
    m_tip.m_pReportControl = this;
    m_tip.SetFont(m_pPaintManager->GetTextFont());
    m_tip.SetTooltipText(strText);
    RECT rcTip = rcCaption;
    OffsetRect(&rcTip, -LVKScaleX(1), -LVKScaleY(1));
    if (!m_pPaintManager->IsGridHorizontal())
        rcTip.top += 1;
    m_tip.SetHoverRect(rcCaption);
    ClientToScreen(&rcTip);
    m_tip.SetTooltipRect(rcTip);
    m_tip.Activate(TRUE, m_tip.IsMultiLine());
    TRACKMOUSEEVENT tme{};
    tme.cbSize = sizeof(tme);
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = m_hWnd;
    TrackMouseEvent(&tme);
}

void CLVKReportControl::OnMouseLeave()
{
    m_bTrackingMouse = FALSE;
    m_pReportHeader->OnMouseLeave();
    m_pHotRow = nullptr;
    if (m_pHotHyperlink || m_pHotGroupRow)
    {
        m_pHotHyperlink = nullptr;
        m_pHotGroupRow = nullptr;
        RedrawControl();
    }
    if (m_nMouseMode == kMouseOverRowEdge)
        m_nMouseMode = kMouseIdle;
    POINT ptCursor{};
    GetCursorPos(&ptCursor);
    if (m_tip.m_hWnd && ::WindowFromPoint(ptCursor) != m_tip.m_hWnd)
    {
        m_tip.m_pItem = nullptr;
        m_tip.m_nRowIndex = -1;
        m_tip.Activate(FALSE, FALSE);
    }
    const POINT pt{-1, -1};
    SendItemNotify(nullptr, nullptr, nullptr, REPORT_NOTIFY_HOT_ROW_CHANGED, &pt);
}

void CLVKReportControl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const BOOL bShift = GetKeyState(VK_SHIFT) < 0;
    const BOOL bControlKey = GetKeyState(VK_CONTROL) < 0;
    // Ctrl, or every key acting as with Ctrl held.
    const BOOL bControl = bControlKey || m_bSelectionToggle;
    if (IsRightToLeft() && (nChar == VK_LEFT || nChar == VK_RIGHT))
        nChar = nChar == VK_LEFT ? VK_RIGHT : VK_LEFT;
    const BOOL bHasRows =
        GetRows()->GetCount() > 0 || GetHeaderRows()->GetCount() > 0 || GetFooterRows()->GetCount() > 0;
    CLVKReportRow* pFocused = GetFocusedRow();
    switch (bHasRows ? nChar : 0)
    {
    case VK_RETURN:
        if (pFocused && pFocused->HasChildren() && !pFocused->IsLockExpand())
            pFocused->SetExpanded(!pFocused->IsExpanded());
        break;
    case VK_ESCAPE:
        if (m_nMouseMode != kMouseIdle)
            m_pReportHeader->CancelMouseMode();
        break;
    case VK_SPACE:
        if (m_pSectionBody->m_bSelectionEnable && bControl && pFocused)
        {
            m_pSelectedRows->Toggle(pFocused);
            OnSelectionChanged();
            RedrawControl();
        }
        break;
    case VK_NEXT:
        m_pCurrentNavigator->MovePageDown(bShift, FALSE);
        break;
    case VK_PRIOR:
        m_pCurrentNavigator->MovePageUp(bShift, FALSE);
        break;
    case VK_HOME:
        m_pCurrentNavigator->MoveToFirstRow(bShift, FALSE);
        break;
    case VK_END:
        m_pCurrentNavigator->MoveToLastRow(bShift, FALSE);
        break;
    case VK_DOWN:
        m_pCurrentNavigator->MoveDown(bShift, bControl);
        break;
    case VK_UP:
        m_pCurrentNavigator->MoveUp(bShift, bControl);
        break;
    case VK_LEFT:
    case VK_RIGHT:
        OnLeftRightKey(nChar == VK_LEFT, bShift, bControl, bControlKey);
        break;
    case 'A':
        if (bControlKey && !bShift)
            SelectAll();
        break;
    case VK_ADD:
    case VK_SUBTRACT:
    {
        const BOOL bExpand = nChar == VK_ADD;
        if (bControlKey)
        {
            BeginUpdate();
            if (bExpand)
                m_pSectionBody->ExpandAll(TRUE);
            else
                m_pSectionBody->CollapseAll();
            EndUpdate();
            AdjustScrollBars();
        }
        else if (pFocused && pFocused->HasChildren() && !pFocused->IsLockExpand() &&
                 (pFocused->IsExpanded() != FALSE) != (bExpand != FALSE))
            pFocused->SetExpanded(bExpand);
        break;
    }
    case VK_F2:
        m_pCurrentNavigator->BeginEdit();
        break;
    case VK_F5:
        if (bShift || !pFocused)
            RefreshFormulas();
        else
            RefreshFormulas(pFocused->GetRecord());
        break;
    default:
        break;
    }
    NMKEY nmKey{};
    nmKey.nVKey = nChar;
    nmKey.uFlags = nFlags;
    (void)nRepCnt;
    SendNotify(NM_KEYDOWN, &nmKey.hdr);
}

void CLVKReportControl::OnLeftRightKey(BOOL bLeft, BOOL bShift, BOOL bControl, BOOL bControlKey)
{
    if (m_bIconView)
    {
        m_pCurrentNavigator->MoveLeftRight(bLeft, bShift, bControl);
        return;
    }
    CLVKReportRow* pFocused = GetFocusedRow();
    if (!pFocused)
        return;
    if (m_bFocusSubItems && m_pFocusedColumn)
    {
        // The previous or next focusable cell of the row.
        CLVKReportColumn* pColumn =
            GetNextFocusableColumn(pFocused, m_pColumns->IndexOf(m_pFocusedColumn), bLeft ? -1 : 1);
        if (pColumn)
        {
            SetFocusedColumn(pColumn);
            SetFocusedRow(pFocused, FALSE, bControl);
        }
        return;
    }
    if (bLeft)
    {
        if (pFocused->HasChildren() && pFocused->IsExpanded())
        {
            if (pFocused->IsLockExpand())
                m_pCurrentNavigator->MoveUp(bShift, bControl);
            else
                pFocused->SetExpanded(FALSE);
        }
        else if (pFocused->GetParentRow())
            SetFocusedRow(pFocused->GetParentRow(), FALSE, bControl);
        else
            m_pCurrentNavigator->MoveUp(bShift, bControl);
        return;
    }
    if (!pFocused->HasChildren())
        m_pCurrentNavigator->MoveDown(bShift, bControl);
    else if (pFocused->IsExpanded())
        SetFocusedRow(pFocused->GetChilds(FALSE)->GetAt(0), FALSE, bControl);
    else if (pFocused->IsLockExpand())
        m_pCurrentNavigator->MoveDown(bShift, bControl);
    else
        pFocused->SetExpanded(TRUE, bControlKey);
}

void CLVKReportControl::OnChar(UINT nChar, UINT, UINT)
{
    NMCHAR nmChar{};
    nmChar.ch = nChar;
    SendNotify(NM_CHAR, &nmChar.hdr);
    // Enter, Escape and control characters are not typed into cells.
    if (nChar == VK_RETURN || nChar == VK_ESCAPE || (nChar < 0x20 && nChar != VK_TAB))
        return;
    CLVKReportRow* pFocused = GetFocusedRow();
    if (!pFocused || !m_pFocusedColumn)
        return;
    LVK_REPORTRECORDITEM_ARGS args(this, pFocused, m_pFocusedColumn);
    if (args.pItem)
        args.pItem->OnChar(&args, nChar);
}

// Markup, previews and delayed editing ------------------------------------------------

void CLVKReportControl::EnableMarkup(BOOL bEnable)
{
    if (!bEnable == !m_pMarkupContext)
        return;
    MarkupReleaseContext(m_pMarkupContext);
    if (bEnable)
        m_pMarkupContext = MarkupCreateContext(m_hWnd, FALSE);
    for (int i = 0; i < 3; i++)
    {
        if (CLVKReportSection* pSection = m_pSections->GetAt(i))
            pSection->GetRecords()->SetMarkupContext(m_pMarkupContext);
    }
    for (int i = 0; i < m_pColumns->GetCount(); i++)
        m_pColumns->GetAt(i)->ResetMarkupUIElement();
    for (int i = 0; i < 3; i++)
    {
        if (CLVKReportSection* pSection = m_pSections->GetAt(i))
            ResetRecordsMarkup(pSection->GetRecords());
    }
    if (m_hWnd)
        AdjustScrollBars();
}

void CLVKReportControl::EnablePreviewMode(BOOL bEnable)
{
    if (!bEnable == !m_bPreviewMode)
        return;
    m_bPreviewMode = bEnable;
    if (m_hWnd)
    {
        AdjustScrollBars();
        RedrawControl();
    }
}

void CLVKReportControl::OnDelayEditClick(CLVKReportRow* pRow, CLVKReportColumn* pColumn)
{
    if (!pRow || !pColumn)
        return;
    const int nRow = pRow->GetIndex();
    const int nColumn = pColumn->GetItemIndex();
    if (nRow != m_nPendingEditRow || nColumn != m_nPendingEditColumn)
    {
        if (m_bEditTimerRunning)
            KillTimer(kTimerDelayEdit);
        m_bEditTimerRunning = FALSE;
        KillTimer(kTimerDelayEditReset);
        m_nPendingEditRow = nRow;
        m_nPendingEditColumn = nColumn;
        return;
    }
    if (!m_bEditTimerRunning && m_hWnd)
        m_bEditTimerRunning = SetTimer(kTimerDelayEdit, GetDoubleClickTime() + 50, nullptr) != 0;
}

void CLVKReportControl::StopDelayedEdit()
{
    if (m_bEditTimerRunning && m_hWnd)
        KillTimer(kTimerDelayEdit);
    m_bEditTimerRunning = FALSE;
    m_nPendingEditRow = m_nPendingEditColumn = -1;
}

void CLVKReportControl::OnEditTimer(UINT_PTR nIDEvent)
{
    KillTimer(nIDEvent);
    if (nIDEvent == kTimerDelayEditReset)
    {
        m_nPendingEditRow = m_nPendingEditColumn = -1;
        return;
    }
    m_bEditTimerRunning = FALSE;
    if (!m_bEditOnDelayClick || m_nPendingEditRow < 0 || m_nPendingEditRow >= GetRows()->GetCount())
        return;
    LVK_REPORTRECORDITEM_ARGS args(this, GetRows()->GetAt(m_nPendingEditRow),
                                   m_pColumns->Find(m_nPendingEditColumn));
    if (!args.pItem || !args.pColumn)
        return;
    EditItem(&args);
    SetTimer(kTimerDelayEditReset, 3000, nullptr);
}

// In-place editing ------------------------------------------------------------------

LVK_REPORTRECORDITEM_ARGS::LVK_REPORTRECORDITEM_ARGS(CLVKReportControl* pControlIn, CLVKReportRow* pRowIn,
                                                     CLVKReportColumn* pColumnIn)
    : pControl(pControlIn), pRow(pRowIn), pColumn(pColumnIn)
{
    if (pRow && pRow->GetRecord())
    {
        pItem = pRow->GetRecord()->GetItem(pColumn);
        rcItem = pRow->GetItemRect(pItem);
    }
}

void CLVKReportControl::EditItem(LVK_REPORTRECORDITEM_ARGS* pArgs)
{
    // End the current edit: the edited cell removes its buttons and list and
    // commits its edit box.
    if (m_pActiveItem)
    {
        LVK_REPORTRECORDITEM_ARGS args;
        args.pControl = this;
        args.pRow = m_pActiveRow;
        args.pColumn = m_pActiveColumn;
        args.pItem = m_pActiveItem;
        m_pActiveItem = nullptr;
        m_pActiveRow = nullptr;
        m_pActiveColumn = nullptr;
        args.pItem->OnEndEdit(&args, TRUE);
        args.pItem->InternalRelease();
        args.pRow->InternalRelease();
        RedrawControl();
    }
    else
    {
        RemoveInplaceButtons();
        if (m_pInplaceList->GetSafeHwnd())
            m_pInplaceList->DestroyWindow();
        if (m_pInplaceEdit->GetSafeHwnd() && !m_pInplaceEdit->pItem)
            m_pInplaceEdit->DestroyWindow();
    }
    if (!pArgs || !pArgs->pItem || !pArgs->pRow || !m_hWnd)
        return;
    EnsureVisible(pArgs->pRow);
    LVK_REPORTRECORDITEM_ARGS args = *pArgs;
    args.pControl = this;
    args.rcItem = pArgs->pRow->GetItemRect(pArgs->pItem);
    if (IsRectEmpty(&args.rcItem))
        return;
    m_pActiveItem = args.pItem;
    m_pActiveRow = args.pRow;
    m_pActiveColumn = args.pColumn;
    m_pActiveItem->InternalAddRef();
    m_pActiveRow->InternalAddRef();
    CLVKReportRecordItem* pItem = m_pActiveItem;
    pItem->InternalAddRef();
    pItem->OnBeginEdit(&args);
    // A refused request or a cell without an editor leaves nothing open.
    if (m_pActiveItem == pItem && !IsEditMode() && m_arrInplaceButtons.empty() && !m_pInplaceList->GetSafeHwnd())
    {
        m_pActiveItem = nullptr;
        m_pActiveRow = nullptr;
        m_pActiveColumn = nullptr;
        pItem->InternalRelease();
        args.pRow->InternalRelease();
    }
    pItem->InternalRelease();
}

void CLVKReportControl::EndEditing(BOOL bCommit)
{
    if (!bCommit && m_pInplaceEdit->GetSafeHwnd() && m_pInplaceEdit->pItem)
        m_pInplaceEdit->SetEditText(m_pInplaceEdit->GetStartingText());
    EditItem(nullptr);
}

BOOL CLVKReportControl::IsEditMode() const
{
    return m_pInplaceEdit->GetSafeHwnd() && m_pInplaceEdit->pItem && m_pInplaceEdit->IsWindowVisible();
}

CLVKReportRecordItem* CLVKReportControl::GetActiveItem() const
{
    return IsEditMode() ? m_pInplaceEdit->pItem : nullptr;
}

HWND CLVKReportControl::GetInplaceEditHwnd() const
{
    return m_pInplaceEdit->GetSafeHwnd();
}

void CLVKReportControl::AddInplaceButton(CLVKReportInplaceButton* pButton)
{
    if (pButton)
        m_arrInplaceButtons.push_back(pButton);
}

void CLVKReportControl::RemoveInplaceButtons()
{
    std::vector<CLVKReportInplaceButton*> buttons;
    buttons.swap(m_arrInplaceButtons);
    for (CLVKReportInplaceButton* pButton : buttons)
    {
        if (pButton->GetSafeHwnd())
            pButton->DestroyWindow();
        pButton->SetItemArgs(nullptr);
    }
}

CLVKReportInplaceButton* CLVKReportControl::GetInplaceButton(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetInplaceButtonCount() ? m_arrInplaceButtons[nIndex] : nullptr;
}

void CLVKReportControl::OnInplaceKeyDown(CLVKReportRow* pRow, CLVKReportRecordItem* pItem, CLVKReportColumn* pColumn,
                                         CLVKReportRecordItemConstraint* pConstraint)
{
    REPORT_ITEM_NOTIFY_EX nm{};
    nm.pRow = pRow;
    nm.pItem = pItem;
    nm.pColumn = pColumn;
    nm.nHyperlink = -1;
    nm.lExtra = reinterpret_cast<LPARAM>(pConstraint);
    SendNotify(REPORT_NOTIFY_INPLACE_KEYDOWN, &nm.hdr);
}

void CLVKReportControl::RefreshFormulas(CLVKReportRecord* pOnly)
{
    EditItem(nullptr);
    auto refresh = [](CLVKReportRecord* pRecord)
    {
        for (int j = 0; j < pRecord->GetItemCount(); j++)
        {
            CLVKReportRecordItem* pItem = pRecord->GetItem(j);
            if (pItem && !pItem->GetFormula().IsEmpty())
                pItem->SetCaptionText(pItem->GetCaption(nullptr));
        }
    };
    if (pOnly)
        refresh(pOnly);
    else
    {
        CLVKReportRecords* pRecords = GetRecords();
        for (int i = 0; i < pRecords->GetCount(); i++)
        {
            if (CLVKReportRecord* pRecord = pRecords->GetAt(i))
                refresh(pRecord);
        }
        // Group rows sum their children again.
        CLVKReportRows* pRows = GetRows();
        for (int i = 0; i < pRows->GetCount(); i++)
        {
            CLVKReportRow* pRow = pRows->GetAt(i);
            if (pRow->IsGroupRow() && !static_cast<CLVKReportGroupRow*>(pRow)->GetFormula().IsEmpty())
                static_cast<CLVKReportGroupRow*>(pRow)->SetCaption(L"x");
        }
    }
    RedrawControl();
}

// Window procedure ---------------------------------------------------------------

// The scroll-bar strips answer as scroll bars, so that a framework that
// treats the whole window as client area still lets them be used.
LRESULT CLVKReportControl::OnNcHitTest(POINT ptScreen)
{
    const LRESULT lResult = CWnd::WindowProc(WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y));
    const DWORD dwStyle = GetStyle();
    if (lResult != HTCLIENT || !(dwStyle & (WS_VSCROLL | WS_HSCROLL)))
        return lResult;
    RECT rcWindow{};
    GetWindowRect(&rcWindow);
    const int cxBar = GetSystemMetrics(SM_CXVSCROLL);
    const int cyBar = GetSystemMetrics(SM_CYHSCROLL);
    const BOOL bLeft = (GetExStyle() & (WS_EX_LAYOUTRTL | WS_EX_LEFTSCROLLBAR)) != 0;
    const BOOL bVert = (dwStyle & WS_VSCROLL) && m_bVScrollBarVisible;
    const BOOL bHorz = (dwStyle & WS_HSCROLL) && m_bHScrollBarVisible;
    if (bVert)
    {
        RECT rcBar = rcWindow;
        if (bLeft)
            rcBar.right = rcBar.left + cxBar;
        else
            rcBar.left = rcBar.right - cxBar;
        if (bHorz)
            rcBar.bottom -= cyBar;
        if (PtInRect(&rcBar, ptScreen))
            return HTVSCROLL;
    }
    if (bHorz)
    {
        RECT rcBar = rcWindow;
        rcBar.top = rcBar.bottom - cyBar;
        if (bVert)
            rcBar.right -= cxBar;
        if (PtInRect(&rcBar, ptScreen))
            return HTHSCROLL;
    }
    return HTCLIENT;
}

void CLVKReportControl::OnSize()
{
    BeginUpdate();
    EndEditing(TRUE);
    AdjustLayout();
    AdjustScrollBars();
    EndUpdate();
}

LRESULT CLVKReportControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message)
    {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_PRINTCLIENT:
    {
        HDC hDC = reinterpret_cast<HDC>(wParam);
        RECT rc{};
        GetClientRect(&rc);
        if (m_hCacheBitmap && !m_bRedrawPending)
        {
            CDC dcCache;
            dcCache.Attach(CreateCompatibleDC(hDC));
            CLVKBitmapDC cache(&dcCache, CBitmap::FromHandle(m_hCacheBitmap));
            BitBlt(hDC, 0, 0, rc.right, rc.bottom, dcCache.m_hDC, 0, 0, SRCCOPY);
        }
        else
        {
            CDC dc;
            dc.Attach(hDC);
            OnDraw(&dc);
            dc.Detach();
        }
        return 1;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
    {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        OnSize();
        return lResult;
    }
    case WM_ENABLE:
        AdjustScrollBars();
        RedrawControl();
        break;
    case WM_NCPAINT:
    {
        RECT rcWindow{};
        GetWindowRect(&rcWindow);
        OffsetRect(&rcWindow, -rcWindow.left, -rcWindow.top);
        CWindowDC dc(this);
        return m_pPaintManager->DrawControlBorder(&dc, rcWindow, this);
    }
    case WM_NCHITTEST:
        return OnNcHitTest(pt);
    case WM_VSCROLL:
        if (!lParam)
        {
            OnVScroll(LOWORD(wParam), HIWORD(wParam));
            return 0;
        }
        break;
    case WM_HSCROLL:
        if (!lParam)
        {
            OnHScroll(LOWORD(wParam), HIWORD(wParam));
            return 0;
        }
        break;
    case WM_MOUSEWHEEL:
        OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        break;
    case WM_LBUTTONDOWN:
        OnLButtonDown(static_cast<UINT>(wParam), pt);
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(static_cast<UINT>(wParam), pt);
        return 0;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(static_cast<UINT>(wParam), pt);
        return 0;
    case WM_RBUTTONDOWN:
        OnRButtonDown(static_cast<UINT>(wParam), pt);
        return 0;
    case WM_RBUTTONUP:
        OnRButtonUp(static_cast<UINT>(wParam), pt);
        break;
    case WM_MOUSEMOVE:
        OnMouseMove(static_cast<UINT>(wParam), pt);
        return 0;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        return 0;
    case WM_SETCURSOR:
    {
        POINT ptCursor{};
        GetCursorPos(&ptCursor);
        ScreenToClient(&ptCursor);
        if (LOWORD(lParam) == HTCLIENT && PtInRect(&m_rcHeaderArea, ptCursor) && m_pReportHeader->SetCursor(ptCursor))
            return TRUE;
        if (LOWORD(lParam) == HTCLIENT && m_nMouseMode == kMouseOverRowEdge)
        {
            ::SetCursor(GetRowSizingCursor());
            return TRUE;
        }
        break;
    }
    case WM_CONTEXTMENU:
        OnContextMenu(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_CAPTURECHANGED:
        m_pReportHeader->CancelMouseMode();
        break;
    case WM_KEYDOWN:
        OnKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_CHAR:
        OnChar(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_SETFOCUS:
        // Back from an editor that closed by itself (a committed list, an
        // edit that lost the focus): its buttons go once the focus settles.
        if (m_pActiveItem)
            PostMessage(kMsgEndStaleEditing);
        RedrawControl();
        break;
    case WM_KILLFOCUS:
        RedrawControl();
        break;
    case kMsgEndStaleEditing:
        if (m_pActiveItem && !IsEditMode() && !m_pInplaceList->GetSafeHwnd() && ::GetFocus() == m_hWnd)
            EditItem(nullptr);
        return 0;
    case WM_GETOBJECT:
        if (static_cast<LONG>(lParam) == OBJID_CLIENT)
            return MakeGetObjectResult(IID_IAccessible, wParam, &m_xAccessible);
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS | (m_bFocusSubItems ? DLGC_WANTTAB : 0);
    case WM_SYSCOLORCHANGE:
        m_pPaintManager->RefreshMetrics();
        RedrawControl();
        break;
    case WM_STYLECHANGED:
    {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        RedrawControl();
        return lResult;
    }
    case kMarkupRepaintMessage:
        RedrawControl();
        return 0;
    case WM_TIMER:
        if (wParam == kTimerDelayEdit || wParam == kTimerDelayEditReset)
        {
            OnEditTimer(wParam);
            return 0;
        }
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

// Accessibility ----------------------------------------------------------------------

BEGIN_INTERFACE_MAP(CLVKReportControl, CWnd)
    INTERFACE_PART(CLVKReportControl, IID_IAccessible, Accessible)
END_INTERFACE_MAP()

HRESULT CLVKReportControl::RowFromChildId(const VARIANT& varChild, long* pnChild, CLVKReportRow** ppRow)
{
    *ppRow = nullptr;
    const long nChild = ChildIdFromVariant(varChild);
    *pnChild = nChild;
    if (nChild == CHILDID_SELF || nChild == 1)
        return S_OK;
    const long nRows = GetRows()->GetCount();
    if (nChild < 0 || nChild - 2 >= nRows)
        return E_INVALIDARG;
    *ppRow = GetRows()->GetAt(static_cast<int>(nChild - 2));
    return *ppRow ? S_OK : E_INVALIDARG;
}

HRESULT CLVKReportControl::AccessibleGetParent(IDispatch** ppdispParent)
{
    if (!ppdispParent)
        return E_POINTER;
    *ppdispParent = nullptr;
    if (!m_hWnd)
        return E_FAIL;
    return GetWindowAccessibleObject(m_hWnd, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                     reinterpret_cast<void**>(ppdispParent));
}

HRESULT CLVKReportControl::AccessibleGetChildCount(long* pcountChildren)
{
    if (!pcountChildren)
        return E_POINTER;
    *pcountChildren = GetRows()->GetCount() + 1;
    return S_OK;
}

HRESULT CLVKReportControl::AccessibleGetChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (!ppdispChild)
        return E_POINTER;
    *ppdispChild = nullptr;
    long nChild = 0;
    CLVKReportRow* pRow = nullptr;
    const HRESULT hr = RowFromChildId(varChild, &nChild, &pRow);
    if (FAILED(hr))
        return hr;
    if (!pRow)
        return nChild == CHILDID_SELF ? E_INVALIDARG : S_FALSE;
    *ppdispChild = &pRow->m_xAccessible;
    (*ppdispChild)->AddRef();
    return S_OK;
}

HRESULT CLVKReportControl::AccessibleGetName(VARIANT varChild, BSTR* pszName)
{
    if (!pszName)
        return E_POINTER;
    *pszName = nullptr;
    long nChild = 0;
    CLVKReportRow* pRow = nullptr;
    const HRESULT hr = RowFromChildId(varChild, &nChild, &pRow);
    if (FAILED(hr))
        return hr;
    if (pRow)
    {
        VARIANT varSelf;
        VariantInit(&varSelf);
        return pRow->AccessibleGetName(varSelf, pszName);
    }
    if (nChild == 1)
        return S_FALSE;
    CString strName;
    if (m_hWnd)
        GetWindowText(strName);
    *pszName = SysAllocString(strName.IsEmpty() ? L"Report" : strName.GetString());
    return S_OK;
}

HRESULT CLVKReportControl::AccessibleGetRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (!pvarRole)
        return E_POINTER;
    VariantInit(pvarRole);
    long nChild = 0;
    CLVKReportRow* pRow = nullptr;
    const HRESULT hr = RowFromChildId(varChild, &nChild, &pRow);
    if (FAILED(hr))
        return hr;
    V_VT(pvarRole) = VT_I4;
    V_I4(pvarRole) = pRow ? ROLE_SYSTEM_ROW : (nChild == 1 ? ROLE_SYSTEM_COLUMNHEADER : ROLE_SYSTEM_TABLE);
    return S_OK;
}

HRESULT CLVKReportControl::AccessibleGetState(VARIANT varChild, VARIANT* pvarState)
{
    if (!pvarState)
        return E_POINTER;
    VariantInit(pvarState);
    long nChild = 0;
    CLVKReportRow* pRow = nullptr;
    const HRESULT hr = RowFromChildId(varChild, &nChild, &pRow);
    if (FAILED(hr))
        return hr;
    if (pRow)
    {
        VARIANT varSelf;
        VariantInit(&varSelf);
        return pRow->AccessibleGetState(varSelf, pvarState);
    }
    V_VT(pvarState) = VT_I4;
    V_I4(pvarState) = nChild == CHILDID_SELF ? STATE_SYSTEM_FOCUSABLE : 0;
    return S_OK;
}

HRESULT CLVKReportControl::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                              VARIANT varChild)
{
    if (!pxLeft || !pyTop || !pcxWidth || !pcyHeight)
        return E_POINTER;
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    long nChild = 0;
    CLVKReportRow* pRow = nullptr;
    const HRESULT hr = RowFromChildId(varChild, &nChild, &pRow);
    if (FAILED(hr))
        return hr;
    if (!m_hWnd)
        return E_FAIL;
    RECT rc{};
    if (nChild == CHILDID_SELF)
        GetWindowRect(&rc);
    else
    {
        rc = pRow ? pRow->GetRect() : m_rcHeaderArea;
        ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    }
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.right - rc.left;
    *pcyHeight = rc.bottom - rc.top;
    return S_OK;
}

HRESULT CLVKReportControl::AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    if (!pvarChild)
        return E_POINTER;
    VariantInit(pvarChild);
    if (!m_hWnd)
        return E_FAIL;
    RECT rcWindow{};
    GetWindowRect(&rcWindow);
    POINT pt{xLeft, yTop};
    if (!::PtInRect(&rcWindow, pt))
        return S_FALSE;
    ScreenToClient(&pt);
    V_VT(pvarChild) = VT_I4;
    V_I4(pvarChild) = CHILDID_SELF;
    if (::PtInRect(&m_rcHeaderArea, pt))
    {
        V_I4(pvarChild) = 1;
        return S_OK;
    }
    CLVKReportRow* pRow = HitTestRow(pt);
    if (pRow && pRow->GetSection() == m_pSectionBody)
        V_I4(pvarChild) = pRow->GetIndex() + 2;
    return S_OK;
}

int CLVKReportControl::MeasureColumnWidth(CLVKReportColumn* pColumn)
{
    return GetColumnBestFitWidthAll(pColumn);
}

int CLVKReportControl::GetColumnBestFitWidth(CDC* pDC, CLVKReportRows* pRows, CLVKReportColumn* pColumn, int nFirst,
                                             int nCount)
{
    if (!pDC || !pRows || !pColumn || !m_pPaintManager)
        return 0;
    // Cells draw into a wide rectangle of the measuring DC and answer the
    // width they need.
    const int kMeasureWidth = 4096;
    nFirst = std::max(0, nFirst);
    const int nEnd = nCount <= 0 ? pRows->GetCount() : std::min(pRows->GetCount(), nFirst + nCount);
    int nWidest = 0;
    for (int i = nFirst; i < nEnd; i++)
    {
        CLVKReportRow* pRow = pRows->GetAt(i);
        if (!pRow || pRow->IsGroupRow())
            continue;
        CLVKReportRecord* pRecord = pRow->GetRecord();
        CLVKReportRecordItem* pItem = pRecord ? pRecord->GetItem(pColumn) : nullptr;
        if (!pItem)
            continue;
        LVK_REPORTRECORDITEM_DRAWARGS args;
        args.pControl = this;
        args.pRow = pRow;
        args.pColumn = pColumn;
        args.pItem = pItem;
        args.pDC = pDC;
        args.rcItem = RECT{0, 0, kMeasureWidth, 64};
        args.nTextAlign = pColumn->GetAlignment();
        nWidest = std::max(nWidest, pItem->Draw(&args));
    }
    return nWidest;
}

int CLVKReportControl::GetColumnBestFitWidthAll(CLVKReportColumn* pColumn)
{
    if (!pColumn || !m_pPaintManager || !m_hWnd)
        return 0;
    CClientDC dcWindow(this);
    CDC dc;
    dc.CreateCompatibleDC(&dcWindow);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dcWindow, 64, 64);
    CLVKBitmapDC canvas(&dc, &bitmap);
    CLVKFontDC font(&dc, m_pPaintManager->GetTextFont());
    // Mode 0 (and mode 1 in virtual mode, where rows are not objects) takes
    // the page from the top row, so that a long list costs one page.
    int nFirst = 0;
    int nCount = -1;
    const int nMode = pColumn->GetBestFitMode();
    int nWidest = 0;
    if (nMode == 0 || nMode == 1)
    {
        if (nMode == 0 || IsVirtualMode())
        {
            nFirst = m_pSectionBody->GetTopRowIndex();
            nCount = std::max(1, m_pSectionBody->GetPageRowCount(&dc) + 1);
        }
        nWidest = GetColumnBestFitWidth(&dc, m_pSectionBody->GetRows(), pColumn, nFirst, nCount);
        for (CLVKReportSection* pSection : {m_pSectionHeader, m_pSectionFooter})
        {
            if (pSection->m_bVisible && pSection->GetRows()->GetCount() > 0)
                nWidest = std::max(nWidest, GetColumnBestFitWidth(&dc, pSection->GetRows(), pColumn, 0, -1));
        }
    }
    return nWidest;
}
