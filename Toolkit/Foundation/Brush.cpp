#include "Brush.h"

#include "BrushCache.h"

BOOL CLVKBrush::CreateIndirect(const LOGBRUSH* pLogBrush)
{
    if (!pLogBrush)
    {
        ReleaseObject();
        return FALSE;
    }
    SetReference(CLVKBrushCache::GetGlobal()->GetBrush(*pLogBrush));
    return GetReference() != nullptr;
}

BOOL CLVKBrush::CreateSolid(COLORREF clrColor)
{
    const LOGBRUSH logBrush = {BS_SOLID, clrColor, 0};
    return CreateIndirect(&logBrush);
}

BOOL CLVKBrush::CreatePattern(CBitmap* pBitmap)
{
    if (!pBitmap || !pBitmap->GetSafeHandle())
        return FALSE;
    const LOGBRUSH logBrush = {BS_PATTERN, 0, reinterpret_cast<ULONG_PTR>(pBitmap->GetSafeHandle())};
    return CreateIndirect(&logBrush);
}

int CLVKBrush::GetLogBrush(LOGBRUSH* pLogBrush)
{
    const HGDIOBJ hBrush = GetHandle();
    if (hBrush && hBrush == m_hDescribedHandle)
    {
        if (!pLogBrush)
            return 0;
        *pLogBrush = m_logBrush;
        return sizeof(LOGBRUSH);
    }
    const int nResult = ::GetObjectW(hBrush, sizeof(LOGBRUSH), pLogBrush);
    if (nResult && pLogBrush)
    {
        m_hDescribedHandle = hBrush;
        m_logBrush = *pLogBrush;
    }
    return nResult;
}
