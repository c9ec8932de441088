// A row above a run of rows whose items fall into one group.
#pragma once

#include "ReportRow.h"

class CLVKReportGroupRow : public CLVKReportRow
{
public:
    CLVKReportGroupRow() = default;

    void Draw(CDC* pDC, const RECT& rcRow, const RECT& rcClip, int nLeftOffset, int nColumnFrom,
              int nColumnTo) override;
    BOOL IsGroupRow() const override { return TRUE; }
    void OnClick(POINT ptClicked) override;
    void OnDblClick(POINT ptClicked) override;

    virtual CString GetCaption() const { return m_strGroupText; }
    virtual COleVariant GetGroupValue() const { return m_vtGroup; }
    virtual CString GetDisplayCaption() const { return GetCaption(); }
    virtual CString GetFormula() const { return m_strFormula; }
    virtual void SetFormula(LPCWSTR lpszFormula) { m_strFormula = lpszFormula; }
    virtual CString GetFormatString() const { return m_strFormat; }
    virtual void SetFormatString(LPCWSTR lpszFormat) { m_strFormat = lpszFormat; }

    // Sets the caption and evaluates the formula ("x" counts as empty).
    void SetCaption(LPCWSTR lpszCaption);
    void SetCaptionAndValue(LPCWSTR lpszCaption, const COleVariant& vtValue);
    static void SumChildColumns(CLVKReportRow* pRow, int nColumnFrom, int nColumnTo, double& dTotal);
    // Set while drawing a lower group row with selected rows: the selection
    // box of this row shows it on the next paint.
    BOOL GetSelectionMark() const { return m_bSelectionMark; }
    void SetSelectionMark(BOOL b) { m_bSelectionMark = b; }

protected:
    CString m_strGroupText;
    CString m_strGroupLabel;
    CString m_strFormula;
    CString m_strFormat;
    COleVariant m_vtGroup;
    BOOL m_bSelectionMark = FALSE;
};
