#include "Foundation/GlyphFont.h"

#include "Foundation/DpiScaling.h"
#include "Foundation/DrawHelpers.h"
#include "Foundation/FontCache.h"
#include "Foundation/FontKeeper.h"
#include "Foundation/GdiObjectDC.h"
#include "Foundation/ResourceManager.h"
#include "Foundation/SingletonPointer.h"
#include "Foundation/SystemVersion.h"

namespace
{

const COLORREF kNoColor = static_cast<COLORREF>(-1);

}  // namespace

CLVKGlyphFont* AFX_CDECL CLVKGlyphFont::GetGlobal()
{
    // The font cache that holds the glyph font must outlive it; singletons
    // go in the reverse order of their making.
    CLVKFontCache::GetGlobal();
    return LVKGetSingleton<CLVKGlyphFont>();
}

CLVKGlyphFont::CLVKGlyphFont()
{
    ::InitializeCriticalSection(&m_lock);
    if (const HMODULE hGdi = ::GetModuleHandleW(L"gdi32"))
    {
        m_pfnAddFontMemResourceEx = reinterpret_cast<PFNADDFONTMEMRESOURCEEX>(
            reinterpret_cast<void*>(::GetProcAddress(hGdi, "AddFontMemResourceEx")));
        m_pfnRemoveFontMemResourceEx = reinterpret_cast<PFNREMOVEFONTMEMRESOURCEEX>(
            reinterpret_cast<void*>(::GetProcAddress(hGdi, "RemoveFontMemResourceEx")));
    }
}

CLVKGlyphFont::~CLVKGlyphFont()
{
    m_font.ReleaseObject();
    for (const auto& entry : m_outlinePens)
        ::DeleteObject(entry.second);
    m_outlinePens.clear();
    if (m_hMemoryFont && m_pfnRemoveFontMemResourceEx)
        m_pfnRemoveFontMemResourceEx(m_hMemoryFont);
    m_hMemoryFont = nullptr;
    ::DeleteCriticalSection(&m_lock);
}

void CLVKGlyphFont::AddFontResourceToProcess()
{
    if (m_hMemoryFont || !m_pfnAddFontMemResourceEx)
        return;
    HMODULE hModule = nullptr;
    const HRSRC hResource =
        CLVKResourceManager::FindResourceInModules(hModule, MAKEINTRESOURCEW(kFontResourceId), RT_FONT);
    if (!hResource)
        return;
    const HGLOBAL hData = ::LoadResource(hModule, hResource);
    void* const pData = hData ? ::LockResource(hData) : nullptr;
    const DWORD cbData = ::SizeofResource(hModule, hResource);
    if (!pData || cbData == 0)
        return;
    DWORD nFonts = 0;
    m_hMemoryFont = m_pfnAddFontMemResourceEx(pData, cbData, nullptr, &nFonts);
}

void CLVKGlyphFont::EnsureFont()
{
    if (m_bLoaded)
        return;
    ::EnterCriticalSection(&m_lock);
    // Another thread may have loaded the font while this one waited.
    if (!m_bLoaded)
    {
        AddFontResourceToProcess();
        const BOOL bAntialiased =
            CLVKDpiScaling::GetGlobal()->IsStandardDpi() && CLVKSystemVersion::GetGlobal()->IsNT4OrGreater();
        // Without the memory font the face is still asked for by name; the
        // system then maps it to another font.
        if (m_font.CreateFont(0, 0, 0, 0, 0, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS,
                              CLIP_CHARACTER_PRECIS, bAntialiased ? ANTIALIASED_QUALITY : DEFAULT_QUALITY, FIXED_PITCH,
                              kFaceName))
            m_font.GetLogFont(&m_logFont);
        m_bLoaded = TRUE;
    }
    ::LeaveCriticalSection(&m_lock);
}

CFont* CLVKGlyphFont::GetFont()
{
    EnsureFont();
    return m_font.GetHandle() ? m_font.GetFont() : nullptr;
}

void CLVKGlyphFont::DrawGlyph(CDC* pDC, WCHAR chGlyph, LPCRECT lpRect, COLORREF clrText, COLORREF clrBack,
                              BOOL bOutline, CPen* pPen)
{
    if (!pDC || !pDC->GetSafeHdc() || !lpRect)
        return;
    CFont* const pGlyphFont = GetFont();
    if (!pGlyphFont)
        return;
    const HDC hDC = pDC->GetSafeHdc();
    WCHAR szText[2] = {chGlyph, 0};
    // The fitted height and its font are kept: a repaint creates no fonts.
    CLVKFontKeeper* const pKeeper = CLVKFontKeeper::GetGlobal();
    const int nHeight = pKeeper->GetFittingHeight(pDC, szText, 1, lpRect, pGlyphFont);
    if (nHeight == 0)
        return;

    LOGFONTW logFont = m_logFont;
    logFont.lfHeight = nHeight;
    CLVKFont fittedForNow;
    CFont* pFitted = pKeeper->GetFont(logFont);
    if (!pFitted)
    {
        if (!fittedForNow.CreateIndirect(&logFont))
            return;
        pFitted = fittedForNow.GetFont();
    }
    SIZE szGlyph{};
    {
        const CLVKGdiObjectDC font(hDC, static_cast<HFONT>(pFitted->GetSafeHandle()));
        ::GetTextExtentPoint32W(hDC, szText, 1, &szGlyph);
    }

    RECT rc = LVKMatchRectParity(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    ::OffsetRect(&rc, (rc.right - rc.left - szGlyph.cx) / 2, (rc.bottom - rc.top - szGlyph.cy) / 2);
    const UINT nFormat = DT_SINGLELINE | DT_NOCLIP;
    if (!bOutline)
    {
        CLVKDrawHelpers::DrawTextWithFont(pDC, pFitted, szText, 1, &rc, nFormat, clrText, clrBack);
        return;
    }

    const COLORREF clrStroke = clrText == kNoColor ? ::GetTextColor(hDC) : clrText;
    HPEN hOwnPen = nullptr;
    HPEN hPen = pPen ? static_cast<HPEN>(pPen->GetSafeHandle()) : nullptr;
    if (!hPen)
        hPen = GetOutlinePen(clrStroke, CLVKDpiScaling::GetGlobal()->ScaleX(1, 96));
    if (!hPen)
    {
        LOGBRUSH brush{};
        brush.lbStyle = BS_SOLID;
        brush.lbColor = clrStroke;
        hOwnPen =
            ::ExtCreatePen(PS_GEOMETRIC | PS_SOLID, CLVKDpiScaling::GetGlobal()->ScaleX(1, 96), &brush, 0, nullptr);
        hPen = hOwnPen;
    }
    {
        const CLVKGdiObjectDC pen(hDC, hPen);
        ::BeginPath(hDC);
        CLVKDrawHelpers::DrawTextWithFont(pDC, pFitted, szText, 1, &rc, nFormat, clrStroke, clrBack);
        ::EndPath(hDC);
        ::StrokePath(hDC);
    }
    // A pen the caller gave stays the caller's; a kept pen stays kept.
    if (hOwnPen)
        ::DeleteObject(hOwnPen);
}

HPEN CLVKGlyphFont::GetOutlinePen(COLORREF clrStroke, int nWidth)
{
    const std::pair<COLORREF, int> key(clrStroke, nWidth);
    ::EnterCriticalSection(&m_lock);
    HPEN hPen = nullptr;
    const auto it = m_outlinePens.find(key);
    if (it != m_outlinePens.end())
    {
        hPen = it->second;
    }
    else if (m_outlinePens.size() < kMaxOutlinePens)
    {
        LOGBRUSH brush{};
        brush.lbStyle = BS_SOLID;
        brush.lbColor = clrStroke;
        hPen = ::ExtCreatePen(PS_GEOMETRIC | PS_SOLID, static_cast<DWORD>(nWidth), &brush, 0, nullptr);
        if (hPen)
            m_outlinePens.emplace(key, hPen);
    }
    ::LeaveCriticalSection(&m_lock);
    return hPen;
}
