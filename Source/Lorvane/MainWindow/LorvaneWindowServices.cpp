#include "LorvaneWindowServices.h"

#include "EngineText.h"
#include "LorvaneDlg.h"
#include "TaskDialogEx.h"
#include "resource.h"
#include "Foundation/DpiScaling.h"

namespace
{
// The custom button of the label-fix prompt.
constexpr int kRestartButtonId = 6;
constexpr int kLabelFixPromptWidth = 440;  // pixels at 96 DPI

// The label-fix prompt: the Restart button carries the elevation shield,
// which can be set only once the dialog window exists.
class CLabelFixPrompt : public CTaskDialogEx
{
public:
    explicit CLabelFixPrompt(CWnd* owner) : CTaskDialogEx(owner) {}

protected:
    void OnDialogConstructed() override
    {
        CTaskDialogEx::OnDialogConstructed();
        ::SendMessageW(GetDialogWindow(), TDM_SET_BUTTON_ELEVATION_REQUIRED_STATE, kRestartButtonId, TRUE);
    }
};
}  // namespace

CLorvaneWindowServices::CLorvaneWindowServices() : m_pPrevious(CMainWindowServices::Install(this))
{
}

CLorvaneWindowServices::~CLorvaneWindowServices()
{
    CMainWindowServices::Install(m_pPrevious);
}

INT_PTR CLorvaneWindowServices::RunMainWindow(bool startedAfterLanguageChange)
{
    CWinApp* const app = AfxGetApp();
    CLorvaneDlg dialog;
    if (app)
        app->m_pMainWnd = &dialog;
    dialog.m_bStartedAfterLanguageChange = startedAfterLanguageChange ? TRUE : FALSE;
    const INT_PTR result = dialog.DoModal();
    if (app)
        app->m_pMainWnd = nullptr;
    return result;
}

int CLorvaneWindowServices::AskYesNo(CWnd* owner, LPCWSTR mainInstruction, LPCWSTR content, LPCWSTR mainIcon,
                                     int defaultButton)
{
    return ShowYesNoTaskDialog(owner, mainInstruction, content, mainIcon, defaultButton);
}

bool CLorvaneWindowServices::AskRestartForLabelFix()
{
    CLabelFixPrompt prompt(AfxGetMainWnd());
    prompt.SetWindowTitle(AfxGetAppName());
    prompt.SetMainInstruction(LoadEngineText(IDS_ADMIN_REQUIRED));
    prompt.SetContent(LoadEngineText(IDS_ADMIN_REQUIRED_CONTENT));
    prompt.SetMainIcon(TD_SHIELD_ICON);
    prompt.SetCommonButtonMask(TDCBF_CANCEL_BUTTON);
    prompt.AddButton(LoadEngineText(IDS_BUTTON_RESTART), kRestartButtonId);
    prompt.EnableHyperlinks(TRUE);
    prompt.EnableCancellation(TRUE);
    prompt.EnableRelativePosition(TRUE);
    prompt.SetWidth(CLVKDpiScaling::GetGlobal()->ScaleX(kLabelFixPromptWidth));
    return prompt.DoModal() == kRestartButtonId;
}
