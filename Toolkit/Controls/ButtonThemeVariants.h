// The button theme variants that match the command-bar and report looks,
// and the factory that makes a theme by its ControlThemeId. The variants
// differ mostly in colours and in how the face and the marks are drawn, so
// they are kept together here.
#pragma once

#include "Controls/ButtonTheme.h"

// The theme of a ControlThemeId (the table of the themed button).
std::unique_ptr<CLVKButtonTheme> AFX_CDECL CreateButtonTheme(int nTheme);

// A plain frame in the window-frame colour with a window-coloured line inside.
class CLVKButtonThemeFlat : public CLVKButtonTheme
{
public:
    CLVKButtonThemeFlat();
    void DrawButtonBackground(CDC* pDC, CLVKButton* pButton) override;
};

// Hot-tracking faces and one-pixel frames; the model of the Office family.
class CLVKButtonThemeUltraFlat : public CLVKButtonTheme
{
public:
    CLVKButtonThemeUltraFlat();
    void RefreshMetrics(CLVKButton* pButton) override;
    void DrawButtonBackground(CDC* pDC, CLVKButton* pButton) override;
    void DrawCheckBoxMark(CDC* pDC, CLVKButton* pButton) override;
    void DrawRadioButtonMark(CDC* pDC, CLVKButton* pButton) override;
    void DrawGroupBox(CDC* pDC, CLVKButton* pButton) override;

    // Anti-aliased circle: border b around fill f.
    static void DrawSmoothCircle(CDC* pDC, const CRect& rc, COLORREF clrBorder, COLORREF clrFill);

    CLVKPaintManagerColor m_clrHotFace;
    CLVKPaintManagerColor m_clrPushedFace;
    CLVKPaintManagerColor m_clrCheckedFace;
    CLVKPaintManagerColor m_clrPushedBorder;
    CLVKPaintManagerColor m_clrPushedText;
    CLVKPaintManagerColor m_clrHotText;
    COLORREF m_clrMark = static_cast<COLORREF>(-1);
    BOOL m_bHotMarks = TRUE;

protected:
    // The face and border of a mark in the button's state.
    void MarkColors(CLVKButton* pButton, COLORREF& clrFace, COLORREF& clrBorder) const;
    COLORREF MarkColor(CLVKButton* pButton) const;
};

class CLVKButtonThemeOffice2000 : public CLVKButtonThemeUltraFlat
{
public:
    CLVKButtonThemeOffice2000();
    void DrawButtonBackground(CDC* pDC, CLVKButton* pButton) override;
};

class CLVKButtonThemeOfficeXP : public CLVKButtonThemeUltraFlat
{
public:
    CLVKButtonThemeOfficeXP();
    void RefreshMetrics(CLVKButton* pButton) override;
    void DrawButtonBackground(CDC* pDC, CLVKButton* pButton) override;
};

// Office XP with the Windows XP colour schemes (Luna).
class CLVKButtonThemeOffice2003 : public CLVKButtonThemeOfficeXP
{
public:
    CLVKButtonThemeOffice2003();
    void RefreshMetrics(CLVKButton* pButton) override;
    // With Luna colours a hot, pushed or checked face is the colour
    // manager's gradient of that state.
    void DrawButtonBackground(CDC* pDC, CLVKButton* pButton) override;

    BOOL m_bLunaColors = FALSE;
};

// The loaded resource theme's pictures; the classic face without them.
class CLVKButtonThemeResource : public CLVKButtonThemeUltraFlat
{
public:
    CLVKButtonThemeResource();
    void RefreshMetrics(CLVKButton* pButton) override;
    void DrawButtonBackground(CDC* pDC, CLVKButton* pButton) override;
    // The theme's "TOOLBARBUTTONCHECKBOX" and "TOOLBARBUTTONRADIOBUTTON"
    // pictures; the base's marks without them.
    void DrawCheckBoxMark(CDC* pDC, CLVKButton* pButton) override;
    void DrawRadioButtonMark(CDC* pDC, CLVKButton* pButton) override;

protected:
    // 0 idle, 1 highlighted, 2 highlighted and pushed, 3 disabled.
    static int MarkPictureState(CLVKButton* pButton);
};

// Colours from the resource theme's "Controls.Button" section.
class CLVKButtonThemeOffice2013 : public CLVKButtonThemeUltraFlat
{
public:
    CLVKButtonThemeOffice2013();
    void RefreshMetrics(CLVKButton* pButton) override;
    void DrawButtonBackground(CDC* pDC, CLVKButton* pButton) override;
    void DrawCheckBoxMark(CDC* pDC, CLVKButton* pButton) override;
    void DrawRadioButtonMark(CDC* pDC, CLVKButton* pButton) override;
    void DrawGroupBox(CDC* pDC, CLVKButton* pButton) override;
    void DrawDropDownGlyph(CDC* pDC, CLVKButton* pButton) override;
    // Caption and image never move while pushed; a tool bar look icon is
    // drawn at its own size.
    void DrawButtonText(CDC* pDC, CLVKButton* pButton) override;
    void DrawButtonImage(CDC* pDC, CLVKButton* pButton) override;
    COLORREF GetTextColor(CLVKButton* pButton) override;

    CLVKPaintManagerColor m_clrBorder;
    CLVKPaintManagerColor m_clrDisabledBorder;
    CLVKPaintManagerColor m_clrDisabledFace;
    CLVKPaintManagerColor m_clrMarkNormal;
    CLVKPaintManagerColor m_clrMarkHot;
    CLVKPaintManagerColor m_clrMarkPushed;
    CLVKPaintManagerColor m_clrMarkDisabled;

protected:
    void ReadColors(BOOL bVisualStudio2015Defaults);
    void Office2013MarkColors(CLVKButton* pButton, COLORREF& clrFace, COLORREF& clrMark, COLORREF& clrBorder) const;
};

class CLVKButtonThemeVisualStudio2012 : public CLVKButtonThemeOffice2013
{
public:
    explicit CLVKButtonThemeVisualStudio2012(BOOL bLight);
    void RefreshMetrics(CLVKButton* pButton) override;
    void DrawButtonBackground(CDC* pDC, CLVKButton* pButton) override;
    void DrawCheckBoxMark(CDC* pDC, CLVKButton* pButton) override;
    void DrawRadioButtonMark(CDC* pDC, CLVKButton* pButton) override;
    COLORREF GetTextColor(CLVKButton* pButton) override;

    BOOL m_bLight;
};

class CLVKButtonThemeVisualStudio2015 : public CLVKButtonThemeOffice2013
{
public:
    CLVKButtonThemeVisualStudio2015();
    void RefreshMetrics(CLVKButton* pButton) override;
};
