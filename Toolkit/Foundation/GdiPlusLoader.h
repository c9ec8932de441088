// GDI+ without a link to it: "GdiPlus.dll" is loaded when the first user
// starts GDI+ and freed when the last one stops, and every flat-API entry
// point is bound by name through one process-wide table. An entry bound in
// an earlier start is looked up again, since the library may have moved.
#pragma once

#include "Framework.h"

class CLVKGdiPlusLoader
{
public:
    // The entries of the table; the names are in the same order.
    enum Entry
    {
        entryGdiplusStartup,
        entryGdiplusShutdown,
        entryGdipCreateFromHDC,
        entryGdipCreateFromHDC2,
        entryGdipDeleteGraphics,
        entryGdipGetDC,
        entryGdipReleaseDC,
        entryGdipSetSmoothingMode,
        entryGdipGetSmoothingMode,
        entryGdipSetPixelOffsetMode,
        entryGdipSetInterpolationMode,
        entryGdipSetTextRenderingHint,
        entryGdipSetCompositingMode,
        entryGdipSetCompositingQuality,
        entryGdipGetWorldTransform,
        entryGdipSetWorldTransform,
        entryGdipTranslateWorldTransform,
        entryGdipCreateMatrix,
        entryGdipCreateMatrix2,
        entryGdipCloneMatrix,
        entryGdipDeleteMatrix,
        entryGdipTranslateMatrix,
        entryGdipScaleMatrix,
        entryGdipRotateMatrix,
        entryGdipShearMatrix,
        entryGdipMultiplyMatrix,
        entryGdipInvertMatrix,
        entryGdipTransformMatrixPoints,
        entryGdipGetMatrixElements,
        entryGdipSetMatrixElements,
        entryGdipCreatePen1,
        entryGdipCreatePen2,
        entryGdipDeletePen,
        entryGdipSetPenDashStyle,
        entryGdipSetPenDashArray,
        entryGdipSetPenLineJoin,
        entryGdipSetPenStartCap,
        entryGdipSetPenEndCap,
        entryGdipSetPenMiterLimit,
        entryGdipCreateSolidFill,
        entryGdipCreateLineBrushI,
        entryGdipCreateLineBrushFromRectI,
        entryGdipSetLinePresetBlend,
        entryGdipSetLineWrapMode,
        entryGdipCreatePathGradientFromPath,
        entryGdipSetPathGradientCenterColor,
        entryGdipSetPathGradientSurroundColorsWithCount,
        entryGdipSetPathGradientPresetBlend,
        entryGdipCreateTexture,
        entryGdipDeleteBrush,
        entryGdipFillRectangleI,
        entryGdipFillRectangle,
        entryGdipDrawRectangleI,
        entryGdipDrawRectangle,
        entryGdipFillEllipseI,
        entryGdipDrawEllipseI,
        entryGdipDrawLineI,
        entryGdipDrawLinesI,
        entryGdipFillPolygonI,
        entryGdipDrawPolygonI,
        entryGdipFillPath,
        entryGdipDrawPath,
        entryGdipCreatePath,
        entryGdipCreatePath2I,
        entryGdipDeletePath,
        entryGdipAddPathLineI,
        entryGdipAddPathArcI,
        entryGdipAddPathBezierI,
        entryGdipClosePathFigure,
        entryGdipStartPathFigure,
        entryGdipAddPathRectangleI,
        entryGdipAddPathEllipseI,
        entryGdipSetClipRectI,
        entryGdipSetClipPath,
        entryGdipGetClip,
        entryGdipSetClipRegion,
        entryGdipResetClip,
        entryGdipCreateRegion,
        entryGdipDeleteRegion,
        entryGdipGetClipBoundsI,
        entryGdipCreateBitmapFromScan0,
        entryGdipCreateBitmapFromHBITMAP,
        entryGdipCreateBitmapFromStream,
        entryGdipCreateBitmapFromFile,
        entryGdipCreateHBITMAPFromBitmap,
        entryGdipBitmapLockBits,
        entryGdipBitmapUnlockBits,
        entryGdipGetImageWidth,
        entryGdipGetImageHeight,
        entryGdipDisposeImage,
        entryGdipDrawImageRectI,
        entryGdipDrawImageRectRectI,
        entryGdipCreateImageAttributes,
        entryGdipDisposeImageAttributes,
        entryCount
    };

    // GdiplusStartup's result for "Ok".
    enum
    {
        statusOk = 0
    };

    CLVKGdiPlusLoader() = default;

    // Starts GDI+ (bStart) or stops it. Returns the notification hook's
    // result after a first start, else the new start count.
    int Startup(BOOL bStart);

    // The entry point, bound again when it was bound in an earlier start;
    // null when GDI+ is not loaded or the entry point is missing.
    FARPROC GetEntryPoint(Entry entry);
    template <class PFN>
    PFN GetEntryPoint(Entry entry)
    {
        return reinterpret_cast<PFN>(reinterpret_cast<void*>(GetEntryPoint(entry)));
    }

    static const char* AFX_CDECL GetEntryName(Entry entry);

    HMODULE GetModule() const { return m_hModule; }
    int GetStartCount() const { return m_nStartCount; }
    int GetLoadGeneration() const { return m_nLoadGeneration; }
    int GetEntryGeneration(Entry entry) const { return m_entries[entry].nGeneration; }

    // The library name; tests name a missing one to play a system without it.
    void SetModuleName(LPCWSTR lpszName) { m_lpszModuleName = lpszName; }

    CLVKGdiPlusLoader(const CLVKGdiPlusLoader&) = delete;
    CLVKGdiPlusLoader& operator=(const CLVKGdiPlusLoader&) = delete;

private:
    struct StartupOutput
    {
        int(WINAPI* pfnNotificationHook)(ULONG_PTR* pToken) = nullptr;
        void(WINAPI* pfnNotificationUnhook)(ULONG_PTR token) = nullptr;
    };

    struct EntryPoint
    {
        FARPROC pfn = nullptr;
        int nGeneration = -1;
    };

    int Start();
    int Shutdown();

    EntryPoint m_entries[entryCount];
    HMODULE m_hModule = nullptr;
    ULONG_PTR m_nStartupToken = 0;
    ULONG_PTR m_nHookToken = 0;
    int m_nStartCount = 0;
    int m_nLoadGeneration = 0;
    StartupOutput m_output;
    LPCWSTR m_lpszModuleName = L"GdiPlus.dll";
};

// The process-wide loader. Nothing stops GDI+ for its users at exit.
CLVKGdiPlusLoader* AFX_CDECL LVKGdiPlusLoader();
