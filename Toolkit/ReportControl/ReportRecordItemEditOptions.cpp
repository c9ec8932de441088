#include "ReportRecordItemEditOptions.h"

#include "ReportInplaceButton.h"

CLVKReportRecordItemEditOptions::CLVKReportRecordItemEditOptions()
    : m_pConstraints(new CLVKReportRecordItemConstraints())
{
}

CLVKReportRecordItemEditOptions::~CLVKReportRecordItemEditOptions()
{
    RemoveButtons();
    m_pConstraints->InternalRelease();
}

CLVKReportRecordItemConstraint* CLVKReportRecordItemEditOptions::AddConstraint(LPCWSTR lpszCaption, DWORD_PTR dwData)
{
    auto* pConstraint = new CLVKReportRecordItemConstraint();
    pConstraint->SetCaption(lpszCaption ? lpszCaption : L"");
    pConstraint->SetData(dwData);
    m_pConstraints->Add(pConstraint);
    return pConstraint;
}

CLVKReportRecordItemConstraint* CLVKReportRecordItemEditOptions::FindConstraint(DWORD_PTR dwData) const
{
    for (int i = 0; i < m_pConstraints->GetCount(); i++)
    {
        CLVKReportRecordItemConstraint* pConstraint = m_pConstraints->GetAt(i);
        if (pConstraint->GetData() == dwData)
            return pConstraint;
    }
    return nullptr;
}

CLVKReportRecordItemConstraint* CLVKReportRecordItemEditOptions::FindConstraintByCaption(LPCWSTR lpszCaption) const
{
    if (!lpszCaption)
        AfxThrowOleException(E_FAIL);
    for (int i = 0; i < m_pConstraints->GetCount(); i++)
    {
        CLVKReportRecordItemConstraint* pConstraint = m_pConstraints->GetAt(i);
        if (pConstraint->GetCaption() == lpszCaption)
            return pConstraint;
    }
    return nullptr;
}

CLVKReportInplaceButton* CLVKReportRecordItemEditOptions::AddButton(CLVKReportInplaceButton* pButton)
{
    if (pButton)
        m_arrInplaceButtons.push_back(pButton);
    return pButton;
}

CLVKReportInplaceButton* CLVKReportRecordItemEditOptions::AddComboButton(BOOL bInside)
{
    auto* pButton = AddButton(new CLVKReportInplaceButton(LVK_REPORT_INPLACEBUTTON_COMBO));
    pButton->SetInsideCellButton(bInside);
    return pButton;
}

CLVKReportInplaceButton* CLVKReportRecordItemEditOptions::AddExpandButton(BOOL bInside)
{
    auto* pButton = AddButton(new CLVKReportInplaceButton(LVK_REPORT_INPLACEBUTTON_EXPAND));
    pButton->SetInsideCellButton(bInside);
    return pButton;
}

CLVKReportInplaceButton* CLVKReportRecordItemEditOptions::AddSpinButton(BOOL bInside)
{
    auto* pButton = AddButton(new CLVKReportInplaceButton(LVK_REPORT_INPLACEBUTTON_SPIN));
    pButton->SetInsideCellButton(bInside);
    return pButton;
}

CLVKReportInplaceButton* CLVKReportRecordItemEditOptions::GetButton(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetButtonsCount() ? m_arrInplaceButtons[nIndex] : nullptr;
}

void CLVKReportRecordItemEditOptions::RemoveButtons()
{
    for (CLVKReportInplaceButton* pButton : m_arrInplaceButtons)
    {
        if (pButton->GetSafeHwnd())
            pButton->DestroyWindow();
        pButton->InternalRelease();
    }
    m_arrInplaceButtons.clear();
}
