#include "Markup/MarkupGrid.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupBuilderException.h"
#include "Markup/MarkupColumnDefinitionCollection.h"
#include "Markup/MarkupGridLength.h"
#include "Markup/MarkupInt.h"
#include "Markup/MarkupRowDefinitionCollection.h"
#include "Markup/MarkupUIElementCollection.h"
#include "Markup/MarkupValueConverters.h"

#include <algorithm>
#include <cmath>

CLVKMarkupDependencyProperty* CLVKMarkupGrid::m_pColumnDefinitionsProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupGrid::m_pRowDefinitionsProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupGrid::m_pColumnProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupGrid::m_pRowProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupGrid::m_pColumnSpanProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupGrid::m_pRowSpanProperty = nullptr;

BEGIN_DISPATCH_MAP(CLVKMarkupGrid, CLVKMarkupPanel)
    DISP_MARKUP_ATTACHED_SET("SetColumn", 600, CLVKMarkupGrid::SetColumn)
    DISP_MARKUP_ATTACHED_SET("SetColumnSpan", 601, CLVKMarkupGrid::SetColumnSpan)
    DISP_MARKUP_ATTACHED_SET("SetRow", 602, CLVKMarkupGrid::SetRow)
    DISP_MARKUP_ATTACHED_SET("SetRowSpan", 603, CLVKMarkupGrid::SetRowSpan)
    DISP_MARKUP_ATTACHED_GET("GetColumn", 604, CLVKMarkupGrid::GetColumn)
    DISP_MARKUP_ATTACHED_GET("GetColumnSpan", 605, CLVKMarkupGrid::GetColumnSpan)
    DISP_MARKUP_ATTACHED_GET("GetRow", 606, CLVKMarkupGrid::GetRow)
    DISP_MARKUP_ATTACHED_GET("GetRowSpan", 607, CLVKMarkupGrid::GetRowSpan)
    DISP_PROPERTY_EX_ID(CLVKMarkupGrid, "ColumnDefinitions", 608, OleGetColumnDefinitions, SetNotSupported,
                        VT_DISPATCH)
    DISP_PROPERTY_EX_ID(CLVKMarkupGrid, "RowDefinitions", 609, OleGetRowDefinitions, SetNotSupported, VT_DISPATCH)
END_DISPATCH_MAP()

IDispatch* CLVKMarkupGrid::OleGetColumnDefinitions()
{
    return GetDispatch(m_pColumnDefinitions, TRUE);
}

IDispatch* CLVKMarkupGrid::OleGetRowDefinitions()
{
    return GetDispatch(m_pRowDefinitions, TRUE);
}

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupGrid, L"Grid", CLVKMarkupPanel::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupGrid(); }, &CLVKMarkupGrid::RegisterProperties)

namespace
{

int ReadInt(const CLVKMarkupObject* pElement, CLVKMarkupDependencyProperty* pProperty, int nUnset)
{
    auto* const pValue = pElement ? MarkupCast<CLVKMarkupInt>(pElement->GetValue(pProperty)) : nullptr;
    return pValue ? pValue->GetValue() : nUnset;
}

void WriteInt(CLVKMarkupObject* pElement, CLVKMarkupDependencyProperty* pProperty, int n)
{
    if (pElement)
    {
        pElement->SetValue(pProperty, new CLVKMarkupInt(n));
    }
}

// A cell of a child in a grid changes: that grid measures again.
void AFX_CDECL OnCellChanged(CLVKMarkupObject* pObject, const MarkupPropertyChange&)
{
    auto* const pVisual = MarkupCast<CLVKMarkupVisual>(pObject);
    if (auto* const pGrid = pVisual ? MarkupCast<CLVKMarkupGrid>(pVisual->GetVisualParent()) : nullptr)
    {
        pGrid->InvalidateMeasure();
    }
}

// A star weight; a negative one (possible from markup) counts as 0 so that
// the weights never cancel out into a division by zero.
double StarWeight(const CLVKMarkupDefinitionBase* pDefinition)
{
    return std::max(0.0, pDefinition->GetUserSize()->GetValue());
}

int Truncate(double d)
{
    if (!(d > -kMarkupLargeLength))
    {
        return d != d ? 0 : -kMarkupLargeLength;
    }
    return d > kMarkupLargeLength ? kMarkupLargeLength : static_cast<int>(d);
}

// The star definitions get their key ((maximum or minimum) / weight) in the
// size cache and their weight in the measure size; after sorting by key the
// size cache holds the sum of the weights from there to the end.
void PrepareStars(std::vector<CLVKMarkupDefinitionBase*>& stars)
{
    for (CLVKMarkupDefinitionBase* const pDefinition : stars)
    {
        const double dWeight = StarWeight(pDefinition);
        if (dWeight == 0)
        {
            pDefinition->m_dMeasureSize = 0;
            pDefinition->m_dSizeCache = 0;
            continue;
        }
        pDefinition->m_dMeasureSize = dWeight;
        const double dLimit = pDefinition->HasUserMaxSize()
                                  ? std::max(pDefinition->m_nMinSize, pDefinition->GetUserMaxSize())
                                  : pDefinition->m_nMinSize;
        pDefinition->m_dSizeCache = dLimit / dWeight;
    }
    std::sort(stars.begin(), stars.end(),
              [](const CLVKMarkupDefinitionBase* a, const CLVKMarkupDefinitionBase* b)
              { return a->m_dSizeCache < b->m_dSizeCache; });
    double dSum = 0;
    for (auto it = stars.rbegin(); it != stars.rend(); ++it)
    {
        dSum += (*it)->m_dMeasureSize;
        (*it)->m_dSizeCache = dSum;
    }
}

// Shares the room left among prepared star definitions; returns the sizes
// (also stored as their measure size) and grows dTaken by each.
void ShareStars(const std::vector<CLVKMarkupDefinitionBase*>& stars, double dAvailable, double& dTaken)
{
    for (CLVKMarkupDefinitionBase* const pDefinition : stars)
    {
        const double dWeight = pDefinition->m_dMeasureSize;
        int nSize = pDefinition->m_nMinSize;
        if (dWeight != 0 && pDefinition->m_dSizeCache > 0)
        {
            nSize = Truncate(std::max(dAvailable - dTaken, 0.0) * dWeight / pDefinition->m_dSizeCache);
            nSize = std::min(nSize, pDefinition->GetUserMaxSize());
            nSize = std::max(nSize, pDefinition->m_nMinSize);
        }
        pDefinition->m_dMeasureSize = nSize;
        dTaken += nSize;
    }
}

}  // namespace

void AFX_CDECL CLVKMarkupGrid::RegisterProperties()
{
    CLVKMarkupType* const pType = GetMarkupType();
    CLVKMarkupType* const pInt = CLVKMarkupInt::GetMarkupType();
    CLVKMarkupType::EnsureRegistered(CLVKMarkupColumnDefinition::GetMarkupType());
    CLVKMarkupType::EnsureRegistered(CLVKMarkupRowDefinition::GetMarkupType());
    m_pColumnDefinitionsProperty = CLVKMarkupDependencyProperty::Register(
        L"ColumnDefinitions", CLVKMarkupColumnDefinitionCollection::GetMarkupType(), pType);
    m_pRowDefinitionsProperty = CLVKMarkupDependencyProperty::Register(
        L"RowDefinitions", CLVKMarkupRowDefinitionCollection::GetMarkupType(), pType);
    m_pColumnProperty = CLVKMarkupDependencyProperty::RegisterAttached(
        L"Column", pInt, pType, new CLVKMarkupPropertyMetadata(nullptr, OnCellChanged));
    m_pRowProperty = CLVKMarkupDependencyProperty::RegisterAttached(
        L"Row", pInt, pType, new CLVKMarkupPropertyMetadata(nullptr, OnCellChanged));
    m_pColumnSpanProperty = CLVKMarkupDependencyProperty::RegisterAttached(
        L"ColumnSpan", pInt, pType, new CLVKMarkupPropertyMetadata(nullptr, OnCellChanged));
    m_pRowSpanProperty = CLVKMarkupDependencyProperty::RegisterAttached(
        L"RowSpan", pInt, pType, new CLVKMarkupPropertyMetadata(nullptr, OnCellChanged));
}

CLVKMarkupGrid::CLVKMarkupGrid()
    : m_pColumnDefinitions(new CLVKMarkupColumnDefinitionCollection()),
      m_pRowDefinitions(new CLVKMarkupRowDefinitionCollection()), m_pDefaultColumn(new CLVKMarkupColumnDefinition()),
      m_pDefaultRow(new CLVKMarkupRowDefinition())
{
    m_pColumnDefinitions->SetLogicalParent(this);
    m_pRowDefinitions->SetLogicalParent(this);
}

CLVKMarkupGrid::~CLVKMarkupGrid()
{
    for (CLVKMarkupCollection* const pCollection : {static_cast<CLVKMarkupCollection*>(m_pColumnDefinitions),
                                                    static_cast<CLVKMarkupCollection*>(m_pRowDefinitions)})
    {
        if (pCollection->GetLogicalParent() == this)
        {
            pCollection->SetLogicalParent(nullptr);
        }
        pCollection->Release();
    }
    m_pDefaultColumn->Release();
    m_pDefaultRow->Release();
}

int AFX_CDECL CLVKMarkupGrid::GetColumn(const CLVKMarkupObject* pElement)
{
    return ReadInt(pElement, m_pColumnProperty, 0);
}

int AFX_CDECL CLVKMarkupGrid::GetRow(const CLVKMarkupObject* pElement)
{
    return ReadInt(pElement, m_pRowProperty, 0);
}

int AFX_CDECL CLVKMarkupGrid::GetColumnSpan(const CLVKMarkupObject* pElement)
{
    const int n = ReadInt(pElement, m_pColumnSpanProperty, 1);
    return n > 0 ? n : 1;
}

int AFX_CDECL CLVKMarkupGrid::GetRowSpan(const CLVKMarkupObject* pElement)
{
    const int n = ReadInt(pElement, m_pRowSpanProperty, 1);
    return n > 0 ? n : 1;
}

void AFX_CDECL CLVKMarkupGrid::SetColumn(CLVKMarkupObject* pElement, int n)
{
    WriteInt(pElement, m_pColumnProperty, n);
}

void AFX_CDECL CLVKMarkupGrid::SetRow(CLVKMarkupObject* pElement, int n)
{
    WriteInt(pElement, m_pRowProperty, n);
}

void AFX_CDECL CLVKMarkupGrid::SetColumnSpan(CLVKMarkupObject* pElement, int n)
{
    WriteInt(pElement, m_pColumnSpanProperty, n);
}

void AFX_CDECL CLVKMarkupGrid::SetRowSpan(CLVKMarkupObject* pElement, int n)
{
    WriteInt(pElement, m_pRowSpanProperty, n);
}

void CLVKMarkupGrid::SetPropertyObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupDependencyProperty* pProperty,
                                       CLVKMarkupObject* pValue)
{
    const BOOL bColumns = pProperty == m_pColumnDefinitionsProperty;
    if (!bColumns && pProperty != m_pRowDefinitionsProperty)
    {
        CLVKMarkupPanel::SetPropertyObject(pBuilder, pProperty, pValue);
        return;
    }
    CLVKMarkupCollection* pCollection = nullptr;
    if (bColumns)
    {
        pCollection = MarkupCast<CLVKMarkupColumnDefinitionCollection>(pValue);
        if (!pCollection)
        {
            MarkupThrowError(L"CLVKMarkupColumnDefinitionCollection class expected");
        }
    }
    else
    {
        pCollection = MarkupCast<CLVKMarkupRowDefinitionCollection>(pValue);
        if (!pCollection)
        {
            MarkupThrowError(L"CLVKMarkupRowDefinitionCollection class expected");
        }
    }
    CLVKMarkupCollection* const pOld =
        bColumns ? static_cast<CLVKMarkupCollection*>(m_pColumnDefinitions) : m_pRowDefinitions;
    if (pOld == pCollection)
    {
        return;
    }
    pCollection->AddRef();
    pCollection->SetLogicalParent(this);
    if (pOld->GetLogicalParent() == this)
    {
        pOld->SetLogicalParent(nullptr);
    }
    pOld->Release();
    if (bColumns)
    {
        m_pColumnDefinitions = static_cast<CLVKMarkupColumnDefinitionCollection*>(pCollection);
    }
    else
    {
        m_pRowDefinitions = static_cast<CLVKMarkupRowDefinitionCollection*>(pCollection);
    }
    InvalidateMeasure();
}

void CLVKMarkupGrid::UseDefinitions(Definitions& definitions, CLVKMarkupCollection* pUser,
                                    CLVKMarkupDefinitionBase* pDefault)
{
    definitions.clear();
    for (int i = 0; i < pUser->GetCount(); ++i)
    {
        if (auto* const pDefinition = MarkupCast<CLVKMarkupDefinitionBase>(pUser->GetItemOrNull(i)))
        {
            definitions.push_back(pDefinition);
        }
    }
    if (definitions.empty())
    {
        definitions.push_back(pDefault);
    }
}

void CLVKMarkupGrid::InitDefinitions(const Definitions& definitions, BOOL bStarAsAuto)
{
    for (CLVKMarkupDefinitionBase* const pDefinition : definitions)
    {
        pDefinition->ResetLayout();
        int nMin = pDefinition->GetUserMinSize();
        int nMax = pDefinition->GetUserMaxSize();
        const CLVKMarkupGridLength* const pSize = pDefinition->GetUserSize();
        switch (pSize->GetUnit())
        {
        case CLVKMarkupGridLength::kAuto:
            pDefinition->m_nLayoutType = CLVKMarkupDefinitionBase::kLayoutAuto;
            break;
        case CLVKMarkupGridLength::kPixel:
        {
            pDefinition->m_nLayoutType = CLVKMarkupDefinitionBase::kLayoutPixel;
            const int nPixels = Truncate(pSize->GetValue());
            nMin = std::max(nMin, std::min(nPixels, nMax));
            nMax = std::min(nMax, nPixels);
            break;
        }
        default:
            pDefinition->m_nLayoutType =
                bStarAsAuto ? CLVKMarkupDefinitionBase::kLayoutAuto : CLVKMarkupDefinitionBase::kLayoutStar;
            break;
        }
        pDefinition->UpdateMinSize(nMin);
        pDefinition->m_dMeasureSize = std::max(nMax, nMin);
    }
}

void CLVKMarkupGrid::BuildCells()
{
    const int nChildren = m_pChildren->GetCount();
    const int nColumns = static_cast<int>(m_columns.size());
    const int nRows = static_cast<int>(m_rows.size());
    m_cells.assign(nChildren, GridCell{});
    for (int& nHead : m_groupHeads)
    {
        nHead = kEndOfList;
    }
    m_bSpansStarColumn = m_bSpansStarRow = m_bGroup3InAutoRows = FALSE;
    // From the last child to the first, so that each list comes out in
    // child order.
    for (int i = nChildren - 1; i >= 0; --i)
    {
        GridCell& cell = m_cells[i];
        cell.nNext = kEndOfList;
        cell.pChild = m_pChildren->GetElement(i);
        if (!cell.pChild)
        {
            continue;
        }
        // A negative index is the first column or row: a cell outside the
        // table would read definitions that do not exist.
        cell.nColumn = std::max(0, std::min(GetColumn(cell.pChild), nColumns - 1));
        cell.nRow = std::max(0, std::min(GetRow(cell.pChild), nRows - 1));
        cell.nColumnSpan = std::min(GetColumnSpan(cell.pChild), nColumns - cell.nColumn);
        cell.nRowSpan = std::min(GetRowSpan(cell.pChild), nRows - cell.nRow);
        for (int c = cell.nColumn; c < cell.nColumn + cell.nColumnSpan; ++c)
        {
            cell.nColumnTypes |= m_columns[c]->m_nLayoutType;
        }
        for (int r = cell.nRow; r < cell.nRow + cell.nRowSpan; ++r)
        {
            cell.nRowTypes |= m_rows[r]->m_nLayoutType;
        }
        const BOOL bStarColumn = (cell.nColumnTypes & CLVKMarkupDefinitionBase::kLayoutStar) != 0;
        const BOOL bStarRow = (cell.nRowTypes & CLVKMarkupDefinitionBase::kLayoutStar) != 0;
        const BOOL bAutoColumn = (cell.nColumnTypes & CLVKMarkupDefinitionBase::kLayoutAuto) != 0;
        const BOOL bAutoRow = (cell.nRowTypes & CLVKMarkupDefinitionBase::kLayoutAuto) != 0;
        int nGroup = 1;
        if (bStarRow)
        {
            nGroup = !bAutoColumn || bStarColumn ? 4 : 2;
        }
        else if (bStarColumn)
        {
            nGroup = 3;
            if (bAutoRow)
            {
                m_bGroup3InAutoRows = TRUE;
            }
        }
        m_bSpansStarColumn |= bStarColumn;
        m_bSpansStarRow |= bStarRow;
        cell.nNext = m_groupHeads[nGroup - 1];
        m_groupHeads[nGroup - 1] = i;
    }
}

void CLVKMarkupGrid::MeasureCell(CLVKMarkupDrawingContext* pDC, const GridCell& cell, BOOL bInfiniteHeight) const
{
    const auto offered = [](const Definitions& definitions, int nFirst, int nSpan, int nTypes)
    {
        if ((nTypes & CLVKMarkupDefinitionBase::kLayoutAuto) && !(nTypes & CLVKMarkupDefinitionBase::kLayoutStar))
        {
            return kMarkupInfiniteLength;
        }
        double dSum = 0;
        for (int i = nFirst; i < nFirst + nSpan; ++i)
        {
            const CLVKMarkupDefinitionBase* const pDefinition = definitions[i];
            dSum += pDefinition->m_nLayoutType == CLVKMarkupDefinitionBase::kLayoutAuto ? pDefinition->m_nMinSize
                                                                                        : pDefinition->m_dMeasureSize;
        }
        // A sum beyond the finite range is an unbounded length.
        return dSum > kMarkupLargeLength ? kMarkupInfiniteLength : std::max(0, Truncate(dSum));
    };
    const int nWidth = offered(m_columns, cell.nColumn, cell.nColumnSpan, cell.nColumnTypes);
    const int nHeight =
        bInfiniteHeight ? kMarkupInfiniteLength : offered(m_rows, cell.nRow, cell.nRowSpan, cell.nRowTypes);
    cell.pChild->Measure(pDC, nWidth, nHeight);
}

void CLVKMarkupGrid::MeasureGroup(CLVKMarkupDrawingContext* pDC, int nHead, BOOL bInfiniteHeight, BOOL bSkipWidths,
                                  BOOL bSkipHeights)
{
    std::vector<SPANKEY> keys;
    for (int i = nHead; i != kEndOfList; i = m_cells[i].nNext)
    {
        const GridCell& cell = m_cells[i];
        MeasureCell(pDC, cell, bInfiniteHeight);
        const SIZE sz = cell.pChild->GetDesiredSize();
        if (!bSkipWidths)
        {
            if (cell.nColumnSpan == 1)
            {
                m_columns[cell.nColumn]->UpdateMinSize(sz.cx);
            }
            else
            {
                keys.push_back(SPANKEY{cell.nColumnSpan, cell.nColumn, TRUE, static_cast<int>(sz.cx)});
            }
        }
        if (!bSkipHeights)
        {
            if (cell.nRowSpan == 1)
            {
                m_rows[cell.nRow]->UpdateMinSize(sz.cy);
            }
            else
            {
                keys.push_back(SPANKEY{cell.nRowSpan, cell.nRow, FALSE, static_cast<int>(sz.cy)});
            }
        }
    }
    for (const SPANKEY& key : keys)
    {
        EnsureMinSizeInRange(key.bColumn ? m_columns : m_rows, key.nFirst, key.nSpan, key.nSize);
    }
}

void CLVKMarkupGrid::EnsureMinSizeInRange(const Definitions& definitions, int nFirst, int nSpan, int nRequested)
{
    if (nRequested == 0)
    {
        return;
    }
    Definitions range(definitions.begin() + nFirst, definitions.begin() + nFirst + nSpan);
    const int n = nSpan;
    double dMinSum = 0, dPreferredSum = 0, dMaxSum = 0, dLargestMax = 0;
    int nAuto = 0;
    for (CLVKMarkupDefinitionBase* const pDefinition : range)
    {
        const double dMin = pDefinition->m_nMinSize;
        const double dPreferred = pDefinition->GetPreferredSize();
        const double dMax =
            pDefinition->HasUserMaxSize() ? std::max(static_cast<double>(pDefinition->GetUserMaxSize()), dMin) : dMin;
        pDefinition->m_dSizeCache = dMax;
        dMinSum += dMin;
        dPreferredSum += dPreferred;
        dMaxSum += dMax;
        dLargestMax = std::max(dLargestMax, dMax);
        if (pDefinition->GetUserSize()->IsAuto())
        {
            ++nAuto;
        }
    }
    const double dRequested = nRequested;
    if (dRequested <= dMinSum)
    {
        return;
    }
    if (dRequested <= dPreferredSum)
    {
        // Auto definitions first (by minimum), then the others by preferred
        // size: the smallest take their share first.
        std::sort(range.begin(), range.end(),
                  [](const CLVKMarkupDefinitionBase* a, const CLVKMarkupDefinitionBase* b)
                  {
                      const BOOL bAutoA = a->GetUserSize()->IsAuto(), bAutoB = b->GetUserSize()->IsAuto();
                      if (bAutoA != bAutoB)
                      {
                          return bAutoA > bAutoB;
                      }
                      return bAutoA ? a->m_nMinSize < b->m_nMinSize : a->GetPreferredSize() < b->GetPreferredSize();
                  });
        double dRest = dRequested;
        for (int k = 0; k < nAuto; ++k)
        {
            dRest -= range[k]->m_nMinSize;
        }
        for (int k = nAuto; k < n; ++k)
        {
            const double dShare = std::min(dRest / (n - k), range[k]->GetPreferredSize());
            if (dShare > range[k]->m_nMinSize)
            {
                range[k]->UpdateMinSize(Truncate(dShare));
            }
            dRest -= dShare;
        }
        return;
    }
    if (dRequested <= dMaxSum)
    {
        // Non-auto definitions first, each group by its maximum.
        std::sort(range.begin(), range.end(),
                  [](const CLVKMarkupDefinitionBase* a, const CLVKMarkupDefinitionBase* b)
                  {
                      const BOOL bAutoA = a->GetUserSize()->IsAuto(), bAutoB = b->GetUserSize()->IsAuto();
                      if (bAutoA != bAutoB)
                      {
                          return bAutoA < bAutoB;
                      }
                      return a->m_dSizeCache < b->m_dSizeCache;
                  });
        double dRest = dRequested - dPreferredSum;
        const int nOthers = n - nAuto;
        for (int k = 0; k < nOthers; ++k)
        {
            const double dPreferred = range[k]->GetPreferredSize();
            range[k]->UpdateMinSize(Truncate(std::min(dPreferred + dRest / (nOthers - k), range[k]->m_dSizeCache)));
            dRest -= range[k]->m_nMinSize - dPreferred;
        }
        for (int k = nOthers; k < n; ++k)
        {
            const int nBefore = range[k]->m_nMinSize;
            range[k]->UpdateMinSize(Truncate(std::min(nBefore + dRest / (n - k), range[k]->m_dSizeCache)));
            dRest -= range[k]->m_nMinSize - nBefore;
        }
        return;
    }
    const double dDenominator = n * dLargestMax - dMaxSum;
    for (CLVKMarkupDefinitionBase* const pDefinition : range)
    {
        if (dRequested / n < dLargestMax && dDenominator > 0)
        {
            pDefinition->UpdateMinSize(
                Truncate((dLargestMax - pDefinition->m_dSizeCache) * (dRequested - dMaxSum) / dDenominator +
                         pDefinition->m_dSizeCache));
        }
        else
        {
            pDefinition->UpdateMinSize(Truncate(dRequested / n));
        }
    }
}

void CLVKMarkupGrid::ResolveStar(const Definitions& definitions, double dAvailable)
{
    double dTaken = 0;
    std::vector<CLVKMarkupDefinitionBase*> stars;
    for (CLVKMarkupDefinitionBase* const pDefinition : definitions)
    {
        switch (pDefinition->m_nLayoutType)
        {
        case CLVKMarkupDefinitionBase::kLayoutPixel:
            dTaken += pDefinition->m_dMeasureSize;
            break;
        case CLVKMarkupDefinitionBase::kLayoutAuto:
            dTaken += pDefinition->m_nMinSize;
            break;
        case CLVKMarkupDefinitionBase::kLayoutStar:
            stars.push_back(pDefinition);
            break;
        default:
            break;
        }
    }
    PrepareStars(stars);
    ShareStars(stars, dAvailable, dTaken);
}

void CLVKMarkupGrid::SetFinalSize(const Definitions& definitions, int nFinal)
{
    const int n = static_cast<int>(definitions.size());
    // Star definitions (by their user unit) in front, the others behind in
    // reverse order of declaration.
    std::vector<CLVKMarkupDefinitionBase*> stars, others;
    double dTaken = 0;
    for (int i = n - 1; i >= 0; --i)
    {
        CLVKMarkupDefinitionBase* const pDefinition = definitions[i];
        const CLVKMarkupGridLength* const pSize = pDefinition->GetUserSize();
        if (pSize->IsStar())
        {
            stars.insert(stars.begin(), pDefinition);
            continue;
        }
        const double dUser = pSize->IsAuto() ? pDefinition->m_nMinSize : pSize->GetValue();
        pDefinition->m_dSizeCache = std::max(static_cast<double>(pDefinition->m_nMinSize),
                                             std::min(dUser, static_cast<double>(pDefinition->GetUserMaxSize())));
        dTaken += pDefinition->m_dSizeCache;
        others.push_back(pDefinition);
    }
    PrepareStars(stars);
    ShareStars(stars, nFinal, dTaken);
    for (CLVKMarkupDefinitionBase* const pDefinition : stars)
    {
        pDefinition->m_dSizeCache = pDefinition->m_dMeasureSize;
    }
    if (dTaken > nFinal)
    {
        // Too little room: the star definitions closest to their minimum
        // give way first, then the others from the last declared; none goes
        // below its minimum.
        std::sort(stars.begin(), stars.end(),
                  [](const CLVKMarkupDefinitionBase* a, const CLVKMarkupDefinitionBase* b)
                  { return a->m_dSizeCache - a->m_nMinSize < b->m_dSizeCache - b->m_nMinSize; });
        std::vector<CLVKMarkupDefinitionBase*> work(stars);
        work.insert(work.end(), others.begin(), others.end());
        const int nWork = static_cast<int>(work.size());
        for (int k = 0; k < nWork; ++k)
        {
            CLVKMarkupDefinitionBase* const pDefinition = work[k];
            const double dSize = pDefinition->m_dSizeCache;
            const double dNew = std::min(
                dSize, std::max(dSize + (nFinal - dTaken) / (nWork - k), static_cast<double>(pDefinition->m_nMinSize)));
            dTaken += dNew - dSize;
            pDefinition->m_dSizeCache = dNew;
        }
    }
    int nOffset = 0;
    for (CLVKMarkupDefinitionBase* const pDefinition : definitions)
    {
        pDefinition->m_nFinalOffset = nOffset;
        nOffset = std::min(kMarkupLargeLength, nOffset + std::max(0, Truncate(pDefinition->m_dSizeCache)));
    }
}

SIZE CLVKMarkupGrid::MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight)
{
    if (m_pColumnDefinitions->GetCount() == 0 && m_pRowDefinitions->GetCount() == 0)
    {
        // Without definitions the grid overlays its children.
        m_cells.clear();
        SIZE szLargest = {0, 0};
        for (int i = 0; i < m_pChildren->GetCount(); ++i)
        {
            if (CLVKMarkupUIElement* const pChild = m_pChildren->GetElement(i))
            {
                pChild->Measure(pDC, nWidth, nHeight);
                szLargest.cx = std::max(szLargest.cx, pChild->GetDesiredSize().cx);
                szLargest.cy = std::max(szLargest.cy, pChild->GetDesiredSize().cy);
            }
        }
        return szLargest;
    }
    UseDefinitions(m_columns, m_pColumnDefinitions, m_pDefaultColumn);
    UseDefinitions(m_rows, m_pRowDefinitions, m_pDefaultRow);
    InitDefinitions(m_columns, nWidth > 32000);
    InitDefinitions(m_rows, nHeight > 32000);
    BuildCells();

    MeasureGroup(pDC, m_groupHeads[0], FALSE, FALSE, FALSE);
    if (!m_bGroup3InAutoRows)
    {
        if (m_bSpansStarRow)
        {
            ResolveStar(m_rows, nHeight);
        }
        MeasureGroup(pDC, m_groupHeads[1], FALSE, FALSE, FALSE);
        if (m_bSpansStarColumn)
        {
            ResolveStar(m_columns, nWidth);
        }
        MeasureGroup(pDC, m_groupHeads[2], FALSE, FALSE, FALSE);
    }
    else if (m_groupHeads[1] == kEndOfList)
    {
        if (m_bSpansStarColumn)
        {
            ResolveStar(m_columns, nWidth);
        }
        MeasureGroup(pDC, m_groupHeads[2], FALSE, FALSE, FALSE);
        if (m_bSpansStarRow)
        {
            ResolveStar(m_rows, nHeight);
        }
    }
    else
    {
        // Auto columns first need the widths of cells in star rows, whose
        // heights are only known after the star columns are resolved.
        MeasureGroup(pDC, m_groupHeads[1], TRUE, FALSE, TRUE);
        if (m_bSpansStarColumn)
        {
            ResolveStar(m_columns, nWidth);
        }
        MeasureGroup(pDC, m_groupHeads[2], FALSE, FALSE, FALSE);
        if (m_bSpansStarRow)
        {
            ResolveStar(m_rows, nHeight);
        }
        MeasureGroup(pDC, m_groupHeads[1], FALSE, TRUE, FALSE);
    }
    MeasureGroup(pDC, m_groupHeads[3], FALSE, FALSE, FALSE);

    long long nDesiredWidth = 0, nDesiredHeight = 0;
    for (const CLVKMarkupDefinitionBase* const pDefinition : m_columns)
    {
        nDesiredWidth += pDefinition->m_nMinSize;
    }
    for (const CLVKMarkupDefinitionBase* const pDefinition : m_rows)
    {
        nDesiredHeight += pDefinition->m_nMinSize;
    }
    return SIZE{static_cast<LONG>(std::min<long long>(nDesiredWidth, kMarkupLargeLength)),
                static_cast<LONG>(std::min<long long>(nDesiredHeight, kMarkupLargeLength))};
}

SIZE CLVKMarkupGrid::ArrangeOverride(int nWidth, int nHeight)
{
    if ((m_pColumnDefinitions->GetCount() == 0 && m_pRowDefinitions->GetCount() == 0) || m_cells.empty())
    {
        for (int i = 0; i < m_pChildren->GetCount(); ++i)
        {
            if (CLVKMarkupUIElement* const pChild = m_pChildren->GetElement(i))
            {
                pChild->Arrange(0, 0, nWidth, nHeight);
            }
        }
        return SIZE{nWidth, nHeight};
    }
    SetFinalSize(m_columns, nWidth);
    SetFinalSize(m_rows, nHeight);
    const auto length = [](const Definitions& definitions, int nFirst, int nSpan)
    {
        long long n = 0;
        for (int i = nFirst; i < nFirst + nSpan; ++i)
        {
            n += std::max(0, Truncate(definitions[i]->m_dSizeCache));
        }
        return static_cast<int>(std::min<long long>(n, kMarkupLargeLength));
    };
    for (int i = 0; i < static_cast<int>(m_cells.size()); ++i)
    {
        const GridCell& cell = m_cells[i];
        // Only the children the cells were built for.
        if (!cell.pChild || cell.pChild != m_pChildren->GetElement(i))
        {
            continue;
        }
        const int x = m_columns[cell.nColumn]->m_nFinalOffset;
        const int y = m_rows[cell.nRow]->m_nFinalOffset;
        cell.pChild->Arrange(x, y, x + length(m_columns, cell.nColumn, cell.nColumnSpan),
                             y + length(m_rows, cell.nRow, cell.nRowSpan));
    }
    return SIZE{nWidth, nHeight};
}
