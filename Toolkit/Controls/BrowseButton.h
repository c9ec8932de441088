// CLVKBrowseButton: the small themed button at the right end of a browse
// edit that runs the edit's browse action; the edit's theme draws the two
// in one frame.
#pragma once

#include "Controls/Button.h"

class CLVKBrowseEdit;

class CLVKBrowseButton : public CLVKButton
{
    DECLARE_DYNAMIC(CLVKBrowseButton)
public:
    static const UINT kDropDownIconId = 9458;
    static const UINT kCaptionId = 9343;

    CLVKBrowseButton();
    ~CLVKBrowseButton() override;

    virtual BOOL Create(CLVKBrowseEdit* pEdit, DWORD dwBrowseStyle, UINT nID, UINT nMenuId, int nSubMenuIndex);
    virtual void OnClicked();

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg BOOL OnReflectedClicked();
    DECLARE_MESSAGE_MAP()

private:
    DWORD m_dwBrowseStyle = 0;
    UINT m_nMenuId = 0;
    int m_nSubMenuIndex = 0;
    CLVKBrowseEdit* m_pEdit = nullptr;
    HICON m_hIcon = nullptr;
};
