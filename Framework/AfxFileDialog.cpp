#include "AfxFileDialog.h"

#include <cwchar>

IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog)
{
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLESIZING;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = _countof(m_szFileName);
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = _countof(m_szFileTitle);
    if (lpszDefExt)
    {
        m_strDefExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    if (lpszFileName)
        wcsncpy(m_szFileName, lpszFileName, _countof(m_szFileName) - 1);
    if (lpszFilter)
    {
        // The string keeps its embedded zeros: write them into the buffer.
        m_strFilter = lpszFilter;
        LPWSTR pch = m_strFilter.GetBuffer();
        for (; *pch; ++pch)
        {
            if (*pch == L'|')
                *pch = L'\0';
        }
        m_strFilter.ReleaseBuffer(static_cast<int>(pch - static_cast<LPCWSTR>(m_strFilter)));
        m_ofn.lpstrFilter = m_strFilter;
    }
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.hwndOwner = CWnd::GetSafeOwner(m_pParentWnd)->GetSafeHwnd();
    m_ofn.hInstance = AfxGetInstanceHandle();
    const BOOL bResult = m_bOpenFileDialog ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
    return bResult ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const
{
    return CString(m_ofn.lpstrFile);
}

CString CFileDialog::GetFileName() const
{
    const LPCWSTR pszSlash = wcsrchr(m_ofn.lpstrFile, L'\\');
    return CString(pszSlash ? pszSlash + 1 : m_ofn.lpstrFile);
}

CString CFileDialog::GetFileExt() const
{
    const CString strName = GetFileName();
    const int nDot = strName.ReverseFind(L'.');
    return nDot < 0 ? CString() : strName.Mid(nDot + 1);
}

CString CFileDialog::GetFolderPath() const
{
    const CString strPath = GetPathName();
    const int nSlash = strPath.ReverseFind(L'\\');
    return nSlash < 0 ? CString() : strPath.Left(nSlash);
}
