// A scope object that gives GDI drawing code (theme parts, frame controls,
// focus rectangles) an HDC for one rectangle of a markup drawing device.
// Callers add GetOffset() to the coordinates they draw into the HDC, call
// Flush, then destroy the object before drawing further on the device.
#pragma once

#include "Framework.h"

class CLVKMarkupDeviceContext;

class CLVKMarkupDedicatedDC
{
public:
    // The offset moves the rectangle's coordinates to where they land in
    // the HDC the device hands out.
    CLVKMarkupDedicatedDC(CLVKMarkupDeviceContext* pDevice, const RECT& rc, POINT ptOffset);
    virtual ~CLVKMarkupDedicatedDC();
    CLVKMarkupDedicatedDC(const CLVKMarkupDedicatedDC&) = delete;
    CLVKMarkupDedicatedDC& operator=(const CLVKMarkupDedicatedDC&) = delete;

    // The device's DC, asked for once and kept until destruction.
    virtual HDC GetDC();
    // Puts what was drawn in place; nothing to do for a DC that draws
    // directly on the target.
    virtual void Flush() {}

    const RECT& GetRect() const { return m_rc; }
    POINT GetOffset() const { return m_ptOffset; }
    CLVKMarkupDeviceContext* GetDevice() const { return m_pDevice; }

protected:
    CLVKMarkupDeviceContext* m_pDevice;
    HDC m_hDC = nullptr;
    RECT m_rc;
    POINT m_ptOffset;
};
