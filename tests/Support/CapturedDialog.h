#pragma once
// What a test sees of a message box, task dialog or other dialog ("#32770")
// that the code under test showed, and how such a window is answered. Used by
// DialogRecorder, the common part of DialogCapture and ProcessDialogWatcher.
#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

struct CapturedButton
{
    int id = 0;
    // As the control shows it, with its '&' (e.g. "&Yes").
    std::wstring text;
};

struct CapturedDialog
{
    // A MessageBox (its text is the Static with id 0xFFFF); otherwise a task
    // dialog or a dialog of the program's own.
    bool isMessageBox = false;
    DWORD processId = 0;
    std::wstring title;
    // The message box's text; for other dialogs the non-empty texts below
    // joined with "\n" (a task dialog's main instruction, content, footer...).
    std::wstring text;
    // Non-empty texts of the Static, SysLink, Edit and group-box children,
    // in child order; for the toolkit's emulated task dialog its main
    // instruction, content, expanded information and footer, in this order.
    std::vector<std::wstring> texts;
    // The toolkit's emulated task dialog, whose texts are painted: they are
    // read through its text query (the registered "LVKTaskDialogGetText").
    bool isEmulatedTaskDialog = false;
    std::wstring mainInstruction;
    std::wstring content;
    // Read whether the details are shown or not.
    std::wstring expandedInformation;
    std::wstring footer;
    // The first check box's text (a task dialog's verification text).
    std::wstring verificationText;
    // Push buttons and command links, in child order.
    std::vector<CapturedButton> buttons;
    // Check boxes and radio buttons (e.g. a task dialog's verification box).
    std::vector<CapturedButton> options;
    // The answer the test chose for this dialog, and the button that was
    // actually clicked (they differ when the dialog had no such button).
    int requestedAnswer = 0;
    int answer = 0;

    bool HasButton(int id) const;
    // The button texts with their '&' removed, in order ("Yes", "No").
    std::vector<std::wstring> ButtonTexts() const;
};

// So that gtest prints a captured dialog readably in a failure.
void PrintTo(const CapturedDialog& dialog, std::ostream* os);

// Reads the title and the control texts of a dialog window; works for the
// windows of other processes too.
CapturedDialog ReadDialog(HWND dialog);

// The button that answers `requested`: that button when the dialog has it,
// else Cancel, No, OK (in that order of preference), else the last button.
// 0 when the dialog has no buttons at all.
int ChooseAnswer(const CapturedDialog& dialog, int requested);

// Clicks the button by posting the dialog the WM_COMMAND (BN_CLICKED) a click
// sends, so it never waits for the dialog. Without a button, IDCANCEL is
// posted, as the Escape key does.
void PostAnswer(HWND dialog, int buttonId);
