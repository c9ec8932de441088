#include "MouseInput.h"

#include "Waiting.h"

namespace
{

// Where the system puts the pointer asked to go to the point: inside the clip
// rectangle (the screen when the pointer is not clipped).
POINT WherePointerLands(POINT pt)
{
    RECT clip{};
    if (!::GetClipCursor(&clip))
        return pt;
    if (pt.x < clip.left)
        pt.x = clip.left;
    if (pt.x >= clip.right)
        pt.x = clip.right - 1;
    if (pt.y < clip.top)
        pt.y = clip.top;
    if (pt.y >= clip.bottom)
        pt.y = clip.bottom - 1;
    return pt;
}

bool PointerAt(POINT pt)
{
    POINT now{};
    return ::GetCursorPos(&now) && now.x == pt.x && now.y == pt.y;
}

}  // namespace

void SendMouseAt(POINT ptScreen, DWORD dwFlags)
{
    // Absolute coordinates are in 65536ths of the primary screen, rounded
    // up so that the pointer lands on the asked pixel.
    const int cx = ::GetSystemMetrics(SM_CXSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (ptScreen.x * 65536 + cx - 1) / cx;
    input.mi.dy = (ptScreen.y * 65536 + cy - 1) / cy;
    input.mi.dwFlags = dwFlags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(input));
}

bool MoveCursorAndWait(POINT ptScreen)
{
    const POINT target = WherePointerLands(ptScreen);
    // Settled: reported there on five reads in a row.
    int nSteady = 0;
    return WaitUntil(
        [&]
        {
            if (PointerAt(target))
                return ++nSteady >= 5;
            nSteady = 0;
            ::SetCursorPos(ptScreen.x, ptScreen.y);
            return false;
        });
}

bool SetCursorAndWait(HWND hWnd, int x, int y)
{
    POINT pt = {x, y};
    ::ClientToScreen(hWnd, &pt);
    ::SetCursorPos(pt.x, pt.y);
    const POINT target = WherePointerLands(pt);
    return WaitUntil([&] { return PointerAt(target); });
}
