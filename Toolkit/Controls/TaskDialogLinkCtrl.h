// The text control of the emulated task dialog that shows anchors
// (<a href="target">text</a>) as underlined links: it word-wraps the text
// itself, lets the user focus links with Tab and the mouse, and reports a
// click (mouse, Enter or Space) to its owner as WM_COMMAND; the dialog reads
// the focused link's target from it. Clicks beside the links fall through to
// the dialog.
#pragma once

#include "Framework.h"

#include <memory>
#include <vector>

class CLVKTaskDialogLinkCtrl : public CWnd
{
public:
    struct LINKITEM
    {
        int nStart = 0;  // position of the link's text in the display text
        int nIndex = 0;
        CString strText;
        CString strTarget;
        std::vector<RECT> arrRects;  // where its pieces were drawn last
    };

    CLVKTaskDialogLinkCtrl() = default;
    ~CLVKTaskDialogLinkCtrl() override;

    // Makes the window over a text with links; FALSE (no window) for an empty
    // text, no font, no parent or a text without links. On success strText
    // becomes the display text (anchors replaced by their link texts).
    virtual BOOL Create(const RECT& rect, CString& strText, HFONT hFont, CWnd* pParentWnd);

    // The anchor at or after nFrom: its start and length; FALSE when none. An
    // anchor lacking its closing quote, ">" or "</a>" is not one.
    static BOOL AFX_CDECL FindNextLink(const CString& strText, int nFrom, int& nStart, int& nLength);
    // Replaces every anchor of strText by its link text and records the links.
    BOOL ParseLinks(CString& strText);

    const LINKITEM* GetFocusedLink() const;
    void SetFocusedLink(int nIndex);
    const LINKITEM* HitTestLink(int x, int y) const;
    void RemoveAllLinks();

    int GetLinkCount() const { return static_cast<int>(m_arrLinks.size()); }
    const LINKITEM* GetLink(int nIndex) const;
    const CString& GetDisplayText() const { return m_strText; }
    void SetColors(COLORREF clrBack, COLORREF clrText)
    {
        m_clrBack = clrBack;
        m_clrText = clrText;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();
    void DrawLinkText(HDC hDC, const RECT& rc);
    void DrawTextRun(HDC hDC, POINT& pen, int nLineWidth, const CString& strRun, LINKITEM* pLink);
    int DrawTextPiece(HDC hDC, const CString& strPiece, int x, int y, LINKITEM* pLink);
    void SendClick();
    LRESULT OnGetDlgCode(MSG* pMsg);

    int m_nFocusedLink = -1;
    HFONT m_hLinkFont = nullptr;  // owned: the window's font underlined
    CString m_strText;
    HCURSOR m_hHandCursor = ::LoadCursorW(nullptr, IDC_HAND);
    COLORREF m_clrBack = static_cast<COLORREF>(-1);
    COLORREF m_clrText = ::GetSysColor(COLOR_WINDOWTEXT);
    COLORREF m_clrLink = RGB(0, 102, 204);
    std::vector<std::unique_ptr<LINKITEM>> m_arrLinks;
};
