#include "Markup/MarkupRadioButton.h"

#include "Foundation/WinThemeWrapper.h"

#include <vector>

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupRadioButton, L"RadioButton", CLVKMarkupCheckBox::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupRadioButton(); }, nullptr)

namespace
{

enum
{
    kPartRadioButton = 2
};

}  // namespace

void CLVKMarkupRadioButton::OnToggle()
{
    SetChecked(1);
}

void CLVKMarkupRadioButton::OnChecked()
{
    // The group is the radio buttons that share this one's parent.
    if (CLVKMarkupVisual* const pParent = GetVisualParent())
    {
        std::vector<CLVKMarkupRadioButton*> others;
        for (int i = 0; i < pParent->GetVisualChildrenCount(); ++i)
        {
            auto* const pOther = MarkupCast<CLVKMarkupRadioButton>(pParent->GetVisualChild(i));
            if (pOther && pOther != this && pOther->GetChecked() != 0)
            {
                pOther->AddRef();
                others.push_back(pOther);
            }
        }
        for (CLVKMarkupRadioButton* const pOther : others)
        {
            pOther->SetChecked(0);
            pOther->Release();
        }
    }
    CLVKMarkupCheckBox::OnChecked();
}

void CLVKMarkupRadioButton::DrawMark(HDC hDC, const RECT& rcMark)
{
    RECT rc = rcMark;
    const BOOL bChecked = GetChecked() != 0;
    if (IsThemed())
    {
        GetThemeWrapper().DrawThemeBackground(hDC, kPartRadioButton, GetBaseState() + (bChecked ? 4 : 0), &rc, nullptr);
        return;
    }
    UINT nFlags = DFCS_BUTTONRADIO;
    if (bChecked)
    {
        nFlags |= DFCS_CHECKED;
    }
    if (IsPressed())
    {
        nFlags |= DFCS_PUSHED;
    }
    DrawFrameControl(hDC, &rc, DFC_BUTTON, nFlags);
}
