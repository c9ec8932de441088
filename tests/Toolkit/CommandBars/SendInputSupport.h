// Real input for the command-bar tests: Wine hands only hardware input to the
// thread's mouse and keyboard hooks, so clicks go in through SendInput.
#pragma once

#include <windows.h>

namespace
{

// A left click at a screen point. The press and the release carry the point
// themselves: a position set just before with SetCursorPos may be reported late.
[[maybe_unused]] void SendLeftClick(POINT pt)
{
    INPUT inputs[2]{};
    for (INPUT& input : inputs)
    {
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv(pt.x, 65536, ::GetSystemMetrics(SM_CXSCREEN));
        input.mi.dy = MulDiv(pt.y, 65536, ::GetSystemMetrics(SM_CYSCREEN));
    }
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP;
    ::SendInput(2, inputs, sizeof(INPUT));
}

}  // namespace
