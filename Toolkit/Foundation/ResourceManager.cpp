#include "ResourceManager.h"

#include "ResourceNames.h"

namespace
{

// The process-local home of the current manager; deletes it at process exit.
// Its lock makes the first use from two threads create one manager.
struct GlobalManagerHolder
{
    CLVKResourceManager* pManager = nullptr;
    CRITICAL_SECTION cs;
    GlobalManagerHolder() { ::InitializeCriticalSection(&cs); }
    ~GlobalManagerHolder()
    {
        delete pManager;
        ::DeleteCriticalSection(&cs);
    }
};

// Made on first use, by one thread even when several ask at once.
GlobalManagerHolder& GlobalHolder()
{
    static GlobalManagerHolder holder;
    return holder;
}

class CHolderLock
{
public:
    explicit CHolderLock(GlobalManagerHolder& holder) : m_holder(holder) { ::EnterCriticalSection(&m_holder.cs); }
    ~CHolderLock() { ::LeaveCriticalSection(&m_holder.cs); }
    CHolderLock(const CHolderLock&) = delete;
    CHolderLock& operator=(const CHolderLock&) = delete;

private:
    GlobalManagerHolder& m_holder;
};

HMODULE g_hToolkitResources = nullptr;

const LVK_LANGUAGE_INFO* EnglishLanguage()
{
    return LVKGetLanguageInfo(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
}

// The module a resource comes from: the toolkit's when it has it, else the
// program's current resource module.
HMODULE ModuleOfResource(LPCTSTR lpszName, LPCTSTR lpszType)
{
    HMODULE hModule = nullptr;
    if (CLVKResourceManager::FindResourceInModules(hModule, lpszName, lpszType))
        return hModule;
    return AfxGetResourceHandle();
}

}  // namespace

CLVKResourceManager* AFX_CDECL CreatePlainResourceManager()
{
    return new CLVKResourceManager;
}

CLVKResourceManager* AFX_CDECL CLVKResourceManager::GetGlobal()
{
    GlobalManagerHolder& holder = GlobalHolder();
    CLVKResourceManager* pManager = nullptr;
    {
        CHolderLock lock(holder);
        if (!holder.pManager)
            holder.pManager = CreatePlainResourceManager();
        pManager = holder.pManager;
    }
    if (!pManager)
        AfxThrowInvalidArgException();
    return pManager;
}

BOOL AFX_CDECL CLVKResourceManager::ReplaceGlobalManager(CLVKResourceManager* pManager)
{
    if (!pManager)
        return FALSE;
    GlobalManagerHolder& holder = GlobalHolder();
    CHolderLock lock(holder);
    if (!pManager->IsValid())
    {
        // The current manager must survive a failed replacement, so a manager
        // that is already current is never deleted here.
        if (pManager != holder.pManager)
            delete pManager;
        return FALSE;
    }
    pManager->UpdateLanguage();
    if (holder.pManager == pManager)
        return TRUE;
    // The program changes its language only while no worker runs (at start,
    // or by starting again), so nobody still holds the previous manager.
    delete holder.pManager;
    holder.pManager = pManager;
    return TRUE;
}

CLVKResourceManager::CLVKResourceManager() : m_pLanguageInfo(EnglishLanguage())
{
    LOGFONTW lf{};
    if (SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0))
        m_nSystemFontCharset = lf.lfCharSet;
}

CLVKResourceManager::~CLVKResourceManager()
{
    CLVKResourceManager::Close();
}

HMODULE AFX_CDECL CLVKResourceManager::GetToolkitResourceHandle()
{
    return g_hToolkitResources;
}

void AFX_CDECL CLVKResourceManager::SetToolkitResourceHandle(HMODULE hModule)
{
    g_hToolkitResources = hModule;
}

HRSRC AFX_CDECL CLVKResourceManager::FindResourceInModules(HMODULE& hModule, LPCTSTR lpszName, LPCTSTR lpszType)
{
    if (const HMODULE hToolkit = GetToolkitResourceHandle())
    {
        if (const HRSRC hResource = FindResourceW(hToolkit, lpszName, lpszType))
        {
            hModule = hToolkit;
            return hResource;
        }
    }
    const HMODULE hProgram = AfxGetResourceHandle();
    const HRSRC hResource = FindResourceW(hProgram, lpszName, lpszType);
    hModule = hResource ? hProgram : nullptr;
    return hResource;
}

int AFX_CDECL CLVKResourceManager::LoadStringFromModule(HMODULE hModule, UINT nID, CString& strText)
{
    strText.Empty();
    const HRSRC hResource = FindResourceW(hModule, MAKEINTRESOURCEW(nID / 16 + 1), RT_STRING);
    if (!hResource)
        return 0;
    const HGLOBAL hData = LoadResource(hModule, hResource);
    const auto* pEntry = static_cast<const WCHAR*>(hData ? LockResource(hData) : nullptr);
    if (!pEntry)
        return 0;
    // Sixteen entries, each a character count and that many characters. A
    // block that ends early (a damaged or foreign file) ends the walk instead
    // of being read past its end.
    const WCHAR* const pEnd = pEntry + SizeofResource(hModule, hResource) / sizeof(WCHAR);
    for (UINT i = 0; i < nID % 16; i++)
    {
        if (pEntry >= pEnd)
            return 0;
        pEntry += 1 + *pEntry;
    }
    if (pEntry >= pEnd)
        return 0;
    const int nLength = *pEntry;
    if (nLength == 0 || pEntry + 1 + nLength > pEnd)
        return 0;
    strText = CString(pEntry + 1, nLength);
    return nLength;
}

CString CLVKResourceManager::LoadStringValue(UINT nID, BOOL* pbNotFound)
{
    CString strText;
    const BOOL bFound = LoadString(&strText, nID);
    if (pbNotFound)
        *pbNotFound = !bFound;
    return strText;
}

BOOL CLVKResourceManager::LoadString(CString* pString, UINT nID)
{
    if (!pString)
        return FALSE;
    const HMODULE hToolkit = GetToolkitResourceHandle();
    if (hToolkit && FindResourceW(hToolkit, MAKEINTRESOURCEW(nID / 16 + 1), RT_STRING))
        return LoadStringFromModule(hToolkit, nID, *pString) > 0;
    return pString->LoadString(nID);
}

BOOL CLVKResourceManager::LoadMenu(CMenu* pMenu, UINT nIDResource)
{
    if (!pMenu)
        return FALSE;
    const HMENU hMenu =
        ::LoadMenuW(ModuleOfResource(MAKEINTRESOURCEW(nIDResource), RT_MENU), MAKEINTRESOURCEW(nIDResource));
    if (!hMenu)
        return FALSE;
    if (pMenu->Attach(hMenu))
        return TRUE;
    ::DestroyMenu(hMenu);
    return FALSE;
}

BOOL CLVKResourceManager::LoadBitmap(CBitmap* pBitmap, LPCTSTR lpszResourceName)
{
    if (!pBitmap)
        return FALSE;
    const HBITMAP hBitmap = ::LoadBitmapW(ModuleOfResource(lpszResourceName, RT_BITMAP), lpszResourceName);
    if (!hBitmap)
        return FALSE;
    if (pBitmap->Attach(hBitmap))
        return TRUE;
    ::DeleteObject(hBitmap);
    return FALSE;
}

BOOL CLVKResourceManager::LoadBitmapById(CBitmap* pBitmap, UINT nIDResource)
{
    return LoadBitmap(pBitmap, MAKEINTRESOURCEW(nIDResource));
}

HCURSOR CLVKResourceManager::LoadCursor(UINT nIDResource)
{
    return ::LoadCursorW(ModuleOfResource(MAKEINTRESOURCEW(nIDResource), RT_GROUP_CURSOR),
                         MAKEINTRESOURCEW(nIDResource));
}

HGLOBAL CLVKResourceManager::LoadDialogResource(LPCTSTR lpszResourceName)
{
    HMODULE hModule = nullptr;
    const HRSRC hResource = FindResourceInModules(hModule, lpszResourceName, RT_DIALOG);
    return hResource ? LoadResource(hModule, hResource) : nullptr;
}

LPCDLGTEMPLATE CLVKResourceManager::LoadDialogTemplate(UINT nIDTemplate)
{
    if (nIDTemplate == 0)
        return nullptr;
    const HGLOBAL hTemplate = LoadDialogResource(MAKEINTRESOURCEW(nIDTemplate));
    return static_cast<LPCDLGTEMPLATE>(hTemplate ? LockResource(hTemplate) : nullptr);
}

BOOL CLVKResourceManager::LoadHTML(CString* pText, LPCTSTR lpszResourceName)
{
    if (!pText)
        return FALSE;
    HMODULE hModule = nullptr;
    const HRSRC hResource = FindResourceInModules(hModule, lpszResourceName, RT_HTML);
    if (!hResource)
        return FALSE;
    const HGLOBAL hData = LoadResource(hModule, hResource);
    const auto* pData = static_cast<const char*>(hData ? LockResource(hData) : nullptr);
    const int cbData = static_cast<int>(SizeofResource(hModule, hResource));
    if (!pData || cbData <= 0)
        return FALSE;
    const int cchText = MultiByteToWideChar(CP_ACP, 0, pData, cbData, nullptr, 0);
    if (cchText <= 0)
        return FALSE;
    LPWSTR pszText = pText->GetBuffer(cchText);
    const int cchDone = MultiByteToWideChar(CP_ACP, 0, pData, cbData, pszText, cchText);
    pText->ReleaseBufferSetLength(cchDone > 0 ? cchDone : 0);
    return cchDone > 0;
}

BOOL CLVKResourceManager::LoadHTMLById(CString* pText, UINT nIDResource)
{
    return LoadHTML(pText, MAKEINTRESOURCEW(nIDResource));
}

HICON CLVKResourceManager::LoadIcon(LPCTSTR lpszResourceName, int cx, int cy)
{
    return static_cast<HICON>(::LoadImageW(ModuleOfResource(lpszResourceName, RT_GROUP_ICON), lpszResourceName,
                                           IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR));
}

HICON CLVKResourceManager::LoadIconById(UINT nIDResource, int cx, int cy)
{
    return LoadIcon(MAKEINTRESOURCEW(nIDResource), cx, cy);
}

HICON CLVKResourceManager::CreateIconFromResource(HMODULE hModule, LPCTSTR lpszGroupName, int cx, int cy)
{
    const HRSRC hGroup = FindResourceW(hModule, lpszGroupName, RT_GROUP_ICON);
    const HGLOBAL hGroupData = hGroup ? LoadResource(hModule, hGroup) : nullptr;
    auto* pGroup = static_cast<PBYTE>(hGroupData ? LockResource(hGroupData) : nullptr);
    if (!pGroup)
        return nullptr;
    const int nIconId = LookupIconIdFromDirectoryEx(pGroup, TRUE, cx, cy, LR_DEFAULTCOLOR);
    if (nIconId == 0)
        return nullptr;
    const HRSRC hIcon = FindResourceW(hModule, MAKEINTRESOURCEW(nIconId), RT_ICON);
    const HGLOBAL hIconData = hIcon ? LoadResource(hModule, hIcon) : nullptr;
    auto* pIcon = static_cast<PBYTE>(hIconData ? LockResource(hIconData) : nullptr);
    if (!pIcon)
        return nullptr;
    return CreateIconFromResourceEx(pIcon, SizeofResource(hModule, hIcon), TRUE, 0x30000, cx, cy, LR_DEFAULTCOLOR);
}

void CLVKResourceManager::Close()
{
    if (!m_hResourceModule)
        return;
    FreeLibrary(m_hResourceModule);
    m_hResourceModule = nullptr;
}

LANGID CLVKResourceManager::GetLanguage() const
{
    return m_pLanguageInfo->wLanguage;
}

void CLVKResourceManager::UpdateLanguage()
{
    SetLanguage(LVKFindResourceLanguage(GetToolkitResourceHandle()));
}

void CLVKResourceManager::SetLanguage(LANGID wLanguage)
{
    const LVK_LANGUAGE_INFO* pInfo = LVKGetLanguageInfo(wLanguage);
    m_pLanguageInfo = pInfo ? pInfo : EnglishLanguage();
}

UINT CLVKResourceManager::GetMessageBoxType(UINT nType) const
{
    const UINT nCodePage = m_pLanguageInfo->nCodePage;
    // Hebrew and Arabic read right to left.
    if (nCodePage == 1255 || nCodePage == 1256)
        nType |= MB_RTLREADING;
    return nType;
}

int CLVKResourceManager::ShowMessageBox(LPCTSTR lpszText, UINT nType)
{
    return AfxMessageBox(lpszText, GetMessageBoxType(nType));
}

BYTE CLVKResourceManager::GetFontCharset() const
{
    return m_bUseLanguageCharset ? m_pLanguageInfo->nFontCharset : m_nSystemFontCharset;
}

int AFX_CDECL CLVKResourceManager::GetMenuItemText(CMenu* pMenu, UINT nIDItem, CString& strText, UINT nFlags)
{
    strText.Empty();
    const HMENU hMenu = pMenu ? pMenu->GetSafeHmenu() : nullptr;
    if (!hMenu)
        return 0;
    const int nLength = GetMenuStringW(hMenu, nIDItem, nullptr, 0, nFlags);
    if (nLength <= 0)
        return 0;
    LPWSTR pszText = strText.GetBuffer(nLength + 1);
    const int nCopied = GetMenuStringW(hMenu, nIDItem, pszText, nLength + 1, nFlags);
    strText.ReleaseBufferSetLength(nCopied > 0 ? nCopied : 0);
    return strText.GetLength();
}
