// Selects any GDI object the caller owns (a font, pen, brush or bitmap, or a
// stock object) into a DC for the life of the scope, and puts back what was
// there before, whatever the exit path. The object itself is not deleted: it
// belongs to whoever made it, and leaves the DC before its owner can delete it.
#pragma once

#include "Framework.h"

class CLVKGdiObjectDC
{
public:
    CLVKGdiObjectDC(HDC hDC, HGDIOBJ hObject);
    // Goes through the DC object, so that a DC with a separate attribute DC
    // selects into both.
    CLVKGdiObjectDC(CDC* pDC, HGDIOBJ hObject);
    CLVKGdiObjectDC(CDC* pDC, CGdiObject* pObject);
    virtual ~CLVKGdiObjectDC();

    // A null object selects nothing. The object from before the scope stays
    // the one restored, however often another is selected.
    void Select(HGDIOBJ hObject);
    void Restore();

    CLVKGdiObjectDC(const CLVKGdiObjectDC&) = delete;
    CLVKGdiObjectDC& operator=(const CLVKGdiObjectDC&) = delete;

private:
    HGDIOBJ SelectIntoDC(HGDIOBJ hObject);

    CDC* m_pDC = nullptr;
    HDC m_hDC = nullptr;
    HGDIOBJ m_hOld = nullptr;
};
