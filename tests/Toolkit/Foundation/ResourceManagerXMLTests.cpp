// The language-file resource manager against files written by the tests:
// strings, menus and dialog templates in both forms of the file, the fall back
// to this test program's own resources (FoundationTests.rc: string 100, menu
// 300, dialog 400), and damaged or hostile files.
#include "Foundation/ResourceManagerXML.h"

#include "ScratchFolder.h"

#include "Waiting.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace
{

std::wstring Str(const CString& str)
{
    return std::wstring(str.GetString());
}

class ResourceManagerXMLTest : public ::testing::Test
{
protected:
    void SetUp() override { m_hrCom = CoInitialize(nullptr); }
    void TearDown() override
    {
        m_manager.reset();
        if (SUCCEEDED(m_hrCom))
            CoUninitialize();
    }

    // A manager over a file with this content.
    CLVKResourceManagerXML* Load(const std::string& xml)
    {
        const std::wstring path = m_folder.WriteFile(L"lang.xml", xml);
        m_manager.reset(new CLVKResourceManagerXML(path.c_str()));
        return m_manager.get();
    }

    ScratchFolder m_folder;
    std::unique_ptr<CLVKResourceManagerXML> m_manager;
    HRESULT m_hrCom = E_FAIL;
};

TEST_F(ResourceManagerXMLTest, StringsInElementAndCompactForm)
{
    struct Row
    {
        const char* pszCase;
        std::string xml;
        UINT nID;
        const wchar_t* pszText;
    } const rows[] = {
        {"element form", "<resource><string id=\"7\"><value>Seven</value></string></resource>", 7, L"Seven"},
        {"compact form", "<resource CompactMode=\"1\"><string id=\"7\" value=\"Seven\"/></resource>", 7, L"Seven"},
        {"attribute ignored in element form", "<resource><string id=\"7\" value=\"Seven\"/></resource>", 7, L""},
        {"child ignored in compact form",
         "<resource CompactMode=\"1\"><string id=\"7\"><value>Seven</value></string></resource>", 7, L""},
        {"escapes", "<resource><string id=\"7\"><value>a\\nb\\tc\\\\d\\r</value></string></resource>", 7,
         L"a\nb\tc\\d\r"},
        {"xml entities", "<resource><string id=\"7\"><value>&amp;Open &lt;all&gt;</value></string></resource>", 7,
         L"&Open <all>"},
        {"first match wins",
         "<resource><string id=\"7\"><value>One</value></string><string id=\"7\"><value>Two</value></string>"
         "</resource>",
         7, L"One"},
        {"utf-8 text", "<resource><string id=\"7\"><value>Laufwerk \xC3\xBC</value></string></resource>", 7,
         L"Laufwerk \x00FC"},
        {"missing id falls back to the program's", "<resource><string id=\"7\"><value>x</value></string></resource>",
         100, L"Text of the test table"},
        {"leading zero is another id", "<resource><string id=\"0100\"><value>x</value></string></resource>", 100,
         L"Text of the test table"},
        {"string without id", "<resource><string><value>x</value></string></resource>", 100, L"Text of the test table"},
    };
    for (const Row& row : rows)
    {
        CLVKResourceManagerXML* pManager = Load(row.xml);
        ASSERT_TRUE(pManager->IsValid()) << row.pszCase;
        CString strText;
        EXPECT_TRUE(pManager->LoadString(&strText, row.nID)) << row.pszCase;
        EXPECT_EQ(std::wstring(row.pszText), Str(strText)) << row.pszCase;
    }
}

TEST_F(ResourceManagerXMLTest, StringWithoutValueIsFoundAndEmpty)
{
    CLVKResourceManagerXML* pManager = Load("<resource><string id=\"100\"/></resource>");
    BOOL bNotFound = TRUE;
    EXPECT_EQ(L"", Str(pManager->LoadStringValue(100, &bNotFound)));
    EXPECT_FALSE(bNotFound);
    CString strKept = L"caller's";
    EXPECT_TRUE(pManager->LoadString(&strKept, 100));
    EXPECT_EQ(L"caller's", Str(strKept));
    // Missing everywhere: not found.
    pManager->LoadStringValue(999, &bNotFound);
    EXPECT_TRUE(bNotFound);
}

// Files that must not make a manager: the application then keeps its texts.
TEST_F(ResourceManagerXMLTest, BrokenFilesAreNotValid)
{
    struct Row
    {
        const char* pszCase;
        std::string xml;
    } const rows[] = {
        {"empty file", ""},
        {"not xml", "This is not a language file."},
        {"binary", std::string("\x00\xFF\xFE\x01\x02", 5)},
        {"truncated", "<resource><string id=\"1\"><value>6</val"},
        {"unclosed root", "<resource><string id=\"1\"><value>6</value></string>"},
        {"wrong root", "<language><string id=\"1\"><value>6</value></string></language>"},
        {"two roots", "<resource/><resource/>"},
        {"document type", "<!DOCTYPE resource [<!ENTITY a \"aaaaaaaaaa\">]><resource><string id=\"1\">"
                          "<value>&a;</value></string></resource>"},
    };
    for (const Row& row : rows)
    {
        CLVKResourceManagerXML* pManager = Load(row.xml);
        if (row.xml.find("DOCTYPE") != std::string::npos && pManager->IsValid())
        {
            // A parser that accepts the document type must still not expand
            // anything beyond the file.
            EXPECT_LE(pManager->LoadStringValue(1).GetLength(), 10) << row.pszCase;
            continue;
        }
        EXPECT_FALSE(pManager->IsValid()) << row.pszCase;
        // An invalid manager behaves as the plain one.
        EXPECT_EQ(L"Text of the test table", Str(pManager->LoadStringValue(100))) << row.pszCase;
    }

    CLVKResourceManagerXML missing(m_folder.PathOf(L"missing.xml").c_str());
    EXPECT_FALSE(missing.IsValid());
    const std::wstring folder = m_folder.CreateFolder(L"folder.xml");
    CLVKResourceManagerXML directory(folder.c_str());
    EXPECT_FALSE(directory.IsValid());
}

TEST_F(ResourceManagerXMLTest, ReplacingTheGlobalManagerRefusesABrokenFile)
{
    CLVKResourceManager* pBefore = CLVKResourceManager::GetGlobal();
    const std::wstring path = m_folder.WriteFile(L"bad.xml", "<language/>");
    EXPECT_FALSE(CLVKResourceManager::ReplaceGlobalManager(new CLVKResourceManagerXML(path.c_str())));
    EXPECT_EQ(pBefore, CLVKResourceManager::GetGlobal());
}

// The drive worker loads its error texts on its own thread: the file's
// strings are read into the manager's table when the file loads, so lookups
// from threads that never initialised COM, all at once, give the file's text.
TEST_F(ResourceManagerXMLTest, StringsAreServedOnAnyThread)
{
    const int kStrings = 90;  // string 100 is the program's
    std::string xml = "<resource>";
    for (int i = 1; i <= kStrings; i++)
        xml += "<string id=\"" + std::to_string(i) + "\"><value>Text " + std::to_string(i) + "</value></string>";
    xml += "</resource>";
    CLVKResourceManagerXML* pManager = Load(xml);
    ASSERT_TRUE(pManager->IsValid());

    struct Worker
    {
        CLVKResourceManagerXML* pManager;
        int nStrings;
        volatile LONG* pWrong;
        static DWORD WINAPI Run(LPVOID pParam)
        {
            const auto* pWorker = static_cast<const Worker*>(pParam);
            for (int nRound = 0; nRound < 20; nRound++)
            {
                for (int i = 1; i <= pWorker->nStrings; i++)
                {
                    CString strText;
                    CString strExpected;
                    strExpected.Format(L"Text %i", i);
                    if (!pWorker->pManager->LoadString(&strText, static_cast<UINT>(i)) || strText != strExpected)
                        InterlockedIncrement(pWorker->pWrong);
                }
                CString strFallback;
                if (!pWorker->pManager->LoadString(&strFallback, 100) || strFallback != L"Text of the test table")
                    InterlockedIncrement(pWorker->pWrong);
            }
            return 0;
        }
    };
    volatile LONG nWrong = 0;
    Worker worker{pManager, kStrings, &nWrong};
    HANDLE threads[4] = {};
    for (HANDLE& hThread : threads)
    {
        hThread = CreateThread(nullptr, 0, &Worker::Run, &worker, 0, nullptr);
        ASSERT_NE(nullptr, hThread);
    }
    EXPECT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(4, threads, TRUE, kHungWaitMs));
    for (HANDLE hThread : threads)
        CloseHandle(hThread);
    EXPECT_EQ(0, nWrong);

    // The figure for the record: lookups per second on this thread.
    const int kLookups = 20000;
    LARGE_INTEGER frequency{}, start{}, end{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kLookups; i++)
    {
        CString strText;
        pManager->LoadString(&strText, static_cast<UINT>(1 + i % kStrings));
    }
    QueryPerformanceCounter(&end);
    const double dMicroseconds =
        1e6 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart) / kLookups;
    RecordProperty("MicrosecondsPerLookup", std::to_string(dMicroseconds));
    std::printf("[ FIGURE   ] language-file string lookup: %.2f us each\n", dMicroseconds);
}

TEST_F(ResourceManagerXMLTest, HugeStringIsReadWhole)
{
    const std::string huge(1 << 20, 'x');
    CLVKResourceManagerXML* pManager =
        Load("<resource><string id=\"7\"><value>" + huge + "</value></string></resource>");
    ASSERT_TRUE(pManager->IsValid());
    EXPECT_EQ(1 << 20, pManager->LoadStringValue(7).GetLength());
}

TEST_F(ResourceManagerXMLTest, LanguageComesFromTheFile)
{
    struct Row
    {
        const char* pszCase;
        std::string xml;
        LANGID wExpected;
    } const rows[] = {
        {"element form", "<resource><LANGID>1031</LANGID></resource>", 0x407},
        {"compact form", "<resource CompactMode=\"1\" LANGID=\"1036\"/>", 0x40C},
        {"absent", "<resource/>", 0x409},
        {"not in the table", "<resource><LANGID>12345</LANGID></resource>", 0x409},
        {"not a number", "<resource><LANGID>German</LANGID></resource>", 0x409},
    };
    for (const Row& row : rows)
    {
        CLVKResourceManagerXML* pManager = Load(row.xml);
        ASSERT_TRUE(pManager->IsValid()) << row.pszCase;
        pManager->UpdateLanguage();
        EXPECT_EQ(row.wExpected, pManager->GetLanguage()) << row.pszCase;
    }
}

// The items of a menu as text: "caption=id" for commands, "-" for separators,
// "caption{...}" for popups.
std::wstring DescribeMenu(HMENU hMenu)
{
    std::wstring text;
    const int nCount = GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i)
    {
        WCHAR szCaption[128] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = szCaption;
        info.cch = _countof(szCaption);
        GetMenuItemInfoW(hMenu, i, TRUE, &info);
        if (i)
            text += L",";
        if (info.fType & MFT_SEPARATOR)
            text += L"-";
        else if (info.hSubMenu)
            text += std::wstring(szCaption) + L"{" + DescribeMenu(info.hSubMenu) + L"}";
        else
            text += std::wstring(szCaption) + L"=" + std::to_wstring(info.wID);
    }
    return text;
}

TEST_F(ResourceManagerXMLTest, MenusFromTheFile)
{
    struct Row
    {
        const char* pszCase;
        std::string xml;
        const wchar_t* pszMenu;
    } const rows[] = {
        {"element form",
         "<resource><menu id=\"300\"><menuitem><caption>&amp;Datei</caption>"
         "<menuitem><id>301</id><caption>&amp;Open</caption></menuitem><menuitem/>"
         "<menuitem><id>302</id><caption>E&amp;xit</caption></menuitem></menuitem></menu></resource>",
         L"&Datei{&Open=301,-,E&xit=302}"},
        {"compact form",
         "<resource CompactMode=\"1\"><menu id=\"300\"><menuitem caption=\"A\">"
         "<menuitem id=\"301\" caption=\"B\"/></menuitem><menuitem caption=\"C\">"
         "<menuitem id=\"302\" caption=\"D\"/><menuitem caption=\"E\"><menuitem id=\"303\" caption=\"F\"/>"
         "</menuitem></menuitem></menu></resource>",
         L"A{B=301},C{D=302,E{F=303}}"},
        {"numbered form",
         "<resource CompactMode=\"1\"><menu id=\"300\" Count=\"1\"><menuitem0 caption=\"P\" Count=\"2\">"
         "<menuitem0 id=\"311\" caption=\"Q\"/><menuitem1 id=\"312\" caption=\"R\"/><menuitem id=\"9\"/>"
         "</menuitem0></menu></resource>",
         L"P{Q=311,R=312}"},
        {"command id keeps its low 16 bits",
         "<resource CompactMode=\"1\"><menu id=\"300\"><menuitem caption=\"P\">"
         "<menuitem id=\"65837\" caption=\"Q\"/></menuitem></menu></resource>",
         L"P{Q=301}"},
        {"menu without items uses the program's", "<resource><menu id=\"300\"/></resource>",
         L"&File{&Open drive=301,-,E&xit=302}"},
        {"missing menu uses the program's", "<resource><menu id=\"301\"><menuitem/></menu></resource>",
         L"&File{&Open drive=301,-,E&xit=302}"},
        {"absurd count uses the program's",
         "<resource CompactMode=\"1\"><menu id=\"300\" Count=\"100000000\"/></resource>",
         L"&File{&Open drive=301,-,E&xit=302}"},
    };
    for (const Row& row : rows)
    {
        CLVKResourceManagerXML* pManager = Load(row.xml);
        ASSERT_TRUE(pManager->IsValid()) << row.pszCase;
        CMenu menu;
        ASSERT_TRUE(pManager->LoadMenu(&menu, 300)) << row.pszCase;
        EXPECT_EQ(std::wstring(row.pszMenu), DescribeMenu(menu.GetSafeHmenu())) << row.pszCase;
        menu.DestroyMenu();
    }
}

TEST_F(ResourceManagerXMLTest, MenuNestedTooDeeplyUsesTheProgramsMenu)
{
    std::string xml = "<resource CompactMode=\"1\"><menu id=\"300\">";
    for (int i = 0; i < 100; ++i)
        xml += "<menuitem caption=\"x\">";
    xml += "<menuitem id=\"1\" caption=\"leaf\"/>";
    for (int i = 0; i < 100; ++i)
        xml += "</menuitem>";
    xml += "</menu></resource>";
    CLVKResourceManagerXML* pManager = Load(xml);
    if (!pManager->IsValid())
        GTEST_SKIP() << "the XML parser refuses this depth itself";
    CMenu menu;
    ASSERT_TRUE(pManager->LoadMenu(&menu, 300));
    EXPECT_EQ(L"&File{&Open drive=301,-,E&xit=302}", DescribeMenu(menu.GetSafeHmenu()));
    menu.DestroyMenu();
}

// Reads the extended template a test built, field by field.
class TemplateReader
{
public:
    explicit TemplateReader(const void* pTemplate) : m_p(static_cast<const BYTE*>(pTemplate)) {}
    WORD Word() { return Take<WORD>(); }
    DWORD Dword() { return Take<DWORD>(); }
    BYTE Byte() { return Take<BYTE>(); }
    std::wstring Text()
    {
        std::wstring text(reinterpret_cast<const WCHAR*>(m_p + m_nOffset));
        m_nOffset += (text.size() + 1) * sizeof(WCHAR);
        return text;
    }
    void Align() { m_nOffset = (m_nOffset + 3) & ~size_t(3); }
    size_t Offset() const { return m_nOffset; }

private:
    template <class T>
    T Take()
    {
        T value;
        memcpy(&value, m_p + m_nOffset, sizeof(T));
        m_nOffset += sizeof(T);
        return value;
    }
    const BYTE* m_p;
    size_t m_nOffset = 0;
};

TEST_F(ResourceManagerXMLTest, DialogTemplateLayout)
{
    CLVKResourceManagerXML* pManager = Load(
        "<resource CompactMode=\"1\">"
        "<dialog id=\"400\" style=\"-2134900736\" styleex=\"8\" position=\"1, 2, 130, 0x30\" caption=\"Two\\nlines\">"
        "<control style=\"1342242817\" position=\"5, 6, 50, 14\" caption=\"&amp;Go\" class=\"BUTTON\" id=\"1\"/>"
        "<control caption=\"ignored\" resource=\"201\"/>"
        "</dialog></resource>");
    ASSERT_TRUE(pManager->IsValid());
    const LPCDLGTEMPLATE pTemplate = pManager->LoadDialogTemplate(400);
    ASSERT_NE(nullptr, pTemplate);
    EXPECT_EQ(pTemplate, pManager->LoadDialogTemplate(400)) << "the second request is served from the cache";

    TemplateReader r(pTemplate);
    EXPECT_EQ(1, r.Word());
    EXPECT_EQ(0xFFFF, r.Word());
    EXPECT_EQ(400u, r.Dword()) << "help id: the dialog's id value (an attribute in compact form)";
    EXPECT_EQ(8u, r.Dword());
    EXPECT_EQ(static_cast<DWORD>(-2134900736) | DS_SETFONT, r.Dword());
    EXPECT_EQ(2, r.Word());
    EXPECT_EQ(1, r.Word());
    EXPECT_EQ(2, r.Word());
    EXPECT_EQ(130, r.Word());
    EXPECT_EQ(0x30, r.Word()) << "a position number may be hexadecimal";
    EXPECT_EQ(0, r.Word());
    EXPECT_EQ(0, r.Word());
    EXPECT_EQ(L"Two\nlines", r.Text());
    EXPECT_EQ(8, r.Word()) << "default point size";
    EXPECT_EQ(0, r.Word());
    EXPECT_EQ(0, r.Byte());
    EXPECT_EQ(0, r.Byte());
    EXPECT_EQ(L"MS Sans Serif", r.Text());
    r.Align();

    EXPECT_EQ(0u, r.Dword());
    EXPECT_EQ(0u, r.Dword());
    EXPECT_EQ(1342242817u, r.Dword());
    EXPECT_EQ(5, r.Word());
    EXPECT_EQ(6, r.Word());
    EXPECT_EQ(50, r.Word());
    EXPECT_EQ(14, r.Word());
    EXPECT_EQ(1u, r.Dword());
    EXPECT_EQ(L"BUTTON", r.Text());
    EXPECT_EQ(L"&Go", r.Text());
    EXPECT_EQ(0, r.Word());
    r.Align();

    EXPECT_EQ(0u, r.Dword());
    EXPECT_EQ(0u, r.Dword());
    EXPECT_EQ(0x50020000u, r.Dword()) << "default control style";
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(0, r.Word());
    EXPECT_EQ(0xFFFFFFFFu, r.Dword()) << "default control id -1";
    EXPECT_EQ(L"STATIC", r.Text());
    EXPECT_EQ(0xFFFF, r.Word()) << "a resource title replaces the caption";
    EXPECT_EQ(201, r.Word());
    EXPECT_EQ(0, r.Word());
}

TEST_F(ResourceManagerXMLTest, DialogSizesFollowTheTexts)
{
    CLVKResourceManagerXML::DLGTEMPLATEINFO info;
    info.strCaption = L"abc";
    info.strFaceName = L"MS Sans Serif";
    // 30 fixed bytes, 8 for the title, 6, 28 for the face name: 72.
    EXPECT_EQ(72u, CLVKResourceManagerXML::GetTemplateHeaderSize(info));
    info.strCaption = L"ab";
    EXPECT_EQ(72u, CLVKResourceManagerXML::GetTemplateHeaderSize(info)) << "70 rounded up";

    CLVKResourceManagerXML::DLGITEMTEMPLATEINFO item;
    item.strClassName = L"STATIC";
    item.strCaption = L"Hello";
    EXPECT_EQ(52u, CLVKResourceManagerXML::GetTemplateItemSize(item)) << "12 + 10 + 30 = 52";
    item.nResourceID = 201;
    EXPECT_EQ(44u, CLVKResourceManagerXML::GetTemplateItemSize(item)) << "12 + 32 = 44";
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

TEST_F(ResourceManagerXMLTest, DialogFromTheFileRunsAsAWindow)
{
    CLVKResourceManagerXML* pManager =
        Load("<resource><dialog id=\"400\"><style>-2134900736</style><position>0, 0, 150, 60</position>"
             "<caption>Aus der Datei</caption><fontface>Tahoma</fontface><fontsize>9</fontsize>"
             "<control><class>BUTTON</class><id>1</id><caption>&amp;Los</caption><position>10, 10, 50, 14</position>"
             "<style>1342242816</style></control>"
             "<control><caption>Zeile</caption><id>77</id><position>10, 30, 80, 10</position></control>"
             "</dialog></resource>");
    ASSERT_TRUE(pManager->IsValid());
    const LPCDLGTEMPLATE pTemplate = pManager->LoadDialogTemplate(400);
    ASSERT_NE(nullptr, pTemplate);
    const HWND hDialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), pTemplate, nullptr, PlainDialogProc, 0);
    ASSERT_NE(nullptr, hDialog);
    WCHAR szText[64] = {};
    GetWindowTextW(hDialog, szText, _countof(szText));
    EXPECT_STREQ(L"Aus der Datei", szText);
    GetDlgItemTextW(hDialog, 1, szText, _countof(szText));
    EXPECT_STREQ(L"&Los", szText);
    GetDlgItemTextW(hDialog, 77, szText, _countof(szText));
    EXPECT_STREQ(L"Zeile", szText);
    GetClassNameW(GetDlgItem(hDialog, 77), szText, _countof(szText));
    EXPECT_STREQ(L"Static", szText);
    DestroyWindow(hDialog);
}

TEST_F(ResourceManagerXMLTest, DialogsTheFileCannotServeComeFromTheProgram)
{
    const LPCDLGTEMPLATE pProgram = CLVKResourceManager().LoadDialogTemplate(400);
    ASSERT_NE(nullptr, pProgram);
    struct Row
    {
        const char* pszCase;
        std::string xml;
    } const rows[] = {
        {"no such dialog", "<resource><dialog id=\"401\"/></resource>"},
        {"dialog without id", "<resource><dialog/></resource>"},
        {"absurd control count", "<resource CompactMode=\"1\"><dialog id=\"400\" Count=\"2000000000\"/></resource>"},
    };
    for (const Row& row : rows)
    {
        CLVKResourceManagerXML* pManager = Load(row.xml);
        ASSERT_TRUE(pManager->IsValid()) << row.pszCase;
        EXPECT_EQ(pProgram, pManager->LoadDialogTemplate(400)) << row.pszCase;
    }
}

TEST_F(ResourceManagerXMLTest, BadDialogValuesTakeTheirDefaults)
{
    CLVKResourceManagerXML* pManager =
        Load("<resource CompactMode=\"1\"><dialog id=\"400\" position=\"1, 2\" fontsize=\"big\" style=\"x\">"
             "<control position=\"garbage\" id=\"99999999999\"/></dialog></resource>");
    ASSERT_TRUE(pManager->IsValid());
    const LPCDLGTEMPLATE pTemplate = pManager->LoadDialogTemplate(400);
    ASSERT_NE(nullptr, pTemplate);
    TemplateReader r(pTemplate);
    r.Word();
    r.Word();
    r.Dword();
    r.Dword();
    EXPECT_EQ(static_cast<DWORD>(DS_SETFONT), r.Dword()) << "a style that is no number reads as 0";
    EXPECT_EQ(1, r.Word());
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(0, r.Word()) << "fewer than four numbers keep the default position";
    r.Word();
    r.Word();
    r.Text();
    EXPECT_EQ(0, r.Word()) << "a font size that is no number reads as 0";
    r.Word();
    r.Byte();
    r.Byte();
    r.Text();
    r.Align();
    r.Dword();
    r.Dword();
    r.Dword();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(0, r.Word());
    EXPECT_EQ(0x7FFFFFFFu, r.Dword()) << "an id out of range is clamped";
}

TEST_F(ResourceManagerXMLTest, CloseFreesTheFileAndFallsBack)
{
    CLVKResourceManagerXML* pManager =
        Load("<resource><string id=\"100\"><value>Datei</value></string><dialog id=\"400\"/></resource>");
    ASSERT_NE(nullptr, pManager->LoadDialogTemplate(400));
    EXPECT_EQ(L"Datei", Str(pManager->LoadStringValue(100)));
    pManager->Close();
    EXPECT_FALSE(pManager->IsValid());
    EXPECT_EQ(L"Text of the test table", Str(pManager->LoadStringValue(100)));
    EXPECT_EQ(CLVKResourceManager().LoadDialogTemplate(400), pManager->LoadDialogTemplate(400));
}

}  // namespace
