// The pictures of one command at one width: the normal image, the supplied
// hot, checked, pressed and disabled images, and three it makes itself from
// the normal one (faded, shadow, greyed disabled).
#pragma once

#include "CmdTarget.h"
#include "IconImage.h"

class CLVKImageManagerIconSet;

class CLVKImageManagerIcon : public CLVKCmdTarget
{
    DECLARE_DYNCREATE(CLVKImageManagerIcon)

public:
    enum Slot
    {
        slotNormal = 0,
        slotFaded = 1,
        slotShadow = 2,
        slotHot = 3,
        slotChecked = 4,
        slotPressed = 5,
        slotDisabled = 6,
        slotDisabledGenerated = 7,
        slotCount = 8
    };
    // The archive format written: 42 (with checked and pressed images, and
    // colour-only pictures stored premultiplied).
    static const int kArchiveVersion = 42;

    CLVKImageManagerIcon();
    CLVKImageManagerIcon(UINT nID, int cx, int cy, CLVKImageManagerIconSet* pIconSet);
    ~CLVKImageManagerIcon() override;

    CLVKIconImage& GetNormalImage() { return m_images[slotNormal]; }
    CLVKIconImage& GetHotImage();
    CLVKIconImage& GetCheckedImage();
    CLVKIconImage& GetPressedImage();
    CLVKIconImage& GetDisabledImage(BOOL bCreate = TRUE);
    CLVKIconImage& GetFadedImage();
    CLVKIconImage& GetShadowImage();
    // 1 disabled, 2 hot, 3 checked, 4 pressed, anything else normal.
    CLVKIconImage& GetStateImage(int nState);
    CLVKIconImage& GetSlot(int nSlot) { return m_images[nSlot]; }

    BOOL HasDisabledImage() const;
    BOOL HasAlphaNormalImage() const { return m_images[slotNormal].IsAlphaBitmap(); }
    CSize GetImageSize() const { return m_images[slotNormal].GetImageSize(); }
    CSize GetExtent() const { return CSize(m_nWidth, m_nHeight); }
    UINT GetID() const { return m_nID; }

    BOOL SetNormalImage(const CLVKIconImage& image);
    BOOL SetHotImage(const CLVKIconImage& image);
    BOOL SetCheckedImage(const CLVKIconImage& image);
    BOOL SetPressedImage(const CLVKIconImage& image);
    BOOL SetDisabledImage(const CLVKIconImage& image);
    void ClearImages(BOOL bWithNormal);
    void ClearGeneratedImages();

    void MakeDisabledImage(COLORREF clrLight, COLORREF clrDark);
    void MakeFadedImage();
    void MakeShadowImage();

    void DrawImage(CDC* pDC, int x, int y, CLVKIconImage& image, int cx = 0, int cy = 0,
                   COLORREF clrBack = static_cast<COLORREF>(-1), COLORREF clrFore = static_cast<COLORREF>(-1),
                   UINT nStyle = 0);
    void Draw(CDC* pDC, int x, int y);
    void DrawScaled(CDC* pDC, int x, int y, int cx, int cy);
    void DrawSilhouette(CDC* pDC, int x, int y, CLVKIconImage& image, int cx, int cy, COLORREF clr);

    void Serialize(CArchive& ar) override;
    // count, header block, count, pixel block; a single 0 count for none.
    static void AFX_CDECL WriteDib(CArchive& ar, HBITMAP hBitmap);
    // A bitmap from a DIB record, or null; *ppBits receives its pixel memory.
    static HBITMAP AFX_CDECL ReadDib(CArchive& ar, BYTE** ppBits = nullptr);

    BOOL m_bDrawThroughAlphaBuffer = FALSE;

private:
    void SerializeImage(CArchive& ar, int nSlot, int nVersion);
    CLVKImageManager* GetManager() const;

    UINT m_nID = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
    CLVKIconImage m_images[slotCount];
    CLVKImageManagerIconSet* m_pIconSet = nullptr;
};
