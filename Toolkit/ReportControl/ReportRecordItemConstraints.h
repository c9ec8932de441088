// The allowed values of a cell or column, in the order they are listed.
#pragma once

#include "ReportRecordItemConstraint.h"

#include <vector>

class CLVKReportRecordItemConstraints : public CLVKCmdTarget
{
public:
    CLVKReportRecordItemConstraints() = default;
    ~CLVKReportRecordItemConstraints() override;

    int GetCount() const { return static_cast<int>(m_arrConstraints.size()); }
    // Null at or past the end; a negative index is the caller's error.
    CLVKReportRecordItemConstraint* GetAt(int nIndex) const;
    // Takes over the caller's reference and numbers the constraint.
    void Add(CLVKReportRecordItemConstraint* pConstraint);
    void RemoveAll();

private:
    std::vector<CLVKReportRecordItemConstraint*> m_arrConstraints;
};
