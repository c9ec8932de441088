#include "GdiPlusLoader.h"

#include "SingletonPointer.h"

namespace
{

const char* const kEntryNames[CLVKGdiPlusLoader::entryCount] = {
    "GdiplusStartup",
    "GdiplusShutdown",
    "GdipCreateFromHDC",
    "GdipCreateFromHDC2",
    "GdipDeleteGraphics",
    "GdipGetDC",
    "GdipReleaseDC",
    "GdipSetSmoothingMode",
    "GdipGetSmoothingMode",
    "GdipSetPixelOffsetMode",
    "GdipSetInterpolationMode",
    "GdipSetTextRenderingHint",
    "GdipSetCompositingMode",
    "GdipSetCompositingQuality",
    "GdipGetWorldTransform",
    "GdipSetWorldTransform",
    "GdipTranslateWorldTransform",
    "GdipCreateMatrix",
    "GdipCreateMatrix2",
    "GdipCloneMatrix",
    "GdipDeleteMatrix",
    "GdipTranslateMatrix",
    "GdipScaleMatrix",
    "GdipRotateMatrix",
    "GdipShearMatrix",
    "GdipMultiplyMatrix",
    "GdipInvertMatrix",
    "GdipTransformMatrixPoints",
    "GdipGetMatrixElements",
    "GdipSetMatrixElements",
    "GdipCreatePen1",
    "GdipCreatePen2",
    "GdipDeletePen",
    "GdipSetPenDashStyle",
    "GdipSetPenDashArray",
    "GdipSetPenLineJoin",
    "GdipSetPenStartCap",
    "GdipSetPenEndCap",
    "GdipSetPenMiterLimit",
    "GdipCreateSolidFill",
    "GdipCreateLineBrushI",
    "GdipCreateLineBrushFromRectI",
    "GdipSetLinePresetBlend",
    "GdipSetLineWrapMode",
    "GdipCreatePathGradientFromPath",
    "GdipSetPathGradientCenterColor",
    "GdipSetPathGradientSurroundColorsWithCount",
    "GdipSetPathGradientPresetBlend",
    "GdipCreateTexture",
    "GdipDeleteBrush",
    "GdipFillRectangleI",
    "GdipFillRectangle",
    "GdipDrawRectangleI",
    "GdipDrawRectangle",
    "GdipFillEllipseI",
    "GdipDrawEllipseI",
    "GdipDrawLineI",
    "GdipDrawLinesI",
    "GdipFillPolygonI",
    "GdipDrawPolygonI",
    "GdipFillPath",
    "GdipDrawPath",
    "GdipCreatePath",
    "GdipCreatePath2I",
    "GdipDeletePath",
    "GdipAddPathLineI",
    "GdipAddPathArcI",
    "GdipAddPathBezierI",
    "GdipClosePathFigure",
    "GdipStartPathFigure",
    "GdipAddPathRectangleI",
    "GdipAddPathEllipseI",
    "GdipSetClipRectI",
    "GdipSetClipPath",
    "GdipGetClip",
    "GdipSetClipRegion",
    "GdipResetClip",
    "GdipCreateRegion",
    "GdipDeleteRegion",
    "GdipGetClipBoundsI",
    "GdipCreateBitmapFromScan0",
    "GdipCreateBitmapFromHBITMAP",
    "GdipCreateBitmapFromStream",
    "GdipCreateBitmapFromFile",
    "GdipCreateHBITMAPFromBitmap",
    "GdipBitmapLockBits",
    "GdipBitmapUnlockBits",
    "GdipGetImageWidth",
    "GdipGetImageHeight",
    "GdipDisposeImage",
    "GdipDrawImageRectI",
    "GdipDrawImageRectRectI",
    "GdipCreateImageAttributes",
    "GdipDisposeImageAttributes",
};

struct StartupInput
{
    UINT32 nGdiplusVersion;
    void* pfnDebugEventCallback;
    BOOL bSuppressBackgroundThread;
    BOOL bSuppressExternalCodecs;
};

// GDI+ is never shut down implicitly: its users stop it themselves.
void AFX_CDECL DestroyNothing(void*)
{
}

}  // namespace

CLVKGdiPlusLoader* AFX_CDECL LVKGdiPlusLoader()
{
    static CLVKSingletonPointer holder(sizeof(CLVKGdiPlusLoader), &LVKConstructSingleton<CLVKGdiPlusLoader>,
                                       &DestroyNothing);
    return static_cast<CLVKGdiPlusLoader*>(holder.ObtainObject());
}

const char* AFX_CDECL CLVKGdiPlusLoader::GetEntryName(Entry entry)
{
    return entry >= 0 && entry < entryCount ? kEntryNames[entry] : nullptr;
}

FARPROC CLVKGdiPlusLoader::GetEntryPoint(Entry entry)
{
    if (entry < 0 || entry >= entryCount)
        return nullptr;
    // Nothing is handed out while GDI+ is not loaded, not even a pointer
    // bound before the last stop freed the library.
    if (!m_hModule)
        return nullptr;
    EntryPoint& entryPoint = m_entries[entry];
    if (entryPoint.nGeneration != m_nLoadGeneration)
    {
        entryPoint.pfn = ::GetProcAddress(m_hModule, kEntryNames[entry]);
        entryPoint.nGeneration = m_nLoadGeneration;
    }
    return entryPoint.pfn;
}

int CLVKGdiPlusLoader::Startup(BOOL bStart)
{
    return bStart ? Start() : Shutdown();
}

int CLVKGdiPlusLoader::Start()
{
    ++m_nLoadGeneration;
    if (++m_nStartCount != 1)
        return m_nStartCount;

    m_hModule = ::LoadLibraryW(m_lpszModuleName);
    if (!m_hModule)
        return m_nStartCount;

    const StartupInput input = {1, nullptr, TRUE, FALSE};
    m_output = StartupOutput();
    const auto pfnStartup =
        GetEntryPoint<int(WINAPI*)(ULONG_PTR*, const StartupInput*, StartupOutput*)>(entryGdiplusStartup);
    if (!pfnStartup)
        return m_nStartCount;
    const int nStatus = pfnStartup(&m_nStartupToken, &input, &m_output);
    // A failed start leaves no hook to call.
    if (nStatus != statusOk || !m_output.pfnNotificationHook)
        return nStatus != statusOk ? nStatus : m_nStartCount;
    // The background thread is suppressed, so the hook does its work.
    return m_output.pfnNotificationHook(&m_nHookToken);
}

int CLVKGdiPlusLoader::Shutdown()
{
    // A stop without a start is ignored rather than taking the count below 0.
    if (m_nStartCount <= 0)
        return 0;
    if (--m_nStartCount != 0)
        return m_nStartCount;

    if (m_hModule)
    {
        if (m_output.pfnNotificationUnhook)
            m_output.pfnNotificationUnhook(m_nHookToken);
        if (const auto pfnShutdown = GetEntryPoint<void(WINAPI*)(ULONG_PTR)>(entryGdiplusShutdown))
        {
            if (m_nStartupToken)
                pfnShutdown(m_nStartupToken);
        }
        ::FreeLibrary(m_hModule);
    }
    m_hModule = nullptr;
    m_nStartupToken = 0;
    m_nHookToken = 0;
    m_output = StartupOutput();
    return m_nStartCount;
}
