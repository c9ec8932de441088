// The icons of one command id, one per width.
#pragma once

#include "CmdTarget.h"

#include <map>

class CLVKIconImage;
class CLVKImageManager;
class CLVKImageManagerIcon;

class CLVKImageManagerIconSet : public CLVKCmdTarget
{
public:
    CLVKImageManagerIconSet(UINT nID, CLVKImageManager* pManager);
    ~CLVKImageManagerIconSet() override;

    // The icon of that width, made (height 15 until it has a picture) when missing.
    CLVKImageManagerIcon* GetIcon(UINT nWidth);
    // Width 0: the smallest icon, 1: the largest; else that width, or with
    // bNearest the nearest width (the first met wins a tie).
    CLVKImageManagerIcon* FindIcon(int nWidth, BOOL bNearest) const;
    void SetIcon(UINT nWidth, CLVKImageManagerIcon* pIcon);

    BOOL SetNormalImage(const CLVKIconImage& image, UINT nWidth);
    BOOL SetHotImage(const CLVKIconImage& image, UINT nWidth);
    BOOL SetCheckedImage(const CLVKIconImage& image, UINT nWidth);
    BOOL SetPressedImage(const CLVKIconImage& image, UINT nWidth);
    BOOL SetDisabledImage(const CLVKIconImage& image, UINT nWidth);

    void ClearGeneratedImages();
    void RemoveAll();

    UINT GetID() const { return m_nID; }
    CLVKImageManager* GetManager() const { return m_pManager; }
    const std::map<UINT, CLVKImageManagerIcon*>& GetIcons() const { return m_icons; }

private:
    UINT m_nID;
    CLVKImageManager* m_pManager;
    std::map<UINT, CLVKImageManagerIcon*> m_icons;
};
