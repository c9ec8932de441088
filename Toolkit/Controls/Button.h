// CLVKButton: the toolkit's push button, check box, radio button and group
// box. It keeps the platform's button logic (clicks, BN_ notifications,
// auto check boxes, radio groups) and hands all painting to an exchangeable
// theme object chosen by number (WM_APPLY_CONTROL_THEME). It adds hot
// tracking, a flat style and four drop-down push styles, one of them a
// split button with its own drop-down part. Its caption may be markup,
// parsed and drawn through the markup engine.
#pragma once

#include "AfxButton.h"
#include "Controls/ControlTheme.h"
#include "Foundation/CmdTarget.h"
#include "Foundation/ImageManagerIcon.h"
#include "Foundation/ToolTipContext.h"

#include <memory>

class CLVKButtonTheme;
class CLVKMarkupContext;
class CLVKMarkupUIElement;

// Push styles.
#define LVK_BUTTON_NORMAL 0
#define LVK_BUTTON_DROPDOWN 1
#define LVK_BUTTON_DROPDOWNRIGHT 2
#define LVK_BUTTON_SPLITDROPDOWN 3
#define LVK_BUTTON_DROPDOWNNOGLYPH 4
// The notification code of the drop-down in WM_COMMAND to the parent.
#define LVK_BN_DROPDOWN 7

class CLVKButton : public CButton
{
    DECLARE_DYNAMIC(CLVKButton)
public:
    CLVKButton();
    ~CLVKButton() override;

    virtual int IsPushed() const { return m_nPushed; }
    virtual BOOL IsHighlighted() const;
    virtual int GetChecked() const;
    virtual DWORD GetTextAlignment() const;
    virtual DWORD GetImageAlignment() const { return m_dwImageAlignment; }
    virtual CSize GetImageSize() const;
    virtual BOOL IsImageDpiScaled() const { return m_bImageDpiScaled; }
    virtual void SetImageDpiScaled(BOOL bScaled) { m_bImageDpiScaled = bScaled; }
    // Draws the image in the variant of the button's state.
    virtual void DrawImage(CDC* pDC, const CRect& rc);
    // The image: an icon of the image manager with its state variants.
    // Null removes it. TRUE always.
    virtual BOOL SetImage(CLVKImageManagerIcon* pIcon, BOOL bRedraw = TRUE);
    // From a normal and a hot image (the hot one may be empty); 0 x 0 takes
    // the normal image's size.
    virtual BOOL SetIcon(int cx, int cy, const CLVKIconImage& normal, const CLVKIconImage& hot, BOOL bRedraw = TRUE);
    // Icon resources of the module, at the size or the next larger of the
    // group; FALSE when the normal or a requested hot icon is missing.
    virtual BOOL SetIconFromIds(int cx, int cy, UINT nNormalId, UINT nHotId = 0, BOOL bRedraw = TRUE);
    // The same with the icons named (MAKEINTRESOURCE ids or resource names).
    virtual BOOL SetIconFromResourceIds(int cx, int cy, LPCWSTR lpszNormal, LPCWSTR lpszHot = nullptr,
                                        BOOL bRedraw = TRUE);
    // Icon handles that stay the caller's.
    virtual BOOL SetIconFromHandles(int cx, int cy, HICON hNormal, HICON hHot = nullptr, BOOL bRedraw = TRUE);
    // A bitmap resource of the module: one with alpha is kept as a 32-bit
    // bitmap, any other becomes an icon whose top-left pixel is transparent.
    // FALSE when the resource is missing or empty.
    virtual BOOL SetBitmap(int cx, int cy, UINT nResourceId, BOOL bRedraw = TRUE);
    using CButton::SetBitmap;
    CLVKImageManagerIcon* GetImage() const { return m_pImage; }
    virtual BOOL SetThemeObject(std::unique_ptr<CLVKButtonTheme> pTheme);
    virtual BOOL SetTheme(int nTheme);
    virtual CRect GetButtonRect() const;
    virtual CString GetButtonText() const;
    virtual COLORREF GetTextColor() const;
    virtual COLORREF GetBackColor() const { return ::GetSysColor(COLOR_BTNFACE); }
    // Re-parses the caption when markup is on; a caption that does not parse
    // leaves no parsed caption and is drawn as plain text.
    virtual void UpdateMarkup();
    virtual void NotifyDropDown();
    virtual void DrawButton(CDC* pDC);
    virtual void RefreshMetrics();
    virtual void DrawContent(CDC* pDC);

    void SetPushButtonStyle(int nStyle);
    int GetPushButtonStyle() const { return m_nPushStyle; }
    void SetFlatStyle(BOOL bFlat = TRUE);
    BOOL GetFlatStyle() const { return m_bFlat; }
    void SetChecked(int nState);
    // Markup captions: on, the button gets a markup context bound to its
    // window and its caption is parsed.
    void EnableMarkup(BOOL bEnable = TRUE);
    BOOL IsMarkupEnabled() const { return m_bMarkup; }
    CLVKMarkupContext* GetMarkupContext() const { return m_pMarkupContext; }
    // The parsed caption; null when markup is off or the caption did not parse.
    CLVKMarkupUIElement* GetMarkupCaption() const { return m_pMarkupCaption; }
    BOOL IsUseUxTheme() const { return m_bUseUxTheme; }
    CLVKButtonTheme* GetTheme() const { return m_pTheme.get(); }
    // BS_ type of the window style (the low four bits).
    int GetButtonType() const { return static_cast<int>(GetStyle() & 0xF); }
    BOOL IsPushLike() const;
    BOOL IsDropDownStyle() const { return m_nPushStyle >= 1 && m_nPushStyle <= 4; }
    // The split button's drop-down part.
    CRect GetDropDownRect() const;
    CSize GetCheckMarkSize() const;
    HWND GetBuddyEdit() const { return m_hBuddyEdit; }
    // Makes this the browse button of the edit (null: of none). Outside, the
    // edit is narrowed to make room at its right; otherwise the edit is
    // stretched to end 2 pixels into the button. Both take the edit's top
    // and height, so they overlap by 2 pixels and the edit's theme draws
    // them in one frame.
    void AttachToEdit(CWnd* pEdit, BOOL bOutside);

    // The tool of the button's tip: its client area less 2 pixels, id 1.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    CLVKToolTipContext* GetToolTipContext() const { return m_pToolTipContext; }

    CString m_strTooltip;  // the tip shown over the button; empty: none
    int m_nBorderGap;
    int m_nImageGap;
    int m_nTextImageRelation = 3;
    int m_nGroupBoxStyle = 0;
    BOOL m_bShowFocus = TRUE;

protected:
    void Repaint(BOOL bNow = FALSE);
    void RunDropDown();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(CDC* pDC, UINT nFlags);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg LRESULT OnUpdateUIState(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetCheck(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetState(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnApplyControlTheme(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // COM callers reach the button through ILVKCmdTargetProvider; the
    // reference counting is the framework's external one of the button.
    DECLARE_INTERFACE_MAP()
    BEGIN_INTERFACE_PART(CmdTargetProvider, ILVKCmdTargetProvider)
        CCmdTarget* STDMETHODCALLTYPE GetCmdTarget() override;
    END_INTERFACE_PART(CmdTargetProvider)

private:
    int m_nPushed = 0;
    BOOL m_bHot = FALSE;
    std::unique_ptr<CLVKButtonTheme> m_pTheme;
    int m_nChecked = 0;
    BOOL m_bFlat = FALSE;
    BOOL m_bUseUxTheme = TRUE;
    DWORD m_dwImageAlignment = BS_CENTER | BS_VCENTER;
    int m_nPushStyle = 0;
    BOOL m_bMarkup = FALSE;
    HWND m_hBuddyEdit = nullptr;
    CLVKImageManagerIcon* m_pImage = nullptr;         // one reference held
    CLVKToolTipContext* m_pToolTipContext = nullptr;  // one reference held
    CLVKMarkupContext* m_pMarkupContext = nullptr;    // one reference held
    CLVKMarkupUIElement* m_pMarkupCaption = nullptr;  // one reference held
    BOOL m_bImageDpiScaled = FALSE;
};
