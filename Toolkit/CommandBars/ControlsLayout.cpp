// CLVKControls: placing the controls in their bar: rows that wrap at a
// length (tool bars, menu bars, popup tool bars) and columns (popup menus).
#include "CommandBars/Controls.h"

#include "CommandBars/CommandBar.h"
#include "CommandBars/Control.h"
#include "CommandBars/PaintManager.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/FontDC.h"
#include "Foundation/ImageManager.h"

#include <algorithm>
#include <climits>

struct CLVKControls::LayoutState
{
    std::vector<LayoutRecord> records;
    CSize szSeparator{0, 0};
    CSize szSpacing{0, 0};
    BOOL bVertical = FALSE;
    BOOL bReducing = FALSE;
    CDC* pDC = nullptr;

    // A record that takes part in the layout: visible and not hidden.
    static bool Placed(const LayoutRecord& r) { return r.bVisible && !r.bHidden; }
    int Along(const LayoutRecord& r) const { return bVertical ? r.szControl.cy : r.szControl.cx; }
    int Gap(const LayoutRecord& r) const { return r.bBeginGroup ? szSeparator.cx : szSpacing.cx; }
    int CrossGap(const LayoutRecord& r) const { return r.bBeginGroup ? szSeparator.cy : szSpacing.cy; }
};

namespace
{
constexpr int kWidest = INT_MAX / 4;
}

CSize CLVKControls::MeasureSeparator(CDC* pDC) const
{
    if (!m_pParent)
        return CSize(0, 0);
    CLVKPaintManager* pPaintManager = m_pParent->GetPaintManager();
    return pPaintManager ? pPaintManager->DrawCommandBarSeparator(pDC, m_pParent, nullptr, FALSE) : CSize(0, 0);
}

int CLVKControls::WrapControls(LayoutState& state, int nWidth, DWORD& dwMode) const
{
    std::vector<LayoutRecord>& records = state.records;
    int nRows = 0;
    int nExtent = 0;
    int nRowStart = -1;
    BOOL bFirstVisible = TRUE;
    BOOL bHiding = FALSE;
    for (size_t i = 0; i < records.size(); i++)
    {
        LayoutRecord& rec = records[i];
        if (!rec.bVisible)
            continue;
        rec.bHidden = FALSE;
        rec.bWrap = FALSE;
        const BOOL bNewRow = (rec.pControl->GetFlags() & kFlagNewRow) != 0 && !bFirstVisible;
        if (bHiding && !bNewRow)
        {
            rec.bHidden = TRUE;
            continue;
        }
        bHiding = FALSE;
        if (bFirstVisible || bNewRow)
        {
            rec.bWrap = bNewRow;
            nRows++;
            nExtent = state.Along(rec);
            nRowStart = static_cast<int>(i);
            bFirstVisible = FALSE;
            continue;
        }
        nExtent += state.Gap(rec) + state.Along(rec);
        const BOOL bOverflow = nExtent > nWidth || ((dwMode & kLayoutPopup) != 0 && rec.bBeginGroup);
        if (!bOverflow)
            continue;
        if (dwMode & kLayoutHideWrap)
        {
            rec.bHidden = TRUE;
            bHiding = TRUE;
            dwMode |= kLayoutStretch;
            continue;
        }
        // Break at the last group start of the row, else at this control.
        int nBreak = static_cast<int>(i);
        for (int j = static_cast<int>(i); j > nRowStart; j--)
        {
            if (records[j].bVisible && records[j].bBeginGroup)
            {
                nBreak = j;
                break;
            }
        }
        records[nBreak].bWrap = TRUE;
        nRows++;
        nRowStart = nBreak;
        nExtent = 0;
        for (int j = nBreak; j <= static_cast<int>(i); j++)
        {
            if (!records[j].bVisible)
                continue;
            nExtent += (j == nBreak ? 0 : state.Gap(records[j])) + state.Along(records[j]);
        }
        dwMode |= kLayoutStretch;
    }
    return nRows;
}

CSize CLVKControls::PlaceControls(LayoutState& state, BOOL bVertical) const
{
    std::vector<LayoutRecord>& records = state.records;
    CSize sz(0, 0);
    if (!bVertical)
    {
        int x = 0;
        int y = 0;
        int nRowHeight = 0;
        BOOL bFirstInRow = TRUE;
        BOOL bFirst = TRUE;
        for (LayoutRecord& rec : records)
        {
            if (!LayoutState::Placed(rec))
                continue;
            if (rec.bWrap && !bFirst)
            {
                y += nRowHeight + state.CrossGap(rec);
                x = 0;
                nRowHeight = 0;
                bFirstInRow = TRUE;
            }
            if (!bFirstInRow)
                x += state.Gap(rec);
            rec.rcControl.SetRect(x, y, x + rec.szControl.cx, y + rec.szControl.cy);
            x += rec.szControl.cx;
            nRowHeight = std::max(nRowHeight, static_cast<int>(rec.szControl.cy));
            sz.cx = std::max(sz.cx, rec.rcControl.right);
            sz.cy = std::max(sz.cy, rec.rcControl.bottom);
            bFirstInRow = FALSE;
            bFirst = FALSE;
        }
        return sz;
    }

    // Vertical: columns stack top to bottom; the first column is the
    // right-most, later ones are added to its left.
    std::vector<int> columnOf(records.size(), -1);
    std::vector<int> widths;
    std::vector<int> gaps;  // the gap left of each column but the first
    int nColumn = -1;
    for (size_t i = 0; i < records.size(); i++)
    {
        const LayoutRecord& rec = records[i];
        if (!LayoutState::Placed(rec))
            continue;
        if (nColumn < 0 || rec.bWrap)
        {
            nColumn++;
            widths.push_back(0);
            gaps.push_back(nColumn == 0 ? 0 : state.CrossGap(rec));
        }
        columnOf[i] = nColumn;
        widths[nColumn] = std::max(widths[nColumn], static_cast<int>(rec.szControl.cx));
    }
    int nTotal = 0;
    for (size_t c = 0; c < widths.size(); c++)
        nTotal += widths[c] + gaps[c];
    std::vector<int> lefts(widths.size(), 0);
    int nRight = nTotal;
    for (size_t c = 0; c < widths.size(); c++)
    {
        lefts[c] = nRight - widths[c];
        nRight = lefts[c] - (c + 1 < gaps.size() ? gaps[c + 1] : 0);
    }
    int y = 0;
    int nLastColumn = -1;
    for (size_t i = 0; i < records.size(); i++)
    {
        LayoutRecord& rec = records[i];
        if (columnOf[i] < 0)
            continue;
        if (columnOf[i] != nLastColumn)
        {
            y = 0;
            nLastColumn = columnOf[i];
        }
        else
        {
            y += state.Gap(rec);
        }
        const int x = lefts[columnOf[i]];
        rec.rcControl.SetRect(x, y, x + rec.szControl.cx, y + rec.szControl.cy);
        y += rec.szControl.cy;
        sz.cy = std::max(sz.cy, rec.rcControl.bottom);
    }
    sz.cx = nTotal;
    return sz;
}

CSize CLVKControls::WrapAndPlace(LayoutState& state, int nWidth, DWORD& dwMode, int* pnRows) const
{
    const int nRows = WrapControls(state, nWidth, dwMode);
    if (pnRows)
        *pnRows = nRows;
    return PlaceControls(state, state.bVertical);
}

CSize CLVKControls::SizeToLength(LayoutState& state, int nLength, DWORD& dwMode) const
{
    DWORD dwScratch = dwMode;
    if (dwMode & kLayoutLengthIsHeight)
    {
        int nLo = WrapAndPlace(state, 0, dwScratch).cx;
        int nHi = WrapAndPlace(state, kWidest, dwScratch).cx;
        int nWidth = nHi;
        while (nLo < nHi)
        {
            const int nMid = nLo + (nHi - nLo) / 2;
            const CSize sz = WrapAndPlace(state, nMid, dwScratch);
            if (sz.cy > nLength)
            {
                if (sz.cx <= nLo)
                {
                    nWidth = nHi;
                    break;
                }
                nLo = sz.cx;
                nWidth = nHi;
            }
            else if (sz.cy < nLength)
            {
                if (sz.cx >= nHi)
                    break;
                nHi = sz.cx;
                nWidth = sz.cx;
            }
            else
            {
                nWidth = nMid;
                break;
            }
        }
        return WrapAndPlace(state, nWidth, dwMode);
    }

    // The fewest rows the length allows, at the smallest width that keeps them.
    int nTarget = 0;
    WrapAndPlace(state, nLength, dwScratch, &nTarget);
    int nRows = 0;
    WrapAndPlace(state, 0, dwScratch, &nRows);
    int nWidth = nLength;
    if (nRows != nTarget)
    {
        int nLo = 0;
        int nHi = std::max(nLength, 0);
        while (nLo < nHi)
        {
            const int nMid = nLo + (nHi - nLo) / 2;
            WrapAndPlace(state, nMid, dwScratch, &nRows);
            if (nRows <= nTarget)
                nHi = nMid;
            else
                nLo = nMid + 1;
        }
        nWidth = nHi;
    }
    return WrapAndPlace(state, nWidth, dwMode);
}

CSize CLVKControls::SizeBalanced(LayoutState& state, DWORD& dwMode) const
{
    // The narrowest wrap width whose rows are no taller than wide: a result
    // taller than wide raises the lower bound, a square or wider one lowers
    // the upper bound to the width it really took.
    DWORD dwScratch = dwMode;
    int nLo = WrapAndPlace(state, 0, dwScratch).cx;
    int nHi = WrapAndPlace(state, kWidest, dwScratch).cx;
    int nWidth = nHi;
    while (nLo < nHi)
    {
        const int nMid = nLo + (nHi - nLo) / 2;
        const CSize sz = WrapAndPlace(state, nMid, dwScratch);
        if (sz.cy > sz.cx)
        {
            nLo = nMid + 1;
        }
        else
        {
            nWidth = std::min(nMid, static_cast<int>(sz.cx));
            nHi = nWidth;
        }
    }
    return WrapAndPlace(state, nWidth, dwMode);
}

void CLVKControls::ApplyMargins(LayoutState& state, CSize& sz, DWORD dwMode, const CRect& rcMargins) const
{
    std::vector<LayoutRecord>& records = state.records;
    std::vector<size_t> placed;
    for (size_t i = 0; i < records.size(); i++)
    {
        if (LayoutState::Placed(records[i]))
            placed.push_back(i);
    }
    for (size_t i : placed)
        records[i].rcControl.OffsetRect(rcMargins.left, rcMargins.top);

    // Rows (columns when vertical): runs of placed records between wraps.
    std::vector<std::pair<size_t, size_t>> rows;
    for (size_t k = 0; k < placed.size(); k++)
    {
        if (k == 0 || records[placed[k]].bWrap)
            rows.push_back({k, k});
        rows.back().second = k;
    }
    for (const auto& row : rows)
    {
        int nNear = INT_MAX;
        int nFar = INT_MIN;
        for (size_t k = row.first; k <= row.second; k++)
        {
            const CRect& rc = records[placed[k]].rcControl;
            nNear = std::min(nNear, static_cast<int>(state.bVertical ? rc.left : rc.top));
            nFar = std::max(nFar, static_cast<int>(state.bVertical ? rc.right : rc.bottom));
        }
        if (rows.size() == 1)
        {
            nNear = state.bVertical ? rcMargins.left : rcMargins.top;
            nFar = nNear + (state.bVertical ? sz.cx : sz.cy);
        }
        const CRect rcRow = state.bVertical ? CRect(nNear, rcMargins.top, nFar, rcMargins.top + sz.cy)
                                            : CRect(rcMargins.left, nNear, rcMargins.left + sz.cx, nFar);
        for (size_t k = row.first; k <= row.second; k++)
        {
            LayoutRecord& rec = records[placed[k]];
            rec.rcRow = rcRow;
            if (state.bReducing)
                continue;
            CRect& rc = rec.rcControl;
            if (state.bVertical)
                rc.OffsetRect(nNear + ((nFar - nNear) - rc.Width()) / 2 - rc.left, 0);
            else
                rc.OffsetRect(0, nNear + ((nFar - nNear) - rc.Height()) / 2 - rc.top);
        }
    }
    (void)dwMode;
    sz.cx += rcMargins.left + rcMargins.right;
    sz.cy += rcMargins.top + rcMargins.bottom;
}

void CLVKControls::AlignAndStretch(LayoutState& state, CSize sz, const CRect& rcMargins, DWORD /*dwMode*/) const
{
    std::vector<LayoutRecord>& records = state.records;
    const BOOL bVertical = state.bVertical;
    auto nearOf = [bVertical](const CRect& rc) { return bVertical ? rc.top : rc.left; };
    auto farOf = [bVertical](const CRect& rc) { return bVertical ? rc.bottom : rc.right; };
    auto shift = [bVertical](CRect& rc, int d) { rc.OffsetRect(bVertical ? 0 : d, bVertical ? d : 0); };
    const int nFarEdge = bVertical ? sz.cy - rcMargins.bottom : sz.cx - rcMargins.right;
    const int nNearMargin = bVertical ? rcMargins.top : rcMargins.left;

    // 1. Controls pushed to the row's end, from the last backwards.
    std::vector<bool> pushed(records.size(), false);
    int nEnd = nFarEdge;
    for (int i = static_cast<int>(records.size()) - 1; i >= 0; i--)
    {
        LayoutRecord& rec = records[i];
        if (!LayoutState::Placed(rec))
            continue;
        if ((rec.pControl->GetFlags() & kFlagPushRight) == 0)
            break;
        const int nLength = farOf(rec.rcControl) - nearOf(rec.rcControl);
        if (nEnd - nLength < nNearMargin)
            break;
        shift(rec.rcControl, nEnd - farOf(rec.rcControl));
        pushed[i] = true;
        nEnd = nearOf(rec.rcControl);
        if (rec.bWrap)
            break;
    }

    // 2. Each row's spare length shared among its stretched controls.
    std::vector<std::vector<size_t>> rows;
    for (size_t i = 0; i < records.size(); i++)
    {
        if (!LayoutState::Placed(records[i]))
            continue;
        if (rows.empty() || records[i].bWrap)
            rows.emplace_back();
        rows.back().push_back(i);
    }
    for (auto itRow = rows.rbegin(); itRow != rows.rend(); ++itRow)
    {
        const std::vector<size_t>& row = *itRow;
        int nLimit = nFarEdge;
        int nLastEnd = INT_MIN;
        std::vector<size_t> stretch;
        for (size_t i : row)
        {
            if (pushed[i])
            {
                nLimit = std::min(nLimit, static_cast<int>(nearOf(records[i].rcControl)));
                continue;
            }
            nLastEnd = std::max(nLastEnd, static_cast<int>(farOf(records[i].rcControl)));
            if (records[i].pControl->GetFlags() & kFlagStretch)
                stretch.push_back(i);
        }
        if (stretch.empty() || nLastEnd == INT_MIN)
            continue;
        int nSpare = nLimit - nLastEnd;
        if (nSpare <= 0)
            continue;
        int nShift = 0;
        size_t nRemaining = stretch.size();
        for (size_t i : row)
        {
            if (pushed[i])
                continue;
            CRect& rc = records[i].rcControl;
            shift(rc, nShift);
            if (std::find(stretch.begin(), stretch.end(), i) != stretch.end())
            {
                const int nAdd = nSpare / static_cast<int>(nRemaining);
                if (bVertical)
                    rc.bottom += nAdd;
                else
                    rc.right += nAdd;
                nShift += nAdd;
                nSpare -= nAdd;
                nRemaining--;
            }
        }
    }
}

CSize CLVKControls::StackLayout(LayoutState& state) const
{
    std::vector<LayoutRecord>& records = state.records;
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    CLVKPaintManager* pPaintManager = m_pParent ? m_pParent->GetPaintManager() : nullptr;
    const int nColumnHeight = (m_pParent ? m_pParent->GetLargeIconSize(FALSE).cy : 32) + pDpi->ScaleY(7) +
                              (pPaintManager ? pPaintManager->GetSplitDropDownWidth() : 0);
    int x = 0;
    int y = 0;
    int nColumnWidth = 0;
    BOOL bFirst = TRUE;
    CSize sz(0, 0);
    for (LayoutRecord& rec : records)
    {
        if (!LayoutState::Placed(rec))
            continue;
        const BOOL bLarge = rec.nStyle == kStyleLarge;
        BOOL bNewColumn = FALSE;
        int nGap = 0;
        if (!bFirst)
        {
            if (bLarge)
                bNewColumn = TRUE;
            else if (rec.bBeginGroup)
            {
                bNewColumn = TRUE;
                nGap = pDpi->ScaleX(6);
            }
            else if (y + rec.szControl.cy > nColumnHeight)
                bNewColumn = TRUE;
        }
        if (bNewColumn)
        {
            x += nColumnWidth + nGap;
            y = 0;
            nColumnWidth = 0;
        }
        rec.bWrap = bNewColumn;
        rec.rcControl.SetRect(x, y, x + rec.szControl.cx, y + rec.szControl.cy);
        y += rec.szControl.cy;
        if (bLarge)
            y = nColumnHeight;
        nColumnWidth = std::max(nColumnWidth, static_cast<int>(rec.szControl.cx));
        sz.cx = std::max(sz.cx, rec.rcControl.right);
        sz.cy = std::max(sz.cy, rec.rcControl.bottom);
        bFirst = FALSE;
    }
    return sz;
}

CSize CLVKControls::ReduceLayout(LayoutState& state, int nLength, DWORD& dwMode) const
{
    std::vector<LayoutRecord>& records = state.records;
    CDC* pDC = state.pDC;
    auto setStyle = [&](LayoutRecord& rec, int nStyle)
    {
        if (rec.nStyle == nStyle)
            return;
        rec.nStyle = nStyle;
        rec.pControl->m_nStyle = nStyle;
        rec.szControl = rec.pControl->GetSize(pDC);
    };

    const CSize szLarge = m_pParent ? m_pParent->GetLargeIconSize(FALSE) : CSize(32, 32);
    for (LayoutRecord& rec : records)
    {
        if (!LayoutState::Placed(rec))
            continue;
        CLVKImageManager* pImages = rec.pControl->GetImageManager();
        const BOOL bHasLarge =
            pImages && pImages->IsIconAvailable(static_cast<UINT>(rec.pControl->GetIconId()), szLarge.cx);
        setStyle(rec, bHasLarge ? kStyleLarge : kStyleSmall);
    }
    CSize sz = StackLayout(state);
    const BOOL bVertical = state.bVertical;
    auto extent = [bVertical](const CSize& s) { return bVertical ? s.cy : s.cx; };

    while (extent(sz) >= nLength)
    {
        // Runs of three visible controls, searched from the end, whose later
        // two do not begin a group.
        std::vector<size_t> visible;
        for (size_t i = 0; i < records.size(); i++)
            if (LayoutState::Placed(records[i]))
                visible.push_back(i);
        std::vector<std::vector<size_t>> runs;
        for (int k = static_cast<int>(visible.size()) - 3; k >= 0; k--)
        {
            if (records[visible[k + 1]].bBeginGroup || records[visible[k + 2]].bBeginGroup)
                continue;
            runs.push_back({visible[k], visible[k + 1], visible[k + 2]});
        }
        auto countStyle = [&](const std::vector<size_t>& run, int nStyle)
        {
            int n = 0;
            for (size_t i : run)
                n += records[i].nStyle == nStyle ? 1 : 0;
            return n;
        };
        const std::vector<size_t>* pRun = nullptr;
        int nNewStyle = kStyleSmall;
        for (const auto& run : runs)
            if (countStyle(run, kStyleLarge) == 3)
            {
                pRun = &run;
                break;
            }
        if (!pRun)
            for (const auto& run : runs)
                if (countStyle(run, kStyleLarge) > 0)
                {
                    pRun = &run;
                    break;
                }
        if (!pRun)
        {
            for (const auto& run : runs)
            {
                if (countStyle(run, kStyleSmall) != 3)
                    continue;
                const auto edge = [&](size_t i)
                { return bVertical ? records[i].rcControl.top : records[i].rcControl.left; };
                if (edge(run[0]) == edge(run[1]) && edge(run[1]) == edge(run[2]))
                {
                    pRun = &run;
                    nNewStyle = kStyleIconOnly;
                    break;
                }
            }
        }
        if (!pRun)
        {
            if (dwMode & kLayoutHideWrap)
            {
                BOOL bFirst = TRUE;
                for (LayoutRecord& rec : records)
                {
                    if (!LayoutState::Placed(rec))
                        continue;
                    const int nFar = bVertical ? rec.rcControl.bottom : rec.rcControl.right;
                    if (!bFirst && nFar > nLength)
                    {
                        setStyle(rec, kStyleIconOnly);
                        rec.bHidden = TRUE;
                    }
                    bFirst = FALSE;
                }
                sz = StackLayout(state);
            }
            break;
        }
        for (size_t i : *pRun)
            setStyle(records[i], nNewStyle);
        sz = StackLayout(state);
    }
    dwMode |= kLayoutStretch;
    return sz;
}

CSize CLVKControls::CalcDynamicSize(CDC* pDC, int nLength, DWORD& dwMode, const CRect& rcMarginsIn, int nMinThickness)
{
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    CRect rcMargins = rcMarginsIn;
    LayoutState state;
    state.szSeparator = MeasureSeparator(pDC);
    state.pDC = pDC;
    state.bVertical = (dwMode & kLayoutVertDock) != 0;
    state.bReducing = m_pParent && (m_pParent->GetFlags() & kBarFlagReduceLayout) != 0;
    for (int i = GetCount() - 1; i >= 0; i--)
        m_arrControls[i]->OnBeforeLayout(static_cast<int>(dwMode));

    if (GetVisibleCount(FALSE) == 0)
    {
        CSize sz(pDpi->ScaleX(23) + rcMargins.left + rcMargins.right,
                 pDpi->ScaleY(22) + rcMargins.top + rcMargins.bottom);
        if (dwMode & kLayoutHorzDock)
            sz.cy = std::max(static_cast<int>(sz.cy), nMinThickness);
        else
            sz.cx = std::max(static_cast<int>(sz.cx), nMinThickness);
        return sz;
    }

    state.szSpacing = m_pParent ? m_pParent->GetControlSpacing() : CSize(0, 0);
    for (CLVKControl* pControl : m_arrControls)
    {
        LayoutRecord rec;
        rec.pControl = pControl;
        rec.rcControl = pControl->GetRect();
        rec.bVisible = pControl->IsVisible(kHideOverflow);
        rec.szControl = rec.bVisible ? pControl->GetSize(pDC) : CSize(0, 0);
        rec.bBeginGroup = pControl->GetBeginGroup();
        rec.nStyle = pControl->GetStyle();
        if (pControl->GetID() == kIdCustomizeAddRemove)
        {
            const int n = pDpi->ScaleX(3);
            rcMargins.SetRect(n, n, n, n);
        }
        state.records.push_back(rec);
    }

    const int nUseLength = (dwMode & kLayoutMRUWidth) && m_pParent ? m_pParent->GetMRUWidth() : nLength;
    CSize sz(0, 0);
    if (state.bReducing)
    {
        sz = ReduceLayout(state, nUseLength, dwMode);
    }
    else if (dwMode & kLayoutPopup)
    {
        const int nMRU = m_pParent ? m_pParent->GetMRUWidth() : 0;
        if (nMRU <= 0)
        {
            sz = SizeBalanced(state, dwMode);
        }
        else
        {
            DWORD dwScratch = dwMode;
            const CSize szFirst = WrapAndPlace(state, nMRU, dwScratch);
            sz = WrapAndPlace(state, szFirst.cx, dwMode);
        }
    }
    else if (dwMode & kLayoutHorzDock)
    {
        sz = WrapAndPlace(state, nUseLength - rcMargins.left - rcMargins.right, dwMode);
    }
    else if (dwMode & kLayoutVertDock)
    {
        sz = WrapAndPlace(state, nUseLength - rcMargins.top - rcMargins.bottom, dwMode);
    }
    else
    {
        const int nMargins =
            (dwMode & kLayoutLengthIsHeight) ? rcMargins.top + rcMargins.bottom : rcMargins.left + rcMargins.right;
        sz = SizeToLength(state, nUseLength - nMargins, dwMode);
    }

    if (nMinThickness >= 1)
    {
        if (dwMode & kLayoutHorzDock)
            sz.cy =
                std::max(static_cast<int>(sz.cy), static_cast<int>(nMinThickness - rcMargins.top - rcMargins.bottom));
        else
            sz.cx =
                std::max(static_cast<int>(sz.cx), static_cast<int>(nMinThickness - rcMargins.left - rcMargins.right));
    }
    if (dwMode & kLayoutStretch)
    {
        if (state.bVertical)
            sz.cy = std::max(static_cast<int>(sz.cy), static_cast<int>(nUseLength - rcMargins.top - rcMargins.bottom));
        else
            sz.cx = std::max(static_cast<int>(sz.cx), static_cast<int>(nUseLength - rcMargins.left - rcMargins.right));
    }

    ApplyMargins(state, sz, dwMode, rcMargins);
    if (dwMode & kLayoutCommit)
    {
        if (!state.bReducing)
            AlignAndStretch(state, sz, rcMargins, dwMode);
        for (const LayoutRecord& rec : state.records)
        {
            CLVKControl* pControl = rec.pControl;
            const DWORD dwHide =
                rec.bHidden ? (pControl->GetHideFlags() | kHideOverflow) : (pControl->GetHideFlags() & ~kHideOverflow);
            if (dwHide != pControl->GetHideFlags())
                pControl->SetHideFlags(dwHide);
            pControl->SetRowRect(rec.rcRow);
            if (!rec.bHidden)
                pControl->SetRect(rec.rcControl);
            pControl->SetWrap(rec.bWrap);
        }
    }
    return sz;
}

CSize CLVKControls::CalcPopupSize(CDC* pDC, int nMaxHeight, int nFixedWidth, const CRect& rcMargins)
{
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    CRect rcWork(0, 0, 0, 0);
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rcWork, 0);
    CLVKPaintManager* pPaintManager = m_pParent ? m_pParent->GetPaintManager() : nullptr;
    const CLVKFontDC font(pDC, pPaintManager ? pPaintManager->GetCommandBarFont(m_pParent) : nullptr);
    const CSize szSeparator = MeasureSeparator(pDC);
    if (m_pParent)
        m_pParent->SetMultiColumn(FALSE);
    const BOOL bResizable = m_pParent && m_pParent->GetResizeMode() != 0;

    int x = rcMargins.left;
    int y = rcMargins.top;
    int nColumnWidth = 0;
    int nBottom = rcMargins.top;
    std::vector<CLVKControl*> column;
    std::vector<CLVKControl*> placed;
    auto widenColumn = [&]()
    {
        for (CLVKControl* pControl : column)
        {
            CRect rc = pControl->GetRect();
            rc.right = rc.left + nColumnWidth;
            pControl->SetRect(rc);
        }
    };
    for (CLVKControl* pControl : m_arrControls)
    {
        if (pControl->GetParent() != m_pParent)
            continue;
        pControl->SetHideFlags(pControl->GetHideFlags() & ~kHideScrolledOut);
        if (!pControl->IsVisible())
            continue;
        CSize sz = pControl->GetSize(pDC);
        pControl->SetWrap(FALSE);
        const BOOL bFirst = placed.empty();
        const BOOL bBreak = !bFirst && ((pControl->GetFlags() & kFlagNewRow) ||
                                        (nMaxHeight > 0 && y + sz.cy > nMaxHeight - rcMargins.bottom));
        if (bBreak)
        {
            widenColumn();
            column.clear();
            y = rcMargins.top;
            x += nColumnWidth + (pControl->GetBeginGroup() ? szSeparator.cx : 0);
            nColumnWidth = 0;
            pControl->SetWrap(TRUE);
            if (m_pParent)
                m_pParent->SetMultiColumn(TRUE);
        }
        else if (pControl->GetBeginGroup() && !column.empty())
        {
            y += szSeparator.cy;
        }
        if (!bResizable)
            sz.cx = std::min(static_cast<int>(sz.cx), static_cast<int>(rcWork.right / 3));
        pControl->SetRect(CRect(x, y, x + sz.cx, y + sz.cy));
        y += sz.cy;
        nBottom = std::max(nBottom, y);
        nColumnWidth = std::max(nColumnWidth, static_cast<int>(sz.cx));
        column.push_back(pControl);
        placed.push_back(pControl);
    }
    if (nFixedWidth > 0 && nFixedWidth < 30000)
        nColumnWidth = nFixedWidth - rcMargins.left - rcMargins.right;
    widenColumn();

    const int nContentHeight = nBottom - rcMargins.top;
    for (CLVKControl* pControl : placed)
    {
        const CRect rc = pControl->GetRect();
        pControl->SetRowRect(CRect(rc.left, rcMargins.top, rc.right, rcMargins.top + nContentHeight));
    }
    int nWidth = placed.empty() ? 0 : x + nColumnWidth - rcMargins.left;
    nWidth = std::max(nWidth, pDpi->ScaleX(24));
    const int nHeight = nContentHeight > 0 ? nContentHeight : pDpi->ScaleY(22);
    return CSize(nWidth + rcMargins.left + rcMargins.right, nHeight + rcMargins.top + rcMargins.bottom);
}
