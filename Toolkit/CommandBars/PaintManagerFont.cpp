#include "CommandBars/PaintManagerFont.h"

void CLVKPaintManagerFont::Replace(const LOGFONTW* pLogFont)
{
    DeleteObject();
    CreateFontIndirect(pLogFont);
}

void CLVKPaintManagerFont::SetStandardFont(const LOGFONTW* pLogFont)
{
    if (!pLogFont)
        return;
    if (!m_bStandardFont && GetSafeHandle())
        return;
    Replace(pLogFont);
}

void CLVKPaintManagerFont::SetCustomFont(const LOGFONTW* pLogFont)
{
    m_bStandardFont = pLogFont == nullptr;
    if (pLogFont)
        Replace(pLogFont);
}
