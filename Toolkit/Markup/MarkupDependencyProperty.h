// A named property of a markup type: its value type, its owner types and its
// metadata. Non-event properties get a slot index in every value store.
// Properties live for the process.
#pragma once

#include "Markup/MarkupPropertyMetadata.h"
#include "Markup/MarkupType.h"

#include <memory>

class CLVKMarkupDependencyProperty : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    // The metadata may be null (no default, no converter, no flags).
    static CLVKMarkupDependencyProperty* AFX_CDECL Register(LPCWSTR lpszName, CLVKMarkupType* pValueType,
                                                            CLVKMarkupType* pOwnerType,
                                                            CLVKMarkupPropertyMetadata* pMetadata = nullptr);
    static CLVKMarkupDependencyProperty* AFX_CDECL RegisterAttached(LPCWSTR lpszName, CLVKMarkupType* pValueType,
                                                                    CLVKMarkupType* pOwnerType,
                                                                    CLVKMarkupPropertyMetadata* pMetadata = nullptr);
    // Enters the property under a further owner type as well.
    CLVKMarkupDependencyProperty* AddOwner(CLVKMarkupType* pOwnerType);

    // An "x:" before the name is dropped; the type and its bases are searched.
    static CLVKMarkupDependencyProperty* AFX_CDECL FindProperty(const CLVKMarkupType* pType, LPCWSTR lpszName);
    // Slot indices handed out so far.
    static int AFX_CDECL GetPropertyCount();

    LPCWSTR GetName() const { return m_strName.c_str(); }
    CLVKMarkupType* GetValueType() const { return m_pValueType; }
    CLVKMarkupType* GetOwnerType() const { return m_pOwnerType; }
    BOOL IsAttached() const { return m_bAttached; }
    int GetStoreIndex() const { return m_nStoreIndex; }
    int GetFlags() const { return m_pMetadata ? m_pMetadata->m_nFlags : 0; }
    CLVKMarkupPropertyMetadata* GetMetadata() const { return m_pMetadata.get(); }
    CLVKMarkupObject* GetDefaultValue() const { return m_pMetadata ? m_pMetadata->m_pDefaultValue : nullptr; }
    virtual BOOL IsEvent() const { return FALSE; }

protected:
    CLVKMarkupDependencyProperty(LPCWSTR lpszName, CLVKMarkupType* pValueType, CLVKMarkupType* pOwnerType,
                                 BOOL bAttached, CLVKMarkupPropertyMetadata* pMetadata);
    // Slot index and entry into the name map; events get no slot.
    void Enter();
    void OnFinalRelease() override {}

public:
    BOOL IsShared() const override { return TRUE; }

private:
    std::wstring m_strName;
    CLVKMarkupType* m_pValueType;
    CLVKMarkupType* m_pOwnerType;
    BOOL m_bAttached;
    std::unique_ptr<CLVKMarkupPropertyMetadata> m_pMetadata;
    int m_nStoreIndex = -1;
};
