#include "HelperMain.h"

#include <shellapi.h>
#include <cwchar>

namespace
{

constexpr wchar_t kMutexName[] = L"Global\\LorvaneRecycleBinKnownFolderHelper";
constexpr DWORD kMutexWaitMs = 5000;

struct HelperRequest
{
    bool enable = false;
    bool noRedirectUI = false;
    bool showResult = false;
    bool cleanUp = false;
    bool hasGivenId = false;
    GUID givenId{};
    wchar_t letter = 0;
};

// Accepts "p", "P" and "p:" but not "P:\".
bool ParseLetter(LPCWSTR token, wchar_t* letter)
{
    wchar_t c = token[0];
    if (c >= L'a' && c <= L'z')
        c = static_cast<wchar_t>(c - L'a' + L'A');
    if (c < L'A' || c > L'Z')
        return false;
    if (token[1] == 0 || (token[1] == L':' && token[2] == 0))
    {
        *letter = c;
        return true;
    }
    return false;
}

bool ParseCommandLine(LPCWSTR commandLine, HelperRequest* request)
{
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(commandLine, &count);
    if (!args)
        return false;
    bool valid = true;
    for (int i = 1; i < count && valid; ++i)
    {
        LPCWSTR token = args[i];
        if (token[0] == L'/' || token[0] == L'-')
        {
            LPCWSTR name = token + 1;
            if (_wcsicmp(name, L"C") == 0)
            {
                request->enable = true;
            }
            else if (_wcsicmp(name, L"R") == 0)
            {
                request->noRedirectUI = true;
            }
            else if (_wcsicmp(name, L"M") == 0)
            {
                request->showResult = true;
            }
            else if (_wcsicmp(name, L"L") == 0)
            {
                request->cleanUp = true;
            }
            else if (_wcsicmp(name, L"G") == 0 && i + 1 < count)
            {
                ++i;
                valid = SUCCEEDED(CLSIDFromString(args[i], &request->givenId));
                request->hasGivenId = valid;
            }
            else
            {
                valid = false;
            }
        }
        else
        {
            valid = ParseLetter(token, &request->letter);
        }
    }
    LocalFree(args);
    return valid && request->letter != 0;
}

// Runs the update under the machine-wide mutex; an instance that cannot get
// it in time gives up rather than race another one over the same folder.
HRESULT UpdateSerialised(const HelperRequest& request, REFKNOWNFOLDERID id, IKnownFolderManager* manager,
                         KnownFolderPathCreator createPath, bool* changed)
{
    *changed = false;
    HANDLE mutex = CreateMutexW(nullptr, FALSE, kMutexName);
    if (!mutex)
        return E_FAIL;
    HRESULT hr = E_FAIL;
    const DWORD wait = WaitForSingleObject(mutex, kMutexWaitMs);
    if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED)
    {
        hr = UpdateRecycleBinKnownFolder(request.letter, id, request.enable, request.noRedirectUI, request.cleanUp,
                                         changed, manager, createPath);
        ReleaseMutex(mutex);
    }
    CloseHandle(mutex);
    return hr;
}

void ShowResult(wchar_t letter, HRESULT hr, bool changed)
{
    wchar_t text[128];
    if (FAILED(hr))
        swprintf(text, 128, L"Failed to update %c: known folder (0x%08X).", letter, static_cast<unsigned>(hr));
    else
        swprintf(text, 128, L"%c: known folder %ls.", letter, changed ? L"updated" : L"is already current");
    MessageBoxW(nullptr, text, L"LorvaneHelper32", FAILED(hr) ? MB_ICONERROR : MB_ICONINFORMATION);
}

}  // namespace

int RunHelper(LPCWSTR commandLine, IKnownFolderManager* manager, KnownFolderPathCreator createPath)
{
    HelperRequest request;
    if (!ParseCommandLine(commandLine, &request))
        return HelperExitBadCommand;

    KNOWNFOLDERID id{};
    RecycleBinKnownFolderId(request.letter, &id);
    if (request.hasGivenId && !IsEqualGUID(id, request.givenId))
        return HelperExitBadCommand;

    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return HelperExitFailed;

    bool changed = false;
    const HRESULT hr = UpdateSerialised(request, id, manager, createPath, &changed);
    if (request.showResult)
        ShowResult(request.letter, hr, changed);

    CoUninitialize();
    if (FAILED(hr))
        return HelperExitFailed;
    return changed ? HelperExitChanged : HelperExitUnchanged;
}

int HelperMain()
{
    return RunHelper(GetCommandLineW());
}
