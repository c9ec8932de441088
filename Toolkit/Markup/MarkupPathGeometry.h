// The element form of a path's geometry ("PathGeometry" with its
// "Figures"): accepted so that such markup parses, but an outline comes only
// from the text form of "Data", so nothing here is drawn.
#pragma once

#include "Markup/MarkupType.h"

class CLVKMarkupPathGeometry : public CLVKMarkupObject
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    // A figures object is stored as "Figures"; other content is refused.
    void SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent) override;

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pFiguresProperty;
};
