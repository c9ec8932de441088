#include "TaskDialog.h"

#include "Foundation/ModuleHandle.h"
#include "Foundation/SystemVersion.h"

#include <wchar.h>

// The platform's record as comctl32 reads it: its pointers and handles make it
// 96 bytes in a 32-bit program and 160 in a 64-bit one.
#ifdef _WIN64
static_assert(sizeof(TASKDIALOGCONFIG) == 160, "the platform's record is 160 bytes");
#else
static_assert(sizeof(TASKDIALOGCONFIG) == 96, "the platform's record is 96 bytes");
#endif

namespace
{

const DWORD kInitialFlags = TDF_POSITION_RELATIVE_TO_WINDOW;
const DWORD kMinimumComCtlVersion = 0x60000;

BOOL IsHeapText(PCWSTR psz)
{
    return !IS_INTRESOURCE(psz);
}

void FreeConfigString(PCWSTR& psz)
{
    if (IsHeapText(psz))
        delete[] psz;
    psz = nullptr;
}

// The process's holder of comctl32; it stays bound until process exit.
CLVKModuleHandle& ComCtl32()
{
    static CLVKModuleHandle comctl32;
    return comctl32;
}

// The toolkit's question-mark icon at the given size; the caller destroys it.
HICON CreateQuestionIcon(int cx, int cy)
{
    return CLVKTaskDialogClient::LoadStandardIcon(0xFFFB, cx, cy);
}

}  // namespace

CLVKTaskDialog::CLVKTaskDialog(CWnd* pParentWnd) : CLVKTaskDialogFrame(&m_config)
{
    m_config.cbSize = sizeof(m_config);
    m_config.hwndParent = pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr;
    m_config.hInstance = AfxGetInstanceHandle();
    if (!m_config.hInstance)
        m_config.hInstance = GetModuleHandleW(nullptr);
    m_config.dwFlags = kInitialFlags;
    m_config.pfCallback = &TaskDialogCallbackProc;
    m_config.lpCallbackData = reinterpret_cast<LONG_PTR>(this);
    SetWindowTitle(AfxGetAppName());
}

CLVKTaskDialog::~CLVKTaskDialog()
{
    ResetConfig();
}

void CLVKTaskDialog::ResetConfig()
{
    FreeConfigString(m_config.pszWindowTitle);
    FreeConfigString(m_config.pszMainInstruction);
    FreeConfigString(m_config.pszContent);
    FreeConfigString(m_config.pszVerificationText);
    FreeConfigString(m_config.pszExpandedInformation);
    FreeConfigString(m_config.pszExpandedControlText);
    FreeConfigString(m_config.pszCollapsedControlText);
    FreeConfigString(m_config.pszFooter);
    m_config.dwFlags = kInitialFlags;
    m_config.pszMainIcon = nullptr;
    m_config.pszFooterIcon = nullptr;
    m_config.cxWidth = 0;
    m_config.dwCommonButtons = 0;
    for (TASKDIALOG_BUTTON& button : m_arrButtons)
        FreeConfigString(button.pszButtonText);
    for (TASKDIALOG_BUTTON& button : m_arrRadioButtons)
        FreeConfigString(button.pszButtonText);
    m_arrButtons.clear();
    m_arrRadioButtons.clear();
    RefreshButtons();
    m_nSelectedButton = 0;
    m_bInputBoxEnabled = FALSE;
}

void AFX_CDECL CLVKTaskDialog::SetConfigString(PCWSTR& pszField, LPCWSTR lpszText)
{
    // The new value is made first: the text may be the old value itself.
    PCWSTR pszNew = nullptr;
    if (lpszText && !IsHeapText(lpszText))
    {
        pszNew = lpszText;
    }
    else if (lpszText && *lpszText)
    {
        const size_t cch = wcslen(lpszText) + 1;
        auto* pszCopy = new wchar_t[cch];
        wmemcpy(pszCopy, lpszText, cch);
        pszNew = pszCopy;
    }
    if (IsHeapText(pszField))
        delete[] pszField;
    pszField = pszNew;
}

void CLVKTaskDialog::SetWindowTitle(LPCWSTR lpszTitle)
{
    // The title is kept as text, so the caption can be set on an open dialog.
    if (lpszTitle && !IsHeapText(lpszTitle))
    {
        CString strTitle;
        strTitle.LoadString(m_config.hInstance, static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTitle)));
        SetConfigString(m_config.pszWindowTitle, strTitle);
    }
    else
    {
        SetConfigString(m_config.pszWindowTitle, lpszTitle);
    }
    if (m_hwndDialog)
        ::SetWindowTextW(m_hwndDialog, m_config.pszWindowTitle ? m_config.pszWindowTitle : L"");
}

BOOL CLVKTaskDialog::SetElementText(PCWSTR& pszField, LPCWSTR lpszText, TASKDIALOG_ELEMENTS element)
{
    SetConfigString(pszField, lpszText);
    if (!m_hwndDialog)
        return TRUE;
    return static_cast<BOOL>(
        ::SendMessageW(m_hwndDialog, TDM_SET_ELEMENT_TEXT, element, reinterpret_cast<LPARAM>(pszField)));
}

BOOL CLVKTaskDialog::SetMainInstruction(LPCWSTR lpszText)
{
    return SetElementText(m_config.pszMainInstruction, lpszText, TDE_MAIN_INSTRUCTION);
}

BOOL CLVKTaskDialog::SetContent(LPCWSTR lpszText)
{
    return SetElementText(m_config.pszContent, lpszText, TDE_CONTENT);
}

BOOL CLVKTaskDialog::SetExpandedInformation(LPCWSTR lpszText)
{
    return SetElementText(m_config.pszExpandedInformation, lpszText, TDE_EXPANDED_INFORMATION);
}

void CLVKTaskDialog::SetExpandedControlText(LPCWSTR lpszText)
{
    SetConfigString(m_config.pszExpandedControlText, lpszText);
}

void CLVKTaskDialog::SetCollapsedControlText(LPCWSTR lpszText)
{
    SetConfigString(m_config.pszCollapsedControlText, lpszText);
}

void CLVKTaskDialog::SetFooter(LPCWSTR lpszText)
{
    SetConfigString(m_config.pszFooter, lpszText);
}

void CLVKTaskDialog::SetVerificationText(LPCWSTR lpszText)
{
    SetConfigString(m_config.pszVerificationText, lpszText);
}

void CLVKTaskDialog::SetMainIcon(LPCWSTR lpszIcon)
{
    m_config.dwFlags &= ~TDF_USE_HICON_MAIN;
    m_config.pszMainIcon = lpszIcon;
    if (m_hwndDialog)
        ::SendMessageW(m_hwndDialog, TDM_UPDATE_ICON, TDIE_ICON_MAIN, reinterpret_cast<LPARAM>(m_config.pszMainIcon));
}

void CLVKTaskDialog::SetMainIconHandle(HICON hIcon)
{
    if (hIcon)
        m_config.dwFlags |= TDF_USE_HICON_MAIN;
    else
        m_config.dwFlags &= ~TDF_USE_HICON_MAIN;
    m_config.hMainIcon = hIcon;
    if (m_hwndDialog)
        ::SendMessageW(m_hwndDialog, TDM_UPDATE_ICON, TDIE_ICON_MAIN, reinterpret_cast<LPARAM>(m_config.hMainIcon));
}

void CLVKTaskDialog::AddButton(LPCWSTR lpszText, int nID)
{
    // A new entry may move the array, so the configuration must point at it again.
    if (AddOrRenameButton(m_arrButtons, lpszText, nID))
        RefreshButtons();
}

void CLVKTaskDialog::AddRadioButton(LPCWSTR lpszText, int nID)
{
    AddOrRenameButton(m_arrRadioButtons, lpszText, nID);
}

bool CLVKTaskDialog::AddOrRenameButton(std::vector<TASKDIALOG_BUTTON>& arrButtons, LPCWSTR lpszText, int nID)
{
    // An identifier already in the list only gets its text replaced, so each
    // identifier stays unique.
    for (TASKDIALOG_BUTTON& button : arrButtons)
    {
        if (button.nButtonID == nID)
        {
            SetConfigString(button.pszButtonText, lpszText);
            return false;
        }
    }
    TASKDIALOG_BUTTON button{};
    button.nButtonID = nID;
    SetConfigString(button.pszButtonText, lpszText);
    arrButtons.push_back(button);
    return true;
}

void CLVKTaskDialog::RefreshButtons()
{
    m_config.pButtons = m_arrButtons.empty() ? nullptr : m_arrButtons.data();
    m_config.cButtons = static_cast<UINT>(m_arrButtons.size());
    m_config.pRadioButtons = m_arrRadioButtons.empty() ? nullptr : m_arrRadioButtons.data();
    m_config.cRadioButtons = static_cast<UINT>(m_arrRadioButtons.size());
}

int CLVKTaskDialog::SetCommonButtons(BOOL bOk, BOOL bYes, BOOL bNo, BOOL bCancel, BOOL bRetry, BOOL bClose)
{
    DWORD dwMask = 0;
    if (bOk)
        dwMask |= TDCBF_OK_BUTTON;
    if (bYes)
        dwMask |= TDCBF_YES_BUTTON;
    if (bNo)
        dwMask |= TDCBF_NO_BUTTON;
    if (bCancel)
        dwMask |= TDCBF_CANCEL_BUTTON;
    if (bRetry)
        dwMask |= TDCBF_RETRY_BUTTON;
    if (bClose)
        dwMask |= TDCBF_CLOSE_BUTTON;
    m_config.dwCommonButtons = dwMask;
    return static_cast<int>(dwMask);
}

void CLVKTaskDialog::SetCommonButtonMask(TASKDIALOG_COMMON_BUTTON_FLAGS dwMask)
{
    m_config.dwCommonButtons = dwMask;
}

void CLVKTaskDialog::SetDefaultButton(int nID)
{
    m_config.nDefaultButton = nID;
}

void CLVKTaskDialog::SetWidth(int nWidth, BOOL bPixels)
{
    int nUnits = nWidth;
    if (bPixels)
    {
        // Dialog units are a quarter of the average character width.
        const short nBaseUnitX = static_cast<short>(LOWORD(GetDialogBaseUnits()));
        nUnits = nBaseUnitX > 0 ? MulDiv(nWidth, 4, nBaseUnitX) : 0;
    }
    m_config.cxWidth = nUnits > 0 ? static_cast<UINT>(nUnits) : 0;
}

BOOL CLVKTaskDialog::ModifyFlags(DWORD dwRemove, DWORD dwAdd)
{
    const DWORD dwFlags = dwAdd | (m_config.dwFlags & ~dwRemove);
    if (dwFlags == static_cast<DWORD>(m_config.dwFlags))
        return FALSE;
    m_config.dwFlags = dwFlags;
    return TRUE;
}

BOOL CLVKTaskDialog::EnableHyperlinks(BOOL bEnable)
{
    return bEnable ? ModifyFlags(0, TDF_ENABLE_HYPERLINKS) : ModifyFlags(TDF_ENABLE_HYPERLINKS, 0);
}

BOOL CLVKTaskDialog::EnableCancellation(BOOL bEnable)
{
    return bEnable ? ModifyFlags(0, TDF_ALLOW_DIALOG_CANCELLATION) : ModifyFlags(TDF_ALLOW_DIALOG_CANCELLATION, 0);
}

BOOL CLVKTaskDialog::EnableRelativePosition(BOOL bEnable)
{
    return bEnable ? ModifyFlags(0, TDF_POSITION_RELATIVE_TO_WINDOW) : ModifyFlags(TDF_POSITION_RELATIVE_TO_WINDOW, 0);
}

CLVKTaskDialog::PFNTASKDIALOGINDIRECT CLVKTaskDialog::FindTaskDialogIndirect() const
{
    // The platform's dialog knows neither the input box nor markup.
    if (m_bInputBoxEnabled || m_bMarkupEnabled || !m_bNativeAllowed ||
        !CLVKSystemVersion::GetGlobal()->IsVistaOrGreater())
        return nullptr;
    CLVKModuleHandle& comctl32 = ComCtl32();
    if (!comctl32.LoadModule(L"ComCtl32.dll"))
        return nullptr;
    PFNTASKDIALOGINDIRECT pfn = nullptr;
    // Wine's comctl32 reports 5.81 and is taken as older than 6.0.
    if (!comctl32.GetProcAddressChecked(pfn, "TaskDialogIndirect", kMinimumComCtlVersion))
        return nullptr;
    return pfn;
}

INT_PTR CLVKTaskDialog::DoModal()
{
    RefreshButtons();

    const PFNTASKDIALOGINDIRECT pfnTaskDialogIndirect = FindTaskDialogIndirect();
    if (!pfnTaskDialogIndirect)
    {
        // A navigation of an earlier run left the emulation on its copy.
        m_pConfig = &m_config;
        m_nSelectedButton = static_cast<int>(CLVKTaskDialogFrame::DoModal());
        m_pConfig = &m_config;
        m_hwndDialog = nullptr;
        return m_nSelectedButton;
    }

    // The platform's dialog does not know the toolkit's question icon: hand
    // it an icon for the time of the call and put the id back afterwards.
    HICON hQuestionMain = nullptr;
    HICON hQuestionFooter = nullptr;
    if (!(m_config.dwFlags & TDF_USE_HICON_MAIN) && m_config.pszMainIcon == TASKDIALOG_QUESTION_ICON)
    {
        hQuestionMain = CreateQuestionIcon(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
        if (hQuestionMain)
        {
            m_config.dwFlags |= TDF_USE_HICON_MAIN;
            m_config.hMainIcon = hQuestionMain;
        }
    }
    if (!(m_config.dwFlags & TDF_USE_HICON_FOOTER) && m_config.pszFooterIcon == TASKDIALOG_QUESTION_ICON)
    {
        hQuestionFooter = CreateQuestionIcon(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
        if (hQuestionFooter)
        {
            m_config.dwFlags |= TDF_USE_HICON_FOOTER;
            m_config.hFooterIcon = hQuestionFooter;
        }
    }

    int nButton = 0;
    int nRadioButton = 0;
    BOOL bVerification = FALSE;
    const HRESULT hr = pfnTaskDialogIndirect(&m_config, &nButton, &nRadioButton, &bVerification);
    m_nSelectedButton = SUCCEEDED(hr) ? nButton : 0;
    if (SUCCEEDED(hr))
    {
        m_nSelectedRadioButton = nRadioButton;
        m_bVerificationChecked = bVerification;
    }

    if (hQuestionMain)
    {
        DestroyIcon(hQuestionMain);
        m_config.dwFlags &= ~TDF_USE_HICON_MAIN;
        m_config.pszMainIcon = TASKDIALOG_QUESTION_ICON;
    }
    if (hQuestionFooter)
    {
        DestroyIcon(hQuestionFooter);
        m_config.dwFlags &= ~TDF_USE_HICON_FOOTER;
        m_config.pszFooterIcon = TASKDIALOG_QUESTION_ICON;
    }
    // A failed call may leave no TDN_DESTROYED behind.
    m_hwndDialog = nullptr;
    return m_nSelectedButton;
}

HRESULT CALLBACK CLVKTaskDialog::TaskDialogCallbackProc(HWND hWnd, UINT uNotification, WPARAM wParam, LPARAM lParam,
                                                        LONG_PTR lpRefData)
{
    auto* pThis = reinterpret_cast<CLVKTaskDialog*>(lpRefData);
    if (!pThis)
        return E_FAIL;
    if (uNotification == TDN_DIALOG_CONSTRUCTED && hWnd)
        pThis->m_hwndDialog = hWnd;
    if (uNotification == TDN_DESTROYED)
    {
        pThis->OnDestroyed();
        pThis->m_hwndDialog = nullptr;
        return S_OK;
    }
    return pThis->OnNotify(uNotification, wParam, lParam);
}

HRESULT CLVKTaskDialog::OnNotify(UINT uNotification, WPARAM wParam, LPARAM lParam)
{
    switch (uNotification)
    {
    case TDN_CREATED:
        return S_OK;
    case TDN_NAVIGATED:
        OnNavigated();
        return S_OK;
    case TDN_BUTTON_CLICKED:
    {
        BOOL bClose = TRUE;
        OnButtonClicked(static_cast<int>(wParam), bClose);
        return bClose ? S_OK : S_FALSE;
    }
    case TDN_HYPERLINK_CLICKED:
        OnHyperlinkClicked(reinterpret_cast<LPCWSTR>(lParam));
        return S_OK;
    case TDN_TIMER:
    {
        BOOL bReset = FALSE;
        OnTimer(static_cast<DWORD>(wParam), bReset);
        return bReset ? 1 : 0;
    }
    case TDN_RADIO_BUTTON_CLICKED:
        OnRadioButtonClicked(static_cast<int>(wParam));
        return S_OK;
    case TDN_DIALOG_CONSTRUCTED:
        OnDialogConstructed();
        return S_OK;
    case TDN_VERIFICATION_CLICKED:
        OnVerificationClicked(wParam != 0);
        return S_OK;
    case TDN_HELP:
        OnHelp();
        return S_OK;
    case TDN_EXPANDO_BUTTON_CLICKED:
        OnExpandoButtonClicked(wParam != 0);
        return S_OK;
    case TASKDIALOG_NOTIFY_INPUTBOX_CHANGED:
        OnInputBoxChanged();
        return S_OK;
    default:
        return E_NOTIMPL;
    }
}

void CLVKTaskDialog::OnHyperlinkClicked(LPCWSTR lpszURL)
{
    ShellExecuteW(nullptr, L"open", lpszURL, nullptr, nullptr, SW_SHOW);
}

void CLVKTaskDialog::OnButtonClicked(int /*nButtonID*/, BOOL& bCloseDialog)
{
    bCloseDialog = TRUE;
}
