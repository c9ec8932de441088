// "lvk:Script": script code inside a markup document, inline or from a
// file ("Source"), handed to the context's script engine ("Language",
// JScript when unset).
#pragma once

#include "Markup/MarkupExtension.h"

class CLVKMarkupLvkScript : public CLVKMarkupExtension
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    void SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent) override;
    void OnBuildComplete(CLVKMarkupBuilder* pBuilder) override;
    LPCWSTR GetLanguage() const;

    static void AFX_CDECL RegisterProperties();
    static CLVKMarkupDependencyProperty* m_pLanguageProperty;
    static CLVKMarkupDependencyProperty* m_pSourceProperty;
};
