#include "Markup/MarkupGdiImage.h"

#include "Foundation/BitmapLoaders.h"
#include "Foundation/ImageManager.h"
#include "Foundation/ImageManagerIcon.h"
#include "Foundation/ImageManagerIconSet.h"
#include "Foundation/StreamLocation.h"
#include "Markup/MarkupContext.h"

#include <cwchar>

namespace
{

const wchar_t kFilePrefix[] = L"file://";
const wchar_t kResourcePrefix[] = L"res://";

BOOL StartsWith(LPCWSTR lpszText, const wchar_t* lpszPrefix)
{
    return _wcsnicmp(lpszText, lpszPrefix, wcslen(lpszPrefix)) == 0;
}

}  // namespace

COLORREF AFX_CDECL MarkupGetSiteMaskColor(ILVKMarkupDeviceDependentImageSite* pSite)
{
    CLVKMarkupContext* const pContext = pSite ? pSite->GetMarkupContext() : nullptr;
    if (pContext)
    {
        return pContext->GetMaskColor();
    }
    const COLORREF clrManager = CLVKImageManager::GetGlobal()->GetMaskColor();
    return clrManager != static_cast<COLORREF>(-1) ? clrManager : RGB(0, 255, 0);
}

CLVKImageManager* AFX_CDECL MarkupGetSiteImageManager(ILVKMarkupDeviceDependentImageSite* pSite)
{
    CLVKMarkupContext* const pContext = pSite ? pSite->GetMarkupContext() : nullptr;
    return pContext ? pContext->GetImageManager() : CLVKImageManager::GetGlobal();
}

CLVKMarkupGdiImage::CLVKMarkupGdiImage(ILVKMarkupDeviceDependentImageSite* pSite)
    : CLVKMarkupDeviceDependentImage(pSite)
{
}

CLVKMarkupGdiImage::~CLVKMarkupGdiImage()
{
    Reset();
}

void CLVKMarkupGdiImage::Reset()
{
    m_pIcon = nullptr;
    m_pPrivateManager.reset();
    m_nWidth = 0;
    m_nHeight = 0;
    m_bIcon = FALSE;
}

CLVKImageManagerIcon* CLVKMarkupGdiImage::FindPrivateIcon(int nPreferredWidth) const
{
    CLVKImageManagerIconSet* const pSet = m_pPrivateManager ? m_pPrivateManager->GetIconSet(0) : nullptr;
    return pSet ? pSet->FindIcon(nPreferredWidth, TRUE) : nullptr;
}

BOOL CLVKMarkupGdiImage::Load(LPCWSTR lpszSource, int nPreferredWidth)
{
    Reset();
    if (!lpszSource)
    {
        return FALSE;
    }
    if (StartsWith(lpszSource, kFilePrefix))
    {
        wchar_t szPath[261] = {};
        if (FAILED(LVKMakePathFromExeFolder(lpszSource + wcslen(kFilePrefix), szPath)))
        {
            return FALSE;
        }
        m_pPrivateManager.reset(new CLVKImageManager());
        m_pPrivateManager->SwapMaskColor(MarkupGetSiteMaskColor(m_pSite));
        const size_t nLength = wcslen(szPath);
        if (nLength >= 3 && _wcsicmp(szPath + nLength - 3, L"ico") == 0)
        {
            m_pPrivateManager->SetIconsFromIcoFile(szPath, 0, 0, 0, 0);
        }
        else
        {
            BOOL bAlpha = FALSE;
            if (const HBITMAP hBitmap = LoadBitmapFromFile(szPath, &bAlpha))
            {
                const UINT nID = 0;
                m_pPrivateManager->SetIconsFromBitmap(hBitmap, &nID, 1, 0, 0, 0, bAlpha);
                DeleteObject(hBitmap);
            }
        }
        m_pIcon = FindPrivateIcon(nPreferredWidth);
    }
    else if (StartsWith(lpszSource, kResourcePrefix))
    {
        LPCWSTR lpszName = lpszSource + wcslen(kResourcePrefix);
        if (*lpszName == L'#')
        {
            lpszName = MAKEINTRESOURCEW(_wtoi(lpszName + 1));
        }
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
        m_pIcon = FindPrivateIcon(nPreferredWidth);
    }
    else
    {
        // Any other text names a command id (0 when it is no number).
        CLVKImageManager* const pManager = MarkupGetSiteImageManager(m_pSite);
        m_pIcon = pManager ? pManager->FindIcon(static_cast<UINT>(_wtoi(lpszSource)), nPreferredWidth) : nullptr;
    }
    if (!m_pIcon)
    {
        return FALSE;
    }
    m_bIcon = TRUE;
    const CSize size = m_pIcon->GetExtent();
    m_nWidth = size.cx;
    m_nHeight = size.cy;
    return TRUE;
}

void CLVKMarkupGdiImage::Draw(HDC hDC, const RECT& rc)
{
    if (!m_pIcon || !hDC || rc.right <= rc.left || rc.bottom <= rc.top)
    {
        return;
    }
    CDC dc;
    dc.Attach(hDC);
    m_pIcon->DrawScaled(&dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    dc.Detach();
}
