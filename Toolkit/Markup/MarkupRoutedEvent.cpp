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
