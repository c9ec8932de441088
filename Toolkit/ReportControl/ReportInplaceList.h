// The drop-down list of allowed values a combo button opens under a cell.
// One object per control; its window lives for one drop-down.
#pragma once

#include "ReportInplaceControl.h"

class CLVKReportRecordItemConstraint;
class CLVKReportRecordItemConstraints;

class CLVKReportInplaceList : public CWnd, public CLVKReportInplaceControl
{
public:
    CLVKReportInplaceList() = default;
    ~CLVKReportInplaceList() override;

    // Opens the list under rcButtons (client coordinates of the control).
    void Create(LVK_REPORTRECORDITEM_ARGS* pArgs, CLVKReportRecordItemConstraints* pConstraints);
    void Apply();
    void Cancel();
    virtual void OnSelectionChanged(int nIndex);

    int GetCurSel() const;
    int GetCount() const;
    CString GetText(int nIndex) const;
    CLVKReportRecordItemConstraint* GetConstraintAt(int nIndex) const;

    int m_nMaxVisibleItems = 10;
    // The tick count the type-ahead buffer is measured against; a test sets it.
    DWORD (*m_pfnTickCount)() = &SystemTickCount;

protected:
    static DWORD SystemTickCount() { return ::GetTickCount(); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
    void OnTypeAhead(WCHAR chTyped);

private:
    CString m_strSearch;
    DWORD m_dwLastKeyTick = 0;
    BOOL m_bApply = FALSE;
    HWND m_hWndOwner = nullptr;
};
