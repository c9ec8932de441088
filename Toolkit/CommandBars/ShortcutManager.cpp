#include "CommandBars/ShortcutManager.h"

#include "CommandBars/CommandBars.h"
#include "FrameWnd.h"

#include <algorithm>
#include <cwctype>

namespace
{

struct KeyNameEntry
{
    WORD key;
    const wchar_t* name;
};

// Named keys beside the digits, the letters, F1 to F12 and the keypad digits.
const KeyNameEntry kNamedKeys[] = {
    {0x01, L"Left Button"}, {0x02, L"Right Button"}, {0x03, L"Ctrl+Break"}, {0x04, L"Middle Button"},
    {0x08, L"Backspace"},   {0x09, L"Tab"},          {0x0C, L"Clear"},      {0x0D, L"Enter"},
    {0x10, L"Shift"},       {0x11, L"Ctrl"},         {0x12, L"Alt"},        {0x13, L"Pause"},
    {0x14, L"Caps Lock"},   {0x1B, L"Esc"},          {0x20, L"Space"},      {0x21, L"Page Up"},
    {0x22, L"Page Down"},   {0x23, L"End"},          {0x24, L"Home"},       {0x25, L"Left Arrow"},
    {0x26, L"Up Arrow"},    {0x27, L"Right Arrow"},  {0x28, L"Down Arrow"}, {0x29, L"Select"},
    {0x2A, L"Print"},       {0x2B, L"Execute"},      {0x2C, L"Snapshot"},   {0x2D, L"Ins"},
    {0x2E, L"Del"},         {0x2F, L"Help"},         {0x5B, L"Win"},        {0x5C, L"Win"},
    {0x5D, L"Application"}, {0x6A, L"Num *"},        {0x6B, L"Num +"},      {0x6C, L"Separator"},
    {0x6D, L"Num -"},       {0x6E, L"Num ."},        {0x6F, L"Num /"},
};
const KeyNameEntry kLateKeys[] = {
    {0x90, L"Num Lock"}, {0x91, L"Scrl Lock"}, {0xF6, L"Attn"},      {0xF7, L"Crsel"},
    {0xF8, L"Exsel"},    {0xF9, L"Ereof"},     {0xFA, L"Play"},      {0xFB, L"Zoom"},
    {0xFC, L"No Name"},  {0xFD, L"Pa1"},       {0xFE, L"Oem Clear"},
};

constexpr UINT kKeyNameBuckets = 17;

UINT KeyNameBucket(WORD key)
{
    return static_cast<UINT>((16807u * key) % kKeyNameBuckets);
}

// The built-in names in the order they are added.
std::vector<std::pair<WORD, CString>> BuiltInKeyNames()
{
    std::vector<std::pair<WORD, CString>> names;
    wchar_t text[16] = {};
    for (WORD k = 0x30; k <= 0x39; ++k)
        names.emplace_back(k, CString(static_cast<wchar_t>(k)));
    for (WORD k = 0x41; k <= 0x5A; ++k)
        names.emplace_back(k, CString(static_cast<wchar_t>(k)));
    for (const KeyNameEntry& e : kNamedKeys)
        names.emplace_back(e.key, CString(e.name));
    for (WORD k = 0x70; k <= 0x7B; ++k)
    {
        swprintf(text, 16, L"F%d", k - 0x70 + 1);
        names.emplace_back(k, CString(text));
    }
    for (WORD k = 0x60; k <= 0x69; ++k)
    {
        swprintf(text, 16, L"Num %d", k - 0x60);
        names.emplace_back(k, CString(text));
    }
    for (const KeyNameEntry& e : kLateKeys)
        names.emplace_back(e.key, CString(e.name));
    return names;
}

// Removes the first "name+" found (without case) from strText.
BOOL RemoveModifier(CString& strText, const CString& strName)
{
    if (strName.IsEmpty())
        return FALSE;
    CString strLower(strText);
    strLower.MakeLower();
    CString strToken(strName + L"+");
    strToken.MakeLower();
    const int nAt = strLower.Find(strToken);
    if (nAt < 0)
        return FALSE;
    strText.Delete(nAt, strToken.GetLength());
    return TRUE;
}

}  // namespace

// ---- CKeyHelper ------------------------------------------------------------------

CLVKShortcutManager::CKeyHelper::CKeyHelper(const LVK_SHORTCUTMANAGER_ACCEL* pAccel,
                                            const CLVKShortcutManager* pManager, BOOL bUseManagerNames)
    : m_pAccel(pAccel), m_pManager(pManager), m_bUseManagerNames(bUseManagerNames)
{
}

CString CLVKShortcutManager::CKeyHelper::KeyName(UINT nKey) const
{
    if (!m_pManager)
        return CString();
    if (m_bUseManagerNames)
        return m_pManager->GetKeyDisplayName(nKey);
    CString strName = m_pManager->GetKeyMapName(nKey);
    if (strName.IsEmpty())
        strName.Format(L"0x%x", nKey);
    return strName;
}

CString CLVKShortcutManager::CKeyHelper::FormatKey(const LVK_SHORTCUTMANAGER_KEY& key) const
{
    CString strText;
    auto append = [&strText](const CString& strName, bool bPlus)
    {
        if (strName.IsEmpty())
            return;  // a key without a name adds nothing, not even its '+'
        strText += strName;
        if (bPlus)
            strText += L'+';
    };
    // Ctrl+Break names its modifier itself.
    if (key.key != VK_CANCEL)
    {
        if (key.fVirt & FCONTROL)
            append(KeyName(VK_CONTROL), true);
        if (key.fVirt & FSHIFT)
            append(KeyName(VK_SHIFT), true);
        if (key.fVirt & FALT)
            append(KeyName(VK_MENU), true);
        if (key.fVirt & kLVKAccelWinKey)
            append(KeyName(VK_LWIN), true);
    }
    if (key.key == 0)
    {
        if (!strText.IsEmpty() && strText[strText.GetLength() - 1] == L'+')
            strText.Delete(strText.GetLength() - 1, 1);
        return strText;
    }
    if (key.fVirt & FVIRTKEY)
    {
        append(KeyName(key.key), false);
    }
    else if (key.key >= 1 && key.key <= 26 && key.fVirt == FNOINVERT)
    {
        // A control character: Ctrl and its letter.
        append(KeyName(VK_CONTROL), true);
        strText += static_cast<wchar_t>(key.key + 64);
    }
    else if (key.key != 27 && key.key != 9)
    {
        strText += static_cast<wchar_t>(key.key);
    }
    return strText;
}

void CLVKShortcutManager::CKeyHelper::Format(CString& strText) const
{
    strText.Empty();
    if (!m_pAccel)
        return;
    strText = FormatKey(m_pAccel->key1);
    if (m_pAccel->key2.key != 0)
        strText += L", " + FormatKey(m_pAccel->key2);
}

// ---- CLVKShortcutManager ---------------------------------------------------------

CLVKShortcutManager::CLVKShortcutManager(CLVKCommandBars* pCommandBars) : m_table(this), m_pCommandBars(pCommandBars)
{
    // A lookup by name meets the names in the order of the name map's
    // buckets, newest first within a bucket: of two keys with one name
    // ("Win") that order decides which one a parsed text gives.
    const std::vector<std::pair<WORD, CString>> added = BuiltInKeyNames();
    std::vector<size_t> order(added.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&added](size_t a, size_t b)
                     {
                         const UINT nBucketA = KeyNameBucket(added[a].first);
                         const UINT nBucketB = KeyNameBucket(added[b].first);
                         if (nBucketA != nBucketB)
                             return nBucketA < nBucketB;
                         return a > b;
                     });
    for (size_t i : order)
        m_keyNames.push_back(added[i]);
}

CLVKShortcutManager::~CLVKShortcutManager() = default;

void CLVKShortcutManager::LoadAccelerators(UINT nIDResource)
{
    m_table.Clear();
    const HINSTANCE hInst = AfxGetResourceHandle();
    if (!hInst)
        return;
    // Accelerators loaded from a resource belong to the module: not destroyed.
    m_table.FillFromHandle(::LoadAcceleratorsW(hInst, MAKEINTRESOURCEW(nIDResource)));
    if (!m_pOriginalTable)
        m_pOriginalTable = std::make_unique<CLVKShortcutTable>(this);
    m_pOriginalTable->CopyFrom(m_table);
}

void CLVKShortcutManager::ResetShortcuts()
{
    if (m_pOriginalTable)
        m_table.CopyFrom(*m_pOriginalTable);
}

int CLVKShortcutManager::SetShortcutsDisabled(BOOL bDisable)
{
    const int nChange = bDisable ? 1 : -1;
    m_nDisableShortcuts += nChange;
    return nChange;
}

BOOL CLVKShortcutManager::IsShortcutAllowed(const LVK_SHORTCUTMANAGER_ACCEL& accel) const
{
    const bool bPlainEscape = (accel.key1.fVirt & FVIRTKEY) && !(accel.key1.fVirt & (FCONTROL | FSHIFT | FALT)) &&
                              accel.key1.key == VK_ESCAPE;
    return !(bPlainEscape && !m_bAllowEscapeShortcut);
}

CString CLVKShortcutManager::FormatShortcut(const LVK_SHORTCUTMANAGER_ACCEL& accel, int* pPriority) const
{
    if (pPriority)
    {
        const BYTE fVirt = accel.key1.fVirt;
        *pPriority = (fVirt & FCONTROL) ? 3 : (fVirt & FALT) ? 2 : (fVirt & FSHIFT) ? 1 : 4;
    }
    CString strText;
    CKeyHelper(&accel, this).Format(strText);
    return strText;
}

BOOL CLVKShortcutManager::FindTextInTable(const CLVKShortcutTable& table, UINT nID, CString& strText) const
{
    CString strBest;
    int nBestPriority = 0;
    bool bFound = false;
    bool bKeepsIncoming = false;
    for (int i = 0; i < table.GetCount(); ++i)
    {
        const CLVKShortcutManagerAccel* pAccel = table.GetAt(i);
        if (pAccel->cmd != nID)
            continue;
        int nPriority = 0;
        const CString strShortcut = FormatShortcut(pAccel->GetRecord(), &nPriority);
        if (!strText.IsEmpty() && strShortcut == strText)
            bKeepsIncoming = true;
        if (!bFound || nPriority > nBestPriority)
        {
            strBest = strShortcut;
            nBestPriority = nPriority;
            bFound = true;
        }
    }
    if (!bFound)
    {
        strText.Empty();
        return FALSE;
    }
    if (!bKeepsIncoming)
        strText = strBest;
    return TRUE;
}

BOOL CLVKShortcutManager::FindCommandShortcutText(UINT nID, CString& strText) const
{
    if (!m_table.IsEmpty())
        return FindTextInTable(m_table, nID, strText);
    // An emptied table that was loaded means "no shortcuts". Without a
    // loaded table the site frame's own accelerators name the shortcuts.
    if (m_pOriginalTable || !m_pCommandBars)
        return FALSE;
    CWnd* pSite = m_pCommandBars->GetSite();
    if (!pSite || !pSite->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        return FALSE;
    CFrameWnd* pFrame = static_cast<CFrameWnd*>(pSite);
    const HACCEL hAccel = pFrame->m_hAccelTable ? pFrame->m_hAccelTable : pFrame->GetDefaultAccelerator();
    if (!hAccel)
        return FALSE;
    CLVKShortcutTable frameTable(const_cast<CLVKShortcutManager*>(this));
    frameTable.FillFromHandle(hAccel);
    return FindTextInTable(frameTable, nID, strText);
}

CString CLVKShortcutManager::GetKeyMapName(UINT nKey) const
{
    for (const auto& entry : m_keyNames)
    {
        if (entry.first == nKey)
            return entry.second;
    }
    return CString();
}

UINT CLVKShortcutManager::FindKeyByName(const CString& strName) const
{
    for (const auto& entry : m_keyNames)
    {
        if (entry.second.CompareNoCase(strName) == 0)
            return entry.first;
    }
    return 0;
}

CString CLVKShortcutManager::GetSystemKeyName(UINT nKey)
{
    if (nKey == VK_CANCEL)
        return CString();
    const UINT nScanCode = ::MapVirtualKeyExW(nKey, MAPVK_VK_TO_VSC, ::GetKeyboardLayout(0));
    LONG lParam = static_cast<LONG>((nScanCode & 0xFF) << 16) | 1;
    if (nKey >= 0x21 && nKey <= 0x2F)
        lParam |= 1L << 24;  // the navigation block is the extended one
    wchar_t name[51] = {};
    if (::GetKeyNameTextW(lParam, name, 51) <= 0)
        return CString();
    // "PAGE UP" reads "Page up".
    CString strName(name);
    strName.MakeLower();
    for (int i = 0; i < strName.GetLength(); ++i)
    {
        if (std::iswlower(strName[i]))
        {
            strName.SetAt(i, static_cast<wchar_t>(std::towupper(strName[i])));
            break;
        }
    }
    return strName;
}

CString CLVKShortcutManager::GetKeyDisplayName(UINT nKey) const
{
    CString strName;
    if (m_bUseSystemKeyNameText)
        strName = GetSystemKeyName(nKey);
    if (strName.IsEmpty())
        strName = GetKeyMapName(nKey);
    if (strName.IsEmpty() && !m_bUseSystemKeyNameText)
        strName = GetSystemKeyName(nKey);
    return strName;
}

BOOL CLVKShortcutManager::ParseKeyText(const CString& strText, LVK_SHORTCUTMANAGER_KEY& key) const
{
    key = LVK_SHORTCUTMANAGER_KEY{};
    key.fVirt = FVIRTKEY;
    CString strRest(strText);
    if (RemoveModifier(strRest, GetKeyMapName(VK_CONTROL)))
        key.fVirt |= FCONTROL;
    if (RemoveModifier(strRest, GetKeyMapName(VK_MENU)))
        key.fVirt |= FALT;
    if (RemoveModifier(strRest, GetKeyMapName(VK_SHIFT)))
        key.fVirt |= FSHIFT;
    UINT nKey = FindKeyByName(strRest);
    if (nKey == 0 && strRest.GetLength() > 3 && strRest.Left(2) == L"0x")
    {
        unsigned short nHex = 0;
        if (swscanf(static_cast<LPCTSTR>(strRest), L"0x%hx", &nHex) == 1)
            nKey = nHex;
    }
    key.key = static_cast<WORD>(nKey);
    return key.key != 0;
}

BOOL CLVKShortcutManager::ParseShortcutText(LPCTSTR lpszText, LVK_SHORTCUTMANAGER_ACCEL& accel) const
{
    if (!lpszText)
        return FALSE;
    const CString strText(lpszText);
    LVK_SHORTCUTMANAGER_KEY key1{};
    LVK_SHORTCUTMANAGER_KEY key2{};
    const int nComma = strText.Find(L", ");
    if (nComma >= 0)
    {
        if (!ParseKeyText(strText.Left(nComma), key1) || !ParseKeyText(strText.Mid(nComma + 2), key2))
            return FALSE;
    }
    else if (!ParseKeyText(strText, key1))
    {
        return FALSE;
    }
    // Only a text that parsed whole changes the shortcut.
    accel.key1 = key1;
    accel.key2 = key2;
    return TRUE;
}

// ---- character tests -------------------------------------------------------------

namespace
{

std::vector<HKL> KeyboardLayouts()
{
    const int nCount = ::GetKeyboardLayoutList(0, NULL);
    std::vector<HKL> layouts(static_cast<size_t>(std::max(nCount, 0)));
    if (nCount > 0)
        layouts.resize(static_cast<size_t>(::GetKeyboardLayoutList(nCount, layouts.data())));
    return layouts;
}

}  // namespace

BOOL AFX_CDECL KeyMatchesCharacter(TCHAR ch, UINT nVirtKey)
{
    if (nVirtKey >= VK_NUMPAD0 && nVirtKey <= VK_NUMPAD9)
        return ch == static_cast<TCHAR>(L'0' + (nVirtKey - VK_NUMPAD0));
    if (::MapVirtualKeyW(nVirtKey, MAPVK_VK_TO_CHAR) == 0)
        return FALSE;
    const TCHAR chUpper = static_cast<TCHAR>(std::towupper(ch));
    if (nVirtKey == ch || nVirtKey == chUpper)
        return TRUE;

    BYTE state[256] = {};
    ::GetKeyboardState(state);
    for (HKL hkl : KeyboardLayouts())
    {
        const UINT nScanCode = ::MapVirtualKeyExW(nVirtKey, MAPVK_VK_TO_VSC, hkl);
        for (int nPass = 0; nPass < 2; ++nPass)
        {
            const BYTE bShift = state[VK_SHIFT];
            if (nPass == 1)
                state[VK_SHIFT] = 0x80;
            wchar_t typed[4] = {};
            const int nTyped = ::ToUnicodeEx(nVirtKey, nScanCode, state, typed, 4, 0, hkl);
            state[VK_SHIFT] = bShift;
            if (nTyped == 1 && (typed[0] == ch || typed[0] == chUpper))
                return TRUE;
        }
    }
    return FALSE;
}

UINT AFX_CDECL CharToVirtualKey(TCHAR ch)
{
    for (HKL hkl : KeyboardLayouts())
    {
        const SHORT nScan = ::VkKeyScanExW(ch, hkl);
        if (nScan != -1)
            return static_cast<UINT>(std::towupper(static_cast<wint_t>(LOBYTE(nScan))));
    }
    return 0;
}

int AFX_CDECL FindMnemonicAmpersand(LPCTSTR lpszText)
{
    if (!lpszText)
        return -1;
    for (int i = 0; lpszText[i]; ++i)
    {
        if (lpszText[i] != L'&')
            continue;
        if (lpszText[i + 1] == L'&')
        {
            ++i;  // "&&" is a plain ampersand
            continue;
        }
        return i;
    }
    return -1;
}
