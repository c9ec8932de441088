// An owner-drawn button of the emulated task dialog (a command link or the
// expando button): the platform's button logic (clicks, keys, focus, the
// dialog manager) with the drawing of a painter, plus the hot state while
// the pointer is over it, a checked state and an optional image.
#pragma once

#include "Framework.h"
#include "TaskButtonPainter.h"

#include <memory>

class CLVKTaskDialogButton : public CWnd
{
public:
    BOOL Create(LPCWSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    void SetPainter(std::unique_ptr<CLVKTaskButtonPainter> pPainter);
    CLVKTaskButtonPainter* GetPainter() const { return m_pPainter.get(); }

    // The images drawn at the left (not owned): normal and hot.
    void SetImage(HBITMAP hNormal, HBITMAP hHot, SIZE size);
    HBITMAP GetImage(bool bHot) const { return bHot && m_hHotImage ? m_hHotImage : m_hImage; }
    SIZE GetImageSize() const { return m_hImage ? m_imageSize : SIZE{}; }

    BOOL IsHighlighted() const { return m_bHot; }
    BOOL IsChecked() const { return m_bChecked; }
    void SetChecked(BOOL bChecked);
    // The dialog's default button (DM_GETDEFID names it).
    BOOL IsDefault() const;
    CString GetCaption() const;

    // Drawing request of the dialog's WM_DRAWITEM.
    void DrawItem(const DRAWITEMSTRUCT& dis);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::unique_ptr<CLVKTaskButtonPainter> m_pPainter;
    HBITMAP m_hImage = nullptr;
    HBITMAP m_hHotImage = nullptr;
    SIZE m_imageSize{};
    BOOL m_bHot = FALSE;
    BOOL m_bChecked = FALSE;
};
