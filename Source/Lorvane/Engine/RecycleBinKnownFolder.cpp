#include "RecycleBinKnownFolder.h"

#include "DriveLetter.h"

#include <shlobj.h>

namespace
{

// Chosen once for Lorvane; only the last byte varies with the letter.
constexpr KNOWNFOLDERID kRecycleBinFolderBase = {
    0xB580AD47, 0x1F63, 0x49D6, {0x88, 0xA6, 0x4F, 0xF8, 0xC0, 0x9D, 0x33, 0x00}};

constexpr DWORD kNoRedirectUI = 0x40;  // KFDF_NO_REDIRECT_UI

bool SameTextIgnoringCase(LPCWSTR a, LPCWSTR b)
{
    if (!a || !b)
        return false;
    return CompareStringOrdinal(a, -1, b, -1, TRUE) == CSTR_EQUAL;
}

// Owns the strings of a definition read from the manager.
struct FolderDefinition
{
    KNOWNFOLDER_DEFINITION fields{};
    ~FolderDefinition() { FreeKnownFolderDefinitionFields(&fields); }
};

template <class T>
struct ComRef
{
    T* p = nullptr;
    ~ComRef()
    {
        if (p)
            p->Release();
    }
    T** operator&() { return &p; }
    T* operator->() const { return p; }
};

HRESULT ReadDefinition(IKnownFolderManager* manager, REFKNOWNFOLDERID id, FolderDefinition* definition)
{
    ComRef<IKnownFolder> folder;
    HRESULT hr = manager->GetFolder(id, &folder);
    if (FAILED(hr))
        return hr;
    if (!folder.p)
        return E_UNEXPECTED;
    return folder->GetFolderDefinition(&definition->fields);
}

bool IsNotRegistered(HRESULT hr)
{
    return hr == E_INVALIDARG || hr == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
}

// Removes every other id whose relative path is the same drive root, left
// behind by older versions with other ids.
HRESULT RemoveStaleDefinitions(IKnownFolderManager* manager, REFKNOWNFOLDERID ownId, LPCWSTR relativePath,
                               bool* changed)
{
    KNOWNFOLDERID* ids = nullptr;
    UINT count = 0;
    HRESULT hr = manager->GetFolderIds(&ids, &count);
    if (FAILED(hr))
        return hr;
    for (UINT i = 0; i < count && SUCCEEDED(hr); ++i)
    {
        if (IsEqualGUID(ids[i], ownId))
            continue;
        FolderDefinition definition;
        hr = ReadDefinition(manager, ids[i], &definition);
        if (FAILED(hr))
            break;
        if (SameTextIgnoringCase(definition.fields.pszRelativePath, relativePath))
        {
            hr = manager->UnregisterFolder(ids[i]);
            if (SUCCEEDED(hr))
                *changed = true;
        }
    }
    CoTaskMemFree(ids);
    return hr;
}

}  // namespace

bool RecycleBinKnownFolderId(wchar_t letter, KNOWNFOLDERID* id)
{
    const wchar_t upper = UpperDriveLetter(letter);
    if (upper < L'A' || upper > L'Z')
        return false;
    *id = kRecycleBinFolderBase;
    id->Data4[7] = static_cast<BYTE>((upper - 0x74) & 0xFF);
    return true;
}

HRESULT CreateKnownFolderPath(REFKNOWNFOLDERID id)
{
    PWSTR path = nullptr;
    const HRESULT hr = SHGetKnownFolderPath(id, KF_FLAG_CREATE | KF_FLAG_INIT, nullptr, &path);
    CoTaskMemFree(path);
    return hr;
}

HRESULT UpdateRecycleBinKnownFolder(wchar_t letter, REFKNOWNFOLDERID id, bool enable, bool noRedirectUI, bool cleanUp,
                                    bool* changed, IKnownFolderManager* manager, KnownFolderPathCreator createPath)
{
    *changed = false;
    const wchar_t upper = UpperDriveLetter(letter);
    if (upper < L'A' || upper > L'Z')
        return E_INVALIDARG;

    ComRef<IKnownFolderManager> created;
    if (!manager)
    {
        const HRESULT hr = CoCreateInstance(CLSID_KnownFolderManager, nullptr, CLSCTX_INPROC_SERVER,
                                            IID_IKnownFolderManager, reinterpret_cast<void**>(&created));
        if (FAILED(hr))
            return hr;
        manager = created.p;
    }

    wchar_t name[] = L"X_Drive_Lorvane";
    wchar_t relativePath[] = L"X:\\";
    name[0] = upper;
    relativePath[0] = upper;
    const DWORD wantedFlags = noRedirectUI ? kNoRedirectUI : 0;

    bool matchingStays = false;
    {
        FolderDefinition current;
        HRESULT hr = ReadDefinition(manager, id, &current);
        if (SUCCEEDED(hr))
        {
            const KNOWNFOLDER_DEFINITION& d = current.fields;
            const bool matches = d.category == KF_CATEGORY_PERUSER && SameTextIgnoringCase(d.pszName, name) &&
                                 SameTextIgnoringCase(d.pszRelativePath, relativePath) &&
                                 (d.kfdFlags & kNoRedirectUI) == wantedFlags;
            if (!enable || !matches)
            {
                hr = manager->UnregisterFolder(id);
                if (FAILED(hr))
                    return hr;
                *changed = true;
            }
            else
            {
                matchingStays = true;
            }
        }
        else if (!IsNotRegistered(hr))
        {
            return hr;
        }
    }

    if (cleanUp)
    {
        const HRESULT hr = RemoveStaleDefinitions(manager, id, relativePath, changed);
        if (FAILED(hr))
            return hr;
    }

    if (enable && !matchingStays)
    {
        KNOWNFOLDER_DEFINITION definition{};
        definition.category = KF_CATEGORY_PERUSER;
        definition.pszName = name;
        definition.pszRelativePath = relativePath;
        definition.kfdFlags = wantedFlags;
        const HRESULT hr = manager->RegisterFolder(id, &definition);
        if (FAILED(hr))
            return hr;
        *changed = true;
    }

    // The shell creates the folder on the drive only when asked for its path;
    // without that the drive's recycle bin is not usable until the next logon.
    if (enable && *changed && createPath)
        return createPath(id);
    return S_OK;
}

HRESULT UpdateRecycleBinKnownFolder(wchar_t letter, bool enable, bool noRedirectUI, bool cleanUp, bool* changed)
{
    KNOWNFOLDERID id{};
    if (!RecycleBinKnownFolderId(letter, &id))
    {
        *changed = false;
        return E_INVALIDARG;
    }
    return UpdateRecycleBinKnownFolder(letter, id, enable, noRedirectUI, cleanUp, changed);
}
