#include "Controls/ScrollBarPaintManager.h"

#include "Foundation/ColorManager.h"

CLVKScrollBarPaintManager::CLVKScrollBarPaintManager()
{
    CLVKScrollBarPaintManager::RefreshMetrics();
}

void CLVKScrollBarPaintManager::RefreshMetrics()
{
    RecomputeToolkitColors(FALSE);
    m_cxHScroll = ::GetSystemMetrics(SM_CXHSCROLL);
    m_cyHScroll = ::GetSystemMetrics(SM_CYHSCROLL);
    m_cxVScroll = ::GetSystemMetrics(SM_CXVSCROLL);
    m_cyVScroll = ::GetSystemMetrics(SM_CYVSCROLL);
    m_clrA = m_clrB = m_clrFace = GetToolkitColor(COLOR_BTNFACE);
    m_clrLightEdge = m_clrDarkEdge = GetToolkitColor(COLOR_BTNSHADOW);
}

void CLVKScrollBarPaintManager::CalcPartRects(const CLVKScrollBase* pScroll, CLVKScrollBarPartRects& parts)
{
    const CLVKScrollBarGeometry& g = pScroll->GetGeometry();
    const unsigned uScrollable =
        static_cast<unsigned>(g.nMax) - static_cast<unsigned>(g.nPage) - static_cast<unsigned>(g.nMin);
    parts.bEnabled = uScrollable < 0x7FFFFFFFu && pScroll->IsScrollBarEnabled();
    parts.nThumbLength = g.nThumbEnd - g.nThumbStart;
    parts.nThumbOffset = g.nThumbStart - g.nFirstArrowEnd;
    if (!parts.bEnabled || g.nThumbEnd > g.nSecondArrowStart)
        parts.nThumbLength = parts.nThumbOffset = 0;

    if (pScroll->GetTrackState())
    {
        parts.nPressedPart = g.nHitPart;
        parts.nHotPart = LVK_HTSCROLLNONE;
    }
    else
    {
        parts.nPressedPart = LVK_HTSCROLLNONE;
        parts.nHotPart = g.nHitPart;
    }

    auto span = [&g](int nFrom, int nTo)
    {
        return g.bVertical ? CRect(g.nAcrossStart, nFrom, g.nAcrossEnd, nTo)
                           : CRect(nFrom, g.nAcrossStart, nTo, g.nAcrossEnd);
    };
    parts.rcBar = g.rcBar;
    parts.rcFirstArrow = span(g.nBarStart, g.nFirstArrowEnd);
    parts.rcSecondArrow = span(g.nSecondArrowStart, g.nBarEnd);
    parts.rcTrack = span(g.nFirstArrowEnd, g.nSecondArrowStart);
    const int nThumbFrom = g.nFirstArrowEnd + parts.nThumbOffset;
    parts.rcPageBefore = span(g.nFirstArrowEnd, nThumbFrom);
    parts.rcThumb = span(nThumbFrom, nThumbFrom + parts.nThumbLength);
    parts.rcPageAfter = span(nThumbFrom + parts.nThumbLength, g.nSecondArrowStart);
}

void CLVKScrollBarPaintManager::DrawScrollBar(CDC* pDC, CLVKScrollBase* pScroll)
{
    if (pScroll->IsSizeBox())
    {
        DrawSizeBox(pDC, pScroll);
        return;
    }
    CLVKScrollBarPartRects parts;
    CalcPartRects(pScroll, parts);
    if (pScroll->GetGeometry().bVertical)
    {
        DrawBackgroundVert(pDC, pScroll, parts);
        DrawArrowButtonsVert(pDC, pScroll, parts);
        DrawArrowGlyphsVert(pDC, pScroll, parts);
        DrawTrackVert(pDC, pScroll, parts);
        DrawThumbVert(pDC, pScroll, parts);
    }
    else
    {
        DrawBackgroundHorz(pDC, pScroll, parts);
        DrawArrowButtonsHorz(pDC, pScroll, parts);
        DrawArrowGlyphsHorz(pDC, pScroll, parts);
        DrawTrackHorz(pDC, pScroll, parts);
        DrawThumbHorz(pDC, pScroll, parts);
    }
}
