#include "Controls/ScrollBarThemeWindowsClassic.h"

#include "Foundation/ColorManager.h"

void CLVKScrollBarThemeWindowsClassic::DrawClassicArrows(CDC* pDC, const CLVKScrollBarPartRects& parts, BOOL bVertical)
{
    const UINT nInactive = parts.bEnabled ? 0 : DFCS_INACTIVE;
    CRect rcFirst = parts.rcFirstArrow;
    CRect rcSecond = parts.rcSecondArrow;
    pDC->DrawFrameControl(&rcFirst, DFC_SCROLL,
                          (bVertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | nInactive |
                              (parts.nPressedPart == LVK_HTSCROLLUP ? DFCS_PUSHED : 0));
    pDC->DrawFrameControl(&rcSecond, DFC_SCROLL,
                          (bVertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | nInactive |
                              (parts.nPressedPart == LVK_HTSCROLLDOWN ? DFCS_PUSHED : 0));
}

void CLVKScrollBarThemeWindowsClassic::DrawArrowButtonsHorz(CDC* pDC, CLVKScrollBase*,
                                                            const CLVKScrollBarPartRects& parts)
{
    DrawClassicArrows(pDC, parts, FALSE);
}

void CLVKScrollBarThemeWindowsClassic::DrawArrowButtonsVert(CDC* pDC, CLVKScrollBase*,
                                                            const CLVKScrollBarPartRects& parts)
{
    DrawClassicArrows(pDC, parts, TRUE);
}

void CLVKScrollBarThemeWindowsClassic::DrawClassicTrack(CDC* pDC, CLVKScrollBase* pScroll,
                                                        const CLVKScrollBarPartRects& parts, BOOL bWithThumb)
{
    CWnd* const pOwner = pScroll->GetNotifyOwner();
    const HWND hOwner = pOwner ? pOwner->GetSafeHwnd() : nullptr;
    HBRUSH hBrush = nullptr;
    if (hOwner)
        hBrush = reinterpret_cast<HBRUSH>(::DefWindowProcW(hOwner, WM_CTLCOLORSCROLLBAR,
                                                           reinterpret_cast<WPARAM>(pDC->GetSafeHdc()),
                                                           reinterpret_cast<LPARAM>(hOwner)));
    if (!hBrush)
        hBrush = ::GetSysColorBrush(COLOR_SCROLLBAR);
    ::FillRect(pDC->GetSafeHdc(), &parts.rcTrack, hBrush);

    if (parts.nPressedPart == LVK_HTSCROLLUPPAGE)
        pDC->InvertRect(&parts.rcPageBefore);
    else if (parts.nPressedPart == LVK_HTSCROLLDOWNPAGE)
        pDC->InvertRect(&parts.rcPageAfter);

    if (bWithThumb && !parts.rcTrack.IsRectEmpty() && !parts.rcThumb.IsRectEmpty())
    {
        CRect rcThumb = parts.rcThumb;
        pDC->FillSolidRect(&rcThumb, GetToolkitColor(COLOR_BTNFACE));
        pDC->DrawEdge(&rcThumb, EDGE_RAISED, BF_RECT | BF_ADJUST);
    }
}

void CLVKScrollBarThemeWindowsClassic::DrawTrackHorz(CDC* pDC, CLVKScrollBase* pScroll,
                                                     const CLVKScrollBarPartRects& parts)
{
    DrawClassicTrack(pDC, pScroll, parts, TRUE);
}

void CLVKScrollBarThemeWindowsClassic::DrawTrackVert(CDC* pDC, CLVKScrollBase* pScroll,
                                                     const CLVKScrollBarPartRects& parts)
{
    DrawClassicTrack(pDC, pScroll, parts, TRUE);
}

void CLVKScrollBarThemeWindowsClassic::DrawSizeBox(CDC* pDC, CLVKScrollBase* pScroll)
{
    CRect rc = pScroll->GetGeometry().rcBar;
    pDC->DrawFrameControl(&rc, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}
