#include "CommandBars/ControlActions.h"

#include "CommandBars/CommandBarsDefs.h"
#include "CommandBars/Control.h"
#include "CommandBars/ControlAction.h"
#include "Foundation/ResourceManager.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CLVKControlActions, CLVKCmdTarget)

namespace
{
BOOL IsActionId(int nId)
{
    return nId >= 1 && nId <= kIdLastAction;
}

bool IdLess(const CLVKControlAction* pAction, int nId)
{
    return pAction->GetId() < nId;
}
}  // namespace

CLVKControlActions::CLVKControlActions(CLVKCommandBars* pCommandBars) : m_pCommandBars(pCommandBars)
{
}

CLVKControlActions::~CLVKControlActions()
{
    RemoveAll();
}

CLVKControlAction* CLVKControlActions::FindAction(int nId) const
{
    if (!IsActionId(nId))
        return nullptr;
    const auto it = std::lower_bound(m_arrActions.begin(), m_arrActions.end(), nId, IdLess);
    return (it != m_arrActions.end() && (*it)->GetId() == nId) ? *it : nullptr;
}

CLVKControlAction* CLVKControlActions::Add(int nId)
{
    if (!IsActionId(nId))
        return nullptr;
    if (CLVKControlAction* pExisting = FindAction(nId))
        return pExisting;

    CLVKControlAction* pAction = new CLVKControlAction(this);
    pAction->m_nId = nId;
    CString strPrompt;
    if (CLVKResourceManager::GetGlobal()->LoadString(&strPrompt, static_cast<UINT>(nId)) && !strPrompt.IsEmpty())
        pAction->SetPrompt(strPrompt);

    const auto it = std::upper_bound(m_arrActions.begin(), m_arrActions.end(), nId,
                                     [](int n, const CLVKControlAction* p) { return n < p->GetId(); });
    m_arrActions.insert(it, pAction);
    return pAction;
}

void CLVKControlActions::RemoveAll()
{
    for (CLVKControlAction* pAction : m_arrActions)
    {
        while (pAction->GetControlCount() > 0)
        {
            CLVKControl* pControl = pAction->GetControl(0);
            pControl->SetAction(nullptr);
            // A control that overrides SetAction without unbinding must not
            // keep this loop going.
            if (pAction->GetControlCount() > 0 && pAction->GetControl(0) == pControl)
                pAction->RemoveControl(pControl);
        }
        pAction->InternalRelease();
    }
    m_arrActions.clear();
}

CLVKControlAction* CLVKControlActions::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    return m_arrActions[nIndex];
}
