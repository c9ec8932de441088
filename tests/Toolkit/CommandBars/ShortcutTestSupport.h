// Shortcut records for the shortcut-manager tests.
#pragma once

#include "CommandBars/ShortcutManagerAccel.h"

namespace
{

// A shortcut of one key, or a chord of two when the second key is given.
[[maybe_unused]] LVK_SHORTCUTMANAGER_ACCEL Shortcut(DWORD cmd, BYTE fVirt1, WORD key1, BYTE fVirt2 = 0, WORD key2 = 0)
{
    LVK_SHORTCUTMANAGER_ACCEL accel{};
    accel.cmd = cmd;
    accel.key1.fVirt = fVirt1;
    accel.key1.key = key1;
    accel.key2.fVirt = fVirt2;
    accel.key2.key = key2;
    return accel;
}

}  // namespace
