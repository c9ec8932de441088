// Language files: "lang\<name>.xml" beside the executable, chosen by the saved
// "LangFile". In this test program (whose bin folder is Lorvane.exe's) and
// through Lorvane.exe itself, whose error box shows the file's text.
//
// Other tests run in the same bin folder, so every file here has a name of
// its own and goes away with the fixture, and the "lang" folder is removed
// only when this fixture made it and it is empty again.
#include "DriveRegistry.h"
#include "EngineText.h"
#include "LorvaneApp.h"
#include "PathServices.h"
#include "resource.h"
#include "TestDrive.h"
#include "TestSupport.h"
#include "Foundation/ResourceManager.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace
{

const wchar_t* const BuiltInInvalidPath = L"Invalid path: ";

// A language file of the element form: string 1 is the format version.
std::string LanguageXml(const char* version, const char* invalidPath = "Ung\xC3\xBCltiger Pfad: ")
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<resource><LANGID>1031</LANGID>";
    if (version)
        xml += std::string("<string id=\"1\"><value>") + version + "</value></string>";
    xml += std::string("<string id=\"35815\"><value>") + invalidPath + "</value></string></resource>";
    return xml;
}

class LanguageFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_hrCom = CoInitialize(nullptr);
        m_folder = std::wstring(GetModuleFolder()) + L"lang";
        m_madeFolder = CreateDirectoryW(m_folder.c_str(), nullptr) != FALSE;
        // Unique, with mixed case, so that a lookup in another case is a real test.
        m_name = L"LangTest-" + UniqueTestName();
        for (wchar_t& c : m_name)
            if (c == L'.' || c == L'/')
                c = L'-';
        ResetApp();
    }

    void TearDown() override
    {
        for (const std::wstring& file : m_files)
            DeleteFileW(file.c_str());
        if (m_madeFolder)
            RemoveDirectoryW(m_folder.c_str());
        CLVKResourceManager::ReplaceGlobalManager(CreatePlainResourceManager());
        ResetApp();
        if (SUCCEEDED(m_hrCom))
            CoUninitialize();
    }

    static void ResetApp()
    {
        theApp.LanguageNames.RemoveAll();
        theApp.LangFile.Empty();
        theApp.CurrentLanguage.Empty();
        theApp.CurrentLanguageIndex = -1;
    }

    // Writes lang\<name>.xml and removes it at the end.
    std::wstring WriteLanguage(const std::wstring& name, const std::string& xml)
    {
        const std::wstring path = m_folder + L"\\" + name + L".xml";
        const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        EXPECT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, xml.data(), static_cast<DWORD>(xml.size()), &written, nullptr);
        CloseHandle(file);
        m_files.push_back(path);
        return path;
    }

    void SaveLangFile(const std::wstring& value)
    {
        const UniqueRegKey key = OpenUserKey(kLorvaneRegistryKey, KEY_WRITE, true);
        ASSERT_TRUE(key);
        RegSetValueExW(key.get(), L"LangFile", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }

    static std::wstring Upper(std::wstring text)
    {
        CharUpperBuffW(&text[0], static_cast<DWORD>(text.size()));
        return text;
    }

    static int IndexOf(const std::wstring& name)
    {
        for (INT_PTR i = 0; i < theApp.LanguageNames.GetSize(); ++i)
            if (name == theApp.LanguageNames[i].GetString())
                return static_cast<int>(i);
        return -1;
    }

    RegistrySnapshot m_settings{HKEY_CURRENT_USER, kLorvaneRegistryKey};
    std::wstring m_folder;
    std::wstring m_name;
    bool m_madeFolder = false;
    std::vector<std::wstring> m_files;
    HRESULT m_hrCom = E_FAIL;
};

TEST_F(LanguageFiles, CurrentFileReplacesTheTextsAndIsFoundInAnotherCase)
{
    WriteLanguage(m_name, LanguageXml("6"));
    WriteLanguage(m_name + L"-notes", "<resource/>");
    const std::wstring other = m_folder + L"\\" + m_name + L".txt";
    WriteLanguage(m_name + L"-x", "");
    MoveFileW((m_folder + L"\\" + m_name + L"-x.xml").c_str(), other.c_str());
    m_files.push_back(other);
    SaveLangFile(Upper(m_name));

    DialogCapture boxes(IDNO);
    theApp.LoadLanguage(TRUE);

    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_EQ(std::wstring(LoadEngineText(IDS_INVALID_PATH)), L"Ung\x00FCltiger Pfad: ");
    EXPECT_EQ(CLVKResourceManager::GetGlobal()->GetLanguage(), 0x407);
    EXPECT_EQ(std::wstring(theApp.LangFile), Upper(m_name));
    EXPECT_EQ(std::wstring(theApp.CurrentLanguage), Upper(m_name));
    ASSERT_GE(IndexOf(m_name), 0) << "the list holds the name as it is on disk, without \".xml\"";
    EXPECT_EQ(theApp.CurrentLanguageIndex, IndexOf(m_name));
    EXPECT_GE(IndexOf(m_name + L"-notes"), 0);
    EXPECT_EQ(IndexOf(m_name + L"-x"), -1) << "a .txt file is no language";
}

TEST_F(LanguageFiles, OutdatedFileIsDroppedAtAnOrdinaryStart)
{
    WriteLanguage(m_name, LanguageXml("5"));
    SaveLangFile(m_name);

    DialogCapture boxes(IDYES);
    theApp.LoadLanguage(TRUE);

    EXPECT_EQ(boxes.Count(), 0u) << "no question at an ordinary start";
    EXPECT_EQ(std::wstring(LoadEngineText(IDS_INVALID_PATH)), BuiltInInvalidPath);
    EXPECT_EQ(std::wstring(theApp.LangFile), L"");
    EXPECT_EQ(std::wstring(theApp.CurrentLanguage), L"");
    EXPECT_EQ(theApp.CurrentLanguageIndex, -1);
}

TEST_F(LanguageFiles, OutdatedFileAfterAChangeOfLanguageIsAskedAbout)
{
    struct Case
    {
        const char* name;
        int answer;
        bool kept;
    } const cases[] = {
        {"No gives the built-in texts", IDNO, false},
        {"Yes keeps the file", IDYES, true},
        {"Cancel gives the built-in texts", IDCANCEL, false},
    };
    WriteLanguage(m_name, LanguageXml("5"));
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        DialogCapture boxes(c.answer);
        theApp.LoadLanguageFile(m_name.c_str(), FALSE);

        ASSERT_EQ(boxes.Count(), 1u);
        const CapturedDialog question = boxes.Dialogs()[0];
        EXPECT_FALSE(question.isMessageBox);
        EXPECT_TRUE(question.isEmulatedTaskDialog) << "Wine's comctl32 reports 5.81: the toolkit's emulation";
        EXPECT_EQ(question.mainInstruction, L"Load outdated language file?");
        EXPECT_EQ(question.ButtonTexts(), (std::vector<std::wstring>{L"Yes", L"No"}));
        EXPECT_EQ(question.title, std::wstring(AfxGetAppName())) << "the application's name";
        EXPECT_NE(question.text.find(L"Load outdated language file?"), std::wstring::npos) << question.text;
        EXPECT_NE(question.text.find(L"Some text may appear in English."), std::wstring::npos) << question.text;
        EXPECT_EQ(std::wstring(LoadEngineText(IDS_INVALID_PATH)),
                  c.kept ? L"Ung\x00FCltiger Pfad: " : BuiltInInvalidPath);
        EXPECT_EQ(std::wstring(theApp.LangFile), c.kept ? m_name : L"");
        ResetApp();
        CLVKResourceManager::ReplaceGlobalManager(CreatePlainResourceManager());
    }
}

TEST_F(LanguageFiles, OutdatedQuestionComesFromTheFileWhenItHasIt)
{
    WriteLanguage(m_name, "<resource><string id=\"1\"><value>4</value></string>"
                          "<string id=\"35924\"><value>Veraltete Sprachdatei laden?</value></string>"
                          "<string id=\"35925\"><value /></string></resource>");
    DialogCapture boxes(IDNO);
    theApp.LoadLanguageFile(m_name.c_str(), FALSE);
    ASSERT_EQ(boxes.Count(), 1u);
    const std::wstring text = boxes.Dialogs()[0].text;
    EXPECT_NE(text.find(L"Veraltete Sprachdatei laden?"), std::wstring::npos) << text;
    EXPECT_NE(text.find(L"The language file is outdated."), std::wstring::npos)
        << "an empty text is replaced by the stand-in: " << text;
}

// Files and names that must give the built-in texts without a question.
TEST_F(LanguageFiles, BrokenFilesGiveTheBuiltInTexts)
{
    struct Case
    {
        const char* name;
        const char* xml;  // null: no file
        std::wstring prefix;
        bool loads;  // the file loads, but is outdated
    } const cases[] = {
        {"missing file", nullptr, L"", false},
        {"not xml", "Dies ist keine Sprachdatei.", L"", false},
        {"truncated", "<resource><string id=\"1\"><value>6</va", L"", false},
        {"wrong root", "<language><string id=\"1\"><value>6</value></string></language>", L"", false},
        {"no version string", "<resource><string id=\"35815\"><value>x</value></string></resource>", L"", true},
        {"version with blanks", "<resource><string id=\"1\"><value> 6</value></string></resource>", L"", true},
        {"version id written as 01", "<resource><string id=\"01\"><value>6</value></string></resource>", L"", true},
        {"name reaching out of the folder", "<resource><string id=\"1\"><value>6</value></string></resource>",
         L"..\\lang\\", false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        if (c.xml)
            WriteLanguage(m_name, c.xml);
        const std::wstring language = c.prefix + m_name;
        DialogCapture boxes(IDYES);
        theApp.LoadLanguageFile(language.c_str(), TRUE);
        EXPECT_EQ(boxes.Count(), 0u);
        EXPECT_EQ(std::wstring(LoadEngineText(IDS_INVALID_PATH)), BuiltInInvalidPath);
        EXPECT_EQ(std::wstring(theApp.LangFile), L"");
        EXPECT_EQ(theApp.CurrentLanguageIndex, -1);

        // Only a file that loads is asked about after a change of language.
        DialogCapture asked(IDNO);
        theApp.LoadLanguageFile(language.c_str(), FALSE);
        EXPECT_EQ(asked.Count(), c.loads ? 1u : 0u);
        EXPECT_EQ(std::wstring(LoadEngineText(IDS_INVALID_PATH)), BuiltInInvalidPath);
        ResetApp();
        CLVKResourceManager::ReplaceGlobalManager(CreatePlainResourceManager());
    }
}

TEST_F(LanguageFiles, SavedNameThatCannotBeReadLoadsNothing)
{
    WriteLanguage(m_name, LanguageXml("6"));
    struct Case
    {
        const char* name;
        std::wstring value;
    } const cases[] = {
        {"empty", L""},
        {"260 characters", std::wstring(260, L'a')},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        SaveLangFile(c.value);
        CLVKResourceManager* const before = CLVKResourceManager::GetGlobal();
        theApp.LangFile = L"unchanged";
        theApp.LoadLanguage(TRUE);
        EXPECT_EQ(CLVKResourceManager::GetGlobal(), before) << "the manager stays as it is";
        EXPECT_EQ(std::wstring(theApp.LangFile), L"unchanged");
        EXPECT_GE(IndexOf(m_name), 0) << "the list is rebuilt all the same";
    }

    // 259 characters still count: a name that long is tried (and, missing, falls back).
    SaveLangFile(std::wstring(259, L'a'));
    theApp.LangFile = L"unchanged";
    theApp.LoadLanguage(TRUE);
    EXPECT_EQ(std::wstring(theApp.LangFile), L"");
}

// Lorvane.exe with a language file: the error box of a drive request for a
// missing folder shows the file's "Invalid path: ".
class LanguageFilesProgram : public LanguageFiles
{
protected:
    void SetUp() override
    {
        LanguageFiles::SetUp();
        for (const wchar_t letter : UnusedDriveLetters(26))
        {
            CString path, label, icon;
            DWORD flags = 0;
            if (!LoadDriveEntry(letter, path, label, icon, flags))
            {
                m_letter = letter;
                break;
            }
        }
        ASSERT_NE(m_letter, 0);
        m_missing = m_scratch.Path() + L"\\missing";
    }

    // Runs "Lorvane.exe [extra] X: <missing folder>" and returns every dialog
    // it showed, answered in turn with the answers given.
    std::vector<CapturedDialog> Run(const std::vector<std::wstring>& extra, const std::vector<int>& answers)
    {
        ProcessDialogWatcher dialogs(IDOK);
        for (const int answer : answers)
            dialogs.QueueAnswer(answer);
        RunOptions options;
        options.dialogs = &dialogs;
        std::vector<std::wstring> arguments = extra;
        arguments.push_back(std::wstring(1, m_letter) + L":");
        arguments.push_back(m_missing);
        const RunResult run = RunProgram(L"Lorvane.exe", arguments, options);
        EXPECT_TRUE(run.started) << run.startError;
        EXPECT_FALSE(run.timedOut);
        EXPECT_EQ(QueryDosDeviceTarget(DriveDevice(m_letter)), L"");
        return dialogs.Dialogs();
    }

    ScratchFolder m_scratch;
    std::wstring m_missing;
    wchar_t m_letter = 0;
};

TEST_F(LanguageFilesProgram, CurrentFileReplacesTheErrorText)
{
    WriteLanguage(m_name, LanguageXml("6", "Ung\xC3\xBCltiger Pfad: "));
    SaveLangFile(Upper(m_name));
    const std::vector<CapturedDialog> dialogs = Run({}, {});
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_TRUE(dialogs[0].isMessageBox);
    EXPECT_EQ(dialogs[0].text, L"Ung\x00FCltiger Pfad: " + m_missing);
}

TEST_F(LanguageFilesProgram, OutdatedFileIsDroppedAtAnOrdinaryStart)
{
    WriteLanguage(m_name, LanguageXml("5"));
    SaveLangFile(m_name);
    const std::vector<CapturedDialog> dialogs = Run({}, {});
    ASSERT_EQ(dialogs.size(), 1u) << "no question, only the error box";
    EXPECT_TRUE(dialogs[0].isMessageBox);
    EXPECT_EQ(dialogs[0].text, BuiltInInvalidPath + m_missing);
}

TEST_F(LanguageFilesProgram, OutdatedFileAfterAChangeOfLanguageIsAskedAbout)
{
    WriteLanguage(m_name, LanguageXml("5"));
    SaveLangFile(m_name);
    {
        SCOPED_TRACE("No");
        const std::vector<CapturedDialog> dialogs = Run({L"/UPDATELANG"}, {IDNO});
        ASSERT_EQ(dialogs.size(), 2u);
        EXPECT_FALSE(dialogs[0].isMessageBox);
        // The program's prompts run through the toolkit's emulation, read
        // from another process through its text query.
        EXPECT_TRUE(dialogs[0].isEmulatedTaskDialog);
        EXPECT_EQ(dialogs[0].mainInstruction, L"Load outdated language file?");
        EXPECT_NE(dialogs[0].content.find(L"Some text may appear in English."), std::wstring::npos)
            << dialogs[0].content;
        EXPECT_EQ(dialogs[0].title, L"Lorvane");
        EXPECT_NE(dialogs[0].text.find(L"Load outdated language file?"), std::wstring::npos) << dialogs[0].text;
        EXPECT_TRUE(dialogs[0].HasButton(IDYES));
        EXPECT_TRUE(dialogs[0].HasButton(IDNO));
        EXPECT_EQ(dialogs[1].text, BuiltInInvalidPath + m_missing);
    }
    {
        SCOPED_TRACE("Yes");
        const std::vector<CapturedDialog> dialogs = Run({L"/UPDATELANG"}, {IDYES});
        ASSERT_EQ(dialogs.size(), 2u);
        EXPECT_EQ(dialogs[1].text, L"Ung\x00FCltiger Pfad: " + m_missing);
    }
}

}  // namespace
