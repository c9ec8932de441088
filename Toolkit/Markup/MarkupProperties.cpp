#include "Markup/MarkupProperties.h"

#include "Markup/MarkupDependencyProperty.h"

CLVKMarkupProperties::~CLVKMarkupProperties()
{
    RemoveAll();
}

CLVKMarkupObject* CLVKMarkupProperties::GetValue(const CLVKMarkupDependencyProperty* pProperty) const
{
    const int nIndex = pProperty ? pProperty->GetStoreIndex() : -1;
    if (nIndex < 0 || nIndex >= static_cast<int>(m_values.size()))
    {
        return nullptr;
    }
    return m_values[nIndex];
}

void CLVKMarkupProperties::SetValue(const CLVKMarkupDependencyProperty* pProperty, CLVKMarkupObject* pValue)
{
    const int nIndex = pProperty ? pProperty->GetStoreIndex() : -1;
    if (nIndex < 0)
    {
        if (pValue)
        {
            pValue->Release();
        }
        return;
    }
    if (nIndex >= static_cast<int>(m_values.size()))
    {
        if (!pValue)
        {
            return;
        }
        m_values.resize(CLVKMarkupDependencyProperty::GetPropertyCount() > nIndex
                            ? CLVKMarkupDependencyProperty::GetPropertyCount()
                            : nIndex + 1,
                        nullptr);
    }
    CLVKMarkupObject* const pOld = m_values[nIndex];
    m_values[nIndex] = pValue;
    if (pValue && m_pOwner && !pValue->IsShared())
    {
        pValue->SetLogicalParent(m_pOwner);
    }
    if (pOld)
    {
        if (m_pOwner && pOld->GetLogicalParent() == m_pOwner && pOld != pValue)
        {
            pOld->SetLogicalParent(nullptr);
        }
        pOld->Release();
    }
}

void CLVKMarkupProperties::CopyFrom(const CLVKMarkupProperties& other)
{
    if (m_values.size() < other.m_values.size())
    {
        m_values.resize(other.m_values.size(), nullptr);
    }
    for (size_t i = 0; i < other.m_values.size(); ++i)
    {
        if (CLVKMarkupObject* const pValue = other.m_values[i])
        {
            pValue->AddRef();
            if (m_values[i])
            {
                m_values[i]->Release();
            }
            m_values[i] = pValue;
        }
    }
}

void CLVKMarkupProperties::RemoveAll()
{
    std::vector<CLVKMarkupObject*> values;
    values.swap(m_values);
    for (CLVKMarkupObject* const pValue : values)
    {
        if (pValue)
        {
            if (m_pOwner && pValue->GetLogicalParent() == m_pOwner)
            {
                pValue->SetLogicalParent(nullptr);
            }
            pValue->Release();
        }
    }
}

BOOL CLVKMarkupProperties::IsEmpty() const
{
    for (CLVKMarkupObject* const pValue : m_values)
    {
        if (pValue)
        {
            return FALSE;
        }
    }
    return TRUE;
}
