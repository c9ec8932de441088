#include "GdiObjectDC.h"

CLVKGdiObjectDC::CLVKGdiObjectDC(HDC hDC, HGDIOBJ hObject) : m_hDC(hDC)
{
    Select(hObject);
}

CLVKGdiObjectDC::CLVKGdiObjectDC(CDC* pDC, HGDIOBJ hObject) : m_pDC(pDC)
{
    Select(hObject);
}

CLVKGdiObjectDC::CLVKGdiObjectDC(CDC* pDC, CGdiObject* pObject) : m_pDC(pDC)
{
    Select(pObject ? pObject->GetSafeHandle() : nullptr);
}

CLVKGdiObjectDC::~CLVKGdiObjectDC()
{
    Restore();
}

void CLVKGdiObjectDC::Select(HGDIOBJ hObject)
{
    if (!hObject)
        return;
    const HGDIOBJ hPrevious = SelectIntoDC(hObject);
    if (!m_hOld)
        m_hOld = hPrevious;
}

void CLVKGdiObjectDC::Restore()
{
    if (!m_hOld)
        return;
    SelectIntoDC(m_hOld);
    m_hOld = nullptr;
}

HGDIOBJ CLVKGdiObjectDC::SelectIntoDC(HGDIOBJ hObject)
{
    if (m_pDC)
        return m_pDC->SelectObject(hObject);
    return m_hDC ? ::SelectObject(m_hDC, hObject) : nullptr;
}
