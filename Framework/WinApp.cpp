#include "WinApp.h"
#include "ModuleState.h"
#include "Wnd.h"

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
END_MESSAGE_MAP()

namespace
{
void FreeString(LPCTSTR& psz)
{
    free(const_cast<LPTSTR>(psz));
    psz = nullptr;
}

// The program's file name without folder and extension.
CString ExeBaseName(HINSTANCE hInstance)
{
    WCHAR szPath[MAX_PATH] = {};
    ::GetModuleFileNameW(hInstance, szPath, MAX_PATH);
    CString strName(::PathFindFileNameW(szPath));
    const int nDot = strName.ReverseFind(L'.');
    if (nDot > 0)
        strName = strName.Left(nDot);
    return strName;
}
}  // namespace

// ---- CCommandLineInfo ------------------------------------------------------------

void CCommandLineInfo::ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast)
{
    if (bFlag)
        ParseParamFlag(pszParam);
    else
        ParseParamNotFlag(pszParam);
    ParseLast(bLast);
}

void CCommandLineInfo::ParseParamFlag(const TCHAR* pszParam)
{
    if (lstrcmpiW(pszParam, L"pt") == 0)
    {
        m_nShellCommand = FilePrintTo;
    }
    else if (lstrcmpiW(pszParam, L"p") == 0)
    {
        m_nShellCommand = FilePrint;
    }
    else if (lstrcmpiW(pszParam, L"Register") == 0 || lstrcmpiW(pszParam, L"Regserver") == 0)
    {
        m_nShellCommand = AppRegister;
    }
    else if (lstrcmpiW(pszParam, L"RegisterPerUser") == 0 || lstrcmpiW(pszParam, L"RegserverPerUser") == 0)
    {
        m_nShellCommand = AppRegister;
        m_bRegisterPerUser = TRUE;
    }
    else if (lstrcmpiW(pszParam, L"Unregister") == 0 || lstrcmpiW(pszParam, L"Unregserver") == 0)
    {
        m_nShellCommand = AppUnregister;
    }
    else if (lstrcmpiW(pszParam, L"UnregisterPerUser") == 0 || lstrcmpiW(pszParam, L"UnregserverPerUser") == 0)
    {
        m_nShellCommand = AppUnregister;
        m_bRegisterPerUser = TRUE;
    }
    else if (lstrcmpiW(pszParam, L"dde") == 0)
    {
        m_nShellCommand = FileDDE;
    }
    else if (lstrcmpiW(pszParam, L"Embedding") == 0)
    {
        m_bRunEmbedded = TRUE;
        m_bShowSplash = FALSE;
    }
    else if (lstrcmpiW(pszParam, L"Automation") == 0)
    {
        m_bRunAutomated = TRUE;
        m_bShowSplash = FALSE;
    }
}

void CCommandLineInfo::ParseParamNotFlag(const TCHAR* pszParam)
{
    if (m_strFileName.IsEmpty())
        m_strFileName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPrinterName.IsEmpty())
        m_strPrinterName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strDriverName.IsEmpty())
        m_strDriverName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPortName.IsEmpty())
        m_strPortName = pszParam;
}

void CCommandLineInfo::ParseLast(BOOL bLast)
{
    if (!bLast)
        return;
    if (m_nShellCommand == FileNew && !m_strFileName.IsEmpty())
        m_nShellCommand = FileOpen;
    m_bShowSplash = !m_bRunEmbedded && !m_bRunAutomated;
}

// ---- CWinApp ----------------------------------------------------------------------

CWinApp::CWinApp(LPCTSTR lpszAppName)
{
    m_hInstance = ::GetModuleHandleW(NULL);
    m_nThreadID = ::GetCurrentThreadId();
    AfxGetModuleState()->m_pCurrentWinApp = this;
    AfxGetThreadState()->m_pCurrentWinThread = this;
    // The application object is not deleted when its thread ends.
    m_bAutoDelete = FALSE;

    if (lpszAppName)
    {
        SetAppName(lpszAppName);
    }
    else
    {
        CString strTitle;
        if (strTitle.LoadString(m_hInstance, AFX_IDS_APP_TITLE) && !strTitle.IsEmpty())
            SetAppName(strTitle);
        else
            SetAppName(ExeBaseName(m_hInstance));
    }
    m_pszExeName = _wcsdup(ExeBaseName(m_hInstance));
}

CWinApp::~CWinApp()
{
    AFX_MODULE_STATE* pModuleState = AfxGetModuleState();
    if (pModuleState->m_pCurrentWinApp == this)
    {
        pModuleState->m_pCurrentWinApp = nullptr;
        pModuleState->m_lpszCurrentAppName = nullptr;
    }
    FreeString(m_pszAppName);
    FreeString(m_pszExeName);
    FreeString(m_pszHelpFilePath);
    FreeString(m_pszProfileName);
    FreeString(m_pszRegistryKey);
}

void CWinApp::SetAppName(LPCTSTR lpszAppName)
{
    FreeString(m_pszAppName);
    m_pszAppName = _wcsdup(lpszAppName);
    AfxGetModuleState()->m_lpszCurrentAppName = m_pszAppName;
}

CWinApp* AFXAPI AfxGetApp()
{
    return AfxGetModuleState()->m_pCurrentWinApp;
}

BOOL CWinApp::InitApplication()
{
    return TRUE;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::Run()
{
    // Without a main window nothing would ever end the loop.
    if (!m_pMainWnd)
        ::PostQuitMessage(0);
    return CWinThread::Run();
}

int CWinApp::ExitInstance()
{
    return static_cast<int>(m_msgCur.wParam);
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    return CWinThread::OnIdle(lCount);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    // A stand-in program name, so the arguments follow the ordinary rules
    // rather than the rules for the first token.
    CString strLine(L"x ");
    if (m_lpCmdLine)
        strLine += m_lpCmdLine;
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(strLine, &argc);
    if (!argv)
        return;
    for (int i = 1; i < argc; ++i)
    {
        const TCHAR* pszParam = argv[i];
        BOOL bFlag = FALSE;
        if (pszParam[0] == L'-' || pszParam[0] == L'/')
        {
            bFlag = TRUE;
            ++pszParam;
        }
        rCmdInfo.ParseParam(pszParam, bFlag, i == argc - 1);
    }
    ::LocalFree(argv);
}

int PASCAL CWinApp::ShowMessageBox(LPCTSTR lpszPrompt, UINT nType, LPCTSTR lpszCaption, HWND hWndOwner)
{
    // Without an icon of its own a box gets the one for its buttons.
    if ((nType & MB_ICONMASK) == 0)
    {
        switch (nType & MB_TYPEMASK)
        {
        case MB_OK:
        case MB_OKCANCEL:
            nType |= MB_ICONEXCLAMATION;
            break;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            nType |= MB_ICONQUESTION;
            break;
        default:
            break;
        }
    }
    if (!hWndOwner)
        hWndOwner = ::GetActiveWindow();
    return ::MessageBoxW(hWndOwner, lpszPrompt, lpszCaption, nType);
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
    CWnd* pOwner = CWnd::GetSafeOwner(nullptr, nullptr);
    return ShowMessageBox(lpszPrompt, nType, m_pszAppName ? m_pszAppName : L"", pOwner->GetSafeHwnd());
}

HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const
{
    return ::LoadIconW(AfxGetResourceHandle(), lpszResourceName);
}
HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return LoadIcon(MAKEINTRESOURCEW(nIDResource));
}
HICON CWinApp::LoadStandardIcon(LPCTSTR lpszIconName) const
{
    return ::LoadIconW(NULL, lpszIconName);
}
HICON CWinApp::LoadOEMIcon(UINT nIDIcon) const
{
    return ::LoadIconW(NULL, MAKEINTRESOURCEW(nIDIcon));
}
HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const
{
    return ::LoadCursorW(AfxGetResourceHandle(), lpszResourceName);
}
HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    return LoadCursor(MAKEINTRESOURCEW(nIDResource));
}
HCURSOR CWinApp::LoadStandardCursor(LPCTSTR lpszCursorName) const
{
    return ::LoadCursorW(NULL, lpszCursorName);
}

// ---- the settings store ----------------------------------------------------------------------

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    FreeString(m_pszRegistryKey);
    m_pszRegistryKey = _wcsdup(lpszRegistryKey);
    FreeString(m_pszProfileName);
    m_pszProfileName = _wcsdup(m_pszAppName ? m_pszAppName : L"");
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString strKey;
    if (strKey.LoadString(nIDRegistryKey))
        SetRegistryKey(strKey);
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (!m_pszRegistryKey || !m_pszProfileName)
        return NULL;
    HKEY hSoftKey = NULL;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_WRITE | KEY_READ, &hSoftKey) != ERROR_SUCCESS)
        return NULL;
    HKEY hCompanyKey = NULL;
    HKEY hAppKey = NULL;
    DWORD dw = 0;
    if (::RegCreateKeyExW(hSoftKey, m_pszRegistryKey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ, NULL,
                          &hCompanyKey, &dw) == ERROR_SUCCESS)
    {
        ::RegCreateKeyExW(hCompanyKey, m_pszProfileName, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ, NULL,
                          &hAppKey, &dw);
        ::RegCloseKey(hCompanyKey);
    }
    ::RegCloseKey(hSoftKey);
    return hAppKey;
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    return OpenSectionKey(lpszSection, TRUE);
}

HKEY CWinApp::OpenSectionKey(LPCTSTR lpszSection, BOOL bCreate, REGSAM samOpen)
{
    if (!m_pszRegistryKey || !m_pszProfileName || !lpszSection)
        return NULL;
    // Reading never creates keys; writing creates the whole path.
    CString strPath(L"Software\\");
    strPath += m_pszRegistryKey;
    strPath += L"\\";
    strPath += m_pszProfileName;
    strPath += L"\\";
    strPath += lpszSection;
    HKEY hKey = NULL;
    LONG lResult = ERROR_SUCCESS;
    if (bCreate)
    {
        DWORD dw = 0;
        lResult = ::RegCreateKeyExW(HKEY_CURRENT_USER, strPath, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ,
                                    NULL, &hKey, &dw);
    }
    else
    {
        lResult = ::RegOpenKeyExW(HKEY_CURRENT_USER, strPath, 0, samOpen, &hKey);
    }
    return lResult == ERROR_SUCCESS ? hKey : NULL;
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    if (!m_pszRegistryKey)
        return ::GetPrivateProfileIntW(lpszSection, lpszEntry, nDefault, m_pszProfileName);
    const HKEY hKey = OpenSectionKey(lpszSection, FALSE);
    if (!hKey)
        return static_cast<UINT>(nDefault);
    DWORD dwValue = 0;
    DWORD dwType = 0;
    DWORD dwCount = sizeof(dwValue);
    const LONG lResult =
        ::RegQueryValueExW(hKey, lpszEntry, NULL, &dwType, reinterpret_cast<LPBYTE>(&dwValue), &dwCount);
    ::RegCloseKey(hKey);
    // A value of another type is not a number: the default stands.
    if (lResult != ERROR_SUCCESS || dwType != REG_DWORD || dwCount != sizeof(dwValue))
        return static_cast<UINT>(nDefault);
    return dwValue;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    if (!m_pszRegistryKey)
    {
        WCHAR szT[16] = {};
        wsprintfW(szT, L"%d", nValue);
        return ::WritePrivateProfileStringW(lpszSection, lpszEntry, szT, m_pszProfileName);
    }
    const HKEY hKey = OpenSectionKey(lpszSection, TRUE);
    if (!hKey)
        return FALSE;
    const DWORD dwValue = static_cast<DWORD>(nValue);
    const LONG lResult =
        ::RegSetValueExW(hKey, lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), sizeof(dwValue));
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    const CString strDefault(lpszDefault ? lpszDefault : L"");
    if (!m_pszRegistryKey)
    {
        WCHAR szT[4096] = {};
        ::GetPrivateProfileStringW(lpszSection, lpszEntry, strDefault, szT, _countof(szT), m_pszProfileName);
        return CString(szT);
    }
    const HKEY hKey = OpenSectionKey(lpszSection, FALSE);
    if (!hKey)
        return strDefault;
    DWORD dwType = 0;
    DWORD dwCount = 0;
    LONG lResult = ::RegQueryValueExW(hKey, lpszEntry, NULL, &dwType, NULL, &dwCount);
    CString strValue;
    if (lResult == ERROR_SUCCESS && (dwType == REG_SZ || dwType == REG_EXPAND_SZ))
    {
        // The stored text may lack its terminating zero: read into a buffer
        // one character longer than the data and cut at the data's length.
        const int nChars = static_cast<int>(dwCount / sizeof(WCHAR));
        LPWSTR pBuf = strValue.GetBuffer(nChars + 1);
        pBuf[nChars] = L'\0';
        lResult = ::RegQueryValueExW(hKey, lpszEntry, NULL, &dwType, reinterpret_cast<LPBYTE>(pBuf), &dwCount);
        pBuf[lResult == ERROR_SUCCESS ? static_cast<int>(dwCount / sizeof(WCHAR)) : 0] = L'\0';
        strValue.ReleaseBuffer();
    }
    else
    {
        lResult = ERROR_INVALID_DATA;
    }
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS ? strValue : strDefault;
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (!m_pszRegistryKey)
        return ::WritePrivateProfileStringW(lpszSection, lpszEntry, lpszValue, m_pszProfileName);

    if (!lpszEntry)
    {
        // Delete the whole section.
        const HKEY hAppKey = GetAppRegistryKey();
        if (!hAppKey)
            return FALSE;
        const LONG lResult = ::SHDeleteKeyW(hAppKey, lpszSection);
        ::RegCloseKey(hAppKey);
        return lResult == ERROR_SUCCESS;
    }
    if (!lpszValue)
    {
        const HKEY hKey = OpenSectionKey(lpszSection, FALSE, KEY_READ | KEY_WRITE);
        if (!hKey)
            return TRUE;  // nothing there to delete
        const LONG lResult = ::RegDeleteValueW(hKey, lpszEntry);
        ::RegCloseKey(hKey);
        return lResult == ERROR_SUCCESS || lResult == ERROR_FILE_NOT_FOUND;
    }
    const HKEY hKey = OpenSectionKey(lpszSection, TRUE);
    if (!hKey)
        return FALSE;
    const DWORD cb = static_cast<DWORD>((lstrlenW(lpszValue) + 1) * sizeof(WCHAR));
    const LONG lResult = ::RegSetValueExW(hKey, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue), cb);
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    if (!ppData || !pBytes)
        return FALSE;
    *ppData = nullptr;
    *pBytes = 0;
    if (!m_pszRegistryKey)
    {
        // In an INI file binary data is stored as letters 'A'..'P', one per nibble.
        const CString str = GetProfileString(lpszSection, lpszEntry, NULL);
        const int nLen = str.GetLength();
        if (nLen == 0 || (nLen % 2) != 0)
            return FALSE;
        *pBytes = static_cast<UINT>(nLen / 2);
        *ppData = new BYTE[*pBytes];
        for (int i = 0; i < nLen; i += 2)
            (*ppData)[i / 2] = static_cast<BYTE>(((str[i + 1] - L'A') << 4) + (str[i] - L'A'));
        return TRUE;
    }
    const HKEY hKey = OpenSectionKey(lpszSection, FALSE);
    if (!hKey)
        return FALSE;
    DWORD dwType = 0;
    DWORD dwCount = 0;
    LONG lResult = ::RegQueryValueExW(hKey, lpszEntry, NULL, &dwType, NULL, &dwCount);
    if (lResult == ERROR_SUCCESS && dwType == REG_BINARY)
    {
        *ppData = new BYTE[dwCount ? dwCount : 1];
        lResult = ::RegQueryValueExW(hKey, lpszEntry, NULL, &dwType, *ppData, &dwCount);
        *pBytes = dwCount;
    }
    else
    {
        lResult = ERROR_INVALID_DATA;
    }
    ::RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS)
    {
        delete[] * ppData;
        *ppData = nullptr;
        *pBytes = 0;
        return FALSE;
    }
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (!m_pszRegistryKey)
    {
        CString str;
        for (UINT i = 0; i < nBytes; ++i)
        {
            str += static_cast<wchar_t>(L'A' + (pData[i] & 0x0F));
            str += static_cast<wchar_t>(L'A' + ((pData[i] >> 4) & 0x0F));
        }
        return WriteProfileString(lpszSection, lpszEntry, str);
    }
    const HKEY hKey = OpenSectionKey(lpszSection, TRUE);
    if (!hKey)
        return FALSE;
    const LONG lResult = ::RegSetValueExW(hKey, lpszEntry, 0, REG_BINARY, pData, nBytes);
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

// ---- the entry point ----------------------------------------------------------------------------

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPTSTR lpCmdLine, int nCmdShow)
{
    AfxSetInstanceHandle(hInstance);
    CWinApp* pApp = AfxGetApp();
    if (pApp)
    {
        pApp->m_hInstance = hInstance;
        pApp->m_lpCmdLine = lpCmdLine;
        pApp->m_nCmdShow = nCmdShow;
        if (!pApp->m_pszProfileName)
        {
            CString strIni = ExeBaseName(hInstance) + L".INI";
            pApp->m_pszProfileName = _wcsdup(strIni);
        }
        AfxGetModuleState()->m_lpszCurrentAppName = pApp->m_pszAppName;
    }
    return TRUE;
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return -1;  // a program on this entry point needs its application object
    int nReturnCode = -1;
    try
    {
        if (!AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow) || !pApp->InitApplication())
            return -1;
        if (!pApp->InitInstance())
        {
            // Nothing to run: the exit step's result is the process's.
            if (pApp->m_pMainWnd)
                pApp->m_pMainWnd->DestroyWindow();
            nReturnCode = pApp->ExitInstance();
        }
        else
        {
            nReturnCode = pApp->Run();
        }
    }
    catch (CException* e)
    {
        e->ReportError();
        e->Delete();
        nReturnCode = -1;
    }
    AfxDeleteTempMaps();
    return nReturnCode;
}

// The program's entry point. It lives with CWinApp so that linking the
// application object brings it along from the static library, where the
// start-up code's later reference alone would not find it.
extern "C" int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
