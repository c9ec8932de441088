#include "TaskDialogPages.h"

#include "Controls/TaskDialog.h"
#include "GalleryKeys.h"
#include "WindowShot.h"

#include <cstdio>
#include <cwchar>

namespace
{

// The gallery's dialog: always the emulation; shoots itself when asked.
class GalleryTaskDialog : public CLVKTaskDialog
{
public:
    GalleryTaskDialog(bool bThemed, LPCWSTR lpszShot, const std::vector<GalleryKeyStroke>& keys)
        : m_lpszShot(lpszShot), m_keys(keys)
    {
        m_bNativeAllowed = FALSE;
        SetForceThemed(bThemed);
    }
    void EnableInputBox(LPCWSTR lpszText)
    {
        m_bInputBoxEnabled = TRUE;
        m_strInputBoxText = lpszText;
    }
    void EnableMarkup() { m_bMarkupEnabled = TRUE; }
    void StartMarqueeWhenShown() { m_bMarquee = true; }
    bool ShotWritten() const { return m_bShotWritten; }

protected:
    void OnDialogConstructed() override
    {
        if (m_bMarquee)
            SendMessage(TDM_SET_PROGRESS_BAR_MARQUEE, TRUE, 30);
        if (!m_keys.empty())
        {
            StartGalleryKeys(m_keys, GetSafeHwnd(), m_lpszShot);
        }
        else if (m_lpszShot)
        {
            s_pShooting = this;
            s_nQuietTicks = 0;
            ::SetTimer(nullptr, 0, kShotTickMs, &ShootProc);
        }
    }
    void OnHyperlinkClicked(LPCWSTR) override {}

private:
    // Shoots once the dialog has had nothing but timers waiting on a few
    // ticks in a row: it has laid itself out and painted, however long that
    // took on this machine.
    static void CALLBACK ShootProc(HWND, UINT, UINT_PTR nId, DWORD)
    {
        const bool bQuiet = (HIWORD(::GetQueueStatus(QS_ALLINPUT)) & ~QS_TIMER) == 0;
        s_nQuietTicks = bQuiet ? s_nQuietTicks + 1 : 0;
        if (s_nQuietTicks < kQuietTicks && s_pShooting && s_pShooting->GetSafeHwnd())
            return;
        ::KillTimer(nullptr, nId);
        GalleryTaskDialog* pThis = s_pShooting;
        s_pShooting = nullptr;
        if (!pThis || !pThis->GetSafeHwnd())
            return;
        const HWND hWnd = pThis->GetSafeHwnd();
        ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        pThis->m_bShotWritten = SaveWindowShot(hWnd, pThis->m_lpszShot) != FALSE;
        pThis->EndDialog(0);
    }

    static const UINT kShotTickMs = 50;
    static const int kQuietTicks = 3;
    static GalleryTaskDialog* s_pShooting;
    static int s_nQuietTicks;
    LPCWSTR m_lpszShot = nullptr;
    std::vector<GalleryKeyStroke> m_keys;
    bool m_bMarquee = false;
    bool m_bShotWritten = false;
};

GalleryTaskDialog* GalleryTaskDialog::s_pShooting = nullptr;
int GalleryTaskDialog::s_nQuietTicks = 0;

void Configure(GalleryTaskDialog& dialog, LPCWSTR lpszName)
{
    dialog.SetWindowTitle(L"Control gallery");
    dialog.EnableCancellation();
    if (wcscmp(lpszName, L"taskdialog-commandlinks") == 0)
    {
        dialog.SetMainIcon(TD_SHIELD_ICON);
        dialog.SetMainInstruction(L"How do you want to mount the folder?");
        dialog.SetContent(L"A virtual drive shows the folder under its own letter.");
        dialog.ModifyFlags(0, TDF_USE_COMMAND_LINKS);
        dialog.AddButton(L"Mount as a virtual drive\nThe drive comes back at every start.", 100);
        dialog.AddButton(L"Mount once\nThe drive goes when Windows restarts.", 101);
        dialog.SetCommonButtonMask(TDCBF_CANCEL_BUTTON);
    }
    else if (wcscmp(lpszName, L"taskdialog-radios") == 0)
    {
        dialog.SetMainIcon(TASKDIALOG_QUESTION_ICON);
        dialog.SetMainInstruction(L"Which drives should be restored?");
        dialog.AddRadioButton(L"All saved drives", 200);
        dialog.AddRadioButton(L"Only the local drives", 201);
        dialog.AddRadioButton(L"None", 202);
        dialog.SetCommonButtonMask(TDCBF_OK_BUTTON | TDCBF_CANCEL_BUTTON);
    }
    else if (wcscmp(lpszName, L"taskdialog-expanded") == 0)
    {
        dialog.SetMainIcon(TD_WARNING_ICON);
        dialog.SetMainInstruction(L"The drive could not be restored");
        dialog.SetContent(L"The folder of drive P: is missing.");
        dialog.SetExpandedInformation(L"Folder: C:\\Projects\\Archive\nError 0x80070003: the path was not found.");
        dialog.ModifyFlags(0, TDF_EXPANDED_BY_DEFAULT);
        dialog.SetVerificationText(L"Do not show this again");
        dialog.SetFooter(L"Drives are checked at every start.");
        dialog.SetCommonButtonMask(TDCBF_RETRY_BUTTON | TDCBF_CLOSE_BUTTON);
    }
    else if (wcscmp(lpszName, L"taskdialog-progress") == 0)
    {
        dialog.SetMainIcon(TD_INFORMATION_ICON);
        dialog.SetMainInstruction(L"Restoring drives");
        dialog.SetContent(L"Waiting for the network locations to answer.");
        dialog.ModifyFlags(0, TDF_SHOW_MARQUEE_PROGRESS_BAR);
        dialog.StartMarqueeWhenShown();
        dialog.SetCommonButtonMask(TDCBF_CANCEL_BUTTON);
    }
    else if (wcscmp(lpszName, L"taskdialog-links") == 0)
    {
        dialog.SetMainInstruction(L"A new version is available");
        dialog.SetContent(L"Read <a href=\"https://example.invalid/notes\">the release notes</a> before you update, "
                          L"or <a href=\"https://example.invalid/faq\">the questions others asked</a>.");
        dialog.SetFooter(L"Updates come from <a href=\"https://example.invalid\">the project's site</a>.");
        dialog.EnableHyperlinks();
        dialog.SetCommonButtonMask(TDCBF_YES_BUTTON | TDCBF_NO_BUTTON);
    }
    else if (wcscmp(lpszName, L"taskdialog-input") == 0)
    {
        dialog.SetMainInstruction(L"Name the drive");
        dialog.SetContent(L"The label shows in Explorer beside the drive letter.");
        dialog.EnableInputBox(L"Projects");
        dialog.SetCommonButtonMask(TDCBF_OK_BUTTON | TDCBF_CANCEL_BUTTON);
    }
    else if (wcscmp(lpszName, L"taskdialog-markup") == 0)
    {
        // The texts are parsed, measured and drawn by the markup engine.
        dialog.EnableMarkup();
        dialog.SetMainInstruction(L"<TextBlock FontWeight='Bold'>Markup</TextBlock>");
        dialog.SetContent(L"<TextBlock>Markup content</TextBlock>");
        dialog.SetCommonButtonMask(TDCBF_OK_BUTTON);
    }
}

}  // namespace

const std::vector<LPCWSTR>& TaskDialogPageNames()
{
    static const std::vector<LPCWSTR> names = {
        L"taskdialog-commandlinks", L"taskdialog-radios", L"taskdialog-expanded", L"taskdialog-progress",
        L"taskdialog-links",        L"taskdialog-input",  L"taskdialog-markup",
    };
    return names;
}

bool IsTaskDialogPage(LPCWSTR lpszName)
{
    for (LPCWSTR lpszPage : TaskDialogPageNames())
    {
        if (wcscmp(lpszPage, lpszName) == 0)
            return true;
    }
    return false;
}

int RunTaskDialogPage(LPCWSTR lpszName, bool bThemed, LPCWSTR lpszShot, const std::vector<GalleryKeyStroke>& keys)
{
    GalleryTaskDialog dialog(bThemed, lpszShot, keys);
    Configure(dialog, lpszName);
    dialog.DoModal();
    if (!keys.empty())
    {
        // A key may have closed the dialog before the run ended.
        const int nResult = GetGalleryKeysResult();
        return nResult < 0 ? 0 : nResult;
    }
    if (lpszShot && !dialog.ShotWritten())
    {
        fwprintf(stderr, L"ControlGallery: could not write \"%ls\"\n", lpszShot);
        return 1;
    }
    return 0;
}
