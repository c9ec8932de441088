// The three sections of a control, laid out from top to bottom.
#pragma once

#include "ReportDefines.h"

class CLVKReportSections : public CLVKCmdTarget
{
public:
    explicit CLVKReportSections(CLVKReportControl* pControl);
    ~CLVKReportSections() override;

    virtual BOOL EnsureVisible(CDC* pDC, CLVKReportRow* pRow);
    virtual void Draw(CDC* pDC);
    virtual void AdjustLayout(CDC* pDC, int nLeft, int nTop, int nRight, int nBottom);
    virtual void ReSort();
    virtual void RefreshIndexes(BOOL bAdjustScrollBars);
    virtual void ResetContent();

    int GetSize() const { return 3; }
    CLVKReportSection* GetAt(int nIndex) const { return nIndex >= 0 && nIndex < 3 ? m_arrSections[nIndex] : nullptr; }
    int IndexOf(const CLVKReportSection* pSection) const;
    CLVKReportRow* GetFocusedRow() const;
    const RECT& GetRect() const { return m_rcSections; }
    CLVKReportSection* HitTest(POINT pt) const;

private:
    CLVKReportControl* m_pControl = nullptr;
    CLVKReportSection* m_arrSections[3] = {};
    RECT m_rcSections{};
};
