#pragma once
// A folder of its own for one test: created empty under %TEMP% with a unique
// name, removed with everything in it (read-only files too) when the object
// goes away.
#include <string>

class ScratchFolder
{
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder's full path, without a trailing backslash.
    const std::wstring& Path() const { return m_path; }
    // Path() + "\" + relative.
    std::wstring PathOf(const std::wstring& relative) const;

    // Creates a sub-folder (and its parents); returns its full path.
    std::wstring CreateFolder(const std::wstring& relative) const;
    // Writes a file (creating its folders); returns its full path.
    std::wstring WriteFile(const std::wstring& relative, const std::string& contents) const;
    // Reads a whole file; false when it cannot be read.
    bool ReadFile(const std::wstring& relative, std::string& contents) const;
    bool Exists(const std::wstring& relative) const;

private:
    std::wstring m_path;
};

// Deletes a file or a folder tree, clearing read-only attributes on the way.
// True when nothing is left at the path.
bool RemovePathRecursively(const std::wstring& path);
