// CLVKResizeGroupBox: a group box that paints its own background, so the
// resize layout leaves it opaque. Created by name through its runtime class.
#pragma once

#include "AfxButton.h"

class CLVKResizeGroupBox : public CButton
{
    DECLARE_DYNCREATE(CLVKResizeGroupBox)
public:
    CLVKResizeGroupBox() = default;
};
