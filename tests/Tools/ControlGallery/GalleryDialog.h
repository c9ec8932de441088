// The gallery's window: a modeless resizable dialog that shows one page.
#pragma once

#include "GalleryPage.h"

class GalleryDialog : public CLVKResizeDialog
{
public:
    // nTheme < 0: the page's own themes.
    GalleryDialog(std::unique_ptr<GalleryPage> pPage, LPCWSTR lpszTitle, CSize size, int nTheme);

    BOOL Create();
    BOOL OnInitDialog() override;

protected:
    void OnOK() override;
    void OnCancel() override;
    void PostNcDestroy() override;

private:
    std::unique_ptr<GalleryPage> m_pPage;
    CString m_strTitle;
    CSize m_size;
    int m_nTheme;
    std::vector<WORD> m_template;
};
