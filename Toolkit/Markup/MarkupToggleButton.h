// A button with a checked state ("IsChecked": 0 unchecked, 1 checked, 2
// indeterminate) that a click toggles; every change of the state raises
// "Checked", "Unchecked" or "Indeterminate".
#pragma once

#include "Markup/MarkupButtonBase.h"

class CLVKMarkupToggleButton : public CLVKMarkupButtonBase
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    int GetChecked() const;
    void SetChecked(int nChecked);
    BOOL IsThreeState() const;

    // Toggles, then raises "Click".
    void OnClick() override;
    virtual void OnToggle();
    virtual void OnChecked();
    virtual void OnUnchecked();
    virtual void OnIndeterminate();

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pIsCheckedProperty;
    static CLVKMarkupDependencyProperty* m_pIsThreeStateProperty;
    static CLVKMarkupRoutedEvent* m_pCheckedEvent;
    static CLVKMarkupRoutedEvent* m_pUncheckedEvent;
    static CLVKMarkupRoutedEvent* m_pIndeterminateEvent;

protected:
    long OleGetIsChecked();
    // 0, 1 or 2; anything else is refused.
    void OleSetIsChecked(long nChecked);
    DECLARE_DISPATCH_MAP()

private:
    static CLVKMarkupObject* AFX_CDECL ConvertChecked(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pValue,
                                                      CLVKMarkupDependencyProperty* pProperty);
    static void AFX_CDECL OnCheckedChanged(CLVKMarkupObject* pObject, const MarkupPropertyChange& change);
};
