#include "Markup/MarkupKeyboardNavigation.h"

#include "Markup/MarkupBool.h"
#include "Markup/MarkupEnum.h"
#include "Markup/MarkupInt.h"
#include "Markup/MarkupString.h"
#include "Markup/MarkupValueConverters.h"

CLVKMarkupDependencyProperty* CLVKMarkupKeyboardNavigation::m_pIsTabStopProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupKeyboardNavigation::m_pTabNavigationProperty = nullptr;
CLVKMarkupDependencyProperty* CLVKMarkupKeyboardNavigation::m_pTabIndexProperty = nullptr;

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupKeyboardNavigation, L"KeyboardNavigation", CLVKMarkupObject::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupKeyboardNavigation(); },
    &CLVKMarkupKeyboardNavigation::RegisterProperties)

namespace
{

CLVKMarkupObject* AFX_CDECL TabNavigationConverter(CLVKMarkupBuilder*, CLVKMarkupObject* pValue,
                                                   CLVKMarkupDependencyProperty*)
{
    static const MarkupWord words[] = {{L"Continue", 0}, {L"Once", 1},      {L"Cycle", 2},
                                       {L"None", 3},     {L"Contained", 4}, {L"Local", 5}};
    auto* const pString = MarkupCast<CLVKMarkupString>(pValue);
    int nValue = 0;
    if (!pString || !MarkupFindWord(words, 6, pString->GetText(), nValue))
    {
        return nullptr;
    }
    return new CLVKMarkupEnum(nValue);
}

}  // namespace

void AFX_CDECL CLVKMarkupKeyboardNavigation::RegisterProperties()
{
    CLVKMarkupType* const pType = GetMarkupType();
    m_pIsTabStopProperty = CLVKMarkupDependencyProperty::RegisterAttached(
        L"IsTabStop", CLVKMarkupBool::GetMarkupType(), pType, new CLVKMarkupPropertyMetadata(new CLVKMarkupBool(TRUE)));
    m_pTabNavigationProperty =
        CLVKMarkupDependencyProperty::RegisterAttached(L"TabNavigation", CLVKMarkupEnum::GetMarkupType(), pType,
                                                       new CLVKMarkupPropertyMetadata(nullptr, TabNavigationConverter));
    m_pTabIndexProperty =
        CLVKMarkupDependencyProperty::RegisterAttached(L"TabIndex", CLVKMarkupInt::GetMarkupType(), pType,
                                                       new CLVKMarkupPropertyMetadata(new CLVKMarkupInt(0x7FFFFFFF)));
}

BOOL CLVKMarkupKeyboardNavigation::OnWndMsg(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                                            LRESULT* /*pResult*/)
{
    return FALSE;
}

void CLVKMarkupKeyboardNavigation::Focus(CLVKMarkupObject* /*pElement*/)
{
}
