#include "TaskButtonThemeExpando.h"

#include "Controls/Button.h"
#include "Foundation/ColorManager.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/GdiObjectDC.h"
#include "Foundation/GlyphFont.h"
#include "Foundation/WinThemeWrapper.h"
#include "Markup/MarkupHelpers.h"

#include <vsstyle.h>

#include <algorithm>

CLVKTaskButtonThemeExpando::CLVKTaskButtonThemeExpando()
{
    m_bOffsetPushed = FALSE;
}

void CLVKTaskButtonThemeExpando::DrawButton(CDC* pDC, CLVKButton* pButton)
{
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    const HDC hDC = pDC->GetSafeHdc();
    const BOOL bPressed = pButton->IsPushed() != 0;
    const BOOL bHot = pButton->IsHighlighted();
    const BOOL bExpanded = pButton->GetChecked() != 0;
    const UINT nUiState = static_cast<UINT>(::SendMessageW(pButton->GetSafeHwnd(), WM_QUERYUISTATE, 0, 0));

    CRect rc;
    pButton->GetClientRect(&rc);
    pDC->FillSolidRect(&rc, GetToolkitColor(COLOR_3DFACE));
    const HFONT hFont = reinterpret_cast<HFONT>(::SendMessageW(pButton->GetSafeHwnd(), WM_GETFONT, 0, 0));
    CLVKGdiObjectDC font(hDC, hFont);
    const CString strCaption = pButton->GetButtonText();
    const UINT nPrefix = (nUiState & UISF_HIDEACCEL) ? DT_HIDEPREFIX : 0;

    RECT rcText = rc;
    rcText.left += pDpi->ScaleX(26);
    // A markup caption is measured and drawn by the markup engine.
    CLVKMarkupUIElement* const pMarkup = pButton->GetMarkupCaption();
    const COLORREF clrText = GetToolkitColor(COLOR_BTNTEXT);
    SIZE line{};
    if (pMarkup)
    {
        MarkupSetDefaultFont(pButton->GetMarkupContext(), hFont, clrText);
        line = MarkupMeasureElement(pMarkup, std::max<int>(rcText.right - rcText.left, 0));
    }
    else
        ::GetTextExtentPoint32W(hDC, strCaption, strCaption.GetLength(), &line);
    if (line.cx < rc.Width())
    {
        rcText.top = rc.top + (rc.Height() - line.cy) / 2;
        rcText.bottom = rcText.top + line.cy;
    }
    pDC->SetTextColor(clrText);
    pDC->SetBkMode(TRANSPARENT);
    if (pMarkup)
    {
        const RECT rcMarkup{rcText.left, rcText.top, std::min<LONG>(rcText.left + line.cx, rcText.right),
                            rcText.top + line.cy};
        MarkupRenderElement(pMarkup, hDC, &rcMarkup);
    }
    else
        ::DrawTextW(hDC, strCaption, strCaption.GetLength(), &rcText, DT_WORDBREAK | nPrefix);
    if (::GetFocus() == pButton->GetSafeHwnd() && !(nUiState & UISF_HIDEFOCUS))
    {
        RECT rcFocus = rcText;
        if (pMarkup)
            rcFocus = RECT{rcText.left, rcText.top, rcText.left + line.cx, rcText.top + line.cy};
        else
            ::DrawTextW(hDC, strCaption, strCaption.GetLength(), &rcFocus, DT_CALCRECT | DT_WORDBREAK | nPrefix);
        ::InflateRect(&rcFocus, pDpi->ScaleX(1), 0);
        ::DrawFocusRect(hDC, &rcFocus);
    }
    font.Restore();

    RECT rcGlyph{rc.left, rc.top, rc.left + pDpi->ScaleX(18), rc.top + std::min<LONG>(pDpi->ScaleY(20), rc.Height())};
    bool bFramed = false;
    if (m_pTheme->IsAppThemeReady())
    {
        CLVKWinThemeWrapper taskDialogTheme;
        taskDialogTheme.OpenThemeData(pButton->GetSafeHwnd(), L"TASKDIALOG");
        if (taskDialogTheme.IsAppThemeReady())
        {
            const int nState = (bPressed ? 3 : bHot ? 2 : 1) + (bExpanded ? 3 : 0);
            const RECT rcPart{rc.left, rc.top, rc.left + pDpi->ScaleX(19), rc.top + pDpi->ScaleY(21)};
            if (SUCCEEDED(taskDialogTheme.DrawThemeBackground(hDC, TDLG_EXPANDOBUTTON, nState, &rcPart, nullptr)))
                return;
        }
        RECT rcPush = rcGlyph;
        rcPush.right += pDpi->ScaleX(1);
        const int nState = bPressed ? PBS_PRESSED : bHot ? PBS_HOT : PBS_NORMAL;
        bFramed = SUCCEEDED(m_pTheme->DrawThemeBackground(hDC, BP_PUSHBUTTON, nState, &rcPush, nullptr));
    }
    if (!bFramed)
        ::DrawFrameControl(hDC, &rcGlyph, DFC_BUTTON, DFCS_BUTTONPUSH | (bPressed ? DFCS_PUSHED : 0));
    ::InflateRect(&rcGlyph, -pDpi->ScaleX(2), -pDpi->ScaleY(2));
    CLVKGlyphFont::GetGlobal()->DrawGlyph(pDC, GetChevron(bExpanded), &rcGlyph, GetToolkitColor(COLOR_BTNTEXT));
}
