#include "GalleryDialog.h"

GalleryDialog::GalleryDialog(std::unique_ptr<GalleryPage> pPage, LPCWSTR lpszTitle, CSize size, int nTheme)
    : m_pPage(std::move(pPage)), m_strTitle(lpszTitle), m_size(size), m_nTheme(nTheme)
{
}

BOOL GalleryDialog::Create()
{
    // An in-memory template without items: the page makes its controls.
    auto add32 = [this](DWORD v)
    {
        m_template.push_back(LOWORD(v));
        m_template.push_back(HIWORD(v));
    };
    auto addString = [this](LPCWSTR s)
    {
        for (; *s; ++s)
            m_template.push_back(static_cast<WORD>(*s));
        m_template.push_back(0);
    };
    add32(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | DS_SETFONT);
    add32(0);
    for (WORD w : {0, 0, 0, 200, 120})
        m_template.push_back(w);
    m_template.push_back(0);  // no menu
    m_template.push_back(0);  // the standard dialog class
    addString(m_strTitle);
    m_template.push_back(8);
    addString(L"MS Shell Dlg");
    return CreateIndirect(reinterpret_cast<LPCDLGTEMPLATE>(m_template.data()), nullptr);
}

BOOL GalleryDialog::OnInitDialog()
{
    CLVKResizeDialog::OnInitDialog();
    // Sized first and the layout started again, so that the page lays its
    // controls out for the size it is shown at.
    SetWindowPos(nullptr, 20, 20, m_size.cx, m_size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    CLVKResize::Init();
    m_pPage->Create(*this);
    if (m_nTheme >= 0)
        m_pPage->ApplyTheme(*this, m_nTheme);
    return TRUE;
}

void GalleryDialog::OnOK()
{
    DestroyWindow();
}

void GalleryDialog::OnCancel()
{
    DestroyWindow();
}

void GalleryDialog::PostNcDestroy()
{
    ::PostQuitMessage(0);
}
