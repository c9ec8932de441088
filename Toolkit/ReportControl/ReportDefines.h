// Shared declarations of the report control: notification codes and records,
// the argument records handed to items and the paint manager, alignment flags.
#pragma once

#include "Foundation/CmdTarget.h"

#include <algorithm>
#include <functional>
#include <memory>

class CLVKReportControl;
class CLVKReportRow;
class CLVKReportGroupRow;
class CLVKReportRows;
class CLVKReportRecord;
class CLVKReportRecords;
class CLVKReportRecordItem;
class CLVKReportColumn;
class CLVKReportColumns;
class CLVKReportSection;
class CLVKReportSections;
class CLVKReportPaintManager;
class CLVKReportHeader;
class CLVKReportSelectedRows;

// Notification codes sent to the owner with WM_NOTIFY.
#define REPORT_NOTIFY_HEADER_RCLICK (-51)
#define REPORT_NOTIFY_SELECTION_CHANGED (-52)
#define REPORT_NOTIFY_CHECKED (-53)
#define REPORT_NOTIFY_HYPERLINK (-54)
#define REPORT_NOTIFY_COLUMN_ORDER_CHANGED (-55)
#define REPORT_NOTIFY_SORTED (-56)
#define REPORT_NOTIFY_VALUE_CHANGED (-57)
#define REPORT_NOTIFY_INPLACE_BUTTON_DOWN (-58)
#define REPORT_NOTIFY_ROW_EXPANDED (-59)
#define REPORT_NOTIFY_LBUTTON_DOWN (-60)
#define REPORT_NOTIFY_GET_ITEM_METRICS (-61)
#define REPORT_NOTIFY_REQUEST_EDIT (-62)
#define REPORT_NOTIFY_SORT_ORDER_CHANGED (-67)
#define REPORT_NOTIFY_COLUMN_WIDTH_CHANGED (-68)
#define REPORT_NOTIFY_PREVIEW_KEYDOWN (-69)
#define REPORT_NOTIFY_EDIT_CANCELED (-72)
#define REPORT_NOTIFY_INPLACE_KEYDOWN (-73)
#define REPORT_NOTIFY_GET_TOOLTIP_INFO (-74)
#define REPORT_NOTIFY_FOCUS_CHANGING (-76)
#define REPORT_NOTIFY_BEGIN_EDIT (-78)
#define REPORT_NOTIFY_SELECTION_CHANGING (-80)
#define REPORT_NOTIFY_GROUP_ORDER_CHANGED (-82)
#define REPORT_NOTIFY_ITEM_BUTTON_CLICK (-83)
#define REPORT_NOTIFY_COLUMN_EXPANDED (-84)
#define REPORT_NOTIFY_RANGE_SELECTED (-88)
#define REPORT_NOTIFY_LBUTTON_UP (-89)
#define REPORT_NOTIFY_HSCROLL (-90)
#define REPORT_NOTIFY_VSCROLL (-91)
#define REPORT_NOTIFY_HOT_ROW_CHANGED (-92)

struct REPORT_ITEM_NOTIFY
{
    NMHDR hdr;
    CLVKReportRow* pRow;
    CLVKReportRecordItem* pItem;
    CLVKReportColumn* pColumn;
    int nHyperlink;
    POINT pt;
};

struct REPORT_ITEM_NOTIFY_EX : REPORT_ITEM_NOTIFY
{
    LPARAM lExtra;
};

struct REPORT_PAIR_NOTIFY
{
    NMHDR hdr;
    LPARAM lFirst;
    LPARAM lSecond;
};

struct REPORT_KEY_NOTIFY
{
    NMHDR hdr;
    UINT nVKey;
    UINT nRepCnt;
    UINT nFlags;
    BOOL bCancel;
};

struct REPORT_COLUMN_WIDTH_NOTIFY
{
    NMHDR hdr;
    CLVKReportColumn* pColumn;
    int nPrevWidth;
    int nNewWidth;
};

// Alignment flags of cells: the DrawText-style text alignment in the low bits,
// icon and check box placement, vertical placement.
#define LVK_REPORT_ALIGN_WORDBREAK 0x00000010
#define LVK_REPORT_ICON_LEFT 0x00100000
#define LVK_REPORT_ICON_CENTER 0x00200000
#define LVK_REPORT_ICON_RIGHT 0x00400000
#define LVK_REPORT_VALIGN_TOP 0x01000000
#define LVK_REPORT_VALIGN_BOTTOM 0x04000000

struct LVK_REPORTRECORDITEM_ARGS
{
    LVK_REPORTRECORDITEM_ARGS() = default;
    LVK_REPORTRECORDITEM_ARGS(CLVKReportControl* pControl, CLVKReportRow* pRow, CLVKReportColumn* pColumn);
    virtual ~LVK_REPORTRECORDITEM_ARGS() = default;

    CLVKReportControl* pControl = nullptr;
    CLVKReportRow* pRow = nullptr;
    CLVKReportColumn* pColumn = nullptr;
    CLVKReportRecordItem* pItem = nullptr;
    RECT rcItem{};
};

struct LVK_REPORTRECORDITEM_DRAWARGS : LVK_REPORTRECORDITEM_ARGS
{
    CDC* pDC = nullptr;
    int nTextAlign = 0;
};

struct LVK_REPORTRECORDITEM_CLICKARGS : LVK_REPORTRECORDITEM_ARGS
{
    POINT ptClient{};
};

// The look of one cell as it is about to be drawn.
class LVK_REPORTRECORDITEM_METRICS : public CLVKCmdTarget
{
public:
    CFont* pFont = nullptr;
    COLORREF clrForeground = static_cast<COLORREF>(-1);
    COLORREF clrBackground = static_cast<COLORREF>(-1);
    CString strText;
    int nGroupRowIcon = -1;
    int nGroupRowIconAlignment = 0x208;
    int nColumnAlignment = 0;
    int nItemIcon = -1;
    DWORD dwTreeLines = 0;
    DWORD dwFlags = 0;
};

// Gives one reference of a report object back when the holder ends, so that
// every return path releases what it took.
struct LVKReportReferenceRelease
{
    void operator()(CCmdTarget* pObject) const
    {
        if (pObject)
            pObject->InternalRelease();
    }
};
template <class T>
using LVKReportReference = std::unique_ptr<T, LVKReportReferenceRelease>;

// What lies under a point (CLVKReportControl::HitTest).
struct LVK_REPORT_HITTESTINFO
{
    int ht = 0;  // 0 nothing, 1 header, 2 group box, 3 body rows, 5 header records, 6 footer records
    CLVKReportColumn* pColumn = nullptr;
    CLVKReportRow* pRow = nullptr;
    CLVKReportRecordItem* pItem = nullptr;
    int iBlock = 0;
    int iReserved = 0;
};

// Formats one value with a caller's format string only when the format holds
// exactly one conversion of the expected kind ('s' text, 'f' floating point)
// and nothing that writes memory (%n) or takes extra arguments (*); otherwise
// the plain format is used. Formats may come from saved state.
CString AFX_CDECL LVKReportFormatText(const CString& strFormat, LPCWSTR lpszValue);
CString AFX_CDECL LVKReportFormatDouble(const CString& strFormat, double dValue);
BOOL AFX_CDECL LVKReportIsSafeFormat(LPCWSTR lpszFormat, WCHAR chKind);

// Text search flags of FindRecordItem.
#define LVK_REPORT_FIND_WHOLE 0x1
#define LVK_REPORT_FIND_MATCHCASE 0x2
#define LVK_REPORT_FIND_BACKWARD 0x4
#define LVK_REPORT_FIND_START 0x8

// TRUE when a caption matches the searched text under the flags above; an
// empty caption never matches.
BOOL AFX_CDECL LVKReportCaptionMatches(const CString& strCaption, const CString& strText, int nFlags);
// The first item of the run of records (recordAt gives the record at a
// position) whose caption matches; ranges are clamped and ordered, and a
// backward search runs from the end.
CLVKReportRecordItem* AFX_CDECL LVKReportFindRecordItem(CLVKReportControl* pControl, int nCount,
                                                        const std::function<CLVKReportRecord*(int)>& recordAt,
                                                        int nStartRow, int nEndRow, int nStartColumn, int nEndColumn,
                                                        int nFromRow, int nFromColumn, LPCWSTR lpszText, int nFlags);

// Reads a caption as a number for formulas; unreadable text gives 0.0.
double AFX_CDECL ReportTextToDouble(const CString& strText);
