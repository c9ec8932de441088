// CLVKBrowseEdit: a themed edit with a browse button at its right end that
// opens the folder browser, a file dialog or a drop-down menu, or lets the
// parent browse; the result lands in the edit.
#pragma once

#include "AfxFileDialog.h"
#include "Controls/BrowseButton.h"
#include "Controls/Edit.h"

// Browse styles (only the bits 0x17 count).
#define LVK_BES_FOLDER 0x01
#define LVK_BES_FILE 0x02
#define LVK_BES_POPUPMENU 0x04
#define LVK_BES_NOTIFY 0x10
// The notification code of LVK_BES_NOTIFY in WM_COMMAND to the parent.
#define LVK_BEN_BROWSE 0x2743

class CLVKBrowseEdit : public CLVKEdit
{
    DECLARE_DYNAMIC(CLVKBrowseEdit)
public:
    static const UINT kButtonId = 9224;

    CLVKBrowseEdit();
    ~CLVKBrowseEdit() override;

    virtual void SetFileDialog(CFileDialog* pFileDialog) { m_pFileDialog = pFileDialog; }
    virtual void SetOpenFileDialog(BOOL bOpen) { m_bOpenFileDialog = bOpen; }
    virtual void SetFileDialogFlags(DWORD dwFlags) { m_dwFlags = dwFlags; }
    BOOL Initialize(CWnd* pParent) override;
    virtual BOOL Initialize(CWnd* pParent, DWORD dwBrowseStyle, UINT nMenuId = 0, int nSubMenuIndex = 0);
    virtual void OnBrowse();
    virtual void BrowseForFolder();
    virtual void BrowseForFile();
    virtual void BrowsePopupMenu();
    virtual void PositionBrowseButton();

    // The button's width, the same for every browse edit of the process.
    static int AFX_CDECL GetButtonWidth();

    CLVKBrowseButton& GetBrowseButton() { return m_button; }
    BOOL IsBrowsing() const { return m_bBrowsing; }

    int m_nGap = -2;
    CString m_strDefExt;
    CString m_strFileName;
    CString m_strFilter;
    CString m_strInitialDir;
    CString m_strFolderTitle;

protected:
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bBrowsing = FALSE;
    BOOL m_bOpenFileDialog = TRUE;
    UINT m_nMenuId = 0;
    int m_nSubMenuIndex = 0;
    DWORD m_dwFlags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    DWORD m_dwBrowseStyle = LVK_BES_FOLDER;
    CFileDialog* m_pFileDialog = nullptr;
    CLVKBrowseButton m_button;
};
