#include "Markup/MarkupWindowContainer.h"

#include "Markup/MarkupAutomation.h"
#include "Markup/MarkupContext.h"

LVK_IMPLEMENT_MARKUP_TYPE(
    CLVKMarkupWindowContainer, L"WindowContainer", CLVKMarkupFrameworkElement::GetMarkupType(),
    []() -> CLVKMarkupObject* { return new CLVKMarkupWindowContainer(); }, nullptr)

BOOL CLVKMarkupWindowContainer::SetChild(HWND hWnd)
{
    if (hWnd)
    {
        CLVKMarkupContext* const pContext = GetMarkupContext();
        const HWND hHost = pContext ? pContext->GetHostWindow() : nullptr;
        if (!hHost || !IsWindow(hWnd) || !IsChild(hHost, hWnd))
        {
            return FALSE;
        }
    }
    m_hWndChild = hWnd;
    m_szChild = SIZE{0, 0};
    if (m_hWndChild)
    {
        RECT rc = {};
        GetWindowRect(m_hWndChild, &rc);
        m_szChild = SIZE{rc.right - rc.left, rc.bottom - rc.top};
    }
    InvalidateMeasure();
    InvalidateVisual();
    return TRUE;
}

SIZE CLVKMarkupWindowContainer::MeasureOverride(CLVKMarkupDrawingContext* /*pDC*/, int /*nWidth*/, int /*nHeight*/)
{
    return m_szChild;
}

void CLVKMarkupWindowContainer::OnRender(CLVKMarkupDrawingContext* /*pDC*/)
{
    CLVKMarkupContext* const pContext = GetMarkupContext();
    if (!m_hWndChild || !pContext || !IsWindow(m_hWndChild))
    {
        return;
    }
    const RECT rc = pContext->GetElementRect(this);
    SetWindowPos(m_hWndChild, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
}

void CLVKMarkupWindowContainer::HideHostedWindows(CLVKMarkupDrawingContext* /*pDC*/)
{
    if (m_hWndChild && IsWindow(m_hWndChild))
    {
        SetWindowPos(m_hWndChild, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW | SWP_NOOWNERZORDER);
    }
}

BEGIN_DISPATCH_MAP(CLVKMarkupWindowContainer, CLVKMarkupFrameworkElement)
    DISP_PROPERTY_EX_ID(CLVKMarkupWindowContainer, "Child", 500, OleGetChild, OleSetChild, VT_I4)
END_DISPATCH_MAP()

long CLVKMarkupWindowContainer::OleGetChild()
{
    return static_cast<long>(reinterpret_cast<LONG_PTR>(m_hWndChild));
}

void CLVKMarkupWindowContainer::OleSetChild(long nWindow)
{
    // A script names windows by number: only one inside the host is taken.
    if (!SetChild(reinterpret_cast<HWND>(static_cast<LONG_PTR>(nWindow))))
    {
        AfxThrowOleException(E_INVALIDARG);
    }
}
