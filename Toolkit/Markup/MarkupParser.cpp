#include "Markup/MarkupParser.h"

#include "Markup/MarkupBuilderException.h"

#include <expat.h>

#include <cwctype>

namespace
{

const wchar_t kNamespaceSeparator = L'|';
const wchar_t kXamlNamespace[] = L"http://schemas.microsoft.com/winfx/2006/xaml";

// What the expat callbacks build.
struct LoadState
{
    XML_Parser parser = nullptr;
    CLVKMarkupXmlNode* pDocument = nullptr;
    CLVKMarkupXmlNode* pCurrent = nullptr;
    CLVKMarkupXmlNode* pText = nullptr;  // the text node being filled
    BOOL bInCData = FALSE;
    BOOL bRefused = FALSE;
};

// expat reports a prefixed name as "uri|local|prefix"; the builder matches
// the names as they were written.
std::wstring QualifiedName(const XML_Char* lpszName)
{
    const std::wstring strName(lpszName);
    const size_t nFirst = strName.find(kNamespaceSeparator);
    if (nFirst == std::wstring::npos)
    {
        return strName;
    }
    const size_t nSecond = strName.find(kNamespaceSeparator, nFirst + 1);
    if (nSecond == std::wstring::npos)
    {
        return strName.substr(nFirst + 1);
    }
    return strName.substr(nSecond + 1) + L":" + strName.substr(nFirst + 1, nSecond - nFirst - 1);
}

void XMLCALL OnStartElement(void* pData, const XML_Char* lpszName, const XML_Char** ppAttributes)
{
    auto* const pState = static_cast<LoadState*>(pData);
    pState->pText = nullptr;
    CLVKMarkupXmlNode* const pNode = pState->pCurrent->AppendChild(CLVKMarkupXmlNode::kElement);
    pNode->m_strName = QualifiedName(lpszName);
    for (int i = 0; ppAttributes[i]; i += 2)
    {
        pNode->m_attributes.emplace_back(QualifiedName(ppAttributes[i]), ppAttributes[i + 1]);
    }
    pState->pCurrent = pNode;
}

void XMLCALL OnEndElement(void* pData, const XML_Char* /*lpszName*/)
{
    auto* const pState = static_cast<LoadState*>(pData);
    pState->pText = nullptr;
    pState->pCurrent = pState->pCurrent->GetParent();
}

void XMLCALL OnCharacterData(void* pData, const XML_Char* pChars, int nLength)
{
    auto* const pState = static_cast<LoadState*>(pData);
    if (!pState->pText)
    {
        pState->pText =
            pState->pCurrent->AppendChild(pState->bInCData ? CLVKMarkupXmlNode::kCData : CLVKMarkupXmlNode::kText);
    }
    pState->pText->m_strText.append(pChars, nLength);
}

void XMLCALL OnStartCData(void* pData)
{
    auto* const pState = static_cast<LoadState*>(pData);
    pState->bInCData = TRUE;
    pState->pText = pState->pCurrent->AppendChild(CLVKMarkupXmlNode::kCData);
}

void XMLCALL OnEndCData(void* pData)
{
    auto* const pState = static_cast<LoadState*>(pData);
    pState->bInCData = FALSE;
    pState->pText = nullptr;
}

void XMLCALL OnOther(void* pData, const XML_Char* /*lpszText*/)
{
    auto* const pState = static_cast<LoadState*>(pData);
    pState->pText = nullptr;
    if (pState->pCurrent != pState->pDocument)
    {
        pState->pCurrent->AppendChild(CLVKMarkupXmlNode::kOther);
    }
}

void XMLCALL OnProcessingInstruction(void* pData, const XML_Char* /*lpszTarget*/, const XML_Char* lpszText)
{
    OnOther(pData, lpszText);
}

// Markup needs no document type: refusing it closes the door on entity
// expansion and external fetches.
void XMLCALL OnStartDoctype(void* pData, const XML_Char*, const XML_Char*, const XML_Char*, int)
{
    auto* const pState = static_cast<LoadState*>(pData);
    pState->bRefused = TRUE;
    XML_StopParser(pState->parser, XML_FALSE);
}

int XMLCALL OnExternalEntity(XML_Parser, const XML_Char*, const XML_Char*, const XML_Char*, const XML_Char*)
{
    return XML_STATUS_ERROR;
}

std::wstring LineOf(const std::wstring& strText, int nLine)
{
    size_t nStart = 0;
    for (int i = 1; i < nLine; ++i)
    {
        const size_t nBreak = strText.find(L'\n', nStart);
        if (nBreak == std::wstring::npos)
        {
            return std::wstring();
        }
        nStart = nBreak + 1;
    }
    size_t nEnd = strText.find(L'\n', nStart);
    if (nEnd == std::wstring::npos)
    {
        nEnd = strText.size();
    }
    return strText.substr(nStart, nEnd - nStart);
}

// The prefix of the first prefixed name in the tag that starts at or after
// nOffset and that the document never declares.
std::wstring UndeclaredPrefixNear(const std::wstring& strText, size_t nOffset)
{
    size_t nTag = strText.rfind(L'<', nOffset);
    if (nTag == std::wstring::npos)
    {
        nTag = 0;
    }
    const size_t nEnd = strText.find(L'>', nTag);
    const std::wstring strTag = strText.substr(nTag, nEnd == std::wstring::npos ? std::wstring::npos : nEnd - nTag);
    for (size_t i = 0; i < strTag.size(); ++i)
    {
        if (strTag[i] != L':' || i == 0)
        {
            continue;
        }
        size_t nStart = i;
        while (nStart > 0 && (iswalnum(strTag[nStart - 1]) || strTag[nStart - 1] == L'_'))
        {
            --nStart;
        }
        const std::wstring strPrefix = strTag.substr(nStart, i - nStart);
        if (strPrefix.empty() || strPrefix == L"xmlns" || strPrefix == L"xml")
        {
            continue;
        }
        if (strText.find(L"xmlns:" + strPrefix + L"=") == std::wstring::npos)
        {
            return strPrefix;
        }
    }
    return std::wstring();
}

}  // namespace

std::wstring AFX_CDECL MarkupDecodeText(const BYTE* pBytes, size_t nLength)
{
    if (nLength >= 2 && pBytes[0] == 0xFF && pBytes[1] == 0xFE)
    {
        return std::wstring(reinterpret_cast<const wchar_t*>(pBytes + 2), (nLength - 2) / 2);
    }
    if (nLength >= 2 && pBytes[0] == 0xFE && pBytes[1] == 0xFF)
    {
        std::wstring strText;
        for (size_t i = 2; i + 1 < nLength; i += 2)
        {
            strText.push_back(static_cast<wchar_t>((pBytes[i] << 8) | pBytes[i + 1]));
        }
        return strText;
    }
    size_t nSkip = 0;
    if (nLength >= 3 && pBytes[0] == 0xEF && pBytes[1] == 0xBB && pBytes[2] == 0xBF)
    {
        nSkip = 3;
    }
    const int nChars = MultiByteToWideChar(CP_UTF8, 0, reinterpret_cast<LPCSTR>(pBytes + nSkip),
                                           static_cast<int>(nLength - nSkip), nullptr, 0);
    std::wstring strText(nChars > 0 ? nChars : 0, L'\0');
    if (nChars > 0)
    {
        MultiByteToWideChar(CP_UTF8, 0, reinterpret_cast<LPCSTR>(pBytes + nSkip), static_cast<int>(nLength - nSkip),
                            &strText[0], nChars);
    }
    return strText;
}

CLVKMarkupParser::CLVKMarkupParser() : m_hrInit(CoInitialize(nullptr))
{
}

CLVKMarkupParser::~CLVKMarkupParser()
{
    m_pDocument.reset();
    if (m_hrInit == S_OK || m_hrInit == S_FALSE)
    {
        CoUninitialize();
    }
}

CLVKMarkupXmlNode* CLVKMarkupParser::GetDocumentElement() const
{
    if (!m_pDocument)
    {
        return nullptr;
    }
    for (int i = 0; i < m_pDocument->GetChildCount(); ++i)
    {
        if (m_pDocument->GetChild(i)->GetKind() == CLVKMarkupXmlNode::kElement)
        {
            return m_pDocument->GetChild(i);
        }
    }
    return nullptr;
}

void CLVKMarkupParser::ClearError()
{
    m_hrError = S_OK;
    m_bHasPosition = FALSE;
    m_nLine = m_nColumn = 0;
    m_strReason.Empty();
    m_strSource.Empty();
}

void CLVKMarkupParser::RecordHResult(HRESULT hr)
{
    ClearError();
    m_hrError = hr;
    m_strReason = MarkupComErrorText(hr);
}

BOOL CLVKMarkupParser::ParseText(LPCWSTR lpszBegin, LPCWSTR lpszEnd)
{
    if (!lpszBegin)
    {
        return FALSE;
    }
    if (!lpszEnd)
    {
        lpszEnd = lpszBegin + wcslen(lpszBegin);
    }
    LPCWSTR p = lpszBegin;
    while (p < lpszEnd && iswspace(*p))
    {
        ++p;
    }
    if (p == lpszEnd || *p != L'<')
    {
        return FALSE;
    }
    std::vector<BYTE> bytes(2 + (lpszEnd - lpszBegin) * sizeof(wchar_t));
    bytes[0] = 0xFF;
    bytes[1] = 0xFE;
    memcpy(bytes.data() + 2, lpszBegin, (lpszEnd - lpszBegin) * sizeof(wchar_t));
    return LoadBytes(bytes.data(), bytes.size());
}

BOOL CLVKMarkupParser::LoadStream(IStream* pStream)
{
    if (!pStream)
    {
        RecordHResult(E_POINTER);
        return FALSE;
    }
    std::vector<BYTE> bytes;
    BYTE buffer[4096];
    for (;;)
    {
        ULONG nRead = 0;
        const HRESULT hr = pStream->Read(buffer, sizeof(buffer), &nRead);
        if (FAILED(hr))
        {
            RecordHResult(hr);
            return FALSE;
        }
        bytes.insert(bytes.end(), buffer, buffer + nRead);
        if (nRead < sizeof(buffer))
        {
            break;
        }
    }
    return LoadBytes(bytes.data(), bytes.size());
}

BOOL CLVKMarkupParser::LoadBytes(const BYTE* pBytes, size_t nLength)
{
    m_pDocument.reset();
    ClearError();
    if (nLength > 0x7FFFFFF0)
    {
        RecordHResult(E_OUTOFMEMORY);
        return FALSE;
    }

    auto pDocument = std::make_unique<CLVKMarkupXmlNode>(CLVKMarkupXmlNode::kOther, nullptr);
    LoadState state;
    state.pDocument = state.pCurrent = pDocument.get();
    XML_Parser parser = XML_ParserCreateNS(nullptr, kNamespaceSeparator);
    if (!parser)
    {
        RecordHResult(E_OUTOFMEMORY);
        return FALSE;
    }
    state.parser = parser;
    XML_SetUserData(parser, &state);
    XML_SetReturnNSTriplet(parser, XML_TRUE);
    XML_SetElementHandler(parser, OnStartElement, OnEndElement);
    XML_SetCharacterDataHandler(parser, OnCharacterData);
    XML_SetCdataSectionHandler(parser, OnStartCData, OnEndCData);
    XML_SetCommentHandler(parser, OnOther);
    XML_SetProcessingInstructionHandler(parser, OnProcessingInstruction);
    XML_SetStartDoctypeDeclHandler(parser, OnStartDoctype);
    XML_SetExternalEntityRefHandler(parser, OnExternalEntity);
    XML_SetParamEntityParsing(parser, XML_PARAM_ENTITY_PARSING_NEVER);

    const XML_Status status = XML_Parse(parser, reinterpret_cast<const char*>(pBytes), static_cast<int>(nLength), 1);
    if (status == XML_STATUS_OK && !state.bRefused)
    {
        XML_ParserFree(parser);
        m_pDocument = std::move(pDocument);
        return TRUE;
    }

    const XML_Error error = XML_GetErrorCode(parser);
    const std::wstring strText = MarkupDecodeText(pBytes, nLength);
    m_bHasPosition = TRUE;
    m_nLine = static_cast<int>(XML_GetCurrentLineNumber(parser));
    m_nColumn = static_cast<int>(XML_GetCurrentColumnNumber(parser)) + 1;
    m_strSource = LineOf(strText, m_nLine).c_str();
    if (state.bRefused)
    {
        m_hrError = kMarkupXmlErrorBase + XML_ERROR_NOT_STANDALONE;
        m_strReason = L"A document type definition is not allowed in markup.";
    }
    else if (error == XML_ERROR_UNBOUND_PREFIX)
    {
        m_hrError = kMarkupXmlUndeclaredPrefix;
        // The offset of the tag in characters: the line and column lead there.
        size_t nOffset = 0;
        for (int i = 1; i < m_nLine && nOffset != std::wstring::npos; ++i)
        {
            nOffset = strText.find(L'\n', nOffset);
            if (nOffset != std::wstring::npos)
            {
                ++nOffset;
            }
        }
        if (nOffset == std::wstring::npos)
        {
            nOffset = 0;
        }
        nOffset += m_nColumn - 1;
        const std::wstring strPrefix = UndeclaredPrefixNear(strText, nOffset < strText.size() ? nOffset : 0);
        m_strReason.Format(L"Reference to undeclared namespace prefix: '%ls'.", strPrefix.c_str());
    }
    else
    {
        m_hrError = kMarkupXmlErrorBase + static_cast<int>(error);
        const XML_LChar* const lpszReason = XML_ErrorString(error);
        m_strReason = lpszReason ? lpszReason : L"";
    }
    XML_ParserFree(parser);

    if (m_bRetrying || m_hrError != kMarkupXmlUndeclaredPrefix || m_strReason.Find(L"'x'") < 0)
    {
        return FALSE;
    }
    const std::wstring strRepaired = RepairMissingPrefix(strText);
    if (strRepaired.empty())
    {
        return FALSE;
    }
    m_bRetrying = TRUE;
    std::vector<BYTE> bytes(2 + strRepaired.size() * sizeof(wchar_t));
    bytes[0] = 0xFF;
    bytes[1] = 0xFE;
    memcpy(bytes.data() + 2, strRepaired.data(), strRepaired.size() * sizeof(wchar_t));
    const BOOL bResult = LoadBytes(bytes.data(), bytes.size());
    m_bRetrying = FALSE;
    return bResult;
}

std::wstring CLVKMarkupParser::RepairMissingPrefix(const std::wstring& strText) const
{
    // The declaration goes on the first element, after any leading comment,
    // processing instruction or document type.
    size_t nPos = 0;
    for (;;)
    {
        nPos = strText.find(L'<', nPos);
        if (nPos == std::wstring::npos)
        {
            return std::wstring();
        }
        if (strText.compare(nPos, 4, L"<!--") == 0)
        {
            nPos = strText.find(L"-->", nPos);
            if (nPos == std::wstring::npos)
            {
                return std::wstring();
            }
            continue;
        }
        if (strText.compare(nPos, 2, L"<?") == 0 || strText.compare(nPos, 2, L"<!") == 0)
        {
            nPos = strText.find(L'>', nPos);
            if (nPos == std::wstring::npos)
            {
                return std::wstring();
            }
            continue;
        }
        break;
    }
    size_t nEnd = nPos;
    while (nEnd < strText.size() && !iswspace(strText[nEnd]) && strText[nEnd] != L'>' &&
           !(strText[nEnd] == L'/' && nEnd + 1 < strText.size() && strText[nEnd + 1] == L'>'))
    {
        ++nEnd;
    }
    if (nEnd >= strText.size())
    {
        return std::wstring();
    }
    return strText.substr(0, nEnd) + L" xmlns:x='" + kXamlNamespace + L"'" + strText.substr(nEnd);
}

CString CLVKMarkupParser::GetErrorText() const
{
    if (m_hrError >= 0)
    {
        return CString(L"No Error");
    }
    if (!m_bHasPosition)
    {
        return m_strReason;
    }
    CString strReason = m_strReason;
    strReason.Remove(L'\r');
    strReason.Remove(L'\n');
    CString strSource = m_strSource;
    strSource.Remove(L'\r');
    strSource.Remove(L'\n');
    CString strText;
    strText.Format(L"XML Error [0x%08X] '%ls' at %i:%i '%ls'", static_cast<UINT>(m_hrError),
                   strReason.IsEmpty() ? L"{reason unknown}" : static_cast<LPCWSTR>(strReason), m_nLine, m_nColumn,
                   strSource.IsEmpty() ? L"{source unknown}" : static_cast<LPCWSTR>(strSource));
    return strText;
}
