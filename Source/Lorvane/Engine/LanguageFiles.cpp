// Language files: "lang\<name>.xml" beside the executable replaces the
// program's strings, menus and dialogs by id. The file named by the saved
// "LangFile" is loaded at start-up; one that fails to load or whose format
// version (string 1) is not the current one gives the built-in texts.
#include "LorvaneApp.h"

#include "DriveRegistry.h"
#include "PathServices.h"
#include "MainWindowServices.h"
#include "resource.h"
#include "Foundation/PropExchangeXMLNode.h"
#include "Foundation/ResourceManagerXML.h"

#include <shlwapi.h>

namespace
{
// The format version a language file must carry as string 1.
constexpr LPCWSTR kCurrentLanguageFormat = L"6";
constexpr int kLanguageFileExtensionLength = 4;  // ".xml"

// "LangFile" as the settings store it: REG_SZ or REG_EXPAND_SZ of at most 260
// characters with its terminating zero; a longer value, another type or a
// missing zero counts as missing.
bool ReadLangFileValue(HKEY key, CString& value)
{
    WCHAR buffer[260] = {};
    DWORD type = REG_NONE;
    DWORD size = sizeof(buffer);
    if (RegQueryValueExW(key, L"LangFile", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return false;
    if (size == 0)
    {
        value.Empty();
        return true;
    }
    if (size % sizeof(WCHAR) != 0 || buffer[size / sizeof(WCHAR) - 1] != L'\0')
        return false;
    value = buffer;
    return true;
}

// A language is a file name in the "lang" folder; a saved name that reaches
// elsewhere (a folder or drive part) names no language.
bool IsPlainLanguageName(const CString& name)
{
    return !name.IsEmpty() && name.FindOneOf(L"\\/:") < 0;
}

CString LanguageFolder()
{
    return GetModuleFolder() + L"lang\\";
}

// Asks whether to keep a language file of an older format; true for Yes.
bool AskKeepOutdatedLanguage(CLVKResourceManager* manager)
{
    CString question = manager->LoadStringValue(IDS_ASK_OUTDATED_LANGUAGE);
    if (question.IsEmpty())
        question = L"Continue anyway?";
    CString text = manager->LoadStringValue(IDS_OUTDATED_LANGUAGE_TEXT);
    if (text.IsEmpty())
        text = L"The language file is outdated.";
    CMainWindowServices* const window = CMainWindowServices::Current();
    return window && window->AskYesNo(nullptr, question, text, TD_WARNING_ICON, IDNO) == IDYES;
}
}  // namespace

void CLorvaneApp::LoadLanguage(BOOL dropOutdated)
{
    LanguageNames.RemoveAll();
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(LanguageFolder() + L"*.xml", &found);
    if (search != INVALID_HANDLE_VALUE)
    {
        do
        {
            CString name = found.cFileName;
            // The pattern also matches through short names ("x.xmlx"); only a
            // name that really ends in ".xml" is a language.
            if (name.GetLength() <= kLanguageFileExtensionLength ||
                name.Right(kLanguageFileExtensionLength).CompareNoCase(L".xml") != 0)
                continue;
            LanguageNames.Add(name.Left(name.GetLength() - kLanguageFileExtensionLength));
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }

    const UniqueRegKey key = OpenUserKey(kLorvaneRegistryKey, KEY_READ, false);
    CString saved;
    if (!key || !ReadLangFileValue(key.get(), saved) || saved.IsEmpty())
        return;
    LoadLanguageFile(saved, dropOutdated);
}

void CLorvaneApp::LoadLanguageFile(LPCWSTR name, BOOL dropOutdated)
{
    CString language = name ? name : L"";
    bool kept = false;
    if (IsPlainLanguageName(language) && IsXmlDomAvailable())
    {
        const CString path = LanguageFolder() + language + L".xml";
        // The manager is deleted by the replacement when its file did not load.
        if (PathFileExistsW(path) && CLVKResourceManager::ReplaceGlobalManager(new CLVKResourceManagerXML(path)))
        {
            CLVKResourceManager* const manager = CLVKResourceManager::GetGlobal();
            if (manager->LoadStringValue(IDS_LANGUAGE_FORMAT_VERSION) == kCurrentLanguageFormat)
                kept = true;
            else if (!dropOutdated)
                kept = AskKeepOutdatedLanguage(manager);
        }
    }
    if (!kept)
    {
        CLVKResourceManager::ReplaceGlobalManager(CreatePlainResourceManager());
        language.Empty();
    }

    LangFile = language;
    CurrentLanguage = LangFile;
    CurrentLanguageIndex = -1;
    if (CurrentLanguage.IsEmpty())
        return;
    for (INT_PTR i = 0; i < LanguageNames.GetSize(); ++i)
    {
        if (LanguageNames[i].CompareNoCase(CurrentLanguage) == 0)
        {
            CurrentLanguageIndex = static_cast<int>(i);
            return;
        }
    }
}
