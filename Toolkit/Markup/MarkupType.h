// A markup type: the class name, the tag written in markup (may be empty),
// the base type, the factory that makes an object bound to a context, and
// the registrar that registers the type's dependency properties once.
#pragma once

#include "Markup/MarkupObject.h"

class CLVKMarkupStyle;

// Types live for the process; as markup objects they are the values of
// "TargetType" and of {x:Type}, compared by identity.
class CLVKMarkupType : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()

public:
    typedef CLVKMarkupObject*(AFX_CDECL* PFNCREATE)();
    typedef void(AFX_CDECL* PFNREGISTER)();

    CLVKMarkupType(LPCWSTR lpszClassName, LPCWSTR lpszTag, CLVKMarkupType* pBaseType, PFNCREATE pfnCreate,
                   PFNREGISTER pfnRegister);
    ~CLVKMarkupType();

    LPCWSTR GetClassName() const { return m_lpszClassName; }
    LPCWSTR GetTag() const { return m_lpszTag; }
    CLVKMarkupType* GetBaseType() const { return m_pBaseType; }
    BOOL IsDerivedFrom(const CLVKMarkupType* pType) const;

    // A new object of this type bound to the context (null for abstract types).
    CLVKMarkupObject* CreateObject(CLVKMarkupContext* pContext) const;

    // The base type first, then this type's registrar, once per process.
    static void AFX_CDECL EnsureRegistered(CLVKMarkupType* pType);
    static void AFX_CDECL RegisterAll();

    // A style attached to the type by code: released when replaced, sealed here.
    void SetStyle(CLVKMarkupStyle* pStyle);
    CLVKMarkupStyle* GetStyle() const { return m_pStyle; }

    // A tag names its type (a reference added; types are never freed).
    CLVKMarkupObject* ConvertFrom(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pValue) override;

protected:
    void OnFinalRelease() override {}

public:
    BOOL IsShared() const override { return TRUE; }

private:
    LPCWSTR m_lpszClassName;
    LPCWSTR m_lpszTag;
    CLVKMarkupType* m_pBaseType;
    PFNCREATE m_pfnCreate;
    PFNREGISTER m_pfnRegister;
    BOOL m_bRegistered = FALSE;
    CLVKMarkupStyle* m_pStyle = nullptr;
};

// Every user of types registers or reads properties.
#include "Markup/MarkupDependencyProperty.h"
