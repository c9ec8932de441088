// "RadioButton": a click always checks it; checking it unchecks the other
// radio buttons that share its parent.
#pragma once

#include "Markup/MarkupCheckBox.h"

class CLVKMarkupRadioButton : public CLVKMarkupCheckBox
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    void OnToggle() override;
    void OnChecked() override;

protected:
    void DrawMark(HDC hDC, const RECT& rcMark) override;
    BOOL DrawsOverBackground() const override { return TRUE; }
};
