// The default theme's drawing of controls and bars: popup items, split
// buttons, combo boxes and edits, command-list entries, bar backgrounds,
// grippers and separators.
#include "CommandBars/CommandBarsOffice2000Theme.h"

#include "CommandBars/CommandBar.h"
#include "CommandBars/Control.h"
#include "CommandBars/ControlAction.h"
#include "Foundation/DrawHelpers.h"
#include "Foundation/FontDC.h"
#include "Foundation/ImageManagerIcon.h"

#include <algorithm>

namespace
{
BOOL IsPopupKind(int nType)
{
    return nType == kControlPopup || nType == kControlButtonPopup || nType == kControlSplitButton;
}

BOOL HasImageSource(CLVKControl* pControl)
{
    if (pControl->GetCustomIconId() > 0 || pControl->GetIconIdValue() > 0)
        return TRUE;
    const CLVKControlAction* pAction = pControl->GetAction();
    if (pAction && pAction->GetIconId() > 0)
        return TRUE;
    return (pAction ? pAction->GetId() : pControl->GetID()) != 0;
}
}  // namespace

CSize CLVKCommandBarsOffice2000Theme::DrawControlPopupParent(CDC* pDC, CLVKControl* pControl, BOOL bDraw)
{
    const CLVKFontDC font(pDC, GetControlFont(pControl));
    if (!bDraw)
        return CLVKPaintManager::DrawControlPopupParent(pDC, pControl, FALSE);
    CLVKCommandBar* pBar = pControl->GetParent();
    const CRect rc = pControl->GetRect();
    const int nType = pControl->GetType();
    const int nSelected = pControl->GetPressedState();
    const int nPressed = pControl->GetExecuteState();
    int nEnabled = pControl->IsEnabled();
    if (nType == kControlSplitButton && nEnabled == 5)
        nEnabled = 0;
    const int nChecked = GetControlChecked(pControl);
    const BOOL bPopuped = pControl->IsPopupOpen();
    const BOOL bDoubleGripper = pBar && pBar->IsDoubleGripper();

    const CSize szIcon = GetControlIconSize(pControl);
    CLVKImageManagerIcon* pImage = nullptr;
    if (pControl->GetStyle() != kStyleCaption && HasImageSource(pControl))
        pImage = pControl->GetImage(szIcon.cx);
    const CSize szImage = pImage ? GetControlImageSize(pImage, szIcon.cx, szIcon.cy, pControl, szIcon.cx + ScaleX(4),
                                                       std::max<int>(rc.Height(), szIcon.cy))
                                 : szIcon;
    const int nCellWidth = std::max<int>(GetButtonHeight(), szImage.cx + ScaleX(4));
    CRect rcCell(rc.left, rc.top, rc.left + nCellWidth, rc.bottom);

    if (pControl->IsRarelyUsed())
    {
        pDC->FillSolidRect(&rc, GetThemeColor(COLOR_3DLIGHT));
        const int nGutter = GetPopupBarGripperWidth(pBar);
        if (nGutter > 0)
            DrawPopupBarGutter(pDC, pBar, CRect(rc.left - 1, rc.top, rc.left - 1 + nGutter + 1, rc.bottom));
    }

    const COLORREF clrText =
        GetRectangleTextColor(nSelected, nPressed, nEnabled, nChecked, bPopuped, kBarTypePopup, lvkBarPopup);
    pDC->SetTextColor(clrText);

    if (m_bSelectWholeItem && nSelected)
        DrawRectangle(pDC, rc, nSelected, nPressed, nEnabled, nChecked, bPopuped, kBarTypePopup, lvkBarPopup);

    int nTextLeft = rc.left;
    if (nChecked)
    {
        DrawRectangle(pDC, rcCell, nSelected, nPressed, nEnabled, nChecked, bPopuped, kBarTypePopup, lvkBarPopup);
        nTextLeft = rcCell.right + 1;
    }
    if (bDoubleGripper)
        rcCell.OffsetRect(nCellWidth + 1, 0);

    if (pImage)
    {
        if (!m_bSelectWholeItem)
        {
            DrawRectangle(pDC, rcCell, nSelected, 0, nEnabled, bDoubleGripper ? 0 : nChecked, 0, kBarTypeToolBar,
                          lvkBarPopup);
        }
        const CPoint pt(rcCell.left + (rcCell.Width() - szImage.cx) / 2,
                        rcCell.top + (rcCell.Height() - szImage.cy) / 2);
        DrawImage(pDC, pt, szImage, pImage, nSelected, 0, nEnabled, nChecked, 0, FALSE);
        nTextLeft = rcCell.right + 1;
    }
    if (nChecked && (!pImage || bDoubleGripper))
    {
        const CPoint ptCenter = rcCell.CenterPoint();
        CRect rcBox(ptCenter.x - ScaleX(10), ptCenter.y - ScaleY(10), ptCenter.x + ScaleX(10), ptCenter.y + ScaleY(10));
        rcBox.DeflateRect(ScaleX(3), ScaleY(3));
        const COLORREF clrMark = GetThemeColor(nEnabled ? m_nMenuTextColor : COLOR_GRAYTEXT);
        if (nType == kControlRadioButton)
            DrawMenuBulletMark(pDC, rcBox, clrMark);
        else
            DrawMenuCheckMark(pDC, rcBox, clrMark);
    }

    const int nSplitPart = ScaleX(20);
    const BOOL bSplitOpen = nType == kControlSplitButton && nSelected && nEnabled && bPopuped;
    if (nSelected && !m_bSelectWholeItem)
    {
        CRect rcTextPart(nTextLeft, rc.top, rc.right, rc.bottom);
        if (bSplitOpen)
            rcTextPart.right = rc.right - nSplitPart;
        DrawRectangle(pDC, rcTextPart, nSelected, nPressed, nEnabled, 0, bPopuped, kBarTypePopup, lvkBarPopup);
    }

    if (IsPopupKind(nType))
    {
        COLORREF clrArrow = clrText;
        if (nType == kControlSplitButton)
        {
            if (bSplitOpen)
            {
                DrawSunkenFrame(pDC, CRect(rc.right - nSplitPart, rc.top, rc.right, rc.bottom));
                clrArrow = GetThemeColor(m_nMenuTextColor);
            }
            const int nLineColor = !nEnabled ? COLOR_GRAYTEXT : nSelected ? COLOR_BTNSHADOW : m_nMenuTextColor;
            VerticalLine(pDC, rc.right - nSplitPart, rc.top + 1, rc.bottom - 1, GetThemeColor(nLineColor));
        }
        CRect rcArrow(rc.right - rc.Height(), rc.top, rc.right, rc.bottom);
        rcArrow.DeflateRect(ScaleX(4), ScaleY(4));
        DrawGlyph(pDC, 49, rcArrow, clrArrow);
    }
    pDC->SetTextColor(clrText);
    return CLVKPaintManager::DrawControlPopupParent(pDC, pControl, TRUE);
}

void CLVKCommandBarsOffice2000Theme::DrawSplitButtonFrame(CDC* pDC, CLVKControl* pControl, CRect rc)
{
    const int nSelected = pControl->GetPressedState();
    const int nPressed = pControl->GetExecuteState();
    const int nEnabled = pControl->IsEnabled();
    const int nChecked = GetControlChecked(pControl);
    const BOOL bPopuped = pControl->IsPopupOpen();
    const CLVKCommandBar* pBar = pControl->GetParent();
    const int nPosition = pBar ? pBar->GetPosition() : lvkBarTop;
    const BOOL bLarge = pControl->GetStyle() == kStyleLarge;

    CRect rcButton = rc;
    CRect rcDrop = rc;
    if (bLarge)
    {
        if (GetControlTextOrientation(pControl) == 1)
        {
            rcDrop.right = rc.left + GetSplitDropDownWidth();
            rcButton.left = rcDrop.right;
        }
        else
        {
            rcDrop.top = rc.bottom - GetSplitDropDownWidth();
            rcButton.bottom = rcDrop.top;
        }
    }
    else
    {
        rcButton.right -= ScaleX(12);
        rcDrop.left = rcButton.right;
    }
    DrawRectangle(pDC, rcButton, nSelected || bPopuped, nPressed, nEnabled, nChecked, 0, kBarTypeToolBar, nPosition);
    if ((nSelected || nPressed || bPopuped) && nEnabled)
        DrawRectangle(pDC, rcDrop, TRUE, FALSE, nEnabled, FALSE, bPopuped, kBarTypeToolBar, nPosition);
    if (!bLarge)
    {
        const CPoint pt = rcDrop.CenterPoint();
        DrawSplitButtonArrow(pDC, pControl, pt.x, pt.y, nSelected, nPressed, nEnabled == 4 ? 0 : nEnabled, nChecked,
                             bPopuped, FALSE);
    }
}

CSize CLVKCommandBarsOffice2000Theme::DrawControlComboBox(CDC* pDC, CLVKControl* pComboBox, BOOL bDraw)
{
    int nLabelWidth = 0;
    const CSize sz = MeasureEditField(pDC, pComboBox, TRUE, nLabelWidth);
    if (!bDraw)
        return sz;
    DrawEditLabel(pDC, pComboBox);
    const int nEnabled = pComboBox->IsEnabled();
    const int nSelected = pComboBox->GetPressedState();
    CRect rcField = pComboBox->GetRect();
    rcField.left += nLabelWidth;
    CRect rcButton = rcField;
    rcButton.left = rcField.right - GetComboDropDownWidth(rcField.Height());
    if (nEnabled)
    {
        CRect rcFill = rcField;
        rcFill.DeflateRect(1, 1);
        pDC->FillSolidRect(&rcFill, GetControlEditBackColor(pComboBox));
    }
    DrawComboDropDownButton(pDC, rcButton, nEnabled, nSelected, pComboBox->IsPopupOpen());
    DrawControlFrame3D(pDC, rcField, nEnabled, nSelected);
    return sz;
}

CSize CLVKCommandBarsOffice2000Theme::DrawControlEdit(CDC* pDC, CLVKControl* pEdit, BOOL bDraw)
{
    int nLabelWidth = 0;
    const CSize sz = MeasureEditField(pDC, pEdit, FALSE, nLabelWidth);
    if (!bDraw)
        return sz;
    DrawEditLabel(pDC, pEdit);
    const int nEnabled = pEdit->IsEnabled();
    CRect rcField = pEdit->GetRect();
    rcField.left += nLabelWidth;
    if (nEnabled)
    {
        CRect rcFill = rcField;
        rcFill.DeflateRect(1, 1);
        pDC->FillSolidRect(&rcFill, GetControlEditBackColor(pEdit));
    }
    DrawControlFrame3D(pDC, rcField, nEnabled, pEdit->GetPressedState());
    return sz;
}

void CLVKCommandBarsOffice2000Theme::DrawEditSpinButtons(CDC* pDC, CLVKControl* pEdit)
{
    CRect rcSpin = pEdit->GetRect();
    rcSpin.left = rcSpin.right - ScaleX(18);
    rcSpin.DeflateRect(0, 1, 1, 1);
    const int nEnabled = pEdit->IsEnabled();
    const int nSelected = pEdit->GetPressedState();
    const int nPressed = pEdit->GetExecuteState();
    CRect rcUp = rcSpin;
    rcUp.bottom = rcSpin.top + rcSpin.Height() / 2;
    CRect rcDown = rcSpin;
    rcDown.top = rcUp.bottom;
    if (nEnabled && nSelected)
    {
        pDC->FillSolidRect(&rcSpin, GetThemeColor(COLOR_BTNFACE));
        if (nPressed == 4)
            Draw3dRectWithThemeColors(pDC, rcUp, COLOR_BTNSHADOW, COLOR_WINDOW);
        else
            Draw3dRectWithThemeColors(pDC, rcUp, COLOR_WINDOW, COLOR_BTNSHADOW);
        if (nPressed == 5)
            Draw3dRectWithThemeColors(pDC, rcDown, COLOR_BTNSHADOW, COLOR_WINDOW);
        else
            Draw3dRectWithThemeColors(pDC, rcDown, COLOR_WINDOW, COLOR_BTNSHADOW);
    }
    else if (nEnabled)
    {
        CRect rcInner = rcSpin;
        rcInner.DeflateRect(1, 1);
        pDC->FillSolidRect(&rcInner, GetThemeColor(COLOR_BTNFACE));
        Draw3dRectWithThemeColors(pDC, rcInner, COLOR_WINDOW, COLOR_WINDOW);
    }
    const COLORREF clrGlyph = GetThemeColor(nEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    CRect rcUpGlyph = rcUp;
    rcUpGlyph.bottom += 1;
    DrawGlyph(pDC, 54, rcUpGlyph, clrGlyph);
    DrawGlyph(pDC, 55, rcDown, clrGlyph);
}

CSize CLVKCommandBarsOffice2000Theme::DrawSpecialControl(CDC* pDC, CLVKControl* pControl, CRect rc, BOOL bSelected,
                                                         BOOL bDraw, CLVKCommandBars* /*pCommandBars*/)
{
    // The command bars' popup icon size waits for the command-bar manager;
    // without one the automatic size applies.
    const CSize szIcon = GetAutoIconSize(FALSE);
    const int nColumn = std::max<int>(GetButtonHeight(), szIcon.cx + ScaleX(4));
    const int nHeight = std::max<int>(GetButtonHeight(), szIcon.cy + ScaleY(4));
    const CSize szResult(nColumn, nHeight);
    if (!bDraw)
        return szResult;

    pDC->FillSolidRect(&rc, GetThemeColor(COLOR_BTNFACE));
    const int nType = pControl->GetType();
    const int nStyle = pControl->GetStyle();
    const CRect rcCell(rc.left, rc.top, rc.left + nColumn, rc.bottom);
    const BOOL bImageStyle =
        nStyle == kStyleIconOnly || nStyle == kStyleSmall || (nStyle == kStyleAuto && nType != kControlPopup);
    CLVKImageManagerIcon* pImage = bImageStyle && HasImageSource(pControl) ? pControl->GetImage(szIcon.cx) : nullptr;
    if (pImage)
    {
        DrawRectangle(pDC, rcCell, bSelected, 0, TRUE, 0, 0, kBarTypeToolBar, lvkBarPopup);
        const CSize szImage = FitImageSize(pImage, szIcon.cx, szIcon.cy);
        DrawImage(
            pDC,
            CPoint(rcCell.left + (rcCell.Width() - szImage.cx) / 2, rcCell.top + (rcCell.Height() - szImage.cy) / 2),
            szImage, pImage, bSelected, 0, TRUE, 0, 0, TRUE);
    }
    if (bSelected)
        pDC->FillSolidRect(CRect(rcCell.right + 1, rc.top, rc.right - 1, rc.bottom), GetThemeColor(COLOR_HIGHLIGHT));

    CString strCaption = pControl->GetCaption();
    CLVKDrawHelpers::StripMnemonics(strCaption);
    CLVKCommandBar* pBar = pControl->GetParent();
    if (pBar && pBar->IsLayoutRTL())
        strCaption.MakeReverse();
    const CLVKFontDC font(pDC, m_fontRegular.GetFont());
    const COLORREF clrText = GetThemeColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
    pDC->SetTextColor(clrText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CRect rcText(rcCell.right + ScaleX(4), rc.top, rc.right, rc.bottom);
    pDC->DrawText(strCaption, strCaption.GetLength(), &rcText,
                  DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);

    if (IsPopupKind(nType))
    {
        CRect rcArrow(rc.right - rc.Height(), rc.top, rc.right, rc.bottom);
        rcArrow.DeflateRect(ScaleX(4), ScaleY(4));
        DrawGlyph(pDC, 49, rcArrow, clrText);
        if (nType == kControlSplitButton)
            VerticalLine(pDC, rc.right - ScaleX(20), rc.top + 1, rc.bottom - 1, clrText);
    }
    if (nType == kControlComboBox || nType == kControlEdit)
    {
        CRect rcCalc = rcText;
        pDC->DrawText(strCaption, strCaption.GetLength(), &rcCalc, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
        CRect rcBox(rcCalc.right + ScaleX(5), rc.top, rc.right, rc.bottom);
        const int nFrame = bSelected ? COLOR_HIGHLIGHT : COLOR_BTNFACE;
        pDC->FillSolidRect(&rcBox, GetThemeColor(COLOR_WINDOW));
        Draw3dRectWithThemeColors(pDC, rcBox, nFrame, nFrame);
        if (nType == kControlComboBox)
        {
            const int nButton = pDC->GetTextExtent(L" ", 1).cy + ScaleX(2);
            CRect rcButton(rcBox.right - nButton, rcBox.top, rcBox.right, rcBox.bottom);
            if (bSelected)
            {
                pDC->FillSolidRect(&rcButton, GetThemeColor(COLOR_BTNFACE));
                Draw3dRectWithThemeColors(pDC, rcButton, COLOR_HIGHLIGHT, COLOR_HIGHLIGHT);
            }
            else
            {
                CRect rcInner = rcButton;
                rcInner.DeflateRect(ScaleX(2), ScaleY(2));
                pDC->FillSolidRect(&rcInner, GetThemeColor(COLOR_BTNFACE));
            }
            rcButton.DeflateRect(1, 1);
            DrawGlyphInRect(pDC, rcButton, GetThemeColor(COLOR_BTNTEXT));
        }
    }
    pDC->SetBkMode(nOldMode);
    return szResult;
}

void CLVKCommandBarsOffice2000Theme::FillCommandBarEntry(CDC* pDC, CLVKCommandBar* pBar)
{
    CRect rc;
    pBar->GetClientRect(&rc);
    pDC->FillSolidRect(&rc, GetThemeColor(COLOR_BTNFACE));
    const int nPosition = pBar->GetPosition();
    if (nPosition == lvkBarFloating || nPosition == lvkBarPopup)
    {
        Draw3dRectWithThemeColors(pDC, rc, COLOR_BTNFACE, COLOR_3DDKSHADOW);
        rc.DeflateRect(1, 1);
        DrawRaisedFrame(pDC, rc);
    }
    else if (!GetBarIconsSize(pBar))
    {
        DrawRaisedFrame(pDC, rc);
    }
}

CSize CLVKCommandBarsOffice2000Theme::DrawCommandBarFrame(CDC* pDC, CLVKCommandBar* pBar, BOOL bDraw)
{
    if (pBar->HasCaption())
        return DrawCommandBarGripper(pDC, pBar, bDraw);
    const int nPosition = pBar->GetPosition();
    if (nPosition == lvkBarFloating)
        return CLVKPaintManager::DrawCommandBarFrame(pDC, pBar, bDraw);
    CRect rcClient(0, 0, 0, 0);
    if (bDraw && pBar->GetSafeHwnd())
        pBar->GetClientRect(&rcClient);
    if (nPosition == lvkBarTop || nPosition == lvkBarBottom)
    {
        if (bDraw)
            DrawRaisedFrame(pDC, CRect(3, 3, 6, rcClient.bottom - 3));
        return CSize(ScaleX(6), 0);
    }
    if (nPosition == lvkBarLeft || nPosition == lvkBarRight)
    {
        if (bDraw)
            DrawRaisedFrame(pDC, CRect(3, 3, rcClient.right - 3, 6));
        return CSize(0, ScaleY(8));
    }
    return CSize(0, 0);
}

CSize CLVKCommandBarsOffice2000Theme::DrawCommandBarGripper(CDC* pDC, CLVKCommandBar* /*pBar*/, BOOL bDraw)
{
    const int nHeight = std::max<int>(ScaleY(22), GetButtonHeight() + ScaleY(4));
    if (bDraw)
        DrawRaisedFrame(pDC, CRect(3, 3, 6, nHeight));
    return CSize(ScaleX(6), nHeight);
}

CSize CLVKCommandBarsOffice2000Theme::DrawCommandBarSeparator(CDC* pDC, CLVKCommandBar* pBar, CLVKControl* pControl,
                                                              BOOL bDraw)
{
    const BOOL bPopup = pBar && pBar->GetType() == kBarTypePopup;
    const CSize szSeparator = bPopup ? CSize(ScaleX(8), ScaleY(8)) : CSize(ScaleX(6), ScaleY(6));
    if (!bDraw || !pControl)
        return szSeparator;
    const CRect c = pControl->GetRect();
    const CRect r = pControl->GetRowRect();
    const BOOL bWrap = pControl->GetWrap();
    const int nPosition = pBar ? pBar->GetPosition() : lvkBarTop;
    CRect rcLine;
    if (bPopup)
    {
        rcLine = !bWrap ? CRect(c.left + 11, c.top - 5, c.right - 11, c.top - 3)
                        : CRect(c.left - 5, r.top + 3, c.left - 3, r.bottom - 3);
    }
    else if (nPosition == lvkBarLeft || nPosition == lvkBarRight)
    {
        rcLine = !bWrap ? CRect(r.left, c.top - 4, r.right, c.top - 2)
                        : CRect(r.right + 2, r.top + 4, r.right + 4, r.bottom);
    }
    else
    {
        rcLine =
            !bWrap ? CRect(c.left - 4, r.top, c.left - 2, r.bottom) : CRect(r.left + 4, r.top - 4, r.right, r.top - 2);
    }
    DrawSunkenFrame(pDC, rcLine);
    return szSeparator;
}

void CLVKCommandBarsOffice2000Theme::AdjustExcludeRect(CRect& rc, CLVKControl* pControl, BOOL bVertical)
{
    CLVKCommandBar* pBar = pControl ? pControl->GetParent() : nullptr;
    if (!pBar || pControl->GetType() == kControlComboBox)
        return;
    if (pBar->GetType() == kBarTypePopup)
        rc.DeflateRect(1, 0);
    else if (bVertical)
        rc.InflateRect(0, 1);
    else
        rc.InflateRect(1, 0);
}

CSize CLVKCommandBarsOffice2000Theme::FillControlBackground(CDC* pDC, int nKind, CLVKControl* pControl,
                                                            CLVKCommandBar* pBar, BOOL bDraw, CSize szBar)
{
    if (bDraw && pControl)
    {
        const int nType = pControl->GetType();
        const BOOL bActive = pControl->GetExecuteState() || pControl->GetPressedState() ||
                             (nType == kControlButtonPopup && pControl->IsPopupOpen());
        if ((nType == kControlPopup || nType == kControlButtonPopup) && bActive)
            pDC->FillSolidRect(pControl->GetRect(), GetThemeColor(COLOR_BTNFACE));
    }
    return CLVKPaintManager::FillControlBackground(pDC, nKind, pControl, pBar, bDraw, szBar);
}

CRect CLVKCommandBarsOffice2000Theme::GetCommandBarBorders(CLVKCommandBar* pBar)
{
    if (pBar && pBar->GetType() == kBarTypePopup)
        return CRect(ScaleX(3), ScaleY(3), ScaleX(3), ScaleY(3));
    return CLVKPaintManager::GetCommandBarBorders(pBar);
}

CSize CLVKCommandBarsOffice2000Theme::GetExpandButtonSize(CLVKCommandBar* pBar)
{
    const CSize szIcon = pBar ? pBar->GetIconSize() : CSize(16, 16);
    return CSize(std::max<int>(GetButtonHeight(), szIcon.cx + ScaleX(4)),
                 std::max<int>(GetButtonHeight(), szIcon.cy + ScaleY(4)));
}
