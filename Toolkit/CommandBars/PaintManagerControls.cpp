// Measuring and drawing of controls and bars. Placeholder bodies until the
// control and bar classes are in: every control measures 0 x 0 and nothing
// is drawn.
#include "CommandBars/PaintManager.h"

CSize CLVKPaintManager::DrawControl(CDC*, CLVKControl*, BOOL)
{
    return CSize(0, 0);
}
CString CLVKPaintManager::GetControlCustomShortcutText(CLVKControl*) const
{
    return CString();
}
CSize CLVKPaintManager::GetControlIconSize(CLVKControl*) const
{
    return CSize(16, 16);
}
CSize AFX_CDECL CLVKPaintManager::FitImageSize(CLVKImageManagerIcon*, int cx, int cy)
{
    return CSize(cx, cy);
}
CSize AFX_CDECL CLVKPaintManager::ApplyControlSizeOverride(CLVKControl*, int cx, int cy, BOOL)
{
    return CSize(cx, cy);
}
CSize CLVKPaintManager::DrawControlCaption(CDC*, CLVKControl*, CRect, BOOL, BOOL)
{
    return CSize(0, 0);
}
CSize CLVKPaintManager::DrawControlPopupParent(CDC*, CLVKControl*, BOOL)
{
    return CSize(0, 0);
}
CSize CLVKPaintManager::DrawControlToolBarParent(CDC*, CLVKControl*, BOOL)
{
    return CSize(0, 0);
}
CSize CLVKPaintManager::DrawControlComboBox(CDC*, CLVKControl*, BOOL)
{
    return CSize(0, 0);
}
COLORREF CLVKPaintManager::GetControlEditBackColor(CLVKControl*)
{
    return GetThemeColor(COLOR_WINDOW);
}
CSize CLVKPaintManager::DrawControlEdit(CDC*, CLVKControl*, BOOL)
{
    return CSize(0, 0);
}
void CLVKPaintManager::SetControlTextColor(CDC*, CLVKControl*)
{
}
COLORREF CLVKPaintManager::GetControlTextColor(CLVKControl*)
{
    return GetThemeColor(COLOR_BTNTEXT);
}
CSize CLVKPaintManager::DrawCommandBarFrame(CDC*, CLVKCommandBar*, BOOL)
{
    return CSize(0, 0);
}
void CLVKPaintManager::DrawSplitButtonDropDownLine(CDC*, CLVKControl*, COLORREF, BOOL)
{
}
void CLVKPaintManager::DrawDropDownGlyph(CDC*, CLVKControl*, COLORREF, BOOL)
{
}
CSize CLVKPaintManager::FillControlBackground(CDC*, int, CLVKControl*, CLVKCommandBar*, BOOL, CSize)
{
    return CSize(0, 0);
}
CRect CLVKPaintManager::GetCommandBarBorders(CLVKCommandBar*)
{
    return CRect(ScaleX(2), ScaleY(2), ScaleX(2), ScaleY(2));
}
CRect CLVKPaintManager::GetSplitDropDownRect(CLVKControl*)
{
    return CRect(0, 0, 0, 0);
}
CSize CLVKPaintManager::DrawControlImage(CDC*, CLVKControl*, CRect, BOOL)
{
    return CSize(0, 0);
}
CFont* CLVKPaintManager::GetControlFont(CLVKControl*)
{
    return m_fontRegular.GetFont();
}
CFont* CLVKPaintManager::GetCommandBarFont(CLVKCommandBar*)
{
    return m_fontRegular.GetFont();
}
int CLVKPaintManager::GetControlTextOrientation(CLVKControl*)
{
    return 2;
}
CSize CLVKPaintManager::GetBarTextHeight(CLVKCommandBar*)
{
    return CSize(0, 0);
}
void CLVKPaintManager::DrawMDIButtonGlyph(CDC*, CLVKControl*)
{
}
void CLVKPaintManager::DrawSplitButtonArrow(CDC*, CLVKControl*, int, int, int, int, int, int, int, BOOL)
{
}
void CLVKPaintManager::AnimateSlide(CLVKCommandBar*, CDC*, CDC*, BOOL)
{
}
CSize CLVKPaintManager::DrawControlText(CDC*, CLVKControl*, CRect, BOOL, BOOL, CSize, BOOL)
{
    return CSize(0, 0);
}
int CLVKPaintManager::GetPopupBarGripperWidth(CLVKCommandBar*)
{
    return 0;
}
BOOL CLVKPaintManager::IsDpiScalingOn(CLVKControl*)
{
    return FALSE;
}
CSize CLVKPaintManager::GetControlImageSize(CLVKImageManagerIcon*, int cx, int cy, CLVKControl*, int, int)
{
    return CSize(cx, cy);
}
BOOL CLVKPaintManager::GetBarIconsSize(CLVKCommandBar*)
{
    return FALSE;
}
CSize CLVKPaintManager::GetExpandButtonSize(CLVKCommandBar*)
{
    return CSize(0, 0);
}
CSize CLVKPaintManager::DrawSingleCaption(CDC*, CLVKControl*, CRect, BOOL, BOOL, BOOL, BOOL)
{
    return CSize(0, 0);
}
void CLVKPaintManager::DrawCaptionLine(CDC*, CLVKControl*, const CString&, CRect, BOOL, BOOL)
{
}
BOOL CLVKPaintManager::AreKeyboardCuesShown(CLVKControl*) const
{
    return m_nKeyboardCuesMode == 1;
}
int AFX_CDECL CLVKPaintManager::GetControlChecked(CLVKControl*)
{
    return 0;
}
