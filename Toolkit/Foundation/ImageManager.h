// The keeper of command pictures: per command id an icon set with one icon
// per width, each with pictures for its display states (0 normal, 1 disabled,
// 2 hot, 3 checked, 4 pressed); loaders for every picture source; pictures of
// one size packed into shared atlases; persistence through a property
// exchange; and the blending services the icons, the atlas and the theme
// images draw through.
#pragma once

#include "CmdTarget.h"

#include <commctrl.h>

#include <map>
#include <vector>

class CLVKIconImage;
class CLVKImageManagerIcon;
class CLVKImageManagerIconSet;
class CLVKImageManagerResource;
class CLVKPropExchange;

class CLVKImageManager : public CLVKCmdTarget
{
    DECLARE_DYNAMIC(CLVKImageManager)

public:
    static CLVKImageManager* AFX_CDECL GetGlobal();

    CLVKImageManager() = default;
    ~CLVKImageManager() override;

    // Lookup.
    CLVKImageManagerIconSet* GetIconSet(UINT nID) const;
    CLVKImageManagerIcon* FindIcon(UINT nID, int nWidth) const;
    BOOL IsIconAvailable(UINT nID, int nWidth) const;
    CLVKImageManagerResource* GetImageResource(int cx, int cy);
    BOOL IsDrawMirrored(CDC* pDC) const;
    COLORREF GetMaskColor() const { return m_clrMask; }
    COLORREF SwapMaskColor(COLORREF clrMask);
    BOOL IsUseAtlas() const { return m_bUseAtlas; }
    void SetUseAtlas(BOOL bUse) { m_bUseAtlas = bUse; }
    int GetDrawMirroring() const { return m_nDrawMirroring; }
    void SetDrawMirroring(int nMode) { m_nDrawMirroring = nMode; }
    UINT GetHighestId() const { return m_nHighestId; }
    INT_PTR GetIconSetCount() const { return static_cast<INT_PTR>(m_iconSets.size()); }

    // Storing.
    BOOL StoreIconImage(const CLVKIconImage& image, UINT nID, int cx, int cy, int nState);
    BOOL SetIconFromResource(LPCWSTR lpszName, UINT nID, int cx, int cy, int nState);
    BOOL SetIconFromIconGroup(HMODULE hModule, LPCWSTR lpszName, UINT nID, int cx, int cy, int nState);
    BOOL SetIconsFromIcoFile(LPCWSTR lpszPath, UINT nID, int cx, int cy, int nState);
    BOOL SetIconsFromBitmap(HBITMAP hBitmap, const UINT* pIDs, int nCount, int cx, int cy, int nState, BOOL bAlpha);
    BOOL SetIconsFromBitmapResource(LPCWSTR lpszName, const UINT* pIDs, int nCount, int cx, int cy, int nState);
    BOOL SetIconsFromImageList(HIMAGELIST hList, const UINT* pIDs, int nCount, int cx, int cy, int nState);
    BOOL LoadToolBarIcons(UINT nToolBarID, UINT nBitmapID, int nState);
    BOOL LoadToolBarIcons(UINT nToolBarID, int nState) { return LoadToolBarIcons(nToolBarID, nToolBarID, nState); }

    void RemoveAll();
    void ClearGeneratedImages();

    // Persistence.
    void ExchangeIcons(CLVKPropExchange* pPX);
    void ExchangeIconSet(UINT nID, CLVKPropExchange* pPX);
    void Serialize(CArchive& ar) override;

    // Blending (premultiplied 32-bit pictures).
    BOOL AlphaBlendImage(CDC* pDestDC, const RECT& rcDest, CDC* pSrcDC, const RECT& rcSrc);
    BOOL BlendConstantAlpha(CDC* pDestDC, const RECT& rcDest, CDC* pSrcDC, const RECT& rcSrc, BYTE nOpacity);
    BOOL SoftwareAlphaBlend(CDC* pDestDC, int x, int y, int cx, int cy, CDC* pSrcDC, int xSrc, int ySrc, int cxSrc,
                            int cySrc);
    // Recolours the area through a 32-bit copy; level 0-255 lightens.
    BOOL GrayOutRect(CDC* pDC, const RECT& rc, int nLevel);
    BOOL DuotoneRect(CDC* pDC, const RECT& rc, COLORREF clrLight, COLORREF clrDark);
    // On a 32-bit bitmap's stored values; alpha is left as it is.
    static BOOL AFX_CDECL GrayOutBits(HBITMAP hBitmap, COLORREF clrLight, COLORREF clrDark, int nLevel);
    BOOL TransparentBlt(CDC* pDestDC, const RECT& rcDest, CDC* pSrcDC, const RECT& rcSrc, COLORREF clrTransparent);

private:
    BOOL m_bUseAtlas = TRUE;
    COLORREF m_clrMask = static_cast<COLORREF>(-1);
    std::map<UINT, CLVKImageManagerIconSet*> m_iconSets;
    std::map<UINT, CLVKImageManagerResource*> m_atlases;
    UINT m_nHighestId = 68266;
    int m_nDrawMirroring = 2;
};

// The manager behind a COM object; null for null; E_INVALIDARG (as an OLE
// exception) for an object that is not an image manager.
CLVKImageManager* AFX_CDECL LVKImageManagerFromUnknown(LPUNKNOWN pUnknown);

// A tool-bar resource's command ids without its separators; false for id 0
// or a missing or damaged resource.
BOOL AFX_CDECL LoadToolBarResource(HMODULE hModule, UINT nID, std::vector<UINT>& ids);

// Output B, G, R = S + D x (255 - S.A) / 255 per pixel (S from the source,
// D from the destination, each read mirrored when asked); the output's alpha
// is not written. All three must be 32-bit DIB sections of one size.
BOOL AFX_CDECL BlendPremultipliedPixels(HBITMAP hSource, BOOL bSourceMirrored, HBITMAP hDest, BOOL bDestMirrored,
                                        HBITMAP hOutput);

// A 32-bit bitmap drawn with the global manager's blend; a source size of
// 0 x 0 means the destination's.
BOOL AFX_CDECL DrawAlphaBitmapSection(CDC* pDC, HBITMAP hBitmap, int x, int y, int cx, int cy, int xSrc, int ySrc,
                                      int cxSrc, int cySrc);

// An icon drawn through a 32-bit buffer, so that its real alpha reaches the
// DC; a negative width draws it mirrored.
BOOL AFX_CDECL DrawIconWithAlpha(CDC* pDC, int x, int y, int cx, int cy, HICON hIcon);

BOOL AFX_CDECL TransparentBltFallback(CDC* pDestDC, int x, int y, int cx, int cy, CDC* pSrcDC, int xSrc, int ySrc,
                                      int cxSrc, int cySrc, COLORREF clrTransparent);
