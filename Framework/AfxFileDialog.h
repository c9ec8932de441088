// CFileDialog: the platform's open and save dialogs (GetOpenFileName and
// GetSaveFileName) with the chosen path kept in the object.
#pragma once

#include "AfxCommonDialog.h"

#include <commdlg.h>

class CFileDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFileDialog)
public:
    // lpszFilter uses '|' between the parts and ends with "||".
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = NULL, LPCTSTR lpszFileName = NULL,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = NULL,
                         CWnd* pParentWnd = NULL);

    // IDOK when a file was chosen, IDCANCEL otherwise (also on an error, whose
    // code CommDlgExtendedError then gives).
    INT_PTR DoModal() override;

    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFolderPath() const;
    BOOL IsOpenDialog() const { return m_bOpenFileDialog; }

    OPENFILENAMEW m_ofn{};

private:
    BOOL m_bOpenFileDialog;
    CString m_strDefExt;
    CString m_strFilter;  // '|' replaced by the zeros the platform wants
    CString m_strTitle;
    WCHAR m_szFileName[MAX_PATH * 4] = {};
    WCHAR m_szFileTitle[MAX_PATH] = {};
};
