// CWinApp: the one application object. It is a static object built before
// the entry point; AfxWinMain runs its InitInstance, Run and ExitInstance.
#pragma once

#include "AfxBase.h"
#include "WinThread.h"
#include "String.h"

// What CWinApp::ParseCommandLine found on the command line. Applications
// derive from it and override ParseParam.
class CCommandLineInfo : public CObject
{
public:
    CCommandLineInfo() = default;
    ~CCommandLineInfo() override = default;

    // Called once per token after the program name, in order. A switch
    // ("/x" or "-x") arrives without its first character and with bFlag set.
    virtual void ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    BOOL m_bRegisterPerUser = FALSE;
    enum
    {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDDE,
        AppRegister,
        AppUnregister,
        FileNothing = -1
    } m_nShellCommand = FileNew;

    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

protected:
    void ParseParamFlag(const TCHAR* pszParam);
    void ParseParamNotFlag(const TCHAR* pszParam);
    void ParseLast(BOOL bLast);
};

class CWinApp : public CWinThread
{
    DECLARE_DYNAMIC(CWinApp)
public:
    // Without a name, the string resource AFX_IDS_APP_TITLE (0xE000) or the
    // program's file name without extension is used.
    explicit CWinApp(LPCTSTR lpszAppName = NULL);
    ~CWinApp() override;

    // Heap strings (malloc); an application may replace them with _wcsdup copies.
    LPCTSTR m_pszAppName = nullptr;
    LPCTSTR m_pszExeName = nullptr;
    LPCTSTR m_pszHelpFilePath = nullptr;
    LPCTSTR m_pszProfileName = nullptr;  // the INI file, or the key below the company key
    LPCTSTR m_pszRegistryKey = nullptr;  // set by SetRegistryKey: settings live in the registry
    HINSTANCE m_hInstance = NULL;
    LPTSTR m_lpCmdLine = nullptr;  // the command line after the program name
    int m_nCmdShow = SW_SHOWNORMAL;

    virtual BOOL InitApplication();
    BOOL InitInstance() override;
    int Run() override;
    int ExitInstance() override;
    BOOL OnIdle(LONG lCount) override;

    // Splits m_lpCmdLine by the platform's quoting rules (CommandLineToArgvW)
    // and hands every token to rCmdInfo.ParseParam.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);

    // Message boxes of AfxMessageBox: owned by the main window's active
    // pop-up, titled with the application's name.
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);
    static int PASCAL ShowMessageBox(LPCTSTR lpszPrompt, UINT nType, LPCTSTR lpszCaption, HWND hWndOwner = NULL);

    HICON LoadIcon(LPCTSTR lpszResourceName) const;
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const;
    HICON LoadOEMIcon(UINT nIDIcon) const;
    HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const;

    // The settings store: HKCU\Software\<key>\<application name>\<section>
    // after SetRegistryKey, else the sections of the profile INI file.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCTSTR lpszSection);
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = NULL);
    // A NULL entry deletes the section; a NULL value deletes the entry.
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // *ppData is allocated with new[]; the caller deletes it.
    BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);

protected:
    DECLARE_MESSAGE_MAP()

private:
    HKEY OpenSectionKey(LPCTSTR lpszSection, BOOL bCreate, REGSAM samOpen = KEY_READ);
    void SetAppName(LPCTSTR lpszAppName);

    friend BOOL AFXAPI AfxWinInit(HINSTANCE, HINSTANCE, LPTSTR, int);
};

CWinApp* AFXAPI AfxGetApp();

// The framework's entry: the program's wWinMain calls this.
int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);

#define AFX_IDS_APP_TITLE 0xE000
