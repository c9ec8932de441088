#include "CommandBars/CommandBarAnimation.h"

#include "CommandBars/CommandBar.h"
#include "CommandBars/PaintManager.h"
#include "Foundation/BufferDC.h"
#include "Foundation/GdiObjectDC.h"

#include <algorithm>
#include <cstring>

namespace
{
// A 32-bit top-down DIB section; its pixel pointer through *ppBits.
HBITMAP CreateSection(int cx, int cy, DWORD** ppBits)
{
    *ppBits = nullptr;
    if (cx <= 0 || cy <= 0)
        return nullptr;
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    *ppBits = static_cast<DWORD*>(pBits);
    return hBitmap;
}

// Copies a bitmap's rectangle to a DC at the same place (or at ptDest).
void BlitBitmap(HDC hDestDC, int xDest, int yDest, HBITMAP hBitmap, const CRect& rcSource)
{
    const HDC hMemDC = ::CreateCompatibleDC(hDestDC);
    {
        const CLVKGdiObjectDC bitmap(hMemDC, hBitmap);
        ::BitBlt(hDestDC, xDest, yDest, rcSource.Width(), rcSource.Height(), hMemDC, rcSource.left, rcSource.top,
                 SRCCOPY);
    }
    ::DeleteDC(hMemDC);
}

// Copies rows of pixels between a bitmap of width nWidth and a compact block
// of the rectangle's size.
void CopyOut(const DWORD* pSource, int nWidth, const CRect& rc, DWORD* pBlock)
{
    for (int y = 0; y < rc.Height(); y++)
        std::memcpy(pBlock + y * rc.Width(), pSource + (rc.top + y) * nWidth + rc.left, rc.Width() * sizeof(DWORD));
}

void CopyIn(DWORD* pDest, int nWidth, const CRect& rc, const DWORD* pBlock)
{
    for (int y = 0; y < rc.Height(); y++)
        std::memcpy(pDest + (rc.top + y) * nWidth + rc.left, pBlock + y * rc.Width(), rc.Width() * sizeof(DWORD));
}
}  // namespace

CLVKCommandBarAnimation::CAnimateInfo::CAnimateInfo(const CRect& rc) : m_rc(rc)
{
    m_hNewImage = CreateSection(rc.Width(), rc.Height(), &m_pNewBits);
    m_hOldImage = CreateSection(rc.Width(), rc.Height(), &m_pOldBits);
}

CLVKCommandBarAnimation::CAnimateInfo::~CAnimateInfo()
{
    if (m_hNewImage)
        ::DeleteObject(m_hNewImage);
    if (m_hOldImage)
        ::DeleteObject(m_hOldImage);
}

CLVKCommandBarAnimation::CLVKCommandBarAnimation(CLVKCommandBar* pBar) : m_pBar(pBar)
{
}

CLVKCommandBarAnimation::~CLVKCommandBarAnimation()
{
    StopAnimations();
    DeleteCache();
}

BOOL CLVKCommandBarAnimation::IsAnimationEnabled() const
{
    if (m_bAnimation)
        return TRUE;
    const CLVKPaintManager* pPaintManager = m_pBar ? m_pBar->GetPaintManager() : nullptr;
    return pPaintManager && pPaintManager->m_bAnimationEnabled;
}

void CLVKCommandBarAnimation::DeleteCache()
{
    if (m_hCache)
        ::DeleteObject(m_hCache);
    m_hCache = nullptr;
    m_pCacheBits = nullptr;
    m_szCache = CSize(0, 0);
}

BOOL CLVKCommandBarAnimation::CreateCache(const CSize& szClient)
{
    DeleteCache();
    m_hCache = CreateSection(szClient.cx, szClient.cy, &m_pCacheBits);
    if (!m_hCache)
        return FALSE;
    m_szCache = szClient;
    return TRUE;
}

void CLVKCommandBarAnimation::DrawBarInto(HBITMAP hBitmap, const CRect& rcClip)
{
    {
        CDC memDC;
        memDC.Attach(::CreateCompatibleDC(nullptr));
        const CLVKGdiObjectDC bitmap(memDC.GetSafeHdc(), hBitmap);
        memDC.IntersectClipRect(&rcClip);
        m_pBar->DrawCommandBar(&memDC, rcClip);
    }
    ::GdiFlush();
}

void CLVKCommandBarAnimation::OnPaint(CDC* pDC, const CRect& rcPaint)
{
    CRect rcClient;
    m_pBar->GetClientRect(&rcClient);
    if (m_hCache && m_szCache != rcClient.Size())
        DeleteCache();

    if (!m_bOffscreenCache && !IsAnimationEnabled())
    {
        DeleteCache();
        {
            CLVKBufferDC buffer(pDC->GetSafeHdc(), rcPaint);
            m_pBar->DrawCommandBar(&buffer, rcPaint);
        }
        StopAnimations();
    }
    else if (m_bCacheInvalid || !m_hCache)
    {
        CRect rcDraw = rcPaint;
        if (!m_hCache)
        {
            CreateCache(rcClient.Size());
            rcDraw = rcClient;
        }
        if (m_hCache)
        {
            DrawBarInto(m_hCache, rcDraw);
            BlitBitmap(pDC->GetSafeHdc(), rcDraw.left, rcDraw.top, m_hCache, rcDraw);
        }
        StopAnimations();
    }
    else
    {
        BlitBitmap(pDC->GetSafeHdc(), 0, 0, m_hCache, CRect(CPoint(0, 0), m_szCache));
    }
    m_bCacheInvalid = FALSE;
}

void CLVKCommandBarAnimation::RedrawRect(LPCRECT lpRect, BOOL bAnimate)
{
    const HWND hWnd = m_pBar->GetSafeHwnd();
    if (!hWnd)
        return;
    if (!lpRect)
    {
        DeleteCache();
        m_bCacheInvalid = TRUE;
        ::InvalidateRect(hWnd, nullptr, FALSE);
        return;
    }
    CRect rcClient;
    m_pBar->GetClientRect(&rcClient);
    CRect rc;
    rc.IntersectRect(lpRect, &rcClient);
    if (!m_hCache || m_szCache != rcClient.Size() || !IsAnimationEnabled())
    {
        m_bCacheInvalid = TRUE;
        ::InvalidateRect(hWnd, lpRect, FALSE);
        return;
    }
    if (rc.IsRectEmpty())
        return;

    // The new look, while the cache still holds the old one.
    DWORD* pNewBits = nullptr;
    const HBITMAP hNew = CreateSection(rcClient.Width(), rcClient.Height(), &pNewBits);
    if (!hNew)
    {
        m_bCacheInvalid = TRUE;
        ::InvalidateRect(hWnd, lpRect, FALSE);
        return;
    }
    DrawBarInto(hNew, rc);

    if (bAnimate)
    {
        CAnimateInfo* pInfo = new CAnimateInfo(rc);
        if (!pInfo->IsValid())
        {
            // Shown without fading: the next paint redraws the cache.
            delete pInfo;
            m_bCacheInvalid = TRUE;
            ::InvalidateRect(hWnd, lpRect, FALSE);
        }
        else
        {
            CopyOut(pNewBits, m_szCache.cx, rc, pInfo->m_pNewBits);
            CopyOut(m_pCacheBits, m_szCache.cx, rc, pInfo->m_pOldBits);
            CopyIn(m_pCacheBits, m_szCache.cx, rc, pInfo->m_pNewBits);
            const size_t nBytes = static_cast<size_t>(rc.Width()) * rc.Height() * sizeof(DWORD);
            if (std::memcmp(pInfo->m_pNewBits, pInfo->m_pOldBits, nBytes) == 0)
            {
                delete pInfo;
            }
            else
            {
                CClientDC dc(m_pBar);
                AddAnimation(&dc, pInfo);
            }
        }
    }
    else
    {
        for (size_t i = 0; i < m_arrAnimations.size();)
        {
            CAnimateInfo* pInfo = m_arrAnimations[i];
            CRect rcCommon;
            if (rcCommon.IntersectRect(&rc, &pInfo->m_rc) && rcCommon == pInfo->m_rc)
            {
                delete pInfo;
                m_arrAnimations.erase(m_arrAnimations.begin() + i);
                continue;
            }
            if (!rcCommon.IsRectEmpty())
                pInfo->m_arrExcluded.push_back(rc);
            i++;
        }
        if (m_arrAnimations.empty())
            KillTimer();
        CRect rcCopy = rc;
        for (int y = rcCopy.top; y < rcCopy.bottom; y++)
        {
            std::memcpy(m_pCacheBits + y * m_szCache.cx + rcCopy.left, pNewBits + y * m_szCache.cx + rcCopy.left,
                        rcCopy.Width() * sizeof(DWORD));
        }
        CClientDC dc(m_pBar);
        BlitBitmap(dc.GetSafeHdc(), rc.left, rc.top, m_hCache, rc);
    }
    ::DeleteObject(hNew);
}

void CLVKCommandBarAnimation::AddAnimation(CDC* pWindowDC, CAnimateInfo* pInfo)
{
    for (size_t i = 0; i < m_arrAnimations.size();)
    {
        CRect rcCommon;
        if (rcCommon.IntersectRect(&pInfo->m_rc, &m_arrAnimations[i]->m_rc) && rcCommon == m_arrAnimations[i]->m_rc)
        {
            delete m_arrAnimations[i];
            m_arrAnimations.erase(m_arrAnimations.begin() + i);
            continue;
        }
        i++;
    }
    m_arrAnimations.push_back(pInfo);
    if (!m_bTimer && m_pBar->GetSafeHwnd())
        m_bTimer = ::SetTimer(m_pBar->GetSafeHwnd(), kTimerId, kTimerPeriod, nullptr) != 0;
    DrawStep(pWindowDC, pInfo);
}

void CLVKCommandBarAnimation::DrawStep(CDC* pDC, CAnimateInfo* pInfo)
{
    const CRect& rc = pInfo->m_rc;
    if (pInfo->m_nStep >= kLastStep)
    {
        BlitBitmap(pDC->GetSafeHdc(), rc.left, rc.top, m_hCache, rc);
    }
    else
    {
        DWORD* pBits = nullptr;
        const HBITMAP hStep = CreateSection(rc.Width(), rc.Height(), &pBits);
        if (hStep)
        {
            const int a = pInfo->m_nStep * 255 / kLastStep;
            const BYTE* pNew = reinterpret_cast<const BYTE*>(pInfo->m_pNewBits);
            const BYTE* pOld = reinterpret_cast<const BYTE*>(pInfo->m_pOldBits);
            BYTE* pOut = reinterpret_cast<BYTE*>(pBits);
            const size_t nBytes = static_cast<size_t>(rc.Width()) * rc.Height() * sizeof(DWORD);
            for (size_t i = 0; i < nBytes; i++)
                pOut[i] = static_cast<BYTE>((pNew[i] * a + pOld[i] * (255 - a)) / 256);
            BlitBitmap(pDC->GetSafeHdc(), rc.left, rc.top, hStep, CRect(0, 0, rc.Width(), rc.Height()));
            ::DeleteObject(hStep);
        }
    }
    pInfo->m_nStep++;
}

void CLVKCommandBarAnimation::OnAnimationTimer()
{
    if (!m_pBar->GetSafeHwnd())
        return;
    CClientDC dc(m_pBar);
    for (size_t i = 0; i < m_arrAnimations.size();)
    {
        CAnimateInfo* pInfo = m_arrAnimations[i];
        for (const CRect& rcExcluded : pInfo->m_arrExcluded)
            dc.ExcludeClipRect(&rcExcluded);
        DrawStep(&dc, pInfo);
        dc.SelectClipRgn(nullptr);
        if (pInfo->m_nStep > kLastStep)
        {
            delete pInfo;
            m_arrAnimations.erase(m_arrAnimations.begin() + i);
            continue;
        }
        i++;
    }
    if (m_arrAnimations.empty())
        KillTimer();
}

void CLVKCommandBarAnimation::KillTimer()
{
    if (m_bTimer && m_pBar->GetSafeHwnd())
        ::KillTimer(m_pBar->GetSafeHwnd(), kTimerId);
    m_bTimer = FALSE;
}

void CLVKCommandBarAnimation::StopAnimations()
{
    for (CAnimateInfo* pInfo : m_arrAnimations)
        delete pInfo;
    m_arrAnimations.clear();
    KillTimer();
}

void CLVKCommandBarAnimation::OnDestroy()
{
    DeleteCache();
    StopAnimations();
}
