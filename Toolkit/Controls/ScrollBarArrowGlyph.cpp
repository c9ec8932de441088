#include "Controls/ScrollBarArrowGlyph.h"

#include "Foundation/ColorManager.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/GlyphFont.h"

#include <algorithm>

void CLVKScrollBarArrowGlyph::Draw(CDC* pDC, const CRect& rc, int nDirection, BOOL bEnabled, COLORREF clr)
{
    if (std::min(rc.Width(), rc.Height()) < CLVKDpiScaling::GetGlobal()->ScaleY(6))
        return;
    if (clr == static_cast<COLORREF>(-1))
        clr = bEnabled ? RGB(0, 0, 0) : GetToolkitColor(COLOR_BTNSHADOW);
    CLVKGlyphFont::GetGlobal()->DrawGlyph(pDC, static_cast<WCHAR>(L'0' + nDirection), rc, clr);
}
