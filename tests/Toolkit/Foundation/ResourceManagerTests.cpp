// The resource manager against this test program's own resources (see
// FoundationTests.rc): strings, a menu, a dialog, an HTML page, one German
// string block and a damaged string block.
#include "Foundation/LanguageInfo.h"
#include "Foundation/NarrowString.h"
#include "Foundation/ResourceManager.h"
#include "Foundation/ResourceNames.h"

#include "DialogCapture.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

std::wstring Str(const CString& str)
{
    return std::wstring(str.GetString());
}

TEST(ResourceManager, StringLookups)
{
    struct Row
    {
        const char* pszCase;
        UINT nID;
        const wchar_t* pszText;  // null: missing
    } const rows[] = {
        {"present", 100, L"Text of the test table"},
        {"present in another block", 35, L"Entry three of block three"},
        {"missing entry of a present block", 102, nullptr},
        {"missing block", 999, nullptr},
    };
    CLVKResourceManager manager;
    for (const Row& row : rows)
    {
        BOOL bNotFound = 2;
        const CString strText = manager.LoadStringValue(row.nID, &bNotFound);
        EXPECT_EQ(row.pszText == nullptr, bNotFound == TRUE) << row.pszCase;
        EXPECT_EQ(std::wstring(row.pszText ? row.pszText : L""), Str(strText)) << row.pszCase;

        CString strDirect;
        EXPECT_EQ(row.pszText != nullptr, manager.LoadString(&strDirect, row.nID) != FALSE) << row.pszCase;
    }
    EXPECT_FALSE(manager.LoadString(nullptr, 100));
}

TEST(ResourceManager, StringFromModuleWalksTheBlock)
{
    const HMODULE hSelf = GetModuleHandleW(nullptr);
    struct Row
    {
        const char* pszCase;
        UINT nID;
        const wchar_t* pszText;
    } const rows[] = {
        {"id 35 is entry 3 of block 3", 35, L"Entry three of block three"},
        {"empty entry before it", 34, L""},
        {"empty entry after it", 36, L""},
        {"entry 5 of block 7", 101, L"Drive tools"},
        {"no such block", 5000, L""},
        // The damaged block: its first entry claims more than the block holds,
        // and the others lie past its end. Nothing may be read beyond it.
        {"entry longer than its block", 240, L""},
        {"entry past the block's end", 241, L""},
        {"last entry past the block's end", 255, L""},
    };
    for (const Row& row : rows)
    {
        CString strText(L"stale");
        const int nLength = CLVKResourceManager::LoadStringFromModule(hSelf, row.nID, strText);
        EXPECT_EQ(std::wstring(row.pszText), Str(strText)) << row.pszCase;
        EXPECT_EQ(static_cast<int>(wcslen(row.pszText)), nLength) << row.pszCase;
    }
}

TEST(ResourceManager, ToolkitResourceModuleIsSearchedFirst)
{
    // user32 has a string 2 of its own, as this program does.
    const HMODULE hUser32 = GetModuleHandleW(L"user32.dll");
    const WCHAR* pszUser32Text = nullptr;
    const int cchUser32Text = LoadStringW(hUser32, 2, reinterpret_cast<LPWSTR>(&pszUser32Text), 0);
    if (cchUser32Text <= 0)
        GTEST_SKIP() << "user32 has no string 2 here";

    CLVKResourceManager manager;
    CString strText;
    EXPECT_TRUE(manager.LoadString(&strText, 2));
    EXPECT_EQ(L"Program text of id 2", Str(strText));

    CLVKResourceManager::SetToolkitResourceHandle(hUser32);
    EXPECT_TRUE(manager.LoadString(&strText, 2));
    EXPECT_EQ(std::wstring(pszUser32Text, cchUser32Text), Str(strText));
    HMODULE hFound = nullptr;
    EXPECT_NE(nullptr, CLVKResourceManager::FindResourceInModules(hFound, MAKEINTRESOURCEW(400), RT_DIALOG));
    EXPECT_EQ(GetModuleHandleW(nullptr), hFound) << "what the toolkit module lacks comes from the program";
    CLVKResourceManager::SetToolkitResourceHandle(nullptr);

    EXPECT_TRUE(manager.LoadString(&strText, 2));
    EXPECT_EQ(L"Program text of id 2", Str(strText));
}

TEST(ResourceManager, LanguageTable)
{
    struct Row
    {
        LANGID wLanguage;
        UINT nCodePage;
        BYTE nCharset;
        const wchar_t* pszName;
    } const rows[] = {
        {0x0409, 0, 0, L"English (United States)"},
        {0x0419, 1251, 204, L"Russian"},
        {0x040D, 1255, 177, L"Hebrew"},
        {0x0401, 1256, 178, L"Arabic (Saudi Arabia)"},
        {0x0411, 932, 128, L"Japanese"},
        {0x0804, 936, 134, L"Chinese (PRC)"},
        {0x0404, 950, 136, L"Chinese (Taiwan)"},
        {0x0422, 1251, 204, L"Ukrainian "},
        {0x0C0A, 1252, 0, L"Spanish (Spain - Modern Sort)"},
    };
    for (const Row& row : rows)
    {
        const LVK_LANGUAGE_INFO* pInfo = LVKGetLanguageInfo(row.wLanguage);
        ASSERT_NE(nullptr, pInfo) << std::hex << row.wLanguage;
        EXPECT_EQ(row.nCodePage, pInfo->nCodePage) << std::hex << row.wLanguage;
        EXPECT_EQ(row.nCharset, pInfo->nFontCharset) << std::hex << row.wLanguage;
        EXPECT_EQ(std::wstring(row.pszName), pInfo->lpszEnglishName);
    }
    EXPECT_EQ(nullptr, LVKGetLanguageInfo(0x0C07));

    int nCount = 0;
    const LVK_LANGUAGE_INFO* pTable = LVKGetLanguageTable(&nCount);
    EXPECT_EQ(35, nCount);
    int nWithoutCodePage = 0;
    for (int i = 0; i < nCount; i++)
        nWithoutCodePage += pTable[i].nCodePage == 0;
    EXPECT_EQ(1, nWithoutCodePage) << "only English takes the system's code page";
}

TEST(ResourceManager, UnknownLanguageSelectsEnglish)
{
    CLVKResourceManager manager;
    EXPECT_EQ(0x0409, manager.GetLanguage());
    manager.SetLanguage(0x0419);
    EXPECT_EQ(0x0419, manager.GetLanguage());
    EXPECT_EQ(1251u, manager.GetCodePage());
    manager.SetLanguage(0x0C07);  // German (Austria) is not in the table
    EXPECT_EQ(0x0409, manager.GetLanguage());
}

TEST(ResourceManager, LanguageComesFromTheFirstNonEnglishResource)
{
    // This program carries one German string block besides its English ones.
    EXPECT_EQ(0x0407, LVKFindResourceLanguage(GetModuleHandleW(nullptr)));
    CLVKResourceManager manager;
    manager.UpdateLanguage();
    EXPECT_EQ(0x0407, manager.GetLanguage());
}

TEST(ResourceManager, MessageBoxesReadRightToLeftUnderHebrewAndArabic)
{
    struct Row
    {
        LANGID wLanguage;
        bool bRightToLeft;
    } const rows[] = {{0x040D, true}, {0x0401, true}, {0x0419, false}, {0x0409, false}};
    CLVKResourceManager manager;
    for (const Row& row : rows)
    {
        manager.SetLanguage(row.wLanguage);
        const UINT nType = manager.GetMessageBoxType(MB_YESNO | MB_ICONWARNING);
        EXPECT_EQ(row.bRightToLeft, (nType & MB_RTLREADING) != 0) << std::hex << row.wLanguage;
        EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONWARNING), nType & ~MB_RTLREADING);
    }
}

TEST(ResourceManager, ShowMessageBoxShowsTheTextAndReturnsTheAnswer)
{
    CLVKResourceManager manager;
    manager.SetLanguage(0x040D);
    DialogCapture boxes;
    boxes.QueueAnswer(IDNO);
    EXPECT_EQ(IDNO, manager.ShowMessageBox(L"Replace the drive?", MB_YESNO));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_TRUE(boxes.Dialogs()[0].isMessageBox);
    EXPECT_EQ(L"Replace the drive?", boxes.Dialogs()[0].text);
}

TEST(ResourceManager, MenuAndItemTexts)
{
    CLVKResourceManager manager;
    CMenu menu;
    ASSERT_TRUE(manager.LoadMenu(&menu, 300));
    CString strText;
    EXPECT_EQ(5, CLVKResourceManager::GetMenuItemText(&menu, 0, strText, MF_BYPOSITION));
    EXPECT_EQ(L"&File", Str(strText));

    CMenu* pPopup = menu.GetSubMenu(0);
    ASSERT_NE(nullptr, pPopup);
    EXPECT_EQ(11, CLVKResourceManager::GetMenuItemText(pPopup, 301, strText, MF_BYCOMMAND));
    EXPECT_EQ(L"&Open drive", Str(strText));
    EXPECT_EQ(0, CLVKResourceManager::GetMenuItemText(pPopup, 1, strText, MF_BYPOSITION)) << "a separator has no text";
    EXPECT_TRUE(strText.IsEmpty());
    EXPECT_EQ(0, CLVKResourceManager::GetMenuItemText(nullptr, 0, strText, MF_BYPOSITION));

    CMenu missing;
    EXPECT_FALSE(manager.LoadMenu(&missing, 399));
    EXPECT_EQ(0, CLVKResourceManager::GetMenuItemText(&missing, 0, strText, MF_BYPOSITION));
}

TEST(ResourceManager, DialogTemplates)
{
    CLVKResourceManager manager;
    const LPCDLGTEMPLATE pTemplate = manager.LoadDialogTemplate(400);
    ASSERT_NE(nullptr, pTemplate);
    // An extended template starts with version 1 and the 0xFFFF signature.
    const WORD* pWords = reinterpret_cast<const WORD*>(pTemplate);
    EXPECT_EQ(1, pWords[0]);
    EXPECT_EQ(0xFFFF, pWords[1]);
    EXPECT_EQ(nullptr, manager.LoadDialogTemplate(0));
    EXPECT_EQ(nullptr, manager.LoadDialogTemplate(401));
    EXPECT_EQ(nullptr, manager.LoadDialogResource(L"NO_SUCH_DIALOG"));
}

TEST(ResourceManager, HtmlPages)
{
    CLVKResourceManager manager;
    CString strPage;
    EXPECT_TRUE(manager.LoadHTMLById(&strPage, 500));
    EXPECT_EQ(L"<html>Drive list</html>", Str(strPage));
    EXPECT_FALSE(manager.LoadHTMLById(&strPage, 501));
    EXPECT_FALSE(manager.LoadHTMLById(nullptr, 500));
}

TEST(ResourceManager, Bitmaps)
{
    CLVKResourceManager manager;
    CBitmap bitmap;
    ASSERT_TRUE(manager.LoadBitmapById(&bitmap, 600));
    BITMAP bm{};
    ASSERT_NE(0, GetObjectW(static_cast<HBITMAP>(bitmap.GetSafeHandle()), sizeof(bm), &bm));
    EXPECT_EQ(4, bm.bmWidth);
    EXPECT_EQ(3, bm.bmHeight);

    CBitmap missing;
    EXPECT_FALSE(manager.LoadBitmapById(&missing, 601));
    EXPECT_EQ(nullptr, missing.GetSafeHandle());
    EXPECT_FALSE(manager.LoadBitmap(nullptr, MAKEINTRESOURCEW(600)));
}

TEST(ResourceManager, IconsFromIconGroups)
{
    CLVKResourceManager manager;
    // The system's question icon lives in user32's resources.
    const HMODULE hUser32 = GetModuleHandleW(L"user32.dll");
    const HICON hIcon = manager.CreateIconFromResource(hUser32, MAKEINTRESOURCEW(32514), 32, 32);
    ASSERT_NE(nullptr, hIcon);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(hIcon, &info));
    BITMAP bm{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
    EXPECT_EQ(32, bm.bmWidth);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(hIcon);

    EXPECT_EQ(nullptr, manager.CreateIconFromResource(hUser32, L"NO_SUCH_ICON", 32, 32));
    EXPECT_EQ(nullptr, manager.LoadIconById(4242, 16, 16));
}

TEST(ResourceManager, ReplacingTheGlobalManager)
{
    static int s_nDeleted = 0;
    static LANGID s_wCurrentLanguageAtUpdate = 0;
    class CountedManager : public CLVKResourceManager
    {
    public:
        explicit CountedManager(BOOL bValid) { m_bValid = bValid; }
        ~CountedManager() override { s_nDeleted++; }
        void UpdateLanguage() override
        {
            // The previous manager is still current while the new one updates.
            s_wCurrentLanguageAtUpdate = CLVKResourceManager::GetGlobal()->GetLanguage();
            SetLanguage(0x0419);
        }
    };

    CLVKResourceManager* pOriginal = CLVKResourceManager::GetGlobal();
    ASSERT_NE(nullptr, pOriginal);
    EXPECT_EQ(pOriginal, CLVKResourceManager::GetGlobal());
    pOriginal->SetLanguage(0x040C);

    EXPECT_FALSE(CLVKResourceManager::ReplaceGlobalManager(nullptr));

    s_nDeleted = 0;
    EXPECT_FALSE(CLVKResourceManager::ReplaceGlobalManager(new CountedManager(FALSE)));
    EXPECT_EQ(1, s_nDeleted) << "a manager whose file did not load is deleted";
    EXPECT_EQ(pOriginal, CLVKResourceManager::GetGlobal()) << "and the current one kept";

    auto* pFirst = new CountedManager(TRUE);
    EXPECT_TRUE(CLVKResourceManager::ReplaceGlobalManager(pFirst));
    EXPECT_EQ(0x040C, s_wCurrentLanguageAtUpdate);
    EXPECT_EQ(pFirst, CLVKResourceManager::GetGlobal());
    EXPECT_EQ(0x0419, CLVKResourceManager::GetGlobal()->GetLanguage());

    EXPECT_TRUE(CLVKResourceManager::ReplaceGlobalManager(pFirst))
        << "installing the current manager again keeps it alive";
    EXPECT_EQ(1, s_nDeleted);
    EXPECT_EQ(pFirst, CLVKResourceManager::GetGlobal());

    // Back to a plain manager: the previous one is deleted.
    EXPECT_TRUE(CLVKResourceManager::ReplaceGlobalManager(CreatePlainResourceManager()));
    EXPECT_EQ(2, s_nDeleted);
    CLVKResourceManager::GetGlobal()->SetLanguage(0x0409);
}

TEST(ResourceManager, ResourceNameHelpers)
{
    struct ExtensionRow
    {
        const wchar_t* pszFile;
        LPCWSTR lpszType;
    } const extensions[] = {
        {L"toolbar.PNG", L"PNG"}, {L".png", nullptr},  {L"help.html", RT_HTML}, {L"help.htm", RT_HTML},
        {L"a.bmp", RT_BITMAP},    {L"a.ico", RT_ICON}, {L"run.js", L"JS"},      {L"run.VBS", L"VBS"},
        {L"notes.txt", nullptr},  {L"html", nullptr},
    };
    for (const ExtensionRow& row : extensions)
    {
        const LPCWSTR lpszType = LVKResourceTypeFromExtension(row.pszFile);
        if (!row.lpszType || IS_INTRESOURCE(row.lpszType))
            EXPECT_EQ(row.lpszType, lpszType) << row.pszFile;
        else
            EXPECT_STREQ(row.lpszType, lpszType) << row.pszFile;
    }

    EXPECT_EQ(205u, LVKResourceIdFromName(L"#205"));
    EXPECT_EQ(42u, LVKResourceIdFromName(MAKEINTRESOURCEW(42)));
    EXPECT_EQ(0u, LVKResourceIdFromName(L"TOOLBAR"));

    CString strType;
    LVKFindResourceType(strType, GetModuleHandleW(nullptr), MAKEINTRESOURCEW(500));
    EXPECT_EQ(L"#23", Str(strType));
    LVKFindResourceType(strType, GetModuleHandleW(nullptr), MAKEINTRESOURCEW(300));
    EXPECT_EQ(L"#4", Str(strType));
    LVKFindResourceType(strType, GetModuleHandleW(nullptr), L"NO_SUCH_RESOURCE");
    EXPECT_TRUE(strType.IsEmpty());
}

TEST(ResourceManager, NarrowTextUsesTheLanguagesCodePage)
{
    const CLVKNarrowString russian(L"\x0414\x0438\x0441\x043A", 1251);  // "Disk" in Cyrillic
    EXPECT_STREQ("\xC4\xE8\xF1\xEA", russian);
    const CLVKNarrowString ascii(L"C:\\Drives");
    EXPECT_STREQ("C:\\Drives", ascii);
    const CLVKNarrowString none(nullptr, 1251);
    EXPECT_STREQ("", none);
}

TEST(ResourceManager, FontCharsetIsTheSystemsIconTitleFont)
{
    LOGFONTW lf{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0));
    CLVKResourceManager manager;
    manager.SetLanguage(0x0419);
    EXPECT_EQ(lf.lfCharSet, manager.GetFontCharset()) << "the language's charset is not used";
}

}  // namespace
