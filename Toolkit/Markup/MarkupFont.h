// A font shared by the elements of one markup context: the context's font
// cache hands it out, one per distinct LOGFONT.
#pragma once

#include "Markup/MarkupType.h"

class CLVKMarkupFont : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    explicit CLVKMarkupFont(const LOGFONTW& lf);

    HFONT GetHandle() const { return m_hFont; }
    const LOGFONTW& GetLogFont() const { return m_logFont; }
    // Height, weight, italic, quality, escapement, orientation and face.
    BOOL Matches(const LOGFONTW& lf) const;

    CLVKMarkupFont* m_pNext = nullptr;
    // The context's font list (not owned); cleared when the context goes.
    class CLVKMarkupContext* m_pOwner = nullptr;

protected:
    ~CLVKMarkupFont() override;

private:
    LOGFONTW m_logFont;
    HFONT m_hFont;
};
