#include "HelperMain.h"

// A program without a window: the exit code is its whole answer.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    return HelperMain();
}
