// CObject and the run-time class records behind RUNTIME_CLASS, dynamic
// creation and serialisation.
#pragma once

#include "AfxBase.h"

// One record per class that declares DECLARE_DYNAMIC, DECLARE_DYNCREATE or
// DECLARE_SERIAL. Records are constant data; the registry of names lives apart.
struct CRuntimeClass
{
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;                         // 0xFFFF: not serialisable
    CObject*(PASCAL* m_pfnCreateObject)();  // NULL: not creatable
    const CRuntimeClass* m_pBaseClass;

    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // Registered classes only (every IMPLEMENT_ macro registers its class).
    static CRuntimeClass* PASCAL FromName(LPCSTR lpszClassName);
    static CRuntimeClass* PASCAL FromName(LPCWSTR lpszClassName);
    static CObject* PASCAL CreateObject(LPCSTR lpszClassName);
    static CObject* PASCAL CreateObject(LPCWSTR lpszClassName);

    // Class records inside archives.
    void Store(CArchive& ar) const;
    static CRuntimeClass* PASCAL Load(CArchive& ar, UINT* pwSchemaNum);
};

// A static object of this type puts a class in the registry during start-up.
struct AFX_CLASSINIT
{
    explicit AFX_CLASSINIT(const CRuntimeClass* pNewClass);

    const CRuntimeClass* m_pClass;
    AFX_CLASSINIT* m_pNext = nullptr;
};

class CObject
{
public:
    virtual ~CObject() = default;

    virtual CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    BOOL IsSerializable() const;

    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const {}

    static const CRuntimeClass classCObject;

protected:
    CObject() = default;

private:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

#define _RUNTIME_CLASS(class_name) (const_cast<CRuntimeClass*>(&class_name::class##class_name))
#define RUNTIME_CLASS(class_name) _RUNTIME_CLASS(class_name)

#define DECLARE_DYNAMIC(class_name)               \
public:                                           \
    static const CRuntimeClass class##class_name; \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* PASCAL CreateObject();

#define DECLARE_SERIAL(class_name) \
    DECLARE_DYNCREATE(class_name)  \
    friend CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb);

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                                         \
    const CRuntimeClass class_name::class##class_name = {#class_name, sizeof(class class_name), (wSchema), (pfnNew), \
                                                         RUNTIME_CLASS(base_class_name)};                            \
    static const AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name));                                        \
    CRuntimeClass* class_name::GetRuntimeClass() const                                                               \
    {                                                                                                                \
        return RUNTIME_CLASS(class_name);                                                                            \
    }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* PASCAL class_name::CreateObject()           \
    {                                                    \
        return new class_name;                           \
    }                                                    \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

// The schema may carry VERSIONABLE_SCHEMA; the archive then hands the stored
// schema to Serialize through CArchive::GetObjectSchema.
#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                             \
    CObject* PASCAL class_name::CreateObject()                                             \
    {                                                                                      \
        return new class_name;                                                             \
    }                                                                                      \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject) \
    [[maybe_unused]] CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb)           \
    {                                                                                      \
        pOb = static_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name)));          \
        return ar;                                                                         \
    }

#define VERSIONABLE_SCHEMA (0x80000000)

// Whether pObject is of class_name or derived from it; NULL otherwise.
#define DYNAMIC_DOWNCAST(class_name, object) \
    (static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), (object))))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
