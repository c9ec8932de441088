// The resource manager of a language file: an XML document with the
// translated strings, menus and dialog templates of the program, found by the
// same ids as the program's own resources. What the file lacks comes from the
// program's resources, as the plain manager loads them.
//
// The file's root element is "resource"; its children "string", "menu" and
// "dialog" are found by their "id" attribute. With CompactMode="1" on the
// root every value is an attribute, otherwise the text of a child element.
//
// The file's strings are read into the manager's own table when the file is
// loaded: string lookups never touch the XML document, so any thread may
// load strings (the document belongs to the loading thread's apartment).
#pragma once

#include "Foundation/ResourceManager.h"

#include <memory>
#include <unordered_map>
#include <vector>

class CLVKPropExchange;
class CLVKPropExchangeXMLNode;

class CLVKResourceManagerXML : public CLVKResourceManager
{
public:
    // One menu item read from the file.
    struct MENUITEMTEMPLATEINFO
    {
        WORD wOptions = 0;  // MF_POPUP, MF_END, MF_SEPARATOR
        WORD wID = 0;
        CString strCaption;
    };

    // One dialog control read from the file.
    struct DLGITEMTEMPLATEINFO
    {
        DWORD dwHelpID = 0;
        DWORD dwExStyle = 0;
        DWORD dwStyle = 0;
        short x = 0;
        short y = 0;
        short cx = 0;
        short cy = 0;
        DWORD dwID = 0;
        CString strCaption;
        CString strClassName;
        // Not 0: the control's title is this ordinal instead of the caption.
        DWORD nResourceID = 0;
    };

    // A dialog read from the file: the extended template header's fields,
    // its texts and its controls.
    struct DLGTEMPLATEINFO
    {
        WORD wDlgVer = 1;
        WORD wSignature = 0xFFFF;
        DWORD dwHelpID = 0;
        DWORD dwExStyle = 0;
        DWORD dwStyle = 0;
        WORD cDlgItems = 0;
        short x = 0;
        short y = 0;
        short cx = 0;
        short cy = 0;
        CString strCaption;
        CString strFaceName;
        WORD wFontSize = 8;
        std::vector<DLGITEMTEMPLATEINFO> controls;
    };

    // Loads the file and reads its strings; IsValid() tells whether it loaded
    // with a "resource" root.
    explicit CLVKResourceManagerXML(LPCTSTR lpszPath);
    ~CLVKResourceManagerXML() override;

    // Safe on any thread: reads only the table made at load time.
    BOOL LoadString(CString* pString, UINT nID) override;
    BOOL LoadMenu(CMenu* pMenu, UINT nIDResource) override;
    // The template stays owned by the manager until Close.
    LPCDLGTEMPLATE LoadDialogTemplate(UINT nIDTemplate) override;
    void Close() override;
    void UpdateLanguage() override;

    // The header's exact size rounded up to 4 bytes.
    static size_t AFX_CDECL GetTemplateHeaderSize(const DLGTEMPLATEINFO& info);
    // One control's size, rounded up to 4 bytes.
    static size_t AFX_CDECL GetTemplateItemSize(const DLGITEMTEMPLATEINFO& item);
    // Writes the template into a zeroed block of the header's and the
    // controls' sizes.
    static void AFX_CDECL LayoutDialogTemplate(const DLGTEMPLATEINFO& info, BYTE* pBlock);

    // Limits that keep a damaged or hostile file from building unbounded
    // menus or templates; beyond them the program's own resource is used.
    static const DWORD kMaxMenuItems = 4096;
    static const int kMaxMenuDepth = 32;
    static const DWORD kMaxDialogControls = 1024;
    static const size_t kMaxTemplateBytes = 4 * 1024 * 1024;

protected:
    // Appends the "menuitem" children of the section (and theirs, after
    // their popup) to the list; FALSE when the file breaks the limits.
    BOOL ReadMenuItems(CLVKPropExchange* pPX, std::vector<MENUITEMTEMPLATEINFO>& items, int nDepth);
    // The menu of a "menu" section; null when it has no items.
    HMENU BuildMenu(CLVKPropExchange* pPX);
    // The template of a "dialog" section in one block from calloc; null on
    // failure. The caller frees it.
    LPDLGTEMPLATE BuildDialogTemplate(CLVKPropExchange* pPX);

private:
    // The root's child element of that kind and id, or null when there is none.
    CLVKPropExchange* OpenEntry(LPCTSTR lpszElement, UINT nID);
    void FreeTemplates();
    // Fills the string table from the file's "string" entries.
    void ReadStrings();

    // A "string" entry; one without "value" is found and leaves the caller's text alone.
    struct STRINGENTRY
    {
        BOOL bHasValue = FALSE;
        CString strValue;
    };

    CLVKPropExchangeXMLNode* m_pRoot = nullptr;
    // Made once by the constructor and then only read (until Close).
    std::unordered_map<UINT, STRINGENTRY> m_strings;
    std::unordered_map<UINT, LPDLGTEMPLATE> m_templateCache;
};
