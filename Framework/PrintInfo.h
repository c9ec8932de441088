// What a printing loop tells the code that prints one page: the page range
// the print dialog settled on, the current page and the area to draw in.
#pragma once

#include "Types.h"

#include <commdlg.h>

class CPrintInfo
{
public:
    CPrintInfo();

    void SetMinPage(UINT nMinPage) { m_pd.nMinPage = static_cast<WORD>(nMinPage); }
    void SetMaxPage(UINT nMaxPage) { m_pd.nMaxPage = static_cast<WORD>(nMaxPage); }
    UINT GetMinPage() const { return m_pd.nMinPage; }
    // 0xFFFF while the page count is not known.
    UINT GetMaxPage() const { return m_pd.nMaxPage; }
    UINT GetFromPage() const { return m_pd.nFromPage; }
    UINT GetToPage() const { return m_pd.nToPage; }

    // The print dialog's settings.
    PRINTDLGW m_pd;
    BOOL m_bPreview = FALSE;
    BOOL m_bContinuePrinting = TRUE;
    UINT m_nCurPage = 1;
    CRect m_rectDraw;
    LPVOID m_lpUserData = nullptr;
};
