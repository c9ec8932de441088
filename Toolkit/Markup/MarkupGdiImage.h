// The GDI device's picture: every source becomes an image-manager icon (a
// file or resource is loaded into a private image manager; a number names
// an icon of the global image manager).
#pragma once

#include "Markup/MarkupDeviceDependentImage.h"

#include <memory>

class CLVKImageManager;
class CLVKImageManagerIcon;

class CLVKMarkupGdiImage : public CLVKMarkupDeviceDependentImage
{
public:
    explicit CLVKMarkupGdiImage(ILVKMarkupDeviceDependentImageSite* pSite);
    ~CLVKMarkupGdiImage() override;

    BOOL Load(LPCWSTR lpszSource, int nPreferredWidth) override;
    void Draw(HDC hDC, const RECT& rc) override;
    CLVKImageManagerIcon* GetIcon() const override { return m_pIcon; }

private:
    void Reset();
    // The icon of id 0 of the private manager nearest the preferred width.
    CLVKImageManagerIcon* FindPrivateIcon(int nPreferredWidth) const;

    std::unique_ptr<CLVKImageManager> m_pPrivateManager;
    CLVKImageManagerIcon* m_pIcon = nullptr;
};
