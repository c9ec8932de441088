// The scheduled task "LorvaneUAC" and the token queries.
#include "Framework.h"

#include "ElevationTask.h"
#include "TestSupport.h"

#include <gmock/gmock.h>
#include <wrl/client.h>

#include <functional>

using Microsoft::WRL::ComPtr;

namespace
{
constexpr wchar_t kLimitedChildSwitch[] = L"--lorvane-limited-token-child";

class ComScope
{
public:
    ComScope() : m_hr(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope()
    {
        if (SUCCEEDED(m_hr))
            CoUninitialize();
    }

private:
    HRESULT m_hr;
};

class Bstr
{
public:
    Bstr() = default;
    explicit Bstr(const wchar_t* text) : m_bstr(SysAllocString(text)) {}
    ~Bstr() { SysFreeString(m_bstr); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR* Receive() { return &m_bstr; }
    operator BSTR() const { return m_bstr; }
    std::wstring Text() const { return m_bstr ? std::wstring(m_bstr) : std::wstring(); }

private:
    BSTR m_bstr = nullptr;
};

VARIANT Empty()
{
    VARIANT v{};
    VariantInit(&v);
    return v;
}

// ---------------------------------------------------------------------------
// Token queries

TEST(TokenQueries, ProgramStartedByWineIsElevatedAndAnAdministrator)
{
    // Wine gives every program it starts a full administrator token.
    EXPECT_TRUE(IsProcessElevated());
    EXPECT_TRUE(IsAdministratorsMember());
}

// Runs in a copy of this test program started with the limited (linked)
// token; disabled in the normal run.
TEST(TokenQueriesInLimitedChild, DISABLED_LimitedTokenIsNotElevatedButStillAnAdministrator)
{
    ASSERT_NE(nullptr, wcsstr(GetCommandLineW(), kLimitedChildSwitch));
    DialogCapture boxes(IDOK);
    EXPECT_FALSE(IsProcessElevated());
    // The filtered token keeps the group for deny only: still a member.
    EXPECT_TRUE(IsAdministratorsMember());
    EXPECT_EQ(0u, boxes.Count());
}

TEST(TokenQueries, LimitedTokenIsNotElevatedButStillAnAdministrator)
{
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    RunOptions options;
    options.limitedToken = true;
    const RunResult run = RunProgram(
        self, {L"--gtest_filter=TokenQueriesInLimitedChild.*", L"--gtest_also_run_disabled_tests", kLimitedChildSwitch},
        options);
    ASSERT_TRUE(run.started) << run.startError;
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(0u, run.exitCode) << "the checks in the limited child failed";
}

// ---------------------------------------------------------------------------
// The task definition, piece by piece on Wine's own objects

class ElevationTaskDefinition : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskService,
                                                  reinterpret_cast<void**>(m_service.GetAddressOf())));
        ASSERT_HRESULT_SUCCEEDED(m_service->Connect(Empty(), Empty(), Empty(), Empty()));
        ASSERT_HRESULT_SUCCEEDED(m_service->NewTask(0, m_definition.GetAddressOf()));
    }

    ComScope m_com;
    ComPtr<ITaskService> m_service;
    ComPtr<ITaskDefinition> m_definition;
};

struct SettingCase
{
    const char* name;
    std::function<HRESULT(ITaskSettings*, long*)> read;
    long expected;
};

long Flag(VARIANT_BOOL value)
{
    return value == VARIANT_TRUE ? 1 : 0;
}

template <typename Getter>
std::function<HRESULT(ITaskSettings*, long*)> ReadBool(Getter getter)
{
    return [getter](ITaskSettings* settings, long* value)
    {
        VARIANT_BOOL flag = VARIANT_FALSE;
        const HRESULT hr = (settings->*getter)(&flag);
        *value = Flag(flag);
        return hr;
    };
}

TEST_F(ElevationTaskDefinition, SettingsAllowDemandStartWithoutLimitsOrConditions)
{
    ComPtr<ITaskSettings> settings;
    ASSERT_HRESULT_SUCCEEDED(m_definition->get_Settings(settings.GetAddressOf()));
    ASSERT_HRESULT_SUCCEEDED(DescribeElevationTaskSettings(settings.Get()));

    const SettingCase cases[] = {
        {"AllowDemandStart", ReadBool(&ITaskSettings::get_AllowDemandStart), 1},
        {"MultipleInstancesParallel",
         [](ITaskSettings* s, long* v)
         {
             TASK_INSTANCES_POLICY policy = TASK_INSTANCES_IGNORE_NEW;
             const HRESULT hr = s->get_MultipleInstances(&policy);
             *v = policy;
             return hr;
         },
         TASK_INSTANCES_PARALLEL},
        {"StartWhenAvailable", ReadBool(&ITaskSettings::get_StartWhenAvailable), 0},
        {"Priority",
         [](ITaskSettings* s, long* v)
         {
             int priority = 0;
             const HRESULT hr = s->get_Priority(&priority);
             *v = priority;
             return hr;
         },
         5},
        {"DisallowStartIfOnBatteries", ReadBool(&ITaskSettings::get_DisallowStartIfOnBatteries), 0},
        {"StopIfGoingOnBatteries", ReadBool(&ITaskSettings::get_StopIfGoingOnBatteries), 0},
        {"AllowHardTerminate", ReadBool(&ITaskSettings::get_AllowHardTerminate), 0},
        {"RunOnlyIfIdle", ReadBool(&ITaskSettings::get_RunOnlyIfIdle), 0},
        {"RunOnlyIfNetworkAvailable", ReadBool(&ITaskSettings::get_RunOnlyIfNetworkAvailable), 0},
        {"Enabled", ReadBool(&ITaskSettings::get_Enabled), 1},
    };
    for (const SettingCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        long value = -1;
        ASSERT_HRESULT_SUCCEEDED(c.read(settings.Get(), &value));
        EXPECT_EQ(c.expected, value);
    }
    Bstr limit;
    ASSERT_HRESULT_SUCCEEDED(settings->get_ExecutionTimeLimit(limit.Receive()));
    EXPECT_EQ(L"PT0S", limit.Text());
}

TEST_F(ElevationTaskDefinition, RegistrationInfoNamesAuthorAndPurpose)
{
    ComPtr<IRegistrationInfo> info;
    ASSERT_HRESULT_SUCCEEDED(m_definition->get_RegistrationInfo(info.GetAddressOf()));
    DescribeElevationTaskRegistration(info.Get());

    Bstr author;
    Bstr description;
    ASSERT_HRESULT_SUCCEEDED(info->get_Author(author.Receive()));
    ASSERT_HRESULT_SUCCEEDED(info->get_Description(description.Receive()));
    EXPECT_EQ(L"Quentara Software", author.Text());
    EXPECT_EQ(L"Allows Lorvane to create virtual drives for elevated applications without any UAC prompts.",
              description.Text());
}

// Wine's principal refuses the logon type and the run level (E_NOTIMPL), so
// the principal is checked against a recording double.
class RecordingPrincipal : public IPrincipal
{
public:
    std::wstring id;
    TASK_LOGON_TYPE logonType = TASK_LOGON_NONE;
    TASK_RUNLEVEL_TYPE runLevel = TASK_RUNLEVEL_LUA;
    HRESULT runLevelResult = S_OK;
    int calls = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IPrincipal)
        {
            *object = this;
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_Id(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Id(BSTR value) override
    {
        ++calls;
        id = value ? value : L"";
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_DisplayName(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_DisplayName(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_UserId(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_UserId(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_LogonType(TASK_LOGON_TYPE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_LogonType(TASK_LOGON_TYPE value) override
    {
        ++calls;
        logonType = value;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_GroupId(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_GroupId(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_RunLevel(TASK_RUNLEVEL_TYPE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_RunLevel(TASK_RUNLEVEL_TYPE value) override
    {
        ++calls;
        runLevel = value;
        return runLevelResult;
    }
};

TEST(ElevationTaskPrincipal, RunsWithTheInteractiveTokenAtTheHighestLevel)
{
    RecordingPrincipal principal;
    EXPECT_HRESULT_SUCCEEDED(DescribeElevationTaskPrincipal(&principal));
    EXPECT_EQ(L"Principal1", principal.id);
    EXPECT_EQ(TASK_LOGON_INTERACTIVE_TOKEN, principal.logonType);
    EXPECT_EQ(TASK_RUNLEVEL_HIGHEST, principal.runLevel);
}

TEST(ElevationTaskPrincipal, RefusedRunLevelIsReturned)
{
    RecordingPrincipal principal;
    principal.runLevelResult = E_ACCESSDENIED;
    EXPECT_EQ(E_ACCESSDENIED, DescribeElevationTaskPrincipal(&principal));
}

// ---------------------------------------------------------------------------
// Registration and deletion in Wine's task folder

class ElevationTaskFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskService,
                                                  reinterpret_cast<void**>(m_service.GetAddressOf())));
        ASSERT_HRESULT_SUCCEEDED(m_service->Connect(Empty(), Empty(), Empty(), Empty()));
        const Bstr root(L"\\");
        ASSERT_HRESULT_SUCCEEDED(m_service->GetFolder(root, m_folder.GetAddressOf()));
    }

    bool TaskExists()
    {
        const Bstr name(kElevationTaskName);
        ComPtr<IRegisteredTask> task;
        return SUCCEEDED(m_folder->GetTask(name, task.GetAddressOf()));
    }

    // Registers the task as the program does, except for the principal's
    // logon type and run level, which Wine cannot store.
    HRESULT RegisterWithoutPrincipal()
    {
        ComPtr<ITaskDefinition> definition;
        HRESULT hr = m_service->NewTask(0, definition.GetAddressOf());
        ComPtr<ITaskSettings> settings;
        if (SUCCEEDED(hr))
            hr = definition->get_Settings(settings.GetAddressOf());
        if (SUCCEEDED(hr))
            hr = DescribeElevationTaskSettings(settings.Get());
        if (SUCCEEDED(hr))
            hr = AddElevationTaskAction(definition.Get(), ProgramPath(L"Lorvane.exe").c_str());
        if (FAILED(hr))
            return hr;
        const Bstr name(kElevationTaskName);
        VARIANT sddl = Empty();
        sddl.vt = VT_BSTR;
        sddl.bstrVal = SysAllocString(L"");
        ComPtr<IRegisteredTask> registered;
        hr = m_folder->RegisterTaskDefinition(name, definition.Get(), TASK_CREATE_OR_UPDATE, Empty(), Empty(),
                                              TASK_LOGON_INTERACTIVE_TOKEN, sddl, registered.GetAddressOf());
        VariantClear(&sddl);
        return hr;
    }

    ComScope m_com;
    ComPtr<ITaskService> m_service;
    ComPtr<ITaskFolder> m_folder;
};

TEST_F(ElevationTaskFolder, DeleteRemovesTheTaskAndAMissingTaskIsNoError)
{
    ASSERT_HRESULT_SUCCEEDED(RegisterWithoutPrincipal());
    ASSERT_TRUE(TaskExists());

    EXPECT_EQ(S_OK, DeleteElevationTask());
    EXPECT_FALSE(TaskExists());
    EXPECT_EQ(S_OK, DeleteElevationTask());
}

TEST_F(ElevationTaskFolder, OneActionStartsTheProgramAsTaskInstance)
{
    ASSERT_HRESULT_SUCCEEDED(RegisterWithoutPrincipal());
    const Bstr name(kElevationTaskName);
    ComPtr<IRegisteredTask> task;
    ASSERT_HRESULT_SUCCEEDED(m_folder->GetTask(name, task.GetAddressOf()));
    // Wine's action collection cannot count or hand out its actions, and
    // the task it stores keeps an Exec action without its command and
    // arguments: only the one Exec action can be seen here.
    Bstr xml;
    ASSERT_HRESULT_SUCCEEDED(task->get_Xml(xml.Receive()));
    DeleteElevationTask();

    const std::wstring text = xml.Text();
    size_t actions = 0;
    for (const wchar_t* tag : {L"<Exec>", L"<Exec/>", L"<ComHandler", L"<SendEmail", L"<ShowMessage"})
    {
        for (size_t at = text.find(tag); at != std::wstring::npos; at = text.find(tag, at + 1))
            ++actions;
    }
    EXPECT_EQ(1u, actions) << text;
    EXPECT_NE(std::wstring::npos, text.find(L"<Exec")) << text;
}

TEST_F(ElevationTaskFolder, RunOfAMissingTaskFails)
{
    ASSERT_EQ(S_OK, DeleteElevationTask());
    EXPECT_TRUE(FAILED(RunElevationTask()));
}

// Wine cannot set the principal's run level; the failure of that call must
// come back from the registration, and no task may be left half-registered.
TEST_F(ElevationTaskFolder, RegisterReturnsAFailingPrincipalCallAndRegistersNothing)
{
    ASSERT_HRESULT_SUCCEEDED(RegisterWithoutPrincipal());

    ComPtr<ITaskDefinition> probe;
    ASSERT_HRESULT_SUCCEEDED(m_service->NewTask(0, probe.GetAddressOf()));
    ComPtr<IPrincipal> principal;
    ASSERT_HRESULT_SUCCEEDED(probe->get_Principal(principal.GetAddressOf()));
    const HRESULT principalResult = DescribeElevationTaskPrincipal(principal.Get());
    if (SUCCEEDED(principalResult))
        GTEST_SKIP() << "this Task Scheduler stores the run level";

    EXPECT_EQ(principalResult, RegisterElevationTask());
    // Registering deletes the old task first.
    EXPECT_FALSE(TaskExists());
}
}  // namespace
