#include "Markup/MarkupXmlNode.h"

CLVKMarkupXmlNode::~CLVKMarkupXmlNode()
{
    // Move every descendant into one flat list before any is destroyed, so
    // that no destructor recurses.
    std::vector<std::unique_ptr<CLVKMarkupXmlNode>> pending;
    pending.swap(m_children);
    for (size_t i = 0; i < pending.size(); ++i)
    {
        auto& children = pending[i]->m_children;
        for (auto& child : children)
        {
            pending.push_back(std::move(child));
        }
        children.clear();
    }
}

const std::wstring* CLVKMarkupXmlNode::FindAttribute(LPCWSTR lpszName) const
{
    for (const auto& attribute : m_attributes)
    {
        if (attribute.first == lpszName)
        {
            return &attribute.second;
        }
    }
    return nullptr;
}

BOOL CLVKMarkupXmlNode::HasPreviousSibling() const
{
    return m_pParent && m_nIndexInParent > 0;
}

BOOL CLVKMarkupXmlNode::HasNextSibling() const
{
    return m_pParent && m_nIndexInParent + 1 < m_pParent->GetChildCount();
}

CLVKMarkupXmlNode* CLVKMarkupXmlNode::AppendChild(Kind kind)
{
    m_children.push_back(std::make_unique<CLVKMarkupXmlNode>(kind, this));
    m_children.back()->m_nIndexInParent = static_cast<int>(m_children.size()) - 1;
    return m_children.back().get();
}
