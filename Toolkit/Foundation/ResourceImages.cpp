#include "ResourceImages.h"

#include "AlphaBitmap.h"
#include "NotifyConnection.h"
#include "ResourceImage.h"
#include "SingletonPointer.h"

#include <cwctype>
#include <vector>

namespace
{
const WCHAR kIniType[] = L"TEXTFILE";
const WCHAR kDefaultIniName[] = L"OFFICE2007BLUE_INI";

BOOL CALLBACK TakeFirstName(HMODULE, LPCWSTR, LPWSTR lpszName, LONG_PTR lParam)
{
    auto* pName = reinterpret_cast<std::wstring*>(lParam);
    if (IS_INTRESOURCE(lpszName))
        *pName = L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(lpszName));
    else
        *pName = lpszName;
    return FALSE;
}

CString TrimmedRight(CString str)
{
    int n = str.GetLength();
    while (n > 0 && std::iswspace(str[n - 1]))
        --n;
    return str.Left(n);
}

CString TrimmedLeft(const CString& str)
{
    int i = 0;
    while (i < str.GetLength() && std::iswspace(str[i]))
        ++i;
    return str.Mid(i);
}
}  // namespace

CLVKResourceImages* AFX_CDECL CLVKResourceImages::GetGlobal()
{
    return LVKGetSingleton<CLVKResourceImages>();
}

CLVKResourceImages::CLVKResourceImages()
{
    ::InitializeCriticalSection(&m_lock);
    HMODULE hModule = AfxGetInstanceHandle();
    if (!hModule)
        hModule = ::GetModuleHandleW(nullptr);
    LoadTheme(hModule, nullptr, FALSE);
    HDC hScreen = ::GetDC(nullptr);
    m_drawingDC.Attach(::CreateCompatibleDC(hScreen));
    ::ReleaseDC(nullptr, hScreen);
}

CLVKResourceImages::~CLVKResourceImages()
{
    m_drawingDC.DeleteDC();
    if (m_pConnection)
    {
        m_pConnection->RemoveAllConnections();
        m_pConnection->InternalRelease();
        m_pConnection = nullptr;
    }
    ReleaseImages();
    if (m_bOwnsModule && m_hModule)
        ::FreeLibrary(m_hModule);
    if (m_hSharedBitmap)
        ::DeleteObject(m_hSharedBitmap);
    ::DeleteCriticalSection(&m_lock);
}

DWORD AFX_CDECL CLVKResourceImages::HashKey(LPCWSTR lpszSection, LPCWSTR lpszKey)
{
    DWORD h = 0;
    for (LPCWSTR p : {lpszSection, lpszKey})
        for (; p && *p; ++p)
            h = h * 33 + static_cast<DWORD>(std::towupper(*p));
    return h;
}

void CLVKResourceImages::ReleaseImages()
{
    ::EnterCriticalSection(&m_lock);
    m_images.clear();
    ::LeaveCriticalSection(&m_lock);
}

void CLVKResourceImages::ResetTheme()
{
    ReleaseImages();
    m_values.clear();
}

BOOL CLVKResourceImages::LoadTheme(HMODULE hModule, LPCWSTR lpszIniName, BOOL bOwnsModule)
{
    if (m_bOwnsModule && m_hModule && m_hModule != hModule)
        ::FreeLibrary(m_hModule);
    m_hModule = hModule;
    m_bOwnsModule = bOwnsModule;
    ResetTheme();

    HRSRC hResource = nullptr;
    if (lpszIniName)
    {
        m_strThemeName = lpszIniName;
        m_strThemeName.Replace(L'.', L'_');
        hResource = ::FindResourceW(hModule, m_strThemeName, kIniType);
    }
    else
    {
        hResource = ::FindResourceW(hModule, kDefaultIniName, kIniType);
        if (!hResource)
        {
            std::wstring strFirst;
            ::EnumResourceNamesW(hModule, kIniType, &TakeFirstName, reinterpret_cast<LONG_PTR>(&strFirst));
            if (!strFirst.empty())
                hResource = ::FindResourceW(hModule, strFirst.c_str(), kIniType);
        }
    }

    BOOL bRead = FALSE;
    if (hResource)
    {
        HGLOBAL hData = ::LoadResource(hModule, hResource);
        const char* pText = hData ? static_cast<const char*>(::LockResource(hData)) : nullptr;
        if (pText)
        {
            ParseIniText(pText, ::SizeofResource(hModule, hResource));
            bRead = TRUE;
        }
    }
    if (m_pConnection)
        m_pConnection->SendEvent(LVK_NOTIFY_RESOURCE_IMAGES_CHANGED, 0, 0, 0);
    m_bPremultiplyImages = GetIntValue(L"Global", L"PremultiplyImages", 0);
    return bRead;
}

void CLVKResourceImages::ParseIniText(const char* pText, DWORD nSize)
{
    CString strSection;
    DWORD nStart = 0;
    for (DWORD i = 0; i < nSize; ++i)
    {
        if (pText[i] != '\r')
            continue;
        // A line ends at a carriage return; text after the last one is not a line.
        const int nLength = static_cast<int>(i - nStart);
        CString strLine;
        if (nLength > 0)
        {
            const int nWide = ::MultiByteToWideChar(CP_THREAD_ACP, 0, pText + nStart, nLength, nullptr, 0);
            std::vector<WCHAR> wide(nWide + 1, 0);
            ::MultiByteToWideChar(CP_THREAD_ACP, 0, pText + nStart, nLength, wide.data(), nWide);
            strLine = wide.data();
        }
        ParseLine(strLine, strSection);
        nStart = i + 1;
        if (nStart < nSize && pText[nStart] == '\n')
        {
            ++nStart;
            ++i;
        }
    }
}

void CLVKResourceImages::ParseLine(CString strLine, CString& strSection)
{
    strLine = TrimmedLeft(strLine);
    const int nComment = strLine.Find(L';');
    if (nComment >= 0)
        strLine = strLine.Left(nComment);
    if (strLine.IsEmpty())
        return;
    if (strLine[0] == L'[')
    {
        strLine = TrimmedRight(strLine);
        strSection = strLine.GetLength() >= 2 ? strLine.Mid(1, strLine.GetLength() - 2) : CString();
        return;
    }
    const int nEquals = strLine.Find(L'=');
    if (strSection.IsEmpty() || nEquals < 1)
        return;
    const CString strKey = TrimmedRight(strLine.Left(nEquals));
    const CString strValue = TrimmedRight(TrimmedLeft(strLine.Mid(nEquals + 1)));
    m_values[HashKey(strSection, strKey)] = strValue;
}

CString CLVKResourceImages::GetValue(LPCWSTR lpszSection, LPCWSTR lpszKey) const
{
    if (!lpszSection || !*lpszSection || !lpszKey || !*lpszKey || m_values.empty())
        return CString();
    const auto it = m_values.find(HashKey(lpszSection, lpszKey));
    return it == m_values.end() ? CString() : it->second;
}

COLORREF CLVKResourceImages::GetColorValue(LPCWSTR lpszSection, LPCWSTR lpszKey, COLORREF clrDefault) const
{
    const CString strValue = GetValue(lpszSection, lpszKey);
    if (strValue.IsEmpty())
        return clrDefault;
    if (strValue == L"-1")
        return static_cast<COLORREF>(-1);
    int r = 0, g = 0, b = 0;
    if (swscanf(strValue, L"%i %i %i", &r, &g, &b) != 3)
        return 0;
    return RGB(r, g, b);
}

int CLVKResourceImages::GetIntValue(LPCWSTR lpszSection, LPCWSTR lpszKey, int nDefault) const
{
    const CString strValue = GetValue(lpszSection, lpszKey);
    return strValue.IsEmpty() ? nDefault : static_cast<int>(wcstol(strValue, nullptr, 10));
}

CString CLVKResourceImages::GetStringValue(LPCWSTR lpszSection, LPCWSTR lpszKey, LPCWSTR lpszDefault) const
{
    const CString strValue = GetValue(lpszSection, lpszKey);
    return strValue.IsEmpty() ? CString(lpszDefault) : strValue;
}

CRect CLVKResourceImages::GetRectValue(LPCWSTR lpszSection, LPCWSTR lpszKey, const CRect& rcDefault) const
{
    const CString strValue = GetValue(lpszSection, lpszKey);
    if (strValue.IsEmpty())
        return rcDefault;
    int l = 0, t = 0, r = 0, b = 0;
    if (swscanf(strValue, L"%i %i %i %i", &l, &t, &r, &b) != 4)
        return CRect(0, 0, 0, 0);
    return CRect(l, t, r, b);
}

CSize CLVKResourceImages::GetSizeValue(LPCWSTR lpszSection, LPCWSTR lpszKey, const CSize& szDefault) const
{
    const CString strValue = GetValue(lpszSection, lpszKey);
    if (strValue.IsEmpty())
        return szDefault;
    int cx = 0, cy = 0;
    if (swscanf(strValue, L"%i %i", &cx, &cy) != 2)
        return CSize(0, 0);
    return CSize(cx, cy);
}

CLVKResourceImage* CLVKResourceImages::GetImage(LPCWSTR lpszName)
{
    if (!lpszName || !*lpszName)
        return nullptr;
    ::EnterCriticalSection(&m_lock);
    auto& slot = m_images[lpszName];
    if (!slot)
    {
        CString strResource = GetStringValue(L"Images", lpszName, L"");
        if (strResource.IsEmpty())
            strResource = lpszName;
        strResource.Replace(L'.', L'_');
        strResource.Replace(L'\\', L'_');
        std::unique_ptr<CLVKResourceImage> pImage(new CLVKResourceImage(this));
        if (pImage->LoadImage(m_hModule, strResource))
        {
            if (m_bPremultiplyImages)
                pImage->Premultiply();
            slot = std::move(pImage);
        }
    }
    CLVKResourceImage* pResult = slot.get();
    ::LeaveCriticalSection(&m_lock);
    return pResult;
}

CLVKNotifyConnection* CLVKResourceImages::GetConnection()
{
    if (!m_pConnection)
        m_pConnection = new CLVKNotifyConnection;
    return m_pConnection;
}

HBITMAP CLVKResourceImages::GetSharedBitmap(int cx, int cy, BYTE** ppBits, int* pnSide)
{
    if (m_hSharedBitmap && (m_nSharedSide < cx || m_nSharedSide < cy))
    {
        ::DeleteObject(m_hSharedBitmap);
        m_hSharedBitmap = nullptr;
        m_pSharedBits = nullptr;
        m_nSharedSide = 0;
    }
    if (!m_hSharedBitmap)
    {
        int nSide = 1;
        while (nSide < cx || nSide < cy)
            nSide *= 2;
        m_hSharedBitmap = CreateDibSection32(nullptr, nSide, nSide, &m_pSharedBits);
        m_nSharedSide = m_hSharedBitmap ? nSide : 0;
    }
    if (ppBits)
        *ppBits = m_pSharedBits;
    if (pnSide)
        *pnSide = m_nSharedSide;
    return m_hSharedBitmap;
}

COLORREF AFX_CDECL GetResourceImageColor(LPCWSTR lpszSection, LPCWSTR lpszKey, COLORREF clrDefault)
{
    CLVKResourceImages* p = CLVKResourceImages::GetGlobal();
    return p->GetThemeName().IsEmpty() ? clrDefault : p->GetColorValue(lpszSection, lpszKey, clrDefault);
}

int AFX_CDECL GetResourceImageInt(LPCWSTR lpszSection, LPCWSTR lpszKey, int nDefault)
{
    CLVKResourceImages* p = CLVKResourceImages::GetGlobal();
    return p->GetThemeName().IsEmpty() ? nDefault : p->GetIntValue(lpszSection, lpszKey, nDefault);
}

CString AFX_CDECL GetResourceImageString(LPCWSTR lpszSection, LPCWSTR lpszKey, LPCWSTR lpszDefault)
{
    CLVKResourceImages* p = CLVKResourceImages::GetGlobal();
    return p->GetThemeName().IsEmpty() ? CString(lpszDefault) : p->GetStringValue(lpszSection, lpszKey, lpszDefault);
}

CRect AFX_CDECL GetResourceImageRect(LPCWSTR lpszSection, LPCWSTR lpszKey, const CRect& rcDefault)
{
    CLVKResourceImages* p = CLVKResourceImages::GetGlobal();
    return p->GetThemeName().IsEmpty() ? rcDefault : p->GetRectValue(lpszSection, lpszKey, rcDefault);
}

CSize AFX_CDECL GetResourceImageSize(LPCWSTR lpszSection, LPCWSTR lpszKey, const CSize& szDefault)
{
    CLVKResourceImages* p = CLVKResourceImages::GetGlobal();
    return p->GetThemeName().IsEmpty() ? szDefault : p->GetSizeValue(lpszSection, lpszKey, szDefault);
}
