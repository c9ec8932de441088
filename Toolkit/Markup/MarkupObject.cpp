#include "Markup/MarkupObject.h"

#include "Markup/MarkupBuilder.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupDependencyProperty.h"
#include "Markup/MarkupProperties.h"
#include "Markup/MarkupString.h"
#include "Markup/MarkupType.h"

CLVKMarkupDependencyProperty* CLVKMarkupObject::m_pNameProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupObject::m_pKeyProperty = nullptr;

CLVKMarkupType* AFX_CDECL CLVKMarkupObject::GetMarkupType()
{
    static CLVKMarkupType type(L"CLVKMarkupObject", L"", nullptr, nullptr, &CLVKMarkupObject::RegisterProperties);
    return &type;
}

void AFX_CDECL CLVKMarkupObject::RegisterProperties()
{
    m_pNameProperty =
        CLVKMarkupDependencyProperty::Register(L"Name", CLVKMarkupString::GetMarkupType(), GetMarkupType());
    m_pKeyProperty = CLVKMarkupDependencyProperty::Register(L"Key", GetMarkupType(), GetMarkupType());
}

CLVKMarkupObject::CLVKMarkupObject()
{
    EnableAutomation();
}

CLVKMarkupObject::~CLVKMarkupObject()
{
    delete m_pProperties;
}

ULONG CLVKMarkupObject::AddRef()
{
    return InternalAddRef();
}

ULONG CLVKMarkupObject::Release()
{
    // A count of 0 (an object being destroyed) is left alone.
    return InternalRelease();
}

IDispatch* AFX_CDECL CLVKMarkupObject::GetDispatch(CLVKMarkupObject* pObject, BOOL bAddRef)
{
    return pObject ? pObject->GetIDispatch(bAddRef) : nullptr;
}

CLVKMarkupObject* AFX_CDECL LVKMarkupObjectFromUnknown(IUnknown* pUnknown, BOOL bAddRef)
{
    if (!pUnknown)
    {
        return nullptr;
    }
    CLVKMarkupObject* const pObject = dynamic_cast<CLVKMarkupObject*>(LVKCmdTargetFromUnknown(pUnknown));
    if (!pObject)
    {
        AfxThrowOleException(E_INVALIDARG);
    }
    if (bAddRef)
    {
        pObject->AddRef();
    }
    return pObject;
}

void CLVKMarkupObject::OnFinalRelease()
{
    CLVKMarkupContext* const pContext = m_pMarkupContext;
    m_pMarkupContext = nullptr;
    delete this;
    if (pContext)
    {
        pContext->OnElementReleased(this);
    }
}

BOOL CLVKMarkupObject::IsKindOf(const CLVKMarkupType* pType) const
{
    return GetType()->IsDerivedFrom(pType);
}

CLVKMarkupObject* AFX_CDECL MarkupDynamicCast(const CLVKMarkupType* pType, CLVKMarkupObject* pObject)
{
    return pObject && pObject->IsKindOf(pType) ? pObject : nullptr;
}

BOOL AFX_CDECL WouldCloseMarkupCycle(const CLVKMarkupObject* pHolder, const CLVKMarkupObject* pChild)
{
    int nDepth = 0;
    for (const CLVKMarkupObject* p = pHolder; p; p = p->GetLogicalParent())
    {
        if (p == pChild || ++nDepth > kMarkupMaxParentChain)
        {
            return TRUE;
        }
    }
    return FALSE;
}

CLVKMarkupObject* CLVKMarkupObject::GetOwnValue(CLVKMarkupDependencyProperty* pProperty) const
{
    return m_pProperties ? m_pProperties->GetValue(pProperty) : nullptr;
}

CLVKMarkupObject* CLVKMarkupObject::GetLocalValue(CLVKMarkupDependencyProperty* pProperty) const
{
    return GetOwnValue(pProperty);
}

CLVKMarkupObject* CLVKMarkupObject::GetValue(CLVKMarkupDependencyProperty* pProperty) const
{
    if (!pProperty)
    {
        return nullptr;
    }
    if (CLVKMarkupObject* const pValue = GetLocalValue(pProperty))
    {
        return pValue;
    }
    if (pProperty->GetFlags() & MarkupPropertyInherits)
    {
        // Bounded: a parent chain deeper than any buildable tree is broken.
        int nDepth = 0;
        for (const CLVKMarkupObject* pAncestor = m_pLogicalParent; pAncestor && nDepth < kMarkupMaxParentChain;
             pAncestor = pAncestor->m_pLogicalParent, ++nDepth)
        {
            if (CLVKMarkupObject* const pValue = pAncestor->GetLocalValue(pProperty))
            {
                return pValue;
            }
        }
    }
    return pProperty->GetDefaultValue();
}

CLVKMarkupObject* CLVKMarkupObject::FindValueOwner(CLVKMarkupDependencyProperty* pProperty)
{
    if (GetOwnValue(pProperty))
    {
        return this;
    }
    if (pProperty && (pProperty->GetFlags() & MarkupPropertyInherits))
    {
        for (CLVKMarkupObject* pAncestor = m_pLogicalParent; pAncestor; pAncestor = pAncestor->m_pLogicalParent)
        {
            if (pAncestor->GetOwnValue(pProperty))
            {
                return pAncestor;
            }
        }
    }
    return nullptr;
}

void CLVKMarkupObject::SetValue(CLVKMarkupDependencyProperty* pProperty, CLVKMarkupObject* pValue)
{
    if (!pProperty)
    {
        return;
    }
    if (pValue && !pValue->IsKindOf(pProperty->GetValueType()))
    {
        return;
    }
    // Clearing what has no own value (an inherited or default one) changes
    // nothing and announces nothing.
    if (!pValue && (!m_pProperties || !m_pProperties->GetValue(pProperty)))
    {
        return;
    }
    if (!m_pProperties)
    {
        m_pProperties = new CLVKMarkupProperties(this);
    }
    CLVKMarkupObject* const pOld = GetValue(pProperty);
    // The old value may be the very one the store releases now.
    CLVKMarkupAutoPtr<CLVKMarkupObject> holdOld(pOld);
    if (pOld)
    {
        pOld->AddRef();
    }
    m_pProperties->SetValue(pProperty, pValue);
    if (pValue)
    {
        pValue->OnSetAsProperty(pProperty, this);
    }
    if (pValue && pOld && pValue->IsEqual(pOld))
    {
        return;
    }
    CLVKMarkupObject* const pNew = GetValue(pProperty);
    if (pNew == pOld)
    {
        return;
    }
    OnPropertyChanged(pProperty, pOld, pNew);
    if (pProperty->GetFlags() & MarkupPropertyInherits)
    {
        NotifyInheritedChanged(pProperty, pOld, pNew);
    }
}

void CLVKMarkupObject::NotifyInheritedChanged(CLVKMarkupDependencyProperty* pProperty, CLVKMarkupObject* pOldValue,
                                              CLVKMarkupObject* pNewValue, int nDepth)
{
    if (nDepth >= kMarkupMaxDepth)
    {
        return;
    }
    const int nCount = GetLogicalChildrenCount();
    for (int i = 0; i < nCount; ++i)
    {
        CLVKMarkupObject* const pChild = GetLogicalChild(i);
        if (!pChild)
        {
            continue;
        }
        if (pChild->IsKindOf(pProperty->GetOwnerType()))
        {
            pChild->OnPropertyChanged(pProperty, pOldValue, pNewValue);
        }
        pChild->NotifyInheritedChanged(pProperty, pOldValue, pNewValue, nDepth + 1);
    }
}

void CLVKMarkupObject::OnPropertyChanged(CLVKMarkupDependencyProperty* pProperty, CLVKMarkupObject* pOldValue,
                                         CLVKMarkupObject* pNewValue)
{
    CLVKMarkupPropertyMetadata* const pMetadata = pProperty ? pProperty->GetMetadata() : nullptr;
    if (pMetadata && pMetadata->m_pfnChanged)
    {
        const MarkupPropertyChange change = {pProperty, pOldValue, pNewValue};
        pMetadata->m_pfnChanged(this, change);
    }
}

int CLVKMarkupObject::GetLogicalChildrenCount() const
{
    return 0;
}

CLVKMarkupObject* CLVKMarkupObject::GetLogicalChild(int /*nIndex*/) const
{
    return nullptr;
}

LPCWSTR CLVKMarkupObject::GetNameText() const
{
    auto* const pName = MarkupCast<CLVKMarkupString>(GetValue(m_pNameProperty));
    return pName ? pName->GetText() : nullptr;
}

CLVKMarkupObject* CLVKMarkupObject::FindName(LPCWSTR lpszName)
{
    if (!lpszName)
    {
        return nullptr;
    }
    // Iterative depth-first search: no recursion on deep trees.
    std::vector<CLVKMarkupObject*> stack(1, this);
    while (!stack.empty())
    {
        CLVKMarkupObject* const pObject = stack.back();
        stack.pop_back();
        const LPCWSTR lpszOwn = pObject->GetNameText();
        if (lpszOwn && wcscmp(lpszOwn, lpszName) == 0)
        {
            return pObject;
        }
        for (int i = pObject->GetLogicalChildrenCount() - 1; i >= 0; --i)
        {
            if (CLVKMarkupObject* const pChild = pObject->GetLogicalChild(i))
            {
                stack.push_back(pChild);
            }
        }
    }
    return nullptr;
}

void CLVKMarkupObject::SetContentObject(CLVKMarkupBuilder* /*pBuilder*/, CLVKMarkupObject* pContent)
{
    if (MarkupCast<CLVKMarkupString>(pContent))
    {
        MarkupThrowError(L"Cannot convert the string '%ls' into a '%ls' object",
                         static_cast<CLVKMarkupString*>(pContent)->GetText(), GetType()->GetClassName());
    }
    MarkupThrowError(L"Cannot add content to an object of type '%ls'", GetType()->GetClassName());
}

void CLVKMarkupObject::SetPropertyObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupDependencyProperty* pProperty,
                                         CLVKMarkupObject* pValue)
{
    if (!pProperty || !pValue)
    {
        return;
    }
    if (pValue->IsKindOf(pProperty->GetValueType()))
    {
        pValue->AddRef();
        SetValue(pProperty, pValue);
        return;
    }
    CLVKMarkupObject* const pConverted = pBuilder->ConvertValue(pProperty, pValue);
    SetValue(pProperty, pConverted);
}

CLVKMarkupObject* CLVKMarkupObject::ConvertFrom(CLVKMarkupBuilder* /*pBuilder*/, CLVKMarkupObject* /*pValue*/)
{
    return nullptr;
}

void CLVKMarkupObject::AddMarkupExtension(CLVKMarkupObject* /*pExtension*/)
{
}
