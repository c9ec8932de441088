// COleControlContainer: the OLE controls hosted in one window (CWnd::
// m_pCtrlCont). It keeps their sites and is the in-place frame and the
// container object the controls ask their sites for. The window lets go of
// it when it is destroyed: every control is closed first, and the object
// itself goes with the last COM reference.
#pragma once

#include "CmdTarget.h"

#include <vector>

class COleControlSite;
class CWnd;

class COleControlContainer : public CCmdTarget
{
public:
    explicit COleControlContainer(CWnd* pWnd);
    ~COleControlContainer() override;

    // Creates the control in a new site of this container (see
    // COleControlSite::CreateControl); on failure no site is kept.
    BOOL CreateControl(CWnd* pWndCtrl, REFCLSID clsid, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       UINT nID);
    // The site of the control with the child id nID, or null.
    COleControlSite* FindItem(UINT nID) const;
    // Called by a site whose control was destroyed: the site leaves the list.
    void OnSiteDestroyed(COleControlSite* pSite);
    // Closes every control, forgets the window and drops the window's
    // reference to the container.
    void DestroyAllControls();

    CWnd* m_pWnd;  // null once the window let go
    std::vector<COleControlSite*> m_sites;  // one reference each

protected:
    DECLARE_INTERFACE_MAP()

    BEGIN_INTERFACE_PART(OleIPFrame, IOleInPlaceFrame)
        STDMETHOD(GetWindow)(HWND* phwnd) override;
        STDMETHOD(ContextSensitiveHelp)(BOOL fEnterMode) override;
        STDMETHOD(GetBorder)(LPRECT lprectBorder) override;
        STDMETHOD(RequestBorderSpace)(LPCBORDERWIDTHS pborderwidths) override;
        STDMETHOD(SetBorderSpace)(LPCBORDERWIDTHS pborderwidths) override;
        STDMETHOD(SetActiveObject)(IOleInPlaceActiveObject* pActiveObject, LPCOLESTR pszObjName) override;
        STDMETHOD(InsertMenus)(HMENU hmenuShared, LPOLEMENUGROUPWIDTHS lpMenuWidths) override;
        STDMETHOD(SetMenu)(HMENU hmenuShared, HOLEMENU holemenu, HWND hwndActiveObject) override;
        STDMETHOD(RemoveMenus)(HMENU hmenuShared) override;
        STDMETHOD(SetStatusText)(LPCOLESTR pszStatusText) override;
        STDMETHOD(EnableModeless)(BOOL fEnable) override;
        STDMETHOD(TranslateAccelerator)(LPMSG lpmsg, WORD wID) override;
    END_INTERFACE_PART(OleIPFrame)

    BEGIN_INTERFACE_PART(OleContainer, IOleContainer)
        STDMETHOD(ParseDisplayName)(IBindCtx* pbc, LPOLESTR pszDisplayName, ULONG* pchEaten, IMoniker** ppmkOut)
            override;
        STDMETHOD(EnumObjects)(DWORD grfFlags, IEnumUnknown** ppenum) override;
        STDMETHOD(LockContainer)(BOOL fLock) override;
    END_INTERFACE_PART(OleContainer)

    friend class COleControlSite;
};
