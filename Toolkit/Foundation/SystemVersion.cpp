#include "SystemVersion.h"

#include "SingletonPointer.h"

CLVKSystemVersion* AFX_CDECL CLVKSystemVersion::GetGlobal()
{
    return LVKGetSingleton<CLVKSystemVersion>();
}

CLVKSystemVersion::CLVKSystemVersion() : m_kernel32(L"Kernel32.dll"), m_ntdll(L"ntdll.dll")
{
    m_kernel32.GetProcAddressChecked(m_source.pfnVerifyVersionInfo, "VerifyVersionInfoW");
    m_kernel32.GetProcAddressChecked(m_source.pfnVerSetConditionMask, "VerSetConditionMask");
    m_ntdll.GetProcAddressChecked(m_source.pfnRtlGetVersion, "RtlGetVersion");
    m_source.pfnGetVersionEx = &GetVersionExW;
    m_source.pfnGetSystemMetrics = &GetSystemMetrics;
    for (volatile LONG& nAnswer : m_answers)
        nAnswer = -1;
}

CLVKSystemVersion::CLVKSystemVersion(const VersionSource& source) : m_source(source)
{
    for (volatile LONG& nAnswer : m_answers)
        nAnswer = -1;
}

BOOL CLVKSystemVersion::Cached(Answer answer, int nCondition, DWORD dwMajor, DWORD dwMinor, DWORD dwPlatform)
{
    // Two threads asking at once both work out the same answer; either store wins.
    if (m_answers[answer] < 0)
        InterlockedExchange(&m_answers[answer], IsVersion(nCondition, dwMajor, dwMinor, dwPlatform) ? 1 : 0);
    return m_answers[answer] != 0;
}

BOOL CLVKSystemVersion::IsVersion(int nCondition, DWORD dwMajor, DWORD dwMinor, DWORD dwPlatform)
{
    if (!m_source.pfnVerifyVersionInfo || !m_source.pfnVerSetConditionMask)
        return CompareVersionByGetVersionEx(nCondition, dwMajor, dwMinor, dwPlatform);
    return VerifyVersion(nCondition, dwMajor, dwMinor, dwPlatform);
}

BOOL CLVKSystemVersion::VerifyVersion(int nCondition, DWORD dwMajor, DWORD dwMinor, DWORD dwPlatform)
{
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    info.dwMajorVersion = dwMajor;
    info.dwMinorVersion = dwMinor;
    info.dwPlatformId = dwPlatform;

    const BYTE condition = static_cast<BYTE>(nCondition);
    ULONGLONG mask = 0;
    mask = m_source.pfnVerSetConditionMask(mask, VER_MAJORVERSION, condition);
    mask = m_source.pfnVerSetConditionMask(mask, VER_MINORVERSION, condition);
    mask = m_source.pfnVerSetConditionMask(mask, VER_PLATFORMID, condition);
    return m_source.pfnVerifyVersionInfo(&info, VER_MAJORVERSION | VER_MINORVERSION | VER_PLATFORMID, mask);
}

BOOL CLVKSystemVersion::CompareVersionByGetVersionEx(int nCondition, DWORD dwMajor, DWORD dwMinor, DWORD dwPlatform)
{
    if (!m_source.pfnGetVersionEx)
        return FALSE;
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!m_source.pfnGetVersionEx(&info))
        return FALSE;

    switch (nCondition)
    {
    case conditionEqual:
        return info.dwPlatformId == dwPlatform && info.dwMajorVersion == dwMajor && info.dwMinorVersion == dwMinor;
    case conditionGreaterEqual:
        if (info.dwPlatformId < dwPlatform)
            return FALSE;
        if (info.dwMajorVersion > dwMajor)
            return TRUE;
        return info.dwMajorVersion == dwMajor && info.dwMinorVersion >= dwMinor;
    default:
        return FALSE;
    }
}

BOOL CLVKSystemVersion::QueryRtlVersion()
{
    // Only a successful answer is kept: a failed call is made again next time.
    if (m_bRtlVersionKnown)
        return TRUE;
    if (!m_source.pfnRtlGetVersion)
        return FALSE;
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (m_source.pfnRtlGetVersion(&info) != 0)
        return FALSE;
    m_dwRtlMajor = info.dwMajorVersion;
    m_dwRtlBuild = info.dwBuildNumber;
    m_bRtlVersionKnown = TRUE;
    return TRUE;
}

BOOL CLVKSystemVersion::IsWin95()
{
    return Cached(answerWin95, conditionEqual, 4, 0, VER_PLATFORM_WIN32_WINDOWS);
}

BOOL CLVKSystemVersion::IsWin98()
{
    return Cached(answerWin98, conditionEqual, 4, 10, VER_PLATFORM_WIN32_WINDOWS);
}

BOOL CLVKSystemVersion::IsWinME()
{
    return Cached(answerWinME, conditionEqual, 4, 90, VER_PLATFORM_WIN32_WINDOWS);
}

BOOL CLVKSystemVersion::IsWin9x()
{
    return IsWin95() || IsWin98() || IsWinME();
}

BOOL CLVKSystemVersion::IsWinNT4()
{
    return Cached(answerWinNT4, conditionEqual, 4, 0, VER_PLATFORM_WIN32_NT);
}

BOOL CLVKSystemVersion::IsNT4OrGreater()
{
    return Cached(answerNT4OrGreater, conditionGreaterEqual, 4, 0, VER_PLATFORM_WIN32_NT);
}

BOOL CLVKSystemVersion::IsWin2000()
{
    return Cached(answerWin2000, conditionEqual, 5, 0, VER_PLATFORM_WIN32_NT);
}

BOOL CLVKSystemVersion::IsWin2000OrGreater()
{
    return Cached(answerWin2000OrGreater, conditionGreaterEqual, 5, 0, VER_PLATFORM_WIN32_NT);
}

BOOL CLVKSystemVersion::IsWinXP()
{
    return Cached(answerWinXP, conditionEqual, 5, 1, VER_PLATFORM_WIN32_NT);
}

BOOL CLVKSystemVersion::IsWinXPOrGreater()
{
    return Cached(answerWinXPOrGreater, conditionGreaterEqual, 5, 1, VER_PLATFORM_WIN32_NT);
}

BOOL CLVKSystemVersion::IsVistaOrGreater()
{
    return Cached(answerVistaOrGreater, conditionGreaterEqual, 6, 0, VER_PLATFORM_WIN32_NT);
}

BOOL CLVKSystemVersion::IsWin7OrGreater()
{
    return Cached(answerWin7OrGreater, conditionGreaterEqual, 6, 1, VER_PLATFORM_WIN32_NT);
}

BOOL CLVKSystemVersion::IsWin81OrGreater()
{
    // Without a manifest that names Windows 8.1 or later, VerifyVersionInfoW
    // stops at 6.2; the Windows 10 test does not have that cap.
    return Cached(answerWin81OrGreater, conditionGreaterEqual, 6, 3, VER_PLATFORM_WIN32_NT) || IsWin10OrGreater();
}

BOOL CLVKSystemVersion::IsWin10OrGreater()
{
    return QueryRtlVersion() && m_dwRtlMajor > 9;
}

BOOL CLVKSystemVersion::IsWin11OrGreater()
{
    // Windows 11 still reports 10.0; its builds start at 22000.
    if (!QueryRtlVersion())
        return FALSE;
    return m_dwRtlMajor > 10 || (m_dwRtlMajor == 10 && m_dwRtlBuild > 21995);
}

BOOL CLVKSystemVersion::IsClearTypeTextQualitySupported()
{
    return IsWinXPOrGreater();
}

BOOL CLVKSystemVersion::IsLayoutRTLSupported()
{
    if (IsWin2000OrGreater())
        return TRUE;
    if (m_answers[answerLayoutRTL] < 0)
    {
        const BOOL bMidEast = m_source.pfnGetSystemMetrics && m_source.pfnGetSystemMetrics(SM_MIDEASTENABLED) != 0;
        InterlockedExchange(&m_answers[answerLayoutRTL], bMidEast ? 1 : 0);
    }
    return m_answers[answerLayoutRTL] != 0;
}

DWORD AFX_CDECL CLVKSystemVersion::GetComCtlVersion()
{
    static const DWORD dwVersion = []() -> DWORD
    {
        CLVKModuleHandle comctl32(L"comctl32.dll");
        const DWORD dwPacked = comctl32.GetPackedDllVersion();
        return dwPacked ? dwPacked : 0x40000;
    }();
    return dwVersion;
}
