// The common base of a grid's column and row definition collections; a
// change makes the grid that owns the collection measure again.
#pragma once

#include "Markup/MarkupCollection.h"
#include "Markup/MarkupDefinitionBase.h"

class CLVKMarkupDefinitionCollection : public CLVKMarkupCollection
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    explicit CLVKMarkupDefinitionCollection(CLVKMarkupType* pItemType = CLVKMarkupDefinitionBase::GetMarkupType())
        : CLVKMarkupCollection(pItemType)
    {
    }
    CLVKMarkupDefinitionBase* GetDefinition(int nIndex) const
    {
        return static_cast<CLVKMarkupDefinitionBase*>(GetItemOrNull(nIndex));
    }

protected:
    void OnChanged() override;

protected:
    DECLARE_DISPATCH_MAP()
};
