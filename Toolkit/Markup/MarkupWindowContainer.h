// Places a real child window of the host at the element's position: the
// window keeps the size it had when it was attached, follows the element
// when it is drawn and hides when the element goes out of view. The
// container never owns or destroys the window.
#pragma once

#include "Markup/MarkupFrameworkElement.h"

class CLVKMarkupWindowContainer : public CLVKMarkupFrameworkElement
{
    LVK_DECLARE_MARKUP_TYPE()
public:
    HWND GetChild() const { return m_hWndChild; }
    // Attaches a window (null detaches). Only a descendant of the context's
    // host window is taken, so markup or a script cannot grab and move any
    // window of the desktop; anything else is refused with FALSE.
    BOOL SetChild(HWND hWnd);

    SIZE MeasureOverride(CLVKMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    void OnRender(CLVKMarkupDrawingContext* pDC) override;
    void HideHostedWindows(CLVKMarkupDrawingContext* pDC) override;

private:
    HWND m_hWndChild = nullptr;
    SIZE m_szChild = {0, 0};

public:
    // Script members.
    long OleGetChild();
    void OleSetChild(long nWindow);

    DECLARE_DISPATCH_MAP()
};
