// The base of everything in a markup tree: a reference-counted object with a
// logical parent, a store of dependency-property values and the operations
// the builder calls while it reads markup. Every markup object is a toolkit
// command target with automation enabled, so scripts reach it through its
// IDispatch; classes add script names with a dispatch map (see
// MarkupAutomation.h). COM references and AddRef/Release share one count.
#pragma once

#include "Foundation/CmdTarget.h"

#include <string>
#include <vector>

class CLVKMarkupType;
class CLVKMarkupContext;
class CLVKMarkupBuilder;
class CLVKMarkupDependencyProperty;
class CLVKMarkupProperties;
class CLVKMarkupString;

// Every markup class declares its type getter with this macro; the source
// defines it with LVK_IMPLEMENT_MARKUP_TYPE.
#define LVK_DECLARE_MARKUP_TYPE()                     \
public:                                               \
    static CLVKMarkupType* AFX_CDECL GetMarkupType(); \
    CLVKMarkupType* GetType() const override          \
    {                                                 \
        return GetMarkupType();                       \
    }

#define LVK_IMPLEMENT_MARKUP_TYPE(Class, Tag, BaseGetter, Create, Register)        \
    CLVKMarkupType* AFX_CDECL Class::GetMarkupType()                               \
    {                                                                              \
        static CLVKMarkupType type(L## #Class, Tag, BaseGetter, Create, Register); \
        return &type;                                                              \
    }

// How deep a markup tree, an extension nesting or an inheritance walk may go
// before it is a markup error (never a stack overflow).
const int kMarkupMaxDepth = 256;

// The longest chain of logical parents any walk up a markup tree follows.
// Elements nest at most kMarkupMaxDepth deep, and collections, property
// elements and inline holders sit between them; a longer chain can only be a
// loop, which a walk without this bound would follow for ever.
const int kMarkupMaxParentChain = 4 * kMarkupMaxDepth;

class CLVKMarkupObject : public CLVKCmdTarget
{
public:
    static CLVKMarkupType* AFX_CDECL GetMarkupType();
    virtual CLVKMarkupType* GetType() const { return GetMarkupType(); }

    CLVKMarkupObject();

    ULONG AddRef();
    ULONG Release();
    ULONG GetRefCount() const { return static_cast<ULONG>(m_dwRef); }

    // The object's automation interface, with a reference when asked; null
    // for a null object.
    static IDispatch* AFX_CDECL GetDispatch(CLVKMarkupObject* pObject, BOOL bAddRef);

    using CObject::IsKindOf;
    BOOL IsKindOf(const CLVKMarkupType* pType) const;

    // Effective value: local (with triggers and styles for input elements),
    // inherited, default. No reference is added.
    CLVKMarkupObject* GetValue(CLVKMarkupDependencyProperty* pProperty) const;
    // Takes over the caller's reference on a value it stores; a value of the
    // wrong type is not stored and stays the caller's.
    void SetValue(CLVKMarkupDependencyProperty* pProperty, CLVKMarkupObject* pValue);
    void ClearValue(CLVKMarkupDependencyProperty* pProperty) { SetValue(pProperty, nullptr); }
    virtual CLVKMarkupObject* GetLocalValue(CLVKMarkupDependencyProperty* pProperty) const;
    CLVKMarkupObject* GetOwnValue(CLVKMarkupDependencyProperty* pProperty) const;
    CLVKMarkupObject* FindValueOwner(CLVKMarkupDependencyProperty* pProperty);

    CLVKMarkupObject* GetLogicalParent() const { return m_pLogicalParent; }
    void SetLogicalParent(CLVKMarkupObject* pParent) { m_pLogicalParent = pParent; }
    virtual int GetLogicalChildrenCount() const;
    virtual CLVKMarkupObject* GetLogicalChild(int nIndex) const;

    // Depth first, the object itself first.
    CLVKMarkupObject* FindName(LPCWSTR lpszName);
    LPCWSTR GetNameText() const;

    CLVKMarkupContext* GetMarkupContext() const { return m_pMarkupContext; }
    void SetMarkupContext(CLVKMarkupContext* pContext) { m_pMarkupContext = pContext; }

    // What the builder remembers of the element the object came from.
    const std::wstring& GetSourceTag() const { return m_strSourceTag; }
    void SetSourceTag(const std::wstring& strTag) { m_strSourceTag = strTag; }
    BOOL IsBeingBuilt() const { return m_bBeingBuilt; }
    void SetBeingBuilt(BOOL bBuilt) { m_bBeingBuilt = bBuilt; }
    // The property a temporary value object converts for (DPI flags).
    CLVKMarkupDependencyProperty* GetAssociatedProperty() const { return m_pAssociatedProperty; }
    void SetAssociatedProperty(CLVKMarkupDependencyProperty* pProperty) { m_pAssociatedProperty = pProperty; }

    // Builder operations.
    virtual void SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent);
    virtual BOOL HasContentObject() const { return FALSE; }
    virtual BOOL AllowWhiteSpaceContent() const { return FALSE; }
    virtual void SetPropertyObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupDependencyProperty* pProperty,
                                   CLVKMarkupObject* pValue);
    virtual CLVKMarkupObject* ConvertFrom(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pValue);
    virtual void OnBuildComplete(CLVKMarkupBuilder* /*pBuilder*/) {}
    virtual void AddMarkupExtension(CLVKMarkupObject* pExtension);

    // Objects that live for the process (types, properties) are shared by
    // every store and never take a logical parent.
    virtual BOOL IsShared() const { return FALSE; }
    virtual BOOL IsEqual(const CLVKMarkupObject* pOther) const { return pOther == this; }
    virtual UINT GetHashKey() const { return static_cast<UINT>(reinterpret_cast<UINT_PTR>(this)); }

    virtual void OnSetAsProperty(CLVKMarkupDependencyProperty* /*pProperty*/, CLVKMarkupObject* /*pOwner*/) {}
    virtual void OnPropertyChanged(CLVKMarkupDependencyProperty* pProperty, CLVKMarkupObject* pOldValue,
                                   CLVKMarkupObject* pNewValue);
    // Announces an inherited change to the descendants of the owner type.
    void NotifyInheritedChanged(CLVKMarkupDependencyProperty* pProperty, CLVKMarkupObject* pOldValue,
                                CLVKMarkupObject* pNewValue, int nDepth = 0);

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pNameProperty;
    static CLVKMarkupDependencyProperty* m_pKeyProperty;

    void OnFinalRelease() override;

protected:
    ~CLVKMarkupObject() override;

    CLVKMarkupProperties* m_pProperties = nullptr;

private:
    CLVKMarkupObject* m_pLogicalParent = nullptr;
    CLVKMarkupContext* m_pMarkupContext = nullptr;
    CLVKMarkupDependencyProperty* m_pAssociatedProperty = nullptr;
    std::wstring m_strSourceTag;
    BOOL m_bBeingBuilt = FALSE;
};

// The markup object behind an interface handed in by a script, with a
// reference added when asked; null for null. An interface that belongs to no
// markup object raises E_INVALIDARG as an automation error.
CLVKMarkupObject* AFX_CDECL LVKMarkupObjectFromUnknown(IUnknown* pUnknown, BOOL bAddRef);

// The object when it is of the type or a derived one, else null.
CLVKMarkupObject* AFX_CDECL MarkupDynamicCast(const CLVKMarkupType* pType, CLVKMarkupObject* pObject);

template <class T>
T* MarkupCast(CLVKMarkupObject* pObject)
{
    return static_cast<T*>(MarkupDynamicCast(T::GetMarkupType(), pObject));
}

// Calls visit with the object and then with each of its logical parents,
// nearest first, until visit returns true, and gives the object it stopped
// at (null when none). At most kMarkupMaxParentChain objects are visited, so
// that a chain of parents that loops ends too.
template <class Visit>
CLVKMarkupObject* FindMarkupAncestor(CLVKMarkupObject* pObject, Visit visit)
{
    for (int nDepth = 0; pObject && nDepth < kMarkupMaxParentChain; pObject = pObject->GetLogicalParent(), ++nDepth)
    {
        if (visit(pObject))
        {
            return pObject;
        }
    }
    return nullptr;
}

// The object itself or its nearest logical ancestor of the type, or null.
template <class T>
T* FindMarkupAncestorOfType(CLVKMarkupObject* pObject)
{
    return MarkupCast<T>(FindMarkupAncestor(pObject, [](CLVKMarkupObject* p) { return MarkupCast<T>(p) != nullptr; }));
}

// Whether making pHolder the logical parent of pChild would close a loop of
// parents: pChild is pHolder or one of its ancestors. A holder whose own
// chain is longer than kMarkupMaxParentChain is taken for a loop already.
BOOL AFX_CDECL WouldCloseMarkupCycle(const CLVKMarkupObject* pHolder, const CLVKMarkupObject* pChild);

// Holds one reference and releases it when destroyed or reset.
template <class T>
class CLVKMarkupAutoPtr
{
public:
    CLVKMarkupAutoPtr() = default;
    explicit CLVKMarkupAutoPtr(T* p) : m_p(p) {}
    ~CLVKMarkupAutoPtr() { Reset(); }
    CLVKMarkupAutoPtr(const CLVKMarkupAutoPtr&) = delete;
    CLVKMarkupAutoPtr& operator=(const CLVKMarkupAutoPtr&) = delete;

    void Reset(T* p = nullptr)
    {
        if (m_p)
        {
            m_p->Release();
        }
        m_p = p;
    }
    T* Detach()
    {
        T* p = m_p;
        m_p = nullptr;
        return p;
    }
    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    operator T*() const { return m_p; }

private:
    T* m_p = nullptr;
};
