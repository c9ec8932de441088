#include "ElevationTask.h"

#include "EngineText.h"

#include "ScopedHandle.h"

#include <memory>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace
{
// A BSTR that is freed at the end of its scope.
class ScopedBstr
{
public:
    explicit ScopedBstr(LPCWSTR text) : m_bstr(::SysAllocString(text)) {}
    ~ScopedBstr() { ::SysFreeString(m_bstr); }
    ScopedBstr(const ScopedBstr&) = delete;
    ScopedBstr& operator=(const ScopedBstr&) = delete;
    operator BSTR() const { return m_bstr; }

private:
    BSTR m_bstr = nullptr;
};

VARIANT EmptyVariant()
{
    VARIANT v{};
    ::VariantInit(&v);
    return v;
}

// The task service connected to this machine as the current user, and its
// root folder.
HRESULT OpenRootTaskFolder(ComPtr<ITaskService>& service, ComPtr<ITaskFolder>& folder)
{
    HRESULT hr = ::CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskService,
                                    reinterpret_cast<void**>(service.GetAddressOf()));
    if (FAILED(hr))
        return hr;
    hr = service->Connect(EmptyVariant(), EmptyVariant(), EmptyVariant(), EmptyVariant());
    if (FAILED(hr))
        return hr;
    const ScopedBstr root(L"\\");
    return service->GetFolder(root, folder.GetAddressOf());
}

// Our task as found in the root folder, held together with the service and
// folder it came from so that all three live as long as the caller needs.
struct ElevationTaskLookup
{
    ComPtr<ITaskService> service;
    ComPtr<ITaskFolder> folder;
    ComPtr<IRegisteredTask> task;
    HRESULT taskResult = E_FAIL;
};

// Opens the root folder and looks our task up in it. The result says whether
// the folder could be opened; whether the task is there is kept apart in
// `taskResult`, because deleting a missing task is already done while running
// one is an error.
HRESULT LookUpElevationTask(ElevationTaskLookup& lookup)
{
    const HRESULT hr = OpenRootTaskFolder(lookup.service, lookup.folder);
    if (FAILED(hr))
        return hr;
    const ScopedBstr name(kElevationTaskName);
    lookup.taskResult = lookup.folder->GetTask(name, lookup.task.GetAddressOf());
    return S_OK;
}
}  // namespace

BOOL IsAdministratorsMember()
{
    DWORD size = 0;
    std::unique_ptr<BYTE[]> buffer;
    {
        CScopedHandle token;
        if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_READ, token.Receive()))
            return FALSE;
        ::GetTokenInformation(token, TokenGroups, nullptr, 0, &size);
        if (size == 0)
            return FALSE;
        buffer.reset(new BYTE[size]);
        if (!::GetTokenInformation(token, TokenGroups, buffer.get(), size, &size))
            return FALSE;
    }

    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!::AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0,
                                    0, 0, &administrators))
        return FALSE;

    // The attributes are not looked at: a filtered administrator token holds
    // the group for deny only, and the user still counts as an administrator.
    const TOKEN_GROUPS* groups = reinterpret_cast<const TOKEN_GROUPS*>(buffer.get());
    BOOL member = FALSE;
    for (DWORD i = 0; i < groups->GroupCount && !member; ++i)
        member = ::EqualSid(groups->Groups[i].Sid, administrators);
    ::FreeSid(administrators);
    return member;
}

BOOL IsProcessElevated()
{
    CScopedHandle token;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, token.Receive()))
    {
        ShowEngineMessage(L"OpenProcessToken failed.");
        return FALSE;
    }
    TOKEN_ELEVATION_TYPE type = TokenElevationTypeDefault;
    DWORD size = 0;
    if (!::GetTokenInformation(token, TokenElevationType, &type, sizeof(type), &size))
    {
        ShowEngineMessage(L"GetTokenInformation failed.");
        return FALSE;
    }
    switch (type)
    {
    case TokenElevationTypeFull:
        return TRUE;
    case TokenElevationTypeDefault:
        // No split token: UAC is off or this is the built-in administrator.
        return IsAdministratorsMember();
    default:
        return FALSE;
    }
}

void DescribeElevationTaskRegistration(IRegistrationInfo* info)
{
    const ScopedBstr author(L"Quentara Software");
    const ScopedBstr description(
        L"Allows Lorvane to create virtual drives for elevated applications without any UAC prompts.");
    info->put_Author(author);
    info->put_Description(description);
}

HRESULT DescribeElevationTaskPrincipal(IPrincipal* principal)
{
    const ScopedBstr id(L"Principal1");
    HRESULT hr = principal->put_Id(id);
    if (SUCCEEDED(hr))
        hr = principal->put_LogonType(TASK_LOGON_INTERACTIVE_TOKEN);
    if (SUCCEEDED(hr))
        hr = principal->put_RunLevel(TASK_RUNLEVEL_HIGHEST);
    return hr;
}

HRESULT DescribeElevationTaskSettings(ITaskSettings* settings)
{
    const ScopedBstr noLimit(L"PT0S");
    HRESULT hr = settings->put_AllowDemandStart(VARIANT_TRUE);
    if (SUCCEEDED(hr))
        hr = settings->put_ExecutionTimeLimit(noLimit);
    if (SUCCEEDED(hr))
        hr = settings->put_MultipleInstances(TASK_INSTANCES_PARALLEL);
    if (SUCCEEDED(hr))
        hr = settings->put_StartWhenAvailable(VARIANT_FALSE);
    if (SUCCEEDED(hr))
        hr = settings->put_Priority(5);
    if (SUCCEEDED(hr))
        hr = settings->put_DisallowStartIfOnBatteries(VARIANT_FALSE);
    if (SUCCEEDED(hr))
        hr = settings->put_StopIfGoingOnBatteries(VARIANT_FALSE);
    if (SUCCEEDED(hr))
        hr = settings->put_AllowHardTerminate(VARIANT_FALSE);
    if (SUCCEEDED(hr))
        hr = settings->put_RunOnlyIfIdle(VARIANT_FALSE);
    if (SUCCEEDED(hr))
        hr = settings->put_RunOnlyIfNetworkAvailable(VARIANT_FALSE);
    if (SUCCEEDED(hr))
        hr = settings->put_Enabled(VARIANT_TRUE);
    return hr;
}

HRESULT AddElevationTaskAction(ITaskDefinition* definition, LPCWSTR program)
{
    ComPtr<IActionCollection> actions;
    HRESULT hr = definition->get_Actions(actions.GetAddressOf());
    if (FAILED(hr))
        return hr;
    ComPtr<IAction> action;
    hr = actions->Create(TASK_ACTION_EXEC, action.GetAddressOf());
    if (FAILED(hr))
        return hr;
    ComPtr<IExecAction> exec;
    hr = action->QueryInterface(IID_IExecAction, reinterpret_cast<void**>(exec.GetAddressOf()));
    if (FAILED(hr))
        return hr;
    const ScopedBstr path(program);
    const ScopedBstr arguments(L"/UACTASK");
    exec->put_Path(path);
    exec->put_Arguments(arguments);
    return S_OK;
}

HRESULT RegisterElevationTask()
{
    ComPtr<ITaskService> service;
    ComPtr<ITaskFolder> folder;
    HRESULT hr = OpenRootTaskFolder(service, folder);
    if (FAILED(hr))
        return hr;

    const ScopedBstr name(kElevationTaskName);
    // Registering replaces the task; a task that is not there is no error.
    folder->DeleteTask(name, 0);

    ComPtr<ITaskDefinition> definition;
    hr = service->NewTask(0, definition.GetAddressOf());
    if (FAILED(hr))
        return hr;

    ComPtr<IRegistrationInfo> info;
    if (SUCCEEDED(definition->get_RegistrationInfo(info.GetAddressOf())))
        DescribeElevationTaskRegistration(info.Get());

    ComPtr<IPrincipal> principal;
    hr = definition->get_Principal(principal.GetAddressOf());
    if (SUCCEEDED(hr))
        hr = DescribeElevationTaskPrincipal(principal.Get());
    if (FAILED(hr))
        return hr;

    ComPtr<ITaskSettings> settings;
    hr = definition->get_Settings(settings.GetAddressOf());
    if (SUCCEEDED(hr))
        hr = DescribeElevationTaskSettings(settings.Get());
    if (FAILED(hr))
        return hr;

    WCHAR program[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, program, MAX_PATH);
    hr = AddElevationTaskAction(definition.Get(), program);
    if (FAILED(hr))
        return hr;

    VARIANT sddl{};
    ::VariantInit(&sddl);
    sddl.vt = VT_BSTR;
    sddl.bstrVal = ::SysAllocString(L"");
    ComPtr<IRegisteredTask> registered;
    hr = folder->RegisterTaskDefinition(name, definition.Get(), TASK_CREATE_OR_UPDATE, EmptyVariant(), EmptyVariant(),
                                        TASK_LOGON_INTERACTIVE_TOKEN, sddl, registered.GetAddressOf());
    ::VariantClear(&sddl);
    return FAILED(hr) ? hr : S_OK;
}

HRESULT DeleteElevationTask()
{
    ElevationTaskLookup lookup;
    HRESULT hr = LookUpElevationTask(lookup);
    if (FAILED(hr))
        return hr;
    if (FAILED(lookup.taskResult))
        return S_OK;

    const ScopedBstr name(kElevationTaskName);
    hr = lookup.folder->DeleteTask(name, 0);
    return FAILED(hr) ? hr : S_OK;
}

HRESULT RunElevationTask()
{
    ElevationTaskLookup lookup;
    HRESULT hr = LookUpElevationTask(lookup);
    if (FAILED(hr))
        return hr;
    if (FAILED(lookup.taskResult))
        return lookup.taskResult;

    ComPtr<IRunningTask> running;
    hr = lookup.task->Run(EmptyVariant(), running.GetAddressOf());
    return FAILED(hr) ? hr : S_OK;
}
