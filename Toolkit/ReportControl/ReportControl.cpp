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

#include "ReportControlPrivate.h"


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
