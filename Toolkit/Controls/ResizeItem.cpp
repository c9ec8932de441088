#include "Controls/ResizeItem.h"

#include "Controls/ResizeGroupBox.h"

CLVKResizeItem::CLVKResizeItem(CWnd* pWnd, std::unique_ptr<CWnd> pOwnedWnd, const CLVKResizeFloatRect& anchors,
                               BOOL bNoTransparentGroupBoxes)
    : m_pWnd(pWnd), m_anchors(anchors), m_pOwnedWnd(std::move(pOwnedWnd)),
      m_bNoTransparentGroupBoxes(bNoTransparentGroupBoxes)
{
}

CLVKResizeItem::~CLVKResizeItem()
{
    if (m_pOwnedWnd)
        m_pOwnedWnd->Detach();
}

void CLVKResizeItem::MakeTransparent()
{
    if (m_bNoTransparentGroupBoxes || !m_pWnd || !::IsWindow(m_pWnd->m_hWnd))
        return;
    WCHAR szClass[16] = {};
    ::GetClassNameW(m_pWnd->m_hWnd, szClass, _countof(szClass));
    if (_wcsicmp(szClass, L"Button") != 0)
        return;
    if ((m_pWnd->GetStyle() & (WS_TABSTOP | 0x7)) != BS_GROUPBOX)
        return;
    if (m_pWnd->IsKindOf(RUNTIME_CLASS(CLVKResizeGroupBox)))
        return;
    m_pWnd->ModifyStyleEx(0, WS_EX_TRANSPARENT);
    m_pWnd->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    m_bRepaint = TRUE;
}
