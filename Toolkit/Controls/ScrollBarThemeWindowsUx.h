// CLVKScrollBarThemeWindowsUx: the platform's visual style ("SCROLLBAR"
// class), the scroll-bar control's default; draws the classic way where
// visual styles are not available.
#pragma once

#include "Controls/ScrollBarThemeWindowsClassic.h"
#include "Foundation/WinThemeWrapper.h"

#include <memory>

class CLVKScrollBarThemeWindowsUx : public CLVKScrollBarThemeWindowsClassic
{
public:
    CLVKScrollBarThemeWindowsUx();

    void RefreshMetrics() override;
    void DrawArrowButtonsHorz(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawArrowButtonsVert(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawTrackHorz(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawTrackVert(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawThumbHorz(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawThumbVert(CDC* pDC, CLVKScrollBase* pScroll, const CLVKScrollBarPartRects& parts) override;
    void DrawSizeBox(CDC* pDC, CLVKScrollBase* pScroll) override;

    BOOL IsThemeAvailable() const;
    CLVKWinThemeWrapper* GetThemeWrapper() const { return m_pTheme.get(); }

    // The state of a part: 4 disabled, 3 pressed, 2 hot, 1 normal.
    static int PartState(const CLVKScrollBarPartRects& parts, int nPart);

protected:
    void DrawThemedArrows(CDC* pDC, const CLVKScrollBarPartRects& parts, BOOL bVertical);
    void DrawThemedTrack(CDC* pDC, const CLVKScrollBarPartRects& parts, BOOL bVertical);
    void DrawThemedThumb(CDC* pDC, const CLVKScrollBarPartRects& parts, BOOL bVertical);

private:
    std::unique_ptr<CLVKWinThemeWrapper> m_pTheme = std::make_unique<CLVKWinThemeWrapper>();
};
