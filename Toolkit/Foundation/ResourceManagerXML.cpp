#include "Foundation/ResourceManagerXML.h"

#include "Foundation/PropExchangeEnumerator.h"
#include "Foundation/PropExchangeFunctions.h"
#include "Foundation/PropExchangeSection.h"
#include "Foundation/PropExchangeXMLNode.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace
{

const DWORD kDefaultControlStyle = WS_CHILD | WS_VISIBLE | WS_GROUP;

size_t RoundUp4(size_t n)
{
    return (n + 3) & ~static_cast<size_t>(3);
}

// Bytes of a text written with its terminating zero.
size_t TextBytes(const CString& str)
{
    return (static_cast<size_t>(str.GetLength()) + 1) * sizeof(WCHAR);
}

class CTemplateWriter
{
public:
    explicit CTemplateWriter(BYTE* pBlock) : m_pBlock(pBlock) {}

    void Word(WORD w) { Put(&w, sizeof(w)); }
    void Dword(DWORD dw) { Put(&dw, sizeof(dw)); }
    void Byte(BYTE b) { Put(&b, sizeof(b)); }
    void Text(const CString& str) { Put(str.GetString(), TextBytes(str)); }
    void AlignTo4() { m_nOffset = RoundUp4(m_nOffset); }
    void MoveTo(size_t nOffset) { m_nOffset = nOffset; }

private:
    void Put(const void* pData, size_t nBytes)
    {
        memcpy(m_pBlock + m_nOffset, pData, nBytes);
        m_nOffset += nBytes;
    }

    BYTE* m_pBlock;
    size_t m_nOffset = 0;
};

int ReadInt(CLVKPropExchange* pPX, LPCTSTR lpszName, int nDefault)
{
    int nValue = nDefault;
    ExchangeInt(pPX, lpszName, nValue, nDefault);
    return nValue;
}

CString ReadText(CLVKPropExchange* pPX, LPCTSTR lpszName, LPCTSTR lpszDefault)
{
    CString strValue = lpszDefault;
    ExchangeString(pPX, lpszName, strValue, lpszDefault);
    return strValue;
}

// "position": x, y, cx, cy in dialog units.
void ReadPosition(CLVKPropExchange* pPX, short& x, short& y, short& cx, short& cy)
{
    RECT rc{};
    ExchangeRect(pPX, L"position", rc, 0, 0, 0, 0);
    x = static_cast<short>(rc.left);
    y = static_cast<short>(rc.top);
    cx = static_cast<short>(rc.right);
    cy = static_cast<short>(rc.bottom);
}

// A BSTR argument for one call.
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

// The root exchange of a language file, which can tell the name of the
// document's top element before the "resource" section is bound: binding a
// missing section appends it, and some XML DOMs accept a second top element.
class CLanguageFileRoot : public CLVKPropExchangeXMLNode
{
public:
    CLanguageFileRoot() : CLVKPropExchangeXMLNode(TRUE, nullptr, L"resource") {}

    BOOL IsTopElement(LPCWSTR lpszName) const
    {
        IXMLDOMElement* pElement = nullptr;
        if (!m_pDocument || m_pDocument->get_documentElement(&pElement) != S_OK || !pElement)
            return FALSE;
        BSTR bstrName = nullptr;
        const BOOL bMatch = SUCCEEDED(pElement->get_nodeName(&bstrName)) && bstrName && wcscmp(bstrName, lpszName) == 0;
        ::SysFreeString(bstrName);
        pElement->Release();
        return bMatch;
    }

    // The "id" attribute of each child element of the root with that name,
    // in document order (empty text for an element without one).
    std::vector<CString> GetChildIds(LPCWSTR lpszElement)
    {
        std::vector<CString> ids;
        IXMLDOMNodeList* pList = nullptr;
        if (!PrepareExchange() || !m_pNode || m_pNode->selectNodes(CBstrArg(lpszElement), &pList) != S_OK || !pList)
            return ids;
        long nLength = 0;
        if (FAILED(pList->get_length(&nLength)))
            nLength = 0;
        for (long i = 0; i < nLength; i++)
        {
            CString strId;
            IXMLDOMNode* pNode = nullptr;
            IXMLDOMNamedNodeMap* pAttributes = nullptr;
            IXMLDOMNode* pId = nullptr;
            if (pList->get_item(i, &pNode) == S_OK && pNode && SUCCEEDED(pNode->get_attributes(&pAttributes)) &&
                pAttributes && pAttributes->getNamedItem(CBstrArg(L"id"), &pId) == S_OK && pId)
            {
                BSTR bstrText = nullptr;
                if (SUCCEEDED(pId->get_text(&bstrText)) && bstrText)
                    strId = bstrText;
                ::SysFreeString(bstrText);
            }
            if (pId)
                pId->Release();
            if (pAttributes)
                pAttributes->Release();
            if (pNode)
                pNode->Release();
            ids.push_back(strId);
        }
        pList->Release();
        return ids;
    }
};

// The id a text names when it is exactly how "%i" prints it ("0100" and
// "+5" name none), as the file's entries have always been matched.
bool ParseEntryId(const CString& strId, UINT& nID)
{
    if (strId.IsEmpty() || strId.GetLength() > 11)
        return false;
    wchar_t* pEnd = nullptr;
    const long long nValue = wcstoll(strId.GetString(), &pEnd, 10);
    if (!pEnd || *pEnd || nValue < INT_MIN || nValue > INT_MAX)
        return false;
    CString strPrinted;
    strPrinted.Format(L"%i", static_cast<int>(nValue));
    if (strPrinted != strId)
        return false;
    nID = static_cast<UINT>(static_cast<int>(nValue));
    return true;
}

}  // namespace

CLVKResourceManagerXML::CLVKResourceManagerXML(LPCTSTR lpszPath)
{
    CLanguageFileRoot* const pRoot = new CLanguageFileRoot;
    m_pRoot = pRoot;
    m_bValid = pRoot->LoadFromFile(lpszPath) && pRoot->IsTopElement(L"resource") && pRoot->PrepareExchange();
    if (m_bValid)
        ReadStrings();
}

void CLVKResourceManagerXML::ReadStrings()
{
    // The entries' values are read as the exchange reads any value (forms,
    // escapes); their ids straight from the document, in the same order.
    const std::vector<CString> ids = static_cast<CLanguageFileRoot*>(m_pRoot)->GetChildIds(L"string");
    CLVKPropExchangeXMLNode::CXMLEnumerator enumerator(m_pRoot, L"string");
    DWORD_PTR pos = enumerator.StartWalk(0);
    for (size_t i = 0; pos && i < ids.size(); i++)
    {
        const CLVKPropExchangeSection entry(enumerator.NextSection(pos));
        if (!entry.Get())
            break;
        UINT nID = 0;
        // The first entry of an id is the one that counts.
        if (!ParseEntryId(ids[i], nID) || m_strings.count(nID))
            continue;
        STRINGENTRY& stored = m_strings[nID];
        stored.bHasValue = static_cast<CLVKPropExchangeXMLNode*>(entry.Get())->IsValueExists(L"value");
        if (stored.bHasValue)
            ExchangeStringNoDefault(entry, L"value", stored.strValue);
    }
}

CLVKResourceManagerXML::~CLVKResourceManagerXML()
{
    CLVKResourceManagerXML::Close();
}

void CLVKResourceManagerXML::Close()
{
    CLVKResourceManager::Close();
    if (m_pRoot)
    {
        m_pRoot->InternalRelease();
        m_pRoot = nullptr;
    }
    FreeTemplates();
    m_strings.clear();
    m_bValid = FALSE;
}

void CLVKResourceManagerXML::FreeTemplates()
{
    for (const auto& entry : m_templateCache)
        free(entry.second);
    m_templateCache.clear();
}

void CLVKResourceManagerXML::UpdateLanguage()
{
    int nLanguage = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    if (m_bValid && m_pRoot)
        ExchangeIntNoDefault(m_pRoot, L"LANGID", nLanguage);
    // SetLanguage falls back to English (United States) for a language the
    // table does not know.
    SetLanguage(static_cast<LANGID>(nLanguage));
}

CLVKPropExchange* CLVKResourceManagerXML::OpenEntry(LPCTSTR lpszElement, UINT nID)
{
    if (!m_bValid || !m_pRoot)
        return nullptr;
    // The id is compared as text, exactly as "%i" prints it.
    CString strPath;
    strPath.Format(L"%s[@id = \"%i\"]", lpszElement, static_cast<int>(nID));
    if (!m_pRoot->IsSectionExists(strPath))
        return nullptr;
    return m_pRoot->OpenSection(strPath);
}

BOOL CLVKResourceManagerXML::LoadString(CString* pString, UINT nID)
{
    if (!pString)
        return FALSE;
    const auto it = m_bValid ? m_strings.find(nID) : m_strings.end();
    if (it == m_strings.end())
        return CLVKResourceManager::LoadString(pString, nID);
    // A "string" without "value" counts as found and leaves the text alone.
    if (it->second.bHasValue)
        *pString = it->second.strValue;
    return TRUE;
}

BOOL CLVKResourceManagerXML::ReadMenuItems(CLVKPropExchange* pPX, std::vector<MENUITEMTEMPLATEINFO>& items, int nDepth)
{
    if (nDepth > kMaxMenuDepth)
        return FALSE;
    const CLVKPropExchangeEnumeratorPtr enumerator(pPX->CreateEnumerator(L"menuitem"));
    if (!enumerator.Get())
        return TRUE;
    DWORD_PTR pos = enumerator->StartWalk(0);
    // A "Count" far beyond any real menu would walk (and make) that many sections.
    if (pos && enumerator->GetItemCount() > kMaxMenuItems)
        return FALSE;
    while (pos)
    {
        const CLVKPropExchangeSection child(enumerator->NextSection(pos));
        if (!child.Get())
            break;
        if (items.size() >= kMaxMenuItems)
            return FALSE;
        const size_t nIndex = items.size();
        items.push_back(MENUITEMTEMPLATEINFO());
        const int nID = ReadInt(child, L"id", 0);
        items[nIndex].wID = LOWORD(nID);
        items[nIndex].strCaption = ReadText(child, L"caption", L"");

        const size_t nBefore = items.size();
        if (!ReadMenuItems(child, items, nDepth + 1))
            return FALSE;
        if (items.size() > nBefore)
            items[nIndex].wOptions |= MF_POPUP;
        else if (nID == 0)
            items[nIndex].wOptions |= MF_SEPARATOR;
        if (pos == 0)
            items[nIndex].wOptions |= MF_END;
    }
    return TRUE;
}

HMENU CLVKResourceManagerXML::BuildMenu(CLVKPropExchange* pPX)
{
    std::vector<MENUITEMTEMPLATEINFO> items;
    if (!ReadMenuItems(pPX, items, 0) || items.empty())
        return nullptr;

    size_t nBytes = 4;  // version 0, offset 0
    for (const MENUITEMTEMPLATEINFO& item : items)
        nBytes += sizeof(WORD) + ((item.wOptions & MF_POPUP) ? 0 : sizeof(WORD)) + TextBytes(item.strCaption);
    if (nBytes > kMaxTemplateBytes)
        return nullptr;
    BYTE* const pBlock = static_cast<BYTE*>(calloc(1, nBytes));
    if (!pBlock)
        return nullptr;
    CTemplateWriter writer(pBlock);
    writer.Dword(0);
    for (const MENUITEMTEMPLATEINFO& item : items)
    {
        writer.Word(item.wOptions);
        if (!(item.wOptions & MF_POPUP))
            writer.Word(item.wID);
        writer.Text(item.strCaption);
    }
    const HMENU hMenu = ::LoadMenuIndirectW(pBlock);
    free(pBlock);
    return hMenu;
}

BOOL CLVKResourceManagerXML::LoadMenu(CMenu* pMenu, UINT nIDResource)
{
    if (!pMenu)
        return FALSE;
    const CLVKPropExchangeSection section(OpenEntry(L"menu", nIDResource));
    if (section.Get())
    {
        if (const HMENU hMenu = BuildMenu(section))
        {
            if (pMenu->Attach(hMenu))
                return TRUE;
            ::DestroyMenu(hMenu);
        }
    }
    return CLVKResourceManager::LoadMenu(pMenu, nIDResource);
}

size_t AFX_CDECL CLVKResourceManagerXML::GetTemplateHeaderSize(const DLGTEMPLATEINFO& info)
{
    // dlgVer .. cy, then menu and class (0 each), the title, point size,
    // weight, italic and charset, and the face name.
    const size_t nFixed = 2 + 2 + 4 + 4 + 4 + 2 + 4 * 2 + 2 + 2;
    return RoundUp4(nFixed + TextBytes(info.strCaption) + 2 + 2 + 1 + 1 + TextBytes(info.strFaceName));
}

size_t AFX_CDECL CLVKResourceManagerXML::GetTemplateItemSize(const DLGITEMTEMPLATEINFO& item)
{
    const size_t nFixed = 4 + 4 + 4 + 4 * 2 + 4;
    const size_t nTitle = item.nResourceID ? 2 * sizeof(WORD) : TextBytes(item.strCaption);
    return RoundUp4(nFixed + TextBytes(item.strClassName) + nTitle + sizeof(WORD));
}

void AFX_CDECL CLVKResourceManagerXML::LayoutDialogTemplate(const DLGTEMPLATEINFO& info, BYTE* pBlock)
{
    CTemplateWriter writer(pBlock);
    writer.Word(info.wDlgVer);
    writer.Word(info.wSignature);
    writer.Dword(info.dwHelpID);
    writer.Dword(info.dwExStyle);
    writer.Dword(info.dwStyle);
    writer.Word(info.cDlgItems);
    writer.Word(static_cast<WORD>(info.x));
    writer.Word(static_cast<WORD>(info.y));
    writer.Word(static_cast<WORD>(info.cx));
    writer.Word(static_cast<WORD>(info.cy));
    writer.Word(0);  // no menu
    writer.Word(0);  // the standard dialog class
    writer.Text(info.strCaption);
    writer.Word(info.wFontSize);
    writer.Word(0);  // weight
    writer.Byte(0);  // italic
    writer.Byte(0);  // charset
    writer.Text(info.strFaceName);

    size_t nOffset = GetTemplateHeaderSize(info);
    for (const DLGITEMTEMPLATEINFO& item : info.controls)
    {
        writer.MoveTo(nOffset);
        writer.Dword(item.dwHelpID);
        writer.Dword(item.dwExStyle);
        writer.Dword(item.dwStyle);
        writer.Word(static_cast<WORD>(item.x));
        writer.Word(static_cast<WORD>(item.y));
        writer.Word(static_cast<WORD>(item.cx));
        writer.Word(static_cast<WORD>(item.cy));
        writer.Dword(item.dwID);
        writer.Text(item.strClassName);
        if (item.nResourceID)
        {
            writer.Word(0xFFFF);
            writer.Word(LOWORD(item.nResourceID));
        }
        else
        {
            writer.Text(item.strCaption);
        }
        writer.Word(0);  // no creation data
        nOffset += GetTemplateItemSize(item);
    }
}

LPDLGTEMPLATE CLVKResourceManagerXML::BuildDialogTemplate(CLVKPropExchange* pPX)
{
    DLGTEMPLATEINFO info;
    info.dwStyle = static_cast<DWORD>(ReadInt(pPX, L"style", 0)) | DS_SETFONT;
    info.dwExStyle = static_cast<DWORD>(ReadInt(pPX, L"styleex", 0));
    ReadPosition(pPX, info.x, info.y, info.cx, info.cy);
    info.strFaceName = ReadText(pPX, L"fontface", L"MS Sans Serif");
    info.wFontSize = static_cast<WORD>(ReadInt(pPX, L"fontsize", 8));
    info.strCaption = ReadText(pPX, L"caption", L"");
    info.dwHelpID = static_cast<DWORD>(ReadInt(pPX, L"id", 0));

    const CLVKPropExchangeEnumeratorPtr enumerator(pPX->CreateEnumerator(L"control"));
    DWORD_PTR pos = enumerator.Get() ? enumerator->StartWalk(0) : 0;
    if (pos && enumerator->GetItemCount() > kMaxDialogControls)
        return nullptr;
    while (pos)
    {
        const CLVKPropExchangeSection control(enumerator->NextSection(pos));
        if (!control.Get())
            break;
        if (info.controls.size() >= kMaxDialogControls)
            return nullptr;
        DLGITEMTEMPLATEINFO item;
        item.dwStyle = static_cast<DWORD>(ReadInt(control, L"style", static_cast<int>(kDefaultControlStyle)));
        item.dwExStyle = static_cast<DWORD>(ReadInt(control, L"styleex", 0));
        ReadPosition(control, item.x, item.y, item.cx, item.cy);
        item.strCaption = ReadText(control, L"caption", L"");
        item.strClassName = ReadText(control, L"class", L"STATIC");
        item.dwID = static_cast<DWORD>(ReadInt(control, L"id", -1));
        item.nResourceID = static_cast<DWORD>(ReadInt(control, L"resource", 0));
        info.controls.push_back(item);
    }
    info.cDlgItems = static_cast<WORD>(info.controls.size());

    size_t nBytes = GetTemplateHeaderSize(info);
    for (const DLGITEMTEMPLATEINFO& item : info.controls)
        nBytes += GetTemplateItemSize(item);
    if (nBytes > kMaxTemplateBytes)
        return nullptr;
    BYTE* const pBlock = static_cast<BYTE*>(calloc(1, nBytes));
    if (!pBlock)
        return nullptr;
    LayoutDialogTemplate(info, pBlock);
    return reinterpret_cast<LPDLGTEMPLATE>(pBlock);
}

LPCDLGTEMPLATE CLVKResourceManagerXML::LoadDialogTemplate(UINT nIDTemplate)
{
    const auto cached = m_templateCache.find(nIDTemplate);
    if (cached != m_templateCache.end())
        return cached->second;
    const CLVKPropExchangeSection section(OpenEntry(L"dialog", nIDTemplate));
    if (!section.Get())
        return CLVKResourceManager::LoadDialogTemplate(nIDTemplate);
    const LPDLGTEMPLATE pTemplate = BuildDialogTemplate(section);
    if (!pTemplate)
        return CLVKResourceManager::LoadDialogTemplate(nIDTemplate);
    m_templateCache[nIDTemplate] = pTemplate;
    return pTemplate;
}
