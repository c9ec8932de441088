// The tooltip services of one toolkit window (or of several that share it):
// the window relays its mouse messages, the context asks the window's tool hit
// test which tool lies under the cursor, keeps one tip window of its style,
// loads the tool into it with the tooltip-control messages and shows or hides
// it. Fonts, colours, margins, delays and the title options are the context's.
#pragma once

#include "CmdTarget.h"
#include "Font.h"

#include <memory>

class CLVKImageManager;

enum LVKTipWindowStyle
{
    lvkTipStandard = 0,
    lvkTipBalloon = 1,
    lvkTipToolkit = 2,
    lvkTipRichEdit = 3,
    lvkTipLuna = 4,
    lvkTipOffice = 5,
    lvkTipHTML = 6,
    lvkTipMarkup = 7,
    lvkTipOffice2013 = 8,
};

// The record the lParam of a 44-byte tool-info record points to.
struct LVKToolInfoExtra
{
    LPWSTR lpszDescription;  // heap copy (HeapAlloc of the process heap)
    LPWSTR lpszTitle;        // heap copy
    CLVKImageManager* pImageManager;
    RECT rcPlacement;  // not empty: a toolkit tip is placed below it
};

// The 44-byte tool-info record: TTTOOLINFOW up to lParam.
const UINT kLVKToolInfoExtraSize = TTTOOLINFOW_V2_SIZE;

// A tool icon for the tip (lParam: a CLVKImageManagerIcon pointer or 0).
const UINT LVK_TTM_SETTOOLIMAGE = 0x2A49;
// Asked of a child window under the cursor: 1 makes its parent count instead.
const UINT LVK_WM_TOOLTIPTRANSPARENT = 0x2A48;
// The framework's private tool flag: the tip shows even in an inactive window.
const UINT kLVKTtfAlwaysTip = 0x40000000;
// Common controls 5.79, the last version without balloon tips (they came with 5.80).
const DWORD kLVKComCtlVersionBeforeBalloons = 0x5004F;

// Cuts a trailing "..." (but a text of exactly three dots stays).
void AFX_CDECL LVKStripTrailingEllipsis(LPWSTR lpszText);
// The window under a screen point, with children that answer
// LVK_WM_TOOLTIPTRANSPARENT with 1 replaced by their parent.
HWND AFX_CDECL LVKToolTipWindowFromPoint(POINT pt);

class CLVKToolTipContextToolTip;

class CLVKToolTipContext : public CLVKCmdTarget
{
public:
    // The kinds of tip window (defined with the toolkit tip window).
    class CStandardToolTip;
    class CLunaToolTip;
    class COfficeToolTip;
    class COffice2013ToolTip;
    class CRichEditToolTip;
    class CHTMLToolTip;

    CLVKToolTipContext();
    ~CLVKToolTipContext() override;

    static void AFX_CDECL InitToolInfo(TOOLINFOW* pTI, HWND hWnd, UINT_PTR nId, const RECT& rc, LPCWSTR lpszText);
    static void AFX_CDECL InitToolInfoEx(TOOLINFOW* pTI, HWND hWnd, UINT_PTR nId, const RECT& rc, LPCWSTR lpszText,
                                         LPCWSTR lpszTitle, LPCWSTR lpszDescription, CLVKImageManager* pImageManager);

    // The owning window's entry point for its mouse and keyboard messages.
    void RelayMouseMessage(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    // As above with the cursor position already in msg.pt.
    void RelayMessageToTip(HWND hWnd, const MSG& msg);
    void HideTip();

    void SetStyle(int nStyle);
    int GetStyle() const { return m_nStyle; }
    BOOL IsBalloonSupported() const { return m_dwComCtlVersion > kLVKComCtlVersionBeforeBalloons; }
    void ModifyStyleBits(DWORD dwRemove, DWORD dwAdd);
    DWORD GetStyleBits() const { return m_dwStyleBits; }

    // Makes the tip window of the markup style. The markup engine, which lies
    // above this layer, installs one; until then a markup tip is an Office
    // tip showing the text as it is. Null removes the maker.
    using MarkupTipMaker = std::unique_ptr<CLVKToolTipContextToolTip> (*)(CLVKToolTipContext* pContext);
    static void AFX_CDECL SetMarkupTipMaker(MarkupTipMaker pMaker);
    static MarkupTipMaker AFX_CDECL GetMarkupTipMaker();

    // The tip window of the current style, created; null on failure.
    virtual CWnd* MakeTipWindow(CWnd* pParent);
    // The window's tool under the client point, -1 for none.
    virtual INT_PTR HitTestTool(CWnd* pWnd, CPoint point, TOOLINFOW* pTI);

    void DrawBackground(CDC* pDC, const RECT& rc);
    COLORREF GetBackColor() const;
    COLORREF GetTextColor() const;
    int GetMaxTipWidth() const;

    void SetMaxTipWidth(int nWidth) { m_nMaxTipWidth = nWidth; }
    void SetMargin(const RECT& rc) { m_rcMargin = rc; }
    const RECT& GetMargin() const { return m_rcMargin; }
    // TTDT_INITIAL, TTDT_RESHOW or TTDT_AUTOPOP; -1 is the system's.
    void SetDelayTime(DWORD dwDuration, int nTime);
    void SetTipBkColor(COLORREF clr) { m_clrBack = clr; }
    void SetTipTextColor(COLORREF clr) { m_clrText = clr; }
    void ShowTitleAndDescription(BOOL bShow, int nTitleIcon = TTI_INFO)
    {
        m_bShowTitleAndDescription = bShow;
        m_nTitleIcon = nTitleIcon;
    }
    // Passes the icon of (tool id + nIdOffset) at nImageWidth from the tool's
    // image manager to the tip.
    void ShowImage(BOOL bShow, int nImageWidth = 1, int nIdOffset = 0)
    {
        m_bShowImage = bShow;
        m_nImageWidth = nImageWidth;
        m_nImageIdOffset = nIdOffset;
    }
    void SetStripEllipsis(BOOL bStrip) { m_bStripEllipsis = bStrip; }
    void SetScaleIcons(BOOL bScale) { m_bScaleIcons = bScale; }
    BOOL IsScaleIcons() const { return m_bScaleIcons; }
    // Only for tests and callers that need the common-controls gate.
    void SetComCtlVersion(DWORD dwVersion) { m_dwComCtlVersion = dwVersion; }

    CFont* GetFont() const { return m_font.GetFont(); }
    CFont* GetBoldFont() const { return m_boldFont.GetFont(); }
    CWnd* GetTipWindow() const { return m_pTip.get(); }
    const TTTOOLINFOW& GetLastTool() const { return m_lastTool; }

private:
    // The tip window for tools of the top-level window, made when needed.
    HWND EnsureTipFor(HWND hParent);
    // The window's tool under the screen point (-1 for none) with its texts
    // made ready for a tip; the texts are heap copies for the caller.
    INT_PTR HitTestToolAt(HWND hWnd, POINT ptScreen, TTTOOLINFOW& ti, LVKToolInfoExtra& extra);
    // Gives the tip the tool with its title, description and image, and
    // shows it where the window may show one.
    void LoadToolIntoTip(HWND hTip, const TTTOOLINFOW& ti, const LVKToolInfoExtra& extra, BOOL bTopLevelActive);
    void RememberTool(const TTTOOLINFOW& ti, INT_PTR nHit);
    void RelayEventToTip(HWND hTip, const MSG& msg);
    void DestroyTip();
    void ConfigureTip(HWND hTip);

    BOOL m_bShowTitleAndDescription = FALSE;
    BOOL m_bShowImage = FALSE;
    int m_nImageWidth = 1;
    int m_nImageIdOffset = 0;
    BOOL m_bScaleIcons = TRUE;
    int m_nStyle = lvkTipStandard;
    DWORD m_dwComCtlVersion = 0;
    int m_nTitleIcon = TTI_INFO;
    int m_nMaxTipWidth = 0;
    DWORD m_dwStyleBits = TTS_NOPREFIX;
    RECT m_rcMargin{};
    int m_nInitialDelay = -1;
    int m_nReshowDelay = -1;
    int m_nAutoPopTime = -1;
    std::unique_ptr<CWnd> m_pTip;
    HWND m_hTipParent = nullptr;
    TTTOOLINFOW m_lastTool{};
    COLORREF m_clrBack = static_cast<COLORREF>(-1);
    COLORREF m_clrText = static_cast<COLORREF>(-1);
    BOOL m_bStripEllipsis = TRUE;
    CLVKFont m_font;
    CLVKFont m_boldFont;
};
