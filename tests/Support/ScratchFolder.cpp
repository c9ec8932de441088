#include "ScratchFolder.h"

#include "UniqueName.h"

#include <windows.h>

#include <stdexcept>

namespace
{

std::wstring TempFolder()
{
    wchar_t buffer[MAX_PATH + 1]{};
    const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    std::wstring path(buffer, length);
    while (!path.empty() && path.back() == L'\\')
        path.pop_back();
    return path;
}

bool CreateFolderTree(const std::wstring& path)
{
    if (CreateDirectoryW(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS)
        return true;
    const size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos || GetLastError() != ERROR_PATH_NOT_FOUND)
        return false;
    if (!CreateFolderTree(path.substr(0, slash)))
        return false;
    return CreateDirectoryW(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace

bool RemovePathRecursively(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return true;
    if (attributes & FILE_ATTRIBUTE_READONLY)
        SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);

    // A reparse point is removed itself, never followed: it may lead out of
    // the scratch folder.
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
    {
        WIN32_FIND_DATAW data{};
        const HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE)
        {
            do
            {
                const std::wstring name = data.cFileName;
                if (name != L"." && name != L"..")
                    RemovePathRecursively(path + L"\\" + name);
            } while (FindNextFileW(find, &data));
            FindClose(find);
        }
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveDirectoryW(path.c_str());
    else
        DeleteFileW(path.c_str());
    return GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

ScratchFolder::ScratchFolder() : m_path(TempFolder() + L"\\LorvaneTest-" + UniqueTestName())
{
    if (!CreateFolderTree(m_path))
        throw std::runtime_error("cannot create the scratch folder");
}

ScratchFolder::~ScratchFolder()
{
    RemovePathRecursively(m_path);
}

std::wstring ScratchFolder::PathOf(const std::wstring& relative) const
{
    return relative.empty() ? m_path : m_path + L"\\" + relative;
}

std::wstring ScratchFolder::CreateFolder(const std::wstring& relative) const
{
    const std::wstring path = PathOf(relative);
    CreateFolderTree(path);
    return path;
}

std::wstring ScratchFolder::WriteFile(const std::wstring& relative, const std::string& contents) const
{
    const std::wstring path = PathOf(relative);
    const size_t slash = path.find_last_of(L'\\');
    CreateFolderTree(path.substr(0, slash));
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot write a file in the scratch folder");
    DWORD written = 0;
    ::WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
    CloseHandle(file);
    return path;
}

bool ScratchFolder::ReadFile(const std::wstring& relative, std::string& contents) const
{
    const HANDLE file = CreateFileW(PathOf(relative).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    contents.clear();
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        contents.append(buffer, read);
    CloseHandle(file);
    return true;
}

bool ScratchFolder::Exists(const std::wstring& relative) const
{
    return GetFileAttributesW(PathOf(relative).c_str()) != INVALID_FILE_ATTRIBUTES;
}
