// The records of a section, or the child records of a record.
#pragma once

#include "ReportDefines.h"
#include "ReportHeapAllocator.h"

#include <vector>

class CLVKReportRecords : public CLVKHeapObjectT<CLVKCmdTarget, CLVKReportAllocatorDefault>
{
public:
    explicit CLVKReportRecords(BOOL bArray = FALSE);
    explicit CLVKReportRecords(CLVKReportRecord* pOwnerRecord);
    ~CLVKReportRecords() override;

    // Compares two texts by the case-sensitivity switch: code units, or the
    // locale's case-insensitive comparison (CompareStringW).
    virtual int Compare(const CString& str1, const CString& str2) const;
    int CompareStrings(LPCWSTR psz1, LPCWSTR psz2) const;
    virtual int UpdateIndexes(int nStart = 0);

    int GetCount() const { return m_pVirtualRecord ? m_nVirtualCount : static_cast<int>(m_arrRecords.size()); }
    CLVKReportRecord* GetAt(int nIndex) const;
    // Takes over the caller's reference.
    CLVKReportRecord* Add(CLVKReportRecord* pRecord);
    void InsertAt(int nIndex, CLVKReportRecord* pRecord);
    void RemoveAt(int nIndex);
    int Remove(CLVKReportRecord* pRecord);
    void RemoveAll();
    void Reserve(int nCount) { m_arrRecords.reserve(nCount); }
    void SetVirtualMode(CLVKReportRecord* pVirtualRecord, int nCount);
    BOOL IsVirtualMode() const { return m_pVirtualRecord != nullptr; }
    BOOL IsCaseSensitive() const { return m_bCaseSensitive; }
    void SetCaseSensitive(BOOL bCaseSensitive) { m_bCaseSensitive = bCaseSensitive; }
    void SetControl(CLVKReportControl* pControl) { m_pControl = pControl; }
    CLVKReportControl* GetControl() const { return m_pControl; }
    CLVKReportRecord* GetOwnerRecord() const { return m_pOwnerRecord; }
    // Text search over the records in order (flags LVK_REPORT_FIND_*).
    virtual CLVKReportRecordItem* FindRecordItem(int nStartRecord, int nEndRecord, int nStartColumn, int nEndColumn,
                                                 int nRecord, int nItem, LPCWSTR lpszText, int nFlags);
    // Of records listed with some of their ancestors, keeps only the ancestors.
    virtual void RemoveNestedRecords();

protected:
    std::vector<CLVKReportRecord*> m_arrRecords;
    CLVKReportRecord* m_pVirtualRecord = nullptr;
    int m_nVirtualCount = 0;
    CLVKReportControl* m_pControl = nullptr;
    BOOL m_bArray = FALSE;
    BOOL m_bCaseSensitive = TRUE;
    CLVKReportRecord* m_pOwnerRecord = nullptr;
};
