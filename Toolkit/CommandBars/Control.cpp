#include "CommandBars/Control.h"

#include "CommandBars/CommandBar.h"
#include "CommandBars/CommandBars.h"
#include "CommandBars/ControlAction.h"
#include "CommandBars/Controls.h"
#include "CommandBars/MouseManager.h"
#include "CommandBars/PaintManager.h"
#include "CommandBars/PopupBar.h"
#include "CommandBars/ShortcutManager.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/ImageManager.h"
#include "Foundation/MenuSoundPlayer.h"
#include "Foundation/ResourceManager.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CLVKControl, CLVKCmdTarget)

namespace
{
// Keeps an object alive across a call that may release its last other
// reference (a command handler deleting the control or bar).
class CSelfReference
{
public:
    explicit CSelfReference(CCmdTarget* pTarget) : m_pTarget(pTarget) { m_pTarget->InternalAddRef(); }
    ~CSelfReference() { m_pTarget->InternalRelease(); }
    CSelfReference(const CSelfReference&) = delete;
    CSelfReference& operator=(const CSelfReference&) = delete;

private:
    CCmdTarget* m_pTarget;
};

BOOL IsResourceId(LPCTSTR lpsz)
{
    return lpsz != nullptr && IS_INTRESOURCE(lpsz);
}

CString LoadResourceString(UINT nID, BOOL* pbFound = nullptr)
{
    CString str;
    const BOOL bFound = CLVKResourceManager::GetGlobal()->LoadString(&str, nID);
    if (pbFound)
        *pbFound = bFound && !str.IsEmpty();
    return str;
}

CString PromptPart(const CString& strPrompt, int nPart)
{
    return LVKExtractPromptPart(strPrompt, nPart);
}
}  // namespace

CString AFX_CDECL LVKExtractPromptPart(const CString& strPrompt, int nPart)
{
    int nStart = 0;
    for (int i = 0; i < nPart; i++)
    {
        const int nNewLine = strPrompt.Find(_T('\n'), nStart);
        if (nNewLine < 0)
            return CString();
        nStart = nNewLine + 1;
    }
    const int nEnd = strPrompt.Find(_T('\n'), nStart);
    return nEnd < 0 ? strPrompt.Mid(nStart) : strPrompt.Mid(nStart, nEnd - nStart);
}

CLVKControl::CLVKControl()
{
    CLVKPaintManager::AddRefGlobal();
}

CLVKControl::~CLVKControl()
{
    if (m_pAction)
        m_pAction->RemoveControl(this);
    m_pAction = nullptr;
    CLVKPaintManager::ReleaseGlobal();
}

CString CLVKControl::GetCaption() const
{
    if (!m_strCustomCaption.IsEmpty())
        return m_strCustomCaption;
    if (!m_strCaption.IsEmpty())
        return m_strCaption;
    if (m_pAction)
    {
        if (!m_pAction->GetCaption().IsEmpty())
            return m_pAction->GetCaption();
        return m_pAction->GetTooltip();
    }
    return CString();
}

CString CLVKControl::GetDescription() const
{
    if (!m_strDescriptionText.IsEmpty() || !m_pAction)
        return m_strDescriptionText;
    return m_pAction->GetDescription();
}

CString CLVKControl::GetTooltip() const
{
    if (!m_strTooltipText.IsEmpty() || !m_pAction)
        return m_strTooltipText;
    return m_pAction->GetTooltip();
}

CString CLVKControl::GetShortcutText() const
{
    if (!m_strShortcutText.IsEmpty())
        return m_strShortcutText;
    if (m_pAction && !m_pAction->GetShortcutText().IsEmpty())
        return m_pAction->GetShortcutText();
    return m_strShortcutTextAuto;
}

void CLVKControl::SetCaption(LPCTSTR lpszCaption)
{
    CString strCaption;
    if (IsResourceId(lpszCaption))
        strCaption = LoadResourceString(static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszCaption)));
    else if (lpszCaption)
        strCaption = lpszCaption;

    CString strShortcut = m_strShortcutTextAuto;
    const int nTab = strCaption.Find(_T('\t'));
    if (nTab >= 0)
    {
        strShortcut = strCaption.Mid(nTab + 1);
        strCaption = strCaption.Left(nTab);
    }
    const BOOL bShortcutChanged = strShortcut != m_strShortcutTextAuto;
    m_strShortcutTextAuto = strShortcut;

    if (strCaption != m_strCaption)
    {
        m_strCaption = strCaption;
        OnCaptionChanged();
        MarkParentLayoutDirty();
    }
    else if (bShortcutChanged)
    {
        MarkParentLayoutDirty();
    }
}

BOOL CLVKControl::SetCaptionFromResource(UINT nID)
{
    BOOL bFound = FALSE;
    const CString str = LoadResourceString(nID, &bFound);
    if (!bFound)
        return FALSE;
    SetCaption(static_cast<LPCTSTR>(str));
    return TRUE;
}

void CLVKControl::ApplyPromptString(LPCTSTR lpszPrompt)
{
    if (!lpszPrompt || !*lpszPrompt)
        return;
    const CString strPrompt = lpszPrompt;
    if (strPrompt.Find(_T('\n')) >= 0)
    {
        m_strTooltipText = PromptPart(strPrompt, 1);
        m_strDescriptionText = PromptPart(strPrompt, 0);
    }
    else
    {
        m_strTooltipText = strPrompt;
        m_strDescriptionText = strPrompt;
    }
    if (m_strCaption.IsEmpty())
    {
        const CString strCaption = PromptPart(strPrompt, 2);
        m_strCaption = strCaption.IsEmpty() ? m_strTooltipText : strCaption;
        OnCaptionChanged();
    }
    if (m_strKeyboardTip.IsEmpty())
        m_strKeyboardTip = PromptPart(strPrompt, 3);
}

void CLVKControl::SetID(int nId)
{
    if (nId == m_nId)
        return;
    if (nId > 0)
    {
        BOOL bFound = FALSE;
        const CString strPrompt = LoadResourceString(static_cast<UINT>(nId), &bFound);
        if (bFound)
            ApplyPromptString(strPrompt);
    }
    m_nId = nId;
}

int CLVKControl::GetIconId() const
{
    if (m_nCustomIconId != 0)
        return m_nCustomIconId;
    if (m_nIconId > 0)
        return m_nIconId;
    if (m_pAction)
        return m_pAction->GetIconId() > 0 ? m_pAction->GetIconId() : m_pAction->GetId();
    return m_nId;
}

CLVKPaintManager* CLVKControl::GetPaintManager() const
{
    if (m_pParent)
        return m_pParent->GetPaintManager();
    if (CLVKCommandBars* pCommandBars = m_pControls ? m_pControls->GetCommandBars() : nullptr)
        return pCommandBars->GetPaintManager();
    return CLVKPaintManager::GetGlobal();
}

CLVKImageManager* CLVKControl::GetImageManager() const
{
    if (m_pParent)
        return m_pParent->GetImageManager();
    if (CLVKCommandBars* pCommandBars = m_pControls ? m_pControls->GetCommandBars() : nullptr)
        return pCommandBars->GetImageManager();
    return CLVKImageManager::GetGlobal();
}

CLVKCommandBars* CLVKControl::GetCommandBars() const
{
    if (m_pParent)
        return m_pParent->GetCommandBars();
    return m_pControls ? m_pControls->GetCommandBars() : nullptr;
}

int CLVKControl::GetStyle() const
{
    if (m_nCustomStyle != -1)
        return m_nCustomStyle;
    if (m_nStyle != 0)
        return m_nStyle;
    if (m_nImposedStyle != 0)
        return m_nImposedStyle;
    return m_pParent ? m_pParent->GetDefaultButtonStyle() : 0;
}

void CLVKControl::SetStyle(int nStyle)
{
    if (m_nStyle == nStyle)
        return;
    m_nStyle = nStyle;
    MarkParentLayoutDirty();
}

BOOL CLVKControl::IsEnabled() const
{
    if (m_pParent)
    {
        const int nBar = m_pParent->IsControlEnabled(this);
        if (nBar != -1)
            return nBar;
    }
    if (m_nEnabled == -1)
        return m_pAction ? m_pAction->IsEnabled() : TRUE;
    return m_nEnabled;
}

int CLVKControl::GetChecked() const
{
    if (m_nChecked == -1)
        return m_pAction ? m_pAction->GetChecked() : 0;
    return m_nChecked;
}

void CLVKControl::SetVisible(BOOL bVisible)
{
    const DWORD dwFlags = bVisible ? (m_dwHideFlags & ~kHideByProgram) : (m_dwHideFlags | kHideByProgram);
    if (dwFlags == m_dwHideFlags)
        return;
    SetHideFlags(dwFlags);
    MarkParentLayoutDirty();
}

void CLVKControl::SetDefaultItem(BOOL bDefault)
{
    if (m_bDefaultItem == bDefault)
        return;
    m_bDefaultItem = bDefault;
    MarkParentLayoutDirty();
}

void CLVKControl::SetRarelyUsed(BOOL bRarelyUsed)
{
    m_bRarelyUsed = bRarelyUsed;
    if (!bRarelyUsed)
        m_dwHideFlags &= ~kHideRarelyUsed;
}

void CLVKControl::RedrawParent(BOOL bAnimate)
{
    if (m_pParent && IsVisible())
        m_pParent->Redraw(m_rcControl, bAnimate);
}

void CLVKControl::MarkParentLayoutDirty()
{
    if (m_pParent)
        m_pParent->m_dwState |= kBarStateLayout;
}

BOOL CLVKControl::IsCursorOver() const
{
    if (!m_pParent || !m_pParent->GetSafeHwnd())
        return FALSE;
    CPoint pt;
    ::GetCursorPos(&pt);
    m_pParent->ScreenToClient(&pt);
    return m_rcControl.PtInRect(pt);
}

BOOL CLVKControl::HasVisibleIcon() const
{
    if (!GetImage(0))
        return FALSE;
    if (m_pParent && m_pParent->GetType() == kBarTypePopup)
        return TRUE;
    const int nStyle = GetStyle();
    return nStyle == kStyleIconOnly || nStyle == kStyleSmall;
}

BOOL CLVKControl::IsDrawnOnFrame() const
{
    return FALSE;
}

LRESULT CLVKControl::NotifySite(int nCode)
{
    LVK_CONTROL_NOTIFY notify{};
    return NotifySiteEx(nCode, &notify);
}

LRESULT CLVKControl::NotifySiteEx(int nCode, LVK_CONTROL_NOTIFY* pNotify)
{
    if (!m_pParent)
        return 0;
    return SendNotify(m_pParent->GetOwnerSite(), nCode, pNotify);
}

LRESULT CLVKControl::SendNotify(CWnd* pSite, int nCode, LVK_CONTROL_NOTIFY* pNotify)
{
    if (!pSite || !pSite->GetSafeHwnd())
        return 0;
    pNotify->hdr.hwndFrom = nullptr;
    pNotify->hdr.idFrom = static_cast<UINT_PTR>(m_nId > 0 ? m_nId : 0);
    pNotify->hdr.code = static_cast<UINT>(nCode);
    pNotify->pControl = this;
    const LRESULT lResult =
        pSite->SendMessage(LVK_WM_CONTROLNOTIFY, static_cast<WPARAM>(m_nId), reinterpret_cast<LPARAM>(pNotify));
    if (lResult != 0)
        return lResult;

    LRESULT lRouted = 0;
    AFX_NOTIFY notify{&lRouted, &pNotify->hdr};
    if (pSite->OnCmdMsg(static_cast<UINT>(m_nId), MAKELONG(nCode, WM_NOTIFY), &notify, nullptr))
        return lRouted;
    return 0;
}

BOOL CLVKControl::KeepsExecutedState() const
{
    return m_pParent && m_pParent->GetPosition() != kBarPopup;
}

void CLVKControl::ExecuteOnce()
{
    if (!m_pParent)
        return;
    if (NotifySite(kNotifyExecute) != 0)
        return;
    if (m_pParent)
    {
        if (CWnd* pSite = m_pParent->GetOwnerSite())
            pSite->SendMessage(WM_COMMAND, static_cast<WPARAM>(m_nId), 0);
    }
}

void CLVKControl::TrackClick(CRect rcTrack)
{
    if (rcTrack.IsRectEmpty())
        rcTrack = m_rcControl;
    if (!m_pParent || !m_pParent->GetSafeHwnd())
        return;

    CSelfReference keep(this);
    CLVKCommandBar* pBar = m_pParent;
    pBar->SetPopupedIndex(-1);
    pBar->SetSelected(m_nIndex, 0);
    m_nExecuteState = 1;
    RedrawParent(TRUE);

    const HWND hBar = pBar->GetSafeHwnd();
    ::SetCapture(hBar);
    const BOOL bRepeat = m_nExecuteOnPressInterval > 0;
    if (bRepeat)
    {
        ::SetTimer(hBar, kTimerAutoRepeat, static_cast<UINT>(m_nExecuteOnPressInterval), nullptr);
        ExecuteOnce();
    }

    BOOL bClick = FALSE;
    BOOL bMoved = FALSE;
    CPoint ptLast(-1, -1);
    MSG msg{};
    while (m_pParent && ::GetCapture() == hBar)
    {
        const BOOL bGot = ::GetMessage(&msg, nullptr, 0, 0);
        if (!bGot || msg.message == WM_QUIT)
        {
            // The program is ending: leave the loop and hand the quit on.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_LBUTTONUP)
        {
            bClick = m_nPressedState != 0 && (!bMoved || rcTrack.PtInRect(ptLast));
            break;
        }
        if (msg.message == WM_TIMER && msg.hwnd == hBar && msg.wParam == kTimerAutoRepeat)
        {
            if (m_nPressedState != 0)
                ExecuteOnce();
            continue;
        }
        if (msg.message == WM_MOUSEMOVE && msg.hwnd == hBar)
        {
            const CPoint pt(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            bMoved = TRUE;
            ptLast = pt;
            const int nOld = m_nPressedState;
            SetPressed(rcTrack.PtInRect(pt) ? 1 : 0);
            if (nOld != m_nPressedState)
                RedrawParent(FALSE);
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }

    if (bRepeat && ::IsWindow(hBar))
        ::KillTimer(hBar, kTimerAutoRepeat);
    m_nExecuteState = (bClick && !bRepeat && KeepsExecutedState()) ? 2 : 0;
    if (::GetCapture() == hBar)
        ::ReleaseCapture();

    if (!bRepeat && m_nPressedState != 0 && m_pParent)
    {
        m_pParent->SetSelected(-1);
        m_nPressedState = 0;
        m_pParent->m_nLastClickedIndex = m_nIndex;
    }

    if (bClick && !bRepeat)
    {
        Execute();
        if (m_nExecuteState != 0)
        {
            m_nExecuteState = 0;
            RedrawParent(TRUE);
        }
    }
    else if (bClick && bRepeat && m_pParent && m_pParent->GetType() == kBarTypePopup && m_bCloseSubMenuOnClick)
    {
        m_nExecuteState = 0;
        Execute();
    }
    else
    {
        RedrawParent(TRUE);
    }
}

void CLVKControl::Execute()
{
    if (!m_pParent)
        return;
    CLVKMenuSoundPlayer::GetGlobal()->PostSound(1);
    m_nExecuteState = KeepsExecutedState() ? 2 : 0;

    CLVKCommandBar* pRoot = m_pParent->GetRootParent();
    CLVKCommandBars* pCommandBars = m_pParent->GetCommandBars();
    // Personalised menus learn which commands are used: the item's and the
    // one of the popup control that opened its menu.
    if (pCommandBars && m_nId != 0)
    {
        pCommandBars->MarkCommandUsed(static_cast<UINT>(m_nId));
        CLVKPopupBar* pPopup = DYNAMIC_DOWNCAST(CLVKPopupBar, m_pParent);
        CLVKControl* pOpener = pPopup ? pPopup->GetControlPopup() : nullptr;
        if (pOpener && pOpener->GetID() >= 0)
            pCommandBars->MarkCommandUsed(static_cast<UINT>(pOpener->GetID()));
    }

    if (int* pSlot = pRoot->GetReturnCommandSlot())
    {
        CloseMenus(pRoot, pCommandBars);
        *pSlot = m_nId;
        return;
    }

    CSelfReference keep(this);
    CWnd* pSite = m_pParent->GetOwnerSite();
    if (m_bCloseSubMenuOnClick)
        CloseMenus(pRoot, pCommandBars);
    if (m_nId != 0)
    {
        LVK_CONTROL_NOTIFY notify{};
        if (SendNotify(pSite, kNotifyExecute, &notify) == 0 && pSite && pSite->GetSafeHwnd())
            pSite->SendMessage(WM_COMMAND, static_cast<WPARAM>(m_nId), 0);
        if ((!m_bCloseSubMenuOnClick || m_nExecuteState != 0) && m_pParent)
        {
            m_nExecuteState = 0;
            m_pParent->OnIdleUpdateCmdUI();
            RedrawParent(TRUE);
        }
    }
}

void CLVKControl::CloseMenus(CLVKCommandBar* pRoot, CLVKCommandBars* pCommandBars)
{
    // The root ends its own tracking (a popup running its own loop closes
    // with it); every other open menu of the thread closes too.
    pRoot->EndTracking();
    if (pCommandBars)
        pCommandBars->ClosePopups();
    else if (CLVKMouseManager* pMouse = CLVKMouseManager::GetThreadManagerIfAny())
        pMouse->CloseTrackedBars();
}

CSize CLVKControl::GetSize(CDC* pDC)
{
    CLVKPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager ? pPaintManager->DrawControl(pDC, this, FALSE) : CSize(0, 0);
}

void CLVKControl::Draw(CDC* pDC)
{
    if (CLVKPaintManager* pPaintManager = GetPaintManager())
        pPaintManager->DrawControl(pDC, this, TRUE);
}

CLVKImageManagerIcon* CLVKControl::GetImage(int nWidth) const
{
    const int nId = GetIconId();
    if (nId == 0)
        return nullptr;
    CLVKImageManager* pImageManager = GetImageManager();
    if (!pImageManager)
        return nullptr;
    if (nWidth == 0)
        nWidth = GetIconSize().cx;
    return pImageManager->FindIcon(static_cast<UINT>(nId), nWidth);
}

void CLVKControl::SetBeginGroup(BOOL bBeginGroup)
{
    if (m_bBeginGroup == bBeginGroup)
        return;
    m_bBeginGroup = bBeginGroup;
    MarkParentLayoutDirty();
}

void CLVKControl::SetEnabled(int nEnabled)
{
    if (m_nEnabled == nEnabled)
        return;
    m_nEnabled = nEnabled;
    OnEnabledChanged();
    RedrawParent(TRUE);
}

void CLVKControl::SetChecked(int nChecked)
{
    if (m_nChecked == nChecked)
        return;
    m_nChecked = nChecked;
    RedrawParent(TRUE);
}

BOOL CLVKControl::IsVisible(DWORD dwIgnoreMask) const
{
    if (m_pAction && !m_pAction->IsVisible())
        return FALSE;
    return (m_dwHideFlags & ~dwIgnoreMask) == 0;
}

BOOL CLVKControl::IsCaptionVisible() const
{
    if (m_pParent && m_pParent->GetType() == kBarTypePopup)
        return TRUE;
    if (GetCaption().IsEmpty())
        return FALSE;
    switch (GetStyle())
    {
    case kStyleCaption:
    case kStyleSmall:
    case kStyleLarge:
        return TRUE;
    case kStyleIconOnly:
        return FALSE;
    default:
        break;
    }
    switch (m_nType)
    {
    case kControlButton:
    case kControlButtonPopup:
    case kControlSplitButton:
        return GetImage(0) == nullptr;
    case kControlPopup:
    case kControlLabel:
    case kControlCheckBox:
    case kControlRadioButton:
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CLVKControl::IsEqual(CLVKControl* pOther) const
{
    if (!pOther)
        return FALSE;
    return GetStyle() == pOther->GetStyle() && m_nType == pOther->m_nType && m_nId == pOther->m_nId &&
           m_dwFlags == pOther->m_dwFlags && m_bBeginGroup == pOther->m_bBeginGroup &&
           GetIconId() == pOther->GetIconId() && m_strCaption == pOther->m_strCaption &&
           m_strTooltipText == pOther->m_strTooltipText && m_strDescriptionText == pOther->m_strDescriptionText &&
           m_strCustomCaption == pOther->m_strCustomCaption && m_nCustomStyle == pOther->m_nCustomStyle &&
           m_strParameter == pOther->m_strParameter &&
           (m_dwHideFlags & kHideByUser) == (pOther->m_dwHideFlags & kHideByUser) && m_nWidth == pOther->m_nWidth;
}

void CLVKControl::SetAction(CLVKControlAction* pAction)
{
    if (m_pAction)
    {
        CLVKControlAction* pOld = m_pAction;
        m_pAction = nullptr;
        pOld->RemoveControl(this);
    }
    m_pAction = pAction;
    if (pAction)
        pAction->AddControl(this);
}

void CLVKControl::OnRemoved()
{
    SetAction(nullptr);
}

void CLVKControl::OnActionChanged(int nProperty)
{
    if (nProperty == CLVKControlAction::kPropertyCaption)
        OnCaptionChanged();
    else if (nProperty == CLVKControlAction::kPropertyEnabled)
        OnEnabledChanged();
}

void CLVKControl::SetWidth(int nWidth)
{
    if (m_nWidth == nWidth)
        return;
    m_nWidth = nWidth;
    MarkParentLayoutDirty();
}

void CLVKControl::SetHeight(int nHeight)
{
    if (m_nHeight == nHeight)
        return;
    m_nHeight = nHeight;
    MarkParentLayoutDirty();
}

CSize CLVKControl::GetButtonSize() const
{
    return m_pParent ? m_pParent->GetButtonSize() : CSize(0, 0);
}

CSize CLVKControl::GetIconSize() const
{
    if (m_szIcon.cx != 0 || m_szIcon.cy != 0)
        return m_szIcon;
    return m_pParent ? m_pParent->GetIconSize() : CSize(0, 0);
}

void CLVKControl::Copy(CLVKControl* pSource, BOOL /*bRecursive*/)
{
    if (!pSource || pSource == this)
        return;
    m_nId = pSource->m_nId;
    SetAction(pSource->m_pAction);
    m_nTag = pSource->m_nTag;
    m_dwFlags = pSource->m_dwFlags;
    m_nType = pSource->m_nType;
    m_strCaption = pSource->m_strCaption;
    m_strShortcutText = pSource->m_strShortcutText;
    m_strShortcutTextAuto = pSource->m_strShortcutTextAuto;
    m_strTooltipText = pSource->m_strTooltipText;
    m_strDescriptionText = pSource->m_strDescriptionText;
    m_strParameter = pSource->m_strParameter;
    m_strKeyboardTip = pSource->m_strKeyboardTip;
    m_strCustomShortcutText = pSource->m_strCustomShortcutText;
    m_nCustomIconId = pSource->m_nCustomIconId;
    m_nIconId = pSource->m_nIconId;
    m_nHelpId = pSource->m_nHelpId;
    m_bTemporary = pSource->m_bTemporary;
    m_strCustomCaption = pSource->m_strCustomCaption;
    m_strCategory = pSource->m_strCategory;
    m_dwHideFlags = pSource->m_dwHideFlags & ~static_cast<DWORD>(0x2E);
    m_bDefaultItem = pSource->m_bDefaultItem;
    m_nEnabled = pSource->m_nEnabled;
    m_nChecked = pSource->m_nChecked;
    m_nCustomStyle = pSource->m_nCustomStyle;
    m_nStyle = pSource->m_nStyle;
    m_nWidth = std::max(pSource->m_nWidth, GetCustomizeMinWidth());
    m_nHeight = pSource->m_nHeight;
    m_szIcon = pSource->m_szIcon;
    m_bBeginGroup = pSource->m_bBeginGroup;
    m_bCloseSubMenuOnClick = pSource->m_bCloseSubMenuOnClick;
    m_nExecuteOnPressInterval = pSource->m_nExecuteOnPressInterval;
    m_setDocTemplatesAssigned = pSource->m_setDocTemplatesAssigned;
    m_setDocTemplatesExcluded = pSource->m_setDocTemplatesExcluded;
    OnCaptionChanged();
}

CLVKControl* CLVKControl::Clone(BOOL bRecursive)
{
    CLVKControl* pClone = static_cast<CLVKControl*>(GetRuntimeClass()->CreateObject());
    if (pClone)
        pClone->Copy(this, bRecursive);
    return pClone;
}

BOOL CLVKControl::IsCustomizable() const
{
    if (m_pParent && m_pParent->IsCustomizable() && (m_dwFlags & kFlagFixed) == 0)
        return TRUE;
    CLVKCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars && pCommandBars->m_bAllCustomizable;
}

BOOL CLVKControl::OnLButtonDown(CPoint pt)
{
    if ((!m_pParent || m_pParent->IsCustomizeMode()) && !IsCustomizable())
        return FALSE;
    OnClick(FALSE, pt);
    return TRUE;
}

BOOL CLVKControl::OnLButtonDblClk(CPoint pt)
{
    OnClick(FALSE, pt);
    return TRUE;
}

void CLVKControl::OnMouseHover()
{
    if (!m_pParent)
        return;
    if (m_pParent->GetPopupedIndex() != -1)
        m_pParent->SetPopupedIndex(-1);
    if (m_pParent->GetTrackingMode() == kTrackingWithPopup && m_pParent->GetPosition() != kBarPopup)
        m_pParent->SetTrackingMode(kTrackingNone);
}

BOOL CLVKControl::SetPressed(int nState)
{
    if (nState == m_nPressedState || !m_pParent)
        return FALSE;
    if ((nState == 2 || nState == 3) && m_pParent->GetPopupedIndex() != -1 && m_pParent->GetPopupedIndex() != m_nIndex)
        m_pParent->SetPopupedIndex(-1);
    m_nPressedState = nState;
    m_pParent->OnControlSelected(nState, this);
    if (nState == 1 && !IsEnabled())
        return TRUE;
    RedrawParent(nState == 0);
    return TRUE;
}

void CLVKControl::OnCustomizeMouseDown(CPoint pt)
{
    if (!m_pParent)
        return;
    if (m_pParent->GetPopupedIndex() != -1 && m_pParent->GetPopupedIndex() != m_nIndex)
    {
        m_pParent->SetPopupedIndex(-1);
        m_pParent->SetSelected(-1);
    }
    CLVKCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars)
        return;
    if (pCommandBars->GetCustomizeSelectedControl() == this && IsCustomizeResizable() && CustomizeTrackResize(pt))
        return;
    pCommandBars->SetCustomizeSelectedControl(this);
    // Dragging the selection to another place belongs to the manager's
    // customize drag state, which comes with the customize dialog.
}

void AFX_CDECL CLVKControl::DrawResizeTracker(CDC* pDC, const CRect& rc)
{
    const int cx = CLVKDpiScaling::GetGlobal()->ScaleX(2);
    const int cy = CLVKDpiScaling::GetGlobal()->ScaleY(2);
    pDC->PatBlt(rc.left, rc.top, rc.Width(), cy, DSTINVERT);
    pDC->PatBlt(rc.left, rc.bottom - cy, rc.Width(), cy, DSTINVERT);
    pDC->PatBlt(rc.left, rc.top + cy, cx, rc.Height() - 2 * cy, DSTINVERT);
    pDC->PatBlt(rc.right - cx, rc.top + cy, cx, rc.Height() - 2 * cy, DSTINVERT);
}

// Resizing a control by a side edge in customize mode: a tracker drawn on
// the locked desktop follows the pointer until the button comes up (the new
// width is kept) or Escape or a lost capture cancels.
BOOL CLVKControl::CustomizeTrackResize(CPoint pt)
{
    CLVKCommandBar* pBar = m_pParent;
    if (!pBar || !pBar->GetSafeHwnd() || !m_rcControl.PtInRect(pt))
        return FALSE;
    const int nEdge = CLVKDpiScaling::GetGlobal()->ScaleX(2);
    const BOOL bLeftEdge = pt.x - m_rcControl.left <= nEdge;
    if (!bLeftEdge && m_rcControl.right - pt.x > nEdge)
        return FALSE;

    CSelfReference keep(this);
    CLVKCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars)
        pCommandBars->SetCustomizeSelectedControl(nullptr);
    pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);

    const HWND hBar = pBar->GetSafeHwnd();
    ::SetCapture(hBar);
    if (HCURSOR hCursor = CLVKResourceManager::GetGlobal()->LoadCursor(9972))
        ::SetCursor(hCursor);
    const HWND hDesktop = ::GetDesktopWindow();
    const BOOL bLocked = ::LockWindowUpdate(hDesktop);
    CDC dc;
    dc.Attach(::GetDCEx(hDesktop, nullptr, DCX_WINDOW | DCX_CACHE | (bLocked ? DCX_LOCKWINDOWUPDATE : 0)));

    CRect rcStart = m_rcControl;
    pBar->ClientToScreen(&rcStart);
    CRect rcTracker = rcStart;
    const int nMinWidth = GetCustomizeMinWidth();
    if (dc.GetSafeHdc())
        DrawResizeTracker(&dc, rcTracker);

    BOOL bAccept = FALSE;
    MSG msg{};
    while (::GetCapture() == hBar)
    {
        const BOOL bGot = ::GetMessage(&msg, nullptr, 0, 0);
        if (!bGot || msg.message == WM_QUIT)
        {
            // The program is ending: cancel and hand the quit on.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_LBUTTONUP)
        {
            bAccept = TRUE;
            break;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
            break;
        if (msg.message == WM_MOUSEMOVE && msg.hwnd == hBar)
        {
            CPoint ptScreen(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            ::ClientToScreen(hBar, &ptScreen);
            CRect rcNew = rcStart;
            if (bLeftEdge)
                rcNew.left = std::min(ptScreen.x, rcNew.right - nMinWidth);
            else
                rcNew.right = std::max(ptScreen.x, rcNew.left + nMinWidth);
            if (rcNew != rcTracker && dc.GetSafeHdc())
            {
                DrawResizeTracker(&dc, rcTracker);
                DrawResizeTracker(&dc, rcNew);
            }
            rcTracker = rcNew;
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }

    if (dc.GetSafeHdc())
    {
        DrawResizeTracker(&dc, rcTracker);
        ::ReleaseDC(hDesktop, dc.Detach());
    }
    if (::GetCapture() == hBar)
        ::ReleaseCapture();
    if (bLocked)
        ::LockWindowUpdate(nullptr);
    if (pCommandBars)
        pCommandBars->SetCustomizeSelectedControl(this);

    if (bAccept && rcTracker.Width() != rcStart.Width() && m_pParent)
    {
        int nWidth = rcTracker.Width();
        if (m_pParent->GetType() == kBarTypePopup)
            nWidth -= GetPaintManager()->GetPopupBarGripperWidth(m_pParent);
        SetWidth(nWidth);
        m_pParent->RecalcLayout();
    }
    if (m_pParent && m_pParent->GetSafeHwnd())
        m_pParent->Invalidate(FALSE);
    return TRUE;
}

void CLVKControl::SetCustomizeCursor(CPoint pt)
{
    if (!IsCustomizeResizable() || !m_rcControl.PtInRect(pt))
        return;
    const int nEdge = CLVKDpiScaling::GetGlobal()->ScaleX(2);
    if (pt.x - m_rcControl.left <= nEdge || m_rcControl.right - pt.x <= nEdge)
    {
        if (HCURSOR hCursor = CLVKResourceManager::GetGlobal()->LoadCursor(9972))
            ::SetCursor(hCursor);
    }
}

void CLVKControl::OnCustomizeDragOver(CLVKControl* /*pDragged*/, CPoint /*pt*/)
{
    if (!m_pParent)
        return;
    m_pParent->SetPopupedIndex(-1);
    m_pParent->SetSelected(-1);
}

BOOL CLVKControl::CanDropOnBar(CLVKCommandBar* /*pBar*/, DWORD& /*dwDropEffect*/) const
{
    return TRUE;
}

BOOL CLVKControl::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nCode == -2 && nID == 1)
    {
        RedrawParent(FALSE);
        return TRUE;
    }
    return CLVKCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
