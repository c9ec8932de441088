#include "TaskButtonTheme.h"

#include "Foundation/ColorManager.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/DrawHelpers.h"
#include "Foundation/SystemVersion.h"
#include "Foundation/WinThemeWrapper.h"
#include "TaskDialogButton.h"
#include "TaskDialogMeasure.h"

#include <vsstyle.h>

#include <algorithm>

namespace
{

void FillSolid(HDC hDC, const RECT& rc, COLORREF clr)
{
    const COLORREF clrOld = ::SetBkColor(hDC, clr);
    ::ExtTextOutW(hDC, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    ::SetBkColor(hDC, clrOld);
}

void Frame(HDC hDC, const RECT& rc, COLORREF clr)
{
    FillSolid(hDC, RECT{rc.left, rc.top, rc.right, rc.top + 1}, clr);
    FillSolid(hDC, RECT{rc.left, rc.bottom - 1, rc.right, rc.bottom}, clr);
    FillSolid(hDC, RECT{rc.left, rc.top, rc.left + 1, rc.bottom}, clr);
    FillSolid(hDC, RECT{rc.right - 1, rc.top, rc.right, rc.bottom}, clr);
}

void Frame3D(HDC hDC, const RECT& rc, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolid(hDC, RECT{rc.left, rc.top, rc.right - 1, rc.top + 1}, clrTopLeft);
    FillSolid(hDC, RECT{rc.left, rc.top, rc.left + 1, rc.bottom - 1}, clrTopLeft);
    FillSolid(hDC, RECT{rc.right - 1, rc.top, rc.right, rc.bottom}, clrBottomRight);
    FillSolid(hDC, RECT{rc.left, rc.bottom - 1, rc.right, rc.bottom}, clrBottomRight);
}

HBRUSH ParentButtonBrush(HDC hDC, CLVKTaskDialogButton& button)
{
    return reinterpret_cast<HBRUSH>(::SendMessageW(::GetParent(button.GetSafeHwnd()), WM_CTLCOLORBTN,
                                                   reinterpret_cast<WPARAM>(hDC),
                                                   reinterpret_cast<LPARAM>(button.GetSafeHwnd())));
}

bool HidesFocus(CLVKTaskDialogButton& button)
{
    return (::SendMessageW(button.GetSafeHwnd(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
}

bool HidesAccelerators(CLVKTaskDialogButton& button)
{
    return (::SendMessageW(button.GetSafeHwnd(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) != 0;
}

}  // namespace

CLVKTaskButtonTheme::CLVKTaskButtonTheme(BOOL bThemed) : m_bThemed(bThemed)
{
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    const SIZE margins = TaskDialogDluToPixels(pDpi->ScaleX(5), pDpi->ScaleY(5));
    m_nMarginX = margins.cx;
    m_nMarginY = margins.cy;
}

void CLVKTaskButtonTheme::RefreshMetrics(CLVKTaskDialogButton& /*button*/)
{
    m_clrFace = ::GetSysColor(COLOR_3DFACE);
    m_clrText = ::GetSysColor(COLOR_BTNTEXT);
    m_clrHotText = m_clrText;
    m_clrShadow = ::GetSysColor(COLOR_3DSHADOW);
    m_clrDarkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
    m_clrHighlight = ::GetSysColor(COLOR_3DHIGHLIGHT);
    m_clrLightEdge = ::GetSysColor(COLOR_3DLIGHT);
    m_clrPressedFace = m_clrFace;
    m_clrDefaultFrame = m_clrDarkShadow;
    if (!m_bThemed)
        return;
    const COLORREF clrWindow = ::GetSysColor(COLOR_WINDOW);
    const COLORREF clrFace = ::GetSysColor(COLOR_3DFACE);
    const COLORREF clrShadow = ::GetSysColor(COLOR_3DSHADOW);
    m_clrFace = clrWindow;
    m_clrText = RGB(21, 28, 85);
    m_clrHotText = RGB(0, 74, 229);
    m_clrDefaultFrame = RGB(163, 237, 255);
    m_clrPressedFace = CLVKColorManager::BlendColors(clrWindow, clrFace, 200);
    m_clrDarkShadow = CLVKColorManager::BlendColors(clrFace, clrShadow, 775);
    m_clrHighlight = CLVKColorManager::BlendColors(clrFace, clrShadow, 875);
    m_clrShadow = CLVKColorManager::BlendColors(clrWindow, clrFace, 0);
    m_clrLightEdge = CLVKColorManager::BlendColors(clrFace, clrShadow, 175);
}

COLORREF CLVKTaskButtonTheme::GetTextColor(CLVKTaskDialogButton& button, UINT nState) const
{
    if ((nState & ODS_DISABLED) || !::IsWindowEnabled(button.GetSafeHwnd()))
        return ::GetSysColor(COLOR_GRAYTEXT);
    return button.IsHighlighted() ? m_clrHotText : m_clrText;
}

POINT CLVKTaskButtonTheme::GetTextOrigin(const RECT& rc, SIZE total, int nImageWidth) const
{
    return POINT{rc.left + m_nMarginX + nImageWidth, rc.top + ((rc.bottom - rc.top) - total.cy) / 2};
}

int AFX_CDECL CLVKTaskButtonTheme::GetThemeState(BOOL bPressed, BOOL bHot, BOOL bDefault, BOOL bDisabled)
{
    if (bDisabled)
        return CMDLS_DISABLED;
    if (bPressed)
        return CMDLS_PRESSED;
    if (bHot)
        return CMDLS_HOT;
    return bDefault ? CMDLS_DEFAULTED : CMDLS_NORMAL;
}

void CLVKTaskButtonTheme::DrawButton(HDC hDC, CLVKTaskDialogButton& button, const RECT& rc, UINT nState)
{
    if (!DrawCommandLinkBackgroundThemed(hDC, button, rc, nState))
        DrawCommandLinkBackground(hDC, button, rc, nState);
    DrawCommandLinkText(hDC, button, rc, nState);
    DrawCommandLinkImage(hDC, button, rc, nState);
    if ((nState & ODS_FOCUS) && !HidesFocus(button))
    {
        RECT rcFocus = rc;
        const int nGap = CLVKDpiScaling::GetGlobal()->ScaleX(3);
        ::InflateRect(&rcFocus, -nGap, -nGap);
        ::SetTextColor(hDC, RGB(0, 0, 0));
        ::SetBkColor(hDC, RGB(255, 255, 255));
        ::DrawFocusRect(hDC, &rcFocus);
    }
}

BOOL CLVKTaskButtonTheme::DrawCommandLinkBackgroundThemed(HDC hDC, CLVKTaskDialogButton& button, RECT rc, UINT nState)
{
    if (!m_bThemed)
        return FALSE;
    const BOOL bPressed = (nState & ODS_SELECTED) != 0;
    const BOOL bHot = button.IsHighlighted();
    const BOOL bDisabled = (nState & ODS_DISABLED) != 0;
    if (const HBRUSH hBrush = ParentButtonBrush(hDC, button))
        ::FillRect(hDC, &rc, hBrush);
    else
        FillSolid(hDC, rc, m_clrFace);

    CLVKWinThemeWrapper theme;
    theme.OpenThemeData(button.GetSafeHwnd(), L"BUTTON");
    if (theme.IsAppThemeReady() && CLVKSystemVersion::GetGlobal()->IsVistaOrGreater() &&
        SUCCEEDED(theme.DrawThemeBackground(
            hDC, BP_COMMANDLINK, GetThemeState(bPressed, bHot, button.IsDefault(), bDisabled), &rc, nullptr)))
        return TRUE;

    // Own drawing of the themed face.
    CDC* pDC = CDC::FromHandle(hDC);
    const int nSaved = ::SaveDC(hDC);
    CLVKDrawHelpers::ExcludeCorners(pDC, &rc);
    if (bPressed)
    {
        FillSolid(hDC, rc, m_clrPressedFace);
        Frame(hDC, rc, m_clrLightEdge);
        ::InflateRect(&rc, -1, -1);
        FillSolid(hDC, RECT{rc.left, rc.top, rc.right, rc.top + 1}, m_clrDarkShadow);
        rc.top += CLVKDpiScaling::GetGlobal()->ScaleY(1);
        Frame(hDC, rc, m_clrHighlight);
        ::InflateRect(&rc, -1, -1);
        Frame(hDC, rc, m_clrShadow);
    }
    else if (bHot)
    {
        CLVKDrawHelpers::FillGradientRect(pDC, &rc, m_clrFace, m_clrShadow, FALSE);
        Frame(hDC, rc, m_clrLightEdge);
        ::InflateRect(&rc, -1, -1);
        Frame(hDC, rc, m_clrFace);
    }
    else if (button.IsDefault())
    {
        Frame(hDC, rc, m_clrDefaultFrame);
    }
    ::RestoreDC(hDC, nSaved);
    return TRUE;
}

void CLVKTaskButtonTheme::DrawCommandLinkBackground(HDC hDC, CLVKTaskDialogButton& button, RECT rc, UINT nState)
{
    const BOOL bPressed = (nState & ODS_SELECTED) != 0;
    const BOOL bHot = button.IsHighlighted();
    if (button.IsChecked())
        FillSolid(hDC, rc, m_clrLightEdge);
    else if (!bPressed && !bHot)
    {
        if (const HBRUSH hBrush = ParentButtonBrush(hDC, button))
            ::FillRect(hDC, &rc, hBrush);
        else
            FillSolid(hDC, rc, m_clrFace);
    }
    else
        FillSolid(hDC, rc, m_clrFace);

    RECT rcFrame = rc;
    if (bPressed)
    {
        Frame3D(hDC, rcFrame, m_clrDarkShadow, m_clrHighlight);
        ::InflateRect(&rcFrame, -1, -1);
        Frame3D(hDC, rcFrame, m_clrShadow, m_clrLightEdge);
    }
    else if (bHot)
    {
        Frame3D(hDC, rcFrame, m_clrHighlight, m_clrDarkShadow);
        ::InflateRect(&rcFrame, -1, -1);
        Frame3D(hDC, rcFrame, m_clrLightEdge, m_clrShadow);
    }
    if (button.IsDefault())
        Frame(hDC, rc, m_clrDefaultFrame);
}

void CLVKTaskButtonTheme::SplitCommandLinkText(CLVKTaskDialogButton& button)
{
    m_strCaption = button.GetCaption();
    m_strTitle = TaskDialogExtractLine(m_strCaption, 0);
    m_strNote = TaskDialogExtractLine(m_strCaption, 1);
}

void CLVKTaskButtonTheme::DrawCommandLinkText(HDC hDC, CLVKTaskDialogButton& button, const RECT& rc, UINT nState)
{
    if (m_strCaption.IsEmpty())
        SplitCommandLinkText(button);
    const HFONT hButtonFont = reinterpret_cast<HFONT>(::SendMessageW(button.GetSafeHwnd(), WM_GETFONT, 0, 0));
    const HFONT hTitleFont = m_hTitleFont ? m_hTitleFont : hButtonFont;
    const int nImageWidth = button.GetImageSize().cx;

    RECT rcText = rc;
    ::InflateRect(&rcText, -m_nMarginX, -m_nMarginY);
    rcText.left += nImageWidth;
    const SIZE area{std::max<LONG>(rcText.right - rcText.left, 0), std::max<LONG>(rcText.bottom - rcText.top, 0)};
    SIZE note = area;
    TaskDialogCalcTextRect(m_strNote, note, hButtonFont);
    SIZE title = area;
    TaskDialogCalcTextRect(m_strTitle, title, hTitleFont);
    const SIZE total{std::max(title.cx, note.cx), title.cy + note.cy};
    const POINT origin = GetTextOrigin(rc, total, nImageWidth);

    ::SetTextColor(hDC, GetTextColor(button, nState));
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetTextAlign(hDC, TA_LEFT | TA_TOP);
    int nNoteTop = origin.y;
    if (!m_strTitle.IsEmpty())
    {
        CString strTitle = m_strTitle;
        UINT nFormat = DT_WORDBREAK;
        if (HidesAccelerators(button))
            nFormat |= DT_HIDEPREFIX;
        const HGDIOBJ hOld = ::SelectObject(hDC, hTitleFont);
        RECT rcTitle{origin.x, origin.y, origin.x + title.cx, origin.y + title.cy};
        ::DrawTextW(hDC, strTitle, strTitle.GetLength(), &rcTitle, nFormat);
        ::SelectObject(hDC, hOld);
        nNoteTop = origin.y + title.cy + 1;
    }
    if (!m_strNote.IsEmpty())
    {
        const HGDIOBJ hOld = ::SelectObject(hDC, hButtonFont);
        RECT rcNote{origin.x, nNoteTop, origin.x + note.cx, nNoteTop + note.cy};
        ::DrawTextW(hDC, m_strNote, m_strNote.GetLength(), &rcNote, DT_WORDBREAK | DT_NOPREFIX);
        ::SelectObject(hDC, hOld);
    }
}

void CLVKTaskButtonTheme::DrawCommandLinkImage(HDC hDC, CLVKTaskDialogButton& button, const RECT& rc, UINT nState)
{
    const SIZE size = button.GetImageSize();
    const HBITMAP hImage = button.GetImage(button.IsHighlighted() != FALSE);
    if (!hImage || size.cx <= 0)
        return;
    const HFONT hFont =
        m_hTitleFont ? m_hTitleFont : reinterpret_cast<HFONT>(::SendMessageW(button.GetSafeHwnd(), WM_GETFONT, 0, 0));
    const HGDIOBJ hOldFont = ::SelectObject(hDC, hFont);
    SIZE space{};
    ::GetTextExtentPoint32W(hDC, L" ", 1, &space);
    ::SelectObject(hDC, hOldFont);
    const int x = rc.left + CLVKDpiScaling::GetGlobal()->ScaleX(7);
    const int y = rc.top + space.cy / 2 + m_nMarginY - size.cy / 2;

    BITMAP bm{};
    ::GetObjectW(hImage, sizeof(bm), &bm);
    const HDC hMemDC = ::CreateCompatibleDC(hDC);
    const HGDIOBJ hOld = ::SelectObject(hMemDC, hImage);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>((nState & ODS_DISABLED) ? 96 : 255), AC_SRC_ALPHA};
    ::AlphaBlend(hDC, x, y, size.cx, size.cy, hMemDC, 0, 0, bm.bmWidth, bm.bmHeight, blend);
    ::SelectObject(hMemDC, hOld);
    ::DeleteDC(hMemDC);
}
