#include "MouseInput.h"

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

void MoveCursorAndWait(POINT ptScreen)
{
    int nSteady = 0;
    for (int i = 0; i < 200 && nSteady < 5; ++i)
    {
        POINT now{};
        ::GetCursorPos(&now);
        if (now.x == ptScreen.x && now.y == ptScreen.y)
        {
            ++nSteady;
        }
        else
        {
            nSteady = 0;
            ::SetCursorPos(ptScreen.x, ptScreen.y);
        }
        ::Sleep(10);
    }
}

void SetCursorAndWait(HWND hWnd, int x, int y)
{
    POINT pt = {x, y};
    ::ClientToScreen(hWnd, &pt);
    ::SetCursorPos(pt.x, pt.y);
    for (int i = 0; i < 100; ++i)
    {
        POINT now{};
        ::GetCursorPos(&now);
        if (now.x == pt.x && now.y == pt.y)
            return;
        ::Sleep(10);
    }
}
