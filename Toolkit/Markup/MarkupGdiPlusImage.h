// The GDI+ device's picture: PNG, JPEG, GIF and the other formats GDI+
// reads, with multi-frame images animated on thread timers of the loading
// thread; a number names an image-manager icon, and a resource GDI+ cannot
// read falls back to a bitmap or icon resource.
#pragma once

#include "Markup/MarkupDeviceDependentImage.h"

#include <memory>
#include <vector>

class CLVKImageManager;
class CLVKImageManagerIcon;

class CLVKMarkupGdiPlusImage : public CLVKMarkupDeviceDependentImage
{
public:
    explicit CLVKMarkupGdiPlusImage(ILVKMarkupDeviceDependentImageSite* pSite);
    ~CLVKMarkupGdiPlusImage() override;

    BOOL Load(LPCWSTR lpszSource, int nPreferredWidth) override;
    void Draw(HDC hDC, const RECT& rc) override;

    // The GDI+ image (GpImage), null when the picture is an icon or none.
    void* GetGdiPlusImage() const { return m_pImage; }
    CLVKImageManagerIcon* GetIcon() const override { return m_pIcon; }
    UINT GetFrameCount() const { return m_nFrameCount; }
    // The frame shown now.
    int GetCurrentFrame() const { return m_nShownFrame; }
    BOOL IsAnimating() const { return m_nTimer != 0; }
    // The interval of the running frame timer, 0 when none runs.
    UINT GetTimerInterval() const { return m_nTimerInterval; }
    // How long a frame shows: its delay in hundredths of a second times ten;
    // 100 ms for a delay of 0 and for a frame the delay list does not reach.
    static UINT AFX_CDECL GetFrameDuration(const std::vector<UINT>& delays, UINT nFrame);

private:
    void Reset();
    void PrepareAnimation();
    void Step();
    void StopTimer();
    BOOL LoadResourceFallback(LPCWSTR lpszName, int nPreferredWidth);
    static void CALLBACK TimerProc(HWND hWnd, UINT nMessage, UINT_PTR nTimer, DWORD nTime);

    BOOL m_bStarted = FALSE;
    void* m_pImage = nullptr;
    UINT m_nFrameCount = 0;
    int m_nFrame = 0;
    int m_nShownFrame = 0;
    std::vector<UINT> m_delays;
    UINT_PTR m_nTimer = 0;
    UINT m_nTimerInterval = 0;
    std::unique_ptr<CLVKImageManager> m_pPrivateManager;
    CLVKImageManagerIcon* m_pIcon = nullptr;
};
