#pragma once
// A test double of the shell's known-folder manager. Wine's real manager
// stores no definition flags, lists no registered ids and cannot create a
// registered folder's path, so the matching, re-registration and clean-up
// logic is checked against this one: it keeps definitions in memory exactly
// as given and records every call that changes them.

#include <windows.h>
#include <shobjidl.h>

#include <map>
#include <string>
#include <vector>

struct FakeFolderDefinition
{
    KF_CATEGORY category = KF_CATEGORY_PERUSER;
    std::wstring name;
    std::wstring relativePath;
    DWORD flags = 0;
};

class FakeKnownFolderManager : public IKnownFolderManager
{
public:
    struct GuidLess
    {
        bool operator()(const GUID& a, const GUID& b) const { return memcmp(&a, &b, sizeof(GUID)) < 0; }
    };
    std::map<GUID, FakeFolderDefinition, GuidLess> folders;
    std::vector<GUID> registered;     // ids passed to RegisterFolder, in order
    std::vector<GUID> unregistered;   // ids passed to UnregisterFolder, in order
    HRESULT failGetFolderIds = S_OK;  // a failure to answer from GetFolderIds
    HRESULT failRegister = S_OK;      // a failure to answer from RegisterFolder

    void Add(const GUID& id, const std::wstring& name, const std::wstring& path, DWORD flags = 0,
             KF_CATEGORY category = KF_CATEGORY_PERUSER)
    {
        folders[id] = FakeFolderDefinition{category, name, path, flags};
    }

    // IUnknown: the double lives on the test's stack.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IKnownFolderManager))
        {
            *ppv = this;
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE FolderIdFromCsidl(int, KNOWNFOLDERID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FolderIdToCsidl(REFKNOWNFOLDERID, int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetFolderIds(KNOWNFOLDERID** ids, UINT* count) override
    {
        if (FAILED(failGetFolderIds))
            return failGetFolderIds;
        *count = static_cast<UINT>(folders.size());
        *ids = static_cast<KNOWNFOLDERID*>(CoTaskMemAlloc(sizeof(KNOWNFOLDERID) * (folders.size() + 1)));
        UINT i = 0;
        for (const auto& entry : folders)
            (*ids)[i++] = entry.first;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetFolder(REFKNOWNFOLDERID id, IKnownFolder** folder) override;
    HRESULT STDMETHODCALLTYPE GetFolderByName(LPCWSTR, IKnownFolder**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RegisterFolder(REFKNOWNFOLDERID id, const KNOWNFOLDER_DEFINITION* d) override
    {
        if (FAILED(failRegister))
            return failRegister;
        registered.push_back(id);
        folders[id] =
            FakeFolderDefinition{d->category, d->pszName ? d->pszName : L"",
                                 d->pszRelativePath ? d->pszRelativePath : L"", static_cast<DWORD>(d->kfdFlags)};
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE UnregisterFolder(REFKNOWNFOLDERID id) override
    {
        if (!folders.erase(id))
            return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
        unregistered.push_back(id);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE FindFolderFromPath(LPCWSTR, FFFP_MODE, IKnownFolder**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FindFolderFromIDList(PCIDLIST_ABSOLUTE, IKnownFolder**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Redirect(REFKNOWNFOLDERID, HWND, KF_REDIRECT_FLAGS, LPCWSTR, UINT, const KNOWNFOLDERID*,
                                       LPWSTR*) override
    {
        return E_NOTIMPL;
    }
};

class FakeKnownFolder final : public IKnownFolder
{
public:
    FakeKnownFolder(const GUID& id, const FakeFolderDefinition& d) : m_id(id), m_definition(d) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IKnownFolder))
        {
            *ppv = this;
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG refs = --m_refs;
        if (refs == 0)
            delete this;
        return refs;
    }
    HRESULT STDMETHODCALLTYPE GetId(KNOWNFOLDERID* id) override
    {
        *id = m_id;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetCategory(KF_CATEGORY* c) override
    {
        *c = m_definition.category;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetShellItem(DWORD, REFIID, void**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetPath(DWORD, LPWSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetPath(DWORD, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDList(DWORD, PIDLIST_ABSOLUTE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetFolderType(FOLDERTYPEID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetRedirectionCapabilities(KF_REDIRECTION_CAPABILITIES*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetFolderDefinition(KNOWNFOLDER_DEFINITION* d) override
    {
        ZeroMemory(d, sizeof(*d));
        d->category = m_definition.category;
        d->pszName = Copy(m_definition.name);
        d->pszRelativePath = Copy(m_definition.relativePath);
        d->kfdFlags = static_cast<KF_DEFINITION_FLAGS>(m_definition.flags);
        return S_OK;
    }

private:
    static LPWSTR Copy(const std::wstring& s)
    {
        auto* p = static_cast<LPWSTR>(CoTaskMemAlloc((s.size() + 1) * sizeof(wchar_t)));
        memcpy(p, s.c_str(), (s.size() + 1) * sizeof(wchar_t));
        return p;
    }
    GUID m_id;
    FakeFolderDefinition m_definition;
    ULONG m_refs = 1;
};

inline HRESULT STDMETHODCALLTYPE FakeKnownFolderManager::GetFolder(REFKNOWNFOLDERID id, IKnownFolder** folder)
{
    *folder = nullptr;
    const auto found = folders.find(id);
    if (found == folders.end())
        return E_INVALIDARG;  // what the system answers for an unregistered id
    *folder = new FakeKnownFolder(id, found->second);
    return S_OK;
}
