// --keys K1,K2,...: the gallery types keys into the page with SendInput, as
// a user would, one after the other once the thread has gone quiet, and ends
// the program when the last key has been handled (taking the --shot picture
// first when there is one).
#pragma once

#include <windows.h>

#include <vector>

struct GalleryKeyStroke
{
    std::vector<WORD> modifiers;  // VK_CONTROL, VK_MENU, VK_SHIFT, held in that order
    WORD wKey = 0;                // the key pressed and released while they are held
};

// Parses "alt,f,ctrl+o,shift+tab,enter". Key names (without regard to case):
// alt, f1 to f12, esc, enter, tab, space, up, down, left, right, home, end, a
// letter or a digit, each after any of the prefixes "ctrl+", "alt+" and
// "shift+". FALSE for an empty list or an unknown name.
BOOL ParseGalleryKeys(LPCWSTR lpszList, std::vector<GalleryKeyStroke>& keys);

// Starts typing the keys into the foreground window. The driver is a thread
// timer, so it goes on inside nested message loops (open menus, chords).
// When the last key has been handled it saves hWndShot into lpszShot (when
// given; from the screen with bScreen, see SaveWindowShot) and posts WM_QUIT
// with 0, or with 1 when the picture could not be saved.
void StartGalleryKeys(const std::vector<GalleryKeyStroke>& keys, HWND hWndShot, LPCWSTR lpszShot,
                      BOOL bScreen = FALSE);
// -1 while keys are still to come, else the exit code the run posted.
int GetGalleryKeysResult();
