// Script access to markup objects. Every markup object has automation
// enabled (CLVKMarkupObject); a class publishes script names with a dispatch
// map. Members backed by a dependency property need no code of their own:
//
//   BEGIN_DISPATCH_MAP(CLVKMarkupPanel, CLVKMarkupFrameworkElement)
//       DISP_MARKUP_OBJECT("Background", 500, CLVKMarkupPanel::m_pBackgroundProperty)
//       DISP_PROPERTY_EX_ID(CLVKMarkupPanel, "Children", 501, OleGetChildren, SetNotSupported, VT_DISPATCH)
//   END_DISPATCH_MAP()
//
// Objects go to scripts as IDispatch with one reference for the caller; an
// object handed in by a script is taken back with LVKMarkupObjectFromUnknown.
#pragma once

#include "Markup/MarkupRoutedEvent.h"

// Reading gives the effective value's automation object (with a reference),
// or nothing; writing takes a markup object passed as an automation object
// (nothing clears the value). A foreign object raises E_INVALIDARG, an object
// of the wrong type DISP_E_TYPEMISMATCH.
HRESULT AFX_CDECL MarkupDispGetObjectValue(CLVKMarkupObject* pObject, CLVKMarkupDependencyProperty* pProperty,
                                           VARIANT* pResult);
void AFX_CDECL MarkupDispSetObjectValue(CLVKMarkupObject* pObject, CLVKMarkupDependencyProperty* pProperty,
                                        IDispatch* pValue);
// The effective Int, Enum, Bool or Double value as an integer (doubles
// truncated); the fallback when there is none.
int AFX_CDECL MarkupGetIntValue(const CLVKMarkupObject* pObject, CLVKMarkupDependencyProperty* pProperty,
                                int nFallback = 0);
// Stores the number as a value of the property's value type (Int, Enum, Bool
// or Double).
void AFX_CDECL MarkupSetNumberValue(CLVKMarkupObject* pObject, CLVKMarkupDependencyProperty* pProperty, double dValue);
// VT_NULL when unset, a BSTR copy for a String value, else the value's
// automation object.
HRESULT AFX_CDECL MarkupDispGetVariantValue(CLVKMarkupObject* pObject, CLVKMarkupDependencyProperty* pProperty,
                                            VARIANT* pResult);
// Stores a BSTR as a String value; other variant types are ignored.
void AFX_CDECL MarkupDispSetTextValue(CLVKMarkupObject* pObject, CLVKMarkupDependencyProperty* pProperty,
                                      const VARIANT* pValue);

// A colour argument as its 32 bits: scripts write 0xAARRGGBB values above
// 0x7FFFFFFF as unsigned numbers, which no I4 conversion takes.
DWORD AFX_CDECL MarkupDispArgColor(const VARIANT& value);

// Thunks of the dispatch map entries below; the property is read through the
// address of the class's static property pointer when the call comes (the
// properties are registered after the maps are built).
template <CLVKMarkupDependencyProperty** ppProperty>
HRESULT AFX_CDECL MarkupDispGetObject(CCmdTarget* pTarget, VARIANT*, VARTYPE, VARIANT* pResult)
{
    return MarkupDispGetObjectValue(static_cast<CLVKMarkupObject*>(pTarget), *ppProperty, pResult);
}

template <CLVKMarkupDependencyProperty** ppProperty>
HRESULT AFX_CDECL MarkupDispSetObject(CCmdTarget* pTarget, VARIANT* pArgs, VARTYPE, VARIANT*)
{
    MarkupDispSetObjectValue(static_cast<CLVKMarkupObject*>(pTarget), *ppProperty, V_DISPATCH(&pArgs[0]));
    return S_OK;
}

template <CLVKMarkupDependencyProperty** ppProperty, int nFallback>
HRESULT AFX_CDECL MarkupDispGetNumber(CCmdTarget* pTarget, VARIANT*, VARTYPE vt, VARIANT* pResult)
{
    return AfxDispSetLongResult(pResult, vt,
                                MarkupGetIntValue(static_cast<CLVKMarkupObject*>(pTarget), *ppProperty, nFallback));
}

template <CLVKMarkupDependencyProperty** ppProperty>
HRESULT AFX_CDECL MarkupDispSetNumber(CCmdTarget* pTarget, VARIANT* pArgs, VARTYPE, VARIANT*)
{
    MarkupSetNumberValue(static_cast<CLVKMarkupObject*>(pTarget), *ppProperty, AfxDispArgDouble(&pArgs[0]));
    return S_OK;
}

template <CLVKMarkupDependencyProperty** ppProperty>
HRESULT AFX_CDECL MarkupDispGetVariant(CCmdTarget* pTarget, VARIANT*, VARTYPE, VARIANT* pResult)
{
    return MarkupDispGetVariantValue(static_cast<CLVKMarkupObject*>(pTarget), *ppProperty, pResult);
}

template <CLVKMarkupDependencyProperty** ppProperty>
HRESULT AFX_CDECL MarkupDispSetText(CCmdTarget* pTarget, VARIANT* pArgs, VARTYPE, VARIANT*)
{
    MarkupDispSetTextValue(static_cast<CLVKMarkupObject*>(pTarget), *ppProperty, &pArgs[0]);
    return S_OK;
}

// An object-valued property, read and write.
#define DISP_MARKUP_OBJECT(szExternalName, dispid, property) \
    {L"" szExternalName,                                     \
     dispid,                                                 \
     nullptr,                                                \
     VT_DISPATCH,                                            \
     afxDispProperty,                                        \
     &MarkupDispGetObject<&property>,                        \
     &MarkupDispSetObject<&property>},
// An object-valued property, read only.
#define DISP_MARKUP_OBJECT_READONLY(szExternalName, dispid, property) \
    {L"" szExternalName, dispid, nullptr, VT_DISPATCH, afxDispProperty, &MarkupDispGetObject<&property>, nullptr},
// A number property as vt (VT_I4 or VT_BOOL): reads the effective value (the
// fallback when unset), writes a value of the property's value type.
#define DISP_MARKUP_NUMBER(szExternalName, dispid, property, vt, nFallback) \
    {L"" szExternalName,                                                    \
     dispid,                                                                \
     nullptr,                                                               \
     vt,                                                                    \
     afxDispProperty,                                                       \
     &MarkupDispGetNumber<&property, nFallback>,                            \
     &MarkupDispSetNumber<&property>},
#define DISP_MARKUP_NUMBER_READONLY(szExternalName, dispid, property, vt, nFallback) \
    {L"" szExternalName, dispid, nullptr, vt, afxDispProperty, &MarkupDispGetNumber<&property, nFallback>, nullptr},
// A VARIANT property: reads VT_NULL, a text or an object; writes texts only.
#define DISP_MARKUP_TEXT_VARIANT(szExternalName, dispid, property)                                                 \
    {L"" szExternalName,           dispid, nullptr, VT_VARIANT, afxDispProperty, &MarkupDispGetVariant<&property>, \
     &MarkupDispSetText<&property>},

// The markup element a script passes as the first argument, or null.
inline CLVKMarkupObject* MarkupDispArgElement(VARIANT* pArgs)
{
    return V_VT(&pArgs[0]) == VT_DISPATCH ? LVKMarkupObjectFromUnknown(V_DISPATCH(&pArgs[0]), FALSE) : nullptr;
}

// An attached value read on the element passed as the first argument,
// through the owning class's getter (so its rules for unset values hold).
template <int(AFX_CDECL* pfnGet)(const CLVKMarkupObject*)>
HRESULT AFX_CDECL MarkupDispGetAttached(CCmdTarget*, VARIANT* pArgs, VARTYPE vt, VARIANT* pResult)
{
    const CLVKMarkupObject* const pElement = MarkupDispArgElement(pArgs);
    if (!pElement)
    {
        return E_INVALIDARG;
    }
    return AfxDispSetLongResult(pResult, vt, pfnGet(pElement));
}

// An attached value written on the element passed as the first argument.
template <void(AFX_CDECL* pfnSet)(CLVKMarkupObject*, int)>
HRESULT AFX_CDECL MarkupDispSetAttached(CCmdTarget*, VARIANT* pArgs, VARTYPE, VARIANT*)
{
    CLVKMarkupObject* const pElement = MarkupDispArgElement(pArgs);
    if (!pElement)
    {
        return E_INVALIDARG;
    }
    pfnSet(pElement, V_I4(&pArgs[1]));
    return S_OK;
}

// "GetName" (element) → integer and "SetName" (element, integer) methods of
// an attached property.
#define DISP_MARKUP_ATTACHED_GET(szExternalName, dispid, pfnGet) \
    {L"" szExternalName, dispid, VTS_DISPATCH, VT_I4, afxDispMethod, &MarkupDispGetAttached<&pfnGet>, nullptr},
#define DISP_MARKUP_ATTACHED_SET(szExternalName, dispid, pfnSet) \
    {L"" szExternalName,                                        \
     dispid,                                                    \
     VTS_DISPATCH VTS_I4,                                       \
     VT_EMPTY,                                                  \
     afxDispMethod,                                             \
     &MarkupDispSetAttached<&pfnSet>,                           \
     nullptr},

// The script members every markup collection offers (their code is
// CLVKMarkupCollection's): "Item", "Count", "_NewEnum", "Add", "Insert",
// "Clear" and "RemoveAt".
#define DISP_MARKUP_COLLECTION(theClass)                                                                       \
    DISP_FUNCTION_ID(theClass, "Item", DISPID_VALUE, OleItem, VT_DISPATCH, VTS_I4)                             \
    DISP_PROPERTY_EX_ID(theClass, "Count", 1, OleGetCount, SetNotSupported, VT_I4)                             \
    DISP_PROPERTY_EX_ID(theClass, "_NewEnum", DISPID_NEWENUM, OleNewEnum, SetNotSupported, VT_UNKNOWN)         \
    DISP_FUNCTION_ID(theClass, "Add", 2, OleAdd, VT_EMPTY, VTS_DISPATCH)                                       \
    DISP_FUNCTION_ID(theClass, "Insert", 3, OleInsert, VT_EMPTY, VTS_I4 VTS_DISPATCH)                          \
    DISP_FUNCTION_ID(theClass, "Clear", 4, OleClear, VT_EMPTY, VTS_NONE)                                       \
    DISP_FUNCTION_ID(theClass, "RemoveAt", 5, OleRemoveAt, VT_EMPTY, VTS_I4)

template <CLVKMarkupRoutedEvent** ppEvent>
HRESULT AFX_CDECL MarkupDispGetEvent(CCmdTarget*, VARIANT*, VARTYPE, VARIANT* pResult)
{
    V_VT(pResult) = VT_DISPATCH;
    V_DISPATCH(pResult) = CLVKMarkupObject::GetDispatch(static_cast<CLVKMarkupObject*>(*ppEvent), TRUE);
    return S_OK;
}

// A routed event object, read only.
#define DISP_MARKUP_EVENT(szExternalName, dispid, event) \
    {L"" szExternalName, dispid, nullptr, VT_DISPATCH, afxDispProperty, &MarkupDispGetEvent<&event>, nullptr},
