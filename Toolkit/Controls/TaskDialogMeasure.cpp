#include "TaskDialogMeasure.h"

#include "Foundation/GdiObjectDC.h"
#include "Markup/MarkupContext.h"
#include "Markup/MarkupHelpers.h"

#include <vector>

namespace
{

class ScreenFontDC
{
public:
    explicit ScreenFontDC(HFONT hFont) : m_hDC(::GetDC(nullptr)), m_font(m_hDC, hFont) {}
    ~ScreenFontDC()
    {
        // The font goes back before the screen DC does.
        m_font.Restore();
        ::ReleaseDC(nullptr, m_hDC);
    }
    HDC Get() const { return m_hDC; }

private:
    HDC m_hDC;
    CLVKGdiObjectDC m_font;
};

SIZE LineExtent(const CString& strText, HFONT hFont)
{
    ScreenFontDC dc(hFont);
    SIZE size{};
    ::GetTextExtentPoint32W(dc.Get(), strText, strText.GetLength(), &size);
    return size;
}

}  // namespace

SIZE AFX_CDECL TaskDialogDluToPixels(int x, int y)
{
    const LONG nBase = ::GetDialogBaseUnits();
    SIZE size{};
    size.cx = ::MulDiv(x, static_cast<short>(LOWORD(nBase)), 4);
    size.cy = ::MulDiv(y, static_cast<int>(static_cast<DWORD>(nBase) >> 16), 8);
    return size;
}

BOOL AFX_CDECL TaskDialogCalcTextRect(const CString& strText, SIZE& size, HFONT hFont, BOOL* pbWraps)
{
    if (strText.IsEmpty() || !hFont)
    {
        size = SIZE{};
        return FALSE;
    }
    ScreenFontDC dc(hFont);
    RECT rc{0, 0, size.cx, size.cy};
    if (!::DrawTextW(dc.Get(), strText, strText.GetLength(), &rc, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX))
    {
        size = SIZE{};
        return FALSE;
    }
    size.cx = rc.right - rc.left;
    size.cy = rc.bottom - rc.top;
    if (pbWraps)
    {
        SIZE line{};
        ::GetTextExtentPoint32W(dc.Get(), strText, strText.GetLength(), &line);
        *pbWraps = size.cy > line.cy;
    }
    return TRUE;
}

BOOL AFX_CDECL TaskDialogCalcIdealTextSize(const CString& strText, SIZE& size, HFONT hFont, int nThresholdDlu,
                                           int nGrowthDlu)
{
    if (strText.IsEmpty() || !hFont)
        return FALSE;
    const SIZE extent = LineExtent(strText, hFont);
    const int nThreshold = TaskDialogDluToPixels(nThresholdDlu, 0).cx;
    if (nThreshold > 0 && extent.cx > nThreshold)
    {
        size.cx += ::MulDiv(extent.cx, TaskDialogDluToPixels(nGrowthDlu, 0).cx, nThreshold);
        return TaskDialogCalcTextRect(strText, size, hFont);
    }
    if (extent.cx > size.cx)
    {
        const LONG nOffered = size.cx;
        SIZE wrapped{size.cx, 0};
        TaskDialogCalcTextRect(strText, wrapped, hFont);
        if (wrapped.cx > nOffered)
        {
            size = wrapped;
            return TRUE;
        }
    }
    size = extent;
    return FALSE;
}

BOOL AFX_CDECL TaskDialogCalcIdealMarkupSize(CLVKMarkupContext* pContext, CLVKMarkupUIElement* pElement, SIZE& size,
                                             HFONT hFont, int nThresholdDlu, int nGrowthDlu)
{
    if (pContext)
        MarkupSetDefaultFont(pContext, hFont, pContext->GetDefaultTextColor());
    const SIZE unconstrained = MarkupMeasureElement(pElement);
    const int nThreshold = TaskDialogDluToPixels(nThresholdDlu, 0).cx;
    if (nThreshold > 0 && unconstrained.cx > nThreshold)
        size.cx += ::MulDiv(unconstrained.cx, TaskDialogDluToPixels(nGrowthDlu, 0).cx, nThreshold);
    const SIZE measured = MarkupMeasureElement(pElement, size.cx);
    if (measured.cx == size.cx && measured.cy == unconstrained.cy && measured.cx < unconstrained.cx)
        size = unconstrained;
    else
        size = measured;
    return TRUE;
}

CString AFX_CDECL TaskDialogExtractLine(const CString& strCaption, int nIndex)
{
    const std::wstring text(strCaption.GetString());
    if (text.find(L'\n') == std::wstring::npos)
        return nIndex == 0 ? strCaption : CString();
    size_t nStart = 0;
    for (int i = 0; i < nIndex; ++i)
    {
        const size_t nBreak = text.find(L'\n', nStart);
        if (nBreak == std::wstring::npos)
            return CString();
        nStart = nBreak + 1;
    }
    const size_t nEnd = text.find(L'\n', nStart);
    return CString(text.substr(nStart, nEnd == std::wstring::npos ? std::wstring::npos : nEnd - nStart).c_str());
}

int AFX_CDECL TaskDialogLoadString(HINSTANCE hInstance, UINT nID, CString& strText)
{
    std::vector<wchar_t> buffer(255);
    int nLength = 0;
    for (;;)
    {
        nLength = ::LoadStringW(hInstance, nID, buffer.data(), static_cast<int>(buffer.size()));
        // Fewer than two characters left means the string may have been cut.
        if (nLength <= 0 || static_cast<int>(buffer.size()) - nLength >= 2)
            break;
        buffer.resize(buffer.size() < 512 ? 512 : buffer.size() + 256);
    }
    strText = nLength > 0 ? CString(buffer.data()) : CString();
    return nLength;
}
