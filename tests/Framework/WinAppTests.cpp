// The application object: its lifetime, the command-line parser, the settings
// store, message boxes, worker threads and the entry point's exit code.
#include "Framework.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// Records every token the parser hands over.
class CRecordingCommandLineInfo : public CCommandLineInfo
{
public:
    struct Token
    {
        std::wstring text;
        bool flag;
        bool last;
        bool operator==(const Token& o) const { return text == o.text && flag == o.flag && last == o.last; }
    };
    std::vector<Token> tokens;

    void ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast) override
    {
        tokens.push_back({pszParam, bFlag != FALSE, bLast != FALSE});
    }
};

void PrintTo(const CRecordingCommandLineInfo::Token& t, std::ostream* os)
{
    *os << (t.flag ? "/" : "") << static_cast<LPCSTR>(CW2A(t.text.c_str(), CP_UTF8)) << (t.last ? " (last)" : "");
}

struct ParseCase
{
    const char* name;
    const wchar_t* commandLine;
    std::vector<CRecordingCommandLineInfo::Token> expect;
};

class ParseCommandLine : public ::testing::TestWithParam<ParseCase>
{
};

TEST_P(ParseCommandLine, SplitsByThePlatformsQuotingRules)
{
    CWinApp app(L"ParseTest");
    std::wstring line = GetParam().commandLine;
    app.m_lpCmdLine = &line[0];
    CRecordingCommandLineInfo info;
    app.ParseCommandLine(info);
    EXPECT_EQ(GetParam().expect, info.tokens);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseCommandLine,
    ::testing::Values(ParseCase{"Empty", L"", {}}, ParseCase{"OnlyBlanks", L"   ", {}},
                      ParseCase{"PlainTokens", L"P: C:\\x", {{L"P:", false, false}, {L"C:\\x", false, true}}},
                      ParseCase{"SlashAndDashSwitchesLoseTheirFirstCharacter",
                                L"/STARTUP -d",
                                {{L"STARTUP", true, false}, {L"d", true, true}}},
                      ParseCase{"LoneSlashIsAnEmptySwitch", L"/", {{L"", true, true}}},
                      ParseCase{"QuotedTokenKeepsItsBlanks",
                                L"\"C:\\My Folder\" label",
                                {{L"C:\\My Folder", false, false}, {L"label", false, true}}},
                      ParseCase{"EmptyQuotedToken", L"\"\" x", {{L"", false, false}, {L"x", false, true}}},
                      ParseCase{"QuotedSwitchIsStillASwitch", L"\"/ICON\"", {{L"ICON", true, true}}},
                      ParseCase{"BackslashesBeforeAQuoteAreHalved",
                                L"\"C:\\dir\\\\\" next",
                                {{L"C:\\dir\\", false, false}, {L"next", false, true}}},
                      ParseCase{"EscapedQuoteIsLiteral", L"a\\\"b", {{L"a\"b", false, true}}},
                      ParseCase{
                          "BackslashesElsewhereStay", L"\\\\server\\share", {{L"\\\\server\\share", false, true}}},
                      ParseCase{"QuotesJoinWithTheirNeighbours", L"ab\"c d\"e", {{L"abc de", false, true}}},
                      ParseCase{"TabsSeparate", L"a\tb", {{L"a", false, false}, {L"b", false, true}}}),
    [](const ::testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

TEST(CommandLineInfo, BaseClassUnderstandsFileAndPrintSwitches)
{
    CWinApp app(L"ParseTest");
    std::wstring line = L"/p \"C:\\doc file.txt\"";
    app.m_lpCmdLine = &line[0];
    CCommandLineInfo info;
    app.ParseCommandLine(info);
    EXPECT_EQ(CCommandLineInfo::FilePrint, info.m_nShellCommand);
    EXPECT_EQ(CString(L"C:\\doc file.txt"), info.m_strFileName);

    std::wstring open = L"C:\\a.txt";
    app.m_lpCmdLine = &open[0];
    CCommandLineInfo openInfo;
    app.ParseCommandLine(openInfo);
    EXPECT_EQ(CCommandLineInfo::FileOpen, openInfo.m_nShellCommand);

    std::wstring embedding = L"-Embedding";
    app.m_lpCmdLine = &embedding[0];
    CCommandLineInfo embeddedInfo;
    app.ParseCommandLine(embeddedInfo);
    EXPECT_TRUE(embeddedInfo.m_bRunEmbedded);
    EXPECT_FALSE(embeddedInfo.m_bShowSplash);
}

TEST(WinApp, IsTheApplicationAndThreadWhileItLives)
{
    EXPECT_EQ(nullptr, AfxGetApp());
    {
        CWinApp app(L"Lifetime");
        EXPECT_EQ(&app, AfxGetApp());
        EXPECT_EQ(&app, AfxGetThread());
        EXPECT_STREQ(L"Lifetime", app.m_pszAppName);
        EXPECT_STREQ(L"Lifetime", AfxGetAppName());
    }
    EXPECT_EQ(nullptr, AfxGetApp());
    EXPECT_EQ(nullptr, AfxGetThread());
    EXPECT_EQ(nullptr, AfxGetMainWnd());
}

TEST(WinApp, NameDefaultsToTheProgramFileName)
{
    CWinApp app;
    EXPECT_STREQ(L"FrameworkTests", app.m_pszAppName);
}

// ---- the settings store --------------------------------------------------------

class ProfileStore : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_company = L"LorvaneFrameworkTest" + std::to_wstring(::GetCurrentProcessId());
        m_app.SetRegistryKey(m_company.c_str());
    }
    void TearDown() override { ::SHDeleteKeyW(HKEY_CURRENT_USER, (L"Software\\" + m_company).c_str()); }

    HKEY OpenSection(const wchar_t* section)
    {
        HKEY hKey = NULL;
        const std::wstring path = L"Software\\" + m_company + L"\\ProfileTest\\" + section;
        ::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ | KEY_WRITE, &hKey);
        return hKey;
    }

    CWinApp m_app{L"ProfileTest"};
    std::wstring m_company;
};

TEST_F(ProfileStore, ValuesLiveUnderTheCompanyAndApplicationKeys)
{
    EXPECT_TRUE(m_app.WriteProfileInt(L"Settings", L"Flags", 0x30));
    EXPECT_TRUE(m_app.WriteProfileString(L"Settings", L"Lang", L"English.xml"));
    EXPECT_EQ(0x30u, m_app.GetProfileInt(L"Settings", L"Flags", 7));
    EXPECT_EQ(CString(L"English.xml"), m_app.GetProfileString(L"Settings", L"Lang"));

    const HKEY hKey = OpenSection(L"Settings");
    ASSERT_NE(nullptr, hKey);
    DWORD dwValue = 0;
    DWORD cb = sizeof(dwValue);
    DWORD dwType = 0;
    EXPECT_EQ(ERROR_SUCCESS,
              ::RegQueryValueExW(hKey, L"Flags", NULL, &dwType, reinterpret_cast<LPBYTE>(&dwValue), &cb));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), dwType);
    EXPECT_EQ(0x30u, dwValue);
    ::RegCloseKey(hKey);
}

TEST_F(ProfileStore, MissingOrMistypedValuesGiveTheDefault)
{
    EXPECT_EQ(7u, m_app.GetProfileInt(L"Nowhere", L"Flags", 7));
    EXPECT_EQ(CString(L"dflt"), m_app.GetProfileString(L"Nowhere", L"Lang", L"dflt"));
    EXPECT_EQ(nullptr, OpenSection(L"Nowhere")) << "reading creates no keys";

    // A string where a number belongs, and a number where a string belongs.
    m_app.WriteProfileString(L"Mixed", L"Number", L"12");
    m_app.WriteProfileInt(L"Mixed", L"Text", 12);
    EXPECT_EQ(5u, m_app.GetProfileInt(L"Mixed", L"Number", 5));
    EXPECT_EQ(CString(L"d"), m_app.GetProfileString(L"Mixed", L"Text", L"d"));
}

TEST_F(ProfileStore, StringStoredWithoutItsTerminatingZeroIsReadWhole)
{
    ASSERT_TRUE(m_app.WriteProfileInt(L"Raw", L"Seed", 1));
    const HKEY hKey = OpenSection(L"Raw");
    ASSERT_NE(nullptr, hKey);
    // Followed in memory by a non-zero character, so nothing adds a zero.
    const wchar_t data[] = {L'a', L'b', L'c', L'X'};
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegSetValueExW(hKey, L"NoZero", 0, REG_SZ, reinterpret_cast<const BYTE*>(data), 3 * sizeof(wchar_t)));
    ::RegCloseKey(hKey);
    EXPECT_EQ(CString(L"abc"), m_app.GetProfileString(L"Raw", L"NoZero"));
}

TEST_F(ProfileStore, NullValueDeletesTheEntryAndNullEntryTheSection)
{
    m_app.WriteProfileString(L"Gone", L"A", L"1");
    m_app.WriteProfileString(L"Gone", L"B", L"2");
    EXPECT_TRUE(m_app.WriteProfileString(L"Gone", L"A", NULL));
    EXPECT_EQ(CString(L"none"), m_app.GetProfileString(L"Gone", L"A", L"none"));
    EXPECT_EQ(CString(L"2"), m_app.GetProfileString(L"Gone", L"B", L"none"));
    EXPECT_TRUE(m_app.WriteProfileString(L"Gone", NULL, NULL));
    EXPECT_EQ(nullptr, OpenSection(L"Gone"));
}

TEST_F(ProfileStore, BinaryValuesRoundTrip)
{
    BYTE data[] = {1, 0, 0xFF, 0x80};
    ASSERT_TRUE(m_app.WriteProfileBinary(L"Bin", L"Rect", data, sizeof(data)));
    LPBYTE pData = nullptr;
    UINT nBytes = 0;
    ASSERT_TRUE(m_app.GetProfileBinary(L"Bin", L"Rect", &pData, &nBytes));
    ASSERT_EQ(sizeof(data), nBytes);
    EXPECT_EQ(0, memcmp(data, pData, nBytes));
    delete[] pData;
    EXPECT_FALSE(m_app.GetProfileBinary(L"Bin", L"Missing", &pData, &nBytes));
    EXPECT_EQ(nullptr, pData);
    EXPECT_EQ(0u, nBytes);
}

// ---- message boxes ----------------------------------------------------------------

TEST(AfxMessageBoxTest, TitledWithTheApplicationName)
{
    CWinApp app(L"Box Title App");
    DialogCapture boxes(IDNO);
    EXPECT_EQ(IDNO, AfxMessageBox(L"Question?", MB_YESNO));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(L"Box Title App", boxes.Dialogs()[0].title);
    EXPECT_EQ(L"Question?", boxes.Dialogs()[0].text);
}

TEST(AfxMessageBoxTest, WithoutAnApplicationAndFromAMissingString)
{
    DialogCapture boxes(IDOK);
    EXPECT_EQ(IDOK, AfxMessageBox(L"Plain"));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(L"Plain", boxes.Dialogs()[0].text);
    // No string resource of that id: no box, and no button reported.
    EXPECT_EQ(0, AfxMessageBox(31999u));
    EXPECT_EQ(1u, boxes.Count());
}

// ---- worker threads ---------------------------------------------------------------

struct WorkerData
{
    HANDLE hStarted = ::CreateEventW(NULL, TRUE, FALSE, NULL);
    CWinThread* pSeenThread = nullptr;
    UINT result = 0;
};

UINT AFX_CDECL WorkerProc(LPVOID pParam)
{
    auto* pData = static_cast<WorkerData*>(pParam);
    pData->pSeenThread = AfxGetThread();
    ::SetEvent(pData->hStarted);
    return pData->result;
}

// Whether the thread is suspended: its suspend count before one more
// suspension, which is taken back at once.
bool IsSuspended(HANDLE hThread)
{
    const DWORD dwPrevious = ::SuspendThread(hThread);
    if (dwPrevious == static_cast<DWORD>(-1))
        return false;
    ::ResumeThread(hThread);
    return dwPrevious > 0;
}

TEST(BeginThread, RunsTheFunctionAsAFrameworkThread)
{
    WorkerData data;
    data.result = 17;
    CWinThread* pThread = AfxBeginThread(WorkerProc, &data, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, pThread);
    pThread->m_bAutoDelete = FALSE;
    // Suspended: nothing runs until resumed.
    EXPECT_TRUE(IsSuspended(pThread->m_hThread));
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), ::WaitForSingleObject(data.hStarted, 0));
    pThread->ResumeThread();
    ASSERT_TRUE(WaitForObject(pThread->m_hThread));
    EXPECT_EQ(pThread, data.pSeenThread);
    DWORD dwExit = 0;
    ::GetExitCodeThread(pThread->m_hThread, &dwExit);
    EXPECT_EQ(17u, dwExit);
    delete pThread;
    ::CloseHandle(data.hStarted);
}

TEST(BeginThread, StartsAtOnceAndDeletesItselfByDefault)
{
    WorkerData data;
    CWinThread* pThread = AfxBeginThread(WorkerProc, &data);
    ASSERT_NE(nullptr, pThread);
    EXPECT_TRUE(WaitForObject(data.hStarted));
    EXPECT_EQ(nullptr, AfxBeginThread(static_cast<AFX_THREADPROC>(nullptr), nullptr));
    ::CloseHandle(data.hStarted);
}

struct RecordCheck
{
    volatile LONG nStarted = 0;
    volatile LONG nUnrecorded = 0;  // threads that did not find their own handle and id
    HANDLE hAllStarted = ::CreateEventW(NULL, TRUE, FALSE, NULL);
    LONG nThreads = 0;
};

UINT AFX_CDECL CheckRecordedProc(LPVOID pParam)
{
    auto* pCheck = static_cast<RecordCheck*>(pParam);
    const CWinThread* pSelf = AfxGetThread();
    if (!pSelf || pSelf->m_nThreadID != ::GetCurrentThreadId() || !pSelf->m_hThread)
        ::InterlockedIncrement(&pCheck->nUnrecorded);
    if (::InterlockedIncrement(&pCheck->nStarted) == pCheck->nThreads)
        ::SetEvent(pCheck->hAllStarted);
    return 0;
}

// An auto-deleting thread that ends at once is freed by its own thread: the
// creator must have written its handle and id before the thread could run.
TEST(CreateThread, HandleAndIdAreRecordedBeforeTheThreadRuns)
{
    RecordCheck check;
    check.nThreads = 40;
    for (LONG i = 0; i < check.nThreads; i++)
    {
        auto* pThread = new CWinThread(CheckRecordedProc, &check);
        ASSERT_TRUE(pThread->CreateThread());
        // pThread may be gone already: not touched again.
    }
    ASSERT_TRUE(WaitForObject(check.hAllStarted));
    EXPECT_EQ(0, check.nUnrecorded);
    ::CloseHandle(check.hAllStarted);

    // Asked for suspended, it stays so until resumed.
    WorkerData data;
    CWinThread thread(WorkerProc, &data);
    thread.m_bAutoDelete = FALSE;
    ASSERT_TRUE(thread.CreateThread(CREATE_SUSPENDED));
    EXPECT_TRUE(IsSuspended(thread.m_hThread));
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), ::WaitForSingleObject(data.hStarted, 0));
    thread.ResumeThread();
    EXPECT_TRUE(WaitForObject(thread.m_hThread));
    EXPECT_EQ(&thread, data.pSeenThread);
    ::CloseHandle(data.hStarted);
}

// ---- the entry point ------------------------------------------------------------

class CExitCodeApp : public CWinApp
{
public:
    CExitCodeApp() : CWinApp(L"ExitCodeApp") {}
    BOOL m_bRun = FALSE;
    int m_nExitCalls = 0;
    CWnd m_mainWnd;

    BOOL InitInstance() override
    {
        if (!m_bRun)
            return FALSE;
        m_mainWnd.CreateEx(0, NULL, L"Main", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL);
        m_pMainWnd = &m_mainWnd;
        // Closing the main window ends the loop.
        m_mainWnd.PostMessage(WM_CLOSE);
        return TRUE;
    }
    int ExitInstance() override
    {
        ++m_nExitCalls;
        return m_bRun ? CWinApp::ExitInstance() + 5 : 42;
    }
};

TEST(EntryPoint, ExitCodeIsExitInstancesResultWhenInitInstanceFails)
{
    CExitCodeApp app;
    wchar_t cmdLine[] = L"";
    EXPECT_EQ(42, AfxWinMain(::GetModuleHandleW(NULL), NULL, cmdLine, SW_SHOW));
    EXPECT_EQ(1, app.m_nExitCalls);
}

TEST(EntryPoint, ExitCodeIsExitInstancesResultAfterTheLoop)
{
    MSG drain{};
    while (::PeekMessageW(&drain, NULL, WM_QUIT, WM_QUIT, PM_REMOVE))
    {
    }
    CExitCodeApp app;
    app.m_bRun = TRUE;
    wchar_t cmdLine[] = L"/x";
    EXPECT_EQ(5, AfxWinMain(::GetModuleHandleW(NULL), NULL, cmdLine, SW_SHOW));
    EXPECT_EQ(1, app.m_nExitCalls);
    EXPECT_EQ(nullptr, app.m_mainWnd.m_hWnd);
    EXPECT_STREQ(L"/x", app.m_lpCmdLine);
}

}  // namespace
