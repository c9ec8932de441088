// CWnd's OLE control hosting: creating a control in a parent window, and the
// parent letting go of its controls.
#include "Wnd.h"

#include "OleControlContainer.h"
#include "OleControlSite.h"

BOOL CWnd::InitControlContainer()
{
    if (!m_hWnd)
        return FALSE;
    if (!m_pCtrlCont)
        m_pCtrlCont = new COleControlContainer(this);
    return TRUE;
}

BOOL CWnd::CreateControl(REFCLSID clsid, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                         UINT nID)
{
    if (m_hWnd || !pParentWnd || !pParentWnd->InitControlContainer())
        return FALSE;
    return pParentWnd->m_pCtrlCont->CreateControl(this, clsid, lpszWindowName, dwStyle, rect, nID);
}

BOOL CWnd::CreateControl(LPCTSTR pszClass, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                         UINT nID)
{
    if (!pszClass)
        return FALSE;
    CLSID clsid{};
    // A class id in braces is taken as it stands, anything else as a ProgID.
    const HRESULT hr = pszClass[0] == L'{' ? ::CLSIDFromString(pszClass, &clsid) : ::CLSIDFromProgID(pszClass, &clsid);
    if (FAILED(hr))
        return FALSE;
    return CreateControl(clsid, lpszWindowName, dwStyle, rect, pParentWnd, nID);
}

LPUNKNOWN CWnd::GetControlUnknown()
{
    if (!m_pCtrlSite || !m_pCtrlSite->m_pObject)
        return NULL;
    return m_pCtrlSite->m_pObject;
}

void CWnd::DestroyControlContainer()
{
    if (!m_pCtrlCont)
        return;
    COleControlContainer* const pCont = m_pCtrlCont;
    m_pCtrlCont = NULL;
    pCont->DestroyAllControls();
}
