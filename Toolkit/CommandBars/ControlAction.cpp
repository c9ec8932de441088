#include "CommandBars/ControlAction.h"

#include "CommandBars/ControlActions.h"
#include "CommandBars/Control.h"
#include "Foundation/ResourceManager.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CLVKControlAction, CLVKCmdTarget)

CLVKControlAction::CLVKControlAction(CLVKControlActions* pOwner) : m_pOwner(pOwner)
{
}

CLVKControlAction::~CLVKControlAction()
{
    if (m_pItems)
        m_pItems->InternalRelease();
}

void CLVKControlAction::SetCaption(LPCTSTR lpszCaption)
{
    CString strCaption;
    if (lpszCaption && IS_INTRESOURCE(lpszCaption))
        CLVKResourceManager::GetGlobal()->LoadString(&strCaption,
                                                     static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszCaption)));
    else if (lpszCaption)
        strCaption = lpszCaption;

    const int nTab = strCaption.Find(_T('\t'));
    if (nTab >= 0)
        strCaption = strCaption.Left(nTab);
    if (strCaption == m_strCaption)
        return;

    NotifyChanging(kPropertyCaption);
    m_strCaption = strCaption;
    NotifyChanged(kPropertyCaption);
    MarkControlsLayoutDirty();
}

void CLVKControlAction::SetPrompt(LPCTSTR lpszPrompt)
{
    if (!lpszPrompt || !*lpszPrompt)
        return;
    const CString strPrompt = lpszPrompt;
    auto part = [&strPrompt](int n) { return LVKExtractPromptPart(strPrompt, n); };
    if (strPrompt.Find(_T('\n')) >= 0)
    {
        m_strTooltip = part(1);
        m_strDescription = part(0);
    }
    else
    {
        m_strTooltip = strPrompt;
        m_strDescription = strPrompt;
    }
    if (m_strCaption.IsEmpty())
        m_strCaption = part(2);
    if (m_strKeyboardTip.IsEmpty())
        m_strKeyboardTip = part(3);
}

void CLVKControlAction::SetShortcutText(LPCTSTR lpszText)
{
    const CString str = lpszText ? lpszText : _T("");
    if (str == m_strShortcutText)
        return;
    m_strShortcutText = str;
    MarkControlsLayoutDirty();
}

void CLVKControlAction::SetEditHint(LPCTSTR lpszText)
{
    const CString str = lpszText ? lpszText : _T("");
    if (str == m_strEditHint)
        return;
    NotifyChanging(kPropertyEditHint);
    m_strEditHint = str;
    NotifyChanged(kPropertyEditHint);
}

BOOL CLVKControlAction::IsEnabled() const
{
    if (m_pOwner && m_pOwner->IsCustomizeMode())
        return TRUE;
    return m_bEnabled;
}

void CLVKControlAction::SetEnabled(BOOL bEnabled)
{
    if (m_bEnabled == bEnabled)
        return;
    NotifyChanging(kPropertyEnabled);
    m_bEnabled = bEnabled;
    NotifyChanged(kPropertyEnabled);
    for (CLVKControl* pControl : m_arrControls)
        pControl->RedrawParent(TRUE);
}

void CLVKControlAction::SetChecked(int nChecked)
{
    if (m_nChecked == nChecked)
        return;
    m_nChecked = nChecked;
    for (CLVKControl* pControl : m_arrControls)
        pControl->RedrawParent(TRUE);
}

void CLVKControlAction::SetVisible(BOOL bVisible)
{
    if (m_bVisible == bVisible)
        return;
    NotifyChanging(kPropertyVisible);
    m_bVisible = bVisible;
    NotifyChanged(kPropertyVisible);
    MarkControlsLayoutDirty();
}

int CLVKControlAction::AddControl(CLVKControl* pControl)
{
    const auto it = std::find(m_arrControls.begin(), m_arrControls.end(), pControl);
    if (it != m_arrControls.end())
        return static_cast<int>(it - m_arrControls.begin());
    m_arrControls.push_back(pControl);
    pControl->m_nEnabled = -1;
    pControl->m_nChecked = -1;
    pControl->m_nId = m_nId;
    pControl->m_strCaption.Empty();
    pControl->m_strTooltipText.Empty();
    pControl->m_strDescriptionText.Empty();
    pControl->m_strCategory.Empty();
    pControl->m_strShortcutText.Empty();
    pControl->m_strKeyboardTip.Empty();
    pControl->m_strCustomShortcutText.Empty();
    return static_cast<int>(m_arrControls.size()) - 1;
}

void CLVKControlAction::RemoveControl(CLVKControl* pControl)
{
    const auto it = std::find(m_arrControls.begin(), m_arrControls.end(), pControl);
    if (it == m_arrControls.end())
        return;
    m_arrControls.erase(it);
    pControl->m_nEnabled = 1;
    pControl->m_nChecked = 0;
    if (pControl->m_pAction == this)
        pControl->m_pAction = nullptr;
}

CLVKControl* CLVKControlAction::GetControl(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetControlCount())
        return nullptr;
    return m_arrControls[nIndex];
}

void CLVKControlAction::NotifyChanging(int nProperty)
{
    // A copy: a control may unbind itself while it is told.
    const std::vector<CLVKControl*> controls = m_arrControls;
    for (CLVKControl* pControl : controls)
        pControl->OnActionChanging(nProperty);
}

void CLVKControlAction::NotifyChanged(int nProperty)
{
    const std::vector<CLVKControl*> controls = m_arrControls;
    for (CLVKControl* pControl : controls)
        pControl->OnActionChanged(nProperty);
}

void CLVKControlAction::MarkControlsLayoutDirty()
{
    for (CLVKControl* pControl : m_arrControls)
        pControl->MarkParentLayoutDirty();
}
