#include "CommandBars/ShortcutManagerAccel.h"

CLVKShortcutManagerAccel::CLVKShortcutManagerAccel(CLVKShortcutManager* pManager)
    : LVK_SHORTCUTMANAGER_ACCEL{}, m_pManager(pManager)
{
}

CLVKShortcutManagerAccel::CLVKShortcutManagerAccel(CLVKShortcutManager* pManager, const ACCEL& accel)
    : LVK_SHORTCUTMANAGER_ACCEL{}, m_pManager(pManager)
{
    cmd = accel.cmd;
    key1.fVirt = accel.fVirt;
    key1.key = accel.key;
}

CLVKShortcutManagerAccel::CLVKShortcutManagerAccel(CLVKShortcutManager* pManager,
                                                   const LVK_SHORTCUTMANAGER_ACCEL& accel)
    : LVK_SHORTCUTMANAGER_ACCEL(accel), m_pManager(pManager)
{
}
