// The report paint manager's item kinds: check boxes, icons and other item parts.
#include "ReportPaintManager.h"
#include "ReportPaintManagerPrivate.h"

#include "ReportColumn.h"
#include "ReportColumns.h"
#include "ReportControl.h"
#include "ReportGroupRow.h"
#include "ReportHeader.h"
#include "ReportHyperlink.h"
#include "ReportInplaceButton.h"
#include "ReportRecord.h"
#include "ReportRecordItem.h"
#include "ReportRecordItemControl.h"
#include "ReportRecords.h"
#include "ReportRow.h"
#include "ReportRows.h"
#include "ReportSection.h"
#include "ReportSelectedRows.h"
#include "ReportThemeClassicSupport.h"
#include "Foundation/PenDC.h"
#include "Foundation/FontDC.h"
#include "Foundation/DCSaveState.h"
#include "Foundation/BitmapDC.h"
#include "Foundation/ColorManager.h"
#include "Foundation/DpiScaling.h"
#include "Foundation/DrawHelpers.h"
#include "Foundation/ImageManager.h"
#include "Foundation/ImageManagerIcon.h"
#include "Foundation/ResourceManager.h"

#include <shellapi.h>
#include <vssym32.h>

#include <map>
#include <vector>

// Item kinds ------------------------------------------------------------------------

void CLVKReportPaintManager::SetPreviewFont(const LOGFONTW& lf)
{
    m_fontPreview.DeleteObject();
    m_fontPreview.CreateFontIndirect(&lf);
}

int CLVKReportPaintManager::CountPreviewLines(HDC hDC, int nWidth, const CString& strText) const
{
    if (nWidth < 1 || strText.IsEmpty())
        return 0;
    RECT rc{0, 0, nWidth, 0};
    DrawTextW(hDC, strText, strText.GetLength(), &rc, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    TEXTMETRICW tm{};
    GetTextMetricsW(hDC, &tm);
    const int nLineHeight = std::max(1, static_cast<int>(tm.tmHeight));
    const int nLines = (rc.bottom - rc.top + nLineHeight - 1) / nLineHeight;
    return std::max(1, std::min(nLines, m_nMaxPreviewLines));
}
