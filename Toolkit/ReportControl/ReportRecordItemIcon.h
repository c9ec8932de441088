// A cell that, in the control's icon view, shows its caption centred under
// the record's large icon; outside the icon view it is a plain cell.
#pragma once

#include "ReportRecordItem.h"

class CLVKReportRecordItemIcon : public CLVKReportRecordItem
{
    DECLARE_DYNCREATE(CLVKReportRecordItemIcon)

public:
    // Text centred and word-wrapped, icon centred at the top.
    CLVKReportRecordItemIcon();

    int Draw(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs) override;
    void OnDrawCaption(LVK_REPORTRECORDITEM_DRAWARGS* pDrawArgs, LVK_REPORTRECORDITEM_METRICS* pMetrics) override;
    void GetCaptionRect(LVK_REPORTRECORDITEM_ARGS* pArgs, RECT& rcItem) override;

    // The caption's draw flags in the icon view.
    static const UINT kIconViewTextFormat =
        DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL | DT_END_ELLIPSIS | DT_WORD_ELLIPSIS;

protected:
    static BOOL IsIconViewOf(const LVK_REPORTRECORDITEM_ARGS* pArgs);
    // The height of the large icon above the caption.
    static int GetIconViewIconHeight(CLVKReportControl* pControl);
};
