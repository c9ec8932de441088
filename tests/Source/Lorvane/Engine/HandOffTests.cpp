// The hand-off of one drive command to the elevated task instance: the
// request texts, the sender under its mutex, the "/UACTASK" receiver in a
// separate Lorvane.exe, and the "runas" copy that follows when the task
// cannot run.
#include "Framework.h"

#include "AppSettings.h"
#include "DriveKeysSnapshot.h"
#include "HandOff.h"
#include "TestDrive.h"
#include "TestSupport.h"

#include <gmock/gmock.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <atomic>
#include <memory>
#include <thread>

namespace
{
constexpr DWORD Uac = DriveFlags::Uac;
constexpr DWORD RecycleBin = DriveFlags::RecycleBin;

// The block and the event of a sender, held by the test itself.
class TestSender
{
public:
    explicit TestSender(const std::wstring& text)
    {
        m_mapping =
            CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kHandOffBlockSize, kHandOffBlockName);
        if (!m_mapping)
            return;
        void* view = MapViewOfFile(m_mapping, FILE_MAP_ALL_ACCESS, 0, 0, kHandOffBlockSize);
        if (!view)
            return;
        memcpy(view, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        UnmapViewOfFile(view);
        m_event = CreateEventW(nullptr, FALSE, FALSE, kHandOffEventName);
    }
    ~TestSender()
    {
        if (m_event)
            CloseHandle(m_event);
        if (m_mapping)
            CloseHandle(m_mapping);
    }
    bool Ready() const { return m_mapping && m_event; }
    bool Signalled(DWORD timeoutMs) const { return WaitForSingleObject(m_event, timeoutMs) == WAIT_OBJECT_0; }

private:
    HANDLE m_mapping = nullptr;
    HANDLE m_event = nullptr;
};

std::wstring Text(const CString& text)
{
    return std::wstring(static_cast<LPCWSTR>(text));
}

// The hand-off mutex, held by the test in place of another sender.
class HeldHandOffMutex
{
public:
    // The mutex may exist already, so owning it is asked for explicitly.
    HeldHandOffMutex() : m_mutex(CreateMutexW(nullptr, FALSE, kHandOffMutexName))
    {
        if (m_mutex && !WaitForObject(m_mutex))
        {
            CloseHandle(m_mutex);
            m_mutex = nullptr;
        }
    }
    ~HeldHandOffMutex() { Release(); }
    bool Held() const { return m_mutex != nullptr; }
    // Lets go of the mutex and takes it back at once, unless a thread that
    // waits for it got it in between (a released mutex goes straight to a
    // waiter): true when one did, and the mutex is no longer held.
    bool HandOverToAWaiter()
    {
        if (!m_mutex)
            return false;
        ReleaseMutex(m_mutex);
        if (WaitForObject(m_mutex, 0))
            return false;
        CloseHandle(m_mutex);
        m_mutex = nullptr;
        return true;
    }
    void Release()
    {
        if (!m_mutex)
            return;
        ReleaseMutex(m_mutex);
        CloseHandle(m_mutex);
        m_mutex = nullptr;
    }

private:
    HANDLE m_mutex;
};

// ---------------------------------------------------------------------------
// Request texts

struct FormatCase
{
    const char* name;
    wchar_t letter;
    const wchar_t* path;
    const wchar_t* label;
    const wchar_t* icon;
    DWORD flags;
    const wchar_t* request;       // what the task instance gets
    const wchar_t* elevatedCopy;  // the parameters of the "runas" copy
};

const FormatCase kFormatCases[] = {
    {"UacDriveSendsLetterAndQuotedPath", L'P', L"C:\\Data", nullptr, nullptr, Uac, L"P: \"C:\\Data\"",
     L"/NOSAVE P: \"C:\\Data\""},
    {"RootTravelsWithoutTrailingBackslash", L'P', L"C:\\", nullptr, nullptr, Uac, L"P: \"C:\"", L"/NOSAVE P: \"C:\""},
    {"OneTrailingBackslashRemoved", L'P', L"C:\\Data\\", nullptr, nullptr, Uac, L"P: \"C:\\Data\"",
     L"/NOSAVE P: \"C:\\Data\""},
    {"UncPath", L'Q', L"\\\\fs1\\share\\", nullptr, nullptr, Uac, L"Q: \"\\\\fs1\\share\"",
     L"/NOSAVE Q: \"\\\\fs1\\share\""},
    {"LabelAndIconFollowThePath", L'P', L"C:\\Data", L"My Data", L"C:\\Icons\\Drive.ico,0", Uac,
     L"P: \"C:\\Data\" \"My Data\" /ICON \"C:\\Icons\\Drive.ico,0\"",
     L"/NOSAVE P: \"C:\\Data\" \"My Data\" /ICON \"C:\\Icons\\Drive.ico,0\""},
    {"EmptyLabelIsLeftOut", L'P', L"C:\\Data", L"", nullptr, Uac, L"P: \"C:\\Data\"", L"/NOSAVE P: \"C:\\Data\""},
    {"EmptyIconIsStillGiven", L'P', L"C:\\Data", nullptr, L"", Uac, L"P: \"C:\\Data\" /ICON \"\"",
     L"/NOSAVE P: \"C:\\Data\" /ICON \"\""},
    {"UacDriveWithRecycleBinHasNoNoCreate", L'P', L"C:\\Data", nullptr, nullptr, Uac | RecycleBin,
     L"P: \"C:\\Data\" /RECYCLEBIN", L"/NOSAVE P: \"C:\\Data\" /RECYCLEBIN"},
    {"RecycleBinOnlyDrive", L'P', L"C:\\Data", nullptr, nullptr, RecycleBin, L"P: \"C:\\Data\" /NOCREATE /RECYCLEBIN",
     L"/NOSAVE P: \"C:\\Data\" /NOCREATE /RECYCLEBIN"},
    {"NeitherUacNorRecycleBin", L'P', L"C:\\Data", nullptr, nullptr, DriveFlags::Local | DriveFlags::NoSave,
     L"P: \"C:\\Data\" /NOCREATE", L"/NOSAVE P: \"C:\\Data\" /NOCREATE"},
    {"Removal", L'P', nullptr, nullptr, nullptr, 0, L"/D P:", L"/NOSAVE /D P:"},
    {"RemovalKeepingRecycleBin", L'P', nullptr, nullptr, nullptr, RecycleBin, L"/D P: /RECYCLEBIN",
     L"/NOSAVE /D P: /RECYCLEBIN"},
    {"RemovalIgnoresLabelAndIcon", L'P', nullptr, L"lbl", L"x.ico,0", Uac, L"/D P:", L"/NOSAVE /D P:"},
    {"LabelFix", L'C', nullptr, L"/FIXLABEL", nullptr, 0, L"/FIXLABEL C:", L"/NOSAVE /D C:"},
    {"LabelFixIsCaseSensitive", L'C', nullptr, L"/fixlabel", nullptr, 0, L"/D C:", L"/NOSAVE /D C:"},
    {"LabelFixWithPathIsAnUpdate", L'P', L"C:\\Data", L"/FIXLABEL", nullptr, Uac, L"P: \"C:\\Data\" \"/FIXLABEL\"",
     L"/NOSAVE P: \"C:\\Data\" \"/FIXLABEL\""},
    // A label ending in a backslash would otherwise escape its closing quote.
    {"LabelEndingInBackslashKeepsItsQuote", L'P', L"C:\\Data", L"a\\", nullptr, Uac | RecycleBin,
     L"P: \"C:\\Data\" \"a\\\\\" /RECYCLEBIN", L"/NOSAVE P: \"C:\\Data\" \"a\\\\\" /RECYCLEBIN"},
    {"QuoteInLabelIsEscaped", L'P', L"C:\\Data", L"say \"hi\"", nullptr, Uac, L"P: \"C:\\Data\" \"say \\\"hi\\\"\"",
     L"/NOSAVE P: \"C:\\Data\" \"say \\\"hi\\\"\""},
};

class HandOffRequestFormat : public ::testing::TestWithParam<FormatCase>
{
};

TEST_P(HandOffRequestFormat, BuildsTheRequestAndTheElevatedCopyParameters)
{
    const FormatCase& c = GetParam();
    EXPECT_EQ(std::wstring(c.request), Text(HandOffRequest::Format(c.letter, c.path, c.label, c.icon, c.flags)));
    EXPECT_EQ(std::wstring(c.elevatedCopy),
              Text(HandOffRequest::FormatElevatedCopy(c.letter, c.path, c.label, c.icon, c.flags)));
}

INSTANTIATE_TEST_SUITE_P(Cases, HandOffRequestFormat, ::testing::ValuesIn(kFormatCases),
                         [](const ::testing::TestParamInfo<FormatCase>& info) { return info.param.name; });

// ---------------------------------------------------------------------------
// What the task instance reads from a request text

struct ParseCase
{
    const char* name;
    const wchar_t* text;
    wchar_t letter;
    const wchar_t* path;
    const wchar_t* label;
    const wchar_t* icon;  // null: no icon given
    bool remove;
    bool recycleBinOnly;
    bool recycleBin;
    bool fixLabel;
};

const ParseCase kParseCases[] = {
    {"Create", L"P: \"C:\\Data\"", L'P', L"C:\\Data", L"", nullptr, false, false, false, false},
    {"CreateWithLabelIconAndRecycleBin", L"P: \"C:\\Data\" \"My Data\" /ICON \"C:\\i.ico,1\" /RECYCLEBIN", L'P',
     L"C:\\Data", L"My Data", L"C:\\i.ico,1", false, false, true, false},
    {"RecycleBinOnly", L"P: \"C:\\Data\" /NOCREATE /RECYCLEBIN", L'P', L"C:\\Data", L"", nullptr, false, true, true,
     false},
    {"RemovalInAnyCase", L"/d p:", L'P', L"", L"", nullptr, true, false, false, false},
    {"RemovalKeepingRecycleBin", L"/D P: /RECYCLEBIN", L'P', L"", L"", nullptr, true, false, true, false},
    {"LabelFix", L"/FIXLABEL C:", L'C', L"", L"", nullptr, false, false, false, true},
    {"EscapedLabelComesBackWhole", L"P: \"C:\\Data\" \"a\\\\\" /RECYCLEBIN", L'P', L"C:\\Data", L"a\\", nullptr, false,
     false, true, false},
    {"LetterMustComeFirst", L"C:\\x P: \"C:\\Data\"", L'P', L"C:\\Data", L"", nullptr, false, false, false, false},
    {"NotALetterIsIgnored", L"PP: 1: \"C:\\Data\"", 0, L"", L"", nullptr, false, false, false, false},
    {"FourthPositionalIgnored", L"P: \"C:\\Data\" lbl extra", L'P', L"C:\\Data", L"lbl", nullptr, false, false, false,
     false},
    {"UnknownSwitchIgnored", L"/BOGUS P: \"C:\\Data\"", L'P', L"C:\\Data", L"", nullptr, false, false, false, false},
    {"TrailingIconSwitchHasNoValue", L"P: \"C:\\Data\" /ICON", L'P', L"C:\\Data", L"", nullptr, false, false, false,
     false},
    {"EmptyText", L"", 0, L"", L"", nullptr, false, false, false, false},
};

class HandOffRequestParse : public ::testing::TestWithParam<ParseCase>
{
};

TEST_P(HandOffRequestParse, ReadsTheRequestAsTheTaskInstanceDoes)
{
    const ParseCase& c = GetParam();
    HandOffRequest request;
    ASSERT_TRUE(HandOffRequest::Parse(c.text, request));
    EXPECT_EQ(c.letter, request.Letter);
    EXPECT_EQ(std::wstring(c.path), Text(request.Path));
    EXPECT_EQ(std::wstring(c.label), Text(request.Label));
    EXPECT_EQ(c.icon != nullptr, request.IconGiven);
    if (c.icon)
    {
        EXPECT_EQ(std::wstring(c.icon), Text(request.Icon));
    }
    EXPECT_EQ(c.remove, request.Remove);
    EXPECT_EQ(c.recycleBinOnly, request.RecycleBinOnly);
    EXPECT_EQ(c.recycleBin, request.RecycleBin);
    EXPECT_EQ(c.fixLabel, request.FixLabel);
}

INSTANTIATE_TEST_SUITE_P(Cases, HandOffRequestParse, ::testing::ValuesIn(kParseCases),
                         [](const ::testing::TestParamInfo<ParseCase>& info) { return info.param.name; });

// ---------------------------------------------------------------------------
// The sender

struct LengthCase
{
    const char* name;
    size_t characters;  // without the terminating zero
    bool fits;
};

const LengthCase kLengthCases[] = {
    {"FillsTheBlockExactly", kHandOffBlockSize / sizeof(wchar_t) - 1, true},
    {"OneCharacterTooMany", kHandOffBlockSize / sizeof(wchar_t), false},
    {"FarTooLong", 5000, false},
};

class HandOffRequestLength : public ::testing::TestWithParam<LengthCase>
{
};

TEST_P(HandOffRequestLength, RefusesARequestLargerThanTheBlock)
{
    const LengthCase& c = GetParam();
    const std::wstring text = L"P: \"" + std::wstring(c.characters - 5, L'x') + L"\"";
    ASSERT_EQ(c.characters, text.size());

    DialogCapture boxes(IDOK);
    bool taskStarted = false;
    // The task "does not start", so a fitting request ends without a box.
    const BOOL sent = SendHandOffRequest(text.c_str(),
                                         [&]
                                         {
                                             taskStarted = true;
                                             return E_NOTIMPL;
                                         });

    EXPECT_FALSE(sent);
    EXPECT_EQ(c.fits, taskStarted);
    if (c.fits)
    {
        EXPECT_EQ(0u, boxes.Count());
        return;
    }
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(L"Command line is too long for the file mapping object.", boxes.Dialogs()[0].text);
}

INSTANTIATE_TEST_SUITE_P(Cases, HandOffRequestLength, ::testing::ValuesIn(kLengthCases),
                         [](const ::testing::TestParamInfo<LengthCase>& info) { return info.param.name; });

TEST(HandOffSender, WritesTheRequestIntoTheBlockBeforeStartingTheTask)
{
    std::wstring seen;
    const BOOL sent =
        SendHandOffRequest(L"/D P: /RECYCLEBIN",
                           [&]
                           {
                               const HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, kHandOffBlockName);
                               if (mapping)
                               {
                                   const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, kHandOffBlockSize);
                                   if (view)
                                   {
                                       seen = static_cast<const wchar_t*>(view);
                                       UnmapViewOfFile(view);
                                   }
                                   CloseHandle(mapping);
                               }
                               // Answer as the task instance does.
                               const HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, kHandOffEventName);
                               if (event)
                               {
                                   SetEvent(event);
                                   CloseHandle(event);
                               }
                               return S_OK;
                           });

    EXPECT_TRUE(sent);
    EXPECT_EQ(L"/D P: /RECYCLEBIN", seen);
    // The block lives only while a sender holds it.
    const HANDLE after = OpenFileMappingW(FILE_MAP_READ, FALSE, kHandOffBlockName);
    EXPECT_EQ(nullptr, after);
    if (after)
        CloseHandle(after);
}

TEST(HandOffSender, NoAnswerWithinTheTimeIsAFailureWithoutABox)
{
    DialogCapture boxes(IDOK);
    // That it waited its time: a timer set for most of it just before is due
    // once it gave up (timed waits end in the order of their due times).
    const DueTimer mostOfTheTime(200);
    const BOOL sent = SendHandOffRequest(
        L"/D P:", [] { return S_OK; }, 300);
    EXPECT_FALSE(sent);
    EXPECT_TRUE(mostOfTheTime.Due()) << "it gave up before its time";
    EXPECT_EQ(0u, boxes.Count());
}

TEST(HandOffSender, WaitsForTheMutexThatAnotherSenderHolds)
{
    HeldHandOffMutex other;
    ASSERT_TRUE(other.Held());

    std::atomic<bool> taskStarted{false};
    std::atomic<bool> finished{false};
    std::thread sender(
        [&]
        {
            SendHandOffRequest(L"/D P:",
                               [&]
                               {
                                   taskStarted = true;
                                   return E_NOTIMPL;
                               });
            finished = true;
        });

    // The sender waits for the mutex: the test hands it over once the sender
    // is there to take it, and until then the sender must not go on.
    bool wentOnWithoutTheMutex = false;
    bool handedOver = false;
    EXPECT_TRUE(WaitUntil(
        [&]
        {
            wentOnWithoutTheMutex = wentOnWithoutTheMutex || taskStarted || finished;
            if (finished)
                return true;
            handedOver = other.HandOverToAWaiter();
            return handedOver;
        }));
    EXPECT_FALSE(wentOnWithoutTheMutex) << "the sender went on while another one held the mutex";
    EXPECT_TRUE(handedOver) << "the sender never waited for the mutex";
    other.Release();
    sender.join();
    EXPECT_TRUE(taskStarted);
    EXPECT_TRUE(finished);
}

TEST(HandOffSender, TakesOverTheMutexOfASenderThatDied)
{
    // A thread that ends while owning a mutex leaves it abandoned, as a
    // sender process that died does.
    HANDLE left = nullptr;
    std::thread dying(
        [&]
        {
            left = CreateMutexW(nullptr, FALSE, kHandOffMutexName);
            WaitForObject(left);
        });
    dying.join();
    ASSERT_NE(nullptr, left);

    // A sender that does not get the mutex gives up without starting the
    // task (see below), so a started task shows that it took the mutex over.
    bool taskStarted = false;
    SendHandOffRequest(L"/D P:",
                       [&]
                       {
                           taskStarted = true;
                           return E_NOTIMPL;
                       });
    EXPECT_TRUE(taskStarted);
    CloseHandle(left);
}

TEST(HandOffSender, GivesUpAfterTenSecondsWithoutTheMutex)
{
    HeldHandOffMutex other;
    ASSERT_TRUE(other.Held());

    std::vector<CapturedDialog> dialogs;
    BOOL sent = TRUE;
    bool taskStarted = false;
    bool waitedItsTime = false;
    std::thread sender(
        [&]
        {
            DialogCapture boxes(IDOK);
            // That it waited its ten seconds: a timer set for most of them
            // just before is due once it gave up (timed waits end in the
            // order of their due times; no elapsed time is measured).
            const DueTimer mostOfTheTime(kHandOffMutexTimeout - 1000);
            sent = SendHandOffRequest(L"/D P:",
                                      [&]
                                      {
                                          taskStarted = true;
                                          return S_OK;
                                      });
            waitedItsTime = mostOfTheTime.Due();
            dialogs = boxes.Dialogs();
        });
    sender.join();

    EXPECT_FALSE(sent);
    EXPECT_FALSE(taskStarted);
    EXPECT_TRUE(waitedItsTime) << "it gave up before its time";
    ASSERT_EQ(1u, dialogs.size());
    EXPECT_EQ(L"Timed out waiting for file mapping mutex.", dialogs[0].text);
}

// ---------------------------------------------------------------------------
// The receiver: Lorvane.exe /UACTASK in a process of its own

class HandOffReceiver : public ::testing::Test
{
protected:
    DriveKeysSnapshot m_keys;
    ScratchFolder m_folder;
};

TEST_F(HandOffReceiver, DefinesTheDriveOfACreateRequestAndSignals)
{
    const wchar_t letter = FindUnusedDriveLetter();
    ASSERT_NE(0, letter);
    const TestDrive drive(letter, m_folder.Path());
    const std::wstring request = Text(HandOffRequest::Format(letter, m_folder.Path().c_str(), nullptr, nullptr, Uac));

    HANDLE mutex = CreateMutexW(nullptr, FALSE, kHandOffMutexName);
    ASSERT_NE(nullptr, mutex);
    ASSERT_TRUE(WaitForObject(mutex));
    {
        const TestSender sender(request);
        ASSERT_TRUE(sender.Ready());

        ProcessDialogWatcher boxes(IDOK);
        RunOptions options;
        options.dialogs = &boxes;
        const RunResult run = RunProgram(L"Lorvane.exe", {L"/UACTASK"}, options);
        ASSERT_TRUE(run.started) << " (start error " << run.startError << ")";
        EXPECT_FALSE(run.timedOut);
        EXPECT_TRUE(sender.Signalled(0));
        EXPECT_EQ(0u, boxes.Count()) << ::testing::PrintToString(boxes.Dialogs());
    }
    ReleaseMutex(mutex);
    CloseHandle(mutex);

    EXPECT_EQ(drive.RawTarget(), drive.Current());
    // Nothing is saved by the task instance.
    EXPECT_TRUE(m_keys.settings.MatchesCurrent());
}

TEST_F(HandOffReceiver, RemovesTheDriveOfARemovalRequest)
{
    const wchar_t letter = FindUnusedDriveLetter();
    ASSERT_NE(0, letter);
    const TestDrive drive(letter, m_folder.Path());
    ASSERT_TRUE(DefineDosDeviceW(DDD_RAW_TARGET_PATH, DriveDevice(letter).c_str(), drive.RawTarget().c_str()));

    const TestSender sender(Text(HandOffRequest::Format(letter, nullptr, nullptr, nullptr, 0)));
    ASSERT_TRUE(sender.Ready());
    ProcessDialogWatcher boxes(IDOK);
    RunOptions options;
    options.dialogs = &boxes;
    const RunResult run = RunProgram(L"Lorvane.exe", {L"/UACTASK"}, options);
    ASSERT_TRUE(run.started) << " (start error " << run.startError << ")";
    EXPECT_TRUE(sender.Signalled(0));
    EXPECT_EQ(0u, boxes.Count()) << ::testing::PrintToString(boxes.Dialogs());
    EXPECT_EQ(L"", drive.Current());
}

TEST_F(HandOffReceiver, SignalsAlsoWhenTheRequestHoldsNoLetter)
{
    const TestSender sender(L"\"C:\\Data\" /BOGUS");
    ASSERT_TRUE(sender.Ready());
    ProcessDialogWatcher boxes(IDOK);
    RunOptions options;
    options.dialogs = &boxes;
    const RunResult run = RunProgram(L"Lorvane.exe", {L"/UACTASK"}, options);
    ASSERT_TRUE(run.started) << " (start error " << run.startError << ")";
    EXPECT_TRUE(sender.Signalled(0));
    EXPECT_EQ(0u, boxes.Count()) << ::testing::PrintToString(boxes.Dialogs());
}

TEST_F(HandOffReceiver, WithoutASenderReportsTheMissingBlock)
{
    // Another sender of this machine could be in the middle of a hand-off.
    HeldHandOffMutex noSender;
    ASSERT_TRUE(noSender.Held());
    const HANDLE existing = OpenFileMappingW(FILE_MAP_READ, FALSE, kHandOffBlockName);
    if (existing)
    {
        CloseHandle(existing);
        GTEST_SKIP() << "a hand-off block exists";
    }

    ProcessDialogWatcher boxes(IDOK);
    RunOptions options;
    options.dialogs = &boxes;
    const RunResult run = RunProgram(L"Lorvane.exe", {L"/UACTASK"}, options);
    ASSERT_TRUE(run.started) << " (start error " << run.startError << ")";
    EXPECT_FALSE(run.timedOut);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(L"OpenFileMapping failed.", boxes.Dialogs()[0].text);
}

TEST_F(HandOffReceiver, TwoSendersAtOnceAreServedOneAfterTheOther)
{
    const std::vector<wchar_t> letters = UnusedDriveLetters(2);
    ASSERT_EQ(2u, letters.size());
    const std::wstring folders[2] = {m_folder.CreateFolder(L"first"), m_folder.CreateFolder(L"second")};
    const TestDrive drives[2] = {{letters[0], folders[0]}, {letters[1], folders[1]}};

    ProcessDialogWatcher boxes(IDOK);
    ChildProcess instances[2];
    std::atomic<bool> taskStarted[2] = {{false}, {false}};
    std::atomic<bool> overlapped{false};
    BOOL sent[2] = {};
    auto send = [&](int i)
    {
        const CString request = HandOffRequest::Format(letters[i], folders[i].c_str(), nullptr, nullptr, Uac);
        sent[i] = SendHandOffRequest(request,
                                     [&, i]
                                     {
                                         // A sender holds the mutex until its answer came, and its
                                         // instance defines the drive before it answers: when the other
                                         // task already started, its drive must be there by now.
                                         const int other = 1 - i;
                                         if (taskStarted[other] && drives[other].Current() != drives[other].RawTarget())
                                             overlapped = true;
                                         taskStarted[i] = true;
                                         // The task: start an instance as the scheduler would.
                                         if (!instances[i].Start(L"Lorvane.exe", {L"/UACTASK"}))
                                             return HRESULT_FROM_WIN32(instances[i].StartError());
                                         boxes.Watch(instances[i].ProcessId());
                                         return S_OK;
                                     });
    };
    std::thread first(send, 0);
    std::thread second(send, 1);
    first.join();
    second.join();

    EXPECT_TRUE(sent[0]);
    EXPECT_TRUE(sent[1]);
    EXPECT_FALSE(overlapped) << "both senders were in the hand-off at the same time";
    for (ChildProcess& instance : instances)
        EXPECT_TRUE(instance.Wait());
    EXPECT_EQ(0u, boxes.Count()) << ::testing::PrintToString(boxes.Dialogs());
    // Each instance read its own request: one block at a time.
    EXPECT_EQ(drives[0].RawTarget(), drives[0].Current());
    EXPECT_EQ(drives[1].RawTarget(), drives[1].Current());
}

// ---------------------------------------------------------------------------
// The elevated copy that follows when the task does not run

// The command line of another (32-bit) process, read from its process
// parameters.
std::wstring CommandLineOf(HANDLE process)
{
    using QueryFn = LONG(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<QueryFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    if (!query || query(process, ProcessBasicInformation, &basic, sizeof(basic), nullptr) != 0)
        return {};
    PEB peb{};
    RTL_USER_PROCESS_PARAMETERS parameters{};
    if (!ReadProcessMemory(process, basic.PebBaseAddress, &peb, sizeof(peb), nullptr) ||
        !ReadProcessMemory(process, peb.ProcessParameters, &parameters, sizeof(parameters), nullptr))
        return {};
    std::wstring text(parameters.CommandLine.Length / sizeof(wchar_t), L'\0');
    if (!ReadProcessMemory(process, parameters.CommandLine.Buffer, &text[0], parameters.CommandLine.Length, nullptr))
        return {};
    // While a process starts, its parameters are moved into its own memory:
    // a read in between can see the length but not yet the characters.
    if (text.find(L'\0') != std::wstring::npos)
        return {};
    return text;
}

std::vector<DWORD> ChildrenOf(DWORD parentId)
{
    std::vector<DWORD> children;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return children;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
    {
        if (entry.th32ParentProcessID == parentId && _wcsicmp(entry.szExeFile, L"Lorvane.exe") == 0)
            children.push_back(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return children;
}

// Under Wine "runas" starts the copy with the caller's token, so a copy
// started from a process that is not elevated is not elevated either and
// would fall back again: the test ends the first copy as soon as it appears.
TEST(HandOffFallback, NonElevatedDriveWithRecycleBinStartsTheElevatedCopyWithNoSave)
{
    const DriveKeysSnapshot keys;
    const ScratchFolder folder;
    const wchar_t letter = FindUnusedDriveLetter();
    ASSERT_NE(0, letter);
    const TestDrive drive(letter, folder.Path());
    const std::wstring device = DriveDevice(letter);

    ProcessDialogWatcher boxes(IDOK);
    boxes.WatchDescendants();
    ChildProcessOptions limited;
    limited.limitedToken = true;
    ChildProcess program;
    ASSERT_TRUE(program.Start(L"Lorvane.exe", {L"/NOSAVE", device, folder.Path(), L"/RECYCLEBIN"}, limited))
        << program.StartError();
    boxes.Watch(program.ProcessId());

    // The task does not run (not registered, and Wine runs no task at all),
    // so the program starts its elevated copy and does not wait for it.
    DWORD copyId = 0;
    std::wstring copyCommandLine;
    WaitUntil([&]
    {
        for (DWORD id : ChildrenOf(program.ProcessId()))
        {
            const HANDLE copy = OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id);
            if (!copy)
                continue;
            copyCommandLine = CommandLineOf(copy);
            // A copy that has only just been made has no whole command line
            // in its memory yet (likely on a busy machine): look again shortly.
            if (copyCommandLine.empty())
            {
                CloseHandle(copy);
                continue;
            }
            TerminateProcess(copy, 0xDEAD);
            WaitForObject(copy);
            CloseHandle(copy);
            copyId = id;
            return true;
        }
        return false;
    });
    ASSERT_NE(0u, copyId) << "no elevated copy was started";
    EXPECT_TRUE(program.Wait());

    EXPECT_THAT(copyCommandLine,
                ::testing::EndsWith(L"/NOSAVE " + device + L" \"" + folder.Path() + L"\" /NOCREATE /RECYCLEBIN"));
    EXPECT_EQ(0u, boxes.Count()) << ::testing::PrintToString(boxes.Dialogs());
    // The program itself defined the drive in its own session.
    EXPECT_EQ(drive.RawTarget(), drive.Current());
}

TEST(HandOffFallback, ElevatedCopyCarriesOutTheRequestWithoutSaving)
{
    const DriveKeysSnapshot keys;
    const ScratchFolder folder;
    const wchar_t letter = FindUnusedDriveLetter();
    ASSERT_NE(0, letter);
    const TestDrive drive(letter, folder.Path());

    const CString parameters = HandOffRequest::FormatElevatedCopy(letter, folder.Path().c_str(), nullptr, nullptr, Uac);
    ASSERT_TRUE(StartElevatedProgram(ProgramPath(L"Lorvane.exe").c_str(), parameters));

    // This test runs elevated, so its copy is elevated and does not start
    // another one; it defines the drive and ends.
    EXPECT_TRUE(PumpMessagesUntil([&] { return drive.Current() == drive.RawTarget(); }));
    for (DWORD id : ChildrenOf(GetCurrentProcessId()))
    {
        const HANDLE copy = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id);
        if (copy && !WaitForObject(copy))
            TerminateProcess(copy, 0xDEAD);
        if (copy)
            CloseHandle(copy);
    }
    EXPECT_TRUE(keys.settings.MatchesCurrent()) << "the copy saved the drive";
}
}  // namespace
