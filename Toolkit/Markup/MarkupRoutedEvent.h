// A named event of a markup type. Its metadata's bit 0x1 makes it bubble up
// the logical tree; without it the event reaches only the source element.
#pragma once

#include "Markup/MarkupDependencyProperty.h"

class CLVKMarkupRoutedEvent : public CLVKMarkupDependencyProperty
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    static CLVKMarkupRoutedEvent* AFX_CDECL RegisterRoutedEvent(LPCWSTR lpszName, int nRoutingFlags,
                                                                CLVKMarkupType* pOwnerType);

    BOOL IsEvent() const override { return TRUE; }
    BOOL IsBubbling() const { return (GetFlags() & MarkupPropertyInherits) != 0; }

private:
    CLVKMarkupRoutedEvent(LPCWSTR lpszName, CLVKMarkupType* pOwnerType, CLVKMarkupPropertyMetadata* pMetadata);

public:
    // Script member "Name".
    BSTR OleGetName();

protected:
    DECLARE_DISPATCH_MAP()
};
