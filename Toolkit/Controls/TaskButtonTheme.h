// The painter of the emulated task dialog's command links: a title in the
// dialog's main-instruction font, a note below it in the button's font, the
// arrow image at the left, and the command-link face, classic or themed.
#pragma once

#include "TaskButtonPainter.h"

class CLVKTaskButtonTheme : public CLVKTaskButtonPainter
{
public:
    explicit CLVKTaskButtonTheme(BOOL bThemed);

    void SetTitleFont(HFONT hFont) { m_hTitleFont = hFont; }
    void RefreshMetrics(CLVKTaskDialogButton& button) override;
    void DrawButton(HDC hDC, CLVKTaskDialogButton& button, const RECT& rc, UINT nState) override;

    COLORREF GetTextColor(CLVKTaskDialogButton& button, UINT nState) const;
    POINT GetTextOrigin(const RECT& rc, SIZE total, int nImageWidth) const;
    const CString& GetTitle() const { return m_strTitle; }
    const CString& GetNote() const { return m_strNote; }
    // The theme state the platform's command link part is drawn with.
    static int AFX_CDECL GetThemeState(BOOL bPressed, BOOL bHot, BOOL bDefault, BOOL bDisabled);

protected:
    virtual void DrawCommandLinkBackground(HDC hDC, CLVKTaskDialogButton& button, RECT rc, UINT nState);
    virtual BOOL DrawCommandLinkBackgroundThemed(HDC hDC, CLVKTaskDialogButton& button, RECT rc, UINT nState);
    virtual void DrawCommandLinkText(HDC hDC, CLVKTaskDialogButton& button, const RECT& rc, UINT nState);
    virtual void SplitCommandLinkText(CLVKTaskDialogButton& button);
    virtual void DrawCommandLinkImage(HDC hDC, CLVKTaskDialogButton& button, const RECT& rc, UINT nState);

private:
    HFONT m_hTitleFont = nullptr;  // not owned; null: the button's font
    int m_nMarginX = 0;
    int m_nMarginY = 0;
    CString m_strCaption;
    CString m_strTitle;
    CString m_strNote;
    COLORREF m_clrFace = 0;
    COLORREF m_clrText = 0;
    COLORREF m_clrHotText = 0;
    COLORREF m_clrPressedFace = 0;
    COLORREF m_clrDefaultFrame = 0;
    COLORREF m_clrShadow = 0;
    COLORREF m_clrDarkShadow = 0;
    COLORREF m_clrHighlight = 0;
    COLORREF m_clrLightEdge = 0;
    BOOL m_bThemed = FALSE;
};
