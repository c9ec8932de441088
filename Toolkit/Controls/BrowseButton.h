// CLVKBrowseButton: the small button at the right end of a browse edit that
// runs the edit's browse action. Until the toolkit's themed button exists it
// is a platform push button placed to share the edit's frame.
#pragma once

#include "AfxButton.h"

class CLVKBrowseEdit;

class CLVKBrowseButton : public CButton
{
    DECLARE_DYNAMIC(CLVKBrowseButton)
public:
    static const UINT kDropDownIconId = 9458;
    static const UINT kCaptionId = 9343;

    CLVKBrowseButton() = default;
    ~CLVKBrowseButton() override;

    virtual BOOL Create(CLVKBrowseEdit* pEdit, DWORD dwBrowseStyle, UINT nID, UINT nMenuId, int nSubMenuIndex);
    virtual void OnClicked();

    // Makes this the browse button of the edit: outside, the edit is narrowed
    // to make room at its right; otherwise the edit is stretched to end 2
    // pixels into the button. Both take the edit's top and height.
    void AttachToEdit(CWnd* pEdit, BOOL bOutside);

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
