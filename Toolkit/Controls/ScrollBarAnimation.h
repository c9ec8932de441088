// CLVKScrollBarAnimation: an animation an owner may hand to the scroll-bar
// logic, such as a smooth scroll towards a position. The logic owns it and
// deletes it with itself. While the owner keeps the logic's smooth-scrolling
// flag set, every tick of the smooth-scrolling timer (23346) that the
// tracking loop serves advances it one step; the step that ends it clears
// the flag, which lets the loop return.
#pragma once

#include "Framework.h"

class CLVKScrollBase;

class CLVKScrollBarAnimation
{
public:
    virtual ~CLVKScrollBarAnimation() = default;

    // One step; FALSE when the animation has come to its end.
    virtual BOOL Step(CLVKScrollBase* pScroll) = 0;
};
