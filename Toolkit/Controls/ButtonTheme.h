// CLVKButtonTheme: the default look of the themed button and the base of
// every button theme. It owns the colours and metrics of a look and the
// whole drawing of a button, split into virtual operations so that a
// variant overrides only the face, the marks, the group frame, the glyph or
// the colours. It also holds the layout of a push button's image and text
// and of a check box's or radio button's mark and caption.
#pragma once

#include "Controls/ControlTheme.h"
#include "Foundation/PaintManagerColor.h"
#include "Foundation/WinThemeWrapper.h"

#include <memory>

class CLVKButton;

class CLVKButtonTheme : public CLVKControlTheme
{
public:
    CLVKButtonTheme();
    ~CLVKButtonTheme() override;

    virtual void DrawButtonBackground(CDC* pDC, CLVKButton* pButton);
    virtual void DrawFocusRect(CDC* pDC, CLVKButton* pButton);
    virtual void DrawButton(CDC* pDC, CLVKButton* pButton);
    virtual void DrawBackgroundThemed(CDC* pDC, CLVKButton* pButton);
    virtual void RefreshMetrics(CLVKButton* pButton);
    virtual void DrawButtonText(CDC* pDC, CLVKButton* pButton);
    virtual void DrawButtonImage(CDC* pDC, CLVKButton* pButton);
    virtual void DrawDropDownGlyph(CDC* pDC, CLVKButton* pButton);
    virtual COLORREF GetTextColor(CLVKButton* pButton);
    virtual void DrawCheckBoxMark(CDC* pDC, CLVKButton* pButton);
    virtual void DrawRadioButtonMark(CDC* pDC, CLVKButton* pButton);
    virtual void DrawGroupBox(CDC* pDC, CLVKButton* pButton);

    BOOL IsUxThemeOn(CLVKButton* pButton) const;
    // Parts: 1 check mark, 2 radio mark, 3 check caption, 4 radio caption,
    // 5 group caption, 6 group frame.
    CRect CalcPartRect(CDC* pDC, CLVKButton* pButton, int nPart);
    // The text rectangle with its DrawText flags, or (bImage) the image's.
    CRect CalcContentLayout(CDC* pDC, CLVKButton* pButton, BOOL bImage, UINT* pnFlags = nullptr);
    void DrawCaption(CDC* pDC, CLVKButton* pButton);

    CLVKPaintManagerColor m_clrDisabledText;
    CLVKPaintManagerColor m_clrLightEdge;
    CLVKPaintManagerColor m_clrShadow;
    CLVKPaintManagerColor m_clrHighlight;
    CLVKPaintManagerColor m_clrDarkShadow;
    CLVKPaintManagerColor m_clrFace;
    CLVKPaintManagerColor m_clrPushText;
    CLVKPaintManagerColor m_clrCheckText;
    BOOL m_bOffsetPushed = TRUE;
    int m_nFocusGap;
    BOOL m_bFlatMarks = FALSE;
    BOOL m_bToolbarLook = FALSE;

protected:
    // The opening of a theme's background drawing: a flat button that is
    // neither hot, pushed nor checked has no background, and under a visual
    // style the style draws it. TRUE when that has dealt with the background.
    BOOL DrawFlatOrThemedBackground(CDC* pDC, CLVKButton* pButton);
    // 1 pixel scaled, the offset of pushed content.
    int PushOffset(CLVKButton* pButton) const;
    int CaptionPart(CLVKButton* pButton) const;
    // The caption and the image moved by nOffset; bDpiScaledCopy: a tool bar
    // look icon of a DPI-scaled image is drawn from a scaled copy.
    void DrawButtonTextAt(CDC* pDC, CLVKButton* pButton, int nOffset);
    void DrawButtonImageAt(CDC* pDC, CLVKButton* pButton, int nOffset, BOOL bDpiScaledCopy);
    // The parsed markup caption, measured for (and clipped to) a width with
    // the window's font as its default font, or drawn into a rectangle.
    CSize MeasureMarkupCaption(CDC* pDC, CLVKButton* pButton, int nWidth, int nHeight);
    void RenderMarkupCaption(CDC* pDC, CLVKButton* pButton, const CRect& rc, COLORREF clrText);

    std::unique_ptr<CLVKWinThemeWrapper> m_pTheme;
    int m_cxBorder;
    int m_cyBorder;
    int m_cyEdge;
    int m_cxEdge;
};
