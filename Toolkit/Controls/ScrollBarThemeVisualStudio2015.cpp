#include "Controls/ScrollBarThemeVisualStudio2015.h"

#include "Controls/ResourceThemeColors.h"

CLVKScrollBarThemeVisualStudio2012::Colors CLVKScrollBarThemeVisualStudio2015::GetColors(const CLVKScrollBase*) const
{
    const LPCWSTR kSection = L"Common.ScrollBar";
    Colors colors{};
    colors.clrBackground = LVKResourceThemeColor(kSection, L"NormalBack", 0xF3F3F3);
    colors.clrArrowDisabled = LVKResourceThemeColor(kSection, L"DisabledScrollArrow", 0xABABAB);
    colors.clrArrowNormal = LVKResourceThemeColor(kSection, L"NormalScrollArrow", 0x777777);
    colors.clrArrowHot = LVKResourceThemeColor(kSection, L"SelectedScrollArrow", 0x777777);
    colors.clrArrowPressed = LVKResourceThemeColor(kSection, L"PressedScrollArrow", 0x777777);
    colors.clrThumbNormal = LVKResourceThemeColor(kSection, L"NormalThumbBack", 0xFFFFFF);
    colors.clrThumbHot = LVKResourceThemeColor(kSection, L"SelectedThumbBack", 0xF0F0F0);
    colors.clrThumbPressed = LVKResourceThemeColor(kSection, L"PressedThumbBack", 0xF0F0F0);
    return colors;
}
