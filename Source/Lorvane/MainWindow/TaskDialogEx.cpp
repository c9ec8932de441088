#include "TaskDialogEx.h"
#include "Foundation/DpiScaling.h"

namespace
{
constexpr int kQuestionWidth = 440;  // pixels at 96 DPI
}  // namespace

void CTaskDialogEx::OnDialogConstructed()
{
    const HWND dialog = GetDialogWindow();
    if (!dialog)
        return;
    RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const HWND parent = GetConfig().hwndParent;
    if (parent)
        ::GetWindowRect(parent, &area);
    RECT own{};
    ::GetWindowRect(dialog, &own);
    const int left = (own.left + area.left + area.right - own.right) / 2;
    const int top = (own.top + area.top + area.bottom - own.bottom) / 2;
    ::SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
}

void CTaskDialogEx::OnHyperlinkClicked(LPCWSTR lpszURL)
{
    ShellExecuteW(nullptr, L"open", lpszURL, nullptr, nullptr, SW_SHOWNORMAL);
}

int ShowYesNoTaskDialog(CWnd* pOwner, LPCWSTR lpszMainInstruction, LPCWSTR lpszContent, LPCWSTR lpszMainIcon,
                        int nDefaultButton)
{
    CTaskDialogEx dialog(pOwner);
    dialog.EnableHyperlinks(TRUE);
    dialog.EnableCancellation(TRUE);
    dialog.EnableRelativePosition(TRUE);
    dialog.SetWidth(CLVKDpiScaling::GetGlobal()->ScaleX(kQuestionWidth), TRUE);
    dialog.SetWindowTitle(AfxGetAppName());
    dialog.SetMainInstruction(lpszMainInstruction);
    if (lpszContent && (IS_INTRESOURCE(lpszContent) || *lpszContent))
        dialog.SetContent(lpszContent);
    dialog.SetCommonButtonMask(TDCBF_YES_BUTTON | TDCBF_NO_BUTTON);
    dialog.SetMainIcon(lpszMainIcon);
    if (nDefaultButton)
        dialog.SetDefaultButton(nDefaultButton);
    return static_cast<int>(dialog.DoModal());
}
