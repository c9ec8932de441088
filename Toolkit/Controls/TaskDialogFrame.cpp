#include "TaskDialogFrame.h"

#include "TaskDialogMeasure.h"

#include <stdlib.h>

namespace
{

const size_t kTemplateSize = 50;
const DWORD kBaseStyle =
    WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION | DS_NOIDLEMSG | DS_MODALFRAME | DS_3DLOOK | DS_ABSALIGN;

}  // namespace

CLVKTaskDialogFrame::CLVKTaskDialogFrame(TASKDIALOGCONFIG* pConfig) : CLVKTaskDialogClient(pConfig)
{
}

CLVKTaskDialogFrame::~CLVKTaskDialogFrame()
{
    if (GetSafeHwnd())
        DestroyWindow();
    delete[] m_pTemplate;
}

DWORD CLVKTaskDialogFrame::GetWindowStyle() const
{
    DWORD dwStyle = kBaseStyle;
    if (m_pConfig->dwFlags & TDF_CAN_BE_MINIMIZED)
        dwStyle |= WS_MINIMIZEBOX;
    if ((m_pConfig->dwFlags & TDF_ALLOW_DIALOG_CANCELLATION) || (m_pConfig->dwCommonButtons & TDCBF_CANCEL_BUTTON))
        dwStyle |= WS_SYSMENU;
    return dwStyle;
}

DWORD CLVKTaskDialogFrame::GetWindowExStyle() const
{
    return (m_pConfig->dwFlags & TDF_RTL_LAYOUT) ? WS_EX_LAYOUTRTL : 0;
}

CString CLVKTaskDialogFrame::GetWindowTitle() const
{
    CString strTitle = LoadText(m_pConfig->pszWindowTitle);
    if (!strTitle.IsEmpty())
        return strTitle;
    wchar_t szPath[MAX_PATH]{};
    ::GetModuleFileNameW(AfxGetInstanceHandle(), szPath, MAX_PATH);
    wchar_t szName[_MAX_FNAME]{};
    wchar_t szExt[_MAX_EXT]{};
    _wsplitpath_s(szPath, nullptr, 0, nullptr, 0, szName, _MAX_FNAME, szExt, _MAX_EXT);
    strTitle.Format(L"%s%s", szName, szExt);
    return strTitle;
}

INT_PTR CLVKTaskDialogFrame::DoModal()
{
    ::ReleaseCapture();
    if (!m_pTemplate)
    {
        m_pTemplate = new (std::nothrow) BYTE[kTemplateSize];
        if (!m_pTemplate)
            return -1;
        memset(m_pTemplate, 0, kTemplateSize);
    }
    auto* pTemplate = reinterpret_cast<DLGTEMPLATE*>(m_pTemplate);
    pTemplate->style = GetWindowStyle();
    pTemplate->dwExtendedStyle = GetWindowExStyle();
    // The configuration's parent owns the dialog (not the application's
    // main window), as with the platform's dialog.
    InitModalIndirect(pTemplate, m_pConfig->hwndParent ? CWnd::FromHandle(m_pConfig->hwndParent) : nullptr);
    return CLVKTaskDialogClient::DoModal();
}

LRESULT CLVKTaskDialogFrame::OnCreate(LPARAM lParam)
{
    if (CLVKTaskDialogClient::WindowProc(WM_CREATE, 0, lParam) == -1)
        return -1;
    ::SetWindowTextW(GetSafeHwnd(), GetWindowTitle());
    const PCWSTR pszIcon = (m_pConfig->dwFlags & TDF_USE_HICON_MAIN) ? nullptr : m_pConfig->pszMainIcon;
    if (pszIcon == TD_WARNING_ICON)
        ::MessageBeep(MB_ICONEXCLAMATION);
    else if (pszIcon == TD_ERROR_ICON)
        ::MessageBeep(MB_ICONHAND);
    else if (pszIcon == TD_INFORMATION_ICON)
        ::MessageBeep(MB_ICONASTERISK);
    if (InitializeClient(TRUE))
    {
        SendNotification(TDN_DIALOG_CONSTRUCTED, 0, 0);
        SendNotification(TDN_CREATED, 0, 0);
    }
    return 0;
}

BOOL CLVKTaskDialogFrame::OnInitDialog()
{
    const BOOL bResult = CLVKTaskDialogClient::OnInitDialog();
    int nDefault = m_pConfig->nDefaultButton;
    if (nDefault == 0)
    {
        if (!m_arrCommandLinks.empty())
            nDefault = ::GetDlgCtrlID(m_arrCommandLinks.front()->GetSafeHwnd());
        else if (!m_arrPushButtons.empty())
            nDefault = ::GetDlgCtrlID(m_arrPushButtons.front()->GetSafeHwnd());
    }
    const HWND hDefault = nDefault > 0 ? ::GetDlgItem(GetSafeHwnd(), nDefault) : nullptr;
    if (hDefault)
    {
        SendMessage(DM_SETDEFID, static_cast<WPARAM>(nDefault));
        if (!(m_pInputBox && m_pInputBox->GetSafeHwnd()))
            PostMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hDefault), TRUE);
    }
    m_dwTimerStart = ::GetTickCount();
    if (m_pConfig->dwFlags & TDF_CALLBACK_TIMER)
        SetTimer(kCallbackTimerId, m_nTimerInterval);
    return bResult;
}

BOOL CLVKTaskDialogFrame::PreTranslateMessage(MSG* pMsg)
{
    if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP) && pMsg->wParam == VK_F1)
    {
        // One TDN_HELP per press: on the key going down, not on its
        // auto-repeats (bit 30: the key was down already) or its release.
        const bool bRepeat = (pMsg->lParam & (1 << 30)) != 0;
        if (pMsg->message == WM_KEYDOWN && !bRepeat)
            SendNotification(TDN_HELP, 0, 0);
        return TRUE;
    }
    return CLVKTaskDialogClient::PreTranslateMessage(pMsg);
}

CWnd* CLVKTaskDialogFrame::FindButtonChild(int nId) const
{
    const HWND hChild = ::GetDlgItem(GetSafeHwnd(), nId);
    if (!hChild)
        return nullptr;
    wchar_t szClass[16]{};
    ::GetClassNameW(hChild, szClass, 16);
    if (::lstrcmpiW(szClass, L"Button") != 0)
        return nullptr;
    return CWnd::FromHandle(hChild);
}

bool CLVKTaskDialogFrame::IsRadioButton(HWND hWnd) const
{
    return hWnd && (::SendMessageW(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0;
}

PCWSTR CLVKTaskDialogFrame::KeepText(PCWSTR psz, std::list<std::wstring>& texts)
{
    if (!psz || IS_INTRESOURCE(psz))
        return psz;
    texts.emplace_back(psz);
    return texts.back().c_str();
}

LRESULT CLVKTaskDialogFrame::NavigatePage(const TASKDIALOGCONFIG* pNewConfig)
{
    if (!pNewConfig)
        return 0;
    // Copy first, then replace: the new record may point into the old copy.
    TASKDIALOGCONFIG config = *pNewConfig;
    std::list<std::wstring> texts;
    std::vector<TASKDIALOG_BUTTON> buttons;
    std::vector<TASKDIALOG_BUTTON> radios;
    for (PCWSTR* ppsz : {&config.pszWindowTitle, &config.pszMainInstruction, &config.pszContent,
                         &config.pszVerificationText, &config.pszExpandedInformation, &config.pszExpandedControlText,
                         &config.pszCollapsedControlText, &config.pszFooter})
        *ppsz = KeepText(*ppsz, texts);
    if (!(config.dwFlags & TDF_USE_HICON_MAIN))
        config.pszMainIcon = IS_INTRESOURCE(config.pszMainIcon) ? config.pszMainIcon : nullptr;
    if (!(config.dwFlags & TDF_USE_HICON_FOOTER))
        config.pszFooterIcon = IS_INTRESOURCE(config.pszFooterIcon) ? config.pszFooterIcon : nullptr;
    for (UINT i = 0; pNewConfig->pButtons && i < pNewConfig->cButtons; ++i)
        buttons.push_back({pNewConfig->pButtons[i].nButtonID, KeepText(pNewConfig->pButtons[i].pszButtonText, texts)});
    for (UINT i = 0; pNewConfig->pRadioButtons && i < pNewConfig->cRadioButtons; ++i)
        radios.push_back(
            {pNewConfig->pRadioButtons[i].nButtonID, KeepText(pNewConfig->pRadioButtons[i].pszButtonText, texts)});

    m_navigatedTexts.swap(texts);
    m_navigatedButtons.swap(buttons);
    m_navigatedRadioButtons.swap(radios);
    config.pButtons = m_navigatedButtons.empty() ? nullptr : m_navigatedButtons.data();
    config.cButtons = static_cast<UINT>(m_navigatedButtons.size());
    config.pRadioButtons = m_navigatedRadioButtons.empty() ? nullptr : m_navigatedRadioButtons.data();
    config.cRadioButtons = static_cast<UINT>(m_navigatedRadioButtons.size());
    m_navigatedConfig = config;
    m_pConfig = &m_navigatedConfig;

    KillTimer(kCallbackTimerId);
    ::SetWindowTextW(GetSafeHwnd(), GetWindowTitle());
    if (!InitializeClient(FALSE))
        return 0;
    OnInitDialog();
    SendNotification(TDN_DIALOG_CONSTRUCTED, 0, 0);
    SendNotification(TDN_NAVIGATED, 0, 0);
    return 1;
}

LRESULT CLVKTaskDialogFrame::OnTaskDialogMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool bProgress = m_progressBar.GetSafeHwnd() != nullptr;
    switch (message)
    {
    case TDM_NAVIGATE_PAGE:
        return NavigatePage(reinterpret_cast<const TASKDIALOGCONFIG*>(lParam));
    case TDM_CLICK_BUTTON:
    {
        const HWND hChild = ::GetDlgItem(GetSafeHwnd(), static_cast<int>(wParam));
        if (!hChild)
            return 0;
        CLVKTaskDialogClient::WindowProc(WM_COMMAND, MAKEWPARAM(wParam, BN_CLICKED), reinterpret_cast<LPARAM>(hChild));
        return 1;
    }
    case TDM_SET_MARQUEE_PROGRESS_BAR:
        if (!bProgress)
            return 0;
        m_progressBar.ModifyStyle(wParam ? 0 : PBS_MARQUEE, wParam ? PBS_MARQUEE : 0);
        return 1;
    case TDM_SET_PROGRESS_BAR_STATE:
        if (!bProgress)
            return 0;
        m_progressBar.SendMessage(PBM_SETSTATE, wParam);
        return 1;
    case TDM_SET_PROGRESS_BAR_RANGE:
        if (!bProgress)
            return 0;
        m_progressBar.SendMessage(PBM_SETRANGE, 0, lParam);
        return 1;
    case TDM_SET_PROGRESS_BAR_POS:
        if (!bProgress)
            return 0;
        m_progressBar.SendMessage(PBM_SETPOS, wParam);
        return 1;
    case TDM_SET_PROGRESS_BAR_MARQUEE:
        if (!bProgress)
            return 0;
        m_progressBar.SendMessage(PBM_SETMARQUEE, wParam, wParam ? lParam : 0);
        return 1;
    case TDM_SET_ELEMENT_TEXT:
        return SetElementText(static_cast<int>(wParam), reinterpret_cast<PCWSTR>(lParam));
    case TDM_CLICK_RADIO_BUTTON:
    {
        const HWND hChild = ::GetDlgItem(GetSafeHwnd(), static_cast<int>(wParam));
        if (!FindButtonChild(static_cast<int>(wParam)) || !IsRadioButton(hChild))
            return 0;
        for (HWND h = ::GetWindow(GetSafeHwnd(), GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
        {
            if (IsRadioButton(h))
                ::SendMessageW(h, BM_SETCHECK, h == hChild ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        m_nSelectedRadioButton = static_cast<int>(wParam);
        SendNotification(TDN_RADIO_BUTTON_CLICKED, wParam, 0);
        return 1;
    }
    case TDM_ENABLE_BUTTON:
    {
        CWnd* pChild = FindButtonChild(static_cast<int>(wParam));
        if (!pChild)
            return 0;
        if (!lParam && ::GetFocus() == pChild->GetSafeHwnd())
            PostMessage(WM_NEXTDLGCTL,
                        reinterpret_cast<WPARAM>(::GetNextDlgTabItem(GetSafeHwnd(), pChild->GetSafeHwnd(), FALSE)),
                        TRUE);
        ::EnableWindow(pChild->GetSafeHwnd(), lParam != 0);
        return 1;
    }
    case TDM_ENABLE_RADIO_BUTTON:
    {
        CWnd* pChild = FindButtonChild(static_cast<int>(wParam));
        if (!pChild || !IsRadioButton(pChild->GetSafeHwnd()))
            return 0;
        ::EnableWindow(pChild->GetSafeHwnd(), lParam != 0);
        return 1;
    }
    case TDM_CLICK_VERIFICATION:
        if (!m_pVerificationBox || !m_pVerificationBox->GetSafeHwnd())
            return 0;
        m_bVerificationChecked = wParam != 0;
        m_pVerificationBox->SendMessage(BM_SETCHECK, m_bVerificationChecked ? BST_CHECKED : BST_UNCHECKED);
        SendNotification(TDN_VERIFICATION_CLICKED, m_bVerificationChecked, 0);
        if (lParam)
            ::SetFocus(m_pVerificationBox->GetSafeHwnd());
        return 1;
    case TDM_SET_BUTTON_ELEVATION_REQUIRED_STATE:
    {
        CWnd* pChild = FindButtonChild(static_cast<int>(wParam));
        if (!pChild)
            return 0;
        pChild->SendMessage(BCM_SETSHIELD, 0, lParam);
        return 1;
    }
    case TDM_UPDATE_ICON:
        return UpdateIcon(static_cast<int>(wParam), reinterpret_cast<PCWSTR>(lParam));
    default:
        return 0;
    }
}

LRESULT CLVKTaskDialogFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_CREATE:
        return OnCreate(lParam);
    case WM_DESTROY:
    {
        KillTimer(kCallbackTimerId);
        const LRESULT result = CLVKTaskDialogClient::WindowProc(message, wParam, lParam);
        SendNotification(TDN_DESTROYED, 0, 0);
        return result;
    }
    case WM_TIMER:
        if (wParam == kCallbackTimerId)
        {
            const HRESULT hr = SendNotification(TDN_TIMER, ::GetTickCount() - m_dwTimerStart, 0);
            if (hr == 1)
                m_dwTimerStart = ::GetTickCount();
        }
        break;
    case TDM_NAVIGATE_PAGE:
    case TDM_CLICK_BUTTON:
    case TDM_SET_MARQUEE_PROGRESS_BAR:
    case TDM_SET_PROGRESS_BAR_STATE:
    case TDM_SET_PROGRESS_BAR_RANGE:
    case TDM_SET_PROGRESS_BAR_POS:
    case TDM_SET_PROGRESS_BAR_MARQUEE:
    case TDM_SET_ELEMENT_TEXT:
    case TDM_CLICK_RADIO_BUTTON:
    case TDM_ENABLE_BUTTON:
    case TDM_ENABLE_RADIO_BUTTON:
    case TDM_CLICK_VERIFICATION:
    case TDM_SET_BUTTON_ELEVATION_REQUIRED_STATE:
    case TDM_UPDATE_ICON:
        return OnTaskDialogMessage(message, wParam, lParam);
    default:
        break;
    }
    return CLVKTaskDialogClient::WindowProc(message, wParam, lParam);
}
