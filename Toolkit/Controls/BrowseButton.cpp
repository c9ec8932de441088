#include "Controls/BrowseButton.h"

#include "Controls/AuxData.h"
#include "Controls/BrowseEdit.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/ResourceManager.h"

IMPLEMENT_DYNAMIC(CLVKBrowseButton, CLVKButton)

BEGIN_MESSAGE_MAP(CLVKBrowseButton, CLVKButton)
    ON_WM_ENABLE()
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnReflectedClicked)
END_MESSAGE_MAP()

CLVKBrowseButton::CLVKBrowseButton()
{
    m_nBorderGap = 0;
    m_nImageGap = 0;
}

CLVKBrowseButton::~CLVKBrowseButton()
{
    if (m_hIcon)
        ::DestroyIcon(m_hIcon);
}

BOOL CLVKBrowseButton::Create(CLVKBrowseEdit* pEdit, DWORD dwBrowseStyle, UINT nID, UINT nMenuId, int nSubMenuIndex)
{
    m_pEdit = pEdit;
    m_dwBrowseStyle = dwBrowseStyle;
    m_nMenuId = nMenuId;
    m_nSubMenuIndex = nSubMenuIndex;
    if (!pEdit || !pEdit->GetSafeHwnd())
        return FALSE;

    DWORD dwStyle = WS_CHILD | WS_TABSTOP | BS_CENTER | BS_VCENTER;
    if (pEdit->GetStyle() & WS_VISIBLE)
        dwStyle |= WS_VISIBLE;
    CString strCaption;
    const BOOL bDropDown = (dwBrowseStyle & 0x17) == 0x4;
    CLVKResourceManager* const pResources = CLVKResourceManager::GetGlobal();
    if (bDropDown)
        dwStyle |= BS_ICON;
    else if (!pResources || !pResources->LoadString(&strCaption, kCaptionId))
        strCaption = L"...";

    if (!CLVKButton::Create(strCaption, dwStyle, CRect(0, 0, 0, 0), pEdit->GetParent(), nID))
        return FALSE;
    if (bDropDown)
    {
        CLVKDpiScaling* const pDpi = CLVKDpiScaling::GetGlobal();
        const HICON hLoaded =
            pResources ? pResources->LoadIconById(kDropDownIconId, pDpi->ScaleX(16), pDpi->ScaleY(16)) : nullptr;
        if (hLoaded)
        {
            // The image keeps its own copy; the loaded icon goes with this one.
            const CLVKIconImage loaded(hLoaded, TRUE, FALSE);
            SetIcon(10, 10, loaded, CLVKIconImage(), FALSE);
        }
    }
    else if (LVKAuxData().RegularFont.GetHandle())
    {
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(LVKAuxData().RegularFont.GetHandle()), FALSE);
    }
    EnableWindow(pEdit->IsWindowEnabled());
    return TRUE;
}

void CLVKBrowseButton::OnClicked()
{
    if (m_pEdit)
        m_pEdit->OnBrowse();
}

BOOL CLVKBrowseButton::OnReflectedClicked()
{
    OnClicked();
    return TRUE;  // the parent does not see the click
}

void CLVKBrowseButton::OnEnable(BOOL bEnable)
{
    CLVKButton::OnEnable(bEnable);
    Invalidate(TRUE);
}

BOOL CLVKBrowseButton::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_SPACE))
    {
        OnClicked();
        return TRUE;
    }
    return CLVKButton::PreTranslateMessage(pMsg);
}
