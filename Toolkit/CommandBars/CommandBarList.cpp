#include "CommandBars/CommandBarList.h"

#include "CommandBars/CommandBar.h"

#include <algorithm>

CLVKCommandBarList::~CLVKCommandBarList()
{
    RemoveAll();
}

void CLVKCommandBarList::Add(CLVKCommandBar* pBar)
{
    if (pBar)
        m_arrBars.push_back(pBar);
}

BOOL CLVKCommandBarList::Contains(const CLVKCommandBar* pBar) const
{
    return std::find(m_arrBars.begin(), m_arrBars.end(), pBar) != m_arrBars.end();
}

CLVKCommandBar* CLVKCommandBarList::FindBar(UINT nBarID) const
{
    for (CLVKCommandBar* pBar : m_arrBars)
    {
        if (pBar->GetBarID() == nBarID)
            return pBar;
    }
    return nullptr;
}

CLVKCommandBar* CLVKCommandBarList::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    return m_arrBars[nIndex];
}

void CLVKCommandBarList::RemoveAll()
{
    std::vector<CLVKCommandBar*> bars;
    bars.swap(m_arrBars);
    for (CLVKCommandBar* pBar : bars)
        pBar->InternalRelease();
}
