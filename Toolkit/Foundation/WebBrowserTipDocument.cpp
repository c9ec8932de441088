#include "WebBrowserTipDocument.h"

CLVKWebBrowserTipDocument::CLVKWebBrowserTipDocument(CWnd* pBrowserWnd, IWebBrowser2* pBrowser)
    : m_pBrowserWnd(pBrowserWnd), m_pBrowser(pBrowser)
{
}

IHTMLElement* CLVKWebBrowserTipDocument::GetBody() const
{
    if (!m_pBrowser)
        return nullptr;
    IDispatch* pDispatch = nullptr;
    if (FAILED(m_pBrowser->get_Document(&pDispatch)) || !pDispatch)
        return nullptr;
    IHTMLDocument2* pDocument = nullptr;
    const HRESULT hr = pDispatch->QueryInterface(IID_IHTMLDocument2, reinterpret_cast<void**>(&pDocument));
    pDispatch->Release();
    if (FAILED(hr) || !pDocument)
        return nullptr;
    IHTMLElement* pBody = nullptr;
    if (FAILED(pDocument->get_body(&pBody)))
        pBody = nullptr;
    pDocument->Release();
    return pBody;
}

BOOL CLVKWebBrowserTipDocument::SetBodyHTML(LPCWSTR lpszHTML)
{
    IHTMLElement* const pBody = GetBody();
    if (!pBody)
        return FALSE;
    const BSTR bstrHTML = ::SysAllocString(lpszHTML ? lpszHTML : L"");
    const HRESULT hr = pBody->put_innerHTML(bstrHTML);
    ::SysFreeString(bstrHTML);
    pBody->Release();
    return SUCCEEDED(hr);
}

void CLVKWebBrowserTipDocument::SetViewRect(const RECT& rc)
{
    // Through the control site: the browser lays its document out anew.
    if (m_pBrowserWnd && m_pBrowserWnd->GetSafeHwnd())
        m_pBrowserWnd->MoveWindow(&rc, FALSE);
}

SIZE CLVKWebBrowserTipDocument::GetBodyScrollSize()
{
    SIZE size{0, 0};
    IHTMLElement* const pBody = GetBody();
    if (!pBody)
        return size;
    IHTMLElement2* pBody2 = nullptr;
    if (SUCCEEDED(pBody->QueryInterface(IID_IHTMLElement2, reinterpret_cast<void**>(&pBody2))) && pBody2)
    {
        long nWidth = 0;
        long nHeight = 0;
        if (SUCCEEDED(pBody2->get_scrollWidth(&nWidth)))
            size.cx = nWidth;
        if (SUCCEEDED(pBody2->get_scrollHeight(&nHeight)))
            size.cy = nHeight;
        pBody2->Release();
    }
    pBody->Release();
    return size;
}
