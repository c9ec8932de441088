#include "Controls/ResizeDialog.h"

IMPLEMENT_DYNCREATE(CLVKResizeDialog, CDialog)

BEGIN_MESSAGE_MAP(CLVKResizeDialog, CDialog)
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CLVKResizeDialog::CLVKResizeDialog() : CLVKResize(this, 0)
{
}

CLVKResizeDialog::CLVKResizeDialog(UINT nIDTemplate, CWnd* pParentWnd, UINT nFlags)
    : CDialog(nIDTemplate, pParentWnd), CLVKResize(this, nFlags)
{
}

CLVKResizeDialog::CLVKResizeDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd, UINT nFlags)
    : CDialog(lpszTemplateName, pParentWnd), CLVKResize(this, nFlags)
{
}

BOOL CLVKResizeDialog::OnInitDialog()
{
    // A dialog that cannot be resized gets no grip.
    if (!(GetStyle() & WS_THICKFRAME))
        AddFlags(LVK_RESIZE_NOSIZEICON);
    CDialog::OnInitDialog();
    CLVKResize::Init();
    return TRUE;
}

void CLVKResizeDialog::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    CLVKResize::Resize();
}

void CLVKResizeDialog::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    CLVKResize::GetMinMaxInfo(lpMMI);
}

void CLVKResizeDialog::OnDestroy()
{
    if (!m_strSection.IsEmpty())
        SavePlacement(m_strSection);
    CDialog::OnDestroy();
}
