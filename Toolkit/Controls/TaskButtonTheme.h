// The button theme that turns a CLVKButton into a command link of the
// emulated task dialog: a title in the dialog's main-instruction font, a
// note below it in the button's font, the arrow image at the left, and the
// command-link face, classic or themed.
#pragma once

#include "Controls/ButtonTheme.h"

class CLVKTaskButtonTheme : public CLVKButtonTheme
{
public:
    explicit CLVKTaskButtonTheme(BOOL bThemed);

    // The title's font (not owned); null: the button's own font.
    void SetTitleFont(HFONT hFont) { m_hTitleFont = hFont; }
    HFONT GetTitleFont(CLVKButton* pButton) const;

    void DrawButton(CDC* pDC, CLVKButton* pButton) override;
    void RefreshMetrics(CLVKButton* pButton) override;
    COLORREF GetTextColor(CLVKButton* pButton) override;

    // Top-left point of the text block of the total size in rc.
    POINT GetTextOrigin(const RECT& rc, SIZE total, int nImageWidth) const;
    const CString& GetTitle() const { return m_strTitle; }
    const CString& GetNote() const { return m_strNote; }
    // The theme state the platform's command-link part is drawn with.
    static int AFX_CDECL GetThemeState(BOOL bPressed, BOOL bHot, BOOL bDefault, BOOL bDisabled);

    CLVKPaintManagerColor m_clrHotText;
    CLVKPaintManagerColor m_clrPressedFace;
    CLVKPaintManagerColor m_clrDefaultFrame;

protected:
    virtual void DrawCommandLinkBackground(CDC* pDC, CLVKButton* pButton);
    virtual BOOL DrawCommandLinkBackgroundThemed(CDC* pDC, CLVKButton* pButton);
    virtual void DrawCommandLinkText(CDC* pDC, CLVKButton* pButton);
    virtual void SplitCommandLinkText(CLVKButton* pButton);
    virtual void DrawCommandLinkImage(CDC* pDC, CLVKButton* pButton);

private:
    HFONT m_hTitleFont = nullptr;
    int m_nMarginX = 0;
    int m_nMarginY = 0;
    CString m_strCaption;
    CString m_strTitle;
    CString m_strNote;
    BOOL m_bThemed = FALSE;
};
