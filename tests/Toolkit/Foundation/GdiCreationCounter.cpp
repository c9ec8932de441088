#include "GdiCreationCounter.h"

#include <cstring>

namespace
{

volatile LONG g_nCreated = 0;

// A stand-in per function: the real function's address, and a wrapper of the
// same signature that counts what it returns.
template <int N, class Signature>
struct Counting;

template <int N, class R, class... Args>
struct Counting<N, R(WINAPI*)(Args...)>
{
    static R(WINAPI* s_pfnReal)(Args...);
    static R WINAPI Call(Args... args)
    {
        const R result = s_pfnReal(args...);
        if (result)
            ::InterlockedIncrement(&g_nCreated);
        return result;
    }
};

template <int N, class R, class... Args>
R(WINAPI* Counting<N, R(WINAPI*)(Args...)>::s_pfnReal)
(Args...) = nullptr;

struct Redirect
{
    const char* pszName;
    void** ppReal;
    void* pCounting;
};

template <int N, class Signature>
Redirect MakeRedirect(const char* pszName, Signature)
{
    return Redirect{pszName, reinterpret_cast<void**>(&Counting<N, Signature>::s_pfnReal),
                    reinterpret_cast<void*>(&Counting<N, Signature>::Call)};
}

}  // namespace

GdiCreationCounter::GdiCreationCounter() : m_nStart(g_nCreated)
{
    const Redirect redirects[] = {
        MakeRedirect<0>("CreateFontIndirectW", &::CreateFontIndirectW),
        MakeRedirect<1>("CreateFontW", &::CreateFontW),
        MakeRedirect<2>("CreatePen", &::CreatePen),
        MakeRedirect<3>("ExtCreatePen", &::ExtCreatePen),
        MakeRedirect<4>("CreatePenIndirect", &::CreatePenIndirect),
        MakeRedirect<5>("CreateSolidBrush", &::CreateSolidBrush),
        MakeRedirect<6>("CreateBrushIndirect", &::CreateBrushIndirect),
        MakeRedirect<7>("CreateCompatibleDC", &::CreateCompatibleDC),
        MakeRedirect<8>("CreateCompatibleBitmap", &::CreateCompatibleBitmap),
        MakeRedirect<9>("CreateDIBSection", &::CreateDIBSection),
        MakeRedirect<10>("CreateRectRgn", &::CreateRectRgn),
        MakeRedirect<11>("CreateBitmap", &::CreateBitmap),
    };
    const HMODULE hGdi = ::GetModuleHandleW(L"gdi32.dll");
    auto* const pBase = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
    const auto* pDos = reinterpret_cast<const IMAGE_DOS_HEADER*>(pBase);
    const auto* pNt = reinterpret_cast<const IMAGE_NT_HEADERS*>(pBase + pDos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!hGdi || !imports.VirtualAddress)
        return;
    for (const Redirect& redirect : redirects)
    {
        void* const pReal = reinterpret_cast<void*>(::GetProcAddress(hGdi, redirect.pszName));
        if (!pReal)
            continue;
        *redirect.ppReal = pReal;
        // Every import slot that holds the real function, in any descriptor.
        for (auto* pDesc = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(pBase + imports.VirtualAddress);
             pDesc->Name; ++pDesc)
        {
            for (auto* pSlot = reinterpret_cast<void**>(pBase + pDesc->FirstThunk); *pSlot; ++pSlot)
            {
                if (*pSlot != pReal)
                    continue;
                DWORD dwOld = 0;
                if (!::VirtualProtect(pSlot, sizeof(void*), PAGE_READWRITE, &dwOld))
                    continue;
                m_patches.push_back(Patch{pSlot, pReal});
                *pSlot = redirect.pCounting;
                ::VirtualProtect(pSlot, sizeof(void*), dwOld, &dwOld);
            }
        }
    }
}

GdiCreationCounter::~GdiCreationCounter()
{
    for (const Patch& patch : m_patches)
    {
        DWORD dwOld = 0;
        if (::VirtualProtect(patch.pSlot, sizeof(void*), PAGE_READWRITE, &dwOld))
        {
            *patch.pSlot = patch.pOriginal;
            ::VirtualProtect(patch.pSlot, sizeof(void*), dwOld, &dwOld);
        }
    }
}

LONG GdiCreationCounter::Count() const
{
    return g_nCreated - m_nStart;
}
