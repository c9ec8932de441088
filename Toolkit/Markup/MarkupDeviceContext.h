// The drawing device every markup element draws through, and its plain-GDI
// implementation: solid pens and brushes, linear gradients computed into a
// bitmap, paths, text. The origin and the elements' render transforms are
// kept as the DC's world transform, so transformed elements draw and hit
// test through the same matrix.
#pragma once

#include "Markup/MarkupStrokeStyle.h"
#include "Markup/MarkupTransformationMatrix.h"

class CLVKImageManagerIcon;
class CLVKMarkupBrush;
class CLVKMarkupDedicatedDC;
class CLVKMarkupDeviceDependentImage;
class ILVKMarkupDeviceDependentImageSite;
class CLVKMarkupFont;
class CLVKMarkupPathData;
class CLVKMarkupThickness;
class CLVKMarkupLinearGradientBrush;

class CLVKMarkupDeviceContext
{
public:
    CLVKMarkupDeviceContext(HDC hDC, HDC hAttribDC);
    virtual ~CLVKMarkupDeviceContext();
    CLVKMarkupDeviceContext(const CLVKMarkupDeviceContext&) = delete;
    CLVKMarkupDeviceContext& operator=(const CLVKMarkupDeviceContext&) = delete;

    virtual CLVKMarkupTransformationMatrix* GetTransformationMatrix();
    virtual void SetTransformationMatrix(const CLVKMarkupTransformationMatrix* pMatrix);
    virtual void OffsetOrigin(POINT pt);
    virtual int SetSmoothingMode(int nMode, BOOL bTextSmoothing);
    // An HDC for GDI drawing into the rectangle (owned by the caller); on
    // this device it is the output DC itself, at offset 0.
    virtual CLVKMarkupDedicatedDC* CreateDedicatedDC(const RECT& rc);
    virtual void DrawEllipse(const RECT& rc, const MarkupStrokeStyle* pStroke, CLVKMarkupBrush* pFill);
    virtual void DrawBorder(const RECT& rc, CLVKMarkupBrush* pBrush, const CLVKMarkupThickness* pThickness);
    virtual void FillRectangle(const RECT& rc, CLVKMarkupBrush* pBrush);
    virtual void DrawLine(int x1, int y1, int x2, int y2, const MarkupStrokeStyle* pStroke);
    virtual void DrawPolyline(const POINT* pPoints, int nCount, const MarkupStrokeStyle* pStroke);
    virtual void DrawPolygon(const POINT* pPoints, int nCount, const MarkupStrokeStyle* pStroke,
                             CLVKMarkupBrush* pFill);
    virtual void DrawPath(const CLVKMarkupPathData* pPath, const MarkupStrokeStyle* pStroke, CLVKMarkupBrush* pFill);
    // Eight radii: top-left vertical, horizontal; top-right horizontal,
    // vertical; bottom-right vertical, horizontal; bottom-left horizontal,
    // vertical.
    virtual void FillRoundedRectangle(const RECT& rc, CLVKMarkupBrush* pBrush, const double* pRadii);
    virtual void DrawRoundedBorder(const RECT& rc, CLVKMarkupBrush* pBrush, const CLVKMarkupThickness* pThickness,
                                   const double* pRadii);
    virtual void DrawString(LPCWSTR lpszText, int nLength, const RECT& rc);
    virtual SIZE MeasureString(LPCWSTR lpszText, int nLength);
    virtual void SetTextBrush(CLVKMarkupBrush* pBrush);
    virtual void SetFont(CLVKMarkupFont* pFont);
    virtual BOOL GetFontMetrics(CLVKMarkupFont* pFont, int* pnAscent, int* pnDescent);
    virtual void IntersectClipRect(const RECT& rc);
    virtual void GetClipBox(RECT& rc);
    // A region handle, (HRGN)-1 when the DC had no clip region, null on failure.
    virtual HRGN SaveClipRegion();
    virtual void RestoreClipRegion(HRGN hRegion);
    virtual HDC GetDC() { return m_hDC; }
    virtual void ReleaseDC(HDC /*hDC*/) {}
    // A picture this device can draw, for the site (the caller owns it).
    virtual CLVKMarkupDeviceDependentImage* CreateDeviceImage(ILVKMarkupDeviceDependentImageSite* pSite);
    virtual void DrawDeviceImage(CLVKMarkupDeviceDependentImage* pImage, const RECT& rc);
    // An image-manager icon scaled into the rectangle.
    virtual void DrawIcon(CLVKImageManagerIcon* pIcon, const RECT& rc);

protected:
    HDC m_hDC;
    HDC m_hAttribDC;

private:
    void FillGradient(const RECT& rc, CLVKMarkupLinearGradientBrush* pBrush);
    void FillSolid(const RECT& rc, COLORREF clr);
    void ApplyTransform();

    HGDIOBJ m_hSavedFont = nullptr;
    int m_nSmoothingMode = 0;
    int m_nOldGraphicsMode = 0;
    XFORM m_xformOld = {1, 0, 0, 1, 0, 0};
    CLVKMarkupTransformationMatrix m_matrix;
};
