// CLVKControls: the ordered controls of one command bar, and the place where
// controls are made: the factory by type id, the conversion of a menu into
// controls, searches, keyboard-navigation order, hit tests and the layouts
// that place the controls in rows (tool bars) or columns (popups).
#pragma once

#include "CommandBars/CommandBarsDefs.h"
#include "Foundation/CmdTarget.h"

#include <vector>

class CLVKCommandBar;
class CLVKCommandBars;
class CLVKControl;
class CLVKOriginalControls;
class CLVKPropExchange;

class CLVKControls : public CLVKCmdTarget
{
    DECLARE_DYNCREATE(CLVKControls)

public:
    // Layout mode bits of CalcDynamicSize.
    enum : DWORD
    {
        kLayoutStretch = 0x01,
        kLayoutMRUWidth = 0x04,
        kLayoutHorzDock = 0x08,
        kLayoutVertDock = 0x10,
        kLayoutLengthIsHeight = 0x20,
        kLayoutCommit = 0x40,
        kLayoutHideWrap = 0x80,
        kLayoutPopup = 0x100
    };

    CLVKControls();
    ~CLVKControls() override;

    // Building. Add makes a control of a type (1 to 11; null otherwise) and
    // binds or names it; nBefore -1 (or out of range) appends.
    CLVKControl* Add(int nType, int nId, LPCTSTR lpszParameter = nullptr, int nBefore = -1, BOOL bTemporary = FALSE);
    CLVKControl* AddControl(CLVKControl* pControl, int nId, LPCTSTR lpszParameter = nullptr, int nBefore = -1,
                            BOOL bTemporary = FALSE);
    CLVKControl* InsertControl(CLVKControl* pControl, int nBefore);
    CLVKControl* AppendControl(CLVKControl* pControl) { return InsertControl(pControl, -1); }
    CLVKControl* AddClone(CLVKControl* pSource, int nBefore = -1, BOOL bRecursive = FALSE);
    CLVKControl* SetControlType(int nIndex, int nType);
    // Converts a menu into controls, appending them.
    void LoadMenu(CMenu* pMenu);
    CLVKControl* AddMenuItem(CMenu* pMenu, int nIndex);

    // Removing.
    virtual void Remove(CLVKControl* pControl);
    void RemoveAt(int nIndex);
    void RemoveAll();

    // Copies and snapshots.
    virtual void Copy(CLVKControls* pSource, BOOL bRecursive = FALSE);
    void CreateOriginalControls();
    void SetOriginalControls(CLVKOriginalControls* pOriginalControls);
    CLVKOriginalControls* GetOriginalControls() const { return m_pOriginalControls; }
    CLVKControls* Clone(BOOL bRecursive = FALSE);
    BOOL IsEqualTo(CLVKControls* pOther) const;
    BOOL IsChanged() const;

    // Queries.
    int GetCount() const { return static_cast<int>(m_arrControls.size()); }
    CLVKControl* GetAt(int nIndex) const;
    CLVKCommandBar* GetParent() const { return m_pParent; }
    CLVKCommandBars* GetCommandBars() const;
    CLVKControl* FindControl(int nType = 0, int nId = -1, BOOL bVisible = FALSE, BOOL bRecursive = FALSE) const;
    CLVKControl* FindControlById(int nId) const;
    int GetVisibleCount(BOOL bStrict = FALSE) const;
    CLVKControl* GetVisibleControl(int n, BOOL bStrict = FALSE) const;
    CLVKControl* HitTest(CPoint pt) const;
    int GetNextIndex(int nIndex, int nDirection, BOOL bSkipNavigation = TRUE, BOOL bSkipTemporary = FALSE,
                     BOOL bRarelyUsedHidden = TRUE) const;
    void SetParentBar(CLVKCommandBar* pParent);
    void SetCommandBars(CLVKCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    BOOL IsOriginal() const { return m_bOriginal; }

    // Layout: rows of a tool bar, menu bar or popup tool bar.
    CSize CalcDynamicSize(CDC* pDC, int nLength, DWORD& dwMode, const CRect& rcMargins, int nMinThickness = 0);
    // Layout: columns of a popup menu.
    CSize CalcPopupSize(CDC* pDC, int nMaxHeight, int nFixedWidth, const CRect& rcMargins);

    // Overridables.
    virtual void DoPropExchange(CLVKPropExchange* /*pPX*/) {}
    virtual BOOL ShouldSaveControl(CLVKControl* pControl) const;
    virtual void OnControlAdded(CLVKControl* pControl);
    virtual void DetachControl(CLVKControl* pControl);
    virtual BOOL KeepOnRemove(CLVKControl* /*pControl*/) const { return FALSE; }
    virtual void RefreshIndexes();

    // One control's layout record.
    struct LayoutRecord
    {
        CLVKControl* pControl = nullptr;
        CRect rcControl{0, 0, 0, 0};
        CRect rcRow{0, 0, 0, 0};
        CSize szControl{0, 0};
        BOOL bVisible = FALSE;
        BOOL bWrap = FALSE;
        BOOL bHidden = FALSE;
        BOOL bBeginGroup = FALSE;
        int nStyle = 0;
    };

protected:
    // The owner site's control-creation round trip and popup-bar request.
    CWnd* GetOwnerSite() const;
    CLVKCommandBar* RequestPopupBar(LPCTSTR lpszCaption, UINT nMenuId, CString* pTitle) const;

    // Row layout steps.
    struct LayoutState;
    int WrapControls(LayoutState& state, int nWidth, DWORD& dwMode) const;
    CSize PlaceControls(LayoutState& state, BOOL bVertical) const;
    CSize SizeToLength(LayoutState& state, int nLength, DWORD& dwMode) const;
    CSize SizeBalanced(LayoutState& state, DWORD& dwMode) const;
    CSize WrapAndPlace(LayoutState& state, int nWidth, DWORD& dwMode, int* pnRows = nullptr) const;
    void ApplyMargins(LayoutState& state, CSize& sz, DWORD dwMode, const CRect& rcMargins) const;
    void AlignAndStretch(LayoutState& state, CSize sz, const CRect& rcMargins, DWORD dwMode) const;
    CSize ReduceLayout(LayoutState& state, int nLength, DWORD& dwMode) const;
    CSize StackLayout(LayoutState& state) const;
    CSize MeasureSeparator(CDC* pDC) const;

    CLVKCommandBar* m_pParent = nullptr;
    std::vector<CLVKControl*> m_arrControls;
    CLVKCommandBars* m_pCommandBars = nullptr;
    CLVKOriginalControls* m_pOriginalControls = nullptr;
    BOOL m_bOriginal = FALSE;
};
