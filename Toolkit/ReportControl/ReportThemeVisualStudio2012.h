// The three VS2012 report themes (Light, Dark, Blue): the flat theme with a
// fixed colour set each and glyph strips of their own.
#pragma once

#include "ReportThemeOffice2013.h"

class CLVKReportThemeVisualStudio2012 : public CLVKReportThemeOffice2013
{
public:
    void LoadGlyphs() override;
    void RefreshMetrics() override;

protected:
    // The values in which the three colour sets differ; the others follow
    // the colours set before them.
    struct ColorSet
    {
        COLORREF clrHyperlink;
        COLORREF clrHyperlinkHover;
        COLORREF clrBtnFace;
        COLORREF clrBtnFacePressed;
        COLORREF clrBtnText;
        COLORREF clrControlDark;
        COLORREF clrItemShade;
        COLORREF clrDisableBitmapLightest;
        COLORREF clrDisableBitmapDarkest;
        UINT nGlyphFirstId;
    };
    virtual const ColorSet& GetColorSet() const = 0;
    // Each theme sets the colours that its set gives otherwise.
    virtual void SetOwnColors() = 0;
};
