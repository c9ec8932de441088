#include "Markup/MarkupBuilder.h"

#include "Markup/MarkupContext.h"
#include "Markup/MarkupDependencyProperty.h"
#include "Markup/MarkupExtension.h"
#include "Markup/MarkupInputElement.h"
#include "Markup/MarkupObjectProperty.h"
#include "Markup/MarkupParser.h"
#include "Markup/MarkupResourceDictionary.h"
#include "Markup/MarkupStaticExtension.h"
#include "Markup/MarkupString.h"
#include "Markup/MarkupType.h"
#include "Markup/MarkupTypeRegistry.h"
#include "Markup/MarkupUIElement.h"

#include <cwctype>

namespace
{

// x, l, lv and lvk are the engine's own prefixes.
BOOL IsOwnPrefix(const std::wstring& strName)
{
    const size_t nColon = strName.find(L':');
    if (nColon == std::wstring::npos)
    {
        return TRUE;
    }
    const std::wstring strPrefix = strName.substr(0, nColon + 1);
    return std::wstring(L"x:").compare(0, strPrefix.size(), strPrefix) == 0 ||
           std::wstring(L"lvk:").compare(0, strPrefix.size(), strPrefix) == 0;
}

BOOL IsMarkupSpace(wchar_t ch)
{
    return ch < 0x80 && iswspace(ch);
}

// Releases the object unless the build succeeded.
class CBuildGuard
{
public:
    explicit CBuildGuard(CLVKMarkupObject* pObject) : m_pObject(pObject) {}
    ~CBuildGuard()
    {
        if (m_pObject)
        {
            m_pObject->Release();
        }
    }
    CLVKMarkupObject* Detach()
    {
        CLVKMarkupObject* const p = m_pObject;
        m_pObject = nullptr;
        return p;
    }

private:
    CLVKMarkupObject* m_pObject;
};

}  // namespace

CLVKMarkupBuilder::CLVKMarkupBuilder(CLVKMarkupContext* pContext)
    : m_hrInit(CoInitialize(nullptr)), m_pContext(pContext)
{
}

CLVKMarkupBuilder::~CLVKMarkupBuilder()
{
    if (m_hrInit == S_OK || m_hrInit == S_FALSE)
    {
        CoUninitialize();
    }
}

CLVKMarkupUIElement* CLVKMarkupBuilder::Parse(CLVKMarkupParser* pParser)
{
    m_strError.Empty();
    const CLVKMarkupXmlNode* const pDocument = pParser ? pParser->GetDocumentElement() : nullptr;
    if (!pDocument)
    {
        if (pParser && pParser->GetErrorCode() < 0)
        {
            m_strError = pParser->GetErrorText();
        }
        return nullptr;
    }
    CLVKMarkupObject* pRoot = nullptr;
    try
    {
        // A script's own parse runs inside that script: its engine stays.
        if (!m_pContext->IsBuildingForScript())
        {
            m_pContext->ResetScript();
        }
        pRoot = Build(nullptr, pDocument);
        if (!pRoot || !pRoot->IsKindOf(CLVKMarkupUIElement::GetMarkupType()))
        {
            if (pRoot)
            {
                pRoot->Release();
                pRoot = nullptr;
            }
            MarkupThrowError(L"Root element have to be 'CLVKMarkupUIElement' type");
        }
        CLVKMarkupInputElement::ApplyStylesInTree(pRoot);
        m_pContext->PublishNamedElements(this, pRoot);
        m_pContext->RunScripts();
        return static_cast<CLVKMarkupUIElement*>(pRoot);
    }
    catch (CLVKMarkupBuilderException* e)
    {
        m_strError = e->GetMessage();
        e->Delete();
    }
    catch (CException* e)
    {
        wchar_t szText[256] = {};
        e->GetErrorMessage(szText, 256);
        m_strError = szText;
        e->Delete();
    }
    // The scripts of a tree that failed to build go with it: they may hold
    // its named objects.
    if (!m_pContext->IsBuildingForScript())
    {
        m_pContext->ResetScript();
    }
    if (pRoot)
    {
        pRoot->Release();
    }
    m_stack.clear();
    return nullptr;
}

CLVKMarkupObject* CLVKMarkupBuilder::Build(CLVKMarkupObject* pParent, const CLVKMarkupXmlNode* pElement)
{
    const std::wstring& strTag = pElement->GetName();
    if (!IsOwnPrefix(strTag))
    {
        return nullptr;
    }
    // Deeper markup is an error, never a stack overflow.
    if (static_cast<int>(m_stack.size()) >= kMarkupMaxDepth)
    {
        MarkupThrowError(L"The markup nests elements deeper than %i levels", kMarkupMaxDepth);
    }
    CLVKMarkupObject* const pObject = CreateObjectForTag(strTag, pParent);
    if (!pObject)
    {
        MarkupThrowError(L"The tag '%ls' does not exist in XML namespace", strTag.c_str());
    }
    CBuildGuard guard(pObject);
    m_stack.push_back(pObject);
    pObject->SetBeingBuilt(TRUE);
    try
    {
        ApplyAttributes(pObject, pElement);
        for (int i = 0; i < pElement->GetChildCount(); ++i)
        {
            const CLVKMarkupXmlNode* const pChild = pElement->GetChild(i);
            switch (pChild->GetKind())
            {
            case CLVKMarkupXmlNode::kElement:
                AddChildElement(pObject, pChild);
                break;
            case CLVKMarkupXmlNode::kText:
                AddText(pObject, pChild, FALSE);
                break;
            case CLVKMarkupXmlNode::kCData:
                AddText(pObject, pChild, TRUE);
                break;
            default:
                break;
            }
        }
        pObject->SetBeingBuilt(FALSE);
        pObject->OnBuildComplete(this);
    }
    catch (...)
    {
        pObject->SetBeingBuilt(FALSE);
        m_stack.pop_back();
        throw;
    }
    m_stack.pop_back();
    return guard.Detach();
}

CLVKMarkupObject* CLVKMarkupBuilder::CreateObjectForTag(const std::wstring& strTag, CLVKMarkupObject* pParent)
{
    CLVKMarkupObject* pObject = nullptr;
    const size_t nDot = strTag.find(L'.');
    if (nDot != std::wstring::npos)
    {
        if (!pParent)
        {
            return nullptr;
        }
        const std::wstring strType = strTag.substr(0, nDot);
        CLVKMarkupType* const pType = CLVKMarkupTypeRegistry::GetInstance().FindType(strType);
        CLVKMarkupDependencyProperty* const pProperty =
            pType ? CLVKMarkupDependencyProperty::FindProperty(pType, strTag.c_str() + nDot + 1) : nullptr;
        if (!pProperty)
        {
            return nullptr;
        }
        BOOL bValid = pParent->GetSourceTag() == strType;
        if (!bValid && pProperty->IsAttached())
        {
            // The elements being built, not logical parents that are not
            // linked yet.
            for (auto it = m_stack.rbegin(); it != m_stack.rend() && !bValid; ++it)
            {
                bValid = (*it)->GetSourceTag() == strType;
            }
        }
        if (!bValid)
        {
            MarkupThrowError(L"Invalid use of dependency property %ls", strTag.c_str());
        }
        pObject = new CLVKMarkupObjectProperty(pProperty);
    }
    else
    {
        CLVKMarkupType* const pType = CLVKMarkupTypeRegistry::GetInstance().FindType(strTag);
        if (!pType)
        {
            return nullptr;
        }
        pObject = m_pContext->CreateMarkupObject(pType);
        if (!pObject)
        {
            return nullptr;
        }
    }
    pObject->SetSourceTag(strTag);
    return pObject;
}

void CLVKMarkupBuilder::ApplyAttributes(CLVKMarkupObject* pObject, const CLVKMarkupXmlNode* pElement)
{
    for (const auto& attribute : pElement->GetAttributes())
    {
        const std::wstring& strName = attribute.first;
        if (strName == L"xmlns" || !IsOwnPrefix(strName))
        {
            continue;
        }
        CLVKMarkupDependencyProperty* pProperty = nullptr;
        const size_t nDot = strName.find(L'.');
        if (nDot != std::wstring::npos)
        {
            CLVKMarkupType* const pType = CLVKMarkupTypeRegistry::GetInstance().FindType(strName.substr(0, nDot));
            pProperty = pType ? CLVKMarkupDependencyProperty::FindProperty(pType, strName.c_str() + nDot + 1) : nullptr;
        }
        else
        {
            pProperty = CLVKMarkupDependencyProperty::FindProperty(pObject->GetType(), strName.c_str());
        }
        if (!pProperty)
        {
            MarkupThrowError(L"The property '%ls' does not exist in XML namespace", strName.c_str());
        }
        const std::wstring& strValue = attribute.second;
        CLVKMarkupAutoPtr<CLVKMarkupObject> pValue;
        if (strValue.size() >= 2 && strValue[0] == L'{' && strValue[1] == L'}')
        {
            pValue.Reset(new CLVKMarkupString(strValue.c_str() + 2));
        }
        else if (!strValue.empty() && strValue[0] == L'{')
        {
            pValue.Reset(ResolveExtension(strValue.substr(1), 0));
        }
        else
        {
            pValue.Reset(new CLVKMarkupString(strValue.c_str(), static_cast<int>(strValue.size())));
        }
        pObject->SetPropertyObject(this, pProperty, pValue);
    }
}

void CLVKMarkupBuilder::AddChildElement(CLVKMarkupObject* pParent, const CLVKMarkupXmlNode* pElement)
{
    CLVKMarkupObject* const pChild = Build(pParent, pElement);
    if (!pChild)
    {
        return;
    }
    CLVKMarkupAutoPtr<CLVKMarkupObject> hold(pChild);
    if (MarkupCast<CLVKMarkupExtension>(pChild))
    {
        pParent->AddMarkupExtension(pChild);
        return;
    }
    if (auto* const pProperty = MarkupCast<CLVKMarkupObjectProperty>(pChild))
    {
        if (!pProperty->GetPropertyValue())
        {
            MarkupThrowError(L"'%ls' property does not have a value", pProperty->GetProperty()->GetName());
        }
        pParent->SetPropertyObject(this, pProperty->GetProperty(), pProperty->GetPropertyValue());
        return;
    }
    pParent->SetContentObject(this, pChild);
}

void CLVKMarkupBuilder::AddText(CLVKMarkupObject* pParent, const CLVKMarkupXmlNode* pNode, BOOL bPreserve)
{
    const std::wstring& strRaw = pNode->GetText();
    if (strRaw.empty())
    {
        return;
    }
    const CLVKMarkupXmlNode* const pParentElement = pNode->GetParent();
    const std::wstring* const pSpace = pParentElement ? pParentElement->FindAttribute(L"xml:space") : nullptr;
    if (pSpace && *pSpace == L"preserve")
    {
        bPreserve = TRUE;
    }
    std::wstring strText;
    if (bPreserve)
    {
        strText = strRaw;
    }
    else
    {
        size_t nStart = 0, nEnd = strRaw.size();
        while (nStart < nEnd && IsMarkupSpace(strRaw[nStart]))
        {
            ++nStart;
        }
        while (nEnd > nStart && IsMarkupSpace(strRaw[nEnd - 1]))
        {
            --nEnd;
        }
        if (nStart > 0 && pNode->HasPreviousSibling() && nStart < nEnd)
        {
            strText.push_back(L' ');
        }
        BOOL bInSpace = FALSE;
        for (size_t i = nStart; i < nEnd; ++i)
        {
            if (IsMarkupSpace(strRaw[i]))
            {
                bInSpace = TRUE;
                continue;
            }
            if (bInSpace)
            {
                strText.push_back(L' ');
                bInSpace = FALSE;
            }
            strText.push_back(strRaw[i]);
        }
        if (nEnd < strRaw.size() && pNode->HasNextSibling() && nStart < nEnd)
        {
            strText.push_back(L' ');
        }
    }
    BOOL bOnlySpace = TRUE;
    for (const wchar_t ch : strText)
    {
        if (!IsMarkupSpace(ch))
        {
            bOnlySpace = FALSE;
            break;
        }
    }
    if (bOnlySpace)
    {
        if (!pParent->HasContentObject() || !pParent->AllowWhiteSpaceContent())
        {
            return;
        }
        strText = L" ";
    }
    CLVKMarkupAutoPtr<CLVKMarkupString> pString(
        new CLVKMarkupString(strText.c_str(), static_cast<int>(strText.size())));
    pParent->SetContentObject(this, pString);
    pString->OnBuildComplete(this);
}

CLVKMarkupObject* CLVKMarkupBuilder::ConvertValue(CLVKMarkupDependencyProperty* pProperty, CLVKMarkupObject* pValue)
{
    CLVKMarkupPropertyMetadata* const pMetadata = pProperty->GetMetadata();
    if (pMetadata && pMetadata->m_pfnConverter)
    {
        if (CLVKMarkupObject* const pResult = pMetadata->m_pfnConverter(this, pValue, pProperty))
        {
            return pResult;
        }
    }
    CLVKMarkupObject* pResult = nullptr;
    if (CLVKMarkupType* const pValueType = pProperty->GetValueType())
    {
        if (pValueType == CLVKMarkupObject::GetMarkupType() && pValue)
        {
            // Any object is a value of type object (a "Tag" or "ToolTip").
            pValue->AddRef();
            return pValue;
        }
        CLVKMarkupAutoPtr<CLVKMarkupObject> pTemporary(m_pContext->CreateMarkupObject(pValueType));
        if (pTemporary)
        {
            pTemporary->SetAssociatedProperty(pProperty);
            pResult = pTemporary->ConvertFrom(this, pValue);
        }
    }
    if (!pResult)
    {
        MarkupThrowError(L"Cannot convert string in attribute '%ls' to object of type '%ls'", pProperty->GetName(),
                         pProperty->GetValueType() ? pProperty->GetValueType()->GetClassName() : L"");
    }
    return pResult;
}

CLVKMarkupObject* CLVKMarkupBuilder::ResolveExtension(const std::wstring& strText, int nDepth)
{
    if (nDepth >= kMarkupMaxDepth)
    {
        MarkupThrowError(L"Markup extensions nest deeper than %i levels", kMarkupMaxDepth);
    }
    if (strText.empty() || strText.back() != L'}')
    {
        MarkupThrowError(L"Markup extension expressions must end with '}'");
    }
    const std::wstring strBody = strText.substr(0, strText.size() - 1);
    if (strBody.compare(0, 9, L"x:Static ") == 0)
    {
        CLVKMarkupObject* const pValue = m_pContext->GetStaticExtension()->FindValue(strBody.c_str() + 9);
        if (!pValue)
        {
            MarkupThrowError(L"Cannot find the static extension '%ls'", strBody.c_str() + 9);
        }
        return pValue;
    }
    if (strBody.compare(0, 15, L"StaticResource ") == 0)
    {
        return FindResource(strBody.substr(15), nDepth + 1);
    }
    if (strBody.compare(0, 16, L"DynamicResource ") == 0)
    {
        return FindResource(strBody.substr(16), nDepth + 1);
    }
    if (strBody.compare(0, 7, L"x:Type ") == 0)
    {
        CLVKMarkupType* const pType = CLVKMarkupTypeRegistry::GetInstance().FindType(strBody.substr(7));
        if (!pType)
        {
            MarkupThrowError(L"Cannot find type '%ls'", strBody.c_str() + 7);
        }
        pType->AddRef();
        return pType;
    }
    MarkupThrowError(L"The tag '%ls' does not exist in XML namespace", strBody.c_str());
}

CLVKMarkupObject* CLVKMarkupBuilder::FindResource(const std::wstring& strKeyText, int nDepth)
{
    size_t nStart = 0;
    while (nStart < strKeyText.size() &&
           (strKeyText[nStart] == L'\r' || strKeyText[nStart] == L'\n' || strKeyText[nStart] == L' '))
    {
        ++nStart;
    }
    const std::wstring strKey = strKeyText.substr(nStart);
    CLVKMarkupAutoPtr<CLVKMarkupObject> pKey;
    if (strKey.size() >= 2 && strKey[0] == L'{' && strKey[1] == L'}')
    {
        pKey.Reset(new CLVKMarkupString(strKey.c_str() + 2));
    }
    else if (!strKey.empty() && strKey[0] == L'{')
    {
        pKey.Reset(ResolveExtension(strKey.substr(1), nDepth + 1));
    }
    else
    {
        pKey.Reset(new CLVKMarkupString(strKey.c_str()));
    }
    // The objects being built, innermost first: their parents are not
    // linked yet.
    for (auto it = m_stack.rbegin(); it != m_stack.rend(); ++it)
    {
        CLVKMarkupObject* pScope = *it;
        if (auto* const pPropertyElement = MarkupCast<CLVKMarkupObjectProperty>(pScope))
        {
            // A resources property element being built: its dictionary.
            pScope = MarkupCast<CLVKMarkupResourceDictionary>(pPropertyElement->GetPropertyValue());
            if (!pScope)
            {
                continue;
            }
        }
        if (CLVKMarkupObject* const pValue = CLVKMarkupResourceDictionary::FindResource(pScope, pKey))
        {
            pValue->AddRef();
            return pValue;
        }
    }
    // A system colour key that no dictionary holds stands for the colour.
    if (CLVKMarkupObject* const pColor = MarkupSystemColorFromKey(pKey))
    {
        return pColor;
    }
    if (CLVKMarkupObject* const pBrush = MarkupSystemBrushFromKey(pKey))
    {
        return pBrush;
    }
    auto* const pKeyString = MarkupCast<CLVKMarkupString>(pKey);
    MarkupThrowError(L"Cannot find resource named '%ls'. Resource names are case sensitive",
                     pKeyString ? pKeyString->GetText() : L"");
}
