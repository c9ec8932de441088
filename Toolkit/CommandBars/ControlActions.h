// CLVKControlActions: the actions of one command-bar manager, kept sorted by
// command id for binary search; it holds one reference on each.
#pragma once

#include "Foundation/CmdTarget.h"

#include <vector>

class CLVKCommandBars;
class CLVKControlAction;

class CLVKControlActions : public CLVKCmdTarget
{
    DECLARE_DYNAMIC(CLVKControlActions)

public:
    explicit CLVKControlActions(CLVKCommandBars* pCommandBars = nullptr);
    ~CLVKControlActions() override;

    // Null for ids outside 1..0xFFFFFFE and for ids without an action.
    CLVKControlAction* FindAction(int nId) const;
    // The action of nId, created (with its string resource as prompt) when
    // missing; null for an id outside 1..0xFFFFFFE.
    CLVKControlAction* Add(int nId);
    // Unbinds every control and releases every action.
    void RemoveAll();

    int GetCount() const { return static_cast<int>(m_arrActions.size()); }
    CLVKControlAction* GetAt(int nIndex) const;
    CLVKCommandBars* GetCommandBars() const { return m_pCommandBars; }

    // Customize mode of the owning manager, which makes every action
    // enabled. The manager sets it when it enters and leaves the mode.
    BOOL IsCustomizeMode() const { return m_bCustomizeMode; }
    void SetCustomizeMode(BOOL bCustomize) { m_bCustomizeMode = bCustomize; }

private:
    std::vector<CLVKControlAction*> m_arrActions;
    CLVKCommandBars* m_pCommandBars;
    BOOL m_bCustomizeMode = FALSE;
};
