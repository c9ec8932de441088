// The types of the text, page, window and image elements, for the
// registration of all markup types.
#pragma once

#include "Markup/MarkupBold.h"
#include "Markup/MarkupHyperlink.h"
#include "Markup/MarkupImage.h"
#include "Markup/MarkupInlineCollection.h"
#include "Markup/MarkupInlineUIContainer.h"
#include "Markup/MarkupItalic.h"
#include "Markup/MarkupLineBreak.h"
#include "Markup/MarkupPage.h"
#include "Markup/MarkupUnderline.h"
#include "Markup/MarkupWindowContainer.h"

#define MARKUP_ELEMENT_TYPES                                                                                           \
    CLVKMarkupTextElement::GetMarkupType(), CLVKMarkupInline::GetMarkupType(),                                         \
        CLVKMarkupInlineCollection::GetMarkupType(), CLVKMarkupSpan::GetMarkupType(), CLVKMarkupBold::GetMarkupType(), \
        CLVKMarkupItalic::GetMarkupType(), CLVKMarkupUnderline::GetMarkupType(), CLVKMarkupRun::GetMarkupType(),       \
        CLVKMarkupLineBreak::GetMarkupType(), CLVKMarkupInlineUIContainer::GetMarkupType(),                            \
        CLVKMarkupHyperlink::GetMarkupType(), CLVKMarkupPage::GetMarkupType(),                                         \
        CLVKMarkupWindowContainer::GetMarkupType(), CLVKMarkupImage::GetMarkupType(),
