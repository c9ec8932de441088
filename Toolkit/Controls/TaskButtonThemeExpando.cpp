#include "TaskButtonThemeExpando.h"

#include "Foundation/DpiScaling.h"
#include "Foundation/GlyphFont.h"
#include "Foundation/WinThemeWrapper.h"
#include "TaskDialogButton.h"

#include <vsstyle.h>

#include <algorithm>

void CLVKTaskButtonThemeExpando::DrawButton(HDC hDC, CLVKTaskDialogButton& button, const RECT& rc, UINT nState)
{
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    const BOOL bPressed = (nState & ODS_SELECTED) != 0;
    const BOOL bHot = button.IsHighlighted();
    const UINT nUiState = static_cast<UINT>(::SendMessageW(button.GetSafeHwnd(), WM_QUERYUISTATE, 0, 0));

    ::FillRect(hDC, &rc, ::GetSysColorBrush(COLOR_3DFACE));
    ::SetBkColor(hDC, ::GetSysColor(COLOR_3DFACE));
    const HFONT hFont = reinterpret_cast<HFONT>(::SendMessageW(button.GetSafeHwnd(), WM_GETFONT, 0, 0));
    const HGDIOBJ hOldFont = ::SelectObject(hDC, hFont);
    const CString strCaption = button.GetCaption();
    const UINT nPrefix = (nUiState & UISF_HIDEACCEL) ? DT_HIDEPREFIX : 0;

    RECT rcText = rc;
    rcText.left += pDpi->ScaleX(26);
    SIZE line{};
    ::GetTextExtentPoint32W(hDC, strCaption, strCaption.GetLength(), &line);
    if (line.cx < rc.right - rc.left)
    {
        rcText.top = rc.top + ((rc.bottom - rc.top) - line.cy) / 2;
        rcText.bottom = rcText.top + line.cy;
    }
    ::SetTextColor(hDC, ::GetSysColor(COLOR_BTNTEXT));
    ::SetBkMode(hDC, TRANSPARENT);
    ::DrawTextW(hDC, strCaption, strCaption.GetLength(), &rcText, DT_WORDBREAK | nPrefix);
    if ((nState & ODS_FOCUS) && !(nUiState & UISF_HIDEFOCUS))
    {
        RECT rcFocus = rcText;
        ::DrawTextW(hDC, strCaption, strCaption.GetLength(), &rcFocus, DT_CALCRECT | DT_WORDBREAK | nPrefix);
        ::InflateRect(&rcFocus, pDpi->ScaleX(1), 0);
        ::DrawFocusRect(hDC, &rcFocus);
    }
    ::SelectObject(hDC, hOldFont);

    RECT rcGlyph{rc.left, rc.top, rc.left + pDpi->ScaleX(18),
                 rc.top + std::min<LONG>(pDpi->ScaleY(20), rc.bottom - rc.top)};
    bool bFramed = false;
    if (m_bThemed)
    {
        CLVKWinThemeWrapper taskDialogTheme;
        taskDialogTheme.OpenThemeData(button.GetSafeHwnd(), L"TASKDIALOG");
        if (taskDialogTheme.IsAppThemeReady())
        {
            const int nState2 = (bPressed ? 3 : bHot ? 2 : 1) + (button.IsChecked() ? 3 : 0);
            const RECT rcPart{rc.left, rc.top, rc.left + pDpi->ScaleX(19), rc.top + pDpi->ScaleY(21)};
            if (SUCCEEDED(taskDialogTheme.DrawThemeBackground(hDC, TDLG_EXPANDOBUTTON, nState2, &rcPart, nullptr)))
                return;
        }
        CLVKWinThemeWrapper buttonTheme;
        buttonTheme.OpenThemeData(button.GetSafeHwnd(), L"BUTTON");
        RECT rcPush = rcGlyph;
        rcPush.right += pDpi->ScaleX(1);
        if (buttonTheme.IsAppThemeReady() && SUCCEEDED(buttonTheme.DrawThemeBackground(hDC, BP_PUSHBUTTON,
                                                                                       bPressed ? 3
                                                                                       : bHot   ? 2
                                                                                                : 1,
                                                                                       &rcPush, nullptr)))
            bFramed = true;
    }
    if (!bFramed)
        ::DrawFrameControl(hDC, &rcGlyph, DFC_BUTTON, DFCS_BUTTONPUSH | (bPressed ? DFCS_PUSHED : 0));
    ::InflateRect(&rcGlyph, -pDpi->ScaleX(2), -pDpi->ScaleY(2));
    CLVKGlyphFont::GetGlobal()->DrawGlyph(CDC::FromHandle(hDC), GetChevron(button.IsChecked()), &rcGlyph,
                                          ::GetSysColor(COLOR_BTNTEXT));
}
