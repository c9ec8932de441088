// The default command-bar theme: bars and controls in the classic raised and
// sunken 3-D look, drawn only in the system colours of the colour table.
#pragma once

#include "CommandBars/PaintManager.h"

class CLVKCommandBarsOffice2000Theme : public CLVKPaintManager
{
public:
    CLVKCommandBarsOffice2000Theme();

    CSize DrawControlPopupParent(CDC* pDC, CLVKControl* pControl, BOOL bDraw) override;
    void DrawSplitButtonFrame(CDC* pDC, CLVKControl* pControl, CRect rcButton) override;
    CSize DrawControlComboBox(CDC* pDC, CLVKControl* pComboBox, BOOL bDraw) override;
    CSize DrawControlEdit(CDC* pDC, CLVKControl* pEdit, BOOL bDraw) override;
    CSize DrawSpecialControl(CDC* pDC, CLVKControl* pControl, CRect rc, BOOL bSelected, BOOL bDraw,
                             CLVKCommandBars* pCommandBars) override;
    void FillCommandBarEntry(CDC* pDC, CLVKCommandBar* pBar) override;
    COLORREF GetRectangleTextColor(int nSelected, int nPressed, int nEnabled, int nChecked, int nPopuped, int nBarType,
                                   int nBarPosition) override;
    BOOL GetCustomTextColor(CDC* pDC, CLVKControl* pControl) override;
    void DrawRectangle(CDC* pDC, CRect rc, int nSelected, int nPressed, int nEnabled, int nChecked, int nPopuped,
                       int nBarType, int nBarPosition, int nStyle = 0) override;
    CSize DrawCommandBarFrame(CDC* pDC, CLVKCommandBar* pBar, BOOL bDraw) override;
    CSize DrawCommandBarSeparator(CDC* pDC, CLVKCommandBar* pBar, CLVKControl* pControl, BOOL bDraw) override;
    void AdjustExcludeRect(CRect& rc, CLVKControl* pControl, BOOL bVertical) override;
    void RefreshMetrics() override;
    CSize FillControlBackground(CDC* pDC, int nKind, CLVKControl* pControl, CLVKCommandBar* pBar, BOOL bDraw,
                                CSize szBar) override;
    CRect GetCommandBarBorders(CLVKCommandBar* pBar) override;
    CSize DrawTearOffGripper(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw) override;
    void DrawPopupResizeGripper(CDC* pDC, CRect rc, int nPart) override;
    void DrawImage(CDC* pDC, CPoint pt, CSize sz, CLVKImageManagerIcon* pImage, int nSelected, int nPressed,
                   int nEnabled, int nChecked, int nPopuped, BOOL bToolBarImage = TRUE) override;
    CSize DrawCommandBarGripper(CDC* pDC, CLVKCommandBar* pBar, BOOL bDraw) override;
    int GetCurrentTheme() override { return lvkThemeOffice2000; }
    CSize GetExpandButtonSize(CLVKCommandBar* pBar) override;

    // The field frame of combo and edit controls.
    virtual void DrawControlFrame3D(CDC* pDC, CRect rc, int nEnabled, int nSelected);
    virtual void DrawComboDropDownButton(CDC* pDC, CRect rc, int nEnabled, int nSelected, BOOL bDroppedDown);
    virtual void DrawEditSpinButtons(CDC* pDC, CLVKControl* pEdit);

    // The colour index of enabled text in popups and on popup-positioned bars.
    int m_nMenuTextColor = COLOR_BTNTEXT;

protected:
    // The checkerboard of face and highlight a checked button shows.
    void FillDitherRect(CDC* pDC, CRect rc);
    void DrawRaisedFrame(CDC* pDC, CRect rc)
    {
        Draw3dRectWithThemeColors(pDC, rc, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
    }
    void DrawSunkenFrame(CDC* pDC, CRect rc)
    {
        Draw3dRectWithThemeColors(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    }

private:
    // Made on first use and kept, so a repaint makes no GDI objects.
    CBrush m_brushDither;
};
