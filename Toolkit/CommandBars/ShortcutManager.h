// CLVKShortcutManager: the keyboard shortcut table of one command-bar
// manager. It loads the table from an accelerator resource, writes the text
// that menus show beside a command (Ctrl+Shift+F5, or Ctrl+K, Ctrl+C for a
// chord) and parses such texts back.
#pragma once

#include "CommandBars/ShortcutTable.h"

#include <memory>
#include <utility>
#include <vector>

class CLVKCommandBars;
class CLVKPropExchange;

class CLVKShortcutManager : public CLVKCmdTarget
{
public:
    // Formats one shortcut. With bUseManagerNames the key names come from
    // the manager's GetKeyDisplayName (system names where it prefers them),
    // else from its key-name table, "0x%x" for a key it does not name.
    class CKeyHelper
    {
    public:
        CKeyHelper(const LVK_SHORTCUTMANAGER_ACCEL* pAccel, const CLVKShortcutManager* pManager,
                   BOOL bUseManagerNames = TRUE);
        void Format(CString& strText) const;
        // The text of one (flags, key) pair.
        CString FormatKey(const LVK_SHORTCUTMANAGER_KEY& key) const;

    private:
        CString KeyName(UINT nKey) const;

        const LVK_SHORTCUTMANAGER_ACCEL* m_pAccel;
        const CLVKShortcutManager* m_pManager;
        BOOL m_bUseManagerNames;
    };

    explicit CLVKShortcutManager(CLVKCommandBars* pCommandBars = nullptr);
    ~CLVKShortcutManager() override;

    // Replaces the table by the accelerator resource nIDResource (empty when
    // it is missing) and keeps a copy as the original table.
    void LoadAccelerators(UINT nIDResource);
    virtual CLVKShortcutTable& GetShortcutTable() { return m_table; }
    // Back to the original table, when one was loaded.
    virtual void ResetShortcuts();
    // Counts: every TRUE needs a FALSE. Answers the change, 1 or -1.
    virtual int SetShortcutsDisabled(BOOL bDisable);
    BOOL IsShortcutsDisabled() const { return m_nDisableShortcuts > 0; }

    // Esc alone is no shortcut unless m_bAllowEscapeShortcut is set: it must
    // still close menus and dialogs.
    virtual BOOL IsShortcutAllowed(const LVK_SHORTCUTMANAGER_ACCEL& accel) const;
    // The text a menu shows for nID: the best of its shortcuts (no modifier,
    // then Ctrl, then Alt, then Shift), or strText kept when it names one of
    // them. FALSE, with the text emptied, when the command has no shortcut.
    virtual BOOL FindCommandShortcutText(UINT nID, CString& strText) const;
    // The shortcut's text; pPriority: 4 without modifier, 3 Ctrl, 2 Alt, 1 Shift.
    virtual CString FormatShortcut(const LVK_SHORTCUTMANAGER_ACCEL& accel, int* pPriority = nullptr) const;
    virtual CString GetKeyDisplayName(UINT nKey) const;

    // Turns a key message of the site into the command of its shortcut
    // (WM_COMMAND to the site); a chord's first key waits for the second.
    // TRUE when the key belongs to a shortcut (it is consumed).
    virtual BOOL HandleKeyMessage(MSG* pMsg);

    // The table through a property exchange: 12-byte records in one block
    // for binary stores, else one numbered "Shortcut" section per shortcut
    // with its command and its text. Stores older than schema 33 hold
    // ACCEL records ("Accel" sections in text stores).
    virtual void DoPropExchange(CLVKPropExchange* pPX);

    // The table in the application profile, in the section named
    // lpszProfileName; only once accelerators were loaded.
    BOOL SaveToProfile(LPCTSTR lpszProfileName) const;
    BOOL LoadFromProfile(LPCTSTR lpszProfileName);

    // "Ctrl+Shift+F5", "0x7a", "Ctrl+K, Ctrl+C": the keys into accel (its
    // command stays). Names compare without case; the Windows key is not read.
    BOOL ParseShortcutText(LPCTSTR lpszText, LVK_SHORTCUTMANAGER_ACCEL& accel) const;
    BOOL ParseKeyText(const CString& strText, LVK_SHORTCUTMANAGER_KEY& key) const;

    // The built-in name of a key, empty when it has none.
    CString GetKeyMapName(UINT nKey) const;
    // The key a name stands for (without case), in the map's enumeration
    // order; 0 when none.
    UINT FindKeyByName(const CString& strName) const;

    BOOL m_bAllowEscapeShortcut = FALSE;
    BOOL m_bUseSystemKeyNameText = FALSE;
    BOOL m_bRuntimeFlag = TRUE;  // not read here
    int m_nDisableShortcuts = 0;
    BOOL m_bIgnoreWhenCaptured = TRUE;
    int m_nRuntimeValue = 0;  // not read here

protected:
    static CString GetSystemKeyName(UINT nKey);
    BOOL FindTextInTable(const CLVKShortcutTable& table, UINT nID, CString& strText) const;
    // The modifier flags (FCONTROL, FALT, FSHIFT) held now; AltGr is not Ctrl+Alt.
    static BYTE GetModifierState();
    static BOOL KeyMatches(const LVK_SHORTCUTMANAGER_KEY& key, UINT nMessage, WPARAM wParam, BYTE fState);
    // Waits for the second key of a chord that starts with pFirst; the
    // command of the completed chord, or 0.
    UINT WaitForChord(const CLVKShortcutManagerAccel* pFirst, CWnd* pSite);

    CLVKShortcutTable m_table;
    std::unique_ptr<CLVKShortcutTable> m_pOriginalTable;  // only after LoadAccelerators
    CLVKCommandBars* m_pCommandBars;

private:
    // The names in the order a lookup by name meets them.
    std::vector<std::pair<WORD, CString>> m_keyNames;
};

// Character tests of mnemonics and keyboard tips.
// Whether the virtual key types ch (or its capital) on any installed layout.
BOOL AFX_CDECL KeyMatchesCharacter(TCHAR ch, UINT nVirtKey);
// The virtual key that types ch on the first layout that has it, upper-cased; 0 for none.
UINT AFX_CDECL CharToVirtualKey(TCHAR ch);
// The index of the first '&' that is not half of "&&", or -1.
int AFX_CDECL FindMnemonicAmpersand(LPCTSTR lpszText);
