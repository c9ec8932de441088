#include "Markup/MarkupDrawingContext.h"

#include "Markup/MarkupContext.h"
#include "Foundation/DrawHelpers.h"
#include "Markup/MarkupDedicatedDC.h"
#include "Markup/MarkupDeviceContext.h"
#include "Markup/MarkupGdiPlusDeviceContext.h"
#include "Markup/MarkupFont.h"
#include "Markup/MarkupSolidColorBrush.h"
#include "Markup/MarkupThickness.h"

CLVKMarkupDrawingContext::CLVKMarkupDrawingContext(CLVKMarkupContext* pContext)
    : m_hDC(CreateCompatibleDC(nullptr)), m_hAttribDC(m_hDC), m_bOwnsDC(TRUE), m_pContext(pContext)
{
    Initialize();
}

CLVKMarkupDrawingContext::CLVKMarkupDrawingContext(CLVKMarkupContext* pContext, HDC hDC, HDC hAttribDC)
    : m_hDC(hDC), m_hAttribDC(hAttribDC ? hAttribDC : hDC), m_pContext(pContext)
{
    Initialize();
}

void CLVKMarkupDrawingContext::Initialize()
{
    // GDI+ draws when it has been started and the context allows it; a
    // mirrored DC keeps GDI, whose layout GDI+ does not follow.
    if ((!m_pContext || m_pContext->IsGdiPlusEnabled()) && m_hDC && !CLVKDrawHelpers::IsLayoutRTL(m_hDC))
    {
        if (Gdiplus::GpGraphics* const pGraphics =
                CLVKMarkupGdiPlusDeviceContext::CreateMarkupGraphics(m_hDC, m_hAttribDC))
        {
            m_pDevice = std::make_unique<CLVKMarkupGdiPlusDeviceContext>(pGraphics, FALSE);
        }
    }
    if (!m_pDevice)
    {
        m_pDevice = std::make_unique<CLVKMarkupDeviceContext>(m_hDC, m_hAttribDC);
    }
    if (m_pContext)
    {
        SetDefaultSmoothing(m_pContext->GetDefaultSmoothingMode(), m_pContext->GetDefaultTextSmoothing());
    }
    RefreshClipBox();
    if (m_hDC)
    {
        SetBkMode(m_hDC, TRANSPARENT);
    }
}

CLVKMarkupDrawingContext::~CLVKMarkupDrawingContext()
{
    SetFont(nullptr);
    m_pDevice.reset();
    if (m_bOwnsDC && m_hDC)
    {
        DeleteDC(m_hDC);
    }
}

void CLVKMarkupDrawingContext::RefreshClipBox()
{
    m_pDevice->GetClipBox(m_rcClip);
}

void CLVKMarkupDrawingContext::DrawTextLine(LPCWSTR lpszText, int nLength, const RECT& rc)
{
    m_pDevice->DrawString(lpszText, nLength, rc);
}

SIZE CLVKMarkupDrawingContext::GetTextExtent(LPCWSTR lpszText, int nLength)
{
    return m_pDevice->MeasureString(lpszText, nLength);
}

void CLVKMarkupDrawingContext::SetFont(CLVKMarkupFont* pFont)
{
    if (pFont == m_pFont)
    {
        return;
    }
    m_pDevice->SetFont(pFont);
    if (m_pFont)
    {
        m_pFont->Release();
    }
    m_pFont = pFont;
    if (m_pFont)
    {
        m_pFont->AddRef();
    }
}

void CLVKMarkupDrawingContext::SetTextColor(CLVKMarkupBrush* pBrush)
{
    m_pDevice->SetTextBrush(pBrush);
}

void CLVKMarkupDrawingContext::OffsetOrigin(POINT pt)
{
    m_pDevice->OffsetOrigin(pt);
    RefreshClipBox();
}

void CLVKMarkupDrawingContext::IntersectClipRect(const RECT& rc)
{
    m_pDevice->IntersectClipRect(rc);
    RefreshClipBox();
}

HRGN CLVKMarkupDrawingContext::SaveClip()
{
    return m_pDevice->SaveClipRegion();
}

void CLVKMarkupDrawingContext::RestoreClip(HRGN hState)
{
    if (hState)
    {
        m_pDevice->RestoreClipRegion(hState);
        RefreshClipBox();
    }
}

int CLVKMarkupDrawingContext::SetSmoothingMode(int nMode)
{
    return m_pDevice->SetSmoothingMode(nMode, m_bTextSmoothing);
}

void CLVKMarkupDrawingContext::SetDefaultSmoothing(int nMode, BOOL bTextSmoothing)
{
    m_bTextSmoothing = bTextSmoothing;
    m_pDevice->SetSmoothingMode(nMode, bTextSmoothing);
}

CLVKMarkupTransformationMatrix* CLVKMarkupDrawingContext::GetTransformationMatrix()
{
    return m_pDevice->GetTransformationMatrix();
}

void CLVKMarkupDrawingContext::SetTransformationMatrix(const CLVKMarkupTransformationMatrix* pMatrix)
{
    m_pDevice->SetTransformationMatrix(pMatrix);
    RefreshClipBox();
}

HDC CLVKMarkupDrawingContext::GetDC()
{
    return m_pDevice->GetDC();
}

void CLVKMarkupDrawingContext::ReleaseDC(HDC hDC)
{
    m_pDevice->ReleaseDC(hDC);
}

std::unique_ptr<CLVKMarkupDedicatedDC> CLVKMarkupDrawingContext::CreateDedicatedDC(const RECT& rc)
{
    return std::unique_ptr<CLVKMarkupDedicatedDC>(m_pDevice->CreateDedicatedDC(rc));
}

void CLVKMarkupDrawingContext::CopyBackground(CLVKMarkupDedicatedDC& dedicated)
{
    const HDC hTarget = dedicated.GetDC();
    if (!hTarget)
    {
        return;
    }
    const HDC hSource = m_pDevice->GetDC();
    // A dedicated DC that is the device's own DC already shows them.
    if (hSource && hSource != hTarget)
    {
        const RECT& rc = dedicated.GetRect();
        const POINT ptOffset = dedicated.GetOffset();
        BitBlt(hTarget, rc.left + ptOffset.x, rc.top + ptOffset.y, rc.right - rc.left, rc.bottom - rc.top, hSource,
               rc.left, rc.top, SRCCOPY);
    }
    if (hSource)
    {
        m_pDevice->ReleaseDC(hSource);
    }
}

void CLVKMarkupDrawingContext::DrawFocusRect(const RECT& rc)
{
    std::unique_ptr<CLVKMarkupDedicatedDC> pDedicated = CreateDedicatedDC(rc);
    const HDC hDC = pDedicated->GetDC();
    if (!hDC)
    {
        return;
    }
    // The rectangle inverts the pixels under it, so they must be there.
    CopyBackground(*pDedicated);
    RECT rcFocus = rc;
    OffsetRect(&rcFocus, pDedicated->GetOffset().x, pDedicated->GetOffset().y);
    ::DrawFocusRect(hDC, &rcFocus);
    pDedicated->Flush();
}

BOOL CLVKMarkupDrawingContext::GetTextMetrics(CLVKMarkupFont* pFont, int* pnAscent, int* pnDescent)
{
    return m_pDevice->GetFontMetrics(pFont, pnAscent, pnDescent);
}

void CLVKMarkupDrawingContext::FillRectangle(int l, int t, int r, int b, CLVKMarkupBrush* pBrush, const double* pRadii)
{
    m_pDevice->FillRoundedRectangle(RECT{l, t, r, b}, pBrush, pRadii);
}

void CLVKMarkupDrawingContext::FillSolidRect(int l, int t, int r, int b, COLORREF clr)
{
    CLVKMarkupAutoPtr<CLVKMarkupSolidColorBrush> pBrush(new CLVKMarkupSolidColorBrush(clr));
    FillRectangle(l, t, r, b, pBrush);
}

void CLVKMarkupDrawingContext::DrawRectangle(int l, int t, int r, int b, CLVKMarkupBrush* pBrush,
                                             const CLVKMarkupThickness* pThickness, const double* pRadii)
{
    if (!pBrush || !pThickness)
    {
        return;
    }
    m_pDevice->DrawRoundedBorder(RECT{l, t, r, b}, pBrush, pThickness, pRadii);
}

void CLVKMarkupDrawingContext::DrawFrame(int l, int t, int r, int b, CLVKMarkupBrush* pBrush)
{
    const int x = m_pContext ? m_pContext->ScaleX(1) : 1;
    const int y = m_pContext ? m_pContext->ScaleY(1) : 1;
    CLVKMarkupAutoPtr<CLVKMarkupThickness> pThickness(new CLVKMarkupThickness(x, y));
    DrawRectangle(l, t, r, b, pBrush, pThickness);
}

void CLVKMarkupDrawingContext::DrawEllipse(int l, int t, int r, int b, const MarkupStrokeStyle* pStroke,
                                           CLVKMarkupBrush* pFill)
{
    m_pDevice->DrawEllipse(RECT{l, t, r, b}, pStroke, pFill);
}

void CLVKMarkupDrawingContext::DrawLine(int x1, int y1, int x2, int y2, const MarkupStrokeStyle* pStroke)
{
    if (pStroke && pStroke->nThickness > 0)
    {
        m_pDevice->DrawLine(x1, y1, x2, y2, pStroke);
    }
}

void CLVKMarkupDrawingContext::DrawPolyline(const POINT* pPoints, int nCount, const MarkupStrokeStyle* pStroke)
{
    m_pDevice->DrawPolyline(pPoints, nCount, pStroke);
}

void CLVKMarkupDrawingContext::DrawPolygon(const POINT* pPoints, int nCount, const MarkupStrokeStyle* pStroke,
                                           CLVKMarkupBrush* pFill)
{
    m_pDevice->DrawPolygon(pPoints, nCount, pStroke, pFill);
}

void CLVKMarkupDrawingContext::DrawPath(const CLVKMarkupPathData* pPath, const MarkupStrokeStyle* pStroke,
                                        CLVKMarkupBrush* pFill)
{
    m_pDevice->DrawPath(pPath, pStroke, pFill);
}

CLVKMarkupDeviceDependentImage* CLVKMarkupDrawingContext::CreateDeviceImage(ILVKMarkupDeviceDependentImageSite* pSite)
{
    return m_pDevice->CreateDeviceImage(pSite);
}

void CLVKMarkupDrawingContext::DrawImage(CLVKMarkupDeviceDependentImage* pImage, int l, int t, int r, int b)
{
    m_pDevice->DrawDeviceImage(pImage, RECT{l, t, r, b});
}
