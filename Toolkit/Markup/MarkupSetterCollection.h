// The setters of a style or a trigger.
#pragma once

#include "Markup/MarkupCollection.h"
#include "Markup/MarkupSetter.h"

class CLVKMarkupSetterCollection : public CLVKMarkupCollection
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupSetterCollection() : CLVKMarkupCollection(CLVKMarkupSetter::GetMarkupType()) {}
    // Null outside 0 to count - 1.
    CLVKMarkupSetter* GetSetter(int nIndex) const { return static_cast<CLVKMarkupSetter*>(GetItemOrNull(nIndex)); }
};
