// The soft shadow around one top-level window: a layered pop-up a little
// larger than its owner, painted with GDI+ gradients into a 32-bit bitmap. A
// shadow of a resizable owner also works as a wider sizing border.
#pragma once

#include "FrameShadowManager.h"

class CLVKFrameShadow : public CWnd, public ILVKFrameShadowManagerEvents
{
public:
    // The areas of the shadow, in its client coordinates.
    struct Geometry
    {
        int nWidth = 0, nHeight = 0;
        int nCornerX = 0, nCornerY = 0;  // X and Y: the corner extents
        RECT rcLeft{}, rcTop{}, rcRight{}, rcBottom{}, rcCentre{};
    };

    explicit CLVKFrameShadow(HWND hOwner);
    ~CLVKFrameShadow() override;

    BOOL Create(COLORREF clr, int nSize, int nInnerSize, POINT ptOffset, BYTE nTransparency);
    void ApplyManagerDefaults();

    void SetColor(COLORREF clr);
    void SetSize(int nSize);
    void SetInnerSize(int nInnerSize);
    void SetOffset(int x, int y);
    void SetTransparency(BYTE nTransparency);

    void Show();
    void Hide();
    void Update(BOOL bReposition, BOOL bRedraw);
    void Reposition() { Update(TRUE, FALSE); }
    void OnOwnerStyleChanged(DWORD dwOldStyle, DWORD dwNewStyle);
    void StartRestoreTimer();

    BOOL IsResizable() const;
    // The zone of a screen point: 0 none, 1 top, 2 top-right, 3 right, 4
    // bottom-right, 5 bottom, 6 bottom-left, 7 left, 8 top-left.
    int HitTestBorder(POINT ptScreen) const;
    // Builds the areas for a client size of cx by cy.
    static Geometry AFX_CDECL BuildGeometry(int cx, int cy, int nSize, int nInnerSize);
    // Paints the shadow into a zeroed top-down 32-bit DIB section of the
    // client size (premultiplied alpha); the caller deletes it.
    HBITMAP RenderBitmap();

    HWND GetOwner() const { return m_hOwner; }
    BOOL IsShown() const { return m_bShown; }
    BOOL IsWaitingForRestore() const { return m_bWaitingForRestore; }
    BOOL IsBeingDestroyed() const { return m_bHeldForDestroy; }
    int GetShadowSize() const { return m_nSize; }
    int GetShadowInnerSize() const { return m_nInnerSize; }

    void OnShadowOptionsChanged(CLVKFrameShadowManager* pManager, DWORD dwOldMask, DWORD dwNewMask) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

private:
    void Paint();
    RECT GetOwnerFrameRect() const;
    void OnLButtonDown();
    void ResizeStep(int nZone, POINT pt);

    HWND m_hOwner;
    BOOL m_bCreated = FALSE;
    BOOL m_bShown = FALSE;
    int m_nSize = 0;
    int m_nInnerSize = 0;
    POINT m_ptOffset{0, 0};
    COLORREF m_clr = RGB(0, 0, 0);
    BYTE m_nTransparency = 0;
    BOOL m_bWaitingForRestore = FALSE;
    int m_nResizable = -1;
    BOOL m_bUpdating = FALSE;
    BOOL m_bHeldForDestroy = FALSE;
    Geometry m_geometry;
    BOOL m_bGeometryBuilt = FALSE;
    // Resizing through the shadow.
    POINT m_ptMinTrack{0, 0};
    POINT m_ptGrabOffset{0, 0};
};
