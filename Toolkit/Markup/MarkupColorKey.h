// A system colour index as a resource key: looked up by identity; a key
// that no dictionary holds gives the system colour itself.
#pragma once

#include "Markup/MarkupType.h"

class CLVKMarkupColorKey : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    explicit CLVKMarkupColorKey(int nIndex = 0) : m_nIndex(nIndex) {}
    int GetIndex() const { return m_nIndex; }

private:
    int m_nIndex;
};
