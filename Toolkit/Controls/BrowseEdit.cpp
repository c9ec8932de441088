#include "Controls/BrowseEdit.h"

#include "Controls/BrowseDialog.h"
#include "Foundation/PopupMenuService.h"
#include "Foundation/ResourceManager.h"

IMPLEMENT_DYNAMIC(CLVKBrowseEdit, CLVKEdit)

BEGIN_MESSAGE_MAP(CLVKBrowseEdit, CLVKEdit)
    ON_WM_ENABLE()
    ON_WM_SHOWWINDOW()
    ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

namespace
{

CString LoadControlString(UINT nID, LPCWSTR lpszDefault)
{
    CString str;
    CLVKResourceManager* const pResources = CLVKResourceManager::GetGlobal();
    if (!pResources || !pResources->LoadString(&str, nID))
        str = lpszDefault;
    return str;
}

}  // namespace

CLVKBrowseEdit::CLVKBrowseEdit()
    : m_strDefExt(LoadControlString(9344, L"*.*")), m_strFilter(LoadControlString(9345, L"All Files (*.*)|*.*||")),
      m_strFolderTitle(LoadControlString(9346, L"Directory name:"))
{
}

CLVKBrowseEdit::~CLVKBrowseEdit() = default;

int AFX_CDECL CLVKBrowseEdit::GetButtonWidth()
{
    static const int nWidth = 2 * ::GetSystemMetrics(SM_CXEDGE) + ::GetSystemMetrics(SM_CXHSCROLL);
    return nWidth;
}

BOOL CLVKBrowseEdit::Initialize(CWnd* pParent)
{
    return CLVKEdit::Initialize(pParent);
}

BOOL CLVKBrowseEdit::Initialize(CWnd* pParent, DWORD dwBrowseStyle, UINT nMenuId, int nSubMenuIndex)
{
    if (!Initialize(pParent))
        return FALSE;
    m_dwBrowseStyle = dwBrowseStyle;
    if (!(dwBrowseStyle & 0x17))
        return TRUE;
    m_nMenuId = nMenuId;
    m_nSubMenuIndex = nSubMenuIndex;
    if (!m_button.Create(this, dwBrowseStyle, kButtonId, nMenuId, nSubMenuIndex))
        return FALSE;

    CWnd* const pEditParent = GetParent();
    CRect rcEdit;
    GetWindowRect(&rcEdit);
    pEditParent->ScreenToClient(&rcEdit);
    const int nWidth = GetButtonWidth();
    if (m_nGap < 1)
    {
        m_button.SetWindowPos(nullptr, rcEdit.right - nWidth, rcEdit.top, nWidth, rcEdit.Height(),
                              SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOACTIVATE);
        m_button.AttachToEdit(this, TRUE);
    }
    else
    {
        SetWindowPos(nullptr, 0, 0, rcEdit.Width() - m_nGap - nWidth, rcEdit.Height(),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    PositionBrowseButton();
    return TRUE;
}

void CLVKBrowseEdit::PositionBrowseButton()
{
    if (!m_button.GetSafeHwnd())
        return;
    CWnd* const pParent = GetParent();
    CRect rcEdit;
    GetWindowRect(&rcEdit);
    pParent->ScreenToClient(&rcEdit);
    const CRect rcButton(rcEdit.right + m_nGap, rcEdit.top, rcEdit.right + m_nGap + GetButtonWidth(), rcEdit.bottom);
    m_button.SetWindowPos(this, rcButton.left, rcButton.top, rcButton.Width(), rcButton.Height(),
                          SWP_FRAMECHANGED | SWP_NOACTIVATE);
    CRect rcBoth = rcEdit;
    rcBoth.right = rcButton.right;
    pParent->InvalidateRect(&rcBoth, TRUE);
    m_button.Invalidate(FALSE);
}

void CLVKBrowseEdit::OnBrowse()
{
    switch (m_dwBrowseStyle & 0x17)
    {
    case LVK_BES_FOLDER:
        BrowseForFolder();
        break;
    case LVK_BES_FILE:
        BrowseForFile();
        break;
    case LVK_BES_POPUPMENU:
        BrowsePopupMenu();
        break;
    case LVK_BES_NOTIFY:
        if (CWnd* pParent = GetParent())
            pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), LVK_BEN_BROWSE),
                                 reinterpret_cast<LPARAM>(m_hWnd));
        break;
    default:
        return;
    }
    if (::IsWindow(m_hWnd) && ::GetFocus() != m_hWnd)
    {
        SetSel(0, -1);
        SetFocus();
    }
}

void CLVKBrowseEdit::BrowseForFolder()
{
    m_bBrowsing = TRUE;
    CString strStart;
    GetWindowText(strStart);
    const DWORD dwAttributes = ::GetFileAttributesW(strStart);
    if ((dwAttributes == INVALID_FILE_ATTRIBUTES || !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY)) &&
        !m_strInitialDir.IsEmpty())
        strStart = m_strInitialDir;

    CLVKBrowseDialog dialog(nullptr);
    dialog.SetOwner(GetParent() ? GetParent()->GetSafeHwnd() : nullptr);
    dialog.SetTitle(m_strFolderTitle);
    dialog.SetPath(strStart);
    if (dialog.DoModal() == IDOK)
        SetWindowText(dialog.GetPath());
    m_bBrowsing = FALSE;
}

void CLVKBrowseEdit::BrowseForFile()
{
    m_bBrowsing = TRUE;
    if (m_pFileDialog)
    {
        if (m_pFileDialog->DoModal() == IDOK)
            SetWindowText(m_pFileDialog->GetPathName());
    }
    else
    {
        CFileDialog dialog(m_bOpenFileDialog, m_strDefExt, m_strFileName, m_dwFlags, m_strFilter, GetParent());
        if (!m_strInitialDir.IsEmpty())
            dialog.m_ofn.lpstrInitialDir = m_strInitialDir;
        if (dialog.DoModal() == IDOK)
            SetWindowText(dialog.GetPathName());
    }
    m_bBrowsing = FALSE;
}

void CLVKBrowseEdit::BrowsePopupMenu()
{
    if (m_bBrowsing)
        return;
    m_bBrowsing = TRUE;
    m_button.SetState(TRUE);
    CMenu menu;
    CLVKResourceManager* const pResources = CLVKResourceManager::GetGlobal();
    if (pResources && pResources->LoadMenu(&menu, m_nMenuId))
    {
        CMenu* const pPopup = menu.GetSubMenu(m_nSubMenuIndex);
        if (pPopup)
        {
            CRect rcButton;
            m_button.GetWindowRect(&rcButton);
            // The commands go to the first ancestor that is not a child.
            HWND hOwner = m_hWnd;
            while (hOwner && (::GetWindowLongW(hOwner, GWL_STYLE) & WS_CHILD))
                hOwner = ::GetParent(hOwner);
            LVKTrackPopupMenu(pPopup, TPM_VERTICAL, rcButton.right, rcButton.top,
                              CWnd::FromHandle(hOwner ? hOwner : m_hWnd), 0, TRUE);
        }
        menu.DestroyMenu();
    }
    if (m_button.GetSafeHwnd())
        m_button.SetState(FALSE);
    m_bBrowsing = FALSE;
}

void CLVKBrowseEdit::OnEnable(BOOL bEnable)
{
    CLVKEdit::OnEnable(bEnable);
    if (m_button.GetSafeHwnd())
        m_button.EnableWindow(bEnable);
    Invalidate(TRUE);
}

void CLVKBrowseEdit::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CLVKEdit::OnShowWindow(bShow, nStatus);
    if (m_button.GetSafeHwnd())
        m_button.ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void CLVKBrowseEdit::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CLVKEdit::OnWindowPosChanged(lpwndpos);
    PositionBrowseButton();
}
