// The HTML tip's document in the hosted web browser control: the body of
// the browser's current HTML document, and the control's window as its view.
#pragma once

#include "HTMLTipDocument.h"

#include <exdisp.h>
#include <mshtml.h>

class CLVKWebBrowserTipDocument : public CLVKHTMLTipDocument
{
public:
    // Neither is owned; both must outlive this object.
    CLVKWebBrowserTipDocument(CWnd* pBrowserWnd, IWebBrowser2* pBrowser);

    BOOL SetBodyHTML(LPCWSTR lpszHTML) override;
    void SetViewRect(const RECT& rc) override;
    SIZE GetBodyScrollSize() override;

private:
    // The body element of the browser's document with a reference, or null.
    IHTMLElement* GetBody() const;

    CWnd* m_pBrowserWnd;
    IWebBrowser2* m_pBrowser;
};
