// The triggers of a style; without adoption it is an element's list of
// active triggers, which does not become their parent.
#pragma once

#include "Markup/MarkupCollection.h"
#include "Markup/MarkupTrigger.h"

class CLVKMarkupTriggerCollection : public CLVKMarkupCollection
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    explicit CLVKMarkupTriggerCollection(BOOL bAdopt = TRUE)
        : CLVKMarkupCollection(CLVKMarkupTrigger::GetMarkupType(), bAdopt)
    {
    }
    // Null outside 0 to count - 1.
    CLVKMarkupTrigger* GetTrigger(int nIndex) const { return static_cast<CLVKMarkupTrigger*>(GetItemOrNull(nIndex)); }
};
