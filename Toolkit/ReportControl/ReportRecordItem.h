// One cell of a record: its look, its caption (text, format or formula), its
// hyperlinks and check box, its grouping and sorting keys. It draws itself
// through the control's paint manager.
#pragma once

#include "ReportDefines.h"
#include "ReportHeapAllocator.h"
#include "ReportHyperlinks.h"

class CLVKMarkupUIElement;
class CLVKPropExchange;
class CLVKReportInplaceButton;
class CLVKReportRecordItemConstraint;
class CLVKReportRecordItemControl;
class CLVKReportRecordItemControlHookWnd;
class CLVKReportRecordItemControls;
class CLVKReportRecordItemEditOptions;

class CLVKReportRecordItem : public CLVKHeapObjectT<CLVKCmdTarget, CLVKReportDataAllocator>
{
    DECLARE_DYNCREATE(CLVKReportRecordItem)

public:
    CLVKReportRecordItem();
    ~CLVKReportRecordItem() override;

    // Draws the cell; answers the width its content needs.
    virtual int Draw(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs);
    virtual void OnDrawCaption(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs, LVK_REPORTRECORDITEM_METRICS* pMetrics);
    virtual int HitTestHyperlink(POINT ptClick) const;

    virtual CString GetCaption(CLVKReportColumn* pColumn = nullptr);
    CString GetCaptionDefault() { return GetCaption(GetColumn()); }
    // The caption without a copy where the item keeps it as it is shown (sort
    // keys); null when the caption must be computed.
    virtual const CString* GetCaptionRef(CLVKReportColumn* pColumn);
    virtual void GetCaptionRect(LVK_REPORTRECORDITEM_ARGS* pArgs, RECT& rcItem);

    // TRUE when Compare orders items by their captions alone (sort keys).
    virtual BOOL IsCaptionOrdered() const { return TRUE; }
    BOOL HasGroupCaption() const { return !m_strGroupCaption.IsEmpty(); }
    virtual CString GetGroupCaption(CLVKReportColumn* pColumn);
    virtual COleVariant GetGroupCaptionValue(CLVKReportColumn* pColumn);
    virtual int GetGroupCaptionID(CLVKReportColumn* pColumn);
    virtual int CompareGroupCaption(CLVKReportColumn* pColumn, CLVKReportGroupRow* pGroupRow);
    virtual int CompareGroupItems(CLVKReportColumn* pColumn, CLVKReportRecordItem* pItem);
    virtual int Compare(CLVKReportColumn* pColumn, CLVKReportRecordItem* pItem);

    virtual void SetFont(CFont* pFont) { m_pFontCaption = pFont; }
    virtual CFont* GetFont() const { return m_pFontCaption; }
    virtual CString GetTooltip() const;
    virtual void SetTooltip(LPCWSTR lpszTooltip) { m_strTooltip = lpszTooltip; }
    virtual void SetTextColor(COLORREF clr) { m_clrText = clr; }
    virtual COLORREF GetTextColor() const { return m_clrText; }
    virtual void SetBold(BOOL bBold = TRUE) { m_bBoldText = bBold; }
    virtual BOOL IsBold() const { return m_bBoldText; }
    virtual void SetBackgroundColor(COLORREF clr) { m_clrBackground = clr; }
    virtual COLORREF GetBackgroundColor() const { return m_clrBackground; }
    virtual CString GetFormula() const { return m_strFormula; }
    virtual void SetFormula(LPCWSTR lpszFormula) { m_strFormula = lpszFormula; }
    virtual CString GetFormatString() const { return m_strFormatString; }
    virtual void SetFormatString(LPCWSTR lpszFormat) { m_strFormatString = lpszFormat; }
    virtual BOOL IsEditable() const;
    virtual BOOL SetEditable(BOOL bEditable = TRUE);
    virtual void GetItemMetrics(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs, LVK_REPORTRECORDITEM_METRICS* pMetrics);
    virtual BOOL IsPreviewItem() const { return FALSE; }
    // Persistence of the cell's look, text and collections.
    virtual void DoPropExchange(CLVKPropExchange* pPX);
    // Drops the parsed caption and, when the record finds a markup context,
    // parses the caption again (no element when it is not markup).
    virtual void ResetMarkupUIElement();
    CLVKMarkupUIElement* GetMarkupUIElement() const { return m_pMarkupUIElement; }
    virtual int GetIconIndex() const { return m_nIconIndex; }
    virtual int SetIconIndex(int nIconIndex);
    virtual int GetSortPriority() const { return m_nSortPriority; }
    virtual void SetSortPriority(int n) { m_nSortPriority = n; }
    virtual int GetGroupPriority() const { return m_nGroupPriority; }
    virtual void SetGroupPriority(int n) { m_nGroupPriority = n; }
    virtual void SetGroupCaption(LPCWSTR lpszCaption) { m_strGroupCaption = lpszCaption; }
    // Takes a caption, evaluates the formula and stores the result.
    virtual void SetCaptionText(LPCWSTR lpszCaption);
    virtual void SetChecked(BOOL bChecked) { m_nCheckedState = bChecked ? 1 : 0; }
    virtual BOOL IsChecked() const { return m_nCheckedState == 1; }
    virtual void HasCheckboxEx(BOOL bHasCheckbox, BOOL bTristate)
    {
        m_bHasCheckbox = bHasCheckbox;
        m_bTristateCheckbox = bTristate;
    }
    virtual BOOL HasCheckbox() const { return m_bHasCheckbox; }
    virtual DWORD_PTR GetItemData() const { return m_dwData; }
    virtual void SetItemData(DWORD_PTR dwData) { m_dwData = dwData; }
    virtual BOOL IsFocusable() const { return m_bFocusable; }
    virtual void SetFocusable(BOOL bFocusable) { m_bFocusable = bFocusable; }
    // Takes [url]...[/url] and [url=target]...[/url] markers out of a text and
    // records them as hyperlinks.
    virtual void ParseHyperlinks(CString& strText);
    virtual void DrawCheckBox(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs, RECT& rcItem);
    // A change from the in-place editor; the base stores nothing.
    virtual void OnEditChanged(LVK_REPORTRECORDITEM_ARGS* pArgs, LPCWSTR lpszText);
    virtual void OnClick(LVK_REPORTRECORDITEM_CLICKARGS* pClickArgs);
    virtual void OnDblClick(LVK_REPORTRECORDITEM_CLICKARGS* pClickArgs);
    virtual BOOL OnChar(LVK_REPORTRECORDITEM_ARGS* pArgs, UINT nChar);
    virtual BOOL IsAllowEdit(LVK_REPORTRECORDITEM_ARGS* pArgs);
    virtual BOOL OnRequestEdit(LVK_REPORTRECORDITEM_ARGS* pArgs);
    virtual void OnBeginEdit(LVK_REPORTRECORDITEM_ARGS* pArgs);
    // Ends editing: the buttons and the list go, the edit commits (bApply)
    // when it edits this item.
    virtual void OnEndEdit(LVK_REPORTRECORDITEM_ARGS* pArgs, BOOL bApply);
    virtual void RemoveInplaceControls(CLVKReportControl* pControl, BOOL bApply);
    virtual void OnInplaceEditDone(LVK_REPORTRECORDITEM_ARGS* pArgs);
    // A typed text before the edit takes it; FALSE refuses it, and the item
    // may change it in place.
    virtual BOOL OnEditChanging(LVK_REPORTRECORDITEM_ARGS* pArgs, CString& rstrNewText);
    virtual void OnEditCanceled(LVK_REPORTRECORDITEM_ARGS* pArgs);
    virtual void OnConstraintChanged(LVK_REPORTRECORDITEM_ARGS* pArgs, CLVKReportRecordItemConstraint* pConstraint);
    // The value of the constraint the item shows, or -1 when it keeps text.
    virtual DWORD_PTR GetSelectedConstraint(CLVKReportColumn* /*pColumn*/) { return static_cast<DWORD_PTR>(-1); }
    virtual void OnInplaceButtonDown(CLVKReportInplaceButton* pButton);
    // The item's own edit options, else its column's; null when neither.
    virtual CLVKReportRecordItemEditOptions* GetEditOptions(CLVKReportColumn* pColumn);
    CLVKReportRecordItemEditOptions* CreateEditOptions();
    // The options that apply without creating any: own, else the column's.
    CLVKReportRecordItemEditOptions* FindEditOptions(CLVKReportColumn* pColumn) const;

    // Controls inside the cell.
    CLVKReportRecordItemControls* GetItemControls();
    CLVKReportRecordItemControl* AddItemControl(CLVKReportRecordItemControl* pControl, int nIndex = -1);
    int GetItemControlsCount() const;
    CLVKReportRecordItemControl* HitTestItemControl(POINT pt) const;
    CLVKReportRecordItemControl* GetFocusedItemControl() const;
    void SetFocusedItemControl(CLVKReportRecordItemControl* pControl);
    // TRUE when a control of the cell took the press.
    virtual BOOL OnLButtonDown(LVK_REPORTRECORDITEM_CLICKARGS* pClickArgs);
    virtual BOOL OnLButtonUp(LVK_REPORTRECORDITEM_CLICKARGS* pClickArgs);
    virtual void OnMouseMove(UINT nFlags, POINT point, CLVKReportControl* pControl);
    CLVKReportColumn* GetColumn() const;
    // One synthetic left click (the right button when the buttons are
    // swapped) at the cursor: puts the caret of a new editor under it.
    static void AFX_CDECL SendMouseClick();

    CLVKReportRecord* GetRecord() const { return m_pRecord; }
    int GetIndex() const;
    int GetCheckedState() const { return m_bTristateCheckbox ? m_nCheckedState : (m_nCheckedState == 1 ? 1 : 0); }
    void SetCheckedState(int nState);
    CLVKReportHyperlinks* GetHyperlinks();
    int GetHyperlinksCount() const { return m_pHyperlinks ? m_pHyperlinks->GetCount() : 0; }
    CLVKReportHyperlink* GetHyperlinkAt(int n) const { return m_pHyperlinks ? m_pHyperlinks->FindAt(n) : nullptr; }
    CString GetColumnCaptionPrefix(CLVKReportColumn* pColumn) const;
    int GetAlignment() const { return m_nAlignment; }
    void SetAlignment(int nAlignment) { m_nAlignment = nAlignment; }
    const RECT& GetCheckboxRect() const { return m_rcCheckbox; }
    // Merged cells: the item whose caption stands for the block.
    void SetMergeMaster(CLVKReportRecordItem* pMaster) { m_pMergeMaster = pMaster; }
    CLVKReportRecordItem* GetMergeMaster() const;
    BOOL IsMergeMember() const { return GetMergeMaster() != nullptr; }
    BOOL IsMergeFollower() const
    {
        CLVKReportRecordItem* pMaster = GetMergeMaster();
        return pMaster && pMaster != this;
    }

    CLVKReportControl* m_pControl = nullptr;
    CLVKReportRecord* m_pRecord = nullptr;

protected:
    CLVKReportRecordItem* m_pMergeMaster = nullptr;
    CFont* m_pFontCaption = nullptr;
    COLORREF m_clrText = static_cast<COLORREF>(-1);
    COLORREF m_clrBackground = static_cast<COLORREF>(-1);
    BOOL m_bBoldText = FALSE;
    CString m_strFormatString = L"%s";
    CString m_strFormula;
    BOOL m_bEditable = TRUE;
    CLVKReportHyperlinks* m_pHyperlinks = nullptr;
    int m_nIconIndex = -1;
    int m_nSortPriority = -1;
    int m_nGroupPriority = -1;
    CString m_strGroupCaption;
    CString m_strCaption;
    BOOL m_bFocusable = TRUE;
    int m_nCheckedState = 0;
    BOOL m_bHasCheckbox = FALSE;
    BOOL m_bTristateCheckbox = FALSE;
    DWORD_PTR m_dwData = 0;
    CString m_strTooltip;
    int m_nAlignment = -1;
    RECT m_rcCheckbox{};
    CLVKReportRecordItemEditOptions* m_pEditOptions = nullptr;
    CLVKReportRecordItemControls* m_pItemControls = nullptr;
    CLVKMarkupUIElement* m_pMarkupUIElement = nullptr;

    // Draws a markup element into the cell, inset as captions are, with the
    // metrics' font and colour as its defaults; answers the width it took.
    int DrawMarkupCaption(CLVKMarkupUIElement* pElement, LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs,
                          LVK_REPORTRECORDITEM_METRICS* pMetrics);
    // Whether a click may change the check box: editable, column editable
    // and the owner agrees.
    BOOL CanToggleCheckbox(LVK_REPORTRECORDITEM_ARGS* pArgs);
    void ToggleCheckbox();

    // Places the cell's controls at its edges and draws them; narrows rcItem.
    void DrawItemControls(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs, RECT& rcItem);

    friend class CLVKReportRecord;
};
