// The shortcut manager at work: key messages of the site become commands,
// two-key chords wait for their second key, and the table is kept in the
// application profile.
#include "CommandBars/ShortcutManager.h"

#include "CommandBars/CommandBars.h"
#include "Foundation/PropExchange.h"
#include "Foundation/PropExchangeEnumerator.h"
#include "Foundation/PropExchangeSection.h"
#include "FrameWnd.h"

#include <memory>
#include <vector>

namespace
{

const UINT kIdsChordWaiting = 9187;
const TCHAR kAcceleratorsEntry[] = _T("Accelerators");
const TCHAR kAcceleratorsVersionEntry[] = _T("AcceleratorsVersion");

BOOL IsDown(int nVirtKey)
{
    return (::GetKeyState(nVirtKey) & 0x8000) != 0;
}

CFrameWnd* SiteFrame(CWnd* pSite)
{
    return (pSite && pSite->IsKindOf(RUNTIME_CLASS(CFrameWnd))) ? static_cast<CFrameWnd*>(pSite) : nullptr;
}

}  // namespace

BYTE CLVKShortcutManager::GetModifierState()
{
    BYTE fState = 0;
    // AltGr arrives as right Alt plus left Ctrl: only the other Ctrl and
    // Alt keys count then, so a character typed with AltGr runs nothing.
    const BOOL bAltGr = IsDown(VK_RMENU) && IsDown(VK_LCONTROL);
    if (bAltGr ? IsDown(VK_RCONTROL) : IsDown(VK_CONTROL))
        fState |= FCONTROL;
    if (bAltGr ? IsDown(VK_LMENU) : IsDown(VK_MENU))
        fState |= FALT;
    if (IsDown(VK_SHIFT))
        fState |= FSHIFT;
    return fState;
}

BOOL CLVKShortcutManager::KeyMatches(const LVK_SHORTCUTMANAGER_KEY& key, UINT nMessage, WPARAM wParam, BYTE fState)
{
    if (key.key != wParam)
        return FALSE;
    const BOOL bVirtMessage = nMessage == WM_KEYDOWN || nMessage == WM_SYSKEYDOWN;
    const BOOL bVirtKey = (key.fVirt & FVIRTKEY) != 0;
    if (bVirtKey != bVirtMessage)
        return FALSE;
    if (bVirtKey && (key.fVirt & (FCONTROL | FSHIFT)) != (fState & (FCONTROL | FSHIFT)))
        return FALSE;
    return (key.fVirt & FALT) == (fState & FALT);
}

BOOL CLVKShortcutManager::HandleKeyMessage(MSG* pMsg)
{
    if (!pMsg || !m_pCommandBars || m_pCommandBars->IsCustomizeMode() || m_nDisableShortcuts > 0 || m_table.IsEmpty())
        return FALSE;
    const UINT nMessage = pMsg->message;
    if (nMessage != WM_KEYDOWN && nMessage != WM_CHAR && nMessage != WM_SYSKEYDOWN && nMessage != WM_SYSCHAR)
        return FALSE;
    const BYTE fState = GetModifierState();
    const CLVKShortcutManagerAccel* pMatch = nullptr;
    for (int i = 0; i < m_table.GetCount(); ++i)
    {
        if (KeyMatches(m_table.GetAt(i)->key1, nMessage, pMsg->wParam, fState))
        {
            pMatch = m_table.GetAt(i);
            break;
        }
    }
    if (!pMatch)
        return FALSE;

    CWnd* pSite = m_pCommandBars->GetSite();
    const HWND hSite = pSite ? pSite->GetSafeHwnd() : nullptr;
    if (!hSite || !::IsWindowEnabled(hSite) || (::GetCapture() && m_bIgnoreWhenCaptured) || ::IsIconic(hSite) ||
        pMatch->cmd == 0)
        return TRUE;

    UINT nCommand = pMatch->cmd;
    if (pMatch->HasSecondKey())
        nCommand = WaitForChord(pMatch, pSite);
    if (nCommand != 0 && ::IsWindow(hSite))
        ::SendMessageW(hSite, WM_COMMAND, nCommand, 0);
    return TRUE;
}

UINT CLVKShortcutManager::WaitForChord(const CLVKShortcutManagerAccel* pFirst, CWnd* pSite)
{
    const HWND hSite = pSite->GetSafeHwnd();
    CFrameWnd* pFrame = SiteFrame(pSite);
    if (pFrame)
    {
        CString strFormat;
        strFormat.LoadString(kIdsChordWaiting);
        CString strFirst;
        LVK_SHORTCUTMANAGER_ACCEL first{};
        first.key1 = pFirst->key1;
        CKeyHelper(&first, this).Format(strFirst);
        CString strPrompt;
        strPrompt.Format(strFormat, static_cast<LPCTSTR>(strFirst));
        pFrame->SetMessageText(strPrompt);
    }
    m_nDisableShortcuts++;
    ::SetCapture(hSite);

    UINT nCommand = 0;
    while (::GetCapture() == hSite)
    {
        MSG msg{};
        if (!::GetMessageW(&msg, nullptr, 0, 0))
        {
            // The program is quitting: the outer loop must see the quit too.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)
        {
            if (msg.wParam == VK_SHIFT || msg.wParam == VK_CONTROL || msg.wParam == VK_MENU)
                continue;
            // Any other key ends the wait, matched or not.
            const BYTE fState = GetModifierState();
            for (int i = 0; i < m_table.GetCount(); ++i)
            {
                const CLVKShortcutManagerAccel* pAccel = m_table.GetAt(i);
                if (pAccel->key1.fVirt == pFirst->key1.fVirt && pAccel->key1.key == pFirst->key1.key &&
                    pAccel->HasSecondKey() && KeyMatches(pAccel->key2, msg.message, msg.wParam, fState))
                {
                    nCommand = pAccel->cmd;
                    break;
                }
            }
            if (nCommand == 0)
                ::MessageBeep(MB_ICONEXCLAMATION);
            break;
        }
        ::DispatchMessageW(&msg);
        if (msg.message == WM_ACTIVATE || msg.message == WM_CLOSE || msg.message == WM_NCACTIVATE ||
            msg.message == WM_COMMAND || msg.message == WM_SYSCOMMAND || msg.message == WM_LBUTTONDOWN)
            break;
    }

    if (::GetCapture() == hSite)
        ::ReleaseCapture();
    m_nDisableShortcuts--;
    if (pFrame && ::IsWindow(hSite))
        pFrame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    return nCommand;
}

namespace
{

// Stores from schema 33 on hold the 12-byte records; older ones ACCELs.
const UINT kSchemaWithRecords = 33;
// More entries than any keyboard can have shortcuts for: a damaged count.
const DWORD kMaxStoredShortcuts = 0x10000;

// Reads nCount fixed-size entries of block "Data"; empty when the count is
// damaged or the block cannot be read.
template <class T>
std::vector<T> ReadEntries(CLVKPropExchange* pPX, DWORD nCount)
{
    std::vector<T> entries;
    if (nCount == 0 || nCount > kMaxStoredShortcuts)
        return entries;
    entries.resize(nCount);
    const DWORD nBytes = nCount * static_cast<DWORD>(sizeof(T));
    if (pPX->ReadBlock(_T("Data"), reinterpret_cast<BYTE*>(entries.data()), nBytes) != nBytes)
        entries.clear();
    return entries;
}

}  // namespace

void CLVKShortcutManager::DoPropExchange(CLVKPropExchange* pPX)
{
    if (!pPX)
        return;
    pPX->ExchangeSchema();
    const BOOL bBinary = pPX->PrefersBinaryObjects();
    const int nNoId = 0;

    if (pPX->IsStoring())
    {
        const std::vector<LVK_SHORTCUTMANAGER_ACCEL> records = m_table.Export();
        if (bBinary)
        {
            pPX->StoreCount(static_cast<DWORD>(records.size()));
            pPX->WriteBlock(_T("Data"), reinterpret_cast<const BYTE*>(records.data()),
                            static_cast<DWORD>(records.size() * sizeof(LVK_SHORTCUTMANAGER_ACCEL)));
            return;
        }
        CLVKPropExchangeEnumeratorPtr pEnumerator(pPX->CreateEnumerator(_T("Shortcut")));
        DWORD_PTR pos = pEnumerator->StartWalk(static_cast<DWORD>(records.size()));
        for (const LVK_SHORTCUTMANAGER_ACCEL& record : records)
        {
            CLVKPropExchangeSection section(pos ? pEnumerator->NextSection(pos) : nullptr);
            if (!section.Get())
                break;
            int nId = static_cast<int>(record.cmd);
            section->ExchangeValue(_T("Id"), PX_INT, &nId, &nNoId);
            // The built-in key names, which read back whatever the system calls the keys.
            CString strKey;
            CKeyHelper(&record, this, FALSE).Format(strKey);
            section->ExchangeValue(_T("Key"), PX_STRING, &strKey, nullptr);
        }
        return;
    }

    m_table.Clear();
    if (pPX->GetSchema() >= kSchemaWithRecords)
    {
        if (bBinary)
        {
            const auto records = ReadEntries<LVK_SHORTCUTMANAGER_ACCEL>(pPX, pPX->LoadCount());
            m_table.FillFromRecords(records.data(), static_cast<int>(records.size()));
            return;
        }
        CLVKPropExchangeEnumeratorPtr pEnumerator(pPX->CreateEnumerator(_T("Shortcut")));
        DWORD_PTR pos = pEnumerator->StartWalk(0);
        for (DWORD nRead = 0; pos && nRead < kMaxStoredShortcuts; nRead++)
        {
            CLVKPropExchangeSection section(pEnumerator->NextSection(pos));
            if (!section.Get())
                break;
            int nId = 0;
            section->ExchangeValue(_T("Id"), PX_INT, &nId, &nNoId);
            CString strKey;
            section->ExchangeValue(_T("Key"), PX_STRING, &strKey, _T(""));
            LVK_SHORTCUTMANAGER_ACCEL accel{};
            if (ParseShortcutText(strKey, accel))
            {
                accel.cmd = static_cast<DWORD>(nId);
                m_table.Add(accel);
            }
        }
        return;
    }

    std::vector<ACCEL> accels;
    if (bBinary)
    {
        accels = ReadEntries<ACCEL>(pPX, pPX->LoadCount());
    }
    else
    {
        CLVKPropExchangeEnumeratorPtr pEnumerator(pPX->CreateEnumerator(_T("Accel")));
        DWORD_PTR pos = pEnumerator->StartWalk(0);
        for (DWORD nRead = 0; pos && nRead < kMaxStoredShortcuts; nRead++)
        {
            CLVKPropExchangeSection section(pEnumerator->NextSection(pos));
            if (!section.Get())
                break;
            ACCEL accel{};
            const short nNoValue = 0;
            const BYTE bNoValue = 0;
            short nId = 0;
            short nKey = 0;
            section->ExchangeValue(_T("Id"), PX_SHORT, &nId, &nNoValue);
            section->ExchangeValue(_T("virt"), PX_BYTE, &accel.fVirt, &bNoValue);
            section->ExchangeValue(_T("key"), PX_SHORT, &nKey, &nNoValue);
            accel.cmd = static_cast<WORD>(nId);
            accel.key = static_cast<WORD>(nKey);
            accels.push_back(accel);
        }
    }
    m_table.FillFromAccels(accels.data(), static_cast<int>(accels.size()));
}

BOOL CLVKShortcutManager::SaveToProfile(LPCTSTR lpszProfileName) const
{
    CWinApp* pApp = AfxGetApp();
    if (!m_pOriginalTable || !pApp || !lpszProfileName)
        return FALSE;
    std::vector<LVK_SHORTCUTMANAGER_ACCEL> records = m_table.Export();
    const UINT nBytes = static_cast<UINT>(records.size() * sizeof(LVK_SHORTCUTMANAGER_ACCEL));
    if (!pApp->WriteProfileBinary(lpszProfileName, kAcceleratorsEntry,
                                  records.empty() ? nullptr : reinterpret_cast<LPBYTE>(records.data()), nBytes))
        return FALSE;
    return pApp->WriteProfileInt(lpszProfileName, kAcceleratorsVersionEntry, 1);
}

BOOL CLVKShortcutManager::LoadFromProfile(LPCTSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    if (!m_pOriginalTable || !pApp || !lpszProfileName)
        return FALSE;
    const UINT nVersion = pApp->GetProfileInt(lpszProfileName, kAcceleratorsVersionEntry, 0);
    if (nVersion > 1)
        return FALSE;
    LPBYTE pData = nullptr;
    UINT nBytes = 0;
    if (!pApp->GetProfileBinary(lpszProfileName, kAcceleratorsEntry, &pData, &nBytes))
        return FALSE;
    std::unique_ptr<BYTE[]> data(pData);
    m_table.Clear();
    if (nVersion == 0)
        m_table.FillFromAccels(reinterpret_cast<const ACCEL*>(pData), static_cast<int>(nBytes / sizeof(ACCEL)));
    else
        m_table.FillFromRecords(reinterpret_cast<const LVK_SHORTCUTMANAGER_ACCEL*>(pData),
                                static_cast<int>(nBytes / sizeof(LVK_SHORTCUTMANAGER_ACCEL)));
    return TRUE;
}
