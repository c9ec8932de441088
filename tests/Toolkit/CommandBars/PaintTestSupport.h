// Test helpers of the command-bar painting tests: a 32-bit bitmap whose
// pixels can be read back, a counter of the GDI objects the program
// creates, and a default theme with distinct colours.
#pragma once

#include "Framework.h"

#include "CommandBars/CommandBarsOffice2000Theme.h"
#include "Foundation/DpiScaling.h"

#include <memory>

namespace
{

const COLORREF kBack = RGB(1, 2, 3);

// A 32-bit top-down bitmap in a memory DC, filled with kBack.
class CPixelCanvas
{
public:
    CPixelCanvas(int cx, int cy) : m_cx(cx), m_cy(cy)
    {
        BITMAPINFO bmi{};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = -cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        void* pBits = nullptr;
        m_hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
        m_pBits = static_cast<DWORD*>(pBits);
        m_dc.Attach(::CreateCompatibleDC(nullptr));
        m_hOld = ::SelectObject(m_dc.GetSafeHdc(), m_hBitmap);
        m_dc.FillSolidRect(0, 0, cx, cy, kBack);
    }
    ~CPixelCanvas()
    {
        ::SelectObject(m_dc.GetSafeHdc(), m_hOld);
        m_dc.DeleteDC();
        ::DeleteObject(m_hBitmap);
    }
    CDC* DC() { return &m_dc; }
    COLORREF At(int x, int y) const
    {
        ::GdiFlush();
        const DWORD v = m_pBits[y * m_cx + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    int CountNot(COLORREF clr, const RECT& rc) const
    {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; y++)
        {
            for (int x = rc.left; x < rc.right; x++)
                n += At(x, y) != clr ? 1 : 0;
        }
        return n;
    }
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }

private:
    int m_cx;
    int m_cy;
    HBITMAP m_hBitmap = nullptr;
    DWORD* m_pBits = nullptr;
    CDC m_dc;
    HGDIOBJ m_hOld = nullptr;
};

// Counts the GDI objects the program creates, by patching the program's
// import table entries of gdi32's creation functions for its lifetime.
class CGdiCreationCounter
{
public:
    CGdiCreationCounter()
    {
        s_nCount = 0;
        Patch(TRUE);
    }
    ~CGdiCreationCounter() { Patch(FALSE); }
    BOOL IsInstalled() const { return m_nPatched > 0; }
    int GetCount() const { return s_nCount; }

private:
    struct Hook
    {
        const char* pszName;
        void* pfnCounter;
        void* pfnOriginal;
    };

    template <int N, class R, class... Args>
    static R WINAPI Counted(Args... args)
    {
        s_nCount++;
        return reinterpret_cast<R(WINAPI*)(Args...)>(Hooks()[N].pfnOriginal)(args...);
    }

    static Hook* Hooks()
    {
        static Hook hooks[] = {
            {"CreatePen", reinterpret_cast<void*>(&Counted<0, HPEN, int, int, COLORREF>), nullptr},
            {"CreateSolidBrush", reinterpret_cast<void*>(&Counted<1, HBRUSH, COLORREF>), nullptr},
            {"CreatePatternBrush", reinterpret_cast<void*>(&Counted<2, HBRUSH, HBITMAP>), nullptr},
            {"CreateFontIndirectW", reinterpret_cast<void*>(&Counted<3, HFONT, const LOGFONTW*>), nullptr},
            {"CreateBitmap", reinterpret_cast<void*>(&Counted<4, HBITMAP, int, int, UINT, UINT, const void*>), nullptr},
            {"CreateCompatibleBitmap", reinterpret_cast<void*>(&Counted<5, HBITMAP, HDC, int, int>), nullptr},
            {"CreateDIBSection",
             reinterpret_cast<void*>(&Counted<6, HBITMAP, HDC, const BITMAPINFO*, UINT, void**, HANDLE, DWORD>),
             nullptr},
            {"CreateCompatibleDC", reinterpret_cast<void*>(&Counted<7, HDC, HDC>), nullptr},
            {"CreateBrushIndirect", reinterpret_cast<void*>(&Counted<8, HBRUSH, const LOGBRUSH*>), nullptr},
            {"ExtCreatePen",
             reinterpret_cast<void*>(&Counted<9, HPEN, DWORD, DWORD, const LOGBRUSH*, DWORD, const DWORD*>), nullptr},
            {"CreateRectRgn", reinterpret_cast<void*>(&Counted<10, HRGN, int, int, int, int>), nullptr},
        };
        return hooks;
    }
    static const int kHookCount = 11;

    void Patch(BOOL bInstall)
    {
        BYTE* pBase = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
        const auto* pDos = reinterpret_cast<const IMAGE_DOS_HEADER*>(pBase);
        const auto* pNt = reinterpret_cast<const IMAGE_NT_HEADERS*>(pBase + pDos->e_lfanew);
        const IMAGE_DATA_DIRECTORY& dir = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        auto* pDesc = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(pBase + dir.VirtualAddress);
        for (; pDesc->Name; pDesc++)
        {
            if (lstrcmpiA(reinterpret_cast<const char*>(pBase + pDesc->Name), "gdi32.dll") != 0)
                continue;
            auto* pNames = reinterpret_cast<IMAGE_THUNK_DATA*>(pBase + pDesc->OriginalFirstThunk);
            auto* pSlots = reinterpret_cast<IMAGE_THUNK_DATA*>(pBase + pDesc->FirstThunk);
            for (; pNames->u1.AddressOfData; pNames++, pSlots++)
            {
                if (pNames->u1.Ordinal & IMAGE_ORDINAL_FLAG)
                    continue;
                const auto* pByName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(pBase + pNames->u1.AddressOfData);
                for (int i = 0; i < kHookCount; i++)
                {
                    Hook& hook = Hooks()[i];
                    if (lstrcmpA(reinterpret_cast<const char*>(pByName->Name), hook.pszName) != 0)
                        continue;
                    DWORD dwOld = 0;
                    ::VirtualProtect(&pSlots->u1.Function, sizeof(pSlots->u1.Function), PAGE_READWRITE, &dwOld);
                    if (bInstall)
                    {
                        hook.pfnOriginal = reinterpret_cast<void*>(pSlots->u1.Function);
                        pSlots->u1.Function = reinterpret_cast<DWORD_PTR>(hook.pfnCounter);
                        m_nPatched++;
                    }
                    else if (hook.pfnOriginal)
                    {
                        pSlots->u1.Function = reinterpret_cast<DWORD_PTR>(hook.pfnOriginal);
                    }
                    ::VirtualProtect(&pSlots->u1.Function, sizeof(pSlots->u1.Function), dwOld, &dwOld);
                }
            }
        }
    }

    static int s_nCount;
    int m_nPatched = 0;
};
int CGdiCreationCounter::s_nCount = 0;

// A default theme whose colours are distinct, so pixels tell which entry
// was used whatever the system colours are.
[[maybe_unused]] std::unique_ptr<CLVKCommandBarsOffice2000Theme> MakeTheme()
{
    auto pTheme = std::make_unique<CLVKCommandBarsOffice2000Theme>();
    pTheme->RefreshMetrics();
    for (int i = 0; i < CLVKPaintManager::kColorCount; i++)
        pTheme->GetColorEntry(i).SetCustomValue(RGB(10 + i, 100 + i, 200 - i));
    return pTheme;
}

[[maybe_unused]] COLORREF Entry(int i)
{
    return RGB(10 + i, 100 + i, 200 - i);
}

[[maybe_unused]] int ScaleX(int n)
{
    return CLVKDpiScaling::GetGlobal()->ScaleX(n);
}

[[maybe_unused]] int ScaleY(int n)
{
    return CLVKDpiScaling::GetGlobal()->ScaleY(n);
}

}  // namespace
