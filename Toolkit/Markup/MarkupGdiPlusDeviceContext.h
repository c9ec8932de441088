// The markup drawing device over GDI+: anti-aliasing, alpha, gradients in
// every shape, dashed and capped strokes and world transforms. It draws
// through a GDI+ graphics object on the target DC; the drawing context
// chooses it when GDI+ has been started for the markup engine.
#pragma once

#include "Markup/MarkupDedicatedDC.h"
#include "Markup/MarkupDeviceContext.h"

namespace Gdiplus
{
class GpBitmap;
class GpImage;
class GpBrush;
class GpFont;
class GpGraphics;
class GpPen;
class GpStringFormat;
}  // namespace Gdiplus

class CLVKMarkupGdiPlusDeviceContext : public CLVKMarkupDeviceContext
{
public:
    // GDI drawing into a 32-bit premultiplied bitmap of the rectangle's
    // size, drawn back through the device's world transform on Flush (so
    // theme parts and frame controls rotate and scale with their element).
    class DedicatedDC : public CLVKMarkupDedicatedDC
    {
    public:
        DedicatedDC(CLVKMarkupGdiPlusDeviceContext* pDevice, const RECT& rc);
        ~DedicatedDC() override;
        HDC GetDC() override { return m_hDC; }
        void Flush() override;

    private:
        Gdiplus::GpBitmap* m_pBitmap = nullptr;
        Gdiplus::GpGraphics* m_pBitmapGraphics = nullptr;
    };

    // Results of IconHandleToGdiPlusBitmap.
    enum IconConversion
    {
        iconConverted = 0,
        iconUnreadable = 1,
        iconNoInformation = 2,
        iconOutOfMemory = 3,
    };

    // Takes the graphics object; a borrowed one stays the caller's.
    CLVKMarkupGdiPlusDeviceContext(Gdiplus::GpGraphics* pGraphics, BOOL bBorrowed);
    ~CLVKMarkupGdiPlusDeviceContext() override;

    // A graphics object on the DC in pixel units, or null when GDI+ has not
    // been started (or cannot draw on that DC).
    static Gdiplus::GpGraphics* AFX_CDECL CreateMarkupGraphics(HDC hDC, HDC hAttribDC);

    CLVKMarkupTransformationMatrix* GetTransformationMatrix() override;
    void SetTransformationMatrix(const CLVKMarkupTransformationMatrix* pMatrix) override;
    void OffsetOrigin(POINT pt) override;
    int SetSmoothingMode(int nMode, BOOL bTextSmoothing) override;
    CLVKMarkupDedicatedDC* CreateDedicatedDC(const RECT& rc) override;
    void DrawEllipse(const RECT& rc, const MarkupStrokeStyle* pStroke, CLVKMarkupBrush* pFill) override;
    void DrawBorder(const RECT& rc, CLVKMarkupBrush* pBrush, const CLVKMarkupThickness* pThickness) override;
    void FillRectangle(const RECT& rc, CLVKMarkupBrush* pBrush) override;
    void DrawLine(int x1, int y1, int x2, int y2, const MarkupStrokeStyle* pStroke) override;
    void DrawPolyline(const POINT* pPoints, int nCount, const MarkupStrokeStyle* pStroke) override;
    void DrawPolygon(const POINT* pPoints, int nCount, const MarkupStrokeStyle* pStroke,
                     CLVKMarkupBrush* pFill) override;
    void DrawPath(const CLVKMarkupPathData* pPath, const MarkupStrokeStyle* pStroke, CLVKMarkupBrush* pFill) override;
    void DrawString(LPCWSTR lpszText, int nLength, const RECT& rc) override;
    SIZE MeasureString(LPCWSTR lpszText, int nLength) override;
    void SetTextBrush(CLVKMarkupBrush* pBrush) override;
    void SetFont(CLVKMarkupFont* pFont) override;
    BOOL GetFontMetrics(CLVKMarkupFont* pFont, int* pnAscent, int* pnDescent) override;
    void IntersectClipRect(const RECT& rc) override;
    void GetClipBox(RECT& rc) override;
    // The handle is a GDI+ region, only for RestoreClipRegion.
    HRGN SaveClipRegion() override;
    void RestoreClipRegion(HRGN hRegion) override;
    HDC GetDC() override;
    void ReleaseDC(HDC hDC) override;
    CLVKMarkupDeviceDependentImage* CreateDeviceImage(ILVKMarkupDeviceDependentImageSite* pSite) override;
    // A GDI+ picture is drawn whole into the rectangle; one without alpha
    // has its site's mask colour keyed out. Icons go to DrawIcon.
    void DrawDeviceImage(CLVKMarkupDeviceDependentImage* pImage, const RECT& rc) override;
    void DrawIcon(CLVKImageManagerIcon* pIcon, const RECT& rc) override;

    // The icon's normal picture as a GDI+ bitmap (the caller disposes of
    // it), or null when it has none GDI+ can take.
    static Gdiplus::GpBitmap* AFX_CDECL IconToGdiPlusBitmap(CLVKImageManagerIcon* pIcon);
    // An icon handle as a 32-bit bitmap with alpha: its own alpha when any
    // pixel has some, else the mask's transparency. An IconConversion code.
    static int AFX_CDECL IconHandleToGdiPlusBitmap(HICON hIcon, Gdiplus::GpBitmap** ppBitmap);

    Gdiplus::GpGraphics* GetGraphics() const { return m_pGraphics; }
    // The four GDI+ values the current markup smoothing mode set.
    int GetGdiPlusSmoothingMode() const { return m_nSmoothing; }
    int GetGdiPlusPixelOffsetMode() const { return m_nPixelOffset; }
    int GetGdiPlusInterpolationMode() const { return m_nInterpolation; }
    int GetGdiPlusTextRenderingHint() const { return m_nTextHint; }

    // The brush and pen of an operation over the given bounds, or null; the
    // caller deletes them (GdipDeleteBrush, GdipDeletePen).
    static Gdiplus::GpBrush* AFX_CDECL CreateGdiPlusBrush(CLVKMarkupBrush* pBrush, const RECT& rcBounds);
    static Gdiplus::GpPen* AFX_CDECL CreateGdiPlusPen(const MarkupStrokeStyle* pStroke, const RECT& rcBounds);
    // A markup colour (0xAABBGGRR) as GDI+ ARGB.
    static DWORD AFX_CDECL ToArgb(DWORD clrMarkup);

private:
    Gdiplus::GpFont* GetTextFont();
    // The whole picture scaled into the rectangle, with the colour keyed out
    // unless it is CLR_INVALID.
    void DrawWholeImage(Gdiplus::GpImage* pPicture, const RECT& rc, COLORREF clrKey);
    void ApplySmoothing();

    int m_nPixelOffset = 0;
    int m_nSmoothing = 0;
    int m_nInterpolation = 0;
    int m_nTextHint = 0;
    BOOL m_bBorrowed;
    Gdiplus::GpGraphics* m_pGraphics;
    Gdiplus::GpFont* m_pFont = nullptr;
    Gdiplus::GpBrush* m_pTextBrush = nullptr;
    Gdiplus::GpStringFormat* m_pStringFormat = nullptr;
    int m_nMarkupMode = -1;
};

// Starts (TRUE) or stops (FALSE) GDI+ for the markup engine, through the
// toolkit's reference-counted loader; returns the loader's answer.
int AFX_CDECL MarkupGdiPlusStartup(BOOL bStart);
