// The report paint manager's in-place buttons.
#include "ReportPaintManager.h"
#include "ReportPaintManagerPrivate.h"

#include "ReportColumn.h"
#include "ReportColumns.h"
#include "ReportControl.h"
#include "ReportGroupRow.h"
#include "ReportHeader.h"
#include "ReportHyperlink.h"
#include "ReportInplaceButton.h"
#include "ReportRecord.h"
#include "ReportRecordItem.h"
#include "ReportRecordItemControl.h"
#include "ReportRecords.h"
#include "ReportRow.h"
#include "ReportRows.h"
#include "ReportSection.h"
#include "ReportSelectedRows.h"
#include "ReportThemeClassicSupport.h"
#include "Foundation/PenDC.h"
#include "Foundation/FontDC.h"
#include "Foundation/DCSaveState.h"
#include "Foundation/BitmapDC.h"
#include "Foundation/ColorManager.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/DrawHelpers.h"
#include "Foundation/ImageManager.h"
#include "Foundation/ImageManagerIcon.h"
#include "Foundation/ResourceManager.h"

#include <shellapi.h>
#include <vssym32.h>

#include <map>
#include <vector>

// In-place buttons -----------------------------------------------------------------------

namespace
{
void DrawRaisedFrame(CDC* pDC, RECT rc)
{
    CRect rcFrame(rc);
    pDC->Draw3dRect(&rcFrame, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_3DDKSHADOW));
    rcFrame.DeflateRect(1, 1);
    pDC->Draw3dRect(&rcFrame, GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_BTNSHADOW));
}

void DrawSunkenFrame(CDC* pDC, RECT rc)
{
    CRect rcFrame(rc);
    pDC->Draw3dRect(&rcFrame, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_WINDOW));
}

void DrawDots(CDC* pDC, const RECT& rc)
{
    const COLORREF clr = GetSysColor(COLOR_BTNTEXT);
    for (int i = 0; i < 3; i++)
    {
        const RECT rcDot{rc.left + LVKScaleX(3 + 4 * i), rc.bottom - LVKScaleY(5), rc.left + LVKScaleX(5 + 4 * i),
                         rc.bottom - LVKScaleY(3)};
        FillSolid(pDC->m_hDC, rcDot, clr);
    }
}

void DrawArrowDown(CDC* pDC, const RECT& rc)
{
    const COLORREF clr = GetSysColor(COLOR_BTNTEXT);
    const int cx = (rc.left + rc.right) / 2;
    const int cy = (rc.top + rc.bottom) / 2;
    CLVKDrawHelpers::DrawTriangle(pDC, POINT{cx - LVKScaleX(3), cy - LVKScaleY(1)},
                                  POINT{cx + LVKScaleX(3), cy - LVKScaleY(1)}, POINT{cx, cy + LVKScaleY(2)}, clr, clr);
}

void DrawArrowUp(CDC* pDC, const RECT& rc)
{
    const COLORREF clr = GetSysColor(COLOR_BTNTEXT);
    const int cx = (rc.left + rc.right) / 2;
    const int cy = (rc.top + rc.bottom) / 2;
    CLVKDrawHelpers::DrawTriangle(pDC, POINT{cx - LVKScaleX(3), cy + LVKScaleY(1)},
                                  POINT{cx + LVKScaleX(3), cy + LVKScaleY(1)}, POINT{cx, cy - LVKScaleY(2)}, clr, clr);
}
}  // namespace

void CLVKReportPaintManager::DrawInplaceButtonFrame(CDC* pDC, RECT rcButton, BOOL bPressed)
{
    FillSolid(pDC->m_hDC, rcButton, GetSysColor(COLOR_BTNFACE));
    if (bPressed)
        DrawSunkenFrame(pDC, rcButton);
    else
        DrawRaisedFrame(pDC, rcButton);
}

BOOL CLVKReportPaintManager::DrawInplaceButtonIcon(CDC* pDC, CLVKReportInplaceButton* pButton)
{
    CLVKReportControl* pControl = m_pControl;
    if (!pButton || pButton->GetIconIndex() < 0 || !pControl || !pControl->GetImageManager())
        return FALSE;
    CLVKImageManagerIcon* pIcon = pControl->GetImageManager()->FindIcon(pButton->GetIconIndex(), 0);
    if (!pIcon)
        return FALSE;
    RECT rc{};
    ::GetClientRect(pButton->m_hWnd, &rc);
    const SIZE sz = pIcon->GetExtent();
    const int x = std::max(rc.left, (rc.left + rc.right - sz.cx) / 2);
    const int y = std::max(rc.top, (rc.top + rc.bottom - sz.cy) / 2);
    const int nSaved = SaveDC(pDC->m_hDC);
    IntersectClipRect(pDC->m_hDC, rc.left, rc.top, rc.right, rc.bottom);
    DrawIconAt(pDC, pIcon, x, y);
    RestoreDC(pDC->m_hDC, nSaved);
    return TRUE;
}

void CLVKReportPaintManager::DrawInplaceButton(CDC* pDC, CLVKReportInplaceButton* pButton)
{
    RECT rc{};
    ::GetClientRect(pButton->m_hWnd, &rc);
    const UINT nID = pButton->GetID();
    const BOOL bPressed = pButton->IsPressed();
    if (m_bThemedInplaceButtons)
    {
        if (nID == LVK_REPORT_INPLACEBUTTON_COMBO && m_themeCombo.HasThemeData())
        {
            m_themeCombo.DrawThemeBackground(pDC->m_hDC, CP_DROPDOWNBUTTON, bPressed ? CBXS_PRESSED : CBXS_NORMAL,
                                             &rc, nullptr);
            return;
        }
        if (nID == LVK_REPORT_INPLACEBUTTON_EXPAND && m_themeButton.HasThemeData())
        {
            FillSolid(pDC->m_hDC, rc, GetSysColor(COLOR_BTNFACE));
            const int nState = bPressed ? PBS_PRESSED : (::GetFocus() == pButton->m_hWnd ? PBS_DEFAULTED : PBS_NORMAL);
            m_themeButton.DrawThemeBackground(pDC->m_hDC, BP_PUSHBUTTON, nState, &rc, nullptr);
            if (!DrawInplaceButtonIcon(pDC, pButton))
                DrawDots(pDC, rc);
            return;
        }
        if (nID == LVK_REPORT_INPLACEBUTTON_SPIN && m_themeSpin.HasThemeData())
        {
            RECT rcUpper = rc;
            rcUpper.bottom = (rc.top + rc.bottom) / 2;
            RECT rcLower = rc;
            rcLower.top = rcUpper.bottom;
            const int nPart = pButton->GetPressedSpinPart();
            m_themeSpin.DrawThemeBackground(pDC->m_hDC, SPNP_UP, bPressed && nPart == 1 ? UPS_PRESSED : UPS_NORMAL,
                                            &rcUpper, nullptr);
            m_themeSpin.DrawThemeBackground(pDC->m_hDC, SPNP_DOWN,
                                            bPressed && nPart == 2 ? DNS_PRESSED : DNS_NORMAL, &rcLower, nullptr);
            return;
        }
    }
    if (nID == LVK_REPORT_INPLACEBUTTON_SPIN)
    {
        RECT rcUpper = rc;
        rcUpper.bottom = (rc.top + rc.bottom) / 2;
        RECT rcLower = rc;
        rcLower.top = rcUpper.bottom;
        const int nPart = pButton->GetPressedSpinPart();
        DrawInplaceButtonFrame(pDC, rcUpper, bPressed && nPart == 1);
        DrawInplaceButtonFrame(pDC, rcLower, bPressed && nPart == 2);
        DrawArrowUp(pDC, rcUpper);
        DrawArrowDown(pDC, rcLower);
        return;
    }
    DrawInplaceButtonFrame(pDC, rc, bPressed);
    if (nID == LVK_REPORT_INPLACEBUTTON_COMBO)
        DrawArrowDown(pDC, rc);
    else if (!DrawInplaceButtonIcon(pDC, pButton))
        DrawDots(pDC, rc);
}

BOOL CLVKReportPaintManager::DrawInplaceComboButton(CDC* pDC, RECT rcButton)
{
    if (!m_bShowInplaceButtonGlyphs || (pDC && pDC->m_bPrinting && !m_bPrintInplaceButtonGlyphs))
        return FALSE;
    if (m_bThemedInplaceButtons && m_themeCombo.HasThemeData())
    {
        m_themeCombo.DrawThemeBackground(pDC->m_hDC, CP_DROPDOWNBUTTON, CBXS_NORMAL, &rcButton, nullptr);
        return TRUE;
    }
    DrawInplaceButtonFrame(pDC, rcButton, FALSE);
    DrawArrowDown(pDC, rcButton);
    return TRUE;
}

BOOL CLVKReportPaintManager::DrawInplaceExpandButton(CDC* pDC, RECT rcButton)
{
    if (!m_bShowInplaceButtonGlyphs || (pDC && pDC->m_bPrinting && !m_bPrintInplaceButtonGlyphs))
        return FALSE;
    if (m_bThemedInplaceButtons && m_themeButton.HasThemeData())
    {
        m_themeButton.DrawThemeBackground(pDC->m_hDC, BP_PUSHBUTTON, PBS_NORMAL, &rcButton, nullptr);
        DrawDots(pDC, rcButton);
        return TRUE;
    }
    DrawInplaceButtonFrame(pDC, rcButton, FALSE);
    DrawDots(pDC, rcButton);
    return TRUE;
}

BOOL CLVKReportPaintManager::DrawInplaceSpinButton(CDC* pDC, RECT rcButton)
{
    if (!m_bShowInplaceButtonGlyphs || (pDC && pDC->m_bPrinting && !m_bPrintInplaceButtonGlyphs))
        return FALSE;
    // Drawn in a cell only with the system's "SPIN" visual style.
    if (!m_bThemedInplaceButtons || !m_themeSpin.HasThemeData())
        return FALSE;
    RECT rcUpper = rcButton;
    rcUpper.bottom = (rcButton.top + rcButton.bottom) / 2;
    RECT rcLower = rcButton;
    rcLower.top = rcUpper.bottom;
    m_themeSpin.DrawThemeBackground(pDC->m_hDC, SPNP_UP, UPS_NORMAL, &rcUpper, nullptr);
    m_themeSpin.DrawThemeBackground(pDC->m_hDC, SPNP_DOWN, DNS_NORMAL, &rcLower, nullptr);
    return TRUE;
}

void CLVKReportPaintManager::DrawItemControl(LVK_REPORTRECORDITEM_DRAWARGS* pArgs,
                                             CLVKReportRecordItemControl* pControl, RECT& rcItem)
{
    CDC* pDC = pArgs->pDC;
    HDC hDC = pDC->m_hDC;
    const SIZE szControl = pControl->GetSize();
    RECT rc = rcItem;
    const BOOL bRight = (pControl->GetAlignment() & LVK_REPORT_CONTROL_RIGHT) != 0;
    if (szControl.cx < 1)
    {
        if (bRight)
            rc.left = rc.right;
        else
            rc.right = rc.left;
    }
    else if (bRight)
    {
        rc.left = std::max(rcItem.left, rcItem.right - szControl.cx);
        rcItem.right = rc.left;
    }
    else
    {
        rc.right = std::min(rcItem.right, rcItem.left + szControl.cx);
        rcItem.left = rc.right;
    }
    if (szControl.cy > 0 && szControl.cy < rc.bottom - rc.top)
    {
        rc.top += (rc.bottom - rc.top - szControl.cy) / 2;
        rc.bottom = rc.top + szControl.cy;
    }
    pControl->SetRect(rc);
    if (IsRectEmpty(&rc))
        return;
    const BOOL bEnabled = pControl->GetEnable();
    const int nState = bEnabled ? pControl->GetState() : PBS_DISABLED;
    const BOOL bThemed = (m_bThemedInplaceButtons || pControl->GetThemed()) && m_themeButton.HasThemeData();
    RECT rcContent = rc;
    if (bThemed)
        m_themeButton.DrawThemeBackground(hDC, BP_PUSHBUTTON, nState, &rc, nullptr);
    else
    {
        FillSolid(hDC, rc, GetSysColor(COLOR_BTNFACE));
        if (nState == PBS_PRESSED)
            DrawSunkenFrame(pDC, rc);
        else
            DrawRaisedFrame(pDC, rc);
    }
    if (nState == PBS_PRESSED)
    {
        rcContent.left += LVKScaleX(3);
        rcContent.top += LVKScaleY(3);
        rcContent.right -= LVKScaleX(1);
        rcContent.bottom -= LVKScaleY(1);
    }
    else
        InflateRect(&rcContent, bThemed ? -LVKScaleX(1) : -LVKScaleX(2), bThemed ? -LVKScaleY(1) : -LVKScaleY(2));
    const int nIcon = pControl->GetIconIndex(nState);
    if (nIcon >= 0 && pArgs->pControl && pArgs->pControl->GetImageManager())
    {
        if (CLVKImageManagerIcon* pIcon = pArgs->pControl->GetImageManager()->FindIcon(nIcon, 0))
        {
            const SIZE sz = pIcon->GetExtent();
            DrawIconAt(pDC, pIcon, std::max(rcContent.left, (rcContent.left + rcContent.right - sz.cx) / 2),
                       std::max(rcContent.top, (rcContent.top + rcContent.bottom - sz.cy) / 2));
        }
    }
    const CString strCaption = pControl->GetCaption();
    if (!strCaption.IsEmpty())
    {
        CFont* pFont = pControl->GetFont();
        CLVKFontDC font(pDC, pFont && pFont->GetSafeHandle() ? pFont : &m_fontText);
        const COLORREF clrOld = SetTextColor(hDC, bEnabled ? pControl->GetCaptionColor() : GetToolkitColor(35));
        SetBkMode(hDC, TRANSPARENT);
        DrawTextW(hDC, strCaption, strCaption.GetLength(), &rcContent,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_CENTER);
        SetTextColor(hDC, clrOld);
    }
}
