// Loads a markup text into a document of CLVKMarkupXmlNode with expat, keeping
// all white space, and records a readable error (line, column, reason and
// the source line) when the XML is malformed. A document that uses the
// prefix x without declaring it is repaired once. Document type
// declarations and external entities are refused.
#pragma once

#include "Markup/MarkupXmlNode.h"

#include <objidl.h>

// The error code of a reference to an undeclared namespace prefix.
const HRESULT kMarkupXmlUndeclaredPrefix = static_cast<HRESULT>(0xC00CE01D);
// Other XML errors: this base plus expat's error number.
const HRESULT kMarkupXmlErrorBase = static_cast<HRESULT>(0xC00CE500);

class CLVKMarkupParser
{
public:
    CLVKMarkupParser();
    ~CLVKMarkupParser();
    CLVKMarkupParser(const CLVKMarkupParser&) = delete;
    CLVKMarkupParser& operator=(const CLVKMarkupParser&) = delete;

    // A text that is not markup (no "<" after white space) fails without an
    // error record.
    BOOL ParseText(LPCWSTR lpszBegin, LPCWSTR lpszEnd);
    BOOL LoadStream(IStream* pStream);
    // Bytes with a byte-order mark (UTF-16LE, UTF-8), or UTF-8 without one.
    BOOL LoadBytes(const BYTE* pBytes, size_t nLength);

    CString GetErrorText() const;
    HRESULT GetErrorCode() const { return m_hrError; }
    BOOL HasPosition() const { return m_bHasPosition; }
    int GetLine() const { return m_nLine; }
    int GetColumn() const { return m_nColumn; }

    // The document element, or null before a successful load.
    CLVKMarkupXmlNode* GetDocumentElement() const;

private:
    void ClearError();
    void RecordHResult(HRESULT hr);
    // The repaired text, or an empty one when no repair applies.
    std::wstring RepairMissingPrefix(const std::wstring& strText) const;

    std::unique_ptr<CLVKMarkupXmlNode> m_pDocument;
    HRESULT m_hrInit;
    HRESULT m_hrError = S_OK;
    BOOL m_bHasPosition = FALSE;
    int m_nLine = 0;
    int m_nColumn = 0;
    CString m_strReason;
    CString m_strSource;
    BOOL m_bRetrying = FALSE;
};

// Decodes bytes by their byte-order mark (UTF-16LE, UTF-16BE, UTF-8); bytes
// without one are UTF-8.
std::wstring AFX_CDECL MarkupDecodeText(const BYTE* pBytes, size_t nLength);
