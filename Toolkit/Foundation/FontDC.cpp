#include "FontDC.h"

#include "Font.h"

CLVKFontDC::CLVKFontDC(CDC* pDC, CFont* pFont) : m_pDC(pDC)
{
    SetFont(pFont);
}

CLVKFontDC::CLVKFontDC(CDC* pDC, CFont* pFont, COLORREF clrTextColor) : m_pDC(pDC)
{
    SetFont(pFont);
    SetColor(clrTextColor);
}

CLVKFontDC::CLVKFontDC(CDC* pDC, CLVKFont* pFont) : m_pDC(pDC)
{
    SetFont(pFont);
}

CLVKFontDC::CLVKFontDC(CDC* pDC, CLVKFont* pFont, COLORREF clrTextColor) : m_pDC(pDC)
{
    SetFont(pFont);
    SetColor(clrTextColor);
}

CLVKFontDC::~CLVKFontDC()
{
    RestoreFont();
    RestoreColor();
}

void CLVKFontDC::SetFont(CFont* pFont)
{
    if (!m_pDC || !pFont)
        return;
    RestoreFont();
    m_hOldFont = m_pDC->SelectObject(pFont->GetSafeHandle());
}

void CLVKFontDC::SetFont(CLVKFont* pFont)
{
    SetFont(pFont ? pFont->GetFont() : nullptr);
}

void CLVKFontDC::SetColor(COLORREF clrTextColor)
{
    if (!m_pDC || clrTextColor == static_cast<COLORREF>(-1))
        return;
    const COLORREF clrOld = m_pDC->SetTextColor(clrTextColor);
    if (m_clrOldTextColor == static_cast<COLORREF>(-1))
        m_clrOldTextColor = clrOld;
}

void CLVKFontDC::RestoreFont()
{
    if (!m_pDC || !m_hOldFont)
        return;
    m_pDC->SelectObject(m_hOldFont);
    m_hOldFont = nullptr;
}

void CLVKFontDC::RestoreColor()
{
    if (!m_pDC || m_clrOldTextColor == static_cast<COLORREF>(-1))
        return;
    m_pDC->SetTextColor(m_clrOldTextColor);
    m_clrOldTextColor = static_cast<COLORREF>(-1);
}
