// The theme factory and the process-wide (global) paint manager.
#include "CommandBars/PaintManager.h"

#include "CommandBars/CommandBarsOffice2000Theme.h"
#include "Foundation/ColorManager.h"
#include "Foundation/GdiPlusLoader.h"
#include "Foundation/SingletonPointer.h"
#include "Foundation/WinThemeWrapper.h"

namespace
{
// Read by the frame hook; every theme creation sets it.
BOOL g_bFrameCompositionEnabled = FALSE;

BOOL AFX_CDECL ConstructGlobalSlot(void* pObject)
{
    *static_cast<CLVKPaintManager**>(pObject) = nullptr;
    return TRUE;
}

void AFX_CDECL DestroyGlobalSlot(void* pObject)
{
    // Releases the reference that GetGlobal or SetTheme left without a holder
    // (the slot itself is going away, so it is not asked again).
    CLVKPaintManager*& pSlot = *static_cast<CLVKPaintManager**>(pObject);
    if (pSlot && pSlot->InternalRelease() == 0)
        pSlot = nullptr;
}

CLVKPaintManager*& GlobalSlot()
{
    // The GDI+ loader is made first, so the toolkit's shutdown (last made,
    // first destroyed) destroys it after the paint manager.
    static CLVKGdiPlusLoader* const pGdiPlusLoader = LVKGdiPlusLoader();
    static CLVKSingletonPointer holder(sizeof(CLVKPaintManager*), &ConstructGlobalSlot, &DestroyGlobalSlot);
    (void)pGdiPlusLoader;
    return *static_cast<CLVKPaintManager**>(holder.ObtainObject());
}

// The count of references an object holds now.
DWORD CurrentRefCount(CLVKPaintManager* pPaintManager)
{
    pPaintManager->InternalAddRef();
    return pPaintManager->InternalRelease();
}

// Theme numbers whose themes leave window frames to the theme itself.
BOOL IsFlatFrameTheme(int nTheme)
{
    switch (nTheme)
    {
    case lvkThemeResource:
    case lvkThemeRibbon:
    case lvkThemeOffice2013:
    case lvkThemeVisualStudio2012:
    case lvkThemeVisualStudio2012Light:
    case lvkThemeVisualStudio2012Dark:
    case lvkThemeVisualStudio2015:
        return TRUE;
    default:
        return FALSE;
    }
}
}  // namespace

BOOL AFX_CDECL CLVKPaintManager::IsFrameCompositionEnabled()
{
    return g_bFrameCompositionEnabled;
}

CLVKPaintManager* AFX_CDECL CLVKPaintManager::CreateTheme(int nTheme)
{
    g_bFrameCompositionEnabled = LVKDwmIsCompositionEnabled();
    // Only the default theme is built: every other number creates it too and
    // keeps the asked number, so the application can read its choice back.
    CLVKPaintManager* pPaintManager = new CLVKCommandBarsOffice2000Theme();
    if (IsFlatFrameTheme(nTheme))
        g_bFrameCompositionEnabled = FALSE;
    pPaintManager->m_nThemeNumber = nTheme;
    return pPaintManager;
}

void AFX_CDECL CLVKPaintManager::ReplaceGlobal(CLVKPaintManager* pPaintManager)
{
    CLVKPaintManager*& pSlot = GlobalSlot();
    CLVKPaintManager* const pOld = pSlot;
    // Installing the installed object again must not release it to nothing.
    if (pOld == pPaintManager)
        return;
    pSlot = pPaintManager;

    CLVKColorManager* pColors = CLVKColorManager::GetGlobal();
    for (int i = 0; i < CLVKColorManager::kColorCount; i++)
        pColors->SetCustomColor(i, static_cast<COLORREF>(-1));
    if (pPaintManager)
    {
        pPaintManager->m_nThemeNumber = lvkThemeCustom;
        pPaintManager->RefreshMetrics();
    }
    pColors->RecomputeColors(FALSE);

    if (!pOld || !pPaintManager)
        return;
    // The holders' references move to the new object: each later
    // ReleaseGlobal balances on it.
    const DWORD nOldCount = CurrentRefCount(pOld);
    DWORD nNewCount = CurrentRefCount(pPaintManager);
    while (nNewCount < nOldCount)
        nNewCount = pPaintManager->InternalAddRef();
    while (nNewCount > nOldCount)
        nNewCount = pPaintManager->InternalRelease();
    while (pOld->InternalRelease() != 0)
    {
    }
}

void AFX_CDECL CLVKPaintManager::SetTheme(int nTheme)
{
    ReplaceGlobal(CreateTheme(nTheme));
    if (CLVKPaintManager* pGlobal = GetGlobalIfAny())
        pGlobal->m_nThemeNumber = nTheme;
}

CLVKPaintManager* AFX_CDECL CLVKPaintManager::GetGlobalIfAny()
{
    return GlobalSlot();
}

CLVKPaintManager* AFX_CDECL CLVKPaintManager::AddRefGlobal()
{
    if (CLVKPaintManager* pGlobal = GlobalSlot())
        pGlobal->InternalAddRef();
    else
        SetTheme(lvkThemeOffice2000);
    return GlobalSlot();
}

CLVKPaintManager* AFX_CDECL CLVKPaintManager::GetGlobal()
{
    if (CLVKPaintManager* pGlobal = GlobalSlot())
        return pGlobal;
    return AddRefGlobal();
}

DWORD AFX_CDECL CLVKPaintManager::ReleaseGlobal()
{
    CLVKPaintManager*& pSlot = GlobalSlot();
    if (!pSlot)
        return 0;
    const DWORD nCount = pSlot->InternalRelease();
    if (nCount == 0)
        pSlot = nullptr;
    return nCount;
}
