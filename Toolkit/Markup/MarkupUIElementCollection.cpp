#include "Markup/MarkupUIElementCollection.h"

#include "Markup/MarkupAutomation.h"

BEGIN_DISPATCH_MAP(CLVKMarkupUIElementCollection, CLVKMarkupCollection)
    DISP_MARKUP_COLLECTION(CLVKMarkupUIElementCollection)
END_DISPATCH_MAP()
