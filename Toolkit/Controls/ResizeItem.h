// CLVKResizeItem: one control registered with the resize layout, with its
// anchors and its rectangle in floating point.
#pragma once

#include "Controls/ResizeFloatRect.h"

#include <memory>

class CLVKResizeItem
{
public:
    // pOwnedWnd: the wrapper the layout made for the handle (detached and
    // deleted with the item); pWnd: the control's window object.
    CLVKResizeItem(CWnd* pWnd, std::unique_ptr<CWnd> pOwnedWnd, const CLVKResizeFloatRect& anchors,
                   BOOL bNoTransparentGroupBoxes);
    virtual ~CLVKResizeItem();

    // Group boxes let the controls inside them show through; they are
    // repainted after every layout pass.
    virtual void MakeTransparent();

    BOOL m_bRepaint = FALSE;
    BOOL m_bPlaced = FALSE;
    CWnd* m_pWnd = nullptr;
    CLVKResizeFloatRect m_anchors;
    CLVKResizeFloatRect m_rect;

    CLVKResizeItem(const CLVKResizeItem&) = delete;
    CLVKResizeItem& operator=(const CLVKResizeItem&) = delete;

private:
    std::unique_ptr<CWnd> m_pOwnedWnd;
    BOOL m_bNoTransparentGroupBoxes;
};
