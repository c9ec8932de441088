// CLVKCommandBars: the menus about the tool bars themselves: the context
// menu that lists the bars to show or hide, and the tool-bar entries of an
// expand menu whose sub-menus list a bar's buttons ("Add or Remove Buttons").
#include "CommandBars/CommandBars.h"

#include "CommandBars/ControlButton.h"
#include "CommandBars/Controls.h"
#include "CommandBars/DockBar.h"
#include "CommandBars/PopupBar.h"
#include "CommandBars/ToolBar.h"

#include <vector>

namespace
{

// One entry of the tool-bars list: checked while its bar is shown; choosing
// it shows or hides the bar.
class CToolBarListEntry : public CLVKControlButton
{
public:
    CToolBarListEntry(CLVKCommandBars* pCommandBars, CLVKToolBar* pBar) : m_pCommandBars(pCommandBars), m_pBar(pBar)
    {
        m_pBar->InternalAddRef();
        m_dwFlags = kFlagNoAutoUpdate;
    }
    ~CToolBarListEntry() override { m_pBar->InternalRelease(); }

    void Execute() override
    {
        CLVKCommandBar* pRoot = m_pParent ? m_pParent->GetRootParent() : nullptr;
        if (pRoot)
            pRoot->EndTracking();
        const int nIndex = m_pCommandBars->FindToolBarIndex(m_pBar);
        if (nIndex >= 0)
            m_pCommandBars->FlipToolBarVisibility(nIndex);
    }
    CLVKControl* Clone(BOOL bRecursive) override
    {
        CToolBarListEntry* pClone = new CToolBarListEntry(m_pCommandBars, m_pBar);
        pClone->Copy(this, bRecursive);
        return pClone;
    }

private:
    CLVKCommandBars* m_pCommandBars;
    CLVKToolBar* m_pBar;  // a reference
};

// A bar's title as menu text: its ampersands are not mnemonics.
CString MenuTitle(const CLVKToolBar* pBar)
{
    CString strTitle = pBar->GetTitle();
    strTitle.Replace(_T("&"), _T("&&"));
    return strTitle;
}

}  // namespace

void CLVKCommandBars::GetDockRowBars(CLVKToolBar* pBar, std::vector<CLVKToolBar*>& arrRow) const
{
    CLVKDockBar* pDock = pBar->GetDockBar();
    const int nIndex = pDock ? pDock->FindBar(pBar) : -1;
    if (nIndex > 0)
        pDock->GetVisibleRowBars(nIndex, arrRow);
    if (arrRow.empty())
        arrRow.push_back(pBar);
}

CLVKPopupBar* CLVKCommandBars::CreateToolBarsContextMenu()
{
    CLVKPopupBar* pPopup = CLVKPopupBar::CreatePopupBar(this);
    CLVKControls* pControls = pPopup->GetControls();
    for (CLVKToolBar* pBar : m_arrToolBars)
    {
        if (!pBar->IsContextMenuPresent() || !pBar->IsCloseable())
            continue;
        CToolBarListEntry* pEntry = new CToolBarListEntry(this, pBar);
        pControls->AddControl(pEntry, 0, nullptr, -1, TRUE);
        pEntry->SetFlags(kFlagNoAutoUpdate);
        pEntry->SetCaption(MenuTitle(pBar));
        pEntry->SetChecked(pBar->IsVisible());
    }
    if (m_bCustomizeAvail)
    {
        if (CLVKControl* pCustomize = pControls->Add(kControlButton, kIdCustomize))
            pCustomize->SetBeginGroup(TRUE);
    }
    return pPopup;
}

void CLVKCommandBars::ShowToolBarsContextMenu(WPARAM wParam, int x, int y)
{
    if (m_bCustomizeMode)
        return;
    CLVKPopupBar* pPopup = CreateToolBarsContextMenu();
    if (m_pSite && m_pSite->GetSafeHwnd())
        m_pSite->SendMessage(LVK_WM_TOOLBARCONTEXTMENU, wParam, reinterpret_cast<LPARAM>(pPopup));
    if (pPopup->GetControlCount() > 0)
    {
        ClosePopups();
        TrackPopupBar(pPopup, IsLayoutRTL() ? TPM_RIGHTALIGN : 0, x, y);
    }
    pPopup->InternalRelease();
}

void CLVKCommandBars::AddToolBarEntry(CLVKToolBar* pBar, CLVKCommandBar* pPopup)
{
    CLVKControl* pEntry = pPopup->GetControls()->Add(kControlPopup, 0, nullptr, -1, TRUE);
    if (!pEntry)
        return;
    pEntry->SetFlags(kFlagNoAutoUpdate);
    pEntry->SetCaption(MenuTitle(pBar));
    const BOOL bEnabled = m_bCustomizeAvail && pBar->IsBuiltIn() && pBar->IsCustomizable();
    pEntry->SetEnabled(bEnabled);
    CLVKCommandBar* pButtons = pEntry->GetCommandBar();
    if (bEnabled && pButtons)
    {
        pBar->BuildCustomizeList(pButtons);
        pButtons->SetDoubleGripper(TRUE);
    }
}

void CLVKCommandBars::AddToolBarEntriesToPopup(CLVKToolBar* pBar, CLVKCommandBar* pPopup)
{
    if (!pBar || !pPopup)
        return;
    std::vector<CLVKToolBar*> arrRow;
    GetDockRowBars(pBar, arrRow);
    for (CLVKToolBar* pRowBar : arrRow)
        AddToolBarEntry(pRowBar, pPopup);
    if (m_bCustomizeAvail)
    {
        if (CLVKControl* pCustomize = pPopup->GetControls()->Add(kControlButton, kIdCustomize))
            pCustomize->SetBeginGroup(TRUE);
    }
}
