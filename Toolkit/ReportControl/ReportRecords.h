// The records of a section, or the child records of a record.
#pragma once

#include "ReportDefines.h"
#include "ReportHeapAllocator.h"

#include <vector>

class CLVKMarkupContext;
class CLVKPropExchange;

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
    // Hands the control to the collection and to every record in it.
    void SetControl(CLVKReportControl* pControl);
    CLVKReportControl* GetControl() const { return m_pControl; }
    CLVKReportRecord* GetOwnerRecord() const { return m_pOwnerRecord; }
    // Text search over the records in order (flags LVK_REPORT_FIND_*).
    virtual CLVKReportRecordItem* FindRecordItem(int nStartRecord, int nEndRecord, int nStartColumn, int nEndColumn,
                                                 int nRecord, int nItem, LPCWSTR lpszText, int nFlags);
    // Of records listed with some of their ancestors, keeps only the ancestors.
    virtual void RemoveNestedRecords();
    // The first record whose tag holds this number (children searched depth
    // first after each record that does not match, when asked).
    virtual CLVKReportRecord* FindRecordByTag(double dValue, BOOL bRecursive = FALSE);
    // Replaces the record at an index (the old one is released).
    virtual void SetAt(int nIndex, CLVKReportRecord* pRecord);
    // Releases the records from nSize on.
    virtual void SetSize(int nSize);
    // Persistence: the schema, then the records through "Record" entries,
    // each with its class name.
    virtual void DoPropExchange(CLVKPropExchange* pPX);
    virtual void ExchangeRecords(CLVKPropExchange* pPX);
    // Moves the records (a reference-only list of dropped records) that
    // belong to this collection to a position, keeping their order.
    void MoveRecordsTo(int nPosition, CLVKReportRecords* pSource);
    // For each record (skipping those already in pTarget): a record that is
    // pExcept or one of its ancestors leaves this list; with bMove any other
    // record moves from its owner into pTarget.
    virtual void MoveRecords(CLVKReportRecord* pExcept, CLVKReportRecords* pTarget, BOOL bMove);

    // The markup context that cells of these records parse their captions in
    // (set by the section; children find it through their parents).
    CLVKMarkupContext* GetMarkupContext() const { return m_pMarkupContext; }
    void SetMarkupContext(CLVKMarkupContext* pContext) { m_pMarkupContext = pContext; }
    BOOL IsReferenceOnly() const { return m_bArray; }

protected:
    std::vector<CLVKReportRecord*> m_arrRecords;
    CLVKReportRecord* m_pVirtualRecord = nullptr;
    int m_nVirtualCount = 0;
    CLVKReportControl* m_pControl = nullptr;
    BOOL m_bArray = FALSE;
    BOOL m_bCaseSensitive = TRUE;
    CLVKReportRecord* m_pOwnerRecord = nullptr;
    CLVKMarkupContext* m_pMarkupContext = nullptr;
};
