#include "RichEditClass.h"

namespace
{

struct RichEditEntry
{
    LPCWSTR lpszClass;
    int nDll;
};

const LPCWSTR kDlls[] = {L"riched32.dll", L"riched20.dll", L"msftedit.dll"};

const RichEditEntry kEntries[] = {
    {L"RichEdit10W", 0}, {L"RichEdit20W", 1}, {L"RichEdit30W", 1}, {L"RichEdit31W", 1}, {L"RichEdit40W", 1},
    {L"RichEdit41W", 2}, {L"RichEdit50W", 2}, {L"RichEdit60W", 2}, {L"RichEdit70W", 2},
};
const int kEntryCount = static_cast<int>(sizeof(kEntries) / sizeof(kEntries[0]));

HMODULE LoadRichEditDll(int nDll)
{
    // One attempt per DLL and process; the DLLs stay loaded because their
    // window classes must outlive every control made from them.
    static HMODULE s_hModules[3] = {};
    static BOOL s_bTried[3] = {};
    if (!s_bTried[nDll])
    {
        s_hModules[nDll] = LoadLibraryW(kDlls[nDll]);
        s_bTried[nDll] = TRUE;
    }
    return s_hModules[nDll];
}

BOOL TryEntry(int nEntry, WNDCLASSW* pClass)
{
    const HMODULE hDll = LoadRichEditDll(kEntries[nEntry].nDll);
    if (!hDll)
        return FALSE;
    WNDCLASSW wc{};
    if (!GetClassInfoW(nullptr, kEntries[nEntry].lpszClass, &wc))
        return FALSE;
    if (pClass)
    {
        *pClass = wc;
        pClass->hInstance = hDll;
    }
    return TRUE;
}

}  // namespace

LPCWSTR LVKGetRichEditClassName(int nIndex)
{
    return nIndex >= 0 && nIndex < kEntryCount ? kEntries[nIndex].lpszClass : nullptr;
}

int LVKFindRichEditClass(BOOL bSkip, int nMode, int& nIndex, WNDCLASSW* pClass)
{
    if (bSkip)
        return 0;
    if (nMode == richEditSearchAll)
        nIndex = 0;
    if (nIndex < 0 || nIndex >= kEntryCount)
        return 0;

    const int nFirst = nMode == richEditSearchIndexOnly ? nIndex : kEntryCount - 1;
    for (int i = nFirst; i >= nIndex; i--)
    {
        if (TryEntry(i, pClass))
        {
            nIndex = i;
            return 1;
        }
    }
    return 0;
}
