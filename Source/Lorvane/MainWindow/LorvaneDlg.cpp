#include "LorvaneDlg.h"

#include "DriveOperationWorker.h"
#include "DriveRegistry.h"
#include "LorvaneApp.h"
#include "resource.h"
#include "Foundation/DpiScaling.h"

#include <memory>

namespace
{
constexpr UINT_PTR TIMER_STARTUP = 0xBADBABA;
constexpr UINT kStartupTimerDelay = 100;

// Extra height the window gets on top of its template size when no saved
// rectangle exists, at 96 DPI.
constexpr int kUnsavedExtraHeight = 50;

// The drive list control of the template has the report control's window
// class. Until that control is part of the window, a plain class of the same
// name lets the dialog be created.
void RegisterDriveListPlaceholderClass()
{
    const HINSTANCE instance = AfxGetInstanceHandle();
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(instance, L"LVKReport", &existing))
        return;
    WNDCLASSEXW placeholder{};
    placeholder.cbSize = sizeof(placeholder);
    placeholder.lpfnWndProc = DefWindowProcW;
    placeholder.hInstance = instance;
    placeholder.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    placeholder.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    placeholder.lpszClassName = L"LVKReport";
    RegisterClassExW(&placeholder);
}
}  // namespace

BEGIN_MESSAGE_MAP(CLorvaneDlg, CDialog)
    ON_WM_PAINT()
    ON_MESSAGE(WM_QUERYDRAGICON, OnQueryDragIcon)
    ON_MESSAGE(WM_DRIVE_OPERATION_DONE, OnDriveOperationDone)
    ON_WM_DESTROY()
    ON_WM_ENDSESSION()
    ON_WM_TIMER()
    ON_WM_CLOSE()
    ON_MESSAGE(WM_ACTIVATE_INSTANCE, OnActivateInstance)
END_MESSAGE_MAP()

CLorvaneDlg::CLorvaneDlg(CWnd* pParent) : CDialog(IDD, pParent)
{
    RegisterDriveListPlaceholderClass();
    m_hIcon = AfxGetApp() ? AfxGetApp()->LoadIcon(IDR_MAINFRAME) : nullptr;
}

CLorvaneDlg::~CLorvaneDlg()
{
    StopDriveOperationWorker();
}

void CLorvaneDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
}

BOOL CLorvaneDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    // The marker a second start looks for; the copy of "STATIC" gets the
    // marker's own class name when it registers.
    m_wndLookup.CreateEx(WS_EX_TOOLWINDOW, L"STATIC", CLookupWnd::GetTitle(), 0, CRect(0, 0, 0, 0), this, 0);

    SetIcon(m_hIcon, TRUE);
    const HICON smallIcon =
        static_cast<HICON>(LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    SetIcon(smallIcon, FALSE);

    CRect initial;
    GetWindowRect(&initial);
    m_sizeMinimum = initial.Size();

    PositionWindow();

    const DWORD flags = theApp.Flags;
    CheckDlgButton(IDC_START_WITH_WINDOWS, IsRunAtStartup() ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_BACKGROUND_MODE, (flags & SettingsFlags::BackgroundMode) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_MANAGE_NETWORK_DRIVES,
                   (flags & SettingsFlags::ManageNetworkDrives) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_ONLY_OWN_DRIVES, (flags & SettingsFlags::OnlyOwnDrives) ? BST_CHECKED : BST_UNCHECKED);

    if (flags & SettingsFlags::AlwaysOnTop)
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);

    SetTimer(TIMER_STARTUP, kStartupTimerDelay, nullptr);
    return TRUE;
}

void CLorvaneDlg::PositionWindow()
{
    CRect window;
    GetWindowRect(&window);
    const int extraHeight = CLVKDpiScaling::GetGlobal()->ScaleY(kUnsavedExtraHeight);
    const CRect start = m_pPlacement->GetStartRect(theApp.MainRect, window.Size(), extraHeight, m_sizeMinimum);
    ::SetWindowPos(m_hWnd, nullptr, start.left, start.top, start.Width(), start.Height(), SWP_NOZORDER);
}

void CLorvaneDlg::StoreWindowRect()
{
    CRect saved;
    if (m_pPlacement->GetSavedRect(m_hWnd, saved))
        theApp.MainRect = saved;
}

void CLorvaneDlg::OnPaint()
{
    if (!IsIconic())
    {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    CRect client;
    GetClientRect(&client);
    const int x = (client.Width() - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.Height() - GetSystemMetrics(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

LRESULT CLorvaneDlg::OnQueryDragIcon(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return reinterpret_cast<LRESULT>(m_hIcon);
}

void CLorvaneDlg::OnDestroy()
{
    StopDriveOperationWorker();
    StoreWindowRect();
    theApp.SaveSettings();
    CDialog::OnDestroy();
    if (m_wndLookup.GetSafeHwnd())
        m_wndLookup.DestroyWindow();
}

void CLorvaneDlg::OnEndSession(BOOL bEnding)
{
    CDialog::OnEndSession(bEnding);
    if (!bEnding)
        return;
    StoreWindowRect();
    theApp.SaveSettings();
}

void CLorvaneDlg::OnClose()
{
    EndDialog(IDCANCEL);
}

void CLorvaneDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != TIMER_STARTUP)
    {
        CDialog::OnTimer(nIDEvent);
        return;
    }
    KillTimer(TIMER_STARTUP);
    if (m_bStartedAfterLanguageChange)
        BringToForeground();
}

void CLorvaneDlg::BringToForeground()
{
    const HWND window = m_hWnd;
    if (!::IsWindow(window) || IsHungAppWindow(window))
        return;
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 250, &answer))
    {
        const DWORD error = GetLastError();
        if (error == 0 || error == ERROR_TIMEOUT)
            return;
    }
    if (::GetForegroundWindow() == window)
        return;

    ::BringWindowToTop(window);
    ::SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (::SetForegroundWindow(window))
        return;

    // The system refuses the foreground to a process that does not own the
    // input; sharing the input state of the foreground thread lifts that.
    HWND foreground = ::GetForegroundWindow();
    if (!foreground)
        foreground = ::FindWindowW(L"Shell_TrayWnd", nullptr);
    const DWORD foregroundThread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    const DWORD ownThread = GetWindowThreadProcessId(window, nullptr);
    const bool attached =
        foregroundThread && foregroundThread != ownThread && AttachThreadInput(foregroundThread, ownThread, TRUE);
    if (!::SetForegroundWindow(window))
    {
        AllowSetForegroundWindow(ASFW_ANY);
        ::SetForegroundWindow(window);
    }
    if (attached)
        AttachThreadInput(foregroundThread, ownThread, FALSE);
}

LRESULT CLorvaneDlg::OnActivateInstance(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    if (IsWindowVisible())
    {
        ::SetForegroundWindow(m_hWnd);
        if (IsIconic())
            ShowWindow(SW_RESTORE);
        return 0;
    }
    // Hidden: bring the window back.
    ShowWindow(SW_SHOW);
    ::SetForegroundWindow(m_hWnd);
    return 0;
}

LRESULT CLorvaneDlg::OnDriveOperationDone(WPARAM /*wParam*/, LPARAM lParam)
{
    const std::unique_ptr<DriveOperationResult> result(reinterpret_cast<DriveOperationResult*>(lParam));
    if (!result)
        return 0;
    m_dwBusyLetters &= ~result->letters;
    // The drive list is refreshed with result->refreshMode and selects
    // result->selectLetter once the window has its list.
    return 0;
}
