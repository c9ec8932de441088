// CLVKBrowseDialog: the platform's folder browser (SHBrowseForFolder) run
// as a modal dialog, with the chosen folder in a MAX_PATH buffer.
#pragma once

#include "AfxCommonDialog.h"

#include <shlobj.h>

class CLVKBrowseDialog : public CCommonDialog
{
public:
    explicit CLVKBrowseDialog(CWnd* pParentWnd = nullptr);

    // IDOK with the folder in GetPath, else IDCANCEL.
    INT_PTR DoModal() override;

    // The start folder; longer paths are cut to the buffer.
    void SetPath(LPCWSTR lpszPath);
    LPCWSTR GetPath() const { return m_szPath; }
    void SetTitle(LPCWSTR lpszTitle);
    void SetOwner(HWND hWndOwner) { m_bi.hwndOwner = hWndOwner; }
    void SetFlags(UINT nFlags) { m_bi.ulFlags = nFlags; }
    UINT GetFlags() const { return m_bi.ulFlags; }

    // Copies at most the buffer's length less one character and always ends
    // the text; with bComputerName the two backslashes of a network name
    // come first.
    static void CopyPath(LPWSTR lpszBuffer, size_t nBufferLength, LPCWSTR lpszSource, BOOL bComputerName = FALSE);

private:
    static int CALLBACK BrowseCallback(HWND hWnd, UINT message, LPARAM lParam, LPARAM lpData);

    WCHAR m_szPath[MAX_PATH] = {};
    BROWSEINFOW m_bi{};
    CString m_strTitle;
};
