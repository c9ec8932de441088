#include "GalleryKeys.h"

#include "WindowShot.h"

#include <cstdio>
#include <cwctype>
#include <string>

namespace
{

struct NamedKey
{
    LPCWSTR lpszName;
    WORD wKey;
};

const NamedKey kNamedKeys[] = {
    {L"alt", VK_MENU},  {L"esc", VK_ESCAPE}, {L"enter", VK_RETURN}, {L"tab", VK_TAB},   {L"space", VK_SPACE},
    {L"up", VK_UP},     {L"down", VK_DOWN},  {L"left", VK_LEFT},    {L"right", VK_RIGHT}, {L"home", VK_HOME},
    {L"end", VK_END},
};

const struct
{
    LPCWSTR lpszPrefix;
    WORD wKey;
} kModifiers[] = {{L"ctrl+", VK_CONTROL}, {L"alt+", VK_MENU}, {L"shift+", VK_SHIFT}};

// Timer period, and how many quiet ticks in a row count as "handled".
const UINT kTickMs = 50;
const int kQuietTicks = 3;
// A page that never goes quiet still gets its next key after this many ticks
// (two minutes): only a page that never settles reaches it, never a slow
// machine.
const int kMaxWaitTicks = 120000 / kTickMs;

BOOL ParseKeyName(const std::wstring& name, WORD& wKey)
{
    if (name.size() == 1 && (std::iswalpha(name[0]) || std::iswdigit(name[0])) && name[0] < 0x80)
    {
        wKey = static_cast<WORD>(std::towupper(name[0]));
        return TRUE;
    }
    for (const NamedKey& key : kNamedKeys)
    {
        if (name == key.lpszName)
        {
            wKey = key.wKey;
            return TRUE;
        }
    }
    if (name.size() >= 2 && name.size() <= 3 && name[0] == L'f')
    {
        const int nNumber = _wtoi(name.c_str() + 1);
        if (nNumber >= 1 && nNumber <= 12 && std::to_wstring(nNumber) == name.substr(1))
        {
            wKey = static_cast<WORD>(VK_F1 + nNumber - 1);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL ParseStroke(std::wstring text, GalleryKeyStroke& stroke)
{
    for (wchar_t& ch : text)
        ch = static_cast<wchar_t>(std::towlower(ch));
    for (;;)
    {
        bool bModifier = false;
        for (const auto& modifier : kModifiers)
        {
            const size_t nLength = wcslen(modifier.lpszPrefix);
            if (text.size() > nLength && text.compare(0, nLength, modifier.lpszPrefix) == 0)
            {
                stroke.modifiers.push_back(modifier.wKey);
                text.erase(0, nLength);
                bModifier = true;
            }
        }
        if (!bModifier)
            break;
    }
    return ParseKeyName(text, stroke.wKey);
}

// The run in progress: one at a time, driven by the thread timer.
struct KeyRun
{
    std::vector<GalleryKeyStroke> keys;
    size_t nNext = 0;
    int nQuiet = 0;
    int nWaited = 0;
    HWND hWndShot = nullptr;
    std::wstring shot;
    BOOL bScreen = FALSE;
    UINT_PTR nTimer = 0;
    int nResult = -1;
    POINT ptParked{};
};

KeyRun g_run;

BOOL IsThreadQuiet()
{
    // Timers tick all the time (ours among them); anything else waiting
    // means the last key is still being handled.
    return (HIWORD(::GetQueueStatus(QS_ALLINPUT)) & ~QS_TIMER) == 0;
}

// Typed keys must not depend on where the pointer stands: a menu that opens
// under it selects the item there, and a key like Down then moves on from
// that item. The pointer goes to a corner of the screen outside the page
// before the first key.
POINT ParkPointOutside(HWND hWnd)
{
    const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN), y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int cx = ::GetSystemMetrics(SM_CXVIRTUALSCREEN), cy = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const POINT corners[] = {{x + cx - 1, y + cy - 1}, {x, y + cy - 1}, {x + cx - 1, y}, {x, y}};
    RECT rcWindow{};
    if (!hWnd || !::GetWindowRect(::GetAncestor(hWnd, GA_ROOT), &rcWindow))
        return corners[0];
    for (const POINT& pt : corners)
    {
        if (!::PtInRect(&rcWindow, pt))
            return pt;
    }
    return corners[0];
}

bool IsPointerParked()
{
    POINT pt{};
    return ::GetCursorPos(&pt) && pt.x == g_run.ptParked.x && pt.y == g_run.ptParked.y;
}

void SendStroke(const GalleryKeyStroke& stroke)
{
    std::vector<INPUT> inputs;
    auto add = [&inputs](WORD wKey, DWORD dwFlags)
    {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = wKey;
        input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(wKey, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = dwFlags;
        inputs.push_back(input);
    };
    for (WORD wModifier : stroke.modifiers)
        add(wModifier, 0);
    const DWORD dwExtended = (stroke.wKey >= VK_PRIOR && stroke.wKey <= VK_DOWN) ? KEYEVENTF_EXTENDEDKEY : 0;
    add(stroke.wKey, dwExtended);
    add(stroke.wKey, dwExtended | KEYEVENTF_KEYUP);
    for (auto it = stroke.modifiers.rbegin(); it != stroke.modifiers.rend(); ++it)
        add(*it, KEYEVENTF_KEYUP);
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void Finish()
{
    ::KillTimer(nullptr, g_run.nTimer);
    g_run.nTimer = 0;
    int nExitCode = 0;
    if (!g_run.shot.empty() && ::IsWindow(g_run.hWndShot))
    {
        ::RedrawWindow(g_run.hWndShot, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        if (!SaveWindowShot(g_run.hWndShot, g_run.shot.c_str(), g_run.bScreen))
        {
            fwprintf(stderr, L"ControlGallery: could not write \"%ls\"\n", g_run.shot.c_str());
            nExitCode = 1;
        }
    }
    fflush(stdout);
    g_run.nResult = nExitCode;
    // Nested loops (an open menu, a chord) end on WM_QUIT and pass it on.
    ::PostQuitMessage(nExitCode);
}

void CALLBACK OnKeyTimer(HWND, UINT, UINT_PTR, DWORD)
{
    g_run.nWaited++;
    // The first key waits until the system reports the pointer parked too.
    const bool bReady = g_run.nNext > 0 || IsPointerParked();
    g_run.nQuiet = IsThreadQuiet() && bReady ? g_run.nQuiet + 1 : 0;
    if (g_run.nQuiet < kQuietTicks && g_run.nWaited < kMaxWaitTicks)
        return;
    g_run.nQuiet = 0;
    g_run.nWaited = 0;
    if (g_run.nNext >= g_run.keys.size())
    {
        Finish();
        return;
    }
    SendStroke(g_run.keys[g_run.nNext++]);
}

}  // namespace

BOOL ParseGalleryKeys(LPCWSTR lpszList, std::vector<GalleryKeyStroke>& keys)
{
    keys.clear();
    const std::wstring list(lpszList ? lpszList : L"");
    size_t nStart = 0;
    while (nStart <= list.size())
    {
        const size_t nComma = list.find(L',', nStart);
        const std::wstring name = list.substr(nStart, nComma == std::wstring::npos ? std::wstring::npos
                                                                                   : nComma - nStart);
        GalleryKeyStroke stroke;
        if (!ParseStroke(name, stroke))
            return FALSE;
        keys.push_back(stroke);
        if (nComma == std::wstring::npos)
            break;
        nStart = nComma + 1;
    }
    return !keys.empty();
}

void StartGalleryKeys(const std::vector<GalleryKeyStroke>& keys, HWND hWndShot, LPCWSTR lpszShot, BOOL bScreen)
{
    g_run.bScreen = bScreen;
    g_run.keys = keys;
    g_run.nNext = 0;
    g_run.nQuiet = 0;
    g_run.nWaited = 0;
    g_run.hWndShot = hWndShot;
    g_run.shot = lpszShot ? lpszShot : L"";
    g_run.nResult = -1;
    g_run.ptParked = ParkPointOutside(hWndShot);
    ::SetCursorPos(g_run.ptParked.x, g_run.ptParked.y);
    g_run.nTimer = ::SetTimer(nullptr, 0, kTickMs, &OnKeyTimer);
}

int GetGalleryKeysResult()
{
    return g_run.nResult;
}
