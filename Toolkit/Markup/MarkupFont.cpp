#include "Markup/MarkupFont.h"

#include "Markup/MarkupContext.h"

LVK_IMPLEMENT_MARKUP_TYPE(CLVKMarkupFont, L"", CLVKMarkupObject::GetMarkupType(), nullptr, nullptr)

CLVKMarkupFont::CLVKMarkupFont(const LOGFONTW& lf) : m_logFont(lf), m_hFont(CreateFontIndirectW(&lf))
{
}

CLVKMarkupFont::~CLVKMarkupFont()
{
    if (m_pOwner)
    {
        m_pOwner->OnFontDestroyed(this);
    }
    if (m_hFont)
    {
        DeleteObject(m_hFont);
    }
}

BOOL CLVKMarkupFont::Matches(const LOGFONTW& lf) const
{
    return m_hFont && m_logFont.lfHeight == lf.lfHeight && m_logFont.lfWeight == lf.lfWeight &&
           m_logFont.lfItalic == lf.lfItalic && m_logFont.lfQuality == lf.lfQuality &&
           m_logFont.lfEscapement == lf.lfEscapement && m_logFont.lfOrientation == lf.lfOrientation &&
           wcscmp(m_logFont.lfFaceName, lf.lfFaceName) == 0;
}
