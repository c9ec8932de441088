// The report control's accessibility: the control as an accessible object.
#include "ReportControl.h"
#include "ReportControlPrivate.h"

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
