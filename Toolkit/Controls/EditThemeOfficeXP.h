// CLVKEditThemeOfficeXP and the looks built on it: a one-pixel border that
// changes colour with hover and focus, one pixel of background inside it,
// and no frame of the browse button's own. The variants differ only in
// their colours, so they are kept together here.
#pragma once

#include "Controls/EditThemeDefault.h"

class CLVKEditThemeOfficeXP : public CLVKEditThemeDefault
{
public:
    CLVKEditThemeOfficeXP();

    void RefreshMetrics(CLVKEdit* pEdit) override;
    void DrawBorder(CDC* pDC, const CRect& rcWindow, CLVKEdit* pEdit) override;

    // The border colour for the edit's state now.
    COLORREF GetBorderColor(CLVKEdit* pEdit) const;

    CLVKPaintManagerColor m_clrBorderHot;
    CLVKPaintManagerColor m_clrBorderDisabled;
};

class CLVKEditThemeOffice2003 : public CLVKEditThemeOfficeXP
{
public:
    CLVKEditThemeOffice2003() { m_nThemeNumber = 5; }
    void RefreshMetrics(CLVKEdit* pEdit) override;
};

// Colours from the resource theme's "Controls.Edit" section.
class CLVKEditThemeOffice2013 : public CLVKEditThemeOfficeXP
{
public:
    CLVKEditThemeOffice2013() { m_nThemeNumber = 12; }
    void RefreshMetrics(CLVKEdit* pEdit) override;
};

class CLVKEditThemeVisualStudio2015 : public CLVKEditThemeOffice2013
{
public:
    CLVKEditThemeVisualStudio2015() { m_nThemeNumber = 16; }
};

class CLVKEditThemeFlat : public CLVKEditThemeOfficeXP
{
public:
    CLVKEditThemeFlat() { m_nThemeNumber = 1; }
    void RefreshMetrics(CLVKEdit* pEdit) override;
};

class CLVKEditThemeUltraFlat : public CLVKEditThemeOfficeXP
{
public:
    CLVKEditThemeUltraFlat() { m_nThemeNumber = 2; }
    void RefreshMetrics(CLVKEdit* pEdit) override;
};

class CLVKEditThemeResource : public CLVKEditThemeOfficeXP
{
public:
    CLVKEditThemeResource() { m_nThemeNumber = 7; }
    void RefreshMetrics(CLVKEdit* pEdit) override;
};

class CLVKEditThemeVisualStudio2010 : public CLVKEditThemeOfficeXP
{
public:
    CLVKEditThemeVisualStudio2010() { m_nThemeNumber = 10; }
    void RefreshMetrics(CLVKEdit* pEdit) override;
};

// 13 and 14 light, 15 dark.
class CLVKEditThemeVisualStudio2012 : public CLVKEditThemeOfficeXP
{
public:
    explicit CLVKEditThemeVisualStudio2012(int nNumber) { m_nThemeNumber = nNumber; }
    void RefreshMetrics(CLVKEdit* pEdit) override;
};
