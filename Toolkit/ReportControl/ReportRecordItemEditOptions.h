// How a cell (or every cell of a column) is edited: whether it may be, whether
// only listed values are taken, the listed values, the buttons shown beside
// the edit box and the edit box's own style.
#pragma once

#include "ReportRecordItemConstraints.h"

#include <vector>

class CLVKReportInplaceButton;

#define LVK_REPORT_INPLACEBUTTON_EXPAND 100
#define LVK_REPORT_INPLACEBUTTON_COMBO 101
#define LVK_REPORT_INPLACEBUTTON_SPIN 102

class CLVKReportRecordItemEditOptions : public CLVKCmdTarget
{
public:
    CLVKReportRecordItemEditOptions();
    ~CLVKReportRecordItemEditOptions() override;

    CLVKReportRecordItemConstraints* GetConstraints() const { return m_pConstraints; }
    CLVKReportRecordItemConstraint* AddConstraint(LPCWSTR lpszCaption, DWORD_PTR dwData = 0);
    // The first constraint with this value; null when none.
    CLVKReportRecordItemConstraint* FindConstraint(DWORD_PTR dwData) const;
    // The first constraint with exactly this caption (case counts); null when
    // none. A null caption is the caller's error (E_FAIL).
    CLVKReportRecordItemConstraint* FindConstraintByCaption(LPCWSTR lpszCaption) const;

    // Buttons shown while the cell is edited; the options own them.
    CLVKReportInplaceButton* AddComboButton(BOOL bInside = FALSE);
    CLVKReportInplaceButton* AddExpandButton(BOOL bInside = FALSE);
    CLVKReportInplaceButton* AddSpinButton(BOOL bInside = FALSE);
    CLVKReportInplaceButton* AddButton(CLVKReportInplaceButton* pButton);
    int GetButtonsCount() const { return static_cast<int>(m_arrInplaceButtons.size()); }
    CLVKReportInplaceButton* GetButton(int nIndex) const;
    void RemoveButtons();

    BOOL m_bAllowEdit = TRUE;
    BOOL m_bConstraintEdit = FALSE;
    BOOL m_bSelectTextOnEdit = TRUE;
    BOOL m_bExpandOnSelect = FALSE;
    DWORD m_dwEditStyle = ES_AUTOHSCROLL;
    int m_nMaxLength = 0;

private:
    CLVKReportRecordItemConstraints* m_pConstraints = nullptr;
    std::vector<CLVKReportInplaceButton*> m_arrInplaceButtons;
};
