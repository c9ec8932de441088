// Soft drop shadows of pop-up menus and pop-up bars, made of small top-level
// windows beside the pop-up: a strip along its right edge, one along its bottom
// and, for a window with a complex region, one pixel at its bottom-right
// corner. Each part follows its owner through the hook manager.
#pragma once

#include "CmdTarget.h"
#include "HookManagerHookAble.h"

#include <list>
#include <memory>

class CLVKShadowManager : public CLVKCmdTarget
{
public:
    enum ShadowPart
    {
        partRight = 0,
        partBottom = 1,
        partRegionCorner = 2,
    };

    class CShadowWnd : public CWnd, public CLVKHookManagerHookAble
    {
    public:
        CShadowWnd(CLVKShadowManager* pManager, int nPart, CWnd* pOwner, int nGroup, BOOL bControlShadow);
        ~CShadowWnd() override;

        BOOL Create(const RECT& rcOwner);
        // Moves the edge that meets a part of the other orientation, so that
        // the two fade into each other.
        void FitToNeighbours();
        void ExcludeRect(const RECT& rcScreen);

        int HandleHookedMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

        int m_nPart;
        BOOL m_bRegionSet = FALSE;
        CWnd* m_pOwner;
        int m_nGroup;
        BOOL m_bControlShadow;
        CLVKShadowManager* m_pManager;

    protected:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    private:
        void OnSize(int cx, int cy);
        void OnPaint();
    };
    typedef std::list<CShadowWnd*> CShadowList;

    CLVKShadowManager();
    ~CLVKShadowManager() override;

    void CreateShadow(CWnd* pOwner, const RECT& rcExclude, int nGroup = 0);
    void CreateControlShadow(const RECT& rcControl, CWnd* pOwner);
    void RemoveOwnerShadows(CWnd* pOwner);
    void OnOwnerResized(CWnd* pOwner, int dx, int dy);
    void DestroyShadow(CShadowWnd* pShadow);

    static BOOL AFX_CDECL IsLayeredSupported();
    BOOL IsLayered() const { return m_bLayered; }
    void SetLayered(BOOL bLayered) { m_bLayered = bLayered; }
    // Bit 0: shadows even when the system's are off, and lighter; bit 1: cut
    // the opening control's rectangle out; both: the control gets its own.
    void SetFlags(DWORD dwFlags) { m_dwFlags = dwFlags; }
    DWORD GetFlags() const { return m_dwFlags; }
    void SetColor(COLORREF clr) { m_clrShadow = clr; }
    COLORREF GetColor() const { return m_clrShadow; }
    // Strip thickness: 4 layered, 2 opaque.
    int GetThickness() const { return m_bLayered ? 4 : 2; }
    const CShadowList& GetShadows() const { return m_shadows; }

    // The premultiplied 32-bit pixels of one layered part of w by h, written
    // top row first (callers of bottom-up bitmaps flip the rows). Never writes
    // outside the w by h pixels, however small the part.
    static void AFX_CDECL FillShadowBits(DWORD* pBits, int cx, int cy, int nPart, BOOL bLight, COLORREF clr);

private:
    CShadowWnd* CreateShadowPart(int nPart, const RECT& rcOwner, const RECT& rcExclude, CWnd* pOwner,
                                 BOOL bControlShadow, int nGroup);

    typedef BOOL(WINAPI* PFNUPDATELAYEREDWINDOW)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*,
                                                 DWORD);
    PFNUPDATELAYEREDWINDOW m_pfnUpdateLayeredWindow = nullptr;
    CShadowList m_shadows;
    BOOL m_bLayered = FALSE;
    DWORD m_dwFlags = 0;
    COLORREF m_clrShadow = RGB(0, 0, 0);
};

// The colour with each component multiplied by the factor, packed 0x00RRGGBB.
DWORD AFX_CDECL LVKShadowPixelColor(COLORREF clr, double dFactor);
