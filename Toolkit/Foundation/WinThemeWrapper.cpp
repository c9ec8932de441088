#include "WinThemeWrapper.h"

#include "FaultGuard.h"
#include "SystemVersion.h"

namespace
{

const char* const kEntryPointNames[CLVKWinThemeWrapper::slotBoundCount] = {
    "DrawThemeBackground",      "CloseThemeData",     "OpenThemeData",    "IsThemeActive",   "IsAppThemed",
    "GetThemeSysColor",         "GetThemeSysBool",    "GetThemePartSize", "GetThemeColor",   "GetCurrentThemeName",
    "EnableThemeDialogTexture", "BeginBufferedPaint", "EndBufferedPaint", "DrawThemeTextEx",
};

LVKWinThemeApiTable& PlainTable()
{
    static LVKWinThemeApiTable table;
    return table;
}

LVKWinThemeApiTable& RecheckedTable()
{
    static LVKWinThemeApiTable table;
    return table;
}

struct LVKDwmApi
{
    LVKDwmApi() : hModule(::LoadLibraryW(L"dwmapi.dll")) {}

    template <class PFN>
    PFN Get(FARPROC& slot, const char* pszName)
    {
        if (!slot && hModule)
            slot = ::GetProcAddress(hModule, pszName);
        return reinterpret_cast<PFN>(reinterpret_cast<void*>(slot));
    }

    FARPROC pfnDwmDefWindowProc = nullptr;
    FARPROC pfnDwmIsCompositionEnabled = nullptr;
    FARPROC pfnDwmExtendFrameIntoClientArea = nullptr;
    HMODULE hModule;
};

LVKDwmApi& DwmApi()
{
    static LVKDwmApi api;
    return api;
}

}  // namespace

LVKWinThemeApiTable::LVKWinThemeApiTable()
    : hModule(::LoadLibraryW(L"UXTHEME.DLL")), dwComCtlVersion(CLVKSystemVersion::GetComCtlVersion())
{
}

LVKWinThemeApiTable::LVKWinThemeApiTable(HMODULE hModuleIn, DWORD dwComCtlVersionIn)
    : hModule(hModuleIn), dwComCtlVersion(dwComCtlVersionIn)
{
}

void LVKWinThemeApiTable::ClearSlots()
{
    for (FARPROC& slot : slots)
        slot = nullptr;
}

CLVKWinThemeWrapper::CLVKWinThemeWrapper(BOOL bRecheck) : m_bRecheck(bRecheck)
{
}

CLVKWinThemeWrapper::~CLVKWinThemeWrapper()
{
    CloseThemeData();
    delete m_pPrivateTable;
}

void CLVKWinThemeWrapper::SetPrivateApiTable(LVKWinThemeApiTable* pTable)
{
    if (pTable == m_pPrivateTable)
        return;
    delete m_pPrivateTable;
    m_pPrivateTable = pTable;
}

LVKWinThemeApiTable* CLVKWinThemeWrapper::GetApiTable() const
{
    if (m_pPrivateTable)
        return m_pPrivateTable;
    return m_bRecheck ? &RecheckedTable() : &PlainTable();
}

void CLVKWinThemeWrapper::RefreshApiTable()
{
    if (!m_bRecheck)
        return;
    LVKWinThemeApiTable* const pTable = GetApiTable();
    const HMODULE hLoaded = ::GetModuleHandleA("UXTHEME.DLL");
    if (hLoaded == pTable->hModule)
        return;
    // Another library (or none) now: every entry point is bound again.
    pTable->hModule = hLoaded;
    pTable->ClearSlots();
}

FARPROC CLVKWinThemeWrapper::GetEntryPoint(Slot slot)
{
    LVKWinThemeApiTable* const pTable = GetApiTable();
    if (pTable->hModule && !pTable->slots[slot])
        pTable->slots[slot] = ::GetProcAddress(pTable->hModule, kEntryPointNames[slot]);
    return pTable->slots[slot];
}

template <class PFN, class R, class... Args>
R CLVKWinThemeWrapper::Call(Slot slot, R failure, Args... args)
{
    const FARPROC pfn = GetEntryPoint(slot);
    if (!pfn)
        return failure;
    // A fault inside the theme library (a broken third-party style, a
    // library being unloaded) comes back here as the failure value.
    CLVKFaultGuard guard;
    if (setjmp(guard.m_recoveryPoint) != 0)
        return failure;
    guard.Arm();
    try
    {
        return reinterpret_cast<PFN>(reinterpret_cast<void*>(pfn))(args...);
    }
    catch (...)
    {
        return failure;
    }
}

HTHEME CLVKWinThemeWrapper::OpenThemeData(HWND hWnd, LPCWSTR lpszClassList)
{
    RefreshApiTable();
    CloseThemeData();
    m_hTheme =
        Call<HTHEME(WINAPI*)(HWND, LPCWSTR)>(slotOpenThemeData, static_cast<HTHEME>(nullptr), hWnd, lpszClassList);
    return m_hTheme;
}

HRESULT CLVKWinThemeWrapper::CloseThemeData()
{
    if (!m_hTheme)
        return 0;
    const HTHEME hTheme = m_hTheme;
    m_hTheme = nullptr;
    return Call<HRESULT(WINAPI*)(HTHEME)>(slotCloseThemeData, static_cast<HRESULT>(0), hTheme);
}

BOOL CLVKWinThemeWrapper::IsThemeActive()
{
    if (!m_hTheme)
        RefreshApiTable();
    return Call<BOOL(WINAPI*)()>(slotIsThemeActive, FALSE);
}

BOOL CLVKWinThemeWrapper::IsAppThemed()
{
    return Call<BOOL(WINAPI*)()>(slotIsAppThemed, FALSE);
}

BOOL CLVKWinThemeWrapper::AreAppThemesEnabled()
{
    return IsThemeActive() && IsAppThemed() && HIWORD(GetApiTable()->dwComCtlVersion) >= 6;
}

HRESULT CLVKWinThemeWrapper::DrawThemeBackground(HDC hDC, int nPartId, int nStateId, const RECT* pRect,
                                                 const RECT* pClipRect)
{
    return Call<HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, const RECT*)>(
        slotDrawThemeBackground, static_cast<HRESULT>(E_FAIL), m_hTheme, hDC, nPartId, nStateId, pRect, pClipRect);
}

COLORREF CLVKWinThemeWrapper::GetThemeSysColor(int nColorId)
{
    return Call<COLORREF(WINAPI*)(HTHEME, int)>(slotGetThemeSysColor, static_cast<COLORREF>(-1), m_hTheme, nColorId);
}

BOOL CLVKWinThemeWrapper::GetThemeSysBool(int nBoolId)
{
    return Call<BOOL(WINAPI*)(HTHEME, int)>(slotGetThemeSysBool, FALSE, m_hTheme, nBoolId);
}

HRESULT CLVKWinThemeWrapper::GetThemePartSize(HDC hDC, int nPartId, int nStateId, const RECT* pRect, THEMESIZE eSize,
                                              SIZE* pSize)
{
    return Call<HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, THEMESIZE, SIZE*)>(
        slotGetThemePartSize, static_cast<HRESULT>(E_FAIL), m_hTheme, hDC, nPartId, nStateId, pRect, eSize, pSize);
}

HRESULT CLVKWinThemeWrapper::GetThemeColor(int nPartId, int nStateId, int nPropId, COLORREF* pColor)
{
    return Call<HRESULT(WINAPI*)(HTHEME, int, int, int, COLORREF*)>(slotGetThemeColor, static_cast<HRESULT>(E_FAIL),
                                                                    m_hTheme, nPartId, nStateId, nPropId, pColor);
}

HRESULT CLVKWinThemeWrapper::GetCurrentThemeName(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff,
                                                 int cchMaxColorChars, LPWSTR pszSizeBuff, int cchMaxSizeChars)
{
    RefreshApiTable();
    return Call<HRESULT(WINAPI*)(LPWSTR, int, LPWSTR, int, LPWSTR, int)>(
        slotGetCurrentThemeName, static_cast<HRESULT>(E_FAIL), pszThemeFileName, cchMaxNameChars, pszColorBuff,
        cchMaxColorChars, pszSizeBuff, cchMaxSizeChars);
}

HRESULT CLVKWinThemeWrapper::EnableThemeDialogTexture(HWND hWnd, DWORD dwFlags)
{
    return Call<HRESULT(WINAPI*)(HWND, DWORD)>(slotEnableThemeDialogTexture, static_cast<HRESULT>(E_FAIL), hWnd,
                                               dwFlags);
}

HPAINTBUFFER CLVKWinThemeWrapper::BeginBufferedPaint(HDC hdcTarget, const RECT* prcTarget, BP_BUFFERFORMAT dwFormat,
                                                     BP_PAINTPARAMS* pPaintParams, HDC* phdc)
{
    return Call<HPAINTBUFFER(WINAPI*)(HDC, const RECT*, BP_BUFFERFORMAT, BP_PAINTPARAMS*, HDC*)>(
        slotBeginBufferedPaint, static_cast<HPAINTBUFFER>(nullptr), hdcTarget, prcTarget, dwFormat, pPaintParams, phdc);
}

void CLVKWinThemeWrapper::EndBufferedPaint(HPAINTBUFFER hBufferedPaint, BOOL fUpdateTarget)
{
    Call<HRESULT(WINAPI*)(HPAINTBUFFER, BOOL)>(slotEndBufferedPaint, static_cast<HRESULT>(E_FAIL), hBufferedPaint,
                                               fUpdateTarget);
}

HRESULT CLVKWinThemeWrapper::DrawThemeTextEx(HDC hDC, int nPartId, int nStateId, LPCWSTR pszText, int cchText,
                                             DWORD dwTextFlags, LPRECT pRect, const DTTOPTS* pOptions)
{
    return Call<HRESULT(WINAPI*)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, LPRECT, const DTTOPTS*)>(
        slotDrawThemeTextEx, static_cast<HRESULT>(E_FAIL), m_hTheme, hDC, nPartId, nStateId, pszText, cchText,
        dwTextFlags, pRect, pOptions);
}

HRESULT AFX_CDECL LVKDwmDefWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* plResult)
{
    LVKDwmApi& api = DwmApi();
    const auto pfn =
        api.Get<BOOL(WINAPI*)(HWND, UINT, WPARAM, LPARAM, LRESULT*)>(api.pfnDwmDefWindowProc, "DwmDefWindowProc");
    if (!pfn)
        return E_FAIL;
    return pfn(hWnd, msg, wParam, lParam, plResult);
}

HRESULT AFX_CDECL LVKDwmExtendFrameIntoClientArea(HWND hWnd, int nLeft, int nRight, int nTop, int nBottom)
{
    LVKDwmApi& api = DwmApi();
    const auto pfn = api.Get<HRESULT(WINAPI*)(HWND, const MARGINS*)>(api.pfnDwmExtendFrameIntoClientArea,
                                                                     "DwmExtendFrameIntoClientArea");
    if (!pfn)
        return E_FAIL;
    const MARGINS margins = {nLeft, nRight, nTop, nBottom};
    return pfn(hWnd, &margins);
}

BOOL AFX_CDECL LVKDwmIsCompositionEnabled()
{
    LVKDwmApi& api = DwmApi();
    const auto pfn = api.Get<HRESULT(WINAPI*)(BOOL*)>(api.pfnDwmIsCompositionEnabled, "DwmIsCompositionEnabled");
    if (!pfn)
        return FALSE;
    BOOL bEnabled = FALSE;
    return SUCCEEDED(pfn(&bEnabled)) && bEnabled;
}
