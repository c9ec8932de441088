// CLVKCommandBarList: a list of bars, each held by one reference; used to
// collect bars for saving and restoring layouts and by the manager.
#pragma once

#include "Foundation/CmdTarget.h"

#include <vector>

class CLVKCommandBar;

class CLVKCommandBarList : public CLVKCmdTarget
{
public:
    CLVKCommandBarList() = default;
    ~CLVKCommandBarList() override;

    // Appends, taking over the caller's reference.
    void Add(CLVKCommandBar* pBar);
    BOOL Contains(const CLVKCommandBar* pBar) const;
    // The first bar with that bar id, or null.
    CLVKCommandBar* FindBar(UINT nBarID) const;
    int GetCount() const { return static_cast<int>(m_arrBars.size()); }
    CLVKCommandBar* GetAt(int nIndex) const;
    void RemoveAll();

private:
    std::vector<CLVKCommandBar*> m_arrBars;
};
