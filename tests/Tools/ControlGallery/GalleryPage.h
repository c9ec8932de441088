// One page of the control gallery: the controls it shows in the gallery's
// resizable dialog and how a control theme number reaches them.
#pragma once

#include "Framework.h"

#include "Controls/ControlTheme.h"
#include "Controls/ResizeDialog.h"

#include <memory>
#include <vector>

class GalleryPage
{
public:
    virtual ~GalleryPage() = default;

    // The window size the page is shown at when --size is not given.
    virtual CSize DefaultSize() const { return CSize(520, 400); }

    // Creates the page's controls in the dialog (already initialised) and
    // registers their anchors with the dialog's layout.
    virtual void Create(CLVKResizeDialog& dialog) = 0;

    // A page that is a window of its own (a frame) answers true and makes
    // it in CreateOwnWindow, at the size, with --theme applied (nTheme < 0:
    // none), answering null when it cannot; the page keeps the object and
    // posts WM_QUIT when the window goes. The other pages are shown in the
    // gallery's dialog.
    virtual bool MakesOwnWindow() const { return false; }
    virtual CWnd* CreateOwnWindow(LPCWSTR /*lpszTitle*/, CSize /*size*/, int /*nTheme*/) { return nullptr; }

    // --theme N: by default every descendant gets WM_APPLY_CONTROL_THEME.
    virtual void ApplyTheme(CLVKResizeDialog& dialog, int nTheme)
    {
        dialog.SendMessageToDescendants(WM_APPLY_CONTROL_THEME, static_cast<WPARAM>(nTheme));
    }

protected:
    // A plain child window in pixels, with the dialog's font.
    static HWND CreateChild(CLVKResizeDialog& dialog, LPCWSTR lpszClass, LPCWSTR lpszText, DWORD dwStyle,
                            const RECT& rc, UINT nID, DWORD dwExStyle = 0)
    {
        const HWND hWnd = ::CreateWindowExW(dwExStyle, lpszClass, lpszText, dwStyle | WS_CHILD | WS_VISIBLE, rc.left,
                                            rc.top, rc.right - rc.left, rc.bottom - rc.top, dialog.m_hWnd,
                                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)),
                                            ::GetModuleHandleW(nullptr), nullptr);
        if (hWnd)
            ::SendMessageW(hWnd, WM_SETFONT, dialog.SendMessage(WM_GETFONT), FALSE);
        return hWnd;
    }

    // Makes a framework control object and subclasses the window into it;
    // the page keeps the object alive as long as the dialog.
    template <class T>
    T* Adopt(HWND hWnd)
    {
        auto pControl = std::make_unique<T>();
        T* const pRaw = pControl.get();
        if (hWnd)
            pRaw->SubclassWindow(hWnd);
        m_controls.push_back(std::move(pControl));
        return pRaw;
    }

    // Keeps a control object alive as long as the dialog.
    template <class T>
    T* Own(std::unique_ptr<T> pControl)
    {
        T* const pRaw = pControl.get();
        m_controls.push_back(std::move(pControl));
        return pRaw;
    }

private:
    std::vector<std::unique_ptr<CWnd>> m_controls;
};
