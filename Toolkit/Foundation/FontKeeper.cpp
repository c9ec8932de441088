#include "FontKeeper.h"

#include "DrawHelpers.h"
#include "SingletonPointer.h"

namespace
{

// The description as a key: its fields before the face as raw characters,
// then the face.
std::wstring KeyOf(const LOGFONTW& logFont)
{
    const size_t nFields = offsetof(LOGFONTW, lfFaceName) / sizeof(WCHAR);
    std::wstring key(reinterpret_cast<const WCHAR*>(&logFont), nFields);
    key.append(logFont.lfFaceName, wcsnlen(logFont.lfFaceName, LF_FACESIZE));
    return key;
}

class CKeeperLock
{
public:
    explicit CKeeperLock(CRITICAL_SECTION& cs) : m_cs(cs) { ::EnterCriticalSection(&m_cs); }
    ~CKeeperLock() { ::LeaveCriticalSection(&m_cs); }
    CKeeperLock(const CKeeperLock&) = delete;
    CKeeperLock& operator=(const CKeeperLock&) = delete;

private:
    CRITICAL_SECTION& m_cs;
};

}  // namespace

CLVKFontKeeper* AFX_CDECL CLVKFontKeeper::GetGlobal()
{
    return LVKGetSingleton<CLVKFontKeeper>();
}

CLVKFontKeeper::CLVKFontKeeper()
{
    ::InitializeCriticalSection(&m_cs);
}

CLVKFontKeeper::~CLVKFontKeeper()
{
    m_fonts.clear();
    ::DeleteCriticalSection(&m_cs);
}

CFont* CLVKFontKeeper::GetFont(const LOGFONTW& logFont)
{
    const std::wstring key = KeyOf(logFont);
    CKeeperLock lock(m_cs);
    const auto it = m_fonts.find(key);
    if (it != m_fonts.end())
        return it->second->GetFont();
    if (m_fonts.size() >= kMaxFonts)
        return nullptr;
    std::unique_ptr<CLVKFont> pFont(new CLVKFont);
    if (!pFont->CreateIndirect(&logFont))
        return nullptr;
    CFont* const pResult = pFont->GetFont();
    m_fonts.emplace(key, std::move(pFont));
    return pResult;
}

int CLVKFontKeeper::GetFittingHeight(CDC* pDC, LPCWSTR lpszText, int nLength, LPCRECT lpRect, CFont* pFont)
{
    if (!pDC || !pDC->GetSafeHdc() || !lpszText || !lpRect || !pFont || !pFont->GetSafeHandle())
        return 0;
    LOGFONTW logFont{};
    if (::GetObjectW(pFont->GetSafeHandle(), sizeof(logFont), &logFont) != sizeof(logFont))
        return 0;
    if (nLength < 0)
        nLength = lstrlenW(lpszText);
    const HDC hDC = pDC->GetSafeHdc();
    // What the measurement depends on besides the font and the text.
    const WCHAR frame[] = {static_cast<WCHAR>(lpRect->right - lpRect->left),
                           static_cast<WCHAR>(lpRect->bottom - lpRect->top),
                           static_cast<WCHAR>((lpRect->left & 1) | ((lpRect->top & 1) << 1)),
                           static_cast<WCHAR>(::GetDeviceCaps(hDC, LOGPIXELSY)),
                           static_cast<WCHAR>(::GetMapMode(hDC)),
                           L'|'};
    std::wstring key = KeyOf(logFont);
    key.append(frame, _countof(frame));
    key.append(lpszText, static_cast<size_t>(nLength));
    {
        CKeeperLock lock(m_cs);
        const auto it = m_heights.find(key);
        if (it != m_heights.end())
            return it->second;
    }
    const int nHeight = CLVKDrawHelpers::FindFittingFontHeight(pDC, lpszText, nLength, lpRect, pFont);
    CKeeperLock lock(m_cs);
    if (m_heights.size() < kMaxHeights)
        m_heights.emplace(key, nHeight);
    return nHeight;
}

size_t CLVKFontKeeper::GetFontCount()
{
    CKeeperLock lock(m_cs);
    return m_fonts.size();
}
