// What the HTML tip measures its content with: a document whose body takes
// the tool's HTML and is laid out in a view of a given place and size. The
// tip's own is the hosted web browser's document (CLVKWebBrowserTipDocument).
#pragma once

#include "Framework.h"

class CLVKHTMLTipDocument
{
public:
    virtual ~CLVKHTMLTipDocument() = default;

    // Puts the text into the document's body (innerHTML); FALSE when the
    // document has no body to take it.
    virtual BOOL SetBodyHTML(LPCWSTR lpszHTML) = 0;
    // Places and sizes the view that shows the document (client coordinates
    // of the tip window); the content is laid out for the new width.
    virtual void SetViewRect(const RECT& rc) = 0;
    // The body's scroll width and height in the view's current size.
    virtual SIZE GetBodyScrollSize() = 0;
};
