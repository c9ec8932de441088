// Windows visual styles without a link to uxtheme: every call goes through a
// table of entry points bound by name on first use, and a missing library, a
// missing entry point, a failing call or a fault inside the call (caught by
// CLVKFaultGuard) gives a fixed failure value, which
// callers take as "draw without themes". One wrapper holds one open
// theme-data handle.
#pragma once

#include "Framework.h"

#include <uxtheme.h>

// The entry points of uxtheme as the wrapper binds them.
struct LVKWinThemeApiTable
{
    enum
    {
        kSlotCount = 53
    };

    // Loads UXTHEME.DLL (kept for the life of the process) and reads the
    // comctl32 version.
    LVKWinThemeApiTable();
    // A table over the given module and comctl32 version; slots may be
    // filled by hand (tests hand in their own entry points this way).
    LVKWinThemeApiTable(HMODULE hModule, DWORD dwComCtlVersion);

    void ClearSlots();

    FARPROC slots[kSlotCount] = {};
    HMODULE hModule = nullptr;
    DWORD dwComCtlVersion = 0;
};

class CLVKWinThemeWrapper
{
public:
    // Slots of the entry points the toolkit binds.
    enum Slot
    {
        slotDrawThemeBackground,
        slotCloseThemeData,
        slotOpenThemeData,
        slotIsThemeActive,
        slotIsAppThemed,
        slotGetThemeSysColor,
        slotGetThemeSysBool,
        slotGetThemePartSize,
        slotGetThemeColor,
        slotGetCurrentThemeName,
        slotEnableThemeDialogTexture,
        slotBeginBufferedPaint,
        slotEndBufferedPaint,
        slotDrawThemeTextEx,
        slotBoundCount
    };

    // bRecheck: follow the UXTHEME.DLL loaded in the process (its table is
    // thrown away when the library changes).
    explicit CLVKWinThemeWrapper(BOOL bRecheck = FALSE);
    virtual ~CLVKWinThemeWrapper();

    // Makes the wrapper use a table of its own, which it frees.
    void SetPrivateApiTable(LVKWinThemeApiTable* pTable);
    LVKWinThemeApiTable* GetApiTable() const;
    // Clears the table when the UXTHEME.DLL loaded now is another one.
    void RefreshApiTable();

    HTHEME OpenThemeData(HWND hWnd, LPCWSTR lpszClassList);
    HRESULT CloseThemeData();
    HTHEME GetThemeData() const { return m_hTheme; }
    BOOL HasThemeData() const { return m_hTheme != nullptr; }

    BOOL IsThemeActive();
    BOOL IsAppThemed();
    BOOL IsAppThemeReady() { return IsAppThemed() && HasThemeData(); }
    // Themes are active, the application is themed and comctl32 is 6 or later.
    BOOL AreAppThemesEnabled();

    HRESULT DrawThemeBackground(HDC hDC, int nPartId, int nStateId, const RECT* pRect, const RECT* pClipRect);
    COLORREF GetThemeSysColor(int nColorId);
    BOOL GetThemeSysBool(int nBoolId);
    HRESULT GetThemePartSize(HDC hDC, int nPartId, int nStateId, const RECT* pRect, THEMESIZE eSize, SIZE* pSize);
    HRESULT GetThemeColor(int nPartId, int nStateId, int nPropId, COLORREF* pColor);
    HRESULT GetCurrentThemeName(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff, int cchMaxColorChars,
                                LPWSTR pszSizeBuff, int cchMaxSizeChars);
    HRESULT EnableThemeDialogTexture(HWND hWnd, DWORD dwFlags);
    HPAINTBUFFER BeginBufferedPaint(HDC hdcTarget, const RECT* prcTarget, BP_BUFFERFORMAT dwFormat,
                                    BP_PAINTPARAMS* pPaintParams, HDC* phdc);
    void EndBufferedPaint(HPAINTBUFFER hBufferedPaint, BOOL fUpdateTarget);
    HRESULT DrawThemeTextEx(HDC hDC, int nPartId, int nStateId, LPCWSTR pszText, int cchText, DWORD dwTextFlags,
                            LPRECT pRect, const DTTOPTS* pOptions);

    CLVKWinThemeWrapper(const CLVKWinThemeWrapper&) = delete;
    CLVKWinThemeWrapper& operator=(const CLVKWinThemeWrapper&) = delete;

private:
    // The entry point of the slot, bound on first use; null when missing.
    FARPROC GetEntryPoint(Slot slot);
    template <class PFN, class R, class... Args>
    R Call(Slot slot, R failure, Args... args);

    HTHEME m_hTheme = nullptr;
    BOOL m_bRecheck;
    LVKWinThemeApiTable* m_pPrivateTable = nullptr;
};

// dwmapi, bound the same way; E_FAIL (or FALSE) when it is not there.
HRESULT AFX_CDECL LVKDwmDefWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* plResult);
HRESULT AFX_CDECL LVKDwmExtendFrameIntoClientArea(HWND hWnd, int nLeft, int nRight, int nTop, int nBottom);
BOOL AFX_CDECL LVKDwmIsCompositionEnabled();
