#include "CommandBars/Controls.h"

#include "CommandBars/CommandBar.h"
#include "CommandBars/CommandBars.h"
#include "CommandBars/Control.h"
#include "CommandBars/ControlAction.h"
#include "CommandBars/ControlButton.h"
#include "CommandBars/ControlPopup.h"
#include "CommandBars/OriginalControls.h"
#include "CommandBars/PopupBar.h"
#include "Foundation/DrawHelpers.h"
#include "Foundation/ResourceManager.h"

IMPLEMENT_DYNCREATE(CLVKControls, CLVKCmdTarget)
IMPLEMENT_DYNCREATE(CLVKOriginalControls, CLVKControls)

namespace
{
// The popup bar of a popup-kind control, or null.
CLVKCommandBar* PopupBarOf(const CLVKControl* pControl)
{
    return pControl ? pControl->GetCommandBar() : nullptr;
}
}  // namespace

CLVKControls::CLVKControls() = default;

CLVKControls::~CLVKControls()
{
    RemoveAll();
    SetOriginalControls(nullptr);
}

CLVKControl* CLVKControls::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    return m_arrControls[nIndex];
}

CLVKCommandBars* CLVKControls::GetCommandBars() const
{
    if (m_pParent && m_pParent->GetCommandBars())
        return m_pParent->GetCommandBars();
    return m_pCommandBars;
}

CWnd* CLVKControls::GetOwnerSite() const
{
    // The manager's site comes first once the manager exists.
    return m_pParent ? m_pParent->GetOwnerSite() : nullptr;
}

CLVKCommandBar* CLVKControls::RequestPopupBar(LPCTSTR lpszCaption, UINT nMenuId, CString* pTitle) const
{
    CWnd* pSite = GetOwnerSite();
    if (!pSite || !pSite->GetSafeHwnd())
        return nullptr;
    CString strTitle = pTitle ? *pTitle : CString(lpszCaption);
    LVK_COMMANDBAR_CREATE_REQUEST request{};
    request.bPopup = TRUE;
    request.lpcstrCaption = strTitle;
    request.nID = nMenuId;
    if (pSite->SendMessage(LVK_WM_CREATECOMMANDBAR, 0, reinterpret_cast<LPARAM>(&request)) == 0)
        return nullptr;
    if (pTitle && request.lpcstrCaption)
        *pTitle = request.lpcstrCaption;
    CLVKCommandBar* pBar = request.pCommandBar;
    if (pBar && !pBar->IsKindOf(RUNTIME_CLASS(CLVKPopupBar)))
        return nullptr;
    return pBar;
}

CLVKControl* CLVKControls::Add(int nType, int nId, LPCTSTR lpszParameter, int nBefore, BOOL bTemporary)
{
    CLVKControl* pControl = nullptr;
    switch (nType)
    {
    case kControlButton:
        // The window, workspace, tool-bar and recent-file lists are plain
        // buttons until their list controls exist.
        pControl = new CLVKControlButton;
        break;
    case kControlPopup:
    case kControlButtonPopup:
    case kControlSplitButton:
    {
        CLVKControlPopup* pPopup = new CLVKControlPopup(nType);
        CLVKCommandBar* pBar = nullptr;
        CMenu menu;
        CMenu* pSubMenu = nullptr;
        CString strCaption;
        if (nId > 0 && menu.LoadMenu(static_cast<UINT>(nId)))
        {
            CLVKResourceManager::GetMenuItemText(&menu, 0, strCaption, MF_BYPOSITION);
            if (strCaption.GetLength() > 1024)
                strCaption = strCaption.Left(1024);
            pSubMenu = menu.GetSubMenu(0);
            CString strTitle = strCaption;
            pBar = RequestPopupBar(strCaption, static_cast<UINT>(nId), &strTitle);
        }
        if (!pBar)
            pBar = CLVKPopupBar::CreatePopupBar(GetCommandBars());
        pPopup->SetCommandBar(pBar);
        pBar->InternalRelease();  // the control holds its own reference
        if (!strCaption.IsEmpty())
            pPopup->SetCaption(static_cast<LPCTSTR>(strCaption));
        if (pSubMenu)
            pBar->LoadMenu(pSubMenu, TRUE);
        pControl = pPopup;
        break;
    }
    default:
        // Combo boxes, edits, custom controls, labels, check boxes, galleries
        // and radio buttons are not built yet.
        return nullptr;
    }
    pControl->m_nType = nType;
    return AddControl(pControl, nId, lpszParameter, nBefore, bTemporary);
}

CLVKControl* CLVKControls::AddControl(CLVKControl* pControl, int nId, LPCTSTR lpszParameter, int nBefore,
                                      BOOL bTemporary)
{
    if (!pControl)
        return nullptr;
    pControl->m_strParameter = lpszParameter ? lpszParameter : _T("");
    pControl->m_bTemporary = bTemporary;
    if (!pControl->GetAction())
    {
        // The toolkit's own commands and the list controls never share an
        // action; every other id takes the manager's, made when it keeps them.
        CLVKCommandBars* pCommandBars = GetCommandBars();
        const BOOL bReserved = (nId >= kIdFirstReserved && nId <= kIdLastReserved) ||
                               (nId >= kIdWindowList && nId <= kIdRecentFileList);
        CLVKControlAction* pAction = nullptr;
        if (pCommandBars && !bReserved)
        {
            pAction = pCommandBars->FindAction(nId);
            if (!pAction && pCommandBars->IsActionsEnabled())
                pAction = pCommandBars->CreateAction(nId);
        }
        if (pAction)
            pControl->SetAction(pAction);
        else
            pControl->SetID(nId);
    }
    return InsertControl(pControl, nBefore);
}

CLVKControl* CLVKControls::InsertControl(CLVKControl* pControl, int nBefore)
{
    if (!pControl)
        return nullptr;
    if (nBefore < 0 || nBefore >= GetCount())
        m_arrControls.push_back(pControl);
    else
        m_arrControls.insert(m_arrControls.begin() + nBefore, pControl);
    OnControlAdded(pControl);
    return pControl;
}

CLVKControl* CLVKControls::AddClone(CLVKControl* pSource, int nBefore, BOOL bRecursive)
{
    if (!pSource)
        return nullptr;
    CLVKControl* pControl = static_cast<CLVKControl*>(pSource->GetRuntimeClass()->CreateObject());
    if (!pControl)
        return nullptr;
    InsertControl(pControl, nBefore);
    pControl->Copy(pSource, bRecursive);
    return pControl;
}

CLVKControl* CLVKControls::SetControlType(int nIndex, int nType)
{
    CLVKControl* pOld = GetAt(nIndex);
    if (!pOld)
        return nullptr;
    auto isPopupKind = [](int n) { return n >= kControlPopup && n <= kControlSplitButton; };
    if (isPopupKind(pOld->GetType()) && isPopupKind(nType))
    {
        pOld->m_nType = nType;
        return pOld;
    }
    CLVKControl* pNew = Add(nType, pOld->GetID(), nullptr, nIndex + 1, FALSE);
    if (!pNew)
        return pOld;
    pNew->Copy(pOld, FALSE);
    pNew->m_nType = nType;
    Remove(pOld);
    return pNew;
}

void CLVKControls::LoadMenu(CMenu* pMenu)
{
    if (!pMenu || !::IsMenu(pMenu->GetSafeHmenu()))
        return;
    const int nCount = pMenu->GetMenuItemCount();
    BOOL bBeginGroup = FALSE;
    for (int i = 0; i < nCount; i++)
    {
        MENUITEMINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
        if (!::GetMenuItemInfo(pMenu->GetSafeHmenu(), static_cast<UINT>(i), TRUE, &info))
            continue;
        if ((info.fType & MFT_SEPARATOR) || (info.wID == 0 && !info.hSubMenu))
        {
            bBeginGroup = TRUE;
            continue;
        }
        CLVKControl* pControl = AddMenuItem(pMenu, i);
        if (!pControl)
            continue;
        if (info.fType & (MFT_MENUBREAK | MFT_MENUBARBREAK))
        {
            pControl->m_dwFlags |= kFlagNewRow;
            if (info.fType & MFT_MENUBARBREAK)
                pControl->m_bBeginGroup = TRUE;
        }
        if (bBeginGroup)
            pControl->m_bBeginGroup = TRUE;
        bBeginGroup = FALSE;
        if (!pControl->GetAction())
        {
            if (info.fState & MFS_CHECKED)
                pControl->m_nChecked = 1;
            if (info.fState & (MFS_GRAYED | MFS_DISABLED))
                pControl->m_nEnabled = 0;
        }
    }
}

CLVKControl* CLVKControls::AddMenuItem(CMenu* pMenu, int nIndex)
{
    const HMENU hMenu = pMenu->GetSafeHmenu();
    const HMENU hSubMenu = ::GetSubMenu(hMenu, nIndex);
    int nId = static_cast<int>(::GetMenuItemID(hMenu, nIndex));
    const BOOL bDefault = static_cast<int>(::GetMenuDefaultItem(hMenu, TRUE, GMDI_USEDISABLED)) == nIndex;
    if (nId == kIdMenuSkipped)
        return nullptr;

    CString strText;
    CLVKResourceManager::GetMenuItemText(pMenu, static_cast<UINT>(nIndex), strText, MF_BYPOSITION);
    if (strText.GetLength() > 1024)
        strText = strText.Left(1024);
    if (hSubMenu)
    {
        const int nTab = strText.Find(_T('\t'));
        if (nTab > 0)
        {
            const int nNumber = _ttoi(strText.Mid(nTab + 1));
            if (nNumber > 0)
                strText = strText.Left(nTab);
            nId = nNumber > 0 ? nNumber : 0;
        }
    }

    MENUITEMINFO data{};
    data.cbSize = sizeof(data);
    data.fMask = MIIM_DATA;
    ::GetMenuItemInfo(hMenu, static_cast<UINT>(nIndex), TRUE, &data);

    LVK_CONTROL_CREATE create{};
    create.nId = nId;
    create.nIndex = nIndex;
    create.hMenu = hMenu;
    create.pCommandBar = m_pParent;
    create.strCaption = strText;
    create.nType = hSubMenu ? kControlPopup : kControlButton;
    create.nStyle = 0;

    CWnd* pSite = GetOwnerSite();
    CLVKControl* pControl = nullptr;
    if (pSite && pSite->GetSafeHwnd() &&
        pSite->SendMessage(LVK_WM_BEFORECREATECONTROL, 0, reinterpret_cast<LPARAM>(&create)) != 0)
    {
        nId = create.nId;
        strText = create.strCaption;
        pControl = create.pControl;
    }

    if (!pControl)
    {
        switch (create.nType)
        {
        case kControlButton:
            pControl = new CLVKControlButton;
            break;
        case kControlPopup:
        case kControlButtonPopup:
        case kControlSplitButton:
        {
            CLVKControlPopup* pPopup = new CLVKControlPopup(create.nType);
            CString strTitle = strText;
            CLVKDrawHelpers::StripMnemonics(strTitle);
            CLVKCommandBar* pBar = RequestPopupBar(strTitle, static_cast<UINT>(nId > 0 ? nId : 0), &strTitle);
            if (!pBar)
                pBar = CLVKPopupBar::CreatePopupBar(GetCommandBars());
            pBar->SetTitle(strTitle);
            pPopup->SetCommandBar(pBar);
            pBar->InternalRelease();
            if (hSubMenu)
            {
                pBar->LoadMenu(CMenu::FromHandle(hSubMenu), TRUE);
            }
            else if (nId > 0)
            {
                CMenu menu;
                if (CLVKResourceManager::GetGlobal()->LoadMenu(&menu, static_cast<UINT>(nId)))
                {
                    if (CMenu* pFirst = menu.GetSubMenu(0))
                        pBar->LoadMenu(pFirst, TRUE);
                }
            }
            pControl = pPopup;
            break;
        }
        default:
            // The other kinds are not built yet.
            return nullptr;
        }
    }

    pControl->m_nType = create.nType;
    if (pControl->m_nStyle != create.nStyle)
        pControl->SetStyle(create.nStyle);
    pControl->m_nTag = data.dwItemData;

    // A menu item shares the manager's action of its id (made when the
    // manager keeps actions); without one it gets the id and caption itself.
    if (!pControl->GetAction())
    {
        CLVKCommandBars* pCommandBars = GetCommandBars();
        CLVKControlAction* pAction = pCommandBars ? pCommandBars->FindAction(nId) : nullptr;
        if (!pAction && pCommandBars && pCommandBars->IsActionsEnabled() && nId != 0)
            pAction = pCommandBars->CreateAction(nId);
        if (pAction)
        {
            pControl->SetAction(pAction);
            if (pAction->GetCaption().IsEmpty())
                pAction->SetCaption(static_cast<LPCTSTR>(strText));
        }
        else
        {
            pControl->SetID(nId);
            pControl->SetCaption(static_cast<LPCTSTR>(strText));
        }
    }
    pControl->m_bDefaultItem = bDefault;
    AppendControl(pControl);

    create.pControl = pControl;
    if (pSite && pSite->GetSafeHwnd())
        pSite->SendMessage(LVK_WM_AFTERCREATECONTROL, 0, reinterpret_cast<LPARAM>(&create));
    return pControl;
}

void CLVKControls::Remove(CLVKControl* pControl)
{
    if (!pControl || pControl->m_pControls != this)
        return;
    const auto it = std::find(m_arrControls.begin(), m_arrControls.end(), pControl);
    if (it == m_arrControls.end())
        return;
    if (pControl->GetPressedState() != 0 && m_pParent)
        m_pParent->SetSelected(-1);
    if (KeepOnRemove(pControl))
        return;
    m_arrControls.erase(std::find(m_arrControls.begin(), m_arrControls.end(), pControl));
    DetachControl(pControl);
    pControl->SetParent(nullptr);
    pControl->InternalRelease();
}

void CLVKControls::RemoveAt(int nIndex)
{
    Remove(GetAt(nIndex));
}

void CLVKControls::RemoveAll()
{
    for (int i = GetCount() - 1; i >= 0; i--)
        Remove(GetAt(i));
}

void CLVKControls::Copy(CLVKControls* pSource, BOOL bRecursive)
{
    if (!pSource || pSource == this)
        return;
    RemoveAll();
    for (int i = 0; i < pSource->GetCount(); i++)
    {
        CLVKControl* pControl = pSource->GetAt(i);
        if (!pControl->IsTemporary())
            AddClone(pControl, -1, bRecursive);
    }
    CLVKOriginalControls* pOriginal = nullptr;
    if (pSource->m_pOriginalControls)
        pOriginal = static_cast<CLVKOriginalControls*>(pSource->m_pOriginalControls->Clone(TRUE));
    SetOriginalControls(pOriginal);
}

void CLVKControls::CreateOriginalControls()
{
    CLVKOriginalControls* pOriginal = new CLVKOriginalControls;
    pOriginal->SetCommandBars(GetCommandBars());
    for (CLVKControl* pControl : m_arrControls)
    {
        if (!pControl->IsTemporary())
            pOriginal->AddClone(pControl, -1, TRUE);
    }
    SetOriginalControls(pOriginal);
}

void CLVKControls::SetOriginalControls(CLVKOriginalControls* pOriginalControls)
{
    if (m_pOriginalControls)
        m_pOriginalControls->InternalRelease();
    m_pOriginalControls = pOriginalControls;
}

CLVKControls* CLVKControls::Clone(BOOL bRecursive)
{
    CLVKControls* pClone = static_cast<CLVKControls*>(GetRuntimeClass()->CreateObject());
    pClone->m_pCommandBars = GetCommandBars();
    for (CLVKControl* pControl : m_arrControls)
    {
        if (!pControl->IsTemporary())
            pClone->AddClone(pControl, -1, bRecursive);
    }
    if (m_pOriginalControls)
        pClone->SetOriginalControls(static_cast<CLVKOriginalControls*>(m_pOriginalControls->Clone(TRUE)));
    return pClone;
}

BOOL CLVKControls::IsEqualTo(CLVKControls* pOther) const
{
    if (!pOther)
        return FALSE;
    std::vector<CLVKControl*> mine;
    std::vector<CLVKControl*> theirs;
    for (CLVKControl* pControl : m_arrControls)
        if (!pControl->IsTemporary())
            mine.push_back(pControl);
    for (CLVKControl* pControl : pOther->m_arrControls)
        if (!pControl->IsTemporary())
            theirs.push_back(pControl);
    if (mine.size() != theirs.size())
        return FALSE;
    for (size_t i = 0; i < mine.size(); i++)
    {
        if (!mine[i]->IsEqual(theirs[i]))
            return FALSE;
    }
    return TRUE;
}

BOOL CLVKControls::IsChanged() const
{
    return !m_pOriginalControls || !m_pOriginalControls->IsEqualTo(const_cast<CLVKControls*>(this));
}

CLVKControl* CLVKControls::FindControl(int nType, int nId, BOOL bVisible, BOOL bRecursive) const
{
    for (CLVKControl* pControl : m_arrControls)
    {
        if ((nType == 0 || pControl->GetType() == nType) && (nId == -1 || pControl->GetID() == nId) &&
            (!bVisible || pControl->IsVisible()))
            return pControl;
        if (bRecursive)
        {
            CLVKCommandBar* pBar = PopupBarOf(pControl);
            if (pBar && pBar->GetControls())
            {
                if (CLVKControl* pFound = pBar->GetControls()->FindControl(nType, nId, bVisible, TRUE))
                    return pFound;
            }
        }
    }
    return nullptr;
}

CLVKControl* CLVKControls::FindControlById(int nId) const
{
    for (CLVKControl* pControl : m_arrControls)
    {
        if (pControl->GetID() == nId)
            return pControl;
    }
    return nullptr;
}

int CLVKControls::GetVisibleCount(BOOL bStrict) const
{
    int nCount = 0;
    for (CLVKControl* pControl : m_arrControls)
    {
        if (pControl->IsVisible(bStrict ? 0 : kHideOverflow))
            nCount++;
    }
    return nCount;
}

CLVKControl* CLVKControls::GetVisibleControl(int n, BOOL bStrict) const
{
    for (CLVKControl* pControl : m_arrControls)
    {
        if (pControl->IsVisible(bStrict ? 0 : kHideOverflow) && n-- == 0)
            return pControl;
    }
    return nullptr;
}

CLVKControl* CLVKControls::HitTest(CPoint pt) const
{
    for (CLVKControl* pControl : m_arrControls)
    {
        if (pControl->IsVisible() && pControl->GetRect().PtInRect(pt))
            return pControl;
    }
    return nullptr;
}

int CLVKControls::GetNextIndex(int nIndex, int nDirection, BOOL bSkipNavigation, BOOL bSkipTemporary,
                               BOOL bRarelyUsedHidden) const
{
    const int nCount = GetCount();
    if (nCount == 0)
        return -1;
    const DWORD dwIgnore = bRarelyUsedHidden ? kHideScrolledOut : (kHideScrolledOut | kHideRarelyUsed);
    auto selectable = [&](int i)
    {
        CLVKControl* pControl = m_arrControls[i];
        if (!pControl->IsVisible(dwIgnore))
            return false;
        if (bSkipNavigation && (pControl->GetFlags() & kFlagSkipNavigation))
            return false;
        if (bSkipTemporary && pControl->IsTemporary())
            return false;
        return true;
    };

    const int nStart = nIndex;
    int nWraps = 0;
    // -1 stands before the first control, or after the last going backwards.
    int i = (nIndex == -1 && nDirection < 0) ? nCount : nIndex;
    for (;;)
    {
        i += nDirection;
        if (i < 0 || i >= nCount)
        {
            // A search from -1 that runs off the end has found nothing.
            if (nStart == -1 || ++nWraps > 1)
                return -1;
            i = nDirection > 0 ? 0 : nCount - 1;
        }
        if (i == nStart)
            return nStart;
        if (selectable(i))
            return i;
    }
}

void CLVKControls::SetParentBar(CLVKCommandBar* pParent)
{
    m_pParent = pParent;
    if (GetCount() > 0)
        RefreshIndexes();
}

BOOL CLVKControls::ShouldSaveControl(CLVKControl* pControl) const
{
    return pControl && !pControl->IsTemporary();
}

void CLVKControls::OnControlAdded(CLVKControl* /*pControl*/)
{
    RefreshIndexes();
}

void CLVKControls::DetachControl(CLVKControl* pControl)
{
    pControl->m_pControls = nullptr;
    pControl->OnRemoved();
    pControl->m_pParent = nullptr;
    RefreshIndexes();
}

void CLVKControls::RefreshIndexes()
{
    for (int i = 0; i < GetCount(); i++)
    {
        CLVKControl* pControl = m_arrControls[i];
        pControl->m_nIndex = i;
        pControl->m_pControls = this;
        pControl->SetParent(m_pParent);
    }
    if (m_pParent)
        m_pParent->OnControlsChanged();
}
