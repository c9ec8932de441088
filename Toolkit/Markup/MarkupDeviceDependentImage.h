// A picture as one drawing device holds it, loaded from a source text:
// "file://" paths, "res://" resources, or the command id of an image-manager
// icon. The element that asked for it owns it.
#pragma once

#include "Markup/MarkupDeviceDependentImageSite.h"

class CLVKImageManagerIcon;

class CLVKMarkupDeviceDependentImage
{
public:
    explicit CLVKMarkupDeviceDependentImage(ILVKMarkupDeviceDependentImageSite* pSite) : m_pSite(pSite) {}
    virtual ~CLVKMarkupDeviceDependentImage() = default;
    CLVKMarkupDeviceDependentImage(const CLVKMarkupDeviceDependentImage&) = delete;
    CLVKMarkupDeviceDependentImage& operator=(const CLVKMarkupDeviceDependentImage&) = delete;

    // Replaces what was loaded; the preferred width picks among icon sizes.
    virtual BOOL Load(LPCWSTR lpszSource, int nPreferredWidth) = 0;
    // Draws the picture scaled into the rectangle of a GDI device context.
    virtual void Draw(HDC hDC, const RECT& rc) = 0;
    // The image-manager icon the picture is, or null.
    virtual CLVKImageManagerIcon* GetIcon() const { return nullptr; }

    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    BOOL IsIcon() const { return m_bIcon; }
    ILVKMarkupDeviceDependentImageSite* GetSite() const { return m_pSite; }

protected:
    ILVKMarkupDeviceDependentImageSite* m_pSite;
    int m_nWidth = 0;
    int m_nHeight = 0;
    BOOL m_bIcon = FALSE;
};
