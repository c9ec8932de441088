// A brush holder: created through its create operations it shares one brush
// of the process-wide brush cache with every holder made from an equal
// description; a brush attached to GetOwnBrush is owned by the holder alone.
#pragma once

#include "GdiObject.h"

class CLVKBrush : public CLVKGdiObject
{
public:
    CLVKBrush() : CLVKGdiObject(&m_brush) {}
    ~CLVKBrush() override = default;

    BOOL CreateIndirect(const LOGBRUSH* pLogBrush);
    BOOL CreateSolid(COLORREF clrColor);
    BOOL CreatePattern(CBitmap* pBitmap);

    int GetLogBrush(LOGBRUSH* pLogBrush);

    CBrush* GetBrush() const { return static_cast<CBrush*>(GetGdiObject()); }
    HBRUSH GetHandle() const { return static_cast<HBRUSH>(GetGdiObject()->GetSafeHandle()); }
    operator HBRUSH() const { return GetHandle(); }
    operator CBrush*() const { return GetBrush(); }
    CBrush& GetOwnBrush() { return m_brush; }

private:
    CBrush m_brush;
    HGDIOBJ m_hDescribedHandle = nullptr;
    LOGBRUSH m_logBrush{};
};
