#include "Controls/BrowseDialog.h"

#include "Foundation/ResourceManager.h"

#include <cwchar>

CLVKBrowseDialog::CLVKBrowseDialog(CWnd* pParentWnd) : CCommonDialog(pParentWnd)
{
    CLVKResourceManager* const pResources = CLVKResourceManager::GetGlobal();
    if (!pResources || !pResources->LoadString(&m_strTitle, 9342))
        m_strTitle = L"Select Directory:";
    m_bi.hwndOwner = pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr;
    m_bi.pidlRoot = nullptr;
    m_bi.pszDisplayName = m_szPath;
    m_bi.lpszTitle = m_strTitle;
    m_bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS | BIF_NEWDIALOGSTYLE;
    m_bi.lpfn = &CLVKBrowseDialog::BrowseCallback;
    m_bi.lParam = reinterpret_cast<LPARAM>(this);
}

void CLVKBrowseDialog::CopyPath(LPWSTR lpszBuffer, size_t nBufferLength, LPCWSTR lpszSource, BOOL bComputerName)
{
    if (!lpszBuffer || nBufferLength == 0)
        return;
    size_t nAt = 0;
    if (bComputerName)
    {
        for (; nAt < 2 && nAt + 1 < nBufferLength; ++nAt)
            lpszBuffer[nAt] = L'\\';
    }
    for (; lpszSource && *lpszSource && nAt + 1 < nBufferLength; ++lpszSource, ++nAt)
        lpszBuffer[nAt] = *lpszSource;
    lpszBuffer[nAt] = L'\0';
}

void CLVKBrowseDialog::SetPath(LPCWSTR lpszPath)
{
    CopyPath(m_szPath, _countof(m_szPath), lpszPath);
}

void CLVKBrowseDialog::SetTitle(LPCWSTR lpszTitle)
{
    m_strTitle = lpszTitle ? lpszTitle : L"";
    m_bi.lpszTitle = m_strTitle;
}

int CALLBACK CLVKBrowseDialog::BrowseCallback(HWND hWnd, UINT message, LPARAM lParam, LPARAM lpData)
{
    auto* const pThis = reinterpret_cast<CLVKBrowseDialog*>(lpData);
    if (message == BFFM_INITIALIZED)
    {
        WCHAR szStart[MAX_PATH] = {};
        if (pThis->m_szPath[0])
            CopyPath(szStart, _countof(szStart), pThis->m_szPath);
        else
            ::GetCurrentDirectoryW(_countof(szStart), szStart);
        ::SendMessageW(hWnd, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(szStart));
    }
    else if (message == BFFM_SELCHANGED && (pThis->m_bi.ulFlags & BIF_STATUSTEXT))
    {
        WCHAR szPath[MAX_PATH] = {};
        if (::SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam), szPath))
            ::SendMessageW(hWnd, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(szPath));
    }
    return 0;
}

INT_PTR CLVKBrowseDialog::DoModal()
{
    IMalloc* pMalloc = nullptr;
    if (FAILED(::SHGetMalloc(&pMalloc)) || !pMalloc)
        return IDCANCEL;
    // The browser writes the display name into the path buffer; keep the
    // start folder for the callback first.
    WCHAR szStart[MAX_PATH] = {};
    CopyPath(szStart, _countof(szStart), m_szPath);
    WCHAR szDisplayName[MAX_PATH] = {};
    m_bi.pszDisplayName = szDisplayName;
    CopyPath(m_szPath, _countof(m_szPath), szStart);

    INT_PTR nResult = IDCANCEL;
    const PIDLIST_ABSOLUTE pidl = ::SHBrowseForFolderW(&m_bi);
    m_bi.pszDisplayName = m_szPath;
    if (pidl)
    {
        WCHAR szPath[MAX_PATH] = {};
        if (::SHGetPathFromIDListW(pidl, szPath))
        {
            CopyPath(m_szPath, _countof(m_szPath), szPath);
            nResult = IDOK;
        }
        else if ((m_bi.ulFlags & BIF_BROWSEFORCOMPUTER) && szDisplayName[0])
        {
            CopyPath(m_szPath, _countof(m_szPath), szDisplayName, TRUE);
            nResult = IDOK;
        }
        pMalloc->Free(pidl);
    }
    pMalloc->Release();
    return nResult;
}
