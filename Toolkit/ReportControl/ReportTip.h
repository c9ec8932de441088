// The item tip: a pop-up laid over a cell whose text does not fit, showing
// the whole text. Each report control owns one.
#pragma once

#include "ReportDefines.h"

class CLVKReportTip : public CWnd
{
public:
    CLVKReportTip() = default;
    ~CLVKReportTip() override;

    BOOL Create(CWnd* pParentWnd);
    void SetFont(CFont* pFont);
    void SetTooltipText(LPCWSTR lpszText) { m_strTooltipText = lpszText; }
    const CString& GetTooltipText() const { return m_strTooltipText; }
    BOOL IsMultiLine() const { return !m_strTooltipText.IsEmpty() && m_strTooltipText.Find(L'\n') >= 0; }
    // Shows the tip at the text rectangle (screen coordinates), or hides it.
    void Activate(BOOL bShow, BOOL bMultiLine);
    void SetHoverRect(const RECT& rc) { m_rcHover = rc; }
    const RECT& GetHoverRect() const { return m_rcHover; }
    void SetTooltipRect(const RECT& rc) { m_rcTooltip = rc; }
    // The rectangle the tip takes when shown: the width of one line of text,
    // kept inside the monitor's work area.
    RECT AdjustRect(RECT rc) const;

    CLVKReportRecordItem* m_pItem = nullptr;
    int m_nRowIndex = -1;
    CLVKReportControl* m_pReportControl = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();
    // The font set with SetFont, or the default GUI font.
    CFont* GetTextFont() const;

    RECT m_rcHover{};
    RECT m_rcTooltip{};
    CWnd* m_pParentWnd = nullptr;
    CString m_strTooltipText;
    CFont m_font;
    BOOL m_bMultiLine = FALSE;
};
