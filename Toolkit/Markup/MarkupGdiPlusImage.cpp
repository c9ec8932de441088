#include "Markup/MarkupGdiPlusImage.h"

#include "Foundation/BitmapLoaders.h"
#include "Foundation/GdiPlusLoader.h"
#include "Foundation/ImageManager.h"
#include "Foundation/ImageManagerIcon.h"
#include "Foundation/ImageManagerIconSet.h"
#include "Foundation/ReadOnlyStreamWrapper.h"
#include "Foundation/StreamLocation.h"

#include <cwctype>
#include <map>

namespace
{

const PROPID kPropertyTagFrameDelay = 0x5100;
const UINT kDefaultFrameDuration = 100;
// {6AEDBD6D-3FB5-418A-83A6-7F45229DC872}
const GUID kFrameDimensionTime = {0x6AEDBD6D, 0x3FB5, 0x418A, {0x83, 0xA6, 0x7F, 0x45, 0x22, 0x9D, 0xC8, 0x72}};
// No property item of a frame-delay list is larger than this; a larger
// claimed size is a broken file, never an allocation.
const UINT kMaxPropertyItemSize = 1u << 20;

struct PropertyItem
{
    PROPID id;
    ULONG length;
    WORD type;
    void* value;
};

// The GDI+ entry points of the picture, bound by name from the loader's
// module.
struct GdiPlusImageApi
{
    int(WINAPI* CreateBitmapFromStream)(IStream*, void**) = nullptr;
    int(WINAPI* DisposeImage)(void*) = nullptr;
    int(WINAPI* GetImageWidth)(void*, UINT*) = nullptr;
    int(WINAPI* GetImageHeight)(void*, UINT*) = nullptr;
    int(WINAPI* GetFrameDimensionsCount)(void*, UINT*) = nullptr;
    int(WINAPI* GetFrameDimensionsList)(void*, GUID*, UINT) = nullptr;
    int(WINAPI* GetFrameCount)(void*, const GUID*, UINT*) = nullptr;
    int(WINAPI* SelectActiveFrame)(void*, const GUID*, UINT) = nullptr;
    int(WINAPI* GetPropertyItemSize)(void*, PROPID, UINT*) = nullptr;
    int(WINAPI* GetPropertyItem)(void*, PROPID, UINT, PropertyItem*) = nullptr;
    int(WINAPI* CreateFromHDC)(HDC, void**) = nullptr;
    int(WINAPI* DeleteGraphics)(void*) = nullptr;
    int(WINAPI* DrawImageRectI)(void*, void*, int, int, int, int) = nullptr;

    BOOL Bind()
    {
        const HMODULE hModule = LVKGdiPlusLoader()->GetModule();
        if (!hModule)
        {
            return FALSE;
        }
        auto bind = [hModule](auto& pfn, const char* pszName)
        {
            pfn = reinterpret_cast<std::remove_reference_t<decltype(pfn)>>(
                reinterpret_cast<void*>(GetProcAddress(hModule, pszName)));
            return pfn != nullptr;
        };
        return bind(CreateBitmapFromStream, "GdipCreateBitmapFromStream") && bind(DisposeImage, "GdipDisposeImage") &&
               bind(GetImageWidth, "GdipGetImageWidth") && bind(GetImageHeight, "GdipGetImageHeight") &&
               bind(GetFrameDimensionsCount, "GdipImageGetFrameDimensionsCount") &&
               bind(GetFrameDimensionsList, "GdipImageGetFrameDimensionsList") &&
               bind(GetFrameCount, "GdipImageGetFrameCount") && bind(SelectActiveFrame, "GdipImageSelectActiveFrame") &&
               bind(GetPropertyItemSize, "GdipGetPropertyItemSize") && bind(GetPropertyItem, "GdipGetPropertyItem") &&
               bind(CreateFromHDC, "GdipCreateFromHDC") && bind(DeleteGraphics, "GdipDeleteGraphics") &&
               bind(DrawImageRectI, "GdipDrawImageRectI");
    }
};

GdiPlusImageApi* Api()
{
    static GdiPlusImageApi api;
    static int nGeneration = -1;
    // The library may have been unloaded and loaded again since.
    if (nGeneration != LVKGdiPlusLoader()->GetLoadGeneration())
    {
        api = GdiPlusImageApi();
        if (!api.Bind())
        {
            return nullptr;
        }
        nGeneration = LVKGdiPlusLoader()->GetLoadGeneration();
    }
    return &api;
}

// The animated pictures of this thread by their timer ids: the timer
// procedure runs on the thread that set the timer.
std::map<UINT_PTR, CLVKMarkupGdiPlusImage*>& ThreadTimers()
{
    thread_local std::map<UINT_PTR, CLVKMarkupGdiPlusImage*> timers;
    return timers;
}

BOOL IsAllDigits(LPCWSTR lpszText)
{
    if (!*lpszText)
    {
        return FALSE;
    }
    for (; *lpszText; ++lpszText)
    {
        if (!iswdigit(*lpszText))
        {
            return FALSE;
        }
    }
    return TRUE;
}

}  // namespace

CLVKMarkupGdiPlusImage::CLVKMarkupGdiPlusImage(ILVKMarkupDeviceDependentImageSite* pSite)
    : CLVKMarkupDeviceDependentImage(pSite)
{
    LVKGdiPlusLoader()->Startup(TRUE);
    m_bStarted = TRUE;
}

CLVKMarkupGdiPlusImage::~CLVKMarkupGdiPlusImage()
{
    Reset();
    if (m_bStarted)
    {
        LVKGdiPlusLoader()->Startup(FALSE);
    }
}

UINT AFX_CDECL CLVKMarkupGdiPlusImage::GetFrameDuration(const std::vector<UINT>& delays, UINT nFrame)
{
    if (nFrame >= delays.size() || delays[nFrame] == 0)
    {
        return kDefaultFrameDuration;
    }
    // Delays past what a timer can count are capped, never wrapped.
    return delays[nFrame] > 0x7FFFFFFF / 10 ? 0x7FFFFFFF : delays[nFrame] * 10;
}

void CLVKMarkupGdiPlusImage::StopTimer()
{
    if (m_nTimer)
    {
        KillTimer(nullptr, m_nTimer);
        ThreadTimers().erase(m_nTimer);
        m_nTimer = 0;
        m_nTimerInterval = 0;
    }
}

void CLVKMarkupGdiPlusImage::Reset()
{
    StopTimer();
    m_delays.clear();
    if (m_pImage)
    {
        if (GdiPlusImageApi* const pApi = Api())
        {
            pApi->DisposeImage(m_pImage);
        }
        m_pImage = nullptr;
    }
    m_pIcon = nullptr;
    m_pPrivateManager.reset();
    m_nFrameCount = 0;
    m_nFrame = 0;
    m_nShownFrame = 0;
    m_nWidth = 0;
    m_nHeight = 0;
    m_bIcon = FALSE;
}

BOOL CLVKMarkupGdiPlusImage::Load(LPCWSTR lpszSource, int nPreferredWidth)
{
    Reset();
    if (!lpszSource || !*lpszSource)
    {
        return FALSE;
    }
    if (IsAllDigits(lpszSource))
    {
        CLVKImageManager* const pManager = MarkupGetSiteImageManager(m_pSite);
        m_pIcon = pManager ? pManager->FindIcon(static_cast<UINT>(_wtoi(lpszSource)), nPreferredWidth) : nullptr;
        if (!m_pIcon)
        {
            return FALSE;
        }
        m_bIcon = TRUE;
        m_nWidth = m_pIcon->GetExtent().cx;
        m_nHeight = m_pIcon->GetExtent().cy;
        return TRUE;
    }
    LVKStreamLocation location;
    if (FAILED(LVKParseStreamUrl(lpszSource, &location)))
    {
        return FALSE;
    }
    GdiPlusImageApi* const pApi = Api();
    CReadOnlyStreamWrapper* pStream = nullptr;
    if (pApi && SUCCEEDED(CReadOnlyStreamWrapper::CreateFromLocation(location, &pStream)) && pStream)
    {
        void* pImage = nullptr;
        if (pApi->CreateBitmapFromStream(pStream, &pImage) == 0 && pImage)
        {
            m_pImage = pImage;
            UINT nWidth = 0, nHeight = 0;
            pApi->GetImageWidth(m_pImage, &nWidth);
            pApi->GetImageHeight(m_pImage, &nHeight);
            m_nWidth = static_cast<int>(nWidth);
            m_nHeight = static_cast<int>(nHeight);
        }
        pStream->Release();
    }
    if (m_pImage)
    {
        PrepareAnimation();
        return TRUE;
    }
    if (location.nKind == LVKStreamLocation::kindResource && location.lpszResName)
    {
        return LoadResourceFallback(location.lpszResName, nPreferredWidth);
    }
    return FALSE;
}

BOOL CLVKMarkupGdiPlusImage::LoadResourceFallback(LPCWSTR lpszName, int nPreferredWidth)
{
    m_pPrivateManager.reset(new CLVKImageManager());
    m_pPrivateManager->SwapMaskColor(MarkupGetSiteMaskColor(m_pSite));
    BOOL bAlpha = FALSE;
    HBITMAP hBitmap = LoadBitmapResource(AfxGetResourceHandle(), lpszName, &bAlpha);
    if (!hBitmap)
    {
        hBitmap = LoadBitmapResource(GetModuleHandleW(nullptr), lpszName, &bAlpha);
    }
    if (hBitmap)
    {
        const UINT nID = 0;
        m_pPrivateManager->SetIconsFromBitmap(hBitmap, &nID, 1, 0, 0, 0, bAlpha);
        DeleteObject(hBitmap);
    }
    else
    {
        m_pPrivateManager->SetIconFromResource(lpszName, 0, 0, 0, 0);
    }
    CLVKImageManagerIconSet* const pSet = m_pPrivateManager->GetIconSet(0);
    m_pIcon = pSet ? pSet->FindIcon(nPreferredWidth, TRUE) : nullptr;
    if (!m_pIcon)
    {
        return FALSE;
    }
    m_bIcon = TRUE;
    m_nWidth = m_pIcon->GetExtent().cx;
    m_nHeight = m_pIcon->GetExtent().cy;
    return TRUE;
}

void CLVKMarkupGdiPlusImage::PrepareAnimation()
{
    GdiPlusImageApi* const pApi = Api();
    UINT nDimensions = 0;
    if (!pApi || pApi->GetFrameDimensionsCount(m_pImage, &nDimensions) != 0 || nDimensions == 0)
    {
        return;
    }
    std::vector<GUID> dimensions(nDimensions);
    if (pApi->GetFrameDimensionsList(m_pImage, dimensions.data(), nDimensions) != 0 ||
        pApi->GetFrameCount(m_pImage, &dimensions[0], &m_nFrameCount) != 0)
    {
        m_nFrameCount = 0;
        return;
    }
    UINT nSize = 0;
    if (pApi->GetPropertyItemSize(m_pImage, kPropertyTagFrameDelay, &nSize) != 0 || nSize < sizeof(PropertyItem) ||
        nSize > kMaxPropertyItemSize)
    {
        return;
    }
    std::vector<BYTE> buffer(nSize);
    auto* const pItem = reinterpret_cast<PropertyItem*>(buffer.data());
    if (pApi->GetPropertyItem(m_pImage, kPropertyTagFrameDelay, nSize, pItem) != 0 || !pItem->value)
    {
        return;
    }
    // Only as many delays as the item really holds are read; frames past
    // the list get the default duration.
    const BYTE* const pValue = static_cast<const BYTE*>(pItem->value);
    const BYTE* const pEnd = buffer.data() + buffer.size();
    if (pValue < buffer.data() || pValue > pEnd)
    {
        return;
    }
    const size_t nAvailable = static_cast<size_t>(pEnd - pValue) / sizeof(UINT);
    const size_t nCount = std::min<size_t>(pItem->length / sizeof(UINT), nAvailable);
    m_delays.resize(nCount);
    for (size_t i = 0; i < nCount; ++i)
    {
        memcpy(&m_delays[i], pValue + i * sizeof(UINT), sizeof(UINT));
    }
    m_nFrame = 0;
    Step();
}

void CLVKMarkupGdiPlusImage::Step()
{
    StopTimer();
    GdiPlusImageApi* const pApi = Api();
    if (!pApi || !m_pImage)
    {
        return;
    }
    pApi->SelectActiveFrame(m_pImage, &kFrameDimensionTime, static_cast<UINT>(m_nFrame));
    m_nShownFrame = m_nFrame;
    if (m_pSite)
    {
        m_pSite->OnImageChanged();
    }
    if (m_nFrameCount < 2)
    {
        return;
    }
    const UINT nDuration = GetFrameDuration(m_delays, static_cast<UINT>(m_nFrame));
    m_nFrame = static_cast<int>((static_cast<UINT>(m_nFrame) + 1) % m_nFrameCount);
    m_nTimer = SetTimer(nullptr, 0, nDuration, &CLVKMarkupGdiPlusImage::TimerProc);
    if (m_nTimer)
    {
        m_nTimerInterval = nDuration;
        ThreadTimers()[m_nTimer] = this;
    }
}

void CALLBACK CLVKMarkupGdiPlusImage::TimerProc(HWND /*hWnd*/, UINT /*nMessage*/, UINT_PTR nTimer, DWORD /*nTime*/)
{
    auto& timers = ThreadTimers();
    const auto it = timers.find(nTimer);
    if (it == timers.end())
    {
        return;
    }
    it->second->Step();
}

void CLVKMarkupGdiPlusImage::Draw(HDC hDC, const RECT& rc)
{
    if (!hDC || rc.right <= rc.left || rc.bottom <= rc.top)
    {
        return;
    }
    if (m_pIcon)
    {
        CDC dc;
        dc.Attach(hDC);
        m_pIcon->DrawScaled(&dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
        dc.Detach();
        return;
    }
    GdiPlusImageApi* const pApi = Api();
    void* pGraphics = nullptr;
    if (!m_pImage || !pApi || pApi->CreateFromHDC(hDC, &pGraphics) != 0 || !pGraphics)
    {
        return;
    }
    pApi->DrawImageRectI(pGraphics, m_pImage, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    pApi->DeleteGraphics(pGraphics);
}
