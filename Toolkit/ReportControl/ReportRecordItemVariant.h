// A cell whose value is an automation VARIANT: shown, sorted, grouped and
// edited by the value's type, or through a constraint list when its edit
// options take listed values only.
#pragma once

#include "ReportRecordItem.h"

class CLVKReportRecordItemVariant : public CLVKReportRecordItem
{
    DECLARE_DYNCREATE(CLVKReportRecordItemVariant)

public:
    // Stores a copy of the value; a by-reference value is stored by value.
    explicit CLVKReportRecordItemVariant(const VARIANT& vtValue = COleVariant());

    CString GetCaption(CLVKReportColumn* pColumn = nullptr) override;
    BOOL IsCaptionOrdered() const override { return FALSE; }
    COleVariant GetGroupCaptionValue(CLVKReportColumn* pColumn) override;
    int CompareGroupCaption(CLVKReportColumn* pColumn, CLVKReportGroupRow* pGroupRow) override;
    int Compare(CLVKReportColumn* pColumn, CLVKReportRecordItem* pItem) override;
    void OnEditChanged(LVK_REPORTRECORDITEM_ARGS* pArgs, LPCWSTR lpszText) override;
    void OnConstraintChanged(LVK_REPORTRECORDITEM_ARGS* pArgs, CLVKReportRecordItemConstraint* pConstraint) override;
    DWORD_PTR GetSelectedConstraint(CLVKReportColumn* pColumn) override;
    void DoPropExchange(CLVKPropExchange* pPX) override;
    // A new value is about to replace the stored one; FALSE keeps the old.
    virtual BOOL OnValueChanging(LVK_REPORTRECORDITEM_ARGS* pArgs, const VARIANT& vtNewValue);

    const COleVariant& GetValue() const { return m_oleValue; }
    void SetValue(const VARIANT& vtValue);

    // Conversions in the report's locale (the user's default); FALSE when
    // the value cannot take the type, which leaves it as it was.
    static BOOL AFX_CDECL ChangeValueType(VARIANT& vtValue, VARTYPE vt);
    // VarCmp in the report's locale, mapped to -1, 0, 1 (2 for a null operand).
    static int AFX_CDECL CompareValues(const VARIANT& vt1, const VARIANT& vt2, BOOL bCaseSensitive);

protected:
    // The edit options that apply (own, else the column's) take listed values only.
    BOOL IsConstraintMode(CLVKReportColumn* pColumn);
    BOOL IsCaseSensitive() const;

    COleVariant m_oleValue;
};
