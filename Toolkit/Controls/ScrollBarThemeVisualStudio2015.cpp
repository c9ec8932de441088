#include "Controls/ScrollBarThemeVisualStudio2015.h"

#include "Foundation/ResourceImages.h"

CLVKScrollBarThemeVisualStudio2012::Colors CLVKScrollBarThemeVisualStudio2015::GetColors(const CLVKScrollBase*) const
{
    const LPCWSTR kSection = L"Common.ScrollBar";
    Colors colors{};
    colors.clrBackground = GetResourceImageColor(kSection, L"NormalBack", 0xF3F3F3);
    colors.clrArrowDisabled = GetResourceImageColor(kSection, L"DisabledScrollArrow", 0xABABAB);
    colors.clrArrowNormal = GetResourceImageColor(kSection, L"NormalScrollArrow", 0x777777);
    colors.clrArrowHot = GetResourceImageColor(kSection, L"SelectedScrollArrow", 0x777777);
    colors.clrArrowPressed = GetResourceImageColor(kSection, L"PressedScrollArrow", 0x777777);
    colors.clrThumbNormal = GetResourceImageColor(kSection, L"NormalThumbBack", 0xFFFFFF);
    colors.clrThumbHot = GetResourceImageColor(kSection, L"SelectedThumbBack", 0xF0F0F0);
    colors.clrThumbPressed = GetResourceImageColor(kSection, L"PressedThumbBack", 0xF0F0F0);
    return colors;
}
