// A system colour index as the key of a brush resource (identity).
#pragma once

#include "Markup/MarkupType.h"

class CLVKMarkupBrushKey : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    explicit CLVKMarkupBrushKey(int nIndex = 0) : m_nIndex(nIndex) {}
    int GetIndex() const { return m_nIndex; }

private:
    int m_nIndex;
};
