// CLVKEditTheme: the base of the themed edit's looks. A theme draws the
// edit's two-pixel border and the box between its scroll bars, answers the
// edit's colours, and frames the browse button that shares the edit's border.
#pragma once

#include "Foundation/PaintManagerColor.h"
#include "Foundation/WinThemeWrapper.h"

class CLVKEdit;

class CLVKEditTheme
{
public:
    CLVKEditTheme() = default;
    virtual ~CLVKEditTheme() = default;

    virtual void RefreshMetrics(CLVKEdit* pEdit) = 0;
    virtual void DrawBorder(CDC* pDC, const CRect& rcWindow, CLVKEdit* pEdit) = 0;
    virtual void DrawSizeBox(CDC* pDC, const CRect& rcWindow, CLVKEdit* pEdit) = 0;
    virtual void FillRectWithBrush(CDC* pDC, int x, int y, int cx, int cy, HBRUSH hBrush);
    virtual void DrawFrameWithBrush(CDC* pDC, const CRect& rc, int nThickness, HBRUSH hBrush);
    // What the parent gives for WM_CTLCOLOREDIT (enabled) or WM_CTLCOLORSTATIC
    // (disabled), else the system brush.
    virtual HBRUSH GetClientBrush(CDC* pDC, CLVKEdit* pEdit);
    virtual HBRUSH GetCtlColorBrush(CDC* pDC, UINT nCtlColor, CLVKEdit* pEdit) = 0;
    // nPart 4: the browse button is at the edit's right; other values: left.
    virtual void AdjustButtonRect(CWnd* pButton, CRect& rc, int nPart);
    virtual void DrawButtonFrame(CWnd* pButton, CDC* pDC, const CRect& rc, int nPart, CLVKEdit* pEdit) = 0;
    virtual BOOL IsFrameStateDependent() const { return FALSE; }
    virtual BOOL DrawButtonFrameThemed(CDC* pDC, const CRect& rc, int nPart, CLVKEdit* pEdit);
    virtual BOOL DrawBorderThemed(CDC* pDC, const CRect& rc, CLVKEdit* pEdit);

    BOOL IsHoverTracking() const { return m_bHoverTracking; }
    int GetThemeNumber() const { return m_nThemeNumber; }
    HBRUSH GetBackgroundBrush() const { return m_hBackBrush; }
    BOOL IsUxThemeReady();

    CLVKPaintManagerColor m_clrBack;
    CLVKPaintManagerColor m_clrText;
    CLVKPaintManagerColor m_clrReadOnlyText;
    CLVKPaintManagerColor m_clrNonClient;
    CLVKPaintManagerColorGradient m_clrBorder;  // light, dark

    CLVKEditTheme(const CLVKEditTheme&) = delete;
    CLVKEditTheme& operator=(const CLVKEditTheme&) = delete;

protected:
    void RecreateBrush();

    HBRUSH m_hBackBrush = nullptr;
    BOOL m_bHoverTracking = FALSE;
    BOOL m_bUseUxTheme = FALSE;
    int m_nThemeNumber = 11;
    CLVKWinThemeWrapper m_themeEdit;

public:
    // Frees the brush; derived destructors need not care.
    void ReleaseBrush();
};
