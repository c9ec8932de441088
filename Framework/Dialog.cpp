#include "Dialog.h"
#include "ModuleState.h"
#include "WinThread.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_MESSAGE(WM_SETFONT, HandleSetFont)
END_MESSAGE_MAP()

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    // The framework handles dialogs through their window procedure; the
    // platform's dialog manager asks here only to run OnInitDialog, whose
    // result decides whether it sets the focus.
    if (message != WM_INITDIALOG)
        return FALSE;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    auto* pDlg = pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CDialog)) ? static_cast<CDialog*>(pWnd) : nullptr;
    if (!pDlg)
        return TRUE;
    // The platform's dialog code is between here and the framework's window
    // procedure: no exception may pass through it.
    try
    {
        return pDlg->OnInitDialog();
    }
    catch (...)
    {
        CException* e = AfxExceptionFromCurrent();
        if (!e->IsKindOf(RUNTIME_CLASS(CUserException)))
            e->ReportError();
        e->Delete();
        return FALSE;
    }
}

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate), m_lpszTemplateName(MAKEINTRESOURCEW(nIDTemplate)), m_pParentWnd(pParentWnd)
{
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd)
{
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
}

CDialog::~CDialog()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

LPCDLGTEMPLATE CDialog::LoadTemplate(HGLOBAL& hResource, HINSTANCE& hInst) const
{
    hResource = NULL;
    hInst = AfxGetResourceHandle();
    if (m_lpDialogTemplate)
        return m_lpDialogTemplate;
    if (m_hDialogTemplate)
        return static_cast<LPCDLGTEMPLATE>(::LockResource(m_hDialogTemplate));
    if (!m_lpszTemplateName)
        return nullptr;
    HRSRC hRsrc = ::FindResourceW(hInst, m_lpszTemplateName, MAKEINTRESOURCEW(5));  // RT_DIALOG
    if (!hRsrc && hInst != AfxGetInstanceHandle())
    {
        hInst = AfxGetInstanceHandle();
        hRsrc = ::FindResourceW(hInst, m_lpszTemplateName, MAKEINTRESOURCEW(5));
    }
    if (!hRsrc)
        return nullptr;
    hResource = ::LoadResource(hInst, hRsrc);
    return hResource ? static_cast<LPCDLGTEMPLATE>(::LockResource(hResource)) : nullptr;
}

BOOL CDialog::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    if (!lpDialogTemplate || m_hWnd)
        return FALSE;
    if (!hInst)
        hInst = AfxGetResourceHandle();
    m_lpCreateTemplate = lpDialogTemplate;
    AfxHookWindowCreate(this);
    const HWND hWnd = ::CreateDialogIndirectParamW(hInst, lpDialogTemplate, pParentWnd->GetSafeHwnd(), &AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    m_lpCreateTemplate = nullptr;
    // NULL also when OnInitDialog destroyed the dialog.
    return hWnd != NULL && m_hWnd == hWnd;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCEW(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
        m_nIDHelp = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    HGLOBAL hResource = NULL;
    HINSTANCE hInst = NULL;
    const LPCDLGTEMPLATE lpTemplate = LoadTemplate(hResource, hInst);
    if (!lpTemplate)
        return FALSE;
    return CreateDlgIndirect(lpTemplate, m_pParentWnd, hInst);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit)
{
    m_lpDialogInit = lpDialogInit;
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    return CreateDlgIndirect(lpDialogTemplate, m_pParentWnd, NULL);
}

BOOL CDialog::CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    const auto lpTemplate = static_cast<LPCDLGTEMPLATE>(::GlobalLock(hDialogTemplate));
    const BOOL bResult = CreateIndirect(lpTemplate, pParentWnd, NULL);
    ::GlobalUnlock(hDialogTemplate);
    return bResult;
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_lpDialogInit = lpDialogInit;
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    return lpDialogTemplate != nullptr;
}

BOOL CDialog::InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    m_hDialogTemplate = hDialogTemplate;
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    return hDialogTemplate != NULL;
}

HWND CDialog::PreModal()
{
    // The owner: the given parent, else the main window's active pop-up;
    // never the dialog itself (it may be the main window already).
    HWND hWndParent = CWnd::GetSafeOwner(m_pParentWnd, &m_hWndTop)->GetSafeHwnd();
    if (hWndParent && (hWndParent == m_hWnd || !::IsWindow(hWndParent)))
        hWndParent = NULL;
    return hWndParent;
}

void CDialog::PostModal()
{
    m_hWndTop = NULL;
}

INT_PTR CDialog::DoModal()
{
    HGLOBAL hResource = NULL;
    HINSTANCE hInst = NULL;
    const LPCDLGTEMPLATE lpTemplate = LoadTemplate(hResource, hInst);
    if (!lpTemplate || m_hWnd)
        return -1;

    const HWND hWndParent = PreModal();
    // The owner is disabled for the dialog's life, like a system modal dialog.
    bool bEnableParent = false;
    if (hWndParent && hWndParent != ::GetDesktopWindow() && ::IsWindowEnabled(hWndParent))
    {
        ::EnableWindow(hWndParent, FALSE);
        bEnableParent = true;
    }

    m_nModalResult = -1;
    m_bClosedByEndDialog = FALSE;
    m_nFlags |= (WF_CONTINUEMODAL | WF_INMODALDIALOG);
    try
    {
        if (CreateDlgIndirect(lpTemplate, CWnd::FromHandle(hWndParent), hInst) && ContinueModal())
        {
            DWORD dwFlags = MLF_SHOWONIDLE;
            if (GetStyle() & DS_NOIDLEMSG)
                dwFlags |= MLF_NOIDLEMSG;
            RunModalLoop(dwFlags);
        }
        // Hide before the owner is enabled again, so the activation goes to
        // the owner and not to another program.
        if (m_hWnd)
            SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    catch (...)
    {
        // An exception from pre-translation or idle work ends the dialog;
        // the user is told why it went.
        CException* e = AfxExceptionFromCurrent();
        if (!e->IsKindOf(RUNTIME_CLASS(CUserException)))
            e->ReportError();
        e->Delete();
        m_nModalResult = -1;
    }
    m_nFlags &= ~WF_CONTINUEMODAL;

    if (bEnableParent)
        ::EnableWindow(hWndParent, TRUE);
    if (hWndParent && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndParent);

    DestroyWindow();
    m_nFlags &= ~WF_INMODALDIALOG;
    PostModal();
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    m_bClosedByEndDialog = TRUE;
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nResult);
    else if (m_hWnd)
        ::EndDialog(m_hWnd, nResult);  // modeless: the platform hides it
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    PreInitDialog();
    RECT rectBefore{};
    if (m_hWnd)
        ::GetWindowRect(m_hWnd, &rectBefore);
    // The platform's dialog procedure calls AfxDlgProc, which runs OnInitDialog.
    const LRESULT lResult = Default();
    // A modal dialog whose template leaves the position open is centred on
    // its owner, unless OnInitDialog placed it itself.
    RECT rectAfter{};
    const bool bMoved = m_hWnd && ::GetWindowRect(m_hWnd, &rectAfter) &&
                        (rectAfter.left != rectBefore.left || rectAfter.top != rectBefore.top);
    if (m_hWnd && !bMoved && (m_nFlags & WF_CONTINUEMODAL) && CheckAutoCenter())
        CenterWindow();
    return lResult;
}

LRESULT CDialog::HandleSetFont(WPARAM wParam, LPARAM)
{
    OnSetFont(CFont::FromHandle(reinterpret_cast<HFONT>(wParam)));
    return Default();
}

void CDialog::PreInitDialog()
{
}

void CDialog::OnSetFont(CFont*)
{
}

BOOL CDialog::OnInitDialog()
{
    if (!UpdateData(FALSE))
        return FALSE;
    return TRUE;  // the platform sets the focus to the first control
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;  // a control's value was refused: the dialog stays
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    // Keys of this dialog and its controls go to the dialog manager (Tab,
    // Enter, Escape, mnemonics).
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST || !m_hWnd)
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    return ::IsDialogMessageW(m_hWnd, pMsg);
}

BOOL CDialog::CheckAutoCenter()
{
    // The template tells: the system centres DS_CENTER dialogs itself, and a
    // template with a position of its own keeps it.
    const BYTE* p = reinterpret_cast<const BYTE*>(m_lpCreateTemplate);
    if (!p)
        return FALSE;
    DWORD dwStyle = 0;
    short x = 0;
    short y = 0;
    if (reinterpret_cast<const WORD*>(p)[1] == 0xFFFF)
    {
        // DLGTEMPLATEEX: version, signature, help id, extended style, style,
        // item count, then the position.
        memcpy(&dwStyle, p + 12, sizeof(dwStyle));
        memcpy(&x, p + 18, sizeof(x));
        memcpy(&y, p + 20, sizeof(y));
    }
    else
    {
        memcpy(&dwStyle, p, sizeof(dwStyle));
        memcpy(&x, p + 10, sizeof(x));
        memcpy(&y, p + 12, sizeof(y));
    }
    if (dwStyle & (DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN))
        return FALSE;
    return x == 0 && y == 0;
}

void CDialog::MapDialogRect(LPRECT lpRect) const
{
    ::MapDialogRect(m_hWnd, lpRect);
}

DWORD CDialog::GetDefID() const
{
    return static_cast<DWORD>(::SendMessageW(m_hWnd, DM_GETDEFID, 0, 0));
}

void CDialog::SetDefID(UINT nID)
{
    ::SendMessageW(m_hWnd, DM_SETDEFID, nID, 0);
}

void CDialog::NextDlgCtrl() const
{
    ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, 0, 0);
}

void CDialog::PrevDlgCtrl() const
{
    ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, 1, 0);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->GetSafeHwnd()), 1);
}
