// Dispatch maps: the named methods and properties of a command target that
// automation clients (scripts) reach through IDispatch::GetIDsOfNames and
// IDispatch::Invoke. Each entry names a member; the caller's arguments are
// converted to the entry's declared variant types before the member is called,
// and its result is converted back to the declared result type.
#pragma once

#include "AfxBase.h"
#include "String.h"

#include <oleauto.h>

#include <tuple>
#include <type_traits>
#include <utility>

class CCmdTarget;

// Parameter type strings: one byte per parameter, the variant type; the bit
// VT_MFCBYREF marks a by-reference parameter (a pointer in the member).
#define VT_MFCBYREF 0x40
#define VTS_NONE ""
#define VTS_I2 "\x02"
#define VTS_I4 "\x03"
#define VTS_R4 "\x04"
#define VTS_R8 "\x05"
#define VTS_DATE "\x07"
#define VTS_BSTR "\x08"  // the member takes LPCOLESTR (or BSTR)
#define VTS_DISPATCH "\x09"
#define VTS_SCODE "\x0A"
#define VTS_BOOL "\x0B"     // the member takes BOOL
#define VTS_VARIANT "\x0C"  // the member takes const VARIANT& or const VARIANT*
#define VTS_UNKNOWN "\x0D"
#define VTS_UI1 "\x11"
#define VTS_PI2 "\x42"
#define VTS_PI4 "\x43"
#define VTS_PR4 "\x44"
#define VTS_PR8 "\x45"
#define VTS_PBSTR "\x48"
#define VTS_PDISPATCH "\x49"
#define VTS_PBOOL "\x4B"  // the member takes VARIANT_BOOL*
#define VTS_PVARIANT "\x4C"
#define VTS_PUNKNOWN "\x4D"

// Calls one member: pArgs holds the arguments in declaration order, already
// of their declared types; the member's result is stored in pResult as vt.
typedef HRESULT(AFX_CDECL* AFX_DISPTHUNK)(CCmdTarget* pTarget, VARIANT* pArgs, VARTYPE vt, VARIANT* pResult);

enum AFX_DISPMAP_KIND : UINT
{
    afxDispMethod = 1,
    afxDispProperty = 2,
    afxDispDefValue = 3,  // DISPID_VALUE stands for the member named lpszName
};

struct AFX_DISPMAP_ENTRY
{
    LPCWSTR lpszName;      // NULL ends the table
    DISPID lDispID;        // DISPID_UNKNOWN: numbered by position in the map
    const char* pbParams;  // methods: the parameter type string
    VARTYPE vt;            // the method's result type or the property's type
    AFX_DISPMAP_KIND nKind;
    AFX_DISPTHUNK pfnInvoke;  // the method, or the property's getter
    AFX_DISPTHUNK pfnSet;     // the property's setter; NULL when read-only
};

struct AFX_DISPMAP
{
    const AFX_DISPMAP*(PASCAL* pfnGetBaseMap)();
    const AFX_DISPMAP_ENTRY* lpEntries;
};

#define DECLARE_DISPATCH_MAP()                                       \
private:                                                             \
    static const AFX_DISPMAP_ENTRY* PASCAL GetThisDispatchEntries(); \
                                                                     \
protected:                                                           \
    static const AFX_DISPMAP* PASCAL GetThisDispatchMap();           \
    virtual const AFX_DISPMAP* GetDispatchMap() const;

#define BEGIN_DISPATCH_MAP(theClass, baseClass)                                                    \
    const AFX_DISPMAP* theClass::GetDispatchMap() const                                            \
    {                                                                                              \
        return GetThisDispatchMap();                                                               \
    }                                                                                              \
    const AFX_DISPMAP* PASCAL theClass::GetThisDispatchMap()                                       \
    {                                                                                              \
        static const AFX_DISPMAP map = {&baseClass::GetThisDispatchMap, GetThisDispatchEntries()}; \
        return &map;                                                                               \
    }                                                                                              \
    const AFX_DISPMAP_ENTRY* PASCAL theClass::GetThisDispatchEntries()                             \
    {                                                                                              \
        static const AFX_DISPMAP_ENTRY entries[] = {
#define END_DISPATCH_MAP()                                                          \
    {                                                                               \
        nullptr, DISPID_UNKNOWN, nullptr, VT_EMPTY, afxDispMethod, nullptr, nullptr \
    }                                                                               \
    }                                                                               \
    ;                                                                               \
    return entries;                                                                 \
    }

// A method: DISP_FUNCTION(CMyClass, "Name", Member, VT_I4, VTS_BSTR VTS_I4).
#define DISP_FUNCTION_ID(theClass, szExternalName, dispid, pfnMember, vtRetVal, vtsParams) \
    {L"" szExternalName,                                                                   \
     dispid,                                                                               \
     vtsParams,                                                                            \
     vtRetVal,                                                                             \
     afxDispMethod,                                                                        \
     &AfxDispInvokeMethod<theClass, &theClass::pfnMember, sizeof(vtsParams) - 1>,          \
     nullptr},
#define DISP_FUNCTION(theClass, szExternalName, pfnMember, vtRetVal, vtsParams) \
    DISP_FUNCTION_ID(theClass, szExternalName, DISPID_UNKNOWN, pfnMember, vtRetVal, vtsParams)

// A property kept in a member variable (long, short, BOOL, double, CString...).
#define DISP_PROPERTY_ID(theClass, szExternalName, dispid, memberName, vtPropType) \
    {L"" szExternalName,                                                           \
     dispid,                                                                       \
     nullptr,                                                                      \
     vtPropType,                                                                   \
     afxDispProperty,                                                              \
     &AfxDispGetMember<theClass, &theClass::memberName>,                           \
     &AfxDispSetMember<theClass, &theClass::memberName>},
#define DISP_PROPERTY(theClass, szExternalName, memberName, vtPropType) \
    DISP_PROPERTY_ID(theClass, szExternalName, DISPID_UNKNOWN, memberName, vtPropType)

// A property read and written through member functions. GetNotSupported or
// SetNotSupported make it write-only or read-only.
#define DISP_PROPERTY_EX_ID(theClass, szExternalName, dispid, pfnGet, pfnSet, vtPropType) \
    {L"" szExternalName,                                                                  \
     dispid,                                                                              \
     nullptr,                                                                             \
     vtPropType,                                                                          \
     afxDispProperty,                                                                     \
     AfxDispGetThunk<theClass, &theClass::pfnGet>(),                                      \
     AfxDispSetThunk<theClass, &theClass::pfnSet>()},
#define DISP_PROPERTY_EX(theClass, szExternalName, pfnGet, pfnSet, vtPropType) \
    DISP_PROPERTY_EX_ID(theClass, szExternalName, DISPID_UNKNOWN, pfnGet, pfnSet, vtPropType)

// DISPID_VALUE (a call of the object itself) stands for the member named here.
#define DISP_DEFVALUE(theClass, szExternalName) \
    {L"" szExternalName, DISPID_VALUE, nullptr, VT_EMPTY, afxDispDefValue, nullptr, nullptr},

// GetIDsOfNames and Invoke of a command target's dispatch map (the framework's
// IDispatch calls these).
HRESULT AFXAPI AfxDispatchGetIDsOfNames(const AFX_DISPMAP* pMap, LPOLESTR* rgszNames, UINT cNames, DISPID* rgDispId);
HRESULT AFXAPI AfxDispatchInvoke(CCmdTarget* pTarget, const AFX_DISPMAP* pMap, DISPID dispid, LCID lcid, WORD wFlags,
                                 DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr);

// The entry and the id of a name in the map chain (case-insensitive); NULL
// when the name is unknown.
const AFX_DISPMAP_ENTRY* AFXAPI AfxFindDispatchEntry(const AFX_DISPMAP* pMap, LPCOLESTR lpszName, DISPID* pDispID);

// Argument and result conversions used by the member thunks.
long AFXAPI AfxDispArgLong(const VARIANT* pArg);
double AFXAPI AfxDispArgDouble(const VARIANT* pArg);
// Stores an integral or floating value as vt (VT_BOOL gives VARIANT_TRUE for
// any non-zero value).
HRESULT AFXAPI AfxDispSetLongResult(VARIANT* pResult, VARTYPE vt, long lValue);
HRESULT AFXAPI AfxDispSetDoubleResult(VARIANT* pResult, VARTYPE vt, double dValue);
HRESULT AFXAPI AfxDispSetStringResult(VARIANT* pResult, LPCOLESTR lpsz);

template <class T>
struct AfxDispDependentFalse : std::false_type
{
};

// The member's parameter of type T from an argument already converted to the
// declared variant type.
template <class T>
T AfxDispArgFrom(VARIANT* pArg)
{
    using U = std::remove_cv_t<std::remove_reference_t<T>>;
    if constexpr (std::is_same_v<U, VARIANT>)
        return V_VT(pArg) == (VT_BYREF | VT_VARIANT) ? *V_VARIANTREF(pArg) : *pArg;
    else if constexpr (std::is_same_v<U, VARIANT*> || std::is_same_v<U, const VARIANT*>)
        return V_VT(pArg) == (VT_BYREF | VT_VARIANT) ? V_VARIANTREF(pArg) : pArg;
    else if constexpr (std::is_same_v<U, wchar_t*> || std::is_same_v<U, const wchar_t*>)
        return V_BSTR(pArg);
    else if constexpr (std::is_same_v<U, IDispatch*>)
        return V_DISPATCH(pArg);
    else if constexpr (std::is_same_v<U, IUnknown*>)
        return V_UNKNOWN(pArg);
    else if constexpr (std::is_pointer_v<U>)
        return static_cast<U>(V_BYREF(pArg));
    else if constexpr (std::is_same_v<U, bool>)
        return AfxDispArgLong(pArg) != 0;
    else if constexpr (std::is_integral_v<U> || std::is_enum_v<U>)
        return static_cast<U>(AfxDispArgLong(pArg));
    else if constexpr (std::is_floating_point_v<U>)
        return static_cast<U>(AfxDispArgDouble(pArg));
    else
        static_assert(AfxDispDependentFalse<U>::value, "no automation conversion for this parameter type");
}

// Stores a member's result as vt. A returned BSTR, interface or VARIANT hands
// its ownership (one reference) to the caller.
template <class R>
HRESULT AfxDispSetResult(VARIANT* pResult, VARTYPE vt, R&& value)
{
    using U = std::remove_cv_t<std::remove_reference_t<R>>;
    if constexpr (std::is_same_v<U, VARIANT>)
    {
        *pResult = value;
        return S_OK;
    }
    else if constexpr (std::is_same_v<U, wchar_t*>)
    {
        V_VT(pResult) = VT_BSTR;
        V_BSTR(pResult) = value;
        return S_OK;
    }
    else if constexpr (std::is_same_v<U, const wchar_t*>)
        return AfxDispSetStringResult(pResult, value);
    else if constexpr (std::is_same_v<U, CString>)
        return AfxDispSetStringResult(pResult, static_cast<LPCTSTR>(value));
    else if constexpr (std::is_same_v<U, IDispatch*>)
    {
        V_VT(pResult) = VT_DISPATCH;
        V_DISPATCH(pResult) = value;
        return S_OK;
    }
    else if constexpr (std::is_same_v<U, IUnknown*>)
    {
        V_VT(pResult) = VT_UNKNOWN;
        V_UNKNOWN(pResult) = value;
        return S_OK;
    }
    else if constexpr (std::is_integral_v<U> || std::is_enum_v<U>)
        return AfxDispSetLongResult(pResult, vt, static_cast<long>(value));
    else if constexpr (std::is_floating_point_v<U>)
        return AfxDispSetDoubleResult(pResult, vt, static_cast<double>(value));
    else
        static_assert(AfxDispDependentFalse<U>::value, "no automation conversion for this result type");
}

template <class F>
struct AfxDispFnTraits;
template <class C, class R, class... A>
struct AfxDispFnTraits<R (C::*)(A...)>
{
    using Result = R;
    using Args = std::tuple<A...>;
    static constexpr size_t kCount = sizeof...(A);
};
template <class C, class R, class... A>
struct AfxDispFnTraits<R (C::*)(A...) const> : AfxDispFnTraits<R (C::*)(A...)>
{
};

template <class theClass, auto pfn, size_t... I>
HRESULT AfxDispCallMember(CCmdTarget* pTarget, VARIANT* pArgs, VARTYPE vt, VARIANT* pResult, std::index_sequence<I...>)
{
    using Traits = AfxDispFnTraits<decltype(pfn)>;
    theClass* pThis = static_cast<theClass*>(pTarget);
    (void)pArgs;
    if constexpr (std::is_void_v<typename Traits::Result>)
    {
        (pThis->*pfn)(AfxDispArgFrom<std::tuple_element_t<I, typename Traits::Args>>(&pArgs[I])...);
        (void)vt;
        (void)pResult;
        return S_OK;
    }
    else
        return AfxDispSetResult(
            pResult, vt, (pThis->*pfn)(AfxDispArgFrom<std::tuple_element_t<I, typename Traits::Args>>(&pArgs[I])...));
}

template <class theClass, auto pfn, size_t nParams>
HRESULT AFX_CDECL AfxDispInvokeMethod(CCmdTarget* pTarget, VARIANT* pArgs, VARTYPE vt, VARIANT* pResult)
{
    using Traits = AfxDispFnTraits<decltype(pfn)>;
    static_assert(Traits::kCount == nParams, "the parameter type string does not match the member's parameters");
    return AfxDispCallMember<theClass, pfn>(pTarget, pArgs, vt, pResult, std::make_index_sequence<Traits::kCount>());
}

// Getter and setter thunks; a getter without result or a setter without
// parameter (GetNotSupported, SetNotSupported) leaves that direction out.
template <class theClass, auto pfnGet>
constexpr AFX_DISPTHUNK AfxDispGetThunk()
{
    using Traits = AfxDispFnTraits<decltype(pfnGet)>;
    if constexpr (std::is_void_v<typename Traits::Result>)
        return nullptr;
    else
        return &AfxDispInvokeMethod<theClass, pfnGet, 0>;
}

template <class theClass, auto pfnSet>
constexpr AFX_DISPTHUNK AfxDispSetThunk()
{
    using Traits = AfxDispFnTraits<decltype(pfnSet)>;
    if constexpr (Traits::kCount == 0)
        return nullptr;
    else
        return &AfxDispInvokeMethod<theClass, pfnSet, 1>;
}

template <class theClass, auto pMember>
HRESULT AFX_CDECL AfxDispGetMember(CCmdTarget* pTarget, VARIANT*, VARTYPE vt, VARIANT* pResult)
{
    const auto& value = static_cast<theClass*>(pTarget)->*pMember;
    using M = std::remove_cv_t<std::remove_reference_t<decltype(value)>>;
    static_assert(!std::is_pointer_v<M>, "pointer properties need getter and setter functions");
    return AfxDispSetResult(pResult, vt, value);
}

template <class theClass, auto pMember>
HRESULT AFX_CDECL AfxDispSetMember(CCmdTarget* pTarget, VARIANT* pArgs, VARTYPE, VARIANT*)
{
    auto& value = static_cast<theClass*>(pTarget)->*pMember;
    using M = std::remove_reference_t<decltype(value)>;
    if constexpr (std::is_same_v<M, CString>)
        value = V_BSTR(pArgs) ? V_BSTR(pArgs) : L"";
    else
        value = AfxDispArgFrom<M>(pArgs);
    return S_OK;
}
