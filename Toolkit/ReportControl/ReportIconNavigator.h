// The navigator of the icon view: rows are laid out as lines of icons, so up
// and down move by a line, left and right by one icon.
#pragma once

#include "ReportNavigator.h"

class CLVKReportIconNavigator : public CLVKReportNavigator
{
public:
    explicit CLVKReportIconNavigator(CLVKReportControl* pControl) : CLVKReportNavigator(pControl) {}

    void BeginEdit() override;
    void MoveDown(BOOL bShiftKey, BOOL bControlKey) override;
    void MoveUp(BOOL bShiftKey, BOOL bControlKey) override;
    void MoveNext(BOOL bShiftKey, BOOL bControlKey) override;
    void MovePrevious(BOOL bShiftKey, BOOL bControlKey) override;
    void MoveLeftRight(BOOL bBack, BOOL bShiftKey, BOOL bControlKey) override;
    void MovePageDown(BOOL bShiftKey, BOOL bControlKey) override;
    void MovePageUp(BOOL bShiftKey, BOOL bControlKey) override;

private:
    int GetIconsPerLine() const;
    // Down or up by one line of icons: the nearest row in the focused row's
    // column of icons.
    void MoveByLine(BOOL bDown, BOOL bShiftKey, BOOL bControlKey);
};
