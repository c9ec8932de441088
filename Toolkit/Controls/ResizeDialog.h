// CLVKResizeDialog: a dialog whose controls follow its size through the
// anchor layout it carries.
#pragma once

#include "Controls/Resize.h"

class CLVKResizeDialog : public CDialog, public CLVKResize
{
    DECLARE_DYNCREATE(CLVKResizeDialog)
public:
    CLVKResizeDialog();
    explicit CLVKResizeDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL, UINT nFlags = 0);
    explicit CLVKResizeDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL, UINT nFlags = 0);

    BOOL OnInitDialog() override;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
