#include "CapturedDialog.h"

#include <commctrl.h>

#include <algorithm>

namespace
{

// The id that MessageBox gives the Static holding its text.
const int kMessageBoxTextId = 0xFFFF;

// Asks the window for its text with a time limit, so that a dialog whose
// thread is busy (or a test thread that shows a window and then waits without
// handling messages) cannot hang the reader; the text the window last stored
// is the fallback.
std::wstring WindowText(HWND window)
{
    const UINT flags = SMTO_BLOCK | SMTO_ABORTIFHUNG;
    DWORD_PTR length = 0;
    if (SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, flags, 1000, &length))
    {
        std::wstring text(length + 1, L'\0');
        DWORD_PTR copied = 0;
        if (SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), flags, 1000,
                                &copied))
        {
            text.resize(copied);
            return text;
        }
    }
    wchar_t stored[1024]{};
    const int copied = InternalGetWindowText(window, stored, static_cast<int>(std::size(stored)));
    return std::wstring(stored, copied > 0 ? static_cast<size_t>(copied) : 0);
}

std::wstring ClassName(HWND window)
{
    wchar_t name[64]{};
    GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return name;
}

std::string ToUtf8(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &result[0], size, nullptr, nullptr);
    return result;
}

// Receives the texts that an emulated task dialog sends back as WM_COPYDATA;
// one message-only window per thread that reads dialogs.
struct TextReceiver
{
    HWND hWnd = nullptr;
    bool received = false;
    std::wstring text;
};
thread_local TextReceiver t_receiver;

LRESULT CALLBACK ReceiverProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA)
    {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        t_receiver.text.assign(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
        t_receiver.received = true;
        return TRUE;
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

HWND Receiver()
{
    if (t_receiver.hWnd)
        return t_receiver.hWnd;
    WNDCLASSW wc{};
    wc.lpfnWndProc = &ReceiverProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"LorvaneTestTextReceiver";
    RegisterClassW(&wc);
    t_receiver.hWnd =
        CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    return t_receiver.hWnd;
}

// One element's text of an emulated task dialog; false when the dialog does
// not answer the query (it is not one).
bool QueryEmulatedText(HWND dialog, int element, std::wstring& text)
{
    static const UINT query = RegisterWindowMessageW(L"LVKTaskDialogGetText");
    const HWND receiver = Receiver();
    if (!receiver)
        return false;
    t_receiver.received = false;
    t_receiver.text.clear();
    DWORD_PTR answer = 0;
    // SMTO_NORMAL: the dialog's WM_COPYDATA to this thread is handled while
    // the query waits.
    if (!SendMessageTimeoutW(dialog, query, reinterpret_cast<WPARAM>(receiver), element, SMTO_NORMAL, 2000, &answer) ||
        answer != 1 || !t_receiver.received)
        return false;
    text = t_receiver.text;
    return true;
}

}  // namespace

bool CapturedDialog::HasButton(int id) const
{
    return std::any_of(buttons.begin(), buttons.end(), [id](const CapturedButton& b) { return b.id == id; });
}

std::vector<std::wstring> CapturedDialog::ButtonTexts() const
{
    std::vector<std::wstring> result;
    for (const auto& button : buttons)
    {
        std::wstring text;
        for (size_t i = 0; i < button.text.size(); ++i)
        {
            // "&&" is a literal ampersand; a single one marks the access key.
            if (button.text[i] == L'&' && i + 1 < button.text.size())
                ++i;
            text += button.text[i];
        }
        result.push_back(text);
    }
    return result;
}

void PrintTo(const CapturedDialog& dialog, std::ostream* os)
{
    *os << (dialog.isMessageBox ? "message box" : "dialog") << " \"" << ToUtf8(dialog.title) << "\": \""
        << ToUtf8(dialog.text) << "\" buttons [";
    for (size_t i = 0; i < dialog.buttons.size(); ++i)
        *os << (i ? ", " : "") << dialog.buttons[i].id << "=" << ToUtf8(dialog.buttons[i].text);
    *os << "] answered " << dialog.answer;
}

CapturedDialog ReadDialog(HWND dialog)
{
    CapturedDialog result;
    GetWindowThreadProcessId(dialog, &result.processId);
    result.title = WindowText(dialog);
    // The emulated task dialog paints its texts; it hands them out on request.
    result.isEmulatedTaskDialog = QueryEmulatedText(dialog, TDE_MAIN_INSTRUCTION, result.mainInstruction);
    if (result.isEmulatedTaskDialog)
    {
        QueryEmulatedText(dialog, TDE_CONTENT, result.content);
        QueryEmulatedText(dialog, TDE_EXPANDED_INFORMATION, result.expandedInformation);
        QueryEmulatedText(dialog, TDE_FOOTER, result.footer);
        for (const std::wstring* text :
             {&result.mainInstruction, &result.content, &result.expandedInformation, &result.footer})
        {
            if (!text->empty())
                result.texts.push_back(*text);
        }
    }

    // Direct children only: a dialog's controls are its children, in the
    // order they were created (the tab order).
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    {
        const std::wstring className = ClassName(child);
        const std::wstring text = WindowText(child);
        const int id = GetDlgCtrlID(child);
        // The emulated dialog's texts came from its query; its link controls
        // repeat them, and controls it set aside are hidden.
        if (result.isEmulatedTaskDialog &&
            (!(GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) ||
             CompareStringOrdinal(className.c_str(), -1, L"Static", -1, TRUE) == CSTR_EQUAL))
            continue;
        if (CompareStringOrdinal(className.c_str(), -1, L"Button", -1, TRUE) == CSTR_EQUAL)
        {
            const LONG type = GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK;
            if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_COMMANDLINK ||
                type == BS_DEFCOMMANDLINK)
            {
                // The emulation's expando button (id 0) is no answer.
                if (id != 0 || !result.isEmulatedTaskDialog)
                    result.buttons.push_back({id, text});
            }
            else if (type == BS_GROUPBOX)
            {
                if (!text.empty())
                    result.texts.push_back(text);
            }
            else
            {
                if ((type == BS_CHECKBOX || type == BS_AUTOCHECKBOX) && result.verificationText.empty())
                    result.verificationText = text;
                result.options.push_back({id, text});
            }
            continue;
        }
        if (id == kMessageBoxTextId && CompareStringOrdinal(className.c_str(), -1, L"Static", -1, TRUE) == CSTR_EQUAL)
        {
            result.isMessageBox = true;
            result.text = text;
        }
        if (!text.empty())
            result.texts.push_back(text);
    }
    if (!result.isMessageBox)
    {
        for (const auto& text : result.texts)
            result.text += (result.text.empty() ? L"" : L"\n") + text;
    }
    return result;
}

int ChooseAnswer(const CapturedDialog& dialog, int requested)
{
    for (const int id : {requested, IDCANCEL, IDNO, IDOK})
    {
        if (dialog.HasButton(id))
            return id;
    }
    return dialog.buttons.empty() ? 0 : dialog.buttons.back().id;
}

void PostAnswer(HWND dialog, int buttonId)
{
    if (buttonId == 0)
    {
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return;
    }
    const HWND button = GetDlgItem(dialog, buttonId);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}
