#include "Foundation/PropExchangeXMLNode.h"

#include "Foundation/PropExchangeFunctions.h"

IMPLEMENT_DYNAMIC(CLVKPropExchangeXMLNode, CLVKPropExchange)

namespace
{

// "Msxml2.DOMDocument"
const CLSID kClsidDomDocument = {0x2933BF90, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
const IID kIidDomDocument = {0x2933BF81, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
const IID kIidDomDocument2 = {0x2933BF95, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
const IID kIidDomNode = {0x2933BF80, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

// In-process server and handler, local and remote server.
const DWORD kClassContext = 23;

template <class T>
void SafeRelease(T*& p)
{
    if (p)
    {
        p->Release();
        p = nullptr;
    }
}

// A BSTR for one call.
class CBstrArg
{
public:
    explicit CBstrArg(LPCWSTR psz) : m_bstr(::SysAllocString(psz ? psz : L"")) {}
    ~CBstrArg() { ::SysFreeString(m_bstr); }
    CBstrArg(const CBstrArg&) = delete;
    CBstrArg& operator=(const CBstrArg&) = delete;
    operator BSTR() const { return m_bstr; }

private:
    BSTR m_bstr;
};

void SetDocumentProperty(IXMLDOMDocument* pDocument, LPCWSTR pszName, VARIANT value)
{
    IXMLDOMDocument2* pDocument2 = nullptr;
    if (SUCCEEDED(pDocument->QueryInterface(kIidDomDocument2, reinterpret_cast<void**>(&pDocument2))) && pDocument2)
    {
        pDocument2->setProperty(CBstrArg(pszName), value);
        pDocument2->Release();
    }
}

HRESULT CreateDomDocument(IXMLDOMDocument** ppDocument)
{
    *ppDocument = nullptr;
    IUnknown* pUnknown = nullptr;
    HRESULT hr = ::CoCreateInstance(kClsidDomDocument, nullptr, kClassContext, IID_IUnknown,
                                    reinterpret_cast<void**>(&pUnknown));
    if (FAILED(hr) || !pUnknown)
        return FAILED(hr) ? hr : E_POINTER;
    hr = ::OleRun(pUnknown);
    if (SUCCEEDED(hr))
        hr = pUnknown->QueryInterface(kIidDomDocument, reinterpret_cast<void**>(ppDocument));
    pUnknown->Release();
    if (SUCCEEDED(hr) && !*ppDocument)
        hr = E_POINTER;
    return hr;
}

}  // namespace

BOOL AFX_CDECL IsXmlDomAvailable()
{
    IXMLDOMDocument* pDocument = nullptr;
    const HRESULT hr = CreateDomDocument(&pDocument);
    SafeRelease(pDocument);
    return SUCCEEDED(hr);
}

CLVKPropExchangeXMLNode::CLVKPropExchangeXMLNode(BOOL bLoading, IXMLDOMNode* pParentNode, LPCTSTR pszSection)
    : m_pParentNode(pParentNode), m_strSection(pszSection ? pszSection : L"")
{
    m_bLoading = bLoading;
    if (!m_pParentNode)
        return;
    m_pParentNode->AddRef();
    if (FAILED(m_pParentNode->QueryInterface(kIidDomDocument, reinterpret_cast<void**>(&m_pDocument))) || !m_pDocument)
    {
        m_pDocument = nullptr;
        m_pParentNode->get_ownerDocument(&m_pDocument);
    }
}

CLVKPropExchangeXMLNode::~CLVKPropExchangeXMLNode()
{
    ReleaseAll();
}

void CLVKPropExchangeXMLNode::ReleaseAll()
{
    SafeRelease(m_pNode);
    SafeRelease(m_pParentNode);
    SafeRelease(m_pDocument);
}

BOOL CLVKPropExchangeXMLNode::CreateDocument()
{
    if (m_pDocument)
        return TRUE;
    if (FAILED(CreateDomDocument(&m_pDocument)))
        return FALSE;
    m_pDocument->put_preserveWhiteSpace(VARIANT_TRUE);
    // Documents come from files anyone may edit: no external entities, no
    // document type definitions, no waiting on a download.
    m_pDocument->put_async(VARIANT_FALSE);
    m_pDocument->put_resolveExternals(VARIANT_FALSE);
    m_pDocument->put_validateOnParse(VARIANT_FALSE);
    VARIANT varTrue;
    ::VariantInit(&varTrue);
    varTrue.vt = VT_BOOL;
    varTrue.boolVal = VARIANT_TRUE;
    SetDocumentProperty(m_pDocument, L"ProhibitDTD", varTrue);
    VARIANT varXPath;
    ::VariantInit(&varXPath);
    varXPath.vt = VT_BSTR;
    varXPath.bstrVal = ::SysAllocString(L"XPath");
    SetDocumentProperty(m_pDocument, L"SelectionLanguage", varXPath);
    ::VariantClear(&varXPath);
    return TRUE;
}

BOOL CLVKPropExchangeXMLNode::LoadFromFile(LPCTSTR pszPath)
{
    if (!pszPath)
        return FALSE;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(pszPath, GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || data.nFileSizeHigh != 0 ||
        data.nFileSizeLow > kMaxDocumentBytes)
        return FALSE;
    if (!CreateDocument())
        return FALSE;
    VARIANT varPath;
    ::VariantInit(&varPath);
    varPath.vt = VT_BSTR;
    varPath.bstrVal = ::SysAllocString(pszPath);
    VARIANT_BOOL bSuccess = VARIANT_FALSE;
    const HRESULT hr = m_pDocument->load(varPath, &bSuccess);
    ::VariantClear(&varPath);
    return OnDocumentLoaded(SUCCEEDED(hr) && bSuccess == VARIANT_TRUE);
}

BOOL CLVKPropExchangeXMLNode::LoadFromText(LPCWSTR pszXml)
{
    if (!pszXml || wcslen(pszXml) > kMaxDocumentBytes || !CreateDocument())
        return FALSE;
    VARIANT_BOOL bSuccess = VARIANT_FALSE;
    const HRESULT hr = m_pDocument->loadXML(CBstrArg(pszXml), &bSuccess);
    return OnDocumentLoaded(SUCCEEDED(hr) && bSuccess == VARIANT_TRUE);
}

BOOL CLVKPropExchangeXMLNode::OnDocumentLoaded(BOOL bLoaded)
{
    SafeRelease(m_pNode);
    SafeRelease(m_pParentNode);
    m_bPrepared = FALSE;
    if (!bLoaded)
    {
        SafeRelease(m_pDocument);
        return FALSE;
    }
    m_pDocument->QueryInterface(kIidDomNode, reinterpret_cast<void**>(&m_pParentNode));
    return m_pParentNode != nullptr;
}

BOOL CLVKPropExchangeXMLNode::GetDocumentXml(CString& strXml) const
{
    if (!m_pDocument)
        return FALSE;
    BSTR bstr = nullptr;
    if (FAILED(m_pDocument->get_xml(&bstr)))
        return FALSE;
    strXml = bstr ? bstr : L"";
    ::SysFreeString(bstr);
    return TRUE;
}

BOOL CLVKPropExchangeXMLNode::BindSectionNode()
{
    SafeRelease(m_pNode);
    if (!m_pParentNode)
        return FALSE;
    IXMLDOMNode* pFound = nullptr;
    if (m_pParentNode->selectSingleNode(CBstrArg(m_strSection), &pFound) == S_OK && pFound)
    {
        m_pNode = pFound;
        return TRUE;
    }
    SafeRelease(pFound);
    if (!m_pDocument)
        return FALSE;
    IXMLDOMElement* pElement = nullptr;
    if (FAILED(m_pDocument->createElement(CBstrArg(m_strSection), &pElement)) || !pElement)
        return FALSE;
    IXMLDOMNode* pAppended = nullptr;
    const HRESULT hr = m_pParentNode->appendChild(pElement, &pAppended);
    pElement->Release();
    if (FAILED(hr) || !pAppended)
    {
        SafeRelease(pAppended);
        return FALSE;
    }
    m_pNode = pAppended;
    return TRUE;
}

BOOL CLVKPropExchangeXMLNode::PrepareExchange()
{
    if (m_bPrepared)
        return m_pDocument && m_pParentNode && m_pNode;
    m_bPrepared = TRUE;
    if (!m_pDocument && !m_bChildExchange && !m_pParentNode)
    {
        if (CreateDocument())
            m_pDocument->QueryInterface(kIidDomNode, reinterpret_cast<void**>(&m_pParentNode));
    }
    if (!m_pDocument || !m_pParentNode)
        return FALSE;
    BindSectionNode();
    if (!m_bChildExchange && m_pNode)
    {
        // Still in compact mode here, so the flag is the root's attribute.
        BOOL bCompact = m_bLoading ? FALSE : m_bCompactMode;
        ExchangeBool(this, L"CompactMode", bCompact, FALSE);
        m_bCompactMode = bCompact;
    }
    return m_pDocument && m_pParentNode && m_pNode;
}

IXMLDOMNode* CLVKPropExchangeXMLNode::GetEntryNode(LPCTSTR pszName, BOOL bCreate)
{
    if (!m_pNode)
        return nullptr;
    if (!pszName || !*pszName)
    {
        m_pNode->AddRef();
        return m_pNode;
    }
    IXMLDOMNode* pEntry = nullptr;
    if (m_bCompactMode)
    {
        IXMLDOMNamedNodeMap* pAttributes = nullptr;
        if (FAILED(m_pNode->get_attributes(&pAttributes)) || !pAttributes)
            return nullptr;
        if (pAttributes->getNamedItem(CBstrArg(pszName), &pEntry) != S_OK)
            SafeRelease(pEntry);
        if (!pEntry && bCreate && m_pDocument)
        {
            IXMLDOMAttribute* pAttribute = nullptr;
            if (SUCCEEDED(m_pDocument->createAttribute(CBstrArg(pszName), &pAttribute)) && pAttribute)
            {
                if (FAILED(pAttributes->setNamedItem(pAttribute, &pEntry)))
                    SafeRelease(pEntry);
                pAttribute->Release();
            }
        }
        pAttributes->Release();
        return pEntry;
    }
    if (m_pNode->selectSingleNode(CBstrArg(pszName), &pEntry) != S_OK)
        SafeRelease(pEntry);
    if (!pEntry && bCreate && m_pDocument)
    {
        IXMLDOMElement* pElement = nullptr;
        if (SUCCEEDED(m_pDocument->createElement(CBstrArg(pszName), &pElement)) && pElement)
        {
            if (FAILED(m_pNode->appendChild(pElement, &pEntry)))
                SafeRelease(pEntry);
            pElement->Release();
        }
    }
    return pEntry;
}

BOOL CLVKPropExchangeXMLNode::IsValueExists(LPCTSTR pszName)
{
    if (!PrepareExchange())
        return FALSE;
    IXMLDOMNode* pEntry = GetEntryNode(pszName, FALSE);
    const BOOL bExists = pEntry != nullptr;
    SafeRelease(pEntry);
    return bExists;
}

BOOL CLVKPropExchangeXMLNode::IsSectionExists(LPCTSTR pszPath)
{
    if (!PrepareExchange())
        return FALSE;
    IXMLDOMNode* pFound = nullptr;
    const BOOL bExists = m_pNode->selectSingleNode(CBstrArg(pszPath), &pFound) == S_OK && pFound;
    SafeRelease(pFound);
    return bExists;
}

BOOL CLVKPropExchangeXMLNode::ExchangeValue(LPCTSTR pszKey, int nType, void* pValue, const void* pDefault)
{
    if (m_bLoading)
    {
        pDefault = LoadDefault(pDefault);
        if (!PrepareExchange())
            return CopyDefaultValue(nType, pValue, pDefault);
        IXMLDOMNode* pEntry = GetEntryNode(pszKey, FALSE);
        if (!pEntry)
            return CopyDefaultValue(nType, pValue, pDefault);
        BSTR bstrText = nullptr;
        const HRESULT hr = pEntry->get_text(&bstrText);
        pEntry->Release();
        if (FAILED(hr))
        {
            ::SysFreeString(bstrText);
            return CopyDefaultValue(nType, pValue, pDefault);
        }
        if (nType == PX_BSTR)
        {
            if (!pValue)
            {
                ::SysFreeString(bstrText);
                return FALSE;
            }
            if (!bstrText)
                bstrText = ::SysAllocString(L"");
            UnescapeStoredText(bstrText);
            BSTR& bstrValue = *static_cast<BSTR*>(pValue);
            ::SysFreeString(bstrValue);
            bstrValue = bstrText;
            return TRUE;
        }
        CString strText(bstrText ? bstrText : L"");
        ::SysFreeString(bstrText);
        return ConvertValueText(nType, strText, pValue, pDefault);
    }

    // Writing follows the reading rules, so a stored document reads back.
    pDefault = SaveDefault(pDefault);
    if (!PrepareExchange())
        return FALSE;
    if (pDefault && IsDefaultValue(nType, pValue, pDefault))
        return TRUE;
    CString strText;
    if (nType == PX_BSTR)
    {
        const BSTR bstr = pValue ? *static_cast<const BSTR*>(pValue) : nullptr;
        strText = bstr ? bstr : L"";
        EscapeText(strText);
    }
    else if (!ConvertValueText(nType, strText, pValue, pDefault))
    {
        return FALSE;
    }
    IXMLDOMNode* pEntry = GetEntryNode(pszKey, TRUE);
    if (!pEntry)
        return FALSE;
    const HRESULT hr = pEntry->put_text(CBstrArg(strText));
    pEntry->Release();
    return SUCCEEDED(hr);
}

CLVKPropExchange* CLVKPropExchangeXMLNode::OpenSection(LPCTSTR pszSection)
{
    PrepareExchange();
    CLVKPropExchangeXMLNode* pSection = new CLVKPropExchangeXMLNode(m_bLoading, m_pNode, pszSection);
    pSection->m_bCompactMode = m_bCompactMode;
    pSection->InheritFrom(this);
    return pSection;
}

void CLVKPropExchangeXMLNode::ClearSection()
{
    m_bEmptied = TRUE;
    PrepareExchange();
    if (m_pNode && m_pParentNode)
    {
        IXMLDOMNode* pRemoved = nullptr;
        m_pParentNode->removeChild(m_pNode, &pRemoved);
        SafeRelease(pRemoved);
        SafeRelease(m_pNode);
    }
    m_bPrepared = FALSE;
}

CLVKPropExchangeEnumerator* CLVKPropExchangeXMLNode::CreateEnumerator(LPCTSTR pszPrefix)
{
    if (m_bLoading && IsValueExists(L"Count"))
        return CLVKPropExchange::CreateEnumerator(pszPrefix);
    return new CXMLEnumerator(this, pszPrefix);
}

// ---------------------------------------------------------------------------

CLVKPropExchangeXMLNode::CXMLEnumerator::CXMLEnumerator(CLVKPropExchangeXMLNode* pPX, LPCTSTR pszPrefix)
    : CLVKPropExchangeEnumerator(pPX, pszPrefix)
{
}

CLVKPropExchangeXMLNode::CXMLEnumerator::~CXMLEnumerator()
{
    SafeRelease(m_pCurrent);
    SafeRelease(m_pList);
}

DWORD_PTR CLVKPropExchangeXMLNode::CXMLEnumerator::StartWalk(DWORD nCount, BOOL bUseCountOperations)
{
    if (!m_pPX || !m_pPX->IsLoading())
        return CLVKPropExchangeEnumerator::StartWalk(nCount, bUseCountOperations);
    m_nCount = nCount;
    SafeRelease(m_pCurrent);
    SafeRelease(m_pList);
    CLVKPropExchangeXMLNode* pPX = static_cast<CLVKPropExchangeXMLNode*>(m_pPX);
    if (!pPX->PrepareExchange())
        return 0;
    const CString strPattern = m_strPrefix.IsEmpty() ? CString(L"*") : m_strPrefix;
    if (FAILED(pPX->m_pNode->selectNodes(CBstrArg(strPattern), &m_pList)) || !m_pList)
    {
        SafeRelease(m_pList);
        return 0;
    }
    if (m_pList->get_item(0, &m_pCurrent) != S_OK)
        SafeRelease(m_pCurrent);
    return m_pCurrent ? 1 : 0;
}

CLVKPropExchange* CLVKPropExchangeXMLNode::CXMLEnumerator::NextSection(DWORD_PTR& pos)
{
    if (!m_pPX || !m_pPX->IsLoading())
        return CLVKPropExchangeEnumerator::NextSection(pos);
    if (!m_pCurrent || !m_pList || pos == 0)
    {
        pos = 0;
        return nullptr;
    }
    CLVKPropExchangeXMLNode* pSection = static_cast<CLVKPropExchangeXMLNode*>(m_pPX->OpenSection(m_strPrefix));
    SafeRelease(pSection->m_pNode);
    pSection->m_pNode = m_pCurrent;  // the reference moves to the section
    pSection->m_bPrepared = TRUE;
    m_pCurrent = nullptr;
    if (m_pList->get_item(static_cast<long>(pos), &m_pCurrent) != S_OK)
        SafeRelease(m_pCurrent);
    pos = m_pCurrent ? pos + 1 : 0;
    return pSection;
}

DWORD CLVKPropExchangeXMLNode::CXMLEnumerator::GetItemCount()
{
    if (!m_pPX || !m_pPX->IsLoading() || !m_pList)
        return m_pPX && m_pPX->IsLoading() ? 0 : CLVKPropExchangeEnumerator::GetItemCount();
    long nLength = 0;
    if (FAILED(m_pList->get_length(&nLength)) || nLength < 0)
        return 0;
    return static_cast<DWORD>(nLength);
}
