// The toolkit colour table and the paint-manager colour values. The table is
// computed from system colours handed in through the manager's system-colour
// function, so each scheme's derived entries can be checked exactly; the
// process-wide table is checked against Wine's real system colours.
#include "Foundation/ColorManager.h"
#include "Foundation/PaintManagerColor.h"
#include "Foundation/SystemVersion.h"
#include "Foundation/WinThemeWrapper.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{

const COLORREF kNoColor = static_cast<COLORREF>(-1);

// The system colours the manager reads, set by each test.
COLORREF g_sysColors[31] = {};

COLORREF WINAPI PlayedSysColor(int nIndex)
{
    return nIndex >= 0 && nIndex < 31 ? g_sysColors[nIndex] : 0;
}

COLORREF Grey(int n)
{
    return RGB(n, n, n);
}

void SetClassicScheme()
{
    for (COLORREF& clr : g_sysColors)
        clr = Grey(100);
    g_sysColors[COLOR_WINDOW] = Grey(255);          // 5
    g_sysColors[COLOR_MENUTEXT] = Grey(0);          // 7
    g_sysColors[COLOR_WINDOWTEXT] = Grey(0);        // 8
    g_sysColors[COLOR_HIGHLIGHT] = RGB(0, 0, 128);  // 13
    g_sysColors[COLOR_HIGHLIGHTTEXT] = Grey(255);   // 14
    g_sysColors[COLOR_BTNFACE] = Grey(192);         // 15
    g_sysColors[COLOR_BTNSHADOW] = Grey(128);       // 16
    g_sysColors[COLOR_GRAYTEXT] = Grey(128);        // 17
    g_sysColors[COLOR_BTNTEXT] = Grey(0);           // 18
}

void SetHighContrastBlackScheme()
{
    SetClassicScheme();
    g_sysColors[COLOR_WINDOW] = Grey(0);
    g_sysColors[COLOR_HIGHLIGHT] = RGB(0, 255, 255);
    g_sysColors[COLOR_BTNFACE] = Grey(0);
    g_sysColors[COLOR_BTNTEXT] = Grey(255);
}

// A manager over the played system colours, with the screen depth chosen by
// the test (Wine's screen is never 8-bit).
class PlayedColorManager : public CLVKColorManager
{
public:
    explicit PlayedColorManager(BOOL bLowColor = FALSE) : CLVKColorManager(FALSE), m_bLowColor(bLowColor)
    {
        SetSysColorFunction(&PlayedSysColor);
    }

protected:
    BOOL IsLowColorScreen() const override { return m_bLowColor; }

private:
    BOOL m_bLowColor;
};

// The tree-view border colour the table takes from the theme when it can.
COLORREF ExpectedTreeBorder(COLORREF clrFallback)
{
    CLVKWinThemeWrapper wrapper;
    wrapper.OpenThemeData(nullptr, L"TREEVIEW");
    COLORREF clr = 0;
    if (wrapper.IsAppThemeReady() && SUCCEEDED(wrapper.GetThemeColor(0, 0, 3801, &clr)))
        return clr;
    return clrFallback;
}

}  // namespace

TEST(ColorManagerTest, BlendColors)
{
    struct Case
    {
        const char* pszName;
        COLORREF a, b;
        int nPart;
        COLORREF expected;
    };
    const Case cases[] = {
        {"half of white, rounded up", Grey(255), Grey(0), 50, Grey(128)},
        {"165 per mille of white", Grey(255), Grey(0), 165, Grey(42)},
        {"all of the first", RGB(1, 2, 3), Grey(200), 100 * 10, RGB(1, 2, 3)},
        {"none of the first", RGB(1, 2, 3), RGB(7, 8, 9), 0, RGB(7, 8, 9)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, CLVKColorManager::BlendColors(c.a, c.b, c.nPart)) << c.pszName;
}

TEST(ColorManagerTest, DistanceWeighsGreenMostAndDarkColoursNeedMore)
{
    EXPECT_NEAR(195.0, CLVKColorManager::ColorDistance(RGB(255, 0, 0), 0), 1e-9);
    EXPECT_NEAR(390.0, CLVKColorManager::ColorDistance(RGB(0, 255, 0), 0), 1e-9);
    EXPECT_NEAR(65.0, CLVKColorManager::ColorDistance(RGB(0, 0, 255), 0), 1e-9);
    EXPECT_NEAR(100.0, CLVKColorManager::ScaleThreshold(0, 50), 1e-9);
    EXPECT_NEAR(50.0, CLVKColorManager::ScaleThreshold(300, 50), 1e-9);
    EXPECT_NEAR(75.0, CLVKColorManager::ScaleThreshold(110, 50), 1e-9);
    // Grey 192 and grey 202 lie about 17.3 apart.
    EXPECT_TRUE(CLVKColorManager::IsColorDistanceAbove(Grey(192), Grey(202), FALSE, 17));
    EXPECT_FALSE(CLVKColorManager::IsColorDistanceAbove(Grey(192), Grey(202), FALSE, 18));
    // Near black the scaled threshold doubles.
    EXPECT_TRUE(CLVKColorManager::IsColorDistanceAbove(Grey(0), Grey(40), FALSE, 60));
    EXPECT_FALSE(CLVKColorManager::IsColorDistanceAbove(Grey(0), Grey(40), TRUE, 60));
}

TEST(ColorManagerTest, PullAndPushEndAtTheThresholdDistance)
{
    struct Case
    {
        const char* pszName;
        COLORREF a, b;
        double t;
    };
    const Case pulls[] = {
        {"grey toward white", Grey(192), Grey(255), 35},
        {"dark toward light", Grey(30), Grey(220), 50},
        {"blue toward yellow", RGB(0, 0, 200), RGB(220, 220, 0), 60},
    };
    for (const Case& c : pulls)
    {
        const COLORREF clr = CLVKColorManager::PullColorToward(c.a, c.b, c.t);
        const double dExpected = CLVKColorManager::ScaleThreshold(CLVKColorManager::Brightness(c.a), c.t);
        EXPECT_NEAR(dExpected, CLVKColorManager::ColorDistance(c.a, clr), 2.5) << c.pszName;
    }
    const Case pushes[] = {
        {"light grey pushed darker", Grey(202), Grey(190), 50},
        {"dark grey pushed lighter", Grey(20), Grey(30), 40},
        {"white pushed from white", Grey(255), Grey(250), 85},
    };
    for (const Case& c : pushes)
    {
        const COLORREF clr = CLVKColorManager::PushColorAway(c.a, c.b, c.t);
        const double dExpected = CLVKColorManager::ScaleThreshold(CLVKColorManager::Brightness(c.a), c.t);
        EXPECT_NEAR(dExpected, CLVKColorManager::ColorDistance(c.a, clr), 2.5) << c.pszName;
    }
    // A ray that passes too far from the first colour has no point at the
    // distance: every channel is 0.
    EXPECT_EQ(RGB(0, 0, 0), CLVKColorManager::PushColorAway(RGB(255, 0, 0), RGB(0, 0, 255), 10));
}

TEST(ColorManagerTest, ClassicSchemeDerivedEntries)
{
    SetClassicScheme();
    PlayedColorManager manager;
    manager.RecomputeColors(TRUE);

    struct Case
    {
        int nIndex;
        COLORREF expected;
        const char* pszWhy;
    };
    const Case cases[] = {
        {0, 0, "never filled"},
        {5, Grey(255), "system colour"},
        {13, RGB(0, 0, 128), "system colour"},
        {22, Grey(207), "face plus 15 replaces the 3D light"},
        {30, Grey(202), "165 per mille of window into face, close enough to the face"},
        {32, RGB(0, 0, 128), "highlight, far from entry 30"},
        {33, RGB(128, 128, 192), "half highlight, half window"},
        {35, Grey(166), "grey text blended, far enough from entry 41"},
        {36, RGB(203, 203, 215), "30/2 + 5*2/5 + 13/10 per channel"},
        {37, RGB(0, 0, 128), "highlight, far from entry 33"},
        {39, Grey(166), "70 per cent shadow"},
        {40, Grey(141), "90 per cent shadow"},
        {41, Grey(246), "143 per mille of face into window"},
        {42, Grey(186), "90 per cent face into shadow"},
        {43, Grey(102), "20 per cent button text into shadow"},
        {44, Grey(0), "window text, far from entry 41"},
        {46, Grey(0), "button text, far from entry 30"},
        {47, Grey(255), "highlight text, far from entry 33"},
        {48, Grey(227), "face brightened by 35"},
        {49, Grey(85), "shadow darkened by 43"},
        {50, RGB(0, 0, 128), "highlight"},
        {51, Grey(192), "face"},
        {52, Grey(128), "shadow"},
        {53, Grey(202), "entry 30"},
        {54, Grey(128), "shadow, no Windows theme"},
        {55, Grey(192), "face"},
        {56, Grey(192), "face"},
        {57, ExpectedTreeBorder(Grey(128)), "tree-view border from the theme, else shadow"},
        {58, Grey(141), "entry 40"},
        {59, 0, "black"},
        {60, Grey(141), "computed entry 40"},
        {61, Grey(109), "15 per cent button text into shadow"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, manager.GetColor(c.nIndex)) << "entry " << c.nIndex << ": " << c.pszWhy;

    // Entry 34 is three quarters of entry 31, whatever the correction made
    // of 31; 31 and 38 were pushed away from entry 30.
    const COLORREF c31 = manager.GetColor(31);
    EXPECT_EQ(RGB(GetRValue(c31) * 3 / 4, GetGValue(c31) * 3 / 4, GetBValue(c31) * 3 / 4), manager.GetColor(34));
    EXPECT_NE(RGB(179, 179, 217), c31) << "the plain blend lies too close to entry 30";
    EXPECT_NEAR(50.0, CLVKColorManager::ColorDistance(manager.GetColor(30), c31), 2.5);
    EXPECT_NEAR(85.0, CLVKColorManager::ColorDistance(manager.GetColor(30), manager.GetColor(38)), 2.5);
}

TEST(ColorManagerTest, ClassicSchemeGradientsWithoutWindowsTheme)
{
    SetClassicScheme();
    PlayedColorManager manager;
    manager.RecomputeColors(TRUE);
    EXPECT_EQ(0, manager.GetWindowsTheme()) << "Wine's comctl32 reports 5.81: no theme style is detected";
    EXPECT_EQ(Grey(128), manager.GetGradient(1).GetFirst());
    EXPECT_EQ(Grey(128), manager.GetGradient(1).GetSecond());
    EXPECT_EQ(Grey(192), manager.GetGradient(2).GetFirst());
    EXPECT_EQ(Grey(241), manager.GetGradient(2).GetSecond());
    EXPECT_EQ(0.5f, manager.GetGradient(2).GetFactor());
    EXPECT_EQ(static_cast<COLORREF>(0x8CD5FF), manager.GetGradient(8).GetFirst()) << "fixed at construction";
    EXPECT_EQ(static_cast<COLORREF>(0x97D4FF), manager.GetGradient(10).GetSecond());
}

TEST(ColorManagerTest, ThemeSettingChoosesTheStyleGradients)
{
    SetClassicScheme();
    struct Case
    {
        const char* pszName;
        int nTheme;
        COLORREF entry54, grad1a, grad1b;
        float factor4;
    };
    const Case cases[] = {
        {"Luna blue", 1, 0x962D00, 0xD68759, 0x962D00, 0.75f},
        {"Luna olive", 2, 0x588060, 0x82C0AF, 0x447A63, 0.3f},
        {"Luna silver", 3, 0x947C7C, 0xBFA7A8, 0x916F70, 0.75f},
        {"Royale looks like Luna blue", 4, 0x962D00, 0xD68759, 0x962D00, 0.75f},
        {"Aero looks like Luna blue", 5, 0x962D00, 0xD68759, 0x962D00, 0.75f},
    };
    for (const Case& c : cases)
    {
        PlayedColorManager manager;
        manager.SetWindowsTheme(c.nTheme);
        manager.RecomputeColors(TRUE);
        EXPECT_EQ(c.entry54, manager.GetColor(54)) << c.pszName;
        EXPECT_EQ(c.grad1a, manager.GetGradient(1).GetFirst()) << c.pszName;
        EXPECT_EQ(c.grad1b, manager.GetGradient(1).GetSecond()) << c.pszName;
        EXPECT_EQ(c.factor4, manager.GetGradient(4).GetFactor()) << c.pszName;

        // With Luna colours off the system colours come back.
        manager.SetLunaColorsOff(TRUE);
        manager.UpdateThemeGradients();
        EXPECT_EQ(Grey(128), manager.GetGradient(1).GetFirst()) << c.pszName;
    }
}

TEST(ColorManagerTest, HighContrastTakesHighlightAndText)
{
    SetHighContrastBlackScheme();
    PlayedColorManager manager;
    manager.RecomputeColors(TRUE);
    const COLORREF clrHighlight = RGB(0, 255, 255);
    for (const int nIndex : {31, 36, 50})
        EXPECT_EQ(clrHighlight, manager.GetColor(nIndex)) << "entry " << nIndex;
    for (const int nIndex : {32, 37, 38, 43})
        EXPECT_EQ(Grey(255), manager.GetColor(nIndex)) << "entry " << nIndex;
    EXPECT_EQ(Grey(0), manager.GetColor(30)) << "no blend: the face";
    EXPECT_EQ(static_cast<COLORREF>(0x232323), manager.GetColor(48)) << "black face";
    EXPECT_EQ(static_cast<COLORREF>(0x7F7F7F), manager.GetColor(49)) << "black face";
}

TEST(ColorManagerTest, LowColourScreenKeepsTheFirstValues)
{
    SetClassicScheme();
    PlayedColorManager manager(TRUE);
    manager.RecomputeColors(TRUE);
    struct Case
    {
        int nIndex;
        COLORREF expected;
    };
    const Case cases[] = {
        {22, Grey(100)}, {30, Grey(192)}, {31, Grey(255)}, {33, RGB(0, 0, 128)}, {35, Grey(128)},
        {36, Grey(255)}, {38, Grey(128)}, {41, Grey(255)}, {44, Grey(0)},        {47, Grey(255)},
        {48, Grey(128)}, {49, Grey(255)}, {53, Grey(192)}, {58, Grey(128)},      {61, Grey(128)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, manager.GetColor(c.nIndex)) << "entry " << c.nIndex;
    for (const int nGradient : {2, 4})
    {
        EXPECT_EQ(Grey(192), manager.GetGradient(nGradient).GetFirst()) << "gradient " << nGradient;
        EXPECT_EQ(Grey(192), manager.GetGradient(nGradient).GetSecond()) << "gradient " << nGradient;
    }
}

TEST(ColorManagerTest, CustomValueWinsUntilClearedByRecompute)
{
    SetClassicScheme();
    PlayedColorManager manager;
    manager.RecomputeColors(TRUE);
    const COLORREF clrComputed = manager.GetColor(40);
    manager.SetCustomColor(40, RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), manager.GetColor(40));
    manager.RecomputeColors(FALSE);
    EXPECT_EQ(RGB(1, 2, 3), manager.GetColor(40));
    EXPECT_EQ(RGB(1, 2, 3), manager.GetColor(58)) << "derived from the custom entry 40";
    EXPECT_EQ(clrComputed, manager.GetColor(60)) << "takes the computed entry 40";
    manager.RecomputeColors(TRUE);
    EXPECT_EQ(clrComputed, manager.GetColor(40));
}

TEST(ToolkitColorTest, IndexOrColour)
{
    EXPECT_EQ(63u, GetToolkitColor(63));
    EXPECT_EQ(static_cast<COLORREF>(0x00123456), GetToolkitColor(0x00123456));
    EXPECT_EQ(static_cast<COLORREF>(0x7FFFFFFF), GetToolkitColor(-1));
    EXPECT_EQ(0u, GetToolkitColor(0));
}

TEST(ToolkitColorTest, GlobalTableFollowsWinesSystemColours)
{
    RecomputeToolkitColors(TRUE);
    for (int i = 1; i <= 29; ++i)
    {
        if (i == COLOR_3DLIGHT)
            continue;
        EXPECT_EQ(::GetSysColor(i), GetToolkitColor(i)) << "entry " << i;
    }
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    const auto plus15 = [](int n) { return n + 15 > 255 ? 255 : n + 15; };
    EXPECT_EQ(RGB(plus15(GetRValue(clrFace)), plus15(GetGValue(clrFace)), plus15(GetBValue(clrFace))),
              GetToolkitColor(COLOR_3DLIGHT));
    EXPECT_EQ(CLVKColorManager::BlendColors(::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_WINDOW), 143),
              GetToolkitColor(41));

    CLVKColorManager::GetGlobal()->SetCustomColor(41, RGB(9, 8, 7));
    EXPECT_EQ(RGB(9, 8, 7), GetToolkitColor(41));
    RecomputeToolkitColors(TRUE);
    EXPECT_NE(RGB(9, 8, 7), GetToolkitColor(41));
}

TEST(PaintManagerColorTest, CustomWinsOverStandard)
{
    CLVKPaintManagerColor clr;
    EXPECT_EQ(kNoColor, clr.GetColor());
    clr.SetStandardValue(RGB(1, 1, 1));
    EXPECT_EQ(RGB(1, 1, 1), clr.GetColor());
    clr.SetCustomValue(RGB(2, 2, 2));
    EXPECT_EQ(RGB(2, 2, 2), clr.GetColor());
    clr.SetDefaultValue();
    EXPECT_EQ(RGB(1, 1, 1), static_cast<COLORREF>(clr));

    CLVKPaintManagerColorGradient source(RGB(10, 10, 10), RGB(20, 20, 20), 0.3f);
    source.SetCustomValue(RGB(30, 30, 30), kNoColor);
    CLVKPaintManagerColorGradient copy;
    copy.SetStandardFrom(source);
    EXPECT_EQ(RGB(30, 30, 30), copy.m_clr1.GetStandardColor()) << "the effective colour becomes standard";
    EXPECT_EQ(RGB(20, 20, 20), copy.GetSecond());
    EXPECT_EQ(0.3f, copy.GetFactor());

    const CLVKPaintManagerColorGradient solid(RGB(5, 5, 5));
    EXPECT_EQ(RGB(5, 5, 5), solid.GetFirst());
    EXPECT_EQ(RGB(5, 5, 5), solid.GetSecond());
    EXPECT_EQ(0.5f, solid.GetFactor());
}

TEST(PaintManagerColorTest, SerializesStandardCustomAndFactor)
{
    CLVKPaintManagerColorGradient stored(RGB(1, 2, 3), RGB(4, 5, 6), 0.75f);
    stored.m_clr2.SetCustomValue(RGB(7, 8, 9));
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        stored.Serialize(ar);
    }
    ASSERT_EQ(20u, file.GetLength());
    std::vector<BYTE> bytes(20);
    file.SeekToBegin();
    file.Read(bytes.data(), 20);
    DWORD words[5] = {};
    memcpy(words, bytes.data(), 20);
    EXPECT_EQ(RGB(1, 2, 3), words[0]);
    EXPECT_EQ(kNoColor, words[1]);
    EXPECT_EQ(RGB(4, 5, 6), words[2]);
    EXPECT_EQ(RGB(7, 8, 9), words[3]);
    float fFactor = 0;
    memcpy(&fFactor, &words[4], 4);
    EXPECT_EQ(0.75f, fFactor);

    file.SeekToBegin();
    CLVKPaintManagerColorGradient loaded;
    {
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
    }
    EXPECT_EQ(RGB(1, 2, 3), loaded.GetFirst());
    EXPECT_EQ(RGB(7, 8, 9), loaded.GetSecond());
    EXPECT_EQ(RGB(4, 5, 6), loaded.m_clr2.GetStandardColor());
    EXPECT_EQ(0.75f, loaded.GetFactor());
}

namespace
{

// The visual style a played uxtheme reports.
LPCWSTR g_lpszThemeFile = L"";
LPCWSTR g_lpszColorScheme = L"";

BOOL WINAPI ThemesOn()
{
    return TRUE;
}

HRESULT WINAPI PlayedCurrentThemeName(LPWSTR pszFile, int cchFile, LPWSTR pszColor, int cchColor, LPWSTR pszSize,
                                      int cchSize)
{
    lstrcpynW(pszFile, g_lpszThemeFile, cchFile);
    lstrcpynW(pszColor, g_lpszColorScheme, cchColor);
    lstrcpynW(pszSize, L"NormalSize", cchSize);
    return S_OK;
}

FARPROC AsEntryPoint(void* pfn)
{
    return reinterpret_cast<FARPROC>(pfn);
}

}  // namespace

TEST(ColorManagerTest, DetectsTheVisualStyleFromTheThemeName)
{
    struct Case
    {
        const char* pszName;
        LPCWSTR lpszFile;
        LPCWSTR lpszColor;
        BOOL bDetectRoyale;
        BOOL bDetectAero;
        int nExpected;
    };
    const Case cases[] = {
        {"Luna normal colour", L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", L"NormalColor", TRUE, TRUE, 1},
        {"Luna homestead", L"c:\\themes\\luna.msstyles", L"HomeStead", TRUE, TRUE, 2},
        {"Luna metallic", L"c:\\themes\\LUNA.MSSTYLES", L"Metallic", TRUE, TRUE, 3},
        {"Luna with another scheme, Aero detection on", L"c:\\luna.msstyles", L"Other", TRUE, TRUE, 0},
        {"Royale", L"c:\\themes\\Royale.msstyles", L"NormalColor", TRUE, TRUE, 4},
        {"Royale not detected", L"c:\\themes\\Royale.msstyles", L"NormalColor", FALSE, TRUE, 0},
        {"Aero", L"c:\\themes\\aero\\aero.msstyles", L"NormalColor", TRUE, TRUE, 5},
        {"Aero not detected", L"c:\\themes\\aero\\aero.msstyles", L"NormalColor", TRUE, FALSE, 0},
        {"Wine's Light style", L"c:\\windows\\resources\\themes\\light\\light.msstyles", L"Blue", TRUE, TRUE, 0},
    };
    for (const Case& c : cases)
    {
        g_lpszThemeFile = c.lpszFile;
        g_lpszColorScheme = c.lpszColor;
        CLVKWinThemeWrapper wrapper;
        auto* const pTable = new LVKWinThemeApiTable(nullptr, 0x60000);
        pTable->slots[CLVKWinThemeWrapper::slotIsThemeActive] = AsEntryPoint(reinterpret_cast<void*>(&ThemesOn));
        pTable->slots[CLVKWinThemeWrapper::slotIsAppThemed] = AsEntryPoint(reinterpret_cast<void*>(&ThemesOn));
        pTable->slots[CLVKWinThemeWrapper::slotGetCurrentThemeName] =
            AsEntryPoint(reinterpret_cast<void*>(&PlayedCurrentThemeName));
        wrapper.SetPrivateApiTable(pTable);

        PlayedColorManager manager;
        manager.SetDetectRoyale(c.bDetectRoyale);
        manager.SetDetectAero(c.bDetectAero);
        EXPECT_EQ(c.nExpected, manager.DetectWindowsTheme(&wrapper)) << c.pszName;

        PlayedColorManager lowColor(TRUE);
        EXPECT_EQ(0, lowColor.DetectWindowsTheme(&wrapper)) << c.pszName << " on an 8-bit screen";
    }
    // Wine itself: comctl32 reports 5.81, so no style is followed.
    PlayedColorManager manager;
    if (HIWORD(CLVKSystemVersion::GetComCtlVersion()) < 6)
    {
        EXPECT_EQ(0, manager.DetectWindowsTheme());
    }
}
