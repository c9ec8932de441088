// CLVKEditThemeDefault: the classic sunken border, or the platform's "EDIT"
// visual style where the application is themed.
#pragma once

#include "Controls/EditTheme.h"

class CLVKEditThemeDefault : public CLVKEditTheme
{
public:
    CLVKEditThemeDefault();
    ~CLVKEditThemeDefault() override;

    void RefreshMetrics(CLVKEdit* pEdit) override;
    void DrawBorder(CDC* pDC, const CRect& rcWindow, CLVKEdit* pEdit) override;
    void DrawSizeBox(CDC* pDC, const CRect& rcWindow, CLVKEdit* pEdit) override;
    HBRUSH GetCtlColorBrush(CDC* pDC, UINT nCtlColor, CLVKEdit* pEdit) override;
    void DrawButtonFrame(CWnd* pButton, CDC* pDC, const CRect& rc, int nPart, CLVKEdit* pEdit) override;
};
