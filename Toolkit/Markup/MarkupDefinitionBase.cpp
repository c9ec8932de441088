#include "Markup/MarkupDefinitionBase.h"

#include "Markup/MarkupGridLength.h"
#include "Markup/MarkupInt.h"
#include "Markup/MarkupUIElement.h"

#include <algorithm>

LVK_IMPLEMENT_MARKUP_TYPE(CLVKMarkupDefinitionBase, L"DefinitionBase",
                          CLVKMarkupFrameworkContentElement::GetMarkupType(), nullptr, nullptr)

const CLVKMarkupGridLength* CLVKMarkupDefinitionBase::GetUserSize() const
{
    static const CLVKMarkupGridLength oneStar(1, CLVKMarkupGridLength::kStar);
    auto* const pValue = MarkupCast<CLVKMarkupGridLength>(GetValue(GetSizeProperty()));
    return pValue ? pValue : &oneStar;
}

int CLVKMarkupDefinitionBase::GetUserMinSize() const
{
    auto* const pValue = MarkupCast<CLVKMarkupInt>(GetValue(GetMinProperty()));
    return pValue ? pValue->GetValue() : 0;
}

int CLVKMarkupDefinitionBase::GetUserMaxSize() const
{
    auto* const pValue = MarkupCast<CLVKMarkupInt>(GetValue(GetMaxProperty()));
    return pValue ? pValue->GetValue() : 0x7FFFFFFF;
}

BOOL CLVKMarkupDefinitionBase::HasUserMaxSize() const
{
    return MarkupCast<CLVKMarkupInt>(GetValue(GetMaxProperty())) != nullptr;
}

void CLVKMarkupDefinitionBase::UpdateMinSize(int n)
{
    m_nMinSize = std::max(m_nMinSize, n);
}

double CLVKMarkupDefinitionBase::GetPreferredSize() const
{
    if (m_nLayoutType == kLayoutAuto)
    {
        return m_nMinSize;
    }
    return std::max(m_dMeasureSize, static_cast<double>(m_nMinSize));
}

void CLVKMarkupDefinitionBase::ResetLayout()
{
    m_nMinSize = 0;
    m_nLayoutType = 0;
    m_dMeasureSize = 0;
}

void CLVKMarkupDefinitionBase::OnPropertyChanged(CLVKMarkupDependencyProperty* pProperty, CLVKMarkupObject* pOldValue,
                                                 CLVKMarkupObject* pNewValue)
{
    CLVKMarkupFrameworkContentElement::OnPropertyChanged(pProperty, pOldValue, pNewValue);
    if (pProperty == GetSizeProperty() || pProperty == GetMinProperty() || pProperty == GetMaxProperty())
    {
        // The definition lives in a collection whose parent is the grid.
        CLVKMarkupObject* const pCollection = GetLogicalParent();
        if (auto* const pGrid =
                pCollection ? MarkupCast<CLVKMarkupUIElement>(pCollection->GetLogicalParent()) : nullptr)
        {
            pGrid->InvalidateMeasure();
        }
    }
}

long CLVKMarkupDefinitionBase::OleGetSize()
{
    const CLVKMarkupGridLength* const pLength = GetUserSize();
    return pLength ? static_cast<long>(pLength->GetValue()) : 0;
}

void CLVKMarkupDefinitionBase::OleSetSize(long nSize)
{
    SetValue(GetSizeProperty(), new CLVKMarkupGridLength(nSize, CLVKMarkupGridLength::kPixel));
}

long CLVKMarkupDefinitionBase::OleGetUnitType()
{
    const CLVKMarkupGridLength* const pLength = GetUserSize();
    return pLength ? pLength->GetUnit() : CLVKMarkupGridLength::kStar;
}

void CLVKMarkupDefinitionBase::OleSetUnitType(long nUnit)
{
    if (nUnit < CLVKMarkupGridLength::kAuto || nUnit > CLVKMarkupGridLength::kStar)
    {
        AfxThrowOleException(E_INVALIDARG);
    }
    const CLVKMarkupGridLength* const pLength = GetUserSize();
    SetValue(GetSizeProperty(), new CLVKMarkupGridLength(pLength ? pLength->GetValue() : 1.0, static_cast<int>(nUnit)));
}
