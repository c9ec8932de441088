// What every markup element measures and draws with: one device context
// for one measure or render pass, the current clip box, font and smoothing,
// and the drawing operations elements call.
#pragma once

#include "Markup/MarkupStrokeStyle.h"

#include <memory>

class CLVKMarkupBrush;
class CLVKMarkupContext;
class CLVKMarkupDedicatedDC;
class CLVKMarkupDeviceContext;
class CLVKMarkupDeviceDependentImage;
class ILVKMarkupDeviceDependentImageSite;
class CLVKMarkupFont;
class CLVKMarkupPathData;
class CLVKMarkupThickness;
class CLVKMarkupTransformationMatrix;

class CLVKMarkupDrawingContext
{
public:
    // Over a memory DC compatible with the screen, for measuring.
    explicit CLVKMarkupDrawingContext(CLVKMarkupContext* pContext);
    // Over the caller's DC, for rendering.
    CLVKMarkupDrawingContext(CLVKMarkupContext* pContext, HDC hDC, HDC hAttribDC = nullptr);
    virtual ~CLVKMarkupDrawingContext();
    CLVKMarkupDrawingContext(const CLVKMarkupDrawingContext&) = delete;
    CLVKMarkupDrawingContext& operator=(const CLVKMarkupDrawingContext&) = delete;

    virtual BOOL ForcesRemeasure() const { return FALSE; }
    virtual void DrawTextLine(LPCWSTR lpszText, int nLength, const RECT& rc);

    SIZE GetTextExtent(LPCWSTR lpszText, int nLength);
    void SetFont(CLVKMarkupFont* pFont);
    void SetTextColor(CLVKMarkupBrush* pBrush);
    void OffsetOrigin(POINT pt);
    void IntersectClipRect(const RECT& rc);
    HRGN SaveClip();
    void RestoreClip(HRGN hState);
    int SetSmoothingMode(int nMode);
    void SetDefaultSmoothing(int nMode, BOOL bTextSmoothing);
    CLVKMarkupTransformationMatrix* GetTransformationMatrix();
    void SetTransformationMatrix(const CLVKMarkupTransformationMatrix* pMatrix);
    HDC GetDC();
    void ReleaseDC(HDC hDC);
    // An HDC for GDI drawing into the rectangle, in the device's kind: flush
    // it and let it go before drawing further.
    std::unique_ptr<CLVKMarkupDedicatedDC> CreateDedicatedDC(const RECT& rc);
    // Copies the pixels already drawn under the dedicated DC's rectangle
    // into it, for GDI drawing that paints only part of its rectangle.
    void CopyBackground(CLVKMarkupDedicatedDC& dedicated);
    // The system's dotted focus rectangle, inverted over what is drawn.
    void DrawFocusRect(const RECT& rc);
    BOOL GetTextMetrics(CLVKMarkupFont* pFont, int* pnAscent, int* pnDescent);

    void FillRectangle(int l, int t, int r, int b, CLVKMarkupBrush* pBrush, const double* pRadii = nullptr);
    void FillSolidRect(int l, int t, int r, int b, COLORREF clr);
    void DrawRectangle(int l, int t, int r, int b, CLVKMarkupBrush* pBrush, const CLVKMarkupThickness* pThickness,
                       const double* pRadii = nullptr);
    void DrawFrame(int l, int t, int r, int b, CLVKMarkupBrush* pBrush);
    void DrawEllipse(int l, int t, int r, int b, const MarkupStrokeStyle* pStroke, CLVKMarkupBrush* pFill);
    void DrawLine(int x1, int y1, int x2, int y2, const MarkupStrokeStyle* pStroke);
    void DrawPolyline(const POINT* pPoints, int nCount, const MarkupStrokeStyle* pStroke);
    void DrawPolygon(const POINT* pPoints, int nCount, const MarkupStrokeStyle* pStroke, CLVKMarkupBrush* pFill);
    void DrawPath(const CLVKMarkupPathData* pPath, const MarkupStrokeStyle* pStroke, CLVKMarkupBrush* pFill);
    // A picture of the device in use, owned by the caller.
    CLVKMarkupDeviceDependentImage* CreateDeviceImage(ILVKMarkupDeviceDependentImageSite* pSite);
    void DrawImage(CLVKMarkupDeviceDependentImage* pImage, int l, int t, int r, int b);

    const RECT& GetClipBox() const { return m_rcClip; }
    CLVKMarkupContext* GetMarkupContext() const { return m_pContext; }
    CLVKMarkupDeviceContext* GetDevice() const { return m_pDevice.get(); }

private:
    void Initialize();
    void RefreshClipBox();

    HDC m_hDC;
    HDC m_hAttribDC;
    CLVKMarkupFont* m_pFont = nullptr;
    RECT m_rcClip = {0, 0, 0, 0};
    BOOL m_bOwnsDC = FALSE;
    std::unique_ptr<CLVKMarkupDeviceContext> m_pDevice;
    CLVKMarkupContext* m_pContext;
    BOOL m_bTextSmoothing = FALSE;
};
