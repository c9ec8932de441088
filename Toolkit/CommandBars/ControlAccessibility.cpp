// What a command-bar control tells screen readers: its name (caption and
// shortcut), role by the kind of bar, state, place on the screen, and the
// default action, which clicks it as the keyboard would.
#include "CommandBars/Control.h"

#include "CommandBars/CommandBar.h"
#include "CommandBars/ShortcutManager.h"
#include "Foundation/DrawHelpers.h"

BEGIN_INTERFACE_MAP(CLVKControl, CLVKCmdTarget)
    INTERFACE_PART(CLVKControl, IID_IAccessible, Accessible)
END_INTERFACE_MAP()

namespace
{
// The control itself is the only child id it answers for.
HRESULT CheckSelf(const VARIANT& varChild)
{
    return CLVKAccessible::ChildIdFromVariant(varChild) == CHILDID_SELF ? S_OK : E_INVALIDARG;
}

HRESULT ReturnText(const CString& str, BSTR* pszText)
{
    if (!pszText)
        return E_POINTER;
    *pszText = str.IsEmpty() ? nullptr : ::SysAllocString(str);
    return str.IsEmpty() ? S_FALSE : S_OK;
}
}  // namespace

HRESULT CLVKControl::AccessibleGetParent(IDispatch** ppdispParent)
{
    if (!ppdispParent)
        return E_POINTER;
    *ppdispParent = nullptr;
    if (!m_pParent)
        return E_FAIL;
    *ppdispParent = &m_pParent->m_xAccessible;
    (*ppdispParent)->AddRef();
    return S_OK;
}

HRESULT CLVKControl::AccessibleGetChildCount(long* pcountChildren)
{
    if (!pcountChildren)
        return E_POINTER;
    *pcountChildren = GetCommandBar() ? 1 : 0;
    return S_OK;
}

HRESULT CLVKControl::AccessibleGetChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (!ppdispChild)
        return E_POINTER;
    *ppdispChild = nullptr;
    if (FAILED(CheckSelf(varChild)))
        return E_INVALIDARG;
    CLVKCommandBar* pBar = GetCommandBar();
    if (!pBar)
        return S_FALSE;
    *ppdispChild = &pBar->m_xAccessible;
    (*ppdispChild)->AddRef();
    return S_OK;
}

HRESULT CLVKControl::AccessibleGetName(VARIANT varChild, BSTR* pszName)
{
    if (!pszName)
        return E_POINTER;
    *pszName = nullptr;
    if (FAILED(CheckSelf(varChild)))
        return E_INVALIDARG;
    CString strName = GetCaption();
    CLVKDrawHelpers::StripMnemonics(strName);
    if (strName.IsEmpty())
        strName = GetTooltip();
    const CString strShortcut = GetShortcutText();
    if (!strShortcut.IsEmpty())
        strName += _T('\t') + strShortcut;
    return ReturnText(strName, pszName);
}

HRESULT CLVKControl::AccessibleGetDescription(VARIANT varChild, BSTR* pszDescription)
{
    if (!pszDescription)
        return E_POINTER;
    *pszDescription = nullptr;
    if (FAILED(CheckSelf(varChild)))
        return E_INVALIDARG;
    return ReturnText(GetDescription(), pszDescription);
}

HRESULT CLVKControl::AccessibleGetKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut)
{
    if (!pszKeyboardShortcut)
        return E_POINTER;
    *pszKeyboardShortcut = nullptr;
    if (FAILED(CheckSelf(varChild)))
        return E_INVALIDARG;
    const CString strCaption = GetCaption();
    const int nAmpersand = FindMnemonicAmpersand(strCaption);
    CString strKey;
    if (nAmpersand >= 0 && nAmpersand + 1 < strCaption.GetLength())
        strKey = strCaption.Mid(nAmpersand + 1, 1);
    return ReturnText(strKey, pszKeyboardShortcut);
}

HRESULT CLVKControl::AccessibleGetDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    if (!pszDefaultAction)
        return E_POINTER;
    *pszDefaultAction = nullptr;
    if (FAILED(CheckSelf(varChild)))
        return E_INVALIDARG;
    return ReturnText(_T("Click"), pszDefaultAction);
}

HRESULT CLVKControl::AccessibleDoDefaultAction(VARIANT varChild)
{
    if (FAILED(CheckSelf(varChild)))
        return E_INVALIDARG;
    CCmdTarget::InternalAddRef();
    OnClick(TRUE);
    CCmdTarget::InternalRelease();
    return S_OK;
}

HRESULT CLVKControl::AccessibleGetRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (!pvarRole)
        return E_POINTER;
    ::VariantInit(pvarRole);
    if (FAILED(CheckSelf(varChild)))
        return E_INVALIDARG;
    long nRole = ROLE_SYSTEM_MENUITEM;
    if (m_pParent && (m_pParent->GetType() == kBarTypeToolBar || m_pParent->GetType() == kBarTypeRibbon))
        nRole = GetCommandBar() ? ROLE_SYSTEM_BUTTONMENU : ROLE_SYSTEM_PUSHBUTTON;
    V_VT(pvarRole) = VT_I4;
    V_I4(pvarRole) = nRole;
    return S_OK;
}

HRESULT CLVKControl::AccessibleGetState(VARIANT varChild, VARIANT* pvarState)
{
    if (!pvarState)
        return E_POINTER;
    ::VariantInit(pvarState);
    if (FAILED(CheckSelf(varChild)))
        return E_INVALIDARG;
    long nState = STATE_SYSTEM_FOCUSABLE;
    if (m_nPressedState != 0)
        nState |= STATE_SYSTEM_HOTTRACKED | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED;
    if (!m_pParent || !::IsWindowVisible(m_pParent->GetSafeHwnd()) || !IsVisible())
        nState |= STATE_SYSTEM_INVISIBLE;
    if (!IsEnabled())
        nState |= STATE_SYSTEM_UNAVAILABLE;
    if (GetChecked())
        nState |= STATE_SYSTEM_CHECKED;
    if (m_nExecuteState != 0)
        nState |= STATE_SYSTEM_PRESSED;
    if (GetCommandBar())
        nState |= STATE_SYSTEM_HASPOPUP;
    V_VT(pvarState) = VT_I4;
    V_I4(pvarState) = nState;
    return S_OK;
}

HRESULT CLVKControl::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild)
{
    if (!pxLeft || !pyTop || !pcxWidth || !pcyHeight)
        return E_POINTER;
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    if (FAILED(CheckSelf(varChild)))
        return E_INVALIDARG;
    if (!m_pParent || !m_pParent->GetSafeHwnd() || !IsVisible())
        return S_FALSE;
    CRect rc = m_rcControl;
    m_pParent->ClientToScreen(&rc);
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

HRESULT CLVKControl::AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    if (!pvarChild)
        return E_POINTER;
    ::VariantInit(pvarChild);
    if (!m_pParent || !m_pParent->GetSafeHwnd())
        return S_FALSE;
    CPoint pt(xLeft, yTop);
    CRect rcBar;
    m_pParent->GetWindowRect(&rcBar);
    if (!rcBar.PtInRect(pt))
        return S_FALSE;
    m_pParent->ScreenToClient(&pt);
    if (!m_rcControl.PtInRect(pt))
        return S_FALSE;
    V_VT(pvarChild) = VT_I4;
    V_I4(pvarChild) = CHILDID_SELF;
    return S_OK;
}

HRESULT CLVKControl::AccessibleSelect(long /*flagsSelect*/, VARIANT varChild)
{
    if (FAILED(CheckSelf(varChild)))
        return E_INVALIDARG;
    if (!m_pParent)
        return S_FALSE;
    m_pParent->SetTrackingMode(kTrackingOn, FALSE, 2);
    m_pParent->SetSelected(m_nIndex, 2);
    return S_OK;
}
