// The gallery's task-dialog pages: each runs one configuration of the
// toolkit's task dialog through its emulation (the platform's dialog is never
// asked), classic or with --themed the themed look, and with --shot saves the
// dialog window as a PNG once it has painted and closes it.
#pragma once

#include <windows.h>

#include <vector>

// The page names, in the order --list prints them.
const std::vector<LPCWSTR>& TaskDialogPageNames();
bool IsTaskDialogPage(LPCWSTR lpszName);
struct GalleryKeyStroke;

// Runs the page; the exit code of the gallery (0, or 1 when the shot failed).
// With keys the dialog gets them once it shows and closes after the last one
// (the shot is taken then).
int RunTaskDialogPage(LPCWSTR lpszName, bool bThemed, LPCWSTR lpszShot,
                      const std::vector<GalleryKeyStroke>& keys);
