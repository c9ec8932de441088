// A page header or footer of the printable controls: a font, a colour and a
// format whose macros expand to page numbers, dates, times and the window
// title, split into a left, a centre and a right part.
//   &p page, &P page count, &d &D short and long date, &t &T time (12- and
//   24-hour), &w window title, &b next part, && an ampersand, \n a new line.
#pragma once

#include "CmdTarget.h"

class CLVKPrintOptions;
class CPrintInfo;

class CLVKPrintPageHeaderFooter : public CLVKCmdTarget
{
public:
    CLVKPrintPageHeaderFooter(CLVKPrintOptions* pOwner, BOOL bHeader);

    // Expands the format for one page into the three parts; nLastPage >= 1
    // prints the page as a range "current-last".
    virtual void FormatTexts(CPrintInfo* pInfo, LPCWSTR lpszWindowTitle, int nLastPage = 0);
    // Measures (and unless bMeasureOnly draws) into the band rectangle; a
    // header moves the rectangle's bottom, a footer its top, to the band used.
    virtual void Draw(CDC* pDC, CRect& rcBand, BOOL bMeasureOnly = FALSE);
    virtual void CopyFrom(const CLVKPrintPageHeaderFooter* pOther);
    virtual void Clear();
    virtual BOOL IsEmpty() const;
    // The widths and heights of the three parts in a band of width nWidth;
    // answers the tallest height.
    virtual int CalcWidths(CDC* pDC, int nWidth, const CString& strLeft, const CString& strCenter,
                           const CString& strRight, CSize& szLeft, CSize& szCenter, CSize& szRight);
    // With exactly one non-empty part, that part takes the whole width: its
    // height; -1 otherwise.
    virtual int CalcSinglePart(CDC* pDC, int nWidth, const CString& strLeft, const CString& strCenter,
                               const CString& strRight, CSize& szLeft, CSize& szCenter, CSize& szRight);
    virtual void SplitParts(const CString& strText, CString& strLeft, CString& strCenter, CString& strRight);
    virtual void ExpandDateTime(CString& strText, LCID lcid);

    LOGFONTW m_lfFont{};
    COLORREF m_clrColor = 0;
    CString m_strFormat;
    CString m_strLeft;
    CString m_strCenter;
    CString m_strRight;

protected:
    // The local time the date and time macros show; tests fix it.
    virtual SYSTEMTIME GetCurrentTime() const;

private:
    BOOL m_bHeader;
    CLVKPrintOptions* m_pOwner;
};
