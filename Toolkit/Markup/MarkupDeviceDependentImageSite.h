// What a device image needs of the element that shows it: the element's
// markup context (DPI, image manager, mask colour) and a way to ask for a
// repaint (the next frame of an animation).
#pragma once

#include "Framework.h"

class CLVKMarkupContext;

class ILVKMarkupDeviceDependentImageSite
{
public:
    virtual CLVKMarkupContext* GetMarkupContext() = 0;
    virtual void OnImageChanged() = 0;

protected:
    ~ILVKMarkupDeviceDependentImageSite() = default;
};

class CLVKImageManager;

// The transparent colour of the pictures a site loads: the context's own,
// else its image manager's, else green.
COLORREF AFX_CDECL MarkupGetSiteMaskColor(ILVKMarkupDeviceDependentImageSite* pSite);
// The image manager numbered sources name: the context's, else the global one.
CLVKImageManager* AFX_CDECL MarkupGetSiteImageManager(ILVKMarkupDeviceDependentImageSite* pSite);
