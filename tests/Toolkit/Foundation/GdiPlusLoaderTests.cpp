// The GDI+ loader: start and stop counted, the library loaded by the first
// start and freed by the last stop, entry points bound by name and bound
// again after a new start. Each test uses a loader of its own, so the
// process-wide one is left alone.
#include "DibSurface.h"
#include "Foundation/GdiPlusLoader.h"

#include <gtest/gtest.h>

namespace
{

BOOL IsGdiPlusLoaded()
{
    return ::GetModuleHandleW(L"gdiplus.dll") != nullptr;
}

}  // namespace

TEST(GdiPlusLoaderTest, StartStartStopKeepsRunningAndTheLastStopFreesTheLibrary)
{
    // Another user in the process may hold the library too; then only the
    // loader's own reference can be seen going.
    const BOOL bLoadedBefore = IsGdiPlusLoaded();
    CLVKGdiPlusLoader loader;
    EXPECT_EQ(0, loader.Startup(TRUE)) << "the first start returns the notification hook's status (Ok)";
    EXPECT_TRUE(IsGdiPlusLoaded());
    EXPECT_EQ(2, loader.Startup(TRUE));
    EXPECT_EQ(1, loader.Startup(FALSE));
    EXPECT_TRUE(IsGdiPlusLoaded());
    EXPECT_NE(nullptr, loader.GetEntryPoint(CLVKGdiPlusLoader::entryGdipCreateFromHDC));

    EXPECT_EQ(0, loader.Startup(FALSE));
    if (!bLoadedBefore)
    {
        EXPECT_FALSE(IsGdiPlusLoaded());
    }
    EXPECT_EQ(nullptr, loader.GetModule());
    EXPECT_EQ(nullptr, loader.GetEntryPoint(CLVKGdiPlusLoader::entryGdipCreateFromHDC))
        << "no pointer into the freed library";
    EXPECT_EQ(0, loader.Startup(FALSE)) << "a stop without a start changes nothing";
    EXPECT_EQ(0, loader.GetStartCount());
}

TEST(GdiPlusLoaderTest, EveryEntryPointOfTheTableIsFoundByName)
{
    CLVKGdiPlusLoader loader;
    ASSERT_EQ(0, loader.Startup(TRUE));
    for (int i = 0; i < CLVKGdiPlusLoader::entryCount; ++i)
    {
        const auto entry = static_cast<CLVKGdiPlusLoader::Entry>(i);
        EXPECT_NE(nullptr, loader.GetEntryPoint(entry)) << CLVKGdiPlusLoader::GetEntryName(entry);
    }
    loader.Startup(FALSE);
}

TEST(GdiPlusLoaderTest, DrawsThroughBoundEntryPoints)
{
    CLVKGdiPlusLoader loader;
    ASSERT_EQ(0, loader.Startup(TRUE));
    DibSurface surface(10, 10, RGB(255, 255, 255));
    {
        typedef int(WINAPI * PFNCREATEFROMHDC)(HDC, void**);
        typedef int(WINAPI * PFNCREATESOLIDFILL)(DWORD, void**);
        typedef int(WINAPI * PFNFILLRECTANGLEI)(void*, void*, int, int, int, int);
        typedef int(WINAPI * PFNDELETE)(void*);
        void* pGraphics = nullptr;
        void* pBrush = nullptr;
        ASSERT_EQ(0, loader.GetEntryPoint<PFNCREATEFROMHDC>(CLVKGdiPlusLoader::entryGdipCreateFromHDC)(surface.GetHdc(),
                                                                                                       &pGraphics));
        ASSERT_EQ(0, loader.GetEntryPoint<PFNCREATESOLIDFILL>(CLVKGdiPlusLoader::entryGdipCreateSolidFill)(0xFF0080FF,
                                                                                                           &pBrush));
        EXPECT_EQ(0, loader.GetEntryPoint<PFNFILLRECTANGLEI>(CLVKGdiPlusLoader::entryGdipFillRectangleI)(
                         pGraphics, pBrush, 2, 2, 4, 4));
        loader.GetEntryPoint<PFNDELETE>(CLVKGdiPlusLoader::entryGdipDeleteBrush)(pBrush);
        loader.GetEntryPoint<PFNDELETE>(CLVKGdiPlusLoader::entryGdipDeleteGraphics)(pGraphics);
    }
    EXPECT_EQ(RGB(0, 128, 255), surface.Pixel(3, 3));
    EXPECT_EQ(RGB(255, 255, 255), surface.Pixel(7, 7));
    loader.Startup(FALSE);
}

TEST(GdiPlusLoaderTest, EntryPointsAreBoundAgainAfterANewStart)
{
    CLVKGdiPlusLoader loader;
    const auto entry = CLVKGdiPlusLoader::entryGdipCreateMatrix;
    EXPECT_EQ(-1, loader.GetEntryGeneration(entry));
    ASSERT_EQ(0, loader.Startup(TRUE));
    ASSERT_NE(nullptr, loader.GetEntryPoint(entry));
    const int nFirstGeneration = loader.GetEntryGeneration(entry);
    EXPECT_EQ(loader.GetLoadGeneration(), nFirstGeneration);

    loader.Startup(FALSE);
    ASSERT_EQ(0, loader.Startup(TRUE));
    EXPECT_EQ(nFirstGeneration, loader.GetEntryGeneration(entry)) << "not bound again before its next use";
    EXPECT_NE(nullptr, loader.GetEntryPoint(entry));
    EXPECT_EQ(loader.GetLoadGeneration(), loader.GetEntryGeneration(entry));
    EXPECT_GT(loader.GetEntryGeneration(entry), nFirstGeneration);
    loader.Startup(FALSE);
}

TEST(GdiPlusLoaderTest, WithoutTheLibraryAStartStartsNothing)
{
    CLVKGdiPlusLoader loader;
    loader.SetModuleName(L"LorvaneNoSuchGdiPlus.dll");
    EXPECT_EQ(1, loader.Startup(TRUE));
    EXPECT_EQ(nullptr, loader.GetModule());
    EXPECT_EQ(1, loader.GetStartCount()) << "the count stays raised";
    EXPECT_EQ(nullptr, loader.GetEntryPoint(CLVKGdiPlusLoader::entryGdipCreateFromHDC));
    EXPECT_EQ(0, loader.Startup(FALSE));
}

TEST(GdiPlusLoaderTest, ProcessWideLoaderIsOneObject)
{
    CLVKGdiPlusLoader* const pLoader = LVKGdiPlusLoader();
    ASSERT_NE(nullptr, pLoader);
    EXPECT_EQ(pLoader, LVKGdiPlusLoader());
    EXPECT_STREQ("GdiplusStartup", CLVKGdiPlusLoader::GetEntryName(CLVKGdiPlusLoader::entryGdiplusStartup));
    EXPECT_STREQ("GdiplusShutdown", CLVKGdiPlusLoader::GetEntryName(CLVKGdiPlusLoader::entryGdiplusShutdown));
}
