#include "ReportRecordItemVariant.h"

#include "ReportGroupRow.h"
#include "ReportRecord.h"
#include "ReportRecordItemConstraint.h"
#include "ReportRecordItemEditOptions.h"
#include "ReportRecords.h"
#include "Foundation/PropExchangeFunctions.h"

IMPLEMENT_DYNCREATE(CLVKReportRecordItemVariant, CLVKReportRecordItem)

namespace
{
// A cell in constraint mode keeps the chosen constraint's data as a 32-bit
// number (VT_I4), so the constraint is found by its data cut to 32 bits the
// same way. Widening the number back to a data word would not do where a
// data word is wider than 32 bits: data given as -1 is all ones there, while
// the number's 32 bits widen to 0xFFFFFFFF.
CLVKReportRecordItemConstraint* FindConstraintOfValue(CLVKReportRecordItemEditOptions* pOptions, long lValue)
{
    CLVKReportRecordItemConstraints* pConstraints = pOptions ? pOptions->GetConstraints() : nullptr;
    for (int i = 0; pConstraints && i < pConstraints->GetCount(); i++)
    {
        CLVKReportRecordItemConstraint* pConstraint = pConstraints->GetAt(i);
        if (static_cast<long>(pConstraint->GetData()) == lValue)
            return pConstraint;
    }
    return nullptr;
}
}  // namespace

CLVKReportRecordItemVariant::CLVKReportRecordItemVariant(const VARIANT& vtValue)
{
    SetValue(vtValue);
}

void CLVKReportRecordItemVariant::SetValue(const VARIANT& vtValue)
{
    m_oleValue = vtValue;
    // A reference is resolved into a value of the referenced type.
    ChangeValueType(m_oleValue, static_cast<VARTYPE>(m_oleValue.vt & ~VT_BYREF));
}

BOOL AFX_CDECL CLVKReportRecordItemVariant::ChangeValueType(VARIANT& vtValue, VARTYPE vt)
{
    if (vtValue.vt == vt)
        return TRUE;
    return SUCCEEDED(::VariantChangeTypeEx(&vtValue, &vtValue, LOCALE_USER_DEFAULT, 0, vt));
}

int AFX_CDECL CLVKReportRecordItemVariant::CompareValues(const VARIANT& vt1, const VARIANT& vt2, BOOL bCaseSensitive)
{
    const HRESULT hr = ::VarCmp(const_cast<VARIANT*>(&vt1), const_cast<VARIANT*>(&vt2), LOCALE_USER_DEFAULT,
                                bCaseSensitive ? 0 : NORM_IGNORECASE);
    switch (hr)
    {
    case VARCMP_LT:
        return -1;
    case VARCMP_EQ:
        return 0;
    case VARCMP_GT:
        return 1;
    default:
        return 2;
    }
}

BOOL CLVKReportRecordItemVariant::IsConstraintMode(CLVKReportColumn* pColumn)
{
    CLVKReportRecordItemEditOptions* pOptions = FindEditOptions(pColumn);
    return pOptions && pOptions->m_bConstraintEdit;
}

BOOL CLVKReportRecordItemVariant::IsCaseSensitive() const
{
    CLVKReportRecords* pRecords = m_pRecord ? m_pRecord->GetRecords() : nullptr;
    return pRecords ? pRecords->IsCaseSensitive() : TRUE;
}

CString CLVKReportRecordItemVariant::GetCaption(CLVKReportColumn* pColumn)
{
    if (IsMergeFollower())
        return GetMergeMaster()->GetCaption(pColumn);
    if (!m_strCaption.IsEmpty())
        return m_strCaption;
    const BOOL bConstraints = IsConstraintMode(pColumn);
    COleVariant vtValue(m_oleValue);
    if (vtValue.vt == VT_DATE)
        ChangeValueType(vtValue, bConstraints ? VT_I4 : VT_BSTR);
    else if (vtValue.vt == VT_NULL)
        vtValue = 0L;
    else
        ChangeValueType(vtValue, bConstraints ? VT_I4 : VT_BSTR);
    if (bConstraints)
    {
        if (vtValue.vt != VT_I4)
            return CString();
        CLVKReportRecordItemConstraint* pConstraint = FindConstraintOfValue(FindEditOptions(pColumn), vtValue.lVal);
        return pConstraint ? pConstraint->GetCaption() : CString();
    }
    if (vtValue.vt != VT_BSTR)
        return CString();
    if (m_strFormatString == L"%s")
        return CString(vtValue.bstrVal);
    return LVKReportFormatText(m_strFormatString, vtValue.bstrVal);
}

COleVariant CLVKReportRecordItemVariant::GetGroupCaptionValue(CLVKReportColumn* /*pColumn*/)
{
    return m_oleValue;
}

int CLVKReportRecordItemVariant::CompareGroupCaption(CLVKReportColumn* pColumn, CLVKReportGroupRow* pGroupRow)
{
    if (!pGroupRow)
        return 0;
    if (HasGroupCaption())
    {
        CLVKReportRecords* pRecords = m_pRecord ? m_pRecord->GetRecords() : nullptr;
        const CString strGroup = pGroupRow->GetCaption();
        return pRecords ? pRecords->Compare(m_strGroupCaption, strGroup) : wcscmp(m_strGroupCaption, strGroup);
    }
    (void)pColumn;
    return CompareValues(m_oleValue, pGroupRow->GetGroupValue(), IsCaseSensitive());
}

int CLVKReportRecordItemVariant::Compare(CLVKReportColumn* /*pColumn*/, CLVKReportRecordItem* pItem)
{
    if (!pItem)
        return 0;
    if (GetSortPriority() == -1 && pItem->GetSortPriority() == -1)
    {
        auto* pVariant = dynamic_cast<CLVKReportRecordItemVariant*>(pItem);
        if (!pVariant)
            return 0;
        return CompareValues(m_oleValue, pVariant->m_oleValue, IsCaseSensitive());
    }
    return GetSortPriority() - pItem->GetSortPriority();
}

BOOL CLVKReportRecordItemVariant::OnValueChanging(LVK_REPORTRECORDITEM_ARGS* /*pArgs*/, const VARIANT& /*vtNewValue*/)
{
    return TRUE;
}

void CLVKReportRecordItemVariant::OnEditChanged(LVK_REPORTRECORDITEM_ARGS* pArgs, LPCWSTR lpszText)
{
    COleVariant vtNew(lpszText ? lpszText : L"");
    if (!OnValueChanging(pArgs, vtNew))
        return;
    const VARTYPE vt = m_oleValue.vt == VT_NULL ? static_cast<VARTYPE>(VT_BSTR) : m_oleValue.vt;
    if (ChangeValueType(vtNew, vt))
        m_oleValue = vtNew;
}

void CLVKReportRecordItemVariant::OnConstraintChanged(LVK_REPORTRECORDITEM_ARGS* pArgs,
                                                      CLVKReportRecordItemConstraint* pConstraint)
{
    if (!pConstraint)
        return;
    if (!IsConstraintMode(pArgs ? pArgs->pColumn : nullptr))
    {
        OnEditChanged(pArgs, pConstraint->GetCaption());
        return;
    }
    if (m_oleValue.vt == VT_NULL)
        m_oleValue = 0L;
    COleVariant vtNew(static_cast<long>(pConstraint->GetData()));
    if (ChangeValueType(vtNew, m_oleValue.vt) && OnValueChanging(pArgs, vtNew))
        m_oleValue = vtNew;
}

DWORD_PTR CLVKReportRecordItemVariant::GetSelectedConstraint(CLVKReportColumn* pColumn)
{
    if (!IsConstraintMode(pColumn))
        return static_cast<DWORD_PTR>(-1);
    COleVariant vtValue(m_oleValue);
    if (!ChangeValueType(vtValue, VT_I4))
        return static_cast<DWORD_PTR>(-1);
    // The listed constraint's own data word, which the in-place list compares
    // with its entries; a number no constraint has keeps its sign.
    CLVKReportRecordItemConstraint* pConstraint = FindConstraintOfValue(FindEditOptions(pColumn), vtValue.lVal);
    return pConstraint ? pConstraint->GetData() : static_cast<DWORD_PTR>(static_cast<LONG_PTR>(vtValue.lVal));
}

void CLVKReportRecordItemVariant::DoPropExchange(CLVKPropExchange* pPX)
{
    CLVKReportRecordItem::DoPropExchange(pPX);
    VARIANT vtDefault;
    VariantInit(&vtDefault);
    ExchangeVariant(pPX, L"Value", m_oleValue, vtDefault);
}
