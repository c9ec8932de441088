// The types of the inline text elements, for the registration of all
// markup types.
#pragma once

#include "Markup/MarkupBold.h"
#include "Markup/MarkupHyperlink.h"
#include "Markup/MarkupInlineCollection.h"
#include "Markup/MarkupInlineUIContainer.h"
#include "Markup/MarkupItalic.h"
#include "Markup/MarkupLineBreak.h"
#include "Markup/MarkupUnderline.h"

#define MARKUP_TEXT_TYPES                                                                                              \
    CLVKMarkupTextElement::GetMarkupType(), CLVKMarkupInline::GetMarkupType(),                                         \
        CLVKMarkupInlineCollection::GetMarkupType(), CLVKMarkupSpan::GetMarkupType(), CLVKMarkupBold::GetMarkupType(), \
        CLVKMarkupItalic::GetMarkupType(), CLVKMarkupUnderline::GetMarkupType(), CLVKMarkupRun::GetMarkupType(),       \
        CLVKMarkupLineBreak::GetMarkupType(), CLVKMarkupInlineUIContainer::GetMarkupType(),                            \
        CLVKMarkupHyperlink::GetMarkupType(),
