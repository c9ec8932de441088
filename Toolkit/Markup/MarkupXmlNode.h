// One node of a parsed markup document: an element with its qualified name
// and attributes in document order, a text, a CDATA section or a comment
// (comments and processing instructions count as siblings for white space).
#pragma once

#include "Framework.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

class CLVKMarkupXmlNode
{
public:
    enum Kind
    {
        kElement,
        kText,
        kCData,
        kOther,
    };

    CLVKMarkupXmlNode(Kind kind, CLVKMarkupXmlNode* pParent) : m_kind(kind), m_pParent(pParent) {}
    // Frees the subtree without recursion: documents may nest very deeply.
    ~CLVKMarkupXmlNode();

    Kind GetKind() const { return m_kind; }
    CLVKMarkupXmlNode* GetParent() const { return m_pParent; }
    const std::wstring& GetName() const { return m_strName; }
    const std::wstring& GetText() const { return m_strText; }
    const std::vector<std::pair<std::wstring, std::wstring>>& GetAttributes() const { return m_attributes; }
    // Null when the element has no such attribute.
    const std::wstring* FindAttribute(LPCWSTR lpszName) const;
    int GetChildCount() const { return static_cast<int>(m_children.size()); }
    CLVKMarkupXmlNode* GetChild(int nIndex) const { return m_children[nIndex].get(); }
    BOOL HasPreviousSibling() const;
    BOOL HasNextSibling() const;

    CLVKMarkupXmlNode* AppendChild(Kind kind);
    std::wstring m_strName;
    std::wstring m_strText;
    std::vector<std::pair<std::wstring, std::wstring>> m_attributes;
    int m_nIndexInParent = 0;

private:
    Kind m_kind;
    CLVKMarkupXmlNode* m_pParent;
    std::vector<std::unique_ptr<CLVKMarkupXmlNode>> m_children;
};
