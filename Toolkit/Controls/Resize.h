// CLVKResize: anchor layout of a window's child controls. Every registered
// control moves each of its edges by its anchor factor times the change of
// the client area's width (left, right) or height (top, bottom). Also puts a
// size grip in the bottom-right corner, limits the window's size and saves
// the window placement when asked.
#pragma once

#include "Controls/ResizeItem.h"
#include "Controls/SizeIcon.h"

#include <memory>
#include <vector>

// The id that dialog editors give to every label.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Option bits of CLVKResize.
#define LVK_RESIZE_NOSIZEICON 0x01
#define LVK_RESIZE_NOHORIZONTAL 0x02
#define LVK_RESIZE_NOVERTICAL 0x04
#define LVK_RESIZE_NOMINSIZE 0x08
#define LVK_RESIZE_NOCLIPCHILDREN 0x10
#define LVK_RESIZE_NOTRANSPARENTGROUP 0x20

class CLVKResize
{
public:
    static const UINT kSizeIconId = 0x7FFF;

    CLVKResize(CWnd* pWnd, UINT nFlags);
    virtual ~CLVKResize();

    void AddFlags(UINT nFlags) { m_nFlags |= nFlags; }
    UINT GetFlags() const { return m_nFlags; }

    // Registers a control, or adds the anchors to the item of the same
    // control. With a handle, the item of that very window is looked for, so
    // several controls sharing an id (IDC_STATIC) stay separate; without one,
    // the first item of the id, else the child of that id. FALSE when no
    // window is found for the id.
    BOOL SetResize(int nID, HWND hWnd, const CLVKResizeFloatRect& anchors);
    BOOL SetResize(int nID, const CLVKResizeFloatPoint& topLeft, const CLVKResizeFloatPoint& bottomRight)
    {
        return SetResize(nID, NULL, LVKResizeAnchors(topLeft, bottomRight));
    }

    virtual void Init();
    virtual void Resize();
    virtual void AdjustResizeSize(CSize& size);
    virtual BOOL MoveItem(HDWP& hDwp, CLVKResizeItem* pItem, int dx, int dy);

    void OffsetItems(int dx, int dy);
    void GetMinMaxInfo(MINMAXINFO* pMMI);
    BOOL SavePlacement(LPCTSTR lpszSection);
    void RemoveAllItems();

    INT_PTR GetItemCount() const { return static_cast<INT_PTR>(m_items.size()); }
    CLVKResizeItem* GetItem(INT_PTR nIndex) const { return m_items[nIndex].get(); }
    CLVKSizeIcon& GetSizeIcon() { return m_sizeIcon; }

    // The host may read and change these directly.
    CSize m_szLast;
    CSize m_szInit;
    CSize m_szMin;
    CSize m_szMax;
    CString m_strSection;

protected:
    void SetLayoutWindow(CWnd* pWnd) { m_pWnd = pWnd; }
    void InvalidateRepaintItems();

    UINT m_nFlags;
    CWnd* m_pWnd;

private:
    CSize GetAdjustedClientSize();

    CLVKSizeIcon m_sizeIcon;
    std::vector<std::unique_ptr<CLVKResizeItem>> m_items;
};
