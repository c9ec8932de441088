// The tip windows of a tooltip context. Styles 0 and 1 use the platform's
// tooltip control; the others use the toolkit's own tip window, which answers
// the same tooltip-control messages itself, keeps its tools, decides when to
// show and hide, places and paints the tip. Its subclasses change only how a
// tip is measured and painted.
#pragma once

#include "ToolTipContext.h"

#include "AfxToolTipCtrl.h"

#include <memory>

class CLVKImageManagerIcon;
#include <vector>

class CLVKToolTipContextToolTip : public CWnd
{
public:
    struct TOOLITEM
    {
        CString strText;
        BOOL bCallback = FALSE;
        UINT nFlags = 0;
        RECT rect{};
        HINSTANCE hInstance = nullptr;
        HWND hWnd = nullptr;
        UINT_PTR nId = static_cast<UINT_PTR>(-1);
        RECT rcPlacement{};

        BOOL IsEmpty() const { return nId == static_cast<UINT_PTR>(-1) && !hWnd; }
        BOOL IsSameTool(const TOOLITEM* pOther) const { return pOther && pOther->hWnd == hWnd && pOther->nId == nId; }
        void Clear() { *this = TOOLITEM(); }
    };

    explicit CLVKToolTipContextToolTip(CLVKToolTipContext* pContext);
    ~CLVKToolTipContextToolTip() override;

    BOOL CreateTipWindow(CWnd* pParent, DWORD dwStyle);
    HWND GetTipParent() const { return m_hParent; }

    // The tool of the list under the cursor, or null.
    TOOLITEM* FindToolAtCursor();
    // Shows the tool's tip (null hides).
    void ShowTool(TOOLITEM* pTool);
    const CString& GetToolText(TOOLITEM* pTool);

    const TOOLITEM& GetShownTool() const { return m_shownTool; }
    const TOOLITEM& GetPendingTool() const { return m_pendingTool; }
    const TOOLITEM& GetPressedTool() const { return m_pressedTool; }
    INT_PTR GetToolCount() const { return static_cast<INT_PTR>(m_tools.size()); }
    int GetInitialDelay() const { return m_nInitialDelay; }
    int GetReshowDelay() const { return m_nReshowDelay; }
    BOOL IsActive() const { return m_bActive; }
    const CString& GetTitle() const { return m_strTitle; }
    CLVKImageManagerIcon* GetIcon() const { return m_pIcon; }

    // Moves the rectangle into the work area (see the placement rules).
    static void AFX_CDECL AdjustToWorkArea(RECT& rc, const RECT& rcWork, POINT ptCursor);

    virtual SIZE MeasureTip(TOOLITEM* pTool);
    virtual void DrawTip(CDC* pDC, TOOLITEM* pTool, RECT rc);
    virtual void DrawTipBackground(CDC* pDC, TOOLITEM* pTool, const RECT& rc);
    virtual void OnTipVisibilityChanged(BOOL /*bShown*/) {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void SetTitle(const CString& strTitle) { m_strTitle = strTitle; }

    CLVKToolTipContext* m_pContext;

private:
    LRESULT OnActivate(BOOL bActivate);
    LRESULT OnAddTool(const TTTOOLINFOW* pTI);
    LRESULT OnDelTool(const TTTOOLINFOW* pTI, BOOL bOwnedCopy);
    void OnRelayedMouse(const MSG* pMsg);
    void OnUpdateTipText(const TTTOOLINFOW* pTI);
    void OnSetDelayTime(WPARAM wParam, LPARAM lParam);
    void OnTimer(UINT_PTR nIDEvent);
    void OnPrintClient(CDC* pDC);
    void OnDestroyTip();
    void TrackMouse(BOOL bTrack);
    TOOLITEM* FindTool(HWND hWnd, UINT_PTR nId);
    SIZE IconSize() const;

    static LRESULT CALLBACK TipMouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);

    std::vector<std::unique_ptr<TOOLITEM>> m_tools;
    BOOL m_bActive = FALSE;
    TOOLITEM m_shownTool;
    TOOLITEM m_pressedTool;
    TOOLITEM m_pendingTool;
    UINT_PTR m_nPendingTimer = 0;
    DWORD m_dwLastChange = 0;
    int m_nInitialDelay = 500;
    int m_nReshowDelay = 200;
    int m_nAutoPopTime = 0;
    UINT_PTR m_nAutoPopTimer = 0;
    CString m_strTitle;
    CLVKImageManagerIcon* m_pIcon = nullptr;  // not owned
    BOOL m_bRegionSet = FALSE;
    UINT_PTR m_nIdBeingShown = static_cast<UINT_PTR>(-1);
    HWND m_hParent = nullptr;
};

class CLVKToolTipContext::CStandardToolTip : public CToolTipCtrl
{
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class CLVKToolTipContext::CLunaToolTip : public CLVKToolTipContextToolTip
{
public:
    using CLVKToolTipContextToolTip::CLVKToolTipContextToolTip;
    void DrawTipBackground(CDC* pDC, TOOLITEM* pTool, const RECT& rc) override;
};

class CLVKToolTipContext::COfficeToolTip : public CLVKToolTipContextToolTip
{
public:
    using CLVKToolTipContextToolTip::CLVKToolTipContextToolTip;
    void DrawTipBackground(CDC* pDC, TOOLITEM* pTool, const RECT& rc) override;
};

// The distance from the cursor's hot spot to the row below its image; 21 when
// the cursor's bitmaps cannot be read.
int AFX_CDECL LVKGetCursorHeight();
