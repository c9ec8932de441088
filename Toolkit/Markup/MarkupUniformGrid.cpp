#include "Markup/MarkupUniformGrid.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupInt.h"
#include "Markup/MarkupUIElementCollection.h"

#include <algorithm>
#include <cmath>

CLVKMarkupDependencyProperty* CLVKMarkupUniformGrid::m_pColumnsProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupUniformGrid::m_pRowsProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupUniformGrid::m_pFirstColumnProperty = nullptr;

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupUniformGrid, L"UniformGrid", CLVKMarkupPanel::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupUniformGrid(); }, &CLVKMarkupUniformGrid::RegisterProperties)

void AFX_CDECL CLVKMarkupUniformGrid::RegisterProperties()
{
    CLVKMarkupType* const pType = GetMarkupType();
    m_pColumnsProperty =
        CLVKMarkupDependencyProperty::Register(L"Columns", CLVKMarkupInt::GetMarkupType(), pType,
                                               new CLVKMarkupPropertyMetadata(nullptr, MarkupPropertyAffectsMeasure));
    m_pRowsProperty =
        CLVKMarkupDependencyProperty::Register(L"Rows", CLVKMarkupInt::GetMarkupType(), pType,
                                               new CLVKMarkupPropertyMetadata(nullptr, MarkupPropertyAffectsMeasure));
    m_pFirstColumnProperty =
        CLVKMarkupDependencyProperty::Register(L"FirstColumn", CLVKMarkupInt::GetMarkupType(), pType,
                                               new CLVKMarkupPropertyMetadata(nullptr, MarkupPropertyAffectsMeasure));
}

void CLVKMarkupUniformGrid::ComputeCells()
{
    const auto read = [this](CLVKMarkupDependencyProperty* pProperty)
    {
        auto* const pValue = MarkupCast<CLVKMarkupInt>(GetValue(pProperty));
        return pValue ? pValue->GetValue() : 0;
    };
    // Rows or columns of 0 or less count as unset: never a divisor of 0.
    int nColumns = std::max(0, read(m_pColumnsProperty));
    int nRows = std::max(0, read(m_pRowsProperty));
    m_nFirstColumn = std::max(0, read(m_pFirstColumnProperty));
    if (m_nFirstColumn >= nColumns)
    {
        m_nFirstColumn = 0;
    }
    if (nRows == 0 || nColumns == 0)
    {
        int n = 0;
        for (int i = 0; i < m_pChildren->GetCount(); ++i)
        {
            CLVKMarkupUIElement* const pChild = m_pChildren->GetElement(i);
            if (pChild && !pChild->IsCollapsed())
            {
                ++n;
            }
        }
        if (n == 0)
        {
            n = 1;
        }
        if (nRows == 0)
        {
            if (nColumns <= 0)
            {
                int c = static_cast<int>(sqrt(static_cast<double>(n)));
                if (c * c < n)
                {
                    ++c;
                }
                nRows = nColumns = c;
            }
            else
            {
                nRows = (m_nFirstColumn + nColumns + n - 1) / nColumns;
            }
        }
        else
        {
            nColumns = (nRows + n - 1) / nRows;
        }
    }
    m_nColumns = std::max(1, nColumns);
    m_nRows = std::max(1, nRows);
}

SIZE CLVKMarkupUniformGrid::MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight)
{
    ComputeCells();
    const int nCellWidth = nWidth >= 0x3FFFFFFF ? nWidth : nWidth / m_nColumns;
    const int nCellHeight = nHeight >= 0x3FFFFFFF ? nHeight : nHeight / m_nRows;
    int nMaxWidth = 0, nMaxHeight = 0;
    for (int i = 0; i < m_pChildren->GetCount(); ++i)
    {
        CLVKMarkupUIElement* const pChild = m_pChildren->GetElement(i);
        if (!pChild)
        {
            continue;
        }
        pChild->Measure(pDC, nCellWidth, nCellHeight);
        nMaxWidth = std::max(nMaxWidth, static_cast<int>(pChild->GetDesiredSize().cx));
        nMaxHeight = std::max(nMaxHeight, static_cast<int>(pChild->GetDesiredSize().cy));
    }
    return SIZE{static_cast<LONG>(std::min<long long>(0x3FFFFFFF, static_cast<long long>(nMaxWidth) * m_nColumns)),
                static_cast<LONG>(std::min<long long>(0x3FFFFFFF, static_cast<long long>(nMaxHeight) * m_nRows))};
}

SIZE CLVKMarkupUniformGrid::ArrangeOverride(int nWidth, int nHeight)
{
    const int nCellWidth = nWidth / m_nColumns;
    const int nCellHeight = nHeight / m_nRows;
    int x = nCellWidth * m_nFirstColumn;
    int y = 0;
    for (int i = 0; i < m_pChildren->GetCount(); ++i)
    {
        CLVKMarkupUIElement* const pChild = m_pChildren->GetElement(i);
        if (!pChild)
        {
            continue;
        }
        pChild->Arrange(x, y, x + nCellWidth, y + nCellHeight);
        if (!pChild->IsCollapsed())
        {
            x += nCellWidth;
            if (x + nCellWidth > nWidth)
            {
                x = 0;
                y += nCellHeight;
            }
        }
    }
    return SIZE{nWidth, nHeight};
}

BEGIN_DISPATCH_MAP(CLVKMarkupUniformGrid, CLVKMarkupPanel)
    DISP_MARKUP_NUMBER("Columns", 600, CLVKMarkupUniformGrid::m_pColumnsProperty, VT_I4, 0)
    DISP_MARKUP_NUMBER("Rows", 601, CLVKMarkupUniformGrid::m_pRowsProperty, VT_I4, 0)
    DISP_MARKUP_NUMBER("FirstColumn", 602, CLVKMarkupUniformGrid::m_pFirstColumnProperty, VT_I4, 0)
END_DISPATCH_MAP()
