// Keyboard focus handling of a markup context. Its attached properties
// ("IsTabStop", "TabNavigation", "TabIndex") are read by markup; the keys
// and focus messages themselves change nothing in the tree.
#pragma once

#include "Markup/MarkupType.h"

class CLVKMarkupContext;

class CLVKMarkupKeyboardNavigation : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    explicit CLVKMarkupKeyboardNavigation(CLVKMarkupContext* pOwner = nullptr) : m_pOwner(pOwner) {}

    // Never handled.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    void Focus(CLVKMarkupObject* pElement);

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pIsTabStopProperty;
    static CLVKMarkupDependencyProperty* m_pTabNavigationProperty;
    static CLVKMarkupDependencyProperty* m_pTabIndexProperty;

private:
    CLVKMarkupContext* m_pOwner;  // not owned
};
