#pragma once

#include "Framework.h"

// The marker window that a running main window owns: a second start finds it
// by this class and title and activates its owner.
constexpr const wchar_t kMarkerWindowClassName[] = L"LORVANE-12D4CDF0-D2B3-411F-A637-FE4E71E539B3";
constexpr const wchar_t kMarkerWindowTitle[] = L"Lorvane";

// Posted by a second start of the program to the owner of the marker window.
constexpr UINT WM_ACTIVATE_INSTANCE = WM_APP + 0x66;

// What the drive engine needs of the main window, which is built on top of
// the engine: the window's folder implements it and the program installs that
// implementation before the application starts, so that the engine includes
// nothing of the window.
class CMainWindowServices
{
public:
    virtual ~CMainWindowServices() = default;

    // Runs the main window modally, without a parent, as the application's
    // main window; startedAfterLanguageChange makes it bring itself to the
    // foreground. Returns what the modal run returned (IDOK: the user chose
    // another language).
    virtual INT_PTR RunMainWindow(bool startedAfterLanguageChange) = 0;

    // The program's yes/no question: the application's name as title, the
    // main instruction, the content when not empty, the main icon and the
    // default button when not 0. Returns IDYES, IDNO, or IDCANCEL when the
    // question was cancelled.
    virtual int AskYesNo(CWnd* owner, LPCWSTR mainInstruction, LPCWSTR content, LPCWSTR mainIcon,
                         int defaultButton) = 0;

    // The label fix needs administrator rights: asks whether to restart as
    // administrator. True when the user chose Restart.
    virtual bool AskRestartForLabelFix() = 0;

    // The services in use; null until the program installs them.
    static CMainWindowServices* Current();
    // Puts services in place (null: none); returns the ones that were.
    static CMainWindowServices* Install(CMainWindowServices* services);
};
