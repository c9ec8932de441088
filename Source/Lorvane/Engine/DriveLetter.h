// Drive letters as the engine and the helper program take them. Plain Win32,
// so that the helper, which has no framework, shares them.
#pragma once

#include <windows.h>

// True for 'A' to 'Z' (upper case only).
inline bool IsDriveLetter(WCHAR letter)
{
    return letter >= L'A' && letter <= L'Z';
}

// The letter in upper case: 'a' to 'z' become 'A' to 'Z', anything else is
// returned unchanged, so that a character that names no drive (a digit, or a
// letter such as an accented one) stays outside 'A' to 'Z'.
inline WCHAR UpperDriveLetter(WCHAR letter)
{
    return (letter >= L'a' && letter <= L'z') ? static_cast<WCHAR>(letter - L'a' + L'A') : letter;
}

// The letter's bit in a letter mask (bit 0 = 'A'); 0 for no drive letter.
inline DWORD DriveLetterBit(WCHAR letter)
{
    return IsDriveLetter(letter) ? (1u << (letter - L'A')) : 0;
}
