// CLVKEditThemeOffice2000: a thin sunken line with a face-coloured line
// inside it, redrawn on focus and hover changes.
#pragma once

#include "Controls/EditThemeDefault.h"

class CLVKEditThemeOffice2000 : public CLVKEditThemeDefault
{
public:
    CLVKEditThemeOffice2000();

    void RefreshMetrics(CLVKEdit* pEdit) override;
    void DrawBorder(CDC* pDC, const CRect& rcWindow, CLVKEdit* pEdit) override;
    void DrawButtonFrame(CWnd* pButton, CDC* pDC, const CRect& rc, int nPart, CLVKEdit* pEdit) override;
    BOOL IsFrameStateDependent() const override { return TRUE; }
};
