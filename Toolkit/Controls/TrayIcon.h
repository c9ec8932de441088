// An icon with a tip in the notification area of the task bar. Its mouse
// events go to an owner window (first as kTrayNotifyMessage, which the owner
// may answer to take them over); the icon can animate through frames, show
// the context menu of the menu resource whose id is the icon's id, run the
// menu's default command on a double click, hide and show, and move a window
// into the tray and back. The icon comes back by itself when the task bar is
// made again ("TaskbarCreated") and, after a refused add, when the work area
// changes.
#pragma once

#include "Framework.h"
#include "Foundation/IconHandle.h"

#include <shellapi.h>

#include <vector>

class CLVKTrayIcon : public CWnd
{
public:
    // The message the shell sends to the tray window, and the tray window
    // passes on to the owner.
    static constexpr UINT kTrayNotifyMessage = 0x273D;
    static constexpr UINT kDefaultTimerId = 1001;

    CLVKTrayIcon();
    ~CLVKTrayIcon() override;

    virtual BOOL CreateDefault(LPCWSTR lpszTip, int nUnused, CWnd* pOwner, UINT nIconId);
    // Loads the icon nIconId, creates the tray window and adds the icon;
    // returns whether the shell took the icon.
    virtual BOOL Create(LPCWSTR lpszTip, CWnd* pOwner, UINT nIconId, UINT uID = 0, UINT nDefaultMenuItem = 0,
                        BOOL bDefaultByPos = FALSE);
    // Stops the animation and shows the icon and tip given to Create again.
    virtual void StopAnimation();
    virtual void StartAnimation(UINT nMilliseconds);
    // Loads the frames (resource ids in the low words) with their tips
    // (optional, empty = the icon's own tip). FALSE when an icon is missing;
    // the frames loaded before it stay.
    virtual BOOL SetAnimationIcons(const UINT* pIconIds, int nCount, const CString* pTips = nullptr);
    virtual BOOL SetAnimationIconsAlt(const UINT* pIconIds, const CString* pTips, int nCount);
    // Adds the icon again unless it is hidden or removed.
    virtual void RestoreIcon();
    // Parents the window to an invisible popup so that it leaves the task bar.
    virtual BOOL HideWindowInTray(CWnd* pWnd);
    virtual void ClearAnimationIcons();
    virtual BOOL SetTooltipText(LPCWSTR lpszText);
    virtual BOOL SetIcon(UINT nResourceId);
    virtual void StopAnimationAlias() { StopAnimation(); }
    virtual void SetAnimationTimer(UINT nTimerId, UINT nMilliseconds);
    virtual LRESULT OnTrayNotification(WPARAM wParam, LPARAM lParam);

    BOOL AddIcon();
    BOOL RemoveIcon();
    BOOL HideIcon();
    BOOL ShowIcon();
    // Passes the icon to the notification area; the caller keeps owning it.
    BOOL SetIconHandle(HICON hIcon);
    void MinimizeToTray(CWnd* pWnd);
    void RestoreFromTray(CWnd* pWnd);
    // The rectangle the tray animations fly to; FALSE when even the work
    // area could not be read.
    BOOL GetTrayWindowRect(RECT* pRect);

    BOOL IsHidden() const { return m_bHidden; }
    BOOL IsRemoved() const { return m_bRemoved; }
    BOOL HasAddFailed() const { return m_bAddFailed; }
    const CString& GetTooltipText() const { return m_strToolTipText; }
    UINT GetIconId() const { return m_nIconId; }
    int GetFrameCount() const { return static_cast<int>(m_arrFrames.size()); }
    const NOTIFYICONDATAW& GetNotifyIconData() const { return m_nid; }

protected:
    // Every call of the shell goes through here.
    virtual BOOL CallShellNotifyIcon(DWORD dwMessage, NOTIFYICONDATAW* pData);
    // Whether shell32 is version 5.0 or later (it can hide icons in place).
    virtual bool IsShell5OrLater();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg LRESULT OnTaskbarCreated(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    struct TRAYICONDATA
    {
        HICON hIcon = nullptr;
        CString strTip;
    };

    void ShowAnimationFrame();
    // Adds the icon again after the shell refused it.
    void RetryFailedAdd();
    void PutTip(LPCWSTR lpszText);
    BOOL ModifyUnlessHidden();
    BOOL SendDefaultCommand();
    BOOL ShowContextMenu();
    UINT GetDefaultCommandId();
    static bool IsWindowAnimationOn();

    UINT m_nAddFlags = 0;
    UINT m_nIconId = 0;
    UINT m_nTimerId = kDefaultTimerId;
    int m_nCurrentFrame = 0;
    UINT m_nDefaultMenuItem = 0;
    BYTE m_bDefaultItemByPosition = 1;
    BYTE m_bHidden = 1;
    BYTE m_bRemoved = 1;
    BYTE m_bAddFailed = 0;
    HWND m_hNotifyWindow = nullptr;
    CWnd m_wndHidden;
    int m_nMaxTipLength = 64;
    CString m_strToolTipText;
    CLVKIconHandle m_currentIcon;
    std::vector<TRAYICONDATA> m_arrFrames;
    NOTIFYICONDATAW m_nid{};
};
