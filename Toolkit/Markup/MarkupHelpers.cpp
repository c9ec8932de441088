#include "Markup/MarkupHelpers.h"

#include "Markup/MarkupContext.h"
#include "Markup/MarkupDrawingContext.h"
#include "Markup/MarkupUIElement.h"

#include <cwctype>

CLVKMarkupContext* AFX_CDECL MarkupCreateContext(HWND hWnd, BOOL bDpiAware)
{
    auto* const pContext = new CLVKMarkupContext();
    pContext->SetHostWindow(hWnd);
    if (bDpiAware)
    {
        pContext->SetDpiAware(TRUE, hWnd);
    }
    return pContext;
}

CLVKMarkupUIElement* AFX_CDECL MarkupParseText(CLVKMarkupContext* pContext, LPCWSTR lpszText)
{
    if (!pContext || !lpszText)
    {
        return nullptr;
    }
    return pContext->Parse(lpszText);
}

SIZE AFX_CDECL MarkupMeasureElement(CLVKMarkupUIElement* pElement, int nWidth, int nHeight)
{
    if (!pElement)
    {
        return SIZE{0, 0};
    }
    CLVKMarkupDrawingContext dc(pElement->GetMarkupContext());
    pElement->Measure(&dc, nWidth, nHeight);
    return pElement->GetDesiredSize();
}

void AFX_CDECL MarkupRenderElement(CLVKMarkupUIElement* pElement, HDC hDC, LPCRECT lpRect)
{
    if (!pElement || !hDC || !lpRect)
    {
        return;
    }
    CLVKMarkupDrawingContext dc(pElement->GetMarkupContext(), hDC);
    pElement->Measure(&dc, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top);
    pElement->Arrange(*lpRect);
    pElement->Render(&dc);
}

void AFX_CDECL MarkupDrawText(CLVKMarkupContext* pContext, HDC hDC, LPCWSTR lpszText, LPRECT lpRect, UINT nFormat)
{
    if (!hDC || !lpszText || !lpRect)
    {
        return;
    }
    CLVKMarkupUIElement* pElement = pContext ? MarkupParseText(pContext, lpszText) : nullptr;
    if (!pElement)
    {
        DrawTextW(hDC, lpszText, static_cast<int>(wcslen(lpszText)), lpRect, nFormat);
        return;
    }
    MarkupSetDefaultFont(pContext, static_cast<HFONT>(GetCurrentObject(hDC, OBJ_FONT)), GetTextColor(hDC));
    const SIZE size = MarkupMeasureElement(pElement, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top);
    // DT_CALCRECT asks for the size only: nothing is drawn.
    if (nFormat & DT_CALCRECT)
    {
        lpRect->right = lpRect->left + size.cx;
        lpRect->bottom = lpRect->top + size.cy;
        MarkupReleaseElement(pElement);
        return;
    }
    int nLeft = lpRect->left;
    if (nFormat & DT_CENTER)
    {
        nLeft = (lpRect->left + lpRect->right - size.cx) / 2;
    }
    else if (nFormat & DT_RIGHT)
    {
        nLeft = lpRect->right - size.cx;
    }
    int nTop = lpRect->top;
    if (nFormat & DT_VCENTER)
    {
        nTop = (lpRect->top + lpRect->bottom - size.cy) / 2;
    }
    else if (nFormat & DT_BOTTOM)
    {
        nTop = lpRect->bottom - size.cy;
    }
    const RECT rc = {nLeft, nTop, nLeft + size.cx, nTop + size.cy};
    MarkupRenderElement(pElement, hDC, &rc);
    MarkupReleaseElement(pElement);
}

void AFX_CDECL MarkupSetDefaultFont(CLVKMarkupContext* pContext, HFONT hFont, COLORREF clrText)
{
    if (!pContext)
    {
        return;
    }
    if (hFont)
    {
        LOGFONTW lf = {};
        if (GetObjectW(hFont, sizeof(lf), &lf))
        {
            pContext->SetDefaultFont(lf);
        }
    }
    if (clrText != 0xFFFFFFFF)
    {
        pContext->SetDefaultTextColor(clrText);
    }
}

BOOL AFX_CDECL MarkupRelayElementMessage(CLVKMarkupUIElement* pElement, UINT message, WPARAM wParam, LPARAM lParam,
                                         LRESULT* pResult)
{
    if (!pElement || !pElement->GetMarkupContext())
    {
        return FALSE;
    }
    return pElement->GetMarkupContext()->OnWndMsg(pElement, message, wParam, lParam, pResult);
}

BOOL AFX_CDECL MarkupRelayContextMessage(CLVKMarkupContext* pContext, UINT message, WPARAM wParam, LPARAM lParam,
                                         LRESULT* pResult)
{
    if (pContext)
    {
        pContext->OnWndMsg(nullptr, message, wParam, lParam, pResult);
    }
    return FALSE;
}

void AFX_CDECL MarkupReleaseElement(CLVKMarkupUIElement*& pElement)
{
    if (pElement)
    {
        pElement->Release();
        pElement = nullptr;
    }
}

void AFX_CDECL MarkupReleaseContext(CLVKMarkupContext*& pContext)
{
    if (pContext)
    {
        pContext->Release();
        pContext = nullptr;
    }
}

CLVKMarkupContext* AFX_CDECL MarkupGetElementContext(CLVKMarkupUIElement* pElement)
{
    return pElement ? pElement->GetMarkupContext() : nullptr;
}
