// COleControlSite: the place of one OLE control in a window. It creates the
// control, gives it its client site and in-place site, activates it in place
// in the container's window and attaches a CWnd to the window the control
// makes. Moving that CWnd goes through the control's in-place object, so the
// control lays out its content for the new size.
#pragma once

#include "CmdTarget.h"

class COleControlContainer;
class CWnd;

class COleControlSite : public CCmdTarget
{
public:
    explicit COleControlSite(COleControlContainer* pCtrlCont);
    ~COleControlSite() override;

    // Creates the control of clsid, activates it in place at rect (client
    // coordinates of the container's window) and attaches pWndCtrl to its
    // window with the child id nID. Only WS_VISIBLE and WS_DISABLED of dwStyle
    // apply: the control chooses its own window's style. A control that makes
    // no window is refused.
    HRESULT CreateControl(CWnd* pWndCtrl, REFCLSID clsid, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          UINT nID);
    // Deactivates and closes the control, detaches its CWnd and leaves the
    // container. The container may drop its last reference to the site here.
    void DestroyControl();

    void MoveWindow(int x, int y, int nWidth, int nHeight);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);

    COleControlContainer* m_pCtrlCont;  // null once the container let go
    CWnd* m_pWndCtrl = nullptr;
    HWND m_hWnd = NULL;
    UINT m_nID = 0;
    RECT m_rect{};  // the control's place in the container's window
    LPOLEOBJECT m_pObject = nullptr;
    LPOLEINPLACEOBJECT m_pInPlaceObject = nullptr;
    DWORD m_dwMiscStatus = 0;

protected:
    DECLARE_INTERFACE_MAP()

    BEGIN_INTERFACE_PART(OleClientSite, IOleClientSite)
        STDMETHOD(SaveObject)() override;
        STDMETHOD(GetMoniker)(DWORD dwAssign, DWORD dwWhichMoniker, IMoniker** ppmk) override;
        STDMETHOD(GetContainer)(IOleContainer** ppContainer) override;
        STDMETHOD(ShowObject)() override;
        STDMETHOD(OnShowWindow)(BOOL fShow) override;
        STDMETHOD(RequestNewObjectLayout)() override;
    END_INTERFACE_PART(OleClientSite)

    BEGIN_INTERFACE_PART(OleIPSite, IOleInPlaceSite)
        STDMETHOD(GetWindow)(HWND* phwnd) override;
        STDMETHOD(ContextSensitiveHelp)(BOOL fEnterMode) override;
        STDMETHOD(CanInPlaceActivate)() override;
        STDMETHOD(OnInPlaceActivate)() override;
        STDMETHOD(OnUIActivate)() override;
        STDMETHOD(GetWindowContext)(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc, LPRECT lprcPosRect,
                                    LPRECT lprcClipRect, LPOLEINPLACEFRAMEINFO lpFrameInfo) override;
        STDMETHOD(Scroll)(SIZE scrollExtant) override;
        STDMETHOD(OnUIDeactivate)(BOOL fUndoable) override;
        STDMETHOD(OnInPlaceDeactivate)() override;
        STDMETHOD(DiscardUndoState)() override;
        STDMETHOD(DeactivateAndUndo)() override;
        STDMETHOD(OnPosRectChange)(LPCRECT lprcPosRect) override;
    END_INTERFACE_PART(OleIPSite)

private:
    void ReleaseControl();
    void SetExtentFromRect();
};
