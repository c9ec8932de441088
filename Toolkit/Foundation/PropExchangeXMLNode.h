// Property exchange over an XML document through the system's XML DOM: a
// section is an element (found by name or by an XPath relative to its
// parent), a value an attribute of it (compact mode) or the text of a child
// element. Used to read language files; the document is never saved.
#pragma once

#include "Foundation/PropExchange.h"
#include "Foundation/PropExchangeEnumerator.h"

#include <msxml2.h>

class CLVKPropExchangeXMLNode : public CLVKPropExchange
{
    DECLARE_DYNAMIC(CLVKPropExchangeXMLNode)

public:
    // Files larger than this are not handed to the parser.
    static const DWORD kMaxDocumentBytes = 32 * 1024 * 1024;

    // A null parent makes a root exchange, which creates its document when
    // it is first used.
    CLVKPropExchangeXMLNode(BOOL bLoading, IXMLDOMNode* pParentNode, LPCTSTR pszSection);
    ~CLVKPropExchangeXMLNode() override;

    BOOL LoadFromFile(LPCTSTR pszPath);
    // The same from XML text held in memory.
    BOOL LoadFromText(LPCWSTR pszXml);
    BOOL CreateDocument();
    // The whole document as XML text; FALSE without a document.
    BOOL GetDocumentXml(CString& strXml) const;

    BOOL IsValueExists(LPCTSTR pszName);
    BOOL IsSectionExists(LPCTSTR pszPath);
    BOOL IsCompactMode() const { return m_bCompactMode; }

    BOOL ExchangeValue(LPCTSTR pszKey, int nType, void* pValue, const void* pDefault) override;
    CLVKPropExchange* OpenSection(LPCTSTR pszSection) override;
    void ClearSection() override;
    CLVKPropExchangeEnumerator* CreateEnumerator(LPCTSTR pszPrefix) override;
    BOOL CanSkipValues() override { return TRUE; }
    BOOL PrefersBinaryObjects() override { return FALSE; }
    BOOL PrepareExchange() override;

    // Walks the child elements matching the prefix in document order.
    class CXMLEnumerator : public CLVKPropExchangeEnumerator
    {
    public:
        CXMLEnumerator(CLVKPropExchangeXMLNode* pPX, LPCTSTR pszPrefix);
        ~CXMLEnumerator() override;

        DWORD_PTR StartWalk(DWORD nCount, BOOL bUseCountOperations = FALSE) override;
        CLVKPropExchange* NextSection(DWORD_PTR& pos) override;
        DWORD GetItemCount() override;

    private:
        IXMLDOMNodeList* m_pList = nullptr;
        IXMLDOMNode* m_pCurrent = nullptr;
    };

protected:
    BOOL BindSectionNode();
    // The value's attribute or element (a new reference); null when missing
    // and not to be created.
    IXMLDOMNode* GetEntryNode(LPCTSTR pszName, BOOL bCreate);
    void ReleaseAll();
    // Makes a loaded document the root's parent; forgets a failed one.
    BOOL OnDocumentLoaded(BOOL bLoaded);

    IXMLDOMDocument* m_pDocument = nullptr;
    IXMLDOMNode* m_pParentNode = nullptr;
    IXMLDOMNode* m_pNode = nullptr;
    CString m_strSection;
    CString m_strEncoding = L"UTF-8";
    BOOL m_bCompactMode = TRUE;
};

// Whether the system's XML DOM can be created.
BOOL AFX_CDECL IsXmlDomAvailable();
