// The default theme's drawing of controls and bars. Placeholder bodies until
// the control and bar classes are in.
#include "CommandBars/CommandBarsOffice2000Theme.h"

CSize CLVKCommandBarsOffice2000Theme::DrawControlPopupParent(CDC*, CLVKControl*, BOOL)
{
    return CSize(0, 0);
}
void CLVKCommandBarsOffice2000Theme::DrawSplitButtonFrame(CDC*, CLVKControl*, CRect)
{
}
CSize CLVKCommandBarsOffice2000Theme::DrawControlComboBox(CDC*, CLVKControl*, BOOL)
{
    return CSize(0, 0);
}
CSize CLVKCommandBarsOffice2000Theme::DrawControlEdit(CDC*, CLVKControl*, BOOL)
{
    return CSize(0, 0);
}
CSize CLVKCommandBarsOffice2000Theme::DrawSpecialControl(CDC*, CLVKControl*, CRect, BOOL, BOOL, CLVKCommandBars*)
{
    return CSize(0, 0);
}
void CLVKCommandBarsOffice2000Theme::FillCommandBarEntry(CDC*, CLVKCommandBar*)
{
}
CSize CLVKCommandBarsOffice2000Theme::DrawCommandBarFrame(CDC*, CLVKCommandBar*, BOOL)
{
    return CSize(0, 0);
}
CSize CLVKCommandBarsOffice2000Theme::DrawCommandBarSeparator(CDC*, CLVKCommandBar*, CLVKControl*, BOOL)
{
    return CSize(0, 0);
}
void CLVKCommandBarsOffice2000Theme::AdjustExcludeRect(CRect&, CLVKControl*, BOOL)
{
}
CSize CLVKCommandBarsOffice2000Theme::FillControlBackground(CDC*, int, CLVKControl*, CLVKCommandBar*, BOOL, CSize)
{
    return CSize(0, 0);
}
CRect CLVKCommandBarsOffice2000Theme::GetCommandBarBorders(CLVKCommandBar*)
{
    return CRect(ScaleX(2), ScaleY(2), ScaleX(2), ScaleY(2));
}
CSize CLVKCommandBarsOffice2000Theme::DrawCommandBarGripper(CDC*, CLVKCommandBar*, BOOL)
{
    return CSize(0, 0);
}
CSize CLVKCommandBarsOffice2000Theme::GetExpandButtonSize(CLVKCommandBar*)
{
    return CSize(0, 0);
}
void CLVKCommandBarsOffice2000Theme::DrawEditSpinButtons(CDC*, CLVKControl*)
{
}
