#include "Markup/MarkupRoutedEvent.h"

#include "Markup/MarkupString.h"

LVK_IMPLEMENT_MARKUP_TYPE(CLVKMarkupRoutedEvent, L"", CLVKMarkupDependencyProperty::GetMarkupType(), nullptr, nullptr)

CLVKMarkupRoutedEvent::CLVKMarkupRoutedEvent(LPCWSTR lpszName, CLVKMarkupType* pOwnerType,
                                             CLVKMarkupPropertyMetadata* pMetadata)
    : CLVKMarkupDependencyProperty(lpszName, CLVKMarkupString::GetMarkupType(), pOwnerType, FALSE, pMetadata)
{
}

CLVKMarkupRoutedEvent* AFX_CDECL CLVKMarkupRoutedEvent::RegisterRoutedEvent(LPCWSTR lpszName, int nRoutingFlags,
                                                                            CLVKMarkupType* pOwnerType)
{
    auto* const pEvent = new CLVKMarkupRoutedEvent(
        lpszName, pOwnerType, nRoutingFlags ? new CLVKMarkupPropertyMetadata(nullptr, nRoutingFlags) : nullptr);
    pEvent->Enter();
    return pEvent;
}

BEGIN_DISPATCH_MAP(CLVKMarkupRoutedEvent, CLVKMarkupDependencyProperty)
    DISP_PROPERTY_EX_ID(CLVKMarkupRoutedEvent, "Name", 100, OleGetName, SetNotSupported, VT_BSTR)
END_DISPATCH_MAP()

BSTR CLVKMarkupRoutedEvent::OleGetName()
{
    return SysAllocString(GetName());
}
