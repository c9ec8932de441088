// The process-wide loader of every text, menu, dialog template, bitmap,
// cursor, icon and HTML page the toolkit and the program show. The plain
// manager loads from the program's resources; a derived manager (the language
// file's) overrides the loaders it serves and falls back to these for the
// rest. The program switches languages by installing a new manager as a whole.
// The manager also carries the current language, which decides the code page
// of 8-bit text and the right-to-left reading of message boxes.
#pragma once

#include "Framework.h"
#include "LanguageInfo.h"

class CLVKResourceManager
{
public:
    // The current manager, made on first use (the toolkit's application makes
    // it at start, before any worker thread). Fetch it anew after a language
    // change: the previous one is deleted. String lookups through it are safe
    // on any thread.
    static CLVKResourceManager* AFX_CDECL GetGlobal();

    // Installs pManager as the current manager and deletes the previous one.
    // A null manager does nothing; an invalid one is deleted and the current
    // one kept. Returns whether pManager was installed.
    static BOOL AFX_CDECL ReplaceGlobalManager(CLVKResourceManager* pManager);

    CLVKResourceManager();
    virtual ~CLVKResourceManager();

    // The loaders. None throws; each answers FALSE, null or empty text when
    // the resource is missing.
    virtual CString LoadStringValue(UINT nID, BOOL* pbNotFound = nullptr);
    virtual BOOL LoadString(CString* pString, UINT nID);
    virtual BOOL LoadMenu(CMenu* pMenu, UINT nIDResource);
    virtual BOOL LoadBitmap(CBitmap* pBitmap, LPCTSTR lpszResourceName);
    virtual BOOL LoadBitmapById(CBitmap* pBitmap, UINT nIDResource);
    virtual HCURSOR LoadCursor(UINT nIDResource);
    virtual LPCDLGTEMPLATE LoadDialogTemplate(UINT nIDTemplate);
    virtual HGLOBAL LoadDialogResource(LPCTSTR lpszResourceName);
    virtual BOOL LoadHTML(CString* pText, LPCTSTR lpszResourceName);
    virtual BOOL LoadHTMLById(CString* pText, UINT nIDResource);
    virtual HICON LoadIconById(UINT nIDResource, int cx, int cy);
    virtual HICON LoadIcon(LPCTSTR lpszResourceName, int cx, int cy);
    virtual HICON CreateIconFromResource(HMODULE hModule, LPCTSTR lpszGroupName, int cx, int cy);
    // Frees a separately loaded resource library.
    virtual void Close();
    virtual LANGID GetLanguage() const;
    // Takes the language from the resources the manager serves.
    virtual void UpdateLanguage();

    // FALSE for a manager whose source failed to load.
    BOOL IsValid() const { return m_bValid; }

    // A message box read right to left under Hebrew and Arabic.
    int ShowMessageBox(LPCTSTR lpszText, UINT nType = MB_OK);
    // The flags ShowMessageBox passes on for nType.
    UINT GetMessageBoxType(UINT nType) const;

    // The charset for the toolkit's fonts.
    BYTE GetFontCharset() const;

    // The text of a menu item (by id or position, MF_BYCOMMAND or
    // MF_BYPOSITION) and its length; 0 and empty text when there is none.
    static int AFX_CDECL GetMenuItemText(CMenu* pMenu, UINT nIDItem, CString& strText, UINT nFlags);

    // The language's table record, or English (United States) when the
    // table lacks the language.
    void SetLanguage(LANGID wLanguage);
    const LVK_LANGUAGE_INFO* GetLanguageInfo() const { return m_pLanguageInfo; }
    UINT GetCodePage() const { return m_pLanguageInfo->nCodePage; }

    // Reads one string-table entry straight from the module's resources;
    // returns its length, 0 (and empty text) when missing or empty.
    static int AFX_CDECL LoadStringFromModule(HMODULE hModule, UINT nID, CString& strText);

    // Searches the toolkit resource module, then the program's resources.
    static HRSRC AFX_CDECL FindResourceInModules(HMODULE& hModule, LPCTSTR lpszName, LPCTSTR lpszType);

    // A module searched before the program's resources; none by default.
    static HMODULE AFX_CDECL GetToolkitResourceHandle();
    static void AFX_CDECL SetToolkitResourceHandle(HMODULE hModule);

    CLVKResourceManager(const CLVKResourceManager&) = delete;
    CLVKResourceManager& operator=(const CLVKResourceManager&) = delete;

protected:
    BOOL m_bValid = TRUE;
    HMODULE m_hResourceModule = nullptr;
    const LVK_LANGUAGE_INFO* m_pLanguageInfo = nullptr;
    BOOL m_bUseLanguageCharset = FALSE;
    BYTE m_nSystemFontCharset = DEFAULT_CHARSET;
};

// A new plain manager (the program's built-in texts).
CLVKResourceManager* AFX_CDECL CreatePlainResourceManager();
