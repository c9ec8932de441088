// Paints one command bar through an off-screen bitmap and, when asked,
// keeps the painted bar in a cache so that a redraw of part of it (a button
// turning hot or pressed) cross-fades from the old look to the new one in six
// steps of timer 707907 instead of switching at once.
#pragma once

#include "Framework.h"

#include <vector>

class CLVKCommandBar;

class CLVKCommandBarAnimation
{
public:
    static const UINT_PTR kTimerId = 707907;
    static const UINT kTimerPeriod = 50;
    // Steps 1 to kLastStep are shown; the last copies the exact new look.
    static const int kLastStep = 6;

    // One changed rectangle being faded.
    class CAnimateInfo
    {
    public:
        CAnimateInfo(const CRect& rc);
        ~CAnimateInfo();
        BOOL IsValid() const { return m_pNewBits && m_pOldBits; }

        HBITMAP m_hNewImage = nullptr;
        DWORD* m_pNewBits = nullptr;
        HBITMAP m_hOldImage = nullptr;
        DWORD* m_pOldBits = nullptr;
        CRect m_rc;
        int m_nStep = 1;
        // Redrawn without animation after this fade began: never painted over.
        std::vector<CRect> m_arrExcluded;

        CAnimateInfo(const CAnimateInfo&) = delete;
        CAnimateInfo& operator=(const CAnimateInfo&) = delete;
    };

    explicit CLVKCommandBarAnimation(CLVKCommandBar* pBar);
    ~CLVKCommandBarAnimation();

    // The bar's WM_PAINT: pDC is the paint DC, rcPaint its paint rectangle.
    void OnPaint(CDC* pDC, const CRect& rcPaint);
    // The bar's redraw: null redraws all; bAnimate fades the change.
    void RedrawRect(LPCRECT lpRect, BOOL bAnimate);
    // The bar's WM_TIMER for kTimerId.
    void OnAnimationTimer();
    // The bar's WM_DESTROY: the cache goes and the animations stop.
    void OnDestroy();
    void StopAnimations();

    void EnableAnimation(BOOL bEnable) { m_bAnimation = bEnable; }
    // Its own switch, or the bar's paint manager's animation switch.
    BOOL IsAnimationEnabled() const;
    void EnableOffscreenCache(BOOL bEnable) { m_bOffscreenCache = bEnable; }
    BOOL IsOffscreenCacheEnabled() const { return m_bOffscreenCache; }

    BOOL HasCachedImage() const { return m_hCache != nullptr; }
    CSize GetCacheSize() const { return m_szCache; }
    BOOL IsTimerRunning() const { return m_bTimer; }
    INT_PTR GetAnimationCount() const { return static_cast<INT_PTR>(m_arrAnimations.size()); }
    const CAnimateInfo* GetAnimation(INT_PTR nIndex) const { return m_arrAnimations[nIndex]; }

    CLVKCommandBarAnimation(const CLVKCommandBarAnimation&) = delete;
    CLVKCommandBarAnimation& operator=(const CLVKCommandBarAnimation&) = delete;

private:
    void DeleteCache();
    BOOL CreateCache(const CSize& szClient);
    // Draws the bar clipped to the rectangle into a memory DC holding hBitmap.
    void DrawBarInto(HBITMAP hBitmap, const CRect& rcClip);
    void AddAnimation(CDC* pWindowDC, CAnimateInfo* pInfo);
    void DrawStep(CDC* pDC, CAnimateInfo* pInfo);
    void KillTimer();

    CLVKCommandBar* m_pBar;
    HBITMAP m_hCache = nullptr;
    DWORD* m_pCacheBits = nullptr;
    CSize m_szCache;
    BOOL m_bCacheInvalid = TRUE;
    BOOL m_bTimer = FALSE;
    BOOL m_bAnimation = FALSE;
    BOOL m_bOffscreenCache = FALSE;
    std::vector<CAnimateInfo*> m_arrAnimations;
};
