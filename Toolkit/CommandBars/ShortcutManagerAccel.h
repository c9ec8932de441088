// CLVKShortcutManagerAccel: one keyboard shortcut of a command-bar manager,
// a command and one or two keys (a chord such as Ctrl+K, Ctrl+C).
#pragma once

#include "Foundation/CmdTarget.h"

class CLVKShortcutManager;

// The toolkit's modifier flag beside the platform's accelerator flags
// (FVIRTKEY, FNOINVERT, FSHIFT, FCONTROL, FALT).
constexpr BYTE kLVKAccelWinKey = 0x20;

// One key of a shortcut: accelerator flags and a virtual key or character.
struct LVK_SHORTCUTMANAGER_KEY
{
    BYTE fVirt;
    BYTE bPad;
    WORD key;
};

// A shortcut as stored: the command and two keys, the second 0 when the
// shortcut has one key.
struct LVK_SHORTCUTMANAGER_ACCEL
{
    DWORD cmd;
    LVK_SHORTCUTMANAGER_KEY key1;
    LVK_SHORTCUTMANAGER_KEY key2;
};
static_assert(sizeof(LVK_SHORTCUTMANAGER_ACCEL) == 12, "the stored record is 12 bytes");

class CLVKShortcutManagerAccel : public CLVKCmdTarget, public LVK_SHORTCUTMANAGER_ACCEL
{
public:
    explicit CLVKShortcutManagerAccel(CLVKShortcutManager* pManager = nullptr);
    CLVKShortcutManagerAccel(CLVKShortcutManager* pManager, const ACCEL& accel);
    CLVKShortcutManagerAccel(CLVKShortcutManager* pManager, const LVK_SHORTCUTMANAGER_ACCEL& accel);

    BOOL HasSecondKey() const { return key2.key != 0; }
    const LVK_SHORTCUTMANAGER_ACCEL& GetRecord() const { return *this; }

    CLVKShortcutManager* m_pManager = nullptr;
};
