// The OS version answers and the module holder. Wine plays one system
// (Windows 7 by default) and has no Windows 11 setting, so the answers for
// other systems are checked against a played system handed in through the
// version source: VerifyVersionInfoW as a manifest-less program sees it,
// RtlGetVersion as the kernel reports it, and GetVersionExW for systems
// without VerifyVersionInfoW.
#include "Foundation/ModuleHandle.h"
#include "Foundation/SystemVersion.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace
{

struct PlayedSystem
{
    const char* pszName;
    DWORD dwPlatform;
    // What VerifyVersionInfoW and GetVersionExW see (capped by the manifest).
    DWORD dwMajor, dwMinor;
    // What RtlGetVersion reports; 0 major: RtlGetVersion is missing.
    DWORD dwRtlMajor, dwRtlMinor, dwRtlBuild;
    BOOL bHasVerifyVersionInfo;
};

const PlayedSystem* g_pSystem = nullptr;
int g_nVerifyCalls = 0;
int g_nRtlCalls = 0;
int g_nRtlFailuresLeft = 0;

// The condition of each type bit, three bits per type as the real mask has it.
ULONGLONG WINAPI FakeVerSetConditionMask(ULONGLONG mask, DWORD dwTypeBit, BYTE condition)
{
    for (int nIndex = 0; nIndex < 8; nIndex++)
    {
        if (dwTypeBit & (1u << nIndex))
            mask |= static_cast<ULONGLONG>(condition & 7) << (nIndex * 3);
    }
    return mask;
}

BYTE ConditionOf(ULONGLONG mask, DWORD dwTypeBit)
{
    for (int nIndex = 0; nIndex < 8; nIndex++)
    {
        if (dwTypeBit == (1u << nIndex))
            return static_cast<BYTE>((mask >> (nIndex * 3)) & 7);
    }
    return 0;
}

BOOL Compare(DWORD dwSystem, DWORD dwWanted, BYTE condition)
{
    switch (condition)
    {
    case VER_EQUAL:
        return dwSystem == dwWanted;
    case VER_GREATER_EQUAL:
        return dwSystem >= dwWanted;
    default:
        return FALSE;
    }
}

// Major and minor are compared as one version number, as the system does.
BOOL WINAPI FakeVerifyVersionInfo(OSVERSIONINFOEXW* pInfo, DWORD dwTypeMask, DWORDLONG mask)
{
    g_nVerifyCalls++;
    EXPECT_EQ(static_cast<DWORD>(VER_MAJORVERSION | VER_MINORVERSION | VER_PLATFORMID), dwTypeMask);
    const BYTE condition = ConditionOf(mask, VER_MAJORVERSION);
    EXPECT_EQ(condition, ConditionOf(mask, VER_MINORVERSION));
    if (!Compare(g_pSystem->dwPlatform, pInfo->dwPlatformId, ConditionOf(mask, VER_PLATFORMID)))
        return FALSE;
    const DWORD dwSystem = g_pSystem->dwMajor << 16 | g_pSystem->dwMinor;
    const DWORD dwWanted = pInfo->dwMajorVersion << 16 | pInfo->dwMinorVersion;
    return Compare(dwSystem, dwWanted, condition);
}

LONG WINAPI FakeRtlGetVersion(OSVERSIONINFOEXW* pInfo)
{
    g_nRtlCalls++;
    if (g_nRtlFailuresLeft > 0)
    {
        g_nRtlFailuresLeft--;
        return static_cast<LONG>(0xC0000001);  // STATUS_UNSUCCESSFUL
    }
    pInfo->dwMajorVersion = g_pSystem->dwRtlMajor;
    pInfo->dwMinorVersion = g_pSystem->dwRtlMinor;
    pInfo->dwBuildNumber = g_pSystem->dwRtlBuild;
    pInfo->dwPlatformId = g_pSystem->dwPlatform;
    return 0;
}

BOOL WINAPI FakeGetVersionEx(OSVERSIONINFOW* pInfo)
{
    pInfo->dwMajorVersion = g_pSystem->dwMajor;
    pInfo->dwMinorVersion = g_pSystem->dwMinor;
    pInfo->dwPlatformId = g_pSystem->dwPlatform;
    return TRUE;
}

int WINAPI FakeGetSystemMetrics(int)
{
    return 0;
}

CLVKSystemVersion::VersionSource SourceFor(const PlayedSystem& system)
{
    g_pSystem = &system;
    CLVKSystemVersion::VersionSource source;
    if (system.bHasVerifyVersionInfo)
    {
        source.pfnVerifyVersionInfo = &FakeVerifyVersionInfo;
        source.pfnVerSetConditionMask = &FakeVerSetConditionMask;
    }
    if (system.dwRtlMajor != 0)
        source.pfnRtlGetVersion = &FakeRtlGetVersion;
    source.pfnGetVersionEx = &FakeGetVersionEx;
    source.pfnGetSystemMetrics = &FakeGetSystemMetrics;
    return source;
}

typedef BOOL (CLVKSystemVersion::*Query)();

struct NamedQuery
{
    const char* pszName;
    Query pfnQuery;
};

const NamedQuery kQueries[] = {
    {"Win95", &CLVKSystemVersion::IsWin95},
    {"Win98", &CLVKSystemVersion::IsWin98},
    {"WinME", &CLVKSystemVersion::IsWinME},
    {"Win9x", &CLVKSystemVersion::IsWin9x},
    {"WinNT4", &CLVKSystemVersion::IsWinNT4},
    {"NT4OrGreater", &CLVKSystemVersion::IsNT4OrGreater},
    {"Win2000", &CLVKSystemVersion::IsWin2000},
    {"Win2000OrGreater", &CLVKSystemVersion::IsWin2000OrGreater},
    {"WinXP", &CLVKSystemVersion::IsWinXP},
    {"WinXPOrGreater", &CLVKSystemVersion::IsWinXPOrGreater},
    {"VistaOrGreater", &CLVKSystemVersion::IsVistaOrGreater},
    {"Win7OrGreater", &CLVKSystemVersion::IsWin7OrGreater},
    {"Win81OrGreater", &CLVKSystemVersion::IsWin81OrGreater},
    {"Win10OrGreater", &CLVKSystemVersion::IsWin10OrGreater},
    {"Win11OrGreater", &CLVKSystemVersion::IsWin11OrGreater},
    {"ClearType", &CLVKSystemVersion::IsClearTypeTextQualitySupported},
    {"LayoutRTL", &CLVKSystemVersion::IsLayoutRTLSupported},
};

struct SystemCase
{
    PlayedSystem system;
    // Every query not named here must answer FALSE.
    std::set<std::string> trueQueries;
};

const std::set<std::string> kModernNT = {"NT4OrGreater",  "Win2000OrGreater", "WinXPOrGreater", "VistaOrGreater",
                                         "Win7OrGreater", "ClearType",        "LayoutRTL"};

std::set<std::string> With(std::set<std::string> base, std::set<std::string> more)
{
    base.insert(more.begin(), more.end());
    return base;
}

const SystemCase kSystems[] = {
    {{"Windows 7 SP1", VER_PLATFORM_WIN32_NT, 6, 1, 6, 1, 7601, TRUE}, kModernNT},
    {{"Windows 8.1 with a manifest", VER_PLATFORM_WIN32_NT, 6, 3, 6, 3, 9600, TRUE},
     With(kModernNT, {"Win81OrGreater"})},
    // Without the Windows 10 id in the manifest VerifyVersionInfoW stops at
    // 6.2; only RtlGetVersion tells the truth.
    {{"Windows 10 without a manifest", VER_PLATFORM_WIN32_NT, 6, 2, 10, 0, 19045, TRUE},
     With(kModernNT, {"Win81OrGreater", "Win10OrGreater"})},
    {{"Windows 10 build 21995", VER_PLATFORM_WIN32_NT, 6, 2, 10, 0, 21995, TRUE},
     With(kModernNT, {"Win81OrGreater", "Win10OrGreater"})},
    {{"Windows 11 build 22000", VER_PLATFORM_WIN32_NT, 6, 2, 10, 0, 22000, TRUE},
     With(kModernNT, {"Win81OrGreater", "Win10OrGreater", "Win11OrGreater"})},
    {{"Windows XP", VER_PLATFORM_WIN32_NT, 5, 1, 5, 1, 2600, TRUE},
     {"NT4OrGreater", "Win2000OrGreater", "WinXP", "WinXPOrGreater", "ClearType", "LayoutRTL"}},
    {{"Windows 2000 without VerifyVersionInfoW", VER_PLATFORM_WIN32_NT, 5, 0, 0, 0, 0, FALSE},
     {"NT4OrGreater", "Win2000", "Win2000OrGreater", "LayoutRTL"}},
    {{"Windows NT 4.0 without VerifyVersionInfoW", VER_PLATFORM_WIN32_NT, 4, 0, 0, 0, 0, FALSE},
     {"WinNT4", "NT4OrGreater"}},
    // A 9x platform id is below NT's, so no "or greater" NT test passes.
    {{"Windows 98 without VerifyVersionInfoW", VER_PLATFORM_WIN32_WINDOWS, 4, 10, 0, 0, 0, FALSE}, {"Win98", "Win9x"}},
    {{"Windows ME without VerifyVersionInfoW", VER_PLATFORM_WIN32_WINDOWS, 4, 90, 0, 0, 0, FALSE}, {"WinME", "Win9x"}},
};

TEST(SystemVersion, AnswersMatchThePlayedSystem)
{
    for (const SystemCase& row : kSystems)
    {
        CLVKSystemVersion version(SourceFor(row.system));
        for (const NamedQuery& query : kQueries)
        {
            const bool bExpected = row.trueQueries.count(query.pszName) != 0;
            EXPECT_EQ(bExpected, (version.*query.pfnQuery)() != FALSE) << row.system.pszName << ": Is" << query.pszName;
        }
    }
}

TEST(SystemVersion, AnswersAreWorkedOutOnce)
{
    const PlayedSystem system = {"Windows 7", VER_PLATFORM_WIN32_NT, 6, 1, 6, 1, 7601, TRUE};
    CLVKSystemVersion version(SourceFor(system));
    g_nVerifyCalls = 0;
    g_nRtlCalls = 0;
    for (int i = 0; i < 3; i++)
    {
        version.IsWin7OrGreater();
        version.IsWin11OrGreater();
        version.IsWin10OrGreater();
    }
    EXPECT_EQ(1, g_nVerifyCalls);
    EXPECT_EQ(1, g_nRtlCalls);
}

TEST(SystemVersion, FailedRtlGetVersionIsAskedAgain)
{
    const PlayedSystem system = {"Windows 10", VER_PLATFORM_WIN32_NT, 6, 2, 10, 0, 19045, TRUE};
    CLVKSystemVersion version(SourceFor(system));
    g_nRtlCalls = 0;
    g_nRtlFailuresLeft = 1;
    EXPECT_FALSE(version.IsWin10OrGreater()) << "the failed call answers no";
    EXPECT_TRUE(version.IsWin10OrGreater()) << "the next question asks again";
    EXPECT_TRUE(version.IsWin10OrGreater());
    EXPECT_EQ(2, g_nRtlCalls);
}

TEST(SystemVersion, GetVersionExFormKnowsOnlyEqualAndGreaterOrEqual)
{
    const PlayedSystem system = {"Windows 2000", VER_PLATFORM_WIN32_NT, 5, 0, 0, 0, 0, FALSE};
    CLVKSystemVersion version(SourceFor(system));
    EXPECT_TRUE(version.IsVersion(VER_EQUAL, 5, 0, VER_PLATFORM_WIN32_NT));
    EXPECT_TRUE(version.IsVersion(VER_GREATER_EQUAL, 4, 90, VER_PLATFORM_WIN32_NT))
        << "a greater major wins whatever the minor";
    EXPECT_FALSE(version.IsVersion(VER_GREATER_EQUAL, 5, 1, VER_PLATFORM_WIN32_NT));
    EXPECT_FALSE(version.IsVersion(VER_GREATER, 4, 0, VER_PLATFORM_WIN32_NT)) << "any other condition never matches";
}

// The process's own answers under Wine: they must agree with what the kernel
// reports through RtlGetVersion, whatever system the prefix plays.
TEST(SystemVersion, RealSystemAgreesWithTheKernel)
{
    typedef LONG(WINAPI * PFNRTLGETVERSION)(OSVERSIONINFOEXW*);
    const auto pfnRtlGetVersion = reinterpret_cast<PFNRTLGETVERSION>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    ASSERT_NE(nullptr, pfnRtlGetVersion);
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    ASSERT_EQ(0, pfnRtlGetVersion(&info));

    CLVKSystemVersion* pVersion = CLVKSystemVersion::GetGlobal();
    EXPECT_EQ(pVersion, CLVKSystemVersion::GetGlobal());
    EXPECT_TRUE(pVersion->IsVistaOrGreater());
    EXPECT_EQ(info.dwMajorVersion >= 10, pVersion->IsWin10OrGreater() != FALSE);
    const bool bWin11 = info.dwMajorVersion > 10 || (info.dwMajorVersion == 10 && info.dwBuildNumber > 21995);
    EXPECT_EQ(bWin11, pVersion->IsWin11OrGreater() != FALSE);
    EXPECT_FALSE(pVersion->IsWin9x());
}

TEST(SystemVersion, ComCtlVersionIsTheLoadedComCtl32s)
{
    const HMODULE hComCtl = GetModuleHandleW(L"comctl32.dll");
    ASSERT_NE(nullptr, hComCtl);
    const auto pfnDllGetVersion =
        reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(GetProcAddress(hComCtl, "DllGetVersion")));
    ASSERT_NE(nullptr, pfnDllGetVersion);
    DLLVERSIONINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_EQ(S_OK, pfnDllGetVersion(&info));
    EXPECT_EQ(info.dwMajorVersion << 16 | info.dwMinorVersion, CLVKSystemVersion::GetComCtlVersion());
}

TEST(ModuleHandle, MinimumVersionHidesEntryPointsOfOlderDlls)
{
    CLVKModuleHandle comctl32(L"comctl32.dll");
    const DWORD dwVersion = comctl32.GetPackedDllVersion();
    ASSERT_GT(dwVersion, 0x10000u);
    const DWORD dwMajor = dwVersion >> 16;
    const DWORD dwMinor = dwVersion & 0xFFFF;

    struct Row
    {
        const char* pszCase;
        DWORD dwMinimum;
        bool bFound;
    } const rows[] = {
        {"no minimum", 0, true},
        {"exactly the DLL's version", dwVersion, true},
        {"a later minor version", dwMajor << 16 | (dwMinor + 1), false},
        {"a later major version", (dwMajor + 1) << 16, false},
        {"an earlier major with a larger minor", (dwMajor - 1) << 16 | 0xFFFF, true},
    };
    for (const Row& row : rows)
    {
        FARPROC pfn = reinterpret_cast<FARPROC>(1);
        EXPECT_EQ(row.bFound, comctl32.GetProcAddressChecked(pfn, "InitCommonControlsEx", row.dwMinimum) != FALSE)
            << row.pszCase;
        EXPECT_EQ(row.bFound, pfn != nullptr) << row.pszCase << ": the entry point is null when refused";
    }
}

TEST(ModuleHandle, TaskDialogNeedsComCtl6ButWineReportsAnOlderVersion)
{
    // Wine's comctl32 says 5.81 even with the version 6 manifest, so the
    // version-checked lookup refuses TaskDialogIndirect although it exists.
    CLVKModuleHandle comctl32;
    ASSERT_TRUE(comctl32.LoadModule(L"comctl32.dll"));
    FARPROC pfn = nullptr;
    const BOOL bExists = comctl32.GetProcAddressChecked(pfn, "TaskDialogIndirect");
    ASSERT_TRUE(bExists);
    const BOOL bVersion6 = comctl32.GetPackedDllVersion() >= 0x60000;
    EXPECT_EQ(bVersion6, comctl32.GetProcAddressChecked(pfn, "TaskDialogIndirect", 0x60000));
    EXPECT_EQ(bVersion6, pfn != nullptr);
}

// A system DLL this test program has not loaded, to watch loading and freeing.
std::wstring UnloadedDll()
{
    for (LPCWSTR lpszName : {L"mlang.dll", L"wldap32.dll", L"msacm32.dll", L"cabinet.dll"})
    {
        if (GetModuleHandleW(lpszName))
            continue;
        const HMODULE hProbe = LoadLibraryW(lpszName);
        if (!hProbe)
            continue;
        FreeLibrary(hProbe);
        if (!GetModuleHandleW(lpszName))
            return lpszName;
    }
    return std::wstring();
}

TEST(ModuleHandle, FreesOnlyWhatItLoadedAndOnlyOnce)
{
    const std::wstring dll = UnloadedDll();
    if (dll.empty())
        GTEST_SKIP() << "no unloaded system DLL to watch";

    // Loaded by the holder: freed by it, once.
    const HMODULE hOurs = LoadLibraryW(dll.c_str());
    {
        CLVKModuleHandle holder;
        ASSERT_TRUE(holder.LoadModule(dll.c_str()));
        EXPECT_EQ(CLVKModuleHandle::bindingLoaded, holder.GetBinding());
        EXPECT_TRUE(holder.LoadModule(dll.c_str())) << "loading the same name again keeps the binding";
        holder.FreeModule();
        holder.FreeModule();
    }
    EXPECT_NE(nullptr, GetModuleHandleW(dll.c_str())) << "our own reference must survive";

    // Found loaded: not freed by the holder.
    {
        CLVKModuleHandle holder;
        ASSERT_TRUE(holder.FindLoadedModule(dll.c_str()));
        EXPECT_EQ(CLVKModuleHandle::bindingFound, holder.GetBinding());
    }
    EXPECT_NE(nullptr, GetModuleHandleW(dll.c_str()));
    FreeLibrary(hOurs);
    EXPECT_EQ(nullptr, GetModuleHandleW(dll.c_str()));

    // A found module that is unloaded behind the holder's back is no longer valid.
    const HMODULE hAgain = LoadLibraryW(dll.c_str());
    CLVKModuleHandle holder;
    ASSERT_TRUE(holder.Bind(dll.c_str()));
    EXPECT_EQ(CLVKModuleHandle::bindingFound, holder.GetBinding());
    FreeLibrary(hAgain);
    EXPECT_FALSE(holder.IsModuleValid());
    EXPECT_EQ(CLVKModuleHandle::bindingNone, holder.GetBinding());
    FARPROC pfn = nullptr;
    EXPECT_FALSE(holder.GetProcAddressChecked(pfn, "DllMain"));
}

TEST(ModuleHandle, MissingDllBindsNothing)
{
    CLVKModuleHandle holder(L"lorvane-no-such-library.dll");
    EXPECT_EQ(nullptr, holder.GetModule());
    EXPECT_EQ(0u, holder.GetPackedDllVersion());
    FARPROC pfn = nullptr;
    EXPECT_FALSE(holder.GetProcAddressChecked(pfn, "DllGetVersion"));
}

TEST(ModuleHandle, FileNameMatchesTheEndIgnoringCase)
{
    CLVKModuleHandle kernel32(L"kernel32.dll");
    EXPECT_TRUE(kernel32.IsModuleFileName(L"KERNEL32.DLL"));
    EXPECT_TRUE(kernel32.IsModuleFileName(L"\\kernel32.dll"));
    EXPECT_FALSE(kernel32.IsModuleFileName(L"user32.dll"));
    EXPECT_TRUE(kernel32.IsModuleFileName(L"32.dllXYZ", 6)) << "only the given length counts";
}

}  // namespace
