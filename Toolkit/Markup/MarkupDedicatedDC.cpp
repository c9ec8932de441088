#include "Markup/MarkupDedicatedDC.h"

#include "Markup/MarkupDeviceContext.h"

CLVKMarkupDedicatedDC::CLVKMarkupDedicatedDC(CLVKMarkupDeviceContext* pDevice, const RECT& rc, POINT ptOffset)
    : m_pDevice(pDevice), m_rc(rc), m_ptOffset(ptOffset)
{
}

CLVKMarkupDedicatedDC::~CLVKMarkupDedicatedDC()
{
    if (m_hDC && m_pDevice)
    {
        m_pDevice->ReleaseDC(m_hDC);
    }
}

HDC CLVKMarkupDedicatedDC::GetDC()
{
    if (!m_hDC && m_pDevice)
    {
        m_hDC = m_pDevice->GetDC();
    }
    return m_hDC;
}
