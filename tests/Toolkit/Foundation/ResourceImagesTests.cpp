// The resource themes: the INI grammar and typed queries, the five theme
// INIs the program carries and their pictures, nine-grid drawing on exact
// pixels, and the theme family modules of the "Styles" folder.
#include "DibSurface.h"
#include "Foundation/ResourceImage.h"
#include "Foundation/ResourceImages.h"
#include "Foundation/NotifyConnection.h"
#include "Foundation/NotifySinkBase.h"
#include "Foundation/ThemeDLL.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace
{

const wchar_t* const kThemeNames[] = {
    L"VISUALSTUDIO2015BLUE_INI",  L"VISUALSTUDIO2015DARK_INI",     L"VISUALSTUDIO2015DARKW10_INI",
    L"VISUALSTUDIO2015LIGHT_INI", L"VISUALSTUDIO2015LIGHTW10_INI",
};

const char* const kSections[] = {
    "Global",
    "Theme",
    "Calendar",
    "Calendar.TimeLine",
    "Calendar.CaptionBar",
    "Calendar.DatePicker",
    "Calendar.EventLabel",
    "CommandBars",
    "CommandBars.CheckBox",
    "CommandBars.Frame",
    "CommandBars.Gallery",
    "CommandBars.Menu",
    "CommandBars.MessageBar",
    "CommandBars.Slider",
    "CommandBars.StatusBar",
    "CommandBars.Toolbar",
    "CommandBars.Ribbon",
    "CommandBars.Ribbon.Backstage",
    "CommandBars.Ribbon.TabContext",
    "CommandBars.Ribbon.Xaml",
    "Common.ScrollBar",
    "Controls.Button",
    "Controls.ColorPicker",
    "Controls.ComboBox",
    "Controls.Edit",
    "Controls.ExcelTabCtrl",
    "Controls.ListBox",
    "Controls.ProgressBar",
    "Controls.SpinButton",
    "Controls.Tree",
    "PropertyGrid",
    "ReportControl",
    "ReportControl.TrackControl",
    "TabManager",
    "DockingPane",
    "DockingPane.Tabs",
    "DockingPane.Panel",
    "DockingPane.Active",
    "DockingPane.Active.CaptionButton.Hot",
    "DockingPane.Active.CaptionButton.Normal",
    "DockingPane.Active.CaptionButton.Pressed",
    "DockingPane.Inactive",
    "DockingPane.Inactive.CaptionButton.Hot",
    "DockingPane.Inactive.CaptionButton.Normal",
    "DockingPane.Inactive.CaptionButton.Pressed",
    "Images",
    "ShortcutBar",
    "TaskPanel",
    "Window",
    "Splitter",
    "TabClient",
};

HMODULE Self()
{
    return GetModuleHandleW(nullptr);
}

std::string IniText(const wchar_t* pszName)
{
    HRSRC h = FindResourceW(Self(), pszName, L"TEXTFILE");
    if (!h)
        return std::string();
    return std::string(static_cast<const char*>(LockResource(LoadResource(Self(), h))), SizeofResource(Self(), h));
}

void Parse(CLVKResourceImages& images, const std::string& text)
{
    images.ResetTheme();
    images.ParseIniText(text.data(), static_cast<DWORD>(text.size()));
}

// A 32-bit section whose pixel (x, y from the top) is colour(x, y).
template <class F>
HBITMAP MakePicture(int cx, int cy, F colour)
{
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    HBITMAP h = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    DWORD* p = static_cast<DWORD*>(pBits);
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
            p[y * cx + x] = DibSurface::ToPixel(colour(x, y));
    return h;
}

// Nine regions of a 30 x 30 picture with 10-pixel margins, each its own colour.
const COLORREF kRegions[3][3] = {
    {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)},
    {RGB(255, 255, 0), RGB(255, 255, 255), RGB(0, 255, 255)},
    {RGB(255, 0, 255), RGB(128, 128, 128), RGB(10, 10, 10)},
};

COLORREF RegionAt(int x, int y)
{
    return kRegions[y / 10][x / 10];
}

}  // namespace

TEST(ResourceImages, QueriesAnswerDefaultsUntilAThemeIsAskedForByName)
{
    CLVKResourceImages* pGlobal = CLVKResourceImages::GetGlobal();
    EXPECT_TRUE(pGlobal->IsLoaded()) << "the default INI of the program is loaded at once";
    if (pGlobal->GetThemeName().IsEmpty())
    {
        EXPECT_EQ(RGB(1, 2, 3), GetResourceImageColor(L"Theme", L"Name", RGB(1, 2, 3)));
        EXPECT_EQ(7, GetResourceImageInt(L"CommandBars.Frame", L"CaptionHeight", 7));
    }
    // The default is the first TEXTFILE resource in name order.
    EXPECT_EQ(CString(L"214 219 233"), pGlobal->GetValue(L"CommandBars", L"Back"));
}

TEST(ResourceImages, IniGrammar)
{
    CLVKResourceImages images;
    Parse(images, "[Theme]   ; comment\r\n"
                  "  Name = VISUALSTUDIO2015 ; trailing comment\r\n"
                  "= no key\r\n"
                  "no equals sign\r\n"
                  "[Values]\n\r\n"
                  "None = -1\r\n"
                  "Magenta = 255 0 255\r"
                  "Hex = 0x10 0 0\r\n"
                  "Word = black\r\n"
                  "Margin = 12 0 12 0\r\n"
                  "Size = 34 26\r\n"
                  "Number = 42px\r\n"
                  "Last = not read");
    EXPECT_EQ(CString(L"VISUALSTUDIO2015"), images.GetValue(L"Theme", L"Name"));
    EXPECT_EQ(CString(L"VISUALSTUDIO2015"), images.GetValue(L"tHEME", L"NAME")) << "any mix of capitals";
    EXPECT_EQ(static_cast<COLORREF>(-1), images.GetColorValue(L"Values", L"None", 5));
    EXPECT_EQ(0x00FF00FFu, images.GetColorValue(L"Values", L"Magenta", 5));
    EXPECT_EQ(RGB(16, 0, 0), images.GetColorValue(L"Values", L"Hex", 5));
    EXPECT_EQ(0u, images.GetColorValue(L"Values", L"Word", 5)) << "unparsable colours are black";
    EXPECT_EQ(5u, images.GetColorValue(L"Values", L"Absent", 5));
    EXPECT_EQ(CRect(12, 0, 12, 0), images.GetRectValue(L"Values", L"Margin", CRect(1, 1, 1, 1)));
    EXPECT_EQ(CRect(0, 0, 0, 0), images.GetRectValue(L"Values", L"Size", CRect(1, 1, 1, 1)));
    EXPECT_EQ(CSize(34, 26), images.GetSizeValue(L"Values", L"Size", CSize(1, 1)));
    EXPECT_EQ(42, images.GetIntValue(L"Values", L"Number", 0));
    EXPECT_EQ(0, images.GetIntValue(L"Values", L"Word", 9));
    EXPECT_EQ(CString(), images.GetValue(L"Values", L"Last")) << "a last line without CR is not read";
    EXPECT_EQ(CString(), images.GetValue(L"", L"Name"));
    EXPECT_EQ(CString(), images.GetValue(L"Theme", L""));

    Parse(images, "[Theme]\nName = x\n");
    EXPECT_FALSE(images.IsLoaded()) << "line feeds alone end no line";

    // Pairs whose hashes meet share one value, the later winning.
    ASSERT_EQ(CLVKResourceImages::HashKey(L"AB", L"C"), CLVKResourceImages::HashKey(L"A", L"BC"));
    Parse(images, "[AB]\r\nC = first\r\n[A]\r\nBC = second\r\n");
    EXPECT_EQ(CString(L"second"), images.GetValue(L"AB", L"C"));
}

TEST(ResourceImages, TheFiveThemeInisAreCompleteAndCollisionFree)
{
    for (const wchar_t* pszName : kThemeNames)
    {
        SCOPED_TRACE(CStringA(pszName).GetString());
        const std::string text = IniText(pszName);
        ASSERT_FALSE(text.empty());
        // ASCII, and every line feed preceded by a carriage return.
        for (size_t i = 0; i < text.size(); ++i)
        {
            ASSERT_LT(static_cast<unsigned char>(text[i]), 0x80u) << "at " << i;
            if (text[i] == '\n')
            {
                ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "at " << i;
            }
        }
        // An independent reading of the sections and keys.
        std::map<std::string, std::map<std::string, std::string>> ini;
        std::string section;
        size_t start = 0;
        for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        {
            std::string line = text.substr(start, end - start);
            if (line.empty() || line[0] == ';')
                continue;
            if (line[0] == '[')
            {
                section = line.substr(1, line.size() - 2);
                ini[section];
                continue;
            }
            const size_t eq = line.find(" = ");
            ASSERT_NE(std::string::npos, eq) << line;
            ini[section][line.substr(0, eq)] = line.substr(eq + 3);
        }
        for (const char* pszSection : kSections)
            EXPECT_TRUE(ini.count(pszSection) && !ini[pszSection].empty()) << pszSection;
        EXPECT_EQ(sizeof(kSections) / sizeof(kSections[0]), ini.size());

        CLVKResourceImages images;
        ASSERT_TRUE(images.LoadTheme(Self(), pszName, FALSE));
        std::set<DWORD> hashes;
        size_t nPairs = 0;
        for (const auto& s : ini)
            for (const auto& kv : s.second)
            {
                ++nPairs;
                const CString strSection(s.first.c_str()), strKey(kv.first.c_str());
                hashes.insert(CLVKResourceImages::HashKey(strSection, strKey));
                EXPECT_EQ(CString(kv.second.c_str()), images.GetValue(strSection, strKey))
                    << s.first << "/" << kv.first;
            }
        EXPECT_EQ(nPairs, hashes.size()) << "no two pairs share a hash";
        EXPECT_EQ(CString(L"VISUALSTUDIO2015"), images.GetValue(L"Theme", L"Name"));
        EXPECT_EQ(CString(L"VisualStudio2015"), images.GetValue(L"Theme", L"Compatibility"));
        EXPECT_EQ(RGB(255, 0, 255), images.GetColorValue(L"Images", L"MaskColor", 0));
        EXPECT_FALSE(images.IsPremultiplyImages());
    }
}

TEST(ResourceImages, MainWindowLooksCarryTheirFixedValues)
{
    CLVKResourceImages images;
    const struct
    {
        const wchar_t* theme;
        const wchar_t* section;
        const wchar_t* key;
        const wchar_t* value;
    } cases[] = {
        {L"VISUALSTUDIO2015LIGHTW10_INI", L"CommandBars.Frame", L"CaptionHeight", L"30"},
        {L"VISUALSTUDIO2015LIGHTW10_INI", L"CommandBars.Frame", L"CaptionButtonSize", L"46 29"},
        {L"VISUALSTUDIO2015DARKW10_INI", L"CommandBars.Frame", L"CaptionButtonSize", L"46 29"},
        {L"VISUALSTUDIO2015LIGHTW10_INI", L"CommandBars.Frame", L"IconMargin", L"12 0 12 0"},
        {L"VISUALSTUDIO2015LIGHTW10_INI", L"CommandBars.Frame", L"CaptionButtonActiveBackgroundColor", L"-1"},
        {L"VISUALSTUDIO2015LIGHT_INI", L"CommandBars.Frame", L"CaptionHeight", L"26"},
        {L"VISUALSTUDIO2015LIGHT_INI", L"CommandBars.Frame", L"CaptionButtonSize", L"34 26"},
        {L"VISUALSTUDIO2015LIGHTW10_INI", L"CommandBars", L"Back", L"239 239 242"},
        {L"VISUALSTUDIO2015DARKW10_INI", L"CommandBars", L"Back", L"45 45 48"},
        {L"VISUALSTUDIO2015DARKW10_INI", L"CommandBars.Menu", L"ButtonBackHighlight", L"63 63 70"},
        {L"VISUALSTUDIO2015DARKW10_INI", L"ReportControl", L"ControlBack", L"37 37 38"},
        {L"VISUALSTUDIO2015LIGHTW10_INI", L"CommandBars.Ribbon", L"RibbonInactiveFace", L"239 239 242"},
        {L"VISUALSTUDIO2015LIGHTW10_INI", L"CommandBars.Ribbon", L"TabTextInactive", L"30 30 30"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(CStringA(CString(c.theme) + L" " + c.section + L"/" + c.key).GetString());
        ASSERT_TRUE(images.LoadTheme(Self(), c.theme, FALSE));
        EXPECT_EQ(CString(c.value), images.GetValue(c.section, c.key));
    }
}

TEST(ResourceImages, ThemePicturesLoadByNameAndMapping)
{
    CLVKResourceImages images;
    ASSERT_TRUE(images.LoadTheme(Self(), L"VISUALSTUDIO2015LIGHTW10.INI", FALSE)) << "a dot names the same INI";
    EXPECT_EQ(CString(L"VISUALSTUDIO2015LIGHTW10_INI"), images.GetThemeName());

    CLVKResourceImage* pTip = images.GetImage(L"ToolTipFrame");
    ASSERT_NE(nullptr, pTip) << "through the [Images] mapping";
    EXPECT_EQ(CSize(12, 12), pTip->GetImageSize());
    EXPECT_TRUE(pTip->IsAlphaImage());
    EXPECT_EQ(pTip, images.GetImage(L"ToolTipFrame")) << "cached";
    EXPECT_EQ(0u, pTip->GetPixel(0, 0) >> 24) << "a transparent corner";

    CLVKResourceImage* pButton = images.GetImage(L"PushButton");
    ASSERT_NE(nullptr, pButton);
    EXPECT_EQ(CRect(0, 16, 16, 32), pButton->GetPartRect(1, 5)) << "normal, hot, pressed, disabled, default";
    EXPECT_NE(nullptr, images.GetImage(L"VS2015Light\\Gripper.png")) << "a folder and a dot become underscores";
    EXPECT_NE(nullptr, images.GetImage(images.GetStringValue(L"CommandBars.Frame", L"BorderImage", L"")));
    EXPECT_EQ(nullptr, images.GetImage(L"NoSuchPicture.png"));
    EXPECT_EQ(nullptr, images.GetImage(L""));

    // A null module reads the INI from the program but loads no pictures.
    ASSERT_TRUE(images.LoadTheme(nullptr, L"VISUALSTUDIO2015DARKW10_INI", FALSE));
    EXPECT_EQ(CString(L"45 45 48"), images.GetValue(L"CommandBars", L"Back"));
    EXPECT_EQ(nullptr, images.GetImage(L"ToolTipFrame"));
}

TEST(ResourceImage, PartRectangles)
{
    CLVKResourceImages images;
    CLVKResourceImage image(&images);
    EXPECT_EQ(CRect(0, 0, 0, 0), image.GetPartRect(0, 4)) << "no picture";
    HBITMAP h = MakePicture(40, 120, [](int, int) { return RGB(1, 2, 3); });
    ASSERT_TRUE(image.SetBitmap(h, FALSE));
    DeleteObject(h);
    EXPECT_EQ(CRect(0, 60, 40, 90), image.GetPartRect(2, 4));
    EXPECT_EQ(CRect(0, 0, 0, 0), image.GetPartRect(2, 0)) << "no parts: nothing, not a division by zero";
}

TEST(ResourceImage, NineGridKeepsCornersAndStretchesTheRest)
{
    CLVKResourceImages images;
    CLVKResourceImage image(&images);
    HBITMAP h = MakePicture(30, 30, RegionAt);
    ASSERT_TRUE(image.SetBitmap(h, FALSE));
    DeleteObject(h);
    const CRect margins(10, 10, 10, 10);
    const CRect source(0, 0, 30, 30);

    {
        SCOPED_TRACE("100 x 50: 10-pixel corners, centre 80 x 30");
        DibSurface target(100, 50);
        image.DrawWithMargins(target.GetDC(), CRect(0, 0, 100, 50), source, margins);
        const struct
        {
            int x, y, row, col;
        } probes[] = {{0, 0, 0, 0},   {9, 9, 0, 0},  {10, 0, 0, 1},  {89, 9, 0, 1},  {90, 0, 0, 2},
                      {99, 9, 0, 2},  {0, 10, 1, 0}, {9, 39, 1, 0},  {10, 10, 1, 1}, {89, 39, 1, 1},
                      {90, 39, 1, 2}, {0, 40, 2, 0}, {50, 49, 2, 1}, {99, 49, 2, 2}};
        for (const auto& p : probes)
            EXPECT_EQ(kRegions[p.row][p.col], target.Pixel(p.x, p.y)) << p.x << "," << p.y;
    }
    {
        SCOPED_TRACE("16 x 16: corners shrink to 8");
        DibSurface target(16, 16);
        image.DrawWithMargins(target.GetDC(), CRect(0, 0, 16, 16), source, margins);
        EXPECT_EQ(kRegions[0][0], target.Pixel(7, 7));
        EXPECT_EQ(kRegions[0][2], target.Pixel(8, 0));
        EXPECT_EQ(kRegions[2][0], target.Pixel(0, 8));
        EXPECT_EQ(kRegions[2][2], target.Pixel(15, 15));
    }
    {
        SCOPED_TRACE("15 x 15: t = 8, b = 7 raised to 8, the halves share row 7");
        DibSurface target(15, 15);
        image.DrawWithMargins(target.GetDC(), CRect(0, 0, 15, 15), source, margins);
        EXPECT_EQ(kRegions[0][0], target.Pixel(0, 6));
        EXPECT_EQ(kRegions[2][0], target.Pixel(0, 7)) << "the bottom half is drawn last";
        EXPECT_EQ(kRegions[2][0], target.Pixel(0, 14));
    }
    {
        SCOPED_TRACE("a source lower than the two margins draws nothing");
        DibSurface target(20, 20, RGB(1, 1, 1));
        image.DrawWithMargins(target.GetDC(), CRect(0, 0, 20, 20), CRect(0, 0, 30, 15), margins);
        EXPECT_EQ(RGB(1, 1, 1), target.Pixel(10, 10));
    }
    {
        SCOPED_TRACE("a source reaching past the picture is clipped to it");
        DibSurface target(30, 30, RGB(1, 1, 1));
        image.DrawWithMargins(target.GetDC(), CRect(0, 0, 30, 30), CRect(-5, 0, 30, 400), CRect(0, 0, 0, 0));
        EXPECT_EQ(kRegions[1][1], target.Pixel(15, 15));
        DibSurface untouched(10, 10, RGB(1, 1, 1));
        image.DrawWithMargins(untouched.GetDC(), CRect(0, 0, 10, 10), CRect(40, 40, 60, 60), CRect(0, 0, 0, 0));
        EXPECT_EQ(RGB(1, 1, 1), untouched.Pixel(5, 5)) << "a source wholly outside draws nothing";
    }
    {
        SCOPED_TRACE("key-colour transparency leaves the key out");
        HBITMAP hKeyed = MakePicture(4, 4, [](int x, int) { return x < 2 ? RGB(255, 0, 255) : RGB(0, 0, 200); });
        CLVKResourceImage keyed(&images);
        ASSERT_TRUE(keyed.SetBitmap(hKeyed, FALSE));
        DeleteObject(hKeyed);
        DibSurface target(4, 4, RGB(0, 100, 0));
        keyed.DrawTransparent(target.GetDC(), CRect(0, 0, 4, 4), CRect(0, 0, 4, 4), CRect(0, 0, 0, 0),
                              RGB(255, 0, 255));
        EXPECT_EQ(RGB(0, 100, 0), target.Pixel(0, 0));
        EXPECT_EQ(RGB(0, 0, 200), target.Pixel(3, 3));
    }
}

TEST(ThemeDLL, FamilyFromTheName)
{
    const struct
    {
        const wchar_t* name;
        int family;
    } cases[] = {
        {L"VISUALSTUDIO2015DARKW10_INI", CLVKThemeDLL::familyVisualStudio2015},
        {L"visualstudio2015light_ini", CLVKThemeDLL::familyVisualStudio2015},
        {L"OFFICE2010_WINDOWS7_INI", CLVKThemeDLL::familyWindows7},
        {L"Office2013White.ini", CLVKThemeDLL::familyOffice2013},
        {L"CLASSIC_INI", -1},
        {L"", -1},
        {nullptr, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.family, CLVKThemeDLL::FindFamily(c.name)) << (c.name ? CStringA(c.name).GetString() : "null");
}

TEST(ThemeDLL, WithoutStylesTheProgramsOwnThemesServe)
{
    CLVKThemeDLL themes;
    for (int i = 0; i < CLVKThemeDLL::familyCount; ++i)
        EXPECT_EQ(nullptr, themes.GetFamilyModule(i));
    ASSERT_TRUE(themes.SetTheme(L"VISUALSTUDIO2015DARKW10_INI"));
    CLVKResourceImages* pGlobal = CLVKResourceImages::GetGlobal();
    EXPECT_EQ(CString(L"VISUALSTUDIO2015DARKW10_INI"), pGlobal->GetThemeName());
    EXPECT_EQ(RGB(45, 45, 48), GetResourceImageColor(L"CommandBars", L"Back", 0));
    EXPECT_EQ(CSize(46, 29), GetResourceImageSize(L"CommandBars.Frame", L"CaptionButtonSize", CSize(0, 0)));

    EXPECT_FALSE(themes.SetTheme(L"CLASSIC_INI"));
    EXPECT_EQ(CString(L"VISUALSTUDIO2015DARKW10_INI"), pGlobal->GetThemeName()) << "the loaded theme stays";
    EXPECT_FALSE(themes.SetTheme(L""));

    themes.Reset();
    EXPECT_FALSE(pGlobal->IsLoaded());
    EXPECT_EQ(RGB(1, 2, 3), GetResourceImageColor(L"CommandBars", L"Back", RGB(1, 2, 3)));
}

TEST(ThemeDLL, FamilyModulesAreMappedAsDataOnly)
{
    WCHAR szExe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, szExe, MAX_PATH);
    std::wstring folder(szExe);
    folder = folder.substr(0, folder.rfind(L'\\'));
    const std::wstring module = folder + L"\\ThemeFamilyTestModule.dll";
    const std::wstring styles = folder + L"\\Styles";
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(module.c_str()));
    CreateDirectoryW(styles.c_str(), nullptr);
    const std::wstring planted = styles + L"\\VisualStudio2015.dll";
    ASSERT_TRUE(CopyFileW(module.c_str(), planted.c_str(), FALSE));
    SetEnvironmentVariableW(L"LORVANE_THEME_MODULE_RAN", nullptr);
    {
        CLVKThemeDLL themes;
        EXPECT_NE(nullptr, themes.GetFamilyModule(CLVKThemeDLL::familyVisualStudio2015));
        for (int i = 0; i < CLVKThemeDLL::familyCount; ++i)
        {
            if (i != CLVKThemeDLL::familyVisualStudio2015)
            {
                EXPECT_EQ(nullptr, themes.GetFamilyModule(i)) << i;
            }
        }
        EXPECT_EQ(0u, GetEnvironmentVariableW(L"LORVANE_THEME_MODULE_RAN", nullptr, 0))
            << "the planted module's entry point did not run";

        ASSERT_TRUE(themes.SetTheme(L"VisualStudio2015DarkW10_INI"));
        EXPECT_EQ(CString(L"FROMFAMILYMODULE"), CLVKResourceImages::GetGlobal()->GetValue(L"Theme", L"Name"));
        themes.Reset();
    }
    DeleteFileW(planted.c_str());

    // Only the Office 2013 family present.
    const std::wstring office = styles + L"\\Office2013.dll";
    ASSERT_TRUE(CopyFileW(module.c_str(), office.c_str(), FALSE));
    {
        CLVKThemeDLL themes;
        EXPECT_TRUE(themes.LoadModules(nullptr));
        EXPECT_NE(nullptr, themes.GetFamilyModule(CLVKThemeDLL::familyOffice2013));
        EXPECT_EQ(nullptr, themes.GetFamilyModule(CLVKThemeDLL::familyVisualStudio2015));
    }
    DeleteFileW(office.c_str());
    RemoveDirectoryW(styles.c_str());
    CLVKThemeDLL none;
    EXPECT_FALSE(none.LoadModules(nullptr)) << "no Styles folder";

    // The mark is real: loading the module as code runs its entry point.
    HMODULE hCode = LoadLibraryW(module.c_str());
    ASSERT_NE(nullptr, hCode);
    EXPECT_NE(0u, GetEnvironmentVariableW(L"LORVANE_THEME_MODULE_RAN", nullptr, 0));
    FreeLibrary(hCode);
    SetEnvironmentVariableW(L"LORVANE_THEME_MODULE_RAN", nullptr);
}

namespace
{
class ThemeChangeSink : public CLVKNotifySinkBase
{
public:
    void OnEvent(UINT nEvent, DWORD, DWORD, DWORD) override
    {
        if (nEvent == LVK_NOTIFY_RESOURCE_IMAGES_CHANGED)
            ++m_nCalls;
    }
    int m_nCalls = 0;
};
}  // namespace

TEST(ResourceImages, LoadingAThemeTellsTheListeners)
{
    CLVKResourceImages images;
    ThemeChangeSink sink;
    sink.Advise(images.GetConnection(), LVK_NOTIFY_RESOURCE_IMAGES_CHANGED);
    images.LoadTheme(GetModuleHandleW(nullptr), L"VISUALSTUDIO2015LIGHT_INI", FALSE);
    images.LoadTheme(GetModuleHandleW(nullptr), L"NO_SUCH_INI", FALSE);
    EXPECT_EQ(2, sink.m_nCalls) << "also when nothing was found";
    EXPECT_FALSE(images.IsLoaded());
    sink.UnadviseAll();
}

TEST(ResourceImage, KeyColourThroughAnAlphaBuffer)
{
    CLVKResourceImages images;
    HBITMAP hKeyed = MakePicture(4, 4, [](int x, int) { return x < 2 ? RGB(255, 0, 255) : RGB(0, 0, 200); });
    CLVKResourceImage keyed(&images);
    ASSERT_TRUE(keyed.SetBitmap(hKeyed, FALSE));
    DeleteObject(hKeyed);
    DibSurface target(4, 4, RGB(0, 100, 0));
    keyed.DrawTransparentAlpha(target.GetDC(), CRect(0, 0, 4, 4), CRect(0, 0, 4, 4), CRect(0, 0, 0, 0),
                               RGB(255, 0, 255), 1);
    EXPECT_EQ(RGB(0, 100, 0), target.Pixel(0, 0)) << "key pixels are transparent";
    EXPECT_EQ(RGB(0, 0, 200), target.Pixel(3, 3)) << "the others opaque";
}
