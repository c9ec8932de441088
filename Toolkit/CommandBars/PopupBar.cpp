#include "CommandBars/PopupBar.h"

#include "CommandBars/Control.h"
#include "CommandBars/Controls.h"
#include "CommandBars/PaintManager.h"
#include "Foundation/DpiScaling.h"

IMPLEMENT_DYNCREATE(CLVKPopupBar, CLVKCommandBar)

CLVKPopupBar::CLVKPopupBar()
{
    m_nType = kBarTypePopup;
    m_nPosition = kBarPopup;
    m_nMRUWidth = 0;
    CLVKDpiScaling* pDpi = CLVKDpiScaling::GetGlobal();
    m_rcBorders.SetRect(pDpi->ScaleX(2), pDpi->ScaleY(4), pDpi->ScaleX(2), pDpi->ScaleY(4));
}

CLVKPopupBar* AFX_CDECL CLVKPopupBar::CreatePopupBar(CLVKCommandBars* pCommandBars)
{
    CLVKPopupBar* pBar = static_cast<CLVKPopupBar*>(RUNTIME_CLASS(CLVKPopupBar)->CreateObject());
    pBar->SetCommandBars(pCommandBars);
    return pBar;
}

CLVKCommandBar* CLVKPopupBar::GetParentBar() const
{
    return m_pControlPopup ? m_pControlPopup->GetParent() : nullptr;
}

CRect CLVKPopupBar::GetBorders()
{
    if (m_nType == kBarTypeToolBar)
        return m_rcBorders;
    return CLVKCommandBar::GetBorders();
}

CSize CLVKPopupBar::CalcDynamicLayout(int nLength, DWORD /*dwMode*/)
{
    m_bLayingOut = TRUE;
    CClientDC dc(GetSafeHwnd() ? this : nullptr);
    const CSize sz = m_pControls->CalcPopupSize(&dc, nLength > 0 ? nLength : m_nMaxHeight, 0, GetBorders());
    m_bLayingOut = FALSE;
    return sz;
}

void CLVKPopupBar::Copy(CLVKCommandBar* pSource, BOOL bRecursive)
{
    if (!pSource || pSource == this)
        return;
    CLVKCommandBar::Copy(pSource, bRecursive);
    if (CLVKPopupBar* pPopup = DYNAMIC_DOWNCAST(CLVKPopupBar, pSource))
    {
        m_bTearOffPopup = pPopup->m_bTearOffPopup;
        m_strTearOffCaption = pPopup->m_strTearOffCaption;
        m_nTearOffId = pPopup->m_nTearOffId;
        m_nTearOffWidth = pPopup->m_nTearOffWidth;
        m_bShowShadow = pPopup->m_bShowShadow;
        m_rcBorders = pPopup->m_rcBorders;
        m_bContextMenu = pPopup->m_bContextMenu;
    }
}

CLVKCommandBar* CLVKPopupBar::Clone(BOOL bRecursive)
{
    CLVKPopupBar* pClone = static_cast<CLVKPopupBar*>(GetRuntimeClass()->CreateObject());
    pClone->Copy(this, bRecursive);
    return pClone;
}
