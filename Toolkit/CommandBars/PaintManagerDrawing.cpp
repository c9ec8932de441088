// The paint manager's drawing primitives that need no control or bar: lines,
// rectangles, circles, glyphs, marks, text and the popup fade animations.
#include "CommandBars/PaintManager.h"

#include "Foundation/DrawHelpers.h"
#include "Foundation/FontDC.h"
#include "Foundation/GdiObjectDC.h"
#include "Foundation/GlyphFont.h"
#include "Foundation/WinThemeWrapper.h"

#include <vsstyle.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
const COLORREF kNoColor = static_cast<COLORREF>(-1);

// A 32-bit top-down DIB section selected into a memory DC of its own.
class CDibSection
{
public:
    CDibSection(int cx, int cy, BOOL bBottomUp = FALSE) : m_cx(cx), m_cy(cy)
    {
        if (cx <= 0 || cy <= 0)
            return;
        BITMAPINFO bmi{};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = bBottomUp ? cy : -cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        void* pBits = nullptr;
        m_hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
        if (!m_hBitmap)
            return;
        m_pBits = static_cast<DWORD*>(pBits);
        m_hDC = ::CreateCompatibleDC(nullptr);
        if (m_hDC)
            m_hOld = ::SelectObject(m_hDC, m_hBitmap);
    }
    ~CDibSection()
    {
        if (m_hDC)
        {
            ::SelectObject(m_hDC, m_hOld);
            ::DeleteDC(m_hDC);
        }
        if (m_hBitmap)
            ::DeleteObject(m_hBitmap);
    }
    BOOL IsValid() const { return m_hDC && m_pBits; }
    HDC GetDC() const { return m_hDC; }
    DWORD* GetBits() const { return m_pBits; }
    int GetPixelCount() const { return m_cx * m_cy; }

    CDibSection(const CDibSection&) = delete;
    CDibSection& operator=(const CDibSection&) = delete;

private:
    int m_cx;
    int m_cy;
    HBITMAP m_hBitmap = nullptr;
    DWORD* m_pBits = nullptr;
    HDC m_hDC = nullptr;
    HGDIOBJ m_hOld = nullptr;
};

BYTE BlendChannel(int nBorder, int nBase, double dFactor)
{
    const double dValue = nBorder + (nBase - nBorder) * dFactor;
    return static_cast<BYTE>(std::min(255.0, std::max(0.0, dValue + 0.5)));
}
}  // namespace

void CLVKPaintManager::HorizontalLine(CDC* pDC, int x1, int y, int x2, COLORREF clr)
{
    pDC->FillSolidRect(x1, y, x2 - x1, 1, GetThemeColor(clr));
}

void CLVKPaintManager::VerticalLine(CDC* pDC, int x, int y1, int y2, COLORREF clr)
{
    pDC->FillSolidRect(x, y1, 1, y2 - y1, GetThemeColor(clr));
}

void CLVKPaintManager::Line(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF clr)
{
    if (x1 == x2)
    {
        VerticalLine(pDC, x1, y1, y2, clr);
        return;
    }
    if (y1 == y2)
    {
        HorizontalLine(pDC, x1, y1, x2, clr);
        return;
    }
    // The DC's own pen takes any colour, so drawing makes no GDI object.
    const HDC hDC = pDC->GetSafeHdc();
    const CLVKGdiObjectDC pen(hDC, ::GetStockObject(DC_PEN));
    const COLORREF clrOldPen = ::SetDCPenColor(hDC, GetThemeColor(clr));
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
    ::SetDCPenColor(hDC, clrOldPen);
}

void CLVKPaintManager::LineWithThemeColor(CDC* pDC, int x1, int y1, int x2, int y2, int nIndex)
{
    Line(pDC, x1, y1, x2, y2, GetThemeColor(static_cast<UINT>(std::max(nIndex, 0))));
}

void AFX_CDECL CLVKPaintManager::LineWithCurrentPen(CDC* pDC, int x1, int y1, int x2, int y2)
{
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
}

void CLVKPaintManager::Rectangle(CDC* pDC, LPCRECT lpRect, COLORREF clrBorder, COLORREF clrFill)
{
    if (clrFill != kNoColor)
        pDC->FillSolidRect(lpRect, GetThemeColor(clrFill));
    if (clrBorder != kNoColor && clrBorder != clrFill)
    {
        const COLORREF clr = GetThemeColor(clrBorder);
        pDC->Draw3dRect(lpRect, clr, clr);
    }
}

void CLVKPaintManager::RectangleWithThemeColors(CDC* pDC, LPCRECT lpRect, int nBorderIndex, int nFillIndex)
{
    // -1 keeps its meaning "none"; other negative indexes count as 0.
    const COLORREF clrBorder = nBorderIndex == -1 ? kNoColor : GetThemeColor(std::max(nBorderIndex, 0));
    const COLORREF clrFill = nFillIndex == -1 ? kNoColor : GetThemeColor(std::max(nFillIndex, 0));
    Rectangle(pDC, lpRect, clrBorder, clrFill);
}

void CLVKPaintManager::Draw3dRectWithThemeColors(CDC* pDC, LPCRECT lpRect, int nTopLeftIndex, int nBottomRightIndex)
{
    pDC->Draw3dRect(lpRect, GetThemeColor(std::max(nTopLeftIndex, 0)), GetThemeColor(std::max(nBottomRightIndex, 0)));
}

void CLVKPaintManager::DrawThickFrame(CDC* pDC, LPCRECT lpRect, int nWidth, COLORREF clrOuter, COLORREF clrInner)
{
    if (clrInner != kNoColor)
    {
        const COLORREF clr = GetThemeColor(clrInner);
        CRect rc(lpRect);
        for (int i = 0; i < nWidth; i++)
        {
            pDC->Draw3dRect(&rc, clr, clr);
            rc.DeflateRect(1, 1);
        }
    }
    if (clrOuter != kNoColor && clrOuter != clrInner)
    {
        const COLORREF clr = GetThemeColor(clrOuter);
        pDC->Draw3dRect(lpRect, clr, clr);
    }
}

void CLVKPaintManager::Triangle(CDC* pDC, CPoint pt0, CPoint pt1, CPoint pt2, COLORREF clr)
{
    const COLORREF clrResolved = GetThemeColor(clr);
    const HDC hDC = pDC->GetSafeHdc();
    const CLVKGdiObjectDC pen(hDC, ::GetStockObject(DC_PEN));
    const CLVKGdiObjectDC brush(hDC, ::GetStockObject(DC_BRUSH));
    const COLORREF clrOldPen = ::SetDCPenColor(hDC, clrResolved);
    const COLORREF clrOldBrush = ::SetDCBrushColor(hDC, clrResolved);
    const POINT pts[3] = {pt0, pt1, pt2};
    pDC->Polygon(pts, 3);
    ::SetDCBrushColor(hDC, clrOldBrush);
    ::SetDCPenColor(hDC, clrOldPen);
}

void CLVKPaintManager::DrawCircle(CDC* pDC, int nLeft, int nTop, int nRight, int nBottom, COLORREF clrBorder,
                                  COLORREF clrFill)
{
    const int nSide = nRight - nLeft;
    if (nSide <= 0 || nSide != nBottom - nTop)
        return;
    const COLORREF clrEdge = GetThemeColor(clrBorder);
    const COLORREF clrInside = GetThemeColor(clrFill);
    const double r = (nSide - 1) * 0.5 - 0.25;
    const double cx = (nLeft + nRight - 1) / 2.0;
    const double cy = (nTop + nBottom - 1) / 2.0;
    for (int y = nTop; y < nBottom; y++)
    {
        for (int x = nLeft; x < nRight; x++)
        {
            const double d = std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy));
            if (d > r + 1)
                continue;
            if (d < r - 1)
            {
                pDC->SetPixelV(x, y, clrInside);
                continue;
            }
            const COLORREF clrBase = d < r ? clrInside : pDC->GetPixel(x, y);
            const double dFactor = std::fabs(d - r);
            pDC->SetPixelV(x, y,
                           RGB(BlendChannel(GetRValue(clrEdge), GetRValue(clrBase), dFactor),
                               BlendChannel(GetGValue(clrEdge), GetGValue(clrBase), dFactor),
                               BlendChannel(GetBValue(clrEdge), GetBValue(clrBase), dFactor)));
        }
    }
}

void AFX_CDECL CLVKPaintManager::FillGradientClipped(CDC* pDC, LPCRECT lpRect, COLORREF clrFrom, COLORREF clrTo,
                                                     BOOL bHorizontal, LPCRECT lpClipRect)
{
    CLVKDrawHelpers::GetGlobal()->FillGradientClipped(pDC, lpRect, clrFrom, clrTo, bHorizontal, lpClipRect);
}

void CLVKPaintManager::DrawGlyph(CDC* pDC, int nGlyph, LPCRECT lpRect, COLORREF clr)
{
    if (!pDC || ::IsRectEmpty(lpRect))
        return;
    const COLORREF clrText = clr == kNoColor ? pDC->GetTextColor() : GetThemeColor(clr);
    CLVKGlyphFont::GetGlobal()->DrawGlyph(pDC, static_cast<WCHAR>(nGlyph), lpRect, clrText);
}

void CLVKPaintManager::DrawGlyphInRect(CDC* pDC, CRect rc, COLORREF clr)
{
    rc.DeflateRect(ScaleX(1), ScaleY(1));
    DrawGlyph(pDC, 51, rc, clr);
}

void CLVKPaintManager::DrawMenuCheckMark(CDC* pDC, CRect rc, COLORREF clr)
{
    const int nGlyph = CLVKDrawHelpers::IsLayoutRTLOfDC(pDC) ? 46 : 45;
    DrawGlyph(pDC, nGlyph, rc, clr);
    if (m_bBoldCheckMark)
    {
        rc.OffsetRect(0, ScaleY(1));
        DrawGlyph(pDC, nGlyph, rc, clr);
    }
}

void CLVKPaintManager::DrawMenuBulletMark(CDC* pDC, CRect rc, COLORREF clr)
{
    rc.DeflateRect(ScaleX(3), ScaleY(3));
    DrawGlyph(pDC, 47, rc, clr);
}

namespace
{
// The visual-style state of a check box or radio button: 1-4 unchecked,
// 5-8 checked, 9-12 mixed; within each, normal, hot, pressed, disabled.
int ButtonMarkState(int nSelected, int nPressed, int nChecked, int nEnabled)
{
    int s = 0;
    if (!nEnabled)
        s = 3;
    else if (nSelected && nPressed)
        s = 2;
    else if (nSelected)
        s = 1;
    return s + (nChecked == 1 ? 5 : nChecked == 2 ? 9 : 1);
}

UINT ButtonMarkFrameState(UINT nKind, int nPressed, int nChecked, int nEnabled)
{
    UINT nState = nKind;
    if (nChecked)
        nState |= DFCS_CHECKED;
    if (nPressed)
        nState |= DFCS_PUSHED;
    if (!nEnabled || nChecked == 2)
        nState |= DFCS_INACTIVE;
    return nState;
}
}  // namespace

CSize CLVKPaintManager::DrawCheckBoxMark(CDC* pDC, CRect rc, BOOL bDraw, int nSelected, int nPressed, int nChecked,
                                         int nEnabled)
{
    if (bDraw)
    {
        if (m_bThemedCheckBox && m_pButtonThemeData->HasThemeData())
        {
            m_pButtonThemeData->DrawThemeBackground(
                pDC->GetSafeHdc(), BP_CHECKBOX, ButtonMarkState(nSelected, nPressed, nChecked, nEnabled), &rc, nullptr);
        }
        else
        {
            pDC->DrawFrameControl(&rc, DFC_BUTTON,
                                  ButtonMarkFrameState(DFCS_BUTTONCHECK, nPressed, nChecked, nEnabled));
        }
    }
    return CSize(ScaleX(13), ScaleY(13));
}

CSize CLVKPaintManager::DrawRadioButtonMark(CDC* pDC, CRect rc, BOOL bDraw, int nSelected, int nPressed, int nChecked,
                                            int nEnabled)
{
    if (bDraw)
    {
        if (m_bThemedCheckBox && m_pButtonThemeData->HasThemeData())
        {
            m_pButtonThemeData->DrawThemeBackground(pDC->GetSafeHdc(), BP_RADIOBUTTON,
                                                    ButtonMarkState(nSelected, nPressed, nChecked, nEnabled), &rc,
                                                    nullptr);
        }
        else
        {
            pDC->DrawFrameControl(&rc, DFC_BUTTON,
                                  ButtonMarkFrameState(DFCS_BUTTONRADIO, nPressed, nChecked, nEnabled));
        }
    }
    return CSize(ScaleX(13), ScaleY(13));
}

CSize CLVKPaintManager::DrawTextApi(CDC* pDC, const CString& strText, LPRECT lpRect, UINT nFormat, BOOL bDraw, int nHot,
                                    int nEnabled)
{
    nFormat |= DT_VCENTER | DT_SINGLELINE;
    if (!bDraw)
    {
        // Measured whole: an ellipsis would shorten the text to the empty
        // rectangle it is measured in.
        CRect rcCalc(lpRect);
        pDC->DrawText(strText, strText.GetLength(), &rcCalc,
                      DT_CALCRECT | DT_VCENTER | DT_SINGLELINE | (nFormat & DT_NOPREFIX));
        return rcCalc.Size();
    }
    if (m_bEmbossedDisabledText && !nEnabled && !nHot)
    {
        CRect rcEmboss(lpRect);
        rcEmboss.OffsetRect(ScaleX(1), ScaleY(1));
        const COLORREF clrOld = pDC->SetTextColor(GetThemeColor(COLOR_BTNHIGHLIGHT));
        pDC->DrawText(strText, strText.GetLength(), &rcEmboss, nFormat);
        pDC->SetTextColor(clrOld);
    }
    pDC->DrawText(strText, strText.GetLength(), lpRect, nFormat);
    return CRect(lpRect).Size();
}

void CLVKPaintManager::DrawTextOnGlass(CDC* pDC, const CString& strText, LPRECT lpRect, UINT nFormat, BOOL bGlass)
{
    if (!bGlass)
    {
        pDC->DrawText(strText, strText.GetLength(), lpRect, nFormat);
        return;
    }
    CLVKWinThemeWrapper theme;
    theme.OpenThemeData(nullptr, L"GLOBALS");
    if (!theme.IsAppThemed())
    {
        pDC->DrawText(strText, strText.GetLength(), lpRect, nFormat);
        return;
    }
    const HDC hDC = pDC->GetSafeHdc();
    HDC hBufferDC = nullptr;
    const HPAINTBUFFER hBuffer = theme.BeginBufferedPaint(hDC, lpRect, BPBF_TOPDOWNDIB, nullptr, &hBufferDC);
    if (!hBuffer || !hBufferDC)
    {
        pDC->DrawText(strText, strText.GetLength(), lpRect, nFormat);
        return;
    }
    ::BitBlt(hBufferDC, lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, hDC,
             lpRect->left, lpRect->top, SRCCOPY);
    {
        const CLVKGdiObjectDC font(hBufferDC, ::GetCurrentObject(hDC, OBJ_FONT));
        DTTOPTS options{};
        options.dwSize = sizeof(options);
        options.dwFlags = DTT_COMPOSITED | DTT_TEXTCOLOR;
        options.crText = ::GetTextColor(hDC);
        theme.DrawThemeTextEx(hBufferDC, 0, 0, strText, -1, nFormat, lpRect, &options);
    }
    theme.EndBufferedPaint(hBuffer, TRUE);
}

void AFX_CDECL CLVKPaintManager::MakeRectOpaque(CDC* pDC, int nLeft, int nTop, int nRight, int nBottom)
{
    const int cx = nRight - nLeft;
    const int cy = nBottom - nTop;
    CDibSection dib(cx, cy);
    if (!dib.IsValid())
        return;
    ::BitBlt(dib.GetDC(), 0, 0, cx, cy, pDC->GetSafeHdc(), nLeft, nTop, SRCCOPY);
    ::GdiFlush();
    DWORD* pBits = dib.GetBits();
    for (int i = 0; i < dib.GetPixelCount(); i++)
        pBits[i] |= 0xFF000000;
    ::BitBlt(pDC->GetSafeHdc(), nLeft, nTop, cx, cy, dib.GetDC(), 0, 0, SRCCOPY);
}

void AFX_CDECL CLVKPaintManager::FillRectOpaque(CDC* pDC, LPCRECT lpRect, COLORREF clr)
{
    const int cx = lpRect->right - lpRect->left;
    const int cy = lpRect->bottom - lpRect->top;
    CDibSection dib(cx, cy);
    if (!dib.IsValid())
        return;
    const DWORD dwPixel = 0xFF000000 | (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
    DWORD* pBits = dib.GetBits();
    std::fill(pBits, pBits + dib.GetPixelCount(), dwPixel);
    ::BitBlt(pDC->GetSafeHdc(), lpRect->left, lpRect->top, cx, cy, dib.GetDC(), 0, 0, SRCCOPY);
}

void CLVKPaintManager::DrawKeyboardTip(CDC* pDC, CWnd* pTipWnd, BOOL bSetupOnly)
{
    if (bSetupOnly || !pDC || !pTipWnd || !pTipWnd->GetSafeHwnd())
        return;
    const CLVKFontDC font(pDC, &m_fontStatus);
    CRect rc;
    pTipWnd->GetClientRect(&rc);
    pDC->FillSolidRect(&rc, GetThemeColor(COLOR_INFOBK));
    const COLORREF clrFrame = ::GetSysColor(COLOR_BTNSHADOW);
    pDC->Draw3dRect(&rc, clrFrame, clrFrame);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(GetThemeColor(pTipWnd->IsWindowEnabled() ? COLOR_INFOTEXT : COLOR_GRAYTEXT));
    CString strText;
    pTipWnd->GetWindowText(strText);
    pDC->DrawText(strText, strText.GetLength(), &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CLVKPaintManager::FillDockBar(CDC* pDC, CWnd* pDockBar)
{
    CRect rc;
    pDockBar->GetClientRect(&rc);
    pDC->FillSolidRect(&rc, GetThemeColor(COLOR_BTNFACE));
}

void CLVKPaintManager::FillWorkspace(CDC* pDC, CRect rc)
{
    pDC->FillSolidRect(&rc, GetThemeColor(COLOR_APPWORKSPACE));
}

void CLVKPaintManager::AnimateFade(CDC* pDestDC, CDC* pSrcDC, int nLeft, int nTop, int nRight, int nBottom, int nType)
{
    const int n = m_nAnimationSteps;
    if (n <= 0)
        return;
    const int w = nRight - nLeft;
    const int h = nBottom - nTop;
    const int nPause = std::max(m_nAnimationTime / n, 0);

    switch (nType)
    {
    case lvkAnimateUnfold:
        // Grows from the top-left corner, showing the bottom-right part first.
        for (int i = 1; i <= n; i++)
        {
            pDestDC->BitBlt(0, 0, w * i / n, h * i / n, pSrcDC, nRight - w * i / n, nBottom - h * i / n, SRCCOPY);
            ::Sleep(nPause);
        }
        break;
    case lvkAnimateSlide:
        for (int i = 1; i <= n; i++)
        {
            pDestDC->BitBlt(0, 0, w, h * i / n, pSrcDC, 0, h - h * i / n, SRCCOPY);
            ::Sleep(nPause);
        }
        break;
    case lvkAnimateFade:
    {
        CDibSection newLook(w, h, TRUE);
        CDibSection oldLook(w, h, TRUE);
        CDibSection blended(w, h, TRUE);
        if (!newLook.IsValid() || !oldLook.IsValid() || !blended.IsValid())
            return;
        ::BitBlt(newLook.GetDC(), 0, 0, w, h, pSrcDC->GetSafeHdc(), nLeft, nTop, SRCCOPY);
        ::BitBlt(oldLook.GetDC(), 0, 0, w, h, pDestDC->GetSafeHdc(), 0, 0, SRCCOPY);
        ::GdiFlush();
        const BYTE* pNew = reinterpret_cast<const BYTE*>(newLook.GetBits());
        const BYTE* pOld = reinterpret_cast<const BYTE*>(oldLook.GetBits());
        BYTE* pOut = reinterpret_cast<BYTE*>(blended.GetBits());
        const int nPixels = blended.GetPixelCount();
        // The last frame is left to the popup's own paint.
        for (int k = 1; k < n; k++)
        {
            const DWORD dwStart = ::GetTickCount();
            const int a = static_cast<BYTE>(255 * k / n);
            for (int p = 0; p < nPixels; p++)
            {
                for (int c = 0; c < 3; c++)
                    pOut[p * 4 + c] = static_cast<BYTE>((pOld[p * 4 + c] * (255 - a) + pNew[p * 4 + c] * a) >> 8);
            }
            ::BitBlt(pDestDC->GetSafeHdc(), nLeft, nTop, w, h, blended.GetDC(), 0, 0, SRCCOPY);
            const DWORD dwElapsed = ::GetTickCount() - dwStart;
            if (dwElapsed < static_cast<DWORD>(nPause))
                ::Sleep(nPause - dwElapsed);
        }
        break;
    }
    default:
        break;
    }
}
