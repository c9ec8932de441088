// The edit box a report control opens over a cell's caption. One object per
// control, reused for every cell; its window lives for one edit.
#pragma once

#include "AfxEdit.h"
#include "ReportInplaceControl.h"

class CLVKReportRecordItemConstraint;
class CLVKReportRecordItemEditOptions;

class CLVKReportInplaceEdit : public CEdit, public CLVKReportInplaceControl
{
public:
    CLVKReportInplaceEdit() = default;
    ~CLVKReportInplaceEdit() override;

    // Opens the editor over the caption rectangle in pArgs->rcItem.
    void Create(LVK_REPORTRECORDITEM_ARGS* pArgs);
    // Hides the window and gives up the cell.
    void HideWindow();
    void SetEditText(LPCWSTR lpszText);
    void SetFont(CFont* pFont);
    CLVKReportRecordItemConstraint* GetSelectedConstraint() const { return m_pSelectedConstraint; }
    const CString& GetStartingText() const { return m_strStartingText; }
    CString GetEditText() const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    void OnEditChange();
    void OnEditKillFocus();
    BOOL OnKeyDown(UINT nChar);
    BOOL OnChar(UINT nChar, UINT nFlags);
    // Shows a constraint's caption as the edit's whole, selected text.
    void SelectConstraint(CLVKReportRecordItemConstraint* pConstraint);
    CLVKReportRecordItemEditOptions* GetEditOptions() const;
    BOOL IsConstraintMode() const;

private:
    CString m_strStartingText;
    CString m_strAcceptedText;
    CFont m_fontEdit;
    COLORREF m_clrText = 0;
    COLORREF m_clrBack = RGB(255, 255, 255);
    CBrush m_brushBack;
    CLVKReportRecordItemConstraint* m_pSelectedConstraint = nullptr;
    BOOL m_bSetText = FALSE;
};
