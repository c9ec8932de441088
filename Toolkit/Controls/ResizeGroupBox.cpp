#include "Controls/ResizeGroupBox.h"

IMPLEMENT_DYNCREATE(CLVKResizeGroupBox, CButton)
