#include "ReportRecordItemConstraints.h"

CLVKReportRecordItemConstraints::~CLVKReportRecordItemConstraints()
{
    RemoveAll();
}

CLVKReportRecordItemConstraint* CLVKReportRecordItemConstraints::GetAt(int nIndex) const
{
    if (nIndex < 0)
        AfxThrowInvalidArgException();
    return nIndex < GetCount() ? m_arrConstraints[nIndex] : nullptr;
}

void CLVKReportRecordItemConstraints::Add(CLVKReportRecordItemConstraint* pConstraint)
{
    if (!pConstraint)
        return;
    pConstraint->m_nIndex = GetCount();
    m_arrConstraints.push_back(pConstraint);
}

void CLVKReportRecordItemConstraints::RemoveAll()
{
    for (CLVKReportRecordItemConstraint* pConstraint : m_arrConstraints)
        pConstraint->InternalRelease();
    m_arrConstraints.clear();
}
