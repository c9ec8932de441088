// An inline that groups other inlines; what it sets (a font, a colour, a
// decoration) they inherit.
#pragma once

#include "Markup/MarkupInline.h"

class CLVKMarkupSpan : public CLVKMarkupInline
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupSpan();

    CLVKMarkupInlineCollection* GetInlines() const { return m_pInlines; }

    CLVKMarkupInline* GetFirstInline() override;
    int GetLogicalChildrenCount() const override { return m_pInlines ? 1 : 0; }
    CLVKMarkupObject* GetLogicalChild(int nIndex) const override;
    void SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent) override;
    BOOL HasContentObject() const override;
    BOOL AllowWhiteSpaceContent() const override { return TRUE; }

protected:
    ~CLVKMarkupSpan() override;

private:
    CLVKMarkupInlineCollection* m_pInlines;

public:
    // Script members.
    IDispatch* OleGetInlines();

    DECLARE_DISPATCH_MAP()
};
