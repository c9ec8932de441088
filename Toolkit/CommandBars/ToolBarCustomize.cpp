// CLVKToolBar: the system buttons (expand and close), the expand menu with
// the controls that did not fit and "Add or Remove Buttons", and resetting
// a bar to its original controls.
#include "CommandBars/ToolBar.h"

#include "CommandBars/CommandBars.h"
#include "CommandBars/CommandBarsOptions.h"
#include "CommandBars/ControlAction.h"
#include "CommandBars/Controls.h"
#include "CommandBars/OriginalControls.h"
#include "CommandBars/PaintManager.h"
#include "CommandBars/PopupBar.h"
#include "CommandBars/ShortcutManager.h"
#include "Foundation/ResourceManager.h"

#include <algorithm>
#include <vector>

namespace
{

const int kStringResetQuestion = 9173;

BOOL SameControl(const CLVKControl* pA, const CLVKControl* pB)
{
    return pA->GetID() == pB->GetID() && pA->GetType() == pB->GetType();
}

// Holds a bar across a call that may release the manager's reference.
class CBarReference
{
public:
    explicit CBarReference(CLVKCommandBar* pBar) : m_pBar(pBar)
    {
        if (m_pBar)
            m_pBar->InternalAddRef();
    }
    ~CBarReference()
    {
        if (m_pBar)
            m_pBar->InternalRelease();
    }
    CBarReference(const CBarReference&) = delete;
    CBarReference& operator=(const CBarReference&) = delete;

private:
    CLVKCommandBar* m_pBar;
};

}  // namespace

// ---------------------------------------------------------------- the expand button

CLVKToolBar::CControlButtonExpand::CControlButtonExpand() : CLVKControlPopup(kControlButtonPopup)
{
    m_dwFlags = kFlagSkipNavigation | kFlagNoAutoUpdate | kFlagFixed;
}

BOOL CLVKToolBar::CControlButtonExpand::HasHiddenControls() const
{
    CLVKControls* pControls = m_pParent ? m_pParent->GetControls() : nullptr;
    for (int i = 0; pControls && i < pControls->GetCount(); i++)
    {
        if (pControls->GetAt(i)->GetHideFlags() == kHideOverflow)
            return TRUE;
    }
    return FALSE;
}

void CLVKToolBar::CControlButtonExpand::Draw(CDC* pDC)
{
    CLVKPaintManager* pPaintManager = GetPaintManager();
    if (!pPaintManager || !m_pParent)
        return;
    const int nKind = m_pParent->GetPosition() == kBarFloating ? lvkSystemButtonMenu : lvkSystemButtonExpand;
    pPaintManager->FillControlBackground(pDC, nKind, this, m_pParent, TRUE, CSize(HasHiddenControls() ? 1 : 0, 0));
}

void CLVKToolBar::CControlButtonExpand::OnClick(BOOL bKeyboard, CPoint /*pt*/)
{
    // The menu is made when it opens, so the button always opens one.
    if (!IsEnabled() || !m_pParent)
        return;
    if (m_bPopup)
    {
        m_pParent->EndTracking();
        return;
    }
    m_pParent->SetPopupedIndex(m_nIndex, bKeyboard ? 2 : 0);
}

void CLVKToolBar::CControlButtonExpand::ExecuteFromKeyboard()
{
    if (m_pParent)
        m_pParent->SetPopupedIndex(m_nIndex, 2);
}

BOOL CLVKToolBar::CControlButtonExpand::OnSetPopup(BOOL bPopup)
{
    CLVKToolBar* pToolBar = DYNAMIC_DOWNCAST(CLVKToolBar, m_pParent);
    if (!pToolBar || !pToolBar->GetSafeHwnd())
        return FALSE;
    if (!bPopup)
        return CLVKControlPopup::OnSetPopup(FALSE);

    // A new menu every time: the controls that do not fit change with the
    // bar's length.
    SetCommandBar(nullptr);
    CLVKCommandBars* pCommandBars = pToolBar->GetCommandBars();
    CLVKCommandBar* pPopup = nullptr;
    if (CWnd* pSite = pToolBar->GetSite(); pSite && pSite->GetSafeHwnd())
    {
        LVK_COMMANDBAR_CREATE_REQUEST request{};
        request.bExpandBar = TRUE;
        request.lpcstrCaption = pToolBar->GetTitle();
        request.nID = static_cast<UINT>(m_nId);
        if (pSite->SendMessage(LVK_WM_CREATECOMMANDBAR, 0, reinterpret_cast<LPARAM>(&request)) != 0)
            pPopup = DYNAMIC_DOWNCAST(CLVKPopupBar, request.pCommandBar);
    }
    if (!pPopup)
        pPopup = CLVKPopupToolBar::CreatePopupToolBar(pCommandBars);
    if (!pPopup->HasCaption())
        pPopup->SetCustomizable(FALSE);

    if (pToolBar->GetDockContext() && pCommandBars)
    {
        pCommandBars->AddHiddenRowControlsToPopup(pToolBar, pPopup);
        if (pCommandBars->GetCommandBarsOptions()->bShowExpandButtonAlways || pCommandBars->IsCustomizeAllowed())
        {
            CLVKControl* pAddRemove = pPopup->GetControls()->Add(kControlPopup, kIdCustomizeAddRemove, nullptr, -1, TRUE);
            if (pAddRemove)
            {
                pAddRemove->SetFlags(kFlagNoAutoUpdate);
                pAddRemove->SetBeginGroup(pPopup->GetControlCount() > 1);
                if (CLVKCommandBar* pEntries = pAddRemove->GetCommandBar())
                    pCommandBars->AddToolBarEntriesToPopup(pToolBar, pEntries);
            }
        }
    }
    else
    {
        pToolBar->AddHiddenControlsToPopup(pPopup);
    }
    SetCommandBar(pPopup);
    pPopup->InternalRelease();
    return CLVKControlPopup::OnSetPopup(TRUE);
}

CLVKControl* CLVKToolBar::CControlButtonExpand::Clone(BOOL bRecursive)
{
    CControlButtonExpand* pClone = new CControlButtonExpand;
    pClone->Copy(this, bRecursive);
    return pClone;
}

// ---------------------------------------------------------------- the close button

CLVKToolBar::CControlButtonHide::CControlButtonHide()
{
    m_dwFlags = kFlagSkipNavigation | kFlagNoAutoUpdate | kFlagFixed;
}

void CLVKToolBar::CControlButtonHide::Execute()
{
    CLVKCommandBar* pBar = m_pParent;
    if (!pBar)
        return;
    // Hiding a torn-off bar removes it from its manager, which releases it
    // while its own click is being handled.
    CBarReference keep(pBar);
    pBar->SetVisible(FALSE);
}

void CLVKToolBar::CControlButtonHide::Draw(CDC* pDC)
{
    if (CLVKPaintManager* pPaintManager = GetPaintManager())
        pPaintManager->FillControlBackground(pDC, lvkSystemButtonClose, this, m_pParent, TRUE, CSize(0, 0));
}

CLVKControl* CLVKToolBar::CControlButtonHide::Clone(BOOL bRecursive)
{
    CControlButtonHide* pClone = new CControlButtonHide;
    pClone->Copy(this, bRecursive);
    return pClone;
}

// ---------------------------------------------------------------- "Add or Remove Buttons"

CLVKToolBar::CControlButtonCustomize::~CControlButtonCustomize()
{
    if (m_pTarget)
        m_pTarget->InternalRelease();
}

void CLVKToolBar::CControlButtonCustomize::Execute()
{
    CLVKCommandBars* pCommandBars = m_pParent ? m_pParent->GetCommandBars() : nullptr;
    if (m_nId == kIdCustomizeReset)
    {
        CLVKToolBar* pToolBar = m_pToolBar;
        if (!pToolBar)
            return;
        CBarReference keep(pToolBar);
        if (pCommandBars)
            pCommandBars->ClosePopups();
        pToolBar->ResetToolBar(TRUE);
        return;
    }
    if (!m_pTarget)
        return;
    if (pCommandBars)
        pCommandBars->GetCommandBarsOptions()->bDirty = TRUE;
    const BOOL bShow = (m_pTarget->GetHideFlags() & kHideByUser) != 0;
    m_pTarget->SetHideFlags(bShow ? (m_pTarget->GetHideFlags() & ~kHideByUser)
                                  : (m_pTarget->GetHideFlags() | kHideByUser));
    SetChecked(bShow);
    if (CLVKCommandBar* pTargetBar = m_pTarget->GetParent())
    {
        pTargetBar->OnControlsChanged();
        pTargetBar->RecalcLayout();
    }
    if (m_pParent)
        m_pParent->Redraw(nullptr, FALSE);
}

CLVKControl* CLVKToolBar::CControlButtonCustomize::Clone(BOOL bRecursive)
{
    CControlButtonCustomize* pClone = new CControlButtonCustomize;
    pClone->Copy(this, bRecursive);
    pClone->m_pTarget = m_pTarget;
    if (m_pTarget)
        m_pTarget->InternalAddRef();
    pClone->m_pToolBar = m_pToolBar;
    return pClone;
}

void CLVKToolBar::BuildCustomizeList(CLVKCommandBar* pPopup)
{
    CLVKCommandBars* pCommandBars = GetCommandBars();
    if (!pPopup || !pCommandBars)
        return;
    CLVKControls* pOriginalSet = m_pControls->GetOriginalControls();
    std::vector<CLVKControl*> originals;
    for (int i = 0; pOriginalSet && i < pOriginalSet->GetCount(); i++)
        originals.push_back(pOriginalSet->GetAt(i));

    // Controls the list hid are put back below, in their original places.
    CLVKControl* pHot = GetControl(m_nHotIndex);
    CLVKControl* pOpen = GetControl(m_nPopupedIndex);
    for (int i = m_pControls->GetCount() - 1; i >= 0; i--)
    {
        CLVKControl* pControl = m_pControls->GetAt(i);
        if (pControl->GetHideFlags() & kHideByUser)
        {
            if (pControl == pHot)
                pHot = nullptr;
            if (pControl == pOpen)
                pOpen = nullptr;
            m_pControls->Remove(pControl);
        }
    }

    // Walk the originals and the bar together: an original the bar lacks
    // comes back hidden where it stood; a moved original keeps its new place.
    std::vector<CLVKControl*> pending = originals;
    int nCurrent = 0;
    size_t nOriginal = 0;
    auto inBar = [this](const CLVKControl* pOriginal)
    {
        for (int i = 0; i < m_pControls->GetCount(); i++)
        {
            const CLVKControl* pControl = m_pControls->GetAt(i);
            if (!pControl->IsTemporary() && SameControl(pControl, pOriginal))
                return TRUE;
        }
        return FALSE;
    };
    while (nOriginal < pending.size())
    {
        CLVKControl* pOriginal = pending[nOriginal];
        if (!inBar(pOriginal))
        {
            if (CLVKControl* pClone = m_pControls->AddClone(pOriginal, nCurrent, TRUE))
                pClone->SetHideFlags(kHideByUser);
            nCurrent++;
            nOriginal++;
            continue;
        }
        while (nCurrent < m_pControls->GetCount() && m_pControls->GetAt(nCurrent)->IsTemporary())
            nCurrent++;
        if (nCurrent >= m_pControls->GetCount())
        {
            nOriginal++;
            continue;
        }
        CLVKControl* pCurrent = m_pControls->GetAt(nCurrent);
        nCurrent++;
        if (SameControl(pCurrent, pOriginal))
        {
            nOriginal++;
            continue;
        }
        const auto it = std::find_if(pending.begin() + static_cast<std::ptrdiff_t>(nOriginal) + 1, pending.end(),
                                     [pCurrent](const CLVKControl* p) { return SameControl(pCurrent, p); });
        if (it != pending.end())
            pending.erase(it);
    }
    m_nHotIndex = pHot ? pHot->GetIndex() : -1;
    m_nPopupedIndex = pOpen ? pOpen->GetIndex() : -1;
    OnControlsChanged();
    m_nHotIndex = pHot ? pHot->GetIndex() : -1;
    m_nPopupedIndex = pOpen ? pOpen->GetIndex() : -1;

    CLVKShortcutManager* pShortcuts = pCommandBars->GetShortcutManager();
    CLVKControls* pItems = pPopup->GetControls();
    for (int i = 0; i < m_pControls->GetCount(); i++)
    {
        CLVKControl* pControl = m_pControls->GetAt(i);
        const int nId = pControl->GetID();
        if (nId == kIdToolBarOptions || nId == kIdToolBarClose)
            continue;
        // The controls of a hidden command are not the user's to show.
        if (CLVKControlAction* pAction = pControl->GetAction(); pAction && !pAction->IsVisible())
            continue;
        OnBuildCustomizeList(pControl);
        if (pControl->GetFlags() & (kFlagPushRight | kFlagTooltipInMenus | kFlagNewRow))
            continue;
        if (!pControl->IsCustomizable())
            continue;
        CControlButtonCustomize* pItem = new CControlButtonCustomize;
        pItems->AddControl(pItem, 0, nullptr, -1, TRUE);
        pItem->SetFlags(kFlagNoAutoUpdate);
        pItem->SetCaption(pControl->GetCaption());
        pItem->SetIconId(pControl->GetIconId());
        CString strShortcut = pControl->GetShortcutText();
        if (strShortcut.IsEmpty() && pShortcuts)
            pShortcuts->FindCommandShortcutText(static_cast<UINT>(nId), strShortcut);
        pItem->SetShortcutText(strShortcut);
        const BOOL bOriginal =
            std::any_of(originals.begin(), originals.end(), [pControl](const CLVKControl* p) { return SameControl(pControl, p); });
        pItem->SetEnabled(bOriginal);
        pItem->SetChecked((pControl->GetHideFlags() & kHideByUser) == 0);
        pItem->m_pTarget = pControl;
        pControl->InternalAddRef();
        pItem->SetCloseSubMenuOnClick(FALSE);
    }
    if (pOriginalSet && m_bBuiltIn && !m_bTearOff)
    {
        CControlButtonCustomize* pReset = new CControlButtonCustomize;
        pItems->AddControl(pReset, kIdCustomizeReset, nullptr, -1, TRUE);
        pReset->SetFlags(kFlagNoAutoUpdate);
        pReset->SetBeginGroup(TRUE);
        pReset->m_pToolBar = this;
    }
}

void CLVKToolBar::AddHiddenControlsToPopup(CLVKCommandBar* pPopup) const
{
    if (!pPopup)
        return;
    for (int i = 0; i < m_pControls->GetCount(); i++)
    {
        CLVKControl* pControl = m_pControls->GetAt(i);
        // Only what the layout pushed out: hidden for no other reason.
        if (pControl->GetHideFlags() != kHideOverflow)
            continue;
        if (CLVKControl* pClone = pPopup->GetControls()->AddClone(pControl, -1, TRUE))
        {
            pClone->SetHideFlags(0);
            pClone->SetBeginGroup(FALSE);
        }
    }
}

// ---------------------------------------------------------------- reset

BOOL CLVKToolBar::IsModifiedFromOriginal() const
{
    if (!IsCustomizable())
        return FALSE;
    CLVKOriginalControls* pOriginals = m_pControls->GetOriginalControls();
    return !pOriginals || !m_pControls->IsEqualTo(pOriginals);
}

void CLVKToolBar::ResetToolBar(BOOL bConfirm)
{
    if (!m_bBuiltIn || !IsCustomizable() || m_nBarID == 0)
        return;
    if (bConfirm && !ConfirmReset())
        return;
    CBarReference keep(this);
    if (CLVKOriginalControls* pOriginals = m_pControls->GetOriginalControls())
    {
        pOriginals->InternalAddRef();
        m_pControls->RemoveAll();
        for (int i = 0; i < pOriginals->GetCount(); i++)
        {
            CLVKControl* pOriginal = pOriginals->GetAt(i);
            if (!pOriginal->IsTemporary())
                m_pControls->AddClone(pOriginal, -1, TRUE);
        }
        pOriginals->InternalRelease();
    }
    else
    {
        CLVKCommandBar::LoadToolBar(m_nBarID, FALSE);
    }
    OnControlsChanged();
    FinishReset();
}

BOOL CLVKToolBar::ConfirmReset() const
{
    CString strFormat;
    CLVKResourceManager::GetGlobal()->LoadString(&strFormat, kStringResetQuestion);
    CString strQuestion;
    strQuestion.Format(strFormat, static_cast<LPCTSTR>(m_strTitle));
    CWinApp* pApp = AfxGetApp();
    const LPCTSTR lpszCaption = (pApp && pApp->m_pszAppName) ? pApp->m_pszAppName : _T("");
    CWnd* pSite = GetSite();
    const HWND hOwner = (pSite && pSite->GetSafeHwnd()) ? pSite->GetSafeHwnd() : nullptr;
    return ::MessageBoxW(hOwner, strQuestion, lpszCaption, MB_OKCANCEL | MB_ICONWARNING) == IDOK;
}

void CLVKToolBar::FinishReset()
{
    CWnd* pSite = GetSite();
    if (pSite && pSite->GetSafeHwnd())
        pSite->SendMessage(LVK_WM_TOOLBARRESET, 0, reinterpret_cast<LPARAM>(this));
    OnIdleUpdateCmdUI();
    RecalcLayout();
}
