// A small button shown beside (or inside) the edited cell: expand (100),
// combo (101) opening the list of allowed values, spin (102) stepping a
// number. The edit options own the buttons; the cell places their windows.
#pragma once

#include "ReportInplaceControl.h"
#include "ReportRecordItemEditOptions.h"

#include <climits>

class CLVKReportInplaceButton : public CWnd, public CLVKReportInplaceControl
{
public:
    explicit CLVKReportInplaceButton(UINT nID);
    ~CLVKReportInplaceButton() override;

    // Takes its strip at the edge of rcButtons and moves that edge outward.
    void Create(LVK_REPORTRECORDITEM_ARGS* pArgs, RECT& rcButtons);

    UINT GetID() const { return m_nID; }
    int GetWidth() const;
    void SetWidth(int nWidth) { m_nWidth = nWidth; }
    BOOL IsInsideCellButton() const { return m_bInsideCell; }
    void SetInsideCellButton(BOOL bInside) { m_bInsideCell = bInside; }
    int GetMaxVisibleItems() const { return m_nMaxVisibleItems; }
    void SetMaxVisibleItems(int nItems) { m_nMaxVisibleItems = nItems; }
    void SetSpinButtonMin(int nMin) { m_nMin = nMin; }
    void SetSpinButtonMax(int nMax) { m_nMax = nMax; }
    void SetSpinButtonStep(int nStep) { m_nStep = nStep; }
    int GetSpinButtonMin() const { return m_nMin; }
    int GetSpinButtonMax() const { return m_nMax; }
    int GetSpinButtonStep() const { return m_nStep; }
    BOOL IsPressed() const { return m_bPressed && m_bOver; }
    BOOL IsHot() const { return m_bHot; }
    // 1 upper half, 2 lower half of a spin button; 0 none.
    int GetPressedSpinPart() const { return m_nSpinPart; }
    void SetPressedSpinPart(int nPart) { m_nSpinPart = nPart; }
    // The value a spin press makes of nValue: the step added in 64 bits and
    // the result held within the button's range and an int's range.
    int StepValue(long long nValue) const;
    void SetIconIndex(int nIcon) { m_nIconIndex = nIcon; }
    int GetIconIndex() const { return m_nIconIndex; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint();
    void OnLButtonDown(POINT pt);

private:
    UINT m_nID = 0;
    int m_nWidth = 0;
    int m_nFixedHeight = 19;
    BOOL m_bInsideCell = FALSE;
    int m_nMaxVisibleItems = 10;
    int m_nMin = INT_MIN;
    int m_nMax = INT_MAX;
    int m_nStep = 1;
    BOOL m_bPressed = FALSE;
    BOOL m_bOver = FALSE;
    BOOL m_bHot = FALSE;
    int m_nSpinPart = 0;
    int m_nIconIndex = -1;
};
