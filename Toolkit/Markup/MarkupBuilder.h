// Turns a parsed markup document into a tree of markup objects in one
// context: tags to types, attributes and property elements to property
// values, children and text to content, markup extensions resolved, styles
// applied. Errors end in one text.
#pragma once

#include "Markup/MarkupBuilderException.h"
#include "Markup/MarkupObject.h"

#include <vector>

class CLVKMarkupContext;
class CLVKMarkupParser;
class CLVKMarkupUIElement;
class CLVKMarkupXmlNode;

class CLVKMarkupBuilder
{
public:
    explicit CLVKMarkupBuilder(CLVKMarkupContext* pContext);
    ~CLVKMarkupBuilder();
    CLVKMarkupBuilder(const CLVKMarkupBuilder&) = delete;
    CLVKMarkupBuilder& operator=(const CLVKMarkupBuilder&) = delete;

    // The root element with one reference, or null with the error text set.
    CLVKMarkupUIElement* Parse(CLVKMarkupParser* pParser);
    const CString& GetErrorText() const { return m_strError; }
    CLVKMarkupContext* GetContext() const { return m_pContext; }

    // A new object of the property's type converted from the value (the
    // property's converter first, then the value type's); raises the
    // conversion error.
    CLVKMarkupObject* ConvertValue(CLVKMarkupDependencyProperty* pProperty, CLVKMarkupObject* pValue);

private:
    CLVKMarkupObject* Build(CLVKMarkupObject* pParent, const CLVKMarkupXmlNode* pElement);
    CLVKMarkupObject* CreateObjectForTag(const std::wstring& strTag, CLVKMarkupObject* pParent);
    void ApplyAttributes(CLVKMarkupObject* pObject, const CLVKMarkupXmlNode* pElement);
    void AddChildElement(CLVKMarkupObject* pParent, const CLVKMarkupXmlNode* pElement);
    void AddText(CLVKMarkupObject* pParent, const CLVKMarkupXmlNode* pNode, BOOL bPreserve);
    // The text after "{"; an object with one reference.
    CLVKMarkupObject* ResolveExtension(const std::wstring& strText, int nDepth);
    CLVKMarkupObject* FindResource(const std::wstring& strKey, int nDepth);

    HRESULT m_hrInit;
    CString m_strError;
    CLVKMarkupContext* m_pContext;
    std::vector<CLVKMarkupObject*> m_stack;
};
