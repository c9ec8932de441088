// The inlines of a text block or a span. Content the builder hands it is
// made into inlines: a text becomes a run, a UI element is wrapped in an
// inline UI container.
#pragma once

#include "Markup/MarkupCollection.h"

class CLVKMarkupInline;

class CLVKMarkupInlineCollection : public CLVKMarkupCollection
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    CLVKMarkupInlineCollection();

    CLVKMarkupInline* GetInline(int nIndex) const;
    int IndexOf(const CLVKMarkupObject* pObject) const;
    // The text block or span the collection belongs to.
    CLVKMarkupObject* GetOwner() const { return GetLogicalParent(); }

    void SetContentObject(CLVKMarkupBuilder* pBuilder, CLVKMarkupObject* pContent) override;
    BOOL AllowWhiteSpaceContent() const override { return TRUE; }

protected:
    void OnItemAdded(CLVKMarkupObject* pObject, int nIndex) override;
    void OnChanged() override;

    DECLARE_DISPATCH_MAP()
};
