// What a newly constructed application object holds before anything is loaded.
#include "LorvaneApp.h"

#include <shlobj.h>

#include <memory>

#include <gtest/gtest.h>

namespace
{
// Asks the shell directly rather than through the application's own lookup,
// so the expected paths do not come from the code under test.
CString KnownFolder(REFKNOWNFOLDERID id)
{
    PWSTR path = nullptr;
    CString result;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path)))
        result = path;
    CoTaskMemFree(path);
    return result;
}

// A second application object registers itself as the process's application;
// this puts the test program's own one back when the second is gone.
class SecondApplication
{
public:
    SecondApplication()
        : m_app(AfxGetModuleState()->m_pCurrentWinApp), m_name(AfxGetModuleState()->m_lpszCurrentAppName),
          m_thread(AfxGetThreadState()->m_pCurrentWinThread)
    {
    }
    ~SecondApplication()
    {
        object.reset();
        AfxGetModuleState()->m_pCurrentWinApp = m_app;
        AfxGetModuleState()->m_lpszCurrentAppName = m_name;
        AfxGetThreadState()->m_pCurrentWinThread = m_thread;
    }

private:
    // Read before the second object exists: members are made in this order.
    CWinApp* m_app;
    LPCTSTR m_name;
    CWinThread* m_thread;

public:
    std::unique_ptr<CLorvaneApp> object = std::make_unique<CLorvaneApp>();
};

TEST(ApplicationDefaults, AreTheInitialValuesOfTheSettingsAndTable)
{
    const SecondApplication second;
    const CLorvaneApp& app = *second.object;
    EXPECT_EQ(app.Flags, 0x80000130u);
    EXPECT_TRUE(app.MainRect.IsRectNull());
    EXPECT_EQ(app.Theme, 0u);
    EXPECT_EQ(app.DriveFlags, 0x30u);
    EXPECT_EQ(app.LanguageNames.GetSize(), 0);
    EXPECT_EQ(app.CurrentLanguageIndex, -1);
    EXPECT_TRUE(app.CurrentLanguage.IsEmpty());
    EXPECT_TRUE(app.LangFile.IsEmpty());
    EXPECT_FALSE(app.NoWelcome);
    EXPECT_FALSE(app.StartHidden);
    for (const CDriveEntry& entry : app.DriveTable)
    {
        EXPECT_EQ(entry.Flags, 0u);
        EXPECT_TRUE(entry.Path.IsEmpty() && entry.Label.IsEmpty() && entry.Icon.IsEmpty());
    }
}

TEST(ApplicationDefaults, HoldTheUsersDocumentsPicturesAndVideosFolders)
{
    const SecondApplication second;
    EXPECT_EQ(second.object->DocumentsPath, KnownFolder(FOLDERID_Documents));
    EXPECT_EQ(second.object->PicturesPath, KnownFolder(FOLDERID_Pictures));
    EXPECT_EQ(second.object->VideosPath, KnownFolder(FOLDERID_Videos));
    EXPECT_FALSE(second.object->DocumentsPath.IsEmpty());
}
}  // namespace
