// The body of the emulated task dialog: from the task-dialog configuration
// record it builds the child controls, loads texts, icons and fonts, lays
// everything out, sizes and centres the window, paints the texts, icons and
// area backgrounds (classic or themed), and turns clicks into the task
// dialog's notifications and the end of the dialog.
#pragma once

#include "Framework.h"
#include "Controls/Button.h"
#include "Foundation/Font.h"
#include "TaskDialogLinkCtrl.h"
#include "TaskDialogProgressCtrl.h"
#include "TaskDialogTextItem.h"

#include <commctrl.h>

#include <map>
#include <memory>
#include <vector>

class CLVKMarkupContext;
class CLVKMarkupObject;
class CLVKButton;
class CLVKButtonTheme;

// Sent when the text of the input box changes.
#define TASKDIALOG_NOTIFY_INPUTBOX_CHANGED 200

class CLVKTaskDialogClient : public CDialog
{
public:
    // Control id of the input box.
    static constexpr UINT kInputBoxId = 544;

    explicit CLVKTaskDialogClient(TASKDIALOGCONFIG* pConfig);
    ~CLVKTaskDialogClient() override;

    // Accessibility of the painted texts: the registered message
    // "LVKTaskDialogGetText" (wParam: a window, lParam: TDE_CONTENT,
    // TDE_EXPANDED_INFORMATION, TDE_FOOTER or TDE_MAIN_INSTRUCTION) makes the
    // dialog send that window the element's text as WM_COPYDATA (dwData: the
    // element, the text in UTF-16 without its zero) and answer 1, so that
    // screen readers and test tools read the dialog from any process. Markup
    // is answered as the text it shows, without its tags.
    static UINT AFX_CDECL GetTextQueryMessage();

    // Builds every control, text, icon and font; FALSE when a control cannot
    // be made (the controls made so far stay).
    virtual BOOL InitializeClient(BOOL bFirstTime);
    // Removes all content but the input box. Control windows go only once
    // the messages running now have returned (a navigation from a button's
    // click must not delete that button under its own feet).
    void DestroyControls();
    // Lays out again, sizes (and with bMoveWindow moves) the window, repaints.
    void UpdateLayout(BOOL bMoveWindow);
    virtual void RefreshMetrics();
    virtual void RefreshColors();

    // A configuration text: null gives "", a resource id is loaded from the
    // record's module when it has the string's block, else through the
    // toolkit's resource manager.
    CString LoadText(PCWSTR pszValue) const;
    HICON CreateIconFromSource(PCWSTR pszValue, int cx, int cy, BOOL bIsHandle) const;
    static HICON AFX_CDECL LoadStandardIcon(UINT nId, int cx, int cy, BOOL bUseSystemIcons = FALSE);

    SIZE CalcButtonSize(const CString& strCaption, SIZE inset, int nMaxWidth) const;
    SIZE CalcButtonSize(const CString& strCaption) const;
    SIZE CalcCommonButtonSize() const;
    int CalcContentWidth();
    int CalcCommandLinkWidth(const CString& strCaption, int nWidth) const;
    // The button's markup caption, when it has one, gives the title's size.
    SIZE CalcCommandLinkSize(const CString& strCaption, CLVKButton* pButton, int nWidth) const;
    RECT CalcButtonAreaRect(int nWidth) const;
    SIZE LayoutClient(int nWidth);

    // The configuration's callback with this window; E_FAIL without one.
    HRESULT SendNotification(UINT nCode, WPARAM wParam, LPARAM lParam);

    // Element rectangles: 0 main instruction, 1 content, 2 button area,
    // 3 expanded information, 4 footer, 5 radio area, 6 command-link area.
    enum
    {
        rectMainInstruction,
        rectContent,
        rectButtonArea,
        rectExpanded,
        rectFooter,
        rectRadio,
        rectCommandLinks,
        rectCount
    };
    const RECT& GetElementRect(int nIndex) const { return m_rects[nIndex]; }
    BOOL IsThemed() const { return m_bThemed; }
    BOOL IsExpanded() const { return m_bExpanded; }
    COLORREF GetColor(int nIndex) const { return m_colors[nIndex]; }
    const TASKDIALOGCONFIG* GetConfigRecord() const { return m_pConfig; }
    HFONT GetBodyFont() const { return m_hBodyFont; }
    HICON GetMainIcon() const;
    HFONT GetMainFont() const { return m_hMainFont; }
    int GetMarginX() const { return m_nMarginX; }
    int GetMarginY() const { return m_nMarginY; }
    CLVKTaskDialogProgressCtrl& GetProgressBar() { return m_progressBar; }
    CLVKTaskDialogLinkCtrl& GetContentLink() { return m_contentLink; }
    CLVKTaskDialogLinkCtrl& GetFooterLink() { return m_footerLink; }
    CLVKButton* GetExpandoButton() const { return m_pExpandoButton.get(); }
    CLVKButton* GetVerificationBox() const { return m_pVerificationBox.get(); }
    // Forces the themed look whatever the system says (screenshots, tests).
    void SetForceThemed(BOOL bForce) { m_bForceThemed = bForce; }

    // Colour slots.
    enum
    {
        colorMainBack,
        colorMainText,
        colorLowerBack,
        colorFooterText,
        colorMainInstruction,
        colorSeparator,
        colorShadow,
        colorHighlight,
        colorCount
    };

    // Fields that configure the dialog and hold its results.
    BOOL m_bMarkupEnabled = FALSE;
    BOOL m_bInputBoxEnabled = FALSE;
    CString m_strInputBoxText;
    int m_nSelectedRadioButton = 0;
    BOOL m_bVerificationChecked = FALSE;

protected:
    virtual BOOL LoadIcons();
    virtual BOOL LoadTexts();
    virtual BOOL CreateFonts();
    virtual BOOL CreateCommonButtons();
    virtual BOOL CreateCommandButtons();
    virtual BOOL CreateRadioButtons();
    virtual BOOL CreateExpandoButton();
    virtual BOOL CreateProgressBar();
    virtual BOOL CreateInputBox();
    virtual void DrawMainInstruction(HDC hDC);
    virtual void DrawContent(HDC hDC);
    virtual void DrawFooter(HDC hDC);
    virtual void DrawBackground(HDC hDC, const RECT& rc);
    virtual void DrawExpandedInformation(HDC hDC);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // With markup, every message goes first to the markup text under the
    // cursor (or to the markup context when none is); what the markup
    // handles goes no further.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // A markup hyperlink was clicked (delegate of the markup context's click
    // event): TDN_HYPERLINK_CLICKED with its target, and the click is handled.
    void OnMarkupHyperlinkClick(CLVKMarkupObject* pSender, CLVKMarkupObject* pArgs);
    BOOL CanCancel() const;
    // Runs a click as the dialog's buttons do (TDM_CLICK_BUTTON uses it too).
    LRESULT OnClick(UINT nId, HWND hControl);
    void UpdateExpandoButton();
    // TDM_SET_ELEMENT_TEXT and TDM_UPDATE_ICON: 1 done, 0 for an unknown element.
    LRESULT SetElementText(int nElement, PCWSTR pszText);
    LRESULT UpdateIcon(int nIcon, PCWSTR pszIcon);
    void Paint(HDC hDC);
    // Destroys the controls that DestroyControls set aside.
    void ReapRetiredControls();

    TASKDIALOGCONFIG* m_pConfig = nullptr;
    std::vector<std::unique_ptr<CLVKButton>> m_arrPushButtons;
    std::vector<std::unique_ptr<CLVKButton>> m_arrCommandLinks;
    std::vector<std::unique_ptr<CLVKButton>> m_arrRadioButtons;
    std::unique_ptr<CLVKButton> m_pVerificationBox;
    std::unique_ptr<CLVKButton> m_pExpandoButton;
    CLVKTaskDialogProgressCtrl m_progressBar;
    std::unique_ptr<CWnd> m_pInputBox;
    CLVKTaskDialogLinkCtrl m_contentLink;
    CLVKTaskDialogLinkCtrl m_expandedLink;
    CLVKTaskDialogLinkCtrl m_footerLink;

private:
    // A toolkit button with the body font, its size recorded; with a theme
    // object the caption is left-aligned and the theme draws it. Null when
    // the window cannot be made.
    CLVKButton* CreateButtonControl(UINT nId, const CString& strCaption, SIZE size, DWORD dwStyle,
                                    std::unique_ptr<CLVKButtonTheme> pTheme);
    // A command-link arrow bitmap of the toolkit (mirrored for right-to-left).
    BOOL LoadArrowImage(UINT nId, CLVKIconImage& image) const;
    BOOL CreatePushButton(UINT nId, const CString& strCaption, SIZE size);
    BOOL CreateCommonButton(UINT nId, UINT nStringId, SIZE size);
    // Registers the markup hyperlink delegate with a markup context.
    void AddHyperlinkHandler(CLVKMarkupContext* pContext);
    void CreateLinkControl(CLVKTaskDialogLinkCtrl& link, TaskDialogTextItem& item);
    RECT CalcTextBlockRect(const TaskDialogTextItem& item, int nWidth, HFONT hFont) const;
    int MeasureTextWidth(const TaskDialogTextItem& item, int nWidth, HFONT hFont) const;
    void SetTabOrder();
    void PositionControls();
    void SizeAndCenterWindow(SIZE client, BOOL bMoveWindow);
    void MoveControl(CWnd* pWnd, int x, int y, int cx, int cy);
    void DrawTextBlock(HDC hDC, const TaskDialogTextItem& item, const RECT& rc, COLORREF clr, HFONT hFont);
    void DrawIcon(HDC hDC, HICON hIcon, int x, int y, int cx, int cy);
    void FillLine(HDC hDC, int nLeft, int nRight, int y, COLORREF clr);
    bool HasCommandLinks() const;
    void AnswerTextQuery(HWND hReceiver, int nElement);
    SIZE GetSize(CWnd* pWnd) const;
    void DestroyFonts();

    int m_nMaxWidth = 0;
    int m_nMinWidth = 0;
    int m_nEdgeUnit = 0;
    BOOL m_bExpanded = FALSE;
    BOOL m_bUseSystemIcons = FALSE;
    BOOL m_bThemed = FALSE;
    HICON m_hFooterIcon = nullptr;
    HICON m_hMainIcon = nullptr;
    // Shared by the command links, each holding a reference; this one too.
    CLVKImageManagerIcon* m_pArrow = nullptr;
    COLORREF m_colors[colorCount];
    // Shared fonts of the toolkit's font cache and their handles.
    CLVKFont m_bodyFont;
    CLVKFont m_mainFont;
    HFONT m_hBodyFont = nullptr;
    HFONT m_hMainFont = nullptr;
    int m_nMarginX = 0;
    int m_nMarginY = 0;
    int m_nSpacingX = 0;
    int m_nSpacingY = 0;
    int m_nButtonGap = 0;
    int m_nRowGap = 0;
    SIZE m_frameEdge{};
    SIZE m_smallIcon{};
    SIZE m_largeIcon{};
    SIZE m_commonButton{};
    RECT m_rects[rectCount];
    TaskDialogTextItem m_mainInstruction;
    TaskDialogTextItem m_content;
    TaskDialogTextItem m_footer;
    TaskDialogTextItem m_verificationText;
    TaskDialogTextItem m_expandedInformation;
    TaskDialogTextItem m_expandedControlText;
    TaskDialogTextItem m_collapsedControlText;
    std::map<HWND, SIZE> m_sizes;
    BOOL m_bForceThemed = FALSE;
    std::vector<std::unique_ptr<CWnd>> m_arrRetired;
    // Owned (reference counted); only while markup is enabled.
    CLVKMarkupContext* m_pMarkupContext = nullptr;
};
