#include "Controls/ScrollBarThemeWindowsUx.h"

#include "Foundation/ColorManager.h"
#include "Foundation/DpiScaling.h"

#include <vssym32.h>

CLVKScrollBarThemeWindowsUx::CLVKScrollBarThemeWindowsUx()
{
    CLVKScrollBarThemeWindowsUx::RefreshMetrics();
}

void CLVKScrollBarThemeWindowsUx::RefreshMetrics()
{
    CLVKScrollBarThemeWindowsClassic::RefreshMetrics();
    m_pTheme->CloseThemeData();
    m_pTheme->OpenThemeData(nullptr, L"SCROLLBAR");
    if (!IsThemeAvailable())
        CLVKScrollBarThemeWindowsClassic::RefreshMetrics();
}

BOOL CLVKScrollBarThemeWindowsUx::IsThemeAvailable() const
{
    return m_pTheme->HasThemeData() && m_pTheme->AreAppThemesEnabled();
}

int CLVKScrollBarThemeWindowsUx::PartState(const CLVKScrollBarPartRects& parts, int nPart)
{
    if (!parts.bEnabled)
        return 4;
    if (parts.nPressedPart == nPart)
        return 3;
    if (parts.nHotPart == nPart)
        return 2;
    return 1;
}

void CLVKScrollBarThemeWindowsUx::DrawThemedArrows(CDC* pDC, const CLVKScrollBarPartRects& parts, BOOL bVertical)
{
    // ABS_UPNORMAL 1 .. ABS_DOWNDISABLED 8, ABS_LEFTNORMAL 9 .. ABS_RIGHTDISABLED 16.
    const int nFirstBase = bVertical ? 0 : 8;
    const int nSecondBase = bVertical ? 4 : 12;
    const HDC hDC = pDC->GetSafeHdc();
    m_pTheme->DrawThemeBackground(hDC, SBP_ARROWBTN, nFirstBase + PartState(parts, LVK_HTSCROLLUP), &parts.rcFirstArrow,
                                  nullptr);
    m_pTheme->DrawThemeBackground(hDC, SBP_ARROWBTN, nSecondBase + PartState(parts, LVK_HTSCROLLDOWN),
                                  &parts.rcSecondArrow, nullptr);
}

void CLVKScrollBarThemeWindowsUx::DrawThemedTrack(CDC* pDC, const CLVKScrollBarPartRects& parts, BOOL bVertical)
{
    if (parts.rcTrack.IsRectEmpty())
        return;
    const HDC hDC = pDC->GetSafeHdc();
    if (!parts.rcPageBefore.IsRectEmpty())
        m_pTheme->DrawThemeBackground(hDC, bVertical ? SBP_UPPERTRACKVERT : SBP_UPPERTRACKHORZ,
                                      PartState(parts, LVK_HTSCROLLUPPAGE), &parts.rcPageBefore, nullptr);
    if (!parts.rcPageAfter.IsRectEmpty())
        m_pTheme->DrawThemeBackground(hDC, bVertical ? SBP_LOWERTRACKVERT : SBP_LOWERTRACKHORZ,
                                      PartState(parts, LVK_HTSCROLLDOWNPAGE), &parts.rcPageAfter, nullptr);
}

void CLVKScrollBarThemeWindowsUx::DrawThemedThumb(CDC* pDC, const CLVKScrollBarPartRects& parts, BOOL bVertical)
{
    if (parts.rcTrack.IsRectEmpty() || parts.rcThumb.IsRectEmpty())
        return;
    const HDC hDC = pDC->GetSafeHdc();
    const int nState = PartState(parts, LVK_HTSCROLLTHUMB);
    m_pTheme->DrawThemeBackground(hDC, bVertical ? SBP_THUMBBTNVERT : SBP_THUMBBTNHORZ, nState, &parts.rcThumb,
                                  nullptr);
    const int nLength = bVertical ? parts.rcThumb.Height() : parts.rcThumb.Width();
    if (nLength > CLVKDpiScaling::GetGlobal()->ScaleY(13))
        m_pTheme->DrawThemeBackground(hDC, bVertical ? SBP_GRIPPERVERT : SBP_GRIPPERHORZ, nState, &parts.rcThumb,
                                      nullptr);
}

void CLVKScrollBarThemeWindowsUx::DrawArrowButtonsHorz(CDC* pDC, CLVKScrollBase* pScroll,
                                                       const CLVKScrollBarPartRects& parts)
{
    if (IsThemeAvailable())
        DrawThemedArrows(pDC, parts, FALSE);
    else
        CLVKScrollBarThemeWindowsClassic::DrawArrowButtonsHorz(pDC, pScroll, parts);
}

void CLVKScrollBarThemeWindowsUx::DrawArrowButtonsVert(CDC* pDC, CLVKScrollBase* pScroll,
                                                       const CLVKScrollBarPartRects& parts)
{
    if (IsThemeAvailable())
        DrawThemedArrows(pDC, parts, TRUE);
    else
        CLVKScrollBarThemeWindowsClassic::DrawArrowButtonsVert(pDC, pScroll, parts);
}

void CLVKScrollBarThemeWindowsUx::DrawTrackHorz(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts)
{
    if (IsThemeAvailable())
        DrawThemedTrack(pDC, parts, FALSE);
    else
        CLVKScrollBarThemeWindowsClassic::DrawTrackHorz(pDC, pScroll, parts);
}

void CLVKScrollBarThemeWindowsUx::DrawTrackVert(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts)
{
    if (IsThemeAvailable())
        DrawThemedTrack(pDC, parts, TRUE);
    else
        CLVKScrollBarThemeWindowsClassic::DrawTrackVert(pDC, pScroll, parts);
}

// Without visual styles the classic track has drawn the thumb already.
void CLVKScrollBarThemeWindowsUx::DrawThumbHorz(CDC* pDC, CLVKScrollBase*, const CLVKScrollBarPartRects& parts)
{
    if (IsThemeAvailable())
        DrawThemedThumb(pDC, parts, FALSE);
}

void CLVKScrollBarThemeWindowsUx::DrawThumbVert(CDC* pDC, CLVKScrollBase*, const CLVKScrollBarPartRects& parts)
{
    if (IsThemeAvailable())
        DrawThemedThumb(pDC, parts, TRUE);
}

void CLVKScrollBarThemeWindowsUx::DrawSizeBox(CDC* pDC, CLVKScrollBase* pScroll)
{
    if (!IsThemeAvailable())
    {
        CLVKScrollBarThemeWindowsClassic::DrawSizeBox(pDC, pScroll);
        return;
    }
    const CRect rc = pScroll->GetGeometry().rcBar;
    COLORREF clrFace = m_pTheme->GetThemeSysColor(COLOR_BTNFACE);
    if (clrFace == static_cast<COLORREF>(-1))
        clrFace = GetToolkitColor(COLOR_BTNFACE);
    pDC->FillSolidRect(&rc, clrFace);
    m_pTheme->DrawThemeBackground(pDC->GetSafeHdc(), SBP_SIZEBOX, 0, &rc, nullptr);
}
